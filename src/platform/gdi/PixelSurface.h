// A view on 32-bit BGRA pixels (0xAARRGGBB in memory order B, G, R, A). Rows may run upwards
// in memory (bottom-up DIBs), so the pitch is signed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/base/Types.h"
#include "platform/gdi/SurfaceAllocator.h"

namespace orvane::platform {

class PixelSurface {
public:
    PixelSurface() = default;
    // Owns its pixels, initialised to the given value.
    PixelSurface(int width, int height, std::uint32_t fill = 0);
    // A copy of owned pixels owns its own copy; a copy of a view views the same pixels.
    PixelSurface(const PixelSurface& other);
    PixelSurface& operator=(const PixelSurface& other);
    PixelSurface(PixelSurface&&) noexcept = default;
    PixelSurface& operator=(PixelSurface&&) noexcept = default;
    // Owns the given width × height pixels, rows from the top.
    PixelSurface(std::vector<std::uint32_t> pixels, int width, int height);
    // Views pixels owned by someone else.
    PixelSurface(std::uint32_t* scan0, std::ptrdiff_t pitchPixels, int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    std::ptrdiff_t pitch() const { return m_pitch; }
    std::uint32_t* row(int y) { return m_scan0 + y * m_pitch; }
    const std::uint32_t* row(int y) const { return m_scan0 + y * m_pitch; }
    std::uint32_t& at(int x, int y) { return row(y)[x]; }
    std::uint32_t at(int x, int y) const { return row(y)[x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // Asks the processor to fetch the cache lines of a small rectangle (clamped to the surface)
    // before drawing into it. Drawing walks down rows that lie a whole pitch apart, each row a
    // miss the hardware does not foresee; fetched together, the misses overlap. Rectangles of
    // more than a few hundred lines are left to the hardware, which follows long rows itself.
    void prefetch(const RECT& r) const;
    // Resizes owned pixels, keeping nothing.
    void reset(int width, int height, std::uint32_t fill = 0);

    // Pixel <-> COLORREF. GDI writes leave the alpha byte at zero, as on Windows.
    static constexpr std::uint32_t fromColor(COLORREF c) {
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    static constexpr COLORREF toColor(std::uint32_t p) {
        return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
    }

private:
    std::vector<std::uint32_t, SurfaceAllocator<std::uint32_t>> m_storage;
    std::uint32_t* m_scan0 = nullptr;
    std::ptrdiff_t m_pitch = 0;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace orvane::platform
