#include "platform/comctl/TreeItemTable.h"

#include "platform/base/HandleTable.h"

namespace orvane::platform {

TreeItemTable& TreeItemTable::current() {
    static TreeItemTable table;
    static const bool hooked = [] {
        // A platform reset forgets the items of trees that were never destroyed.
        HandleTable::addResetHook([] {
            TreeItemTable& t = current();
            t.m_blocks.clear();
            t.m_size = 1;
            t.m_free.clear();
            t.m_live = 0;
        });
        return true;
    }();
    (void)hooked;
    return table;
}

std::uint32_t TreeItemTable::add(const TreeViewControl* owner) {
    std::uint32_t slot;
    if (!m_free.empty()) {
        slot = m_free.back();
        m_free.pop_back();
    } else {
        if (m_size > kIndexMask) return 0;
        slot = m_size++;
        if ((slot >> kBlockBits) >= m_blocks.size())
            m_blocks.push_back(std::make_unique<TreeNode[]>(kBlockSize));
    }
    TreeNode& n = at(slot);
    const std::uint32_t generation = n.generation;
    n = TreeNode{};
    n.generation = generation;
    n.owner = owner;
    ++m_live;
    return slot;
}

void TreeItemTable::remove(std::uint32_t slot) {
    TreeNode& n = at(slot);
    if (!n.owner) return;
    const std::uint32_t generation = n.generation >= kMaxGeneration ? 1 : n.generation + 1;
    n = TreeNode{};
    n.generation = generation;
    m_free.push_back(slot);
    --m_live;
}

}  // namespace orvane::platform
