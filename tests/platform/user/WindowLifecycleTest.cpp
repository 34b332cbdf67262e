// Message sequences of creating, sizing, showing, activating and destroying windows, and the
// behaviour of stale handles and windows destroyed from their own handlers.
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

using E = Expected;
constexpr unsigned O = E::Optional;
constexpr unsigned P = E::Parent;
constexpr unsigned W = E::WParam;

class WindowLifecycleTest : public PlatformTest {};

TEST_F(WindowLifecycleTest, CreateVisibleOverlappedWindow) {
    HWND hwnd = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 20, 300, 200);
    ASSERT_TRUE(hwnd);
    const std::vector<Expected> seq = {
        {WM_GETMINMAXINFO},
        {WM_NCCREATE},
        {WM_NCCALCSIZE, W, 0},
        {WM_CREATE},
        {WM_SIZE, O},
        {WM_MOVE, O},
        {WM_SHOWWINDOW, W, TRUE},
        {WM_WINDOWPOSCHANGING},
        {WM_WINDOWPOSCHANGING},  // activation brings it to the top: it is there already
        {WM_ACTIVATEAPP, W, TRUE},
        {WM_NCACTIVATE, W, TRUE},
        {WM_ACTIVATE, W, WA_ACTIVE},
        {WM_SETFOCUS},
        {WM_WINDOWPOSCHANGED},
        {WM_MOVE, O},
        {WM_SIZE, O},
    };
    EXPECT_EQ(log().compare(hwnd, HWND(), seq), "");
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_EQ(GetFocus(), hwnd);
    RECT rc;
    GetWindowRect(hwnd, &rc);
    EXPECT_EQ(rc, (RECT{10, 20, 310, 220}));
    RECT expected{0, 0, 0, 0};
    AdjustWindowRectEx(&expected, WS_OVERLAPPEDWINDOW, FALSE, 0);
    GetClientRect(hwnd, &rc);
    EXPECT_EQ(rc.right, 300 - (expected.right - expected.left));
    EXPECT_EQ(rc.bottom, 200 - (expected.bottom - expected.top));
    DestroyWindow(hwnd);
}

TEST_F(WindowLifecycleTest, CreateVisibleChildNotifiesParent) {
    HWND parent = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    log().clear();
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE, 5, 6, 50, 40, parent);
    const std::vector<Expected> seq = {
        {WM_NCCREATE},
        {WM_NCCALCSIZE, W, 0},
        {WM_CREATE},
        {WM_SIZE, W, SIZE_RESTORED},
        {WM_MOVE},
        {WM_PARENTNOTIFY, P | W, WM_CREATE},
        {WM_SHOWWINDOW, W, TRUE},
        {WM_WINDOWPOSCHANGING},
        {WM_WINDOWPOSCHANGED},
    };
    EXPECT_EQ(log().compare(child, parent, seq, {WM_GETTEXT}), "");
    EXPECT_EQ(GetParent(child), parent);
    EXPECT_EQ(GetAncestor(child, GA_ROOT), parent);
    EXPECT_TRUE(IsChild(parent, child));
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(child));
}

TEST_F(WindowLifecycleTest, OverlappedWindowsHearTheirSizeWhenFirstShown) {
    struct Case {
        DWORD style;
        int x, width;
        bool sizedAtCreation;
    };
    const std::vector<Case> cases = {
        {WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, false},
        {WS_OVERLAPPEDWINDOW, 10, 200, false},
        {WS_POPUP, 10, 200, true},
    };
    for (const Case& c : cases) {
        log().clear();
        HWND hwnd = MessageLog::create(c.style, c.x, 0, c.width, 100);
        EXPECT_EQ(log().count(hwnd, WM_SIZE), c.sizedAtCreation ? 1 : 0) << std::hex << c.style;
        EXPECT_EQ(log().count(hwnd, WM_MOVE), c.sizedAtCreation ? 1 : 0) << std::hex << c.style;
        log().clear();
        ShowWindow(hwnd, SW_SHOWNA);
        EXPECT_EQ(log().count(hwnd, WM_SIZE), c.sizedAtCreation ? 0 : 1) << std::hex << c.style;
        EXPECT_EQ(log().count(hwnd, WM_MOVE), c.sizedAtCreation ? 0 : 1) << std::hex << c.style;
        // Only the first time.
        ShowWindow(hwnd, SW_HIDE);
        log().clear();
        ShowWindow(hwnd, SW_SHOWNA);
        EXPECT_FALSE(log().contains(hwnd, WM_SIZE));
        DestroyWindow(hwnd);
    }
}

TEST_F(WindowLifecycleTest, ResizeSendsCalcSizeThenMoveAndSize) {
    HWND hwnd = MessageLog::create(WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0, 100, 100);
    log().clear();
    SetWindowPos(hwnd, HWND(), 10, 10, 150, 120, SWP_NOZORDER | SWP_NOACTIVATE);
    const std::vector<Expected> seq = {
        {WM_WINDOWPOSCHANGING},      {WM_NCCALCSIZE, W, TRUE}, {WM_WINDOWPOSCHANGED}, {WM_MOVE},
        {WM_SIZE, W, SIZE_RESTORED},
    };
    EXPECT_EQ(log().compare(hwnd, HWND(), seq), "");
    RECT rc;
    GetClientRect(hwnd, &rc);
    EXPECT_EQ(rc, (RECT{0, 0, 148, 118}));  // one-pixel border on each side

    // Moving without resizing sends no WM_SIZE and no WM_NCCALCSIZE.
    log().clear();
    MoveWindow(hwnd, 30, 30, 150, 120, TRUE);
    EXPECT_EQ(
        log().compare(hwnd, HWND(), {{WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}, {WM_MOVE}}),
        "");
    DestroyWindow(hwnd);
}

TEST_F(WindowLifecycleTest, WindowPosChangingCanAlterTheRequest) {
    static LRESULT (*const proc)(HWND, UINT, WPARAM, LPARAM) = [](HWND h, UINT m, WPARAM w,
                                                                  LPARAM l) -> LRESULT {
        if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(l)->cx = 77;
        return DefWindowProcW(h, m, w, l);
    };
    HWND hwnd = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    SetWindowPos(hwnd, HWND(), 0, 0, 200, 50, SWP_NOZORDER | SWP_NOMOVE);
    RECT rc;
    GetWindowRect(hwnd, &rc);
    EXPECT_EQ(rc.right - rc.left, 77);
    EXPECT_EQ(rc.bottom - rc.top, 50);
    DestroyWindow(hwnd);
}

