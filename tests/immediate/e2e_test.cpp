// Immediate deletion, end to end: Kemlo.exe started with paths to delete, and files dropped
// onto its window through a real WM_DROPFILES; the shell's confirmations answered from here.

#include "tests/driver/driver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

using namespace driver;

namespace {

constexpr DWORD kDeadline = 60000;
constexpr int kMemo1 = 1009, kButton1 = 1010, kButton2 = 1011, kCheckBox1 = 1012, kMemo2 = 1013,
              kComboBox1 = 1014, kCheckBox2 = 1015;

const std::string kProgram = KemloExePath();

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// A complete set of settings, so that neither the first-run notice nor a missing value
// stops the start; the saved directory is `directory`.
void WriteSettings(const std::string& directory, bool noRecycle = false)
{
    DeleteKeyTree();
    WriteDword("OldF1Top", 102);
    WriteDword("OldF1Left", 206);
    WriteDword("OldF1Height", 349);
    WriteDword("OldF1Width", 490);
    WriteDword("OldF1WState", 0);
    char drive = directory[0];  // the drive box reports its letter in lower case
    if (drive >= 'A' && drive <= 'Z')
        drive = static_cast<char>(drive - 'A' + 'a');
    WriteString("OldDrive", std::string(1, drive));
    WriteString("OldDir", directory);
    WriteDword("DirCheck", 0);
    WriteDword("NoRecycle", noRecycle ? 1 : 0);
    for (int i = 0; i < 9; ++i)
        WriteString("Combo_" + std::to_string(i), "");
}

HWND MainWindowOf(const ChildProcess& child, bool visibleOnly)
{
    return FindTopWindow(
        {.caption = "Pirovan", .className = "TForm1", .processId = child.Id(), .visibleOnly = visibleOnly});
}

class Immediate : public testing::Test {
protected:
    void SetUp() override { WriteSettings(CurrentDir()); }
    void TearDown() override { DeleteKeyTree(); }
};

// How a start with arguments went: it must end by itself, never showing its window.
struct Ending {
    std::optional<DWORD> exitCode;
    bool windowShown = false;
    std::vector<AnsweredDialog> confirmations;
    std::vector<AnsweredDialog> boxes;  // the program's own boxes: none expected
};

Ending RunWithArguments(const std::string& arguments, const std::string& currentDir = "")
{
    ChildProcess child = ChildProcess::Start(kProgram, arguments, currentDir);
    DialogAnswerer confirm(kDeleteConfirmCaption, IDYES, child.Id());
    DialogAnswerer boxes("Pirovan", IDOK, child.Id());
    Ending ending;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kDeadline) {
        if (MainWindowOf(child, true))
            ending.windowShown = true;
        ending.exitCode = child.WaitForExit(20);
        if (ending.exitCode)
            break;
    }
    ending.confirmations = confirm.Answered();
    ending.boxes = boxes.Answered();
    return ending;
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// What came into the trash since `before` (the trash is the whole test program's).
std::vector<std::string> TrashedSince(const std::vector<std::string>& before)
{
    std::vector<std::string> added;
    for (const std::string& name : TrashContents())
        if (std::find(before.begin(), before.end(), name) == before.end())
            added.push_back(name);
    return added;
}

}  // namespace

TEST_F(Immediate, ArgumentsAreDeletedInOneRequestWithoutAWindow)
{
    MakeFile("one.bak", "1");
    MakeFile("表 two.bak", "2");
    const std::vector<std::string> trash = TrashContents();
    const Ending ending = RunWithArguments(Quoted(FullPath("one.bak")) + " " + Quoted(FullPath("表 two.bak")));
    EXPECT_EQ(ending.exitCode, 0u);
    EXPECT_FALSE(ending.windowShown);
    EXPECT_EQ(ending.confirmations.size(), 1u);
    EXPECT_TRUE(ending.boxes.empty());
    EXPECT_FALSE(Exists("one.bak"));
    EXPECT_FALSE(Exists("表 two.bak"));
    EXPECT_EQ(TrashedSince(trash), Sorted({"one.bak", "表 two.bak"}));
}

TEST_F(Immediate, AFirstStartWithArgumentsShowsTheNoticeAndSavesTheSettings)
{
    DeleteKeyTree();
    MakeFile("first.bak", "1");
    const Ending ending = RunWithArguments(Quoted(FullPath("first.bak")));
    EXPECT_EQ(ending.exitCode, 0u);
    EXPECT_FALSE(ending.windowShown);
    EXPECT_EQ(ending.boxes.size(), 1u);  // the first-run notice
    EXPECT_EQ(ending.confirmations.size(), 1u);
    EXPECT_FALSE(Exists("first.bak"));
    // The close saved the settings, and so created the key.
    EXPECT_TRUE(KeyExists());
    EXPECT_TRUE(ReadDword("OldF1Top").has_value());
}

