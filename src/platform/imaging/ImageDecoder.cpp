#include "platform/imaging/ImageDecoder.h"

#include <cstring>

#include "platform/imaging/BmpReader.h"
#include "platform/imaging/GifReader.h"
#include "platform/imaging/IcoReader.h"
#include "platform/imaging/JpegReader.h"
#include "platform/imaging/PngReader.h"
#include "platform/imaging/TiffReader.h"
#include "platform/imaging/WebpReader.h"

namespace orvane::platform {

ImageDecoder::Format ImageDecoder::sniff(const std::uint8_t* d, std::size_t size) {
    static const std::uint8_t kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 8 && std::memcmp(d, kPng, 8) == 0) return Format::Png;
    if (size >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) return Format::Jpeg;
    if (size >= 6 && (std::memcmp(d, "GIF87a", 6) == 0 || std::memcmp(d, "GIF89a", 6) == 0))
        return Format::Gif;
    if (WebpReader::isWebp(d, size)) return Format::Webp;
    if (TiffReader::isTiff(d, size)) return Format::Tiff;
    if (size >= 2 && d[0] == 'B' && d[1] == 'M') return Format::Bmp;
    if (IcoReader::isIconFile(d, size)) return Format::Icon;
    // Placeable and plain Windows metafiles, enhanced metafiles.
    if ((size >= 4 && d[0] == 0xD7 && d[1] == 0xCD && d[2] == 0xC6 && d[3] == 0x9A) ||
        (size >= 4 && (d[0] == 1 || d[0] == 2) && d[1] == 0 && d[2] == 9 && d[3] == 0) ||
        (size >= 44 && d[0] == 1 && d[1] == 0 && d[2] == 0 && d[3] == 0 &&
         std::memcmp(d + 40, " EMF", 4) == 0))
        return Format::Metafile;
    return Format::Unknown;
}

std::optional<AnimatedImage> ImageDecoder::decode(const std::uint8_t* data, std::size_t size,
                                                  std::string& error) {
    auto single = [](std::optional<DecodedImage> image) -> std::optional<AnimatedImage> {
        if (!image) return std::nullopt;
        AnimatedImage out;
        out.frames.push_back(std::move(*image));
        out.delaysMs.push_back(0);
        return out;
    };
    switch (sniff(data, size)) {
        case Format::Png:
            return single(PngReader::read(data, size, error));
        case Format::Jpeg:
            return single(JpegReader::read(data, size, error));
        case Format::Gif:
            return GifReader::read(data, size, error);
        case Format::Webp:
            return WebpReader::read(data, size, error);
        case Format::Tiff:
            return TiffReader::read(data, size, error);
        case Format::Bmp:
            return single(BmpReader::read(data, size, error));
        case Format::Icon: {
            auto icon = IcoReader::read(data, size, 0, 0, error);
            return single(icon ? std::optional<DecodedImage>(std::move(icon->image))
                               : std::nullopt);
        }
        case Format::Metafile:
            error = "metafiles are not supported";
            return std::nullopt;
        case Format::Unknown:
            break;
    }
    error = "unknown image format";
    return std::nullopt;
}

}  // namespace orvane::platform
