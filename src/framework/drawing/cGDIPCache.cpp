#include "framework/drawing/cGDIPCache.h"

#include <cmath>
#include <cstring>
#include <fstream>

#include "host/App.h"
#include "host/Arguments.h"
#include "host/ClassBuilder.h"
#include "host/Collection.h"
#include "host/Error.h"
#include "host/OleColor.h"
#include "host/OlePicture.h"
#include "platform/base/CodePages.h"
#include "platform/base/ReadWholeFile.h"
#include "platform/display/PngWriter.h"
#include "platform/gdi/DibFromPixels.h"
#include "platform/gdi/Gdi.h"
#include "platform/imaging/IcoReader.h"
#include "platform/imaging/ImageDecoder.h"
#include "platform/imaging/PremultipliedAlpha.h"
#include "platform/user/User.h"

namespace orvane {

using namespace platform;

namespace {

constexpr std::int32_t kUnsupportedSource =
    static_cast<std::int32_t>(static_cast<std::int32_t>(0x80040201u));
constexpr std::int32_t kCannotScale =
    static_cast<std::int32_t>(static_cast<std::int32_t>(0x80040000u));

std::u16string fold(std::u16string_view key) {
    std::u16string out(key);
    for (char16_t& c : out)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return out;
}

std::u16string number(std::int32_t n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

// The premultiplied pixels of a 32-bit picture of an icon drawn with its alpha.
PixelSurface iconPixels(HICON icon, int width, int height) {
    std::uint32_t* bits = nullptr;
    const HBITMAP dib = TopDownDib(width, height, &bits);
    PixelSurface out(width, height);
    if (!dib) return out;
    const HDC dc = CreateCompatibleDC(HDC());
    const HGDIOBJ old = SelectObject(dc, dib);
    DrawIconEx(dc, 0, 0, icon, width, height, 0, HBRUSH(), DI_NORMAL);
    SelectObject(dc, old);
    DeleteDC(dc);
    for (int y = 0; y < height; ++y)
        std::memcpy(out.row(y), bits + static_cast<std::size_t>(y) * width, width * 4u);
    DeleteObject(dib);
    return out;
}

}  // namespace

cGDIPCache::cGDIPCache() = default;

cGDIPCache::~cGDIPCache() = default;

const PixelSurface* cGDIPCache::image(std::int32_t n) const {
    auto it = m_images.find(n);
    return it == m_images.end() ? nullptr : &it->second;
}

const PixelSurface* cGDIPCache::find(const std::u16string& key) const {
    auto it = m_dictionary.find(fold(key));
    return it == m_dictionary.end() ? nullptr : image(it->second.number);
}

std::int32_t cGDIPCache::store(const std::u16string& key, PixelSurface pixels) {
    const std::u16string folded = fold(key);
    auto it = m_dictionary.find(folded);
    if (it != m_dictionary.end()) {
        m_images[it->second.number] = std::move(pixels);
        return it->second.number;
    }
    const std::int32_t n = m_nextNumber++;
    m_images.emplace(n, std::move(pixels));
    m_dictionary.emplace(folded, Entry{key, n});
    m_keys.push_back(folded);
    return n;
}

std::vector<std::uint8_t> cGDIPCache::readSource(const Variant& source, bool& isPicture,
                                                 PixelSurface& picture) {
    isPicture = false;
    switch (source.kind()) {
        case Variant::Kind::Object: {
            auto pic = std::dynamic_pointer_cast<StdPicture>(source.object());
            if (!pic) break;
            isPicture = true;
            const std::uint32_t handle = static_cast<std::uint32_t>(pic->Handle());
            if (pic->type() == StdPicture::Type::Icon) {
                if (const PixelSurface* pixels = CursorPicture(HICON(handle), nullptr))
                    picture = *pixels;
            } else if (pic->type() == StdPicture::Type::Bitmap) {
                BITMAP bm;
                if (GetObjectW(HBITMAP(handle), sizeof bm, &bm) && bm.bmWidth > 0 &&
                    bm.bmHeight > 0) {
                    // A bitmap's pixels are opaque colours.
                    picture.reset(bm.bmWidth, bm.bmHeight);
                    BITMAPINFO info{};
                    info.bmiHeader.biWidth = bm.bmWidth;
                    info.bmiHeader.biHeight = -bm.bmHeight;
                    info.bmiHeader.biBitCount = 32;
                    const HDC dc = CreateCompatibleDC(HDC());
                    GetDIBits(dc, HBITMAP(handle), 0, static_cast<UINT>(bm.bmHeight),
                              picture.row(0), &info, DIB_RGB_COLORS);
                    DeleteDC(dc);
                    for (int y = 0; y < picture.height(); ++y)
                        for (int x = 0; x < picture.width(); ++x)
                            picture.at(x, y) |= 0xFF000000u;
                }
            }
            return {};
        }
        case Variant::Kind::String: {
            std::optional<std::vector<std::uint8_t>> file =
                platform::ReadWholeFile(ToUtf8(source.toString()));
            if (!file) throw Error::standard(errors::FileNotFound, m_operation);
            return std::move(*file);
        }
        case Variant::Kind::Integer:
        case Variant::Kind::Long:
            return App::current().LoadResData(source.toLong(), u"Custom");
        case Variant::Kind::ByteArray:
            return source.bytes();
        default:
            break;
    }
    throw Error(kUnsupportedSource, m_operation, u"Unsupported VarType " + source.typeName());
}

void cGDIPCache::AddImage(const std::u16string& key, const Variant& source,
                          std::int32_t DesiredWidth, std::int32_t DesiredHeight,
                          bool CacheMultiFrames) {
    m_operation = u"cGDIPCache.AddImage";
    Remove(key);
    bool isPicture = false;
    PixelSurface picture;
    std::vector<std::uint8_t> bytes = readSource(source, isPicture, picture);
    std::optional<AnimatedImage> decoded;
    if (bytes.size() > 1) {
        std::string why;
        decoded = ImageDecoder::decode(bytes.data(), bytes.size(), why);
        m_bytes = std::move(bytes);
        if (!decoded) return;  // undecodable data leaves the key absent
    } else if (!isPicture || picture.width() <= 0) {
        return;
    }
    PixelSurface first = decoded
                             ? PremultipliedAlpha::fromStraight(std::move(decoded->frames.front()))
                             : std::move(picture);
    const int width = DesiredWidth < 1 ? first.width() : static_cast<int>(DesiredWidth);
    const int height = DesiredHeight < 1 ? first.height() : static_cast<int>(DesiredHeight);
    if (!DecodedImage::sizeAllowed(width, height))
        throw Error(kCannotScale, m_operation, u"unable to create scaled Img-Resource");

    // The cached bitmap: the decoded image drawn at the wanted size (taken over as it is when
    // it already has that size).
    auto atSize = [&](PixelSurface image) {
        if (image.width() == width && image.height() == height) return image;
        PixelSurface out(width, height);
        ImageGraphics g(out);
        g.setPixelOffsetMode(PixelOffsetMode::Half);
        g.setInterpolationMode(InterpolationMode::HighQualityBicubic);
        g.drawImage(image, {0, 0, static_cast<float>(width), static_cast<float>(height)},
                    {0, 0, static_cast<float>(image.width()), static_cast<float>(image.height())});
        return out;
    };
    const bool frames =
        CacheMultiFrames && decoded && decoded->dimension == AnimatedImage::Dimension::Time;
    // Frame 0 is the image itself, kept as a copy of its own.
    PixelSurface frame0;
    if (frames) {
        frame0.reset(first.width(), first.height());
        for (int y = 0; y < first.height(); ++y)
            std::memcpy(frame0.row(y), first.row(y), first.width() * 4u);
    }
    store(key, atSize(std::move(first)));
    if (frames) {
        store(key + u"|0", atSize(std::move(frame0)));
        for (std::size_t i = 1; i < decoded->frames.size(); ++i)
            store(key + u"|" + number(static_cast<std::int32_t>(i)),
                  atSize(PremultipliedAlpha::fromStraight(std::move(decoded->frames[i]))));
    }
}

void cGDIPCache::AddAlphaIcon(const std::u16string& key, const Variant& source,
                              std::int32_t DesiredWidth, std::int32_t DesiredHeight) {
    m_operation = u"cGDIPCache.AddAlphaIcon";
    if (source.kind() == Variant::Kind::ByteArray && source.bytes().empty())
        throw Error(errors::SubscriptOutOfRange, m_operation, u"Array not dimensioned.");
    bool isPicture = false;
    PixelSurface picture;
    const std::vector<std::uint8_t> bytes = readSource(source, isPicture, picture);
    Remove(key);
    if (bytes.empty()) return;
    m_bytes = bytes;
    // An icon file gives the image that suits the size best; bare image data is used as it is.
    const std::uint8_t* data = bytes.data();
    std::size_t size = bytes.size();
    std::string why;
    if (IcoReader::isIconFile(data, size)) {
        const auto entries = IcoReader::directory(data, size, why);
        if (!entries) return;
        const auto& e = (*entries)[IcoReader::choose(*entries, static_cast<int>(DesiredWidth),
                                                     static_cast<int>(DesiredHeight))];
        data += e.offset;
        size = e.size;
    }
    const HICON icon =
        CreateIconFromResourceEx(data, static_cast<DWORD>(size), TRUE, 0x30000,
                                 static_cast<int>(std::max<std::int32_t>(0, DesiredWidth)),
                                 static_cast<int>(std::max<std::int32_t>(0, DesiredHeight)), 0);
    if (!icon) return;
    if (const PixelSurface* pixels = CursorPicture(icon, nullptr)) store(key, *pixels);
    DestroyIcon(icon);
}

void cGDIPCache::AddImagePart(const std::u16string& key, const std::u16string& from, std::int32_t x,
                              std::int32_t y, std::int32_t dx, std::int32_t dy) {
    m_operation = u"cGDIPCache.AddImagePart";
    const PixelSurface* whole = find(from);
    if (!whole || x < 0 || y < 0 || dx <= 0 || dy <= 0 || x + dx > whole->width() ||
        y + dy > whole->height())
        return;
    PixelSurface part(dx, dy);
    for (int row = 0; row < dy; ++row)
        std::memcpy(part.row(row), whole->row(y + row) + x, static_cast<std::size_t>(dx) * 4u);
    store(key, std::move(part));
}

void cGDIPCache::AlphaRenderTo(HDC hdc, const std::u16string& key, std::int32_t x, std::int32_t y,
                               std::int32_t dx, std::int32_t dy, double xSrc, double ySrc,
                               double dxSrc, double dySrc, std::int32_t Alpha,
                               bool HighStretchQuality, double Brightness, bool GrayScale,
                               double Angle) {
    m_operation = u"cGDIPCache.AlphaRenderTo";
    const PixelSurface* source = image(GetImage(key));
    if (!source) return;
    if (dxSrc == 0) dxSrc = source->width();
    if (dySrc == 0) dySrc = source->height();
    if (dx == 0) dx = source->width();
    if (dy == 0) dy = source->height();
    // Positions and sizes are given at 96 pixels per inch.
    const int dpi = GetDeviceCaps(hdc, LOGPIXELSX);
    if (dpi > 0 && dpi != 96) {
        const double factor = dpi / 96.0;
        x = std::lround(x * factor);
        y = std::lround(y * factor);
        dx = std::lround(dx * factor);
        dy = std::lround(dy * factor);
    }
    if (dx <= 0 || dy <= 0 || !DecodedImage::sizeAllowed(dx, dy) || Alpha <= 0) return;
    ColorMatrix matrix;
    if (GrayScale)
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                matrix.m[i][j] = 0.35f;
    if (Brightness != 0)
        for (int j = 0; j < 3; ++j)
            matrix.m[4][j] = static_cast<float>(Brightness / 100.0);

    ImageGraphics& g = m_canvas.begin(static_cast<int>(dx), static_cast<int>(dy), m_operation);
    g.setInterpolationMode(HighStretchQuality ? InterpolationMode::HighQualityBicubic
                                              : InterpolationMode::LowQuality);
    if (Angle != 0) {
        g.translateTransform(dx / 2.0f, dy / 2.0f);
        g.rotateTransform(static_cast<float>(Angle));
        g.translateTransform(-dx / 2.0f, -dy / 2.0f);
    }
    g.drawImage(*source, {0, 0, static_cast<float>(dx), static_cast<float>(dy)},
                {static_cast<float>(xSrc), static_cast<float>(ySrc), static_cast<float>(dxSrc),
                 static_cast<float>(dySrc)},
                matrix.isIdentity() ? nullptr : &matrix);
    m_canvas.blendTo(hdc, static_cast<int>(x), static_cast<int>(y), Alpha);
}

void cGDIPCache::AlphaTileTo(HDC hdc, const std::u16string& key, std::int32_t x, std::int32_t y,
                             std::int32_t dx, std::int32_t dy, std::int32_t Alpha,
                             bool HighStretchQuality) {
    m_operation = u"cGDIPCache.AlphaTileTo";
    const PixelSurface* source = image(GetImage(key));
    if (!source || dx <= 0 || dy <= 0 || !DecodedImage::sizeAllowed(dx, dy)) return;
    ImageGraphics& g = m_canvas.begin(static_cast<int>(dx), static_cast<int>(dy), m_operation);
    g.setInterpolationMode(HighStretchQuality ? InterpolationMode::HighQualityBicubic
                                              : InterpolationMode::LowQuality);
    g.fillRectangleWithTexture(*source, {0, 0, static_cast<float>(dx), static_cast<float>(dy)});
    m_canvas.blendTo(hdc, static_cast<int>(x), static_cast<int>(y), Alpha);
}

void cGDIPCache::SolidFill(HDC hdc, std::int32_t Color, std::int32_t x, std::int32_t y,
                           std::int32_t dx, std::int32_t dy, std::int32_t Alpha) {
    m_operation = u"cGDIPCache.SolidFill";
    if (dx <= 0 || dy <= 0 || !DecodedImage::sizeAllowed(dx, dy)) return;
    ImageGraphics& g = m_canvas.begin(static_cast<int>(dx), static_cast<int>(dy), m_operation);
    const std::uint32_t rgb =
        PixelSurface::fromColor(TranslateColor(static_cast<OLE_COLOR>(Color)));
    g.fillRectangle(0xFF000000u | rgb, {0, 0, static_cast<float>(dx), static_cast<float>(dy)});
    m_canvas.blendTo(hdc, static_cast<int>(x), static_cast<int>(y), Alpha);
}

void cGDIPCache::HighLight(HDC hdc, std::int32_t Color, std::int32_t x, std::int32_t y,
                           std::int32_t dx, std::int32_t dy, std::int32_t Alpha) {
    m_operation = u"cGDIPCache.HighLight";
    if (dx <= 0 || dy <= 0 || !DecodedImage::sizeAllowed(dx, dy)) return;
    // A wash of the colour at the given alpha inside a frame of it at twice that alpha.
    ImageGraphics& g = m_canvas.begin(static_cast<int>(dx), static_cast<int>(dy), m_operation);
    const std::uint32_t rgb =
        PixelSurface::fromColor(TranslateColor(static_cast<OLE_COLOR>(Color)));
    const std::uint32_t inner = static_cast<std::uint32_t>(std::clamp<std::int32_t>(Alpha, 0, 255));
    const std::uint32_t frame = std::min<std::uint32_t>(255, inner * 2);
    const float w = static_cast<float>(dx), h = static_cast<float>(dy);
    g.setCompositingMode(CompositingMode::SourceCopy);
    g.fillRectangle(frame << 24 | rgb, {0, 0, w, h});
    if (dx > 2 && dy > 2) g.fillRectangle(inner << 24 | rgb, {1, 1, w - 2, h - 2});
    m_canvas.blendTo(hdc, static_cast<int>(x), static_cast<int>(y), 255);
}

std::vector<std::uint8_t> cGDIPCache::ByteArray(const std::u16string& key) {
    const PixelSurface* source = image(GetImage(key));
    if (!source) return {};
    return PngWriter::encode(PremultipliedAlpha::toStraight(*source), PngWriter::Alpha::Keep);
}

void cGDIPCache::DestroyHBmp(std::int32_t handle) {
    DeleteObject(HGDIOBJ(static_cast<std::uint32_t>(handle)));
}
void cGDIPCache::DestroyHCursor(std::int32_t handle) {
    DestroyCursor(HCURSOR(static_cast<std::uint32_t>(handle)));
}
void cGDIPCache::DestroyHIcon(std::int32_t handle) {
    DestroyIcon(HICON(static_cast<std::uint32_t>(handle)));
}

bool cGDIPCache::Exists(const std::u16string& key) const {
    return m_dictionary.count(fold(key)) != 0;
}

std::int32_t cGDIPCache::FrameCount(const std::u16string& key) const {
    std::int32_t n = 0;
    while (Exists(key + u"|" + number(n)))
        ++n;
    return n;
}

std::int32_t cGDIPCache::FrameInterval(std::int32_t) const {
    return 0;
}

std::int32_t cGDIPCache::bitmapOver(const PixelSurface& image, std::int32_t background) {
    std::uint32_t* bits = nullptr;
    const HBITMAP bitmap = TopDownDib(image.width(), image.height(), &bits);
    if (!bitmap) return 0;
    const std::uint32_t back =
        PixelSurface::fromColor(TranslateColor(static_cast<OLE_COLOR>(background)));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t p = image.at(x, y), a = p >> 24;
            auto mix = [&](int shift) {
                return (((p >> shift) & 0xFF) + (((back >> shift) & 0xFF) * (255 - a) + 127) / 255)
                       << shift;
            };
            bits[static_cast<std::size_t>(y) * image.width() + x] =
                std::min(mix(16), 0xFF0000u) | std::min(mix(8), 0xFF00u) | std::min(mix(0), 0xFFu);
        }
    return static_cast<std::int32_t>(bitmap.value);
}

std::int32_t cGDIPCache::GetHBmpFromImage(const std::u16string& key, std::int32_t BGColor) {
    const PixelSurface* source = image(GetImage(key));
    return source ? bitmapOver(*source, BGColor) : 0;
}

std::int32_t cGDIPCache::iconFrom(const PixelSurface& image, bool icon, std::int32_t hotX,
                                  std::int32_t hotY) {
    std::uint32_t* bits = nullptr;
    ICONINFO info;
    info.fIcon = icon;
    info.xHotspot = static_cast<DWORD>(std::max<std::int32_t>(0, hotX));
    info.yHotspot = static_cast<DWORD>(std::max<std::int32_t>(0, hotY));
    info.hbmColor = TopDownDib(image.width(), image.height(), &bits);
    info.hbmMask = CreateBitmap(image.width(), image.height(), 1, 1, nullptr);
    if (bits)
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                bits[static_cast<std::size_t>(y) * image.width() + x] =
                    PremultipliedAlpha::unpremultiply(image.at(x, y));
    const HICON result = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return static_cast<std::int32_t>(result.value);
}

std::int32_t cGDIPCache::GetHIconFromImage(const std::u16string& key) {
    const PixelSurface* source = image(GetImage(key));
    return source ? iconFrom(*source, true, 0, 0) : 0;
}

std::int32_t cGDIPCache::GetHCursorFromImage(const std::u16string& key, std::int32_t HSpotX,
                                             std::int32_t HSpotY) {
    const PixelSurface* source = image(GetImage(key));
    return source ? iconFrom(*source, false, HSpotX, HSpotY) : 0;
}

std::int32_t cGDIPCache::GetImage(const std::u16string& key, bool UseGifDirection) {
    std::u16string k = key;
    if (!k.empty() && (k.back() == u'>' || k.back() == u'<')) {
        const bool forward = k.back() == u'>';
        k.pop_back();
        if (UseGifDirection) {
            const std::int32_t frames = FrameCount(k);
            if (frames > 0) {
                std::int32_t& counter = m_frameCounters[fold(k)];
                counter = ((forward ? counter + 1 : counter - 1) % frames + frames) % frames;
                k += u"|" + number(counter);
            }
        }
    }
    auto it = m_dictionary.find(fold(k));
    return it == m_dictionary.end() ? 0 : it->second.number;
}

std::int32_t cGDIPCache::GetImageFromHIcon(std::int32_t hIcon, std::int32_t DesiredWidth,
                                           std::int32_t DesiredHeight) {
    const HICON icon(static_cast<std::uint32_t>(hIcon));
    const PixelSurface* pixels = CursorPicture(icon, nullptr);
    if (!pixels) return 0;
    const int w = DesiredWidth > 0 ? static_cast<int>(DesiredWidth) : pixels->width();
    const int h = DesiredHeight > 0 ? static_cast<int>(DesiredHeight) : pixels->height();
    if (!DecodedImage::sizeAllowed(w, h)) return 0;
    const std::int32_t n = m_nextNumber++;
    m_images.emplace(n, iconPixels(icon, w, h));
    return n;
}

std::shared_ptr<StdPicture> cGDIPCache::GetPicture(const std::u16string& key,
                                                   std::int32_t BackColor) {
    const std::int32_t handle = GetPictureHandle(key, BackColor);
    return handle ? GetPictureFromHdl(handle) : nullptr;
}

std::shared_ptr<StdPicture> cGDIPCache::GetPictureFromHdl(std::int32_t hBmp) {
    PICTDESC desc;
    desc.picType = PICTYPE_BITMAP;
    desc.hbitmap = HBITMAP(static_cast<std::uint32_t>(hBmp));
    std::shared_ptr<StdPicture> picture;
    OleCreatePictureIndirect(&desc, true, picture);
    return picture;
}

std::int32_t cGDIPCache::GetPictureHandle(const std::u16string& key, std::int32_t BackColor) {
    return GetHBmpFromImage(key, BackColor);
}

std::int32_t cGDIPCache::Height(const std::u16string& key) const {
    const PixelSurface* s = find(key);
    return s ? s->height() : 0;
}

std::int32_t cGDIPCache::Width(const std::u16string& key) const {
    const PixelSurface* s = find(key);
    return s ? s->width() : 0;
}

std::vector<std::u16string> cGDIPCache::Keys() const {
    std::vector<std::u16string> keys;
    for (const auto& folded : m_keys)
        keys.push_back(m_dictionary.at(folded).key);
    return keys;
}

void cGDIPCache::Remove(const std::u16string& key) {
    auto it = m_dictionary.find(fold(key));
    if (it == m_dictionary.end()) return;
    m_images.erase(it->second.number);
    std::erase(m_keys, it->first);
    m_dictionary.erase(it);
}

void cGDIPCache::WriteBytesToFile(const std::u16string& Filename,
                                  const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(ToUtf8(Filename), std::ios::binary | std::ios::trunc);
    if (!out) throw Error::standard(errors::FileNotFound, u"cGDIPCache.WriteBytesToFile");
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void cGDIPCache::registerClass(TypeLibrary& library) {
    using T = cGDIPCache;
    using Args = std::vector<Variant>;
    const auto none = [] { return Variant(); };
    auto dc = [](const Variant& v) { return handleArg<HDC>(v); };
    auto key = [](const Variant& v) { return CStr(v); };
    auto number = [](std::int32_t n) { return Variant(static_cast<std::int32_t>(n)); };
    // HighLight and SolidFill take the same arguments: a DC, a colour, a rectangle, an alpha.
    const std::vector<ParamInfo> fillParams = {{u"hdc", false}, {u"Color", false}, {u"x", false},
                                               {u"y", false},   {u"dx", false},    {u"dy", false},
                                               {u"Alpha", true}};
    auto fill = [=](void (T::*member)(HDC, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                      std::int32_t, std::int32_t),
                    std::int32_t alpha) {
        return [=](T& t, Args& a) {
            (t.*member)(dc(a[0]), CLng(a[1]), CLng(a[2]), CLng(a[3]), CLng(a[4]), CLng(a[5]),
                        optionalLong(a[6], alpha));
            return none();
        };
    };
    ClassBuilder<T> b(u"cGDIPCache");
    b.creatable()
        .method(u"AddAlphaIcon",
                {{u"key", false},
                 {u"FileNameOrBytesOrResourceID", false},
                 {u"DesiredWidth", false},
                 {u"DesiredHeight", false}},
                [=](T& t, Args& a) {
                    t.AddAlphaIcon(key(a[0]), a[1], CLng(a[2]), CLng(a[3]));
                    return none();
                })
        .method(u"AddImage",
                {{u"key", false},
                 {u"FileNameOrBytesOrStdPictureOrResourceID", false},
                 {u"DesiredWidth", true},
                 {u"DesiredHeight", true},
                 {u"CacheMultiFrames", true}},
                [=](T& t, Args& a) {
                    t.AddImage(key(a[0]), a[1], optionalLong(a[2], 0), optionalLong(a[3], 0),
                               optionalBool(a[4], false));
                    return none();
                })
        .method(u"AlphaRenderTo",
                {{u"hdc", false},
                 {u"key", false},
                 {u"x", true},
                 {u"y", true},
                 {u"dx", true},
                 {u"dy", true},
                 {u"xSrc", true},
                 {u"ySrc", true},
                 {u"dxSrc", true},
                 {u"dySrc", true},
                 {u"Alpha", true},
                 {u"HighStretchQuality", true},
                 {u"Brightness", true},
                 {u"GrayScale", true},
                 {u"Angle", true}},
                [=](T& t, Args& a) {
                    t.AlphaRenderTo(dc(a[0]), key(a[1]), optionalLong(a[2], 0),
                                    optionalLong(a[3], 0), optionalLong(a[4], 0),
                                    optionalLong(a[5], 0), optionalDouble(a[6], 0),
                                    optionalDouble(a[7], 0), optionalDouble(a[8], 0),
                                    optionalDouble(a[9], 0), optionalLong(a[10], 255),
                                    optionalBool(a[11], true), optionalDouble(a[12], 0),
                                    optionalBool(a[13], false), optionalDouble(a[14], 0));
                    return none();
                })
        .method(u"AlphaTileTo",
                {{u"hdc", false},
                 {u"key", false},
                 {u"x", false},
                 {u"y", false},
                 {u"dx", false},
                 {u"dy", false},
                 {u"Alpha", true},
                 {u"HighStretchQuality", true}},
                [=](T& t, Args& a) {
                    t.AlphaTileTo(dc(a[0]), key(a[1]), CLng(a[2]), CLng(a[3]), CLng(a[4]),
                                  CLng(a[5]), optionalLong(a[6], 255), optionalBool(a[7], true));
                    return none();
                })
        .method(u"ByteArray", {{u"key", false}},
                [=](T& t, Args& a) { return Variant(t.ByteArray(key(a[0]))); })
        .computed(u"Bytes", [](T& t) { return Variant(t.Bytes()); })
        .method(u"DestroyHBmp", {{u"handle", false}},
                [=](T& t, Args& a) {
                    t.DestroyHBmp(CLng(a[0]));
                    return none();
                })
        .method(u"DestroyHCursor", {{u"handle", false}},
                [=](T& t, Args& a) {
                    t.DestroyHCursor(CLng(a[0]));
                    return none();
                })
        .method(u"DestroyHIcon", {{u"handle", false}},
                [=](T& t, Args& a) {
                    t.DestroyHIcon(CLng(a[0]));
                    return none();
                })
        .method(u"Exists", {{u"key", false}},
                [=](T& t, Args& a) { return Variant(t.Exists(key(a[0]))); })
        .method(u"FrameCount", {{u"key", false}},
                [=](T& t, Args& a) { return number(t.FrameCount(key(a[0]))); })
        .method(u"FrameInterval", {{u"Index", false}},
                [=](T& t, Args& a) { return number(t.FrameInterval(CLng(a[0]))); })
        .method(u"GetHBmpFromImage", {{u"key", false}, {u"BGColor", true}},
                [=](T& t, Args& a) {
                    return number(t.GetHBmpFromImage(key(a[0]), optionalLong(a[1], 0xFFFFFF)));
                })
        .method(u"GetHCursorFromImage", {{u"key", false}, {u"HSpotX", true}, {u"HSpotY", true}},
                [=](T& t, Args& a) {
                    return number(t.GetHCursorFromImage(key(a[0]), optionalLong(a[1], 0),
                                                        optionalLong(a[2], 0)));
                })
        .method(u"GetHIconFromImage", {{u"key", false}},
                [=](T& t, Args& a) { return number(t.GetHIconFromImage(key(a[0]))); })
        .method(
            u"GetImage", {{u"key", false}, {u"UseGifDirection", true}},
            [=](T& t, Args& a) { return number(t.GetImage(key(a[0]), optionalBool(a[1], false))); })
        .method(u"GetImageCount", {}, [=](T& t, Args&) { return number(t.GetImageCount()); })
        .method(u"GetImageFromHIcon",
                {{u"hIcon", false}, {u"DesiredWidth", true}, {u"DesiredHeight", true}},
                [=](T& t, Args& a) {
                    return number(t.GetImageFromHIcon(CLng(a[0]), optionalLong(a[1], 0),
                                                      optionalLong(a[2], 0)));
                })
        .method(u"GetPicture", {{u"key", false}, {u"BackColor", true}},
                [=](T& t, Args& a) {
                    return Variant(std::static_pointer_cast<Object>(
                        t.GetPicture(key(a[0]), optionalLong(a[1], 0xFFFFFF))));
                })
        .method(
            u"GetPictureFromHdl", {{u"hBmp", false}},
            [=](T& t, Args& a) {
                return Variant(std::static_pointer_cast<Object>(t.GetPictureFromHdl(CLng(a[0]))));
            })
        .method(u"GetPictureHandle", {{u"key", false}, {u"BackColor", true}},
                [=](T& t, Args& a) {
                    return number(t.GetPictureHandle(key(a[0]), optionalLong(a[1], 0xFFFFFF)));
                })
        .method(u"Height", {{u"key", false}},
                [=](T& t, Args& a) { return number(t.Height(key(a[0]))); })
        .method(u"HighLight", fillParams, fill(&T::HighLight, 80))
        // The keys as a collection of strings (late-bound calls have no string arrays).
        .method(u"Keys", {},
                [](T& t, Args&) {
                    auto keys = std::make_shared<Collection>();
                    for (const std::u16string& k : t.Keys())
                        keys->Add(Variant(k));
                    return Variant(std::static_pointer_cast<Object>(keys));
                })
        .method(u"Remove", {{u"key", false}},
                [=](T& t, Args& a) {
                    t.Remove(key(a[0]));
                    return none();
                })
        .method(u"SolidFill", fillParams, fill(&T::SolidFill, 255))
        .method(u"VBGlobal", {{u"object", false}},
                [=](T& t, Args& a) {
                    t.VBGlobal(a[0].object());
                    return none();
                })
        .method(u"Width", {{u"key", false}},
                [=](T& t, Args& a) { return number(t.Width(key(a[0]))); })
        .method(u"WriteBytesToFile", {{u"Filename", false}, {u"bytes", false}}, [=](T& t, Args& a) {
            t.WriteBytesToFile(CStr(a[0]), a[1].bytes());
            return none();
        });
    library.registerClass(b.build());
}

}  // namespace orvane
