// The list view window: its notifications as tables (insertion and deletion, selection by mouse
// and keyboard, label editing, custom draw), owner data asking only for what shows, groups,
// sorting with hostile callbacks, and the look by pixel probes.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ListViewFixture.h"

namespace orvane::platform::test {
namespace {

using namespace lists;

TEST_F(ListViewTest, InsertionAndDeletionKeepIndicesAndFocus) {
    const HWND lv = list(LVS_REPORT);
    addColumn(lv, 0, u"Name", 100);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(addItem(lv, i, u"Item " + std::u16string(1, u'0' + i)), i);
    // Past the end appends; a negative index inserts first.
    EXPECT_EQ(addItem(lv, 99, u"Last"), 4);
    EXPECT_EQ(addItem(lv, -5, u"First"), 0);
    EXPECT_EQ(SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0), 6);
    EXPECT_EQ(textOf(lv, 0), u"First");
    EXPECT_EQ(textOf(lv, 5), u"Last");

    LVITEMW st;
    st.state = st.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(lv, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&st));
    addItem(lv, 1, u"Pushed in");  // the focused item moves down with its neighbours
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 4);
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 4);
    heard.clear();
    EXPECT_TRUE(SendMessageW(lv, LVM_DELETEITEM, 4, 0));
    // The item that takes its place has the focus, not the selection.
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 4);
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    EXPECT_EQ(heardOf({LVN_DELETEITEM}), (std::vector<Heard>{{LVN_DELETEITEM, 4}}));
    EXPECT_FALSE(SendMessageW(lv, LVM_DELETEITEM, 40, 0));
    EXPECT_FALSE(SendMessageW(lv, LVM_DELETEITEM, static_cast<WPARAM>(-1), 0));
    // The selection mark on the item after a deleted one moves down with it (it was lost).
    SendMessageW(lv, LVM_SETSELECTIONMARK, 0, 2);
    ASSERT_TRUE(SendMessageW(lv, LVM_DELETEITEM, 1, 0));
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTIONMARK, 0, 0), 1);
    SendMessageW(lv, LVM_DELETEITEM, 1, 0);
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTIONMARK, 0, 0), -1) << "its item went";

    // Sub-items: beyond the columns is refused, any length is kept.
    EXPECT_EQ(textOf(lv, 0, 3), u"");
    setText(lv, 0, 3, u"refused");
    EXPECT_EQ(textOf(lv, 0, 3), u"");
    addColumn(lv, 1, u"Size", 60);
    setText(lv, 0, 1, std::u16string(5000, u'x'));
    EXPECT_EQ(textOf(lv, 0, 1), std::u16string(299, u'x'));  // cut to the buffer

    // Deleting everything: one LVN_DELETEALLITEMS, then one per item unless the parent declines.
    heard.clear();
    answer = [](NMHDR* h, LRESULT& r) {
        if (h->code != LVN_DELETEALLITEMS) return false;
        r = TRUE;
        return true;
    };
    EXPECT_TRUE(SendMessageW(lv, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_TRUE(heardOf({LVN_DELETEITEM}).empty());
    EXPECT_EQ(SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), -1);
}

TEST_F(ListViewTest, ClicksSelectInWindowsOrder) {
    const HWND lv = list(LVS_REPORT | LVS_SHOWSELALWAYS);
    addColumn(lv, 0, u"Name", 150);
    for (int i = 0; i < 6; ++i)
        addItem(lv, i, u"Item " + std::u16string(1, u'0' + i));
    clickItem(lv, 1);
    heard.clear();
    clickItem(lv, 3);
    // The old item loses the selection; the new one is asked about, the old one loses the
    // focus, and the new one is told it has both; the click comes after.
    const std::vector<Heard> expected{{LVN_ITEMCHANGING, 1, 0, 3, 1, LVIF_STATE},
                                      {LVN_ITEMCHANGED, 1, 0, 3, 1, LVIF_STATE},
                                      {LVN_ITEMCHANGING, 3, 0, 0, 3, LVIF_STATE},
                                      {LVN_ITEMCHANGING, 1, 0, 1, 0, LVIF_STATE},
                                      {LVN_ITEMCHANGED, 1, 0, 1, 0, LVIF_STATE},
                                      {LVN_ITEMCHANGED, 3, 0, 0, 3, LVIF_STATE},
                                      {NM_CLICK, 3}};
    EXPECT_EQ(heardOf({LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}), expected);

    // Shift extends from the mark; Ctrl toggles one.
    clickItem(lv, 5, {VK_SHIFT});
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 3);
    clickItem(lv, 4, {VK_CONTROL});
    EXPECT_EQ(stateOf(lv, 4), static_cast<UINT>(LVIS_FOCUSED));
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 2);

    // A refused change leaves the item as it was.
    answer = [](NMHDR* h, LRESULT& r) {
        if (h->code != LVN_ITEMCHANGING || reinterpret_cast<NMLISTVIEW*>(h)->iItem != 0)
            return false;
        r = TRUE;
        return true;
    };
    clickItem(lv, 0);
    EXPECT_EQ(stateOf(lv, 0), 0u);

    // Empty space below the items clears the selection.
    answer = nullptr;
    const POINT below = Screen::ClientToScreenPoint(lv, 40, 180);
    Screen::Click(below.x, below.y);
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 0);
}

