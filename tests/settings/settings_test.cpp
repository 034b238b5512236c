// The settings load inside this process: a fresh main window is built against each table
// of stored values and compared with what it must show.

#include "app/Kemlo1.h"
#include "app/settings.h"
#include "framework/application.h"
#include "tests/driver/driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return lines;
        start = end + 1;
    }
}

TEST(FirstRunNotice, HasSevenLinesAndTheAboutBoxCredit)
{
    const std::vector<std::string> lines = LinesOf(settings::kFirstRunNotice);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], driver::ToCp932(L"\u3000   \u3000 \u3000\u3000\u3000       Pirovan V1.10"));
    EXPECT_EQ(lines[2], driver::ToCp932(L"Pirovanは指定されたファイルの削除を行います。"));
    EXPECT_EQ(lines[4], driver::ToCp932(L"このメッセージは初回起動時のみ表示されます。"));
    EXPECT_TRUE(lines[1].empty() && lines[3].empty() && lines[5].empty());
    EXPECT_EQ(lines[6], LinesOf(kAboutText).back());
    EXPECT_FALSE(lines[6].empty());
}

TEST(DriveRoot, OnlyLowerCaseLettersNameADrive)
{
    const struct {
        char saved;
        const char* root;
    } cases[] = {
        {'a', "A:"}, {'c', "C:"}, {'z', "Z:"},
        {'C', ""}, {'\0', ""}, {'1', ""}, {'`', ""}, {'{', ""},
        // Byte arithmetic alone would turn these into "a:" and "z:".
        {'\x81', ""}, {'\x9a', ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(settings::DriveRootFor(c.saved), c.root) << "saved drive code " << int(static_cast<unsigned char>(c.saved));
}

// A value as the table stores it: a DWORD, a string, or nothing at all.
struct Stored {
    enum Kind { Dword, String, Missing } kind;
    DWORD number = 0;
    std::string text;
};
Stored Number(DWORD value) { return {Stored::Dword, value, {}}; }
Stored Text(std::string value) { return {Stored::String, 0, std::move(value)}; }
Stored Missing() { return {Stored::Missing, 0, {}}; }

constexpr char kSavedDir[] = "C:\\pirovan-settings-dir";

std::map<std::string, Stored> EveryValueStored()
{
    return {
        {"OldF1Top", Number(50)}, {"OldF1Left", Number(60)}, {"OldF1Height", Number(400)},
        {"OldF1Width", Number(550)}, {"OldF1WState", Number(1)}, {"OldDir", Text(kSavedDir)},
        {"OldDrive", Text("c")}, {"Combo_0", Text("*.tmp")}, {"Combo_1", Text("*.tmp")},
        {"Combo_2", Text("*.old")}, {"Combo_3", Text("")}, {"Combo_4", Text("")},
        {"Combo_5", Text("")}, {"Combo_6", Text("")}, {"Combo_7", Text("")},
        {"Combo_8", Text("")}, {"DirCheck", Number(1)}, {"NoRecycle", Number(1)},
    };
}

// What the window shows after its creation.
struct Shown {
    int top, left, height, width;
    bool maximised;
    std::string directory;
    char drive;
    std::string pattern;
    std::vector<std::string> list;
    bool subdirectories, noRecycle;
    std::string slot0;
};

Shown ShownBy(const TForm1& form)
{
    std::vector<std::string> list;
    for (int i = 0; i < form.ComboBox1->ItemCount(); ++i)
        list.push_back(form.ComboBox1->Item(i));
    EXPECT_EQ(form.ComboBox1->DropDownCount(), static_cast<int>(list.size()));
    return {form.Top(), form.Left(), form.Height(), form.Width(),
            form.State() == fw::Form::WindowState::Maximized,
            form.DirectoryListBox1->Directory(), form.DriveComboBox1->Drive(),
            form.ComboBox1->Text(), list, form.CheckBox1->Checked(), form.CheckBox2->Checked(),
            form.ComboHist.Slots[0]};
}

void Store(const std::map<std::string, Stored>& values)
{
    driver::DeleteKeyTree();
    // The key itself, even when the table holds nothing.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, driver::kPirovanKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    for (const auto& [name, value] : values) {
        if (value.kind == Stored::Dword)
            driver::WriteDword(name, value.number);
        else if (value.kind == Stored::String)
            driver::WriteString(name, value.text);
    }
}

class LoadTable : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        start_dir_ = current;
        driver::MakeDirs(kSavedDir);
        // The first window is the application's main window and stays; it is built against
        // an empty key, so it shows the pickers as the process starts them.
        Store({});
        fw::App().Initialize();
        fw::App().SetTitle("Pirovan");
        fw::App().CreateForm(Form1);
        start_ = ShownBy(*Form1);
        char full[MAX_PATH] = {};
        GetFullPathNameA("C:", MAX_PATH, full, nullptr);
        drive_c_dir_ = full;
        SetCurrentDirectoryA(start_dir_.c_str());
    }
    static void TearDownTestSuite()
    {
        driver::DeleteKeyTree();
        RemoveDirectoryA(kSavedDir);
    }
    void TearDown() override
    {
        driver::DeleteKeyTree();
        SetCurrentDirectoryA(start_dir_.c_str());
    }

    static std::string start_dir_;
    static std::string drive_c_dir_;
    static Shown start_;
};
std::string LoadTable::start_dir_;
std::string LoadTable::drive_c_dir_;
Shown LoadTable::start_;

