// Proves the driver against target_window.exe, a window of our own in another process.
#include "tests/driver/driver.h"
#include "tests/driver/target_window_ids.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace driver;

namespace {

const std::string targetExe = WindowsPath(TARGET_WINDOW_EXE);

class TargetWindow : public testing::Test {
protected:
    void SetUp() override
    {
        window = WaitForWindow({.caption = kCaption, .processId = child.Id(), .visibleOnly = true});
        ASSERT_NE(window, nullptr) << "the target's window did not appear";
    }

    HWND Control(int id) { return Item(window, id); }

    ChildProcess child = ChildProcess::Start(targetExe, "7");
    HWND window = nullptr;
};

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(Paths, LinuxPathsBecomeDriveZ)
{
    EXPECT_EQ(WindowsPath("/tmp/run.x/a b.exe"), "Z:\\tmp\\run.x\\a b.exe");
    EXPECT_EQ(WindowsPath("C:\\already"), "C:\\already");
}

TEST(Paths, QuotedArgumentsKeepBackslashesAndShiftJis)
{
    const struct {
        std::string argument, quoted;
    } cases[] = {
        {"plain", "plain"},
        {"", "\"\""},
        {"a b", "\"a b\""},
        {"C:\\dir with space\\", "\"C:\\dir with space\\\\\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        // 表 is 95 5C: its trail byte is no backslash and must not be doubled before the quote.
        {"x 表", "\"x 表\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuoteArgument(c.argument), c.quoted) << c.argument;
}

TEST_F(TargetWindow, FindsItsWindowsByCaptionClassAndProcess)
{
    EXPECT_EQ(ClassNameOf(window), "DriverTarget");
    EXPECT_EQ(WindowText(window), kCaption);
    EXPECT_EQ(FindTopWindow({.caption = kCaption, .className = "DriverTarget"}), window);
    EXPECT_EQ(FindTopWindow({.caption = kCaption, .className = "#32770"}), nullptr);
    EXPECT_EQ(FindTopWindow({.caption = kCaption, .processId = GetCurrentProcessId()}), nullptr);
    const auto windows = TopWindowsOf(child.Id());
    EXPECT_NE(std::find(windows.begin(), windows.end(), window), windows.end());
    EXPECT_TRUE(IsShown(window));
    EXPECT_TRUE(IsEnabled(window));
    EXPECT_FALSE(IsMinimised(window));
}

TEST_F(TargetWindow, ReadsControls)
{
    EXPECT_EQ(ClassNameOf(Control(kNameEdit)), "Edit");
    EXPECT_EQ(WindowText(Control(kNameEdit)), "名前");
    EXPECT_TRUE(SameRect(ItemRect(Control(kNameEdit)), RECT{10, 10, 210, 34}));
    EXPECT_TRUE(Style(Control(kNameEdit)) & ES_AUTOHSCROLL);
    EXPECT_TRUE(IsShown(Control(kShowButton)) && IsEnabled(Control(kShowButton)));
    EXPECT_EQ(WindowText(Control(kShowButton)), "表示(&S)");
    EXPECT_EQ(CheckState(Control(kOptionCheck)), BST_UNCHECKED);
    EXPECT_EQ(ComboItems(Control(kPatternCombo)), (std::vector<std::string>{"*.bak", "*.tmp", "表示.txt"}));
    EXPECT_EQ(ComboSelection(Control(kPatternCombo)), 0);
    EXPECT_EQ(WindowText(Control(kPatternCombo)), "*.bak");
    EXPECT_EQ(ListItems(Control(kChoiceList)), (std::vector<std::string>{"一", "二", "三"}));
    EXPECT_EQ(ListSelection(Control(kChoiceList)), LB_ERR);
    EXPECT_EQ(Item(window, 999), nullptr);
}

TEST_F(TargetWindow, SetsTextsAndCheckBoxes)
{
    SetText(Control(kNameEdit), "表示テスト");
    EXPECT_EQ(WindowText(Control(kNameEdit)), "表示テスト");
    SetText(Control(kPatternCombo), "*.old");
    EXPECT_EQ(WindowText(Control(kPatternCombo)), "*.old");
    SetText(Control(kDropLog), "one\r\ntwo\r\n");
    EXPECT_EQ(EditLines(Control(kDropLog)), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(EditLineCount(Control(kDropLog)), 3);  // the empty line after the last break

    SetCheck(Control(kOptionCheck), true);
    EXPECT_EQ(CheckState(Control(kOptionCheck)), BST_CHECKED);
    SetCheck(Control(kOptionCheck), true);  // no second click
    EXPECT_EQ(CheckState(Control(kOptionCheck)), BST_CHECKED);
    SetCheck(Control(kOptionCheck), false);
    EXPECT_EQ(CheckState(Control(kOptionCheck)), BST_UNCHECKED);
}

TEST_F(TargetWindow, MovesAndResizesTheWindow)
{
    MoveWindowTo(window, 40, 50, 500, 320);
    EXPECT_TRUE(SameRect(WindowRect(window), RECT{40, 50, 540, 370}));
    ResizeWindow(window, 600, 400);
    EXPECT_TRUE(SameRect(WindowRect(window), RECT{40, 50, 640, 450}));
    const RECT client = ClientRect(window);
    EXPECT_EQ(client.left, 0);
    EXPECT_GT(client.right, 0);
}

TEST_F(TargetWindow, ReadsAndAnswersAMessageBoxAfterAPostedClick)
{
    SetText(Control(kNameEdit), "こんにちは、表");
    PostClick(Control(kShowButton));
    HWND box = WaitForDialog("Pirovan", child.Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(DialogText(box), "こんにちは、表");
    const auto buttons = DialogButtons(box);
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0].id, IDOK);
    PressDialogButton(box, IDOK);
    EXPECT_TRUE(WaitForWindowGone(box));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Control(kStatus)) == "answer 1"; }));
}

