// The choice groups on a form: selection by mouse and keyboard, exclusion by group name,
// toggling, per-item events and their order, per-item hover repainting only the items it
// touches, per-item tooltips, handlers removing their own group, and create/destroy cycles.
#include <algorithm>

#include "controls/buttons/ChoiceGroupFixture.h"
#include "framework/drawing/ControlTooltip.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;
using orvane::test::box;

namespace {

class ChoiceGroupBehaviour : public test::ChoiceGroupFixture {};

TEST_F(ChoiceGroupBehaviour, PressingAnItemClearsOnlyItsOwnGroup) {
    Form form(u"Form1");
    auto& g = group<ucOptionGroup>(form, u"a|b|c");
    g.GroupNames(u"x|x|y");
    g.States(u"True|False|True");
    clickItem(g, 1);
    EXPECT_EQ(g.States(), u"False|True|True");
    EXPECT_EQ(g.SelIndex(), 1);
    EXPECT_EQ(g.SelIndexByGroup(u"x"), 1);
    EXPECT_EQ(g.SelIndexByGroup(u"y"), 2);
    EXPECT_EQ(g.SelIndexByGroup(u"z"), -1);
    // Pressing the selected item again keeps it selected.
    clickItem(g, 1);
    EXPECT_EQ(g.States(), u"False|True|True");
    // Without group names every item is in the one unnamed group.
    g.GroupNames(u"");
    clickItem(g, 0);
    EXPECT_EQ(g.States(), u"True|False|False");
}

TEST_F(ChoiceGroupBehaviour, PressingBetweenItemsChangesNothingAndRaisesNothing) {
    Form form(u"Form1");
    auto& g = group<ucOptionGroup>(form, u"a|b|c");
    g.RowsPerColumn(2);
    g.States(u"False|True|False");
    g.SelIndex(1);
    auto& events = recordItems(g);
    const RECT last = g.layoutResult().items[2].rect;  // the second column holds one item
    hover(g, last.left + 5, last.bottom + 5);
    press();
    release();
    EXPECT_TRUE(only(events, "MouseDown").empty());
    EXPECT_TRUE(only(events, "Click").empty());
    EXPECT_EQ(g.States(), u"False|True|False");
    EXPECT_EQ(g.SelIndex(), 1);
}

TEST_F(ChoiceGroupBehaviour, AClickRaisesTheItemEventsInOrder) {
    Form form(u"Form1");
    auto& g = group<ucOptionGroup>(form, u"a|b|c");
    auto& events = recordItems(g);
    clickItem(g, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"MouseEnter 0", "MouseDown 0", "MouseUp 0",
                                                "ItemClick 0", "Click"}));
    // Item to item: the old one is left before the new one is entered; leaving the control
    // leaves the item.
    events.clear();
    hoverItem(g, 1);
    hoverItem(g, 2);
    moveAway();
    EXPECT_EQ(events, (std::vector<std::string>{"MouseLeave 0", "MouseEnter 1", "MouseLeave 1",
                                                "MouseEnter 2", "MouseLeave 2"}));
    // The right button selects too and raises its events, but no Click.
    events.clear();
    hoverItem(g, 2);
    platform->MouseDown(platform::testing::MouseButton::Right);
    platform->MouseUp(platform::testing::MouseButton::Right);
    platform->PumpMessages();
    EXPECT_EQ(g.SelIndex(), 2);
    EXPECT_EQ(only(events, "MouseDown"), std::vector<std::string>{"MouseDown 2"});
    EXPECT_TRUE(only(events, "Click").empty());
    // MouseDown and MouseUp give twips, MouseMove pixels.
    std::vector<Variant> down, move;
    g.connect(ChoiceGroup::evMouseDown, [&](std::vector<Variant>& a) { down = a; });
    g.connect(ChoiceGroup::evMouseMove, [&](std::vector<Variant>& a) { move = a; });
    hover(g, 20, 10);
    press();
    release();
    ASSERT_EQ(down.size(), 5u);
    ASSERT_EQ(move.size(), 4u);
    EXPECT_EQ(CLng(down[3]), 20 * 15);
    EXPECT_EQ(CLng(move[2]), 20);
}

TEST_F(ChoiceGroupBehaviour, CheckItemsToggleOnTheirOwn) {
    Form form(u"Form1");
    auto& g = group<ucCheckGroup>(form, u"a|b|c");
    auto& events = recordItems(g);
    clickItem(g, 0);
    clickItem(g, 2);
    EXPECT_EQ(g.States(), u"True|False|True");
    clickItem(g, 0);
    EXPECT_EQ(g.States(), u"False|False|True");
    EXPECT_EQ(g.SelIndex(), 0);
    EXPECT_EQ(only(events, "Click").size(), 3u);

    // Value sets one item and clicks; ToggleCheck inverts quietly.
    events.clear();
    g.Value(1, true);
    EXPECT_TRUE(g.Value(1));
    EXPECT_EQ(events, std::vector<std::string>{"Click"});
    g.ToggleCheck(1);
    g.ToggleCheck(2);
    EXPECT_EQ(g.States(), u"False|False|False");
    EXPECT_EQ(events.size(), 1u);
    TypeLibrary& lib = TypeLibrary::current();
    std::vector<Variant> index{Variant(std::int32_t{2})};
    lib.putAt(g, u"Value", index, Variant(true));
    EXPECT_TRUE(CBool(lib.getAt(g, u"Value", index)));
    EXPECT_EQ(CLng(lib.get(g, u"Count")), 3);
}

