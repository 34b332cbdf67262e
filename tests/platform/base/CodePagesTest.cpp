// Code-page conversions: the single-byte tables, the UTF-8 codec, buffer sizes and argument
// checks, default characters and composition.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/CodePages.h"
#include "platform/base/LastError.h"

namespace orvane::test {
namespace {

using namespace orvane::platform;

constexpr char16_t kBad = 0xFFFD;

// Converts through the size query and then the conversion itself; empty on failure.
std::u16string Wide(UINT cp, std::string_view s, DWORD flags = 0) {
    const int n = MultiByteToWideChar(cp, flags, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::u16string out(n, u'\0');
    if (n > 0) {
        EXPECT_EQ(
            MultiByteToWideChar(cp, flags, s.data(), static_cast<int>(s.size()), out.data(), n), n);
    }
    return out;
}

std::string Narrow(UINT cp, std::u16string_view s, DWORD flags = 0, const char* def = nullptr,
                   BOOL* used = nullptr) {
    const int size = static_cast<int>(s.size());
    const int n = WideCharToMultiByte(cp, flags, s.data(), size, nullptr, 0, def, used);
    std::string out(n, '\0');
    if (n > 0) {
        EXPECT_EQ(WideCharToMultiByte(cp, flags, s.data(), size, out.data(), n, def, used), n);
    }
    return out;
}

// The last error a call leaves when it fails, or ERROR_SUCCESS when it succeeds.
DWORD MbError(UINT cp, DWORD flags, const char* s, int len, char16_t* dst, int dstLen) {
    SetLastError(ERROR_SUCCESS);
    return MultiByteToWideChar(cp, flags, s, len, dst, dstLen) ? ERROR_SUCCESS : GetLastError();
}

DWORD WcError(UINT cp, DWORD flags, const char16_t* s, int len, char* dst, int dstLen,
              const char* def = nullptr, BOOL* used = nullptr) {
    SetLastError(ERROR_SUCCESS);
    const int result = WideCharToMultiByte(cp, flags, s, len, dst, dstLen, def, used);
    return result ? ERROR_SUCCESS : GetLastError();
}

char16_t WideOf(UINT cp, unsigned byte, DWORD flags = 0) {
    const std::u16string w = Wide(cp, std::string(1, static_cast<char>(byte)), flags);
    return w.size() == 1 ? w[0] : u'\0';
}

void ExpectRoundTripOfEveryByte(UINT cp) {
    std::set<char16_t> seen;
    for (unsigned b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        char16_t wc = 0;
        ASSERT_EQ(MultiByteToWideChar(cp, 0, &byte, 1, &wc, 1), 1) << b;
        if (b < 0x80) {
            EXPECT_EQ(wc, b) << "ASCII maps to itself";
        }
        seen.insert(wc);
        char back = 0;
        BOOL used = TRUE;
        ASSERT_EQ(WideCharToMultiByte(cp, 0, &wc, 1, &back, 1, nullptr, &used), 1) << b;
        EXPECT_EQ(static_cast<unsigned char>(back), b);
        EXPECT_FALSE(used) << b;
    }
    EXPECT_EQ(seen.size(), 256u);
}

TEST(CodePageTables, EveryByteRoundTrips) {
    ExpectRoundTripOfEveryByte(1252);
    ExpectRoundTripOfEveryByte(437);
}

TEST(CodePageTables, Windows1252HighRange) {
    const char16_t expected[32] = {u'€',   0x0081, u'‚', u'ƒ', u'„', u'…',   u'†', u'‡',
                                   u'ˆ',   u'‰',   u'Š', u'‹', u'Œ', 0x008D, u'Ž', 0x008F,
                                   0x0090, u'‘',   u'’', u'“', u'”', u'•',   u'–', u'—',
                                   u'˜',   u'™',   u'š', u'›', u'œ', 0x009D, u'ž', u'Ÿ'};
    for (unsigned b = 0x80; b < 0xA0; ++b)
        EXPECT_EQ(WideOf(1252, b), expected[b - 0x80]) << b;
    EXPECT_EQ(WideOf(1252, 0xA0), 0x00A0);
    EXPECT_EQ(WideOf(1252, 0xE9), u'é');
    EXPECT_EQ(WideOf(1252, 0xFF), u'ÿ');
    EXPECT_EQ(Narrow(1252, u"€™—"), "\x80\x99\x97");
    // C1 controls that 1252 uses for printable characters are not mapped back to those bytes.
    BOOL used = FALSE;
    EXPECT_EQ(Narrow(1252, u"\u0080\u0095", 0, nullptr, &used), "??");
    EXPECT_TRUE(used);
}

TEST(CodePageTables, Oem437LettersBoxesAndGreek) {
    EXPECT_EQ(Wide(437, "\xC9\xCD\xBB"), u"╔═╗");
    EXPECT_EQ(Wide(437, "\xBA\xB3\xC4"), u"║│─");
    EXPECT_EQ(Wide(437, "\xC8\xBC\xDA\xBF\xC0\xD9\xC5\xCE"), u"╚╝┌┐└┘┼╬");
    EXPECT_EQ(Wide(437, "\xB5\xD1\xD6\xD8"), u"╡╤╓╪");
    EXPECT_EQ(Wide(437, "\xB0\xB1\xB2\xDB\xDC\xDF\xFE"), u"░▒▓█▄▀■");
    EXPECT_EQ(Wide(437, "\xE0\xE1\xE3\xE4\xE6\xEA\xEB"), u"αßπΣµΩδ");
    EXPECT_EQ(Wide(437, "\x80\x81\x82\x9B\x9C\x9E\x9F\xA8"), u"Çüé¢£₧ƒ¿");
    EXPECT_EQ(Wide(437, "\xF1\xF8\xFA\xFB\xFD"), u"±°·√²");
    EXPECT_EQ(WideOf(437, 0xFF), 0x00A0);
    EXPECT_EQ(Narrow(437, u"╔═╗ π"), "\xC9\xCD\xBB \xE3");
}

TEST(CodePageTables, AliasesAndDefaults) {
    EXPECT_EQ(GetACP(), 1252u);
    EXPECT_EQ(GetOEMCP(), 437u);
    EXPECT_EQ(WideOf(CP_ACP, 0x80), u'€');
    EXPECT_EQ(WideOf(CP_THREAD_ACP, 0x80), u'€');
    EXPECT_EQ(WideOf(CP_OEMCP, 0x80), u'Ç');
    EXPECT_EQ(Narrow(CP_OEMCP, u"─"), "\xC4");
}

TEST(CodePageTables, GlyphCharsForControlBytes) {
    EXPECT_EQ(Wide(437, "\x01\x03\x0F\x1F\x7F", MB_USEGLYPHCHARS), u"☺♥☼▼⌂");
    EXPECT_EQ(Wide(437, std::string_view("\0A", 2), MB_USEGLYPHCHARS), std::u16string(u"\0A", 2));
    EXPECT_EQ(Wide(437, "\x01\x7F"), u"\u0001\u007F");
    EXPECT_EQ(Wide(437, "\x80", MB_USEGLYPHCHARS), u"Ç");
}

TEST(CodePageUtf8, OneToFourByteSequences) {
    const std::string utf8 = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    const std::u16string wide = u"Aé€\U0001F600";
    ASSERT_EQ(wide.size(), 5u);
    EXPECT_EQ(Wide(CP_UTF8, utf8), wide);
    EXPECT_EQ(Narrow(CP_UTF8, wide), utf8);
    // The edges of each sequence length survive a round trip.
    const std::u16string edges = u"\u007F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF";
    const std::string edgesUtf8 =
        "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";
    EXPECT_EQ(Narrow(CP_UTF8, edges), edgesUtf8);
    EXPECT_EQ(Wide(CP_UTF8, edgesUtf8), edges);
}

// An ill-formed sequence, put between "x" and "z", and how many U+FFFD replace it.
struct BadUtf8 {
    const char* what;
    std::string bytes;
    std::size_t replacements;
    std::string Text() const { return "x" + bytes + "z"; }
    std::u16string Expected() const { return u"x" + std::u16string(replacements, kBad) + u"z"; }
};

const std::vector<BadUtf8> kBadUtf8 = {
    {"overlong two-byte", "\xC0\xAF", 2},
    {"overlong NUL", "\xC0\x80", 2},
    {"overlong three-byte", "\xE0\x80\xAF", 3},
    {"overlong four-byte", "\xF0\x80\x80\xAF", 4},
    {"high surrogate", "\xED\xA0\x80", 3},
    {"low surrogate", "\xED\xBF\xBF", 3},
    {"above U+10FFFF", "\xF4\x90\x80\x80", 4},
    {"lead F5", "\xF5\x80\x80\x80", 4},
    {"lead FF", "\xFF", 1},
    {"stray continuation", "\x80", 1},
    {"truncated three-byte", "\xE2\x82", 1},
    {"truncated four-byte", "\xF0\x9F\x98", 1},
};

TEST(CodePageUtf8, InvalidSequencesBecomeReplacementCharacters) {
    for (const BadUtf8& c : kBadUtf8)
        EXPECT_EQ(Wide(CP_UTF8, c.Text()), c.Expected()) << c.what;
    // A sequence cut short by the end of the input is replaced once too.
    EXPECT_EQ(Wide(CP_UTF8, "x\xF0\x9F\x98"), u"x\uFFFD");
    // The byte that breaks a sequence starts the next one.
    EXPECT_EQ(Wide(CP_UTF8, "\xE2\x82\xE2\x82\xAC"), u"\uFFFD€");
}

TEST(CodePageUtf8, InvalidSequencesFailUnderErrInvalidChars) {
    char16_t buf[16];
    for (const BadUtf8& c : kBadUtf8) {
        const std::string text = c.Text();
        const int len = static_cast<int>(text.size());
        EXPECT_EQ(MbError(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), len, buf, 16),
                  ERROR_NO_UNICODE_TRANSLATION)
            << c.what;
        EXPECT_EQ(MbError(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), len, nullptr, 0),
                  ERROR_NO_UNICODE_TRANSLATION)
            << c.what;
    }
    EXPECT_EQ(Wide(CP_UTF8, "\xE2\x82\xAC", MB_ERR_INVALID_CHARS), u"€");
}

TEST(CodePageUtf8, UnpairedSurrogates) {
    const char16_t hi = 0xD83D, lo = 0xDE00;
    const std::string bad = "\xEF\xBF\xBD";
    EXPECT_EQ(Narrow(CP_UTF8, std::u16string{u'a', hi}), "a" + bad);
    EXPECT_EQ(Narrow(CP_UTF8, std::u16string{hi, u'a'}), bad + "a");
    EXPECT_EQ(Narrow(CP_UTF8, std::u16string{u'a', lo, u'b'}), "a" + bad + "b");
    EXPECT_EQ(Narrow(CP_UTF8, std::u16string{lo, hi}), bad + bad);
    EXPECT_EQ(Narrow(CP_UTF8, std::u16string{hi, lo}), "\xF0\x9F\x98\x80");
    char buf[16];
    for (const std::u16string& s : {std::u16string{u'a', hi}, std::u16string{lo, hi}}) {
        EXPECT_EQ(
            WcError(CP_UTF8, WC_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()), buf, 16),
            ERROR_NO_UNICODE_TRANSLATION);
    }
    EXPECT_EQ(Narrow(CP_UTF8, std::u16string{hi, lo}, WC_ERR_INVALID_CHARS), "\xF0\x9F\x98\x80");
}

