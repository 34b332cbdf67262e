// The header control without the mouse: items, order arrays and layout; hit-testing at each
// part and at two DPIs; custom and owner draw; pixel probes with and without visual styles;
// images; and a create/destroy cycle that leaves nothing alive.
#include "HeaderFixture.h"

namespace orvane::platform::test {
namespace {

using namespace headers;

class HeaderTest : public HeaderFixture {};

// Items and order.

TEST_F(HeaderTest, InsertAndDeleteKeepIndexesAndTheOrderArrayAsWindowsDoes) {
    const HWND h = make(0);
    struct Step {
        const char16_t* text;  // inserted, or null to delete `at`
        int at;
        int order;  // HDI_ORDER, or -1 without
        int result;
        std::vector<int> orderAfter;
        std::vector<const char16_t*> byIndex;
    };
    const Step steps[] = {
        {u"A", 0, -1, 0, {0}, {u"A"}},
        {u"B", 5, -1, 1, {0, 1}, {u"A", u"B"}},  // past the end: appended
        {u"C", 0, -1, 0, {0, 1, 2}, {u"C", u"A", u"B"}},
        {u"D", 1, 3, 1, {0, 2, 3, 1}, {u"C", u"D", u"A", u"B"}},  // shown last
        {nullptr, 2, -1, TRUE, {0, 2, 1}, {u"C", u"D", u"B"}},    // A goes
        {nullptr, 0, -1, TRUE, {1, 0}, {u"D", u"B"}},
        {nullptr, 5, -1, FALSE, {1, 0}, {u"D", u"B"}},
    };
    for (const Step& s : steps) {
        LRESULT r;
        if (s.text) {
            std::u16string t = s.text;
            HDITEMW it;
            it.mask = HDI_TEXT | HDI_WIDTH | (s.order >= 0 ? HDI_ORDER : 0);
            it.pszText = t.data();
            it.cxy = 50;
            it.iOrder = s.order;
            r = SendMessageW(h, HDM_INSERTITEMW, static_cast<WPARAM>(s.at),
                             reinterpret_cast<LPARAM>(&it));
        } else {
            r = SendMessageW(h, HDM_DELETEITEM, static_cast<WPARAM>(s.at), 0);
        }
        const std::string label = s.text ? "insert" : "delete";
        EXPECT_EQ(r, s.result) << label << " at " << s.at;
        EXPECT_EQ(order(h), s.orderAfter) << label << " at " << s.at;
        for (std::size_t i = 0; i < s.byIndex.size(); ++i)
            EXPECT_EQ(textOf(h, static_cast<int>(i)), s.byIndex[i]) << label << " at " << s.at;
    }
    // Items lie side by side in display order: D (index 0) comes second.
    EXPECT_EQ(rectOf(h, 1), (RECT{0, 0, 50, rowHeight(h)}));
    EXPECT_EQ(rectOf(h, 0).left, 50);
    EXPECT_EQ(SendMessageW(h, HDM_ORDERTOINDEX, 0, 0), 1);
    EXPECT_EQ(SendMessageW(h, HDM_ORDERTOINDEX, 7, 0), 7) << "out of range comes back";
    EXPECT_EQ(SendMessageW(h, HDM_INSERTITEMW, 0, 0), -1);
    DestroyWindow(h);
}

TEST_F(HeaderTest, OrderArraysAreCheckedAndMoveTheItems) {
    const HWND h = threeItems(0);
    int bad[3] = {0, 0, 1};
    EXPECT_FALSE(SendMessageW(h, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(bad)));
    int good[3] = {2, 0, 1};
    EXPECT_FALSE(SendMessageW(h, HDM_SETORDERARRAY, 2, reinterpret_cast<LPARAM>(good)));
    EXPECT_TRUE(SendMessageW(h, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(good)));
    EXPECT_EQ(order(h), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(rectOf(h, 2).left, 0);
    EXPECT_EQ(rectOf(h, 1).left, 200);
    int small[2];
    EXPECT_FALSE(SendMessageW(h, HDM_GETORDERARRAY, 2, reinterpret_cast<LPARAM>(small)));
    // HDI_ORDER through HDM_SETITEMW moves one item, telling the parent before and after.
    HDITEMW it;
    it.mask = HDI_ORDER;
    it.iOrder = 0;
    EXPECT_TRUE(SendMessageW(h, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&it)));
    EXPECT_EQ(order(h), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW}));
    EXPECT_TRUE(told()[0].addressed);
    it.iOrder = 2;
    SendMessageW(h, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&it));
    EXPECT_EQ(it.iOrder, 0);
    DestroyWindow(h);
}

