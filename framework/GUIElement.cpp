#include "framework/GUIElement.h"

#include "framework/ElementRegistry.h"
#include "framework/FontRecord.h"
#include "framework/TextHelpers.h"
#include "framework/WindowProcedure.h"

namespace VornUtility {

GUIElement::GUIElement(HINSTANCE instance) : moduleInstance(instance)
{
    RegisterElement(this);
}

GUIElement::~GUIElement()
{
    // A subclassed control that outlives its element gets its own procedure back, so its messages
    // are not sent to a procedure that no longer knows the window.
    if (oldWindowProc && windowHandle && IsWindow(windowHandle)
        && GetWindowLongPtrW(windowHandle, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WindowProcedure)) {
        SetWindowLongPtrW(windowHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldWindowProc));
    }
    ReleaseOwnClass();
    UnregisterElement(this);
}

void GUIElement::RegisterOwnClass(const std::wstring& className, UINT classStyle, HINSTANCE instance, HICON classIcon)
{
    ownClassName = className;
    ownClassBrush = backColor == NoColor ? nullptr : CreateSolidBrush(backColor);
    windowClass = WNDCLASSW{};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = classIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = ownClassBrush ? ownClassBrush : GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = ownClassName.c_str();
    RegisterClassW(&windowClass);
}

void GUIElement::ReleaseOwnClass()
{
    if (ownClassName.empty())
        return;
    // Fails while a window of the class still exists: the class and its brush then stay.
    if (UnregisterClassW(ownClassName.c_str(), windowClass.hInstance) && ownClassBrush)
        DeleteObject(ownClassBrush);
    ownClassName.clear();
}

void GUIElement::Resize(int newWidth, int newHeight)
{
    width = newWidth;
    height = newHeight;
    if (created) {
        SetWindowPos(windowHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOMOVE);
        Redraw();
    }
}

void GUIElement::PaintBackground(COLORREF color)
{
    backColor = color;
    if (!created)
        return;
    InvalidateRect(windowHandle, nullptr, FALSE);
    RECT client{};
    GetClientRect(windowHandle, &client);
    PAINTSTRUCT paint{};
    if (HDC dc = BeginPaint(windowHandle, &paint)) {
        SetBkColor(dc, color);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, L"", 0, nullptr);
        EndPaint(windowHandle, &paint);
    }
    backgroundPainted = true;
}

void GUIElement::Enable(bool on)
{
    enabled = on;
    if (created)
        EnableWindow(windowHandle, on);
}

void GUIElement::SetWideText(const std::wstring& newText)
{
    text = newText;
    if (created)
        SetWindowTextW(windowHandle, text.c_str());
}

void GUIElement::SetText(const std::string& newText)
{
    SetWideText(ToWide(newText));
}

int GUIElement::MouseUp(int x, int y) { return CallHandler(onMouseUp, this, windowHandle, x, y); }
int GUIElement::MouseDown(int x, int y) { return CallHandler(onMouseDown, this, windowHandle, x, y); }
int GUIElement::DoubleClick(int x, int y) { return CallHandler(onDoubleClick, this, windowHandle, x, y); }
int GUIElement::RightMouseUp(int x, int y) { return CallHandler(onRightMouseUp, this, windowHandle, x, y); }
int GUIElement::RightMouseDown(int x, int y) { return CallHandler(onRightMouseDown, this, windowHandle, x, y); }
int GUIElement::RightDoubleClick(int x, int y) { return CallHandler(onRightDoubleClick, this, windowHandle, x, y); }
int GUIElement::KeyUp(unsigned key) { return CallHandler(onKeyUp, this, key); }
int GUIElement::KeyDown(unsigned key) { return CallHandler(onKeyDown, this, key); }

bool GUIElement::KeyChar(unsigned ch)
{
    return onKeyChar ? onKeyChar(this, ch) != 0 : true;
}

int GUIElement::MouseMove(int x, int y) { return CallHandler(onMouseMove, this, x, y); }
int GUIElement::MouseHover() { return CallHandler(onMouseHover, this); }
int GUIElement::MouseLeave() { return CallHandler(onMouseLeave, this); }

void GUIElement::Focus()
{
    if (created)
        SetFocus(windowHandle);
}

int GUIElement::Moved()
{
    GetPosition();
    return CallHandler(onMove, this);
}

int GUIElement::Resized() { return CallHandler(onResize, this); }

