// The tree view's items without the mouse: insertion orders, reading and changing items,
// callbacks, the TVGN_ walks, deletion with the selection moving as on Windows, stale and
// foreign handles, expanding with refusal and hostile handlers, selection, sorting, a chain
// 100,000 levels deep, and creating and destroying big trees with nothing left alive.
#include "TreeViewFixture.h"

namespace orvane::platform::test {
namespace {

using namespace trees;

class TreeViewTest : public TreeViewFixture {};

using Labels = std::vector<std::u16string>;

TEST_F(TreeViewTest, InsertionOrdersFirstLastSortedAndAfterASibling) {
    const HWND tv = tree(0);
    const HTREEITEM b = add(tv, TVI_ROOT, u"b");
    add(tv, TVI_ROOT, u"d");
    add(tv, TVI_ROOT, u"a", TVI_FIRST);
    add(tv, TVI_ROOT, u"c", b);
    add(tv, TVI_ROOT, u"C2", TVI_SORT);  // sorts without regard to case, after "c"
    add(tv, TVI_ROOT, u"B0", TVI_SORT);
    add(tv, HTREEITEM{}, u"e");  // no parent: the root
    EXPECT_EQ(children(tv, TVI_ROOT), (Labels{u"a", u"b", u"B0", u"c", u"C2", u"d", u"e"}));

    const HTREEITEM kid = add(tv, b, u"x");
    add(tv, b, u"w", TVI_FIRST);
    EXPECT_EQ(children(tv, b), (Labels{u"w", u"x"}));
    // A sibling that is not a child of the parent named is refused.
    EXPECT_FALSE(add(tv, TVI_ROOT, u"bad", kid));
    EXPECT_FALSE(add(tv, b, u"bad", b));
    EXPECT_EQ(SendMessageW(tv, TVM_GETCOUNT, 0, 0), 9);
    DestroyWindow(tv);
}

TEST_F(TreeViewTest, ItemsReadBackWithTextCutStateMasksAndIntegral) {
    const HWND tv = tree(0);
    std::u16string text = u"Hello world";
    TVINSERTSTRUCTW ins;
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.itemex.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE |
                      TVIF_CHILDREN | TVIF_INTEGRAL;
    ins.itemex.pszText = text.data();
    ins.itemex.iImage = 3;
    ins.itemex.iSelectedImage = 4;
    ins.itemex.lParam = 77;
    ins.itemex.cChildren = 1;
    ins.itemex.iIntegral = 2;
    ins.itemex.state = TVIS_BOLD | TVIS_SELECTED | INDEXTOOVERLAYMASK(2);
    ins.itemex.stateMask = TVIS_BOLD | TVIS_SELECTED | TVIS_OVERLAYMASK;
    const auto item = HTREEITEM(static_cast<std::uint32_t>(
        SendMessageW(tv, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins))));
    ASSERT_TRUE(item);

    EXPECT_EQ(textOf(tv, item, 6), u"Hello");  // cut to cchTextMax - 1
    EXPECT_EQ(textOf(tv, item, 1), u"");
    TVITEMEXW it;
    it.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE |
              TVIF_CHILDREN | TVIF_INTEGRAL;
    it.hItem = item;
    it.stateMask = 0xFFFF;
    ASSERT_TRUE(SendMessageW(tv, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it)));
    EXPECT_EQ(it.iImage, 3);
    EXPECT_EQ(it.iSelectedImage, 4);
    EXPECT_EQ(it.lParam, 77);
    EXPECT_EQ(it.cChildren, 1);
    EXPECT_EQ(it.iIntegral, 2);
    // Selection is the tree's to give: the state asked for at insertion does not select.
    EXPECT_EQ(it.state, TVIS_BOLD | INDEXTOOVERLAYMASK(2));

