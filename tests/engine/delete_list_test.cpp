// The delete list's bytes and the shell request's record, without calling the shell.

#include "engine/shell_delete.h"

#include <gtest/gtest.h>

namespace {

std::vector<char> Bytes(const std::string& text)
{
    return std::vector<char>(text.begin(), text.end());
}

TEST(DeleteList, PathsEachEndWithNulAndTheListWithOneMore)
{
    struct Case {
        std::vector<std::string> paths;
        std::string bytes;
    } cases[] = {
        {{"a", "bc", "d"}, std::string("a\0bc\0d\0\0", 8)},
        {{"C:\\x.bak"}, std::string("C:\\x.bak\0\0", 10)},
        {{"表.bak"}, std::string("\x95\x5C.bak\0\0", 8)},
        {{"", "a"}, std::string("\0a\0\0", 4)},  // the shell stops at the lone NUL
        {{}, std::string("\0\0", 2)},
        {{std::string("a\0b", 3)}, std::string("a\0\0", 3)},  // never split into two paths
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.paths));
        EXPECT_EQ(DeleteList(c.paths), Bytes(c.bytes));
    }
}

// Paths of the full 259 bytes: the list is one byte more than 260 per path, and holds it all.
TEST(DeleteList, FullLengthPathsFitWithTheirFinalNul)
{
    std::vector<std::string> paths;
    std::string expected;
    for (char c : {'x', 'y', 'z'}) {
        paths.push_back("C:\\" + std::string(252, c) + ".bak");
        ASSERT_EQ(paths.back().size(), 259u);
        expected += paths.back() + '\0';
    }
    expected += '\0';
    std::vector<char> list = DeleteList(paths);
    EXPECT_EQ(list.size(), 3u * 260u + 1u);
    EXPECT_EQ(list, Bytes(expected));
}

TEST(DeleteRequest, EveryFieldIsSet)
{
    std::vector<char> list = DeleteList({"C:\\a.bak", "C:\\b.bak"});
    for (bool directDelete : {false, true}) {
        SCOPED_TRACE(directDelete ? "direct" : "recycle bin");
        SHFILEOPSTRUCTA request = DeleteRequest(list, directDelete);
        EXPECT_EQ(request.hwnd, nullptr);
        EXPECT_EQ(request.wFunc, static_cast<UINT>(FO_DELETE));
        EXPECT_EQ(request.pFrom, list.data());
        EXPECT_EQ(request.pTo, nullptr);
        EXPECT_EQ(request.fFlags, directDelete ? 0 : 0x40);
        EXPECT_EQ(request.fAnyOperationsAborted, TRUE);
        EXPECT_EQ(request.hNameMappings, nullptr);
        EXPECT_EQ(request.lpszProgressTitle, nullptr);
    }
}

// A list the shell would read past the end of is never handed to it.
TEST(ShellDelete, RefusesAListWithoutItsTwoFinalNuls)
{
    for (const std::string& bytes : {std::string(), std::string("a"), std::string("a\0", 2),
                                     std::string("\0", 1)}) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        EXPECT_EQ(ShellDelete(Bytes(bytes), true), ERROR_INVALID_PARAMETER);
    }
}

}  // namespace
