// Hardware input: events enter as from devices (SendInput), update the asynchronous key state
// and cursor at once, and become window messages when the queue reaches them: hit-testing,
// capture, focus, activation by click, double clicks, mouse tracking and the synchronous key
// state follow the Windows rules.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>

#include "platform/user/UserTypes.h"

namespace orvane::platform {

class InputQueue {
public:
    static InputQueue& current();

    struct Event {
        enum class Kind { MouseMove, MouseButton, Wheel, HWheel, Key } kind = Kind::MouseMove;
        POINT pt{};
        UINT button = 0;  // WM_LBUTTONDOWN, ... for button events
        int wheelDelta = 0;
        WORD vk = 0;
        WORD scan = 0;
        bool extended = false;
        bool keyUp = false;
        bool wasDown = false;  // the key's state before this event
        char16_t unicode = 0;  // for VK_PACKET
        WPARAM mouseKeys = 0;  // MK_ flags after this event
        BYTE modifiers = 0;    // 1 shift, 2 control, 4 alt after this event
        DWORD time = 0;
    };

    void push(const Event& e);
    // Produces the message for the oldest input event (sending the hit-test, activation and
    // cursor messages on the way). With remove, the event is consumed and the synchronous key
    // state follows it.
    bool peek(MSG* msg, HWND filter, UINT min, UINT max, bool remove);
    void forgetWindow(HWND hwnd);
    void reset();

    // Mouse tracking.
    BOOL track(TRACKMOUSEEVENT* tme);
    void checkHover();
    std::optional<std::uint64_t> nextHoverTime() const;
    // Called when windows move: the window under a still cursor may have changed.
    void layoutChanged();
    // On a virtual clock, whether a loop waiting for input (a menu, a held scroll arrow) waits
    // in vain: no input has come for kStarvedMs, and only timers could run, for ever.
    bool starved() const;
    static constexpr std::uint64_t kStarvedMs = 10000;

    POINT cursor{};
    BYTE asyncKeys[256] = {};
    BYTE asyncPressed[256] = {};
    BYTE syncKeys[256] = {};
    UINT doubleClickTime = 500;
    HCURSOR currentCursor;
    int cursorShowCount = 0;
    bool usInternational = false;

private:
    bool cook(const Event& e, MSG& out);
    void synthesizeMoveIfNeeded();
    void applyToSyncState(const Event& e);
    void updateTracking(HWND over, LRESULT hit, POINT pt);

    std::deque<Event> m_events;
    std::uint64_t m_lastInput = 0;  // when the last event came (milliseconds)
    std::optional<MSG> m_cooked;    // the head event turned into a message, not yet removed
    bool m_cookedValid = false;

    // Double clicks.
    UINT m_lastDownMsg = 0;
    bool m_lastDownClient = true;
    HWND m_lastDownHwnd;
    DWORD m_lastDownTime = 0;
    POINT m_lastDownPt{};

    // TrackMouseEvent.
    HWND m_trackHwnd;
    DWORD m_trackFlags = 0;
    DWORD m_hoverTime = 400;
    RECT m_hoverRect{};
    std::uint64_t m_hoverStart = 0;
    HWND m_lastOver;
    bool m_layoutDirty = false;
    LRESULT m_lastHit = 0;

public:
    char16_t pendingDeadChar = 0;
};

}  // namespace orvane::platform
