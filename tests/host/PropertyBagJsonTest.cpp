// Property bags through JSON text: every kind comes back as it went, and a malformed file
// says where it is wrong.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "host/Base64.h"
#include "host/Error.h"
#include "host/PropertyBagJson.h"
#include "host/StdFont.h"
#include "host/StdPicture.h"
#include "platform/base/CodePages.h"
#include "platform/platform.h"
#include "support/PlatformTest.h"

using namespace orvane;

namespace {

PropertyBag throughText(const PropertyBag& bag) {
    const std::string text = PropertyBagJson::write(bag, "F.C").dump(2);
    return PropertyBagJson::read(nlohmann::ordered_json::parse(text), "F.C");
}

// The description of the error reading `text` raises, or "" when it loads.
std::string readError(const std::string& text) {
    try {
        PropertyBagJson::read(nlohmann::ordered_json::parse(text), "Form1.Label1");
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 321);
        return platform::ToUtf8(e.description());
    }
    return "";
}

}  // namespace

TEST(PropertyBagJson, EveryKindRoundTrips) {
    PropertyBag bag;
    auto font = std::make_shared<StdFont>();
    font->Name(u"Tahoma");
    font->Size(14.25);
    font->Bold(true);
    font->Underline(true);
    font->Charset(161);
    bag.store(u"Empty", Variant());
    bag.store(u"Null", Variant::null());
    bag.store(u"Int16", Variant(std::int16_t{-32768}));
    bag.store(u"Int32", Variant(std::int32_t{2147483647}));
    bag.store(u"Single", Variant(1.1f));
    bag.store(u"Double", Variant(0.1));
    bag.store(u"NaN", Variant(std::nan("")));
    bag.store(u"Inf", Variant(-HUGE_VAL));
    bag.store(u"Date", Variant::date(45000.75));
    bag.store(u"Text", Variant(u"Ünï \U0001F600 漢字 \"q\"\n"));
    bag.store(u"Bool", Variant(false));
    bag.store(u"Byte", Variant(std::uint8_t{255}));
    bag.store(u"Bytes", Variant(std::vector<std::uint8_t>{0, 255, 13, 10, 0}));
    bag.store(u"NoBytes", Variant(std::vector<std::uint8_t>{}));
    bag.store(u"Font", Variant(std::shared_ptr<Object>(font)));
    bag.store(u"Nothing", Variant(std::shared_ptr<Object>()));

    const PropertyBag back = throughText(bag);
    ASSERT_EQ(back.entries().size(), bag.entries().size());
    for (std::size_t i = 0; i < bag.entries().size(); ++i) {
        const auto& [key, value] = bag.entries()[i];
        const Variant& got = back.entries()[i].second;
        SCOPED_TRACE(platform::ToUtf8(key));
        EXPECT_EQ(back.entries()[i].first, key);
        EXPECT_EQ(got.kind(), value.kind());
        if (key == u"NaN") {
            EXPECT_TRUE(std::isnan(got.toDouble()));
        } else if (key == u"Font") {
            auto f = std::dynamic_pointer_cast<StdFont>(got.object());
            ASSERT_TRUE(f);
            EXPECT_EQ(f->Name(), u"Tahoma");
            EXPECT_DOUBLE_EQ(f->Size(), 14.25);
            EXPECT_TRUE(f->Bold());
            EXPECT_FALSE(f->Italic());
            EXPECT_TRUE(f->Underline());
            EXPECT_EQ(f->Charset(), 161);
        } else if (key != u"Nothing") {
            EXPECT_TRUE(got == value);
        }
    }
    EXPECT_EQ(back.ReadProperty(u"Nothing").object(), nullptr);
}

