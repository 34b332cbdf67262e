// DrawThemeParentBackground: the parent erases and prints its client area into the child's DC,
// at the child's offset, inside the given rectangle, and the DC comes back as it was.
#include <vector>

#include "platform/gdi/GdiTestSupport.h"
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

using platform::test::Canvas;
using platform::test::kBlack;
using platform::test::kBlue;
using platform::test::kGreen;
using platform::test::kRed;

std::vector<std::pair<UINT, LPARAM>> g_parentMessages;

// Erasing paints the left 50 pixels red and the rest blue; printing adds a green square at
// (60, 60)-(70, 70). Both in the parent's client coordinates.
LRESULT parentProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    const HDC dc(static_cast<std::uint32_t>(w));
    if (m == WM_ERASEBKGND) {
        g_parentMessages.emplace_back(m, l);
        platform::test::fillRect(dc, RECT{0, 0, 50, 200}, kRed);
        platform::test::fillRect(dc, RECT{50, 0, 200, 200}, kBlue);
        return 1;
    }
    if (m == WM_PRINTCLIENT) {
        g_parentMessages.emplace_back(m, l);
        platform::test::fillRect(dc, RECT{60, 60, 70, 70}, kGreen);
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

class ThemeParentBackgroundTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        g_parentMessages.clear();
        WNDCLASSEXW wc;
        wc.lpfnWndProc = parentProc;
        wc.lpszClassName = u"ThemeParent";
        RegisterClassExW(&wc);
        WNDCLASSEXW plain;
        plain.lpfnWndProc = DefWindowProcW;
        plain.lpszClassName = u"ThemeChild";
        plain.hbrBackground = HBRUSH(static_cast<std::uint32_t>(COLOR_BTNFACE + 1));
        RegisterClassExW(&plain);
        parent = CreateWindowExW(0, u"ThemeParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                                 HWND(), HMENU(), HINSTANCE(), nullptr);
        child = CreateWindowExW(0, u"ThemeChild", u"", WS_CHILD | WS_VISIBLE, 40, 40, 50, 50,
                                parent, HMENU(), HINSTANCE(), nullptr);
    }
    void TearDown() override {
        DestroyWindow(parent);
        PlatformTest::TearDown();
    }
    HWND parent, child;
};

TEST_F(ThemeParentBackgroundTest, PaintsTheParentAtTheChildsOffset) {
    Canvas canvas(50, 50, kBlack);
    ASSERT_EQ(DrawThemeParentBackground(child, canvas, nullptr), S_OK);
    const std::vector<std::pair<UINT, LPARAM>> expected{{WM_ERASEBKGND, 0},
                                                        {WM_PRINTCLIENT, PRF_CLIENT}};
    EXPECT_EQ(g_parentMessages, expected);
    EXPECT_EQ(canvas.at(9, 5), kRed);      // parent (49, 45)
    EXPECT_EQ(canvas.at(10, 5), kBlue);    // parent (50, 45)
    EXPECT_EQ(canvas.at(20, 20), kGreen);  // parent (60, 60)
    EXPECT_EQ(canvas.at(29, 29), kGreen);
    EXPECT_EQ(canvas.at(30, 30), kBlue);
    POINT origin{1, 1};
    GetViewportOrgEx(canvas, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

TEST_F(ThemeParentBackgroundTest, KeepsToTheRectangleAndRestoresTheDc) {
    Canvas canvas(60, 60, kBlack);
    // The child's DC already has its own origin: the parent lands relative to it.
    SetViewportOrgEx(canvas, 5, 5, nullptr);
    const RECT part{0, 0, 12, 50};
    ASSERT_EQ(DrawThemeParentBackground(child, canvas, &part), S_OK);
    EXPECT_EQ(canvas.at(4, 10), kBlack);   // left of the origin
    EXPECT_EQ(canvas.at(14, 10), kRed);    // child (9, 5)
    EXPECT_EQ(canvas.at(16, 10), kBlue);   // child (11, 5)
    EXPECT_EQ(canvas.at(17, 10), kBlack);  // child (12, 5): outside the rectangle
    EXPECT_EQ(canvas.at(25, 25), kBlack);  // the green square lies outside too
    POINT origin{};
    GetViewportOrgEx(canvas, &origin);
    EXPECT_EQ(origin.x, 5);
    RECT clip{};
    GetClipBox(canvas, &clip);
    EXPECT_EQ(clip.right, 55) << "the clipping is as it was";
}

TEST_F(ThemeParentBackgroundTest, ParentWithoutAHandlerGetsItsClassBrush) {
    HWND plain = CreateWindowExW(0, u"ThemeChild", u"", WS_CHILD | WS_VISIBLE, 0, 0, 30, 30, child,
                                 HMENU(), HINSTANCE(), nullptr);
    Canvas canvas(10, 10, kRed);
    // DefWindowProc erases with the class brush, the button face.
    EXPECT_EQ(DrawThemeParentBackground(plain, canvas, nullptr), S_OK);
    EXPECT_EQ(canvas.at(5, 5), GetSysColor(COLOR_BTNFACE));
    DestroyWindow(plain);
}

TEST_F(ThemeParentBackgroundTest, BadWindowsAndDcs) {
    Canvas canvas(10, 10, kBlack);
    EXPECT_EQ(DrawThemeParentBackground(parent, canvas, nullptr), E_FAIL);  // no parent
    EXPECT_EQ(DrawThemeParentBackground(HWND(9999), canvas, nullptr), E_HANDLE);
    EXPECT_EQ(DrawThemeParentBackground(child, HDC(9999), nullptr), E_HANDLE);
    EXPECT_TRUE(g_parentMessages.empty());
}

}  // namespace
}  // namespace orvane::test
