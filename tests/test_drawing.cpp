// Drawing: pixels read back from real device contexts, and the GDI objects each operation gives back.
#include "TestSupport.h"

#include "framework/Drawing.h"
#include "framework/FontRecord.h"
#include "framework/GdiObjects.h"
#include "framework/controls/CellControl.h"
#include "framework/controls/Label.h"

#include <gtest/gtest.h>

using namespace VornUtility;

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

// A white 24-bit memory canvas to draw on and read back.
class Canvas {
public:
    Canvas(int w, int h) : width(w), height(h), dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous = SelectObject(dc, bitmap);
        RECT all{0, 0, w, h};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    // The rightmost column that is not white, or -1.
    int RightmostInk() const
    {
        for (int x = width - 1; x >= 0; --x)
            for (int y = 0; y < height; ++y)
                if (At(x, y) != White)
                    return x;
        return -1;
    }
    // The leftmost column that is not white, or -1.
    int LeftmostInk() const
    {
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
                if (At(x, y) != White)
                    return x;
        return -1;
    }

    int width;
    int height;
    HDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

// A sheet of twelve 96 x 96 frames, frame k filled with the colour RGB(10 k, 20, 30).
HBITMAP MakeSheet(HDC reference)
{
    HBITMAP sheet = CreateCompatibleBitmap(reference, 1152, 96);
    MemoryDC memory(reference);
    SelectedObject selected(memory.get(), sheet);
    for (int k = 0; k < 12; ++k) {
        GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(10 * k, 20, 30)));
        RECT frame{96 * k, 0, 96 * (k + 1), 96};
        FillRect(memory.get(), &frame, brush.get());
    }
    return sheet;
}

} // namespace

TEST(DrawingTest, TextIsCutAfter1023Characters)
{
    FontRecord font("Courier New", 12);   // fixed pitch, so the cut can be located by width
    font.fixedPitch = true;
    Canvas canvas(16000, 20);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.dc);
    drawing.DrawString(std::wstring(1500, L'M'), 0, 0, 16000, 20, Left, RGB(0, 0, 0), &font);
    SIZE kept{}, oneMore{};
    {
        SelectedObject selected(canvas.dc, font.GetHandle());
        GetTextExtentPoint32W(canvas.dc, std::wstring(1023, L'M').c_str(), 1023, &kept);
        GetTextExtentPoint32W(canvas.dc, std::wstring(1024, L'M').c_str(), 1024, &oneMore);
    }
    const int ink = canvas.RightmostInk();
    EXPECT_GT(ink, kept.cx - (oneMore.cx - kept.cx));   // the 1023rd character is drawn
    EXPECT_LT(ink, kept.cx + 1);                        // the 1024th is not
}

TEST(DrawingTest, AlignmentsOtherThanRightAndCenterDrawLeft)
{
    FontRecord font("Arial", 16);
    auto inkSpan = [&](int align) {
        Canvas canvas(300, 24);
        Drawing drawing(nullptr);
        drawing.Attach(canvas.dc);
        drawing.DrawString(std::string("Blocca"), 0, 0, 300, 24, align, RGB(0, 0, 0), &font);
        return std::make_pair(canvas.LeftmostInk(), canvas.RightmostInk());
    };
    const auto left = inkSpan(Left);
    EXPECT_GE(left.first, 0);
    EXPECT_LT(left.first, 5);
    EXPECT_EQ(inkSpan(7), left);
    EXPECT_EQ(inkSpan(-1), left);
    const auto right = inkSpan(Right);
    EXPECT_GT(right.second, 294);
    const auto center = inkSpan(Center);
    EXPECT_NEAR((center.first + center.second) / 2, 150, 3);
}

