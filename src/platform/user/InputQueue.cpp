#include "platform/user/InputQueue.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/base/Clock.h"
#include "platform/base/TextBuffer.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

using user::windowQuiet;

struct KeyInfo {
    BYTE scan;
    bool extended;
};

// Scan codes of a US keyboard by virtual key.
KeyInfo keyInfo(int vk) {
    static const char kLetters[] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                    0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                    0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    if (vk >= 'A' && vk <= 'Z') return {static_cast<BYTE>(kLetters[vk - 'A']), false};
    if (vk >= '1' && vk <= '9') return {static_cast<BYTE>(0x02 + vk - '1'), false};
    if (vk == '0') return {0x0B, false};
    if (vk >= VK_F1 && vk <= VK_F10) return {static_cast<BYTE>(0x3B + vk - VK_F1), false};
    switch (vk) {
        case VK_ESCAPE:
            return {0x01, false};
        case VK_BACK:
            return {0x0E, false};
        case VK_TAB:
            return {0x0F, false};
        case VK_RETURN:
            return {0x1C, false};
        case VK_CONTROL:
        case VK_LCONTROL:
            return {0x1D, false};
        case VK_RCONTROL:
            return {0x1D, true};
        case VK_SHIFT:
        case VK_LSHIFT:
            return {0x2A, false};
        case VK_RSHIFT:
            return {0x36, false};
        case VK_MENU:
        case VK_LMENU:
            return {0x38, false};
        case VK_RMENU:
            return {0x38, true};
        case VK_SPACE:
            return {0x39, false};
        case VK_CAPITAL:
            return {0x3A, false};
        case VK_NUMLOCK:
            return {0x45, true};
        case VK_SCROLL:
            return {0x46, false};
        case 0x7A:
            return {0x57, false};  // F11
        case 0x7B:
            return {0x58, false};  // F12
        case VK_HOME:
            return {0x47, true};
        case VK_UP:
            return {0x48, true};
        case VK_PRIOR:
            return {0x49, true};
        case VK_LEFT:
            return {0x4B, true};
        case VK_RIGHT:
            return {0x4D, true};
        case VK_END:
            return {0x4F, true};
        case VK_DOWN:
            return {0x50, true};
        case VK_NEXT:
            return {0x51, true};
        case VK_INSERT:
            return {0x52, true};
        case VK_DELETE:
            return {0x53, true};
        case VK_NUMPAD0:
            return {0x52, false};
        case VK_NUMPAD0 + 1:
            return {0x4F, false};
        case VK_NUMPAD0 + 2:
            return {0x50, false};
        case VK_NUMPAD0 + 3:
            return {0x51, false};
        case VK_NUMPAD0 + 4:
            return {0x4B, false};
        case VK_NUMPAD0 + 5:
            return {0x4C, false};
        case VK_NUMPAD0 + 6:
            return {0x4D, false};
        case VK_NUMPAD0 + 7:
            return {0x47, false};
        case VK_NUMPAD0 + 8:
            return {0x48, false};
        case VK_NUMPAD0 + 9:
            return {0x49, false};
        case VK_MULTIPLY:
            return {0x37, false};
        case VK_ADD:
            return {0x4E, false};
        case VK_SUBTRACT:
            return {0x4A, false};
        case VK_DECIMAL:
            return {0x53, false};
        case VK_DIVIDE:
            return {0x35, true};
        case VK_LWIN:
            return {0x5B, true};
        case VK_RWIN:
            return {0x5C, true};
        case VK_APPS:
            return {0x5D, true};
        case VK_SNAPSHOT:
            return {0x37, true};
        case VK_PAUSE:
            return {0x45, false};
        case VK_OEM_1:
            return {0x27, false};
        case VK_OEM_PLUS:
            return {0x0D, false};
        case VK_OEM_COMMA:
            return {0x33, false};
        case VK_OEM_MINUS:
            return {0x0C, false};
        case VK_OEM_PERIOD:
            return {0x34, false};
        case VK_OEM_2:
            return {0x35, false};
        case VK_OEM_3:
            return {0x29, false};
        case VK_OEM_4:
            return {0x1A, false};
        case VK_OEM_5:
            return {0x2B, false};
        case VK_OEM_6:
            return {0x1B, false};
        case VK_OEM_7:
            return {0x28, false};
        case VK_OEM_102:
            return {0x56, false};
    }
    return {0, false};
}

// The character a key gives on a US keyboard, or 0.
char16_t keyChar(int vk, bool shift, bool caps) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<char16_t>((shift != caps) ? vk : vk + 32);
    if (vk >= '0' && vk <= '9') return shift ? u")!@#$%^&*("[vk - '0'] : static_cast<char16_t>(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<char16_t>(u'0' + vk - VK_NUMPAD0);
    switch (vk) {
        case VK_SPACE:
            return u' ';
        case VK_RETURN:
            return u'\r';
        case VK_TAB:
            return u'\t';
        case VK_BACK:
            return 8;
        case VK_ESCAPE:
            return 27;
        case VK_MULTIPLY:
            return u'*';
        case VK_ADD:
            return u'+';
        case VK_SUBTRACT:
            return u'-';
        case VK_DECIMAL:
            return u'.';
        case VK_DIVIDE:
            return u'/';
        case VK_OEM_1:
            return shift ? u':' : u';';
        case VK_OEM_PLUS:
            return shift ? u'+' : u'=';
        case VK_OEM_COMMA:
            return shift ? u'<' : u',';
        case VK_OEM_MINUS:
            return shift ? u'_' : u'-';
        case VK_OEM_PERIOD:
            return shift ? u'>' : u'.';
        case VK_OEM_2:
            return shift ? u'?' : u'/';
        case VK_OEM_3:
            return shift ? u'~' : u'`';
        case VK_OEM_4:
            return shift ? u'{' : u'[';
        case VK_OEM_5:
        case VK_OEM_102:
            return shift ? u'|' : u'\\';
        case VK_OEM_6:
            return shift ? u'}' : u']';
        case VK_OEM_7:
            return shift ? u'"' : u'\'';
    }
    return 0;
}

