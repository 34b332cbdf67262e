// The tooltip control: message results, tools, delays, automatic showing and hiding with
// virtual time and injected mouse input, tracking tips, notifications and pixels.
#include <string>
#include <vector>

#include "platform/display/PngWriter.h"
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

// What the owner window heard: notification codes in order, and the answer it gives to
// TTN_GETDISPINFOW.
struct Heard {
    std::vector<UINT> codes;
    std::u16string answer = u"from the owner";
    bool keep = false;  // answer with TTF_DI_SETITEM
};

Heard& heard() {
    static Heard h;
    return h;
}

LRESULT ownerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        heard().codes.push_back(hdr->code);
        if (hdr->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            info->lpszText = heard().answer.data();
            if (heard().keep) info->uFlags |= TTF_DI_SETITEM;
        }
        return 0;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

class ToolTipTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        heard() = Heard{};
        INITCOMMONCONTROLSEX icc;
        icc.dwICC = ICC_BAR_CLASSES;
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        owner = MessageLog::create(WS_POPUP | WS_VISIBLE, 100, 100, 400, 300);
        tool = MessageLog::create(WS_CHILD | WS_VISIBLE, 20, 20, 100, 50, owner);
        ASSERT_TRUE(SetWindowSubclass(owner, ownerProc, 1, 0));
        tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, 0, 0, 0, 0, owner,
                              HMENU(), HINSTANCE(), nullptr);
        ASSERT_TRUE(tip);
    }

    void TearDown() override {
        if (IsWindow(tip)) DestroyWindow(tip);
        if (IsWindow(owner)) DestroyWindow(owner);
        PlatformTest::TearDown();
    }

    LRESULT send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(tip, msg, wParam, lParam);
    }

    // A tool for the whole child window, subclassed so that it shows by itself.
    TOOLINFOW windowTool(LPWSTR text, UINT cbSize = sizeof(TOOLINFOW)) {
        TOOLINFOW ti;
        ti.cbSize = cbSize;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = owner;
        ti.uId = tool.value;
        ti.lpszText = text;
        return ti;
    }

    bool shown() { return IsWindowVisible(tip) != 0; }
    RECT tipRect() {
        RECT rc{};
        GetWindowRect(tip, &rc);
        return rc;
    }
    POINT inTool(int x = 50, int y = 25) {
        return platform::testing::TestPlatform::ClientToScreenPoint(tool, x, y);
    }
    void moveTo(POINT p) { platform::testing::TestPlatform::MouseMove(p.x, p.y); }

    HWND owner, tool, tip;
    std::u16string text = u"Tip text";
};

