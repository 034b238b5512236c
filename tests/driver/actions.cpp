#include "tests/driver/actions.h"

#include "tests/driver/controls.h"
#include "tests/driver/error.h"
#include "tests/driver/text.h"
#include "tests/driver/window.h"

namespace driver {

namespace {

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!PostMessageW(window, message, wParam, lParam))
        ThrowLastError("PostMessage " + std::to_string(message));
}

}  // namespace

// No deadline: the handler may open a modal box that a test answers first.
void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

void PostClick(HWND button) { Post(button, BM_CLICK, 0, 0); }

void SetText(HWND window, const std::string& text)
{
    const std::wstring wide = FromCp932(text);
    SendTimed(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void SetCheck(HWND checkBox, bool checked)
{
    if ((CheckState(checkBox) == BST_CHECKED) != checked)
        Click(checkBox);
}

void PostCommand(HWND window, int commandId) { Post(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0); }

void MoveWindowTo(HWND window, int x, int y, int width, int height)
{
    if (!SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE))
        ThrowLastError("SetWindowPos");
}

void ResizeWindow(HWND window, int width, int height)
{
    if (!SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
        ThrowLastError("SetWindowPos");
}

void PostClose(HWND window) { Post(window, WM_CLOSE, 0, 0); }

}  // namespace driver
