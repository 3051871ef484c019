// Menu: one drop-down menu of a menu bar.
#pragma once

#include "framework/Child.h"

#include <string>
#include <vector>

namespace VornUtility {

class MenuBar;
class SubMenu;

class Menu : public Child {
public:
    // Adds itself to the bar; the caption keeps its mnemonic ampersand ("&File").
    Menu(MenuBar* bar, const std::string& caption);

    // Builds the drop-down with its items and appends it to the bar's native menu.
    void Create() override;

    std::vector<SubMenu*> items;   // borrowed, in menu order
    HMENU menuHandle = nullptr;
};

} // namespace VornUtility
