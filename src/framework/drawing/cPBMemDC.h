// The progress bar's surface: the grow-on-demand surface without rectangle measuring.
#pragma once

#include <string>

#include "framework/drawing/cMemDc.h"

namespace orvane {

class cPBMemDC {
public:
    platform::HDC EnsureDC(int width, int height) { return m_surface.EnsureDC(width, height); }
    int TextWidth(const std::u16string& text) { return m_surface.TextWidth(text); }
    void SetFont(const StdFont& font) { m_surface.SetFont(font); }
    void DrawTo(platform::HDC target, int xSrc, int ySrc, int w, int h, int xDest, int yDest) {
        m_surface.DrawTo(target, xSrc, ySrc, w, h, xDest, yDest);
    }
    int Width() const { return m_surface.Width(); }
    int Height() const { return m_surface.Height(); }

private:
    cMemDc m_surface;
};

}  // namespace orvane
