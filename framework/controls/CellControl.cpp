#include "framework/controls/CellControl.h"

#include "framework/TextHelpers.h"

namespace VornUtility {

CellControl::CellControl(GUIElement* owner) : PanelChildren(owner)
{
    tabStop = false;
}

void CellControl::Repaint()
{
    if (created)
        InvalidateRect(windowHandle, nullptr, TRUE);
}

void CellControl::SetWideText(const std::wstring& newText)
{
    PanelChildren::SetWideText(newText);
    Repaint();
}

void CellControl::SetText(const std::string& newText)
{
    SetWideText(ToWide(newText));
    Repaint();
}

void CellControl::SetTextColor(COLORREF color)
{
    textColor = color;
    Repaint();
}

void CellControl::SetTextAlign(int align)
{
    textAlign = align;
    Repaint();
}

void CellControl::Paint()
{
    RECT client{};
    if (!created || !GetClientRect(windowHandle, &client))
        return;
    Drawing drawing(this);
    drawing.Begin();
    if (backgroundPainted)
        drawing.FillRectangle(0, 0, client.right - client.left, client.bottom - client.top, backColor);
    const int textHeight = drawing.TextHeight(font);
    if (!text.empty()) {
        const int y = (client.bottom - textHeight - client.top) / 2;
        drawing.DrawString(text, 0, y, client.right - client.left, client.bottom - y, textAlign, textColor, font);
    }
    drawing.End();
}

} // namespace VornUtility