TEST(CodePageBuffers, SizeQueryWritesNothing) {
    char16_t wbuf[4] = {u'#', u'#', u'#', u'#'};
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xF0\x9F\x98\x80", 5, wbuf, 0), 3);
    EXPECT_EQ(wbuf[0], u'#');
    char buf[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"é€", 2, buf, 0, nullptr, nullptr), 5);
    EXPECT_EQ(WideCharToMultiByte(1252, 0, u"é€", 2, buf, 0, nullptr, nullptr), 2);
    EXPECT_EQ(buf[0], '#');
}

TEST(CodePageBuffers, TooSmallBufferFails) {
    char16_t wbuf[8];
    EXPECT_EQ(MbError(1252, 0, "abcd", 4, wbuf, 3), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(MbError(1252, 0, "abcd", 4, wbuf, 4), ERROR_SUCCESS);
    // A surrogate pair is never split, nor is a UTF-8 sequence.
    EXPECT_EQ(MbError(CP_UTF8, 0, "a\xF0\x9F\x98\x80", 5, wbuf, 2), ERROR_INSUFFICIENT_BUFFER);
    char buf[8];
    EXPECT_EQ(WcError(CP_UTF8, 0, u"a€", 2, buf, 3), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(WcError(CP_UTF8, 0, u"a€", 2, buf, 4), ERROR_SUCCESS);
    EXPECT_EQ(WcError(437, 0, u"abc", -1, buf, 3), ERROR_INSUFFICIENT_BUFFER);  // no room for NUL
}

TEST(CodePageBuffers, MinusOneLengthConvertsAndCountsTheNul) {
    char16_t wbuf[8];
    std::fill(std::begin(wbuf), std::end(wbuf), u'#');
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xC3\xA9", -1, nullptr, 0), 3);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xC3\xA9", -1, wbuf, 8), 3);
    EXPECT_EQ(std::u16string_view(wbuf, 3), std::u16string_view(u"aé\0", 3));
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, wbuf, 8), 3);  // no NUL with a length
    char buf[8];
    std::fill(std::begin(buf), std::end(buf), '#');
    EXPECT_EQ(WideCharToMultiByte(1252, 0, u"aé", -1, buf, 8, nullptr, nullptr), 3);
    EXPECT_EQ(std::string_view(buf, 4), std::string_view("a\xE9\0#", 4));
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"", -1, buf, 8, nullptr, nullptr), 1);
    EXPECT_EQ(buf[0], '\0');
}

