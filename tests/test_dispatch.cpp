// The common window procedure: which message reaches which element operation and handler, and the
// framework behaviours it adds (closing, quitting, Tab, cursors, commands, timers, sliders, hover,
// activation). Each case records the handler calls and compares them with a table.
#include "TestSupport.h"

#include "framework/ElementRegistry.h"
#include "framework/WindowProcedure.h"
#include "framework/controls/Button.h"
#include "framework/controls/CellControl.h"
#include "framework/controls/Label.h"
#include "framework/controls/Menu.h"
#include "framework/controls/MenuBar.h"
#include "framework/controls/Slider.h"
#include "framework/controls/SubMenu.h"
#include "framework/controls/TextBox.h"
#include "framework/controls/Timer.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace VornUtility;
using Calls = std::vector<std::string>;

namespace {

std::string Describe(GUIElement* element)
{
    return element->typeName.empty() ? std::string("?") : element->typeName;
}

int OnMouse(const char* name, GUIElement* element, int x, int y)
{
    CallRecorder::Add(std::string(name) + " " + Describe(element) + " " + std::to_string(x) + " " + std::to_string(y));
    return 0;
}
int OnEvent(const char* name, GUIElement* element)
{
    CallRecorder::Add(std::string(name) + " " + Describe(element));
    return 0;
}
int OnKey(const char* name, GUIElement* element, unsigned key)
{
    CallRecorder::Add(std::string(name) + " " + Describe(element) + " " + std::to_string(key));
    return 0;
}

// Installs a recording handler in every slot of an element.
void RecordEverything(GUIElement* e)
{
    e->onMouseUp = [](GUIElement* el, HWND, int x, int y) { return OnMouse("onMouseUp", el, x, y); };
    e->onMouseDown = [](GUIElement* el, HWND, int x, int y) { return OnMouse("onMouseDown", el, x, y); };
    e->onDoubleClick = [](GUIElement* el, HWND, int x, int y) { return OnMouse("onDoubleClick", el, x, y); };
    e->onRightMouseUp = [](GUIElement* el, HWND, int x, int y) { return OnMouse("onRightMouseUp", el, x, y); };
    e->onRightMouseDown = [](GUIElement* el, HWND, int x, int y) { return OnMouse("onRightMouseDown", el, x, y); };
    e->onRightDoubleClick = [](GUIElement* el, HWND, int x, int y) {
        return OnMouse("onRightDoubleClick", el, x, y);
    };
    e->onMouseMove = [](GUIElement* el, int x, int y) { return OnMouse("onMouseMove", el, x, y); };
    e->onKeyUp = [](GUIElement* el, unsigned key) { return OnKey("onKeyUp", el, key); };
    e->onKeyDown = [](GUIElement* el, unsigned key) { return OnKey("onKeyDown", el, key); };
    e->onKeyChar = [](GUIElement* el, unsigned key) { return OnKey("onKeyChar", el, key) + 1; };
    e->onMove = [](GUIElement* el) { return OnEvent("onMove", el); };
    e->onResize = [](GUIElement* el) { return OnEvent("onResize", el); };
    e->onPaint = [](GUIElement* el) { return OnEvent("onPaint", el); };
    e->onDestroy = [](GUIElement* el) { return OnEvent("onDestroy", el); };
    e->onGotFocus = [](GUIElement* el) { return OnEvent("onGotFocus", el); };
    e->onLostFocus = [](GUIElement* el) { return OnEvent("onLostFocus", el); };
    e->onActivate = [](GUIElement* el) { return OnEvent("onActivate", el); };
    e->onDeactivate = [](GUIElement* el) { return OnEvent("onDeactivate", el); };
    e->onMouseHover = [](GUIElement* el) { return OnEvent("onMouseHover", el); };
    e->onMouseLeave = [](GUIElement* el) { return OnEvent("onMouseLeave", el); };
}

// A shown form with a label child, both recording every handler call.
struct DispatchFixture : ::testing::Test {
    void SetUp() override
    {
        form.Resize(400, 300);
        form.Move(50, 50);
        form.Create();
        label.Resize(120, 30);
        label.Move(10, 10);
        label.Create();
        RecordEverything(&form);
        RecordEverything(&label);
        PumpMessages();
        CallRecorder::Clear();
    }
    TestForm form;
    Label label{&form, "label"};
};

bool QuitPosted(int* exitCode)
{
    MSG message;
    if (!PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    *exitCode = static_cast<int>(message.wParam);
    return true;
}

} // namespace

TEST_F(DispatchFixture, InputMessagesReachTheirHandlersWithSignedClientCoordinates)
{
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        Calls expected;
    };
    const LPARAM point = MAKELPARAM(static_cast<WORD>(-5), 7);
    const Case cases[] = {
        {WM_LBUTTONDOWN, 0, point, {"onMouseDown label -5 7"}},
        {WM_LBUTTONUP, 0, point, {"onMouseUp label -5 7"}},
        {WM_LBUTTONDBLCLK, 0, point, {"onDoubleClick label -5 7"}},
        {WM_RBUTTONDOWN, 0, point, {"onRightMouseDown label -5 7"}},
        {WM_RBUTTONUP, 0, point, {"onRightMouseUp label -5 7"}},
        {WM_RBUTTONDBLCLK, 0, point, {"onRightDoubleClick label -5 7"}},
        {WM_KEYDOWN, 'A', 0, {"onKeyDown label 65"}},
        {WM_KEYUP, 'A', 0, {"onKeyUp label 65"}},
        {WM_CHAR, 'a', 0, {"onKeyChar label 97"}},
        {WM_MOUSEHOVER, 0, 0, {"onMouseHover label"}},
        {WM_MOUSELEAVE, 0, 0, {"onMouseLeave label"}},
        {WM_PAINT, 0, 0, {"onPaint label"}},   // a paint is not mouse movement
    };
    for (const Case& c : cases) {
        CallRecorder::Clear();
        SendMessageW(label.windowHandle, c.message, c.wParam, c.lParam);
        EXPECT_EQ(CallRecorder::Calls(), c.expected) << "message 0x" << std::hex << c.message;
    }
}

