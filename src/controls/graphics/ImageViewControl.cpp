#include "controls/graphics/ImageViewControl.h"

#include <algorithm>

namespace orvane {

using namespace platform;

ImageViewControl::ImageViewControl(const StandardEvents& events) : ImageControl(events) {}

ImageViewControl::~ImageViewControl() = default;

// --- Frames ---

std::int32_t ImageViewControl::animationFrames() const {
    if (!m_image.loaded()) return 0;
    // A strip has no more slices than it is pixels wide.
    if (const std::int32_t strip = stripFrames(); strip > 0)
        return std::min(strip, m_image.pixelWidth());
    return std::max(m_image.frameCount(), 1);
}

SIZE ImageViewControl::frameSize() const {
    const std::int32_t width = m_image.pixelWidth(), height = m_image.pixelHeight();
    if (stripFrames() > 0 && animationFrames() > 0) return SIZE{width / animationFrames(), height};
    return SIZE{width, height};
}

void ImageViewControl::restartAnimation() {
    m_image.sliceStrip(stripFrames());
    m_frame = 0;
    updateAnimation();
}

void ImageViewControl::updateAnimation() {
    // Design mode shows the first frame still.
    setAnimation(userMode() && animationFrames() > 1);
}

void ImageViewControl::imageChanged() {
    ImageControl::imageChanged();
    restartAnimation();
}

void ImageViewControl::loaded() {
    restartAnimation();
}

void ImageViewControl::animationTick() {
    const std::int32_t frames = animationFrames();
    if (frames < 2) return;
    m_frame = (m_frame + 1) % frames;
    Refresh();
}

// --- Layout and painting ---

void ImageViewControl::layout() {
    if (!m_autosize || !m_image.loaded()) return;
    const SIZE frame = frameSize();
    const int border = 2 * borderWidth();
    sizeToPixels(SIZE{scaledForDpi(frame.cx) + border, scaledForDpi(frame.cy) + border});
}

void ImageViewControl::Paint() {
    ensureLayout();
    const HDC dc = hDC();
    const int width = static_cast<int>(ScaleWidth()), height = static_cast<int>(ScaleHeight());
    const RECT all{0, 0, width, height};
    const int saved = SaveDC(dc);
    fillOrShowContainer(dc, all,
                        m_backStyle == BackStyleEnum::bsOpaque ? m_backColor : palette::kNoColor);
    const int inset = borderWidth();
    const RECT content{inset, inset, width - inset, height - inset};
    IntersectClipRect(dc, content.left, content.top, content.right, content.bottom);
    const SIZE frame = frameSize();
    const RECT dest = m_stretch ? content
                                : RECT{inset, inset, inset + scaledForDpi(frame.cx),
                                       inset + scaledForDpi(frame.cy)};
    m_image.drawAdjusted(dc, dest, m_frame, !m_enabled);
    RestoreDC(dc, saved);

    // The application draws over the image, on the whole surface; the border comes last.
    std::vector<Variant> args{Variant(static_cast<std::int32_t>(dc.value)),
                              Variant(static_cast<std::int32_t>(width)),
                              Variant(static_cast<std::int32_t>(height))};
    const int beforeHandler = SaveDC(dc);
    if (!raise(evOwnerDraw, args)) return;  // the handler removed the control
    RestoreDC(dc, beforeHandler);
    drawStateBorder(dc, all, false, false);
}

}  // namespace orvane
