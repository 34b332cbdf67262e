// Writes the seed images of the PNG, JPEG, GIF, WebP and TIFF fuzz targets with the same
// libraries the readers use: small pictures of every layout the readers handle, one file each.
// Usage: make_image_seeds <corpus folder>   (writes <folder>/fuzz_png/..., fuzz_jpeg/..., ...)
// scripts/make-fuzz-seeds.py runs it and writes the other targets' seeds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// (jpeglib.h needs FILE declared before it.)
#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>
#include <webp/encode.h>
#include <webp/mux.h>

namespace fs = std::filesystem;

namespace {

fs::path root;

using Bytes = std::vector<std::uint8_t>;

void save(const std::string& target, const std::string& name, const Bytes& bytes) {
    const fs::path dir = root / target;
    fs::create_directories(dir);
    FILE* f = std::fopen((dir / name).c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", (dir / name).c_str());
        std::exit(1);
    }
    std::fclose(f);
}

// A test picture: a diagonal gradient with a few hard edges, channel `c` of pixel (x, y).
std::uint8_t sample(int x, int y, int c) {
    const int v = (x * 37 + y * 23 + c * 85) & 0xFF;
    return static_cast<std::uint8_t>(((x + y) % 3 == 0) ? 255 - v : v);
}

// ---- PNG ------------------------------------------------------------------------------------

struct PngLayout {
    const char* name;
    int width, height, colorType, depth;
    bool interlaced, trns, extras;
};

void writePng(const PngLayout& l) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        std::fprintf(stderr, "png %s failed\n", l.name);
        std::exit(1);
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            auto* o = static_cast<Bytes*>(png_get_io_ptr(p));
            o->insert(o->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, l.width, l.height, l.depth, l.colorType,
                 l.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const int colours = 1 << std::min(l.depth, 8);
    std::vector<png_color> palette(static_cast<std::size_t>(colours));
    if (l.colorType == PNG_COLOR_TYPE_PALETTE) {
        for (int i = 0; i < colours; ++i)
            palette[i] = {sample(i, 0, 0), sample(i, 1, 1), sample(i, 2, 2)};
        png_set_PLTE(png, info, palette.data(), colours);
    }
    if (l.trns) {
        if (l.colorType == PNG_COLOR_TYPE_PALETTE) {
            std::vector<png_byte> alpha(static_cast<std::size_t>(colours));
            for (int i = 0; i < colours; ++i)
                alpha[i] = static_cast<png_byte>(i * 255 / (colours - 1));
            png_set_tRNS(png, info, alpha.data(), colours, nullptr);
        } else {
            png_color_16 key{};
            key.red = key.gray = sample(0, 0, 0) >> (8 - std::min(l.depth, 8));
            key.green = sample(0, 0, 1);
            key.blue = sample(0, 0, 2);
            png_set_tRNS(png, info, nullptr, 0, &key);
        }
    }
    if (l.extras) {
        png_set_gAMA(png, info, 0.45455);
        png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
        png_set_pHYs(png, info, 2835, 2835, PNG_RESOLUTION_METER);
        png_text text{};
        text.compression = PNG_TEXT_COMPRESSION_NONE;
        text.key = const_cast<char*>("Comment");
        text.text = const_cast<char*>("seed");
        png_set_text(png, info, &text, 1);
    }
    png_write_info(png, info);
    const int channels = l.colorType == PNG_COLOR_TYPE_RGB         ? 3
                         : l.colorType == PNG_COLOR_TYPE_RGB_ALPHA ? 4
                         : l.colorType == PNG_COLOR_TYPE_GA        ? 2
                                                                   : 1;
    const int bytesPerSample = l.depth == 16 ? 2 : 1;
    const std::size_t rowBytes =
        l.depth < 8 ? static_cast<std::size_t>((l.width * l.depth + 7) / 8)
                    : static_cast<std::size_t>(l.width * channels * bytesPerSample);
    std::vector<Bytes> rows(static_cast<std::size_t>(l.height), Bytes(rowBytes, 0));
    for (int y = 0; y < l.height; ++y)
        for (int x = 0; x < l.width; ++x) {
            if (l.depth < 8) {
                const int v = sample(x, y, 0) >> (8 - l.depth);
                const int bit = x * l.depth;
                rows[y][bit / 8] |= static_cast<std::uint8_t>(v << (8 - l.depth - bit % 8));
                continue;
            }
            for (int c = 0; c < channels; ++c)
                for (int b = 0; b < bytesPerSample; ++b)
                    rows[y][(x * channels + c) * bytesPerSample + b] =
                        static_cast<std::uint8_t>(sample(x, y, c) ^ (b * 0x5A));
        }
    std::vector<png_bytep> pointers;
    for (Bytes& r : rows)
        pointers.push_back(r.data());
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    save("fuzz_png", l.name, out);
}

void pngSeeds() {
    const PngLayout layouts[] = {
        {"rgb8.png", 3, 2, PNG_COLOR_TYPE_RGB, 8, false, false, false},
        {"rgba8.png", 3, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false, false},
        {"grey8.png", 3, 2, PNG_COLOR_TYPE_GRAY, 8, false, false, false},
        {"grey1.png", 8, 2, PNG_COLOR_TYPE_GRAY, 1, false, false, false},
        {"grey4-trns.png", 5, 3, PNG_COLOR_TYPE_GRAY, 4, false, true, false},
        {"grey-alpha8.png", 3, 2, PNG_COLOR_TYPE_GA, 8, false, false, false},
        {"grey16.png", 3, 2, PNG_COLOR_TYPE_GRAY, 16, false, false, false},
        {"grey-alpha16.png", 3, 2, PNG_COLOR_TYPE_GA, 16, false, false, false},
        {"rgb16.png", 3, 2, PNG_COLOR_TYPE_RGB, 16, false, false, false},
        {"rgba16.png", 3, 2, PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false, false},
        {"rgb8-trns.png", 3, 2, PNG_COLOR_TYPE_RGB, 8, false, true, false},
        {"palette2.png", 7, 3, PNG_COLOR_TYPE_PALETTE, 2, false, false, false},
        {"palette4-trns.png", 5, 3, PNG_COLOR_TYPE_PALETTE, 4, false, true, false},
        {"palette8.png", 3, 2, PNG_COLOR_TYPE_PALETTE, 8, false, false, false},
        {"interlaced-rgba8.png", 8, 8, PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false, false},
        {"interlaced-palette4.png", 9, 9, PNG_COLOR_TYPE_PALETTE, 4, true, true, false},
        {"interlaced-grey16.png", 8, 8, PNG_COLOR_TYPE_GRAY, 16, true, false, false},
        {"chunks-rgb8.png", 3, 2, PNG_COLOR_TYPE_RGB, 8, false, false, true},
    };
    for (const PngLayout& l : layouts)
        writePng(l);
}

// ---- JPEG -----------------------------------------------------------------------------------

// An APP1 "Exif" segment's body holding only the orientation tag, in either byte order.
Bytes exifOrientation(int orientation, bool bigEndian) {
    Bytes b = {'E', 'x', 'i', 'f', 0, 0};
    auto u16 = [&](int v) {
        if (bigEndian) {
            b.push_back(static_cast<std::uint8_t>(v >> 8));
            b.push_back(static_cast<std::uint8_t>(v));
        } else {
            b.push_back(static_cast<std::uint8_t>(v));
            b.push_back(static_cast<std::uint8_t>(v >> 8));
        }
    };
    auto u32 = [&](std::uint32_t v) {
        if (bigEndian) {
            u16(static_cast<int>(v >> 16));
            u16(static_cast<int>(v & 0xFFFF));
        } else {
            u16(static_cast<int>(v & 0xFFFF));
            u16(static_cast<int>(v >> 16));
        }
    };
    b.push_back(bigEndian ? 'M' : 'I');
    b.push_back(bigEndian ? 'M' : 'I');
    u16(42);
    u32(8);  // the first directory follows the header
    u16(1);  // one entry
    u16(0x0112);
    u16(3);  // SHORT
    u32(1);
    u16(orientation);
    u16(0);
    u32(0);  // no next directory
    return b;
}

struct JpegLayout {
    const char* name;
    int width, height;
    J_COLOR_SPACE in, out;
    bool progressive, arithmetic, full;  // full: no chroma subsampling
    int restart, orientation;
    bool exifBigEndian;
};

void writeJpeg(const JpegLayout& l) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(l.width);
    info.image_height = static_cast<JDIMENSION>(l.height);
    info.input_components = l.in == JCS_GRAYSCALE ? 1 : l.in == JCS_CMYK ? 4 : 3;
    info.in_color_space = l.in;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, l.out);
    jpeg_set_quality(&info, 80, TRUE);
    if (l.progressive) jpeg_simple_progression(&info);
    info.arith_code = l.arithmetic ? TRUE : FALSE;
    info.restart_interval = static_cast<unsigned>(l.restart);
    if (l.full)
        for (int c = 0; c < info.num_components; ++c)
            info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    if (l.orientation) {
        const Bytes exif = exifOrientation(l.orientation, l.exifBigEndian);
        jpeg_write_marker(&info, JPEG_APP0 + 1, exif.data(), static_cast<unsigned>(exif.size()));
    }
    const char comment[] = "seed";
    jpeg_write_marker(&info, JPEG_COM, reinterpret_cast<const JOCTET*>(comment), 4);
    Bytes row(static_cast<std::size_t>(l.width * info.input_components));
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < l.width; ++x)
            for (int c = 0; c < info.input_components; ++c)
                row[x * info.input_components + c] = sample(x, info.next_scanline, c);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    save("fuzz_jpeg", l.name, Bytes(buffer, buffer + size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
}

void jpegSeeds() {
    const JpegLayout layouts[] = {
        {"baseline-420.jpg", 16, 8, JCS_RGB, JCS_YCbCr, false, false, false, 0, 0, false},
        {"baseline-444.jpg", 8, 8, JCS_RGB, JCS_YCbCr, false, false, true, 0, 0, false},
        {"grey.jpg", 8, 8, JCS_GRAYSCALE, JCS_GRAYSCALE, false, false, false, 0, 0, false},
        {"progressive.jpg", 16, 16, JCS_RGB, JCS_YCbCr, true, false, false, 0, 0, false},
        {"progressive-grey.jpg", 8, 8, JCS_GRAYSCALE, JCS_GRAYSCALE, true, false, false, 0, 0,
         false},
        {"cmyk.jpg", 8, 8, JCS_CMYK, JCS_CMYK, false, false, false, 0, 0, false},
        {"ycck.jpg", 8, 8, JCS_CMYK, JCS_YCCK, false, false, false, 0, 0, false},
        {"rgb-untransformed.jpg", 8, 8, JCS_RGB, JCS_RGB, false, false, false, 0, 0, false},
        {"restarts.jpg", 16, 16, JCS_RGB, JCS_YCbCr, false, false, false, 1, 0, false},
        {"arithmetic.jpg", 8, 8, JCS_RGB, JCS_YCbCr, false, true, false, 0, 0, false},
        {"exif-3.jpg", 6, 4, JCS_RGB, JCS_YCbCr, false, false, false, 0, 3, false},
        {"exif-6.jpg", 6, 4, JCS_RGB, JCS_YCbCr, false, false, false, 0, 6, true},
        {"exif-8-progressive.jpg", 6, 4, JCS_RGB, JCS_YCbCr, true, false, false, 0, 8, false},
        {"exif-5-grey.jpg", 5, 3, JCS_GRAYSCALE, JCS_GRAYSCALE, false, false, false, 0, 5, true},
    };
    for (const JpegLayout& l : layouts)
        writeJpeg(l);
}

// ---- GIF ------------------------------------------------------------------------------------

struct GifFrame {
    int left, top, width, height;
    bool interlaced, localPalette;
    int transparent, disposal, delay;
};

void writeGif(const char* name, int width, int height, bool globalPalette, bool loop,
              const std::vector<GifFrame>& frames) {
    Bytes out;
    int code = 0;
    GifFileType* gif = EGifOpen(
        &out,
        [](GifFileType* g, const GifByteType* data, int n) {
            auto* o = static_cast<Bytes*>(g->UserData);
            o->insert(o->end(), data, data + n);
            return n;
        },
        &code);
    EGifSetGifVersion(gif, true);
    std::vector<GifColorType> colours(8);
    for (int i = 0; i < 8; ++i)
        colours[i] = {sample(i, 0, 0), sample(i, 1, 1), sample(i, 2, 2)};
    ColorMapObject* global = globalPalette ? GifMakeMapObject(8, colours.data()) : nullptr;
    EGifPutScreenDesc(gif, width, height, 3, 0, global);
    if (loop) {
        const GifByteType app[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
        const GifByteType count[] = {1, 0, 0};
        EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
        EGifPutExtensionBlock(gif, sizeof app, app);
        EGifPutExtensionBlock(gif, sizeof count, count);
        EGifPutExtensionTrailer(gif);
    }
    const char comment[] = "seed";
    EGifPutComment(gif, comment);
    for (const GifFrame& f : frames) {
        GraphicsControlBlock gcb{f.disposal, false, f.delay, f.transparent};
        GifByteType ext[4];
        const std::size_t n = EGifGCBToExtension(&gcb, ext);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext);
        std::vector<GifColorType> localColours(4);
        for (int i = 0; i < 4; ++i)
            localColours[i] = {static_cast<GifByteType>(60 * i), 0,
                               static_cast<GifByteType>(255 - 60 * i)};
        ColorMapObject* local = f.localPalette ? GifMakeMapObject(4, localColours.data()) : nullptr;
        EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local);
        const int limit = f.localPalette ? 4 : 8;
        std::vector<int> order;
        if (f.interlaced) {
            const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = starts[pass]; y < f.height; y += steps[pass])
                    order.push_back(y);
        } else {
            for (int y = 0; y < f.height; ++y)
                order.push_back(y);
        }
        for (int y : order) {
            std::vector<GifPixelType> line(static_cast<std::size_t>(f.width));
            for (int x = 0; x < f.width; ++x)
                line[x] = static_cast<GifPixelType>((x + y * 3 + f.delay) % limit);
            EGifPutLine(gif, line.data(), f.width);
        }
        GifFreeMapObject(local);
    }
    GifFreeMapObject(global);
    if (EGifCloseFile(gif, &code) != GIF_OK) {
        std::fprintf(stderr, "gif %s failed: %d\n", name, code);
        std::exit(1);
    }
    save("fuzz_gif", name, out);
}

