// The progress bar's surface: the grow-on-demand surface without rectangle measuring.
#pragma once

#include <string>

#include "framework/drawing/cMemDc.h"

namespace orvane {

class cPBMemDC {
public:
    // The DC of a surface at least this large (see cMemDc::EnsureDC).
    platform::HDC EnsureDC(int width, int height) { return m_surface.EnsureDC(width, height); }
    // The width of one line of text in the surface's font.
    int TextWidth(const std::u16string& text) { return m_surface.TextWidth(text); }
    // The surface's font (see cMemDc::SetFont).
    void SetFont(const StdFont& font) { m_surface.SetFont(font); }
    // Copies a part of the surface (w or h of 0 or less: the whole surface).
    void DrawTo(platform::HDC target, int xSrc, int ySrc, int w, int h, int xDest, int yDest) {
        m_surface.DrawTo(target, xSrc, ySrc, w, h, xDest, yDest);
    }
    // The surface's width in pixels.
    int Width() const { return m_surface.Width(); }
    // The surface's height in pixels.
    int Height() const { return m_surface.Height(); }

private:
    cMemDc m_surface;
};

}  // namespace orvane
