#include "framework/menu.h"

#include "framework/error.h"

namespace fw {

MainMenu::~MainMenu()
{
    if (menu_ && !attached_)
        DestroyMenu(menu_);
}

void MainMenu::Create(const std::string& name, const std::vector<MenuItemDefinition>& items,
                      const std::function<std::function<void()>(const std::string&)>& lookup)
{
    name_ = name;
    menu_ = CreateMenu();
    std::vector<HMENU> open{menu_};   // the menu at each depth being filled
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItemDefinition& item = items[i];
        const int id = kFirstMenuId + static_cast<int>(i);
        open.resize(item.depth + 1);

        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
        info.wID = id;
        if (item.separator) {
            info.fType = MFT_SEPARATOR;
            info.fState = MFS_DISABLED;
        } else {
            info.fMask |= MIIM_STRING;
            info.dwTypeData = const_cast<char*>(item.caption.c_str());
        }
        HMENU submenu = nullptr;
        if (item.submenu) {
            submenu = CreatePopupMenu();
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu;
        }
        if (!InsertMenuItemA(open.back(), GetMenuItemCount(open.back()), TRUE, &info))
            ThrowLastError("cannot build the menu item " + item.name);
        if (submenu)
            open.push_back(submenu);

        names_.push_back(item.name);
        handlers_.push_back(item.on_click.empty() ? std::function<void()>() : lookup(item.on_click));
    }
}

bool MainMenu::Command(int id) const
{
    const int index = id - kFirstMenuId;
    if (index < 0 || index >= static_cast<int>(handlers_.size()))
        return false;
    if (handlers_[index])
        handlers_[index]();
    return true;
}

int MainMenu::IdOf(const std::string& item_name) const
{
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == item_name)
            return kFirstMenuId + static_cast<int>(i);
    return 0;
}

}  // namespace fw
