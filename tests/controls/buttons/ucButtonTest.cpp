// The button on a form: defaults, refused values and form-file round trips; what each style
// draws in each state, themed and classic, at 96 and 144 DPI; clicks from the mouse, the
// keyboard, the access key and the form's default and cancel buttons; autosize; animation;
// hover repaints; handlers that remove their own button; and a create/destroy cycle.
#include "controls/buttons/ucButton.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "framework/drawing/ControlTooltip.h"
#include "host/App.h"
#include "host/ControlClasses.h"
#include "host/ErrorOf.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"
#include "support/ControlTest.h"
#include "support/RoundTrip.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::gif;
using orvane::test::png;

using test::box;
using test::channelDistance;

// Three 4-pixel rows, red, green and blue from the top: a normal, hot and pressed strip.
std::vector<std::uint8_t> strip() {
    PixelSurface s(4, 12, 0xFFFF0000);
    for (int y = 4; y < 12; ++y)
        for (int x = 0; x < 4; ++x)
            s.at(x, y) = y < 8 ? 0xFF00FF00 : 0xFF0000FF;
    return PngWriter::encode(s, PngWriter::Alpha::Keep);
}

class ButtonTest : public test::ControlTest {
protected:
    ucButton& button(Form& form, const std::u16string& name = u"btn",
                     Extender where = box(10, 10, 120, 30), const PropertyBag* stored = nullptr) {
        auto& b = form.add<ucButton>(name, -1, std::move(where), nullptr, stored);
        form.Show();
        platform->PumpMessages();
        return b;
    }
};

TEST_F(ButtonTest, NewButtonsTakeTheirDefaultsAndRefuseBadValues) {
    Form form(u"Form1");
    auto& b = button(form, u"cmdOK");
    EXPECT_EQ(b.Caption(), u"cmdOK");
    EXPECT_EQ(b.Style(), ButtonStyleEnum::styStandard);
    EXPECT_EQ(b.Borderwidth(), 2);
    EXPECT_EQ(b.Brightness(), 10);
    EXPECT_EQ(b.BackColor(), 0xE1E1E1u);
    EXPECT_EQ(b.PadLeft(), 4);
    EXPECT_FALSE(b.Value());
    // A button has no back style: its Style says how it fills.
    const auto& published = TypeLibrary::current().findClass(u"ucButton")->properties;
    EXPECT_TRUE(std::none_of(published.begin(), published.end(),
                             [](const PropertyInfo& p) { return p.name == u"BackStyle"; }));

    EXPECT_EQ(test::errorOf([&] { b.Style(static_cast<ButtonStyleEnum>(5)); }), 380);
    EXPECT_EQ(test::errorOf([&] { b.Style(static_cast<ButtonStyleEnum>(-1)); }), 380);
    EXPECT_EQ(test::errorOf([&] { b.Alignment(3); }), 380);
    EXPECT_EQ(b.Style(), ButtonStyleEnum::styStandard);
    EXPECT_FALSE(b.changed());

    // Nothing here fails to draw: no size, no caption, bytes that are no image.
    b.Caption(u"");
    b.PNG({1, 2, 3, 4, 5});
    EXPECT_FALSE(b.imageState().loaded());
    for (int style = 0; style <= 4; ++style) {
        b.Style(static_cast<ButtonStyleEnum>(style));
        b.Width(0);
        b.Height(0);
        b.Refresh();
        b.Width(600 * 15);
        b.Height(300 * 15);
        b.Refresh();
    }
}