TEST_F(TargetWindow, AnswersTheBoxOfASentClickFromAnotherThread)
{
    SetText(Control(kNameEdit), "送った");
    DialogAnswerer answerer("Pirovan", IDOK, child.Id());
    Click(Control(kShowButton));  // returns once the box is answered
    const auto answered = answerer.Answered();
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].text, "送った");
    EXPECT_EQ(WindowText(Control(kStatus)), "answer 1");
}

TEST_F(TargetWindow, AnswersEveryBoxOfAMenuCommandForAWhile)
{
    SetText(Control(kNameEdit), "menu");
    PostCommand(window, kShowCommand);
    const auto answered = AnswerDialogsFor("Pirovan", IDOK, 4000, child.Id());
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].text, "menu");
    EXPECT_EQ(FindDialog("Pirovan", child.Id()), nullptr);
}

TEST_F(TargetWindow, DroppedNamesReachDragQueryFile)
{
    // 表 ends in 0x5C and ソ is 83 5C: both must come through unchanged.
    const std::vector<std::string> names = {"Z:\\drop\\one.bak", "Z:\\drop\\表ソ\\二.bak"};
    DropFiles(window, names, {30, 40});
    ASSERT_TRUE(WaitUntil([&] { return WindowText(Control(kStatus)) == "dropped at 30,40"; }));
    EXPECT_EQ(EditLines(Control(kDropLog)), names);

    DropFiles(window, {"Z:\\again.tmp"});
    ASSERT_TRUE(WaitUntil([&] { return EditLines(Control(kDropLog)).size() == 1; }));
    EXPECT_EQ(EditLines(Control(kDropLog))[0], "Z:\\again.tmp");
}

TEST_F(TargetWindow, ReportsTheExitCodeAfterADeadline)
{
    EXPECT_EQ(child.WaitForExit(100), std::nullopt);
    EXPECT_TRUE(child.IsRunning());
    PostCommand(window, kExitCommand);
    EXPECT_EQ(child.WaitForExit(kDefaultTimeoutMs), 7u);
    EXPECT_FALSE(child.IsRunning());
    EXPECT_TRUE(TopWindowsOf(child.Id()).empty());
}

TEST(Process, ClosedWindowEndsTheProgramAndAChildIsKilledWhenDropped)
{
    auto closed = ChildProcess::Start(targetExe, "3");
    HWND window = WaitForWindow({.caption = kCaption, .processId = closed.Id()});
    ASSERT_NE(window, nullptr);
    PostClose(window);
    EXPECT_EQ(closed.WaitForExit(kDefaultTimeoutMs), 3u);

    HANDLE process = nullptr;
    {
        auto dropped = ChildProcess::Start(targetExe);
        ASSERT_NE(WaitForWindow({.caption = kCaption, .processId = dropped.Id()}), nullptr);
        process = OpenProcess(SYNCHRONIZE, FALSE, dropped.Id());
        ASSERT_NE(process, nullptr);
    }
    EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0);
    CloseHandle(process);
}

