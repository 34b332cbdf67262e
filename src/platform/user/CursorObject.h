// A cursor or icon. The standard cursors are stock objects named by their OCR_ numbers; icons
// and cursors made from images keep their picture with premultiplied alpha and a hot spot.
#pragma once

#include "platform/base/PlatformObject.h"
#include "platform/gdi/PixelSurface.h"

namespace orvane::platform {

class CursorObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::Cursor;
    CursorObject() : PlatformObject(kKind) {}
    int standardId = 0;
    bool isIcon = true;
    int hotSpotX = 0;
    int hotSpotY = 0;
    PixelSurface image;  // empty for the standard cursors
};

}  // namespace orvane::platform