TEST_F(ChoiceGroupBehaviour, SortedCaptionsLeaveTheStatesWithTheirPositions) {
    Form form(u"Form1");
    auto& g = group<ucCheckGroup>(form, u"pear|apple|fig");
    g.States(u"True|False|False");
    g.Sorted(true);
    EXPECT_EQ(g.Text(0), u"apple");
    EXPECT_EQ(g.Text(1), u"fig");
    EXPECT_EQ(g.Text(2), u"pear");
    EXPECT_TRUE(g.Value(0));  // the first position keeps its state, now "apple"
    EXPECT_FALSE(g.Value(2));
    // Changing a sorted item's text changes its own caption field.
    g.Text(1, u"date");
    EXPECT_EQ(g.Caption(), u"pear|apple|date");
    EXPECT_EQ(g.Text(1), u"date");
    std::vector<Variant> first{Variant(std::int32_t{0})};
    EXPECT_EQ(CStr(TypeLibrary::current().getAt(g, u"SelCaption", first)), u"apple");
}

TEST_F(ChoiceGroupBehaviour, SelIndexSelectsRepaintsAndClicks) {
    Form form(u"Form1");
    auto& g = group<ucOptionGroup>(form, u"a|b|c");
    auto& events = recordItems(g);
    g.SelIndex(2);
    EXPECT_EQ(g.States(), u"False|False|True");
    g.SelIndex(2);  // again: still a click
    EXPECT_EQ(events, (std::vector<std::string>{"Click", "Click"}));
    TypeLibrary::current().put(g, u"SelectedIndex", Variant(std::int32_t{0}));
    EXPECT_EQ(g.SelIndex(), 0);
    EXPECT_EQ(g.States(), u"True|False|False");
    g.SelIndex(-1);  // no current item; the states stay
    EXPECT_EQ(g.States(), u"True|False|False");
    // In a check group SelIndex only moves the current item.
    auto& c = group<ucCheckGroup>(form, u"a|b", u"chk", box(10, 140, 200, 60));
    c.SelIndex(1);
    EXPECT_EQ(c.States(), u"False|False");
}

TEST_F(ChoiceGroupBehaviour, ArrowKeysMoveTheSelectionAndSpaceSelects) {
    Form form(u"Form1");
    // Five items in columns of two: [0 1] [2 3] [4].
    moveAway();
    auto& g = group<ucOptionGroup>(form, u"a|b|c|d|e");
    g.RowsPerColumn(2);
    focus(g);
    auto& events = recordItems(g);
    std::vector<int> seen;
    const auto go = [&](int vk) {
        key(vk);
        seen.push_back(g.SelIndex());
    };
    go(VK_DOWN);   // nothing selected: the first item
    go(VK_DOWN);   // 1
    go(VK_DOWN);   // the column ends: stays
    go(VK_RIGHT);  // 3
    go(VK_RIGHT);  // the last column is shorter: 4
    go(VK_RIGHT);  // no column further
    go(VK_UP);     // the top of its column: stays
    go(VK_LEFT);   // 2
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 1, 3, 4, 4, 4, 2}));
    EXPECT_EQ(g.States(), u"False|False|True|False|False");
    EXPECT_EQ(only(events, "Click").size(), 5u);  // one per move

    // Right to left: the columns run from the right, so Left goes on.
    g.RightToLeft(true);
    key(VK_LEFT);
    EXPECT_EQ(g.SelIndex(), 4);

    // A KeyDown handler that takes the key stops the move.
    g.connect(ChoiceGroup::evKeyDown,
              [](std::vector<Variant>& a) { a[0] = Variant(std::int16_t{0}); });
    key(VK_RIGHT);
    EXPECT_EQ(g.SelIndex(), 4);

    // Check boxes: the arrows move the current item, the space bar toggles it.
    auto& c = group<ucCheckGroup>(form, u"a|b|c", u"chk", box(10, 140, 200, 80));
    focus(c);
    auto& checks = recordItems(c);
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(c.SelIndex(), 1);
    EXPECT_EQ(c.States(), u"False|False|False");
    key(VK_SPACE);
    EXPECT_EQ(c.States(), u"False|True|False");
    EXPECT_EQ(checks, (std::vector<std::string>{"KeyDown", "KeyUp", "KeyDown", "KeyUp", "KeyDown",
                                                "KeyPress", "KeyUp", "ItemClick 1", "Click"}));
}

// Records the update region of each WM_PAINT a window receives.
std::vector<HRGN>& updates() {
    static std::vector<HRGN> regions;
    return regions;
}

LRESULT recordUpdates(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    if (msg == WM_PAINT && w == 0) {
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(h, rgn, FALSE);
        updates().push_back(rgn);
    }
    return DefSubclassProc(h, msg, w, l);
}

