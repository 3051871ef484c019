#include "framework/controls/TextBox.h"

#include "framework/TextHelpers.h"

namespace VornUtility {

TextBox::TextBox(GUIElement* owner, const std::string& boxText)
{
    width = 80;
    height = 30;
    typeName = "textbox";
    parent = owner;
    text = ToWide(boxText);
}

DWORD TextBox::ComputeStyle() const
{
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | DisabledStyle();
    if (verticalScroll)
        style |= WS_VSCROLL;
    if (border)
        style |= WS_BORDER;
    style |= multiLine ? (ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_AUTOHSCROLL) : ES_AUTOHSCROLL;
    if (readOnly)
        style |= ES_READONLY;
    return style;
}

void TextBox::Create()
{
    if (created)
        return;
    CreateControlWindow(L"edit", ComputeStyle(), border ? WS_EX_CLIENTEDGE : 0);
    created = true;
    ApplyFont();
}

} // namespace VornUtility