void gifSeeds() {
    writeGif("static.gif", 3, 2, true, false,
             {{0, 0, 3, 2, false, false, NO_TRANSPARENT_COLOR, 0, 0}});
    writeGif("transparent.gif", 4, 4, true, false, {{0, 0, 4, 4, false, false, 2, 0, 0}});
    writeGif("interlaced.gif", 5, 11, true, false,
             {{0, 0, 5, 11, true, false, NO_TRANSPARENT_COLOR, 0, 0}});
    writeGif("local-palette.gif", 4, 3, false, false,
             {{0, 0, 4, 3, false, true, NO_TRANSPARENT_COLOR, 0, 0}});
    writeGif("animated.gif", 6, 6, true, true,
             {{0, 0, 6, 6, false, false, NO_TRANSPARENT_COLOR, DISPOSE_DO_NOT, 10},
              {1, 1, 3, 3, false, true, 0, DISPOSE_BACKGROUND, 20},
              {2, 0, 4, 5, true, false, 1, DISPOSE_PREVIOUS, 5},
              {0, 3, 6, 3, false, false, 3, DISPOSAL_UNSPECIFIED, 0}});
    // A frame that reaches past the screen on two sides.
    writeGif("frame-outside.gif", 4, 4, true, false,
             {{2, 2, 4, 4, false, false, NO_TRANSPARENT_COLOR, 0, 0}});
}

