// The image list on a form: defaults and what it persists, the errors it raises, images added
// from every kind of source and addressed by index and key, drawing in each state, list files
// and form files that bring the images back pixel for pixel, files that change nothing, the
// designer's icon, late-bound calls, and a create/destroy cycle that leaves nothing alive.
#include "services/imagelist/ucImageList.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/Persist.h"
#include "host/App.h"
#include "host/ErrorOf.h"
#include "host/Form.h"
#include "host/FormFile.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"
#include "platform/base/HandleTable.h"
#include "platform/gdi/GdiTestSupport.h"
#include "services/IconPixels.h"
#include "services/imagelist/ImageListFile.h"
#include "support/ControlTest.h"
#include "support/RoundTrip.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;
using orvane::test::iconPixels;
using orvane::test::patternIcon;
using orvane::test::patternPixels;
using orvane::test::png;
using Pixels = std::vector<std::uint32_t>;

class ImageListTest : public orvane::test::ControlTest {
protected:
    void TearDown() override {
        for (const auto& path : m_files)
            std::filesystem::remove(path);
        EXPECT_EQ(HandleTable::current().liveCount(ObjectKind::ImageList), 0u);
        ControlTest::TearDown();
    }
    ucImageList& imageList(Form& form, const std::u16string& name = u"iml",
                           const PropertyBag* stored = nullptr) {
        auto& l = form.add<ucImageList>(name, -1, box(10, 10, 40, 40), nullptr, stored);
        form.Show();
        pump();
        return l;
    }
    // Three pattern icons keyed a, b and c, tagged "first", "second", "third".
    void addThree(ucImageList& l) {
        const char16_t* tags[] = {u"first", u"second", u"third"};
        for (int seed = 0; seed < 3; ++seed) {
            const HICON icon = patternIcon(seed);
            ASSERT_TRUE(l.AddFromHandle(icon.value, EILImageTypes::eIMAGE_ICON,
                                        std::u16string(1, static_cast<char16_t>(u'a' + seed))));
            DestroyIcon(icon);
            l.ItemTag(seed + 1, tags[seed]);
        }
    }
    // The premultiplied pixels of image vKey.
    Pixels pixelsOf(const ucImageList& l, const Variant& vKey) {
        const HICON icon = l.ItemCopyOfIcon(vKey);
        Pixels p = iconPixels(icon);
        DestroyIcon(icon);
        return p;
    }
    std::u16string tempPath(const std::string& name) {
        m_files.push_back(std::filesystem::temp_directory_path() / ("orvane-iml-" + name));
        return FromUtf8(m_files.back().string());
    }
    static std::vector<std::uint8_t> readAll(const std::u16string& path) {
        std::ifstream in(ToUtf8(path), std::ios::binary);
        return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), {});
    }
    static void writeAll(const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(ToUtf8(path), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    static std::u16string descriptionOf(const std::function<void()>& f,
                                        std::u16string* source = nullptr) {
        try {
            f();
        } catch (const Error& e) {
            if (source) *source = e.source();
            return e.description();
        }
        return u"";
    }

private:
    std::vector<std::filesystem::path> m_files;
};

}  // namespace

// --- Defaults, persistence and errors ---

TEST_F(ImageListTest, NewAndStoredListsTakeTheirDefaults) {
    Form form(u"Form1");
    const PropertyBag empty;
    for (ucImageList* l : {&imageList(form, u"fresh"), &imageList(form, u"stored", &empty)}) {
        EXPECT_EQ(l->ImageWidth(), 16);
        EXPECT_EQ(l->ImageHeight(), 16);
        EXPECT_EQ(l->ColorDepth(), eimlColorDepth::IMLC_COLOR24);
        EXPECT_EQ(l->UseMaskColor(), eilMaskColor::eilMaskColorNone);
        EXPECT_EQ(l->MaskColor(), 0xFFFF00u);
        EXPECT_TRUE(l->SetKeysFromFilenames());
        EXPECT_EQ(l->LastFileAddPath(), u"");
        EXPECT_EQ(l->ImageCount(), 0);
        EXPECT_EQ(l->SystemColorDepth(), 32);  // the screen's depth
        ASSERT_TRUE(l->himl());
        int cx = 0, cy = 0;
        EXPECT_TRUE(ImageList_GetIconSize(l->himl(), &cx, &cy));
        EXPECT_EQ(cx, 16);
        EXPECT_FALSE(l->changed());
    }
}

