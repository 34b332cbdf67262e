// A list of images of one size and colour depth, with masks, kept in a platform image list, and
// beside each image a key and a tag. Images come from files, bytes, pictures, resources, handles
// and picture boxes; they are addressed by 1-based index or by key, drawn normal, selected, cut
// or disabled, saved to and loaded from list files, and persisted in the form as one block.
// The control is invisible while the form runs; in design mode it shows as an icon.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/PropertyTable.h"
#include "host/OleColor.h"
#include "host/StdPicture.h"
#include "host/UserControl.h"
#include "platform/comctl/ImageList.h"
#include "platform/gdi/PixelSurface.h"
#include "services/imagelist/ImageListEnums.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;
class cGDIPCache;

class ucImageList : public UserControl {
public:
    ucImageList();
    ~ucImageList() override;
    std::u16string className() const override { return u"ucImageList"; }
    // Publishes the class, its members and enumerations in `library`, and as the form-file
    // class "ucImageList" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // --- The list ---
    // Bits per pixel of the screen.
    std::int32_t SystemColorDepth() const;
    // Destroys the list there is, then makes an empty one at ImageWidth × ImageHeight and
    // ColorDepth, with masks. False when the platform cannot make it.
    bool Create();
    // Destroys the list with its images, keys and tags; himl is 0 until Create.
    void Destroy();
    // The platform image list (0 without one); the default member.
    platform::HIMAGELIST himl() const { return m_himl; }
    // How many images the list holds.
    std::int32_t ImageCount() const;
    // Removes every image, key and tag and makes a new list.
    void Clear();

    // The width of the images in pixels, 1 to 1024. Setting it makes a new, empty list; while
    // the list holds images a change raises error 1001.
    std::int16_t ImageWidth() const { return m_width; }
    void ImageWidth(std::int16_t value) { setProperty(m_width, value); }
    // The height of the images in pixels, as ImageWidth.
    std::int16_t ImageHeight() const { return m_height; }
    void ImageHeight(std::int16_t value) { setProperty(m_height, value); }
    // The bits per pixel of the images (4, 8, 16, 24 or 32; 32 keeps their alpha), as
    // ImageWidth.
    eimlColorDepth ColorDepth() const { return m_colorDepth; }
    void ColorDepth(eimlColorDepth value) { setProperty(m_colorDepth, value); }
    // Which pixels of an added bitmap are transparent: none, those of the colour of its
    // top-left pixel, or those of MaskColor.
    eilMaskColor UseMaskColor() const { return m_useMaskColor; }
    void UseMaskColor(eilMaskColor value) { setProperty(m_useMaskColor, value); }
    // The transparent colour of added bitmaps when UseMaskColor is eilMaskColorSpecified.
    OLE_COLOR MaskColor() const { return m_maskColor; }
    void MaskColor(OLE_COLOR value) { setProperty(m_maskColor, value); }

    // --- Items: vKey is a 1-based index (a number) or a key (a string, any case) ---
    // The list index (from 0) of an image; error 9 for an index out of range or an unknown key.
    std::int32_t ItemIndex(const Variant& vKey) const;
    // The key of image iIndex (from 1); error 9 out of range. Keys and tags may hold any text
    // but a TAB (error 5), which separates them where they are stored.
    std::u16string ItemKey(std::int32_t iIndex) const;
    void ItemKey(std::int32_t iIndex, std::u16string value);
    // The tag of image iIndex (from 1), any text the program keeps with it; error 9 out of range.
    std::u16string ItemTag(std::int32_t iIndex) const;
    void ItemTag(std::int32_t iIndex, std::u16string value);
    // Whether an image has the key (keys ignore case; "" is no key).
    bool KeyExists(const std::u16string& sKey) const;
    // A picture of the image (an icon the picture owns).
    std::shared_ptr<StdPicture> ItemPicture(const Variant& vKey) const;
    // A new icon of the image; the caller destroys it.
    platform::HICON ItemCopyOfIcon(const Variant& vKey) const;
    // Removes the image with its key and tag; later images move down one.
    void RemoveImage(const Variant& vKey);
    // Exchanges two images with their keys and tags (eilSwap), or draws the source's image over
    // the destination's (eilCopy; the destination keeps its key and tag).
    void SwapOrCopyImage(const Variant& vKeySrc, const Variant& vKeyDst,
                         eilSwapTypes eSwap = eilSwapTypes::eilSwap);

