// The built-in look as data: for each theme class its parts, and for each part its geometry
// and one entry per state. Lengths are in 96-DPI pixels and scaled when drawn; colours are
// 0xAARRGGBB, straight alpha, with alpha 0 meaning "not drawn". A new class is a new table.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace orvane::platform {

// Band: a rectangle filled edge to edge whose border is one line down its right side (the items
// of a header, divided from each other by that line).
enum class PartShape { RoundRect, Ellipse, Band };
enum class PartGlyph {
    None,
    CheckMark,
    Dash,
    Dot,
    ArrowRight,
    TriangleLeft,
    TriangleUp,
    TriangleDown,
    TriangleRight,
    // Triangles filling their whole glyph box, wider than tall: sort arrows.
    WideTriangleUp,
    WideTriangleDown,
    // Open chevrons filling their glyph box: a tree item's expand button, closed and open.
    ChevronRight,
    ChevronDown
};

struct ThemeStateLook {
    std::uint32_t fillTop;  // the fill runs from fillTop to fillBottom, top to bottom
    std::uint32_t fillBottom;
    std::uint32_t border;
    float borderWidth;
    std::uint32_t ring;  // an accent ring just inside the border (defaulted, checked radio)
    float ringWidth;
    PartGlyph glyph;
    std::uint32_t glyphColor;
};

struct ThemeMargins {
    float left, top, right, bottom;
};

struct ThemePartLook {
    int part;
    PartShape shape;
    float radius;
    // A glyph part (check box, radio button) is drawn at this size, centred in the rectangle it
    // is given; {0, 0} stretches the part over the whole rectangle.
    float glyphWidth, glyphHeight;
    ThemeMargins content;  // from the outer edge to the content, border included
    float minWidth, minHeight;
    float trueWidth, trueHeight;
    bool partiallyTransparent;
    std::span<const ThemeStateLook> states;  // states[0] is state 1

    bool hasGlyphSize() const { return glyphWidth > 0 && glyphHeight > 0; }
    int stateCount() const { return static_cast<int>(states.size()); }
};

struct ThemeClassLook {
    std::u16string_view name;  // upper case, as OpenThemeData keeps it
    std::span<const ThemePartLook> parts;

    // The part, or null when the class has no such part.
    const ThemePartLook* find(int part) const;
};

class ThemeLook {
public:
    // The look of an upper-case class name, or null for a class not drawn yet.
    static const ThemeClassLook* forClass(std::u16string_view name);
};

}  // namespace orvane::platform