TEST_F(WindowLifecycleTest, HideAndShowChild) {
    HWND parent = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent);
    SetFocus(child);
    log().clear();
    EXPECT_TRUE(ShowWindow(child, SW_HIDE));
    const std::vector<Expected> seq = {
        {WM_SHOWWINDOW, W, FALSE}, {WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}, {WM_KILLFOCUS},
        {WM_SETFOCUS, P},
    };
    EXPECT_EQ(log().compare(child, parent, seq), "");
    EXPECT_EQ(GetFocus(), parent);
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(ShowWindow(child, SW_HIDE));  // already hidden: returns the old visibility
    EXPECT_FALSE(ShowWindow(child, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    DestroyWindow(parent);
}

TEST_F(WindowLifecycleTest, ActivationMovesBetweenTopLevelWindows) {
    HWND a = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
    HWND b = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 200);
    EXPECT_EQ(GetActiveWindow(), b);
    log().clear();
    EXPECT_EQ(SetActiveWindow(a), b);
    // Here the "parent" role is the window losing activation. Between its deactivation and
    // the activation, the window comes to the top.
    const std::vector<Expected> seq = {
        {WM_NCACTIVATE, P | W, FALSE},
        {WM_ACTIVATE, P | W, WA_INACTIVE},
        {WM_WINDOWPOSCHANGING},
        {WM_WINDOWPOSCHANGED},
        {WM_NCACTIVATE, W, TRUE},
        {WM_ACTIVATE, W, WA_ACTIVE},
        {WM_KILLFOCUS, P},
        {WM_SETFOCUS},
    };
    EXPECT_EQ(log().compare(a, b, seq), "");
    EXPECT_EQ(GetFocus(), a);
    EXPECT_EQ(GetTopWindow(HWND()), a);  // activation brings the window to the top
    DestroyWindow(a);
    EXPECT_EQ(GetActiveWindow(), b);  // the remaining window takes over
    DestroyWindow(b);
    EXPECT_FALSE(GetActiveWindow());
}

TEST_F(WindowLifecycleTest, DestroySendsDestroyTopDownAndNcDestroyBottomUp) {
    HWND parent = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent);
    HWND grandchild = MessageLog::create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, child);
    log().clear();
    DestroyWindow(parent);
    std::vector<std::pair<HWND, UINT>> order;
    for (const Logged& l : log().entries())
        if (l.msg == WM_DESTROY || l.msg == WM_NCDESTROY) order.emplace_back(l.hwnd, l.msg);
    const std::vector<std::pair<HWND, UINT>> expected = {
        {parent, WM_DESTROY},       {child, WM_DESTROY},   {grandchild, WM_DESTROY},
        {grandchild, WM_NCDESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY},
    };
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(grandchild));
}

TEST_F(WindowLifecycleTest, DestroyChildSequence) {
    HWND parent = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent);
    SetFocus(child);
    log().clear();
    DestroyWindow(child);
    const std::vector<Expected> seq = {
        {WM_PARENTNOTIFY, P | W, WM_DESTROY},
        {WM_SHOWWINDOW, W, FALSE},
        {WM_WINDOWPOSCHANGING},
        {WM_WINDOWPOSCHANGED},
        {WM_KILLFOCUS},
        {WM_SETFOCUS, P},
        {WM_DESTROY},
        {WM_NCDESTROY},
    };
    EXPECT_EQ(log().compare(child, parent, seq), "");
    DestroyWindow(parent);
}

TEST_F(WindowLifecycleTest, DestroyingATopLevelWindowHidesItWithoutWmShowWindow) {
    // As on Windows, a top-level window is hidden by positioning alone (a child hears
    // WM_SHOWWINDOW, see DestroyChildSequence), then loses the activation and the focus, and
    // only then hears WM_DESTROY.
    struct Case {
        const char* what;
        bool shown, active, otherWindow;
        std::vector<Expected> seq;
    };
    const std::vector<Expected> hide = {{WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}};
    const std::vector<Expected> deactivate = {{WM_NCACTIVATE, W, FALSE},
                                              {WM_ACTIVATE, W, WA_INACTIVE}};
    const std::vector<Expected> destroy = {{WM_DESTROY}, {WM_NCDESTROY}};
    auto seq = [](std::initializer_list<std::vector<Expected>> parts) {
        std::vector<Expected> all;
        for (const auto& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    const std::vector<Case> cases = {
        {"active, the last window", true, true, false,
         seq({hide, deactivate, {{WM_ACTIVATEAPP, W, FALSE}, {WM_KILLFOCUS}}, destroy})},
        {"active, another window takes over", true, true, true,
         seq({hide, deactivate, {{WM_KILLFOCUS}}, destroy})},
        {"inactive", true, false, true, seq({hide, destroy})},
        {"hidden", false, false, true, destroy},
    };
    for (const Case& c : cases) {
        HWND other =
            c.otherWindow ? MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50) : HWND();
        HWND hwnd = MessageLog::create(WS_POPUP | (c.shown ? WS_VISIBLE : 0), 20, 20, 100, 100);
        if (c.active)
            SetActiveWindow(hwnd);
        else if (other)
            SetActiveWindow(other);
        platform->PumpMessages();
        log().clear();
        DestroyWindow(hwnd);
        EXPECT_EQ(log().compare(hwnd, HWND(), c.seq, {WM_GETTEXT}), "") << c.what;
        const std::vector<UINT> flags = log().positionFlags(hwnd, WM_WINDOWPOSCHANGING);
        for (UINT f : flags)
            EXPECT_EQ(f, static_cast<UINT>(SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOSIZE |
                                           SWP_NOMOVE | SWP_NOZORDER))
                << c.what;
        EXPECT_EQ(GetActiveWindow(), other) << c.what;
        EXPECT_EQ(GetFocus(), other) << c.what;
        if (other) DestroyWindow(other);
    }
}

TEST_F(WindowLifecycleTest, OwnedWindowsAreDestroyedFirst) {
    HWND owner = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
    HWND owned = MessageLog::create(WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, owner);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    log().clear();
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owned));
    std::vector<HWND> destroyOrder;
    for (const Logged& l : log().entries())
        if (l.msg == WM_NCDESTROY) destroyOrder.push_back(l.hwnd);
    EXPECT_EQ(destroyOrder, (std::vector<HWND>{owned, owner}));
}

