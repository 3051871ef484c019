#include "framework/controls/Image.h"

namespace VornUtility {

Image::Image(GUIElement* owner, int bitmapResource) : resourceId(bitmapResource)
{
    parent = owner;
    typeName = "image";
}

Image::~Image()
{
    if (bitmap)
        DeleteObject(bitmap);
}

void Image::Create()
{
    if (created)
        return;
    if (!CreateControlWindow(L"static", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP | DisabledStyle(), 0))
        return;   // no window: stays not created, with no picture
    created = true;
    SetResource(resourceId);
    ApplyFont();
}

void Image::SetResource(int newResourceId)
{
    resourceId = newResourceId;
    if (!created)
        return;
    HBITMAP loaded = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId & 0xFFFF),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    // The control is told first, so it never holds the bitmap deleted below.
    SendMessageW(windowHandle, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(loaded));
    if (bitmap)
        DeleteObject(bitmap);
    bitmap = loaded;
}

} // namespace VornUtility
