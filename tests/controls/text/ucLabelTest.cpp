// The label on a form: defaults and form-file round trips, what it draws in each state at 96
// and 144 DPI, hover with its tooltip and events, animation on the virtual clock, autosize,
// access keys, downloads, handlers that remove their own label, and a create/destroy cycle.
#include "controls/text/ucLabel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "framework/drawing/ControlTooltip.h"
#include "host/App.h"
#include "host/ControlClasses.h"
#include "host/ErrorOf.h"
#include "host/Form.h"
#include "host/FormFile.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"
#include "platform/display/PngWriter.h"
#include "support/ControlTest.h"
#include "support/RoundTrip.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;
using orvane::test::channelDistance;
using orvane::test::gif;
using orvane::test::png;

class LabelTest : public test::ControlTest {
protected:
    ucLabel& label(Form& form, const std::u16string& name = u"lbl",
                   Extender where = box(10, 10, 120, 30), const PropertyBag* stored = nullptr) {
        auto& l = form.add<ucLabel>(name, -1, std::move(where), nullptr, stored);
        form.Show();
        platform->PumpMessages();
        return l;
    }
};

TEST_F(LabelTest, NewAndStoredLabelsTakeTheirDefaults) {
    Form form(u"Form1");
    auto& fresh = label(form, u"lblFresh");
    EXPECT_EQ(fresh.Caption(), u"lblFresh");
    EXPECT_EQ(fresh.BackStyle(), BackStyleEnum::bsTransparent);
    EXPECT_EQ(fresh.BorderStyle(), BorderStyleEnum::FixedSingle);
    EXPECT_EQ(fresh.BackColor(), 0xE1E1E1u);
    EXPECT_EQ(fresh.BorderColorHot(), 0xD77800u);
    EXPECT_EQ(fresh.ImageSize(), 16);
    EXPECT_EQ(fresh.FrameInterval(), 35);
    EXPECT_EQ(fresh.imageState().Brightness, 0);  // a new label starts without the hover step
    EXPECT_EQ(fresh.Font()->Name(), form.ambientDefaults().Font()->Name());
    EXPECT_EQ(fresh.AccessKeys(), u"");

    const PropertyBag empty;
    auto& stored = label(form, u"lblStored", box(10, 50, 120, 30), &empty);
    EXPECT_EQ(stored.Caption(), u"");
    EXPECT_EQ(stored.imageState().Brightness, 10);
    EXPECT_FALSE(stored.EnableEvents());
    EXPECT_FALSE(stored.changed());

    // Values the label refuses raise 380 and change nothing.
    EXPECT_EQ(test::errorOf([&] { fresh.Alignment(3); }), 380);
    EXPECT_EQ(test::errorOf([&] { fresh.Alpha(256); }), 380);
    EXPECT_EQ(fresh.Alignment(), 0);
    EXPECT_FALSE(fresh.changed());
}

TEST_F(LabelTest, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& { return label(form, u"ctl"); };
    const auto change = [](UserControl& c) {
        auto& l = static_cast<ucLabel&>(c);
        l.Alignment(2);
        l.Autosize(true);
        l.Appearance(AppearanceEnum::ThreeD);
        l.BackColor(0x112233);
        l.BackColorHot(palette::kNoColor);
        l.BackColorPressed(0x445566);
        l.BackStyle(BackStyleEnum::bsOpaque);
        l.BorderColor(0x010203);
        l.BorderColorHot(0x040506);
        l.BorderColorPressed(0x070809);
        l.BorderStyle(BorderStyleEnum::None);
        l.Borderwidth(3);
        l.Caption(u"Grüße, 世界, مرحبا, 🙂 &Go");
        l.EnableEvents(true);
        l.Enabled(false);
        l.ForeColor(vbGrayText);
        l.HyperLink(true);
        l.WordWrap(true);
        l.PNG(png(4, 2, 0xFF00FF00));
        l.ShowImage(false);
        l.ImageSize(24);
        l.Alpha(100);
        l.Angle(45);
        l.GrayScale(true);
        l.FrameInterval(70);
        auto font = l.Font()->clone();
        font->Bold(true);
        font->Size(14);
        l.Font(font);
    };
    // RightToLeft is the one property left at its default (setting it realigns the caption).
    const test::RoundTrip trip = test::roundTrip(u"ucLabel", make, change, {u"RightToLeft"});
    EXPECT_GE(trip.compared, 25);
    auto& l = static_cast<ucLabel&>(trip.loaded->control(u"ctl"));
    EXPECT_TRUE(l.Font()->Bold());
    EXPECT_EQ(l.Font()->Size(), 14);
    EXPECT_EQ(l.Caption(), u"Grüße, 世界, مرحبا, 🙂 &Go");
    EXPECT_EQ(l.AccessKeys(), u"G");
    EXPECT_EQ(l.PNG(), png(4, 2, 0xFF00FF00));
    EXPECT_FALSE(l.Enabled());
}

