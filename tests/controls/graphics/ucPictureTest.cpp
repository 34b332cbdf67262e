// The picture box: its defaults and read-only handles, the window DC the application draws on,
// the image, OwnerDraw and border at 96 and 144 DPI in our style and the classic look, an
// animation read from a form file, a form-file round trip and a create/destroy cycle.
#include "controls/graphics/ucPicture.h"

#include <string>
#include <vector>

#include "host/ErrorOf.h"
#include "host/FormFile.h"
#include "support/ControlTest.h"
#include "support/ImageViews.h"
#include "support/RoundTrip.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;
using orvane::test::gif;
using orvane::test::kBorder;
using orvane::test::kGreen;
using orvane::test::kRed;
using orvane::test::near;
using orvane::test::png;

void fill(HDC dc, const RECT& rc, COLORREF colour) {
    const COLORREF old = SetDCBrushColor(dc, colour);
    FillRect(dc, &rc, HBRUSH(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, old);
}

class PictureTest : public orvane::test::ControlTest {
protected:
    ucPicture& picture(Form& form, Extender where = box(10, 10, 100, 80)) {
        auto& c = form.add<ucPicture>(u"ctl", -1, std::move(where));
        form.Show();
        pump();
        return c;
    }
    void TearDown() override {
        EnableTheming(TRUE);
        ControlTest::TearDown();
    }
};

TEST_F(PictureTest, ANewPictureBoxHasTheSharedDefaultsAndReadOnlyHandles) {
    Form form(u"Form1");
    auto& c = picture(form);
    EXPECT_EQ(c.Alpha(), 255);
    EXPECT_EQ(c.FrameInterval(), 35);
    EXPECT_EQ(c.BackColor(), 0xE1E1E1u);
    EXPECT_EQ(pixel(c, 0, 40), kBorder);

    TypeLibrary& lib = TypeLibrary::current();
    EXPECT_EQ(CLng(lib.get(c, u"hdc")), static_cast<std::int32_t>(c.hdc().value));
    EXPECT_EQ(CLng(lib.get(c, u"hWnd")), static_cast<std::int32_t>(c.hWnd().value));
    EXPECT_EQ(orvane::test::errorOf([&] { lib.put(c, u"hdc", Variant(std::int32_t{1})); }), 383);
    EXPECT_EQ(orvane::test::errorOf([&] { lib.put(c, u"hWnd", Variant(std::int32_t{1})); }), 383);
    const ClassInfo* info = lib.findClass(u"ucPicture");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->events.back().name, u"OwnerDraw");
    EXPECT_EQ(info->events.back().number, 11);
}

TEST_F(PictureTest, DrawingOnItsDcShowsAtOnceUntilTheNextPaint) {
    Form form(u"Form1");
    auto& c = picture(form);
    c.Stretch(true);
    c.PNG(png(4, 4, 0xFFFF0000));
    const DWORD before = platform::testing::TestPlatform::LiveGdiObjects();
    const HDC dc = c.hdc();
    ASSERT_TRUE(dc);
    EXPECT_EQ(c.hdc(), dc);  // one DC for the control's life
    fill(dc, RECT{10, 10, 30, 30}, kGreen);
    EXPECT_EQ(pixel(c, 20, 20), kGreen);
    EXPECT_TRUE(near(pixel(c, 50, 50), kRed));
    c.Refresh();
    EXPECT_TRUE(near(pixel(c, 20, 20), kRed));
    // Drawing made in OwnerDraw comes back with every paint.
    c.connect(ucPicture::evOwnerDraw, [](std::vector<Variant>& args) {
        fill(HDC(static_cast<std::uint32_t>(CLng(args[0]))), RECT{10, 10, 30, 30}, kGreen);
    });
    c.Refresh();
    EXPECT_EQ(pixel(c, 20, 20), kGreen);
    form.remove(c);
    EXPECT_LT(platform::testing::TestPlatform::LiveGdiObjects(), before);
}

using PicturePixelTest = orvane::test::AtDpi<PictureTest>;