TEST_F(ImageListTest, AnEmptyListPersistsSizeAndImagesAsZero) {
    Form form(u"Form1");
    auto& l = imageList(form);
    PropertyBag bag;
    l.save(bag);
    EXPECT_EQ(bag.ReadProperty(u"Size"), Variant(std::int32_t{0}));
    EXPECT_EQ(bag.ReadProperty(u"Images"), Variant(std::int32_t{0}));
    EXPECT_EQ(CLng(bag.ReadProperty(u"KeyCount", Variant(std::int32_t{0}))), 0);
    EXPECT_EQ(CStr(bag.ReadProperty(u"Keys", Variant(u""))), u"");
    // Only the two are written; every other value is its default.
    std::vector<std::u16string> keys;
    for (const auto& [key, value] : bag.entries())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::u16string>{u"Size", u"Images"}));

    // Changed values are written under their keys, texts as strings.
    l.ImageWidth(24);
    l.ColorDepth(eimlColorDepth::IMLC_COLOR32);
    l.UseMaskColor(eilMaskColor::eilMaskColorSpecified);
    l.LastFileAddPath(u"C:\\Pictures");
    l.SetKeysFromFilenames(false);
    PropertyBag changed;
    l.save(changed);
    EXPECT_EQ(changed.ReadProperty(u"ImageWidth"), Variant(std::int16_t{24}));
    EXPECT_EQ(changed.ReadProperty(u"ColorDepth"), Variant(std::int32_t{32}));
    EXPECT_EQ(changed.ReadProperty(u"UseMaskColor"), Variant(std::int32_t{2}));
    EXPECT_EQ(changed.ReadProperty(u"LastFileAddPath"), Variant(u"C:\\Pictures"));
    EXPECT_EQ(changed.ReadProperty(u"SetKeysFromFilenames"), Variant(false));
}

TEST_F(ImageListTest, SizeAndDepthChangeOnlyWhileTheListIsEmpty) {
    Form form(u"Form1");
    auto& l = imageList(form);
    // On an empty list a new width makes a new list of that width.
    const HIMAGELIST before = l.himl();
    l.ImageWidth(32);
    EXPECT_NE(l.himl(), before);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(l.himl(), &cx, &cy);
    EXPECT_EQ(cx, 32);
    EXPECT_EQ(cy, 16);
    EXPECT_TRUE(l.changed());
    EXPECT_EQ(orvane::test::errorOf([&] { l.ImageWidth(0); }), 380);
    EXPECT_EQ(orvane::test::errorOf([&] { l.ImageHeight(1025); }), 380);
    EXPECT_EQ(orvane::test::errorOf([&] { l.ColorDepth(static_cast<eimlColorDepth>(12)); }), 380);

    addThree(l);
    std::u16string source;
    EXPECT_EQ(descriptionOf([&] { l.ImageWidth(16); }, &source),
              u"ImageCount must be 0 to change Width\r\nPlease go to PropertyPage");
    EXPECT_EQ(source, u"VelImageList");
    EXPECT_EQ(descriptionOf([&] { l.ImageHeight(8); }),
              u"ImageCount must be 0 to change Height\r\nPlease go to PropertyPage");
    EXPECT_EQ(descriptionOf([&] { l.ColorDepth(eimlColorDepth::IMLC_COLOR8); }),
              u"ImageCount must be 0 to change ColorDepth\r\nPlease go to PropertyPage");
    EXPECT_EQ(orvane::test::errorOf([&] { l.ImageWidth(8); }), 1001);
    // The same value is no change; nothing was lost.
    EXPECT_EQ(orvane::test::errorOf([&] { l.ImageWidth(32); }), 0);
    EXPECT_EQ(l.ImageCount(), 3);
    EXPECT_EQ(l.ImageWidth(), 32);
}

