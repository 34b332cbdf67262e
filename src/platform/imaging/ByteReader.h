// Encoded data in memory: numbers of either byte order read from it, and a cursor that the
// decoding libraries' read callbacks take their bytes from.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace orvane::platform {

struct ByteReader {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;

    // Copies up to `wanted` bytes from the position on and moves past them; how many it copied.
    std::size_t read(void* out, std::size_t wanted) {
        const std::size_t n = std::min(wanted, size - position);
        std::memcpy(out, data + position, n);
        position += n;
        return n;
    }

    static std::uint16_t u16(const std::uint8_t* p, bool bigEndian = false) {
        return bigEndian ? static_cast<std::uint16_t>(p[0] << 8 | p[1])
                         : static_cast<std::uint16_t>(p[1] << 8 | p[0]);
    }
    static std::uint32_t u32(const std::uint8_t* p, bool bigEndian = false) {
        return bigEndian ? static_cast<std::uint32_t>(u16(p, true)) << 16 | u16(p + 2, true)
                         : static_cast<std::uint32_t>(u16(p + 2)) << 16 | u16(p);
    }
};

}  // namespace orvane::platform