TEST_F(ButtonTest, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& { return button(form, u"ctl"); };
    const auto change = [](UserControl& c) {
        auto& b = static_cast<ucButton&>(c);
        b.Alignment(2);
        b.Autosize(true);
        b.Appearance(AppearanceEnum::ThreeD);
        b.BackColor(0x112233);
        b.BackColorHot(palette::kNoColor);
        b.BackColorPressed(0x445566);
        b.BorderColor(0x010203);
        b.BorderColorHot(0x040506);
        b.BorderColorPressed(0x070809);
        b.BorderStyle(BorderStyleEnum::None);
        b.Borderwidth(3);
        b.Caption(u"Save && &Exit, 世界 🙂");
        b.Enabled(false);
        b.ForeColor(vbGrayText);
        b.WordWrap(true);
        b.PadBottom(1);
        b.PadLeft(2);
        b.PadRight(3);
        b.PadTop(5);
        b.Style(ButtonStyleEnum::styGraphicalStacked);
        b.PNG(png(4, 2, 0xFF00FF00));
        b.ShowImage(false);
        b.ImageSize(24);
        b.Alpha(100);
        b.Angle(45);
        b.Brightness(-20);
        b.GrayScale(true);
        b.FrameInterval(70);
        auto font = b.Font()->clone();
        font->Italic(true);
        b.Font(font);
    };
    // RightToLeft stays (setting it realigns the caption); Value is never stored.
    const test::RoundTrip trip =
        test::roundTrip(u"ucButton", make, change, {u"RightToLeft", u"Value"});
    EXPECT_GE(trip.compared, 30);
    auto& b = static_cast<ucButton&>(trip.loaded->control(u"ctl"));
    EXPECT_TRUE(b.Font()->Italic());
    EXPECT_EQ(b.AccessKeys(), u"E");
}

class ButtonPixelTest : public test::AtDpi<ButtonTest> {
protected:
    // The theme's push button drawn alone, over the form's colour, at the button's size.
    COLORREF themed(ucButton& b, Form& form, int stateId, int x, int y) {
        const int w = static_cast<int>(b.ScaleWidth()), h = static_cast<int>(b.ScaleHeight());
        const HDC screen = GetDC(HWND());
        const HDC dc = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        const RECT rc{0, 0, w, h};
        const HBRUSH brush = CreateSolidBrush(formPixel(form));
        FillRect(dc, &rc, brush);
        const HTHEME theme = OpenThemeData(HWND(), u"Button");
        EXPECT_EQ(DrawThemeBackground(theme, dc, BP_PUSHBUTTON, stateId, &rc, nullptr), S_OK);
        CloseThemeData(theme);
        const COLORREF c = GetPixel(dc, x, y);
        SelectObject(dc, old);
        DeleteObject(brush);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(HWND(), screen);
        return c;
    }
};

TEST_P(ButtonPixelTest, OpaqueButtonsFillAndBorderByState) {
    Form form(u"Form1");
    auto& b = button(form);
    b.Caption(u"");
    b.Style(ButtonStyleEnum::styOpaque);
    b.BackColor(0x0000FF);
    b.BackColorHot(0x00FF00);
    b.BackColorPressed(0xFF0000);
    unfocus();
    const int mid = px(15);
    EXPECT_EQ(pixel(b, 20, mid), 0x0000FFu);
    EXPECT_EQ(pixel(b, 1, mid), 0xADADADu);  // two pixels of border
    EXPECT_EQ(pixel(b, 2, mid), 0x0000FFu);
    hover(b, 20, mid);
    EXPECT_EQ(pixel(b, 20, mid), 0x00FF00u);
    EXPECT_EQ(pixel(b, 0, mid), 0xD77800u);
    press();
    EXPECT_EQ(pixel(b, 20, mid), 0xFF0000u);
    EXPECT_EQ(pixel(b, 1, mid), 0x995400u);
    release();
    // No hot fill: the form shows through while hot.
    b.BackColorHot(palette::kNoColor);
    EXPECT_EQ(pixel(b, 20, mid), formPixel(form));
    moveAway();
    EXPECT_EQ(pixel(b, 20, mid), 0x0000FFu);

    // Focused at rest: a two-pixel ring in the hot colour, whatever the border width.
    unfocus();  // the press focused it
    b.Borderwidth(5);
    EXPECT_EQ(pixel(b, 4, mid), 0xADADADu);
    focus(b);
    EXPECT_EQ(pixel(b, 1, mid), 0xD77800u);
    EXPECT_EQ(pixel(b, 2, mid), 0x0000FFu);

    // Disabled: grey face, grey-text border, the disabled caption colour.
    b.Caption(u"WW");
    b.Font()->Size(14);
    b.Enabled(false);
    EXPECT_EQ(pixel(b, static_cast<int>(b.ScaleWidth()) - 8, mid), 0xCCCCCCu);
    EXPECT_EQ(pixel(b, 0, mid), GetSysColor(COLOR_GRAYTEXT));
    int text = 0;
    for (int x = 0; x < static_cast<int>(b.ScaleWidth()); ++x)
        for (int y = 0; y < static_cast<int>(b.ScaleHeight()); ++y)
            if (channelDistance(pixel(b, x, y), 0x90839D) < 0x10) ++text;
    EXPECT_GT(text, 10);
}

