#include "framework/controls/MenuBar.h"

#include "framework/controls/Menu.h"

namespace VornUtility {

MenuBar::MenuBar(GUIElement* form)
{
    typeName = "menubar";
    parent = form;
}

void MenuBar::Create()
{
    // Once built, a second bar would replace the window's bar with an empty one: the menus are
    // already created and would not append themselves to it.
    if (created || !parent || !parent->windowHandle)
        return;
    menuHandle = CreateMenu();
    for (Menu* menu : menus)
        menu->Create();
    SetMenu(parent->windowHandle, menuHandle);
    created = true;
    windowHandle = reinterpret_cast<HWND>(menuHandle);
}

} // namespace VornUtility
