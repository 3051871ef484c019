// The process-wide registry of elements: every element registers itself when constructed, and a
// window handle, control identifier or menu command identifier is mapped back to its element here.
#pragma once

#include <windows.h>

#include <vector>

namespace VornUtility {

class Child;
class GUIElement;
class SubMenu;

extern std::vector<GUIElement*> elementList;   // non-owning, in construction order
extern int nextControlId;                      // identifiers are taken with ++nextControlId

void RegisterElement(GUIElement* element);
// Elements leave the registry when destroyed, so no lookup can return a destroyed element.
void UnregisterElement(GUIElement* element);

// The element of a window. With no match, the last registered element if it has no window yet:
// that routes the messages sent while a form's or panel's window is being created.
GUIElement* FindElement(HWND window);
GUIElement* FindElementById(int id);
SubMenu* FindMenuItem(int id);
std::vector<Child*> ChildrenOf(HWND parentWindow);

} // namespace VornUtility
