// Input turned into window messages: mouse buttons and double clicks, capture, mouse tracking,
// activation by click and focus, keys and characters, the key state, the wheel and disabled
// windows.
#include <functional>
#include <optional>

#include "platform/user/InputQueue.h"
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

using E = Expected;
constexpr unsigned P = E::Parent;
constexpr unsigned W = E::WParam;
constexpr unsigned L = E::LParam;

// Messages that come with almost any mouse input and are beside the point of most tables.
const std::vector<UINT> kMouseNoise = {
    WM_NCHITTEST,        WM_SETCURSOR, WM_MOUSEMOVE,  WM_NCMOUSEMOVE, WM_WINDOWPOSCHANGING,
    WM_WINDOWPOSCHANGED, WM_NCPAINT,   WM_ERASEBKGND, WM_PAINT,       WM_GETICON,
    WM_GETTEXT};

// The hooked class logs every message, lets the test's handler answer it, and otherwise
// passes it to DefWindowProcW.
using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
Handler& handler() {
    static Handler h;
    return h;
}

LRESULT hookedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MessageLog::instance().add(hwnd, msg, wParam, lParam);
    if (handler()) {
        if (const std::optional<LRESULT> r = handler()(hwnd, msg, wParam, lParam)) return *r;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A window of a logging class with the given class style (the recording class always has
// CS_DBLCLKS).
HWND createHooked(UINT classStyle, DWORD style, int x, int y, int w, int h, HWND parent = HWND()) {
    const char16_t* name = (classStyle & CS_DBLCLKS) ? u"InputHookedDbl" : u"InputHooked";
    WNDCLASSEXW existing;
    if (!GetClassInfoExW(HINSTANCE(), name, &existing)) {
        WNDCLASSEXW wc;
        wc.style = classStyle;
        wc.lpfnWndProc = hookedProc;
        wc.lpszClassName = name;
        RegisterClassExW(&wc);
    }
    return CreateWindowExW(0, name, u"", style, x, y, w, h, parent, HMENU(), HINSTANCE(), nullptr);
}

LPARAM at(int x, int y) {
    return MAKELPARAM(x, y);
}

bool altBit(const Logged& l) {
    return (static_cast<DWORD>(l.lParam) >> 29) & 1;
}

// Message names, for readable comparisons.
std::vector<std::string> named(std::initializer_list<UINT> msgs) {
    std::vector<std::string> out;
    for (UINT m : msgs)
        out.push_back(messageName(m));
    return out;
}

class InputTest : public PlatformTest {
protected:
    void TearDown() override {
        handler() = nullptr;
        PlatformTest::TearDown();
    }

    // Lets pending paint and activation messages through, then starts a fresh log.
    void settle() {
        platform->PumpMessages();
        log().clear();
    }

    // What one window received of the given messages, by name, in order.
    std::vector<std::string> names(HWND hwnd, const std::vector<UINT>& kinds) const {
        std::vector<std::string> out;
        for (const Logged& l : MessageLog::instance().entries())
            if (l.hwnd == hwnd && std::find(kinds.begin(), kinds.end(), l.msg) != kinds.end())
                out.push_back(messageName(l.msg));
        return out;
    }

    std::vector<Logged> received(HWND hwnd, UINT msg) const {
        std::vector<Logged> out;
        for (const Logged& l : MessageLog::instance().entries())
            if (l.hwnd == hwnd && l.msg == msg) out.push_back(l);
        return out;
    }

    // The characters a window received as WM_CHAR (or another character message).
    std::u16string chars(HWND hwnd, UINT msg = WM_CHAR) const {
        std::u16string out;
        for (const Logged& l : received(hwnd, msg))
            out += static_cast<char16_t>(l.wParam);
        return out;
    }

    // The characters one key press gives with the given keys held down.
    std::u16string typed(HWND hwnd, std::initializer_list<int> held, int vk) {
        log().clear();
        for (int k : held)
            platform->KeyDown(k);
        platform->KeyPress(vk);
        for (int k : held)
            platform->KeyUp(k);
        return chars(hwnd);
    }
};

// ---- Mouse buttons ----

TEST_F(InputTest, ClickGivesButtonMessagesAtClientCoordinatesWithKeyFlags) {
    HWND hwnd = MessageLog::create(WS_POPUP | WS_VISIBLE, 100, 100, 200, 150);
    settle();
    platform->Click(130, 145);
    const std::vector<Expected> seq = {
        {WM_LBUTTONDOWN, W | L, MK_LBUTTON, at(30, 45)},
        {WM_LBUTTONUP, W | L, 0, at(30, 45)},
    };
    EXPECT_EQ(log().compare(hwnd, HWND(), seq, kMouseNoise), "");

    // Other buttons and keys held down show in the MK_ flags.
    platform->AdvanceTime(GetDoubleClickTime() + 1);
    log().clear();
    platform->KeyDown(VK_SHIFT);
    platform->MouseDown(testing::MouseButton::Left);
    platform->Click(140, 150, testing::MouseButton::Right);
    platform->MouseUp(testing::MouseButton::Left);
    platform->KeyUp(VK_SHIFT);
    const std::vector<Expected> held = {
        {WM_LBUTTONDOWN, W | L, MK_LBUTTON | MK_SHIFT, at(30, 45)},
        {WM_MOUSEMOVE, W | L, MK_LBUTTON | MK_SHIFT, at(40, 50)},
        {WM_RBUTTONDOWN, W | L, MK_LBUTTON | MK_RBUTTON | MK_SHIFT, at(40, 50)},
        {WM_RBUTTONUP, W | L, MK_LBUTTON | MK_SHIFT, at(40, 50)},
        // The default handling of the release asks for a context menu at the screen point.
        {WM_CONTEXTMENU, W | L, static_cast<WPARAM>(hwnd.value), MAKELPARAM(140, 150)},
        {WM_LBUTTONUP, W | L, MK_SHIFT, at(40, 50)},
    };
    EXPECT_EQ(log().compare(hwnd, HWND(), held, {WM_NCHITTEST, WM_SETCURSOR, WM_KEYDOWN, WM_KEYUP}),
              "");
    DestroyWindow(hwnd);

    // A framed window reports coordinates relative to its client area, not its frame.
    HWND framed = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, 400, 300);
    settle();
    const POINT p = platform->ClientToScreenPoint(framed, 5, 7);
    platform->Click(p.x, p.y);
    EXPECT_EQ(log().compare(framed, HWND(),
                            {{WM_LBUTTONDOWN, L, 0, at(5, 7)}, {WM_LBUTTONUP, L, 0, at(5, 7)}},
                            kMouseNoise),
              "");
    DestroyWindow(framed);
}

TEST_F(InputTest, DoubleClickOnlyWithinTimeAndDistance) {
    HWND hwnd = MessageLog::create(WS_POPUP | WS_VISIBLE, 100, 100, 300, 300);
    settle();
    const std::vector<UINT> buttons = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                       WM_RBUTTONDOWN, WM_RBUTTONDBLCLK};
    const auto doubled = named({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    const auto twoDowns = named({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP});
    // Two clicks after a pause, the second moved by (dx, dy) and `gap` milliseconds later.
    auto twoClicks = [&](int dx, int dy, DWORD gap) {
        platform->AdvanceTime(GetDoubleClickTime() + 1);
        log().clear();
        platform->Click(200, 200);
        if (gap) platform->AdvanceTime(gap);
        platform->Click(200 + dx, 200 + dy);
        return names(hwnd, buttons);
    };

    platform->DoubleClick(200, 200);
    const std::vector<Expected> seq = {{WM_LBUTTONDOWN},
                                       {WM_LBUTTONUP},
                                       {WM_LBUTTONDBLCLK, W | L, MK_LBUTTON, at(100, 100)},
                                       {WM_LBUTTONUP}};
    EXPECT_EQ(log().compare(hwnd, HWND(), seq, kMouseNoise), "");

    // A third quick click starts a new pair rather than making another double click.
    log().clear();
    platform->Click(200, 200);
    EXPECT_EQ(names(hwnd, buttons), named({WM_LBUTTONDOWN, WM_LBUTTONUP}));

    // Just inside the double-click time and rectangle, and just outside them.
    const int cx = GetSystemMetrics(SM_CXDOUBLECLK), cy = GetSystemMetrics(SM_CYDOUBLECLK);
    ASSERT_GT(cx, 2);
    ASSERT_GT(cy, 2);
    EXPECT_EQ(twoClicks(0, 0, GetDoubleClickTime() - 10), doubled);
    EXPECT_EQ(twoClicks(0, 0, GetDoubleClickTime() + 1), twoDowns);
    EXPECT_EQ(twoClicks(1, 1, 0), doubled);
    EXPECT_EQ(twoClicks(cx, 0, 0), twoDowns);
    EXPECT_EQ(twoClicks(0, -cy, 0), twoDowns);
    // A shorter double-click time applies at once.
    ASSERT_TRUE(SetDoubleClickTime(100));
    EXPECT_EQ(GetDoubleClickTime(), 100u);
    EXPECT_EQ(twoClicks(0, 0, 150), twoDowns);

    // Other buttons double-click the same way.
    platform->AdvanceTime(GetDoubleClickTime() + 1);
    log().clear();
    platform->DoubleClick(200, 200, testing::MouseButton::Right);
    EXPECT_EQ(names(hwnd, buttons), named({WM_RBUTTONDOWN, WM_RBUTTONDBLCLK}));
    DestroyWindow(hwnd);
}

TEST_F(InputTest, ClassWithoutDblClksGetsNoClientDoubleClicks) {
    HWND hwnd = createHooked(0, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 100, 100, 300, 200);
    ASSERT_TRUE(hwnd);
    settle();
    const POINT p = platform->ClientToScreenPoint(hwnd, 50, 50);
    platform->DoubleClick(p.x, p.y);
    EXPECT_EQ(names(hwnd, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              named({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));

    // The non-client area double-clicks whatever the class style.
    platform->AdvanceTime(GetDoubleClickTime() + 1);
    RECT rc;
    GetWindowRect(hwnd, &rc);
    const POINT caption{rc.left + 100, (rc.top + p.y - 50) / 2};
    ASSERT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, at(caption.x, caption.y)), HTCAPTION);
    log().clear();
    platform->DoubleClick(caption.x, caption.y);
    EXPECT_EQ(log().count(hwnd, WM_NCLBUTTONDBLCLK), 1);
    EXPECT_EQ(log().count(hwnd, WM_NCLBUTTONDOWN), 1);
    EXPECT_FALSE(log().contains(hwnd, WM_LBUTTONDBLCLK));
    DestroyWindow(hwnd);
}

// ---- Capture ----

TEST_F(InputTest, CaptureKeepsMouseMessagesOnTheCapturingWindow) {
    HWND a = MessageLog::create(WS_POPUP | WS_VISIBLE, 400, 300, 200, 200);
    HWND b = MessageLog::create(WS_POPUP | WS_VISIBLE, 100, 100, 200, 150);
    settle();
    EXPECT_EQ(SetCapture(a), HWND());
    EXPECT_EQ(GetCapture(), a);

    // Over b, left of and above a: a gets the messages with negative client coordinates.
    platform->Click(150, 120);
    const std::vector<Expected> captured = {
        {WM_MOUSEMOVE, L, 0, at(-250, -180)},
        {WM_LBUTTONDOWN, W | L, MK_LBUTTON, at(-250, -180)},
        {WM_LBUTTONUP, W | L, 0, at(-250, -180)},
    };
    EXPECT_EQ(log().compare(a, HWND(), captured), "");
    EXPECT_TRUE(log().messagesOf(b).empty()) << log().compare(b, HWND(), {});
    EXPECT_EQ(GetActiveWindow(), b);  // a captured click activates nothing

    // Releasing tells the window; the pointer's window gets the next messages.
    log().clear();
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), HWND());
    platform->MouseMove(160, 130);
    EXPECT_EQ(log().compare(a, HWND(), {{WM_CAPTURECHANGED, L, 0, 0}}), "");
    EXPECT_EQ(
        log().compare(b, HWND(), {{WM_MOUSEMOVE, L, 0, at(60, 30)}}, {WM_NCHITTEST, WM_SETCURSOR}),
        "");

    // Capture taken by another window: the loser hears who took it.
    SetCapture(a);
    log().clear();
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_EQ(log().compare(a, HWND(), {{WM_CAPTURECHANGED, L, 0, static_cast<LPARAM>(b.value)}}),
              "");
    ReleaseCapture();
    DestroyWindow(a);
    DestroyWindow(b);
}

