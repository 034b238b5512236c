// The search and the walk on real files under Wine.

#include "engine/file_system.h"
#include "engine/search.h"
#include "tests/engine/files.h"
#include "tests/engine/recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD kSystem = FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kReadOnly = FILE_ATTRIBUTE_READONLY;
constexpr DWORD kArchive = FILE_ATTRIBUTE_ARCHIVE;

std::vector<std::string> Sorted(std::vector<std::string> list)
{
    std::sort(list.begin(), list.end());
    return list;
}

using SearchFiles = FilesTest;

// Files of every kind are collected; directories only when hidden or system.
TEST_F(SearchFiles, AttributeFilterOfTheMatch)
{
    struct Entry {
        const char* name;
        bool directory;
        DWORD attributes;
        bool collected;
    } entries[] = {
        {"plain.bak", false, 0, true},
        {"hidden.bak", false, kHidden, true},
        {"system.bak", false, kSystem, true},
        {"readonly.bak", false, kReadOnly, true},
        {"archive.bak", false, kArchive, true},
        {"all.bak", false, kHidden | kSystem | kReadOnly, true},
        {"other.txt", false, 0, false},
        {"dir.bak", true, 0, false},
        {"readonlydir.bak", true, kReadOnly, false},
        {"old.bak", true, kHidden, true},
        {"sysdir.bak", true, kSystem, true},
    };
    std::vector<std::string> expected;
    for (const Entry& e : entries) {
        std::string path = root_ + "\\" + e.name;
        if (e.directory) {
            MakeDir(path, e.attributes);
        } else {
            MakeFile(path, e.attributes);
        }
        if (e.collected) {
            expected.push_back(path);
        }
    }
    Recorder r;
    EXPECT_EQ(SearchDir(r, root_, "*.bak"), 0);
    EXPECT_EQ(Sorted(r.FileList), Sorted(expected));
    EXPECT_TRUE(r.FoundAny);
    // One poll and one list per match, after the one directory line.
    ASSERT_EQ(r.Events.size(), 1 + 2 * expected.size());
    EXPECT_EQ(r.Events[0], "dir " + root_);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(r.Events[1 + 2 * i], "poll");
        EXPECT_EQ(r.Events[2 + 2 * i], "list " + std::to_string(i + 1));
    }
}

TEST_F(SearchFiles, NothingFoundStillShowsTheDirectory)
{
    struct Case {
        std::string directory;
        std::string pattern;
    } cases[] = {{root_, "*.bak"}, {root_ + "\\missing", "*.bak"}, {root_, "*.none"}};
    MakeFile(root_ + "\\x.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.directory + " " + c.pattern);
        Recorder r;
        EXPECT_EQ(SearchDir(r, c.directory, c.pattern), 0);
        EXPECT_EQ(r.Events, std::vector<std::string>{"dir " + c.directory});
        EXPECT_FALSE(r.FoundAny);
    }
}

// The "." of a hidden directory and the ".." of its child carry the hidden bit: they name
// the directory itself and its parent, and are never collected, nor polled.
TEST_F(SearchFiles, DotEntriesOfHiddenDirectoriesAreNeverCollected)
{
    const std::string hidden = root_ + "\\h";
    MakeDir(hidden, kHidden);
    MakeDir(hidden + "\\child");
    MakeFile(hidden + "\\x.bak");
    struct Case {
        std::string directory;
        const char* pattern;
        std::vector<std::string> expected;
    } cases[] = {
        {hidden, "*", {hidden + "\\x.bak"}},
        {hidden, "*.*", {hidden + "\\x.bak"}},
        {hidden, ".", {}},
        {hidden + "\\child", "*", {}},
        {hidden + "\\child", "..", {}},  // the platform's search finds "h" itself here
        {hidden + "\\child", "...", {}},
        {hidden + "\\child", ". .", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.directory + " " + c.pattern);
        Recorder r(c.pattern);
        EXPECT_EQ(SearchDir(r, c.directory, c.pattern), 0);
        EXPECT_EQ(r.FileList, c.expected);
        EXPECT_EQ(r.Polls, static_cast<int>(c.expected.size()));
    }
}

