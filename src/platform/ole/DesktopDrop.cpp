// Files dropped from outside the process: a short drag of a file list straight onto the
// target under the point (DragEnter, DragOver, then Drop or DragLeave).
#include "platform/ole/DragDropLoop.h"
#include "platform/ole/MemoryDataObject.h"
#include "platform/user/User.h"

namespace orvane::platform {

DWORD DropFilesFromDesktop(POINT screen, const std::vector<std::u16string>& paths, DWORD keyState) {
    if (paths.empty()) return DROPEFFECT_NONE;
    const HWND window = DragDropLoop::targetWindowAt(screen);
    if (!window) return DROPEFFECT_NONE;
    POINT client = screen;
    ScreenToClient(window, &client);
    const HDROP block = CreateFileDropBlock(paths, client);
    if (!block) return DROPEFFECT_NONE;
    MemoryDataObject data;
    FORMATETC format;
    format.cfFormat = CF_HDROP;
    STGMEDIUM medium;
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = block;
    if (data.SetData(&format, &medium, TRUE) != S_OK) {
        GlobalFree(block);
        return DROPEFFECT_NONE;
    }
    // The files are the desktop's: they can only be copied from it.
    constexpr DWORD kOffered = DROPEFFECT_COPY;
    const POINTL pt{screen.x, screen.y};
    const auto still = [&](IDropTarget* target) {
        return IsWindow(window) && GetRegisteredDropTarget(window) == target;
    };
    IDropTarget* target = GetRegisteredDropTarget(window);
    DWORD effect = kOffered;
    if (FAILED(target->DragEnter(&data, keyState, pt, &effect)) || !still(target))
        return DROPEFFECT_NONE;
    if (effect & kOffered) {
        effect = kOffered;
        if (FAILED(target->DragOver(keyState, pt, &effect)) || !still(target))
            return DROPEFFECT_NONE;
    }
    if (!(effect & kOffered)) {
        target->DragLeave();
        return DROPEFFECT_NONE;
    }
    effect = kOffered;
    if (FAILED(target->Drop(&data, keyState, pt, &effect))) return DROPEFFECT_NONE;
    return effect & kOffered;
}

}  // namespace orvane::platform
