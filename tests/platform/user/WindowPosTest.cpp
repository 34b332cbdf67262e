// Positioning details: client rectangles as WM_NCCALCSIZE gives them, what children of hidden
// parents hear, how activation nests inside the positioning that causes it, which commands
// make a child hear WM_CHILDACTIVATE, and what SW_SHOWNA does to the z-order.
#include <functional>

#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

using E = Expected;
constexpr unsigned O = E::Optional;
constexpr unsigned P = E::Parent;
constexpr unsigned W = E::WParam;

class WindowPosTest : public PlatformTest {};

// Grows the proposed client rectangle by 10 on each side when the window is at x = 100 and
// shrinks it by 10 elsewhere, as a procedure with its own frame might.
LRESULT inflatingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_NCCALCSIZE) {
        RECT* rc = reinterpret_cast<RECT*>(l);
        if (rc->left == 100)
            InflateRect(rc, 10, 10);
        else
            InflateRect(rc, -10, -10);
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

TEST_F(WindowPosTest, ClientRectangleIsKeptAsCalcSizeGivesIt) {
    HWND hwnd = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(inflatingProc));
    struct Case {
        POINT at;
        RECT client;  // in screen coordinates
    };
    const std::vector<Case> cases = {
        {{100, 100}, {90, 90, 110, 110}},    // larger than the (empty) window
        {{200, 200}, {210, 210, 190, 190}},  // inverted
    };
    for (const Case& c : cases) {
        SetWindowPos(hwnd, HWND(), c.at.x, c.at.y, 0, 0, SWP_NOZORDER | SWP_FRAMECHANGED);
        RECT rc;
        GetWindowRect(hwnd, &rc);
        EXPECT_EQ(rc, (RECT{c.at.x, c.at.y, c.at.x, c.at.y}));
        GetClientRect(hwnd, &rc);
        EXPECT_EQ(rc, (RECT{0, 0, c.client.right - c.client.left, c.client.bottom - c.client.top}));
        MapWindowPoints(hwnd, HWND(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc, c.client);
        POINT pt{c.client.left, c.client.top};
        ScreenToClient(hwnd, &pt);
        EXPECT_EQ(pt.x, 0);
        EXPECT_EQ(pt.y, 0);
    }
    // A window with an inverted client area still paints its frame and takes a DC.
    SetWindowPos(hwnd, HWND(), 200, 200, 40, 40, SWP_NOZORDER);
    RECT rc;
    GetClientRect(hwnd, &rc);
    EXPECT_EQ(rc, (RECT{0, 0, 20, 20}));
    SetWindowPos(hwnd, HWND(), 100, 100, 0, 0, SWP_NOZORDER | SWP_NOMOVE);
    SetWindowPos(hwnd, HWND(), 150, 150, 0, 0, SWP_NOZORDER | SWP_FRAMECHANGED);
    GetClientRect(hwnd, &rc);
    EXPECT_EQ(rc, (RECT{0, 0, -20, -20}));
    HDC hdc = GetDC(hwnd);
    RECT box;
    EXPECT_EQ(GetClipBox(hdc, &box), NULLREGION);
    ReleaseDC(hwnd, hdc);
    RedrawWindow(hwnd, nullptr, HRGN(), RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    DestroyWindow(hwnd);
}

// Answers the creation-time WM_NCCALCSIZE with an inverted rectangle.
LRESULT invertingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_NCCALCSIZE && !w) {
        RECT* rc = reinterpret_cast<RECT*>(l);
        *rc = RECT{rc->left + 30, rc->top + 30, rc->left + 10, rc->top + 20};
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

TEST_F(WindowPosTest, CreationKeepsAnInvertedClientRectangle) {
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = invertingProc;
    wc.lpszClassName = u"Inverting";
    ASSERT_TRUE(RegisterClassExW(&wc));
    HWND hwnd = CreateWindowExW(0, u"Inverting", u"", WS_POPUP | WS_VISIBLE, 5, 5, 60, 60, HWND(),
                                HMENU(), HINSTANCE(), nullptr);
    ASSERT_TRUE(hwnd);
    RECT rc;
    GetClientRect(hwnd, &rc);
    EXPECT_EQ(rc, (RECT{0, 0, -20, -10}));
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    EXPECT_EQ(origin.x, 35);
    EXPECT_EQ(origin.y, 35);
    platform->PumpMessages();
    DestroyWindow(hwnd);
}

// The flags of the last WM_WINDOWPOSCHANGED a window of the recording class received.
UINT lastChangedFlags;
LRESULT changedFlagsProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_WINDOWPOSCHANGED) lastChangedFlags = reinterpret_cast<WINDOWPOS*>(l)->flags;
    MessageLog::instance().add(h, m, w, l);
    return DefWindowProcW(h, m, w, l);
}

