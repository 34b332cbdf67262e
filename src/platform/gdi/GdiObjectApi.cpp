// Object creation, selection, deletion and description.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"

namespace orvane::platform {

namespace {

constexpr int kStockCount = DC_PEN + 1;
constexpr int kMaxBitmapSide = 32767;
constexpr long long kMaxBitmapPixels = 16384LL * 16384LL;

struct StockObjects {
    std::uint32_t handles[kStockCount] = {};
    std::uint32_t defaultBitmap = 0;
};

StockObjects& stock() {
    static StockObjects s;
    return s;
}

std::uint32_t addStock(std::unique_ptr<PlatformObject> object) {
    return HandleTable::current().add(std::move(object), true);
}

void ensureStock() {
    StockObjects& s = stock();
    if (s.handles[WHITE_BRUSH] && HandleTable::current().lookup(s.handles[WHITE_BRUSH])) return;
    auto brush = [](UINT style, COLORREF c, bool dc = false) {
        auto b = std::make_unique<BrushObject>();
        b->log.lbStyle = style;
        b->log.lbColor = c;
        b->isDcBrush = dc;
        return addStock(std::move(b));
    };
    auto pen = [](int style, COLORREF c, bool dc = false) {
        auto p = std::make_unique<PenObject>();
        p->style = style;
        p->color = c;
        p->isDcPen = dc;
        return addStock(std::move(p));
    };
    auto font = [](const char16_t* face, int height, int weight) {
        auto f = std::make_unique<FontObject>();
        f->log.lfHeight = height;
        f->log.lfWeight = weight;
        for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i)
            f->log.lfFaceName[i] = face[i];
        return addStock(std::move(f));
    };
    s.handles[WHITE_BRUSH] = brush(BS_SOLID, RGB(255, 255, 255));
    s.handles[LTGRAY_BRUSH] = brush(BS_SOLID, RGB(192, 192, 192));
    s.handles[GRAY_BRUSH] = brush(BS_SOLID, RGB(128, 128, 128));
    s.handles[DKGRAY_BRUSH] = brush(BS_SOLID, RGB(64, 64, 64));
    s.handles[BLACK_BRUSH] = brush(BS_SOLID, RGB(0, 0, 0));
    s.handles[NULL_BRUSH] = brush(BS_NULL, 0);
    s.handles[WHITE_PEN] = pen(PS_SOLID, RGB(255, 255, 255));
    s.handles[BLACK_PEN] = pen(PS_SOLID, RGB(0, 0, 0));
    s.handles[NULL_PEN] = pen(PS_NULL, 0);
    s.handles[OEM_FIXED_FONT] = font(u"Terminal", 12, 400);
    s.handles[ANSI_FIXED_FONT] = font(u"Courier", 13, 400);
    s.handles[ANSI_VAR_FONT] = font(u"MS Sans Serif", 13, 400);
    s.handles[SYSTEM_FONT] = font(u"System", 16, 700);
    s.handles[DEVICE_DEFAULT_FONT] = font(u"System", 16, 700);
    s.handles[SYSTEM_FIXED_FONT] = font(u"Fixedsys", 15, 400);
    s.handles[DEFAULT_GUI_FONT] = font(u"MS Shell Dlg", -11, 400);
    s.handles[DC_BRUSH] = brush(BS_SOLID, RGB(255, 255, 255), true);
    s.handles[DC_PEN] = pen(PS_SOLID, RGB(0, 0, 0), true);
    s.defaultBitmap = addStock(std::make_unique<BitmapObject>(1, 1, 1));
}

bool validBitmapSize(long long width, long long height) {
    return width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
           width * height <= kMaxBitmapPixels;
}

HBITMAP addBitmap(std::unique_ptr<BitmapObject> bmp) {
    return HBITMAP(HandleTable::current().add(std::move(bmp)));
}

}  // namespace

