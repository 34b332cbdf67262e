#include "framework/drawing/AlphaCanvas.h"

#include <algorithm>

#include "host/Error.h"
#include "platform/gdi/DibFromPixels.h"

namespace orvane {

using namespace platform;

AlphaCanvas::AlphaCanvas() = default;

AlphaCanvas::~AlphaCanvas() {
    release();
}

void AlphaCanvas::release() {
    m_graphics.reset();
    m_view = PixelSurface();
    if (m_dc) {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    m_dc = HDC();
    m_bitmap = HBITMAP();
    m_bits = nullptr;
    m_width = m_height = 0;
}

ImageGraphics& AlphaCanvas::begin(int dx, int dy, const std::u16string& operation) {
    dx = std::max(dx, 1);
    dy = std::max(dy, 1);
    if (dx > m_width || dy > m_height || !m_dc) {
        m_graphics.reset();
        const int w = std::max(dx, m_width), h = std::max(dy, m_height);
        std::uint32_t* bits = nullptr;
        const HBITMAP bitmap = TopDownDib(w, h, &bits);
        if (!bitmap) throw Error::standard(errors::OutOfMemory, operation);
        if (!m_dc) {
            m_dc = CreateCompatibleDC(HDC());
            m_old = SelectObject(m_dc, bitmap);
        } else {
            SelectObject(m_dc, bitmap);
            DeleteObject(m_bitmap);
        }
        m_bitmap = bitmap;
        m_bits = bits;
        m_width = w;
        m_height = h;
    }
    if (!m_graphics || m_view.width() != dx || m_view.height() != dy) {
        m_graphics.reset();
        m_view = PixelSurface(m_bits, m_width, dx, dy);
        m_graphics = std::make_unique<ImageGraphics>(m_view);
    }
    m_graphics->resetTransform();
    m_graphics->setCompositingMode(CompositingMode::SourceOver);
    m_graphics->clear(0);
    return *m_graphics;
}

void AlphaCanvas::blendTo(HDC hdc, int x, int y, std::int32_t alpha) {
    if (!m_dc) return;
    BLENDFUNCTION blend{};
    blend.SourceConstantAlpha = static_cast<BYTE>(std::clamp<std::int32_t>(alpha, 0, 255));
    blend.AlphaFormat = AC_SRC_ALPHA;
    GdiAlphaBlend(hdc, x, y, m_view.width(), m_view.height(), m_dc, 0, 0, m_view.width(),
                  m_view.height(), blend);
}

}  // namespace orvane
