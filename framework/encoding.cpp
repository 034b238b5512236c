#include "framework/encoding.h"

#include "framework/error.h"

#include <windows.h>

namespace fw {

std::string Utf8ToCp932(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int length = static_cast<int>(utf8.size());
    const int wide_length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (wide_length == 0)
        throw Exception("not UTF-8: " + utf8);
    std::wstring wide(wide_length, L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), wide_length);

    BOOL lossy = FALSE;
    const int ansi_length = WideCharToMultiByte(932, 0, wide.data(), wide_length, nullptr, 0, nullptr, &lossy);
    std::string ansi(ansi_length, '\0');
    WideCharToMultiByte(932, 0, wide.data(), wide_length, ansi.data(), ansi_length, nullptr, &lossy);
    if (ansi_length == 0 || lossy)
        throw Exception("no code page 932 form for: " + utf8);
    return ansi;
}

}  // namespace fw