TEST_F(ToolTipTest, WindowIsATopMostLayeredPopupWithTheDefaultSettings) {
    const DWORD style = static_cast<DWORD>(GetWindowLongW(tip, GWL_STYLE));
    const DWORD ex = static_cast<DWORD>(GetWindowLongW(tip, GWL_EXSTYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_EQ(ex & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED);
    EXPECT_FALSE(shown());
    EXPECT_EQ(GetWindow(tip, GW_OWNER), owner);

    // Colours, width limit, margins.
    EXPECT_EQ(static_cast<COLORREF>(send(TTM_GETTIPBKCOLOR)), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(static_cast<COLORREF>(send(TTM_GETTIPTEXTCOLOR)), GetSysColor(COLOR_INFOTEXT));
    EXPECT_EQ(send(TTM_GETMAXTIPWIDTH), -1);
    RECT margin{1, 1, 1, 1};
    send(TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
    EXPECT_EQ(margin, (RECT{0, 0, 0, 0}));

    // The font is the status font of the non-client metrics.
    const HFONT font(static_cast<std::uint32_t>(send(WM_GETFONT)));
    ASSERT_TRUE(font);
    LOGFONTW lf;
    ASSERT_TRUE(GetObjectW(font, sizeof lf, &lf));
    NONCLIENTMETRICSW ncm;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
    EXPECT_EQ(std::u16string(lf.lfFaceName), std::u16string(ncm.lfStatusFont.lfFaceName));
    EXPECT_EQ(lf.lfHeight, ncm.lfStatusFont.lfHeight);

    // The class stays registered: a second InitCommonControls is harmless.
    InitCommonControls();
    INITCOMMONCONTROLSEX bad;
    bad.dwSize = 4;
    EXPECT_FALSE(InitCommonControlsEx(&bad));
}

TEST_F(ToolTipTest, DelayTimesFollowTheDoubleClickTimeUntilSet) {
    struct Case {
        WPARAM kind;
        LRESULT expected;
    };
    const UINT dbl = GetDoubleClickTime();
    for (const Case& c : {Case{TTDT_INITIAL, dbl}, Case{TTDT_AUTOPOP, dbl * 10},
                          Case{TTDT_RESHOW, dbl / 5}, Case{TTDT_AUTOMATIC, dbl}})
        EXPECT_EQ(send(TTM_GETDELAYTIME, c.kind), c.expected) << c.kind;

    SetDoubleClickTime(400);
    EXPECT_EQ(send(TTM_GETDELAYTIME, TTDT_AUTOPOP), 4000);

    send(TTM_SETDELAYTIME, TTDT_AUTOMATIC, 1000);
    EXPECT_EQ(send(TTM_GETDELAYTIME, TTDT_INITIAL), 1000);
    EXPECT_EQ(send(TTM_GETDELAYTIME, TTDT_AUTOPOP), 10000);
    EXPECT_EQ(send(TTM_GETDELAYTIME, TTDT_RESHOW), 200);

    send(TTM_SETDELAYTIME, TTDT_RESHOW, 50);
    EXPECT_EQ(send(TTM_GETDELAYTIME, TTDT_RESHOW), 50);
    // -1 goes back to the default.
    send(TTM_SETDELAYTIME, TTDT_INITIAL, -1);
    EXPECT_EQ(send(TTM_GETDELAYTIME, TTDT_INITIAL), 400);
    send(TTM_SETDELAYTIME, TTDT_AUTOMATIC, -1);
    EXPECT_EQ(send(TTM_GETDELAYTIME, TTDT_RESHOW), 80);
    SetDoubleClickTime(500);
}

TEST_F(ToolTipTest, ToolsAreAddedEnumeratedUpdatedAndDeleted) {
    EXPECT_EQ(send(TTM_GETTOOLCOUNT), 0);
    // Every accepted record size, and a wrong one.
    for (UINT size : {TTTOOLINFOW_V1_SIZE, TTTOOLINFOW_V2_SIZE, TTTOOLINFOW_V3_SIZE,
                      static_cast<UINT>(sizeof(TOOLINFOW))}) {
        TOOLINFOW ti = windowTool(text.data(), size);
        ti.uFlags = 0;
        ti.uId = 100 + size;
        ti.rect = RECT{0, 0, 10, 10};
        ti.lParam = 77;
        EXPECT_TRUE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti))) << size;
    }
    TOOLINFOW wrong = windowTool(text.data(), 12);
    EXPECT_FALSE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&wrong)));
    TOOLINFOW links = windowTool(text.data());
    links.uFlags |= TTF_PARSELINKS;
    EXPECT_FALSE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&links)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    EXPECT_EQ(send(TTM_GETTOOLCOUNT), 4);

    // Enumeration copies the tool, its text and (for records that have it) its lParam.
    char16_t buffer[80] = {};
    TOOLINFOW got;
    got.cbSize = TTTOOLINFOW_V2_SIZE;
    got.lpszText = buffer;
    ASSERT_TRUE(send(TTM_ENUMTOOLSW, 1, reinterpret_cast<LPARAM>(&got)));
    EXPECT_EQ(got.uId, 100u + TTTOOLINFOW_V2_SIZE);
    EXPECT_EQ(got.hwnd, owner);
    EXPECT_EQ(got.rect, (RECT{0, 0, 10, 10}));
    EXPECT_EQ(std::u16string(buffer), text);
    EXPECT_EQ(got.lParam, 77);
    got.lpszText = nullptr;
    ASSERT_TRUE(send(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&got)));
    EXPECT_EQ(got.lParam, 0) << "a V1 record has no lParam";
    EXPECT_FALSE(send(TTM_ENUMTOOLSW, 4, reinterpret_cast<LPARAM>(&got)));

    // New text, then read back through a small buffer (cut to fit).
    std::u16string longer = u"A longer text";
    TOOLINFOW upd;
    upd.hwnd = owner;
    upd.uId = 100 + TTTOOLINFOW_V2_SIZE;
    upd.lpszText = longer.data();
    send(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&upd));
    char16_t small[5] = {};
    upd.lpszText = small;
    send(TTM_GETTEXTW, 5, reinterpret_cast<LPARAM>(&upd));
    EXPECT_EQ(std::u16string(small), u"A lo");

    // Rectangles move; tools go.
    upd.rect = RECT{5, 5, 50, 50};
    send(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&upd));
    upd.lpszText = nullptr;
    ASSERT_TRUE(send(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&upd)));
    EXPECT_EQ(upd.rect, (RECT{5, 5, 50, 50}));
    send(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&upd));
    EXPECT_EQ(send(TTM_GETTOOLCOUNT), 3);
    EXPECT_FALSE(send(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&upd)));

    // What the control does not support fails and says so.
    SetLastError(0);
    EXPECT_EQ(send(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&upd)), 0);
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    EXPECT_FALSE(send(TTM_SETTITLEW, 0x12345, reinterpret_cast<LPARAM>(u"Title")));
}

