#include "support/MessageLog.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace orvane::test {

namespace {

LRESULT recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MessageLog::instance().add(hwnd, msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::string describe(const Logged& l, HWND window) {
    std::ostringstream os;
    os << (l.hwnd == window ? "" : "parent:") << messageName(l.msg) << "(" << l.wParam << ","
       << l.lParam << ")";
    return os.str();
}

}  // namespace

MessageLog& MessageLog::instance() {
    static MessageLog log;
    return log;
}

void MessageLog::add(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    UINT swp = 0;
    if ((msg == WM_WINDOWPOSCHANGING || msg == WM_WINDOWPOSCHANGED) && lParam)
        swp = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
    m_entries.push_back(Logged{hwnd, msg, wParam, lParam, swp});
}

std::vector<UINT> MessageLog::messagesOf(HWND hwnd) const {
    std::vector<UINT> out;
    for (const Logged& l : m_entries)
        if (l.hwnd == hwnd) out.push_back(l.msg);
    return out;
}

bool MessageLog::contains(HWND hwnd, UINT msg) const {
    return count(hwnd, msg) > 0;
}

int MessageLog::count(HWND hwnd, UINT msg) const {
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(), [&](const Logged& l) {
        return l.hwnd == hwnd && l.msg == msg;
    }));
}

std::vector<UINT> MessageLog::positionFlags(HWND hwnd, UINT msg) const {
    std::vector<UINT> out;
    for (const Logged& l : m_entries)
        if (l.hwnd == hwnd && l.msg == msg) out.push_back(l.swpFlags);
    return out;
}

std::string MessageLog::compare(HWND window, HWND parent, const std::vector<Expected>& expected,
                                const std::vector<UINT>& ignore) const {
    std::vector<Logged> actual;
    for (const Logged& l : m_entries) {
        if (l.hwnd != window && (!parent || l.hwnd != parent)) continue;
        if (std::find(ignore.begin(), ignore.end(), l.msg) != ignore.end()) continue;
        actual.push_back(l);
    }
    std::size_t a = 0, e = 0;
    std::string problem;
    while (e < expected.size() || a < actual.size()) {
        if (e == expected.size()) {
            problem = "unexpected " + describe(actual[a], window);
            break;
        }
        const Expected& x = expected[e];
        const bool optional = x.flags & Expected::Optional;
        if (a == actual.size()) {
            if (optional) {
                ++e;
                continue;
            }
            problem = std::string("missing ") + messageName(x.msg);
            break;
        }
        const Logged& l = actual[a];
        const HWND target = (x.flags & Expected::Parent) ? parent : window;
        const bool match = l.msg == x.msg && l.hwnd == target &&
                           (!(x.flags & Expected::WParam) || l.wParam == x.wParam) &&
                           (!(x.flags & Expected::LParam) || l.lParam == x.lParam);
        if (match) {
            ++a;
            ++e;
        } else if (optional) {
            ++e;
        } else {
            problem =
                std::string("expected ") + messageName(x.msg) + ", got " + describe(l, window);
            break;
        }
    }
    if (problem.empty()) return "";
    std::ostringstream os;
    os << problem << "\n  expected:";
    for (const Expected& x : expected)
        os << " " << ((x.flags & Expected::Parent) ? "parent:" : "") << messageName(x.msg)
           << ((x.flags & Expected::Optional) ? "?" : "");
    os << "\n  actual:  ";
    for (const Logged& l : actual)
        os << " " << describe(l, window);
    return os.str();
}

void MessageLog::registerClass() {
    WNDCLASSEXW existing;
    if (GetClassInfoExW(HINSTANCE(), u"OrvaneTestWindow", &existing)) return;
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = recordingProc;
    wc.hbrBackground = HBRUSH(static_cast<std::uint32_t>(COLOR_WINDOW + 1));
    wc.hCursor = LoadCursorW(HINSTANCE(), IDC_ARROW);
    wc.lpszClassName = u"OrvaneTestWindow";
    RegisterClassExW(&wc);
}

HWND MessageLog::create(DWORD style, int x, int y, int w, int h, HWND parent, DWORD exStyle) {
    registerClass();
    return CreateWindowExW(exStyle, u"OrvaneTestWindow", u"test", style, x, y, w, h, parent,
                           HMENU(), HINSTANCE(), nullptr);
}

const char* messageName(UINT msg) {
    switch (msg) {
#define NAME(m) \
    case m:     \
        return #m;
        // clang-format off
        NAME(WM_CREATE)
        NAME(WM_DESTROY)
        NAME(WM_MOVE) NAME(WM_SIZE) NAME(WM_ACTIVATE) NAME(WM_SETFOCUS) NAME(WM_KILLFOCUS)
            NAME(WM_ENABLE) NAME(WM_SETTEXT) NAME(WM_GETTEXT) NAME(WM_PAINT) NAME(WM_CLOSE) NAME(
                WM_ERASEBKGND) NAME(WM_SHOWWINDOW) NAME(WM_ACTIVATEAPP) NAME(WM_SETCURSOR)
                NAME(WM_MOUSEACTIVATE) NAME(WM_GETMINMAXINFO) NAME(WM_WINDOWPOSCHANGING) NAME(
                    WM_WINDOWPOSCHANGED) NAME(WM_NCCREATE) NAME(WM_NCDESTROY) NAME(WM_NCCALCSIZE)
                    NAME(WM_NCHITTEST) NAME(WM_NCPAINT) NAME(WM_NCACTIVATE) NAME(WM_KEYDOWN)
                        NAME(WM_KEYUP) NAME(WM_CHAR) NAME(WM_DEADCHAR) NAME(WM_SYSKEYDOWN)
                            NAME(WM_SYSKEYUP) NAME(WM_SYSCHAR) NAME(WM_TIMER) NAME(WM_MOUSEMOVE)
                                NAME(WM_LBUTTONDOWN) NAME(WM_LBUTTONUP) NAME(WM_LBUTTONDBLCLK)
                                    NAME(WM_RBUTTONDOWN) NAME(WM_RBUTTONUP) NAME(WM_MOUSEWHEEL)
                                        NAME(WM_PARENTNOTIFY) NAME(WM_CAPTURECHANGED) NAME(
                                            WM_MOUSEHOVER) NAME(WM_MOUSELEAVE) NAME(WM_NCMOUSEMOVE)
                                            NAME(WM_NCLBUTTONDOWN) NAME(WM_STYLECHANGING)
                                                NAME(WM_STYLECHANGED) NAME(WM_PRINT)
                                                    NAME(WM_PRINTCLIENT) NAME(WM_USER)
                                                        NAME(WM_GETTEXTLENGTH) NAME(WM_CANCELMODE)
                                                            NAME(WM_SYSCOMMAND) NAME(WM_VSCROLL)
                                                                NAME(WM_HSCROLL)
                                                                    NAME(WM_CHILDACTIVATE)
        NAME(WM_COMMAND) NAME(WM_ENTERMENULOOP) NAME(WM_EXITMENULOOP) NAME(WM_INITMENU)
        NAME(WM_INITMENUPOPUP) NAME(WM_UNINITMENUPOPUP) NAME(WM_MENUSELECT) NAME(WM_MENUCHAR)
        NAME(WM_ENTERIDLE) NAME(WM_MENUCOMMAND) NAME(WM_MEASUREITEM) NAME(WM_DRAWITEM)
        // clang-format on
#undef NAME
    }
    static thread_local char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", msg);
    return buffer;
}

}  // namespace orvane::test
