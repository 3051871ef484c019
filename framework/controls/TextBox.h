// TextBox: the platform edit control, its style built from a few flags set before Create.
#pragma once

#include "framework/Child.h"

#include <string>

namespace VornUtility {

class TextBox : public Child {
public:
    TextBox(GUIElement* parent, const std::string& text);

    DWORD ComputeStyle() const;
    void Create() override;

    bool multiLine = false;
    bool verticalScroll = false;
    bool readOnly = false;
    bool border = true;
};

} // namespace VornUtility
