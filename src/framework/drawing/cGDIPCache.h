// The image cache every control with a picture owns: images loaded from files, resources, byte
// arrays or pictures, decoded once and kept by case-insensitive key as premultiplied bitmaps of
// the size they will be drawn at, then drawn onto any DC with alpha, rotation, brightness and
// grey. Multi-frame images may also keep each frame under "key|i".
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/drawing/AlphaCanvas.h"
#include "host/StdPicture.h"
#include "host/TypeLibrary.h"
#include "host/Variant.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/imaging/ImageGraphics.h"

namespace orvane {

class cGDIPCache : public Object {
public:
    cGDIPCache();
    ~cGDIPCache() override;
    cGDIPCache(const cGDIPCache&) = delete;
    cGDIPCache& operator=(const cGDIPCache&) = delete;
    std::u16string typeName() const override { return u"cGDIPCache"; }

    // Caches an icon (or cursor) under `key`, replacing what the key held: from a file name, the
    // bytes of an .ico file or a "Custom" resource number. From an icon file the entry that suits
    // the size best is taken, drawn at DesiredWidth × DesiredHeight (0: its own size). An empty
    // byte array raises error 9; a missing file 53.
    void AddAlphaIcon(const std::u16string& key, const Variant& FileNameOrBytesOrResourceID,
                      std::int32_t DesiredWidth, std::int32_t DesiredHeight);
    // Caches an image under `key`, replacing what the key held: from a file name, bytes (PNG, GIF,
    // JPEG, WebP, TIFF, BMP, ICO), a StdPicture or a "Custom" resource number, decoded once and
    // scaled (high-quality bicubic) to DesiredWidth × DesiredHeight (0: its own size). Data that
    // does not decode leaves the key absent. With CacheMultiFrames an animation also keeps each
    // frame under "key|0", "key|1", ...
    void AddImage(const std::u16string& key, const Variant& FileNameOrBytesOrStdPictureOrResourceID,
                  std::int32_t DesiredWidth = 0, std::int32_t DesiredHeight = 0,
                  bool CacheMultiFrames = false);
    // Caches the part x, y, dx × dy of the cached image `from` as an image of its own under
    // `key`, replacing what the key held: drawn stretched, it never takes in the pixels around
    // it. Nothing is cached when `from` is unknown or the part does not lie inside it.
    void AddImagePart(const std::u16string& key, const std::u16string& from, std::int32_t x,
                      std::int32_t y, std::int32_t dx, std::int32_t dy);
    // Draws the cached image `key` onto `hdc` at (x, y) in dx × dy (0: the image's size), from the
    // part xSrc, ySrc, dxSrc × dySrc of the image (0: all of it), at opacity Alpha (0-255),
    // Brightness added to each channel (percent), in grey, turned by Angle degrees about the
    // centre. Positions and sizes are at 96 DPI and follow the DC's DPI. An unknown key draws
    // nothing.
    void AlphaRenderTo(platform::HDC hdc, const std::u16string& key, std::int32_t x = 0,
                       std::int32_t y = 0, std::int32_t dx = 0, std::int32_t dy = 0,
                       double xSrc = 0, double ySrc = 0, double dxSrc = 0, double dySrc = 0,
                       std::int32_t Alpha = 255, bool HighStretchQuality = true,
                       double Brightness = 0, bool GrayScale = false, double Angle = 0);
    // Fills the rectangle x, y, dx × dy of `hdc` with the cached image `key` repeated, at opacity
    // Alpha.
    void AlphaTileTo(platform::HDC hdc, const std::u16string& key, std::int32_t x, std::int32_t y,
                     std::int32_t dx, std::int32_t dy, std::int32_t Alpha = 255,
                     bool HighStretchQuality = true);
    // The cached image `key` as PNG bytes (with its alpha); empty for an unknown key.
    std::vector<std::uint8_t> ByteArray(const std::u16string& key);
    // The bytes of the last image or icon added (as read, before decoding).
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    // Deletes a bitmap made by GetHBmpFromImage or GetPictureHandle.
    void DestroyHBmp(std::int32_t handle);
    // Destroys a cursor made by GetHCursorFromImage.
    void DestroyHCursor(std::int32_t handle);
    // Destroys an icon made by GetHIconFromImage.
    void DestroyHIcon(std::int32_t handle);
    // Whether an image is cached under `key` (keys ignore case).
    bool Exists(const std::u16string& key) const;
    // How many frames of `key` were cached (AddImage with CacheMultiFrames); 0 when none.
    std::int32_t FrameCount(const std::u16string& key) const;
    // A frame's delay; always 0, as frame delays are not kept.
    std::int32_t FrameInterval(std::int32_t Index) const;
    // A new bitmap of the cached image `key` over BGColor (the caller deletes it); 0 for an unknown
    // key.
    std::int32_t GetHBmpFromImage(const std::u16string& key, std::int32_t BGColor = 0xFFFFFF);
    // A new cursor of the cached image `key` with its hot spot at (HSpotX, HSpotY); 0 for an
    // unknown key.
    std::int32_t GetHCursorFromImage(const std::u16string& key, std::int32_t HSpotX = 0,
                                     std::int32_t HSpotY = 0);
    // A new icon of the cached image `key`; 0 for an unknown key.
    std::int32_t GetHIconFromImage(const std::u16string& key);
    // The number of the cached image, 0 when there is none. A key ending in ">" or "<" names an
    // animation: with UseGifDirection its next (or previous) frame, else the key without the
    // mark.
    std::int32_t GetImage(const std::u16string& key, bool UseGifDirection = false);
    // How many images are cached under keys.
    std::int32_t GetImageCount() const { return static_cast<std::int32_t>(m_keys.size()); }
    // An image made from an icon, kept under no key until the cache ends; its number.
    std::int32_t GetImageFromHIcon(std::int32_t hIcon, std::int32_t DesiredWidth = 0,
                                   std::int32_t DesiredHeight = 0);
    // A picture of the cached image `key` over BackColor, owning its bitmap; null for an unknown
    // key.
    std::shared_ptr<StdPicture> GetPicture(const std::u16string& key,
                                           std::int32_t BackColor = 0xFFFFFF);
    // A picture owning the bitmap hBmp.
    std::shared_ptr<StdPicture> GetPictureFromHdl(std::int32_t hBmp);
    // The same as GetHBmpFromImage.
    std::int32_t GetPictureHandle(const std::u16string& key, std::int32_t BackColor = 0xFFFFFF);
    // The cached height of `key` in pixels; 0 for an unknown key.
    std::int32_t Height(const std::u16string& key) const;
    // The cached width of `key` in pixels; 0 for an unknown key.
    std::int32_t Width(const std::u16string& key) const;
    // Washes the rectangle x, y, dx × dy of `hdc` with Color at opacity Alpha, inside a one-pixel
    // frame of it at twice that opacity.
    void HighLight(platform::HDC hdc, std::int32_t Color, std::int32_t x, std::int32_t y,
                   std::int32_t dx, std::int32_t dy, std::int32_t Alpha = 80);
    // Every key, as first added, in the order added.
    std::vector<std::u16string> Keys() const;
    // Forgets the image `key` (an unknown key does nothing).
    void Remove(const std::u16string& key);
    // Fills the rectangle x, y, dx × dy of `hdc` with Color at opacity Alpha.
    void SolidFill(platform::HDC hdc, std::int32_t Color, std::int32_t x, std::int32_t y,
                   std::int32_t dx, std::int32_t dy, std::int32_t Alpha = 255);
    // Kept for callers that hand the host's global object over; resources are read from the
    // host's App whichever object is given, so nothing depends on it.
    void VBGlobal(std::shared_ptr<Object> global) { m_global = std::move(global); }
    // Writes `bytes` to a file, replacing it; error 53 when it cannot be written.
    void WriteBytesToFile(const std::u16string& Filename, const std::vector<std::uint8_t>& bytes);

