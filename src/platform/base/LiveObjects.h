// Counts of live platform objects, for tests and applications that check for leaks. Stock
// objects (stock pens and brushes, system colour brushes, standard cursors, the desktop
// window) are not counted.
#pragma once

#include "platform/base/Types.h"

namespace orvane::platform {

// Live objects of one kind (ObjectKind::Window, ObjectKind::Brush, ...).
DWORD GetLiveObjectCount(ObjectKind kind);

}  // namespace orvane::platform
