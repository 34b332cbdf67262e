// The clipboard: opened by a window, emptied to take ownership, filled with memory blocks by
// format; Unicode text (CF_UNICODETEXT) is the format the library uses. With a real display
// the text is the desktop's clipboard text, both ways.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/base/GlobalMemory.h"

namespace orvane::platform {

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_UNICODETEXT = 13;

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();  // the opener becomes the owner
// Takes the block (the clipboard frees it later); only CF_UNICODETEXT is accepted.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The clipboard's block (still the clipboard's own), or null.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
HWND GetClipboardOwner();

// For a display backend: where clipboard text goes when it is set, and where it comes from
// when it is read (nothing: the platform's own).
struct ClipboardBridge {
    std::function<void(const std::u16string&)> publish;
    std::function<std::optional<std::u16string>()> fetch;
};
void SetClipboardBridge(ClipboardBridge bridge);
void resetClipboard();

}  // namespace orvane::platform
