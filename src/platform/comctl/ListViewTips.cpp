// The list view's tips: resting the pointer on an item shows its whole label when the label is
// cut (LVS_EX_LABELTIP), or the text the parent gives through LVN_GETINFOTIPW (LVS_EX_INFOTIP),
// in a tracking tooltip placed over the label.
#include <algorithm>

#include "platform/comctl/ListViewControl.h"
#include "platform/comctl/ToolTipControl.h"
#include "platform/comctl/ToolTips.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

void ListViewControl::scheduleTip(int item) {
    if (!exStyle(LVS_EX_LABELTIP | LVS_EX_INFOTIP)) return;
    if (item == m_tipItem) return;
    hideTip();
    m_tipItem = item;
    if (!validIndex(item)) return;
    UINT hover = 400;
    SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &hover, 0);
    SetTimer(m_hwnd, kTipTimer, hover, nullptr);
}

void ListViewControl::hideTip() {
    KillTimer(m_hwnd, kTipTimer);
    m_tipItem = -1;
    if (m_tip && m_tipShown) {
        TOOLINFOW ti;
        ti.hwnd = m_hwnd;
        ti.uId = 1;
        SendMessageW(m_tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    }
    m_tipShown = false;
}

void ListViewControl::showTip() {
    KillTimer(m_hwnd, kTipTimer);
    const int item = m_tipItem;
    if (!validIndex(item) || m_edit) return;
    const HWND self = m_hwnd;
    std::u16string text;
    if (exStyle(LVS_EX_INFOTIP)) {
        // The parent may give a tip of its own; the buffer starts with the label when it is cut.
        char16_t buffer[1024] = {};
        NMLVGETINFOTIPW nm;
        nm.pszText = buffer;
        nm.cchTextMax = static_cast<int>(std::size(buffer));
        nm.iItem = item;
        if (!ownerData()) nm.lParam = m_items[static_cast<std::size_t>(item)].lParam;
        notify(LVN_GETINFOTIPW, nm.hdr);
        if (!IsWindow(self) || !validIndex(item)) return;
        buffer[std::size(buffer) - 1] = 0;
        text = buffer;
    }
    const RECT label = itemRect(item, LVIR_LABEL);
    if (text.empty() && exStyle(LVS_EX_LABELTIP)) {
        const std::u16string caption = cellText(item, 0);
        const HDC dc = GetDC(m_hwnd);
        const HGDIOBJ old = SelectObject(dc, font());
        SIZE size{};
        GetTextExtentPoint32W(dc, caption.data(), static_cast<int>(caption.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(m_hwnd, dc);
        // Only a label the item cuts shows whole.
        if (size.cx + 4 > label.right - label.left) text = caption;
    }
    if (text.empty()) return;
    if (!m_tip) {
        ToolTipControl::registerClass();
        m_tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, u"",
                                WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, m_hwnd,
                                HMENU(), HINSTANCE(), nullptr);
        if (!m_tip) return;
        SendMessageW(m_tip, WM_SETFONT, static_cast<WPARAM>(m_font.value), FALSE);
        TOOLINFOW ti;
        ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        ti.hwnd = m_hwnd;
        ti.uId = 1;
        ti.lpszText = const_cast<LPWSTR>(u"");
        SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        SendMessageW(m_tip, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    TOOLINFOW ti;
    ti.hwnd = m_hwnd;
    ti.uId = 1;
    ti.lpszText = text.data();
    SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    // The tip starts where the label starts on the screen, which in a mirrored window is the
    // label's logical right: the label is mapped as a rectangle.
    RECT shown{label.left, label.top, label.right, label.bottom};
    MapWindowPoints(m_hwnd, HWND(), reinterpret_cast<POINT*>(&shown), 2);
    SendMessageW(m_tip, TTM_TRACKPOSITION, 0, MAKELPARAM(shown.left, shown.top));
    SendMessageW(m_tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    m_tipShown = true;
}

}  // namespace orvane::platform
