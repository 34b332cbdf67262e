#include "host/ConstituentTimer.h"

#include "host/Error.h"

namespace orvane {

using namespace platform;

ConstituentTimer::~ConstituentTimer() {
    attach(nullptr);
}

void ConstituentTimer::Interval(std::int32_t ms) {
    if (ms < 0 || ms > 0x7FFFFFFF) throw Error::standard(errors::InvalidPropertyValue, u"Timer");
    m_interval = ms;
    sync();
}

void ConstituentTimer::Enabled(bool enabled) {
    m_enabled = enabled;
    sync();
}

void ConstituentTimer::attach(HWND hwnd) {
    if (m_running && m_hwnd) KillTimer(m_hwnd, m_id);
    m_running = false;
    m_hwnd = hwnd;
    sync();
}

void ConstituentTimer::sync() {
    const bool want = m_hwnd && m_enabled && m_interval > 0;
    if (want) {
        // Setting it again restarts the count with the new interval, as the host's timer does.
        m_running = SetTimer(m_hwnd, m_id, static_cast<UINT>(m_interval), nullptr) != 0;
    } else if (m_running) {
        KillTimer(m_hwnd, m_id);
        m_running = false;
    }
}

void ConstituentTimer::tick() {
    if (m_running && onTick) onTick();
}

}  // namespace orvane
