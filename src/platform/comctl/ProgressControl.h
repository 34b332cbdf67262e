// The window procedure and state of one progress bar ("msctls_progress32"): a range and a
// position drawn as a filled track (the "Progress" theme, or blocks in the highlight colour
// without styles), a marquee that moves on a timer, and the normal, error and paused states.
#pragma once

#include "platform/comctl/ProgressBar.h"
#include "platform/gdi/GdiTypes.h"

namespace orvane::platform {

class ProgressControl {
public:
    // Registers the class (once; it stays across platform resets like every common control).
    static void registerClass();
    // The marquee's timer, and how far its piece moves each tick, in parts of the track.
    static constexpr UINT_PTR kMarqueeTimer = 1;
    static constexpr int kMarqueeSteps = 60;

private:
    explicit ProgressControl(HWND hwnd) : m_hwnd(hwnd) {}
    static LRESULT wndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    // Moves to `pos` kept within the range; returns the previous position.
    int setPosition(int pos);
    // The old range packed as PBM_SETRANGE returns it.
    LRESULT setRange(int low, int high);
    void paint(HDC dc);
    DWORD style() const;

    HWND m_hwnd;
    int m_low = 0;
    int m_high = 100;
    int m_pos = 0;
    int m_step = 10;
    int m_state = PBST_NORMAL;
    COLORREF m_barColor = 0xFF000000;  // CLR_DEFAULT
    COLORREF m_backColor = 0xFF000000;
    bool m_marquee = false;
    int m_marqueeTick = 0;
};

}  // namespace orvane::platform
