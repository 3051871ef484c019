// CellControl: a panel that paints one line of text, centred vertically, in its own colour and
// alignment, over its class background or, once painted over, its background colour.
#pragma once

#include "framework/Drawing.h"
#include "framework/controls/PanelChildren.h"

namespace VornUtility {

class CellControl : public PanelChildren {
public:
    explicit CellControl(GUIElement* parent);

    // Both repaint the cell with its background erased when it has a window.
    void SetWideText(const std::wstring& newText) override;
    void SetText(const std::string& newText) override;
    void Paint() override;

    void SetTextColor(COLORREF color);
    void SetTextAlign(int align);

    int textAlign = Center;
    COLORREF textColor = RGB(0, 0, 0);

private:
    void Repaint();
};

} // namespace VornUtility
