// The text box: events in order as keys and the mouse reach its edit window, the window built
// again (text kept) by the properties that change its style, the key hook keeping movement keys
// and Enter in the box, typing characters by their hex codes, the locked box, and its colours
// styled and plain at 96 and 144 DPI.
#include "controls/text/ucText.h"

#include "host/ErrorOf.h"
#include "platform/user/Edit.h"
#include "support/ControlTest.h"
#include "support/RoundTrip.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;

const std::map<int, std::string>& textEventNames() {
    static const std::map<int, std::string> names{
        {ucText::evChange, "Change"},         {ucText::evClick, "Click"},
        {ucText::evDblClick, "DblClick"},     {ucText::evKeyDown, "KeyDown"},
        {ucText::evKeyPress, "KeyPress"},     {ucText::evKeyUp, "KeyUp"},
        {ucText::evMouseDown, "MouseDown"},   {ucText::evMouseUp, "MouseUp"},
        {ucText::evMouseEnter, "MouseEnter"}, {ucText::evMouseLeave, "MouseLeave"},
        {ucText::evUpdate, "Update"},         {ucText::evContextMenu, "ContextMenu"}};
    return names;
}

class TextTest : public orvane::test::ControlTest {
protected:
    ucText& text(Form& form, Extender where = box(10, 10, 160, 24)) {
        auto& t = form.add<ucText>(u"ctl", -1, std::move(where));
        form.Show();
        pump();
        return t;
    }
    void TearDown() override {
        EnableTheming(TRUE);
        ControlTest::TearDown();
    }
    void type(std::u16string_view s) {
        platform->TypeText(s);
        pump();
    }
    // Alt held while `keys` are pressed.
    void withAlt(const std::string& keys) {
        platform->KeyDown(VK_MENU);
        for (char k : keys)
            platform->KeyPress(k);
        platform->KeyUp(VK_MENU);
        pump();
    }
    void focusBox(ucText& t) {
        SetFocus(t.editWindow());
        pump();
    }
};

TEST_F(TextTest, TypingRaisesItsEventsInOrderAndKeyPressMayChangeOrDropTheCharacter) {
    Form form(u"Form1");
    auto& t = text(form);
    focusBox(t);
    auto& events = record(t, textEventNames());
    key('A');
    EXPECT_EQ(events,
              (std::vector<std::string>{"KeyDown", "KeyPress", "Update", "Change", "KeyUp"}));
    EXPECT_EQ(t.Text(), u"a");
    EXPECT_TRUE(t.DataChanged());
    // A handler turns every character into 'x'; another swallows it with 0.
    int replacement = 'x';
    t.connect(ucText::evKeyPress, [&](std::vector<Variant>& a) {
        a[0] = Variant(static_cast<std::int16_t>(replacement));
    });
    type(u"b");
    EXPECT_EQ(t.Text(), u"ax");
    replacement = 0;
    type(u"c");
    EXPECT_EQ(t.Text(), u"ax");
    // Ctrl+A selects everything.
    platform->KeyDown(VK_CONTROL);
    key('A');
    platform->KeyUp(VK_CONTROL);
    EXPECT_EQ(t.SelLength(), 2);
    EXPECT_EQ(t.SelText(), u"ax");
}

