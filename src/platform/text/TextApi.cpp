// Fonts in DCs, text metrics, measuring and drawing text.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

#include "platform/base/TextBuffer.h"
#include "platform/gdi/CoverageBlend.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/gdi/PixelBlend.h"
#include "platform/text/Text.h"
#include "platform/text/TextLayout.h"

namespace orvane::platform {

namespace {

constexpr int kMaxTextLength = 1 << 20;

// Fonts and glyphs are kept for speed, but not without end: past these limits everything is
// dropped and made again as needed. This happens only between calls, when nothing holds a face.
void trimCaches() {
    constexpr std::size_t kMaxFaces = 96, kMaxFonts = 256, kMaxGlyphBytes = std::size_t{64} << 20;
    if (FontFace::cachedFaces() <= kMaxFaces && RealizedFont::cachedFonts() <= kMaxFonts &&
        FontFace::glyphBytes() <= kMaxGlyphBytes)
        return;
    TextLayout::clearCache();
    RealizedFont::clearCache();
    FontFace::clearCache();
}

RealizedFont* fontOf(DeviceContext& dc) {
    trimCaches();
    auto* font = HandleTable::current().get<FontObject>(dc.state().font);
    if (!font) return nullptr;
    if (!font->realized || font->realizedGeneration != RealizedFont::generation()) {
        font->realized = &RealizedFont::forLogFont(font->log);
        font->realizedGeneration = RealizedFont::generation();
    }
    return font->realized;
}

bool textArgs(LPCWSTR text, int length) {
    if (length < 0 || length > kMaxTextLength || (!text && length > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

// Premultiplied colour over a pixel; GDI leaves the alpha byte at zero.
inline std::uint32_t blendColor(std::uint32_t dst, std::uint32_t src) {
    return src >> 24 ? PixelBlend::over(src, dst) & 0x00FFFFFFu : dst;
}

void drawGlyph(PixelSurface& surface, const Region& clip, const FontFace::Glyph& g, int penX,
               int baseline, std::uint32_t color) {
    const int left = penX + g.left, top = baseline - g.top;
    const int right = left + g.width, bottom = top + g.height;
    if (!g.color) {
        const CoverageBlend::Coverage whole{g.alpha.data(), g.width, g.height, g.ink.data()};
        // Most glyphs lie wholly inside one clip rectangle: their rows need no clipping then.
        for (const RECT& c : clip.rects()) {
            if (c.top > top) break;
            if (c.left > left || c.right < right || c.bottom < bottom) continue;
            CoverageBlend::rows(surface, whole, left, top, left, right, color);
            return;
        }
        for (const RECT& c : clip.rects()) {
            if (c.top >= bottom) break;
            const int y0 = std::max<int>(c.top, top), y1 = std::min<int>(c.bottom, bottom);
            if (y0 >= y1 || c.left >= right || c.right <= left) continue;
            const auto skipped = static_cast<std::size_t>(y0 - top);
            const CoverageBlend::Coverage part{
                g.alpha.data() + skipped * static_cast<std::size_t>(g.width), g.width, y1 - y0,
                g.ink.data() + skipped};
            CoverageBlend::rows(surface, part, left, y0, std::max<int>(c.left, left),
                                std::min<int>(c.right, right), color);
        }
        return;
    }
    for (const RECT& c : clip.rects()) {
        if (c.top >= bottom) break;
        const int y0 = std::max<int>(c.top, top), y1 = std::min<int>(c.bottom, bottom);
        const int cx0 = std::max<int>(c.left, left), cx1 = std::min<int>(c.right, right);
        if (y0 >= y1 || cx0 >= cx1) continue;
        for (int y = y0; y < y1; ++y) {
            const auto [inkFirst, inkLast] = g.ink[static_cast<std::size_t>(y - top)];
            const int x0 = std::max(cx0, left + inkFirst);
            const int x1 = std::min(cx1, left + inkLast);
            if (x0 >= x1) continue;
            std::uint32_t* row = surface.row(y);
            // The glyph row's first pixel lies `left` pixels into the surface row; x0 >= left,
            // so the index below is never negative.
            const std::size_t src = static_cast<std::size_t>(
                static_cast<std::ptrdiff_t>(y - top) * g.width + (x0 - left));
            for (int x = x0; x < x1; ++x)
                row[x] = blendColor(row[x], g.pixels[src + static_cast<std::size_t>(x - x0)]);
        }
    }
}

// Underline and strike-out across a line of text drawn from x.
void drawLines(PixelSurface& surface, const Region& clip, RealizedFont& font, int x, int baseline,
               int textWidth, std::uint32_t color) {
    if (!font.underline() && !font.strikeOut()) return;
    Paint paint;
    paint.color = color;
    Rasterizer raster(surface, clip);
    const FontFace::Metrics& m = font.primary() ? font.primary()->metrics() : FontFace::Metrics{};
    if (font.underline()) {
        const int yy = baseline + static_cast<int>(m.underlinePosition);
        raster.fillRect(RECT{x, yy, x + textWidth, yy + static_cast<int>(m.underlineThickness)},
                        paint);
    }
    if (font.strikeOut()) {
        const int yy = baseline - static_cast<int>(m.strikeoutPosition);
        raster.fillRect(RECT{x, yy, x + textWidth, yy + static_cast<int>(m.strikeoutThickness)},
                        paint);
    }
}

}  // namespace

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCWSTR face) {
    LOGFONTW lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic ? 1 : 0);
    lf.lfUnderline = static_cast<BYTE>(underline ? 1 : 0);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut ? 1 : 0);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    for (int i = 0; face && face[i] && i < LF_FACESIZE - 1; ++i)
        lf.lfFaceName[i] = face[i];
    return CreateFontIndirectW(&lf);
}

BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* tm) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    RealizedFont* font = fontOf(*dc);
    if (!tm || !font) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *tm = font->metrics();
    return TRUE;
}

