// ucImageList: addressing images by index or key, their keys and tags, and adding, removing,
// swapping and copying them.
#include <algorithm>
#include <cstring>

#include "framework/drawing/cGDIPCache.h"
#include "host/App.h"
#include "host/Error.h"
#include "host/TypeLibrary.h"
#include "platform/gdi/DibFromPixels.h"
#include "platform/gdi/Gdi.h"
#include "platform/imaging/ImageGraphics.h"
#include "platform/imaging/PremultipliedAlpha.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"
#include "services/imagelist/ucImageList.h"

namespace orvane {

using namespace platform;

namespace {

// The cache key images are decoded under while they are added.
constexpr const char16_t* kDecoding = u"k";

// `pixels` (premultiplied) laid over an opaque colour.
PixelSurface over(const PixelSurface& pixels, COLORREF background) {
    const std::uint32_t bg = PixelSurface::fromColor(background);
    PixelSurface out(pixels.width(), pixels.height());
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x) {
            const std::uint32_t p = pixels.at(x, y);
            const std::uint32_t rest = 255 - (p >> 24);
            std::uint32_t v = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8)
                v |= std::min<std::uint32_t>(
                         255, ((p >> shift) & 0xFF) + (((bg >> shift) & 0xFF) * rest + 127) / 255)
                     << shift;
            out.at(x, y) = v;
        }
    return out;
}

// Black, the two greys and white of an opaque pixel become the 3D system colours.
void mapSysColors(PixelSurface& pixels) {
    const std::pair<COLORREF, int> map[] = {{0x000000, COLOR_BTNTEXT},
                                            {0x808080, COLOR_BTNSHADOW},
                                            {0xC0C0C0, COLOR_BTNFACE},
                                            {0xFFFFFF, COLOR_BTNHIGHLIGHT}};
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x) {
            std::uint32_t& p = pixels.at(x, y);
            if ((p >> 24) != 0xFF) continue;
            for (const auto& [from, to] : map)
                if ((p & 0xFFFFFF) == PixelSurface::fromColor(from)) {
                    p = 0xFF000000u | PixelSurface::fromColor(GetSysColor(to));
                    break;
                }
        }
}

// A file's name without its folder and extension.
std::u16string fileTitle(const std::u16string& path) {
    const std::size_t slash = path.find_last_of(u"/\\");
    std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of(u'.');
    if (dot != std::u16string::npos && dot > 0) name.resize(dot);
    std::replace(name.begin(), name.end(), u'\t', u' ');  // a key holds no TAB
    return name;
}

// Keys and tags are stored each followed by a TAB, so one holding a TAB could not be read back.
void refuseTab(const std::u16string& text, const char16_t* member) {
    if (text.find(u'\t') != std::u16string::npos)
        throw Error(errors::InvalidProcedureCall, std::u16string(u"ucImageList.") + member,
                    u"Keys and tags cannot hold a TAB character");
}

bool isNumber(const Variant& v) {
    switch (v.kind()) {
        case Variant::Kind::Integer:
        case Variant::Kind::Long:
        case Variant::Kind::Single:
        case Variant::Kind::Double:
        case Variant::Kind::Byte:
            return true;
        default:
            return false;
    }
}

}  // namespace

// --- Addressing ---

void ucImageList::outOfRange() const {
    const std::u16string& title = App::current().Title();
    throw Error::standard(errors::SubscriptOutOfRange,
                          (title.empty() ? u"Orvane" : title) + u".kvxImageList");
}

void ucImageList::syncItems() {
    const std::size_t count = static_cast<std::size_t>(ImageCount());
    m_keys.resize(count);
    m_tags.resize(count);
}

std::int32_t ucImageList::ImageCount() const {
    return m_himl ? std::max(0, ImageList_GetImageCount(m_himl)) : 0;
}

std::size_t ucImageList::checkedIndex(std::int32_t iIndex) const {
    if (iIndex < 1 || iIndex > ImageCount()) outOfRange();
    return static_cast<std::size_t>(iIndex - 1);
}

std::size_t ucImageList::indexOf(const Variant& vKey) const {
    if (isNumber(vKey)) return checkedIndex(CLng(vKey));
    if (vKey.kind() == Variant::Kind::String) {
        const std::u16string key = vKey.toString();
        const std::size_t count = static_cast<std::size_t>(ImageCount());
        for (std::size_t i = 0; i < count && i < m_keys.size(); ++i)
            if (!key.empty() && sameName(m_keys[i], key)) return i;
    }
    outOfRange();
}

std::int32_t ucImageList::ItemIndex(const Variant& vKey) const {
    return static_cast<std::int32_t>(indexOf(vKey));
}

std::u16string ucImageList::ItemKey(std::int32_t iIndex) const {
    const std::size_t i = checkedIndex(iIndex);
    return i < m_keys.size() ? m_keys[i] : std::u16string();
}

