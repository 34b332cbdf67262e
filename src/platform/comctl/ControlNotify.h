// What the list and tree views share in talking to their parent and their label-editing box.
#pragma once

#include "platform/comctl/CommonTypes.h"
#include "platform/comctl/ControlLifetime.h"
#include "platform/user/User.h"

namespace orvane::platform {

// Sends a control's WM_NOTIFY to its parent, with the header filled in (0 without a parent).
inline LRESULT NotifyParent(HWND from, UINT code, NMHDR& hdr) {
    hdr.hwndFrom = from;
    hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(from));
    hdr.code = code;
    const HWND parent = GetParent(from);
    if (!parent) return 0;
    return SendMessageW(parent, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

// The subclass procedure of a control's label-editing "Edit" box (subclass id 1): Enter ends
// the edit keeping the text, Escape cancels it, and the control is held alive while the edit
// ends, since its parent may destroy it then. `T` has endEdit(bool cancel).
template <class T>
LRESULT LabelEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, T* self,
                      SUBCLASSPROC proc) {
    switch (msg) {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DefSubclassProc(hwnd, msg, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
                const ControlHold<T> hold(self);
                self->endEdit(wParam == VK_ESCAPE);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == u'\r' || wParam == 0x1B) return 0;  // no beep for the keys that end
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, proc, 1);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace orvane::platform
