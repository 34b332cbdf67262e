#include "platform/user/MenuTracker.h"

#include <algorithm>

#include "platform/base/Clock.h"
#include "platform/text/CharCase.h"
#include "platform/user/InputQueue.h"
#include "platform/user/MenuInternal.h"
#include "platform/user/MenuLayout.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

constexpr UINT_PTR kShowTimer = 0xFFF1;
// A submenu overlaps its parent by this much, so that the pointer can cross between them.
constexpr int kOverlap = 3;

MenuTracker*& currentTracker() {
    static MenuTracker* s = nullptr;
    return s;
}

char16_t lower(char16_t c) {
    CharLowerBuffW(&c, 1);
    return c;
}

bool isButtonDown(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDOWN ||
           msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDOWN || msg == WM_MBUTTONDBLCLK;
}

RECT screenArea() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

MenuTracker::MenuTracker(HWND owner, HMENU menu, UINT flags, Start start, bool system)
    : m_owner(owner),
      m_top(menu.value),
      m_flags(flags),
      m_start(start),
      m_system(system),
      m_dpi(static_cast<int>(GetDpiForSystem())),
      m_previous(currentTracker()) {
    currentTracker() = this;
    user::state().menuOwner = owner.value;
    if (notify()) {
        SendMessageW(m_owner, WM_ENTERMENULOOP, isBar() || m_system ? FALSE : TRUE, 0);
        if (alive()) SendMessageW(m_owner, WM_INITMENU, m_top, 0);
    }
    if (isBar()) m_levels.push_back(Level{m_top, HWND()});
}

MenuTracker::~MenuTracker() {
    currentTracker() = m_previous;
    user::state().menuOwner = m_previous ? m_previous->m_owner.value : 0;
}

MenuTracker* MenuTracker::current() {
    return currentTracker();
}

MenuObject* MenuTracker::levelMenu(std::size_t level) const {
    return level < m_levels.size() ? menus::menuQuiet(m_levels[level].menu) : nullptr;
}

bool MenuTracker::alive() const {
    if (!user::windowQuiet(m_owner) || !menus::menuQuiet(m_top)) return false;
    for (const Level& l : m_levels)
        if (!menus::menuQuiet(l.menu)) return false;
    return true;
}

HWND MenuTracker::windowOf(HMENU menu) const {
    for (const Level& l : m_levels)
        if (l.menu == menu.value) return l.window;
    return HWND();
}

bool MenuTracker::barOpen() const {
    return isBar() && m_levels.size() > 1;
}

// ---- Placing and opening popups ----

void MenuTracker::place(RECT& rc, int anchorX, int anchorY, const RECT* exclude,
                        bool vertical) const {
    const RECT screen = screenArea();
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int x = rc.left, y = rc.top;
    // Past an edge, the menu goes to the other side of its anchor point, or else against
    // the edge.
    if (x + w > screen.right) x = anchorX - w >= screen.left ? anchorX - w : screen.right - w;
    if (x < screen.left) x = anchorX + w <= screen.right ? anchorX : screen.left;
    if (y + h > screen.bottom) y = anchorY - h >= screen.top ? anchorY - h : screen.bottom - h;
    if (y < screen.top) y = anchorY + h <= screen.bottom ? anchorY : screen.top;
    // Out of the excluded rectangle: above or below it (TPM_VERTICAL), else beside it.
    if (exclude) {
        const RECT menuRect{x, y, x + w, y + h};
        RECT overlap;
        if (IntersectRect(&overlap, &menuRect, exclude)) {
            if (vertical) {
                if (exclude->bottom + h <= screen.bottom)
                    y = exclude->bottom;
                else if (exclude->top - h >= screen.top)
                    y = exclude->top - h;
            } else {
                if (exclude->right + w <= screen.right)
                    x = exclude->right;
                else if (exclude->left - w >= screen.left)
                    x = exclude->left - w;
            }
        }
    }
    rc = RECT{x, y, x + w, y + h};
}

