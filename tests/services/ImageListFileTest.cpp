// The list file and the key strings: the bytes as laid out, every cut, every extra byte and
// every length that claims more than the file holds refused, keys in the ANSI code page, and
// image blocks split into whole records.
#include <gtest/gtest.h>

#include <vector>

#include "services/IconPixels.h"
#include "services/imagelist/ImageListFile.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Two records of pattern icons, one after the other.
Bytes twoRecords() {
    Bytes block;
    std::size_t at = 0, length = 0;
    for (int seed : {1, 2}) {
        const HICON icon = test::patternIcon(seed);
        EXPECT_TRUE(IconRecord::write(HDC(), icon, block, at, length));
        at += length;
        DestroyIcon(icon);
    }
    return block;
}

using ImageListFileTest = test::PlatformTest;

}  // namespace

TEST(ImageListFileFormat, BytesLieAsLaidOut) {
    const Bytes block{1, 2, 3, 4, 5};
    const Bytes file = ImageListFile::compose(block, u"a\tb\tc\t");
    const Bytes expected{0x56, 0xE4, 0x45, 0x57, 5, 0,   0,    0,   1,    2,   3,   4,
                         5,    6,    0,    0,    0, 'a', '\t', 'b', '\t', 'c', '\t'};
    EXPECT_EQ(file, expected);
    const auto back = ImageListFile::parse(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->block, block);
    EXPECT_EQ(back->keys, u"a\tb\tc\t");

    // An empty list: no block, no keys, but both lengths.
    const auto empty = ImageListFile::parse(ImageListFile::compose({}, u""));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->block.empty() && empty->keys.empty());
}

TEST(ImageListFileFormat, EveryCutEveryExtraByteAndEveryOverlongLengthIsRefused) {
    const Bytes file = ImageListFile::compose(Bytes{9, 8, 7}, u"key\t");
    for (std::size_t cut = 0; cut < file.size(); ++cut)
        EXPECT_FALSE(ImageListFile::parse(std::span(file).first(cut))) << "cut at " << cut;
    Bytes longer = file;
    longer.push_back(0);
    EXPECT_FALSE(ImageListFile::parse(longer));
    // A wrong magic, and lengths past the end.
    for (const auto& [at, value] : {std::pair<std::size_t, std::uint8_t>{0, 0x57},
                                    {3, 0x56},
                                    {4, 4},
                                    {7, 0xFF},
                                    {11, 5},
                                    {14, 0x80}}) {
        Bytes bad = file;
        bad[at] = value;
        EXPECT_FALSE(ImageListFile::parse(bad)) << "byte " << at;
    }
}

TEST(ImageListFileFormat, KeyStringsEndEachKeyWithATab) {
    EXPECT_EQ(ImageListFile::joinKeys({u"a", u"", u"c"}), u"a\t\tc\t");
    EXPECT_EQ(ImageListFile::joinKeys({}), u"");
    using Keys = std::vector<std::u16string>;
    EXPECT_EQ(ImageListFile::splitKeys(u"a\t\tc\t", 3), (Keys{u"a", u"", u"c"}));
    EXPECT_EQ(ImageListFile::splitKeys(u"", 2), (Keys{u"", u""}));  // none named
    EXPECT_EQ(ImageListFile::splitKeys(u"a\tb", 3), (Keys{u"a", u"b", u""}));
    EXPECT_FALSE(ImageListFile::splitKeys(u"a\tb\tc\t", 2));  // more keys than images
    // Keys go to the file in the ANSI code page: what it lacks becomes "?".
    const auto back = ImageListFile::parse(ImageListFile::compose({}, u"caf\u00E9\t\u4E16\t"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->keys, u"caf\u00E9\t?\t");
}

TEST_F(ImageListFileTest, BlocksSplitIntoWholeRecords) {
    const Bytes block = twoRecords();
    const auto records = ImageListFile::records(block);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 2u);
    EXPECT_EQ((*records)[1].offset, IconRecord::length(16, 16));
    EXPECT_TRUE(ImageListFile::records({}) && ImageListFile::records({})->empty());
    // A block that goes on past its last record, or stops inside one, is damaged.
    Bytes longer = block;
    longer.push_back(0);
    EXPECT_FALSE(ImageListFile::records(longer));
    EXPECT_FALSE(ImageListFile::records(std::span(block).first(block.size() - 1)));
}
