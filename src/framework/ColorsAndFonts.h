// Colours as controls draw them, and comparing fonts.
#pragma once

#include <memory>

#include "host/OleColor.h"
#include "host/StdFont.h"
#include "platform/theme/Theme.h"

namespace orvane {

// The RGB value of an OLE colour, or -1 when it cannot be translated.
std::int32_t TranslateColor(OLE_COLOR color, std::int32_t palette);
// Whether an OLE colour translates to an RGB value (a property's colour check).
inline bool IsTranslatableColor(const OLE_COLOR& color) {
    return TranslateColor(color, 0) != -1;
}
// With a theme, the theme's own system colour (for a system colour; an RGB value passes);
// without one, TranslateColor.
std::int32_t ThemeColor(platform::HTHEME theme, OLE_COLOR color);
// Both absent, or both present with the same size, name (exactly), strikethrough, underline,
// italic, character set and weight.
bool FontsEqual(const std::shared_ptr<StdFont>& a, const std::shared_ptr<StdFont>& b);

}  // namespace orvane
