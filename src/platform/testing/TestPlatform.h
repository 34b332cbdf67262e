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
    // (This and the input and pixel calls below need no virtual clock: they work on a real
    // display too.)
    static int PumpMessages();

    // Mouse at screen points.
    static void MouseMove(int x, int y);
    static void MouseDown(MouseButton button = MouseButton::Left);
    static void MouseUp(MouseButton button = MouseButton::Left);
    static void Click(int x, int y, MouseButton button = MouseButton::Left);
    static void DoubleClick(int x, int y, MouseButton button = MouseButton::Left);
    static void Wheel(int delta, bool horizontal = false);
    // A screen point from a window's client coordinates.
    static POINT ClientToScreenPoint(HWND hwnd, int x, int y);

    // Keyboard.
    static void KeyDown(int vk);
    static void KeyUp(int vk);
    static void KeyPress(int vk);
    // Types text as Unicode key events, one character at a time.
    static void TypeText(std::u16string_view text);

    // Pixels.
    static PixelSurface CaptureScreen();
    static PixelSurface CaptureWindow(HWND hwnd);
    static COLORREF ScreenPixel(int x, int y);
    // A pixel of a window's client area.
    static COLORREF ClientPixel(HWND hwnd, int x, int y);
    static bool SavePng(const PixelSurface& surface, const std::string& path);
    // Saves the screen to <dir>/<name>.png (dir from ORVANE_TEST_ARTIFACTS, else the
    // working directory); for a failing test to leave its picture behind.
    std::string SaveScreen(const std::string& name);

    // Live objects, stock objects excluded.
    static DWORD LiveGdiObjects();
    static DWORD LiveUserObjects();

private:
    static void sendMouse(DWORD flags, DWORD data = 0);
};

// Resets the whole platform: every window, object, timer and queued message is dropped.
void ResetPlatform();

}  // namespace orvane::platform::testing