TEST_F(HeaderTest, EveryMaskIsStoredAndReadBack) {
    const HWND h = make(HDS_FILTERBAR);
    const HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    std::u16string text = u"Column text";
    std::u16string filter = u"abc";
    HDTEXTFILTERW tf{filter.data(), 20};
    HDITEMW in;
    in.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE | HDI_FILTER |
              HDI_STATE;
    in.cxy = 120;
    in.pszText = text.data();
    in.fmt = HDF_RIGHT | HDF_STRING | HDF_SORTDOWN;
    in.lParam = 4242;
    in.hbm = bitmap;
    in.iImage = 5;
    in.type = HDFT_ISSTRING;
    in.pvFilter = &tf;
    in.state = HDIS_FOCUSED;
    ASSERT_EQ(SendMessageW(h, HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&in)), 0);
    int number = 17;
    HDITEMW second;
    second.mask = HDI_WIDTH | HDI_FILTER;
    second.cxy = -5;  // negative widths count as none
    second.type = HDFT_ISNUMBER;
    second.pvFilter = &number;
    ASSERT_EQ(SendMessageW(h, HDM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&second)), 1);

    char16_t buffer[6] = {};
    char16_t filterBuffer[10] = {};
    HDTEXTFILTERW got{filterBuffer, 10};
    HDITEMW out;
    out.mask = in.mask | HDI_ORDER;
    out.pszText = buffer;
    out.cchTextMax = 6;
    out.type = HDFT_ISSTRING;
    out.pvFilter = &got;
    ASSERT_TRUE(SendMessageW(h, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&out)));
    EXPECT_EQ(out.cxy, 120);
    EXPECT_EQ(std::u16string(buffer), u"Colum") << "cut to the buffer";
    EXPECT_EQ(out.fmt, HDF_RIGHT | HDF_STRING | HDF_SORTDOWN);
    EXPECT_EQ(out.lParam, 4242);
    EXPECT_EQ(out.hbm, bitmap);
    EXPECT_EQ(out.iImage, 5);
    EXPECT_EQ(out.iOrder, 0);
    EXPECT_EQ(out.state, HDIS_FOCUSED);
    EXPECT_EQ(out.type, HDFT_ISSTRING);
    EXPECT_EQ(std::u16string(filterBuffer), u"abc");
    EXPECT_EQ(SendMessageW(h, HDM_GETFOCUSEDITEM, 0, 0), 0);

    int gotNumber = 0;
    out.mask = HDI_WIDTH | HDI_FILTER;
    out.type = HDFT_ISNUMBER;
    out.pvFilter = &gotNumber;
    ASSERT_TRUE(SendMessageW(h, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&out)));
    EXPECT_EQ(out.cxy, 0);
    EXPECT_EQ(gotNumber, 17);
    EXPECT_EQ(out.type, HDFT_ISNUMBER);

    // What the platform does not do fails loudly.
    HDITEMW strange;
    strange.mask = HDI_FILTER;
    strange.type = HDFT_ISDATE + 1;  // no such filter type
    EXPECT_EQ(SendMessageW(h, HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&strange)), -1);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    HDITEMW unknown;
    unknown.mask = 0x8000;
    EXPECT_FALSE(SendMessageW(h, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&unknown)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    EXPECT_EQ(SendMessageW(h, HDM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&in)), -1);
    EXPECT_EQ(SendMessageW(h, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(h, HDM_SETUNICODEFORMAT, TRUE, 0), TRUE);
    EXPECT_EQ(SendMessageW(h, HDM_GETUNICODEFORMAT, 0, 0), TRUE);
    EXPECT_FALSE(CreateWindowExW(0, WC_HEADERW, u"", WS_CHILD | HDS_OVERFLOW, 0, 0, 10, 10, host,
                                 HMENU(), HINSTANCE(), nullptr));
    DestroyWindow(h);
    DeleteObject(bitmap);
}

