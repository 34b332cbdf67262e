// Input-method text: the composition an input method is building (shown by the window that has
// the focus, under the caret) and the text it commits. One input context per thread, as the
// default context is; a display with an input method feeds it through ImeCompose, and hears
// where the focused window wants the candidate list through the input-method bridge.
#pragma once

#include <functional>
#include <string>

#include "platform/base/Types.h"
#include "platform/user/UserTypes.h"

namespace orvane::platform {

using HIMC = Handle<struct HIMCTag>;

// WM_IME_COMPOSITION's lParam and ImmGetCompositionStringW's index.
inline constexpr DWORD GCS_COMPSTR = 0x0008;
inline constexpr DWORD GCS_CURSORPOS = 0x0080;
inline constexpr DWORD GCS_RESULTSTR = 0x0800;
// ImmGetCompositionStringW's error results.
inline constexpr LONG IMM_ERROR_NODATA = -1;
inline constexpr LONG IMM_ERROR_GENERAL = -2;
// COMPOSITIONFORM styles.
inline constexpr DWORD CFS_DEFAULT = 0x0000;
inline constexpr DWORD CFS_POINT = 0x0002;
inline constexpr DWORD CFS_FORCE_POSITION = 0x0020;

struct COMPOSITIONFORM {
    DWORD dwStyle = CFS_DEFAULT;
    POINT ptCurrentPos{};  // client coordinates of the window
    RECT rcArea{};
};

// The thread's input context for a window (0 for no window); release it when done.
HIMC ImmGetContext(HWND hwnd);
BOOL ImmReleaseContext(HWND hwnd, HIMC himc);
// The composition (GCS_COMPSTR), the last committed text (GCS_RESULTSTR), both in bytes, or the
// caret's place in the composition (GCS_CURSORPOS, in characters). With a null buffer or 0
// bytes, the size needed. Other indexes give IMM_ERROR_GENERAL.
LONG ImmGetCompositionStringW(HIMC himc, DWORD index, void* buffer, DWORD bytes);
// Where the composition shows: the candidate list opens below that point.
BOOL ImmSetCompositionWindow(HIMC himc, const COMPOSITIONFORM* form);
BOOL ImmGetCompositionWindow(HIMC himc, COMPOSITIONFORM* form);

// For displays: the input method's composition changed (`text` empty: none, the composition
// ended) with its caret at `cursor`; the focus window hears WM_IME_STARTCOMPOSITION,
// WM_IME_COMPOSITION and WM_IME_ENDCOMPOSITION.
void ImeCompose(const std::u16string& text, int cursor);
// For displays: the input method committed `text`; the focus window hears it as
// WM_IME_COMPOSITION with GCS_RESULTSTR (turned into WM_IME_CHAR by DefWindowProcW), and the
// composition ends.
void ImeCommit(const std::u16string& text);
// The display's side: told the screen rectangle under which candidates should open.
void SetImeBridge(std::function<void(const RECT& screen)> placeCandidates);
// Forgets the composition (platform reset).
void resetIme();

}  // namespace orvane::platform
