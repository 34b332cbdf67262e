// A GDI logical font. Text output fills in the rest; here it is the LOGFONTW it was made from.
#pragma once

#include "platform/base/PlatformObject.h"
#include "platform/gdi/GdiTypes.h"

namespace orvane::platform {

class FontObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::Font;
    FontObject() : PlatformObject(kKind) {}

    LOGFONTW log;
};

}  // namespace orvane::platform
