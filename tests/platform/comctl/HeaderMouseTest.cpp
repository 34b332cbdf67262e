// The header control and the mouse and keyboard: notification sequences for clicks, divider
// tracking (with and without full drag, refused, opening hidden items), dragging items to a new
// order, check boxes, drop-downs, the focused item, and parents that destroy the control.
#include "HeaderFixture.h"

namespace orvane::platform::test {
namespace {

using namespace headers;

class HeaderMouseTest : public HeaderFixture {};

// Clicks.

TEST_F(HeaderMouseTest, ButtonsClickOnReleaseOverTheSameItem) {
    const HWND h = threeItems(HDS_BUTTONS);
    const int y = rowHeight(h) / 2;
    click(h, 150, y);
    EXPECT_EQ(codes(), std::vector<UINT>{HDN_ITEMCLICKW});
    EXPECT_EQ(told().back().item, 1);
    EXPECT_EQ(told().back().button, 0);
    EXPECT_TRUE(told().back().addressed);
    // Released over another item: no click.
    parent().notes.clear();
    press(h, 150, y);
    moveTo(h, 250, y);
    Screen::MouseUp();
    EXPECT_TRUE(codes().empty());
    // A double click: a click, then HDN_ITEMDBLCLICKW; on a divider HDN_DIVIDERDBLCLICKW.
    const POINT p = Screen::ClientToScreenPoint(h, 50, y);
    platform->AdvanceTime(GetDoubleClickTime() + 1);
    Screen::DoubleClick(p.x, p.y);
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_ITEMCLICKW, HDN_ITEMDBLCLICKW}));
    parent().notes.clear();
    const POINT d = Screen::ClientToScreenPoint(h, 99, y);
    platform->AdvanceTime(GetDoubleClickTime() + 1);
    Screen::DoubleClick(d.x, d.y);
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_BEGINTRACKW, HDN_ENDTRACKW, HDN_DIVIDERDBLCLICKW}));
    EXPECT_EQ(told().back().item, 0);
    // A right click tells the parent.
    parent().notes.clear();
    click(h, 150, y);
    parent().notes.clear();
    const POINT r = Screen::ClientToScreenPoint(h, 150, y);
    Screen::Click(r.x, r.y, platform::testing::MouseButton::Right);
    EXPECT_EQ(codes(), std::vector<UINT>{NM_RCLICK});
    DestroyWindow(h);

    // Without HDS_BUTTONS items do not click.
    const HWND plain = threeItems(0);
    click(plain, 150, y);
    EXPECT_TRUE(codes().empty());
    DestroyWindow(plain);
}

TEST_F(HeaderMouseTest, AParentDestroyingTheControlFromAClickIsSafe) {
    const HWND h = threeItems(HDS_BUTTONS | HDS_FULLDRAG);
    parent().hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == HDN_ITEMCLICKW || hdr->code == HDN_ITEMCHANGINGW) DestroyWindow(h);
        return std::nullopt;
    };
    click(h, 150, rowHeight(h) / 2);
    EXPECT_FALSE(IsWindow(h));
    const HWND t = threeItems(HDS_FULLDRAG);
    parent().hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == HDN_ITEMCHANGINGW) DestroyWindow(t);
        return std::nullopt;
    };
    press(t, 99, 5);
    moveTo(t, 130, 5);
    Screen::MouseUp();
    EXPECT_FALSE(IsWindow(t));
    // Losing the capture as it goes ends the tracking, which the parent hears.
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_BEGINTRACKW, HDN_ITEMCHANGINGW, HDN_ENDTRACKW}));
}

// Tracking dividers.

