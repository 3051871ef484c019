#include "framework/controls/Label.h"

#include "framework/TextHelpers.h"

namespace VornUtility {

Label::Label(GUIElement* owner, const std::string& labelText)
{
    text = ToWide(labelText);
    parent = owner;
    width = 80;
    height = 30;
    typeName = "label";
}

void Label::Create()
{
    if (created)
        return;
    // SS_NOTIFY lets the static take the mouse, so its mouse events reach the element.
    CreateControlWindow(L"static", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_LEFT | DisabledStyle(), 0);
    created = true;
    ApplyFont();
}

} // namespace VornUtility
