// cToolTip and the shared control tooltip: settings sent to the tooltip window, tools without
// duplicates, the text buffer, titles, publication in the type library, and a balloon on the
// screen with its title, icon and stem.
#include <string>

#include "framework/drawing/ControlTooltip.h"
#include "framework/drawing/cToolTip.h"
#include "host/ErrorOf.h"
#include "host/TypeLibrary.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

class ToolTipClassTest : public test::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        control = test::MessageLog::create(WS_POPUP | WS_VISIBLE, 200, 200, 300, 150);
        ASSERT_TRUE(control);
    }
    void TearDown() override {
        HideControlTooltip();
        if (IsWindow(control)) DestroyWindow(control);
        PlatformTest::TearDown();
    }

    static HWND sharedTip() { return FindWindowW(TOOLTIPS_CLASSW, u"VelToolTip Quorrel"); }
    static std::u16string title(HWND tip, UINT* icon) {
        char16_t buffer[100] = {};
        TTGETTITLE gt;
        gt.cch = 100;
        gt.pszTitle = buffer;
        SendMessageW(tip, TTM_GETTITLE, 0, reinterpret_cast<LPARAM>(&gt));
        *icon = gt.uTitleBitmap;
        return buffer;
    }

    HWND control;
};

TEST_F(ToolTipClassTest, CallsWithoutAWindowDoNothing) {
    cToolTip tip;
    EXPECT_TRUE(tip.Balloon());
    EXPECT_FALSE(tip.RightToLeft());
    EXPECT_FALSE(tip.PopupOnDemand());
    EXPECT_FALSE(tip.AddTool(control, control, u"text", u"Title", ToolTipIcon::ToolTipIcon_Info));
    EXPECT_EQ(tip.ToolTipTitle(), u"Title") << "stored all the same";
    EXPECT_EQ(tip.ToolTipCount(), 0);
    EXPECT_EQ(tip.MaxTipWidth(), 0);
    EXPECT_EQ(tip.Margin(ttMarginConstants::ttMarginTop), 0);
    EXPECT_EQ(tip.ToolTipText(control), u"");
    EXPECT_FALSE(tip.RemoveToolTip(control));
    tip.Show(control, 1, 2);
    EXPECT_FALSE(tip.ToolTipHandle());
}

