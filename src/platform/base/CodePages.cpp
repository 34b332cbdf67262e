#include "platform/base/CodePages.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/base/LastError.h"

namespace orvane::platform {

namespace {

using HighHalf = std::array<char16_t, 128>;

// Code page 1252, bytes 0x80-0xFF. The five bytes the page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 control of the same value, as on Windows; 0xA0-0xFF is Latin-1.
constexpr HighHalf kCp1252High = {
    // 0x80
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    // 0x90
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  //
    // 0xA0
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  //
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,  //
    // 0xB0
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  //
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,  //
    // 0xC0
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,  //
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,  //
    // 0xD0
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,  //
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,  //
    // 0xE0
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,  //
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,  //
    // 0xF0
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,  //
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,  //
};

// Code page 437, bytes 0x80-0xFF: accented letters, currency, box drawing, blocks, Greek and
// mathematical signs.
constexpr HighHalf kCp437High = {
    // 0x80: Ç ü é â ä à å ç ê ë è ï î ì Ä Å
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  //
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  //
    // 0x90: É æ Æ ô ö ò û ù ÿ Ö Ü ¢ £ ¥ ₧ ƒ
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  //
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  //
    // 0xA0: á í ó ú ñ Ñ ª º ¿ ⌐ ¬ ½ ¼ ¡ « »
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  //
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  //
    // 0xB0: ░ ▒ ▓ │ ┤ ╡ ╢ ╖ ╕ ╣ ║ ╗ ╝ ╜ ╛ ┐
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  //
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  //
    // 0xC0: └ ┴ ┬ ├ ─ ┼ ╞ ╟ ╚ ╔ ╩ ╦ ╠ ═ ╬ ╧
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  //
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  //
    // 0xD0: ╨ ╤ ╥ ╙ ╘ ╒ ╓ ╫ ╪ ┘ ┌ █ ▄ ▌ ▐ ▀
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  //
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  //
    // 0xE0: α ß Γ π Σ σ µ τ Φ Θ Ω δ ∞ φ ε ∩
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  //
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  //
    // 0xF0: ≡ ± ≥ ≤ ⌠ ⌡ ÷ ≈ ° ∙ · √ ⁿ ² ■ (no-break space)
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  //
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  //
};

// Code page 437 under MB_USEGLYPHCHARS: the pictures the original display showed for the
// control bytes 0x01-0x1F (index 0, NUL, stays NUL) ...
constexpr std::array<char16_t, 32> kCp437Glyphs = {
    // 0x00: (NUL) ☺ ☻ ♥ ♦ ♣ ♠ • ◘ ○ ◙ ♂ ♀ ♪ ♫ ☼
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,  //
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,  //
    // 0x10: ► ◄ ↕ ‼ ¶ § ▬ ↨ ↑ ↓ → ← ∟ ↔ ▲ ▼
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,  //
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,  //
};
// ... and for 0x7F: ⌂.
constexpr char16_t kCp437GlyphDel = 0x2302;

// One UTF-16 unit and the byte it comes from, for the reverse lookup.
struct ReverseEntry {
    char16_t wc;
    BYTE byte;
};
using ReverseTable = std::array<ReverseEntry, 128>;

constexpr ReverseTable MakeReverse(const HighHalf& high) {
    ReverseTable r{};
    for (int i = 0; i < 128; ++i)
        r[i] = ReverseEntry{high[i], static_cast<BYTE>(0x80 + i)};
    std::sort(r.begin(), r.end(), [](ReverseEntry a, ReverseEntry b) { return a.wc < b.wc; });
    return r;
}

// Each table must be one-to-one and keep clear of ASCII, so that every byte survives a round
// trip and the reverse lookup is unambiguous.
constexpr bool IsBijective(const ReverseTable& r) {
    if (r[0].wc < 0x80) return false;
    for (int i = 1; i < 128; ++i) {
        if (r[i].wc == r[i - 1].wc) return false;
    }
    return true;
}

constexpr ReverseTable kCp1252Reverse = MakeReverse(kCp1252High);
constexpr ReverseTable kCp437Reverse = MakeReverse(kCp437High);
static_assert(IsBijective(kCp1252Reverse));
static_assert(IsBijective(kCp437Reverse));

struct SingleBytePage {
    const HighHalf* high;
    const ReverseTable* reverse;
    const std::array<char16_t, 32>* glyphs;  // null when the page has no glyph forms
    char16_t glyphDel;
};

// 1252 has no glyph forms: MB_USEGLYPHCHARS leaves it unchanged.
constexpr SingleBytePage kCp1252{&kCp1252High, &kCp1252Reverse, nullptr, 0x7F};
constexpr SingleBytePage kCp437{&kCp437High, &kCp437Reverse, &kCp437Glyphs, kCp437GlyphDel};

char16_t ByteToWide(const SingleBytePage& page, BYTE b, bool useGlyphs) {
    if (b >= 0x80) return (*page.high)[b - 0x80];
    if (useGlyphs && page.glyphs) {
        if (b < 0x20) return (*page.glyphs)[b];
        if (b == 0x7F) return page.glyphDel;
    }
    return b;
}

// The byte for wc, or -1 when the page cannot hold it.
int WideToByte(const SingleBytePage& page, char16_t wc) {
    if (wc < 0x80) return wc;
    const ReverseTable& r = *page.reverse;
    auto it = std::lower_bound(r.begin(), r.end(), wc,
                               [](ReverseEntry e, char16_t key) { return e.wc < key; });
    return it != r.end() && it->wc == wc ? it->byte : -1;
}

// The precomposed letters of both pages as a base letter and a combining mark, for MB_COMPOSITE
// and WC_COMPOSITECHECK. Marks: grave 0300, acute 0301, circumflex 0302, tilde 0303,
// diaeresis 0308, ring 030A, caron 030C, cedilla 0327.
struct Composite {
    char16_t composed;
    char16_t base;
    char16_t mark;
};
constexpr Composite kComposites[] = {
    {0x00C0, u'A', 0x0300}, {0x00C1, u'A', 0x0301}, {0x00C2, u'A', 0x0302}, {0x00C3, u'A', 0x0303},
    {0x00C4, u'A', 0x0308}, {0x00C5, u'A', 0x030A}, {0x00C7, u'C', 0x0327}, {0x00C8, u'E', 0x0300},
    {0x00C9, u'E', 0x0301}, {0x00CA, u'E', 0x0302}, {0x00CB, u'E', 0x0308}, {0x00CC, u'I', 0x0300},
    {0x00CD, u'I', 0x0301}, {0x00CE, u'I', 0x0302}, {0x00CF, u'I', 0x0308}, {0x00D1, u'N', 0x0303},
    {0x00D2, u'O', 0x0300}, {0x00D3, u'O', 0x0301}, {0x00D4, u'O', 0x0302}, {0x00D5, u'O', 0x0303},
    {0x00D6, u'O', 0x0308}, {0x00D9, u'U', 0x0300}, {0x00DA, u'U', 0x0301}, {0x00DB, u'U', 0x0302},
    {0x00DC, u'U', 0x0308}, {0x00DD, u'Y', 0x0301}, {0x00E0, u'a', 0x0300}, {0x00E1, u'a', 0x0301},
    {0x00E2, u'a', 0x0302}, {0x00E3, u'a', 0x0303}, {0x00E4, u'a', 0x0308}, {0x00E5, u'a', 0x030A},
    {0x00E7, u'c', 0x0327}, {0x00E8, u'e', 0x0300}, {0x00E9, u'e', 0x0301}, {0x00EA, u'e', 0x0302},
    {0x00EB, u'e', 0x0308}, {0x00EC, u'i', 0x0300}, {0x00ED, u'i', 0x0301}, {0x00EE, u'i', 0x0302},
    {0x00EF, u'i', 0x0308}, {0x00F1, u'n', 0x0303}, {0x00F2, u'o', 0x0300}, {0x00F3, u'o', 0x0301},
    {0x00F4, u'o', 0x0302}, {0x00F5, u'o', 0x0303}, {0x00F6, u'o', 0x0308}, {0x00F9, u'u', 0x0300},
    {0x00FA, u'u', 0x0301}, {0x00FB, u'u', 0x0302}, {0x00FC, u'u', 0x0308}, {0x00FD, u'y', 0x0301},
    {0x00FF, u'y', 0x0308}, {0x0160, u'S', 0x030C}, {0x0161, u's', 0x030C}, {0x0178, u'Y', 0x0308},
    {0x017D, u'Z', 0x030C}, {0x017E, u'z', 0x030C},
};

const Composite* FindDecomposition(char16_t composed) {
    for (const Composite& c : kComposites) {
        if (c.composed == composed) return &c;
    }
    return nullptr;
}

char16_t Compose(char16_t base, char16_t mark) {
    for (const Composite& c : kComposites) {
        if (c.base == base && c.mark == mark) return c.composed;
    }
    return 0;
}

// Nonspacing marks, as far as composition here goes: the combining diacritical marks block.
bool IsNonspacing(char16_t wc) {
    return wc >= 0x0300 && wc <= 0x036F;
}

enum class Encoding { Utf8, SingleByte };

// Maps a code page number (with its aliases) to what converts it; refuses what is not here.
bool ResolveCodePage(UINT codePage, const char* call, Encoding& encoding,
                     const SingleBytePage*& page) {
    switch (codePage) {
        case CP_UTF8:
            encoding = Encoding::Utf8;
            return true;
        case CP_ACP:
        case CP_THREAD_ACP:
        case 1252:
            encoding = Encoding::SingleByte;
            page = &kCp1252;
            return true;
        case CP_OEMCP:
        case 437:
            encoding = Encoding::SingleByte;
            page = &kCp437;
            return true;
        default:
            ReportUnsupported(call, codePage == CP_UTF7 ? "code page (UTF-7)" : "code page",
                              ERROR_INVALID_PARAMETER);
            return false;
    }
}

// Where the output goes: into dst when there is one (never past its end), otherwise only
// counted, for the size query.
template <class T>
class Output {
public:
    Output(T* dst, int capacity) : dst_(dst), capacity_(capacity) {}

