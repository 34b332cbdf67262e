// Device contexts: creation, attributes, coordinate spaces and the save stack.
#include <cmath>
#include <string_view>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"

namespace orvane::platform {

namespace gdi {

namespace {
std::function<std::unique_ptr<DcTarget>()>& displayFactory() {
    static std::function<std::unique_ptr<DcTarget>()> f;
    return f;
}
}  // namespace

void setDisplayTargetFactory(std::function<std::unique_ptr<DcTarget>()> factory) {
    displayFactory() = std::move(factory);
}

std::unique_ptr<DcTarget> makeDisplayTarget() {
    return displayFactory() ? displayFactory()() : nullptr;
}

ScreenInfo& screenInfo() {
    static ScreenInfo info;
    return info;
}

}  // namespace gdi

namespace {

// Sets one attribute and returns the old value, or the error value for a bad DC.
template <class T, class F>
T swapAttr(HDC hdc, T error, F&& member, T value) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return error;
    T& slot = member(dc->state());
    const T old = slot;
    slot = value;
    return old;
}

template <class T, class F>
T getAttr(HDC hdc, T error, F&& member) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    return dc ? member(dc->state()) : error;
}

BOOL setPoint(HDC hdc, POINT DeviceContext::State::*field, int x, int y, POINT* old,
              bool relative) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    POINT& p = dc->state().*field;
    if (old) *old = p;
    if (relative) {
        p.x += x;
        p.y += y;
    } else {
        p = POINT{x, y};
    }
    return TRUE;
}

BOOL getPoint(HDC hdc, POINT DeviceContext::State::*field, POINT* out) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc || !out) return FALSE;
    *out = dc->state().*field;
    return TRUE;
}

XFORM multiply(const XFORM& a, const XFORM& b) {
    // a then b.
    XFORM r;
    r.eM11 = a.eM11 * b.eM11 + a.eM12 * b.eM21;
    r.eM12 = a.eM11 * b.eM12 + a.eM12 * b.eM22;
    r.eM21 = a.eM21 * b.eM11 + a.eM22 * b.eM21;
    r.eM22 = a.eM21 * b.eM12 + a.eM22 * b.eM22;
    r.eDx = a.eDx * b.eM11 + a.eDy * b.eM21 + b.eDx;
    r.eDy = a.eDx * b.eM12 + a.eDy * b.eM22 + b.eDy;
    return r;
}

}  // namespace

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc && !gdi::dcFrom(hdc)) return HDC();
    return gdi::registerDc(std::make_unique<DeviceContext>(DeviceContext::Type::Memory, nullptr));
}

HDC CreateDCW(LPCWSTR driver, LPCWSTR device, LPCWSTR, const void*) {
    auto equalsDisplay = [](LPCWSTR s) {
        if (!s) return false;
        const std::u16string_view v(s);
        return v == u"DISPLAY" || v == u"\\\\.\\DISPLAY1";
    };
    if (!equalsDisplay(driver) && !equalsDisplay(device)) {
        ReportUnsupported("CreateDCW", "device (only the display)", ERROR_INVALID_PARAMETER);
        return HDC();
    }
    return gdi::registerDc(
        std::make_unique<DeviceContext>(DeviceContext::Type::Display, gdi::makeDisplayTarget()));
}

BOOL DeleteDC(HDC hdc) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    return HandleTable::current().remove(hdc.value) ? TRUE : FALSE;
}

int SaveDC(HDC hdc) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return 0;
    dc->savedStates().push_back(dc->state());
    return static_cast<int>(dc->savedStates().size());
}

