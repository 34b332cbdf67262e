// Image lists: indices through adding, replacing and removing; every depth and drawing style
// by pixel probes; overlays; copies, merges and streams; drag images on the screen.
#include <cstdlib>
#include <functional>
#include <vector>

#include "../gdi/GdiTestSupport.h"
#include "platform/base/HandleTable.h"
#include "platform/base/MemoryStream.h"
#include "platform/comctl/ImageList.h"
#include "support/PlatformTest.h"

namespace orvane::platform::test {
namespace {

using orvane::test::PlatformTest;

constexpr std::uint32_t kMagenta = 0xFF00FF;

// A 32-bit bitmap whose pixel (x, y) is f(x, y), as 0xAARRGGBB.
HBITMAP bitmapOf(int w, int h, const std::function<std::uint32_t(int, int)>& f) {
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bits[static_cast<std::size_t>(y) * w + x] = f(x, y);
    return CreateBitmap(w, h, 1, 32, bits.data());
}

// A square of one colour with a magenta border two pixels wide (the mask colour).
HBITMAP framed(std::uint32_t rgb, int side = 16) {
    return bitmapOf(side, side, [=](int x, int y) {
        const bool edge = x < 2 || y < 2 || x >= side - 2 || y >= side - 2;
        return edge ? kMagenta : rgb;
    });
}

int addFramed(HIMAGELIST list, std::uint32_t rgb) {
    Owned<HBITMAP> bitmap(framed(rgb));
    return ImageList_AddMasked(list, bitmap, RGB(0xFF, 0, 0xFF));
}

// The colour image i shows at its centre when drawn transparently on white.
COLORREF centreOf(HIMAGELIST list, int i) {
    Canvas canvas(16, 16, kWhite);
    ImageList_Draw(list, i, canvas, 0, 0, ILD_TRANSPARENT);
    return canvas.at(8, 8);
}

bool near(COLORREF a, COLORREF b, int tolerance = 1) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

class ImageListTest : public PlatformTest {
protected:
    void TearDown() override {
        EXPECT_EQ(HandleTable::current().liveCount(ObjectKind::ImageList), 0u);
        PlatformTest::TearDown();
    }
};

TEST_F(ImageListTest, IndicesMoveAsImagesAreAddedReplacedAndRemoved) {
    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
    ASSERT_TRUE(list);
    // One bitmap three images wide adds three images.
    Owned<HBITMAP> strip(bitmapOf(48, 16, [](int x, int) {
        return x < 16 ? 0xFF0000u : x < 32 ? 0x00FF00u : 0x0000FFu;
    }));
    EXPECT_EQ(ImageList_Add(list, strip, HBITMAP()), 0);
    EXPECT_EQ(addFramed(list, 0xFFFF00), 3);
    EXPECT_EQ(ImageList_GetImageCount(list), 4);
    EXPECT_EQ(centreOf(list, 1), kGreen);
    EXPECT_EQ(centreOf(list, 3), RGB(0xFF, 0xFF, 0));
    // An icon appends with -1 and replaces in place otherwise.
    HICON icon = ImageList_GetIcon(list, 2, ILD_NORMAL);
    ASSERT_TRUE(icon);
    EXPECT_EQ(ImageList_ReplaceIcon(list, -1, icon), 4);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 0, icon), 0);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 9, icon), -1);
    DestroyIcon(icon);
    EXPECT_EQ(centreOf(list, 0), kBlue);
    EXPECT_EQ(centreOf(list, 4), kBlue);
    // Removing moves the later images down.
    EXPECT_TRUE(ImageList_Remove(list, 1));
    EXPECT_EQ(ImageList_GetImageCount(list), 4);
    EXPECT_EQ(centreOf(list, 1), kBlue);
    EXPECT_EQ(centreOf(list, 2), RGB(0xFF, 0xFF, 0));
    EXPECT_FALSE(ImageList_Remove(list, 4));
    Owned<HBITMAP> red(framed(0xFF0000));
    EXPECT_TRUE(ImageList_Replace(list, 3, red, HBITMAP()));
    EXPECT_EQ(centreOf(list, 3), kRed);
    EXPECT_FALSE(ImageList_Replace(list, 4, red, HBITMAP()));
    // Counts set directly; size changes and -1 empty the list.
    EXPECT_TRUE(ImageList_SetImageCount(list, 6));
    EXPECT_EQ(ImageList_GetImageCount(list), 6);
    EXPECT_EQ(centreOf(list, 5), kWhite);  // a blank image of a masked list is transparent
    EXPECT_TRUE(ImageList_Remove(list, -1));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    addFramed(list, 0xFF0000);
    EXPECT_TRUE(ImageList_SetIconSize(list, 24, 20));
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 24);
    EXPECT_EQ(cy, 20);
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    // A bitmap narrower than one image adds nothing.
    Owned<HBITMAP> narrow(bitmapOf(10, 20, [](int, int) { return 0u; }));
    EXPECT_EQ(ImageList_Add(list, narrow, HBITMAP()), -1);
    EXPECT_TRUE(ImageList_Destroy(list));
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
}

