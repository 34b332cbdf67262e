// Formatted text in a rectangle: DrawTextW and DrawTextExW with the Windows names, flags and
// results. Built on the public text and GDI calls.
#pragma once

#include "platform/text/TextTypes.h"

namespace orvane::platform {

// Format flags.
inline constexpr UINT DT_TOP = 0x00000000;
inline constexpr UINT DT_LEFT = 0x00000000;
inline constexpr UINT DT_CENTER = 0x00000001;
inline constexpr UINT DT_RIGHT = 0x00000002;
inline constexpr UINT DT_VCENTER = 0x00000004;
inline constexpr UINT DT_BOTTOM = 0x00000008;
inline constexpr UINT DT_WORDBREAK = 0x00000010;
inline constexpr UINT DT_SINGLELINE = 0x00000020;
inline constexpr UINT DT_EXPANDTABS = 0x00000040;
inline constexpr UINT DT_TABSTOP = 0x00000080;
inline constexpr UINT DT_NOCLIP = 0x00000100;
inline constexpr UINT DT_EXTERNALLEADING = 0x00000200;
inline constexpr UINT DT_CALCRECT = 0x00000400;
inline constexpr UINT DT_NOPREFIX = 0x00000800;
inline constexpr UINT DT_INTERNAL = 0x00001000;
inline constexpr UINT DT_EDITCONTROL = 0x00002000;
inline constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
inline constexpr UINT DT_END_ELLIPSIS = 0x00008000;
inline constexpr UINT DT_MODIFYSTRING = 0x00010000;
inline constexpr UINT DT_RTLREADING = 0x00020000;
inline constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
inline constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
inline constexpr UINT DT_HIDEPREFIX = 0x00100000;
inline constexpr UINT DT_PREFIXONLY = 0x00200000;

struct DRAWTEXTPARAMS {
    UINT cbSize = sizeof(DRAWTEXTPARAMS);
    int iTabLength = 0;  // tab stops, in average character widths
    int iLeftMargin = 0;
    int iRightMargin = 0;
    UINT uiLengthDrawn = 0;  // set by the call: characters processed
};

// Draws text formatted in `rc`. `length` -1 means the text ends at a NUL. Returns the height
// of the text (with DT_VCENTER or DT_BOTTOM, the offset from rc->top to the bottom of the
// drawn text), or 0 on failure. DT_CALCRECT measures without drawing and sets rc.
// With DT_MODIFYSTRING the text may be rewritten, up to four characters past `length`, as
// on Windows.
int DrawTextW(HDC hdc, LPCWSTR text, int length, RECT* rc, UINT format);
int DrawTextExW(HDC hdc, LPWSTR text, int length, RECT* rc, UINT format, DRAWTEXTPARAMS* params);

}  // namespace orvane::platform
