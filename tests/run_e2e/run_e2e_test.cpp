// Whole search runs of the real Kemlo.exe, driven from outside: Start, the shell's one
// confirmation, the trash, Stop, the outcome messages, the about box during a search,
// File > Start during a run, and closing the window during a run.

#include "tests/driver/driver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace driver;

constexpr int kMemo1 = 1009, kStart = 1010, kStop = 1011, kSubDirs = 1012, kMemo2 = 1013,
              kPattern = 1014, kNoRecycle = 1015;
constexpr int kFileStart = 2002, kAbout = 2008;

constexpr char kStopped[] = "ファイルの検索を中止しました。";
constexpr char kNoName[] = "ファイル名は省略できません、正しいファイル名を入力してください。";
constexpr char kNoFiles[] = "削除できるファイルはありませんでした。";

constexpr DWORD kDeadline = 60000;
// A flat tree that takes the search several seconds: long enough to act while it runs.
constexpr int kBigTreeDirs = 2000;

// A visible dialog of the process other than the program's own message boxes: the shell's
// delete confirmation (its caption differs for one file and for several).
HWND ShellDialogOf(DWORD pid)
{
    for (HWND window : TopWindowsOf(pid))
        if (ClassNameOf(window) == "#32770" && IsShown(window) && WindowText(window) != "Pirovan")
            return window;
    return nullptr;
}

HWND WaitForShellDialog(DWORD pid, DWORD timeout = kDeadline)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = ShellDialogOf(pid)) != nullptr; }, timeout);
    return found;
}

void SetChecked(HWND box, bool checked)
{
    // BM_SETCHECK, not a click: a check box disabled by the run takes no click.
    SendTimed(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// One Kemlo.exe started in a directory, with the settings key present (and so no
// first-run notice), removed again afterwards; the child is killed if it still runs.
class Program {
public:
    explicit Program(const std::string& directory)
    {
        DeleteKeyTree();
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kPirovanKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) == ERROR_SUCCESS)
            RegCloseKey(key);
        child_.emplace(ChildProcess::Start(KemloExePath(), "", FullPath(directory)));
        main_ = WaitForWindow({.caption = "Pirovan", .className = "TForm1", .processId = child_->Id(),
                               .visibleOnly = true},
                              kDeadline);
    }
    ~Program()
    {
        child_.reset();
        DeleteKeyTree();
    }

    HWND Main() const { return main_; }
    HWND Control(int id) const { return Item(main_, id); }
    DWORD Pid() const { return child_->Id(); }
    ChildProcess& Child() { return *child_; }

    void SetPattern(const std::string& pattern)
    {
        SetText(Control(kPattern), pattern);
    }
    void StartRun() { PostClick(Control(kStart)); }
    std::vector<std::string> ListLines() const { return EditLines(Control(kMemo1)); }
    std::string DirLine() const { return WindowText(Control(kMemo2)); }
    // The run's last step enables one control after the other: idle once all are so.
    bool Idle() const
    {
        for (int id : {kStart, kPattern, kSubDirs, kNoRecycle})
            if (!IsEnabled(Control(id)))
                return false;
        return !IsEnabled(Control(kStop));
    }
    bool WaitIdle() const { return WaitUntil([this] { return Idle(); }, kDeadline); }

    // Waits for the program's message box, reads its text and closes it.
    std::optional<std::string> AnswerMessage()
    {
        HWND box = WaitForDialog("Pirovan", Pid(), kDeadline);
        if (!box)
            return std::nullopt;
        std::string text = DialogText(box);
        PressDialogButton(box, IDOK);
        WaitForWindowGone(box);
        return text;
    }

private:
    std::optional<ChildProcess> child_;
    HWND main_ = nullptr;
};

void MakeBigTree(const std::string& root)
{
    char name[32];
    for (int i = 0; i < kBigTreeDirs; ++i) {
        wsprintfA(name, "\\d%04d", i);
        MakeFile(root + name + "\\m.bak");
    }
}

bool EveryBigTreeFileIsThere(const std::string& root)
{
    char name[32];
    for (int i = 0; i < kBigTreeDirs; ++i) {
        wsprintfA(name, "\\d%04d\\m.bak", i);
        if (!Exists(root + name))
            return false;
    }
    return true;
}

void EmptyTrash()
{
    for (const std::string& name : TrashContents()) {
        DeleteFileA((TrashFilesDir() + "\\" + name).c_str());
        DeleteFileA((TrashInfoDir() + "\\" + name + ".trashinfo").c_str());
    }
}

class RunE2E : public testing::Test {
protected:
    static void SetUpTestSuite() { MakeBigTree("big"); }
    void SetUp() override
    {
        EmptyTrash();
        ASSERT_TRUE(TrashContents().empty());
    }
};

// A chain of directories, one match in each, so that the order of discovery is fixed:
// the walk lists a directory's subdirectories' matches before its own.
struct MatchCase {
    const char* name;
    bool directDelete;  // the no-recycle box as the run starts
};