TEST_F(ToolTipTest, WidthLimitMarginsAndTitleChangeTheBubble) {
    std::u16string words = u"Several words that make a rather long tooltip text indeed";
    TOOLINFOW ti = windowTool(words.data());
    ASSERT_TRUE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
    auto bubble = [&] {
        const LRESULT r = send(TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&ti));
        return SIZE{LOWORD(static_cast<std::uintptr_t>(r)), HIWORD(static_cast<std::uintptr_t>(r))};
    };
    const SIZE single = bubble();
    EXPECT_GT(single.cx, 200);

    // The limit returns the previous one and wraps the text at word breaks.
    EXPECT_EQ(send(TTM_SETMAXTIPWIDTH, 0, 120), -1);
    EXPECT_EQ(send(TTM_SETMAXTIPWIDTH, 0, 100), 120);
    EXPECT_EQ(send(TTM_GETMAXTIPWIDTH), 100);
    const SIZE wrapped = bubble();
    EXPECT_LE(wrapped.cx, 100 + 8);
    EXPECT_GE(wrapped.cy, single.cy * 2);

    // Margins add to each side.
    RECT margin{5, 6, 7, 8};
    send(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
    RECT back{};
    send(TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back, margin);
    EXPECT_EQ(bubble().cx, wrapped.cx + 12);
    EXPECT_EQ(bubble().cy, wrapped.cy + 14);

    // TTM_ADJUSTRECT turns a text rectangle into a window rectangle and back.
    RECT rc{100, 100, 200, 120};
    ASSERT_TRUE(send(TTM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&rc)));
    EXPECT_LT(rc.left, 100 - 5);
    EXPECT_GT(rc.bottom, 120 + 8);
    send(TTM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(rc, (RECT{100, 100, 200, 120}));

    // A title (with a large icon) makes the bubble taller; TTM_GETTITLE reads it back.
    const SIZE before = bubble();
    ASSERT_TRUE(send(TTM_SETTITLEW, TTI_WARNING_LARGE, reinterpret_cast<LPARAM>(u"Careful")));
    EXPECT_GE(bubble().cy, before.cy + 32);
    char16_t title[4] = {};
    TTGETTITLE gt;
    gt.cch = 4;
    gt.pszTitle = title;
    send(TTM_GETTITLE, 0, reinterpret_cast<LPARAM>(&gt));
    EXPECT_EQ(gt.uTitleBitmap, TTI_WARNING_LARGE);
    EXPECT_EQ(std::u16string(title), u"Car");

    // An icon handle as the title icon is copied, drawn at the small size, and outlives the
    // caller's own handle.
    const SIZE large = bubble();
    const auto png = PngWriter::encode(PixelSurface(16, 16, 0xFF00A000), PngWriter::Alpha::Keep);
    HICON icon = CreateIconFromResourceEx(png.data(), static_cast<DWORD>(png.size()), TRUE, 0x30000,
                                          0, 0, 0);
    ASSERT_TRUE(send(TTM_SETTITLEW, icon.value, reinterpret_cast<LPARAM>(u"Careful")));
    DestroyIcon(icon);
    EXPECT_LT(bubble().cy, large.cy);
    EXPECT_GE(bubble().cy, before.cy + 16);
}

