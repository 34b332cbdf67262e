// Mirrored windows (WS_EX_LAYOUTRTL): children, DCs, update regions, scrolling, the mouse,
// point mapping and frames all run from the client area's right edge.
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

struct {
    RECT paint{};
    POINT press{-1, -1};
    UINT scroll = 0xFFFF;
    int scrolls = 0;
} heard;

// Paints its update region in the colour kept in GWLP_USERDATA and notes what it hears.
LRESULT mirrorProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(h, &ps);
        heard.paint = ps.rcPaint;
        SetDCBrushColor(dc, static_cast<COLORREF>(GetWindowLongPtrW(h, GWLP_USERDATA)));
        FillRect(dc, &ps.rcPaint, HBRUSH(GetStockObject(DC_BRUSH)));
        EndPaint(h, &ps);
        return 0;
    }
    if (m == WM_LBUTTONDOWN) heard.press = POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    if ((m == WM_HSCROLL || m == WM_VSCROLL) && LOWORD(w) != SB_ENDSCROLL) {
        heard.scroll = LOWORD(w);
        ++heard.scrolls;
    }
    return DefWindowProcW(h, m, w, l);
}

// A thread timer that lets the held button go.
void release(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(HWND(), id);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
}

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kBlue = RGB(0, 0, 255);

class MirrorTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        heard = {};
        WNDCLASSEXW wc;
        wc.lpfnWndProc = mirrorProc;
        wc.lpszClassName = u"Mirror";
        RegisterClassExW(&wc);
        // A mirrored window whose client area spans screen x 20..320, and a child 100 x 50 at
        // logical (10, 5).
        parent = make(WS_EX_LAYOUTRTL, WS_POPUP | WS_VISIBLE, 20, 20, 300, 200, HWND());
        child = make(0, WS_CHILD | WS_VISIBLE, 10, 5, 100, 50, parent);
        platform->PumpMessages();
    }
    void TearDown() override {
        DestroyWindow(parent);
        PlatformTest::TearDown();
    }
    static HWND make(DWORD ex, DWORD style, int x, int y, int w, int h, HWND owner) {
        const HWND hwnd = CreateWindowExW(ex, u"Mirror", u"", style, x, y, w, h, owner, HMENU(),
                                          HINSTANCE(), nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(kWhite));
        return hwnd;
    }
    static RECT rectOf(HWND h) {
        RECT r{};
        GetWindowRect(h, &r);
        return r;
    }
    COLORREF pixel(int x, int y) { return platform->ClientPixel(child, x, y); }
    HWND parent, child;
};

