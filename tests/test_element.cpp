// The element model: defaults, setters before and after the window exists, the handler calls, the
// registry and font records.
#include "TestSupport.h"

#include "framework/Child.h"
#include "framework/ElementRegistry.h"
#include "framework/FontRecord.h"
#include "framework/controls/Button.h"
#include "framework/controls/Label.h"

#include <gtest/gtest.h>

using namespace VornUtility;

namespace {

// A child element with no window of its own making.
class Probe : public Child {
public:
    void Create() override {}
};

int RecordCreated(GUIElement*, HWND window)
{
    CallRecorder::Add("onCreated " + std::to_string(reinterpret_cast<UINT_PTR>(window)));
    return 0;
}
int RecordLostFocus(GUIElement*)
{
    CallRecorder::Add("onLostFocus");
    return 0;
}
int RecordTextChanged(GUIElement*)
{
    CallRecorder::Add("onTextChanged");
    return 0;
}
int ReturnSeven(GUIElement*, HWND, int, int)
{
    return 7;
}

} // namespace

TEST(Element, NewElementHasTheDocumentedDefaults)
{
    Probe probe;
    EXPECT_EQ(probe.width, 100);
    EXPECT_EQ(probe.height, 50);
    EXPECT_EQ(probe.left, 100);
    EXPECT_EQ(probe.top, 100);
    EXPECT_EQ(probe.backColor, CLR_INVALID);
    EXPECT_TRUE(probe.enabled);
    EXPECT_TRUE(probe.visible);
    EXPECT_FALSE(probe.created);
    EXPECT_FALSE(probe.destroyed);
    EXPECT_FALSE(probe.backgroundPainted);
    EXPECT_FALSE(probe.waitCursor);
    EXPECT_FALSE(probe.handCursor);
    EXPECT_EQ(probe.id, 0);
    EXPECT_EQ(probe.windowHandle, nullptr);
    EXPECT_EQ(probe.font, nullptr);
    EXPECT_EQ(probe.parent, nullptr);
    EXPECT_EQ(probe.oldWindowProc, nullptr);
    EXPECT_TRUE(probe.text.empty());
    EXPECT_EQ(probe.onCreated, nullptr);
    EXPECT_EQ(probe.onMouseLeave, nullptr);
    EXPECT_FALSE(probe.createdNotified);
}

TEST(Element, HandlerCallsAnswerZeroOrTrueWithoutAHandler)
{
    Probe probe;
    EXPECT_TRUE(probe.KeyChar('a'));
    EXPECT_TRUE(probe.Closing());
    EXPECT_EQ(probe.MouseDown(1, 2), 0);
    EXPECT_EQ(probe.KeyDown(VK_TAB), 0);
    EXPECT_EQ(probe.MouseHover(), 0);
    probe.onMouseDown = &ReturnSeven;
    EXPECT_EQ(probe.MouseDown(1, 2), 7);
    probe.onClose = [](GUIElement*) { return 0; };
    EXPECT_FALSE(probe.Closing());
    probe.onKeyChar = [](GUIElement*, unsigned ch) { return ch == 'y' ? 1 : 0; };
    EXPECT_TRUE(probe.KeyChar('y'));
    EXPECT_FALSE(probe.KeyChar('n'));
}

TEST(Element, SettersBeforeCreateOnlyStoreAndCreateAppliesThem)
{
    TestForm form;
    form.Create();
    FontRecord font("Arial", 20);
    Label label(&form, "first");
    label.Resize(150, 40);
    label.Move(12, 34);
    label.Enable(false);
    label.SetText("stored");
    label.SetFont(&font);
    EXPECT_EQ(label.windowHandle, nullptr);
    EXPECT_EQ(font.handle, nullptr);   // not even the font is made before the window needs it

    label.Create();
    ASSERT_NE(label.windowHandle, nullptr);
    RECT rect{};
    GetWindowRect(label.windowHandle, &rect);
    POINT corner{rect.left, rect.top};
    ScreenToClient(form.windowHandle, &corner);
    EXPECT_EQ(corner.x, 12);
    EXPECT_EQ(corner.y, 34);
    EXPECT_EQ(rect.right - rect.left, 150);
    EXPECT_EQ(rect.bottom - rect.top, 40);
    EXPECT_FALSE(IsWindowEnabled(label.windowHandle));
    wchar_t text[32] = {};
    GetWindowTextW(label.windowHandle, text, 32);
    EXPECT_STREQ(text, L"stored");
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(label.windowHandle, WM_GETFONT, 0, 0)), font.handle);
    EXPECT_NE(font.handle, nullptr);
}