    // Setting state touches only the bits of the mask.
    TVITEMW set;
    set.mask = TVIF_HANDLE | TVIF_STATE;
    set.hItem = item;
    set.state = TVIS_CUT | TVIS_DROPHILITED | INDEXTOSTATEIMAGEMASK(3);
    set.stateMask = TVIS_CUT | TVIS_DROPHILITED | TVIS_STATEIMAGEMASK | TVIS_BOLD;
    ASSERT_TRUE(SendMessageW(tv, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&set)));
    EXPECT_EQ(stateOf(tv, item),
              TVIS_CUT | TVIS_DROPHILITED | INDEXTOSTATEIMAGEMASK(3) | INDEXTOOVERLAYMASK(2));
    EXPECT_EQ(stateOf(tv, item, TVIS_OVERLAYMASK), INDEXTOOVERLAYMASK(2));
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_DROPHILITE), item);  // the state bit is the mark
    EXPECT_EQ(stateOf(tv, HTREEITEM{0x1234}, 0xFFFF), 0u);

    // An unknown mask bit fails loudly.
    set.mask = TVIF_HANDLE | 0x100;
    EXPECT_FALSE(SendMessageW(tv, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&set)));
    DestroyWindow(tv);
}

TEST_F(TreeViewTest, CallbacksAskTheParentUntilItKeepsTheAnswer) {
    const HWND tv = tree(TVS_HASBUTTONS | TVS_HASLINES);
    int asked = 0;
    bool keep = false;
    std::u16string answer = u"From parent";
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code != TVN_GETDISPINFOW) return std::nullopt;
        auto* di = reinterpret_cast<NMTVDISPINFOW*>(hdr);
        ++asked;
        if (di->item.mask & TVIF_TEXT) di->item.pszText = answer.data();
        if (di->item.mask & TVIF_IMAGE) di->item.iImage = 5;
        if (di->item.mask & TVIF_CHILDREN) di->item.cChildren = 1;
        if (keep) di->item.mask |= TVIF_DI_SETITEM;
        return 0;
    };
    TVINSERTSTRUCTW ins;
    ins.hParent = TVI_ROOT;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_CHILDREN;
    ins.item.pszText = LPSTR_TEXTCALLBACKW;
    ins.item.iImage = I_IMAGECALLBACK;
    ins.item.cChildren = I_CHILDRENCALLBACK;
    const auto item = HTREEITEM(static_cast<std::uint32_t>(
        SendMessageW(tv, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins))));
    EXPECT_EQ(textOf(tv, item), u"From parent");
    TVITEMW it;
    it.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_CHILDREN;
    it.hItem = item;
    SendMessageW(tv, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    EXPECT_EQ(it.iImage, 5);
    EXPECT_EQ(it.cChildren, 1);
    // A callback child count gives the item a button: it expands though it has no items yet.
    EXPECT_TRUE(expand(tv, item, TVE_EXPAND));

    keep = true;
    EXPECT_EQ(textOf(tv, item), u"From parent");
    answer = u"Changed";
    const int before = asked;
    EXPECT_EQ(textOf(tv, item), u"From parent");  // kept: not asked again
    EXPECT_EQ(asked, before);
    DestroyWindow(tv);
}

