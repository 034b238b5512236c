#include "tests/driver/files.h"

#include "tests/driver/error.h"
#include "tests/driver/paths.h"

#include <algorithm>

namespace driver {

namespace {

std::string Environment(const char* name)
{
    char buffer[MAX_PATH * 4];
    const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return length && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

std::string DataHome()
{
    std::string data = Environment("XDG_DATA_HOME");
    if (data.empty())
        return HomeDir() + "\\.local\\share";
    return WindowsPath(data);
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The end of the directory part of `path`, going by characters: a Shift-JIS trail byte
// may be 0x5C.
size_t LastSeparator(const std::string& path)
{
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByteEx(932, static_cast<BYTE>(path[i])))
            ++i;
        else if (IsSeparator(path[i]))
            last = i;
    }
    return last;
}

}  // namespace

void MakeDirs(const std::string& path)
{
    if (path.empty() || IsDirectory(path))
        return;
    const size_t separator = LastSeparator(path);
    if (separator != std::string::npos && separator + 1 == path.size()) {
        MakeDirs(path.substr(0, separator));
        return;
    }
    if (separator != std::string::npos && separator > 0 && path[separator - 1] != ':')
        MakeDirs(path.substr(0, separator));
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        ThrowLastError("CreateDirectory " + path);
}

void MakeFile(const std::string& path, const std::string& contents)
{
    const size_t separator = LastSeparator(path);
    if (separator != std::string::npos && separator > 0)
        MakeDirs(path.substr(0, separator));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        ThrowLastError("CreateFile " + path);
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != contents.size())
        ThrowLastError("WriteFile " + path);
}

void MakeTree(const std::string& root, const std::vector<TreeEntry>& entries)
{
    MakeDirs(root);
    for (const TreeEntry& entry : entries) {
        const std::string path = root + "\\" + entry.path;
        if (IsSeparator(path.back()) && LastSeparator(path) == path.size() - 1)
            MakeDirs(path);
        else
            MakeFile(path, entry.contents);
    }
}

std::optional<std::string> FileContents(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string contents;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        contents.append(buffer, read);
    CloseHandle(file);
    return contents;
}

void SetAttributes(const std::string& path, DWORD attributes)
{
    if (!SetFileAttributesA(path.c_str(), attributes))
        ThrowLastError("SetFileAttributes " + path);
}

std::optional<DWORD> Attributes(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return attributes;
}

bool Exists(const std::string& path) { return Attributes(path).has_value(); }

bool IsDirectory(const std::string& path)
{
    const auto attributes = Attributes(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> ListDir(const std::string& directory)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::string CurrentDir()
{
    char buffer[MAX_PATH * 2];
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, length < sizeof buffer ? length : 0);
}

std::string FullPath(const std::string& path)
{
    char buffer[MAX_PATH * 2];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (!length || length >= sizeof buffer)
        ThrowLastError("GetFullPathName " + path);
    return std::string(buffer, length);
}

// Wine keeps the Unix HOME out of the Windows environment and passes it as WINEHOMEDIR,
// an NT path ("\??\Z:\...").
std::string HomeDir()
{
    const std::string home = Environment("HOME");
    if (!home.empty())
        return WindowsPath(home);
    std::string wineHome = Environment("WINEHOMEDIR");
    if (wineHome.rfind("\\??\\", 0) == 0)
        wineHome.erase(0, 4);
    return wineHome;
}
std::string TrashFilesDir() { return DataHome() + "\\Trash\\files"; }
std::string TrashInfoDir() { return DataHome() + "\\Trash\\info"; }
std::vector<std::string> TrashContents() { return ListDir(TrashFilesDir()); }

}  // namespace driver