// An icon of an image with no opaque pixel came out opaque black: its mask was left empty,
// and an icon without any alpha is drawn through its mask.
TEST_F(ImageListTest, IconOfAClearImageCameOutBlack) {
    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    Owned<HBITMAP> clear(bitmapOf(16, 16, [](int, int) { return kMagenta; }));
    ASSERT_EQ(ImageList_AddMasked(list, clear, RGB(0xFF, 0, 0xFF)), 0);
    const HICON icon = ImageList_GetIcon(list, 0, ILD_NORMAL);
    Canvas canvas(16, 16, kWhite);
    DrawIconEx(canvas, 0, 0, icon, 0, 0, 0, HBRUSH(), DI_NORMAL);
    EXPECT_EQ(canvas.at(8, 8), kWhite);
    DestroyIcon(icon);
    ImageList_Destroy(list);
}

TEST_F(ImageListTest, EachDepthKeepsWhatItCanAndMasksWork) {
    struct Case {
        UINT depth;
        COLORREF want;
    };
    // RGB(0x12, 0x34, 0x56) as each depth keeps it: the nearest of sixteen colours, of the
    // halftone cube, five bits a channel, exact.
    for (const Case& c :
         {Case{ILC_COLOR4, RGB(0, 0, 0x80)}, Case{ILC_COLOR8, RGB(0, 51, 102)},
          Case{ILC_COLOR16, RGB(0x10, 0x31, 0x52)}, Case{ILC_COLOR24, RGB(0x12, 0x34, 0x56)},
          Case{ILC_COLOR32, RGB(0x12, 0x34, 0x56)}}) {
        const HIMAGELIST list = ImageList_Create(16, 16, c.depth | ILC_MASK, 1, 1);
        addFramed(list, 0x123456);
        Canvas canvas(16, 16, kWhite);
        ImageList_Draw(list, 0, canvas, 0, 0, ILD_TRANSPARENT);
        EXPECT_EQ(canvas.at(8, 8), c.want) << "depth " << c.depth;
        EXPECT_EQ(canvas.at(0, 0), kWhite) << "the mask colour is transparent at " << c.depth;
        ImageList_Destroy(list);
    }
    // ILC_COLOR is four bits; without ILC_MASK the mask colour is just a colour.
    const HIMAGELIST plain = ImageList_Create(16, 16, ILC_COLOR, 1, 1);
    addFramed(plain, 0x123456);
    Canvas canvas(16, 16, kWhite);
    ImageList_Draw(plain, 0, canvas, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.at(8, 8), RGB(0, 0, 0x80));
    EXPECT_EQ(canvas.at(0, 0), RGB(0xFF, 0, 0xFF));
    ImageList_Destroy(plain);
    // Half-transparent red keeps its alpha at 32 bits and loses it at 24.
    Owned<HBITMAP> glass(bitmapOf(16, 16, [](int, int) { return 0x80FF0000u; }));
    for (UINT depth : {ILC_COLOR32, ILC_COLOR24}) {
        const HIMAGELIST list = ImageList_Create(16, 16, depth | ILC_MASK, 1, 1);
        ImageList_Add(list, glass, HBITMAP());
        canvas.fill(kWhite);
        ImageList_Draw(list, 0, canvas, 0, 0, ILD_NORMAL);
        EXPECT_TRUE(near(canvas.at(5, 5), depth == ILC_COLOR32 ? RGB(255, 127, 127) : kRed))
            << std::hex << canvas.at(5, 5) << " at depth " << std::dec << depth;
        ImageList_Destroy(list);
    }
    // A mask bitmap: set pixels are transparent.
    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
    Owned<HBITMAP> green(bitmapOf(16, 16, [](int, int) { return 0x00FF00u; }));
    std::vector<std::uint16_t> rows(16, 0);
    rows[3] = 0xF000;  // columns 8 to 11 of row 3 (the first pixel is the top bit)
    Owned<HBITMAP> mask(CreateBitmap(16, 16, 1, 1, rows.data()));
    ImageList_Add(list, green, mask);
    canvas.fill(kWhite);
    ImageList_Draw(list, 0, canvas, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.at(9, 3), kWhite);
    EXPECT_EQ(canvas.at(7, 3), kGreen);
    EXPECT_EQ(canvas.at(9, 4), kGreen);
    ImageList_Destroy(list);
}

