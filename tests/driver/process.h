#pragma once
// A child process started by a test. It is killed when the object goes, so that a test
// that fails half-way never leaves a program running into the next test.

#include <windows.h>

#include <optional>
#include <string>

namespace driver {

class ChildProcess {
public:
    // Starts `exe` (a Windows path) with `arguments` appended to its quoted name, in
    // `currentDir` (empty: the test's own), shown with `showCommand` (SW_SHOWNORMAL,
    // SW_SHOWMINIMIZED, ...). Throws Error if it cannot start.
    static ChildProcess Start(const std::string& exe, const std::string& arguments = "",
                              const std::string& currentDir = "",
                              int showCommand = SW_SHOWNORMAL);

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool IsRunning() const;

    // The exit code, or nothing if it still runs after `timeoutMs`.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);
    // Ends it now (exit code `exitCode`) and waits until it is gone.
    void Kill(UINT exitCode = 0xDEAD);

private:
    ChildProcess(HANDLE process, DWORD id) : process_(process), id_(id) {}
    void Release();

    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

}  // namespace driver
