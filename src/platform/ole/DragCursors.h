// The cursors DoDragDrop shows for an effect when the source asks for the default ones.
#pragma once

#include "platform/user/UserTypes.h"

namespace orvane::platform {

// IDC_NO for DROPEFFECT_NONE; an arrow with a page for move, the page with a plus for copy,
// and the page with a bent arrow for link (move wins over copy, copy over link).
HCURSOR DragCursor(DWORD effect);

}  // namespace orvane::platform