TEST_F(TextTest, TextChangesOnlyWhenItDiffersAndReadsTrimmed) {
    Form form(u"Form1");
    auto& t = text(form);
    int changes = 0;
    t.connect(ucText::evChange, [&](std::vector<Variant>&) { ++changes; });
    t.Text(u"  padded  ");
    EXPECT_EQ(changes, 1);  // one Change, not one more for the window's own notification
    EXPECT_EQ(t.Text(), u"padded");
    EXPECT_EQ(t.SelText(), u"");
    t.DataChanged(false);
    TypeLibrary::current().put(t, u"Text", Variant(std::u16string(u"  padded  ")));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(t.DataChanged());
    // A lone surrogate is kept as it is.
    const std::u16string lone{u'a', char16_t(0xD800), u'b'};
    t.Text(lone);
    EXPECT_EQ(t.Text(), lone);
    // The limit: 0 reads back as 0 whatever the window's own maximum is.
    t.MaxLength(3);
    EXPECT_EQ(t.MaxLength(), 3);
    EXPECT_EQ(SendMessageW(t.editWindow(), EM_GETLIMITTEXT, 0, 0), 3);
    t.MaxLength(0);
    EXPECT_EQ(t.MaxLength(), 0);
    SendMessageW(t.editWindow(), EM_LIMITTEXT, 0x7FFFFFFE, 0);
    EXPECT_EQ(t.MaxLength(), 0);
    EXPECT_EQ(orvane::test::errorOf([&] { t.MaxLength(-1); }), 380);
}

TEST_F(TextTest, StylePropertiesBuildTheWindowAgainKeepingTheText) {
    Form form(u"Form1");
    auto& t = text(form);
    t.Text(u"kept");
    focusBox(t);
    const auto rebuilt = [&](const std::function<void()>& set) {
        const HWND before = t.editWindow();
        set();
        return t.editWindow() != before;
    };
    // Alignment and RightToLeft build again only when they change.
    EXPECT_FALSE(rebuilt([&] { t.Alignment(0); }));
    EXPECT_TRUE(rebuilt([&] { t.Alignment(2); }));
    EXPECT_TRUE(GetWindowLongW(t.editWindow(), GWL_STYLE) & ES_CENTER);
    EXPECT_FALSE(rebuilt([&] { t.RightToLeft(false); }));
    EXPECT_TRUE(rebuilt([&] { t.RightToLeft(true); }));
    EXPECT_TRUE(GetWindowLongW(t.editWindow(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    // The others always do, even set to the value they have.
    EXPECT_TRUE(rebuilt([&] { t.Appearance(AppearanceEnum::Flat); }));
    EXPECT_TRUE(rebuilt([&] { t.BorderStyle(BorderStyleEnum::FixedSingle); }));
    EXPECT_TRUE(rebuilt([&] { t.Locked(false); }));
    EXPECT_TRUE(rebuilt([&] { t.ScrollBars(ucText::sbNone); }));
    EXPECT_TRUE(rebuilt([&] { t.MultiLine(true); }));
    EXPECT_EQ(t.Text(), u"kept");
    // The new window keeps the focus and the settings that live in the window.
    EXPECT_EQ(GetFocus(), t.editWindow());
    t.Appearance(AppearanceEnum::ThreeD);
    EXPECT_TRUE(GetWindowLongW(t.editWindow(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongW(t.editWindow(), GWL_STYLE) & WS_BORDER);
    t.ScrollBars(ucText::sbBoth);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(t.editWindow(), GWL_STYLE));
    EXPECT_EQ(style & (ES_MULTILINE | WS_VSCROLL | WS_HSCROLL),
              ES_MULTILINE | WS_VSCROLL | WS_HSCROLL);
    EXPECT_TRUE(style & ES_NOHIDESEL);
    EXPECT_EQ(t.Text(), u"kept");
}

TEST_F(TextTest, TheKeyHookKeepsMovementAndEnterInTheBox) {
    Form form(u"Form1");
    auto& t = text(form, box(10, 10, 160, 80));
    auto& after = form.add<ucText>(u"after", -1, box(10, 100, 160, 24));
    t.Text(u"abc");
    focusBox(t);
    t.SelStart(3);
    key(VK_LEFT);
    key(VK_LEFT);
    EXPECT_EQ(t.SelStart(), 1);
    key(VK_HOME);
    EXPECT_EQ(t.SelStart(), 0);
    key(VK_END);
    EXPECT_EQ(t.SelStart(), 3);
    EXPECT_EQ(GetFocus(), t.editWindow());
    // A single-line box: Enter reaches the edit window (which types nothing).
    auto& events = record(t, textEventNames());
    key(VK_RETURN);
    EXPECT_EQ(events, (std::vector<std::string>{"KeyDown", "KeyPress", "KeyUp"}));
    EXPECT_EQ(t.Text(), u"abc");
    // A multi-line box: Enter breaks the line, and Undo takes the break back.
    t.MultiLine(true);
    t.SelStart(1);
    key(VK_RETURN);
    EXPECT_EQ(t.Text(), u"a\r\nbc");
    EXPECT_EQ(t.LineCount(), 2);
    EXPECT_EQ(t.LineForCharacterIndex(4), 1);
    key(VK_DOWN);
    key(VK_UP);
    EXPECT_EQ(GetFocus(), t.editWindow());
    SendMessageW(t.editWindow(), EM_UNDO, 0, 0);
    EXPECT_EQ(t.Text(), u"abc");
    // Tab still leaves.
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), after.editWindow());
}

TEST_F(TextTest, ALockedBoxOnlyCopiesAndMoves) {
    Form form(u"Form1");
    auto& t = text(form);
    t.Text(u"fixed");
    t.Locked(true);
    EXPECT_TRUE(GetWindowLongW(t.editWindow(), GWL_STYLE) & ES_READONLY);
    focusBox(t);
    t.SelStart(0);
    key(VK_DELETE);
    type(u"zz");
    key(VK_BACK);
    EXPECT_EQ(t.Text(), u"fixed");
    // Ctrl+A then Ctrl+C still copy.
    platform->KeyDown(VK_CONTROL);
    key('A');
    key('C');
    platform->KeyUp(VK_CONTROL);
    ASSERT_TRUE(OpenClipboard(HWND()));
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_TRUE(data);
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(GlobalLock(data))), u"fixed");
    GlobalUnlock(data);
    CloseClipboard();
}

