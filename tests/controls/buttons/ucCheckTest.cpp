// The check box on a form: defaults and refused values, form-file round trips, the glyph cell
// for every value and look (themed and classic, at 96 and 144 DPI), the graphical face, clicks
// from the mouse, the space bar, the access key and code, autosize, handlers that remove their
// own check box, and a create/destroy cycle.
#include "controls/buttons/ucCheck.h"

#include <cmath>

#include "controls/buttons/GlyphProbe.h"
#include "host/ErrorOf.h"
#include "support/ControlTest.h"
#include "support/RoundTrip.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;
using orvane::test::channelDistance;

class CheckTest : public orvane::test::ControlTest {
protected:
    ucCheck& check(Form& form, const std::u16string& name = u"chk",
                   Extender where = box(10, 10, 160, 24)) {
        auto& c = form.add<ucCheck>(name, -1, std::move(where));
        form.Show();
        pump();
        return c;
    }
};

TEST_F(CheckTest, NewCheckBoxesTakeTheirDefaultsAndRefuseBadValues) {
    Form form(u"Form1");
    auto& c = check(form, u"chkAgree");
    EXPECT_EQ(c.Caption(), u"chkAgree");
    EXPECT_EQ(c.Value(), CheckBoxConstants::vbUnchecked);
    EXPECT_EQ(c.CheckSize(), 13);
    EXPECT_EQ(c.Borderwidth(), 1);
    EXPECT_EQ(c.Style(), ButtonConstants::vbButtonStandard);
    EXPECT_EQ(c.BackStyle(), BackStyleEnum::bsTransparent);
    // The image's hover step is stored but not published.
    const auto& published = TypeLibrary::current().findClass(u"ucCheck")->properties;
    EXPECT_TRUE(std::none_of(published.begin(), published.end(),
                             [](const PropertyInfo& p) { return p.name == u"Brightness"; }));

    auto& events = record(c);
    EXPECT_EQ(orvane::test::errorOf([&] { c.Value(static_cast<CheckBoxConstants>(3)); }), 380);
    EXPECT_EQ(orvane::test::errorOf([&] { c.Value(static_cast<CheckBoxConstants>(-1)); }), 380);
    EXPECT_EQ(orvane::test::errorOf([&] { TypeLibrary::current().put(c, u"Value", Variant(7)); }),
              380);
    EXPECT_EQ(orvane::test::errorOf([&] { c.Style(static_cast<ButtonConstants>(2)); }), 380);
    EXPECT_EQ(orvane::test::errorOf([&] { c.Alignment(static_cast<AlignEnum>(2)); }), 380);
    EXPECT_EQ(orvane::test::errorOf([&] { c.CheckSize(-1); }), 380);
    EXPECT_EQ(c.Value(), CheckBoxConstants::vbUnchecked);
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(c.changed());

    // Nothing here fails to draw: no size, no caption, bytes that are no image.
    c.Caption(u"");
    c.PNG({1, 2, 3});
    for (int style = 0; style <= 1; ++style) {
        c.Style(static_cast<ButtonConstants>(style));
        c.Width(0);
        c.Height(0);
        c.Refresh();
        c.Width(2000);
        c.Height(400);
        c.Refresh();
    }
}

TEST_F(CheckTest, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& { return check(form, u"ctl"); };
    const auto change = [](UserControl& ctl) {
        auto& c = static_cast<ucCheck&>(ctl);
        c.Alignment(AlignEnum::RightJustify);
        c.Autosize(true);
        c.Appearance(AppearanceEnum::ThreeD);
        c.BackColor(0x112233);
        c.BackColorHot(palette::kNoColor);
        c.BackColorPressed(0x445566);
        c.BackStyle(BackStyleEnum::bsOpaque);
        c.BorderColor(0x010203);
        c.BorderColorHot(0x040506);
        c.BorderColorPressed(0x070809);
        c.BorderStyle(BorderStyleEnum::None);
        c.Borderwidth(3);
        c.Caption(u"&Remember me, 世界 🙂");
        c.CheckSize(20);
        c.Enabled(false);
        c.ForeColor(vbGrayText);
        c.RightToLeft(true);
        c.WordWrap(true);
        c.Style(ButtonConstants::vbButtonGraphical);
        c.PNG(orvane::test::png(4, 2, 0xFF00FF00));
        c.ShowImage(false);
        c.ImageSize(24);
        c.Alpha(100);
        c.Angle(45);
        c.GrayScale(true);
        c.FrameInterval(70);
        c.Value(CheckBoxConstants::vbGrayed);
    };
    const orvane::test::RoundTrip trip = orvane::test::roundTrip(u"ucCheck", make, change);
    EXPECT_GE(trip.compared, 25);
    auto& c = static_cast<ucCheck&>(trip.loaded->control(u"ctl"));
    EXPECT_EQ(c.Value(), CheckBoxConstants::vbGrayed);
    EXPECT_EQ(c.AccessKeys(), u"R");
}

