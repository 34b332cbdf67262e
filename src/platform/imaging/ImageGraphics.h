// Anti-aliased drawing on a premultiplied 32-bit surface, in the manner of the GDI+ graphics
// object: images drawn scaled, rotated or otherwise transformed with a chosen interpolation and
// pixel offset, through an optional colour matrix; solid and texture-brush fills; clearing.
// Transforms compose like GDI+'s default order: each new one applies before the earlier ones.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/gdi/PixelSurface.h"
#include "platform/imaging/ColorMatrix.h"
#include "platform/imaging/GraphicsPath.h"

namespace orvane::platform {

// The GDI+ numbers.
enum class InterpolationMode {
    Default = 0,
    LowQuality = 1,
    HighQuality = 2,
    Bilinear = 3,
    Bicubic = 4,
    NearestNeighbor = 5,
    HighQualityBilinear = 6,
    HighQualityBicubic = 7
};
enum class PixelOffsetMode { Default = 0, HighSpeed = 1, HighQuality = 2, None = 3, Half = 4 };
enum class CompositingMode { SourceOver = 0, SourceCopy = 1 };
enum class SmoothingMode { Default = 0, HighSpeed = 1, HighQuality = 2, None = 3, AntiAlias = 4 };

class ImageGraphics {
public:
    // Draws on `target` (premultiplied pixels), which must outlive this object.
    explicit ImageGraphics(PixelSurface& target);
    ~ImageGraphics();
    ImageGraphics(const ImageGraphics&) = delete;
    ImageGraphics& operator=(const ImageGraphics&) = delete;

    // Graphics drawing straight onto what `hdc` draws on (a window or a memory DC's bitmap), in
    // its logical coordinates and only where its clipping lets it, as GDI+ graphics made from a
    // device context do; null when the DC has no colour pixels to draw on.
    static std::unique_ptr<ImageGraphics> fromHdc(HDC hdc);

    // A copy of `image` (premultiplied) at cx × cy, high-quality bicubic; at its own size, or
    // for a size of zero or less, an exact copy.
    static PixelSurface scaled(const PixelSurface& image, int cx, int cy);

    void setInterpolationMode(InterpolationMode mode) { m_interpolation = mode; }
    void setPixelOffsetMode(PixelOffsetMode mode) { m_pixelOffset = mode; }
    void setCompositingMode(CompositingMode mode) { m_compositing = mode; }
    InterpolationMode interpolationMode() const { return m_interpolation; }
    // Whether paths are drawn anti-aliased: AntiAlias and HighQuality smooth the edges, the
    // others (the default) set whole pixels.
    void setSmoothingMode(SmoothingMode mode) { m_smoothing = mode; }
    SmoothingMode smoothingMode() const { return m_smoothing; }

    void resetTransform();
    void translateTransform(float dx, float dy);
    void rotateTransform(float degrees);
    void scaleTransform(float sx, float sy);
    // Replaces the transform.
    void setTransform(const MatrixF& m);

    // Every pixel becomes the colour (straight 0xAARRGGBB), within the DC's clipping for graphics
    // made from one.
    void clear(std::uint32_t argb);
    void fillRectangle(std::uint32_t argb, const RectF& rect);
    // The part `source` of `image` (premultiplied) into `destination`, through `matrix` when
    // given.
    void drawImage(const PixelSurface& image, const RectF& destination, const RectF& source,
                   const ColorMatrix* matrix = nullptr);
    // The rectangle filled with `image` repeated from the origin of the current transform.
    void fillRectangleWithTexture(const PixelSurface& image, const RectF& rect);
    // The inside of the path by the alternate rule, in the colour (straight 0xAARRGGBB).
    void fillPath(std::uint32_t argb, const GraphicsPath& path);
    // The path's outline with a pen `width` units wide (at least one pixel), centred on it,
    // with mitred joins.
    void drawPath(std::uint32_t argb, float width, const GraphicsPath& path);

private:
    void beginPath(std::uint32_t argb, const GraphicsPath& path);
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    InterpolationMode m_interpolation = InterpolationMode::Bilinear;
    PixelOffsetMode m_pixelOffset = PixelOffsetMode::Default;
    CompositingMode m_compositing = CompositingMode::SourceOver;
    SmoothingMode m_smoothing = SmoothingMode::Default;
};

}  // namespace orvane::platform
