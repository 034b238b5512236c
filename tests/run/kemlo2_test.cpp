// Search runs against a fake main window and real files in the test's current directory.
#include "app/pattern_history.h"
#include "engine/Kemlo2.h"
#include "engine/shell_delete.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

using fw::TThread;

namespace {

std::vector<std::string> reported;

void CaptureReport(const char* what)
{
    reported.push_back(what);
}

struct DeleteCall {
    std::vector<char> list;
    bool directDelete;
    DWORD thread;
};
std::vector<DeleteCall> deletes;
bool deleteThrows = false;

int FakeDelete(const std::vector<char>& list, bool directDelete)
{
    deletes.push_back({list, directDelete, GetCurrentThreadId()});
    if (deleteThrows)
        throw std::runtime_error("delete failed");
    return 0;
}

// The window's side of a run: its controls are a few fields, every call is logged.
class FakeWindow : public RunWindow {
public:
    std::string pattern = "*.bak";
    std::string directory;
    bool subDirs = false;
    bool direct = false;
    PatternHistory history;

    std::string throwIn;     // the step that fails, once
    bool stopAtFirstMatch = false;
    bool closeAtLockAll = false;
    bool flipDirectAtLockAll = false;

    std::vector<std::string> log;
    std::vector<std::string> shownList;
    bool offUiThread = false;

    void LockForRun() override { Step("LockForRun"); }
    void TakeSettings(Kemlo2& worker) override
    {
        Step("TakeSettings");
        stop_ = false;
        worker.Pattern = pattern;
        if (pattern.empty())
            return;
        worker.RootDir = directory;
        worker.WithSubDirs = subDirs;
        worker.DirectDelete = direct;
        history.RecordPattern(pattern);
    }
    void LockAll() override
    {
        Step("LockAll");
        if (flipDirectAtLockAll)
            direct = !direct;
        if (closeAtLockAll)
            TThread::CloseHandOver();
    }
    void UnlockAfterRun() override { Step("UnlockAfterRun"); }
    void RunEnded() override
    {
        Step("RunEnded");
        SetCurrentDirectoryA(directory.c_str());
    }
    void ShowDir(const std::string& dir) override { Step("ShowDir " + dir); }
    void ShowList(const std::vector<std::string>& list) override
    {
        Step("ShowList");
        shownList = list;
        if (stopAtFirstMatch)
            stop_ = true;
    }
    void Say(const std::string& message) override { Step("Say " + message); }
    const std::atomic<bool>& StopFlag() const override { return stop_; }

    DWORD uiThread = GetCurrentThreadId();

private:
    void Step(const std::string& name)
    {
        if (GetCurrentThreadId() != uiThread)
            offUiThread = true;
        log.push_back(name);
        std::string bare = name.substr(0, name.find(' '));
        if (bare == throwIn) {
            throwIn.clear();
            throw std::runtime_error("step failed: " + bare);
        }
    }

    std::atomic<bool> stop_{true};  // set before the run: TakeSettings must clear it
};

std::string CurrentDir()
{
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, length);
}

void MakeFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    CloseHandle(file);
}

// Steps of the log without the display ones, which depend on the order of entries.
std::vector<std::string> Outline(const std::vector<std::string>& log)
{
    std::vector<std::string> outline;
    for (const std::string& step : log)
        if (step.rfind("ShowDir", 0) != 0 && step != "ShowList")
            outline.push_back(step);
    return outline;
}

std::vector<std::string> Sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

class Kemlo2Test : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // A tree of its own: the test's directory holds a home folder as well.
        root = CurrentDir() + "\\tree";
        CreateDirectoryA(root.c_str(), nullptr);
        MakeFile(root + "\\a.bak");
        MakeFile(root + "\\b.bak");
        MakeFile(root + "\\c.txt");
        CreateDirectoryA((root + "\\sub").c_str(), nullptr);
        MakeFile(root + "\\sub\\d.bak");
    }

    void SetUp() override
    {
        TThread::InitHandOver();
        TThread::ReportError = CaptureReport;
        reported.clear();
        deletes.clear();
        deleteThrows = false;
        window.directory = root + "\\";
        SetCurrentDirectoryA(root.c_str());
    }

    void RunAndWait()
    {
        Kemlo2::Run(window, FakeDelete);
        TThread::WaitForAll();
        EXPECT_FALSE(window.offUiThread) << "a window call was made off the UI thread";
    }

    static std::string root;
    FakeWindow window;
};

std::string Kemlo2Test::root;

}  // namespace

TEST_F(Kemlo2Test, MatchesGoToTheShellInOneRequestInOrderOfDiscovery)
{
    window.subDirs = true;
    window.direct = true;
    window.flipDirectAtLockAll = true;  // changed after the run started: not used
    RunAndWait();

    ASSERT_EQ(deletes.size(), 1u);
    EXPECT_TRUE(deletes[0].directDelete) << "the option as the run started";
    EXPECT_NE(deletes[0].thread, GetCurrentThreadId()) << "the worker asks the shell";
    // Post-order: the subdirectory's match before the root's; the list as it was shown.
    ASSERT_EQ(window.shownList.size(), 3u);
    EXPECT_EQ(window.shownList[0], root + "\\sub\\d.bak");
    EXPECT_EQ(Sorted(window.shownList),
              Sorted({root + "\\a.bak", root + "\\b.bak", root + "\\sub\\d.bak"}));
    EXPECT_EQ(deletes[0].list, DeleteList(window.shownList));

    EXPECT_EQ(Outline(window.log), (std::vector<std::string>{"LockForRun", "TakeSettings",
                                                             "LockAll", "UnlockAfterRun",
                                                             "RunEnded"}));
    // The directory line follows the walk, the root last, without its trailing separator.
    std::vector<std::string> dirs;
    for (const std::string& step : window.log)
        if (step.rfind("ShowDir ", 0) == 0)
            dirs.push_back(step.substr(8));
    EXPECT_EQ(dirs, (std::vector<std::string>{root + "\\sub", root}));
    EXPECT_EQ(window.history.Slots[1], "*.bak");
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(CurrentDir(), root);
}