LRESULT refuseNcCreate(HWND h, UINT m, WPARAM w, LPARAM l) {
    MessageLog::instance().add(h, m, w, l);
    if (m == WM_NCCREATE) return FALSE;
    return DefWindowProcW(h, m, w, l);
}

LRESULT refuseCreate(HWND h, UINT m, WPARAM w, LPARAM l) {
    MessageLog::instance().add(h, m, w, l);
    if (m == WM_CREATE) return -1;
    return DefWindowProcW(h, m, w, l);
}

TEST_F(WindowLifecycleTest, RefusedCreationCleansUp) {
    for (WNDPROC proc : {refuseNcCreate, refuseCreate}) {
        WNDCLASSEXW wc;
        wc.lpfnWndProc = proc;
        wc.lpszClassName = u"Refusing";
        ASSERT_TRUE(RegisterClassExW(&wc));
        log().clear();
        HWND hwnd = CreateWindowExW(0, u"Refusing", u"", WS_POPUP, 0, 0, 10, 10, HWND(), HMENU(),
                                    HINSTANCE(), nullptr);
        EXPECT_FALSE(hwnd);
        ASSERT_FALSE(log().entries().empty());
        EXPECT_EQ(log().entries().back().msg, static_cast<UINT>(WM_NCDESTROY));
        EXPECT_EQ(log().count(log().entries().back().hwnd, WM_DESTROY),
                  proc == refuseCreate ? 1 : 0);
        EXPECT_TRUE(UnregisterClassW(u"Refusing", HINSTANCE()));
    }
}

LRESULT destroyOnUser(HWND h, UINT m, WPARAM w, LPARAM l) {
    MessageLog::instance().add(h, m, w, l);
    if (m == WM_USER) {
        DestroyWindow(h);
        DestroyWindow(h);  // a second call from inside the destruction is harmless
        return 42;
    }
    if (m == WM_DESTROY) DestroyWindow(h);  // re-entering from WM_DESTROY as well
    return DefWindowProcW(h, m, w, l);
}

TEST_F(WindowLifecycleTest, DestroyFromOwnHandlerIsSafe) {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = destroyOnUser;
    wc.lpszClassName = u"SelfDestroying";
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, u"SelfDestroying", u"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                HWND(), HMENU(), HINSTANCE(), nullptr);
    PostMessageW(hwnd, WM_USER + 1, 0, 0);
    EXPECT_EQ(SendMessageW(hwnd, WM_USER, 0, 0), 42);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(log().count(hwnd, WM_NCDESTROY), 1);
    // The message posted before the destruction is dropped with the window.
    platform->PumpMessages();
    EXPECT_EQ(log().count(hwnd, WM_USER + 1), 0);
}

TEST_F(WindowLifecycleTest, StaleNullAndWrongKindHandlesFail) {
    HWND hwnd = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    DestroyWindow(hwnd);
    HWND again = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    EXPECT_NE(again, hwnd);  // the slot may be reused, the handle is not
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const HWND notAWindow(brush.value);
    for (HWND bad : {hwnd, HWND(), notAWindow}) {
        SetLastError(0);
        EXPECT_EQ(SendMessageW(bad, WM_USER, 0, 0), 0);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
        EXPECT_FALSE(IsWindow(bad));
        EXPECT_FALSE(DestroyWindow(bad));
        EXPECT_FALSE(SetWindowPos(bad, HWND(), 0, 0, 1, 1, 0));
        RECT rc;
        EXPECT_FALSE(GetWindowRect(bad, &rc));
        EXPECT_FALSE(PostMessageW(bad == HWND() ? notAWindow : bad, WM_USER, 0, 0));
        EXPECT_EQ(GetWindowLongW(bad, GWL_STYLE), 0);
    }
    EXPECT_FALSE(CreateWindowExW(0, u"NoSuchClass", u"", WS_POPUP, 0, 0, 1, 1, HWND(), HMENU(),
                                 HINSTANCE(), nullptr));
    EXPECT_FALSE(MessageLog::create(WS_CHILD, 0, 0, 1, 1, HWND()));  // a child needs a parent
    EXPECT_FALSE(MessageLog::create(WS_CHILD, 0, 0, 1, 1, hwnd));    // and a live one
    DeleteObject(brush);
    DestroyWindow(again);
}

