// Keyboard focus, window activation and mouse capture, with their message sequences.
#include "platform/user/InputQueue.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {
using user::windowQuiet;
}

namespace user {

void setFocusInternal(HWND hwnd) {
    UserState& s = state();
    const HWND old(s.focus);
    if (old == hwnd) return;
    s.focus = hwnd.value;
    if (old && windowQuiet(old)) {
        SendMessageW(old, WM_KILLFOCUS, hwnd.value, 0);
        // The handler may have moved the focus elsewhere.
        if (state().focus != hwnd.value) return;
    }
    if (hwnd && windowQuiet(hwnd)) SendMessageW(hwnd, WM_SETFOCUS, old.value, 0);
}

void activateInternal(HWND hwnd, WORD how) {
    UserState& s = state();
    const HWND old(s.active);
    if (old == hwnd) return;
    if (hwnd && !windowQuiet(hwnd)) return;
    s.active = hwnd.value;
    if (old) {
        if (WindowObject* o = windowQuiet(old)) {
            o->ncActive = false;
            SendMessageW(old, WM_NCACTIVATE, FALSE, static_cast<LPARAM>(hwnd.value));
            SendMessageW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0),
                         static_cast<LPARAM>(hwnd.value));
        }
        if (state().active != hwnd.value) return;  // a handler activated something else
    }
    // Between the two, the window comes to the top of its band: WM_WINDOWPOSCHANGING always,
    // WM_WINDOWPOSCHANGED when the order changes.
    if (hwnd && !IsIconic(hwnd)) {
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (!windowQuiet(hwnd) || state().active != hwnd.value) return;
    }
    if (!old && hwnd)
        SendMessageW(hwnd, WM_ACTIVATEAPP, TRUE, static_cast<LPARAM>(GetCurrentThreadId()));
    if (old && !hwnd && windowQuiet(old))
        SendMessageW(old, WM_ACTIVATEAPP, FALSE, static_cast<LPARAM>(GetCurrentThreadId()));
    if (!hwnd) {
        setFocusInternal(HWND());
        return;
    }
    if (WindowObject* w = windowQuiet(hwnd)) {
        w->ncActive = true;
        SendMessageW(hwnd, WM_NCACTIVATE, TRUE, static_cast<LPARAM>(old.value));
        if (!windowQuiet(hwnd)) return;
        SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(hwnd) ? 1 : 0),
                     static_cast<LPARAM>(old.value));
    }
    // The focus moves into the newly active window if no handler put it there.
    if (state().active == hwnd.value && windowQuiet(hwnd)) {
        const HWND focus(state().focus);
        if (focus != hwnd && !IsChild(hwnd, focus) && !IsIconic(hwnd)) setFocusInternal(hwnd);
    }
}

void activateNextAfter(WindowObject& leaving) {
    HWND next;
    // The owner is the first choice, then the next visible, enabled top-level window.
    if (WindowObject* owner = windowQuiet(HWND(leaving.owner));
        owner && owner->visibleStyle() && !(owner->style & WS_DISABLED))
        next = owner->hwnd();
    if (!next) {
        for (std::uint32_t h : desktop()->children) {
            WindowObject* w = windowQuiet(HWND(h));
            if (!w || w == &leaving || !w->visibleStyle() ||
                (w->style & (WS_DISABLED | WS_MINIMIZE)))
                continue;
            if (w->exStyle & (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW)) continue;
            next = HWND(h);
            break;
        }
    }
    activateInternal(next, WA_ACTIVE);
}

void forgetWindow(WindowObject& w) {
    UserState& s = state();
    if (s.focus == w.handle()) s.focus = 0;
    if (s.active == w.handle()) s.active = 0;
    if (s.capture == w.handle()) s.capture = 0;
    forgetCaret(w.hwnd());
}

}  // namespace user

HWND SetFocus(HWND hwnd) {
    user::ensureInit();
    const HWND old(user::state().focus);
    if (!hwnd) {
        user::setFocusInternal(HWND());
        return old;
    }
    WindowObject* w = user::window(hwnd);
    if (!w || user::isRoot(*w)) return HWND();
    WindowObject* top = user::topLevelOf(*w);
    if (top && top->handle() != user::state().active) {
        user::activateInternal(top->hwnd(), WA_ACTIVE);
        if (!windowQuiet(hwnd)) return HWND();
    }
    user::setFocusInternal(hwnd);
    return windowQuiet(old) ? old : HWND();
}

HWND GetFocus() {
    const HWND h(user::state().focus);
    return windowQuiet(h) ? h : HWND();
}

HWND SetActiveWindow(HWND hwnd) {
    const HWND old(user::state().active);
    if (hwnd) {
        WindowObject* w = user::window(hwnd);
        if (!w || user::isRoot(*w)) return HWND();
        // Child windows cannot be active; their top-level window is.
        hwnd = user::topLevelOf(*w)->hwnd();
    }
    user::activateInternal(hwnd, WA_ACTIVE);
    return windowQuiet(old) ? old : HWND();
}

HWND GetActiveWindow() {
    const HWND h(user::state().active);
    return windowQuiet(h) ? h : HWND();
}

BOOL SetForegroundWindow(HWND hwnd) {
    WindowObject* w = user::window(hwnd);
    if (!w) return FALSE;
    SetActiveWindow(hwnd);
    return TRUE;
}

HWND GetForegroundWindow() {
    return GetActiveWindow();
}

HWND SetCapture(HWND hwnd) {
    const HWND old(user::state().capture);
    if (hwnd && !user::window(hwnd)) return HWND();
    user::state().capture = hwnd.value;
    if (old && old != hwnd && windowQuiet(old))
        SendMessageW(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(hwnd.value));
    return windowQuiet(old) ? old : HWND();
}

BOOL ReleaseCapture() {
    const HWND old(user::state().capture);
    user::state().capture = 0;
    if (old && windowQuiet(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    const HWND h(user::state().capture);
    return windowQuiet(h) ? h : HWND();
}

}  // namespace orvane::platform
