// Standard cursors and the cursor shown by the pointer.
#include <map>

#include "platform/user/CursorObject.h"
#include "platform/user/InputQueue.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    if (instance || !IS_INTRESOURCE(name)) {
        ReportUnsupported("LoadCursorW", "cursor resources (only the standard cursors)",
                          ERROR_FILE_NOT_FOUND);
        return HCURSOR();
    }
    const int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    static const int kKnown[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643,
                                 32644, 32645, 32646, 32648, 32649, 32650, 32651};
    bool known = false;
    for (int k : kKnown)
        known = known || k == id;
    if (!known) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return HCURSOR();
    }
    static std::map<int, std::uint32_t> cache;
    auto it = cache.find(id);
    if (it != cache.end() && HandleTable::current().get<CursorObject>(it->second))
        return HCURSOR(it->second);
    auto c = std::make_unique<CursorObject>();
    c->standardId = id;
    const std::uint32_t h = HandleTable::current().add(std::move(c), true);
    cache[id] = h;
    return HCURSOR(h);
}

HCURSOR SetCursor(HCURSOR cursor) {
    InputQueue& q = InputQueue::current();
    const HCURSOR old = q.currentCursor;
    if (cursor && !HandleTable::current().get<CursorObject>(cursor.value)) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return old;
    }
    q.currentCursor = cursor;
    return old;
}

HCURSOR GetCursor() {
    return InputQueue::current().currentCursor;
}

int ShowCursor(BOOL show) {
    InputQueue& q = InputQueue::current();
    q.cursorShowCount += show ? 1 : -1;
    return q.cursorShowCount;
}

int StandardCursorId(HCURSOR cursor) {
    auto* c = HandleTable::current().get<CursorObject>(cursor.value);
    return c ? c->standardId : 0;
}

const PixelSurface* CursorPicture(HCURSOR cursor, POINT* hotSpot) {
    auto* c = HandleTable::current().get<CursorObject>(cursor.value);
    if (!c || c->standardId || c->image.width() <= 0) return nullptr;
    if (hotSpot) *hotSpot = POINT{c->hotSpotX, c->hotSpotY};
    return &c->image;
}

}  // namespace orvane::platform
