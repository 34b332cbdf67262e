// A 32-bit top-down DIB section holding a copy of decoded pixels: how a picture read from a file
// becomes a bitmap the caller owns.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/gdi/Gdi.h"

namespace orvane::platform {

// Null (with the last error set) when the bitmap cannot be made.
inline HBITMAP DibFromPixels(int width, int height, const std::uint32_t* pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits, HANDLE(), 0);
    if (!bitmap) return bitmap;
    std::memcpy(bits, pixels,
                static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    return bitmap;
}

}  // namespace orvane::platform
