// The progress bar: its fraction for any range, the self-painted bar (segments, the two-colour
// caption, borders, the disabled look, the visual style) at 96 and 144 DPI, the Draw event,
// and the hosted platform bar that a loaded form with uxtheme and Animated gets.
#include "controls/graphics/ucProgressBar.h"

#include "host/ErrorOf.h"
#include "host/FormFile.h"
#include "platform/comctl/CommCtrl.h"
#include "support/ControlTest.h"
#include "support/RoundTrip.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;
using orvane::test::channelDistance;

class ProgressBarTest : public orvane::test::ControlTest {
protected:
    ucProgressBar& bar(Form& form, Extender where = box(10, 10, 200, 24)) {
        auto& b = form.add<ucProgressBar>(u"ctl", -1, std::move(where));
        form.Show();
        pump();
        return b;
    }
    void TearDown() override {
        EnableTheming(TRUE);
        ControlTest::TearDown();
    }
};

TEST_F(ProgressBarTest, TheFractionStaysWithinTheRange) {
    Form form(u"Form1");
    auto& b = bar(form);
    EXPECT_EQ(b.Max(), 100);
    EXPECT_EQ(b.BackColor(), vbButtonFace);
    EXPECT_EQ(b.Percent(), 0);
    b.Value(25);
    EXPECT_DOUBLE_EQ(b.Percent(), 0.25);
    b.Value(-5);
    EXPECT_EQ(b.Percent(), 0);
    b.Value(500);
    EXPECT_EQ(b.Percent(), 1);
    // Negative and reversed ranges.
    b.Min(-200);
    b.Max(-100);
    b.Value(-150);
    EXPECT_DOUBLE_EQ(b.Percent(), 0.5);
    b.Min(100);
    b.Max(0);
    b.Value(75);
    EXPECT_DOUBLE_EQ(b.Percent(), 0.25);
    // An empty range is an empty bar, and painting it is fine.
    b.Min(7);
    b.Max(7);
    EXPECT_EQ(b.Percent(), 0);
    b.Refresh();
    EXPECT_EQ(orvane::test::errorOf([&] { b.Appearance(3); }), 380);
    EXPECT_EQ(orvane::test::errorOf([&] { b.State(0); }), 380);
    EXPECT_EQ(orvane::test::errorOf([&] { b.Style(2); }), 380);
    EXPECT_EQ(b.State(), 1);
}

TEST_F(ProgressBarTest, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& {
        auto& b = form.add<ucProgressBar>(u"ctl", -1, box(10, 10, 200, 24));
        form.Show();
        return b;
    };
    const auto change = [](UserControl& ctl) {
        auto& b = static_cast<ucProgressBar&>(ctl);
        b.Min(-10);
        b.Max(10);
        b.Value(3);
        b.BackColor(0x102030);
        b.BarColor(0x00FF00);
        b.ForeColor(0x0000FF);
        b.BarForeColor(0x00FFFF);
        b.Appearance(ucProgressBar::epba3D);
        b.BorderStyle(ucProgressBar::epbsRaised);
        b.Segments(true);
        b.ShowText(true);
        b.Text(u"Copying…");
        b.TextAlignX(2);
        b.TextAlignY(0);
        b.uxtheme(true);
        b.State(2);
        b.Style(PBS_SMOOTH | PBS_VERTICAL);
        b.RightToLeft(true);
        b.Enabled(false);
    };
    // Animated stays off here: with uxtheme it would make the loaded bar a hosted one.
    const orvane::test::RoundTrip trip =
        orvane::test::roundTrip(u"ucProgressBar", make, change, {u"Animated", u"Percent"});
    EXPECT_GE(trip.compared, 19);
}

using ProgressPixelTest = orvane::test::AtDpi<ProgressBarTest>;