TEST_F(ImageListTest, BadIndicesAndUnknownKeysRaise9) {
    Form form(u"Form1");
    auto& l = imageList(form);
    addThree(l);
    for (const Variant& bad : {Variant(std::int32_t{0}), Variant(std::int32_t{4}),
                               Variant(std::int32_t{-1}), Variant(u"d"), Variant(u""), Variant()}) {
        EXPECT_EQ(orvane::test::errorOf([&] { l.ItemIndex(bad); }), 9) << orvane::test::shown(bad);
        EXPECT_EQ(orvane::test::errorOf([&] { l.RemoveImage(bad); }), 9);
    }
    EXPECT_EQ(orvane::test::errorOf([&] { l.ItemKey(4); }), 9);
    // A TAB separates stored keys and tags, so none may hold one.
    EXPECT_EQ(orvane::test::errorOf([&] { l.ItemKey(1, u"a\tb"); }), 5);
    EXPECT_EQ(orvane::test::errorOf([&] { l.ItemTag(1, u"\t"); }), 5);
    EXPECT_EQ(
        orvane::test::errorOf([&] { l.AddFromHandle(0x777, EILImageTypes::eIMAGE_ICON, u"x\ty"); }),
        5);
    EXPECT_EQ(l.ItemKey(1), u"a");
    EXPECT_EQ(orvane::test::errorOf([&] { l.ItemTag(0, u"x"); }), 9);
    EXPECT_EQ(orvane::test::errorOf(
                  [&] { l.AddFromFile(png(16, 16, 0xFF0000FF), u"", false, Variant(u"zz")); }),
              9);
    EXPECT_EQ(l.ImageCount(), 3);  // the refused add added nothing
    // The source names the application.
    const std::u16string title = App::current().Title();
    std::u16string source, untitled;
    App::current().Title(u"Viewer");
    descriptionOf([&] { l.ItemIndex(Variant(std::int32_t{9})); }, &source);
    App::current().Title(u"");
    descriptionOf([&] { l.ItemIndex(Variant(u"nope")); }, &untitled);
    App::current().Title(title);
    EXPECT_EQ(source, u"Viewer.kvxImageList");
    EXPECT_EQ(untitled, u"Orvane.kvxImageList");
}

// --- Items ---

TEST_F(ImageListTest, ImagesAreFoundByIndexAndByKeyWhateverTheirCase) {
    Form form(u"Form1");
    auto& l = imageList(form);
    l.ColorDepth(eimlColorDepth::IMLC_COLOR32);
    addThree(l);
    EXPECT_EQ(l.ImageCount(), 3);
    EXPECT_EQ(ImageList_GetImageCount(l.himl()), 3);
    EXPECT_EQ(l.ItemIndex(Variant(u"B")), 1);
    EXPECT_EQ(l.ItemIndex(Variant(3.0)), 2);
    EXPECT_TRUE(l.KeyExists(u"C"));
    EXPECT_FALSE(l.KeyExists(u""));
    EXPECT_EQ(pixelsOf(l, Variant(u"b")), patternPixels(1));
    l.ItemKey(2, u"beta");
    EXPECT_EQ(l.ItemKey(2), u"beta");
    EXPECT_FALSE(l.KeyExists(u"b"));

    // Removing moves the later images down, keys and tags with them.
    l.RemoveImage(Variant(u"a"));
    EXPECT_EQ(l.ImageCount(), 2);
    EXPECT_EQ(l.ItemKey(1), u"beta");
    EXPECT_EQ(l.ItemTag(2), u"third");
    EXPECT_EQ(pixelsOf(l, Variant(std::int32_t{1})), patternPixels(1));

    // Swapping exchanges everything; copying draws over the image alone.
    l.SwapOrCopyImage(Variant(std::int32_t{1}), Variant(u"c"));
    EXPECT_EQ(l.ItemKey(1), u"c");
    EXPECT_EQ(l.ItemTag(1), u"third");
    EXPECT_EQ(pixelsOf(l, Variant(u"c")), patternPixels(2));
    l.SwapOrCopyImage(Variant(u"c"), Variant(u"beta"), eilSwapTypes::eilCopy);
    EXPECT_EQ(pixelsOf(l, Variant(u"beta")), patternPixels(2));
    EXPECT_EQ(l.ItemKey(2), u"beta");
    EXPECT_EQ(l.ItemTag(2), u"second");

    l.Clear();
    EXPECT_EQ(l.ImageCount(), 0);
    EXPECT_FALSE(l.KeyExists(u"c"));
    l.Destroy();
    EXPECT_FALSE(l.himl());
    EXPECT_EQ(l.ImageCount(), 0);
    EXPECT_EQ(l.AddFromFile(png(16, 16, 0xFF00FF00)), 0);  // no list, nothing added
}

