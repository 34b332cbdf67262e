// Reads Windows bitmaps: files and bare device-independent bitmaps (as icons hold them) with 1,
// 4, 8, 16, 24 or 32 bits per pixel, bottom-up or top-down, run-length encoded (4 and 8 bits) or
// with bit-field masks (16 and 32 bits, alpha masks included), and every header version.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/imaging/DecodedImage.h"

namespace orvane::platform {

class BmpReader {
public:
    // A whole ".bmp" file. The image, or nothing with `error` saying why.
    static std::optional<DecodedImage> read(const std::uint8_t* data, std::size_t size,
                                            std::string& error);

    enum class DibKind { Plain, Icon };
    // A bitmap without its file header: the header, colour table and pixels. `bitsOffset` is
    // where the pixels start (counted from the header), or 0 for right after the colour table.
    // An icon's bitmap has twice its height: the colour rows, then a one-bit AND mask whose set
    // bits are transparent. Its alpha comes from the 32-bit pixels when any is set, else from
    // the mask.
    static std::optional<DecodedImage> readDib(const std::uint8_t* dib, std::size_t size,
                                               std::size_t bitsOffset, DibKind kind,
                                               std::string& error);
};

}  // namespace orvane::platform
