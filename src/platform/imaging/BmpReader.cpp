#include "platform/imaging/BmpReader.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "platform/imaging/ByteReader.h"

namespace orvane::platform {

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3,
                        kBiAlphaBitfields = 6;

// One colour channel of a bit-field pixel, scaled to eight bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (!m) return;
        shift = std::countr_zero(m);
        max = (std::uint64_t{1} << std::bit_width(m >> shift)) - 1;
    }
    std::uint32_t operator()(std::uint32_t pixel) const {
        if (!mask) return 0;
        const std::uint64_t v = (pixel & mask) >> shift;
        return static_cast<std::uint32_t>(std::min<std::uint64_t>(255, (v * 255 + max / 2) / max));
    }
};

// Expands run-length encoded rows (4 or 8 bits per index) into one index per pixel, bottom row
// first; pixels the data skips stay -1 and are drawn transparent.
bool expandRle(const std::uint8_t* p, std::size_t size, int bits, int width, int height,
               std::vector<int>& indices) {
    indices.assign(static_cast<std::size_t>(width) * height, -1);
    std::size_t i = 0;
    std::int64_t x = 0, y = 0;
    auto put = [&](int index) {
        if (x < width && y < height) indices[static_cast<std::size_t>(y * width + x)] = index;
        ++x;
    };
    while (i + 1 < size && y < height) {
        const int count = p[i], value = p[i + 1];
        i += 2;
        if (count > 0) {  // a run of one index (8 bits) or two alternating ones (4 bits)
            for (int k = 0; k < count && x < width; ++k)
                put(bits == 8 ? value : (k % 2 == 0 ? value >> 4 : value & 15));
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // move right and up
            if (i + 1 >= size) return false;
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else {  // `value` literal indices, padded to a 16-bit boundary
            const std::size_t bytes = bits == 8 ? value : (value + 1) / 2;
            if (i + bytes > size) return false;
            for (int k = 0; k < value; ++k)
                put(bits == 8 ? p[i + k] : (k % 2 == 0 ? p[i + k / 2] >> 4 : p[i + k / 2] & 15));
            i += (bytes + 1) & ~std::size_t{1};
        }
    }
    return true;  // data that ends without its end marker keeps what it drew
}

}  // namespace

std::optional<DecodedImage> BmpReader::read(const std::uint8_t* data, std::size_t size,
                                            std::string& error) {
    if (size < 26 || data[0] != 'B' || data[1] != 'M') {
        error = "not a bitmap file";
        return std::nullopt;
    }
    const std::uint32_t offset = ByteReader::u32(data + 10);
    if (offset < 14 + 12 || offset > size) {
        error = "bad pixel data offset";
        return std::nullopt;
    }
    return readDib(data + 14, size - 14, offset - 14, DibKind::Plain, error);
}

