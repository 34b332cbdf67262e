// Real windows through SDL2: each visible top-level window becomes a borderless window of the
// desktop, its pixels are presented when they change, and real mouse and keyboard input enters
// the platform's input queue like injected input. SDL stays inside this backend.
#pragma once

#include <memory>

namespace orvane::platform {

class SdlDisplay {
public:
    // Opens the display; false (with a message on standard error) when there is none.
    static bool start();
    // Closes the real windows and the display; the platform's windows stay.
    static void stop();
    // Whether the display is open.
    static bool running();

    // Presents every top-level window whose pixels changed since the last call.
    static void present();

private:
    struct Impl;
    static std::unique_ptr<Impl>& impl();
};

}  // namespace orvane::platform
