// The image cache: keys without regard to case, natural and asked sizes, frames of animations,
// drawing with alpha, grey, brightness, rotation and DPI scaling, the handles and pictures it
// makes, resources, and the errors it raises.
#include <cstring>
#include <memory>

#include "framework/drawing/cGDIPCache.h"
#include "host/App.h"
#include "host/Collection.h"
#include "host/Error.h"
#include "host/TypeLibrary.h"
#include "platform/display/PngWriter.h"
#include "platform/gdi/GdiTestSupport.h"
#include "platform/imaging/PngReader.h"
#include "support/PlatformTest.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::gif;
using orvane::test::png;

class GdipCacheTest : public orvane::test::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        canvas = std::make_unique<platform::test::Canvas>(64, 64);
        dc = canvas->dc();
    }
    void TearDown() override {
        canvas.reset();
        PlatformTest::TearDown();
    }
    void whiten() { canvas->fill(RGB(255, 255, 255)); }

    std::unique_ptr<platform::test::Canvas> canvas;
    HDC dc;
};

long errorNumber(const std::function<void()>& f, std::u16string* description = nullptr,
                 std::u16string* source = nullptr) {
    try {
        f();
    } catch (const Error& e) {
        if (description) *description = e.description();
        if (source) *source = e.source();
        return e.number();
    }
    return 0;
}

}  // namespace

TEST_F(GdipCacheTest, KeysSizesAndRemoval) {
    cGDIPCache cache;
    cache.AddImage(u"Logo", png(20, 10, 0xFF336699));
    EXPECT_TRUE(cache.Exists(u"LOGO"));
    EXPECT_EQ(cache.Width(u"logo"), 20);  // natural size
    EXPECT_EQ(cache.Height(u"logo"), 10);
    EXPECT_EQ(cache.Bytes(), png(20, 10, 0xFF336699));
    cache.AddImage(u"LOGO", png(4, 4, 0xFF000000), 40, 0);  // replaces, scaled in width only
    EXPECT_EQ(cache.GetImageCount(), 1);
    EXPECT_EQ(cache.Keys(), std::vector<std::u16string>{u"LOGO"});  // added anew
    EXPECT_EQ(cache.Width(u"Logo"), 40);
    EXPECT_EQ(cache.Height(u"Logo"), 4);
    cache.Remove(u"lOgO");
    EXPECT_FALSE(cache.Exists(u"Logo"));
    EXPECT_EQ(cache.GetImage(u"Logo"), 0);

    // Undecodable data leaves the key absent without an error; drawing it does nothing.
    const std::vector<std::uint8_t> junk = {1, 2, 3, 4, 5, 6};
    cache.AddImage(u"bad", junk);
    EXPECT_FALSE(cache.Exists(u"bad"));
    cache.AlphaRenderTo(dc, u"bad", 0, 0);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
}

TEST_F(GdipCacheTest, FramesOfAnimationsAndTheirDirection) {
    cGDIPCache cache;
    cache.AddImage(u"one", gif({1}), 0, 0, true);
    EXPECT_EQ(cache.FrameCount(u"one"), 1);
    EXPECT_TRUE(cache.Exists(u"one|0"));
    cache.AddImage(u"still", png(2, 2, 0xFFFFFFFF));
    EXPECT_EQ(cache.FrameCount(u"still"), 0);

    cache.AddImage(u"anim", gif({0, 1, 0}), 0, 0, true);
    ASSERT_EQ(cache.FrameCount(u"anim"), 3);
    EXPECT_EQ(cache.FrameInterval(0), 0);
    EXPECT_EQ(cache.GetImage(u"anim>"), cache.GetImage(u"anim"));
    EXPECT_EQ(cache.GetImage(u"anim>", true), cache.GetImage(u"anim|1"));
    EXPECT_EQ(cache.GetImage(u"anim>", true), cache.GetImage(u"anim|2"));
    EXPECT_EQ(cache.GetImage(u"ANIM>", true), cache.GetImage(u"anim|0"));
    EXPECT_EQ(cache.GetImage(u"anim<", true), cache.GetImage(u"anim|2"));
    cache.AlphaRenderTo(dc, u"anim|1", 0, 0);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));
}

