// Test support: JPEG files made with libjpeg from raw pixels.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace orvane::platform::test {

// Encodes w × h pixels of `components` channels in `space`; `progressive` as asked.
inline std::vector<std::uint8_t> encodeJpeg(const std::vector<std::uint8_t>& pixels, int w, int h,
                                            int components, J_COLOR_SPACE space,
                                            bool progressive = false) {
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < h; ++y) {
        auto* row =
            const_cast<JSAMPROW>(pixels.data() + static_cast<std::size_t>(y) * w * components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> bytes(out, out + size);
    std::free(out);
    return bytes;
}

}  // namespace orvane::platform::test