class CheckPixelTest : public orvane::test::AtDpi<CheckTest> {
protected:
    void expectGlyph(ucCheck& c, int state) {
        const orvane::test::GlyphProbe probe =
            orvane::test::probeGlyph(*platform, c, GlyphStrip::Kind::Check, state);
        const RECT g = c.layoutResult().glyphRect;
        EXPECT_GT(probe.opaque, (g.right - g.left) * (g.bottom - g.top) / 3) << "state " << state;
        EXPECT_EQ(probe.wrong, 0) << "state " << state << " at " << GetParam() << " DPI";
    }
};

// Every value with every look: normal, hot, pressed and disabled, themed and classic (the
// glyph comes from the strip either way).
TEST_P(CheckPixelTest, TheGlyphCellFollowsValueAndLook) {
    for (const BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        Form form(u"Form1");
        auto& c = check(form);
        unfocus();
        const RECT g = c.layoutResult().glyphRect;
        EXPECT_EQ(g.right - g.left, static_cast<int>(std::lround(13 * GetParam() / 96.0)));
        for (int value = 0; value <= 2; ++value) {
            c.Value(static_cast<CheckBoxConstants>(value));
            c.Enabled(true);
            moveAway();
            EXPECT_EQ(c.glyphState(), 4 * value + 1);
            expectGlyph(c, 4 * value + 1);
            hover(c, 80, 10);
            EXPECT_EQ(c.glyphState(), 4 * value + 2);
            expectGlyph(c, 4 * value + 2);
            press();
            EXPECT_EQ(c.glyphState(), 4 * value + 3);
            expectGlyph(c, 4 * value + 3);
            // Released outside: no click, the value stays.
            platform->MouseMove(1500, 1000);
            release();
            moveAway();
            EXPECT_EQ(static_cast<int>(c.Value()), value);
            c.Enabled(false);
            EXPECT_EQ(c.glyphState(), 4 * value + 4);
            expectGlyph(c, 4 * value + 4);
        }
    }
}

