// A decoded image with one or more frames: the frames of an animation in time order (each the
// whole picture as it shows then, with its delay) or the pages of a multi-page document.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/imaging/DecodedImage.h"

namespace orvane::platform {

struct AnimatedImage {
    enum class Dimension { Time, Page };

    std::vector<DecodedImage> frames;
    std::vector<int> delaysMs;  // how long each frame shows (time frames only)
    Dimension dimension = Dimension::Time;

    static constexpr std::size_t kMaxFrames = 4096;
};

}  // namespace orvane::platform