int GetTextFaceW(HDC hdc, int size, LPWSTR face) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return 0;
    RealizedFont* font = fontOf(*dc);
    if (!font) return 0;
    const std::u16string& name = font->faceName();
    // Without a buffer the answer is the size needed, terminating zero included.
    if (!face) return static_cast<int>(name.size()) + 1;
    if (size <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return CopyToBuffer(name, face, size);
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int length, SIZE* size) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    if (!size || !textArgs(text, length)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RealizedFont* font = fontOf(*dc);
    if (!font) return FALSE;
    const double width = length ? TextLayout::measure(*font, std::u16string_view(text, length),
                                                      dc->state().charExtra)
                                : 0;
    size->cx = static_cast<LONG>(std::lround(width));
    size->cy = font->metrics().tmHeight;
    return TRUE;
}

BOOL GetTextExtentPointW(HDC hdc, LPCWSTR text, int length, SIZE* size) {
    return GetTextExtentPoint32W(hdc, text, length, size);
}

BOOL GetCharacterSpan(HDC hdc, LPCWSTR text, int length, int index, UINT options, int* left,
                      int* right) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc || !left || !right) return FALSE;
    if (!textArgs(text, length) || index < 0 || index >= length) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RealizedFont* font = fontOf(*dc);
    if (!font) return FALSE;
    const bool rtl = (options & ETO_RTLREADING) || (dc->state().textAlign & TA_RTLREADING);
    const auto layout =
        TextLayout::shaped(*font, std::u16string_view(text, length), rtl, dc->state().charExtra);
    const auto [x, width] = layout->span(static_cast<std::size_t>(index));
    *left = static_cast<int>(std::lround(x));
    *right = static_cast<int>(std::lround(x + width));
    return TRUE;
}

BOOL GetTextExtentExPointW(HDC hdc, LPCWSTR text, int length, int maxExtent, int* fit, int* dx,
                           SIZE* size) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    if (!textArgs(text, length)) return FALSE;
    RealizedFont* font = fontOf(*dc);
    if (!font) return FALSE;
    const auto shared = TextLayout::shaped(*font, std::u16string_view(text ? text : u"", length),
                                           false, dc->state().charExtra);
    const TextLayout& layout = *shared;
    const auto& adv = layout.advances();
    double sum = 0;
    int fitting = 0;
    bool stopped = false;
    for (int i = 0; i < length; ++i) {
        sum += adv[i];
        const int edge = roundPosition(sum);
        if (dx) dx[i] = edge;
        if (!stopped && maxExtent >= 0 && edge <= maxExtent)
            fitting = i + 1;
        else
            stopped = true;
    }
    if (fit) *fit = maxExtent < 0 ? length : fitting;
    if (size)
        *size = SIZE{static_cast<LONG>(std::lround(layout.width())), font->metrics().tmHeight};
    return TRUE;
}

