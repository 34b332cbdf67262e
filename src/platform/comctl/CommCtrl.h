// The common controls: their registration (InitCommonControlsEx), the notification header
// they share, and each control's messages, styles and structures, with the Windows names and
// values.
#pragma once

#include "platform/comctl/CommonTypes.h"
#include "platform/comctl/Header.h"
#include "platform/comctl/ImageList.h"
#include "platform/comctl/ListView.h"
#include "platform/comctl/ProgressBar.h"
#include "platform/comctl/ToolTips.h"
#include "platform/comctl/TreeView.h"
#include "platform/user/UserTypes.h"

namespace orvane::platform {

// InitCommonControlsEx classes. A flag names a group; the groups register the classes built
// so far (the tooltip class comes with the bar, tree-view and tab groups, as on Windows).
inline constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
inline constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
inline constexpr DWORD ICC_BAR_CLASSES = 0x00000004;
inline constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
inline constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
inline constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
inline constexpr DWORD ICC_HOTKEY_CLASS = 0x00000040;
inline constexpr DWORD ICC_ANIMATE_CLASS = 0x00000080;
inline constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
inline constexpr DWORD ICC_DATE_CLASSES = 0x00000100;
inline constexpr DWORD ICC_USEREX_CLASSES = 0x00000200;
inline constexpr DWORD ICC_COOL_CLASSES = 0x00000400;
inline constexpr DWORD ICC_INTERNET_CLASSES = 0x00000800;
inline constexpr DWORD ICC_PAGESCROLLER_CLASS = 0x00001000;
inline constexpr DWORD ICC_NATIVEFNTCTL_CLASS = 0x00002000;
inline constexpr DWORD ICC_STANDARD_CLASSES = 0x00004000;
inline constexpr DWORD ICC_LINK_CLASS = 0x00008000;

struct INITCOMMONCONTROLSEX {
    DWORD dwSize = sizeof(INITCOMMONCONTROLSEX);
    DWORD dwICC = 0;
};

// Registers the classes of the groups named. Fails (ERROR_INVALID_PARAMETER) for a wrong size
// or an unknown flag.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc);
// Registers the classes of ICC_WIN95_CLASSES.
void InitCommonControls();

}  // namespace orvane::platform