TEST_F(TextTest, AltTypesCharactersByTheirHexCodes) {
    Form form(u"Form1");
    auto& t = text(form);
    focusBox(t);
    // Alt held over four hex digits types the character at the caret.
    withAlt("00E9");
    EXPECT_EQ(t.Text(), u"\u00E9");
    EXPECT_EQ(t.SelStart(), 1);
    // Not hex digits: nothing is typed, and the next four start afresh.
    withAlt("00G9");
    EXPECT_EQ(t.Text(), u"\u00E9");
    withAlt("0041");
    EXPECT_EQ(t.Text(), u"\u00E9A");
    // Fewer than four wait for the rest.
    withAlt("00");
    EXPECT_EQ(t.Text(), u"\u00E9A");
    withAlt("42");
    EXPECT_EQ(t.Text(), u"\u00E9AB");
    // Beyond the Basic Multilingual Plane: the two halves of a surrogate pair.
    withAlt("D83D");
    withAlt("DE00");
    EXPECT_EQ(t.Text(), u"\u00E9AB\U0001F600");
    EXPECT_EQ(t.SelStart(), 5);
}

TEST_F(TextTest, AltXTurnsTheFourDigitsBeforeTheCaretIntoTheirCharacter) {
    Form form(u"Form1");
    auto& t = text(form);
    focusBox(t);
    t.Text(u"caf00e9!");
    t.SelStart(7);
    withAlt("X");
    EXPECT_EQ(t.Text(), u"caf\u00E9!");
    EXPECT_EQ(t.SelStart(), 4);
    t.Text(u"x00G9");
    t.SelStart(5);
    withAlt("X");
    EXPECT_EQ(t.Text(), u"x00G9");
    t.Text(u"E9");  // fewer than four before the caret
    t.SelStart(2);
    withAlt("X");
    EXPECT_EQ(t.Text(), u"E9");
    EXPECT_EQ(ucText::HexToUni(u"00e9"), u"");  // lower case is not taken as it stands
    EXPECT_EQ(ucText::HexToUni(u"D83DDE00"), u"\U0001F600");
}