TEST_P(PicturePixelTest, ImageOwnerDrawAndBorderInBothLooks) {
    Form form(u"Form1");
    auto& c = picture(form);
    const int w = px(100), h = px(80);
    c.PNG(png(30, 20, 0xFFFF0000));
    std::vector<Variant> seen;
    c.connect(ucPicture::evOwnerDraw, [&seen](std::vector<Variant>& args) { seen = args; });
    for (const bool themed : {true, false}) {
        SCOPED_TRACE(themed ? "our style" : "classic look");
        EnableTheming(themed);
        c.Refresh();
        ASSERT_EQ(seen.size(), 3u);
        EXPECT_EQ(CLng(seen[1]), w);
        EXPECT_EQ(CLng(seen[2]), h);
        EXPECT_TRUE(near(pixel(c, 1 + px(15), 1 + px(10)), kRed));
        EXPECT_EQ(pixel(c, 1 + px(30) + 3, 1 + px(10)), formPixel(form));
        c.Borderwidth(3);
        c.BorderColor(0x00FF00);
        c.Stretch(true);
        EXPECT_EQ(pixel(c, 2, h / 2), kGreen);
        EXPECT_EQ(pixel(c, w - 3, h / 2), kGreen);
        EXPECT_TRUE(near(pixel(c, w - 5, h - 5), kRed));
        c.BorderStyle(BorderStyleEnum::None);
        EXPECT_TRUE(near(pixel(c, 0, h / 2), kRed));
        c.Autosize(true);
        EXPECT_EQ(static_cast<int>(c.ScaleWidth()), px(30));
        EXPECT_EQ(static_cast<int>(c.ScaleHeight()), px(20));
        // Back as it was for the other look.
        c.Autosize(false);
        c.Width(100 * 15);
        c.Height(80 * 15);
        c.Stretch(false);
        c.BorderStyle(BorderStyleEnum::FixedSingle);
        c.Borderwidth(1);
        pump();
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, PicturePixelTest, ::testing::Values(96, 144));

TEST_F(PictureTest, AnAnimationReadFromAFormFilePlaysFromItsFirstFrame) {
    std::string text;
    {
        Form form(u"Form1");
        auto& c = picture(form);
        c.PNG(gif({0, 1, 1}));
        c.FrameInterval(50);
        c.Autosize(true);
        text = FormFile::save(form);
    }
    auto loaded = FormFile::load(text);
    loaded->Show();
    pump();
    auto& c = static_cast<ucPicture&>(loaded->control(u"ctl"));
    EXPECT_EQ(c.animationFrames(), 3);
    EXPECT_EQ(c.currentFrame(), 0);
    EXPECT_TRUE(c.animationRunning());
    EXPECT_EQ(static_cast<int>(c.ScaleWidth()), 1 + 2);
    platform->AdvanceTime(50);
    pump();
    EXPECT_EQ(c.currentFrame(), 1);
}

TEST_F(PictureTest, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& {
        auto& c = form.add<ucPicture>(u"ctl", -1, box(10, 10, 100, 80));
        form.Show();
        return c;
    };
    const auto change = [](UserControl& ctl) {
        orvane::test::changeSharedImageProperties(static_cast<ucPicture&>(ctl));
    };
    // The handles are read only, and a new window's differ anyway.
    const orvane::test::RoundTrip trip = orvane::test::roundTrip(u"ucPicture", make, change);
    EXPECT_GE(trip.compared, 16);
}

TEST_F(PictureTest, ManyPictureBoxesComeAndGoWithoutLeavingAnything) {
    {
        Form form(u"Form1");
        form.Show();
        for (int i = 0; i < 200; ++i) {
            auto& c = form.add<ucPicture>(u"ctl", -1, box(0, 0, 40, 40));
            c.PNG(gif({0, 1}));
            fill(c.hdc(), RECT{0, 0, 5, 5}, kGreen);
            c.Refresh();
            platform->AdvanceTime(40);
            pump();
            form.remove(c);
        }
    }
    EXPECT_EQ(platform::testing::TestPlatform::LiveGdiObjects(), 0u);
    EXPECT_EQ(platform::testing::TestPlatform::LiveUserObjects(), 0u);
}

}  // namespace