BOOL RestoreDC(HDC hdc, int saved) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    auto& stack = dc->savedStates();
    const int depth = static_cast<int>(stack.size());
    // Negative values count back from the most recent save.
    const int level = saved < 0 ? depth + saved + 1 : saved;
    if (level < 1 || level > depth) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DeviceContext::State state = stack[level - 1];
    stack.resize(level - 1);
    // The bitmap is selected again through the normal path so ownership stays right.
    const std::uint32_t bitmap = state.bitmap;
    state.bitmap = dc->state().bitmap;
    dc->state() = state;
    if (dc->type() == DeviceContext::Type::Memory && bitmap != dc->state().bitmap)
        SelectObject(hdc, HGDIOBJ(bitmap));
    dc->invalidateClip();
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return 0;
    const gdi::ScreenInfo& screen = gdi::screenInfo();
    switch (index) {
        case DRIVERVERSION:
            return 0x4000;
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        case HORZRES:
            return screen.width;
        case VERTRES:
            return screen.height;
        case DESKTOPHORZRES:
            return screen.width;
        case DESKTOPVERTRES:
            return screen.height;
        case HORZSIZE:
            return static_cast<int>(std::lround(screen.width * 25.4 / screen.dpi));
        case VERTSIZE:
            return static_cast<int>(std::lround(screen.height * 25.4 / screen.dpi));
        case BITSPIXEL:
            return 32;  // memory DCs report the display they are compatible with
        case PLANES:
            return 1;
        case NUMCOLORS:
            return -1;
        case SIZEPALETTE:
            return 0;
        case RASTERCAPS:
            return RC_BITBLT | RC_STRETCHBLT | RC_DI_BITMAP;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return screen.dpi;
        case SHADEBLENDCAPS:
            return SB_CONST_ALPHA | SB_PIXEL_ALPHA;
        default:
            ReportUnsupported("GetDeviceCaps", "index", ERROR_INVALID_PARAMETER);
            return 0;
    }
}

COLORREF SetBkColor(HDC hdc, COLORREF c) {
    return swapAttr<COLORREF>(
        hdc, CLR_INVALID, [](auto& s) -> COLORREF& { return s.bkColor; }, c);
}
COLORREF GetBkColor(HDC hdc) {
    return getAttr<COLORREF>(hdc, CLR_INVALID, [](auto& s) { return s.bkColor; });
}
COLORREF SetTextColor(HDC hdc, COLORREF c) {
    return swapAttr<COLORREF>(
        hdc, CLR_INVALID, [](auto& s) -> COLORREF& { return s.textColor; }, c);
}
COLORREF GetTextColor(HDC hdc) {
    return getAttr<COLORREF>(hdc, CLR_INVALID, [](auto& s) { return s.textColor; });
}

int SetBkMode(HDC hdc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return swapAttr<int>(
        hdc, 0, [](auto& s) -> int& { return s.bkMode; }, mode);
}
int GetBkMode(HDC hdc) {
    return getAttr<int>(hdc, 0, [](auto& s) { return s.bkMode; });
}

int SetROP2(HDC hdc, int rop2) {
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return swapAttr<int>(
        hdc, 0, [](auto& s) -> int& { return s.rop2; }, rop2);
}
int GetROP2(HDC hdc) {
    return getAttr<int>(hdc, 0, [](auto& s) { return s.rop2; });
}

int SetPolyFillMode(HDC hdc, int mode) {
    if (mode != ALTERNATE && mode != WINDING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return swapAttr<int>(
        hdc, 0, [](auto& s) -> int& { return s.polyFillMode; }, mode);
}
int GetPolyFillMode(HDC hdc) {
    return getAttr<int>(hdc, 0, [](auto& s) { return s.polyFillMode; });
}

int SetStretchBltMode(HDC hdc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return swapAttr<int>(
        hdc, 0, [](auto& s) -> int& { return s.stretchMode; }, mode);
}
int GetStretchBltMode(HDC hdc) {
    return getAttr<int>(hdc, 0, [](auto& s) { return s.stretchMode; });
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* old) {
    return setPoint(hdc, &DeviceContext::State::brushOrg, x, y, old, false);
}
BOOL GetBrushOrgEx(HDC hdc, POINT* org) {
    return getPoint(hdc, &DeviceContext::State::brushOrg, org);
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* old) {
    return setPoint(hdc, &DeviceContext::State::viewportOrg, x, y, old, false);
}
BOOL GetViewportOrgEx(HDC hdc, POINT* org) {
    return getPoint(hdc, &DeviceContext::State::viewportOrg, org);
}
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* old) {
    return setPoint(hdc, &DeviceContext::State::viewportOrg, dx, dy, old, true);
}
BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* old) {
    return setPoint(hdc, &DeviceContext::State::windowOrg, x, y, old, false);
}
BOOL GetWindowOrgEx(HDC hdc, POINT* org) {
    return getPoint(hdc, &DeviceContext::State::windowOrg, org);
}
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, POINT* old) {
    return setPoint(hdc, &DeviceContext::State::windowOrg, dx, dy, old, true);
}