std::optional<DecodedImage> BmpReader::readDib(const std::uint8_t* h, std::size_t size,
                                               std::size_t bitsOffset, DibKind kind,
                                               std::string& error) {
    if (size < 12) {
        error = "truncated bitmap header";
        return std::nullopt;
    }
    const std::uint32_t headerSize = ByteReader::u32(h);
    if (headerSize < 12 || headerSize > size || (headerSize > 12 && headerSize < 40)) {
        error = headerSize > size ? "truncated bitmap header" : "unknown bitmap header";
        return std::nullopt;
    }
    std::int64_t width, height;
    int bits;
    std::uint32_t compression = kBiRgb, colours = 0;
    if (headerSize == 12) {  // the old core header
        width = ByteReader::u16(h + 4);
        height = static_cast<std::int16_t>(ByteReader::u16(h + 6));
        bits = ByteReader::u16(h + 10);
    } else {
        width = static_cast<std::int32_t>(ByteReader::u32(h + 4));
        height = static_cast<std::int32_t>(ByteReader::u32(h + 8));
        bits = ByteReader::u16(h + 14);
        compression = ByteReader::u32(h + 16);
        colours = ByteReader::u32(h + 32);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (kind == DibKind::Icon) height /= 2;  // colour rows, then the AND mask
    if (!DecodedImage::sizeAllowed(width, height)) {
        error = "bad bitmap size";
        return std::nullopt;
    }
    const bool rle = compression == kBiRle8 || compression == kBiRle4;
    const bool fields = compression == kBiBitfields || compression == kBiAlphaBitfields;
    if (compression > kBiBitfields && compression != kBiAlphaBitfields) {
        error = "unsupported bitmap compression";
        return std::nullopt;
    }
    if ((compression == kBiRle8 && bits != 8) || (compression == kBiRle4 && bits != 4) ||
        (fields && bits != 16 && bits != 32) || (rle && topDown) ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
        error = "unsupported bits per pixel";
        return std::nullopt;
    }

    // Masks: inside the later headers, or right after the basic one.
    std::size_t tableStart = headerSize;
    std::uint32_t masks[4] = {0, 0, 0, 0};
    if (fields) {
        const std::size_t count = compression == kBiAlphaBitfields ? 4 : 3;
        const std::size_t at = headerSize >= 52 ? 40 : headerSize;
        if (at + count * 4 > size) {
            error = "truncated colour masks";
            return std::nullopt;
        }
        for (std::size_t i = 0; i < count; ++i)
            masks[i] = ByteReader::u32(h + at + i * 4);
        if (headerSize >= 56) masks[3] = ByteReader::u32(h + 52);
        if (headerSize == 40) tableStart += count * 4;
    } else if (bits == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else if (bits == 32) {
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
        if (kind == DibKind::Icon) masks[3] = 0xFF000000u;  // icons carry alpha in the top byte
    }

    // The colour table: 3-byte entries in the core format, 4-byte otherwise.
    std::vector<std::uint32_t> palette;
    const std::size_t entrySize = headerSize == 12 ? 3 : 4;
    std::size_t entries = 0;
    if (bits <= 8)
        entries = colours ? std::min<std::uint32_t>(colours, 1u << bits) : 1u << bits;
    else
        entries = std::min<std::uint32_t>(colours, 256);  // an optional table to skip
    if (tableStart + entries * entrySize > size) {
        error = "truncated colour table";
        return std::nullopt;
    }
    if (bits <= 8)
        for (std::size_t i = 0; i < entries; ++i) {
            const std::uint8_t* e = h + tableStart + i * entrySize;
            palette.push_back(0xFF000000u | static_cast<std::uint32_t>(e[2]) << 16 |
                              static_cast<std::uint32_t>(e[1]) << 8 | e[0]);
        }
    const std::size_t start = bitsOffset ? bitsOffset : tableStart + entries * entrySize;
    if (start > size) {
        error = "truncated pixel data";
        return std::nullopt;
    }
    const std::uint8_t* pixels = h + start;
    const std::size_t available = size - start;
    const std::size_t stride = static_cast<std::size_t>((width * bits + 31) / 32 * 4);
    const std::size_t colourBytes = rle ? 0 : stride * static_cast<std::size_t>(height);
    if (!rle && colourBytes > available) {
        error = "truncated pixel data";
        return std::nullopt;
    }

    DecodedImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(static_cast<std::size_t>(width * height));
    auto fromPalette = [&](int index) {
        return index >= 0 && static_cast<std::size_t>(index) < palette.size()
                   ? palette[static_cast<std::size_t>(index)]
                   : (index < 0 ? 0u : 0xFF000000u);
    };
    if (rle) {
        std::vector<int> indices;
        if (!expandRle(pixels, available, bits, image.width, image.height, indices)) {
            error = "damaged run-length data";
            return std::nullopt;
        }
        for (std::int64_t y = 0; y < height; ++y)
            for (std::int64_t x = 0; x < width; ++x)
                image.pixels[static_cast<std::size_t>(y * width + x)] =
                    fromPalette(indices[static_cast<std::size_t>((height - 1 - y) * width + x)]);
        return image;
    }

    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    bool anyAlpha = false;
    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint8_t* row =
            pixels + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
        std::uint32_t* out = image.pixels.data() + y * width;
        for (std::int64_t x = 0; x < width; ++x) {
            std::uint32_t pixel;
            if (bits == 24) {
                const std::uint8_t* p = row + x * 3;
                pixel = 0xFF000000u | static_cast<std::uint32_t>(p[2]) << 16 |
                        static_cast<std::uint32_t>(p[1]) << 8 | p[0];
            } else if (bits == 16 || bits == 32) {
                const std::uint32_t raw =
                    bits == 16 ? ByteReader::u16(row + x * 2) : ByteReader::u32(row + x * 4);
                const std::uint32_t a = masks[3] ? alpha(raw) : 255;
                anyAlpha = anyAlpha || a != 0;
                pixel = a << 24 | red(raw) << 16 | green(raw) << 8 | blue(raw);
            } else {
                const std::int64_t bit = x * bits;
                pixel = fromPalette((row[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1));
            }
            out[x] = pixel;
        }
    }
    // A 32-bit alpha channel that is zero everywhere is no alpha channel.
    if (masks[3] && !anyAlpha)
        for (std::uint32_t& p : image.pixels)
            p |= 0xFF000000u;
    if (kind == DibKind::Icon && !(masks[3] && anyAlpha)) {
        const std::size_t maskStride = static_cast<std::size_t>((width + 31) / 32 * 4);
        if (colourBytes + maskStride * static_cast<std::size_t>(height) <= available) {
            const std::uint8_t* mask = pixels + colourBytes;
            for (std::int64_t y = 0; y < height; ++y) {
                const std::uint8_t* row =
                    mask + maskStride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
                for (std::int64_t x = 0; x < width; ++x)
                    if (row[x / 8] & (0x80 >> (x % 8))) image.pixels[y * width + x] = 0;
            }
        }
    }
    return image;
}

}  // namespace orvane::platform