TEST_F(ToolTipTest, ShowsAfterTheInitialDelayBelowThePointerAndPopsAfterAutopop) {
    TOOLINFOW ti = windowTool(text.data());
    ASSERT_TRUE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
    const POINT p = inTool();
    moveTo(p);
    platform->AdvanceTime(490);
    EXPECT_FALSE(shown());
    EXPECT_FALSE(send(TTM_GETCURRENTTOOLW));
    platform->AdvanceTime(20);
    ASSERT_TRUE(shown());
    EXPECT_EQ(heard().codes, std::vector<UINT>{TTN_SHOW});
    TOOLINFOW current;
    ASSERT_TRUE(send(TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(current.uId, tool.value);

    // Below the pointer's arrow, starting at its x.
    const RECT rc = tipRect();
    EXPECT_EQ(rc.left, p.x);
    EXPECT_EQ(rc.top, p.y + GetSystemMetrics(SM_CYCURSOR) * 2 / 3);
    EXPECT_GT(rc.right - rc.left, 20);

    // Standard tip: the text colour frames the tip colour.
    EXPECT_EQ(platform->ScreenPixel(rc.left, rc.top + 3), GetSysColor(COLOR_INFOTEXT));
    EXPECT_EQ(platform->ScreenPixel(rc.right - 2, rc.bottom - 2), GetSysColor(COLOR_INFOBK));

    // Autopop, and no second tip while the pointer stays in the tool.
    platform->AdvanceTime(5000);
    EXPECT_FALSE(shown());
    EXPECT_EQ(heard().codes, (std::vector<UINT>{TTN_SHOW, TTN_POP}));
    moveTo(inTool(60, 30));
    platform->AdvanceTime(2000);
    EXPECT_FALSE(shown());

    // Leaving and coming back starts over.
    moveTo(POINT{5, 5});
    platform->AdvanceTime(200);
    moveTo(p);
    platform->AdvanceTime(510);
    EXPECT_TRUE(shown());
}

TEST_F(ToolTipTest, LeavingTheToolOrClickingHidesTheTip) {
    TOOLINFOW ti = windowTool(text.data());
    ASSERT_TRUE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
    moveTo(inTool());
    platform->AdvanceTime(600);
    ASSERT_TRUE(shown());
    // Onto the owner, outside the tool: the next poll notices.
    moveTo(platform::testing::TestPlatform::ClientToScreenPoint(owner, 300, 200));
    platform->AdvanceTime(150);
    EXPECT_FALSE(shown());
    EXPECT_EQ(heard().codes, (std::vector<UINT>{TTN_SHOW, TTN_POP}));

    moveTo(inTool());
    platform->AdvanceTime(600);
    ASSERT_TRUE(shown());
    platform::testing::TestPlatform::MouseDown();
    EXPECT_FALSE(shown());
    platform::testing::TestPlatform::MouseUp();
    platform->AdvanceTime(1000);
    EXPECT_FALSE(shown()) << "stays down until the pointer leaves";

    // An inactive control shows nothing.
    moveTo(POINT{5, 5});
    platform->AdvanceTime(200);
    send(TTM_ACTIVATE, FALSE);
    moveTo(inTool());
    platform->AdvanceTime(1000);
    EXPECT_FALSE(shown());
}

TEST_F(ToolTipTest, MovingToAnotherToolUsesTheReshowDelay) {
    // Two rectangle tools side by side in the child window.
    std::u16string second = u"Second";
    TOOLINFOW a;
    a.uFlags = TTF_SUBCLASS;
    a.hwnd = tool;
    a.uId = 1;
    a.rect = RECT{0, 0, 50, 50};
    a.lpszText = text.data();
    TOOLINFOW b = a;
    b.uId = 2;
    b.rect = RECT{50, 0, 100, 50};
    b.lpszText = second.data();
    ASSERT_TRUE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&a)));
    ASSERT_TRUE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&b)));
    moveTo(inTool(20, 20));
    platform->AdvanceTime(510);
    ASSERT_TRUE(shown());
    moveTo(inTool(80, 20));
    EXPECT_FALSE(shown());
    platform->AdvanceTime(90);
    EXPECT_FALSE(shown());
    platform->AdvanceTime(20);
    ASSERT_TRUE(shown());
    TOOLINFOW current;
    ASSERT_TRUE(send(TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(current.uId, 2u);

    // TTM_HITTESTW finds the tool under a point.
    TTHITTESTINFOW hit;
    hit.hwnd = tool;
    hit.pt = POINT{10, 10};
    ASSERT_TRUE(send(TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)));
    EXPECT_EQ(hit.ti.uId, 1u);
    hit.pt = POINT{150, 10};
    EXPECT_FALSE(send(TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)));
}

