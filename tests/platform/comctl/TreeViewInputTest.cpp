// The tree view with the mouse, the keyboard and the screen: hit-test flags at each part of a
// row, clicks and keys with their notification order, check boxes, label editing (accepted,
// refused, cancelled, the tree destroyed in the handler), drags, scrolling, custom draw stages,
// tips, and the look by pixel probes with and without visual styles.
#include "TreeViewFixture.h"

namespace orvane::platform::test {
namespace {

using namespace trees;

class TreeViewInputTest : public TreeViewFixture {
protected:
    // Three items at the root, the first with two children: "a" (a1, a2), "b", "c".
    struct Small {
        HTREEITEM a, a1, a2, b, c;
    };
    Small small(HWND tv) {
        Small s;
        s.a = add(tv, TVI_ROOT, u"a");
        s.a1 = add(tv, s.a, u"a1");
        s.a2 = add(tv, s.a, u"a2");
        s.b = add(tv, TVI_ROOT, u"b");
        s.c = add(tv, TVI_ROOT, u"c");
        return s;
    }
};

TEST_F(TreeViewInputTest, HitTestNamesEveryPartOfARow) {
    const HWND tv = tree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_CHECKBOXES);
    const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 2, 0);
    ImageList_SetImageCount(images, 2);
    SendMessageW(tv, TVM_SETIMAGELIST, TVSIL_NORMAL, static_cast<LPARAM>(images.value));
    const Small s = small(tv);
    expand(tv, s.a, TVE_EXPAND);
    const int indent = static_cast<int>(SendMessageW(tv, TVM_GETINDENT, 0, 0));
    const int h = static_cast<int>(SendMessageW(tv, TVM_GETITEMHEIGHT, 0, 0));
    const RECT label = rectOf(tv, s.a1);
    // a1 sits at level 1 with lines at the root: its button column is the second indent.
    const int y = h + h / 2;
    struct Case {
        int x, y;
        UINT flags;
        HTREEITEM item;
    };
    const Case cases[] = {
        {indent / 2, h / 2, TVHT_ONITEMBUTTON, s.a},  // a has children
        {indent / 2, y, TVHT_ONITEMINDENT, s.a1},
        {indent + indent / 2, y, TVHT_ONITEMINDENT, s.a1},  // a1 has no children: no button
        {2 * indent + 4, y, TVHT_ONITEMSTATEICON, s.a1},
        {2 * indent + 16 + 4, y, TVHT_ONITEMICON, s.a1},
        {label.left + 2, y, TVHT_ONITEMLABEL, s.a1},
        {label.right + 5, y, TVHT_ONITEMRIGHT, s.a1},
        {10, 5 * h + 2, TVHT_NOWHERE, HTREEITEM{}},  // below the last row
        {10, -3, TVHT_ABOVE, HTREEITEM{}},
        {10, 500, TVHT_BELOW, HTREEITEM{}},
        {-4, 10, TVHT_TOLEFT, HTREEITEM{}},
        {400, 10, TVHT_TORIGHT, HTREEITEM{}},
        {400, 500, TVHT_TORIGHT | TVHT_BELOW, HTREEITEM{}},
    };
    for (const Case& c : cases) {
        const TVHITTESTINFO info = hit(tv, c.x, c.y);
        EXPECT_EQ(info.flags, c.flags) << c.x << "," << c.y;
        EXPECT_EQ(info.hItem, c.item) << c.x << "," << c.y;
    }
    EXPECT_EQ(label.left, 2 * indent + 32);
    DestroyWindow(tv);
    ImageList_Destroy(images);
}

TEST_F(TreeViewInputTest, ClicksSelectAndToggleWithTheNotificationsInOrder) {
    const HWND tv = tree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
    const Small s = small(tv);
    heard.clear();
    clickLabel(tv, s.b);
    EXPECT_EQ(codes({NM_CLICK, TVN_SELCHANGINGW, TVN_SELCHANGEDW, NM_SETFOCUS}),
              (std::vector<UINT>{NM_SETFOCUS, NM_CLICK, TVN_SELCHANGINGW, TVN_SELCHANGEDW}));
    EXPECT_EQ(heardOf({TVN_SELCHANGEDW}).front(), (Heard{TVN_SELCHANGEDW, {}, s.b, TVC_BYMOUSE}));
    // The button toggles; the selection stays.
    const int indent = static_cast<int>(SendMessageW(tv, TVM_GETINDENT, 0, 0));
    const RECT row = rectOf(tv, s.a, false);
    heard.clear();
    clickAt(tv, indent / 2, (row.top + row.bottom) / 2);
    EXPECT_EQ(codes(), (std::vector<UINT>{NM_CLICK, TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}));
    EXPECT_EQ(stateOf(tv, s.a, TVIS_EXPANDED), TVIS_EXPANDED);
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), s.b);
    // A double click on a label sends NM_DBLCLK and toggles.
    const RECT label = rectOf(tv, s.a);
    const POINT p = Screen::ClientToScreenPoint(tv, label.left + 3, (label.top + label.bottom) / 2);
    heard.clear();
    Screen::DoubleClick(p.x, p.y);
    Screen::PumpMessages();
    EXPECT_EQ(codes({NM_DBLCLK, TVN_ITEMEXPANDEDW}),
              (std::vector<UINT>{NM_DBLCLK, TVN_ITEMEXPANDEDW}));
    EXPECT_EQ(stateOf(tv, s.a, TVIS_EXPANDED), 0u);
    // A parent that handles NM_CLICK keeps the selection where it was.
    hook = [](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == NM_CLICK) return 1;
        return std::nullopt;
    };
    clickLabel(tv, s.c);
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), s.a);  // the double click's first press
    hook = nullptr;
    // Right click: NM_RCLICK, no selection change.
    heard.clear();
    const RECT rc = rectOf(tv, s.c);
    const POINT q = Screen::ClientToScreenPoint(tv, rc.left + 3, rc.top + 3);
    Screen::Click(q.x, q.y, testing::MouseButton::Right);
    Screen::PumpMessages();
    EXPECT_EQ(codes(), (std::vector<UINT>{NM_RCLICK}));
    DestroyWindow(tv);
}

