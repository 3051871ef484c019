// Button: a push button of the system class "Button", plain or owner-drawn by the framework.
#pragma once

#include "framework/Child.h"
#include "framework/CommandElement.h"

#include <string>

namespace VornUtility {

class Drawing;

class Button : public Child, public CommandElement {
public:
    Button(GUIElement* parent, const std::string& caption);

    void Create() override;                                          // 36
    // Draws a picture at the left of an owner-drawn button and returns where the caption starts;
    // a plain Button has no picture and returns 0.
    virtual int DrawPicture(Drawing& drawing, RECT item, bool pressed); // 37

    // Paints the owner-drawn look for one WM_DRAWITEM: background and frame from the device
    // context's colours (which the parent chose), the caption centred, and the state's marks.
    void PaintOwnerDrawn(const DRAWITEMSTRUCT& item);

    bool ownerDraw = false;
};

} // namespace VornUtility
