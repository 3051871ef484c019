// The controls: buttons (plain and owner-drawn), labels and images, panels with their picture frames
// and text cells, menus, timers, sliders and text boxes, each on real windows with real messages.
#include "TestSupport.h"

#include "framework/Drawing.h"
#include "framework/ElementRegistry.h"
#include "framework/FontRecord.h"
#include "framework/GdiObjects.h"
#include "framework/WindowProcedure.h"
#include "framework/controls/Button.h"
#include "framework/controls/CellControl.h"
#include "framework/controls/Image.h"
#include "framework/controls/ImageFrame.h"
#include "framework/controls/Label.h"
#include "framework/controls/Menu.h"
#include "framework/controls/MenuBar.h"
#include "framework/controls/PanelChildren.h"
#include "framework/controls/Slider.h"
#include "framework/controls/SubMenu.h"
#include "framework/controls/TextBox.h"
#include "framework/controls/Timer.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace VornUtility;

namespace {

bool RunningOnWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

DWORD StyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

DWORD ExtendedStyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

std::wstring WindowText(HWND window)
{
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

bool IsSubclassed(HWND window)
{
    return GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WindowProcedure);
}

// The rectangle of a child window in its parent's client coordinates.
RECT ChildRect(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A 32-bit top-down picture held in memory: drawn into through its own device context, or filled
// from a window's client area.
class Picture {
public:
    Picture(int pictureWidth, int pictureHeight) : width(pictureWidth), height(pictureHeight)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels = static_cast<DWORD*>(bits);
        dc = CreateCompatibleDC(nullptr);
        previous = SelectObject(dc, bitmap);
    }
    ~Picture()
    {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    COLORREF At(int x, int y) const
    {
        GdiFlush();
        const DWORD p = pixels[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    void Fill(COLORREF color)
    {
        GdiObject<HBRUSH> brush(CreateSolidBrush(color));
        RECT all{0, 0, width, height};
        FillRect(dc, &all, brush.get());
    }
    // The box of every pixel in the region that differs from the background; empty when none does.
    RECT Ink(COLORREF background, RECT region) const
    {
        RECT box{region.right, region.bottom, region.left, region.top};
        for (int y = region.top; y < region.bottom; ++y) {
            for (int x = region.left; x < region.right; ++x) {
                if (At(x, y) != background) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
            }
        }
        return box;
    }
    RECT Ink(COLORREF background) const { return Ink(background, RECT{0, 0, width, height}); }
    int Count(COLORREF color, RECT region) const
    {
        int n = 0;
        for (int y = region.top; y < region.bottom; ++y)
            for (int x = region.left; x < region.right; ++x)
                n += At(x, y) == color ? 1 : 0;
        return n;
    }

    const int width;
    const int height;
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;

private:
    DWORD* pixels = nullptr;
    HGDIOBJ previous = nullptr;
};

// What a window shows in its client area, copied from its device context.
std::unique_ptr<Picture> CaptureClient(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    auto picture = std::make_unique<Picture>(client.right, client.bottom);
    HDC source = GetDC(window);
    BitBlt(picture->dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    ReleaseDC(window, source);
    return picture;
}

// The text as DrawTextW puts it into the box (x, y, x + w, y + h) with the given font and flags,
// on a plain background: the reference a painted control is compared with.
RECT ReferenceInk(const std::wstring& text, HFONT font, int boxWidth, int boxHeight, RECT box, UINT format)
{
    Picture reference(boxWidth, boxHeight);
    reference.Fill(RGB(255, 255, 255));
    SelectedObject selected(reference.dc, font);
    SetBkMode(reference.dc, TRANSPARENT);
    SetTextColor(reference.dc, RGB(0, 0, 0));
    DrawTextW(reference.dc, text.c_str(), static_cast<int>(text.size()), &box, format);
    return reference.Ink(RGB(255, 255, 255));
}

std::string Describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// A font without smoothing, so that every pixel of a caption has exactly the text colour.
HFONT CrispFont(int height)
{
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
}

// A test form large enough for every control placed in it.
class RoomyForm : public TestForm {
public:
    RoomyForm()
    {
        Move(20, 20);
        Resize(720, 560);
    }
};

// A form that answers its controls' colour requests as the game's main window does.
class ColouredForm : public RoomyForm {
public:
    ColouredForm(COLORREF textColour, COLORREF backColour)
        : textColor(textColour), background(backColour), brush(CreateSolidBrush(backColour))
    {
    }
    HBRUSH ControlColor(HDC dc) override
    {
        SetTextColor(dc, textColor);
        SetBkColor(dc, background);
        return brush.get();
    }
    COLORREF textColor;
    COLORREF background;
    GdiObject<HBRUSH> brush;
};

int RecordClick(GUIElement* element)
{
    CallRecorder::Add("onClick " + std::to_string(element->id));
    return 0;
}

int RecordMouseDown(GUIElement* element, HWND window, int x, int y)
{
    CallRecorder::Add("onMouseDown " + element->typeName + (window == element->windowHandle ? " own" : " other") +
                      " " + std::to_string(x) + " " + std::to_string(y));
    return 0;
}

int RecordTick(GUIElement* element)
{
    CallRecorder::Add("onTick " + std::to_string(element->id));
    return 0;
}

int RecordChange(GUIElement* element, int value)
{
    CallRecorder::Add("onChange " + element->typeName + " " + std::to_string(value));
    return 0;
}

int RecordTextChanged(GUIElement*)
{
    CallRecorder::Add("onTextChanged");
    return 0;
}

void Activate(Form& form)
{
    Activate(form.windowHandle);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Button

TEST(ButtonTest, ConstructorDefaults)
{
    RoomyForm form;
    Button button(&form, "GIOCA");
    EXPECT_EQ(button.text, L"GIOCA");
    EXPECT_EQ(button.parent, &form);
    EXPECT_EQ(button.width, 80);
    EXPECT_EQ(button.height, 30);
    EXPECT_EQ(button.onClick, nullptr);
    EXPECT_EQ(button.typeName, "button");
    EXPECT_FALSE(button.ownerDraw);
    Drawing drawing(&button);
    EXPECT_EQ(button.DrawPicture(drawing, RECT{0, 0, 80, 30}, false), 0);
}

TEST(ButtonTest, CreateMakesASubclassedSystemButtonWithTheStyleOfItsFlags)
{
    struct Case {
        const char* name;
        bool ownerDraw;
        bool enabled;
        DWORD style;
    };
    const DWORD base = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    const Case cases[] = {
        {"plain", false, true, base | BS_PUSHBUTTON},
        {"plain disabled", false, false, base | BS_PUSHBUTTON | WS_DISABLED},
        {"owner-drawn", true, true, base | BS_OWNERDRAW},
        {"owner-drawn disabled", true, false, base | BS_OWNERDRAW | WS_DISABLED},
    };
    RoomyForm form;
    form.Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Button button(&form, "Chiudi");
        button.ownerDraw = c.ownerDraw;
        button.Enable(c.enabled);
        button.Move(7, 9);
        const int expectedId = nextControlId + 1;
        button.Create();
        ASSERT_NE(button.windowHandle, nullptr);
        EXPECT_TRUE(button.created);
        EXPECT_EQ(button.id, expectedId);
        EXPECT_EQ(GetDlgCtrlID(button.windowHandle), expectedId);
        EXPECT_EQ(ClassOf(button.windowHandle), L"Button");
        EXPECT_EQ(StyleOf(button.windowHandle), c.style);
        EXPECT_EQ(ExtendedStyleOf(button.windowHandle), 0u);
        EXPECT_EQ(GetParent(button.windowHandle), form.windowHandle);
        EXPECT_EQ(WindowText(button.windowHandle), L"Chiudi");
        EXPECT_TRUE(IsSubclassed(button.windowHandle));
        EXPECT_NE(button.oldWindowProc, nullptr);
        const RECT rect = ChildRect(button.windowHandle);
        EXPECT_EQ(Describe(rect), Describe(RECT{7, 9, 87, 39}));

        HWND window = button.windowHandle;
        button.Create();   // a second call changes nothing
        EXPECT_EQ(button.windowHandle, window);
        EXPECT_EQ(button.id, expectedId);
        DestroyWindow(window);
    }
}

TEST(ButtonTest, CreateSendsTheFont)
{
    RoomyForm form;
    form.Create();
    FontRecord font("Arial", 18);
    Button button(&form, "Info");
    button.SetFont(&font);
    button.Create();
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(button.windowHandle, WM_GETFONT, 0, 0)), font.handle);
    EXPECT_NE(font.handle, nullptr);
}

TEST(ButtonTest, WithoutAParentWindowItCountsAsCreatedWithoutAWindow)
{
    RoomyForm form;   // never created: no window to put the button in
    Button button(&form, "x");
    button.Create();
    EXPECT_TRUE(button.created);
    EXPECT_EQ(button.windowHandle, nullptr);
}

TEST(ButtonTest, ARealClickCallsOnClickOnceAndANullHandlerDoesNothing)
{
    InputLock lock;
    RoomyForm form;
    form.Create();
    Button plain(&form, "plain");
    plain.Move(10, 10);
    plain.onClick = &RecordClick;
    plain.Create();
    Button drawn(&form, "drawn");
    drawn.ownerDraw = true;
    drawn.Move(100, 10);
    drawn.onClick = &RecordClick;
    drawn.Create();
    Button silent(&form, "silent");
    silent.Move(200, 10);
    silent.Create();
    Activate(form);
    const std::string plainClick = "onClick " + std::to_string(plain.id);
    const std::string drawnClick = "onClick " + std::to_string(drawn.id);

    CallRecorder::Clear();
    RealClick(plain.windowHandle, 40, 15);
    RealClick(drawn.windowHandle, 40, 15);
    PumpUntil([] { return CallRecorder::Calls().size() >= 2; });
    EXPECT_EQ(CallRecorder::Calls(), (std::vector<std::string>{plainClick, drawnClick}));

    // Input arrives in order: once the click after it has arrived, the one before has been handled.
    CallRecorder::Clear();
    RealClick(silent.windowHandle, 40, 15);
    RealClick(plain.windowHandle, 40, 15);
    PumpUntil([] { return !CallRecorder::Calls().empty(); });
    Wait(100);
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{plainClick});

    // A disabled button takes no click.
    plain.Enable(false);
    CallRecorder::Clear();
    RealClick(plain.windowHandle, 40, 15);
    RealClick(drawn.windowHandle, 40, 15);
    PumpUntil([] { return !CallRecorder::Calls().empty(); });
    Wait(100);
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{drawnClick});
}

namespace {

// Paints an owner-drawn button through a real WM_DRAWITEM sent to its parent, into a device context
// that holds the given colours and font, and returns the picture.
struct DrawnButton {
    std::unique_ptr<Picture> picture;
    LRESULT answer = 0;
};

DrawnButton DrawButton(Form& form, Button& button, UINT state, COLORREF textColour, COLORREF backColour,
                       HFONT font, int w = 80, int h = 30)
{
    DrawnButton result;
    result.picture = std::make_unique<Picture>(w, h);
    Picture& picture = *result.picture;
    picture.Fill(RGB(1, 2, 3));   // what the frame and fill do not cover stays this colour
    SelectedObject selected(picture.dc, font);
    SetTextColor(picture.dc, textColour);
    SetBkColor(picture.dc, backColour);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(button.id);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = button.windowHandle;
    item.hDC = picture.dc;
    item.rcItem = RECT{0, 0, w, h};
    result.answer = SendMessageW(form.windowHandle, WM_DRAWITEM, static_cast<WPARAM>(button.id),
                                 reinterpret_cast<LPARAM>(&item));
    // The lent context is still the caller's: its colours and font are as they were.
    EXPECT_EQ(GetTextColor(picture.dc), textColour);
    EXPECT_EQ(GetCurrentObject(picture.dc, OBJ_FONT), font);
    return result;
}

bool FrameIs(const Picture& p, COLORREF colour)
{
    for (int x = 0; x < p.width; ++x)
        if (p.At(x, 0) != colour || p.At(x, p.height - 1) != colour)
            return false;
    for (int y = 0; y < p.height; ++y)
        if (p.At(0, y) != colour || p.At(p.width - 1, y) != colour)
            return false;
    return true;
}

} // namespace

TEST(ButtonTest, OwnerDrawnLooksFollowTheStateAndTheContextColours)
{
    struct Case {
        const char* name;
        UINT state;
        COLORREF text;
        COLORREF frame;
        COLORREF caption;
        bool focusMarks;
    };
    const COLORREF yellow = RGB(255, 255, 0);
    const COLORREF navy = RGB(0, 0, 128);
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF disabledCaption = RGB(150, 150, 150);
    const COLORREF disabledFrame = RGB(105, 105, 105);
    const Case cases[] = {
        {"normal", 0, yellow, yellow, yellow, false},
        {"pressed", ODS_SELECTED, yellow, RGB(0, 0, 255), yellow, false},
        {"pressed white text", ODS_SELECTED, white, RGB(0, 0, 0), white, false},
        {"disabled", ODS_DISABLED, yellow, disabledFrame, disabledCaption, false},
        {"disabled and pressed", ODS_DISABLED | ODS_SELECTED, white, disabledFrame, disabledCaption, false},
        {"focused", ODS_FOCUS, yellow, yellow, yellow, true},
        {"pressed and focused", ODS_SELECTED | ODS_FOCUS, yellow, RGB(0, 0, 255), yellow, true},
    };
    RoomyForm form;
    form.Create();
    Button button(&form, "OK");
    button.ownerDraw = true;
    button.Create();
    GdiObject<HFONT> font(CrispFont(16));

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DrawnButton drawn = DrawButton(form, button, c.state, c.text, navy, font.get());
        const Picture& p = *drawn.picture;
        EXPECT_EQ(drawn.answer, TRUE);
        EXPECT_TRUE(FrameIs(p, c.frame));
        EXPECT_EQ(p.At(1, 1), navy);        // background just inside the frame
        EXPECT_EQ(p.At(78, 28), navy);      // the fill leaves out its last row and column: the frame covers them
        const RECT inside{4, 4, 76, 26};
        EXPECT_GT(p.Count(c.caption, inside), 10);
        if (c.caption != c.text) {
            EXPECT_EQ(p.Count(c.text, inside), 0);
        }
        // The dotted focus rectangle runs 3 pixels inside the edge; the caption is far from it.
        int marks = 0;
        for (int y = 3; y < 27; ++y)
            marks += p.At(3, y) != navy ? 1 : 0;
        if (c.focusMarks) {
            EXPECT_GT(marks, 5);
        } else {
            EXPECT_EQ(marks, 0);
        }
        EXPECT_EQ(p.At(2, 10), navy);
    }
}

