#include "framework/combo_box.h"

#include <algorithm>

namespace fw {

std::vector<std::string> ComboBox::Keys() const { return CommonKeys({"item-height", "drop-down-count"}); }

void ComboBox::CreateWindowFor(const Properties& properties)
{
    drop_down_count_ = properties.Int("drop-down-count", 8);
    item_height_ = properties.Int("item-height", 0);
    MakeChild("COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL);
    if (item_height_ > 0)
        SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, item_height_);
    // A combo box takes no text from its creation.
    SetText(properties.Text("text"));
}

int ComboBox::WindowHeight(int height) const
{
    // For a combo box Windows takes the height of the field and the open list together.
    const int line = item_height_ > 0 ? item_height_ : 12;
    return height + std::max(drop_down_count_, 1) * line + 2;
}

void ComboBox::ClearItems() { SendMessageA(Handle(), CB_RESETCONTENT, 0, 0); }

void ComboBox::AddItem(const std::string& text)
{
    SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int ComboBox::ItemCount() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)); }

std::string ComboBox::Item(int index) const
{
    const LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return {};
    std::string text(length + 1, '\0');
    SendMessageA(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void ComboBox::SetDropDownCount(int count)
{
    drop_down_count_ = count;
    SetBounds(Left(), Top(), Width(), Height());
}

std::vector<HWND> ComboBox::HintWindows() const
{
    // The mouse over the text field is over the combo box's own edit child.
    std::vector<HWND> windows{Handle()};
    if (HWND edit = FindWindowExA(Handle(), nullptr, "Edit", nullptr))
        windows.push_back(edit);
    return windows;
}

}  // namespace fw