TEST_F(DispatchFixture, MessageForAWindowWithoutAnElementGetsDefaultProcessing)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"NoElement";
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    HWND stray = CreateWindowExW(0, L"NoElement", L"stray", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(stray, nullptr);
    EXPECT_EQ(FindElement(stray), nullptr);   // the last element, the label, has a window
    SendMessageW(stray, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"set by default"));
    wchar_t text[32] = {};
    GetWindowTextW(stray, text, 32);
    EXPECT_STREQ(text, L"set by default");
    SendMessageW(stray, WM_LBUTTONDOWN, 0, 0);
    EXPECT_TRUE(CallRecorder::Calls().empty());
    SendMessageW(stray, WM_CLOSE, 0, 0);   // DefWindowProcW destroys it
    EXPECT_FALSE(IsWindow(stray));
    int exitCode = -1;
    EXPECT_FALSE(QuitPosted(&exitCode));
}

TEST_F(DispatchFixture, CloseRefusedAnswersOneAndKeepsTheWindow)
{
    form.onClose = [](GUIElement* e) { return OnEvent("onClose", e); };   // answers 0: refuse
    EXPECT_EQ(SendMessageW(form.windowHandle, WM_CLOSE, 0, 0), 1);
    EXPECT_TRUE(IsWindow(form.windowHandle));
    EXPECT_EQ(CallRecorder::Calls(), Calls{"onClose form"});
}

