// The platform demo: a window drawn with GDI. With a display it opens a real window and runs
// until closed; without one (or with --headless) it renders on the virtual screen and writes
// platformdemo.png.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DemoWindow.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "platform/platform.h"

using namespace orvane::platform;

namespace {

int renderHeadless(const std::string& out) {
    HeadlessScreen::current().configure(720, 540, 96);
    HWND hwnd = orvane::demo::DemoWindow::create();
    MSG msg;
    while (PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    const bool ok = PngWriter::writeFile(HeadlessScreen::current().compose(), out);
    DestroyWindow(hwnd);
    if (!ok) {
        std::fprintf(stderr, "could not write %s\n", out.c_str());
        return 1;
    }
    std::printf("platform demo rendered to %s\n", out.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string out = "platformdemo.png";
    bool headless = !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY");
    int seconds = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc)
            out = argv[++i];
        else if (std::strcmp(argv[i], "--headless") == 0)
            headless = true;
        else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::atoi(argv[++i]);
    }
    if (headless || !SdlDisplay::start()) return renderHeadless(out);
    HWND hwnd = orvane::demo::DemoWindow::create();
    // --seconds closes the window after a while (for unattended runs).
    if (seconds > 0)
        SetTimer(hwnd, 1, static_cast<UINT>(seconds) * 1000,
                 [](HWND h, UINT, UINT_PTR, DWORD) { DestroyWindow(h); });
    MSG msg;
    while (GetMessageW(&msg, HWND(), 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    SdlDisplay::stop();
    return 0;
}
