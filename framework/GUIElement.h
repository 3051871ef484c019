// GUIElement: the base of every element. An element mirrors one native window (or menu item, or
// timer): it keeps the window's properties so they can be set before the window exists, offers a
// fixed table of virtual operations that the common window procedure calls, and carries one plain
// function pointer per event, set by its owner and called with the element first.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace VornUtility {

class FontRecord;
class GUIElement;

// Event handlers: plain functions taking the element first; null means no handler.
using CreatedHandler = int (*)(GUIElement* element, HWND window);
using MouseHandler = int (*)(GUIElement* element, HWND window, int x, int y);
using KeyHandler = int (*)(GUIElement* element, unsigned key);
using EventHandler = int (*)(GUIElement* element);
using MoveHandler = int (*)(GUIElement* element, int x, int y);

constexpr COLORREF NoColor = CLR_INVALID;

class GUIElement {
public:
    explicit GUIElement(HINSTANCE moduleInstance);
    GUIElement(const GUIElement&) = delete;
    GUIElement& operator=(const GUIElement&) = delete;

    // Virtual operations, in their fixed slot order; derived classes append their own after slot 36.
    virtual void Resize(int newWidth, int newHeight);                  // 0
    virtual void PaintBackground(COLORREF color);                      // 1
    virtual void Enable(bool on);                                      // 2
    virtual void SetWideText(const std::wstring& newText);             // 3
    virtual void SetText(const std::string& newText);                  // 4
    virtual int MouseUp(int x, int y);                                 // 5
    virtual int MouseDown(int x, int y);                               // 6
    virtual int DoubleClick(int x, int y);                             // 7
    virtual int RightMouseUp(int x, int y);                            // 8
    virtual int RightMouseDown(int x, int y);                          // 9
    virtual int RightDoubleClick(int x, int y);                        // 10
    virtual int KeyUp(unsigned key);                                   // 11
    virtual int KeyDown(unsigned key);                                 // 12
    virtual bool KeyChar(unsigned ch);                                 // 13: false swallows the character
    virtual int MouseMove(int x, int y);                               // 14
    virtual int MouseHover();                                          // 15
    virtual int MouseLeave();                                          // 16
    virtual void Focus();                                              // 17
    virtual int Moved();                                               // 18
    virtual int Resized();                                             // 19
    virtual void Paint();                                              // 20
    virtual HBRUSH ControlColor(HDC dc);                               // 21: brush for a child control, or null
    virtual bool Closing();                                            // 22: false refuses the close
    virtual int Destroyed();                                           // 23
    virtual int GotFocus();                                            // 24
    virtual int LostFocus();                                           // 25
    virtual int Activated();                                           // 26
    virtual int Deactivated();                                         // 27
    virtual void Created(HWND window);                                 // 28
    virtual void Redraw();                                             // 29
    virtual bool IsWaitCursor();                                       // 30
    virtual bool IsHandCursor();                                       // 31
    virtual void SetWaitCursor(bool on);                               // 32
    virtual void SetHandCursor(bool on);                               // 33
    virtual void Shown();                                              // 34
    virtual void ItemNotify(int code, std::vector<int> values, std::vector<std::string> texts); // 35
    virtual void Create() = 0;                                         // 36

    virtual ~GUIElement();

    // Creates the window if needed, then shows it without activating it.
    void Show();
    void Hide();
    void Move(int newLeft, int newTop);
    // The record stays owned by the caller; the element only borrows it.
    void SetFont(FontRecord* newFont);
    // Refreshes left and top from the live window (in the parent's client coordinates).
    POINT GetPosition();
    // Refreshes width and height from the live window rectangle.
    SIZE GetSize();
    std::wstring GetWideText();
    std::string GetText();

    bool visible = true;
    bool destroyed = false;          // the window got WM_DESTROY
    bool waitCursor = false;
    bool handCursor = false;
    HWND windowHandle = nullptr;
    HINSTANCE moduleInstance;
    WNDCLASSW windowClass{};
    FontRecord* font = nullptr;      // borrowed: belongs to the element's owner
    int width = 100;
    int height = 50;
    int left = 100;
    int top = 100;
    bool created = false;
    COLORREF backColor = NoColor;
    std::wstring text;
    std::wstring textOnFocus;
    bool backgroundPainted = false;
    bool enabled = true;
    int id = 0;
    std::string typeName;
    GUIElement* parent = nullptr;    // borrowed
    WNDPROC oldWindowProc = nullptr;

    CreatedHandler onCreated = nullptr;
    bool createdNotified = false;
    MouseHandler onMouseUp = nullptr;
    MouseHandler onMouseDown = nullptr;
    MouseHandler onDoubleClick = nullptr;
    MouseHandler onRightMouseUp = nullptr;
    MouseHandler onRightMouseDown = nullptr;
    MouseHandler onRightDoubleClick = nullptr;
    KeyHandler onKeyUp = nullptr;
    KeyHandler onKeyDown = nullptr;
    KeyHandler onKeyChar = nullptr;
    EventHandler onMove = nullptr;
    EventHandler onResize = nullptr;
    EventHandler onPaint = nullptr;
    EventHandler onClose = nullptr;
    EventHandler onDestroy = nullptr;
    EventHandler onGotFocus = nullptr;
    EventHandler onLostFocus = nullptr;
    EventHandler onActivate = nullptr;
    EventHandler onDeactivate = nullptr;
    EventHandler onTextChanged = nullptr;
    MoveHandler onMouseMove = nullptr;
    EventHandler onMouseHover = nullptr;
    EventHandler onMouseLeave = nullptr;

protected:
    // The common steps of a system control's Create: takes the next identifier, makes the child
    // window of the given class inside the parent's window and subclasses it to the common window
    // procedure. Returns whether a window came back.
    bool CreateControlWindow(const wchar_t* className, DWORD style, DWORD extendedStyle);
    // Routes the window's messages through the common window procedure, keeping the old one.
    void Subclass();
    // The closing step after creation: hand the window its font, if the element has one.
    void ApplyFont();
    // WS_DISABLED when the element is disabled.
    DWORD DisabledStyle() const { return enabled ? 0 : WS_DISABLED; }
    HWND ParentWindow() const;
    // Registers the window class of an element that has one of its own (forms and panels), with the
    // common window procedure and a background brush from backColor. The class lives as long as the
    // element: it is unregistered, and its brush deleted, when the element goes after its window.
    void RegisterOwnClass(const std::wstring& className, UINT classStyle, HINSTANCE instance, HICON classIcon);

private:
    void ReleaseOwnClass();

    std::wstring ownClassName;
    HBRUSH ownClassBrush = nullptr;   // made for the class from backColor; the system brush is shared
};

// Calls handler with the element first when it is set; 0 otherwise.
template <typename Handler, typename... Args>
int CallHandler(Handler handler, GUIElement* element, Args... args)
{
    return handler ? handler(element, args...) : 0;
}

} // namespace VornUtility
