// The tree view and the list view in mirrored windows (WS_EX_LAYOUTRTL): with no code of their
// own they draw from the right edge, take clicks where they drew, and keep their scroll bar,
// label-edit box and header where a right-to-left reader expects them.
#include "TreeViewFixture.h"

namespace orvane::platform::test {
namespace {

using namespace trees;

class MirroredViewsTest : public TreeViewFixture {
protected:
    static constexpr DWORD kTreeStyle =
        TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_CHECKBOXES;
    static constexpr COLORREF kWhite = RGB(255, 255, 255);

    HWND mirroredTree(int y, int w, int h, DWORD ex) {
        const HWND tv = CreateWindowExW(ex, WC_TREEVIEWW, u"", WS_CHILD | WS_VISIBLE | kTreeStyle,
                                        10, y, w, h, host, HMENU(kId), HINSTANCE(), nullptr);
        Screen::PumpMessages();
        return tv;
    }
    // "a" with two children, then "b".
    static HTREEITEM fill(HWND tv) {
        const HTREEITEM a = add(tv, TVI_ROOT, u"a");
        add(tv, a, u"a1");
        add(tv, a, u"a2");
        add(tv, TVI_ROOT, u"b");
        return a;
    }
    static RECT screenRect(HWND h) {
        RECT r{};
        GetWindowRect(h, &r);
        return r;
    }
};

TEST_F(MirroredViewsTest, TreeButtonsLinesAndCheckBoxesShowMirroredAtTheRight) {
    constexpr int kWidth = 300;
    const HWND ltr = mirroredTree(10, kWidth, 150, 0);
    const HWND rtl = mirroredTree(200, kWidth, 150, WS_EX_LAYOUTRTL);
    fill(ltr);
    fill(rtl);
    Screen::PumpMessages();
    const int h = static_cast<int>(SendMessageW(rtl, TVM_GETITEMHEIGHT, 0, 0));
    const HTREEITEM first = next(rtl, HTREEITEM{}, TVGN_ROOT);
    const RECT label = rectOf(rtl, first);
    ASSERT_GT(label.left, 20);
    // Everything left of the label in the plain tree (button, lines, check box) shows pixel for
    // pixel mirrored in the mirrored one.
    int ink = 0, differ = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < label.left - 2; ++x) {
            const COLORREF plain = platform->ClientPixel(ltr, x, y);
            ink += plain != kWhite;
            differ += plain != platform->ClientPixel(rtl, kWidth - 1 - x, y);
        }
    EXPECT_GT(ink, 20);
    EXPECT_EQ(differ, 0);
    // The screen-left part of the mirrored tree's rows, past the labels, is empty.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < kWidth - label.right - 2; ++x)
            ASSERT_EQ(platform->ClientPixel(rtl, x, y), kWhite) << x << "," << y;
    DestroyWindow(ltr);
    DestroyWindow(rtl);
}

TEST_F(MirroredViewsTest, AClickOnTheMirroredButtonExpandsTheNode) {
    const HWND tv = mirroredTree(10, 300, 200, WS_EX_LAYOUTRTL);
    const HTREEITEM a = fill(tv);
    const int indent = static_cast<int>(SendMessageW(tv, TVM_GETINDENT, 0, 0));
    const int h = static_cast<int>(SendMessageW(tv, TVM_GETITEMHEIGHT, 0, 0));
    // The tree hit-tests in its own logical coordinates.
    const TVHITTESTINFO info = hit(tv, indent / 2, h / 2);
    EXPECT_EQ(info.flags, static_cast<UINT>(TVHT_ONITEMBUTTON));
    EXPECT_EQ(info.hItem, a);
    // The button shows at the screen's right end of the row: a click there expands "a".
    const RECT screen = screenRect(tv);
    heard.clear();
    Screen::Click(screen.right - 1 - indent / 2, screen.top + h / 2);
    Screen::PumpMessages();
    EXPECT_TRUE(stateOf(tv, a, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(codes({TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}),
              (std::vector<UINT>{TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}));
    // The same spot at the screen's left end is no button: nothing folds.
    Screen::Click(screen.left + indent / 2, screen.top + h / 2);
    Screen::PumpMessages();
    EXPECT_TRUE(stateOf(tv, a, TVIS_EXPANDED) & TVIS_EXPANDED);
    // The check box, right beside the button column towards the label, toggles on a click.
    const int checkX = indent + 8;
    EXPECT_EQ(hit(tv, checkX, h / 2).flags, static_cast<UINT>(TVHT_ONITEMSTATEICON));
    Screen::Click(screen.right - 1 - checkX, screen.top + h / 2);
    Screen::PumpMessages();
    EXPECT_EQ(stateOf(tv, a, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
    DestroyWindow(tv);
}

TEST_F(MirroredViewsTest, TheTreesScrollBarIsLeftAndItsEditBoxCoversTheLabel) {
    const HWND tv = mirroredTree(10, 200, 80, WS_EX_LAYOUTRTL);
    for (int i = 0; i < 20; ++i)
        add(tv, TVI_ROOT, u"item " + std::u16string(1, static_cast<char16_t>(u'a' + i)));
    Screen::PumpMessages();
    ASSERT_TRUE(GetWindowLongW(tv, GWL_STYLE) & WS_VSCROLL);
    const RECT screen = screenRect(tv);
    const int sb = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(SendMessageW(tv, WM_NCHITTEST, 0, MAKELPARAM(screen.left + 2, screen.top + 20)),
              HTVSCROLL);
    EXPECT_EQ(SendMessageW(tv, WM_NCHITTEST, 0, MAKELPARAM(screen.right - 2, screen.top + 20)),
              HTCLIENT);
    // Its down arrow, at the bottom of the left-hand bar, scrolls the tree.
    Screen::Click(screen.left + sb / 2, screen.bottom - sb / 2);
    Screen::PumpMessages();
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_FIRSTVISIBLE),
              next(tv, next(tv, HTREEITEM{}, TVGN_ROOT), TVGN_NEXT));
    // The label-edit box sits over the label, wherever the label shows on the screen.
    const HTREEITEM item = next(tv, HTREEITEM{}, TVGN_FIRSTVISIBLE);
    const auto edit = HWND(static_cast<std::uint32_t>(
        SendMessageW(tv, TVM_EDITLABELW, 0, static_cast<LPARAM>(item.value))));
    ASSERT_TRUE(edit);
    RECT label = rectOf(tv, item);
    MapWindowPoints(tv, HWND(), reinterpret_cast<POINT*>(&label), 2);
    ASSERT_LT(label.left, label.right);
    const RECT box = screenRect(edit);
    const POINT middle{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    EXPECT_TRUE(PtInRect(&box, middle))
        << box.left << ".." << box.right << " label " << label.left << ".." << label.right;
    EXPECT_GT(label.left, screen.left + (screen.right - screen.left) / 2)
        << "the label is in the right half";
    Screen::KeyPress(VK_ESCAPE);
    Screen::PumpMessages();
    DestroyWindow(tv);
}

TEST_F(MirroredViewsTest, TheTreesTipStartsWhereTheLabelShows) {
    const HWND tv = CreateWindowExW(WS_EX_LAYOUTRTL, WC_TREEVIEWW, u"",
                                    WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_INFOTIP, 10, 10,
                                    200, 100, host, HMENU(kId), HINSTANCE(), nullptr);
    const HTREEITEM item = add(tv, TVI_ROOT, u"short");
    Screen::PumpMessages();
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code != TVN_GETINFOTIPW) return std::nullopt;
        const std::u16string info = u"More";
        std::copy(info.begin(), info.end() + 1, reinterpret_cast<NMTVGETINFOTIPW*>(hdr)->pszText);
        return 0;
    };
    RECT label = rectOf(tv, item);
    MapWindowPoints(tv, HWND(), reinterpret_cast<POINT*>(&label), 2);
    Screen::MouseMove(label.left + 3, (label.top + label.bottom) / 2);
    Screen::PumpMessages();
    platform->AdvanceTime(600);
    const auto tip = HWND(static_cast<std::uint32_t>(SendMessageW(tv, TVM_GETTOOLTIPS, 0, 0)));
    ASSERT_TRUE(IsWindowVisible(tip));
    const RECT shown = screenRect(tip);
    // The label is at the tree's right end; the tip covers its start rather than opening past
    // its end.
    EXPECT_GT(label.left, screenRect(tv).left + 100);
    EXPECT_LE(shown.left, label.left + 3);
    EXPECT_GE(shown.right, label.left + 3);
    DestroyWindow(tv);
}

TEST_F(MirroredViewsTest, AListViewsHeaderStartsAtTheRightAndRowsTakeClicks) {
    INITCOMMONCONTROLSEX icc;
    icc.dwICC = ICC_LISTVIEW_CLASSES;
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    const HWND lv =
        CreateWindowExW(WS_EX_LAYOUTRTL, WC_LISTVIEWW, u"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10,
                        10, 300, 200, host, HMENU(7), HINSTANCE(), nullptr);
    for (int c = 0; c < 2; ++c) {
        LVCOLUMNW col;
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = 100;
        std::u16string title = c ? u"second" : u"first";
        col.pszText = title.data();
        SendMessageW(lv, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    }
    for (int i = 0; i < 3; ++i) {
        LVITEMW it;
        it.mask = LVIF_TEXT;
        it.iItem = i;
        std::u16string text = u"row " + std::u16string(1, static_cast<char16_t>(u'0' + i));
        it.pszText = text.data();
        SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
    }
    Screen::PumpMessages();
    const auto header = HWND(static_cast<std::uint32_t>(SendMessageW(lv, LVM_GETHEADER, 0, 0)));
    ASSERT_TRUE(header);
    EXPECT_TRUE(GetWindowLongW(header, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    const RECT list = screenRect(lv);
    // Header item 0 spans the rightmost 100 pixels on the screen.
    RECT first{};
    SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    MapWindowPoints(header, HWND(), reinterpret_cast<POINT*>(&first), 2);
    EXPECT_EQ(first.right, list.right);
    EXPECT_EQ(first.left, list.right - 100);
    HDHITTESTINFO probe;
    probe.pt = POINT{list.right - 5, first.top + 3};
    ScreenToClient(header, &probe.pt);
    EXPECT_EQ(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&probe)), 0);
    // The header draws item 0's caption at the right: dark ink there, none at the far left
    // past the last item (the face itself is a light gradient).
    const RECT hr = screenRect(header);
    const auto dark = [&](int x, int y) {
        const COLORREF c = platform->ScreenPixel(x, y);
        return GetRValue(c) + GetGValue(c) + GetBValue(c) < 384;
    };
    int rightInk = 0, leftInk = 0;
    for (int y = hr.top + 2; y < hr.bottom - 2; ++y)
        for (int x = 0; x < 60; ++x) {
            rightInk += dark(list.right - 65 + x, y);
            leftInk += dark(list.left + 40 + x, y);
        }
    EXPECT_GT(rightInk, 10);
    EXPECT_EQ(leftInk, 0);
    // A click in the second row, near the screen's right edge, selects that row.
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(lv, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    Screen::Click(list.right - 20, list.top + (row.top + row.bottom) / 2);
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    DestroyWindow(lv);
}

}  // namespace
}  // namespace orvane::platform::test
