// MenuBar: the menu bar of a form; its "window" is the native menu bar.
#pragma once

#include "framework/Child.h"

#include <vector>

namespace VornUtility {

class Menu;

class MenuBar : public Child {
public:
    explicit MenuBar(GUIElement* form);

    // Builds the bar and every menu in it, then attaches it to the form's window (which must exist);
    // once built, later calls do nothing.
    void Create() override;

    std::vector<Menu*> menus;   // borrowed, in bar order
    HMENU menuHandle = nullptr;
};

} // namespace VornUtility
