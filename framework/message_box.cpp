#include "framework/message_box.h"

#include "framework/application.h"
#include "framework/form.h"

#include <windows.h>

namespace fw {
namespace {

// The hook of the message box being opened on this thread; a box opened from inside
// another one (a hand-over step while the about text is up) has its own.
thread_local HHOOK centring_hook = nullptr;

void CentreOnScreen(HWND box)
{
    RECT box_rect;
    GetWindowRect(box, &box_rect);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(box, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& screen = monitor.rcMonitor;
    const int width = box_rect.right - box_rect.left;
    const int height = box_rect.bottom - box_rect.top;
    SetWindowPos(box, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK CentringHook(int code, WPARAM wparam, LPARAM lparam)
{
    // Windows places a message box over its owner; ours belong in the screen's middle.
    const HHOOK hook = centring_hook;
    if (code == HCBT_ACTIVATE) {
        char window_class[16] = {};
        HWND window = reinterpret_cast<HWND>(wparam);
        GetClassNameA(window, window_class, sizeof window_class);
        if (lstrcmpA(window_class, "#32770") == 0) {
            CentreOnScreen(window);
            UnhookWindowsHookEx(hook);
            centring_hook = nullptr;
        }
    }
    return CallNextHookEx(hook, code, wparam, lparam);
}

}  // namespace

void ShowMessage(const std::string& text)
{
    Form* main = App().MainForm();
    HWND owner = main && IsWindow(main->Handle()) ? main->Handle() : nullptr;
    HHOOK outer = centring_hook;
    centring_hook = SetWindowsHookExA(WH_CBT, CentringHook, nullptr, GetCurrentThreadId());
    MessageBoxA(owner, text.c_str(), App().Title().c_str(), MB_OK);
    if (centring_hook)
        UnhookWindowsHookEx(centring_hook);
    centring_hook = outer;
}

}  // namespace fw
