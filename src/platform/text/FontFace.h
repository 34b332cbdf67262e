// One font file at one pixel size: its metrics, its glyphs (rendered once, grey or colour, then
// kept) and what shaping needs. Faces are shared and live for the whole run.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/text/FontResolver.h"

namespace orvane::platform {

class FontFace {
public:
    // The face of a file at an em size in pixels, with synthetic bold or slant when the file
    // lacks them; null when the file cannot be read.
    // `widthScale` stretches the glyphs horizontally (a LOGFONTW width other than the natural).
    static FontFace* get(const FontFile& file, double emPixels, bool embolden, bool oblique,
                         double widthScale = 1.0);
    ~FontFace();

    struct Metrics {
        double ascent = 0;   // above the baseline, Windows' ascent
        double descent = 0;  // below the baseline
        double externalLeading = 0;
        double averageWidth = 0;
        double maxWidth = 0;
        double underlinePosition = 0;  // below the baseline, positive down
        double underlineThickness = 1;
        double strikeoutPosition = 0;  // above the baseline
        double strikeoutThickness = 1;
        int unitsPerEm = 2048;
        double winHeightUnits = 0;  // ascent + descent in font units
    };

    struct Glyph {
        int left = 0;  // from the pen position to the bitmap's left edge
        int top = 0;   // from the baseline up to the bitmap's top edge
        int width = 0;
        int height = 0;
        bool color = false;
        std::vector<std::uint8_t> alpha;    // grey coverage, width * height, then 3 spare bytes
        std::vector<std::uint32_t> pixels;  // premultiplied BGRA for colour glyphs
        // For each row, the columns [first, last) that hold any ink, so drawing skips the rest.
        std::vector<std::pair<std::uint16_t, std::uint16_t>> ink;
    };

    const Metrics& metrics() const { return m_metrics; }
    double emPixels() const { return m_em; }
    const FontFile& file() const { return m_file; }
    std::uint32_t glyphIndex(char32_t ch);
    bool hasChar(char32_t ch) { return glyphIndex(ch) != 0; }
    // The rendered glyph, cached.
    const Glyph& glyph(std::uint32_t index);
    // The HarfBuzz font (as an opaque pointer, so that no third-party header leaks out) and the
    // factor that turns its advances (26.6 pixels) into pixels of this face.
    void* shapingFont() const;
    double shapingScale() const { return m_shapeScale; }

    // How the face shapes words of printable ASCII, learnt by the layout as it meets them: each
    // character's own glyph and advance, and for each pair of characters whether they shape side
    // by side as they do alone (no kerning, no substitution). Words with a Latin letter and
    // words without are shaped in different scripts, so each kind has its own table.
    struct PlainAscii {
        static constexpr int kFirst = 0x20, kCount = 0x7F - kFirst;
        std::uint32_t glyph[kCount] = {};
        std::int32_t advance[kCount] = {};        // whole pixels
        std::int32_t shaperAdvance[kCount] = {};  // in the shaper's units
        std::int8_t alone[kCount];                // -1 not known yet, 0 no, 1 plain
        std::int8_t pairs[kCount * kCount];       // the same for the pair (first, second)
        PlainAscii() {
            std::fill(std::begin(alone), std::end(alone), std::int8_t(-1));
            std::fill(std::begin(pairs), std::end(pairs), std::int8_t(-1));
        }
    };
    PlainAscii& plainAscii(bool latin) {
        std::unique_ptr<PlainAscii>& p = m_plainAscii[latin ? 1 : 0];
        if (!p) p = std::make_unique<PlainAscii>();
        return *p;
    }

    // Faces made so far; for tests and diagnostics.
    static std::size_t cachedFaces();
    // Drops every face and glyph. Only safe between text calls: nothing may hold a face.
    static void clearCache();
    // Bytes of rendered glyphs kept by all faces.
    static std::size_t glyphBytes();

private:
    FontFace() = default;
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    FontFile m_file;
    double m_em = 0;
    double m_shapeScale = 1.0 / 64;
    Metrics m_metrics;
    std::unique_ptr<PlainAscii> m_plainAscii[2];
};

}  // namespace orvane::platform
