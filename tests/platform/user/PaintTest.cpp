// Painting: update regions and clipping, background erasing, child and sibling clipping,
// window DCs, scrolling, printing into another DC, non-client frames and layered windows.
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

// When `painted` paints, `target` (without its children) is invalidated once.
struct {
    HWND painted, target;
} invalidateOnPaint;

// Windows of this class fill their whole client area with the colour kept in GWLP_USERDATA;
// clipping decides what actually changes.
LRESULT painterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    MessageLog::instance().add(h, m, w, l);
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(h, &ps);
        RECT rc;
        GetClientRect(h, &rc);
        const COLORREF old =
            SetDCBrushColor(hdc, static_cast<COLORREF>(GetWindowLongPtrW(h, GWLP_USERDATA)));
        FillRect(hdc, &rc, HBRUSH(GetStockObject(DC_BRUSH)));
        SetDCBrushColor(hdc, old);
        EndPaint(h, &ps);
        if (h == invalidateOnPaint.painted) {
            invalidateOnPaint.painted = HWND();
            RedrawWindow(invalidateOnPaint.target, nullptr, HRGN(),
                         RDW_INVALIDATE | RDW_NOCHILDREN);
        }
        return 0;
    }
    if (m == WM_PRINTCLIENT) {
        RECT rc;
        GetClientRect(h, &rc);
        HDC hdc(static_cast<std::uint32_t>(w));
        SetDCBrushColor(hdc, static_cast<COLORREF>(GetWindowLongPtrW(h, GWLP_USERDATA)));
        FillRect(hdc, &rc, HBRUSH(GetStockObject(DC_BRUSH)));
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

class PaintTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        WNDCLASSEXW wc;
        wc.lpfnWndProc = painterProc;
        wc.lpszClassName = u"Painter";
        wc.hbrBackground = HBRUSH(static_cast<std::uint32_t>(COLOR_WINDOW + 1));
        RegisterClassExW(&wc);
    }

    HWND painter(COLORREF color, DWORD style, int x, int y, int w, int h, HWND parent = HWND(),
                 DWORD ex = 0) {
        HWND hwnd = CreateWindowExW(ex, u"Painter", u"", style, x, y, w, h, parent, HMENU(),
                                    HINSTANCE(), nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(color));
        return hwnd;
    }

    COLORREF screen(int x, int y) { return platform->ScreenPixel(x, y); }

    // The windows that received WM_PAINT, in order.
    std::vector<HWND> paints() const {
        std::vector<HWND> out;
        for (const Logged& l : MessageLog::instance().entries())
            if (l.msg == WM_PAINT) out.push_back(l.hwnd);
        return out;
    }

    static constexpr COLORREF kRed = RGB(255, 0, 0);
    static constexpr COLORREF kGreen = RGB(0, 255, 0);
    static constexpr COLORREF kBlue = RGB(0, 0, 255);
};

TEST_F(PaintTest, BeginPaintClipsToTheUpdateRegion) {
    HWND hwnd = painter(kRed, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    platform->PumpMessages();
    EXPECT_EQ(screen(50, 50), kRed);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, kBlue);
    RECT part{10, 10, 20, 30};
    InvalidateRect(hwnd, &part, FALSE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_EQ(update, part);
    platform->PumpMessages();
    EXPECT_EQ(screen(10, 10), kBlue);
    EXPECT_EQ(screen(19, 29), kBlue);
    EXPECT_EQ(screen(20, 29), kRed);
    EXPECT_EQ(screen(19, 30), kRed);
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
    // A validated area is not painted.
    InvalidateRect(hwnd, nullptr, FALSE);
    ValidateRect(hwnd, &part);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, kGreen);
    platform->PumpMessages();
    EXPECT_EQ(screen(15, 15), kBlue);
    EXPECT_EQ(screen(50, 50), kGreen);
    DestroyWindow(hwnd);
}

TEST_F(PaintTest, EraseUsesTheClassBrushAndSystemColours) {
    // A class brush given as a system colour index plus one follows that colour.
    HWND hwnd = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 40, 40);
    platform->PumpMessages();
    EXPECT_EQ(screen(20, 20), GetSysColor(COLOR_WINDOW));
    const INT index = COLOR_WINDOW;
    const COLORREF yellow = RGB(255, 255, 0);
    SetSysColors(1, &index, &yellow);
    InvalidateRect(hwnd, nullptr, TRUE);
    platform->PumpMessages();
    EXPECT_EQ(screen(20, 20), yellow);
    const std::vector<UINT> order = log().messagesOf(hwnd);
    auto at = [&](UINT m) { return std::find(order.rbegin(), order.rend(), m); };
    EXPECT_TRUE(at(WM_ERASEBKGND) <
                at(WM_PAINT));  // erased inside BeginPaint, after WM_PAINT arrived
    DestroyWindow(hwnd);
}

