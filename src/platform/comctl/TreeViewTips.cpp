// The tree view's tips: resting the pointer on a label the window cuts shows the whole label
// over it (unless TVS_NOTOOLTIPS); with TVS_INFOTIP the parent may give a tip of its own
// through TVN_GETINFOTIPW. One tracking tooltip serves both; TVM_SETTOOLTIPS swaps it.
#include <algorithm>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/ToolTipControl.h"
#include "platform/comctl/ToolTips.h"
#include "platform/comctl/TreeViewControl.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

void TreeViewControl::scheduleTip(std::uint32_t slot) {
    if (hasStyle(TVS_NOTOOLTIPS) && !hasStyle(TVS_INFOTIP)) return;
    if (slot == m_tipItem) return;
    hideTip();
    m_tipItem = slot;
    if (!slot) return;
    UINT hover = 400;
    SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &hover, 0);
    SetTimer(m_hwnd, kTipTimer, hover, nullptr);
}

void TreeViewControl::hideTip() {
    KillTimer(m_hwnd, kTipTimer);
    m_tipItem = 0;
    if (m_tip && m_tipShown && IsWindow(m_tip)) {
        TOOLINFOW ti;
        ti.hwnd = m_hwnd;
        ti.uId = 1;
        SendMessageW(m_tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    }
    m_tipShown = false;
}

void TreeViewControl::createTip() {
    if (m_tip) return;
    ToolTipControl::registerClass();
    m_tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, u"",
                            WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, m_hwnd, HMENU(),
                            HINSTANCE(), nullptr);
    if (!m_tip) return;
    m_ownTip = true;
    SendMessageW(m_tip, WM_SETFONT, static_cast<WPARAM>(m_font.value), FALSE);
    addTipTool();
    SendMessageW(m_tip, TTM_SETMAXTIPWIDTH, 0, 600);
}

void TreeViewControl::addTipTool() {
    TOOLINFOW ti;
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = m_hwnd;
    ti.uId = 1;
    ti.lpszText = const_cast<LPWSTR>(u"");
    SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void TreeViewControl::showTip() {
    KillTimer(m_hwnd, kTipTimer);
    const std::uint32_t slot = m_tipItem;
    if (!slot || m_edit || !visible(slot)) return;
    const HTREEITEM handle = table().handle(slot);
    std::u16string text;
    if (hasStyle(TVS_INFOTIP)) {
        char16_t buffer[1024] = {};
        NMTVGETINFOTIPW nm;
        nm.pszText = buffer;
        nm.cchTextMax = static_cast<int>(std::size(buffer));
        nm.hItem = handle;
        nm.lParam = node(slot).lParam;
        notify(TVN_GETINFOTIPW, nm.hdr);
        if (!alive() || !slotOf(handle)) return;
        buffer[std::size(buffer) - 1] = 0;
        text = buffer;
    }
    RECT label{};
    if (!itemRect(slot, true, label)) return;
    if (text.empty() && !hasStyle(TVS_NOTOOLTIPS)) {
        // Only a label the window's edge cuts shows whole.
        if (label.right > m_clientSize.cx || label.left < 0) text = itemText(slot);
        if (!alive() || !slotOf(handle)) return;
    }
    if (text.empty()) return;
    if (!m_tip) createTip();
    if (!m_tip || !IsWindow(m_tip)) return;
    TOOLINFOW ti;
    ti.hwnd = m_hwnd;
    ti.uId = 1;
    ti.lpszText = text.data();
    SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    // The tip starts where the label starts on the screen, which in a mirrored window is the
    // label's logical right: the label is mapped as a rectangle.
    RECT shown{std::max<std::int32_t>(0, label.left), label.top, label.right, label.bottom};
    MapWindowPoints(m_hwnd, HWND(), reinterpret_cast<POINT*>(&shown), 2);
    SendMessageW(m_tip, TTM_TRACKPOSITION, 0, MAKELPARAM(shown.left, shown.top));
    SendMessageW(m_tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    m_tipShown = true;
}

}  // namespace orvane::platform