TEST_F(WindowLifecycleTest, AbsurdSizesAreClamped) {
    HWND hwnd = MessageLog::create(WS_POPUP, 0, 0, -50, 1 << 30);
    RECT rc;
    GetWindowRect(hwnd, &rc);
    EXPECT_EQ(rc.right - rc.left, 0);
    EXPECT_EQ(rc.bottom - rc.top, 32767);
    SetWindowPos(hwnd, HWND(), 0, 0, -1, -1, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(hwnd, &rc);
    EXPECT_EQ(rc, (RECT{0, 0, 0, 0}));
    DestroyWindow(hwnd);
}

TEST_F(WindowLifecycleTest, TreeQueriesAndZOrder) {
    HWND parent = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND first = MessageLog::create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent);
    HWND second = MessageLog::create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent);
    // Children join at the bottom: creation order is the order from the top.
    EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDPREV), first);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), second);
    SetWindowPos(second, first, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
    // A point over both children finds the top one.
    EXPECT_EQ(WindowFromPoint(POINT{5, 5}), first);
    EXPECT_EQ(ChildWindowFromPoint(parent, POINT{5, 5}), first);
    EXPECT_EQ(ChildWindowFromPoint(parent, POINT{100, 100}), parent);
    EXPECT_FALSE(ChildWindowFromPoint(parent, POINT{300, 5}));
    int count = 0;
    EnumChildWindows(
        parent,
        [](HWND, LPARAM p) -> BOOL {
            ++*reinterpret_cast<int*>(p);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(FindWindowExW(parent, HWND(), u"orvanetestwindow", nullptr),
              first);  // class names ignore case
    EXPECT_EQ(FindWindowExW(parent, first, nullptr, u"test"), second);
    // Reparenting keeps the screen position.
    HWND other = MessageLog::create(WS_POPUP | WS_VISIBLE, 100, 100, 50, 50);
    MoveWindow(first, 120, 130, 10, 10, TRUE);
    EXPECT_EQ(SetParent(first, other), parent);
    RECT rc;
    GetWindowRect(first, &rc);
    EXPECT_EQ(rc.left, 120);
    EXPECT_EQ(rc.top, 130);
    EXPECT_EQ(GetParent(first), other);
    EXPECT_FALSE(SetParent(other, first));  // not into its own descendant
    DestroyWindow(other);
    DestroyWindow(parent);
}

TEST_F(WindowLifecycleTest, TextLongsAndProperties) {
    HWND hwnd = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    EXPECT_TRUE(SetWindowTextW(hwnd, u"Grüße 漢字"));
    char16_t buffer[32];
    EXPECT_EQ(GetWindowTextLengthW(hwnd), 8);
    EXPECT_EQ(GetWindowTextW(hwnd, buffer, 32), 8);
    EXPECT_EQ(std::u16string(buffer), u"Grüße 漢字");
    EXPECT_EQ(GetWindowTextW(hwnd, buffer, 4), 3);  // truncated and terminated
    EXPECT_EQ(std::u16string(buffer), u"Grü");

    log().clear();
    const LONG old = SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_BORDER));
    EXPECT_EQ(old & WS_BORDER, 0);
    EXPECT_EQ(log().compare(hwnd, HWND(),
                            {{WM_STYLECHANGING, W, static_cast<WPARAM>(GWL_STYLE)},
                             {WM_STYLECHANGED, W, static_cast<WPARAM>(GWL_STYLE)}}),
              "");
    SetWindowLongW(hwnd, GWL_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_USERDATA), 1234);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongW(hwnd, 64), 0);  // no extra bytes
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);

    EXPECT_TRUE(SetPropW(hwnd, u"Key", HANDLE(7u)));
    EXPECT_EQ(GetPropW(hwnd, u"KEY"), HANDLE(7u));
    EXPECT_EQ(RemovePropW(hwnd, u"key"), HANDLE(7u));
    EXPECT_FALSE(GetPropW(hwnd, u"Key"));
    DestroyWindow(hwnd);
}

TEST_F(WindowLifecycleTest, DisabledWindowsTakeNoSystemCommands) {
    HWND hwnd = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    struct Case {
        UINT command;
        bool maximisedBefore;
    };
    const std::vector<Case> cases = {
        {SC_MINIMIZE, false},
        {SC_MAXIMIZE, false},
        {SC_RESTORE, true},
        {SC_CLOSE, false},
    };
    const std::vector<Expected> onlyTheCommand = {{WM_SYSCOMMAND}};
    for (const Case& c : cases) {
        ShowWindow(hwnd, c.maximisedBefore ? SW_MAXIMIZE : SW_RESTORE);
        EnableWindow(hwnd, FALSE);
        RECT before, after;
        GetWindowRect(hwnd, &before);
        log().clear();
        SendMessageW(hwnd, WM_SYSCOMMAND, c.command, 0);
        EXPECT_EQ(log().compare(hwnd, HWND(), onlyTheCommand), "") << c.command;
        ASSERT_TRUE(IsWindow(hwnd)) << c.command;
        EXPECT_FALSE(IsIconic(hwnd)) << c.command;
        EXPECT_EQ(IsZoomed(hwnd), c.maximisedBefore ? TRUE : FALSE) << c.command;
        GetWindowRect(hwnd, &after);
        EXPECT_EQ(after, before) << c.command;
        EnableWindow(hwnd, TRUE);
    }
    // Enabled, the same commands act.
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(hwnd));
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowLifecycleTest, NullProceduresAndUnsetLayeredAttributes) {
    HWND hwnd = MessageLog::create(WS_POPUP, 0, 0, 10, 10, HWND(), WS_EX_LAYERED);
    // No procedure: the current one is returned and kept.
    const LONG_PTR proc = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    EXPECT_EQ(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, 0), proc);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), proc);
    log().clear();
    SendMessageW(hwnd, WM_USER, 0, 0);
    EXPECT_TRUE(log().contains(hwnd, WM_USER));
    // Layered attributes read back only once set, and again only after being set anew.
    COLORREF key = 1;
    BYTE alpha = 2;
    DWORD flags = 3;
    SetLastError(0);
    EXPECT_FALSE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(key, 1u);
    EXPECT_TRUE(SetLayeredWindowAttributes(hwnd, RGB(1, 2, 3), 128, LWA_ALPHA | LWA_COLORKEY));
    EXPECT_TRUE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(1, 2, 3));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, LWA_ALPHA | LWA_COLORKEY);
    SetWindowLongW(hwnd, GWL_EXSTYLE, 0);
    SetWindowLongW(hwnd, GWL_EXSTYLE, WS_EX_LAYERED);
    EXPECT_FALSE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    DestroyWindow(hwnd);
}

// What moving into the maximised state sends, painting and activation left aside.
const std::vector<UINT> kPaintAndActivation = {
    WM_NCPAINT,  WM_ERASEBKGND, WM_PAINT,     WM_GETTEXT,   WM_ACTIVATEAPP, WM_NCACTIVATE,
    WM_ACTIVATE, WM_SETFOCUS,   WM_KILLFOCUS, WM_SETCURSOR, WM_NCHITTEST,   WM_MOUSEMOVE};

