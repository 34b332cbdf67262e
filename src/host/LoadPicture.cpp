#include "host/LoadPicture.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "host/Error.h"
#include "platform/base/CodePages.h"
#include "platform/gdi/Gdi.h"
#include "platform/imaging/ImageDecoder.h"

namespace orvane {

std::shared_ptr<StdPicture> LoadPicture(const std::u16string& path) {
    std::ifstream in(platform::ToUtf8(path), std::ios::binary);
    if (!in) throw Error::standard(errors::FileNotFound, u"LoadPicture");
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    std::string why;
    auto decoded = platform::ImageDecoder::decode(bytes.data(), bytes.size(), why);
    // A picture is the first frame or page.
    auto image = decoded ? std::optional(std::move(decoded->frames.front())) : std::nullopt;
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