TEST(ButtonTest, CaptionIsCentredAndItsTopOffsetComesFromTheContextFont)
{
    struct Case {
        const char* name;
        int fontHeight;
        int itemWidth;
        int itemHeight;
        int expectedOffset;
    };
    const Case cases[] = {
        {"16 in 30", 16, 80, 30, 7},
        {"15 in 30 truncates", 15, 80, 30, 7},
        {"20 in 41", 20, 120, 41, 10},
        {"font taller than the item", 40, 80, 30, 0},
    };
    RoomyForm form;
    form.Create();
    Button button(&form, "Rilancia");
    button.ownerDraw = true;
    button.Create();
    const COLORREF background = RGB(255, 255, 255);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GdiObject<HFONT> font(CrispFont(c.fontHeight));
        const DrawnButton drawn = DrawButton(form, button, 0, RGB(0, 0, 0), background, font.get(), c.itemWidth,
                                             c.itemHeight);
        const RECT inside{1, 1, c.itemWidth - 1, c.itemHeight - 1};
        const RECT ink = drawn.picture->Ink(background, inside);
        // The same caption drawn where the offset puts it, clipped to the item, seen through the same frame.
        Picture reference(c.itemWidth, c.itemHeight);
        reference.Fill(background);
        {
            SelectedObject selected(reference.dc, font.get());
            SetBkMode(reference.dc, TRANSPARENT);
            SetTextColor(reference.dc, RGB(0, 0, 0));
            RECT box{0, c.expectedOffset, c.itemWidth, c.expectedOffset + c.itemHeight};
            IntersectClipRect(reference.dc, 0, 0, c.itemWidth, c.itemHeight);
            DrawTextW(reference.dc, L"Rilancia", -1, &box, DT_CENTER);
            SelectClipRgn(reference.dc, nullptr);
        }
        EXPECT_EQ(Describe(ink), Describe(reference.Ink(background, inside)));
    }
}

TEST(ButtonTest, DrawItemForSomethingElseGetsDefaultProcessing)
{
    RoomyForm form;
    form.Create();
    Button plain(&form, "not drawn");
    plain.Create();
    Label label(&form, "label");
    label.Create();
    Picture picture(80, 30);
    picture.Fill(RGB(1, 2, 3));
    for (int id : {label.id, 4242}) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = static_cast<UINT>(id);
        item.hDC = picture.dc;
        item.rcItem = RECT{0, 0, 80, 30};
        EXPECT_EQ(SendMessageW(form.windowHandle, WM_DRAWITEM, static_cast<WPARAM>(id),
                               reinterpret_cast<LPARAM>(&item)),
                  FALSE);
    }
    EXPECT_EQ(picture.At(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(picture.At(40, 15), RGB(1, 2, 3));
}

TEST(ButtonTest, OnScreenTheParentChoosesTheColoursAndTheStatesShow)
{
    InputLock lock;
    const COLORREF text = RGB(255, 255, 255);
    const COLORREF back = RGB(0, 128, 0);
    ColouredForm form(text, back);
    form.Create();
    Button button(&form, "GIOCA");
    button.ownerDraw = true;
    button.Move(20, 20);
    button.Resize(100, 40);
    button.onClick = &RecordClick;
    button.Create();
    Activate(form);
    PumpMessages();
    UpdateWindow(button.windowHandle);

    auto shown = CaptureClient(button.windowHandle);
    EXPECT_TRUE(FrameIs(*shown, text));
    EXPECT_EQ(shown->At(5, 5), back);

    // Pressed, the system asks for the pressed look: the frame turns to the inverted text colour.
    SendMessageW(button.windowHandle, BM_SETSTATE, TRUE, 0);
    UpdateWindow(button.windowHandle);
    shown = CaptureClient(button.windowHandle);
    EXPECT_TRUE(FrameIs(*shown, RGB(0, 0, 0)));
    SendMessageW(button.windowHandle, BM_SETSTATE, FALSE, 0);
    UpdateWindow(button.windowHandle);
    EXPECT_TRUE(FrameIs(*CaptureClient(button.windowHandle), text));

    // A real click: one call.
    CallRecorder::Clear();
    RealClick(button.windowHandle, 50, 20);
    PumpUntil([] { return !CallRecorder::Calls().empty(); });
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{"onClick " + std::to_string(button.id)});

    button.Enable(false);
    PumpUntil([&] { return ClientPixel(button.windowHandle, 0, 0) == RGB(105, 105, 105); });
    shown = CaptureClient(button.windowHandle);
    EXPECT_TRUE(FrameIs(*shown, RGB(105, 105, 105)));
    EXPECT_GT(shown->Count(RGB(150, 150, 150), RECT{2, 2, 98, 38}), 0);
    EXPECT_EQ(shown->Count(text, RECT{2, 2, 98, 38}), 0);
}

TEST(ButtonTest, PaintingLeavesNoGdiObjectBehind)
{
    ColouredForm form(RGB(255, 255, 255), RGB(0, 0, 0));
    form.Create();
    Button button(&form, "GIOCA");
    button.ownerDraw = true;
    button.Create();
    Activate(form);
    auto paint = [&] {
        for (int i = 0; i < 20; ++i) {
            InvalidateRect(button.windowHandle, nullptr, TRUE);
            UpdateWindow(button.windowHandle);
            SendMessageW(button.windowHandle, BM_SETSTATE, i % 2, 0);
            PumpMessages();
        }
    };
    paint();   // warm-up: the platform builds its caches on first use
    const int before = CountGdiObjects();
    paint();
    EXPECT_EQ(CountGdiObjects(), before);
}

// ---------------------------------------------------------------------------------------------
// Label and Image

TEST(LabelTest, ConstructorAndCreateFollowTheStoredValues)
{
    struct Case {
        const char* name;
        bool enabled;
        DWORD style;
    };
    const Case cases[] = {
        {"enabled", true, WS_CHILD | WS_VISIBLE | SS_NOTIFY},
        {"disabled", false, WS_CHILD | WS_VISIBLE | WS_DISABLED | SS_NOTIFY},
    };
    RoomyForm form;
    form.Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Label label(&form, "Punteggio: 100");
        EXPECT_EQ(label.width, 80);
        EXPECT_EQ(label.height, 30);
        EXPECT_EQ(label.typeName, "label");
        EXPECT_EQ(label.text, L"Punteggio: 100");
        label.Enable(c.enabled);
        label.Create();
        ASSERT_NE(label.windowHandle, nullptr);
        EXPECT_EQ(ClassOf(label.windowHandle), L"Static");
        EXPECT_EQ(StyleOf(label.windowHandle), c.style);
        EXPECT_EQ(ExtendedStyleOf(label.windowHandle), 0u);
        EXPECT_EQ(GetDlgCtrlID(label.windowHandle), label.id);
        EXPECT_EQ(WindowText(label.windowHandle), L"Punteggio: 100");
        EXPECT_TRUE(IsSubclassed(label.windowHandle));
        const int id = label.id;
        label.Create();
        EXPECT_EQ(label.id, id);
        DestroyWindow(label.windowHandle);
    }
}