HWND MenuTracker::createPopupWindow(HMENU menu, RECT rc) {
    menus::ensurePopupClass();
    const HWND hwnd = CreateWindowExW(
        WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_NOACTIVATE, u"#32768", u"",
        WS_POPUP | WS_CLIPSIBLINGS, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
        m_owner, HMENU(), HINSTANCE(), nullptr);
    if (!hwnd) return HWND();
    SetWindowLongPtrW(hwnd, 0, static_cast<LONG_PTR>(menu.value));
    SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
    if (MenuObject* m = menus::menuQuiet(menu)) m->popupWindow = hwnd.value;
    ShowWindow(hwnd, SW_SHOWNA);
    UpdateWindow(hwnd);
    return hwnd;
}

void MenuTracker::showPopupAt(int x, int y, const RECT* exclude) {
    const HMENU top(m_top);
    if (notify()) SendMessageW(m_owner, WM_INITMENUPOPUP, m_top, MAKELPARAM(0, m_system));
    if (!alive() || !MenuLayout::layoutPopup(top, m_owner, m_dpi)) {
        m_end = true;
        return;
    }
    MenuObject* m = menus::menuQuiet(top);
    const int w = m->size.cx, h = m->size.cy;
    int left = x, topY = y;
    if (m_flags & TPM_CENTERALIGN)
        left -= w / 2;
    else if (m_flags & TPM_RIGHTALIGN)
        left -= w;
    if (m_flags & TPM_VCENTERALIGN)
        topY -= h / 2;
    else if (m_flags & TPM_BOTTOMALIGN)
        topY -= h;
    RECT rc{left, topY, left + w, topY + h};
    place(rc, x, y, exclude, m_flags & TPM_VERTICAL);
    m->selected = -1;
    const HWND hwnd = createPopupWindow(top, rc);
    if (!hwnd) {
        m_end = true;
        return;
    }
    m_levels.push_back(Level{m_top, hwnd});
}

bool MenuTracker::openPopup(std::size_t parentLevel, int item, bool selectFirst) {
    MenuObject* parent = levelMenu(parentLevel);
    if (!parent || item < 0 || static_cast<std::size_t>(item) >= parent->items.size()) return false;
    const MenuItem& it = parent->items[static_cast<std::size_t>(item)];
    const HMENU sub(it.subMenu);
    if (!menus::menuQuiet(sub) || it.disabled()) return false;
    RECT itemRect = it.rect;
    closeFrom(parentLevel + 1);
    select(parentLevel, item, false);
    if (notify()) SendMessageW(m_owner, WM_INITMENUPOPUP, sub.value, MAKELPARAM(item, m_system));
    if (!alive() || !menus::menuQuiet(sub) || !MenuLayout::layoutPopup(sub, m_owner, m_dpi))
        return false;
    MenuObject* m = menus::menuQuiet(sub);
    const int w = m->size.cx, h = m->size.cy;
    RECT rc, exclude;
    bool vertical;
    int anchorX, anchorY;
    if (isBar() && parentLevel == 0) {
        // Below the bar item, or above it when there is no room below.
        const RECT bar = menus::barRect(*user::windowQuiet(m_owner));
        const POINT origin = user::windowOrigin(*user::windowQuiet(m_owner));
        OffsetRect(&itemRect, origin.x + bar.left, origin.y + bar.top);
        exclude = itemRect;
        anchorX = itemRect.left;
        anchorY = itemRect.bottom;
        vertical = true;
    } else {
        // Beside the parent popup, level with the item, on the left when the right is full.
        RECT parentRect;
        GetWindowRect(m_levels[parentLevel].window, &parentRect);
        OffsetRect(&itemRect, parentRect.left, parentRect.top);
        const int border = MenuLayout::metrics(m_dpi).border;
        exclude = RECT{parentRect.left + kOverlap, itemRect.top, parentRect.right - kOverlap,
                       itemRect.bottom};
        anchorX = parentRect.right - kOverlap;
        anchorY = itemRect.top - border;
        vertical = false;
    }
    rc = RECT{anchorX, anchorY, anchorX + w, anchorY + h};
    place(rc, anchorX, vertical ? anchorY : anchorY + h, &exclude, vertical);
    m->selected = -1;
    const HWND hwnd = createPopupWindow(sub, rc);
    if (!hwnd) return false;
    m_levels.push_back(Level{sub.value, hwnd});
    if (isBar() && parentLevel == 0) redraw(0);  // the bar item now shows pushed
    if (selectFirst) moveSelection(m_levels.size() - 1, 1);
    return true;
}

