// What the library asks of the file system, with Windows names and results. Paths are the
// host's own (forward slashes on this system).
#pragma once

#include "platform/base/Types.h"

namespace orvane::platform {

inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// The attributes of a file or folder: read-only when it cannot be written, hidden when its
// name starts with a dot. INVALID_FILE_ATTRIBUTES with the last error when it does not exist.
DWORD GetFileAttributesW(LPCWSTR path);

}  // namespace orvane::platform
