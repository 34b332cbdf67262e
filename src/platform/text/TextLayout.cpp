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
void clusterBreaks(std::u16string_view text, std::vector<std::size_t>& breaks) {
    breaks.clear();
    // Text below the combining marks has one cluster per unit (CR LF aside): no need to ask ICU.
    bool simple = true;
    for (char16_t c : text)
        if (c >= 0x0300) {
            simple = false;
            break;
        }
    if (simple) {
        breaks.reserve(text.size() + 1);
        for (std::size_t i = 0; i < text.size(); ++i)
            if (!(i > 0 && text[i] == u'\n' && text[i - 1] == u'\r')) breaks.push_back(i);
        breaks.push_back(text.size());
        return;
    }
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
    return;
}

}  // namespace

namespace {

struct ShapedGlyph {
    std::uint32_t index;
    std::uint32_t cluster;  // from the start of the word
    double advance;         // whole pixels, glyph by glyph, as GDI lays text out
    double xOffset;
    double yOffset;  // positive down
};

struct ShapedWord {
    std::vector<ShapedGlyph> glyphs;
};

struct WordKey {
    const FontFace* face;
    bool rtl;
    std::u16string text;
};

// Looks words up by a view of the text, so that a hit costs no allocation.
struct WordView {
    const FontFace* face;
    bool rtl;
    std::u16string_view text;
};

struct WordKeyHash {
    using is_transparent = void;
    std::size_t operator()(const WordView& k) const {
        return std::hash<std::u16string_view>()(k.text) ^ (std::hash<const void*>()(k.face) << 1) ^
               (k.rtl ? 0x9E37 : 0);
    }
    std::size_t operator()(const WordKey& k) const {
        return (*this)(WordView{k.face, k.rtl, k.text});
    }
};

struct WordKeyEqual {
    using is_transparent = void;
    static WordView view(const WordKey& k) { return WordView{k.face, k.rtl, k.text}; }
    static WordView view(const WordView& k) { return k; }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
        const WordView x = view(a), y = view(b);
        return x.face == y.face && x.rtl == y.rtl && x.text == y.text;
    }
};

std::unordered_map<WordKey, ShapedWord, WordKeyHash, WordKeyEqual>& wordCache() {
    static std::unordered_map<WordKey, ShapedWord, WordKeyHash, WordKeyEqual> cache;
    return cache;
}

// One word shaped by one face, from the cache when it was shaped before.
const ShapedWord& shapeWord(FontFace& face, std::u16string_view text, bool rtl) {
    auto& cache = wordCache();
    if (auto it = cache.find(WordView{&face, rtl, text}); it != cache.end()) return it->second;
    WordKey key{&face, rtl, std::u16string(text)};
    if (cache.size() > 50000) cache.clear();  // bounded: start again rather than grow
    static hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_clear_contents(buffer);
    hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.data()),
                        static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
    hb_buffer_set_direction(buffer, rtl ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(static_cast<hb_font_t*>(face.shapingFont()), buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
    const double scale = face.shapingScale();
    ShapedWord word;
    word.glyphs.reserve(count);
    for (unsigned g = 0; g < count; ++g) {
        word.glyphs.push_back(
            ShapedGlyph{info[g].codepoint, info[g].cluster, std::round(pos[g].x_advance * scale),
                        std::round(pos[g].x_offset * scale), -pos[g].y_offset * scale});
    }
    return cache.emplace(std::move(key), std::move(word)).first->second;
}

}  // namespace

void TextLayout::clearWordCache() {
    wordCache().clear();
}

