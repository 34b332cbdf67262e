// DrawTextW and DrawTextExW: text broken into lines, aligned, shortened with ellipses and
// drawn line by line with ExtTextOutW.
#include "platform/text/DrawText.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/LastError.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"

namespace orvane::platform {

namespace {

constexpr UINT kKnownFlags =
    DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK | DT_SINGLELINE | DT_EXPANDTABS |
    DT_TABSTOP | DT_NOCLIP | DT_EXTERNALLEADING | DT_CALCRECT | DT_NOPREFIX | DT_EDITCONTROL |
    DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_RTLREADING | DT_WORD_ELLIPSIS |
    DT_NOFULLWIDTHCHARBREAK | DT_HIDEPREFIX | DT_PREFIXONLY;
constexpr std::u16string_view kEllipsis = u"...";

bool isSpace(char16_t c) {
    return c == u' ';
}
bool isHardBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// Units that continue the character before them and must stay on its line.
bool isContinuation(char16_t c) {
    return (c >= 0xDC00 && c <= 0xDFFF) || (c >= 0x0300 && c <= 0x036F) ||
           (c >= 0xFE00 && c <= 0xFE0F) || c == 0x200D || c == 0x3099 || c == 0x309A;
}

// Full-width characters (CJK, kana, Hangul, full-width forms): a line may break around them.
bool isWide(char16_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0xD840 && c <= 0xD8BF);
}

// Characters a line must not start with (closing brackets and quotes, stops, commas, small
// kana, the prolonged sound mark, iteration marks) and those it must not end with (opening
// brackets and quotes): the East Asian line-breaking rules.
bool mustNotStartLine(char16_t c) {
    static constexpr std::u16string_view kNoStart =
        u"\u3001\u3002\uFF0C\uFF0E\u30FB\uFF1A\uFF1B\uFF1F\uFF01\u309B\u309C\u30FD\u30FE"
        u"\u309D\u309E\u3005\u30FC\u2019\u201D\uFF09\u3015\uFF3D\uFF5D\u3009\u300B\u300D"
        u"\u300F\u3011\u3041\u3043\u3045\u3047\u3049\u3063\u3083\u3085\u3087\u308E\u30A1"
        u"\u30A3\u30A5\u30A7\u30A9\u30C3\u30E3\u30E5\u30E7\u30EE\u30F5\u30F6\uFF61\uFF64"
        u"\uFF63\uFF9E\uFF9F";
    return kNoStart.find(c) != std::u16string_view::npos;
}

bool mustNotEndLine(char16_t c) {
    static constexpr std::u16string_view kNoEnd =
        u"\u2018\u201C\uFF08\u3014\uFF3B\uFF5B\u3008\u300A\u300C\u300E\u3010\uFF62";
    return kNoEnd.find(c) != std::u16string_view::npos;
}

struct Line {
    std::size_t start = 0;  // display text range [start, end), trailing spaces excluded
    std::size_t end = 0;
    int width = 0;
    bool lastOfParagraph = false;
    // When shortened: the text shown, and the display range the ellipsis replaced.
    bool shortened = false;
    std::u16string shown;
    std::size_t cutFrom = 0, cutTo = 0;
};

class Formatter {
public:
    Formatter(HDC hdc, UINT format, const TEXTMETRICW& tm, int tabUnits)
        : m_hdc(hdc), m_format(format), m_tabWidth(std::max(1, tabUnits * tm.tmAveCharWidth)) {
        m_guessAdvance = std::max<LONG>(1, tm.tmAveCharWidth / 2);
    }

