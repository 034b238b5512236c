#include "tests/driver/drop.h"

#include "tests/driver/drop_hook.h"
#include "tests/driver/error.h"
#include "tests/driver/paths.h"
#include "tests/driver/wait.h"

#include <shlobj.h>

#include <cstring>

namespace driver {

namespace {

// The DROPFILES header followed by the names, each NUL-terminated, and one more NUL.
std::vector<BYTE> DropBlock(const std::vector<std::string>& paths, POINT point)
{
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.pt = point;
    header.fNC = FALSE;
    header.fWide = FALSE;
    std::vector<BYTE> block(sizeof header);
    std::memcpy(block.data(), &header, sizeof header);
    for (const std::string& path : paths) {
        block.insert(block.end(), path.begin(), path.end());
        block.push_back(0);
    }
    block.push_back(0);
    if (paths.empty())
        block.push_back(0);
    return block;
}

// Closes the handle and unmaps the view when the drop is done or failed.
struct Mapping {
    HANDLE handle = nullptr;
    DropMapping* view = nullptr;
    ~Mapping()
    {
        if (view)
            UnmapViewOfFile(view);
        if (handle)
            CloseHandle(handle);
    }
};

HMODULE HookModule()
{
    static HMODULE module = LoadLibraryA(WindowsPath(DRIVER_DROP_HOOK_DLL).c_str());
    if (!module)
        ThrowLastError("LoadLibrary " DRIVER_DROP_HOOK_DLL);
    return module;
}

}  // namespace

void DropFiles(HWND target, const std::vector<std::string>& paths, POINT point)
{
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(target, &processId);
    if (!threadId)
        throw Error("DropFiles: no such window");
    const std::vector<BYTE> block = DropBlock(paths, point);

    Mapping mapping;
    mapping.handle = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(DropMapping) + block.size(),
                                        DropMappingName(processId).c_str());
    if (!mapping.handle)
        ThrowLastError("CreateFileMapping");
    mapping.view = static_cast<DropMapping*>(MapViewOfFile(mapping.handle, FILE_MAP_WRITE, 0, 0, 0));
    if (!mapping.view)
        ThrowLastError("MapViewOfFile");
    mapping.view->size = static_cast<DWORD>(block.size());
    mapping.view->posted = 0;
    std::memcpy(mapping.view->block, block.data(), block.size());

    HMODULE module = HookModule();
    auto* hookProc = reinterpret_cast<HOOKPROC>(GetProcAddress(module, kDropHookName));
    if (!hookProc)
        ThrowLastError("GetProcAddress DriverDropHook");
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, hookProc, module, threadId);
    if (!hook)
        ThrowLastError("SetWindowsHookEx");
    DWORD_PTR ignored = 0;
    const BOOL answered = SendMessageTimeoutA(target, RegisterWindowMessageA(kDropMessageName), 0, 0,
                                              SMTO_NORMAL, kDefaultTimeoutMs, &ignored);
    const DWORD error = GetLastError();
    UnhookWindowsHookEx(hook);
    if (!answered) {
        SetLastError(error);
        ThrowLastError("SendMessage (drop)");
    }
    if (!mapping.view->posted)
        throw Error("DropFiles: the hook did not run in the target");
}

}  // namespace driver
