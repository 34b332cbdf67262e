// A cursor or icon. The standard cursors are stock objects named by their OCR_ numbers.
#pragma once

#include "platform/base/PlatformObject.h"

namespace orvane::platform {

class CursorObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::Cursor;
    CursorObject() : PlatformObject(kKind) {}
    int standardId = 0;
};

}  // namespace orvane::platform
