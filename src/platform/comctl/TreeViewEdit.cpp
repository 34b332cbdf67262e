// Label editing: an "Edit" window over the item's label, started by TVM_EDITLABELW or a second
// click on the selected label, ended by Enter or the focus leaving (both keep the text the
// parent accepts in TVN_ENDLABELEDITW), by Escape or TVM_ENDEDITLABELNOW(TRUE) (cancelled).
#include <algorithm>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/ControlNotify.h"
#include "platform/comctl/TreeViewControl.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/user/Edit.h"
#include "platform/user/User.h"

namespace orvane::platform {

LRESULT TreeViewControl::editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
    return LabelEditProc(hwnd, msg, wParam, lParam, reinterpret_cast<TreeViewControl*>(data),
                         editProc);
}

HWND TreeViewControl::editLabel(std::uint32_t slot) {
    if (m_edit) endEdit(true);
    if (!alive()) return HWND();
    const HTREEITEM handle = table().handle(slot);
    if (!slotOf(handle)) return HWND();
    KillTimer(m_hwnd, kEditTimer);
    m_editPending = false;
    hideTip();
    if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
    if (!alive() || !slotOf(handle)) return HWND();
    ensureVisible(slot);
    if (!alive() || !slotOf(handle)) return HWND();
    const std::u16string text = itemText(slot);
    if (!alive() || !slotOf(handle)) return HWND();
    RECT r{};
    if (!itemRect(slot, true, r)) return HWND();
    // The box: the label's place, wide enough for the text and a little more.
    r.right = std::max<LONG>(r.right, r.left + 2 * metrics().tmAveCharWidth + 6) +
              2 * metrics().tmAveCharWidth;
    r.right = std::min<LONG>(r.right, std::max<LONG>(m_clientSize.cx, r.left + 20));
    r.bottom = std::max<LONG>(r.bottom, r.top + metrics().tmHeight + 4);
    m_edit = CreateWindowExW(0, u"Edit", text.c_str(), WS_CHILD | WS_BORDER | ES_AUTOHSCROLL,
                             r.left, r.top, r.right - r.left, r.bottom - r.top, m_hwnd, HMENU(),
                             HINSTANCE(), nullptr);
    if (!m_edit) return HWND();
    m_editItem = slot;
    SendMessageW(m_edit, WM_SETFONT, static_cast<WPARAM>(m_font.value), FALSE);
    SetWindowSubclass(m_edit, editProc, 1, reinterpret_cast<DWORD_PTR>(this));
    // The parent may refuse, and may reach the box meanwhile (TVM_GETEDITCONTROL).
    NMTVDISPINFOW di;
    di.item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE | TVIF_PARAM;
    di.item.hItem = handle;
    std::u16string copy = text;
    di.item.pszText = copy.data();
    di.item.cchTextMax = static_cast<int>(copy.size()) + 1;
    di.item.state = node(slot).state;
    di.item.lParam = node(slot).lParam;
    const LRESULT refused = notify(TVN_BEGINLABELEDITW, di.hdr);
    if (!alive()) return HWND();
    if (refused || !m_edit || !slotOf(handle)) {
        if (m_edit) {
            const HWND edit = m_edit;
            m_edit = HWND();
            DestroyWindow(edit);
        }
        m_editItem = 0;
        return HWND();
    }
    ShowWindow(m_edit, SW_SHOW);
    SetFocus(m_edit);
    SendMessageW(m_edit, EM_SETSEL, 0, -1);
    return m_edit;
}

void TreeViewControl::endEdit(bool cancel) {
    if (!m_edit || m_ending) return;
    m_ending = true;
    const HWND edit = m_edit;
    const int length = GetWindowTextLengthW(edit);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    GetWindowTextW(edit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    const bool hadFocus = GetFocus() == edit;
    const std::uint32_t slot = m_editItem;
    const HTREEITEM handle = table().handle(slot);
    NMTVDISPINFOW di;
    di.item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM;
    di.item.hItem = slotOf(handle) ? handle : HTREEITEM{};
    di.item.pszText = cancel ? nullptr : text.data();
    di.item.cchTextMax = length + 1;
    if (slotOf(handle)) di.item.lParam = node(slot).lParam;
    const LRESULT accepted = notify(TVN_ENDLABELEDITW, di.hdr);
    if (!alive()) return;
    // The box goes before the text changes, so the repaint shows the new label.
    m_edit = HWND();
    m_editItem = 0;
    DestroyWindow(edit);
    if (!alive()) return;
    if (!cancel && accepted && slotOf(handle)) {
        if (node(slot).textCallback) {
            // The parent keeps a callback item's text: it hears the new one.
            NMTVDISPINFOW set;
            set.item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM;
            set.item.hItem = handle;
            set.item.pszText = text.data();
            set.item.cchTextMax = length + 1;
            set.item.lParam = node(slot).lParam;
            notify(TVN_SETDISPINFOW, set.hdr);
            if (!alive()) return;
            invalidateItem(slotOf(handle));
        } else {
            TVITEMEXW it;
            it.mask = TVIF_TEXT;
            it.hItem = handle;
            it.pszText = text.data();
            setItem(it, false);
        }
    }
    m_ending = false;
    if (hadFocus) SetFocus(m_hwnd);
}

}  // namespace orvane::platform