// ---- WebP -----------------------------------------------------------------------------------

Bytes rgbaPicture(int width, int height, bool alpha, int shift) {
    Bytes rgba(static_cast<std::size_t>(width * height * 4));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 4; ++c)
                rgba[(y * width + x) * 4 + c] =
                    c == 3 ? (alpha ? static_cast<std::uint8_t>((x * 60 + y * 30) & 0xFF) : 255)
                           : sample(x + shift, y, c);
    return rgba;
}

void webpSeeds() {
    const int w = 8, h = 6;
    auto encoded = [](std::size_t size, std::uint8_t* data) {
        Bytes b(data, data + size);
        WebPFree(data);
        return b;
    };
    std::uint8_t* data = nullptr;
    Bytes rgb = rgbaPicture(w, h, false, 0);
    std::size_t n = WebPEncodeRGBA(rgb.data(), w, h, w * 4, 75, &data);
    save("fuzz_webp", "lossy.webp", encoded(n, data));
    Bytes rgba = rgbaPicture(w, h, true, 0);
    n = WebPEncodeRGBA(rgba.data(), w, h, w * 4, 75, &data);
    save("fuzz_webp", "lossy-alpha.webp", encoded(n, data));
    n = WebPEncodeLosslessRGBA(rgb.data(), w, h, w * 4, &data);
    save("fuzz_webp", "lossless.webp", encoded(n, data));
    n = WebPEncodeLosslessRGBA(rgba.data(), w, h, w * 4, &data);
    save("fuzz_webp", "lossless-alpha.webp", encoded(n, data));

    for (const bool lossless : {false, true}) {
        WebPAnimEncoderOptions options;
        WebPAnimEncoderOptionsInit(&options);
        options.anim_params.loop_count = 0;
        WebPAnimEncoder* encoder = WebPAnimEncoderNew(w, h, &options);
        WebPConfig config;
        WebPConfigInit(&config);
        config.lossless = lossless;
        config.quality = 60;
        int timestamp = 0;
        for (int frame = 0; frame < 3; ++frame) {
            WebPPicture picture;
            WebPPictureInit(&picture);
            picture.width = w;
            picture.height = h;
            picture.use_argb = 1;
            Bytes pixels = rgbaPicture(w, h, frame == 1, frame * 3);
            WebPPictureImportRGBA(&picture, pixels.data(), w * 4);
            WebPAnimEncoderAdd(encoder, &picture, timestamp, &config);
            WebPPictureFree(&picture);
            timestamp += 40 + frame * 30;
        }
        WebPAnimEncoderAdd(encoder, nullptr, timestamp, nullptr);
        WebPData assembled;
        WebPDataInit(&assembled);
        if (!WebPAnimEncoderAssemble(encoder, &assembled)) {
            std::fprintf(stderr, "webp animation failed\n");
            std::exit(1);
        }
        save("fuzz_webp", lossless ? "animated-lossless.webp" : "animated-lossy.webp",
             Bytes(assembled.bytes, assembled.bytes + assembled.size));
        WebPDataClear(&assembled);
        WebPAnimEncoderDelete(encoder);
    }
}

