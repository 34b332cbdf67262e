// The caret. As on Windows it is drawn by inverting the pixels under it in its owner's client
// area, so drawing it twice takes it away; the hide count starts at 1 (a new caret is hidden),
// BeginPaint takes it off before the owner paints and EndPaint puts it back, and a shown caret
// blinks on a system timer (WM_SYSTIMER, handled by DefWindowProcW).
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

constexpr UINT_PTR kBlinkTimer = 0xFFFF;  // the system timer's id on the owner window

user::UserState::Caret& caret() {
    return user::state().caret;
}

// Inverts the caret's pixels: shows it when off, takes it away when on.
void invert() {
    user::UserState::Caret& c = caret();
    const HWND owner(c.owner);
    const HDC dc = GetDC(owner);
    if (!dc) return;
    if (c.bitmap > 1) {
        const HDC source = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(source, HBITMAP(c.bitmap));
        BitBlt(dc, c.pos.x, c.pos.y, c.width, c.height, source, 0, 0, SRCINVERT);
        SelectObject(source, old);
        DeleteDC(source);
    } else {
        PatBlt(dc, c.pos.x, c.pos.y, c.width, c.height, DSTINVERT);
    }
    ReleaseDC(owner, dc);
    c.on = !c.on;
}

void takeOff() {
    if (caret().on) invert();
}

void restartBlink() {
    user::UserState::Caret& c = caret();
    if (!c.owner) return;
    user::killSystemTimer(HWND(c.owner), kBlinkTimer);
    if (c.blinkMs != INFINITE) user::setSystemTimer(HWND(c.owner), kBlinkTimer, c.blinkMs);
}

bool ownsCaret(HWND hwnd) {
    return caret().owner && (!hwnd || hwnd.value == caret().owner);
}

}  // namespace

namespace user {

void caretBlink(HWND hwnd, UINT_PTR id) {
    user::UserState::Caret& c = caret();
    if (id != kBlinkTimer || hwnd.value != c.owner || c.hideLevel > 0 || c.hiddenForPaint) return;
    invert();
}

void caretBeforePaint(HWND hwnd) {
    user::UserState::Caret& c = caret();
    if (hwnd.value != c.owner || !c.on) return;
    invert();
    c.hiddenForPaint = true;
}

void caretAfterPaint(HWND hwnd) {
    user::UserState::Caret& c = caret();
    if (hwnd.value != c.owner || !c.hiddenForPaint) return;
    c.hiddenForPaint = false;
    if (c.hideLevel == 0) invert();
}

void forgetCaret(HWND hwnd) {
    if (hwnd.value != caret().owner) return;
    killSystemTimer(hwnd, kBlinkTimer);
    const UINT blink = caret().blinkMs;
    caret() = user::UserState::Caret{};
    caret().blinkMs = blink;
}

}  // namespace user

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height) {
    if (!user::window(hwnd)) return FALSE;
    DestroyCaret();
    user::UserState::Caret& c = caret();
    c.owner = hwnd.value;
    c.bitmap = bitmap.value;
    if (bitmap.value > 1) {
        BITMAP info{};
        if (!GetObjectW(bitmap, sizeof info, &info)) {
            const UINT blink = c.blinkMs;
            c = user::UserState::Caret{};
            c.blinkMs = blink;
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        width = info.bmWidth;
        height = info.bmHeight;
    }
    // Zero takes the system's border width and height.
    c.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
    c.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
    c.pos = POINT{};
    c.hideLevel = 1;
    c.on = false;
    c.hiddenForPaint = false;
    return TRUE;
}

BOOL DestroyCaret() {
    user::UserState::Caret& c = caret();
    if (!c.owner) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    takeOff();
    user::forgetCaret(HWND(c.owner));
    return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
    user::UserState::Caret& c = caret();
    if (!ownsCaret(hwnd)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (c.hideLevel == 0) return TRUE;
    if (--c.hideLevel == 0) {
        if (!c.hiddenForPaint && !c.on) invert();
        restartBlink();
    }
    return TRUE;
}

BOOL HideCaret(HWND hwnd) {
    user::UserState::Caret& c = caret();
    if (!ownsCaret(hwnd)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    ++c.hideLevel;
    takeOff();
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    user::UserState::Caret& c = caret();
    if (!c.owner) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (c.pos.x == x && c.pos.y == y) return TRUE;
    takeOff();
    c.pos = POINT{x, y};
    // A moved caret shows at once and starts its blink again.
    if (c.hideLevel == 0 && !c.hiddenForPaint) {
        invert();
        restartBlink();
    }
    return TRUE;
}

BOOL GetCaretPos(POINT* point) {
    if (!point) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *point = caret().owner ? caret().pos : POINT{};
    return caret().owner != 0;
}

UINT GetCaretBlinkTime() {
    return caret().blinkMs;
}

BOOL SetCaretBlinkTime(UINT milliseconds) {
    caret().blinkMs = milliseconds;
    restartBlink();
    return TRUE;
}

}  // namespace orvane::platform