void clearUpdates() {
    for (HRGN r : updates())
        DeleteObject(r);
    updates().clear();
}

TEST_F(ChoiceGroupBehaviour, HoverFromItemToItemRepaintsThoseTwoItemsAlone) {
    Form form(u"Form1");
    auto& g = group<ucOptionGroup>(form, u"a|b|c|d|e|f");
    g.RowsPerColumn(3);
    hoverItem(g, 0);
    SetWindowSubclass(g.hWnd(), recordUpdates, 1, 0);
    const auto expectRepainted = [&](int a, int b) {
        ASSERT_EQ(updates().size(), 1u);
        const RECT& ra = g.layoutResult().items[a].rect;
        const RECT& rb = g.layoutResult().items[b].rect;
        HRGN both = CreateRectRgn(ra.left, ra.top, ra.right, ra.bottom);
        HRGN second = CreateRectRgn(rb.left, rb.top, rb.right, rb.bottom);
        CombineRgn(both, both, second, RGN_OR);
        EXPECT_TRUE(EqualRgn(both, updates()[0]));
        EXPECT_EQ(g.paintedItems(), 2);
        DeleteObject(both);
        DeleteObject(second);
        clearUpdates();
    };
    hoverItem(g, 1);
    expectRepainted(0, 1);
    hoverItem(g, 5);  // across columns
    expectRepainted(1, 5);
    // Moving inside one item repaints nothing.
    const RECT& r = g.layoutResult().items[5].rect;
    hover(g, r.left + 2, r.top + 2);
    EXPECT_TRUE(updates().empty());
    // A press repaints the item it selects and the one selected before; the release the
    // pressed item.
    g.SelIndex(0);
    clearUpdates();
    press();
    expectRepainted(0, 5);
    release();
    ASSERT_EQ(updates().size(), 1u);
    RECT box{};
    GetRgnBox(updates()[0], &box);
    EXPECT_TRUE(EqualRect(&box, &g.layoutResult().items[5].rect));
    clearUpdates();
    RemoveWindowSubclass(g.hWnd(), recordUpdates, 1);
    moveAway();
}

TEST_F(ChoiceGroupBehaviour, EachItemShowsItsOwnTooltip) {
    Form form(u"Form1");
    auto& g = group<ucOptionGroup>(form, u"a|b|c|d");
    g.ItemToolTips(u"first||third");
    g.InitTooltip(u"the group");
    hoverItem(g, 0);
    EXPECT_EQ(ControlTooltipOwner(), g.hWnd());
    EXPECT_EQ(ControlTooltipText(), u"first");
    hoverItem(g, 2);
    EXPECT_EQ(ControlTooltipText(), u"third");
    hoverItem(g, 1);  // no tip of its own: the group's
    EXPECT_EQ(ControlTooltipText(), u"the group");
    hoverItem(g, 3);  // past the list
    EXPECT_EQ(ControlTooltipText(), u"the group");
    // Between items, and after a press, no tip.
    hover(g, 295, 100);
    EXPECT_EQ(ControlTooltipWindow(), HWND());
    hoverItem(g, 0);
    press();
    EXPECT_EQ(ControlTooltipWindow(), HWND());
    release();
    moveAway();
    EXPECT_EQ(ControlTooltipWindow(), HWND());
}

// Each event's handler removes the group that raised it.
TEST_F(ChoiceGroupBehaviour, AHandlerMayRemoveItsOwnGroup) {
    for (int kind = 0; kind < 3; ++kind)
        expectEachEventMayRemoveItsGroup(
            ChoiceGroup::evClick, ChoiceGroup::evMouseLeave,
            [this, kind](Form& form) -> ChoiceGroup& { return groupOfKind(form, kind, u"a|b"); });
}

TEST_F(ChoiceGroupBehaviour, ManyGroupsLeaveNothingBehind) {
    for (int round = 0; round < 5; ++round) {
        moveAway();  // not over a group as it is made
        Form form(u"Form1", true, 640 * 15, 480 * 15);
        form.Show();
        for (int i = 0; i < 30; ++i) {
            const std::u16string name = u"g" + FromUtf8(std::to_string(i));
            auto where = box(i % 6 * 100, i / 6 * 80, 96, 76);
            ChoiceGroup* g = &groupOfKind(form, i % 3, u"one|two|three|four", name, where);
            g->RowsPerColumn(2);
            g->ItemToolTips(u"tip|tip");
            g->PNG(test::png(8, 8, 0xFF336699));
            if (i % 3 == 2) static_cast<ucButtonGroup*>(g)->Button(true);
        }
        platform->PumpMessages();
        auto& hovered = static_cast<ChoiceGroup&>(form.control(u"g4"));
        hoverItem(hovered, 1);
        EXPECT_TRUE(IsWindow(ControlTooltipWindow()));
        press();
        release();
    }
    platform->MouseMove(1500, 1000);
    platform->PumpMessages();
    EXPECT_EQ(ControlTooltipWindow(), HWND());
}

}  // namespace