TEST_F(HeaderTest, SetItemCanBeRefusedAndCallbackTextComesFromTheParent) {
    const HWND h = threeItems(0);
    parent().answer[HDN_ITEMCHANGINGW] = TRUE;
    HDITEMW it;
    it.mask = HDI_WIDTH;
    it.cxy = 33;
    EXPECT_FALSE(SendMessageW(h, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&it)));
    EXPECT_EQ(rectOf(h, 1).right - rectOf(h, 1).left, 100);
    EXPECT_EQ(codes(), std::vector<UINT>{HDN_ITEMCHANGINGW});
    EXPECT_EQ(told()[0].cxy, 33);
    EXPECT_EQ(told()[0].mask, HDI_WIDTH);
    parent().answer.clear();
    EXPECT_TRUE(SendMessageW(h, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&it)));
    EXPECT_EQ(rectOf(h, 2).left, 133) << "the items right of it move";

    it.mask = HDI_TEXT;
    it.pszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(h, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    parent().notes.clear();
    EXPECT_EQ(textOf(h, 0), u"Asked");
    EXPECT_EQ(textOf(h, 0), u"Asked");
    ASSERT_EQ(notes(HDN_GETDISPINFOW).size(), 2u) << "asked each time";
    EXPECT_EQ(notes(HDN_GETDISPINFOW)[0].item, 0);
    // HDI_DI_SETITEM: the control keeps the answer.
    parent().keepDisp = true;
    parent().dispText = u"Kept";
    EXPECT_EQ(textOf(h, 0), u"Kept");
    parent().dispText = u"Other";
    EXPECT_EQ(textOf(h, 0), u"Kept");
    EXPECT_EQ(notes(HDN_GETDISPINFOW).size(), 3u);
    DestroyWindow(h);
}

TEST_F(HeaderTest, LayoutGivesTheHeightOfTheFontAndAFilterRow) {
    const HDC dc = GetDC(HWND());
    const HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW gui{};
    GetTextMetricsW(dc, &gui);
    SelectObject(dc, old);
    ReleaseDC(HWND(), dc);
    struct Case {
        DWORD style;
        bool themed;
        int height;
    };
    for (const Case& c :
         {Case{0, true, tm.tmHeight + 10}, Case{0, false, tm.tmHeight + 4},
          Case{HDS_FILTERBAR, true, 2 * (tm.tmHeight + 10)}, Case{HDS_HIDDEN, true, 0}}) {
        EnableTheming(c.themed ? TRUE : FALSE);
        const HWND h = CreateWindowExW(0, WC_HEADERW, u"", WS_CHILD | c.style, 0, 0, 0, 0, host,
                                       HMENU(), HINSTANCE(), nullptr);
        RECT rc{10, 20, 310, 200};
        WINDOWPOS wp;
        HDLAYOUT hl{&rc, &wp};
        EXPECT_TRUE(SendMessageW(h, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&hl)));
        EXPECT_EQ(wp.hwnd, h);
        EXPECT_EQ(wp.x, 10);
        EXPECT_EQ(wp.y, 20);
        EXPECT_EQ(wp.cx, 300);
        EXPECT_EQ(wp.cy, c.height) << c.style << " themed " << c.themed;
        EXPECT_EQ(rc.top, 20 + c.height);
        EXPECT_EQ(rc.bottom, 200);
        // The font it is given decides the height.
        EXPECT_EQ(SendMessageW(h, WM_GETFONT, 0, 0), 0);
        SendMessageW(h, WM_SETFONT, static_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT).value),
                     FALSE);
        EXPECT_EQ(SendMessageW(h, WM_GETFONT, 0, 0),
                  static_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT).value));
        rc = RECT{0, 0, 100, 100};
        SendMessageW(h, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&hl));
        if (c.style == 0) {
            EXPECT_EQ(wp.cy, gui.tmHeight + (c.themed ? 10 : 4));
        }
        DestroyWindow(h);
    }
}

// Hit-testing.

