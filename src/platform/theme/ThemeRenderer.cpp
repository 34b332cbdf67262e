#include "platform/theme/ThemeRenderer.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace orvane::platform {

namespace {

bool visible(std::uint32_t argb) {
    return (argb >> 24) != 0;
}

void setColour(cairo_t* cr, std::uint32_t argb) {
    cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0,
                          (argb & 0xFF) / 255.0, (argb >> 24) / 255.0);
}

void addStop(cairo_pattern_t* pattern, double offset, std::uint32_t argb) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, ((argb >> 16) & 0xFF) / 255.0,
                                      ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                                      (argb >> 24) / 255.0);
}

// The state's fill: one colour, or a gradient from top to bottom over height h.
void setFill(cairo_t* cr, const ThemeStateLook& state, double h) {
    if (state.fillTop == state.fillBottom) {
        setColour(cr, state.fillTop);
        return;
    }
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, h);
    addStop(gradient, 0, state.fillTop);
    addStop(gradient, 1, state.fillBottom);
    cairo_set_source(cr, gradient);
    cairo_pattern_destroy(gradient);
}

// The outline of the part inset by `inset` pixels from its w × h box.
void outline(cairo_t* cr, const ThemePartLook& part, double w, double h, double radius,
             double inset) {
    const double x = inset, y = inset, iw = w - 2 * inset, ih = h - 2 * inset;
    if (iw <= 0 || ih <= 0) return;
    cairo_new_sub_path(cr);
    if (part.shape == PartShape::Ellipse) {
        cairo_save(cr);
        cairo_translate(cr, x + iw / 2, y + ih / 2);
        cairo_scale(cr, iw / 2, ih / 2);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        return;
    }
    const double r = std::clamp(radius - inset, 0.0, std::min(iw, ih) / 2);
    if (r <= 0) {
        cairo_rectangle(cr, x, y, iw, ih);
        return;
    }
    cairo_arc(cr, x + iw - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + iw - r, y + ih - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + ih - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// Strokes are whole pixels wide so that, centred on half pixels, their edges stay crisp.
double strokeWidth(float width, double scale) {
    return width <= 0 ? 0 : std::max(1.0, std::floor(width * scale));
}

void drawGlyph(cairo_t* cr, PartGlyph glyph, std::uint32_t colour, double w, double h,
               double scale) {
    if (glyph == PartGlyph::None || !visible(colour)) return;
    setColour(cr, colour);
    const double side = std::min(w, h);
    const double x0 = (w - side) / 2, y0 = (h - side) / 2;
    switch (glyph) {
        case PartGlyph::CheckMark:
            cairo_set_line_width(cr, 1.75 * scale);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_move_to(cr, x0 + side * 0.25, y0 + side * 0.52);
            cairo_line_to(cr, x0 + side * 0.43, y0 + side * 0.70);
            cairo_line_to(cr, x0 + side * 0.76, y0 + side * 0.32);
            cairo_stroke(cr);
            break;
        case PartGlyph::Dash: {
            // Snapped to whole pixels: a crisp bar through the middle.
            const double thickness = std::max(1.0, std::round(2 * scale));
            const double left = std::round(x0 + side * 0.25), right = std::round(x0 + side * 0.75);
            const double top = std::round((h - thickness) / 2);
            cairo_rectangle(cr, left, top, right - left, thickness);
            cairo_fill(cr);
            break;
        }
        case PartGlyph::Dot:
            cairo_arc(cr, w / 2, h / 2, side * 0.19, 0, 2 * M_PI);
            cairo_fill(cr);
            break;
        case PartGlyph::ArrowRight: {
            // A small chevron pointing right, as submenu arrows are drawn.
            cairo_set_line_width(cr, 1.0 * scale);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
            cairo_move_to(cr, x0 + side * 0.40, y0 + side * 0.25);
            cairo_line_to(cr, x0 + side * 0.62, y0 + side * 0.50);
            cairo_line_to(cr, x0 + side * 0.40, y0 + side * 0.75);
            cairo_stroke(cr);
            break;
        }
        case PartGlyph::ChevronRight:
        case PartGlyph::ChevronDown: {
            // Two strokes meeting at a point, crisp on half pixels.
            cairo_set_line_width(cr, std::max(1.0, std::floor(1.0 * scale)));
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
            const double lo = std::round(side * 0.25) + 0.5, hi = std::round(side * 0.75) - 0.5;
            const double mid = std::round(side * 0.5) - 0.5;
            const double reach = std::round(side * 0.25);
            if (glyph == PartGlyph::ChevronRight) {
                cairo_move_to(cr, x0 + mid - reach / 2, y0 + lo);
                cairo_line_to(cr, x0 + mid + reach / 2, y0 + mid);
                cairo_line_to(cr, x0 + mid - reach / 2, y0 + hi);
            } else {
                cairo_move_to(cr, x0 + lo, y0 + mid - reach / 2);
                cairo_line_to(cr, x0 + mid, y0 + mid + reach / 2);
                cairo_line_to(cr, x0 + hi, y0 + mid - reach / 2);
            }
            cairo_stroke(cr);
            break;
        }
        case PartGlyph::TriangleLeft:
        case PartGlyph::TriangleUp:
        case PartGlyph::TriangleDown:
        case PartGlyph::TriangleRight: {
            // A small filled triangle, as spin buttons show: pointing up, then turned.
            const double half = std::max(2.0, std::round(side * 0.22));
            const double cx = std::round(w / 2), cy = std::round(h / 2);
            const double turn = glyph == PartGlyph::TriangleUp     ? 0
                                : glyph == PartGlyph::TriangleDown ? M_PI
                                : glyph == PartGlyph::TriangleLeft ? -M_PI / 2
                                                                   : M_PI / 2;
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_rotate(cr, turn);
            cairo_move_to(cr, -half, half / 2);
            cairo_line_to(cr, half, half / 2);
            cairo_line_to(cr, 0, -half / 2);
            cairo_close_path(cr);
            cairo_fill(cr);
            cairo_restore(cr);
            break;
        }
        case PartGlyph::WideTriangleUp:
        case PartGlyph::WideTriangleDown: {
            // Corners on whole pixels, so the flat side is one crisp row.
            const double left = 0, right = std::round(w), top = 0, bottom = std::round(h);
            const bool up = glyph == PartGlyph::WideTriangleUp;
            cairo_move_to(cr, left, up ? bottom : top);
            cairo_line_to(cr, right, up ? bottom : top);
            cairo_line_to(cr, (left + right) / 2, up ? top : bottom);
            cairo_close_path(cr);
            cairo_fill(cr);
            break;
        }
        case PartGlyph::None:
            break;
    }
}

// A band: filled edge to edge, its border a line down the right side.
void drawBand(cairo_t* cr, const ThemeStateLook& state, double w, double h, double border) {
    if (visible(state.fillTop) || visible(state.fillBottom)) {
        cairo_rectangle(cr, 0, 0, w, h);
        setFill(cr, state, h);
        cairo_fill(cr);
    }
    if (border > 0) {
        cairo_rectangle(cr, w - border, 0, border, h);
        setColour(cr, state.border);
        cairo_fill(cr);
    }
}

}  // namespace

int ThemeRenderer::scaled(float length, int dpi) {
    return static_cast<int>(std::floor(length * dpi / 96.0 + 0.5));
}

void ThemeRenderer::render(const ThemePartLook& part, const ThemeStateLook& state, int width,
                           int height, int dpi, PixelSurface& target, int originX, int originY) {
    if (width <= 0 || height <= 0 || target.width() <= 0 || target.height() <= 0) return;
    // Cairo's ARGB32 is premultiplied 0xAARRGGBB in native order, the same as our pixels.
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(target.row(0)), CAIRO_FORMAT_ARGB32, target.width(),
        target.height(), static_cast<int>(target.pitch() * 4));
    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, -originX, -originY);

    const double scale = dpi / 96.0;
    const double w = width, h = height;
    const double radius = part.radius * scale;
    const double border = visible(state.border) ? strokeWidth(state.borderWidth, scale) : 0;

    if (part.shape == PartShape::Band) {
        drawBand(cr, state, w, h, border);
    } else {
        // The fill reaches the middle of the border, which then covers its edge.
        if (visible(state.fillTop) || visible(state.fillBottom)) {
            outline(cr, part, w, h, radius, border / 2);
            setFill(cr, state, h);
            cairo_fill(cr);
        }
        if (border > 0) {
            outline(cr, part, w, h, radius, border / 2);
            setColour(cr, state.border);
            cairo_set_line_width(cr, border);
            cairo_stroke(cr);
        }
        if (visible(state.ring)) {
            const double ring = strokeWidth(state.ringWidth, scale);
            outline(cr, part, w, h, radius, border + ring / 2);
            setColour(cr, state.ring);
            cairo_set_line_width(cr, ring);
            cairo_stroke(cr);
        }
    }
    drawGlyph(cr, state.glyph, state.glyphColor, w, h, scale);

    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
}

}  // namespace orvane::platform
