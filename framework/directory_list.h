#pragma once
// The directory picker: an owner-drawn list of the parts of its directory's path (open
// folders) followed by that directory's subdirectories (closed folders). Double-click or
// Enter opens an entry.
//
// The list keeps its own directory string and computes everything it shows from it. It
// never reads the process's current directory back: a search walking on another thread
// changes that at any moment.

#include "framework/control.h"

namespace fw {

class DirectoryList : public Control {
public:
    struct Entry {
        std::string name;   // "C:\" for the root, else one directory name
        int level = 0;
        bool open = false;  // a part of the current path
    };

    // Absolute, without a trailing separator except for a drive root: "C:\", "C:\DATA".
    const std::string& Directory() const { return directory_; }
    // Makes the directory the list's and the process's current one. A path that is not an
    // existing directory, or that cannot be made current, throws fw::Exception and leaves
    // the list as it was.
    void SetDirectory(const std::string& path);
    const std::vector<Entry>& Entries() const { return entries_; }
    // Opens entry index as double-click or Enter does.
    void Open(int index);
    // Called with the lower-case drive letter whenever the directory moves to another drive.
    void SetOnDriveChange(std::function<void(char)> on_drive_change) { on_drive_change_ = std::move(on_drive_change); }

    void OnCommand(WORD code) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    std::vector<std::string> Keys() const override;
    void CreateWindowFor(const Properties& properties) override;

private:
    static LRESULT CALLBACK KeyboardProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void Fill();
    std::string PathOf(int index) const;

    std::string directory_;
    std::vector<Entry> entries_;
    std::function<void(char)> on_drive_change_;
};

// Splits an absolute path into its root ("C:\") and its directory names, going by
// characters of the ANSI code page, so a double-byte character ending in 0x5C stays whole.
std::vector<std::string> SplitPath(const std::string& path);

}  // namespace fw