TEST_F(ImageListTest, DrawingStyles) {
    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    addFramed(list, 0x2040C0);
    const COLORREF image = RGB(0x20, 0x40, 0xC0);
    Canvas canvas(40, 20, kWhite);
    auto draw = [&](UINT style, COLORREF fg = CLR_DEFAULT, COLORREF bk = CLR_DEFAULT) {
        canvas.fill(kWhite);
        ImageList_DrawEx(list, 0, canvas, 0, 0, 0, 0, bk, fg, style);
    };
    // Normal with no background colour is transparent; with one, masked pixels take it.
    draw(ILD_NORMAL);
    EXPECT_EQ(canvas.at(0, 0), kWhite);
    EXPECT_EQ(ImageList_SetBkColor(list, kGreen), CLR_NONE);
    EXPECT_EQ(ImageList_GetBkColor(list), kGreen);
    draw(ILD_NORMAL);
    EXPECT_EQ(canvas.at(0, 0), kGreen);
    EXPECT_EQ(canvas.at(8, 8), image);
    draw(ILD_TRANSPARENT);
    EXPECT_EQ(canvas.at(0, 0), kWhite);
    draw(ILD_NORMAL, CLR_DEFAULT, CLR_NONE);
    EXPECT_EQ(canvas.at(0, 0), kWhite);
    ImageList_SetBkColor(list, CLR_NONE);
    // The mask alone, and the image without it (black under the mask).
    draw(ILD_MASK);
    EXPECT_EQ(canvas.at(0, 0), kWhite);
    EXPECT_EQ(canvas.at(8, 8), kBlack);
    draw(ILD_IMAGE);
    EXPECT_EQ(canvas.at(0, 0), kBlack);
    EXPECT_EQ(canvas.at(8, 8), image);
    // Selection and focus blend a half and a quarter of the colour given; masked pixels stay.
    draw(ILD_BLEND50 | ILD_TRANSPARENT, kRed);
    EXPECT_TRUE(near(canvas.at(8, 8), RGB(0x8F, 0x20, 0x60))) << std::hex << canvas.at(8, 8);
    EXPECT_EQ(canvas.at(0, 0), kWhite);
    draw(ILD_BLEND25 | ILD_TRANSPARENT, kRed);
    EXPECT_TRUE(near(canvas.at(8, 8), RGB(0x58, 0x30, 0x90))) << std::hex << canvas.at(8, 8);
    draw(ILD_SELECTED | ILD_TRANSPARENT);  // the highlight colour by default
    const COLORREF hl = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_TRUE(
        near(canvas.at(8, 8), RGB((0x20 + GetRValue(hl) + 1) / 2, (0x40 + GetGValue(hl) + 1) / 2,
                                  (0xC0 + GetBValue(hl) + 1) / 2)));
    // With no blend colour the image lets half of what is below show through.
    draw(ILD_BLEND50 | ILD_TRANSPARENT, CLR_NONE);
    EXPECT_TRUE(near(canvas.at(8, 8), RGB(0x8F, 0x9F, 0xDF))) << std::hex << canvas.at(8, 8);
    // Part of the image, scaled, greyed, faded.
    canvas.fill(kWhite);
    ImageList_DrawEx(list, 0, canvas, 0, 0, 8, 8, CLR_NONE, CLR_DEFAULT, ILD_NORMAL);
    EXPECT_EQ(canvas.at(7, 7), image);
    EXPECT_EQ(canvas.at(8, 8), kWhite);
    IMAGELISTDRAWPARAMS p;
    p.himl = list;
    p.hdcDst = canvas;
    p.x = 2;
    p.cx = 32;
    p.cy = 16;
    p.fStyle = ILD_SCALE | ILD_TRANSPARENT;
    canvas.fill(kWhite);
    EXPECT_TRUE(ImageList_DrawIndirect(&p));
    EXPECT_TRUE(near(canvas.at(2 + 20, 8), image));  // stretched to twice the width
    EXPECT_EQ(canvas.at(2 + 1, 8), kWhite);
    p.fStyle = ILD_TRANSPARENT;
    p.cx = p.cy = 0;
    p.fState = ILS_SATURATE;
    canvas.fill(kWhite);
    ImageList_DrawIndirect(&p);
    const COLORREF grey = canvas.at(2 + 8, 8);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    EXPECT_NEAR(GetRValue(grey), (0x20 * 77 + 0x40 * 151 + 0xC0 * 28) >> 8, 1);
    p.fState = ILS_ALPHA;
    p.Frame = 0;
    canvas.fill(kWhite);
    ImageList_DrawIndirect(&p);
    EXPECT_EQ(canvas.at(2 + 8, 8), kWhite);
    // What the platform does not do fails.
    p.fState = 0;
    p.fStyle = ILD_ROP;
    EXPECT_FALSE(ImageList_DrawIndirect(&p));
    p.cbSize = 8;
    EXPECT_FALSE(ImageList_DrawIndirect(&p));
    EXPECT_FALSE(ImageList_Create(16, 16, ILC_COLOR32 | 0x2000, 1, 1));
    EXPECT_FALSE(ImageList_Draw(list, 1, canvas, 0, 0, ILD_NORMAL));
    ImageList_Destroy(list);
}