TEST(Element, SettersAfterCreateReachTheWindow)
{
    TestForm form;
    form.Create();
    Label label(&form, "before");
    label.Create();
    label.Resize(60, 21);
    label.Move(5, 6);
    label.Enable(false);
    label.SetText("after");
    EXPECT_EQ(label.GetSize().cx, 60);
    EXPECT_EQ(label.GetSize().cy, 21);
    EXPECT_EQ(label.GetPosition().x, 5);
    EXPECT_EQ(label.GetPosition().y, 6);
    EXPECT_FALSE(IsWindowEnabled(label.windowHandle));
    SetWindowTextW(label.windowHandle, L"from outside");
    EXPECT_EQ(label.GetText(), "from outside");   // read back from the window, not the stored copy
    SetWindowTextW(label.windowHandle, L"");
    EXPECT_EQ(label.GetWideText(), L"");
}

TEST(Element, CreatedTwiceKeepsTheFirstHandleAndNotifiesOnce)
{
    Probe probe;
    probe.onCreated = &RecordCreated;
    CallRecorder::Clear();
    probe.Created(reinterpret_cast<HWND>(0x10));
    probe.Created(reinterpret_cast<HWND>(0x20));
    EXPECT_EQ(probe.windowHandle, reinterpret_cast<HWND>(0x10));
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{"onCreated 16"});
    EXPECT_TRUE(probe.createdNotified);
    probe.windowHandle = nullptr;   // it never had a real window
}

TEST(Element, LostFocusReportsATextChangeOnlyWhenTheTextDiffers)
{
    TestForm form;
    form.Create();
    Label label(&form, "same");
    label.onLostFocus = &RecordLostFocus;
    label.onTextChanged = &RecordTextChanged;
    label.Create();

    CallRecorder::Clear();
    label.GotFocus();
    label.LostFocus();
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{"onLostFocus"});

    CallRecorder::Clear();
    label.GotFocus();
    SetWindowTextW(label.windowHandle, L"changed");
    label.LostFocus();
    EXPECT_EQ(CallRecorder::Calls(), (std::vector<std::string>{"onLostFocus", "onTextChanged"}));
}

TEST(Element, ShowCreatesFirstAndHideNeedsAWindow)
{
    TestForm form;
    form.Create();
    Label label(&form, "x");
    label.Hide();
    EXPECT_FALSE(label.created);
    EXPECT_TRUE(label.visible);
    label.Show();
    EXPECT_TRUE(label.created);
    EXPECT_TRUE(IsWindowVisible(label.windowHandle));
    label.Hide();
    EXPECT_FALSE(label.visible);
    EXPECT_FALSE(IsWindowVisible(label.windowHandle));
}

TEST(Registry, FindElementMatchesHandlesAndFallsBackToAnElementBeingCreated)
{
    EXPECT_EQ(FindElement(reinterpret_cast<HWND>(0x1234)), nullptr);   // empty list
    TestForm form;
    form.Create();
    EXPECT_EQ(FindElement(form.windowHandle), &form);
    EXPECT_EQ(FindElement(reinterpret_cast<HWND>(0x1234)), nullptr);   // last element has a window
    Probe pending;
    EXPECT_EQ(FindElement(reinterpret_cast<HWND>(0x1234)), &pending);  // last element has none yet
    EXPECT_EQ(FindElement(form.windowHandle), &form);
}

TEST(Registry, LookupsByIdentifierAndDestroyedElementsLeaveTheList)
{
    TestForm form;
    form.Create();
    EXPECT_EQ(form.id, 1);
    auto* button = new Button(&form, "b");
    button->Create();
    EXPECT_EQ(FindElementById(button->id), button);
    EXPECT_EQ(FindMenuItem(button->id), nullptr);   // only menu items count there
    const int id = button->id;
    delete button;
    EXPECT_EQ(FindElementById(id), nullptr);
    EXPECT_EQ(FindElementById(999), nullptr);
}

TEST(Registry, ChildrenOfListsOnlyChildrenOfThatWindowInConstructionOrder)
{
    TestForm form;
    form.Create();
    TestForm other;
    other.Create();
    Label first(&form, "1");
    Label elsewhere(&other, "x");
    Button second(&form, "2");
    first.Create();
    elsewhere.Create();
    second.Create();
    const std::vector<Child*> children = ChildrenOf(form.windowHandle);
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0], &first);
    EXPECT_EQ(children[1], &second);
}

TEST(FontRecordTest, GetHandleCreatesTheFontOnceWithTheRecordsValues)
{
    FontRecord font("Arial", 16);
    font.bold = true;
    font.underline = true;
    HFONT handle = font.GetHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(font.GetHandle(), handle);
    LOGFONTW described{};
    ASSERT_NE(GetObjectW(handle, sizeof described, &described), 0);
    EXPECT_EQ(described.lfHeight, 16);
    EXPECT_EQ(described.lfWeight, FW_BOLD);
    EXPECT_TRUE(described.lfUnderline);
    EXPECT_FALSE(described.lfItalic);
    EXPECT_EQ(described.lfPitchAndFamily, 0);
    EXPECT_STREQ(described.lfFaceName, L"Arial");

    FontRecord system;
    EXPECT_EQ(system.faceName, L"System");
    EXPECT_EQ(system.height, 0);
}
