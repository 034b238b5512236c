// The search and the walk over a scripted file system: orders of entries, failures and
// refusals that real files cannot produce here.

#include "engine/file_system.h"
#include "engine/search.h"
#include "tests/engine/recorder.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

constexpr DWORD kDir = FILE_ATTRIBUTE_DIRECTORY;
constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD kSystem = FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kArchive = FILE_ATTRIBUTE_ARCHIVE;

// One scripted entry; Fail ends the search there, as a failing FindNextFile would.
struct Scripted {
    std::string Name;
    DWORD Attributes = kArchive;
    bool Fits = true;
    std::string Short = "";
    bool Fail = false;
};
const Scripted kFail{"", 0, true, "", true};

class ScriptedSearch : public DirectorySearch {
public:
    explicit ScriptedSearch(const std::vector<Scripted>& entries) : entries_(entries) {}
    bool Next(FoundEntry& entry) override
    {
        // After a failure a real search may well return more: the search must not ask.
        while (next_ < entries_.size()) {
            const Scripted& s = entries_[next_++];
            if (s.Fail) {
                return false;
            }
            entry.Name = s.Fits ? s.Name : std::string("?") + s.Name;
            entry.NameFits = s.Fits;
            entry.ShortName = s.Short;
            entry.Attributes = s.Attributes;
            return true;
        }
        return false;
    }

private:
    std::vector<Scripted> entries_;
    std::size_t next_ = 0;
};

class ScriptedFileSystem : public FileSystem {
public:
    std::map<std::string, std::vector<Scripted>> Listings;  // by query
    std::map<std::string, DirectoryId> Ids;                  // by directory path
    std::set<std::string> Refused;                           // changes of directory that fail
    std::vector<std::string> Changes;                        // every change asked, "!" when refused
    std::vector<std::string> Queries;                         // every search asked
    std::string Cwd;                                         // where the changes have led

    std::unique_ptr<DirectorySearch> Find(const std::string& query) override
    {
        Queries.push_back(query);
        auto it = Listings.find(query);
        if (it == Listings.end()) {
            return nullptr;
        }
        return std::make_unique<ScriptedSearch>(it->second);
    }
    bool SetCurrentDir(const std::string& path) override
    {
        if (Refused.count(path)) {
            Changes.push_back("!" + path);
            return false;
        }
        Changes.push_back(path);
        if (path == "..\\") {
            Cwd.erase(Cwd.rfind('\\'));
        } else {
            Cwd += "\\" + path;
        }
        return true;
    }
    bool Identify(const std::string& directory, DirectoryId& id) override
    {
        auto it = Ids.find(directory);
        if (it == Ids.end()) {
            return false;
        }
        id = it->second;
        return true;
    }

    // A directory as the walk lists it, with its "." and "..".
    void Dir(const std::string& path, std::vector<Scripted> entries)
    {
        entries.insert(entries.begin(), {{".", kDir}, {"..", kDir}});
        Listings[path + "\\*.*"] = std::move(entries);
        Ids[path] = DirectoryId{7, 0, static_cast<DWORD>(Ids.size() + 1)};
    }
};

Recorder ScriptedRecorder(ScriptedFileSystem& fs, const std::string& root)
{
    Recorder r;
    fs.Cwd = root;
    r.Where = [&fs] { return fs.Cwd; };
    return r;
}

std::vector<std::string> Paths(std::initializer_list<const char*> paths)
{
    return std::vector<std::string>(paths.begin(), paths.end());
}

// The whole conversation of a small walk: post-order whatever the listing order, one poll
// per entry passed on ("." and ".." included), none for entries the filter drops.
TEST(ScriptedWalk, HandsOverEveryStepInPostOrder)
{
    ScriptedFileSystem fs;
    fs.Dir("R", {{"x.bak"}, {"h.bak", kHidden}, {"a", kDir}});
    fs.Dir("R\\a", {{"y.bak"}});
    fs.Listings["R\\a\\*.bak"] = {{".", kDir | kHidden}, {"y.bak"}};
    fs.Listings["R\\*.bak"] = {{"x.bak"}, {"h.bak", kHidden}, {"d.bak", kDir}};
    Recorder r = ScriptedRecorder(fs, "R");

    EXPECT_EQ(SearchTree(r, "R", fs), 0);

    std::vector<std::string> expected = {
        "poll", "poll", "poll", "poll",          // R: . .. x.bak a (h.bak dropped by the mask)
        "poll", "poll", "poll",                  // R\a: . .. y.bak
        "dir R\\a", "poll", "list 1",            // R\a's own files
        "dir R", "poll", "list 2", "poll", "list 3",
    };
    EXPECT_EQ(r.Events, expected);
    EXPECT_EQ(r.FileList, Paths({"R\\a\\y.bak", "R\\x.bak", "R\\h.bak"}));
    EXPECT_TRUE(r.FoundAny);
    EXPECT_EQ(fs.Changes, Paths({"a", "..\\"}));
    EXPECT_EQ(r.WhereAtShowDir, Paths({"R\\a", "R"}));
}

