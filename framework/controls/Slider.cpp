#include "framework/controls/Slider.h"

#include "framework/TextHelpers.h"
#include "framework/controls/Label.h"

#include <commctrl.h>

namespace VornUtility {

namespace {
constexpr int LabelGap = 5;
constexpr int PixelsPerCharacter = 10;

Label* MakeScaleLabel(GUIElement* parent, int number)
{
    auto* label = new Label(parent, Int64ToText(number));
    label->Resize(PixelsPerCharacter * static_cast<int>(label->GetText().size()), 30);
    return label;
}
} // namespace

Slider::Slider(GUIElement* owner)
{
    typeName = "slider";
    parent = owner;
    maximumLabel = MakeScaleLabel(owner, 10);
    minimumLabel = MakeScaleLabel(owner, 1);
}

Slider::~Slider()
{
    delete minimumLabel;
    delete maximumLabel;
}

int Slider::Clamped(int v) const
{
    if (v < minimum)
        return minimum;
    if (v > maximum)
        return maximum;
    return v;
}

void Slider::Resize(int newWidth, int newHeight)
{
    GUIElement::Resize(newWidth, newHeight);
    LayoutScaleLabels();
}

void Slider::SetValue(int v)
{
    value = Clamped(v);
    if (created)
        SendMessageW(windowHandle, TBM_SETPOS, TRUE, value);
}

void Slider::LayoutScaleLabels()
{
    const int minimumWidth = minimumLabel->GetSize().cx;
    minimumLabel->Move(left - minimumWidth - LabelGap, top);
    const int ownWidth = GetSize().cx;
    maximumLabel->Move(left + ownWidth + LabelGap, top);
}

void Slider::Create()
{
    if (created)
        return;
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    CreateControlWindow(TRACKBAR_CLASSW, WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_AUTOTICKS | DisabledStyle(), 0);
    created = true;
    SendMessageW(windowHandle, TBM_SETRANGE, TRUE, MAKELPARAM(minimum, maximum));
    value = Clamped(value);
    SendMessageW(windowHandle, TBM_SETPOS, TRUE, value);
    LayoutScaleLabels();
    minimumLabel->Create();
    maximumLabel->Create();
    SendMessageW(windowHandle, TBM_SETBUDDY, TRUE, reinterpret_cast<LPARAM>(minimumLabel->windowHandle));
    SendMessageW(windowHandle, TBM_SETBUDDY, FALSE, reinterpret_cast<LPARAM>(maximumLabel->windowHandle));
    maximumLabel->Show();
    minimumLabel->Show();
    ApplyFont();
}

void Slider::NotifyScroll()
{
    if (onChange) {
        if (created)
            value = static_cast<int>(SendMessageW(windowHandle, TBM_GETPOS, 0, 0));
        onChange(this, value);
    }
    CallHandler(onTextChanged, this);
}

} // namespace VornUtility
