#include "framework/Drawing.h"

#include "framework/FontRecord.h"
#include "framework/GUIElement.h"
#include "framework/GdiObjects.h"
#include "framework/TextHelpers.h"

#include <cwchar>

namespace VornUtility {

namespace {
constexpr size_t TextBufferLength = 1024;
}

Drawing::Drawing(GUIElement* drawingOwner) : owner(drawingOwner) {}

Drawing::~Drawing()
{
    End();
}

void Drawing::Begin()
{
    source = DrawingSource::PaintCycle;
    dc = BeginPaint(owner->windowHandle, &paint);
}

void Drawing::Attach(HDC lentDC)
{
    source = DrawingSource::Lent;
    dc = lentDC;
}

void Drawing::OpenWindowContext()
{
    source = DrawingSource::WindowContext;
    dc = GetDC(owner->windowHandle);
}

void Drawing::End()
{
    if (!dc)
        return;
    switch (source) {
    case DrawingSource::PaintCycle:
        EndPaint(owner->windowHandle, &paint);
        break;
    case DrawingSource::WindowContext:
        ReleaseDC(owner->windowHandle, dc);
        break;
    case DrawingSource::Lent:
        break;
    }
    dc = nullptr;
}

void Drawing::DrawString(const std::wstring& text, int x, int y, int width, int height, int align, COLORREF color,
                         FontRecord* font)
{
    if (!dc)
        return;
    SetBkMode(dc, TRANSPARENT);
    wchar_t buffer[TextBufferLength];
    const size_t length = text.size() < TextBufferLength - 1 ? text.size() : TextBufferLength - 1;
    wmemcpy(buffer, text.data(), length);
    buffer[length] = L'\0';

    UINT format = DT_LEFT;
    if (align == Right)
        format = DT_RIGHT;
    else if (align == Center)
        format = DT_CENTER;

    SelectedObject selectedFont(dc, font ? font->GetHandle() : nullptr);
    const COLORREF previousColor = SetTextColor(dc, color);
    RECT box{x, y, x + width, y + height};
    DrawTextW(dc, buffer, static_cast<int>(length), &box, format);
    SetTextColor(dc, previousColor);
}

void Drawing::DrawString(const std::string& text, int x, int y, int width, int height, int align, COLORREF color,
                         FontRecord* font)
{
    DrawString(ToWide(text), x, y, width, height, align, color, font);
}

int Drawing::TextHeight(FontRecord* font)
{
    if (!dc || !font)
        return -1;
    SelectedObject selectedFont(dc, font->GetHandle());
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(dc, &metrics))
        return -1;
    return metrics.tmHeight;
}

void Drawing::DrawRectangle(int x, int y, int width, int height, COLORREF color)
{
    if (!dc)
        return;
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
    SelectedObject selectedBrush(dc, GetStockObject(NULL_BRUSH));
    SelectedObject selectedPen(dc, pen.get());
    Rectangle(dc, x, y, x + width, y + height);
}

void Drawing::FillRectangle(int x, int y, int width, int height, COLORREF color)
{
    if (!dc)
        return;
    GdiObject<HPEN> pen(CreatePen(PS_NULL, 1, 0));
    GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    SelectedObject selectedPen(dc, pen.get());
    SelectedObject selectedBrush(dc, brush.get());
    Rectangle(dc, x, y, x + width, y + height);
}

void Drawing::DrawBitmap(int x, int y, int width, int height, HBITMAP bitmap, int srcX, int srcY)
{
    if (!dc)
        return;
    MemoryDC memory(dc);
    if (!memory.get())
        OnError();
    SelectedObject selectedBitmap(memory.get(), bitmap);
    if (!BitBlt(dc, x, y, width, height, memory.get(), srcX, srcY, SRCCOPY))
        OnError();
}

int Drawing::MeasureTextHeight(GUIElement* element)
{
    Drawing drawing(element);
    drawing.OpenWindowContext();
    TEXTMETRICW metrics{};
    if (!drawing.dc || !GetTextMetricsW(drawing.dc, &metrics))
        return -1;
    return metrics.tmHeight;
}

int Drawing::MeasureTextWidth(GUIElement* element, const std::wstring& text)
{
    Drawing drawing(element);
    drawing.OpenWindowContext();
    TEXTMETRICW metrics{};
    if (!drawing.dc || !GetTextMetricsW(drawing.dc, &metrics))
        return -1;
    SIZE extent{};
    if (!GetTextExtentPoint32W(drawing.dc, text.c_str(), static_cast<int>(text.size()), &extent))
        return -1;
    return MeasuredWidth(extent, metrics.tmHeight, metrics.tmOverhang);
}

int Drawing::MeasuredWidth(SIZE extent, LONG fontHeight, LONG overhang)
{
    const LONG measured = extent.cy > extent.cx && extent.cy != fontHeight ? extent.cy : extent.cx;
    return static_cast<int>(measured - overhang);
}

void Drawing::OnError()
{
    GetLastError();
}

} // namespace VornUtility
