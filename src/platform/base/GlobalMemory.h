// Movable memory blocks by handle (GlobalAlloc and friends), as the clipboard and other
// Windows calls pass data around. Blocks are counted with the live objects of no kind: a
// block not freed by its owner stays until the platform is reset.
#pragma once

#include "platform/base/Types.h"

namespace orvane::platform {

using HGLOBAL = HANDLE;
inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Flags other than those above fail with ERROR_INVALID_PARAMETER. Blocks are limited to
// 256 MiB.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalFree(HGLOBAL block);  // null on success, the block on failure
void* GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);  // FALSE (with no error) once the last lock is released
SIZE_T GlobalSize(HGLOBAL block);
// Live blocks, for leak checks.
DWORD GetLiveGlobalCount();
void resetGlobalMemory();

}  // namespace orvane::platform
