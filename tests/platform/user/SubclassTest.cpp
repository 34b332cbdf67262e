// Subclassing: SetWindowSubclass chains, procedures that remove entries while they run,
// window procedure replacement through GWL_WNDPROC / GWLP_WNDPROC and CallWindowProcW, and
// chains going away with their window.
#include <string>
#include <vector>

#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

constexpr UINT WM_PROBE = WM_USER + 1;
constexpr UINT WM_NESTED = WM_USER + 2;

using Trace = std::vector<std::string>;

// Who saw a message, in order.
Trace& trace() {
    static Trace t;
    return t;
}

void note(const std::string& who, UINT msg) {
    if (msg == WM_PROBE) trace().push_back(who);
    if (msg == WM_NESTED) trace().push_back(who + ":nested");
    if (msg == WM_NCDESTROY) trace().push_back(who + ":ncdestroy");
}

// The window's own procedure: answers probes with 1000 plus the wParam it was given.
LRESULT baseProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    note("base", msg);
    if (msg == WM_PROBE || msg == WM_NESTED) return 1000 + static_cast<LRESULT>(wParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Passes messages on and adds its id to a probe's answer, so the answer tells who ran.
LRESULT tagProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR ref) {
    note("sub" + std::to_string(id) + (ref ? ":" + std::to_string(ref) : ""), msg);
    const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
    return msg == WM_PROBE ? r + static_cast<LRESULT>(id) : r;
}

// Answers probes itself (id 0), or passes them on with wParam raised by 5 (id 1).
LRESULT stopOrBumpProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (msg != WM_PROBE) return DefSubclassProc(hwnd, msg, wParam, lParam);
    note(id ? "bump" : "stop", msg);
    return id ? DefSubclassProc(hwnd, msg, wParam + 5, lParam) : 7;
}

// Removes the tagProc entry whose id is its refData (0: itself), then passes the probe on.
LRESULT removerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR ref) {
    if (msg == WM_PROBE) {
        note("remover", msg);
        EXPECT_TRUE(ref ? RemoveWindowSubclass(hwnd, tagProc, ref)
                        : RemoveWindowSubclass(hwnd, removerProc, id));
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// On a probe, sends a nested message to the same window and removes itself inside it.
LRESULT nestedRemoverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                          DWORD_PTR) {
    note("outer", msg);
    if (msg == WM_PROBE) SendMessageW(hwnd, WM_NESTED, 0, 0);
    if (msg == WM_NESTED) RemoveWindowSubclass(hwnd, nestedRemoverProc, id);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// Owns heap data through refData and frees it at WM_NCDESTROY, removing itself first, as a
// subclass should.
LRESULT owningProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR ref) {
    if (msg == WM_NCDESTROY) {
        delete reinterpret_cast<std::string*>(ref);
        note("owner", msg);
        EXPECT_TRUE(RemoveWindowSubclass(hwnd, owningProc, id));
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// A procedure installed with SetWindowLongPtrW, chaining to whatever was there before.
WNDPROC g_previous = nullptr;
LRESULT replacementProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    note("replacement", msg);
    const LRESULT r = CallWindowProcW(g_previous, hwnd, msg, wParam, lParam);
    return msg == WM_PROBE ? r + 100 : r;
}

class SubclassTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        trace().clear();
        g_previous = nullptr;
        WNDCLASSEXW wc;
        wc.lpfnWndProc = baseProc;
        wc.lpszClassName = u"SubclassBase";
        ASSERT_TRUE(RegisterClassExW(&wc));
        hwnd = CreateWindowExW(0, u"SubclassBase", u"", WS_POPUP, 0, 0, 50, 50, HWND(), HMENU(),
                               HINSTANCE(), nullptr);
        ASSERT_TRUE(hwnd);
    }

    void TearDown() override {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
        PlatformTest::TearDown();
    }

    // Sends a probe: who saw it, in order, then "=" and the answer.
    Trace probe(WPARAM wParam = 0) {
        trace().clear();
        const LRESULT r = SendMessageW(hwnd, WM_PROBE, wParam, 0);
        trace().push_back("=" + std::to_string(r));
        return trace();
    }

    WNDPROC currentProc() const {
        return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    }

    HWND hwnd;
};

