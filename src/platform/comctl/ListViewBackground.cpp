// The list view's background image (LVM_SETBKIMAGEW, LVM_GETBKIMAGEW): a bitmap the caller hands
// over, or a picture file named by a local path or a file: URL, decoded by the platform's image
// decoders into a bitmap the list owns. Other addresses (http:, https:, res:) are not fetched.
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/CodePages.h"
#include "platform/base/LastError.h"
#include "platform/base/ReadWholeFile.h"
#include "platform/base/TextBuffer.h"
#include "platform/comctl/ListViewControl.h"
#include "platform/gdi/DibFromPixels.h"
#include "platform/imaging/ImageDecoder.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

bool startsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// The scheme of an address ("http" of "http://..."): letters, digits, '+', '-' or '.' after a
// letter, then a colon. A single letter is a drive, not a scheme.
std::u16string_view schemeOf(std::u16string_view url) {
    std::size_t i = 0;
    auto letter = [](char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
    if (url.empty() || !letter(url[0])) return {};
    while (i < url.size() && (letter(url[i]) || (url[i] >= u'0' && url[i] <= u'9') ||
                              url[i] == u'+' || url[i] == u'-' || url[i] == u'.'))
        ++i;
    if (i < 2 || i >= url.size() || url[i] != u':') return {};
    return url.substr(0, i);
}

// The file a file: URL names: file:///dir/a.png, file://localhost/dir/a.png and file:a.png
// (relative), with %XX escapes read as UTF-8 bytes. Nothing for another host or a bad escape.
std::optional<std::string> pathOfFileUrl(std::u16string_view url) {
    std::u16string_view rest = url.substr(5);  // after "file:"
    if (rest.substr(0, 2) == u"//") {
        rest.remove_prefix(2);
        if (startsWithNoCase(rest, u"localhost")) rest.remove_prefix(9);
        if (!rest.empty() && rest[0] != u'/') return std::nullopt;  // another machine
    }
    std::string path;
    const std::string utf8 = ToUtf8(rest);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '%') {
            path += utf8[i];
            continue;
        }
        const int hi = i + 2 < utf8.size() ? hexValue(static_cast<char16_t>(utf8[i + 1])) : -1;
        const int lo = hi >= 0 ? hexValue(static_cast<char16_t>(utf8[i + 2])) : -1;
        if (lo < 0) return std::nullopt;
        path += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return path;
}

}  // namespace

HBITMAP ListViewControl::loadBkImage(std::u16string_view url) {
    std::string path;
    const std::u16string_view scheme = schemeOf(url);
    if (startsWithNoCase(url, u"file:")) {
        auto decoded = pathOfFileUrl(url);
        if (!decoded || decoded->empty()) {
            ReportUnsupported("LVM_SETBKIMAGEW", "file: URL (another host or a bad escape)",
                              ERROR_INVALID_PARAMETER);
            return HBITMAP();
        }
        path = std::move(*decoded);
    } else if (!scheme.empty()) {
        // FIXME: Windows fetches http:, https: and res: addresses; the platform reads local
        // files only.
        ReportUnsupported("LVM_SETBKIMAGEW", "address scheme (only local files and file: URLs)");
        return HBITMAP();
    } else {
        path = ToUtf8(url);
    }
    const std::optional<std::vector<std::uint8_t>> file = ReadWholeFile(path);
    if (!file) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return HBITMAP();
    }
    const std::vector<std::uint8_t>& bytes = *file;
    std::string why;
    const auto image = ImageDecoder::decode(bytes.data(), bytes.size(), why);
    if (!image || image->frames.empty()) {
        SetLastError(ERROR_INVALID_DATA);
        return HBITMAP();
    }
    // The first frame or page, as a top-down 32-bit bitmap.
    const DecodedImage& frame = image->frames.front();
    return DibFromPixels(frame.width, frame.height, frame.pixels.data());
}

bool ListViewControl::setBkImage(const LVBKIMAGEW& bk, bool ansi) {
    const auto source = bk.ulFlags & LVBKIF_SOURCE_MASK;
    // Watermarks, tile offsets and alpha blending are not drawn: refused rather than ignored.
    if ((bk.ulFlags & ~(LVBKIF_SOURCE_MASK | LVBKIF_STYLE_MASK)) || source == LVBKIF_SOURCE_MASK) {
        ReportUnsupported(ansi ? "LVM_SETBKIMAGEA" : "LVM_SETBKIMAGEW", "flags",
                          ERROR_INVALID_FLAGS);
        return false;
    }
    HBITMAP image;
    std::u16string url;
    if (source == LVBKIF_SOURCE_HBITMAP) {
        image = bk.hbm;
    } else if (source == LVBKIF_SOURCE_URL) {
        if (ansi) {
            ReportUnsupported("LVM_SETBKIMAGEA", "ANSI addresses");
            return false;
        }
        if (!bk.pszImage || !*bk.pszImage) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
        url = bk.pszImage;
        // A file that cannot be read or decoded leaves the background as it was.
        image = loadBkImage(url);
        if (!image) return false;
    }
    if (m_bkImageOwned && m_bkImage && m_bkImage != image) DeleteObject(m_bkImage);
    m_bkImage = image;
    m_bkImageOwned = bool(image);  // the list owns a bitmap it is given, and one it decoded
    m_bkSource = image ? source : LVBKIF_SOURCE_NONE;
    m_bkUrl = std::move(url);
    m_bkImageTiled = (bk.ulFlags & LVBKIF_STYLE_TILE) != 0;
    m_bkOffsetX = bk.xOffsetPercent;
    m_bkOffsetY = bk.yOffsetPercent;
    InvalidateRect(m_hwnd, nullptr, FALSE);
    return true;
}

bool ListViewControl::getBkImage(LVBKIMAGEW& bk) const {
    bk.ulFlags = m_bkSource | (m_bkImageTiled ? LVBKIF_STYLE_TILE : LVBKIF_STYLE_NORMAL);
    bk.hbm = m_bkSource == LVBKIF_SOURCE_HBITMAP ? m_bkImage : HBITMAP();
    if (m_bkSource == LVBKIF_SOURCE_URL)
        CopyToBuffer(m_bkUrl, bk.pszImage, static_cast<int>(bk.cchImageMax));
    bk.xOffsetPercent = m_bkOffsetX;
    bk.yOffsetPercent = m_bkOffsetY;
    return true;
}

}  // namespace orvane::platform
