#include "framework/drawing/GlyphStrip.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "host/App.h"
#include "host/Error.h"
#include "platform/gdi/SurfaceBlend.h"
#include "platform/imaging/ImageDecoder.h"
#include "platform/imaging/ImageGraphics.h"
#include "platform/imaging/PremultipliedAlpha.h"

namespace orvane {

using namespace platform;

namespace {

// Cells drawn at more than this many pixels come from the strip with double-size cells.
constexpr int kSmallCell = 16;
// Scaled cells kept; sizes in use are few (a control's CheckSize at one or two DPIs).
constexpr std::size_t kMaxCells = 512;

struct Strip {
    bool tried = false;
    PixelSurface pixels;  // premultiplied; empty when the resource cannot be read
    int cell = 0;
};

struct Cache {
    std::map<std::pair<int, int>, Strip> strips;              // by kind and scale (1 or 2)
    std::map<std::tuple<int, int, int>, PixelSurface> cells;  // by kind, state and size
};

Cache& cache() {
    static Cache c;
    return c;
}

const Strip& strip(GlyphStrip::Kind kind, int scale) {
    Strip& s = cache().strips[{static_cast<int>(kind), scale}];
    if (s.tried) return s;
    s.tried = true;
    const int base =
        kind == GlyphStrip::Kind::Check ? GlyphStrip::kCheckResource : GlyphStrip::kOptionResource;
    std::vector<std::uint8_t> bytes;
    try {
        bytes = App::current().LoadResData(base + scale - 1, u"CUSTOM");
    } catch (const Error&) {
        return s;  // no strip: nothing is drawn
    }
    std::string error;
    const auto image = ImageDecoder::decode(bytes.data(), bytes.size(), error);
    if (!image || image->frames.empty()) return s;
    const DecodedImage& frame = image->frames.front();
    const int cells = GlyphStrip::cellCount(kind);
    if (frame.height <= 0 || frame.width < frame.height * cells) return s;
    s.cell = frame.height;
    s.pixels.reset(frame.width, frame.height);
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            s.pixels.at(x, y) =
                PremultipliedAlpha::premultiply(frame.pixels[std::size_t(y) * frame.width + x]);
    return s;
}

// Cell `state` at `size` pixels: copied when the strip's cells are that size, else scaled
// with high-quality filtering once and kept.
const PixelSurface* cellAt(GlyphStrip::Kind kind, int state, int size) {
    auto& cells = cache().cells;
    const auto key = std::make_tuple(static_cast<int>(kind), state, size);
    if (auto it = cells.find(key); it != cells.end()) return &it->second;
    const Strip& s = strip(kind, size > kSmallCell ? 2 : 1);
    const Strip& from = s.cell ? s : strip(kind, 1);
    if (!from.cell) return nullptr;
    if (cells.size() >= kMaxCells) cells.clear();
    PixelSurface out(size, size, 0);
    const int left = (state - 1) * from.cell;
    if (size == from.cell) {
        for (int y = 0; y < size; ++y)
            std::memcpy(out.row(y), from.pixels.row(y) + left, size * 4u);
    } else {
        ImageGraphics g(out);
        g.setInterpolationMode(InterpolationMode::HighQualityBicubic);
        g.setPixelOffsetMode(PixelOffsetMode::HighQuality);
        g.drawImage(from.pixels, RectF{0, 0, float(size), float(size)},
                    RectF{float(left), 0, float(from.cell), float(from.cell)});
    }
    return &cells.emplace(key, std::move(out)).first->second;
}

}  // namespace

void GlyphStrip::draw(HDC dc, Kind kind, int state, int x, int y, int size, std::uint8_t alpha) {
    if (state < 1 || state > cellCount(kind) || size <= 0 || size > 4096) return;
    const PixelSurface* cell = cellAt(kind, state, size);
    if (!cell) return;
    AlphaBlendSurface(dc, x, y, *cell, alpha);
}

void GlyphStrip::reset() {
    cache().strips.clear();
    cache().cells.clear();
}

}  // namespace orvane