TEST_F(ToolTipClassTest, CreateMakesOneTopMostWindowWithTheStatedSettings) {
    cToolTip tip;
    tip.Balloon(false);
    tip.RightToLeft(true);
    ASSERT_TRUE(tip.Create(control));
    const HWND h = tip.ToolTipHandle();
    EXPECT_TRUE(tip.Create(control));
    EXPECT_EQ(tip.ToolTipHandle(), h) << "a second Create keeps the window";
    EXPECT_EQ(sharedTip(), h);
    const DWORD ex = static_cast<DWORD>(GetWindowLongW(h, GWL_EXSTYLE));
    EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
    EXPECT_TRUE(ex & WS_EX_LAYOUTRTL);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongW(h, GWL_STYLE) & TTS_BALLOON);
    tip.Balloon(true);
    EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & TTS_BALLOON);
    EXPECT_EQ(tip.MaxTipWidth(), 260);

    // Widths below 1 remove the limit.
    tip.MaxTipWidth(0);
    EXPECT_EQ(SendMessageW(h, TTM_GETMAXTIPWIDTH, 0, 0), -1);
    tip.MaxTipWidth(-20);
    EXPECT_EQ(tip.MaxTipWidth(), -1);
    tip.MaxTipWidth(1);
    EXPECT_EQ(tip.MaxTipWidth(), 1);

    // Colours pass unchanged; margins one side at a time or all four.
    tip.BackColor(0x123456);
    tip.ForeColor(0x654321);
    EXPECT_EQ(tip.BackColor(), 0x123456);
    EXPECT_EQ(tip.ForeColor(), 0x654321);
    tip.Margins(4);
    tip.Margin(ttMarginConstants::ttMarginRight, 9);
    RECT rc{};
    SendMessageW(h, TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(rc, (RECT{4, 4, 9, 4}));
    EXPECT_EQ(tip.Margin(ttMarginConstants::ttMarginBottom), 4);
    EXPECT_EQ(test::errorOf([&] { tip.Margin(static_cast<ttMarginConstants>(7), 1); }), 5);

    // Delays by their constants; the mask keeps the kind in range.
    tip.DelayTime(ttDelayTimeConstants::ttDelayInitial, 300);
    tip.DelayTime(ttDelayTimeConstants::ttDelayShow, 7000);
    EXPECT_EQ(SendMessageW(h, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 300);
    EXPECT_EQ(tip.DelayTime(ttDelayTimeConstants::ttDelayShow), 7000);
    EXPECT_EQ(tip.DelayTime(static_cast<ttDelayTimeConstants>(7)), 300);
}

TEST_F(ToolTipClassTest, ToolsAreNeverDuplicatedAndKeepTheirText) {
    cToolTip tip;
    ASSERT_TRUE(tip.Create(control));
    EXPECT_TRUE(tip.AddTool(control, control, u"First"));
    EXPECT_FALSE(tip.AddTool(control, control, u"Second"));
    EXPECT_EQ(tip.ToolTipCount(), 1);
    EXPECT_EQ(tip.ToolTipText(control), u"First");

    // Subclassing tool: the window is the id, with the subclass flag.
    TOOLINFOW ti;
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ASSERT_TRUE(
        SendMessageW(tip.ToolTipHandle(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(ti.uFlags, TTF_IDISHWND | TTF_SUBCLASS);
    EXPECT_EQ(ti.uId, control.value);
    RECT client;
    GetClientRect(control, &client);
    EXPECT_EQ(ti.rect, client);

    // A text longer than any before grows the buffer; reading it back needs no size.
    const std::u16string longText(300, u'x');
    tip.ToolTipText(control, longText);
    EXPECT_EQ(tip.ToolTipText(control), longText);
    tip.ToolTipText(control, u"short");
    EXPECT_EQ(tip.ToolTipText(control), u"short");

    EXPECT_TRUE(tip.RemoveToolTip(control));
    EXPECT_FALSE(tip.RemoveToolTip(control));
    EXPECT_EQ(tip.ToolTipCount(), 0);

    // On demand: a tracking tool that shows where Show puts it.
    tip.PopupOnDemand(true);
    tip.RightToLeft(true);
    ASSERT_TRUE(tip.AddTool(control, control, u"On demand"));
    ASSERT_TRUE(
        SendMessageW(tip.ToolTipHandle(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(ti.uFlags,
              TTF_IDISHWND | TTF_TRACK | TTF_TRANSPARENT | TTF_RTLREADING | TTF_CENTERTIP);
    tip.Show(control, 10, 20);
    EXPECT_TRUE(IsWindowVisible(tip.ToolTipHandle()));
    tip.Hide(control);
    EXPECT_FALSE(IsWindowVisible(tip.ToolTipHandle()));
}

TEST_F(ToolTipClassTest, TitleAndIconAreAppliedWithTheTitle) {
    cToolTip tip;
    tip.ToolTipTitle(u"Early");
    ASSERT_TRUE(tip.Create(control));
    UINT icon = 99;
    EXPECT_EQ(title(tip.ToolTipHandle(), &icon), u"Early") << "Create applies a stored title";
    EXPECT_EQ(icon, 0u);
    tip.AddTool(control, control, u"Text", u"Heads up", ToolTipIcon::ToolTipIcon_Warning);
    EXPECT_EQ(title(tip.ToolTipHandle(), &icon), u"Heads up");
    EXPECT_EQ(icon, TTI_WARNING);
    // The icon alone waits for the next title.
    tip.ToolTipIcon(ToolTipIcon::ToolTipIcon_Error);
    EXPECT_EQ(title(tip.ToolTipHandle(), &icon), u"Heads up");
    EXPECT_EQ(icon, TTI_WARNING);
    tip.ToolTipTitle(u"Broken");
    EXPECT_EQ(title(tip.ToolTipHandle(), &icon), u"Broken");
    EXPECT_EQ(icon, TTI_ERROR);
}

TEST_F(ToolTipClassTest, FontIsACopyMadeIntoTheTipFontAndReleasedWithTheTip) {
    auto font = std::make_shared<StdFont>();
    font->Name(u"Verdana");
    font->Size(12);
    font->Bold(true);
    const DWORD gdiBefore = GetLiveGdiObjectCount();
    {
        cToolTip tip;
        tip.Font(font);
        font->Name(u"Tahoma");
        EXPECT_EQ(tip.Font()->Name(), u"Verdana") << "a copy, not the caller's font";
        ASSERT_TRUE(tip.Create(control));
        const HFONT used(
            static_cast<std::uint32_t>(SendMessageW(tip.ToolTipHandle(), WM_GETFONT, 0, 0)));
        LOGFONTW lf;
        ASSERT_TRUE(GetObjectW(used, sizeof lf, &lf));
        EXPECT_EQ(std::u16string(lf.lfFaceName), u"Verdana");
        EXPECT_EQ(lf.lfWeight, 700);
        EXPECT_EQ(lf.lfHeight, -16);
    }
    EXPECT_EQ(GetLiveGdiObjectCount(), gdiBefore);
    EXPECT_EQ(GetLiveUserObjectCount(), 1u) << "only the control window is left";
}

TEST_F(ToolTipClassTest, SharedTooltipIsReplacedButNotByAnEmptyText) {
    ShowControlTooltip(control, control, u"One", u"", ToolTipIcon::ToolTipIcon_None, false,
                       SystemColor(COLOR_INFOBK), SystemColor(COLOR_INFOTEXT), 0);
    const HWND first = sharedTip();
    ASSERT_TRUE(first);
    EXPECT_EQ(SendMessageW(first, TTM_GETTIPBKCOLOR, 0, 0),
              static_cast<LRESULT>(GetSysColor(COLOR_INFOBK)));
    EXPECT_EQ(SendMessageW(first, TTM_GETMAXTIPWIDTH, 0, 0), -1);
    EXPECT_FALSE(GetWindowLongW(first, GWL_STYLE) & TTS_BALLOON);

    ShowControlTooltip(control, control, u"", u"", ToolTipIcon::ToolTipIcon_None, true, 0, 0, 100);
    EXPECT_TRUE(IsWindow(first)) << "an empty text leaves the previous tooltip alive";
    EXPECT_EQ(sharedTip(), first);

    ShowControlTooltip(control, control, u"Two", u"", ToolTipIcon::ToolTipIcon_None, true, 0xFF, 0,
                       100);
    const HWND second = sharedTip();
    EXPECT_FALSE(IsWindow(first));
    ASSERT_TRUE(second);
    EXPECT_EQ(SendMessageW(second, TTM_GETTIPBKCOLOR, 0, 0), 0xFF);
    EXPECT_EQ(SendMessageW(second, TTM_GETMAXTIPWIDTH, 0, 0), 100);
    EXPECT_EQ(SendMessageW(second, TTM_GETTOOLCOUNT, 0, 0), 1);

    HideControlTooltip();
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(GetLiveUserObjectCount(), 1u);
}

TEST_F(ToolTipClassTest, PublishedWithItsEnumerations) {
    TypeLibrary library;
    cToolTip::registerClass(library);
    EXPECT_EQ(library.enumValue(u"ToolTipIcon", u"ToolTipIcon_Warning"), 2);
    EXPECT_EQ(library.enumValue(u"ToolTipStyle", u"ttsBalloon"), 1);
    EXPECT_EQ(library.enumValue(u"TT_Flags", u"TTF_DI_SETITEM"), 32768);
    EXPECT_EQ(library.enumValue(u"TT_DelayTime", u"TTDT_AUTOPOP"), 2);
    EXPECT_EQ(library.enumValue(u"ttDelayTimeConstants", u"ttDelayShow"), 2);
    EXPECT_EQ(library.enumValue(u"ttMarginConstants", u"ttMarginBottom"), 3);

    // Late-bound calls reach the same members.
    auto object = library.create(u"cToolTip");
    ASSERT_TRUE(object);
    const Variant hwnd(static_cast<std::int32_t>(control.value));
    std::vector<Variant> args{hwnd};
    EXPECT_TRUE(CBool(library.call(*object, u"Create", args)));
    std::vector<Variant> add{hwnd, hwnd, Variant(u"Late"), Variant::missing(), Variant::missing()};
    EXPECT_TRUE(CBool(library.call(*object, u"AddTool", add)));
    EXPECT_EQ(CLng(library.get(*object, u"ToolTipCount")), 1);
    library.put(*object, u"MaxTipWidth", Variant(0));
    EXPECT_EQ(CLng(library.get(*object, u"MaxTipWidth")), -1);
    std::vector<Variant> at{hwnd};
    EXPECT_EQ(CStr(library.getAt(*object, u"ToolTipText", at)), u"Late");
    std::vector<Variant> kind{Variant(3)};
    library.putAt(*object, u"DelayTime", kind, Variant(250));
    EXPECT_EQ(CLng(library.getAt(*object, u"DelayTime", kind)), 250);
    library.put(*object, u"Margins", Variant(3));
    std::vector<Variant> side{Variant(0)};
    EXPECT_EQ(CLng(library.getAt(*object, u"Margin", side)), 3);
}

// A balloon with a title and the information icon under the pointer, captured from the screen.
TEST_F(ToolTipClassTest, BalloonWithTitleAndIconAppearsAtThePointer) {
    constexpr COLORREF kBack = RGB(255, 255, 225);
    constexpr COLORREF kInfoBlue = RGB(0, 103, 192);
    ShowControlTooltip(control, control, u"The balloon's text", u"Title",
                       ToolTipIcon::ToolTipIcon_Info, true, kBack, 0x000000, 0);
    const HWND tip = sharedTip();
    ASSERT_TRUE(tip);
    const POINT p = platform::testing::TestPlatform::ClientToScreenPoint(control, 60, 40);
    platform::testing::TestPlatform::MouseMove(p.x, p.y);
    platform->AdvanceTime(GetDoubleClickTime() + 10);
    ASSERT_TRUE(IsWindowVisible(tip));
    RECT rc;
    GetWindowRect(tip, &rc);
    EXPECT_EQ(rc.top, p.y) << "the stem's point is at the pointer";

    const PixelSurface screen = platform::testing::TestPlatform::CaptureScreen();
    auto at = [&](int x, int y) { return PixelSurface::toColor(screen.at(x, y)) & 0xFFFFFF; };
    // The stem rises from the body to the pointer; beside it the control shows.
    EXPECT_EQ(at(p.x + 4, p.y + 10), kBack);
    EXPECT_EQ(at(p.x - 3, p.y + 4), RGB(255, 255, 255));
    // Inside the body and on its border.
    const int mid = (rc.left + rc.right) / 2;
    EXPECT_EQ(at(mid, rc.bottom - 4), kBack);
    EXPECT_EQ(at(mid, rc.bottom - 1), 0x000000u);
    // The icon in the title row, and the title's dark pixels right of it.
    int blue = 0, dark = 0;
    for (int y = rc.top + 13; y < rc.top + 13 + 30; ++y) {
        for (int x = rc.left; x < rc.left + 30; ++x)
            blue += at(x, y) == kInfoBlue;
        for (int x = rc.left + 34; x < rc.left + 70; ++x)
            dark += (GetRValue(at(x, y)) + GetGValue(at(x, y)) + GetBValue(at(x, y))) < 200;
    }
    EXPECT_GT(blue, 60);
    EXPECT_GT(dark, 20);
    HideControlTooltip();

    // Near the bottom of the screen the balloon goes above the pointer, its stem below.
    MoveWindow(control, 200, 990, 300, 50, TRUE);
    ShowControlTooltip(control, control, u"Above", u"Title", ToolTipIcon::ToolTipIcon_Info, true,
                       kBack, 0x000000, 0);
    const POINT q = platform::testing::TestPlatform::ClientToScreenPoint(control, 60, 20);
    platform::testing::TestPlatform::MouseMove(q.x, q.y);
    platform->AdvanceTime(GetDoubleClickTime() + 10);
    ASSERT_TRUE(IsWindowVisible(sharedTip()));
    GetWindowRect(sharedTip(), &rc);
    EXPECT_EQ(rc.bottom, q.y + 1);
    EXPECT_EQ(platform->ScreenPixel(q.x + 4, q.y - 10), kBack);
    EXPECT_EQ(platform->ScreenPixel(q.x - 3, q.y - 4), RGB(255, 255, 255));
}

}  // namespace
