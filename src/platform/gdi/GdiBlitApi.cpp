// Bit-block transfers: BitBlt, StretchBlt, PatBlt, the DIB calls, AlphaBlend, GradientFill and
// TransparentBlt. All share one walk over the destination pixels, which handles clipping,
// mirroring, negative sizes and rotated world transforms.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/gdi/DibConverter.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/gdi/PixelBlend.h"
#include "platform/gdi/SurfaceBlend.h"

namespace orvane::platform {

namespace {

constexpr int kMaxBlitSide = 1 << 20;

std::uint32_t rop3(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    switch (code) {
        case 0xCC:
            return s;
        case 0x66:
            return s ^ d;
        case 0x88:
            return s & d;
        case 0xEE:
            return s | d;
        case 0x33:
            return ~s;
        case 0xF0:
            return p;
        case 0x5A:
            return p ^ d;
        case 0x55:
            return ~d;
        case 0x00:
            return 0;
        case 0xFF:
            return 0xFFFFFFFFu;
    }
    std::uint32_t r = 0;
    if (code & 0x01) r |= ~p & ~s & ~d;
    if (code & 0x02) r |= ~p & ~s & d;
    if (code & 0x04) r |= ~p & s & ~d;
    if (code & 0x08) r |= ~p & s & d;
    if (code & 0x10) r |= p & ~s & ~d;
    if (code & 0x20) r |= p & ~s & d;
    if (code & 0x40) r |= p & s & ~d;
    if (code & 0x80) r |= p & s & d;
    return r;
}

bool ropUsesSource(std::uint8_t code) {
    return ((code >> 2) & 0x33) != (code & 0x33);
}
bool ropUsesPattern(std::uint8_t code) {
    return ((code >> 4) & 0x0F) != (code & 0x0F);
}

// Rounds x / 255 to the nearest integer for x in [0, 255 * 255].
inline std::uint32_t div255(std::uint32_t x) {
    return (x + 128 + ((x + 128) >> 8)) >> 8;
}

// Where the destination rectangle lies and how source positions map onto it.
struct DestWalk {
    DeviceContext& dc;
    int x, y, w, h;     // logical destination, sizes may be negative
    bool mirrorBitmap;  // flip horizontally for a mirrored DC

    // Calls fn(px, py, u, v) for each visible destination pixel; u and v run over [0, 1)
    // across the destination rectangle from its source-facing corner.
    template <class Fn>
    void run(Fn&& fn) {
        PixelSurface* surface = dc.surface();
        if (!surface || w == 0 || h == 0) return;
        const Region& clip = dc.clipRegion();
        if (!dc.hasRotation()) {
            const RECT r = dc.rectToSurface(RECT{x, y, x + w, y + h});
            const int rw = r.right - r.left, rh = r.bottom - r.top;
            if (rw <= 0 || rh <= 0) return;
            const bool flipX = (w < 0) != mirrorBitmap;
            const bool flipY = h < 0;
            for (const RECT& c : clip.rects()) {
                RECT part;
                if (!IntersectRect(&part, &c, &r)) continue;
                for (int py = part.top; py < part.bottom; ++py) {
                    double v = (py + 0.5 - r.top) / rh;
                    if (flipY) v = 1.0 - v;
                    for (int px = part.left; px < part.right; ++px) {
                        double u = (px + 0.5 - r.left) / rw;
                        if (flipX) u = 1.0 - u;
                        fn(px, py, u, v);
                    }
                }
            }
            return;
        }
        // Rotated: walk the bounding box and map each pixel back to logical coordinates.
        const POINT corners[4] = {dc.toSurface(x, y), dc.toSurface(x + w, y),
                                  dc.toSurface(x, y + h), dc.toSurface(x + w, y + h)};
        RECT box{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
        for (const POINT& p : corners) {
            box.left = std::min(box.left, p.x);
            box.top = std::min(box.top, p.y);
            box.right = std::max(box.right, p.x);
            box.bottom = std::max(box.bottom, p.y);
        }
        const auto& s = dc.state();
        const XFORM& m = s.xform;
        const double det = m.eM11 * m.eM22 - m.eM12 * m.eM21;
        const POINT org = dc.surfaceOrigin();
        for (const RECT& c : clip.rects()) {
            RECT part;
            if (!IntersectRect(&part, &c, &box)) continue;
            for (int py = part.top; py < part.bottom; ++py) {
                for (int px = part.left; px < part.right; ++px) {
                    double dx = px + 0.5 - org.x, dy = py + 0.5 - org.y;
                    if (dc.isMirrored()) dx = dc.deviceSize().cx - dx;
                    const double wx = dx - s.viewportOrg.x + s.windowOrg.x - m.eDx;
                    const double wy = dy - s.viewportOrg.y + s.windowOrg.y - m.eDy;
                    const double lx = (wx * m.eM22 - wy * m.eM21) / det;
                    const double ly = (wy * m.eM11 - wx * m.eM12) / det;
                    const double u = (lx - x) / w, v = (ly - y) / h;
                    if (u < 0 || u >= 1 || v < 0 || v >= 1) continue;
                    fn(px, py, u, v);
                }
            }
        }
    }
};

// A source rectangle on a source surface, sampled at fractional positions.
struct SourceRect {
    PixelSurface* surface = nullptr;
    RECT r{};  // surface coordinates
    bool flipX = false;
    bool flipY = false;