TextLayout::TextLayout(RealizedFont& font, std::u16string_view text, bool rtl, int extra) {
    m_advances.assign(text.size(), 0.0);
    if (text.empty()) return;
    m_glyphs.reserve(text.size());  // about a glyph a unit: one allocation, not one per doubling
    // Bidirectional runs in visual order; plain left-to-right text skips the algorithm. The
    // paragraph reads left to right unless right-to-left reading is asked for, whatever its
    // first strong character is.
    bool needsBidi = rtl;
    for (std::size_t i = 0; i < text.size() && !needsBidi; ++i)
        needsBidi = text[i] >= 0x0590;
    if (!needsBidi) {
        shapeRun(font, text, 0, text.size(), false, extra);
    } else {
        UErrorCode status = U_ZERO_ERROR;
        UBiDi* bidi = ubidi_openSized(static_cast<int32_t>(text.size()), 0, &status);
        ubidi_setPara(bidi, reinterpret_cast<const UChar*>(text.data()),
                      static_cast<int32_t>(text.size()), rtl ? UBIDI_RTL : UBIDI_LTR, nullptr,
                      &status);
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

std::pair<double, double> TextLayout::span(std::size_t index) const {
    // The cluster holding the unit starts at the largest cluster start not after it.
    std::uint32_t cluster = 0;
    bool found = false;
    for (const Glyph& g : m_glyphs)
        if (g.cluster <= index && (!found || g.cluster > cluster)) {
            cluster = g.cluster;
            found = true;
        }
    if (!found) return {0, 0};
    double left = m_width;
    for (const Glyph& g : m_glyphs)
        if (g.cluster == cluster) left = std::min(left, g.pen);
    return {left, cluster < m_advances.size() ? m_advances[cluster] : 0};
}

void TextLayout::shapeRun(RealizedFont& font, std::u16string_view all, std::size_t start,
                          std::size_t length, bool rtl, int extra) {
    const std::u16string_view run = all.substr(start, length);
    // Scratch space kept between calls: layouts are made many times a second.
    static thread_local std::vector<std::size_t> breaks;
    clusterBreaks(run, breaks);
    // Split the run where the face changes; a cluster takes the face of its first character
    // that is not a joiner, or of its first character.
    struct Piece {
        std::size_t begin, end;
        FontFace* face;
    };
    static thread_local std::vector<Piece> pieces;
    pieces.clear();
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

    for (const Piece& p : pieces) {
        if (!p.face) continue;
        // Words (each with the spaces after it) are shaped on their own and kept: paragraphs
        // repeat words, and nothing joins or kerns across a space that matters here.
        static thread_local std::vector<std::pair<std::size_t, std::size_t>> words;
        words.clear();
        std::size_t wordStart = p.begin;
        for (std::size_t i = p.begin; i < p.end; ++i) {
            const bool space = run[i] == u' ';
            const bool nextIsSpace = i + 1 < p.end && run[i + 1] == u' ';
            if ((space && !nextIsSpace) || i + 1 == p.end) {
                words.emplace_back(wordStart, i + 1);
                wordStart = i + 1;
            }
        }
        if (rtl) std::reverse(words.begin(), words.end());
        for (const auto& [wb, we] : words) {
            const ShapedWord& word = shapeWord(*p.face, run.substr(wb, we - wb), rtl);
            const std::size_t base = start + wb;
            for (std::size_t g = 0; g < word.glyphs.size(); ++g) {
                const ShapedGlyph& sg = word.glyphs[g];
                const std::uint32_t cluster = static_cast<std::uint32_t>(base + sg.cluster);
                Glyph out;
                out.face = p.face;
                out.index = sg.index;
                out.x = m_pen + sg.xOffset;
                out.pen = m_pen;
                out.y = sg.yOffset;
                out.cluster = cluster;
                m_glyphs.push_back(out);
                double advance = sg.advance;
                // Character extra goes after each cluster, where the cluster ends.
                const bool endsCluster =
                    g + 1 == word.glyphs.size() || word.glyphs[g + 1].cluster != sg.cluster;
                if (endsCluster && extra) advance += extra;
                m_pen += advance;
                if (cluster < m_advances.size()) m_advances[cluster] += advance;
            }
        }
    }
}

namespace {

// Laid-out lines kept for the texts drawn and measured again and again (captions, list
// items): the most recently used first, bounded in lines and in characters.
struct LineKey {
    const RealizedFont* font;
    bool rtl;
    int extra;
    std::u16string text;
};

struct LineView {
    const RealizedFont* font;
    bool rtl;
    int extra;
    std::u16string_view text;
};

struct LineKeyHash {
    using is_transparent = void;
    std::size_t operator()(const LineView& k) const {
        return std::hash<std::u16string_view>()(k.text) ^ (std::hash<const void*>()(k.font) << 1) ^
               (static_cast<std::size_t>(k.extra) << 3) ^ (k.rtl ? 0x9E3779B9u : 0);
    }
    std::size_t operator()(const LineKey& k) const {
        return (*this)(LineView{k.font, k.rtl, k.extra, k.text});
    }
};

struct LineKeyEqual {
    using is_transparent = void;
    static LineView view(const LineKey& k) { return LineView{k.font, k.rtl, k.extra, k.text}; }
    static LineView view(const LineView& k) { return k; }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
        const LineView x = view(a), y = view(b);
        return x.font == y.font && x.rtl == y.rtl && x.extra == y.extra && x.text == y.text;
    }
};

struct LineCache {
    static constexpr std::size_t kMaxLines = 4096;
    static constexpr std::size_t kMaxUnits = 1 << 19;
    struct Entry;
    using Index =
        std::unordered_map<LineKey, std::list<Entry>::iterator, LineKeyHash, LineKeyEqual>;
    struct Entry {
        Index::iterator slot;  // the index entry, to drop it without looking it up again
        std::shared_ptr<const TextLayout> layout;
    };
    std::list<Entry> recent;
    Index index;
    std::size_t units = 0;
    // Room for every line kept, so the index never rehashes and its iterators stay valid.
    LineCache() { index.reserve(kMaxLines + 1); }
};

LineCache& lineCache() {
    static LineCache c;
    return c;
}

}  // namespace

namespace {

// Bytes held by all line coverages: past the budget, lines are drawn glyph by glyph.
std::size_t& coverageBytes() {
    static std::size_t bytes = 0;
    return bytes;
}
constexpr std::size_t kCoverageBudget = 16u << 20;
constexpr std::size_t kLineCoverageMax = 64u << 10;

}  // namespace

TextLayout::~TextLayout() {
    if (m_coverage) coverageBytes() -= m_coverage->alpha.size();
}

const FontFace::Glyph* TextLayout::coverage() const {
    if (m_coverageTried) return m_coverage.get();
    // A line drawn once (a row scrolled past) is drawn glyph by glyph; the line's own bitmap
    // pays only for lines drawn again.
    if (++m_draws < 2) return nullptr;
    m_coverageTried = true;
    // The box of all glyphs, from the line's left end (x) and the baseline (y, positive up).
    int left = 0, right = 0, top = 0, bottom = 0;
    bool any = false;
    for (const Glyph& g : m_glyphs) {
        const FontFace::Glyph& b = g.face->glyph(g.index);
        if (b.color) return nullptr;
        if (b.width == 0 || b.height == 0) continue;
        const int x = roundPosition(g.x) + b.left, y = b.top - roundPosition(g.y);
        if (!any) {
            left = x, right = x + b.width, top = y, bottom = y - b.height;
            any = true;
        } else {
            left = std::min(left, x), right = std::max(right, x + b.width);
            top = std::max(top, y), bottom = std::min(bottom, y - b.height);
        }
    }
    auto mask = std::make_unique<FontFace::Glyph>();
    if (any) {
        const std::size_t width = static_cast<std::size_t>(right - left);
        const std::size_t height = static_cast<std::size_t>(top - bottom);
        const std::size_t bytes = width * height + 3;
        if (width > 0xFFFF || bytes > kLineCoverageMax || coverageBytes() + bytes > kCoverageBudget)
            return nullptr;
        mask->left = left, mask->top = top;
        mask->width = static_cast<int>(width), mask->height = static_cast<int>(height);
        mask->alpha.assign(bytes, 0);
        mask->ink.assign(height, {std::uint16_t(width), std::uint16_t(0)});
        // Overlapping coverage combines as two blends in a row would: a + b - ab.
        for (const Glyph& g : m_glyphs) {
            const FontFace::Glyph& b = g.face->glyph(g.index);
            const int x = roundPosition(g.x) + b.left - left;
            const int y = top - (b.top - roundPosition(g.y));
            for (int row = 0; row < b.height; ++row) {
                const auto [first, last] = b.ink[static_cast<std::size_t>(row)];
                if (first >= last) continue;
                const std::size_t r = static_cast<std::size_t>(y + row);
                std::uint8_t* out = mask->alpha.data() + r * width + static_cast<std::size_t>(x);
                const std::uint8_t* in = b.alpha.data() + static_cast<std::size_t>(row) *
                                                              static_cast<std::size_t>(b.width);
                for (int c = first; c < last; ++c) {
                    const unsigned a = out[c], v = in[c];
                    out[c] = static_cast<std::uint8_t>(a + v - (a * v + 127) / 255);
                }
                auto& ink = mask->ink[r];
                ink.first =
                    std::min<std::uint16_t>(ink.first, static_cast<std::uint16_t>(x + first));
                ink.second =
                    std::max<std::uint16_t>(ink.second, static_cast<std::uint16_t>(x + last));
            }
        }
        for (auto& ink : mask->ink)
            if (ink.first >= ink.second) ink = {0, 0};
        coverageBytes() += bytes;
    }
    m_coverage = std::move(mask);
    return m_coverage.get();
}

void TextLayout::clearCache() {
    lineCache().recent.clear();
    lineCache().index.clear();
    lineCache().units = 0;
    wordCache().clear();
}

std::shared_ptr<const TextLayout> TextLayout::shaped(RealizedFont& font, std::u16string_view text,
                                                     bool rtl, int extra) {
    LineCache& cache = lineCache();
    // Measuring a text and then drawing it asks for the same line twice in a row: the most
    // recent line answers without a lookup.
    if (!cache.recent.empty()) {
        const LineCache::Entry& last = cache.recent.front();
        const LineKey& key = last.slot->first;
        if (key.font == &font && key.rtl == rtl && key.extra == extra && key.text == text)
            return last.layout;
    }
    if (auto it = cache.index.find(LineView{&font, rtl, extra, text}); it != cache.index.end()) {
        cache.recent.splice(cache.recent.begin(), cache.recent, it->second);
        return it->second->layout;
    }
    auto layout = std::make_shared<const TextLayout>(font, text, rtl, extra);
    if (text.size() > LineCache::kMaxUnits / 8) return layout;  // too long to keep
    // The oldest lines go first, so the index stays within the room reserved for it.
    while (cache.recent.size() >= LineCache::kMaxLines ||
           (!cache.recent.empty() && cache.units + text.size() > LineCache::kMaxUnits)) {
        const LineCache::Entry& oldest = cache.recent.back();
        cache.units -= oldest.slot->first.text.size();
        cache.index.erase(oldest.slot);
        cache.recent.pop_back();
    }
    const auto slot =
        cache.index.emplace(LineKey{&font, rtl, extra, std::u16string(text)}, cache.recent.end())
            .first;
    cache.recent.push_front(LineCache::Entry{slot, layout});
    slot->second = cache.recent.begin();
    cache.units += text.size();
    return layout;
}

double TextLayout::measure(RealizedFont& font, std::u16string_view text, int extra) {
    return shaped(font, text, false, extra)->width();
}

}  // namespace orvane::platform
