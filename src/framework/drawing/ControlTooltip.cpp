#include "framework/drawing/ControlTooltip.h"

#include <memory>

#include "framework/ColorsAndFonts.h"

namespace orvane {

namespace {

std::shared_ptr<cToolTip>& sharedTooltip() {
    static std::shared_ptr<cToolTip> tip;
    return tip;
}

// The control the shared tooltip belongs to.
platform::HWND& tooltipOwner() {
    static platform::HWND control;
    return control;
}

}  // namespace

void ShowControlTooltip(platform::HWND control, platform::HWND owner, const std::u16string& text,
                        const std::u16string& title, ToolTipIcon icon, bool balloon,
                        OLE_COLOR backColor, OLE_COLOR foreColor, std::int32_t maxWidth) {
    if (text.empty()) return;
    // The previous tooltip goes first, so two never exist at once.
    sharedTooltip().reset();
    auto tip = std::make_shared<cToolTip>();
    sharedTooltip() = tip;
    tip->Balloon(balloon);
    tip->Create(owner);
    tip->MaxTipWidth(maxWidth);
    tip->BackColor(TranslateColor(backColor, 0));
    tip->ForeColor(TranslateColor(foreColor, 0));
    tip->AddTool(control, owner, text, title, icon);
    tooltipOwner() = control;
}

void HideControlTooltip() {
    sharedTooltip().reset();
    tooltipOwner() = platform::HWND();
}

void HideControlTooltip(platform::HWND control) {
    if (sharedTooltip() && tooltipOwner() == control) HideControlTooltip();
}

platform::HWND ControlTooltipWindow() {
    return sharedTooltip() ? sharedTooltip()->ToolTipHandle() : platform::HWND();
}

platform::HWND ControlTooltipOwner() {
    return tooltipOwner();
}

std::u16string ControlTooltipText() {
    return sharedTooltip() ? sharedTooltip()->ToolTipText(tooltipOwner()) : std::u16string();
}

}  // namespace orvane