    // Publishes the class in the type library.
    static void registerClass(TypeLibrary& library);

    // The cached pixels of an image number (premultiplied), or null.
    const platform::PixelSurface* image(std::int32_t number) const;

private:
    struct Entry {
        std::u16string key;  // as first added
        std::int32_t number;
    };
    std::vector<std::uint8_t> readSource(const Variant& source, bool& isPicture,
                                         platform::PixelSurface& picture);
    std::int32_t store(const std::u16string& key, platform::PixelSurface pixels);
    const platform::PixelSurface* find(const std::u16string& key) const;
    std::int32_t bitmapOver(const platform::PixelSurface& image, std::int32_t background);
    std::int32_t iconFrom(const platform::PixelSurface& image, bool icon, std::int32_t hotX,
                          std::int32_t hotY);

    std::unordered_map<std::u16string, Entry> m_dictionary;  // by folded key
    std::vector<std::u16string> m_keys;                      // folded keys, in order added
    std::map<std::int32_t, platform::PixelSurface> m_images;
    std::int32_t m_nextNumber = 1;
    std::vector<std::uint8_t> m_bytes;
    std::u16string m_operation;
    std::shared_ptr<Object> m_global;
    std::unordered_map<std::u16string, std::int32_t> m_frameCounters;  // by folded base key

    AlphaCanvas m_canvas;  // where images are drawn before they are blended onto a DC
};

}  // namespace orvane