TEST(LabelTest, WithoutAParentWindowItCountsAsCreatedWithoutAWindow)
{
    RoomyForm form;
    Label label(&form, "x");
    label.Create();
    EXPECT_TRUE(label.created);
    EXPECT_EQ(label.windowHandle, nullptr);
}

TEST(LabelTest, MouseButtonsOnALabelReachItsHandlers)
{
    InputLock lock;
    RoomyForm form;
    form.Create();
    Label label(&form, "Puntata: 1");
    label.Move(30, 40);
    label.Resize(120, 30);
    label.onMouseDown = &RecordMouseDown;
    label.Create();
    Activate(form);
    CallRecorder::Clear();
    RealClick(label.windowHandle, 12, 7);
    PumpUntil([] { return !CallRecorder::Calls().empty(); });
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{"onMouseDown label own 12 7"});
}

TEST(LabelTest, ItsColoursComeFromTheParent)
{
    const COLORREF back = RGB(0, 0, 255);
    ColouredForm form(RGB(255, 255, 0), back);
    form.Create();
    Label label(&form, "Punteggio");
    label.Move(10, 10);
    label.Resize(120, 30);
    label.Create();
    PumpMessages();
    UpdateWindow(label.windowHandle);
    auto shown = CaptureClient(label.windowHandle);
    EXPECT_EQ(shown->At(118, 28), back);
    EXPECT_GT(shown->Count(RGB(255, 255, 0), RECT{0, 0, 120, 30}), 0);
}

namespace {
bool HasBitmapResource(int id)
{
    return FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2)) != nullptr;
}
SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP described{};
    GetObjectW(bitmap, sizeof described, &described);
    return SIZE{described.bmWidth, described.bmHeight};
}
} // namespace

