#include "platform/imaging/ImageGraphics.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/imaging/BicubicResampler.h"
#include "platform/imaging/PremultipliedAlpha.h"

namespace orvane::platform {

namespace {

cairo_surface_t* wrap(const PixelSurface& surface) {
    // Cairo's ARGB32 is premultiplied 0xAARRGGBB in native order, the same as our pixels.
    return cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(surface.row(0))),
        CAIRO_FORMAT_ARGB32, surface.width(), surface.height(),
        static_cast<int>(surface.pitch() * 4));
}

cairo_filter_t filterFor(InterpolationMode mode) {
    switch (mode) {
        case InterpolationMode::NearestNeighbor:
            return CAIRO_FILTER_NEAREST;
        case InterpolationMode::HighQualityBilinear:
            return CAIRO_FILTER_GOOD;
        case InterpolationMode::HighQuality:
        case InterpolationMode::Bicubic:
        case InterpolationMode::HighQualityBicubic:
            return CAIRO_FILTER_BEST;
        default:
            return CAIRO_FILTER_BILINEAR;
    }
}

void setColour(cairo_t* cr, std::uint32_t argb) {
    cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0,
                          (argb & 0xFF) / 255.0, (argb >> 24) / 255.0);
}

// The path as cairo's current path.
void trace(cairo_t* cr, const GraphicsPath& path) {
    cairo_new_path(cr);
    for (const GraphicsPath::Figure& f : path.figures()) {
        const auto& n = f.nodes;
        for (std::size_t i = 0; i < n.size(); ++i) {
            switch (n[i].kind) {
                case GraphicsPath::Kind::Start:
                    cairo_move_to(cr, n[i].p.x, n[i].p.y);
                    break;
                case GraphicsPath::Kind::Line:
                    cairo_line_to(cr, n[i].p.x, n[i].p.y);
                    break;
                case GraphicsPath::Kind::Bezier:
                    if (i + 2 >= n.size()) break;
                    cairo_curve_to(cr, n[i].p.x, n[i].p.y, n[i + 1].p.x, n[i + 1].p.y, n[i + 2].p.x,
                                   n[i + 2].p.y);
                    i += 2;
                    break;
                case GraphicsPath::Kind::Control:
                    break;
            }
        }
        if (f.closed) cairo_close_path(cr);
    }
}

bool smooths(SmoothingMode mode) {
    return mode == SmoothingMode::AntiAlias || mode == SmoothingMode::HighQuality;
}

}  // namespace

struct ImageGraphics::Impl {
    PixelSurface& target;
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    // Made from a DC: its mapping from logical coordinates, under every transform, and a clip.
    cairo_matrix_t base;
    bool clipped = false;

    explicit Impl(PixelSurface& t) : target(t) {
        surface = wrap(t);
        cr = cairo_create(surface);
        cairo_matrix_init_identity(&base);
    }
    ~Impl() {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
};

ImageGraphics::ImageGraphics(PixelSurface& target) : m_impl(std::make_unique<Impl>(target)) {}

ImageGraphics::~ImageGraphics() = default;

std::unique_ptr<ImageGraphics> ImageGraphics::fromHdc(HDC hdc) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc || dc->isMonochrome()) return nullptr;
    PixelSurface* pixels = dc->surface();
    if (!pixels || pixels->width() <= 0 || pixels->height() <= 0) return nullptr;
    auto g = std::unique_ptr<ImageGraphics>(new ImageGraphics(*pixels));
    Impl& impl = *g->m_impl;
    // The DC's mapping (world transform, origins, mirroring) from three points, moved onto the
    // surface.
    const POINT origin = dc->surfaceOrigin();
    double x0, y0, x1, y1, x2, y2;
    dc->toDevice(0, 0, x0, y0);
    dc->toDevice(1, 0, x1, y1);
    dc->toDevice(0, 1, x2, y2);
    cairo_matrix_init(&impl.base, x1 - x0, y1 - y0, x2 - x0, y2 - y0, x0 + origin.x, y0 + origin.y);
    for (const RECT& r : dc->clipRegion().rects())
        cairo_rectangle(impl.cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_clip(impl.cr);
    impl.clipped = true;
    cairo_set_matrix(impl.cr, &impl.base);
    return g;
}

void ImageGraphics::resetTransform() {
    cairo_set_matrix(m_impl->cr, &m_impl->base);
}

void ImageGraphics::translateTransform(float dx, float dy) {
    cairo_translate(m_impl->cr, dx, dy);
}

void ImageGraphics::rotateTransform(float degrees) {
    cairo_rotate(m_impl->cr, degrees * M_PI / 180.0);
}

