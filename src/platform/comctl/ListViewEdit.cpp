// Label editing: an "Edit" window over the item's label, started by LVM_EDITLABELW or a second
// click on the focused label, ended by Enter, by the focus leaving (both keep the text the
// parent accepts) or by Escape.
#include <algorithm>

#include "platform/comctl/ControlNotify.h"
#include "platform/comctl/ListViewControl.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/user/Edit.h"
#include "platform/user/User.h"

namespace orvane::platform {

LRESULT ListViewControl::editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
    return LabelEditProc(hwnd, msg, wParam, lParam, reinterpret_cast<ListViewControl*>(data),
                         editProc);
}

HWND ListViewControl::editLabel(int i) {
    if (m_edit) endEdit(true);
    if (!validIndex(i)) return HWND();
    const HWND self = m_hwnd;
    ensureVisible(i, false);
    if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
    if (!IsWindow(self) || !validIndex(i)) return HWND();
    const std::u16string text = cellText(i, 0);
    // The box: the label's place, wide enough for the text and a little more.
    RECT r = labelRect(i);
    const bool icons = m_view == LV_VIEW_ICON;
    DWORD editStyle = WS_CHILD | WS_BORDER | ES_AUTOHSCROLL;
    if (icons) editStyle = WS_CHILD | WS_BORDER | ES_MULTILINE | ES_CENTER | ES_AUTOVSCROLL;
    {
        const HDC dc = GetDC(m_hwnd);
        const HGDIOBJ old = SelectObject(dc, font());
        SIZE size{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(m_hwnd, dc);
        const int wanted = size.cx + 2 * metrics().tmAveCharWidth + 6;
        if (!icons) r.right = std::max<LONG>(r.right, r.left + wanted);
        r.bottom = std::max<LONG>(r.bottom, r.top + metrics().tmHeight + 4);
    }
    m_edit = CreateWindowExW(0, u"Edit", text.c_str(), editStyle, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, m_hwnd, HMENU(), HINSTANCE(), nullptr);
    if (!m_edit) return HWND();
    m_editItem = i;
    SendMessageW(m_edit, WM_SETFONT, static_cast<WPARAM>(m_font.value), FALSE);
    SetWindowSubclass(m_edit, editProc, 1, reinterpret_cast<DWORD_PTR>(this));
    // The parent may refuse, and may reach the box meanwhile (LVM_GETEDITCONTROL).
    NMLVDISPINFOW di;
    di.item.mask = LVIF_TEXT | LVIF_STATE | LVIF_PARAM;
    di.item.iItem = i;
    std::u16string copy = text;
    di.item.pszText = copy.data();
    di.item.cchTextMax = static_cast<int>(copy.size()) + 1;
    di.item.state = itemState(i, LVIS_SELECTED | LVIS_FOCUSED);
    if (!ownerData()) di.item.lParam = m_items[static_cast<std::size_t>(i)].lParam;
    const LRESULT refused = notify(LVN_BEGINLABELEDITW, di.hdr);
    if (!IsWindow(self)) return HWND();
    if (refused || !m_edit || !validIndex(m_editItem)) {
        if (m_edit) {
            const HWND edit = m_edit;
            m_edit = HWND();
            DestroyWindow(edit);
        }
        m_editItem = -1;
        return HWND();
    }
    ShowWindow(m_edit, SW_SHOW);
    SetFocus(m_edit);
    SendMessageW(m_edit, EM_SETSEL, 0, -1);
    return m_edit;
}

void ListViewControl::endEdit(bool cancel) {
    if (!m_edit || m_ending) return;
    m_ending = true;
    const HWND self = m_hwnd;
    const HWND edit = m_edit;
    const int length = GetWindowTextLengthW(edit);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    GetWindowTextW(edit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    const bool hadFocus = GetFocus() == edit;
    const int item = m_editItem;
    NMLVDISPINFOW di;
    di.item.mask = LVIF_TEXT;
    di.item.iItem = item;
    di.item.pszText = cancel ? nullptr : text.data();
    di.item.cchTextMax = length + 1;
    if (validIndex(item) && !ownerData())
        di.item.lParam = m_items[static_cast<std::size_t>(item)].lParam;
    const LRESULT accepted = notify(LVN_ENDLABELEDITW, di.hdr);
    if (!IsWindow(self)) return;
    // The box goes before the text changes, so the repaint shows the new label.
    m_edit = HWND();
    m_editItem = -1;
    DestroyWindow(edit);
    if (!cancel && accepted && validIndex(item) && !ownerData()) {
        LVITEMW it;
        it.iSubItem = 0;
        it.pszText = text.data();
        setItemText(item, it);
    }
    m_ending = false;
    if (IsWindow(self) && hadFocus) SetFocus(m_hwnd);
}

}  // namespace orvane::platform
