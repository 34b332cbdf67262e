#include "platform/base/LastError.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/HeaderControl.h"
#include "platform/comctl/ListViewControl.h"
#include "platform/comctl/ProgressControl.h"
#include "platform/comctl/ToolTipControl.h"
#include "platform/comctl/TreeViewControl.h"

namespace orvane::platform {

namespace {
constexpr DWORD kKnownGroups = 0xFFFF;
// The groups that bring the tooltip class with them.
constexpr DWORD kToolTipGroups = ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES;
}  // namespace

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
    if (!icc || icc->dwSize != sizeof(INITCOMMONCONTROLSEX) || (icc->dwICC & ~kKnownGroups)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (icc->dwICC & kToolTipGroups) ToolTipControl::registerClass();
    if (icc->dwICC & ICC_PROGRESS_CLASS) ProgressControl::registerClass();
    if (icc->dwICC & ICC_TREEVIEW_CLASSES) TreeViewControl::registerClass();
    // The header comes with the list view, which builds on it.
    if (icc->dwICC & ICC_LISTVIEW_CLASSES) {
        HeaderControl::registerClass();
        ListViewControl::registerClass();
    }
    return TRUE;
}

void InitCommonControls() {
    INITCOMMONCONTROLSEX icc;
    icc.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&icc);
}

}  // namespace orvane::platform
