// The about box: what its constructor does to the owner, its window and children, its links, the
// ways it closes, and what it gives back when destroyed; and handing addresses to the shell.
#include "TestSupport.h"

#include "framework/ElementRegistry.h"
#include "framework/FontRecord.h"
#include "framework/WindowProcedure.h"
#include "framework/controls/Button.h"
#include "framework/controls/CellControl.h"
#include "framework/controls/FormAbout.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/PanelChildren.h"
#include "framework/controls/Shell.h"
#include "framework/controls/TextBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace VornUtility;

namespace {

const char* const HomePage = "http://www.rulvio.example";

class OwnerForm : public TestForm {
public:
    OwnerForm()
    {
        Move(10, 10);
        Resize(700, 560);
    }
};

std::wstring WindowText(HWND window)
{
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

RECT ChildRect(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string Describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ") " + std::to_string(r.right - r.left) +
           "x" + std::to_string(r.bottom - r.top);
}

HFONT FontOf(HWND window)
{
    return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
}

// A box with the inputs the game gives it (logo 1006 at 164 x 50), made for the owner.
std::unique_ptr<FormAbout> MakeBox(Form& owner, const std::string& homePage = HomePage, int logoId = 1006)
{
    auto box = std::make_unique<FormAbout>(&owner);
    box->logoBitmapId = logoId;
    box->logoWidth = 164;
    box->logoHeight = 50;
    box->titleText = "Rulvio";
    box->copyrightText = "Copyright (c) Rulvio";
    box->noticeText = "Questo programma viene fornito cos\xEC com'\xE8.";
    box->homePageUrl = homePage;
    return box;
}

std::vector<std::wstring>& OpenedAddresses()
{
    static std::vector<std::wstring> opened;
    return opened;
}

bool RecordOpen(const std::wstring& address)
{
    OpenedAddresses().push_back(address);
    return true;
}

// Replaces the shell opener for one test, so that no browser or mail program is ever started.
struct RecordingShell {
    RecordingShell()
    {
        OpenedAddresses().clear();
        previous = SetShellOpener(&RecordOpen);
    }
    ~RecordingShell() { SetShellOpener(previous); }
    ShellOpener previous;
};

// The owner is itself again: enabled, with no dialog shown for it.
void ExpectOwnerFree(OwnerForm& owner)
{
    EXPECT_TRUE(IsWindowEnabled(owner.windowHandle));
    EXPECT_TRUE(owner.enabled);
    EXPECT_EQ(owner.ownedForm, nullptr);
}

int RecordClick(GUIElement* element)
{
    CallRecorder::Add("onClick " + element->typeName);
    return 0;
}

} // namespace

TEST(AboutBox, ConstructionDisablesTheOwnerAndPreparesAHiddenBox)
{
    OwnerForm owner;
    owner.Create();
    ASSERT_TRUE(IsWindowEnabled(owner.windowHandle));
    const auto box = MakeBox(owner);

    EXPECT_FALSE(IsWindowEnabled(owner.windowHandle));
    EXPECT_FALSE(owner.enabled);
    EXPECT_EQ(owner.ownedForm, box.get());
    EXPECT_EQ(box->owner, &owner);
    EXPECT_FALSE(box->created);
    EXPECT_EQ(box->windowHandle, nullptr);
    EXPECT_EQ(box->moduleInstance, owner.moduleInstance);
    EXPECT_EQ(box->typeName, "form");
    EXPECT_TRUE(box->dialogMode);
    EXPECT_TRUE(box->framed);
    EXPECT_TRUE(box->modalFrame);
    EXPECT_FALSE(box->topMost);
    EXPECT_FALSE(box->minimizeBox);
    EXPECT_FALSE(box->maximizeBox);
    EXPECT_EQ(box->text, L"Info...");
    EXPECT_EQ(box->width, 600);
    EXPECT_EQ(box->height, 300);
    EXPECT_EQ(box->left, (GetSystemMetrics(SM_CXSCREEN) - 600) / 2);
    EXPECT_EQ(box->top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);

    struct FontCase {
        const char* name;
        FontRecord* font;
        int height;
        bool bold;
        bool underline;
    };
    const FontCase fonts[] = {
        {"own", box->font, 14, false, false},
        {"title", box->titleFont, 16, true, false},
        {"link", box->linkFont, 16, false, true},
    };
    for (const FontCase& f : fonts) {
        SCOPED_TRACE(f.name);
        ASSERT_NE(f.font, nullptr);
        EXPECT_EQ(f.font->faceName, L"Arial");
        EXPECT_EQ(f.font->height, f.height);
        EXPECT_EQ(f.font->bold, f.bold);
        EXPECT_EQ(f.font->underline, f.underline);
        EXPECT_FALSE(f.font->italic);
    }
    EXPECT_EQ(box->logoPanel, nullptr);
    EXPECT_EQ(box->okButton, nullptr);
    EXPECT_EQ(box->mailLink, nullptr);
}

TEST(AboutBox, ShowMakesAFixedToolWindowWithAClientAreaOf600By300)
{
    OwnerForm owner;
    owner.Create();
    auto box = MakeBox(owner);
    const int expectedLeft = box->left;
    const int expectedTop = box->top;
    const int classNumber = nextControlId;
    box->Show();
    ASSERT_TRUE(box->created);
    HWND window = box->windowHandle;
    ASSERT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(box->visible);
    EXPECT_EQ(ClassOf(window), L"Window" + std::to_wstring(classNumber));
    EXPECT_NE(mainWindow, window);
    EXPECT_EQ(WindowText(window), L"Info...");
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);

    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD frameBits = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | 0x80 | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                            WS_THICKFRAME | WS_POPUP | WS_CHILD | WS_DISABLED;
    EXPECT_EQ(style & frameBits, static_cast<DWORD>(WS_VISIBLE | WS_CAPTION | WS_SYSMENU | 0x80));
    const DWORD extended = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    EXPECT_EQ(extended & (WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
              static_cast<DWORD>(WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW));

    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 300);
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, expectedLeft);
    EXPECT_EQ(outer.top, expectedTop);

    EXPECT_FALSE(IsWindowEnabled(owner.windowHandle));
}