TEST(ImageTest, ConstructorAndCreateStyles)
{
    struct Case {
        const char* name;
        bool enabled;
        DWORD style;
    };
    const Case cases[] = {
        {"enabled", true, WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP},
        {"disabled", false, WS_CHILD | WS_VISIBLE | WS_DISABLED | SS_NOTIFY | SS_BITMAP},
    };
    RoomyForm form;
    form.Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image image(&form, 31999);   // no such resource: the window still comes, with no picture
        EXPECT_EQ(image.typeName, "image");
        EXPECT_EQ(image.resourceId, 31999);
        EXPECT_EQ(image.bitmap, nullptr);
        EXPECT_TRUE(image.text.empty());
        EXPECT_EQ(image.width, 100);
        EXPECT_EQ(image.height, 50);
        image.Enable(c.enabled);
        image.Create();
        ASSERT_NE(image.windowHandle, nullptr);
        EXPECT_TRUE(image.created);
        EXPECT_EQ(ClassOf(image.windowHandle), L"Static");
        EXPECT_EQ(StyleOf(image.windowHandle), c.style);
        EXPECT_EQ(ExtendedStyleOf(image.windowHandle), 0u);
        EXPECT_TRUE(IsSubclassed(image.windowHandle));
        EXPECT_EQ(image.bitmap, nullptr);
        EXPECT_EQ(SendMessageW(image.windowHandle, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        DestroyWindow(image.windowHandle);
    }
}

TEST(ImageTest, WithoutAParentWindowItStaysNotCreated)
{
    RoomyForm form;
    Image image(&form, 1010);
    image.Create();
    EXPECT_FALSE(image.created);
    EXPECT_EQ(image.windowHandle, nullptr);
    EXPECT_EQ(image.bitmap, nullptr);
}

TEST(ImageTest, ShowsItsBitmapResourceAndLoadsOnlyOnceCreated)
{
    if (!HasBitmapResource(1010) || !HasBitmapResource(1007))
        GTEST_SKIP() << "this test program carries no bitmap resources 1007 and 1010";
    RoomyForm form;
    form.Create();
    Image image(&form, 1010);
    image.Create();
    ASSERT_NE(image.bitmap, nullptr);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageW(image.windowHandle, STM_GETIMAGE, IMAGE_BITMAP, 0)),
              image.bitmap);
    EXPECT_EQ(BitmapSize(image.bitmap).cx, 287);
    EXPECT_EQ(BitmapSize(image.bitmap).cy, 85);

    Image later(&form, 1010);
    later.SetResource(1007);
    EXPECT_EQ(later.resourceId, 1007);
    EXPECT_EQ(later.bitmap, nullptr);
    later.Create();
    ASSERT_NE(later.bitmap, nullptr);
    EXPECT_EQ(BitmapSize(later.bitmap).cx, 200);
    EXPECT_EQ(BitmapSize(later.bitmap).cy, 50);

    // Replacing the picture deletes the old one; a picture that cannot load leaves the control empty.
    HBITMAP first = later.bitmap;
    later.SetResource(1010);
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(BitmapSize(later.bitmap).cx, 287);
    HBITMAP second = later.bitmap;
    later.SetResource(31999);
    EXPECT_EQ(later.bitmap, nullptr);
    EXPECT_EQ(GetObjectType(second), 0u);
    EXPECT_EQ(SendMessageW(later.windowHandle, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST(ImageTest, DestroyingAnImageDeletesItsBitmapAndOnlyThat)
{
    if (!HasBitmapResource(1010))
        GTEST_SKIP() << "this test program carries no bitmap resource 1010";
    RoomyForm form;
    form.Create();
    auto* image = new Image(&form, 1010);
    image->Create();
    HBITMAP bitmap = image->bitmap;
    ASSERT_NE(bitmap, nullptr);
    delete image;
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

TEST(ImageTest, DestroyingAnImageThatLoadedNothingDeletesNothing)
{
    RoomyForm form;
    form.Create();
    {
        Image warmUp(&form, 31999);
        warmUp.Create();
    }
    const int before = CountGdiObjects();
    auto* image = new Image(&form, 31999);
    image->Create();
    EXPECT_EQ(image->bitmap, nullptr);
    delete image;
    EXPECT_EQ(CountGdiObjects(), before);
}

// ---------------------------------------------------------------------------------------------
// Panels

TEST(PanelTest, FirstPanelRegistersItsOwnClassAndTakesTheNextIdentifier)
{
    RoomyForm form;
    form.Create();
    nextControlId = 0;   // as if the panel were the first element to take an identifier
    PanelChildren first(&form);
    EXPECT_EQ(first.typeName, "panel");
    EXPECT_TRUE(first.tabStop);
    EXPECT_FALSE(first.border);
    EXPECT_TRUE(first.tag.empty());
    EXPECT_EQ(first.colorBrush, nullptr);
    first.Create();
    ASSERT_NE(first.windowHandle, nullptr);
    EXPECT_EQ(ClassOf(first.windowHandle), L"PanelChildren0");
    EXPECT_EQ(first.id, 1);
    EXPECT_EQ(GetDlgCtrlID(first.windowHandle), 1);

    nextControlId = 7;
    PanelChildren eighth(&form);
    eighth.Create();
    EXPECT_EQ(ClassOf(eighth.windowHandle), L"PanelChildren7");
    EXPECT_EQ(eighth.id, 8);

    // The class: the common procedure (no subclassing), double clicks, the arrow, the parent's module.
    WNDCLASSW described{};
    ASSERT_TRUE(GetClassInfoW(form.moduleInstance, L"PanelChildren7", &described));
    EXPECT_EQ(described.lpfnWndProc, &WindowProcedure);
    EXPECT_EQ(described.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(described.hCursor, LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(described.hbrBackground, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(eighth.oldWindowProc, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(eighth.windowHandle, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&WindowProcedure));

    const int id = eighth.id;
    eighth.Create();
    EXPECT_EQ(eighth.id, id);
}

TEST(PanelTest, StyleFollowsBorderTabStopAndEnabled)
{
    struct Case {
        const char* name;
        bool border;
        bool tabStop;
        bool enabled;
        DWORD style;
        DWORD extended;
    };
    const Case cases[] = {
        {"defaults", false, true, true, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0},
        {"bordered", true, true, true, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, WS_EX_CLIENTEDGE},
        {"no tab stop", false, false, true, WS_CHILD | WS_VISIBLE, 0},
        {"disabled bordered", true, false, false, WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_BORDER, WS_EX_CLIENTEDGE},
    };
    RoomyForm form;
    form.Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PanelChildren panel(&form);
        panel.SetBorder(c.border);
        panel.tabStop = c.tabStop;
        panel.Enable(c.enabled);
        EXPECT_EQ(panel.ComputeStyle(), c.style);
        panel.Create();
        ASSERT_NE(panel.windowHandle, nullptr);
        EXPECT_EQ(StyleOf(panel.windowHandle) & ~static_cast<DWORD>(WS_CLIPSIBLINGS), c.style);
        EXPECT_EQ(ExtendedStyleOf(panel.windowHandle), c.extended);
        EXPECT_TRUE(IsWindowVisible(panel.windowHandle));
        DestroyWindow(panel.windowHandle);
    }
    // The picture frame and the cell are panels that are not tab stops.
    ImageFrame frame(&form, nullptr, 0, 0);
    CellControl cell(&form);
    EXPECT_FALSE(frame.tabStop);
    EXPECT_FALSE(cell.tabStop);
    EXPECT_EQ(frame.typeName, "panel");
    EXPECT_EQ(cell.typeName, "panel");
}

TEST(PanelTest, ItsBackgroundIsTheClassBrushOfItsColour)
{
    RoomyForm form;
    form.Create();
    PanelChildren plain(&form);
    plain.Move(0, 0);
    plain.Create();
    PanelChildren coloured(&form);
    coloured.PaintBackground(RGB(200, 10, 20));
    EXPECT_FALSE(coloured.backgroundPainted);   // stored only: no window yet
    coloured.Move(120, 0);
    coloured.Create();
    PumpMessages();
    EXPECT_EQ(ClientPixel(plain.windowHandle, 50, 25), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ClientPixel(coloured.windowHandle, 50, 25), RGB(200, 10, 20));
    LOGBRUSH brush{};
    GetObjectW(reinterpret_cast<HBRUSH>(GetClassLongPtrW(coloured.windowHandle, GCLP_HBRBACKGROUND)), sizeof brush,
               &brush);
    EXPECT_EQ(brush.lbColor, RGB(200, 10, 20));
}

TEST(PanelTest, ControlColourWithoutAColourLeavesTheContextAlone)
{
    RoomyForm form;
    form.Create();
    PanelChildren panel(&form);
    panel.Create();
    Picture picture(4, 4);
    SetBkColor(picture.dc, RGB(9, 8, 7));
    SetTextColor(picture.dc, RGB(1, 2, 3));
    const LRESULT answer =
        SendMessageW(panel.windowHandle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(picture.dc), 0);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(GetBkColor(picture.dc), RGB(9, 8, 7));
    EXPECT_EQ(GetTextColor(picture.dc), RGB(1, 2, 3));
}

TEST(PanelTest, ControlColourWithAColourSetsTheBackgroundAndFontAndKeepsOneBrush)
{
    RoomyForm form;
    form.Create();
    FontRecord font("Arial", 13);
    PanelChildren panel(&form);
    panel.SetFont(&font);
    panel.Create();
    panel.PaintBackground(RGB(10, 20, 30));
    Picture picture(4, 4);
    SetTextColor(picture.dc, RGB(1, 2, 3));
    for (UINT message : {WM_CTLCOLOREDIT, WM_CTLCOLORBTN, WM_CTLCOLORSTATIC}) {
        HBRUSH previous = panel.colorBrush;
        auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(panel.windowHandle, message, reinterpret_cast<WPARAM>(picture.dc), 0));
        ASSERT_NE(brush, nullptr);
        EXPECT_EQ(brush, panel.colorBrush);
        LOGBRUSH described{};
        ASSERT_NE(GetObjectW(brush, sizeof described, &described), 0);
        EXPECT_EQ(described.lbColor, RGB(10, 20, 30));
        EXPECT_EQ(GetBkColor(picture.dc), RGB(10, 20, 30));
        EXPECT_EQ(GetTextColor(picture.dc), RGB(1, 2, 3));
        EXPECT_EQ(GetCurrentObject(picture.dc, OBJ_FONT), font.handle);
        if (previous) {
            EXPECT_EQ(GetObjectType(previous), 0u);   // the previous answer's brush is gone
        }
    }
    SelectObject(picture.dc, GetStockObject(SYSTEM_FONT));

    const int before = CountGdiObjects();
    for (int i = 0; i < 50; ++i)
        SendMessageW(panel.windowHandle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(picture.dc), 0);
    EXPECT_EQ(CountGdiObjects(), before);
}

TEST(PanelTest, DestroyingThePanelDeletesItsColourBrush)
{
    RoomyForm form;
    form.Create();
    auto* panel = new PanelChildren(&form);
    panel->Create();
    panel->PaintBackground(RGB(10, 20, 30));
    Picture picture(4, 4);
    SendMessageW(panel->windowHandle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(picture.dc), 0);
    HBRUSH brush = panel->colorBrush;
    ASSERT_NE(GetObjectType(brush), 0u);
    DestroyWindow(panel->windowHandle);
    delete panel;
    EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(PanelTest, ALabelInAColouredPanelShowsThePanelColourAndFont)
{
    RoomyForm form;
    form.Create();
    FontRecord font("Arial", 20);
    PanelChildren panel(&form);
    panel.Move(10, 10);
    panel.Resize(200, 60);
    panel.SetFont(&font);
    panel.PaintBackground(RGB(0, 100, 0));
    panel.Create();
    Label label(&panel, "Blocca");
    label.Move(5, 5);
    label.Resize(150, 40);
    label.Create();
    PumpMessages();
    InvalidateRect(label.windowHandle, nullptr, TRUE);
    UpdateWindow(label.windowHandle);
    auto shown = CaptureClient(label.windowHandle);
    EXPECT_EQ(shown->At(148, 38), RGB(0, 100, 0));
    EXPECT_EQ(shown->At(0, 39), RGB(0, 100, 0));
}

// ---------------------------------------------------------------------------------------------
// Picture frames

namespace {

// A sheet whose every pixel tells its own position: red and green carry x, blue carries y.
HBITMAP MakeCoordinateSheet(int sheetWidth, int sheetHeight)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = sheetWidth;
    info.bmiHeader.biHeight = -sheetHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP sheet = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < sheetHeight; ++y)
        for (int x = 0; x < sheetWidth; ++x)
            pixels[y * sheetWidth + x] = (static_cast<DWORD>(x & 0xFF) << 16) | (static_cast<DWORD>(x >> 8) << 8) |
                                         static_cast<DWORD>(y & 0xFF);
    return sheet;
}

POINT SheetPosition(COLORREF pixel)
{
    return POINT{GetRValue(pixel) | (GetGValue(pixel) << 8), GetBValue(pixel)};
}

} // namespace

TEST(ImageFrameTest, ShowsTheFrameAtColumnAndRowOfItsOuterSize)
{
    struct Case {
        const char* name;
        bool border;
        int outer;
        int column;
        int row;
    };
    const Case cases[] = {
        {"column 4 row 0", false, 96, 4, 0},
        {"column 0", false, 96, 0, 0},
        {"column 11", false, 96, 11, 0},
        {"second row", false, 96, 2, 1},
        {"bordered: the source frame has the outer size", true, 102, 1, 0},
    };
    GdiObject<HBITMAP> sheet(MakeCoordinateSheet(1152, 220));
    RoomyForm form;
    form.Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageFrame frame(&form, sheet.get(), c.column, c.row);
        EXPECT_EQ(frame.picture, sheet.get());
        frame.SetBorder(c.border);
        frame.Move(10, 10);
        frame.Resize(c.outer, c.outer);
        frame.Create();
        PumpMessages();
        RECT client{};
        GetClientRect(frame.windowHandle, &client);
        EXPECT_EQ(client.right, 96);
        const POINT origin = SheetPosition(ClientPixel(frame.windowHandle, 0, 0));
        EXPECT_EQ(origin.x, c.column * c.outer);
        EXPECT_EQ(origin.y, c.row * c.outer);
        const POINT corner = SheetPosition(ClientPixel(frame.windowHandle, 95, 95));
        EXPECT_EQ(corner.x, c.column * c.outer + 95);
        EXPECT_EQ(corner.y, c.row * c.outer + 95);
        DestroyWindow(frame.windowHandle);
    }
}

TEST(ImageFrameTest, ANewColumnShowsAfterAnInvalidateWithoutErase)
{
    GdiObject<HBITMAP> sheet(MakeCoordinateSheet(1152, 96));
    RoomyForm form;
    form.Create();
    ImageFrame reel(&form, sheet.get(), 3, 0);
    reel.Resize(96, 96);
    reel.Create();
    PumpMessages();
    EXPECT_EQ(SheetPosition(ClientPixel(reel.windowHandle, 10, 20)).x, 3 * 96 + 10);
    reel.column = 9;
    InvalidateRect(reel.windowHandle, nullptr, FALSE);
    UpdateWindow(reel.windowHandle);
    EXPECT_EQ(SheetPosition(ClientPixel(reel.windowHandle, 10, 20)).x, 9 * 96 + 10);
    EXPECT_EQ(SheetPosition(ClientPixel(reel.windowHandle, 10, 20)).y, 20);
    EXPECT_EQ(GetObjectType(sheet.get()), static_cast<DWORD>(OBJ_BITMAP));   // the frame only borrows it
}

TEST(ImageFrameTest, WithoutAPictureItShowsOnlyItsBackground)
{
    RoomyForm form;
    form.Create();
    ImageFrame empty(&form, nullptr, 4, 0);
    empty.PaintBackground(RGB(30, 60, 90));
    empty.Resize(96, 96);
    empty.Create();
    PumpMessages();
    InvalidateRect(empty.windowHandle, nullptr, TRUE);
    UpdateWindow(empty.windowHandle);
    EXPECT_EQ(ClientPixel(empty.windowHandle, 0, 0), RGB(30, 60, 90));
    EXPECT_EQ(ClientPixel(empty.windowHandle, 50, 50), RGB(30, 60, 90));
    // Nothing left to paint afterwards: the paint request was answered.
    EXPECT_FALSE(GetUpdateRect(empty.windowHandle, nullptr, FALSE));
}

TEST(ImageFrameTest, FramesAndCellsCreatedOnAShownWindowPaintAtOnce)
{
    GdiObject<HBITMAP> sheet(MakeCoordinateSheet(1152, 96));
    RoomyForm form;
    form.Create();
    ASSERT_TRUE(IsWindowVisible(form.windowHandle));
    FontRecord font("Arial", 11);
    ImageFrame reel(&form, sheet.get(), 5, 0);
    reel.Resize(96, 96);
    reel.Create();   // the paint inside Create is the only one: nothing invalidates the frame afterwards
    CellControl cell(&form);
    cell.SetFont(&font);
    cell.PaintBackground(RGB(255, 255, 255));
    cell.Move(200, 10);
    cell.Resize(96, 30);
    cell.SetText("Blocca");
    cell.Create();
    EXPECT_FALSE(GetUpdateRect(reel.windowHandle, nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(cell.windowHandle, nullptr, FALSE));
    EXPECT_EQ(SheetPosition(ClientPixel(reel.windowHandle, 7, 8)).x, 5 * 96 + 7);
    const RECT ink = CaptureClient(cell.windowHandle)->Ink(RGB(255, 255, 255));
    EXPECT_LT(ink.left, ink.right);
}

TEST(ImageFrameTest, RepaintingLeavesNoGdiObjectBehind)
{
    GdiObject<HBITMAP> sheet(MakeCoordinateSheet(1152, 96));
    RoomyForm form;
    form.Create();
    ImageFrame reel(&form, sheet.get(), 0, 0);
    reel.Resize(96, 96);
    reel.Create();
    auto spin = [&] {
        for (int i = 0; i < 24; ++i) {
            reel.column = i % 12;
            InvalidateRect(reel.windowHandle, nullptr, FALSE);
            UpdateWindow(reel.windowHandle);
        }
    };
    spin();
    const int before = CountGdiObjects();
    spin();
    EXPECT_EQ(CountGdiObjects(), before);
}

// ---------------------------------------------------------------------------------------------
// Text cells

namespace {

struct CellFixture {
    CellFixture() : font("Arial", 11)
    {
        form.Create();
        cell = std::make_unique<CellControl>(&form);
        cell->SetFont(&font);
        cell->PaintBackground(RGB(255, 255, 255));   // the class brush: white
        cell->Move(10, 10);
        cell->Resize(96, 30);
    }
    RECT ShownInk()
    {
        UpdateWindow(cell->windowHandle);
        return CaptureClient(cell->windowHandle)->Ink(RGB(255, 255, 255));
    }
    RoomyForm form;
    FontRecord font;
    std::unique_ptr<CellControl> cell;
};

} // namespace

TEST(CellTest, ConstructorDefaults)
{
    RoomyForm form;
    CellControl cell(&form);
    EXPECT_EQ(cell.textAlign, Center);
    EXPECT_EQ(cell.textColor, RGB(0, 0, 0));
    EXPECT_FALSE(cell.tabStop);
    EXPECT_EQ(cell.parent, &form);
}

TEST(CellTest, TextIsCentredVerticallyByItsTopOffsetAndAlignedAsAsked)
{
    struct Case {
        const char* name;
        int align;
        UINT format;
    };
    const Case cases[] = {
        {"centre", Center, DT_CENTER},
        {"left", Left, DT_LEFT},
        {"right", Right, DT_RIGHT},
        {"an unknown alignment draws left", 5, DT_LEFT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CellFixture f;
        f.cell->SetTextAlign(c.align);
        f.cell->SetText("Blocca");
        f.cell->Create();
        PumpMessages();
        RECT client{};
        GetClientRect(f.cell->windowHandle, &client);
        ASSERT_EQ(client.right, 96);
        ASSERT_EQ(client.bottom, 30);
        TEXTMETRICW metrics{};
        {
            Picture probe(1, 1);
            SelectedObject selected(probe.dc, f.font.GetHandle());
            GetTextMetricsW(probe.dc, &metrics);
        }
        ASSERT_EQ(metrics.tmHeight, 11);
        // y = (30 - 11) / 2 = 9
        const RECT expected = ReferenceInk(L"Blocca", f.font.GetHandle(), 96, 30, RECT{0, 9, 96, 30}, c.format);
        EXPECT_EQ(Describe(f.ShownInk()), Describe(expected));
    }
}

TEST(CellTest, WithoutAFontTheTextStartsHalfwayDownPlusOne)
{
    // No font: the metrics cannot be read (height -1), so y = (30 + 1) / 2 = 15, in the context's font.
    RoomyForm form;
    form.Create();
    CellControl cell(&form);
    cell.PaintBackground(RGB(255, 255, 255));
    cell.Resize(96, 30);
    cell.SetText("ab");
    cell.Create();
    PumpMessages();
    UpdateWindow(cell.windowHandle);
    const RECT ink = CaptureClient(cell.windowHandle)->Ink(RGB(255, 255, 255));
    const RECT expected = ReferenceInk(L"ab", static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), 96, 30,
                                       RECT{0, 15, 96, 30}, DT_CENTER);
    EXPECT_EQ(Describe(ink), Describe(expected));
}

TEST(CellTest, EmptyTextDrawsNothing)
{
    CellFixture f;
    f.cell->Create();
    PumpMessages();
    const RECT ink = f.ShownInk();
    EXPECT_TRUE(ink.left >= ink.right) << Describe(ink);
}

TEST(CellTest, SetTextBeforeCreateOnlyStoresAndOnACreatedCellRepaintsWithTheBackgroundErased)
{
    CellFixture f;
    f.cell->SetText("WWWWWWWW");
    EXPECT_EQ(f.cell->text, L"WWWWWWWW");
    EXPECT_EQ(f.cell->windowHandle, nullptr);
    // Back to the class brush: from now on only the erase clears the old text.
    f.cell->Create();
    f.cell->backgroundPainted = false;
    PumpMessages();
    InvalidateRect(f.cell->windowHandle, nullptr, TRUE);
    const RECT wide = f.ShownInk();
    ASSERT_LT(wide.left, wide.right);

    f.cell->SetText("i");
    EXPECT_EQ(WindowText(f.cell->windowHandle), L"i");
    const RECT narrow = f.ShownInk();
    EXPECT_EQ(Describe(narrow), Describe(ReferenceInk(L"i", f.font.GetHandle(), 96, 30, RECT{0, 9, 96, 30}, DT_CENTER)));

    f.cell->SetWideText(L"");
    const RECT none = f.ShownInk();
    EXPECT_TRUE(none.left >= none.right) << Describe(none);
}

TEST(CellTest, ColourAndAlignmentSettersRepaintAtOnce)
{
    CellFixture f;
    f.cell->SetText("Blocca");
    f.cell->Create();
    PumpMessages();
    UpdateWindow(f.cell->windowHandle);
    const RECT centred = f.ShownInk();

    f.cell->SetTextAlign(Left);
    EXPECT_EQ(f.cell->textAlign, Left);
    const RECT left = f.ShownInk();
    EXPECT_EQ(left.left, ReferenceInk(L"Blocca", f.font.GetHandle(), 96, 30, RECT{0, 9, 96, 30}, DT_LEFT).left);
    EXPECT_LT(left.left, centred.left);

    f.cell->SetTextColor(RGB(255, 0, 0));
    EXPECT_EQ(f.cell->textColor, RGB(255, 0, 0));
    UpdateWindow(f.cell->windowHandle);
    auto shown = CaptureClient(f.cell->windowHandle);
    EXPECT_GT(shown->Count(RGB(255, 0, 0), RECT{0, 0, 96, 30}), 0);
    EXPECT_EQ(shown->Count(RGB(0, 0, 0), RECT{0, 0, 96, 30}), 0);
}

TEST(CellTest, APaintedBackgroundIsFilledOnEveryPaintUntilCleared)
{
    RoomyForm form;
    form.Create();
    FontRecord font("Arial", 11);
    CellControl cell(&form);
    cell.SetFont(&font);
    cell.PaintBackground(RGB(255, 255, 0));   // before Create: the class brush, yellow
    cell.Resize(96, 30);
    cell.SetText("Blocca");
    cell.Create();
    PumpMessages();
    EXPECT_FALSE(cell.backgroundPainted);
    EXPECT_EQ(ClientPixel(cell.windowHandle, 2, 2), RGB(255, 255, 0));

    cell.PaintBackground(RGB(255, 0, 0));   // a held reel's cell turns red at once
    EXPECT_TRUE(cell.backgroundPainted);
    EXPECT_EQ(ClientPixel(cell.windowHandle, 2, 2), RGB(255, 0, 0));
    InvalidateRect(cell.windowHandle, nullptr, FALSE);   // no erase: the paint itself fills
    UpdateWindow(cell.windowHandle);
    auto shown = CaptureClient(cell.windowHandle);
    EXPECT_EQ(shown->At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(shown->At(94, 28), RGB(255, 0, 0));
    EXPECT_GT(shown->Count(RGB(0, 0, 0), RECT{0, 0, 96, 30}), 0);   // and the text is drawn over it

    cell.backgroundPainted = false;   // back to the class brush
    InvalidateRect(cell.windowHandle, nullptr, TRUE);
    UpdateWindow(cell.windowHandle);
    EXPECT_EQ(ClientPixel(cell.windowHandle, 2, 2), RGB(255, 255, 0));
}

TEST(CellTest, RepaintingLeavesNoGdiObjectBehind)
{
    CellFixture f;
    f.cell->Create();
    auto repaint = [&] {
        for (int i = 0; i < 20; ++i) {
            f.cell->SetText(i % 2 ? "Blocca" : "x 10");
            f.cell->PaintBackground(i % 2 ? RGB(255, 0, 0) : RGB(255, 255, 0));
            UpdateWindow(f.cell->windowHandle);
        }
    };
    repaint();
    const int before = CountGdiObjects();
    repaint();
    EXPECT_EQ(CountGdiObjects(), before);
}

TEST(CellTest, MouseButtonDownReachesTheCell)
{
    InputLock lock;
    RoomyForm form;
    form.Create();
    CellControl cell(&form);
    cell.Move(20, 30);
    cell.Resize(96, 30);
    cell.onMouseDown = &RecordMouseDown;
    cell.Create();
    Activate(form);
    CallRecorder::Clear();
    RealClick(cell.windowHandle, 40, 12);
    PumpUntil([] { return !CallRecorder::Calls().empty(); });
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{"onMouseDown panel own 40 12"});
}

// ---------------------------------------------------------------------------------------------
// Menus

namespace {

// The game's bar: "&File" with "&Esci", "&?" with "&Guida" and "&Home".
struct GameMenus {
    explicit GameMenus(GUIElement* form)
        : bar(form), file(&bar, "&File"), exit(&file, "&Esci"), help(&bar, "&?"), guide(&help, "&Guida"),
          home(&help, "&Home")
    {
    }
    MenuBar bar;
    Menu file;
    SubMenu exit;
    Menu help;
    SubMenu guide;
    SubMenu home;
};

std::wstring MenuText(HMENU menu, UINT position)
{
    wchar_t buffer[64] = {};
    GetMenuStringW(menu, position, buffer, 64, MF_BYPOSITION);
    return buffer;
}

} // namespace

TEST(MenuTest, ConstructionBuildsTheListsAndNumbersItemsInOrder)
{
    RoomyForm form;
    GameMenus menus(&form);
    EXPECT_EQ(menus.bar.typeName, "menubar");
    EXPECT_EQ(menus.file.typeName, "menu");
    EXPECT_EQ(menus.exit.typeName, "submenu");
    EXPECT_EQ(menus.bar.parent, &form);
    EXPECT_EQ(menus.file.parent, &menus.bar);
    EXPECT_EQ(menus.guide.parent, &menus.help);
    EXPECT_EQ(menus.bar.menus, (std::vector<Menu*>{&menus.file, &menus.help}));
    EXPECT_EQ(menus.file.items, std::vector<SubMenu*>{&menus.exit});
    EXPECT_EQ(menus.help.items, (std::vector<SubMenu*>{&menus.guide, &menus.home}));
    EXPECT_EQ(menus.file.text, L"&File");
    EXPECT_EQ(menus.home.text, L"&Home");
    EXPECT_EQ(menus.bar.id, 0);
    EXPECT_EQ(menus.file.id, 0);
    EXPECT_EQ(menus.exit.id, 1);
    EXPECT_EQ(menus.guide.id, 2);
    EXPECT_EQ(menus.home.id, menus.guide.id + 1);
    EXPECT_EQ(menus.exit.onClick, nullptr);
    EXPECT_EQ(nextControlId, 3);
    EXPECT_EQ(FindMenuItem(2), &menus.guide);
}

TEST(MenuTest, ABarBeforeTheWindowStaysEmptyAndIsBuiltOnceTheWindowExists)
{
    RoomyForm form;
    GameMenus menus(&form);
    menus.bar.Create();
    EXPECT_FALSE(menus.bar.created);
    EXPECT_FALSE(menus.file.created);
    EXPECT_FALSE(menus.exit.created);
    EXPECT_EQ(menus.bar.menuHandle, nullptr);

    form.Create();
    EXPECT_EQ(GetMenu(form.windowHandle), nullptr);
    menus.bar.Create();
    ASSERT_TRUE(menus.bar.created);
    EXPECT_EQ(GetMenu(form.windowHandle), menus.bar.menuHandle);
    EXPECT_EQ(reinterpret_cast<HMENU>(menus.bar.windowHandle), menus.bar.menuHandle);
    HMENU bar = menus.bar.menuHandle;
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0), L"&File");
    EXPECT_EQ(MenuText(bar, 1), L"&?");
    EXPECT_EQ(GetSubMenu(bar, 0), menus.file.menuHandle);
    EXPECT_EQ(GetSubMenu(bar, 1), menus.help.menuHandle);
    EXPECT_EQ(reinterpret_cast<HMENU>(menus.help.windowHandle), menus.help.menuHandle);
    EXPECT_TRUE(menus.file.created);

    HMENU help = menus.help.menuHandle;
    ASSERT_EQ(GetMenuItemCount(help), 2);
    EXPECT_EQ(MenuText(help, 0), L"&Guida");
    EXPECT_EQ(MenuText(help, 1), L"&Home");
    EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(menus.guide.id));
    EXPECT_EQ(GetMenuItemID(help, 1), static_cast<UINT>(menus.home.id));
    EXPECT_EQ(GetMenuItemID(menus.file.menuHandle, 0), static_cast<UINT>(menus.exit.id));
    EXPECT_EQ(GetMenuState(help, static_cast<UINT>(menus.home.id), MF_BYCOMMAND) & (MF_GRAYED | MF_POPUP), 0u);
    EXPECT_TRUE(menus.home.created);
    EXPECT_EQ(menus.home.windowHandle, nullptr);
    EXPECT_EQ(menus.home.ParentMenuHandle(), help);

    // A second Create of the bar, a menu or an item adds nothing and keeps the bar the window shows.
    menus.help.Create();
    menus.home.Create();
    menus.bar.Create();
    EXPECT_EQ(menus.bar.menuHandle, bar);
    EXPECT_EQ(GetMenu(form.windowHandle), bar);
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(GetMenuItemCount(help), 2);
}