TEST_F(LabelTest, StoredTextFontsAndImagesFollowTheConventions) {
    Form form(u"Form1");
    auto& l = label(form);
    l.Caption(u"");
    l.PNG({0x89});  // one byte: no image
    PropertyBag bag;
    l.save(bag);
    EXPECT_FALSE(bag.contains(u"Caption"));  // Empty is the default, not stored
    EXPECT_FALSE(bag.contains(u"Font"));     // the container's font
    EXPECT_FALSE(bag.contains(u"PNG"));
    EXPECT_FALSE(l.imageState().loaded());

    l.Caption(std::u16string(u"a\u0000b\xD800", 4));  // a NUL and an unpaired surrogate survive
    l.PNG({1, 2, 3, 4});                              // not an image: kept, but shows nothing
    l.save(bag);
    EXPECT_EQ(bag.ReadProperty(u"Caption").kind(), Variant::Kind::ByteArray);
    auto& back = label(form, u"lbl2", box(10, 50, 120, 30), &bag);
    EXPECT_EQ(back.Caption(), std::u16string(u"a\u0000b\xD800", 4));
    EXPECT_EQ(back.PNG(), (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_FALSE(back.imageState().loaded());

    // Stored values out of range read as the defaults.
    PropertyBag bad;
    bad.WriteProperty(u"Alignment", Variant(std::int32_t{9}));
    bad.WriteProperty(u"AutoSize", Variant(u"not a boolean"));
    bad.WriteProperty(u"BorderWidth", Variant(std::int32_t{-4}));
    auto& fallback = label(form, u"lbl3", box(10, 90, 120, 30), &bad);
    EXPECT_EQ(fallback.Alignment(), 0);
    EXPECT_FALSE(fallback.Autosize());
    EXPECT_EQ(fallback.Borderwidth(), 1);
}

using LabelPixelTest = test::AtDpi<LabelTest>;

TEST_P(LabelPixelTest, ADefaultLabelIsTransparentInsideAOnePixelGreyBorder) {
    Form form(u"Form1");
    auto& l = label(form);
    l.Caption(u"");
    platform->PumpMessages();
    const int w = static_cast<int>(l.ScaleWidth());
    EXPECT_EQ(w, px(120));
    EXPECT_EQ(pixel(l, 0, 0), 0xADADADu);
    EXPECT_EQ(pixel(l, w - 1, 5), 0xADADADu);
    EXPECT_EQ(pixel(l, 1, 1), formPixel(form));  // the container shows through
    EXPECT_EQ(pixel(l, w / 2, px(15)), formPixel(form));
}

TEST_P(LabelPixelTest, OpaqueLabelsFillTheirHotAndPressedColours) {
    Form form(u"Form1");
    auto& l = label(form);
    l.Caption(u"");
    l.BackStyle(BackStyleEnum::bsOpaque);
    l.BackColor(0x0000FF);
    l.BackColorHot(0x00FF00);
    l.BackColorPressed(0xFF0000);
    l.EnableEvents(true);  // the pressed look is drawn for labels that take events
    const int mid = px(15);
    EXPECT_EQ(pixel(l, 20, mid), 0x0000FFu);
    hover(l, 20, mid);
    EXPECT_EQ(pixel(l, 20, mid), 0x00FF00u);
    press();
    EXPECT_EQ(pixel(l, 20, mid), 0xFF0000u);
    release();

    // A state colour of -1 draws no fill: the form shows through.
    l.BackColorHot(palette::kNoColor);
    EXPECT_EQ(pixel(l, 20, mid), formPixel(form));
    moveAway();
    EXPECT_EQ(pixel(l, 20, mid), 0x0000FFu);
}

TEST_P(LabelPixelTest, EventsEnabledLabelsColourTheirBorderByState) {
    Form form(u"Form1");
    auto& l = label(form);
    l.EnableEvents(true);
    const int mid = px(15);
    hover(l, 20, mid);
    EXPECT_EQ(pixel(l, 0, mid), 0xD77800u);
    press();
    EXPECT_EQ(pixel(l, 0, mid), 0x995400u);
    platform->MouseUp();
    moveAway();
    // Focused after the click, neither hot nor pressed: a two-pixel border.
    EXPECT_EQ(pixel(l, 1, mid), 0xD77800u);
}

TEST_P(LabelPixelTest, ADisabledLabelIsGreyWithGreyTextAndAFadedGreyImage) {
    Form form(u"Form1");
    auto& l = label(form);
    l.Caption(u"WWWWWWWW");
    l.Font()->Size(14);
    l.PNG(png(8, 8, 0xFFFF0000));  // opaque pure red
    l.Enabled(false);
    platform->PumpMessages();
    const RECT image = l.layoutResult().imageRect;
    EXPECT_EQ(pixel(l, l.layoutResult().textRect.right - 2, 2), 0xCCCCCCu);
    EXPECT_EQ(pixel(l, 0, 5), GetSysColor(COLOR_GRAYTEXT));
    const COLORREF img = pixel(l, (image.left + image.right) / 2, (image.top + image.bottom) / 2);
    EXPECT_EQ(GetRValue(img), GetGValue(img)) << std::hex << img;  // grey, not red
    EXPECT_NE(img, 0xCCCCCCu);                                     // but drawn
    int text = 0;
    for (int x = l.layoutResult().textRect.left; x < l.layoutResult().textRect.right; ++x)
        for (int y = 0; y < static_cast<int>(l.ScaleHeight()); ++y)
            if (channelDistance(pixel(l, x, y), 0x90839D) < 0x10) ++text;
    EXPECT_GT(text, 10);
}

TEST_P(LabelPixelTest, ThreeDLabelsDrawRaisedEdgesThatSinkWhilePressed) {
    Form form(u"Form1");
    auto& l = label(form);
    l.Caption(u"");
    l.Appearance(AppearanceEnum::ThreeD);
    l.EnableEvents(true);
    const int w = static_cast<int>(l.ScaleWidth());
    const int mid = px(15);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    EXPECT_EQ(pixel(l, w - 1, mid), dark);
    hover(l, 20, mid);
    press();
    EXPECT_NE(pixel(l, w - 1, mid), dark);  // sunken: the right edge is the light one
    EXPECT_EQ(pixel(l, w - 1, mid), light);
    release();
}

INSTANTIATE_TEST_SUITE_P(Dpi, LabelPixelTest, ::testing::Values(96, 144));

TEST_F(LabelTest, HoverIsTrackedWithATooltipAndEventsWaitForEnableEvents) {
    Form form(u"Form1");
    auto& l = label(form);
    auto& other = label(form, u"other", box(10, 60, 120, 30));
    l.InitTooltip(u"Tip text", u"Title");
    other.InitTooltip(u"Other tip");
    std::vector<std::string> events;
    for (int n :
         {ucLabel::evMouseEnter, ucLabel::evMouseLeave, ucLabel::evMouseMove, ucLabel::evClick})
        l.connect(n, [&events, n](std::vector<Variant>&) { events.push_back(std::to_string(n)); });

    hover(l, 20, 10);
    EXPECT_TRUE(l.state().hot());
    EXPECT_EQ(pixel(l, 0, 10), 0xADADADu);  // without events the border keeps its colour
    EXPECT_EQ(ControlTooltipOwner(), l.hWnd());
    EXPECT_TRUE(IsWindow(ControlTooltipWindow()));
    platform->Click(at(l, 20, 10).x, at(l, 20, 10).y);
    platform->PumpMessages();
    moveAway();
    EXPECT_FALSE(l.state().hot());
    EXPECT_EQ(ControlTooltipWindow(), HWND());
    EXPECT_TRUE(events.empty());  // no events without EnableEvents

    l.EnableEvents(true);
    hover(l, 20, 10);
    hover(l, 22, 10);
    platform->AdvanceTime(50);  // still inside: the poll keeps it hot
    platform->PumpMessages();
    EXPECT_TRUE(l.state().hot());
    // Straight onto the other label: it takes the tooltip, and the first one's leaving does
    // not hide it.
    hover(other, 20, 10);
    platform->AdvanceTime(20);
    platform->PumpMessages();
    EXPECT_FALSE(l.state().hot());
    EXPECT_EQ(ControlTooltipOwner(), other.hWnd());
    EXPECT_TRUE(IsWindow(ControlTooltipWindow()));
    EXPECT_EQ(events, (std::vector<std::string>{"6", "4", "4", "7"}));
    moveAway();
}

int& paintsOf(HWND hwnd) {
    static std::map<std::uint32_t, int> counts;
    return counts[hwnd.value];
}

LRESULT countPaints(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    if (msg == WM_PAINT && w == 0) ++paintsOf(h);
    return DefSubclassProc(h, msg, w, l);
}

TEST_F(LabelTest, AHoverChangeRepaintsThatLabelAlone) {
    Form form(u"Form1");
    auto& l = label(form);
    auto& other = label(form, u"other", box(10, 50, 120, 30));
    l.BackStyle(BackStyleEnum::bsOpaque);
    platform->PumpMessages();
    for (ucLabel* c : {&l, &other}) {
        paintsOf(c->hWnd()) = 0;
        SetWindowSubclass(c->hWnd(), countPaints, 1, 0);
    }
    hover(l, 20, 10);
    EXPECT_EQ(paintsOf(l.hWnd()), 1);
    moveAway();
    EXPECT_EQ(paintsOf(l.hWnd()), 2);
    EXPECT_EQ(paintsOf(other.hWnd()), 0);
    // An unchanged value costs nothing; a change one layout and one repaint.
    l.BackColor(l.BackColor());
    EXPECT_EQ(paintsOf(l.hWnd()), 2);
    l.Caption(u"New caption");
    EXPECT_EQ(paintsOf(l.hWnd()), 3);
    for (ucLabel* c : {&l, &other})
        RemoveWindowSubclass(c->hWnd(), countPaints, 1);
}

TEST_F(LabelTest, AnimationAdvancesOnTheClockAndHoldsWhileHot) {
    Form form(u"Form1");
    auto& l = label(form);
    l.PNG(gif({0, 1, 0}));
    l.FrameInterval(40);
    platform->PumpMessages();
    ASSERT_EQ(l.imageState().frameCount(), 3);
    const int start = l.imageState().frameIndex();
    platform->AdvanceTime(40);
    platform->PumpMessages();
    EXPECT_EQ(l.imageState().frameIndex(), (start + 1) % 3);
    platform->AdvanceTime(40);
    platform->PumpMessages();
    EXPECT_EQ(l.imageState().frameIndex(), (start + 2) % 3);

    hover(l, 60, 10);
    const int held = l.imageState().frameIndex();
    platform->AdvanceTime(400);
    platform->PumpMessages();
    EXPECT_EQ(l.imageState().frameIndex(), held);
    moveAway();
    platform->AdvanceTime(40);
    platform->PumpMessages();
    EXPECT_NE(l.imageState().frameIndex(), held);

    // A still image never starts the clock.
    l.PNG(png(2, 2, 0xFF0000FF));
    platform->AdvanceTime(400);
    EXPECT_LE(l.imageState().frameCount(), 1);
    EXPECT_EQ(l.imageState().frameIndex(), 0);
}

TEST_F(LabelTest, AutosizeSetsWholePixelSizesInTwips) {
    Form form(u"Form1");
    auto& l = label(form);
    l.Caption(u"Autosized caption");
    l.Autosize(true);
    const int tppX = TwipsPerPixelX();
    const int tppY = TwipsPerPixelY();
    EXPECT_EQ(l.Width() % tppX, 0);
    EXPECT_EQ(l.Height() % tppY, 0);
    const int oneLine = l.Width();
    l.Caption(u"Autosized caption, longer");
    EXPECT_GT(l.Width(), oneLine);
    const int lineHeight = l.Height();
    // An image taller than the text raises the height; a wide one widens the label.
    l.PNG(png(4, 2, 0xFF00FF00));
    l.ImageSize(40);
    EXPECT_EQ(l.Height(), (40 + 4 + 4 + 2) * tppY);
    EXPECT_GE(l.Width(), oneLine + 80 * tppX);

    // Wrapped: the width stays and only the height follows the text.
    l.ShowImage(false);
    l.WordWrap(true);
    const int width = l.Width();
    l.Width(60 * tppX);
    EXPECT_EQ(l.Width(), 60 * tppX);
    EXPECT_GT(l.Height(), lineHeight);
    EXPECT_NE(width, l.Width());
}

TEST_F(LabelTest, RightToLeftRealignsTheCaption) {
    Form form(u"Form1");
    auto& l = label(form);
    l.Alignment(2);
    l.RightToLeft(false);  // even unchanged, it sets the alignment
    EXPECT_EQ(l.Alignment(), 0);
    l.RightToLeft(true);
    EXPECT_EQ(l.Alignment(), 1);
    EXPECT_NE(l.layoutResult().textFlags & DT_RTLREADING, 0u);
}

TEST_F(LabelTest, TheAccessKeyMovesTheFocusToTheNextControl) {
    Form form(u"Form1");
    auto& first = label(form, u"first");
    auto& next = label(form, u"next", box(10, 60, 120, 30));
    first.Caption(u"A&&B&Cd");
    EXPECT_EQ(first.AccessKeys(), u"C");
    first.Caption(u"Only &&");
    EXPECT_EQ(first.AccessKeys(), u"");
    first.Caption(u"&Name");
    focus(first);
    // Alt+N typed at once: the Tab the label sends comes after Alt is up.
    keybd_event(VK_MENU, 0, 0, 0);
    keybd_event('N', 0, 0, 0);
    keybd_event('N', 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    platform->PumpMessages();
    EXPECT_EQ(GetFocus(), next.hWnd());
}

TEST_F(LabelTest, AsyncReadLoadsAFileAndLogsAFailure) {
    // A folder of this process's own: other test runs may use the temporary folder at once.
    const auto dir =
        std::filesystem::temp_directory_path() / ("orvane-label-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    App::current().Path(FromUtf8(dir.string()));
    const auto picture = png(3, 3, 0xFF0000FF);
    {
        std::ofstream(dir / "pic.png", std::ios::binary)
            .write(reinterpret_cast<const char*>(picture.data()),
                   static_cast<std::streamsize>(picture.size()));
    }
    std::filesystem::remove(dir / "Orvane.log");
    Form form(u"Form1");
    auto& l = label(form);
    const auto run = [&] {
        for (int i = 0; i < 50; ++i) {
            platform->AdvanceTime(10);
            platform->PumpMessages();
        }
    };
    l.AsyncRead(FromUtf8((dir / "pic.png").string()));
    run();
    EXPECT_EQ(l.PNG(), picture);
    EXPECT_TRUE(l.imageState().loaded());

    l.AsyncRead(FromUtf8((dir / "missing.png").string()));
    run();
    EXPECT_EQ(l.PNG(), picture);  // unchanged
    std::ifstream in(dir / "Orvane.log", std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string ascii;
    for (std::size_t i = 2; i < log.size(); i += 2)
        ascii += log[i];
    EXPECT_NE(ascii.find("Error 404, File not found. "), std::string::npos) << ascii;
    EXPECT_NE(ascii.find("Proc = AsyncReadComplete"), std::string::npos);
    std::filesystem::remove_all(dir);
}

// Each event's handler removes the label that raised it; the sanitizers catch any use of it
// afterwards.
TEST_F(LabelTest, AHandlerMayRemoveItsOwnLabel) {
    for (int event :
         {ucLabel::evClick, ucLabel::evDblClick, ucLabel::evMouseDown, ucLabel::evMouseMove,
          ucLabel::evMouseUp, ucLabel::evMouseEnter, ucLabel::evMouseLeave}) {
        Form form(u"Form1");
        auto& l = label(form);
        l.EnableEvents(true);
        l.InitTooltip(u"tip");
        l.PNG(gif({0, 1}));
        bool removed = false;
        l.connect(event, [&form, &l, &removed](std::vector<Variant>&) {
            if (removed) return;
            removed = true;
            form.remove(l);
        });
        const POINT p = at(l, 30, 10);
        platform->MouseMove(p.x, p.y);
        platform->PumpMessages();
        if (!removed) platform->DoubleClick(p.x, p.y);
        platform->PumpMessages();
        if (!removed) moveAway();
        EXPECT_TRUE(removed) << "event " << event;
        EXPECT_TRUE(form.Controls().empty());
        platform->AdvanceTime(100);
        platform->PumpMessages();
        platform->MouseMove(1500, 1000);
        platform->PumpMessages();
    }
}

TEST_F(LabelTest, AThousandLabelsWithImagesAndTooltipsLeaveNothingBehind) {
    const auto picture = png(16, 16, 0xFF336699);
    for (int round = 0; round < 10; ++round) {
        Form form(u"Form1");
        form.Show();
        for (int i = 0; i < 100; ++i) {
            auto& l = form.add<ucLabel>(u"l" + FromUtf8(std::to_string(i)), -1,
                                        box(i % 10 * 50, i / 10 * 20, 48, 18));
            l.PNG(picture);
            l.InitTooltip(u"tip");
        }
        platform->PumpMessages();
        // Hover one so a tooltip and the hover timer exist when the form goes.
        auto& hovered = static_cast<ucLabel&>(form.control(u"l5"));
        hover(hovered, 5, 5);
        EXPECT_TRUE(IsWindow(ControlTooltipWindow()));
    }
    platform->MouseMove(1500, 1000);
    platform->PumpMessages();
    EXPECT_EQ(ControlTooltipWindow(), HWND());
}

}  // namespace
