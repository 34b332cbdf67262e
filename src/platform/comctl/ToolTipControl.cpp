#include "platform/comctl/ToolTipControl.h"

#include <algorithm>

#include "platform/base/LastError.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/User.h"
#include "platform/user/WindowClass.h"

namespace orvane::platform {

namespace {

constexpr UINT_PTR kShowTimer = 1;  // the initial or reshow delay
constexpr UINT_PTR kPopTimer = 2;   // the autopop delay
constexpr UINT_PTR kPollTimer = 3;  // watches the pointer leave the tool
constexpr UINT kPollMs = 100;
constexpr UINT kKnownFlags = TTF_IDISHWND | TTF_CENTERTIP | TTF_RTLREADING | TTF_SUBCLASS |
                             TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT | TTF_DI_SETITEM;
constexpr DWORD kKnownStyles =
    TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_NOANIMATE | TTS_NOFADE | TTS_BALLOON;
constexpr std::size_t kMaxTitle = 99;

bool isMouseButtonMessage(UINT msg) {
    return msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK;
}

}  // namespace

void ToolTipControl::registerClass() {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = wndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.lpszClassName = TOOLTIPS_CLASSW;
    WindowClass::registerSystem(wc);
}

ToolTipControl::ToolTipControl(HWND hwnd)
    : m_hwnd(hwnd), m_back(GetSysColor(COLOR_INFOBK)), m_fore(GetSysColor(COLOR_INFOTEXT)) {}

ToolTipControl::~ToolTipControl() {
    if (m_titleIconCopy) DestroyIcon(m_titleIconCopy);
    if (m_titleFont) DeleteObject(m_titleFont);
    if (m_ownFont) DeleteObject(m_ownFont);
}

LRESULT ToolTipControl::wndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if ((static_cast<DWORD>(cs->style) & 0xFFFF & ~kKnownStyles) != 0) {
            ReportUnsupported("CreateWindowExW(tooltips_class32)", "styles (TTS_CLOSE)",
                              ERROR_INVALID_FLAGS);
            return FALSE;
        }
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new ToolTipControl(hwnd)));
        // A tip is a top-most pop-up without a frame that never takes activation; layered so
        // that a balloon can be shaped by a colour key.
        SetWindowLongW(hwnd, GWL_STYLE,
                       static_cast<LONG>((static_cast<DWORD>(cs->style) &
                                          ~(WS_CHILD | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) |
                                         WS_POPUP));
        SetWindowLongW(hwnd, GWL_EXSTYLE,
                       static_cast<LONG>(cs->dwExStyle | WS_EX_TOOLWINDOW | WS_EX_LAYERED));
        SetLayeredWindowAttributes(hwnd, 0, 255, 0);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return runControlMessage<ToolTipControl>(hwnd, msg, wParam, lParam);
}