void ucImageList::ItemKey(std::int32_t iIndex, std::u16string value) {
    const std::size_t i = checkedIndex(iIndex);
    refuseTab(value, u"ItemKey");
    syncItems();
    m_keys[i] = std::move(value);
    PropertyChanged(u"Keys");
    PropertyChanged(u"KeyCount");
}

std::u16string ucImageList::ItemTag(std::int32_t iIndex) const {
    const std::size_t i = checkedIndex(iIndex);
    return i < m_tags.size() ? m_tags[i] : std::u16string();
}

void ucImageList::ItemTag(std::int32_t iIndex, std::u16string value) {
    const std::size_t i = checkedIndex(iIndex);
    refuseTab(value, u"ItemTag");
    syncItems();
    m_tags[i] = std::move(value);
    PropertyChanged(u"Tags");
}

bool ucImageList::KeyExists(const std::u16string& sKey) const {
    if (sKey.empty()) return false;
    const std::size_t count = std::min(m_keys.size(), static_cast<std::size_t>(ImageCount()));
    for (std::size_t i = 0; i < count; ++i)
        if (sameName(m_keys[i], sKey)) return true;
    return false;
}

std::shared_ptr<StdPicture> ucImageList::ItemPicture(const Variant& vKey) const {
    const HICON icon = ItemCopyOfIcon(vKey);
    if (!icon) return nullptr;
    return StdPicture::fromIcon(icon, m_width, m_height);
}

HICON ucImageList::ItemCopyOfIcon(const Variant& vKey) const {
    const std::size_t i = indexOf(vKey);
    return ImageList_GetIcon(m_himl, static_cast<int>(i), ILD_NORMAL);
}

// --- Changing the images ---

void ucImageList::imagesChanged(bool keysToo) {
    PropertyChanged(u"Images");
    PropertyChanged(u"Size");
    if (!keysToo) return;
    PropertyChanged(u"Keys");
    PropertyChanged(u"KeyCount");
}

void ucImageList::RemoveImage(const Variant& vKey) {
    const std::size_t i = indexOf(vKey);
    syncItems();
    if (!ImageList_Remove(m_himl, static_cast<int>(i))) return;
    m_keys.erase(m_keys.begin() + static_cast<std::ptrdiff_t>(i));
    m_tags.erase(m_tags.begin() + static_cast<std::ptrdiff_t>(i));
    imagesChanged(true);
}

void ucImageList::SwapOrCopyImage(const Variant& vKeySrc, const Variant& vKeyDst,
                                  eilSwapTypes eSwap) {
    const std::size_t src = indexOf(vKeySrc), dst = indexOf(vKeyDst);
    if (src == dst) return;
    syncItems();
    const bool swap = eSwap == eilSwapTypes::eilSwap;
    if (!ImageList_Copy(m_himl, static_cast<int>(dst), m_himl, static_cast<int>(src),
                        swap ? ILCF_SWAP : ILCF_MOVE))
        return;
    if (swap) {
        std::swap(m_keys[src], m_keys[dst]);
        std::swap(m_tags[src], m_tags[dst]);
    }
    imagesChanged(swap);
}

std::optional<std::size_t> ucImageList::insertionPoint(const Variant& vKeyAfter) const {
    if (vKeyAfter.isMissing() || vKeyAfter.isEmpty()) return std::nullopt;
    if (isNumber(vKeyAfter) && CLng(vKeyAfter) == 0) return 0;
    return indexOf(vKeyAfter) + 1;
}

std::int32_t ucImageList::placeAdded(int before, const std::u16string& key,
                                     std::optional<std::size_t> at) {
    const int now = ImageCount();
    if (now <= before) return 0;
    // New images come last, keyed "" but the first; they move to their place one swap at a
    // time, keys and tags with them.
    const std::size_t first = static_cast<std::size_t>(before);
    m_keys.resize(first);
    m_tags.resize(first);
    m_keys.resize(static_cast<std::size_t>(now));
    m_tags.resize(static_cast<std::size_t>(now));
    m_keys[first] = key;
    std::size_t place = first;
    if (at && *at < first) {
        place = *at;
        const int added = now - before;
        for (int k = 0; k < added; ++k)
            for (int j = before + k; j > static_cast<int>(place) + k; --j)
                ImageList_Copy(m_himl, j, m_himl, j - 1, ILCF_SWAP);
        const auto begin = m_keys.begin() + static_cast<std::ptrdiff_t>(place);
        std::rotate(begin, m_keys.begin() + before, m_keys.end());
        std::rotate(m_tags.begin() + static_cast<std::ptrdiff_t>(place), m_tags.begin() + before,
                    m_tags.end());
    }
    imagesChanged(true);
    return static_cast<std::int32_t>(place + 1);
}