// A search that fails half-way ends that directory's entries, and is not asked again.
TEST(ScriptedWalk, FailureInTheMiddleEndsTheDirectory)
{
    ScriptedFileSystem fs;
    fs.Dir("R", {{"a", kDir}, kFail, {"b", kDir}});
    fs.Dir("R\\a", {});
    fs.Dir("R\\b", {});
    fs.Listings["R\\*.bak"] = {{"x.bak"}, kFail, {"y.bak"}};
    Recorder r = ScriptedRecorder(fs, "R");

    EXPECT_EQ(SearchTree(r, "R", fs), 0);
    EXPECT_EQ(r.DirsShown, Paths({"R\\a", "R"}));
    EXPECT_EQ(r.FileList, Paths({"R\\x.bak"}));
}

// A refused change into a subdirectory: still walked by its path, no change back after it,
// so the current directory after it is where it was before.
TEST(ScriptedWalk, RefusedChangeOfDirectoryStopsNothing)
{
    ScriptedFileSystem fs;
    fs.Dir("R", {{"a", kDir}, {"b", kDir}});
    fs.Dir("R\\a", {{"c", kDir}});
    fs.Dir("R\\a\\c", {});
    fs.Dir("R\\b", {});
    fs.Listings["R\\a\\*.bak"] = {{"y.bak"}};
    fs.Refused = {"a"};
    Recorder r = ScriptedRecorder(fs, "R");

    EXPECT_EQ(SearchTree(r, "R", fs), 0);
    EXPECT_EQ(r.FileList, Paths({"R\\a\\y.bak"}));
    EXPECT_EQ(fs.Changes, Paths({"!a", "c", "..\\", "b", "..\\"}));
    // Inside the refused a, the walk is one level short; after it, back in step.
    EXPECT_EQ(r.WhereAtShowDir, Paths({"R\\c", "R", "R\\b", "R"}));
    EXPECT_EQ(fs.Cwd, "R");
}

// A refused change back up is ignored: the walk goes on.
TEST(ScriptedWalk, RefusedChangeBackIsIgnored)
{
    ScriptedFileSystem fs;
    fs.Dir("R", {{"a", kDir}, {"b", kDir}});
    fs.Dir("R\\a", {});
    fs.Dir("R\\b", {});
    fs.Refused = {"..\\"};
    Recorder r = ScriptedRecorder(fs, "R");

    EXPECT_EQ(SearchTree(r, "R", fs), 0);
    EXPECT_EQ(r.DirsShown, Paths({"R\\a", "R\\b", "R"}));
}

// A directory that is one of its own ancestors is not entered; a link elsewhere is, and so
// is a directory whose identity cannot be told.
TEST(ScriptedWalk, NeverEntersAnAncestor)
{
    ScriptedFileSystem fs;
    fs.Dir("R", {{"a", kDir}});
    fs.Dir("R\\a", {{"up", kDir | FILE_ATTRIBUTE_REPARSE_POINT}, {"self", kDir},
                    {"away", kDir | FILE_ATTRIBUTE_REPARSE_POINT}, {"unknown", kDir}});
    fs.Ids["R\\a\\up"] = fs.Ids["R"];
    fs.Ids["R\\a\\self"] = fs.Ids["R\\a"];
    fs.Dir("R\\a\\away", {});
    Recorder r = ScriptedRecorder(fs, "R");

    EXPECT_EQ(SearchTree(r, "R", fs), 0);
    EXPECT_EQ(r.DirsShown, Paths({"R\\a\\away", "R\\a\\unknown", "R\\a", "R"}));
    EXPECT_EQ(fs.Changes, Paths({"a", "away", "..\\", "unknown", "..\\", "..\\"}));
}