void GUIElement::Paint()
{
    if (backgroundPainted)
        PaintBackground(backColor);
    CallHandler(onPaint, this);
}

HBRUSH GUIElement::ControlColor(HDC) { return nullptr; }

bool GUIElement::Closing()
{
    return onClose ? onClose(this) != 0 : true;
}

int GUIElement::Destroyed()
{
    const int result = CallHandler(onDestroy, this);
    destroyed = true;
    return result;
}

int GUIElement::GotFocus()
{
    textOnFocus = GetWideText();
    return CallHandler(onGotFocus, this);
}

int GUIElement::LostFocus()
{
    const int result = CallHandler(onLostFocus, this);
    if (GetWideText() != textOnFocus)
        CallHandler(onTextChanged, this);
    return result;
}

int GUIElement::Activated() { return CallHandler(onActivate, this); }
int GUIElement::Deactivated() { return CallHandler(onDeactivate, this); }

void GUIElement::Created(HWND window)
{
    if (!windowHandle)
        windowHandle = window;
    if (!createdNotified) {
        // Marked first, so a handler that re-enters creation cannot run twice.
        createdNotified = true;
        CallHandler(onCreated, this, windowHandle);
    }
}

void GUIElement::Redraw()
{
    if (created)
        RedrawWindow(windowHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

bool GUIElement::IsWaitCursor() { return waitCursor; }
bool GUIElement::IsHandCursor() { return handCursor; }
void GUIElement::SetWaitCursor(bool on) { waitCursor = on; }
void GUIElement::SetHandCursor(bool on) { handCursor = on; }
void GUIElement::Shown() {}
void GUIElement::ItemNotify(int, std::vector<int>, std::vector<std::string>) {}

void GUIElement::Show()
{
    if (!created)
        Create();
    ShowWindow(windowHandle, SW_SHOWNA);
    visible = true;
}

void GUIElement::Hide()
{
    if (!created)
        return;
    ShowWindow(windowHandle, SW_HIDE);
    visible = false;
}

void GUIElement::Move(int newLeft, int newTop)
{
    left = newLeft;
    top = newTop;
    if (created) {
        SetWindowPos(windowHandle, nullptr, left, top, width, height, SWP_NOSIZE | SWP_NOZORDER);
        Redraw();
    }
}

void GUIElement::SetFont(FontRecord* newFont)
{
    font = newFont;
    if (created && font)
        SendMessageW(windowHandle, WM_SETFONT, reinterpret_cast<WPARAM>(font->GetHandle()), TRUE);
}

POINT GUIElement::GetPosition()
{
    if (created) {
        RECT rect{};
        GetWindowRect(windowHandle, &rect);
        POINT corner{rect.left, rect.top};
        if (parent)
            ScreenToClient(parent->windowHandle, &corner);
        left = corner.x;
        top = corner.y;
    }
    return POINT{left, top};
}

SIZE GUIElement::GetSize()
{
    if (created) {
        RECT rect{};
        GetWindowRect(windowHandle, &rect);
        width = rect.right - rect.left;
        height = rect.bottom - rect.top;
    }
    return SIZE{width, height};
}

std::wstring GUIElement::GetWideText()
{
    if (created) {
        const int length = GetWindowTextLengthW(windowHandle);
        if (length <= 0) {
            text.clear();
        } else {
            std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
            const int copied = GetWindowTextW(windowHandle, buffer.data(), length + 1);
            if (copied != 0) {
                buffer.resize(static_cast<size_t>(copied));
                text = buffer;
            }
        }
    }
    return text;
}

std::string GUIElement::GetText()
{
    return ToNarrow(GetWideText());
}

HWND GUIElement::ParentWindow() const
{
    return parent ? parent->windowHandle : nullptr;
}

bool GUIElement::CreateControlWindow(const wchar_t* className, DWORD style, DWORD extendedStyle)
{
    id = ++nextControlId;
    windowHandle = CreateWindowExW(extendedStyle, className, text.c_str(), style, left, top, width, height,
                                   ParentWindow(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                   nullptr);
    if (!windowHandle)
        return false;
    Subclass();
    return true;
}

void GUIElement::Subclass()
{
    if (windowHandle) {
        oldWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            windowHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure)));
    }
}

void GUIElement::ApplyFont()
{
    if (font)
        SendMessageW(windowHandle, WM_SETFONT, reinterpret_cast<WPARAM>(font->GetHandle()), TRUE);
}

} // namespace VornUtility