    bool pixel(double u, double v, int& sx, int& sy) const {
        if (flipX) u = 1.0 - u;
        if (flipY) v = 1.0 - v;
        sx = r.left + static_cast<int>(u * (r.right - r.left));
        sy = r.top + static_cast<int>(v * (r.bottom - r.top));
        return surface->contains(sx, sy);
    }
};

SourceRect sourceRect(DeviceContext& src, int x, int y, int w, int h) {
    SourceRect s;
    s.surface = src.surface();
    s.r = src.rectToSurface(RECT{x, y, x + w, y + h});
    s.flipX = w < 0;
    s.flipY = h < 0;
    return s;
}

bool sizesSane(int w, int h) {
    return std::abs(w) <= kMaxBlitSide && std::abs(h) <= kMaxBlitSide;
}

// Positions whose far corner would leave the 32-bit range are refused before any arithmetic.
bool placeSane(int x, int y, int w, int h) {
    constexpr long long kLimit = 1LL << 29;
    auto ok = [&](long long v) { return v > -kLimit && v < kLimit; };
    return ok(x) && ok(y) && ok(static_cast<long long>(x) + w) && ok(static_cast<long long>(y) + h);
}

bool mirrorsBitmaps(DeviceContext& dc, DWORD rop) {
    return dc.isMirrored() && !(dc.state().layout & LAYOUT_BITMAPORIENTATIONPRESERVED) &&
           !(rop & NOMIRRORBITMAP);
}

// Converts a source pixel to the destination's format: monochrome sources take the
// destination's text (0) and background (1) colours; colour sources going to a monochrome
// destination become white where they match the source's background colour.
struct FormatMap {
    bool srcMono = false, dstMono = false;
    std::uint32_t fg = 0, bg = 0, srcBk = 0;
    static FormatMap between(DeviceContext& src, DeviceContext& dst) {
        FormatMap map;
        map.srcMono = src.isMonochrome();
        map.dstMono = dst.isMonochrome();
        map.fg = dst.pixelFor(dst.state().textColor);
        map.bg = dst.pixelFor(dst.state().bkColor);
        map.srcBk = PixelSurface::fromColor(src.state().bkColor & 0xFFFFFF);
        return map;
    }
    std::uint32_t operator()(std::uint32_t p) const {
        if (srcMono && !dstMono) return (p & 0xFFFFFF) ? bg : fg;
        if (!srcMono && dstMono) return (p & 0xFFFFFF) == srcBk ? 0xFFFFFFu : 0u;
        return p;
    }
};

BOOL stretch(HDC hdcDst, int x, int y, int w, int h, HDC hdcSrc, int sx, int sy, int sw, int sh,
             DWORD rop, bool isStretch) {
    DeviceContext* dst = gdi::dcFrom(hdcDst);
    if (!dst) return FALSE;
    const std::uint8_t code = static_cast<std::uint8_t>((rop >> 16) & 0xFF);
    if ((rop & 0xFFFF) != 0 && ((rop & ~(NOMIRRORBITMAP | CAPTUREBLT)) & 0xFF000000)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!sizesSane(w, h) || !sizesSane(sw, sh) || !placeSane(x, y, w, h) ||
        !placeSane(sx, sy, sw, sh)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const bool useSource = ropUsesSource(code);
    DeviceContext* src = nullptr;
    if (useSource) {
        src = gdi::dcFrom(hdcSrc);
        if (!src) return FALSE;
        if (isStretch && (sw == 0 || sh == 0)) return FALSE;
    }
    PixelSurface* ds = dst->surface();
    if (!ds) return TRUE;
    Paint pattern;
    const bool usePattern = ropUsesPattern(code);
    if (usePattern && !gdi::selectedBrushPaint(*dst, pattern)) pattern.color = 0;
    pattern.hatchOpaque = true;
    const bool mirror = mirrorsBitmaps(*dst, rop);

    if (!useSource) {
        DestWalk{*dst, x, y, w, h, false}.run([&](int px, int py, double, double) {
            std::uint32_t& d = ds->at(px, py);
            const std::uint32_t p = usePattern ? Rasterizer::paintPixel(pattern, px, py) : 0;
            d = rop3(code, p, 0, d) & 0x00FFFFFFu;
        });
        return TRUE;
    }

    SourceRect s = sourceRect(*src, sx, sy, sw, sh);
    if (!s.surface) return TRUE;
    const FormatMap map = FormatMap::between(*src, *dst);

    // Fast path: a plain copy between surfaces of one format.
    const RECT dr = dst->rectToSurface(RECT{x, y, x + w, y + h});
    const bool sameSize = (dr.right - dr.left) == (s.r.right - s.r.left) &&
                          (dr.bottom - dr.top) == (s.r.bottom - s.r.top);
    if (code == 0xCC && !dst->hasRotation() && !mirror && w > 0 && h > 0 && sw > 0 && sh > 0 &&
        sameSize && map.srcMono == map.dstMono) {
        // Only source pixels inside the source surface are copied.
        RECT srcR = s.r;
        RECT valid;
        const RECT surfaceBounds{0, 0, s.surface->width(), s.surface->height()};
        if (!IntersectRect(&valid, &srcR, &surfaceBounds)) return TRUE;
        PixelSurface* from = s.surface;
        PixelSurface temp;
        if (s.surface == ds) {
            // Source and destination are the same pixels: copy through a temporary.
            temp.reset(valid.right - valid.left, valid.bottom - valid.top, 0);
            for (int yy = valid.top; yy < valid.bottom; ++yy)
                std::memcpy(temp.row(yy - valid.top), ds->row(yy) + valid.left, temp.width() * 4u);
            from = &temp;
            OffsetRect(&srcR, -valid.left, -valid.top);
            OffsetRect(&valid, -valid.left, -valid.top);
        }
        const int offX = srcR.left - dr.left, offY = srcR.top - dr.top;
        for (const RECT& c : dst->clipRegion().rects()) {
            RECT part;
            if (!IntersectRect(&part, &c, &dr)) continue;
            RECT srcPart = part;
            OffsetRect(&srcPart, offX, offY);
            if (!IntersectRect(&srcPart, &srcPart, &valid)) continue;
            OffsetRect(&srcPart, -offX, -offY);
            const int n = srcPart.right - srcPart.left;
            for (int yy = srcPart.top; yy < srcPart.bottom; ++yy)
                std::memcpy(ds->row(yy) + srcPart.left, from->row(yy + offY) + srcPart.left + offX,
                            n * 4u);
        }
        return TRUE;
    }

    // General path; sources that overlap the destination are read from a copy.
    PixelSurface copy;
    if (s.surface == ds) {
        copy.reset(ds->width(), ds->height());
        for (int yy = 0; yy < ds->height(); ++yy)
            std::memcpy(copy.row(yy), ds->row(yy), ds->width() * 4u);
        s.surface = &copy;
    }
    const int mode = dst->state().stretchMode;
    const int rw = std::max<int>(1, dr.right - dr.left), rh = std::max<int>(1, dr.bottom - dr.top);
    const int sW = s.r.right - s.r.left, sH = s.r.bottom - s.r.top;
    const bool shrinking = sW > rw || sH > rh;
    const bool combining = shrinking && mode != COLORONCOLOR && !dst->hasRotation();
    // Shrinking in a mode other than COLORONCOLOR combines the bx × by source pixels from
    // (x0, y0) that one destination pixel covers: their AND, OR or average. The boxes of a row
    // of destination pixels split the source between them, so every source pixel counts.
    // `at` is where the destination pixel's centre falls along the source, from 0 to 1.
    auto boxAlong = [](double at, int srcStart, int srcLen, int dstLen, int& start, int& len) {
        if (srcLen <= dstLen) {
            start = srcStart + static_cast<int>(at * srcLen);
            len = 1;
            return;
        }
        const int k = std::clamp(static_cast<int>(at * dstLen), 0, dstLen - 1);
        const auto edge = [&](int i) {
            return static_cast<int>(static_cast<std::int64_t>(i) * srcLen / dstLen);
        };
        start = srcStart + edge(k);
        len = edge(k + 1) - edge(k);
    };
    auto combineBox = [&](int x0, int y0, int bx, int by, std::uint32_t sp) {
        unsigned sum[4] = {0, 0, 0, 0};
        std::uint32_t andAll = 0xFFFFFFFFu, orAll = 0;
        int n = 0;
        for (int j = 0; j < by; ++j) {
            for (int i = 0; i < bx; ++i) {
                const int qx = x0 + i, qy = y0 + j;
                if (!s.surface->contains(qx, qy)) continue;
                const std::uint32_t q = s.surface->at(qx, qy);
                andAll &= q;
                orAll |= q;
                for (int k = 0; k < 4; ++k)
                    sum[k] += (q >> (8 * k)) & 0xFF;
                ++n;
            }
        }
        if (n == 0) return sp;
        if (mode == HALFTONE) {
            sp = 0;
            for (int k = 0; k < 4; ++k)
                sp |= ((sum[k] + n / 2) / n) << (8 * k);
            return sp;
        }
        return mode == BLACKONWHITE ? andAll : orAll;
    };
    // A source pixel onto the destination through the raster operation.
    auto put = [&](int px, int py, std::uint32_t sp) {
        sp = map(sp);
        std::uint32_t& d = ds->at(px, py);
        if (code == 0xCC) {
            d = sp;
            return;
        }
        const std::uint32_t p = usePattern ? Rasterizer::paintPixel(pattern, px, py) : 0;
        d = rop3(code, p, sp, d) & 0x00FFFFFFu;
    };
    if (!dst->hasRotation() && !mirror && w != 0 && h != 0) {
        // Without rotation every column and every row maps to the source on its own: work the
        // mapping out once per column and per row, with the same arithmetic as the walk below.
        const RECT r = dst->rectToSurface(RECT{x, y, x + w, y + h});
        const int cw = r.right - r.left, ch = r.bottom - r.top;
        if (cw <= 0 || ch <= 0) return TRUE;
        const bool flipX = w < 0, flipY = h < 0;
        std::vector<int> ixs(static_cast<std::size_t>(cw)), x0s(ixs.size()), bxs(ixs.size());
        std::vector<int> iys(static_cast<std::size_t>(ch)), y0s(iys.size()), bys(iys.size());
        for (int i = 0; i < cw; ++i) {
            double u = (r.left + i + 0.5 - r.left) / cw;
            if (flipX) u = 1.0 - u;
            double su = s.flipX ? 1.0 - u : u;
            const auto k = static_cast<std::size_t>(i);
            ixs[k] = s.r.left + static_cast<int>(su * sW);
            boxAlong(su, s.r.left, sW, rw, x0s[k], bxs[k]);
        }
        for (int j = 0; j < ch; ++j) {
            double v = (r.top + j + 0.5 - r.top) / ch;
            if (flipY) v = 1.0 - v;
            double sv = s.flipY ? 1.0 - v : v;
            const auto k = static_cast<std::size_t>(j);
            iys[k] = s.r.top + static_cast<int>(sv * sH);
            boxAlong(sv, s.r.top, sH, rh, y0s[k], bys[k]);
        }
        const int srcW = s.surface->width(), srcH = s.surface->height();
        for (const RECT& c : dst->clipRegion().rects()) {
            RECT part;
            if (!IntersectRect(&part, &c, &r)) continue;
            for (int py = part.top; py < part.bottom; ++py) {
                const int iy = iys[static_cast<std::size_t>(py - r.top)];
                if (iy < 0 || iy >= srcH) continue;
                const int y0 = y0s[static_cast<std::size_t>(py - r.top)];
                const int by = bys[static_cast<std::size_t>(py - r.top)];
                const std::uint32_t* srcRow = s.surface->row(iy);
                for (int px = part.left; px < part.right; ++px) {
                    const int ix = ixs[static_cast<std::size_t>(px - r.left)];
                    if (ix < 0 || ix >= srcW) continue;
                    std::uint32_t sp = srcRow[ix];
                    if (combining) {
                        const auto k = static_cast<std::size_t>(px - r.left);
                        sp = combineBox(x0s[k], y0, bxs[k], by, sp);
                    }
                    put(px, py, sp);
                }
            }
        }
        return TRUE;
    }
    DestWalk{*dst, x, y, w, h, mirror}.run([&](int px, int py, double u, double v) {
        int ix, iy;
        if (!s.pixel(u, v, ix, iy)) return;
        std::uint32_t sp = s.surface->at(ix, iy);
        if (combining) {
            int x0, bx, y0, by;
            boxAlong(s.flipX ? 1.0 - u : u, s.r.left, sW, rw, x0, bx);
            boxAlong(s.flipY ? 1.0 - v : v, s.r.top, sH, rh, y0, by);
            sp = combineBox(x0, y0, bx, by, sp);
        }
        put(px, py, sp);
    });
    return TRUE;
}

// A memory DC holding a decoded DIB, for the DIB calls to blit from.
struct DibSource {
    PixelSurface pixels;
    bool ok = false;
    DibSource(const void* bits, const BITMAPINFO* info) {
        if (!bits || !DibConverter::validate(info)) return;
        DibConverter::decode(info, bits, pixels);
        ok = true;
    }
};

// Runs a blit from decoded DIB pixels through a temporary DC.
template <class Fn>
bool withDibDc(DibSource& dib, Fn&& fn) {
    HDC mem = CreateCompatibleDC(HDC());
    HBITMAP bmp = CreateBitmap(dib.pixels.width(), dib.pixels.height(), 1, 32, nullptr);
    if (!mem || !bmp) {
        if (mem) DeleteDC(mem);
        if (bmp) DeleteObject(bmp);
        return false;
    }
    auto* obj = HandleTable::current().get<BitmapObject>(bmp.value);
    for (int y = 0; y < dib.pixels.height(); ++y)
        std::memcpy(obj->surface().row(y), dib.pixels.row(y), dib.pixels.width() * 4u);
    HGDIOBJ old = SelectObject(mem, bmp);
    const bool result = fn(mem);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    return result;
}

}  // namespace

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop) {
    return stretch(dst, x, y, width, height, src, sx, sy, width, height, rop, false);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw,
                int sh, DWORD rop) {
    return stretch(dst, x, y, width, height, src, sx, sy, sw, sh, rop, true);
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
    const std::uint8_t code = static_cast<std::uint8_t>((rop >> 16) & 0xFF);
    if (ropUsesSource(code)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return stretch(hdc, x, y, width, height, HDC(), 0, 0, width, height, rop, false);
}

int StretchDIBits(HDC hdc, int x, int y, int width, int height, int sx, int sy, int sw, int sh,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
    if (!gdi::dcFrom(hdc)) return 0;
    if (usage != DIB_RGB_COLORS) {
        ReportUnsupported("StretchDIBits", "palette colours", ERROR_INVALID_PARAMETER);
        return 0;
    }
    DibSource dib(bits, info);
    if (!dib.ok) return 0;
    // For bottom-up images the source y counts from the bottom row.
    const int h = dib.pixels.height();
    const int top = DibConverter::topDown(info) ? sy : h - sy - sh;
    const bool ok = withDibDc(dib, [&](HDC mem) {
        return StretchBlt(hdc, x, y, width, height, mem, sx, top, sw, sh, rop) != FALSE;
    });
    return ok ? h : 0;
}

int SetDIBitsToDevice(HDC hdc, int x, int y, DWORD width, DWORD height, int sx, int sy,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
                      UINT usage) {
    if (!gdi::dcFrom(hdc)) return 0;
    if (usage != DIB_RGB_COLORS) {
        ReportUnsupported("SetDIBitsToDevice", "palette colours", ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!DibConverter::validate(info)) return 0;
    if (startScan != 0 || scanLines != static_cast<UINT>(DibConverter::height(info))) {
        ReportUnsupported("SetDIBitsToDevice", "partial scan bands", ERROR_INVALID_PARAMETER);
        return 0;
    }
    DibSource dib(bits, info);
    if (!dib.ok) return 0;
    const int h = dib.pixels.height();
    const int top = DibConverter::topDown(info) ? sy : h - sy - static_cast<int>(height);
    const bool ok = withDibDc(dib, [&](HDC mem) {
        return BitBlt(hdc, x, y, static_cast<int>(width), static_cast<int>(height), mem, sx, top,
                      SRCCOPY) != FALSE;
    });
    return ok ? static_cast<int>(scanLines) : 0;
}

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
    if (!gdi::dcFrom(hdc)) return 0;
    auto* bmp = gdi::lookup<BitmapObject>(bitmap);
    if (!bmp || !info) {
        if (bmp) SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (usage != DIB_RGB_COLORS) {
        ReportUnsupported("GetDIBits", "palette colours", ERROR_INVALID_PARAMETER);
        return 0;
    }
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (!bits) {
        // With no buffer and no bit count, the call describes the bitmap.
        if (h.biBitCount == 0) {
            h.biWidth = bmp->width();
            h.biHeight = bmp->height();
            h.biPlanes = 1;
            h.biBitCount = static_cast<WORD>(bmp->bitsPerPixel());
            h.biCompression = BI_RGB;
            h.biSizeImage =
                static_cast<DWORD>(((bmp->width() * h.biBitCount + 31) / 32) * 4 * bmp->height());
        }
        return bmp->height();
    }
    if ((h.biBitCount != 24 && h.biBitCount != 32) || h.biCompression != BI_RGB ||
        h.biWidth != bmp->width()) {
        ReportUnsupported("GetDIBits", "format (24 or 32 bits at the bitmap's width)",
                          ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int height = bmp->height();
    const bool topDown = h.biHeight < 0;
    const int stride = ((bmp->width() * h.biBitCount + 31) / 32) * 4;
    auto* out = static_cast<std::uint8_t*>(bits);
    int copied = 0;
    // Scan line numbers count from the bottom for bottom-up requests.
    for (UINT i = 0; i < lines && start + i < static_cast<UINT>(height); ++i) {
        const int scan = static_cast<int>(start + i);
        const int y = topDown ? scan : height - 1 - scan;
        DibConverter::encodeRow(bmp->surface().row(y), bmp->width(), h.biBitCount,
                                out + static_cast<std::size_t>(i) * stride);
        ++copied;
    }
    return copied;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
    auto* bmp = gdi::lookup<BitmapObject>(bitmap);
    if (!bmp) return 0;
    if (usage != DIB_RGB_COLORS) {
        ReportUnsupported("SetDIBits", "palette colours", ERROR_INVALID_PARAMETER);
        return 0;
    }
    DibSource dib(bits, info);
    if (!dib.ok) return 0;
    if (start != 0 || lines != static_cast<UINT>(dib.pixels.height())) {
        ReportUnsupported("SetDIBits", "partial scan bands", ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int w = std::min(bmp->width(), dib.pixels.width());
    const int h = std::min(bmp->height(), dib.pixels.height());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = dib.pixels.at(x, y);
            if (bmp->isMonochrome()) {
                // The nearer of black and white, as for every other colour on a 1-bit bitmap.
                const int sum =
                    static_cast<int>((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF));
                bmp->surface().at(x, y) = sum >= 384 ? 0xFFFFFFu : 0u;
            } else {
                bmp->surface().at(x, y) = p;
            }
        }
    }
    return h;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG size, void* bits) {
    auto* bmp = gdi::lookup<BitmapObject>(bitmap);
    if (!bmp || !bits || size < 0) return 0;
    const BITMAP bm = bmp->describe();
    const LONG total = std::min<LONG>(size, bm.bmWidthBytes * bm.bmHeight);
    auto* out = static_cast<std::uint8_t*>(bits);
    std::memset(out, 0, static_cast<std::size_t>(total));
    for (int y = 0; y < bm.bmHeight; ++y) {
        for (int x = 0; x < bm.bmWidth; ++x) {
            if (bmp->isMonochrome()) {
                const LONG at = y * bm.bmWidthBytes + x / 8;
                if (at >= total) return total;
                if (bmp->surface().at(x, y) & 0xFFFFFF)
                    out[at] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            } else {
                const LONG at = y * bm.bmWidthBytes + x * 4;
                if (at + 4 > total) return total;
                const std::uint32_t p = bmp->surface().at(x, y);
                std::memcpy(out + at, &p, 4);
            }
        }
    }
    return total;
}

BOOL GdiAlphaBlend(HDC hdcDst, int x, int y, int w, int h, HDC hdcSrc, int sx, int sy, int sw,
                   int sh, BLENDFUNCTION blend) {
    DeviceContext* dst = gdi::dcFrom(hdcDst);
    DeviceContext* src = gdi::dcFrom(hdcSrc);
    if (!dst || !src) return FALSE;
    if (blend.BlendOp != AC_SRC_OVER || blend.BlendFlags != 0 ||
        (blend.AlphaFormat & ~AC_SRC_ALPHA) || w < 0 || h < 0 || sw < 0 || sh < 0 ||
        !sizesSane(w, h) || !sizesSane(sw, sh) || !placeSane(x, y, w, h) ||
        !placeSane(sx, sy, sw, sh)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SourceRect s = sourceRect(*src, sx, sy, sw, sh);
    if (!s.surface) return FALSE;
    // The source rectangle must lie inside the source surface.
    if (s.r.left < 0 || s.r.top < 0 || s.r.right > s.surface->width() ||
        s.r.bottom > s.surface->height()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    PixelSurface* ds = dst->surface();
    // Blending part of a surface onto an overlapping part of itself is refused.
    RECT overlap;
    const RECT dr = dst->rectToSurface(RECT{x, y, x + w, y + h});
    if (ds == s.surface && IntersectRect(&overlap, &dr, &s.r)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!ds || w == 0 || h == 0 || sw == 0 || sh == 0) return TRUE;
    const std::uint32_t sca = blend.SourceConstantAlpha;
    const bool perPixel = blend.AlphaFormat & AC_SRC_ALPHA;
    auto blendPixel = [&](std::uint32_t sp, std::uint32_t d) {
        std::uint32_t out = 0;
        if (perPixel) {
            if (sca == 255) {
                const std::uint32_t a = sp >> 24;
                if (a == 255) return sp;
                if (a == 0) return d;
            }
            std::uint32_t sc[4];
            for (int k = 0; k < 4; ++k)
                sc[k] =
                    sca == 255 ? (sp >> (8 * k)) & 0xFF : div255(((sp >> (8 * k)) & 0xFF) * sca);
            const std::uint32_t inv = 255 - sc[3];
            for (int k = 0; k < 4; ++k) {
                const std::uint32_t dc = (d >> (8 * k)) & 0xFF;
                out |= std::min<std::uint32_t>(255, sc[k] + div255(dc * inv)) << (8 * k);
            }
        } else {
            for (int k = 0; k < 4; ++k) {
                const std::uint32_t sc = (sp >> (8 * k)) & 0xFF, dc = (d >> (8 * k)) & 0xFF;
                out |= div255(sc * sca + dc * (255 - sca)) << (8 * k);
            }
        }
        return out;
    };
    // Fast path: the same size, no transform or mirroring: blend row by row inside the clip.
    const bool mirror = mirrorsBitmaps(*dst, 0);
    if (!dst->hasRotation() && !mirror && dr.right - dr.left == s.r.right - s.r.left &&
        dr.bottom - dr.top == s.r.bottom - s.r.top) {
        // The common case: plain source-over of premultiplied pixels.
        if (perPixel && sca == 255) {
            BlendSurfaceOver(*ds, dst->clipRegion(), dr, *s.surface, s.r.left, s.r.top);
            return TRUE;
        }
        const int offX = s.r.left - dr.left, offY = s.r.top - dr.top;
        for (const RECT& c : dst->clipRegion().rects()) {
            RECT part;
            if (!IntersectRect(&part, &c, &dr)) continue;
            for (int yy = part.top; yy < part.bottom; ++yy) {
                std::uint32_t* d = ds->row(yy);
                const std::uint32_t* from = s.surface->row(yy + offY) + offX;
                for (int xx = part.left; xx < part.right; ++xx)
                    d[xx] = blendPixel(from[xx], d[xx]);
            }
        }
        return TRUE;
    }
    DestWalk{*dst, x, y, w, h, mirror}.run([&](int px, int py, double u, double v) {
        int ix, iy;
        if (!s.pixel(u, v, ix, iy)) return;
        std::uint32_t& d = ds->at(px, py);
        d = blendPixel(s.surface->at(ix, iy), d);
    });
    return TRUE;
}

BOOL AlphaBlend(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                BLENDFUNCTION blend) {
    return GdiAlphaBlend(dst, x, y, w, h, src, sx, sy, sw, sh, blend);
}

BOOL GdiGradientFill(HDC hdc, const TRIVERTEX* vertices, ULONG nVertices, const void* mesh,
                     ULONG nMesh, ULONG mode) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    if (!vertices || !mesh || mode > GRADIENT_FILL_TRIANGLE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    PixelSurface* s = dc->surface();
    if (!s) return TRUE;
    auto channel = [](const TRIVERTEX& t, int k) {
        switch (k) {
            case 0:
                return static_cast<double>(t.Blue);
            case 1:
                return static_cast<double>(t.Green);
            case 2:
                return static_cast<double>(t.Red);
            default:
                return static_cast<double>(t.Alpha);
        }
    };
    if (mode == GRADIENT_FILL_TRIANGLE) {
        const auto* tris = static_cast<const ULONG*>(mesh);
        for (ULONG i = 0; i < nMesh; ++i) {
            const ULONG a = tris[i * 3], b = tris[i * 3 + 1], c = tris[i * 3 + 2];
            if (a >= nVertices || b >= nVertices || c >= nVertices) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return FALSE;
            }
            const TRIVERTEX* v[3] = {&vertices[a], &vertices[b], &vertices[c]};
            POINT p[3];
            for (int k = 0; k < 3; ++k)
                p[k] = dc->toSurface(v[k]->x, v[k]->y);
            const double area =
                (static_cast<double>(p[1].x) - p[0].x) * (static_cast<double>(p[2].y) - p[0].y) -
                (static_cast<double>(p[2].x) - p[0].x) * (static_cast<double>(p[1].y) - p[0].y);
            if (area == 0) continue;
            const RECT box{std::min({p[0].x, p[1].x, p[2].x}), std::min({p[0].y, p[1].y, p[2].y}),
                           std::max({p[0].x, p[1].x, p[2].x}), std::max({p[0].y, p[1].y, p[2].y})};
            for (const RECT& clip : dc->clipRegion().rects()) {
                RECT part;
                if (!IntersectRect(&part, &clip, &box)) continue;
                for (int py = part.top; py < part.bottom; ++py) {
                    for (int px = part.left; px < part.right; ++px) {
                        const double cx = px + 0.5, cy = py + 0.5;
                        double wgt[3];
                        for (int k = 0; k < 3; ++k) {
                            const POINT& q1 = p[(k + 1) % 3];
                            const POINT& q2 = p[(k + 2) % 3];
                            wgt[k] = ((q1.x - cx) * (q2.y - cy) - (q2.x - cx) * (q1.y - cy)) / area;
                        }
                        if (wgt[0] < 0 || wgt[1] < 0 || wgt[2] < 0) continue;
                        std::uint32_t out = 0;
                        for (int k = 0; k < 4; ++k) {
                            const double val = wgt[0] * channel(*v[0], k) +
                                               wgt[1] * channel(*v[1], k) +
                                               wgt[2] * channel(*v[2], k);
                            out |= (static_cast<std::uint32_t>(val) >> 8 & 0xFF) << (8 * k);
                        }
                        s->at(px, py) = out;
                    }
                }
            }
        }
        return TRUE;
    }
    const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    for (ULONG i = 0; i < nMesh; ++i) {
        if (rects[i].UpperLeft >= nVertices || rects[i].LowerRight >= nVertices) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        const TRIVERTEX* v1 = &vertices[rects[i].UpperLeft];
        const TRIVERTEX* v2 = &vertices[rects[i].LowerRight];
        // The colours run from the lower coordinate to the higher one.
        const bool horizontal = mode == GRADIENT_FILL_RECT_H;
        if ((horizontal && v1->x > v2->x) || (!horizontal && v1->y > v2->y)) std::swap(v1, v2);
        const RECT logical{std::min(v1->x, v2->x), std::min(v1->y, v2->y), std::max(v1->x, v2->x),
                           std::max(v1->y, v2->y)};
        const RECT r = dc->rectToSurface(logical);
        const int span = horizontal ? r.right - r.left : r.bottom - r.top;
        if (span <= 0 || r.right <= r.left || r.bottom <= r.top) continue;
        const bool flip = horizontal && dc->isMirrored();
        for (const RECT& clip : dc->clipRegion().rects()) {
            RECT part;
            if (!IntersectRect(&part, &clip, &r)) continue;
            for (int py = part.top; py < part.bottom; ++py) {
                for (int px = part.left; px < part.right; ++px) {
                    int i2 = horizontal ? px - r.left : py - r.top;
                    if (flip) i2 = span - 1 - i2;
                    std::uint32_t out = 0;
                    for (int k = 0; k < 4; ++k) {
                        const long long c1 = static_cast<long long>(channel(*v1, k));
                        const long long c2 = static_cast<long long>(channel(*v2, k));
                        const long long val = c1 + (c2 - c1) * i2 / span;
                        out |= (static_cast<std::uint32_t>(val >> 8) & 0xFF) << (8 * k);
                    }
                    s->at(px, py) = out;
                }
            }
        }
    }
    return TRUE;
}

BOOL GradientFill(HDC hdc, const TRIVERTEX* vertices, ULONG nVertices, const void* mesh,
                  ULONG nMesh, ULONG mode) {
    return GdiGradientFill(hdc, vertices, nVertices, mesh, nMesh, mode);
}

BOOL GdiTransparentBlt(HDC hdcDst, int x, int y, int w, int h, HDC hdcSrc, int sx, int sy, int sw,
                       int sh, UINT transparent) {
    DeviceContext* dst = gdi::dcFrom(hdcDst);
    DeviceContext* src = gdi::dcFrom(hdcSrc);
    if (!dst || !src) return FALSE;
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || !sizesSane(w, h) || !sizesSane(sw, sh) ||
        !placeSane(x, y, w, h) || !placeSane(sx, sy, sw, sh)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SourceRect s = sourceRect(*src, sx, sy, sw, sh);
    PixelSurface* ds = dst->surface();
    if (!s.surface || !ds) return TRUE;
    const std::uint32_t key = PixelSurface::fromColor(transparent & 0xFFFFFF);
    const FormatMap map = FormatMap::between(*src, *dst);
    DestWalk{*dst, x, y, w, h, mirrorsBitmaps(*dst, 0)}.run(
        [&](int px, int py, double u, double v) {
            int ix, iy;
            if (!s.pixel(u, v, ix, iy)) return;
            const std::uint32_t sp = s.surface->at(ix, iy);
            if ((sp & 0xFFFFFF) == key) return;
            ds->at(px, py) = map(sp) & 0x00FFFFFFu;
        });
    return TRUE;
}

BOOL TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                    UINT transparent) {
    return GdiTransparentBlt(dst, x, y, w, h, src, sx, sy, sw, sh, transparent);
}

}  // namespace orvane::platform