BOOL GetCharWidth32W(HDC hdc, UINT first, UINT last, INT* widths) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    if (!widths || last < first || last - first > 0x10FFFF || last > 0x10FFFF) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RealizedFont* font = fontOf(*dc);
    if (!font) return FALSE;
    for (UINT c = first; c <= last; ++c) {
        char16_t units[2];
        std::size_t n = 1;
        if (c >= 0x10000) {
            units[0] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            units[1] = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            n = 2;
        } else {
            units[0] = static_cast<char16_t>(c);
        }
        widths[c - first] = static_cast<INT>(
            std::lround(TextLayout::measure(*font, std::u16string_view(units, n), 0)));
    }
    return TRUE;
}

UINT SetTextAlign(HDC hdc, UINT align) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return GDI_ERROR;
    const UINT old = dc->state().textAlign;
    dc->state().textAlign = align & TA_MASK;
    return old;
}

UINT GetTextAlign(HDC hdc) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    return dc ? dc->state().textAlign : GDI_ERROR;
}

int SetTextCharacterExtra(HDC hdc, int extra) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return static_cast<int>(0x80000000);
    const int old = dc->state().charExtra;
    dc->state().charExtra = std::clamp(extra, -1000, 1000);
    return old;
}

int GetTextCharacterExtra(HDC hdc) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    return dc ? dc->state().charExtra : static_cast<int>(0x80000000);
}

