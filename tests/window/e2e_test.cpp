// Starts Kemlo.exe as a child process and drives its main window from outside, as a user
// would: controls, resize rule, about box, help, a second copy, File > Exit.

#include "tests/window/control_table.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kDeadline = 60000;
constexpr int kStop = 1011, kExit = 2004, kHelpContents = 2006, kAbout = 2008;

std::string WinePath(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return "Z:" + path;
}

const std::string kProgram = WinePath(KEMLO_EXE);

PROCESS_INFORMATION Start()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + kProgram + "\"";
    if (!CreateProcessA(kProgram.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        ADD_FAILURE() << "cannot start " << kProgram << ": " << GetLastError();
    return process;
}

DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

template <class Found>
HWND WaitFor(Found found, DWORD timeout = kDeadline)
{
    const DWORD start = GetTickCount();
    do {
        if (HWND window = found())
            return window;
        Sleep(50);
    } while (GetTickCount() - start < timeout);
    return nullptr;
}

// WM_GETTEXT itself: GetWindowText on another process's window returns its stored caption,
// not what an edit field holds; and the W message, as some ANSI ones come back cut.
std::string TextOf(HWND window)
{
    wchar_t wide[2048] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL, kDeadline, &length);
    char text[4096] = {};
    WideCharToMultiByte(932, 0, wide, static_cast<int>(length), text, sizeof text - 1, nullptr, nullptr);
    return text;
}

std::vector<HWND> ChildrenOf(HWND parent, const char* window_class)
{
    std::vector<HWND> found;
    for (HWND child = FindWindowExA(parent, nullptr, window_class, nullptr); child;
         child = FindWindowExA(parent, child, window_class, nullptr))
        found.push_back(child);
    return found;
}

RECT ClientBoundsOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A message box (#32770) of that process, with that caption.
HWND BoxOf(DWORD pid, const char* caption)
{
    for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", caption); box;
         box = FindWindowExA(nullptr, box, "#32770", caption))
        if (ProcessOf(box) == pid && IsWindowVisible(box))
            return box;
    return nullptr;
}

std::string MessageOf(HWND box)
{
    std::string longest;
    for (HWND label : ChildrenOf(box, "Static"))
        if (TextOf(label).size() > longest.size())
            longest = TextOf(label);
    return longest;
}

class RunningProgram : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // An empty settings key: no first-run notice, and every setting from the definition.
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegCloseKey(key);
        process_ = Start();
        main_ = WaitFor([] {
            HWND window = FindWindowA("TForm1", "Pirovan");
            return window && ProcessOf(window) == process_.dwProcessId && IsWindowVisible(window) ? window
                                                                                                  : nullptr;
        });
    }
    static void TearDownTestSuite()
    {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    }
    static constexpr char kSettingsKey[] = "Software\\Velmora\\Pirovan";
    void SetUp() override { ASSERT_NE(main_, nullptr) << "no window \"Pirovan\" within the deadline"; }

    static PROCESS_INFORMATION process_;
    static HWND main_;
};

PROCESS_INFORMATION RunningProgram::process_ = {};
HWND RunningProgram::main_ = nullptr;

}  // namespace

TEST_F(RunningProgram, ShowsEveryControlOfTheTable)
{
    RECT outer;
    GetWindowRect(main_, &outer);
    EXPECT_EQ(outer.left, 206);
    EXPECT_EQ(outer.top, 102);
    EXPECT_EQ(outer.right - outer.left, 490);
    EXPECT_EQ(outer.bottom - outer.top, 349);
    for (const ExpectedControl& e : kExpectedControls) {
        SCOPED_TRACE(e.name);
        HWND control = GetDlgItem(main_, e.id);
        ASSERT_NE(control, nullptr);
        char window_class[32] = {};
        GetClassNameA(control, window_class, sizeof window_class);
        EXPECT_STREQ(window_class, e.window_class);
        const RECT bounds = ClientBoundsOf(control);
        EXPECT_EQ(bounds.left, e.left);
        EXPECT_EQ(bounds.top, e.top);
        EXPECT_EQ(bounds.right - bounds.left, e.width);
        if (e.height >= 0) {
            EXPECT_EQ(bounds.bottom - bounds.top, e.height);
        }
        if (e.text) {
            EXPECT_EQ(TextOf(control), e.text);
        }
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, e.enabled);
        const DWORD style = GetWindowLongA(control, GWL_STYLE);
        EXPECT_EQ(style & e.style_set, e.style_set);
        EXPECT_EQ(style & e.style_clear, 0u);
    }
}

