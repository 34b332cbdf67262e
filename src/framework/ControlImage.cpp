#include "framework/ControlImage.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "framework/Persist.h"
#include "framework/drawing/cGDIPCache.h"

namespace orvane {

using namespace platform;

namespace {

constexpr const char16_t* kKey = u"k";
constexpr std::int32_t kDisabledAlpha = 127;

std::u16string numbered(const char16_t* mark, std::int32_t index) {
    const std::string digits = std::to_string(index);
    return std::u16string(kKey) + mark + std::u16string(digits.begin(), digits.end());
}

// An animation's frames are cached by the decoder under "k|0", "k|1", ...
std::u16string frameKey(std::int32_t index) {
    return numbered(u"|", index);
}

// A strip's frames under "k#0", "k#1", ...
std::u16string stripKey(std::int32_t index) {
    return numbered(u"#", index);
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
    m_strip = 0;
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

void ControlImage::sliceStrip(std::int32_t count) {
    if (!m_loaded) return;
    for (std::int32_t i = 0; i < m_strip; ++i)
        m_cache->Remove(stripKey(i));
    m_strip = 0;
    count = std::min(count, m_width);
    if (count < 2) return;
    const std::int32_t width = m_width / count;
    for (std::int32_t i = 0; i < count; ++i)
        m_cache->AddImagePart(stripKey(i), kKey, i * width, 0, width, m_height);
    m_strip = count;
}

void ControlImage::drawAdjusted(HDC dc, const RECT& dest, std::int32_t frame, bool disabled) {
    if (!m_loaded || dest.right <= dest.left || dest.bottom <= dest.top) return;
    std::u16string key = kKey;
    if (m_strip >= 2)
        key = stripKey(frame % m_strip);
    else if (m_frames >= 2)
        key = frameKey(frame % m_frames);
    render(dc, key, dest, nullptr, disabled, Brightness, Angle);
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
