// The header's filter bar: editing a filter in place, the filter-change timeout on the virtual
// clock, Enter, Escape and focus loss, number and date filters, filter buttons and clearing.
#include <algorithm>

#include "HeaderFixture.h"

namespace orvane::platform::test {
namespace {

using namespace headers;

class HeaderFilterTest : public HeaderFixture {
protected:
    void SetUp() override {
        HeaderFixture::SetUp();
        h = make(HDS_FILTERBAR);
        add(h, u"Name", 150);
        add(h, u"Size", 150);
        int zero = 0;
        HDITEMW it;
        it.mask = HDI_FILTER;
        it.type = HDFT_ISNUMBER | HDFT_HASNOVALUE;
        it.pvFilter = &zero;
        SendMessageW(h, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&it));
        parent().notes.clear();
        fy = rowHeight(h) + rowHeight(h) / 2;
    }
    void TearDown() override {
        DestroyWindow(h);
        HeaderFixture::TearDown();
    }
    std::u16string filter(int i) {
        char16_t buffer[40] = {};
        HDTEXTFILTERW tf{buffer, 40};
        HDITEMW it;
        it.mask = HDI_FILTER;
        it.type = HDFT_ISSTRING;
        it.pvFilter = &tf;
        SendMessageW(h, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&it));
        return (it.type & HDFT_HASNOVALUE) ? u"<none>" : std::u16string(buffer);
    }
    // Item 1 made a date filter; `day` null gives it no value.
    void setDate(const SYSTEMTIME* day) {
        SYSTEMTIME copy = day ? *day : SYSTEMTIME{};
        HDITEMW it;
        it.mask = HDI_FILTER;
        it.type = HDFT_ISDATE | (day ? 0 : HDFT_HASNOVALUE);
        it.pvFilter = &copy;
        ASSERT_TRUE(SendMessageW(h, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&it)));
    }
    // Item 1's date filter: its type and, when it has one, its value.
    UINT date(SYSTEMTIME& out) {
        out = SYSTEMTIME{};
        HDITEMW it;
        it.mask = HDI_FILTER;
        it.type = HDFT_ISDATE;
        it.pvFilter = &out;
        SendMessageW(h, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&it));
        return it.type;
    }
    // Item 1's filter read as a number: its type, and `out` filled when it is a number.
    UINT number(int& out) {
        HDITEMW it;
        it.mask = HDI_FILTER;
        it.type = HDFT_ISNUMBER;
        it.pvFilter = &out;
        SendMessageW(h, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&it));
        return it.type;
    }
    bool editing() {
        const HWND f = GetFocus();
        return f && GetParent(f) == h && IsWindowVisible(f);
    }
    HWND h;
    int fy = 0;
};

TEST_F(HeaderFilterTest, TypingTellsTheParentAfterTheTimeoutAndEnterKeepsTheText) {
    click(h, 40, fy);
    ASSERT_TRUE(editing());
    EXPECT_EQ(codes(), std::vector<UINT>{HDN_BEGINFILTEREDIT});
    Screen::TypeText(u"abc");
    platform->AdvanceTime(990);
    EXPECT_EQ(codes(), std::vector<UINT>{HDN_BEGINFILTEREDIT}) << "not before the timeout";
    Screen::TypeText(u"d");  // another key waits the whole timeout again
    platform->AdvanceTime(990);
    EXPECT_EQ(codes().size(), 1u);
    platform->AdvanceTime(20);
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_BEGINFILTEREDIT, HDN_FILTERCHANGE}));
    EXPECT_EQ(told().back().item, 0);
    EXPECT_EQ(filter(0), u"abcd");
    Screen::KeyPress(VK_RETURN);
    EXPECT_FALSE(editing());
    EXPECT_EQ(GetFocus(), host) << "the focus goes back";
    EXPECT_EQ(codes(),
              (std::vector<UINT>{HDN_BEGINFILTEREDIT, HDN_FILTERCHANGE, HDN_ENDFILTEREDIT}));

    // A shorter timeout; Enter before it runs out tells the change at once.
    EXPECT_EQ(SendMessageW(h, HDM_SETFILTERCHANGETIMEOUT, 0, 200), -1);
    parent().notes.clear();
    click(h, 40, fy);
    Screen::TypeText(u"x");
    platform->AdvanceTime(210);
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_BEGINFILTEREDIT, HDN_FILTERCHANGE}));
    EXPECT_EQ(filter(0), u"x");
    Screen::KeyPress(VK_RETURN);
    parent().notes.clear();
    click(h, 40, fy);
    Screen::TypeText(u"yz");
    Screen::KeyPress(VK_RETURN);
    EXPECT_EQ(codes(),
              (std::vector<UINT>{HDN_BEGINFILTEREDIT, HDN_ENDFILTEREDIT, HDN_FILTERCHANGE}));
    EXPECT_EQ(filter(0), u"yz");
}