// ---- TIFF -----------------------------------------------------------------------------------

struct TiffLayout {
    const char* name;
    const char* mode;  // "w" little-endian, "wb" big-endian, "w8" BigTIFF
    int width, height, samples, bits, photometric, compression;
    int tile;       // 0: strips
    int extra;      // EXTRASAMPLE_* for the fourth (or second) sample, or -1
    bool separate;  // one plane per sample
    int predictor;  // 1 none, 2 horizontal differences
    int pages;
};

void writeTiff(const TiffLayout& l) {
    const fs::path path = root / "fuzz_tiff" / l.name;
    fs::create_directories(path.parent_path());
    TIFF* tiff = TIFFOpen(path.c_str(), l.mode);
    if (!tiff) std::exit(1);
    for (int page = 0; page < l.pages; ++page) {
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, l.width);
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, l.height);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, l.samples);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, l.bits);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, l.photometric);
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, l.compression);
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG,
                     l.separate ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
        TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
        if (l.predictor > 1) TIFFSetField(tiff, TIFFTAG_PREDICTOR, l.predictor);
        if (l.extra >= 0) {
            const std::uint16_t kind = static_cast<std::uint16_t>(l.extra);
            TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &kind);
        }
        if (l.photometric == PHOTOMETRIC_PALETTE) {
            const int n = 1 << l.bits;
            std::vector<std::uint16_t> r(n), g(n), b(n);
            for (int i = 0; i < n; ++i) {
                r[i] = static_cast<std::uint16_t>(sample(i, 0, 0) * 257);
                g[i] = static_cast<std::uint16_t>(sample(i, 1, 1) * 257);
                b[i] = static_cast<std::uint16_t>(sample(i, 2, 2) * 257);
            }
            TIFFSetField(tiff, TIFFTAG_COLORMAP, r.data(), g.data(), b.data());
        }
        if (l.photometric == PHOTOMETRIC_SEPARATED) TIFFSetField(tiff, TIFFTAG_INKSET, INKSET_CMYK);
        if (l.pages > 1) {
            TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
            TIFFSetField(tiff, TIFFTAG_PAGENUMBER, page, l.pages);
        }
        // Fills a rectangle of one plane (or of all samples when contiguous) with the picture.
        const int perPixel = l.separate ? 1 : l.samples;
        auto fill = [&](Bytes& buffer, int x0, int y0, int w, int h, int plane) {
            const std::size_t rowBytes = static_cast<std::size_t>((w * perPixel * l.bits + 7) / 8);
            buffer.assign(rowBytes * static_cast<std::size_t>(h), 0);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    for (int s = 0; s < perPixel; ++s) {
                        const int c = l.separate ? plane : s;
                        const std::uint8_t v = sample(x0 + x + page, y0 + y, c);
                        const std::size_t bit =
                            static_cast<std::size_t>((x * perPixel + s) * l.bits);
                        std::uint8_t* row = buffer.data() + rowBytes * static_cast<std::size_t>(y);
                        if (l.bits == 16) {
                            row[bit / 8] = v;
                            row[bit / 8 + 1] = static_cast<std::uint8_t>(v ^ 0x33);
                        } else if (l.bits == 8) {
                            row[bit / 8] = v;
                        } else {
                            row[bit / 8] |= static_cast<std::uint8_t>((v >> (8 - l.bits))
                                                                      << (8 - l.bits - bit % 8));
                        }
                    }
        };
        const int planes = l.separate ? l.samples : 1;
        Bytes buffer;
        if (l.tile) {
            TIFFSetField(tiff, TIFFTAG_TILEWIDTH, l.tile);
            TIFFSetField(tiff, TIFFTAG_TILELENGTH, l.tile);
            for (int plane = 0; plane < planes; ++plane)
                for (int y = 0; y < l.height; y += l.tile)
                    for (int x = 0; x < l.width; x += l.tile) {
                        fill(buffer, x, y, l.tile, l.tile, plane);
                        TIFFWriteTile(tiff, buffer.data(), x, y, 0, static_cast<uint16_t>(plane));
                    }
        } else {
            TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 3);
            for (int plane = 0; plane < planes; ++plane)
                for (int y = 0; y < l.height; ++y) {
                    fill(buffer, 0, y, l.width, 1, plane);
                    TIFFWriteScanline(tiff, buffer.data(), static_cast<std::uint32_t>(y),
                                      static_cast<uint16_t>(plane));
                }
        }
        TIFFWriteDirectory(tiff);
    }
    TIFFClose(tiff);
}

