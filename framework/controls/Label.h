// Label: a line of left-aligned text in a system "static" control that takes mouse input.
#pragma once

#include "framework/Child.h"

#include <string>

namespace VornUtility {

class Label : public Child {
public:
    Label(GUIElement* parent, const std::string& text);
    void Create() override;
};

} // namespace VornUtility
