// What every image-decoder fuzz target checks: a refusal says why, and an image it accepts has
// exactly width × height pixels within the decoders' limits.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/imaging/BmpReader.h"

inline void checkDecoded(const std::optional<orvane::platform::DecodedImage>& image,
                         const std::string& error) {
    using orvane::platform::BmpReader;
    if (!image) {
        if (error.empty()) std::abort();
        return;
    }
    if (image->width <= 0 || image->height <= 0 || image->width > BmpReader::kMaxSide ||
        image->height > BmpReader::kMaxSide ||
        image->pixels.size() !=
            static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height))
        std::abort();
}
