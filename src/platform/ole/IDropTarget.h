// A window's side of a drag: told when a drag enters it, moves over it, leaves it or is
// dropped on it, and answering the effect a drop would have.
#pragma once

#include "platform/ole/IDataObject.h"

namespace orvane::platform {

// A point on the screen.
struct POINTL {
    LONG x = 0;
    LONG y = 0;
};

class IDropTarget {
public:
    virtual ~IDropTarget() = default;
    // A drag came over the window. *effect comes in as the effects the source allows and goes
    // out as the one a drop here would have (DROPEFFECT_NONE to refuse).
    virtual HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) = 0;
    // The pointer moved, the keys changed, or 50 ms passed; *effect as for DragEnter.
    virtual HRESULT DragOver(DWORD keyState, POINTL pt, DWORD* effect) = 0;
    // The drag left the window, or was cancelled over it.
    virtual HRESULT DragLeave() = 0;
    // The data was dropped here; *effect goes out as what was done.
    virtual HRESULT Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) = 0;
};

}  // namespace orvane::platform
