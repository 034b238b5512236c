#pragma once
// What the driver and its drop hook DLL (drop_hook.cpp) share. The driver writes the
// DROPFILES block into a named mapping, hooks the target's thread with the DLL and sends
// kDropMessageName to the target window; the hook, inside the target, copies the block
// into a global memory handle of that process and posts WM_DROPFILES with it.

#include <windows.h>

#include <string>

namespace driver {

constexpr char kDropMessageName[] = "PirovanDriverDrop";
constexpr char kDropHookName[] = "DriverDropHook";

struct DropMapping {
    DWORD size;      // bytes of `block`
    LONG posted;     // set by the hook once WM_DROPFILES is posted
    BYTE block[1];
};

// One mapping per target process, so that two targets never read each other's drop.
inline std::string DropMappingName(DWORD processId)
{
    return "Local\\PirovanDriverDrop." + std::to_string(processId);
}

}  // namespace driver
