#include "framework/Form.h"

#include "framework/ElementRegistry.h"
#include "framework/FontRecord.h"
#include "framework/TextHelpers.h"
#include "framework/WindowProcedure.h"

#include <algorithm>

namespace VornUtility {

// The class-specific style bit a dialog form adds for its modal frame.
constexpr DWORD ModalFrameStyle = 0x80;

Form::Form(HINSTANCE instance, bool dialog) : GUIElement(instance), dialogMode(dialog)
{
    typeName = "form";
}

Form::~Form()
{
    if (created && windowHandle && !destroyed) {
        SendMessageW(windowHandle, WM_CLOSE, 0, 0);
        created = false;
        DestroyWindow(windowHandle);
    }
    // Only once the window is gone: until then it still shows the icon.
    if (icon)
        DestroyIcon(icon);
}

DWORD Form::ComputeStyle() const
{
    DWORD style = WS_POPUP;
    if (framed) {
        style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX;
        if (minimizeBox)
            style |= WS_MINIMIZEBOX;
        if (maximizeBox)
            style |= WS_THICKFRAME;
    }
    if (dialogMode)
        style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX | (modalFrame ? ModalFrameStyle : 0);
    if (!maximizeBox)
        style &= ~static_cast<DWORD>(WS_MAXIMIZEBOX);
    if (!minimizeBox)
        style &= ~static_cast<DWORD>(WS_MINIMIZEBOX);
    return style | DisabledStyle();
}

DWORD Form::ComputeExtendedStyle() const
{
    if (!dialogMode)
        return 0;
    return WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | (topMost ? WS_EX_TOPMOST : 0);
}

void Form::Create()
{
    if (created)
        return;
    const std::wstring title = text;
    const std::wstring className = L"Window" + Int64ToWideText(nextControlId);
    id = ++nextControlId;

    RegisterOwnClass(className, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, moduleInstance,
                     iconId ? LoadIconW(moduleInstance, MAKEINTRESOURCEW(iconId)) : LoadIconW(nullptr, IDI_APPLICATION));
    windowHandle = CreateWindowExW(ComputeExtendedStyle(), className.c_str(), title.c_str(), ComputeStyle(), left,
                                   top, width, height, nullptr, nullptr, moduleInstance, nullptr);
    if (!mainWindow)
        mainWindow = windowHandle;
    Created(windowHandle);
    ShowWindow(windowHandle, SW_SHOW);
    UpdateWindow(windowHandle);
    created = true;
    ApplyFont();
}

void Form::FormHook() {}

void Form::SetClientSize(int clientWidth, int clientHeight)
{
    if (!created)
        return;
    RECT window{};
    RECT client{};
    GetWindowRect(windowHandle, &window);
    GetClientRect(windowHandle, &client);
    width = client.right - client.left;
    height = client.bottom - client.top;
    const int frameX = std::max(0, static_cast<int>(window.right - window.left) - width);
    const int frameY = std::max(0, static_cast<int>(window.bottom - window.top) - height);
    GetPosition();
    Resize(clientWidth + frameX, clientHeight + frameY);
}

void Form::CenterOnScreen()
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (created) {
        RECT rect{};
        GetWindowRect(windowHandle, &rect);
        width = rect.right - rect.left;
        height = rect.bottom - rect.top;
    }
    left = (screenWidth - width) / 2;
    top = (screenHeight - height) / 2;
    if (created) {
        SetWindowPos(windowHandle, nullptr, left, top, width, height, SWP_NOSIZE | SWP_NOZORDER);
        Redraw();
    }
}

void Form::SetIcon(int resourceId)
{
    iconId = resourceId;
    if (!created)
        return;
    // A small icon of its own size, so the caption shows the crisp 16-pixel picture, not a scaled one.
    auto* loaded = static_cast<HICON>(LoadImageW(moduleInstance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    if (!loaded)
        return;
    HICON previous = icon;
    icon = loaded;
    SendMessageW(windowHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    if (previous)
        DestroyIcon(previous);
}

} // namespace VornUtility
