// A GDI logical font. Text output fills in the rest; here it is the LOGFONTW it was made from.
#pragma once

#include <cstdint>

#include "platform/base/PlatformObject.h"
#include "platform/gdi/GdiTypes.h"

namespace orvane::platform {

class RealizedFont;

class FontObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::Font;
    FontObject() : PlatformObject(kKind) {}

    LOGFONTW log;
    // The realized font text output found for `log` last, valid while the realized fonts'
    // generation is the one recorded (clearing that cache moves the generation on).
    RealizedFont* realized = nullptr;
    std::uint64_t realizedGeneration = 0;
};

}  // namespace orvane::platform
