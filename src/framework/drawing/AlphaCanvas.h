// A premultiplied 32-bit drawing surface with anti-aliased graphics on it, blended onto a device
// context when done: what the image cache and the shapes draw through. It grows to the largest
// size asked for and keeps its DIB until destroyed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/imaging/ImageGraphics.h"
#include "platform/platform.h"

namespace orvane {

class AlphaCanvas {
public:
    AlphaCanvas();
    ~AlphaCanvas();
    AlphaCanvas(const AlphaCanvas&) = delete;
    AlphaCanvas& operator=(const AlphaCanvas&) = delete;

    // The graphics of a dx × dy canvas, cleared to transparent, with no transform and
    // source-over compositing; `operation` names the caller in the out-of-memory error raised
    // when the surface cannot be made.
    platform::ImageGraphics& begin(int dx, int dy, const std::u16string& operation);
    // The pixels of the canvas begun last.
    platform::PixelSurface& pixels() { return m_view; }
    // Blends the canvas begun last onto `hdc` at (x, y), its alpha scaled by `alpha` (0–255).
    void blendTo(platform::HDC hdc, int x, int y, std::int32_t alpha);
    // Frees the surface (the next begin makes a new one).
    void release();

private:
    platform::HDC m_dc{};
    platform::HBITMAP m_bitmap{};
    platform::HGDIOBJ m_old{};
    std::uint32_t* m_bits = nullptr;
    int m_width = 0, m_height = 0;
    platform::PixelSurface m_view;
    std::unique_ptr<platform::ImageGraphics> m_graphics;
};

}  // namespace orvane
