// The check-box and option-button glyphs: the strips the library carries (resources "CUSTOM"
// 100 and 200, with cells twice the size as 101 and 201), or a program's own resources of those
// numbers. Each strip is decoded once per process and each cell kept at the sizes it is drawn
// at, as plain pixels (no GDI object outlives a draw).
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace orvane {

class GlyphStrip {
public:
    // Which strip: the check box's or the option button's.
    enum class Kind {
        Check,   // twelve cells: the visual style's check-box states 1 to 12
        Option,  // eight cells: the radio-button states 1 to 8
    };
    // The embedded resource number of the check box's strip (its @2x version at +1).
    static constexpr int kCheckResource = 100;
    // The embedded resource number of the option button's strip (its @2x version at +1).
    static constexpr int kOptionResource = 200;

    // Draws cell `state` (from 1, the visual style's state number) at (x, y), `size` pixels
    // square, at constant alpha `alpha`. A state outside the strip or a strip that cannot be
    // read draws nothing.
    static void draw(platform::HDC dc, Kind kind, int state, int x, int y, int size,
                     std::uint8_t alpha = 255);
    // How many cells a strip has.
    static int cellCount(Kind kind) { return kind == Kind::Check ? 12 : 8; }
    // Forgets decoded strips and scaled cells (a program replaced a resource, say).
    static void reset();
};

}  // namespace orvane
