// The text group: laid out as the check group, its events under their own numbers, the edit
// field opened over an item by a double click or F2, Enter storing the text in that item alone
// (Change also for an unchanged text), other keys reaching the field without storing, Escape
// cancelling, the focus leaving storing, handlers removing the group or the field, every
// property through a form file, its faces with and without visual styles at 96 and 144 DPI,
// and groups with open fields made and destroyed without leaving anything behind.
#include <algorithm>

#include "controls/buttons/ChoiceGroupFixture.h"
#include "controls/buttons/ucButton.h"
#include "controls/buttons/ucTextGroup.h"
#include "framework/StringsAndFiles.h"
#include "host/FormFile.h"
#include "platform/gdi/GdiTestSupport.h"
#include "platform/user/Edit.h"
#include "support/RoundTrip.h"

using namespace orvane;
using namespace orvane::platform;
using orvane::test::box;

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

class TextGroupFixture : public orvane::test::ChoiceGroupFixture {
protected:
    ucTextGroup& textGroup(Form& form, const std::u16string& caption,
                           const std::u16string& name = u"txt",
                           Extender where = box(10, 10, 300, 120)) {
        return group<ucTextGroup>(form, caption, name, std::move(where));
    }
    void doubleClickItem(ChoiceGroup& g, int item) {
        const POINT p = centre(g, item);
        platform->DoubleClick(p.x, p.y);
        pump();
        platform->AdvanceTime(1000);  // the next click is no double click
    }
    void type(std::u16string_view text) {
        platform->TypeText(text);
        pump();
    }
    static std::u16string editorText(const ucTextGroup& g) {
        std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(g.editor())) + 1, u'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(g.editor(), text.data(), static_cast<int>(text.size()))));
        return text;
    }
    static bool editorShown(const ucTextGroup& g) {
        return g.editedItem() >= 0 && IsWindowVisible(g.editor()) && IsWindowEnabled(g.editor()) &&
               GetFocus() == g.editor();
    }
    // The field's rectangle in the group's client area.
    static RECT editorPlace(const ucTextGroup& g) {
        RECT r{};
        GetWindowRect(g.editor(), &r);
        MapWindowPoints(HWND(), g.hWnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // Records the group's events by name, with the item for those that carry one and the text
    // for Change.
    std::vector<std::string>& recordText(ucTextGroup& g) {
        using T = ucTextGroup;
        static const std::map<int, std::string> names{
            {T::evChange, "Change"},         {T::evClick, "Click"},
            {T::evItemClick, "ItemClick"},   {T::evKeyDown, "KeyDown"},
            {T::evKeyPress, "KeyPress"},     {T::evKeyUp, "KeyUp"},
            {T::evMouseDown, "MouseDown"},   {T::evMouseUp, "MouseUp"},
            {T::evMouseEnter, "MouseEnter"}, {T::evMouseLeave, "MouseLeave"}};
        m_events.clear();
        for (const auto& [n, name] : names) {
            const bool item = n == T::evChange || n == T::evItemClick || n == T::evMouseDown ||
                              n == T::evMouseUp || n == T::evMouseEnter || n == T::evMouseLeave;
            g.connect(n, [this, n = n, name = name, item](std::vector<Variant>& a) {
                // An event raised with too few arguments shows "?" instead of failing here.
                const auto arg = [&a](std::size_t k, auto show) {
                    return k < a.size() ? show(a[k]) : std::string("?");
                };
                std::string e = name;
                if (item)
                    e += " " + arg(0, [](const Variant& v) { return std::to_string(CLng(v)); });
                if (n == T::evChange)
                    e += " " + arg(1, [](const Variant& v) { return ToUtf8(CStr(v)); });
                m_events.push_back(e);
            });
        }
        return m_events;
    }
};

class TextGroupBehaviour : public TextGroupFixture {};

// --- Layout, members and event numbers ---

TEST_F(TextGroupBehaviour, ItemsAreLaidOutAsTheCheckGroupLaysThemOut) {
    Form form(u"Form1");
    const std::u16string captions = u"one|a longer one|three|four|five";
    auto& text = textGroup(form, captions, u"txt", box(10, 10, 400, 150));
    auto& check = group<ucCheckGroup>(form, captions, u"chk", box(10, 170, 400, 150));
    for (ChoiceGroup* g : {static_cast<ChoiceGroup*>(&text), static_cast<ChoiceGroup*>(&check)}) {
        g->RowsPerColumn(2);
        g->CheckSize(20);
    }
    const auto sameItems = [&] {
        ASSERT_EQ(text.layoutResult().items.size(), 5u);
        ASSERT_EQ(check.layoutResult().items.size(), 5u);
        EXPECT_EQ(text.layoutResult().rows, 2);
        for (int i = 0; i < 5; ++i)
            EXPECT_TRUE(
                EqualRect(&text.layoutResult().items[i].rect, &check.layoutResult().items[i].rect))
                << "item " << i;
    };
    sameItems();
    // Three columns of two rows, the third column holding the last item alone.
    EXPECT_EQ(text.layoutResult().items[4].rect.top, text.layoutResult().items[0].rect.top);
    EXPECT_GT(text.layoutResult().items[4].rect.left, text.layoutResult().items[2].rect.left);
    for (ChoiceGroup* g : {static_cast<ChoiceGroup*>(&text), static_cast<ChoiceGroup*>(&check)}) {
        g->RightToLeft(true);
        g->Autosize(true);
    }
    sameItems();
    EXPECT_EQ(text.Width(), check.Width());
    EXPECT_EQ(text.Height(), check.Height());
    // The text group has no glyph: its caption takes the glyph's room.
    EXPECT_EQ(text.layoutResult().items[0].glyph.right - text.layoutResult().items[0].glyph.left,
              0);
    EXPECT_GT(text.layoutResult().items[0].text.right - text.layoutResult().items[0].text.left,
              check.layoutResult().items[0].text.right - check.layoutResult().items[0].text.left);
}

TEST_F(TextGroupBehaviour, PublishesItsMembersAndChangeBeforeTheFamilysEvents) {
    TypeLibrary& lib = TypeLibrary::current();
    const ClassInfo* info = lib.findClass(u"ucTextGroup");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->create != nullptr);
    const auto has = [info](const std::u16string& member) {
        const auto named = [&member](const auto& m) { return m.name == member; };
        return std::any_of(info->properties.begin(), info->properties.end(), named) ||
               std::any_of(info->methods.begin(), info->methods.end(), named);
    };
    const std::u16string members =
        u"Alignment Alpha Appearance Autosize BackColor BackColorHot BackColorPressed BackStyle "
        u"BorderColor BorderColorHot BorderColorPressed BorderStyle Borderwidth Caption CheckSize "
        u"Count Enabled Font ForeColor ForeColorSelected FrameInterval GC GrayScale ImageKeys "
        u"ImagePath ImageSize InitTooltip ItemToolTips PNG Refresh RightToLeft RowsPerColumn "
        u"SelCaption SelectedIndex ShowImage Sorted Stretch Text";
    for (const std::u16string& member : SplitText(members, u' '))
        EXPECT_TRUE(has(member)) << ToUtf8(member);
    for (const std::u16string& member :
         SplitText(u"States GroupNames Value ToggleCheck Angle", u' '))
        EXPECT_FALSE(has(member)) << ToUtf8(member);

    // Change is 1; the family's events follow it, each one number later than in the check
    // group, whose numbers stay as they were.
    const std::vector<std::u16string> order{u"Change",   u"Click",      u"ItemClick", u"KeyDown",
                                            u"KeyPress", u"KeyUp",      u"MouseDown", u"MouseMove",
                                            u"MouseUp",  u"MouseEnter", u"MouseLeave"};
    ASSERT_EQ(info->events.size(), order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(info->events[i].name, order[i]);
        EXPECT_EQ(info->events[i].number, static_cast<int>(i) + 1) << ToUtf8(order[i]);
    }
    EXPECT_EQ(info->events[0].params, (std::vector<std::u16string>{u"SelIndex", u"Text"}));
    EXPECT_EQ(info->events[6].params.front(), u"SelIndex");
    const ClassInfo* check = lib.findClass(u"ucCheckGroup");
    ASSERT_EQ(check->events.size(), order.size() - 1);
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        EXPECT_EQ(check->events[i].name, order[i + 1]);
        EXPECT_EQ(check->events[i].number, static_cast<int>(i) + 1);
    }
}

