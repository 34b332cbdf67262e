// Icons and cursors from bitmaps, resource data and files: alpha and AND-mask transparency,
// scaling to the asked size, hot spots, the bitmaps GetIconInfo hands back, and refusals.
#include <cstdio>
#include <cstring>
#include <fstream>

#include <memory>

#include "platform/display/PngWriter.h"
#include "platform/gdi/GdiTestSupport.h"
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

using namespace platform;

class IconTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        canvas = std::make_unique<platform::test::Canvas>(40, 40);
        dc = canvas->dc();
    }
    void TearDown() override {
        canvas.reset();
        PlatformTest::TearDown();
    }

    // A 32-bit DIB of straight 0xAARRGGBB pixels.
    static HBITMAP dib(int w, int h, const std::vector<std::uint32_t>& pixels) {
        BITMAPINFO info{};
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP b = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits, HANDLE(), 0);
        std::memcpy(bits, pixels.data(), pixels.size() * 4);
        return b;
    }

    static std::vector<std::uint8_t> png(int w, int h, std::uint32_t colour) {
        return PngWriter::encode(PixelSurface(w, h, colour), PngWriter::Alpha::Keep);
    }

    std::unique_ptr<platform::test::Canvas> canvas;
    HDC dc;
};

TEST_F(IconTest, AlphaIconBlendsAndMaskIconCutsOut) {
    // Left half opaque red, right half blue at half alpha.
    std::vector<std::uint32_t> px(16);
    for (int i = 0; i < 16; ++i)
        px[i] = i % 4 < 2 ? 0xFFFF0000 : 0x800000FF;
    ICONINFO info;
    info.hbmColor = dib(4, 4, px);
    info.hbmMask = CreateBitmap(4, 4, 1, 1, nullptr);
    info.xHotspot = 1;
    HICON icon = CreateIconIndirect(&info);
    ASSERT_TRUE(icon);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    EXPECT_TRUE(DrawIconEx(dc, 1, 1, icon, 0, 0, 0, HBRUSH(), DI_NORMAL));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));
    const COLORREF mixed = GetPixel(dc, 4, 1);
    EXPECT_NEAR(GetRValue(mixed), 127, 2);
    EXPECT_EQ(GetBValue(mixed), 255);
    EXPECT_EQ(GetPixel(dc, 5, 1), RGB(255, 255, 255));  // outside the icon

    // Drawn at twice the size it covers twice the area.
    EXPECT_TRUE(DrawIconEx(dc, 10, 10, icon, 8, 8, 0, HBRUSH(), DI_NORMAL));
    EXPECT_EQ(GetPixel(dc, 11, 16), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 18, 10), RGB(255, 255, 255));

    ICONINFO back;
    ASSERT_TRUE(GetIconInfo(icon, &back));
    EXPECT_EQ(back.xHotspot, 2u);  // an icon's hot spot is its centre
    BITMAP bm;
    GetObjectW(back.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 4);
    DeleteObject(back.hbmColor);
    DeleteObject(back.hbmMask);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_ICON_HANDLE);

    // A colour bitmap without alpha takes its transparency from the mask.
    std::vector<std::uint32_t> green(16, 0x0000FF00);
    info.hbmColor = dib(4, 4, green);
    info.hbmMask = CreateBitmap(4, 4, 1, 1, nullptr);
    HDC maskDc = CreateCompatibleDC(HDC());
    HGDIOBJ previous = SelectObject(maskDc, info.hbmMask);
    SetPixel(maskDc, 0, 0, RGB(255, 255, 255));
    SelectObject(maskDc, previous);
    DeleteDC(maskDc);
    icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    canvas->fill(RGB(255, 255, 255));
    DrawIconEx(dc, 0, 0, icon, 0, 0, 0, HBRUSH(), DI_NORMAL);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
    // The mask alone is ANDed: black where the icon is opaque.
    canvas->fill(RGB(255, 255, 255));
    DrawIconEx(dc, 0, 0, icon, 0, 0, 0, HBRUSH(), DI_MASK);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));
    DestroyIcon(icon);
}

