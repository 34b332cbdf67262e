// Colours as controls store them: an RGB value, or a system colour index with the top bit set
// (0x8000000F is the button face).
#pragma once

#include <cstdint>

#include "platform/base/Types.h"

namespace orvane {

// A colour as controls store it: 0x00BBGGRR, or a system colour index with the top bit set.
using OLE_COLOR = std::uint32_t;

// The OLE colour of system colour `index` (COLOR_BTNFACE, ...).
inline constexpr OLE_COLOR SystemColor(int index) {
    return 0x80000000u | static_cast<OLE_COLOR>(index);
}

// The system colours the controls name, by the host's names.
inline constexpr OLE_COLOR vbWindowBackground = SystemColor(5);
inline constexpr OLE_COLOR vbWindowText = SystemColor(8);
inline constexpr OLE_COLOR vbButtonFace = SystemColor(15);
inline constexpr OLE_COLOR vbButtonShadow = SystemColor(16);
inline constexpr OLE_COLOR vbGrayText = SystemColor(17);
inline constexpr OLE_COLOR vbButtonText = SystemColor(18);
inline constexpr OLE_COLOR vbInfoText = SystemColor(23);
inline constexpr OLE_COLOR vbInfoBackground = SystemColor(24);

// The RGB value to draw with. A system index out of range raises error 380.
platform::COLORREF TranslateColor(OLE_COLOR color);

}  // namespace orvane
