// What a drag carries: memory-block data objects, file lists in DROPFILES blocks (well formed,
// ANSI and malformed ones, as any program may hand one over) and registered formats.
#include <cstring>
#include <string>
#include <vector>

#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

using namespace platform;

class DataTransferTest : public PlatformTest {
protected:
    // A block holding exactly `bytes`.
    static HGLOBAL block(const std::vector<std::uint8_t>& bytes) {
        const HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        if (!bytes.empty()) std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
        GlobalUnlock(h);
        return h;
    }
    // A DROPFILES header followed by `names`, as raw bytes.
    static std::vector<std::uint8_t> rawList(DWORD offset, BOOL wide, const std::string& names) {
        DROPFILES header;
        header.pFiles = offset;
        header.fWide = wide;
        std::vector<std::uint8_t> bytes(sizeof header);
        std::memcpy(bytes.data(), &header, sizeof header);
        bytes.insert(bytes.end(), names.begin(), names.end());
        return bytes;
    }
};

TEST_F(DataTransferTest, MemoryDataObjectFormatsAndErrors) {
    MemoryDataObject data;
    const char16_t text[] = u"hi";
    ASSERT_TRUE(data.setBytes(CF_UNICODETEXT, text, sizeof text));
    FORMATETC f;
    f.cfFormat = CF_UNICODETEXT;
    STGMEDIUM m;
    ASSERT_EQ(data.GetData(&f, &m), S_OK);
    EXPECT_EQ(GlobalSize(m.hGlobal), sizeof text);
    EXPECT_EQ(std::memcmp(GlobalLock(m.hGlobal), text, sizeof text), 0);
    GlobalUnlock(m.hGlobal);
    ReleaseStgMedium(&m);
    EXPECT_EQ(m.hGlobal, HGLOBAL());

    FORMATETC other;
    other.cfFormat = CF_TEXT;
    EXPECT_EQ(data.QueryGetData(&other), DV_E_FORMATETC);  // no conversion between text formats
    EXPECT_EQ(data.GetData(&other, &m), DV_E_FORMATETC);
    FORMATETC stream = f;
    stream.tymed = 4;  // TYMED_ISTREAM: only memory blocks travel
    EXPECT_EQ(data.QueryGetData(&stream), DV_E_TYMED);
    FORMATETC thumbnail = f;
    thumbnail.dwAspect = 2;
    EXPECT_EQ(data.QueryGetData(&thumbnail), DV_E_DVASPECT);

    // SetData without release copies; with release takes the block.
    const HGLOBAL mine = block({1, 2, 3});
    STGMEDIUM given;
    given.tymed = TYMED_HGLOBAL;
    given.hGlobal = mine;
    FORMATETC custom;
    custom.cfFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(u"Test Nodes"));
    ASSERT_EQ(data.SetData(&custom, &given, FALSE), S_OK);
    EXPECT_EQ(GlobalFree(mine), HGLOBAL());  // still the caller's
    std::vector<FORMATETC> formats;
    ASSERT_EQ(data.EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    ASSERT_EQ(formats.size(), 2u);
    EXPECT_EQ(formats[0].cfFormat, CF_UNICODETEXT);
    EXPECT_EQ(formats[1].cfFormat, custom.cfFormat);
    ASSERT_EQ(data.GetData(&custom, &m), S_OK);
    EXPECT_EQ(static_cast<std::uint8_t*>(GlobalLock(m.hGlobal))[2], 3);
    GlobalUnlock(m.hGlobal);
    ReleaseStgMedium(&m);
    EXPECT_EQ(data.EnumFormatEtc(3, &formats), E_INVALIDARG);
}

TEST_F(DataTransferTest, FileListsRoundTripAndQueryLikeDragQueryFile) {
    const HDROP drop = CreateFileDropBlock({u"notes/a.txt", u"x"}, POINT{7, 9});
    ASSERT_TRUE(drop);
    EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 2u);
    EXPECT_EQ(DragQueryFileW(drop, 0, nullptr, 0), 11u);
    char16_t buffer[6];
    EXPECT_EQ(DragQueryFileW(drop, 0, buffer, 6), 5u);  // cut, and NUL-terminated
    EXPECT_EQ(std::u16string(buffer), u"notes");
    EXPECT_EQ(DragQueryFileW(drop, 1, buffer, 6), 1u);
    EXPECT_EQ(std::u16string(buffer), u"x");
    EXPECT_EQ(DragQueryFileW(drop, 2, buffer, 6), 0u);
    POINT pt{};
    EXPECT_TRUE(DragQueryPoint(drop, &pt));
    EXPECT_EQ(pt, (POINT{7, 9}));
    DragFinish(drop);
    EXPECT_EQ(GetLiveGlobalCount(), 0u);
    // An empty name or one holding a NUL cannot be listed.
    EXPECT_FALSE(CreateFileDropBlock({u""}));
    EXPECT_FALSE(CreateFileDropBlock({std::u16string(u"a\0b", 3)}));
}

TEST_F(DataTransferTest, AnsiAndMalformedFileLists) {
    // ANSI names are code page 1252.
    const HGLOBAL ansi =
        block(rawList(sizeof(DROPFILES), FALSE, std::string("C:\\\xE9t\xE9\0b\0\0", 10)));
    EXPECT_EQ(FileDropNames(ansi), (std::vector<std::u16string>{u"C:\\été", u"b"}));
    GlobalFree(ansi);

    // Every malformed block reads as no files, without reading past its end.
    const std::vector<std::vector<std::uint8_t>> bad = {
        {1, 2, 3},                                                   // shorter than a header
        rawList(400, TRUE, std::string("a\0\0\0\0\0", 6)),           // names past the end
        rawList(4, TRUE, std::string("a\0\0\0\0\0", 6)),             // names inside the header
        rawList(sizeof(DROPFILES), TRUE, std::string("a\0b\0", 4)),  // no final NULs
        rawList(sizeof(DROPFILES), TRUE, std::string("a\0b", 3)),    // half a character
        rawList(sizeof(DROPFILES), FALSE, std::string("abc", 3)),    // ANSI, unterminated
    };
    for (std::size_t i = 0; i < bad.size(); ++i) {
        const HGLOBAL h = block(bad[i]);
        EXPECT_EQ(DragQueryFileW(h, 0xFFFFFFFF, nullptr, 0), 0u) << "block " << i;
        EXPECT_EQ(DragQueryFileW(h, 0, nullptr, 0), 0u) << "block " << i;
        GlobalFree(h);
    }
    EXPECT_EQ(DragQueryFileW(HDROP(), 0xFFFFFFFF, nullptr, 0), 0u);
}

TEST_F(DataTransferTest, RegisteredFormatsAreNumberedByName) {
    const UINT a = RegisterClipboardFormatW(u"Orvane Test Format");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormatW(u"ORVANE test format"), a);  // case does not matter
    const UINT b = RegisterClipboardFormatW(u"Orvane Other Format");
    EXPECT_NE(b, a);
    EXPECT_GE(b, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormatW(u""), 0u);
    EXPECT_EQ(RegisterClipboardFormatW(nullptr), 0u);
    char16_t name[64];
    EXPECT_EQ(GetClipboardFormatNameW(a, name, 64), 18);
    EXPECT_EQ(std::u16string(name), u"Orvane Test Format");
    EXPECT_EQ(GetClipboardFormatNameW(a, name, 7), 6);
    EXPECT_EQ(std::u16string(name), u"Orvane");
    EXPECT_EQ(GetClipboardFormatNameW(CF_UNICODETEXT, name, 64), 0);
}

}  // namespace
}  // namespace orvane::test
