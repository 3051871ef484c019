// SubMenu: one command item of a menu. It takes its command identifier when constructed.
#pragma once

#include "framework/Child.h"
#include "framework/CommandElement.h"

#include <string>

namespace VornUtility {

class Menu;

class SubMenu : public Child, public CommandElement {
public:
    SubMenu(Menu* menu, const std::string& caption);

    void Enable(bool on) override;
    // Appends the item to its menu. A menu reports commands in 16 bits, so an item whose identifier
    // does not fit is shown greyed: it could only be reported as another item's command.
    void Create() override;

    HMENU ParentMenuHandle() const;
    bool Reachable() const { return id > 0 && id <= 0xFFFF; }
};

} // namespace VornUtility
