#include "tests/driver/text.h"

#include <windows.h>

namespace driver {

std::string ToCp932(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring FromCp932(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
    std::wstring result(size, L'\0');
    MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

}  // namespace driver