TEST_F(HeaderTest, HitTestNamesEveryPart) {
    // A 0..100, a hidden item H after it, B 100..180 with a check box and a drop-down, C
    // 180..260 of fixed width; a filter row below.
    const HWND h = make(HDS_CHECKBOXES | HDS_FILTERBAR);
    add(h, u"A", 100);
    add(h, u"H", 0);
    add(h, u"B", 80, HDF_STRING | HDF_CHECKBOX | HDF_SPLITBUTTON);
    add(h, u"C", 80, HDF_STRING | HDF_FIXEDWIDTH);
    const int row = rowHeight(h);
    const int y = row / 2, fy = row + row / 2;
    RECT client;
    GetClientRect(h, &client);
    const int margin = static_cast<int>(SendMessageW(h, HDM_GETBITMAPMARGIN, 0, 0));
    EXPECT_EQ(margin, 3 * GetSystemMetrics(SM_CXEDGE));
    struct Case {
        int x, y;
        UINT flags;
        int item;
    };
    const Case cases[] = {
        {50, y, HHT_ONHEADER, 0},
        {97, y, HHT_ONDIVIDER, 0},
        {102, y, HHT_ONDIVOPEN, 1},  // right of the divider: the hidden item opens
        {100 + margin + 3, y, HHT_ONITEMSTATEICON, 2},
        {100 + margin + 20, y, HHT_ONHEADER, 2},
        {170, y, HHT_ONDROPDOWN, 2},
        {178, y, HHT_ONDIVIDER, 2},
        {182, y, HHT_ONDIVIDER, 2},
        {258, y, HHT_ONHEADER, 3},  // fixed width: no divider of its own
        {262, y, HHT_NOWHERE, -1},
        {300, y, HHT_NOWHERE, -1},
        {50, fy, HHT_ONFILTER, 0},
        {95, fy, HHT_ONFILTERBUTTON, 0},
        {120, fy, HHT_ONFILTER, 2},
        {350, fy, HHT_NOWHERE, -1},
        {-5, y, HHT_TOLEFT, -1},
        {client.right + 3, y, HHT_TORIGHT, -1},
        {50, -2, HHT_ABOVE, -1},
        {50, client.bottom, HHT_BELOW, -1},
        {-1, -1, HHT_ABOVE | HHT_TOLEFT, -1},
    };
    for (const Case& c : cases) {
        const HDHITTESTINFO info = hit(h, c.x, c.y);
        EXPECT_EQ(info.flags, c.flags) << c.x << "," << c.y;
        EXPECT_EQ(info.iItem, c.item) << c.x << "," << c.y;
    }
    // HDS_NOSIZING takes every divider away.
    SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) | HDS_NOSIZING);
    EXPECT_EQ(hit(h, 97, y).flags, HHT_ONHEADER);
    EXPECT_EQ(hit(h, 102, y).flags, HHT_ONHEADER) << "B's check box starts a margin in";
    EXPECT_EQ(hit(h, 102, y).iItem, 2);
    DestroyWindow(h);
}

class HeaderDpiTest : public AtDpi<HeaderFixture> {};

TEST_P(HeaderDpiTest, DividerZonesAndRowsScaleWithTheDpi) {
    const HWND h = make(0);
    add(h, u"A", px(100));
    add(h, u"B", px(100));
    const int y = rowHeight(h) / 2;
    EXPECT_EQ(hit(h, px(100) - px(4), y).flags, HHT_ONDIVIDER);
    EXPECT_EQ(hit(h, px(100) - px(4) - 1, y).flags, HHT_ONHEADER);
    EXPECT_EQ(hit(h, px(100) + px(4) - 1, y).flags, HHT_ONDIVIDER);
    EXPECT_EQ(hit(h, px(100) + px(4), y).iItem, 1);
    const HDC dc = GetDC(HWND());
    const HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(HWND(), dc);
    EXPECT_EQ(rowHeight(h), tm.tmHeight + 2 * px(5));
    DestroyWindow(h);
}

INSTANTIATE_TEST_SUITE_P(Dpi, HeaderDpiTest, ::testing::Values(96, 144));

// Custom draw and owner draw.

