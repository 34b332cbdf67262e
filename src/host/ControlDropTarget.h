// A control's side of drops: the platform drop target registered on its window, turning
// DragEnter, DragOver, DragLeave and Drop into the control's OLEDragOver and OLEDragDrop (or,
// in automatic mode, into a text drop the control takes by itself).
#pragma once

#include <cstdint>
#include <memory>

#include "host/DataObject.h"
#include "platform/ole/IDropTarget.h"

namespace orvane {

class UserControl;

class ControlDropTarget : public platform::IDropTarget {
public:
    // A target for `control`, which owns it and outlives its registration.
    explicit ControlDropTarget(UserControl& control);
    ~ControlDropTarget() override;

    // A drag came over the control: OLEDragOver with state 0.
    platform::HRESULT DragEnter(platform::IDataObject* data, platform::DWORD keyState,
                                platform::POINTL pt, platform::DWORD* effect) override;
    // It moved (or time passed): OLEDragOver with state 2.
    platform::HRESULT DragOver(platform::DWORD keyState, platform::POINTL pt,
                               platform::DWORD* effect) override;
    // It left: OLEDragOver with state 1.
    platform::HRESULT DragLeave() override;
    // It was dropped here: OLEDragDrop.
    platform::HRESULT Drop(platform::IDataObject* data, platform::DWORD keyState,
                           platform::POINTL pt, platform::DWORD* effect) override;

    // The effect the keys choose among the allowed ones: Ctrl copy, Shift move, both link,
    // none move when allowed, else copy.
    static std::int32_t defaultEffect(platform::DWORD keyState, platform::DWORD allowed);

private:
    platform::HRESULT over(platform::DWORD keyState, platform::POINTL pt, platform::DWORD* effect,
                           std::int32_t state);
    void forget();

    UserControl& m_control;
    std::shared_ptr<DataObject> m_data;  // the drag's data while it is over the control
    platform::DWORD m_allowed = 0;       // the effects the source allows
    platform::DWORD m_keys = 0;
    platform::POINTL m_pt{};
    bool m_automatic = false;  // the control takes this drag's text by itself
};

}  // namespace orvane
