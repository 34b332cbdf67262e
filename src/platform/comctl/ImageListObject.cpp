#include "platform/comctl/ImageListObject.h"

#include <algorithm>
#include <cstring>

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/gdi/BitmapObject.h"
#include "platform/gdi/Gdi.h"
#include "platform/imaging/PremultipliedAlpha.h"

namespace orvane::platform {

namespace {

// The sixteen colours of a 4-bit list (0x00RRGGBB).
constexpr std::uint32_t kVga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                    0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                    0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
// The four further system colours of the halftone palette an 8-bit list uses.
constexpr std::uint32_t kHalftoneExtra[4] = {0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4};

int distance(std::uint32_t a, std::uint32_t b) {
    const int dr = static_cast<int>((a >> 16) & 0xFF) - static_cast<int>((b >> 16) & 0xFF);
    const int dg = static_cast<int>((a >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF);
    const int db = static_cast<int>(a & 0xFF) - static_cast<int>(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

template <std::size_t N>
std::uint32_t nearest(std::uint32_t rgb, const std::uint32_t (&palette)[N], std::uint32_t best) {
    int bestDistance = distance(rgb, best);
    for (std::uint32_t c : palette)
        if (const int d = distance(rgb, c); d < bestDistance) best = c, bestDistance = d;
    return best;
}

int depthOf(UINT flags) {
    switch (flags & 0xFE) {
        case ILC_COLOR4:
            return 4;
        case ILC_COLOR8:
            return 8;
        case ILC_COLOR16:
            return 16;
        case ILC_COLOR24:
            return 24;
        case ILC_COLOR32:
        case ILC_COLORDDB:
            return 32;  // the screen is 32 bits deep
        default:
            return 4;  // ILC_COLOR
    }
}

}  // namespace

ImageListObject::ImageListObject(int cx, int cy, UINT flags, int grow)
    : PlatformObject(kKind),
      m_cx(cx),
      m_cy(cy),
      m_flags(flags),
      m_grow(grow),
      m_depth(depthOf(flags)) {
    overlays.fill(-1);
}

ImageListObject::~ImageListObject() {
    changed();
}

ImageListObject* ImageListObject::from(HIMAGELIST himl) {
    auto* list = HandleTable::current().get<ImageListObject>(himl.value);
    if (!list) SetLastError(ERROR_INVALID_HANDLE);
    return list;
}

std::uint32_t ImageListObject::quantise(std::uint32_t rgb, int depth) {
    rgb &= 0xFFFFFF;
    switch (depth) {
        case 4:
            return nearest(rgb, kVga, 0);
        case 8: {
            // The nearest colour of the 6 × 6 × 6 cube, unless a system colour is nearer.
            auto step = [](std::uint32_t c) { return (c + 25) / 51 * 51; };
            const std::uint32_t cube =
                step((rgb >> 16) & 0xFF) << 16 | step((rgb >> 8) & 0xFF) << 8 | step(rgb & 0xFF);
            return nearest(rgb, kHalftoneExtra, nearest(rgb, kVga, cube));
        }
        case 16: {
            // Five bits a channel, widened again as the display would.
            auto five = [](std::uint32_t c) {
                c >>= 3;
                return (c << 3) | (c >> 2);
            };
            return five((rgb >> 16) & 0xFF) << 16 | five((rgb >> 8) & 0xFF) << 8 | five(rgb & 0xFF);
        }
        default:
            return rgb;
    }
}

PixelSurface ImageListObject::prepare(const std::vector<std::uint32_t>& straight, bool useAlpha,
                                      const std::vector<bool>& transparent) const {
    PixelSurface out(m_cx, m_cy);
    const bool alpha = useAlpha && m_depth == 32;
    for (int y = 0; y < m_cy; ++y) {
        std::uint32_t* row = out.row(y);
        for (int x = 0; x < m_cx; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * m_cx + x;
            const std::uint32_t p = straight[i];
            if (alpha) {
                row[x] = PremultipliedAlpha::premultiply(p);
            } else if (masked() && !transparent.empty() && transparent[i]) {
                row[x] = 0;
            } else {
                row[x] = 0xFF000000u | quantise(p, m_depth);
            }
        }
    }
    return out;
}

PixelSurface ImageListObject::blank() const {
    return PixelSurface(m_cx, m_cy, masked() ? 0u : 0xFF000000u);
}

void ImageListObject::insert(int at, PixelSurface image) {
    m_images.insert(m_images.begin() + at, std::move(image));
    changed();
}

void ImageListObject::replace(int i, PixelSurface image) {
    m_images[static_cast<std::size_t>(i)] = std::move(image);
    changed();
}

void ImageListObject::remove(int i) {
    m_images.erase(m_images.begin() + i);
    changed();
}

void ImageListObject::clear() {
    m_images.clear();
    changed();
}

void ImageListObject::resize(int count) {
    if (count < this->count()) {
        m_images.resize(static_cast<std::size_t>(count));
    } else {
        m_images.reserve(static_cast<std::size_t>(count));
        while (this->count() < count)
            m_images.push_back(blank());
    }
    changed();
}

void ImageListObject::setSize(int cx, int cy) {
    m_cx = cx;
    m_cy = cy;
    clear();
}

bool ImageListObject::stripBitmaps(int i, HBITMAP& colour, HBITMAP& mask, RECT& where) {
    // A square-ish grid once four columns would make the bitmaps too tall.
    int columns = 4;
    while (columns * columns < count())
        ++columns;
    if (!m_stripColour) {
        const int rows = std::max(1, (count() + columns - 1) / columns);
        m_stripColour = CreateBitmap(m_cx * columns, m_cy * rows, 1, 32, nullptr);
        m_stripMask = CreateBitmap(m_cx * columns, m_cy * rows, 1, 1, nullptr);
        auto* c = HandleTable::current().get<BitmapObject>(m_stripColour.value);
        auto* m = HandleTable::current().get<BitmapObject>(m_stripMask.value);
        if (!c || !m) {
            changed();
            return false;
        }
        for (int k = 0; k < count(); ++k) {
            const int left = k % columns * m_cx, top = k / columns * m_cy;
            const PixelSurface& image = m_images[static_cast<std::size_t>(k)];
            for (int y = 0; y < m_cy; ++y)
                for (int x = 0; x < m_cx; ++x) {
                    const std::uint32_t p = image.at(x, y);
                    c->surface().at(left + x, top + y) = p;
                    m->surface().at(left + x, top + y) = (p >> 24) ? 0 : 0xFFFFFF;
                }
        }
    }
    colour = m_stripColour;
    mask = m_stripMask;
    const int left = i % columns * m_cx, top = i / columns * m_cy;
    where = RECT{left, top, left + m_cx, top + m_cy};
    return true;
}

void ImageListObject::changed() {
    if (m_stripColour) DeleteObject(m_stripColour);
    if (m_stripMask) DeleteObject(m_stripMask);
    m_stripColour = HBITMAP();
    m_stripMask = HBITMAP();
}

}  // namespace orvane::platform