TEST_F(TreeViewTest, EveryNavigationCodeGivesTheWindowsAnswer) {
    const HWND tv = tree(TVS_HASLINES, 300, 60);
    const HTREEITEM a = add(tv, TVI_ROOT, u"a");
    const HTREEITEM a1 = add(tv, a, u"a1");
    const HTREEITEM a2 = add(tv, a, u"a2");
    const HTREEITEM a21 = add(tv, a2, u"a21");
    const HTREEITEM b = add(tv, TVI_ROOT, u"b");
    const HTREEITEM b1 = add(tv, b, u"b1");
    expand(tv, a, TVE_EXPAND);
    struct Case {
        HTREEITEM from;
        UINT code;
        HTREEITEM want;
    };
    const Case cases[] = {
        {HTREEITEM{}, TVGN_ROOT, a},
        {a, TVGN_NEXT, b},
        {b, TVGN_NEXT, HTREEITEM{}},
        {b, TVGN_PREVIOUS, a},
        {a2, TVGN_PREVIOUS, a1},
        {a21, TVGN_PARENT, a2},
        {a, TVGN_PARENT, HTREEITEM{}},
        {a, TVGN_CHILD, a1},
        {HTREEITEM{}, TVGN_CHILD, a},  // no item: the first at the root
        {a1, TVGN_CHILD, HTREEITEM{}},
        {HTREEITEM{}, TVGN_FIRSTVISIBLE, a},
        {a, TVGN_NEXTVISIBLE, a1},
        {a2, TVGN_NEXTVISIBLE, b},  // a2 is closed: its child does not show
        {b, TVGN_NEXTVISIBLE, HTREEITEM{}},
        {b, TVGN_PREVIOUSVISIBLE, a2},
        {a, TVGN_PREVIOUSVISIBLE, HTREEITEM{}},
        {a21, TVGN_NEXTVISIBLE, HTREEITEM{}},  // hidden items have no visible neighbours
        {b1, TVGN_PREVIOUSVISIBLE, HTREEITEM{}},
        {HTREEITEM{}, TVGN_LASTVISIBLE, b},
        {HTREEITEM{}, TVGN_CARET, HTREEITEM{}},
        {HTREEITEM{}, TVGN_DROPHILITE, HTREEITEM{}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(next(tv, c.from, c.code), c.want)
            << "code " << c.code << " from " << c.from.value;
    select(tv, a21);
    select(tv, b1, TVGN_DROPHILITE);
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), a21);
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_DROPHILITE), b1);
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_LASTVISIBLE), b);
    // The window shows three rows; the first shown moved down to keep the selection in view.
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_FIRSTVISIBLE), a1);
    EXPECT_EQ(next(tv, HTREEITEM{}, 0x55), HTREEITEM{});  // an unknown code fails
    DestroyWindow(tv);
}

TEST_F(TreeViewTest, DeletingSendsChildrenBeforeParentsAndMovesTheSelectionAsWindows) {
    const HWND tv = tree(0);
    const HTREEITEM a = add(tv, TVI_ROOT, u"a");
    const HTREEITEM a1 = add(tv, a, u"a1");
    const HTREEITEM a11 = add(tv, a1, u"a11");
    const HTREEITEM a2 = add(tv, a, u"a2");
    const HTREEITEM b = add(tv, TVI_ROOT, u"b");
    const HTREEITEM c = add(tv, TVI_ROOT, u"c");

    // The selected item goes: the next sibling takes the selection.
    select(tv, a11);
    heard.clear();
    EXPECT_TRUE(SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(a.value)));
    EXPECT_EQ(heardOf({TVN_DELETEITEMW}), (std::vector<Heard>{{TVN_DELETEITEMW, a11},
                                                              {TVN_DELETEITEMW, a1},
                                                              {TVN_DELETEITEMW, a2},
                                                              {TVN_DELETEITEMW, a}}));
    EXPECT_EQ(heardOf({TVN_SELCHANGINGW, TVN_SELCHANGEDW}),
              (std::vector<Heard>{{TVN_SELCHANGINGW, HTREEITEM{}, b, TVC_UNKNOWN},
                                  {TVN_SELCHANGEDW, HTREEITEM{}, b, TVC_UNKNOWN}}));
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), b);
    EXPECT_EQ(SendMessageW(tv, TVM_GETCOUNT, 0, 0), 2);

    // A child without a next sibling: the parent; the last item at the root: the previous.
    const HTREEITEM c1 = add(tv, c, u"c1");
    select(tv, c1);
    SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(c1.value));
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), c);
    SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(c.value));
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), b);

    // TVI_ROOT (or null) deletes all, with a notification each and no new selection.
    add(tv, b, u"b1");
    heard.clear();
    EXPECT_TRUE(SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(TVI_ROOT.value)));
    EXPECT_EQ(codes(), (std::vector<UINT>{TVN_DELETEITEMW, TVN_DELETEITEMW}));
    EXPECT_EQ(SendMessageW(tv, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), HTREEITEM{});
    add(tv, TVI_ROOT, u"z");
    EXPECT_TRUE(SendMessageW(tv, TVM_DELETEITEM, 0, 0));
    EXPECT_EQ(SendMessageW(tv, TVM_GETCOUNT, 0, 0), 0);
    DestroyWindow(tv);
}

