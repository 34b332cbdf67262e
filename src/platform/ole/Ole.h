// Drag and drop between windows, OLE style: data objects offering blocks of memory by
// clipboard format, drop targets registered on windows, and DoDragDrop's modal loop that
// carries the data from a drop source to the target under the pointer. Only memory blocks
// (TYMED_HGLOBAL) travel; there is no COM registry and no reference counting: see each call
// for who owns what.
#pragma once

#include <string>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/base/GlobalMemory.h"
#include "platform/ole/IDataObject.h"
#include "platform/ole/IDropSource.h"
#include "platform/ole/IDropTarget.h"

namespace orvane::platform {

// A list of files (a DROPFILES block).
inline constexpr CLIPFORMAT CF_HDROP = 15;
// Registered formats are numbered from here up.
inline constexpr UINT kFirstRegisteredFormat = 0xC000;

// The block CF_HDROP holds: this header, then the file names, each ending in a NUL, the list
// ending in a second NUL; pFiles is the names' offset from the start of the block.
struct DROPFILES {
    DWORD pFiles = 0;
    POINT pt{};      // where the files were dropped, in the target's client coordinates
    BOOL fNC = 0;    // pt is in the non-client area
    BOOL fWide = 0;  // the names are UTF-16 (else ANSI, code page 1252)
};
using HDROP = HGLOBAL;

// Makes `hwnd` a drop target: DoDragDrop calls `target` while the pointer is over the window
// or one of its descendants that has no target of its own. The caller keeps ownership of
// `target`; it must stay alive until RevokeDragDrop or until the window is destroyed, which
// revokes the registration by itself. E_INVALIDARG for a null target,
// DRAGDROP_E_INVALIDHWND for a window that does not exist, DRAGDROP_E_ALREADYREGISTERED when
// the window has a target already.
HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* target);
// Removes the window's target. DRAGDROP_E_INVALIDHWND, DRAGDROP_E_NOTREGISTERED.
HRESULT RevokeDragDrop(HWND hwnd);
// The target registered on exactly this window, or null (for backends and tests).
IDropTarget* GetRegisteredDropTarget(HWND hwnd);

// Drags `data` from `source` until the source says drop or cancel (see IDropSource): captures
// the mouse, finds the registered target under the pointer among all the windows of the
// process and tells it DragEnter, DragOver (on each move or change of keys, and every 50 ms
// while nothing changes), DragLeave and Drop; the source's GiveFeedback chooses the cursor.
// The effects a target answers are masked by `okEffects`. Returns DRAGDROP_S_DROP with the
// target's final effect in *effect (DROPEFFECT_NONE when nothing accepted the drop),
// DRAGDROP_S_CANCEL, or E_INVALIDARG for a null argument or no effect allowed. The data
// object and the source are borrowed for the call.
HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DWORD okEffects, DWORD* effect);

// A file list: with index 0xFFFFFFFF the number of files; with a null buffer the length of
// the name at `index` (characters, without the NUL); else copies the name (cut to
// `capacity` - 1 characters and NUL-terminated) and returns its length. 0 for a malformed
// block or an index past the end.
UINT DragQueryFileW(HDROP drop, UINT index, LPWSTR buffer, UINT capacity);
// Where the files were dropped (client coordinates of the target); TRUE for the client area.
BOOL DragQueryPoint(HDROP drop, POINT* pt);
// Frees a file list.
void DragFinish(HDROP drop);
// A new UTF-16 file list block holding `paths` (the caller owns it), or null.
HDROP CreateFileDropBlock(const std::vector<std::u16string>& paths, POINT pt = {}, BOOL nc = FALSE);
// The names of a file list block; empty for a malformed one.
std::vector<std::u16string> FileDropNames(HDROP drop);

// A format number for a name: the same name (ignoring case) gives the same number, from
// 0xC000 up, for the life of the process. 0 for an empty name.
UINT RegisterClipboardFormatW(LPCWSTR name);
// The name a registered format was given (copied as GetWindowTextW copies); 0 for a format
// that was not registered.
int GetClipboardFormatNameW(UINT format, LPWSTR buffer, int capacity);

// Frees a medium GetData handed out.
void ReleaseStgMedium(STGMEDIUM* medium);

// Files dropped from outside the process (a display backend's desktop drop, or a test): the
// target registered under the screen point gets DragEnter, DragOver and Drop (or DragLeave
// when it refuses) with a data object offering CF_HDROP, as if a drag from another program
// ended there; copy is the effect offered. Returns the effect the target took, or
// DROPEFFECT_NONE when there is no target or it refused.
DWORD DropFilesFromDesktop(POINT screen, const std::vector<std::u16string>& paths,
                           DWORD keyState = 0);

}  // namespace orvane::platform