TEST(PropertyBagJson, MalformedValuesNameTheirPlace) {
    EXPECT_EQ(readError(R"({"Caption": "ok", "Width": 1200})"), "");
    EXPECT_EQ(readError(R"({"Width": {"Integer": 40000}})"),
              "Form1.Label1.Width.Integer: number out of range");
    EXPECT_EQ(readError(R"({"Width": 4294967296})"), "Form1.Label1.Width: number out of range");
    EXPECT_EQ(readError(R"({"Width": 1.5})"),
              "Form1.Label1.Width: a number with a fraction must say its kind (Single or Double)");
    EXPECT_EQ(readError(R"({"Data": {"Bytes": "abc"}})"),
              "Form1.Label1.Data.Bytes: malformed base64 text");
    EXPECT_EQ(readError(R"({"Font": {"Font": {"Size": "big"}}})"),
              "Form1.Label1.Font.Font.Size: expected a number");
    EXPECT_EQ(readError(R"({"Font": {"Font": {"Size": -4}}})"),
              "Form1.Label1.Font.Font.Size: invalid font value");
    EXPECT_EQ(readError(R"({"Font": {"Font": {"Colour": 1}}})"),
              "Form1.Label1.Font.Font.Colour: unknown font property");
    EXPECT_EQ(readError(R"({"X": {"Money": 1}})"), "Form1.Label1.X.Money: unknown kind of value");
    EXPECT_EQ(readError(R"({"X": {"Integer": 1, "Byte": 2}})"),
              "Form1.Label1.X: expected a value or an object with one kind");
    EXPECT_EQ(readError(R"({"X": [1, 2]})"),
              "Form1.Label1.X: expected a value or an object with one kind");
    EXPECT_EQ(readError(R"({"X": {"Date": 1e300}})"), "Form1.Label1.X.Date: date out of range");
    EXPECT_EQ(readError(R"({"Caption": "a", "caption": "b"})"),
              "Form1.Label1.caption: property given twice");
    EXPECT_EQ(readError(R"([1])"), "Form1.Label1: expected an object of properties");
}

class PropertyBagJsonPicture : public test::PlatformTest {};

TEST_F(PropertyBagJsonPicture, BitmapsRoundTripAndOtherPicturesAreRefused) {
    // A 3 by 2 bitmap with distinct pixels, alpha included.
    platform::BITMAPINFO info{};
    info.bmiHeader.biWidth = 3;
    info.bmiHeader.biHeight = -2;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const auto bitmap = platform::CreateDIBSection(platform::HDC(), &info, platform::DIB_RGB_COLORS,
                                                   &bits, platform::HANDLE(), 0);
    ASSERT_TRUE(bits);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (std::uint32_t i = 0; i < 6; ++i)
        px[i] = 0x80000000u | (i * 0x102030u);
    PropertyBag bag;
    bag.store(u"Picture", Variant(std::shared_ptr<Object>(StdPicture::fromBitmap(bitmap))));
    PropertyBag back = throughText(bag);
    auto picture = std::dynamic_pointer_cast<StdPicture>(back.ReadProperty(u"Picture").object());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(),
              std::static_pointer_cast<StdPicture>(bag.ReadProperty(u"Picture").object())->Width());
    std::vector<std::uint32_t> pixels(6);
    const platform::HDC dc = platform::CreateCompatibleDC(platform::HDC());
    EXPECT_EQ(
        platform::GetDIBits(dc, platform::HBITMAP(static_cast<std::uint32_t>(picture->Handle())), 0,
                            2, pixels.data(), &info, platform::DIB_RGB_COLORS),
        2);
    platform::DeleteDC(dc);
    EXPECT_EQ(pixels, std::vector<std::uint32_t>(px, px + 6));

    PropertyBag icon;
    icon.store(u"Picture", Variant(std::shared_ptr<Object>(std::make_shared<StdPicture>())));
    try {
        PropertyBagJson::write(icon, "Form1.Image1");
        FAIL() << "an empty picture was written";
    } catch (const Error& e) {
        EXPECT_EQ(platform::ToUtf8(e.description()),
                  "Form1.Image1.Picture: an empty picture cannot be saved in a form file");
    }
    EXPECT_EQ(readError(R"({"P": {"Picture": {"Width": 1, "Height": 1, "Pixels": "AAAAAA==",
                                                "HotSpot": [0, 0]}}})"),
              "Form1.Label1.P.Picture.HotSpot: only icons have a hot spot");
    EXPECT_EQ(readError(R"({"P": {"Picture": {"Width": 2, "Height": 1, "Pixels": "AAAA"}}})"),
              "Form1.Label1.P.Picture.Pixels: expected 8 bytes");
    EXPECT_EQ(readError(R"({"P": {"Picture": {"Width": 16384, "Height": 16384, "Pixels": ""}}})"),
              "Form1.Label1.P.Picture: picture too large");
    EXPECT_EQ(readError(R"({"P": {"Picture": {"Width": 0, "Height": 1, "Pixels": ""}}})"),
              "Form1.Label1.P.Picture.Width: number out of range");
    EXPECT_EQ(readError(R"({"P": {"Picture": {"Width": 1, "Height": 1}}})"),
              "Form1.Label1.P.Picture: a picture needs Width, Height and Pixels");
}