TEST(AboutBox, ChildrenArePlacedOnTheTextColumnWithTheirTextsAndFonts)
{
    OwnerForm owner;
    owner.Create();
    auto box = MakeBox(owner);
    box->Show();
    ASSERT_NE(box->okButton, nullptr);

    struct Case {
        const char* name;
        GUIElement* child;
        GUIElement* parent;
        const wchar_t* windowClass;
        RECT rect;   // left, top, right, bottom in the parent's client area
        std::wstring text;
        HFONT font;
    };
    const Case cases[] = {
        {"logo panel", box->logoPanel, box.get(), L"PanelChildren", {10, 10, 194, 290}, L"", nullptr},
        {"logo", box->logoImage, box->logoPanel, L"Static", {5, 5, 169, 55}, L"", nullptr},
        {"title", box->titleLabel, box.get(), L"Static", {209, 10, 590, 35}, L"Rulvio", box->titleFont->handle},
        {"copyright", box->copyrightLabel, box.get(), L"Static", {209, 35, 590, 60}, L"Copyright (c) Rulvio",
         box->font->handle},
        // The cells draw with their element font (checked below); their windows keep none.
        {"home page", box->homePageLink, box.get(), L"PanelChildren", {209, 55, 359, 77},
         L"http://www.rulvio.example", nullptr},
        {"mail", box->mailLink, box.get(), L"PanelChildren", {369, 55, 519, 77}, L"info@rulvio.example", nullptr},
        {"notice", box->noticeBox, box.get(), L"Edit", {209, 85, 590, 240},
         L"Questo programma viene fornito cos\u00EC com'\u00E8.", nullptr},
        {"OK", box->okButton, box.get(), L"Button", {359, 250, 439, 275}, L"OK", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.child, nullptr);
        ASSERT_TRUE(c.child->created);
        ASSERT_NE(c.child->windowHandle, nullptr);
        EXPECT_EQ(c.child->parent, c.parent);
        EXPECT_EQ(GetParent(c.child->windowHandle), c.parent->windowHandle);
        EXPECT_EQ(ClassOf(c.child->windowHandle).compare(0, wcslen(c.windowClass), c.windowClass), 0);
        EXPECT_EQ(Describe(ChildRect(c.child->windowHandle)), Describe(c.rect));
        EXPECT_EQ(WindowText(c.child->windowHandle), c.text);
        EXPECT_EQ(FontOf(c.child->windowHandle), c.font);
        EXPECT_TRUE(IsWindowVisible(c.child->windowHandle));
    }

    // Created in this order, which is also their order on the box.
    std::vector<HWND> order;
    for (HWND child = GetWindow(box->windowHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        order.push_back(child);
    const std::vector<HWND> expected{box->logoPanel->windowHandle,   box->titleLabel->windowHandle,
                                     box->copyrightLabel->windowHandle, box->homePageLink->windowHandle,
                                     box->mailLink->windowHandle,    box->noticeBox->windowHandle,
                                     box->okButton->windowHandle};
    EXPECT_EQ(order, expected);

    EXPECT_TRUE(box->logoPanel->border);
    EXPECT_NE(GetWindowLongPtrW(box->logoPanel->windowHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    const DWORD noticeStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                              ES_WANTRETURN | ES_AUTOHSCROLL | ES_READONLY;
    EXPECT_EQ(box->noticeBox->ComputeStyle(), noticeStyle | WS_BORDER);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(box->noticeBox->windowHandle, GWL_STYLE)) & ~static_cast<DWORD>(WS_BORDER),
              noticeStyle);
    EXPECT_NE(GetWindowLongPtrW(box->noticeBox->windowHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(box->okButton->windowHandle, GWL_STYLE)) & 0xF,
              static_cast<DWORD>(BS_PUSHBUTTON));
    EXPECT_FALSE(box->okButton->ownerDraw);

    for (CellControl* link : {box->homePageLink, box->mailLink}) {
        EXPECT_EQ(link->textColor, RGB(0, 0, 255));
        EXPECT_EQ(link->textAlign, Left);
        EXPECT_TRUE(link->handCursor);
        EXPECT_EQ(link->font, box->linkFont);
    }
    EXPECT_EQ(GetFocus(), box->okButton->windowHandle);
}

TEST(AboutBox, LinksLookLikeWebLinksAndShowTheHandCursor)
{
    OwnerForm owner;
    owner.Create();
    auto box = MakeBox(owner);
    box->Show();
    PumpMessages();
    HWND link = box->homePageLink->windowHandle;
    UpdateWindow(link);
    int blue = 0;
    int firstBlueColumn = -1;
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 150; ++x) {
            if (ClientPixel(link, x, y) == RGB(0, 0, 255)) {
                ++blue;
                if (firstBlueColumn < 0 || x < firstBlueColumn)
                    firstBlueColumn = x;
            }
        }
    }
    EXPECT_GT(blue, 20);               // blue text, underlined
    EXPECT_GE(firstBlueColumn, 0);
    EXPECT_LT(firstBlueColumn, 4);     // left-aligned

    // Over a link the cursor is the hand; the procedure answers that it set one.
    EXPECT_EQ(SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST(AboutBox, TheMailLinkIsTheHomePageWithInfoAtForHttpWww)
{
    struct Case {
        const char* homePage;
        const char* mail;
    };
    const Case cases[] = {
        {"http://www.rulvio.example", "info@rulvio.example"},
        {"https://rulvio.example", "https://rulvio.example"},
        {"http://www.a.example/http://www.b", "info@a.example/info@b"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.homePage);
        OwnerForm owner;
        owner.Create();
        auto box = MakeBox(owner, c.homePage);
        box->Show();
        ASSERT_NE(box->mailLink, nullptr);
        EXPECT_EQ(box->mailLink->GetText(), c.mail);
        EXPECT_EQ(box->homePageLink->GetText(), c.homePage);
        box.reset();
    }
}

TEST(AboutBox, PressingALinkOpensItsAddressAtOnceBeforeTheButtonIsReleased)
{
    InputLock lock;
    struct Case {
        const char* name;
        const char* homePage;
        bool mail;
        std::wstring opened;
    };
    const Case cases[] = {
        {"home page", HomePage, false, L"http://www.rulvio.example"},
        {"mail", HomePage, true, L"mailto:info@rulvio.example"},
        {"mail without http://www.", "https://rulvio.example/casa", true, L"mailto:https://rulvio.example/casa"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingShell shell;
        OwnerForm owner;
        owner.Create();
        auto box = MakeBox(owner, c.homePage);
        box->Show();
        Activate(box->windowHandle);
        HWND link = (c.mail ? box->mailLink : box->homePageLink)->windowHandle;
        SendMouseButton(link, 20, 10, true);
        PumpUntil([] { return !OpenedAddresses().empty(); });
        EXPECT_EQ(OpenedAddresses(), std::vector<std::wstring>{c.opened});
        SendMouseButton(link, 20, 10, false);
        Wait(50);
        EXPECT_EQ(OpenedAddresses().size(), 1u);   // the release opens nothing more
        EXPECT_TRUE(IsWindow(box->windowHandle));  // and the box stays open
        box.reset();
    }
}

TEST(AboutBox, OnlyItsOwnLinksAndButtonAct)
{
    RecordingShell shell;
    OwnerForm owner;
    owner.Create();
    auto box = MakeBox(owner);
    box->Show();
    Label stranger(box.get(), "x");
    stranger.Create();
    box->OnLinkPressed(&stranger, 1, 1);
    EXPECT_TRUE(OpenedAddresses().empty());
    Button otherButton(box.get(), "Altro");
    otherButton.Create();
    box->OnButtonClick(&otherButton);
    EXPECT_TRUE(IsWindow(box->windowHandle));
    EXPECT_TRUE(box->created);
}

TEST(AboutBox, EnterOrEscapeClosesItWhereverTheFocusIs)
{
    InputLock lock;
    enum Target { Notice, Ok, Box, Title };
    struct Case {
        const char* name;
        Target focus;
        WORD key;
    };
    const Case cases[] = {
        {"Enter on the notice", Notice, VK_RETURN}, {"Escape on the notice", Notice, VK_ESCAPE},
        {"Enter on OK", Ok, VK_RETURN},             {"Escape on OK", Ok, VK_ESCAPE},
        {"Enter on the box", Box, VK_RETURN},       {"Escape on the box", Box, VK_ESCAPE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OwnerForm owner;
        owner.Create();
        auto box = MakeBox(owner);
        box->Show();
        Activate(box->windowHandle);
        HWND target = c.focus == Notice ? box->noticeBox->windowHandle
                      : c.focus == Ok   ? box->okButton->windowHandle
                                        : box->windowHandle;
        SetFocus(target);
        PumpUntil([&] { return GetFocus() == target; });
        ASSERT_EQ(GetFocus(), target);
        HWND window = box->windowHandle;
        PressKey(c.key);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }));
        EXPECT_FALSE(box->created);
        ExpectOwnerFree(owner);
        box.reset();
    }
}

TEST(AboutBox, OtherCharactersReachTheFocusedElement)
{
    InputLock lock;
    OwnerForm owner;
    owner.Create();
    auto box = MakeBox(owner);
    box->Show();
    Activate(box->windowHandle);
    // An editable notice shows what the keys do once the box has let them through.
    SendMessageW(box->noticeBox->windowHandle, EM_SETREADONLY, FALSE, 0);
    SetWindowTextW(box->noticeBox->windowHandle, L"");
    box->noticeBox->Focus();
    PumpUntil([&] { return GetFocus() == box->noticeBox->windowHandle; });
    PressKey('Q');
    PressKey('Z');
    EXPECT_TRUE(PumpUntil([&] { return box->noticeBox->GetText() == "qz"; }));
    EXPECT_TRUE(IsWindow(box->windowHandle));
    EXPECT_TRUE(box->OnCharTyped('a'));
    EXPECT_FALSE(IsWindowEnabled(owner.windowHandle));
}

TEST(AboutBox, TheOkButtonAndTheCloseBoxCloseIt)
{
    InputLock lock;
    enum How { ClickOk, SpaceOnOk, CloseBox, CloseMessage };
    struct Case {
        const char* name;
        How how;
    };
    const Case cases[] = {
        {"click on OK", ClickOk},
        {"space on OK", SpaceOnOk},
        {"close box", CloseBox},
        {"WM_CLOSE", CloseMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OwnerForm owner;
        owner.Create();
        auto box = MakeBox(owner);
        box->Show();
        Activate(box->windowHandle);
        HWND window = box->windowHandle;
        switch (c.how) {
        case ClickOk:
            RealClick(box->okButton->windowHandle, 40, 12);
            break;
        case SpaceOnOk:
            box->okButton->Focus();
            PressKey(VK_SPACE);
            break;
        case CloseBox:
            PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case CloseMessage:
            PostMessageW(window, WM_CLOSE, 0, 0);
            break;
        }
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }));
        ExpectOwnerFree(owner);
        EXPECT_TRUE(box->destroyed);
        box.reset();
    }
}