TEST(MenuTest, MenusAndItemsWithoutANativeParentStayNotCreated)
{
    RoomyForm form;
    form.Create();
    MenuBar bar(&form);
    Menu menu(&bar, "&File");
    SubMenu item(&menu, "&Esci");
    menu.Create();   // the bar has no native menu yet
    item.Create();
    EXPECT_FALSE(menu.created);
    EXPECT_FALSE(item.created);
    EXPECT_EQ(menu.menuHandle, nullptr);
    EXPECT_EQ(item.ParentMenuHandle(), nullptr);

    Menu orphan(nullptr, "&Orphan");
    orphan.Create();
    EXPECT_FALSE(orphan.created);
}

TEST(MenuTest, EnableGreysAndRestoresAnItem)
{
    RoomyForm form;
    form.Create();
    GameMenus menus(&form);
    menus.guide.Enable(false);   // before creation: only stored, and applied at creation
    menus.bar.Create();
    HMENU help = menus.help.menuHandle;
    EXPECT_NE(GetMenuState(help, static_cast<UINT>(menus.guide.id), MF_BYCOMMAND) & MF_GRAYED, 0u);
    menus.guide.Enable(true);
    EXPECT_TRUE(menus.guide.enabled);
    EXPECT_EQ(GetMenuState(help, static_cast<UINT>(menus.guide.id), MF_BYCOMMAND) & MF_GRAYED, 0u);
    menus.home.Enable(false);
    EXPECT_FALSE(menus.home.enabled);
    EXPECT_NE(GetMenuState(help, static_cast<UINT>(menus.home.id), MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST(MenuTest, AnItemBeyondSixteenBitsIsShownGreyedAndNeverFiresForAnother)
{
    RoomyForm form;
    form.Create();
    MenuBar bar(&form);
    Menu menu(&bar, "&File");
    SubMenu low(&menu, "low");
    nextControlId = 0xFFFF + low.id;   // the next item's command would read as low's in 16 bits
    SubMenu high(&menu, "high");
    EXPECT_EQ(high.id & 0xFFFF, low.id);
    low.onClick = &RecordClick;
    bar.Create();
    EXPECT_NE(GetMenuState(menu.menuHandle, 1, MF_BYPOSITION) & MF_GRAYED, 0u);
    high.Enable(true);
    EXPECT_NE(GetMenuState(menu.menuHandle, 1, MF_BYPOSITION) & MF_GRAYED, 0u);
    EXPECT_EQ(GetMenuState(menu.menuHandle, 0, MF_BYPOSITION) & MF_GRAYED, 0u);
}

TEST(MenuTest, CommandsReachTheItemsOnClick)
{
    InputLock lock;
    RoomyForm form;
    form.Create();
    GameMenus menus(&form);
    menus.exit.onClick = &RecordClick;
    menus.home.onClick = &RecordClick;
    menus.bar.Create();

    struct Case {
        const char* name;
        WPARAM wParam;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"menu command", MAKEWPARAM(menus.home.id, 0), {"onClick " + std::to_string(menus.home.id)}},
        {"item without a handler", MAKEWPARAM(menus.guide.id, 0), {}},
        {"accelerator", MAKEWPARAM(menus.home.id, 1), {}},
        {"no such item", MAKEWPARAM(999, 0), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CallRecorder::Clear();
        SendMessageW(form.windowHandle, WM_COMMAND, c.wParam, 0);
        EXPECT_EQ(CallRecorder::Calls(), c.calls);
    }

    // Chosen from the keyboard, as a user does: Alt+F opens "&File", E picks "&Esci".
    Activate(form);
    CallRecorder::Clear();
    INPUT keys[6] = {};
    const WORD sequence[6][2] = {{VK_MENU, 0}, {'F', 0}, {'F', 1}, {VK_MENU, 1}, {'E', 0}, {'E', 1}};
    for (int i = 0; i < 6; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i][0];
        keys[i].ki.dwFlags = sequence[i][1] ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(6, keys, sizeof(INPUT));
    PumpUntil([] { return !CallRecorder::Calls().empty(); });
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{"onClick " + std::to_string(menus.exit.id)});
}

// ---------------------------------------------------------------------------------------------
// Timer

TEST(TimerTest, ConstructorDefaultsAndTheHiddenWindow)
{
    RoomyForm form;
    form.Create();
    Timer timer(&form);
    EXPECT_EQ(timer.typeName, "timer");
    EXPECT_EQ(timer.text, L"timer");
    EXPECT_EQ(timer.width, 50);
    EXPECT_EQ(timer.height, 22);
    EXPECT_EQ(timer.interval, 20);
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(timer.onTick, nullptr);
    EXPECT_EQ(timer.parent, &form);

    timer.Create();
    ASSERT_NE(timer.windowHandle, nullptr);
    EXPECT_EQ(ClassOf(timer.windowHandle), L"Static");
    EXPECT_EQ(StyleOf(timer.windowHandle), static_cast<DWORD>(WS_CHILD));
    EXPECT_EQ(ExtendedStyleOf(timer.windowHandle), 0u);
    EXPECT_EQ(WindowText(timer.windowHandle), L"timer");
    EXPECT_FALSE(IsWindowVisible(timer.windowHandle));
    EXPECT_TRUE(IsSubclassed(timer.windowHandle));
    EXPECT_EQ(GetDlgCtrlID(timer.windowHandle), timer.id);
    EXPECT_FALSE(timer.running);   // Create alone sets no system timer

    Timer disabled(&form);
    disabled.Enable(false);
    disabled.Create();
    EXPECT_EQ(StyleOf(disabled.windowHandle), static_cast<DWORD>(WS_CHILD | WS_DISABLED));
}

TEST(TimerTest, TicksReachOnTickUntilStopAndStartResumesWithTheSameId)
{
    RoomyForm form;
    form.Create();
    Timer timer(&form);
    timer.onTick = &RecordTick;
    CallRecorder::Clear();
    timer.Start();
    ASSERT_TRUE(timer.created);
    EXPECT_TRUE(timer.running);
    const int id = timer.id;
    EXPECT_TRUE(PumpUntil([] { return CallRecorder::Calls().size() >= 3; }));
    for (const std::string& call : CallRecorder::Calls())
        EXPECT_EQ(call, "onTick " + std::to_string(id));

    timer.Stop();
    EXPECT_FALSE(timer.running);
    EXPECT_NE(timer.windowHandle, nullptr);   // the window stays
    EXPECT_TRUE(IsWindow(timer.windowHandle));
    PumpMessages();
    CallRecorder::Clear();
    Wait(150);
    EXPECT_TRUE(CallRecorder::Calls().empty());

    timer.Stop();   // stopping a stopped timer does nothing
    EXPECT_FALSE(timer.running);

    timer.Start();
    EXPECT_EQ(timer.id, id);
    EXPECT_TRUE(PumpUntil([] { return CallRecorder::Calls().size() >= 2; }));
    timer.Stop();
}

TEST(TimerTest, StartOnARunningTimerSetsNoSecondTimer)
{
    RoomyForm form;
    form.Create();
    Timer timer(&form);
    timer.onTick = &RecordTick;
    timer.Start();
    // A second Start that set the system timer again would take this interval and stop the ticks.
    timer.interval = 600000;
    timer.Start();
    CallRecorder::Clear();
    EXPECT_TRUE(PumpUntil([] { return CallRecorder::Calls().size() >= 3; }));
    // One Stop ends every tick: no other timer was set.
    timer.Stop();
    PumpMessages();
    CallRecorder::Clear();
    Wait(150);
    EXPECT_TRUE(CallRecorder::Calls().empty());

    // The new interval takes effect at the next Start.
    timer.Start();
    Wait(200);
    EXPECT_TRUE(CallRecorder::Calls().empty());
}

TEST(TimerTest, TicksWithoutAHandlerAndForeignIdentifiersAreIgnored)
{
    RoomyForm form;
    form.Create();
    Timer silent(&form);
    silent.Start();
    Timer counted(&form);
    counted.onTick = &RecordTick;
    counted.Create();
    Label label(&form, "not a timer");
    label.onMouseDown = &RecordMouseDown;
    label.Create();
    Wait(100);   // the silent timer ticks; nothing is recorded and nothing breaks
    CallRecorder::Clear();
    SendMessageW(form.windowHandle, WM_TIMER, static_cast<WPARAM>(label.id), 0);
    SendMessageW(form.windowHandle, WM_TIMER, static_cast<WPARAM>(9999), 0);
    EXPECT_TRUE(CallRecorder::Calls().empty());
    SendMessageW(form.windowHandle, WM_TIMER, static_cast<WPARAM>(counted.id), 0);
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{"onTick " + std::to_string(counted.id)});
}

TEST(TimerTest, DestroyingARunningTimerStopsIt)
{
    RoomyForm form;
    form.Create();
    auto* timer = new Timer(&form);
    timer->Start();
    Wait(60);
    delete timer;
    PumpMessages();
    Sleep(100);
    MSG message{};
    EXPECT_FALSE(PeekMessageW(&message, form.windowHandle, WM_TIMER, WM_TIMER, PM_REMOVE));
}

// ---------------------------------------------------------------------------------------------
// Slider

TEST(SliderTest, ConstructorMakesTheScaleLabels)
{
    RoomyForm form;
    const size_t before = elementList.size();
    Slider slider(&form);
    EXPECT_EQ(slider.typeName, "slider");
    EXPECT_TRUE(slider.text.empty());
    EXPECT_EQ(slider.minimum, 1);
    EXPECT_EQ(slider.maximum, 10);
    EXPECT_EQ(slider.value, 1);
    EXPECT_EQ(slider.onChange, nullptr);
    ASSERT_NE(slider.minimumLabel, nullptr);
    ASSERT_NE(slider.maximumLabel, nullptr);
    EXPECT_EQ(slider.minimumLabel->text, L"1");
    EXPECT_EQ(slider.maximumLabel->text, L"10");
    EXPECT_EQ(slider.minimumLabel->parent, &form);
    EXPECT_EQ(slider.maximumLabel->parent, &form);
    EXPECT_EQ(slider.minimumLabel->width, 10);
    EXPECT_EQ(slider.minimumLabel->height, 30);
    EXPECT_EQ(slider.maximumLabel->width, 20);
    EXPECT_EQ(slider.maximumLabel->height, 30);
    EXPECT_FALSE(slider.minimumLabel->created);
    // The slider first, then the maximum's label, then the minimum's.
    ASSERT_EQ(elementList.size(), before + 3);
    EXPECT_EQ(elementList[before], &slider);
    EXPECT_EQ(elementList[before + 1], slider.maximumLabel);
    EXPECT_EQ(elementList[before + 2], slider.minimumLabel);

    // The label texts are fixed at construction.
    slider.maximum = 20;
    EXPECT_EQ(slider.maximumLabel->GetText(), "10");
}

TEST(SliderTest, ResizeLaysTheLabelsOutAlsoBeforeCreate)
{
    RoomyForm form;
    Slider slider(&form);
    slider.Move(30, 345);
    slider.Resize(170, 40);
    EXPECT_EQ(slider.width, 170);
    EXPECT_EQ(slider.minimumLabel->left, 30 - 10 - 5);
    EXPECT_EQ(slider.minimumLabel->top, 345);
    EXPECT_EQ(slider.maximumLabel->left, 30 + 170 + 5);
    EXPECT_EQ(slider.maximumLabel->top, 345);
}

TEST(SliderTest, SetValueClampsIntoTheRangeBeforeAndAfterCreate)
{
    struct Case {
        int set;
        int stored;
    };
    const Case cases[] = {{15, 10}, {0, 1}, {-3, 1}, {5, 5}, {1, 1}, {10, 10}};
    RoomyForm form;
    form.Create();
    Slider slider(&form);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        slider.SetValue(c.set);
        EXPECT_EQ(slider.value, c.stored);
    }
    slider.Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        slider.SetValue(c.set);
        EXPECT_EQ(slider.value, c.stored);
        EXPECT_EQ(SendMessageW(slider.windowHandle, TBM_GETPOS, 0, 0), c.stored);
    }
}