namespace gdi {

void initDcState(DeviceContext& dc) {
    ensureStock();
    DeviceContext::State& s = dc.state();
    s = DeviceContext::State{};
    s.pen = stock().handles[BLACK_PEN];
    s.brush = stock().handles[WHITE_BRUSH];
    s.font = stock().handles[SYSTEM_FONT];
    s.bitmap = dc.type() == DeviceContext::Type::Memory ? stock().defaultBitmap : 0;
}

HDC registerDc(std::unique_ptr<DeviceContext> dc) {
    initDcState(*dc);
    return HDC(HandleTable::current().add(std::move(dc)));
}

bool brushPaint(DeviceContext& dc, BrushObject* brush, Paint& out) {
    if (!brush) return false;
    const auto& s = dc.state();
    out = Paint{};
    out.rop2 = s.rop2;
    const POINT org = dc.surfaceOrigin();
    out.originX = s.brushOrg.x + org.x;
    out.originY = s.brushOrg.y + org.y;
    switch (brush->log.lbStyle) {
        case BS_NULL:
            return false;
        case BS_SOLID:
            out.color = dc.pixelFor(brush->isDcBrush ? s.dcBrushColor : brush->log.lbColor);
            return true;
        case BS_HATCHED:
            out.kind = Paint::Kind::Hatch;
            out.hatch = static_cast<int>(brush->log.lbHatch);
            out.color = dc.pixelFor(brush->log.lbColor);
            out.hatchOpaque = s.bkMode == OPAQUE;
            out.background = dc.pixelFor(s.bkColor);
            return true;
        case BS_PATTERN:
        case BS_DIBPATTERNPT: {
            out.kind = Paint::Kind::Pattern;
            out.patternWidth = brush->patternWidth;
            out.patternHeight = brush->patternHeight;
            static thread_local std::vector<std::uint32_t> mapped;
            if (brush->patternMono) {
                // Monochrome patterns take the DC's colours: 0 bits text, 1 bits background.
                mapped.resize(brush->pattern.size());
                const std::uint32_t fg = dc.pixelFor(s.textColor), bg = dc.pixelFor(s.bkColor);
                for (std::size_t i = 0; i < mapped.size(); ++i)
                    mapped[i] = (brush->pattern[i] & 0xFFFFFF) ? bg : fg;
                out.pattern = mapped.data();
            } else if (dc.isMonochrome()) {
                // A colour pattern on a monochrome bitmap is drawn in black and white.
                mapped.resize(brush->pattern.size());
                for (std::size_t i = 0; i < mapped.size(); ++i)
                    mapped[i] = dc.pixelFor(PixelSurface::toColor(brush->pattern[i]));
                out.pattern = mapped.data();
            } else {
                out.pattern = brush->pattern.data();
            }
            return true;
        }
    }
    return false;
}

bool selectedBrushPaint(DeviceContext& dc, Paint& out) {
    return brushPaint(dc, HandleTable::current().get<BrushObject>(dc.state().brush), out);
}

bool selectedPen(DeviceContext& dc, LinePen& out) {
    auto* pen = HandleTable::current().get<PenObject>(dc.state().pen);
    if (!pen || (pen->style & PS_STYLE_MASK) == PS_NULL) return false;
    out = LinePen{};
    out.paint.rop2 = dc.state().rop2;
    out.paint.color = dc.pixelFor(pen->isDcPen ? dc.state().dcPenColor : pen->color);
    out.width = std::clamp(pen->width, 1, 1 << 15);
    out.style = pen->style & PS_STYLE_MASK;
    if (out.style == PS_INSIDEFRAME) out.style = PS_SOLID;
    return true;
}

int roundCoord(double v) {
    // Coordinates are kept well inside the 32-bit range so that sums of them cannot overflow;
    // nothing that far out is ever visible.
    constexpr double kLimit = 1 << 29;
    if (!(v > -kLimit)) return -(1 << 29);  // also catches NaN
    if (v > kLimit) return 1 << 29;
    return static_cast<int>(std::floor(v + 0.5));
}

}  // namespace gdi

HGDIOBJ GetStockObject(int index) {
    ensureStock();
    if (index < 0 || index >= kStockCount || !stock().handles[index]) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HGDIOBJ();
    }
    return HGDIOBJ(stock().handles[index]);
}

