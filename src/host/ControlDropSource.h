// A control's side of its own drag: the drop source UserControl::OLEDrag hands DoDragDrop.
// The button held when the drag starts carries it; Escape cancels; the control's
// OLEGiveFeedback chooses whether the default cursors show.
#pragma once

#include <memory>

#include "platform/ole/IDropSource.h"

namespace orvane {

class UserControl;

class ControlDropSource : public platform::IDropSource {
public:
    // A source for a drag from `control` (which may go away during it), carried by the
    // mouse buttons in `buttons` (MK_ flags).
    ControlDropSource(UserControl& control, platform::DWORD buttons);

    // Escape cancels; releasing the carrying button drops.
    platform::HRESULT QueryContinueDrag(platform::BOOL escapePressed,
                                        platform::DWORD keyState) override;
    // Raises OLEGiveFeedback.
    platform::HRESULT GiveFeedback(platform::DWORD effect) override;

private:
    UserControl& m_control;
    std::weak_ptr<bool> m_alive;
    platform::DWORD m_buttons;
};

}  // namespace orvane
