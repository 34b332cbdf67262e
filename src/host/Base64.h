// Byte arrays as text for form files: standard base64 with padding.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The bytes as standard base64 text, with padding.
std::string Base64Encode(const std::vector<std::uint8_t>& bytes);
// The bytes, or nothing when the text is not well-formed base64.
std::optional<std::vector<std::uint8_t>> Base64Decode(std::string_view text);

}  // namespace orvane