// A pattern with a directory part searches where it points; the path collected is that
// directory + "\" + the name found. Parts that leave the chosen directory find nothing.
TEST_F(SearchFiles, PatternWithDirectoryPart)
{
    MakeDir(root_ + "\\sub");
    MakeDir(root_ + "\\sub\\deeper");
    MakeDir(root_ + "\\表");  // 95 5C: the trail byte is not a separator
    MakeFile(root_ + "\\top.bak");
    MakeFile(root_ + "\\表.bak");
    MakeFile(root_ + "\\sub\\x.bak");
    MakeFile(root_ + "\\sub\\deeper\\y.bak");
    MakeFile(root_ + "\\表\\z.bak");
    const std::string sub = root_ + "\\sub\\x.bak";
    struct Case {
        std::string pattern;
        std::vector<std::string> expected;
    } cases[] = {
        {"sub\\*.bak", {sub}},
        {"sub/*.bak", {sub}},
        {"sub\\\\*.bak", {sub}},
        {".\\sub\\*.bak", {sub}},
        {"sub\\.\\x.bak", {sub}},
        {"sub\\deeper\\*.bak", {root_ + "\\sub\\deeper\\y.bak"}},
        {"sub/deeper/y.bak", {root_ + "\\sub\\deeper\\y.bak"}},
        {"表.bak", {root_ + "\\表.bak"}},
        {"表\\*.bak", {root_ + "\\表\\z.bak"}},
        {"表\\z.bak", {root_ + "\\表\\z.bak"}},
        {"..\\*.bak", {}},
        {"sub\\..\\*.bak", {}},
        {"sub\\...\\*.bak", {}},
        {"sub\\..", {}},
        {"\\*.bak", {}},
        {root_ + "\\*.bak", {}},
        {"Z:*.bak", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        Recorder r(c.pattern);
        EXPECT_EQ(SearchDir(r, root_, c.pattern), 0);
        EXPECT_EQ(Sorted(r.FileList), c.expected);
        for (const std::string& path : r.FileList) {
            EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
        }
    }
}

// Names the ANSI code page cannot carry come back from the ANSI search as look-alikes
// ("cafe.bak" for "café.bak", "??.bak"); every path collected must open the file found.
TEST_F(SearchFiles, NamesTheCodePageCannotCarryGoByTheirShortNames)
{
    const std::wstring root = Wide(root_);
    struct File {
        std::wstring name;
        std::string content;
    } files[] = {
        {L"caf\u00e9.bak", "accented"},
        {L"cafe.bak", "plain"},
        {L"\uD55C\uAE00.bak", "hangul"},
        {Wide("表.bak"), "kanji"},
    };
    std::set<std::string> contents;
    for (const File& f : files) {
        MakeFileW(root + L"\\" + f.name, 0, f.content);
        contents.insert(f.content);
    }
    Recorder r;
    EXPECT_EQ(SearchDir(r, root_, "*.bak"), 0);
    std::multiset<std::string> found;
    for (const std::string& path : r.FileList) {
        found.insert(ReadFileA(path));
    }
    EXPECT_EQ(found, std::multiset<std::string>(contents.begin(), contents.end()));
    EXPECT_EQ(std::count(r.FileList.begin(), r.FileList.end(), root_ + "\\cafe.bak"), 1);
    EXPECT_EQ(std::count(r.FileList.begin(), r.FileList.end(), root_ + "\\表.bak"), 1);
}

// The walk enters a directory whose name does not fit by its short name.
TEST_F(SearchFiles, WalkEntersDirectoryByItsShortName)
{
    const std::wstring dir = Wide(root_) + L"\\\uD55C";
    MakeDirW(dir);
    MakeFileW(dir + L"\\y.bak", 0, "inside");
    Recorder r;
    ASSERT_TRUE(SetCurrentDirectoryA(root_.c_str()));
    EXPECT_EQ(SearchTree(r, root_), 0);
    ASSERT_EQ(r.FileList.size(), 1u);
    EXPECT_EQ(ReadFileA(r.FileList[0]), "inside");
    ASSERT_EQ(r.DirsShown.size(), 2u);
    EXPECT_EQ(r.WhereAtShowDir[0], r.DirsShown[0]);  // the change went by the short name too
    EXPECT_EQ(CurrentDirectory(), root_);
}

// Post-order whatever the listing order; the current directory keeps in step from the root.
TEST_F(SearchFiles, WalkIsPostOrderAndKeepsTheCurrentDirectoryInStep)
{
    MakeFile(root_ + "\\x.bak");
    MakeDir(root_ + "\\a");
    MakeFile(root_ + "\\a\\y.bak");
    MakeDir(root_ + "\\a\\b");
    MakeFile(root_ + "\\a\\b\\z.bak");
    MakeFile(root_ + "\\a\\b\\z.txt");
    ASSERT_TRUE(SetCurrentDirectoryA(root_.c_str()));
    Recorder r;

    EXPECT_EQ(SearchTree(r, root_), 0);
    std::vector<std::string> dirs = {root_ + "\\a\\b", root_ + "\\a", root_};
    EXPECT_EQ(r.DirsShown, dirs);
    EXPECT_EQ(r.WhereAtShowDir, dirs);
    EXPECT_EQ(r.FileList, (std::vector<std::string>{root_ + "\\a\\b\\z.bak", root_ + "\\a\\y.bak",
                                                    root_ + "\\x.bak"}));
    EXPECT_EQ(CurrentDirectory(), root_);
}

// Which directories the walk enters: hidden, system, read-only ones too; a system
// "RECYCLED" or "RECYCLER" (exactly so) never.
TEST_F(SearchFiles, WalkEntersEveryDirectoryButTheSystemRecycleBins)
{
    struct Case {
        const char* name;
        DWORD attributes;
        bool walked;
    } cases[] = {
        {"RECYCLER", kSystem, false},
        {"RECYCLED", kSystem, false},
        {"RECYCLER", kSystem | kHidden, false},
        {"RECYCLER", 0, true},
        {"RECYCLED", kHidden, true},
        {"Recycler", kSystem, true},
        {"recycled", kSystem, true},
        {"hidden", kHidden, true},
        {"system", kSystem, true},
        {"readonly", kReadOnly, true},
        {"everything", kHidden | kSystem | kReadOnly | kArchive, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.attributes));
        std::string root = root_ + "\\" + std::to_string(n++);
        MakeDir(root);
        MakeDir(root + "\\" + c.name, c.attributes);
        MakeFile(root + "\\" + c.name + "\\y.bak");
        Recorder r;
        EXPECT_EQ(SearchTree(r, root), 0);
        std::vector<std::string> expected;
        if (c.walked) {
            expected.push_back(root + "\\" + c.name + "\\y.bak");
        }
        EXPECT_EQ(r.FileList, expected);
        EXPECT_EQ(r.DirsShown.size(), c.walked ? 2u : 1u);
    }
}

