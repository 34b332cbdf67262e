// The caches behind measuring and drawing text: lines and words kept, dropped and their memory
// reused must give what laying the text out afresh gives.
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "../gdi/GdiTestSupport.h"
#include "platform/text/RealizedFont.h"
#include "platform/text/TextLayout.h"

namespace orvane::platform::test {
namespace {

using TextLayoutTest = GdiTest;

std::u16string number(int i) {
    std::u16string s;
    for (char c : std::to_string(i))
        s += static_cast<char16_t>(c);
    return s;
}

// Texts of every kind the caches treat apart: short and repeated words, words longer than a
// word slot, marks that shape into more glyphs than units, right-to-left runs.
std::u16string sample(int i) {
    std::u16string s = u"Item " + number(i);
    if (i % 3 == 0) s += u" Internationalization" + number(i % 50);
    if (i % 7 == 0) s += u" e\u0301a\u0308o\u0302u\u0300";
    if (i % 11 == 0) s += u" \u05E9\u05DC\u05D5\u05DD " + number(i % 13);
    return s;
}

::testing::AssertionResult sameLayout(const TextLayout& a, const TextLayout& b) {
    if (a.width() != b.width())
        return ::testing::AssertionFailure() << "width " << a.width() << " vs " << b.width();
    if (a.advances() != b.advances()) return ::testing::AssertionFailure() << "advances differ";
    if (a.glyphs().size() != b.glyphs().size())
        return ::testing::AssertionFailure() << "glyph counts differ";
    for (std::size_t g = 0; g < a.glyphs().size(); ++g) {
        const TextLayout::Glyph &x = a.glyphs()[g], &y = b.glyphs()[g];
        if (x.face != y.face || x.index != y.index || x.x != y.x || x.pen != y.pen || x.y != y.y ||
            x.cluster != y.cluster)
            return ::testing::AssertionFailure() << "glyph " << g << " differs";
    }
    return ::testing::AssertionSuccess();
}

// Far more lines than the cache keeps pass through it, so that new lines are laid out in the
// memory of dropped ones; each must match a layout made afresh, and a line a caller still holds
// must keep its own layout.
TEST_F(TextLayoutTest, CachedLinesMatchFreshLayoutsThroughDropsAndReuse) {
    LOGFONTW lf{};
    lf.lfHeight = -13;
    const std::u16string face = u"Tahoma";
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    RealizedFont& font = RealizedFont::forLogFont(lf);
    TextLayout::clearCache();
    const auto held = TextLayout::shaped(font, u"A held line", false, 0);
    const TextLayout heldFresh(font, u"A held line", false, 0);
    ASSERT_TRUE(sameLayout(*held, heldFresh));
    for (int i = 0; i < 10000; ++i) {
        const std::u16string text = sample(i);
        const bool rtl = i % 5 == 0;
        const int extra = i % 4 == 0 ? 2 : 0;
        const auto cached = TextLayout::shaped(font, text, rtl, extra);
        const TextLayout fresh(font, text, rtl, extra);
        ASSERT_TRUE(sameLayout(*cached, fresh)) << "line " << i;
        // Asked again, the same line answers from the cache.
        EXPECT_EQ(TextLayout::shaped(font, text, rtl, extra).get(), cached.get());
    }
    EXPECT_TRUE(sameLayout(*held, heldFresh));
    TextLayout::clearCache();
}

// Words kept in the word cache, and churned out of it by thousands of others, shape as they
// did when the cache was empty.
TEST_F(TextLayoutTest, WordsShapeTheSameFromAnEmptyOrAFullCache) {
    Canvas canvas(10, 10);
    FontIn font(canvas, -13, u"Tahoma");
    auto edgesOf = [&](const std::u16string& text) {
        std::vector<INT> dx(text.size());
        EXPECT_TRUE(GetTextExtentExPointW(canvas, text.data(), static_cast<int>(text.size()), -1,
                                          nullptr, dx.data(), nullptr));
        return dx;
    };
    std::vector<std::vector<INT>> cold;
    for (int i = 0; i < 40; ++i) {
        TextLayout::clearCache();
        cold.push_back(edgesOf(sample(i)));
    }
    for (int i = 0; i < 20000; ++i) {
        // Each text measured twice: the second time from whole words kept.
        const std::u16string churn = u"w" + number(i * 7919 % 100003) + u" " + number(i);
        edgesOf(churn);
        if (i % 500 == 0) {
            for (int k = 0; k < 40; ++k)
                ASSERT_EQ(edgesOf(sample(k)), cold[static_cast<std::size_t>(k)])
                    << "text " << k << " after " << i;
        }
    }
}

// A line drawn twice is drawn from a bitmap of its whole coverage; a later line laid out in the
// same memory must draw its own glyphs, not that bitmap.
TEST_F(TextLayoutTest, LinesReusingDroppedLinesDrawTheirOwnPixels) {
    constexpr int kW = 200, kH = 30;
    Canvas line(kW, kH), glyphs(kW, kH);
    FontIn a(line, -15, u"Tahoma"), b(glyphs, -15, u"Tahoma");
    TextLayout::clearCache();
    for (int i = 0; i < 6000; ++i) {
        const std::u16string text = u"Row " + number(i) + (i % 2 ? u" C2" : u" note");
        const UINT n = static_cast<UINT>(text.size());
        ExtTextOutW(line, 2, 4, 0, nullptr, text.data(), n, nullptr);
        if (i % 97 != 0) {
            ExtTextOutW(line, 2, 4, 0, nullptr, text.data(), n, nullptr);
            continue;
        }
        // Drawn again from its coverage, and glyph by glyph with the same advances.
        std::vector<INT> edges(text.size()), dx(text.size());
        ASSERT_TRUE(GetTextExtentExPointW(glyphs, text.data(), static_cast<int>(n), -1, nullptr,
                                          edges.data(), nullptr));
        for (std::size_t k = 0; k < text.size(); ++k)
            dx[k] = edges[k] - (k ? edges[k - 1] : 0);
        line.fill(kWhite);
        glyphs.fill(kWhite);
        ExtTextOutW(line, 2, 4, 0, nullptr, text.data(), n, nullptr);
        ExtTextOutW(glyphs, 2, 4, 0, nullptr, text.data(), n, dx.data());
        int inked = 0, wrong = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const COLORREF p = line.at(x, y), q = glyphs.at(x, y);
                inked += p != kWhite;
                wrong += channelGap(p, q) > 1;
            }
        ASSERT_EQ(wrong, 0) << "line " << i;
        EXPECT_GT(inked, 20);
    }
    TextLayout::clearCache();
}

// Words of printable ASCII are laid out from what each face has learnt of its characters and
// their pairs instead of being shaped: they must come out as the shaper would have made them,
// word by word, in faces with and without kerning and ligatures, for words with letters and
// for numbers (which the shaper treats in another script).
TEST_F(TextLayoutTest, AsciiWordsLaidOutWithoutTheShaperMatchIt) {
    std::vector<std::u16string> texts = {u"AVAST Toy Ty r. fi ffl waffle",
                                         u"R123456 C2",
                                         u"4096 KB",
                                         u"0 0",
                                         u"10  2",
                                         u"3",
                                         u"-12.5% (x) [y] {z}",
                                         u"L'Ay \"Wo\" F.",
                                         u"a~b`c^d|e",
                                         u"  leading",
                                         u"trailing  "};
    std::mt19937 rng(5);
    const std::string alphabet = "AVTWYLPFrkyvwfil.,'-0123456789 ";
    for (int i = 0; i < 300; ++i) {
        std::u16string t;
        for (int n = 1 + static_cast<int>(rng() % 14); n > 0; --n)
            t += static_cast<char16_t>(rng() % 3 ? alphabet[rng() % alphabet.size()]
                                                 : 0x20 + rng() % 95);
        texts.push_back(t);
    }
    hb_buffer_t* buffer = hb_buffer_create();
    for (const char16_t* name :
         {u"Tahoma", u"Times New Roman", u"Courier New", u"Noto Sans CJK SC"})
        for (const int height : {-11, -16})
            for (const bool italic : {false, true}) {
                LOGFONTW lf{};
                lf.lfHeight = height;
                lf.lfItalic = italic;
                std::copy_n(name, std::char_traits<char16_t>::length(name), lf.lfFaceName);
                RealizedFont& font = RealizedFont::forLogFont(lf);
                FontFace& face = *font.primary();
                for (const std::u16string& text : texts) {
                    const TextLayout layout(font, text, false, 0);
                    // The shaper's glyphs, word by word (a word keeps the spaces after it).
                    std::vector<std::pair<std::uint32_t, double>> want;
                    double pen = 0;
                    for (std::size_t start = 0; start < text.size();) {
                        std::size_t end = text.find_first_not_of(u' ', text.find(u' ', start));
                        if (end == std::u16string::npos) end = text.size();
                        hb_buffer_clear_contents(buffer);
                        hb_buffer_add_utf16(
                            buffer, reinterpret_cast<const uint16_t*>(text.data() + start),
                            static_cast<int>(end - start), 0, static_cast<int>(end - start));
                        hb_buffer_guess_segment_properties(buffer);
                        hb_shape(static_cast<hb_font_t*>(face.shapingFont()), buffer, nullptr, 0);
                        unsigned count = 0;
                        const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
                        const hb_glyph_position_t* pos =
                            hb_buffer_get_glyph_positions(buffer, &count);
                        for (unsigned g = 0; g < count; ++g) {
                            want.emplace_back(
                                info[g].codepoint,
                                pen + std::round(pos[g].x_offset * face.shapingScale()));
                            pen += std::round(pos[g].x_advance * face.shapingScale());
                        }
                        start = end;
                    }
                    const std::string where = "text " + std::string(text.begin(), text.end()) +
                                              " height " + std::to_string(height) +
                                              (italic ? " italic" : "");
                    ASSERT_EQ(layout.glyphs().size(), want.size()) << where;
                    for (std::size_t g = 0; g < want.size(); ++g) {
                        ASSERT_EQ(layout.glyphs()[g].index, want[g].first)
                            << where << " glyph " << g;
                        ASSERT_EQ(layout.glyphs()[g].x, want[g].second) << where << " glyph " << g;
                    }
                    ASSERT_EQ(layout.width(), pen) << where;
                }
            }
    hb_buffer_destroy(buffer);
    // What a kerning face has learnt: a kerned pair is refused, a plain one kept.
    LOGFONTW lf{};
    lf.lfHeight = -16;
    std::copy_n(u"Tahoma", 6, lf.lfFaceName);
    const FontFace::PlainAscii& t = RealizedFont::forLogFont(lf).primary()->plainAscii(true);
    auto pair = [&](char a, char b) { return t.pairs[(a - t.kFirst) * t.kCount + (b - t.kFirst)]; };
    EXPECT_EQ(pair('A', 'V'), 0);
    EXPECT_EQ(pair('R', '1'), 1);
    TextLayout::clearCache();
}

}  // namespace
}  // namespace orvane::platform::test
