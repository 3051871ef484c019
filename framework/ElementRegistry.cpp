#include "framework/ElementRegistry.h"

#include "framework/Child.h"
#include "framework/controls/SubMenu.h"

#include <algorithm>

namespace VornUtility {

std::vector<GUIElement*> elementList;
int nextControlId = 0;

void RegisterElement(GUIElement* element)
{
    elementList.push_back(element);
}

void UnregisterElement(GUIElement* element)
{
    elementList.erase(std::remove(elementList.begin(), elementList.end(), element), elementList.end());
}

GUIElement* FindElement(HWND window)
{
    for (GUIElement* element : elementList) {
        if (element && element->windowHandle == window)
            return element;
    }
    if (!elementList.empty() && elementList.back() && !elementList.back()->windowHandle)
        return elementList.back();
    return nullptr;
}

GUIElement* FindElementById(int id)
{
    for (GUIElement* element : elementList) {
        if (element && element->id == id)
            return element;
    }
    return nullptr;
}

SubMenu* FindMenuItem(int id)
{
    for (GUIElement* element : elementList) {
        auto* item = dynamic_cast<SubMenu*>(element);
        if (item && item->id == id)
            return item;
    }
    return nullptr;
}

std::vector<Child*> ChildrenOf(HWND parentWindow)
{
    std::vector<Child*> children;
    for (GUIElement* element : elementList) {
        auto* child = dynamic_cast<Child*>(element);
        if (child && child->parent && child->parent->windowHandle == parentWindow)
            children.push_back(child);
    }
    return children;
}

} // namespace VornUtility