TEST_F(Immediate, ArgumentsAreSplitAtBlanksOutsideQuotes)
{
    const struct {
        std::string arguments;                // "@" stands for the fixture directory
        std::vector<std::string> deleted, kept;  // relative to the child's directory
    } cases[] = {
        {"\"@\\a b.bak\"", {"a b.bak"}, {"a", "b.bak"}},
        {"@\\a b.bak", {"a", "b.bak"}, {"a b.bak"}},  // the second piece is relative
        {"\"@\\a\"\" b.bak\"", {"a b.bak"}, {"a", "b.bak"}},  // stretches that touch
        {"\"\" @\\a", {"a"}, {"a b.bak", "b.bak"}},
    };
    int round = 0;
    for (const auto& c : cases) {
        const std::string directory = FullPath("split" + std::to_string(round++));
        for (const char* name : {"a b.bak", "a", "b.bak"})
            MakeFile(directory + "\\" + name, name);
        std::string arguments = c.arguments;
        for (size_t at; (at = arguments.find('@')) != std::string::npos;)
            arguments.replace(at, 1, directory);
        const Ending ending = RunWithArguments(arguments, directory);
        EXPECT_EQ(ending.exitCode, 0u) << arguments;
        EXPECT_FALSE(ending.windowShown) << arguments;
        EXPECT_EQ(ending.confirmations.size(), 1u) << arguments;
        for (const std::string& name : c.deleted)
            EXPECT_FALSE(Exists(directory + "\\" + name)) << arguments << ": " << name;
        for (const std::string& name : c.kept)
            EXPECT_TRUE(Exists(directory + "\\" + name)) << arguments << ": " << name;
    }
}

TEST_F(Immediate, RelativeArgumentsAreTakenWhereTheProgramWasStarted)
{
    // The saved directory holds a file of the same name: the settings load moves there.
    MakeFile("saved\\rel.bak", "saved");
    MakeFile("caller\\rel.bak", "caller");
    WriteSettings(FullPath("saved"));
    const Ending ending = RunWithArguments("rel.bak", FullPath("caller"));
    EXPECT_EQ(ending.exitCode, 0u);
    EXPECT_EQ(ending.confirmations.size(), 1u);
    EXPECT_FALSE(Exists("caller\\rel.bak"));
    EXPECT_EQ(FileContents("saved\\rel.bak"), "saved");
    // The run really started in the saved directory, or the case proves nothing.
    EXPECT_EQ(ReadString("OldDir"), FullPath("saved"));
}

TEST_F(Immediate, ArgumentsLongerThanAPathSlotDoNotOverrun)
{
    MakeFile("first.bak", "1");
    // 300 and 600 characters: more than a path slot holds, and than the shell's buffers
    // (Wine's delete ends the process on the longer one).
    const std::string longer = CurrentDir() + "\\" + std::string(300, 'x') + ".bak";
    const std::string longest = CurrentDir() + "\\" + std::string(600, 'y');
    const Ending ending = RunWithArguments(Quoted(FullPath("first.bak")) + " " + Quoted(longer) + " " + Quoted(longest));
    EXPECT_EQ(ending.exitCode, 0u);
    EXPECT_FALSE(ending.windowShown);
    EXPECT_TRUE(ending.boxes.empty());
    EXPECT_EQ(ending.confirmations.size(), 1u);
    EXPECT_FALSE(Exists("first.bak"));
}

TEST_F(Immediate, EmptyQuotesAloneOpenTheWindow)
{
    ChildProcess child = ChildProcess::Start(kProgram, "\"\"  \"\"");
    HWND window = WaitForWindow({.caption = "Pirovan", .className = "TForm1", .processId = child.Id(),
                                 .visibleOnly = true},
                                kDeadline);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindDialog(kDeleteConfirmCaption, child.Id()), nullptr);
    PostClose(window);
    EXPECT_EQ(child.WaitForExit(kDeadline), 0u);
}