TEST_P(ButtonPixelTest, TransparentButtonsShowTheFormAndA3DEdgeSinksWhilePressed) {
    Form form(u"Form1");
    auto& b = button(form);
    b.Caption(u"");
    b.Style(ButtonStyleEnum::styTransparent);
    const int mid = px(15);
    EXPECT_EQ(pixel(b, 20, mid), formPixel(form));
    hover(b, 20, mid);
    EXPECT_EQ(pixel(b, 20, mid), formPixel(form));  // no fill of its own, even hot

    b.Appearance(AppearanceEnum::ThreeD);
    const int w = static_cast<int>(b.ScaleWidth());
    EXPECT_EQ(pixel(b, w - 1, mid), GetSysColor(COLOR_3DDKSHADOW));
    press();
    EXPECT_EQ(pixel(b, w - 1, mid), GetSysColor(COLOR_BTNHIGHLIGHT));
    release();
}

TEST_P(ButtonPixelTest, TheStandardFaceIsTheThemesPushButtonInEachState) {
    Form form(u"Form1");
    auto& b = button(form);
    auto& other = button(form, u"other", box(10, 60, 120, 30));
    b.Caption(u"");
    const int cx = static_cast<int>(b.ScaleWidth()) / 2, cy = static_cast<int>(b.ScaleHeight()) / 2;
    std::map<int, COLORREF> faces;
    const auto check = [&](UxThemePushButtonStates s) {
        ASSERT_EQ(b.themeState(), s);
        const int id = static_cast<int>(s);
        faces[id] = pixel(b, cx, cy);
        EXPECT_EQ(faces[id], themed(b, form, id, cx, cy)) << id;
        // The rounded corner lets the form show through.
        EXPECT_EQ(pixel(b, 0, 0), themed(b, form, id, 0, 0)) << id;
        EXPECT_EQ(pixel(b, cx, 1), themed(b, form, id, cx, 1)) << id;
    };
    check(UxThemePushButtonStates::PBS_DEFAULTED);  // first in the tab order: focused on show
    unfocus();
    check(UxThemePushButtonStates::PBS_NORMAL);
    hover(b, cx, cy);
    check(UxThemePushButtonStates::PBS_HOT);
    press();
    check(UxThemePushButtonStates::PBS_PRESSED);
    release();
    moveAway();
    check(UxThemePushButtonStates::PBS_DEFAULTED);  // the click left it focused
    focus(other);
    check(UxThemePushButtonStates::PBS_NORMAL);
    form.Default(&b);  // the form's default button looks defaulted without the focus
    platform->PumpMessages();
    check(UxThemePushButtonStates::PBS_DEFAULTED);
    b.Enabled(false);
    check(UxThemePushButtonStates::PBS_DISABLED);
    // Every state looks different from the others at the centre or the edge.
    EXPECT_NE(faces[1], faces[2]);
    EXPECT_NE(faces[2], faces[3]);
    EXPECT_NE(faces[1], faces[4]);
}

