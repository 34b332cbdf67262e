// Message routing: the message tables, the before and after phases around the previous
// procedure, routes that change or leave while a message passes, error reports, and the
// published cSubClass.
#include <memory>
#include <string>
#include <vector>

#include "framework/MessageTable.h"
#include "framework/Subclasser.h"
#include "framework/cSubClass.h"
#include "host/Error.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

constexpr UINT kAsk = WM_APP + 1;    // the window answers wParam + 100
constexpr UINT kOther = WM_APP + 2;  // a message no table holds

// What the window's own procedure saw, in order.
std::vector<std::pair<UINT, WPARAM>>& seen() {
    static std::vector<std::pair<UINT, WPARAM>> s;
    return s;
}

LRESULT answeringProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kAsk || msg == kOther) {
        seen().emplace_back(msg, wParam);
        return static_cast<LRESULT>(wParam + 100);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::u16string textOf(const Error& e) {
    return e.description();
}

TEST(MessageTableTest, OverflowLeavesTheTableAsItWas) {
    MessageTable t;
    for (int m = 1; m <= MSG_ENTRIES; ++m)
        t.add(0x400 + m);
    t.add(0x401);  // already there: no second cell
    EXPECT_EQ(t.count(), MSG_ENTRIES);
    try {
        t.add(0x500);
        FAIL() << "the 33rd message was taken";
    } catch (const Error& e) {
        EXPECT_EQ(textOf(e),
                  u"Message table overflow. Either increase the value of Const MSG_ENTRIES or "
                  u"use ALL_MESSAGES instead of specific message values");
    }
    EXPECT_EQ(t.count(), MSG_ENTRIES);
    EXPECT_FALSE(t.contains(0x500));
    EXPECT_TRUE(t.contains(0x420));
}

TEST(MessageTableTest, FreedCellsAreReusedAndAllMessagesTurnsIntoOne) {
    MessageTable t;
    t.add(0x10);
    t.add(0x20);
    t.add(0x30);
    t.remove(0x20);
    EXPECT_FALSE(t.contains(0x20));
    EXPECT_FALSE(t.contains(0)) << "a free cell is not message 0";
    t.add(0x40);
    EXPECT_EQ(t.count(), 3) << "the freed cell was reused";
    EXPECT_EQ(t.cell(2), 0x40);
    try {
        t.remove(0x1234);
        FAIL() << "a missing message was removed";
    } catch (const Error& e) {
        EXPECT_EQ(textOf(e), u"Message &H1234 not found in table");
    }
    t.add(ALL_MESSAGES);
    EXPECT_TRUE(t.contains(0x9999));
    t.add(0x55);
    EXPECT_EQ(t.count(), 1);
    EXPECT_TRUE(t.contains(0x55));
    EXPECT_FALSE(t.contains(0x9999));
    t.remove(ALL_MESSAGES);
    EXPECT_EQ(t.count(), 0);
    EXPECT_FALSE(t.contains(0x55));
}

class SubclasserTest : public test::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = answeringProc;
        wc.lpszClassName = u"RoutedTestWindow";
        RegisterClassExW(&wc);
        window = CreateWindowExW(0, u"RoutedTestWindow", u"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                 HWND(), HMENU(), HINSTANCE(), nullptr);
        ASSERT_TRUE(window);
        seen().clear();
        ClearMessageBoxRecords();
        ClearEventLogRecords();
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        PlatformTest::TearDown();
    }
    HWND window;
};