TEST_F(ImageListTest, ImagesGoWhereTheyAreAskedAndFilesKeyThemByName) {
    Form form(u"Form1");
    auto& l = imageList(form);
    l.ColorDepth(eimlColorDepth::IMLC_COLOR32);
    EXPECT_EQ(l.AddFromFile(png(16, 16, 0xFF0000FF), u"blue"), 1);
    EXPECT_EQ(l.AddFromFile(png(16, 16, 0xFFFF0000), u"red", false, Variant(std::int32_t{0})), 1);
    EXPECT_EQ(l.AddFromFile(png(16, 16, 0xFF00FF00), u"green", false, Variant(u"red")), 2);
    const auto key = [&l](int i) { return l.ItemKey(i); };
    EXPECT_EQ(key(1) + key(2) + key(3), u"redgreenblue");
    EXPECT_EQ(pixelsOf(l, Variant(u"green"))[0], 0xFF00FF00u);

    // A file's name keys it, unless a key is given or the flag is off.
    const std::u16string file = tempPath("Yellow Star.png");
    writeAll(file, png(8, 8, 0xFFFFFF00));
    EXPECT_EQ(l.AddFromFile(Variant(file)), 4);
    EXPECT_EQ(key(4), u"orvane-iml-Yellow Star");
    EXPECT_EQ(pixelsOf(l, Variant(std::int32_t{4})).size(), 256u);  // decoded at the list's size
    EXPECT_EQ(l.AddFromFile(Variant(file), u"mine"), 5);
    l.SetKeysFromFilenames(false);
    EXPECT_EQ(l.AddFromFile(Variant(file)), 6);
    EXPECT_EQ(key(5) + u"|" + key(6), u"mine|");
    // A strip as wide as two images adds both.
    EXPECT_EQ(l.AddFromFile(png(32, 16, 0xFF102030), u"strip", false, Variant(), 32, 16), 7);
    EXPECT_EQ(l.ImageCount(), 8);
    EXPECT_EQ(key(7) + u"|" + key(8), u"strip|");
    // What does not decode adds nothing.
    EXPECT_EQ(l.AddFromFile(std::vector<std::uint8_t>{1, 2, 3, 4}), 0);
    EXPECT_EQ(orvane::test::errorOf([&] { l.AddFromFile(Variant(u"/no/such/file.png")); }), 53);
}

TEST_F(ImageListTest, MaskColoursTakeOutTheirPixels) {
    Form form(u"Form1");
    auto& l = imageList(form);
    // A bitmap half magenta: with MaskColor magenta that half is transparent.
    const HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
    const HDC dc = CreateCompatibleDC(HDC());
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255)),
                 blue = CreateSolidBrush(RGB(0, 0, 255));
    const RECT left{0, 0, 8, 16}, right{8, 0, 16, 16};
    FillRect(dc, &left, magenta);
    FillRect(dc, &right, blue);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(magenta);
    DeleteObject(blue);

    l.UseMaskColor(eilMaskColor::eilMaskColorSpecified);
    l.MaskColor(RGB(255, 0, 255));
    EXPECT_TRUE(l.AddFromHandle(bitmap.value, EILImageTypes::eIMAGE_BITMAP, u"masked"));
    l.UseMaskColor(eilMaskColor::eilMaskColorTopLeftPixel);
    EXPECT_TRUE(l.AddFromHandle(bitmap.value, EILImageTypes::eIMAGE_BITMAP, u"corner"));
    l.UseMaskColor(eilMaskColor::eilMaskColorNone);
    EXPECT_TRUE(l.AddFromHandle(bitmap.value, EILImageTypes::eIMAGE_BITMAP, u"plain"));
    EXPECT_FALSE(l.AddFromHandle(0x777, EILImageTypes::eIMAGE_BITMAP));
    EXPECT_FALSE(l.AddFromHandle(0x777, EILImageTypes::eIMAGE_ICON));
    DeleteObject(bitmap);

    platform::test::Canvas canvas(48, 16, RGB(255, 255, 255));
    l.DrawImage(Variant(u"masked"), canvas.dc(), 0, 0);
    l.DrawImage(Variant(u"corner"), canvas.dc(), 16, 0);
    l.DrawImage(Variant(u"plain"), canvas.dc(), 32, 0);
    EXPECT_EQ(canvas.at(2, 5), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(12, 5), RGB(0, 0, 255));
    EXPECT_EQ(canvas.at(18, 5), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(34, 5), RGB(255, 0, 255));
}