TEST_F(WindowPosTest, ChildrenOfHiddenParentsHearOnlyWhatWindowsSends) {
    HWND parent = MessageLog::create(WS_POPUP, 0, 0, 200, 200);
    HWND child = MessageLog::create(WS_CHILD, 10, 10, 50, 50, parent);
    SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(changedFlagsProc));
    const std::vector<UINT> ignore = {WM_GETTEXT, WM_GETMINMAXINFO};
    struct Case {
        const char* what;
        bool visibleStyle;  // afterwards
        std::function<void()> act;
        std::vector<Expected> seq;
    };
    auto show = [&](int cmd) { return [&, cmd] { ShowWindow(child, cmd); }; };
    auto position = [&](UINT flags) {
        return [&, flags] {
            SetWindowPos(child, HWND(), 0, 0, 0, 0,
                         flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        };
    };
    const std::vector<Expected> positioned = {{WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}};
    const std::vector<Case> cases = {
        // ShowWindow only flips the style.
        {"SW_SHOW", true, show(SW_SHOW), {{WM_SHOWWINDOW, W, TRUE}}},
        {"SW_HIDE", false, show(SW_HIDE), {{WM_SHOWWINDOW, W, FALSE}}},
        {"SW_SHOWNOACTIVATE", true, show(SW_SHOWNOACTIVATE), {{WM_SHOWWINDOW, W, TRUE}}},
        // Positioning is heard as usual, without drawing.
        {"MoveWindow",
         true,
         [&] { MoveWindow(child, 20, 20, 60, 60, TRUE); },
         {{WM_WINDOWPOSCHANGING},
          {WM_NCCALCSIZE, W, TRUE},
          {WM_WINDOWPOSCHANGED},
          {WM_MOVE},
          {WM_SIZE}}},
        {"SWP_HIDEWINDOW", false, position(SWP_HIDEWINDOW), positioned},
        {"SWP_SHOWWINDOW", true, position(SWP_SHOWWINDOW), positioned},
    };
    for (const Case& c : cases) {
        log().clear();
        lastChangedFlags = 0;
        c.act();
        platform->PumpMessages();
        EXPECT_EQ(log().compare(child, parent, c.seq, ignore), "") << c.what;
        EXPECT_EQ((GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0, c.visibleStyle) << c.what;
        EXPECT_FALSE(IsWindowVisible(child)) << c.what;
        if (log().contains(child, WM_WINDOWPOSCHANGED)) {
            EXPECT_TRUE(lastChangedFlags & SWP_NOREDRAW) << c.what;
        }
        // Nothing was drawn, in the child or in its parent.
        for (HWND h : {parent, child})
            for (UINT m : {WM_PAINT, WM_NCPAINT, WM_ERASEBKGND})
                EXPECT_FALSE(log().contains(h, m)) << c.what << " " << messageName(m);
    }
    // Shown with its parent, the child is painted.
    log().clear();
    ShowWindow(parent, SW_SHOWNA);
    platform->PumpMessages();
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(log().contains(child, WM_PAINT));
    // Destroyed in a hidden parent, a visible child hears no positioning.
    ShowWindow(parent, SW_HIDE);
    log().clear();
    DestroyWindow(child);
    const std::vector<Expected> destroySeq = {
        {WM_PARENTNOTIFY, P | W, WM_DESTROY},
        {WM_SHOWWINDOW, W, FALSE},
        {WM_DESTROY},
        {WM_NCDESTROY},
    };
    EXPECT_EQ(log().compare(child, parent, destroySeq, ignore), "");
    DestroyWindow(parent);
}

TEST_F(WindowPosTest, ActivationNestsInsideThePositioningThatCausesIt) {
    // `a` is behind the active `b`; the "parent" role is `b`, which loses the activation.
    struct Case {
        const char* what;
        bool hiddenFirst;
        std::function<void(HWND)> act;
        std::vector<Expected> seq;
    };
    const std::vector<Case> cases = {
        {"SetWindowPos(HWND_TOP)",
         false,
         [](HWND a) { SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); },
         {
             {WM_WINDOWPOSCHANGING},
             {WM_NCACTIVATE, P | W, FALSE},
             {WM_ACTIVATE, P | W, WA_INACTIVE},
             {WM_WINDOWPOSCHANGING},  // nested, and already on top: no WM_WINDOWPOSCHANGED
             {WM_NCACTIVATE, W, TRUE},
             {WM_ACTIVATE, W, WA_ACTIVE},
             {WM_KILLFOCUS, P},
             {WM_SETFOCUS},
             {WM_WINDOWPOSCHANGED},
         }},
        {"ShowWindow(SW_SHOW)",
         true,
         [](HWND a) { ShowWindow(a, SW_SHOW); },
         {
             {WM_SHOWWINDOW, W, TRUE},
             {WM_WINDOWPOSCHANGING},
             {WM_NCACTIVATE, P | W, FALSE},
             {WM_ACTIVATE, P | W, WA_INACTIVE},
             {WM_WINDOWPOSCHANGING},
             {WM_NCACTIVATE, W, TRUE},
             {WM_ACTIVATE, W, WA_ACTIVE},
             {WM_KILLFOCUS, P},
             {WM_SETFOCUS},
             {WM_WINDOWPOSCHANGED},
             {WM_MOVE},  // shown for the first time, an overlapped window hears where it is
             {WM_SIZE},
         }},
        {"SetActiveWindow",
         false,
         [](HWND a) { SetActiveWindow(a); },
         {
             {WM_NCACTIVATE, P | W, FALSE},
             {WM_ACTIVATE, P | W, WA_INACTIVE},
             {WM_WINDOWPOSCHANGING},  // it moves to the top now
             {WM_WINDOWPOSCHANGED},
             {WM_NCACTIVATE, W, TRUE},
             {WM_ACTIVATE, W, WA_ACTIVE},
             {WM_KILLFOCUS, P},
             {WM_SETFOCUS},
         }},
    };
    const std::vector<UINT> ignore = {WM_GETTEXT, WM_NCPAINT, WM_ERASEBKGND, WM_PAINT,
                                      WM_GETMINMAXINFO};
    for (const Case& c : cases) {
        HWND a = MessageLog::create(WS_OVERLAPPEDWINDOW | (c.hiddenFirst ? 0 : WS_VISIBLE), 0, 0,
                                    200, 200);
        HWND b = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 200);
        ASSERT_EQ(GetActiveWindow(), b) << c.what;
        log().clear();
        c.act(a);
        EXPECT_EQ(log().compare(a, b, c.seq, ignore), "") << c.what;
        EXPECT_EQ(GetActiveWindow(), a) << c.what;
        EXPECT_EQ(GetTopWindow(HWND()), a) << c.what;
        DestroyWindow(b);
        DestroyWindow(a);
    }
}

