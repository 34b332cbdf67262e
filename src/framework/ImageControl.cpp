#include "framework/ImageControl.h"

#include <cmath>

namespace orvane {

ImageControl::ImageControl(const StandardEvents& events) : OwnerDrawnControl(events) {}

ImageControl::~ImageControl() = default;

int ImageControl::imageHeightPixels() const {
    return static_cast<int>(std::lround(m_image.ImageSize * dpi() / 96.0));
}

}  // namespace orvane
