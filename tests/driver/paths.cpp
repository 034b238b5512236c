#include "tests/driver/paths.h"

#include <windows.h>

namespace driver {

std::string WindowsPath(const std::string& linuxPath)
{
    if (linuxPath.empty() || linuxPath[0] != '/')
        return linuxPath;
    std::string result = "Z:" + linuxPath;
    for (char& c : result)
        if (c == '/')
            c = '\\';
    return result;
}

std::string QuoteArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    // The C runtime's rules: backslashes are literal unless a quote follows them.
    std::string result = "\"";
    size_t backslashes = 0;
    for (size_t i = 0; i < argument.size(); ++i) {
        const char c = argument[i];
        // A Shift-JIS trail byte may be 0x5C; it is no backslash.
        if (IsDBCSLeadByteEx(932, static_cast<BYTE>(c)) && i + 1 < argument.size()) {
            result.append(backslashes, '\\');
            backslashes = 0;
            result += c;
            result += argument[++i];
            continue;
        }
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        result.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        result += c;
    }
    result.append(backslashes * 2, '\\');
    return result + "\"";
}

}  // namespace driver
