// The subclass procedures installed on one window with SetWindowSubclass, newest first.
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
    std::vector<std::shared_ptr<SubclassEntry>> entries;  // newest first
    WNDPROC original = nullptr;                           // the procedure below the chain
    int depth = 0;                                        // calls in progress
};

}  // namespace orvane::platform
