// The mouse held down on a window's frame: moving by the caption and sizing by the frame (the
// loop follows the mouse until the button is released, and Escape puts the window back),
// scroll bars (the thumb dragged, arrows and page areas repeating while held) and caption
// buttons acting only when released over them.
#include <algorithm>
#include <vector>

#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

std::vector<UINT>& seen() {
    static std::vector<UINT> s;
    return s;
}

// WM_VSCROLL as (code, position, the track position the bar reports meanwhile).
struct Scrolled {
    int code, pos, trackPos;
};
std::vector<Scrolled>& scrolls() {
    static std::vector<Scrolled> s;
    return s;
}

LRESULT recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ENTERSIZEMOVE || msg == WM_EXITSIZEMOVE || msg == WM_MOVING || msg == WM_SIZING)
        seen().push_back(msg);
    if (msg == WM_VSCROLL) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(hwnd, SB_VERT, &si);
        scrolls().push_back({LOWORD(wParam), HIWORD(wParam), si.nTrackPos});
        // The window scrolls a page as asked, as a document view would.
        if (LOWORD(wParam) == SB_PAGEDOWN) SetScrollPos(hwnd, SB_VERT, si.nPos + 10, TRUE);
    }
    // The window keeps itself at least 250 pixels wide while being sized.
    if (msg == WM_SIZING) {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (r->right - r->left < 250) r->right = r->left + 250;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class MoveSizeTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        seen().clear();
        scrolls().clear();
        WNDCLASSEXW wc{};
        wc.lpfnWndProc = recordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hIcon = HICON();
        wc.hCursor = HCURSOR();
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.hIconSm = HICON();
        wc.lpszClassName = u"Movable";
        RegisterClassExW(&wc);
        hwnd = CreateWindowExW(0, u"Movable", u"Movable",
                               WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 100, 100, 400, 300,
                               HWND(), HMENU(), HINSTANCE(), nullptr);
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMax = 99;
        si.nPage = 10;
        SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
        platform->PumpMessages();
    }
    void TearDown() override {
        DestroyWindow(hwnd);
        PlatformTest::TearDown();
    }
    // Press at `from`, move by (dx, dy), then release (or press Escape, or release only
    // later): queued together, as a quick hand would, then handled.
    void drag(POINT from, int dx, int dy, bool escape = false, bool release = true) {
        SetCursorPos(from.x, from.y);
        button(MOUSEEVENTF_LEFTDOWN);
        SetCursorPos(from.x + dx / 2, from.y + dy / 2);
        SetCursorPos(from.x + dx, from.y + dy);
        if (escape) keybd_event(static_cast<BYTE>(VK_ESCAPE), 0, 0, 0);
        if (release) button(MOUSEEVENTF_LEFTUP);
        platform->PumpMessages();
    }
    static void button(DWORD flags) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flags;
        SendInput(1, &in, sizeof in);
    }
    // A point of the vertical scroll bar, `down` pixels below its top.
    POINT bar(int down) {
        RECT client;
        GetClientRect(hwnd, &client);
        POINT o{client.right, 0};
        ClientToScreen(hwnd, &o);
        return POINT{o.x + GetSystemMetrics(SM_CXVSCROLL) / 2, o.y + down};
    }
    std::vector<int> codes() {
        std::vector<int> c;
        for (const Scrolled& s : scrolls())
            c.push_back(s.code);
        return c;
    }
    RECT rect() {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return r;
    }
    HWND hwnd;
};

}  // namespace

TEST_F(MoveSizeTest, TheCaptionMovesTheWindow) {
    const RECT before = rect();
    drag(POINT{before.left + 100, before.top + 12}, 40, 25);
    const RECT after = rect();
    EXPECT_EQ(after.left, before.left + 40);
    EXPECT_EQ(after.top, before.top + 25);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    ASSERT_FALSE(seen().empty());
    EXPECT_EQ(seen().front(), static_cast<UINT>(WM_ENTERSIZEMOVE));
    EXPECT_EQ(seen().back(), static_cast<UINT>(WM_EXITSIZEMOVE));
    EXPECT_NE(std::find(seen().begin(), seen().end(), WM_MOVING), seen().end());
    EXPECT_EQ(GetCapture(), HWND());

    // Escape puts it back where the drag started.
    drag(POINT{after.left + 100, after.top + 12}, -70, 10, true);
    EXPECT_EQ(rect().left, after.left);
    EXPECT_EQ(rect().top, after.top);
}

