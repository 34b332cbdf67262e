// Large paints in horizontal bands. A control that fills its whole background and then draws
// many items on it touches every pixel twice; over a wide control the fill has left the
// processor's cache well before the items are drawn. Painting band by band (fill, then the
// items of that band) keeps each band's pixels in the cache while they are drawn on.
#pragma once

#include <utility>
#include <vector>

#include "platform/platform.h"

namespace orvane {

// The edges of the bands for painting `clip`: clip.top, the cuts, clip.bottom. Cuts fall only
// between items (`spans` holds each item's top and bottom, in any order), so no item is split
// between two bands; a band holds as many item rows as keep it near `bandBytes` of 32-bit
// pixels. A clip small enough to stay in the cache whole is one band.
std::vector<int> PaintBandEdges(const platform::RECT& clip, std::vector<std::pair<int, int>> spans,
                                int bandBytes = 128 * 1024);

}  // namespace orvane
