// Conversions between UTF-16 and the multi-byte code pages, with Windows semantics. The
// platform knows UTF-8 (65001), Windows Western (1252, also the ANSI code page) and OEM United
// States (437, also the OEM code page); any other code page, UTF-7 included, is refused with
// ERROR_INVALID_PARAMETER.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Types.h"

namespace orvane::platform {

// Code page numbers.
inline constexpr UINT CP_ACP = 0;         // the ANSI code page: 1252 here
inline constexpr UINT CP_OEMCP = 1;       // the OEM code page: 437 here
inline constexpr UINT CP_THREAD_ACP = 3;  // the thread's ANSI code page: 1252 here
inline constexpr UINT CP_UTF7 = 65000;    // refused
inline constexpr UINT CP_UTF8 = 65001;

// MultiByteToWideChar flags.
inline constexpr DWORD MB_PRECOMPOSED = 0x00000001;
inline constexpr DWORD MB_COMPOSITE = 0x00000002;
inline constexpr DWORD MB_USEGLYPHCHARS = 0x00000004;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;

// WideCharToMultiByte flags.
inline constexpr DWORD WC_DISCARDNS = 0x00000010;
inline constexpr DWORD WC_SEPCHARS = 0x00000020;
inline constexpr DWORD WC_DEFAULTCHAR = 0x00000040;
inline constexpr DWORD WC_ERR_INVALID_CHARS = 0x00000080;
inline constexpr DWORD WC_COMPOSITECHECK = 0x00000200;
inline constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x00000400;

// Converts src (srcLen bytes, or up to and including its NUL when srcLen is -1) to UTF-16.
// Returns the number of UTF-16 units written, or needed when dstLen is 0; 0 on failure, with
// the reason in the last error.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* src, int srcLen, char16_t* dst,
                        int dstLen);

// Converts src (srcLen units, or up to and including its NUL when srcLen is -1) from UTF-16.
// Returns the number of bytes written, or needed when dstLen is 0; 0 on failure. For the
// single-byte code pages, a character the page cannot hold becomes defaultChar[0] ('?' when
// defaultChar is null) and sets *usedDefaultChar. No best-fit mapping is ever made, as if
// WC_NO_BEST_FIT_CHARS were always given.
int WideCharToMultiByte(UINT codePage, DWORD flags, const char16_t* src, int srcLen, char* dst,
                        int dstLen, const char* defaultChar, BOOL* usedDefaultChar);

// The ANSI (1252) and OEM (437) code pages.
UINT GetACP();

// UTF-16 to UTF-8 and back, for the edges (file names, messages, logs). Unpaired surrogates
// and invalid bytes become U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);
UINT GetOEMCP();

}  // namespace orvane::platform
