// The option button: one selected per container and group name, however it is selected (the
// mouse, the space bar, the access key, code, a form file), separate groups by frame and by
// name, control arrays; its glyph themed and classic at 96 and 144 DPI; its stored keys.
#include "controls/buttons/ucOption.h"

#include "controls/buttons/GlyphProbe.h"
#include "controls/buttons/ucFrame.h"
#include "host/ErrorOf.h"
#include "host/FormFile.h"
#include "support/ControlTest.h"
#include "support/RoundTrip.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;

class OptionTest : public orvane::test::ControlTest {
protected:
    ucOption& option(Form& form, const std::u16string& name, int top,
                     UserControl* container = nullptr, int index = -1) {
        auto& o = form.add<ucOption>(name, index, box(10, top, 140, 24), container);
        form.Show();
        pump();
        return o;
    }
    // The values of the options, in order, as "1" and "0".
    static std::string values(std::initializer_list<const ucOption*> options) {
        std::string s;
        for (const ucOption* o : options)
            s += o->Value() ? '1' : '0';
        return s;
    }
};

TEST_F(OptionTest, SelectingClearsTheOthersOfItsGroupOnly) {
    Form form(u"Form1");
    auto& a = option(form, u"optA", 10);
    auto& b = option(form, u"optB", 40);
    auto& c = option(form, u"optC", 70);
    c.GroupName(u"other");
    auto& frame = form.add<ucFrame>(u"fra", -1, box(160, 10, 160, 120));
    auto& inFrame = option(form, u"optD", 20, &frame);
    c.Value(true);
    inFrame.Value(true);

    auto& events = record(b);
    clickAt(b, 60, 10);
    EXPECT_EQ(values({&a, &b, &c, &inFrame}), "0111");
    EXPECT_EQ(events, (std::vector<std::string>{"MouseEnter", "MouseDown", "MouseUp", "Click"}));
    a.Value(true);
    EXPECT_EQ(values({&a, &b, &c, &inFrame}), "1011");
    // A click on the selected button raises nothing; writing False clears it and raises
    // nothing, leaving the group without a selection.
    events.clear();
    a.Value(true);  // from code: Click again
    EXPECT_TRUE(events.empty());
    moveAway();  // b's MouseLeave, before recording a
    auto& aEvents = record(a);
    clickAt(a, 60, 10);
    EXPECT_EQ(aEvents, (std::vector<std::string>{"MouseEnter", "MouseDown", "MouseUp"}));
    a.Value(false);
    EXPECT_EQ(values({&a, &b, &c, &inFrame}), "0011");
    EXPECT_EQ(aEvents.size(), 3u);

    // The space bar selects on release; the access key selects from anywhere.
    moveAway();
    b.Caption(u"&Beta");
    focus(b);
    platform->KeyDown(VK_SPACE);
    pump();
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(b.glyphState(), 3);
    platform->KeyUp(VK_SPACE);
    pump();
    EXPECT_EQ(values({&a, &b, &c, &inFrame}), "0111");
    a.Value(true);
    unfocus();
    accessKey('B');
    EXPECT_EQ(values({&a, &b, &c, &inFrame}), "0111");
}

// Members of a control array share a name but are told apart by their index.
TEST_F(OptionTest, MembersOfAControlArrayExcludeEachOther) {
    Form form(u"Form1");
    auto& first = option(form, u"opt", 10, nullptr, 0);
    auto& second = option(form, u"opt", 40, nullptr, 1);
    first.Value(true);
    second.Value(true);
    EXPECT_EQ(values({&first, &second}), "01");
}

// Loaded from a file with two selected in one group, the later one stays selected; the frame
// keeps its own options and they come back on it.
TEST_F(OptionTest, AFormFileKeepsOneSelectionPerGroupAndTheFramesOptions) {
    std::string text;
    {
        Form form(u"Form1");
        auto& frame = form.add<ucFrame>(u"fra", -1, box(160, 10, 160, 120));
        option(form, u"optA", 10);
        option(form, u"optB", 40);
        auto& inFrame = option(form, u"optC", 20, &frame);
        inFrame.Value(true);
        text = FormFile::save(form);
    }
    // Both on the form marked selected in the file.
    const std::string selected = "\"Value\": true";
    const auto at = text.find(selected);
    ASSERT_NE(at, std::string::npos);
    const auto optA = text.find("\"optA\"");
    const auto optB = text.find("\"optB\"");
    ASSERT_TRUE(optA != std::string::npos && optB != std::string::npos);
    for (const auto name : {optA, optB}) {
        const auto props = text.find("\"Properties\": {", name);
        ASSERT_NE(props, std::string::npos);
        text.insert(props + 15, "\n        \"Value\": true,");
    }
    const auto loaded = FormFile::load(text);
    auto& a = static_cast<ucOption&>(loaded->control(u"optA"));
    auto& b = static_cast<ucOption&>(loaded->control(u"optB"));
    auto& c = static_cast<ucOption&>(loaded->control(u"optC"));
    EXPECT_EQ(values({&a, &b, &c}), "011");
    EXPECT_EQ(loaded->containerOf(c), &loaded->control(u"fra"));
    EXPECT_EQ(GetParent(c.hWnd()), loaded->control(u"fra").hWnd());
}

