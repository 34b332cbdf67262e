// The HTML label on a form: defaults of new and stored instances, persistence, late binding
// and events, and what it draws (colours, wrapping, alignment, autosize, transparency).
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "controls/text/ucLabelHTML.h"
#include "host/ControlClasses.h"
#include "host/ErrorOf.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "support/ControlTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using test::box;
using test::channelDistance;

class LabelHTMLTest : public test::ControlTest {
protected:
    // A shown form with one label, drawn.
    ucLabelHTML& label(Form& form, const std::u16string& caption, int widthPx = 200,
                       int heightPx = 60, const PropertyBag* stored = nullptr) {
        auto& l =
            form.add<ucLabelHTML>(u"lbl", -1, box(10, 10, widthPx, heightPx), nullptr, stored);
        form.Show();
        l.BackStyle(BackStyleEnum::bsOpaque);
        l.Caption(caption);
        platform->PumpMessages();
        return l;
    }

    // The width and height of a text in a font, measured on a screen-compatible DC.
    SIZE measure(const StdFont& font, std::u16string_view text, bool bold = false) {
        LOGFONTW lf = font.logFont(96);
        if (bold) lf.lfWeight = FW_BOLD;
        const HDC dc = CreateCompatibleDC(HDC());
        const HFONT f = CreateFontIndirectW(&lf);
        const HGDIOBJ old = SelectObject(dc, f);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        DeleteObject(f);
        DeleteDC(dc);
        return size;
    }

    // Pixels of a colour in a client rectangle of the label; with `near`, anti-aliased edges
    // count when each channel is within 0x40 of it.
    int count(ucLabelHTML& l, RECT rc, COLORREF colour, bool near = false) {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) {
                const COLORREF c = pixel(l, x, y);
                if (near ? channelDistance(c, colour) < 0x40 : c == colour) ++n;
            }
        return n;
    }

    // The leftmost column of a rectangle holding a pixel darker than mid grey, or -1.
    int firstInk(ucLabelHTML& l, RECT rc) {
        for (int x = rc.left; x < rc.right; ++x)
            for (int y = rc.top; y < rc.bottom; ++y)
                if ((pixel(l, x, y) & 0xFF) < 0x80) return x;
        return -1;
    }
};

TEST_F(LabelHTMLTest, NewAndStoredInstancesTakeTheirOwnDefaults) {
    Form form(u"Form1");
    auto& fresh = form.add<ucLabelHTML>(u"lblNew", -1, box(0, 0, 100, 30));
    EXPECT_EQ(fresh.Caption(), u"lblNew");
    EXPECT_EQ(fresh.Appearance(), AppearanceEnum::Flat);
    EXPECT_EQ(fresh.BorderStyle(), BorderStyleEnum::FixedSingle);
    EXPECT_EQ(fresh.BackColor(), 0xFFFFFFu);
    EXPECT_EQ(fresh.ForeColor(), 0x80000008u);
    EXPECT_TRUE(fresh.WordWrap());
    EXPECT_TRUE(fresh.FontTransparent());
    EXPECT_EQ(fresh.BackStyle(), BackStyleEnum::bsTransparent);
    EXPECT_EQ(fresh.FontName(), form.ambientDefaults().Font()->Name());

    const PropertyBag empty;
    auto& stored = form.add<ucLabelHTML>(u"lblOld", -1, box(0, 40, 100, 30), nullptr, &empty);
    EXPECT_EQ(stored.Caption(), u"");
    EXPECT_EQ(stored.Appearance(), AppearanceEnum::ThreeD);
    EXPECT_EQ(stored.BorderStyle(), BorderStyleEnum::None);
    EXPECT_EQ(stored.BackColor(), 0x8000000Fu);
    EXPECT_FALSE(stored.WordWrap());
    EXPECT_FALSE(stored.changed());
}