TEST_F(ImageListTest, PicturesResourcesAndPictureBoxesAddTheirImages) {
    Form form(u"Form1");
    auto& l = imageList(form);
    l.ColorDepth(eimlColorDepth::IMLC_COLOR32);
    // A resource icon file, drawn at the list's size.
    App::current().AddResource(801, u"ICON", orvane::test::iconFile(png(32, 32, 0xFF00FF00), 32));
    EXPECT_EQ(l.AddFromResourceID(801, HINSTANCE(), EILImageTypes::eIMAGE_ICON, u"res"), 1);
    App::current().RemoveResource(801, u"ICON");
    EXPECT_EQ(pixelsOf(l, Variant(u"res"))[17], 0xFF00FF00u);
    EXPECT_EQ(orvane::test::errorOf(
                  [&] { l.AddFromResourceID(802, HINSTANCE(), EILImageTypes::eIMAGE_BITMAP); }),
              326);

    // A picture: the image-sized area at (left, top) of it.
    const HICON big = patternIcon(4, 24, 24);
    auto picture = StdPicture::fromIcon(big, 24, 24);
    EXPECT_EQ(l.AddFromPictureBox(Variant(std::static_pointer_cast<Object>(picture)), u"pic", 8, 8),
              2);
    const Pixels whole = iconPixels(big);
    const Pixels area = pixelsOf(l, Variant(u"pic"));
    ASSERT_EQ(area.size(), 256u);
    EXPECT_EQ(area[0], whole[8 * 24 + 8]);
    EXPECT_EQ(area[15 * 16 + 15], whole[23 * 24 + 23]);
    EXPECT_EQ(orvane::test::errorOf([&] { l.AddFromPictureBox(Variant(u"not a picture")); }), 13);

    // ItemPicture hands out an icon picture of the image.
    auto item = l.ItemPicture(Variant(u"pic"));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->type(), StdPicture::Type::Icon);
    EXPECT_EQ(iconPixels(HICON(static_cast<std::uint32_t>(item->Handle()))), area);
}

// --- Drawing ---