TEST_F(DispatchFixture, CloseAllowedDestroysTheMainWindowAndPostsQuitZero)
{
    ASSERT_EQ(mainWindow, form.windowHandle);
    TestForm other;
    other.Create();
    SendMessageW(other.windowHandle, WM_CLOSE, 0, 0);   // no handler: allowed
    EXPECT_FALSE(IsWindow(other.windowHandle));
    EXPECT_TRUE(other.destroyed);
    int exitCode = -1;
    EXPECT_FALSE(QuitPosted(&exitCode)) << "only the main window ends the program";

    SendMessageW(form.windowHandle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(form.windowHandle));
    EXPECT_TRUE(form.destroyed);
    EXPECT_TRUE(label.destroyed);
    Calls destroyed;
    for (const std::string& call : CallRecorder::Calls())
        if (call.rfind("onDestroy", 0) == 0)
            destroyed.push_back(call);
    EXPECT_EQ(destroyed, (Calls{"onDestroy form", "onDestroy label"}));
    ASSERT_TRUE(QuitPosted(&exitCode));
    EXPECT_EQ(exitCode, 0);
}

TEST(Dispatch, TabAndShiftTabMoveTheFocusAmongTheParentsChildrenAndStillReachKeyDown)
{
    TestForm form;
    form.Create();
    Button first(&form, "1"), second(&form, "2"), third(&form, "3");
    int x = 10;
    for (Button* button : {&first, &second, &third}) {
        button->Move(x, 10);
        button->Create();
        button->onKeyDown = [](GUIElement* e, unsigned key) { return OnKey("onKeyDown", e, key); };
        x += 90;
    }
    SetForegroundWindow(form.windowHandle);
    second.Focus();
    PumpMessages();
    ASSERT_EQ(GetFocus(), second.windowHandle);

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    struct Case {
        bool shift;
        HWND expectedFocus;
    };
    const Case cases[] = {{false, third.windowHandle}, {true, second.windowHandle}, {true, first.windowHandle}};
    for (const Case& c : cases) {
        keys[VK_SHIFT] = c.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        CallRecorder::Clear();
        HWND from = GetFocus();
        SendMessageW(from, WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(GetFocus(), c.expectedFocus) << (c.shift ? "Shift+Tab" : "Tab");
        EXPECT_EQ(CallRecorder::Calls(), Calls{"onKeyDown button 9"});
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

TEST(Dispatch, KeyCharHandlerDecidesWhetherARealEditControlGetsTheCharacter)
{
    TestForm form;
    form.Create();
    TextBox box(&form, "");
    box.Create();
    for (bool accept : {false, true}) {
        box.onKeyChar = accept ? [](GUIElement*, unsigned) { return 1; } : [](GUIElement*, unsigned) { return 0; };
        const LRESULT answer = SendMessageW(box.windowHandle, WM_CHAR, 'q', 1);
        if (!accept) {
            EXPECT_EQ(answer, 1);
        }
        EXPECT_EQ(box.GetText(), accept ? "q" : "") << (accept ? "accepted" : "swallowed");
    }
}

TEST_F(DispatchFixture, HandCursorOnlyInTheClientArea)
{
    label.SetHandCursor(true);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(SendMessageW(label.windowHandle, WM_SETCURSOR, reinterpret_cast<WPARAM>(label.windowHandle),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), handCursorHandle);
    EXPECT_EQ(handCursorHandle, LoadCursorW(nullptr, IDC_HAND));

    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(form.windowHandle, WM_SETCURSOR, reinterpret_cast<WPARAM>(form.windowHandle),
                 MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), handCursorHandle);

    label.SetHandCursor(false);
    label.SetWaitCursor(true);
    SendMessageW(label.windowHandle, WM_SETCURSOR, reinterpret_cast<WPARAM>(label.windowHandle),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), waitCursorHandle);
}

TEST(Dispatch, CommandsFromAControlAMenuAndAnAccelerator)
{
    TestForm form;
    form.Create();
    MenuBar bar(&form);
    Menu menu(&bar, "&File");
    SubMenu item(&menu, "&Esci");
    bar.Create();
    Button button(&form, "b");
    Button silent(&form, "s");
    button.Create();
    silent.Create();
    Label label(&form, "l");
    label.Create();
    button.onClick = [](GUIElement* e) { return OnEvent("onClick", e); };
    item.onClick = [](GUIElement* e) { return OnEvent("onClick", e); };

    struct Case {
        const char* name;
        WPARAM wParam;
        LPARAM lParam;
        Calls expected;
    };
    const Case cases[] = {
        {"button click", MAKEWPARAM(button.id, BN_CLICKED), reinterpret_cast<LPARAM>(button.windowHandle),
         {"onClick button"}},
        {"button double click", MAKEWPARAM(button.id, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(button.windowHandle),
         {"onClick button"}},
        {"button without handler", MAKEWPARAM(silent.id, BN_CLICKED), reinterpret_cast<LPARAM>(silent.windowHandle), {}},
        {"label notification", MAKEWPARAM(label.id, STN_CLICKED), reinterpret_cast<LPARAM>(label.windowHandle), {}},
        {"menu", MAKEWPARAM(item.id, 0), 0, {"onClick submenu"}},
        {"accelerator", MAKEWPARAM(item.id, 1), 0, {}},
        {"unknown menu id", MAKEWPARAM(item.id + 100, 0), 0, {}},
    };
    for (const Case& c : cases) {
        CallRecorder::Clear();
        SendMessageW(form.windowHandle, WM_COMMAND, c.wParam, c.lParam);
        EXPECT_EQ(CallRecorder::Calls(), c.expected) << c.name;
    }
    CallRecorder::Clear();
    SendMessageW(button.windowHandle, BM_CLICK, 0, 0);   // the real control reports its click once
    EXPECT_EQ(CallRecorder::Calls(), Calls{"onClick button"});
}

TEST(Dispatch, TimerTicksReachTheTimerByIdentifier)
{
    TestForm form;
    form.Create();
    Timer timer(&form);
    timer.onTick = [](GUIElement* e) { return OnEvent("onTick", e); };
    timer.Create();
    Label label(&form, "not a timer");
    label.Create();
    Timer silent(&form);
    silent.Create();

    SendMessageW(form.windowHandle, WM_TIMER, static_cast<WPARAM>(timer.id), 0);
    SendMessageW(form.windowHandle, WM_TIMER, static_cast<WPARAM>(label.id), 0);
    SendMessageW(form.windowHandle, WM_TIMER, static_cast<WPARAM>(silent.id), 0);
    SendMessageW(form.windowHandle, WM_TIMER, 9999, 0);
    EXPECT_EQ(CallRecorder::Calls(), Calls{"onTick timer"});

    CallRecorder::Clear();
    timer.Start();
    EXPECT_TRUE(PumpUntil([] { return CallRecorder::Calls().size() >= 3; }));
    timer.Stop();
    for (const std::string& call : CallRecorder::Calls())
        EXPECT_EQ(call, "onTick timer");
}

TEST(Dispatch, OnlyTheEndOfATrackReachesTheSlider)
{
    TestForm form;
    form.Create();
    Slider slider(&form);
    slider.Move(40, 40);
    slider.Resize(170, 40);
    slider.onChange = [](GUIElement* e, int value) {
        CallRecorder::Add("onChange " + Describe(e) + " " + std::to_string(value));
        return 0;
    };
    slider.Create();
    Label label(&form, "l");
    label.Create();
    SendMessageW(slider.windowHandle, TBM_SETPOS, TRUE, 6);
    const LPARAM from = reinterpret_cast<LPARAM>(slider.windowHandle);
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        Calls expected;
    };
    const Case cases[] = {
        {"thumb track", WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 6), from, {}},
        {"thumb position", WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 6), from, {}},
        {"line down", WM_HSCROLL, TB_LINEDOWN, from, {}},
        {"end of track", WM_HSCROLL, TB_ENDTRACK, from, {"onChange slider 6"}},
        {"vertical end of track", WM_VSCROLL, TB_ENDTRACK, from, {"onChange slider 6"}},
        {"end of track from a label", WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(label.windowHandle), {}},
        {"end of track without a window", WM_HSCROLL, TB_ENDTRACK, 0, {}},
    };
    for (const Case& c : cases) {
        CallRecorder::Clear();
        SendMessageW(form.windowHandle, c.message, c.wParam, c.lParam);
        EXPECT_EQ(CallRecorder::Calls(), c.expected) << c.name;
    }
}