TEST_F(HeaderTest, CustomDrawStagesFollowTheDisplayOrder) {
    const HWND h = threeItems(0);
    int reordered[3] = {2, 0, 1};
    SendMessageW(h, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(reordered));
    Screen::PumpMessages();
    parent().drawAnswer[CDDS_PREPAINT] = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    // Item 0 is the parent's own: it paints it red and skips the default drawing.
    parent().hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(hdr);
        if (hdr->code != NM_CUSTOMDRAW || cd->dwDrawStage != CDDS_ITEMPREPAINT) return std::nullopt;
        if (cd->dwItemSpec == 0) {
            const COLORREF old = SetDCBrushColor(cd->hdc, RGB(255, 0, 0));
            FillRect(cd->hdc, &cd->rc, HBRUSH(GetStockObject(DC_BRUSH)));
            SetDCBrushColor(cd->hdc, old);
            return CDRF_SKIPDEFAULT;
        }
        return CDRF_NOTIFYPOSTPAINT;
    };
    parent().notes.clear();
    InvalidateRect(h, nullptr, FALSE);
    Screen::PumpMessages();
    struct Stage {
        DWORD stage;
        int item;
    };
    const Stage want[] = {{CDDS_PREPAINT, 0},     {CDDS_ITEMPREPAINT, 2}, {CDDS_ITEMPOSTPAINT, 2},
                          {CDDS_ITEMPREPAINT, 0}, {CDDS_ITEMPREPAINT, 1}, {CDDS_ITEMPOSTPAINT, 1},
                          {CDDS_POSTPAINT, 0}};
    const std::vector<Note> heard = notes(NM_CUSTOMDRAW);
    ASSERT_EQ(heard.size(), std::size(want));
    for (std::size_t i = 0; i < heard.size(); ++i) {
        EXPECT_EQ(heard[i].stage, want[i].stage) << i;
        EXPECT_EQ(heard[i].item, want[i].item) << i;
        if (heard[i].stage & CDDS_ITEM) {
            EXPECT_EQ(heard[i].rc, rectOf(h, heard[i].item)) << i;
        }
    }
    EXPECT_EQ(at(h, 150, 5), RGB(255, 0, 0));
    EXPECT_NE(at(h, 50, 5), RGB(255, 0, 0));

    // CDRF_SKIPDEFAULT at the start: nothing more is asked or drawn.
    parent().hook = nullptr;
    parent().drawAnswer[CDDS_PREPAINT] = CDRF_SKIPDEFAULT;
    parent().notes.clear();
    InvalidateRect(h, nullptr, FALSE);
    Screen::PumpMessages();
    ASSERT_EQ(notes(NM_CUSTOMDRAW).size(), 1u);
    EXPECT_EQ(notes(NM_CUSTOMDRAW)[0].stage, CDDS_PREPAINT);
    // With the items asked for too, the parent draws the header item by item.
    parent().drawAnswer[CDDS_PREPAINT] = CDRF_SKIPDEFAULT | CDRF_NOTIFYITEMDRAW;
    parent().notes.clear();
    InvalidateRect(h, nullptr, FALSE);
    Screen::PumpMessages();
    const std::vector<Note> items = notes(NM_CUSTOMDRAW);
    ASSERT_GT(items.size(), 1u);
    EXPECT_EQ(items[1].stage, CDDS_ITEMPREPAINT);
    DestroyWindow(h);
}

TEST_F(HeaderTest, NewFontKeepsTheParentsTextColourAndOwnerDrawAsksTheParent) {
    const HWND h = make(0);
    add(h, u"WWWWWW", 150);
    add(h, u"Owner", 150, HDF_OWNERDRAW);
    auto redText = [&] {
        int n = 0;
        for (int y = 0; y < rowHeight(h); ++y)
            for (int x = 0; x < 150; ++x) {
                const COLORREF c = at(h, x, y);
                if (GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60) ++n;
            }
        return n;
    };
    bool newFont = false;
    parent().drawAnswer[CDDS_PREPAINT] = CDRF_NOTIFYITEMDRAW;
    parent().hook = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(hdr);
        if (hdr->code != NM_CUSTOMDRAW || cd->dwDrawStage != CDDS_ITEMPREPAINT) return std::nullopt;
        SetTextColor(cd->hdc, RGB(255, 0, 0));
        return newFont ? CDRF_NEWFONT : CDRF_DODEFAULT;
    };
    InvalidateRect(h, nullptr, FALSE);
    EXPECT_EQ(redText(), 0);
    newFont = true;
    InvalidateRect(h, nullptr, FALSE);
    EXPECT_GT(redText(), 10);

    ASSERT_FALSE(parent().drawn.empty());
    const DRAWITEMSTRUCT& dis = parent().drawn.back();
    EXPECT_EQ(dis.CtlType, ODT_HEADER);
    EXPECT_EQ(dis.CtlID, static_cast<UINT>(kId));
    EXPECT_EQ(dis.itemID, 1u);
    EXPECT_EQ(dis.hwndItem, h);
    EXPECT_EQ(dis.rcItem, (RECT{150, 0, 300, rowHeight(h)}));
    DestroyWindow(h);
}

