// Times a whole search run over a tree, and its parts. bench/run_bench.sh drives it.
//
//   run_bench window ROOT KEMLO  Kemlo.exe (a Windows path) started in ROOT, subdirectories on, "*.bak": seconds
//                           from the click on Start to the shell's confirmation (answered No)
//   run_bench dir ROOT      cmd /c dir /s /b ROOT\*.bak > file: seconds until cmd ends
//   run_bench engine ROOT   in this process: the search alone (no hand-over), then a
//                           Kemlo2 run whose window does nothing (every hand-over made, no
//                           window work), each in seconds, and the number of matches
#include "engine/Kemlo2.h"
#include "engine/search.h"
#include "framework/thread.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kStart = 1010, kSubDirs = 1012, kPattern = 1014;
constexpr DWORD kDeadlineMs = 30 * 60 * 1000;
constexpr char kSettingsKey[] = "Software\\Velmora\\Pirovan";

double Now()
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(frequency.QuadPart);
}

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return std::string(full, length);
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "run_bench: %s\n", what);
    std::exit(1);
}

// --- the program's own run -------------------------------------------------------------

struct Found {
    DWORD pid;
    const char* window_class;
    bool not_ours;  // a dialog other than the program's own message boxes
    HWND window;
};

BOOL CALLBACK FindOf(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char window_class[64] = "";
    GetClassNameA(window, window_class, sizeof window_class);
    if (pid != found->pid || std::strcmp(window_class, found->window_class) != 0 || !IsWindowVisible(window))
        return TRUE;
    if (found->not_ours) {
        char caption[64] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (std::strcmp(caption, "Pirovan") == 0)
            return TRUE;
    }
    found->window = window;
    return FALSE;
}

HWND WindowOf(DWORD pid, const char* window_class, bool not_ours, DWORD poll_ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        Found found{pid, window_class, not_ours, nullptr};
        EnumWindows(FindOf, reinterpret_cast<LPARAM>(&found));
        if (found.window)
            return found.window;
        if (GetTickCount() - start > kDeadlineMs)
            return nullptr;
        Sleep(poll_ms);
    }
}

int TimeWindowRun(const std::string& kemlo, const std::string& root)
{
    // With the settings key the program shows no first-run notice.
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        == ERROR_SUCCESS)
        RegCloseKey(key);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + kemlo + "\"";
    const std::string directory = FullPath(root);
    if (!CreateProcessA(kemlo.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &startup, &process))
        Fail("cannot start Kemlo.exe");
    HWND main = WindowOf(process.dwProcessId, "TForm1", false, 50);
    if (!main)
        Fail("no main window");
    SendMessageA(GetDlgItem(main, kPattern), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("*.bak"));
    HWND sub_dirs = GetDlgItem(main, kSubDirs);
    if (SendMessageA(sub_dirs, BM_GETCHECK, 0, 0) != BST_CHECKED)
        SendMessageA(sub_dirs, BM_CLICK, 0, 0);

    const double start = Now();
    PostMessageA(GetDlgItem(main, kStart), BM_CLICK, 0, 0);
    HWND confirm = WindowOf(process.dwProcessId, "#32770", true, 10);
    const double seconds = Now() - start;
    if (!confirm)
        Fail("no confirmation from the shell");
    std::printf("%.3f\n", seconds);
    std::fflush(stdout);
    PostMessageA(confirm, WM_COMMAND, IDNO, 0);

    // Idle again, then closed.
    HWND start_button = GetDlgItem(main, kStart);
    for (DWORD waited = GetTickCount(); !IsWindowEnabled(start_button) && GetTickCount() - waited < kDeadlineMs;)
        Sleep(50);
    PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    return 0;
}

// --- cmd's dir, for comparison ----------------------------------------------------------

int TimeDir(const std::string& root)
{
    std::string command = "cmd /c dir /s /b \"" + FullPath(root) + "\\*.bak\" > dir_output.txt";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = Now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        Fail("cannot start cmd");
    WaitForSingleObject(process.hProcess, kDeadlineMs);
    const double seconds = Now() - start;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    std::printf("%.3f\n", seconds);
    return 0;
}

// --- the engine alone --------------------------------------------------------------------

class SilentSearch : public SearchWorker {
public:
    void ShowDir() override {}
    void ShowList() override {}
    void PollStop() override {}
};

// A window that does nothing in any step: what is left of a run is the search and the
// hand-overs themselves.
class NullWindow : public RunWindow {
public:
    explicit NullWindow(std::string root) : root_(std::move(root)) {}
    void LockForRun() override {}
    void TakeSettings(Kemlo2& worker) override
    {
        worker.Pattern = "*.bak";
        worker.RootDir = root_;
        worker.WithSubDirs = true;
    }
    void LockAll() override {}
    void UnlockAfterRun() override {}
    void RunEnded() override {}
    void ShowDir(const std::string&) override {}
    void ShowList(const std::vector<std::string>&) override {}
    void Say(const std::string&) override {}
    const std::atomic<bool>& StopFlag() const override { return stop_; }

private:
    std::string root_;
    std::atomic<bool> stop_{false};
};

double delete_requested_at = 0;
std::size_t delete_list_bytes = 0;

int NoDelete(const std::vector<char>& list, bool)
{
    delete_requested_at = Now();
    delete_list_bytes = list.size();
    return 0;
}

int TimeEngine(const std::string& root)
{
    const std::string directory = FullPath(root);
    SilentSearch search;
    search.Pattern = "*.bak";
    double start = Now();
    SearchTree(search, directory);
    const double search_seconds = Now() - start;
    SetCurrentDirectoryA(directory.c_str());

    fw::TThread::InitHandOver();
    NullWindow window(directory);
    start = Now();
    Kemlo2::Run(window, NoDelete);
    fw::TThread::WaitForAll();
    if (delete_requested_at == 0)
        Fail("the run made no delete request");
    std::printf("%.3f %.3f %zu\n", search_seconds, delete_requested_at - start, search.FileList.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        Fail("usage: run_bench window|dir|engine ROOT [KEMLO]");
    const std::string mode = argv[1];
    const std::string root = argv[2];
    if (mode == "window" && argc > 3)
        return TimeWindowRun(argv[3], root);
    if (mode == "dir")
        return TimeDir(root);
    if (mode == "engine")
        return TimeEngine(root);
    Fail("unknown mode");
}
