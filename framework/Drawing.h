// Drawing: a short-lived painter over one device context (a paint cycle, a window's own context, or
// one lent by the caller). Every operation deletes the GDI objects it makes before it returns.
#pragma once

#include <windows.h>

#include <string>

namespace VornUtility {

class FontRecord;
class GUIElement;

enum Alignment { Left = 0, Right = 1, Center = 2 };   // any other value draws as Left

enum class DrawingSource { PaintCycle, WindowContext, Lent };

class Drawing {
public:
    explicit Drawing(GUIElement* owner);
    virtual ~Drawing();
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    // Opens a paint cycle on the owner's window; only while handling WM_PAINT.
    void Begin();
    // Draws into a device context that stays the caller's.
    void Attach(HDC lentDC);
    // Gives the device context back as its source requires; a second call does nothing.
    void End();

    // Text in a box, clipped to it, on a transparent background. A null font uses the one selected.
    // At most 1023 characters are drawn.
    void DrawString(const std::wstring& text, int x, int y, int width, int height, int align, COLORREF color,
                    FontRecord* font);
    void DrawString(const std::string& text, int x, int y, int width, int height, int align, COLORREF color,
                    FontRecord* font);
    // The character height of a font here; -1 without a context or a font.
    int TextHeight(FontRecord* font);
    void DrawRectangle(int x, int y, int width, int height, COLORREF color);
    // A solid area without outline: the platform leaves out its last column and row.
    void FillRectangle(int x, int y, int width, int height, COLORREF color);
    // Copies the width x height part of bitmap starting at (srcX, srcY) to (x, y).
    void DrawBitmap(int x, int y, int width, int height, HBITMAP bitmap, int srcX, int srcY);

    // Measures on the element's own window, with the font its device context holds; -1 on failure.
    static int MeasureTextHeight(GUIElement* element);
    static int MeasureTextWidth(GUIElement* element, const std::wstring& text);

    // The width MeasureTextWidth reports for a text extent: cx, or cy when cy is the larger and is not
    // simply the font's height, less the font's overhang.
    static int MeasuredWidth(SIZE extent, LONG fontHeight, LONG overhang);

    // Called after a failed platform call in DrawBitmap; the drawing goes on.
    virtual void OnError();

    HDC dc = nullptr;
    DrawingSource source = DrawingSource::Lent;

private:
    // Opens the element's window device context for a measurement.
    void OpenWindowContext();

    GUIElement* owner;   // borrowed
    PAINTSTRUCT paint{};
};

} // namespace VornUtility
