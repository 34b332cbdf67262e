#include "platform/imaging/BmpReader.h"

#include <cstring>

namespace orvane::platform {

namespace {

std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

std::optional<DecodedImage> BmpReader::read(const std::uint8_t* data, std::size_t size,
                                            std::string& error) {
    if (size < 26 || data[0] != 'B' || data[1] != 'M') {
        error = "not a bitmap file";
        return std::nullopt;
    }
    const std::uint32_t offset = u32(data + 10);
    const std::uint32_t headerSize = u32(data + 14);
    if (headerSize < 12 || 14 + static_cast<std::uint64_t>(headerSize) > size) {
        error = "truncated bitmap header";
        return std::nullopt;
    }
    const std::uint8_t* h = data + 14;
    std::int64_t width, height;
    int bits;
    std::uint32_t compression = 0, colours = 0;
    if (headerSize == 12) {  // the old core header
        width = u16(h + 4);
        height = static_cast<std::int16_t>(u16(h + 6));
        bits = u16(h + 10);
    } else {
        if (headerSize < 40) {
            error = "unknown bitmap header";
            return std::nullopt;
        }
        width = static_cast<std::int32_t>(u32(h + 4));
        height = static_cast<std::int32_t>(u32(h + 8));
        bits = u16(h + 14);
        compression = u32(h + 16);
        colours = u32(h + 32);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        width * height > kMaxPixels) {
        error = "bad bitmap size";
        return std::nullopt;
    }
    if (compression != 0) {
        error = "compressed bitmaps are not read";
        return std::nullopt;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        error = "unsupported bits per pixel";
        return std::nullopt;
    }
    // The colour table follows the header: 3-byte entries in the core format, 4-byte otherwise.
    std::vector<std::uint32_t> palette;
    if (bits <= 8) {
        const std::size_t entries =
            colours ? std::min<std::uint32_t>(colours, 1u << bits) : 1u << bits;
        const std::size_t entrySize = headerSize == 12 ? 3 : 4;
        const std::size_t start = 14 + headerSize;
        if (start + entries * entrySize > size) {
            error = "truncated colour table";
            return std::nullopt;
        }
        for (std::size_t i = 0; i < entries; ++i) {
            const std::uint8_t* e = data + start + i * entrySize;
            palette.push_back(0xFF000000u | static_cast<std::uint32_t>(e[2]) << 16 |
                              static_cast<std::uint32_t>(e[1]) << 8 | e[0]);
        }
    }
    const std::size_t stride = static_cast<std::size_t>((width * bits + 31) / 32 * 4);
    if (offset > size || stride * static_cast<std::size_t>(height) > size - offset) {
        error = "truncated pixel data";
        return std::nullopt;
    }
    DecodedImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(static_cast<std::size_t>(width * height));
    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint8_t* row =
            data + offset + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
        std::uint32_t* out = image.pixels.data() + y * width;
        for (std::int64_t x = 0; x < width; ++x) {
            std::uint32_t pixel = 0;
            if (bits == 32 || bits == 24) {
                const std::uint8_t* p = row + x * (bits / 8);
                pixel = 0xFF000000u | static_cast<std::uint32_t>(p[2]) << 16 |
                        static_cast<std::uint32_t>(p[1]) << 8 | p[0];
            } else {
                const std::int64_t bit = x * bits;
                const int byte = row[bit / 8];
                const int index = (byte >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
                pixel = static_cast<std::size_t>(index) < palette.size()
                            ? palette[static_cast<std::size_t>(index)]
                            : 0xFF000000u;
            }
            out[x] = pixel;
        }
    }
    return image;
}

}  // namespace orvane::platform
