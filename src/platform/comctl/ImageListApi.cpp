// Image lists: making them, adding, replacing and removing images, and drawing them in the
// common-control styles (transparent, on a background, blended for focus and selection, as
// the mask, greyed, with an overlay).
#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/comctl/ImageList.h"
#include "platform/comctl/ImageListObject.h"
#include "platform/gdi/BitmapObject.h"
#include "platform/gdi/DibFromPixels.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/PixelBlend.h"
#include "platform/gdi/SurfaceBlend.h"
#include "platform/imaging/ImageGraphics.h"
#include "platform/imaging/PremultipliedAlpha.h"
#include "platform/user/CursorObject.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

constexpr UINT kKnownCreateFlags = ILC_MASK | 0xFE;
constexpr UINT kKnownStyles = ILD_TRANSPARENT | ILD_BLEND25 | ILD_BLEND50 | ILD_MASK | ILD_IMAGE |
                              ILD_OVERLAYMASK | ILD_PRESERVEALPHA | ILD_SCALE;
constexpr UINT kKnownStates = ILS_SATURATE | ILS_ALPHA;
constexpr int kMaxSide = 4096;

BitmapObject* bitmapFrom(HBITMAP bitmap) {
    auto* object = HandleTable::current().get<BitmapObject>(bitmap.value);
    if (!object && bitmap) SetLastError(ERROR_INVALID_HANDLE);
    return object;
}

// One image-sized piece of a bitmap, from column `left`: straight pixels (pixels the bitmap
// does not reach are black), and whether any pixel carries alpha.
std::vector<std::uint32_t> piece(BitmapObject& bitmap, int left, int cx, int cy, bool& alpha) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(cx) * cy, 0);
    const PixelSurface& s = bitmap.surface();
    const bool mono = bitmap.isMonochrome();
    alpha = false;
    for (int y = 0; y < std::min(cy, s.height()); ++y)
        for (int x = 0; x < cx && left + x < s.width(); ++x) {
            std::uint32_t p = s.at(left + x, y);
            if (mono) p = (p & 0xFFFFFF) ? 0xFFFFFF : 0;
            alpha = alpha || (p >> 24) != 0;
            out[static_cast<std::size_t>(y) * cx + x] = p;
        }
    // Without any alpha the pixels are opaque colours.
    if (!alpha)
        for (std::uint32_t& p : out)
            p |= 0xFF000000u;
    return out;
}

// Pixels of a mask bitmap piece that are set (transparent).
std::vector<bool> maskPiece(BitmapObject* mask, int left, int cx, int cy) {
    std::vector<bool> out;
    if (!mask) return out;
    out.assign(static_cast<std::size_t>(cx) * cy, false);
    const PixelSurface& s = mask->surface();
    for (int y = 0; y < std::min(cy, s.height()); ++y)
        for (int x = 0; x < cx && left + x < s.width(); ++x)
            out[static_cast<std::size_t>(y) * cx + x] = (s.at(left + x, y) & 0xFFFFFF) != 0;
    return out;
}