TEST_F(WindowLifecycleTest, MaximisingAsksForTheSizesFirstAndSizesOnce) {
    struct Case {
        const char* what;
        DWORD style;
        int cmd;
    };
    const std::vector<Case> cases = {
        {"visible, maximised", WS_OVERLAPPEDWINDOW | WS_VISIBLE, SW_MAXIMIZE},
        {"hidden, shown maximised", WS_OVERLAPPEDWINDOW, SW_SHOWMAXIMIZED},
        {"hidden popup, shown maximised", WS_POPUP | WS_THICKFRAME, SW_SHOWMAXIMIZED},
    };
    const std::vector<Expected> seq = {
        {WM_GETMINMAXINFO},
        {WM_WINDOWPOSCHANGING},
        {WM_GETMINMAXINFO, O},
        {WM_NCCALCSIZE, W, TRUE},
        {WM_WINDOWPOSCHANGING, O},
        {WM_WINDOWPOSCHANGED},
        {WM_MOVE, O},
        {WM_SIZE, W, SIZE_MAXIMIZED},
    };
    for (const Case& c : cases) {
        HWND hwnd = MessageLog::create(c.style, 100, 100, 300, 200);
        log().clear();
        ShowWindow(hwnd, c.cmd);
        EXPECT_EQ(log().compare(hwnd, HWND(), seq, kPaintAndActivation), "") << c.what;
        EXPECT_TRUE(IsZoomed(hwnd)) << c.what;
        EXPECT_TRUE(IsWindowVisible(hwnd)) << c.what;
        // Restoring is one change of state too, back to where the window was.
        log().clear();
        ShowWindow(hwnd, SW_RESTORE);
        EXPECT_FALSE(IsZoomed(hwnd)) << c.what;
        EXPECT_EQ(log().count(hwnd, WM_SIZE), 1) << c.what;
        EXPECT_FALSE(log().contains(hwnd, WM_SHOWWINDOW)) << c.what;
        RECT rc;
        GetWindowRect(hwnd, &rc);
        EXPECT_EQ(rc, (RECT{100, 100, 400, 300})) << c.what;
        DestroyWindow(hwnd);
    }
}

TEST_F(WindowLifecycleTest, MaximisedWindowsCoverTheScreenTheWorkAreaOrTheParent) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ASSERT_NE(work, screen);  // otherwise the cases below cannot tell them apart
    HWND parent = MessageLog::create(WS_POPUP | WS_VISIBLE, 10, 20, 400, 300);
    struct Case {
        const char* what;
        DWORD style;
        bool child;
        RECT client;  // the client area afterwards, in screen coordinates
    };
    const std::vector<Case> cases = {
        {"popup without caption", WS_POPUP | WS_BORDER | WS_VISIBLE, false, screen},
        {"popup with a sizing frame", WS_POPUP | WS_THICKFRAME | WS_VISIBLE, false, screen},
        {"popup with caption", WS_POPUP | WS_CAPTION | WS_VISIBLE, false, work},
        {"overlapped", WS_OVERLAPPED | WS_THICKFRAME | WS_VISIBLE, false, work},
        {"child", WS_CHILD | WS_BORDER | WS_VISIBLE, true, {10, 20, 410, 320}},
    };
    for (const Case& c : cases) {
        HWND hwnd = MessageLog::create(c.style, 5, 5, 50, 50, c.child ? parent : HWND());
        ShowWindow(hwnd, SW_MAXIMIZE);
        RECT client;
        GetClientRect(hwnd, &client);
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        EXPECT_EQ(origin.x, c.client.left) << c.what;
        EXPECT_EQ(client.right, c.client.right - c.client.left) << c.what;
        EXPECT_EQ(origin.y + client.bottom, c.client.bottom) << c.what;
        // Below a caption the client area starts lower; otherwise at the top.
        if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION) != static_cast<LONG>(WS_CAPTION)) {
            EXPECT_EQ(origin.y, c.client.top) << c.what;
        }
        DestroyWindow(hwnd);
    }
    DestroyWindow(parent);
}

TEST_F(WindowLifecycleTest, WindowsCreatedMaximisedAreMaximised) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HWND hidden = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, 100, 100, 300, 200);
    EXPECT_TRUE(IsZoomed(hidden));
    EXPECT_FALSE(IsWindowVisible(hidden));
    RECT client;
    GetClientRect(hidden, &client);
    EXPECT_EQ(client.right, work.right - work.left);
    // Shown, it stays maximised and hears of being shown.
    log().clear();
    ShowWindow(hidden, SW_SHOW);
    EXPECT_TRUE(IsZoomed(hidden));
    EXPECT_TRUE(log().contains(hidden, WM_SHOWWINDOW));
    DestroyWindow(hidden);

    HWND parent = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 150);
    HWND first = MessageLog::create(WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent);
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE | WS_MAXIMIZE, 5, 5, 20, 20, parent);
    EXPECT_TRUE(IsZoomed(child));
    EXPECT_EQ(GetWindow(parent, GW_CHILD), child);  // raised above its older sibling
    EXPECT_EQ(GetWindow(child, GW_HWNDNEXT), first);
    GetClientRect(child, &client);
    EXPECT_EQ(client, (RECT{0, 0, 200, 150}));
    DestroyWindow(parent);
}

TEST_F(WindowLifecycleTest, ShowingWhatIsShownSendsNothing) {
    // Showing a shown window, or maximising or minimising one shown in that state, sends
    // nothing and activates nothing. (SW_SHOWNA is different: see WindowPosTest.)
    HWND other = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
    struct Case {
        const char* what;
        DWORD style;
        int cmd;
    };
    const std::vector<Case> cases = {
        {"SW_SHOW", 0, SW_SHOW},
        {"SW_MAXIMIZE", WS_MAXIMIZE, SW_MAXIMIZE},
        {"SW_SHOWMAXIMIZED", WS_MAXIMIZE, SW_SHOWMAXIMIZED},
        {"SW_MINIMIZE", WS_MINIMIZE, SW_MINIMIZE},
        {"SW_SHOWMINIMIZED", WS_MINIMIZE, SW_SHOWMINIMIZED},
        {"SW_SHOWMINNOACTIVE", WS_MINIMIZE, SW_SHOWMINNOACTIVE},
    };
    for (const Case& c : cases) {
        HWND hwnd =
            MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE | c.style, 50, 50, 200, 200);
        SetActiveWindow(other);
        const RECT before = [&] {
            RECT rc;
            GetWindowRect(hwnd, &rc);
            return rc;
        }();
        platform->PumpMessages();
        log().clear();
        EXPECT_TRUE(ShowWindow(hwnd, c.cmd)) << c.what;
        EXPECT_EQ(log().compare(hwnd, HWND(), {}), "") << c.what;
        EXPECT_EQ(GetActiveWindow(), other) << c.what;
        EXPECT_TRUE(GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) << c.what;
        RECT after;
        GetWindowRect(hwnd, &after);
        EXPECT_EQ(after, before) << c.what;
        DestroyWindow(hwnd);
    }
    DestroyWindow(other);
}