namespace {

// Where each glyph of a line goes when a spacing array gives the characters' advances, from
// the line's left end: every cluster is as wide as its characters' advances add up to, the
// clusters follow one another in visual order (right-to-left runs too), and a glyph keeps its
// offset within its cluster.
std::vector<double> spacedGlyphX(const TextLayout& layout, const INT* dx, UINT length) {
    std::vector<double> starts(length + 1, 0.0);
    for (UINT i = 0; i < length; ++i)
        starts[i + 1] = starts[i] + dx[i];
    const auto& glyphs = layout.glyphs();
    std::vector<std::uint32_t> clusterStarts;
    clusterStarts.reserve(glyphs.size());
    for (const TextLayout::Glyph& g : glyphs)
        clusterStarts.push_back(std::min<std::uint32_t>(g.cluster, length));
    std::sort(clusterStarts.begin(), clusterStarts.end());
    clusterStarts.erase(std::unique(clusterStarts.begin(), clusterStarts.end()),
                        clusterStarts.end());
    std::vector<double> xs(glyphs.size());
    double pen = 0;
    for (std::size_t g = 0; g < glyphs.size();) {
        const std::uint32_t cluster = glyphs[g].cluster;
        std::size_t next = g;
        for (; next < glyphs.size() && glyphs[next].cluster == cluster; ++next)
            xs[next] = pen + (glyphs[next].x - glyphs[g].pen);
        const auto after = std::upper_bound(clusterStarts.begin(), clusterStarts.end(), cluster);
        const std::uint32_t end = after == clusterStarts.end() ? length : *after;
        const std::uint32_t first = std::min<std::uint32_t>(cluster, length);
        pen += starts[end] - starts[first];
        g = next;
    }
    return xs;
}

// Text at an escapement: the line is laid out upright into a coverage map, which is then
// turned about the reference point. Quarter turns map pixels exactly; other angles sample
// the map bilinearly.
void drawRotated(DeviceContext& dc, PixelSurface& surface, const Region& clip, RealizedFont& font,
                 const TextLayout& layout, double width, const std::vector<double>* glyphX,
                 POINT ref, int escapement) {
    const auto& s = dc.state();
    const TEXTMETRICW& tm = font.metrics();
    const int w = std::max(1, static_cast<int>(std::lround(width)));
    const int h = std::max(1, static_cast<int>(tm.tmHeight));
    std::vector<std::uint8_t> cover(static_cast<std::size_t>(w) * h, 0);
    auto plot = [&](int x, int y, unsigned a) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        std::uint8_t& c = cover[static_cast<std::size_t>(y) * w + x];
        c = static_cast<std::uint8_t>(std::min(255u, c + a));
    };
    for (std::size_t k = 0; k < layout.glyphs().size(); ++k) {
        const TextLayout::Glyph& g = layout.glyphs()[k];
        const double gx = glyphX ? (*glyphX)[k] : g.x;
        const FontFace::Glyph& b = g.face->glyph(g.index);
        const int ox = static_cast<int>(std::lround(gx)) + b.left;
        const int oy = tm.tmAscent + static_cast<int>(std::lround(g.y)) - b.top;
        for (int yy = 0; yy < b.height; ++yy)
            for (int xx = 0; xx < b.width; ++xx) {
                const std::size_t i = static_cast<std::size_t>(yy) * b.width + xx;
                plot(ox + xx, oy + yy, b.color ? (b.pixels[i] >> 24) : b.alpha[i]);
            }
    }
    if (font.underline() || font.strikeOut()) {
        const FontFace::Metrics m =
            font.primary() ? font.primary()->metrics() : FontFace::Metrics{};
        auto bar = [&](int y0, int thickness) {
            for (int y = y0; y < y0 + thickness; ++y)
                for (int x = 0; x < w; ++x)
                    plot(x, y, 255);
        };
        if (font.underline())
            bar(tm.tmAscent + static_cast<int>(m.underlinePosition),
                static_cast<int>(m.underlineThickness));
        if (font.strikeOut())
            bar(tm.tmAscent - static_cast<int>(m.strikeoutPosition),
                static_cast<int>(m.strikeoutThickness));
    }
    // Directions on the screen: along the baseline, and down across it.
    const int tenths = ((escapement % 3600) + 3600) % 3600;
    const double angle = tenths * M_PI / 1800.0;
    double cosA = std::cos(angle), sinA = std::sin(angle);
    if (tenths % 900 == 0) {
        cosA = std::round(cosA);
        sinA = std::round(sinA);
    }
    const double dX = cosA, dY = -sinA, nX = sinA, nY = cosA;
    // The box's top-left corner from the reference point and the alignment.
    double along = 0, across = 0;
    const UINT hAlign = s.textAlign & TA_CENTER, vAlign = s.textAlign & TA_BASELINE;
    if (hAlign == TA_RIGHT)
        along = -w;
    else if (hAlign == TA_CENTER)
        along = -w / 2.0;
    if (vAlign == TA_BASELINE)
        across = -tm.tmAscent;
    else if (vAlign == TA_BOTTOM)
        across = -h;
    const POINT p = dc.toSurface(ref.x, ref.y);
    const double cx = p.x + along * dX + across * nX, cy = p.y + along * dY + across * nY;
    const double corners[4][2] = {{cx, cy},
                                  {cx + w * dX, cy + w * dY},
                                  {cx + h * nX, cy + h * nY},
                                  {cx + w * dX + h * nX, cy + w * dY + h * nY}};
    double minX = corners[0][0], maxX = minX, minY = corners[0][1], maxY = minY;
    for (const auto& c : corners) {
        minX = std::min(minX, c[0]);
        maxX = std::max(maxX, c[0]);
        minY = std::min(minY, c[1]);
        maxY = std::max(maxY, c[1]);
    }
    const RECT box{static_cast<LONG>(std::floor(minX)), static_cast<LONG>(std::floor(minY)),
                   static_cast<LONG>(std::ceil(maxX)), static_cast<LONG>(std::ceil(maxY))};
    const std::uint32_t color = dc.pixelFor(s.textColor), background = dc.pixelFor(s.bkColor);
    const bool exact = tenths % 900 == 0;
    auto sample = [&](double u, double v) -> unsigned {
        if (exact) {
            const int iu = static_cast<int>(std::floor(u)), iv = static_cast<int>(std::floor(v));
            if (iu < 0 || iv < 0 || iu >= w || iv >= h) return 0;
            return cover[static_cast<std::size_t>(iv) * w + iu];
        }
        const double fu = u - 0.5, fv = v - 0.5;
        const int u0 = static_cast<int>(std::floor(fu)), v0 = static_cast<int>(std::floor(fv));
        const double tu = fu - u0, tv = fv - v0;
        auto at = [&](int a, int b) -> double {
            return (a < 0 || b < 0 || a >= w || b >= h)
                       ? 0.0
                       : cover[static_cast<std::size_t>(b) * w + a];
        };
        const double top = at(u0, v0) * (1 - tu) + at(u0 + 1, v0) * tu;
        const double bottom = at(u0, v0 + 1) * (1 - tu) + at(u0 + 1, v0 + 1) * tu;
        return static_cast<unsigned>(std::lround(top * (1 - tv) + bottom * tv));
    };
    for (const RECT& c : clip.rects()) {
        RECT part;
        if (!IntersectRect(&part, &c, &box)) continue;
        for (int y = part.top; y < part.bottom; ++y) {
            std::uint32_t* row = surface.row(y);
            for (int x = part.left; x < part.right; ++x) {
                const double rx = x + 0.5 - cx, ry = y + 0.5 - cy;
                const double u = rx * dX + ry * dY, v = rx * nX + ry * nY;
                const bool inside = u >= 0 && v >= 0 && u < w && v < h;
                if (inside && s.bkMode == OPAQUE) row[x] = background;
                row[x] = CoverageBlend::pixel(row[x], color, sample(u, v));
            }
        }
    }
}

}  // namespace

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rc, LPCWSTR text, UINT length,
                 const INT* dx) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    constexpr UINT kKnown = ETO_OPAQUE | ETO_CLIPPED | ETO_RTLREADING | ETO_NUMERICSLOCAL |
                            ETO_NUMERICSLATIN | ETO_IGNORELANGUAGE;
    if (options & ~kKnown) {
        ReportUnsupported("ExtTextOutW", "options (glyph indexes, y spacing)",
                          ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!textArgs(text, static_cast<int>(std::min<UINT>(length, kMaxTextLength + 1)))) return FALSE;
    RealizedFont* font = fontOf(*dc);
    PixelSurface* surface = dc->surface();
    if (!font || !surface) return font ? TRUE : FALSE;
    auto& s = dc->state();
    if ((options & ETO_OPAQUE) && rc) {
        const COLORREF old = SetDCBrushColor(hdc, s.bkColor);
        FillRect(hdc, rc, HBRUSH(GetStockObject(DC_BRUSH)));
        SetDCBrushColor(hdc, old);
    }
    if (length == 0) return TRUE;
    const bool rtl = (options & ETO_RTLREADING) || (s.textAlign & TA_RTLREADING);
    const auto shared =
        TextLayout::shaped(*font, std::u16string_view(text, length), rtl, s.charExtra);
    const TextLayout& layout = *shared;
    const TEXTMETRICW& tm = font->metrics();
    // With a spacing array, the glyphs go where its advances put their clusters.
    std::vector<double> glyphX;
    double width = layout.width();
    if (dx) {
        glyphX = spacedGlyphX(layout, dx, length);
        width = 0;
        for (UINT i = 0; i < length; ++i)
            width += dx[i];
    }
    // The reference point: the current position when asked, then the alignment.
    const bool updateCp = s.textAlign & TA_UPDATECP;
    POINT ref{x, y};
    if (updateCp) ref = s.currentPos;
    // In the advanced graphics mode each character turns by the orientation while the line
    // runs along the escapement; in the compatible mode the orientation is the escapement.
    const LOGFONTW& lf = font->log();
    if (s.graphicsMode == GM_ADVANCED && (lf.lfOrientation - lf.lfEscapement) % 3600 != 0) {
        Region clip = dc->clipRegion();
        if ((options & ETO_CLIPPED) && rc) clip = clip.intersected(dc->rectToSurface(*rc));
        const double e = lf.lfEscapement * M_PI / 1800.0;
        const double dX = std::cos(e), dY = -std::sin(e), nX = std::sin(e), nY = std::cos(e);
        const UINT hAlign = s.textAlign & TA_CENTER, vAlign = s.textAlign & TA_BASELINE;
        double along = hAlign == TA_RIGHT ? -width : hAlign == TA_CENTER ? -width / 2 : 0;
        double across = vAlign == TA_TOP ? tm.tmAscent : vAlign == TA_BOTTOM ? -tm.tmDescent : 0;
        const double x0 = ref.x + along * dX + across * nX, y0 = ref.y + along * dY + across * nY;
        const UINT savedAlign = s.textAlign;
        s.textAlign = TA_LEFT | TA_BASELINE;
        const auto& glyphs = layout.glyphs();
        const std::u16string_view all(text, length);
        // Where each cluster starts, in logical order: a cluster ends where the next begins.
        std::vector<std::uint32_t> clusterStarts;
        for (const TextLayout::Glyph& g : glyphs)
            clusterStarts.push_back(g.cluster);
        std::sort(clusterStarts.begin(), clusterStarts.end());
        clusterStarts.erase(std::unique(clusterStarts.begin(), clusterStarts.end()),
                            clusterStarts.end());
        for (std::size_t g = 0; g < glyphs.size();) {
            // One cluster at a time, turned about its place on the baseline.
            const std::uint32_t cluster = glyphs[g].cluster;
            const double pen = dx ? glyphX[g] - glyphs[g].x + glyphs[g].pen : glyphs[g].pen;
            std::size_t next = g;
            while (next < glyphs.size() && glyphs[next].cluster == cluster)
                ++next;
            const auto after =
                std::upper_bound(clusterStarts.begin(), clusterStarts.end(), cluster);
            const std::uint32_t end =
                after == clusterStarts.end() ? static_cast<std::uint32_t>(length) : *after;
            const TextLayout piece(*font, all.substr(cluster, end - cluster), false, s.charExtra);
            const POINT at{static_cast<LONG>(std::lround(x0 + pen * dX)),
                           static_cast<LONG>(std::lround(y0 + pen * dY))};
            drawRotated(*dc, *surface, clip, *font, piece, piece.width(), nullptr, at,
                        lf.lfOrientation);
            g = next;
        }
        s.textAlign = savedAlign;
        if (updateCp)
            s.currentPos = POINT{static_cast<LONG>(std::lround(ref.x + width * dX)),
                                 static_cast<LONG>(std::lround(ref.y + width * dY))};
        return TRUE;
    }
    if (font->log().lfEscapement % 3600 != 0) {
        Region clip = dc->clipRegion();
        if ((options & ETO_CLIPPED) && rc) clip = clip.intersected(dc->rectToSurface(*rc));
        drawRotated(*dc, *surface, clip, *font, layout, width, dx ? &glyphX : nullptr, ref,
                    font->log().lfEscapement);
        return TRUE;
    }
    const UINT h = s.textAlign & TA_CENTER, v = s.textAlign & TA_BASELINE;
    double left = ref.x;
    if (h == TA_RIGHT)
        left -= width;
    else if (h == TA_CENTER)
        left -= width / 2;
    int top = ref.y;
    if (v == TA_BASELINE)
        top -= tm.tmAscent;
    else if (v == TA_BOTTOM)
        top -= tm.tmHeight;
    if (updateCp) {
        if (h == TA_LEFT)
            s.currentPos.x = ref.x + static_cast<LONG>(std::lround(width));
        else if (h == TA_RIGHT)
            s.currentPos.x = ref.x - static_cast<LONG>(std::lround(width));
    }
    const int textWidth = static_cast<int>(std::lround(width));
    POINT origin = dc->toSurface(static_cast<std::int32_t>(std::lround(left)), top);
    // In a mirrored DC the line still reads left to right on the surface: it fills the logical
    // span [left, left + width), which ends on the surface where `left` lands.
    if (dc->isMirrored()) origin.x -= textWidth;
    const int baseline = origin.y + tm.tmAscent;
    // Clipping: the DC's region, and the rectangle when asked (the region is copied only then,
    // into memory kept between calls).
    static thread_local Region clipped;
    const Region* clipPtr = &dc->clipRegion();
    if ((options & ETO_CLIPPED) && rc) {
        clipped.assignIntersection(*clipPtr, dc->rectToSurface(*rc));
        clipPtr = &clipped;
    }
    const Region& clip = *clipPtr;
    if (s.bkMode == OPAQUE) {
        Paint paint;
        paint.color = dc->pixelFor(s.bkColor);
        Rasterizer(*surface, clip)
            .fillRect(RECT{origin.x, origin.y, origin.x + textWidth, origin.y + tm.tmHeight},
                      paint);
    }
    // Text wholly outside the clip (a row of a window only partly invalid) draws nothing; no
    // glyph reaches a line's height past the line's box.
    const RECT reach{origin.x - tm.tmHeight, origin.y - tm.tmHeight,
                     origin.x + textWidth + tm.tmOverhang + tm.tmHeight,
                     origin.y + 2 * tm.tmHeight};
    const RECT clipBox = clip.bounds();
    if (RECT meet; !IntersectRect(&meet, &reach, &clipBox)) return TRUE;
    const std::uint32_t color = dc->pixelFor(s.textColor);
    surface->prefetch(
        RECT{origin.x, origin.y, origin.x + textWidth + tm.tmOverhang, origin.y + tm.tmHeight});
    // Without a spacing array the line's cached coverage is blended as one bitmap.
    if (const FontFace::Glyph* line = dx ? nullptr : layout.coverage()) {
        drawGlyph(*surface, clip, *line, origin.x, baseline, color);
        drawLines(*surface, clip, *font, origin.x, baseline, textWidth, color);
        return TRUE;
    }
    const auto& glyphs = layout.glyphs();
    for (std::size_t k = 0; k < glyphs.size(); ++k) {
        const TextLayout::Glyph& g = glyphs[k];
        const FontFace::Glyph& bitmap = g.face->glyph(g.index);
        drawGlyph(*surface, clip, bitmap, origin.x + roundPosition(dx ? glyphX[k] : g.x),
                  baseline + roundPosition(g.y), color);
    }
    drawLines(*surface, clip, *font, origin.x, baseline, textWidth, color);
    return TRUE;
}

