// The caret: hidden when made, shown by ShowCaret as inverted pixels, blinking on the virtual
// clock while shown, nested hides, moves that show it at once, taken off while its owner paints
// and put back after, and gone with its owner.
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

LRESULT whiteProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(h, &ps);
        FillRect(dc, &ps.rcPaint, HBRUSH(GetStockObject(WHITE_BRUSH)));
        EndPaint(h, &ps);
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

class CaretTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        WNDCLASSEXW wc;
        wc.lpfnWndProc = whiteProc;
        wc.lpszClassName = u"White";
        RegisterClassExW(&wc);
        hwnd = CreateWindowExW(0, u"White", u"", WS_POPUP | WS_VISIBLE, 10, 10, 100, 60, HWND(),
                               HMENU(), HINSTANCE(), nullptr);
        platform->PumpMessages();
    }
    void TearDown() override {
        DestroyWindow(hwnd);
        PlatformTest::TearDown();
    }
    bool inverted(int x, int y) { return platform->ClientPixel(hwnd, x, y) == RGB(0, 0, 0); }
    // Advances the clock in small steps, counting the caret's changes at (x, y).
    int blinksOver(int ms, int x, int y) {
        int changes = 0;
        bool was = inverted(x, y);
        for (int t = 0; t < ms; t += 10) {
            platform->AdvanceTime(10);
            platform->PumpMessages();
            const bool now = inverted(x, y);
            changes += now != was;
            was = now;
        }
        return changes;
    }
    HWND hwnd;
};

TEST_F(CaretTest, ShowsHidesAndBlinksWhileShown) {
    ASSERT_TRUE(CreateCaret(hwnd, HBITMAP(), 2, 16));
    SetCaretPos(20, 10);
    EXPECT_FALSE(inverted(20, 10));  // a new caret is hidden
    EXPECT_EQ(blinksOver(2000, 20, 10), 0);
    ASSERT_TRUE(ShowCaret(hwnd));
    EXPECT_TRUE(inverted(20, 10));
    EXPECT_TRUE(inverted(21, 25));
    EXPECT_FALSE(inverted(22, 10));  // two pixels wide
    // 530 ms a phase: three changes in 1.6 s.
    EXPECT_EQ(blinksOver(1600, 20, 10), 3);
    // Hides nest: two hides need two shows.
    HideCaret(hwnd);
    HideCaret(hwnd);
    EXPECT_FALSE(inverted(20, 10));
    ShowCaret(hwnd);
    EXPECT_EQ(blinksOver(1200, 20, 10), 0);
    ShowCaret(hwnd);
    EXPECT_TRUE(inverted(20, 10));
    // Another window may not show or hide it.
    const HWND other = CreateWindowExW(0, u"White", u"", WS_POPUP, 0, 0, 10, 10, HWND(), HMENU(),
                                       HINSTANCE(), nullptr);
    EXPECT_FALSE(HideCaret(other));
    EXPECT_TRUE(inverted(20, 10));
    DestroyWindow(other);
    SetCaretBlinkTime(INFINITE);
    EXPECT_EQ(blinksOver(2000, 20, 10), 0);
    SetCaretBlinkTime(530);
}

TEST_F(CaretTest, MovesShowAtOnceAndPaintingLeavesItInPlace) {
    CreateCaret(hwnd, HBITMAP(), 0, 12);  // the border width: one pixel
    ShowCaret(hwnd);
    platform->AdvanceTime(540);  // blinked off
    platform->PumpMessages();
    EXPECT_FALSE(inverted(0, 0));
    SetCaretPos(40, 20);
    EXPECT_TRUE(inverted(40, 20));
    EXPECT_FALSE(inverted(41, 20));
    EXPECT_FALSE(inverted(0, 0));
    POINT p{};
    GetCaretPos(&p);
    EXPECT_EQ(p.x, 40);
    EXPECT_EQ(p.y, 20);
    // The owner repaints under it: the caret is still shown, once, afterwards.
    InvalidateRect(hwnd, nullptr, TRUE);
    platform->PumpMessages();
    EXPECT_TRUE(inverted(40, 20));
    // Destroyed, nothing of it stays on the screen; a destroyed owner takes it along.
    DestroyCaret();
    EXPECT_FALSE(inverted(40, 20));
    EXPECT_FALSE(DestroyCaret());
    CreateCaret(hwnd, HBITMAP(), 2, 2);
    DestroyWindow(hwnd);
    EXPECT_FALSE(SetCaretPos(1, 1));
    hwnd = CreateWindowExW(0, u"White", u"", WS_POPUP, 0, 0, 10, 10, HWND(), HMENU(), HINSTANCE(),
                           nullptr);
}

}  // namespace
}  // namespace orvane::test
