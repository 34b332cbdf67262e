// Reads icon (.ico) and cursor (.cur) files: the directory of images, and one image chosen for a
// wanted size, whether it is stored as a bitmap with an AND mask or as a PNG.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/imaging/DecodedImage.h"

namespace orvane::platform {

class IcoReader {
public:
    struct Entry {
        int width = 0;  // as the directory states them (0 there means 256)
        int height = 0;
        int bitCount = 0;
        int hotSpotX = 0;  // cursors only
        int hotSpotY = 0;
        std::uint32_t offset = 0;
        std::uint32_t size = 0;
    };
    struct Icon {
        DecodedImage image;
        bool cursor = false;
        int hotSpotX = 0;
        int hotSpotY = 0;
    };

    static bool isIconFile(const std::uint8_t* data, std::size_t size);
    // The directory, or nothing with `error` saying why.
    static std::optional<std::vector<Entry>> directory(const std::uint8_t* data, std::size_t size,
                                                       std::string& error);
    // Which entry suits a wanted size best: the exact size, else the nearest larger one, else
    // the largest; among equal sizes the deepest colours. A wanted size of 0 takes the largest.
    static std::size_t choose(const std::vector<Entry>& entries, int wantedWidth, int wantedHeight);
    // The chosen image of a file, at its stored size.
    static std::optional<Icon> read(const std::uint8_t* data, std::size_t size, int wantedWidth,
                                    int wantedHeight, std::string& error);
    // One image as stored in a directory entry or a resource: a bitmap or a PNG.
    static std::optional<DecodedImage> readImage(const std::uint8_t* data, std::size_t size,
                                                 std::string& error);
};

}  // namespace orvane::platform
