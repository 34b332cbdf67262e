// Icons with known pixels for the image-list tests: made from a pattern of straight-alpha
// colours with every kind of opacity, and read back as the premultiplied pixels the platform
// keeps.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/DibFromPixels.h"
#include "platform/gdi/Gdi.h"
#include "platform/imaging/PremultipliedAlpha.h"
#include "platform/user/User.h"

namespace orvane::test {

// A straight-alpha pixel (0xAARRGGBB) of pattern `seed` at (x, y): opaque, clear and
// half-transparent pixels in different colours, so that no two images or places agree.
inline std::uint32_t patternPixel(int seed, int x, int y) {
    const std::uint32_t alphas[] = {0xFF, 0x00, 0x80, 0x33, 0xFF, 0xC0};
    const std::uint32_t a = alphas[(x + 2 * y + seed) % 6];
    const auto r = static_cast<std::uint32_t>((x * 16 + seed * 50) & 0xFF);
    const auto g = static_cast<std::uint32_t>((y * 16 + seed * 30) & 0xFF);
    const auto b = static_cast<std::uint32_t>((x * y + seed * 70) & 0xFF);
    return a << 24 | r << 16 | g << 8 | b;
}

// An icon (or a cursor with its hot spot) of the pattern; the caller destroys it.
inline platform::HICON patternIcon(int seed, int width = 16, int height = 16, bool icon = true,
                                   int hotX = 0, int hotY = 0) {
    using namespace platform;
    std::uint32_t* out = nullptr;
    const HBITMAP colour = TopDownDib(width, height, &out);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out[y * width + x] = patternPixel(seed, x, y);
    const HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    ICONINFO ii;
    ii.fIcon = icon ? TRUE : FALSE;
    ii.xHotspot = static_cast<DWORD>(hotX);
    ii.yHotspot = static_cast<DWORD>(hotY);
    ii.hbmColor = colour;
    ii.hbmMask = mask;
    const HICON made = CreateIconIndirect(&ii);
    DeleteObject(colour);
    DeleteObject(mask);
    return made;
}

// The premultiplied pixels of the pattern, as an icon made of it keeps them.
inline std::vector<std::uint32_t> patternPixels(int seed, int width = 16, int height = 16) {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.push_back(platform::PremultipliedAlpha::premultiply(patternPixel(seed, x, y)));
    return out;
}

// The premultiplied pixels of an icon, rows from the top; empty for a handle that is none.
inline std::vector<std::uint32_t> iconPixels(platform::HICON icon) {
    std::vector<std::uint32_t> out;
    const platform::PixelSurface* image = platform::CursorPicture(icon, nullptr);
    if (!image) return out;
    for (int y = 0; y < image->height(); ++y)
        out.insert(out.end(), image->row(y), image->row(y) + image->width());
    return out;
}

}  // namespace orvane::test