TEST_F(ToolTipTest, CallbackTextComesFromTheOwnerAndCanBeKept) {
    TOOLINFOW ti = windowTool(LPSTR_TEXTCALLBACKW);
    ASSERT_TRUE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
    char16_t buffer[80] = {};
    ti.lpszText = buffer;
    send(TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(std::u16string(buffer), u"from the owner");
    EXPECT_EQ(heard().codes, std::vector<UINT>{TTN_GETDISPINFOW});
    // Enumeration reports a callback tool as such.
    TOOLINFOW got;
    ASSERT_TRUE(send(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&got)));
    EXPECT_EQ(got.lpszText, LPSTR_TEXTCALLBACKW);

    // Shown with the owner's text; TTF_DI_SETITEM makes the control keep it.
    heard().answer = u"kept";
    heard().keep = true;
    moveTo(inTool());
    platform->AdvanceTime(510);
    ASSERT_TRUE(shown());
    heard().codes.clear();
    buffer[0] = 0;
    ti.lpszText = buffer;
    send(TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(std::u16string(buffer), u"kept");
    EXPECT_TRUE(heard().codes.empty());

    // An empty answer shows nothing.
    TOOLINFOW empty = windowTool(LPSTR_TEXTCALLBACKW);
    empty.uId = owner.value;
    send(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    heard() = Heard{};
    heard().answer = u"";
    ASSERT_TRUE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&empty)));
    moveTo(platform::testing::TestPlatform::ClientToScreenPoint(owner, 300, 200));
    platform->AdvanceTime(600);
    EXPECT_FALSE(shown());
    EXPECT_EQ(heard().codes, std::vector<UINT>{TTN_GETDISPINFOW});
}

