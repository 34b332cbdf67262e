// formrun FORM.json [--design] [--png OUT.png] [--size WxH] [--dump] [--script S.lua]
//                   [--keep-going] [--timeout SECONDS] [--window]
// Loads a form headless (in run mode unless --design), pumps messages until idle, runs a Lua
// script against it when asked (on the virtual clock, with the test library), writes the
// form's window as PNG when asked and with --dump prints every control's property bag as it
// would be saved. With --window (and a display) the form opens in a real window and runs until
// it is closed, or, with a script, until the script ends (the script then works on real time).
// Exits 0 on success, 1 when the form cannot be loaded or written or the script fails (its message
// and traceback on standard error), 2 on a bad command line.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "controls/Controls.h"
#include "host/ControlClasses.h"
#include "host/Error.h"
#include "host/FormFile.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "platform/platform.h"
#include "platform/testing.h"
#include "scripting/LuaHost.h"
#include "scripting/ScriptDriver.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: formrun FORM.json [--design] [--png OUT.png] [--size WxH] [--dump]\n"
                 "               [--script S.lua [--keep-going]] [--timeout SECONDS] [--window]\n");
    return 2;
}

void pumpUntilIdle() {
    MSG msg;
    while (PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string path;
    std::string png;
    bool design = false;
    bool dump = false;
    int width = 0;
    int height = 0;
    std::string script;
    double timeout = 60;
    bool window = false;
    bool keepGoing = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--design") {
            design = true;
        } else if (arg == "--dump") {
            dump = true;
        } else if (arg == "--window") {
            window = true;
        } else if (arg == "--keep-going") {
            keepGoing = true;
        } else if (arg == "--script" && i + 1 < argc) {
            script = argv[++i];
        } else if (arg == "--timeout" && i + 1 < argc) {
            char* end = nullptr;
            timeout = std::strtod(argv[++i], &end);
            if (!end || *end || !(timeout >= 0)) {
                std::fprintf(stderr, "formrun: --timeout wants a number of seconds\n");
                return 2;
            }
        } else if (arg == "--png" && i + 1 < argc) {
            png = argv[++i];
        } else if (arg == "--size" && i + 1 < argc) {
            char x = 0;
            char rest = 0;
            if (std::sscanf(argv[++i], "%d%c%d%c", &width, &x, &height, &rest) != 3 ||
                (x != 'x' && x != 'X') || width <= 0 || height <= 0 || width > 16384 ||
                height > 16384) {
                std::fprintf(stderr, "formrun: --size wants WIDTHxHEIGHT in pixels\n");
                return 2;
            }
        } else if (!arg.empty() && arg[0] != '-' && path.empty()) {
            path = arg;
        } else {
            return usage();
        }
    }
    if (path.empty()) return usage();
    if (window && !SdlDisplay::start()) {
        std::fprintf(stderr, "formrun: no display for --window\n");
        return 1;
    }

    // Scripts run on the test platform: virtual clock and injected input.
    std::unique_ptr<testing::TestPlatform> platform;
    if (!script.empty() && !window) {
        testing::TestOptions options;
        options.width = std::max(1920, width + 64);
        options.height = std::max(1080, height + 64);
        platform = std::make_unique<testing::TestPlatform>(options);
    } else {
        HeadlessScreen::current().configure(std::max(1920, width + 64), std::max(1080, height + 64),
                                            96);
    }
    registerControls(TypeLibrary::current(), ControlClasses::current());
    try {
        auto form = FormFile::loadFile(path, !design);
        if (width > 0) {
            RECT rc{0, 0, width, height};
            AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongW(form->hWnd(), GWL_STYLE)),
                               FALSE, 0);
            SetWindowPos(form->hWnd(), HWND(), 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        form->Show();
        pumpUntilIdle();
        if (!script.empty()) {
            std::ifstream in(script, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "formrun: cannot read %s\n", script.c_str());
                return 1;
            }
            std::ostringstream code;
            code << in.rdbuf();
            // Headless on the virtual clock, or live in the real window.
            auto driver = std::make_unique<ScriptDriver>(platform.get());
            LuaHost lua(*form, driver.get());
            lua.timeout(timeout);
            lua.keepGoing(keepGoing);
            std::string error;
            if (!lua.run(code.str(), script, error)) {
                std::fprintf(stderr, "formrun: %s\n", error.c_str());
                return 1;
            }
            pumpUntilIdle();
            if (lua.failedChecks() > 0) {
                std::fprintf(stderr, "formrun: %d check%s failed\n", lua.failedChecks(),
                             lua.failedChecks() == 1 ? "" : "s");
                return 1;
            }
        }
        if (window && script.empty()) {
            // Runs until the form's window is closed.
            SetWindowSubclass(
                form->hWnd(),
                [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
                    if (msg == WM_CLOSE) {
                        PostQuitMessage(0);
                        return LRESULT(0);
                    }
                    return DefSubclassProc(hwnd, msg, wParam, lParam);
                },
                1, 0);
            MSG msg;
            while (GetMessageW(&msg, HWND(), 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (dump) std::fputs((FormFile::save(*form) + "\n").c_str(), stdout);
        if (!png.empty() &&
            !PngWriter::writeFile(HeadlessScreen::current().captureWindow(form->hWnd()), png)) {
            std::fprintf(stderr, "formrun: could not write %s\n", png.c_str());
            return 1;
        }
    } catch (const Error& e) {
        std::fprintf(stderr, "formrun: %s\n", ToUtf8(e.description()).c_str());
        return 1;
    }
    if (window) SdlDisplay::stop();
    return 0;
}
