#include "platform/text/TextLayout.h"

#include <hb.h>
#include <unicode/ubidi.h>
#include <unicode/ubrk.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <span>
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
    std::int32_t advance;   // whole pixels, glyph by glyph, as GDI lays text out
    std::int32_t xOffset;   // whole pixels
    double yOffset;         // positive down
};

// A mix of the word's units, its face and its direction: the low bits pick a set of the word
// table, the high bits tell words of one set apart before their texts are compared.
std::uint64_t wordHash(const FontFace* face, bool rtl, std::u16string_view text) {
    std::uint64_t h =
        reinterpret_cast<std::uintptr_t>(face) * 0x9E3779B97F4A7C15ull ^ (rtl ? 1 : 0);
    for (char16_t c : text)
        h = (h ^ c) * 0x100000001B3ull;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 33);
}

// Words shaped before, in a table of two-way sets: a lookup reads the set's two tags (kept apart
// in a small array) and then one slot, and a word's text and glyphs sit in its slot, so keeping
// a word allocates nothing. A new word replaces the one of its set used less recently. Words
// too big for a slot, or shaped into more glyphs than it holds, are kept in a map instead.
struct WordSlot {
    static constexpr std::size_t kUnits = 12;
    const FontFace* face = nullptr;
    std::uint8_t length = 0;
    std::uint8_t count = 0;
    bool rtl = false;
    char16_t text[kUnits];
    ShapedGlyph glyphs[kUnits];
};

struct WordTable {
    static constexpr std::size_t kSets = 2048;
    struct Set {
        std::uint32_t tags[2] = {};  // high bits of each way's word hash, odd; 0: empty
        std::uint32_t recent = 0;    // the way used last
    };
    Set sets[kSets];
    WordSlot slots[kSets][2];
};

WordTable& wordTable() {
    static WordTable table;
    return table;
}

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

using WordMap = std::unordered_map<WordKey, std::vector<ShapedGlyph>, WordKeyHash, WordKeyEqual>;

WordMap& wordMap() {
    static WordMap map;
    return map;
}

// Shapes a text with HarfBuzz into its buffer (kept for the next call), in the given script or
// the one HarfBuzz finds in the text.
hb_buffer_t* shapeInBuffer(FontFace& face, std::u16string_view text, bool rtl,
                           hb_script_t script = HB_SCRIPT_INVALID) {
    static hb_buffer_t* const buffer = hb_buffer_create();
    hb_buffer_clear_contents(buffer);
    hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.data()),
                        static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
    hb_buffer_set_direction(buffer, rtl ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(buffer);
    if (script != HB_SCRIPT_INVALID) hb_buffer_set_script(buffer, script);
    hb_shape(static_cast<hb_font_t*>(face.shapingFont()), buffer, nullptr, 0);
    return buffer;
}

// Shapes one word with HarfBuzz into `out`.
void shapeWithFace(FontFace& face, std::u16string_view text, bool rtl,
                   std::vector<ShapedGlyph>& out) {
    hb_buffer_t* buffer = shapeInBuffer(face, text, rtl);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
    const double scale = face.shapingScale();
    out.clear();
    out.reserve(count);
    for (unsigned g = 0; g < count; ++g) {
        out.push_back(ShapedGlyph{info[g].codepoint, info[g].cluster,
                                  static_cast<std::int32_t>(std::round(pos[g].x_advance * scale)),
                                  static_cast<std::int32_t>(std::round(pos[g].x_offset * scale)),
                                  -pos[g].y_offset * scale});
    }
}

// Whether two characters, each shaping plainly alone, shape side by side as they do alone:
// their own glyphs, advances equal in the shaper's units, no offsets.
bool pairShapesPlainly(FontFace& face, const FontFace::PlainAscii& t, int first, int second,
                       bool latin) {
    using Table = FontFace::PlainAscii;
    const char16_t two[2] = {static_cast<char16_t>(first + Table::kFirst),
                             static_cast<char16_t>(second + Table::kFirst)};
    hb_buffer_t* buffer = shapeInBuffer(face, std::u16string_view(two, 2), false,
                                        latin ? HB_SCRIPT_LATIN : HB_SCRIPT_INVALID);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
    if (count != 2) return false;
    for (unsigned g = 0; g < 2; ++g) {
        const int k = g == 0 ? first : second;
        if (info[g].cluster != g || info[g].codepoint != t.glyph[k] ||
            pos[g].x_advance != t.shaperAdvance[k] || pos[g].x_offset != 0 || pos[g].y_offset != 0)
            return false;
    }
    return true;
}

