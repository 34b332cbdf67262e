#include "scripting/ScriptDriver.h"

namespace orvane {

using namespace platform;

void ScriptDriver::advance(unsigned ms) {
    if (m_clock) {
        m_clock->AdvanceTime(ms);
        return;
    }
    // Real time passes while the window keeps answering.
    const DWORD until = GetTickCount() + ms;
    do {
        testing::TestPlatform::PumpMessages();
        Sleep(5);
    } while (static_cast<int>(until - GetTickCount()) > 0);
    testing::TestPlatform::PumpMessages();
}

bool ScriptDriver::png(HWND hwnd, bool wholeScreen, const std::string& path) {
    using testing::TestPlatform;
    return TestPlatform::SavePng(
        wholeScreen ? TestPlatform::CaptureScreen() : TestPlatform::CaptureWindow(hwnd), path);
}

}  // namespace orvane
