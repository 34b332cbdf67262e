// WH_GETMESSAGE hooks: the newest sees a message first and passes it on, a hook may change the
// message (WM_NULL keeps it from its window), only messages handed out reach the hooks, and
// unsupported kinds and stale handles fail.
#include <string>

#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

std::string& trail() {
    static std::string t;
    return t;
}
HHOOK first, second;

LRESULT firstHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* m = reinterpret_cast<MSG*>(lParam);
    if (m->message == WM_USER) trail() += wParam == PM_REMOVE ? "1" : "1?";
    return CallNextHookEx(first, code, wParam, lParam);
}

LRESULT secondHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* m = reinterpret_cast<MSG*>(lParam);
    if (m->message == WM_USER) {
        trail() += "2";
        if (m->wParam == 7 && wParam == PM_REMOVE) m->message = WM_NULL;  // kept from the window
    }
    return CallNextHookEx(second, code, wParam, lParam);
}

}  // namespace

TEST_F(PlatformTest, GetMessageHooksSeeAndMayChangeWhatIsHandedOut) {
    const HWND hwnd = MessageLog::create(WS_OVERLAPPEDWINDOW, 10, 10, 200, 100);
    trail().clear();
    first = SetWindowsHookExW(WH_GETMESSAGE, firstHook, HINSTANCE(), GetCurrentThreadId());
    second = SetWindowsHookExW(WH_GETMESSAGE, secondHook, HINSTANCE(), GetCurrentThreadId());
    ASSERT_TRUE(first && second);
    PostMessageW(hwnd, WM_USER, 7, 0);
    PostMessageW(hwnd, WM_USER, 8, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, HWND(), WM_USER, WM_USER, PM_NOREMOVE));
    EXPECT_EQ(trail(), "21?");  // the newest first, told the message stays queued
    log().clear();
    platform->PumpMessages();
    // The first message turned into WM_NULL goes on as that: the older hook sees no WM_USER.
    EXPECT_EQ(trail(), "21?221");
    EXPECT_EQ(log().count(hwnd, WM_USER), 1);
    // Sent messages are not handed out: no hook sees them.
    SendMessageW(hwnd, WM_USER, 0, 0);
    EXPECT_EQ(trail(), "21?221");

    EXPECT_TRUE(UnhookWindowsHookEx(second));
    EXPECT_FALSE(UnhookWindowsHookEx(second));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HOOK_HANDLE);
    PostMessageW(hwnd, WM_USER, 7, 0);
    platform->PumpMessages();
    EXPECT_EQ(trail(), "21?2211");
    EXPECT_TRUE(UnhookWindowsHookEx(first));

    EXPECT_FALSE(SetWindowsHookExW(5, firstHook, HINSTANCE(), GetCurrentThreadId()));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HOOK_FILTER);
    EXPECT_FALSE(SetWindowsHookExW(WH_GETMESSAGE, firstHook, HINSTANCE(), 0));  // every thread
    EXPECT_FALSE(SetWindowsHookExW(WH_GETMESSAGE, nullptr, HINSTANCE(), GetCurrentThreadId()));
    DestroyWindow(hwnd);
}

}  // namespace orvane::test