std::int32_t ucImageList::addBitmap(HBITMAP bitmap, const std::u16string& key,
                                    std::optional<std::size_t> at) {
    const int before = ImageCount();
    syncItems();
    switch (m_useMaskColor) {
        case eilMaskColor::eilMaskColorNone:
            ImageList_Add(m_himl, bitmap, HBITMAP());
            break;
        case eilMaskColor::eilMaskColorTopLeftPixel: {
            const HDC dc = CreateCompatibleDC(HDC());
            const HGDIOBJ old = SelectObject(dc, bitmap);
            const COLORREF corner = GetPixel(dc, 0, 0);
            SelectObject(dc, old);
            DeleteDC(dc);
            ImageList_AddMasked(m_himl, bitmap, corner);
            break;
        }
        case eilMaskColor::eilMaskColorSpecified:
            ImageList_AddMasked(m_himl, bitmap, TranslateColor(m_maskColor));
            break;
    }
    return placeAdded(before, key, at);
}

std::int32_t ucImageList::addIcon(HICON icon, const std::u16string& key,
                                  std::optional<std::size_t> at) {
    const int before = ImageCount();
    syncItems();
    ImageList_AddIcon(m_himl, icon);
    return placeAdded(before, key, at);
}

std::int32_t ucImageList::addPixels(const PixelSurface& source, bool bitmap,
                                    const std::u16string& key, std::optional<std::size_t> at) {
    const PixelSurface* pixels = &source;
    PixelSurface adjusted;
    // A picture of another size is scaled to the list's height and to a whole number of images
    // across, so that every image-sized piece of it is added.
    if (source.height() != m_height || source.width() % m_width != 0) {
        const int across = std::max(1, (source.width() + m_width / 2) / m_width);
        adjusted = ImageGraphics::scaled(source, across * m_width, m_height);
        pixels = &adjusted;
    }
    const bool ownMask = !bitmap && m_useMaskColor == eilMaskColor::eilMaskColorNone;
    if (!bitmap && !ownMask) {
        // Laid on the mask colour (or white, for the top-left rule), the transparent parts
        // become that colour, which the mask then takes out.
        adjusted = over(*pixels, m_useMaskColor == eilMaskColor::eilMaskColorSpecified
                                     ? TranslateColor(m_maskColor)
                                     : 0xFFFFFF);
        pixels = &adjusted;
    }
    const int w = pixels->width(), h = pixels->height();
    std::uint32_t* out = nullptr;
    const HBITMAP dib = TopDownDib(w, h, &out);
    if (!dib) return 0;
    // The image's own transparency goes as straight alpha, which a 32-bit list keeps. Otherwise
    // colours only, as GDI leaves them: a bitmap with alpha would pass the mask colour by.
    bool anyClear = false, anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = pixels->row(y);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = row[x];
            anyClear = anyClear || (p >> 24) == 0;
            anyAlpha = anyAlpha || (p >> 24) != 0;
            *out++ = ownMask ? PremultipliedAlpha::unpremultiply(p) : p & 0x00FFFFFFu;
        }
    }
    std::int32_t index = 0;
    if (ownMask) {
        // The other depths keep no alpha and take a mask where the image is clear; a 32-bit
        // list needs one only when nothing at all is opaque (a bitmap without alpha is taken
        // for opaque colours).
        HBITMAP mask;
        if (anyClear && (m_colorDepth != eimlColorDepth::IMLC_COLOR32 || !anyAlpha)) {
            const int stride = (w + 15) / 16 * 2;  // monochrome rows are padded to 16 bits
            std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(stride) * h, 0);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if ((pixels->at(x, y) >> 24) == 0)
                        maskBits[static_cast<std::size_t>(y) * stride + x / 8] |=
                            static_cast<std::uint8_t>(0x80 >> (x % 8));
            mask = CreateBitmap(w, h, 1, 1, maskBits.data());
        }
        const int before = ImageCount();
        syncItems();
        ImageList_Add(m_himl, dib, mask);
        if (mask) DeleteObject(mask);
        index = placeAdded(before, key, at);
    } else {
        index = addBitmap(dib, key, at);
    }
    DeleteObject(dib);
    return index;
}

cGDIPCache& ucImageList::cache() {
    if (!m_cache) m_cache = std::make_unique<cGDIPCache>();
    return *m_cache;
}

const PixelSurface* ucImageList::decode(const Variant& source, std::int32_t width,
                                        std::int32_t height) {
    cGDIPCache& c = cache();
    c.AddImage(kDecoding, source, width, height);
    return c.image(c.GetImage(kDecoding));
}

