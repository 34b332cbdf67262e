// A timer a control holds, ticking on the control's window while the form runs. It starts
// when it is enabled with a non-zero interval and the control is sited in run mode; in design
// mode it never ticks.
#pragma once

#include <functional>

#include "platform/platform.h"

namespace orvane {

class ConstituentTimer {
public:
    // A timer that ticks with the window timer id `id`.
    explicit ConstituentTimer(platform::UINT_PTR id) : m_id(id) {}
    ~ConstituentTimer();
    ConstituentTimer(const ConstituentTimer&) = delete;
    ConstituentTimer& operator=(const ConstituentTimer&) = delete;

    // Milliseconds between ticks; 0 stops the timer. Negative values raise error 380.
    std::int32_t Interval() const { return m_interval; }
    void Interval(std::int32_t ms);
    // Whether it ticks (with a non-zero Interval); on unless set off.
    bool Enabled() const { return m_enabled; }
    void Enabled(bool enabled);

    // Called at each tick.
    std::function<void()> onTick;

    // Used by the control that holds it: where it ticks (null: nowhere).
    void attach(platform::HWND hwnd);
    // The window timer id it ticks with.
    platform::UINT_PTR id() const { return m_id; }
    // Calls onTick when the timer runs (the holder's WM_TIMER for id()).
    void tick();
    // Whether a window timer is set now.
    bool running() const { return m_running; }

private:
    void sync();

    platform::UINT_PTR m_id;
    platform::HWND m_hwnd = nullptr;
    std::int32_t m_interval = 0;
    bool m_enabled = true;
    bool m_running = false;
};

}  // namespace orvane