TEST_F(RunE2E, MatchesGoToTheShellOnceWithTheOptionTakenAtStart)
{
    const MatchCase cases[] = {{"to the recycle bin", false}, {"deleted outright", true}};
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        EmptyTrash();
        const std::string root = c.directDelete ? "direct" : "recycle";
        MakeTree(root, {{"a.bak"}, {"keep.txt"}, {"sub\\b.bak"}, {"sub\\b.txt"}, {"sub\\deeper\\c.bak"},
                        {"sub\\deeper\\c.bakx.txt"}});
        const std::string full = FullPath(root);
        const std::vector<std::string> matches = {full + "\\sub\\deeper\\c.bak", full + "\\sub\\b.bak",
                                                  full + "\\a.bak"};

        Program program(root);
        ASSERT_NE(program.Main(), nullptr);
        program.SetPattern("*.bak");
        SetCheck(program.Control(kSubDirs), true);
        SetCheck(program.Control(kNoRecycle), c.directDelete);
        program.StartRun();

        HWND confirm = WaitForShellDialog(program.Pid());
        ASSERT_NE(confirm, nullptr) << "no confirmation from the shell";
        // Finishing: everything locked while the shell asks.
        for (int id : {kStart, kStop, kPattern, kSubDirs, kNoRecycle})
            EXPECT_FALSE(IsEnabled(program.Control(id))) << id;
        EXPECT_EQ(program.ListLines(), matches);
        EXPECT_EQ(program.DirLine(), full);
        // The run took the option when it started.
        SetChecked(program.Control(kNoRecycle), !c.directDelete);
        PressDialogButton(confirm, IDYES);

        ASSERT_TRUE(program.WaitIdle());
        EXPECT_TRUE(WaitUntil([&] { return !Exists(matches[0]) && !Exists(matches[2]); }));
        for (const std::string& match : matches)
            EXPECT_FALSE(Exists(match)) << match;
        for (const char* kept : {"\\keep.txt", "\\sub\\b.txt", "\\sub\\deeper\\c.bakx.txt"})
            EXPECT_TRUE(Exists(full + kept)) << kept;
        std::vector<std::string> expectedTrash;
        if (!c.directDelete)
            expectedTrash = {"a.bak", "b.bak", "c.bak"};
        EXPECT_EQ(TrashContents(), expectedTrash);
        // The list stays, and no second request follows.
        EXPECT_EQ(program.ListLines(), matches);
        Pause(1000);
        EXPECT_EQ(ShellDialogOf(program.Pid()), nullptr);
        EXPECT_EQ(FindDialog("Pirovan", program.Pid()), nullptr);
        // The history has the pattern.
        EXPECT_EQ(ComboItems(program.Control(kPattern)), std::vector<std::string>{"*.bak"});
    }
}

TEST_F(RunE2E, ADirectoryWhoseNameEndsIn5CIsSearchedUnderItsFullName)
{
    // 表 is 95 5C in code page 932: its second byte is the value of '\'.
    const std::string root = "表";
    MakeTree(root, {{"x.bak"}, {"y.txt"}});
    Program program(root);
    ASSERT_NE(program.Main(), nullptr);
    program.SetPattern("*.bak");
    program.StartRun();
    HWND confirm = WaitForShellDialog(program.Pid());
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(program.ListLines(), std::vector<std::string>{FullPath(root) + "\\x.bak"});
    EXPECT_EQ(program.DirLine(), FullPath(root));
    PressDialogButton(confirm, IDNO);
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_TRUE(Exists(root + "\\x.bak"));
    EXPECT_TRUE(TrashContents().empty());
}

TEST_F(RunE2E, OutcomesThatEndInAMessage)
{
    MakeTree("few", {{"a.bak"}, {"b.txt"}});
    Program program("few");
    ASSERT_NE(program.Main(), nullptr);
    HWND pattern = program.Control(kPattern);

    // Something in both areas first: a run whose confirmation is refused.
    program.SetPattern("*.bak");
    program.StartRun();
    HWND confirm = WaitForShellDialog(program.Pid());
    ASSERT_NE(confirm, nullptr);
    PressDialogButton(confirm, IDNO);
    ASSERT_TRUE(program.WaitIdle());
    ASSERT_EQ(program.ListLines().size(), 1u);
    ASSERT_FALSE(program.DirLine().empty());
    const std::vector<std::string> history = ComboItems(pattern);
    ASSERT_EQ(history, std::vector<std::string>{"*.bak"});

    // No pattern: both areas emptied, the message, nothing recorded.
    program.SetPattern("");
    program.StartRun();
    EXPECT_EQ(program.AnswerMessage(), kNoName);
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_TRUE(program.ListLines().empty());
    EXPECT_EQ(program.DirLine(), "");
    EXPECT_EQ(ComboItems(pattern), history);

    // No match: the message, and the pattern heads the drop-down list all the same.
    program.SetPattern("*.zzz");
    program.StartRun();
    EXPECT_EQ(program.AnswerMessage(), kNoFiles);
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_TRUE(program.ListLines().empty());
    EXPECT_EQ(program.DirLine(), FullPath("few"));
    EXPECT_EQ(ComboItems(pattern), (std::vector<std::string>{"*.zzz", "*.bak"}));
    EXPECT_EQ(WindowText(pattern), "*.zzz");

    EXPECT_TRUE(Exists("few\\a.bak"));
    EXPECT_EQ(ShellDialogOf(program.Pid()), nullptr);
}