TEST_F(WindowLifecycleTest, MinimisedWindowsGiveUpTheFocusAndTakeItBackWhenRestored) {
    HWND hwnd = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
    ASSERT_EQ(GetFocus(), hwnd);
    ShowWindow(hwnd, SW_SHOWMINIMIZED);
    EXPECT_EQ(GetActiveWindow(), hwnd);  // still active, but without the focus
    EXPECT_EQ(GetFocus(), HWND());
    log().clear();
    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_EQ(GetFocus(), hwnd);
    const std::vector<Expected> back = {
        {WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}, {WM_SETFOCUS}, {WM_ACTIVATE, W, WA_ACTIVE}};
    EXPECT_EQ(
        log().compare(hwnd, HWND(), back,
                      {WM_NCCALCSIZE, WM_MOVE, WM_SIZE, WM_NCPAINT, WM_ERASEBKGND, WM_GETTEXT,
                       WM_GETMINMAXINFO, WM_NCACTIVATE, WM_SETCURSOR, WM_NCHITTEST, WM_MOUSEMOVE}),
        "");
    // A minimised child hands the focus to its parent.
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, hwnd);
    SetFocus(child);
    ShowWindow(child, SW_MINIMIZE);
    EXPECT_EQ(GetFocus(), hwnd);
    DestroyWindow(hwnd);
}

TEST_F(WindowLifecycleTest, HidingBySetWindowPosKeepsActivationAndFocus) {
    HWND owner = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
    struct Case {
        const char* what;
        UINT extra;
    };
    for (const Case& c : {Case{"activating", 0u}, Case{"not activating", SWP_NOACTIVATE}}) {
        HWND popup = MessageLog::create(WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, owner);
        HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, popup);
        SetActiveWindow(popup);
        SetFocus(child);
        log().clear();
        SetWindowPos(popup, HWND(), 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | c.extra);
        EXPECT_FALSE(IsWindowVisible(popup)) << c.what;
        EXPECT_EQ(GetActiveWindow(), popup) << c.what;
        EXPECT_EQ(GetFocus(), child) << c.what;
        EXPECT_FALSE(log().contains(popup, WM_ACTIVATE)) << c.what;
        EXPECT_FALSE(log().contains(child, WM_KILLFOCUS)) << c.what;
        // ShowWindow hides the way that gives both up.
        SetWindowPos(popup, HWND(), 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(popup, SW_HIDE);
        EXPECT_EQ(GetActiveWindow(), owner) << c.what;
        EXPECT_EQ(GetFocus(), owner) << c.what;
        DestroyWindow(popup);
    }
    DestroyWindow(owner);
}

TEST_F(WindowLifecycleTest, RaisingAnOwnerKeepsItsOwnedWindowsAboveIt) {
    HWND owner = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
    HWND first = MessageLog::create(WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, owner);
    HWND second = MessageLog::create(WS_POPUP | WS_VISIBLE, 20, 20, 50, 50, owner);
    HWND other = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 200, 200);
    // The four windows front to back.
    auto order = [&] {
        std::vector<HWND> out;
        for (HWND h = GetTopWindow(HWND()); h; h = GetWindow(h, GW_HWNDNEXT))
            if (h == owner || h == first || h == second || h == other) out.push_back(h);
        return out;
    };
    ASSERT_EQ(order(), (std::vector<HWND>{other, second, first, owner}));
    struct Case {
        const char* what;
        UINT flags;
        std::vector<HWND> expected;
    };
    const std::vector<Case> cases = {
        {"owned windows come along", 0, {second, first, owner, other}},
        {"SWP_NOOWNERZORDER leaves them", SWP_NOOWNERZORDER, {owner, other, second, first}},
    };
    for (const Case& c : cases) {
        SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ASSERT_EQ(GetTopWindow(HWND()), other);
        log().clear();
        SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | c.flags);
        EXPECT_EQ(order(), c.expected) << c.what;
        // Owned windows that move hear it afterwards only.
        EXPECT_FALSE(log().contains(first, WM_WINDOWPOSCHANGING)) << c.what;
        EXPECT_EQ(log().contains(first, WM_WINDOWPOSCHANGED), c.flags == 0) << c.what;
    }
    DestroyWindow(other);
    DestroyWindow(owner);
}

TEST_F(WindowLifecycleTest, WindowEdgeAndSiblingClippingFollowTheOtherStyles) {
    HWND parent = MessageLog::create(WS_POPUP, 0, 0, 100, 100);
    struct Case {
        DWORD style, exStyle;
        bool child;
        bool edge, clipSiblings;
    };
    const std::vector<Case> cases = {
        {WS_OVERLAPPED, 0, false, true, true},  // gets a caption, so a raised frame
        {WS_POPUP, 0, false, false, true},
        {WS_POPUP, WS_EX_WINDOWEDGE, false, false, true},  // taken away without a frame
        {WS_POPUP | WS_DLGFRAME, 0, false, true, true},
        {WS_POPUP | WS_THICKFRAME, 0, false, true, true},
        {WS_POPUP | WS_THICKFRAME, WS_EX_STATICEDGE, false, false, true},
        {WS_POPUP, WS_EX_DLGMODALFRAME, false, true, true},
        {WS_CHILD, 0, true, false, false},
        {WS_CHILD | WS_THICKFRAME, 0, true, true, false},
    };
    for (const Case& c : cases) {
        HWND hwnd = MessageLog::create(c.style, 0, 0, 50, 50, c.child ? parent : HWND(), c.exStyle);
        const DWORD ex = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
        const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
        EXPECT_EQ((ex & WS_EX_WINDOWEDGE) != 0, c.edge) << std::hex << c.style << " " << c.exStyle;
        EXPECT_EQ((style & WS_CLIPSIBLINGS) != 0, c.clipSiblings) << std::hex << c.style;
        DestroyWindow(hwnd);
    }
    // Setting the styles later follows the same rule; the top-most bit is left alone.
    HWND hwnd = MessageLog::create(WS_POPUP, 0, 0, 50, 50);
    SetWindowLongW(hwnd, GWL_EXSTYLE, WS_EX_WINDOWEDGE | WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_EXSTYLE) & (WS_EX_WINDOWEDGE | WS_EX_TOPMOST), 0);
    SetWindowLongW(hwnd, GWL_STYLE, WS_POPUP | WS_THICKFRAME);
    EXPECT_NE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_WINDOWEDGE, 0);
    SetWindowLongW(hwnd, GWL_STYLE, WS_POPUP);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_WINDOWEDGE, 0);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongW(hwnd, GWL_EXSTYLE, 0);
    EXPECT_NE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    DestroyWindow(hwnd);
    DestroyWindow(parent);
}

