// Moving a window by its caption and sizing it by its frame: the loop follows the mouse until
// the button is released, tells the window on the way, and Escape puts it back.
#include <vector>

#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

std::vector<UINT>& seen() {
    static std::vector<UINT> s;
    return s;
}

LRESULT recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ENTERSIZEMOVE || msg == WM_EXITSIZEMOVE || msg == WM_MOVING || msg == WM_SIZING)
        seen().push_back(msg);
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
        WNDCLASSEXW wc{};
        wc.lpfnWndProc = recordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hIcon = HICON();
        wc.hCursor = HCURSOR();
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.hIconSm = HICON();
        wc.lpszClassName = u"Movable";
        RegisterClassExW(&wc);
        hwnd = CreateWindowExW(0, u"Movable", u"Movable", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                               100, 400, 300, HWND(), HMENU(), HINSTANCE(), nullptr);
        platform->PumpMessages();
    }
    void TearDown() override {
        DestroyWindow(hwnd);
        UnregisterClassW(u"Movable", GetModuleHandleW(nullptr));
        PlatformTest::TearDown();
    }
    // Press at `from`, move by (dx, dy), then release (or press Escape): queued together, as
    // a quick hand would, then handled.
    void drag(POINT from, int dx, int dy, bool escape = false) {
        SetCursorPos(from.x, from.y);
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        SendInput(1, &in, sizeof in);
        SetCursorPos(from.x + dx / 2, from.y + dy / 2);
        SetCursorPos(from.x + dx, from.y + dy);
        if (escape) keybd_event(static_cast<BYTE>(VK_ESCAPE), 0, 0, 0);
        in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1, &in, sizeof in);
        platform->PumpMessages();
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

}  // namespace orvane::test