TEST_F(ListViewTest, KeyboardMovesFocusAndSelection) {
    const HWND lv = list(LVS_REPORT, 300, 120);
    addColumn(lv, 0, u"Name", 150);
    for (int i = 0; i < 40; ++i)
        addItem(lv, i, u"Row");
    SetFocus(lv);
    Screen::KeyPress(VK_DOWN);  // no focus yet: the first item
    Screen::PumpMessages();
    EXPECT_EQ(stateOf(lv, 0), static_cast<UINT>(LVIS_FOCUSED | LVIS_SELECTED));
    Screen::KeyDown(VK_SHIFT);
    Screen::KeyPress(VK_DOWN);
    Screen::KeyPress(VK_DOWN);
    Screen::KeyUp(VK_SHIFT);
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 3);
    Screen::KeyDown(VK_CONTROL);
    Screen::KeyPress(VK_DOWN);  // the focus alone moves
    Screen::KeyUp(VK_CONTROL);
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 3);
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 3);
    // End goes to the last item and scrolls it into view; Page Up goes to the top of the page.
    Screen::KeyPress(VK_END);
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 39);
    const int top = static_cast<int>(SendMessageW(lv, LVM_GETTOPINDEX, 0, 0));
    const int page = static_cast<int>(SendMessageW(lv, LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_EQ(top + page - 1, 39);
    Screen::KeyPress(VK_PRIOR);
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), top);
    Screen::KeyPress(VK_HOME);
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 1);
}

TEST_F(ListViewTest, TypingSearchesItemTexts) {
    const HWND lv = list(LVS_REPORT);
    addColumn(lv, 0, u"Name", 150);
    for (const char16_t* name : {u"apple", u"banana", u"blueberry", u"cherry", u"bean"})
        addItem(lv, 99, name);
    SetFocus(lv);
    Screen::TypeText(u"bl");
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
    platform->AdvanceTime(1500);  // the search forgets
    Screen::TypeText(u"b");
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 4);
    Screen::TypeText(u"b");  // the same letter again cycles on, wrapping
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
}

TEST_F(ListViewTest, LabelEditingAcceptedRefusedAndAbandoned) {
    const HWND lv = list(LVS_REPORT | LVS_EDITLABELS);
    addColumn(lv, 0, u"Name", 150);
    addItem(lv, 0, u"old");
    addItem(lv, 1, u"other");
    std::u16string endText = u"(none)";
    bool accept = true, refuseBegin = false;
    answer = [&](NMHDR* h, LRESULT& r) {
        if (h->code == LVN_BEGINLABELEDITW) {
            r = refuseBegin;
            return true;
        }
        if (h->code == LVN_ENDLABELEDITW) {
            const auto* di = reinterpret_cast<NMLVDISPINFOW*>(h);
            endText = di->item.pszText ? di->item.pszText : u"(null)";
            r = accept;
            return true;
        }
        return false;
    };
    HWND edit = HWND(static_cast<std::uint32_t>(SendMessageW(lv, LVM_EDITLABELW, 0, 0)));
    ASSERT_TRUE(IsWindow(edit));
    EXPECT_EQ(HWND(static_cast<std::uint32_t>(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0))), edit);
    Screen::TypeText(u"new");  // replaces the selected text
    Screen::KeyPress(VK_RETURN);
    Screen::PumpMessages();
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(endText, u"new");
    EXPECT_EQ(textOf(lv, 0), u"new");

    accept = false;  // the parent turns the text down
    edit = HWND(static_cast<std::uint32_t>(SendMessageW(lv, LVM_EDITLABELW, 1, 0)));
    Screen::TypeText(u"nope");
    Screen::KeyPress(VK_RETURN);
    Screen::PumpMessages();
    EXPECT_EQ(endText, u"nope");
    EXPECT_EQ(textOf(lv, 1), u"other");

    accept = true;  // Escape gives no text
    SendMessageW(lv, LVM_EDITLABELW, 1, 0);
    Screen::TypeText(u"gone");
    Screen::KeyPress(VK_ESCAPE);
    Screen::PumpMessages();
    EXPECT_EQ(endText, u"(null)");
    EXPECT_EQ(textOf(lv, 1), u"other");

    refuseBegin = true;
    EXPECT_EQ(SendMessageW(lv, LVM_EDITLABELW, 1, 0), 0);
    EXPECT_EQ(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0), 0);

    // A second click on the focused label starts editing after the double-click time.
    refuseBegin = false;
    clickItem(lv, 0);
    platform->AdvanceTime(GetDoubleClickTime() + 10);  // not a double click
    clickItem(lv, 0);
    EXPECT_EQ(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0), 0);
    platform->AdvanceTime(GetDoubleClickTime() + 10);
    EXPECT_NE(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0), 0);
    // The focus leaving keeps the text.
    SetFocus(host);
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0), 0);
    EXPECT_EQ(endText, u"new");
}

