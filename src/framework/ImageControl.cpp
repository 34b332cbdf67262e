#include "framework/ImageControl.h"

#include <cmath>

namespace orvane {

ImageControl::ImageControl(const StandardEvents& events) : OwnerDrawnControl(events) {}

ImageControl::~ImageControl() = default;

int ImageControl::imageHeightPixels() const {
    return scaledForDpi(m_image.ImageSize);
}

}  // namespace orvane
