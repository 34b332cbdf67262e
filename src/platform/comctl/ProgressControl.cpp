#include "platform/comctl/ProgressControl.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "platform/base/LastError.h"
#include "platform/gdi/FillSolid.h"
#include "platform/gdi/Gdi.h"
#include "platform/theme/Theme.h"
#include "platform/user/User.h"
#include "platform/user/WindowClass.h"

namespace orvane::platform {

namespace {

constexpr DWORD kKnownStyles = PBS_SMOOTH | PBS_VERTICAL | PBS_MARQUEE | PBS_SMOOTHREVERSE;
constexpr COLORREF kDefault = 0xFF000000;  // CLR_DEFAULT

}  // namespace

void ProgressControl::registerClass() {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = wndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.lpszClassName = PROGRESS_CLASSW;
    WindowClass::registerSystem(wc);
}

LRESULT ProgressControl::wndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ProgressControl*>(GetWindowLongPtrW(hwnd, 0));
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if ((static_cast<DWORD>(cs->style) & 0xFFFF & ~kKnownStyles) != 0) {
            ReportUnsupported("CreateWindowExW(msctls_progress32)", "styles", ERROR_INVALID_FLAGS);
            return FALSE;
        }
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new ProgressControl(hwnd)));
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, 0, 0);
        delete self;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->dispatch(msg, wParam, lParam);
}

DWORD ProgressControl::style() const {
    return static_cast<DWORD>(GetWindowLongW(m_hwnd, GWL_STYLE));
}

