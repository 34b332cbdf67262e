#include "platform/base/HandleTable.h"

#include <stdexcept>

namespace orvane::platform {

namespace {
std::vector<std::function<void()>>& resetHooks() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}
}  // namespace

bool isUserKind(ObjectKind kind) {
    return kind == ObjectKind::Window || kind == ObjectKind::Menu || kind == ObjectKind::Icon ||
           kind == ObjectKind::Cursor || kind == ObjectKind::Hook ||
           kind == ObjectKind::Accelerator;
}

bool isGdiKind(ObjectKind kind) {
    return kind == ObjectKind::DC || kind == ObjectKind::Bitmap || kind == ObjectKind::Brush ||
           kind == ObjectKind::Pen || kind == ObjectKind::Region || kind == ObjectKind::Font ||
           kind == ObjectKind::Palette;
}

std::uint32_t HandleTable::add(std::unique_ptr<PlatformObject> object, bool stock) {
    std::uint32_t index;
    if (!m_free.empty()) {
        index = m_free.back();
        m_free.pop_back();
    } else {
        if (m_slots.size() >= kIndexMask) throw std::runtime_error("handle table is full");
        index = static_cast<std::uint32_t>(m_slots.size());
        m_slots.emplace_back();
    }
    Slot& slot = m_slots[index];
    const std::uint32_t handle = (slot.generation << kIndexBits) | index;
    object->m_handle = handle;
    object->m_stock = stock;
    if (!stock) ++m_live[static_cast<std::size_t>(object->kind())];
    slot.object = std::move(object);
    return handle;
}

bool HandleTable::remove(std::uint32_t handle) {
    PlatformObject* object = lookup(handle);
    if (!object) return false;
    const std::uint32_t index = handle & kIndexMask;
    Slot& slot = m_slots[index];
    // Take the object out first: its destructor may look up or free other handles.
    std::unique_ptr<PlatformObject> owned = std::move(slot.object);
    if (!owned->isStock()) --m_live[static_cast<std::size_t>(owned->kind())];
    slot.generation = slot.generation >= kMaxGeneration ? 1 : slot.generation + 1;
    m_free.push_back(index);
    owned.reset();
    return true;
}

std::size_t HandleTable::liveCount(ObjectKind kind) const {
    return m_live[static_cast<std::size_t>(kind)];
}

std::size_t HandleTable::liveUserObjects() const {
    std::size_t n = 0;
    for (std::size_t k = 0; k < m_live.size(); ++k)
        if (isUserKind(static_cast<ObjectKind>(k))) n += m_live[k];
    return n;
}

std::size_t HandleTable::liveGdiObjects() const {
    std::size_t n = 0;
    for (std::size_t k = 0; k < m_live.size(); ++k)
        if (isGdiKind(static_cast<ObjectKind>(k))) n += m_live[k];
    return n;
}

void HandleTable::clear() {
    for (std::size_t i = 1; i < m_slots.size(); ++i) {
        if (m_slots[i].object)
            remove((m_slots[i].generation << kIndexBits) | static_cast<std::uint32_t>(i));
    }
    m_live.fill(0);
}

void HandleTable::addResetHook(std::function<void()> hook) {
    resetHooks().push_back(std::move(hook));
}

void HandleTable::resetPlatform() {
    for (auto& hook : resetHooks())
        hook();
    current().clear();
}

}  // namespace orvane::platform
