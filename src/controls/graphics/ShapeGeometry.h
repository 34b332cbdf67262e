// The outlines of the shape catalogue: each figure as a path in pixels inside a W × H box (origin
// top left, the far edges at W and H), with the parameters the shapes take: Shift (percent),
// the vertex count of polygons and stars, and the tension that curves polygon outlines.
#pragma once

#include <cstdint>

#include "platform/imaging/GraphicsPath.h"

namespace orvane {

class ShapeGeometry {
public:
    // The catalogue, numbered as published.
    enum Shape : std::int32_t {
        Rectangle = 0,
        Square,
        Oval,
        Circle,
        RoundedRectangle,
        RoundedSquare,
        TriangleEquilateral,
        TriangleIsosceles,
        TriangleScalene,
        TriangleRight,
        Rhombus,
        Kite,
        Diamond,
        Trapezoid,
        Paralellogram,
        Semicircle,
        RegularPolygon,
        Star,
        JaggedStar,
        Heart,
        Arrow,
        Crescent,
        Drop,
        Egg,
        Location,
        Speaker,
        Cloud,
        Talk,
        Shield,
        Count  // how many shapes there are
    };

    // What a figure is made from.
    struct Input {
        std::int32_t shape = Rectangle;  // which figure
        float width = 0;                 // W: the box's width less one pixel
        float height = 0;                // H: its height less one pixel
        float shift = 0;                 // Shift, percent
        std::int32_t vertices = 5;       // of a regular polygon or star, 2 to 100
        float tension = 0;  // 0 draws polygons straight; otherwise as closed cardinal splines
    };
    // A figure as drawn: its outline and how far a wide pen's corners reach.
    struct Figure {
        platform::GraphicsPath path;  // the outline, filled by the alternate rule
        // The sharpest corner's miter factor: how far beyond a corner, in half pen widths, its
        // join reaches (1 without corners, at most the miter limit 10).
        float miterFactor = 1;
    };

    // The figure for `in`.
    static Figure figure(const Input& in);
    // Whether the shape takes Shift: scalene triangle, kite, diamond, trapezoid,
    // parallelogram, star, jagged star, arrow, crescent and talk.
    static bool usesShift(std::int32_t shape);
    // The tension a CurvingFactor gives: factor / 100 when positive, half that when negative.
    static float tensionFor(std::int32_t curvingFactor);
};

}  // namespace orvane