void ImageGraphics::scaleTransform(float sx, float sy) {
    cairo_scale(m_impl->cr, sx, sy);
}

void ImageGraphics::setTransform(const MatrixF& m) {
    const cairo_matrix_t cm{m.m11, m.m12, m.m21, m.m22, m.dx, m.dy};
    cairo_set_matrix(m_impl->cr, &m_impl->base);
    cairo_transform(m_impl->cr, &cm);
}

// Sets up cairo for a path in the colour: the compositing and smoothing, and the path itself.
void ImageGraphics::beginPath(std::uint32_t argb, const GraphicsPath& path) {
    cairo_t* cr = m_impl->cr;
    cairo_save(cr);
    cairo_set_operator(cr, m_compositing == CompositingMode::SourceCopy ? CAIRO_OPERATOR_SOURCE
                                                                        : CAIRO_OPERATOR_OVER);
    cairo_set_antialias(cr, smooths(m_smoothing) ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    setColour(cr, argb);
    trace(cr, path);
}

void ImageGraphics::fillPath(std::uint32_t argb, const GraphicsPath& path) {
    if (path.empty()) return;
    cairo_t* cr = m_impl->cr;
    beginPath(argb, path);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_flush(m_impl->surface);
}

void ImageGraphics::drawPath(std::uint32_t argb, float width, const GraphicsPath& path) {
    if (path.empty()) return;
    cairo_t* cr = m_impl->cr;
    beginPath(argb, path);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cr, 10.0);
    // A pen narrower than a device pixel still draws one pixel wide, as GDI+'s does.
    double ux = 1, uy = 0;
    cairo_user_to_device_distance(cr, &ux, &uy);
    const double unit = std::max(std::hypot(ux, uy), 1e-6);
    cairo_set_line_width(cr, std::max<double>(width, 1.0 / unit));
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_surface_flush(m_impl->surface);
}

void ImageGraphics::clear(std::uint32_t argb) {
    if (m_impl->clipped) {
        cairo_t* cr = m_impl->cr;
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        setColour(cr, argb);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_flush(m_impl->surface);
        return;
    }
    const std::uint32_t value = PremultipliedAlpha::premultiply(argb);
    PixelSurface& t = m_impl->target;
    cairo_surface_flush(m_impl->surface);
    for (int y = 0; y < t.height(); ++y)
        std::fill_n(t.row(y), t.width(), value);
    cairo_surface_mark_dirty(m_impl->surface);
}

void ImageGraphics::fillRectangle(std::uint32_t argb, const RectF& rect) {
    cairo_t* cr = m_impl->cr;
    cairo_save(cr);
    cairo_set_operator(cr, m_compositing == CompositingMode::SourceCopy ? CAIRO_OPERATOR_SOURCE
                                                                        : CAIRO_OPERATOR_OVER);
    setColour(cr, argb);
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_flush(m_impl->surface);
}

