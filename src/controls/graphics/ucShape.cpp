#include "controls/graphics/ucShape.h"

#include <algorithm>
#include <cmath>

#include "framework/ColorsAndFonts.h"
#include "framework/GdiDrawing.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"
#include "host/TypeLibrary.h"
#include "platform/imaging/ImageGraphics.h"

namespace orvane {

using namespace platform;

namespace {

constexpr double kPi = 3.14159265358979323846;
// The widest margin a shape may draw beyond its rectangle, in pixels.
constexpr int kMaxOverdraw = 4096;
// The largest picture of a figure kept between paints (16 MB).
constexpr std::int64_t kMaxCachedPixels = 4 << 20;

bool finite(const float& v) {
    return std::isfinite(v);
}

}  // namespace

ucShape::ucShape() : OwnerDrawnControl(StandardEvents::of<ucShape>()) {
    Windowless(true);
}

ucShape::~ucShape() = default;

PropertyTable ucShape::declare() {
    using T = ucShape;
    PropertyTable t;
    declareCommon<T>(t);
    // The state colours, Appearance, ForeColor and Enabled stay inside: a shape has no looks
    // of its own for them.
    for (const char16_t* name : {u"BackColorHot", u"BackColorPressed", u"BorderColorHot",
                                 u"BorderColorPressed", u"ForeColor"})
        t.redeclare<T, OLE_COLOR>(name).hidden().notPersisted();
    t.redeclare<T, AppearanceEnum>(u"Appearance").hidden().notPersisted();
    t.redeclare<T, bool>(u"Enabled").hidden().notPersisted();
    t.redeclare<T, OLE_COLOR>(u"BackColor").defaults(0x8000000F, 0x8000000F);
    t.redeclare<T, OLE_COLOR>(u"BorderColor").defaults(0, 0);
    // An outline of any 16-bit width draws.
    t.redeclare<T, std::int32_t>(u"Borderwidth").check([](const std::int32_t& v) {
        return v >= 0 && v <= 32767;
    });
    t.add<T>(u"Caption", &T::m_caption, std::u16string(), std::u16string());
    t.add<T>(u"Shape", &T::m_shape, std::int32_t{0}, std::int32_t{0})
        .check([](const std::int32_t& v) { return v >= 0 && v < ShapeGeometry::Count; })
        .guard([](T& c, const std::int32_t&) { c.m_shapeBefore = c.m_shape; })
        .then([](T& c) { c.shapeChanged(c.m_shapeBefore); })
        .relayout();
    t.add<T>(u"FillColor", &T::m_fillColor, OLE_COLOR{0x8000000F}, OLE_COLOR{0x8000000F});
    t.add<T>(u"FillStyle", &T::m_fillStyle, std::int32_t{1}, std::int32_t{1})
        .check([](const std::int32_t& v) { return v == 0 || v == 1; });
    t.add<T>(u"Clickable", &T::m_clickable, true, true).noRedraw();
    t.add<T>(u"Quality", &T::m_quality, std::int32_t{1}, std::int32_t{1})
        .check([](const std::int32_t& v) { return v == 0 || v == 1; });
    t.add<T>(u"RotationDegrees", &T::m_rotation, 0.0f, 0.0f)
        .normalize([](const float& v) {
            if (!std::isfinite(v)) return v;
            const float r = std::fmod(v, 360.0f);
            return r < 0 ? r + 360.0f : r;
        })
        .check(finite)
        .relayout();
    t.add<T>(u"Opacity", &T::m_opacity, 100.0f, 100.0f)
        .normalize(
            [](const float& v) { return std::isfinite(v) ? std::clamp(v, 0.0f, 100.0f) : v; })
        .check(finite);
    t.add<T>(u"Shift", &T::m_shift, 0.0f, 0.0f).check(finite).relayout();
    t.add<T>(u"ShiftPutAutomatically", &T::m_shiftAuto, 0.0f, 0.0f).hidden().check(finite);
    t.add<T>(u"Vertices", &T::m_vertices, std::int16_t{5}, std::int16_t{5})
        .normalize([](const std::int16_t& v) { return std::clamp<std::int16_t>(v, 2, 100); })
        .relayout();
    t.add<T>(u"CurvingFactor", &T::m_curving, std::int16_t{0}, std::int16_t{0})
        .normalize([](const std::int16_t& v) { return std::clamp<std::int16_t>(v, -100, 100); })
        .relayout();
    t.add<T>(u"Mirrored", &T::m_mirrored, false, false).relayout();
    declarePointer<T>(t);
    return t;
}

const PropertyTable& ucShape::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucShape::registerClass(TypeLibrary& library, ControlClasses& classes) {
    library.registerEnum({u"veShapeConstants",
                          {{u"veShapeRectangle", 0},
                           {u"veShapeSquare", 1},
                           {u"veShapeOval", 2},
                           {u"veShapeCircle", 3},
                           {u"veShapeRoundedRectangle", 4},
                           {u"veShapeRoundedSquare", 5},
                           {u"veShapeTriangleEquilateral", 6},
                           {u"veShapeTriangleIsosceles", 7},
                           {u"veShapeTriangleScalene", 8},
                           {u"veShapeTriangleRight", 9},
                           {u"veShapeRhombus", 10},
                           {u"veShapeKite", 11},
                           {u"veShapeDiamond", 12},
                           {u"veShapeTrapezoid", 13},
                           {u"veShapeParalellogram", 14},
                           {u"veShapeSemicircle", 15},
                           {u"veShapeRegularPolygon", 16},
                           {u"veShapeStar", 17},
                           {u"veShapeJaggedStar", 18},
                           {u"veShapeHeart", 19},
                           {u"veShapeArrow", 20},
                           {u"veShapeCrescent", 21},
                           {u"veShapeDrop", 22},
                           {u"veShapeEgg", 23},
                           {u"veShapeLocation", 24},
                           {u"veShapeSpeaker", 25},
                           {u"veShapeCloud", 26},
                           {u"veShapeTalk", 27},
                           {u"veShapeShield", 28}}});
    library.registerEnum({u"veBackStyleConstants", {{u"veTransparent", 0}, {u"veOpaque", 1}}});
    library.registerEnum(
        {u"veBorderStyle2Constants", {{u"veBSTransparent", 0}, {u"veBSSolid", 1}}});
    library.registerEnum({u"veFillStyle2Constants", {{u"veFSSolid", 0}, {u"veFSTransparent", 1}}});
    library.registerEnum({u"veQualityConstants", {{u"veQualityLow", 0}, {u"veQualityHigh", 1}}});
    publishControl<ucShape>(library, classes, u"ucShape", table(), false);
}

// A Shift the last change put automatically goes with the shape that wanted it; a shape that
// takes Shift starts from 20.
void ucShape::shapeChanged(std::int32_t before) {
    if (ShapeGeometry::usesShift(before) && m_shift == m_shiftAuto) {
        m_shift = 0;
        m_shiftAuto = 0;
    }
    if (ShapeGeometry::usesShift(m_shape) && m_shift == 0) {
        m_shift = kAutomaticShift;
        m_shiftAuto = kAutomaticShift;
    }
}

std::uint32_t ucShape::argbOf(OLE_COLOR color) const {
    const auto alpha = static_cast<std::uint32_t>(std::nearbyint(m_opacity / 100.0 * 255.0));
    return alpha << 24 | PixelSurface::fromColor(TranslateColor(color));
}

ShapeGeometry::Figure ucShape::figure() const {
    ShapeGeometry::Input in;
    in.shape = m_shape;
    in.width = std::max(0.0f, std::nearbyint(static_cast<float>(ScaleWidth()) - 1));
    in.height = std::max(0.0f, std::nearbyint(static_cast<float>(ScaleHeight()) - 1));
    in.shift = m_shift;
    in.vertices = m_vertices;
    in.tension = ShapeGeometry::tensionFor(m_curving);
    return ShapeGeometry::figure(in);
}

MatrixF ucShape::placement() const {
    // Figure points are pixel centres; the turn is counter-clockwise on the screen, about the
    // middle of the pixel box.
    const float cx = static_cast<float>((ScaleWidth() - 1) / 2);
    const float cy = static_cast<float>((ScaleHeight() - 1) / 2);
    const double a = -m_rotation * kPi / 180.0;
    const float c = static_cast<float>(std::cos(a)), s = static_cast<float>(std::sin(a));
    const float mx = m_mirrored ? -1.0f : 1.0f;
    // p' = R · M · (p − centre) + centre + ½.
    MatrixF m;
    m.m11 = c * mx;
    m.m12 = s * mx;
    m.m21 = -s;
    m.m22 = c;
    m.dx = cx - (m.m11 * cx + m.m21 * cy) + 0.5f;
    m.dy = cy - (m.m12 * cx + m.m22 * cy) + 0.5f;
    return m;
}

int ucShape::overhang(const ShapeGeometry::Figure& f) const {
    if (f.path.empty()) return 0;
    const float pen = m_borderStyle == BorderStyleEnum::FixedSingle
                          ? std::max(1.0f, static_cast<float>(m_borderWidth)) / 2 * f.miterFactor
                          : 0.0f;
    const RectF b = f.path.bounds(placement());
    const float w = static_cast<float>(ScaleWidth()), h = static_cast<float>(ScaleHeight());
    const float beyond = std::max({-b.x, -b.y, b.x + b.width - w, b.y + b.height - h, 0.0f});
    return std::min(kMaxOverdraw, static_cast<int>(std::ceil(beyond + pen)) + 1);
}

// The margin the outline and a turned figure need beyond the rectangle is kept as the overdraw,
// so the container repaints it with the shape.
void ucShape::layout() {
    Overdraw(overhang(figure()));
}

ucShape::Look ucShape::currentLook(int w, int h) const {
    Look k;
    k.width = w;
    k.height = h;
    k.margin = Overdraw();
    k.shape = m_shape;
    k.shift = m_shift;
    k.vertices = m_vertices;
    k.curving = m_curving;
    k.rotation = m_rotation;
    k.opacity = m_opacity;
    k.mirrored = m_mirrored;
    k.fill = m_fillStyle == 0;
    k.outline = m_borderStyle == BorderStyleEnum::FixedSingle;
    k.smooth = m_quality == 1;
    k.pen = std::max(1.0f, static_cast<float>(m_borderWidth));
    // Translated now, so that a changed system colour draws anew.
    k.fillArgb = argbOf(m_fillColor);
    k.borderArgb = argbOf(m_borderColor);
    return k;
}

void ucShape::drawFigure(ImageGraphics& g, const Look& look, float offset) const {
    const ShapeGeometry::Figure f = figure();
    if (f.path.empty()) return;
    MatrixF m = placement();
    m.dx += offset;
    m.dy += offset;
    g.setTransform(m);
    g.setSmoothingMode(look.smooth ? SmoothingMode::AntiAlias : SmoothingMode::HighSpeed);
    if (look.fill) g.fillPath(look.fillArgb, f.path);
    if (look.outline) g.drawPath(look.borderArgb, look.pen, f.path);
}

void ucShape::Paint() {
    const HDC dc = hDC();
    const int w = static_cast<int>(ScaleWidth()), h = static_cast<int>(ScaleHeight());
    if (!dc || w <= 0 || h <= 0) return;
    if (m_backStyle == BackStyleEnum::bsOpaque) FillSolid(dc, m_backColor, RECT{0, 0, w, h});

    const Look look = currentLook(w, h);
    if ((look.fill || look.outline) && look.opacity > 0) {
        // The figure is drawn once into a picture with its margin, which each paint blends
        // onto the container; a figure too large to keep is drawn straight onto the DC.
        const int cw = w + 2 * look.margin, ch = h + 2 * look.margin;
        if (static_cast<std::int64_t>(cw) * ch <= kMaxCachedPixels) {
            if (!m_cached || !(look == m_look)) {
                drawFigure(m_canvas.begin(cw, ch, u"ucShape"), look,
                           static_cast<float>(look.margin));
                m_look = look;
                m_cached = true;
            }
            m_canvas.blendTo(dc, -look.margin, -look.margin, 255);
        } else if (const auto g = ImageGraphics::fromHdc(dc)) {
            drawFigure(*g, look, 0);
        }
    }

    if (!m_caption.empty()) {
        // The wrapped caption, measured, then centred on the control.
        const UINT flags = DT_CENTER | DT_WORDBREAK;
        const SIZE size = measureText(m_caption, flags, w);
        const int x = (w - size.cx) / 2, y = (h - size.cy) / 2;
        drawCaption(dc, m_caption, m_foreColor, flags, RECT{x, y, x + size.cx, y + size.cy});
    }
}

void ucShape::HitTest(double x, double y, HitResult& result) {
    if (x < 0 || y < 0 || x >= ScaleWidth() || y >= ScaleHeight()) return;
    // While the form runs, a shape that is not clickable lets the mouse through.
    result = !userMode() || m_clickable ? HitResult::Hit : HitResult::Outside;
}

void ucShape::Terminate() {
    OwnerDrawnControl::Terminate();
    m_canvas.release();
    m_cached = false;
}

}  // namespace orvane