// A word of printable ASCII laid out from what the face's table knows, learning what it does
// not yet know; empty when a character or a pair of neighbours does not shape plainly. Most
// words a list or table shows once (a name, a key, a number) then skip the shaper.
std::span<const ShapedGlyph> plainWord(FontFace& face, std::u16string_view text) {
    using Table = FontFace::PlainAscii;
    bool latin = false;
    for (char16_t c : text) {
        if (c < Table::kFirst || c >= Table::kFirst + Table::kCount) return {};
        latin = latin || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    }
    Table& t = face.plainAscii(latin);
    int before = -1;
    for (char16_t c : text) {
        const int k = c - Table::kFirst;
        if (t.alone[k] < 0) {
            t.alone[k] = 0;
            const hb_script_t script = latin ? HB_SCRIPT_LATIN : HB_SCRIPT_INVALID;
            hb_buffer_t* buffer = shapeInBuffer(face, std::u16string_view(&c, 1), false, script);
            unsigned n = 0;
            const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &n);
            const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &n);
            if (n == 1 && info[0].codepoint != 0 && pos[0].x_offset == 0 && pos[0].y_offset == 0) {
                t.glyph[k] = info[0].codepoint;
                t.shaperAdvance[k] = pos[0].x_advance;
                t.advance[k] =
                    static_cast<std::int32_t>(std::round(pos[0].x_advance * face.shapingScale()));
                t.alone[k] = 1;
            }
        }
        if (t.alone[k] != 1) return {};
        if (before >= 0) {
            std::int8_t& pair = t.pairs[before * Table::kCount + k];
            if (pair < 0) pair = pairShapesPlainly(face, t, before, k, latin) ? 1 : 0;
            if (pair != 1) return {};
        }
        before = k;
    }
    static std::vector<ShapedGlyph> out;
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int k = text[i] - Table::kFirst;
        out[i] = ShapedGlyph{t.glyph[k], static_cast<std::uint32_t>(i), t.advance[k], 0, 0};
    }
    return {out.data(), out.size()};
}

// One word shaped by one face, from the cache when it was shaped before. The glyphs stay valid
// until the next word is asked for.
std::span<const ShapedGlyph> shapeWord(FontFace& face, std::u16string_view text, bool rtl) {
    if (!rtl) {
        if (const std::span<const ShapedGlyph> plain = plainWord(face, text); !plain.empty())
            return plain;
    }
    WordTable& table = wordTable();
    WordTable::Set* set = nullptr;
    std::uint32_t way = 0, tag = 0;
    if (text.size() <= WordSlot::kUnits) {
        const std::uint64_t h = wordHash(&face, rtl, text);
        const std::size_t index = static_cast<std::size_t>(h) & (WordTable::kSets - 1);
        set = &table.sets[index];
        tag = static_cast<std::uint32_t>(h >> 32) | 1;
        for (way = 0; way < 2; ++way) {
            if (set->tags[way] != tag) continue;
            const WordSlot& s = table.slots[index][way];
            if (s.face == &face && s.rtl == rtl && s.length == text.size() &&
                std::equal(text.begin(), text.end(), s.text)) {
                set->recent = way;
                return {s.glyphs, s.count};
            }
        }
        way = set->recent ^ 1;
    }
    WordMap& map = wordMap();
    if (!map.empty()) {
        if (auto it = map.find(WordView{&face, rtl, text}); it != map.end()) return it->second;
    }
    static std::vector<ShapedGlyph> shaped;
    shapeWithFace(face, text, rtl, shaped);
    if (set && shaped.size() <= WordSlot::kUnits) {
        WordSlot* slot = &table.slots[set - table.sets][way];
        set->tags[way] = tag;
        set->recent = way;
        slot->face = &face;
        slot->rtl = rtl;
        slot->length = static_cast<std::uint8_t>(text.size());
        slot->count = static_cast<std::uint8_t>(shaped.size());
        std::copy(text.begin(), text.end(), slot->text);
        std::copy(shaped.begin(), shaped.end(), slot->glyphs);
        return {slot->glyphs, slot->count};
    }
    if (map.size() > 50000) map.clear();  // bounded: start again rather than grow
    return map.emplace(WordKey{&face, rtl, std::u16string(text)}, shaped).first->second;
}

}  // namespace

void TextLayout::clearWordCache() {
    for (WordTable::Set& set : wordTable().sets)
        set = WordTable::Set{};
    wordMap().clear();
}

namespace {

// Bytes held by all line coverages: past the budget, lines are drawn glyph by glyph.
std::size_t& coverageBytes() {
    static std::size_t bytes = 0;
    return bytes;
}
constexpr std::size_t kCoverageBudget = 16u << 20;
constexpr std::size_t kLineCoverageMax = 64u << 10;

}  // namespace

TextLayout::TextLayout(RealizedFont& font, std::u16string_view text, bool rtl, int extra) {
    layOut(font, text, rtl, extra);
}

