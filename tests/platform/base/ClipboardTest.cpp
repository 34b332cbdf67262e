// Memory blocks by handle and the clipboard's Unicode text, on its own and through a desktop
// bridge as a real display supplies one.
#include <cstring>
#include <string>

#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

class ClipboardTest : public test::PlatformTest {
protected:
    void TearDown() override {
        SetClipboardBridge({});
        PlatformTest::TearDown();
    }
    static HGLOBAL textBlock(const std::u16string& text) {
        const HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * 2);
        auto* p = static_cast<char16_t*>(GlobalLock(h));
        std::memcpy(p, text.c_str(), (text.size() + 1) * 2);
        GlobalUnlock(h);
        return h;
    }
    static std::u16string read() {
        if (!OpenClipboard(HWND())) return u"(cannot open)";
        const HANDLE h = GetClipboardData(CF_UNICODETEXT);
        std::u16string text = h ? static_cast<const char16_t*>(GlobalLock(h)) : u"(none)";
        if (h) GlobalUnlock(h);
        CloseClipboard();
        return text;
    }
};

}  // namespace

TEST_F(ClipboardTest, BlocksLockUnlockAndFree) {
    const HGLOBAL h = GlobalAlloc(GHND, 10);
    ASSERT_TRUE(h);
    EXPECT_EQ(GlobalSize(h), 10u);
    auto* p = static_cast<std::uint8_t*>(GlobalLock(h));
    EXPECT_EQ(p[9], 0);  // zeroed
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_TRUE(GlobalUnlock(h));   // one lock left
    EXPECT_FALSE(GlobalUnlock(h));  // the last: FALSE with no error
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);
    EXPECT_EQ(GlobalFree(h), HGLOBAL());
    EXPECT_EQ(GlobalFree(h), h);  // a second free fails
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_FALSE(GlobalAlloc(0x8000, 4));  // an unknown flag
    EXPECT_EQ(GetLiveGlobalCount(), 0u);
}

TEST_F(ClipboardTest, TextGoesInOnlyWhileOpenAndComesBack) {
    const HGLOBAL refused = textBlock(u"x");
    EXPECT_FALSE(SetClipboardData(CF_UNICODETEXT, refused));
    EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);
    EXPECT_EQ(GlobalSize(refused), 4u);  // a refused block stays the caller's
    GlobalFree(refused);
    const HWND owner = CreateWindowExW(0, u"STATIC", u"", WS_POPUP, 0, 0, 1, 1, HWND(), HMENU(),
                                       HINSTANCE(), nullptr);
    ASSERT_TRUE(OpenClipboard(owner));
    EXPECT_FALSE(OpenClipboard(HWND()));  // one opener at a time
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), owner);
    const HGLOBAL ansi = textBlock(u"ansi");
    EXPECT_FALSE(SetClipboardData(CF_TEXT, ansi));
    GlobalFree(ansi);
    EXPECT_TRUE(SetClipboardData(CF_UNICODETEXT, textBlock(u"Grüße \U0001F600")));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(read(), u"Grüße \U0001F600");
    EXPECT_EQ(GetLiveGlobalCount(), 1u);  // only the clipboard's own block
    DestroyWindow(owner);
}

TEST_F(ClipboardTest, ADesktopBridgeSharesTheText) {
    std::u16string published;
    std::optional<std::u16string> desktop;
    SetClipboardBridge({[&](const std::u16string& t) { published = t; }, [&] { return desktop; }});
    OpenClipboard(HWND());
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, textBlock(u"ours"));
    CloseClipboard();
    EXPECT_EQ(published, u"ours");
    EXPECT_EQ(read(), u"ours");  // the desktop has nothing newer
    desktop = u"copied elsewhere";
    EXPECT_EQ(read(), u"copied elsewhere");
}