TEST_F(MoveSizeTest, TheFrameSizesTheWindowWithinWhatItAllows) {
    const RECT before = rect();
    drag(POINT{before.right - 2, before.bottom - 2}, 30, 20);  // the bottom-right corner
    RECT after = rect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right - after.left, before.right - before.left + 30);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 20);
    EXPECT_NE(std::find(seen().begin(), seen().end(), WM_SIZING), seen().end());
    // The left edge: narrower, but WM_SIZING keeps 250 pixels.
    drag(POINT{after.left + 1, after.top + 150}, 300, 0);
    const RECT narrow = rect();
    EXPECT_EQ(narrow.right - narrow.left, 250);
    EXPECT_EQ(narrow.left, after.left + 300);
    // A maximised window is neither moved nor sized.
    ShowWindow(hwnd, SW_MAXIMIZE);
    platform->PumpMessages();
    const RECT full = rect();
    drag(POINT{full.left + 300, full.top + 12}, 50, 50);
    EXPECT_EQ(rect().left, full.left);
}

TEST_F(MoveSizeTest, TheThumbFollowsTheMouseAndLandsOnRelease) {
    // The thumb of 100 positions with a page of 10 starts at the top of the track.
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    drag(bar(arrow + 5), 0, 60);
    ASSERT_EQ(codes(),
              (std::vector<int>{SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL}));
    const Scrolled& half = scrolls()[0];
    const Scrolled& last = scrolls()[1];
    EXPECT_GT(half.pos, 0);
    EXPECT_GT(last.pos, half.pos);
    EXPECT_EQ(last.trackPos, last.pos);  // the bar reports the drag while it lasts
    EXPECT_EQ(scrolls()[2].pos, last.pos);
    // The window did not move its position: the thumb goes back to it.
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 0);
    // Dragged far past the end, the position stops at the last page.
    scrolls().clear();
    drag(bar(arrow + 5), 0, 2000);
    EXPECT_EQ(scrolls().at(scrolls().size() - 2).pos, 90);
    EXPECT_EQ(GetCapture(), HWND());
}

// A thread timer releases the button after `ms` of holding it.
void releaseLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(HWND(), id);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
}

TEST_F(MoveSizeTest, HeldArrowsAndPageAreasRepeat) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    // The down arrow held for 990 ms: once at the press, after 200 ms, then every 50 ms.
    SetTimer(HWND(), 0, 990, releaseLater);
    drag(bar(client.bottom - arrow / 2), 0, 0, false, false);
    std::vector<int> expected(17, SB_LINEDOWN);
    expected.push_back(SB_ENDSCROLL);
    EXPECT_EQ(codes(), expected);
    // The page area below the thumb pages until the thumb reaches the mouse, and no further.
    scrolls().clear();
    SetTimer(HWND(), 0, 2000, releaseLater);
    const POINT low = bar(client.bottom / 2 + 10);
    drag(low, 0, 0, false, false);
    const std::vector<int> c = codes();
    EXPECT_GT(std::count(c.begin(), c.end(), SB_PAGEDOWN), 2);
    EXPECT_EQ(c.back(), SB_ENDSCROLL);
    const int pages = static_cast<int>(std::count(c.begin(), c.end(), SB_PAGEDOWN));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), std::min(90, 10 * pages));
    EXPECT_LT(GetScrollPos(hwnd, SB_VERT), 90);  // stopped under the mouse, not at the end
    // A bare press with nothing to release it ends rather than repeating for ever.
    scrolls().clear();
    drag(bar(client.bottom - arrow / 2), 0, 0, false, false);
    EXPECT_EQ(codes(), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    button(MOUSEEVENTF_LEFTUP);
    platform->PumpMessages();
}

TEST_F(MoveSizeTest, CaptionButtonsActOnlyWhenReleasedOverThem) {
    const RECT r = rect();
    const int frame = GetSystemMetrics(SM_CXSIZEFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
    const POINT close{r.right - frame - 5, r.top + frame + 5};
    drag(close, -150, 0);  // pressed, then released over the caption
    EXPECT_TRUE(IsWindow(hwnd));
    const POINT maximize{close.x - GetSystemMetrics(SM_CXSIZE), close.y};
    platform->Click(maximize.x, maximize.y);
    EXPECT_TRUE(IsZoomed(hwnd));
    ShowWindow(hwnd, SW_RESTORE);
    platform->PumpMessages();
    platform->Click(close.x, close.y);
    EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace orvane::test
