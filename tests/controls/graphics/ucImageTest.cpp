// The image control: its defaults and published members, where the image lands at its own size,
// stretched, autosized and sliced from a strip (at 96 and 144 DPI, in our style and the classic
// look), opacity, rotation, grey, brightness and the disabled look, frames on the virtual clock,
// bytes that do not decode and a download that fails, OwnerDraw, hover, a form-file round trip
// and a create/destroy cycle.
#include "controls/graphics/ucImage.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "framework/drawing/ControlTooltip.h"
#include "host/App.h"
#include "host/ErrorOf.h"
#include "platform/base/CodePages.h"
#include "platform/display/PngWriter.h"
#include "support/ControlTest.h"
#include "support/ImageViews.h"
#include "support/RoundTrip.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;
using orvane::test::channelDistance;
using orvane::test::gif;
using orvane::test::kBlue;
using orvane::test::kBorder;
using orvane::test::kGreen;
using orvane::test::kRed;
using orvane::test::near;
using orvane::test::png;
using orvane::test::strip;

// A square PNG, its left half red and its right half blue.
std::vector<std::uint8_t> halves(int side) {
    PixelSurface s(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            s.at(x, y) = 0xFF000000u | PixelSurface::fromColor(x < side / 2 ? kRed : kBlue);
    return PngWriter::encode(s, PngWriter::Alpha::Keep);
}

class ImageTest : public orvane::test::ControlTest {
protected:
    ucImage& image(Form& form, Extender where = box(10, 10, 100, 80)) {
        auto& c = form.add<ucImage>(u"ctl", -1, std::move(where));
        form.Show();
        pump();
        return c;
    }
    void tick(int ms) {
        platform->AdvanceTime(ms);
        pump();
    }
    COLORREF middle(const ucImage& c) {
        return pixel(c, static_cast<int>(c.ScaleWidth()) / 2,
                     static_cast<int>(c.ScaleHeight()) / 2);
    }
    void TearDown() override {
        EnableTheming(TRUE);
        ControlTest::TearDown();
    }
};

TEST_F(ImageTest, ANewImageHasTheSharedDefaultsAndPublishesItsEventsInOrder) {
    Form form(u"Form1");
    auto& c = image(form);
    EXPECT_EQ(c.Alpha(), 255);
    EXPECT_EQ(c.Brightness(), 0);
    EXPECT_EQ(c.FrameInterval(), 35);
    EXPECT_EQ(c.BackColor(), 0xE1E1E1u);
    EXPECT_EQ(c.BorderStyle(), BorderStyleEnum::FixedSingle);
    EXPECT_EQ(c.Borderwidth(), 1);
    EXPECT_EQ(c.BorderColor(), 0xADADADu);
    EXPECT_EQ(c.animationFrames(), 0);
    // Without an image: the flat border round the container's colour.
    EXPECT_EQ(pixel(c, 0, 40), kBorder);
    EXPECT_EQ(pixel(c, 50, 40), formPixel(form));

    EXPECT_EQ(orvane::test::errorOf([&] { c.Style(static_cast<ImageStyleEnum>(2)); }), 380);
    EXPECT_EQ(orvane::test::errorOf([&] { c.FrameCount(0); }), 380);
    EXPECT_EQ(orvane::test::errorOf([&] { c.Alpha(256); }), 380);
    EXPECT_EQ(orvane::test::errorOf([&] { c.Brightness(101); }), 380);
    EXPECT_EQ(c.FrameCount(), 1);

    const ClassInfo* info = TypeLibrary::current().findClass(u"ucImage");
    ASSERT_TRUE(info);
    // Published in the order of their numbers, 1 to 11.
    std::string events;
    for (std::size_t i = 0; i < info->events.size(); ++i)
        if (info->events[i].number == static_cast<int>(i) + 1)
            events += ToUtf8(info->events[i].name) + " ";
    EXPECT_EQ(events,
              "Click DblClick KeyDown KeyPress KeyUp MouseDown MouseMove MouseUp MouseEnter "
              "MouseLeave OwnerDraw ");
    EXPECT_EQ(info->events.back().params, (std::vector<std::u16string>{u"hdc", u"dx", u"dy"}));
    const auto published = [info](const std::u16string& name) {
        for (const PropertyInfo& p : info->properties)
            if (p.name == name) return true;
        return false;
    };
    for (const char16_t* name : {u"Brightness", u"Stretch", u"Autosize", u"Style", u"FrameCount",
                                 u"PNG", u"hWnd", u"BorderColor", u"Borderwidth"})
        EXPECT_TRUE(published(name)) << ToUtf8(name);
    for (const char16_t* name : {u"ImageSize", u"ShowImage", u"BackColorHot", u"BorderColorHot"})
        EXPECT_FALSE(published(name)) << ToUtf8(name);
}

using ImagePixelTest = orvane::test::AtDpi<ImageTest>;

TEST_P(ImagePixelTest, OwnSizeStretchAutosizeAndAStripsSliceInBothLooks) {
    Form form(u"Form1");
    auto& c = image(form);
    const int w = px(100), h = px(80);
    ASSERT_EQ(static_cast<int>(c.ScaleWidth()), w);
    for (const bool themed : {true, false}) {
        SCOPED_TRACE(themed ? "our style" : "classic look");
        EnableTheming(themed);
        c.PNG(png(20, 10, 0xFFFF0000));
        c.Refresh();
        // Its own size at the DPI, inside the one-pixel border; the container elsewhere.
        EXPECT_TRUE(near(pixel(c, 1 + px(10), 1 + px(5)), kRed));
        EXPECT_EQ(pixel(c, 1 + px(20) + 3, 1 + px(5)), formPixel(form));
        EXPECT_EQ(pixel(c, 1 + px(10), 1 + px(10) + 3), formPixel(form));
        EXPECT_EQ(pixel(c, 0, h / 2), kBorder);
        // Stretched over the inside, the border still round it.
        c.Stretch(true);
        EXPECT_TRUE(near(pixel(c, w - 3, h - 3), kRed));
        EXPECT_EQ(pixel(c, w - 1, h - 3), kBorder);
        // Opaque: the back colour where the image is not.
        c.Stretch(false);
        c.BackStyle(BackStyleEnum::bsOpaque);
        EXPECT_EQ(pixel(c, w - 5, h - 5), RGB(0xE1, 0xE1, 0xE1));
        // 3D: a raised two-pixel edge in either look, the image inside it.
        c.Appearance(AppearanceEnum::ThreeD);
        EXPECT_EQ(pixel(c, w / 2, 0), GetSysColor(COLOR_3DLIGHT));
        EXPECT_EQ(pixel(c, w / 2, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(pixel(c, w / 2, h - 1), GetSysColor(COLOR_3DDKSHADOW));
        EXPECT_TRUE(near(pixel(c, 2 + px(10), 2 + px(5)), kRed));
        EXPECT_EQ(pixel(c, 2 + px(20) + 3, 2 + px(5)), RGB(0xE1, 0xE1, 0xE1));
        c.Appearance(AppearanceEnum::Flat);
        c.BackStyle(BackStyleEnum::bsTransparent);

        // Autosize: the image and the border.
        c.Autosize(true);
        EXPECT_EQ(static_cast<int>(c.ScaleWidth()), px(20) + 2);
        EXPECT_EQ(static_cast<int>(c.ScaleHeight()), px(10) + 2);
        // A strip of three 10 × 10 frames: one frame's width, the first frame's colour.
        c.PNG(strip(10, 10, {kRed, kGreen, kBlue}));
        c.Style(ImageStyleEnum::imgPictureStrip);
        c.FrameCount(3);
        EXPECT_EQ(static_cast<int>(c.ScaleWidth()), px(10) + 2);
        EXPECT_EQ(static_cast<int>(c.ScaleHeight()), px(10) + 2);
        EXPECT_TRUE(near(middle(c), kRed));
        // Stretched, the slice alone fills the inside.
        c.Autosize(false);
        c.Width(100 * 15);
        c.Height(80 * 15);
        c.Stretch(true);
        pump();
        ASSERT_EQ(static_cast<int>(c.ScaleWidth()), w);
        int other = 0;
        for (int x = 2; x < w - 2; ++x)
            other += !near(pixel(c, x, h / 2), kRed);
        EXPECT_EQ(other, 0);
        c.Style(ImageStyleEnum::imgStandard);
        c.Stretch(false);
    }
}

TEST_P(ImagePixelTest, OpacityRotationGreyBrightnessAndTheDisabledLook) {
    Form form(u"Form1");
    auto& c = image(form);
    const int w = px(100), h = px(80);
    c.BackStyle(BackStyleEnum::bsOpaque);
    c.BackColor(0xFFFFFF);
    c.Stretch(true);
    c.PNG(halves(20));
    const auto left = [&] { return pixel(c, w / 4, h / 2); };
    const auto right = [&] { return pixel(c, w * 3 / 4, h / 2); };
    EXPECT_TRUE(near(left(), kRed));
    EXPECT_TRUE(near(right(), kBlue));
    c.Angle(180);
    EXPECT_TRUE(near(left(), kBlue));
    EXPECT_TRUE(near(right(), kRed));
    c.Angle(0);
    c.Alpha(0);
    EXPECT_EQ(left(), RGB(255, 255, 255));
    c.Alpha(128);
    EXPECT_EQ(GetRValue(left()), 255);
    EXPECT_NEAR(GetGValue(left()), 127, 6);
    c.Alpha(255);
    c.GrayScale(true);
    EXPECT_LE(channelDistance(left(), RGB(GetRValue(left()), GetRValue(left()), GetRValue(left()))),
              2);
    EXPECT_LT(GetRValue(left()), 128);
    c.GrayScale(false);
    c.Brightness(50);
    EXPECT_EQ(GetRValue(left()), 255);
    EXPECT_NEAR(GetGValue(left()), 127, 6);
    c.Brightness(-50);
    EXPECT_NEAR(GetRValue(left()), 127, 6);
    c.Brightness(0);
    // Disabled: grey at half opacity over the back colour, a grey border.
    c.Enabled(false);
    const COLORREF faded = left();
    EXPECT_LE(channelDistance(faded, RGB(GetRValue(faded), GetRValue(faded), GetRValue(faded))), 2);
    EXPECT_GT(GetRValue(faded), 140);
    EXPECT_LT(GetRValue(faded), 230);
    EXPECT_EQ(pixel(c, 0, h / 2), GetSysColor(COLOR_GRAYTEXT));
}

INSTANTIATE_TEST_SUITE_P(Dpi, ImagePixelTest, ::testing::Values(96, 144));

TEST_F(ImageTest, FramesStepOnTheClockWrapAndStartAgainWithNewBytes) {
    Form form(u"Form1");
    auto& c = image(form);
    c.Stretch(true);
    c.FrameInterval(40);
    c.PNG(gif({0, 1, 0}));  // red, blue, red
    ASSERT_EQ(c.animationFrames(), 3);
    EXPECT_TRUE(c.animationRunning());
    EXPECT_EQ(c.currentFrame(), 0);
    EXPECT_TRUE(near(middle(c), kRed));
    tick(39);
    EXPECT_EQ(c.currentFrame(), 0);
    tick(1);
    EXPECT_EQ(c.currentFrame(), 1);
    EXPECT_TRUE(near(middle(c), kBlue));
    tick(40);
    EXPECT_EQ(c.currentFrame(), 2);
    EXPECT_TRUE(near(middle(c), kRed));
    tick(40);
    EXPECT_EQ(c.currentFrame(), 0);
    tick(40);
    EXPECT_EQ(c.currentFrame(), 1);

    // New bytes mid-animation: the first frame; a still image stops the clock.
    c.PNG(png(4, 4, 0xFF00FF00));
    EXPECT_EQ(c.currentFrame(), 0);
    EXPECT_FALSE(c.animationRunning());
    tick(200);
    EXPECT_EQ(c.currentFrame(), 0);
    EXPECT_TRUE(near(middle(c), kGreen));
    // Another animation starts from its first frame.
    c.PNG(gif({1, 0}));
    EXPECT_TRUE(c.animationRunning());
    EXPECT_EQ(c.currentFrame(), 0);
    EXPECT_TRUE(near(middle(c), kBlue));
    tick(40);
    EXPECT_EQ(c.currentFrame(), 1);
    // A new interval counts from now.
    c.FrameInterval(100);
    tick(99);
    EXPECT_EQ(c.currentFrame(), 1);
    tick(1);
    EXPECT_EQ(c.currentFrame(), 0);

    // A strip steps through its slices on the same clock.
    c.FrameInterval(40);
    c.PNG(strip(10, 10, {kRed, kGreen, kBlue}));
    EXPECT_FALSE(c.animationRunning());  // a standard image of one frame
    c.Style(ImageStyleEnum::imgPictureStrip);
    EXPECT_FALSE(c.animationRunning());  // a strip of one frame
    c.FrameCount(3);
    EXPECT_TRUE(c.animationRunning());
    EXPECT_TRUE(near(middle(c), kRed));
    tick(40);
    EXPECT_TRUE(near(middle(c), kGreen));
    tick(40);
    EXPECT_TRUE(near(middle(c), kBlue));
    tick(40);
    EXPECT_TRUE(near(middle(c), kRed));
    tick(40);
    EXPECT_EQ(c.currentFrame(), 1);
    c.FrameCount(2);
    EXPECT_EQ(c.currentFrame(), 0);
    c.FrameCount(1);
    EXPECT_FALSE(c.animationRunning());

    // In design mode the first frame stays.
    Form design(u"Form2", false);
    auto& still = design.add<ucImage>(u"ctl", -1, box(10, 10, 40, 40));
    design.Show();
    still.PNG(gif({0, 1}));
    EXPECT_EQ(still.animationFrames(), 2);
    EXPECT_FALSE(still.animationRunning());
}

TEST_F(ImageTest, UndecodableBytesShowNothingAndAFailedDownloadKeepsTheImage) {
    Form form(u"Form1");
    auto& c = image(form);
    c.Autosize(true);
    c.PNG({1, 2, 3, 4, 5});
    EXPECT_FALSE(c.imageState().loaded());
    EXPECT_EQ(c.animationFrames(), 0);
    EXPECT_FALSE(c.animationRunning());
    EXPECT_EQ(static_cast<int>(c.ScaleWidth()), 100);  // no image, no autosize
    EXPECT_EQ(middle(c), formPixel(form));
    // A truncated animation after a good image empties the control too.
    c.PNG(gif({0, 1}));
    ASSERT_TRUE(c.imageState().loaded());
    std::vector<std::uint8_t> cut = gif({0, 1});
    cut.resize(12);
    c.PNG(cut);
    EXPECT_FALSE(c.imageState().loaded());
    EXPECT_FALSE(c.animationRunning());
    EXPECT_EQ(pixel(c, 1, 1), formPixel(form));

    // A folder of this process's own: other test runs may use the temporary folder at once.
    const auto dir =
        std::filesystem::temp_directory_path() / ("orvane-image-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    App::current().Path(FromUtf8(dir.string()));
    const auto picture = png(6, 6, 0xFFFF0000);
    std::ofstream(dir / "pic.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(picture.data()),
               static_cast<std::streamsize>(picture.size()));
    const auto settle = [&] {
        for (int i = 0; i < 50; ++i)
            tick(10);
    };
    c.AsyncRead(FromUtf8((dir / "pic.png").string()));
    settle();
    EXPECT_EQ(c.PNG(), picture);
    EXPECT_EQ(static_cast<int>(c.ScaleWidth()), 6 + 2);
    c.AsyncRead(FromUtf8((dir / "missing.png").string()));
    settle();
    EXPECT_EQ(c.PNG(), picture);
    EXPECT_TRUE(c.imageState().loaded());
    EXPECT_TRUE(near(middle(c), kRed));
    std::filesystem::remove_all(dir);
}

TEST_F(ImageTest, OwnerDrawPaintsOverTheImageAndUnderTheBorder) {
    Form form(u"Form1");
    auto& c = image(form);
    c.Stretch(true);
    c.PNG(png(4, 4, 0xFFFF0000));
    std::vector<Variant> seen;
    c.connect(ucImage::evOwnerDraw, [&](std::vector<Variant>& args) {
        seen = args;
        const HDC dc = HDC(static_cast<std::uint32_t>(CLng(args[0])));
        const RECT leftHalf{0, 0, CLng(args[1]) / 2, CLng(args[2])};
        const COLORREF old = SetDCBrushColor(dc, kGreen);
        FillRect(dc, &leftHalf, HBRUSH(GetStockObject(DC_BRUSH)));
        SetDCBrushColor(dc, old);
    });
    c.Refresh();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(CLng(seen[1]), 100);
    EXPECT_EQ(CLng(seen[2]), 80);
    EXPECT_EQ(pixel(c, 25, 40), kGreen);
    EXPECT_TRUE(near(pixel(c, 75, 40), kRed));
    EXPECT_EQ(pixel(c, 0, 40), kBorder);
    EXPECT_EQ(pixel(c, 25, 0), kBorder);
}

TEST_F(ImageTest, HoverRaisesEnterAndLeaveAndShowsTheTooltip) {
    Form form(u"Form1");
    auto& c = image(form);
    c.PNG(png(4, 4, 0xFFFF0000));
    c.InitTooltip(u"An image");
    std::vector<std::string>& events = record(c);
    hover(c, 20, 20);
    EXPECT_EQ(ControlTooltipOwner(), c.hWnd());
    EXPECT_TRUE(IsWindow(ControlTooltipWindow()));
    platform->Click(at(c, 20, 20).x, at(c, 20, 20).y);
    pump();
    moveAway();
    EXPECT_EQ(ControlTooltipWindow(), HWND());
    EXPECT_EQ(events, (std::vector<std::string>{"MouseEnter", "MouseDown", "MouseUp", "Click",
                                                "MouseLeave"}));
}

TEST_F(ImageTest, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& {
        auto& c = form.add<ucImage>(u"ctl", -1, box(10, 10, 100, 80));
        form.Show();
        return c;
    };
    const auto change = [](UserControl& ctl) {
        auto& c = static_cast<ucImage&>(ctl);
        orvane::test::changeSharedImageProperties(c);
        c.Style(ImageStyleEnum::imgPictureStrip);
        c.FrameCount(2);
    };
    const orvane::test::RoundTrip trip = orvane::test::roundTrip(u"ucImage", make, change);
    EXPECT_GE(trip.compared, 18);
}

TEST_F(ImageTest, ManyImagesComeAndGoWithoutLeavingAnything) {
    {
        Form form(u"Form1");
        form.Show();
        for (int i = 0; i < 200; ++i) {
            auto& c = form.add<ucImage>(u"ctl", -1, box(0, 0, 40, 40));
            c.PNG(i % 2 ? gif({0, 1}) : strip(4, 4, {kRed, kGreen}));
            c.Style(i % 2 ? ImageStyleEnum::imgStandard : ImageStyleEnum::imgPictureStrip);
            c.FrameCount(2);
            c.InitTooltip(u"tip");
            hover(c, 10, 10);
            tick(40);
            form.remove(c);
        }
        moveAway();
    }
    EXPECT_EQ(platform::testing::TestPlatform::LiveGdiObjects(), 0u);
    EXPECT_EQ(platform::testing::TestPlatform::LiveUserObjects(), 0u);
}

}  // namespace
