// Menu pixels: a menu bar and an open popup in the visual style and in the classic look, at
// 96 and 144 DPI, probed at chosen points (background, frame, selected band, check mark,
// submenu arrow, text).
#include "platform/user/MenuFixture.h"

namespace orvane::test {
namespace {

struct Probe {
    COLORREF barBackground = 0;
    COLORREF barSelected = 0;
    COLORREF barEdge = 0;
    int barTextDark = 0;  // dark pixels inside the first bar item
    COLORREF popupBackground = 0;
    COLORREF popupCorner = 0;
    COLORREF selectedBand = 0;
    int checkDark = 0;  // dark pixels in the checked item's gutter
    int arrowDark = 0;  // dark pixels in the submenu item's arrow column
    int itemHeight = 0;
    int barHeight = 0;
};

bool dark(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 110;
}

int darkPixels(const RECT& rc) {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (dark(testing::TestPlatform::ScreenPixel(x, y))) ++n;
    return n;
}

class MenuPaintTest : public AtDpi<MenuFixture> {
protected:
    // Opens the bar's first popup from the keyboard, selects its second item, and probes.
    Probe probe(bool themed) {
        EnableTheming(themed ? TRUE : FALSE);
        HMENU sub = CreatePopupMenu();
        AppendMenuW(sub, MF_STRING, 10, u"Inner");
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING | MF_CHECKED, 1, u"&Checked");
        AppendMenuW(popup, MF_STRING, 2, u"&Plain");
        AppendMenuW(popup, MF_POPUP, static_cast<UINT_PTR>(sub.value), u"&More");
        HMENU bar = CreateMenu();
        AppendMenuW(bar, MF_POPUP, static_cast<UINT_PTR>(popup.value), u"&File");
        AppendMenuW(bar, MF_STRING, 3, u"&Help");
        HWND owner = createOwner(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 400);
        SetMenu(owner, bar);
        platform->PumpMessages();
        Probe p;
        MENUBARINFO whole;
        GetMenuBarInfo(owner, OBJID_MENU, 0, &whole);
        p.barHeight = whole.rcBar.bottom - whole.rcBar.top;
        p.barBackground = platform->ScreenPixel(whole.rcBar.right - 5, whole.rcBar.top + 3);
        play("Down Down");  // opens File with its first item selected, then the second
        script().push_back([&] {
            RECT bar0, item0, item1, item2, window;
            GetMenuItemRect(owner, bar, 0, &bar0);
            GetMenuItemRect(HWND(), popup, 0, &item0);
            GetMenuItemRect(HWND(), popup, 1, &item1);
            GetMenuItemRect(HWND(), popup, 2, &item2);
            GetWindowRect(popupWindow(), &window);
            p.barSelected = platform->ScreenPixel(bar0.left + 2, bar0.top + 3);
            p.barEdge = platform->ScreenPixel(bar0.left, bar0.top + 3);
            p.barTextDark = darkPixels(bar0);
            p.popupCorner = platform->ScreenPixel(window.left, window.top + 5);
            p.popupBackground = platform->ScreenPixel(item0.right - 3, item0.top + 2);
            p.selectedBand = platform->ScreenPixel(item1.right - 3, item1.top + 2);
            const int gutter = item0.left + GetSystemMetrics(SM_CXMENUCHECK) * 2;
            p.checkDark = darkPixels(RECT{item0.left, item0.top, gutter, item0.bottom});
            p.arrowDark = darkPixels(RECT{item2.right - GetSystemMetrics(SM_CXMENUCHECK) - 4,
                                          item2.top, item2.right, item2.bottom});
            p.itemHeight = item1.bottom - item1.top;
            queueKeys({VK_ESCAPE, VK_ESCAPE});
        });
        platform->KeyPress(VK_MENU);
        DestroyWindow(owner);
        return p;
    }
};

}  // namespace

TEST_P(MenuPaintTest, ThemedBarAndPopup) {
    const Probe p = probe(true);
    const int dpi = GetParam();
    EXPECT_EQ(p.barHeight, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(p.itemHeight, (22 * dpi + 48) / 96);
    EXPECT_EQ(p.barBackground, RGB(255, 255, 255));
    EXPECT_EQ(p.barSelected, RGB(0xCC, 0xE8, 0xFF));  // the pushed bar item
    EXPECT_GT(p.barTextDark, 5);
    EXPECT_EQ(p.popupCorner, RGB(0xCC, 0xCC, 0xCC));  // the border
    EXPECT_EQ(p.popupBackground, RGB(0xF2, 0xF2, 0xF2));
    EXPECT_EQ(p.selectedBand, RGB(0x91, 0xC9, 0xF7));
    EXPECT_GT(p.checkDark, 3);
    EXPECT_GT(p.arrowDark, 1);
}

TEST_P(MenuPaintTest, ClassicBarAndPopup) {
    const Probe p = probe(false);
    EXPECT_EQ(p.barHeight, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(p.barBackground, GetSysColor(COLOR_MENUBAR));
    EXPECT_EQ(p.barEdge, GetSysColor(COLOR_3DSHADOW));  // the sunken edge
    EXPECT_GT(p.barTextDark, 5);
    EXPECT_EQ(p.popupCorner, GetSysColor(COLOR_3DLIGHT));  // the raised frame
    EXPECT_EQ(p.popupBackground, GetSysColor(COLOR_MENU));
    EXPECT_EQ(p.selectedBand, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(p.checkDark, 3);
    EXPECT_GT(p.arrowDark, 1);
}

INSTANTIATE_TEST_SUITE_P(Dpi, MenuPaintTest, ::testing::Values(96, 144));

}  // namespace orvane::test