TEST_F(SubclasserTest, HandledBeforeSkipsThePreviousProcedureButNotTheAfterPhase) {
    std::vector<std::string> calls;
    Subclasser s(u"ucTest", [&](SubclassMessage& m) {
        calls.push_back(m.before ? "before" : "after");
        if (m.before && m.wParam == 1) {
            m.handled = true;
            m.result = 7;
        }
        if (m.before && m.wParam == 2) m.wParam = 5;  // the previous procedure sees 5
        if (!m.before) m.result *= 10;
    });
    ASSERT_TRUE(s.ssc_Subclass(window));
    ASSERT_TRUE(s.zAddMsg(window, kAsk, MsgWhen::MSG_BEFORE_AFTER));
    EXPECT_EQ(SendMessageW(window, kAsk, 1, 0), 70);
    EXPECT_TRUE(seen().empty()) << "a handled message reached the window";
    EXPECT_EQ(SendMessageW(window, kAsk, 2, 0), 1050);
    ASSERT_EQ(seen().size(), 1u);
    EXPECT_EQ(seen()[0].second, 5u);
    EXPECT_EQ(calls, (std::vector<std::string>{"before", "after", "before", "after"}));
    // A message in neither table passes straight through.
    calls.clear();
    EXPECT_EQ(SendMessageW(window, kOther, 3, 0), 103);
    EXPECT_TRUE(calls.empty());
    // Only the after-table: the callback sees the previous procedure's result.
    ASSERT_TRUE(s.zDelMsg(window, kAsk, MsgWhen::MSG_BEFORE));
    EXPECT_EQ(SendMessageW(window, kAsk, 4, 0), 1040);
    EXPECT_EQ(calls, (std::vector<std::string>{"after"}));
}

TEST_F(SubclasserTest, TwoRoutesOnOneWindowRunNewestFirst) {
    std::vector<std::string> calls;
    Subclasser first(u"ucA", [&](SubclassMessage& m) {
        calls.push_back(std::string("A") + (m.before ? "<" : ">"));
    });
    Subclasser second(u"ucB", [&](SubclassMessage& m) {
        calls.push_back(std::string("B") + (m.before ? "<" : ">"));
        if (!m.before) m.result += 1;
    });
    ASSERT_TRUE(first.ssc_Subclass(window));
    ASSERT_TRUE(second.ssc_Subclass(window));
    first.zAddMsg(window, ALL_MESSAGES, MsgWhen::MSG_BEFORE_AFTER);
    second.zAddMsg(window, kAsk, MsgWhen::MSG_BEFORE_AFTER);
    EXPECT_EQ(SendMessageW(window, kAsk, 0, 0), 101);
    EXPECT_EQ(calls, (std::vector<std::string>{"B<", "A<", "A>", "B>"}));
}