TEST_F(PaintTest, ChildrenAndSiblingsClip) {
    HWND parent = painter(kRed, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 200);
    HWND child = painter(kGreen, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 20, 20, 50, 50, parent);
    HWND sibling = painter(kBlue, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 40, 40, 50, 50, parent);
    platform->PumpMessages();
    EXPECT_EQ(screen(10, 10), kRed);
    EXPECT_EQ(screen(25, 25), kGreen);
    EXPECT_EQ(screen(45, 45), kGreen);  // the child is above its later sibling
    EXPECT_EQ(screen(80, 80), kBlue);
    // The parent repaints without touching its children.
    InvalidateRect(parent, nullptr, TRUE);
    log().clear();
    platform->PumpMessages();
    EXPECT_FALSE(log().contains(child, WM_PAINT));
    EXPECT_EQ(screen(25, 25), kGreen);
    // Raising the sibling exposes it over the child.
    SetWindowPos(sibling, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    platform->PumpMessages();
    EXPECT_EQ(screen(45, 45), kBlue);
    EXPECT_EQ(screen(25, 25), kGreen);
    // Moving a child uncovers its old place, which the parent repaints.
    MoveWindow(child, 120, 120, 50, 50, TRUE);
    platform->PumpMessages();
    EXPECT_EQ(screen(25, 25), kRed);
    EXPECT_EQ(screen(125, 125), kGreen);
    DestroyWindow(parent);
}

TEST_F(PaintTest, ParentWithoutClipChildrenRepaintsChildrenAfterItself) {
    HWND parent = painter(kRed, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND child = painter(kGreen, WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, parent);
    platform->PumpMessages();
    log().clear();
    InvalidateRect(parent, nullptr, FALSE);
    platform->PumpMessages();
    // The parent paints over the child, so the child is invalidated with it and paints after.
    const auto& e = log().entries();
    auto firstPaint = [&](HWND h) {
        return std::find_if(e.begin(), e.end(),
                            [&](const Logged& l) { return l.hwnd == h && l.msg == WM_PAINT; });
    };
    ASSERT_NE(firstPaint(child), e.end());
    EXPECT_LT(firstPaint(parent), firstPaint(child));
    EXPECT_EQ(screen(15, 15), kGreen);
    DestroyWindow(parent);
}

TEST_F(PaintTest, WindowDcOfAChildDrawsAtItsPlace) {
    HWND parent = painter(kRed, WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 50, 200, 200);
    HWND child = painter(kGreen, WS_CHILD | WS_VISIBLE, 30, 40, 50, 50, parent);
    platform->PumpMessages();
    HDC hdc = GetDC(child);
    EXPECT_EQ(WindowFromDC(hdc), child);
    SetPixel(hdc, 0, 0, kBlue);
    SetPixel(hdc, 60, 0, kBlue);  // outside the child: clipped away
    RECT clip;
    EXPECT_EQ(GetClipBox(hdc, &clip), SIMPLEREGION);
    EXPECT_EQ(clip, (RECT{0, 0, 50, 50}));
    ReleaseDC(child, hdc);
    // Border (1) + the child's offset.
    EXPECT_EQ(screen(131, 91), kBlue);
    EXPECT_EQ(screen(191, 91), kRed);
    // The whole-window DC of the parent starts at the frame.
    hdc = GetWindowDC(parent);
    EXPECT_EQ(GetPixel(hdc, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    ReleaseDC(parent, hdc);
    // A hidden window's DC draws nothing.
    ShowWindow(child, SW_HIDE);
    hdc = GetDC(child);
    EXPECT_EQ(GetClipBox(hdc, &clip), NULLREGION);
    ReleaseDC(child, hdc);
    DestroyWindow(parent);
}

TEST_F(PaintTest, ScrollWindowExMovesPixelsAndInvalidatesTheRest) {
    HWND hwnd = painter(kRed, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    platform->PumpMessages();
    HDC hdc = GetDC(hwnd);
    RECT band{0, 50, 100, 60};
    SetDCBrushColor(hdc, kBlue);
    FillRect(hdc, &band, HBRUSH(GetStockObject(DC_BRUSH)));
    ReleaseDC(hwnd, hdc);
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    RECT updateRect;
    EXPECT_EQ(ScrollWindowEx(hwnd, 0, -20, nullptr, nullptr, update, &updateRect, SW_INVALIDATE),
              SIMPLEREGION);
    EXPECT_EQ(updateRect, (RECT{0, 80, 100, 100}));
    RECT pending;
    GetUpdateRect(hwnd, &pending, FALSE);
    EXPECT_EQ(pending, updateRect);
    RECT box;
    EXPECT_EQ(GetRgnBox(update, &box), SIMPLEREGION);
    EXPECT_EQ(box, updateRect);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, kGreen);
    EXPECT_EQ(screen(50, 35), kBlue);  // the band moved up by 20
    EXPECT_EQ(screen(50, 45), kRed);
    EXPECT_EQ(screen(50, 90), kGreen);  // the uncovered strip was repainted
    DeleteObject(update);
    platform->PumpMessages();
    DestroyWindow(hwnd);
}

// A region made of the given rectangles; the caller deletes it.
HRGN regionOf(const std::vector<RECT>& rects) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& r : rects) {
        HRGN part = CreateRectRgnIndirect(&r);
        CombineRgn(rgn, rgn, part, RGN_OR);
        DeleteObject(part);
    }
    return rgn;
}

TEST_F(PaintTest, ScrollWindowExKeepsThePendingUpdateRegionAndMovesItWithThePixels) {
    // Windows validates nothing when it scrolls: the pending update region stays, and its part
    // in the scroll rectangle also moves with the pixels, as far as the clip rectangle goes.
    // Both are reported with what scrolling uncovered, inside the clip rectangle.
    struct Scroll {
        DWORD style;
        RECT pending;  // invalidated before scrolling
        int dx, dy;
        const RECT *scroll, *clip;
        UINT flags;
    };
    struct Case {
        Scroll scroll;
        std::vector<RECT> reported, updateAfter;
    };
    const RECT leftHalf{0, 0, 50, 100}, topHalf{0, 0, 100, 50};
    const RECT client98{0, 0, 98, 98};
    constexpr UINT I = SW_INVALIDATE;
    const std::vector<Case> cases = {
        // Observed on Windows: a 98 × 98 client area scrolled left by 10, everything invalidated.
        {{WS_BORDER, {40, 40, 50, 50}, -10, 0, &client98, &client98, SW_SCROLLCHILDREN | I},
         {{88, 0, 98, 98}, {30, 40, 50, 50}},
         {{88, 0, 98, 98}, {30, 40, 50, 50}}},
        // Scrolled up, nothing invalidated.
        {{0, {10, 40, 20, 50}, 0, -20, nullptr, nullptr, 0},
         {{10, 20, 20, 30}, {10, 40, 20, 50}, {0, 80, 100, 100}},
         {{10, 20, 20, 30}, {10, 40, 20, 50}}},
        // Only pixels inside the clip rectangle move: its lowest 20 rows are uncovered.
        {{0, {10, 40, 20, 80}, 0, -20, nullptr, &topHalf, 0},
         {{10, 20, 20, 30}, {0, 30, 100, 50}},
         {{10, 20, 20, 80}}},
        // Pixels outside the scroll rectangle stay, and so does their update region.
        {{0, {60, 40, 70, 50}, 0, -20, &leftHalf, nullptr, I},
         {{60, 40, 70, 50}, {0, 80, 50, 100}},
         {{60, 40, 70, 50}, {0, 80, 50, 100}}},
    };
    for (const Case& c : cases) {
        const Scroll& s = c.scroll;
        SCOPED_TRACE(::testing::Message() << "pending " << s.pending.top << " flags " << s.flags);
        HWND hwnd = painter(kRed, WS_POPUP | WS_VISIBLE | s.style, 0, 0, 100, 100);
        platform->PumpMessages();
        InvalidateRect(hwnd, &s.pending, FALSE);
        HRGN update = CreateRectRgn(0, 0, 0, 0);
        RECT bounds;
        ScrollWindowEx(hwnd, s.dx, s.dy, s.scroll, s.clip, update, &bounds, s.flags);
        HRGN reported = regionOf(c.reported), after = regionOf(c.updateAfter);
        HRGN pending = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(hwnd, pending, FALSE);
        EXPECT_TRUE(EqualRgn(update, reported));
        EXPECT_TRUE(EqualRgn(pending, after));
        RECT expectedBounds;
        GetRgnBox(reported, &expectedBounds);
        EXPECT_EQ(bounds, expectedBounds);
        for (HRGN r : {update, reported, after, pending})
            DeleteObject(r);
        DestroyWindow(hwnd);
    }
}

TEST_F(PaintTest, ScrollBarsNeedRoomForThemselves) {
    // A vertical bar fits in its own width; a horizontal bar needs more than its own height.
    const int sw = GetSystemMetrics(SM_CXVSCROLL), sh = GetSystemMetrics(SM_CYHSCROLL);
    struct Case {
        DWORD style;
        int width, height;
        SIZE client;
        LRESULT lastPixelHit;  // at the bottom-right pixel
    };
    const std::vector<Case> cases = {
        {WS_HSCROLL, 60, sh, {60, sh}, HTCLIENT},
        {WS_HSCROLL, 60, sh + 1, {60, 1}, HTHSCROLL},
        {WS_VSCROLL, sw, 60, {0, 60}, HTVSCROLL},
        {WS_VSCROLL, sw - 1, 60, {sw - 1, 60}, HTCLIENT},
    };
    for (const Case& c : cases) {
        HWND hwnd = painter(kRed, WS_POPUP | WS_VISIBLE | c.style, 0, 0, c.width, c.height);
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client, (RECT{0, 0, c.client.cx, c.client.cy})) << c.width << " x " << c.height;
        EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(c.width - 1, c.height - 1)),
                  c.lastPixelHit)
            << c.width << " x " << c.height;
        DestroyWindow(hwnd);
    }
}

