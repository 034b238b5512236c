// The settings of the real program: started, changed, closed with File > Exit and started
// again, with the registry key read back from here. The key is cleaned before and after
// every case.

#include "tests/driver/driver.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace driver;

constexpr DWORD kDeadline = 60000;
constexpr int kExit = 2004;
constexpr int kDriveBox = 1007, kDirectoryList = 1008, kSubdirectories = 1012, kPattern = 1014, kNoRecycle = 1015;
constexpr char kVendorKey[] = "Software\\Velmora";

HWND MainWindowOf(const ChildProcess& program)
{
    return WaitForWindow({.caption = "Pirovan", .className = "TForm1", .processId = program.Id(), .visibleOnly = true},
                         kDeadline);
}

// File > Exit, and the program ends with 0.
void Exit(ChildProcess& program, HWND main)
{
    PostCommand(main, kExit);
    EXPECT_EQ(program.WaitForExit(kDeadline), std::optional<DWORD>(0));
}

struct Bounds {
    int left, top, width, height;
    bool operator==(const Bounds&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Bounds& b)
{
    return out << b.left << "," << b.top << " " << b.width << "x" << b.height;
}
Bounds BoundsOf(HWND window)
{
    const RECT r = WindowRect(window);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MakeEmptyKey()
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kPirovanKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

class Settings : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(DeleteKeyTree(kVendorKey)); }
    void TearDown() override { DeleteKeyTree(kVendorKey); }
};

TEST_F(Settings, FirstStartShowsTheNoticeUntilTheWindowHasClosedOnce)
{
    const std::string notice = ToCp932(L"\u3000   \u3000 \u3000\u3000\u3000       Pirovan V1.10\n"
                                       L"\n"
                                       L"Pirovanは指定されたファイルの削除を行います。\n"
                                       L"\n"
                                       L"このメッセージは初回起動時のみ表示されます。\n"
                                       L"\n"
                                       L"Copyright (C) Velmora");
    // The first start is ended without a close, so the second one is a first start too.
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE("start " + std::to_string(start));
        ChildProcess program = ChildProcess::Start(KemloExePath());
        HWND box = WaitForDialog("Pirovan", program.Id(), kDeadline);
        ASSERT_NE(box, nullptr) << "no first-run notice";
        HWND main = FindTopWindow({.caption = "Pirovan", .className = "TForm1", .processId = program.Id()});
        EXPECT_TRUE(main == nullptr || !IsShown(main)) << "the window is shown before the notice is answered";
        EXPECT_EQ(DialogText(box), notice);
        const std::vector<DialogButton> buttons = DialogButtons(box);
        ASSERT_EQ(buttons.size(), 1u);
        EXPECT_EQ(buttons[0].id, IDOK);
        PressDialogButton(box, IDOK);

        main = MainWindowOf(program);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(BoundsOf(main), (Bounds{206, 102, 490, 349}));
        EXPECT_FALSE(IsMaximised(main));
        EXPECT_EQ(WindowText(Item(main, kPattern)), "*.bak");
        EXPECT_TRUE(ComboItems(Item(main, kPattern)).empty());
        EXPECT_EQ(CheckState(Item(main, kSubdirectories)), BST_UNCHECKED);
        EXPECT_EQ(CheckState(Item(main, kNoRecycle)), BST_UNCHECKED);
        EXPECT_FALSE(KeyExists()) << "the load created the key";
        if (start == 1)
            program.Kill();
        else
            Exit(program, main);
    }
    ASSERT_TRUE(KeyExists()) << "the close did not create the key";
    EXPECT_EQ(ReadString("Combo_0"), "*.bak");

    ChildProcess program = ChildProcess::Start(KemloExePath());
    HWND main = MainWindowOf(program);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(FindDialog("Pirovan", program.Id()), nullptr) << "the notice came after a close";
    Exit(program, main);
}