int EnumFontFamiliesExW(HDC hdc, LOGFONTW* filter, FONTENUMPROCW proc, LPARAM lParam, DWORD flags) {
    if (!gdi::dcFrom(hdc)) return 0;
    if (!filter || !proc || flags != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::vector<std::string> names = FontResolver::current().families();
    for (const char* alias :
         {"Arial", "Courier New", "Microsoft Sans Serif", "MS Sans Serif", "MS Shell Dlg",
          "Segoe UI", "Tahoma", "Times New Roman", "Verdana", "Consolas"})
        names.push_back(alias);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    std::u16string wanted;
    for (int i = 0; i < LF_FACESIZE && filter->lfFaceName[i]; ++i)
        wanted += filter->lfFaceName[i];
    auto fold = [](std::u16string v) {
        for (auto& c : v)
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        return v;
    };
    int result = 1;
    for (const std::string& name : names) {
        std::u16string wide(name.begin(), name.end());
        if (wide.size() >= LF_FACESIZE) continue;
        if (!wanted.empty() && fold(wide) != fold(wanted)) continue;
        ENUMLOGFONTEXW elf;
        elf.elfLogFont.lfHeight = -12;
        elf.elfLogFont.lfWeight = FW_NORMAL;
        elf.elfLogFont.lfCharSet = ANSI_CHARSET;
        std::copy(wide.begin(), wide.end(), elf.elfLogFont.lfFaceName);
        std::copy(wide.begin(), wide.end(), elf.elfFullName);
        const char16_t regular[] = u"Regular";
        std::copy(std::begin(regular), std::end(regular), elf.elfStyle);
        const char16_t western[] = u"Western";
        std::copy(std::begin(western), std::end(western), elf.elfScript);
        NEWTEXTMETRICEXW ntm;
        static_cast<TEXTMETRICW&>(ntm.ntmTm) = RealizedFont::forLogFont(elf.elfLogFont).metrics();
        result = proc(&elf.elfLogFont, &ntm.ntmTm, TRUETYPE_FONTTYPE, lParam);
        if (!result) break;
    }
    return result;
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int length) {
    if (length < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ExtTextOutW(hdc, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
}

}  // namespace orvane::platform