TEST_F(TreeViewTest, HandlersOfTvnDeleteItemCanReadButNotDisturbTheDeletion) {
    const HWND tv = tree(TVS_HASBUTTONS);
    const HTREEITEM a = add(tv, TVI_ROOT, u"a");
    const HTREEITEM a1 = add(tv, a, u"a1");
    add(tv, a1, u"a11");
    const HTREEITEM a2 = add(tv, a, u"a2");
    const HTREEITEM b = add(tv, TVI_ROOT, u"b");
    std::vector<std::u16string> read;
    int refused = 0;
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code != TVN_DELETEITEMW) return std::nullopt;
        const HTREEITEM going = reinterpret_cast<NMTREEVIEWW*>(hdr)->itemOld.hItem;
        read.push_back(textOf(tv, going));
        // Each of these would break the walk; all are refused while the items go.
        refused += !SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(a2.value));
        refused += !SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(a.value));
        refused += !select(tv, a2);
        refused += !add(tv, going, u"late child");
        refused += !add(tv, TVI_ROOT, u"late sibling", a);
        refused += !expand(tv, a, TVE_COLLAPSE | TVE_COLLAPSERESET);
        return 0;
    };
    EXPECT_TRUE(SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(a.value)));
    EXPECT_EQ(read, (std::vector<std::u16string>{u"a11", u"a1", u"a2", u"a"}));
    EXPECT_EQ(refused, 4 * 6);
    EXPECT_EQ(children(tv, TVI_ROOT), (std::vector<std::u16string>{u"b"}));
    EXPECT_EQ(SendMessageW(tv, TVM_GETCOUNT, 0, 0), 1);
    // A handler that destroys the tree part way through.
    add(tv, b, u"b1");
    add(tv, b, u"b2");
    int heardDeletes = 0;
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == TVN_DELETEITEMW && ++heardDeletes == 1) DestroyWindow(tv);
        return std::nullopt;
    };
    SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(b.value));
    EXPECT_FALSE(IsWindow(tv));
    EXPECT_GE(heardDeletes, 1);
}

TEST_F(TreeViewTest, StaleAndForeignHandlesFailEveryCall) {
    const HWND tv = tree(TVS_HASBUTTONS);
    const HWND other = tree(0);
    const HTREEITEM gone = add(tv, TVI_ROOT, u"gone");
    const HTREEITEM foreign = add(other, TVI_ROOT, u"foreign");
    SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(gone.value));
    // The slot is used again, under another handle.
    const HTREEITEM fresh = add(tv, TVI_ROOT, u"fresh");
    EXPECT_NE(fresh, gone);
    for (const HTREEITEM bad : {gone, foreign, HTREEITEM{0xFFFFF}, HTREEITEM{0x12345678}}) {
        EXPECT_EQ(textOf(tv, bad), u"<fail>");
        TVITEMW it;
        it.mask = TVIF_HANDLE | TVIF_PARAM;
        it.hItem = bad;
        EXPECT_FALSE(SendMessageW(tv, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it)));
        EXPECT_FALSE(SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(bad.value)));
        EXPECT_FALSE(expand(tv, bad, TVE_EXPAND));
        EXPECT_FALSE(select(tv, bad));
        EXPECT_FALSE(next(tv, bad, TVGN_NEXT));
        EXPECT_FALSE(next(tv, bad, TVGN_NEXTVISIBLE));
        EXPECT_FALSE(add(tv, bad, u"child"));
        EXPECT_EQ(rectOf(tv, bad).left, -1);
        EXPECT_FALSE(SendMessageW(tv, TVM_ENSUREVISIBLE, 0, static_cast<LPARAM>(bad.value)));
        EXPECT_FALSE(SendMessageW(tv, TVM_EDITLABELW, 0, static_cast<LPARAM>(bad.value)));
        EXPECT_FALSE(SendMessageW(tv, TVM_CREATEDRAGIMAGE, 0, static_cast<LPARAM>(bad.value)));
    }
    EXPECT_EQ(textOf(other, foreign), u"foreign");
    EXPECT_EQ(SendMessageW(tv, TVM_GETCOUNT, 0, 0), 1);
    DestroyWindow(other);
    DestroyWindow(tv);
}

