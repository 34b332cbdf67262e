// The progress bar window: range and position arithmetic, the themed and plain looks by pixel
// probes, states, and the marquee moving on the virtual clock.
#include <utility>

#include "platform/comctl/CommCtrl.h"
#include "platform/theme/Theme.h"
#include "support/PlatformTest.h"

namespace orvane::platform::test {
namespace {

using orvane::test::PlatformTest;
using Screen = platform::testing::TestPlatform;

class ProgressTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        INITCOMMONCONTROLSEX icc;
        icc.dwICC = ICC_PROGRESS_CLASS;
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        WNDCLASSEXW wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = u"ProgressHost";
        RegisterClassExW(&wc);
        host = CreateWindowExW(0, u"ProgressHost", u"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                               HWND(), HMENU(), HINSTANCE(), nullptr);
    }
    void TearDown() override {
        DestroyWindow(host);
        EnableTheming(TRUE);
        PlatformTest::TearDown();
    }
    HWND bar(DWORD style, int w = 200, int h = 20) {
        const HWND b = CreateWindowExW(0, PROGRESS_CLASSW, u"", WS_CHILD | WS_VISIBLE | style, 10,
                                       10, w, h, host, HMENU(), HINSTANCE(), nullptr);
        Screen::PumpMessages();
        return b;
    }
    COLORREF at(HWND b, int x, int y) {
        Screen::PumpMessages();
        return Screen::ClientPixel(b, x, y);
    }
    HWND host;
};

TEST_F(ProgressTest, RangeAndPositionFollowTheMessages) {
    const HWND b = bar(0);
    EXPECT_EQ(SendMessageW(b, PBM_SETRANGE32, 0, 100), MAKELONG(0, 100));
    EXPECT_EQ(SendMessageW(b, PBM_SETPOS, 150, 0), 0);  // the previous position
    EXPECT_EQ(SendMessageW(b, PBM_GETPOS, 0, 0), 100);  // kept within the range
    EXPECT_EQ(SendMessageW(b, PBM_DELTAPOS, static_cast<WPARAM>(-30), 0), 100);
    EXPECT_EQ(SendMessageW(b, PBM_GETPOS, 0, 0), 70);
    // Negative ranges, and PBM_GETRANGE both ways.
    EXPECT_EQ(SendMessageW(b, PBM_SETRANGE32, static_cast<WPARAM>(-50), -10), MAKELONG(0, 100));
    EXPECT_EQ(SendMessageW(b, PBM_GETPOS, 0, 0), -10);
    PBRANGE range;
    EXPECT_EQ(SendMessageW(b, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), -50);
    EXPECT_EQ(range.iHigh, -10);
    EXPECT_EQ(SendMessageW(b, PBM_GETRANGE, FALSE, 0), -10);
    // Stepping past the top starts again from the bottom.
    SendMessageW(b, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    EXPECT_EQ(SendMessageW(b, PBM_SETSTEP, 30, 0), 10);
    SendMessageW(b, PBM_SETPOS, 90, 0);
    EXPECT_EQ(SendMessageW(b, PBM_STEPIT, 0, 0), 90);
    EXPECT_EQ(SendMessageW(b, PBM_GETPOS, 0, 0), 20);
    // States and colours answer with what they replace.
    EXPECT_EQ(SendMessageW(b, PBM_SETSTATE, PBST_ERROR, 0), PBST_NORMAL);
    EXPECT_EQ(SendMessageW(b, PBM_SETSTATE, 7, 0), 0);
    EXPECT_EQ(SendMessageW(b, PBM_GETSTATE, 0, 0), PBST_ERROR);
    EXPECT_EQ(SendMessageW(b, PBM_SETBARCOLOR, 0, RGB(1, 2, 3)), LRESULT(CLR_DEFAULT));
    EXPECT_EQ(SendMessageW(b, PBM_GETBARCOLOR, 0, 0), LRESULT(RGB(1, 2, 3)));
    EXPECT_EQ(SendMessageW(b, PBM_SETBKCOLOR, 0, RGB(4, 5, 6)), LRESULT(CLR_DEFAULT));
    EXPECT_EQ(SendMessageW(b, PBM_GETBKCOLOR, 0, 0), LRESULT(RGB(4, 5, 6)));
    // Styles the bar does not know make no window.
    EXPECT_FALSE(CreateWindowExW(0, PROGRESS_CLASSW, u"", WS_CHILD | 0x40, 0, 0, 10, 10, host,
                                 HMENU(), HINSTANCE(), nullptr));
}

TEST_F(ProgressTest, TheFillShowsThePositionAndTheState) {
    const HWND b = bar(0);
    SendMessageW(b, PBM_SETPOS, 50, 0);
    const COLORREF filled = at(b, 50, 10), empty = at(b, 150, 10);
    EXPECT_NE(filled, empty);
    // The edge lies at half the track (inside its one-pixel border).
    EXPECT_EQ(at(b, 98, 10), filled);
    EXPECT_EQ(at(b, 101, 10), empty);
    SendMessageW(b, PBM_SETSTATE, PBST_ERROR, 0);
    const COLORREF error = at(b, 50, 10);
    EXPECT_GT(GetRValue(error), GetBValue(error) + 60);
    SendMessageW(b, PBM_SETSTATE, PBST_PAUSED, 0);
    const COLORREF paused = at(b, 50, 10);
    EXPECT_GT(GetGValue(paused), GetBValue(paused) + 60);
    // Vertical bars fill from the bottom.
    const HWND v = bar(PBS_VERTICAL, 20, 200);
    SendMessageW(v, PBM_SETPOS, 25, 0);
    EXPECT_EQ(at(v, 10, 190), filled);
    EXPECT_EQ(at(v, 10, 100), empty);
}

TEST_F(ProgressTest, WithoutStylesTheBarIsBlocksOrSmooth) {
    EnableTheming(FALSE);
    const HWND blocks = bar(0, 200, 20);
    SendMessageW(blocks, PBM_SETPOS, 30, 0);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    // Blocks are 12 pixels (two thirds of the 18-pixel track) with 2-pixel gaps, from x = 1.
    EXPECT_EQ(at(blocks, 1, 9), highlight);
    EXPECT_EQ(at(blocks, 12, 9), highlight);
    EXPECT_EQ(at(blocks, 13, 9), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(at(blocks, 15, 9), highlight);
    // 30 % of 198 pixels reaches into the fifth block, which shows whole; the sixth does not.
    EXPECT_EQ(at(blocks, 56 + 11, 9), highlight);
    EXPECT_EQ(at(blocks, 70 + 2, 9), GetSysColor(COLOR_BTNFACE));
    const HWND smooth = bar(PBS_SMOOTH, 200, 18);
    SendMessageW(smooth, PBM_SETPOS, 30, 0);
    SendMessageW(smooth, PBM_SETBARCOLOR, 0, RGB(200, 0, 0));
    SendMessageW(smooth, PBM_SETBKCOLOR, 0, RGB(0, 0, 90));
    EXPECT_EQ(at(smooth, 13, 9), RGB(200, 0, 0));
    EXPECT_EQ(at(smooth, 59, 9), RGB(200, 0, 0));
    EXPECT_EQ(at(smooth, 61, 9), RGB(0, 0, 90));
}

TEST_F(ProgressTest, AMarqueeMovesOnItsTimerUntilStopped) {
    const HWND b = bar(PBS_MARQUEE);
    const COLORREF empty = at(b, 5, 10);
    SendMessageW(b, PBM_SETMARQUEE, TRUE, 50);
    // Where the moving piece is, as the first and last filled column of the track.
    auto piece = [&] {
        int first = -1, last = -1;
        for (int x = 1; x < 199; ++x)
            if (at(b, x, 10) != empty) {
                if (first < 0) first = x;
                last = x;
            }
        return std::make_pair(first, last);
    };
    platform->AdvanceTime(50 * 20);  // twenty ticks: a third of the way
    const auto early = piece();
    EXPECT_GE(early.first, 1);
    EXPECT_EQ(early.second - early.first + 1, 49);  // a quarter of the 198-pixel track
    platform->AdvanceTime(50 * 10);
    const auto later = piece();
    EXPECT_GT(later.first, early.first);
    SendMessageW(b, PBM_SETMARQUEE, FALSE, 0);
    platform->AdvanceTime(50 * 10);
    EXPECT_EQ(piece().first, -1);  // a stopped marquee shows no piece
}

}  // namespace
}  // namespace orvane::platform::test
