#include "app/command_line.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, ShiftJisLiteralsAreTheBytesTheTableExpects)
{
    // The source is compiled to code page 932: 表 is 95 5C, its trail byte a backslash.
    EXPECT_EQ(std::string("表"), std::string("\x95\x5C"));
}

TEST(SplitCommandLine, FollowsTheSplittingRules)
{
    struct Case {
        const char* line;
        Args expected;
    };
    const Case cases[] = {
        // plain words and runs of separators
        {"prog a b c", {"a", "b", "c"}},
        {"prog   a \t\t b   ", {"a", "b"}},
        {"prog\x01" "a\x1F" "b\x20" "c\x02\x03", {"a", "b", "c"}},
        {"prog a\x7F" "b", {"a\x7F" "b"}},
        {"prog", {}},
        {"", {}},
        {"prog    ", {}},
        // quoted stretches
        {"prog \"a b\"", {"a b"}},
        {"prog \"a\tb\x01" "c\"", {"a\tb\x01" "c"}},
        {"prog \" \"", {" "}},
        {"prog a\"b c\"d", {"ab cd"}},
        {"prog x\"\"y", {"xy"}},
        {"prog \"a\"\"b\"", {"ab"}},
        {"prog \"a b", {"a b"}},
        {"prog a \"", {"a"}},
        {"prog \"", {}},
        // pairs of quotes where an argument would begin
        {"prog \"\"", {}},
        {"prog \"\" \"\"", {}},
        {"prog \"\"\"\"", {}},
        {"prog \"\"abc", {"abc"}},
        {"prog \"\"   abc", {"abc"}},
        {"prog \"\" \"\" x", {"x"}},
        {"prog a\"\"", {"a"}},
        {"prog a\"\" b", {"a", "b"}},
        {"prog a \"\" b", {"a", "b"}},
        {"prog \"\"\"a b\"", {"a b"}},
        // Shift-JIS: lead bytes from 0x81 and trail bytes such as 0x5C are argument bytes
        {"prog 表", {"表"}},
        {"prog C:\\表\\x.bak D:\\ソ", {"C:\\表\\x.bak", "D:\\ソ"}},
        {"prog \"C:\\表 示\\x.bak\"", {"C:\\表 示\\x.bak"}},
        {"prog 表\"ソ x\"", {"表ソ x"}},
        {"prog a　b", {"a　b"}},  // a full-width space (81 40) is no separator
        {"prog \xA0" "a \xFF", {"\xA0" "a", "\xFF"}},
        // argument 0 is read by the same rules and dropped
        {"\"C:\\Program Files\\Kemlo.exe\" a", {"a"}},
        {"\"C:\\Pro\"gram\" Files\\K.exe\" a", {"a"}},
        {"C:\\My\" \"Dir\\K.exe a b", {"a", "b"}},
        {"\"C:\\表 示\\Kemlo.exe\"", {}},
        {"\"C:\\unclosed program a b", {}},
        {"\"\" a b", {"b"}},  // the pair is skipped, so "a" is argument 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.expected) << "line: [" << c.line << "]";
}

TEST(SplitCommandLine, NullLineHasNoArguments)
{
    EXPECT_TRUE(SplitCommandLine(nullptr).empty());
}

std::string CurrentDirectory()
{
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    std::string dir(needed, '\0');
    dir.resize(GetCurrentDirectoryA(needed, dir.data()));
    return dir;
}

std::string WithSlash(std::string dir)
{
    if (dir.back() != '\\')
        dir += '\\';
    return dir;
}

TEST(MakeAbsolute, ResolvesAgainstTheCurrentDirectoryOfTheMoment)
{
    const std::string start = CurrentDirectory();
    ASSERT_TRUE(CreateDirectoryA("表", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);

    const std::string base = WithSlash(start);
    const std::string longName(150, 'n');
    // The ANSI call stops at MAX_PATH; such a path stays as it was (no delete list takes it).
    const std::string tooLong(300, 'n');
    struct Case {
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {"x.bak", base + "x.bak"},
        {"sub\\..\\y.bak", base + "y.bak"},
        {".\\表\\x.bak", base + "表\\x.bak"},
        {"C:\\a\\b.bak", "C:\\a\\b.bak"},
        {"\\top.bak", start.substr(0, 2) + "\\top.bak"},
        {longName, base + longName},
        {tooLong, tooLong},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeAbsolute(c.path), c.expected) << "path: [" << c.path << "]";

    // A later change of directory changes the answer: a path must be made absolute early.
    ASSERT_TRUE(SetCurrentDirectoryA("表"));
    EXPECT_EQ(MakeAbsolute("x.bak"), base + "表\\x.bak");
    ASSERT_TRUE(SetCurrentDirectoryA(start.c_str()));
}

TEST(CommandLineArguments, SplitsThisProcessCommandLine)
{
    EXPECT_EQ(CommandLineArguments(), SplitCommandLine(GetCommandLineA()));
}

}  // namespace
