// ucImageList: drawing images in their states, the picture strip, and the designer's icon.
#include <algorithm>
#include <cstring>

#include "host/OleColor.h"
#include "platform/gdi/DibFromPixels.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"
#include "services/imagelist/ucImageList.h"

namespace orvane {

using namespace platform;

namespace {

// What an OLE colour of -1 stands for where an image is blended: the window colour.
COLORREF ditherColor(OLE_COLOR color) {
    return color == 0xFFFFFFFF ? GetSysColor(COLOR_WINDOW) : TranslateColor(color);
}

void fill(HDC dc, const RECT& rc, COLORREF colour) {
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

}  // namespace

void ucImageList::DrawImage(const Variant& vKey, HDC hdc, std::int32_t xPixels,
                            std::int32_t yPixels, bool bSelected, bool bCut, bool bDisabled,
                            OLE_COLOR oCutDitherColor, HIMAGELIST hExternalIml) {
    const int index = static_cast<int>(indexOf(vKey));
    const HIMAGELIST list = hExternalIml ? hExternalIml : m_himl;
    if (bDisabled) return drawDisabled(list, index, hdc, xPixels, yPixels);
    if (bSelected || bCut) {
        // Selected images are blended half with the colour, cut ones a quarter.
        const UINT blend = bSelected ? ILD_SELECTED : ILD_BLEND25;
        ImageList_DrawEx(list, index, hdc, xPixels, yPixels, 0, 0, CLR_NONE,
                         ditherColor(oCutDitherColor), ILD_TRANSPARENT | blend);
        return;
    }
    ImageList_Draw(list, index, hdc, xPixels, yPixels, ILD_NORMAL);
}

void ucImageList::drawDisabled(HIMAGELIST list, int index, HDC hdc, int x, int y) const {
    const HICON icon = ImageList_GetIcon(list, index, ILD_NORMAL);
    const PixelSurface* image = icon ? CursorPicture(icon, nullptr) : nullptr;
    if (!image) {
        if (icon) DestroyIcon(icon);
        return;
    }
    // The image's shape (its pixels at least half opaque), embossed: in the highlight colour
    // one pixel down and to the right, then in the shadow colour where it lies.
    const int w = image->width() + 1, h = image->height() + 1;
    const auto shape = [image](int px, int py) {
        return image->contains(px, py) && (image->at(px, py) >> 24) >= 128;
    };
    const std::uint32_t light = 0xFF000000u | PixelSurface::fromColor(GetSysColor(COLOR_3DHILIGHT));
    const std::uint32_t dark = 0xFF000000u | PixelSurface::fromColor(GetSysColor(COLOR_BTNSHADOW));
    std::uint32_t* out = nullptr;
    const HBITMAP dib = TopDownDib(w, h, &out);
    if (dib) {
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w; ++px)
                out[static_cast<std::size_t>(py) * w + px] = shape(px, py)           ? dark
                                                             : shape(px - 1, py - 1) ? light
                                                                                     : 0;
        const HDC memory = CreateCompatibleDC(hdc);
        const HGDIOBJ old = SelectObject(memory, dib);
        BLENDFUNCTION blend;
        blend.AlphaFormat = AC_SRC_ALPHA;
        GdiAlphaBlend(hdc, x, y, w, h, memory, 0, 0, w, h, blend);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    if (dib) DeleteObject(dib);
    DestroyIcon(icon);
}

std::shared_ptr<StdPicture> ucImageList::ImagePictureStrip(const Variant& vStartKey,
                                                           const Variant& vEndKey,
                                                           OLE_COLOR oBackColor) const {
    const int count = ImageCount();
    if (count == 0) return nullptr;
    const auto given = [](const Variant& v) { return !v.isMissing() && !v.isEmpty(); };
    const int first = given(vStartKey) ? static_cast<int>(indexOf(vStartKey)) : 0;
    const int last = given(vEndKey) ? static_cast<int>(indexOf(vEndKey)) : count - 1;
    if (last < first) return nullptr;
    const COLORREF back = TranslateColor(oBackColor);
    const int n = last - first + 1;
    const HBITMAP strip = CreateBitmap(n * m_width, m_height, 1, 32, nullptr);
    if (!strip) return nullptr;
    const HDC dc = CreateCompatibleDC(HDC());
    const HGDIOBJ old = SelectObject(dc, strip);
    fill(dc, RECT{0, 0, n * m_width, m_height}, back);
    for (int i = first; i <= last; ++i)
        ImageList_Draw(m_himl, i, dc, (i - first) * m_width, 0, ILD_TRANSPARENT);
    SelectObject(dc, old);
    DeleteDC(dc);
    return StdPicture::fromBitmap(strip);
}

void ucImageList::Paint() {
    // While the form runs the list shows nothing.
    if (Ambient().UserMode()) return;
    const HDC dc = hDC();
    RECT rc{0, 0, static_cast<int>(ScaleWidth()), static_cast<int>(ScaleHeight())};
    fill(dc, rc, GetSysColor(COLOR_BTNFACE));
    DrawEdge(dc, &rc, EDGE_RAISED, BF_RECT);
    // Three pictures fanned out, each a framed colour, centred in the control.
    const COLORREF colours[] = {0x00C0FF, 0x40B040, 0xD07020};
    const int cx = (rc.right - 20) / 2, cy = (rc.bottom - 18) / 2;
    const HBRUSH frame = CreateSolidBrush(0x404040);
    for (int k = 0; k < 3; ++k) {
        const RECT picture{cx + 4 * k, cy + 4 * k, cx + 4 * k + 12, cy + 4 * k + 10};
        fill(dc, picture, colours[k]);
        FrameRect(dc, &picture, frame);
    }
    DeleteObject(frame);
}

}  // namespace orvane