TEST_F(GdipCacheTest, DrawingWithAlphaGreyBrightnessAndRotation) {
    cGDIPCache cache;
    cache.AddImage(u"k", png(4, 4, 0xFF603020));
    cache.AlphaRenderTo(dc, u"k", 0, 0, 0, 0, 0, 0, 0, 0, 0);  // alpha 0: nothing
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
    cache.AlphaRenderTo(dc, u"k", 0, 0);
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0x60, 0x30, 0x20));
    EXPECT_EQ(GetPixel(dc, 4, 4), RGB(255, 255, 255));

    cache.AlphaRenderTo(dc, u"k", 10, 0, 0, 0, 0, 0, 0, 0, 255, true, 0, true);
    const int grey = static_cast<int>(0.35 * (0x60 + 0x30 + 0x20) + 0.5);
    const COLORREF g = GetPixel(dc, 11, 1);
    EXPECT_NEAR(GetRValue(g), grey, 1);
    EXPECT_NEAR(GetGValue(g), grey, 1);
    EXPECT_NEAR(GetBValue(g), grey, 1);
    cache.AlphaRenderTo(dc, u"k", 20, 0, 0, 0, 0, 0, 0, 0, 255, true, 50);
    EXPECT_NEAR(GetRValue(GetPixel(dc, 21, 1)), 0x60 + 128, 1);

    // Half alpha over white.
    cache.AlphaRenderTo(dc, u"k", 30, 0, 0, 0, 0, 0, 0, 0, 128);
    EXPECT_NEAR(GetGValue(GetPixel(dc, 31, 1)), (0x30 * 128 + 255 * 127) / 255, 2);

    // A red left half turned by 90 degrees lands in the top half.
    std::vector<std::uint8_t> halves;
    {
        PixelSurface s(8, 8, 0xFF0000FF);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 4; ++x)
                s.at(x, y) = 0xFFFF0000;
        halves = PngWriter::encode(s, PngWriter::Alpha::Keep);
    }
    cache.AddImage(u"halves", halves);
    whiten();
    cache.AlphaRenderTo(dc, u"halves", 0, 0, 0, 0, 0, 0, 0, 0, 255, false, 0, false, 90);
    EXPECT_EQ(GetPixel(dc, 4, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 4, 6), RGB(0, 0, 255));
}

TEST_F(GdipCacheTest, HandlesPicturesAndEncodedBytes) {
    cGDIPCache cache;
    cache.AddImage(u"k", png(3, 2, 0x80FF0000));  // half-transparent red
    const std::vector<std::uint8_t> encoded = cache.ByteArray(u"k");
    std::string why;
    auto back = PngReader::read(encoded.data(), encoded.size(), why);
    ASSERT_TRUE(back) << why;
    EXPECT_EQ(back->width, 3);
    EXPECT_EQ(back->pixels[0], 0x80FF0000u);

    // Over a blue background the bitmap is purple, fully opaque.
    const long bitmap = cache.GetHBmpFromImage(u"k", 0xFF0000);
    ASSERT_NE(bitmap, 0);
    HDC bdc = CreateCompatibleDC(HDC());
    HGDIOBJ previous = SelectObject(bdc, HBITMAP(static_cast<std::uint32_t>(bitmap)));
    const COLORREF c = GetPixel(bdc, 0, 0);
    EXPECT_NEAR(GetRValue(c), 128, 2);
    EXPECT_NEAR(GetBValue(c), 127, 2);
    SelectObject(bdc, previous);
    DeleteDC(bdc);
    cache.DestroyHBmp(bitmap);

    const long icon = cache.GetHIconFromImage(u"k");
    ASSERT_NE(icon, 0);
    DrawIconEx(dc, 0, 0, HICON(static_cast<std::uint32_t>(icon)), 0, 0, 0, HBRUSH(), DI_NORMAL);
    EXPECT_NEAR(GetGValue(GetPixel(dc, 0, 0)), 127, 2);
    // And back from the icon into an image of twice its size.
    const long fromIcon = cache.GetImageFromHIcon(icon, 6, 4);
    ASSERT_NE(cache.image(fromIcon), nullptr);
    EXPECT_EQ(cache.image(fromIcon)->width(), 6);
    cache.DestroyHIcon(icon);
    const long cursor = cache.GetHCursorFromImage(u"k", 1, 1);
    ASSERT_NE(cursor, 0);
    cache.DestroyHCursor(cursor);

    auto picture = cache.GetPicture(u"k");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->type(), StdPicture::Type::Bitmap);
    cache.AddImage(u"again", Variant(std::static_pointer_cast<Object>(picture)));
    EXPECT_EQ(cache.Width(u"again"), 3);
}

