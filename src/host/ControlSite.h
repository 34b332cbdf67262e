// What a control's container does for it: keyboard navigation the control never sees (Tab,
// Enter for the default button, Escape for the cancel button, access keys), and the surface
// and mouse of windowless controls.
#pragma once

#include "platform/platform.h"

namespace orvane {

class UserControl;

// The mouse messages a container offers its windowless controls first.
inline bool isMouseMessage(platform::UINT msg) {
    using namespace platform;
    return msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP ||
           msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP ||
           msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP;
}

class ControlSite {
public:
    virtual ~ControlSite() = default;
    // A key message reached `control`; returns true when the container used it up.
    virtual bool siteKey(UserControl& control, platform::UINT msg, platform::WPARAM key) = 0;
    // A control's position, size, visibility, enabled state or docking changed; `hadFocus`
    // says whether it (or a control it holds) had the focus before.
    virtual void placementChanged(UserControl&, bool /*hadFocus*/) {}
    // Windowless controls live on their container's surface: the container draws those it
    // holds after itself, and offers them its mouse messages first. This draws them.
    virtual void paintWindowless(platform::HWND, platform::HDC) {}
    // A mouse message on the container's window, offered to its windowless controls first
    // (true: one took it).
    virtual bool siteMouse(platform::HWND, platform::UINT, platform::WPARAM, platform::LPARAM) {
        return false;
    }
    // A windowless control moved in front of (or behind) its windowless siblings.
    virtual void windowlessZOrder(UserControl&, bool) {}
    // The focus goes to the next control in tab order after `control` that can take it.
    virtual void focusNextAfter(UserControl&) {}
    // The control is to sit on `container` (null: the container's own surface).
    virtual void moveToContainer(UserControl&, UserControl*) {}
    // The control becomes the one that sees key messages first (or stops being it).
    virtual void setKeyHook(UserControl&, bool) {}
};

}  // namespace orvane
