// The order in which messages arrive: sent at once, posted next, WM_PAINT and WM_TIMER only
// when nothing else waits; timers under the virtual clock; filters, quitting and bad calls.
#include "platform/base/Clock.h"
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

class MessageQueueTest : public PlatformTest {
protected:
    // The non-input messages a window received, in order.
    std::vector<UINT> received(HWND hwnd, std::initializer_list<UINT> interesting) {
        std::vector<UINT> out;
        for (UINT m : log().messagesOf(hwnd))
            if (std::find(interesting.begin(), interesting.end(), m) != interesting.end())
                out.push_back(m);
        return out;
    }
};

LRESULT sendsFromPosted(HWND h, UINT m, WPARAM w, LPARAM l) {
    MessageLog::instance().add(h, m, w, l);
    if (m == WM_USER + 1) SendMessageW(h, WM_USER + 3, 0, 0);
    if (m == WM_PAINT) PostMessageW(h, WM_USER + 9, 0, 0);
    return DefWindowProcW(h, m, w, l);
}

TEST_F(MessageQueueTest, SentBeforePostedAndPaintAndTimerLast) {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = sendsFromPosted;
    wc.lpszClassName = u"Orderly";
    wc.hbrBackground = HBRUSH(static_cast<std::uint32_t>(COLOR_WINDOW + 1));
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, u"Orderly", u"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, HWND(),
                                HMENU(), HINSTANCE(), nullptr);
    platform->PumpMessages();
    log().clear();
    SetTimer(hwnd, 1, 10, nullptr);
    Clock::current().advance(20);  // the timer is due but nobody has looked yet
    InvalidateRect(hwnd, nullptr, TRUE);
    PostMessageW(hwnd, WM_USER + 1, 0, 0);
    PostMessageW(hwnd, WM_USER + 2, 0, 0);
    platform->PumpMessages();
    const std::vector<UINT> expected = {WM_USER + 1, WM_USER + 3, WM_USER + 2,
                                        WM_PAINT,    WM_USER + 9, WM_TIMER};
    EXPECT_EQ(
        received(hwnd, {WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_USER + 9, WM_PAINT, WM_TIMER}),
        expected);
    // WM_PAINT came once: BeginPaint in the default procedure validated the window.
    EXPECT_EQ(log().count(hwnd, WM_PAINT), 1);
    DestroyWindow(hwnd);
}

TEST_F(MessageQueueTest, TimersFireInDueOrder) {
    HWND hwnd = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    SetTimer(hwnd, 30, 30, nullptr);
    SetTimer(hwnd, 10, 10, nullptr);
    SetTimer(hwnd, 20, 20, nullptr);
    log().clear();
    platform->AdvanceTime(35);
    std::vector<WPARAM> ids;
    for (const Logged& l : log().entries())
        if (l.msg == WM_TIMER) ids.push_back(l.wParam);
    // At 20 both the 10 ms and 20 ms timers are due; at 30 the 30 ms and 10 ms ones: ties go
    // to the timer set first.
    EXPECT_EQ(ids, (std::vector<WPARAM>{10, 10, 20, 30, 10}));
    KillTimer(hwnd, 10);
    KillTimer(hwnd, 20);
    KillTimer(hwnd, 30);
    EXPECT_FALSE(KillTimer(hwnd, 30));
    log().clear();
    platform->AdvanceTime(100);
    EXPECT_FALSE(log().contains(hwnd, WM_TIMER));
    DestroyWindow(hwnd);
}

TEST_F(MessageQueueTest, SettingATimerAgainRestartsIt) {
    HWND hwnd = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    EXPECT_EQ(SetTimer(hwnd, 5, 50, nullptr), 5u);
    platform->AdvanceTime(40);
    EXPECT_EQ(SetTimer(hwnd, 5, 50, nullptr), 5u);
    platform->AdvanceTime(40);
    EXPECT_EQ(log().count(hwnd, WM_TIMER), 0);  // it would have fired at 50
    platform->AdvanceTime(10);
    EXPECT_EQ(log().count(hwnd, WM_TIMER), 1);
    // Periods below the minimum are raised to it.
    SetTimer(hwnd, 6, 1, nullptr);
    log().clear();
    platform->AdvanceTime(9);
    EXPECT_EQ(log().count(hwnd, WM_TIMER), 0);
    platform->AdvanceTime(1);
    EXPECT_EQ(log().count(hwnd, WM_TIMER), 1);
    // Timers die with their window.
    DestroyWindow(hwnd);
    platform->AdvanceTime(200);
}

std::vector<std::pair<UINT_PTR, DWORD>> g_callbacks;

void timerCallback(HWND, UINT msg, UINT_PTR id, DWORD time) {
    EXPECT_EQ(msg, static_cast<UINT>(WM_TIMER));
    g_callbacks.emplace_back(id, time);
}

