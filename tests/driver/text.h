#pragma once
// Conversions between the UTF-16 texts that windows hold and the code page 932 texts
// that the tests compare against (the sources' literals are Shift-JIS).

#include <string>

namespace driver {

std::string ToCp932(const std::wstring& text);
std::wstring FromCp932(const std::string& text);

}  // namespace driver