TEST(AboutBox, WhileOpenTheOwnerTakesNoInputAndAfterwardsItDoes)
{
    InputLock lock;
    OwnerForm owner;
    owner.Create();
    Button ownersButton(&owner, "GIOCA");
    ownersButton.Move(10, 10);
    ownersButton.onClick = &RecordClick;
    ownersButton.Create();

    auto box = MakeBox(owner);
    box->Show();
    // Above every other window, so that the click reaches the owner (the box is elsewhere on the screen).
    SetWindowPos(owner.windowHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpMessages();
    CallRecorder::Clear();
    RealClick(ownersButton.windowHandle, 30, 15);
    // Input arrives in order: once a click on the box's title has arrived, the one before has been handled.
    box->titleLabel->onMouseDown = [](GUIElement*, HWND, int, int) {
        CallRecorder::Add("marker");
        return 0;
    };
    Activate(box->windowHandle);
    RealClick(box->titleLabel->windowHandle, 5, 5);
    PumpUntil([] { return !CallRecorder::Calls().empty(); });
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{"marker"});
    EXPECT_TRUE(IsWindow(box->windowHandle));
    CallRecorder::Clear();

    PressKey(VK_ESCAPE);
    PumpUntil([&] { return !IsWindow(box->windowHandle); });
    ExpectOwnerFree(owner);
    Activate(owner.windowHandle);
    RealClick(ownersButton.windowHandle, 30, 15);
    PumpUntil([] { return !CallRecorder::Calls().empty(); });
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{"onClick button"});
}

