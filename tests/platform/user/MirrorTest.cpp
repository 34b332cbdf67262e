// Mirrored windows (WS_EX_LAYOUTRTL): their DCs, update regions, mouse messages, coordinate
// mapping, children, frames and caret all run from the client area's right edge, and the
// layout passes to children unless WS_EX_NOINHERITLAYOUT stops it.
#include "platform/theme/Theme.h"
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

// What the mirrored windows of a test heard: the last rcPaint and the last button press.
struct Heard {
    RECT paint{};
    DWORD paintLayout = GDI_ERROR;
    POINT press{-1, -1};
    UINT scrollCode = 0xFFFF;
} heard;

// Fills the update region with the colour kept in GWLP_USERDATA.
LRESULT mirrorProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    switch (m) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(h, &ps);
            heard.paint = ps.rcPaint;
            heard.paintLayout = GetLayout(dc);
            const HBRUSH brush =
                CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(h, GWLP_USERDATA)));
            FillRect(dc, &ps.rcPaint, brush);
            DeleteObject(brush);
            EndPaint(h, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            // The colour, with the logical left 20 columns red.
            RECT rc{};
            GetClientRect(h, &rc);
            const HDC dc(static_cast<std::uint32_t>(w));
            const HBRUSH brush =
                CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(h, GWLP_USERDATA)));
            FillRect(dc, &rc, brush);
            DeleteObject(brush);
            rc.right = 20;
            const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
            FillRect(dc, &rc, red);
            DeleteObject(red);
            return 0;
        }
        case WM_LBUTTONDOWN:
            heard.press = POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (LOWORD(w) != SB_ENDSCROLL) heard.scrollCode = LOWORD(w);
            return 0;
        default:
            return DefWindowProcW(h, m, w, l);
    }
}

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class MirrorTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        heard = Heard{};
        WNDCLASSEXW wc;
        wc.lpfnWndProc = mirrorProc;
        wc.lpszClassName = u"Mirror";
        RegisterClassExW(&wc);
        // A mirrored top-level window 300 wide at (20, 20) with a child 100 x 50 placed at
        // logical (10, 5).
        parent = make(WS_EX_LAYOUTRTL, WS_POPUP | WS_VISIBLE, 20, 20, 300, 200, HWND(), kWhite);
        child = make(0, WS_CHILD | WS_VISIBLE, 10, 5, 100, 50, parent, kWhite);
        platform->PumpMessages();
    }
    void TearDown() override {
        DestroyWindow(parent);
        PlatformTest::TearDown();
    }
    static HWND make(DWORD ex, DWORD style, int x, int y, int w, int h, HWND owner,
                     COLORREF color) {
        const HWND hwnd = CreateWindowExW(ex, u"Mirror", u"", style, x, y, w, h, owner, HMENU(),
                                          HINSTANCE(), nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(color));
        return hwnd;
    }
    // Fills a rectangle of the child's client area through a DC of its own.
    void fillChild(RECT rc, COLORREF color) {
        const HDC dc = GetDC(child);
        const HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
        ReleaseDC(child, dc);
    }
    static RECT windowRect(HWND h) {
        RECT r{};
        GetWindowRect(h, &r);
        return r;
    }
    HWND parent, child;
};