TEST_F(Immediate, ASecondCopyWithArgumentsDeletesNothing)
{
    MakeFile("keep.bak", "1");
    ChildProcess first = ChildProcess::Start(kProgram);
    HWND window = WaitForWindow({.caption = "Pirovan", .className = "TForm1", .processId = first.Id(),
                                 .visibleOnly = true},
                                kDeadline);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsMinimised(window); }));
    SetForegroundWindow(GetDesktopWindow());

    const Ending second = RunWithArguments(Quoted(FullPath("keep.bak")));
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_TRUE(second.confirmations.empty());
    EXPECT_FALSE(second.windowShown);
    Pause(1000);
    EXPECT_EQ(FindDialog(kDeleteConfirmCaption), nullptr);
    EXPECT_TRUE(Exists("keep.bak"));
    EXPECT_EQ(ForegroundWindow(), window);

    PostClose(window);
    EXPECT_EQ(first.WaitForExit(kDeadline), 0u);
}

// A running program, its window, and the controls a drop locks.
class Dropping : public Immediate {
protected:
    void SetUp() override
    {
        Immediate::SetUp();
        child.emplace(ChildProcess::Start(kProgram, "", CurrentDir()));
        window = WaitForWindow({.caption = "Pirovan", .className = "TForm1", .processId = child->Id(),
                                .visibleOnly = true},
                               kDeadline);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override
    {
        if (window && child && child->IsRunning()) {
            PostClose(window);
            EXPECT_EQ(child->WaitForExit(kDeadline), 0u);
        }
        Immediate::TearDown();
    }

    HWND Control(int id) { return Item(window, id); }
    bool InputsEnabled()
    {
        return IsEnabled(Control(kButton1)) && IsEnabled(Control(kComboBox1)) && IsEnabled(Control(kCheckBox1))
               && IsEnabled(Control(kCheckBox2));
    }
    bool InputsDisabled()
    {
        return !IsEnabled(Control(kButton1)) && !IsEnabled(Control(kComboBox1))
               && !IsEnabled(Control(kCheckBox1)) && !IsEnabled(Control(kCheckBox2));
    }
    // A confirmation of the program's that is not one of `known`.
    HWND WaitForNewConfirmation(const std::vector<HWND>& known)
    {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : TopWindowsOf(child->Id()))
                    if (IsShown(w) && ClassNameOf(w) == "#32770" && WindowText(w) == kDeleteConfirmCaption
                        && std::find(known.begin(), known.end(), w) == known.end())
                        return (found = w) != nullptr;
                return false;
            },
            kDeadline);
        return found;
    }

    std::optional<ChildProcess> child;
    HWND window = nullptr;
};

TEST_F(Dropping, ThreeFilesAreListedAndConfirmedOnce)
{
    SetText(Control(kMemo2), "Z:\\old");
    const std::vector<std::string> paths = {FullPath("d1.bak"), FullPath("表\\d2.bak"), FullPath("d 3.txt")};
    for (const std::string& path : paths)
        MakeFile(path, "x");
    const bool stopEnabled = IsEnabled(Control(kButton2));
    const std::vector<std::string> trash = TrashContents();

    DropFiles(window, paths);
    HWND confirmation = WaitForNewConfirmation({});
    ASSERT_NE(confirmation, nullptr);
    // While the shell asks: the names listed, the inputs locked, Stop as it was, and the
    // window still answering.
    EXPECT_EQ(EditLines(Control(kMemo1)), paths);
    EXPECT_EQ(WindowText(Control(kMemo2)), "");
    EXPECT_TRUE(InputsDisabled());
    EXPECT_EQ(IsEnabled(Control(kButton2)), stopEnabled);
    EXPECT_EQ(WindowText(window), "Pirovan");

    PressDialogButton(confirmation, IDYES);
    EXPECT_TRUE(WaitUntil([&] { return InputsEnabled(); }, kDeadline));
    for (const std::string& path : paths)
        EXPECT_FALSE(Exists(path)) << path;
    EXPECT_EQ(TrashedSince(trash), Sorted({"d1.bak", "d2.bak", "d 3.txt"}));
    EXPECT_EQ(EditLines(Control(kMemo1)), paths);
    Pause(500);
    EXPECT_EQ(FindDialog(kDeleteConfirmCaption, child->Id()), nullptr);
}

TEST_F(Dropping, RefusedDeletionKeepsFilesAndTheList)
{
    const std::vector<std::string> paths = {FullPath("r1.bak")};
    MakeFile(paths[0], "x");
    DropFiles(window, paths);
    HWND confirmation = WaitForNewConfirmation({});
    ASSERT_NE(confirmation, nullptr);
    PressDialogButton(confirmation, IDNO);
    EXPECT_TRUE(WaitUntil([&] { return InputsEnabled(); }, kDeadline));
    EXPECT_TRUE(Exists(paths[0]));
    EXPECT_EQ(EditLines(Control(kMemo1)), paths);
}

