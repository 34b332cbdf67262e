#include "host/ControlDropTarget.h"

#include "host/UserControl.h"
#include "platform/shell/Clipboard.h"

namespace orvane {

using namespace platform;

namespace {

MouseButtons buttonsOf(DWORD keys) {
    MouseButtons b = MouseButtons::None;
    if (keys & MK_LBUTTON) b = b | MouseButtons::Left;
    if (keys & MK_RBUTTON) b = b | MouseButtons::Right;
    if (keys & MK_MBUTTON) b = b | MouseButtons::Middle;
    return b;
}

ShiftState shiftOf(DWORD keys) {
    ShiftState s = ShiftState::None;
    if (keys & MK_SHIFT) s = s | ShiftState::Shift;
    if (keys & MK_CONTROL) s = s | ShiftState::Ctrl;
    if (keys & MK_ALT) s = s | ShiftState::Alt;
    return s;
}

}  // namespace

ControlDropTarget::ControlDropTarget(UserControl& control) : m_control(control) {}

ControlDropTarget::~ControlDropTarget() {
    forget();
}

std::int32_t ControlDropTarget::defaultEffect(DWORD keyState, DWORD allowed) {
    const bool ctrl = keyState & MK_CONTROL, shift = keyState & MK_SHIFT;
    DWORD effect;
    if (ctrl && shift)
        effect = DROPEFFECT_LINK;
    else if (ctrl)
        effect = DROPEFFECT_COPY;
    else if (shift)
        effect = DROPEFFECT_MOVE;
    else
        effect = (allowed & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    return static_cast<std::int32_t>(effect & allowed);
}

void ControlDropTarget::forget() {
    if (m_data && m_data->received()) m_data->release();
    m_data.reset();
    m_automatic = false;
}

HRESULT ControlDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) {
    if (!data || !effect) return E_INVALIDARG;
    forget();
    // A drag from a control of this program carries the control's own object.
    if (auto* own = dynamic_cast<DataObject*>(data)) m_data = own->weak_from_this().lock();
    if (!m_data) m_data = std::make_shared<DataObject>(data);
    m_allowed = *effect;
    FORMATETC unicode, ansi;
    unicode.cfFormat = CF_UNICODETEXT;
    ansi.cfFormat = CF_TEXT;
    m_automatic = m_control.m_oleDropMode == vbOLEDropAutomatic && m_control.acceptsTextDrop() &&
                  (data->QueryGetData(&unicode) == S_OK || data->QueryGetData(&ansi) == S_OK);
    return over(keyState, pt, effect, vbEnter);
}

HRESULT ControlDropTarget::DragOver(DWORD keyState, POINTL pt, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    if (!m_data) {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    return over(keyState, pt, effect, vbOver);
}

HRESULT ControlDropTarget::DragLeave() {
    const std::shared_ptr<DataObject> held = m_data;
    const std::weak_ptr<bool> alive = m_control.aliveToken();
    if (held && !m_automatic) {
        DWORD effect = DROPEFFECT_NONE;
        over(m_keys, m_pt, &effect, vbLeave);
    }
    if (!alive.expired())
        forget();
    else if (held && held->received())
        held->release();
    return S_OK;
}

HRESULT ControlDropTarget::over(DWORD keyState, POINTL pt, DWORD* effect, std::int32_t state) {
    m_keys = keyState;
    m_pt = pt;
    const DWORD allowed = m_allowed;  // the handler may destroy the control, and this with it
    std::int32_t chosen =
        state == vbLeave ? std::int32_t{vbDropEffectNone} : defaultEffect(keyState, m_allowed);
    if (!m_automatic) {
        POINT client{pt.x, pt.y};
        ScreenToClient(m_control.m_hwnd, &client);
        const int dpi = m_control.dpi();
        const double x =
            ScaleConvert(client.x, ScaleMode::Pixels, m_control.m_scaleMode, true, dpi);
        const double y =
            ScaleConvert(client.y, ScaleMode::Pixels, m_control.m_scaleMode, false, dpi);
        const std::shared_ptr<DataObject> data = m_data;  // the handler may end the drag
        m_control.OLEDragOver(data, chosen, buttonsOf(keyState), shiftOf(keyState), x, y, state);
    }
    *effect = static_cast<DWORD>(chosen) & (allowed | DROPEFFECT_SCROLL);
    return S_OK;
}

HRESULT ControlDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) {
    if (!data || !effect) return E_INVALIDARG;
    if (!m_data) {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    const std::shared_ptr<DataObject> held = m_data;
    const bool automatic = m_automatic;
    const DWORD allowed = m_allowed;
    std::int32_t chosen = defaultEffect(keyState, m_allowed);
    POINT client{pt.x, pt.y};
    ScreenToClient(m_control.m_hwnd, &client);
    const int dpi = m_control.dpi();
    const double x = ScaleConvert(client.x, ScaleMode::Pixels, m_control.m_scaleMode, true, dpi);
    const double y = ScaleConvert(client.y, ScaleMode::Pixels, m_control.m_scaleMode, false, dpi);
    const std::weak_ptr<bool> alive = m_control.aliveToken();
    if (automatic) {
        if (const std::optional<std::u16string> text = held->text())
            m_control.dropText(*text, x, y, chosen);
        else
            chosen = vbDropEffectNone;
    } else {
        m_control.OLEDragDrop(held, chosen, buttonsOf(keyState), shiftOf(keyState), x, y);
    }
    *effect = static_cast<DWORD>(chosen) & allowed;
    if (!alive.expired())
        forget();
    else if (held->received())
        held->release();
    return S_OK;
}

}  // namespace orvane