TEST(SliderTest, CreateMakesTheTrackbarWithItsRangeValueAndLabels)
{
    struct Case {
        const char* name;
        int value;
        bool enabled;
        int position;
        DWORD style;
    };
    const Case cases[] = {
        {"in range", 4, true, 4, 0x50010001},
        {"above the range", 15, true, 10, 0x50010001},
        {"below the range", 0, true, 1, 0x50010001},
        {"disabled", 3, false, 3, 0x50010001 | WS_DISABLED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RoomyForm form;
        form.Create();
        Slider slider(&form);
        slider.Move(30, 345);
        slider.Resize(170, 40);
        slider.value = c.value;   // stored directly: Create clamps it
        slider.Enable(c.enabled);
        slider.Create();
        ASSERT_NE(slider.windowHandle, nullptr);
        EXPECT_EQ(ClassOf(slider.windowHandle), L"msctls_trackbar32");
        EXPECT_EQ(StyleOf(slider.windowHandle) & ~static_cast<DWORD>(WS_CLIPSIBLINGS), c.style);
        EXPECT_EQ(ExtendedStyleOf(slider.windowHandle), 0u);
        EXPECT_TRUE(IsSubclassed(slider.windowHandle));
        EXPECT_EQ(GetDlgCtrlID(slider.windowHandle), slider.id);
        EXPECT_EQ(SendMessageW(slider.windowHandle, TBM_GETRANGEMIN, 0, 0), 1);
        EXPECT_EQ(SendMessageW(slider.windowHandle, TBM_GETRANGEMAX, 0, 0), 10);
        EXPECT_EQ(SendMessageW(slider.windowHandle, TBM_GETPOS, 0, 0), c.position);
        EXPECT_EQ(slider.value, c.position);

        // Both labels exist, are shown, and are the trackbar's buddies: the minimum's on the left.
        ASSERT_TRUE(slider.minimumLabel->created);
        ASSERT_TRUE(slider.maximumLabel->created);
        EXPECT_TRUE(IsWindowVisible(slider.minimumLabel->windowHandle));
        EXPECT_TRUE(IsWindowVisible(slider.maximumLabel->windowHandle));
        EXPECT_EQ(WindowText(slider.minimumLabel->windowHandle), L"1");
        EXPECT_EQ(WindowText(slider.maximumLabel->windowHandle), L"10");
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(slider.windowHandle, TBM_GETBUDDY, TRUE, 0)),
                  slider.minimumLabel->windowHandle);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(slider.windowHandle, TBM_GETBUDDY, FALSE, 0)),
                  slider.maximumLabel->windowHandle);
        // Whatever the trackbar does with its buddies, the minimum's stays left of it and the maximum's right.
        const RECT track = ChildRect(slider.windowHandle);
        EXPECT_LE(ChildRect(slider.minimumLabel->windowHandle).right, track.left);
        EXPECT_GE(ChildRect(slider.maximumLabel->windowHandle).left, track.right);
    }
}