TEST(DrawingTest, DrawStringRestoresColourAndFontAndLeavesTransparentBackground)
{
    Canvas canvas(200, 30);
    FontRecord selectedBefore("Arial", 20);
    FontRecord drawWith("Arial", 12);
    SelectedObject selected(canvas.dc, selectedBefore.GetHandle());
    SetTextColor(canvas.dc, Red);
    SetBkMode(canvas.dc, OPAQUE);
    SetBkColor(canvas.dc, RGB(0, 255, 0));
    Drawing drawing(nullptr);
    drawing.Attach(canvas.dc);
    drawing.DrawString(std::wstring(L"x"), 0, 0, 200, 30, Left, Blue, &drawWith);
    EXPECT_EQ(GetTextColor(canvas.dc), Red);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), selectedBefore.GetHandle());
    EXPECT_EQ(GetBkMode(canvas.dc), TRANSPARENT);
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 30; ++y)
            ASSERT_NE(canvas.At(x, y), RGB(0, 255, 0)) << "no opaque background behind the text";
    bool blue = false;
    for (int x = 0; x < 20 && !blue; ++x)
        for (int y = 0; y < 30 && !blue; ++y)
            blue = canvas.At(x, y) == Blue;
    EXPECT_TRUE(blue) << "the text is drawn in the colour asked for";

    drawing.DrawString(std::wstring(L"y"), 50, 0, 100, 30, Left, Blue, nullptr);   // the selected font
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), selectedBefore.GetHandle());
}

TEST(DrawingTest, TextHeightNeedsAFontAndAContext)
{
    Canvas canvas(10, 10);
    FontRecord font("Arial", 11);
    Drawing drawing(nullptr);
    EXPECT_EQ(drawing.TextHeight(&font), -1);   // not open
    drawing.Attach(canvas.dc);
    EXPECT_EQ(drawing.TextHeight(nullptr), -1);
    EXPECT_EQ(drawing.TextHeight(&font), 11);
}

TEST(DrawingTest, OutlineIsOnePixelAndFillLeavesTheLastRowAndColumn)
{
    Canvas canvas(40, 40);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.dc);
    drawing.DrawRectangle(2, 2, 10, 10, Red);
    drawing.FillRectangle(20, 20, 10, 10, Blue);
    struct Case {
        int x, y;
        COLORREF expected;
    };
    const Case cases[] = {
        {2, 2, Red},   {11, 2, Red},  {2, 11, Red},  {11, 11, Red}, {6, 6, White}, {3, 3, White}, {12, 12, White},
        {20, 20, Blue}, {28, 28, Blue}, {29, 25, White}, {25, 29, White}, {29, 29, White}, {19, 20, White},
    };
    for (const Case& c : cases)
        EXPECT_EQ(canvas.At(c.x, c.y), c.expected) << "(" << c.x << ", " << c.y << ")";
}

TEST(DrawingTest, BitmapSectionIsCopiedFromTheGivenSourcePoint)
{
    Canvas canvas(96, 96);
    HBITMAP sheet = MakeSheet(canvas.dc);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.dc);
    drawing.DrawBitmap(0, 0, 96, 96, sheet, 384, 0);
    EXPECT_EQ(canvas.At(0, 0), RGB(40, 20, 30));
    EXPECT_EQ(canvas.At(95, 95), RGB(40, 20, 30));
    drawing.DrawBitmap(10, 10, 20, 20, sheet, 96 * 11 + 50, 0);
    EXPECT_EQ(canvas.At(15, 15), RGB(110, 20, 30));
    EXPECT_EQ(canvas.At(5, 5), RGB(40, 20, 30));
    DeleteObject(sheet);
}

namespace {
struct ErrorCounting : Drawing {
    using Drawing::Drawing;
    void OnError() override { ++errors; }
    int errors = 0;
};
} // namespace

TEST(DrawingTest, FailedBitmapCopyCallsOnErrorAndGoesOn)
{
    Canvas canvas(20, 20);
    HBITMAP sheet = MakeSheet(canvas.dc);
    ErrorCounting drawing(nullptr);
    drawing.Attach(reinterpret_cast<HDC>(static_cast<INT_PTR>(0x7777)));   // no such device context
    drawing.DrawBitmap(0, 0, 10, 10, sheet, 0, 0);
    EXPECT_EQ(drawing.errors, 2);   // the memory context and the copy both fail; neither stops the call
    drawing.Attach(canvas.dc);
    drawing.DrawBitmap(0, 0, 10, 10, sheet, 0, 0);
    EXPECT_EQ(drawing.errors, 2);
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 20, 30));
    DeleteObject(sheet);
}

