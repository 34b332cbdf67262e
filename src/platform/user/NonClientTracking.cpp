// The mouse held down on the non-client area: scroll bars (arrows and page areas repeating
// while held, the thumb dragged) and caption buttons (acting when released over them), and
// the capture loop they and the move and size loop share.
#include <algorithm>
#include <cstdint>

#include "platform/base/Clock.h"
#include "platform/user/InputQueue.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform::user {

namespace {

// Holding an arrow or a page area repeats it after a first delay, then at a steady rate.
constexpr UINT kFirstDelay = 200, kRepeatDelay = 50;
// The timer the scroll loop sets on the window; the loop takes its WM_TIMER itself.
constexpr UINT_PTR kScrollTimer = 0xFFFE5C01;

void redrawFrame(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, HRGN(),
                 RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN | RDW_UPDATENOW);
}

int along(POINT p, bool vertical) {
    return vertical ? p.y : p.x;
}

ScrollBarState& barState(WindowObject& w, bool vertical) {
    return vertical ? w.vscroll : w.hscroll;
}

// The part of the bar under a screen point as its SB_ code (SB_THUMBTRACK for the thumb), or
// -1 off the bar.
int partAt(const ScrollBarParts& parts, POINT p, bool vertical) {
    if (!PtInRect(&parts.bar, p)) return -1;
    const int v = along(p, vertical);
    if (v < parts.trackStart) return SB_LINEUP;
    if (v >= parts.trackEnd) return SB_LINEDOWN;
    if (v < parts.thumbStart) return SB_PAGEUP;
    if (v >= parts.thumbEnd) return SB_PAGEDOWN;
    return SB_THUMBTRACK;
}

// The position a thumb whose leading edge lies at `thumbStart` stands for: the inverse of
// where the bar draws the thumb for a position, rounded to the nearest.
int positionAt(const ScrollBarState& s, const ScrollBarParts& parts, int thumbStart) {
    const int range = s.max - s.min + 1;
    const int span = std::max(1, range - static_cast<int>(std::max<UINT>(s.page, 1)));
    const int room = (parts.trackEnd - parts.trackStart) - (parts.thumbEnd - parts.thumbStart);
    if (room <= 0) return s.min;
    const int offset = std::clamp(thumbStart - parts.trackStart, 0, room);
    return s.min + static_cast<int>((static_cast<std::int64_t>(offset) * span + room / 2) / room);
}

// The thumb follows the mouse along the bar: SB_THUMBTRACK for each new position, and on
// release SB_THUMBPOSITION with the last one.
void dragThumb(HWND hwnd, bool vertical, int grab) {
    const UINT msg = vertical ? WM_VSCROLL : WM_HSCROLL;
    if (WindowObject* w = windowQuiet(hwnd)) {
        ScrollBarState& s = barState(*w, vertical);
        s.tracking = true;
        s.trackPos = s.pos;
    }
    captureLoop(hwnd, [&](const MSG& m) {
        if (m.message != WM_MOUSEMOVE && m.message != WM_LBUTTONUP) return CaptureStep::Pass;
        WindowObject* w = windowQuiet(hwnd);
        if (!w) return CaptureStep::Done;
        ScrollBarState& s = barState(*w, vertical);
        const int pos = positionAt(s, scrollBarParts(*w, vertical),
                                   along(framePoint(*w, m.pt), vertical) - grab);
        if (pos != s.trackPos) {
            s.trackPos = pos;
            redrawFrame(hwnd);
            SendMessageW(hwnd, msg, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(pos)), 0);
            if (!(w = windowQuiet(hwnd))) return CaptureStep::Done;
        }
        if (m.message == WM_MOUSEMOVE) return CaptureStep::Taken;
        SendMessageW(
            hwnd, msg,
            MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(barState(*w, vertical).trackPos)), 0);
        return CaptureStep::Done;
    });
    if (WindowObject* w = windowQuiet(hwnd)) {
        barState(*w, vertical).tracking = false;
        redrawFrame(hwnd);
    }
}

