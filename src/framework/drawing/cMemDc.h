// A memory surface that grows on demand: the group controls and the light toolbar draw into it
// and measure text with it. It is made at 100 × 100 and remade at exactly the requested size
// whenever a request does not fit both ways.
#pragma once

#include <string>
#include <utility>

#include "host/StdFont.h"
#include "platform/platform.h"

namespace orvane {

class cMemDc {
public:
    cMemDc();
    ~cMemDc();
    cMemDc(const cMemDc&) = delete;
    cMemDc& operator=(const cMemDc&) = delete;

    // The DC of a surface at least this large: the current one when it fits, else a new one of
    // exactly this size; null when it cannot be made.
    platform::HDC EnsureDC(int width, int height);
    // The width of one line of text in the surface's font.
    int TextWidth(const std::u16string& text);
    // The height of one line of text in the surface's font.
    int TextHeight(const std::u16string& text);
    // (height, width) of the text laid out with the flags; word-wrapped text within the
    // rectangle's width.
    std::pair<int, int> MeasureRect(const std::u16string& text, platform::UINT flags,
                                    const platform::RECT& rc);
    // The font: the height −(Size × pixels per inch, rounded) ÷ 72 in whole pixels.
    void SetFont(const StdFont& font);
    // Copies a part of the surface (w or h of 0 or less: the whole surface).
    void DrawTo(platform::HDC target, int xSrc, int ySrc, int w, int h, int xDest, int yDest);
    // The surface's width in pixels.
    int Width() const { return m_width; }
    // The surface's height in pixels.
    int Height() const { return m_height; }
    // The surface's DC (null before the first EnsureDC).
    platform::HDC hDC() const { return m_dc; }

private:
    void destroySurface();
    platform::HDC m_dc;
    platform::HBITMAP m_bitmap;
    platform::HGDIOBJ m_oldBitmap;
    platform::HFONT m_font;
    platform::HGDIOBJ m_oldFont;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace orvane