TEST_F(ImageListTest, OverlaysCopiesMergesAndStrips) {
    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    addFramed(list, 0x0000FF);
    // An overlay that covers only the top-left quarter.
    Owned<HBITMAP> corner(
        bitmapOf(16, 16, [](int x, int y) { return x < 8 && y < 8 ? 0xFF0000u : kMagenta; }));
    ImageList_AddMasked(list, corner, RGB(0xFF, 0, 0xFF));
    EXPECT_FALSE(ImageList_SetOverlayImage(list, 1, 16));
    EXPECT_TRUE(ImageList_SetOverlayImage(list, 1, 1));
    Canvas canvas(40, 40, kWhite);
    ImageList_Draw(list, 0, canvas, 0, 0, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1));
    EXPECT_EQ(canvas.at(4, 4), kRed);
    EXPECT_EQ(canvas.at(12, 12), kBlue);
    EXPECT_EQ(canvas.at(0, 15), kWhite);
    // Swapping and copying within a list.
    EXPECT_TRUE(ImageList_Copy(list, 0, list, 1, ILCF_SWAP));
    EXPECT_EQ(centreOf(list, 1), kBlue);
    EXPECT_EQ(centreOf(list, 0), kWhite);  // the corner image's centre is masked
    EXPECT_TRUE(ImageList_Copy(list, 0, list, 1, ILCF_MOVE));
    EXPECT_EQ(centreOf(list, 0), kBlue);
    EXPECT_EQ(centreOf(list, 1), kBlue);
    const HIMAGELIST other = ImageList_Duplicate(list);
    EXPECT_FALSE(ImageList_Copy(other, 0, list, 0, ILCF_MOVE));
    // A merge is as large as both images together.
    const HIMAGELIST merged = ImageList_Merge(list, 0, other, 1, 10, 4);
    ASSERT_TRUE(merged);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(merged, &cx, &cy);
    EXPECT_EQ(cx, 26);
    EXPECT_EQ(cy, 20);
    canvas.fill(kWhite);
    ImageList_Draw(merged, 0, canvas, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.at(5, 5), kBlue);
    EXPECT_EQ(canvas.at(22, 17), kBlue);
    EXPECT_EQ(canvas.at(22, 2), kWhite);
    // The strip bitmaps show every image where the rectangle says.
    for (int i = 0; i < 5; ++i)
        addFramed(other, 0x00FF00);
    IMAGEINFO info;
    ASSERT_TRUE(ImageList_GetImageInfo(other, 5, &info));
    EXPECT_EQ(info.rcImage.left, 16);
    EXPECT_EQ(info.rcImage.top, 16);
    const HDC memory = CreateCompatibleDC(HDC());
    const HGDIOBJ old = SelectObject(memory, info.hbmImage);
    EXPECT_EQ(GetPixel(memory, 16 + 8, 16 + 8), kGreen);
    SelectObject(memory, info.hbmMask);
    EXPECT_EQ(GetPixel(memory, 16 + 8, 16 + 8), kBlack);
    EXPECT_EQ(GetPixel(memory, 16, 16), kWhite);
    SelectObject(memory, old);
    DeleteDC(memory);
    ImageList_Destroy(merged);
    ImageList_Destroy(other);
    ImageList_Destroy(list);
}

