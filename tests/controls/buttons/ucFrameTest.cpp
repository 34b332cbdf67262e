// The frame: a container whose controls move, hide and go with it and are saved on it; its
// border, caption and picture themed and classic at 96 and 144 DPI; clicks and double clicks
// only with EnableEvents.
#include "controls/buttons/ucFrame.h"

#include "controls/buttons/ucCheck.h"
#include "host/DataObject.h"
#include "host/ErrorOf.h"
#include "host/FormFile.h"
#include "support/ControlTest.h"
#include "support/RoundTrip.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;
using orvane::test::channelDistance;

class FrameTest : public orvane::test::ControlTest {
protected:
    ucFrame& frame(Form& form, Extender where = box(10, 10, 200, 120)) {
        auto& f = form.add<ucFrame>(u"fra", -1, std::move(where));
        form.Show();
        pump();
        return f;
    }
};

TEST_F(FrameTest, ItsControlsMoveHideAndGoWithIt) {
    Form form(u"Form1");
    auto& f = frame(form);
    auto& inside = form.add<ucCheck>(u"chk", -1, box(10, 30, 120, 24), &f);
    pump();
    const POINT before = at(inside, 0, 0);
    f.Extender().Move(40 * 15, 50 * 15, 200 * 15, 120 * 15);
    pump();
    const POINT after = at(inside, 0, 0);
    EXPECT_EQ(after.x - before.x, 30);
    EXPECT_EQ(after.y - before.y, 40);
    f.Extender().Visible(false);
    pump();
    EXPECT_FALSE(IsWindowVisible(inside.hWnd()));
    f.Extender().Visible(true);
    pump();
    EXPECT_TRUE(IsWindowVisible(inside.hWnd()));
    form.remove(f);
    EXPECT_TRUE(form.Controls().empty());
}

TEST_F(FrameTest, NewFramesTakeTheirDefaultsAndEveryPropertySurvivesAFormFile) {
    {
        Form form(u"Form1");
        auto& f = frame(form);
        EXPECT_EQ(f.Caption(), u"fra");
        EXPECT_EQ(f.ForeColor(), vbButtonText);
        EXPECT_FALSE(f.EnableEvents());
        EXPECT_EQ(f.BorderStyle(), BorderStyleEnum::FixedSingle);
        EXPECT_EQ(orvane::test::errorOf([&] { f.Alignment(3); }), 380);
        const auto& published = TypeLibrary::current().findClass(u"ucFrame")->properties;
        for (const char16_t* absent :
             {u"BorderColor", u"BackColorHot", u"Borderwidth", u"BackStyle"})
            EXPECT_TRUE(std::none_of(published.begin(), published.end(),
                                     [&](const PropertyInfo& p) { return p.name == absent; }));
    }
    const auto make = [this](Form& form) -> UserControl& {
        auto& f = form.add<ucFrame>(u"ctl", -1, box(10, 10, 200, 120));
        form.Show();
        return f;
    };
    const auto change = [](UserControl& ctl) {
        auto& f = static_cast<ucFrame&>(ctl);
        f.Alignment(2);
        f.Appearance(AppearanceEnum::ThreeD);
        f.BackColor(0x123456);
        f.BorderStyle(BorderStyleEnum::None);
        f.Caption(u"&Shipping");
        f.EnableEvents(true);
        f.Enabled(false);
        f.ForeColor(0x0000FF);
        f.RightToLeft(true);
        f.ThemedBorder(true);
        f.MousePointer(2);
        f.PNG(orvane::test::png(4, 2, 0xFF00FF00));
        f.ShowImage(false);
        f.ImageSize(24);
        f.Alpha(100);
        f.Angle(45);
        f.GrayScale(true);
        f.FrameInterval(70);
        f.OLEDropMode(2);
    };
    const orvane::test::RoundTrip trip = orvane::test::roundTrip(u"ucFrame", make, change);
    EXPECT_GE(trip.compared, 18);
}

