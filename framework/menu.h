#pragma once
// The main menu of a form, built from the window definition. Item n of the definition
// (1-based, submenus and separators counted) has the command id 2000 + n.

#include "framework/window_definition.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace fw {

constexpr int kFirstMenuId = 2001;

class MainMenu {
public:
    ~MainMenu();
    // lookup gives the handler of a name (and throws for an unknown one).
    void Create(const std::string& name, const std::vector<MenuItemDefinition>& items,
                const std::function<std::function<void()>(const std::string&)>& lookup);
    HMENU Handle() const { return menu_; }
    const std::string& Name() const { return name_; }
    // Runs the item's handler; false when the id is none of this menu's.
    bool Command(int id) const;
    int IdOf(const std::string& item_name) const;   // 0 when unknown

private:
    std::string name_;
    HMENU menu_ = nullptr;
    bool attached_ = false;
    std::vector<std::string> names_;
    std::vector<std::function<void()>> handlers_;

public:
    void Attached() { attached_ = true; }   // the window now owns the menu
};

}  // namespace fw
