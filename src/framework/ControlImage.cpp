#include "framework/ControlImage.h"

#include <cmath>
#include <string>

#include "framework/Persist.h"
#include "framework/drawing/cGDIPCache.h"

namespace orvane {

using namespace platform;

namespace {

constexpr const char16_t* kKey = u"k";
constexpr std::int32_t kDisabledAlpha = 127;

std::u16string frameKey(std::int32_t index) {
    const std::string digits = std::to_string(index);
    return std::u16string(kKey) + u"|" + std::u16string(digits.begin(), digits.end());
}

}  // namespace

ControlImage::ControlImage() = default;
ControlImage::~ControlImage() = default;

void ControlImage::release() {
    m_cache.reset();
    m_loaded = false;
    m_aspect = 1.0;
    m_width = m_height = 0;
    m_frames = 0;
    m_frame = 0;
    m_shownFrame = 0;
}

void ControlImage::load() {
    release();
    if (!HasData(PNG)) return;
    auto cache = std::make_unique<cGDIPCache>();
    try {
        cache->AddImage(kKey, Variant(PNG), 0, 0, true);
    } catch (const Error&) {
        return;  // an image too large to keep is no image
    }
    if (!cache->Exists(kKey)) return;  // undecodable bytes
    const auto width = cache->Width(kKey);
    const auto height = cache->Height(kKey);
    if (width <= 0 || height <= 0) return;
    m_aspect = static_cast<double>(width) / static_cast<double>(height);
    m_width = static_cast<std::int32_t>(width);
    m_height = static_cast<std::int32_t>(height);
    m_frames = static_cast<std::int32_t>(cache->FrameCount(kKey));
    m_cache = std::move(cache);
    m_loaded = true;
}

int ControlImage::widthFor(int height) const {
    return static_cast<int>(std::lround(m_aspect * height));
}

namespace {

// The cache takes positions at 96 pixels per inch and scales them to the DC.
struct LogicalUnits {
    explicit LogicalUnits(HDC dc) {
        const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
        scale = dpi > 0 ? 96.0 / dpi : 1.0;
    }
    std::int32_t operator()(int v) const {
        return static_cast<std::int32_t>(std::lround(v * scale));
    }
    double scale = 1.0;
};

}  // namespace

double ControlImage::brightnessFor(Look look, bool brightnessStep) const {
    if (brightnessStep && look == Look::Hot) return Brightness;
    if (brightnessStep && look == Look::Pressed) return -Brightness;
    return 0;
}

void ControlImage::render(HDC dc, const std::u16string& key, const RECT& dest, const RECT* source,
                          bool disabled, double brightness, std::int32_t angle) {
    const LogicalUnits logical(dc);
    const RECT src = source ? *source : RECT{0, 0, 0, 0};
    m_cache->AlphaRenderTo(dc, key, logical(dest.left), logical(dest.top),
                           logical(dest.right - dest.left), logical(dest.bottom - dest.top),
                           src.left, src.top, src.right - src.left, src.bottom - src.top,
                           disabled ? kDisabledAlpha : Alpha, true, brightness,
                           GrayScale || disabled, angle);
}

void ControlImage::drawStretched(HDC dc, const RECT& dest, const RECT* source, Look look,
                                 bool brightnessStep) {
    if (!m_loaded || dest.right <= dest.left || dest.bottom <= dest.top) return;
    render(dc, kKey, dest, source, look == Look::Disabled, brightnessFor(look, brightnessStep), 0);
}

void ControlImage::drawAdjusted(HDC dc, const RECT& dest, const RECT* source, std::int32_t frame,
                                bool disabled) {
    if (!m_loaded || dest.right <= dest.left || dest.bottom <= dest.top) return;
    // A part of the image is always taken from the whole (first) image.
    const bool animated = m_frames >= 2 && !source;
    render(dc, animated ? frameKey(frame % m_frames) : std::u16string(kKey), dest, source, disabled,
           Brightness, Angle);
}

bool ControlImage::drawFrame(HDC dc, const RECT& dest, Look look, bool animate, bool advance) {
    if (!m_loaded || dest.right <= dest.left || dest.bottom <= dest.top) return false;
    const bool running = animate && look != Look::Disabled && m_frames >= 2;
    std::u16string key = kKey;
    if (running) {
        if (advance) {
            if (m_frame >= m_frames) m_frame = 0;
            m_shownFrame = m_frame;
            m_frame = (m_frame + 1) % m_frames;
        }
        key = frameKey(m_shownFrame);
    }
    render(dc, key, dest, nullptr, look == Look::Disabled, 0, 0);
    return running;
}

bool ControlImage::draw(HDC dc, int x, int y, int height, Look look, bool brightnessStep,
                        bool animate) {
    if (!shown() || height <= 0) return false;
    const int width = widthFor(height);
    const LogicalUnits logical(dc);
    const double brightness = brightnessFor(look, brightnessStep);
    const bool disabled = look == Look::Disabled;
    // A single frame never changes: only images of two frames or more keep a clock running.
    // The pointer over the control (hot, or pressed) stops it on the first frame.
    const bool running = animate && look == Look::Normal && m_frames >= 2;
    std::u16string key = kKey;
    if (running) {
        if (m_frame >= m_frames) m_frame = 0;
        key = frameKey(m_frame);
        m_frame = (m_frame + 1) % m_frames;
    }
    m_cache->AlphaRenderTo(dc, key, logical(x), logical(y), logical(width), logical(height), 0, 0,
                           0, 0, disabled ? kDisabledAlpha : Alpha, true, brightness,
                           GrayScale || disabled, Angle);
    return running;
}

}  // namespace orvane