TEST_F(FrameTest, ClicksAndDoubleClicksComeOnlyWithEnableEvents) {
    Form form(u"Form1");
    auto& f = frame(form);
    std::map<int, std::string> names{{ucFrame::evClick, "Click"},
                                     {ucFrame::evDblClick, "DblClick"},
                                     {ucFrame::evMouseUp, "MouseUp"},
                                     {ucFrame::evMouseEnter, "MouseEnter"}};
    auto& events = record(f, names);
    clickAt(f, 100, 80);
    EXPECT_TRUE(events.empty());
    platform->AdvanceTime(1000);  // that release counted for pairing, events or not
    f.EnableEvents(true);
    moveAway();
    const POINT p = at(f, 100, 80);
    platform->MouseMove(p.x, p.y);
    pump();
    events.clear();
    for (int i = 0; i < 3; ++i) {
        platform->AdvanceTime(200);
        press();
        release();
    }
    EXPECT_EQ(events, (std::vector<std::string>{"MouseUp", "Click", "MouseUp", "Click", "DblClick",
                                                "MouseUp", "Click"}));
    // Slow releases never pair.
    events.clear();
    for (int i = 0; i < 2; ++i) {
        platform->AdvanceTime(700);
        press();
        release();
    }
    EXPECT_EQ(std::count(events.begin(), events.end(), "DblClick"), 0);
}

using FramePixelTest = orvane::test::AtDpi<FrameTest>;

// The border runs along the middle of the caption line, broken where the caption is; without
// a border there is neither border nor caption, only the container and the picture.
TEST_P(FramePixelTest, BorderCaptionAndPicture) {
    for (const BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        Form form(u"Form1");
        auto& f = frame(form);
        f.Caption(u"Shipping");
        const COLORREF back = platform->ClientPixel(form.hWnd(), 2, 2);
        const FrameLayout& l = f.layoutResult();
        ASSERT_GT(l.captionHeight, 8);
        const int line = l.borderRect.top;
        const int w = static_cast<int>(f.ScaleWidth());
        const int h = static_cast<int>(f.ScaleHeight());
        EXPECT_GT(channelDistance(pixel(f, w - 20, line), back), 10)
            << "top line, themed " << themed;
        EXPECT_GT(channelDistance(pixel(f, 0, h / 2), back), 10) << "left side";
        EXPECT_EQ(pixel(f, l.gapRect.left + 1, line), back) << "the caption's gap";
        EXPECT_EQ(pixel(f, w / 2, h / 2), back) << "inside shows the container";
        int ink = 0;
        for (int x = l.textRect.left; x < l.gapRect.right; ++x)
            for (int y = 0; y < l.captionHeight; ++y)
                ink += channelDistance(pixel(f, x, y), back) > 80;
        EXPECT_GT(ink, 20) << "the caption is drawn";

        // A transparent control on the frame shows the frame's background there, not the
        // frame's own caption line drawn again at its corner.
        auto& inside = form.add<ucCheck>(u"chk", -1, box(20, 50, 150, 40), &f);
        inside.BorderStyle(BorderStyleEnum::None);
        inside.Caption(u"");
        pump();
        for (int x = 40; x < 140; x += 5)
            ASSERT_EQ(pixel(inside, x * GetParam() / 96, line), back) << x;
        form.remove(inside);

        f.PNG(orvane::test::png(16, 16, 0xFFFF0000));
        EXPECT_EQ(l.imageRect.left, 8);
        EXPECT_EQ(pixel(f, 8 + 2, 2), RGB(255, 0, 0));
        EXPECT_GE(l.textRect.left, l.imageRect.right);
        f.BorderStyle(BorderStyleEnum::None);
        EXPECT_EQ(pixel(f, w - 20, line), back);
        EXPECT_EQ(pixel(f, 0, h / 2), back);
        EXPECT_EQ(pixel(f, 8 + 2, 2), RGB(255, 0, 0)) << "the picture stays";
        // Right and centre put the picture at the right and beside a centred caption.
        f.BorderStyle(BorderStyleEnum::FixedSingle);
        f.Alignment(1);
        EXPECT_EQ(l.imageRect.right, w - 8);
        EXPECT_LE(l.textRect.right, l.imageRect.left);
        f.Alignment(2);
        EXPECT_LT(std::abs((l.imageRect.left + l.gapRect.right) - w), 8) << "centred";
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, FramePixelTest, ::testing::Values(96, 144));

TEST_F(FrameTest, AThousandFramesWithControlsLeaveNothingBehind) {
    Form form(u"Form1");
    form.Show();
    for (int i = 0; i < 1000; ++i) {
        auto& f = form.add<ucFrame>(u"fra", -1, box(0, 0, 100, 80));
        f.Caption(u"Frame");
        form.add<ucCheck>(u"chk", -1, box(5, 20, 80, 20), &f);
        f.Refresh();
        form.remove(f);
        ASSERT_TRUE(form.Controls().empty());
    }
    pump();
}

// Found by the monkey: a frame never holds the focus (a click, its access key or a removal
// pass it on), and a control that goes with the focus hands it to the next one.
TEST_F(FrameTest, TheFocusPassesOverFramesAndOnFromRemovedControls) {
    Form form(u"Form1");
    auto& f = frame(form);
    f.Caption(u"&Options");
    auto& first = form.add<ucCheck>(u"chkFirst", -1, box(10, 30, 150, 24), &f);
    auto& second = form.add<ucCheck>(u"chkSecond", -1, box(10, 60, 150, 24), &f);
    auto& outside = form.add<ucCheck>(u"chkOutside", -1, box(260, 10, 150, 24));
    pump();
    focus(outside);
    clickAt(f, 190, 100);
    EXPECT_EQ(GetFocus(), outside.hWnd()) << "a click on the frame leaves the focus";
    accessKey('O');
    EXPECT_EQ(GetFocus(), first.hWnd()) << "the access key enters the frame";
    // Hidden or disabled with the focus, a control hands it on, not to the frame.
    first.Extender().Visible(false);
    pump();
    EXPECT_EQ(GetFocus(), second.hWnd());
    second.Extender().Enabled(false);
    pump();
    EXPECT_EQ(GetFocus(), outside.hWnd());
    first.Extender().Visible(true);
    second.Extender().Enabled(true);
    focus(first);
    form.remove(first);
    pump();
    EXPECT_EQ(GetFocus(), second.hWnd());
    form.remove(f);  // with what it holds, the focus among it
    pump();
    EXPECT_EQ(GetFocus(), outside.hWnd());
    form.remove(outside);
    pump();
    EXPECT_EQ(GetFocus(), form.hWnd()) << "nothing left: the form";
}

// Found by the monkey: Enabled set through the container and the control's own Enabled are
// one state, and a saved form loads back disabled.
TEST_F(FrameTest, EnabledThroughTheContainerIsTheControlsEnabled) {
    std::string text;
    {
        Form form(u"Form1");
        auto& c = form.add<ucCheck>(u"chk", -1, box(10, 10, 150, 24));
        form.Show();
        c.Extender().Enabled(false);
        EXPECT_FALSE(c.Enabled());
        EXPECT_EQ(c.glyphState(), 4);
        text = FormFile::save(form);
        c.Enabled(true);
        EXPECT_TRUE(c.Extender().Enabled());
    }
    const auto loaded = FormFile::load(text);
    auto& c = static_cast<ucCheck&>(loaded->control(u"chk"));
    EXPECT_FALSE(c.Enabled());
    EXPECT_FALSE(c.Extender().Enabled());
    EXPECT_EQ(FormFile::save(*loaded), text);
}

}  // namespace