TEST_F(Dropping, AFolderGoesWithItsContentsIntoTheTrashOrOutright)
{
    const struct {
        bool noRecycle;
        bool trashed;
    } cases[] = {{false, true}, {true, false}};
    const std::vector<std::string> trash = TrashContents();
    int round = 0;
    for (const auto& c : cases) {
        SetCheck(Control(kCheckBox2), c.noRecycle);
        const std::string folderName = "folder" + std::to_string(round);
        const std::string folder = FullPath(folderName);
        const std::string file = FullPath("file" + std::to_string(round++) + ".bak");
        MakeTree(folder, {{"inner.bak", "1"}, {"sub\\deeper.bak", "2"}, {"empty\\", ""}});
        MakeFile(file, "3");
        DialogAnswerer confirm(kDeleteConfirmCaption, IDYES, child->Id());
        DropFiles(window, {folder, file});
        ASSERT_TRUE(confirm.WaitForAnswered(1, kDeadline)) << c.noRecycle;
        EXPECT_TRUE(WaitUntil([&] { return InputsEnabled() && !Exists(folder) && !Exists(file); }, kDeadline))
            << c.noRecycle;
        const std::vector<std::string> added = TrashedSince(trash);
        EXPECT_EQ(std::find(added.begin(), added.end(), folderName) != added.end(), c.trashed) << c.noRecycle;
        EXPECT_EQ(confirm.Answered().size(), 1u);
    }
    EXPECT_EQ(TrashedSince(trash), Sorted({"folder0", "file0.bak"}));
}

// A drop inside another's confirmation gets its own; the inputs come back with the last.
TEST_F(Dropping, ADropDuringAnotherIsHandledInsideItAndTheLastEnablesTheInputs)
{
    MakeFile("outer.bak", "1");
    MakeFile("inner.bak", "2");
    DropFiles(window, {FullPath("outer.bak")});
    HWND outer = WaitForNewConfirmation({});
    ASSERT_NE(outer, nullptr);
    DropFiles(window, {FullPath("inner.bak")});
    HWND inner = WaitForNewConfirmation({outer});
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(EditLines(Control(kMemo1)), std::vector<std::string>{FullPath("inner.bak")});

    PressDialogButton(inner, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !Exists("inner.bak"); }, kDeadline));
    Pause(1000);
    EXPECT_TRUE(InputsDisabled());
    EXPECT_TRUE(IsWindow(outer));
    EXPECT_TRUE(Exists("outer.bak"));

    PressDialogButton(outer, IDYES);
    EXPECT_TRUE(WaitUntil([&] { return InputsEnabled() && !Exists("outer.bak"); }, kDeadline));
}

// A run whose delete confirmation is up, and a drop with one of its own: whichever of the
// two ends first, Start stays disabled until the other has ended too.
TEST_F(Dropping, ADropDuringASearchRunLeavesTheInputsToWhicheverEndsLast)
{
    for (bool dropEndsFirst : {true, false}) {
        MakeFile("found.run", "1");
        MakeFile("dropped.bak", "2");
        SetText(Control(kComboBox1), "*.run");
        PostClick(Control(kButton1));
        HWND run = WaitForNewConfirmation({});
        ASSERT_NE(run, nullptr) << dropEndsFirst;
        DropFiles(window, {FullPath("dropped.bak")});
        HWND drop = WaitForNewConfirmation({run});
        ASSERT_NE(drop, nullptr) << dropEndsFirst;

        HWND first = dropEndsFirst ? drop : run;
        HWND last = dropEndsFirst ? run : drop;
        PressDialogButton(first, IDYES);
        ASSERT_TRUE(WaitUntil([&] { return !Exists(dropEndsFirst ? "dropped.bak" : "found.run"); }, kDeadline));
        Pause(1000);
        EXPECT_FALSE(IsEnabled(Control(kButton1))) << dropEndsFirst;
        EXPECT_FALSE(IsEnabled(Control(kComboBox1))) << dropEndsFirst;

        PressDialogButton(last, IDYES);
        EXPECT_TRUE(WaitUntil([&] { return InputsEnabled() && !IsEnabled(Control(kButton2)); }, kDeadline))
            << dropEndsFirst;
        EXPECT_FALSE(Exists("found.run"));
        EXPECT_FALSE(Exists("dropped.bak"));
    }
}
