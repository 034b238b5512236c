#include "tests/driver/window.h"

#include "tests/driver/error.h"
#include "tests/driver/text.h"

namespace driver {

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> AllTopWindows()
{
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool Matches(HWND window, const WindowQuery& query)
{
    if (query.processId && ProcessOf(window) != query.processId)
        return false;
    if (query.visibleOnly && !IsWindowVisible(window))
        return false;
    if (!query.className.empty() && lstrcmpiA(ClassNameOf(window).c_str(), query.className.c_str()) != 0)
        return false;
    if (query.caption) {
        // GetWindowTextW reads a top-level caption without waiting for its owner.
        wchar_t buffer[512];
        const int length = GetWindowTextW(window, buffer, 512);
        if (ToCp932(std::wstring(buffer, length)) != *query.caption)
            return false;
    }
    return true;
}

}  // namespace

HWND FindTopWindow(const WindowQuery& query)
{
    for (HWND window : AllTopWindows())
        if (Matches(window, query))
            return window;
    return nullptr;
}

HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(query)) != nullptr; }, timeoutMs);
    return found;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

std::vector<HWND> TopWindowsOf(DWORD processId)
{
    std::vector<HWND> result;
    for (HWND window : AllTopWindows())
        if (ProcessOf(window) == processId)
            result.push_back(window);
    return result;
}

HWND ForegroundWindow() { return GetForegroundWindow(); }

DWORD ProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

LRESULT SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result))
        ThrowLastError("SendMessage " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

std::string WindowText(HWND window)
{
    const auto length = SendTimed(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring buffer(length + 1, L'\0');
    const auto copied = SendTimed(window, WM_GETTEXT, buffer.size(),
                                  reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(copied);
    return ToCp932(buffer);
}

std::string ClassNameOf(HWND window)
{
    char name[256];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRect(HWND window)
{
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }
bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
bool IsMinimised(HWND window) { return IsIconic(window) != FALSE; }
bool IsMaximised(HWND window) { return IsZoomed(window) != FALSE; }

}  // namespace driver
