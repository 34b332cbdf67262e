#include "platform/imaging/TiffReader.h"

#include <tiffio.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/imaging/ByteReader.h"

namespace orvane::platform {

namespace {

// The file in memory, read through the library's client callbacks.
struct MemoryFile : ByteReader {
    std::string error;
};

tmsize_t readProc(thandle_t h, void* buffer, tmsize_t n) {
    if (n < 0) return 0;
    return static_cast<tmsize_t>(
        static_cast<MemoryFile*>(h)->read(buffer, static_cast<std::size_t>(n)));
}
tmsize_t writeProc(thandle_t, void*, tmsize_t) {
    return 0;
}
toff_t seekProc(thandle_t h, toff_t offset, int whence) {
    auto* f = static_cast<MemoryFile*>(h);
    std::uint64_t base = whence == SEEK_CUR ? f->position : whence == SEEK_END ? f->size : 0;
    if (base + offset > f->size) return static_cast<toff_t>(-1);
    f->position = static_cast<std::size_t>(base + offset);
    return f->position;
}
int closeProc(thandle_t) {
    return 0;
}
toff_t sizeProc(thandle_t h) {
    return static_cast<MemoryFile*>(h)->size;
}
int errorProc(TIFF*, void* user, const char*, const char* format, va_list args) {
    auto* f = static_cast<MemoryFile*>(user);
    if (f->error.empty()) {
        char text[256];
        std::vsnprintf(text, sizeof text, format, args);
        f->error = text;
    }
    return 1;
}
int warningProc(TIFF*, void*, const char*, const char*, va_list) {
    return 1;  // warnings are not errors and are not printed
}

}  // namespace

bool TiffReader::isTiff(const std::uint8_t* data, std::size_t size) {
    return size >= 8 &&
           ((data[0] == 'I' && data[1] == 'I' && (data[2] == 42 || data[2] == 43) &&
             data[3] == 0) ||
            (data[0] == 'M' && data[1] == 'M' && data[2] == 0 && (data[3] == 42 || data[3] == 43)));
}

std::optional<AnimatedImage> TiffReader::read(const std::uint8_t* data, std::size_t size,
                                              std::string& error) {
    if (!isTiff(data, size)) {
        error = "not a TIFF image";
        return std::nullopt;
    }
    MemoryFile file;
    file.data = data;
    file.size = size;
    std::unique_ptr<TIFFOpenOptions, decltype(&TIFFOpenOptionsFree)> options(TIFFOpenOptionsAlloc(),
                                                                             TIFFOpenOptionsFree);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), 256 << 20);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), errorProc, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), warningProc, &file);
    std::unique_ptr<TIFF, decltype(&TIFFClose)> tiff(
        TIFFClientOpenExt("memory", "rm", &file, readProc, writeProc, seekProc, closeProc, sizeProc,
                          nullptr, nullptr, options.get()),
        TIFFClose);
    if (!tiff) {
        error = file.error.empty() ? "damaged TIFF image" : file.error;
        return std::nullopt;
    }
    AnimatedImage out;
    out.dimension = AnimatedImage::Dimension::Page;
    std::int64_t total = 0;
    do {
        std::uint32_t width = 0, height = 0;
        TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
        total += static_cast<std::int64_t>(width) * height;
        if (!DecodedImage::sizeAllowed(width, height) || total > DecodedImage::kMaxPixels ||
            out.frames.size() >= AnimatedImage::kMaxFrames) {
            error = "bad image size";
            return std::nullopt;
        }
        char why[1024] = "";
        if (!TIFFRGBAImageOK(tiff.get(), why)) {
            error = why[0] ? why : "unsupported TIFF layout";
            return std::nullopt;
        }
        DecodedImage page;
        page.width = static_cast<int>(width);
        page.height = static_cast<int>(height);
        page.pixels.resize(static_cast<std::size_t>(width) * height);
        if (!TIFFReadRGBAImageOriented(tiff.get(), width, height, page.pixels.data(),
                                       ORIENTATION_TOPLEFT, 0)) {
            error = file.error.empty() ? "damaged TIFF image" : file.error;
            return std::nullopt;
        }
        // The reader gives red in the low byte and alpha already multiplied in; straighten it.
        for (std::uint32_t& p : page.pixels) {
            const std::uint32_t r = TIFFGetR(p), g = TIFFGetG(p), b = TIFFGetB(p), a = TIFFGetA(p);
            auto straight = [a](std::uint32_t c) {
                return a == 0 ? 0u : a == 255 ? c : std::min(255u, (c * 255 + a / 2) / a);
            };
            p = a << 24 | straight(r) << 16 | straight(g) << 8 | straight(b);
        }
        out.frames.push_back(std::move(page));
        out.delaysMs.push_back(0);
    } while (TIFFReadDirectory(tiff.get()));
    return out;
}

}  // namespace orvane::platform