TEST(AboutBox, AMissingLogoLeavesThePictureEmptyAndTheRestWhole)
{
    OwnerForm owner;
    owner.Create();
    auto box = MakeBox(owner, HomePage, 31999);
    box->Show();
    ASSERT_NE(box->logoImage, nullptr);
    EXPECT_TRUE(box->logoImage->created);
    EXPECT_EQ(box->logoImage->bitmap, nullptr);
    EXPECT_EQ(SendMessageW(box->logoImage->windowHandle, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_EQ(box->mailLink->GetText(), "info@rulvio.example");
    EXPECT_EQ(GetFocus(), box->okButton->windowHandle);
}

TEST(AboutBox, TheLogoShowsBitmap1006)
{
    if (!FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1006), MAKEINTRESOURCEW(2)))
        GTEST_SKIP() << "this test program carries no bitmap resource 1006";
    OwnerForm owner;
    owner.Create();
    auto box = MakeBox(owner);
    box->Show();
    ASSERT_NE(box->logoImage->bitmap, nullptr);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageW(box->logoImage->windowHandle, STM_GETIMAGE, IMAGE_BITMAP, 0)),
              box->logoImage->bitmap);
}

TEST(AboutBox, DestroyingAnOpenBoxClosesItFreesTheOwnerAndReleasesEverything)
{
    OwnerForm owner;
    owner.Create();
    auto* box = MakeBox(owner).release();
    box->Show();
    HWND window = box->windowHandle;
    std::vector<HFONT> fonts{box->font->handle, box->titleFont->handle, box->linkFont->handle};
    for (HFONT font : fonts)
        ASSERT_NE(GetObjectType(font), 0u);
    const size_t elementsBefore = elementList.size();
    delete box;
    EXPECT_FALSE(IsWindow(window));
    ExpectOwnerFree(owner);
    for (HFONT font : fonts)
        EXPECT_EQ(GetObjectType(font), 0u);
    // The box and its eight children leave the element list.
    EXPECT_EQ(elementList.size(), elementsBefore - 9);
}

