// Where every tree view's items live: one table for all trees, handing out 32-bit HTREEITEM
// values (20 bits of slot, 12 of generation, as window handles are made) so that a deleted
// item's handle, or one from another tree, is recognised and refused rather than followed.
// Slots are kept in fixed blocks, so an item's address holds while others come and go.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/comctl/TreeView.h"

namespace orvane::platform {

class TreeViewControl;

// One item, linked to its parent and siblings by slot number (0: none).
struct TreeNode {
    const TreeViewControl* owner = nullptr;  // null: a free slot
    std::uint32_t generation = 1;
    std::uint32_t parent = 0, firstChild = 0, lastChild = 0, next = 0, prev = 0;
    std::u16string text;
    bool textCallback = false;
    bool deleting = false;          // being deleted: its notification may still read it
    int image = 0;                  // I_IMAGECALLBACK: asked of the parent
    int selectedImage = 0;          // I_IMAGECALLBACK: asked of the parent
    int children = I_CHILDRENAUTO;  // TVIF_CHILDREN as given; I_CHILDRENAUTO: from the items
    UINT state = 0;
    LPARAM lParam = 0;
    int integral = 1;            // rows the item takes
    int level = -1;              // 0 for items at the root; the hidden root is -1
    std::uint32_t row = 0;       // the item's place among the rows shown...
    std::uint32_t rowStamp = 0;  // ...valid while this matches the tree's stamp
    int textWidth = -1;          // the label's width in pixels, measured when first needed
};

class TreeItemTable {
public:
    static TreeItemTable& current();

    // A fresh item of the tree, or 0 when the table is full.
    std::uint32_t add(const TreeViewControl* owner);
    // Frees the slot; its handle goes stale.
    void remove(std::uint32_t slot);
    TreeNode& at(std::uint32_t slot) {
        return m_blocks[slot >> kBlockBits][slot & (kBlockSize - 1)];
    }
    // The slot a handle names for this tree, or 0 when it is stale, foreign or not an item.
    std::uint32_t find(HTREEITEM item, const TreeViewControl* owner) const {
        const std::uint32_t slot = item.value & kIndexMask;
        const std::uint32_t generation = item.value >> kIndexBits;
        if (slot == 0 || slot >= m_size) return 0;
        const TreeNode& n = m_blocks[slot >> kBlockBits][slot & (kBlockSize - 1)];
        return n.owner == owner && n.generation == generation ? slot : 0;
    }
    HTREEITEM handle(std::uint32_t slot) {
        return slot ? HTREEITEM{slot | (at(slot).generation << kIndexBits)} : HTREEITEM{};
    }
    std::size_t live() const { return m_live; }

private:
    static constexpr std::uint32_t kIndexBits = 20;
    static constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;
    // The generation stays below 0xFFF, so no handle equals TVI_ROOT, TVI_FIRST, ...
    static constexpr std::uint32_t kMaxGeneration = 0xFFE;
    static constexpr std::uint32_t kBlockBits = 12;
    static constexpr std::uint32_t kBlockSize = 1u << kBlockBits;

    std::vector<std::unique_ptr<TreeNode[]>> m_blocks;
    std::uint32_t m_size = 1;  // slots handed out so far; slot 0 is never used
    std::vector<std::uint32_t> m_free;
    std::size_t m_live = 0;
};

}  // namespace orvane::platform
