// The window menu of a captioned window (Restore, Move, Size, Minimize, Maximize, Close): its
// items follow the window's state when it opens, and its commands come as WM_SYSCOMMAND.
#include "platform/base/LastError.h"
#include "platform/user/MenuInternal.h"
#include "platform/user/MenuTracker.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

HMENU standardMenu() {
    HMENU m = CreatePopupMenu();
    AppendMenuW(m, MF_STRING, SC_RESTORE, u"&Restore");
    AppendMenuW(m, MF_STRING, SC_MOVE, u"&Move");
    AppendMenuW(m, MF_STRING, SC_SIZE, u"&Size");
    AppendMenuW(m, MF_STRING, SC_MINIMIZE, u"Mi&nimize");
    AppendMenuW(m, MF_STRING, SC_MAXIMIZE, u"Ma&ximize");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(m, MF_STRING | MF_DEFAULT, SC_CLOSE, u"&Close\tAlt+F4");
    if (MenuObject* o = menus::menuQuiet(m)) o->system = true;
    return m;
}

// Enables the commands that make sense for the window as it is now.
void updateItems(WindowObject& w, HMENU m) {
    const bool maximized = w.style & WS_MAXIMIZE, minimized = w.style & WS_MINIMIZE;
    const bool sizable = w.style & WS_THICKFRAME;
    auto enable = [&](UINT id, bool on) {
        EnableMenuItem(m, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, maximized || minimized);
    enable(SC_MOVE, !maximized);
    enable(SC_SIZE, sizable && !maximized && !minimized);
    enable(SC_MINIMIZE, (w.style & WS_MINIMIZEBOX) && !minimized);
    enable(SC_MAXIMIZE, (w.style & WS_MAXIMIZEBOX) && !maximized);
    enable(SC_CLOSE, !(w.cls && (w.cls->style & CS_NOCLOSE)));
}

}  // namespace

namespace menus {

void windowMenu(HWND hwnd) {
    WindowObject* w = user::windowQuiet(hwnd);
    if (!w || sessionActive() || (w->style & WS_CAPTION) != WS_CAPTION || !(w->style & WS_SYSMENU))
        return;
    const HMENU m = GetSystemMenu(hwnd, FALSE);
    if (!m) return;
    updateItems(*w, m);
    // Below the caption's left end, where the window's icon would be.
    POINT clientTop{0, 0};
    ClientToScreen(hwnd, &clientTop);
    const RECT bar = barRect(*w);
    const int y = clientTop.y - (bar.bottom - bar.top);
    MenuTracker tracker(hwnd, m, 0, MenuTracker::Start::Popup, true);
    tracker.showPopupAt(clientTop.x, y, nullptr);
    tracker.run();
}

void destroyWindowMenu(WindowObject& w) {
    const std::uint32_t m = w.sysMenu;
    w.sysMenu = 0;
    if (menuQuiet(m)) DestroyMenu(HMENU(m));
}

}  // namespace menus

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    WindowObject* w = user::window(hwnd);
    if (!w) return HMENU();
    if (revert) {
        // The window goes back to the standard menu, made afresh when next asked for.
        menus::destroyWindowMenu(*w);
        return HMENU();
    }
    if (!(w->style & WS_SYSMENU)) return HMENU();
    if (!menus::menuQuiet(w->sysMenu)) w->sysMenu = standardMenu().value;
    return HMENU(w->sysMenu);
}

}  // namespace orvane::platform
