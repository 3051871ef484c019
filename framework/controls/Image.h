// Image: a bitmap resource of the program's own module shown in a system "static" control.
#pragma once

#include "framework/Child.h"

namespace VornUtility {

class Image : public Child {
public:
    Image(GUIElement* parent, int resourceId);
    ~Image() override;

    void Create() override;
    // Shows another bitmap resource; before Create it only records the id. When the new picture
    // cannot be loaded the image shows nothing rather than a deleted bitmap.
    void SetResource(int newResourceId);

    HBITMAP bitmap = nullptr;   // owned
    int resourceId;
};

} // namespace VornUtility