TEST_F(SubclassTest, NewestRunsFirstAndDefSubclassProcReachesTheWindowProcedure) {
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 1, 0));
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 2, 0));
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 3, 0));
    EXPECT_EQ(probe(), (Trace{"sub3", "sub2", "sub1", "base", "=1006"}));

    // Arguments changed on the way down arrive changed.
    ASSERT_TRUE(SetWindowSubclass(hwnd, stopOrBumpProc, 1, 0));
    EXPECT_EQ(probe(1), (Trace{"bump", "sub3", "sub2", "sub1", "base", "=1012"}));

    // An entry that answers by itself stops the message there.
    ASSERT_TRUE(SetWindowSubclass(hwnd, stopOrBumpProc, 0, 0));
    EXPECT_EQ(probe(), (Trace{"stop", "=7"}));

    // DefSubclassProc outside any subclass call goes to the procedure below the chain.
    trace().clear();
    EXPECT_EQ(DefSubclassProc(hwnd, WM_PROBE, 2, 0), 1002);
    EXPECT_EQ(trace(), Trace{"base"});
}

TEST_F(SubclassTest, SameProcedureAndIdOnlyChangesTheReferenceData) {
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 1, 10));
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 1, 20));
    DWORD_PTR ref = 0;
    ASSERT_TRUE(GetWindowSubclass(hwnd, tagProc, 1, &ref));
    EXPECT_EQ(ref, 20u);
    EXPECT_EQ(probe(), (Trace{"sub1:20", "base", "=1001"}));

    // Another id, or another procedure with the same id, is another entry.
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 2, 30));
    ASSERT_TRUE(SetWindowSubclass(hwnd, stopOrBumpProc, 1, 0));
    EXPECT_EQ(probe(), (Trace{"bump", "sub2:30", "sub1:20", "base", "=1008"}));
    ref = 99;
    EXPECT_FALSE(GetWindowSubclass(hwnd, tagProc, 3, &ref));
    EXPECT_EQ(ref, 0u);
    EXPECT_FALSE(GetWindowSubclass(hwnd, removerProc, 1, &ref));
}

TEST_F(SubclassTest, EntriesRemovedDuringACallAreSkipped) {
    // Removing itself: the message still goes on down; later ones skip the entry.
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 1, 0));
    ASSERT_TRUE(SetWindowSubclass(hwnd, removerProc, 5, 0));
    EXPECT_EQ(probe(), (Trace{"remover", "sub1", "base", "=1001"}));
    EXPECT_FALSE(GetWindowSubclass(hwnd, removerProc, 5, nullptr));
    EXPECT_EQ(probe(), (Trace{"sub1", "base", "=1001"}));

    // Removing an entry further down: it is skipped already for the message in progress.
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 2, 0));
    ASSERT_TRUE(SetWindowSubclass(hwnd, removerProc, 6, 1));
    EXPECT_EQ(probe(), (Trace{"remover", "sub2", "base", "=1002"}));
    EXPECT_FALSE(GetWindowSubclass(hwnd, tagProc, 1, nullptr));
    EXPECT_TRUE(GetWindowSubclass(hwnd, tagProc, 2, nullptr));
}

TEST_F(SubclassTest, RemovingTheLastEntryRestoresTheOriginalProcedure) {
    const LONG originalHandle = GetWindowLongW(hwnd, GWL_WNDPROC);
    ASSERT_EQ(currentProc(), baseProc);
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 1, 0));
    EXPECT_NE(currentProc(), baseProc);
    EXPECT_NE(GetWindowLongW(hwnd, GWL_WNDPROC), originalHandle);
    EXPECT_FALSE(RemoveWindowSubclass(hwnd, tagProc, 2));
    EXPECT_TRUE(RemoveWindowSubclass(hwnd, tagProc, 1));
    EXPECT_EQ(currentProc(), baseProc);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_WNDPROC), originalHandle);
    EXPECT_FALSE(RemoveWindowSubclass(hwnd, tagProc, 1));

    // The last entry removing itself during a call: restored once the call is over.
    ASSERT_TRUE(SetWindowSubclass(hwnd, removerProc, 1, 0));
    EXPECT_EQ(probe(), (Trace{"remover", "base", "=1000"}));
    EXPECT_EQ(currentProc(), baseProc);

    // ... and from inside a nested message to the same window.
    ASSERT_TRUE(SetWindowSubclass(hwnd, nestedRemoverProc, 1, 0));
    EXPECT_EQ(probe(), (Trace{"outer", "outer:nested", "base:nested", "base", "=1000"}));
    EXPECT_EQ(currentProc(), baseProc);
    EXPECT_EQ(probe(), (Trace{"base", "=1000"}));
}