TEST_F(OptionTest, EveryPropertySurvivesAFormFileUnderItsOwnKeys) {
    const auto make = [this](Form& form) -> UserControl& { return option(form, u"ctl", 10); };
    const auto change = [](UserControl& ctl) {
        auto& o = static_cast<ucOption&>(ctl);
        o.Alignment(AlignEnum::RightJustify);
        o.Autosize(true);
        o.Appearance(AppearanceEnum::ThreeD);
        o.BackColor(0x112233);
        o.BackColorHot(0x223344);
        o.BackColorPressed(0x445566);
        o.BackStyle(BackStyleEnum::bsOpaque);
        o.BorderColor(0x010203);
        o.BorderColorHot(0x040506);
        o.BorderColorPressed(0x070809);
        o.BorderStyle(BorderStyleEnum::None);
        o.Borderwidth(3);
        o.Caption(u"&Express, 速い");
        o.CheckSize(16);
        o.Enabled(false);
        o.ForeColor(0x0000FF);
        o.GroupName(u"Shipping");
        o.RightToLeft(true);
        o.WordWrap(true);
        o.Style(ButtonConstants::vbButtonGraphical);
        o.PNG(orvane::test::png(4, 2, 0xFF00FF00));
        o.ShowImage(false);
        o.ImageSize(24);
        o.Alpha(100);
        o.Angle(45);
        o.GrayScale(true);
        o.FrameInterval(70);
        o.Value(true);
    };
    const orvane::test::RoundTrip trip = orvane::test::roundTrip(u"ucOption", make, change);
    EXPECT_GE(trip.compared, 25);
    auto& o = static_cast<ucOption&>(trip.loaded->control(u"ctl"));
    EXPECT_TRUE(o.Value());
    // The option's border width is stored as "Borderwidth", the check box's as "BorderWidth".
    const std::string text = FormFile::save(*trip.loaded);
    EXPECT_NE(text.find("\"Borderwidth\": 3"), std::string::npos);
    EXPECT_EQ(text.find("BorderWidth"), std::string::npos);
}

using OptionPixelTest = orvane::test::AtDpi<OptionTest>;

TEST_P(OptionPixelTest, TheGlyphCellFollowsValueAndLook) {
    for (const BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        Form form(u"Form1");
        auto& o = option(form, u"opt", 10);
        unfocus();
        for (const bool value : {false, true}) {
            o.Value(value);
            o.Enabled(true);
            moveAway();
            const int base = value ? 4 : 0;
            hover(o, 80, 10);
            press();
            EXPECT_EQ(o.glyphState(), base + 3);
            const auto pressed =
                orvane::test::probeGlyph(*platform, o, GlyphStrip::Kind::Option, base + 3);
            platform->MouseMove(1500, 1000);
            release();
            moveAway();
            const auto normal =
                orvane::test::probeGlyph(*platform, o, GlyphStrip::Kind::Option, base + 1);
            o.Enabled(false);
            const auto disabled =
                orvane::test::probeGlyph(*platform, o, GlyphStrip::Kind::Option, base + 4);
            for (const auto& probe : {pressed, normal, disabled}) {
                EXPECT_GT(probe.opaque, 0);
                EXPECT_EQ(probe.wrong, 0) << "value " << value << " themed " << themed;
            }
            EXPECT_EQ(o.Value(), value) << "released outside: nothing selected";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, OptionPixelTest, ::testing::Values(96, 144));

TEST_F(OptionTest, AThousandOptionsLeaveNothingBehind) {
    Form form(u"Form1");
    form.Show();
    auto& keep = form.add<ucOption>(u"keep", -1, box(0, 0, 100, 20));
    for (int i = 0; i < 1000; ++i) {
        auto& o = form.add<ucOption>(u"opt", -1, box(0, 30, 100, 20));
        o.Style(static_cast<ButtonConstants>(i % 2));
        o.Value(true);
        EXPECT_FALSE(keep.Value());
        keep.Value(true);
        form.remove(o);
    }
    pump();
}

}  // namespace
