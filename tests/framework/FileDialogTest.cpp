// The open dialog, answered the way a person would: typing a name, moving through the list,
// clicking, or cancelling; and the image dialog built on it.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "framework/StringsAndFiles.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

class FileDialogTest : public test::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        char dir[] = "/tmp/orvane-dialog-XXXXXX";
        ASSERT_TRUE(mkdtemp(dir));
        folder = dir;
        for (const char* name : {"b.png", "a.bmp", "notes.txt"})
            std::ofstream(folder + "/" + name) << "x";
        std::filesystem::create_directory(folder + "/sub");
        std::ofstream(folder + "/sub/inner.gif") << "x";
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        SetFileDialogHook(nullptr);
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
        PlatformTest::TearDown();
    }
    // Answers the next dialog with keys typed into it.
    void answerWith(std::u16string typed, std::vector<int> keys) {
        SetFileDialogHook([this, typed, keys](HWND dialog) {
            char16_t title[64] = {};
            GetWindowTextW(dialog, title, 64);
            titles.push_back(title);
            platform->TypeText(typed);
            for (int k : keys)
                platform->KeyPress(k);
        });
    }
    std::string folder;
    std::filesystem::path previous;
    std::vector<std::u16string> titles;
};

std::u16string ask(LPCWSTR filter, DWORD index, DWORD flags, DWORD size = 260) {
    std::vector<char16_t> file(size + 1, u'\0');
    OPENFILENAMEW ofn;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = index;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = size;
    ofn.Flags = flags;
    if (!GetOpenFileNameW(&ofn))
        return u"(none " +
               std::u16string(1, u'0' + static_cast<char16_t>(CommDlgExtendedError() & 7)) + u")";
    EXPECT_EQ(std::u16string(file.data() + ofn.nFileOffset).find(u'/'), std::u16string::npos);
    return std::u16string(file.data());
}

}  // namespace

TEST_F(FileDialogTest, ImageDialogReturnsTheTypedFileOrNothing) {
    const std::u16string dir = FromUtf8(std::filesystem::canonical(folder).string());
    answerWith(u"b.png", {VK_RETURN});
    EXPECT_EQ(OpenImageFileDialog(), dir + u"/b.png");
    EXPECT_EQ(titles, std::vector<std::u16string>{u"Select Image"});

    answerWith(u"", {VK_ESCAPE});
    EXPECT_EQ(OpenImageFileDialog(), u"");

    // A file that must exist but does not: a warning, and the dialog stays until cancelled.
    ClearMessageBoxRecords();
    answerWith(u"missing.png", {VK_RETURN, VK_ESCAPE});
    EXPECT_EQ(OpenImageFileDialog(), u"");
    ASSERT_EQ(MessageBoxRecords().size(), 1u);
    EXPECT_NE(MessageBoxRecords()[0].text.find(u"File not found."), std::u16string::npos);

    // Nobody to answer: it ends as cancelled instead of waiting for ever.
    SetFileDialogHook(nullptr);
    EXPECT_EQ(OpenImageFileDialog(), u"");
}

TEST_F(FileDialogTest, TheFilterDecidesWhatTheListOffers) {
    const std::u16string dir = FromUtf8(std::filesystem::canonical(folder).string());
    const char16_t filter[] = u"Bitmaps\0*.bmp\0Everything\0*.*\0";
    // Down picks the first file listed; with the bitmap filter that is a.bmp.
    answerWith(u"", {VK_DOWN, VK_RETURN});
    EXPECT_EQ(ask(filter, 1, 0), dir + u"/a.bmp");
    // Everything, sorted: a.bmp, b.png, notes.txt.
    answerWith(u"", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(ask(filter, 2, 0), dir + u"/notes.txt");
    // A typed folder name opens the folder; a name is then relative to it.
    SetFileDialogHook([&](HWND) {
        platform->TypeText(u"sub");
        platform->KeyPress(VK_RETURN);
        platform->TypeText(u"inner.gif");
        platform->KeyPress(VK_RETURN);
    });
    EXPECT_EQ(ask(filter, 2, OFN_FILEMUSTEXIST), dir + u"/sub/inner.gif");
}

TEST_F(FileDialogTest, ClicksSelectAndOpen) {
    const std::u16string dir = FromUtf8(std::filesystem::canonical(folder).string());
    const char16_t filter[] = u"Everything\0*.*\0";
    SetFileDialogHook([&](HWND dialog) {
        // The second file row, then Open.
        const POINT row = platform->ClientToScreenPoint(dialog, 200, 28 + 2 + 16 + 8);
        platform->Click(row.x, row.y);
        platform->AdvanceTime(1000);
        const POINT open = platform->ClientToScreenPoint(dialog, 350, 310);
        platform->Click(open.x, open.y);
    });
    EXPECT_EQ(ask(filter, 1, 0), dir + u"/b.png");
}

TEST_F(FileDialogTest, BadRequestsAndSmallBuffers) {
    answerWith(u"b.png", {VK_RETURN});
    EXPECT_EQ(ask(u"All\0*.*\0", 1, 0, 4), u"(none 3)");  // FNERR_BUFFERTOOSMALL
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    EXPECT_EQ(ask(u"All\0*.*\0", 1, 0x40000000), u"(none 2)");  // an unknown flag
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
}
