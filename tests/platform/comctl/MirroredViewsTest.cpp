// The tree view and the list view as mirrored windows (WS_EX_LAYOUTRTL): with no code of their
// own they draw from the right edge and take clicks where they drew.
#include "TreeViewFixture.h"

namespace orvane::platform::test {
namespace {

using namespace trees;

class MirroredViewsTest : public TreeViewFixture {
protected:
    HWND make(LPCWSTR cls, DWORD ex, DWORD style, int y, int h) {
        const HWND w = CreateWindowExW(ex, cls, u"", WS_CHILD | WS_VISIBLE | style, 10, y, 300, h,
                                       host, HMENU(kId), HINSTANCE(), nullptr);
        Screen::PumpMessages();
        return w;
    }
    static RECT rectOn(HWND h) {
        RECT r{};
        GetWindowRect(h, &r);
        return r;
    }
};

TEST_F(MirroredViewsTest, ATreeShowsAndTakesItsButtonsBoxAndBarMirrored) {
    constexpr DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_CHECKBOXES;
    const HWND ltr = make(WC_TREEVIEWW, 0, style, 10, 60),
               rtl = make(WC_TREEVIEWW, WS_EX_LAYOUTRTL, style, 80, 60);
    HTREEITEM first[2];
    for (int i = 0; i < 2; ++i) {
        const HWND tv = i ? rtl : ltr;
        first[i] = add(tv, TVI_ROOT, u"a");
        add(tv, first[i], u"a1");
        for (char16_t c = u'b'; c < u'l'; ++c)
            add(tv, TVI_ROOT, std::u16string(1, c));
    }
    const HTREEITEM a = first[1];
    Screen::PumpMessages();
    // Left of the plain tree's first label (button, lines, box) shows mirrored, pixel for pixel.
    const int h = static_cast<int>(SendMessageW(rtl, TVM_GETITEMHEIGHT, 0, 0));
    const int indent = static_cast<int>(SendMessageW(rtl, TVM_GETINDENT, 0, 0));
    RECT client{};
    GetClientRect(rtl, &client);
    int ink = 0, differ = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < rectOf(ltr, first[0]).left - 2; ++x) {
            ink += platform->ClientPixel(ltr, x, y) != RGB(255, 255, 255);
            differ += platform->ClientPixel(ltr, x, y) !=
                      platform->ClientPixel(rtl, client.right - 1 - x, y);
        }
    EXPECT_GT(ink, 20);
    EXPECT_EQ(differ, 0);
    // The vertical bar is at the left; the button, hit-tested in logical coordinates, is
    // clicked at the right end of the row.
    const RECT s = rectOn(rtl);
    EXPECT_EQ(SendMessageW(rtl, WM_NCHITTEST, 0, MAKELPARAM(s.left + 2, s.top + 20)), HTVSCROLL);
    EXPECT_EQ(hit(rtl, indent / 2, h / 2).flags, static_cast<UINT>(TVHT_ONITEMBUTTON));
    Screen::Click(s.right - 1 - indent / 2, s.top + h / 2);
    Screen::PumpMessages();
    EXPECT_TRUE(stateOf(rtl, a, TVIS_EXPANDED) & TVIS_EXPANDED);
    // The label-edit box covers the label where it shows.
    const auto edit = HWND(static_cast<std::uint32_t>(
        SendMessageW(rtl, TVM_EDITLABELW, 0, static_cast<LPARAM>(a.value))));
    RECT label = rectOf(rtl, a);
    MapWindowPoints(rtl, HWND(), reinterpret_cast<POINT*>(&label), 2);
    const RECT box = rectOn(edit);
    EXPECT_TRUE(
        PtInRect(&box, POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2}));
    EXPECT_GT(label.left, s.left + 150);
    Screen::KeyPress(VK_ESCAPE);
}

TEST_F(MirroredViewsTest, AListsHeaderItemZeroIsAtTheRightAndARowTakesAClick) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    const HWND lv = make(WC_LISTVIEWW, WS_EX_LAYOUTRTL, LVS_REPORT, 10, 200);
    std::u16string text = u"row";
    LVCOLUMNW col{LVCF_TEXT | LVCF_WIDTH, 0, 100, text.data()};
    SendMessageW(lv, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
    SendMessageW(lv, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&col));
    LVITEMW it{};
    it.mask = LVIF_TEXT;
    it.pszText = text.data();
    for (it.iItem = 0; it.iItem < 3; ++it.iItem)
        SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
    const auto header = HWND(static_cast<std::uint32_t>(SendMessageW(lv, LVM_GETHEADER, 0, 0)));
    const RECT list = rectOn(lv);
    RECT first{};
    SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    MapWindowPoints(header, HWND(), reinterpret_cast<POINT*>(&first), 2);
    EXPECT_EQ(first.left, list.right - 100);
    EXPECT_EQ(first.right, list.right);
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(lv, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    Screen::Click(list.right - 20, list.top + (row.top + row.bottom) / 2);
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
}

}  // namespace
}  // namespace orvane::platform::test
