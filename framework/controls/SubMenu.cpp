#include "framework/controls/SubMenu.h"

#include "framework/ElementRegistry.h"
#include "framework/TextHelpers.h"
#include "framework/controls/Menu.h"

namespace VornUtility {

SubMenu::SubMenu(Menu* menu, const std::string& caption)
{
    parent = menu;
    text = ToWide(caption);
    typeName = "submenu";
    id = ++nextControlId;
    if (menu)
        menu->items.push_back(this);
}

HMENU SubMenu::ParentMenuHandle() const
{
    auto* menu = dynamic_cast<Menu*>(parent);
    return menu ? menu->menuHandle : nullptr;
}

void SubMenu::Enable(bool on)
{
    enabled = on;
    if (created)
        EnableMenuItem(ParentMenuHandle(), static_cast<UINT>(id), MF_BYCOMMAND | (on && Reachable() ? MF_ENABLED : MF_GRAYED));
}

void SubMenu::Create()
{
    if (created)
        return;
    HMENU menu = ParentMenuHandle();
    if (!menu)
        return;
    const UINT state = enabled && Reachable() ? 0 : MF_GRAYED;
    AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(id), text.c_str());
    created = true;
}

} // namespace VornUtility