TEST(SliderTest, DestructionFreesTheLabels)
{
    RoomyForm form;
    form.Create();
    auto* slider = new Slider(&form);
    slider->Create();
    Label* minimum = slider->minimumLabel;
    Label* maximum = slider->maximumLabel;
    const size_t before = elementList.size();
    delete slider;
    EXPECT_EQ(elementList.size(), before - 3);
    EXPECT_EQ(std::find(elementList.begin(), elementList.end(), minimum), elementList.end());
    EXPECT_EQ(std::find(elementList.begin(), elementList.end(), maximum), elementList.end());
}

TEST(SliderTest, OnlyTheEndOfTrackingNotifiesAndOnlyWithAHandlerIsTheValueRead)
{
    RoomyForm form;
    form.Create();
    Slider slider(&form);
    slider.onTextChanged = &RecordTextChanged;
    slider.Create();
    SendMessageW(slider.windowHandle, TBM_SETPOS, TRUE, 6);   // the thumb moves; the element is not told

    CallRecorder::Clear();
    const LPARAM track = reinterpret_cast<LPARAM>(slider.windowHandle);
    SendMessageW(form.windowHandle, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 6), track);
    SendMessageW(form.windowHandle, WM_HSCROLL, TB_LINEDOWN, track);
    EXPECT_TRUE(CallRecorder::Calls().empty());

    // No onChange: the end of tracking calls onTextChanged only, and the value is not refreshed.
    SendMessageW(form.windowHandle, WM_HSCROLL, TB_ENDTRACK, track);
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>{"onTextChanged"});
    EXPECT_EQ(slider.value, 1);

    slider.onChange = &RecordChange;
    CallRecorder::Clear();
    SendMessageW(form.windowHandle, WM_VSCROLL, TB_ENDTRACK, track);
    EXPECT_EQ(CallRecorder::Calls(), (std::vector<std::string>{"onChange slider 6", "onTextChanged"}));
    EXPECT_EQ(slider.value, 6);

    // An end of tracking from something that is not a slider, or with no window, reaches no slider.
    Label label(&form, "x");
    label.Create();
    CallRecorder::Clear();
    SendMessageW(form.windowHandle, WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(label.windowHandle));
    SendMessageW(form.windowHandle, WM_HSCROLL, TB_ENDTRACK, 0);
    EXPECT_TRUE(CallRecorder::Calls().empty());
}

TEST(SliderTest, ADragNotifiesOnlyWhenReleasedWithTheFinalPosition)
{
    InputLock lock;
    RoomyForm form;
    form.Create();
    Slider slider(&form);
    slider.Move(40, 40);
    slider.Resize(220, 40);
    slider.onChange = &RecordChange;
    slider.Create();
    Activate(form);

    RECT thumb{};
    SendMessageW(slider.windowHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int y = (thumb.top + thumb.bottom) / 2;
    RECT channel{};
    SendMessageW(slider.windowHandle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));

    CallRecorder::Clear();
    SendMouseButton(slider.windowHandle, (thumb.left + thumb.right) / 2, y, true);
    for (int x = thumb.right; x < channel.right - 40; x += 20)
        MoveMouse(slider.windowHandle, x, y);
    // The thumb follows the mouse...
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(slider.windowHandle, TBM_GETPOS, 0, 0) > 3; }));
    EXPECT_TRUE(CallRecorder::Calls().empty());   // ...but the owner hears nothing yet

    MoveMouse(slider.windowHandle, channel.right - 5, y);
    SendMouseButton(slider.windowHandle, channel.right - 5, y, false);
    PumpUntil([] { return !CallRecorder::Calls().empty(); });
    Wait(100);
    EXPECT_EQ(SendMessageW(slider.windowHandle, TBM_GETPOS, 0, 0), 10);
    EXPECT_EQ(slider.value, 10);
    // Wine's trackbar ends a drag with TB_ENDTRACK twice (button release, then capture change); Windows
    // sends it once. Each one reports the same final position.
    const size_t expectedCalls = RunningOnWine() ? 2 : 1;
    EXPECT_EQ(CallRecorder::Calls(), std::vector<std::string>(expectedCalls, "onChange slider 10"));
}