TEST_F(ListViewTest, OwnerDataAsksOnlyForVisibleRows) {
    const HWND lv = list(LVS_REPORT | LVS_OWNERDATA, 300, 200);
    addColumn(lv, 0, u"Name", 100);
    addColumn(lv, 1, u"Value", 100);
    std::set<int> asked;
    std::pair<int, int> hint{-1, -1};
    answer = [&](NMHDR* h, LRESULT&) {
        if (h->code == LVN_GETDISPINFOW) {
            auto* di = reinterpret_cast<NMLVDISPINFOW*>(h);
            asked.insert(di->item.iItem);
            if (di->item.mask & LVIF_TEXT) {
                const std::u16string t = di->item.iSubItem == 0 ? std::u16string(1000, u'w') : u"v";
                const int n = std::min<int>(static_cast<int>(t.size()), di->item.cchTextMax - 1);
                std::copy_n(t.data(), n, di->item.pszText);
                di->item.pszText[n] = 0;
            }
            return true;
        }
        if (h->code == LVN_ODCACHEHINT) {
            const auto* c = reinterpret_cast<NMLVCACHEHINT*>(h);
            hint = {c->iFrom, c->iTo};
            return true;
        }
        return false;
    };
    SendMessageW(lv, LVM_SETITEMCOUNT, 1000000, 0);
    UpdateWindow(lv);
    Screen::PumpMessages();
    const int page = static_cast<int>(SendMessageW(lv, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(page, 3);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(*asked.begin(), 0);
    EXPECT_LE(*asked.rbegin(), page + 1);
    EXPECT_EQ(hint.first, 0);
    EXPECT_LE(hint.second, page + 1);
    // A long text is cut to the list's buffer.
    EXPECT_EQ(textOf(lv, 5).size(), 259u);  // 260 units with the null

    // Jumping to the end asks for the last rows only.
    asked.clear();
    SetFocus(lv);
    Screen::KeyPress(VK_END);
    Screen::PumpMessages();
    ASSERT_FALSE(asked.empty());
    EXPECT_GE(*asked.begin(), 1000000 - page - 2);
    EXPECT_EQ(SendMessageW(lv, LVM_GETTOPINDEX, 0, 0), 1000000 - page);

    // Selection is kept as ranges: selecting half a million rows is one step.
    Screen::KeyDown(VK_SHIFT);
    Screen::KeyPress(VK_HOME);
    Screen::KeyUp(VK_SHIFT);
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 1000000);
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, 4999, LVNI_SELECTED), 5000);
    SendMessageW(lv, LVM_SETITEMCOUNT, 10, 0);
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOUNT, 0, 0), 10);
}

