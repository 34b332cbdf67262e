// A fresh platform for one test: a headless screen of the chosen size and DPI, a virtual clock,
// injected input and captures. Applications can test themselves with it the same way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gdi/PixelSurface.h"
#include "platform/user/UserTypes.h"

namespace orvane::platform::testing {

struct TestOptions {
    int width = 1920;
    int height = 1080;
    int dpi = 96;
    std::uint64_t startTimeMs = 1000000;
};

enum class MouseButton { Left, Right, Middle };

class TestPlatform {
public:
    explicit TestPlatform(TestOptions options = {});
    ~TestPlatform();
    TestPlatform(const TestPlatform&) = delete;
    TestPlatform& operator=(const TestPlatform&) = delete;

    // Time: moves the virtual clock forward, firing every timer that falls due, in order,
    // with the messages they cause dispatched.
    void AdvanceTime(DWORD ms);
    // Retrieves, translates and dispatches messages until none wait. Returns how many.
    int PumpMessages();

    // Mouse at screen points.
    void MouseMove(int x, int y);
    void MouseDown(MouseButton button = MouseButton::Left);
    void MouseUp(MouseButton button = MouseButton::Left);
    void Click(int x, int y, MouseButton button = MouseButton::Left);
    void DoubleClick(int x, int y, MouseButton button = MouseButton::Left);
    void Wheel(int delta, bool horizontal = false);
    // A screen point from a window's client coordinates.
    POINT ClientToScreenPoint(HWND hwnd, int x, int y);

    // Keyboard.
    void KeyDown(int vk);
    void KeyUp(int vk);
    void KeyPress(int vk);
    // Types text as Unicode key events, one character at a time.
    void TypeText(std::u16string_view text);

    // Pixels.
    PixelSurface CaptureScreen();
    PixelSurface CaptureWindow(HWND hwnd);
    COLORREF ScreenPixel(int x, int y);
    // A pixel of a window's client area.
    COLORREF ClientPixel(HWND hwnd, int x, int y);
    static bool SavePng(const PixelSurface& surface, const std::string& path);
    // Saves the screen to <dir>/<name>.png (dir from ORVANE_TEST_ARTIFACTS, else the
    // working directory); for a failing test to leave its picture behind.
    std::string SaveScreen(const std::string& name);

    // Live objects, stock objects excluded.
    static DWORD LiveGdiObjects();
    static DWORD LiveUserObjects();

private:
    void sendMouse(DWORD flags, DWORD data = 0);
};

// Resets the whole platform: every window, object, timer and queued message is dropped.
void ResetPlatform();

}  // namespace orvane::platform::testing