TEST_F(ImageListTest, ImagesDrawPlainSelectedCutAndDisabled) {
    Form form(u"Form1");
    auto& l = imageList(form);
    l.AddFromFile(png(16, 16, 0xFF000000), u"black");
    platform::test::Canvas canvas(80, 20, RGB(255, 255, 255));
    l.DrawImage(Variant(u"black"), canvas.dc(), 0, 0);
    l.DrawImage(Variant(u"black"), canvas.dc(), 20, 0, true, false, false, RGB(0, 0, 255));
    l.DrawImage(Variant(u"black"), canvas.dc(), 40, 0, false, true, false, RGB(0, 0, 255));
    l.DrawImage(Variant(u"black"), canvas.dc(), 60, 0, false, false, true);
    EXPECT_EQ(canvas.at(5, 5), RGB(0, 0, 0));
    // Selected: blended half with the colour; cut: a quarter.
    const COLORREF selected = canvas.at(25, 5), cut = canvas.at(45, 5);
    EXPECT_LE(orvane::test::channelDistance(selected, RGB(0, 0, 128)), 8) << std::hex << selected;
    EXPECT_LE(orvane::test::channelDistance(cut, RGB(0, 0, 64)), 8) << std::hex << cut;
    // Disabled: the shape in the shadow colour, its highlight one pixel down and right.
    EXPECT_EQ(canvas.at(65, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.at(76, 16), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(canvas.at(77, 5), RGB(255, 255, 255));

    // Another list's image of the same index.
    Form other(u"Form2");
    auto& second = imageList(other, u"iml2");
    second.AddFromFile(png(16, 16, 0xFF00FF00));
    l.DrawImage(Variant(u"black"), canvas.dc(), 0, 0, false, false, false, 0x80000005,
                second.himl());
    EXPECT_EQ(canvas.at(5, 5), RGB(0, 255, 0));
}

TEST_F(ImageListTest, PictureStripsLayTheImagesSideBySide) {
    Form form(u"Form1");
    auto& l = imageList(form);
    EXPECT_FALSE(l.ImagePictureStrip());
    l.AddFromFile(png(16, 16, 0xFFFF0000), u"r");
    l.AddFromFile(png(16, 16, 0x00000000), u"clear");
    l.AddFromFile(png(16, 16, 0xFF0000FF), u"b");
    auto strip = l.ImagePictureStrip(Variant(u"clear"), Variant(), RGB(0, 255, 0));
    ASSERT_TRUE(strip);
    const HBITMAP bitmap = HBITMAP(static_cast<std::uint32_t>(strip->Handle()));
    BITMAP bm;
    ASSERT_TRUE(GetObjectW(bitmap, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 32);
    EXPECT_EQ(bm.bmHeight, 16);
    const HDC dc = CreateCompatibleDC(HDC());
    const HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 4, 4), RGB(0, 255, 0));  // the clear image shows the back colour
    EXPECT_EQ(pixelsOf(l, Variant(u"clear")), Pixels(256, 0u));
    EXPECT_EQ(GetPixel(dc, 20, 4), RGB(0, 0, 255));
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(orvane::test::errorOf([&] { l.ImagePictureStrip(Variant(u"zz")); }), 9);
}

TEST_F(ImageListTest, TheDesignerSeesAnIconAndTheRunningFormNothing) {
    // In design mode: a raised button-face box with three framed pictures fanned out.
    Form design(u"Form1", false);
    imageList(design);
    const auto screen = [this](const Form& form, int x, int y) {
        const POINT p = platform->ClientToScreenPoint(form.hWnd(), x, y);
        return platform->ScreenPixel(p.x, p.y);
    };
    EXPECT_EQ(screen(design, 15, 15), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(screen(design, 30, 30), 0xD07020u);
    EXPECT_EQ(screen(design, 22, 23), 0x00C0FFu);

    Form running(u"Form2");
    auto& hidden = imageList(running);
    hidden.AddFromFile(png(16, 16, 0xFF0000FF));
    hidden.Refresh();
    pump();
    for (const auto& [x, y] : {std::pair{12, 12}, std::pair{30, 30}, std::pair{48, 48}})
        EXPECT_EQ(screen(running, x, y), formPixel(running)) << x << "," << y;
}

// --- Files ---

TEST_F(ImageListTest, ListFilesBringImagesAndKeysBack) {
    Form form(u"Form1");
    auto& l = imageList(form);
    l.ColorDepth(eimlColorDepth::IMLC_COLOR32);
    addThree(l);
    const std::u16string file = tempPath("three.iml");
    ASSERT_TRUE(l.SaveToFile(file));
    const std::vector<std::uint8_t> bytes = readAll(file);
    const std::size_t block = 3 * IconRecord::length(16, 16);
    ASSERT_EQ(bytes.size(), 8 + block + 4 + 6);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4),
              (std::vector<std::uint8_t>{0x56, 0xE4, 0x45, 0x57}));
    EXPECT_EQ(std::string(bytes.end() - 6, bytes.end()), "a\tb\tc\t");

    Form again(u"Form2");
    auto& back = imageList(again, u"back");
    back.ColorDepth(eimlColorDepth::IMLC_COLOR32);
    ASSERT_TRUE(back.LoadFromFile(file));
    EXPECT_TRUE(back.changed());
    ASSERT_EQ(back.ImageCount(), 3);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(pixelsOf(back, Variant(i)), patternPixels(i - 1)) << "image " << i;
        EXPECT_EQ(back.ItemKey(i), l.ItemKey(i));
        EXPECT_EQ(back.ItemTag(i), u"");  // the file keeps no tags
    }
    // Saved again, the file is the same to the byte.
    const std::u16string second = tempPath("three-again.iml");
    ASSERT_TRUE(back.SaveToFile(second));
    EXPECT_EQ(readAll(second), bytes);
}