TEST_F(GdipCacheTest, ResourcesIconsAndErrors) {
    cGDIPCache cache;
    App::current().AddResource(4711, u"CUSTOM", png(5, 5, 0xFF00FF00));
    cache.AddImage(u"res", Variant(std::int32_t{4711}));
    EXPECT_EQ(cache.Width(u"res"), 5);
    EXPECT_EQ(errorNumber([&] { cache.AddImage(u"none", Variant(std::int16_t{4712})); }),
              errors::ResourceNotFound);

    std::u16string description, source;
    EXPECT_EQ(errorNumber([&] { cache.AddImage(u"d", Variant(2.5)); }, &description, &source),
              static_cast<std::int32_t>(0x80040201u));
    EXPECT_EQ(description, u"Unsupported VarType Double");
    EXPECT_EQ(source, u"cGDIPCache.AddImage");
    EXPECT_EQ(errorNumber([&] { cache.AddImage(u"big", png(2, 2, 0xFF000000), 100000, 100000); },
                          &description),
              static_cast<std::int32_t>(0x80040000u));
    EXPECT_EQ(description, u"unable to create scaled Img-Resource");
    EXPECT_FALSE(cache.Exists(u"big"));
    errorNumber([&] { cache.AddAlphaIcon(u"i", std::vector<std::uint8_t>{}, 16, 16); },
                &description, &source);
    EXPECT_EQ(description, u"Array not dimensioned.");
    EXPECT_EQ(source, u"cGDIPCache.AddAlphaIcon");

    // An icon file with one 8 × 8 PNG image, asked for at 16.
    const auto image = png(8, 8, 0xFF0000FF);
    const auto ico = orvane::test::iconFile(image, 8);
    cache.AddAlphaIcon(u"icon", ico, 16, 16);
    EXPECT_EQ(cache.Width(u"icon"), 16);
    cache.AlphaRenderTo(dc, u"icon", 0, 0);
    EXPECT_EQ(GetPixel(dc, 15, 15), RGB(0, 0, 255));
}

class GdipCacheAt144Dpi : public GdipCacheTest {
protected:
    platform::testing::TestOptions options() const override {
        platform::testing::TestOptions o;
        o.dpi = 144;
        return o;
    }
};

TEST_F(GdipCacheAt144Dpi, PositionsAndSizesScaleWithTheDc) {
    cGDIPCache cache;
    cache.AddImage(u"k", png(16, 16, 0xFF000000));
    cache.AlphaRenderTo(dc, u"k", 10, 10, 16, 16);
    EXPECT_EQ(GetPixel(dc, 14, 14), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 15, 15), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 38, 38), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 39, 39), RGB(255, 255, 255));
}

TEST_F(GdipCacheTest, LateBoundCallsReachTheSameMembers) {
    TypeLibrary library;
    cGDIPCache::registerClass(library);
    auto object = library.create(u"cGDIPCache");
    ASSERT_TRUE(object);
    std::vector<Variant> add{Variant(u"K"), Variant(png(6, 3, 0xFF00FF00)), Variant::missing(),
                             Variant::missing(), Variant::missing()};
    library.call(*object, u"AddImage", add);
    std::vector<Variant> k{Variant(u"k")};
    EXPECT_EQ(CLng(library.call(*object, u"Width", k)), 6);
    EXPECT_TRUE(CBool(library.call(*object, u"Exists", k)));
    // Only the DC and the key given: the rest take their defaults (natural size, alpha 255).
    std::vector<Variant> draw{Variant(static_cast<std::int32_t>(dc.value)), Variant(u"K")};
    for (int i = 0; i < 13; ++i)
        draw.push_back(Variant::missing());
    library.call(*object, u"AlphaRenderTo", draw);
    EXPECT_EQ(GetPixel(dc, 5, 2), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 6, 2), RGB(255, 255, 255));
    // SolidFill with its alpha left out fills opaquely.
    std::vector<Variant> fill{Variant(static_cast<std::int32_t>(dc.value)),
                              Variant(0x0000FF),
                              Variant(20),
                              Variant(20),
                              Variant(4),
                              Variant(4),
                              Variant::missing()};
    library.call(*object, u"SolidFill", fill);
    EXPECT_EQ(GetPixel(dc, 21, 21), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 24, 24), RGB(255, 255, 255));
    std::vector<Variant> noArgs;
    auto keys =
        std::dynamic_pointer_cast<Collection>(library.call(*object, u"Keys", noArgs).object());
    ASSERT_TRUE(keys);
    EXPECT_EQ(CStr(keys->Item(Variant(1))), u"K");
}
