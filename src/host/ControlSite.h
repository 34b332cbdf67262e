// What a control's container does for it: keyboard navigation the control never sees (Tab,
// Enter for the default button, Escape for the cancel button, access keys).
#pragma once

#include "platform/platform.h"

namespace orvane {

class UserControl;

class ControlSite {
public:
    virtual ~ControlSite() = default;
    // A key message reached `control`; returns true when the container used it up.
    virtual bool siteKey(UserControl& control, platform::UINT msg, platform::WPARAM key) = 0;
    // A control's position, size, visibility or docking changed.
    virtual void placementChanged(UserControl&) {}
};

}  // namespace orvane
