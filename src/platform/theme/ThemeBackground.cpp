// Theme parts: drawing, sizes and content rectangles, all read from the look table.
#include <algorithm>
#include <memory>

#include "platform/base/LastError.h"
#include "platform/gdi/DcTarget.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/gdi/SurfaceBlend.h"
#include "platform/theme/Theme.h"
#include "platform/theme/ThemeImageCache.h"
#include "platform/theme/ThemeInternal.h"
#include "platform/theme/ThemeLook.h"
#include "platform/theme/ThemeRenderer.h"
#include "platform/user/SystemMetrics.h"

namespace orvane::platform {

namespace {

// Anything bigger than this is drawn piece by piece, only where visible, and not cached.
constexpr long long kMaxCachedPixels = 512 * 512;

struct PartLookup {
    HRESULT result = S_OK;
    const ThemeClassLook* cls = nullptr;
    const ThemePartLook* part = nullptr;
};

// The class and part a call names. State 0 (the part as a whole) is allowed when asked for.
PartLookup lookUp(const char* call, HTHEME theme, int partId, int stateId, bool allowStateZero) {
    PartLookup out;
    const std::u16string* name = theme::openClass(theme);
    if (!name) {
        out.result = E_HANDLE;
        return out;
    }
    out.cls = ThemeLook::forClass(*name);
    if (!out.cls) {
        ReportUnsupported(call, "theme class without a look");
        out.result = E_NOTIMPL;
        return out;
    }
    out.part = out.cls->find(partId);
    if (!out.part || stateId < (allowStateZero ? 0 : 1) || stateId > out.part->stateCount())
        out.result = E_INVALIDARG;
    return out;
}

bool validDc(HDC hdc) {
    const DWORD type = GetObjectType(hdc);
    return type == OBJ_DC || type == OBJ_MEMDC;
}

int dpiFor(HDC hdc) {
    if (hdc) {
        const int dpi = GetDeviceCaps(hdc, LOGPIXELSY);
        if (dpi > 0) return dpi;
    }
    return static_cast<int>(GetDpiForSystem());
}

// Where the part lands in `rect`: the whole of it, or a glyph part centred at its own size.
RECT partRect(const ThemePartLook& part, const RECT& rect, int dpi) {
    if (!part.hasGlyphSize()) return rect;
    const int w =
        std::min<int>(ThemeRenderer::scaled(part.glyphWidth, dpi), rect.right - rect.left);
    const int h =
        std::min<int>(ThemeRenderer::scaled(part.glyphHeight, dpi), rect.bottom - rect.top);
    const int x = rect.left + (rect.right - rect.left - w) / 2;
    const int y = rect.top + (rect.bottom - rect.top - h) / 2;
    return RECT{x, y, x + w, y + h};
}

}  // namespace

HRESULT DrawThemeBackground(HTHEME theme, HDC hdc, int partId, int stateId, const RECT* rect,
                            const RECT* clip) {
    const PartLookup look = lookUp("DrawThemeBackground", theme, partId, stateId, false);
    if (FAILED(look.result)) return look.result;
    if (!rect) return E_INVALIDARG;
    if (!validDc(hdc)) return E_HANDLE;
    if (rect->right <= rect->left || rect->bottom <= rect->top) return S_OK;

    const int dpi = dpiFor(hdc);
    const RECT area = partRect(*look.part, *rect, dpi);
    const int width = area.right - area.left, height = area.bottom - area.top;
    // Only what the clip rectangle and the DC's clipping leave visible needs drawing.
    RECT visible = area;
    if (clip && !IntersectRect(&visible, &visible, clip)) return S_OK;
    RECT clipBox;
    const int clipKind = GetClipBox(hdc, &clipBox);
    if (clipKind == NULLREGION ||
        (clipKind != ERROR && !IntersectRect(&visible, &visible, &clipBox)))
        return S_OK;

    const ThemeStateLook& state = look.part->states[stateId - 1];
    std::shared_ptr<PixelSurface> image;
    POINT at{area.left, area.top};
    if (static_cast<long long>(width) * height <= kMaxCachedPixels) {
        const ThemeImageKey key{look.cls, partId, stateId, width, height, dpi};
        ThemeImageCache& cache = ThemeImageCache::shared();
        image = cache.find(key);
        if (!image) {
            image = std::make_shared<PixelSurface>(width, height);
            ThemeRenderer::render(*look.part, state, width, height, dpi, *image);
            cache.insert(key, image);
        }
    } else {
        image = std::make_shared<PixelSurface>(visible.right - visible.left,
                                               visible.bottom - visible.top);
        ThemeRenderer::render(*look.part, state, width, height, dpi, *image,
                              visible.left - area.left, visible.top - area.top);
        at = POINT{visible.left, visible.top};
    }

    int saved = 0;
    if (clip) {
        saved = SaveDC(hdc);
        IntersectClipRect(hdc, clip->left, clip->top, clip->right, clip->bottom);
    }
    const bool ok = AlphaBlendSurface(hdc, at.x, at.y, *image);
    if (saved) RestoreDC(hdc, saved);
    return ok ? S_OK : E_FAIL;
}

HRESULT GetThemePartSize(HTHEME theme, HDC hdc, int partId, int stateId, const RECT* rect,
                         THEMESIZE size, SIZE* out) {
    const PartLookup look = lookUp("GetThemePartSize", theme, partId, stateId, true);
    if (FAILED(look.result)) return look.result;
    if (!out || size < TS_MIN || size > TS_DRAW) return E_INVALIDARG;
    if (hdc && !validDc(hdc)) return E_HANDLE;
    const ThemePartLook& part = *look.part;
    const int dpi = dpiFor(hdc);
    if (part.hasGlyphSize()) {
        SIZE glyph{ThemeRenderer::scaled(part.glyphWidth, dpi),
                   ThemeRenderer::scaled(part.glyphHeight, dpi)};
        // A glyph drawn into a smaller rectangle shrinks to fit it.
        if (size == TS_DRAW && rect) {
            glyph.cx = std::clamp<LONG>(rect->right - rect->left, 0, glyph.cx);
            glyph.cy = std::clamp<LONG>(rect->bottom - rect->top, 0, glyph.cy);
        }
        *out = glyph;
        return S_OK;
    }
    if (size == TS_MIN) {
        *out = SIZE{ThemeRenderer::scaled(part.minWidth, dpi),
                    ThemeRenderer::scaled(part.minHeight, dpi)};
    } else if (size == TS_DRAW && rect) {
        // A stretched part is drawn at the size it is given.
        *out = SIZE{std::max<LONG>(0, rect->right - rect->left),
                    std::max<LONG>(0, rect->bottom - rect->top)};
    } else {
        *out = SIZE{ThemeRenderer::scaled(part.trueWidth, dpi),
                    ThemeRenderer::scaled(part.trueHeight, dpi)};
    }
    return S_OK;
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC hdc, int partId, int stateId,
                                      const RECT* bounding, RECT* content) {
    const PartLookup look = lookUp("GetThemeBackgroundContentRect", theme, partId, stateId, true);
    if (FAILED(look.result)) return look.result;
    if (!bounding || !content) return E_INVALIDARG;
    if (hdc && !validDc(hdc)) return E_HANDLE;
    const int dpi = dpiFor(hdc);
    const ThemeMargins& m = look.part->content;
    RECT rc{bounding->left + ThemeRenderer::scaled(m.left, dpi),
            bounding->top + ThemeRenderer::scaled(m.top, dpi),
            bounding->right - ThemeRenderer::scaled(m.right, dpi),
            bounding->bottom - ThemeRenderer::scaled(m.bottom, dpi)};
    // A rectangle too small for the margins has an empty content area, not an inverted one.
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
    *content = rc;
    return S_OK;
}

HRESULT GetThemeBackgroundExtent(HTHEME theme, HDC hdc, int partId, int stateId,
                                 const RECT* content, RECT* extent) {
    const PartLookup look = lookUp("GetThemeBackgroundExtent", theme, partId, stateId, true);
    if (FAILED(look.result)) return look.result;
    if (!content || !extent) return E_INVALIDARG;
    if (hdc && !validDc(hdc)) return E_HANDLE;
    const int dpi = dpiFor(hdc);
    const ThemeMargins& m = look.part->content;
    *extent = RECT{content->left - ThemeRenderer::scaled(m.left, dpi),
                   content->top - ThemeRenderer::scaled(m.top, dpi),
                   content->right + ThemeRenderer::scaled(m.right, dpi),
                   content->bottom + ThemeRenderer::scaled(m.bottom, dpi)};
    return S_OK;
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int partId, int stateId) {
    const std::u16string* name = theme::openClass(theme);
    const ThemeClassLook* cls = name ? ThemeLook::forClass(*name) : nullptr;
    const ThemePartLook* part = cls ? cls->find(partId) : nullptr;
    if (!part || stateId < 0 || stateId > part->stateCount()) return FALSE;
    return part->partiallyTransparent ? TRUE : FALSE;
}

BOOL IsThemePartDefined(HTHEME theme, int partId, int stateId) {
    const std::u16string* name = theme::openClass(theme);
    if (!name) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const ThemeClassLook* cls = ThemeLook::forClass(*name);
    const ThemePartLook* part = cls ? cls->find(partId) : nullptr;
    if (!part || stateId < 0 || stateId > part->stateCount()) return FALSE;
    return TRUE;
}

}  // namespace orvane::platform