TEST_F(MirrorTest, ChildrenSitFromTheRightEdgeAndInheritTheLayout) {
    EXPECT_EQ(rectOf(child), (RECT{210, 25, 310, 75}));
    RECT r = rectOf(child);
    MapWindowPoints(HWND(), parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r, (RECT{10, 5, 110, 55}));
    // A new size keeps the right edge; a wider parent keeps the distance to its right edge.
    SetWindowPos(child, HWND(), 0, 0, 150, 50, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(rectOf(child), (RECT{160, 25, 310, 75}));
    SetWindowPos(parent, HWND(), 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(rectOf(child), (RECT{260, 25, 410, 75}));
    EXPECT_EQ(WindowFromPoint(POINT{265, 30}), child);
    EXPECT_EQ(ChildWindowFromPoint(parent, POINT{150, 10}), child);
    EXPECT_EQ(ChildWindowFromPoint(parent, POINT{200, 10}), parent);
    // WS_EX_NOINHERITLAYOUT keeps the parent's new children left to right.
    SetWindowLongW(parent, GWL_EXSTYLE, WS_EX_LAYOUTRTL | WS_EX_NOINHERITLAYOUT);
    const HWND plain = make(0, WS_CHILD | WS_VISIBLE, 10, 0, 50, 20, parent);
    EXPECT_FALSE(GetWindowLongW(plain, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    const HDC dc = GetDC(plain);
    EXPECT_EQ(GetLayout(dc), 0u);
    ReleaseDC(plain, dc);
}

TEST_F(MirrorTest, DcsTextAndCaretDrawFromTheRightEdge) {
    for (HDC dc : {GetDC(child), GetDCEx(child, HRGN(), DCX_CACHE), GetWindowDC(child)}) {
        EXPECT_EQ(GetLayout(dc), LAYOUT_RTL);
        ReleaseDC(child, dc);
    }
    const HDC dc = GetDC(child);
    SetPixel(dc, 0, 0, kBlue);
    RECT box{0, 25, 100, 45};
    DrawTextW(dc, u"\u2588\u2588", 2, &box, DT_LEFT | DT_SINGLELINE);
    ReleaseDC(child, dc);
    EXPECT_EQ(pixel(99, 0), kBlue);
    EXPECT_EQ(pixel(0, 0), kWhite);
    EXPECT_EQ(pixel(97, 35), kBlack) << "DT_LEFT text starts at the right";
    EXPECT_EQ(pixel(2, 35), kWhite);
    CreateCaret(child, HBITMAP(), 2, 10);
    SetCaretPos(0, 10);
    ShowCaret(child);
    EXPECT_EQ(pixel(98, 15), kBlack);
    EXPECT_EQ(pixel(97, 15), kWhite);
    DestroyCaret();
}

TEST_F(MirrorTest, UpdateRegionsAndScrollingAreMirrored) {
    RECT area{0, 0, 10, 10}, right{5, 0, 10, 10}, update{};
    InvalidateRect(child, &area, FALSE);
    ValidateRect(child, &right);
    GetUpdateRect(child, &update, FALSE);
    EXPECT_EQ(update, (RECT{0, 0, 5, 10}));
    SetWindowLongPtrW(child, GWLP_USERDATA, static_cast<LONG_PTR>(kBlue));
    platform->PumpMessages();
    EXPECT_EQ(heard.paint, (RECT{0, 0, 5, 10}));
    EXPECT_EQ(pixel(95, 5), kBlue);
    EXPECT_EQ(pixel(94, 5), kWhite);
    // A positive dx moves the content towards the logical right, left on the screen.
    ScrollWindowEx(child, 5, 0, nullptr, nullptr, HRGN(), &update, 0);
    EXPECT_EQ(update, (RECT{0, 0, 5, 50}));
    EXPECT_EQ(pixel(90, 5), kBlue);
    EXPECT_EQ(pixel(89, 5), kWhite);
}

TEST_F(MirrorTest, ClicksAndMappedPointsAreLogical) {
    // Device column 92 is what logical x 7 covers (100 - 1 - 7).
    const RECT screen = rectOf(child);
    platform->Click(screen.left + 92, screen.top + 3);
    platform->PumpMessages();
    EXPECT_EQ(heard.press, (POINT{7, 3}));
    POINT p{screen.left + 92, screen.top + 3};
    ScreenToClient(child, &p);
    EXPECT_EQ(p, (POINT{7, 3}));
    ClientToScreen(child, &p);
    EXPECT_EQ(p, (POINT{screen.left + 92, screen.top + 3}));
    POINT one{7, 3};
    const int offset = MapWindowPoints(child, HWND(), &one, 1);
    EXPECT_EQ(one.x, -(7 + static_cast<std::int16_t>(LOWORD(offset))));
    // Two points across one mirror are a rectangle, kept in order; three are points.
    RECT r{0, 0, 10, 10};
    MapWindowPoints(child, HWND(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r, (RECT{screen.right - 10, screen.top, screen.right, screen.top + 10}));
    POINT three[3] = {{0, 0}, {10, 0}, {20, 0}};
    MapWindowPoints(child, HWND(), three, 3);
    EXPECT_EQ(three[0].x - three[2].x, 20);
    r = RECT{0, 0, 10, 10};
    MapWindowPoints(child, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r, (RECT{10, 5, 20, 15}));
}

TEST_F(MirrorTest, AMirroredChildsScrollBarsAreMirrored) {
    const HWND bars =
        make(0, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 10, 60, 200, 100, parent);
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
    SetScrollInfo(bars, SB_HORZ, &si, TRUE);
    SetScrollInfo(bars, SB_VERT, &si, TRUE);
    const RECT s = rectOf(bars);
    const int sb = GetSystemMetrics(SM_CXVSCROLL), y = 100 - sb / 2;
    EXPECT_EQ(SendMessageW(bars, WM_NCHITTEST, 0, MAKELPARAM(s.left + 2, s.top + 20)), HTVSCROLL);
    // Left end: the up arrow; right end: line-left; the thumb at 0 is at the right, so left of
    // it is the page area towards the end.
    const std::pair<POINT, UINT> clicks[] = {{{s.left + 2, s.top + 3}, SB_LINEUP},
                                             {{s.right - 3, s.top + y}, SB_LINELEFT},
                                             {{s.left + sb + 40, s.top + y}, SB_PAGERIGHT}};
    for (const auto& [at, code] : clicks) {
        platform->Click(at.x, at.y);
        platform->PumpMessages();
        EXPECT_EQ(heard.scroll, code) << at.x << "," << at.y;
    }
    // Held, the right-hand arrow repeats line-left.
    heard.scrolls = 0;
    SetTimer(HWND(), 0, 400, release);
    SetCursorPos(s.right - 3, s.top + y);
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &down, sizeof down);
    platform->PumpMessages();
    EXPECT_GT(heard.scrolls, 3);
    EXPECT_EQ(heard.scroll, static_cast<UINT>(SB_LINELEFT));
}

}  // namespace
}  // namespace orvane::test
