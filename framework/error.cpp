#include "framework/error.h"

#include <windows.h>

namespace fw {

void ThrowLastError(const std::string& action)
{
    const DWORD code = GetLastError();
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = action;
    if (text) {
        message += ": ";
        message += text;
        LocalFree(text);
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
            message.pop_back();
    } else {
        message += " (error " + std::to_string(code) + ")";
    }
    throw Exception(message);
}

}  // namespace fw