TEST_F(MessageQueueTest, CallbackTimersWithAndWithoutWindow) {
    g_callbacks.clear();
    const DWORD start = GetTickCount();
    const UINT_PTR threadTimer = SetTimer(HWND(), 0, 25, timerCallback);
    EXPECT_NE(threadTimer, 0u);
    EXPECT_NE(SetTimer(HWND(), 0, 25, timerCallback),
              threadTimer);  // id 0 always makes a new timer
    HWND hwnd = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    SetTimer(hwnd, 3, 40, timerCallback);
    platform->AdvanceTime(50);
    // The window's procedure does not see callback timers.
    EXPECT_FALSE(log().contains(hwnd, WM_TIMER));
    ASSERT_GE(g_callbacks.size(), 5u);
    EXPECT_EQ(g_callbacks[0].first, threadTimer);
    EXPECT_EQ(g_callbacks[0].second, start + 25);
    KillTimer(HWND(), threadTimer);
    KillTimer(HWND(), threadTimer + 1);
    DestroyWindow(hwnd);
}

TEST_F(MessageQueueTest, PeekFiltersAndNoRemove) {
    HWND a = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    HWND b = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    PostMessageW(a, WM_USER + 1, 1, 0);
    PostMessageW(b, WM_USER + 2, 2, 0);
    PostMessageW(HWND(), WM_USER + 3, 3, 0);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_TRUE(PeekMessageW(&msg, HWND(0xFFFFFFFFu), 0, 0, PM_REMOVE));  // thread messages only
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
    EXPECT_FALSE(PeekMessageW(&msg, HWND(), WM_USER + 10, WM_USER + 20, PM_REMOVE));
    EXPECT_TRUE(PeekMessageW(&msg, HWND(), WM_USER + 2, WM_USER + 2, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, b);
    EXPECT_TRUE(PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a);
    EXPECT_FALSE(PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE));
    SetLastError(0);
    EXPECT_FALSE(PeekMessageW(&msg, HWND(12345u), 0, 0, PM_REMOVE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    DestroyWindow(a);
    DestroyWindow(b);
}

TEST_F(MessageQueueTest, GetMessageRunsOnVirtualTimeUntilQuit) {
    HWND hwnd = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    SetTimer(hwnd, 1, 100, nullptr);
    const DWORD start = GetTickCount();
    MSG msg;
    int timers = 0;
    BOOL r;
    while ((r = GetMessageW(&msg, HWND(), 0, 0)) > 0) {
        DispatchMessageW(&msg);
        if (msg.message == WM_TIMER && ++timers == 3) PostQuitMessage(7);
    }
    EXPECT_EQ(r, FALSE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(GetTickCount() - start, 300u);  // GetMessage waited for each timer
    KillTimer(hwnd, 1);
    // Nothing can ever arrive: GetMessage fails instead of hanging.
    EXPECT_EQ(GetMessageW(&msg, HWND(), 0, 0), -1);
    DestroyWindow(hwnd);
}

LRESULT neverPaints(HWND h, UINT m, WPARAM w, LPARAM l) {
    MessageLog::instance().add(h, m, w, l);
    if (m == WM_PAINT) return 0;  // forgets BeginPaint
    return DefWindowProcW(h, m, w, l);
}

TEST_F(MessageQueueTest, WindowThatIgnoresPaintDoesNotLoop) {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = neverPaints;
    wc.lpszClassName = u"Lazy";
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, u"Lazy", u"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, HWND(),
                                HMENU(), HINSTANCE(), nullptr);
    platform->PumpMessages();
    EXPECT_EQ(log().count(hwnd, WM_PAINT), 1);
    DestroyWindow(hwnd);
}

TEST_F(MessageQueueTest, RegisteredMessagesAndClasses) {
    const UINT a = RegisterWindowMessageW(u"OrvaneNotify");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageW(u"orvanenotify"), a);
    EXPECT_NE(RegisterWindowMessageW(u"Other"), a);
    EXPECT_EQ(RegisterWindowMessageW(u""), 0u);
    WNDCLASSEXW wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"Twice";
    EXPECT_TRUE(RegisterClassExW(&wc));
    SetLastError(0);
    EXPECT_FALSE(RegisterClassExW(&wc));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    HWND hwnd = CreateWindowExW(0, u"Twice", u"", WS_POPUP, 0, 0, 1, 1, HWND(), HMENU(),
                                HINSTANCE(), nullptr);
    EXPECT_FALSE(UnregisterClassW(u"Twice", HINSTANCE()));  // it still has a window
    char16_t name[16];
    EXPECT_EQ(GetClassNameW(hwnd, name, 16), 5);
    DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClassW(u"Twice", HINSTANCE()));
    wc.cbWndExtra = -1;
    EXPECT_FALSE(RegisterClassExW(&wc));
}

}  // namespace
}  // namespace orvane::test
