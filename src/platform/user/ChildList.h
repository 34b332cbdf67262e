// A window's children from the front of the z-order to the back, as handles. Adding, removing
// and moving a child take constant time, and each child carries an order key, so which of two
// siblings lies in front is answered without walking the list: a form holds thousands of
// children, and every control added to it goes to the front.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <unordered_map>
#include <vector>

namespace orvane::platform {

class ChildList {
public:
    // Walks the children front to back. Changing the list invalidates it.
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::uint32_t;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::uint32_t*;
        using reference = std::uint32_t;

        Iterator() = default;
        std::uint32_t operator*() const { return m_list->m_nodes[slot()].handle; }
        Iterator& operator++() {
            m_slot = m_list->m_nodes[slot()].next;
            return *this;
        }
        Iterator operator++(int) {
            Iterator old = *this;
            ++*this;
            return old;
        }
        friend bool operator==(const Iterator& a, const Iterator& b) {
            return a.m_slot == b.m_slot;
        }

    private:
        friend class ChildList;
        Iterator(const ChildList* list, std::int32_t slot) : m_list(list), m_slot(slot) {}
        std::size_t slot() const { return static_cast<std::size_t>(m_slot); }
        const ChildList* m_list = nullptr;
        std::int32_t m_slot = -1;
    };

    Iterator begin() const { return Iterator(this, m_first); }
    Iterator end() const { return Iterator(this, -1); }

    bool empty() const { return m_slotOf.empty(); }
    std::size_t size() const { return m_slotOf.size(); }
    bool contains(std::uint32_t handle) const { return m_slotOf.count(handle) != 0; }
    // The frontmost and the backmost child; 0 when there are none.
    std::uint32_t front() const;
    std::uint32_t back() const;
    // The child right behind (next) or right in front of (prev) `handle`; 0 when there is none
    // or `handle` is not a child.
    std::uint32_t next(std::uint32_t handle) const;
    std::uint32_t prev(std::uint32_t handle) const;
    // True when child `a` lies in front of child `b`.
    bool inFront(std::uint32_t a, std::uint32_t b) const;
    // The children front to back.
    std::vector<std::uint32_t> handles() const;

    // Adds a window that is not a child yet right in front of child `before`, or at the back
    // when `before` is 0 (or not a child).
    void insertBefore(std::uint32_t before, std::uint32_t handle);
    void pushFront(std::uint32_t handle) { insertBefore(front(), handle); }
    void pushBack(std::uint32_t handle) { insertBefore(0, handle); }
    // Takes a child out of the list; false when it was not one.
    bool remove(std::uint32_t handle);

private:
    struct Node {
        std::uint32_t handle = 0;
        std::int32_t prev = -1;
        std::int32_t next = -1;
        std::int64_t key = 0;  // grows from the front to the back
    };

    std::int32_t slotOf(std::uint32_t handle) const;
    Node& node(std::int32_t slot) { return m_nodes[static_cast<std::size_t>(slot)]; }
    const Node& node(std::int32_t slot) const { return m_nodes[static_cast<std::size_t>(slot)]; }
    // Spreads the keys evenly again when two neighbours have no room left between them.
    void renumber();

    std::vector<Node> m_nodes;
    std::vector<std::int32_t> m_free;
    std::unordered_map<std::uint32_t, std::int32_t> m_slotOf;
    std::int32_t m_first = -1;
    std::int32_t m_last = -1;
};

}  // namespace orvane::platform
