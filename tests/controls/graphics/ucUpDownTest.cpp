// The up-down: values kept within the range, presses and held halves on the virtual clock,
// double clicks counting as presses, both orientations, and its look styled and plain at 96
// and 144 DPI.
#include "controls/graphics/ucUpDown.h"

#include "support/ControlTest.h"
#include "support/RoundTrip.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;
using orvane::test::channelDistance;

class UpDownTest : public orvane::test::ControlTest {
protected:
    ucUpDown& spin(Form& form, Extender where = box(10, 10, 40, 20)) {
        auto& s = form.add<ucUpDown>(u"ctl", -1, std::move(where));
        form.Show();
        pump();
        return s;
    }
    void TearDown() override {
        EnableTheming(TRUE);
        ControlTest::TearDown();
    }
    int changes = 0;
    void count(ucUpDown& s) {
        s.connect(ucUpDown::evChange, [this](std::vector<Variant>&) { ++changes; });
    }
};

TEST_F(UpDownTest, ValuesStayInTheRangeAndChangeOnlyWhenTheyDo) {
    Form form(u"Form1");
    auto& s = spin(form);
    count(s);
    s.Value(150);
    EXPECT_EQ(s.Value(), 100);
    EXPECT_EQ(changes, 1);
    s.Value(100);
    s.Value(120);
    EXPECT_EQ(changes, 1);
    s.Max(40);  // a narrower range moves the value into it
    EXPECT_EQ(s.Value(), 40);
    EXPECT_EQ(changes, 2);
    s.Value(-3);
    EXPECT_EQ(s.Value(), 0);
    TypeLibrary::current().put(s, u"Value", Variant(std::int32_t{77}));
    EXPECT_EQ(s.Value(), 40);
}

TEST_F(UpDownTest, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& { return spin(form); };
    const auto change = [](UserControl& ctl) {
        auto& s = static_cast<ucUpDown&>(ctl);
        s.Min(-20);
        s.Max(20);
        s.Value(-7);
        s.Orientation(OrientationEnum::oVertical);
        s.Flat(false);
    };
    EXPECT_GE(orvane::test::roundTrip(u"ucUpDown", make, change).compared, 5);
}

TEST_F(UpDownTest, AHeldHalfStepsOnceThenRepeatsEveryTickUntilTheLimit) {
    Form form(u"Form1");
    auto& s = spin(form, box(10, 10, 20, 40));
    s.Orientation(OrientationEnum::oVertical);
    count(s);
    hover(s, 10, 5);  // the upper half increments
    press();
    EXPECT_EQ(s.Value(), 1);
    EXPECT_EQ(s.pressedHalf(), ucUpDown::Increment);
    platform->AdvanceTime(1000);  // ticks 4 to 10 repeat
    EXPECT_EQ(s.Value(), 8);
    release();
    platform->AdvanceTime(1000);
    EXPECT_EQ(s.Value(), 8);
    EXPECT_EQ(changes, 8);
    // At the limit nothing changes and nothing is raised.
    s.Value(100);
    changes = 0;
    press();
    platform->AdvanceTime(1000);
    release();
    EXPECT_EQ(changes, 0);
    // The lower half goes down; leaving the half pauses the repeat.
    hover(s, 10, 35);
    press();
    EXPECT_EQ(s.Value(), 99);
    hover(s, 10, 5);
    platform->AdvanceTime(1000);
    EXPECT_EQ(s.Value(), 99);
    release();
}

TEST_F(UpDownTest, QuickClicksAndDoubleClicksEachCount) {
    Form form(u"Form1");
    auto& s = spin(form);
    count(s);
    const POINT right = at(s, 30, 10), left = at(s, 5, 10);
    platform->Click(right.x, right.y);
    pump();
    platform->AdvanceTime(1000);
    platform->DoubleClick(right.x, right.y);
    pump();
    EXPECT_EQ(s.Value(), 3);
    platform->AdvanceTime(1000);
    platform->Click(left.x, left.y);
    pump();
    EXPECT_EQ(s.Value(), 2);
    EXPECT_EQ(changes, 4);
}

using UpDownPixelTest = orvane::test::AtDpi<UpDownTest>;

TEST_P(UpDownPixelTest, HalvesShowArrowsAndThePressedOne) {
    for (const BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        Form form(u"Form1");
        auto& s = spin(form, box(10, 10, 40, 20));
        const int w = static_cast<int>(s.ScaleWidth()), h = static_cast<int>(s.ScaleHeight());
        // Each half holds a dark arrow near its middle.
        auto darkIn = [&](int x0, int x1) {
            int n = 0;
            for (int x = x0; x < x1; ++x)
                for (int y = 2; y < h - 2; ++y)
                    n += channelDistance(pixel(s, x, y), RGB(0, 0, 0)) < 100;
            return n;
        };
        EXPECT_GT(darkIn(w / 8, w / 2 - 2), 2) << "themed " << themed;
        EXPECT_GT(darkIn(w / 2 + 2, w - w / 8), 2) << "themed " << themed;
        // Pressing the right half changes its pixels and no others.
        auto shot = [&] {
            std::vector<COLORREF> all;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    all.push_back(pixel(s, x, y));
            return all;
        };
        const std::vector<COLORREF> before = shot();
        hover(s, w * 3 / 4, h / 2);
        press();
        const std::vector<COLORREF> pressed = shot();
        int left = 0, right = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::size_t i = static_cast<std::size_t>(y * w + x);
                (x < w / 2 ? left : right) += pressed[i] != before[i];
            }
        EXPECT_EQ(left, 0) << "themed " << themed;
        EXPECT_GT(right, 4) << "themed " << themed;
        release();
        moveAway();
        EXPECT_EQ(shot(), before);
        form.remove(s);
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, UpDownPixelTest, ::testing::Values(96, 144));

TEST_F(UpDownTest, ManySpinsComeAndGoWithoutLeavingAnything) {
    Form form(u"Form1");
    form.Show();
    for (int i = 0; i < 300; ++i) {
        auto& s = form.add<ucUpDown>(u"ctl", -1, box(0, 0, 30, 20));
        s.Value(i % 50);
        s.Refresh();
        form.remove(s);
    }
    pump();
}

}  // namespace