TEST_F(TextTest, MouseEventsCarryButtonsAndTheRightButtonClicksToo) {
    Form form(u"Form1");
    auto& t = text(form);
    auto& events = record(t, textEventNames());
    bool cancelMenu = true;
    t.connect(ucText::evContextMenu, [&](std::vector<Variant>& a) { a[0] = Variant(cancelMenu); });
    std::vector<std::int16_t> buttons;
    t.connect(ucText::evMouseUp, [&](std::vector<Variant>& a) { buttons.push_back(CInt(a[0])); });
    const POINT p = platform->ClientToScreenPoint(t.editWindow(), 20, 8);
    platform->MouseMove(p.x, p.y);
    pump();
    platform->MouseDown(platform::testing::MouseButton::Right);
    platform->MouseUp(platform::testing::MouseButton::Right);
    pump();
    EXPECT_EQ(events, (std::vector<std::string>{"MouseEnter", "MouseDown", "ContextMenu", "MouseUp",
                                                "Click"}));
    EXPECT_EQ(buttons, (std::vector<std::int16_t>{2}));
    events.clear();
    platform->AdvanceTime(1000);
    platform->DoubleClick(p.x, p.y);
    pump();
    EXPECT_EQ(events, (std::vector<std::string>{"MouseDown", "MouseUp", "Click", "DblClick",
                                                "MouseUp", "Click"}));
    events.clear();
    moveAway();
    EXPECT_EQ(events, (std::vector<std::string>{"MouseLeave"}));
}

TEST_F(TextTest, VerticalScrollingNeedsVerticalBars) {
    Form form(u"Form1");
    auto& t = text(form, box(10, 10, 160, 60));
    std::u16string lines;
    for (int i = 0; i < 40; ++i)
        lines += u"line " + CStr(Variant(std::int32_t{i})) + u"\r\n";
    t.MultiLine(true);
    t.Text(lines);
    t.ScrollVertical(5);
    pump();
    EXPECT_EQ(t.ScrollVertical(), 0);
    EXPECT_EQ(t.GetFirstVisibleLine(), 0);
    t.ScrollBars(ucText::sbVertical);
    t.ScrollVertical(5);
    pump();
    EXPECT_EQ(t.ScrollVertical(), 5);
    EXPECT_EQ(t.GetFirstVisibleLine(), 5);
    t.ScrollToLine(20);
    EXPECT_EQ(t.GetFirstVisibleLine(), 19);
    EXPECT_EQ(t.SelStart(), static_cast<std::int32_t>(lines.find(u"line 19")));
    // With both bars long lines scroll sideways: each counts as one line on the vertical bar.
    t.ScrollBars(ucText::sbBoth);
    std::u16string wide;
    for (int i = 0; i < 40; ++i)
        wide += std::u16string(300, u'w') + u"\r\n";
    t.Text(wide);
    t.ScrollVertical(7);
    pump();
    EXPECT_EQ(t.GetFirstVisibleLine(), 7);
    EXPECT_EQ(t.ScrollVertical(), 7);
}

TEST_F(TextTest, HandlersMayRebuildOrRemoveTheBoxWhileItTypes) {
    Form form(u"Form1");
    auto& t = text(form);
    focusBox(t);
    t.connect(ucText::evChange, [&](std::vector<Variant>&) { t.MultiLine(!t.MultiLine()); });
    type(u"ab");
    EXPECT_EQ(t.Text(), u"ab");
    EXPECT_TRUE(IsWindow(t.editWindow()));
    auto& doomed = form.add<ucText>(u"doomed", -1, box(10, 60, 160, 24));
    doomed.connect(ucText::evKeyPress, [&](std::vector<Variant>&) { form.remove(doomed); });
    SetFocus(doomed.editWindow());
    type(u"q");
    key('W');
    EXPECT_EQ(form.Controls().size(), 1u);
}

