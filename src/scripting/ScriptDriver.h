// What the script test library drives: input at screen points, time, messages and pixels,
// through the test harness's input and pixel calls. With the test platform time is its
// virtual clock; without, real time passes (a script working a real window).
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/testing.h"

namespace orvane {

class ScriptDriver {
public:
    // `virtualClock` is the test platform whose clock scripts move; null for real time.
    explicit ScriptDriver(platform::testing::TestPlatform* virtualClock) : m_clock(virtualClock) {}
    // Lets `ms` milliseconds pass, handling what they bring.
    void advance(unsigned ms);
    // Writes the window `hwnd` (or the whole screen) as a PNG file at `path`; false when it
    // cannot be written.
    bool png(platform::HWND hwnd, bool wholeScreen, const std::string& path);

private:
    platform::testing::TestPlatform* m_clock;
};

}  // namespace orvane