    // Right edges of each unit of `s` from its start, tabs expanded when asked. Returns how
    // many units end within `maxExtent`.
    std::size_t measure(std::u16string_view s, int maxExtent, std::vector<int>& edges) {
        edges.resize(s.size());
        if (s.empty()) return 0;
        const bool tabs = (m_format & DT_EXPANDTABS) && s.find(u'\t') != s.npos;
        if (!tabs) {
            int fit = 0;
            if (!GetTextExtentExPointW(m_hdc, s.data(), static_cast<int>(s.size()), maxExtent, &fit,
                                       edges.data(), nullptr))
                std::fill(edges.begin(), edges.end(), 0);
            return std::min<std::size_t>(maxExtent < 0 ? 0 : static_cast<std::size_t>(fit),
                                         s.size());
        }
        int pen = 0;
        std::size_t i = 0;
        while (i < s.size()) {
            if (s[i] == u'\t') {
                pen = (pen / m_tabWidth + 1) * m_tabWidth;
                edges[i++] = pen;
                continue;
            }
            const std::size_t segEnd = std::min(s.find(u'\t', i), s.size());
            const int n = static_cast<int>(segEnd - i);
            if (!GetTextExtentExPointW(m_hdc, s.data() + i, n, -1, nullptr, edges.data() + i,
                                       nullptr))
                std::fill(edges.begin() + i, edges.begin() + segEnd, 0);
            for (std::size_t k = i; k < segEnd; ++k)
                edges[k] += pen;
            pen = edges[segEnd - 1];
            i = segEnd;
        }
        std::size_t fit = 0;
        while (fit < s.size() && edges[fit] <= maxExtent)
            ++fit;
        return fit;
    }

    int width(std::u16string_view s) {
        if (s.empty()) return 0;
        // Without tabs to expand only the whole width is needed, not every unit's edge: the
        // advances are whole pixels, so the two add up alike.
        if (!(m_format & DT_EXPANDTABS) || s.find(u'\t') == s.npos) {
            SIZE size{};
            return GetTextExtentPoint32W(m_hdc, s.data(), static_cast<int>(s.size()), &size)
                       ? static_cast<int>(size.cx)
                       : 0;
        }
        measure(s, -1, m_edges);
        return m_edges.back();
    }

    // Splits one paragraph (no hard breaks inside) into lines.
    void breakParagraph(std::u16string_view text, std::size_t ps, std::size_t pe, int avail,
                        std::vector<Line>& lines) {
        if (!(m_format & DT_WORDBREAK) || (m_format & DT_SINGLELINE) || ps == pe) {
            Line line;
            line.start = ps;
            line.end = pe;
            line.width = width(text.substr(ps, pe - ps));
            line.lastOfParagraph = true;
            lines.push_back(std::move(line));
            return;
        }
        const bool wideBreaks = !(m_format & DT_NOFULLWIDTHCHARBREAK);
        auto breakable = [&](std::size_t p) {
            if (p <= ps || p >= pe) return p == pe;
            const char16_t before = text[p - 1], after = text[p];
            if (isContinuation(after)) return false;
            if (isSpace(before) || isSpace(after)) return true;
            if (!wideBreaks || !(isWide(before) || isWide(after))) return false;
            return !mustNotStartLine(after) && !mustNotEndLine(before);
        };
        const std::size_t guess =
            static_cast<std::size_t>(std::max(avail, 0) / m_guessAdvance) + 16;
        std::size_t pos = ps;
        // What a window measured beyond the end of its line, kept for the next line when that
        // starts after a space (words are shaped apart, so widths add up exactly there) or
        // between two full-width characters (which neither kern nor join).
        std::vector<int> carry;
        std::size_t carryFrom = pe;
        while (pos < pe) {
            std::size_t win = 0, fit = 0;
            if (carryFrom == pos && !carry.empty() &&
                (carry.back() > avail || pos + carry.size() == pe)) {
                m_edges.swap(carry);
                win = m_edges.size();
                while (fit < win && m_edges[fit] <= avail)
                    ++fit;
            } else {
                // Measure a window that likely holds the line; widen it when all of it fits.
                win = std::min(pe - pos, guess);
                for (;;) {
                    fit = measure(text.substr(pos, win), avail, m_edges);
                    if (fit < win || pos + win == pe) break;
                    win = std::min(pe - pos, win * 2);
                }
            }
            std::size_t end = 0, next = 0;
            if (pos + fit == pe) {
                end = next = pe;
            } else {
                std::size_t p = pos + fit;
                while (p > pos && !breakable(p))
                    --p;
                if (p > pos) {
                    end = next = p;
                } else if (m_format & DT_EDITCONTROL) {
                    // A word longer than the line is broken between characters.
                    end = pos + std::max<std::size_t>(fit, 1);
                    while (end < pos + win && isContinuation(text[end]))
                        ++end;
                    next = end;
                } else {
                    // A word longer than the line runs past the edge on a line of its own.
                    end = pos + fit + 1;
                    while (end < pe && !breakable(end))
                        ++end;
                    next = end;
                }
            }
            while (end > pos && isSpace(text[end - 1]))
                --end;
            Line line;
            line.start = pos;
            line.end = end;
            if (end > pos)
                line.width =
                    end - pos <= win ? m_edges[end - pos - 1] : width(text.substr(pos, end - pos));
            while (next < pe && isSpace(text[next]) && next > pos)
                ++next;
            if (next <= pos) next = pos + 1;  // always move on
            carry.clear();
            carryFrom = pe;
            const bool additive = isSpace(text[next - 1]) ||
                                  (next < pe && isWide(text[next - 1]) && isWide(text[next]));
            if (next < pos + win && additive && !(m_format & DT_EXPANDTABS)) {
                const int base = m_edges[next - pos - 1];
                for (std::size_t k = next - pos; k < win; ++k)
                    carry.push_back(m_edges[k] - base);
                carryFrom = next;
            }
            line.lastOfParagraph = next >= pe;
            lines.push_back(std::move(line));
            pos = next;
        }
    }