    // --- Adding: each returns the 1-based index of the new image, 0 when nothing was added.
    // vKeyAfter places it after that image (0: first), else it goes last. ---
    // Adds an image file (a path), encoded bytes (PNG, GIF, JPEG, WebP, TIFF, BMP, ICO) or a
    // picture, decoded at DesiredWidth × DesiredHeight (0: the list's size; a strip as wide as
    // several images adds each). Without UseMaskColor the image keeps its own transparency;
    // otherwise it is laid on white (top-left pixel) or MaskColor and that colour is masked.
    // Without sKey and with SetKeysFromFilenames a file's name without its extension is the key.
    // bMapSysColors maps black, the greys and white to the 3D system colours.
    std::int32_t AddFromFile(const Variant& FileNameOrBytesOrStdPicture,
                             const std::u16string& sKey = u"", bool bMapSysColors = false,
                             const Variant& vKeyAfter = Variant::missing(),
                             std::int32_t DesiredWidth = 0, std::int32_t DesiredHeight = 0);
    // Adds resource lID of the program (App::AddResource) of type "BITMAP" (a .bmp file),
    // "ICON" (an .ico file) or "CURSOR" (a .cur file), as iType says; hInst is not looked at.
    // Error 326 for a resource the program does not have.
    std::int32_t AddFromResourceID(std::int32_t lID, platform::HINSTANCE hInst, EILImageTypes iType,
                                   const std::u16string& sKey = u"", bool bMapSysColors = false,
                                   const Variant& vKeyAfter = Variant::missing());
    // Adds a bitmap (masked as UseMaskColor says), an icon or a cursor the caller keeps. False
    // when the handle is not one.
    bool AddFromHandle(std::uint32_t hImage, EILImageTypes iType, const std::u16string& sKey = u"",
                       const Variant& vKeyAfter = Variant::missing());
    // Adds the image-sized area at (LeftPixels, TopPixels) of a picture: a StdPicture, or any
    // object with a Picture property (a picture box).
    std::int32_t AddFromPictureBox(const Variant& pic, const std::u16string& sKey = u"",
                                   std::int32_t LeftPixels = 0, std::int32_t TopPixels = 0);

    // --- Drawing ---
    // Draws an image at (x, y) pixels on hdc: plain; selected (50%) or cut (25%) blended with
    // oCutDitherColor (-1: the window colour); or disabled, embossed in the 3D highlight and
    // shadow colours. With hExternalIml, the image of that index in that list.
    void DrawImage(const Variant& vKey, platform::HDC hdc, std::int32_t xPixels,
                   std::int32_t yPixels, bool bSelected = false, bool bCut = false,
                   bool bDisabled = false, OLE_COLOR oCutDitherColor = SystemColor(5),
                   platform::HIMAGELIST hExternalIml = platform::HIMAGELIST());
    // A bitmap picture of the images vStartKey to vEndKey (all of them when left out) side by
    // side on oBackColor; null without images.
    std::shared_ptr<StdPicture> ImagePictureStrip(const Variant& vStartKey = Variant::missing(),
                                                  const Variant& vEndKey = Variant::missing(),
                                                  OLE_COLOR oBackColor = vbButtonFace) const;

    // --- Files and records ---
    // Writes the list file (images, then keys); false without a list or when the file cannot
    // be written.
    bool SaveToFile(const std::u16string& sFile) const;
    // Replaces the images and keys with a list file's (tags become ""); a file that is not a
    // whole list file changes nothing and gives false, as does having no list.
    bool LoadFromFile(const std::u16string& sFile);
    // Writes hIcon as one record at b[lByteStart] (from 0), growing b as needed; lArraySize
    // receives its length. lhDC reads the bitmaps (0: a DC of its own). False for a handle that
    // is not an icon.
    bool SerialiseIcon(platform::HDC lhDC, platform::HICON hIcon, std::vector<std::uint8_t>& b,
                       std::int32_t lByteStart, std::int32_t& lArraySize) const;
    // Makes hIcon from the record at b[lByteStart]; lArraySize receives the record's length.
    // A damaged record gives 0 for both.
    void DeSerialiseIcon(platform::HDC lhDC, platform::HICON& hIcon,
                         const std::vector<std::uint8_t>& b, std::int32_t lByteStart,
                         std::int32_t& lArraySize) const;

