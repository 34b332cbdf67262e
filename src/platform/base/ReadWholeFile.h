// A whole file read into memory: how pictures, icons and backgrounds named by a path are read
// before they are decoded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::platform {

// The bytes of the regular file at a UTF-8 path; no value when there is none or it cannot be
// read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);

}  // namespace orvane::platform
