// Menu bars: a top-level window's menu (SetMenu, GetMenu, DrawMenuBar, GetMenuBarInfo), its
// place and look in the non-client area, and the default processing that opens it from the
// mouse (SC_MOUSEMENU) and the keyboard (SC_KEYMENU: Alt, F10, Alt+letter).
#include <algorithm>

#include "platform/base/LastError.h"
#include "platform/text/CharCase.h"
#include "platform/user/MenuInternal.h"
#include "platform/user/MenuLayout.h"
#include "platform/user/MenuPainter.h"
#include "platform/user/MenuTracker.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

void frameChanged(HWND hwnd) {
    SetWindowPos(hwnd, HWND(), 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

char16_t lowerChar(char16_t c) {
    CharLowerBuffW(&c, 1);
    return c;
}

}  // namespace

namespace menus {

int barHeight(WindowObject& w, int windowWidth) {
    if (!menuQuiet(w.menu)) return 0;
    return MenuLayout::layoutBar(HMENU(w.menu), w.hwnd(), std::max(0, windowWidth),
                                 static_cast<int>(GetDpiForSystem()));
}

RECT barRect(WindowObject& w) {
    return user::menuBarRect(w);
}

void paintBar(WindowObject& w, HDC hdc, const RECT& bar) {
    MenuTracker* t = MenuTracker::current();
    const bool open = t && t->topMenu().value == w.menu && t->barOpen();
    MenuPainter::paintBar(HMENU(w.menu), w.hwnd(), hdc, bar, static_cast<int>(GetDpiForSystem()),
                          w.ncActive, open);
}

int barItemAt(WindowObject& w, POINT screen) {
    const MenuObject* m = menuQuiet(w.menu);
    if (!m) return -1;
    const RECT bar = barRect(w);
    const POINT o = user::windowOrigin(w);
    const POINT p{screen.x - o.x - bar.left, screen.y - o.y - bar.top};
    return MenuLayout::itemAt(*m, p);
}

void windowDestroyed(WindowObject& w) {
    destroyWindowMenu(w);
    const std::uint32_t menu = w.menu;
    w.menu = 0;
    // The window's menu bar goes with it, as on Windows.
    if (MenuObject* m = menuQuiet(menu)) {
        m->barWindow = 0;
        DestroyMenu(HMENU(menu));
    }
}

bool sessionActive() {
    return MenuTracker::current() != nullptr;
}

void mouseMenu(HWND hwnd, POINT screen) {
    WindowObject* w = user::windowQuiet(hwnd);
    if (!w || sessionActive() || !menuQuiet(w->menu)) return;
    const int item = barItemAt(*w, screen);
    if (item < 0) return;
    MenuTracker tracker(hwnd, HMENU(w->menu), 0, MenuTracker::Start::BarMouse, false);
    tracker.selectBarItem(item, true, false);
    tracker.run();
}

void keyMenu(HWND hwnd, char16_t key) {
    const HWND root = GetAncestor(hwnd, GA_ROOT);
    WindowObject* w = user::windowQuiet(root);
    if (!w || sessionActive()) return;
    if (key == u' ') {
        windowMenu(root);
        return;
    }
    MenuObject* bar = menuQuiet(w->menu);
    // FIXME: Alt on a window without a menu bar does not select the window menu.
    if (!bar || bar->items.empty()) return;
    int item = 0;
    if (key) {
        item = -1;
        for (std::size_t i = 0; i < bar->items.size(); ++i) {
            const char16_t mn = bar->items[i].mnemonic();
            if (mn && lowerChar(mn) == lowerChar(key)) {
                item = static_cast<int>(i);
                break;
            }
        }
        if (item < 0) {
            // No bar item has the letter: the window may choose one (WM_MENUCHAR).
            const LRESULT r =
                SendMessageW(root, WM_MENUCHAR, MAKEWPARAM(key, 0), static_cast<LPARAM>(w->menu));
            const WORD how = HIWORD(static_cast<std::uintptr_t>(r));
            if ((how == MNC_EXECUTE || how == MNC_SELECT) && (bar = menuQuiet(w->menu)) &&
                LOWORD(static_cast<std::uintptr_t>(r)) < bar->items.size()) {
                item = LOWORD(static_cast<std::uintptr_t>(r));
            } else {
                if (how != MNC_CLOSE) MessageBeep(0);
                return;
            }
        }
    }
    MenuTracker tracker(root, HMENU(w->menu), 0, MenuTracker::Start::BarKeyboard, false);
    tracker.selectBarItem(item, key != 0, true);
    tracker.run();
}

}  // namespace menus

BOOL SetMenu(HWND hwnd, HMENU menu) {
    WindowObject* w = user::window(hwnd);
    if (!w) return FALSE;
    constexpr DWORD ERROR_CHILD_WINDOW_MENU = 1436;
    if (w->isChild()) {
        SetLastError(ERROR_CHILD_WINDOW_MENU);
        return FALSE;
    }
    MenuObject* m = nullptr;
    if (menu && !(m = menus::menu(menu))) return FALSE;
    if (MenuObject* old = menus::menuQuiet(w->menu); old && old->barWindow == hwnd.value)
        old->barWindow = 0;
    w->menu = menu.value;
    if (m) {
        m->barWindow = hwnd.value;
        m->changed();
    }
    frameChanged(hwnd);
    return TRUE;
}

HMENU GetMenu(HWND hwnd) {
    WindowObject* w = user::window(hwnd);
    if (!w || w->isChild()) return HMENU();
    return HMENU(w->menu);
}

BOOL DrawMenuBar(HWND hwnd) {
    WindowObject* w = user::window(hwnd);
    if (!w) return FALSE;
    if (MenuObject* m = menus::menuQuiet(w->menu)) m->changed();
    // The bar may need another number of rows, so the frame is laid out again.
    frameChanged(hwnd);
    if ((w = user::windowQuiet(hwnd))) {
        w->ncPaintPending = w->internalPaint = true;
        user::paintChanged(*w);
    }
    return TRUE;
}

BOOL GetMenuBarInfo(HWND hwnd, LONG object, LONG item, MENUBARINFO* info) {
    WindowObject* w = user::window(hwnd);
    if (!w) return FALSE;
    if (!info || info->cbSize != sizeof(MENUBARINFO) || item < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    MenuTracker* t = MenuTracker::current();
    MenuObject* m = nullptr;
    RECT area{};
    POINT origin{};
    if (object == OBJID_MENU) {
        m = menus::menuQuiet(w->menu);
        if (!m) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return FALSE;
        }
        area = menus::barRect(*w);
        origin = user::windowOrigin(*w);
        OffsetRect(&area, origin.x, origin.y);
    } else if (object == OBJID_CLIENT) {
        // A popup menu window: its menu comes from MN_GETHMENU.
        m = menus::menuQuiet(static_cast<std::uint32_t>(SendMessageW(hwnd, MN_GETHMENU, 0, 0)));
        if (!m) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return FALSE;
        }
        GetWindowRect(hwnd, &area);
    } else {
        ReportUnsupported("GetMenuBarInfo", "objects other than OBJID_MENU and OBJID_CLIENT");
        return FALSE;
    }
    if (static_cast<std::size_t>(item) > m->items.size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    info->hMenu = m->hmenu();
    info->rcBar = area;
    if (item > 0) {
        RECT rc = m->items[static_cast<std::size_t>(item - 1)].rect;
        OffsetRect(&rc, area.left, area.top);
        info->rcBar = rc;
    }
    const bool inSession = t && (t->topMenu() == m->hmenu() || t->windowOf(m->hmenu()));
    info->fBarFocused = inSession ? TRUE : FALSE;
    info->fFocused = inSession && (item == 0 ? m->selected >= 0 : m->selected == item - 1);
    info->hwndMenu = HWND();
    if (inSession && m->selected >= 0) {
        const std::uint32_t sub = m->items[static_cast<std::size_t>(m->selected)].subMenu;
        if (MenuObject* s = menus::menuQuiet(sub)) info->hwndMenu = HWND(s->popupWindow);
    }
    return TRUE;
}

}  // namespace orvane::platform
