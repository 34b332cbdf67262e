#include "platform/user/ChildList.h"

#include <limits>

namespace orvane::platform {

namespace {

// Keys start this far apart, so that many windows fit between two neighbours before the
// list has to be renumbered.
constexpr std::int64_t kGap = std::int64_t{1} << 32;
constexpr std::int64_t kLowest = std::numeric_limits<std::int64_t>::min() / 2;
constexpr std::int64_t kHighest = std::numeric_limits<std::int64_t>::max() / 2;

}  // namespace

std::int32_t ChildList::slotOf(std::uint32_t handle) const {
    auto it = m_slotOf.find(handle);
    return it == m_slotOf.end() ? -1 : it->second;
}

std::uint32_t ChildList::front() const {
    return m_first < 0 ? 0 : node(m_first).handle;
}

std::uint32_t ChildList::back() const {
    return m_last < 0 ? 0 : node(m_last).handle;
}

std::uint32_t ChildList::next(std::uint32_t handle) const {
    const std::int32_t s = slotOf(handle);
    if (s < 0 || node(s).next < 0) return 0;
    return node(node(s).next).handle;
}

std::uint32_t ChildList::prev(std::uint32_t handle) const {
    const std::int32_t s = slotOf(handle);
    if (s < 0 || node(s).prev < 0) return 0;
    return node(node(s).prev).handle;
}

bool ChildList::inFront(std::uint32_t a, std::uint32_t b) const {
    const std::int32_t sa = slotOf(a), sb = slotOf(b);
    return sa >= 0 && sb >= 0 && node(sa).key < node(sb).key;
}

std::vector<std::uint32_t> ChildList::handles() const {
    std::vector<std::uint32_t> out;
    out.reserve(size());
    for (std::uint32_t h : *this)
        out.push_back(h);
    return out;
}

void ChildList::renumber() {
    std::int64_t key = 0;
    for (std::int32_t s = m_first; s >= 0; s = node(s).next) {
        node(s).key = key;
        key += kGap;
    }
}

void ChildList::insertBefore(std::uint32_t before, std::uint32_t handle) {
    if (contains(handle)) return;
    // The new child goes between `frontSlot`, in front of it, and `backSlot`, behind it.
    const std::int32_t backSlot = before ? slotOf(before) : -1;
    const std::int32_t frontSlot = backSlot >= 0 ? node(backSlot).prev : m_last;
    const bool crowded =
        (frontSlot >= 0 && backSlot >= 0 && node(backSlot).key - node(frontSlot).key < 2) ||
        (frontSlot < 0 && backSlot >= 0 && node(backSlot).key < kLowest) ||
        (backSlot < 0 && frontSlot >= 0 && node(frontSlot).key > kHighest);
    if (crowded) renumber();
    std::int64_t key = 0;
    if (frontSlot >= 0 && backSlot >= 0)
        key = node(frontSlot).key + (node(backSlot).key - node(frontSlot).key) / 2;
    else if (backSlot >= 0)
        key = node(backSlot).key - kGap;
    else if (frontSlot >= 0)
        key = node(frontSlot).key + kGap;

    std::int32_t slot;
    if (!m_free.empty()) {
        slot = m_free.back();
        m_free.pop_back();
    } else {
        slot = static_cast<std::int32_t>(m_nodes.size());
        m_nodes.emplace_back();
    }
    Node& n = node(slot);
    n.handle = handle;
    n.prev = frontSlot;
    n.next = backSlot;
    n.key = key;
    if (frontSlot >= 0)
        node(frontSlot).next = slot;
    else
        m_first = slot;
    if (backSlot >= 0)
        node(backSlot).prev = slot;
    else
        m_last = slot;
    m_slotOf.emplace(handle, slot);
}

bool ChildList::remove(std::uint32_t handle) {
    auto it = m_slotOf.find(handle);
    if (it == m_slotOf.end()) return false;
    const std::int32_t slot = it->second;
    m_slotOf.erase(it);
    const Node n = node(slot);
    if (n.prev >= 0)
        node(n.prev).next = n.next;
    else
        m_first = n.next;
    if (n.next >= 0)
        node(n.next).prev = n.prev;
    else
        m_last = n.prev;
    node(slot) = Node{};
    if (m_slotOf.empty()) {
        // An empty list starts its slots again.
        m_nodes.clear();
        m_free.clear();
    } else {
        m_free.push_back(slot);
    }
    return true;
}

}  // namespace orvane::platform