TEST_F(PropertyBagJsonPicture, IconsAndCursorsRoundTripWithAlphaAndHotSpot) {
    // A 4 × 4 cursor: opaque red left half, half-transparent blue right half, hot spot (1, 2).
    std::vector<std::uint32_t> straight(16);
    for (int i = 0; i < 16; ++i)
        straight[i] = i % 4 < 2 ? 0xFFFF0000u : 0x800000FFu;
    platform::BITMAPINFO info{};
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = -4;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    platform::ICONINFO ii;
    ii.fIcon = platform::FALSE;
    ii.xHotspot = 1;
    ii.yHotspot = 2;
    ii.hbmColor = platform::CreateDIBSection(platform::HDC(), &info, platform::DIB_RGB_COLORS,
                                             &bits, platform::HANDLE(), 0);
    std::memcpy(bits, straight.data(), 64);
    ii.hbmMask = platform::CreateBitmap(4, 4, 1, 1, nullptr);
    const platform::HICON cursor = platform::CreateIconIndirect(&ii);
    platform::DeleteObject(ii.hbmColor);
    platform::DeleteObject(ii.hbmMask);
    PropertyBag bag;
    bag.store(u"MouseIcon", Variant(std::shared_ptr<Object>(StdPicture::fromIcon(cursor, 4, 4))));
    PropertyBag back = throughText(bag);
    auto picture = std::dynamic_pointer_cast<StdPicture>(back.ReadProperty(u"MouseIcon").object());
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->type(), StdPicture::Type::Icon);
    platform::ICONINFO got;
    ASSERT_TRUE(platform::GetIconInfo(
        platform::HICON(static_cast<std::uint32_t>(picture->Handle())), &got));
    EXPECT_FALSE(got.fIcon);
    EXPECT_EQ(got.xHotspot, 1u);
    EXPECT_EQ(got.yHotspot, 2u);
    std::vector<std::uint32_t> pixels(16);
    const platform::HDC dc = platform::CreateCompatibleDC(platform::HDC());
    platform::GetDIBits(dc, got.hbmColor, 0, 4, pixels.data(), &info, platform::DIB_RGB_COLORS);
    platform::DeleteDC(dc);
    platform::DeleteObject(got.hbmColor);
    platform::DeleteObject(got.hbmMask);
    EXPECT_EQ(pixels[0], 0xFFFF0000u);
    EXPECT_EQ(pixels[3] >> 24, 0x80u);  // the alpha survives (the colour within rounding)
}

TEST(Base64, KnownTextsAndRejects) {
    const std::pair<const char*, const char*> known[] = {{"", ""},
                                                         {"f", "Zg=="},
                                                         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"},
                                                         {"foob", "Zm9vYg=="},
                                                         {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"}};
    for (const auto& [plain, coded] : known) {
        const std::vector<std::uint8_t> bytes(plain, plain + std::strlen(plain));
        EXPECT_EQ(Base64Encode(bytes), coded);
        EXPECT_EQ(Base64Decode(coded), bytes);
    }
    for (const char* bad : {"Zg=", "Z===", "Zg=a", "Zm9v!A==", "=AAA", "Zg==Zg=="})
        EXPECT_FALSE(Base64Decode(bad).has_value()) << bad;
}
