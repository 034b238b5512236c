#pragma once
// Files for fixtures and checks. Every test runs in a throwaway current directory on Wine's
// Z: drive with a HOME of its own; relative paths are relative to that directory.
// Paths are Windows paths in code page 932.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace driver {

// One entry of a tree: a name ending in '\' or '/' is a directory, anything else a file
// with `contents`.
struct TreeEntry {
    std::string path;
    std::string contents;
};

void MakeDirs(const std::string& path);  // with every missing parent
// Writes the file, making its directory first; throws Error on failure.
void MakeFile(const std::string& path, const std::string& contents = "");
void MakeTree(const std::string& root, const std::vector<TreeEntry>& entries);
std::optional<std::string> FileContents(const std::string& path);  // nothing if unreadable

void SetAttributes(const std::string& path, DWORD attributes);
std::optional<DWORD> Attributes(const std::string& path);
bool Exists(const std::string& path);
bool IsDirectory(const std::string& path);

// Names in a directory, without "." and "..", sorted.
std::vector<std::string> ListDir(const std::string& directory);

std::string CurrentDir();                     // e.g. "Z:\...\run.Ab12Cd"
std::string FullPath(const std::string& path);  // relative to the current directory

// HOME (under Wine from WINEHOMEDIR: Wine hides HOME itself) and the shell's trash ($XDG_DATA_HOME, by default $HOME/.local/share, + "\Trash"),
// as Windows paths.
std::string HomeDir();
std::string TrashFilesDir();
std::string TrashInfoDir();
// Names in the trash's files directory (a name that was taken gets a number from the shell).
std::vector<std::string> TrashContents();

}  // namespace driver
