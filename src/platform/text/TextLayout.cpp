#include "platform/text/TextLayout.h"

#include <hb.h>
#include <unicode/ubidi.h>
#include <unicode/ubrk.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cmath>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

namespace orvane::platform {

namespace {

// The code point at i, with unpaired surrogates read as U+FFFD.
char32_t codePointAt(std::u16string_view s, std::size_t i, std::size_t& length) {
    const char16_t c = s[i];
    length = 1;
    if (U16_IS_LEAD(c) && i + 1 < s.size() && U16_IS_TRAIL(s[i + 1])) {
        length = 2;
        return U16_GET_SUPPLEMENTARY(c, s[i + 1]);
    }
    if (U16_IS_SURROGATE(c)) return 0xFFFD;
    return c;
}

// Characters that join their neighbours rather than stand alone: they take the face of the
// cluster they sit in.
bool isJoiner(char32_t c) {
    return c == 0x200D || c == 0x200C || (c >= 0xFE00 && c <= 0xFE0F) ||
           (c >= 0xE0100 && c <= 0xE01EF) || (c >= 0x1F3FB && c <= 0x1F3FF);
}

// Grapheme cluster boundaries of the text, from ICU, with a fallback of one code point each.
std::vector<std::size_t> clusterBreaks(std::u16string_view text) {
    std::vector<std::size_t> breaks;
    UErrorCode status = U_ZERO_ERROR;
    static UBreakIterator* iterator = ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status);
    status = U_ZERO_ERROR;
    if (iterator) {
        ubrk_setText(iterator, reinterpret_cast<const UChar*>(text.data()),
                     static_cast<int32_t>(text.size()), &status);
    }
    if (iterator && U_SUCCESS(status)) {
        for (int32_t b = ubrk_first(iterator); b != UBRK_DONE; b = ubrk_next(iterator))
            breaks.push_back(b);
    } else {
        for (std::size_t i = 0; i <= text.size(); ++i)
            breaks.push_back(i);
    }
    if (breaks.empty() || breaks.back() != text.size()) breaks.push_back(text.size());
    return breaks;
}

}  // namespace

TextLayout::TextLayout(RealizedFont& font, std::u16string_view text, bool rtl, int extra) {
    m_advances.assign(text.size(), 0.0);
    if (text.empty()) return;
    // Bidirectional runs in visual order; plain left-to-right text skips the algorithm.
    bool needsBidi = rtl;
    for (std::size_t i = 0; i < text.size() && !needsBidi; ++i)
        needsBidi = text[i] >= 0x0590;
    if (!needsBidi) {
        shapeRun(font, text, 0, text.size(), false, extra);
    } else {
        UErrorCode status = U_ZERO_ERROR;
        UBiDi* bidi = ubidi_openSized(static_cast<int32_t>(text.size()), 0, &status);
        ubidi_setPara(bidi, reinterpret_cast<const UChar*>(text.data()),
                      static_cast<int32_t>(text.size()), rtl ? UBIDI_RTL : UBIDI_DEFAULT_LTR,
                      nullptr, &status);
        const int32_t runs = U_SUCCESS(status) ? ubidi_countRuns(bidi, &status) : 0;
        if (U_SUCCESS(status) && runs > 0) {
            for (int32_t r = 0; r < runs; ++r) {
                int32_t start = 0, length = 0;
                const UBiDiDirection dir = ubidi_getVisualRun(bidi, r, &start, &length);
                shapeRun(font, text, static_cast<std::size_t>(start),
                         static_cast<std::size_t>(length), dir == UBIDI_RTL, extra);
            }
        } else {
            shapeRun(font, text, 0, text.size(), rtl, extra);
        }
        ubidi_close(bidi);
    }
    m_width = m_pen;
}

