#include "platform/base/LiveObjects.h"

#include "platform/base/HandleTable.h"

namespace orvane::platform {

DWORD GetLiveObjectCount(ObjectKind kind) {
    if (kind == ObjectKind::None || kind >= ObjectKind::Count) return 0;
    return static_cast<DWORD>(HandleTable::current().liveCount(kind));
}

}  // namespace orvane::platform