TEST_F(TreeViewInputTest, KeysMoveFoldAndSearchAsWindows) {
    const HWND tv = tree(TVS_HASBUTTONS | TVS_LINESATROOT, 300, 60);
    const Small s = small(tv);
    const HTREEITEM a21 = add(tv, s.a2, u"deep");
    SetFocus(tv);
    struct Step {
        int vk;
        HTREEITEM caret;
        bool aOpen;
    };
    // With no selection a moving key selects the first row shown.
    const Step steps[] = {
        {VK_DOWN, s.a, false}, {VK_RIGHT, s.a, true},    {VK_RIGHT, s.a1, true},
        {VK_DOWN, s.a2, true}, {VK_BACK, s.a, true},     {VK_LEFT, s.a, false},
        {VK_DOWN, s.b, false}, {VK_END, s.c, false},     {VK_HOME, s.a, false},
        {VK_ADD, s.a, true},   {VK_NEXT, s.a2, true},    {VK_SUBTRACT, s.a2, true},
        {VK_LEFT, s.a, true},  {VK_MULTIPLY, s.a, true},
    };
    for (const Step& st : steps) {
        Screen::KeyPress(st.vk);
        Screen::PumpMessages();
        EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), st.caret) << "key " << st.vk;
        EXPECT_EQ(stateOf(tv, s.a, TVIS_EXPANDED) != 0, st.aOpen) << "key " << st.vk;
    }
    EXPECT_EQ(stateOf(tv, s.a2, TVIS_EXPANDED), TVIS_EXPANDED);  // '*' opened all below
    EXPECT_EQ(heardOf({TVN_SELCHANGEDW}).back().action, TVC_BYKEYBOARD);
    EXPECT_EQ(codes({TVN_KEYDOWN}).size(), std::size(steps));

    // Ctrl with arrows scrolls without moving the selection.
    const HTREEITEM top = next(tv, HTREEITEM{}, TVGN_FIRSTVISIBLE);
    Screen::KeyDown(VK_CONTROL);
    Screen::KeyPress(VK_DOWN);
    Screen::KeyUp(VK_CONTROL);
    Screen::PumpMessages();
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), s.a);
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_FIRSTVISIBLE), next(tv, top, TVGN_NEXTVISIBLE));

    // Type-ahead: "de" finds "deep"; the search text is readable until it times out.
    Screen::TypeText(u"de");
    Screen::PumpMessages();
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), a21);
    char16_t search[20] = {};
    EXPECT_EQ(SendMessageW(tv, TVM_GETISEARCHSTRINGW, 0, reinterpret_cast<LPARAM>(search)), 2);
    EXPECT_EQ(std::u16string(search), u"de");
    platform->AdvanceTime(1500);
    EXPECT_EQ(SendMessageW(tv, TVM_GETISEARCHSTRINGW, 0, reinterpret_cast<LPARAM>(search)), 0);
    Screen::TypeText(u"b");
    Screen::PumpMessages();
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), s.b);
    heard.clear();
    Screen::KeyPress(VK_RETURN);
    Screen::PumpMessages();
    EXPECT_EQ(codes({NM_RETURN}).size(), 1u);
    DestroyWindow(tv);
}

