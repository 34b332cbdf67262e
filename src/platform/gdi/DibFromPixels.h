// 32-bit top-down DIB sections: an empty one to draw or write pixels into, and one holding a
// copy of decoded pixels (how a picture read from a file becomes a bitmap the caller owns).
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/gdi/Gdi.h"

namespace orvane::platform {

// A 32-bit top-down DIB section and its pixels (`*bits`, null when none is made): how a
// picture of 32-bit pixels becomes a bitmap. Null (with the last error set) when it cannot be
// made.
inline HBITMAP TopDownDib(int width, int height, std::uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    const HBITMAP bitmap = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &p, HANDLE(), 0);
    *bits = bitmap ? static_cast<std::uint32_t*>(p) : nullptr;
    return bitmap;
}

// The same holding a copy of `pixels` (width × height, 32 bits each). Null (with the last
// error set) when the bitmap cannot be made.
inline HBITMAP DibFromPixels(int width, int height, const void* pixels) {
    std::uint32_t* bits = nullptr;
    const HBITMAP bitmap = TopDownDib(width, height, &bits);
    if (!bitmap) return bitmap;
    std::memcpy(bits, pixels,
                static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    return bitmap;
}

}  // namespace orvane::platform
