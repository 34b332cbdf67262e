#include "controls/buttons/ChoiceButton.h"

#include <cctype>
#include <cmath>

#include "framework/KeysAndText.h"

namespace orvane {

using namespace platform;

ChoiceButton::ChoiceButton(const StandardEvents& events) : ImageControl(events) {}

ChoiceButton::~ChoiceButton() = default;

int ChoiceButton::lookStep() const {
    if (!m_enabled) return 4;
    if (!state().hot()) return 1;
    return state().pressed() ? 3 : 2;
}

void ChoiceButton::captionChanged() {
    AccessKeys(GetAccessKey(m_caption));
}

void ChoiceButton::loaded() {
    captionChanged();
}

// --- Layout and drawing ---

void ChoiceButton::layout() {
    ChoiceLayout::Input in;
    in.width = static_cast<int>(ScaleWidth());
    in.height = static_cast<int>(ScaleHeight());
    in.graphical = m_style == ButtonConstants::vbButtonGraphical;
    in.border = borderWidth();
    in.checkSize = scaledForDpi(m_checkSize);
    in.hasImage = m_image.loaded();
    in.imageShown = m_image.shown();
    in.aspect = m_image.aspect();
    in.imageHeight = imageHeightPixels();
    in.alignment = static_cast<int>(m_alignment);
    in.wordWrap = m_wordWrap;
    in.rightToLeft = m_rightToLeft;
    in.autosize = m_autosize;
    m_layout = ChoiceLayout::compute(
        in, [this](UINT flags, int width) { return measureText(m_caption, flags, width); });
    if (m_layout.autosize) sizeToPixels(*m_layout.autosize);
}

void ChoiceButton::Paint() {
    ensureLayout();
    const HDC dc = hDC();
    const RECT rc{0, 0, static_cast<int>(ScaleWidth()), static_cast<int>(ScaleHeight())};
    if (rc.right <= 0 || rc.bottom <= 0) return;
    const int saved = SaveDC(dc);
    const OLE_COLOR text = m_enabled ? m_foreColor : palette::kDisabledText;
    if (m_style == ButtonConstants::vbButtonGraphical) {
        // No hot look: the face is up, or down while chosen.
        paintPushFace(
            dc, rc,
            chosen() ? UxThemePushButtonStates::PBS_PRESSED : UxThemePushButtonStates::PBS_NORMAL);
    } else {
        paintStateFill(dc, rc, m_backStyle == BackStyleEnum::bsOpaque);
        drawStateBorder(dc, rc, true, false);
        const RECT& g = m_layout.glyphRect;
        GlyphStrip::draw(dc, glyphKind(), glyphState(), g.left, g.top, g.right - g.left);
    }
    drawCaption(dc, m_caption, text, m_layout.textFlags, m_layout.textRect);
    if (m_image.shown()) {
        const RECT& r = m_layout.imageRect;
        drawImage(dc, r.left, r.top, r.bottom - r.top, true);
    }
    RestoreDC(dc, saved);
}

// --- Input ---

void ChoiceButton::Click() {
    // The host clicks after a press and release inside; the pointer is over the control then,
    // unless the click came from elsewhere (code, say).
    if (state().hot()) {
        userClick();
    } else {
        plainClick();
    }
}

void ChoiceButton::KeyDown(int& keyCode, ShiftState shift) {
    if (keyCode == VK_SPACE && m_enabled) {
        m_spaceDown = true;
        const bool entered = behavior().pointerOver();
        if (behavior().press() || entered) Refresh();
    }
    raiseKey(evKeyDown, keyCode, shift);
}

void ChoiceButton::KeyUp(int& keyCode, ShiftState shift) {
    if (keyCode == VK_SPACE && m_spaceDown) {
        m_spaceDown = false;
        behavior().release();
        behavior().pointerOutside();
        // A handler of the click may remove the control: nothing of it is touched then.
        if (!userClick()) return;
        Refresh();
    }
    raiseKey(evKeyUp, keyCode, shift);
}

bool ChoiceButton::isAccessKey(int keyAscii) const {
    const int key = keyAscii < 0x80 ? std::tolower(keyAscii) : keyAscii;
    return key != 0 && key == AccessKeyChar(m_caption);
}

void ChoiceButton::AccessKeyPress(int keyAscii) {
    if (isAccessKey(keyAscii)) userClick();
}

void ChoiceButton::LostFocus() {
    m_spaceDown = false;
    ImageControl::LostFocus();
}

}  // namespace orvane
