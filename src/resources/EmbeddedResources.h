// The resources the library carries compiled in (the check-box and option-button glyph strips),
// found by number and type like a program's own.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace orvane::resources {

// The bytes of an embedded resource (the type compares without regard to ASCII case), or an
// empty span when the library has none by that number and type.
std::span<const std::uint8_t> FindEmbedded(int id, std::u16string_view type);

}  // namespace orvane::resources
