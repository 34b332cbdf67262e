// A row of a theme part's states drawn side by side: the glyph strips the check boxes and
// option buttons draw from are made this way, so they match the visual style.
#pragma once

#include <string_view>

#include "platform/gdi/PixelSurface.h"

namespace orvane::platform {

class ThemeStrip {
public:
    // States 1 … `states` of `part` of the theme class, each filling a `cell` × `cell` square
    // from the left, in straight alpha (as PNG stores it). Lengths scale with the cell: a
    // 16-pixel cell is drawn at 96 DPI, a 32-pixel one at 192. An unknown class or part
    // raises std::invalid_argument.
    static PixelSurface render(std::u16string_view themeClass, int part, int states, int cell);
};

}  // namespace orvane::platform