TEST_F(TreeViewInputTest, CheckBoxesCycleByClickAndSpaceAfterNmClick) {
    const HWND tv = tree(TVS_CHECKBOXES | TVS_HASBUTTONS | TVS_LINESATROOT);
    const Small s = small(tv);
    EXPECT_EQ(stateOf(tv, s.b, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    const auto list =
        HIMAGELIST(static_cast<std::uint32_t>(SendMessageW(tv, TVM_GETIMAGELIST, TVSIL_STATE, 0)));
    EXPECT_EQ(ImageList_GetImageCount(list), 3);  // blank, unchecked, checked
    UINT atClick = 0;
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == NM_CLICK) atClick = stateOf(tv, s.b, TVIS_STATEIMAGEMASK);
        return std::nullopt;
    };
    const int indent = static_cast<int>(SendMessageW(tv, TVM_GETINDENT, 0, 0));
    const RECT row = rectOf(tv, s.b, false);
    clickAt(tv, indent + 6, (row.top + row.bottom) / 2);
    EXPECT_EQ(atClick, INDEXTOSTATEIMAGEMASK(1));  // the parent saw the state before the toggle
    EXPECT_EQ(stateOf(tv, s.b, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), HTREEITEM{});  // the box does not select
    select(tv, s.b);
    SetFocus(tv);
    Screen::KeyPress(VK_SPACE);
    Screen::PumpMessages();
    EXPECT_EQ(stateOf(tv, s.b, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    // An application's state list of four images cycles 1, 2, 3, 1.
    const HIMAGELIST own = ImageList_Create(16, 16, ILC_COLOR32, 4, 0);
    ImageList_SetImageCount(own, 4);
    SendMessageW(tv, TVM_SETIMAGELIST, TVSIL_STATE, static_cast<LPARAM>(own.value));
    std::vector<UINT> seen;
    for (int k = 0; k < 3; ++k) {
        Screen::KeyPress(VK_SPACE);
        Screen::PumpMessages();
        seen.push_back(stateOf(tv, s.b, TVIS_STATEIMAGEMASK) >> 12);
    }
    EXPECT_EQ(seen, (std::vector<UINT>{2, 3, 1}));
    DestroyWindow(tv);
    ImageList_Destroy(own);
}

// State changes are offered to the parent before and told after: by the check box, the space bar
// and TVM_SETITEMW; a refusal keeps the state, and a parent deleting the item stops the change.
TEST_F(TreeViewInputTest, StateChangesAreAskedForAndToldAndMayBeRefused) {
    const HWND tv = tree(TVS_CHECKBOXES | TVS_HASBUTTONS | TVS_LINESATROOT);
    const Small s = small(tv);
    heard.clear();
    const int indent = static_cast<int>(SendMessageW(tv, TVM_GETINDENT, 0, 0));
    const RECT row = rectOf(tv, s.b, false);
    clickAt(tv, indent + 6, (row.top + row.bottom) / 2);
    // Unchecked (1) to checked (2), after NM_CLICK.
    EXPECT_EQ(heardOf({NM_CLICK, TVN_ITEMCHANGINGW, TVN_ITEMCHANGEDW}),
              (std::vector<Heard>{Heard(NM_CLICK), Heard(TVN_ITEMCHANGINGW, {}, s.b, 0x21),
                                  Heard(TVN_ITEMCHANGEDW, {}, s.b, 0x21)}));
    heard.clear();
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == TVN_ITEMCHANGINGW) return TRUE;
        return std::nullopt;
    };
    select(tv, s.b);
    SetFocus(tv);
    Screen::KeyPress(VK_SPACE);
    Screen::PumpMessages();
    EXPECT_EQ(stateOf(tv, s.b, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
    EXPECT_EQ(codes({TVN_ITEMCHANGINGW, TVN_ITEMCHANGEDW}), std::vector<UINT>{TVN_ITEMCHANGINGW});
    // A refused TVM_SETITEMW still sets the other parts; one that changes no state asks nothing.
    TVITEMW it;
    it.mask = TVIF_STATE | TVIF_PARAM | TVIF_HANDLE;
    it.hItem = s.b;
    it.stateMask = TVIS_BOLD;
    it.state = TVIS_BOLD;
    it.lParam = 77;
    heard.clear();
    EXPECT_TRUE(SendMessageW(tv, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it)));
    EXPECT_EQ(stateOf(tv, s.b, TVIS_BOLD), 0u);
    hook = nullptr;
    EXPECT_TRUE(SendMessageW(tv, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it)));
    EXPECT_EQ(stateOf(tv, s.b, TVIS_BOLD), static_cast<UINT>(TVIS_BOLD));
    EXPECT_TRUE(SendMessageW(tv, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it)));
    EXPECT_EQ(codes({TVN_ITEMCHANGINGW, TVN_ITEMCHANGEDW}),
              (std::vector<UINT>{TVN_ITEMCHANGINGW, TVN_ITEMCHANGINGW, TVN_ITEMCHANGEDW}));
    // A parent that deletes the item while asked: the change is dropped, nothing breaks.
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == TVN_ITEMCHANGINGW)
            SendMessageW(tv, TVM_DELETEITEM, 0, static_cast<LPARAM>(s.b.value));
        return std::nullopt;
    };
    it.state = 0;
    EXPECT_FALSE(SendMessageW(tv, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it)));
    EXPECT_EQ(textOf(tv, s.b), u"<fail>");
    hook = nullptr;
    DestroyWindow(tv);
}

