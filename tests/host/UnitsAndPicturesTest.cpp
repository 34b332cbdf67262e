// Scale units, pictures and typed reads from property bags.
#include <gtest/gtest.h>

#include <functional>

#include "host/Error.h"
#include "host/OlePicture.h"
#include "host/PropertyBag.h"
#include "host/ScaleUnits.h"
#include "host/StdPicture.h"
#include "platform/display/PngWriter.h"
#include "platform/platform.h"
#include "platform/testing.h"

namespace orvane::test {
namespace {

TEST(ScaleUnitsTest, ConversionsAt96And144Dpi) {
    EXPECT_DOUBLE_EQ(ScaleConvert(100, ScaleMode::Pixels, ScaleMode::Twips, true, 96), 1500);
    EXPECT_DOUBLE_EQ(ScaleConvert(100, ScaleMode::Pixels, ScaleMode::Twips, true, 144), 1000);
    EXPECT_DOUBLE_EQ(ScaleConvert(1440, ScaleMode::Twips, ScaleMode::Points, true, 96), 72);
    EXPECT_DOUBLE_EQ(ScaleConvert(96, ScaleMode::Pixels, ScaleMode::Himetric, false, 96), 2540);
    EXPECT_DOUBLE_EQ(ScaleConvert(1, ScaleMode::Inches, ScaleMode::Millimeters, true, 96), 25.4);
    EXPECT_DOUBLE_EQ(ScaleConvert(2, ScaleMode::Centimeters, ScaleMode::Millimeters, true, 96), 20);
    // A character is 120 twips wide and 240 high.
    EXPECT_DOUBLE_EQ(ScaleConvert(1, ScaleMode::Characters, ScaleMode::Twips, true, 96), 120);
    EXPECT_DOUBLE_EQ(ScaleConvert(1, ScaleMode::Characters, ScaleMode::Twips, false, 96), 240);
    // Round trips come back exactly.
    const double px = ScaleConvert(ScaleConvert(37, ScaleMode::Pixels, ScaleMode::Twips, true, 144),
                                   ScaleMode::Twips, ScaleMode::Pixels, true, 144);
    EXPECT_DOUBLE_EQ(px, 37);
    long number = 0;
    try {
        ScaleConvert(1, ScaleMode::User, ScaleMode::Pixels, true, 96);
    } catch (const Error& e) {
        number = e.number();
    }
    EXPECT_EQ(number, errors::InvalidProcedureCall);
}

TEST(StdPictureTest, BitmapsKnowTheirHimetricSizeAndAreReleased) {
    platform::testing::TestPlatform scope;
    {
        auto picture = StdPicture::fromBitmap(platform::CreateBitmap(96, 48, 1, 32, nullptr));
        EXPECT_EQ(picture->type(), StdPicture::Type::Bitmap);
        EXPECT_EQ(picture->Width(), 2540);
        EXPECT_EQ(picture->Height(), 1270);
        EXPECT_NE(picture->Handle(), 0);
        EXPECT_EQ(Variant(std::shared_ptr<Object>(picture)).typeName(), u"StdPicture");
        EXPECT_EQ(platform::GetLiveGdiObjectCount(), 1u);
    }
    EXPECT_EQ(platform::GetLiveGdiObjectCount(), 0u);  // the picture deleted its bitmap
    EXPECT_THROW(StdPicture::fromBitmap(platform::HBITMAP()), Error);
}

TEST(StdPictureTest, PicturesFromHandlesOwnThemOnlyWhenAsked) {
    platform::testing::TestPlatform scope;
    PICTDESC desc;
    desc.picType = PICTYPE_BITMAP;
    desc.hbitmap = platform::CreateBitmap(8, 8, 1, 32, nullptr);
    std::shared_ptr<StdPicture> picture;
    ASSERT_EQ(OleCreatePictureIndirect(&desc, false, picture), platform::S_OK);
    picture.reset();
    EXPECT_EQ(platform::GetLiveGdiObjectCount(), 1u);  // borrowed: still there
    ASSERT_EQ(OleCreatePictureIndirect(&desc, true, picture), platform::S_OK);
    picture.reset();
    EXPECT_EQ(platform::GetLiveGdiObjectCount(), 0u);

    // An icon picture has the icon's size; an owned one destroys its icon.
    const std::vector<std::uint8_t> png = platform::PngWriter::encode(
        platform::PixelSurface(16, 8, 0xFF000000u), platform::PngWriter::Alpha::Keep);
    desc.picType = PICTYPE_ICON;
    desc.hicon = platform::CreateIconFromResourceEx(
        png.data(), static_cast<platform::DWORD>(png.size()), platform::TRUE, 0x30000, 0, 0, 0);
    ASSERT_EQ(OleCreatePictureIndirect(&desc, true, picture), platform::S_OK);
    EXPECT_EQ(picture->type(), StdPicture::Type::Icon);
    EXPECT_NEAR(picture->Width(), 2 * picture->Height(), 1);  // 16 × 8 pixels, in himetric
    picture.reset();
    EXPECT_EQ(platform::GetLiveUserObjectCount(), 0u);

    desc.picType = PICTYPE_METAFILE;
    EXPECT_EQ(OleCreatePictureIndirect(&desc, true, picture), platform::E_NOTIMPL);
    desc.picType = PICTYPE_BITMAP;
    desc.hbitmap = platform::HBITMAP();
    EXPECT_EQ(OleCreatePictureIndirect(&desc, true, picture), platform::E_INVALIDARG);
    EXPECT_FALSE(picture);
}

TEST(PropertyBagTest, ValuesOfTheWrongKindReadAsTheDefault) {
    PropertyBag bag;
    bag.WriteProperty(u"Alignment", Variant(u"centre"));
    bag.WriteProperty(u"Width", Variant(u"120"));
    auto asLong = [](const Variant& v) { return CLng(v); };
    EXPECT_EQ(bag.read<std::int32_t>(u"Alignment", 0, asLong), 0);  // not a number
    EXPECT_EQ(bag.read<std::int32_t>(u"Width", 0, asLong), 120);    // a number in text is fine
    EXPECT_EQ(bag.read<std::int32_t>(u"Missing", 7, asLong), 7);
}

}  // namespace
}  // namespace orvane::test