// Files dropped on a control inside the frame, which takes no drops itself, reach the frame's
// OLEDragOver and OLEDragDrop; OLEDropMode is set by name like any property.
TEST_F(FrameTest, DropsOnItsControlsReachTheFrame) {
    Form form(u"Form1");
    auto& f = frame(form);
    auto& inside = form.add<ucCheck>(u"chk", -1, box(10, 30, 120, 24), &f);
    pump();
    EXPECT_EQ(orvane::test::errorOf([&] { TypeLibrary::current().put(f, u"OLEDropMode", 3); }),
              errors::InvalidPropertyValue);
    TypeLibrary::current().put(f, u"OLEDropMode", Variant(std::int32_t{1}));
    std::vector<std::string> events;
    f.connect(ucFrame::evOLEDragOver, [&](std::vector<Variant>& a) {
        events.push_back("OLEDragOver " + std::to_string(CInt(a[6])));
    });
    f.connect(ucFrame::evOLEDragDrop, [&](std::vector<Variant>& a) {
        auto data = std::dynamic_pointer_cast<DataObject>(a[0].object());
        events.push_back("OLEDragDrop " + platform::ToUtf8(CStr(data->Files()->Item(Variant(1)))));
        a[1] = Variant(std::int32_t{vbDropEffectCopy});
    });
    const POINT p = at(inside, 5, 5);
    EXPECT_EQ(platform->DropFiles(p.x, p.y, {u"/x.txt"}), DROPEFFECT_COPY);
    EXPECT_EQ(events,
              (std::vector<std::string>{"OLEDragOver 0", "OLEDragOver 2", "OLEDragDrop /x.txt"}));
    // Without a drop mode nothing takes it.
    f.OLEDropMode(0);
    EXPECT_EQ(platform->DropFiles(p.x, p.y, {u"/x.txt"}), DROPEFFECT_NONE);
    EXPECT_EQ(events.size(), 3u);
}