TEST_F(HeaderMouseTest, TrackingSendsItsSequenceAndDrawsALineUntilReleased) {
    const HWND h = threeItems(0);
    const int y = rowHeight(h) / 2;
    press(h, 98, y);  // two pixels left of the divider: the grab is kept
    moveTo(h, 128, y);
    moveTo(h, 148, y);
    EXPECT_EQ(rectOf(h, 0).right, 100) << "the width changes only on release";
    const COLORREF line = at(h, 150, y);
    EXPECT_EQ(line, GetSysColor(COLOR_WINDOWTEXT));
    Screen::MouseUp();
    EXPECT_EQ(rectOf(h, 0).right, 150);
    EXPECT_NE(at(h, 150, y), line);
    struct Want {
        UINT code;
        int cxy;
    };
    const Want want[] = {{HDN_BEGINTRACKW, 100}, {HDN_TRACKW, 130},        {HDN_TRACKW, 150},
                         {HDN_ENDTRACKW, 150},   {HDN_ITEMCHANGINGW, 150}, {HDN_ITEMCHANGEDW, 150}};
    ASSERT_EQ(codes().size(), std::size(want));
    for (std::size_t i = 0; i < std::size(want); ++i) {
        EXPECT_EQ(told()[i].code, want[i].code) << i;
        EXPECT_EQ(told()[i].cxy, want[i].cxy) << i;
        EXPECT_EQ(told()[i].item, 0) << i;
        EXPECT_EQ(told()[i].mask, HDI_WIDTH) << i;
    }
    // HDN_TRACKW answered TRUE ends the tracking with nothing changed.
    parent().notes.clear();
    parent().answer[HDN_TRACKW] = TRUE;
    press(h, 149, y);
    moveTo(h, 170, y);
    moveTo(h, 190, y);
    Screen::MouseUp();
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_BEGINTRACKW, HDN_TRACKW}));
    EXPECT_EQ(rectOf(h, 0).right, 150);
    DestroyWindow(h);
}

TEST_F(HeaderMouseTest, FullDragResizesAsThePointerMoves) {
    const HWND h = threeItems(HDS_FULLDRAG);
    const int y = rowHeight(h) / 2;
    press(h, 100, y);
    moveTo(h, 130, y);
    EXPECT_EQ(rectOf(h, 0).right, 130);
    EXPECT_EQ(rectOf(h, 1).left, 130);
    moveTo(h, 60, y);
    Screen::MouseUp();
    EXPECT_EQ(rectOf(h, 0).right, 60);
    const std::vector<UINT> want = {HDN_BEGINTRACKW,   HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW,
                                    HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW,  HDN_ENDTRACKW};
    EXPECT_EQ(codes(), want);
    EXPECT_EQ(told()[1].cxy, 130);
    EXPECT_EQ(told()[3].cxy, 60);
    EXPECT_EQ(told()[5].cxy, 60);
    // Escape puts the width back.
    press(h, 60, y);
    moveTo(h, 90, y);
    EXPECT_EQ(rectOf(h, 0).right, 90);
    SetFocus(h);
    Screen::KeyPress(VK_ESCAPE);
    EXPECT_EQ(rectOf(h, 0).right, 60);
    Screen::MouseUp();
    DestroyWindow(h);
}

TEST_F(HeaderMouseTest, TrackingIsRefusedByTheParentAFixedWidthOrNoSizing) {
    const HWND h = threeItems(HDS_BUTTONS | HDS_FULLDRAG);
    const int y = rowHeight(h) / 2;
    parent().answer[HDN_BEGINTRACKW] = TRUE;
    press(h, 99, y);
    moveTo(h, 140, y);
    Screen::MouseUp();
    EXPECT_EQ(codes(), std::vector<UINT>{HDN_BEGINTRACKW});
    EXPECT_EQ(rectOf(h, 0).right, 100);
    parent().answer.clear();

    // A fixed-width item has no divider: pressing there clicks the item.
    HDITEMW it;
    it.mask = HDI_FORMAT;
    it.fmt = HDF_STRING | HDF_FIXEDWIDTH;
    SendMessageW(h, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    parent().notes.clear();
    press(h, 98, y);
    moveTo(h, 98, y + 1);
    Screen::MouseUp();
    EXPECT_EQ(codes(), std::vector<UINT>{HDN_ITEMCLICKW});
    EXPECT_EQ(rectOf(h, 0).right, 100);

    SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) | HDS_NOSIZING);
    parent().notes.clear();
    press(h, 199, y);
    moveTo(h, 190, y);
    Screen::MouseUp();
    EXPECT_EQ(codes(), std::vector<UINT>{HDN_ITEMCLICKW});
    EXPECT_EQ(rectOf(h, 1).right, 200);
    DestroyWindow(h);
}

