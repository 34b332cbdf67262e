// An off-screen drawing surface in pixels: a memory DC compatible with the display with its own
// bitmap, font and pen, and the drawing the button-like controls need (text, rectangles,
// lines, arrows, rotated text, gradients, colour blending) before the result is copied to the
// screen. Every call does nothing while the surface is invalid (never created, or failed).
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "host/OleColor.h"
#include "host/StdFont.h"
#include "platform/platform.h"

namespace orvane {

class clsMemoryDraw {
public:
    clsMemoryDraw() = default;
    ~clsMemoryDraw();
    clsMemoryDraw(const clsMemoryDraw&) = delete;
    clsMemoryDraw& operator=(const clsMemoryDraw&) = delete;

    // A new surface of the size, cleared to the background colour; false (and an invalid
    // surface) when it cannot be made.
    bool Create(int width, int height);
    // Create, only when the size differs.
    bool Resize(int width, int height);
    // Frees the surface; it is invalid afterwards.
    void Destroy();
    // Whether there is a surface to draw on.
    bool IsValid() const { return static_cast<bool>(m_dc); }
    // The surface's DC, for drawing of the caller's own.
    platform::HDC hDC() const { return m_dc; }
    // The surface's width in pixels.
    int Width() const { return m_width; }
    // The surface's height in pixels.
    int Height() const { return m_height; }

    // The DC's background mode (OPAQUE or TRANSPARENT) for text.
    int BackMode() const;
    void BackMode(int mode);
    // The DC's background colour (white for a new surface, which it is cleared to).
    OLE_COLOR BackColor() const;
    void BackColor(OLE_COLOR color);
    // The DC's text colour (RGB); a colour that cannot be translated changes nothing.
    OLE_COLOR ForeColor() const;
    void ForeColor(OLE_COLOR color);
    // A spare colour for the caller's use, the button shadow colour at first.
    OLE_COLOR ExtraColor() const { return m_extraColor; }
    void ExtraColor(OLE_COLOR color);

    // A new font for the surface: height Size × −20 ÷ TwipsPerPixelY (rounded), escapement and
    // orientation Angle × 10, weight 700 or 400, TrueType only when rotated, proof quality.
    void SetFont(const std::u16string& name, double size, bool bold, bool italic, bool strikeOut,
                 bool underline, int angle = 0);
    // The size of a text laid out with DrawTextW flags in the surface's width.
    std::pair<int, int> MeasureTextRect(const std::u16string& text, platform::UINT flags);
    // The width of one line of text in the surface's font.
    int TextWidth(const std::u16string& text);
    // The width of a text laid out with DrawTextW flags, as MeasureTextRect gives it.
    int TextWidth(const std::u16string& text, platform::UINT flags);
    // Draws a text in the rectangle with DrawTextW flags, in ForeColor, with no background.
    void DrawText(const std::u16string& text, int left, int top, int right, int bottom,
                  platform::UINT flags);
    // The text centred in the box over a fill of `backColor`, clipped to the box.
    void DrawTextCentered(int x, int y, int w, int h, OLE_COLOR backColor,
                          const std::u16string& text);
    // A right edge left of the left edge stands for the surface's width, a bottom above the
    // top for its height. A colour of -1 uses `brush` instead of a colour of its own.
    void FillRectangle(int left, int top, int right, int bottom, std::int32_t color,
                       platform::HBRUSH brush = platform::HBRUSH());
    // A one-pixel frame, with the edges and colours read as FillRectangle reads them.
    void FrameRectangle(int left, int top, int right, int bottom, std::int32_t color,
                        platform::HBRUSH brush = platform::HBRUSH());
    // The dotted focus rectangle (XOR: drawing it twice removes it).
    void FocusRectangle(int x, int y, int w, int h);
    // A line in a one-pixel pen of `color`, or in `pen` when the colour is -1; x1 < 0 goes on
    // from where the last line ended.
    void DrawLine(int x1, int y1, int x2, int y2, std::int32_t color,
                  platform::HPEN pen = platform::HPEN());
    // A filled triangle `size` pixels deep whose tip points down (0), up (1), left (2) or
    // right (3), with its bounding box at (x, y): 2 × size − 1 wide for down and up.
    void DrawArrow(int x, int y, int size, int direction, std::int32_t color);
    // Text turned to read upwards (90°) or downwards (270°), centred in the box.
    void DrawVerticalText(const std::u16string& text, const StdFont& font, std::int32_t color,
                          int x, int y, int w, int h, bool upwards = true);
    // A system colour (top bit of the 32-bit value set) as its RGB value; others unchanged.
    static std::int32_t SysColorToRGB(std::int32_t color);
    // Each channel color1 × alpha ÷ 255 + color2 × (255 − alpha) ÷ 255, rounded.
    static std::int32_t BlendColors(std::int32_t color1, std::int32_t color2, int alpha);
    // A two-colour gradient over `rc`, top to bottom (vertical) or left to right, as
    // DrawGradient draws it.
    void GradientFill(const platform::RECT& rc, OLE_COLOR color1, OLE_COLOR color2, bool vertical);
    // Copies the surface (w or h of 0: its size); stretched when asked and the size differs;
    // `invert` XORs it onto the target.
    void DrawTo(platform::HDC target, int x, int y, int w = 0, int h = 0, bool stretch = false,
                int xSrc = 0, int ySrc = 0, bool invert = false);

private:
    platform::HDC m_dc;
    platform::HBITMAP m_bitmap;
    platform::HGDIOBJ m_oldBitmap;
    platform::HFONT m_font;
    platform::HGDIOBJ m_oldFont;
    platform::HPEN m_pen;
    platform::HGDIOBJ m_oldPen;
    int m_width = 0;
    int m_height = 0;
    platform::COLORREF m_background = 0xFFFFFF;
    OLE_COLOR m_extraColor = SystemColor(16);
};

}  // namespace orvane