int ProgressControl::setPosition(int pos) {
    const int old = m_pos;
    pos = std::clamp(pos, std::min(m_low, m_high), std::max(m_low, m_high));
    if (pos != m_pos) {
        m_pos = pos;
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
    return old;
}

LRESULT ProgressControl::setRange(int low, int high) {
    const LRESULT old =
        static_cast<LRESULT>(MAKELONG(static_cast<WORD>(m_low), static_cast<WORD>(m_high)));
    m_low = low;
    m_high = high;
    m_pos = std::clamp(m_pos, std::min(low, high), std::max(low, high));
    InvalidateRect(m_hwnd, nullptr, FALSE);
    return old;
}

LRESULT ProgressControl::dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case PBM_SETRANGE:
            return setRange(LOWORD(lParam), HIWORD(lParam));
        case PBM_SETRANGE32:
            return setRange(static_cast<int>(wParam), static_cast<int>(lParam));
        case PBM_GETRANGE:
            if (lParam) {
                auto* r = reinterpret_cast<PBRANGE*>(lParam);
                r->iLow = m_low;
                r->iHigh = m_high;
            }
            return wParam ? m_low : m_high;
        case PBM_SETPOS:
            return setPosition(static_cast<int>(wParam));
        case PBM_DELTAPOS:
            return setPosition(m_pos + static_cast<int>(wParam));
        case PBM_GETPOS:
            return m_pos;
        case PBM_SETSTEP:
            return std::exchange(m_step, static_cast<int>(wParam));
        case PBM_GETSTEP:
            return m_step;
        case PBM_STEPIT: {
            // Past the top the position starts again from the bottom.
            const long long range = static_cast<long long>(m_high) - m_low;
            long long next = static_cast<long long>(m_pos) + m_step;
            if (range > 0 && next > m_high) next = m_low + (next - m_high) % range;
            return setPosition(static_cast<int>(std::clamp<long long>(
                next, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
        }
        case PBM_SETBARCOLOR: {
            const COLORREF old = std::exchange(m_barColor, static_cast<COLORREF>(lParam));
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return static_cast<LRESULT>(old);
        }
        case PBM_GETBARCOLOR:
            return static_cast<LRESULT>(m_barColor);
        case PBM_SETBKCOLOR: {
            const COLORREF old = std::exchange(m_backColor, static_cast<COLORREF>(lParam));
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return static_cast<LRESULT>(old);
        }
        case PBM_GETBKCOLOR:
            return static_cast<LRESULT>(m_backColor);
        case PBM_SETSTATE: {
            const int state = static_cast<int>(wParam);
            if (state < PBST_NORMAL || state > PBST_PAUSED) return 0;
            const int old = std::exchange(m_state, state);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return old;
        }
        case PBM_GETSTATE:
            return m_state;
        case PBM_SETMARQUEE:
            m_marquee = wParam != 0;
            if (m_marquee)
                SetTimer(m_hwnd, kMarqueeTimer, lParam > 0 ? static_cast<UINT>(lParam) : 30u,
                         nullptr);
            else
                KillTimer(m_hwnd, kMarqueeTimer);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return TRUE;
        case WM_TIMER:
            if (wParam == kMarqueeTimer) {
                m_marqueeTick = (m_marqueeTick + 1) % kMarqueeSteps;
                InvalidateRect(m_hwnd, nullptr, FALSE);
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(m_hwnd, &ps);
            paint(dc);
            EndPaint(m_hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            paint(HDC(static_cast<std::uint32_t>(wParam)));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

void ProgressControl::paint(HDC dc) {
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    const DWORD s = style();
    const bool vertical = s & PBS_VERTICAL;
    const HTHEME theme = OpenThemeData(m_hwnd, u"Progress");
    RECT track = client;
    if (theme) {
        DrawThemeBackground(theme, dc, vertical ? PP_BARVERT : PP_BAR, 1, &client, nullptr);
        GetThemeBackgroundContentRect(theme, dc, vertical ? PP_BARVERT : PP_BAR, 1, &client,
                                      &track);
    } else {
        FillSolid(dc, client, m_backColor == kDefault ? GetSysColor(COLOR_BTNFACE) : m_backColor);
        InflateRect(&track, -1, -1);
    }
    const int length = vertical ? track.bottom - track.top : track.right - track.left;
    if (length <= 0) {
        if (theme) CloseThemeData(theme);
        return;
    }
    // The filled span along the track, from its start (left, or bottom when vertical).
    int from = 0, to = 0;
    if ((s & PBS_MARQUEE) && m_marquee) {
        const int piece = std::max(8, length / 4);
        from = -piece + (length + piece) * m_marqueeTick / kMarqueeSteps;
        to = from + piece;
    } else if (m_high != m_low) {
        const double f = static_cast<double>(m_pos - m_low) / (static_cast<double>(m_high) - m_low);
        to = static_cast<int>(length * std::clamp(f, 0.0, 1.0) + 0.5);
    }
    from = std::clamp(from, 0, length);
    to = std::clamp(to, 0, length);
    auto span = [&](int a, int b) {
        return vertical ? RECT{track.left, track.bottom - b, track.right, track.bottom - a}
                        : RECT{track.left + a, track.top, track.left + b, track.bottom};
    };
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, track.left, track.top, track.right, track.bottom);
    if (theme) {
        if (to > from) {
            const RECT bar = span(from, to);
            DrawThemeBackground(theme, dc, vertical ? PP_FILLVERT : PP_FILL, m_state, &bar,
                                nullptr);
        }
        CloseThemeData(theme);
    } else {
        const COLORREF colour = m_barColor == kDefault ? GetSysColor(COLOR_HIGHLIGHT) : m_barColor;
        if (s & PBS_SMOOTH) {
            if (to > from) FillSolid(dc, span(from, to), colour);
        } else {
            // Whole blocks two thirds as long as the track is thick, two pixels apart: the last
            // one shows whole as soon as the position reaches into it.
            const int thick = vertical ? track.right - track.left : track.bottom - track.top;
            const int block = std::max(2, thick * 2 / 3), gap = 2;
            for (int a = from - from % (block + gap); a < to; a += block + gap)
                FillSolid(dc, span(std::max(a, from), a + block), colour);
        }
    }
    RestoreDC(dc, saved);
}

}  // namespace orvane::platform