// The real file system, but refusing to change into one directory.
class RefusingFileSystem : public FileSystem {
public:
    explicit RefusingFileSystem(std::string refused) : refused_(std::move(refused)) {}
    std::unique_ptr<DirectorySearch> Find(const std::string& query) override
    {
        return RealFileSystem().Find(query);
    }
    bool SetCurrentDir(const std::string& path) override
    {
        return path != refused_ && RealFileSystem().SetCurrentDir(path);
    }
    bool Identify(const std::string& directory, DirectoryId& id) override
    {
        return RealFileSystem().Identify(directory, id);
    }

private:
    std::string refused_;
};

TEST_F(SearchFiles, RefusedChangeLeavesTheCurrentDirectoryAsBefore)
{
    MakeDir(root_ + "\\a");
    MakeDir(root_ + "\\a\\inner");
    MakeFile(root_ + "\\a\\y.bak");
    ASSERT_TRUE(SetCurrentDirectoryA(root_.c_str()));
    RefusingFileSystem fs("a");
    Recorder r;

    EXPECT_EQ(SearchTree(r, root_, fs), 0);
    EXPECT_EQ(r.FileList, std::vector<std::string>{root_ + "\\a\\y.bak"});
    // Inside a, the change into "inner" fails too (there is no inner below the root), so
    // no change back follows it either.
    EXPECT_EQ(r.WhereAtShowDir, (std::vector<std::string>{root_, root_, root_}));
    EXPECT_EQ(CurrentDirectory(), root_);
}

