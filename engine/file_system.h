#pragma once
// The few file-system operations the search and the walk rest on, behind one interface,
// so that a test can script what the file system returns where real files cannot
// (the order of entries, a search failing half-way, a change of directory refused).
// Everything the search decides (filter, names, rules) lives above this interface.

#include <windows.h>

#include <memory>
#include <string>

// Converts a name into the ANSI code page only if it comes back unchanged: a best-fit
// look-alike ("cafe" for "café") or a "?" would name another file, or none (and "?" is a
// wildcard to the shell). Names longer than MAX_PATH do not convert.
bool ToAnsi(const wchar_t* wide, std::string& ansi);

// One entry of a directory search, as the platform returns it.
struct FoundEntry {
    std::string Name;        // the long name in the ANSI code page, as far as it converts
    bool NameFits = true;    // false when the ANSI code page cannot carry the long name
    std::string ShortName;   // the 8.3 name; empty when there is none or it does not fit either
    DWORD Attributes = 0;
};

// What every path to one directory has in common: volume serial number and file index.
struct DirectoryId {
    DWORD VolumeSerial = 0;
    DWORD IndexHigh = 0;
    DWORD IndexLow = 0;

    bool operator==(const DirectoryId&) const = default;
};

// One open directory search; destroying it closes the search.
class DirectorySearch {
public:
    virtual ~DirectorySearch() = default;
    // The next entry, the first one included; false once there are no more or the search
    // failed, whatever the reason.
    virtual bool Next(FoundEntry& entry) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Searches a query (directory + "\" + wildcard); null when nothing is found.
    virtual std::unique_ptr<DirectorySearch> Find(const std::string& query) = 0;
    // Changes the process's current directory, relative to where it is.
    virtual bool SetCurrentDir(const std::string& path) = 0;
    // The identity of a directory; false when it cannot be told.
    virtual bool Identify(const std::string& directory, DirectoryId& id) = 0;
};

// The platform's own file system: wide directory search, SetCurrentDirectoryA,
// CreateFileA + GetFileInformationByHandle. Keeps no state; any thread may use it.
FileSystem& RealFileSystem();