TEST_F(LabelHTMLTest, PropertiesSurviveSavingAndBadStoredValuesReadAsDefaults) {
    Form form(u"Form1");
    auto& l = form.add<ucLabelHTML>(u"lbl", -1, box(0, 0, 100, 30));
    l.Caption(u"  <b>Saved</b> text  ");
    EXPECT_EQ(l.Caption(), u"<b>Saved</b> text");  // spaces trimmed on assignment
    EXPECT_TRUE(l.changed());
    l.CaptionAlignment(AlignEnumEx::AlignMidRight);
    l.CharacterSpacing(3);
    l.WordWrap(false);
    l.Autosize(true);
    l.FontTransparent(false);
    l.FontItalic(true);
    l.FontSize(12);
    l.ContainerName(u"fra1");
    l.RightToLeft(true);
    l.ForeColor(0x123456);
    PropertyBag bag;
    l.save(bag);
    EXPECT_EQ(CStr(bag.ReadProperty(u"Caption")), u"<b>Saved</b> text");  // a plain string

    auto& copy = form.add<ucLabelHTML>(u"copy", -1, box(0, 40, 100, 30), nullptr, &bag);
    EXPECT_EQ(copy.Caption(), l.Caption());
    EXPECT_EQ(copy.CaptionAlignment(), AlignEnumEx::AlignMidRight);
    EXPECT_EQ(copy.CharacterSpacing(), 3);
    EXPECT_FALSE(copy.WordWrap());
    EXPECT_TRUE(copy.Autosize());
    EXPECT_FALSE(copy.FontTransparent());
    EXPECT_TRUE(copy.FontItalic());
    EXPECT_FLOAT_EQ(copy.FontSize(), 12);
    EXPECT_EQ(copy.ContainerName(), u"fra1");
    EXPECT_TRUE(copy.RightToLeft());
    EXPECT_EQ(copy.ForeColor(), 0x123456u);
    EXPECT_EQ(copy.Appearance(), l.Appearance());
    EXPECT_EQ(copy.BorderStyle(), l.BorderStyle());

    PropertyBag bad;
    bad.store(u"WordWrap", Variant(u"banana"));
    bad.store(u"CaptionAlignment", Variant(std::int32_t{42}));
    bad.store(u"Font", Variant(u"not a font"));
    bad.store(u"ForeColor", Variant(std::int32_t(0x80000FFF)));
    bad.store(u"Caption", Variant(std::int32_t{7}));
    auto& odd = form.add<ucLabelHTML>(u"odd", -1, box(0, 80, 100, 30), nullptr, &bad);
    EXPECT_FALSE(odd.WordWrap());
    EXPECT_EQ(odd.CaptionAlignment(), AlignEnumEx::AlignTopLeft);
    EXPECT_EQ(odd.ForeColor(), 0x80000008u);
    EXPECT_EQ(odd.Caption(), u"7");  // a number reads as its text
    EXPECT_EQ(odd.FontName(), form.ambientDefaults().Font()->Name());
}

TEST_F(LabelHTMLTest, LateBoundAccessAndEventsMatchTheDirectCalls) {
    Form form(u"Form1");
    auto& l = label(form, u"Late");
    const TypeLibrary& lib = TypeLibrary::current();
    lib.put(l, u"caption", Variant(u"By <i>name</i>"));
    EXPECT_EQ(l.Caption(), u"By <i>name</i>");
    lib.put(l, u"CaptionAlignment",
            Variant(std::int32_t(*lib.enumValue(u"AlignEnumEx", u"AlignBotCenter"))));
    EXPECT_EQ(l.CaptionAlignment(), AlignEnumEx::AlignBotCenter);
    EXPECT_EQ(test::errorOf([&] { lib.put(l, u"BackStyle", Variant(std::int32_t{2})); }), 380);
    EXPECT_EQ(test::errorOf([&] { lib.put(l, u"hWnd", Variant(std::int32_t{2})); }), 383);
    EXPECT_EQ(static_cast<std::uint32_t>(CLng(lib.get(l, u"hWnd"))), l.hWnd().value);
    auto font = std::static_pointer_cast<StdFont>(lib.get(l, u"Font").object());
    EXPECT_EQ(font, l.Font());
    lib.put(*font, u"bold", Variant(true));  // the font's own members, by name
    EXPECT_TRUE(l.FontBold());
    auto made = lib.create(u"StdFont");
    lib.put(*made, u"Name", Variant(u"Courier New"));
    lib.put(l, u"Font", Variant(made));
    EXPECT_EQ(l.FontName(), u"Courier New");
    EXPECT_EQ(test::errorOf([&] { lib.put(l, u"Font", Variant(u"Arial")); }), 13);

    // The container's members reach through the control: position, Move, ZOrder.
    EXPECT_EQ(CLng(lib.get(l, u"Left")), 150);
    std::vector<Variant> move{Variant(std::int32_t{300}), Variant::missing(),
                              Variant(std::int32_t{3000})};
    lib.call(l, u"Move", move);
    EXPECT_EQ(l.Extender().Left(), 300);
    EXPECT_EQ(l.Extender().Top(), 150);
    EXPECT_EQ(l.Extender().Width(), 3000);
    lib.put(l, u"Tag", Variant(u"note"));
    EXPECT_EQ(CStr(l.Extender().Tag()), u"note");
    EXPECT_EQ(test::errorOf([&] { lib.get(l, u"NoSuchThing"); }), 438);
    std::vector<Variant> args{Variant(std::int32_t(0x80000005))};
    EXPECT_EQ(CLng(lib.call(l, u"TranslateColor", args)),
              static_cast<std::int32_t>(GetSysColor(5)));
    args = {Variant(std::int32_t(0x800000FF))};
    EXPECT_EQ(CLng(lib.call(l, u"TranslateColor", args)), -1);

    // Mouse events carry the position in pixels; a key handler may swallow the key.
    std::vector<float> down;
    lib.connect(l, u"MouseDown", [&](std::vector<Variant>& a) {
        down = {static_cast<float>(CInt(a[0])), a[2].toSingle(), a[3].toSingle()};
    });
    int clicks = 0;
    lib.connect(l, u"Click", [&](std::vector<Variant>&) {
        ++clicks;
        l.Caption(u"Clicked");  // a handler may set a property of the raiser
    });
    const POINT p = at(l, 12, 7);
    platform->Click(p.x, p.y);
    platform->PumpMessages();
    EXPECT_EQ(down, (std::vector<float>{1, 12, 7}));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(l.Caption(), u"Clicked");
    int seen = 0;
    lib.connect(l, u"KeyPress", [&](std::vector<Variant>& a) {
        seen = CInt(a[0]);
        a[0] = Variant(std::int16_t{0});
    });
    SetFocus(l.hWnd());
    platform->TypeText(u"q");
    platform->PumpMessages();
    EXPECT_EQ(seen, u'q');
}