TEST_F(PaintTest, HorizontalScrollBarOfItsOwnHeightDrawsSquareArrows) {
    const int sh = GetSystemMetrics(SM_CYHSCROLL), aw = GetSystemMetrics(SM_CXHSCROLL);
    const int width = 120;
    HWND hwnd = painter(kRed, WS_POPUP | WS_VISIBLE | WS_HSCROLL, 0, 0, width, sh + 1);
    // The thumb sits at the right end, away from the left arrow.
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 10;
    si.nPos = 10;
    SetScrollInfo(hwnd, SB_HORZ, &si, TRUE);
    platform->PumpMessages();
    const COLORREF track = GetSysColor(COLOR_SCROLLBAR);
    const int middle = 1 + sh / 2;
    EXPECT_EQ(screen(0, 0), kRed);  // the one client row
    // Each arrow is a button exactly as wide as the bar is tall, its dark outer edge on its
    // last column and row.
    EXPECT_EQ(screen(aw - 1, middle), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(screen(aw - 1, sh), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(screen(aw, middle), track);
    EXPECT_NE(screen(width - aw, middle), track);  // the right arrow's light outer edge
    // The thumb, a raised button SM_CXHTHUMB wide, ends where the right arrow starts.
    const int thumb = GetSystemMetrics(SM_CXHTHUMB);
    EXPECT_EQ(screen(width - aw - thumb - 1, middle), track);
    EXPECT_EQ(screen(width - aw - 1, middle), GetSysColor(COLOR_3DDKSHADOW));
    DestroyWindow(hwnd);
}

// A program moving its scroll bar gets the bar redrawn at once and its client area left
// valid: only what the program itself invalidates is painted again.
TEST_F(PaintTest, SetScrollInfoRedrawsTheBarAloneAndAtOnce) {
    const int sw = GetSystemMetrics(SM_CXVSCROLL), ah = GetSystemMetrics(SM_CYVSCROLL);
    HWND hwnd = painter(kRed, WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 100, 200);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 0;
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
    platform->PumpMessages();
    const int x = 100 - sw / 2, nearBottom = 200 - ah - 4;
    const COLORREF track = GetSysColor(COLOR_SCROLLBAR);
    ASSERT_EQ(screen(x, nearBottom), track);
    MessageLog::instance().clear();
    si.fMask = SIF_POS;
    si.nPos = 90;  // the thumb at the bottom
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
    EXPECT_EQ(screen(x, nearBottom), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(screen(50, 100), kRed);
    EXPECT_TRUE(paints().empty());
    // Without redraw the bar waits for the next frame paint.
    si.nPos = 0;
    SetScrollInfo(hwnd, SB_VERT, &si, FALSE);
    EXPECT_EQ(screen(x, nearBottom), GetSysColor(COLOR_BTNFACE));
    DestroyWindow(hwnd);
}

TEST_F(PaintTest, ScrollWindowExLeavesChildrenOutOfTheUpdateRegion) {
    // A child at (10, 50)-(30, 70) in a 100 × 100 parent; the parent scrolls up by 20.
    struct Case {
        const char* what;
        DWORD parentStyle;
        UINT flags;
        POINT childAt;
        COLORREF shownAt20x40;       // before anything repaints
        std::vector<POINT> in, out;  // points of the parent the update region covers, or not
    };
    constexpr UINT I = SW_INVALIDATE;
    const std::vector<Case> cases = {
        // The child stays; the DC clips it: its area is not updated and does not move, so
        // what lands where its pixels would have gone is updated.
        {"clipping children",
         WS_CLIPCHILDREN,
         I,
         {10, 50},
         kRed,
         {{50, 90}, {20, 40}, {15, 31}},
         {{20, 60}, {50, 50}, {20, 29}}},
        // Without WS_CLIPCHILDREN the pixels under the child move as the parent's own.
        {"not clipping children",
         0,
         I,
         {10, 50},
         kBlue,
         {{50, 90}},
         {{20, 60}, {20, 40}, {50, 50}}},
        // Children scrolled along take their pixels with them.
        {"scrolling children",
         WS_CLIPCHILDREN,
         I | SW_SCROLLCHILDREN,
         {10, 30},
         kBlue,
         {{50, 90}},
         {{20, 40}, {20, 60}, {50, 50}}},
    };
    for (const Case& c : cases) {
        HWND parent = painter(kRed, WS_POPUP | WS_VISIBLE | c.parentStyle, 0, 0, 100, 100);
        HWND child = painter(kBlue, WS_CHILD | WS_VISIBLE, 10, 50, 20, 20, parent);
        platform->PumpMessages();
        HRGN update = CreateRectRgn(0, 0, 0, 0);
        ScrollWindowEx(parent, 0, -20, nullptr, nullptr, update, nullptr, c.flags);
        for (const POINT& p : c.in)
            EXPECT_TRUE(PtInRegion(update, p.x, p.y)) << c.what << " " << p.x << "," << p.y;
        for (const POINT& p : c.out)
            EXPECT_FALSE(PtInRegion(update, p.x, p.y)) << c.what << " " << p.x << "," << p.y;
        RECT rc;
        GetWindowRect(child, &rc);
        EXPECT_EQ(rc.left, c.childAt.x) << c.what;
        EXPECT_EQ(rc.top, c.childAt.y) << c.what;
        EXPECT_FALSE(GetUpdateRect(child, nullptr, FALSE)) << c.what;
        EXPECT_EQ(screen(20, 40), c.shownAt20x40) << c.what;
        DeleteObject(update);
        DestroyWindow(parent);
    }
}

TEST_F(PaintTest, PrintPaintsAParentIntoAChildsDc) {
    // A transparent-looking child asks its parent to paint into the child's DC, with the origin
    // moved so that the parent's drawing lines up.
    HWND parent = painter(kRed, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND child = painter(kGreen, WS_CHILD | WS_VISIBLE, 10, 10, 40, 40, parent);
    platform->PumpMessages();
    SetWindowLongPtrW(parent, GWLP_USERDATA, kBlue);
    HDC hdc = GetDC(child);
    POINT old;
    SetViewportOrgEx(hdc, -10, -10, &old);
    SendMessageW(parent, WM_PRINTCLIENT, hdc.value, PRF_CLIENT);
    SetViewportOrgEx(hdc, old.x, old.y, nullptr);
    ReleaseDC(child, hdc);
    EXPECT_EQ(screen(20, 20), kBlue);  // the parent's colour inside the child
    EXPECT_EQ(screen(60, 60), kRed);   // the parent itself untouched

    // WM_PRINT with children draws the whole tree into a memory bitmap.
    HDC mem = CreateCompatibleDC(HDC());
    // Compatible with the screen: a bitmap compatible with a new memory DC is monochrome.
    HDC screenDc = GetDC(HWND());
    HBITMAP bmp = CreateCompatibleBitmap(screenDc, 100, 100);
    ReleaseDC(HWND(), screenDc);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    SendMessageW(parent, WM_PRINT, mem.value, PRF_CLIENT | PRF_CHILDREN | PRF_NONCLIENT);
    EXPECT_EQ(GetPixel(mem, 5, 5), kBlue);
    EXPECT_EQ(GetPixel(mem, 15, 15), kGreen);
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);
    DestroyWindow(parent);
}

TEST_F(PaintTest, NonClientFramesAndEdges) {
    HWND bordered = painter(kRed, WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 50, 50);
    HWND edged = painter(kRed, WS_POPUP | WS_VISIBLE, 100, 0, 50, 50, HWND(), WS_EX_CLIENTEDGE);
    platform->PumpMessages();
    EXPECT_EQ(screen(0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(screen(1, 1), kRed);
    // A client edge is a sunken edge: shadow then dark shadow on the top-left, highlight then
    // light on the bottom-right.
    EXPECT_EQ(screen(100, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(screen(101, 10), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(screen(149, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(screen(148, 10), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(screen(102, 10), kRed);
    RECT client;
    GetClientRect(edged, &client);
    EXPECT_EQ(client, (RECT{0, 0, 46, 46}));
    EXPECT_EQ(SendMessageW(edged, WM_NCHITTEST, 0, MAKELPARAM(100, 10)), HTBORDER);
    EXPECT_EQ(SendMessageW(edged, WM_NCHITTEST, 0, MAKELPARAM(110, 10)), HTCLIENT);
    DestroyWindow(bordered);
    DestroyWindow(edged);
}

TEST_F(PaintTest, CaptionAndScrollBarsHitTest) {
    HWND hwnd = painter(kRed, WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 0, 0, 300, 200);
    RECT wr, client;
    GetWindowRect(hwnd, &wr);
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const int frame = GetSystemMetrics(SM_CXSIZEFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
    EXPECT_EQ(origin.x, frame);
    EXPECT_EQ(origin.y, frame + GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(client.right, 300 - 2 * frame - GetSystemMetrics(SM_CXVSCROLL));
    auto hit = [&](int x, int y) { return SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    EXPECT_EQ(hit(100, frame + 5), HTCAPTION);
    EXPECT_EQ(hit(300 - frame - 5, frame + 5), HTCLOSE);
    EXPECT_EQ(hit(origin.x + client.right + 3, origin.y + 50), HTVSCROLL);
    EXPECT_EQ(hit(1, 100), HTLEFT);
    EXPECT_EQ(hit(299, 199), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(400, 100), HTNOWHERE);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 95;
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &si, TRUE), 90);  // clamped to max - page + 1
    EXPECT_EQ(SetScrollPos(hwnd, SB_VERT, 0, TRUE), 90);
    // A click low in the track pages down.
    log().clear();
    platform->Click(origin.x + client.right + 8, origin.y + client.bottom - 30);
    bool paged = false;
    for (const Logged& l : log().entries())
        if (l.hwnd == hwnd && l.msg == WM_VSCROLL && l.wParam == SB_PAGEDOWN) paged = true;
    EXPECT_TRUE(paged);
    // The close box closes.
    platform->Click(300 - frame - 5, frame + 5);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(PaintTest, LayeredWindowsBlendOnTheScreen) {
    HWND back = painter(RGB(0, 0, 0), WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND front =
        painter(RGB(255, 255, 255), WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, HWND(), WS_EX_LAYERED);
    EXPECT_TRUE(SetLayeredWindowAttributes(front, 0, 128, LWA_ALPHA));
    EXPECT_FALSE(SetLayeredWindowAttributes(back, 0, 128, LWA_ALPHA));  // not layered
    const COLORREF c = screen(50, 50);
    EXPECT_NEAR(GetRValue(c), 128, 1);
    EXPECT_NEAR(GetGValue(c), 128, 1);
    SetLayeredWindowAttributes(front, RGB(255, 255, 255), 255, LWA_COLORKEY);
    EXPECT_EQ(screen(50, 50), RGB(0, 0, 0));  // the key colour is see-through
    DestroyWindow(front);
    DestroyWindow(back);
}

TEST_F(PaintTest, RedrawOffSuppressesPainting) {
    HWND hwnd = painter(kRed, WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    platform->PumpMessages();
    SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, kBlue);
    InvalidateRect(hwnd, nullptr, TRUE);
    log().clear();
    platform->PumpMessages();
    EXPECT_FALSE(log().contains(hwnd, WM_PAINT));
    SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd, nullptr, HRGN(), RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(log().contains(hwnd, WM_PAINT));  // painted at once, not through the queue
    EXPECT_EQ(screen(25, 25), kBlue);
    DestroyWindow(hwnd);
}

LRESULT ownDcProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return DefWindowProcW(h, m, w, l);
}

TEST_F(PaintTest, OwnDcsKeepTheirAttributesAndDieWithTheWindow) {
    WNDCLASSEXW wc;
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = ownDcProc;
    wc.lpszClassName = u"OwnDc";
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, u"OwnDc", u"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, HWND(),
                                HMENU(), HINSTANCE(), nullptr);
    HDC first = GetDC(hwnd);
    SetTextColor(first, kBlue);
    EXPECT_EQ(ReleaseDC(hwnd, first), 1);
    HDC second = GetDC(hwnd);
    EXPECT_EQ(second, first);
    EXPECT_EQ(GetTextColor(second), kBlue);  // attributes survive ReleaseDC
    ReleaseDC(hwnd, second);
    EXPECT_EQ(platform::testing::TestPlatform::LiveGdiObjects(), 1u);
    DestroyWindow(hwnd);  // the DC goes with the window
    EXPECT_EQ(platform::testing::TestPlatform::LiveGdiObjects(), 0u);
}

TEST_F(PaintTest, GetDcExIntersectsAndExcludesRegions) {
    HWND hwnd = painter(kRed, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    platform->PumpMessages();
    HRGN rgn = CreateRectRgn(10, 10, 30, 30);
    HDC dc = GetDCEx(hwnd, rgn, DCX_INTERSECTRGN);
    RECT clip;
    EXPECT_EQ(GetClipBox(dc, &clip), SIMPLEREGION);
    EXPECT_EQ(clip, (RECT{10, 10, 30, 30}));
    ReleaseDC(hwnd, dc);
    dc = GetDCEx(hwnd, rgn, DCX_EXCLUDERGN);
    RECT all{0, 0, 100, 100};
    FillRect(dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(screen(20, 20), kRed);
    EXPECT_EQ(screen(50, 50), RGB(0, 0, 0));
    DeleteObject(rgn);
    SetLastError(0);
    EXPECT_FALSE(GetDCEx(hwnd, HRGN(), 0x10000000));  // not a DCX_ flag
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    DestroyWindow(hwnd);
}

TEST_F(PaintTest, TopmostWindowsStayAboveTheOthers) {
    HWND topmost = painter(kBlue, WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, HWND(), WS_EX_TOPMOST);
    HWND normal = painter(kGreen, WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    EXPECT_EQ(GetTopWindow(HWND()), topmost);  // the newer window joins below the top-most band
    EXPECT_EQ(screen(10, 10), kBlue);
    SetWindowPos(normal, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopWindow(HWND()), topmost);
    SetWindowPos(topmost, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindowLongW(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    SetWindowPos(normal, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopWindow(HWND()), normal);
    EXPECT_EQ(screen(10, 10), kGreen);
    DestroyWindow(topmost);
    DestroyWindow(normal);
}

TEST_F(PaintTest, UpdateNowOnAChildValidatesTheParentUnderIt) {
    const COLORREF yellow = RGB(255, 255, 0);
    HWND parent = painter(kRed, WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND child = painter(kGreen, WS_CHILD | WS_VISIBLE, 20, 20, 50, 50, parent);
    platform->PumpMessages();
    SetWindowLongPtrW(parent, GWLP_USERDATA, kBlue);
    SetWindowLongPtrW(child, GWLP_USERDATA, yellow);
    InvalidateRect(parent, nullptr, FALSE);  // the parent does not clip: the child is invalid too
    RedrawWindow(child, nullptr, HRGN(), RDW_UPDATENOW);
    EXPECT_FALSE(GetUpdateRect(child, nullptr, FALSE));
    // The child covers its area, so the parent no longer needs to paint there.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(parent, rgn, FALSE), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(rgn, 30, 30));
    EXPECT_TRUE(PtInRegion(rgn, 10, 10));
    EXPECT_TRUE(PtInRegion(rgn, 100, 100));
    DeleteObject(rgn);
    platform->PumpMessages();
    EXPECT_EQ(screen(30, 30), yellow);  // not painted over by the parent
    EXPECT_EQ(screen(10, 10), kBlue);
    EXPECT_EQ(screen(100, 100), kBlue);
    // A parent that clips its children keeps its own update region.
    SetWindowLongW(parent, GWL_STYLE, GetWindowLongW(parent, GWL_STYLE) | WS_CLIPCHILDREN);
    RedrawWindow(parent, nullptr, HRGN(), RDW_INVALIDATE | RDW_ALLCHILDREN);
    RedrawWindow(child, nullptr, HRGN(), RDW_UPDATENOW);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(parent, &update, FALSE));
    EXPECT_EQ(update, (RECT{0, 0, 200, 200}));
    platform->PumpMessages();
    DestroyWindow(parent);
}

TEST_F(PaintTest, UpdateNowPaintsParentsBeforeTheirChildren) {
    HWND parent = painter(kRed, WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND first = painter(kGreen, WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, parent);
    HWND second = painter(kBlue, WS_CHILD | WS_VISIBLE, 100, 10, 50, 50, parent);
    platform->PumpMessages();
    struct Case {
        const char* what;
        HWND invalidatedByFirst;  // the window the first child's paint invalidates again
        std::vector<HWND> expected;
    };
    const std::vector<Case> cases = {
        {"UpdateWindow paints the children after the parent", HWND(), {parent, first, second}},
        {"a parent invalidated by a child paints before the next child",
         parent,
         {parent, first, parent, second}},
    };
    for (const Case& c : cases) {
        InvalidateRect(parent, nullptr, FALSE);
        invalidateOnPaint = {c.invalidatedByFirst ? first : HWND(), c.invalidatedByFirst};
        log().clear();
        UpdateWindow(parent);
        EXPECT_EQ(paints(), c.expected) << c.what;
        EXPECT_FALSE(GetUpdateRect(parent, nullptr, FALSE)) << c.what;
        EXPECT_FALSE(GetUpdateRect(second, nullptr, FALSE)) << c.what;
    }
    invalidateOnPaint = {};
    DestroyWindow(parent);
}

TEST_F(PaintTest, InternalPaintReachesTheChildrenItIsAskedTo) {
    HWND parent = painter(kRed, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 200);
    HWND child = painter(kGreen, WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, parent);
    platform->PumpMessages();
    struct Case {
        UINT flags;
        std::vector<Expected> seq;
    };
    const std::vector<Case> cases = {
        {RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW,
         {{WM_PAINT, Expected::Parent}, {WM_PAINT}}},
        {RDW_INTERNALPAINT | RDW_UPDATENOW, {{WM_PAINT, Expected::Parent}}},
        {RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_NOCHILDREN | RDW_UPDATENOW,
         {{WM_PAINT, Expected::Parent}, {WM_PAINT}}},
    };
    for (const Case& c : cases) {
        log().clear();
        RedrawWindow(parent, nullptr, HRGN(), c.flags);
        platform->PumpMessages();
        EXPECT_EQ(log().compare(child, parent, c.seq, {WM_NCPAINT, WM_ERASEBKGND}), "")
            << std::hex << c.flags;
    }
    DestroyWindow(parent);
}

TEST_F(PaintTest, FrameAndEraseComeInWindowsOrder) {
    HWND hwnd = MessageLog::create(WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0, 100, 100);
    platform->PumpMessages();
    constexpr UINT kAll = RDW_INVALIDATE | RDW_FRAME | RDW_ERASE;
    struct Case {
        UINT flags;
        std::vector<Expected> now;    // during RedrawWindow
        std::vector<Expected> later;  // from the queue afterwards
    };
    const std::vector<Case> cases = {
        // Painting now: WM_PAINT first, the frame and the erase from its BeginPaint.
        {kAll | RDW_UPDATENOW, {{WM_PAINT}, {WM_NCPAINT}, {WM_ERASEBKGND}}, {}},
        {kAll | RDW_ERASENOW | RDW_UPDATENOW, {{WM_PAINT}, {WM_NCPAINT}, {WM_ERASEBKGND}}, {}},
        // Erasing now: the frame and the background, WM_PAINT later.
        {kAll | RDW_ERASENOW, {{WM_NCPAINT}, {WM_ERASEBKGND}}, {{WM_PAINT}}},
        {kAll, {}, {{WM_PAINT}, {WM_NCPAINT}, {WM_ERASEBKGND}}},
        {RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW, {{WM_PAINT}, {WM_NCPAINT}}, {}},
    };
    for (const Case& c : cases) {
        log().clear();
        RedrawWindow(hwnd, nullptr, HRGN(), c.flags);
        EXPECT_EQ(log().compare(hwnd, HWND(), c.now), "") << std::hex << c.flags;
        log().clear();
        platform->PumpMessages();
        EXPECT_EQ(log().compare(hwnd, HWND(), c.later), "") << std::hex << c.flags;
    }
    DestroyWindow(hwnd);
}

// Records what GetUpdateRect and BeginPaint say inside WM_PAINT.
struct PaintSeen {
    BOOL updateRect = -1;
    RECT update{}, paint{};
};
PaintSeen seen;

LRESULT updateProbeProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    MessageLog::instance().add(h, m, w, l);
    if (m == WM_PAINT) {
        seen.updateRect = GetUpdateRect(h, &seen.update, FALSE);
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        seen.paint = ps.rcPaint;
        EndPaint(h, &ps);
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

TEST_F(PaintTest, FrameOnlyInvalidationPaintsAnEmptyClientArea) {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = updateProbeProc;
    wc.lpszClassName = u"UpdateProbe";
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, u"UpdateProbe", u"", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0,
                                100, 100, HWND(), HMENU(), HINSTANCE(), nullptr);
    platform->PumpMessages();
    RECT frame{-1, -1, 101, 0};  // the top border, in client coordinates
    RedrawWindow(hwnd, &frame, HRGN(), RDW_INVALIDATE | RDW_FRAME);
    RECT update{1, 2, 3, 4};
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_EQ(update, (RECT{0, 0, 0, 0}));
    log().clear();
    seen = {};
    platform->PumpMessages();
    const std::vector<Expected> seq = {{WM_PAINT}, {WM_NCPAINT}};
    EXPECT_EQ(log().compare(hwnd, HWND(), seq), "");
    EXPECT_FALSE(seen.updateRect);
    EXPECT_EQ(seen.update, (RECT{0, 0, 0, 0}));
    EXPECT_EQ(seen.paint, (RECT{0, 0, 0, 0}));
    DestroyWindow(hwnd);
}

TEST_F(PaintTest, ParentDcChildrenDrawOverTheParentsClientArea) {
    WNDCLASSEXW wc;
    wc.style = CS_PARENTDC;
    wc.lpfnWndProc = painterProc;
    wc.lpszClassName = u"ParentDcPainter";
    RegisterClassExW(&wc);
    HWND parent = painter(kRed, WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0, 200, 200);
    painter(kGreen, WS_CHILD | WS_VISIBLE, 100, 100, 40, 40, parent);  // a sibling in front
    HWND child = CreateWindowExW(0, u"ParentDcPainter", u"", WS_CHILD | WS_VISIBLE, 20, 20, 50, 50,
                                 parent, HMENU(), HINSTANCE(), nullptr);
    SetWindowLongPtrW(child, GWLP_USERDATA, kBlue);
    platform->PumpMessages();
    HDC hdc = GetDC(child);
    RECT all{-100, -100, 400, 400};  // child coordinates
    SetDCBrushColor(hdc, RGB(255, 255, 0));
    FillRect(hdc, &all, HBRUSH(GetStockObject(DC_BRUSH)));
    ReleaseDC(child, hdc);
    struct Probe {
        POINT at;
        COLORREF expected;
    };
    const std::vector<Probe> probes = {
        {{30, 30}, RGB(255, 255, 0)},              // the child itself
        {{5, 5}, RGB(255, 255, 0)},                // the parent's client area left of the child
        {{120, 120}, RGB(255, 255, 0)},            // a sibling is not clipped away
        {{198, 198}, RGB(255, 255, 0)},            // the last client pixel
        {{0, 0}, GetSysColor(COLOR_WINDOWFRAME)},  // the parent's border is not client area
        {{199, 100}, GetSysColor(COLOR_WINDOWFRAME)},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(screen(p.at.x, p.at.y), p.expected) << p.at.x << "," << p.at.y;
    DestroyWindow(parent);
}

class HighDpiPaintTest : public PaintTest {
protected:
    platform::testing::TestOptions options() const override { return {800, 600, 144, 1000000}; }
};

TEST_F(HighDpiPaintTest, MetricsFollowTheScreenDpi) {
    HDC screenDc = GetDC(HWND());
    EXPECT_EQ(GetDeviceCaps(screenDc, LOGPIXELSX), 144);
    EXPECT_EQ(GetDeviceCaps(screenDc, HORZRES), 800);
    ReleaseDC(HWND(), screenDc);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 26);  // 17 at 96 DPI
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    HWND hwnd = painter(kRed, WS_POPUP | WS_VISIBLE, 700, 500, 200, 200);
    EXPECT_EQ(screen(799, 599), kRed);  // a window off the edge is cut by the screen
    DestroyWindow(hwnd);
}

}  // namespace
}  // namespace orvane::test
