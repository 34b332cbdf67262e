// Draws one entry of the look table into premultiplied pixels: a rounded rectangle or an
// ellipse, filled, bordered, with an optional accent ring and glyph, anti-aliased.
#pragma once

#include "platform/gdi/PixelSurface.h"
#include "platform/theme/ThemeLook.h"

namespace orvane::platform {

class ThemeRenderer {
public:
    // Draws the part as it looks over a width × height rectangle at the given DPI, onto
    // `target`, whose pixel (0, 0) is pixel (originX, originY) of that rectangle; drawing only
    // the visible piece keeps huge rectangles cheap.
    static void render(const ThemePartLook& part, const ThemeStateLook& state, int width,
                       int height, int dpi, PixelSurface& target, int originX = 0, int originY = 0);

    // A length of the table in device pixels at a DPI, rounded to the nearest pixel.
    static int scaled(float length, int dpi);
};

}  // namespace orvane::platform