TEST_F(SubclasserTest, CallbacksMayReenterLeaveOrDestroy) {
    // A callback that sends the message again to the same window.
    int depth = 0;
    std::unique_ptr<Subclasser> s;
    s = std::make_unique<Subclasser>(u"ucTest", [&](SubclassMessage& m) {
        if (!m.before || m.uMsg != kAsk) return;
        if (m.wParam < 3) {
            ++depth;
            m.result = SendMessageW(m.hWnd, kAsk, m.wParam + 1, 0) + 1000;
            m.handled = true;
        }
        if (m.wParam == 10) s->ssc_UnSubclass(m.hWnd);  // leaves while the message passes
        if (m.wParam == 20) s.reset();                  // the control goes
        if (m.wParam == 30) DestroyWindow(m.hWnd);      // the window goes
    });
    ASSERT_TRUE(s->ssc_Subclass(window));
    ASSERT_TRUE(s->zAddMsg(window, kAsk, MsgWhen::MSG_BEFORE_AFTER));
    EXPECT_EQ(SendMessageW(window, kAsk, 0, 0), 3103);
    EXPECT_EQ(depth, 3);
    EXPECT_EQ(SendMessageW(window, kAsk, 10, 0), 110) << "the previous procedure still runs";
    EXPECT_FALSE(s->isSubclassed(window));
    EXPECT_EQ(SendMessageW(window, kAsk, 1, 0), 101) << "the route is gone";
    ASSERT_TRUE(s->ssc_Subclass(window));
    ASSERT_TRUE(s->zAddMsg(window, kAsk, MsgWhen::MSG_BEFORE_AFTER));
    EXPECT_EQ(SendMessageW(window, kAsk, 20, 0), 120);
    EXPECT_FALSE(s);
    EXPECT_EQ(SendMessageW(window, kAsk, 1, 0), 101);
    Subclasser again(u"ucTest", [](SubclassMessage& m) {
        if (m.before && m.wParam == 30) DestroyWindow(m.hWnd);
    });
    ASSERT_TRUE(again.ssc_Subclass(window));
    ASSERT_TRUE(again.zAddMsg(window, kAsk, MsgWhen::MSG_BEFORE_AFTER));
    SendMessageW(window, kAsk, 30, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(again.isSubclassed(window)) << "the route went with the window";
}

TEST_F(SubclasserTest, FailuresAreLoggedAndShown) {
    Subclasser s(u"ucTest", [](SubclassMessage&) {});
    EXPECT_FALSE(s.ssc_Subclass(HWND(12345)));
    ASSERT_EQ(MessageBoxRecords().size(), 1u);
    EXPECT_EQ(MessageBoxRecords()[0].text, u"Invalid window handle.");
    EXPECT_EQ(MessageBoxRecords()[0].caption, u"Error in ucTest.ssc_Subclass");
    EXPECT_EQ(MessageBoxRecords()[0].type & 0xF0u, static_cast<UINT>(MB_ICONEXCLAMATION));
    ASSERT_EQ(EventLogRecords().size(), 1u);
    EXPECT_EQ(EventLogRecords()[0].type, EVENTLOG_ERROR_TYPE);
    EXPECT_EQ(EventLogRecords()[0].strings.at(0), u"ucTest.ssc_Subclass: Invalid window handle");
    ASSERT_TRUE(s.ssc_Subclass(window));
    for (int m = 0; m < MSG_ENTRIES; ++m)
        ASSERT_TRUE(s.zAddMsg(window, 0x400 + m, MsgWhen::MSG_AFTER));
    // The before-table has room, the after-table not: neither changes.
    EXPECT_FALSE(s.zAddMsg(window, 0x600, MsgWhen::MSG_BEFORE_AFTER));
    EXPECT_EQ(s.table(window, MsgWhen::MSG_BEFORE)->count(), 0);
    EXPECT_EQ(MessageBoxRecords().back().caption, u"Error in ucTest.zAddMsg");
    EXPECT_FALSE(s.zDelMsg(window, 0x700, MsgWhen::MSG_AFTER));
    EXPECT_EQ(MessageBoxRecords().back().text, u"Message &H700 not found in table.");
}

TEST_F(SubclasserTest, PublishedClassRaisesEveryMessageAndLetsGoOnDestroy) {
    auto sub = std::make_shared<cSubClass>();
    std::vector<std::int32_t> messages;
    sub->connect(cSubClass::WindowProcEvent, [&](std::vector<Variant>& a) {
        messages.push_back(CLng(a[1]));
        if (CLng(a[1]) == static_cast<std::int32_t>(kAsk)) {
            // Own processing first, then a changed answer.
            a[0] = Variant(CLng(sub->CallWindowProc(CLng(a[1]), CLng(a[2]), CLng(a[3]))) + 1);
        } else {
            a[0] = sub->CallWindowProc(CLng(a[1]), CLng(a[2]), CLng(a[3]));
        }
    });
    sub->Hook(window);
    EXPECT_EQ(sub->hWnd(), window);
    EXPECT_EQ(SendMessageW(window, kAsk, 5, 0), 106);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), static_cast<std::int32_t>(kAsk));
    DestroyWindow(window);
    EXPECT_EQ(messages.back(), 130) << "WM_NCDESTROY is the last message raised";
    EXPECT_FALSE(sub->hWnd()) << "unhooked on WM_NCDESTROY";
    EXPECT_TRUE(sub->CallWindowProc(kAsk, 1, 0).isEmpty());
    sub->Hook(HWND(4242));  // not a window: nothing to hook
    EXPECT_FALSE(sub->hWnd());
}

}  // namespace
