// What the menu control and the entries it hands out share while one menu bar is being built:
// the form it belongs to, the bar, how items are added, and which entry each popup opens from.
// Entries hold it weakly: once the control builds a new bar (Create) or goes, they are cut off.
#pragma once

#include <cstdint>
#include <map>

#include "platform/platform.h"

namespace orvane {

struct MenuSession {
    platform::HWND form;     // the window the bar belongs to
    platform::HMENU top;     // the menu bar
    bool ownerDrawn = true;  // items are added owner-drawn
    bool rightToLeft = false;  // bar entries are added at the right
    // The identifier of the entry each popup opens from, by the popup's handle.
    std::map<std::uint32_t, std::int32_t> popupEntry;
};

}  // namespace orvane