LRESULT ToolTipControl::relayProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                  DWORD_PTR ref) {
    if (msg == WM_MOUSEMOVE || isMouseButtonMessage(msg)) {
        MSG m;
        m.hwnd = hwnd;
        m.message = msg;
        m.wParam = wParam;
        m.lParam = lParam;
        m.time = static_cast<DWORD>(GetMessageTime());
        const DWORD pos = GetMessagePos();
        m.pt =
            POINT{GET_X_LPARAM(static_cast<LPARAM>(pos)), GET_Y_LPARAM(static_cast<LPARAM>(pos))};
        SendMessageW(HWND(static_cast<std::uint32_t>(ref)), TTM_RELAYEVENT, 0,
                     reinterpret_cast<LPARAM>(&m));
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, relayProc, id);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT ToolTipControl::dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* ti = reinterpret_cast<TOOLINFOW*>(lParam);
    switch (msg) {
        case WM_CREATE:
            ensureFonts();
            // Top-most: only SetWindowPos puts a window in that band.
            SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
            return 0;
        case WM_DESTROY:
            KillTimer(m_hwnd, kShowTimer);
            KillTimer(m_hwnd, kPopTimer);
            KillTimer(m_hwnd, kPollTimer);
            for (const Tool& t : m_tools)
                if (t.flags & TTF_SUBCLASS)
                    RemoveWindowSubclass(subclassTarget(t), relayProc, m_hwnd.value);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(m_hwnd, &ps);
            if (dc) paint(dc);
            EndPaint(m_hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            // The tip never takes the mouse: what lies beneath keeps receiving it.
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_SETFONT:
            m_font = wParam ? HFONT(static_cast<std::uint32_t>(wParam)) : m_ownFont;
            if (m_titleFont) DeleteObject(m_titleFont);
            m_titleFont = HFONT();
            if (m_shown) place(m_anchor);
            if (lParam) InvalidateRect(m_hwnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return static_cast<LRESULT>(m_font.value);
        case WM_STYLECHANGED:
            if (m_shown && wParam == static_cast<WPARAM>(GWL_STYLE)) place(m_anchor);
            return 0;

        case TTM_ACTIVATE:
            m_active = wParam != 0;
            if (!m_active) {
                m_tracking = false;
                hide();
                m_current.reset();
            }
            return 0;
        case TTM_SETDELAYTIME:
            setDelay(wParam, lParam);
            return 0;
        case TTM_GETDELAYTIME:
            if (wParam > TTDT_INITIAL) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return 0;
            }
            return delay(wParam);
        case TTM_ADDTOOLW:
            return addTool(ti);
        case TTM_DELTOOLW:
            delTool(ti);
            return 0;
        case TTM_NEWTOOLRECTW:
            if (auto i = findTool(ti)) m_tools[*i].rect = ti->rect;
            return 0;
        case TTM_RELAYEVENT:
            if (lParam) relay(*reinterpret_cast<const MSG*>(lParam));
            return 0;
        case TTM_GETTOOLINFOW:
            if (auto i = findTool(ti)) {
                copyTool(m_tools[*i], *ti);
                return TRUE;
            }
            return FALSE;
        case TTM_SETTOOLINFOW:
            setToolInfo(ti);
            return 0;
        case TTM_HITTESTW:
            return hitTestMsg(reinterpret_cast<TTHITTESTINFOW*>(lParam));
        case TTM_GETTEXTW:
            if (auto i = findTool(ti); i && ti->lpszText && wParam > 0) {
                const HWND h = m_tools[*i].hwnd;
                const UINT_PTR id = m_tools[*i].id;
                const std::u16string text = textOf(*i);
                if (lifetime.dead || !find(h, id)) return 0;
                const std::size_t n = std::min<std::size_t>(text.size(), wParam - 1);
                std::copy_n(text.data(), n, ti->lpszText);
                ti->lpszText[n] = 0;
            }
            return 0;
        case TTM_UPDATETIPTEXTW:
            if (auto i = findTool(ti)) {
                Tool updated = m_tools[*i];
                updated.callback = ti->lpszText == LPSTR_TEXTCALLBACKW;
                if (!updated.callback && ti->lpszText && IS_INTRESOURCE(ti->lpszText)) {
                    ReportUnsupported("TTM_UPDATETIPTEXTW", "string resources");
                    return 0;
                }
                updated.text = updated.callback || !ti->lpszText ? u"" : ti->lpszText;
                updated.hinst = ti->hinst;
                m_tools[*i] = updated;
                if (m_shown && m_current == *i) {
                    m_shownText = textOf(*i);
                    if (lifetime.dead) return 0;
                    place(m_anchor);
                }
            }
            return 0;
        case TTM_GETTOOLCOUNT:
            return static_cast<LRESULT>(m_tools.size());
        case TTM_ENUMTOOLSW:
            if (!validSize(ti) || wParam >= m_tools.size()) return FALSE;
            copyTool(m_tools[wParam], *ti);
            return TRUE;
        case TTM_GETCURRENTTOOLW:
            if (!m_shown || !m_current) return FALSE;
            if (ti) {
                if (!validSize(ti)) return FALSE;
                copyTool(m_tools[*m_current], *ti);
            }
            return TRUE;
        case TTM_TRACKACTIVATE:
            trackActivate(wParam != 0, ti);
            return 0;
        case TTM_TRACKPOSITION:
            trackPosition(lParam);
            return 0;
        case TTM_SETTIPBKCOLOR:
            m_back = static_cast<COLORREF>(wParam) & 0xFFFFFF;
            if (m_shown) applyShape();
            InvalidateRect(m_hwnd, nullptr, TRUE);
            return 0;
        case TTM_SETTIPTEXTCOLOR:
            m_fore = static_cast<COLORREF>(wParam) & 0xFFFFFF;
            if (m_shown) applyShape();
            InvalidateRect(m_hwnd, nullptr, TRUE);
            return 0;
        case TTM_GETTIPBKCOLOR:
            return static_cast<LRESULT>(m_back);
        case TTM_GETTIPTEXTCOLOR:
            return static_cast<LRESULT>(m_fore);
        case TTM_SETMAXTIPWIDTH: {
            const int previous = m_maxWidth;
            m_maxWidth = static_cast<int>(lParam);
            if (m_shown) place(m_anchor);
            return previous;
        }
        case TTM_GETMAXTIPWIDTH:
            return m_maxWidth;
        case TTM_SETMARGIN:
            if (lParam) m_margin = *reinterpret_cast<const RECT*>(lParam);
            if (m_shown) place(m_anchor);
            return 0;
        case TTM_GETMARGIN:
            if (lParam) *reinterpret_cast<RECT*>(lParam) = m_margin;
            return 0;
        case TTM_POP:
            m_tracking = false;
            hide();
            return 0;
        case TTM_POPUP:
            popup();
            return 0;
        case TTM_UPDATE:
            if (m_shown) place(m_anchor);
            return 0;
        case TTM_GETBUBBLESIZE:
            if (auto i = findTool(ti)) {
                const HWND h = m_tools[*i].hwnd;
                const UINT_PTR id = m_tools[*i].id;
                const std::u16string text = textOf(*i);
                if (lifetime.dead) return 0;
                auto j = find(h, id);
                if (!j) return 0;
                const Layout l = layout(text, &m_tools[*j], false, 0);
                return MAKELONG(static_cast<WORD>(l.window.cx), static_cast<WORD>(l.window.cy));
            }
            return 0;
        case TTM_ADJUSTRECT:
            return adjustRect(wParam != 0, reinterpret_cast<RECT*>(lParam));
        case TTM_SETTITLEW: {
            // A value above the standard icons is an icon handle, of which the control keeps a
            // copy.
            HICON copy;
            if (wParam > TTI_ERROR_LARGE) {
                copy = CopyIcon(HICON(static_cast<std::uint32_t>(wParam)));
                if (!copy) return FALSE;
            }
            if (m_titleIconCopy) DestroyIcon(m_titleIconCopy);
            m_titleIconCopy = copy;
            m_titleIcon = static_cast<UINT>(wParam);
            m_title = lParam ? std::u16string(reinterpret_cast<LPCWSTR>(lParam)) : u"";
            if (m_title.size() > kMaxTitle) m_title.resize(kMaxTitle);
            if (m_shown) place(m_anchor);
            return TRUE;
        }
        case TTM_GETTITLE: {
            auto* gt = reinterpret_cast<TTGETTITLE*>(lParam);
            if (!gt || gt->dwSize != sizeof(TTGETTITLE)) return 0;
            gt->uTitleBitmap = m_titleIcon;
            if (gt->pszTitle && gt->cch > 0) {
                const std::size_t n = std::min<std::size_t>(m_title.size(), gt->cch - 1);
                std::copy_n(m_title.data(), n, gt->pszTitle);
                gt->pszTitle[n] = 0;
            }
            return 0;
        }
        case TTM_ADDTOOLA:
        case TTM_DELTOOLA:
        case TTM_NEWTOOLRECTA:
        case TTM_GETTOOLINFOA:
        case TTM_SETTOOLINFOA:
        case TTM_HITTESTA:
        case TTM_GETTEXTA:
        case TTM_UPDATETIPTEXTA:
        case TTM_ENUMTOOLSA:
        case TTM_GETCURRENTTOOLA:
        case TTM_SETTITLEA:
            ReportUnsupported("tooltips_class32", "ANSI messages");
            return 0;
        case TTM_WINDOWFROMPOINT:
        case TTM_SETWINDOWTHEME:
            ReportUnsupported("tooltips_class32", "TTM_WINDOWFROMPOINT and TTM_SETWINDOWTHEME");
            return 0;
        default:
            break;
    }
    if (msg >= WM_USER && msg <= TTM_GETCURRENTTOOLW) {
        ReportUnsupported("tooltips_class32", "message", ERROR_INVALID_MESSAGE);
        return 0;
    }
    if (msg == WM_MOUSEMOVE || isMouseButtonMessage(msg)) return 0;
    return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

// Tools.

bool ToolTipControl::validSize(const TOOLINFOW* ti) {
    if (ti && (ti->cbSize == TTTOOLINFOW_V1_SIZE || ti->cbSize == TTTOOLINFOW_V2_SIZE ||
               ti->cbSize == TTTOOLINFOW_V3_SIZE || ti->cbSize == sizeof(TOOLINFOW)))
        return true;
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
}

std::optional<std::size_t> ToolTipControl::find(HWND hwnd, UINT_PTR id) const {
    for (std::size_t i = 0; i < m_tools.size(); ++i)
        if (m_tools[i].hwnd == hwnd && m_tools[i].id == id) return i;
    return std::nullopt;
}

std::optional<std::size_t> ToolTipControl::findTool(const TOOLINFOW* ti) const {
    if (!validSize(ti)) return std::nullopt;
    return find(ti->hwnd, ti->uId);
}

bool ToolTipControl::readTool(const TOOLINFOW& ti, Tool& tool) const {
    if (ti.uFlags & ~kKnownFlags) {
        ReportUnsupported("TTM_ADDTOOLW", "tool flags (TTF_PARSELINKS)", ERROR_INVALID_FLAGS);
        return false;
    }
    if (ti.lpszText && ti.lpszText != LPSTR_TEXTCALLBACKW && IS_INTRESOURCE(ti.lpszText)) {
        ReportUnsupported("TTM_ADDTOOLW", "string resources as tool text");
        return false;
    }
    tool.flags = ti.uFlags;
    tool.hwnd = ti.hwnd;
    tool.id = ti.uId;
    tool.rect = ti.rect;
    tool.hinst = ti.hinst;
    tool.callback = ti.lpszText == LPSTR_TEXTCALLBACKW;
    tool.text = tool.callback || !ti.lpszText ? u"" : ti.lpszText;
    tool.lParam = ti.cbSize >= TTTOOLINFOW_V2_SIZE ? ti.lParam : 0;
    return true;
}

void ToolTipControl::copyTool(const Tool& tool, TOOLINFOW& ti) const {
    ti.uFlags = tool.flags;
    ti.hwnd = tool.hwnd;
    ti.uId = tool.id;
    ti.rect = tool.rect;
    ti.hinst = tool.hinst;
    if (tool.callback) {
        ti.lpszText = LPSTR_TEXTCALLBACKW;
    } else if (ti.lpszText && ti.lpszText != LPSTR_TEXTCALLBACKW) {
        // As on Windows, the caller's buffer must hold the whole text.
        std::copy(tool.text.begin(), tool.text.end(), ti.lpszText);
        ti.lpszText[tool.text.size()] = 0;
    }
    if (ti.cbSize >= TTTOOLINFOW_V2_SIZE) ti.lParam = tool.lParam;
}

HWND ToolTipControl::subclassTarget(const Tool& tool) {
    return (tool.flags & TTF_IDISHWND) ? HWND(static_cast<std::uint32_t>(tool.id)) : tool.hwnd;
}

void ToolTipControl::updateSubclass(HWND target) {
    const bool needed = std::any_of(m_tools.begin(), m_tools.end(), [&](const Tool& t) {
        return (t.flags & TTF_SUBCLASS) && subclassTarget(t) == target;
    });
    if (needed && IsWindow(target))
        SetWindowSubclass(target, relayProc, m_hwnd.value, m_hwnd.value);
    else if (!needed && IsWindow(target))
        RemoveWindowSubclass(target, relayProc, m_hwnd.value);
}

LRESULT ToolTipControl::addTool(const TOOLINFOW* ti) {
    if (!validSize(ti)) return FALSE;
    Tool tool;
    if (!readTool(*ti, tool)) return FALSE;
    m_tools.push_back(tool);
    if (tool.flags & TTF_SUBCLASS) updateSubclass(subclassTarget(tool));
    return TRUE;
}

void ToolTipControl::delTool(const TOOLINFOW* ti) {
    auto i = findTool(ti);
    if (!i) return;
    if (m_current == *i) {
        m_tracking = false;
        const HWND h = ti->hwnd;
        const UINT_PTR id = ti->uId;
        hide();
        if (lifetime.dead) return;
        m_current.reset();
        KillTimer(m_hwnd, kShowTimer);
        KillTimer(m_hwnd, kPollTimer);
        i = find(h, id);
        if (!i) return;
    }
    const HWND target = subclassTarget(m_tools[*i]);
    m_tools.erase(m_tools.begin() + static_cast<std::ptrdiff_t>(*i));
    if (m_current && *m_current > *i) m_current = *m_current - 1;
    updateSubclass(target);
}

LRESULT ToolTipControl::setToolInfo(const TOOLINFOW* ti) {
    auto i = findTool(ti);
    if (!i) return FALSE;
    Tool tool;
    if (!readTool(*ti, tool)) return FALSE;
    const HWND oldTarget = subclassTarget(m_tools[*i]);
    m_tools[*i] = tool;
    updateSubclass(oldTarget);
    updateSubclass(subclassTarget(tool));
    if (m_shown && m_current == *i) {
        m_shownText = textOf(*i);
        if (lifetime.dead) return FALSE;
        place(m_anchor);
    }
    return TRUE;
}

LRESULT ToolTipControl::hitTestMsg(TTHITTESTINFOW* info) {
    if (!info) return FALSE;
    auto i = toolAt(info->hwnd, info->pt);
    if (!i) return FALSE;
    if (info->ti.cbSize == 0) info->ti.cbSize = TTTOOLINFOW_V1_SIZE;
    if (validSize(&info->ti)) copyTool(m_tools[*i], info->ti);
    return TRUE;
}

std::optional<std::size_t> ToolTipControl::toolAt(HWND hwnd, POINT client) const {
    for (std::size_t i = 0; i < m_tools.size(); ++i) {
        const Tool& t = m_tools[i];
        if (t.flags & TTF_TRACK) continue;
        if (t.flags & TTF_IDISHWND) {
            if (HWND(static_cast<std::uint32_t>(t.id)) == hwnd) return i;
        } else if (t.hwnd == hwnd && PtInRect(&t.rect, client)) {
            return i;
        }
    }
    return std::nullopt;
}

std::u16string ToolTipControl::textOf(std::size_t index) {
    const Tool tool = m_tools[index];
    if (!tool.callback) return tool.text;
    NMTTDISPINFOW info;
    info.hdr.hwndFrom = m_hwnd;
    info.hdr.idFrom = tool.id;
    info.hdr.code = TTN_GETDISPINFOW;
    info.lpszText = info.szText;
    info.hinst = tool.hinst;
    info.uFlags = tool.flags;
    info.lParam = tool.lParam;
    SendMessageW(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    if (lifetime.dead) return {};
    std::u16string text;
    if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKW) {
        if (IS_INTRESOURCE(info.lpszText)) {
            ReportUnsupported("TTN_GETDISPINFOW", "string resources as tool text");
        } else {
            text = info.lpszText;
        }
    }
    if (info.uFlags & TTF_DI_SETITEM) {
        // The owner asks the control to keep this text from now on.
        if (auto i = find(tool.hwnd, tool.id)) {
            m_tools[*i].text = text;
            m_tools[*i].callback = false;
        }
    }
    return text;
}

// Delays.

UINT ToolTipControl::delay(WPARAM which) const {
    const UINT dbl = GetDoubleClickTime();
    switch (which) {
        case TTDT_RESHOW:
            return m_delays[TTDT_RESHOW] >= 0 ? static_cast<UINT>(m_delays[TTDT_RESHOW]) : dbl / 5;
        case TTDT_AUTOPOP:
            return m_delays[TTDT_AUTOPOP] >= 0 ? static_cast<UINT>(m_delays[TTDT_AUTOPOP])
                                               : dbl * 10;
        default:
            return m_delays[TTDT_INITIAL] >= 0 ? static_cast<UINT>(m_delays[TTDT_INITIAL]) : dbl;
    }
}

void ToolTipControl::setDelay(WPARAM which, LPARAM value) {
    if (which > TTDT_INITIAL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return;
    }
    // The low word is the time; 0xFFFF (-1) returns to the default.
    const WORD ms = LOWORD(static_cast<std::uintptr_t>(value));
    const int v = ms == 0xFFFF ? -1 : ms;
    if (which == TTDT_AUTOMATIC) {
        m_delays[TTDT_INITIAL] = v;
        m_delays[TTDT_AUTOPOP] = v < 0 ? -1 : v * 10;
        m_delays[TTDT_RESHOW] = v < 0 ? -1 : v / 5;
    } else {
        m_delays[which] = v;
    }
}

// Showing and hiding.

bool ToolTipControl::toolsActive(const Tool& tool) const {
    if (GetWindowLongW(m_hwnd, GWL_STYLE) & TTS_ALWAYSTIP) return true;
    // Without TTS_ALWAYSTIP, tips show only while the tool's window is in the active window.
    const HWND target = subclassTarget(tool);
    const HWND active = GetActiveWindow();
    return active && (GetAncestor(target, GA_ROOT) == active || target == active);
}

void ToolTipControl::relay(const MSG& msg) {
    if (!m_active || m_tracking) return;
    if (msg.message == WM_MOUSEMOVE) {
        const POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        std::optional<std::size_t> hit = toolAt(msg.hwnd, pt);
        if (hit && !toolsActive(m_tools[*hit])) hit.reset();
        if (hit == m_current) return;
        const bool wasShown = m_shown;
        hide();
        if (lifetime.dead) return;
        KillTimer(m_hwnd, kShowTimer);
        m_current = hit;
        m_expired = false;
        if (!hit) {
            KillTimer(m_hwnd, kPollTimer);
            return;
        }
        // Moving from one tip to the next tool is quicker than the first tip.
        SetTimer(m_hwnd, kShowTimer, delay(wasShown ? TTDT_RESHOW : TTDT_INITIAL), nullptr);
        SetTimer(m_hwnd, kPollTimer, kPollMs, nullptr);
    } else if (isMouseButtonMessage(msg.message) && m_current) {
        // A click takes the tip down; it stays down until the pointer leaves the tool.
        KillTimer(m_hwnd, kShowTimer);
        m_expired = true;
        hide();
    }
}

bool ToolTipControl::pointerInTool(std::size_t index) const {
    POINT pt;
    GetCursorPos(&pt);
    const Tool& tool = m_tools[index];
    const HWND target = subclassTarget(tool);
    if (WindowFromPoint(pt) != target) return false;
    if (tool.flags & TTF_IDISHWND) return true;
    ScreenToClient(target, &pt);
    return PtInRect(&tool.rect, pt) != 0;
}

void ToolTipControl::onTimer(UINT_PTR id) {
    if (id == kShowTimer) {
        KillTimer(m_hwnd, kShowTimer);
        if (!m_current || m_expired || m_tracking || m_shown) return;
        if (!pointerInTool(*m_current)) {
            m_current.reset();
            KillTimer(m_hwnd, kPollTimer);
            return;
        }
        POINT pt;
        GetCursorPos(&pt);
        const Tool& tool = m_tools[*m_current];
        Anchor anchor;
        anchor.pt = pt;
        // Below the pointer's arrow.
        anchor.gap = GetSystemMetrics(SM_CYCURSOR) * 2 / 3;
        if (tool.flags & TTF_CENTERTIP) {
            // Centred below the tool.
            RECT rc = tool.rect;
            const HWND target = subclassTarget(tool);
            if (tool.flags & TTF_IDISHWND) GetClientRect(target, &rc);
            POINT bottom{(rc.left + rc.right) / 2, rc.bottom};
            ClientToScreen(target, &bottom);
            anchor.pt = bottom;
            anchor.gap = 0;
            anchor.centred = true;
        }
        show(*m_current, anchor);
    } else if (id == kPopTimer) {
        KillTimer(m_hwnd, kPopTimer);
        if (m_shown && !m_tracking) {
            m_expired = true;
            hide();
        }
    } else if (id == kPollTimer) {
        if (m_tracking || !m_current) {
            KillTimer(m_hwnd, kPollTimer);
            return;
        }
        if (pointerInTool(*m_current)) return;
        KillTimer(m_hwnd, kPollTimer);
        KillTimer(m_hwnd, kShowTimer);
        hide();
        if (lifetime.dead) return;
        m_current.reset();
        m_expired = false;
    }
}

void ToolTipControl::show(std::size_t index, const Anchor& anchor) {
    if (!m_active) return;
    const HWND h = m_tools[index].hwnd;
    const UINT_PTR id = m_tools[index].id;
    std::u16string text = textOf(index);
    if (lifetime.dead) return;
    auto i = find(h, id);
    if (!i || text.empty()) return;  // a tool without text shows no tip
    m_current = *i;
    m_shownText = std::move(text);
    m_anchor = anchor;
    ensureFonts();
    place(anchor);
    // The owner may move the tip itself when it hears that it is about to show.
    notify(m_tools[*i], TTN_SHOW);
    if (lifetime.dead || !(i = find(h, id))) return;
    m_current = *i;
    m_shown = true;
    SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (!m_tracking) SetTimer(m_hwnd, kPopTimer, delay(TTDT_AUTOPOP), nullptr);
}

void ToolTipControl::hide() {
    if (!m_shown) return;
    m_shown = false;
    KillTimer(m_hwnd, kPopTimer);
    if (m_current && *m_current < m_tools.size()) {
        notify(m_tools[*m_current], TTN_POP);
        if (lifetime.dead) return;
    }
    SetWindowPos(m_hwnd, HWND(), 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ToolTipControl::trackActivate(bool on, const TOOLINFOW* ti) {
    if (!on) {
        if (!m_tracking) return;
        m_tracking = false;
        hide();
        if (!lifetime.dead) m_current.reset();
        return;
    }
    auto i = findTool(ti);
    if (!i || !(m_tools[*i].flags & TTF_TRACK) || !m_active) return;
    KillTimer(m_hwnd, kShowTimer);
    KillTimer(m_hwnd, kPollTimer);
    if (m_shown && m_current != *i) {
        const HWND h = ti->hwnd;
        const UINT_PTR id = ti->uId;
        hide();
        if (lifetime.dead || !(i = find(h, id))) return;
    }
    m_tracking = true;
    Anchor anchor;
    anchor.pt = m_trackPos;
    anchor.absolute = (m_tools[*i].flags & TTF_ABSOLUTE) != 0;
    anchor.centred = !anchor.absolute;
    if (m_shown && m_current == *i) {
        m_anchor = anchor;
        place(anchor);
        return;
    }
    show(*i, anchor);
}

void ToolTipControl::trackPosition(LPARAM lParam) {
    m_trackPos = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (m_tracking && m_shown) {
        m_anchor.pt = m_trackPos;
        place(m_anchor);
    }
}

void ToolTipControl::popup() {
    if (!m_active || m_tracking) return;
    POINT pt;
    GetCursorPos(&pt);
    const HWND under = WindowFromPoint(pt);
    POINT client = pt;
    ScreenToClient(under, &client);
    auto i = toolAt(under, client);
    if (!i) return;
    if (m_shown) {
        hide();
        if (lifetime.dead) return;
    }
    m_current = *i;
    m_expired = false;
    KillTimer(m_hwnd, kShowTimer);
    SetTimer(m_hwnd, kPollTimer, kPollMs, nullptr);
    Anchor anchor;
    anchor.pt = pt;
    anchor.gap = GetSystemMetrics(SM_CYCURSOR) * 2 / 3;
    show(*i, anchor);
}

void ToolTipControl::notify(const Tool& tool, UINT code) {
    NMHDR hdr;
    hdr.hwndFrom = m_hwnd;
    hdr.idFrom = tool.id;
    hdr.code = code;
    SendMessageW(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&hdr));
}

}  // namespace orvane::platform