void TextLayout::layOut(RealizedFont& font, std::u16string_view text, bool rtl, int extra) {
    if (m_coverage) {
        coverageBytes() -= m_coverage->alpha.size();
        m_coverage.reset();
    }
    m_coverageTried = false;
    m_draws = 0;
    m_glyphs.clear();
    m_width = m_pen = 0;
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
            const std::span<const ShapedGlyph> word =
                shapeWord(*p.face, run.substr(wb, we - wb), rtl);
            const std::size_t base = start + wb;
            for (std::size_t g = 0; g < word.size(); ++g) {
                const ShapedGlyph& sg = word[g];
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
                const bool endsCluster = g + 1 == word.size() || word[g + 1].cluster != sg.cluster;
                if (endsCluster && extra) advance += extra;
                m_pen += advance;
                if (cluster < m_advances.size()) m_advances[cluster] += advance;
            }
        }
    }
}

namespace {

// Laid-out lines kept for the texts drawn and measured again and again (captions, list
// items), bounded in lines and in characters. The lines sit in one array, chained from the
// most to the least recently used, and are found through an open-addressed table of their
// places. A line dropped for a new one lends it its key's and layout's memory, so a steady
// stream of new lines allocates nothing.
struct LineCache {
    static constexpr std::uint32_t kMaxLines = 4096;
    static constexpr std::size_t kMaxUnits = 1 << 19;
    static constexpr std::uint32_t kSlots = 2 * kMaxLines;  // a power of two, at most half full
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    // Lines up to this many units lend their memory to the next line; the memory of longer
    // ones is given back.
    static constexpr std::size_t kReuseUnits = 256;
    struct Entry {
        std::uint64_t hash = 0;
        const RealizedFont* font = nullptr;
        bool rtl = false;
        int extra = 0;
        std::u16string text;
        std::shared_ptr<TextLayout> layout;
        std::uint32_t newer = kNone, older = kNone;
    };
    std::vector<Entry> entries;
    std::vector<std::uint32_t> spare;  // places in `entries` of dropped lines
    // Each slot holds a line's place in `entries` and the low half of its hash, so that probing
    // compares hashes without reading the lines.
    struct Slot {
        std::uint32_t entry = kNone;
        std::uint32_t hash = 0;
    };
    std::vector<Slot> slots = std::vector<Slot>(kSlots);
    std::uint32_t newest = kNone, oldest = kNone;
    std::uint32_t count = 0;
    std::size_t units = 0;

    static std::uint64_t hashOf(const RealizedFont* font, bool rtl, int extra,
                                std::u16string_view text) {
        // The library's hash reads the text eight bytes at a time: lines run to hundreds of
        // units when paragraphs are wrapped.
        std::uint64_t h = std::hash<std::u16string_view>()(text) ^
                          reinterpret_cast<std::uintptr_t>(font) * 0x9E3779B97F4A7C15ull ^
                          (static_cast<std::uint64_t>(static_cast<std::uint32_t>(extra)) << 1) ^
                          (rtl ? 1 : 0);
        h ^= h >> 33;
        h *= 0xFF51AFD7ED558CCDull;
        return h ^ (h >> 33);
    }
    // The slot holding the line, or the empty slot where it would go.
    std::uint32_t probe(std::uint64_t hash, const RealizedFont* font, bool rtl, int extra,
                        std::u16string_view text) const {
        const auto low = static_cast<std::uint32_t>(hash);
        for (std::uint32_t s = low & (kSlots - 1);; s = (s + 1) & (kSlots - 1)) {
            const Slot& slot = slots[s];
            if (slot.entry == kNone) return s;
            if (slot.hash != low) continue;
            const Entry& e = entries[slot.entry];
            if (e.font == font && e.rtl == rtl && e.extra == extra &&
                std::u16string_view(e.text) == text)
                return s;
        }
    }
    void unlink(std::uint32_t e) {
        Entry& x = entries[e];
        (x.newer == kNone ? newest : entries[x.newer].older) = x.older;
        (x.older == kNone ? oldest : entries[x.older].newer) = x.newer;
        x.newer = x.older = kNone;
    }
    void linkNewest(std::uint32_t e) {
        Entry& x = entries[e];
        x.older = newest;
        x.newer = kNone;
        if (newest != kNone) entries[newest].newer = e;
        newest = e;
        if (oldest == kNone) oldest = e;
    }
    // Empties a slot, moving later lines of its probe sequence back so that every line stays
    // reachable from its home slot.
    void erase(std::uint32_t s) {
        for (std::uint32_t next = (s + 1) & (kSlots - 1);; next = (next + 1) & (kSlots - 1)) {
            if (slots[next].entry == kNone) break;
            const std::uint32_t home = slots[next].hash & (kSlots - 1);
            // The line may fill the hole when its home is not within (s, next].
            if (((next - home) & (kSlots - 1)) >= ((next - s) & (kSlots - 1))) {
                slots[s] = slots[next];
                s = next;
            }
        }
        slots[s] = Slot{};
    }
    // Drops the least recently used line; returns its place in `entries` for reuse.
    std::uint32_t dropOldest() {
        const std::uint32_t e = oldest;
        Entry& x = entries[e];
        std::uint32_t s = static_cast<std::uint32_t>(x.hash) & (kSlots - 1);
        while (slots[s].entry != e)
            s = (s + 1) & (kSlots - 1);
        erase(s);
        unlink(e);
        units -= x.text.size();
        --count;
        return e;
    }
    // Keeps a dropped line's place for a later line, without its layout.
    void park(std::uint32_t e) {
        Entry& x = entries[e];
        x.layout.reset();
        if (x.text.capacity() > kReuseUnits) x.text = std::u16string();
        spare.push_back(e);
    }
    void clear() {
        entries.clear();
        spare.clear();
        std::fill(slots.begin(), slots.end(), Slot{});
        newest = oldest = kNone;
        count = 0;
        units = 0;
    }
};

LineCache& lineCache() {
    static LineCache c;
    return c;
}

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
    lineCache().clear();
    clearWordCache();
}

