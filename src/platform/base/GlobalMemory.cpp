#include "platform/base/GlobalMemory.h"

#include <map>
#include <vector>

#include "platform/base/LastError.h"

namespace orvane::platform {

namespace {

constexpr SIZE_T kMaxBytes = SIZE_T(256) << 20;

struct Block {
    std::vector<std::uint8_t> bytes;
    int locks = 0;
};

struct Blocks {
    std::map<std::uint32_t, Block> live;
    std::uint32_t next = 1;
};

Blocks& blocks() {
    static Blocks b;
    return b;
}

Block* find(HGLOBAL h) {
    auto it = blocks().live.find(h.value);
    if (it == blocks().live.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &it->second;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    if (flags & ~(GMEM_MOVEABLE | GMEM_ZEROINIT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HGLOBAL();
    }
    if (bytes > kMaxBytes) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return HGLOBAL();
    }
    Blocks& b = blocks();
    const std::uint32_t id = b.next++;
    b.live[id].bytes.assign(bytes, 0);  // always zeroed: no stale data leaks between owners
    return HGLOBAL(id);
}

HGLOBAL GlobalFree(HGLOBAL block) {
    if (!find(block)) return block;
    blocks().live.erase(block.value);
    return HGLOBAL();
}

void* GlobalLock(HGLOBAL block) {
    Block* b = find(block);
    if (!b) return nullptr;
    ++b->locks;
    // A zero-byte block still locks to a valid address.
    static std::uint8_t empty = 0;
    return b->bytes.empty() ? &empty : b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL block) {
    Block* b = find(block);
    if (!b) return FALSE;
    if (b->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    --b->locks;
    if (b->locks == 0) {
        SetLastError(ERROR_SUCCESS);
        return FALSE;
    }
    return TRUE;
}

SIZE_T GlobalSize(HGLOBAL block) {
    Block* b = find(block);
    return b ? b->bytes.size() : 0;
}

DWORD GetLiveGlobalCount() {
    return static_cast<DWORD>(blocks().live.size());
}

void resetGlobalMemory() {
    blocks() = Blocks{};
}

}  // namespace orvane::platform
