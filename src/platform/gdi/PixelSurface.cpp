#include "platform/gdi/PixelSurface.h"

#include <algorithm>

namespace orvane::platform {

PixelSurface::PixelSurface(int width, int height, std::uint32_t fill) {
    reset(width, height, fill);
}

PixelSurface::PixelSurface(const PixelSurface& other)
    : m_storage(other.m_storage),
      m_scan0(other.m_scan0),
      m_pitch(other.m_pitch),
      m_width(other.m_width),
      m_height(other.m_height) {
    if (!other.m_storage.empty() && other.m_scan0 == other.m_storage.data())
        m_scan0 = m_storage.data();
}

PixelSurface& PixelSurface::operator=(const PixelSurface& other) {
    if (this != &other) {
        PixelSurface copy(other);
        *this = std::move(copy);
    }
    return *this;
}

PixelSurface::PixelSurface(std::vector<std::uint32_t> pixels, int width, int height)
    : m_storage(pixels.begin(), pixels.end()), m_pitch(width), m_width(width), m_height(height) {
    m_storage.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    m_scan0 = m_storage.data();
}

PixelSurface::PixelSurface(std::uint32_t* scan0, std::ptrdiff_t pitchPixels, int width, int height)
    : m_scan0(scan0), m_pitch(pitchPixels), m_width(width), m_height(height) {}

void PixelSurface::prefetch(const RECT& r) const {
    constexpr int kLine = 64 / sizeof(std::uint32_t), kMaxLines = 512;
    const int left = std::max<int>(r.left, 0), right = std::min<int>(r.right, m_width);
    const int top = std::max<int>(r.top, 0), bottom = std::min<int>(r.bottom, m_height);
    if (left >= right || top >= bottom) return;
    const int perRow = (right - 1) / kLine - left / kLine + 1;
    if (perRow * (bottom - top) > kMaxLines) return;
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* p = row(y);
        for (int x = left; x < right; x += kLine)
            __builtin_prefetch(p + x, 1);
        __builtin_prefetch(p + right - 1, 1);
    }
}

void PixelSurface::reset(int width, int height, std::uint32_t fill) {
    m_storage.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
    m_scan0 = m_storage.data();
    m_pitch = width;
    m_width = width;
    m_height = height;
}

}  // namespace orvane::platform