TEST_F(WindowLifecycleTest, ParentOwnerAndRootQueriesFollowTheStyles) {
    const HWND desktop = GetDesktopWindow();
    HWND main = MessageLog::create(WS_OVERLAPPEDWINDOW, 0, 0, 200, 200);
    HWND child = MessageLog::create(WS_CHILD, 0, 0, 50, 50, main);
    HWND ofDesktop = MessageLog::create(WS_CHILD, 0, 0, 50, 50, desktop);
    HWND grandchild = MessageLog::create(WS_CHILD, 0, 0, 10, 10, child);
    HWND ownedPopup = MessageLog::create(WS_POPUP, 0, 0, 50, 50, main);
    HWND ownedOverlapped = MessageLog::create(WS_OVERLAPPED, 0, 0, 50, 50, main);
    HWND secondOwned = MessageLog::create(WS_POPUP, 0, 0, 50, 50, ownedPopup);
    HWND childPopup = MessageLog::create(WS_CHILD | WS_POPUP, 0, 0, 50, 50, child);
    ASSERT_TRUE(ofDesktop);
    ASSERT_TRUE(childPopup);
    struct Case {
        const char* what;
        HWND hwnd;
        HWND gaParent, gwlParent, getParent, gwOwner, gaRoot, gaRootOwner;
    };
    const std::vector<Case> cases = {
        {"child", child, main, main, main, HWND(), main, main},
        {"child of the desktop", ofDesktop, desktop, HWND(), desktop, HWND(), ofDesktop, desktop},
        {"child of a child", grandchild, child, child, child, HWND(), main, main},
        {"owned popup", ownedPopup, desktop, main, main, main, ownedPopup, main},
        {"owned overlapped", ownedOverlapped, desktop, main, HWND(), main, ownedOverlapped,
         ownedOverlapped},
        {"popup owned by a popup", secondOwned, desktop, ownedPopup, ownedPopup, ownedPopup,
         secondOwned, main},
        {"unowned", main, desktop, HWND(), HWND(), HWND(), main, main},
        // Both bits: a top-level window owned by the given window's top-level window.
        {"child popup", childPopup, desktop, main, main, main, childPopup, main},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetAncestor(c.hwnd, GA_PARENT), c.gaParent) << c.what;
        EXPECT_EQ(HWND(static_cast<std::uint32_t>(GetWindowLongPtrW(c.hwnd, GWLP_HWNDPARENT))),
                  c.gwlParent)
            << c.what;
        EXPECT_EQ(GetParent(c.hwnd), c.getParent) << c.what;
        EXPECT_EQ(GetWindow(c.hwnd, GW_OWNER), c.gwOwner) << c.what;
        EXPECT_EQ(GetAncestor(c.hwnd, GA_ROOT), c.gaRoot) << c.what;
        EXPECT_EQ(GetAncestor(c.hwnd, GA_ROOTOWNER), c.gaRootOwner) << c.what;
    }
    DestroyWindow(ofDesktop);
    DestroyWindow(main);
}

