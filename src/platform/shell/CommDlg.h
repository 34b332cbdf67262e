// The common open-file dialog: a modal window of the platform with a list of folders, a list
// of the files that match the chosen filter, the filter, a file name field and Open and
// Cancel. Headless on a virtual clock nothing can answer it unless the test does (through
// SetFileDialogHook, by injecting input); when nothing can, it ends as if cancelled.
#pragma once

#include <functional>

#include "platform/base/Types.h"

namespace orvane::platform {

struct OPENFILENAMEW {
    DWORD lStructSize = sizeof(OPENFILENAMEW);
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCWSTR lpstrFilter = nullptr;  // pairs of description and patterns, "\0\0" at the end
    LPWSTR lpstrCustomFilter = nullptr;
    DWORD nMaxCustFilter = 0;
    DWORD nFilterIndex = 0;      // 1-based; 0 takes the first pair
    LPWSTR lpstrFile = nullptr;  // in: the initial name; out: the chosen path
    DWORD nMaxFile = 0;
    LPWSTR lpstrFileTitle = nullptr;
    DWORD nMaxFileTitle = 0;
    LPCWSTR lpstrInitialDir = nullptr;
    LPCWSTR lpstrTitle = nullptr;
    DWORD Flags = 0;
    WORD nFileOffset = 0;
    WORD nFileExtension = 0;
    LPCWSTR lpstrDefExt = nullptr;
    LPARAM lCustData = 0;
    void* lpfnHook = nullptr;
    LPCWSTR lpTemplateName = nullptr;
    void* pvReserved = nullptr;
    DWORD dwReserved = 0;
    DWORD FlagsEx = 0;
};

inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr DWORD OFN_NONETWORKBUTTON = 0x00020000;
inline constexpr DWORD OFN_EXPLORER = 0x00080000;
inline constexpr DWORD OFN_LONGNAMES = 0x00200000;
inline constexpr DWORD OFN_ENABLESIZING = 0x00800000;
inline constexpr DWORD OFN_DONTADDTORECENT = 0x02000000;

// CommDlgExtendedError values.
inline constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
inline constexpr DWORD CDERR_INITIALIZATION = 0x0002;
inline constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;
inline constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;

// The chosen file's full path in lpstrFile, its name's offset in nFileOffset and its
// extension's in nFileExtension; FALSE when cancelled or on an error (CommDlgExtendedError
// says which; 0 for a cancel). Flags other than the OFN_ values above fail with
// CDERR_INITIALIZATION.
BOOL GetOpenFileNameW(OPENFILENAMEW* ofn);
DWORD CommDlgExtendedError();

// Called with the dialog's window once it is shown and focused, before its message loop runs:
// tests answer the dialog from here, with input.
void SetFileDialogHook(std::function<void(HWND dialog)> hook);

}  // namespace orvane::platform
