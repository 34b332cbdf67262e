// Popup menus on the screen: TrackPopupMenuEx and EndMenu, the items of shown menus
// (GetMenuItemRect, MenuItemFromPoint), and the popup menu window class "#32768" that shows
// them: a top-most, layered tool window that is never activated.
#include "platform/base/LastError.h"
#include "platform/user/MenuInternal.h"
#include "platform/user/MenuLayout.h"
#include "platform/user/MenuPainter.h"
#include "platform/user/MenuTracker.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

constexpr UINT kKnownTrackFlags = TPM_RIGHTBUTTON | TPM_CENTERALIGN | TPM_RIGHTALIGN |
                                  TPM_VCENTERALIGN | TPM_BOTTOMALIGN | TPM_VERTICAL | TPM_NONOTIFY |
                                  TPM_RETURNCMD | TPM_HORPOSANIMATION | TPM_HORNEGANIMATION |
                                  TPM_VERPOSANIMATION | TPM_VERNEGANIMATION | TPM_NOANIMATION;

HMENU menuOfWindow(HWND hwnd) {
    return HMENU(static_cast<std::uint32_t>(GetWindowLongPtrW(hwnd, 0)));
}

void paint(HWND hwnd, HDC hdc) {
    const MenuTracker* t = MenuTracker::current();
    const HWND owner = t ? t->owner() : GetWindow(hwnd, GW_OWNER);
    const int dpi = t ? t->dpi() : static_cast<int>(GetDpiForSystem());
    MenuPainter::paintPopup(menuOfWindow(hwnd), owner, hdc, dpi);
}

LRESULT popupMenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_NCHITTEST:
            return HTCLIENT;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_PAINT: {
            PAINTSTRUCT ps;
            if (HDC hdc = BeginPaint(hwnd, &ps)) {
                paint(hwnd, hdc);
                EndPaint(hwnd, &ps);
            }
            return 0;
        }
        case WM_PRINTCLIENT:
            paint(hwnd, HDC(static_cast<std::uint32_t>(wParam)));
            return 0;
        case MN_GETHMENU:
            return static_cast<LRESULT>(menuOfWindow(hwnd).value);
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

// Where a shown menu is: its items' origin on the screen, or false when it is not shown.
bool shownOrigin(MenuObject& m, POINT& origin) {
    if (WindowObject* w = user::windowQuiet(HWND(m.popupWindow))) {
        origin = user::windowOrigin(*w);
        return true;
    }
    if (WindowObject* w = user::windowQuiet(HWND(m.barWindow)); w && w->menu == m.handle()) {
        const RECT bar = menus::barRect(*w);
        if (IsRectEmpty(&bar)) return false;
        const POINT o = user::windowOrigin(*w);
        origin = POINT{o.x + bar.left, o.y + bar.top};
        return true;
    }
    return false;
}

}  // namespace

namespace menus {

void ensurePopupClass() {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = popupMenuProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hCursor = LoadCursorW(HINSTANCE(), IDC_ARROW);
    wc.lpszClassName = u"#32768";
    WindowClass::registerSystem(wc);
}

}  // namespace menus

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params) {
    MenuObject* m = menus::menu(menu);
    if (!m) return FALSE;
    if (!user::window(owner)) return FALSE;
    if (flags & (TPM_RECURSE | TPM_LAYOUTRTL | TPM_WORKAREA)) {
        ReportUnsupported("TrackPopupMenuEx", "TPM_RECURSE, TPM_LAYOUTRTL and TPM_WORKAREA",
                          ERROR_INVALID_FLAGS);
        return FALSE;
    }
    if (flags & ~kKnownTrackFlags) {
        SetLastError(ERROR_INVALID_FLAGS);
        return FALSE;
    }
    if (params && params->cbSize != sizeof(TPMPARAMS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // One menu session at a time, and a menu is shown only once.
    if (menus::sessionActive() || m->popupWindow) {
        SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
        return FALSE;
    }
    MenuTracker tracker(owner, menu, flags, MenuTracker::Start::Popup, false);
    tracker.showPopupAt(x, y, params ? &params->rcExclude : nullptr);
    const UINT command = tracker.run();
    return (flags & TPM_RETURNCMD) ? static_cast<BOOL>(command) : TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu() {
    if (MenuTracker* t = MenuTracker::current()) t->cancel();
    return TRUE;
}

BOOL GetMenuItemRect(HWND, HMENU menu, UINT item, RECT* rc) {
    MenuObject* m = menus::menu(menu);
    if (!m) return FALSE;
    if (!rc || item >= m->items.size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    POINT origin;
    if (!shownOrigin(*m, origin)) return FALSE;
    *rc = m->items[item].rect;
    OffsetRect(rc, origin.x, origin.y);
    return TRUE;
}

int MenuItemFromPoint(HWND, HMENU menu, POINT pt) {
    MenuObject* m = menus::menu(menu);
    if (!m) return -1;
    POINT origin;
    if (!shownOrigin(*m, origin)) return -1;
    return MenuLayout::itemAt(*m, POINT{pt.x - origin.x, pt.y - origin.y});
}

}  // namespace orvane::platform
