#pragma once
// Top-level windows of other processes: finding them and reading their state.
// Texts are compared and returned in code page 932.

#include "tests/driver/wait.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace driver {

struct WindowQuery {
    std::optional<std::string> caption = {};  // exact; nothing: any caption
    std::string className = {};               // e.g. "#32770"; empty: any class
    DWORD processId = 0;                 // 0: any process
    bool visibleOnly = false;            // true: wait until it is shown, not just made
};

// The first top-level window that matches, or nullptr.
HWND FindTopWindow(const WindowQuery& query);
// Polls until one matches; nullptr once `timeoutMs` have passed.
HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs = kDefaultTimeoutMs);
// True once `window` no longer exists.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);

// Every top-level window of the process, hidden ones too, in Z order.
std::vector<HWND> TopWindowsOf(DWORD processId);
HWND ForegroundWindow();
DWORD ProcessOf(HWND window);

// The window's text through WM_GETTEXT in its W form (an ANSI read across processes
// may come back cut), converted to code page 932. Throws Error if the owner does not answer.
std::string WindowText(HWND window);
std::string ClassNameOf(HWND window);

RECT WindowRect(HWND window);  // screen coordinates
RECT ClientRect(HWND window);  // left and top are 0
bool IsShown(HWND window);     // WS_VISIBLE on it and every parent
bool IsEnabled(HWND window);
bool IsMinimised(HWND window);
bool IsMaximised(HWND window);

// SendMessageTimeoutW with a deadline; throws Error if the owner does not answer in time.
LRESULT SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                  DWORD timeoutMs = kDefaultTimeoutMs);

}  // namespace driver