TEST_F(IconTest, ResourceDataIsScaledAndCursorHotSpotFollows) {
    const auto data = png(8, 8, 0xFF0080FF);
    HICON icon = CreateIconFromResourceEx(data.data(), static_cast<DWORD>(data.size()), TRUE,
                                          0x30000, 16, 16, LR_DEFAULTCOLOR);
    ASSERT_TRUE(icon);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm;
    GetObjectW(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 16);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);

    std::vector<std::uint8_t> cursor = {2, 0, 3, 0};  // hot spot (2, 3)
    cursor.insert(cursor.end(), data.begin(), data.end());
    HCURSOR c = CreateIconFromResourceEx(cursor.data(), static_cast<DWORD>(cursor.size()), FALSE,
                                         0x30000, 16, 16, 0);
    ASSERT_TRUE(c);
    ASSERT_TRUE(GetIconInfo(c, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 4u);
    EXPECT_EQ(info.yHotspot, 6u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_TRUE(DestroyCursor(c));

    const std::uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_FALSE(CreateIconFromResourceEx(junk, sizeof junk, TRUE, 0x30000, 0, 0, 0));
    EXPECT_FALSE(CreateIconFromResourceEx(data.data(), static_cast<DWORD>(data.size()), TRUE,
                                          0x30000, 0, 0, LR_MONOCHROME));
}

TEST_F(IconTest, LoadImageFromFileChoosesTheSystemIconSize) {
    // A file with a red 16 × 16 and a green 32 × 32 image, both PNG.
    const auto small = png(16, 16, 0xFFFF0000), large = png(32, 32, 0xFF00FF00);
    std::vector<std::uint8_t> file = {0, 0, 1, 0, 2, 0};
    auto entry = [&](int side, std::size_t size, std::size_t offset) {
        const std::uint8_t e[16] = {static_cast<std::uint8_t>(side),
                                    static_cast<std::uint8_t>(side),
                                    0,
                                    0,
                                    1,
                                    0,
                                    32,
                                    0,
                                    static_cast<std::uint8_t>(size),
                                    static_cast<std::uint8_t>(size >> 8),
                                    0,
                                    0,
                                    static_cast<std::uint8_t>(offset),
                                    static_cast<std::uint8_t>(offset >> 8),
                                    0,
                                    0};
        file.insert(file.end(), e, e + 16);
    };
    entry(16, small.size(), 38);
    entry(32, large.size(), 38 + small.size());
    file.insert(file.end(), small.begin(), small.end());
    file.insert(file.end(), large.begin(), large.end());
    const std::string path = ::testing::TempDir() + "orvane-two-sizes.ico";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    const std::u16string name(path.begin(), path.end());

    HICON icon(
        LoadImageW(HINSTANCE(), name.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
    ASSERT_TRUE(icon);
    DrawIconEx(dc, 0, 0, icon, 0, 0, 0, HBRUSH(), DI_NORMAL);
    EXPECT_EQ(GetPixel(dc, 31, 31), RGB(0, 255, 0));
    DestroyIcon(icon);
    icon = HICON(LoadImageW(HINSTANCE(), name.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    DrawIconEx(dc, 0, 0, icon, 0, 0, 0, HBRUSH(), DI_NORMAL);
    EXPECT_EQ(GetPixel(dc, 15, 15), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 16, 16), RGB(0, 255, 0));  // the earlier drawing
    EXPECT_FALSE(DrawIconEx(dc, 0, 0, icon, 0, 0, 0, HBRUSH(), DI_NORMAL | DI_COMPAT));
    DestroyIcon(icon);
    std::remove(path.c_str());

    const std::u16string missing = u"/nonexistent/none.ico";
    EXPECT_FALSE(LoadImageW(HINSTANCE(), missing.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace orvane::test