// ---- Mouse tracking ----

TEST_F(InputTest, MouseLeaveIsPostedOnceThePointerLeaves) {
    HWND hwnd = MessageLog::create(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE, 100, 100, 50, 50, hwnd);
    settle();
    platform->MouseMove(150, 150);
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = hwnd;
    ASSERT_TRUE(TrackMouseEvent(&tme));

    platform->MouseMove(160, 170);
    EXPECT_FALSE(log().contains(hwnd, WM_MOUSELEAVE));
    platform->MouseMove(700, 700);
    EXPECT_EQ(log().count(hwnd, WM_MOUSELEAVE), 1);
    platform->MouseMove(150, 150);
    platform->MouseMove(710, 700);
    EXPECT_EQ(log().count(hwnd, WM_MOUSELEAVE), 1) << "tracking ends with the first WM_MOUSELEAVE";

    // Asked while the pointer is elsewhere, the window has already left.
    log().clear();
    ASSERT_TRUE(TrackMouseEvent(&tme));
    platform->PumpMessages();
    EXPECT_EQ(log().count(hwnd, WM_MOUSELEAVE), 1);

    // A child window covers its parent: moving onto it leaves the parent.
    platform->MouseMove(150, 150);
    ASSERT_TRUE(TrackMouseEvent(&tme));
    log().clear();
    platform->MouseMove(220, 220);
    EXPECT_EQ(log().count(hwnd, WM_MOUSELEAVE), 1);
    EXPECT_FALSE(log().contains(child, WM_MOUSELEAVE));
    DestroyWindow(hwnd);
}