// Pixels.

TEST_F(HeaderTest, StyledItemsShowSortArrowsPressedAndHotStates) {
    const HWND h = make(HDS_BUTTONS | HDS_HOTTRACK);
    add(h, u"", 100, HDF_STRING | HDF_SORTUP);
    add(h, u"", 100, HDF_STRING | HDF_SORTDOWN);
    add(h, u"", 100);
    const int y = rowHeight(h) / 2;
    // The arrow: 9 × 5 pixels, centred, a pixel below the top; up is wide at its bottom.
    const int top = 1;
    EXPECT_TRUE(dark(at(h, 50 - 3, top + 4)));
    EXPECT_FALSE(dark(at(h, 50 - 3, top)));
    EXPECT_TRUE(dark(at(h, 150 - 3, top)));
    EXPECT_FALSE(dark(at(h, 150 - 3, top + 4)));
    EXPECT_FALSE(dark(at(h, 250, top + 2))) << "no arrow without a sort flag";
    // Normal items are light with a light grey divider at their right.
    const COLORREF normal = at(h, 250, y);
    EXPECT_GT(GetRValue(normal), 0xF0);
    EXPECT_FALSE(bluish(normal));
    EXPECT_EQ(at(h, 199, y), RGB(0xE5, 0xE5, 0xE5));
    // Hot, then pressed: blue tints, pressed the deeper.
    moveTo(h, 250, y);
    const COLORREF hot = at(h, 250, y);
    EXPECT_TRUE(bluish(hot));
    Screen::MouseDown();
    const COLORREF pressed = at(h, 250, y);
    EXPECT_TRUE(bluish(pressed));
    EXPECT_LT(GetRValue(pressed), GetRValue(hot));
    Screen::MouseUp();
    moveTo(h, 250, 100);  // off the header
    DestroyWindow(h);
}

