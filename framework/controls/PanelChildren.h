// PanelChildren: a container window of a window class of its own, with its background colour, an
// optional sunken border, and the colours and font it hands to the system controls placed in it.
#pragma once

#include "framework/Child.h"

#include <string>

namespace VornUtility {

class PanelChildren : public Child {
public:
    explicit PanelChildren(GUIElement* parent);
    ~PanelChildren() override;

    // The colour answer for a system control inside the panel: its font and background colour.
    HBRUSH ControlColor(HDC dc) override;
    // Registers the class "PanelChildren<n>" and makes the window.
    void Create() override;

    DWORD ComputeStyle() const;
    void SetBorder(bool on);

    std::string tag;               // free text for the owner
    bool border = false;           // WS_BORDER with a sunken client edge
    bool tabStop = true;
    HBRUSH colorBrush = nullptr;   // owned: made by the last colour answer

private:
    bool ownsColorBrush = false;   // the system brush is shared and never deleted
};

} // namespace VornUtility
