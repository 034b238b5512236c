#pragma once
// Deleting what the program is handed directly, without a search: files and folders dropped
// onto the main window, and the paths given on the command line. The main window's side
// (TForm1::DeletePaths, WMDropFiles, AcceptDropsAndDeleteArguments) is in
// immediate_delete.cpp.

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

// Keeps the command-line paths for the main window, each made absolute against the current
// directory as it is now: the settings load moves the current directory to the saved one
// before the window reads them. A path that does not fit MAX_PATH with its NUL is left out.
// The entry calls this before it makes the window; without the call there are no paths
// (as in a test that builds the window in its own process).
void TakeCommandLinePaths(const std::vector<std::string>& arguments);
// The paths kept, in the order given.
const std::vector<std::string>& CommandLinePaths();

// Room for a dropped name in the ANSI code page, its NUL included.
constexpr UINT kDroppedNameChars = 255;

// The path that names dropped item `index` for the shell: its name in the ANSI code page
// when that carries it exactly and fits kDroppedNameChars; otherwise its short path when
// that does. False when neither does, and for a name with a wildcard in it: a look-alike
// ("cafe" for "café"), a '?' (a wildcard to the shell) or a cut name would delete something
// that was not dropped, or nothing.
bool DroppedPath(HDROP drop, UINT index, std::string& path);
