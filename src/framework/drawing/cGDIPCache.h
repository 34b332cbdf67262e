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

    void AddAlphaIcon(const std::u16string& key, const Variant& FileNameOrBytesOrResourceID,
                      std::int32_t DesiredWidth, std::int32_t DesiredHeight);
    void AddImage(const std::u16string& key, const Variant& FileNameOrBytesOrStdPictureOrResourceID,
                  std::int32_t DesiredWidth = 0, std::int32_t DesiredHeight = 0,
                  bool CacheMultiFrames = false);
    void AlphaRenderTo(platform::HDC hdc, const std::u16string& key, std::int32_t x = 0,
                       std::int32_t y = 0, std::int32_t dx = 0, std::int32_t dy = 0,
                       double xSrc = 0, double ySrc = 0, double dxSrc = 0, double dySrc = 0,
                       std::int32_t Alpha = 255, bool HighStretchQuality = true,
                       double Brightness = 0, bool GrayScale = false, double Angle = 0);
    void AlphaTileTo(platform::HDC hdc, const std::u16string& key, std::int32_t x, std::int32_t y,
                     std::int32_t dx, std::int32_t dy, std::int32_t Alpha = 255,
                     bool HighStretchQuality = true);
    std::vector<std::uint8_t> ByteArray(const std::u16string& key);
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    void DestroyHBmp(std::int32_t handle);
    void DestroyHCursor(std::int32_t handle);
    void DestroyHIcon(std::int32_t handle);
    bool Exists(const std::u16string& key) const;
    std::int32_t FrameCount(const std::u16string& key) const;
    std::int32_t FrameInterval(std::int32_t Index) const;
    std::int32_t GetHBmpFromImage(const std::u16string& key, std::int32_t BGColor = 0xFFFFFF);
    std::int32_t GetHCursorFromImage(const std::u16string& key, std::int32_t HSpotX = 0,
                                     std::int32_t HSpotY = 0);
    std::int32_t GetHIconFromImage(const std::u16string& key);
    // The number of the cached image, 0 when there is none. A key ending in ">" or "<" names an
    // animation: with UseGifDirection its next (or previous) frame, else the key without the
    // mark.
    std::int32_t GetImage(const std::u16string& key, bool UseGifDirection = false);
    std::int32_t GetImageCount() const { return static_cast<std::int32_t>(m_keys.size()); }
    // An image made from an icon, kept under no key until the cache ends; its number.
    std::int32_t GetImageFromHIcon(std::int32_t hIcon, std::int32_t DesiredWidth = 0,
                                   std::int32_t DesiredHeight = 0);
    std::shared_ptr<StdPicture> GetPicture(const std::u16string& key,
                                           std::int32_t BackColor = 0xFFFFFF);
    std::shared_ptr<StdPicture> GetPictureFromHdl(std::int32_t hBmp);
    std::int32_t GetPictureHandle(const std::u16string& key, std::int32_t BackColor = 0xFFFFFF);
    std::int32_t Height(const std::u16string& key) const;
    std::int32_t Width(const std::u16string& key) const;
    void HighLight(platform::HDC hdc, std::int32_t Color, std::int32_t x, std::int32_t y,
                   std::int32_t dx, std::int32_t dy, std::int32_t Alpha = 80);
    std::vector<std::u16string> Keys() const;
    void Remove(const std::u16string& key);
    void SolidFill(platform::HDC hdc, std::int32_t Color, std::int32_t x, std::int32_t y,
                   std::int32_t dx, std::int32_t dy, std::int32_t Alpha = 255);
    // Kept for callers that hand the host's global object over; resources are read from the
    // host's App whichever object is given, so nothing depends on it.
    void VBGlobal(std::shared_ptr<Object> global) { m_global = std::move(global); }
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
    // The drawing canvas, at least dx × dy, its top-left dx × dy cleared; drawn with `graphics`.
    platform::PixelSurface& canvas(int dx, int dy);
    void blendCanvas(platform::HDC hdc, int x, int y, int dx, int dy, std::int32_t alpha);
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

    platform::HDC m_canvasDc;
    platform::HBITMAP m_canvasBitmap;
    platform::HGDIOBJ m_canvasOld;
    std::uint32_t* m_canvasBits = nullptr;
    int m_canvasWidth = 0, m_canvasHeight = 0;
    platform::PixelSurface m_canvasView;
    std::unique_ptr<platform::ImageGraphics> m_graphics;
};

}  // namespace orvane
