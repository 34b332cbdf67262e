// The label's drawing: background, border, caption, image, in that order, from the cached
// layout and the hot, pressed and focus state.
#include "controls/text/ucLabel.h"
#include "framework/ColorsAndFonts.h"
#include "framework/GdiDrawing.h"
#include "framework/PaintParentBackground.h"
#include "framework/TextDrawing.h"

namespace orvane {

using namespace platform;

void ucLabel::Paint() {
    ensureLayout();
    const HDC dc = hDC();
    const RECT rc{0, 0, static_cast<int>(ScaleWidth()), static_cast<int>(ScaleHeight())};
    const int saved = SaveDC(dc);
    paintStateFill(dc, rc, m_backStyle == BackStyleEnum::bsOpaque);
    drawStateBorder(dc, rc, m_enableEvents, false);
    drawCaption(dc, m_caption, m_enabled ? m_foreColor : palette::kDisabledText,
                m_layout.textFlags, m_layout.textRect);
    if (m_image.shown())
        drawImage(dc, m_layout.imageRect.left, m_layout.imageRect.top,
                  m_layout.imageRect.bottom - m_layout.imageRect.top, m_enableEvents);
    RestoreDC(dc, saved);
}

}  // namespace orvane