void MenuTracker::closeFrom(std::size_t level) {
    if (isBar() && level <= 1 && m_levels.size() > 1) redraw(0);  // no longer pushed
    if (m_pendingItem >= 0 && m_pendingLevel + 1 >= level) {
        if (IsWindow(m_timerWindow)) KillTimer(m_timerWindow, kShowTimer);
        m_pendingItem = -1;
    }
    while (m_levels.size() > level) {
        const Level l = m_levels.back();
        m_levels.pop_back();
        if (MenuObject* m = menus::menuQuiet(l.menu)) {
            m->selected = -1;
            if (m->popupWindow == l.window.value) m->popupWindow = 0;
        }
        if (l.window) DestroyWindow(l.window);
        if (notify() && user::windowQuiet(m_owner))
            SendMessageW(m_owner, WM_UNINITMENUPOPUP, l.menu,
                         MAKELPARAM(0, m_system ? MF_SYSMENU : 0));
    }
}

void MenuTracker::closeAll() {
    closeFrom(isBar() ? 1 : 0);
    if (isBar()) {
        if (MenuObject* m = levelMenu(0)) m->selected = -1;
        redraw(0);
        m_levels.clear();
    }
}

// ---- Selection ----

void MenuTracker::redraw(std::size_t level) {
    if (level >= m_levels.size()) return;
    if (m_levels[level].window) {
        InvalidateRect(m_levels[level].window, nullptr, FALSE);
    } else if (WindowObject* w = user::windowQuiet(m_owner)) {
        w->ncPaintPending = w->internalPaint = true;
        user::paintChanged(*w);
    }
}

void MenuTracker::select(std::size_t level, int item, bool mouse) {
    MenuObject* m = levelMenu(level);
    if (!m || m->selected == item) return;
    if (item >= static_cast<int>(m->items.size())) item = -1;
    m->selected = item;
    redraw(level);
    if (item < 0 || !notify()) return;
    const MenuItem& it = m->items[static_cast<std::size_t>(item)];
    UINT flags = MF_HILITE | (it.state & (MF_CHECKED | MF_GRAYED | MF_DISABLED | MF_DEFAULT)) |
                 (it.type & (MF_OWNERDRAW | MF_BITMAP | MF_SEPARATOR));
    if (it.subMenu) flags |= MF_POPUP;
    if (mouse) flags |= MF_MOUSESELECT;
    if (m_system) flags |= MF_SYSMENU;
    const UINT idOrIndex = it.subMenu ? static_cast<UINT>(item) : it.id;
    SendMessageW(m_owner, WM_MENUSELECT,
                 MAKEWPARAM(static_cast<int>(idOrIndex & 0xFFFF), static_cast<int>(flags)),
                 static_cast<LPARAM>(m->handle()));
}

void MenuTracker::moveSelection(std::size_t level, int step) {
    MenuObject* m = levelMenu(level);
    if (!m || m->items.empty()) return;
    const int n = static_cast<int>(m->items.size());
    int i = m->selected;
    // Separators are skipped; disabled items can be selected, as on Windows.
    for (int tries = 0; tries < n; ++tries) {
        i = i < 0 ? (step > 0 ? 0 : n - 1) : (i + step + n) % n;
        if (!m->items[static_cast<std::size_t>(i)].separator()) {
            select(level, i, false);
            return;
        }
    }
}

// ---- Input ----

bool MenuTracker::hitTest(POINT screen, std::size_t& level, int& item) const {
    for (std::size_t l = m_levels.size(); l-- > 0;) {
        const MenuObject* m = levelMenu(l);
        if (!m) continue;
        if (m_levels[l].window) {
            RECT rc;
            GetWindowRect(m_levels[l].window, &rc);
            if (!PtInRect(&rc, screen)) continue;
            level = l;
            item = MenuLayout::itemAt(*m, POINT{screen.x - rc.left, screen.y - rc.top});
            return true;
        }
        WindowObject* w = user::windowQuiet(m_owner);
        if (!w) continue;
        RECT bar = menus::barRect(*w);
        const POINT origin = user::windowOrigin(*w);
        OffsetRect(&bar, origin.x, origin.y);
        if (!PtInRect(&bar, screen)) continue;
        level = l;
        item = MenuLayout::itemAt(*m, POINT{screen.x - bar.left, screen.y - bar.top});
        return true;
    }
    return false;
}

