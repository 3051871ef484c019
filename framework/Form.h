// Form: the element of a top-level window. Every form registers a window class of its own, picks
// its frame from a few flags, and closes and destroys its window when the object is destroyed.
#pragma once

#include "framework/GUIElement.h"

namespace VornUtility {

class Form : public GUIElement {
public:
    Form(HINSTANCE moduleInstance, bool dialogMode);
    ~Form() override;

    // Registers the window class "Window<n>", creates and shows the window; once only.
    void Create() override;              // 36
    // A spare hook; derived forms append their own operations after it.
    virtual void FormHook();             // 37

    // Makes the client area exactly width x height by adding the frame; only with a window.
    void SetClientSize(int clientWidth, int clientHeight);
    // Places the form in the middle of the primary screen (only stored before Create).
    void CenterOnScreen();
    // Sets the window's small icon from an icon resource; before Create it only records the id,
    // which then also becomes the class icon.
    void SetIcon(int resourceId);

    // The style pair Create uses for the current flags.
    DWORD ComputeStyle() const;
    DWORD ComputeExtendedStyle() const;

    Form* ownedForm = nullptr;   // borrowed: the dialog currently shown for this form
    bool topMost = true;
    bool minimizeBox = true;
    bool maximizeBox = true;
    bool framed = true;
    bool dialogMode = false;
    bool modalFrame = false;
    HICON icon = nullptr;        // owned small icon
    int iconId = 0;
};

} // namespace VornUtility