// Adds every piece of a bitmap; `transparentOf` says which pixels of a piece are masked.
template <class MaskOf>
int addPieces(ImageListObject& list, BitmapObject& image, int at, MaskOf transparentOf) {
    const int pieces = image.width() / list.cx();
    if (pieces <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    for (int k = 0; k < pieces; ++k) {
        bool alpha = false;
        const auto pixels = piece(image, k * list.cx(), list.cx(), list.cy(), alpha);
        list.insert(at + k, list.prepare(pixels, alpha, transparentOf(k, pixels)));
    }
    return at;
}

PixelSurface fromIcon(const ImageListObject& list, const CursorObject& icon) {
    const PixelSurface picture = ImageGraphics::scaled(icon.image, list.cx(), list.cy());
    std::vector<std::uint32_t> straight(static_cast<std::size_t>(list.cx()) * list.cy());
    std::vector<bool> transparent(straight.size());
    for (int y = 0; y < list.cy(); ++y)
        for (int x = 0; x < list.cx(); ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * list.cx() + x;
            straight[i] = PremultipliedAlpha::unpremultiply(picture.at(x, y));
            transparent[i] = (straight[i] >> 24) == 0;
        }
    return list.prepare(straight, true, transparent);
}

// Source-over of premultiplied pixels in place.
void over(PixelSurface& dst, const PixelSurface& src, int dx, int dy) {
    for (int y = std::max(0, dy); y < std::min(dst.height(), dy + src.height()); ++y)
        for (int x = std::max(0, dx); x < std::min(dst.width(), dx + src.width()); ++x)
            dst.at(x, y) = PixelBlend::over(src.at(x - dx, y - dy), dst.at(x, y));
}

// x / 255 rounded, for x up to 255 * 255, without a division.
constexpr std::uint32_t div255(std::uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

std::uint32_t scalePixel(std::uint32_t p, unsigned keep) {
    auto s = [keep](std::uint32_t c) { return div255(c * keep); };
    return s(p >> 24) << 24 | s((p >> 16) & 0xFF) << 16 | s((p >> 8) & 0xFF) << 8 | s(p & 0xFF);
}

// Each channel of a taken `part` / 255 of the way over b.
std::uint32_t mix(std::uint32_t a, std::uint32_t b, unsigned part) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= div255(ca * part + cb * (255 - part)) << shift;
    }
    return out;
}