void MenuTracker::onMouse(const MSG& msg) {
    std::size_t level = 0;
    int item = -1;
    const bool inside = hitTest(msg.pt, level, item);
    const bool selectingButton = msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK ||
                                 msg.message == WM_LBUTTONUP ||
                                 ((m_flags & TPM_RIGHTBUTTON) &&
                                  (msg.message == WM_RBUTTONDOWN ||
                                   msg.message == WM_RBUTTONDBLCLK || msg.message == WM_RBUTTONUP));
    const bool onBar = inside && isBar() && level == 0;
    if (msg.message == WM_MOUSEMOVE) {
        if (!inside) return;
        MenuObject* m = levelMenu(level);
        if (!m || m->selected == item) return;
        if (onBar) {
            // Moving along the bar while a popup is open opens the new item's popup at once.
            if (item < 0) return;
            const bool wasOpen = barOpen();
            closeFrom(1);
            select(0, item, true);
            if (wasOpen) openPopup(0, item, false);
            return;
        }
        if (item >= 0 && m->items[static_cast<std::size_t>(item)].separator()) item = -1;
        if (item < 0 && m_levels.size() > level + 1) return;  // keep the open submenu's item
        closeFrom(level + 1);
        select(level, item, true);
        m = levelMenu(level);
        if (item >= 0 && m && m->items[static_cast<std::size_t>(item)].subMenu &&
            !m->items[static_cast<std::size_t>(item)].disabled()) {
            // The submenu opens after the show delay, if the pointer stays.
            UINT delay = 400;
            SystemParametersInfoW(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
            m_pendingLevel = level;
            m_pendingItem = item;
            m_timerWindow = m_levels[level].window;
            SetTimer(m_timerWindow, kShowTimer, std::max<UINT>(delay, USER_TIMER_MINIMUM), nullptr);
        }
        return;
    }
    if (isButtonDown(msg.message)) {
        if (!inside) {
            // A click outside every menu dismisses the session (and is not passed on).
            m_end = true;
            return;
        }
        if (!selectingButton) return;
        if (onBar) {
            if (item < 0) return;
            MenuObject* bar = levelMenu(0);
            if (barOpen() && bar && bar->selected == item) {
                m_end = true;  // a second click on the open item closes the menu
                return;
            }
            closeFrom(1);
            select(0, item, true);
            openPopup(0, item, false);
            return;
        }
        MenuObject* m = levelMenu(level);
        if (!m || item < 0) return;
        const MenuItem& it = m->items[static_cast<std::size_t>(item)];
        if (it.subMenu) {
            if (m_levels.size() == level + 1 || m->selected != item) openPopup(level, item, false);
        } else {
            closeFrom(level + 1);
            select(level, item, true);
        }
        return;
    }
    const bool buttonUp = msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP;
    if (buttonUp && selectingButton && onBar && item >= 0) {
        // A bar item without a popup is a command of its own, chosen on release.
        MenuObject* bar = levelMenu(0);
        if (bar && bar->selected == item) {
            const MenuItem& it = bar->items[static_cast<std::size_t>(item)];
            if (!it.subMenu && !it.disabled() && !it.separator()) execute(0, item);
        }
        return;
    }
    if (buttonUp && selectingButton && inside && !onBar && item >= 0) {
        MenuObject* m = levelMenu(level);
        if (!m) return;
        const MenuItem& it = m->items[static_cast<std::size_t>(item)];
        // A release on a disabled item or a separator leaves the menu open, as on Windows.
        if (!it.subMenu && !it.disabled() && !it.separator()) execute(level, item);
    }
}

void MenuTracker::onKey(const MSG& msg) {
    const int vk = static_cast<int>(msg.wParam);
    const std::size_t deepest = m_levels.size() - 1;
    MenuObject* m = levelMenu(deepest);
    if (!m) return;
    const bool deepestIsBar = isBar() && deepest == 0;
    auto barStep = [&](int step) {
        MenuObject* bar = levelMenu(0);
        if (!bar || bar->items.empty()) return;
        const bool wasOpen = barOpen();
        const int n = static_cast<int>(bar->items.size());
        const int next = ((bar->selected < 0 ? 0 : bar->selected) + step + n) % n;
        closeFrom(1);
        select(0, next, false);
        if (wasOpen) openPopup(0, next, true);
    };
    switch (vk) {
        case VK_MENU:
        case VK_F10:
            m_end = true;
            return;
        case VK_ESCAPE:
            if (deepest > 0)
                closeFrom(deepest);
            else
                m_end = true;
            return;
        case VK_UP:
        case VK_DOWN:
            if (deepestIsBar) {
                if (m->selected >= 0) openPopup(0, m->selected, true);
                return;
            }
            moveSelection(deepest, vk == VK_DOWN ? 1 : -1);
            return;
        case VK_LEFT:
            if (deepestIsBar || (isBar() && deepest == 1))
                barStep(-1);
            else if (deepest > 0)
                closeFrom(deepest);
            return;
        case VK_RIGHT:
            if (!deepestIsBar && m->selected >= 0 &&
                m->items[static_cast<std::size_t>(m->selected)].subMenu &&
                !m->items[static_cast<std::size_t>(m->selected)].disabled()) {
                openPopup(deepest, m->selected, true);
                return;
            }
            if (isBar()) barStep(1);
            return;
        case VK_RETURN:
            if (m->selected >= 0) execute(deepest, m->selected);
            return;
        default: {
            // Other keys become characters, which may be mnemonics.
            TranslateMessage(&msg);
            return;
        }
    }
}

void MenuTracker::onChar(char16_t c) {
    if (c < 0x20) return;
    const std::size_t deepest = m_levels.size() - 1;
    MenuObject* m = levelMenu(deepest);
    if (!m) return;
    const char16_t key = lower(c);
    std::vector<int> matches;
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        const char16_t mn = m->items[i].mnemonic();
        if (mn && lower(mn) == key) matches.push_back(static_cast<int>(i));
    }
    auto choose = [&](int index) {
        MenuObject* now = levelMenu(deepest);
        if (!now || index < 0 || static_cast<std::size_t>(index) >= now->items.size()) return;
        if (now->items[static_cast<std::size_t>(index)].subMenu)
            openPopup(deepest, index, true);
        else
            execute(deepest, index);
    };
    if (matches.size() == 1) {
        select(deepest, matches[0], false);
        choose(matches[0]);
        return;
    }
    if (matches.size() > 1) {
        // Several items share the key: each press selects the next of them.
        auto next = std::upper_bound(matches.begin(), matches.end(), m->selected);
        select(deepest, next == matches.end() ? matches[0] : *next, false);
        return;
    }
    // No item has it: the owner decides (WM_MENUCHAR).
    const bool popupLevel = !(isBar() && deepest == 0);
    const UINT flags = (popupLevel ? MF_POPUP : 0) | (m_system ? MF_SYSMENU : 0);
    const LRESULT r = SendMessageW(m_owner, WM_MENUCHAR, MAKEWPARAM(c, static_cast<int>(flags)),
                                   static_cast<LPARAM>(m->handle()));
    if (!alive() || m_end) return;
    const int index = LOWORD(static_cast<std::uintptr_t>(r));
    switch (HIWORD(static_cast<std::uintptr_t>(r))) {
        case MNC_CLOSE:
            m_end = true;
            return;
        case MNC_EXECUTE:
            select(deepest, index, false);
            choose(index);
            return;
        case MNC_SELECT:
            select(deepest, index, false);
            return;
        default:
            MessageBeep(0);
            return;
    }
}