std::int32_t ucImageList::addDecoded(const PixelSurface& decoded, bool bitmap, bool mapColors,
                                     const std::u16string& key, std::optional<std::size_t> at) {
    std::int32_t index;
    if (mapColors) {
        PixelSurface mapped = decoded;
        mapSysColors(mapped);
        index = addPixels(mapped, bitmap, key, at);
    } else {
        index = addPixels(decoded, bitmap, key, at);
    }
    cache().Remove(kDecoding);
    return index;
}

// --- Adding ---

std::int32_t ucImageList::AddFromFile(const Variant& source, const std::u16string& sKey,
                                      bool bMapSysColors, const Variant& vKeyAfter,
                                      std::int32_t DesiredWidth, std::int32_t DesiredHeight) {
    refuseTab(sKey, u"AddFromFile");
    const auto at = insertionPoint(vKeyAfter);
    if (!m_himl) return 0;
    const PixelSurface* decoded = decode(source, DesiredWidth > 0 ? DesiredWidth : m_width,
                                         DesiredHeight > 0 ? DesiredHeight : m_height);
    if (!decoded) return 0;
    std::u16string key = sKey;
    if (key.empty() && m_setKeysFromFilenames && source.kind() == Variant::Kind::String)
        key = fileTitle(source.toString());
    return addDecoded(*decoded, false, bMapSysColors, key, at);
}

std::int32_t ucImageList::AddFromResourceID(std::int32_t lID, HINSTANCE, EILImageTypes iType,
                                            const std::u16string& sKey, bool bMapSysColors,
                                            const Variant& vKeyAfter) {
    refuseTab(sKey, u"AddFromResourceID");
    const auto at = insertionPoint(vKeyAfter);
    if (!m_himl) return 0;
    cGDIPCache& c = cache();
    const PixelSurface* decoded = nullptr;
    bool bitmap = false;
    switch (iType) {
        case EILImageTypes::eIMAGE_BITMAP:
            decoded = decode(Variant(App::current().LoadResData(lID, u"BITMAP")), 0, 0);
            bitmap = true;
            break;
        case EILImageTypes::eIMAGE_ICON:
        case EILImageTypes::eIMAGE_CURSOR:
            c.AddAlphaIcon(kDecoding,
                           Variant(App::current().LoadResData(
                               lID, iType == EILImageTypes::eIMAGE_ICON ? u"ICON" : u"CURSOR")),
                           m_width, m_height);
            decoded = c.image(c.GetImage(kDecoding));
            break;
        default:
            throw Error::standard(errors::InvalidProcedureCall, u"ucImageList.AddFromResourceID");
    }
    if (!decoded) return 0;
    return addDecoded(*decoded, bitmap, bMapSysColors, sKey, at);
}

bool ucImageList::AddFromHandle(std::uint32_t hImage, EILImageTypes iType,
                                const std::u16string& sKey, const Variant& vKeyAfter) {
    refuseTab(sKey, u"AddFromHandle");
    const auto at = insertionPoint(vKeyAfter);
    if (!m_himl) return false;
    switch (iType) {
        case EILImageTypes::eIMAGE_BITMAP: {
            BITMAP bm;
            if (!GetObjectW(HBITMAP(hImage), sizeof bm, &bm)) return false;
            return addBitmap(HBITMAP(hImage), sKey, at) > 0;
        }
        case EILImageTypes::eIMAGE_ICON:
        case EILImageTypes::eIMAGE_CURSOR:
            return addIcon(HICON(hImage), sKey, at) > 0;
    }
    return false;
}

std::int32_t ucImageList::AddFromPictureBox(const Variant& pic, const std::u16string& sKey,
                                            std::int32_t LeftPixels, std::int32_t TopPixels) {
    refuseTab(sKey, u"AddFromPictureBox");
    if (pic.kind() != Variant::Kind::Object)
        throw Error::standard(errors::TypeMismatch, u"ucImageList.AddFromPictureBox");
    std::shared_ptr<Object> object = pic.object();
    if (!object) throw Error::standard(errors::ObjectNotSet, u"ucImageList.AddFromPictureBox");
    // A picture box gives its picture; a picture is taken as it is.
    auto picture = std::dynamic_pointer_cast<StdPicture>(object);
    if (!picture) {
        const Variant held = TypeLibrary::current().get(*object, u"Picture");
        picture = held.kind() == Variant::Kind::Object
                      ? std::dynamic_pointer_cast<StdPicture>(held.object())
                      : nullptr;
    }
    if (!picture || !m_himl) return 0;
    const PixelSurface* whole = decode(Variant(std::static_pointer_cast<Object>(picture)), 0, 0);
    if (!whole) return 0;
    PixelSurface area(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (whole->contains(x + LeftPixels, y + TopPixels))
                area.at(x, y) = whole->at(x + LeftPixels, y + TopPixels);
    cache().Remove(kDecoding);
    return addPixels(area, picture->type() == StdPicture::Type::Bitmap, sKey, std::nullopt);
}

}  // namespace orvane