// An arrow or page area scrolls once at the press, then again and again while the mouse stays
// on it (a page area ends where the thumb reaches the mouse). `at` is in the frame's layout
// (framePoint).
void repeatPart(HWND hwnd, bool vertical, int code, POINT at) {
    const UINT msg = vertical ? WM_VSCROLL : WM_HSCROLL;
    const bool arrow = code == SB_LINEUP || code == SB_LINEDOWN;
    auto showPressed = [&](bool down) {
        WindowObject* w = windowQuiet(hwnd);
        if (!arrow || !w || (barState(*w, vertical).pressed == code) == down) return;
        barState(*w, vertical).pressed = down ? code : -1;
        redrawFrame(hwnd);
    };
    showPressed(true);
    SendMessageW(hwnd, msg, static_cast<WPARAM>(code), 0);
    if (!IsWindow(hwnd)) return;
    SetTimer(hwnd, kScrollTimer, kFirstDelay, nullptr);
    captureLoop(
        hwnd,
        [&](const MSG& m) {
            WindowObject* w = windowQuiet(hwnd);
            if (!w) return CaptureStep::Done;
            if (m.message == WM_TIMER && m.hwnd == hwnd && m.wParam == kScrollTimer) {
                if (partAt(scrollBarParts(*w, vertical), at, vertical) == code) {
                    SendMessageW(hwnd, msg, static_cast<WPARAM>(code), 0);
                    if (!IsWindow(hwnd)) return CaptureStep::Done;
                }
                SetTimer(hwnd, kScrollTimer, kRepeatDelay, nullptr);
                return CaptureStep::Taken;
            }
            if (m.message == WM_MOUSEMOVE) {
                at = framePoint(*w, m.pt);
                showPressed(partAt(scrollBarParts(*w, vertical), at, vertical) == code);
                return CaptureStep::Taken;
            }
            return m.message == WM_LBUTTONUP ? CaptureStep::Done : CaptureStep::Pass;
        },
        kScrollTimer);
    if (IsWindow(hwnd)) KillTimer(hwnd, kScrollTimer);
    showPressed(false);
}

// On a virtual clock nothing arrives but what is queued and what timers bring. A loop with
// nothing queued and no timer but its own would repeat for ever, as no release can come: it
// ends as if the capture were lost.
bool waitsInVain(HWND hwnd, UINT_PTR ownTimer) {
    if (Clock::current().mode() != Clock::Mode::Virtual) return false;
    MSG peek;
    if (PeekMessageW(&peek, HWND(), 0, 0, PM_NOREMOVE)) return false;
    for (const Timer& t : MessageQueue::current().timers)
        if (t.hwnd != hwnd || t.id != ownTimer) return false;
    return !InputQueue::current().nextHoverTime();
}

}  // namespace

void captureLoop(HWND hwnd, const std::function<CaptureStep(const MSG&)>& handle,
                 UINT_PTR ownTimer) {
    SetCapture(hwnd);
    MSG msg;
    while (GetCapture() == hwnd) {
        if ((ownTimer && waitsInVain(hwnd, ownTimer)) || InputQueue::current().starved()) break;
        const BOOL got = GetMessageW(&msg, HWND(), 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            break;
        }
        const CaptureStep step = handle(msg);
        if (step == CaptureStep::Done) break;
        if (step == CaptureStep::Taken) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (GetCapture() == hwnd) ReleaseCapture();
}

void trackScrollBar(HWND hwnd, bool vertical, POINT screen) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w) return;
    const ScrollBarState& s = barState(*w, vertical);
    // A mirrored frame lays its bars out left to right and shows them flipped.
    screen = framePoint(*w, screen);
    const ScrollBarParts parts = scrollBarParts(*w, vertical);
    const int part = partAt(parts, screen, vertical);
    if (part < 0 || s.disabled == ESB_DISABLE_BOTH) return;
    if ((part == SB_LINEUP && (s.disabled & ESB_DISABLE_LTUP)) ||
        (part == SB_LINEDOWN && (s.disabled & ESB_DISABLE_RTDN)))
        return;
    if (part == SB_THUMBTRACK) {
        if (s.max <= s.min) return;  // no thumb shows
        dragThumb(hwnd, vertical, along(screen, vertical) - parts.thumbStart);
    } else {
        repeatPart(hwnd, vertical, part, screen);
    }
    if (IsWindow(hwnd)) SendMessageW(hwnd, vertical ? WM_VSCROLL : WM_HSCROLL, SB_ENDSCROLL, 0);
}

bool trackCaptionButton(HWND hwnd, LRESULT hit) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w) return false;
    auto show = [&](LRESULT pressed) {
        WindowObject* now = windowQuiet(hwnd);
        if (!now || now->ncPressed == pressed) return;
        now->ncPressed = pressed;
        redrawFrame(hwnd);
    };
    show(hit);
    bool over = true, released = false;
    captureLoop(hwnd, [&](const MSG& m) {
        if (m.message != WM_MOUSEMOVE && m.message != WM_LBUTTONUP) return CaptureStep::Pass;
        over = SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(m.pt.x, m.pt.y)) == hit;
        show(over ? hit : 0);
        released = m.message == WM_LBUTTONUP;
        return released ? CaptureStep::Done : CaptureStep::Taken;
    });
    show(0);
    // Capture taken away (or the window gone) is no click.
    return released && over && IsWindow(hwnd);
}

}  // namespace orvane::platform::user
