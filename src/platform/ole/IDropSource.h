// The side a drag starts from: it decides when the drag ends and how the pointer looks.
#pragma once

#include "platform/base/Types.h"

namespace orvane::platform {

inline constexpr DWORD DROPEFFECT_NONE = 0;
inline constexpr DWORD DROPEFFECT_COPY = 1;
inline constexpr DWORD DROPEFFECT_MOVE = 2;
inline constexpr DWORD DROPEFFECT_LINK = 4;
inline constexpr DWORD DROPEFFECT_SCROLL = 0x80000000u;

inline constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
inline constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
inline constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
inline constexpr HRESULT DRAGDROP_E_NOTREGISTERED = static_cast<HRESULT>(0x80040100u);
inline constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101u);
inline constexpr HRESULT DRAGDROP_E_INVALIDHWND = static_cast<HRESULT>(0x80040102u);

// The Alt key in a drag's key state (the other MK_ flags are the mouse messages' own).
inline constexpr DWORD MK_ALT = 0x0020;

class IDropSource {
public:
    virtual ~IDropSource() = default;
    // Asked on every input during the drag: S_OK goes on, DRAGDROP_S_DROP drops,
    // DRAGDROP_S_CANCEL cancels. `escapePressed` is true when Escape went down; `keyState` holds
    // the MK_ flags of the buttons and keys down now.
    virtual HRESULT QueryContinueDrag(BOOL escapePressed, DWORD keyState) = 0;
    // Told the effect the target under the pointer chose after each DragEnter and DragOver:
    // DRAGDROP_S_USEDEFAULTCURSORS lets DoDragDrop show its cursor for the effect; S_OK says
    // the source set the cursor itself.
    virtual HRESULT GiveFeedback(DWORD effect) = 0;
};

}  // namespace orvane::platform
