// The gallery: one form with every control built so far, and a status line telling what they
// saw. With a display it opens in a real window and runs until closed; without one (or with
// --headless) it is drawn on the virtual screen and written to gallery.png (or --out FILE).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "GalleryLists.h"
#include "GalleryTrees.h"
#include "GalleryMenu.h"
#include "controls/Controls.h"
#include "framework/drawing/cToolTip.h"
#include "host/ControlClasses.h"
#include "host/Error.h"
#include "host/FormFile.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "platform/platform.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

// What the gallery's form window hears: closing it ends the program; a tooltip shown for a
// control is told to the status line.
struct FormHooks {
    std::function<void(HWND)> tooltipShown;
    std::function<void(bool)> programActivated;
};

LRESULT formProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
    if (msg == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    auto* hooks = reinterpret_cast<FormHooks*>(ref);
    if (msg == WM_ACTIVATEAPP && hooks && hooks->programActivated)
        hooks->programActivated(wParam != 0);
    if (msg == WM_NOTIFY) {
        const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
        if (nm && nm->code == TTN_SHOW && hooks && hooks->tooltipShown)
            hooks->tooltipShown(HWND(static_cast<std::uint32_t>(nm->idFrom)));
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string formPath = ORVANE_GALLERY_FORM;
    std::string out = "gallery.png";
    bool headless = !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY");
    int seconds = 0;
    std::string eventsPath;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            out = argv[++i];
        } else if (std::strcmp(argv[i], "--form") == 0 && i + 1 < argc) {
            formPath = argv[++i];
        } else if (std::strcmp(argv[i], "--events") == 0 && i + 1 < argc) {
            eventsPath = argv[++i];
        } else if (std::strcmp(argv[i], "--headless") == 0) {
            headless = true;
        } else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            seconds = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr,
                         "usage: gallery [--headless] [--out FILE.png] [--form FORM.json] "
                         "[--seconds N] [--events FILE]\n");
            return 2;
        }
    }
    const bool window = !headless && SdlDisplay::start();
    if (!window) HeadlessScreen::current().configure(1920, 1050, 96);
    registerControls(TypeLibrary::current(), ControlClasses::current());
    int status = 0;
    try {
        auto form = FormFile::loadFile(formPath, true);
        buildGalleryMenu(*form);
        fillGalleryLists(*form);
        fillGalleryTrees(*form);
        FormHooks hooks;
        SetWindowSubclass(form->hWnd(), formProc, 1, reinterpret_cast<DWORD_PTR>(&hooks));
        // The status line tells what the controls saw; --events also writes it to a file, one
        // line each (for tests that drive the real window from outside).
        std::ofstream events;
        if (!eventsPath.empty()) events.open(eventsPath, std::ios::app);
        UserControl* statusLine = nullptr;
        try {
            statusLine = &form->control(u"lblStatus");
        } catch (const Error&) {
        }
        TypeLibrary& lib = TypeLibrary::current();
        auto tell = [&events, statusLine, &lib](const std::string& line) {
            if (events.is_open()) events << line << std::endl;
            if (statusLine) lib.put(*statusLine, u"Caption", Variant(FromUtf8(line)));
        };
        for (UserControl* c : form->Controls()) {
            if (c == statusLine) continue;
            const std::string name = ToUtf8(form->nameOf(*c));
            if (lib.findEvent(*c, u"Click"))
                lib.connect(*c, u"Click",
                            [tell, name](std::vector<Variant>&) { tell("Click " + name); });
            if (lib.findEvent(*c, u"KeyPress"))
                lib.connect(*c, u"KeyPress", [tell, name](std::vector<Variant>& a) {
                    tell("KeyPress " + name + " " + std::to_string(CInt(a[0])));
                });
        }
        // The spin drives the first progress bar, its value shown as the bar's caption.
        try {
            UserControl& spin = form->control(u"udValue");
            UserControl& bar = form->control(u"pbrPlain");
            lib.connect(spin, u"Change", [&lib, &spin, &bar](std::vector<Variant>&) {
                const Variant value = lib.get(spin, u"Value");
                lib.put(bar, u"Value", value);
                lib.put(bar, u"Text", Variant(CStr(value) + u" %"));
            });
        } catch (const Error&) {
        }
        // Each control with a Tag shows it in a balloon tooltip while the pointer rests on it.
        cToolTip tips;
        tips.Create(form->hWnd());
        for (UserControl* c : form->Controls()) {
            const std::u16string tag = CStr(lib.get(*c, u"Tag"));
            if (!tag.empty()) tips.AddTool(c->hWnd(), form->hWnd(), tag);
        }
        hooks.programActivated = [&](bool active) {
            tell(active ? "Program active" : "Program inactive");
        };
        hooks.tooltipShown = [&](HWND tool) {
            for (UserControl* c : form->Controls())
                if (c->hWnd() == tool) tell("Tooltip " + ToUtf8(form->nameOf(*c)));
        };
        form->Show();
        pump();
        if (!window) {
            if (!PngWriter::writeFile(HeadlessScreen::current().captureWindow(form->hWnd()), out)) {
                std::fprintf(stderr, "gallery: could not write %s\n", out.c_str());
                status = 1;
            } else {
                std::printf("gallery rendered to %s\n", out.c_str());
            }
        } else {
            // --seconds closes the window after a while (for unattended runs).
            if (seconds > 0)
                SetTimer(form->hWnd(), 0x6A11, static_cast<UINT>(seconds) * 1000,
                         [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
            MSG msg;
            while (GetMessageW(&msg, HWND(), 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        RemoveWindowSubclass(form->hWnd(), formProc, 1);
    } catch (const Error& e) {
        std::fprintf(stderr, "gallery: %s\n", ToUtf8(e.description()).c_str());
        status = 1;
    }
    if (window) SdlDisplay::stop();
    return status;
}