std::shared_ptr<const TextLayout> TextLayout::shaped(RealizedFont& font, std::u16string_view text,
                                                     bool rtl, int extra) {
    LineCache& cache = lineCache();
    // Measuring a text and then drawing it asks for the same line twice in a row: the most
    // recent line answers without hashing.
    if (cache.newest != LineCache::kNone) {
        const LineCache::Entry& last = cache.entries[cache.newest];
        if (last.font == &font && last.rtl == rtl && last.extra == extra &&
            std::u16string_view(last.text) == text)
            return last.layout;
    }
    if (text.size() > LineCache::kMaxUnits / 8)  // too big to keep
        return std::make_shared<const TextLayout>(font, text, rtl, extra);
    // A new line reuses the least recently used one, cold in the processor's caches: its
    // layout starts loading while the cache is searched.
    if (cache.count >= LineCache::kMaxLines) {
        const TextLayout* reused = cache.entries[cache.oldest].layout.get();
        __builtin_prefetch(reused);
        __builtin_prefetch(reinterpret_cast<const char*>(reused) + 64);
    }
    const std::uint64_t hash = LineCache::hashOf(&font, rtl, extra, text);
    std::uint32_t slot = cache.probe(hash, &font, rtl, extra, text);
    if (const std::uint32_t e = cache.slots[slot].entry; e != LineCache::kNone) {
        cache.unlink(e);
        cache.linkNewest(e);
        return cache.entries[e].layout;
    }
    // The least recently used lines go first; the last one dropped lends its memory.
    std::uint32_t e = LineCache::kNone;
    while (cache.count >= LineCache::kMaxLines ||
           (cache.count > 0 && cache.units + text.size() > LineCache::kMaxUnits)) {
        if (e != LineCache::kNone) cache.park(e);
        e = cache.dropOldest();
        slot = LineCache::kNone;  // dropping may have moved lines between slots
    }
    if (slot == LineCache::kNone) slot = cache.probe(hash, &font, rtl, extra, text);
    if (e == LineCache::kNone && !cache.spare.empty()) {
        e = cache.spare.back();
        cache.spare.pop_back();
    }
    if (e == LineCache::kNone) {
        e = static_cast<std::uint32_t>(cache.entries.size());
        cache.entries.emplace_back();
    }
    LineCache::Entry& entry = cache.entries[e];
    entry.hash = hash;
    entry.font = &font;
    entry.rtl = rtl;
    entry.extra = extra;
    // A short line's layout nobody else holds is laid out again in place.
    if (entry.layout && entry.layout.use_count() == 1 &&
        entry.text.capacity() <= LineCache::kReuseUnits && text.size() <= LineCache::kReuseUnits) {
        entry.text.assign(text);
        entry.layout->layOut(font, text, rtl, extra);
    } else {
        entry.text = std::u16string(text);
        entry.layout = std::make_shared<TextLayout>(font, text, rtl, extra);
    }
    cache.slots[slot] = LineCache::Slot{e, static_cast<std::uint32_t>(hash)};
    cache.linkNewest(e);
    ++cache.count;
    cache.units += text.size();
    return entry.layout;
}

double TextLayout::measure(RealizedFont& font, std::u16string_view text, int extra) {
    return shaped(font, text, false, extra)->width();
}

}  // namespace orvane::platform
