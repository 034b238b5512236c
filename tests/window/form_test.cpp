// Builds the main window in this process from its definition and compares it with the
// table of what it must hold.

#include "app/Kemlo1.h"
#include "framework/application.h"
#include "framework/encoding.h"
#include "framework/error.h"
#include "framework/window_definition.h"
#include "tests/window/control_table.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string TextOf(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

RECT ClientBoundsOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string HintOf(HWND tooltip, HWND form, UINT_PTR id, bool is_window)
{
    char text[256] = {};
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = form;
    tool.uId = id;
    tool.uFlags = is_window ? TTF_IDISHWND : 0;
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

LOGFONTA FontOf(HWND window)
{
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class MainWindow : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (Form1)
            return;
        fw::App().Initialize();
        fw::App().SetTitle("Pirovan");
        fw::App().SetHelpFile("Kemlo.hlp");
        // An empty settings key: no first-run notice, and every setting from the definition.
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegCloseKey(key);
        fw::App().CreateForm(Form1);
    }
    static void TearDownTestSuite() { RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey); }
    static constexpr char kSettingsKey[] = "Software\\Velmora\\Pirovan";
    HWND form() const { return Form1->Handle(); }
};

}  // namespace

TEST(Encoding, JapaneseTextsAreShiftJis)
{
    const unsigned char hyouji[] = {0x95, 0x5C, 0x8E, 0xA6};
    const std::string literal = "表示";
    ASSERT_EQ(literal.size(), sizeof hyouji);
    EXPECT_EQ(std::memcmp(literal.data(), hyouji, sizeof hyouji), 0);
    // The same text as the window definition holds it: UTF-8, converted when read.
    EXPECT_EQ(fw::Utf8ToCp932("\xE8\xA1\xA8\xE7\xA4\xBA"), literal);
    EXPECT_THROW(fw::Utf8ToCp932("\xED\x95\x9C"), fw::Exception);   // Hangul: no code page 932 form
}

TEST(WindowDefinition, RejectsFaultyDefinitions)
{
    const char* faulty[] = {
        "control Label1 label\n    bounds 1 2 3 4\n",             // no end
        "form T\nend\ncontrol L label\n  text \"abc\n",           // unterminated text
        "form T\n  caption 削除\nend\n",                           // unquoted non-ASCII
        "form T\n  caption \"a\"\n  caption \"b\"\nend\n",         // given twice
        "form T\nend\nmenu M\n  submenu A \"a\"\n  thing\n end\nend\n",
        "control L label\nend\n",                                  // no form
        "widget W\n",
    };
    for (const char* text : faulty) {
        SCOPED_TRACE(text);
        EXPECT_THROW(fw::ParseWindowDefinition(text), fw::Exception);
    }
    const fw::WindowDefinition parsed = fw::ParseWindowDefinition("form T\n  bounds 1 2 x 4\nend\n");
    EXPECT_THROW(parsed.form.Ints("bounds", 4), fw::Exception);
    EXPECT_THROW(parsed.form.CheckKeys({"caption"}, "T"), fw::Exception);
}

TEST(WindowDefinition, ReadsControlsAndMenuInOrder)
{
    const fw::WindowDefinition definition = fw::ParseWindowDefinition(
        "# c\nform TX\n  caption \"\xE8\xA1\xA8 \\\"q\\\"\"\nend\ncontrol A label\n  bounds 1 2 3 4\nend\n"
        "menu M\n  submenu S \"s\"\n    item I \"i\" Click\n    separator N\n  end\nend\n");
    EXPECT_EQ(definition.class_name, "TX");
    EXPECT_EQ(definition.form.Text("caption"), "表 \"q\"");
    ASSERT_EQ(definition.controls.size(), 1u);
    EXPECT_EQ(definition.controls[0].properties.Ints("bounds", 4), (std::vector<int>{1, 2, 3, 4}));
    ASSERT_EQ(definition.menu.size(), 3u);
    EXPECT_TRUE(definition.menu[0].submenu);
    EXPECT_EQ(definition.menu[1].on_click, "Click");
    EXPECT_EQ(definition.menu[1].depth, 1);
    EXPECT_TRUE(definition.menu[2].separator);
}

