#include "host/LoadPicture.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "host/Error.h"
#include "platform/base/CodePages.h"
#include "platform/gdi/Gdi.h"
#include "platform/imaging/BmpReader.h"
#include "platform/imaging/GifReader.h"
#include "platform/imaging/JpegReader.h"
#include "platform/imaging/PngReader.h"

namespace orvane {

std::shared_ptr<StdPicture> LoadPicture(const std::u16string& path) {
    std::ifstream in(platform::ToUtf8(path), std::ios::binary);
    if (!in) throw Error::standard(errors::FileNotFound, u"LoadPicture");
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    std::string why;
    auto image = platform::BmpReader::read(bytes.data(), bytes.size(), why);
    if (!image && bytes.size() >= 8 && bytes[0] == 0x89 && bytes[1] == 'P') {
        why.clear();
        image = platform::PngReader::read(bytes.data(), bytes.size(), why);
    } else if (!image && bytes.size() >= 4 && bytes[0] == 0xFF && bytes[1] == 0xD8) {
        why.clear();
        image = platform::JpegReader::read(bytes.data(), bytes.size(), why);
    } else if (!image && bytes.size() >= 6 && bytes[0] == 'G' && bytes[1] == 'I' &&
               bytes[2] == 'F') {
        why.clear();
        if (auto frames = platform::GifReader::read(bytes.data(), bytes.size(), why))
            image = std::move(frames->frames.front());  // a picture is the first frame
    }
    if (!image)
        throw Error(errors::InvalidPicture, u"LoadPicture",
                    u"Invalid picture: " + platform::FromUtf8(why));
    platform::BITMAPINFO info{};
    info.bmiHeader.biWidth = image->width;
    info.bmiHeader.biHeight = -image->height;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const platform::HBITMAP bitmap = platform::CreateDIBSection(
        platform::HDC(), &info, platform::DIB_RGB_COLORS, &bits, platform::HANDLE(), 0);
    if (!bitmap || !bits) throw Error::standard(errors::OutOfMemory, u"LoadPicture");
    std::memcpy(bits, image->pixels.data(), image->pixels.size() * 4);
    return StdPicture::fromBitmap(bitmap);
}

}  // namespace orvane