    // --- For the property page (persisted, not published) ---
    // The folder images were last added from.
    const std::u16string& LastFileAddPath() const { return m_lastFileAddPath; }
    void LastFileAddPath(std::u16string value) { setProperty(m_lastFileAddPath, std::move(value)); }
    // The list file last saved or loaded.
    const std::u16string& LastSaveLoadPath() const { return m_lastSaveLoadPath; }
    void LastSaveLoadPath(std::u16string v) { setProperty(m_lastSaveLoadPath, std::move(v)); }
    // Whether a file added without a key is keyed by its name.
    bool SetKeysFromFilenames() const { return m_setKeysFromFilenames; }
    void SetKeysFromFilenames(bool value) { setProperty(m_setKeysFromFilenames, value); }

    // The image block of every image, as "Images" stores it and a list file holds it.
    std::vector<std::uint8_t> imageBlock() const;
    // Called by the property declarations after a value changed.
    void applyChange(const PropertyRow& row);

protected:
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) override;
    void Paint() override;
    void HitTest(double x, double y, HitResult& result) override;
    void Terminate() override;

private:
    static PropertyTable declare();
    static const PropertyTable& table();
    template <class V>
    void setProperty(V& field, V value) {
        table().rowOf(*this, field).assign(*this, std::move(value));
    }
    // Raises 1001 for a change of the image size or depth while there are images.
    void refuseWhileImages(const char16_t* what) const;
    void repaintInDesigner();

    // Addressing and adding (ImageListItems.cpp). Keys and tags follow the platform list's
    // count: a program may add to himl itself.
    void syncItems();
    std::size_t indexOf(const Variant& vKey) const;
    std::size_t checkedIndex(std::int32_t iIndex) const;
    [[noreturn]] void outOfRange() const;
    std::optional<std::size_t> insertionPoint(const Variant& vKeyAfter) const;
    std::int32_t placeAdded(int before, const std::u16string& key, std::optional<std::size_t> at);
    std::int32_t addBitmap(platform::HBITMAP bitmap, const std::u16string& key,
                           std::optional<std::size_t> at);
    std::int32_t addIcon(platform::HICON icon, const std::u16string& key,
                         std::optional<std::size_t> at);
    std::int32_t addPixels(const platform::PixelSurface& source, bool bitmap,
                           const std::u16string& key, std::optional<std::size_t> at);
    std::int32_t addDecoded(const platform::PixelSurface& decoded, bool bitmap, bool mapColors,
                            const std::u16string& key, std::optional<std::size_t> at);
    void imagesChanged(bool keysToo);
    cGDIPCache& cache();
    const platform::PixelSurface* decode(const Variant& source, std::int32_t width,
                                         std::int32_t height);

    // Files and blocks (ImageListFiles.cpp).
    bool replaceImages(std::span<const std::uint8_t> block, const std::u16string& keys,
                       const std::u16string& tags);

    // Drawing (ImageListDraw.cpp).
    void drawDisabled(platform::HIMAGELIST list, int index, platform::HDC hdc, int x, int y) const;

    platform::HIMAGELIST m_himl;
    std::vector<std::u16string> m_keys;   // one for each image, in image order
    std::vector<std::u16string> m_tags;   // one for each image, in image order
    std::unique_ptr<cGDIPCache> m_cache;  // decodes what AddFromFile is given

    std::int16_t m_width = 16;                                     // ImageWidth
    std::int16_t m_height = 16;                                    // ImageHeight
    eimlColorDepth m_colorDepth = eimlColorDepth::IMLC_COLOR24;    // ColorDepth
    eilMaskColor m_useMaskColor = eilMaskColor::eilMaskColorNone;  // UseMaskColor
    OLE_COLOR m_maskColor = 0xFFFF00;                              // MaskColor
    std::u16string m_lastFileAddPath;                              // LastFileAddPath
    std::u16string m_lastSaveLoadPath;                             // LastSaveLoadPath
    bool m_setKeysFromFilenames = true;                            // SetKeysFromFilenames
};

}  // namespace orvane
