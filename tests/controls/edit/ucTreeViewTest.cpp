// The tree view control: nothing before Initialize, the window following its properties, nodes
// by key and relation, stale handles, the check cascade by click and space bar, events and their
// order, handlers that delete what they are told about, deep trees, multi-column cells and
// header by pixel probes (right to left too), persistence, and many large trees built and
// destroyed without a leak.
#include "controls/edit/ucTreeView.h"

#include <deque>
#include <functional>

#include "host/DataObject.h"
#include "host/Error.h"
#include "platform/theme/Theme.h"
#include "support/ControlTest.h"
#include "support/RoundTrip.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;

class TreeViewControlTest : public orvane::test::ControlTest {
protected:
    ucTreeView& tree(Form& form, Extender where = box(10, 10, 300, 200)) {
        auto& c = form.add<ucTreeView>(u"ctl", -1, std::move(where));
        form.Show();
        pump();
        c.ScaleMode(orvane::ScaleMode::Pixels);
        c.HasButtons(true);
        c.HasLines(true);
        c.HasRootLines(true);
        EXPECT_TRUE(c.InitializeTree());
        return c;
    }
    void TearDown() override {
        EnableTheming(TRUE);
        ControlTest::TearDown();
    }
    RECT rowOf(ucTreeView& c, std::int32_t node, bool textOnly = false) {
        RECT r{};
        r.left = static_cast<LONG>(node);
        SendMessageW(c.hWndTreeView(), TVM_GETITEMRECT, textOnly ? TRUE : FALSE,
                     reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // A point of a node's row where the tree's hit test gives `flags`.
    POINT partOf(ucTreeView& c, std::int32_t node, UINT flags) {
        const RECT r = rowOf(c, node);
        const int y = (r.top + r.bottom) / 2;
        for (int x = r.left; x < r.right; ++x) {
            TVHITTESTINFO hit;
            hit.pt = POINT{x, y};
            const auto at = static_cast<std::int32_t>(
                SendMessageW(c.hWndTreeView(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            if ((hit.flags & flags) && at == node) return hit.pt;
        }
        ADD_FAILURE() << "no such part on the row of node " << node;
        return POINT{r.left, y};
    }
    void clickAt(ucTreeView& c, POINT at) {
        const POINT p = platform->ClientToScreenPoint(c.hWndTreeView(), at.x, at.y);
        platform->AdvanceTime(GetDoubleClickTime() + 10);  // clicks stay single
        platform->Click(p.x, p.y);
        pump();
    }
    // A pixel of the control's client area (the header row).
    COLORREF at(ucTreeView& c, int x, int y) {
        pump();
        UpdateWindow(c.hWnd());
        return platform->ClientPixel(c.hWnd(), x, y);
    }
    // A pixel of the tree's client area.
    COLORREF inTree(ucTreeView& c, int x, int y) {
        pump();
        UpdateWindow(c.hWndTreeView());
        return platform->ClientPixel(c.hWndTreeView(), x, y);
    }
};

TEST_F(TreeViewControlTest, NothingBeforeInitializeThenTheWindowFollowsItsProperties) {
    Form form(u"Form1");
    auto& c = form.add<ucTreeView>(u"ctl", -1, box(10, 10, 300, 200));
    form.Show();
    pump();
    EXPECT_FALSE(c.hWndTreeView());
    EXPECT_EQ(c.AddNode(0, ucTreeView::rLast, u"k", u"early"), 0);
    EXPECT_EQ(c.NodeCount(), 0);
    EXPECT_EQ(c.NodeText(1), u"");
    EXPECT_EQ(c.SelectedNode(), 0);
    c.LabelEdit(true);
    c.CheckBoxes(true);
    c.HideSelection(true);
    ASSERT_TRUE(c.InitializeTree());
    const HWND tv = c.hWndTreeView();
    const auto style = [&] { return static_cast<DWORD>(GetWindowLongW(tv, GWL_STYLE)); };
    EXPECT_EQ(style() & (TVS_EDITLABELS | TVS_CHECKBOXES | TVS_FULLROWSELECT | TVS_SHOWSELALWAYS |
                         TVS_DISABLEDRAGDROP | TVS_HASBUTTONS),
              TVS_EDITLABELS | TVS_CHECKBOXES | TVS_FULLROWSELECT | TVS_DISABLEDRAGDROP);
    EXPECT_TRUE(GetWindowLongW(tv, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // Later changes flip the same bits; an automatic drag lets the tree report drags.
    c.HasButtons(true);
    c.FullRowSelect(false);
    c.OLEDragMode(1);
    c.TvBorderStyle(ucTreeView::bsNone);
    EXPECT_EQ(style() & (TVS_HASBUTTONS | TVS_FULLROWSELECT | TVS_DISABLEDRAGDROP), TVS_HASBUTTONS);
    EXPECT_FALSE(GetWindowLongW(tv, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_THROW(c.OLEDragMode(2), Error);
    EXPECT_THROW(c.NodeChecked(1, 7), Error);
    // The tree fills the control, below the header row in multi-column mode.
    RECT rc{};
    GetWindowRect(tv, &rc);
    MapWindowPoints(HWND(), c.hWnd(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.top, 0);
    c.MultiColumn(true);
    c.HeaderHeight(30);
    GetWindowRect(tv, &rc);
    MapWindowPoints(HWND(), c.hWnd(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.top, 30);
    EXPECT_EQ(c.headerRect().bottom, 30);
}

TEST_F(TreeViewControlTest, NodesByKeyRelationAndColumnTexts) {
    Form form(u"Form1");
    auto& c = tree(form);
    const std::int32_t b = c.AddNode(0, ucTreeView::rLast, u"b", u"Bravo");
    const std::int32_t a = c.AddNode(0, ucTreeView::rFirst, u"a", u"Alpha");
    const std::int32_t d = c.AddNode(0, ucTreeView::rLast, u"d", u"Delta");
    const std::int32_t cc = c.AddNode(b, ucTreeView::rNext, u"c", u"Charlie");
    const std::int32_t a0 = c.AddNode(a, ucTreeView::rPrevious, u"", u"Zero");
    const std::vector<std::int32_t> order{a0, a, b, cc, d};
    std::vector<std::int32_t> seen;
    for (std::int32_t n = c.NodeRoot(); n; n = c.NodeNextSibling(n))
        seen.push_back(n);
    EXPECT_EQ(seen, order);
    EXPECT_EQ(c.NodeFirstSibling(d), a0);
    EXPECT_EQ(c.NodeLastSibling(a0), d);
    EXPECT_EQ(c.NodePreviousSibling(cc), b);
    // Sorted children, and relatives below.
    const std::int32_t y = c.AddNode(b, ucTreeView::rSort, u"y", u"yankee");
    const std::int32_t x = c.AddNode(b, ucTreeView::rSort, u"x", u"X-ray");
    EXPECT_EQ(c.NodeChild(b), x);
    EXPECT_EQ(c.NodeNextSibling(x), y);
    EXPECT_EQ(c.NodeParent(y), b);
    EXPECT_EQ(c.NodeChildren(b), 2);
    EXPECT_EQ(c.NodeFullPath(y, u"/"), u"Bravo/yankee");
    EXPECT_EQ(c.NodeLevel(y), 1);

    // Keys compare without case; a repeated key keeps naming its first node.
    EXPECT_FALSE(c.IsValidKey(u"B"));
    EXPECT_TRUE(c.IsValidKey(u"e"));
    const std::int32_t twin = c.AddNode(0, ucTreeView::rLast, u"A", u"Twin");
    EXPECT_NE(twin, 0);
    EXPECT_EQ(c.GetKeyNode(u"a"), a);
    EXPECT_EQ(c.GetNodeKey(twin), u"");
    // Image -1 is no image; the text after "|" fills the columns.
    const std::int32_t row = c.AddNode(0, ucTreeView::rLast, u"r", u"Row|one|two", -1, 3);
    TVITEMW it;
    it.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    it.hItem = HTREEITEM(static_cast<std::uint32_t>(row));
    ASSERT_TRUE(SendMessageW(c.hWndTreeView(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it)));
    EXPECT_EQ(it.iImage, I_IMAGENONE);
    EXPECT_EQ(it.iSelectedImage, 3);
    EXPECT_EQ(c.NodeImage(row), -1);
    EXPECT_EQ(c.NodeText(row), u"Row");
    EXPECT_EQ(c.NodeSubItemText(row, 1), u"one");
    EXPECT_EQ(c.NodeSubItemText(row, 2), u"two");
    EXPECT_EQ(c.NodeSubItemText(row, 3), u"");
    EXPECT_TRUE(c.HasSubItems(c.GetNodeIndex(row)));
    EXPECT_FALSE(c.HasSubItems(c.GetNodeIndex(a)));
    c.NodeSubItemText(row, 4, u"four");
    EXPECT_EQ(c.GetNodeSubItems(row), (std::vector<std::u16string>{u"one", u"two", u"", u"four"}));
    c.NodeTag(row, u"tagged");
    c.NodeBold(row, true);
    c.NodeText(row, std::u16string(2000, u'w'));
    EXPECT_EQ(c.NodeTag(row), u"tagged");
    EXPECT_TRUE(c.NodeBold(row));
    EXPECT_EQ(c.NodeText(row).size(), 2000u);

    // A deleted node's key is free again; its handle names nothing any more.
    EXPECT_TRUE(c.DeleteNode(b));
    EXPECT_TRUE(c.IsValidKey(u"b"));
    EXPECT_TRUE(c.IsValidKey(u"x"));
    EXPECT_EQ(c.GetKeyNode(u"y"), 0);
    for (std::int32_t gone : {b, x, y}) {
        EXPECT_FALSE(c.DeleteNode(gone));
        EXPECT_EQ(c.NodeText(gone), u"");
        EXPECT_EQ(c.NodeTag(gone), u"");
        EXPECT_EQ(c.GetNodeIndex(gone), -1);
        EXPECT_EQ(c.NodeLevel(gone), -1);
        EXPECT_EQ(c.NodeFullPath(gone), u"");
        c.NodeText(gone, u"ignored");
        c.Expand(gone, true);
        c.CheckChildren(gone, ucTreeView::etvwChecked);
    }
    // While deletions are held the records stay; the release drops them in one pass.
    c.HoldDeletePostProcess(true);
    c.DeleteNode(cc);
    EXPECT_FALSE(c.IsValidKey(u"c"));
    c.HoldDeletePostProcess(false);
    EXPECT_TRUE(c.IsValidKey(u"c"));
    // Slots of deleted nodes are used again.
    const std::int32_t reused = c.AddNode(0, ucTreeView::rLast, u"n", u"New");
    EXPECT_LT(c.GetNodeIndex(reused), 9);
    c.Clear();
    EXPECT_EQ(c.NodeCount(), 0);
    EXPECT_TRUE(c.IsValidKey(u"a"));
    for (std::int32_t relation : {ucTreeView::rLast, ucTreeView::rNext, ucTreeView::rPrevious})
        EXPECT_EQ(c.AddNode(a, relation, u"", u"by a stale node"), 0) << relation;
    EXPECT_EQ(c.NodeCount(), 0);
}

// Column texts share one store that is rewritten as texts change; keys and tags sit beside the
// records. Neither may follow a node's slot to the next node that takes it.
TEST_F(TreeViewControlTest, ColumnTextsKeysAndTagsStayWithTheirNodes) {
    Form form(u"Form1");
    auto& c = tree(form);
    auto num = [](int i) { return CStr(Variant(std::int32_t{i})); };
    std::vector<std::int32_t> nodes;
    for (int i = 0; i < 300; ++i)
        nodes.push_back(c.AddNode(0, ucTreeView::rLast, u"k" + num(i),
                                  u"N" + num(i) + u"|a" + num(i) + u"|b" + num(i), -1, -1, false,
                                  u"t" + num(i)));
    // Rewriting one column again and again leaves far more stale text than live.
    for (int round = 0; round < 20; ++round)
        for (int i = 0; i < 300; ++i)
            c.NodeSubItemText(nodes[i], 2, u"round " + num(round) + u" of node " + num(i));
    for (int i = 0; i < 300; i += 3)
        c.DeleteNode(nodes[i]);
    std::vector<std::int32_t> fresh;
    for (int i = 0; i < 100; ++i)
        fresh.push_back(c.AddNode(0, ucTreeView::rLast, u"", u"F" + num(i) + u"|x"));
    for (int i = 0; i < 300; ++i) {
        if (i % 3 == 0) continue;
        ASSERT_EQ(c.GetNodeSubItems(nodes[i]),
                  (std::vector<std::u16string>{u"a" + num(i), u"round 19 of node " + num(i)}))
            << i;
        EXPECT_EQ(c.GetNodeKey(nodes[i]), u"k" + num(i));
        EXPECT_EQ(c.NodeTag(nodes[i]), u"t" + num(i));
    }
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(c.GetNodeSubItems(fresh[i]), std::vector<std::u16string>{u"x"}) << i;
        EXPECT_EQ(c.GetNodeKey(fresh[i]), u"") << i;
        EXPECT_EQ(c.NodeTag(fresh[i]), u"") << i;
    }
    // A text ends at a NUL, as a window text does; empty columns still count.
    c.NodeSubItemText(fresh[0], 3, std::u16string(u"cut\0here", 8));
    EXPECT_EQ(c.GetNodeSubItems(fresh[0]), (std::vector<std::u16string>{u"x", u"", u"cut"}));
    const std::int32_t bare = c.AddNode(0, ucTreeView::rLast, u"", u"Bare|");
    EXPECT_TRUE(c.HasSubItems(c.GetNodeIndex(bare)));
    EXPECT_EQ(c.NodeSubItemText(bare, 1), u"");
}

TEST_F(TreeViewControlTest, TheCheckCascadeGoesDownAndWorksOutTheAncestors) {
    Form form(u"Form1");
    auto& c = tree(form);
    c.CheckBoxes(true);
    const std::int32_t top = c.AddNode(0, ucTreeView::rLast, u"", u"Top");
    const std::int32_t mid = c.AddNode(top, ucTreeView::rLast, u"", u"Mid");
    const std::int32_t leaf1 = c.AddNode(mid, ucTreeView::rLast, u"", u"Leaf 1");
    const std::int32_t leaf2 = c.AddNode(mid, ucTreeView::rLast, u"", u"Leaf 2");
    const std::int32_t other = c.AddNode(top, ucTreeView::rLast, u"", u"Other");
    c.Expand(top, true);
    pump();
    for (std::int32_t n : {top, mid, leaf1, leaf2, other})
        EXPECT_EQ(c.NodeChecked(n), ucTreeView::etvwUnChecked);
    std::vector<std::int32_t> checked;
    c.connect(ucTreeView::evNodeCheck,
              [&](std::vector<Variant>& a) { checked.push_back(CLng(a[0])); });
    // A click on Top's check box checks everything below it.
    clickAt(c, partOf(c, top, TVHT_ONITEMSTATEICON));
    for (std::int32_t n : {top, mid, leaf1, leaf2, other})
        EXPECT_EQ(c.NodeChecked(n), ucTreeView::etvwChecked) << n;
    EXPECT_EQ(checked, std::vector<std::int32_t>{top});
    // The space bar on a selected leaf unchecks it: its parents turn grey.
    c.SelectedNode(leaf2);
    SetFocus(c.hWndTreeView());
    key(VK_SPACE);
    pump();
    EXPECT_EQ(c.NodeChecked(leaf2), ucTreeView::etvwUnChecked);
    EXPECT_EQ(c.NodeChecked(leaf1), ucTreeView::etvwChecked);
    EXPECT_EQ(c.NodeChecked(mid), ucTreeView::etvwGrayed);
    EXPECT_EQ(c.NodeChecked(top), ucTreeView::etvwGrayed);
    // A grey node clicked turns checked, and so does all below it.
    clickAt(c, partOf(c, mid, TVHT_ONITEMSTATEICON));
    EXPECT_EQ(c.NodeChecked(mid), ucTreeView::etvwChecked);
    EXPECT_EQ(c.NodeChecked(leaf2), ucTreeView::etvwChecked);
    EXPECT_EQ(c.NodeChecked(top), ucTreeView::etvwChecked);
    // Unchecking the last checked leaf of a parent leaves it unchecked, not grey.
    c.CheckChildren(top, ucTreeView::etvwUnChecked);
    c.NodeChecked(top, ucTreeView::etvwUnChecked);
    c.NodeChecked(leaf1, ucTreeView::etvwChecked);
    c.runCheckCascade(leaf1);
    EXPECT_EQ(c.NodeChecked(mid), ucTreeView::etvwGrayed);
    c.NodeChecked(leaf1, ucTreeView::etvwUnChecked);
    c.runCheckCascade(leaf1);
    EXPECT_EQ(c.NodeChecked(mid), ucTreeView::etvwUnChecked);
    EXPECT_EQ(c.NodeChecked(top), ucTreeView::etvwUnChecked);
}

TEST_F(TreeViewControlTest, ClicksExpansionsAndLabelEditsRaiseTheirEvents) {
    Form form(u"Form1");
    auto& c = tree(form);
    c.LabelEdit(true);
    const std::int32_t one = c.AddNode(0, ucTreeView::rLast, u"", u"One");
    const std::int32_t two = c.AddNode(0, ucTreeView::rLast, u"", u"Two");
    const std::int32_t child = c.AddNode(two, ucTreeView::rLast, u"", u"Child");
    pump();
    std::vector<std::string> events;
    std::vector<std::int32_t> nodes;
    const auto record = [&](const char* name, int event, bool withNode) {
        c.connect(event, [&, name, withNode](std::vector<Variant>& a) {
            events.push_back(name);
            if (withNode) nodes.push_back(CLng(a[0]));
        });
    };
    record("NodeClick", ucTreeView::evNodeClick, true);
    record("SelectionChanged", ucTreeView::evSelectionChanged, false);
    record("MouseDown", ucTreeView::evMouseDown, false);
    record("MouseUp", ucTreeView::evMouseUp, false);
    record("Click", ucTreeView::evClick, false);
    record("BeforeExpand", ucTreeView::evBeforeExpand, true);
    record("AfterExpand", ucTreeView::evAfterExpand, true);
    record("Collapse", ucTreeView::evCollapse, true);
    clickAt(c, partOf(c, one, TVHT_ONITEMLABEL));
    // The tree reports the click before it moves the selection, as Windows does.
    EXPECT_EQ(events, (std::vector<std::string>{"MouseDown", "MouseUp", "NodeClick", "Click",
                                                "NodeClick", "SelectionChanged"}));
    EXPECT_EQ(nodes, (std::vector<std::int32_t>{one, one}));
    events.clear();
    nodes.clear();
    // The button opens and closes Two.
    clickAt(c, partOf(c, two, TVHT_ONITEMBUTTON));
    EXPECT_TRUE(c.NodeExpanded(two));
    EXPECT_TRUE(c.NodeExpandedOnce(two));
    clickAt(c, partOf(c, two, TVHT_ONITEMBUTTON));
    EXPECT_FALSE(c.NodeExpanded(two));
    const std::vector<std::string> expected{"BeforeExpand", "AfterExpand", "Collapse"};
    std::vector<std::string> expansions;
    for (const std::string& e : events)
        if (e == "BeforeExpand" || e == "AfterExpand" || e == "Collapse") expansions.push_back(e);
    EXPECT_EQ(expansions, expected);

    // Label editing: BeforeLabelEdit may cancel; AfterLabelEdit gives the text and may refuse it.
    bool cancelBefore = true, cancelAfter = false;
    std::u16string edited;
    std::int32_t editedNode = 0;
    c.connect(ucTreeView::evBeforeLabelEdit,
              [&](std::vector<Variant>& a) { a[1] = Variant(cancelBefore); });
    c.connect(ucTreeView::evAfterLabelEdit, [&](std::vector<Variant>& a) {
        editedNode = CLng(a[0]);
        edited = CStr(a[2]);
        a[1] = Variant(cancelAfter);
    });
    EXPECT_FALSE(c.StartLabelEdit(one));
    EXPECT_FALSE(c.hWndLabelEdit());
    cancelBefore = false;
    ASSERT_TRUE(c.StartLabelEdit(one));
    ASSERT_TRUE(c.hWndLabelEdit());
    platform->TypeText(u"Renamed");
    key(VK_RETURN);
    EXPECT_EQ(editedNode, one);
    EXPECT_EQ(edited, u"Renamed");
    EXPECT_EQ(c.NodeText(one), u"Renamed");
    cancelAfter = true;
    ASSERT_TRUE(c.StartLabelEdit(one));
    platform->TypeText(u"Refused");
    c.EndLabelEdit(false);
    EXPECT_EQ(edited, u"Refused");
    EXPECT_EQ(c.NodeText(one), u"Renamed");
    (void)child;
}

TEST_F(TreeViewControlTest, HandlersMayDeleteWhatTheyAreToldAbout) {
    Form form(u"Form1");
    auto& c = tree(form);
    const std::int32_t parent = c.AddNode(0, ucTreeView::rLast, u"p", u"Parent");
    for (int i = 0; i < 5; ++i)
        c.AddNode(parent, ucTreeView::rLast, u"", u"Child");
    // The node being expanded goes in the middle of its expansion.
    c.connect(ucTreeView::evBeforeExpand,
              [&](std::vector<Variant>& a) { c.DeleteNode(CLng(a[0])); });
    c.Expand(parent, true);
    EXPECT_EQ(c.NodeCount(), 0);
    EXPECT_TRUE(c.IsValidKey(u"p"));
    // A click whose handler removes the control.
    const std::int32_t node = c.AddNode(0, ucTreeView::rLast, u"", u"Last");
    pump();
    const POINT p = partOf(c, node, TVHT_ONITEMLABEL);
    c.connect(ucTreeView::evNodeClick, [&](std::vector<Variant>&) { form.remove(c); });
    clickAt(c, p);
    EXPECT_TRUE(form.Controls().empty());
}

TEST_F(TreeViewControlTest, DeepTreesWorkWithoutRecursion) {
    Form form(u"Form1");
    auto& c = tree(form);
    c.BeginUpdate();
    std::int32_t node = 0, first = 0;
    for (int level = 0; level < 20000; ++level) {
        node = c.AddNode(node, ucTreeView::rLast, level == 19999 ? u"bottom" : u"", u"level");
        if (!first) first = node;
    }
    c.EndUpdate();
    ASSERT_NE(node, 0);
    c.Expand(first, true);
    c.CheckChildren(first, ucTreeView::etvwChecked);
    EXPECT_EQ(c.NodeLevel(node), 19999);
    EXPECT_EQ(c.GetKeyNode(u"BOTTOM"), node);
    c.EnsureVisible(node);
    pump();
    EXPECT_TRUE(c.NodeVisible(node));
    c.Collapse(first, true);
    EXPECT_TRUE(c.DeleteNode(first));
    EXPECT_EQ(c.NodeCount(), 0);
    EXPECT_TRUE(c.IsValidKey(u"bottom"));
}

TEST_F(TreeViewControlTest, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& {
        auto& c = form.add<ucTreeView>(u"ctl", -1, box(10, 10, 300, 200));
        form.Show();
        pump();
        return c;
    };
    const auto change = [](UserControl& ctl) {
        auto& c = static_cast<ucTreeView&>(ctl);
        c.BackColor(0x123456);
        c.ForeColor(0x654321);
        c.TvBorderStyle(ucTreeView::bsNone);
        c.CheckBoxes(true);
        c.Enabled(false);
        c.FullRowSelect(false);
        c.HasButtons(true);
        c.HasLines(true);
        c.HasRootLines(true);
        c.HeaderBackColor(0x0A0B0C);
        c.HeaderHeight(31);
        c.HideSelection(true);
        c.LabelEdit(true);
        c.MultiColumn(true);
        c.OLEDragAutoExpand(true);
        c.OLEDragInsertStyle(ucTreeView::disDropHilite);
        c.OLEDragMode(1);
        c.OLEDropMode(2);
        c.RaiseSubItemPrePaint(true);
        c.SingleExpand(true);
        c.TrackSelect(true);
    };
    // Run-time members (the window's, the nodes') are not saved.
    const orvane::test::RoundTrip trip = orvane::test::roundTrip(
        u"ucTreeView", make, change,
        {u"hWnd", u"Tag", u"RightToLeft", u"LineColor", u"InsertMarkColor", u"ItemHeight",
         u"ItemIndent", u"SelectedNode", u"NodeRoot", u"NodeFirstVisible", u"NodeLastVisible",
         u"NodeCount", u"ColumnCount", u"ScaleMode"});
    EXPECT_GE(trip.compared, 21);
}

using TreeViewPixelTest = orvane::test::AtDpi<TreeViewControlTest>;

TEST_P(TreeViewPixelTest, ColumnsHeaderAndSelectionStyledAndPlain) {
    for (BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        Form form(u"Form1");
        auto& c = tree(form, box(10, 10, 400, 200));
        c.MultiColumn(true);
        c.HeaderBackColor(RGB(0x20, 0x40, 0x60));
        c.AddColumn(u"Name", 120);
        c.AddColumn(u"Owner", 100, 0, -1, vbWindowText, RGB(0xF0, 0xE0, 0x10));
        c.AddColumn(u"Due", 80);
        const std::int32_t a = c.AddNode(0, ucTreeView::rLast, u"", u"Alpha|Ann|Mon");
        const std::int32_t b = c.AddNode(0, ucTreeView::rLast, u"", u"Bravo|Bob|Tue");
        pump();
        const int header = c.headerRect().bottom;
        EXPECT_EQ(header, px(24));
        EXPECT_EQ(at(c, px(60), header / 2), RGB(0x20, 0x40, 0x60)) << themed;
        // Column 1's cells take its back colour; a selected row is grey there.
        const RECT rowA = rowOf(c, a), rowB = rowOf(c, b);
        const int x = px(120) + px(100) - px(3);
        EXPECT_EQ(inTree(c, x, rowA.top + 1), RGB(0xF0, 0xE0, 0x10)) << themed;
        c.SelectedNode(b);
        EXPECT_EQ(inTree(c, x, rowB.top + 1), RGB(0xD0, 0xD0, 0xD0)) << themed;
        // The cell hook may colour a cell, but only when it says to process it.
        c.RaiseSubItemPrePaint(true);
        bool process = false;
        c.connect(ucTreeView::evOnSubItemPrePaint, [&](std::vector<Variant>& args) {
            if (CLng(args[1]) != 2) return;
            args[2] = Variant(static_cast<std::int32_t>(RGB(0x10, 0x90, 0x10)));
            args[5] = Variant(process);
        });
        const int due = px(120) + px(100) + px(80) - px(3);
        c.Refresh();
        EXPECT_EQ(inTree(c, due, rowA.top + 1), GetSysColor(COLOR_WINDOW)) << themed;
        process = true;
        c.Refresh();
        EXPECT_EQ(inTree(c, due, rowA.top + 1), RGB(0x10, 0x90, 0x10)) << themed;
        // Some ink of "Ann" shows in the Owner cell.
        bool ink = false;
        for (int xx = px(124); xx < px(160) && !ink; ++xx)
            for (int yy = rowA.top; yy < rowA.bottom && !ink; ++yy)
                ink = orvane::test::channelDistance(inTree(c, xx, yy), RGB(0xF0, 0xE0, 0x10)) > 200;
        EXPECT_TRUE(ink) << themed;
    }
}

TEST_F(TreeViewControlTest, RightToLeftMirrorsTheCellsAndTheHeaderAlike) {
    Form form(u"Form1");
    auto& c = tree(form, box(5, 5, 280, 150));  // whole on the form
    c.MultiColumn(true);
    c.AddColumn(u"Name", 120);
    c.AddColumn(u"Owner", 100, 0, -1, vbWindowText, RGB(0xF0, 0xE0, 0x10));
    c.RightToLeft(true);
    const RECT row = rowOf(c, c.AddNode(0, ucTreeView::rLast, u"", u"Alpha|Ann"));
    RECT control{}, client{};
    GetClientRect(c.hWnd(), &control);
    GetClientRect(c.hWndTreeView(), &client);
    // Column 1 (logical 120 to 220) and its header separator are counted from the right.
    EXPECT_EQ(inTree(c, client.right - 1 - 210, row.top + 1), RGB(0xF0, 0xE0, 0x10));
    EXPECT_NE(inTree(c, 210, row.top + 1), RGB(0xF0, 0xE0, 0x10));
    const int middle = c.headerRect().bottom / 2;
    EXPECT_EQ(at(c, control.right - 220, middle), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_NE(at(c, 219, middle), GetSysColor(COLOR_BTNSHADOW));
}

TEST_P(TreeViewPixelTest, CheckBoxesShowTheirThreeStates) {
    for (BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        Form form(u"Form1");
        auto& c = tree(form);
        c.CheckBoxes(true);
        const std::int32_t n = c.AddNode(0, ucTreeView::rLast, u"", u"Node");
        pump();
        const POINT box = partOf(c, n, TVHT_ONITEMSTATEICON);
        // The three states look different over the icon's square.
        std::vector<std::vector<COLORREF>> looks;
        for (std::int32_t s : {1, 2, 3}) {
            c.NodeChecked(n, s);
            std::vector<COLORREF> square;
            for (int dy = -px(6); dy <= px(6); ++dy)
                for (int dx = 0; dx < px(16); ++dx)
                    square.push_back(inTree(c, box.x + dx, box.y + dy));
            looks.push_back(std::move(square));
        }
        EXPECT_NE(looks[0], looks[1]) << themed;
        EXPECT_NE(looks[1], looks[2]) << themed;
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, TreeViewPixelTest, ::testing::Values(96, 144));

class TreeDragTest : public TreeViewControlTest {
protected:
    // Runs one step of `steps` each time `source`'s drag gives feedback (the drag repeats it
    // every 50 ms of the virtual clock while nothing happens).
    void drive(ucTreeView& source, std::deque<std::function<void()>> steps) {
        m_steps = std::move(steps);
        source.connect(ucTreeView::evOLEGiveFeedback, [this](std::vector<Variant>&) {
            if (m_steps.empty()) return;
            auto step = std::move(m_steps.front());
            m_steps.pop_front();
            step();
        });
    }
    // Presses on a node's label and pulls the pointer away: the drag runs in here.
    void pull(ucTreeView& c, std::int32_t node) {
        const POINT at = partOf(c, node, TVHT_ONITEMLABEL);
        const POINT p = platform->ClientToScreenPoint(c.hWndTreeView(), at.x + 2, at.y);
        platform->AdvanceTime(GetDoubleClickTime() + 10);
        platform->MouseMove(p.x, p.y);
        platform->MouseDown();
        platform->MouseMove(p.x + 12, p.y + 6);
        pump();
    }
    // Queues a move of the pointer to a point of a node's row (a fraction of its height down).
    void moveOnto(ucTreeView& c, std::int32_t node, double down) {
        const RECT r = rowOf(c, node, true);
        const POINT p =
            platform->ClientToScreenPoint(c.hWndTreeView(), (r.left + r.right) / 2,
                                          r.top + static_cast<int>((r.bottom - r.top) * down));
        SetCursorPos(p.x, p.y);
    }
    static void release() {
        INPUT in;
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1, &in, sizeof in);
    }
    std::deque<std::function<void()>> m_steps;
};

TEST_F(TreeDragTest, ANodeDraggedToAnotherTreeMovesWithTheEventsInOrder) {
    Form form(u"Form1");
    auto& a = tree(form, box(10, 10, 200, 200));
    auto& b = form.add<ucTreeView>(u"b", -1, box(230, 10, 200, 200));
    form.Show();
    pump();
    ASSERT_TRUE(b.InitializeTree());
    a.OLEDragMode(1);
    b.OLEDropMode(1);
    a.AddNode(0, ucTreeView::rLast, u"", u"One");
    const std::int32_t two = a.AddNode(0, ucTreeView::rLast, u"two", u"Two");
    b.AddNode(0, ucTreeView::rLast, u"", u"First");
    const std::int32_t second = b.AddNode(0, ucTreeView::rLast, u"", u"Second");
    b.AddNode(0, ucTreeView::rLast, u"", u"Third");
    pump();
    std::vector<std::string> events;
    a.connect(ucTreeView::evOLEStartDrag, [&](std::vector<Variant>& e) {
        events.push_back("A OLEStartDrag " + std::to_string(CLng(e[1])));
        EXPECT_TRUE(a.OLEIsMyFormat(e[0]));
        EXPECT_TRUE(a.NodeHilited(two));
    });
    b.connect(ucTreeView::evOLEDragOver, [&](std::vector<Variant>& e) {
        const std::string name = "B OLEDragOver " + std::to_string(CInt(e[6]));
        if (events.empty() || events.back() != name) events.push_back(name);
        e[1] = Variant(std::int32_t{vbDropEffectMove});
    });
    std::int32_t fromTree = 0, fromNode = 0, target = 0;
    bool after = false;
    b.connect(ucTreeView::evOLEDragDrop, [&](std::vector<Variant>& e) {
        events.push_back("B OLEDragDrop " + std::to_string(CLng(e[1])));
        ASSERT_TRUE(b.OLEGetDragInfo(e[0], fromTree, fromNode));
        b.OLEGetDropInfo(target, after);
        b.AddNode(target, after ? ucTreeView::rNext : ucTreeView::rPrevious, u"",
                  a.NodeText(fromNode));
    });
    a.connect(ucTreeView::evOLECompleteDrag, [&](std::vector<Variant>& e) {
        events.push_back("A OLECompleteDrag " + std::to_string(CLng(e[0])));
        if (CLng(e[0]) == vbDropEffectMove) a.DeleteNode(two);
    });
    drive(a, {[&] { moveOnto(b, second, 0.8); }, [] {}, [&] { release(); }});
    pull(a, two);
    const std::vector<std::string> expected{"A OLEStartDrag 3", "B OLEDragOver 0",
                                            "B OLEDragOver 2", "B OLEDragDrop 2",
                                            "A OLECompleteDrag 2"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(fromTree, static_cast<std::int32_t>(a.hWndTreeView().value));
    EXPECT_EQ(fromNode, two);
    EXPECT_EQ(target, second);
    EXPECT_TRUE(after);
    std::vector<std::u16string> texts;
    for (std::int32_t n = b.NodeRoot(); n; n = b.NodeNextSibling(n))
        texts.push_back(b.NodeText(n));
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"First", u"Second", u"Two", u"Third"}));
    EXPECT_EQ(a.NodeCount(), 1);
    EXPECT_TRUE(a.IsValidKey(u"two"));
    EXPECT_EQ(GetCapture(), HWND());
    // Data from elsewhere is not a node.
    EXPECT_FALSE(b.OLEIsMyFormat(Variant(std::int32_t{5})));
    EXPECT_FALSE(
        b.OLEGetDragInfo(Variant(std::static_pointer_cast<Object>(std::make_shared<DataObject>())),
                         fromTree, fromNode));
}

TEST_F(TreeDragTest, ADragRestingOnANodeOpensItAfterASecondAndTheEdgesScroll) {
    Form form(u"Form1");
    auto& a = tree(form, box(10, 10, 200, 200));
    auto& b = form.add<ucTreeView>(u"b", -1, box(230, 10, 200, 200));
    form.Show();
    pump();
    b.HasButtons(true);
    ASSERT_TRUE(b.InitializeTree());
    a.OLEDragMode(1);
    b.OLEDropMode(1);
    b.OLEDragAutoExpand(true);
    b.OLEDragInsertStyle(ucTreeView::disDropHilite);
    const std::int32_t node = a.AddNode(0, ucTreeView::rLast, u"", u"Dragged");
    const std::int32_t folder = b.AddNode(0, ucTreeView::rLast, u"", u"Folder");
    b.AddNode(folder, ucTreeView::rLast, u"", u"Inside");
    for (int i = 0; i < 60; ++i)
        b.AddNode(0, ucTreeView::rLast, u"", u"Filler");
    pump();
    std::uint64_t entered = 0, opened = 0;
    bool hilited = false;
    b.connect(ucTreeView::evOLEDragOver, [&](std::vector<Variant>& e) {
        if (CInt(e[6]) == 0) entered = GetTickCount64();
        hilited = hilited || b.NodeHilited(folder);
    });
    b.connect(ucTreeView::evAfterExpand, [&](std::vector<Variant>&) { opened = GetTickCount64(); });
    std::deque<std::function<void()>> steps{[&] { moveOnto(b, folder, 0.5); }};
    for (int i = 0; i < 30; ++i)
        steps.push_back([] {});  // 1.5 s resting on the folder
    steps.push_back([&] {
        // To the bottom edge: the tree scrolls a line at each repeat.
        RECT client{};
        GetClientRect(b.hWndTreeView(), &client);
        const POINT p = platform->ClientToScreenPoint(b.hWndTreeView(), 40, client.bottom - 2);
        SetCursorPos(p.x, p.y);
    });
    for (int i = 0; i < 10; ++i)
        steps.push_back([] {});
    steps.push_back([] {
        INPUT in;
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = VK_ESCAPE;
        SendInput(1, &in, sizeof in);
    });
    drive(a, std::move(steps));
    pull(a, node);
    EXPECT_TRUE(hilited);
    EXPECT_TRUE(b.NodeExpanded(folder));
    EXPECT_GT(opened - entered, 1000u);
    EXPECT_LT(opened - entered, 1200u);
    EXPECT_NE(b.NodeFirstVisible(), folder);  // scrolled down from the top
    // The marks are gone once the drag left.
    EXPECT_FALSE(b.NodeHilited(folder));
}

TEST_F(TreeViewControlTest, ManyLargeTreesComeAndGoWithoutLeavingAnything) {
    Form form(u"Form1");
    for (int round = 0; round < 10; ++round) {
        auto& c = form.add<ucTreeView>(u"big", -1, box(10, 10, 300, 200));
        form.Show();
        c.CheckBoxes(true);
        c.InitializeTree();
        c.InitializeImageList(16, 16);
        c.BeginUpdate();
        for (int p = 0; p < 1000; ++p) {
            const std::int32_t parent =
                c.AddNode(0, ucTreeView::rLast, u"k" + CStr(Variant(p)), u"parent");
            for (int i = 0; i < 99; ++i)
                c.AddNode(parent, ucTreeView::rLast, u"", u"child|a|b");
        }
        c.EndUpdate();
        EXPECT_EQ(c.NodeCount(), 100000);
        pump();
        form.remove(c);
    }
    pump();
}

}  // namespace
