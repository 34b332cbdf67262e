#include "host/StdPicture.h"

#include "platform/user/User.h"

#include <cmath>

#include "host/Error.h"
#include "host/ScaleUnits.h"
#include "platform/gdi/Gdi.h"

namespace orvane {

namespace {
std::int32_t himetric(int pixels, bool horizontal, int dpi) {
    return static_cast<std::int32_t>(
        std::lround(ScaleConvert(pixels, ScaleMode::Pixels, ScaleMode::Himetric, horizontal, dpi)));
}
}  // namespace

std::shared_ptr<StdPicture> StdPicture::fromBitmap(platform::HBITMAP bitmap, int dpi,
                                                   Ownership ownership) {
    platform::BITMAP bm;
    if (!bitmap || platform::GetObjectW(bitmap, sizeof bm, &bm) == 0)
        throw Error::standard(errors::InvalidPropertyValue, u"StdPicture");
    auto p = std::make_shared<StdPicture>();
    p->m_type = Type::Bitmap;
    p->m_owned = ownership == Ownership::Owned;
    p->m_handle = bitmap.value;
    p->m_width = himetric(bm.bmWidth, true, dpi);
    p->m_height = himetric(bm.bmHeight, false, dpi);
    return p;
}

std::shared_ptr<StdPicture> StdPicture::fromIcon(platform::HICON icon, int widthPx, int heightPx,
                                                 int dpi, Ownership ownership) {
    if (!icon || widthPx <= 0 || heightPx <= 0)
        throw Error::standard(errors::InvalidPropertyValue, u"StdPicture");
    auto p = std::make_shared<StdPicture>();
    p->m_type = Type::Icon;
    p->m_owned = ownership == Ownership::Owned;
    p->m_handle = icon.value;
    p->m_width = himetric(widthPx, true, dpi);
    p->m_height = himetric(heightPx, false, dpi);
    return p;
}

StdPicture::~StdPicture() {
    if (!m_owned || !m_handle) return;
    if (m_type == Type::Bitmap) platform::DeleteObject(platform::HGDIOBJ(m_handle));
    if (m_type == Type::Icon) platform::DestroyIcon(platform::HICON(m_handle));
}

}  // namespace orvane
