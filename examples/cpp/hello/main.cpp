// hello: a form with a label and a button, built in code; the button's Click changes the
// label's caption. The program clicks the button itself, as the mouse would, and checks the
// caption (exit status 1 when it is wrong). Without a display, or with --headless, it runs on
// the headless screen and ends there; with a display, or --window, the form then stays open in
// a real window until it is closed.
#include <orvane/orvane.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace orvane;
using namespace orvane::platform;

// Handles every waiting message, as a message loop does.
static void pump() {
    MSG msg;
    while (PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A position in pixels, as twips (15 to the pixel at 96 DPI).
static Extender place(int left, int top, int width, int height) {
    Extender e;
    e.Move(left * 15, top * 15, width * 15, height * 15);
    return e;
}

// Closing the form's window ends the message loop.
static LRESULT quitOnClose(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg != WM_CLOSE) return DefSubclassProc(hwnd, msg, wParam, lParam);
    PostQuitMessage(0);
    return 0;
}

static int run(bool window) {
    Form form(u"Hello", true, 260 * 15, 110 * 15);
    auto& label = form.add<ucLabel>(u"lblGreeting", -1, place(16, 16, 220, 24));
    label.Caption(u"Nobody has clicked yet");
    auto& button = form.add<ucButton>(u"cmdGreet", -1, place(16, 52, 120, 32));
    button.Caption(u"&Greet");
    button.connect(ucButton::evClick,
                   [&label](std::vector<Variant>&) { label.Caption(u"Hello, world!"); });
    form.Show();
    pump();

    // A click in the middle of the button, entering the platform like hardware input.
    const POINT middle = testing::TestPlatform::ClientToScreenPoint(button.hWnd(), 60, 16);
    testing::TestPlatform::Click(middle.x, middle.y);
    pump();
    if (label.Caption() != u"Hello, world!") {
        std::fprintf(stderr, "hello: the click did not change the caption\n");
        return 1;
    }
    std::puts("hello: the click changed the caption");
    std::fflush(stdout);  // told now, before the window waits for the user

    if (window) {
        SetWindowSubclass(form.hWnd(), quitOnClose, 1, 0);
        MSG msg;
        while (GetMessageW(&msg, HWND(), 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        RemoveWindowSubclass(form.hWnd(), quitOnClose, 1);
    }
    return 0;
}

int main(int argc, char** argv) {
    bool wantWindow = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0) {
            wantWindow = true;
        } else if (std::strcmp(argv[i], "--headless") == 0) {
            wantWindow = false;
        } else {
            std::fprintf(stderr, "usage: hello [--headless | --window]\n");
            return 2;
        }
    }
    // A real window when there is a display, else the headless screen.
    const bool window = wantWindow && SdlDisplay::start();
    if (!window) HeadlessScreen::current().configure(640, 480, 96);
    registerControls(TypeLibrary::current(), ControlClasses::current());
    const int status = run(window);
    if (window) SdlDisplay::stop();
    return status;
}