// Dead keys of the US-International layout and what they make with a following letter.
char16_t deadKeyChar(int vk, bool shift) {
    if (vk == VK_OEM_7) return shift ? u'"' : u'\'';
    if (vk == VK_OEM_3) return shift ? u'~' : u'`';
    if (vk == '6' && shift) return u'^';
    return 0;
}

char16_t combineDead(char16_t dead, char16_t c) {
    struct Combo {
        char16_t dead;
        const char16_t* base;
        const char16_t* result;
    };
    static const Combo kCombos[] = {
        {u'\'', u"aeiouycAEIOUYC", u"áéíóúýçÁÉÍÓÚÝÇ"}, {u'`', u"aeiouAEIOU", u"àèìòùÀÈÌÒÙ"},
        {u'"', u"aeiouyAEIOU", u"äëïöüÿÄËÏÖÜ"},        {u'~', u"aonAON", u"ãõñÃÕÑ"},
        {u'^', u"aeiouAEIOU", u"âêîôûÂÊÎÔÛ"},
    };
    for (const Combo& k : kCombos) {
        if (k.dead != dead) continue;
        for (int i = 0; k.base[i]; ++i)
            if (k.base[i] == c) return k.result[i];
    }
    return 0;
}

bool isDown(const BYTE* keys, int vk) {
    return (keys[vk] & 0x80) != 0;
}

void setKey(BYTE* keys, int vk, bool down) {
    if (down) {
        // The toggle bit flips on each press, as the lock keys show.
        if (!(keys[vk] & 0x80)) keys[vk] ^= 0x01;
        keys[vk] |= 0x80;
    } else {
        keys[vk] &= static_cast<BYTE>(~0x80);
    }
}

// Updates a key and the generic key of a left/right pair.
void setKeyPair(BYTE* keys, int vk, bool down) {
    int generic = 0, left = 0, right = 0;
    switch (vk) {
        case VK_SHIFT:
        case VK_LSHIFT:
        case VK_RSHIFT:
            generic = VK_SHIFT;
            left = VK_LSHIFT;
            right = VK_RSHIFT;
            break;
        case VK_CONTROL:
        case VK_LCONTROL:
        case VK_RCONTROL:
            generic = VK_CONTROL;
            left = VK_LCONTROL;
            right = VK_RCONTROL;
            break;
        case VK_MENU:
        case VK_LMENU:
        case VK_RMENU:
            generic = VK_MENU;
            left = VK_LMENU;
            right = VK_RMENU;
            break;
        default:
            setKey(keys, vk, down);
            return;
    }
    const int side = (vk == generic) ? left : vk;
    setKey(keys, side, down);
    setKey(keys, generic, isDown(keys, left) || isDown(keys, right));
    (void)right;
}

BYTE modifiersOf(const BYTE* keys) {
    return static_cast<BYTE>((isDown(keys, VK_SHIFT) ? 1 : 0) | (isDown(keys, VK_CONTROL) ? 2 : 0) |
                             (isDown(keys, VK_MENU) ? 4 : 0));
}

WPARAM mouseKeysOf(const BYTE* keys) {
    WPARAM k = 0;
    if (isDown(keys, VK_LBUTTON)) k |= MK_LBUTTON;
    if (isDown(keys, VK_RBUTTON)) k |= MK_RBUTTON;
    if (isDown(keys, VK_MBUTTON)) k |= MK_MBUTTON;
    if (isDown(keys, VK_XBUTTON1)) k |= MK_XBUTTON1;
    if (isDown(keys, VK_XBUTTON2)) k |= MK_XBUTTON2;
    if (isDown(keys, VK_SHIFT)) k |= MK_SHIFT;
    if (isDown(keys, VK_CONTROL)) k |= MK_CONTROL;
    return k;
}

bool isButtonDown(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
           msg == WM_XBUTTONDOWN;
}

// A click on a child tells each ancestor up to the top-level window, with the point in that
// ancestor's client coordinates, until a window with WS_EX_NOPARENTNOTIFY is met.
void notifyParents(HWND child, UINT button, WORD xButton, POINT screen) {
    HWND h = child;
    while (WindowObject* w = windowQuiet(h)) {
        if (!w->isChild() || (w->exStyle & WS_EX_NOPARENTNOTIFY)) break;
        const HWND parent(w->parent);
        if (!windowQuiet(parent)) break;
        POINT p = screen;
        ScreenToClient(parent, &p);
        SendMessageW(parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<int>(button), xButton),
                     MAKELPARAM(p.x, p.y));
        h = parent;
    }
}

