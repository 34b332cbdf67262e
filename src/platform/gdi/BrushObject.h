// A GDI brush: solid, hatched, pattern (from a bitmap, copied at creation) or null.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/PlatformObject.h"
#include "platform/gdi/GdiTypes.h"

namespace orvane::platform {

class BrushObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::Brush;
    BrushObject() : PlatformObject(kKind) {}

    LOGBRUSH log;
    // For pattern brushes: the pattern's pixels (BGRA), its size and whether it was
    // monochrome (then 0 bits take the text colour and 1 bits the background colour).
    std::vector<std::uint32_t> pattern;
    int patternWidth = 0;
    int patternHeight = 0;
    bool patternMono = false;
    // Stock DC_BRUSH takes its colour from the DC.
    bool isDcBrush = false;
};

}  // namespace orvane::platform
