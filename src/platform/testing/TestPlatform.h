// A fresh platform for one test: a headless screen of the chosen size and DPI, a virtual clock,
// injected input and captures. Applications can test themselves with it the same way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/PixelSurface.h"
#include "platform/user/UserTypes.h"

namespace orvane::platform::testing {

// The screen and clock a test platform starts with.
struct TestOptions {
    int width = 1920;                     // screen width, pixels
    int height = 1080;                    // screen height, pixels
    int dpi = 96;                         // pixels per inch
    std::uint64_t startTimeMs = 1000000;  // the virtual clock's first reading
};

// A mouse button, for the input calls.
enum class MouseButton { Left, Right, Middle };

class TestPlatform {
public:
    // Resets the platform and starts a headless screen and a virtual clock as `options` say;
    // the destructor resets the platform again.
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
    // Presses a button where the pointer is.
    static void MouseDown(MouseButton button = MouseButton::Left);
    // Releases a button where the pointer is.
    static void MouseUp(MouseButton button = MouseButton::Left);
    // Moves the pointer to (x, y), then presses and releases the button there.
    static void Click(int x, int y, MouseButton button = MouseButton::Left);
    // Two clicks at (x, y), close enough in time to make a double click.
    static void DoubleClick(int x, int y, MouseButton button = MouseButton::Left);
    // Turns the wheel by `delta` (120 a notch; positive away from the user or to the right).
    static void Wheel(int delta, bool horizontal = false);
    // A screen point from a window's client coordinates.
    static POINT ClientToScreenPoint(HWND hwnd, int x, int y);

    // Files dragged from the desktop and dropped at screen point (x, y), as a real display
    // delivers them: the registered drop target there gets DragEnter, DragOver and Drop with
    // a data object offering CF_HDROP. Returns the effect the target took (0 for none).
    static DWORD DropFiles(int x, int y, const std::vector<std::u16string>& paths);

    // Keyboard: presses the key of virtual-key code `vk`.
    static void KeyDown(int vk);
    // Releases the key.
    static void KeyUp(int vk);
    // Presses and releases the key.
    static void KeyPress(int vk);
    // Types text as Unicode key events, one character at a time.
    static void TypeText(std::u16string_view text);

    // Pixels: a copy of the whole screen.
    static PixelSurface CaptureScreen();
    // A copy of one window's pixels (frame included).
    static PixelSurface CaptureWindow(HWND hwnd);
    // One pixel of the screen.
    static COLORREF ScreenPixel(int x, int y);
    // A pixel of a window's client area.
    static COLORREF ClientPixel(HWND hwnd, int x, int y);
    // Writes a surface as a PNG file; false when it cannot be written.
    static bool SavePng(const PixelSurface& surface, const std::string& path);
    // Saves the screen to <dir>/<name>.png (dir from ORVANE_TEST_ARTIFACTS, else the
    // working directory); for a failing test to leave its picture behind.
    std::string SaveScreen(const std::string& name);

    // Live GDI objects, stock objects excluded: a test proves with it that nothing leaked.
    static DWORD LiveGdiObjects();
    // Live USER objects (windows, menus, cursors, ...).
    static DWORD LiveUserObjects();

private:
    static void sendMouse(DWORD flags, DWORD data = 0);
};

// Resets the whole platform: every window, object, timer and queued message is dropped.
void ResetPlatform();

}  // namespace orvane::platform::testing
