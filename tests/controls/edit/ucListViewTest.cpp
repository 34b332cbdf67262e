// The list view control: nothing before Initialize, the window following its properties,
// events and their arguments, sorting (bad orders and types refused), the virtual mode's cell
// requests, the progress and ranking columns by pixel probes, the cell hooks, the drag image,
// persistence, and many lists built and destroyed without a leak.
#include "controls/edit/ucListView.h"

#include <filesystem>

#include "host/Error.h"
#include "host/StdFont.h"
#include "platform/theme/Theme.h"
#include "support/ControlTest.h"
#include "support/RoundTrip.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;

class ListViewControlTest : public orvane::test::ControlTest {
protected:
    // A report view in pixels with columns "Name", "Size" and "Stars", and `rows` items.
    ucListView& list(Form& form, int rows = 5, Extender where = box(10, 10, 300, 200)) {
        auto& c = form.add<ucListView>(u"ctl", -1, std::move(where));
        form.Show();
        pump();
        c.ScaleMode(orvane::ScaleMode::Pixels);
        c.ViewMode(ucListView::vmDetails);
        EXPECT_TRUE(c.InitializeList());
        c.ColumnAdd(0, u"Name", 100, 0, -1);
        c.ColumnAdd(1, u"Size", 90, 1, -1);
        c.ColumnAdd(2, u"Stars", 90, 0, -1);
        for (int i = 0; i < rows; ++i) {
            c.ItemAdd(i, u"Item " + std::u16string(1, static_cast<char16_t>(u'A' + i)), 0, -1);
            c.SubItemText(i, 1, CStr(Variant(static_cast<std::int32_t>((i * 37) % 100))));
            c.SubItemText(i, 2, u"0");
        }
        pump();
        return c;
    }
    void TearDown() override {
        EnableTheming(TRUE);
        ControlTest::TearDown();
    }
    POINT screenOf(ucListView& c, int x, int y) {
        return platform->ClientToScreenPoint(c.hWndListView(), x, y);
    }
    COLORREF at(ucListView& c, int x, int y) {
        pump();
        UpdateWindow(c.hWndListView());
        return platform->ClientPixel(c.hWndListView(), x, y);
    }
};