TEST_F(TreeViewInputTest, LabelEditingAcceptedRefusedCancelledAndDestroyedInTheHandler) {
    const HWND tv = tree(TVS_EDITLABELS | TVS_HASBUTTONS);
    const Small s = small(tv);
    LRESULT accept = TRUE;
    bool refuseBegin = false;
    bool destroy = false;
    std::optional<std::u16string> told;
    HWND duringBegin{};
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == TVN_BEGINLABELEDITW) {
            duringBegin =
                HWND(static_cast<std::uint32_t>(SendMessageW(tv, TVM_GETEDITCONTROL, 0, 0)));
            return refuseBegin ? 1 : 0;
        }
        if (hdr->code == TVN_ENDLABELEDITW) {
            const auto* di = reinterpret_cast<NMTVDISPINFOW*>(hdr);
            told =
                di->item.pszText ? std::optional<std::u16string>(di->item.pszText) : std::nullopt;
            if (destroy) DestroyWindow(tv);
            return accept;
        }
        return std::nullopt;
    };
    // Accepted with Enter.
    auto edit = HWND(static_cast<std::uint32_t>(
        SendMessageW(tv, TVM_EDITLABELW, 0, static_cast<LPARAM>(s.b.value))));
    ASSERT_TRUE(edit);
    EXPECT_EQ(duringBegin, edit);
    EXPECT_EQ(GetFocus(), edit);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"renamed"));
    Screen::KeyPress(VK_RETURN);
    Screen::PumpMessages();
    EXPECT_EQ(told, std::optional<std::u16string>(u"renamed"));
    EXPECT_EQ(textOf(tv, s.b), u"renamed");
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_FALSE(SendMessageW(tv, TVM_GETEDITCONTROL, 0, 0));
    // Refused at the end: the text stays.
    accept = FALSE;
    edit = HWND(static_cast<std::uint32_t>(
        SendMessageW(tv, TVM_EDITLABELW, 0, static_cast<LPARAM>(s.b.value))));
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"nope"));
    EXPECT_TRUE(SendMessageW(tv, TVM_ENDEDITLABELNOW, FALSE, 0));
    EXPECT_EQ(told, std::optional<std::u16string>(u"nope"));
    EXPECT_EQ(textOf(tv, s.b), u"renamed");
    // Cancelled by Escape: the parent hears a null text.
    accept = TRUE;
    edit = HWND(static_cast<std::uint32_t>(
        SendMessageW(tv, TVM_EDITLABELW, 0, static_cast<LPARAM>(s.c.value))));
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"lost"));
    Screen::KeyPress(VK_ESCAPE);
    Screen::PumpMessages();
    EXPECT_FALSE(told.has_value());
    EXPECT_EQ(textOf(tv, s.c), u"c");
    // Refused at the start: no box.
    refuseBegin = true;
    EXPECT_FALSE(SendMessageW(tv, TVM_EDITLABELW, 0, static_cast<LPARAM>(s.c.value)));
    refuseBegin = false;
    // A click on the selected label starts an edit after the double-click time.
    select(tv, s.a);
    clickLabel(tv, s.a);
    EXPECT_FALSE(SendMessageW(tv, TVM_GETEDITCONTROL, 0, 0));
    platform->AdvanceTime(GetDoubleClickTime() + 10);
    edit = HWND(static_cast<std::uint32_t>(SendMessageW(tv, TVM_GETEDITCONTROL, 0, 0)));
    ASSERT_TRUE(edit);
    // Focus leaving accepts; the handler destroys the tree.
    destroy = true;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"last"));
    SetFocus(host);
    Screen::PumpMessages();
    EXPECT_EQ(told, std::optional<std::u16string>(u"last"));
    EXPECT_FALSE(IsWindow(tv));
    EXPECT_FALSE(IsWindow(edit));
}

TEST_F(TreeViewInputTest, DraggingPastTheThresholdAsksTheParentToDrag) {
    for (const DWORD extra : {DWORD{0}, TVS_DISABLEDRAGDROP}) {
        const HWND tv = tree(TVS_HASBUTTONS | extra);
        const Small s = small(tv);
        const RECT r = rectOf(tv, s.b);
        const int dx = GetSystemMetrics(SM_CXDRAG);
        for (const auto button : {testing::MouseButton::Left, testing::MouseButton::Right}) {
            heard.clear();
            const POINT p = Screen::ClientToScreenPoint(tv, r.left + 3, r.top + 3);
            Screen::MouseMove(p.x, p.y);
            Screen::MouseDown(button);
            Screen::MouseMove(p.x + 1, p.y);  // inside the threshold: nothing yet
            EXPECT_TRUE(heardOf({TVN_BEGINDRAGW, TVN_BEGINRDRAGW}).empty());
            Screen::MouseMove(p.x + dx + 2, p.y + 1);
            Screen::MouseUp(button);
            Screen::PumpMessages();
            const std::vector<Heard> drags = heardOf({TVN_BEGINDRAGW, TVN_BEGINRDRAGW});
            if (extra) {
                EXPECT_TRUE(drags.empty());
            } else {
                const UINT code =
                    button == testing::MouseButton::Left ? TVN_BEGINDRAGW : TVN_BEGINRDRAGW;
                EXPECT_EQ(drags, (std::vector<Heard>{{code, {}, s.b, 0}}));
            }
            // A drag is not a click: nothing selected.
            EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), HTREEITEM{});
        }
        DestroyWindow(tv);
    }
}

