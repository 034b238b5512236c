#include "app/command_line.h"

#include <windows.h>

namespace {

// Unsigned, so that Shift-JIS lead bytes (0x81 and up) are never taken for blanks. A trail
// byte can be 0x40 to 0xFC, 0x5C included, but never a control character, a blank or 0x22,
// so scanning byte by byte cannot split a character or end a quoted stretch inside one.
bool IsSeparator(char c)
{
    unsigned char code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

// Reads the argument that starts at or after p into argument; returns where reading stopped.
const char* NextArgument(const char* p, std::string& argument)
{
    argument.clear();
    for (;;) {
        while (IsSeparator(*p))
            ++p;
        if (p[0] == '"' && p[1] == '"')
            p += 2;
        else
            break;
    }
    while (*p != '\0' && !IsSeparator(*p)) {
        if (*p == '"') {
            ++p;
            while (*p != '\0' && *p != '"')
                argument += *p++;
            if (*p == '"')
                ++p;
        } else {
            argument += *p++;
        }
    }
    return p;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const char* line)
{
    std::vector<std::string> arguments;
    if (!line)
        return arguments;
    std::string argument;
    const char* p = NextArgument(line, argument);  // argument 0, the program
    while (*p != '\0') {
        p = NextArgument(p, argument);
        // Only a lone quote at the very end leaves an argument empty.
        if (!argument.empty())
            arguments.push_back(argument);
    }
    return arguments;
}

std::vector<std::string> CommandLineArguments()
{
    return SplitCommandLine(GetCommandLineA());
}

std::string MakeAbsolute(const std::string& path)
{
    if (path.empty())
        return path;
    // The size asked for includes the NUL; the directory may change between the two calls,
    // so ask again while the buffer turns out too small.
    std::string full;
    DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    while (needed != 0) {
        full.assign(needed, '\0');
        DWORD written = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
        if (written == 0)
            break;
        if (written < needed) {
            full.resize(written);
            return full;
        }
        needed = written;
    }
    return path;
}