TEST_F(ListViewControlTest, NothingBeforeInitializeThenTheWindowFollowsItsProperties) {
    Form form(u"Form1");
    auto& c = form.add<ucListView>(u"ctl", -1, box(10, 10, 300, 200));
    form.Show();
    pump();
    // A new list starts in icon view, and list operations fail quietly without a window.
    EXPECT_EQ(c.ViewMode(), ucListView::vmIcon);
    EXPECT_FALSE(c.hWndListView());
    EXPECT_EQ(c.ItemAdd(0, u"x", 0, -1), -1);
    EXPECT_EQ(c.ColumnAdd(0, u"x", 100, 0, -1), -1);
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.GetSelectedItem(), -1);
    EXPECT_EQ(c.ItemText(0), u"");
    EXPECT_FALSE(c.Sort(0, ucListView::soAscending, ucListView::stString));
    c.MultiSelect(true);
    c.CheckBoxes(true);
    c.GridLines(true);
    ASSERT_TRUE(c.InitializeList());
    const HWND lv = c.hWndListView();
    ASSERT_TRUE(IsWindow(lv));
    EXPECT_EQ(SendMessageW(lv, LVM_GETVIEW, 0, 0), static_cast<LRESULT>(LV_VIEW_ICON));
    const auto ex = static_cast<DWORD>(SendMessageW(lv, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(ex & (LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER),
              LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    EXPECT_FALSE(GetWindowLongW(lv, GWL_STYLE) & LVS_SINGLESEL);
    // Later changes flip the same bits.
    c.GridLines(false);
    c.MultiSelect(false);
    c.ViewMode(ucListView::vmDetails);
    EXPECT_FALSE(SendMessageW(lv, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES);
    EXPECT_TRUE(GetWindowLongW(lv, GWL_STYLE) & LVS_SINGLESEL);
    EXPECT_EQ(SendMessageW(lv, LVM_GETVIEW, 0, 0), static_cast<LRESULT>(LV_VIEW_DETAILS));
    // The list fills the control as it is resized.
    form.Controls().front()->Extender().Move(150, 150, 6000, 4500);
    pump();
    RECT rc{};
    GetWindowRect(lv, &rc);
    EXPECT_EQ(rc.right - rc.left, 400);
}

TEST_F(ListViewControlTest, ItemsColumnsAndStatesThroughTheirMembers) {
    Form form(u"Form1");
    auto& c = list(form, 4);
    EXPECT_EQ(c.Count(), 4);
    EXPECT_EQ(c.ColumnCount(), 3);
    EXPECT_EQ(c.ColumnText(1), u"Size");
    EXPECT_EQ(c.ColumnAlign(1), 1);
    EXPECT_DOUBLE_EQ(c.ColumnWidth(1), 90);
    c.ColumnWidth(1, 80);
    EXPECT_DOUBLE_EQ(c.ColumnWidth(1), 80);
    EXPECT_EQ(c.SubItemText(1, 1), u"37");
    EXPECT_TRUE(c.SubItemSet(2, 1, u"set", -1));
    EXPECT_EQ(c.SubItemText(2, 1), u"set");
    EXPECT_FALSE(c.SubItemSet(2, 9, u"beyond", -1));  // no such column
    EXPECT_EQ(c.SubItemText(2, 9), u"");
    c.MultiSelect(true);
    c.ItemSelected(1, true);
    c.ItemSelected(3, true);
    EXPECT_EQ(c.SelectedCount(), 2);
    EXPECT_EQ(c.GetSelectedItem(), 1);
    EXPECT_EQ(c.GetSelectedNexItem(1), 3);
    EXPECT_EQ(c.GetSelectedNexItem(3), -1);
    c.SelectAll();
    EXPECT_EQ(c.SelectedCount(), 4);
    c.DeSelectAll();
    EXPECT_EQ(c.SelectedCount(), 0);
    c.CheckBoxes(true);
    c.ItemChecked(2, true);
    EXPECT_TRUE(c.ItemChecked(2));
    EXPECT_FALSE(c.ItemChecked(1));
    c.ItemGhosted(0, true);
    EXPECT_EQ(c.ItemFindState(-1, 4), 0);
    EXPECT_EQ(c.ItemFindText(u"item c", -1, 2, false), 2);
    EXPECT_EQ(c.ItemFindText(u"Ite", 2, 8, true), 3);
    EXPECT_EQ(c.ItemFindText(u"Ite", 3, 8, false), -1);
    // Out of range: defined answers, nothing changed.
    EXPECT_FALSE(c.ItemRemove(40));
    EXPECT_FALSE(c.ItemSelected(-3));
    c.ItemText(-1, u"nothing");
    EXPECT_EQ(c.Count(), 4);
    // Hit testing and geometry in the control's units.
    const double top = c.ItemTop(1), left = c.ItemLeft(1);
    EXPECT_EQ(c.ItemHitTest(left + 10, top + c.ItemHeight(1) / 2), 1);
    c.ScaleMode(orvane::ScaleMode::Twips);
    EXPECT_DOUBLE_EQ(c.ItemTop(1), top * 15);
    EXPECT_EQ(c.ItemHitTest((left + 10) * 15, (top + 2) * 15), 1);
}

TEST_F(ListViewControlTest, ABackgroundPictureComesFromAFileAndABadOneChangesNothing) {
    Form form(u"Form1");
    auto& c = list(form, 0);
    // The repository's 5 x 3 decoder sample, by a name relative to where the tests run; its
    // top-left pixel is RGB(0xFF, 0xAA, 0x55).
    const std::filesystem::path sample = std::filesystem::path(ORVANE_SOURCE_DIR) / "fuzz" /
                                         "corpus" / "fuzz_bmp" / "info-rgb-24.bmp";
    const std::string relative = std::filesystem::relative(sample).generic_string();
    const std::u16string path(relative.begin(), relative.end());
    const RECT area = [&] {
        RECT r{};
        GetClientRect(c.hWndListView(), &r);
        return r;
    }();
    const int y = area.bottom - 1;  // below the header, in the picture's last tiled row
    const int tileTop = y - y % 3;
    ASSERT_TRUE(c.BackgroundPictureSet(path, true));
    EXPECT_EQ(at(c, 0, tileTop), RGB(0xFF, 0xAA, 0x55));
    EXPECT_EQ(at(c, 5, tileTop), RGB(0xFF, 0xAA, 0x55));
    EXPECT_FALSE(c.BackgroundPictureSet(u"no-such-picture.png", false));
    EXPECT_EQ(at(c, 5, tileTop), RGB(0xFF, 0xAA, 0x55)) << "still tiled";
    EXPECT_TRUE(c.BackgroundPictureSet(u"", false));
    EXPECT_NE(at(c, 5, tileTop), RGB(0xFF, 0xAA, 0x55));
}

TEST_F(ListViewControlTest, SortRefusesBadOrdersAndTypesAndSortsByTextNumberAndDate) {
    Form form(u"Form1");
    auto& c = list(form, 0);
    const std::u16string names[] = {u"pear", u"Apple", u"fig", u"apple2"};
    const std::u16string sizes[] = {u"10", u"9", u"100", u"-1"};
    const std::u16string dates[] = {u"2024-05-01", u"2023-12-31", u"2024-01-15", u"not a date"};
    for (int i = 0; i < 4; ++i) {
        c.ItemAdd(i, names[i], 0, -1);
        c.SubItemText(i, 1, sizes[i]);
        c.SubItemText(i, 2, dates[i]);
    }
    EXPECT_FALSE(c.Sort(0, 2, ucListView::stString));
    EXPECT_FALSE(c.Sort(0, ucListView::soAscending, 4));
    EXPECT_EQ(c.ItemText(0), u"pear");  // untouched
    ASSERT_TRUE(c.Sort(0, ucListView::soAscending, ucListView::stString));
    EXPECT_EQ(c.ItemText(0), u"Apple");
    EXPECT_EQ(c.ItemText(1), u"apple2");
    EXPECT_EQ(c.ItemText(3), u"pear");
    ASSERT_TRUE(c.Sort(1, ucListView::soDescending, ucListView::stNumeric));
    EXPECT_EQ(c.SubItemText(0, 1), u"100");
    EXPECT_EQ(c.SubItemText(3, 1), u"-1");
    ASSERT_TRUE(c.Sort(2, ucListView::soAscending, ucListView::stDate));
    EXPECT_EQ(c.SubItemText(0, 2), u"not a date");
    EXPECT_EQ(c.SubItemText(1, 2), u"2023-12-31");
    EXPECT_EQ(c.SubItemText(3, 2), u"2024-05-01");
    ASSERT_TRUE(c.Sort(0, ucListView::soAscending, ucListView::stStringSensitive));
    EXPECT_EQ(c.ItemText(0), u"Apple");  // capitals first
    EXPECT_EQ(c.ItemText(1), u"apple2");
    c.Clear();
    EXPECT_TRUE(c.Sort(0, ucListView::soAscending, ucListView::stNumeric));  // an empty list
}

TEST_F(ListViewControlTest, VirtualRowsAreAskedForWhatShowsAndAHandlerErrorLeavesTheCell) {
    Form form(u"Form1");
    auto& c = form.add<ucListView>(u"ctl", -1, box(10, 10, 300, 200));
    form.Show();
    pump();
    c.Virtual(true);
    c.ViewMode(ucListView::vmDetails);
    ASSERT_TRUE(c.InitializeList());
    c.ColumnAdd(0, u"Name", 1500, 0, -1);
    c.ColumnAdd(1, u"Long", 1500, 0, -1);
    std::set<std::int32_t> rows;
    bool fail = false;
    c.connect(ucListView::evItemDataRequest, [&](std::vector<Variant>& a) {
        rows.insert(CLng(a[0]));
        if (fail) throw Error(5, u"test", u"refused");
        if (CLng(a[1]) == 1)
            a[3] = Variant(std::u16string(1000, u'w'));
        else
            a[3] = Variant(u"Row " + CStr(a[0]));
    });
    c.Items(100000);
    EXPECT_EQ(c.Count(), 100000);
    pump();
    UpdateWindow(c.hWndListView());
    ASSERT_FALSE(rows.empty());
    EXPECT_LE(*rows.rbegin(), c.PageCount() + 1);
    EXPECT_EQ(c.ItemText(7), u"Row 7");
    EXPECT_EQ(c.SubItemText(7, 1).size(), 259u);  // cut to the list's buffer
    fail = true;
    EXPECT_EQ(c.ItemText(8), u"");  // the error leaves the buffer as the list gave it
    fail = false;
    rows.clear();
    c.ItemEnsureVisible(99999);
    pump();
    UpdateWindow(c.hWndListView());
    ASSERT_FALSE(rows.empty());
    EXPECT_GE(*rows.begin(), 99999 - c.PageCount() - 1);
}

TEST_F(ListViewControlTest, ClicksChecksAndLabelEditsRaiseTheirEvents) {
    Form form(u"Form1");
    auto& c = list(form, 4);
    c.CheckBoxes(true);
    c.LabelEdit(true);
    std::vector<std::string> events;
    std::vector<std::int32_t> items;
    c.connect(ucListView::evItemClick, [&](std::vector<Variant>& a) {
        events.push_back("ItemClick");
        items.push_back(CLng(a[0]));
    });
    c.connect(ucListView::evItemCheck, [&](std::vector<Variant>& a) {
        events.push_back("ItemCheck");
        items.push_back(CLng(a[0]));
    });
    c.connect(ucListView::evClick, [&](std::vector<Variant>&) { events.push_back("Click"); });
    std::vector<float> down;
    c.connect(ucListView::evMouseDown, [&](std::vector<Variant>& a) {
        events.push_back("MouseDown");
        down = {static_cast<float>(CDbl(a[2])), static_cast<float>(CDbl(a[3]))};
    });
    c.connect(ucListView::evMouseUp, [&](std::vector<Variant>&) { events.push_back("MouseUp"); });
    const int y = static_cast<int>(c.ItemTop(2) + c.ItemHeight(2) / 2);
    POINT p = screenOf(c, 40, y);
    platform->Click(p.x, p.y);
    pump();
    EXPECT_EQ(events, (std::vector<std::string>{"ItemClick", "MouseDown", "Click", "MouseUp"}));
    EXPECT_EQ(items, std::vector<std::int32_t>{2});
    EXPECT_FLOAT_EQ(down[0], 40);
    EXPECT_FLOAT_EQ(down[1], static_cast<float>(y));
    events.clear();
    items.clear();
    c.ItemChecked(1, true);
    EXPECT_EQ(events, std::vector<std::string>{"ItemCheck"});
    EXPECT_EQ(items, std::vector<std::int32_t>{1});

    // Label editing: BeforeLabelEdit may cancel; AfterLabelEdit gives the text and may refuse it.
    bool cancelBefore = true, cancelAfter = false;
    std::u16string edited;
    c.connect(ucListView::evBeforeLabelEdit,
              [&](std::vector<Variant>& a) { a[0] = Variant(cancelBefore); });
    c.connect(ucListView::evAfterLabelEdit, [&](std::vector<Variant>& a) {
        edited = CStr(a[1]);
        a[0] = Variant(cancelAfter);
    });
    c.StartLabelEdit();
    EXPECT_FALSE(c.hWndLabelEdit());
    cancelBefore = false;
    c.StartLabelEdit();
    ASSERT_TRUE(c.hWndLabelEdit());
    platform->TypeText(u"Renamed");
    key(VK_RETURN);
    EXPECT_EQ(edited, u"Renamed");
    EXPECT_EQ(c.ItemText(2), u"Renamed");
    cancelAfter = true;
    c.StartLabelEdit();
    platform->TypeText(u"Refused");
    key(VK_RETURN);
    EXPECT_EQ(edited, u"Refused");
    EXPECT_EQ(c.ItemText(2), u"Renamed");
}

TEST_F(ListViewControlTest, HandlersMayRemoveTheControlWhileItRaises) {
    Form form(u"Form1");
    auto& c = list(form, 4);
    c.connect(ucListView::evItemClick, [&](std::vector<Variant>&) { form.remove(c); });
    const POINT p = screenOf(c, 40, static_cast<int>(c.ItemTop(1) + 4));
    platform->Click(p.x, p.y);
    pump();
    EXPECT_TRUE(form.Controls().empty());
}

TEST_F(ListViewControlTest, RankingCellsShowLitStarsPreviewUnderThePointerAndTakeClicks) {
    Form form(u"Form1");
    auto& c = list(form, 3);
    c.RankingColumn(2);
    c.SubItemText(0, 2, u"3");
    const double left = c.SubItemLeft(0, 2) + 1, top = c.SubItemTop(0, 2) + 1;
    const double height = c.SubItemHeight(0, 2) - 2;
    const int midY = static_cast<int>(top + height / 2);
    // Three gold stars and two grey ones: the centre of star i is at left + 16 i + 8.
    for (int i = 0; i < 5; ++i) {
        const COLORREF centre = at(c, static_cast<int>(left) + 16 * i + 8, midY);
        EXPECT_EQ(centre, i < 3 ? 0x00C0FFu : 0xF0F0F0u) << i;
    }
    // Over the row, the count under the pointer shows in blue.
    POINT p = screenOf(c, static_cast<int>(left) + 16 * 4 + 8, midY);
    platform->MouseMove(p.x, p.y);
    pump();
    EXPECT_EQ(at(c, static_cast<int>(left) + 16 * 4 + 8, midY), 0xFFC080u);
    c.RankingLocked(true);
    EXPECT_EQ(at(c, static_cast<int>(left) + 16 * 4 + 8, midY), 0xF0F0F0u);
    c.RankingLocked(false);
    // A click on the fourth star raises Ranking(0, 4); the handler's value is stored.
    std::int32_t offered = -1;
    c.connect(ucListView::evRanking, [&](std::vector<Variant>& a) {
        offered = CLng(a[1]);
        a[1] = Variant(static_cast<std::int32_t>(2));
    });
    p = screenOf(c, static_cast<int>(left) + 16 * 3 + 8, midY);
    platform->Click(p.x, p.y);
    pump();
    EXPECT_EQ(offered, 4);
    EXPECT_EQ(c.SubItemText(0, 2), u"2");
    c.RankingLocked(true);
    offered = -1;
    platform->Click(p.x, p.y);
    pump();
    EXPECT_EQ(offered, -1);
}

TEST_F(ListViewControlTest, CellHooksColourCellsOnlyWhenAsked) {
    Form form(u"Form1");
    auto& c = list(form, 2);
    int raised = 0;
    c.connect(ucListView::evOnSubItemPrePaint, [&](std::vector<Variant>& a) {
        ++raised;
        if (CLng(a[1]) == 1)
            a[2] = Variant(static_cast<std::int32_t>(0x0000FF));  // red behind "Size"
    });
    const int y = static_cast<int>(c.ItemTop(1) + c.ItemHeight(1) / 2);
    const int x = static_cast<int>(c.SubItemLeft(1, 1) + 4);
    EXPECT_EQ(at(c, x, y), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(raised, 0);
    c.RaisePrePaint(true);
    EXPECT_EQ(at(c, x, y), 0x0000FFu);
    EXPECT_GT(raised, 0);
    // A handler that turns Process off keeps the list's colours.
    c.connect(ucListView::evOnSubItemPrePaint,
              [&](std::vector<Variant>& a) { a[5] = Variant(false); });
    InvalidateRect(c.hWndListView(), nullptr, FALSE);
    EXPECT_EQ(at(c, x, y), GetSysColor(COLOR_WINDOW));
}

TEST_F(ListViewControlTest, TheDragImageHoldsTheSelectionAndTheCaption) {
    Form form(u"Form1");
    auto& c = list(form, 5);
    EXPECT_EQ(ucListView::dragCaption(3, true), u" + Copy 3 Item(s) ");
    EXPECT_EQ(ucListView::dragCaption(1, false), u" + Move 1 Item(s) ");
    EXPECT_FALSE(c.createDragImage(true));  // nothing selected: no image
    c.MultiSelect(true);
    for (int i : {0, 2, 3})
        c.ItemSelected(i, true);
    const HIMAGELIST image = c.createDragImage(true);
    ASSERT_TRUE(image);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(image, &cx, &cy);
    // Rows 0 to 3 and the caption line beneath.
    EXPECT_GT(cy, static_cast<int>(c.ItemTop(3) + c.ItemHeight(3) - c.ItemTop(0)));
    EXPECT_EQ(ImageList_GetImageCount(image), 1);
    ImageList_Destroy(image);
}

TEST_F(ListViewControlTest, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& {
        auto& c = form.add<ucListView>(u"ctl", -1, box(10, 10, 300, 200));
        form.Show();
        pump();
        return c;
    };
    const auto change = [](UserControl& ctl) {
        auto& c = static_cast<ucListView&>(ctl);
        c.BackColor(0x123456);
        c.ForeColor(0x654321);
        c.LvBorderStyle(ucListView::bs3d);
        c.CheckBoxes(true);
        c.ColumnIconOnRight(true);
        c.Enabled(false);
        c.EnableSetIPAO(false);
        c.ExplorerTheme(false);
        c.FullRowSelect(true);
        c.GridLines(true);
        c.HeaderDragDrop(true);
        c.HeaderFixedWidth(true);
        c.HeaderFlat(true);
        c.HeaderHeight(30);
        c.HeaderHide(true);
        c.HideSelection(true);
        c.LabelEdit(true);
        c.LabelTips(true);
        c.MultiSelect(true);
        c.OneClickActivate(true);
        c.ProgressBackColor(0x010203);
        c.ProgressBorderColor(0x040506);
        c.ProgressColumn(2);
        c.ProgressFillColor(0x070809);
        c.ProgressTextColor(0x0A0B0C);
        c.ProgressTextVisible(false);
        c.ProgressUseWindowsTheme(true);
        c.RaisePrePaint(true);
        c.RankingColumn(3);
        c.RankingLocked(true);
        c.RightToLeft(true);
        c.ScrollBarFlat(true);
        c.SubItemImages(true);
        c.TrackSelect(true);
        c.UnderlineHot(true);
        c.ViewMode(ucListView::vmTile);
        c.Virtual(true);
        c.OLEDragMode(1);
        c.OLEDropMode(2);
    };
    // Members that need the window (not built here) stay as a new control has them.
    const orvane::test::RoundTrip trip = orvane::test::roundTrip(
        u"ucListView", make, change,
        {u"NoRedraw", u"hWndListView", u"ScaleMode", u"Tag", u"ColumnCheckBoxes", u"ColumnFilters",
         u"Items", u"GroupsEnable", u"ItemSpacingX", u"ItemSpacingY", u"ItemSpacingXY"});
    EXPECT_GE(trip.compared, 38);
}

using ListViewPixelTest = orvane::test::AtDpi<ListViewControlTest>;

TEST_P(ListViewPixelTest, ProgressCellsFillToTheirValueStyledAndPlain) {
    for (BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        Form form(u"Form1");
        auto& c = list(form, 3);
        c.ProgressUseWindowsTheme(true);
        c.ProgressTextVisible(false);
        c.ProgressColumn(1);
        c.SubItemText(0, 1, u"50");
        c.SubItemText(1, 1, u"0");
        const int left = static_cast<int>(c.SubItemLeft(0, 1));
        const int width = static_cast<int>(c.SubItemWidth(0, 1));
        const int y0 = static_cast<int>(c.SubItemTop(0, 1) + c.SubItemHeight(0, 1) / 2);
        const int y1 = static_cast<int>(c.SubItemTop(1, 1) + c.SubItemHeight(1, 1) / 2);
        // Half of the inner width is filled; the other half, and a cell at 0, are not.
        const COLORREF filled = at(c, left + width / 4, y0);
        const COLORREF empty = at(c, left + width * 3 / 4, y0);
        EXPECT_NE(filled, empty) << themed;
        EXPECT_EQ(at(c, left + width / 4, y1), empty) << themed;
        if (themed)
            EXPECT_EQ(filled, RGB(0x00, 0x78, 0xD4));  // the style's accent
        else
            EXPECT_EQ(filled, RGB(0xE6, 0xE6, 0xE6));  // ProgressFillColor
        // The text shows the number when asked.
        c.ProgressTextVisible(true);
        c.SubItemText(1, 1, u"8");
        bool ink = false;
        for (int x = left + width / 2 - px(6); x < left + width / 2 + px(6); ++x)
            ink = ink || orvane::test::channelDistance(at(c, x, y1), empty) > 96;
        EXPECT_TRUE(ink) << themed;
    }
}

TEST_P(ListViewPixelTest, SelectionStyledAndPlain) {
    for (BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        Form form(u"Form1");
        auto& c = list(form, 3);
        c.FullRowSelect(true);
        c.ItemSelected(1, true);
        c.ItemFocused(1, true);
        SetFocus(c.hWndListView());
        const int y = static_cast<int>(c.ItemTop(1) + 1);
        const int x = static_cast<int>(c.SubItemLeft(1, 2) + c.SubItemWidth(1, 2) - px(4));
        EXPECT_EQ(at(c, x, y), themed ? RGB(0xCC, 0xE8, 0xFF) : GetSysColor(COLOR_HIGHLIGHT))
            << themed;
        EXPECT_EQ(at(c, x, static_cast<int>(c.ItemTop(0) + 1)), GetSysColor(COLOR_WINDOW))
            << themed;
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, ListViewPixelTest, ::testing::Values(96, 144));

TEST_F(ListViewControlTest, ManyLargeListsComeAndGoWithoutLeavingAnything) {
    Form form(u"Form1");
    for (int round = 0; round < 10; ++round) {
        auto& c = form.add<ucListView>(u"big", -1, box(10, 10, 300, 200));
        form.Show();
        c.ViewMode(ucListView::vmDetails);
        c.InitializeList();
        c.InitializeImageList(ucListView::Images::Small, 16, 16);
        c.ColumnAdd(0, u"Name", 1500, 0, -1);
        c.NoRedraw(true);
        for (int i = 0; i < 100000; ++i)
            c.ItemAdd(i, u"row", 0, -1);
        c.NoRedraw(false);
        pump();
        form.remove(c);
    }
    pump();
}

}  // namespace

namespace {

class ListViewHeaderTest : public ListViewControlTest {
protected:
    RECT headerItem(ucListView& c, int column) {
        RECT r{};
        SendMessageW(c.hWndHeader(), HDM_GETITEMRECT, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // A point of the header where the hit test gives `flags`, searched along the item's row.
    POINT partOf(ucListView& c, int column, UINT flags, int y) {
        const RECT r = headerItem(c, column);
        for (int x = r.left; x < r.right; ++x) {
            HDHITTESTINFO hit;
            hit.pt = POINT{x, y};
            SendMessageW(c.hWndHeader(), HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if ((hit.flags & flags) && hit.iItem == column) return hit.pt;
        }
        ADD_FAILURE() << "no such part in column " << column;
        return POINT{r.left, y};
    }
    void clickHeader(ucListView& c, POINT at) {
        const POINT p = platform->ClientToScreenPoint(c.hWndHeader(), at.x, at.y);
        platform->Click(p.x, p.y);
        pump();
    }
    // Drags the right divider of a column sideways by `dx`.
    void dragDivider(ucListView& c, int column, int dx) {
        platform->AdvanceTime(GetDoubleClickTime() + 10);  // two drags make no double click
        const RECT r = headerItem(c, column);
        const POINT p =
            platform->ClientToScreenPoint(c.hWndHeader(), r.right - 1, (r.top + r.bottom) / 2);
        platform->MouseMove(p.x, p.y);
        platform->MouseDown();
        platform->MouseMove(p.x + dx / 2, p.y);
        platform->MouseMove(p.x + dx, p.y);
        platform->MouseUp();
        pump();
    }
};

TEST_F(ListViewHeaderTest, HeaderChecksClicksAndFixedWidths) {
    Form form(u"Form1");
    auto& c = list(form, 3);
    ASSERT_TRUE(c.hWndHeader());
    EXPECT_EQ(c.ColumnCount(), 3);
    c.ColumnCheckBoxes(true);
    c.ColumnCheckStyle(0, true);
    EXPECT_TRUE(c.ColumnCheckBoxes());
    EXPECT_TRUE(c.ColumnCheckStyle(0));
    std::vector<std::pair<std::int32_t, bool>> checks;
    c.connect(ucListView::evColumnCheck,
              [&](std::vector<Variant>& a) { checks.emplace_back(CLng(a[0]), CBool(a[1])); });
    std::vector<std::int32_t> clicks;
    c.connect(ucListView::evColumnClick,
              [&](std::vector<Variant>& a) { clicks.push_back(CLng(a[0])); });
    const RECT first = headerItem(c, 0);
    const int midY = (first.top + first.bottom) / 2;
    clickHeader(c, partOf(c, 0, HHT_ONITEMSTATEICON, midY));
    EXPECT_EQ(checks, (std::vector<std::pair<std::int32_t, bool>>{{0, true}}));
    EXPECT_TRUE(c.ColumnCheckValue(0));
    const RECT second = headerItem(c, 1);
    clickHeader(c, POINT{(second.left + second.right) / 2, midY});
    EXPECT_EQ(clicks, std::vector<std::int32_t>{1});
    // The sort arrow follows ColumnOrder.
    c.ColumnOrder(1, ucListView::soDescending);
    EXPECT_EQ(c.ColumnOrder(1), ucListView::soDescending);
    EXPECT_EQ(c.ColumnOrder(0), ucListView::soDefault);

    // Dividers: a fixed header, and the ranking column always, refuse to be dragged.
    const double width = c.ColumnWidth(1);
    c.HeaderFixedWidth(true);
    dragDivider(c, 1, 30);
    EXPECT_DOUBLE_EQ(c.ColumnWidth(1), width);
    c.HeaderFixedWidth(false);
    dragDivider(c, 1, 30);
    EXPECT_DOUBLE_EQ(c.ColumnWidth(1), width + 30);
    c.RankingColumn(2);
    const double ranking = c.ColumnWidth(2);
    dragDivider(c, 2, -20);
    EXPECT_DOUBLE_EQ(c.ColumnWidth(2), ranking);
}

TEST_F(ListViewHeaderTest, FiltersKeepTheirTextsAndTheirButtonsMayBeCancelled) {
    Form form(u"Form1");
    auto& c = list(form, 3);
    c.ColumnFilters(true);
    EXPECT_TRUE(c.ColumnFilters());
    c.ColumnFilterType(0, ucListView::ftString);
    c.ColumnFilterType(1, ucListView::ftNumeric);
    EXPECT_EQ(c.ColumnFilterType(0), ucListView::ftString);
    c.ColumnFilterText(0, u"item");
    c.ColumnFilterText(1, u"37");
    EXPECT_EQ(c.ColumnFilterText(0), u"item");
    EXPECT_EQ(c.ColumnFilterText(1), u"37");
    c.ColumnFilterText(1, u"not a number");  // refused: the number stays
    EXPECT_EQ(c.ColumnFilterText(1), u"37");
    // A date column: its text is yyyy-mm-dd, the header holds the date itself.
    c.ColumnFilterType(2, ucListView::ftDate);
    EXPECT_EQ(c.ColumnFilterType(2), ucListView::ftDate);
    EXPECT_EQ(c.ColumnFilterText(2), u"");
    c.ColumnFilterText(2, u"2023-7-4");
    EXPECT_EQ(c.ColumnFilterText(2), u"2023-07-04");
    SYSTEMTIME day{};
    HDITEMW it;
    it.mask = HDI_FILTER;
    it.type = HDFT_ISDATE;
    it.pvFilter = &day;
    SendMessageW(c.hWndHeader(), HDM_GETITEMW, 2, reinterpret_cast<LPARAM>(&it));
    EXPECT_EQ(it.type, HDFT_ISDATE);
    EXPECT_EQ(day.wYear * 10000 + day.wMonth * 100 + day.wDay, 20230704);
    c.ColumnFilterText(2, u"2023-02-29");  // refused: the date stays
    EXPECT_EQ(c.ColumnFilterText(2), u"2023-07-04");
    c.ColumnFilterText(2, u"");  // emptied, it stays a date column
    EXPECT_EQ(c.ColumnFilterType(2), ucListView::ftNoFilter);
    c.ColumnFilterText(2, u"2024-01-31");
    EXPECT_EQ(c.ColumnFilterType(2), ucListView::ftDate);
    EXPECT_EQ(c.ColumnFilterText(2), u"2024-01-31");
    // The filter row sits below the captions: the items move down.
    RECT h{};
    GetWindowRect(c.hWndHeader(), &h);
    EXPECT_GT(h.bottom - h.top, 30);
    bool cancel = true;
    std::vector<std::string> events;
    c.connect(ucListView::evFilterButtonClicked, [&](std::vector<Variant>& a) {
        events.push_back("FilterButtonClicked " + std::to_string(CLng(a[0])));
        a[1] = Variant(cancel);
    });
    c.connect(ucListView::evFilterTimeout, [&](std::vector<Variant>& a) {
        events.push_back("FilterTimeout " + std::to_string(CLng(a[0])));
    });
    const RECT item = headerItem(c, 0);
    const int filterY = item.bottom - 4;
    const POINT button = partOf(c, 0, HHT_ONFILTERBUTTON, filterY);
    clickHeader(c, button);
    EXPECT_EQ(events, std::vector<std::string>{"FilterButtonClicked 0"});
    cancel = false;
    events.clear();
    clickHeader(c, button);
    platform->AdvanceTime(1100);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "FilterButtonClicked 0");
    EXPECT_NE(std::find(events.begin(), events.end(), "FilterTimeout 0"), events.end());
}

}  // namespace