TEST_F(InputTest, MouseHoverAfterTheHoverTime) {
    HWND hwnd = MessageLog::create(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    settle();
    platform->MouseMove(150, 150);
    UINT hoverTime = 0;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &hoverTime, 0));
    ASSERT_GT(hoverTime, 1u);
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_HOVER;
    tme.hwndTrack = hwnd;
    tme.dwHoverTime = HOVER_DEFAULT;
    ASSERT_TRUE(TrackMouseEvent(&tme));
    platform->AdvanceTime(hoverTime - 1);
    EXPECT_FALSE(log().contains(hwnd, WM_MOUSEHOVER));
    platform->AdvanceTime(1);
    EXPECT_EQ(log().compare(hwnd, HWND(), {{WM_MOUSEHOVER, W | L, 0, at(50, 50)}}, kMouseNoise),
              "");
    platform->AdvanceTime(10 * hoverTime);
    EXPECT_EQ(log().count(hwnd, WM_MOUSEHOVER), 1) << "hover tracking ends after one message";

    // Moving out of the hover rectangle starts the wait again.
    log().clear();
    tme.dwHoverTime = 100;
    ASSERT_TRUE(TrackMouseEvent(&tme));
    platform->AdvanceTime(60);
    platform->MouseMove(170, 150);
    platform->AdvanceTime(60);
    EXPECT_FALSE(log().contains(hwnd, WM_MOUSEHOVER));
    platform->AdvanceTime(40);
    EXPECT_EQ(log().compare(hwnd, HWND(), {{WM_MOUSEHOVER, L, 0, at(70, 50)}}, kMouseNoise), "");

    // A message loop waiting on the virtual clock wakes for the hover.
    ASSERT_TRUE(TrackMouseEvent(&tme));
    const DWORD start = GetTickCount();
    MSG msg;
    ASSERT_EQ(GetMessageW(&msg, HWND(), 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_MOUSEHOVER);
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_EQ(GetTickCount() - start, 100u);
    DestroyWindow(hwnd);
}