// Names the code page cannot carry: by the short name where there is one, otherwise not
// at all; such entries are dropped inside the search, so they cost no poll.
TEST(ScriptedWalk, NameThatDoesNotFitGoesByItsShortName)
{
    ScriptedFileSystem fs;
    fs.Dir("R", {{"kor", kDir, false, "KOR~1"}, {"nos", kDir, false, ""}});
    fs.Dir("R\\KOR~1", {});
    fs.Dir("R\\nos", {});
    fs.Listings["R\\KOR~1\\*.bak"] = {{"cafe.bak", kArchive, false, "CAF_~M3X.BAK"},
                                      {"ko.bak", kArchive, false, ""},
                                      {"ok.bak"}};
    Recorder r = ScriptedRecorder(fs, "R");

    EXPECT_EQ(SearchTree(r, "R", fs), 0);
    EXPECT_EQ(r.DirsShown, Paths({"R\\KOR~1", "R"}));
    EXPECT_EQ(r.FileList, Paths({"R\\KOR~1\\CAF_~M3X.BAK", "R\\KOR~1\\ok.bak"}));
    EXPECT_EQ(fs.Changes, Paths({"KOR~1", "..\\"}));
    EXPECT_EQ(r.Polls, 3 + 2 + 2);  // R: . .. KOR~1; KOR~1: . ..; two matches
}

// A drive root arrives without its backslash; its entries get exactly one.
TEST(ScriptedSearch, DriveRootGetsOneSeparator)
{
    ScriptedFileSystem fs;
    fs.Listings["C:\\*.bak"] = {{"a.bak"}};
    fs.Listings["C:\\*.*"] = {{"a.bak"}};
    Recorder r = ScriptedRecorder(fs, "C:");

    EXPECT_EQ(SearchTree(r, "C:", fs), 0);
    EXPECT_EQ(r.FileList, Paths({"C:\\a.bak"}));
    EXPECT_EQ(fs.Queries, Paths({"C:\\*.*", "C:\\*.bak"}));
}

// A match is collected only if directory, separator and name fit 259 bytes.
TEST(ScriptedSearch, PathMustFit259Bytes)
{
    const std::string dir = "C:\\" + std::string(200, 'd');  // 203 bytes
    struct Case {
        std::size_t total;
        bool collected;
    } cases[] = {{258, true}, {259, true}, {260, false}, {261, false}, {460, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE("path of " + std::to_string(c.total) + " bytes");
        std::string name = std::string(c.total - dir.size() - 5, 'n') + ".bak";
        ScriptedFileSystem fs;
        fs.Listings[dir + "\\*.bak"] = {{name}, {"short.bak"}};
        Recorder r = ScriptedRecorder(fs, dir);

        EXPECT_EQ(SearchDir(r, dir, "*.bak", fs), 0);
        std::vector<std::string> expected;
        if (c.collected) {
            expected.push_back(dir + "\\" + name);
            EXPECT_EQ(expected.back().size(), c.total);
        }
        expected.push_back(dir + "\\short.bak");
        EXPECT_EQ(r.FileList, expected);
    }
}

// Stops: at the poll that sees the request, the entry is not collected, and -1 comes back
// through every level without another step.
TEST(ScriptedSearch, StopEndsAtTheEntrySeen)
{
    ScriptedFileSystem fs;
    fs.Listings["R\\*.bak"] = {{"a.bak"}, {"b.bak"}, {"c.bak"}};
    Recorder r = ScriptedRecorder(fs, "R");
    r.StopAfterPolls(2);

    EXPECT_EQ(SearchDir(r, "R", "*.bak", fs), -1);
    EXPECT_EQ(r.Events, Paths({"dir R", "poll", "list 1", "poll"}));
    EXPECT_EQ(r.FileList, Paths({"R\\a.bak"}));
    EXPECT_TRUE(r.StopSeen);
}

TEST(ScriptedWalk, StopDeepReturnsThroughEveryLevel)
{
    ScriptedFileSystem fs;
    fs.Dir("R", {{"a", kDir}, {"z", kDir}});
    fs.Dir("R\\a", {{"b", kDir}});
    fs.Dir("R\\a\\b", {{"f.bak"}, {"g.bak"}});
    fs.Dir("R\\z", {});
    Recorder r = ScriptedRecorder(fs, "R");
    r.StopWhen = [&fs](Recorder&) { return fs.Cwd == "R\\a\\b"; };

    EXPECT_EQ(SearchTree(r, "R", fs), -1);
    EXPECT_EQ(r.Events.back(), "poll");
    EXPECT_TRUE(r.DirsShown.empty());
    EXPECT_EQ(fs.Changes, Paths({"a", "b"}));
    EXPECT_EQ(fs.Cwd, "R\\a\\b");
}

}  // namespace
