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

    // The parent's client origin, seen from the child's client area.
    POINT origin{0, 0};
    MapWindowPoints(parent, child, &origin, 1);
    const int saved = SaveDC(hdc);
    if (rect) IntersectClipRect(hdc, rect->left, rect->top, rect->right, rect->bottom);
    OffsetViewportOrgEx(hdc, origin.x, origin.y, nullptr);
    const WPARAM dc = static_cast<WPARAM>(hdc.value);
    SendMessageW(parent, WM_ERASEBKGND, dc, 0);
    SendMessageW(parent, WM_PRINTCLIENT, dc, PRF_CLIENT);
    RestoreDC(hdc, saved);
    return S_OK;
}

}  // namespace orvane::platform
