// Where a list view puts things it is told to: items moved to positions of their own in the icon
// views (painting, hit testing, the marquee and scrolling following them, arranging putting them
// back), and a background image read from a picture file by path or file: URL.
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "ListViewFixture.h"
#include "platform/base/CodePages.h"

namespace orvane::platform::test {
namespace {

using namespace lists;
namespace fs = std::filesystem;

class ListViewPlacesTest : public ListViewTest {
protected:
    // A 5 x 3 picture of the repository's decoder samples, named relative to where the tests
    // run. Its top-left pixel is RGB(0xFF, 0xAA, 0x55), the one right of it RGB(0x25, 0x7A, 0xCF).
    static std::u16string samplePath() {
        const fs::path sample =
            fs::path(ORVANE_SOURCE_DIR) / "fuzz" / "corpus" / "fuzz_bmp" / "info-rgb-24.bmp";
        return FromUtf8(fs::relative(sample).generic_string());
    }
    static bool setImage(HWND lv, DWORD flags, std::u16string url, HBITMAP bitmap = HBITMAP()) {
        LVBKIMAGEW bk;
        bk.ulFlags = flags;
        bk.pszImage = url.empty() ? nullptr : url.data();
        bk.hbm = bitmap;
        return SendMessageW(lv, LVM_SETBKIMAGEW, 0, reinterpret_cast<LPARAM>(&bk)) != 0;
    }
    // What LVM_GETBKIMAGEW says: the flags, and the address in a buffer of `room` characters.
    static LVBKIMAGEW image(HWND lv, std::u16string& url, UINT room = 300) {
        std::u16string buffer(300, u'?');
        LVBKIMAGEW bk;
        bk.pszImage = buffer.data();
        bk.cchImageMax = room;
        EXPECT_TRUE(SendMessageW(lv, LVM_GETBKIMAGEW, 0, reinterpret_cast<LPARAM>(&bk)));
        url = buffer.substr(0, buffer.find(u'\0'));
        return bk;
    }
    static POINT position(HWND lv, int i) {
        POINT pt{-1, -1};
        EXPECT_TRUE(SendMessageW(lv, LVM_GETITEMPOSITION, static_cast<WPARAM>(i),
                                 reinterpret_cast<LPARAM>(&pt)));
        return pt;
    }
    static bool move(HWND lv, int i, int x, int y) {
        return SendMessageW(lv, LVM_SETITEMPOSITION, static_cast<WPARAM>(i), MAKELPARAM(x, y)) != 0;
    }
    static SIZE spacing(HWND lv) {
        const auto s = static_cast<std::uint32_t>(SendMessageW(lv, LVM_GETITEMSPACING, FALSE, 0));
        return SIZE{LOWORD(s), HIWORD(s)};
    }
    static int hitAt(HWND lv, POINT pt) {
        LVHITTESTINFO info;
        info.pt = pt;
        return static_cast<int>(SendMessageW(lv, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    }
    static POINT middle(const RECT& r) {
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // Text-coloured pixels inside `r`.
    static int inked(HWND lv, const RECT& r) {
        InvalidateRect(lv, nullptr, TRUE);
        Screen::PumpMessages();
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (Screen::ClientPixel(lv, x, y) == GetSysColor(COLOR_WINDOWTEXT)) ++n;
        return n;
    }
    static COLORREF pixel(HWND lv, int x, int y) {
        InvalidateRect(lv, nullptr, TRUE);
        Screen::PumpMessages();
        return Screen::ClientPixel(lv, x, y);
    }
};

TEST_F(ListViewPlacesTest, AMovedItemPaintsHitTestsAndScrollsWhereItWent) {
    const HWND lv = list(LVS_ICON, 400, 300);
    for (int i = 0; i < 4; ++i)
        addItem(lv, i, u"Item " + std::u16string(1, static_cast<char16_t>(u'0' + i)));
    Screen::PumpMessages();
    const SIZE cell = spacing(lv);
    ASSERT_GT(cell.cx, 20);
    ASSERT_LT(4 * cell.cx, 400) << "one row of four";
    EXPECT_EQ(position(lv, 1), (POINT{cell.cx, 0}));
    const RECT oldLabel = itemRect(lv, 1, LVIR_LABEL);
    const RECT oldIcon = itemRect(lv, 1, LVIR_ICON);
    ASSERT_GT(inked(lv, oldLabel), 0);

    // Between two grid columns, two rows down.
    const POINT to{cell.cx + cell.cx / 2, 2 * cell.cy};
    ASSERT_TRUE(move(lv, 1, to.x, to.y));
    EXPECT_EQ(position(lv, 1), to);
    EXPECT_EQ(position(lv, 2), (POINT{2 * cell.cx, 0})) << "the others keep their places";
    const RECT label = itemRect(lv, 1, LVIR_LABEL), icon = itemRect(lv, 1, LVIR_ICON);
    EXPECT_EQ(icon.left - oldIcon.left, to.x - cell.cx);
    EXPECT_EQ(icon.top - oldIcon.top, to.y);
    EXPECT_GT(inked(lv, label), 0) << "painted at its new place";
    EXPECT_EQ(inked(lv, oldLabel), 0) << "its grid place is empty";
    EXPECT_EQ(hitAt(lv, middle(icon)), 1);
    EXPECT_EQ(hitAt(lv, middle(oldIcon)), -1);

    // A marquee from empty space over the new place selects the moved item alone.
    const POINT from = Screen::ClientToScreenPoint(lv, 5, cell.cy + 5);
    const POINT over = Screen::ClientToScreenPoint(lv, to.x + cell.cx / 2, to.y + 10);
    Screen::MouseMove(from.x, from.y);
    Screen::MouseDown();
    Screen::MouseMove(from.x + 10, from.y + 10);
    Screen::MouseMove(over.x, over.y);
    Screen::MouseUp();
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(stateOf(lv, 1, LVIS_SELECTED), LVIS_SELECTED);

    // Far below the window: the view and the scroll range grow to it, and it can be scrolled to.
    POINT far{10, 1000};
    ASSERT_TRUE(SendMessageW(lv, LVM_SETITEMPOSITION32, 3, reinterpret_cast<LPARAM>(&far)));
    Screen::PumpMessages();
    RECT view{};
    ASSERT_TRUE(SendMessageW(lv, LVM_GETVIEWRECT, 0, reinterpret_cast<LPARAM>(&view)));
    EXPECT_EQ(view.bottom - view.top, 1000 + cell.cy);
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    ASSERT_TRUE(GetScrollInfo(lv, SB_VERT, &si));
    EXPECT_EQ(si.nMax + 1, 1000 + cell.cy);
    ASSERT_TRUE(SendMessageW(lv, LVM_ENSUREVISIBLE, 3, FALSE));
    const POINT shown = position(lv, 3);
    EXPECT_EQ(shown.x, 10);
    EXPECT_GT(shown.y, 0);
    EXPECT_LT(shown.y, 300);
    EXPECT_EQ(hitAt(lv, middle(itemRect(lv, 3, LVIR_ICON))), 3);
    // Positions are client coordinates: a scrolled list takes and gives them alike.
    ASSERT_TRUE(move(lv, 3, 20, shown.y));
    EXPECT_EQ(position(lv, 3), (POINT{20, shown.y}));
    DestroyWindow(lv);
}

TEST_F(ListViewPlacesTest, ArrangingPutsItemsBackAndOtherViewsRefuse) {
    const HWND lv = list(LVS_ICON, 400, 300);
    for (int i = 0; i < 5; ++i)
        addItem(lv, i, u"Item");
    const SIZE cell = spacing(lv);
    const POINT grid1 = position(lv, 1);
    ASSERT_TRUE(move(lv, 1, 13, 2 * cell.cy + 7));
    ASSERT_TRUE(SendMessageW(lv, LVM_ARRANGE, LVA_SNAPTOGRID, 0));
    EXPECT_EQ(position(lv, 1), (POINT{0, 2 * cell.cy})) << "to the nearest grid corner";
    ASSERT_TRUE(SendMessageW(lv, LVM_ARRANGE, LVA_DEFAULT, 0));
    EXPECT_EQ(position(lv, 1), grid1);
    EXPECT_EQ(hitAt(lv, middle(itemRect(lv, 1, LVIR_ICON))), 1);
    EXPECT_FALSE(SendMessageW(lv, LVM_ARRANGE, 77, 0));

    // Moved items follow insertions, deletions and sorting by their items.
    ASSERT_TRUE(move(lv, 2, 300, 200));
    addItem(lv, 0, u"First");
    EXPECT_EQ(position(lv, 3), (POINT{300, 200}));
    EXPECT_EQ(position(lv, 2), (POINT{2 * cell.cx, 0}));
    SendMessageW(lv, LVM_DELETEITEM, 1, 0);
    EXPECT_EQ(position(lv, 2), (POINT{300, 200}));
    EXPECT_EQ(position(lv, 1), (POINT{cell.cx, 0}));
    auto reversed = [](LPARAM a, LPARAM b, LPARAM) -> int { return a < b ? 1 : a > b ? -1 : 0; };
    ASSERT_TRUE(SendMessageW(lv, LVM_SORTITEMSEX, 0,
                             reinterpret_cast<LPARAM>(static_cast<PFNLVCOMPARE>(reversed))));
    EXPECT_EQ(position(lv, 2), (POINT{300, 200})) << "the middle of five stays the middle";
    SendMessageW(lv, LVM_DELETEITEM, 2, 0);
    EXPECT_EQ(position(lv, 2), (POINT{2 * cell.cx, 0})) << "the moved item went with its place";

    // Small-icon view moves items too; turning LVS_AUTOARRANGE on puts them back and refuses more.
    SendMessageW(lv, LVM_SETVIEW, LV_VIEW_SMALLICON, 0);
    ASSERT_TRUE(move(lv, 0, 250, 150));
    EXPECT_EQ(position(lv, 0), (POINT{250, 150}));
    SetWindowLongW(lv, GWL_STYLE, GetWindowLongW(lv, GWL_STYLE) | LVS_AUTOARRANGE);
    EXPECT_EQ(position(lv, 0), (POINT{0, 0}));
    EXPECT_FALSE(move(lv, 0, 250, 150));
    EXPECT_EQ(position(lv, 0), (POINT{0, 0}));
    SetWindowLongW(lv, GWL_STYLE, GetWindowLongW(lv, GWL_STYLE) & ~LVS_AUTOARRANGE);

    // Report, list and tile views refuse, as Windows does, and change nothing.
    for (DWORD view : {LV_VIEW_DETAILS, LV_VIEW_LIST, LV_VIEW_TILE}) {
        SendMessageW(lv, LVM_SETVIEW, view, 0);
        const POINT before = position(lv, 1);
        EXPECT_FALSE(move(lv, 1, 120, 120)) << view;
        EXPECT_EQ(position(lv, 1), before) << view;
    }
    EXPECT_FALSE(move(lv, 9, 0, 0)) << "no such item";
    DestroyWindow(lv);
}

TEST_F(ListViewPlacesTest, AMillionItemsWithThreeMovedAskOnlyForWhatShows) {
    const HWND lv = list(LVS_SMALLICON | LVS_OWNERDATA, 400, 300);
    SendMessageW(lv, LVM_SETITEMCOUNT, 1000000, 0);
    const std::pair<int, POINT> moved[] = {
        {5, {10, 150}}, {500000, {10, 200}}, {999999, {200, 150}}};
    for (const auto& [i, to] : moved)
        ASSERT_TRUE(move(lv, i, to.x, to.y));
    std::set<int> asked;
    answer = [&](NMHDR* hdr, LRESULT&) {
        if (hdr->code == LVN_GETDISPINFOW)
            asked.insert(reinterpret_cast<NMLVDISPINFOW*>(hdr)->item.iItem);
        return false;
    };
    InvalidateRect(lv, nullptr, TRUE);
    UpdateWindow(lv);
    EXPECT_TRUE(asked.count(999999) && asked.count(500000)) << "moved into view";
    EXPECT_LT(asked.size(), 200u) << "the rest of the million is not looked at";
    EXPECT_EQ(hitAt(lv, middle(itemRect(lv, 999999, LVIR_LABEL))), 999999);
    EXPECT_EQ(hitAt(lv, middle(itemRect(lv, 500000, LVIR_LABEL))), 500000);
    // Shrinking the list drops what went.
    POINT view{};
    SendMessageW(lv, LVM_SETITEMCOUNT, 600000, 0);
    EXPECT_EQ(SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0), 600000);
    EXPECT_EQ(position(lv, 500000), (POINT{10, 200}));
    EXPECT_FALSE(SendMessageW(lv, LVM_GETITEMPOSITION, 999999, reinterpret_cast<LPARAM>(&view)));
    SendMessageW(lv, LVM_SETITEMCOUNT, 1000000, 0);
    EXPECT_EQ(position(lv, 999999).y, position(lv, 999998).y) << "back on the grid";
    answer = nullptr;
    DestroyWindow(lv);
}

// Aligned left, icons fill columns from the top and the view grows sideways: the bars, arrow
// keys and the wheel follow; arranging aligns top or left whatever the style says, until the
// alignment style changes; a million owner-data items ask only for what shows.
TEST_F(ListViewPlacesTest, IconsAlignedLeftFillColumns) {
    const HWND lv = list(LVS_SMALLICON | LVS_ALIGNLEFT, 300, 200);
    ASSERT_TRUE(lv) << "the style is taken";
    for (int i = 0; i < 60; ++i)
        addItem(lv, i, u"Item");
    Screen::PumpMessages();
    int per = 1;
    while (per < 60 && position(lv, per).x == position(lv, 0).x)
        ++per;
    ASSERT_GT(per, 2);
    ASSERT_LT(per, 60);
    const int dx = position(lv, per).x - position(lv, 0).x, dy = position(lv, 1).y;
    EXPECT_GT(dx, 0);
    for (int i = 0; i < 60; ++i)
        ASSERT_EQ(position(lv, i), (POINT{(i / per) * dx, (i % per) * dy})) << i;
    RECT client{};
    GetClientRect(lv, &client);
    EXPECT_LE(per * dy, client.bottom);
    EXPECT_GT((per + 1) * dy, client.bottom);
    EXPECT_TRUE(GetWindowLongW(lv, GWL_STYLE) & WS_HSCROLL);
    EXPECT_FALSE(GetWindowLongW(lv, GWL_STYLE) & WS_VSCROLL);

    // Down goes to the next item in the column, Right to the next column.
    SetFocus(lv);
    Screen::KeyPress(VK_DOWN);  // no focus yet: the first item
    Screen::KeyPress(VK_DOWN);
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 1);
    Screen::KeyPress(VK_RIGHT);
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 1 + per);
    // The wheel scrolls sideways.
    SendMessageW(lv, LVM_ENSUREVISIBLE, 0, FALSE);
    SendMessageW(lv, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    POINT origin{};
    SendMessageW(lv, LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&origin));
    EXPECT_GT(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    SendMessageW(lv, WM_HSCROLL, SB_LEFT, 0);

    // Arranging: rows from the top, columns again, and the style's way.
    ASSERT_TRUE(SendMessageW(lv, LVM_ARRANGE, LVA_ALIGNTOP, 0));
    EXPECT_EQ(position(lv, 1).y, 0);
    EXPECT_GT(position(lv, 1).x, 0);
    ASSERT_TRUE(SendMessageW(lv, LVM_ARRANGE, LVA_ALIGNLEFT, 0));
    EXPECT_EQ(position(lv, 1), (POINT{0, dy}));
    ASSERT_TRUE(SendMessageW(lv, LVM_ARRANGE, LVA_ALIGNTOP, 0));
    SetWindowLongW(lv, GWL_STYLE, GetWindowLongW(lv, GWL_STYLE) & ~LVS_ALIGNLEFT);
    EXPECT_EQ(position(lv, 1).y, 0);
    SetWindowLongW(lv, GWL_STYLE, GetWindowLongW(lv, GWL_STYLE) | LVS_ALIGNLEFT);
    EXPECT_EQ(position(lv, 1), (POINT{0, dy})) << "the new style rules";
    DestroyWindow(lv);

    const HWND big = list(LVS_SMALLICON | LVS_ALIGNLEFT | LVS_OWNERDATA, 300, 200);
    SendMessageW(big, LVM_SETITEMCOUNT, 1000000, 0);
    std::set<int> asked;
    answer = [&](NMHDR* hdr, LRESULT&) {
        if (hdr->code == LVN_GETDISPINFOW)
            asked.insert(reinterpret_cast<NMLVDISPINFOW*>(hdr)->item.iItem);
        return false;
    };
    SendMessageW(big, LVM_ENSUREVISIBLE, 999999, FALSE);
    UpdateWindow(big);
    EXPECT_TRUE(asked.count(999999)) << "the last column in view";
    EXPECT_LT(asked.size(), 200u) << "the rest of the million is not looked at";
    EXPECT_EQ(hitAt(big, middle(itemRect(big, 999999, LVIR_LABEL))), 999999);
    answer = nullptr;
    DestroyWindow(big);
}

TEST_F(ListViewPlacesTest, ABackgroundComesFromAFileByPathOrFileUrl) {
    const HWND lv = list(LVS_ICON);
    const std::u16string path = samplePath();
    ASSERT_FALSE(path.empty());
    ASSERT_NE(path[0], u'/') << "a relative name";
    ASSERT_TRUE(setImage(lv, LVBKIF_SOURCE_URL | LVBKIF_STYLE_TILE, path));
    std::u16string url;
    LVBKIMAGEW got = image(lv, url);
    EXPECT_EQ(got.ulFlags, LVBKIF_SOURCE_URL | LVBKIF_STYLE_TILE);
    EXPECT_EQ(url, path);
    EXPECT_FALSE(got.hbm) << "the list's own bitmap is not handed out";
    // Tiled from the top left: the picture's pixels, again five pixels on.
    EXPECT_EQ(pixel(lv, 0, 0), RGB(0xFF, 0xAA, 0x55));
    EXPECT_EQ(pixel(lv, 1, 0), RGB(0x25, 0x7A, 0xCF));
    EXPECT_EQ(pixel(lv, 5, 3), RGB(0xFF, 0xAA, 0x55));
    // A small buffer gets the start of the address.
    image(lv, url, 4);
    EXPECT_EQ(url, path.substr(0, 3));

    // The same file as a file: URL with an escaped character, placed normally.
    std::u16string escaped = u"file:" + path;
    escaped.replace(escaped.rfind(u"-24"), 1, u"%2d");
    ASSERT_TRUE(setImage(lv, LVBKIF_SOURCE_URL, escaped));
    got = image(lv, url);
    EXPECT_EQ(got.ulFlags, LVBKIF_SOURCE_URL);
    EXPECT_EQ(url, escaped) << "the address as given";
    EXPECT_EQ(pixel(lv, 1, 0), RGB(0x25, 0x7A, 0xCF));
    EXPECT_NE(pixel(lv, 5, 3), RGB(0xFF, 0xAA, 0x55)) << "not tiled";

    // None removes it.
    ASSERT_TRUE(setImage(lv, LVBKIF_SOURCE_NONE, u""));
    EXPECT_EQ(image(lv, url).ulFlags, LVBKIF_SOURCE_NONE);
    EXPECT_EQ(pixel(lv, 1, 0), GetSysColor(COLOR_WINDOW));
    DestroyWindow(lv);
}

TEST_F(ListViewPlacesTest, UnreadableAddressesLeaveTheBackgroundAsItWas) {
    const HWND lv = list(LVS_ICON);
    const std::u16string path = samplePath();
    ASSERT_TRUE(setImage(lv, LVBKIF_SOURCE_URL | LVBKIF_STYLE_TILE, path));
    const std::string corrupt = "corrupt-background.png";
    {
        std::ofstream out(corrupt, std::ios::binary);
        out << "\x89PNG\r\n\x1a\n but nothing of a picture after the signature";
    }
    struct Case {
        std::u16string url;
        DWORD error;
    };
    for (const Case& c : {Case{u"http://example.com/a.png", ERROR_NOT_SUPPORTED},
                          Case{u"https://example.com/a.png", ERROR_NOT_SUPPORTED},
                          Case{u"res://app.dll/background", ERROR_NOT_SUPPORTED},
                          Case{u"file://elsewhere/a.png", ERROR_INVALID_PARAMETER},
                          Case{u"file:bad%zzescape.png", ERROR_INVALID_PARAMETER},
                          Case{u"no-such-picture.png", ERROR_FILE_NOT_FOUND},
                          Case{FromUtf8(corrupt), ERROR_INVALID_DATA}}) {
        SetLastError(0);
        EXPECT_FALSE(setImage(lv, LVBKIF_SOURCE_URL, c.url)) << ToUtf8(c.url);
        EXPECT_EQ(GetLastError(), c.error) << ToUtf8(c.url);
        std::u16string url;
        EXPECT_EQ(image(lv, url).ulFlags, LVBKIF_SOURCE_URL | LVBKIF_STYLE_TILE) << ToUtf8(c.url);
        EXPECT_EQ(url, path);
        EXPECT_EQ(pixel(lv, 5, 3), RGB(0xFF, 0xAA, 0x55)) << ToUtf8(c.url);
    }
    fs::remove(corrupt);
    // Flags the list does not draw (a tile offset) are refused, not ignored.
    EXPECT_FALSE(setImage(lv, LVBKIF_SOURCE_URL | LVBKIF_STYLE_TILE | 0x0100, path));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    // A bitmap replaces the decoded one; the list owns both, so nothing is left behind.
    const HBITMAP given = CreateBitmap(2, 2, 1, 32, nullptr);
    ASSERT_TRUE(setImage(lv, LVBKIF_SOURCE_HBITMAP, u"", given));
    std::u16string url;
    const LVBKIMAGEW got = image(lv, url);
    EXPECT_EQ(got.ulFlags, LVBKIF_SOURCE_HBITMAP);
    EXPECT_EQ(got.hbm, given);
    DestroyWindow(lv);
}

}  // namespace
}  // namespace orvane::platform::test
