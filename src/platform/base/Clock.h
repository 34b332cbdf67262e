// The platform's time source: real (a monotonic clock) in applications, virtual in tests,
// where time moves only when the test advances it.
#pragma once

#include <cstdint>

#include "platform/base/Types.h"

namespace orvane::platform {

class Clock {
public:
    enum class Mode { Real, Virtual };

    // The clock in use by the platform.
    static Clock& current();

    Mode mode() const { return m_mode; }
    // Switches to a virtual clock that starts at the given millisecond count.
    void useVirtual(std::uint64_t startMs);
    void useReal();

    // Milliseconds since the clock started.
    std::uint64_t nowMs() const;
    // Moves a virtual clock forward; does nothing to a real one.
    void advance(std::uint64_t ms);
    // Moves a virtual clock to a later point in time (never backwards).
    void advanceTo(std::uint64_t ms);

private:
    Mode m_mode = Mode::Real;
    std::uint64_t m_virtualMs = 0;
};

DWORD GetTickCount();
ULONGLONG GetTickCount64();
DWORD timeGetTime();
// Waits: a real clock sleeps, a virtual clock moves forward by the same amount.
void Sleep(DWORD ms);

}  // namespace orvane::platform