DWORD GetObjectType(HGDIOBJ obj) {
    PlatformObject* o = HandleTable::current().lookup(obj.value);
    if (!o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    switch (o->kind()) {
        case ObjectKind::Pen:
            return OBJ_PEN;
        case ObjectKind::Brush:
            return OBJ_BRUSH;
        case ObjectKind::Font:
            return OBJ_FONT;
        case ObjectKind::Bitmap:
            return OBJ_BITMAP;
        case ObjectKind::Region:
            return OBJ_REGION;
        case ObjectKind::Palette:
            return OBJ_PAL;
        case ObjectKind::DC:
            return static_cast<DeviceContext*>(o)->type() == DeviceContext::Type::Memory ? OBJ_MEMDC
                                                                                         : OBJ_DC;
        default:
            SetLastError(ERROR_INVALID_HANDLE);
            return 0;
    }
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return HGDIOBJ();
    PlatformObject* o = HandleTable::current().lookup(obj.value);
    if (!o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return HGDIOBJ();
    }
    auto& s = dc->state();
    std::uint32_t old = 0;
    switch (o->kind()) {
        case ObjectKind::Pen:
            old = s.pen;
            s.pen = obj.value;
            break;
        case ObjectKind::Brush:
            old = s.brush;
            s.brush = obj.value;
            break;
        case ObjectKind::Font:
            old = s.font;
            s.font = obj.value;
            break;
        case ObjectKind::Bitmap: {
            auto* bmp = static_cast<BitmapObject*>(o);
            if (dc->type() != DeviceContext::Type::Memory) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return HGDIOBJ();
            }
            // A bitmap can be selected into one memory DC at a time.
            if (bmp->selectedInto && bmp->selectedInto != dc->handle() && !bmp->isStock() &&
                HandleTable::current().get<DeviceContext>(bmp->selectedInto)) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return HGDIOBJ();
            }
            if (auto* prev = dc->selectedBitmap()) prev->selectedInto = 0;
            old = s.bitmap;
            s.bitmap = obj.value;
            if (!bmp->isStock()) bmp->selectedInto = dc->handle();
            dc->invalidateClip();
            break;
        }
        case ObjectKind::Region: {
            // Selecting a region sets the clip region and returns the region type.
            const int result = SelectClipRgn(hdc, HRGN(obj.value));
            return HGDIOBJ(static_cast<std::uint32_t>(result));
        }
        default:
            SetLastError(ERROR_INVALID_HANDLE);
            return HGDIOBJ();
    }
    return HGDIOBJ(old);
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return HGDIOBJ();
    const auto& s = dc->state();
    switch (type) {
        case OBJ_PEN:
            return HGDIOBJ(s.pen);
        case OBJ_BRUSH:
            return HGDIOBJ(s.brush);
        case OBJ_FONT:
            return HGDIOBJ(s.font);
        case OBJ_BITMAP:
            return HGDIOBJ(s.bitmap);
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return HGDIOBJ();
    }
}

BOOL DeleteObject(HGDIOBJ obj) {
    PlatformObject* o = HandleTable::current().lookup(obj.value);
    if (!o || !isGdiKind(o->kind()) || o->kind() == ObjectKind::DC) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // Stock objects cannot be deleted; Windows reports success and keeps them.
    if (o->isStock()) return TRUE;
    if (o->kind() == ObjectKind::Bitmap && static_cast<BitmapObject*>(o)->selectedInto &&
        HandleTable::current().get<DeviceContext>(static_cast<BitmapObject*>(o)->selectedInto)) {
        // A bitmap selected into a DC is not deleted.
        return FALSE;
    }
    return HandleTable::current().remove(obj.value) ? TRUE : FALSE;
}

