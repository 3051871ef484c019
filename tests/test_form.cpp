// Forms: class registration, styles, sizes, placement and destruction.
#include "TestSupport.h"

#include "framework/ElementRegistry.h"
#include "framework/WindowProcedure.h"

#include <gtest/gtest.h>

using namespace VornUtility;

namespace {

int RecordClose(GUIElement*)
{
    CallRecorder::Add("onClose");
    return 0;   // refuses, but destruction goes on regardless
}

} // namespace

TEST(FormTest, FirstFormRegistersWindow0TakesId1AndBecomesMainWindow)
{
    TestForm first;
    first.Create();
    EXPECT_EQ(ClassOf(first.windowHandle), L"Window0");
    EXPECT_EQ(first.id, 1);
    EXPECT_EQ(mainWindow, first.windowHandle);
    EXPECT_TRUE(first.created);
    EXPECT_TRUE(IsWindowVisible(first.windowHandle));

    nextControlId = 6;
    TestForm later(true);
    later.Create();
    EXPECT_EQ(ClassOf(later.windowHandle), L"Window6");
    EXPECT_EQ(later.id, 7);
    EXPECT_EQ(mainWindow, first.windowHandle);
}

TEST(FormTest, CreateTwiceDoesNothing)
{
    TestForm form;
    form.Create();
    HWND window = form.windowHandle;
    form.Create();
    EXPECT_EQ(form.windowHandle, window);
    EXPECT_EQ(nextControlId, 1);
}

TEST(FormTest, StylesFollowTheFlags)
{
    struct Case {
        const char* name;
        bool dialog;
        bool minimizeBox;
        bool maximizeBox;
        bool topMost;
        bool modalFrame;
        bool framed;
        DWORD style;
        DWORD extended;
    };
    const DWORD visibleCaption = WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    const Case cases[] = {
        {"defaults", false, true, true, true, false, true, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0},
        {"main window", false, true, false, true, false, true, visibleCaption | WS_MINIMIZEBOX, 0},
        {"about box", true, false, false, false, true, true, visibleCaption | 0x80,
         WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW},
        {"top-most dialog", true, false, false, true, false, true, visibleCaption,
         WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
        {"frameless", false, true, true, true, false, false, WS_POPUP, 0},
    };
    for (const Case& c : cases) {
        TestForm form(c.dialog);
        form.minimizeBox = c.minimizeBox;
        form.maximizeBox = c.maximizeBox;
        form.topMost = c.topMost;
        form.modalFrame = c.modalFrame;
        form.framed = c.framed;
        EXPECT_EQ(form.ComputeStyle(), c.style) << c.name;
        EXPECT_EQ(form.ComputeExtendedStyle(), c.extended) << c.name;
        form.Create();
        const DWORD live = static_cast<DWORD>(GetWindowLongPtrW(form.windowHandle, GWL_STYLE));
        const DWORD liveExtended = static_cast<DWORD>(GetWindowLongPtrW(form.windowHandle, GWL_EXSTYLE));
        const DWORD frameBits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_POPUP;
        EXPECT_EQ(live & frameBits, c.style & frameBits) << c.name;
        EXPECT_EQ(liveExtended & c.extended, c.extended) << c.name;
        if (!c.dialog) {
            EXPECT_EQ(liveExtended & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), 0u) << c.name;
        }
    }
}

TEST(FormTest, DisabledFormIsCreatedDisabled)
{
    TestForm form;
    form.Enable(false);
    form.Create();
    EXPECT_FALSE(IsWindowEnabled(form.windowHandle));
}

TEST(FormTest, BackgroundBrushFollowsTheColourSetBeforeCreate)
{
    TestForm plain;
    plain.Create();
    EXPECT_EQ(plain.windowClass.hbrBackground, GetSysColorBrush(COLOR_BTNFACE));

    TestForm black;
    black.PaintBackground(RGB(0, 0, 0));
    EXPECT_FALSE(black.backgroundPainted);
    black.Create();
    LOGBRUSH brush{};
    ASSERT_NE(GetObjectW(black.windowClass.hbrBackground, sizeof brush, &brush), 0);
    EXPECT_EQ(brush.lbColor, RGB(0, 0, 0));
    black.Resize(200, 150);
    PumpMessages();
    RedrawWindow(black.windowHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(ClientPixel(black.windowHandle, 20, 20), RGB(0, 0, 0));
}

TEST(FormTest, SetClientSizeNeedsAWindowAndThenGivesTheExactClientArea)
{
    TestForm form;
    form.SetClientSize(640, 400);
    EXPECT_EQ(form.width, 100);   // nothing happens without a window
    form.maximizeBox = false;
    form.Create();
    for (SIZE wanted : {SIZE{640, 400}, SIZE{300, 200}}) {
        form.SetClientSize(wanted.cx, wanted.cy);
        RECT client{};
        GetClientRect(form.windowHandle, &client);
        EXPECT_EQ(client.right, wanted.cx);
        EXPECT_EQ(client.bottom, wanted.cy);
    }
}

TEST(FormTest, CenterOnScreenBeforeCreateOnlyStoresThePosition)
{
    TestForm form;
    form.Resize(600, 300);
    form.CenterOnScreen();
    EXPECT_EQ(form.left, (GetSystemMetrics(SM_CXSCREEN) - 600) / 2);
    EXPECT_EQ(form.top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
    EXPECT_FALSE(form.created);
    form.Create();
    RECT rect{};
    GetWindowRect(form.windowHandle, &rect);
    EXPECT_EQ(rect.left, form.left);
    EXPECT_EQ(rect.top, form.top);
}

TEST(FormTest, SetIconBeforeCreateOnlyStoresTheId)
{
    TestForm form;
    form.SetIcon(1005);
    EXPECT_EQ(form.iconId, 1005);
    EXPECT_EQ(form.icon, nullptr);
    form.Create();
    form.SetIcon(4242);   // no such icon in this program: the window keeps its icon
    EXPECT_EQ(form.icon, nullptr);
    EXPECT_EQ(SendMessageW(form.windowHandle, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST(FormTest, DestroyingAFormWithALiveWindowClosesAndDestroysIt)
{
    auto* form = new TestForm;
    form->onClose = &RecordClose;
    form->Create();
    HWND window = form->windowHandle;
    CallRecorder::Clear();
    delete form;
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{"onClose"});
    EXPECT_FALSE(IsWindow(window));
}

TEST(FormTest, DestroyingAFormWhoseWindowIsGoneLeavesTheHandleAlone)
{
    auto* form = new TestForm;
    form->onClose = &RecordClose;
    form->Create();
    DestroyWindow(form->windowHandle);
    EXPECT_TRUE(form->destroyed);
    EXPECT_TRUE(form->created);
    CallRecorder::Clear();
    delete form;
    EXPECT_TRUE(CallRecorder::Calls().empty());
}
