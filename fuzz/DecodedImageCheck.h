// What every image-decoder fuzz target checks: a refusal says why, and an image it accepts has
// exactly width × height pixels within the decoders' limits.
// ORVANE_FUZZ_SHOW_ERRORS=1 prints why each refused input was refused (to check the seeds).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/imaging/AnimatedImage.h"

inline void checkDecoded(const std::optional<orvane::platform::DecodedImage>& image,
                         const std::string& error) {
    using orvane::platform::DecodedImage;
    if (!image) {
        if (error.empty()) std::abort();
        static const bool show = std::getenv("ORVANE_FUZZ_SHOW_ERRORS") != nullptr;
        if (show) std::fprintf(stderr, "refused: %s\n", error.c_str());
        return;
    }
    if (image->width <= 0 || image->height <= 0 || image->width > DecodedImage::kMaxSide ||
        image->height > DecodedImage::kMaxSide ||
        image->pixels.size() !=
            static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height))
        std::abort();
}

// Frames: at least one, each with a delay and a valid picture; animation frames share one size.
inline void checkAnimated(const std::optional<orvane::platform::AnimatedImage>& image,
                          const std::string& error) {
    using orvane::platform::AnimatedImage;
    if (!image) {
        if (error.empty()) std::abort();
        static const bool show = std::getenv("ORVANE_FUZZ_SHOW_ERRORS") != nullptr;
        if (show) std::fprintf(stderr, "refused: %s\n", error.c_str());
        return;
    }
    if (image->frames.empty() || image->frames.size() != image->delaysMs.size() ||
        image->frames.size() > AnimatedImage::kMaxFrames)
        std::abort();
    for (const auto& frame : image->frames) {
        checkDecoded(frame, error);
        if (image->dimension == AnimatedImage::Dimension::Time &&
            (frame.width != image->frames[0].width || frame.height != image->frames[0].height))
            std::abort();
    }
}
