// One vector figure from a catalogue of 29, windowless and transparent over its container:
// filled and outlined anti-aliased (or not), turned about its centre, mirrored, partly
// transparent, its polygon outlines optionally curved, with a caption over it. It takes the
// mouse only where Clickable says (always while designing), raising the mouse events and
// MouseEnter and MouseLeave; elsewhere clicks reach what lies behind it.
#pragma once

#include <cstdint>
#include <string>

#include "controls/graphics/ShapeGeometry.h"
#include "framework/OwnerDrawnControl.h"
#include "framework/drawing/AlphaCanvas.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

// Its events are numbered as MouseEventNumbers says.
class ucShape : public OwnerDrawnControl, public MouseEventNumbers {
public:
    // The shape drawn when Shape changes to one that takes Shift while Shift is 0.
    static constexpr float kAutomaticShift = 20;

    ucShape();
    ~ucShape() override;
    std::u16string className() const override { return u"ucShape"; }
    // Publishes the class, its properties, methods, events and enumerations in `library`, and
    // as the form-file class "ucShape" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // The figure, 0 to 28 (veShapeConstants; see ShapeGeometry::Shape). Changing it resets a
    // Shift that was set automatically and sets Shift to 20 for shapes that take it.
    std::int32_t Shape() const { return m_shape; }
    void Shape(std::int32_t value) { setProperty(m_shape, value); }
    // The interior's colour.
    OLE_COLOR FillColor() const { return m_fillColor; }
    void FillColor(OLE_COLOR value) { setProperty(m_fillColor, value); }
    // 0 solid (the interior is filled), 1 transparent.
    std::int32_t FillStyle() const { return m_fillStyle; }
    void FillStyle(std::int32_t value) { setProperty(m_fillStyle, value); }
    // Text drawn in the middle of the control, wrapped at words.
    const std::u16string& Caption() const { return m_caption; }
    void Caption(std::u16string value) { setProperty(m_caption, std::move(value)); }
    // Whether the shape takes the mouse while the form runs.
    bool Clickable() const { return m_clickable; }
    void Clickable(bool value) { setProperty(m_clickable, value); }
    // 1 high (anti-aliased edges), 0 low (whole pixels).
    std::int32_t Quality() const { return m_quality; }
    void Quality(std::int32_t value) { setProperty(m_quality, value); }
    // The turn about the centre, counter-clockwise, kept within [0, 360).
    float RotationDegrees() const { return m_rotation; }
    void RotationDegrees(float value) { setProperty(m_rotation, value); }
    // 0 to 100 percent (clamped): the alpha of the fill and the outline.
    float Opacity() const { return m_opacity; }
    void Opacity(float value) { setProperty(m_opacity, value); }
    // The shape parameter in percent: the tip of a scalene triangle, the side points of a kite
    // or diamond, the slant of a trapezoid or parallelogram, the depth of a star, the head of an
    // arrow, the inner edge of a crescent, the bubbles of a talk.
    float Shift() const { return m_shift; }
    void Shift(float value) { setProperty(m_shift, value); }
    // The vertices of a regular polygon or star, 2 to 100 (clamped).
    std::int16_t Vertices() const { return m_vertices; }
    void Vertices(std::int16_t value) { setProperty(m_vertices, value); }
    // −100 to 100 (clamped): other than 0, polygon outlines are drawn as closed curves whose
    // tension is the factor ÷ 100 (half that when negative).
    std::int16_t CurvingFactor() const { return m_curving; }
    void CurvingFactor(std::int16_t value) { setProperty(m_curving, value); }
    // Mirrors the figure left to right.
    bool Mirrored() const { return m_mirrored; }
    void Mirrored(bool value) { setProperty(m_mirrored, value); }

    // The figure as drawn, in the control's pixels before turning and mirroring.
    ShapeGeometry::Figure figure() const;
    // The colour (0xAARRGGBB) an OLE colour is drawn in at the current Opacity.
    std::uint32_t argbOf(OLE_COLOR color) const;
    // The Shift the last shape change put automatically (0 when none).
    float shiftPutAutomatically() const { return m_shiftAuto; }

protected:
    const PropertyTable& properties() const override { return table(); }
    void layout() override;
    void Paint() override;
    // Hover is tracked for MouseEnter and MouseLeave, but changes nothing drawn.
    void stateChanged(StateChange) override {}
    void HitTest(double x, double y, HitResult& result) override;
    void Terminate() override;

private:
    // What the kept picture of the figure was drawn from: when it differs, the figure is drawn
    // again.
    struct Look {
        int width = 0, height = 0, margin = 0;
        std::int32_t shape = 0;
        float shift = 0;
        std::int16_t vertices = 0, curving = 0;
        float rotation = 0, opacity = 0, pen = 0;
        bool mirrored = false, fill = false, outline = false, smooth = false;
        std::uint32_t fillArgb = 0, borderArgb = 0;
        bool operator==(const Look&) const = default;
    };
    Look currentLook(int width, int height) const;
    // Fills and outlines the figure as `look` says, moved right and down by `offset` pixels.
    void drawFigure(platform::ImageGraphics& g, const Look& look, float offset) const;
    static PropertyTable declare();
    static const PropertyTable& table();
    void shapeChanged(std::int32_t before);
    // Device pixels from figure points: offset by half a pixel (points are pixel centres),
    // turned about the centre and mirrored.
    platform::MatrixF placement() const;
    // How far past its rectangle the figure's outline reaches, in whole pixels.
    int overhang(const ShapeGeometry::Figure& f) const;

    std::int32_t m_shape = ShapeGeometry::Rectangle;
    std::int32_t m_shapeBefore = ShapeGeometry::Rectangle;
    OLE_COLOR m_fillColor = 0x8000000F;
    std::int32_t m_fillStyle = 1;
    std::u16string m_caption;
    bool m_clickable = true;
    std::int32_t m_quality = 1;
    float m_rotation = 0;
    float m_opacity = 100;
    float m_shift = 0;
    float m_shiftAuto = 0;
    std::int16_t m_vertices = 5;
    std::int16_t m_curving = 0;
    bool m_mirrored = false;
    AlphaCanvas m_canvas;  // the figure's picture, with its margin
    Look m_look;           // what it shows
    bool m_cached = false;
};

}  // namespace orvane