TEST_F(ListViewTest, CustomDrawStagesAndAnswers) {
    const HWND lv = list(LVS_REPORT);
    addColumn(lv, 0, u"Name", 100);
    addColumn(lv, 1, u"Size", 100);
    addItem(lv, 0, u"A");
    addItem(lv, 1, u"B");
    setText(lv, 0, 1, u"1");
    std::vector<std::pair<DWORD, int>> stages;  // stage, item * 10 + sub-item
    answer = [&](NMHDR* h, LRESULT& r) {
        if (h->code != NM_CUSTOMDRAW) return false;
        if (h->hwndFrom != lv) return false;  // the header's own, passed on
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(h);
        stages.emplace_back(cd->nmcd.dwDrawStage,
                            static_cast<int>(cd->nmcd.dwItemSpec) * 10 + cd->iSubItem);
        switch (cd->nmcd.dwDrawStage) {
            case CDDS_PREPAINT:
                r = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
                break;
            case CDDS_ITEMPREPAINT:
                r = cd->nmcd.dwItemSpec == 0 ? CDRF_NOTIFYSUBITEMDRAW : CDRF_SKIPDEFAULT;
                break;
            case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
                cd->clrTextBk = 0x0000FF;  // red behind the first row's cells
                r = CDRF_DODEFAULT;
                break;
            default:
                r = 0;
        }
        return true;
    };
    InvalidateRect(lv, nullptr, TRUE);
    UpdateWindow(lv);
    const std::vector<std::pair<DWORD, int>> expected{{CDDS_PREPAINT, 0},
                                                      {CDDS_ITEMPREPAINT, 0},
                                                      {CDDS_ITEMPREPAINT | CDDS_SUBITEM, 0},
                                                      {CDDS_ITEMPREPAINT | CDDS_SUBITEM, 1},
                                                      {CDDS_ITEMPREPAINT, 10},
                                                      {CDDS_POSTPAINT, 10}};
    ASSERT_GE(stages.size(), expected.size());
    std::vector<std::pair<DWORD, int>> firstPaint(stages.begin(), stages.begin() + 5);
    const std::vector<std::pair<DWORD, int>> firstExpected(expected.begin(), expected.begin() + 5);
    EXPECT_EQ(firstPaint, firstExpected);
    EXPECT_EQ(stages[5].first, static_cast<DWORD>(CDDS_POSTPAINT));
    // The first row's cells are red; the second row (skipped) shows no text.
    const RECT row0 = itemRect(lv, 0, LVIR_BOUNDS);
    EXPECT_EQ(Screen::ClientPixel(lv, 150, (row0.top + row0.bottom) / 2), 0x0000FFu);
    const RECT row1 = itemRect(lv, 1, LVIR_BOUNDS);
    bool anyInk = false;
    for (int x = 0; x < 40; ++x)
        for (int y = row1.top; y < row1.bottom; ++y)
            anyInk = anyInk || Screen::ClientPixel(lv, x, y) != GetSysColor(COLOR_WINDOW);
    EXPECT_FALSE(anyInk);
}

int byText(LPARAM a, LPARAM b, LPARAM lv) {
    char16_t x[64] = {}, y[64] = {};
    LVITEMW it;
    it.cchTextMax = 64;
    it.pszText = x;
    SendMessageW(HWND(static_cast<std::uint32_t>(lv)), LVM_GETITEMTEXTW, static_cast<WPARAM>(a),
                 reinterpret_cast<LPARAM>(&it));
    it.pszText = y;
    SendMessageW(HWND(static_cast<std::uint32_t>(lv)), LVM_GETITEMTEXTW, static_cast<WPARAM>(b),
                 reinterpret_cast<LPARAM>(&it));
    return std::u16string(x).compare(y);
}

int contrary(LPARAM a, LPARAM b, LPARAM) {
    return static_cast<int>((a * 7919 + b * 104729) % 3) - 1;  // answers that contradict each other
}

int deleting(LPARAM, LPARAM, LPARAM lv) {
    SendMessageW(HWND(static_cast<std::uint32_t>(lv)), LVM_DELETEITEM, 0, 0);
    return 0;
}