TEST_F(ToolTipTest, TrackingTipsShowOnlyWhenActivatedAtTheTrackedPoint) {
    TOOLINFOW ti = windowTool(text.data());
    ti.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    ASSERT_TRUE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
    moveTo(inTool());
    platform->AdvanceTime(1000);
    EXPECT_FALSE(shown()) << "tracking tools never show by themselves";

    send(TTM_TRACKPOSITION, 0, MAKELPARAM(700, 400));
    send(TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    ASSERT_TRUE(shown());
    EXPECT_EQ(tipRect().left, 700);
    EXPECT_EQ(tipRect().top, 400);
    send(TTM_TRACKPOSITION, 0, MAKELPARAM(720, 410));
    EXPECT_EQ(tipRect().left, 720);
    EXPECT_EQ(tipRect().top, 410);
    platform->AdvanceTime(60000);
    EXPECT_TRUE(shown()) << "no autopop while tracking";
    send(TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    EXPECT_FALSE(shown());
    EXPECT_EQ(heard().codes, (std::vector<UINT>{TTN_SHOW, TTN_POP}));

    // Without TTF_ABSOLUTE the tip goes beside the point: centred below it.
    ti.uFlags = TTF_IDISHWND | TTF_TRACK;
    send(TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti));
    send(TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    ASSERT_TRUE(shown());
    const RECT rc = tipRect();
    EXPECT_LT(rc.left, 720);
    EXPECT_GT(rc.right, 720);
    EXPECT_GE(rc.top, 410);
    send(TTM_POP);
    EXPECT_FALSE(shown());
}

TEST_F(ToolTipTest, BalloonPointsItsStemAtThePointerAndLetsTheScreenShowAroundIt) {
    SetWindowLongW(tip, GWL_STYLE, GetWindowLongW(tip, GWL_STYLE) | TTS_BALLOON);
    send(TTM_SETTIPBKCOLOR, RGB(255, 255, 200));
    send(TTM_SETTIPTEXTCOLOR, RGB(0, 0, 128));
    TOOLINFOW ti = windowTool(text.data());
    ASSERT_TRUE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
    const POINT p = inTool();
    moveTo(p);
    platform->AdvanceTime(510);
    ASSERT_TRUE(shown());
    const RECT rc = tipRect();
    EXPECT_EQ(rc.top, p.y);
    // The stem: its tip at the pointer, filled inside, nothing to its left.
    EXPECT_EQ(platform->ScreenPixel(p.x + 4, p.y + 10), RGB(255, 255, 200));
    EXPECT_NE(platform->ScreenPixel(p.x - 3, p.y + 4), RGB(255, 255, 200));
    // The rounded corner lets what lies beneath show through.
    const COLORREF beneath = platform->ScreenPixel(rc.right - 1, rc.bottom - 1);
    EXPECT_NE(beneath, RGB(255, 255, 200));
    EXPECT_NE(beneath, RGB(0, 0, 128));
    EXPECT_NE(beneath, RGB(255, 0, 255));
    // The bottom edge is the border in the text colour; just above it the tip colour.
    const int mid = (rc.left + rc.right) / 2;
    EXPECT_EQ(platform->ScreenPixel(mid, rc.bottom - 1), RGB(0, 0, 128));
    EXPECT_EQ(platform->ScreenPixel(mid, rc.bottom - 3), RGB(255, 255, 200));
}

TEST_F(ToolTipTest, DestroyingTheTipUnhooksItsToolsAndDestroyingAToolIsSafe) {
    TOOLINFOW ti = windowTool(text.data());
    ASSERT_TRUE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
    moveTo(inTool());
    platform->AdvanceTime(600);
    ASSERT_TRUE(shown());
    // The tool window goes while its tip shows: the tip stays usable and goes down on leave.
    DestroyWindow(tool);
    platform->AdvanceTime(200);
    EXPECT_FALSE(shown());
    EXPECT_EQ(send(TTM_GETTOOLCOUNT), 1);

    HWND other = MessageLog::create(WS_CHILD | WS_VISIBLE, 200, 20, 50, 50, owner);
    TOOLINFOW ot = windowTool(text.data());
    ot.uId = other.value;
    ASSERT_TRUE(send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ot)));
    DestroyWindow(tip);
    // Mouse messages to the tool after the tip went are harmless.
    moveTo(platform::testing::TestPlatform::ClientToScreenPoint(other, 10, 10));
    platform->AdvanceTime(1000);
    EXPECT_FALSE(IsWindow(tip));
}

}  // namespace
}  // namespace orvane::test
