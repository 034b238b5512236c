#pragma once
// Acting on another process's windows as a user would.

#include <windows.h>

#include <string>

namespace driver {

// BM_CLICK, sent: returns once the click's handler has returned. If the handler shows a
// modal box, this waits until the box is closed; answer it from a DialogAnswerer
// (dialogs.h) or use PostClick.
void Click(HWND button);
// BM_CLICK, posted: returns at once.
void PostClick(HWND button);

// WM_SETTEXT with a code page 932 text, sent in the W form. An edit control tells its
// parent with EN_CHANGE, as for typing.
void SetText(HWND window, const std::string& text);

// Clicks the check box if its state differs, so that its handler runs as for a user.
void SetCheck(HWND checkBox, bool checked);

// A menu command: WM_COMMAND with the item's ID, posted (Wine does not let one process
// read another's menus, so tests go by IDs).
void PostCommand(HWND window, int commandId);

void MoveWindowTo(HWND window, int x, int y, int width, int height);
void ResizeWindow(HWND window, int width, int height);

// WM_CLOSE, posted.
void PostClose(HWND window);

}  // namespace driver