TEST_F(SearchFiles, StopDeepLeavesTheCurrentDirectoryInsideTheTree)
{
    MakeDir(root_ + "\\a");
    MakeDir(root_ + "\\a\\b");
    MakeDir(root_ + "\\a\\b\\c");
    MakeFile(root_ + "\\a\\b\\c\\z.bak");
    MakeFile(root_ + "\\a\\b\\w.bak");
    MakeFile(root_ + "\\x.bak");
    ASSERT_TRUE(SetCurrentDirectoryA(root_.c_str()));
    const std::string deep = root_ + "\\a\\b\\c";
    Recorder r;
    r.StopWhen = [&deep](Recorder&) { return CurrentDirectory() == deep; };

    EXPECT_EQ(SearchTree(r, root_), -1);
    EXPECT_TRUE(r.FileList.empty());
    EXPECT_TRUE(r.DirsShown.empty());
    EXPECT_EQ(r.Events.back(), "poll");
    EXPECT_EQ(CurrentDirectory(), deep);
}

// A drive root comes in as "C:"; its entries are "C:\name".
TEST_F(SearchFiles, DriveRootEntries)
{
    const std::string name = "pirovan-" + std::to_string(GetCurrentProcessId()) + ".bak";
    const std::string path = "C:\\" + name;
    DeleteFileA(path.c_str());
    MakeFile(path);
    Recorder r(name);
    int result = SearchDir(r, "C:", name);
    DeleteFileA(path.c_str());
    EXPECT_EQ(result, 0);
    EXPECT_EQ(r.FileList, std::vector<std::string>{path});
    EXPECT_EQ(r.DirsShown, std::vector<std::string>{"C:"});
}

// A link back to an ancestor is never walked; a link elsewhere is. The tree is made from
// the Linux side before the run (link_fixture.sh).
TEST(SearchLinks, LinkToAnAncestorIsNotWalked)
{
    char unixPath[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("PIROVAN_LINK_FIXTURE", unixPath, sizeof unixPath);
    ASSERT_GT(length, 0u) << "PIROVAN_LINK_FIXTURE is not set";
    std::string fixture = "Z:" + std::string(unixPath, length);
    std::replace(fixture.begin(), fixture.end(), '/', '\\');
    const std::string lp = fixture + "\\lp";
    ASSERT_EQ(GetFileAttributesA((lp + "\\a\\loop").c_str()),
              FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
    Recorder r;

    EXPECT_EQ(SearchTree(r, lp), 0);
    EXPECT_EQ(Sorted(r.FileList), (std::vector<std::string>{lp + "\\a\\x.bak", lp + "\\elsewhere\\z.bak",
                                                            lp + "\\y.bak"}));
    EXPECT_EQ(r.FileList.back(), lp + "\\y.bak");
    EXPECT_EQ(Sorted(r.DirsShown), (std::vector<std::string>{lp, lp + "\\a", lp + "\\elsewhere"}));
}

}  // namespace
