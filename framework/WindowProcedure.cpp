#include "framework/WindowProcedure.h"

#include "framework/Child.h"
#include "framework/CommandElement.h"
#include "framework/ElementRegistry.h"
#include "framework/Form.h"
#include "framework/controls/Button.h"
#include "framework/controls/Slider.h"
#include "framework/controls/SubMenu.h"
#include "framework/controls/Timer.h"

#include <commctrl.h>
#include <windowsx.h>

namespace VornUtility {

HWND mainWindow = nullptr;
Form* activeForm = nullptr;
bool mouseTracking = false;
HCURSOR waitCursorHandle = nullptr;
HCURSOR handCursorHandle = nullptr;

namespace {

// Default processing: the subclassed control's own procedure, or the system default.
LRESULT DefaultProcessing(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
}

void TrackActivation(Form* form, HWND window)
{
    if (GetForegroundWindow() != window) {
        form->Deactivated();
        return;
    }
    if (activeForm)
        activeForm->Deactivated();
    form->Activated();
    activeForm = form;
    // The form's dialog comes forward with it, directly above it, without taking the activation:
    // placed behind its (disabled) owner it could not be reached with the mouse, and activating it
    // from here makes the two windows hand the activation back and forth without end.
    Form* owned = form->ownedForm;
    if (owned && owned->created && form->windowHandle)
        SetWindowPos(owned->windowHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void NavigateWithTab(GUIElement* element, HWND window)
{
    HWND root = window;
    if (dynamic_cast<Child*>(element) && element->parent)
        root = element->parent->windowHandle;
    const BOOL backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    HWND next = GetNextDlgTabItem(root, window, backwards);
    if (next) {
        if (GUIElement* target = FindElement(next))
            target->Focus();
    }
}

void DispatchCommand(WPARAM wParam, LPARAM lParam)
{
    const WORD code = HIWORD(wParam);
    if (lParam == 0) {
        if (code == 0) {   // a menu command; accelerators (code 1) do nothing
            SubMenu* item = FindMenuItem(LOWORD(wParam));
            if (item && item->onClick)
                item->onClick(item);
        }
        return;
    }
    GUIElement* control = FindElement(reinterpret_cast<HWND>(lParam));
    if (auto* command = dynamic_cast<CommandElement*>(control)) {
        if (command->onClick)
            command->onClick(control);
    }
}

void TrackHover(GUIElement* element)
{
    if (mouseTracking)
        return;
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof request;
    request.dwFlags = TME_HOVER | TME_LEAVE;
    request.hwndTrack = element->windowHandle;
    request.dwHoverTime = HOVER_DEFAULT;
    mouseTracking = TrackMouseEvent(&request) != FALSE;
}

} // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    GUIElement* element = FindElement(window);
    if (!waitCursorHandle)
        waitCursorHandle = LoadCursorW(nullptr, IDC_WAIT);
    if (!handCursorHandle)
        handCursorHandle = LoadCursorW(nullptr, IDC_HAND);
    // Taken now: the message may change the element, the default processing must not.
    const WNDPROC previous = element ? element->oldWindowProc : nullptr;
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);

    switch (message) {
    case WM_CREATE:
        if (auto* form = dynamic_cast<Form*>(element))
            form->Created(window);
        break;
    case WM_DESTROY:
        if (element)
            element->Destroyed();
        if (window == mainWindow)
            PostQuitMessage(0);
        break;
    case WM_MOVE:
        if (element)
            element->Moved();
        break;
    case WM_SIZE:
        if (element)
            element->Resized();
        break;
    case WM_ACTIVATE:
        if (auto* form = dynamic_cast<Form*>(element))
            TrackActivation(form, window);
        break;
    case WM_SETFOCUS:
        if (element)
            element->GotFocus();
        break;
    case WM_KILLFOCUS:
        if (element)
            element->LostFocus();
        break;
    case WM_PAINT:
        if (element)
            element->Paint();
        break;
    case WM_CLOSE:
        if (element && !element->Closing())
            return 1;
        break;
    case WM_SHOWWINDOW:
        if (element) {
            element->Shown();
            element->Resized();
        }
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && element) {
            if (element->IsHandCursor()) {
                SetCursor(handCursorHandle);
                return TRUE;
            }
            if (element->IsWaitCursor()) {
                SetCursor(waitCursorHandle);
                return TRUE;
            }
        }
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        auto* button = dynamic_cast<Button*>(FindElementById(static_cast<int>(wParam)));
        if (button && item && item->CtlType == ODT_BUTTON) {
            button->PaintOwnerDrawn(*item);
            return TRUE;
        }
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_TAB)
            NavigateWithTab(element, window);
        if (element)
            element->KeyDown(static_cast<unsigned>(wParam));
        break;
    case WM_KEYUP:
        if (element)
            element->KeyUp(static_cast<unsigned>(wParam));
        break;
    case WM_CHAR:
        if (element && !element->KeyChar(static_cast<unsigned>(wParam)))
            return 1;
        break;
    case WM_COMMAND:
        DispatchCommand(wParam, lParam);
        break;
    case WM_TIMER: {
        auto* timer = dynamic_cast<Timer*>(FindElementById(static_cast<int>(wParam)));
        if (timer && timer->onTick)
            timer->onTick(timer);
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        // Only the end of a drag or key press reaches the slider, never the positions in between.
        GUIElement* target = element;
        if (lParam > 0 && LOWORD(wParam) == TB_ENDTRACK)
            target = FindElement(reinterpret_cast<HWND>(lParam));
        if (target && target->typeName == "slider") {
            if (auto* slider = dynamic_cast<Slider*>(target))
                slider->NotifyScroll();
        }
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        if (element) {
            if (HBRUSH brush = element->ControlColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_LBUTTONDOWN:
        if (element)
            element->MouseDown(x, y);
        break;
    case WM_LBUTTONUP:
        if (element)
            element->MouseUp(x, y);
        break;
    case WM_LBUTTONDBLCLK:
        if (element)
            element->DoubleClick(x, y);
        break;
    case WM_RBUTTONDOWN:
        if (element)
            element->RightMouseDown(x, y);
        break;
    case WM_RBUTTONUP:
        if (element)
            element->RightMouseUp(x, y);
        break;
    case WM_RBUTTONDBLCLK:
        if (element)
            element->RightDoubleClick(x, y);
        break;
    case WM_MOUSEMOVE:
        if (element) {
            element->MouseMove(x, y);
            TrackHover(element);
        }
        break;
    case WM_MOUSEHOVER:
        if (element)
            element->MouseHover();
        break;
    case WM_MOUSELEAVE:
        mouseTracking = false;
        if (element)
            element->MouseLeave();
        break;
    default:
        break;
    }
    return DefaultProcessing(previous, window, message, wParam, lParam);
}

} // namespace VornUtility
