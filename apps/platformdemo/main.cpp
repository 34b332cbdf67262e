// The platform demo. Without a display (or with --headless) it renders the window on the
// virtual screen and writes platformdemo.png; the real-window backend arrives with the gallery.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DemoWindow.h"
#include "platform/platform.h"

using namespace orvane::platform;

int main(int argc, char** argv) {
    std::string out = "platformdemo.png";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) out = argv[++i];
    }
    HeadlessScreen::current().configure(720, 500, 96);
    HWND hwnd = orvane::demo::DemoWindow::create();
    // Run the message loop until everything has been painted.
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
    if (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY"))
        std::printf("(real windows come with the display backend; this build renders headless)\n");
    return 0;
}