BOOL drawIndirect(const IMAGELISTDRAWPARAMS& p) {
    ImageListObject* list = ImageListObject::from(p.himl);
    if (!list) return FALSE;
    if ((p.fStyle & ~kKnownStyles) || (p.fState & ~kKnownStates)) {
        ReportUnsupported("ImageList_DrawIndirect", "styles or states (ILD_ROP, glow, shadow)");
        return FALSE;
    }
    if (!list->valid(p.i)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const PixelSurface& image = list->image(p.i);
    const int w = p.cx > 0 ? p.cx : list->cx(), h = p.cy > 0 ? p.cy : list->cy();
    const COLORREF back = p.rgbBk == CLR_DEFAULT ? list->background : p.rgbBk;
    const UINT style = p.fStyle;
    const bool transparent = (style & ILD_TRANSPARENT) || back == CLR_NONE;
    const int overlay = static_cast<int>((style & ILD_OVERLAYMASK) >> 8);
    const bool plain = transparent &&
                       !(style & (ILD_BLEND25 | ILD_BLEND50 | ILD_MASK | ILD_IMAGE | ILD_SCALE)) &&
                       p.fState == ILS_NORMAL && overlay == 0;
    // The image (or the part asked for) at its own size: blended straight from the list.
    if (plain) {
        const int x0 = std::clamp(p.xBitmap, 0, list->cx()),
                  y0 = std::clamp(p.yBitmap, 0, list->cy());
        const int cw = std::min(w, list->cx() - x0), ch = std::min(h, list->cy() - y0);
        if (cw <= 0 || ch <= 0) return TRUE;
        const PixelSurface view(const_cast<std::uint32_t*>(image.row(y0)) + x0, image.pitch(), cw,
                                ch);
        return AlphaBlendSurface(p.hdcDst, p.x, p.y, view) ? TRUE : FALSE;
    }
    // Otherwise the picture is composed first: overlay, scaling, effects, background.
    PixelSurface out(image);
    if (overlay > 0) {
        const int o = list->overlays[static_cast<std::size_t>(overlay - 1)];
        if (list->valid(o)) over(out, list->image(o), 0, 0);
    }
    if (style & ILD_SCALE) {
        out = ImageGraphics::scaled(out, w, h);
    } else if (p.xBitmap != 0 || p.yBitmap != 0 || w != list->cx() || h != list->cy()) {
        const int x0 = std::clamp(p.xBitmap, 0, list->cx()),
                  y0 = std::clamp(p.yBitmap, 0, list->cy());
        const int cw = std::min(w, list->cx() - x0), ch = std::min(h, list->cy() - y0);
        if (cw <= 0 || ch <= 0) return TRUE;
        PixelSurface part(cw, ch);
        for (int y = 0; y < ch; ++y)
            std::memcpy(part.row(y), out.row(y0 + y) + x0, static_cast<std::size_t>(cw) * 4);
        out = std::move(part);
    }
    const unsigned share = (style & ILD_BLEND50) ? 128 : 64;
    const COLORREF fg = p.rgbFg == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : p.rgbFg;
    const std::uint32_t fgPixel = 0xFF000000u | PixelSurface::fromColor(fg);
    for (int y = 0; y < out.height(); ++y) {
        std::uint32_t* row = out.row(y);
        for (int x = 0; x < out.width(); ++x) {
            std::uint32_t px = row[x];
            if (style & ILD_MASK) {
                // The mask itself: black where the image is, white where it is transparent.
                row[x] = (px >> 24) ? 0xFF000000u : 0xFFFFFFFFu;
                continue;
            }
            if (p.fState & ILS_SATURATE) {
                const std::uint32_t grey =
                    (((px >> 16) & 0xFF) * 77 + ((px >> 8) & 0xFF) * 151 + (px & 0xFF) * 28) >> 8;
                px = (px & 0xFF000000u) | grey << 16 | grey << 8 | grey;
            }
            if (style & (ILD_BLEND25 | ILD_BLEND50)) {
                // A quarter or a half of the blend colour over the image's own pixels; with no
                // colour the image lets that much of what is below show through.
                if (fg == CLR_NONE) {
                    px = scalePixel(px, 255 - share);
                } else {
                    // The colour as opaque as the pixel, mixed in by channel; alpha stays.
                    const std::uint32_t tint =
                        (px >> 24) == 255 ? fgPixel : scalePixel(fgPixel, px >> 24);
                    px = (px & 0xFF000000u) | (mix(tint, px, share) & 0x00FFFFFFu);
                }
            }
            if (p.fState & ILS_ALPHA) px = scalePixel(px, std::min<DWORD>(p.Frame, 255));
            if (style & ILD_IMAGE) px |= 0xFF000000u;  // under the mask the colour is black
            row[x] = px;
        }
    }
    // On a background colour, masked pixels take that colour.
    if (!transparent && !(style & (ILD_MASK | ILD_IMAGE))) {
        PixelSurface filled(out.width(), out.height(), 0xFF000000u | PixelSurface::fromColor(back));
        over(filled, out, 0, 0);
        out = std::move(filled);
    }
    return AlphaBlendSurface(p.hdcDst, p.x, p.y, out) ? TRUE : FALSE;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (flags & ~kKnownCreateFlags) {
        ReportUnsupported("ImageList_Create", "flags (mirroring, palettes, original size)",
                          ERROR_INVALID_FLAGS);
        return HIMAGELIST();
    }
    if (cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide || initial < 0 || grow < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HIMAGELIST();
    }
    auto list = std::make_unique<ImageListObject>(cx, cy, flags, std::max(grow, 1));
    return HIMAGELIST(HandleTable::current().add(std::move(list)));
}

BOOL ImageList_Destroy(HIMAGELIST himl) {
    if (!ImageListObject::from(himl)) return FALSE;
    return HandleTable::current().remove(himl.value) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST himl) {
    const ImageListObject* list = ImageListObject::from(himl);
    return list ? list->count() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT count) {
    ImageListObject* list = ImageListObject::from(himl);
    if (!list) return FALSE;
    if (count > (1u << 20)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    list->resize(static_cast<int>(count));
    return TRUE;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP image, HBITMAP mask) {
    ImageListObject* list = ImageListObject::from(himl);
    BitmapObject* colour = bitmapFrom(image);
    BitmapObject* maskBitmap = bitmapFrom(mask);
    if (!list || !colour || (mask && !maskBitmap)) return -1;
    return addPieces(*list, *colour, list->count(), [&](int k, const std::vector<std::uint32_t>&) {
        return maskPiece(maskBitmap, k * list->cx(), list->cx(), list->cy());
    });
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP image, COLORREF maskColor) {
    ImageListObject* list = ImageListObject::from(himl);
    BitmapObject* colour = bitmapFrom(image);
    if (!list || !colour) return -1;
    const std::uint32_t key = PixelSurface::fromColor(maskColor);
    return addPieces(*list, *colour, list->count(),
                     [&](int, const std::vector<std::uint32_t>& pixels) {
                         std::vector<bool> transparent(pixels.size());
                         for (std::size_t i = 0; i < pixels.size(); ++i)
                             transparent[i] = (pixels[i] & 0xFFFFFF) == key;
                         return transparent;
                     });
}

int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON icon) {
    ImageListObject* list = ImageListObject::from(himl);
    const auto* object = HandleTable::current().get<CursorObject>(icon.value);
    if (!list || !object || object->image.width() == 0 || (i != -1 && !list->valid(i))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    PixelSurface picture = fromIcon(*list, *object);
    if (i == -1) {
        list->insert(list->count(), std::move(picture));
        return list->count() - 1;
    }
    list->replace(i, std::move(picture));
    return i;
}

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP image, HBITMAP mask) {
    ImageListObject* list = ImageListObject::from(himl);
    BitmapObject* colour = bitmapFrom(image);
    BitmapObject* maskBitmap = bitmapFrom(mask);
    if (!list || !colour || (mask && !maskBitmap) || !list->valid(i)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool alpha = false;
    const auto pixels = piece(*colour, 0, list->cx(), list->cy(), alpha);
    list->replace(i,
                  list->prepare(pixels, alpha, maskPiece(maskBitmap, 0, list->cx(), list->cy())));
    return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST himl, int i) {
    ImageListObject* list = ImageListObject::from(himl);
    if (!list) return FALSE;
    if (i == -1) {
        list->clear();
        return TRUE;
    }
    if (!list->valid(i)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    list->remove(i);
    return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    const ImageListObject* list = ImageListObject::from(himl);
    if (!list || !cx || !cy) return FALSE;
    *cx = list->cx();
    *cy = list->cy();
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy) {
    ImageListObject* list = ImageListObject::from(himl);
    if (!list) return FALSE;
    if (cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    list->setSize(cx, cy);
    return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* info) {
    ImageListObject* list = ImageListObject::from(himl);
    if (!list || !info || !list->valid(i)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return list->stripBitmaps(i, info->hbmImage, info->hbmMask, info->rcImage) ? TRUE : FALSE;
}

HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT flags) {
    ImageListObject* list = ImageListObject::from(himl);
    if (!list || !list->valid(i)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HICON();
    }
    // The image as drawn transparently (with its overlay), made into an icon of straight alpha.
    const int cx = list->cx(), cy = list->cy();
    std::uint32_t* pixels = nullptr;
    const HBITMAP colour = TopDownDib(cx, cy, &pixels);
    const HBITMAP mask = CreateBitmap(cx, cy, 1, 1, nullptr);
    HICON icon;
    if (colour && mask) {
        PixelSurface picture(list->image(i));
        const int overlay = static_cast<int>((flags & ILD_OVERLAYMASK) >> 8);
        if (overlay > 0 && list->valid(list->overlays[static_cast<std::size_t>(overlay - 1)]))
            over(picture, list->image(list->overlays[static_cast<std::size_t>(overlay - 1)]), 0, 0);
        // The mask is set where the image is clear, so an image with no opaque pixel at all
        // (which CreateIconIndirect reads through its mask) stays clear.
        auto* maskObject = HandleTable::current().get<BitmapObject>(mask.value);
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x) {
                const std::uint32_t p = picture.at(x, y);
                pixels[static_cast<std::size_t>(y) * cx + x] = PremultipliedAlpha::unpremultiply(p);
                if (maskObject && (p >> 24) == 0) maskObject->surface().at(x, y) = 0xFFFFFF;
            }
        ICONINFO ii;
        ii.fIcon = TRUE;
        ii.hbmColor = colour;
        ii.hbmMask = mask;
        icon = CreateIconIndirect(&ii);
    }
    if (colour) DeleteObject(colour);
    if (mask) DeleteObject(mask);
    return icon;
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF color) {
    ImageListObject* list = ImageListObject::from(himl);
    if (!list) return CLR_NONE;
    return std::exchange(list->background, color);
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl) {
    const ImageListObject* list = ImageListObject::from(himl);
    return list ? list->background : CLR_NONE;
}

BOOL ImageList_SetOverlayImage(HIMAGELIST himl, int image, int overlay) {
    ImageListObject* list = ImageListObject::from(himl);
    if (!list || overlay < 1 || overlay > ImageListObject::kOverlays || !list->valid(image)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    list->overlays[static_cast<std::size_t>(overlay - 1)] = image;
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdc, int x, int y, UINT style) {
    return ImageList_DrawEx(himl, i, hdc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdc, int x, int y, int dx, int dy,
                      COLORREF background, COLORREF foreground, UINT style) {
    IMAGELISTDRAWPARAMS p;
    p.himl = himl;
    p.i = i;
    p.hdcDst = hdc;
    p.x = x;
    p.y = y;
    p.cx = dx;
    p.cy = dy;
    p.rgbBk = background;
    p.rgbFg = foreground;
    p.fStyle = style;
    return drawIndirect(p);
}

BOOL ImageList_DrawIndirect(IMAGELISTDRAWPARAMS* params) {
    if (!params || params->cbSize != sizeof(IMAGELISTDRAWPARAMS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return drawIndirect(*params);
}

BOOL ImageList_Copy(HIMAGELIST dst, int iDst, HIMAGELIST src, int iSrc, UINT flags) {
    ImageListObject* list = ImageListObject::from(dst);
    if (!list || dst != src || !list->valid(iDst) || !list->valid(iSrc) || (flags & ~ILCF_SWAP)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    PixelSurface source(list->image(iSrc));
    if (flags & ILCF_SWAP) list->replace(iSrc, PixelSurface(list->image(iDst)));
    list->replace(iDst, std::move(source));
    return TRUE;
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST himl) {
    const ImageListObject* list = ImageListObject::from(himl);
    if (!list) return HIMAGELIST();
    auto copy =
        std::make_unique<ImageListObject>(list->cx(), list->cy(), list->flags(), list->grow());
    for (int i = 0; i < list->count(); ++i)
        copy->insert(i, PixelSurface(list->image(i)));
    copy->background = list->background;
    copy->overlays = list->overlays;
    return HIMAGELIST(HandleTable::current().add(std::move(copy)));
}

HIMAGELIST ImageList_Merge(HIMAGELIST himl1, int i1, HIMAGELIST himl2, int i2, int dx, int dy) {
    const ImageListObject* a = ImageListObject::from(himl1);
    const ImageListObject* b = ImageListObject::from(himl2);
    if (!a || !b || !a->valid(i1) || !b->valid(i2)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HIMAGELIST();
    }
    const int left = std::min(0, dx), top = std::min(0, dy);
    const int cx = std::max(a->cx(), dx + b->cx()) - left;
    const int cy = std::max(a->cy(), dy + b->cy()) - top;
    if (cx > kMaxSide || cy > kMaxSide) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HIMAGELIST();
    }
    auto merged = std::make_unique<ImageListObject>(cx, cy, (a->flags() & 0xFE) | ILC_MASK, 1);
    PixelSurface picture(cx, cy, 0);
    over(picture, a->image(i1), -left, -top);
    over(picture, b->image(i2), dx - left, dy - top);
    merged->insert(0, std::move(picture));
    return HIMAGELIST(HandleTable::current().add(std::move(merged)));
}

}  // namespace orvane::platform
