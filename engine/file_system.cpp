#include "engine/file_system.h"

#include <cwchar>

bool ToAnsi(const wchar_t* wide, std::string& ansi)
{
    char buffer[2 * MAX_PATH + 2];
    BOOL usedDefault = FALSE;
    int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, buffer,
                                     sizeof buffer, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) {
        return false;
    }
    wchar_t back[MAX_PATH + 1];
    if (MultiByteToWideChar(CP_ACP, 0, buffer, -1, back, MAX_PATH + 1) <= 0
        || std::wcscmp(back, wide) != 0) {
        return false;
    }
    ansi.assign(buffer, length - 1);
    return true;
}

namespace {

std::wstring ToWide(const std::string& ansi)
{
    int length = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(), length);
    wide.resize(length - 1);
    return wide;
}

// The search reads wide entries: the ANSI search would hand over look-alike names.
class PlatformSearch : public DirectorySearch {
public:
    PlatformSearch(HANDLE handle, const WIN32_FIND_DATAW& first) : handle_(handle), data_(first) {}
    ~PlatformSearch() override { FindClose(handle_); }
    PlatformSearch(const PlatformSearch&) = delete;
    PlatformSearch& operator=(const PlatformSearch&) = delete;

    bool Next(FoundEntry& entry) override
    {
        if (!firstPending_ && !FindNextFileW(handle_, &data_)) {
            return false;
        }
        firstPending_ = false;
        entry.Attributes = data_.dwFileAttributes;
        entry.NameFits = ToAnsi(data_.cFileName, entry.Name);
        if (!entry.NameFits) {
            entry.Name.clear();
        }
        if (data_.cAlternateFileName[0] == L'\0' || !ToAnsi(data_.cAlternateFileName, entry.ShortName)) {
            entry.ShortName.clear();
        }
        return true;
    }

private:
    HANDLE handle_;
    WIN32_FIND_DATAW data_;
    bool firstPending_ = true;
};

class PlatformFileSystem : public FileSystem {
public:
    std::unique_ptr<DirectorySearch> Find(const std::string& query) override
    {
        WIN32_FIND_DATAW data;
        HANDLE handle = FindFirstFileW(ToWide(query).c_str(), &data);
        if (handle == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        return std::make_unique<PlatformSearch>(handle, data);
    }

    bool SetCurrentDir(const std::string& path) override
    {
        return SetCurrentDirectoryA(path.c_str()) != FALSE;
    }

    bool Identify(const std::string& directory, DirectoryId& id) override
    {
        HANDLE handle = CreateFileA(directory.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return false;
        }
        BY_HANDLE_FILE_INFORMATION info;
        bool known = GetFileInformationByHandle(handle, &info) != FALSE;
        CloseHandle(handle);
        if (known) {
            id.VolumeSerial = info.dwVolumeSerialNumber;
            id.IndexHigh = info.nFileIndexHigh;
            id.IndexLow = info.nFileIndexLow;
        }
        return known;
    }
};

}  // namespace

FileSystem& RealFileSystem()
{
    static PlatformFileSystem fileSystem;
    return fileSystem;
}