TEST_F(WindowPosTest, PositioningThatChangesNothingSendsNoChanged) {
    HWND parent = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, parent);
    struct Case {
        const char* what;
        HWND hwnd;
        std::function<void()> act;
        std::vector<Expected> seq;
    };
    const std::vector<Case> cases = {
        {"the same place and size",
         parent,
         [&] { SetWindowPos(parent, HWND(), 0, 0, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE); },
         {{WM_WINDOWPOSCHANGING}}},
        {"showing a shown child",
         child,
         [&] { SetWindowPos(child, HWND(), 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE); },
         {{WM_WINDOWPOSCHANGING}, {WM_CHILDACTIVATE}}},
        {"a new place",
         child,
         [&] { SetWindowPos(child, HWND(), 12, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER); },
         {{WM_WINDOWPOSCHANGING}, {WM_CHILDACTIVATE}, {WM_WINDOWPOSCHANGED}, {WM_MOVE}}},
        {"the frame changed",
         child,
         [&] {
             SetWindowPos(
                 child, HWND(), 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
         },
         {{WM_WINDOWPOSCHANGING}, {WM_NCCALCSIZE, W, TRUE}, {WM_WINDOWPOSCHANGED}}},
    };
    for (const Case& c : cases) {
        platform->PumpMessages();
        log().clear();
        c.act();
        EXPECT_EQ(log().compare(c.hwnd, HWND(), c.seq, {WM_GETTEXT}), "") << c.what;
    }
    DestroyWindow(parent);
}