TEST_F(ImageListTest, FilesThatAreNotWholeListFilesChangeNothing) {
    Form form(u"Form1");
    auto& source = imageList(form, u"source");
    addThree(source);
    const std::u16string good = tempPath("good.iml");
    ASSERT_TRUE(source.SaveToFile(good));
    const std::vector<std::uint8_t> bytes = readAll(good);

    auto& l = imageList(form, u"target");
    l.AddFromFile(png(16, 16, 0xFF123456), u"kept");
    const HIMAGELIST list = l.himl();
    const Pixels kept = pixelsOf(l, Variant(u"kept"));
    const auto unchanged = [&](const std::string& what) {
        EXPECT_EQ(l.himl(), list) << what;
        EXPECT_EQ(l.ImageCount(), 1) << what;
        EXPECT_EQ(l.ItemKey(1), u"kept") << what;
        EXPECT_EQ(pixelsOf(l, Variant(std::int32_t{1})), kept) << what;
    };
    const std::u16string bad = tempPath("bad.iml");
    std::vector<std::uint8_t> wrongMagic = bytes;
    wrongMagic[1] = 0;
    writeAll(bad, wrongMagic);
    EXPECT_FALSE(l.LoadFromFile(bad));
    unchanged("wrong magic");
    for (std::size_t cut = 0; cut < bytes.size();
         cut += (cut < 64 || cut + 64 > bytes.size()) ? 1 : 97) {
        writeAll(bad, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut));
        EXPECT_FALSE(l.LoadFromFile(bad)) << "cut at " << cut;
    }
    unchanged("cut short");
    std::vector<std::uint8_t> oversized = bytes;
    oversized[7] = 0x40;  // a block of a gigabyte
    writeAll(bad, oversized);
    EXPECT_FALSE(l.LoadFromFile(bad));
    std::vector<std::uint8_t> damaged = bytes;
    damaged[8 + 12 + 4] = 0;  // the first record's width
    writeAll(bad, damaged);
    EXPECT_FALSE(l.LoadFromFile(bad));
    EXPECT_FALSE(l.LoadFromFile(tempPath("missing.iml")));
    EXPECT_FALSE(l.SaveToFile(u"/nonexistent/folder/list.iml"));
    unchanged("oversized, damaged or missing");
    l.Destroy();
    EXPECT_FALSE(l.LoadFromFile(good));  // without a list
    EXPECT_FALSE(l.SaveToFile(tempPath("none.iml")));
}

TEST_F(ImageListTest, EveryPropertyAndImageSurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& { return imageList(form, u"ctl"); };
    const auto change = [this](UserControl& c) {
        auto& l = static_cast<ucImageList&>(c);
        l.ImageWidth(20);
        l.ImageHeight(12);
        l.ColorDepth(eimlColorDepth::IMLC_COLOR32);
        l.UseMaskColor(eilMaskColor::eilMaskColorTopLeftPixel);
        l.MaskColor(0x123456);
        l.LastSaveLoadPath(u"lists/list.iml");
        for (int seed = 0; seed < 2; ++seed) {
            const HICON icon = patternIcon(seed, 20, 12);
            l.AddFromHandle(icon.value, EILImageTypes::eIMAGE_ICON, seed ? u"" : u"Grüße");
            DestroyIcon(icon);
        }
        l.ItemTag(2, u"世界");
    };
    const orvane::test::RoundTrip trip = orvane::test::roundTrip(u"ucImageList", make, change);
    EXPECT_EQ(trip.compared, 5);
    auto& l = static_cast<ucImageList&>(trip.loaded->control(u"ctl"));
    ASSERT_EQ(l.ImageCount(), 2);
    EXPECT_EQ(l.ItemKey(1), u"Grüße");
    EXPECT_EQ(l.ItemKey(2), u"");
    EXPECT_EQ(l.ItemTag(1), u"");
    EXPECT_EQ(l.ItemTag(2), u"世界");
    EXPECT_EQ(l.LastSaveLoadPath(), u"lists/list.iml");
    EXPECT_EQ(pixelsOf(l, Variant(std::int32_t{1})), patternPixels(0, 20, 12));
    EXPECT_EQ(pixelsOf(l, Variant(std::int32_t{2})), patternPixels(1, 20, 12));

    // A block that is not whole, or disagrees with its Size, loads no image.
    PropertyBag bag;
    l.save(bag);
    const std::vector<std::uint8_t> block = bag.ReadProperty(u"Images").bytes();
    EXPECT_EQ(CLng(bag.ReadProperty(u"Size")), static_cast<std::int32_t>(block.size()));
    EXPECT_EQ(CLng(bag.ReadProperty(u"KeyCount")), 2);
    bag.store(u"Size", Variant(static_cast<std::int32_t>(block.size() - 1)));
    Form form(u"Form3");
    EXPECT_EQ(imageList(form, u"a", &bag).ImageCount(), 0);
    bag.store(u"Size", Variant(static_cast<std::int32_t>(block.size() - 1)));
    bag.store(u"Images", Variant(std::vector<std::uint8_t>(block.begin(), block.end() - 1)));
    EXPECT_EQ(imageList(form, u"b", &bag).ImageCount(), 0);
}

