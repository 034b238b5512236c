#include "tests/driver/process.h"

#include "tests/driver/error.h"
#include "tests/driver/paths.h"

#include <utility>

namespace driver {

ChildProcess ChildProcess::Start(const std::string& exe, const std::string& arguments,
                                 const std::string& currentDir, int showCommand)
{
    std::string commandLine = QuoteArgument(exe);
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDir.empty() ? nullptr : currentDir.c_str(), &startup, &info))
        ThrowLastError("CreateProcess " + commandLine);
    CloseHandle(info.hThread);
    return ChildProcess(info.hProcess, info.dwProcessId);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0))
{
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other) {
        Release();
        process_ = std::exchange(other.process_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

ChildProcess::~ChildProcess() { Release(); }

void ChildProcess::Release()
{
    if (!process_)
        return;
    if (IsRunning())
        Kill();
    CloseHandle(process_);
    process_ = nullptr;
}

bool ChildProcess::IsRunning() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::WaitForExit(DWORD timeoutMs)
{
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void ChildProcess::Kill(UINT exitCode)
{
    TerminateProcess(process_, exitCode);
    WaitForSingleObject(process_, 10000);
}

}  // namespace driver
