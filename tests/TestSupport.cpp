#include "TestSupport.h"

#include <cstdlib>

const wchar_t* RulvioExePath()
{
    static std::wstring path = [] {
        wchar_t buffer[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, buffer, MAX_PATH);
        std::wstring own(buffer);
        const auto slash = own.find_last_of(L"\\/");
        const std::wstring testsDir = own.substr(0, slash);
        const auto parentSlash = testsDir.find_last_of(L"\\/");
        return testsDir.substr(0, parentSlash) + L"\\app\\rulvio.exe";
    }();
    return path.c_str();
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PumpFor(int ms)
{
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        PumpMessages();
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

COLORREF ClientPixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

std::vector<std::string>& CallRecorder::Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

void CallRecorder::Add(const std::string& call)
{
    Calls().push_back(call);
}

void CallRecorder::Clear()
{
    Calls().clear();
}

namespace {

void SendMouse(DWORD flags, int screenX, int screenY)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = static_cast<LONG>((screenX * 65535 + width / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((screenY * 65535 + height / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void SendKey(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

} // namespace

InputLock::InputLock() : mutex(CreateMutexW(nullptr, FALSE, L"Local\\RulvioTestInput"))
{
    if (mutex)
        WaitForSingleObject(mutex, 120000);
}

InputLock::~InputLock()
{
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
}

void Activate(HWND window)
{
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    PumpUntil([&] { return GetForegroundWindow() == window; });
}

void MoveMouse(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    SendMouse(MOUSEEVENTF_MOVE, point.x, point.y);
    PumpMessages();
}

void SendMouseButton(HWND window, int x, int y, bool down)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    SendMouse(MOUSEEVENTF_MOVE | (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP), point.x, point.y);
    PumpMessages();
}

void RealClick(HWND window, int x, int y)
{
    SendMouseButton(window, x, y, true);
    SendMouseButton(window, x, y, false);
}

void ClickClient(HWND window, int x, int y)
{
    // Paced like a hand: the pointer arrives, rests, presses and lets go.
    MoveMouse(window, x, y);
    PumpFor(60);
    SendMouseButton(window, x, y, true);
    PumpFor(60);
    SendMouseButton(window, x, y, false);
    PumpFor(30);
}

void PressKey(WORD virtualKey, bool shift)
{
    if (shift)
        SendKey(VK_SHIFT, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    if (shift)
        SendKey(VK_SHIFT, true);
    PumpMessages();
}

int CountGdiObjects()
{
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0)
        return static_cast<int>(reported);
    int count = 0;
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
            ++count;
    }
    return count;
}

namespace {
BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}
BOOL CALLBACK CountTopLevel(HWND window, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, &CountChild, count);
    return TRUE;
}
} // namespace

int CountThreadWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}