void ImageGraphics::drawImage(const PixelSurface& image, const RectF& destination,
                              const RectF& source, const ColorMatrix* matrix) {
    if (source.width <= 0 || source.height <= 0 || destination.width == 0 ||
        destination.height == 0 || image.width() <= 0 || image.height() <= 0)
        return;
    // A colour matrix works on straight colours, so the pixels the draw can reach go through it
    // first, into a copy.
    const PixelSurface* pixels = &image;
    PixelSurface filtered;
    double offsetX = source.x, offsetY = source.y;
    if (matrix && !matrix->isIdentity()) {
        const int x0 = std::clamp(static_cast<int>(std::floor(source.x)) - 2, 0, image.width());
        const int y0 = std::clamp(static_cast<int>(std::floor(source.y)) - 2, 0, image.height());
        const int x1 =
            std::clamp(static_cast<int>(std::ceil(source.x + source.width)) + 2, 0, image.width());
        const int y1 = std::clamp(static_cast<int>(std::ceil(source.y + source.height)) + 2, 0,
                                  image.height());
        if (x1 <= x0 || y1 <= y0) return;
        filtered.reset(x1 - x0, y1 - y0);
        for (int y = y0; y < y1; ++y) {
            const std::uint32_t* in = image.row(y) + x0;
            std::uint32_t* out = filtered.row(y - y0);
            for (int x = 0; x < x1 - x0; ++x)
                out[x] = PremultipliedAlpha::premultiply(
                    matrix->apply(PremultipliedAlpha::unpremultiply(in[x])));
        }
        pixels = &filtered;
        offsetX -= x0;
        offsetY -= y0;
    }

    cairo_t* cr = m_impl->cr;
    cairo_surface_t* src = wrap(*pixels);
    cairo_save(cr);
    cairo_translate(cr, destination.x, destination.y);
    cairo_scale(cr, destination.width / source.width, destination.height / source.height);
    // Cairo puts pixel centres at half coordinates, as the half and high-quality offsets do.
    // The other offsets put them at whole coordinates: the image samples half a device pixel
    // earlier, unless the draw is a plain copy that the shift would only blur.
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    const double edgeX = offsetX, edgeY = offsetY;
    const bool plainCopy = m.xx == 1 && m.yy == 1 && m.xy == 0 && m.yx == 0 &&
                           m.x0 == std::floor(m.x0) && m.y0 == std::floor(m.y0);
    if (!plainCopy && m_pixelOffset != PixelOffsetMode::Half &&
        m_pixelOffset != PixelOffsetMode::HighQuality) {
        cairo_matrix_t inverse = m;
        if (cairo_matrix_invert(&inverse) == CAIRO_STATUS_SUCCESS) {
            double hx = 0.5, hy = 0.5;
            cairo_matrix_transform_distance(&inverse, &hx, &hy);
            offsetX += 0.5 - hx;
            offsetY += 0.5 - hy;
        }
    }
    // Turned or sheared images with bicubic interpolation go through our own resampler,
    // which is several times faster than the general convolution for that case.
    const bool bicubic = m_interpolation == InterpolationMode::HighQualityBicubic ||
                         m_interpolation == InterpolationMode::HighQuality ||
                         m_interpolation == InterpolationMode::Bicubic;
    // Shrinking much needs a filter over many source pixels, which four taps are not: then
    // the general convolution draws.
    const bool shrinking = std::min(std::hypot(m.xx, m.yx), std::hypot(m.xy, m.yy)) < 0.75;
    cairo_matrix_t inverse = m;
    if (bicubic && !shrinking && (m.xy != 0 || m.yx != 0) && !m_impl->clipped &&
        m_compositing == CompositingMode::SourceOver &&
        cairo_matrix_invert(&inverse) == CAIRO_STATUS_SUCCESS) {
        cairo_restore(cr);
        cairo_surface_destroy(src);
        cairo_surface_flush(m_impl->surface);
        const BicubicResampler::Affine a{inverse.xx, inverse.xy, inverse.x0 + edgeX,
                                         inverse.yx, inverse.yy, inverse.y0 + edgeY};
        BicubicResampler::draw(m_impl->target, *pixels, a, edgeX, edgeY, edgeX + source.width,
                               edgeY + source.height, offsetX - edgeX, offsetY - edgeY);
        cairo_surface_mark_dirty(m_impl->surface);
        return;
    }
    cairo_set_source_surface(cr, src, -offsetX, -offsetY);
    cairo_pattern_t* pattern = cairo_get_source(cr);
    cairo_pattern_set_filter(pattern, filterFor(m_interpolation));
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_set_operator(cr, m_compositing == CompositingMode::SourceCopy ? CAIRO_OPERATOR_SOURCE
                                                                        : CAIRO_OPERATOR_OVER);
    cairo_rectangle(cr, 0, 0, source.width, source.height);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(src);
    cairo_surface_flush(m_impl->surface);
}

void ImageGraphics::fillRectangleWithTexture(const PixelSurface& image, const RectF& rect) {
    if (image.width() <= 0 || image.height() <= 0) return;
    cairo_t* cr = m_impl->cr;
    cairo_surface_t* src = wrap(image);
    cairo_save(cr);
    cairo_set_source_surface(cr, src, 0, 0);
    cairo_pattern_t* pattern = cairo_get_source(cr);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, filterFor(m_interpolation));
    cairo_set_operator(cr, m_compositing == CompositingMode::SourceCopy ? CAIRO_OPERATOR_SOURCE
                                                                        : CAIRO_OPERATOR_OVER);
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(src);
    cairo_surface_flush(m_impl->surface);
}

PixelSurface ImageGraphics::scaled(const PixelSurface& image, int cx, int cy) {
    if ((cx == image.width() && cy == image.height()) || cx <= 0 || cy <= 0) {
        PixelSurface copy(image.width(), image.height());
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(copy.row(y), image.row(y), image.width() * 4u);
        return copy;
    }
    PixelSurface out(cx, cy);
    ImageGraphics g(out);
    g.setInterpolationMode(InterpolationMode::HighQualityBicubic);
    g.setPixelOffsetMode(PixelOffsetMode::HighQuality);
    g.drawImage(image, {0, 0, static_cast<float>(cx), static_cast<float>(cy)},
                {0, 0, static_cast<float>(image.width()), static_cast<float>(image.height())});
    return out;
}

}  // namespace orvane::platform