TEST_F(WindowPosTest, ChildrenHearWmChildActivateWhenShownToActivate) {
    // A child positioned to activate hears WM_CHILDACTIVATE between WM_NCCALCSIZE and
    // WM_WINDOWPOSCHANGED and comes in front of its siblings; one positioned without
    // activating hears neither.
    struct Case {
        const char* what;
        DWORD style;
        bool parentHidden;
        bool inFront;  // afterwards, of the sibling created before it
        std::function<void(HWND)> act;
        std::vector<Expected> seq;
    };
    const std::vector<Expected> maximised = {
        {WM_GETMINMAXINFO},           {WM_WINDOWPOSCHANGING}, {WM_NCCALCSIZE, W, TRUE},
        {WM_CHILDACTIVATE},           {WM_WINDOWPOSCHANGED},  {WM_MOVE},
        {WM_SIZE, W, SIZE_MAXIMIZED},
    };
    const std::vector<Expected> minimised = {{WM_WINDOWPOSCHANGING},
                                             {WM_NCCALCSIZE, W, TRUE},
                                             {WM_CHILDACTIVATE},
                                             {WM_WINDOWPOSCHANGED},
                                             {WM_MOVE},
                                             {WM_SIZE, W, SIZE_MINIMIZED}};
    std::vector<Expected> minimisedQuietly = minimised;
    minimisedQuietly.erase(minimisedQuietly.begin() + 2);  // no WM_CHILDACTIVATE
    const std::vector<Expected> activated = {
        {WM_WINDOWPOSCHANGING}, {WM_CHILDACTIVATE}, {WM_WINDOWPOSCHANGED}};
    const std::vector<Expected> positioned = {{WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}};
    const std::vector<Expected> shown = {
        {WM_SHOWWINDOW, W, TRUE}, {WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}};
    auto show = [](int cmd) { return [cmd](HWND h) { ShowWindow(h, cmd); }; };
    auto position = [](UINT flags) {
        return [flags](HWND h) {
            SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | flags);
        };
    };
    constexpr DWORD C = WS_CHILD, V = WS_VISIBLE;
    const std::vector<Case> cases = {
        {"SW_MAXIMIZE, hidden", C, false, true, show(SW_MAXIMIZE), maximised},
        {"SW_SHOWMAXIMIZED, shown", C | V, false, true, show(SW_SHOWMAXIMIZED), maximised},
        {"SW_MAXIMIZE, in a hidden parent", C, true, true, show(SW_MAXIMIZE), maximised},
        {"SW_MAXIMIZE, maximised already", C | V | WS_MAXIMIZE, false, true, show(SW_MAXIMIZE), {}},
        {"SW_SHOWMINIMIZED", C, false, true, show(SW_SHOWMINIMIZED), minimised},
        {"SW_SHOWMINNOACTIVE", C, false, false, show(SW_SHOWMINNOACTIVE), minimisedQuietly},
        {"SW_SHOW", C, false, false, show(SW_SHOW), shown},
        {"SW_SHOWNOACTIVATE", C, false, false, show(SW_SHOWNOACTIVATE), shown},
        {"SWP_SHOWWINDOW", C, false, true, position(0), activated},
        {"SWP_SHOWWINDOW | SWP_NOACTIVATE", C, false, true, position(SWP_NOACTIVATE), positioned},
        // Moved, hidden, without a change of z-order: activated all the same.
        {"moved",
         C,
         false,
         false,
         [](HWND h) { SetWindowPos(h, HWND(), 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER); },
         {{WM_WINDOWPOSCHANGING}, {WM_CHILDACTIVATE}, {WM_WINDOWPOSCHANGED}, {WM_MOVE}}},
    };
    const std::vector<UINT> ignore = {WM_GETTEXT, WM_NCPAINT, WM_ERASEBKGND, WM_PAINT};
    for (const Case& c : cases) {
        HWND parent =
            MessageLog::create(WS_POPUP | (c.parentHidden ? 0 : WS_VISIBLE), 0, 0, 200, 200);
        HWND sibling = MessageLog::create(WS_CHILD | WS_VISIBLE, 100, 100, 20, 20, parent);
        HWND child = MessageLog::create(c.style, 10, 10, 50, 50, parent);
        platform->PumpMessages();
        log().clear();
        c.act(child);
        platform->PumpMessages();
        EXPECT_EQ(log().compare(child, HWND(), c.seq, ignore), "") << c.what;
        EXPECT_EQ(GetWindow(sibling, GW_HWNDPREV) == child, c.inFront) << c.what;
        EXPECT_EQ(GetActiveWindow(), c.parentHidden ? HWND() : parent) << c.what;
        DestroyWindow(parent);
    }

    // Created maximised and shown, a child is shown without activating, as on Windows.
    HWND parent = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    log().clear();
    HWND child = MessageLog::create(WS_CHILD | WS_VISIBLE | WS_MAXIMIZE, 10, 10, 50, 50, parent);
    EXPECT_TRUE(IsZoomed(child));
    EXPECT_TRUE(log().contains(child, WM_SHOWWINDOW));
    EXPECT_FALSE(log().contains(child, WM_CHILDACTIVATE));
    DestroyWindow(parent);
}

