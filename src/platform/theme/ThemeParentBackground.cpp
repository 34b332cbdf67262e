// DrawThemeParentBackground: a child with see-through parts asks its parent to paint what
// lies behind it, into the child's own DC.
#include "platform/gdi/Gdi.h"
#include "platform/theme/Theme.h"
#include "platform/user/User.h"

namespace orvane::platform {

HRESULT DrawThemeParentBackground(HWND child, HDC hdc, const RECT* rect) {
    if (!IsWindow(child)) return E_HANDLE;
    const DWORD type = GetObjectType(hdc);
    if (type != OBJ_DC && type != OBJ_MEMDC) return E_HANDLE;
    const HWND parent = GetParent(child);
    if (!parent) return E_FAIL;

    // Both client areas on the screen (a rectangle maps edge to edge, mirrored or not).
    RECT own{}, behind{};
    GetClientRect(child, &own);
    GetClientRect(parent, &behind);
    MapWindowPoints(child, HWND(), reinterpret_cast<POINT*>(&own), 2);
    MapWindowPoints(parent, HWND(), reinterpret_cast<POINT*>(&behind), 2);
    const bool parentMirrored = (GetWindowLongW(parent, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    const int saved = SaveDC(hdc);
    if (rect) IntersectClipRect(hdc, rect->left, rect->top, rect->right, rect->bottom);
    // The parent paints in its own orientation: the DC takes the parent's layout, and the
    // parent's client origin (its right edge when mirrored) seen from the child's.
    SetLayout(hdc, parentMirrored ? LAYOUT_RTL : 0);
    const int x = parentMirrored ? own.right - behind.right : behind.left - own.left;
    OffsetViewportOrgEx(hdc, x, behind.top - own.top, nullptr);
    const WPARAM dc = static_cast<WPARAM>(hdc.value);
    SendMessageW(parent, WM_ERASEBKGND, dc, 0);
    SendMessageW(parent, WM_PRINTCLIENT, dc, PRF_CLIENT);
    RestoreDC(hdc, saved);
    return S_OK;
}

}  // namespace orvane::platform
