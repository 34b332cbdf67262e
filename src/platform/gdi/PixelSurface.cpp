#include "platform/gdi/PixelSurface.h"

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
    : m_storage(std::move(pixels)), m_pitch(width), m_width(width), m_height(height) {
    m_storage.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    m_scan0 = m_storage.data();
}

PixelSurface::PixelSurface(std::uint32_t* scan0, std::ptrdiff_t pitchPixels, int width, int height)
    : m_scan0(scan0), m_pitch(pitchPixels), m_width(width), m_height(height) {}

void PixelSurface::reset(int width, int height, std::uint32_t fill) {
    m_storage.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
    m_scan0 = m_storage.data();
    m_pitch = width;
    m_width = width;
    m_height = height;
}

}  // namespace orvane::platform
