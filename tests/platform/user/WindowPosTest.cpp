// Positioning details: client rectangles as WM_NCCALCSIZE gives them, what children of hidden
// parents hear, and how activation nests inside the positioning that causes it.
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

using E = Expected;
constexpr unsigned O = E::Optional;
constexpr unsigned P = E::Parent;
constexpr unsigned W = E::WParam;

class WindowPosTest : public PlatformTest {};

// Grows the proposed client rectangle by 10 on each side when the window is at x = 100 and
// shrinks it by 10 elsewhere, as a procedure with its own frame might.
LRESULT inflatingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_NCCALCSIZE) {
        RECT* rc = reinterpret_cast<RECT*>(l);
        if (rc->left == 100)
            InflateRect(rc, 10, 10);
        else
            InflateRect(rc, -10, -10);
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

TEST_F(WindowPosTest, ClientRectangleIsKeptAsCalcSizeGivesIt) {
    HWND hwnd = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(inflatingProc));
    struct Case {
        POINT at;
        RECT client;  // in screen coordinates
    };
    const std::vector<Case> cases = {
        {{100, 100}, {90, 90, 110, 110}},    // larger than the (empty) window
        {{200, 200}, {210, 210, 190, 190}},  // inverted
    };
    for (const Case& c : cases) {
        SetWindowPos(hwnd, HWND(), c.at.x, c.at.y, 0, 0, SWP_NOZORDER | SWP_FRAMECHANGED);
        RECT rc;
        GetWindowRect(hwnd, &rc);
        EXPECT_EQ(rc, (RECT{c.at.x, c.at.y, c.at.x, c.at.y}));
        GetClientRect(hwnd, &rc);
        EXPECT_EQ(rc, (RECT{0, 0, c.client.right - c.client.left, c.client.bottom - c.client.top}));
        MapWindowPoints(hwnd, HWND(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc, c.client);
        POINT pt{c.client.left, c.client.top};
        ScreenToClient(hwnd, &pt);
        EXPECT_EQ(pt.x, 0);
        EXPECT_EQ(pt.y, 0);
    }
    // A window with an inverted client area still paints its frame and takes a DC.
    SetWindowPos(hwnd, HWND(), 200, 200, 40, 40, SWP_NOZORDER);
    RECT rc;
    GetClientRect(hwnd, &rc);
    EXPECT_EQ(rc, (RECT{0, 0, 20, 20}));
    SetWindowPos(hwnd, HWND(), 100, 100, 0, 0, SWP_NOZORDER | SWP_NOMOVE);
    SetWindowPos(hwnd, HWND(), 150, 150, 0, 0, SWP_NOZORDER | SWP_FRAMECHANGED);
    GetClientRect(hwnd, &rc);
    EXPECT_EQ(rc, (RECT{0, 0, -20, -20}));
    HDC hdc = GetDC(hwnd);
    RECT box;
    EXPECT_EQ(GetClipBox(hdc, &box), NULLREGION);
    ReleaseDC(hwnd, hdc);
    RedrawWindow(hwnd, nullptr, HRGN(), RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    DestroyWindow(hwnd);
}

// Answers the creation-time WM_NCCALCSIZE with an inverted rectangle.
LRESULT invertingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_NCCALCSIZE && !w) {
        RECT* rc = reinterpret_cast<RECT*>(l);
        *rc = RECT{rc->left + 30, rc->top + 30, rc->left + 10, rc->top + 20};
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

TEST_F(WindowPosTest, CreationKeepsAnInvertedClientRectangle) {
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = invertingProc;
    wc.lpszClassName = u"Inverting";
    ASSERT_TRUE(RegisterClassExW(&wc));
    HWND hwnd = CreateWindowExW(0, u"Inverting", u"", WS_POPUP | WS_VISIBLE, 5, 5, 60, 60, HWND(),
                                HMENU(), HINSTANCE(), nullptr);
    ASSERT_TRUE(hwnd);
    RECT rc;
    GetClientRect(hwnd, &rc);
    EXPECT_EQ(rc, (RECT{0, 0, -20, -10}));
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    EXPECT_EQ(origin.x, 35);
    EXPECT_EQ(origin.y, 35);
    platform->PumpMessages();
    DestroyWindow(hwnd);
    UnregisterClassW(u"Inverting", HINSTANCE());
}

}  // namespace
}  // namespace orvane::test
