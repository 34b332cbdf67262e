// The platform demo: one top-level window whose client area shows what the drawing and
// windowing calls can do (edges, frame controls, shapes, gradients, blending, child windows).
#pragma once

#include "platform/platform.h"

namespace orvane::demo {

class DemoWindow {
public:
    // Registers the classes and creates the window, shown.
    static platform::HWND create();

private:
    static platform::LRESULT proc(platform::HWND, platform::UINT, platform::WPARAM,
                                  platform::LPARAM);
    static platform::LRESULT panelProc(platform::HWND, platform::UINT, platform::WPARAM,
                                       platform::LPARAM);
    static void paint(platform::HWND hwnd, platform::HDC hdc);
};

}  // namespace orvane::demo
