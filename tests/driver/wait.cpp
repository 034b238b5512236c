#include "tests/driver/wait.h"

namespace driver {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Pause(kPollMs);
    }
}

void Pause(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < ms; elapsed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // serves sent messages
    }
}

}  // namespace driver