TEST(Dispatch, ActivationMovesActiveFormAndPlacesTheOwnedForm)
{
    TestForm owner;
    owner.Move(10, 10);
    owner.Create();
    TestForm dialog(true);
    dialog.topMost = false;
    dialog.Move(60, 60);
    dialog.Create();
    TestForm other;
    other.Move(200, 200);
    other.Create();
    for (TestForm* f : {&owner, &dialog, &other}) {
        f->onActivate = [](GUIElement* e) {
            CallRecorder::Add("onActivate " + std::to_string(e->id));
            return 0;
        };
        f->onDeactivate = [](GUIElement* e) {
            CallRecorder::Add("onDeactivate " + std::to_string(e->id));
            return 0;
        };
    }
    owner.ownedForm = &dialog;

    SetForegroundWindow(other.windowHandle);
    PumpMessages();
    EXPECT_EQ(activeForm, &other);

    CallRecorder::Clear();
    SetForegroundWindow(owner.windowHandle);
    PumpFor(500);
    EXPECT_EQ(activeForm, &owner);
    const Calls calls = CallRecorder::Calls();
    const std::string ownerActivated = "onActivate " + std::to_string(owner.id);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), ownerActivated), 1) << "the activation settles at once";
    EXPECT_NE(std::find(calls.begin(), calls.end(), "onDeactivate " + std::to_string(other.id)), calls.end());
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "onActivate " + std::to_string(dialog.id)), 0);
    // The owned dialog comes forward above its owner. (Wine's SetForegroundWindow does not raise the
    // owner itself in a virtual desktop, so only the order of the two is checked.)
    bool dialogAboveOwner = false;
    for (HWND w = GetTopWindow(nullptr); w && w != owner.windowHandle; w = GetWindow(w, GW_HWNDNEXT))
        dialogAboveOwner = dialogAboveOwner || w == dialog.windowHandle;
    EXPECT_TRUE(dialogAboveOwner);
    EXPECT_EQ(GetTopWindow(nullptr), dialog.windowHandle);
}