TEST_F(RunningProgram, ResizeRuleHoldsTheLimits)
{
    for (const ResizeCase& c : kResizeCases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        SetWindowPos(main_, nullptr, 0, 0, c.width, c.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        DWORD_PTR ignored;
        SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, kDeadline, &ignored);
        RECT outer;
        GetWindowRect(main_, &outer);
        EXPECT_EQ(outer.right - outer.left, c.window_width);
        EXPECT_EQ(outer.bottom - outer.top, c.window_height);
        const RECT list = ClientBoundsOf(GetDlgItem(main_, 1008));
        const RECT memo1 = ClientBoundsOf(GetDlgItem(main_, 1009));
        const RECT memo2 = ClientBoundsOf(GetDlgItem(main_, 1013));
        const RECT pattern = ClientBoundsOf(GetDlgItem(main_, 1014));
        const RECT start = ClientBoundsOf(GetDlgItem(main_, 1010));
        EXPECT_EQ(list.bottom - list.top, c.list_height);
        EXPECT_EQ(memo1.bottom - memo1.top, c.list_height);
        EXPECT_EQ(memo1.right - memo1.left, c.pattern_width);
        EXPECT_EQ(pattern.right - pattern.left, c.pattern_width);
        EXPECT_EQ(memo2.right - memo2.left, c.memo2_width);
        EXPECT_EQ(memo2.top, 232 + c.bottom_shift);
        EXPECT_EQ(start.top, 264 + c.bottom_shift);
    }
    SetWindowPos(main_, nullptr, 0, 0, 490, 349, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(RunningProgram, AboutBoxShowsItsTextCentred)
{
    PostMessageA(main_, WM_COMMAND, kAbout, 0);
    HWND box = WaitFor([] { return BoxOf(process_.dwProcessId, "Pirovan"); });
    ASSERT_NE(box, nullptr);
    const std::string expected = std::string(kAboutTitleLine) + "\n\n" + kAboutSentence + "\n\n";
    const std::string text = MessageOf(box);
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_NE(text.find("Velmora", expected.size()), std::string::npos);
    EXPECT_EQ(text.back(), 'a') << "no line feed at the end";

    int buttons = 0;
    for (HWND button : ChildrenOf(box, "Button"))
        if (IsWindowVisible(button)) {
            ++buttons;
            EXPECT_EQ(GetDlgCtrlID(button), IDOK);
        }
    EXPECT_EQ(buttons, 1);
    for (HWND label : ChildrenOf(box, "Static"))
        if ((GetWindowLongA(label, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            EXPECT_EQ(SendMessageA(label, STM_GETICON, 0, 0), 0) << "an icon";
    EXPECT_FALSE(IsWindowEnabled(main_)) << "the box is modal";

    RECT rect;
    GetWindowRect(box, &rect);
    EXPECT_NEAR((rect.left + rect.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((rect.top + rect.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_NE(WaitFor([box] { return IsWindow(box) ? nullptr : main_; }), nullptr);
    EXPECT_TRUE(WaitFor([] { return IsWindowEnabled(main_) ? main_ : nullptr; }));
}

TEST_F(RunningProgram, StopIsDisabledWhileNoRunGoesOn)
{
    // The Stop flag itself is checked in-process (window_form_test); from outside only
    // the button's state can be seen.
    HWND stop = GetDlgItem(main_, kStop);
    EXPECT_FALSE(IsWindowEnabled(stop));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main_, 1010)));
}

TEST_F(RunningProgram, HelpContentsAsksForTheMissingHelpFile)
{
    // Without Kemlo.hlp the help viewer asks whether to look for it; the window waits
    // until that is answered.
    PostMessageA(main_, WM_COMMAND, kHelpContents, 0);
    HWND question = WaitFor([] {
        for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", nullptr); box;
             box = FindWindowExA(nullptr, box, "#32770", nullptr))
            if (IsWindowVisible(box) && MessageOf(box).find("Kemlo.hlp") != std::string::npos)
                return box;
        return static_cast<HWND>(nullptr);
    });
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDNO, 0);
    DWORD_PTR ignored;
    EXPECT_NE(SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, kDeadline, &ignored), 0);
}

TEST_F(RunningProgram, SecondCopyBringsTheFirstForward)
{
    // Something else in front first.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    EXPECT_EQ(GetForegroundWindow(), other);

    PROCESS_INFORMATION second = Start();
    bool own_window = false;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(second.hProcess, 50) == WAIT_TIMEOUT && GetTickCount() - start < kDeadline) {
        for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
            if (ProcessOf(window) == second.dwProcessId && IsWindowVisible(window))
                own_window = true;
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(second.hProcess, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(own_window);
    EXPECT_EQ(GetForegroundWindow(), main_);
    if (code == STILL_ACTIVE)
        TerminateProcess(second.hProcess, 1);
    CloseHandle(second.hProcess);
    CloseHandle(second.hThread);
    DestroyWindow(other);
}

TEST_F(RunningProgram, FileExitEndsTheProgramWithZero)
{
    PostMessageA(main_, WM_COMMAND, kExit, 0);
    ASSERT_EQ(WaitForSingleObject(process_.hProcess, kDeadline), WAIT_OBJECT_0);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    EXPECT_EQ(code, 0u);
}