void sendLeave(HWND hwnd, bool nonClient) {
    PostMessageW(hwnd, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

}  // namespace

InputQueue& InputQueue::current() {
    static InputQueue q;
    return q;
}

void InputQueue::reset() {
    *this = InputQueue();
    const auto& screen = gdi::screenInfo();
    cursor = POINT{screen.width / 2, screen.height / 2};
}

void InputQueue::push(const Event& e) {
    m_events.push_back(e);
    m_lastInput = Clock::current().nowMs();
}

bool InputQueue::starved() const {
    const Clock& clock = Clock::current();
    return clock.mode() == Clock::Mode::Virtual && m_events.empty() &&
           clock.nowMs() > m_lastInput + kStarvedMs;
}

void InputQueue::forgetWindow(HWND hwnd) {
    if (m_cooked && m_cooked->hwnd == hwnd) {
        m_cooked.reset();
        if (!m_events.empty()) m_events.pop_front();
    }
    if (m_trackHwnd == hwnd) {
        m_trackHwnd = HWND();
        m_trackFlags = 0;
    }
    if (m_lastDownHwnd == hwnd) m_lastDownHwnd = HWND();
    if (m_lastOver == hwnd) m_lastOver = HWND();
}

void InputQueue::applyToSyncState(const Event& e) {
    switch (e.kind) {
        case Event::Kind::MouseButton: {
            int vk = 0;
            bool down = isButtonDown(e.button) || e.button == WM_LBUTTONDBLCLK;
            switch (e.button) {
                case WM_LBUTTONDOWN:
                case WM_LBUTTONUP:
                    vk = VK_LBUTTON;
                    break;
                case WM_RBUTTONDOWN:
                case WM_RBUTTONUP:
                    vk = VK_RBUTTON;
                    break;
                case WM_MBUTTONDOWN:
                case WM_MBUTTONUP:
                    vk = VK_MBUTTON;
                    break;
                case WM_XBUTTONDOWN:
                case WM_XBUTTONUP:
                    vk = e.wheelDelta == XBUTTON2 ? VK_XBUTTON2 : VK_XBUTTON1;
                    break;
            }
            if (vk) setKey(syncKeys, vk, down);
            break;
        }
        case Event::Kind::Key:
            if (e.vk != VK_PACKET) setKeyPair(syncKeys, e.vk, !e.keyUp);
            break;
        default:
            break;
    }
}

void InputQueue::updateTracking(HWND over, LRESULT hit, POINT pt) {
    const bool overClient = hit == HTCLIENT;
    if (m_trackHwnd && (m_trackFlags & TME_LEAVE)) {
        const bool nonClient = m_trackFlags & TME_NONCLIENT;
        const bool stillThere = over == m_trackHwnd && (nonClient ? !overClient : overClient);
        if (!stillThere) {
            sendLeave(m_trackHwnd, nonClient);
            m_trackFlags &= ~TME_LEAVE;
        }
    }
    if (m_trackHwnd && (m_trackFlags & TME_HOVER)) {
        if (over != m_trackHwnd) {
            m_trackFlags &= ~TME_HOVER;
        } else if (!PtInRect(&m_hoverRect, pt)) {
            // Moving out of the hover rectangle starts the wait again around the new point.
            UINT w = 4, h = 4;
            SystemParametersInfoW(SPI_GETMOUSEHOVERWIDTH, 0, &w, 0);
            SystemParametersInfoW(SPI_GETMOUSEHOVERHEIGHT, 0, &h, 0);
            m_hoverRect =
                RECT{pt.x - static_cast<LONG>(w) / 2, pt.y - static_cast<LONG>(h) / 2,
                     pt.x + static_cast<LONG>(w) / 2 + 1, pt.y + static_cast<LONG>(h) / 2 + 1};
            m_hoverStart = Clock::current().nowMs();
        }
    }
    if (!(m_trackFlags & (TME_LEAVE | TME_HOVER))) m_trackHwnd = HWND();
    m_lastOver = over;
    m_lastHit = hit;
}

std::optional<std::uint64_t> InputQueue::nextHoverTime() const {
    if (!m_trackHwnd || !(m_trackFlags & TME_HOVER)) return std::nullopt;
    return m_hoverStart + m_hoverTime;
}

void InputQueue::checkHover() {
    if (!m_trackHwnd || !(m_trackFlags & TME_HOVER)) return;
    if (Clock::current().nowMs() < m_hoverStart + m_hoverTime) return;
    WindowObject* w = windowQuiet(m_trackHwnd);
    if (!w) {
        m_trackHwnd = HWND();
        return;
    }
    const bool nonClient = m_trackFlags & TME_NONCLIENT;
    if (nonClient) {
        PostMessageW(m_trackHwnd, WM_NCMOUSEHOVER, static_cast<WPARAM>(m_lastHit),
                     MAKELPARAM(cursor.x, cursor.y));
    } else {
        POINT p = cursor;
        ScreenToClient(m_trackHwnd, &p);
        PostMessageW(m_trackHwnd, WM_MOUSEHOVER, mouseKeysOf(asyncKeys), MAKELPARAM(p.x, p.y));
    }
    m_trackFlags &= ~TME_HOVER;
    if (!(m_trackFlags & TME_LEAVE)) m_trackHwnd = HWND();
}

void InputQueue::layoutChanged() {
    m_layoutDirty = true;
}

void InputQueue::synthesizeMoveIfNeeded() {
    // When windows change under a still pointer, the window now under it hears a mouse move,
    // as if the pointer had moved there (and the one it left can see it leave).
    if (!m_layoutDirty || !m_events.empty() || m_cooked) return;
    m_layoutDirty = false;
    if (user::state().capture || user::state().menuOwner) return;
    if (user::windowAt(cursor) == m_lastOver) return;
    Event e;
    e.kind = Event::Kind::MouseMove;
    e.pt = cursor;
    e.time = GetTickCount();
    e.mouseKeys = mouseKeysOf(asyncKeys);
    e.modifiers = modifiersOf(asyncKeys);
    m_events.push_back(e);
}

BOOL InputQueue::track(TRACKMOUSEEVENT* tme) {
    if (!tme || tme->cbSize != sizeof(TRACKMOUSEEVENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (tme->dwFlags & ~(TME_HOVER | TME_LEAVE | TME_NONCLIENT | TME_QUERY | TME_CANCEL)) {
        ReportUnsupported("TrackMouseEvent", "flags", ERROR_INVALID_FLAGS);
        return FALSE;
    }
    if (tme->dwFlags & TME_QUERY) {
        tme->dwFlags = m_trackHwnd ? m_trackFlags : 0;
        tme->hwndTrack = m_trackHwnd;
        tme->dwHoverTime = m_hoverTime;
        return TRUE;
    }
    if (!user::window(tme->hwndTrack)) return FALSE;
    const DWORD kinds = tme->dwFlags & (TME_HOVER | TME_LEAVE);
    if (tme->dwFlags & TME_CANCEL) {
        if (m_trackHwnd == tme->hwndTrack) {
            m_trackFlags &= ~kinds;
            if (!(m_trackFlags & (TME_HOVER | TME_LEAVE))) m_trackHwnd = HWND();
        }
        return TRUE;
    }
    const bool nonClient = tme->dwFlags & TME_NONCLIENT;
    LRESULT hit = HTNOWHERE;
    const HWND over = user::hitTest(cursor, hit);
    const bool there = over == tme->hwndTrack && (nonClient ? hit != HTCLIENT : hit == HTCLIENT);
    if (!there) {
        // The mouse is not over the window now: it has already left.
        if (kinds & TME_LEAVE) sendLeave(tme->hwndTrack, nonClient);
        return TRUE;
    }
    if (m_trackHwnd != tme->hwndTrack) m_trackFlags = 0;
    m_trackHwnd = tme->hwndTrack;
    m_trackFlags = (m_trackFlags & ~TME_NONCLIENT) | kinds | (nonClient ? TME_NONCLIENT : 0);
    if (kinds & TME_HOVER) {
        UINT defaultTime = 400, w = 4, h = 4;
        SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &defaultTime, 0);
        SystemParametersInfoW(SPI_GETMOUSEHOVERWIDTH, 0, &w, 0);
        SystemParametersInfoW(SPI_GETMOUSEHOVERHEIGHT, 0, &h, 0);
        m_hoverTime = tme->dwHoverTime == HOVER_DEFAULT ? defaultTime : tme->dwHoverTime;
        m_hoverRect =
            RECT{cursor.x - static_cast<LONG>(w) / 2, cursor.y - static_cast<LONG>(h) / 2,
                 cursor.x + static_cast<LONG>(w) / 2 + 1, cursor.y + static_cast<LONG>(h) / 2 + 1};
        m_hoverStart = Clock::current().nowMs();
    }
    m_lastOver = over;
    m_lastHit = hit;
    return TRUE;
}

bool InputQueue::cook(const Event& e, MSG& out) {
    out = MSG{};
    out.time = e.time;
    out.pt = e.pt;
    // A menu session takes the mouse the way capture does, without changing GetCapture.
    const HWND capture(user::state().menuOwner ? user::state().menuOwner : user::state().capture);
    if (e.kind == Event::Kind::Key) {
        HWND target(user::state().focus);
        const bool alt = e.modifiers & 4, ctrl = e.modifiers & 2;
        bool sys = false;
        if (!target) {
            target = HWND(user::state().active);
            sys = true;
        }
        if (!target) return false;
        // Alt (without Control, which makes AltGr) and F10 make system keys.
        if (e.vk == VK_MENU || e.vk == VK_LMENU || e.vk == VK_RMENU || e.vk == VK_F10 ||
            (alt && !ctrl))
            sys = true;
        int vk = e.vk;
        if (vk == VK_LSHIFT || vk == VK_RSHIFT) vk = VK_SHIFT;
        if (vk == VK_LCONTROL || vk == VK_RCONTROL) vk = VK_CONTROL;
        if (vk == VK_LMENU || vk == VK_RMENU) vk = VK_MENU;
        out.hwnd = target;
        out.message = e.keyUp ? (sys ? WM_SYSKEYUP : WM_KEYUP) : (sys ? WM_SYSKEYDOWN : WM_KEYDOWN);
        out.wParam = static_cast<WPARAM>(vk);
        LPARAM lp = 1 | (static_cast<LPARAM>(e.scan) << 16);
        if (e.extended) lp |= 1 << 24;
        if (alt && sys) lp |= 1 << 29;
        if (e.wasDown || e.keyUp) lp |= 1 << 30;
        if (e.keyUp) lp |= static_cast<LPARAM>(1u << 31);
        // A Unicode packet carries its character where the scan code and flags would be.
        if (e.vk == VK_PACKET) lp = 1 | (static_cast<LPARAM>(e.unicode) << 16);
        out.lParam = static_cast<LPARAM>(static_cast<std::int32_t>(lp));
        return true;
    }

    LRESULT hit = HTCLIENT;
    HWND target;
    if (e.kind == Event::Kind::Wheel || e.kind == Event::Kind::HWheel) {
        // The wheel goes to the focus window, as the classic rule says.
        target = HWND(user::state().focus);
        if (!target) target = HWND(user::state().active);
        if (!target) return false;
        out.hwnd = target;
        out.message = e.kind == Event::Kind::Wheel ? WM_MOUSEWHEEL : WM_MOUSEHWHEEL;
        out.wParam = MAKEWPARAM(static_cast<int>(e.mouseKeys), e.wheelDelta);
        out.lParam = MAKELPARAM(e.pt.x, e.pt.y);
        return true;
    }
    if (capture && windowQuiet(capture)) {
        target = capture;
    } else {
        target = user::hitTest(e.pt, hit);
        if (!target) {
            updateTracking(HWND(), HTNOWHERE, e.pt);
            return false;
        }
    }
    updateTracking(target, hit, e.pt);
    UINT msg = e.kind == Event::Kind::MouseMove ? WM_MOUSEMOVE : e.button;

    if (!capture && hit == HTERROR) {
        // A disabled window takes no mouse input and is not activated by it; it hears only
        // WM_SETCURSOR with HTERROR, so that a click on it can beep.
        WindowObject* w = windowQuiet(target);
        if (w && (w->style & WS_DISABLED)) {
            SendMessageW(target, WM_SETCURSOR, target.value,
                         MAKELPARAM(static_cast<int>(hit), static_cast<int>(msg)));
            return false;
        }
    }
    if (isButtonDown(msg) && hit == HTCLIENT) {
        notifyParents(target, msg, static_cast<WORD>(msg == WM_XBUTTONDOWN ? e.wheelDelta : 0),
                      e.pt);
        if (!windowQuiet(target)) return false;
    }
    if (isButtonDown(msg) && !capture) {
        WindowObject* w = windowQuiet(target);
        WindowObject* top = w ? user::topLevelOf(*w) : nullptr;
        if (top && top->handle() != user::state().active && !(top->exStyle & WS_EX_NOACTIVATE)) {
            const HWND topHwnd = top->hwnd();
            const LRESULT r =
                SendMessageW(target, WM_MOUSEACTIVATE, topHwnd.value,
                             MAKELPARAM(static_cast<int>(hit), static_cast<int>(msg)));
            if (r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT)
                user::activateInternal(topHwnd, WA_CLICKACTIVE);
            if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT) return false;
            if (!windowQuiet(target)) return false;
        }
    }
    if (!capture) {
        SendMessageW(target, WM_SETCURSOR, target.value,
                     MAKELPARAM(static_cast<int>(hit), static_cast<int>(msg)));
        if (!windowQuiet(target)) return false;
    }
    WindowObject* w = windowQuiet(target);
    if (!w) return false;
    const bool client = hit == HTCLIENT || capture;
    if (isButtonDown(msg)) {
        const bool classWantsDouble = w->cls && (w->cls->style & CS_DBLCLKS);
        const int cx = GetSystemMetrics(SM_CXDOUBLECLK), cy = GetSystemMetrics(SM_CYDOUBLECLK);
        const bool isDouble = (!client || classWantsDouble) && m_lastDownMsg == msg &&
                              m_lastDownHwnd == target && m_lastDownClient == client &&
                              e.time - m_lastDownTime <= doubleClickTime &&
                              std::abs(e.pt.x - m_lastDownPt.x) <= cx / 2 &&
                              std::abs(e.pt.y - m_lastDownPt.y) <= cy / 2;
        if (isDouble) {
            msg += 2;  // WM_xBUTTONDBLCLK follows WM_xBUTTONDOWN by two
            m_lastDownMsg = 0;
        } else {
            m_lastDownMsg = msg;
            m_lastDownClient = client;
            m_lastDownHwnd = target;
            m_lastDownTime = e.time;
            m_lastDownPt = e.pt;
        }
    }
    out.hwnd = target;
    WPARAM keys = e.mouseKeys;
    if (e.button == WM_XBUTTONDOWN || e.button == WM_XBUTTONUP)
        keys |= static_cast<WPARAM>(e.wheelDelta) << 16;
    if (client) {
        POINT p = e.pt;
        ScreenToClient(target, &p);
        out.message = msg;
        out.wParam = keys;
        out.lParam = MAKELPARAM(p.x, p.y);
    } else {
        out.message = msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        if (msg >= WM_XBUTTONDOWN) out.message = msg - WM_XBUTTONDOWN + WM_NCXBUTTONDOWN;
        out.wParam = static_cast<WPARAM>(hit);
        out.lParam = MAKELPARAM(e.pt.x, e.pt.y);
    }
    return true;
}

bool InputQueue::peek(MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
    synthesizeMoveIfNeeded();
    while (!m_events.empty()) {
        if (!m_cooked) {
            const Event e = m_events.front();
            MSG m;
            if (!cook(e, m)) {
                // Input with nowhere to go still changes the key state.
                if (!m_events.empty()) {
                    applyToSyncState(m_events.front());
                    m_events.pop_front();
                }
                continue;
            }
            m_cooked = m;
        }
        const MSG& m = *m_cooked;
        const bool inRange = (min == 0 && max == 0) || (m.message >= min && m.message <= max);
        const bool forWindow = !filter || m.hwnd == filter || IsChild(filter, m.hwnd);
        if (!inRange || !forWindow) return false;
        *msg = m;
        if (remove) {
            const Event e = m_events.front();
            m_events.pop_front();
            m_cooked.reset();
            applyToSyncState(e);
        }
        return true;
    }
    return false;
}

namespace user {
void resetInput() {
    InputQueue::current().reset();
}
void mouseMovedByLayout() {
    InputQueue::current().layoutChanged();
}
}  // namespace user

UINT SendInput(UINT count, const INPUT* inputs, int size) {
    if (!inputs || size != static_cast<int>(sizeof(INPUT))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    user::ensureInit();
    InputQueue& q = InputQueue::current();
    const auto& screen = gdi::screenInfo();
    UINT done = 0;
    for (UINT i = 0; i < count; ++i) {
        const INPUT& in = inputs[i];
        const DWORD now = in.type == INPUT_KEYBOARD ? (in.ki.time ? in.ki.time : GetTickCount())
                                                    : (in.mi.time ? in.mi.time : GetTickCount());
        if (in.type == INPUT_MOUSE) {
            const MOUSEINPUT& mi = in.mi;
            const DWORD known = MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP |
                                MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP |
                                MOUSEEVENTF_MIDDLEDOWN | MOUSEEVENTF_MIDDLEUP | MOUSEEVENTF_XDOWN |
                                MOUSEEVENTF_XUP | MOUSEEVENTF_WHEEL | MOUSEEVENTF_HWHEEL |
                                MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK |
                                MOUSEEVENTF_MOVE_NOCOALESCE;
            if (mi.dwFlags & ~known) {
                ReportUnsupported("SendInput", "mouse flags", ERROR_INVALID_PARAMETER);
                break;
            }
            InputQueue::Event e;
            e.time = now;
            e.modifiers = modifiersOf(q.asyncKeys);
            if (mi.dwFlags & MOUSEEVENTF_MOVE) {
                POINT p = q.cursor;
                if (mi.dwFlags & MOUSEEVENTF_ABSOLUTE) {
                    // Absolute positions are normalised to 0..65535 across the screen.
                    p.x = static_cast<LONG>((static_cast<long long>(mi.dx) * screen.width) / 65536);
                    p.y =
                        static_cast<LONG>((static_cast<long long>(mi.dy) * screen.height) / 65536);
                } else {
                    p.x += mi.dx;
                    p.y += mi.dy;
                }
                p.x = std::clamp<LONG>(p.x, 0, screen.width - 1);
                p.y = std::clamp<LONG>(p.y, 0, screen.height - 1);
                q.cursor = p;
                e.kind = InputQueue::Event::Kind::MouseMove;
                e.pt = p;
                e.mouseKeys = mouseKeysOf(q.asyncKeys);
                q.push(e);
            }
            e.pt = q.cursor;
            struct ButtonFlag {
                DWORD flag;
                UINT msg;
                int vk;
                bool down;
            };
            static const ButtonFlag kButtons[] = {
                {MOUSEEVENTF_LEFTDOWN, WM_LBUTTONDOWN, VK_LBUTTON, true},
                {MOUSEEVENTF_LEFTUP, WM_LBUTTONUP, VK_LBUTTON, false},
                {MOUSEEVENTF_RIGHTDOWN, WM_RBUTTONDOWN, VK_RBUTTON, true},
                {MOUSEEVENTF_RIGHTUP, WM_RBUTTONUP, VK_RBUTTON, false},
                {MOUSEEVENTF_MIDDLEDOWN, WM_MBUTTONDOWN, VK_MBUTTON, true},
                {MOUSEEVENTF_MIDDLEUP, WM_MBUTTONUP, VK_MBUTTON, false},
                {MOUSEEVENTF_XDOWN, WM_XBUTTONDOWN, 0, true},
                {MOUSEEVENTF_XUP, WM_XBUTTONUP, 0, false},
            };
            for (const ButtonFlag& b : kButtons) {
                if (!(mi.dwFlags & b.flag)) continue;
                int vk = b.vk;
                if (!vk) vk = (mi.mouseData & XBUTTON2) ? VK_XBUTTON2 : VK_XBUTTON1;
                if (b.down) {
                    if (!(q.asyncKeys[vk] & 0x80)) q.asyncPressed[vk] = 1;
                }
                setKey(q.asyncKeys, vk, b.down);
                InputQueue::Event be = e;
                be.kind = InputQueue::Event::Kind::MouseButton;
                be.button = b.msg;
                be.wheelDelta = b.vk ? 0 : ((mi.mouseData & XBUTTON2) ? XBUTTON2 : XBUTTON1);
                be.mouseKeys = mouseKeysOf(q.asyncKeys);
                q.push(be);
            }
            if (mi.dwFlags & (MOUSEEVENTF_WHEEL | MOUSEEVENTF_HWHEEL)) {
                InputQueue::Event we = e;
                we.kind = (mi.dwFlags & MOUSEEVENTF_WHEEL) ? InputQueue::Event::Kind::Wheel
                                                           : InputQueue::Event::Kind::HWheel;
                we.wheelDelta = static_cast<int>(static_cast<std::int32_t>(mi.mouseData));
                we.mouseKeys = mouseKeysOf(q.asyncKeys);
                q.push(we);
            }
        } else if (in.type == INPUT_KEYBOARD) {
            const KEYBDINPUT& ki = in.ki;
            if (ki.dwFlags & ~(KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP | KEYEVENTF_UNICODE |
                               KEYEVENTF_SCANCODE)) {
                ReportUnsupported("SendInput", "keyboard flags", ERROR_INVALID_PARAMETER);
                break;
            }
            InputQueue::Event e;
            e.kind = InputQueue::Event::Kind::Key;
            e.time = now;
            e.keyUp = ki.dwFlags & KEYEVENTF_KEYUP;
            if (ki.dwFlags & KEYEVENTF_UNICODE) {
                e.vk = VK_PACKET;
                e.unicode = static_cast<char16_t>(ki.wScan);
            } else if (ki.dwFlags & KEYEVENTF_SCANCODE) {
                e.vk = static_cast<WORD>(MapVirtualKeyW(ki.wScan, MAPVK_VSC_TO_VK));
                e.scan = ki.wScan;
                if (!e.vk) {
                    SetLastError(ERROR_INVALID_PARAMETER);
                    break;
                }
            } else {
                e.vk = ki.wVk;
                if (e.vk == 0 || e.vk > 0xFE) {
                    SetLastError(ERROR_INVALID_PARAMETER);
                    break;
                }
            }
            const KeyInfo info = keyInfo(e.vk);
            if (!e.scan) e.scan = info.scan;
            e.extended = info.extended || (ki.dwFlags & KEYEVENTF_EXTENDEDKEY);
            if (e.vk != VK_PACKET) {
                e.wasDown = q.asyncKeys[e.vk] & 0x80;
                if (!e.keyUp && !e.wasDown) q.asyncPressed[e.vk] = 1;
                setKeyPair(q.asyncKeys, e.vk, !e.keyUp);
            }
            e.modifiers = modifiersOf(q.asyncKeys);
            q.push(e);
        } else {
            ReportUnsupported("SendInput", "input type", ERROR_INVALID_PARAMETER);
            break;
        }
        ++done;
    }
    return done;
}

void mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extra) {
    INPUT in;
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>(dx);
    in.mi.dy = static_cast<LONG>(dy);
    in.mi.mouseData = data;
    in.mi.dwFlags = flags;
    in.mi.dwExtraInfo = extra;
    SendInput(1, &in, sizeof(INPUT));
}

void keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extra) {
    INPUT in;
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = scan;
    in.ki.dwFlags = flags;
    in.ki.dwExtraInfo = extra;
    SendInput(1, &in, sizeof(INPUT));
}

