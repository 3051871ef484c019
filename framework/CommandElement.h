// CommandElement: the second base of the elements that report commands (buttons and menu items).
#pragma once

#include "framework/GUIElement.h"

namespace VornUtility {

class CommandElement {
public:
    EventHandler onClick = nullptr;   // called with the element on every command it sends
};

} // namespace VornUtility