// ---- Activation and focus ----

TEST_F(InputTest, ClickActivatesAnInactiveWindowAndMovesTheFocus) {
    HWND a = MessageLog::create(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    HWND b = MessageLog::create(WS_POPUP | WS_VISIBLE, 400, 100, 200, 200);
    ASSERT_EQ(GetActiveWindow(), b);
    settle();
    platform->Click(150, 150);
    const auto A = static_cast<LPARAM>(a.value), B = static_cast<LPARAM>(b.value);
    const std::vector<Expected> seq = {
        {WM_MOUSEACTIVATE, W | L, a.value, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
        {WM_NCACTIVATE, P | W, FALSE},
        {WM_ACTIVATE, P | W | L, WA_INACTIVE, A},
        {WM_NCACTIVATE, W, TRUE},
        {WM_ACTIVATE, W | L, WA_CLICKACTIVE, B},
        {WM_KILLFOCUS, P | W, a.value},
        {WM_SETFOCUS, W, b.value},
        {WM_LBUTTONDOWN, L, 0, at(50, 50)},
        {WM_LBUTTONUP},
    };
    EXPECT_EQ(log().compare(a, b, seq, kMouseNoise), "");
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), a);

    // Clicking the active window again activates nothing.
    log().clear();
    platform->Click(160, 160);
    EXPECT_FALSE(log().contains(a, WM_MOUSEACTIVATE));
    EXPECT_FALSE(log().contains(a, WM_ACTIVATE));

    // A clicked child first notifies its parent (in the parent's client coordinates), then asks
    // its parent chain about activation; wParam names the top-level window being activated.
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, b);
    settle();
    platform->Click(420, 120);
    const std::vector<Expected> childSeq = {
        {WM_PARENTNOTIFY, P | W | L, WM_LBUTTONDOWN, at(20, 20)},
        {WM_MOUSEACTIVATE, W | L, b.value, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
        {WM_MOUSEACTIVATE, P | W | L, b.value, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
        {WM_NCACTIVATE, P | W, TRUE},
        {WM_ACTIVATE, P | W | L, WA_CLICKACTIVE, A},
        {WM_SETFOCUS, P | W, a.value},
        {WM_LBUTTONDOWN, L, 0, at(10, 10)},
        {WM_LBUTTONUP},
    };
    EXPECT_EQ(log().compare(child, b, childSeq, kMouseNoise), "");
    EXPECT_EQ(GetActiveWindow(), b);
    DestroyWindow(a);
    DestroyWindow(b);
}

// ---- Keyboard ----

TEST_F(InputTest, AltMakesSystemKeysAndSystemCharacters) {
    HWND hwnd = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    settle();
    platform->KeyDown(VK_MENU);
    platform->KeyPress('F');
    const std::vector<Expected> seq = {
        {WM_SYSKEYDOWN, W, VK_MENU},
        {WM_SYSKEYDOWN, W, 'F'},
        {WM_SYSCHAR, W, 'f'},
        // DefWindowProcW asks for the menu bar item with that mnemonic.
        {WM_SYSCOMMAND, W | L, SC_KEYMENU, 'f'},
        {WM_SYSKEYUP, W, 'F'},
    };
    EXPECT_EQ(log().compare(hwnd, HWND(), seq), "");
    const DWORD scanF = MapVirtualKeyW('F', MAPVK_VK_TO_VSC);
    ASSERT_EQ(scanF, 0x21u);
    for (const Logged& l : log().entries()) {
        if (l.msg == WM_SYSCOMMAND) continue;
        const auto lp = static_cast<DWORD>(l.lParam);
        EXPECT_TRUE(altBit(l)) << messageName(l.msg) << " lacks the Alt context bit";
        if (l.wParam == 'F' || l.wParam == 'f') {
            EXPECT_EQ((lp >> 16) & 0xFF, scanF);
        }
        EXPECT_EQ(lp & 0xC0000000u, l.msg == WM_SYSKEYUP ? 0xC0000000u : 0u) << messageName(l.msg);
    }
    platform->KeyUp(VK_MENU);

    // Without Alt the same key is an ordinary key with an ordinary character.
    log().clear();
    platform->KeyPress('F');
    EXPECT_EQ(
        log().compare(hwnd, HWND(), {{WM_KEYDOWN, W, 'F'}, {WM_CHAR, W, 'f'}, {WM_KEYUP, W, 'F'}}),
        "");
    for (const Logged& l : log().entries())
        EXPECT_FALSE(altBit(l));

    // With the focus nowhere, keys go to the active window as system keys without the Alt bit.
    SetFocus(HWND());
    log().clear();
    platform->KeyPress('G');
    EXPECT_EQ(log().compare(hwnd, HWND(),
                            {{WM_SYSKEYDOWN, W, 'G'}, {WM_SYSCHAR, W, 'g'}, {WM_SYSKEYUP, W, 'G'}}),
              "");
    for (const Logged& l : log().entries())
        EXPECT_FALSE(altBit(l));
    DestroyWindow(hwnd);
}

TEST_F(InputTest, CharactersFollowShiftCapsLockAndControl) {
    HWND hwnd = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    settle();
    EXPECT_EQ(typed(hwnd, {}, 'A'), u"a");
    EXPECT_EQ(typed(hwnd, {VK_SHIFT}, 'A'), u"A");
    EXPECT_EQ(typed(hwnd, {}, '1'), u"1");
    EXPECT_EQ(typed(hwnd, {VK_SHIFT}, '1'), u"!");
    EXPECT_EQ(typed(hwnd, {VK_SHIFT}, VK_OEM_2), u"?");
    EXPECT_EQ(typed(hwnd, {}, VK_RETURN), u"\r");

    // Caps Lock shifts letters only, and Shift undoes it.
    platform->KeyPress(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    EXPECT_EQ(typed(hwnd, {}, 'A'), u"A");
    EXPECT_EQ(typed(hwnd, {}, '1'), u"1");
    EXPECT_EQ(typed(hwnd, {VK_SHIFT}, 'A'), u"a");
    platform->KeyPress(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
    EXPECT_EQ(typed(hwnd, {}, 'A'), u"a");

    // Control makes control characters.
    EXPECT_EQ(typed(hwnd, {VK_CONTROL}, 'A'), std::u16string(1, char16_t{1}));
    EXPECT_EQ(typed(hwnd, {VK_CONTROL, VK_SHIFT}, 'A'), std::u16string(1, char16_t{1}));
    EXPECT_EQ(typed(hwnd, {VK_CONTROL}, 'Z'), std::u16string(1, char16_t{26}));
    EXPECT_EQ(typed(hwnd, {VK_LCONTROL}, VK_OEM_4), std::u16string(1, char16_t{27}));
    EXPECT_EQ(typed(hwnd, {VK_CONTROL}, '1'), u"");

    // A held key repeats: each repeat is a WM_KEYDOWN with the previous-state bit.
    log().clear();
    platform->KeyDown('B');
    platform->KeyDown('B');
    platform->KeyUp('B');
    const std::vector<Logged> downs = received(hwnd, WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_FALSE(static_cast<DWORD>(downs[0].lParam) & (1u << 30));
    EXPECT_TRUE(static_cast<DWORD>(downs[1].lParam) & (1u << 30));
    EXPECT_EQ(chars(hwnd), u"bb");
    DestroyWindow(hwnd);
}

TEST_F(InputTest, TypeTextDeliversAnyUtf16Text) {
    HWND hwnd = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    settle();
    const std::u16string text = u"Az é€\U0001F600中文";
    ASSERT_EQ(text.size(), 9u);  // the emoji is a surrogate pair
    platform->TypeText(text);
    EXPECT_EQ(chars(hwnd), text);
    const std::vector<Logged> downs = received(hwnd, WM_KEYDOWN);
    ASSERT_EQ(downs.size(), text.size());
    for (const Logged& l : downs)
        EXPECT_EQ(l.wParam, static_cast<WPARAM>(VK_PACKET));
    DestroyWindow(hwnd);
}

TEST_F(InputTest, UnicodePacketsKeepTheirCharacterWhenTranslatedLater) {
    // A loop may take several key messages before translating them; each still gives its own
    // character.
    HWND hwnd = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    settle();
    INPUT in[4];
    const char16_t text[] = {u'x', u'\u00FC'};
    for (int i = 0; i < 2; ++i) {
        in[2 * i].type = in[2 * i + 1].type = INPUT_KEYBOARD;
        in[2 * i].ki.wScan = in[2 * i + 1].ki.wScan = text[i];
        in[2 * i].ki.dwFlags = KEYEVENTF_UNICODE;
        in[2 * i + 1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    }
    ASSERT_EQ(SendInput(4, in, sizeof(INPUT)), 4u);
    std::vector<MSG> downs;
    MSG msg;
    while (PeekMessageW(&msg, HWND(), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        if (msg.message == WM_KEYDOWN) downs.push_back(msg);
    ASSERT_EQ(downs.size(), 2u);
    for (const MSG& m : downs)
        TranslateMessage(&m);
    platform->PumpMessages();
    EXPECT_EQ(chars(hwnd), u"x\u00FC");
    DestroyWindow(hwnd);
}

TEST_F(InputTest, KeyStateFollowsRetrievalAndAsyncStateFollowsInput) {
    HWND hwnd = createHooked(0, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    settle();
    // Shift, A, release both, all queued before any is retrieved: while WM_KEYDOWN for A is
    // handled, the key state (which follows retrieval) still has Shift down, though the
    // asynchronous state (which follows the input at once) has it up already.
    struct Seen {
        SHORT shift = 0, a = 0, asyncShift = 0, button = 0;
    } seen;
    handler() = [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_KEYDOWN && wParam == 'A') {
            seen.shift = GetKeyState(VK_SHIFT);
            seen.a = GetKeyState('A');
            seen.asyncShift = GetAsyncKeyState(VK_SHIFT);
        }
        if (msg == WM_LBUTTONDOWN) seen.button = GetKeyState(VK_LBUTTON);
        return std::nullopt;
    };
    INPUT in[4];
    for (INPUT& i : in)
        i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = VK_SHIFT;
    in[1].ki.wVk = 'A';
    in[2].ki.wVk = 'A';
    in[2].ki.dwFlags = KEYEVENTF_KEYUP;
    in[3].ki.wVk = VK_SHIFT;
    in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(4, in, sizeof(INPUT)), 4u);
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000) << "nothing retrieved yet";
    EXPECT_FALSE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
    log().clear();
    platform->PumpMessages();
    EXPECT_TRUE(seen.shift & 0x8000);
    EXPECT_TRUE(seen.a & 0x8000);
    EXPECT_FALSE(seen.asyncShift & 0x8000);
    EXPECT_EQ(chars(hwnd), u"A");
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
    EXPECT_FALSE(GetKeyState('A') & 0x8000);

    platform->Click(50, 50);
    EXPECT_TRUE(seen.button & 0x8000);
    EXPECT_FALSE(GetKeyState(VK_LBUTTON) & 0x8000);
    DestroyWindow(hwnd);
}

TEST_F(InputTest, UsInternationalDeadKeysCompose) {
    HWND hwnd = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    settle();
    EXPECT_EQ(typed(hwnd, {}, VK_OEM_7), u"'") << "no dead keys on the plain US layout";

    InputQueue::current().usInternational = true;
    log().clear();
    platform->KeyPress(VK_OEM_7);
    platform->KeyPress('E');
    const std::vector<Expected> seq = {
        {WM_KEYDOWN, W, static_cast<WPARAM>(VK_OEM_7)},
        {WM_DEADCHAR, W, u'\''},
        {WM_KEYUP, W, static_cast<WPARAM>(VK_OEM_7)},
        {WM_KEYDOWN, W, 'E'},
        {WM_CHAR, W, u'é'},
        {WM_KEYUP, W, 'E'},
    };
    EXPECT_EQ(log().compare(hwnd, HWND(), seq), "");

    // A dead key (with the keys held for it), then what the next key (with its keys) gives.
    auto compose = [&](std::initializer_list<int> deadHeld, int dead,
                       std::initializer_list<int> held, int vk) {
        typed(hwnd, deadHeld, dead);
        return typed(hwnd, held, vk);
    };
    EXPECT_EQ(compose({}, VK_OEM_7, {VK_SHIFT}, 'E'), u"É");
    EXPECT_EQ(compose({VK_SHIFT}, VK_OEM_7, {}, 'U'), u"ü");
    EXPECT_EQ(compose({VK_SHIFT}, '6', {}, 'O'), u"ô");
    EXPECT_EQ(compose({}, VK_OEM_3, {}, 'A'), u"à");
    EXPECT_EQ(compose({VK_SHIFT}, VK_OEM_3, {}, 'N'), u"ñ");
    // No composition: the accent alone for a space, else the accent and then the character.
    EXPECT_EQ(compose({}, VK_OEM_7, {}, VK_SPACE), u"'");
    EXPECT_EQ(compose({}, VK_OEM_7, {}, 'X'), u"'x");
    EXPECT_EQ(compose({}, VK_OEM_7, {}, VK_OEM_3), u"'`");
    EXPECT_EQ(typed(hwnd, {}, 'E'), u"e") << "no accent left pending";
    DestroyWindow(hwnd);
}

// ---- Wheel and disabled windows ----

TEST_F(InputTest, WheelGoesToTheFocusWindowAndUpItsParents) {
    HWND parent = MessageLog::create(WS_POPUP | WS_VISIBLE, 100, 100, 300, 300);
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, parent);
    HWND other = MessageLog::create(WS_POPUP | WS_VISIBLE, 600, 100, 200, 200);
    SetFocus(child);
    platform->MouseMove(650, 150);
    settle();
    platform->Wheel(-WHEEL_DELTA);
    platform->KeyDown(VK_CONTROL);
    platform->Wheel(2 * WHEEL_DELTA);
    platform->KeyUp(VK_CONTROL);
    const WPARAM down = MAKEWPARAM(0, -WHEEL_DELTA), up = MAKEWPARAM(MK_CONTROL, 2 * WHEEL_DELTA);
    const std::vector<Expected> seq = {
        {WM_MOUSEWHEEL, W | L, down, at(650, 150)},
        {WM_MOUSEWHEEL, P | W | L, down, at(650, 150)},
        {WM_MOUSEWHEEL, W | L, up, at(650, 150)},
        {WM_MOUSEWHEEL, P | W | L, up, at(650, 150)},
    };
    EXPECT_EQ(log().compare(child, parent, seq, {WM_KEYDOWN, WM_KEYUP}), "");
    EXPECT_FALSE(log().contains(other, WM_MOUSEWHEEL));
    DestroyWindow(parent);
    DestroyWindow(other);
}

TEST_F(InputTest, InputOverADisabledChildGoesToItsParent) {
    HWND parent = MessageLog::create(WS_POPUP | WS_VISIBLE, 100, 100, 300, 300);
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE | WS_DISABLED, 50, 50, 100, 100, parent);
    settle();
    platform->Click(200, 200);
    EXPECT_EQ(log().compare(parent, HWND(), {{WM_LBUTTONDOWN, L, 0, at(100, 100)}, {WM_LBUTTONUP}},
                            kMouseNoise),
              "");
    EXPECT_TRUE(log().messagesOf(child).empty()) << log().compare(child, HWND(), {});

    EnableWindow(child, TRUE);
    platform->AdvanceTime(GetDoubleClickTime() + 1);
    log().clear();
    platform->Click(200, 200);
    EXPECT_EQ(log().compare(child, HWND(), {{WM_LBUTTONDOWN, L, 0, at(50, 50)}, {WM_LBUTTONUP}},
                            kMouseNoise),
              "");
    EXPECT_FALSE(log().contains(parent, WM_LBUTTONDOWN));
    DestroyWindow(parent);
}

TEST_F(InputTest, DisabledTopLevelWindowTakesNoClicksAndIsNotActivated) {
    HWND disabled =
        MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_DISABLED, 100, 100, 300, 300);
    HWND other = MessageLog::create(WS_POPUP | WS_VISIBLE, 600, 100, 200, 200);
    settle();
    const POINT client = platform->ClientToScreenPoint(disabled, 50, 50);
    platform->Click(client.x, client.y);
    // It hears of the click only through WM_SETCURSOR with HTERROR, so that it can beep.
    const std::vector<Expected> seq = {
        {WM_SETCURSOR, W | L, disabled.value, MAKELPARAM(HTERROR, WM_MOUSEMOVE)},
        {WM_SETCURSOR, W | L, disabled.value, MAKELPARAM(HTERROR, WM_LBUTTONDOWN)},
        {WM_SETCURSOR, W | L, disabled.value, MAKELPARAM(HTERROR, WM_LBUTTONUP)},
    };
    EXPECT_EQ(log().compare(disabled, HWND(), seq), "");
    EXPECT_EQ(GetActiveWindow(), other);
    DestroyWindow(disabled);
    DestroyWindow(other);
}

// ---- Windows that go away while input is on its way ----

TEST_F(InputTest, WindowDestroyedByItsOwnButtonDownHandler) {
    HWND below = MessageLog::create(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    HWND doomed = createHooked(CS_DBLCLKS, WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    handler() = [](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_LBUTTONDOWN) return std::nullopt;
        SetCapture(hwnd);
        TRACKMOUSEEVENT tme;
        tme.dwFlags = TME_LEAVE | TME_HOVER;
        tme.hwndTrack = hwnd;
        tme.dwHoverTime = 50;
        TrackMouseEvent(&tme);
        DestroyWindow(hwnd);
        return 0;
    };
    platform->MouseMove(150, 150);
    settle();
    // Down, up and a second down queued together: the rest arrive after the window is gone.
    INPUT in[3];
    for (INPUT& i : in)
        i.type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ASSERT_EQ(SendInput(3, in, sizeof(INPUT)), 3u);
    platform->PumpMessages();
    EXPECT_FALSE(IsWindow(doomed));
    EXPECT_EQ(GetCapture(), HWND());
    EXPECT_EQ(names(below, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              named({WM_LBUTTONUP, WM_LBUTTONDOWN}));
    // Tracking asked for by the window ended with it.
    TRACKMOUSEEVENT query;
    query.dwFlags = TME_QUERY;
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.dwFlags, 0u);
    EXPECT_EQ(query.hwndTrack, HWND());
    platform->MouseUp();
    DestroyWindow(below);
}


TEST_F(InputTest, WindowAppearingUnderAStillPointerGetsTheMouse) {
    HWND below = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    platform->MouseMove(50, 50);
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = below;
    ASSERT_TRUE(TrackMouseEvent(&tme));
    settle();
    // A popup opens under the pointer: no input arrives, yet the popup hears a mouse move and
    // the window below sees the pointer leave.
    HWND popup = MessageLog::create(WS_POPUP | WS_VISIBLE, 40, 40, 50, 50);
    platform->PumpMessages();
    EXPECT_EQ(received(popup, WM_MOUSEMOVE).size(), 1u);
    EXPECT_EQ(received(below, WM_MOUSELEAVE).size(), 1u);
    // Once it closes, the window below has the mouse again.
    log().clear();
    DestroyWindow(popup);
    platform->PumpMessages();
    EXPECT_EQ(received(below, WM_MOUSEMOVE).size(), 1u);
    // Moving a window that is not under the pointer sends nothing.
    HWND aside = MessageLog::create(WS_POPUP | WS_VISIBLE, 500, 500, 50, 50);
    platform->PumpMessages();
    log().clear();
    MoveWindow(aside, 600, 600, 50, 50, TRUE);
    platform->PumpMessages();
    EXPECT_TRUE(received(below, WM_MOUSEMOVE).empty());
    DestroyWindow(aside);
    DestroyWindow(below);
}

}  // namespace
}  // namespace orvane::test