TEST_F(TextGroupBehaviour, TheFamilysEventsAreRaisedUnderTheirOwnNumbers) {
    Form form(u"Form1");
    auto& g = textGroup(form, u"a|b|c");
    auto& events = recordText(g);
    clickItem(g, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"MouseEnter 1", "MouseDown 1", "MouseUp 1",
                                                "ItemClick 1", "Click"}));
    EXPECT_EQ(g.SelIndex(), 1);
    events.clear();
    g.SelIndex(2);  // a click, never a Change
    moveAway();
    EXPECT_EQ(events, (std::vector<std::string>{"Click", "MouseLeave 1"}));
    // The arrows move the selection as in the option group.
    focus(g);
    events.clear();
    key(VK_UP);
    EXPECT_EQ(g.SelIndex(), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"KeyDown", "Click", "KeyUp"}));
}

// --- Opening the field ---

TEST_F(TextGroupBehaviour, ADoubleClickOpensTheFieldOverThatItemWithItsTextSelected) {
    Form form(u"Form1");
    auto& g = textGroup(form, u"alpha|beta|gamma");
    g.RowsPerColumn(2);
    ASSERT_TRUE(IsWindow(g.editor()));
    EXPECT_FALSE(IsWindowVisible(g.editor()));
    EXPECT_EQ(GetParent(g.editor()), g.hWnd());
    EXPECT_TRUE(GetWindowLongW(g.editor(), GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_FALSE(GetWindowLongW(g.editor(), GWL_STYLE) & ES_MULTILINE);

    doubleClickItem(g, 2);
    EXPECT_EQ(g.editedItem(), 2);
    EXPECT_TRUE(editorShown(g));
    EXPECT_EQ(editorText(g), u"gamma");
    DWORD from = 0, to = 0;
    SendMessageW(g.editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 5u);
    // Over the item's caption, inside its face.
    const RECT field = editorPlace(g);
    const ChoiceGroupLayout::Item& item = g.layoutResult().items[2];
    RECT inside{};
    EXPECT_TRUE(IntersectRect(&inside, &field, &item.rect));
    EXPECT_TRUE(EqualRect(&inside, &field));
    EXPECT_EQ(field.left, item.text.left);
    EXPECT_EQ(field.right, item.text.right);
    EXPECT_GT(field.bottom - field.top, g.layoutResult().lineHeight - 1);

    // F2 on the selected item opens it there.
    key(VK_ESCAPE);
    EXPECT_EQ(g.editedItem(), -1);
    EXPECT_EQ(GetFocus(), g.hWnd());
    g.SelIndex(1);
    key(VK_F2);
    EXPECT_EQ(g.editedItem(), 1);
    EXPECT_TRUE(editorShown(g));
    EXPECT_EQ(editorText(g), u"beta");
    const RECT second = editorPlace(g);
    EXPECT_EQ(second.top, field.top + g.layoutResult().rowHeight);  // the row below, column 0

    // A new size or font moves an open field with its item.
    g.RightToLeft(true);
    EXPECT_EQ(editorPlace(g).left, g.layoutResult().items[1].text.left);
    EXPECT_NE(editorPlace(g).left, second.left);
    key(VK_ESCAPE);
}

TEST_F(TextGroupBehaviour, NothingOpensTheFieldWithoutAnItemOrWhileTheFormIsDesigned) {
    Form form(u"Form1");
    auto& g = textGroup(form, u"a|b|c");
    focus(g);
    key(VK_F2);  // nothing selected
    EXPECT_EQ(g.editedItem(), -1);
    // A KeyDown handler that takes F2 keeps it closed.
    g.SelIndex(0);
    const int taker = g.connect(ucTextGroup::evKeyDown, [](std::vector<Variant>& a) {
        if (CInt(a[0]) == VK_F2) a[0] = Variant(std::int16_t{0});
    });
    key(VK_F2);
    EXPECT_EQ(g.editedItem(), -1);
    g.disconnect(taker);
    // Between items a double click opens nothing.
    const RECT last = g.layoutResult().items[2].rect;
    const POINT below = at(g, last.left + 5, last.bottom + 5);
    platform->DoubleClick(below.x, below.y);
    pump();
    EXPECT_EQ(g.editedItem(), -1);
    // A disabled group opens nothing.
    platform->AdvanceTime(1000);
    g.Enabled(false);
    doubleClickItem(g, 0);
    EXPECT_EQ(g.editedItem(), -1);

    Form design(u"Design", false);
    auto& d = design.add<ucTextGroup>(u"txt", -1, box(10, 10, 300, 120));
    d.Caption(u"a|b");
    design.Show();
    pump();
    doubleClickItem(d, 0);
    EXPECT_EQ(d.editedItem(), -1);
    EXPECT_FALSE(IsWindowVisible(d.editor()));
}

// --- Storing and cancelling ---

TEST_F(TextGroupBehaviour, EnterStoresTheTextInThatItemAloneAndRaisesChange) {
    Form form(u"Form1");
    auto& g = textGroup(form, u"alpha|beta|gamma");
    auto& ok = form.add<ucButton>(u"ok", -1, box(10, 140, 80, 30));
    auto& cancel = form.add<ucButton>(u"cancel", -1, box(100, 140, 80, 30));
    form.Default(&ok);
    form.Cancel(&cancel);
    int buttonClicks = 0;
    for (ucButton* b : {&ok, &cancel})
        b->connect(ucButton::evClick, [&buttonClicks](std::vector<Variant>&) { ++buttonClicks; });
    const int widthBefore = g.layoutResult().columnWidth;
    auto& events = recordText(g);

    doubleClickItem(g, 1);
    events.clear();
    type(u"a much longer pear");
    key(VK_RETURN);
    // Enter's release reaches the group, which has the focus again.
    EXPECT_EQ(events, (std::vector<std::string>{"Change 1 a much longer pear", "KeyUp"}));
    EXPECT_EQ(g.Caption(), u"alpha|a much longer pear|gamma");
    EXPECT_EQ(g.Text(0), u"alpha");
    EXPECT_EQ(g.Text(2), u"gamma");
    EXPECT_TRUE(g.changed());
    // Laid out again for the wider caption, the field closed and the focus back on the group;
    // the form's default button was not pressed.
    EXPECT_GT(g.layoutResult().columnWidth, widthBefore);
    EXPECT_EQ(g.layoutResult().items[1].textWidth, g.layoutResult().columnWidth - 6 - 16);
    EXPECT_EQ(g.editedItem(), -1);
    EXPECT_FALSE(IsWindowVisible(g.editor()));
    EXPECT_FALSE(IsWindowEnabled(g.editor()));
    EXPECT_EQ(GetFocus(), g.hWnd());
    EXPECT_EQ(buttonClicks, 0);

    // An unchanged text still raises Change, with that text.
    events.clear();
    key(VK_F2);
    key(VK_RETURN);
    EXPECT_EQ(events,
              (std::vector<std::string>{"KeyDown", "Change 1 a much longer pear", "KeyUp"}));
    EXPECT_EQ(g.Caption(), u"alpha|a much longer pear|gamma");

    // "|" separates items, so it is never part of one: typed it is refused, pasted it is
    // dropped as the text is stored.
    events.clear();
    doubleClickItem(g, 0);
    type(u"x|y");
    EXPECT_EQ(editorText(g), u"xy");
    SetWindowTextW(g.editor(), u"p|q");
    key(VK_RETURN);
    EXPECT_EQ(g.Count(), 3);
    EXPECT_EQ(g.Text(0), u"pq");
    EXPECT_EQ(only(events, "Change"), std::vector<std::string>{"Change 0 pq"});

    // Sorted items store into their own caption field.
    g.Sorted(true);
    EXPECT_EQ(g.Text(2), u"pq");
    doubleClickItem(g, 2);
    type(u"zeta");
    key(VK_RETURN);
    EXPECT_EQ(g.Caption(), u"zeta|a much longer pear|gamma");
    EXPECT_EQ(g.Text(2), u"zeta");
    EXPECT_EQ(buttonClicks, 0);
}

TEST_F(TextGroupBehaviour, OtherKeysReachTheFieldWithoutStoringAndEscapeCancels) {
    Form form(u"Form1");
    auto& g = textGroup(form, u"alpha|beta|gamma");
    auto& cancel = form.add<ucButton>(u"cancel", -1, box(100, 140, 80, 30));
    form.Cancel(&cancel);
    int cancelClicks = 0;
    cancel.connect(ucButton::evClick, [&cancelClicks](std::vector<Variant>&) { ++cancelClicks; });
    auto& events = recordText(g);
    doubleClickItem(g, 1);
    events.clear();
    // The arrows, Home and End move the field's caret, not the group's selection.
    for (int vk : {VK_END, VK_LEFT, VK_LEFT, VK_HOME, VK_RIGHT, VK_DOWN, VK_UP})
        key(vk);
    DWORD from = 0, to = 0;
    SendMessageW(g.editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 1u);
    EXPECT_EQ(to, 1u);
    EXPECT_EQ(g.SelIndex(), 1);
    type(u"X");
    key(VK_BACK);
    key(VK_DELETE);
    key(VK_SPACE);
    key(VK_F2);
    EXPECT_EQ(editorText(g), u"b ta");
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(g.Caption(), u"alpha|beta|gamma");
    EXPECT_TRUE(editorShown(g));

    // Escape closes the field, keeps the text and presses no cancel button.
    key(VK_ESCAPE);
    EXPECT_TRUE(only(events, "Change").empty());
    EXPECT_EQ(g.Caption(), u"alpha|beta|gamma");
    EXPECT_EQ(g.editedItem(), -1);
    EXPECT_FALSE(IsWindowVisible(g.editor()));
    EXPECT_EQ(GetFocus(), g.hWnd());
    EXPECT_EQ(cancelClicks, 0);
    // The group has its keys back: Escape now reaches the form.
    key(VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 1);
}

TEST_F(TextGroupBehaviour, TheFocusLeavingTheFieldStoresTheEdit) {
    Form form(u"Form1");
    auto& g = textGroup(form, u"alpha|beta|gamma");
    auto& other = form.add<ucButton>(u"other", -1, box(10, 140, 80, 30));
    auto& events = recordText(g);
    // A click on another item stores first, then selects that item.
    doubleClickItem(g, 0);
    type(u"one");
    events.clear();
    clickItem(g, 2);
    const auto stored = std::find(events.begin(), events.end(), "Change 0 one");
    const auto pressed = std::find(events.begin(), events.end(), "MouseDown 2");
    ASSERT_NE(stored, events.end());
    EXPECT_LT(stored, pressed);
    EXPECT_EQ(only(events, "ItemClick"), std::vector<std::string>{"ItemClick 2"});
    EXPECT_EQ(g.Caption(), u"one|beta|gamma");
    EXPECT_EQ(g.SelIndex(), 2);
    EXPECT_FALSE(IsWindowVisible(g.editor()));
    // Tab moves on to the next control and stores.
    events.clear();
    key(VK_F2);
    type(u"three");
    key(VK_TAB);
    EXPECT_EQ(only(events, "Change"), std::vector<std::string>{"Change 2 three"});
    EXPECT_EQ(form.ActiveControl(), &other);
    EXPECT_EQ(g.editedItem(), -1);
    // The focus taken from code stores too.
    focus(g);
    key(VK_F2);
    type(u"3");
    events.clear();
    focus(other);
    EXPECT_EQ(events, std::vector<std::string>{"Change 2 3"});
    EXPECT_EQ(g.Text(2), u"3");
    // Disabling or hiding the group moves the focus on, and so stores.
    for (bool disable : {true, false}) {
        focus(g);
        key(VK_F2);
        type(disable ? u"off" : u"hidden");
        events.clear();
        if (disable)
            g.Enabled(false);
        else
            g.Extender().Visible(false);
        pump();
        EXPECT_EQ(only(events, "Change"),
                  std::vector<std::string>{disable ? "Change 2 off" : "Change 2 hidden"});
        EXPECT_EQ(g.editedItem(), -1);
        EXPECT_EQ(form.ActiveControl(), &other);
        g.Enabled(true);
        g.Extender().Visible(true);
    }
}

// --- Handlers ---

TEST_F(TextGroupBehaviour, AChangeHandlerMayRemoveTheGroupOrItsField) {
    // Removed as Enter stores, and as the focus leaving stores.
    for (bool byEnter : {true, false}) {
        Form form(u"Form1");
        auto& other = form.add<ucButton>(u"other", -1, box(10, 140, 80, 30));
        ucTextGroup* g = &textGroup(form, u"a|b");
        bool removed = false;
        g->connect(ucTextGroup::evChange, [&form, g, &removed](std::vector<Variant>&) {
            removed = true;
            form.remove(*g);
        });
        doubleClickItem(*g, 1);
        type(u"x");
        if (byEnter)
            key(VK_RETURN);
        else
            focus(other);
        EXPECT_TRUE(removed) << byEnter;
        EXPECT_EQ(form.Controls(), std::vector<UserControl*>{&other});
        key(VK_RETURN);
        platform->AdvanceTime(100);
        pump();
    }
    // A handler that destroys the field: the group goes on, and the next edit has a new one.
    Form form(u"Form1");
    auto& g = textGroup(form, u"a|b");
    int changes = 0;
    g.connect(ucTextGroup::evChange, [&g, &changes](std::vector<Variant>&) {
        if (++changes == 1) DestroyWindow(g.editor());
    });
    doubleClickItem(g, 0);
    type(u"x");
    key(VK_RETURN);
    EXPECT_FALSE(IsWindow(g.editor()));
    EXPECT_EQ(g.Text(0), u"x");
    doubleClickItem(g, 1);
    EXPECT_TRUE(editorShown(g));
    type(u"y");
    key(VK_RETURN);
    EXPECT_EQ(g.Caption(), u"x|y");
    EXPECT_EQ(changes, 2);
}

// Each event's handler removes the group that raised it, Change as Enter stores.
TEST_F(TextGroupBehaviour, AnyHandlerMayRemoveItsOwnGroup) {
    expectEachEventMayRemoveItsGroup(
        ucTextGroup::evChange, ucTextGroup::evMouseLeave,
        [this](Form& form) -> ChoiceGroup& { return textGroup(form, u"a|b"); });
}

// --- Form files ---

TEST_F(TextGroupBehaviour, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& { return textGroup(form, u"", u"ctl"); };
    const orvane::test::RoundTrip trip = orvane::test::roundTrip(
        u"ucTextGroup", make,
        [](UserControl& c) { setEveryProperty(static_cast<ucTextGroup&>(c)); });
    EXPECT_GE(trip.compared, 30);
    auto& back = static_cast<ucTextGroup&>(trip.loaded->control(u"ctl"));
    EXPECT_EQ(back.Caption(), u"one|two|three|four 🙂");
    EXPECT_EQ(back.SelIndex(), 2);
    const std::string text = FormFile::save(*trip.loaded);
    EXPECT_NE(text.find("\"AutoSIze\""), std::string::npos);
    EXPECT_NE(text.find("\"Borderwidth\""), std::string::npos);
    for (const char* absent : {"\"States\"", "\"GroupNames\"", "\"Angle\""})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
}

// --- Pixels ---

class TextGroupPixels : public orvane::test::AtDpi<TextGroupFixture> {
protected:
    void SetUp() override {
        TextGroupFixture::SetUp();
        EnableTheming(TRUE);
        moveAway();
    }
    ucTextGroup& whiteGroup(Form& form) {
        auto& g = textGroup(form, u"one|two|three", u"txt", box(10, 10, 300, 150));
        g.BackStyle(BackStyleEnum::bsOpaque);
        g.BackColor(kWhite);
        return g;
    }
    COLORREF at(const ucTextGroup& g, int x, int y) { return pixel(g, x, y); }
    // Pixels of the caption's strokes in an item's text: those far from `fill`.
    int strokes(const ucTextGroup& g, int item, COLORREF fill) {
        const RECT& r = g.layoutResult().items[item].text;
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                count += orvane::test::channelDistance(pixel(g, x, y), fill) > 96;
        return count;
    }
};

TEST_P(TextGroupPixels, WithVisualStylesItemsAreFramedInTheirStatesColours) {
    EnableTheming(TRUE);
    Form form(u"Form1");
    auto& g = whiteGroup(form);
    g.SelIndex(1);
    unfocus();
    const auto face = [&g](int i) {
        RECT f = g.layoutResult().items[i].rect;
        InflateRect(&f, -1, -1);
        return f;
    };
    const auto frame = [&](int i) {
        const RECT f = face(i);
        return at(g, f.left, (f.top + f.bottom) / 2);
    };
    EXPECT_EQ(frame(0), 0xADADADu);  // BorderColor
    EXPECT_EQ(at(g, face(0).left + 2, face(0).top + 2), kWhite);
    EXPECT_EQ(frame(1), 0x995400u);  // BorderColorPressed round the selected item
    EXPECT_EQ(at(g, face(1).left + 2, face(1).top + 2), 0xD77800u);  // BackColorPressed
    EXPECT_EQ(at(g, face(1).right - 1, face(1).bottom - 1), 0x995400u);
    // The captions: dark on white, light on the selected fill.
    EXPECT_GT(strokes(g, 0, kWhite), px(8));
    EXPECT_GT(strokes(g, 1, 0xD77800), px(8));
    int light = 0;
    const RECT& t = g.layoutResult().items[1].text;
    for (int y = t.top; y < t.bottom; ++y)
        for (int x = t.left; x < t.right; ++x)
            light += orvane::test::channelDistance(at(g, x, y), kWhite) < 48;
    EXPECT_GT(light, 3);
    // The hot item: BorderColorHot and BackColorHot.
    hoverItem(g, 2);
    EXPECT_EQ(frame(2), 0xD77800u);
    EXPECT_EQ(at(g, face(2).left + 2, face(2).top + 2), 0xF7E4CCu);
    moveAway();
    EXPECT_EQ(frame(2), 0xADADADu);
    // Disabled: grey frames on the disabled fill.
    g.Enabled(false);
    EXPECT_EQ(frame(0), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(at(g, face(0).left + 2, face(0).top + 2), 0xCCCCCCu);
}

TEST_P(TextGroupPixels, WithoutVisualStylesItemsAreSunkenFields) {
    EnableTheming(FALSE);
    Form form(u"Form1");
    auto& g = whiteGroup(form);
    g.BackColorPressed(kWhite);
    g.SelIndex(0);
    unfocus();
    for (int i = 0; i < 3; ++i) {
        RECT f = g.layoutResult().items[i].rect;
        InflateRect(&f, -1, -1);
        const int w = f.right - f.left, h = f.bottom - f.top;
        platform::test::Canvas c(w, h, kWhite);
        RECT rc{0, 0, w, h};
        DrawEdge(c.dc(), &rc, EDGE_SUNKEN, BF_RECT);
        for (const POINT p : {POINT{0, h / 2}, POINT{1, h / 2}, POINT{w / 2, 0}, POINT{w / 2, 1},
                              POINT{w - 1, h / 2}, POINT{w / 2, h - 1}, POINT{w - 2, h - 2}})
            EXPECT_EQ(at(g, f.left + p.x, f.top + p.y), c.at(p.x, p.y))
                << "item " << i << " at " << p.x << "," << p.y;
        EXPECT_GT(strokes(g, i, kWhite), px(8)) << "item " << i;
    }
    // The sunken edge is not the flat frame of the visual style.
    const RECT& r = g.layoutResult().items[1].rect;
    EXPECT_NE(at(g, r.left + 1, (r.top + r.bottom) / 2), 0xADADADu);
}

TEST_P(TextGroupPixels, TheOpenFieldCoversTheItemsCaption) {
    Form form(u"Form1");
    auto& g = whiteGroup(form);
    g.SelIndex(1);
    focus(g);
    const RECT text = g.layoutResult().items[1].text;
    const int x = text.left + 1, y = (text.top + text.bottom) / 2;
    EXPECT_EQ(at(g, x, y), 0xD77800u);  // the selected fill under the caption's start
    const int before = strokes(g, 1, 0xD77800);
    key(VK_F2);
    ASSERT_TRUE(IsWindowVisible(g.editor()));
    // The field's own window colour, its text selected in the highlight colour.
    const RECT field = editorPlace(g);
    EXPECT_EQ(at(g, field.left, field.top), GetSysColor(COLOR_WINDOW));
    // The selected text is centred in the field as the caption is in its item.
    struct Band {
        int pixels = 0, left = 0, right = 0;
    };
    const auto band = [&] {
        Band b{0, field.right, field.left};
        for (int fy = field.top; fy < field.bottom; ++fy)
            for (int fx = field.left; fx < field.right; ++fx)
                if (at(g, fx, fy) == GetSysColor(COLOR_HIGHLIGHT)) {
                    ++b.pixels;
                    b.left = std::min(b.left, fx);
                    b.right = std::max(b.right, fx + 1);
                }
        return b;
    };
    const Band selected = band();
    EXPECT_GT(selected.pixels, px(10));
    EXPECT_NEAR(selected.left + selected.right, field.left + field.right, 4);
    // A repaint of the whole group leaves the open field showing as it was.
    g.Refresh();
    const Band again = band();
    EXPECT_EQ(again.pixels, selected.pixels);
    EXPECT_EQ(again.left, selected.left);
    key(VK_ESCAPE);
    EXPECT_EQ(at(g, x, y), 0xD77800u);
    EXPECT_EQ(strokes(g, 1, 0xD77800), before);
}

INSTANTIATE_TEST_SUITE_P(Dpi, TextGroupPixels, ::testing::Values(96, 144));

// --- Lifetime ---

TEST_F(TextGroupBehaviour, GroupsWithOpenFieldsLeaveNothingBehind) {
    for (int round = 0; round < 4; ++round) {
        moveAway();
        int storedAsItWent = 0;
        {
            Form form(u"Form1", true, 640 * 15, 480 * 15);
            form.Show();
            for (int i = 0; i < 12; ++i) {
                auto& g = textGroup(form, u"one|two|three|four", u"t" + FromUtf8(std::to_string(i)),
                                    box(i % 4 * 150, i / 4 * 120, 140, 110));
                g.RowsPerColumn(2);
                g.PNG(orvane::test::png(8, 8, 0xFF336699));
                // Opened, closed and opened again: each opening hands the field a fresh font.
                doubleClickItem(g, i % 4);
                key(VK_ESCAPE);
                doubleClickItem(g, (i + 1) % 4);
                g.Font()->Size(12);  // the group lays out again under the open field
                if (i % 3 == 0) key(VK_RETURN);
            }
            // The last group goes with its field open and the focus in it: removed alone, or
            // with its form.
            auto& last = static_cast<ucTextGroup&>(form.control(u"t11"));
            EXPECT_TRUE(editorShown(last));
            last.connect(ucTextGroup::evChange,
                         [&storedAsItWent](std::vector<Variant>&) { ++storedAsItWent; });
            if (round % 2) form.remove(last);
        }
        EXPECT_EQ(storedAsItWent, 0) << "round " << round;  // going stores nothing
    }
    moveAway();
}

}  // namespace
