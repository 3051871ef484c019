#include "framework/controls/Menu.h"

#include "framework/TextHelpers.h"
#include "framework/controls/MenuBar.h"
#include "framework/controls/SubMenu.h"

namespace VornUtility {

Menu::Menu(MenuBar* bar, const std::string& caption)
{
    text = ToWide(caption);
    parent = bar;
    if (bar)
        bar->menus.push_back(this);
    typeName = "menu";
}

void Menu::Create()
{
    if (created)
        return;
    auto* bar = dynamic_cast<MenuBar*>(parent);
    if (!bar || !bar->menuHandle)
        return;
    menuHandle = CreateMenu();
    for (SubMenu* item : items)
        item->Create();
    AppendMenuW(bar->menuHandle, MF_POPUP, reinterpret_cast<UINT_PTR>(menuHandle), text.c_str());
    windowHandle = reinterpret_cast<HWND>(menuHandle);
    created = true;
}

} // namespace VornUtility
