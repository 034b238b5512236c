// The shell's delete end to end: the request goes to the shell on a thread of its own, as
// from a worker, and this thread answers the shell's confirmation.

#include "engine/shell_delete.h"
#include "tests/engine/files.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The shell asks about a file and a folder under different captions.
const char kConfirmFile[] = "ファイルの削除の確認";
const char kConfirmFolder[] = "フォルダーの削除の確認";
constexpr DWORD kDeadlineMs = 60000;

struct Request {
    std::vector<char> list;
    bool directDelete = false;
    int result = -1;
};

DWORD WINAPI DeleteThread(void* param)
{
    Request* request = static_cast<Request*>(param);
    request->result = ShellDelete(request->list, request->directDelete);
    return 0;
}

struct DialogSearch {
    DWORD thread;
    HWND found = nullptr;
    std::string caption;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (GetWindowThreadProcessId(window, nullptr) == search->thread && std::string(className) == "#32770"
        && IsWindowVisible(window)) {
        char caption[256] = "";
        GetWindowTextA(window, caption, sizeof caption);
        search->found = window;
        search->caption = caption;
        return FALSE;
    }
    return TRUE;
}

// Runs ShellDelete on another thread, answers its confirmation with Yes and waits for it;
// returns the caption of the confirmation it answered ("" if none came in time).
std::string DeleteConfirmed(const std::vector<std::string>& paths, bool directDelete, bool& finished)
{
    Request request;
    request.list = DeleteList(paths);
    request.directDelete = directDelete;
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, DeleteThread, &request, 0, &threadId);
    std::string caption;
    DWORD start = GetTickCount();
    finished = false;
    while (GetTickCount() - start < kDeadlineMs) {
        if (WaitForSingleObject(thread, 100) == WAIT_OBJECT_0) {
            finished = true;
            break;
        }
        DialogSearch search{threadId};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found && caption.empty()) {
            caption = search.caption;
            PostMessageA(search.found, WM_COMMAND, IDYES, 0);
        }
    }
    if (!finished) {
        // Leave nothing blocked behind: cancel whatever the shell still shows.
        DialogSearch search{threadId};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            PostMessageA(search.found, WM_COMMAND, IDCANCEL, 0);
        }
        finished = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
    }
    CloseHandle(thread);
    return caption;
}

std::string Variable(const char* name)
{
    char value[MAX_PATH];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return std::string(value, length < sizeof value ? length : 0);
}

// Where the shell puts the trash: $XDG_DATA_HOME/Trash, by default ~/.local/share/Trash.
// Wine does not pass HOME on; it shows it as WINEHOMEDIR ("\??\Z:\...").
std::string TrashDir()
{
    std::string data = Variable("XDG_DATA_HOME");
    if (!data.empty()) {
        data = "Z:" + data;
        std::replace(data.begin(), data.end(), '/', '\\');
    } else {
        std::string home = Variable("WINEHOMEDIR");
        if (home.rfind("\\??\\", 0) == 0) {
            home.erase(0, 4);
        }
        data = home.empty() ? home : home + "\\.local\\share";
    }
    return data.empty() ? data : data + "\\Trash";
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

using ShellDeleteFiles = FilesTest;

TEST_F(ShellDeleteFiles, ConfirmedDeleteGoesToTheTrashUnlessDirect)
{
    const std::string trash = TrashDir();
    ASSERT_FALSE(trash.empty()) << "neither XDG_DATA_HOME nor WINEHOMEDIR is set";
    struct Case {
        const char* name;
        bool directory;
        bool directDelete;
    } cases[] = {
        {"recycled.bak", false, false},
        {"direct.bak", false, true},
        {"direct-dir", true, true},
        {"recycled-dir", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = root_ + "\\" + c.name;
        if (c.directory) {
            MakeDir(path);
            MakeDir(path + "\\inner");
            MakeFile(path + "\\inner\\deep.bak");
            MakeFile(path + "\\top.bak");
        } else {
            MakeFile(path, 0, "content");
        }
        bool finished = false;
        std::string caption = DeleteConfirmed({path}, c.directDelete, finished);
        ASSERT_TRUE(finished) << "the shell did not finish within the deadline";
        EXPECT_EQ(caption, c.directory ? kConfirmFolder : kConfirmFile);
        EXPECT_FALSE(Exists(path));
        const std::string inTrash = trash + "\\files\\" + c.name;
        const std::string info = trash + "\\info\\" + c.name + ".trashinfo";
        EXPECT_EQ(Exists(inTrash), !c.directDelete) << inTrash;
        EXPECT_EQ(Exists(info), !c.directDelete) << info;
        if (!c.directDelete && c.directory) {
            EXPECT_TRUE(Exists(inTrash + "\\inner\\deep.bak"));
        }
    }
}

}  // namespace
