// Compares the glyph a check box or option button shows with the strip cell it should show:
// the cell is drawn alone on white and on black, and where the two agree (the opaque part)
// the control must show exactly those pixels.
#pragma once

#include "controls/buttons/ChoiceButton.h"
#include "framework/drawing/GlyphStrip.h"
#include "platform/gdi/GdiTestSupport.h"
#include "platform/testing.h"

namespace orvane::test {

struct GlyphProbe {
    int opaque = 0;  // pixels the cell covers fully
    int wrong = 0;   // of those, pixels the control shows otherwise
};

inline GlyphProbe probeGlyph(platform::testing::TestPlatform& screen, const ChoiceButton& c,
                             GlyphStrip::Kind kind, int state) {
    const platform::RECT g = c.layoutResult().glyphRect;
    const int size = g.right - g.left;
    platform::test::Canvas white(size, size, platform::RGB(255, 255, 255));
    platform::test::Canvas black(size, size, platform::RGB(0, 0, 0));
    GlyphStrip::draw(white, kind, state, 0, 0, size);
    GlyphStrip::draw(black, kind, state, 0, 0, size);
    GlyphProbe probe;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (white.at(x, y) != black.at(x, y)) continue;
            ++probe.opaque;
            probe.wrong += screen.ClientPixel(c.hWnd(), g.left + x, g.top + y) != white.at(x, y);
        }
    return probe;
}

}  // namespace orvane::test