TEST_P(ProgressPixelTest, PlainBarsSegmentsCaptionsAndBorders) {
    Form form(u"Form1");
    auto& b = bar(form, box(10, 10, 200, 24));
    const int w = static_cast<int>(b.ScaleWidth()), h = static_cast<int>(b.ScaleHeight());
    b.BarColor(0x0000C0);  // red
    b.BackColor(0xFFFFFF);
    b.Value(50);
    // The 3D thin inset border: shadow above and left, highlight below and right.
    EXPECT_EQ(pixel(b, w / 2, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel(b, 0, h / 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel(b, w / 2, h - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    const int track = w - 2, edge = 1 + track / 2;
    EXPECT_EQ(pixel(b, edge - 1, h / 2), RGB(0xC0, 0, 0));
    EXPECT_EQ(pixel(b, edge, h / 2), RGB(255, 255, 255));
    // Segments: 25 pixels of track show two whole blocks, the gaps in the back colour.
    b.Max(track);
    b.Value(25);
    b.Segments(true);
    EXPECT_EQ(pixel(b, 1 + 7, h / 2), RGB(0xC0, 0, 0));
    EXPECT_EQ(pixel(b, 1 + 8, h / 2), RGB(255, 255, 255));
    EXPECT_EQ(pixel(b, 1 + 10, h / 2), RGB(0xC0, 0, 0));
    EXPECT_EQ(pixel(b, 1 + 17, h / 2), RGB(0xC0, 0, 0));
    EXPECT_EQ(pixel(b, 1 + 19, h / 2), RGB(255, 255, 255));
    EXPECT_EQ(pixel(b, 1 + 21, h / 2), RGB(255, 255, 255));
    // A centred caption half covered: black over the track, yellow over the bar.
    b.Segments(false);
    b.Value(track / 2);
    b.ForeColor(0x000000);
    b.BarForeColor(0x00FFFF);
    b.Text(u"WWWWWWWWWW");
    b.ShowText(true);
    int dark = 0, yellow = 0, wrongSide = 0;
    for (int x = 1; x < w - 1; ++x)
        for (int y = 1; y < h - 1; ++y) {
            const COLORREF p = pixel(b, x, y);
            const bool isYellow = channelDistance(p, RGB(255, 255, 0)) < 60;
            const bool isDark = channelDistance(p, RGB(0, 0, 0)) < 60;
            yellow += isYellow;
            dark += isDark;
            wrongSide += (isYellow && x >= edge) || (isDark && x < edge);
        }
    EXPECT_GT(dark, 20);
    EXPECT_GT(yellow, 20);
    EXPECT_EQ(wrongSide, 0);
    // Flat and 3D borders, and none.
    b.ShowText(false);
    b.Appearance(ucProgressBar::epbaFlat);
    EXPECT_EQ(pixel(b, w / 2, h - 1), RGB(0, 0, 0));
    b.Appearance(ucProgressBar::epba3D);
    b.BorderStyle(ucProgressBar::epbsRaised);
    EXPECT_EQ(pixel(b, w / 2, 0), GetSysColor(COLOR_3DLIGHT));  // a raised edge's outer line
    EXPECT_EQ(pixel(b, w / 2, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pixel(b, 2, h / 2), RGB(0xC0, 0, 0));  // the bar starts inside the 2-pixel edge
    b.BorderStyle(ucProgressBar::epbsNone);
    EXPECT_EQ(pixel(b, 0, h / 2), RGB(0xC0, 0, 0));
    // Disabled: white, the bar light grey, a black line round.
    b.Enabled(false);
    EXPECT_EQ(pixel(b, 5, h / 2), RGB(225, 225, 225));
    EXPECT_EQ(pixel(b, w - 5, h / 2), RGB(255, 255, 255));
    EXPECT_EQ(pixel(b, w / 2, 0), RGB(0, 0, 0));
}

TEST_P(ProgressPixelTest, TheVisualStyleDrawsTrackAndChunkAndVerticalBarsFillUpwards) {
    Form form(u"Form1");
    auto& b = bar(form, box(10, 10, 200, 24));
    b.uxtheme(true);
    b.Value(50);
    const int w = static_cast<int>(b.ScaleWidth()), h = static_cast<int>(b.ScaleHeight());
    const COLORREF chunk = pixel(b, w / 4, h / 2), track = pixel(b, w * 3 / 4, h / 2);
    EXPECT_GT(channelDistance(chunk, track), 60);
    EXPECT_GT(GetBValue(chunk), GetRValue(chunk) + 60) << "the accent";
    EnableTheming(FALSE);
    b.Refresh();
    EXPECT_EQ(pixel(b, w / 4, h / 2), RGB(0, 0, 0x80)) << "plain colours without styles";
    EnableTheming(TRUE);
    auto& v = form.add<ucProgressBar>(u"vert", -1, box(250, 10, 24, 200));
    v.BarColor(0x0000C0);
    v.Value(25);
    pump();
    const int vh = static_cast<int>(v.ScaleHeight());
    EXPECT_EQ(pixel(v, 12, vh - 5), RGB(0xC0, 0, 0));
    EXPECT_NE(pixel(v, 12, vh / 2), RGB(0xC0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Dpi, ProgressPixelTest, ::testing::Values(96, 144));

TEST_F(ProgressBarTest, DrawComesFirstAndCanTakeOverThePainting) {
    Form form(u"Form1");
    auto& b = bar(form);
    std::vector<Variant> seen;
    b.connect(ucProgressBar::evDraw, [&](std::vector<Variant>& args) {
        seen = args;
        const HDC dc = HDC(static_cast<std::uint32_t>(CLng(args[0])));
        const RECT all{0, 0, CLng(args[3]), CLng(args[4])};
        const COLORREF old = SetDCBrushColor(dc, RGB(0, 200, 0));
        FillRect(dc, &all, HBRUSH(GetStockObject(DC_BRUSH)));
        SetDCBrushColor(dc, old);
        args[5] = Variant(false);
    });
    b.Refresh();
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(CLng(seen[3]), static_cast<std::int32_t>(b.ScaleWidth()));
    EXPECT_TRUE(CBool(seen[5]));
    EXPECT_EQ(pixel(b, 1, 1), RGB(0, 200, 0));
    EXPECT_EQ(pixel(b, 100, 12), RGB(0, 200, 0));
}

TEST_F(ProgressBarTest, ALoadedThemedAnimatedBarHostsThePlatformBar) {
    std::string text;
    {
        Form form(u"Form1");
        auto& b = bar(form);
        b.uxtheme(true);
        b.Animated(true);
        b.Min(10);
        b.Max(20);
        b.Value(15);
        b.State(2);
        b.Style(PBS_SMOOTH);
        // Changing the settings at run time neither makes nor removes a hosted bar.
        EXPECT_FALSE(b.nativeWindow());
        text = FormFile::save(form);
    }
    auto loaded = FormFile::load(text);
    loaded->Show();
    pump();
    auto& b = static_cast<ucProgressBar&>(loaded->control(u"ctl"));
    const HWND native = b.nativeWindow();
    ASSERT_TRUE(native);
    EXPECT_EQ(SendMessageW(native, PBM_GETPOS, 0, 0), 15);
    EXPECT_EQ(SendMessageW(native, PBM_GETRANGE, TRUE, 0), 10);
    EXPECT_EQ(SendMessageW(native, PBM_GETSTATE, 0, 0), 2);
    EXPECT_EQ(GetWindowLongW(native, GWL_STYLE) & PBS_SMOOTH, static_cast<LONG>(PBS_SMOOTH));
    RECT rc;
    GetClientRect(native, &rc);
    EXPECT_EQ(rc.right, static_cast<int>(b.ScaleWidth()));
    b.Value(18);
    b.Max(30);
    b.State(3);
    pump();
    EXPECT_EQ(SendMessageW(native, PBM_GETPOS, 0, 0), 18);
    EXPECT_EQ(SendMessageW(native, PBM_GETRANGE, FALSE, 0), 30);
    EXPECT_EQ(SendMessageW(native, PBM_GETSTATE, 0, 0), 3);
    b.uxtheme(false);
    pump();
    EXPECT_EQ(b.nativeWindow(), native);
    loaded->remove(b);
    EXPECT_FALSE(IsWindow(native));
}

TEST_F(ProgressBarTest, ManyBarsComeAndGoWithoutLeavingAnything) {
    Form form(u"Form1");
    form.Show();
    for (int i = 0; i < 300; ++i) {
        auto& b = form.add<ucProgressBar>(u"ctl", -1, box(0, 0, 120, 20));
        b.Value(i % 100);
        b.ShowText(true);
        b.Text(u"x");
        b.Refresh();
        form.remove(b);
    }
    pump();
}

}  // namespace
