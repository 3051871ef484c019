// The one window procedure of every framework window, and the process-wide dispatch state it keeps.
#pragma once

#include <windows.h>

namespace VornUtility {

class Form;

extern HWND mainWindow;          // the first form window; its destruction ends the program
extern Form* activeForm;         // the form that last became the foreground window
extern bool mouseTracking;       // a hover-and-leave request is outstanding (one for the process)
extern HCURSOR waitCursorHandle; // shared system cursors, loaded on the first message
extern HCURSOR handCursorHandle;

// Turns each message into a call of the element's virtual operations, then hands it on to the
// window's previous procedure (subclassed controls) or to DefWindowProcW.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace VornUtility