TEST_F(HeaderMouseTest, DraggingRightOfAHiddenItemsDividerOpensIt) {
    const HWND h = make(HDS_FULLDRAG);
    add(h, u"A", 100);
    add(h, u"Hidden", 0);
    add(h, u"B", 100);
    parent().notes.clear();
    const int y = rowHeight(h) / 2;
    press(h, 102, y);
    moveTo(h, 142, y);
    Screen::MouseUp();
    EXPECT_EQ(rectOf(h, 0).right, 100) << "the item on the left keeps its width";
    EXPECT_EQ(rectOf(h, 1), (RECT{100, 0, 140, rowHeight(h)}));
    EXPECT_EQ(notes(HDN_BEGINTRACKW).at(0).item, 1);
    DestroyWindow(h);
}

// Dragging items.

TEST_F(HeaderMouseTest, DraggingAnItemReordersItUnlessTheParentRefuses) {
    const HWND h = threeItems(HDS_BUTTONS | HDS_DRAGDROP);
    const int y = rowHeight(h) / 2;
    auto drag = [&](int from, int to, bool probe = false) {
        parent().notes.clear();
        press(h, from, y);
        moveTo(h, from + 10, y);
        moveTo(h, to, y);
        COLORREF marker = 0;
        if (probe) marker = at(h, 299, 2);
        Screen::MouseUp();
        return marker;
    };
    // A dropped past the middle of C goes last, with a marker at the end meanwhile.
    EXPECT_EQ(drag(50, 260, true), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_BEGINDRAG, HDN_ENDDRAG}));
    EXPECT_EQ(told()[0].item, 0);
    EXPECT_EQ(told()[1].item, 0);
    EXPECT_EQ(told()[1].mask, HDI_ORDER);
    EXPECT_EQ(told()[1].order, 2);
    EXPECT_EQ(order(h), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(rectOf(h, 0).left, 200);
    EXPECT_NE(at(h, 299, 2), GetSysColor(COLOR_HIGHLIGHT));

    // HDN_ENDDRAG answered TRUE leaves the order alone.
    parent().answer[HDN_ENDDRAG] = TRUE;
    drag(250, 20);
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_BEGINDRAG, HDN_ENDDRAG}));
    EXPECT_EQ(told()[1].order, 0);
    EXPECT_EQ(order(h), (std::vector<int>{1, 2, 0}));
    parent().answer.clear();
    drag(250, 20);
    EXPECT_EQ(order(h), (std::vector<int>{0, 1, 2}));

    // HDN_BEGINDRAG answered TRUE: the parent drags; no order change and no click.
    parent().answer[HDN_BEGINDRAG] = TRUE;
    drag(50, 260);
    EXPECT_EQ(codes(), std::vector<UINT>{HDN_BEGINDRAG});
    EXPECT_EQ(order(h), (std::vector<int>{0, 1, 2}));
    DestroyWindow(h);
}