TEST_F(Settings, EveryValueSurvivesACloseAndAStart)
{
    const std::string dir = "C:\\pirovan-settings-rt";
    MakeDirs(dir + "\\inner");
    MakeEmptyKey();
    WriteString("OldDrive", "c");
    WriteString("OldDir", dir);
    WriteString("Combo_0", "*.a");
    for (int slot = 1; slot <= 8; ++slot)
        WriteString("Combo_" + std::to_string(slot), "p" + std::to_string(slot));

    {
        ChildProcess program = ChildProcess::Start(KemloExePath());
        HWND main = MainWindowOf(program);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(FindDialog("Pirovan", program.Id()), nullptr);
        EXPECT_EQ(WindowText(Item(main, kDriveBox)).substr(0, 2), "c:");
        const auto entries = ListItems(Item(main, kDirectoryList));
        ASSERT_TRUE(entries.has_value());
        EXPECT_EQ(entries->back(), "inner") << "the list does not show the saved directory";
        EXPECT_EQ(WindowText(Item(main, kPattern)), "*.a");
        EXPECT_EQ(ComboItems(Item(main, kPattern)),
                  (std::vector<std::string>{"p1", "p2", "p3", "p4", "p5", "p6", "p7", "p8"}));

        MoveWindowTo(main, 100, 80, 520, 380);
        SetCheck(Item(main, kSubdirectories), true);
        SetCheck(Item(main, kNoRecycle), true);
        SetText(Item(main, kPattern), "*.new");
        Exit(program, main);
    }
    const std::vector<std::string> history = {"*.new", "*.new", "p1", "p2", "p3", "p4", "p5", "p6", "p7"};
    auto expectStored = [&] {
        EXPECT_EQ(ReadDword("OldF1Top"), 80u);
        EXPECT_EQ(ReadDword("OldF1Left"), 100u);
        EXPECT_EQ(ReadDword("OldF1Height"), 380u);
        EXPECT_EQ(ReadDword("OldF1Width"), 520u);
        EXPECT_EQ(ReadDword("OldF1WState"), 0u);
        EXPECT_EQ(ReadString("OldDrive"), "c");
        EXPECT_EQ(ReadString("OldDir"), dir);
        EXPECT_EQ(ReadDword("DirCheck"), 1u);
        EXPECT_EQ(ReadDword("NoRecycle"), 1u);
        for (int slot = 0; slot <= 8; ++slot)
            EXPECT_EQ(ReadString("Combo_" + std::to_string(slot)), history[slot]) << "slot " << slot;
    };
    expectStored();

    {
        ChildProcess program = ChildProcess::Start(KemloExePath());
        HWND main = MainWindowOf(program);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(BoundsOf(main), (Bounds{100, 80, 520, 380}));
        EXPECT_FALSE(IsMaximised(main));
        EXPECT_EQ(CheckState(Item(main, kSubdirectories)), BST_CHECKED);
        EXPECT_EQ(CheckState(Item(main, kNoRecycle)), BST_CHECKED);
        EXPECT_EQ(WindowText(Item(main, kPattern)), "*.new");
        EXPECT_EQ(ComboItems(Item(main, kPattern)),
                  (std::vector<std::string>(history.begin() + 1, history.end())));
        EXPECT_EQ(WindowText(Item(main, kDriveBox)).substr(0, 2), "c:");
        // Closed untouched, it writes back what it read.
        Exit(program, main);
    }
    expectStored();
    RemoveDirectoryA((dir + "\\inner").c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST_F(Settings, MaximisedWindowKeepsItsRestoredBounds)
{
    MakeEmptyKey();
    {
        ChildProcess program = ChildProcess::Start(KemloExePath());
        HWND main = MainWindowOf(program);
        ASSERT_NE(main, nullptr);
        MoveWindowTo(main, 120, 90, 500, 360);
        PostMessageA(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsMaximised(main); }));
        EXPECT_NE(BoundsOf(main), (Bounds{120, 90, 500, 360}));
        Exit(program, main);
    }
    EXPECT_EQ(ReadDword("OldF1Top"), 90u);
    EXPECT_EQ(ReadDword("OldF1Left"), 120u);
    EXPECT_EQ(ReadDword("OldF1Height"), 360u);
    EXPECT_EQ(ReadDword("OldF1Width"), 500u);
    EXPECT_EQ(ReadDword("OldF1WState"), 1u);

    ChildProcess program = ChildProcess::Start(KemloExePath());
    HWND main = MainWindowOf(program);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsMaximised(main); })) << "not started maximised";
    PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsMaximised(main); }));
    // The maximised style goes before the window has moved back: wait for the move too.
    WaitUntil([&] { return BoundsOf(main) == Bounds{120, 90, 500, 360}; });
    EXPECT_EQ(BoundsOf(main), (Bounds{120, 90, 500, 360}));
    Exit(program, main);
}

TEST_F(Settings, GoneDirectoryStillLetsTheCommandLinePathsBeDeleted)
{
    MakeEmptyKey();
    WriteString("OldDrive", "c");
    WriteString("OldDir", "C:\\pirovan-settings-gone");
    WriteDword("DirCheck", 1);
    const std::string victim = FullPath("victim.bak");
    MakeFile(victim, "x");

    ChildProcess program = ChildProcess::Start(KemloExePath(), QuoteArgument(victim));
    DialogAnswerer confirm(kDeleteConfirmCaption, IDYES, program.Id());
    DialogAnswerer boxes("Pirovan", IDOK, program.Id());
    EXPECT_EQ(program.WaitForExit(kDeadline), std::optional<DWORD>(0));
    EXPECT_FALSE(Exists(victim));
    for (const AnsweredDialog& box : boxes.Answered())
        ADD_FAILURE() << "message box: " << box.text;
    // The close that ends a command-line run saves what the window held.
    EXPECT_EQ(ReadString("OldDrive"), "c");
    EXPECT_EQ(ReadString("OldDir"), "C:\\");
    EXPECT_EQ(ReadDword("DirCheck"), 1u);
}

TEST_F(Settings, KeyThatCannotBeCreatedIsReportedOnceAndTheWindowCloses)
{
    // Under a volatile key no lasting key can be made: the close's create fails for real.
    HKEY vendor = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kVendorKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                              &vendor, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(vendor);

    ChildProcess program = ChildProcess::Start(KemloExePath());
    HWND notice = WaitForDialog("Pirovan", program.Id(), kDeadline);
    ASSERT_NE(notice, nullptr);
    PressDialogButton(notice, IDOK);
    HWND main = MainWindowOf(program);
    ASSERT_NE(main, nullptr);

    PostCommand(main, kExit);
    HWND report = WaitForDialog("Pirovan", program.Id(), kDeadline);
    ASSERT_NE(report, nullptr) << "no error report";
    EXPECT_NE(DialogText(report).find("Software\\Velmora\\Pirovan"), std::string::npos) << DialogText(report);
    EXPECT_EQ(DialogButtons(report).size(), 1u);
    PressDialogButton(report, IDOK);

    DialogAnswerer more("Pirovan", IDOK, program.Id());
    EXPECT_EQ(program.WaitForExit(kDeadline), std::optional<DWORD>(0)) << "the window did not close";
    for (const AnsweredDialog& box : more.Answered())
        ADD_FAILURE() << "a further box: " << box.text;
    EXPECT_FALSE(KeyExists());
}

}  // namespace