    // Whether k more units fit; a sequence is never split across the end of the buffer.
    bool Fits(int k) const { return !dst_ || capacity_ - count_ >= k; }
    void Put(T v) {
        if (dst_) dst_[count_] = v;
        ++count_;
    }
    std::int64_t Count() const { return count_; }

private:
    T* dst_;
    std::int64_t capacity_;
    std::int64_t count_ = 0;
};

// The result of a conversion: the count written (or needed), or 0 with the last error set.
template <class T>
int Finish(const Output<T>& out) {
    if (out.Count() > INT_MAX) {  // no buffer an int can describe holds it
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    return static_cast<int>(out.Count());
}

int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

constexpr char32_t kBadSequence = 0xFFFFFFFF;

// Reads one UTF-8 sequence from s (n > 0 bytes left) and sets used to the bytes it takes. An
// ill-formed sequence gives kBadSequence and takes its longest prefix that could still have
// begun a valid sequence (at least one byte), so each bad sequence is replaced once. The
// allowed ranges of the second byte shut out overlong forms, surrogates and values above
// U+10FFFF.
char32_t ReadUtf8(const BYTE* s, std::size_t n, std::size_t& used) {
    const BYTE lead = s[0];
    used = 1;
    if (lead < 0x80) return lead;
    int trail;
    char32_t cp;
    BYTE lo = 0x80, hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trail = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trail = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0) lo = 0xA0;  // shorter forms are overlong
        if (lead == 0xED) hi = 0x9F;  // A0-BF would encode surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trail = 3;
        cp = lead & 0x07;
        if (lead == 0xF0) lo = 0x90;  // shorter forms are overlong
        if (lead == 0xF4) hi = 0x8F;  // 90-BF would go past U+10FFFF
    } else {
        return kBadSequence;  // a stray trail byte, C0/C1 (always overlong) or F5-FF
    }
    for (int k = 0; k < trail; ++k) {
        if (used >= n || s[used] < lo || s[used] > hi) return kBadSequence;
        cp = (cp << 6) | (s[used] & 0x3F);
        ++used;
        lo = 0x80;
        hi = 0xBF;
    }
    return cp;
}

int Utf8ToWide(DWORD flags, const BYTE* s, std::size_t n, Output<char16_t>& out) {
    for (std::size_t i = 0; i < n;) {
        std::size_t used;
        char32_t cp = ReadUtf8(s + i, n - i, used);
        i += used;
        if (cp == kBadSequence) {
            if (flags & MB_ERR_INVALID_CHARS) return Fail(ERROR_NO_UNICODE_TRANSLATION);
            cp = 0xFFFD;
        }
        if (cp >= 0x10000) {
            if (!out.Fits(2)) return Fail(ERROR_INSUFFICIENT_BUFFER);
            cp -= 0x10000;
            out.Put(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.Put(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            if (!out.Fits(1)) return Fail(ERROR_INSUFFICIENT_BUFFER);
            out.Put(static_cast<char16_t>(cp));
        }
    }
    return Finish(out);
}

// Every byte of both pages is defined, so MB_ERR_INVALID_CHARS never fails here.
int SingleByteToWide(const SingleBytePage& page, DWORD flags, const BYTE* s, std::size_t n,
                     Output<char16_t>& out) {
    const bool glyphs = flags & MB_USEGLYPHCHARS;
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t wc = ByteToWide(page, s[i], glyphs);
        const Composite* parts = (flags & MB_COMPOSITE) ? FindDecomposition(wc) : nullptr;
        if (parts) {
            if (!out.Fits(2)) return Fail(ERROR_INSUFFICIENT_BUFFER);
            out.Put(parts->base);
            out.Put(parts->mark);
        } else {
            if (!out.Fits(1)) return Fail(ERROR_INSUFFICIENT_BUFFER);
            out.Put(wc);
        }
    }
    return Finish(out);
}

int WideToUtf8(DWORD flags, const char16_t* s, std::size_t n, Output<char>& out) {
    for (std::size_t i = 0; i < n; ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {  // a surrogate without its partner
            if (flags & WC_ERR_INVALID_CHARS) return Fail(ERROR_NO_UNICODE_TRANSLATION);
            cp = 0xFFFD;
        }
        BYTE bytes[4];
        int len;
        if (cp < 0x80) {
            bytes[0] = static_cast<BYTE>(cp);
            len = 1;
        } else if (cp < 0x800) {
            bytes[0] = static_cast<BYTE>(0xC0 | (cp >> 6));
            bytes[1] = static_cast<BYTE>(0x80 | (cp & 0x3F));
            len = 2;
        } else if (cp < 0x10000) {
            bytes[0] = static_cast<BYTE>(0xE0 | (cp >> 12));
            bytes[1] = static_cast<BYTE>(0x80 | ((cp >> 6) & 0x3F));
            bytes[2] = static_cast<BYTE>(0x80 | (cp & 0x3F));
            len = 3;
        } else {
            bytes[0] = static_cast<BYTE>(0xF0 | (cp >> 18));
            bytes[1] = static_cast<BYTE>(0x80 | ((cp >> 12) & 0x3F));
            bytes[2] = static_cast<BYTE>(0x80 | ((cp >> 6) & 0x3F));
            bytes[3] = static_cast<BYTE>(0x80 | (cp & 0x3F));
            len = 4;
        }
        if (!out.Fits(len)) return Fail(ERROR_INSUFFICIENT_BUFFER);
        for (int k = 0; k < len; ++k)
            out.Put(static_cast<char>(bytes[k]));
    }
    return Finish(out);
}

// A character the page cannot hold (an unpaired or paired surrogate included, one per unit)
// becomes the default character. No best-fit mapping is made, so WC_NO_BEST_FIT_CHARS changes
// nothing. Under WC_COMPOSITECHECK a base letter and a following nonspacing mark become the
// precomposed letter when the page holds it; otherwise WC_DEFAULTCHAR turns the pair into the
// default character, WC_DISCARDNS drops the mark (and any other mark met on its own), and
// WC_SEPCHARS (the default) converts the two separately; of several, the first named wins.
int WideToSingleByte(const SingleBytePage& page, DWORD flags, const char16_t* s, std::size_t n,
                     Output<char>& out, char defaultChar, bool& usedDefault) {
    const bool composite = flags & WC_COMPOSITECHECK;
    for (std::size_t i = 0; i < n; ++i) {
        int byte = -1;
        if (composite && i + 1 < n && IsNonspacing(s[i + 1])) {
            const char16_t composed = Compose(s[i], s[i + 1]);
            if (composed) byte = WideToByte(page, composed);
            if (byte >= 0 || (flags & WC_DEFAULTCHAR)) {
                ++i;  // the pair becomes one byte: the letter, or the default character
            } else if (flags & WC_DISCARDNS) {
                byte = WideToByte(page, s[i]);
                ++i;  // the mark is dropped
            } else {
                byte = WideToByte(page, s[i]);  // WC_SEPCHARS: the mark follows on its own
            }
        } else if (composite && (flags & WC_DISCARDNS) && IsNonspacing(s[i])) {
            continue;
        } else {
            byte = WideToByte(page, s[i]);
        }
        if (!out.Fits(1)) return Fail(ERROR_INSUFFICIENT_BUFFER);
        if (byte < 0) {
            usedDefault = true;
            out.Put(defaultChar);
        } else {
            out.Put(static_cast<char>(byte));
        }
    }
    return Finish(out);
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* src, int srcLen, char16_t* dst,
                        int dstLen) {
    if (!src || srcLen == 0 || srcLen < -1 || dstLen < 0 || (!dst && dstLen > 0)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    Encoding encoding;
    const SingleBytePage* page = nullptr;
    if (!ResolveCodePage(codePage, "MultiByteToWideChar", encoding, page)) return 0;
    if (encoding == Encoding::Utf8) {
        if (flags & ~MB_ERR_INVALID_CHARS) return Fail(ERROR_INVALID_FLAGS);
    } else {
        const DWORD allowed =
            MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS;
        if ((flags & ~allowed) || ((flags & MB_PRECOMPOSED) && (flags & MB_COMPOSITE))) {
            return Fail(ERROR_INVALID_FLAGS);
        }
    }
    const std::size_t n = srcLen == -1 ? std::strlen(src) + 1 : static_cast<std::size_t>(srcLen);
    const BYTE* s = reinterpret_cast<const BYTE*>(src);
    Output<char16_t> out(dstLen > 0 ? dst : nullptr, dstLen);
    return encoding == Encoding::Utf8 ? Utf8ToWide(flags, s, n, out)
                                      : SingleByteToWide(*page, flags, s, n, out);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const char16_t* src, int srcLen, char* dst,
                        int dstLen, const char* defaultChar, BOOL* usedDefaultChar) {
    if (!src || srcLen == 0 || srcLen < -1 || dstLen < 0 || (!dst && dstLen > 0)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    Encoding encoding;
    const SingleBytePage* page = nullptr;
    if (!ResolveCodePage(codePage, "WideCharToMultiByte", encoding, page)) return 0;
    if (encoding == Encoding::Utf8) {
        if (flags & ~WC_ERR_INVALID_CHARS) return Fail(ERROR_INVALID_FLAGS);
        // UTF-8 holds every character, so a default character has no meaning there.
        if (defaultChar || usedDefaultChar) return Fail(ERROR_INVALID_PARAMETER);
    } else {
        // WC_ERR_INVALID_CHARS is for UTF-8 only.
        const DWORD allowed =
            WC_COMPOSITECHECK | WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_NO_BEST_FIT_CHARS;
        if (flags & ~allowed) return Fail(ERROR_INVALID_FLAGS);
    }
    std::size_t n = static_cast<std::size_t>(srcLen);
    if (srcLen == -1) {
        n = 0;
        while (src[n])
            ++n;
        ++n;  // the NUL is converted too
    }
    Output<char> out(dstLen > 0 ? dst : nullptr, dstLen);
    if (encoding == Encoding::Utf8) return WideToUtf8(flags, src, n, out);
    bool usedDefault = false;
    const int result = WideToSingleByte(*page, flags, src, n, out,
                                        defaultChar ? defaultChar[0] : '?', usedDefault);
    if (result && usedDefaultChar) *usedDefaultChar = usedDefault ? TRUE : FALSE;
    return result;
}

UINT GetACP() {
    return 1252;
}

UINT GetOEMCP() {
    return 437;
}

std::string ToUtf8(std::u16string_view text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(n, 0)), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                            nullptr, nullptr);
    return out;
}

std::u16string FromUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string out(static_cast<std::size_t>(std::max(n, 0)), u'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

}  // namespace orvane::platform
