// Child: the base of every element that lives inside another element (its parent).
#pragma once

#include "framework/GUIElement.h"

namespace VornUtility {

class Child : public GUIElement {
public:
    Child() : GUIElement(nullptr) {}
};

} // namespace VornUtility