TEST(AboutBox, DestroyingABoxThatWasNeverShownGivesTheOwnerBack)
{
    OwnerForm owner;
    owner.Create();
    auto* box = MakeBox(owner).release();
    EXPECT_FALSE(IsWindowEnabled(owner.windowHandle));
    delete box;
    ExpectOwnerFree(owner);

    // A box that is no longer the owner's dialog leaves the owner to the one that is.
    auto first = MakeBox(owner);
    first->Show();
    PostMessageW(first->windowHandle, WM_CLOSE, 0, 0);
    PumpUntil([&] { return !IsWindow(first->windowHandle); });
    auto second = MakeBox(owner);
    first.reset();
    EXPECT_EQ(owner.ownedForm, second.get());
    EXPECT_FALSE(IsWindowEnabled(owner.windowHandle));
    second.reset();
    ExpectOwnerFree(owner);
}

TEST(AboutBox, OpeningAndClosingBoxesLeavesNoGdiObjectOrWindowBehind)
{
    InputLock lock;
    OwnerForm owner;
    owner.Create();
    auto cycle = [&](bool byEscape) {
        auto box = MakeBox(owner);
        box->Show();
        PumpMessages();
        RedrawWindow(box->windowHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (byEscape) {
            HWND window = box->windowHandle;
            Activate(window);
            PressKey(VK_ESCAPE);
            PumpUntil([&] { return !IsWindow(window); });
        }
        box.reset();
        PumpMessages();
    };
    // Every form window registers a window class of its own that lives until the process ends, and the
    // platform may keep objects for it (Wine keeps a small copy of the class icon): a bare dialog form
    // shows that cost, and a box may cost no more than that.
    auto bareDialog = [] {
        TestForm dialog(true);
        dialog.Create();
        PumpMessages();
    };
    cycle(true);   // warm-up: the platform builds its caches on first use
    cycle(false);
    bareDialog();
    const int windowsBefore = CountThreadWindows();
    const int atStart = CountGdiObjects();
    for (int i = 0; i < 3; ++i) {
        cycle(true);
        cycle(false);
    }
    const int afterBoxes = CountGdiObjects();
    for (int i = 0; i < 6; ++i)
        bareDialog();
    const int afterDialogs = CountGdiObjects();
    EXPECT_EQ(afterBoxes - atStart, afterDialogs - afterBoxes);
    EXPECT_EQ(CountThreadWindows(), windowsBefore);
    ExpectOwnerFree(owner);
}

TEST(ShellTest, OpenWithShellReportsWhetherTheShellAcceptedTheAddress)
{
    // The real shell, with something it cannot open: it refuses, and nothing is started.
    ASSERT_EQ(SetShellOpener(nullptr), SetShellOpener(nullptr));
    EXPECT_FALSE(OpenWithShell("C:\\rulvio-missing-folder\\nothing-here.txt"));

    RecordingShell shell;
    EXPECT_TRUE(OpenWithShell("mailto:info@rulvio.example"));
    EXPECT_EQ(OpenedAddresses(), std::vector<std::wstring>{L"mailto:info@rulvio.example"});
}