TEST_F(RunE2E, StopWhileTheAboutBoxIsUpAndTheListKeepsGrowing)
{
    Program program("big");
    ASSERT_NE(program.Main(), nullptr);
    program.SetPattern("*.bak");
    SetCheck(program.Control(kSubDirs), true);
    program.StartRun();
    ASSERT_TRUE(WaitUntil([&] { return !program.ListLines().empty(); }, kDeadline));
    EXPECT_TRUE(IsEnabled(program.Control(kStop)));
    EXPECT_FALSE(IsEnabled(program.Control(kStart)));

    // The about box's modal loop serves the run: both areas keep changing behind it.
    PostCommand(program.Main(), kAbout);
    HWND about = WaitForDialog("Pirovan", program.Pid(), kDeadline);
    ASSERT_NE(about, nullptr);
    const size_t listed = program.ListLines().size();
    const std::string dir = program.DirLine();
    EXPECT_TRUE(WaitUntil([&] { return program.ListLines().size() > listed + 2 && program.DirLine() != dir; },
                          kDeadline));
    EXPECT_TRUE(IsWindow(about));
    PressDialogButton(about, IDOK);
    ASSERT_TRUE(WaitForWindowGone(about));

    // File > Start while a run goes on starts no second run.
    PostCommand(program.Main(), kFileStart);
    Pause(500);
    Click(program.Control(kStop));
    EXPECT_EQ(program.AnswerMessage(), kStopped);
    ASSERT_TRUE(program.WaitIdle());
    // The partial list stays; nothing was deleted, and no other message follows.
    const std::vector<std::string> lines = program.ListLines();
    EXPECT_GT(lines.size(), listed);
    EXPECT_LT(lines.size(), static_cast<size_t>(kBigTreeDirs));
    for (const std::string& line : lines)
        EXPECT_TRUE(line.find("\\m.bak") != std::string::npos) << line;
    Pause(1500);
    EXPECT_EQ(FindDialog("Pirovan", program.Pid()), nullptr);
    EXPECT_EQ(ShellDialogOf(program.Pid()), nullptr);
    EXPECT_EQ(program.ListLines(), lines);
    EXPECT_TRUE(EveryBigTreeFileIsThere("big"));
    EXPECT_TRUE(TrashContents().empty());
}

TEST_F(RunE2E, ClosingDuringTheSearchDeletesNothing)
{
    Program program("big");
    ASSERT_NE(program.Main(), nullptr);
    program.SetPattern("*.bak");
    SetCheck(program.Control(kSubDirs), true);
    program.StartRun();
    ASSERT_TRUE(WaitUntil([&] { return !program.ListLines().empty(); }, kDeadline));
    PostClose(program.Main());

    std::optional<DWORD> exit;
    bool asked = false;
    WaitUntil([&] {
        asked = asked || ShellDialogOf(program.Pid()) != nullptr;
        exit = program.Child().WaitForExit(0);
        return exit.has_value();
    }, kDeadline);
    EXPECT_EQ(exit, std::optional<DWORD>(0));
    EXPECT_FALSE(asked);
    EXPECT_TRUE(EveryBigTreeFileIsThere("big"));
    EXPECT_TRUE(TrashContents().empty());
}

TEST_F(RunE2E, ClosingWhileTheShellAsksWaitsForTheConfirmedDelete)
{
    MakeTree("closing", {{"a.bak"}, {"b.txt"}});
    Program program("closing");
    ASSERT_NE(program.Main(), nullptr);
    program.SetPattern("*.bak");
    program.StartRun();
    HWND confirm = WaitForShellDialog(program.Pid());
    ASSERT_NE(confirm, nullptr);

    PostClose(program.Main());
    EXPECT_TRUE(WaitForWindowGone(program.Main()));
    // The process stays for the shell's question.
    EXPECT_FALSE(program.Child().WaitForExit(1000).has_value());
    ASSERT_TRUE(IsWindow(confirm));
    PressDialogButton(confirm, IDYES);

    EXPECT_EQ(program.Child().WaitForExit(kDeadline), std::optional<DWORD>(0));
    EXPECT_FALSE(Exists("closing\\a.bak"));
    EXPECT_TRUE(Exists("closing\\b.txt"));
    EXPECT_EQ(TrashContents(), std::vector<std::string>{"a.bak"});
}

}  // namespace