void MenuTracker::onTimer() {
    if (IsWindow(m_timerWindow)) KillTimer(m_timerWindow, kShowTimer);
    const std::size_t level = m_pendingLevel;
    const int item = m_pendingItem;
    m_pendingItem = -1;
    MenuObject* m = levelMenu(level);
    if (item >= 0 && m && m->selected == item && m_levels.size() == level + 1)
        openPopup(level, item, false);
}

void MenuTracker::execute(std::size_t level, int item) {
    MenuObject* m = levelMenu(level);
    if (!m || item < 0 || static_cast<std::size_t>(item) >= m->items.size()) return;
    const MenuItem& it = m->items[static_cast<std::size_t>(item)];
    if (it.subMenu) {
        openPopup(level, item, true);
        return;
    }
    // Enter on a disabled item closes the menu without a command.
    if (!it.disabled() && !it.separator()) {
        m_chosen = true;
        m_command = it.id;
        m_commandMenu = m->handle();
        m_commandIndex = item;
    }
    m_end = true;
}

// ---- The loop ----

UINT MenuTracker::run() {
    MSG msg;
    while (!m_end && alive() && !m_levels.empty()) {
        if (!PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE)) {
            if (!m_idleSent) {
                // The owner hears that the menu waits (and may act, even end it).
                m_idleSent = true;
                const HWND deepest = m_levels.back().window;
                SendMessageW(m_owner, WM_ENTERIDLE, MSGF_MENU, static_cast<LPARAM>(deepest.value));
                continue;
            }
            // On a virtual clock nothing more can happen without a timer (a blinking caret
            // counts for nothing), and only timers run while no one types or moves the mouse:
            // the menu is dismissed rather than waiting for ever.
            if (Clock::current().mode() == Clock::Mode::Virtual &&
                (!MessageQueue::current().nextWakeTime(false) || InputQueue::current().starved())) {
                m_end = true;
                break;
            }
            WaitMessage();
            continue;
        }
        m_idleSent = false;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            m_end = true;
            break;
        }
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
            onMouse(msg);
            continue;
        }
        if (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCXBUTTONDBLCLK) continue;
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            onKey(msg);
            continue;
        }
        if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) continue;
        if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
            onChar(static_cast<char16_t>(msg.wParam));
            continue;
        }
        if (msg.message == WM_TIMER && msg.wParam == kShowTimer && msg.hwnd == m_timerWindow) {
            onTimer();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    finish();
    if (!m_chosen) return 0;
    return m_command;
}