TEST(DirectoryList, SplitsPathsByCharacters)
{
    EXPECT_EQ(fw::SplitPath("C:\\"), (std::vector<std::string>{"C:\\"}));
    EXPECT_EQ(fw::SplitPath("C:\\DATA\\表"), (std::vector<std::string>{"C:\\", "DATA", "表"}));
    EXPECT_EQ(fw::SplitPath("C:\\表示\\x"), (std::vector<std::string>{"C:\\", "表示", "x"}));
}

TEST(AboutText, HasItsFiveLines)
{
    const std::string text = kAboutText;
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], kAboutTitleLine);
    EXPECT_EQ(lines[0].substr(0, 4), std::string("\x81\x40   ", 5).substr(0, 4));   // U+3000 is 81 40
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], kAboutSentence);
    EXPECT_EQ(lines[3], "");
    EXPECT_NE(lines[4].find("Velmora"), std::string::npos);
}

TEST_F(MainWindow, HasItsOwnProperties)
{
    EXPECT_EQ(TextOf(form()), "Pirovan");
    char window_class[32] = {};
    GetClassNameA(form(), window_class, sizeof window_class);
    EXPECT_STREQ(window_class, "TForm1");
    EXPECT_EQ(Form1->Left(), 206);
    EXPECT_EQ(Form1->Top(), 102);
    EXPECT_EQ(Form1->Width(), 490);
    EXPECT_EQ(Form1->Height(), 349);
    const LONG style = GetWindowLongA(form(), GWL_STYLE);
    for (LONG bit : {WS_CAPTION, WS_THICKFRAME, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX})
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    EXPECT_EQ(GetClassLongPtrA(form(), GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_FALSE(IsWindowVisible(form())) << "shown only by the message loop";
    // The window's own icon, and the application's for its class.
    EXPECT_NE(SendMessageA(form(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(form(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(GetClassLongPtrA(form(), GCLP_HICON), reinterpret_cast<ULONG_PTR>(fw::App().Icon()));
    EXPECT_NE(fw::App().Icon(), LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));

    const LOGFONTA font = FontOf(Form1->Button1->Handle());
    EXPECT_STREQ(font.lfFaceName, "ＭＳ ゴシック");
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(font.lfPitchAndFamily & 3, FIXED_PITCH);
    EXPECT_TRUE(Form1->ShowHint());

    EXPECT_FALSE(Form1->StopRequest);
    // An empty settings key gives slot 0 the box's text; the list stays empty.
    EXPECT_EQ(Form1->ComboHist.Slots[0], "*.bak");
    for (std::size_t slot = 1; slot < Form1->ComboHist.Slots.size(); ++slot)
        EXPECT_EQ(Form1->ComboHist.Slots[slot], "");
    EXPECT_EQ(Form1->SavedDir, "");
    EXPECT_EQ(Form1->SavedDrive, '\0');
}

TEST_F(MainWindow, HoldsEveryControlOfTheTable)
{
    const HWND tooltip = Form1->HintControl().Handle();
    EXPECT_EQ(HintOf(tooltip, form(), 1, false), kWindowHint);
    for (const ExpectedControl& e : kExpectedControls) {
        SCOPED_TRACE(e.name);
        fw::Control* control = Form1->FindControl(e.name);
        ASSERT_NE(control, nullptr);
        HWND window = GetDlgItem(form(), e.id);
        ASSERT_EQ(window, control->Handle());
        char window_class[32] = {};
        GetClassNameA(window, window_class, sizeof window_class);
        EXPECT_STREQ(window_class, e.window_class);

        const RECT bounds = ClientBoundsOf(window);
        EXPECT_EQ(bounds.left, e.left);
        EXPECT_EQ(bounds.top, e.top);
        EXPECT_EQ(bounds.right - bounds.left, e.width);
        if (e.height >= 0 && !control->FillsClientArea()) {
            EXPECT_EQ(bounds.bottom - bounds.top, e.height);
        }
        EXPECT_EQ(control->Height(), e.height >= 0 ? e.height : control->Height());
        if (e.text) {
            EXPECT_EQ(TextOf(window), e.text);
        }
        EXPECT_EQ(IsWindowEnabled(window) != FALSE, e.enabled);
        const DWORD style = GetWindowLongA(window, GWL_STYLE);
        EXPECT_EQ(style & e.style_set, e.style_set);
        EXPECT_EQ(style & e.style_clear, 0u);
        EXPECT_EQ(control->TabOrder(), e.tab_order);
        EXPECT_EQ(HintOf(tooltip, form(), reinterpret_cast<UINT_PTR>(window), true), e.hint ? e.hint : "");
        EXPECT_STREQ(FontOf(window).lfFaceName, "ＭＳ ゴシック");
    }
    // The bevel follows the client area.
    RECT client;
    GetClientRect(form(), &client);
    const RECT bevel = ClientBoundsOf(Form1->Bevel1->Handle());
    EXPECT_EQ(bevel.right - bevel.left, client.right);
    EXPECT_EQ(bevel.bottom - bevel.top, client.bottom);
    EXPECT_FALSE(Form1->CheckBox1->Checked());
    EXPECT_FALSE(Form1->CheckBox2->Checked());
    EXPECT_EQ(Form1->ComboBox1->ItemCount(), 0);
    EXPECT_EQ(SendMessageA(Form1->DirectoryListBox1->Handle(), LB_GETITEMHEIGHT, 0, 0), 16);
}

TEST_F(MainWindow, TabOrderFollowsTheDefinitionAndTheBevelLiesUnderAll)
{
    std::vector<int> ids;
    for (HWND child = GetWindow(form(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ids.push_back(GetDlgCtrlID(child));
    const std::vector<int> tab_order = {1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1015};
    ASSERT_GE(ids.size(), tab_order.size() + 1);
    EXPECT_EQ(std::vector<int>(ids.begin(), ids.begin() + tab_order.size()), tab_order);
    EXPECT_EQ(ids.back(), 1001);
}

TEST_F(MainWindow, HasItsMenu)
{
    HMENU bar = GetMenu(form());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    HMENU submenu = nullptr;
    int position = 0;
    for (const ExpectedMenuItem& e : kExpectedMenu) {
        SCOPED_TRACE(e.id);
        HMENU menu = e.depth == 0 ? bar : submenu;
        if (e.depth == 0)
            position = e.id == 2001 ? 0 : 1;
        char caption[64] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = caption;
        info.cch = sizeof caption;
        ASSERT_TRUE(GetMenuItemInfoA(menu, e.depth == 0 ? position : position++, TRUE, &info));
        EXPECT_EQ(static_cast<int>(info.wID), e.id);
        if (e.caption) {
            EXPECT_STREQ(caption, e.caption);
            EXPECT_EQ(info.fState & MFS_DISABLED, 0u);
        } else {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
            EXPECT_TRUE(info.fState & MFS_DISABLED);
        }
        if (e.depth == 0) {
            submenu = info.hSubMenu;
            ASSERT_NE(submenu, nullptr);
            position = 0;
        }
    }
}

TEST_F(MainWindow, ResizeRuleMovesTheControls)
{
    for (const ResizeCase& c : kResizeCases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        SetWindowPos(form(), nullptr, 0, 0, c.width, c.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
        EXPECT_EQ(Form1->Width(), c.window_width);
        EXPECT_EQ(Form1->Height(), c.window_height);
        auto height = [](fw::Control* control) { return ClientBoundsOf(control->Handle()).bottom - ClientBoundsOf(control->Handle()).top; };
        auto width = [](fw::Control* control) { return ClientBoundsOf(control->Handle()).right - ClientBoundsOf(control->Handle()).left; };
        auto top = [](fw::Control* control) { return ClientBoundsOf(control->Handle()).top; };
        EXPECT_EQ(height(Form1->DirectoryListBox1), c.list_height);
        EXPECT_EQ(height(Form1->Memo1), c.list_height);
        EXPECT_EQ(width(Form1->ComboBox1), c.pattern_width);
        EXPECT_EQ(width(Form1->Memo1), c.pattern_width);
        EXPECT_EQ(width(Form1->Memo2), c.memo2_width);
        EXPECT_EQ(top(Form1->Label4), 216 + c.bottom_shift);
        EXPECT_EQ(top(Form1->Memo2), 232 + c.bottom_shift);
        EXPECT_EQ(top(Form1->Button1), 264 + c.bottom_shift);
        EXPECT_EQ(top(Form1->Button2), 264 + c.bottom_shift);
        EXPECT_EQ(top(Form1->CheckBox1), 256 + c.bottom_shift);
        EXPECT_EQ(top(Form1->CheckBox2), 280 + c.bottom_shift);
        // Nothing else moves.
        EXPECT_EQ(top(Form1->Label1), 48);
        EXPECT_EQ(width(Form1->DriveComboBox1), 145);
        EXPECT_EQ(ClientBoundsOf(Form1->Button2->Handle()).left, 96);
    }
    SetWindowPos(form(), nullptr, 0, 0, 490, 349, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(MainWindow, StopButtonSetsTheFlag)
{
    // Stop is disabled while no run goes on: a click on it then does nothing.
    SendMessageA(Form1->Button2->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_FALSE(Form1->StopRequest);
    Form1->Button2->SetEnabled(true);
    SendMessageA(Form1->Button2->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_TRUE(Form1->StopRequest);
    Form1->Button2->SetEnabled(false);
    Form1->StopRequest = false;
}

TEST_F(MainWindow, PickersFollowTheirOwnDirectory)
{
    char start[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, start);
    fw::DirectoryList& list = *Form1->DirectoryListBox1;
    fw::DriveBox& drives = *Form1->DriveComboBox1;
    EXPECT_EQ(drives.Drive(), static_cast<char>(tolower(start[0])));

    ASSERT_TRUE(CreateDirectoryA("表示", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(CreateDirectoryA("表示\\sub", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    const std::string inside = std::string(start) + "\\表示";
    list.SetDirectory(inside);
    EXPECT_EQ(list.Directory(), inside);
    ASSERT_FALSE(list.Entries().empty());
    EXPECT_EQ(list.Entries().back().name, "sub");
    EXPECT_FALSE(list.Entries().back().open);
    char now[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, now);
    EXPECT_EQ(std::string(now), inside);

    // The process's directory moving elsewhere does not move the list.
    SetCurrentDirectoryA(start);
    EXPECT_EQ(list.Directory(), inside);

    // Opening the last entry goes down into it; a missing directory changes nothing.
    list.Open(static_cast<int>(list.Entries().size()) - 1);
    EXPECT_EQ(list.Directory(), inside + "\\sub");
    EXPECT_THROW(list.SetDirectory(inside + "\\missing"), fw::Exception);
    EXPECT_EQ(list.Directory(), inside + "\\sub");

    drives.SetDrive('c');
    EXPECT_EQ(drives.Drive(), 'c');
    EXPECT_EQ(list.Directory().substr(0, 2), "C:");
    char absent = 0;
    for (char letter = 'y'; letter > 'c' && !absent; --letter)
        if (!(GetLogicalDrives() & (1u << (letter - 'a'))))
            absent = letter;
    ASSERT_NE(absent, 0);
    EXPECT_THROW(drives.SetDrive(absent), fw::Exception);
    EXPECT_EQ(drives.Drive(), 'c');

    list.SetDirectory(start);
    EXPECT_EQ(drives.Drive(), static_cast<char>(tolower(start[0])));
}
