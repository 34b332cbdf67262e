// DoDragDrop's modal loop: a hidden window takes the capture and a 50 ms timer; every input
// asks the source whether to go on, finds the registered target under the pointer and tells
// it what happened; other messages are dispatched as usual, so windows go on painting and
// their timers run.
#pragma once

#include "platform/ole/Ole.h"
#include "platform/user/UserTypes.h"

namespace orvane::platform {

class DragDropLoop {
public:
    DragDropLoop(IDataObject* data, IDropSource* source, DWORD okEffects);
    ~DragDropLoop();
    DragDropLoop(const DragDropLoop&) = delete;
    DragDropLoop& operator=(const DragDropLoop&) = delete;

    // Runs until the source drops or cancels; the result and effect DoDragDrop returns.
    HRESULT run(DWORD* effect);

    // How often DragOver repeats while nothing changes.
    static constexpr UINT kRepeatMs = 50;
    // The window whose target takes a drop at a screen point: the window there or its
    // nearest ancestor with a registered target; null when none has one.
    static HWND targetWindowAt(POINT pt);

private:
    // The keys and buttons down now, as MK_ flags.
    static DWORD keyState();
    // Asks the source whether to go on; S_OK, DRAGDROP_S_DROP or DRAGDROP_S_CANCEL.
    HRESULT askSource(bool escape);
    // The pointer or the keys changed (or the timer ticked): finds the target and tells it.
    void track();
    // The current target, when its window still has it (a window destroyed during the drag
    // takes its target away without a DragLeave).
    IDropTarget* liveTarget() const;
    void leave();
    void feedback();
    void restartTimer();
    HRESULT finish(HRESULT result, DWORD* effect);

    IDataObject* m_data;
    IDropSource* m_source;
    DWORD m_ok;
    HWND m_tracker;       // holds the capture and the timer
    HWND m_targetWindow;  // the window whose target the drag is over
    IDropTarget* m_target = nullptr;
    DWORD m_effect = DROPEFFECT_NONE;  // the current target's answer, masked
    DWORD m_keys = 0;
    POINT m_pt{};
    HCURSOR m_cursorBefore;
};

}  // namespace orvane::platform
