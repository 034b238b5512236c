#pragma once
// An editable combo box (CBS_DROPDOWN) with its drop-down list.

#include "framework/control.h"

namespace fw {

class ComboBox : public Control {
public:
    void ClearItems();
    void AddItem(const std::string& text);
    int ItemCount() const;
    std::string Item(int index) const;
    // The number of lines the open list shows.
    int DropDownCount() const { return drop_down_count_; }
    void SetDropDownCount(int count);
    std::vector<HWND> HintWindows() const override;

protected:
    std::vector<std::string> Keys() const override;
    void CreateWindowFor(const Properties& properties) override;
    int WindowHeight(int height) const override;

private:
    int drop_down_count_ = 8;
    int item_height_ = 0;
};

}  // namespace fw