TEST_P(ButtonPixelTest, WithoutVisualStylesTheStandardFaceIsTheClassicButton) {
    EnableTheming(FALSE);
    Form form(u"Form1");
    auto& b = button(form);
    b.Caption(u"");
    const int w = static_cast<int>(b.ScaleWidth()), h = static_cast<int>(b.ScaleHeight());
    EXPECT_EQ(pixel(b, w / 2, h / 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixel(b, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pixel(b, w - 1, h - 1), GetSysColor(COLOR_3DDKSHADOW));
    hover(b, w / 2, h / 2);
    press();
    EXPECT_NE(pixel(b, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));  // pushed: dark outside
    release();
}

TEST_P(ButtonPixelTest, PictureStylesFillWithTheImageAndTheStripFollowsTheState) {
    Form form(u"Form1");
    auto& b = button(form);
    b.Caption(u"");
    b.Style(ButtonStyleEnum::styGraphical);
    b.PNG(png(8, 8, 0xFF00FF00));
    unfocus();
    const int w = static_cast<int>(b.ScaleWidth()), h = static_cast<int>(b.ScaleHeight());
    EXPECT_EQ(pixel(b, w / 2, h / 2), 0x00FF00u);
    EXPECT_EQ(pixel(b, 0, 0), 0x00FF00u);  // no border until focused
    focus(b);
    EXPECT_EQ(pixel(b, 0, 0), 0xD77800u);
    EXPECT_EQ(pixel(b, 1, 1), 0xD77800u);
    EXPECT_EQ(pixel(b, 2, 2), 0x00FF00u);

    b.Style(ButtonStyleEnum::styGraphicalStacked);
    b.PNG(strip());
    moveAway();
    const auto colour = [&] { return pixel(b, w / 2, h / 2); };
    EXPECT_EQ(colour(), 0x0000FFu);  // red (0x00BBGGRR): the top third
    hover(b, w / 2, h / 2);
    EXPECT_EQ(colour(), 0x00FF00u);
    press();
    EXPECT_EQ(colour(), 0xFF0000u);
    release();
    b.Enabled(false);  // the normal third, grey and faded
    const COLORREF grey = colour();
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
}

TEST_P(ButtonPixelTest, TheSideImageSitsByTheAlignmentAndGreysWhenDisabled) {
    Form form(u"Form1");
    auto& b = button(form);
    b.Caption(u"");
    b.PNG(png(8, 8, 0xFFFF0000));
    const RECT left = b.layoutResult().imageRect;
    EXPECT_EQ(left.bottom - left.top, px(16));
    EXPECT_EQ(pixel(b, (left.left + left.right) / 2, (left.top + left.bottom) / 2), 0x0000FFu);
    b.Alignment(1);
    const RECT right = b.layoutResult().imageRect;
    EXPECT_GT(right.left, static_cast<int>(b.ScaleWidth()) / 2);
    b.Enabled(false);
    const COLORREF c = pixel(b, (right.left + right.right) / 2, (right.top + right.bottom) / 2);
    EXPECT_EQ(GetRValue(c), GetGValue(c)) << std::hex << c;
}

INSTANTIATE_TEST_SUITE_P(Dpi, ButtonPixelTest, ::testing::Values(96, 144));

TEST_F(ButtonTest, MouseClicksOnlyWhenPressedAndReleasedInside) {
    Form form(u"Form1");
    auto& b = button(form);
    auto& events = record(b);
    platform->Click(at(b, 20, 10).x, at(b, 20, 10).y);
    platform->PumpMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"MouseEnter", "MouseDown", "MouseUp", "Click"}));

    // Pressed, dragged out and released outside: no click.
    events.clear();
    platform->AdvanceTime(1000);  // not a double click
    hover(b, 20, 10);
    press();
    EXPECT_TRUE(b.state().pressed());
    hover(b, 300, 10);
    release();
    EXPECT_EQ(events, (std::vector<std::string>{"MouseDown", "MouseUp"}));
    EXPECT_FALSE(b.state().pressed());

    // The right button raises its events but neither presses nor clicks.
    events.clear();
    hover(b, 20, 10);
    platform->MouseDown(platform::testing::MouseButton::Right);
    platform->PumpMessages();
    EXPECT_FALSE(b.state().pressed());
    platform->MouseUp(platform::testing::MouseButton::Right);
    platform->PumpMessages();
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 0);
    EXPECT_EQ(std::count(events.begin(), events.end(), "MouseDown"), 1);
    moveAway();
}