TEST_F(WindowPosTest, ShowNaShowsAndRaisesWithoutActivating) {
    // SW_SHOWNA tells the window it is shown, even when it is shown already, and positions it
    // with SWP_SHOWWINDOW | SWP_NOACTIVATE: a top-level window comes to the top, a child keeps
    // its place (SWP_NOZORDER).
    struct Case {
        const char* what;
        bool child, shown, onTopAlready, parentHidden;
        std::vector<Expected> seq;
    };
    const std::vector<Expected> raised = {
        {WM_SHOWWINDOW, W, TRUE}, {WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}};
    const std::vector<Expected> unmoved = {{WM_SHOWWINDOW, W, TRUE}, {WM_WINDOWPOSCHANGING}};
    const std::vector<Case> cases = {
        {"hidden, behind the active window", false, false, false, false, raised},
        {"shown, behind the active window", false, true, false, false, raised},
        {"shown, on top already", false, true, true, false, unmoved},
        {"hidden child", true, false, false, false, raised},
        {"shown child", true, true, false, false, unmoved},
        {"child of a hidden parent", true, false, false, true, {{WM_SHOWWINDOW, W, TRUE}}},
    };
    const std::vector<UINT> ignore = {WM_GETTEXT, WM_NCPAINT, WM_ERASEBKGND, WM_PAINT};
    for (const Case& c : cases) {
        const DWORD shown = c.shown ? WS_VISIBLE : 0;
        HWND active = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
        HWND parent = HWND(), sibling = HWND(), hwnd;
        if (c.child) {
            parent =
                MessageLog::create(WS_POPUP | (c.parentHidden ? 0 : WS_VISIBLE), 0, 0, 200, 200);
            sibling = MessageLog::create(WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent);
            hwnd = MessageLog::create(WS_CHILD | shown, 10, 10, 50, 50, parent);
        } else {
            hwnd = MessageLog::create(WS_POPUP | shown, 50, 50, 100, 100);
        }
        SetActiveWindow(active);
        SetWindowPos(c.onTopAlready ? hwnd : active, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        const HWND focus = GetFocus();
        platform->PumpMessages();
        log().clear();
        EXPECT_EQ(ShowWindow(hwnd, SW_SHOWNA), c.shown ? TRUE : FALSE) << c.what;
        platform->PumpMessages();
        EXPECT_EQ(log().compare(hwnd, HWND(), c.seq, ignore), "") << c.what;
        const std::vector<UINT> flags = log().positionFlags(hwnd, WM_WINDOWPOSCHANGING);
        if (!flags.empty()) {
            EXPECT_EQ(flags.front() & (SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE),
                      static_cast<UINT>(SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE))
                << c.what;
            EXPECT_EQ((flags.front() & SWP_NOZORDER) != 0, c.child) << c.what;
            EXPECT_EQ((flags.front() & SWP_SHOWWINDOW) != 0, !c.shown) << c.what;
        }
        EXPECT_TRUE(GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) << c.what;
        EXPECT_EQ(GetActiveWindow(), active) << c.what;
        EXPECT_EQ(GetFocus(), focus) << c.what;
        if (c.child)
            EXPECT_EQ(GetWindow(parent, GW_CHILD), sibling) << c.what;
        else
            EXPECT_EQ(GetTopWindow(HWND()), hwnd) << c.what;
        if (parent) DestroyWindow(parent);
        if (!c.child) DestroyWindow(hwnd);
        DestroyWindow(active);
    }
}

}  // namespace
}  // namespace orvane::test