TEST_F(HeaderTest, ClassicItemsAreRaisedSunkenWhenPressedAndShowTheirParts) {
    EnableTheming(FALSE);
    const HWND h = make(HDS_BUTTONS | HDS_CHECKBOXES);
    add(h, u"", 100, HDF_STRING | HDF_SORTUP | HDF_CENTER);
    add(h, u"", 100, HDF_STRING | HDF_CHECKBOX | HDF_CHECKED);
    add(h, u"", 100, HDF_STRING | HDF_CHECKBOX);
    const int y = rowHeight(h) / 2;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(at(h, 30, y), face);
    // Raised: light at the top left, dark at the bottom right; sunken when pressed.
    EXPECT_EQ(at(h, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(h, 99, rowHeight(h) - 1), GetSysColor(COLOR_3DDKSHADOW));
    press(h, 30, y);
    EXPECT_EQ(at(h, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    Screen::MouseUp();
    EXPECT_EQ(at(h, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    // The sort arrow beside the (empty) text: centred, in the shadow colour.
    int arrow = 0;
    for (int x = 30; x < 70; ++x)
        if (at(h, x, y) == GetSysColor(COLOR_BTNSHADOW)) ++arrow;
    EXPECT_GE(arrow, 3);
    // Check boxes: a white box; the checked one has a dark mark in the middle.
    const int margin = static_cast<int>(SendMessageW(h, HDM_GETBITMAPMARGIN, 0, 0));
    const HDHITTESTINFO box = hit(h, 100 + margin + 6, y);
    EXPECT_EQ(box.flags, HHT_ONITEMSTATEICON);
    auto darkInBox = [&](int left) {
        int n = 0;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = 3; dx <= 9; ++dx)
                if (dark(at(h, left + dx, y + dy))) ++n;
        return n;
    };
    EXPECT_GT(darkInBox(100 + margin), 3);
    EXPECT_EQ(darkInBox(200 + margin), 0);
    EXPECT_EQ(at(h, 200 + margin + 6, y), GetSysColor(COLOR_WINDOW));
    DestroyWindow(h);
}

TEST_F(HeaderTest, ImagesSitByTheTextAsTheFormatSays) {
    const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    const HDC screen = GetDC(HWND());
    const HBITMAP red = CreateCompatibleBitmap(screen, 16, 16);
    const HDC mem = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(mem, red);
    const RECT all{0, 0, 16, 16};
    const HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(HWND(), screen);
    ImageList_Add(images, red, HBITMAP());
    DeleteObject(red);

    const HWND h = make(0);
    EXPECT_EQ(SendMessageW(h, HDM_SETIMAGELIST, HDSIL_NORMAL, static_cast<LPARAM>(images.value)),
              0);
    EXPECT_EQ(SendMessageW(h, HDM_GETIMAGELIST, HDSIL_NORMAL, 0),
              static_cast<LRESULT>(images.value));
    add(h, u"Text", 120, HDF_STRING | HDF_IMAGE);
    add(h, u"Text", 120, HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
    add(h, u"", 120, HDF_IMAGE | HDF_RIGHT);
    const int y = rowHeight(h) / 2;
    const int margin = static_cast<int>(SendMessageW(h, HDM_GETBITMAPMARGIN, 0, 0));
    const COLORREF image = RGB(255, 0, 0);
    EXPECT_EQ(at(h, margin + 8, y), image);
    EXPECT_NE(at(h, 120 + margin + 8, y), image) << "the text comes first";
    bool right = false;
    for (int x = 140; x < 230; ++x)
        right = right || at(h, x, y) == image;
    EXPECT_TRUE(right);
    EXPECT_EQ(at(h, 360 - margin - 8, y), image);
    EXPECT_NE(at(h, 240 + margin + 8, y), image);
    // The margin is settable and returns the previous one.
    EXPECT_EQ(SendMessageW(h, HDM_SETBITMAPMARGIN, 20, 0), margin);
    EXPECT_EQ(at(h, 20 + 8, y), image);
    EXPECT_NE(at(h, margin + 2, y), image);
    DestroyWindow(h);
    ImageList_Destroy(images);
}

TEST_F(HeaderTest, CreatingAndDestroyingLeavesNothingAlive) {
    const DWORD gdi = Screen::LiveGdiObjects(), user = Screen::LiveUserObjects();
    for (int round = 0; round < 10; ++round) {
        EnableTheming(round % 2 ? TRUE : FALSE);
        const HWND h = make(HDS_BUTTONS | HDS_FILTERBAR | HDS_CHECKBOXES | HDS_DRAGDROP);
        SendMessageW(h, WM_SETFONT, static_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT).value),
                     TRUE);
        const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
        SendMessageW(h, HDM_SETIMAGELIST, HDSIL_NORMAL, static_cast<LPARAM>(images.value));
        add(h, u"One", 100, HDF_STRING | HDF_SORTUP | HDF_CHECKBOX | HDF_SPLITBUTTON);
        add(h, u"Two", 100, HDF_STRING | HDF_IMAGE);
        SendMessageW(h, HDM_EDITFILTER, 0, 0);
        Screen::TypeText(u"a");
        Screen::PumpMessages();
        const HIMAGELIST drag(
            static_cast<std::uint32_t>(SendMessageW(h, HDM_CREATEDRAGIMAGE, 0, 0)));
        ImageList_Destroy(drag);
        DestroyWindow(h);
        ImageList_Destroy(images);
    }
    platform->AdvanceTime(2000);
    EXPECT_EQ(Screen::LiveGdiObjects(), gdi);
    EXPECT_EQ(Screen::LiveUserObjects(), user);
}

}  // namespace
}  // namespace orvane::platform::test
