#pragma once
// Dropping files onto a window of another process, as Explorer does: a WM_DROPFILES whose
// HDROP lives in the receiving process.

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

// Drops `paths` (code page 932) onto `target` at `point` (client coordinates) and returns
// once the WM_DROPFILES is posted. The HDROP is a moveable global memory block of the
// target's process, as the shell's is, so that DragQueryFileA reads it and DragFinish frees it.
// Another process's memory cannot be written here (WriteProcessMemory fails under Wine on
// this machine), so a hook DLL (drop_hook.cpp) makes the block inside the target.
// Throws Error if the drop cannot be delivered.
void DropFiles(HWND target, const std::vector<std::string>& paths, POINT point = {20, 20});

}  // namespace driver