TEST_F(ImageListTest, RecordsAndMembersAreReachedByName) {
    Form form(u"Form1");
    auto& l = imageList(form);
    addThree(l);
    TypeLibrary& lib = TypeLibrary::current();
    // The default member is the list's handle.
    EXPECT_EQ(CLng(lib.value(Variant(std::shared_ptr<Object>(std::shared_ptr<Object>(), &l)))),
              HandleToLong(l.himl()));
    EXPECT_EQ(CLng(lib.get(l, u"ImageCount")), 3);
    std::vector<Variant> at{Variant(u"b")};
    EXPECT_EQ(CLng(lib.getAt(l, u"ItemIndex", at)), 1);
    EXPECT_EQ(lib.enumValue(u"eilMaskColor", u"eilMaskColorSpecified"), 2);

    // SerialiseIcon hands the record and its length back through its arguments.
    const HICON icon = patternIcon(5);
    std::vector<Variant> args{Variant(std::int32_t{0}), Variant(HandleToLong(icon)), Variant(),
                              Variant(std::int32_t{0}), Variant(std::int32_t{0})};
    EXPECT_EQ(lib.call(l, u"SerialiseIcon", args), Variant(true));
    DestroyIcon(icon);
    EXPECT_EQ(CLng(args[4]), static_cast<std::int32_t>(IconRecord::length(16, 16)));
    EXPECT_EQ(args[2].bytes().size(), IconRecord::length(16, 16));
    std::vector<Variant> back{Variant(std::int32_t{0}), Variant(std::int32_t{0}), args[2],
                              Variant(std::int32_t{0}), Variant(std::int32_t{0})};
    lib.call(l, u"DeSerialiseIcon", back);
    const HICON made = HICON(static_cast<std::uint32_t>(CLng(back[1])));
    EXPECT_EQ(iconPixels(made), patternPixels(5));
    EXPECT_EQ(CLng(back[4]), CLng(args[4]));
    DestroyIcon(made);
    // A record that runs past the array makes nothing.
    std::vector<Variant> cut{Variant(std::int32_t{0}), Variant(std::int32_t{0}), args[2],
                             Variant(std::int32_t{1}), Variant(std::int32_t{0})};
    lib.call(l, u"DeSerialiseIcon", cut);
    EXPECT_EQ(CLng(cut[1]), 0);
    EXPECT_EQ(CLng(cut[4]), 0);
}

TEST_F(ImageListTest, ACreateDestroyCycleLeavesNothingAlive) {
    for (int round = 0; round < 10; ++round) {
        Form form(u"Form1", round % 2 == 0);
        auto& l = imageList(form);
        addThree(l);
        l.AddFromFile(png(16, 16, 0xFF00FF00), u"png");
        platform::test::Canvas canvas(20, 20);
        l.DrawImage(Variant(u"png"), canvas.dc(), 0, 0, false, false, true);
        auto strip = l.ImagePictureStrip();
        auto picture = l.ItemPicture(Variant(u"a"));
        PropertyBag bag;
        l.save(bag);
        auto& copy = imageList(form, u"copy", &bag);
        EXPECT_EQ(copy.ImageCount(), 4);
    }
    pump();
    EXPECT_EQ(platform::testing::TestPlatform::LiveGdiObjects(), 0u);
    EXPECT_EQ(platform::testing::TestPlatform::LiveUserObjects(), 0u);
    EXPECT_EQ(HandleTable::current().liveCount(ObjectKind::ImageList), 0u);
}