TEST_F(LabelHTMLTest, RunsDrawInTheirColoursOverTheRightBackground) {
    Form form(u"Form1");
    auto& l =
        label(form, u"<forecolor=0000FF>Red</forecolor> <backcolor=00FF00>Green</backcolor> plain");
    ASSERT_GE(l.runs().size(), 3u);
    const HtmlRun red = l.runs()[0];  // copies: the runs are rebuilt on every drawing
    const HtmlRun green = l.runs()[1];
    EXPECT_GT(count(l, RECT{4, 4, 4 + red.Width, 4 + red.Height}, 0x0000FF, true), 0)
        << "red glyphs (COLORREF order)";
    const RECT greenBox{4 + red.Width, 4, 4 + red.Width + green.Width, 4 + green.Height};
    // The back colour fills the run's box behind its glyphs.
    EXPECT_GT(count(l, greenBox, 0x00FF00), green.Width * green.Height / 2);
    EXPECT_EQ(pixel(l, 150, 50), 0xFFFFFFu);  // opaque: BackColor

    // Transparent, the form's face shows through where there is no text.
    l.BackStyle(BackStyleEnum::bsTransparent);
    platform->PumpMessages();
    EXPECT_EQ(pixel(l, 150, 50), GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(count(l, RECT{4, 4, 4 + red.Width, 4 + red.Height}, 0x0000FF, true), 0);

    // Opaque text background where a run has none of its own.
    l.FontTransparent(false);
    l.BackColor(0xFF0000);
    platform->PumpMessages();
    const HtmlRun& plain = l.runs()[2];
    const int plainLeft = 4 + red.Width + green.Width;
    EXPECT_GT(count(l, RECT{plainLeft, 4, plainLeft + plain.Width, 4 + plain.Height}, 0xFF0000),
              plain.Width * plain.Height / 2);
    EXPECT_EQ(pixel(l, 150, 50), GetSysColor(COLOR_BTNFACE));
}

TEST_F(LabelHTMLTest, WordWrapBreaksAtSpacesAndStacksLines) {
    Form form(u"Form1");
    const StdFont& font = *form.ambientDefaults().Font();
    const int two = measure(font, u"abcd abcd").cx;
    // Room for two words but not three: the third goes to a second line.
    auto& l = label(form, u"abcd abcd abcd", two + 8 + 10, 60);
    ASSERT_EQ(l.runs().size(), 2u);
    EXPECT_EQ(l.runs()[0].Text, u"abcd abcd");
    EXPECT_EQ(l.runs()[1].Text, u"abcd");
    EXPECT_TRUE(l.runs()[1].LineBreak);
    const int h = l.runs()[0].Height;
    const int secondTop = 4 + h + 2;
    EXPECT_EQ(firstInk(l, RECT{0, secondTop, 60, secondTop + h}),
              firstInk(l, RECT{0, 4, 60, 4 + h}));

    // A word wider than the label stays whole on its own line.
    l.Caption(u"a Incomprehensibilities b");
    l.Extender().Width(40 * 15);
    platform->PumpMessages();
    std::vector<std::u16string> texts;
    for (const HtmlRun& r : l.runs())
        texts.push_back(r.Text);
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"a", u"Incomprehensibilities", u"b"}));
}