TEST_F(ButtonTest, TheKeyboardClicksThroughSpaceAccessKeyEnterAndEscape) {
    Form form(u"Form1");
    auto& b = button(form);
    auto& cancel = button(form, u"cancel", box(10, 60, 120, 30));
    b.Caption(u"Save && &Exit");
    EXPECT_EQ(b.AccessKeys(), u"E");
    focus(b);
    auto& events = record(b);

    key(VK_SPACE);
    EXPECT_EQ(events, (std::vector<std::string>{"KeyDown", "Click", "KeyPress", "KeyUp"}));
    EXPECT_FALSE(b.state().pressed());  // no pressed look from the keyboard

    // Auto-repeat: every key-down clicks.
    events.clear();
    platform->KeyDown(VK_SPACE);
    platform->KeyDown(VK_SPACE);
    platform->KeyUp(VK_SPACE);
    platform->PumpMessages();
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 2);

    // A KeyDown handler that swallows the key stops the click.
    b.connect(ucButton::evKeyDown,
              [](std::vector<Variant>& a) { a[0] = Variant(std::int16_t{0}); });
    events.clear();
    key(VK_SPACE);
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 0);

    // The access key clicks with Value true during the click; Enter and Escape reach the
    // form's default and cancel buttons, wherever the focus is.
    bool valueDuringClick = false;
    b.connect(ucButton::evClick, [&](std::vector<Variant>&) { valueDuringClick = b.Value(); });
    focus(cancel);
    events.clear();
    accessKey('E');
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 1);
    EXPECT_TRUE(valueDuringClick);
    EXPECT_FALSE(b.Value());

    form.Default(&b);
    form.Cancel(&cancel);
    int cancelled = 0;
    cancel.connect(ucButton::evClick, [&](std::vector<Variant>&) { ++cancelled; });
    focus(cancel);
    events.clear();
    key(VK_RETURN);
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 1);
    key(VK_ESCAPE);
    EXPECT_EQ(cancelled, 1);
}

TEST_F(ButtonTest, ValueClicksOnceAndDoesNotNest) {
    Form form(u"Form1");
    auto& b = button(form);
    int clicks = 0;
    b.connect(ucButton::evClick, [&](std::vector<Variant>&) {
        ++clicks;
        EXPECT_TRUE(b.Value());
        b.Value(true);  // inside its own click: nothing
    });
    b.Value(false);
    EXPECT_EQ(clicks, 0);
    b.Value(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b.Value());
    TypeLibrary::current().put(b, u"Value", Variant(true));  // the same through the type library
    EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonTest, AutosizeFollowsTheCaptionAndKeepsTheWidthWhenWrapped) {
    Form form(u"Form1");
    auto& b = button(form);
    b.Caption(u"Autosized");
    b.Autosize(true);
    const int tppX = TwipsPerPixelX(), tppY = TwipsPerPixelY();
    EXPECT_EQ(b.Width() % tppX, 0);
    const int oneLine = b.Width();
    const int text = static_cast<int>(b.ScaleWidth()) - 2 * 2 - 12;
    EXPECT_GT(text, 30);
    b.Caption(u"Autosized, longer");
    EXPECT_GT(b.Width(), oneLine);
    // An image taller than the text sets the height: borders, image and 4, and 4.
    b.PNG(png(4, 2, 0xFF00FF00));
    b.ImageSize(40);
    EXPECT_EQ(b.Height(), (2 * 2 + 40 + 4 + 4) * tppY);

    b.PNG({});
    b.WordWrap(true);
    b.Width(60 * tppX);
    EXPECT_EQ(b.Width(), 60 * tppX);
    const int wrapped = b.Height();
    b.Caption(u"Autosized, longer and longer still");
    EXPECT_EQ(b.Width(), 60 * tppX);
    EXPECT_GT(b.Height(), wrapped);
}

