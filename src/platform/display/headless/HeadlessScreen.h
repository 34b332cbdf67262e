// The virtual screen: composes the visible top-level windows, bottom to top, with the alpha
// and colour key of layered windows, into one picture that tests read and save.
#pragma once

#include "platform/gdi/PixelSurface.h"
#include "platform/user/UserTypes.h"

namespace orvane::platform {

class HeadlessScreen {
public:
    // The program's one virtual screen.
    static HeadlessScreen& current();

    // Sets the screen's size and DPI (the desktop window follows).
    void configure(int width, int height, int dpi);
    // The screen's width in pixels.
    int width() const;
    // The screen's height in pixels.
    int height() const;
    // The screen's pixels per inch.
    int dpi() const;

    // The screen as it looks now.
    const PixelSurface& compose();
    // A copy of one top-level or child window's pixels (the whole window, frame included).
    PixelSurface captureWindow(HWND hwnd);
    // One pixel of the screen, or of a window (window coordinates, frame included), read
    // where it is without copying anything: CLR_INVALID outside.
    COLORREF pixel(int x, int y);
    // One pixel of a window, in window coordinates (frame included); CLR_INVALID outside.
    COLORREF windowPixel(HWND hwnd, int x, int y);

private:
    PixelSurface m_screen;
};

}  // namespace orvane::platform