TEST_F(TextTest, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& { return text(form); };
    const auto change = [](UserControl& ctl) {
        auto& t = static_cast<ucText&>(ctl);
        t.Alignment(2);
        t.Appearance(AppearanceEnum::ThreeD);
        t.BackColor(0x123456);
        t.BorderStyle(BorderStyleEnum::None);
        t.CueBanner(u"Search\u2026");
        t.Enabled(false);
        t.ForeColor(0x654321);
        t.HideSelection(true);
        t.LeftMargin(3);
        t.RightMargin(4);
        t.Locked(true);
        t.LockedBackColor(0x00FFFF);
        t.LockedForeColor(0x0000FF);
        t.MaxLength(50);
        t.MultiLine(true);
        t.OLEDragMode(1);
        t.OLEDropMode(2);
        t.PasswordChar(u"*");
        t.RightToLeft(true);
        t.ScrollBars(ucText::sbBoth);
        t.Tag(u"t\u00E4g");
        t.Text(u"\u65E5\u672C line");
        t.DataChanged(false);
        t.SelStart(0);
    };
    const orvane::test::RoundTrip trip = orvane::test::roundTrip(
        u"ucText", make, change,
        {u"DataChanged", u"SelStart", u"SelLength", u"SelText", u"ScrollVertical"});
    EXPECT_GE(trip.compared, 25);
}

using TextPixelTest = orvane::test::AtDpi<TextTest>;

TEST_P(TextPixelTest, ColoursFollowTheStateStyledAndPlain) {
    for (BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        Form form(u"Form1");
        auto& t = text(form, box(10, 10, 160, 24));
        const HWND edit = t.editWindow();
        t.BackColor(0x00FFFF);  // yellow
        t.ForeColor(0x0000FF);  // red
        t.Text(u"\u2588\u2588\u2588\u2588");
        pump();
        RECT rc{};
        GetClientRect(edit, &rc);
        const int midY = rc.bottom / 2;
        EXPECT_EQ(platform->ClientPixel(edit, rc.right - 3, midY), RGB(255, 255, 0));
        // The full blocks are drawn in the fore colour just inside the left edge.
        EXPECT_EQ(platform->ClientPixel(edit, px(4), midY), RGB(255, 0, 0));
        t.Locked(true);
        pump();
        EXPECT_EQ(platform->ClientPixel(t.editWindow(), rc.right - 3, midY),
                  GetSysColor(COLOR_BTNFACE));
        t.Locked(false);
        t.Enabled(false);
        pump();
        EXPECT_EQ(platform->ClientPixel(t.editWindow(), rc.right - 3, midY), RGB(0xE3, 0xE3, 0xE3));
        // The cue banner shows in grey while the box is empty.
        t.Enabled(true);
        t.Text(u"");
        t.CueBanner(u"\u2588\u2588");
        pump();
        EXPECT_EQ(platform->ClientPixel(t.editWindow(), px(4), midY), GetSysColor(COLOR_GRAYTEXT));
        // A flat border is a line in the window's frame: the client is smaller than the box.
        EXPECT_LT(rc.right, static_cast<int>(t.ScaleWidth()));
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, TextPixelTest, ::testing::Values(96, 144));

TEST_F(TextTest, ManyBoxesComeAndGoWithoutLeavingAnything) {
    Form form(u"Form1");
    form.Show();
    for (int i = 0; i < 200; ++i) {
        auto& t = form.add<ucText>(u"ctl", -1, box(0, 0, 120, 40));
        t.Text(u"x");
        t.MultiLine(i % 2 == 0);
        SetFocus(t.editWindow());
        t.Enabled(false);  // a brush for the disabled colours
        t.Refresh();
        pump();
        form.remove(t);
    }
    pump();
}

}  // namespace