BOOL GetCursorPos(POINT* pt) {
    if (!pt) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *pt = InputQueue::current().cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    // Moving the cursor is a mouse move like any other: windows hear about it.
    const auto& screen = gdi::screenInfo();
    INPUT in;
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    x = std::clamp(x, 0, screen.width - 1);
    y = std::clamp(y, 0, screen.height - 1);
    in.mi.dx =
        static_cast<LONG>((static_cast<long long>(x) * 65536 + screen.width - 1) / screen.width);
    in.mi.dy =
        static_cast<LONG>((static_cast<long long>(y) * 65536 + screen.height - 1) / screen.height);
    SendInput(1, &in, sizeof(INPUT));
    InputQueue::current().cursor = POINT{x, y};
    return TRUE;
}

SHORT GetAsyncKeyState(int vk) {
    if (vk <= 0 || vk > 0xFE) return 0;
    InputQueue& q = InputQueue::current();
    SHORT r = (q.asyncKeys[vk] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
    if (q.asyncPressed[vk]) r |= 1;
    q.asyncPressed[vk] = 0;
    return r;
}

SHORT GetKeyState(int vk) {
    if (vk <= 0 || vk > 0xFE) return 0;
    const BYTE s = InputQueue::current().syncKeys[vk];
    return static_cast<SHORT>(((s & 0x80) ? 0xFF80 : 0) | (s & 0x01));
}

BOOL GetKeyboardState(BYTE* state) {
    if (!state) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::memcpy(state, InputQueue::current().syncKeys, 256);
    return TRUE;
}

BOOL SetKeyboardState(const BYTE* state) {
    if (!state) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::memcpy(InputQueue::current().syncKeys, state, 256);
    return TRUE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme) {
    return InputQueue::current().track(tme);
}
BOOL _TrackMouseEvent(TRACKMOUSEEVENT* tme) {
    return TrackMouseEvent(tme);
}

UINT GetDoubleClickTime() {
    return InputQueue::current().doubleClickTime;
}

BOOL SetDoubleClickTime(UINT ms) {
    InputQueue::current().doubleClickTime = ms ? std::min<UINT>(ms, 5000) : 500;
    return TRUE;
}

void user::typeUnicode(char16_t c) {
    INPUT in[2];
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wScan = in[1].ki.wScan = c;
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

int GetKeyNameTextW(LONG lParam, LPWSTR buffer, int size) {
    const int scan = (lParam >> 16) & 0xFF;
    const bool extended = (lParam >> 24) & 1;
    const bool anySide = (lParam >> 25) & 1;
    struct Name {
        int scan;
        bool extended;
        const char16_t* name;
    };
    // The keys that do not type a character, as a US keyboard names them.
    static const Name kNames[] = {
        {0x01, false, u"Esc"},          {0x0E, false, u"Backspace"},  {0x0F, false, u"Tab"},
        {0x1C, false, u"Enter"},        {0x1C, true, u"Num Enter"},   {0x1D, false, u"Ctrl"},
        {0x1D, true, u"Right Ctrl"},    {0x2A, false, u"Shift"},      {0x36, false, u"Right Shift"},
        {0x35, true, u"Num /"},         {0x37, false, u"Num *"},      {0x38, false, u"Alt"},
        {0x38, true, u"Right Alt"},     {0x39, false, u"Space"},      {0x3A, false, u"Caps Lock"},
        {0x3B, false, u"F1"},           {0x3C, false, u"F2"},         {0x3D, false, u"F3"},
        {0x3E, false, u"F4"},           {0x3F, false, u"F5"},         {0x40, false, u"F6"},
        {0x41, false, u"F7"},           {0x42, false, u"F8"},         {0x43, false, u"F9"},
        {0x44, false, u"F10"},          {0x45, false, u"Pause"},      {0x45, true, u"Num Lock"},
        {0x46, false, u"Scroll Lock"},  {0x47, false, u"Num 7"},      {0x47, true, u"Home"},
        {0x48, false, u"Num 8"},        {0x48, true, u"Up"},          {0x49, false, u"Num 9"},
        {0x49, true, u"Page Up"},       {0x4A, false, u"Num -"},      {0x4B, false, u"Num 4"},
        {0x4B, true, u"Left"},          {0x4C, false, u"Num 5"},      {0x4D, false, u"Num 6"},
        {0x4D, true, u"Right"},         {0x4E, false, u"Num +"},      {0x4F, false, u"Num 1"},
        {0x4F, true, u"End"},           {0x50, false, u"Num 2"},      {0x50, true, u"Down"},
        {0x51, false, u"Num 3"},        {0x51, true, u"Page Down"},   {0x52, false, u"Num 0"},
        {0x52, true, u"Insert"},        {0x53, false, u"Num Del"},    {0x53, true, u"Delete"},
        {0x57, false, u"F11"},          {0x58, false, u"F12"},        {0x5B, true, u"Left Windows"},
        {0x5C, true, u"Right Windows"}, {0x5D, true, u"Application"},
    };
    std::u16string name;
    for (const Name& n : kNames)
        if (n.scan == scan && n.extended == extended) name = n.name;
    if (anySide && (name == u"Right Shift" || name == u"Right Ctrl" || name == u"Right Alt"))
        name = name.substr(6);
    if (name.empty() && !extended) {
        // A key that types a character is named by it, letters in capitals.
        const UINT vk = MapVirtualKeyW(static_cast<UINT>(scan), MAPVK_VSC_TO_VK);
        const char16_t c = vk ? static_cast<char16_t>(MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR)) : 0;
        if (c > u' ') name.assign(1, c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c);
    }
    if (!buffer || size <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return CopyToBuffer(name, buffer, size);
}

UINT MapVirtualKeyW(UINT code, UINT mapType) {
    switch (mapType) {
        case MAPVK_VK_TO_VSC:
            return code <= 0xFF ? keyInfo(static_cast<int>(code)).scan : 0;
        case MAPVK_VSC_TO_VK:
        case MAPVK_VSC_TO_VK_EX:
            for (int vk = 1; vk < 0xFF; ++vk) {
                if (vk == VK_CONTROL || vk == VK_SHIFT || vk == VK_MENU) continue;
                if (vk >= VK_NUMPAD0 && vk <= VK_DECIMAL) continue;  // the navigation keys win
                const KeyInfo k = keyInfo(vk);
                if (k.scan == code && !k.extended) {
                    if (mapType == MAPVK_VSC_TO_VK && (vk == VK_LSHIFT || vk == VK_RSHIFT))
                        return VK_SHIFT;
                    if (mapType == MAPVK_VSC_TO_VK && vk == VK_LCONTROL) return VK_CONTROL;
                    if (mapType == MAPVK_VSC_TO_VK && vk == VK_LMENU) return VK_MENU;
                    return static_cast<UINT>(vk);
                }
            }
            for (int vk = 1; vk < 0xFF; ++vk)
                if (keyInfo(vk).scan == code && keyInfo(vk).scan) return static_cast<UINT>(vk);
            return 0;
        case MAPVK_VK_TO_CHAR: {
            const char16_t c = keyChar(static_cast<int>(code), false, false);
            if (code >= 'A' && code <= 'Z') return code;
            return c;
        }
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg) return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN && msg->message != WM_KEYUP &&
        msg->message != WM_SYSKEYUP)
        return FALSE;
    if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) return TRUE;
    InputQueue& q = InputQueue::current();
    const bool sys = msg->message == WM_SYSKEYDOWN;
    const int vk = static_cast<int>(msg->wParam);
    auto post = [&](UINT m, char16_t c) {
        MSG out = *msg;
        out.message = m;
        out.wParam = c;
        // Posted like any message: input waits behind posted messages, so the character is
        // retrieved before the next key.
        MessageQueue::current().posted.push_back(out);
    };
    if (vk == VK_PACKET) {
        // The character travels in the high word of lParam.
        if (const char16_t c =
                static_cast<char16_t>(HIWORD(static_cast<std::uintptr_t>(msg->lParam))))
            post(WM_CHAR, c);
        return TRUE;
    }
    const BYTE* keys = q.syncKeys;
    const bool shift = isDown(keys, VK_SHIFT), ctrl = isDown(keys, VK_CONTROL),
               alt = isDown(keys, VK_MENU);
    const bool caps = keys[VK_CAPITAL] & 0x01;
    char16_t c = 0;
    if (ctrl && !alt) {
        // Control characters: letters give 1 to 26, and a few punctuation keys the rest.
        if (vk >= 'A' && vk <= 'Z')
            c = static_cast<char16_t>(vk - 'A' + 1);
        else if (vk == VK_OEM_4)
            c = 27;
        else if (vk == VK_OEM_5)
            c = 28;
        else if (vk == VK_OEM_6)
            c = 29;
        else if (vk == VK_RETURN)
            c = u'\n';
        else if (vk == VK_BACK)
            c = 0x7F;
        else if (vk == VK_SPACE)
            c = u' ';
        else if (vk == VK_ESCAPE)
            c = 27;
        else if (vk == VK_TAB)
            return TRUE;
    } else if (ctrl && alt) {
        return TRUE;  // no AltGr characters on a US keyboard
    } else {
        if (q.usInternational && !sys) {
            if (char16_t dead = deadKeyChar(vk, shift)) {
                if (q.pendingDeadChar) {
                    // Two dead keys in a row give both characters.
                    post(WM_CHAR, q.pendingDeadChar);
                    post(WM_CHAR, dead);
                    q.pendingDeadChar = 0;
                } else {
                    q.pendingDeadChar = dead;
                    post(WM_DEADCHAR, dead);
                }
                return TRUE;
            }
        }
        c = keyChar(vk, shift, caps);
        if (q.pendingDeadChar && c) {
            const char16_t dead = q.pendingDeadChar;
            q.pendingDeadChar = 0;
            if (const char16_t combined = combineDead(dead, c)) {
                post(WM_CHAR, combined);
            } else {
                // No combination: the accent, then the character (a space gives the accent alone).
                if (c == u' ') {
                    post(WM_CHAR, dead);
                } else {
                    post(WM_CHAR, dead);
                    post(WM_CHAR, c);
                }
            }
            return TRUE;
        }
    }
    if (c) post(sys ? WM_SYSCHAR : WM_CHAR, c);
    return TRUE;
}

}  // namespace orvane::platform