TEST_F(TreeViewInputTest, ScrollingByBarsWheelAndEnsureVisible) {
    const HWND tv = tree(TVS_HASBUTTONS, 200, 100);
    std::vector<HTREEITEM> items;
    for (int i = 0; i < 40; ++i)
        items.push_back(add(tv, TVI_ROOT, u"item"));
    Screen::PumpMessages();
    const int h = static_cast<int>(SendMessageW(tv, TVM_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(h % 2, 0);  // even without TVS_NONEVENHEIGHT
    RECT client;
    GetClientRect(tv, &client);
    const int page = client.bottom / h;
    EXPECT_EQ(SendMessageW(tv, TVM_GETVISIBLECOUNT, 0, 0), page);
    EXPECT_TRUE(GetWindowLongW(tv, GWL_STYLE) & WS_VSCROLL);
    auto top = [&] {
        const HTREEITEM t = next(tv, HTREEITEM{}, TVGN_FIRSTVISIBLE);
        return static_cast<int>(std::find(items.begin(), items.end(), t) - items.begin());
    };
    struct Step {
        WORD code;
        int want;
    };
    const Step steps[] = {{SB_LINEDOWN, 1},       {SB_PAGEDOWN, 1 + page},  {SB_LINEUP, page},
                          {SB_BOTTOM, 40 - page}, {SB_PAGEDOWN, 40 - page}, {SB_TOP, 0},
                          {SB_PAGEUP, 0}};
    for (const Step& st : steps) {
        SendMessageW(tv, WM_VSCROLL, st.code, 0);
        EXPECT_EQ(top(), st.want) << "code " << st.code;
    }
    SetFocus(tv);
    Screen::Wheel(-120);
    Screen::PumpMessages();
    EXPECT_EQ(top(), 3);
    EXPECT_TRUE(SendMessageW(tv, TVM_ENSUREVISIBLE, 0, static_cast<LPARAM>(items[30].value)));
    EXPECT_EQ(top(), 31 - page);
    EXPECT_FALSE(SendMessageW(tv, TVM_ENSUREVISIBLE, 0, static_cast<LPARAM>(items[30].value)));
    // Item height and indent follow the messages; odd heights round down to even.
    SendMessageW(tv, TVM_SETITEMHEIGHT, 25, 0);
    EXPECT_EQ(SendMessageW(tv, TVM_GETITEMHEIGHT, 0, 0), 24);
    SendMessageW(tv, TVM_SETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(SendMessageW(tv, TVM_GETITEMHEIGHT, 0, 0), h);
    SendMessageW(tv, TVM_SETINDENT, 40, 0);
    EXPECT_EQ(SendMessageW(tv, TVM_GETINDENT, 0, 0), 40);
    // No scroll bars with TVS_NOSCROLL.
    const HWND plain = tree(TVS_NOSCROLL, 200, 100);
    for (int i = 0; i < 40; ++i)
        add(plain, TVI_ROOT, u"a label wide enough to pass the right edge of the window");
    Screen::PumpMessages();
    UpdateWindow(plain);
    EXPECT_FALSE(GetWindowLongW(plain, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
    DestroyWindow(plain);
    DestroyWindow(tv);
}

TEST_F(TreeViewInputTest, CustomDrawStagesAndAnswers) {
    const HWND tv = tree(TVS_HASBUTTONS | TVS_LINESATROOT);
    const Small s = small(tv);
    expand(tv, s.a, TVE_EXPAND);
    Screen::PumpMessages();
    UpdateWindow(tv);
    struct Stage {
        DWORD stage;
        HTREEITEM item;
        int level;
    };
    std::vector<Stage> stages;
    LRESULT prepaint = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    LRESULT itemAnswer = CDRF_NOTIFYPOSTPAINT;
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code != NM_CUSTOMDRAW) return std::nullopt;
        auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(hdr);
        stages.push_back({cd->nmcd.dwDrawStage,
                          HTREEITEM(static_cast<std::uint32_t>(cd->nmcd.dwItemSpec)), cd->iLevel});
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return prepaint;
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            if (cd->nmcd.dwItemSpec == s.b.value) cd->clrText = RGB(255, 0, 0);
            return itemAnswer;
        }
        return 0;
    };
    InvalidateRect(tv, nullptr, FALSE);
    UpdateWindow(tv);
    std::vector<DWORD> order;
    for (const Stage& st : stages)
        order.push_back(st.stage);
    std::vector<DWORD> want{CDDS_PREPAINT};
    for (int i = 0; i < 5; ++i) {
        want.push_back(CDDS_ITEMPREPAINT);
        want.push_back(CDDS_ITEMPOSTPAINT);
    }
    want.push_back(CDDS_POSTPAINT);
    EXPECT_EQ(order, want);
    EXPECT_EQ(stages[3].item, s.a1);
    EXPECT_EQ(stages[3].level, 1);
    // The red text the parent asked for shows in b's label.
    const RECT b = rectOf(tv, s.b);
    bool red = false;
    for (int x = b.left; x < b.right; ++x)
        for (int y = b.top; y < b.bottom; ++y)
            if (Screen::ClientPixel(tv, x, y) == RGB(255, 0, 0)) red = true;
    EXPECT_TRUE(red);
    // CDRF_SKIPDEFAULT for the items: nothing but the background.
    itemAnswer = CDRF_SKIPDEFAULT;
    InvalidateRect(tv, nullptr, FALSE);
    UpdateWindow(tv);
    bool ink = false;
    for (int x = 0; x < 150; ++x)
        for (int y = 0; y < 5 * 18; ++y)
            if (Screen::ClientPixel(tv, x, y) != GetSysColor(COLOR_WINDOW)) ink = true;
    EXPECT_FALSE(ink);
    DestroyWindow(tv);
}

TEST_F(TreeViewInputTest, PixelProbesThemedAndClassic) {
    for (const bool themed : {true, false}) {
        EnableTheming(themed);
        // Styled trees here go without lines, so what shows by the button is the glyph alone.
        const HWND tv = tree(TVS_HASBUTTONS | TVS_LINESATROOT | (themed ? 0 : TVS_HASLINES));
        const Small s = small(tv);
        select(tv, s.b);
        SetFocus(tv);
        SendMessageW(tv, TVM_SETINSERTMARK, TRUE, static_cast<LPARAM>(s.c.value));
        SendMessageW(tv, TVM_SETINSERTMARKCOLOR, 0, RGB(0, 200, 0));
        Screen::PumpMessages();
        UpdateWindow(tv);
        const int indent = static_cast<int>(SendMessageW(tv, TVM_GETINDENT, 0, 0));
        const RECT a = rectOf(tv, s.a, false);
        const int cy = (a.top + a.bottom) / 2;
        const int cx = indent / 2;
        // The button of "a": a grey chevron (styled) that turns as the item opens, or a framed
        // plus (classic).
        auto glyph = [&] {
            std::vector<COLORREF> out;
            for (int x = cx - 6; x <= cx + 6; ++x)
                for (int y = cy - 6; y <= cy + 6; ++y)
                    out.push_back(Screen::ClientPixel(tv, x, y));
            return out;
        };
        if (themed) {
            const std::vector<COLORREF> closed = glyph();
            const auto grey = [](COLORREF c) {
                return GetRValue(c) < 0xE0 && GetRValue(c) == GetGValue(c) &&
                       GetGValue(c) == GetBValue(c);
            };
            EXPECT_GE(std::count_if(closed.begin(), closed.end(), grey), 6);
            expand(tv, s.a, TVE_EXPAND);
            UpdateWindow(tv);
            EXPECT_NE(glyph(), closed);
            expand(tv, s.a, TVE_COLLAPSE);
            UpdateWindow(tv);
            EXPECT_EQ(glyph(), closed);
        } else {
            const int box = 9;
            EXPECT_EQ(Screen::ClientPixel(tv, cx - box / 2, cy), GetSysColor(COLOR_BTNSHADOW));
            EXPECT_EQ(Screen::ClientPixel(tv, cx, cy), GetSysColor(COLOR_WINDOWTEXT));  // plus
            EXPECT_EQ(Screen::ClientPixel(tv, cx, cy - 2), GetSysColor(COLOR_WINDOWTEXT));
            expand(tv, s.a, TVE_EXPAND);
            UpdateWindow(tv);
            EXPECT_EQ(Screen::ClientPixel(tv, cx, cy - 2), GetSysColor(COLOR_WINDOW));  // minus
            expand(tv, s.a, TVE_COLLAPSE);
            UpdateWindow(tv);
            // A dotted line goes down from the first root item to the next.
            const RECT b = rectOf(tv, s.b, false);
            int dots = 0;
            for (int y = a.bottom; y < b.top + 4; ++y)
                if (Screen::ClientPixel(tv, cx, y) == GetSysColor(COLOR_GRAYTEXT)) ++dots;
            EXPECT_GE(dots, 2);
        }
        // The selection's colour fills the selected label.
        const RECT label = rectOf(tv, s.b);
        const COLORREF fill = Screen::ClientPixel(tv, label.right - 2, label.top + 1);
        EXPECT_EQ(fill, themed ? RGB(0xCC, 0xE8, 0xFF) : GetSysColor(COLOR_HIGHLIGHT));
        // The insertion mark below "c".
        const RECT c = rectOf(tv, s.c);
        EXPECT_EQ(Screen::ClientPixel(tv, (c.left + c.right) / 2, c.bottom), RGB(0, 200, 0));
        DestroyWindow(tv);
    }
}

TEST_F(TreeViewInputTest, TipsForCutLabelsAndInfoTips) {
    const HWND tv = tree(TVS_HASBUTTONS | TVS_INFOTIP, 120, 100);
    const HTREEITEM shortItem = add(tv, TVI_ROOT, u"short");
    const HTREEITEM longItem = add(tv, TVI_ROOT, u"a label much wider than the window is");
    Screen::PumpMessages();
    UpdateWindow(tv);
    std::u16string info;
    int asked = 0;
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == TVN_GETINFOTIPW) {
            ++asked;
            auto* nm = reinterpret_cast<NMTVGETINFOTIPW*>(hdr);
            if (!info.empty()) std::copy(info.begin(), info.end() + 1, nm->pszText);
            return 0;
        }
        return std::nullopt;
    };
    auto rest = [&](HTREEITEM item) {
        const RECT r = rectOf(tv, item);
        const POINT p = Screen::ClientToScreenPoint(tv, r.left + 3, (r.top + r.bottom) / 2);
        Screen::MouseMove(p.x, p.y);
        Screen::PumpMessages();
        platform->AdvanceTime(600);
    };
    const auto tip = HWND(static_cast<std::uint32_t>(SendMessageW(tv, TVM_GETTOOLTIPS, 0, 0)));
    ASSERT_TRUE(tip);
    rest(shortItem);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(IsWindowVisible(tip));  // fits, and the parent gave nothing
    rest(longItem);
    EXPECT_TRUE(IsWindowVisible(tip));
    info = u"More about it";
    rest(shortItem);
    EXPECT_TRUE(IsWindowVisible(tip));
    char16_t text[64] = {};
    TOOLINFOW ti;
    ti.hwnd = tv;
    ti.uId = 1;
    ti.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(std::u16string(text), u"More about it");
    DestroyWindow(tv);
}

