// A small window for the driver's self-test: a few controls, a menu, a message box on
// command and a drop target. Its first argument, if any, is the exit code it ends with.
#include "tests/driver/target_window_ids.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

namespace {

constexpr char kMessageCaption[] = "Pirovan";

int exitCode = 0;

HWND AddControl(HWND parent, const char* className, const char* text, DWORD style, int id,
                int x, int y, int width, int height)
{
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

void CreateControls(HWND window)
{
    AddControl(window, "EDIT", "名前", WS_BORDER | ES_AUTOHSCROLL, kNameEdit, 10, 10, 200, 24);
    AddControl(window, "BUTTON", "表示(&S)", BS_PUSHBUTTON, kShowButton, 220, 10, 100, 24);
    AddControl(window, "BUTTON", "オプション", BS_AUTOCHECKBOX, kOptionCheck, 10, 44, 200, 20);
    HWND combo = AddControl(window, "COMBOBOX", "", CBS_DROPDOWN | WS_VSCROLL, kPatternCombo,
                            10, 74, 200, 150);
    for (const char* item : {"*.bak", "*.tmp", "表示.txt"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    AddControl(window, "EDIT", "", WS_BORDER | ES_MULTILINE | ES_READONLY | WS_VSCROLL,
               kDropLog, 10, 110, 310, 100);
    AddControl(window, "STATIC", "", 0, kStatus, 10, 220, 310, 20);
    HWND list = AddControl(window, "LISTBOX", "", WS_BORDER | LBS_NOTIFY, kChoiceList,
                           330, 10, 120, 100);
    for (const char* item : {"一", "二", "三"})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

HMENU CreateMenuBar()
{
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, kShowCommand, "表示(&S)");
    AppendMenuA(file, MF_STRING, kDeleteCommand, "削除(&D)");
    AppendMenuA(file, MF_STRING, kExitCommand, "終了(&X)");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "ファイル(&F)");
    return bar;
}

void ShowMessage(HWND window)
{
    char name[256] = "";
    GetDlgItemTextA(window, kNameEdit, name, sizeof name);
    const int answer = MessageBoxA(window, name, kMessageCaption, MB_OK);
    SetDlgItemTextA(window, kStatus, ("answer " + std::to_string(answer)).c_str());
}

// Sends "doomed.bak" of the current directory to the trash, so that a test can answer the
// shell's confirmation.
void DeleteDoomed(HWND window)
{
    char path[MAX_PATH + 2] = "";
    const DWORD length = GetFullPathNameA("doomed.bak", MAX_PATH, path, nullptr);
    path[length + 1] = '\0';  // the list's second NUL
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = window;
    operation.wFunc = FO_DELETE;
    operation.pFrom = path;
    operation.fFlags = FOF_ALLOWUNDO;
    const int result = SHFileOperationA(&operation);
    SetDlgItemTextA(window, kStatus, ("deleted " + std::to_string(result)).c_str());
}

// Each dropped name on a line of its own, then where it was dropped.
void TakeDrop(HWND window, HDROP drop)
{
    std::string log;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char name[MAX_PATH];
        DragQueryFileA(drop, i, name, sizeof name);
        log += name;
        log += "\r\n";
    }
    POINT point{};
    DragQueryPoint(drop, &point);
    DragFinish(drop);
    SetDlgItemTextA(window, kDropLog, log.c_str());
    SetDlgItemTextA(window, kStatus,
                    ("dropped at " + std::to_string(point.x) + "," + std::to_string(point.y)).c_str());
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateControls(window);
        DragAcceptFiles(window, TRUE);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kShowButton:
        case kShowCommand:
            ShowMessage(window);
            return 0;
        case kDeleteCommand:
            DeleteDoomed(window);
            return 0;
        case kExitCommand:
            DestroyWindow(window);
            return 0;
        }
        break;
    case WM_DROPFILES:
        TakeDrop(window, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(exitCode);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    exitCode = std::atoi(commandLine);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "DriverTarget";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "DriverTarget", kCaption, WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 480, 300, nullptr,
                                  CreateMenuBar(), instance, nullptr);
    ShowWindow(window, showCommand);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