    // Shortens a line wider than `avail` with an ellipsis at its end or in its middle.
    void shorten(std::u16string_view text, Line& line, int avail, bool path) {
        const std::u16string_view s = text.substr(line.start, line.end - line.start);
        const int dots = width(kEllipsis);
        std::size_t head = 0, tail = s.size(), tailEnd = s.size();
        if (!path) {
            head = measure(s, avail - dots, m_edges);
        } else {
            measure(s, -1, m_edges);
            const int total = m_edges.back();
            auto widthBefore = [&](std::size_t i) { return i ? m_edges[i - 1] : 0; };
            const std::size_t slash = s.rfind(u'\\');
            const int room = avail - dots;
            if (slash != s.npos) {
                // Keep as much as possible of the part from the last backslash on.
                tail = slash;
                if (total - widthBefore(tail) > room) {
                    while (tailEnd > tail && widthBefore(tailEnd) - widthBefore(tail) > room)
                        --tailEnd;
                }
            } else {
                // Without a backslash, characters go from the middle.
                while (tail > 0 && total - widthBefore(tail - 1) <= room / 2)
                    --tail;
            }
            while (tail < tailEnd && isContinuation(s[tail]))
                ++tail;
            const int tailWidth = widthBefore(tailEnd) - widthBefore(tail);
            while (head < tail && widthBefore(head + 1) + tailWidth <= room)
                ++head;
        }
        head = std::min(head, tail);
        while (head > 0 && head < s.size() && isContinuation(s[head]))
            --head;
        for (;;) {
            line.shown.assign(s.substr(0, head));
            line.shown.append(kEllipsis);
            line.shown.append(s.substr(tail, tailEnd - tail));
            line.width = width(line.shown);
            // Shaping across the cut can widen the result; give up characters until it fits.
            if (line.width <= avail || head == 0) break;
            --head;
            while (head > 0 && isContinuation(s[head]))
                --head;
        }
        line.shortened = true;
        line.cutFrom = line.start + head;
        line.cutTo = line.start + tail;
    }

private:
    HDC m_hdc;
    UINT m_format;
    int m_tabWidth;
    int m_guessAdvance = 1;
    std::vector<int> m_edges;
};

// The text with prefixes resolved: '&' removed, "&&" made one '&'.
struct Display {
    std::u16string_view text;
    std::u16string owned;
    std::vector<std::size_t> source;  // source index of each display unit (empty: identity)
    std::size_t underline = std::u16string_view::npos;
    std::size_t sourceOf(std::size_t i, std::size_t length) const {
        if (source.empty()) return i;
        return i < source.size() ? source[i] : length;
    }
};

Display resolvePrefixes(std::u16string_view src, bool prefixes) {
    Display d;
    if (!prefixes || src.find(u'&') == src.npos) {
        d.text = src;
        return d;
    }
    d.owned.reserve(src.size());
    d.source.reserve(src.size());
    for (std::size_t i = 0; i < src.size(); ++i) {
        if (src[i] == u'&') {
            if (++i == src.size()) break;  // a '&' at the very end shows nothing
            // "&&" is one '&'; '&' before any other character underlines it (the last wins).
            if (src[i] != u'&' && !isHardBreak(src[i])) d.underline = d.owned.size();
        }
        d.owned.push_back(src[i]);
        d.source.push_back(i);
    }
    d.text = d.owned;
    return d;
}

// Draws a line of text, tab by tab when tabs are expanded.
void drawRun(HDC hdc, int x, int y, UINT eto, const RECT* clip, std::u16string_view s,
             bool expandTabs, int tabWidth) {
    if (!expandTabs || s.find(u'\t') == s.npos) {
        if (!s.empty())
            ExtTextOutW(hdc, x, y, eto, clip, s.data(), static_cast<UINT>(s.size()), nullptr);
        return;
    }
    int pen = 0;
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == u'\t') {
            pen = (pen / tabWidth + 1) * tabWidth;
            ++i;
            continue;
        }
        const std::size_t segEnd = std::min(s.find(u'\t', i), s.size());
        const UINT n = static_cast<UINT>(segEnd - i);
        ExtTextOutW(hdc, x + pen, y, eto, clip, s.data() + i, n, nullptr);
        SIZE size{};
        GetTextExtentPoint32W(hdc, s.data() + i, static_cast<int>(n), &size);
        pen += size.cx;
        i = segEnd;
    }
}

