#pragma once
// The drive picker: a drop-down list of the drives that exist, shown as "c: [label]".
// Choosing a drive switches the linked directory list to that drive's current directory.

#include "framework/control.h"

namespace fw {

class DirectoryList;

class DriveBox : public Control {
public:
    // The lower-case letter of the drive shown, or 0 when none is.
    char Drive() const { return drive_; }
    // Throws fw::Exception for a drive that does not exist or cannot be entered; then
    // nothing changes.
    void SetDrive(char letter);
    std::vector<char> Drives() const { return drives_; }

    void Connect() override;
    void OnCommand(WORD code) override;

protected:
    std::vector<std::string> Keys() const override;
    void CreateWindowFor(const Properties& properties) override;
    int WindowHeight(int height) const override { return height + 8 * 14 + 2; }

private:
    void Show(char letter);   // selects the entry only

    std::string link_name_;
    DirectoryList* list_ = nullptr;
    std::vector<char> drives_;
    char drive_ = 0;
};

}  // namespace fw
