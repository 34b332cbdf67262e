// One line of text shaped for drawing and measuring: characters grouped into grapheme
// clusters (never split), each drawn by a face that has it, put in visual order by the
// bidirectional algorithm and shaped (ligatures, kerning, marks, joining, reordering).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include <utility>

#include "platform/text/RealizedFont.h"

namespace orvane::platform {

class TextLayout {
public:
    struct Glyph {
        FontFace* face = nullptr;
        std::uint32_t index = 0;
        std::uint32_t cluster = 0;  // the first UTF-16 unit of its cluster
        double x = 0;               // pen position of the glyph from the line's left end, in pixels
        double pen = 0;             // the same without the glyph's own offset
        double y = 0;               // offset from the baseline, positive down
    };

    // Lays out text with a font; `rtl` sets right-to-left reading; `extra` pixels are added
    // after each character cluster (SetTextCharacterExtra).
    TextLayout(RealizedFont& font, std::u16string_view text, bool rtl, int extra);
    ~TextLayout();
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    const std::vector<Glyph>& glyphs() const { return m_glyphs; }
    double width() const { return m_width; }
    // The advance each UTF-16 unit contributes, in logical order (a cluster's whole advance
    // goes to its first unit). Sums to width().
    const std::vector<double>& advances() const { return m_advances; }
    // Where the cluster holding UTF-16 unit `index` shows: its left edge from the line's left
    // end and its width, in visual order.
    std::pair<double, double> span(std::size_t index) const;

    // The whole line's grey coverage as one glyph bitmap, placed from the line's left end and
    // its baseline: built on first use and kept with the layout, so a line drawn again blends
    // one bitmap instead of looking up and blending each glyph. Null when a glyph has colour or
    // the line (or all lines kept so far) would take too much memory.
    const FontFace::Glyph* coverage() const;

    // The layout of a line, shared from a cache of recently used lines: texts drawn and
    // measured again and again are laid out once.
    static std::shared_ptr<const TextLayout> shaped(RealizedFont& font, std::u16string_view text,
                                                    bool rtl, int extra);
    // The width of a text, from the same cache.
    static double measure(RealizedFont& font, std::u16string_view text, int extra);
    // Forgets every measurement (their keys name fonts that may be gone).
    static void clearCache();
    static void clearWordCache();

private:
    // Lays the text out into this layout, replacing what it held; the containers keep their
    // memory, so a layout the line cache reuses costs no allocation.
    void layOut(RealizedFont& font, std::u16string_view text, bool rtl, int extra);
    void shapeRun(RealizedFont& font, std::u16string_view all, std::size_t start,
                  std::size_t length, bool rtl, int extra);
    std::vector<Glyph> m_glyphs;
    std::vector<double> m_advances;
    double m_width = 0;
    double m_pen = 0;
    mutable std::unique_ptr<FontFace::Glyph> m_coverage;
    mutable bool m_coverageTried = false;
    mutable int m_draws = 0;  // draws asked for the coverage before it was built
};

// Rounds a pixel position without a library call: positions are rarely negative.
inline int roundPosition(double v) {
    return static_cast<int>(v >= 0 ? v + 0.5 : v - 0.5);
}

}  // namespace orvane::platform
