#include "framework/controls/PanelChildren.h"

#include "framework/ElementRegistry.h"
#include "framework/FontRecord.h"
#include "framework/TextHelpers.h"

namespace VornUtility {

PanelChildren::PanelChildren(GUIElement* owner)
{
    parent = owner;
    typeName = "panel";
}

PanelChildren::~PanelChildren()
{
    if (colorBrush && ownsColorBrush)
        DeleteObject(colorBrush);
}

HBRUSH PanelChildren::ControlColor(HDC dc)
{
    if (colorBrush && ownsColorBrush)
        DeleteObject(colorBrush);
    if (font)
        SelectObject(dc, font->GetHandle());
    if (backColor != NoColor) {
        SetBkColor(dc, backColor);
        colorBrush = CreateSolidBrush(backColor);
        ownsColorBrush = true;
    } else {
        colorBrush = GetSysColorBrush(COLOR_BTNFACE);
        ownsColorBrush = false;
    }
    return colorBrush;
}

DWORD PanelChildren::ComputeStyle() const
{
    return WS_CHILD | WS_VISIBLE | (tabStop ? WS_TABSTOP : 0) | DisabledStyle() | (border ? WS_BORDER : 0);
}

void PanelChildren::SetBorder(bool on)
{
    border = on;
}

void PanelChildren::Create()
{
    if (created)
        return;
    const std::wstring className = L"PanelChildren" + Int64ToWideText(nextControlId);
    id = ++nextControlId;

    RegisterOwnClass(className, CS_DBLCLKS, parent ? parent->moduleInstance : nullptr, nullptr);

    windowHandle = CreateWindowExW(border ? WS_EX_CLIENTEDGE : 0, className.c_str(), text.c_str(), ComputeStyle(), left,
                                   top, width, height, ParentWindow(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   nullptr, nullptr);
    // Marked created before the first paint: the cells and picture frames paint only a created
    // window, and on a parent that is already shown this paint is the only one.
    created = true;
    ShowWindow(windowHandle, SW_SHOW);
    UpdateWindow(windowHandle);
    ApplyFont();
}

} // namespace VornUtility
