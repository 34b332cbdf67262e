// The one tooltip the controls share: a control shows it, with its own settings, when the
// mouse enters it and releases it when the mouse leaves. At most one exists in the process.
#pragma once

#include <string>

#include "framework/drawing/cToolTip.h"
#include "host/OleColor.h"

namespace orvane {

// Replaces the shared tooltip with a new one for the control (its window as the tool, owned by
// `owner`); an empty text does nothing, leaving the current tooltip as it is.
void ShowControlTooltip(platform::HWND control, platform::HWND owner, const std::u16string& text,
                        const std::u16string& title, ToolTipIcon icon, bool balloon,
                        OLE_COLOR backColor, OLE_COLOR foreColor, std::int32_t maxWidth);
// Releases the shared tooltip, destroying its window.
void HideControlTooltip();
// Releases it only while it is the tooltip of `control` (a control left behind must not hide
// the tooltip of the one the pointer moved on to).
void HideControlTooltip(platform::HWND control);
// The shared tooltip's window (null when none is shown).
platform::HWND ControlTooltipWindow();
// The control the shared tooltip belongs to (null when none is shown).
platform::HWND ControlTooltipOwner();
// The text the shared tooltip shows ("" when none is shown).
std::u16string ControlTooltipText();

}  // namespace orvane
