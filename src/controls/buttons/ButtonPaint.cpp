// The button's drawing: each style runs its steps in order from the cached layout and the hot,
// pressed, focus and default state.
#include "controls/buttons/ucButton.h"
#include "framework/ColorsAndFonts.h"
#include "framework/GdiDrawing.h"
#include "framework/PaintParentBackground.h"
#include "framework/TextDrawing.h"

namespace orvane {

using namespace platform;

void ucButton::Paint() {
    ensureLayout();
    const HDC dc = hDC();
    const RECT rc{0, 0, static_cast<int>(ScaleWidth()), static_cast<int>(ScaleHeight())};
    if (rc.right <= 0 || rc.bottom <= 0) return;
    const int saved = SaveDC(dc);
    switch (m_style) {
        case ButtonStyleEnum::styTransparent:
        case ButtonStyleEnum::styOpaque:
            paintStateFill(dc, rc, m_style == ButtonStyleEnum::styOpaque);
            drawStateBorder(dc, rc, true, isDefault());
            paintCaption(dc, m_enabled ? m_foreColor : palette::kDisabledText);
            paintSideImage(dc);
            break;
        case ButtonStyleEnum::styStandard:
            paintPushFace(dc, rc, themeState());
            paintCaption(dc, m_enabled ? m_foreColor : palette::kDisabledText);
            paintSideImage(dc);
            break;
        case ButtonStyleEnum::styGraphical:
        case ButtonStyleEnum::styGraphicalStacked:
            paintPicture(dc, rc, m_style == ButtonStyleEnum::styGraphicalStacked);
            paintPictureBorder(dc, rc);
            break;
    }
    RestoreDC(dc, saved);
}

void ucButton::paintCaption(HDC dc, OLE_COLOR color) {
    drawCaption(dc, m_caption, color, m_layout.textFlags, m_layout.textRect);
}

void ucButton::paintSideImage(HDC dc) {
    if (!m_image.shown()) return;
    const RECT& r = m_layout.imageRect;
    drawImage(dc, r.left, r.top, r.bottom - r.top, true);
}

// The picture styles: the image fills the button (the stacked strip's third for the state),
// then the caption inside the pads.
void ucButton::paintPicture(HDC dc, const RECT& rc, bool stacked) {
    // The picture may have transparent parts: the container shows through them.
    PaintParentBackground(GetParent(hWnd()), hWnd(), dc);
    if (m_image.loaded()) {
        if (stacked) {
            const int third = m_image.pixelHeight() / 3;
            const int top = state().pressed() ? 2 * third : state().hot() ? third : 0;
            const RECT source{0, top, m_image.pixelWidth(), top + third};
            if (third > 0) m_image.drawStretched(dc, rc, &source, imageLook(), false);
        } else {
            m_image.drawStretched(dc, rc, nullptr, imageLook(), true);
        }
    }
    paintCaption(dc, m_enabled ? m_foreColor : vbGrayText);
}

// The picture styles show a flat border only for focus and the default button.
void ucButton::paintPictureBorder(HDC dc, const RECT& rc) {
    if (m_borderStyle == BorderStyleEnum::None) return;
    if (m_appearance == AppearanceEnum::ThreeD) return drawStateBorder(dc, rc, true, isDefault());
    if (!state().focused() && !isDefault()) return;
    DrawFrame(dc, rc.left, rc.top, rc.right, rc.bottom, m_enabled ? m_borderColorHot : vbGrayText,
              std::max<int>(m_borderWidth, 1));
}

}  // namespace orvane