int GetObjectW(HGDIOBJ obj, int size, void* out) {
    PlatformObject* o = HandleTable::current().lookup(obj.value);
    if (!o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    auto copy = [&](const auto& value) -> int {
        const int n = static_cast<int>(sizeof(value));
        if (!out) return n;
        if (size < n) {
            // A DIB section asked for only a BITMAP still answers.
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        std::memcpy(out, &value, n);
        return n;
    };
    switch (o->kind()) {
        case ObjectKind::Pen: {
            auto* p = static_cast<PenObject*>(o);
            LOGPEN lp;
            lp.lopnStyle = p->logStyle;
            lp.lopnWidth.x = p->width;
            lp.lopnColor = p->color;
            return copy(lp);
        }
        case ObjectKind::Brush:
            return copy(static_cast<BrushObject*>(o)->log);
        case ObjectKind::Font:
            return copy(static_cast<FontObject*>(o)->log);
        case ObjectKind::Bitmap: {
            auto* b = static_cast<BitmapObject*>(o);
            if (b->isDibSection() && size >= static_cast<int>(sizeof(DIBSECTION))) {
                DIBSECTION ds;
                ds.dsBm = b->describe();
                ds.dsBmih.biWidth = b->width();
                ds.dsBmih.biHeight = b->topDown() ? -b->height() : b->height();
                ds.dsBmih.biBitCount = 32;
                ds.dsBmih.biSizeImage = static_cast<DWORD>(b->width() * b->height() * 4);
                return copy(ds);
            }
            return copy(b->describe());
        }
        default:
            SetLastError(ERROR_INVALID_HANDLE);
            return 0;
    }
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) {
        ReportUnsupported("CreateBitmap", "bit depth (only 1 and 32 bits per pixel)",
                          ERROR_INVALID_PARAMETER);
        return HBITMAP();
    }
    if (width == 0 || height == 0) {
        // A zero-sized bitmap is the stock 1 x 1 monochrome bitmap.
        ensureStock();
        return HBITMAP(stock().defaultBitmap);
    }
    if (!validBitmapSize(width, height)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HBITMAP();
    }
    auto bmp = std::make_unique<BitmapObject>(width, height, static_cast<int>(bitsPerPixel));
    if (bits) {
        PixelSurface& s = bmp->surface();
        if (bitsPerPixel == 32) {
            const auto* src = static_cast<const std::uint32_t*>(bits);
            for (int y = 0; y < height; ++y)
                std::memcpy(s.row(y), src + static_cast<std::size_t>(y) * width, width * 4u);
        } else {
            // Monochrome rows are padded to 16 bits; the first pixel is the top bit.
            const auto* src = static_cast<const std::uint8_t*>(bits);
            const int stride = ((width + 15) / 16) * 2;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    s.at(x, y) = (src[y * stride + x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFFu : 0u;
        }
    }
    return addBitmap(std::move(bmp));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return HBITMAP();
    if (width == 0 || height == 0) return CreateBitmap(0, 0, 1, 1, nullptr);
    if (!validBitmapSize(width, height)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HBITMAP();
    }
    // Compatible with a memory DC means compatible with its selected bitmap's format.
    const int bpp = dc->isMonochrome() ? 1 : 32;
    return addBitmap(std::make_unique<BitmapObject>(width, height, bpp));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD) {
    if (bits) *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HBITMAP();
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biBitCount != 32 || (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) ||
        section) {
        ReportUnsupported("CreateDIBSection", "format (only 32-bit RGB, no file sections)",
                          ERROR_INVALID_PARAMETER);
        return HBITMAP();
    }
    // A negative height means top-down rows; widen first so that INT_MIN does not overflow.
    const long long width = h.biWidth;
    const long long height = std::llabs(static_cast<long long>(h.biHeight));
    if (!validBitmapSize(width, height)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HBITMAP();
    }
    auto bmp = BitmapObject::makeDibSection(static_cast<int>(width), static_cast<int>(height),
                                            h.biHeight < 0);
    if (bits) *bits = bmp->bits();
    return addBitmap(std::move(bmp));
}

HPEN CreatePen(int style, int width, COLORREF color) {
    const int base = style & PS_STYLE_MASK;
    if (base > PS_INSIDEFRAME && base != PS_ALTERNATE) {
        ReportUnsupported("CreatePen", "pen style", ERROR_INVALID_PARAMETER);
        return HPEN();
    }
    if ((style & ~PS_STYLE_MASK) != 0) {
        ReportUnsupported("CreatePen", "geometric pen flags", ERROR_INVALID_PARAMETER);
        return HPEN();
    }
    auto pen = std::make_unique<PenObject>();
    pen->style = pen->logStyle = base;
    // A negative width counts by its size; a null pen is one pixel wide and black.
    pen->width =
        width < 0
            ? (width == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : -width)
            : width;
    pen->color = color;
    if (base == PS_NULL) {
        pen->width = 1;
        pen->color = 0;
    }
    // Styled pens wider than one pixel draw solid, as Windows does for cosmetic pens; they
    // still report their style.
    if (pen->width > 1 && base >= PS_DASH && base <= PS_DASHDOTDOT) pen->style = PS_SOLID;
    return HPEN(HandleTable::current().add(std::move(pen)));
}

HPEN CreatePenIndirect(const LOGPEN* lp) {
    if (!lp) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HPEN();
    }
    return CreatePen(static_cast<int>(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto b = std::make_unique<BrushObject>();
    b->log.lbStyle = BS_SOLID;
    b->log.lbColor = color;
    return HBRUSH(HandleTable::current().add(std::move(b)));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HBRUSH();
    }
    auto b = std::make_unique<BrushObject>();
    b->log.lbStyle = BS_HATCHED;
    b->log.lbColor = color;
    b->log.lbHatch = static_cast<ULONG_PTR>(hatch);
    return HBRUSH(HandleTable::current().add(std::move(b)));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    auto* bmp = gdi::lookup<BitmapObject>(bitmap);
    if (!bmp) return HBRUSH();
    auto b = std::make_unique<BrushObject>();
    b->log.lbStyle = BS_PATTERN;
    b->log.lbHatch = bitmap.value;
    b->patternWidth = bmp->width();
    b->patternHeight = bmp->height();
    b->patternMono = bmp->isMonochrome();
    b->pattern.resize(static_cast<std::size_t>(bmp->width()) * bmp->height());
    for (int y = 0; y < bmp->height(); ++y)
        std::memcpy(&b->pattern[static_cast<std::size_t>(y) * bmp->width()], bmp->surface().row(y),
                    bmp->width() * 4u);
    return HBRUSH(HandleTable::current().add(std::move(b)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
    if (!lb) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HBRUSH();
    }
    switch (lb->lbStyle) {
        case BS_SOLID:
            return CreateSolidBrush(lb->lbColor);
        case BS_HATCHED:
            return CreateHatchBrush(static_cast<int>(lb->lbHatch), lb->lbColor);
        case BS_PATTERN:
            return CreatePatternBrush(HBITMAP(static_cast<std::uint32_t>(lb->lbHatch)));
        case BS_NULL: {
            auto b = std::make_unique<BrushObject>();
            b->log.lbStyle = BS_NULL;
            return HBRUSH(HandleTable::current().add(std::move(b)));
        }
        default:
            ReportUnsupported("CreateBrushIndirect", "brush style", ERROR_INVALID_PARAMETER);
            return HBRUSH();
    }
}

HFONT CreateFontIndirectW(const LOGFONTW* lf) {
    if (!lf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HFONT();
    }
    auto f = std::make_unique<FontObject>();
    f->log = *lf;
    f->log.lfFaceName[LF_FACESIZE - 1] = 0;
    return HFONT(HandleTable::current().add(std::move(f)));
}

COLORREF SetDCBrushColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return CLR_INVALID;
    const COLORREF old = dc->state().dcBrushColor;
    dc->state().dcBrushColor = color;
    return old;
}

COLORREF GetDCBrushColor(HDC hdc) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    return dc ? dc->state().dcBrushColor : CLR_INVALID;
}

COLORREF SetDCPenColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return CLR_INVALID;
    const COLORREF old = dc->state().dcPenColor;
    dc->state().dcPenColor = color;
    return old;
}

COLORREF GetDCPenColor(HDC hdc) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    return dc ? dc->state().dcPenColor : CLR_INVALID;
}

DWORD GetLiveGdiObjectCount() {
    return static_cast<DWORD>(HandleTable::current().liveGdiObjects());
}

}  // namespace orvane::platform