TEST_F(HeaderMouseTest, HotDividerAndDragImage) {
    const HWND h = threeItems(0);
    EXPECT_EQ(SendMessageW(h, HDM_SETHOTDIVIDER, FALSE, 1), 1);
    EXPECT_EQ(at(h, 99, 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(SendMessageW(h, HDM_SETHOTDIVIDER, TRUE, MAKELPARAM(160, 5)), 2);
    EXPECT_EQ(at(h, 199, 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_NE(at(h, 99, 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(SendMessageW(h, HDM_SETHOTDIVIDER, FALSE, -1), -1);
    EXPECT_NE(at(h, 199, 2), GetSysColor(COLOR_HIGHLIGHT));

    const HIMAGELIST image(static_cast<std::uint32_t>(SendMessageW(h, HDM_CREATEDRAGIMAGE, 1, 0)));
    ASSERT_TRUE(image);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(image, &cx, &cy);
    EXPECT_EQ(cx, 100);
    EXPECT_EQ(cy, rowHeight(h));
    EXPECT_EQ(ImageList_GetImageCount(image), 1);
    ImageList_Destroy(image);
    EXPECT_EQ(SendMessageW(h, HDM_CREATEDRAGIMAGE, 9, 0), 0);
    DestroyWindow(h);
}

// Check boxes and split buttons.

TEST_F(HeaderMouseTest, CheckBoxesAndDropDownsTellTheParent) {
    const HWND h = make(HDS_CHECKBOXES | HDS_BUTTONS);
    add(h, u"Check", 120, HDF_STRING | HDF_CHECKBOX);
    add(h, u"Split", 120, HDF_STRING | HDF_SPLITBUTTON);
    parent().notes.clear();
    const int y = rowHeight(h) / 2;
    const int margin = static_cast<int>(SendMessageW(h, HDM_GETBITMAPMARGIN, 0, 0));
    click(h, margin + 4, y);
    ASSERT_EQ(codes(), std::vector<UINT>{HDN_ITEMSTATEICONCLICK});
    EXPECT_EQ(told()[0].item, 0);
    EXPECT_EQ(told()[0].mask, HDI_FORMAT);
    EXPECT_EQ(told()[0].fmt, HDF_STRING | HDF_CHECKBOX);
    HDITEMW it;
    it.mask = HDI_FORMAT;
    SendMessageW(h, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    EXPECT_EQ(it.fmt & HDF_CHECKED, 0) << "the parent checks it, not the control";

    RECT drop{};
    EXPECT_TRUE(SendMessageW(h, HDM_GETITEMDROPDOWNRECT, 1, reinterpret_cast<LPARAM>(&drop)));
    EXPECT_EQ(drop, (RECT{240 - 16, 0, 240, rowHeight(h)}));
    EXPECT_FALSE(SendMessageW(h, HDM_GETITEMDROPDOWNRECT, 0, reinterpret_cast<LPARAM>(&drop)));
    parent().notes.clear();
    click(h, drop.left + 5, y);
    EXPECT_EQ(codes(), std::vector<UINT>{HDN_DROPDOWN});
    EXPECT_EQ(told()[0].item, 1);
    parent().notes.clear();
    click(h, drop.left - 10, y);
    EXPECT_EQ(codes(), std::vector<UINT>{HDN_ITEMCLICKW});
    DestroyWindow(h);
}

TEST_F(HeaderMouseTest, AHeaderWiderThanItsParentScrollsSideways) {
    // As a list view scrolls it: moved to a negative x.
    const HWND h = make(HDS_BUTTONS, 800, -300);
    for (int i = 0; i < 8; ++i)
        add(h, u"Col", 100);
    parent().notes.clear();
    RECT window;
    GetWindowRect(h, &window);
    EXPECT_EQ(window.left, 100 - 300);
    // Host x 50 is header x 350: item 3.
    const POINT p = Screen::ClientToScreenPoint(host, 50, 5);
    Screen::Click(p.x, p.y);
    ASSERT_EQ(codes(), std::vector<UINT>{HDN_ITEMCLICKW});
    EXPECT_EQ(told()[0].item, 3);
    EXPECT_EQ(Screen::ClientPixel(host, 99, 5), at(h, 399, 5)) << "the divider of item 3";
    DestroyWindow(h);
}

TEST_F(HeaderMouseTest, KeysMoveTheFocusedItemAndOthersGoToTheParent) {
    const HWND h = threeItems(0);
    EXPECT_EQ(SendMessageW(h, HDM_GETFOCUSEDITEM, 0, 0), -1);
    EXPECT_TRUE(SendMessageW(h, HDM_SETFOCUSEDITEM, 0, 1));
    EXPECT_FALSE(SendMessageW(h, HDM_SETFOCUSEDITEM, 0, 9));
    SetFocus(h);
    Screen::KeyPress(VK_RIGHT);
    EXPECT_EQ(SendMessageW(h, HDM_GETFOCUSEDITEM, 0, 0), 2);
    Screen::KeyPress(VK_HOME);
    EXPECT_EQ(SendMessageW(h, HDM_GETFOCUSEDITEM, 0, 0), 0);
    Screen::KeyPress(VK_SPACE);
    ASSERT_EQ(codes(), std::vector<UINT>{HDN_ITEMKEYDOWN});
    EXPECT_EQ(told()[0].item, 0);
    EXPECT_EQ(told()[0].button, VK_SPACE);
    SetFocus(host);
    DestroyWindow(h);
}

}  // namespace
}  // namespace orvane::platform::test
