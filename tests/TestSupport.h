// Shared helpers of the test suites: pumping messages, reading pixels back, recording the calls
// that reach element handlers, and the paths of the built programs.
#pragma once

#include "framework/Form.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The built 64-bit game, next to the test programs' build folder.
const wchar_t* RulvioExePath();

// Dispatches every message waiting for this thread.
void PumpMessages();
// Pumps messages for a while (pacing input like a person, never a measurement).
void PumpFor(int ms);
// Pumps messages until the condition holds or timeoutMs passes; returns the condition's last value.
// The timeout only bounds a wait for the platform; no test asserts how long anything took.
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// The class name of a window.
std::wstring ClassOf(HWND window);

// The colour of a client pixel as the window shows it (read back from the window's device context).
COLORREF ClientPixel(HWND window, int x, int y);

// A plain form for tests: a top-level window of the framework with nothing of its own.
class TestForm : public VornUtility::Form {
public:
    explicit TestForm(bool dialog = false) : Form(GetModuleHandleW(nullptr), dialog) {}
};

// Records the calls that reach handlers, as lines such as "onMouseDown 3 4".
struct CallRecorder {
    static std::vector<std::string>& Calls();
    static void Add(const std::string& call);
    static void Clear();
};

// Live GDI objects of this process. GetGuiResources answers where it works; under Wine, which stubs
// it, a census: Wine takes a handle whose high word is 0 as the object at that index.
int CountGdiObjects();
// Windows of this thread, top-level and children.
int CountThreadWindows();

// Real input goes to whatever window is under the one cursor of the one desktop: a test that sends
// it holds this lock, shared by every test process of the Wine session, for its whole length.
class InputLock {
public:
    InputLock();
    ~InputLock();
    InputLock(const InputLock&) = delete;
    InputLock& operator=(const InputLock&) = delete;

private:
    HANDLE mutex;
};

// Brings a created window above every other and to the foreground, so that real input reaches it.
void Activate(HWND window);
// Pumps messages for a while.
inline void Wait(int milliseconds) { PumpFor(milliseconds); }

// Moves the pointer to a client point of a window, through the real input queue.
void MoveMouse(HWND window, int x, int y);
// Presses or releases the left button at a client point. Each event carries its position: a press
// without one goes wherever the cursor is by then, and under Wine another process can move the
// cursor back to where the X pointer last was between a move and a press.
void SendMouseButton(HWND window, int x, int y, bool down);
// A left click (press and release) at a client point of a window.
void RealClick(HWND window, int x, int y);
void ClickClient(HWND window, int x, int y);
// Types a virtual key through the real input queue (down and up), with Shift held when asked.
void PressKey(WORD virtualKey, bool shift = false);
