#include "framework/controls/Button.h"

#include "framework/Drawing.h"
#include "framework/TextHelpers.h"

namespace VornUtility {

namespace {
constexpr COLORREF DisabledCaption = RGB(150, 150, 150);
constexpr COLORREF DisabledFrame = RGB(105, 105, 105);
}

Button::Button(GUIElement* owner, const std::string& caption)
{
    text = ToWide(caption);
    parent = owner;
    width = 80;
    height = 30;
    typeName = "button";
}

void Button::Create()
{
    if (created)
        return;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (ownerDraw ? BS_OWNERDRAW : BS_PUSHBUTTON) | DisabledStyle();
    CreateControlWindow(L"Button", style, 0);
    created = true;
    ApplyFont();
}

int Button::DrawPicture(Drawing&, RECT, bool)
{
    return 0;
}

void Button::PaintOwnerDrawn(const DRAWITEMSTRUCT& item)
{
    Drawing drawing(this);
    drawing.Attach(item.hDC);
    const RECT& box = item.rcItem;
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    COLORREF textColor = GetTextColor(item.hDC);
    const COLORREF background = GetBkColor(item.hDC);

    // The caption's top offset comes from the height of the font the context holds.
    LOGFONTW selectedFont{};
    GetObjectW(GetCurrentObject(item.hDC, OBJ_FONT), sizeof selectedFont, &selectedFont);
    int offset = (h - static_cast<int>(selectedFont.lfHeight)) / 2;
    if (offset < 0)
        offset = 0;

    drawing.FillRectangle(box.left, box.top, w, h, background);
    COLORREF frame = textColor;
    if (item.itemState & ODS_DISABLED) {
        textColor = DisabledCaption;
        frame = DisabledFrame;
    } else if (item.itemState & ODS_SELECTED) {
        frame = 0xFFFFFF - textColor;
    }
    drawing.DrawRectangle(box.left, box.top, w, h, frame);
    const int start = DrawPicture(drawing, box, (item.itemState & ODS_SELECTED) != 0);
    drawing.DrawString(GetText(), box.left + start, box.top + offset, w - start, h, start > 0 ? Left : Center,
                       textColor, nullptr);
    if (item.itemState & ODS_FOCUS) {
        RECT focus{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3};
        DrawFocusRect(item.hDC, &focus);
    }
    drawing.End();
}

} // namespace VornUtility