TEST_F(TreeViewInputTest, RowsFollowFontIntegralHeightAndSidewaysScrolling) {
    const HWND tv = tree(TVS_HASBUTTONS | TVS_LINESATROOT, 150, 120);
    const Small s = small(tv);
    const HTREEITEM wide = add(tv, TVI_ROOT, u"a label wide enough to need sideways scrolling");
    Screen::PumpMessages();
    UpdateWindow(tv);
    const int h = static_cast<int>(SendMessageW(tv, TVM_GETITEMHEIGHT, 0, 0));
    // The whole row spans the window; the text rectangle starts after the indent.
    const RECT row = rectOf(tv, s.b, false), text = rectOf(tv, s.b);
    RECT client;
    GetClientRect(tv, &client);
    EXPECT_EQ(row.left, 0);
    EXPECT_EQ(row.right, client.right);
    EXPECT_EQ(row.top, h);
    EXPECT_EQ(text.left, static_cast<LONG>(SendMessageW(tv, TVM_GETINDENT, 0, 0)));
    // An item two rows tall pushes the next down by two.
    TVITEMEXW it;
    it.mask = TVIF_HANDLE | TVIF_INTEGRAL;
    it.hItem = s.b;
    it.iIntegral = 2;
    SendMessageW(tv, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    EXPECT_EQ(rectOf(tv, s.c, false).top, 3 * h);
    EXPECT_EQ(hit(tv, 60, 2 * h + 2).hItem, s.b);  // its second row is still b
    // A bigger font makes taller rows.
    const HFONT big =
        CreateFontW(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"DejaVu Sans");
    SendMessageW(tv, WM_SETFONT, static_cast<WPARAM>(big.value), TRUE);
    EXPECT_EQ(SendMessageW(tv, WM_GETFONT, 0, 0), static_cast<LRESULT>(big.value));
    EXPECT_GT(SendMessageW(tv, TVM_GETITEMHEIGHT, 0, 0), h);
    SendMessageW(tv, WM_SETFONT, 0, FALSE);
    DeleteObject(big);
    // Sideways: the wide label gives a horizontal bar, scrolled by every code.
    UpdateWindow(tv);
    Screen::PumpMessages();
    ASSERT_TRUE(GetWindowLongW(tv, GWL_STYLE) & WS_HSCROLL);
    const LONG left = rectOf(tv, wide).left;
    auto shift = [&] { return left - rectOf(tv, wide).left; };
    SendMessageW(tv, WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_GT(shift(), 0);
    SendMessageW(tv, WM_HSCROLL, SB_RIGHT, 0);
    const LONG most = shift();
    EXPECT_EQ(rectOf(tv, wide).right, client.right);
    SendMessageW(tv, WM_HSCROLL, SB_PAGELEFT, 0);
    EXPECT_LT(shift(), most);
    SendMessageW(tv, WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(shift(), 0);
    DestroyWindow(tv);
}

TEST_F(TreeViewInputTest, FullRowSelectClicksAnywhereOnTheRowAndEditedCallbacksGoToTheParent) {
    const HWND tv = tree(TVS_FULLROWSELECT | TVS_EDITLABELS);
    const Small s = small(tv);
    const RECT row = rectOf(tv, s.c, false);
    clickAt(tv, row.right - 5, (row.top + row.bottom) / 2);
    EXPECT_EQ(next(tv, HTREEITEM{}, TVGN_CARET), s.c);
    // A callback label, edited and accepted, is told to the parent.
    TVITEMW it;
    it.mask = TVIF_HANDLE | TVIF_TEXT;
    it.hItem = s.b;
    it.pszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tv, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    std::u16string stored = u"kept by parent";
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        auto* di = reinterpret_cast<NMTVDISPINFOW*>(hdr);
        if (hdr->code == TVN_GETDISPINFOW && (di->item.mask & TVIF_TEXT))
            di->item.pszText = stored.data();
        if (hdr->code == TVN_SETDISPINFOW) stored = di->item.pszText;
        if (hdr->code == TVN_ENDLABELEDITW) return TRUE;
        return std::nullopt;
    };
    const auto edit = HWND(static_cast<std::uint32_t>(
        SendMessageW(tv, TVM_EDITLABELW, 0, static_cast<LPARAM>(s.b.value))));
    ASSERT_TRUE(edit);
    char16_t shown[40] = {};
    GetWindowTextW(edit, shown, 40);
    EXPECT_EQ(std::u16string(shown), u"kept by parent");
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"new"));
    SendMessageW(tv, TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_EQ(stored, u"new");
    EXPECT_EQ(codes({TVN_SETDISPINFOW}).size(), 1u);
    EXPECT_EQ(textOf(tv, s.b), u"new");
    DestroyWindow(tv);
}

TEST_F(TreeViewInputTest, TooltipWindowsCanBeSwappedOrSwitchedOff) {
    const HWND quiet = tree(TVS_NOTOOLTIPS);
    EXPECT_FALSE(SendMessageW(quiet, TVM_GETTOOLTIPS, 0, 0));
    DestroyWindow(quiet);
    const HWND tv = tree(0);
    const auto own = HWND(static_cast<std::uint32_t>(SendMessageW(tv, TVM_GETTOOLTIPS, 0, 0)));
    ASSERT_TRUE(own);
    const HWND mine = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, u"", WS_POPUP, 0, 0, 0, 0,
                                      host, HMENU(), HINSTANCE(), nullptr);
    EXPECT_EQ(SendMessageW(tv, TVM_SETTOOLTIPS, static_cast<WPARAM>(mine.value), 0),
              static_cast<LRESULT>(own.value));
    EXPECT_EQ(SendMessageW(tv, TVM_GETTOOLTIPS, 0, 0), static_cast<LRESULT>(mine.value));
    EXPECT_EQ(SendMessageW(mine, TTM_GETTOOLCOUNT, 0, 0), 1);  // the tree's tool came along
    DestroyWindow(tv);
    DestroyWindow(own);
    DestroyWindow(mine);
}