TEST_F(ImageListTest, StreamsKeepEveryPixelAndRefuseDamagedData) {
    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    addFramed(list, 0x123456);
    Owned<HBITMAP> glass(bitmapOf(16, 16, [](int x, int y) {
        return static_cast<std::uint32_t>(x * 16) << 24 | static_cast<std::uint32_t>(y * 16);
    }));
    ImageList_Add(list, glass, HBITMAP());
    ImageList_SetOverlayImage(list, 1, 3);
    ImageList_SetBkColor(list, kRed);
    MemoryStream out;
    ASSERT_TRUE(ImageList_Write(list, &out));
    MemoryStream in(out.bytes());
    const HIMAGELIST back = ImageList_Read(&in);
    ASSERT_TRUE(back);
    EXPECT_EQ(in.position(), out.bytes().size());
    EXPECT_EQ(ImageList_GetImageCount(back), 2);
    EXPECT_EQ(ImageList_GetBkColor(back), kRed);
    for (UINT style : {ILD_TRANSPARENT, ILD_NORMAL | INDEXTOOVERLAYMASK(3)}) {
        Canvas a(16, 16, kWhite), b(16, 16, kWhite);
        ImageList_Draw(list, 0, a, 0, 0, style);
        ImageList_Draw(back, 0, b, 0, 0, style);
        EXPECT_EQ(a.pixels(), b.pixels());
    }
    // Cut anywhere, or with a byte of the header changed, nothing is made.
    const std::vector<std::uint8_t>& bytes = out.bytes();
    for (std::size_t n = 0; n < bytes.size(); n += (n < 100 ? 1 : 97)) {
        MemoryStream cut(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + n));
        EXPECT_FALSE(ImageList_Read(&cut)) << "cut at " << n;
    }
    for (std::size_t at : {0u, 2u, 4u, 12u, 16u, 24u}) {
        std::vector<std::uint8_t> bad = bytes;
        bad[at + 1] = 0xFF;
        MemoryStream damaged(bad);
        EXPECT_FALSE(ImageList_Read(&damaged)) << "byte " << at + 1;
    }
    EXPECT_EQ(HandleTable::current().liveCount(ObjectKind::ImageList), 2u);
    ImageList_Destroy(back);
    ImageList_Destroy(list);
}

