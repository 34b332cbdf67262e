// One icon as the image list stores it in its image block and list file: its icon information,
// its colour bitmap (a 24-byte bitmap header, then bottom-up 32-bit pixels with straight alpha)
// and its mask (a 24-byte bitmap header, then bottom-up 1-bit rows). All numbers little-endian.
//
//   offset 0   is-icon flag, hot-spot x, hot-spot y          3 × 32 bits
//   offset 12  colour header: type, width, height, width in bytes (32 bits each), planes, bits
//              per pixel (16 bits each), a bits pointer (32 bits, 0 on disk)
//   offset 36  colour pixels: width × height × 4 bytes, bottom row first
//   then       mask header, as the colour header
//   then       mask rows: maskStride(width) × height bytes, bottom row first, bit 1 transparent
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "platform/user/UserTypes.h"

namespace orvane {

class IconRecord {
public:
    // The icon information and each bitmap header, in bytes.
    static constexpr std::size_t kInfoBytes = 12;
    // The size of a bitmap header.
    static constexpr std::size_t kHeaderBytes = 24;
    // The largest side a record may have; larger ones are refused as damaged.
    static constexpr std::int32_t kMaxSide = 1024;

    // Where a record lies in a block and what it holds, as read from its headers.
    struct Layout {
        std::size_t offset = 0;   // of the record's first byte
        std::size_t length = 0;   // of the whole record
        std::int32_t width = 0;   // of the colour bitmap (the mask has the same size)
        std::int32_t height = 0;  // of the colour bitmap
        bool isIcon = true;       // an icon, or a cursor
        std::uint32_t hotX = 0;   // a cursor's hot spot, from the left
        std::uint32_t hotY = 0;   // a cursor's hot spot, from the top
    };

    // The bytes of one mask row as the format counts them: (width + 7) ÷ 8 rounded to the
    // nearest integer (halves to even), plus 3, integer-divided by 4, times 4. For some widths
    // (30, 31, 32, ...) that is more than the row needs; the surplus bytes are zero.
    static std::size_t maskStride(std::int32_t width);
    // The length of the record of a width × height icon.
    static std::size_t length(std::int32_t width, std::int32_t height);

    // Writes `icon` as a record at `offset` of `bytes`, growing the array as needed, and gives
    // its length. `dc` reads the bitmaps (null: a memory DC of its own). False, with nothing
    // written, for a handle that is not an icon.
    static bool write(platform::HDC dc, platform::HICON icon, std::vector<std::uint8_t>& bytes,
                      std::size_t offset, std::size_t& length);
    // Reads the headers of the record at `offset`; none when they run past the end of `bytes`,
    // or give a size of 0, one over kMaxSide or a mask of another size than the colour bitmap.
    static std::optional<Layout> inspect(std::span<const std::uint8_t> bytes, std::size_t offset);
    // Makes the icon of a record `inspect` accepted (the caller destroys it); null when the
    // platform cannot.
    static platform::HICON read(std::span<const std::uint8_t> bytes, const Layout& layout);
};

}  // namespace orvane