TEST_F(ButtonTest, AnimationRunsAwayFromThePointerAndNotAtDesignTime) {
    Form form(u"Form1");
    auto& b = button(form);
    b.PNG(gif({0, 1, 0}));
    b.FrameInterval(35);
    platform->PumpMessages();
    ASSERT_EQ(b.imageState().frameCount(), 3);
    const int start = b.imageState().frameIndex();
    platform->AdvanceTime(35);
    platform->PumpMessages();
    EXPECT_EQ(b.imageState().frameIndex(), (start + 1) % 3);
    hover(b, 60, 10);
    const int held = b.imageState().frameIndex();
    platform->AdvanceTime(350);
    platform->PumpMessages();
    EXPECT_EQ(b.imageState().frameIndex(), held);
    moveAway();
    platform->AdvanceTime(35);
    platform->PumpMessages();
    EXPECT_NE(b.imageState().frameIndex(), held);

    Form design(u"Form2");
    design.ambientDefaults().UserMode(false);
    auto& still = button(design);
    still.PNG(gif({0, 1, 0}));
    platform->AdvanceTime(350);
    platform->PumpMessages();
    EXPECT_EQ(still.imageState().frameIndex(), 0);
}

int& paintsOf(HWND hwnd) {
    static std::map<std::uint32_t, int> counts;
    return counts[hwnd.value];
}

LRESULT countPaints(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    if (msg == WM_PAINT && w == 0) ++paintsOf(h);
    return DefSubclassProc(h, msg, w, l);
}

TEST_F(ButtonTest, AHoverChangeRepaintsThatButtonAlone) {
    Form form(u"Form1");
    auto& b = button(form);
    auto& other = button(form, u"other", box(10, 50, 120, 30));
    for (ucButton* c : {&b, &other}) {
        paintsOf(c->hWnd()) = 0;
        SetWindowSubclass(c->hWnd(), countPaints, 1, 0);
    }
    hover(b, 20, 10);
    EXPECT_EQ(paintsOf(b.hWnd()), 1);
    hover(b, 25, 12);  // moving inside changes nothing
    EXPECT_EQ(paintsOf(b.hWnd()), 1);
    moveAway();
    EXPECT_EQ(paintsOf(b.hWnd()), 2);
    EXPECT_EQ(paintsOf(other.hWnd()), 0);
    for (ucButton* c : {&b, &other})
        RemoveWindowSubclass(c->hWnd(), countPaints, 1);
}

// Each event's handler removes the button that raised it; the sanitizers catch any use of it
// afterwards.
TEST_F(ButtonTest, AHandlerMayRemoveItsOwnButton) {
    for (int event :
         {ucButton::evClick, ucButton::evDblClick, ucButton::evKeyDown, ucButton::evKeyPress,
          ucButton::evKeyUp, ucButton::evMouseDown, ucButton::evMouseMove, ucButton::evMouseUp,
          ucButton::evMouseEnter, ucButton::evMouseLeave}) {
        Form form(u"Form1");
        auto& b = button(form);
        b.InitTooltip(u"tip");
        b.PNG(gif({0, 1}));
        bool removed = false;
        b.connect(event, [&form, &b, &removed](std::vector<Variant>&) {
            if (removed) return;
            removed = true;
            form.remove(b);
        });
        const POINT p = at(b, 30, 10);
        focus(b);
        key(VK_SPACE);
        if (!removed) {
            platform->MouseMove(p.x, p.y);
            platform->PumpMessages();
        }
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

TEST_F(ButtonTest, AThousandButtonsInEveryStyleLeaveNothingBehind) {
    const auto picture = png(16, 16, 0xFF336699);
    for (int round = 0; round < 10; ++round) {
        Form form(u"Form1");
        form.Show();
        for (int i = 0; i < 100; ++i) {
            auto& b = form.add<ucButton>(u"b" + FromUtf8(std::to_string(i)), -1,
                                         box(i % 10 * 50, i / 10 * 20, 48, 18));
            b.Style(static_cast<ButtonStyleEnum>(i % 5));
            b.PNG(picture);
            b.InitTooltip(u"tip");
        }
        platform->PumpMessages();
        auto& hovered = static_cast<ucButton&>(form.control(u"b5"));
        hover(hovered, 5, 5);
        EXPECT_TRUE(IsWindow(ControlTooltipWindow()));
    }
    platform->MouseMove(1500, 1000);
    platform->PumpMessages();
    EXPECT_EQ(ControlTooltipWindow(), HWND());
}

}  // namespace