TEST_F(TreeViewTest, ExpandNotifiesUntilExpandedOnceAndTheParentMayRefuse) {
    const HWND tv = tree(TVS_HASBUTTONS);
    const HTREEITEM a = add(tv, TVI_ROOT, u"a");
    const HTREEITEM a1 = add(tv, a, u"a1");
    const HTREEITEM leaf = add(tv, TVI_ROOT, u"leaf");
    bool refuse = true;
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == TVN_ITEMEXPANDINGW) return refuse ? 1 : 0;
        return std::nullopt;
    };
    EXPECT_FALSE(expand(tv, a, TVE_EXPAND));  // refused
    EXPECT_EQ(stateOf(tv, a, TVIS_EXPANDED | TVIS_EXPANDEDONCE), 0u);
    refuse = false;
    heard.clear();
    EXPECT_TRUE(expand(tv, a, TVE_EXPAND));
    EXPECT_EQ(heard, (std::vector<Heard>{{TVN_ITEMEXPANDINGW, {}, a, TVE_EXPAND},
                                         {TVN_ITEMEXPANDEDW, {}, a, TVE_EXPAND}}));
    EXPECT_EQ(stateOf(tv, a, TVIS_EXPANDED | TVIS_EXPANDEDONCE), TVIS_EXPANDED | TVIS_EXPANDEDONCE);
    struct Step {
        HTREEITEM item;
        UINT code;
        LRESULT result;
        bool expandedAfter;
    };
    // Documented answers: expanding an open item succeeds, collapsing a closed one fails, and
    // an item without children fails either way. Once expanded, TVM_EXPAND notifies no more.
    const Step steps[] = {
        {a, TVE_EXPAND, TRUE, true},        {a, TVE_COLLAPSE, TRUE, false},
        {a, TVE_COLLAPSE, FALSE, false},    {a, TVE_TOGGLE, TRUE, true},
        {a, TVE_TOGGLE, TRUE, false},       {leaf, TVE_EXPAND, FALSE, false},
        {leaf, TVE_COLLAPSE, FALSE, false},
    };
    heard.clear();
    refuse = true;  // not asked, so it cannot refuse
    for (const Step& s : steps) {
        EXPECT_EQ(expand(tv, s.item, s.code), s.result) << s.item.value << " " << s.code;
        EXPECT_EQ(stateOf(tv, s.item, TVIS_EXPANDED) != 0, s.expandedAfter);
    }
    EXPECT_TRUE(heard.empty());
    // TVE_COLLAPSERESET removes the children and the expanded-once flag.
    refuse = false;
    expand(tv, a, TVE_EXPAND);
    EXPECT_TRUE(expand(tv, a, TVE_COLLAPSE | TVE_COLLAPSERESET));
    EXPECT_EQ(codes({TVN_DELETEITEMW}).size(), 1u);
    EXPECT_EQ(textOf(tv, a1), u"<fail>");
    EXPECT_EQ(stateOf(tv, a, TVIS_EXPANDEDONCE), 0u);
    EXPECT_FALSE(expand(tv, a, TVE_EXPAND | TVE_COLLAPSERESET));  // reset needs collapse
    DestroyWindow(tv);
}