int SetMapMode(HDC hdc, int mode) {
    if (mode != MM_TEXT) {
        ReportUnsupported("SetMapMode", "mapping mode (only MM_TEXT)", ERROR_INVALID_PARAMETER);
        return 0;
    }
    return swapAttr<int>(
        hdc, 0, [](auto& s) -> int& { return s.mapMode; }, mode);
}
int GetMapMode(HDC hdc) {
    return getAttr<int>(hdc, 0, [](auto& s) { return s.mapMode; });
}

int SetGraphicsMode(HDC hdc, int mode) {
    if (mode != GM_COMPATIBLE && mode != GM_ADVANCED) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return 0;
    const int old = dc->state().graphicsMode;
    // Leaving the advanced mode keeps the world transform, which goes on mapping coordinates;
    // only the advanced mode can change it.
    dc->state().graphicsMode = mode;
    return old;
}
int GetGraphicsMode(HDC hdc) {
    return getAttr<int>(hdc, 0, [](auto& s) { return s.graphicsMode; });
}

BOOL SetWorldTransform(HDC hdc, const XFORM* xform) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    if (!xform || dc->state().graphicsMode != GM_ADVANCED ||
        xform->eM11 * xform->eM22 - xform->eM12 * xform->eM21 == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    dc->state().xform = *xform;
    return TRUE;
}

BOOL GetWorldTransform(HDC hdc, XFORM* xform) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc || !xform) return FALSE;
    *xform = dc->state().xform;
    return TRUE;
}

BOOL ModifyWorldTransform(HDC hdc, const XFORM* xform, DWORD mode) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    if (dc->state().graphicsMode != GM_ADVANCED) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    XFORM& cur = dc->state().xform;
    switch (mode) {
        case MWT_IDENTITY:
            cur = XFORM{};
            return TRUE;
        case MWT_LEFTMULTIPLY:
            if (!xform) break;
            cur = multiply(*xform, cur);
            return TRUE;
        case MWT_RIGHTMULTIPLY:
            if (!xform) break;
            cur = multiply(cur, *xform);
            return TRUE;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

DWORD SetLayout(HDC hdc, DWORD layout) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return GDI_ERROR;
    if (layout & ~(LAYOUT_RTL | LAYOUT_BITMAPORIENTATIONPRESERVED)) {
        ReportUnsupported("SetLayout", "layout flags", ERROR_INVALID_PARAMETER);
        return GDI_ERROR;
    }
    const DWORD old = dc->state().layout;
    dc->state().layout = layout;
    return old;
}

DWORD GetLayout(HDC hdc) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    return dc ? dc->state().layout : GDI_ERROR;
}

BOOL LPtoDP(HDC hdc, POINT* pts, int count) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc || (!pts && count)) return FALSE;
    for (int i = 0; i < count; ++i) {
        double x, y;
        dc->toDevice(pts[i].x, pts[i].y, x, y);
        pts[i] = POINT{gdi::roundCoord(x), gdi::roundCoord(y)};
    }
    return TRUE;
}

BOOL DPtoLP(HDC hdc, POINT* pts, int count) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc || (!pts && count)) return FALSE;
    const auto& s = dc->state();
    for (int i = 0; i < count; ++i) {
        double x = pts[i].x, y = pts[i].y;
        if (dc->isMirrored()) x = dc->deviceSize().cx - x;
        x = x - s.viewportOrg.x + s.windowOrg.x;
        y = y - s.viewportOrg.y + s.windowOrg.y;
        {
            const XFORM& m = s.xform;
            const double det = m.eM11 * m.eM22 - m.eM12 * m.eM21;
            const double tx = x - m.eDx, ty = y - m.eDy;
            x = (tx * m.eM22 - ty * m.eM21) / det;
            y = (ty * m.eM11 - tx * m.eM12) / det;
        }
        pts[i] = POINT{gdi::roundCoord(x), gdi::roundCoord(y)};
    }
    return TRUE;
}

}  // namespace orvane::platform