TEST_F(LabelHTMLTest, LinesAlignByColumnAndAutosizeFitsTheCaption) {
    Form form(u"Form1");
    const StdFont& font = *form.ambientDefaults().Font();
    auto& l = label(form, u"Wide first line<BR>x");
    l.WordWrap(false);
    platform->PumpMessages();
    const SIZE first = measure(font, u"Wide first line");
    const SIZE x = measure(font, u"x");
    const int width = static_cast<int>(l.ScaleWidth());
    // Left lines start at 3; centred and right lines use the stripped line's width.
    EXPECT_NEAR(firstInk(l, RECT{0, 4, width, 4 + first.cy}), 3, 2);
    l.CaptionAlignment(AlignEnumEx::AlignTopCenter);
    platform->PumpMessages();
    EXPECT_NEAR(firstInk(l, RECT{0, 4 + first.cy, width, 4 + first.cy + x.cy}), (width - x.cx) / 2,
                2);
    l.CaptionAlignment(AlignEnumEx::AlignTopRight);
    platform->PumpMessages();
    EXPECT_NEAR(firstInk(l, RECT{0, 4 + first.cy, width, 4 + first.cy + x.cy}), width - x.cx - 8,
                2);

    // Autosize: widest stripped line plus margins and the border, lines plus margins.
    l.Caption(u"Short<BR><b>Bold and longer</b>");
    l.Autosize(true);
    platform->PumpMessages();
    const SIZE bold = measure(font, u"<b>Bold and longer</b>", true);
    const int widest = measure(font, u"Bold and longer", true).cx;
    const int lines = measure(font, u"Short").cy + bold.cy;
    EXPECT_EQ(l.Extender().Height(), (4 + lines + 6) * 15);
    EXPECT_EQ(l.Extender().Width(), (widest + 6 + 2) * 15);  // flat single border: 2
    l.BorderStyle(BorderStyleEnum::None);
    platform->PumpMessages();
    EXPECT_EQ(l.Extender().Width(), (widest + 6) * 15);
    l.BorderStyle(BorderStyleEnum::FixedSingle);
    l.Appearance(AppearanceEnum::ThreeD);
    platform->PumpMessages();
    EXPECT_EQ(l.Extender().Width(), (widest + 6 + 4) * 15);
}

TEST_F(LabelHTMLTest, TooSmallLabelsGrowToTheMinimum) {
    Form form(u"Form1");
    auto& l = label(form, u"tiny");
    l.Extender().Width(5 * 15);
    EXPECT_EQ(l.Extender().Width(), 150);
    EXPECT_EQ(l.Extender().Height(), 60 * 15);
    l.Extender().Height(0);
    EXPECT_EQ(l.Extender().Height(), 150);
}

TEST_F(LabelHTMLTest, SpacingScriptsAndFontChangesReachTheDrawing) {
    Form form(u"Form1");
    auto& l = label(form, u"abcdef");
    const int plain = l.runs()[0].Width;
    l.CharacterSpacing(2);
    platform->PumpMessages();
    EXPECT_EQ(l.runs()[0].Width, plain + 2 * 6);

    l.CharacterSpacing(0);
    l.Caption(u"H<sub>2</sub>O x<sup>2</sup>");
    platform->PumpMessages();
    ASSERT_EQ(l.runs().size(), 4u);
    EXPECT_LT(l.runs()[1].Height, l.runs()[0].Height);  // half size
    EXPECT_TRUE(l.runs()[3].Superscript);

    // Changing the font object itself redraws the label and marks it changed.
    PropertyBag saved;
    l.save(saved);
    l.Caption(u"abcdef");
    platform->PumpMessages();
    const int before = l.runs()[0].Width;
    l.Font()->Size(16);
    platform->PumpMessages();
    EXPECT_GT(l.runs()[0].Width, before);
    EXPECT_TRUE(l.changed());
}

TEST_F(LabelHTMLTest, ManyLabelsComeAndGoWithoutLeaks) {
    // The fixture checks that no GDI or USER object outlives the form.
    Form form(u"Form1");
    form.Show();
    for (int i = 0; i < 20; ++i) {
        auto& l = form.add<ucLabelHTML>(u"lbl", i, box(i * 5, i * 5, 150, 40));
        l.Caption(u"<name=Courier New>mono</name> <size=" + std::u16string(1, u'8' + i % 2) +
                  u">sized</size> <b><i>styled</i></b> text to wrap over lines");
        l.WordWrap(i % 2 == 0);
        l.Autosize(i % 3 == 0);
    }
    platform->PumpMessages();
    form.remove(form.control(u"lbl", 3));
    platform->PumpMessages();
}

}  // namespace