TEST_F(SubclassTest, WindowProcedureHandlesRoundTripThroughTheLongCalls) {
    // GetWindowLongW cannot hold an address: it gives a handle that the other calls accept,
    // widened to a pointer with or without sign extension.
    const LONG handle = GetWindowLongW(hwnd, GWL_WNDPROC);
    ASSERT_NE(handle, 0);
    const auto signExtended = reinterpret_cast<WNDPROC>(static_cast<LONG_PTR>(handle));
    const auto zeroExtended = reinterpret_cast<WNDPROC>(static_cast<ULONG_PTR>(DWORD(handle)));
    EXPECT_NE(signExtended, baseProc);
    EXPECT_EQ(CallWindowProcW(signExtended, hwnd, WM_PROBE, 1, 0), 1001);
    EXPECT_EQ(CallWindowProcW(zeroExtended, hwnd, WM_PROBE, 2, 0), 1002);
    EXPECT_EQ(trace(), (Trace{"base", "base"}));

    // A window takes another's procedure by handle and gives it back.
    HWND other = CreateWindowExW(0, u"SubclassBase", u"", WS_POPUP, 0, 0, 50, 50, HWND(), HMENU(),
                                 HINSTANCE(), nullptr);
    g_previous = baseProc;
    SetWindowLongPtrW(other, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacementProc));
    const LONG replacement = GetWindowLongW(other, GWL_WNDPROC);
    EXPECT_EQ(SetWindowLongW(hwnd, GWL_WNDPROC, replacement), handle);
    EXPECT_EQ(probe(), (Trace{"replacement", "base", "=1100"}));
    EXPECT_EQ(SetWindowLongW(hwnd, GWL_WNDPROC, handle), replacement);
    EXPECT_EQ(currentProc(), baseProc);

    // SetWindowLongPtrW takes a handle too.
    EXPECT_EQ(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, static_cast<LONG_PTR>(replacement)),
              reinterpret_cast<LONG_PTR>(baseProc));
    EXPECT_EQ(currentProc(), replacementProc);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(zeroExtended));
    EXPECT_EQ(currentProc(), baseProc);

    // A value that is no procedure handle is refused.
    SetLastError(0);
    EXPECT_EQ(SetWindowLongW(hwnd, GWL_WNDPROC, 12345), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(currentProc(), baseProc);
    DestroyWindow(other);
}

TEST_F(SubclassTest, ReplacementProcedureChainsThroughASubclassChainBelowIt) {
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 1, 0));
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacementProc)));
    ASSERT_NE(g_previous, nullptr);
    EXPECT_EQ(probe(), (Trace{"replacement", "sub1", "base", "=1101"}));

    // Emptying the chain must not pull it from under the replacement, which still calls it.
    ASSERT_TRUE(RemoveWindowSubclass(hwnd, tagProc, 1));
    EXPECT_EQ(currentProc(), replacementProc);
    EXPECT_EQ(probe(), (Trace{"replacement", "base", "=1100"}));

    // New entries join the chain below the replacement.
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 2, 0));
    EXPECT_EQ(probe(), (Trace{"replacement", "sub2", "base", "=1102"}));

    // Taking the replacement out leaves the chain working; then the original comes back.
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
    EXPECT_EQ(probe(), (Trace{"sub2", "base", "=1002"}));
    ASSERT_TRUE(RemoveWindowSubclass(hwnd, tagProc, 2));
    EXPECT_EQ(currentProc(), baseProc);

    // The same with the previous procedure kept as a 32-bit handle.
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 3, 0));
    const LONG chain = GetWindowLongW(hwnd, GWL_WNDPROC);
    g_previous = reinterpret_cast<WNDPROC>(static_cast<LONG_PTR>(chain));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacementProc));
    EXPECT_EQ(probe(), (Trace{"replacement", "sub3", "base", "=1103"}));
    SetWindowLongW(hwnd, GWL_WNDPROC, chain);
    EXPECT_EQ(probe(), (Trace{"sub3", "base", "=1003"}));
    ASSERT_TRUE(RemoveWindowSubclass(hwnd, tagProc, 3));
    EXPECT_EQ(currentProc(), baseProc);
}

TEST_F(SubclassTest, ChainGoesAwayWithTheWindow) {
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 1, 0));
    ASSERT_TRUE(SetWindowSubclass(hwnd, owningProc, 2, DWORD_PTR(new std::string("data"))));
    ASSERT_TRUE(SetWindowSubclass(hwnd, tagProc, 3, 0));
    trace().clear();
    ASSERT_TRUE(DestroyWindow(hwnd));
    // WM_NCDESTROY goes down the whole chain, also past an entry that removed itself.
    EXPECT_EQ(trace(),
              (Trace{"sub3:ncdestroy", "owner:ncdestroy", "sub1:ncdestroy", "base:ncdestroy"}));
    EXPECT_FALSE(GetWindowSubclass(hwnd, tagProc, 1, nullptr));
    EXPECT_FALSE(SetWindowSubclass(hwnd, tagProc, 1, 0));
}

}  // namespace
}  // namespace orvane::test
