// The subclass procedures installed on one window with SetWindowSubclass. They are kept oldest
// first and called newest first; while a message is passing, entries are only added at the end
// or marked removed, so a call in progress walks a list that never shifts under it.
#pragma once

#include <memory>
#include <vector>

#include "platform/user/UserTypes.h"

namespace orvane::platform {

struct SubclassEntry {
    SUBCLASSPROC proc = nullptr;
    UINT_PTR id = 0;
    DWORD_PTR refData = 0;
    bool removed = false;
};

struct SubclassChain {
    std::vector<SubclassEntry> entries;  // oldest first
    WNDPROC original = nullptr;          // the procedure below the chain
    int depth = 0;                       // calls in progress
    bool dirty = false;                  // some entries are marked removed
    bool retired = false;                // its window is gone while calls were in progress
};

// Keeps a chain whose window is destroyed while calls are still travelling down it, until the
// last of them leaves.
void retireSubclassChain(std::shared_ptr<SubclassChain> chain);

}  // namespace orvane::platform