// Underlines `width` pixels at (x, y) the way the selected font underlines: a space drawn in
// an underlined copy of the font, stretched to the width, leaves only the underline.
void drawUnderline(HDC hdc, int x, int y, int width, UINT eto, const RECT* clip) {
    LOGFONTW lf;
    HGDIOBJ current = GetCurrentObject(hdc, OBJ_FONT);
    if (!current || GetObjectW(current, sizeof lf, &lf) != static_cast<int>(sizeof lf)) return;
    lf.lfUnderline = 1;
    HFONT underlined = CreateFontIndirectW(&lf);
    if (!underlined) return;
    HGDIOBJ old = SelectObject(hdc, underlined);
    const int oldMode = SetBkMode(hdc, TRANSPARENT);
    const INT dx[1] = {width};
    ExtTextOutW(hdc, x, y, eto & ~ETO_OPAQUE, clip, u" ", 1, dx);
    SetBkMode(hdc, oldMode);
    SelectObject(hdc, old);
    DeleteObject(underlined);
}

}  // namespace

int DrawTextExW(HDC hdc, LPWSTR text, int length, RECT* rc, UINT format, DRAWTEXTPARAMS* params) {
    // A parameter record of the wrong size is ignored, neither read nor written.
    if (params && params->cbSize != sizeof(DRAWTEXTPARAMS)) params = nullptr;
    // With DT_TABSTOP and no parameter record, the high byte of the low word is the tab stop
    // count, not flags; with a record the count comes from it.
    const bool tabsInFormat = (format & DT_TABSTOP) && !params;
    const int tabCount = tabsInFormat ? static_cast<int>((format >> 8) & 0xFF) : 0;
    const UINT flags = tabsInFormat ? (format & ~0xFF00u) : format;
    if (flags & ~kKnownFlags) {
        ReportUnsupported("DrawTextExW", "format flags", ERROR_INVALID_FLAGS);
        return 0;
    }
    if (!text) return 0;
    if (!rc || length < -1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    TEXTMETRICW tm;
    if (!GetTextMetricsW(hdc, &tm)) return 0;
    const int lineHeight = tm.tmHeight + ((flags & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    if (params) params->uiLengthDrawn = 0;
    // No characters still make a line: a count of zero leaves the rectangle as it is, an empty
    // string measures as an empty line (a single line keeps its height).
    if (length == 0) return lineHeight;
    if (length == -1) {
        length = 0;
        while (text[length])
            ++length;
        if (length == 0) {
            if (flags & DT_CALCRECT) {
                rc->right = rc->left;
                rc->bottom = rc->top + ((flags & DT_SINGLELINE) ? lineHeight : 0);
            }
            return lineHeight;
        }
    }
    const std::size_t n = static_cast<std::size_t>(length);

    const int leftMargin = params ? params->iLeftMargin : 0;
    const int rightMargin = params ? params->iRightMargin : 0;
    int tabUnits = tabCount > 0 ? tabCount : 8;
    if (params && params->iTabLength > 0) tabUnits = params->iTabLength;
    const int left = rc->left + leftMargin;
    const int avail = rc->right - rightMargin - left;

    const std::u16string_view source(text, n);
    const Display display = resolvePrefixes(source, !(flags & DT_NOPREFIX));
    const std::u16string_view shownText = display.text;

    // Lines: paragraphs split at CR, LF or CR LF, then broken to the width.
    Formatter formatter(hdc, flags, tm, tabUnits);
    // Kept between calls (nothing inside draws text through here again): most texts are one
    // line, and a list paints hundreds of them.
    static thread_local std::vector<Line> lineStore;
    std::vector<Line>& lines = lineStore;
    lines.clear();
    if (flags & DT_SINGLELINE) {
        formatter.breakParagraph(shownText, 0, shownText.size(), avail, lines);
    } else {
        std::size_t ps = 0;
        while (ps < shownText.size()) {
            std::size_t pe = ps;
            while (pe < shownText.size() && !isHardBreak(shownText[pe]))
                ++pe;
            formatter.breakParagraph(shownText, ps, pe, avail, lines);
            std::size_t next = pe;
            if (next < shownText.size()) {
                if (shownText[next] == u'\r' && next + 1 < shownText.size() &&
                    shownText[next + 1] == u'\n')
                    ++next;
                ++next;
            }
            ps = next;
        }
    }

    // Ellipses for lines that do not fit.
    const bool pathEllipsis = flags & DT_PATH_ELLIPSIS;
    bool shortenedAny = false;
    for (Line& line : lines) {
        if (line.width <= avail) continue;
        const bool endEllipsis =
            (flags & DT_WORD_ELLIPSIS) || ((flags & DT_END_ELLIPSIS) && line.lastOfParagraph);
        if (!pathEllipsis && !endEllipsis) continue;
        formatter.shorten(shownText, line, avail, pathEllipsis);
        shortenedAny = true;
    }

    // A wrapped edit-control text with an end ellipsis that runs out of height stops at the
    // last line that fits, which shows as much of the rest as it can and then the ellipsis.
    constexpr UINT kLastLineEllipsis = DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS;
    if ((flags & kLastLineEllipsis) == kLastLineEllipsis &&
        !(flags & (DT_SINGLELINE | DT_CALCRECT)) && lineHeight > 0) {
        const std::size_t visible =
            static_cast<std::size_t>(std::max(1, (rc->bottom - rc->top) / lineHeight));
        if (lines.size() > visible) {
            Line& last = lines[visible - 1];
            std::size_t paragraphEnd = last.end;
            while (paragraphEnd < shownText.size() && !isHardBreak(shownText[paragraphEnd]))
                ++paragraphEnd;
            last.end = paragraphEnd;
            last.shortened = false;
            formatter.shorten(shownText, last, avail, false);
            lines.resize(visible);
            shortenedAny = true;
        }
    }

    int maxWidth = 0;
    for (const Line& line : lines)
        maxWidth = std::max(maxWidth, line.width);
    const int textHeight = lineHeight * static_cast<int>(lines.size());

    if ((flags & DT_MODIFYSTRING) && shortenedAny &&
        (flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS))) {
        // The source text with each shortened part replaced by the ellipsis; the caller's
        // buffer holds up to four characters more than the text, as on Windows.
        std::u16string modified;
        std::size_t copied = 0;
        for (const Line& line : lines) {
            if (!line.shortened) continue;
            const std::size_t from = display.sourceOf(line.cutFrom, n);
            const std::size_t to = display.sourceOf(line.cutTo, n);
            modified.append(source.substr(copied, from - copied));
            modified.append(kEllipsis);
            copied = std::max(from, to);
        }
        modified.append(source.substr(copied));
        if (modified.size() <= n + 4) {
            std::copy(modified.begin(), modified.end(), text);
            if (modified.size() < n + 4) text[modified.size()] = 0;
        }
    }

    // Vertical placement: alignment applies to a single line only, and then the result is the
    // distance from the top of the rectangle to the bottom of the line.
    int offset = 0;
    const bool aligned = (flags & DT_SINGLELINE) && (flags & (DT_VCENTER | DT_BOTTOM));
    if (aligned) {
        offset = (flags & DT_VCENTER) ? (rc->bottom - rc->top - lineHeight) / 2
                                      : rc->bottom - rc->top - lineHeight;
    }
    int y = rc->top + offset;
    const int result = aligned ? offset + lineHeight : textHeight;

    if (flags & DT_CALCRECT) {
        rc->right = rc->left + leftMargin + maxWidth + rightMargin;
        rc->bottom = rc->top + result;
        if (params) params->uiLengthDrawn = static_cast<UINT>(n);
        // Zero would read as failure.
        return aligned && result == 0 ? 1 : result;
    }

    UINT eto = (flags & DT_NOCLIP) ? 0 : ETO_CLIPPED;
    if (flags & DT_RTLREADING) eto |= ETO_RTLREADING;
    const RECT* clip = (flags & DT_NOCLIP) ? nullptr : rc;
    const bool drawText = !(flags & DT_PREFIXONLY);
    const bool drawPrefix =
        display.underline != std::u16string_view::npos && !(flags & DT_HIDEPREFIX);
    const bool expandTabs = flags & DT_EXPANDTABS;
    const int tabWidth = std::max(1, tabUnits * static_cast<int>(tm.tmAveCharWidth));
    const UINT oldAlign = GetTextAlign(hdc);
    SetTextAlign(hdc, TA_LEFT | TA_TOP | TA_NOUPDATECP | (oldAlign & TA_RTLREADING));

    std::size_t drawnUpTo = n;
    std::vector<int> edges;
    for (const Line& line : lines) {
        if (!(flags & DT_NOCLIP)) {
            // Lines wholly below the rectangle are not drawn; an edit control also leaves
            // out a partly visible last line.
            const bool below = y >= rc->bottom || ((flags & DT_EDITCONTROL) &&
                                                   y + lineHeight > rc->bottom && y > rc->top);
            if (below) {
                drawnUpTo = display.sourceOf(line.start, n);
                break;
            }
        }
        int x = left;
        if (flags & DT_CENTER)
            x = left + (avail - line.width) / 2;
        else if (flags & DT_RIGHT)
            x = left + avail - line.width;
        const std::u16string_view s = line.shortened
                                          ? std::u16string_view(line.shown)
                                          : shownText.substr(line.start, line.end - line.start);
        if (drawText) drawRun(hdc, x, y, eto, clip, s, expandTabs, tabWidth);
        if (drawPrefix && display.underline >= line.start && display.underline < line.end) {
            // Where the prefixed character is in the text shown on this line.
            std::size_t at = display.underline - line.start;
            bool visible = true;
            if (line.shortened) {
                if (display.underline >= line.cutTo)
                    at = display.underline - line.cutTo + (line.cutFrom - line.start) +
                         kEllipsis.size();
                else if (display.underline >= line.cutFrom)
                    visible = false;
            }
            if (visible && at < s.size()) {
                // Where the character shows: text that bidi reorders takes the visual place.
                int x0 = 0, x1 = 0;
                const bool tabs = expandTabs && s.find(u'\t') != s.npos;
                if (tabs || !GetCharacterSpan(hdc, s.data(), static_cast<int>(s.size()),
                                              static_cast<int>(at), eto, &x0, &x1)) {
                    formatter.measure(s, -1, edges);
                    x0 = at ? edges[at - 1] : 0;
                    x1 = edges[at];
                }
                if (x1 > x0) drawUnderline(hdc, x + x0, y, x1 - x0, eto, clip);
            }
        }
        y += lineHeight;
    }
    SetTextAlign(hdc, oldAlign);
    if (params) params->uiLengthDrawn = static_cast<UINT>(drawnUpTo);
    return result;
}

int DrawTextW(HDC hdc, LPCWSTR text, int length, RECT* rc, UINT format) {
    // As on Windows, DT_MODIFYSTRING writes into the text even through this signature.
    return DrawTextExW(hdc, const_cast<LPWSTR>(text), length, rc, format, nullptr);
}

}  // namespace orvane::platform