TEST_F(WindowLifecycleTest, ChildAndPopupStylesTogetherMakeAnOwnedTopLevelWindow) {
    HWND main = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 200);
    log().clear();
    HWND both = CreateWindowExW(0, u"OrvaneTestWindow", u"", WS_CHILD | WS_POPUP, 10, 20, 50, 40,
                                main, HMENU(7), HINSTANCE(), nullptr);
    ASSERT_TRUE(both);
    EXPECT_FALSE(log().contains(main, WM_PARENTNOTIFY));
    EXPECT_EQ(GetWindowLongW(both, GWL_STYLE) & (WS_CHILD | WS_POPUP),
              static_cast<LONG>(WS_CHILD | WS_POPUP));
    EXPECT_FALSE(IsChild(main, both));
    EXPECT_EQ(GetWindowLongPtrW(both, GWLP_ID), 0);  // the menu handle is no identifier
    // Its rectangle is on the screen, not in the owner's client area.
    RECT rc;
    GetWindowRect(both, &rc);
    EXPECT_EQ(rc, (RECT{10, 20, 60, 60}));
    // Shown, it comes in front of its owner and takes the activation.
    ShowWindow(both, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), both);
    EXPECT_EQ(GetTopWindow(HWND()), both);
    DestroyWindow(main);
    EXPECT_FALSE(IsWindow(both));  // owned windows go with their owner
    // Without a parent the popup bit is enough; the child bit alone is not.
    HWND unowned = CreateWindowExW(0, u"OrvaneTestWindow", u"", WS_CHILD | WS_POPUP, 0, 0, 10, 10,
                                   HWND(), HMENU(), HINSTANCE(), nullptr);
    EXPECT_TRUE(unowned);
    EXPECT_FALSE(GetParent(unowned));
    DestroyWindow(unowned);
    SetLastError(0);
    EXPECT_FALSE(CreateWindowExW(0, u"OrvaneTestWindow", u"", WS_CHILD, 0, 0, 10, 10, HWND(),
                                 HMENU(), HINSTANCE(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
}

TEST_F(WindowLifecycleTest, EnumChildWindowsReachesDescendantsAndSaysWhetherItFinished) {
    HWND top = MessageLog::create(WS_POPUP, 0, 0, 100, 100);
    HWND child = MessageLog::create(WS_CHILD, 0, 0, 10, 10, top);
    HWND grandchild = MessageLog::create(WS_CHILD, 0, 0, 5, 5, child);
    struct Seen {
        std::vector<HWND> windows;
        HWND stopAt;
    };
    const WNDENUMPROC collect = [](HWND h, LPARAM l) -> BOOL {
        auto* seen = reinterpret_cast<Seen*>(l);
        seen->windows.push_back(h);
        return h != seen->stopAt;
    };
    auto has = [](const Seen& s, HWND h) {
        return std::find(s.windows.begin(), s.windows.end(), h) != s.windows.end();
    };
    struct Case {
        const char* what;
        HWND parent, stopAt;
        BOOL result;
        std::vector<HWND> reached, notReached;
    };
    const std::vector<Case> cases = {
        {"the desktop's children and theirs", HWND(), HWND(), TRUE, {top, child, grandchild}, {}},
        {"the desktop by its handle", GetDesktopWindow(), HWND(), TRUE, {top, grandchild}, {}},
        {"a window's descendants", top, HWND(), TRUE, {child, grandchild}, {top}},
        {"stopped by the callback", top, child, FALSE, {child}, {grandchild}},
    };
    for (const Case& c : cases) {
        Seen seen{{}, c.stopAt};
        EXPECT_EQ(EnumChildWindows(c.parent, collect, reinterpret_cast<LPARAM>(&seen)), c.result)
            << c.what;
        for (HWND h : c.reached)
            EXPECT_TRUE(has(seen, h)) << c.what;
        for (HWND h : c.notReached)
            EXPECT_FALSE(has(seen, h)) << c.what;
    }
    // EnumWindows stays with the top-level windows.
    Seen seen{{}, HWND()};
    EXPECT_TRUE(EnumWindows(collect, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_TRUE(has(seen, top));
    EXPECT_FALSE(has(seen, child));
    DestroyWindow(top);
}

TEST_F(WindowLifecycleTest, SettingTheParentLongMovesAChildAndReownsATopLevelWindow) {
    HWND first = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND second = MessageLog::create(WS_POPUP | WS_VISIBLE, 100, 0, 100, 100);
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, first);
    HWND popup = MessageLog::create(WS_POPUP, 0, 0, 10, 10, first);
    struct Case {
        const char* what;
        HWND hwnd, to, old, parent, owner;
    };
    const std::vector<Case> cases = {
        {"a child changes parent", child, second, first, second, HWND()},
        {"a popup changes owner", popup, second, first, GetDesktopWindow(), second},
        {"and loses it", popup, HWND(), second, GetDesktopWindow(), HWND()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HWND(static_cast<std::uint32_t>(
                      SetWindowLongPtrW(c.hwnd, GWLP_HWNDPARENT, c.to.value))),
                  c.old)
            << c.what;
        EXPECT_EQ(GetAncestor(c.hwnd, GA_PARENT), c.parent) << c.what;
        EXPECT_EQ(GetWindow(c.hwnd, GW_OWNER), c.owner) << c.what;
    }
    EXPECT_TRUE(IsChild(second, child));
    EXPECT_FALSE(IsChild(first, child));
    DestroyWindow(popup);
    DestroyWindow(first);
    DestroyWindow(second);
}

TEST_F(WindowLifecycleTest, FindWindowExSeesMessageOnlyWindowsOnlyUnderHwndMessage) {
    HWND top = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    SetWindowTextW(top, u"shared");
    HWND messageOnly = MessageLog::create(0, 0, 0, 10, 10, HWND_MESSAGE);
    SetWindowTextW(messageOnly, u"shared");
    struct Case {
        HWND parent;
        const char16_t* name;
        HWND found;
    };
    const std::vector<Case> cases = {
        {HWND(), u"shared", top},
        {HWND_MESSAGE, u"shared", messageOnly},
        {HWND_MESSAGE, u"other", HWND()},
        {GetDesktopWindow(), u"shared", top},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindWindowExW(c.parent, HWND(), u"OrvaneTestWindow", c.name), c.found);
    EXPECT_EQ(FindWindowExW(HWND_MESSAGE, messageOnly, u"OrvaneTestWindow", u"shared"), HWND());
    EXPECT_EQ(GetAncestor(messageOnly, GA_ROOT), messageOnly);
    DestroyWindow(messageOnly);
    DestroyWindow(top);
}

TEST_F(WindowLifecycleTest, HiddenPopupsTakeNoActivationFromTheirOwner) {
    HWND owner = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
    HWND popup = MessageLog::create(WS_POPUP, 10, 10, 50, 50, owner);
    ASSERT_EQ(GetActiveWindow(), owner);
    log().clear();
    SetWindowPos(popup, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    BringWindowToTop(popup);
    EXPECT_FALSE(ShowWindow(popup, SW_HIDE));
    MoveWindow(popup, 20, 20, 60, 60, TRUE);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
    EXPECT_FALSE(log().contains(owner, WM_ACTIVATE));
    EXPECT_FALSE(log().contains(popup, WM_ACTIVATE));
    DestroyWindow(owner);
}

TEST_F(WindowLifecycleTest, MessageBoxesAreRecordedAndAnswered) {
    HWND owner = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    // Without a handler a box takes its default button.
    EXPECT_EQ(MessageBoxW(owner, u"Save changes?", u"Editor", MB_YESNOCANCEL | MB_DEFBUTTON2),
              IDNO);
    EXPECT_EQ(MessageBoxW(HWND(), u"Done", nullptr, MB_OK), IDOK);
    SetMessageBoxHandler([](HWND, const std::u16string& text, const std::u16string&, UINT) {
        return text == u"Retry?" ? IDRETRY : IDCANCEL;
    });
    EXPECT_EQ(MessageBoxW(owner, u"Retry?", u"Disk", MB_RETRYCANCEL), IDRETRY);
    const auto& boxes = MessageBoxRecords();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].text, u"Save changes?");
    EXPECT_EQ(boxes[1].caption, u"Error");  // the caption Windows uses when none is given
    EXPECT_EQ(boxes[2].answer, IDRETRY);
    EXPECT_EQ(MessageBoxW(owner, u"x", u"y", 0x0F), 0);  // no such button set
    DestroyWindow(owner);
    EXPECT_EQ(MessageBoxW(owner, u"gone", u"y", MB_OK), 0);  // an owner that is gone
}

}  // namespace
}  // namespace orvane::test