TEST_F(ListViewTest, SortingByIndexFollowsFocusAndSurvivesBadCallbacks) {
    const HWND lv = list(LVS_REPORT);
    addColumn(lv, 0, u"Name", 100);
    for (const char16_t* name : {u"delta", u"alpha", u"charlie", u"bravo"})
        addItem(lv, 99, name);
    LVITEMW st;
    st.state = st.stateMask = LVIS_FOCUSED;
    SendMessageW(lv, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&st));  // "delta"
    EXPECT_TRUE(SendMessageW(lv, LVM_SORTITEMSEX, static_cast<WPARAM>(lv.value),
                             reinterpret_cast<LPARAM>(&byText)));
    EXPECT_EQ(textOf(lv, 0), u"alpha");
    EXPECT_EQ(textOf(lv, 3), u"delta");
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 3);

    for (int i = 0; i < 200; ++i)
        addItem(lv, 99, u"x");
    EXPECT_TRUE(SendMessageW(lv, LVM_SORTITEMSEX, 0, reinterpret_cast<LPARAM>(&contrary)));
    EXPECT_EQ(SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0), 204);
    // A callback that deletes stops the sort; nothing is lost but what it deleted.
    EXPECT_FALSE(SendMessageW(lv, LVM_SORTITEMSEX, static_cast<WPARAM>(lv.value),
                              reinterpret_cast<LPARAM>(&deleting)));
    EXPECT_EQ(SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0), 203);
    SendMessageW(lv, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_TRUE(
        SendMessageW(lv, LVM_SORTITEMSEX, 0, reinterpret_cast<LPARAM>(&contrary)));  // empty
}

TEST_F(ListViewTest, SubItemTextRepaintsOnlyItsShownRow) {
    const HWND lv = list(LVS_REPORT);
    addColumn(lv, 0, u"Name", 100);
    addColumn(lv, 1, u"Value", 100);
    for (int i = 0; i < 40; ++i)
        addItem(lv, i, u"Item");
    UpdateWindow(lv);
    Screen::PumpMessages();
    RECT update;
    ASSERT_FALSE(GetUpdateRect(lv, &update, FALSE));
    auto inked = [&](const RECT& cell) {
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x)
                if (Screen::ClientPixel(lv, x, y) != GetSysColor(COLOR_WINDOW)) return true;
        return false;
    };
    RECT cell{LVIR_BOUNDS, 1, 0, 0};
    SendMessageW(lv, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cell));
    EXPECT_FALSE(inked(cell));

    // A shown row waits for a paint, and only that row; the paint shows the text.
    setText(lv, 1, 1, u"changed");
    ASSERT_TRUE(GetUpdateRect(lv, &update, FALSE));
    const RECT row = itemRect(lv, 1, LVIR_BOUNDS);
    EXPECT_EQ(update.top, row.top);
    EXPECT_EQ(update.bottom, row.bottom);
    UpdateWindow(lv);
    EXPECT_TRUE(inked(cell));

    // A row below the window asks for no paint; its text is kept all the same.
    ASSERT_LT(SendMessageW(lv, LVM_GETCOUNTPERPAGE, 0, 0), 35);
    setText(lv, 35, 1, u"hidden");
    EXPECT_FALSE(GetUpdateRect(lv, &update, FALSE));
    EXPECT_EQ(textOf(lv, 35, 1), u"hidden");
}

TEST_F(ListViewTest, GroupsLayOutCollapseAndHitTest) {
    const HWND lv = list(LVS_REPORT, 300, 300);
    addColumn(lv, 0, u"Name", 150);
    for (int g = 1; g <= 2; ++g) {
        LVGROUP group;
        group.mask = LVGF_GROUPID | LVGF_HEADER | LVGF_STATE;
        group.iGroupId = g;
        std::u16string header = g == 1 ? u"Fruit" : u"Nuts";
        group.pszHeader = header.data();
        group.stateMask = group.state = LVGS_COLLAPSIBLE;
        EXPECT_EQ(SendMessageW(lv, LVM_INSERTGROUP, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(&group)),
                  g - 1);
    }
    LVGROUP duplicate;
    duplicate.mask = LVGF_GROUPID;
    duplicate.iGroupId = 2;
    EXPECT_EQ(SendMessageW(lv, LVM_INSERTGROUP, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(&duplicate)),
              -1);
    for (int i = 0; i < 6; ++i) {
        addItem(lv, i, u"Item");
        LVITEMW it;
        it.mask = LVIF_GROUPID;
        it.iItem = i;
        it.iGroupId = i % 2 ? 2 : 1;  // odd items are nuts
        SendMessageW(lv, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    }
    EXPECT_EQ(SendMessageW(lv, LVM_ENABLEGROUPVIEW, TRUE, 0), 1);
    EXPECT_EQ(SendMessageW(lv, LVM_ENABLEGROUPVIEW, TRUE, 0), 0);  // already on
    Screen::PumpMessages();
    // Fruit (0, 2, 4) come first under their header, then nuts.
    const RECT r0 = itemRect(lv, 0, LVIR_BOUNDS), r2 = itemRect(lv, 2, LVIR_BOUNDS),
               r1 = itemRect(lv, 1, LVIR_BOUNDS);
    EXPECT_EQ(r2.top, r0.bottom);  // 2 follows 0 within the fruit
    EXPECT_GT(r1.top, itemRect(lv, 4, LVIR_BOUNDS).bottom);
    LVHITTESTINFO hit;
    RECT header{0, LVGGR_HEADER, 0, 0};  // the part is asked for in top
    ASSERT_TRUE(SendMessageW(lv, LVM_GETGROUPRECT, 2, reinterpret_cast<LPARAM>(&header)));
    hit.pt = POINT{20, (header.top + header.bottom) / 2};
    EXPECT_EQ(
        SendMessageW(lv, LVM_HITTEST, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, LVHT_EX_GROUP_HEADER);
    EXPECT_EQ(hit.iGroup, 2);
    // Double-clicking the header folds the group away.
    const POINT p = Screen::ClientToScreenPoint(lv, 20, (header.top + header.bottom) / 2);
    Screen::DoubleClick(p.x, p.y);
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETGROUPSTATE, 2, LVGS_COLLAPSED),
              static_cast<LRESULT>(LVGS_COLLAPSED));
    EXPECT_FALSE(SendMessageW(lv, LVM_ISITEMVISIBLE, 1, 0));
    EXPECT_TRUE(SendMessageW(lv, LVM_ISITEMVISIBLE, 0, 0));
    // Keys skip the folded items: Down from the last fruit stays there.
    SetFocus(lv);
    LVITEMW st;
    st.state = st.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(lv, LVM_SETITEMSTATE, 4, reinterpret_cast<LPARAM>(&st));
    Screen::KeyPress(VK_DOWN);
    Screen::PumpMessages();
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 4);
}

