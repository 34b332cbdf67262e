#include "host/ControlDropSource.h"

#include "host/UserControl.h"

namespace orvane {

using namespace platform;

ControlDropSource::ControlDropSource(UserControl& control, DWORD buttons)
    : m_control(control), m_alive(control.aliveToken()), m_buttons(buttons) {}

HRESULT ControlDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
    if (escapePressed) return DRAGDROP_S_CANCEL;
    if (!(keyState & m_buttons)) return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT ControlDropSource::GiveFeedback(DWORD effect) {
    if (m_alive.expired()) return DRAGDROP_S_USEDEFAULTCURSORS;
    std::int32_t published = static_cast<std::int32_t>(effect);
    bool defaultCursors = true;
    m_control.OLEGiveFeedback(published, defaultCursors);
    return defaultCursors ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
}

}  // namespace orvane
