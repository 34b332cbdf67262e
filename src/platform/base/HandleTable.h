// The table that owns every platform object and hands out 32-bit, generation-checked handles.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/base/PlatformObject.h"

namespace orvane::platform {

class HandleTable {
public:
    static HandleTable& current() {
        static HandleTable table;
        return table;
    }

    // Takes ownership of the object and returns its handle value (never 0).
    std::uint32_t add(std::unique_ptr<PlatformObject> object, bool stock = false);
    // The object a handle names, or null when the handle is stale, null or of another kind.
    // Inline: every platform call looks its handles up.
    PlatformObject* lookup(std::uint32_t handle) const {
        const std::uint32_t index = handle & kIndexMask;
        const std::uint32_t generation = handle >> kIndexBits;
        if (index == 0 || index >= m_slots.size()) return nullptr;
        const Slot& slot = m_slots[index];
        if (slot.generation != generation || !slot.object) return nullptr;
        return slot.object.get();
    }
    PlatformObject* lookup(std::uint32_t handle, ObjectKind kind) const {
        PlatformObject* object = lookup(handle);
        return object && object->kind() == kind ? object : nullptr;
    }
    template <class T>
    T* get(std::uint32_t handle) const {
        return static_cast<T*>(lookup(handle, T::kKind));
    }
    // Destroys the object; its handle becomes stale. Returns false for an invalid handle.
    bool remove(std::uint32_t handle);

    // Objects of one kind that are alive now, stock objects excluded.
    std::size_t liveCount(ObjectKind kind) const;
    std::size_t liveUserObjects() const;
    std::size_t liveGdiObjects() const;

    // Destroys every object (a fresh platform for the next test).
    void clear();

    // Calls to make whenever the platform is reset, registered by the subsystems.
    static void addResetHook(std::function<void()> hook);
    static void resetPlatform();

private:
    struct Slot {
        std::unique_ptr<PlatformObject> object;
        std::uint32_t generation = 1;
    };
    static constexpr std::uint32_t kIndexBits = 20;
    static constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;
    static constexpr std::uint32_t kMaxGeneration = 0xFFF;

    std::vector<Slot> m_slots{1};  // slot 0 is never used, so no handle is 0
    std::vector<std::uint32_t> m_free;
    std::array<std::size_t, static_cast<std::size_t>(ObjectKind::Count)> m_live{};
};

bool isUserKind(ObjectKind kind);
bool isGdiKind(ObjectKind kind);

}  // namespace orvane::platform