TEST_F(TreeViewTest, HandlersThatDeleteTheItemBeingExpandedAreSafe) {
    const HWND tv = tree(TVS_HASBUTTONS);
    HTREEITEM a = add(tv, TVI_ROOT, u"a");
    add(tv, a, u"a1");
    UINT when = TVN_ITEMEXPANDINGW;
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == when) {
            const auto* nm = reinterpret_cast<NMTREEVIEWW*>(hdr);
            SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(nm->itemNew.hItem.value));
        }
        return std::nullopt;
    };
    EXPECT_FALSE(expand(tv, a, TVE_EXPAND));
    EXPECT_EQ(SendMessageW(tv, TVM_GETCOUNT, 0, 0), 0);
    a = add(tv, TVI_ROOT, u"a");
    add(tv, a, u"a1");
    when = TVN_ITEMEXPANDEDW;
    expand(tv, a, TVE_EXPAND);
    EXPECT_EQ(SendMessageW(tv, TVM_GETCOUNT, 0, 0), 0);
    UpdateWindow(tv);
    // A handler that destroys the tree while it expands.
    a = add(tv, TVI_ROOT, u"a");
    add(tv, a, u"a1");
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == TVN_ITEMEXPANDINGW) DestroyWindow(tv);
        return std::nullopt;
    };
    EXPECT_FALSE(expand(tv, a, TVE_EXPAND));
    EXPECT_FALSE(IsWindow(tv));
}

TEST_F(TreeViewTest, SelectingNotifiesExpandsTheAncestorsAndMayBeRefused) {
    const HWND tv = tree(TVS_HASBUTTONS, 300, 60);
    const HTREEITEM a = add(tv, TVI_ROOT, u"a");
    const HTREEITEM a1 = add(tv, a, u"a1");
    const HTREEITEM a11 = add(tv, a1, u"a11");
    const HTREEITEM b = add(tv, TVI_ROOT, u"b");
    heard.clear();
    EXPECT_TRUE(select(tv, a11));
    EXPECT_EQ(heardOf({TVN_SELCHANGINGW, TVN_SELCHANGEDW, TVN_ITEMEXPANDINGW}),
              (std::vector<Heard>{{TVN_SELCHANGINGW, {}, a11, TVC_UNKNOWN},
                                  {TVN_ITEMEXPANDINGW, {}, a, TVE_EXPAND},
                                  {TVN_ITEMEXPANDINGW, {}, a1, TVE_EXPAND},
                                  {TVN_SELCHANGEDW, {}, a11, TVC_UNKNOWN}}));
    EXPECT_EQ(stateOf(tv, a11, TVIS_SELECTED), TVIS_SELECTED);
    EXPECT_EQ(stateOf(tv, a1, TVIS_EXPANDED), TVIS_EXPANDED);
    // Refused: nothing changes.
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == TVN_SELCHANGINGW) return 1;
        return std::nullopt;
    };
    EXPECT_FALSE(select(tv, b));
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), a11);
    hook = nullptr;
    // Collapsing an ancestor moves the selection to it.
    heard.clear();
    expand(tv, a, TVE_COLLAPSE);
    EXPECT_EQ(heardOf({TVN_SELCHANGEDW}),
              (std::vector<Heard>{{TVN_SELCHANGEDW, a11, a, TVC_UNKNOWN}}));
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), a);
    // TVGN_FIRSTVISIBLE scrolls the item to the top (as far as the rows allow).
    expand(tv, a, TVE_EXPAND);
    EXPECT_TRUE(select(tv, a1, TVGN_FIRSTVISIBLE));
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_FIRSTVISIBLE), a1);
    EXPECT_TRUE(select(tv, HTREEITEM{}));  // nothing selected
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), HTREEITEM{});
    DestroyWindow(tv);
}

