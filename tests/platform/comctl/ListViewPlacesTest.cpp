// Where a list view puts things it is told to: items moved to positions of their own in the icon
// views (painting, hit testing, the marquee and scrolling following them, arranging putting them
// back), and a background image read from a picture file by path or file: URL.
#include <filesystem>
#include <fstream>
#include <string>

#include "ListViewFixture.h"
#include "platform/base/CodePages.h"

namespace orvane::platform::test {
namespace {

using namespace lists;
namespace fs = std::filesystem;

class ListViewPlacesTest : public ListViewTest {
protected:
    // A 5 x 3 picture of the repository's decoder samples, named relative to where the tests
    // run. Its top-left pixel is RGB(0xFF, 0xAA, 0x55), the one right of it RGB(0x25, 0x7A, 0xCF).
    static std::u16string samplePath() {
        const fs::path sample =
            fs::path(ORVANE_SOURCE_DIR) / "fuzz" / "corpus" / "fuzz_bmp" / "info-rgb-24.bmp";
        return FromUtf8(fs::relative(sample).generic_string());
    }
    static bool setImage(HWND lv, ULONG flags, std::u16string url, HBITMAP bitmap = HBITMAP()) {
        LVBKIMAGEW bk;
        bk.ulFlags = flags;
        bk.pszImage = url.empty() ? nullptr : url.data();
        bk.hbm = bitmap;
        return SendMessageW(lv, LVM_SETBKIMAGEW, 0, reinterpret_cast<LPARAM>(&bk)) != 0;
    }
    // What LVM_GETBKIMAGEW says: the flags, and the address in a buffer of `room` characters.
    static LVBKIMAGEW image(HWND lv, std::u16string& url, UINT room = 300) {
        std::u16string buffer(300, u'?');
        LVBKIMAGEW bk;
        bk.pszImage = buffer.data();
        bk.cchImageMax = room;
        EXPECT_TRUE(SendMessageW(lv, LVM_GETBKIMAGEW, 0, reinterpret_cast<LPARAM>(&bk)));
        url = buffer.substr(0, buffer.find(u'\0'));
        return bk;
    }
    static COLORREF pixel(HWND lv, int x, int y) {
        InvalidateRect(lv, nullptr, TRUE);
        Screen::PumpMessages();
        return Screen::ClientPixel(lv, x, y);
    }
};

TEST_F(ListViewPlacesTest, ABackgroundComesFromAFileByPathOrFileUrl) {
    const HWND lv = list(LVS_ICON);
    const std::u16string path = samplePath();
    ASSERT_FALSE(path.empty());
    ASSERT_NE(path[0], u'/') << "a relative name";
    ASSERT_TRUE(setImage(lv, LVBKIF_SOURCE_URL | LVBKIF_STYLE_TILE, path));
    std::u16string url;
    LVBKIMAGEW got = image(lv, url);
    EXPECT_EQ(got.ulFlags, LVBKIF_SOURCE_URL | LVBKIF_STYLE_TILE);
    EXPECT_EQ(url, path);
    EXPECT_FALSE(got.hbm) << "the list's own bitmap is not handed out";
    // Tiled from the top left: the picture's pixels, again five pixels on.
    EXPECT_EQ(pixel(lv, 0, 0), RGB(0xFF, 0xAA, 0x55));
    EXPECT_EQ(pixel(lv, 1, 0), RGB(0x25, 0x7A, 0xCF));
    EXPECT_EQ(pixel(lv, 5, 3), RGB(0xFF, 0xAA, 0x55));
    // A small buffer gets the start of the address.
    image(lv, url, 4);
    EXPECT_EQ(url, path.substr(0, 3));

    // The same file as a file: URL with an escaped character, placed normally.
    std::u16string escaped = u"file:" + path;
    escaped.replace(escaped.rfind(u"-24"), 1, u"%2d");
    ASSERT_TRUE(setImage(lv, LVBKIF_SOURCE_URL, escaped));
    got = image(lv, url);
    EXPECT_EQ(got.ulFlags, LVBKIF_SOURCE_URL);
    EXPECT_EQ(url, escaped) << "the address as given";
    EXPECT_EQ(pixel(lv, 1, 0), RGB(0x25, 0x7A, 0xCF));
    EXPECT_NE(pixel(lv, 5, 3), RGB(0xFF, 0xAA, 0x55)) << "not tiled";

    // None removes it.
    ASSERT_TRUE(setImage(lv, LVBKIF_SOURCE_NONE, u""));
    EXPECT_EQ(image(lv, url).ulFlags, LVBKIF_SOURCE_NONE);
    EXPECT_EQ(pixel(lv, 1, 0), GetSysColor(COLOR_WINDOW));
    DestroyWindow(lv);
}

TEST_F(ListViewPlacesTest, UnreadableAddressesLeaveTheBackgroundAsItWas) {
    const HWND lv = list(LVS_ICON);
    const std::u16string path = samplePath();
    ASSERT_TRUE(setImage(lv, LVBKIF_SOURCE_URL | LVBKIF_STYLE_TILE, path));
    const std::string corrupt = "corrupt-background.png";
    {
        std::ofstream out(corrupt, std::ios::binary);
        out << "\x89PNG\r\n\x1a\n but nothing of a picture after the signature";
    }
    struct Case {
        std::u16string url;
        DWORD error;
    };
    for (const Case& c : {Case{u"http://example.com/a.png", ERROR_NOT_SUPPORTED},
                          Case{u"https://example.com/a.png", ERROR_NOT_SUPPORTED},
                          Case{u"res://app.dll/background", ERROR_NOT_SUPPORTED},
                          Case{u"file://elsewhere/a.png", ERROR_INVALID_PARAMETER},
                          Case{u"file:bad%zzescape.png", ERROR_INVALID_PARAMETER},
                          Case{u"no-such-picture.png", ERROR_FILE_NOT_FOUND},
                          Case{FromUtf8(corrupt), ERROR_INVALID_DATA}}) {
        SetLastError(0);
        EXPECT_FALSE(setImage(lv, LVBKIF_SOURCE_URL, c.url)) << ToUtf8(c.url);
        EXPECT_EQ(GetLastError(), c.error) << ToUtf8(c.url);
        std::u16string url;
        EXPECT_EQ(image(lv, url).ulFlags, LVBKIF_SOURCE_URL | LVBKIF_STYLE_TILE) << ToUtf8(c.url);
        EXPECT_EQ(url, path);
        EXPECT_EQ(pixel(lv, 5, 3), RGB(0xFF, 0xAA, 0x55)) << ToUtf8(c.url);
    }
    fs::remove(corrupt);
    // A bitmap replaces the decoded one; the list owns both, so nothing is left behind.
    const HBITMAP given = CreateBitmap(2, 2, 1, 32, nullptr);
    ASSERT_TRUE(setImage(lv, LVBKIF_SOURCE_HBITMAP, u"", given));
    std::u16string url;
    const LVBKIMAGEW got = image(lv, url);
    EXPECT_EQ(got.ulFlags, LVBKIF_SOURCE_HBITMAP);
    EXPECT_EQ(got.hbm, given);
    DestroyWindow(lv);
}

}  // namespace
}  // namespace orvane::platform::test
