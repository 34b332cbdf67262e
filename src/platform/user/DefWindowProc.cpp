// The default window procedure.
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/user/Imm.h"
#include "platform/user/MenuInternal.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

using user::windowQuiet;

constexpr LRESULT NFR_UNICODE = 2;
constexpr WPARAM ICON_BIG = 1;

LRESULT ctlColor(UINT msg, HDC hdc) {
    const bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
    return static_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE).value);
}

LRESULT setCursor(HWND hwnd, WindowObject& w, WPARAM wParam, LPARAM lParam) {
    if (w.isChild()) {
        if (SendMessageW(HWND(w.parent), WM_SETCURSOR, wParam, lParam)) return TRUE;
        if (!windowQuiet(hwnd)) return TRUE;
    }
    const auto hit = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam)));
    LPCWSTR id = IDC_ARROW;
    switch (hit) {
        case HTCLIENT:
            if (w.cls && w.cls->cursor) {
                SetCursor(w.cls->cursor);
                return TRUE;
            }
            return FALSE;
        case HTLEFT:
        case HTRIGHT:
            id = IDC_SIZEWE;
            break;
        case HTTOP:
        case HTBOTTOM:
            id = IDC_SIZENS;
            break;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
        case HTSIZE:
            id = IDC_SIZENWSE;
            break;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            id = IDC_SIZENESW;
            break;
        case HTERROR: {
            // Pressing a button on a window that takes no input beeps; moving over it does not.
            const UINT mouseMsg = HIWORD(static_cast<std::uintptr_t>(lParam));
            if (mouseMsg == WM_LBUTTONDOWN || mouseMsg == WM_RBUTTONDOWN ||
                mouseMsg == WM_MBUTTONDOWN)
                MessageBeep(0);
            break;
        }
    }
    SetCursor(LoadCursorW(HINSTANCE(), id));
    return TRUE;
}

void clampToTrackSize(HWND hwnd, WindowObject& w, WINDOWPOS* wp) {
    if (!wp || (wp->flags & SWP_NOSIZE)) return;
    if (!(w.style & WS_THICKFRAME) && (w.style & (WS_POPUP | WS_CHILD))) return;
    if (w.style & WS_MINIMIZE) return;
    MINMAXINFO mmi;
    user::minMaxInfo(hwnd, w, mmi);
    wp->cx = std::clamp<int>(wp->cx, std::min(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x),
                             mmi.ptMaxTrackSize.x);
    wp->cy = std::clamp<int>(wp->cy, std::min(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y),
                             mmi.ptMaxTrackSize.y);
}