TEST(Process, StartsWithTheShowCommandAndTheCurrentDirectory)
{
    MakeDirs("start dir");
    const struct {
        int showCommand;
        bool minimised, maximised;
    } cases[] = {
        {SW_SHOWMINNOACTIVE, true, false},
        {SW_SHOWMAXIMIZED, false, true},
    };
    for (const auto& c : cases) {
        auto child = ChildProcess::Start(targetExe, "", FullPath("start dir"), c.showCommand);
        HWND window = WaitForWindow({.caption = kCaption, .processId = child.Id(), .visibleOnly = true});
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(IsMinimised(window), c.minimised) << c.showCommand;
        EXPECT_EQ(IsMaximised(window), c.maximised) << c.showCommand;
    }
    EXPECT_THROW(ChildProcess::Start(FullPath("start dir\\none.exe")), Error);
}

TEST(Process, AnswersTheShellsDeleteConfirmation)
{
    MakeFile("doomed.bak", "x");
    auto child = ChildProcess::Start(targetExe, "", CurrentDir());
    HWND window = WaitForWindow({.caption = kCaption, .processId = child.Id(), .visibleOnly = true});
    ASSERT_NE(window, nullptr);
    PostCommand(window, kDeleteCommand);
    HWND confirm = WaitForDialog(kDeleteConfirmCaption, child.Id());
    ASSERT_NE(confirm, nullptr);
    const auto buttons = DialogButtons(confirm);
    EXPECT_TRUE(std::any_of(buttons.begin(), buttons.end(), [](const DialogButton& b) {
        return b.id == IDYES && b.text == "はい(&Y)";
    }));
    PressDialogButton(confirm, IDYES);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Item(window, kStatus)) == "deleted 0"; }));
    EXPECT_FALSE(Exists("doomed.bak"));
    const auto trash = TrashContents();
    EXPECT_NE(std::find(trash.begin(), trash.end(), "doomed.bak"), trash.end());
    EXPECT_TRUE(Exists(TrashInfoDir() + "\\doomed.bak.trashinfo"));
}

TEST(Registry, WritesReadsAndDeletesAScratchKey)
{
    const std::string key = "Software\\Velmora\\PirovanDriverTest";
    ASSERT_TRUE(DeleteKeyTree(key));
    EXPECT_FALSE(KeyExists(key));
    EXPECT_EQ(ReadDword("Number", key), std::nullopt);

    WriteDword("Number", 42, key);
    WriteString("Text", "C:\\表示", key);
    WriteDword("Inner", 1, key + "\\Sub");
    EXPECT_TRUE(KeyExists(key));
    EXPECT_EQ(ReadDword("Number", key), 42u);
    EXPECT_EQ(ReadString("Text", key), "C:\\表示");
    EXPECT_EQ(ReadString("Number", key), std::nullopt);  // another type reads as absent
    EXPECT_EQ(ReadDword("Text", key), std::nullopt);
    auto names = ValueNames(key);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Number", "Text"}));

    EXPECT_TRUE(DeleteKeyTree(key));
    EXPECT_FALSE(KeyExists(key + "\\Sub"));
    EXPECT_FALSE(KeyExists(key));
    EXPECT_STREQ(kPirovanKey, "Software\\Velmora\\Pirovan");
}

TEST(Files, MakesTreesInTheCurrentDirectoryAndFindsTheTrash)
{
    MakeTree("tree", {{"a.bak", "one"}, {"sub\\表.bak", "two"}, {"empty\\", ""}});
    EXPECT_EQ(ListDir("tree"), (std::vector<std::string>{"a.bak", "empty", "sub"}));
    EXPECT_TRUE(IsDirectory("tree\\empty"));
    EXPECT_EQ(FileContents("tree\\sub\\表.bak"), "two");
    EXPECT_EQ(FileContents("tree\\none"), std::nullopt);
    SetAttributes("tree\\a.bak", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Attributes("tree\\a.bak").value_or(0) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(FullPath("tree"), CurrentDir() + "\\tree");
    EXPECT_EQ(CurrentDir().substr(0, 3), "Z:\\");

    const std::string home = HomeDir();
    EXPECT_EQ(home.substr(0, 3), "Z:\\");
    EXPECT_TRUE(IsDirectory(home));
    EXPECT_EQ(TrashFilesDir(), home + "\\.local\\share\\Trash\\files");
    EXPECT_EQ(TrashInfoDir(), home + "\\.local\\share\\Trash\\info");
}