TEST(DrawingTest, MeasuredWidthTakesCyOnlyWhenLargerAndNotTheFontHeight)
{
    struct Case {
        SIZE extent;
        LONG fontHeight;
        LONG overhang;
        int expected;
    };
    const Case cases[] = {
        {{50, 16}, 16, 0, 50},
        {{4, 16}, 16, 0, 4},    // narrow text: cy is only the font's height
        {{4, 20}, 16, 0, 20},   // cy larger and not the font's height: cy
        {{4, 20}, 16, 3, 17},
        {{50, 16}, 16, 2, 48},
        {{0, 16}, 16, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Drawing::MeasuredWidth(c.extent, c.fontHeight, c.overhang), c.expected)
            << c.extent.cx << "x" << c.extent.cy;
}

TEST(DrawingTest, MeasuresAreTakenOnTheElementsWindowWithItsContextsFont)
{
    TestForm form;
    form.Create();
    Label label(&form, "Punteggio: 100");
    label.Create();
    HDC dc = GetDC(label.windowHandle);
    SIZE extent{};
    GetTextExtentPoint32W(dc, L"Punteggio: 100", 14, &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    ReleaseDC(label.windowHandle, dc);
    EXPECT_EQ(Drawing::MeasureTextWidth(&label, L"Punteggio: 100"), extent.cx - metrics.tmOverhang);
    EXPECT_EQ(Drawing::MeasureTextHeight(&label), metrics.tmHeight);
    EXPECT_GT(extent.cx, 0);
}

TEST(DrawingTest, EndAfterAttachLeavesTheLentContextUsable)
{
    Canvas canvas(10, 10);
    {
        Drawing drawing(nullptr);
        drawing.Attach(canvas.dc);
        drawing.End();
        EXPECT_EQ(drawing.dc, nullptr);
        drawing.End();   // a second End does nothing
    }
    EXPECT_EQ(GetObjectType(canvas.dc), static_cast<DWORD>(OBJ_MEMDC));
    SetPixel(canvas.dc, 4, 4, Red);
    EXPECT_EQ(canvas.At(4, 4), Red);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BITMAP), canvas.bitmap);
}

TEST(DrawingTest, LongRunOfPaintsAndMeasuresLeavesTheGdiObjectCountFlat)
{
    TestForm form;
    form.Resize(300, 200);
    form.Create();
    FontRecord font("Arial", 11);
    CellControl cell(&form);
    cell.SetFont(&font);
    cell.Resize(96, 30);
    cell.SetBorder(true);
    cell.SetText("Blocca");
    cell.Create();
    Label label(&form, "Punteggio: 100");
    label.Move(10, 100);
    label.Create();
    Canvas canvas(96, 96);
    HBITMAP sheet = MakeSheet(canvas.dc);

    auto round = [&](int i) {
        cell.PaintBackground(i % 2 ? Red : RGB(255, 255, 0));
        cell.SetText(i % 2 ? "Blocca" : "X 20");
        UpdateWindow(cell.windowHandle);
        Drawing drawing(nullptr);
        drawing.Attach(canvas.dc);
        drawing.DrawString(std::string("Hai vinto 110 punti!"), 0, 0, 96, 20, Center, Blue, &font);
        drawing.DrawRectangle(1, 1, 20, 20, Red);
        drawing.FillRectangle(1, 1, 20, 20, Blue);
        drawing.DrawBitmap(0, 0, 96, 96, sheet, 96 * (i % 12), 0);
        drawing.TextHeight(&font);
        Drawing::MeasureTextWidth(&label, L"Punteggio: 100");
        Drawing::MeasureTextHeight(&label);
        PumpMessages();
    };
    round(0);   // warm-up: Wine builds a few caches on first use
    const int before = CountGdiObjects();
    ASSERT_GT(before, 0);
    for (int i = 1; i <= 500; ++i)
        round(i);
    EXPECT_EQ(CountGdiObjects(), before);
    DeleteObject(sheet);
}