// The window's own values, from its definition.
constexpr int kDesignTop = 102, kDesignLeft = 206, kDesignHeight = 349, kDesignWidth = 490;

TEST_F(LoadTable, EachStoredValueOrItsAbsence)
{
    const Shown all = {50, 60, 400, 550, true, kSavedDir, 'c', "*.tmp", {"*.tmp", "*.old"}, true, true, "*.tmp"};

    struct Case {
        const char* what;
        std::map<std::string, Stored> changes;
        std::function<void(Shown&)> expect;   // from `all`
    };
    const auto pickersAtStart = [](Shown& s) {
        s.drive = start_.drive;
        s.directory = start_.directory;
    };
    const auto driveCOnly = [](Shown& s) { s.directory = drive_c_dir_; };
    std::vector<Case> cases = {
        {"every value stored", {}, [](Shown&) {}},
        {"OldDrive upper case", {{"OldDrive", Text("C")}}, pickersAtStart},
        {"OldDrive empty", {{"OldDrive", Text("")}}, pickersAtStart},
        {"OldDrive missing", {{"OldDrive", Missing()}}, pickersAtStart},
        {"lower-case drive with OldDir empty", {{"OldDir", Text("")}}, driveCOnly},
        {"OldDir gone", {{"OldDir", Text("C:\\pirovan-settings-gone")}}, driveCOnly},
        {"OldDir not a string", {{"OldDir", Number(7)}}, driveCOnly},
        {"Combo_0 empty, later slots set", {{"Combo_0", Text("")}},
         [](Shown& s) {
             s.pattern = "*.bak";
             s.list.clear();
             s.slot0 = "*.bak";
         }},
        {"Combo_1 not a string", {{"Combo_1", Number(3)}}, [](Shown& s) { s.list.clear(); }},
        {"Combo_0 missing", {{"Combo_0", Missing()}},
         [](Shown& s) {
             s.pattern = "*.bak";
             s.list.clear();
             s.slot0 = "*.bak";
         }},
    };
    const struct {
        const char* name;
        std::function<void(Shown&)> fallBack;
    } numbers[] = {
        {"OldF1Top", [](Shown& s) { s.top = kDesignTop; }},
        {"OldF1Left", [](Shown& s) { s.left = kDesignLeft; }},
        {"OldF1Height", [](Shown& s) { s.height = kDesignHeight; }},
        {"OldF1Width", [](Shown& s) { s.width = kDesignWidth; }},
        {"OldF1WState", [](Shown& s) { s.maximised = false; }},
        {"DirCheck", [](Shown& s) { s.subdirectories = false; }},
        {"NoRecycle", [](Shown& s) { s.noRecycle = false; }},
    };
    for (const auto& number : numbers) {
        cases.push_back({number.name, {{number.name, Missing()}}, number.fallBack});
        cases.push_back({number.name, {{number.name, Text("1")}}, number.fallBack});
    }

    driver::DialogAnswerer errorBoxes("Pirovan", IDOK, GetCurrentProcessId());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " / " + (c.changes.empty() ? "" : c.changes.begin()->first) + " " +
                     (c.changes.empty() ? "" : c.changes.begin()->second.kind == Stored::Missing  ? "missing"
                                               : c.changes.begin()->second.kind == Stored::String ? "string"
                                                                                                   : "dword"));
        std::map<std::string, Stored> values = EveryValueStored();
        for (const auto& [name, value] : c.changes)
            values[name] = value;
        Store(values);
        SetCurrentDirectoryA(start_dir_.c_str());

        TForm1* form = nullptr;
        fw::App().CreateForm(form);
        Shown expected = all;
        c.expect(expected);
        const Shown shown = ShownBy(*form);

        EXPECT_EQ(shown.top, expected.top);
        EXPECT_EQ(shown.left, expected.left);
        EXPECT_EQ(shown.height, expected.height);
        EXPECT_EQ(shown.width, expected.width);
        EXPECT_EQ(shown.maximised, expected.maximised);
        EXPECT_EQ(shown.directory, expected.directory);
        EXPECT_EQ(shown.drive, expected.drive);
        EXPECT_EQ(shown.pattern, expected.pattern);
        EXPECT_EQ(shown.list, expected.list);
        EXPECT_EQ(shown.subdirectories, expected.subdirectories);
        EXPECT_EQ(shown.noRecycle, expected.noRecycle);
        EXPECT_EQ(shown.slot0, expected.slot0);
        // The rest of the window's creation went on: it takes drops.
        EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
        DestroyWindow(form->Handle());
    }
    EXPECT_TRUE(errorBoxes.Answered().empty()) << "a message box: " << errorBoxes.Answered().front().text;
}

}  // namespace
