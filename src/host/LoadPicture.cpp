#include "host/LoadPicture.h"

#include <cstring>
#include <optional>
#include <vector>

#include "host/Error.h"
#include "platform/base/CodePages.h"
#include "platform/base/ReadWholeFile.h"
#include "platform/gdi/DibFromPixels.h"
#include "platform/imaging/IcoReader.h"
#include "platform/imaging/ImageDecoder.h"
#include "platform/user/User.h"

namespace orvane {

namespace {

std::shared_ptr<StdPicture> iconPicture(const std::vector<std::uint8_t>& bytes) {
    using namespace platform;
    std::string why;
    const auto entries = IcoReader::directory(bytes.data(), bytes.size(), why);
    if (!entries)
        throw Error(errors::InvalidPicture, u"LoadPicture", u"Invalid picture: " + FromUtf8(why));
    const bool cursor = bytes[2] == 2;
    const int side = GetSystemMetrics(cursor ? SM_CXCURSOR : SM_CXICON);
    const IcoReader::Entry& e = (*entries)[IcoReader::choose(*entries, side, side)];
    // A cursor's image data starts with its hot spot.
    std::vector<std::uint8_t> data;
    if (cursor)
        data = {static_cast<std::uint8_t>(e.hotSpotX), static_cast<std::uint8_t>(e.hotSpotX >> 8),
                static_cast<std::uint8_t>(e.hotSpotY), static_cast<std::uint8_t>(e.hotSpotY >> 8)};
    data.insert(data.end(), bytes.begin() + e.offset, bytes.begin() + e.offset + e.size);
    const HICON icon = CreateIconFromResourceEx(data.data(), static_cast<DWORD>(data.size()),
                                                !cursor, 0x30000, 0, 0, 0);
    const PixelSurface* pixels = icon ? CursorPicture(icon, nullptr) : nullptr;
    if (!pixels) {
        if (icon) DestroyIcon(icon);
        throw Error(errors::InvalidPicture, u"LoadPicture", u"Invalid picture: damaged icon");
    }
    return StdPicture::fromIcon(icon, pixels->width(), pixels->height());
}

}  // namespace

std::shared_ptr<StdPicture> LoadPicture(const std::u16string& path) {
    const std::optional<std::vector<std::uint8_t>> file =
        platform::ReadWholeFile(platform::ToUtf8(path));
    if (!file) throw Error::standard(errors::FileNotFound, u"LoadPicture");
    const std::vector<std::uint8_t>& bytes = *file;
    std::string why;
    // Icon and cursor files give icon pictures at the system's icon size.
    if (platform::ImageDecoder::sniff(bytes.data(), bytes.size()) ==
        platform::ImageDecoder::Format::Icon)
        return iconPicture(bytes);
    auto decoded = platform::ImageDecoder::decode(bytes.data(), bytes.size(), why);
    // A picture is the first frame or page.
    auto image = decoded ? std::optional(std::move(decoded->frames.front())) : std::nullopt;
    if (!image)
        throw Error(errors::InvalidPicture, u"LoadPicture",
                    u"Invalid picture: " + platform::FromUtf8(why));
    const platform::HBITMAP bitmap =
        platform::DibFromPixels(image->width, image->height, image->pixels.data());
    if (!bitmap) throw Error::standard(errors::OutOfMemory, u"LoadPicture");
    return StdPicture::fromBitmap(bitmap);
}

}  // namespace orvane