TEST(SliderTest, EachKeyPressNotifiesOnceWhenItEnds)
{
    InputLock lock;
    RoomyForm form;
    form.Create();
    Slider slider(&form);
    slider.Move(40, 40);
    slider.Resize(220, 40);
    slider.onChange = &RecordChange;
    slider.Create();
    slider.SetValue(5);
    Activate(form);
    slider.Focus();
    PumpUntil([&] { return GetFocus() == slider.windowHandle; });

    CallRecorder::Clear();
    PressKey(VK_RIGHT);
    PumpUntil([] { return !CallRecorder::Calls().empty(); });
    PressKey(VK_RIGHT);
    PumpUntil([] { return CallRecorder::Calls().size() >= 2; });
    PressKey(VK_LEFT);
    PumpUntil([] { return CallRecorder::Calls().size() >= 3; });
    PressKey(VK_END);
    PumpUntil([] { return CallRecorder::Calls().size() >= 4; });
    PressKey(VK_RIGHT);   // already at the end: the press still ends once
    PumpUntil([] { return CallRecorder::Calls().size() >= 5; });
    Wait(100);
    EXPECT_EQ(CallRecorder::Calls(),
              (std::vector<std::string>{"onChange slider 6", "onChange slider 7", "onChange slider 6",
                                        "onChange slider 10", "onChange slider 10"}));
}

// ---------------------------------------------------------------------------------------------
// TextBox

TEST(TextBoxTest, StyleFollowsTheFlags)
{
    struct Case {
        const char* name;
        bool multiLine;
        bool verticalScroll;
        bool readOnly;
        bool border;
        bool enabled;
        DWORD style;
        DWORD extended;
    };
    const DWORD base = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    const DWORD multi = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_AUTOHSCROLL;
    const Case cases[] = {
        {"defaults", false, false, false, true, true, base | WS_BORDER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
        {"about box notice", true, true, true, true, true,
         base | WS_VSCROLL | WS_BORDER | multi | ES_READONLY, WS_EX_CLIENTEDGE},
        {"no border", false, false, false, false, true, base | ES_AUTOHSCROLL, 0},
        {"read-only single line", false, false, true, false, true, base | ES_AUTOHSCROLL | ES_READONLY, 0},
        {"multi-line disabled", true, false, false, true, false, base | WS_DISABLED | WS_BORDER | multi,
         WS_EX_CLIENTEDGE},
    };
    RoomyForm form;
    form.Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextBox box(&form, "Avviso");
        EXPECT_EQ(box.width, 80);
        EXPECT_EQ(box.height, 30);
        EXPECT_EQ(box.typeName, "textbox");
        EXPECT_TRUE(box.border);
        box.multiLine = c.multiLine;
        box.verticalScroll = c.verticalScroll;
        box.readOnly = c.readOnly;
        box.border = c.border;
        box.Enable(c.enabled);
        EXPECT_EQ(box.ComputeStyle(), c.style);
        box.Create();
        ASSERT_NE(box.windowHandle, nullptr);
        EXPECT_EQ(ClassOf(box.windowHandle), L"Edit");
        // The edit control drops WS_BORDER from its own style when it draws a client edge.
        const DWORD shown = StyleOf(box.windowHandle);
        EXPECT_EQ(shown & ~static_cast<DWORD>(WS_BORDER), c.style & ~static_cast<DWORD>(WS_BORDER));
        EXPECT_EQ(ExtendedStyleOf(box.windowHandle) & WS_EX_CLIENTEDGE, c.extended);
        EXPECT_EQ(WindowText(box.windowHandle), L"Avviso");
        EXPECT_TRUE(IsSubclassed(box.windowHandle));
        EXPECT_EQ(GetDlgCtrlID(box.windowHandle), box.id);
        const int id = box.id;
        box.Create();
        EXPECT_EQ(box.id, id);
        DestroyWindow(box.windowHandle);
    }
}

TEST(TextBoxTest, TypingReachesAnEditableBoxButNotAReadOnlyOne)
{
    InputLock lock;
    RoomyForm form;
    form.Create();
    FontRecord font("Arial", 14);
    TextBox editable(&form, "");
    editable.Move(10, 10);
    editable.Resize(200, 30);
    editable.SetFont(&font);
    editable.Create();
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(editable.windowHandle, WM_GETFONT, 0, 0)), font.handle);
    TextBox readOnly(&form, "fisso");
    readOnly.readOnly = true;
    readOnly.Move(10, 50);
    readOnly.Resize(200, 30);
    readOnly.Create();
    Activate(form);

    editable.Focus();
    PressKey('A');
    PressKey('B');
    EXPECT_TRUE(PumpUntil([&] { return editable.GetText() == "ab"; }));

    readOnly.Focus();
    PressKey('C');
    // Keys arrive in order: once the next one shows in the editable box, C has been handled.
    PumpUntil([&] { return GetFocus() == readOnly.windowHandle; });
    editable.Focus();
    PressKey('D');
    EXPECT_TRUE(PumpUntil([&] { return editable.GetText() == "abd"; }));
    EXPECT_EQ(readOnly.GetText(), "fisso");
}


namespace {

// Colours a showcase form answers for the controls inside it, as the game's window does.
class ShowcaseForm : public TestForm {
public:
    HBRUSH ControlColor(HDC dc) override
    {
        if (brush)
            DeleteObject(brush);
        SetBkColor(dc, RGB(255, 255, 0));
        SetTextColor(dc, RGB(255, 0, 0));
        brush = CreateSolidBrush(RGB(255, 255, 0));
        return brush;
    }
    ~ShowcaseForm() override
    {
        if (brush)
            DeleteObject(brush);
    }
    HBRUSH brush = nullptr;
};

} // namespace

// One of each control on one form, each drawn as it should be. With RULVIO_SHOWCASE_WAIT set (in
// milliseconds) the form stays up that long, for a screenshot.
TEST(ControlsShowcase, OneOfEachControlOnOneForm)
{
    ShowcaseForm form;
    form.Move(40, 40);
    form.Resize(560, 330);
    form.SetText("Rulvio controls");
    form.Create();
    form.SetClientSize(540, 280);
    MenuBar bar(&form);
    Menu menu(&bar, "&File");
    SubMenu item(&menu, "&Esci");
    bar.Create();

    Button drawn(&form, "Owner-drawn");
    drawn.ownerDraw = true;
    drawn.Resize(100, 40);
    drawn.Move(10, 10);
    drawn.Create();
    Button plain(&form, "Plain");
    plain.Move(120, 15);
    plain.Create();
    Button disabled(&form, "Disabled");
    disabled.ownerDraw = true;
    disabled.Enable(false);
    disabled.Resize(100, 40);
    disabled.Move(210, 10);
    disabled.Create();
    Label label(&form, "Punteggio: 100");
    label.Resize(140, 20);
    label.Move(320, 20);
    label.Create();

    // A four-frame sheet in the reel's place: red, green, blue, grey.
    HDC screen = GetDC(nullptr);
    HBITMAP sheet = CreateCompatibleBitmap(screen, 4 * 60, 60);
    {
        MemoryDC memory(screen);
        SelectedObject selected(memory.get(), sheet);
        const COLORREF colours[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(128, 128, 128)};
        for (int k = 0; k < 4; ++k) {
            GdiObject<HBRUSH> fill(CreateSolidBrush(colours[k]));
            RECT frame{60 * k, 0, 60 * (k + 1), 60};
            FillRect(memory.get(), &frame, fill.get());
        }
    }
    ReleaseDC(nullptr, screen);
    ImageFrame reel(&form, sheet, 2, 0);
    reel.Resize(60, 60);
    reel.Move(10, 70);
    reel.SetBorder(true);
    reel.PaintBackground(RGB(255, 255, 255));
    reel.Create();

    FontRecord font("Arial", 14);
    CellControl cell(&form);
    cell.PaintBackground(RGB(192, 192, 192));
    cell.SetFont(&font);
    cell.SetText("Blocca");
    cell.Resize(96, 30);
    cell.Move(80, 85);
    cell.SetBorder(true);
    cell.Create();
    CellControl held(&form);
    held.SetFont(&font);
    held.SetText("Blocca");
    held.Resize(96, 30);
    held.Move(186, 85);
    held.SetBorder(true);
    held.Create();
    held.PaintBackground(RGB(255, 0, 0));

    PanelChildren panel(&form);
    panel.SetBorder(true);
    panel.Resize(120, 60);
    panel.Move(300, 70);
    panel.Create();
    Slider slider(&form);
    slider.Move(40, 150);
    slider.Resize(170, 40);
    slider.Create();
    slider.SetValue(4);
    TextBox notice(&form, "Una riga\r\nE un'altra");
    notice.multiLine = true;
    notice.readOnly = true;
    notice.verticalScroll = true;
    notice.Resize(220, 70);
    notice.Move(300, 150);
    notice.Create();
    drawn.Focus();
    RedrawWindow(form.windowHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();

    if (const char* wait = std::getenv("RULVIO_SHOWCASE_WAIT"))
        PumpFor(std::atoi(wait));

    EXPECT_EQ(ClientPixel(drawn.windowHandle, 50, 1), RGB(255, 255, 0)) << "owner-drawn: the parent's yellow";
    EXPECT_EQ(ClientPixel(drawn.windowHandle, 0, 20), RGB(255, 0, 0)) << "owner-drawn: a frame in the text colour";
    EXPECT_EQ(ClientPixel(disabled.windowHandle, 0, 20), RGB(105, 105, 105)) << "disabled: the grey frame";
    EXPECT_EQ(ClientPixel(reel.windowHandle, 20, 20), RGB(0, 0, 200)) << "the reel shows frame 2";
    EXPECT_EQ(ClientPixel(cell.windowHandle, 2, 2), RGB(192, 192, 192));
    EXPECT_EQ(ClientPixel(held.windowHandle, 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(SendMessageW(slider.windowHandle, TBM_GETPOS, 0, 0), 4);
    EXPECT_EQ(GetMenuItemCount(GetMenu(form.windowHandle)), 1);
    DeleteObject(sheet);
}