void MenuTracker::finish() {
    if (m_pendingItem >= 0 && IsWindow(m_timerWindow)) KillTimer(m_timerWindow, kShowTimer);
    m_pendingItem = -1;
    closeAll();
    user::state().menuOwner = m_previous ? m_previous->m_owner.value : 0;
    const bool ownerAlive = user::windowQuiet(m_owner) != nullptr;
    if (notify() && ownerAlive) {
        SendMessageW(m_owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        if (user::windowQuiet(m_owner))
            SendMessageW(m_owner, WM_EXITMENULOOP, isBar() || m_system ? FALSE : TRUE, 0);
    }
    if (!m_chosen || (m_flags & TPM_RETURNCMD) || !notify() || !user::windowQuiet(m_owner)) return;
    // The command is posted, so the owner hears it after the menu has closed.
    const MenuObject* holder = menus::menuQuiet(m_commandMenu);
    if (m_system) {
        POINT pt{};
        GetCursorPos(&pt);
        PostMessageW(m_owner, WM_SYSCOMMAND, m_command, MAKELPARAM(pt.x, pt.y));
    } else if (holder && (holder->style & MNS_NOTIFYBYPOS)) {
        PostMessageW(m_owner, WM_MENUCOMMAND, static_cast<WPARAM>(m_commandIndex),
                     static_cast<LPARAM>(m_commandMenu));
    } else {
        PostMessageW(m_owner, WM_COMMAND, MAKEWPARAM(static_cast<int>(m_command & 0xFFFF), 0), 0);
    }
}

void MenuTracker::selectBarItem(int index, bool open, bool selectFirst) {
    MenuObject* bar = levelMenu(0);
    if (!bar || index < 0 || static_cast<std::size_t>(index) >= bar->items.size()) {
        m_end = true;
        return;
    }
    select(0, index, !selectFirst && open);
    if (open) openPopup(0, index, selectFirst);
}

}  // namespace orvane::platform