// The graphical style is a push-button face, down while checked, never hot; the glyph is gone.
TEST_P(CheckPixelTest, TheGraphicalStyleIsAFaceDownWhileChecked) {
    for (const BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        Form form(u"Form1");
        auto& c = check(form, u"chk", box(10, 10, 120, 40));
        c.Style(ButtonConstants::vbButtonGraphical);
        c.Caption(u"");
        unfocus();
        const int y = static_cast<int>(c.ScaleHeight()) / 2;
        const COLORREF up = pixel(c, 8, y);
        const COLORREF upCorner = pixel(c, 1, 1);
        hover(c, 60, y);
        EXPECT_EQ(pixel(c, 8, y), up) << "no hot look";
        c.Value(CheckBoxConstants::vbChecked);
        const COLORREF down = pixel(c, 8, y);
        if (themed) {
            EXPECT_GT(channelDistance(up, down), 8);
            EXPECT_GT(GetBValue(down), GetRValue(down)) << "the pressed face is tinted";
        } else {
            EXPECT_NE(pixel(c, 1, 1), upCorner) << "the classic face is pushed in";
        }
        moveAway();
        EXPECT_TRUE(c.layoutResult().glyphRect.right == c.layoutResult().glyphRect.left);
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, CheckPixelTest, ::testing::Values(96, 144));

TEST_F(CheckTest, ClicksSpaceAndTheAccessKeyToggleAndGrayedGoesToUnchecked) {
    Form form(u"Form1");
    auto& c = check(form);
    c.Caption(u"&Agree");
    auto& events = record(c);
    clickAt(c, 40, 10);
    EXPECT_EQ(c.Value(), CheckBoxConstants::vbChecked);
    EXPECT_EQ(events, (std::vector<std::string>{"MouseEnter", "MouseDown", "MouseUp", "Click"}));
    clickAt(c, 40, 10);
    EXPECT_EQ(c.Value(), CheckBoxConstants::vbUnchecked);
    c.Value(CheckBoxConstants::vbGrayed);
    clickAt(c, 40, 10);
    EXPECT_EQ(c.Value(), CheckBoxConstants::vbUnchecked) << "grayed goes to unchecked";

    // Setting the same value again still clicks.
    events.clear();
    c.Value(CheckBoxConstants::vbUnchecked);
    EXPECT_EQ(events, (std::vector<std::string>{"Click"}));

    // The space bar presses on the way down and toggles on the way up.
    moveAway();
    focus(c);
    events.clear();
    platform->KeyDown(VK_SPACE);
    pump();
    EXPECT_TRUE(c.state().pressed());
    EXPECT_EQ(c.glyphState(), 3);
    EXPECT_EQ(c.Value(), CheckBoxConstants::vbUnchecked);
    platform->KeyUp(VK_SPACE);
    pump();
    EXPECT_FALSE(c.state().pressed());
    EXPECT_EQ(c.Value(), CheckBoxConstants::vbChecked);
    EXPECT_EQ(events, (std::vector<std::string>{"KeyDown", "KeyPress", "Click", "KeyUp"}));

    // The access key toggles from anywhere on the form.
    unfocus();
    accessKey('A');
    EXPECT_EQ(c.Value(), CheckBoxConstants::vbUnchecked);
}

TEST_F(CheckTest, AutosizeFitsGlyphImageAndCaption) {
    Form form(u"Form1");
    auto& c = check(form);
    c.Caption(u"Short");
    c.Autosize(true);
    const int narrow = static_cast<int>(c.ScaleWidth());
    c.Caption(u"A much longer caption than before");
    const int wide = static_cast<int>(c.ScaleWidth());
    EXPECT_GT(wide, narrow + 100);
    const RECT text = c.layoutResult().textRect;
    EXPECT_GT(text.left, c.layoutResult().glyphRect.right);
    EXPECT_LE(text.right, wide);
    c.PNG(orvane::test::png(32, 16, 0xFF0000FF));
    EXPECT_EQ(static_cast<int>(c.ScaleWidth()), wide + 32);
    const RECT image = c.layoutResult().imageRect;
    EXPECT_GE(image.left, c.layoutResult().glyphRect.right);
    EXPECT_LE(image.right, c.layoutResult().textRect.left);
    // Right-justified: the glyph at the right, the image beside it, the caption before.
    c.Alignment(AlignEnum::RightJustify);
    const ChoiceLayout& l = c.layoutResult();
    EXPECT_EQ(l.glyphRect.right, static_cast<int>(c.ScaleWidth()) - 3);
    EXPECT_LE(l.imageRect.right, l.glyphRect.left);
    EXPECT_LE(l.textRect.right, l.imageRect.left);
    EXPECT_TRUE(l.textFlags & DT_RIGHT);
}

// Each event's handler removes the check box that raised it.
TEST_F(CheckTest, AHandlerMayRemoveItsOwnCheckBox) {
    for (int event : {ucCheck::evClick, ucCheck::evKeyDown, ucCheck::evKeyUp, ucCheck::evMouseDown,
                      ucCheck::evMouseUp, ucCheck::evMouseEnter}) {
        Form form(u"Form1");
        auto& c = check(form);
        bool removed = false;
        c.connect(event, [&form, &c, &removed](std::vector<Variant>&) {
            if (removed) return;
            removed = true;
            form.remove(c);
        });
        const POINT p = at(c, 30, 10);
        focus(c);
        platform->KeyDown(VK_SPACE);
        pump();
        if (!removed) platform->KeyUp(VK_SPACE);
        pump();
        if (!removed) {
            platform->MouseMove(p.x, p.y);
            pump();
            platform->AdvanceTime(1000);
        }
        if (!removed) press();
        if (!removed) release();
        EXPECT_TRUE(removed) << "event " << event;
        EXPECT_TRUE(form.Controls().empty());
        moveAway();
    }
}

TEST_F(CheckTest, AThousandCheckBoxesLeaveNothingBehind) {
    Form form(u"Form1");
    form.Show();
    for (int i = 0; i < 1000; ++i) {
        auto& c = form.add<ucCheck>(u"chk", -1, box(0, 0, 100, 20));
        c.Style(static_cast<ButtonConstants>(i % 2));
        c.Value(static_cast<CheckBoxConstants>(i % 3));
        c.InitTooltip(u"tip");
        c.Refresh();
        form.remove(c);
    }
    pump();
}

}  // namespace