TEST_F(DispatchFixture, HoverTrackingStartsOnAMoveAndEndsWithTheLeave)
{
    InputLock lock;
    // The pointer starts away from every window of the test, so no request is outstanding.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 5, GetSystemMetrics(SM_CYSCREEN) - 5);
    SetForegroundWindow(form.windowHandle);
    ASSERT_TRUE(PumpUntil([] { return !mouseTracking; }));
    CallRecorder::Clear();
    // A real mouse move over the label: the tracking request (sized for this build) must succeed.
    POINT inside{20, 15};
    ClientToScreen(label.windowHandle, &inside);
    SetCursorPos(inside.x, inside.y);
    EXPECT_TRUE(PumpUntil([] { return mouseTracking; }));
    const Calls calls = CallRecorder::Calls();
    EXPECT_FALSE(calls.empty());
    if (!calls.empty()) {
        EXPECT_EQ(calls.front().rfind("onMouseMove label", 0), 0u) << calls.front();
    }

    POINT outside{300, 250};
    ClientToScreen(form.windowHandle, &outside);
    SetCursorPos(outside.x, outside.y);
    EXPECT_TRUE(PumpUntil([] {
        const Calls& c = CallRecorder::Calls();
        return std::find(c.begin(), c.end(), "onMouseLeave label") != c.end();
    }));
    EXPECT_FALSE(mouseTracking);
    SetCursorPos(outside.x + 5, outside.y);
    EXPECT_TRUE(PumpUntil([] { return mouseTracking; }))
        << "the next move over a framework window starts a new request";
}