// SC_MOVE and SC_SIZE: a loop of its own that follows the mouse (by the positions the mouse
// messages carry) until the button is released or Enter is pressed; Escape puts the window
// back. WM_MOVING and WM_SIZING let the window adjust the rectangle on the way.
void moveSizeLoop(HWND hwnd, WPARAM command, LPARAM lParam) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w || (w->style & (WS_MAXIMIZE | WS_MINIMIZE))) return;
    const bool moving = (command & 0xFFF0) == SC_MOVE;
    const int edge = moving ? 0 : static_cast<int>(command & 0xF);  // WMSZ_LEFT (1) to 8
    if (!moving && (edge < 1 || edge > 8)) return;
    const RECT start = w->rect;
    const POINT origin{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    user::state().moveSize = hwnd.value;
    SendMessageW(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    bool cancelled = false;
    user::captureLoop(hwnd, [&](const MSG& msg) {
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            const int dx = msg.pt.x - origin.x, dy = msg.pt.y - origin.y;
            RECT r = start;
            if (moving) {
                OffsetRect(&r, dx, dy);
                SendMessageW(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
            } else {
                if (edge == 1 || edge == 4 || edge == 7) r.left += dx;
                if (edge == 2 || edge == 5 || edge == 8) r.right += dx;
                if (edge == 3 || edge == 4 || edge == 5) r.top += dy;
                if (edge == 6 || edge == 7 || edge == 8) r.bottom += dy;
                SendMessageW(hwnd, WM_SIZING, static_cast<WPARAM>(edge),
                             reinterpret_cast<LPARAM>(&r));
            }
            // The loop works as the screen shows the window; the call takes the caller's view.
            WindowObject* now = windowQuiet(hwnd);
            if (!now) return user::CaptureStep::Done;
            const RECT to = user::parentFlip(*now, r);
            SetWindowPos(hwnd, HWND(), to.left, to.top, to.right - to.left, to.bottom - to.top,
                         SWP_NOZORDER | SWP_NOACTIVATE | (moving ? SWP_NOSIZE : 0));
            return msg.message == WM_LBUTTONUP ? user::CaptureStep::Done : user::CaptureStep::Taken;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == static_cast<WPARAM>(VK_ESCAPE)) {
            cancelled = true;
            return user::CaptureStep::Done;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == static_cast<WPARAM>(VK_RETURN))
            return user::CaptureStep::Done;
        // The keyboard belongs to the loop.
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR)
            return user::CaptureStep::Taken;
        return user::CaptureStep::Pass;
    });
    if (cancelled && windowQuiet(hwnd)) {
        const RECT back = user::parentFlip(*windowQuiet(hwnd), start);
        SetWindowPos(hwnd, HWND(), back.left, back.top, back.right - back.left,
                     back.bottom - back.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    user::state().moveSize = 0;
    SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

void print(HWND hwnd, HDC hdc, LPARAM flags) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w) return;
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd)) return;
    const int saved = SaveDC(hdc);
    if (flags & PRF_NONCLIENT) {
        user::ncPaint(*w, hdc);
        OffsetViewportOrgEx(hdc, w->client.left, w->client.top, nullptr);
    }
    // An inverted client rectangle prints nothing.
    RECT client = w->clientRect();
    client.right = std::max<LONG>(client.right, 0);
    client.bottom = std::max<LONG>(client.bottom, 0);
    IntersectClipRect(hdc, client.left, client.top, client.right, client.bottom);
    if (flags & PRF_ERASEBKGND) SendMessageW(hwnd, WM_ERASEBKGND, hdc.value, 0);
    if ((flags & PRF_CLIENT) && windowQuiet(hwnd))
        SendMessageW(hwnd, WM_PRINTCLIENT, hdc.value, flags);
    if ((flags & PRF_CHILDREN) && (w = windowQuiet(hwnd))) {
        // Bottom of the z-order first, so that the top child ends up on top.
        auto children = user::childHandles(*w);
        std::reverse(children.begin(), children.end());
        for (HWND c : children) {
            WindowObject* cw = windowQuiet(c);
            if (!cw || !cw->visibleStyle()) continue;
            const int inner = SaveDC(hdc);
            OffsetViewportOrgEx(hdc, cw->rect.left, cw->rect.top, nullptr);
            IntersectClipRect(hdc, 0, 0, cw->width(), cw->height());
            SendMessageW(c, WM_PRINT, hdc.value, flags | PRF_NONCLIENT);
            RestoreDC(hdc, inner);
        }
    }
    RestoreDC(hdc, saved);
}

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowObject* w = user::window(hwnd);
    if (!w) return 0;
    switch (msg) {
        case WM_NCCREATE: {
            auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
            if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
            w->hscroll.shown = w->style & WS_HSCROLL;
            w->vscroll.shown = w->style & WS_VSCROLL;
            return TRUE;
        }
        case WM_NCCALCSIZE: {
            auto* rc = reinterpret_cast<RECT*>(lParam);
            if (!rc) return 0;
            RECT client;
            user::calcClient(*w, *rc, client);
            *rc = client;
            return 0;
        }
        case WM_NCHITTEST:
            return user::ncHitTest(*w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_NCPAINT: {
            if (!user::reallyVisible(*w)) return 0;
            HDC hdc = GetWindowDC(hwnd);
            // The frame is laid out left to right and drawn through a mirrored DC when the
            // window's frame is mirrored.
            SetLayout(hdc, user::frameMirrored(*w) ? LAYOUT_RTL : 0);
            // The client area is left alone.
            if (w->client.right > w->client.left && w->client.bottom > w->client.top) {
                const RECT c = user::frameMirrored(*w)
                                   ? RECT{w->width() - w->client.right, w->client.top,
                                          w->width() - w->client.left, w->client.bottom}
                                   : w->client;
                ExcludeClipRect(hdc, c.left, c.top, c.right, c.bottom);
            }
            user::ncPaint(*w, hdc);
            ReleaseDC(hwnd, hdc);
            return 0;
        }
        case WM_NCACTIVATE:
            w->ncActive = wParam != 0;
            if ((w->style & WS_CAPTION) == WS_CAPTION || (w->style & WS_THICKFRAME)) {
                w->ncPaintPending = true;
                w->internalPaint = true;
                user::paintChanged(*w);
            }
            return TRUE;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: {
            HBRUSH brush = w->cls ? w->cls->background : HBRUSH();
            if (!brush) return 0;
            RECT rc = w->clientRect();
            FillRect(HDC(static_cast<std::uint32_t>(wParam)), &rc, brush);
            return 1;
        }
        case WM_PRINT:
            print(hwnd, HDC(static_cast<std::uint32_t>(wParam)), lParam);
            return 0;
        case WM_SETTEXT: {
            const auto* text = reinterpret_cast<LPCWSTR>(lParam);
            w->text = text ? text : u"";
            if ((w->style & WS_CAPTION) == WS_CAPTION) {
                w->ncPaintPending = w->internalPaint = true;
                user::paintChanged(*w);
            }
            return TRUE;
        }
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<LPWSTR>(lParam);
            if (!buffer || wParam == 0) return 0;
            const std::size_t n = std::min<std::size_t>(w->text.size(), wParam - 1);
            std::copy_n(w->text.data(), n, buffer);
            buffer[n] = 0;
            return static_cast<LRESULT>(n);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(w->text.size());
        case WM_SETCURSOR:
            return setCursor(hwnd, *w, wParam, lParam);
        case WM_MOUSEACTIVATE:
            if (w->isChild()) {
                if (const LRESULT r =
                        SendMessageW(HWND(w->parent), WM_MOUSEACTIVATE, wParam, lParam))
                    return r;
            }
            return MA_ACTIVATE;
        case WM_IME_COMPOSITION:
            // Committed input-method text arrives as characters.
            if (lParam & GCS_RESULTSTR) {
                const HIMC himc = ImmGetContext(hwnd);
                std::u16string result(
                    static_cast<std::size_t>(std::max<LONG>(
                        0, ImmGetCompositionStringW(himc, GCS_RESULTSTR, nullptr, 0))) /
                        sizeof(char16_t),
                    u'\0');
                ImmGetCompositionStringW(himc, GCS_RESULTSTR, result.data(),
                                         static_cast<DWORD>(result.size() * sizeof(char16_t)));
                ImmReleaseContext(hwnd, himc);
                for (char16_t c : result)
                    PostMessageW(hwnd, WM_IME_CHAR, c, 1);
            }
            return 0;
        case WM_RBUTTONUP: {
            // Releasing the right button asks for a context menu, at the pointer on the screen.
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(hwnd, &at);
            SendMessageW(hwnd, WM_CONTEXTMENU, static_cast<WPARAM>(hwnd.value),
                         MAKELPARAM(at.x, at.y));
            return 0;
        }
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
        case WM_CONTEXTMENU:
        case WM_HELP:
            // Passed up the parent chain until someone handles it.
            return w->isChild() ? SendMessageW(HWND(w->parent), msg, wParam, lParam) : 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(hwnd);
            return 0;
        case WM_WINDOWPOSCHANGING:
            clampToTrackSize(hwnd, *w, reinterpret_cast<WINDOWPOS*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGED: {
            const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!wp) return 0;
            if (!(wp->flags & SWP_NOCLIENTMOVE)) {
                const POINT at = user::logicalClientOrigin(*w);
                SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(at.x, at.y));
                if (!(w = windowQuiet(hwnd))) return 0;
            }
            // A change of state is told even when the client size stays; a minimised window
            // reports no size.
            if (!(wp->flags & SWP_NOCLIENTSIZE) || (wp->flags & SWP_STATECHANGED)) {
                if (w->style & WS_MINIMIZE) {
                    SendMessageW(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
                } else {
                    SendMessageW(hwnd, WM_SIZE,
                                 (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                                 MAKELPARAM(w->client.right - w->client.left,
                                            w->client.bottom - w->client.top));
                }
            }
            return 0;
        }
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_SYSTIMER:
            user::caretBlink(hwnd, wParam);
            return 0;
        case WM_SYSCOMMAND:
            // A disabled window takes no system commands.
            if (!IsWindowEnabled(hwnd)) return 0;
            switch (wParam & 0xFFF0) {
                case SC_CLOSE:
                    SendMessageW(hwnd, WM_CLOSE, 0, 0);
                    return 0;
                case SC_MINIMIZE:
                    ShowWindow(hwnd, SW_MINIMIZE);
                    return 0;
                case SC_MAXIMIZE:
                    ShowWindow(hwnd, SW_MAXIMIZE);
                    return 0;
                case SC_RESTORE:
                    ShowWindow(hwnd, SW_RESTORE);
                    return 0;
                case SC_MOVE:
                case SC_SIZE:
                    moveSizeLoop(hwnd, wParam, lParam);
                    return 0;
                case SC_VSCROLL:
                case SC_HSCROLL:
                    user::trackScrollBar(hwnd, (wParam & 0xFFF0) == SC_VSCROLL,
                                         POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                    return 0;
                case SC_KEYMENU:
                    menus::keyMenu(hwnd, static_cast<char16_t>(lParam));
                    return 0;
                case SC_MOUSEMENU:
                    menus::mouseMenu(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                    return 0;
            }
            return 0;
        case WM_SYSKEYDOWN:
            // Alt or F10 pressed alone opens the menu bar when released; any other key
            // pressed meanwhile cancels that.
            user::state().altMenuPending =
                (wParam == static_cast<WPARAM>(VK_MENU) || wParam == static_cast<WPARAM>(VK_F10))
                    ? (user::state().altMenuPending || !(lParam & (1 << 30)))
                    : false;
            // Alt+F4 closes the top-level window.
            if (wParam == 0x73 && (lParam & (1 << 29))) {
                PostMessageW(GetAncestor(hwnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case WM_KEYDOWN:
            user::state().altMenuPending = false;
            return 0;
        case WM_SYSKEYUP:
            if ((wParam == static_cast<WPARAM>(VK_MENU) || wParam == static_cast<WPARAM>(VK_F10)) &&
                user::state().altMenuPending) {
                user::state().altMenuPending = false;
                SendMessageW(hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
            }
            return 0;
        case WM_SYSCHAR:
            // Alt+letter opens the bar item with that mnemonic, Alt+Space the window menu
            // (a child passes Alt+Space to its parent).
            if ((lParam & (1 << 29)) && wParam != u'\t' && wParam != 0x1B && wParam != u'\r') {
                if (wParam == u' ' && w->isChild())
                    SendMessageW(HWND(w->parent), msg, wParam, lParam);
                else
                    SendMessageW(hwnd, WM_SYSCOMMAND, SC_KEYMENU, wParam);
            }
            return 0;
        case WM_NCLBUTTONDOWN:
            // The caption moves the window and the sizing frame sizes it (SC_MOVE + HTCAPTION,
            // SC_SIZE + the WMSZ_ edge, as Windows numbers them).
            if (static_cast<LRESULT>(wParam) == HTCAPTION) {
                SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
                return 0;
            }
            if (static_cast<LRESULT>(wParam) >= HTLEFT &&
                static_cast<LRESULT>(wParam) <= HTBOTTOMRIGHT) {
                SendMessageW(hwnd, WM_SYSCOMMAND,
                             SC_SIZE + static_cast<WPARAM>(wParam - HTLEFT + 1), lParam);
                return 0;
            }
            switch (static_cast<LRESULT>(wParam)) {
                case HTMENU:
                    SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU + HTMENU, lParam);
                    return 0;
                // Caption buttons act when released over them.
                case HTCLOSE:
                    if (user::trackCaptionButton(hwnd, HTCLOSE))
                        SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
                    return 0;
                case HTMAXBUTTON:
                    if (user::trackCaptionButton(hwnd, HTMAXBUTTON) && (w = windowQuiet(hwnd)))
                        SendMessageW(hwnd, WM_SYSCOMMAND,
                                     (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lParam);
                    return 0;
                case HTMINBUTTON:
                    if (user::trackCaptionButton(hwnd, HTMINBUTTON))
                        SendMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, lParam);
                    return 0;
                case HTVSCROLL:
                    SendMessageW(hwnd, WM_SYSCOMMAND, SC_VSCROLL | HTVSCROLL, lParam);
                    return 0;
                case HTHSCROLL:
                    SendMessageW(hwnd, WM_SYSCOMMAND, SC_HSCROLL | HTHSCROLL, lParam);
                    return 0;
            }
            return 0;
        case WM_NCLBUTTONDBLCLK:
            if (static_cast<LRESULT>(wParam) == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
                SendMessageW(hwnd, WM_SYSCOMMAND,
                             (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lParam);
            else if (static_cast<LRESULT>(wParam) == HTVSCROLL ||
                     static_cast<LRESULT>(wParam) == HTHSCROLL)
                return DefWindowProcW(hwnd, WM_NCLBUTTONDOWN, wParam, lParam);  // another press
            return 0;
        case WM_SETREDRAW:
            // Redraw off is the visible bit cleared without a repaint, as Windows does it.
            if (wParam)
                w->style |= WS_VISIBLE;
            else
                w->style &= ~WS_VISIBLE;
            user::bumpVersion();
            return 0;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return ctlColor(msg, HDC(static_cast<std::uint32_t>(wParam)));
        case WM_CANCELMODE:
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        case WM_NOTIFYFORMAT:
            return NFR_UNICODE;
        case WM_GETICON:
            return static_cast<LRESULT>((wParam == ICON_BIG ? w->iconBig : w->iconSmall).value);
        case WM_SETICON: {
            HICON& slot = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
            const HICON old = slot;
            slot = HICON(static_cast<std::uint32_t>(lParam));
            return static_cast<LRESULT>(old.value);
        }
        default:
            return 0;
    }
}

}  // namespace orvane::platform