TEST_F(MirrorTest, ChildrenInheritTheLayoutAndSitFromTheParentsRightEdge) {
    EXPECT_TRUE(GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    // The parent's client area spans screen x 20..320: a child at logical x 10, 100 wide, ends
    // 10 pixels from its right edge.
    EXPECT_EQ(windowRect(child), (RECT{210, 25, 310, 75}));
    // GetWindowRect and a two-point MapWindowPoints give the logical rectangle back.
    RECT r = windowRect(child);
    MapWindowPoints(HWND(), parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r, (RECT{10, 5, 110, 55}));
    // Resizing without moving keeps the logical left, so the right edge stays on the screen.
    SetWindowPos(child, HWND(), 0, 0, 150, 50, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(windowRect(child), (RECT{160, 25, 310, 75}));
    MoveWindow(child, 40, 5, 100, 50, TRUE);
    EXPECT_EQ(windowRect(child), (RECT{180, 25, 280, 75}));
    // When the parent grows, the child keeps its distance from the right edge.
    SetWindowPos(parent, HWND(), 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(windowRect(child), (RECT{280, 25, 380, 75}));
    // Hit testing agrees with where the child shows.
    EXPECT_EQ(WindowFromPoint(POINT{285, 30}), child);
    EXPECT_EQ(WindowFromPoint(POINT{30, 30}), parent);
    EXPECT_EQ(ChildWindowFromPoint(parent, POINT{45, 10}), child);
    EXPECT_EQ(ChildWindowFromPoint(parent, POINT{300, 10}), parent);
}

TEST_F(MirrorTest, NoInheritLayoutKeepsChildrenLeftToRight) {
    const HWND own = make(WS_EX_LAYOUTRTL | WS_EX_NOINHERITLAYOUT, WS_POPUP | WS_VISIBLE, 0, 0, 200,
                          100, HWND(), kWhite);
    const HWND plain = make(0, WS_CHILD | WS_VISIBLE, 10, 0, 50, 20, own, kWhite);
    EXPECT_FALSE(GetWindowLongW(plain, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    const HDC dc = GetDC(plain);
    EXPECT_EQ(GetLayout(dc), 0u);
    ReleaseDC(plain, dc);
    // The parent is still mirrored, so its children are still placed from its right edge.
    EXPECT_EQ(windowRect(plain), (RECT{140, 0, 190, 20}));
    DestroyWindow(own);
}

TEST_F(MirrorTest, DcsAreMirroredAndDrawFromTheRightEdge) {
    for (HDC dc : {GetDC(child), GetDCEx(child, HRGN(), DCX_CACHE), GetWindowDC(child)}) {
        EXPECT_EQ(GetLayout(dc), LAYOUT_RTL);
        ReleaseDC(child, dc);
    }
    const HDC dc = GetDC(child);
    SetPixel(dc, 0, 0, kRed);
    ReleaseDC(child, dc);
    fillChild(RECT{0, 10, 5, 20}, kBlue);
    EXPECT_EQ(platform->ClientPixel(child, 99, 0), kRed);
    EXPECT_EQ(platform->ClientPixel(child, 0, 0), kWhite);
    // Logical [0, 5) covers the five rightmost device columns, exactly.
    EXPECT_EQ(platform->ClientPixel(child, 95, 15), kBlue);
    EXPECT_EQ(platform->ClientPixel(child, 94, 15), kWhite);
    // Text with DT_LEFT starts at the logical left, which is the right on the screen.
    const HDC text = GetDC(child);
    RECT box{0, 25, 100, 45};
    SetTextColor(text, RGB(0, 0, 0));
    SetBkMode(text, TRANSPARENT);
    DrawTextW(text, u"\u2588\u2588", 2, &box, DT_LEFT | DT_SINGLELINE);
    ReleaseDC(child, text);
    EXPECT_EQ(platform->ClientPixel(child, 97, 35), RGB(0, 0, 0));
    EXPECT_EQ(platform->ClientPixel(child, 2, 35), kWhite);
    // The glyphs themselves read as they do in a plain DC: the same pixels, not flipped.
    const HDC screenDc = GetDC(HWND());
    HDC pair[2];
    HBITMAP bitmaps[2];
    for (int i = 0; i < 2; ++i) {
        pair[i] = CreateCompatibleDC(screenDc);
        bitmaps[i] = CreateCompatibleBitmap(screenDc, 60, 30);
        SelectObject(pair[i], bitmaps[i]);
        RECT all{0, 0, 60, 30};
        FillRect(pair[i], &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
    }
    ReleaseDC(HWND(), screenDc);
    SIZE extent{};
    GetTextExtentPoint32W(pair[1], u"Lb", 2, &extent);
    SetLayout(pair[1], LAYOUT_RTL);
    TextOutW(pair[0], 5, 5, u"Lb", 2);
    TextOutW(pair[1], 60 - 5 - extent.cx, 5, u"Lb", 2);
    SetLayout(pair[1], 0);
    int ink = 0, differ = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const COLORREF a = GetPixel(pair[0], x, y);
            ink += a != kWhite;
            differ += a != GetPixel(pair[1], x, y);
        }
    EXPECT_GT(ink, 10);
    EXPECT_EQ(differ, 0);
    for (int i = 0; i < 2; ++i) {
        DeleteDC(pair[i]);
        DeleteObject(bitmaps[i]);
    }
}

TEST_F(MirrorTest, UpdateRegionsAreInMirroredClientCoordinates) {
    SetWindowLongPtrW(child, GWLP_USERDATA, static_cast<LONG_PTR>(kRed));
    RECT logical{0, 0, 10, 10};
    InvalidateRect(child, &logical, FALSE);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(child, &update, FALSE));
    EXPECT_EQ(update, logical);
    const HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(child, rgn, FALSE);
    RECT box{};
    GetRgnBox(rgn, &box);
    EXPECT_EQ(box, logical);
    // Validating the logical right half leaves the left one.
    RECT right{5, 0, 10, 10};
    ValidateRect(child, &right);
    GetUpdateRect(child, &update, FALSE);
    EXPECT_EQ(update, (RECT{0, 0, 5, 10}));
    InvalidateRect(child, &logical, FALSE);
    platform->PumpMessages();
    EXPECT_EQ(heard.paint, logical);
    EXPECT_EQ(heard.paintLayout, LAYOUT_RTL);
    // What was painted is the device's top-right corner.
    EXPECT_EQ(platform->ClientPixel(child, 95, 5), kRed);
    EXPECT_EQ(platform->ClientPixel(child, 85, 5), kWhite);
    EXPECT_EQ(platform->ClientPixel(child, 5, 5), kWhite);
    // A region too, and RedrawWindow.
    SetRectRgn(rgn, 20, 0, 30, 10);
    InvalidateRgn(child, rgn, FALSE);
    RedrawWindow(child, &logical, HRGN(), RDW_INVALIDATE);
    GetUpdateRect(child, &update, FALSE);
    EXPECT_EQ(update, (RECT{0, 0, 30, 10}));
    platform->PumpMessages();
    EXPECT_EQ(platform->ClientPixel(child, 75, 5), kRed);
    EXPECT_EQ(platform->ClientPixel(child, 65, 5), kWhite);
    DeleteObject(rgn);
}

TEST_F(MirrorTest, ScrollingMovesTheContentTheMirroredWay) {
    fillChild(RECT{10, 0, 12, 50}, kBlue);
    EXPECT_EQ(platform->ClientPixel(child, 88, 20), kBlue);
    // A positive dx moves the logical content right, which is left on the screen.
    RECT uncovered{};
    ScrollWindowEx(child, 5, 0, nullptr, nullptr, HRGN(), &uncovered, 0);
    EXPECT_EQ(uncovered, (RECT{0, 0, 5, 50}));
    EXPECT_EQ(platform->ClientPixel(child, 83, 20), kBlue);
    EXPECT_EQ(platform->ClientPixel(child, 88, 20), kWhite);
}

TEST_F(MirrorTest, MouseMessagesAndPointMappingUseLogicalCoordinates) {
    // A pixel drawn at logical x = 7 is where a click arrives at x = 7.
    const HDC dc = GetDC(child);
    SetPixel(dc, 7, 3, kRed);
    ReleaseDC(child, dc);
    EXPECT_EQ(platform->ClientPixel(child, 92, 3), kRed);
    const RECT screen = windowRect(child);
    platform->Click(screen.left + 92, screen.top + 3);
    platform->PumpMessages();
    EXPECT_EQ(heard.press.x, 7);
    EXPECT_EQ(heard.press.y, 3);
    // ScreenToClient and ClientToScreen say the same, and undo each other.
    POINT p{screen.left + 92, screen.top + 3};
    ScreenToClient(child, &p);
    EXPECT_EQ(p.x, 7);
    ClientToScreen(child, &p);
    EXPECT_EQ(p.x, screen.left + 92);
    EXPECT_EQ(p.y, screen.top + 3);
    // One point is mapped as a pixel; the return value's offset is what is added before the
    // result is negated, as exactly one side is mirrored.
    POINT one{7, 3};
    const int offset = MapWindowPoints(child, HWND(), &one, 1);
    EXPECT_EQ(one.x, screen.left + 92);
    EXPECT_EQ(one.x, -(7 + static_cast<std::int16_t>(LOWORD(offset))));
    // Two points across one mirror are a rectangle: edges map and left and right swap.
    RECT r{0, 0, 10, 10};
    MapWindowPoints(child, HWND(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r, (RECT{screen.right - 10, screen.top, screen.right, screen.top + 10}));
    // Three points are mapped each alone, with no swap.
    POINT three[3] = {{0, 0}, {10, 0}, {20, 0}};
    MapWindowPoints(child, HWND(), three, 3);
    EXPECT_GT(three[0].x, three[1].x);
    EXPECT_EQ(three[0].x - three[2].x, 20);
    // Between two mirrored windows the mapping is a plain shift, and a rectangle keeps its
    // order.
    RECT inChild{0, 0, 10, 10};
    MapWindowPoints(child, parent, reinterpret_cast<POINT*>(&inChild), 2);
    EXPECT_EQ(inChild, (RECT{10, 5, 20, 15}));
}

TEST_F(MirrorTest, TheFrameOfAMirroredChildIsMirrored) {
    const HWND bars =
        make(0, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 10, 60, 200, 100, parent, kWhite);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 0;
    SetScrollInfo(bars, SB_HORZ, &si, TRUE);
    SetScrollInfo(bars, SB_VERT, &si, TRUE);
    platform->PumpMessages();
    const RECT screen = windowRect(bars);
    const int sb = GetSystemMetrics(SM_CXVSCROLL);
    // The vertical bar is at the left, the client area beside it.
    const auto hitAt = [&](int x, int y) {
        return SendMessageW(bars, WM_NCHITTEST, 0, MAKELPARAM(screen.left + x, screen.top + y));
    };
    EXPECT_EQ(hitAt(2, 20), HTVSCROLL);
    EXPECT_EQ(hitAt(197, 20), HTCLIENT);
    POINT clientLeft{0, 0};
    ClientToScreen(bars, &clientLeft);
    EXPECT_EQ(clientLeft.x, screen.right - 1) << "logical x 0 is the right-most column";
    RECT client{};
    GetClientRect(bars, &client);
    EXPECT_EQ(client.right, 200 - sb);
    // The horizontal bar runs mirrored: its screen-right arrow is the line-left one, and the
    // thumb at position 0 is at the right.
    const int barY = 100 - GetSystemMetrics(SM_CYHSCROLL) / 2;
    EXPECT_EQ(hitAt(195, barY), HTHSCROLL);
    platform->Click(screen.left + 195, screen.top + barY);
    platform->PumpMessages();
    EXPECT_EQ(heard.scrollCode, static_cast<UINT>(SB_LINELEFT));
    platform->Click(screen.left + sb + 3, screen.top + barY);
    platform->PumpMessages();
    EXPECT_EQ(heard.scrollCode, static_cast<UINT>(SB_LINERIGHT));
    platform->Click(screen.left + 2, screen.top + 3);
    platform->PumpMessages();
    EXPECT_EQ(heard.scrollCode, static_cast<UINT>(SB_LINEUP));
    // Just left of the right arrow is the thumb at position 0 (dragging it starts a track);
    // further left is the page area beyond it.
    platform->Click(screen.left + sb + 40, screen.top + barY);
    platform->PumpMessages();
    EXPECT_EQ(heard.scrollCode, static_cast<UINT>(SB_PAGERIGHT));
    DestroyWindow(bars);
}

TEST_F(MirrorTest, AParentsBackgroundLandsWhereTheParentShowsIt) {
    // Both mirrored: the parent's red stripe is at its right, behind the child's right end.
    SetWindowLongPtrW(parent, GWLP_USERDATA, static_cast<LONG_PTR>(kBlue));
    MoveWindow(child, 0, 5, 100, 50, TRUE);
    platform->PumpMessages();
    HDC dc = GetDC(child);
    DrawThemeParentBackground(child, dc, nullptr);
    ReleaseDC(child, dc);
    EXPECT_EQ(platform->ClientPixel(child, 99, 10), kRed);
    EXPECT_EQ(platform->ClientPixel(child, 80, 10), kRed);
    EXPECT_EQ(platform->ClientPixel(child, 79, 10), kBlue);
    // A mirrored child of a plain parent: the stripe is at the left of both.
    const HWND plain = make(0, WS_POPUP | WS_VISIBLE, 0, 250, 200, 100, HWND(), kBlue);
    const HWND rtl = make(WS_EX_LAYOUTRTL, WS_CHILD | WS_VISIBLE, 10, 0, 50, 50, plain, kWhite);
    platform->PumpMessages();
    dc = GetDC(rtl);
    DrawThemeParentBackground(rtl, dc, nullptr);
    ReleaseDC(rtl, dc);
    EXPECT_EQ(platform->ClientPixel(rtl, 0, 10), kRed);
    EXPECT_EQ(platform->ClientPixel(rtl, 9, 10), kRed);
    EXPECT_EQ(platform->ClientPixel(rtl, 10, 10), kBlue);
    EXPECT_EQ(platform->ClientPixel(rtl, 49, 10), kBlue);
    DestroyWindow(plain);
}

TEST_F(MirrorTest, TheCaretIsPlacedAndDrawnMirrored) {
    CreateCaret(child, HBITMAP(), 2, 10);
    SetCaretPos(0, 0);
    ShowCaret(child);
    // White inverted is black, in the two rightmost device columns.
    EXPECT_EQ(platform->ClientPixel(child, 99, 5), RGB(0, 0, 0));
    EXPECT_EQ(platform->ClientPixel(child, 98, 5), RGB(0, 0, 0));
    EXPECT_EQ(platform->ClientPixel(child, 97, 5), kWhite);
    EXPECT_EQ(platform->ClientPixel(child, 0, 5), kWhite);
    POINT at{};
    GetCaretPos(&at);
    EXPECT_EQ(at.x, 0);
    DestroyCaret();
}

}  // namespace
}  // namespace orvane::test
