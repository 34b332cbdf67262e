// A GDI pen (cosmetic): style, width and colour.
#pragma once

#include "platform/base/PlatformObject.h"
#include "platform/gdi/GdiTypes.h"

namespace orvane::platform {

class PenObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::Pen;
    PenObject() : PlatformObject(kKind) {}

    int style = PS_SOLID;     // how it draws
    int logStyle = PS_SOLID;  // what GetObjectW reports
    int width = 1;
    COLORREF color = 0;
    // Stock DC_PEN takes its colour from the DC.
    bool isDcPen = false;
};

}  // namespace orvane::platform