TEST_F(ListViewTest, AHeaderRightClickReachesTheParentAsTheHeadersOwn) {
    // The header's NM_RCLICK is a bare NMHDR: the list passes it on without reading more.
    const HWND lv = list(LVS_REPORT);
    addColumn(lv, 0, u"Name", 150);
    const HWND header = HWND(static_cast<std::uint32_t>(SendMessageW(lv, LVM_GETHEADER, 0, 0)));
    ASSERT_TRUE(header);
    int rightClicks = 0;
    answer = [&](NMHDR* h, LRESULT& r) {
        if (h->hwndFrom != header || h->code != NM_RCLICK) return false;
        ++rightClicks;
        r = 0;
        return true;
    };
    RECT item{};
    SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const POINT p =
        Screen::ClientToScreenPoint(header, (item.left + item.right) / 2, item.bottom / 2);
    Screen::Click(p.x, p.y, platform::testing::MouseButton::Right);
    Screen::PumpMessages();
    EXPECT_EQ(rightClicks, 1);
}

TEST_F(ListViewTest, CheckBoxesToggleByClickAndSpace) {
    const HWND lv = list(LVS_REPORT);
    addColumn(lv, 0, u"Name", 150);
    SendMessageW(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    addItem(lv, 0, u"one");
    addItem(lv, 1, u"two");
    EXPECT_EQ(stateOf(lv, 0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    LVHITTESTINFO hit;
    const RECT r = itemRect(lv, 1, LVIR_BOUNDS);
    hit.pt = POINT{r.left + 6, (r.top + r.bottom) / 2};
    ASSERT_EQ(SendMessageW(lv, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.flags, LVHT_ONITEMSTATEICON);
    heard.clear();
    const POINT p = Screen::ClientToScreenPoint(lv, hit.pt.x, hit.pt.y);
    Screen::Click(p.x, p.y);
    Screen::PumpMessages();
    EXPECT_EQ(stateOf(lv, 1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
    EXPECT_EQ(stateOf(lv, 1, LVIS_SELECTED), 0u);  // the box alone changes
    const std::vector<Heard> expected{
        {LVN_ITEMCHANGED, 1, 0, INDEXTOSTATEIMAGEMASK(1), INDEXTOSTATEIMAGEMASK(2), LVIF_STATE}};
    EXPECT_EQ(heardOf({LVN_ITEMCHANGED}), expected);
    // The space bar toggles the focused item.
    clickItem(lv, 0);
    Screen::KeyPress(VK_SPACE);
    Screen::PumpMessages();
    EXPECT_EQ(stateOf(lv, 0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
}

TEST_F(ListViewTest, ColumnWidthsFitTextAndFillTheWindow) {
    const HWND lv = list(LVS_REPORT, 400, 200);
    addColumn(lv, 0, u"N", 20);
    addColumn(lv, 1, u"A rather long header", 20);
    addItem(lv, 0, u"short");
    addItem(lv, 1, u"a much longer item text");
    ASSERT_TRUE(SendMessageW(lv, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE));
    const int fit = static_cast<int>(SendMessageW(lv, LVM_GETCOLUMNWIDTH, 0, 0));
    const int textWidth = static_cast<int>(SendMessageW(
        lv, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(u"a much longer item text")));
    EXPECT_GT(fit, textWidth);
    EXPECT_LT(fit, textWidth + 30);
    // The last column with the header's width fills the rest of the window.
    ASSERT_TRUE(SendMessageW(lv, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER));
    RECT client;
    GetClientRect(lv, &client);
    EXPECT_EQ(SendMessageW(lv, LVM_GETCOLUMNWIDTH, 1, 0), client.right - fit);
    EXPECT_FALSE(SendMessageW(lv, LVM_SETCOLUMNWIDTH, 5, 50));
    // The first column stays left-aligned whatever it is given.
    LVCOLUMNW c;
    c.mask = LVCF_FMT;
    c.fmt = LVCFMT_RIGHT;
    SendMessageW(lv, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&c));
    SendMessageW(lv, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&c));
    EXPECT_EQ(c.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
}

TEST_F(ListViewTest, SelectionLooksThemedAndClassic) {
    for (BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        const HWND lv = list(LVS_REPORT | LVS_SHOWSELALWAYS);
        addColumn(lv, 0, u"Name", 150);
        addItem(lv, 0, u"one");
        addItem(lv, 1, u"two");
        SetFocus(lv);
        LVITEMW st;
        st.state = st.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageW(lv, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&st));
        UpdateWindow(lv);
        const RECT r = itemRect(lv, 1, LVIR_LABEL);
        // Inside the highlight, right of the text; the unselected row stays window-coloured.
        const COLORREF selected = Screen::ClientPixel(lv, r.left + 1, r.top + 1);
        EXPECT_EQ(selected, themed ? 0xFFE8CCu : GetSysColor(COLOR_HIGHLIGHT)) << themed;
        const RECT r0 = itemRect(lv, 0, LVIR_LABEL);
        EXPECT_EQ(Screen::ClientPixel(lv, r0.left + 1, r0.top + 1), GetSysColor(COLOR_WINDOW));
        DestroyWindow(lv);
    }
}

TEST_F(ListViewTest, IconViewArrangesAGridAndHitTestsIt) {
    const HWND lv = list(LVS_ICON | LVS_AUTOARRANGE, 400, 300);
    for (int i = 0; i < 30; ++i)
        addItem(lv, i, u"Icon");
    Screen::PumpMessages();
    const RECT a = itemRect(lv, 0, LVIR_BOUNDS), b = itemRect(lv, 1, LVIR_BOUNDS);
    EXPECT_EQ(a.top, b.top);
    EXPECT_GT(b.left, a.left);
    const DWORD spacing = static_cast<DWORD>(SendMessageW(lv, LVM_GETITEMSPACING, FALSE, 0));
    const int across = 400 / LOWORD(spacing);
    EXPECT_GT(itemRect(lv, across, LVIR_BOUNDS).top, a.top);  // the next line
    LVHITTESTINFO hit;
    const RECT icon = itemRect(lv, 2, LVIR_ICON);
    hit.pt = POINT{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    EXPECT_EQ(SendMessageW(lv, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 2);
    EXPECT_EQ(hit.flags, LVHT_ONITEMICON);
    // The view switches to a list: items go down, then across.
    EXPECT_EQ(SendMessageW(lv, LVM_SETVIEW, LV_VIEW_LIST, 0), 1);
    Screen::PumpMessages();
    EXPECT_EQ(itemRect(lv, 0, LVIR_BOUNDS).left, itemRect(lv, 1, LVIR_BOUNDS).left);
    EXPECT_GT(itemRect(lv, 1, LVIR_BOUNDS).top, itemRect(lv, 0, LVIR_BOUNDS).top);
}

TEST_F(ListViewTest, RestingOnACutLabelShowsItWholeAndInfoTipsAskTheParent) {
    const HWND lv = list(LVS_REPORT);
    addColumn(lv, 0, u"Name", 60);
    addItem(lv, 0, u"A label far too long for its narrow column");
    addItem(lv, 1, u"Fits");
    SendMessageW(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_LABELTIP, LVS_EX_LABELTIP);
    auto tipText = [&] {
        const HWND tip = HWND(static_cast<std::uint32_t>(SendMessageW(lv, LVM_GETTOOLTIPS, 0, 0)));
        if (!tip || !IsWindowVisible(tip)) return std::u16string(u"(none)");
        char16_t buffer[200] = {};
        TOOLINFOW ti;
        ti.hwnd = lv;
        ti.uId = 1;
        ti.lpszText = buffer;
        SendMessageW(tip, TTM_GETTEXTW, 200, reinterpret_cast<LPARAM>(&ti));
        return std::u16string(buffer);
    };
    auto restOn = [&](int item) {
        const RECT r = itemRect(lv, item);
        const POINT p = Screen::ClientToScreenPoint(lv, r.left + 8, (r.top + r.bottom) / 2);
        Screen::MouseMove(p.x, p.y);
        Screen::PumpMessages();
        platform->AdvanceTime(450);
    };
    restOn(1);
    EXPECT_EQ(tipText(), u"(none)");  // it fits: no tip
    restOn(0);
    EXPECT_EQ(tipText(), u"A label far too long for its narrow column");
    // Info tips: the parent's text, shown even for a label that fits.
    SendMessageW(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
    answer = [](NMHDR* h, LRESULT&) {
        if (h->code != LVN_GETINFOTIPW) return false;
        auto* nm = reinterpret_cast<NMLVGETINFOTIPW*>(h);
        const std::u16string text =
            u"Item " + std::u16string(1, static_cast<char16_t>(u'0' + nm->iItem));
        std::copy_n(text.c_str(), text.size() + 1, nm->pszText);
        return true;
    };
    restOn(1);
    EXPECT_EQ(tipText(), u"Item 1");
    // A click hides it.
    const RECT r = itemRect(lv, 1);
    const POINT p = Screen::ClientToScreenPoint(lv, r.left + 8, (r.top + r.bottom) / 2);
    Screen::Click(p.x, p.y);
    Screen::PumpMessages();
    EXPECT_EQ(tipText(), u"(none)");
}

TEST_F(ListViewTest, AParentDestroyingTheListInsideItsNotificationsFreesNothingInUse) {
    // Each notification in turn destroys the list while the list is in the middle of its work.
    for (UINT code : {LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK, LVN_DELETEALLITEMS,
                      LVN_GETDISPINFOW, NM_CUSTOMDRAW, LVN_BEGINLABELEDITW}) {
        const HWND lv = list(LVS_REPORT | LVS_EDITLABELS);
        addColumn(lv, 0, u"Name", 100);
        for (int i = 0; i < 3; ++i) {
            LVITEMW it;
            it.mask = LVIF_TEXT;
            it.iItem = i;
            it.pszText = LPSTR_TEXTCALLBACKW;
            SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
        }
        answer = [lv, code](NMHDR* h, LRESULT&) {
            if (h->code == code && IsWindow(lv)) DestroyWindow(lv);
            return false;
        };
        clickItem(lv, 1);
        if (IsWindow(lv)) SendMessageW(lv, LVM_EDITLABELW, 1, 0);
        if (IsWindow(lv)) SendMessageW(lv, LVM_DELETEALLITEMS, 0, 0);
        EXPECT_FALSE(IsWindow(lv)) << code;
        answer = nullptr;
        Screen::PumpMessages();
    }
}

TEST_F(ListViewTest, ManyCreatedAndDestroyedLeaveNothing) {
    for (int round = 0; round < 3; ++round) {
        const HWND lv = list(LVS_REPORT | LVS_EDITLABELS);
        addColumn(lv, 0, u"Name", 100);
        SendMessageW(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_UNDERLINEHOT | LVS_EX_CHECKBOXES);
        for (int i = 0; i < 1000; ++i)
            addItem(lv, i, u"row");
        const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
        SendMessageW(lv, LVM_SETIMAGELIST, LVSIL_SMALL, static_cast<LPARAM>(images.value));
        UpdateWindow(lv);
        SendMessageW(lv, LVM_EDITLABELW, 3, 0);  // a label being edited goes with the list
        DestroyWindow(lv);  // the list owns image lists it was not told to share
    }
    Screen::PumpMessages();
}

}  // namespace
}  // namespace orvane::platform::test
