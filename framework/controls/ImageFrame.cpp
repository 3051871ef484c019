#include "framework/controls/ImageFrame.h"

#include "framework/Drawing.h"

namespace VornUtility {

ImageFrame::ImageFrame(GUIElement* owner, HBITMAP sheet, int frameColumn, int frameRow)
    : PanelChildren(owner), picture(sheet), column(frameColumn), row(frameRow)
{
    tabStop = false;
}

void ImageFrame::Paint()
{
    RECT client{};
    if (!created || !picture || !GetClientRect(windowHandle, &client))
        return;
    Drawing drawing(this);
    drawing.Begin();
    const SIZE size = GetSize();
    drawing.DrawBitmap(0, 0, size.cx, size.cy, picture, column * size.cx, row * size.cy);
    drawing.End();
}

} // namespace VornUtility
