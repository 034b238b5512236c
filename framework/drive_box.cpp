#include "framework/drive_box.h"

#include "framework/directory_list.h"
#include "framework/error.h"
#include "framework/form.h"

#include <algorithm>
#include <cctype>

namespace fw {
namespace {

char Lower(char letter) { return static_cast<char>(std::tolower(static_cast<unsigned char>(letter))); }

std::string DriveText(char letter)
{
    const std::string root = std::string(1, letter) + ":\\";
    std::string text = std::string(1, letter) + ":";
    const UINT type = GetDriveTypeA(root.c_str());
    // A removable drive is not asked for its label: without a medium that takes long.
    if (type == DRIVE_FIXED || type == DRIVE_CDROM || type == DRIVE_RAMDISK || type == DRIVE_REMOTE) {
        char label[MAX_PATH] = {};
        const UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS);
        if (GetVolumeInformationA(root.c_str(), label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0) && label[0])
            text += std::string(" [") + label + "]";
        SetErrorMode(old_mode);
    }
    return text;
}

}  // namespace

std::vector<std::string> DriveBox::Keys() const { return CommonKeys({"link"}); }

void DriveBox::CreateWindowFor(const Properties& properties)
{
    link_name_ = properties.Text("link");
    MakeChild("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL);
    const DWORD present = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(present & (1u << i)))
            continue;
        const char letter = static_cast<char>('a' + i);
        const std::string root = std::string(1, letter) + ":\\";
        if (GetDriveTypeA(root.c_str()) == DRIVE_NO_ROOT_DIR)
            continue;
        drives_.push_back(letter);
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DriveText(letter).c_str()));
    }
    char start[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, start);
    Show(Lower(start[0]));
}

void DriveBox::Connect()
{
    if (link_name_.empty())
        return;
    list_ = dynamic_cast<DirectoryList*>(form().FindControl(link_name_));
    if (!list_)
        throw Exception(Name() + ": no directory list " + link_name_);
    list_->SetOnDriveChange([this](char letter) { Show(letter); });
}

void DriveBox::Show(char letter)
{
    auto found = std::find(drives_.begin(), drives_.end(), letter);
    drive_ = found == drives_.end() ? 0 : letter;
    SendMessageA(Handle(), CB_SETCURSEL, found == drives_.end() ? -1 : found - drives_.begin(), 0);
}

void DriveBox::SetDrive(char letter)
{
    letter = Lower(letter);
    if (std::find(drives_.begin(), drives_.end(), letter) == drives_.end())
        throw Exception(std::string("ドライブ ") + letter + ": はありません。");
    if (list_) {
        // "x:" stands for the drive's current directory.
        const std::string drive = std::string(1, letter) + ":";
        char full[MAX_PATH] = {};
        if (!GetFullPathNameA(drive.c_str(), MAX_PATH, full, nullptr))
            ThrowLastError(drive);
        list_->SetDirectory(full);
    }
    Show(letter);
}

void DriveBox::OnCommand(WORD code)
{
    if (code != CBN_SELCHANGE)
        return;
    const LRESULT index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
    if (index < 0 || index >= static_cast<LRESULT>(drives_.size()))
        return;
    const char previous = drive_;
    try {
        SetDrive(drives_[index]);
    } catch (...) {
        Show(previous);   // the box keeps showing the drive the list is on
        throw;
    }
}

}  // namespace fw
