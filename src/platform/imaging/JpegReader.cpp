#include "platform/imaging/JpegReader.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

#include "platform/imaging/ByteReader.h"

namespace orvane::platform {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info) {
    auto* e = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, e->message);
    std::longjmp(e->jump, 1);
}

void onMessage(j_common_ptr) {}  // warnings are not shown

// Decodes into `pixels` (0xAARRGGBB); returns false with `message` set. No C++ object lives
// across the jump: the caller owns the vector, sized before the decoder starts writing.
bool decode(const std::uint8_t* data, std::size_t size, std::vector<std::uint32_t>& pixels,
            int& width, int& height, ErrorManager& errors) {
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.output_message = onMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_calc_output_dimensions(&info);
    if (info.output_width == 0 || info.output_height == 0 ||
        info.output_width > static_cast<unsigned>(DecodedImage::kMaxSide) ||
        info.output_height > static_cast<unsigned>(DecodedImage::kMaxSide) ||
        static_cast<std::int64_t>(info.output_width) * info.output_height >
            DecodedImage::kMaxPixels) {
        std::snprintf(errors.message, sizeof errors.message, "bad image size");
        jpeg_destroy_decompress(&info);
        return false;
    }
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        auto* row = reinterpret_cast<JSAMPROW>(
            pixels.data() + static_cast<std::size_t>(info.output_scanline) * width);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (cmyk) {
        // Adobe's CMYK is stored inverted: each channel is already 255 − ink.
        for (std::uint32_t& p : pixels) {
            const std::uint32_t c = p & 0xFF, m = (p >> 8) & 0xFF, y = (p >> 16) & 0xFF,
                                k = p >> 24;
            const std::uint32_t r = c * k / 255, g = m * k / 255, b = y * k / 255;
            p = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    return true;
}

}  // namespace

int JpegReader::orientation(const std::uint8_t* data, std::size_t size) {
    // Walk the markers to an APP1 "Exif" segment and its orientation tag (0x0112).
    std::size_t at = 2;
    while (at + 4 <= size && data[at] == 0xFF) {
        const int marker = data[at + 1];
        const std::size_t length = static_cast<std::size_t>(data[at + 2] << 8 | data[at + 3]);
        if (marker == 0xDA || length < 2 || at + 2 + length > size) break;
        const std::uint8_t* seg = data + at + 4;
        const std::size_t n = length - 2;
        if (marker == 0xE1 && n >= 14 && std::memcmp(seg, "Exif\0\0", 6) == 0) {
            const std::uint8_t* tiff = seg + 6;
            const std::size_t tn = n - 6;
            const bool big = tiff[0] == 'M';
            // (Counted in size_t: an offset near 2^32 must not wrap round to a small one.)
            const std::size_t ifd = ByteReader::u32(tiff + 4, big);
            if (ifd + 2 > tn) return 1;
            const int count = ByteReader::u16(tiff + ifd, big);
            for (int i = 0; i < count; ++i) {
                const std::size_t e = ifd + 2 + static_cast<std::size_t>(i) * 12;
                if (e + 12 > tn) return 1;
                if (ByteReader::u16(tiff + e, big) == 0x0112) {
                    const int o = ByteReader::u16(tiff + e + 8, big);
                    return o >= 1 && o <= 8 ? o : 1;
                }
            }
            return 1;
        }
        at += 2 + length;
    }
    return 1;
}

std::optional<DecodedImage> JpegReader::read(const std::uint8_t* data, std::size_t size,
                                             std::string& error) {
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8) {
        error = "not a JPEG image";
        return std::nullopt;
    }
    DecodedImage raw;
    ErrorManager errors{};
    if (!decode(data, size, raw.pixels, raw.width, raw.height, errors)) {
        error = errors.message[0] ? errors.message : "damaged JPEG image";
        return std::nullopt;
    }
    const int o = orientation(data, size);
    if (o == 1) return raw;
    // Orientations 5 to 8 swap the sides. Each output pixel takes the source pixel that the
    // orientation puts there.
    const bool swap = o >= 5;
    DecodedImage out;
    out.width = swap ? raw.height : raw.width;
    out.height = swap ? raw.width : raw.height;
    out.pixels.resize(raw.pixels.size());
    const int W = raw.width, H = raw.height;
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            int sx = x, sy = y;
            switch (o) {
                case 2:
                    sx = W - 1 - x;
                    break;
                case 3:
                    sx = W - 1 - x;
                    sy = H - 1 - y;
                    break;
                case 4:
                    sy = H - 1 - y;
                    break;
                case 5:
                    sx = y;
                    sy = x;
                    break;
                case 6:
                    sx = y;
                    sy = H - 1 - x;
                    break;
                case 7:
                    sx = W - 1 - y;
                    sy = H - 1 - x;
                    break;
                case 8:
                    sx = W - 1 - y;
                    sy = x;
                    break;
                default:
                    break;
            }
            out.pixels[static_cast<std::size_t>(y) * out.width + x] =
                raw.pixels[static_cast<std::size_t>(sy) * W + sx];
        }
    return out;
}

}  // namespace orvane::platform
