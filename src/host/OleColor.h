// Colours as controls store them: an RGB value, or a system colour index with the top bit set
// (0x8000000F is the button face).
#pragma once

#include <cstdint>

#include "platform/base/Types.h"

namespace orvane {

using OLE_COLOR = std::uint32_t;

inline constexpr OLE_COLOR SystemColor(int index) {
    return 0x80000000u | static_cast<OLE_COLOR>(index);
}

// The RGB value to draw with. A system index out of range raises error 380.
platform::COLORREF TranslateColor(OLE_COLOR color);

}  // namespace orvane