void TextLayout::shapeRun(RealizedFont& font, std::u16string_view all, std::size_t start,
                          std::size_t length, bool rtl, int extra) {
    const std::u16string_view run = all.substr(start, length);
    const std::vector<std::size_t> breaks = clusterBreaks(run);
    // Split the run where the face changes; a cluster takes the face of its first character
    // that is not a joiner, or of its first character.
    struct Piece {
        std::size_t begin, end;
        FontFace* face;
    };
    std::vector<Piece> pieces;
    for (std::size_t b = 0; b + 1 < breaks.size(); ++b) {
        const std::size_t cb = breaks[b], ce = breaks[b + 1];
        FontFace* face = font.primary();
        for (std::size_t i = cb; i < ce;) {
            std::size_t len;
            const char32_t c = codePointAt(run, i, len);
            if (!isJoiner(c)) {
                face = font.faceFor(c);
                break;
            }
            i += len;
        }
        if (!pieces.empty() && pieces.back().face == face)
            pieces.back().end = ce;
        else
            pieces.push_back(Piece{cb, ce, face});
    }
    if (rtl) std::reverse(pieces.begin(), pieces.end());

    hb_buffer_t* buffer = hb_buffer_create();
    for (const Piece& p : pieces) {
        if (!p.face) continue;
        hb_buffer_clear_contents(buffer);
        // The whole text is context for shaping (joining across pieces), but only the piece is
        // shaped.
        hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(all.data()),
                            static_cast<int>(all.size()), static_cast<unsigned>(start + p.begin),
                            static_cast<int>(p.end - p.begin));
        hb_buffer_set_direction(buffer, rtl ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
        hb_buffer_guess_segment_properties(buffer);
        hb_shape(static_cast<hb_font_t*>(p.face->shapingFont()), buffer, nullptr, 0);
        unsigned count = 0;
        const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
        const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
        const double scale = p.face->shapingScale();
        for (unsigned g = 0; g < count; ++g) {
            const std::uint32_t cluster = info[g].cluster;
            Glyph out;
            out.face = p.face;
            out.index = info[g].codepoint;
            out.x = m_pen + std::round(pos[g].x_offset * scale);
            out.y = -pos[g].y_offset * scale;
            out.cluster = cluster;
            m_glyphs.push_back(out);
            // Advances are whole pixels, glyph by glyph, as GDI lays text out.
            double advance = std::round(pos[g].x_advance * scale);
            // Character extra goes after each cluster, where the cluster ends.
            const bool endsCluster = g + 1 == count || info[g + 1].cluster != cluster;
            if (endsCluster && extra) advance += extra;
            m_pen += advance;
            if (cluster < m_advances.size()) m_advances[cluster] += advance;
        }
    }
    hb_buffer_destroy(buffer);
}

namespace {

struct Measured {
    std::u16string key;
    double width;
};

struct MeasureCache {
    std::list<Measured> recent;
    std::unordered_map<std::u16string, std::list<Measured>::iterator> index;
};

MeasureCache& measureCache() {
    static MeasureCache c;
    return c;
}

}  // namespace

void TextLayout::clearCache() {
    measureCache().recent.clear();
    measureCache().index.clear();
}

double TextLayout::measure(RealizedFont& font, std::u16string_view text, int extra) {
    // A small cache of recent measurements: controls measure the same captions repeatedly.
    constexpr std::size_t kCapacity = 1024;
    MeasureCache& cache = measureCache();
    const RealizedFont* fontPtr = &font;
    std::u16string key(text);
    key.push_back(static_cast<char16_t>(extra & 0xFFFF));
    key.append(reinterpret_cast<const char16_t*>(&fontPtr), sizeof(void*) / sizeof(char16_t));
    if (auto it = cache.index.find(key); it != cache.index.end()) {
        cache.recent.splice(cache.recent.begin(), cache.recent, it->second);
        return it->second->width;
    }
    const double width = TextLayout(font, text, false, extra).width();
    cache.recent.push_front(Measured{key, width});
    cache.index[key] = cache.recent.begin();
    if (cache.recent.size() > kCapacity) {
        cache.index.erase(cache.recent.back().key);
        cache.recent.pop_back();
    }
    return width;
}

}  // namespace orvane::platform
