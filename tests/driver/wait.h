#pragma once
// Polling with a deadline: the program under test runs in another process, so the tests
// look again every few tens of milliseconds until what they expect is there or time is up.

#include <windows.h>

#include <functional>

namespace driver {

// Generous, because Wine runs under an emulator on some machines.
constexpr DWORD kDefaultTimeoutMs = 15000;
constexpr DWORD kPollMs = 50;

// Calls `condition` until it returns true (→ true) or `timeoutMs` have passed (→ false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs);

// Sleeps while still serving messages sent to this thread's windows, if it has any.
void Pause(DWORD ms);

}  // namespace driver
