#pragma once
// Conversion of UTF-8 text (as kept in the window definition) to code page 932.

#include <string>

namespace fw {

// Throws fw::Exception when the text is not valid UTF-8 or holds a character that
// code page 932 cannot represent.
std::string Utf8ToCp932(const std::string& utf8);

}  // namespace fw