TEST_F(TreeViewTest, SingleExpandFoldsTheOldBranchAndOpensTheNewUnlessTold) {
    const HWND tv = tree(TVS_HASBUTTONS | TVS_SINGLEEXPAND);
    const HTREEITEM a = add(tv, TVI_ROOT, u"a");
    add(tv, a, u"a1");
    const HTREEITEM b = add(tv, TVI_ROOT, u"b");
    add(tv, b, u"b1");
    select(tv, a);
    EXPECT_EQ(stateOf(tv, a, TVIS_EXPANDED), TVIS_EXPANDED);
    heard.clear();
    select(tv, b);
    EXPECT_EQ(heardOf({TVN_SINGLEEXPAND}),
              (std::vector<Heard>{{TVN_SINGLEEXPAND, a, b, TVC_UNKNOWN}}));
    EXPECT_EQ(stateOf(tv, a, TVIS_EXPANDED), 0u);
    EXPECT_EQ(stateOf(tv, b, TVIS_EXPANDED), TVIS_EXPANDED);
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == TVN_SINGLEEXPAND) return TVNRET_SKIPOLD | TVNRET_SKIPNEW;
        return std::nullopt;
    };
    select(tv, a);
    EXPECT_EQ(stateOf(tv, a, TVIS_EXPANDED), 0u);
    EXPECT_EQ(stateOf(tv, b, TVIS_EXPANDED), TVIS_EXPANDED);
    SendMessageW(tv, TVM_SELECTITEM, TVGN_CARET | TVSI_NOSINGLEEXPAND,
                 static_cast<LPARAM>(b.value));
    EXPECT_EQ(codes({TVN_SINGLEEXPAND}).size(), 2u);  // not asked for the last one
    DestroyWindow(tv);
}

int byParamDescending(LPARAM a, LPARAM b, LPARAM sign) {
    return static_cast<int>((b - a) * sign);
}

TEST_F(TreeViewTest, SortingByTextByCallbackAndWithHostileCallbacks) {
    const HWND tv = tree(0);
    const HTREEITEM top = add(tv, TVI_ROOT, u"top");
    for (const char16_t* t : {u"pear", u"Apple", u"banana", u"apricot"})
        add(tv, top, t);
    const HTREEITEM sub = next(tv, top, TVGN_CHILD);
    add(tv, sub, u"z");
    add(tv, sub, u"Y");
    EXPECT_TRUE(SendMessageW(tv, TVM_SORTCHILDREN, FALSE, static_cast<LPARAM>(top.value)));
    EXPECT_EQ(children(tv, top), (Labels{u"Apple", u"apricot", u"banana", u"pear"}));
    EXPECT_EQ(children(tv, sub), (Labels{u"z", u"Y"}));  // not recursive
    EXPECT_TRUE(SendMessageW(tv, TVM_SORTCHILDREN, TRUE, static_cast<LPARAM>(top.value)));
    EXPECT_EQ(children(tv, sub), (Labels{u"Y", u"z"}));

    // The caller's comparison sees lParams.
    int k = 0;
    for (HTREEITEM c = next(tv, top, TVGN_CHILD); c; c = next(tv, c, TVGN_NEXT)) {
        TVITEMW it;
        it.mask = TVIF_HANDLE | TVIF_PARAM;
        it.hItem = c;
        it.lParam = ++k;
        SendMessageW(tv, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    }
    TVSORTCB sort;
    sort.hParent = top;
    sort.lpfnCompare = byParamDescending;
    sort.lParam = 1;
    EXPECT_TRUE(SendMessageW(tv, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort)));
    EXPECT_EQ(children(tv, top), (Labels{u"pear", u"banana", u"apricot", u"Apple"}));

    // A comparison that contradicts itself, then one that deletes items as it goes.
    static int calls;
    calls = 0;
    sort.lpfnCompare = [](LPARAM, LPARAM, LPARAM) -> int { return (calls++ % 3) - 1; };
    EXPECT_TRUE(SendMessageW(tv, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort)));
    EXPECT_EQ(children(tv, top).size(), 4u);
    static HWND g_tree;
    static HTREEITEM g_top;
    g_tree = tv;
    g_top = top;
    sort.lpfnCompare = [](LPARAM, LPARAM, LPARAM) -> int {
        const auto first = HTREEITEM(static_cast<std::uint32_t>(
            SendMessageW(g_tree, TVM_GETNEXTITEM, TVGN_CHILD, static_cast<LPARAM>(g_top.value))));
        if (first) SendMessageW(g_tree, TVM_DELETEITEM, 0, static_cast<LPARAM>(first.value));
        return 1;
    };
    EXPECT_TRUE(SendMessageW(tv, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort)));
    EXPECT_LT(children(tv, top).size(), 4u);
    sort.lpfnCompare = nullptr;
    EXPECT_FALSE(SendMessageW(tv, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort)));
    DestroyWindow(tv);
}

