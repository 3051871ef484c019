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
    if (!parent || !parent->windowHandle)
        return;
    menuHandle = CreateMenu();
    for (Menu* menu : menus)
        menu->Create();
    SetMenu(parent->windowHandle, menuHandle);
    created = true;
    windowHandle = reinterpret_cast<HWND>(menuHandle);
}

} // namespace VornUtility