void tiffSeeds() {
    const int none = COMPRESSION_NONE, lzw = COMPRESSION_LZW, deflate = COMPRESSION_ADOBE_DEFLATE,
              packbits = COMPRESSION_PACKBITS;
    const TiffLayout layouts[] = {
        {"rgb-none.tif", "w", 5, 4, 3, 8, PHOTOMETRIC_RGB, none, 0, -1, false, 1, 1},
        {"rgb-lzw-predictor.tif", "w", 5, 4, 3, 8, PHOTOMETRIC_RGB, lzw, 0, -1, false, 2, 1},
        {"rgb-deflate-bigendian.tif", "wb", 5, 4, 3, 8, PHOTOMETRIC_RGB, deflate, 0, -1, false, 1,
         1},
        {"rgb-packbits.tif", "w", 5, 4, 3, 8, PHOTOMETRIC_RGB, packbits, 0, -1, false, 1, 1},
        {"rgba-unassociated.tif", "w", 4, 3, 4, 8, PHOTOMETRIC_RGB, lzw, 0, EXTRASAMPLE_UNASSALPHA,
         false, 1, 1},
        {"rgba-associated.tif", "w", 4, 3, 4, 8, PHOTOMETRIC_RGB, none, 0, EXTRASAMPLE_ASSOCALPHA,
         false, 1, 1},
        {"rgb16.tif", "w", 3, 2, 3, 16, PHOTOMETRIC_RGB, none, 0, -1, false, 1, 1},
        {"rgb-planar.tif", "w", 4, 3, 3, 8, PHOTOMETRIC_RGB, none, 0, -1, true, 1, 1},
        {"grey8-minisblack.tif", "w", 5, 4, 1, 8, PHOTOMETRIC_MINISBLACK, deflate, 0, -1, false, 1,
         1},
        {"grey4-miniswhite.tif", "w", 5, 4, 1, 4, PHOTOMETRIC_MINISWHITE, packbits, 0, -1, false, 1,
         1},
        {"bilevel-g4.tif", "w", 16, 4, 1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX4, 0, -1,
         false, 1, 1},
        {"grey-alpha.tif", "w", 3, 2, 2, 8, PHOTOMETRIC_MINISBLACK, none, 0, EXTRASAMPLE_UNASSALPHA,
         false, 1, 1},
        {"grey16.tif", "w", 3, 2, 1, 16, PHOTOMETRIC_MINISBLACK, lzw, 0, -1, false, 1, 1},
        {"palette8.tif", "w", 4, 3, 1, 8, PHOTOMETRIC_PALETTE, packbits, 0, -1, false, 1, 1},
        {"palette4.tif", "w", 5, 3, 1, 4, PHOTOMETRIC_PALETTE, none, 0, -1, false, 1, 1},
        {"cmyk.tif", "w", 4, 3, 4, 8, PHOTOMETRIC_SEPARATED, lzw, 0, -1, false, 1, 1},
        {"tiled-rgb.tif", "w", 20, 18, 3, 8, PHOTOMETRIC_RGB, deflate, 16, -1, false, 1, 1},
        {"tiled-grey-lzw.tif", "w", 17, 16, 1, 8, PHOTOMETRIC_MINISBLACK, lzw, 16, -1, false, 1, 1},
        {"pages-3.tif", "w", 4, 3, 3, 8, PHOTOMETRIC_RGB, lzw, 0, -1, false, 1, 3},
        {"bigtiff-pages-2.tif", "w8", 4, 3, 1, 8, PHOTOMETRIC_MINISBLACK, none, 0, -1, false, 1, 2},
    };
    for (const TiffLayout& l : layouts)
        writeTiff(l);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    root = argv[1];
    pngSeeds();
    jpegSeeds();
    gifSeeds();
    webpSeeds();
    tiffSeeds();
    return 0;
}