TEST_F(TreeViewTest, AChainAHundredThousandDeepIsInsertedExpandedPaintedAndDeleted) {
    const HWND tv = tree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 300, 200);
    constexpr int kDepth = 100000;
    std::vector<HTREEITEM> chain;
    chain.reserve(kDepth);
    HTREEITEM parent = TVI_ROOT;
    for (int i = 0; i < kDepth; ++i) {
        parent = add(tv, parent, u"level");
        ASSERT_TRUE(parent);
        chain.push_back(parent);
    }
    // Expanding the top with '*' opens every level, one loop and no recursion.
    select(tv, chain.front());
    SetFocus(tv);
    Screen::KeyPress(VK_MULTIPLY);
    Screen::PumpMessages();
    EXPECT_EQ(stateOf(tv, chain[kDepth - 2], TVIS_EXPANDED), TVIS_EXPANDED);
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_LASTVISIBLE), chain.back());
    UpdateWindow(tv);
    // The deepest item shown and painted: its row is the last.
    EXPECT_TRUE(select(tv, chain.back()));
    UpdateWindow(tv);
    const RECT r = rectOf(tv, chain.back(), false);
    EXPECT_GT(r.bottom, 0);
    EXPECT_LE(r.bottom, 200);
    EXPECT_EQ(next(tv, chain.back(), TVGN_PREVIOUSVISIBLE), chain[kDepth - 2]);
    heard.clear();
    EXPECT_TRUE(SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(chain.front().value)));
    EXPECT_EQ(codes({TVN_DELETEITEMW}).size(), static_cast<std::size_t>(kDepth));
    EXPECT_EQ(heardOf({TVN_DELETEITEMW}).front().oldItem, chain.back());  // deepest first
    EXPECT_EQ(SendMessageW(tv, TVM_GETCOUNT, 0, 0), 0);
    UpdateWindow(tv);
    DestroyWindow(tv);
}

TEST_F(TreeViewTest, BigTreesMadeAndDestroyedTenTimesLeaveNothingAlive) {
    const DWORD gdi = Screen::LiveGdiObjects(), user = Screen::LiveUserObjects();
    for (int round = 0; round < 10; ++round) {
        const HWND tv = tree(TVS_HASBUTTONS | TVS_HASLINES | TVS_CHECKBOXES | TVS_LINESATROOT);
        SendMessageW(tv, WM_SETFONT, 0, FALSE);
        for (int p = 0; p < 1000; ++p) {
            const HTREEITEM parent = add(tv, TVI_ROOT, u"parent");
            for (int c = 0; c < 99; ++c)
                add(tv, parent, u"child");
            if (p < 3) expand(tv, parent, TVE_EXPAND);
        }
        EXPECT_EQ(SendMessageW(tv, TVM_GETCOUNT, 0, 0), 100000);
        UpdateWindow(tv);
        // Bold and underlined fonts, a drag image and the edit box come and go too.
        TVITEMW it;
        it.mask = TVIF_HANDLE | TVIF_STATE;
        it.hItem = next(tv, HTREEITEM{}, TVGN_ROOT);
        it.state = it.stateMask = TVIS_BOLD;
        SendMessageW(tv, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
        UpdateWindow(tv);
        const auto drag = HIMAGELIST(static_cast<std::uint32_t>(
            SendMessageW(tv, TVM_CREATEDRAGIMAGE, 0, static_cast<LPARAM>(it.hItem.value))));
        EXPECT_TRUE(drag);
        ImageList_Destroy(drag);
        DestroyWindow(tv);
        Screen::PumpMessages();
    }
    EXPECT_EQ(Screen::LiveGdiObjects(), gdi);
    EXPECT_EQ(Screen::LiveUserObjects(), user);
}

}  // namespace
}  // namespace orvane::platform::test