TEST_F(Kemlo2Test, OneDirectoryWithTheRecycleBin)
{
    RunAndWait();
    ASSERT_EQ(deletes.size(), 1u);
    EXPECT_FALSE(deletes[0].directDelete);
    EXPECT_EQ(Sorted(window.shownList), Sorted({root + "\\a.bak", root + "\\b.bak"}));
    EXPECT_EQ(deletes[0].list, DeleteList(window.shownList));
}

TEST_F(Kemlo2Test, OutcomesThatEndInAMessage)
{
    struct Case {
        const char* what;
        std::string pattern;
        bool stop;
        std::vector<std::string> outline;
        bool searched;
    } cases[] = {
        {"stopped", "*.bak", true,
         {"LockForRun", "TakeSettings", "LockAll", std::string("Say ") + "ファイルの検索を中止しました。",
          "UnlockAfterRun", "RunEnded"},
         true},
        {"no pattern", "", false,
         {"LockForRun", "TakeSettings",
          std::string("Say ") + "ファイル名は省略できません、正しいファイル名を入力してください。",
          "UnlockAfterRun", "RunEnded"},
         false},
        {"no match", "*.none", false,
         {"LockForRun", "TakeSettings", "LockAll",
          std::string("Say ") + "削除できるファイルはありませんでした。", "UnlockAfterRun", "RunEnded"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeWindow fresh;
        fresh.directory = root;
        fresh.subDirs = true;
        fresh.pattern = c.pattern;
        fresh.stopAtFirstMatch = c.stop;
        deletes.clear();
        Kemlo2::Run(fresh, FakeDelete);
        TThread::WaitForAll();

        EXPECT_TRUE(deletes.empty());
        EXPECT_EQ(Outline(fresh.log), c.outline);
        bool showedDir = std::any_of(fresh.log.begin(), fresh.log.end(),
                                     [](const std::string& s) { return s.rfind("ShowDir", 0) == 0; });
        EXPECT_EQ(showedDir, c.searched);
        // The pattern is recorded by a run that searches, not by one without a pattern.
        EXPECT_EQ(fresh.history.Slots[1], c.pattern);
        if (c.stop)
            EXPECT_EQ(fresh.shownList.size(), 1u) << "the partial list stays shown";
        EXPECT_TRUE(reported.empty());
    }
}

TEST_F(Kemlo2Test, AnErrorIsReportedAndTheWindowStillUnlocked)
{
    struct Case {
        std::string throwIn;
        bool deleteFails;
        std::size_t deleteCalls;
    } cases[] = {
        {"LockForRun", false, 0}, {"TakeSettings", false, 0}, {"ShowDir", false, 0},
        {"ShowList", false, 0},   {"LockAll", false, 0},      {"", true, 1},
        {"UnlockAfterRun", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.throwIn.empty() ? "delete request" : c.throwIn);
        FakeWindow fresh;
        fresh.directory = root;
        fresh.throwIn = c.throwIn;
        deletes.clear();
        reported.clear();
        deleteThrows = c.deleteFails;
        Kemlo2::Run(fresh, FakeDelete);
        TThread::WaitForAll();

        EXPECT_EQ(deletes.size(), c.deleteCalls);
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(reported[0], c.deleteFails ? "delete failed" : "step failed: " + c.throwIn);
        ASSERT_GE(fresh.log.size(), 2u);
        EXPECT_EQ(fresh.log[fresh.log.size() - 2], "UnlockAfterRun");
        EXPECT_EQ(fresh.log.back(), "RunEnded");
    }
}

TEST_F(Kemlo2Test, NothingIsDeletedOnceTheWindowBeginsToClose)
{
    window.closeAtLockAll = true;
    RunAndWait();
    EXPECT_TRUE(deletes.empty());
    EXPECT_TRUE(reported.empty()) << "a closing window is not an error to report";
    EXPECT_EQ(window.log.back(), "LockAll");

    // Closed while the search is still going: the next hand-over ends the run.
    TThread::InitHandOver();
    struct ClosingWindow : FakeWindow {
        void ShowList(const std::vector<std::string>& list) override
        {
            FakeWindow::ShowList(list);
            TThread::CloseHandOver();
        }
    } closingDuringSearch;
    closingDuringSearch.directory = root;
    deletes.clear();
    Kemlo2::Run(closingDuringSearch, FakeDelete);
    TThread::WaitForAll();
    EXPECT_TRUE(deletes.empty());
    EXPECT_EQ(closingDuringSearch.shownList.size(), 1u);
    EXPECT_TRUE(reported.empty());
}

TEST_F(Kemlo2Test, ADirectoryWhoseLastByteIs5CIsSearchedUnderItsFullName)
{
    ASSERT_EQ(GetACP(), 932u);
    std::string hyou = root + "\\表";
    ASSERT_TRUE(CreateDirectoryA(hyou.c_str(), nullptr));
    MakeFile(hyou + "\\x.bak");
    window.directory = hyou;
    RunAndWait();
    ASSERT_EQ(deletes.size(), 1u);
    EXPECT_EQ(window.shownList, std::vector<std::string>{hyou + "\\x.bak"});
    DeleteFileA((hyou + "\\x.bak").c_str());
    RemoveDirectoryA(hyou.c_str());
}