TEST_F(HeaderFilterTest, EscapeDiscardsAndFocusLossCommits) {
    ASSERT_TRUE(SendMessageW(h, HDM_EDITFILTER, 0, 0));
    ASSERT_TRUE(editing());
    Screen::TypeText(u"keep");
    Screen::KeyPress(VK_RETURN);
    parent().notes.clear();
    // Escape before the timeout: nothing changed.
    SendMessageW(h, HDM_EDITFILTER, 0, 0);
    Screen::TypeText(u"lost");
    Screen::KeyPress(VK_ESCAPE);
    EXPECT_FALSE(editing());
    EXPECT_EQ(filter(0), u"keep");
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_BEGINFILTEREDIT, HDN_ENDFILTEREDIT}));
    // Escape after the timeout told a change: the old filter comes back, and that is a change.
    parent().notes.clear();
    SendMessageW(h, HDM_EDITFILTER, 0, 0);
    Screen::TypeText(u"gone");
    platform->AdvanceTime(1100);
    EXPECT_EQ(filter(0), u"gone");
    Screen::KeyPress(VK_ESCAPE);
    EXPECT_EQ(filter(0), u"keep");
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_BEGINFILTEREDIT, HDN_FILTERCHANGE, HDN_ENDFILTEREDIT,
                                          HDN_FILTERCHANGE}));
    // The edit losing the focus keeps what was typed.
    parent().notes.clear();
    SendMessageW(h, HDM_EDITFILTER, 0, 0);
    Screen::TypeText(u"q");
    SetFocus(host);
    EXPECT_FALSE(editing());
    EXPECT_EQ(filter(0), u"q");
    EXPECT_EQ(codes(),
              (std::vector<UINT>{HDN_BEGINFILTEREDIT, HDN_ENDFILTEREDIT, HDN_FILTERCHANGE}));
    // HDM_EDITFILTER while editing: TRUE in the low word discards the edit under way.
    parent().notes.clear();
    SendMessageW(h, HDM_EDITFILTER, 0, 0);
    Screen::TypeText(u"zzz");
    SendMessageW(h, HDM_EDITFILTER, 1, MAKELPARAM(TRUE, 0));
    EXPECT_EQ(filter(0), u"q");
    EXPECT_EQ(codes(),
              (std::vector<UINT>{HDN_BEGINFILTEREDIT, HDN_ENDFILTEREDIT, HDN_BEGINFILTEREDIT}));
    SendMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0);  // harmless: the header is not tracking
}

TEST_F(HeaderFilterTest, NumberFiltersTakeDigits) {
    click(h, 200, fy);
    ASSERT_TRUE(editing());
    EXPECT_TRUE(GetWindowLongW(GetFocus(), GWL_STYLE) & ES_NUMBER);
    Screen::TypeText(u"42");
    Screen::KeyPress(VK_RETURN);
    int value = 0;
    EXPECT_EQ(number(value), HDFT_ISNUMBER);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(notes(HDN_FILTERCHANGE).at(0).item, 1);
}

TEST_F(HeaderFilterTest, DateFiltersRoundTripAndAreEditedAsText) {
    SYSTEMTIME day{};
    day.wYear = 2024;
    day.wMonth = 2;
    day.wDay = 29;
    day.wDayOfWeek = 4;
    day.wHour = 13;  // kept as given: the header does not touch the time
    setDate(&day);
    SYSTEMTIME back{};
    EXPECT_EQ(date(back), HDFT_ISDATE);
    EXPECT_EQ(back, day);
    setDate(nullptr);
    EXPECT_EQ(date(back), HDFT_ISDATE | HDFT_HASNOVALUE);
    EXPECT_EQ(back, SYSTEMTIME{}) << "nothing is copied out without a value";
    setDate(&day);
    // Another type asked for: the type is told, the value is not copied.
    int value = 77;
    EXPECT_EQ(number(value), HDFT_ISDATE);
    EXPECT_EQ(value, 77);

    // Editing shows the date as text; a date typed over it is taken, at midnight.
    parent().notes.clear();
    ASSERT_TRUE(SendMessageW(h, HDM_EDITFILTER, 1, 0));
    ASSERT_TRUE(editing());
    char16_t shown[40] = {};
    GetWindowTextW(GetFocus(), shown, 40);
    EXPECT_EQ(std::u16string(shown), u"2024-02-29");
    EXPECT_FALSE(GetWindowLongW(GetFocus(), GWL_STYLE) & ES_NUMBER);
    Screen::TypeText(u"2025-12-24");
    Screen::KeyPress(VK_RETURN);
    EXPECT_EQ(date(back), HDFT_ISDATE);
    EXPECT_EQ(DateToText(back), u"2025-12-24");
    EXPECT_EQ(back.wDayOfWeek, 3);
    EXPECT_EQ(back.wHour, 0);
    EXPECT_EQ(codes(),
              (std::vector<UINT>{HDN_BEGINFILTEREDIT, HDN_ENDFILTEREDIT, HDN_FILTERCHANGE}));
    EXPECT_EQ(notes(HDN_FILTERCHANGE).at(0).item, 1);

    // Text that is not a date, committed or left for the timeout, changes nothing.
    parent().notes.clear();
    SendMessageW(h, HDM_EDITFILTER, 1, 0);
    Screen::TypeText(u"2025-02-30");
    platform->AdvanceTime(1100);
    Screen::KeyPress(VK_RETURN);
    EXPECT_EQ(DateToText((date(back), back)), u"2025-12-24");
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_BEGINFILTEREDIT, HDN_ENDFILTEREDIT}));
    parent().notes.clear();
    click(h, 200, fy);
    Screen::TypeText(u"soon");
    SetFocus(host);
    EXPECT_EQ(DateToText((date(back), back)), u"2025-12-24");
    EXPECT_TRUE(notes(HDN_FILTERCHANGE).empty());

    // An emptied edit leaves the filter without a value; clearing does the same.
    SendMessageW(h, HDM_EDITFILTER, 1, 0);
    SendMessageW(GetFocus(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u""));
    Screen::KeyPress(VK_RETURN);
    EXPECT_EQ(date(back), HDFT_ISDATE | HDFT_HASNOVALUE);
    setDate(&day);
    parent().notes.clear();
    EXPECT_TRUE(SendMessageW(h, HDM_CLEARFILTER, 1, 0));
    EXPECT_EQ(date(back), HDFT_ISDATE | HDFT_HASNOVALUE);
    EXPECT_EQ(codes(), std::vector<UINT>{HDN_FILTERCHANGE});
}

