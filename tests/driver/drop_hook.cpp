// The drop hook DLL: loaded by Wine into the target process when its thread is hooked.
#include "tests/driver/drop_hook.h"

#include <cstring>

namespace {

UINT DropMessage()
{
    static const UINT message = RegisterWindowMessageA(driver::kDropMessageName);
    return message;
}

void PostDrop(HWND target)
{
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE,
                                      driver::DropMappingName(GetCurrentProcessId()).c_str());
    if (!mapping)
        return;
    if (auto* shared = static_cast<driver::DropMapping*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))) {
        // Moveable, like the shell's own drops: DragQueryFile locks it, DragFinish frees it.
        if (HGLOBAL drop = GlobalAlloc(GHND, shared->size)) {
            std::memcpy(GlobalLock(drop), shared->block, shared->size);
            GlobalUnlock(drop);
            if (PostMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0))
                InterlockedExchange(&shared->posted, 1);
            else
                GlobalFree(drop);
        }
        UnmapViewOfFile(shared);
    }
    CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK DriverDropHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->message == DropMessage())
            PostDrop(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
