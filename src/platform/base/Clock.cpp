#include "platform/base/Clock.h"

#include <chrono>
#include <thread>

namespace orvane::platform {

namespace {
std::uint64_t realMs() {
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    // Start from a non-zero count so that tick arithmetic never sees 0 as "no time".
    return 100000 + static_cast<std::uint64_t>(
                        duration_cast<milliseconds>(steady_clock::now() - start).count());
}
}  // namespace

Clock& Clock::current() {
    static Clock clock;
    return clock;
}

void Clock::useVirtual(std::uint64_t startMs) {
    m_mode = Mode::Virtual;
    m_virtualMs = startMs;
}

void Clock::useReal() {
    m_mode = Mode::Real;
}

std::uint64_t Clock::nowMs() const {
    return m_mode == Mode::Virtual ? m_virtualMs : realMs();
}

void Clock::advance(std::uint64_t ms) {
    if (m_mode == Mode::Virtual) m_virtualMs += ms;
}

void Clock::advanceTo(std::uint64_t ms) {
    if (m_mode == Mode::Virtual && ms > m_virtualMs) m_virtualMs = ms;
}

DWORD GetTickCount() {
    return static_cast<DWORD>(Clock::current().nowMs());
}

ULONGLONG GetTickCount64() {
    return Clock::current().nowMs();
}

DWORD timeGetTime() {
    return static_cast<DWORD>(Clock::current().nowMs());
}

void Sleep(DWORD ms) {
    Clock& clock = Clock::current();
    if (clock.mode() == Clock::Mode::Virtual) {
        clock.advance(ms);
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

}  // namespace orvane::platform
