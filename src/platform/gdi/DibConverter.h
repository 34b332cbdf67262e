// Reads and writes device-independent bitmap rows in the formats the platform accepts:
// 1, 4 and 8 bits with a colour table, 24 and 32 bits, uncompressed.
#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/PixelSurface.h"

namespace orvane::platform {

class DibConverter {
public:
    // Checks the header; false (with the last error set) for what is not supported.
    static bool validate(const BITMAPINFO* info);
    static int height(const BITMAPINFO* info);
    static bool topDown(const BITMAPINFO* info) { return info->bmiHeader.biHeight < 0; }
    // Bytes per row, padded to 32 bits.
    static int stride(const BITMAPINFO* info);
    // Decodes rows [first, first + count) counted from the top of the image; `bits` holds the
    // whole image as laid out by the header.
    static void decode(const BITMAPINFO* info, const void* bits, PixelSurface& out);
    // Encodes a surface row into a 24- or 32-bit DIB row.
    static void encodeRow(const std::uint32_t* row, int width, int bitCount, std::uint8_t* out);
};

}  // namespace orvane::platform
