// ImageFrame: a panel that shows one frame of a sheet bitmap, chosen by column and row.
#pragma once

#include "framework/controls/PanelChildren.h"

namespace VornUtility {

class ImageFrame : public PanelChildren {
public:
    ImageFrame(GUIElement* parent, HBITMAP picture, int column, int row);

    // Copies the frame (the element's outer size, from column x width, row x height) to the client origin.
    void Paint() override;

    HBITMAP picture;   // borrowed: one sheet may be shared by many frames
    int column;
    int row;
};

} // namespace VornUtility