TEST_F(ImageListTest, ManyImagesComeAndGoWithoutLeaving) {
    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
    Owned<HBITMAP> bitmap(framed(0x808080));
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(ImageList_AddMasked(list, bitmap, RGB(0xFF, 0, 0xFF)), i);
    IMAGEINFO info;
    ASSERT_TRUE(ImageList_GetImageInfo(list, 9999, &info));
    for (int i = 9999; i >= 0; i -= 2)
        ImageList_Remove(list, i);
    EXPECT_EQ(ImageList_GetImageCount(list), 5000);
    ImageList_Destroy(list);
    // Only the source bitmap is left: the strip bitmaps went with the list.
    EXPECT_EQ(GetLiveGdiObjectCount(), 1u);
}

TEST_F(ImageListTest, ADragImageFollowsTheMouseOverEverything) {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = u"DragOwner";
    ASSERT_TRUE(RegisterClassExW(&wc));
    const HWND owner = CreateWindowExW(0, u"DragOwner", u"", WS_POPUP | WS_VISIBLE, 100, 100, 300,
                                       200, HWND(), HMENU(), HINSTANCE(), nullptr);
    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    addFramed(list, 0x00C000);
    ASSERT_TRUE(ImageList_BeginDrag(list, 0, 8, 8));
    ImageList_Destroy(list);  // the drag keeps a copy of its own
    ASSERT_TRUE(ImageList_DragEnter(owner, 50, 40));
    platform::testing::TestPlatform::PumpMessages();
    // The image's centre is at the position (the hot spot), drawn partly see-through.
    const COLORREF shown = platform::testing::TestPlatform::ScreenPixel(150, 140);
    EXPECT_GT(GetGValue(shown), GetRValue(shown) + 40) << std::hex << shown;
    ASSERT_TRUE(ImageList_DragMove(150, 120));
    platform::testing::TestPlatform::PumpMessages();
    EXPECT_EQ(platform::testing::TestPlatform::ScreenPixel(150, 140),
              platform::testing::TestPlatform::ScreenPixel(150, 170));
    EXPECT_EQ(platform::testing::TestPlatform::ScreenPixel(250, 220), shown);
    // The mask colour border is keyed out.
    EXPECT_NE(platform::testing::TestPlatform::ScreenPixel(250 - 7, 220 - 7), shown);
    POINT at{}, hot{};
    EXPECT_TRUE(ImageList_GetDragImage(&at, &hot));
    EXPECT_EQ(at.x, 150);
    EXPECT_EQ(hot.y, 8);
    ImageList_DragShowNolock(FALSE);
    platform::testing::TestPlatform::PumpMessages();
    EXPECT_NE(platform::testing::TestPlatform::ScreenPixel(250, 220), shown);
    ImageList_DragShowNolock(TRUE);
    EXPECT_TRUE(ImageList_DragLeave(owner));
    ImageList_EndDrag();
    EXPECT_FALSE(ImageList_GetDragImage(nullptr, nullptr));
    EXPECT_FALSE(ImageList_DragMove(1, 1));
    DestroyWindow(owner);
}

}  // namespace
}  // namespace orvane::platform::test