TEST_F(HeaderFilterTest, FilterButtonsAndClearing) {
    RECT cell = rectOf(h, 0);
    click(h, 145, fy);
    ASSERT_EQ(codes(), std::vector<UINT>{HDN_FILTERBTNCLICK});
    EXPECT_EQ(told()[0].item, 0);
    EXPECT_EQ(told()[0].rc, (RECT{134, rowHeight(h), 150, cell.bottom}));
    EXPECT_FALSE(editing());
    parent().notes.clear();
    parent().answer[HDN_FILTERBTNCLICK] = TRUE;
    click(h, 295, fy);
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_FILTERBTNCLICK, HDN_FILTERCHANGE}));
    EXPECT_EQ(told()[1].item, 1);

    SendMessageW(h, HDM_EDITFILTER, 0, 0);
    Screen::TypeText(u"text");
    Screen::KeyPress(VK_RETURN);
    parent().notes.clear();
    EXPECT_TRUE(SendMessageW(h, HDM_CLEARFILTER, 0, 0));
    EXPECT_EQ(filter(0), u"<none>");
    EXPECT_EQ(codes(), std::vector<UINT>{HDN_FILTERCHANGE});
    EXPECT_EQ(told()[0].item, 0);
    parent().notes.clear();
    EXPECT_TRUE(SendMessageW(h, HDM_CLEARFILTER, static_cast<WPARAM>(-1), 0));
    EXPECT_EQ(told().at(0).item, -1);
    EXPECT_FALSE(SendMessageW(h, HDM_CLEARFILTER, 5, 0));
}

TEST_F(HeaderFilterTest, TheFilterRowShowsTheFilters) {
    std::u16string text = u"WWWW";
    HDTEXTFILTERW tf{text.data(), 10};
    HDITEMW it;
    it.mask = HDI_FILTER;
    it.type = HDFT_ISSTRING;
    it.pvFilter = &tf;
    auto darkIn = [&](int left, int right) {
        int n = 0;
        for (int y = rowHeight(h) + 2; y < 2 * rowHeight(h) - 2; ++y)
            for (int x = left; x < right; ++x)
                if (dark(at(h, x, y))) ++n;
        return n;
    };
    EXPECT_EQ(darkIn(4, 120), 0);
    SendMessageW(h, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    EXPECT_GT(darkIn(4, 120), 10);
    EXPECT_EQ(at(h, 60, rowHeight(h) + rowHeight(h) - 3), GetSysColor(COLOR_WINDOW));

    // A date shows as yyyy-mm-dd: as wide as that text drawn in the header's font.
    EXPECT_EQ(darkIn(154, 280), 0);
    SYSTEMTIME day{};
    day.wYear = 2031;
    day.wMonth = 11;
    day.wDay = 18;
    setDate(&day);
    int first = 1000, last = -1;
    for (int x = 154; x < 280; ++x)
        for (int y = rowHeight(h) + 2; y < 2 * rowHeight(h) - 2; ++y)
            if (dark(at(h, x, y))) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    ASSERT_GE(last, first);
    const HDC dc = GetDC(h);
    const auto font = static_cast<std::uint32_t>(SendMessageW(h, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font ? HGDIOBJ(font) : GetStockObject(SYSTEM_FONT));
    SIZE extent{};
    GetTextExtentPoint32W(dc, u"2031-11-18", 10, &extent);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    EXPECT_NEAR(last - first + 1, extent.cx, 3);
    setDate(nullptr);
    EXPECT_EQ(darkIn(154, 280), 0);
}

}  // namespace
}  // namespace orvane::platform::test