TEST_F(TreeViewInputTest, CustomDrawNewFontAndNoImages) {
    const HWND tv = tree(0);
    const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 0);
    {
        // One solid red image.
        const HDC screen = GetDC(HWND());
        const HBITMAP bm = CreateCompatibleBitmap(screen, 16, 16);
        const HDC mem = CreateCompatibleDC(screen);
        const HGDIOBJ old = SelectObject(mem, bm);
        const RECT all{0, 0, 16, 16};
        const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(mem, &all, red);
        SelectObject(mem, old);
        DeleteObject(red);
        DeleteDC(mem);
        ReleaseDC(HWND(), screen);
        ImageList_Add(images, bm, HBITMAP());
        DeleteObject(bm);
    }
    SendMessageW(tv, TVM_SETIMAGELIST, TVSIL_NORMAL, static_cast<LPARAM>(images.value));
    const HTREEITEM item = add(tv, TVI_ROOT, u"WWWWWWWW");
    const HFONT big =
        CreateFontW(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"DejaVu Sans");
    LRESULT itemAnswer = CDRF_DODEFAULT;
    hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code != NM_CUSTOMDRAW) return std::nullopt;
        auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(hdr);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (itemAnswer & CDRF_NEWFONT) SelectObject(cd->nmcd.hdc, big);
        return itemAnswer;
    };
    auto inked = [&] {
        // Dark pixels in the label (cut to it, as on Windows): a bigger, bolder font has more.
        const RECT r = rectOf(tv, item);
        int dark = 0;
        for (int x = r.left; x < r.right; ++x)
            for (int y = r.top; y < r.bottom; ++y)
                if (GetRValue(Screen::ClientPixel(tv, x, y)) < 100 &&
                    GetGValue(Screen::ClientPixel(tv, x, y)) < 100)
                    ++dark;
        return dark;
    };
    auto redIcon = [&] {
        const RECT r = rectOf(tv, item);
        return Screen::ClientPixel(tv, r.left - 8, (r.top + r.bottom) / 2) == RGB(255, 0, 0);
    };
    auto repaint = [&] {
        InvalidateRect(tv, nullptr, FALSE);
        UpdateWindow(tv);
    };
    repaint();
    const int plain = inked();
    EXPECT_TRUE(redIcon());
    itemAnswer = CDRF_NEWFONT | TVCDRF_NOIMAGES;
    repaint();
    EXPECT_GT(inked(), plain * 3 / 2);
    EXPECT_FALSE(redIcon());
    DestroyWindow(tv);
    ImageList_Destroy(images);
    DeleteObject(big);
}

}  // namespace
}  // namespace orvane::platform::test