TEST(CodePageArguments, EmptyOrMissingSourceAndBadBuffersFail) {
    char16_t wbuf[4];
    char buf[4];
    EXPECT_EQ(MbError(CP_UTF8, 0, "", 0, wbuf, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(MbError(1252, 0, nullptr, 3, wbuf, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(MbError(1252, 0, "abc", 3, nullptr, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(MbError(1252, 0, "abc", 3, wbuf, -1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(MbError(1252, 0, "abc", -2, wbuf, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(WcError(CP_UTF8, 0, u"", 0, buf, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(WcError(1252, 0, nullptr, -1, buf, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(WcError(1252, 0, u"abc", 3, nullptr, 4), ERROR_INVALID_PARAMETER);
}

TEST(CodePageArguments, UnsupportedCodePagesFail) {
    char16_t wbuf[4];
    char buf[4];
    for (UINT cp : {CP_UTF7, 1250u, 2u, 850u, 12345u}) {
        EXPECT_EQ(MbError(cp, 0, "abc", 3, wbuf, 4), ERROR_INVALID_PARAMETER) << cp;
        EXPECT_EQ(WcError(cp, 0, u"abc", 3, buf, 4), ERROR_INVALID_PARAMETER) << cp;
    }
}

TEST(CodePageArguments, FlagsNotAllowedForTheCodePageFail) {
    char16_t wbuf[4];
    char buf[4];
    const auto mb = [&](UINT cp, DWORD flags) { return MbError(cp, flags, "abc", 3, wbuf, 4); };
    const auto wc = [&](UINT cp, DWORD flags) { return WcError(cp, flags, u"abc", 3, buf, 4); };
    EXPECT_EQ(mb(CP_UTF8, MB_PRECOMPOSED), ERROR_INVALID_FLAGS);
    EXPECT_EQ(mb(CP_UTF8, MB_USEGLYPHCHARS), ERROR_INVALID_FLAGS);
    EXPECT_EQ(mb(1252, MB_PRECOMPOSED | MB_COMPOSITE), ERROR_INVALID_FLAGS);
    EXPECT_EQ(mb(1252, 0x100), ERROR_INVALID_FLAGS);
    EXPECT_EQ(mb(1252, MB_PRECOMPOSED | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS), ERROR_SUCCESS);
    EXPECT_EQ(wc(CP_UTF8, WC_NO_BEST_FIT_CHARS), ERROR_INVALID_FLAGS);
    EXPECT_EQ(wc(CP_UTF8, WC_COMPOSITECHECK), ERROR_INVALID_FLAGS);
    EXPECT_EQ(wc(1252, WC_ERR_INVALID_CHARS), ERROR_INVALID_FLAGS);
    EXPECT_EQ(wc(437, 0x1000), ERROR_INVALID_FLAGS);
    EXPECT_EQ(wc(1252, WC_NO_BEST_FIT_CHARS | WC_COMPOSITECHECK | WC_SEPCHARS), ERROR_SUCCESS);
    // UTF-8 takes no default character.
    BOOL used = FALSE;
    EXPECT_EQ(WcError(CP_UTF8, 0, u"abc", 3, buf, 4, "?"), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(WcError(CP_UTF8, 0, u"abc", 3, buf, 4, nullptr, &used), ERROR_INVALID_PARAMETER);
}

TEST(CodePageDefaultChar, UnmappableCharactersUseTheDefault) {
    BOOL used = FALSE;
    EXPECT_EQ(Narrow(1252, u"a中b", 0, nullptr, &used), "a?b");
    EXPECT_TRUE(used);
    used = FALSE;
    EXPECT_EQ(Narrow(437, u"a€b", 0, "*", &used), "a*b");
    EXPECT_TRUE(used);
    used = TRUE;
    EXPECT_EQ(Narrow(1252, u"a€.", 0, "*", &used), "a\x80.");
    EXPECT_FALSE(used);
    // No best fit: a letter with a macron does not become its bare letter.
    EXPECT_EQ(Narrow(1252, u"Ā", WC_NO_BEST_FIT_CHARS), "?");
    EXPECT_EQ(Narrow(1252, u"Ā"), "?");
    // Each half of a surrogate pair is one unmappable unit.
    used = FALSE;
    EXPECT_EQ(Narrow(437, u"\U0001F600", 0, nullptr, &used), "??");
    EXPECT_TRUE(used);
    // The size query reports the default character too.
    used = FALSE;
    EXPECT_EQ(WideCharToMultiByte(1252, 0, u"中", 1, nullptr, 0, nullptr, &used), 1);
    EXPECT_TRUE(used);
}

TEST(CodePageComposite, BaseAndMarkCombineOrSeparate) {
    EXPECT_EQ(Narrow(1252, u"e\u0301", WC_COMPOSITECHECK), "\xE9");
    EXPECT_EQ(Narrow(437, u"e\u0301", WC_COMPOSITECHECK), "\x82");
    EXPECT_EQ(Narrow(1252, u"S\u030C", WC_COMPOSITECHECK), "\x8A");
    EXPECT_EQ(Narrow(1252, u"e\u0301"), "e?");
    // No letter in 1252 is a with macron: the pair is separated, stripped, or replaced whole.
    EXPECT_EQ(Narrow(1252, u"a\u0304x", WC_COMPOSITECHECK), "a?x");
    EXPECT_EQ(Narrow(1252, u"a\u0304x", WC_COMPOSITECHECK | WC_SEPCHARS), "a?x");
    EXPECT_EQ(Narrow(1252, u"a\u0304x", WC_COMPOSITECHECK | WC_DISCARDNS), "ax");
    BOOL used = FALSE;
    EXPECT_EQ(Narrow(1252, u"a\u0304x", WC_COMPOSITECHECK | WC_DEFAULTCHAR, nullptr, &used), "?x");
    EXPECT_TRUE(used);
    EXPECT_EQ(Wide(1252, "a\xE9\x8A", MB_COMPOSITE), u"ae\u0301S\u030C");
    EXPECT_EQ(Wide(437, "\x82", MB_COMPOSITE), u"e\u0301");
    EXPECT_EQ(Wide(1252, "\xE9", MB_PRECOMPOSED), u"é");
}

}  // namespace
}  // namespace orvane::test
