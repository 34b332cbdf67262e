// Drop targets live on their windows (WindowObject::dropTarget), so a destroyed window takes
// its registration with it and no target outlives its window in the table.
#include "platform/ole/Ole.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* target) {
    if (!target) return E_INVALIDARG;
    WindowObject* w = user::windowQuiet(hwnd);
    if (!w || user::isRoot(*w)) return DRAGDROP_E_INVALIDHWND;
    if (w->dropTarget) return DRAGDROP_E_ALREADYREGISTERED;
    w->dropTarget = target;
    return S_OK;
}

HRESULT RevokeDragDrop(HWND hwnd) {
    WindowObject* w = user::windowQuiet(hwnd);
    if (!w || user::isRoot(*w)) return DRAGDROP_E_INVALIDHWND;
    if (!w->dropTarget) return DRAGDROP_E_NOTREGISTERED;
    w->dropTarget = nullptr;
    return S_OK;
}

IDropTarget* GetRegisteredDropTarget(HWND hwnd) {
    WindowObject* w = user::windowQuiet(hwnd);
    return w ? w->dropTarget : nullptr;
}

void ReleaseStgMedium(STGMEDIUM* medium) {
    if (!medium) return;
    if (medium->tymed == TYMED_HGLOBAL && medium->hGlobal) GlobalFree(medium->hGlobal);
    medium->tymed = 0;
    medium->hGlobal = HGLOBAL();
}

}  // namespace orvane::platform
