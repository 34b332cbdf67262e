// The header's filter bar (HDS_FILTERBAR): a row under the items showing each item's filter,
// edited in place by one platform "Edit" window. Typing sends HDN_FILTERCHANGE once the
// filter-change timeout has passed without another key; Enter or the edit losing the focus
// keeps the text, Escape puts the filter back as it was. A date filter is edited as text in the
// form yyyy-mm-dd where Windows shows a date picker; text that is not a date leaves it as it was.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/comctl/HeaderControl.h"
#include "platform/user/Edit.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

std::u16string toText(int value) {
    const std::string s = std::to_string(value);
    return std::u16string(s.begin(), s.end());
}

}  // namespace

std::u16string HeaderControl::filterString(const Item& item) const {
    if (item.filterType & HDFT_HASNOVALUE) return u"";
    if ((item.filterType & ~HDFT_HASNOVALUE) == HDFT_ISNUMBER) return toText(item.filterNumber);
    if ((item.filterType & ~HDFT_HASNOVALUE) == HDFT_ISDATE) return DateToText(item.filterDate);
    return item.filterText;
}

bool HeaderControl::sameFilter(const Item& a, const Item& b) {
    return a.filterType == b.filterType && a.filterText == b.filterText &&
           a.filterNumber == b.filterNumber && a.filterDate == b.filterDate;
}

LRESULT HeaderControl::editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR ref) {
    const HWND header(static_cast<std::uint32_t>(ref));
    // Enter and Escape end the edit; their characters must not reach the edit (it would beep).
    if (msg == WM_CHAR && (wParam == u'\r' || wParam == 0x1B)) return 0;
    auto* self = reinterpret_cast<HeaderControl*>(GetWindowLongPtrW(header, 0));
    if (!self || self->m_editItem < 0) return DefSubclassProc(hwnd, msg, wParam, lParam);
    // The header's notifications may destroy it: hold it as its window procedure does.
    auto guarded = [self](auto&& f) {
        const ControlHold<HeaderControl> hold(self);
        f();
    };
    if (msg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        guarded([&] {
            self->endFilterEdit(wParam == VK_RETURN ? EditEnd::Commit : EditEnd::Discard,
                                FocusBack::Restore);
        });
        return 0;
    }
    if (msg == WM_KILLFOCUS) {
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        self = reinterpret_cast<HeaderControl*>(GetWindowLongPtrW(header, 0));
        if (self && self->m_editItem >= 0)
            guarded([&] { self->endFilterEdit(EditEnd::Commit, FocusBack::Leave); });
        return r;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT HeaderControl::beginFilterEdit(int index) {
    if (!(style() & HDS_FILTERBAR) || !valid(index)) return FALSE;
    if (m_editItem >= 0) {
        endFilterEdit(EditEnd::Commit, FocusBack::Leave);
        if (lifetime.dead || !valid(index)) return FALSE;
    }
    notifyItem(HDN_BEGINFILTEREDIT, index);
    if (lifetime.dead || !valid(index)) return FALSE;
    const ItemGeometry g = geometry(index);
    if (IsRectEmpty(&g.filter)) return FALSE;
    if (!m_edit) {
        m_edit =
            CreateWindowExW(0, WC_EDITW, u"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, m_hwnd,
                            HMENU(static_cast<std::uint32_t>(kFilterEditId)), HINSTANCE(), nullptr);
        if (!m_edit) return FALSE;
        SetWindowSubclass(m_edit, editProc, kFilterEditId, m_hwnd.value);
        SendMessageW(m_edit, WM_SETFONT, static_cast<WPARAM>(font().value), FALSE);
    }
    const Item& item = m_items[static_cast<std::size_t>(index)];
    const UINT base = item.filterType & ~HDFT_HASNOVALUE;
    const bool number = base == HDFT_ISNUMBER;
    const DWORD editStyle = static_cast<DWORD>(GetWindowLongW(m_edit, GWL_STYLE));
    SetWindowLongW(m_edit, GWL_STYLE,
                   static_cast<LONG>(number ? editStyle | ES_NUMBER : editStyle & ~ES_NUMBER));
    m_editItem = index;
    m_editBefore = item;
    m_settingEdit = true;
    SetWindowTextW(m_edit, filterString(item).c_str());
    m_settingEdit = false;
    SendMessageW(
        m_edit, EM_LIMITTEXT,
        base == HDFT_ISSTRING && item.filterMax > 0 ? static_cast<WPARAM>(item.filterMax - 1) : 0,
        0);
    // Inside the cell's frame.
    RECT r = g.filter;
    InflateRect(&r, -1, -1);
    SetWindowPos(m_edit, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_SHOWWINDOW);
    SendMessageW(m_edit, EM_SETSEL, 0, -1);
    m_focusBefore = GetFocus();
    SetFocus(m_edit);
    return TRUE;
}

void HeaderControl::endFilterEdit(EditEnd how, FocusBack focus) {
    if (m_editItem < 0) return;
    const int index = m_editItem;
    // First, so that the focus leaving the hidden edit does not end the edit again.
    m_editItem = -1;
    KillTimer(m_hwnd, kFilterTimer);
    bool changed = false;
    if (how == EditEnd::Commit) {
        changed = takeEditText(index);
    } else {
        Item& item = m_items[static_cast<std::size_t>(index)];
        changed = !sameFilter(item, m_editBefore);
        item.filterType = m_editBefore.filterType;
        item.filterText = m_editBefore.filterText;
        item.filterNumber = m_editBefore.filterNumber;
        item.filterDate = m_editBefore.filterDate;
    }
    if (focus == FocusBack::Restore && GetFocus() == m_edit)
        SetFocus(IsWindow(m_focusBefore) && m_focusBefore != m_edit ? m_focusBefore : HWND());
    ShowWindow(m_edit, SW_HIDE);
    InvalidateRect(m_hwnd, nullptr, FALSE);
    notifyItem(HDN_ENDFILTEREDIT, index);
    if (changed && !lifetime.dead && valid(index)) notifyItem(HDN_FILTERCHANGE, index);
}

bool HeaderControl::takeEditText(int index) {
    if (!m_edit || !valid(index)) return false;
    const int length = GetWindowTextLengthW(m_edit);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    GetWindowTextW(m_edit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    Item& item = m_items[static_cast<std::size_t>(index)];
    const Item before = item;
    const UINT base = item.filterType & ~HDFT_HASNOVALUE;
    if (base == HDFT_ISDATE && !text.empty()) {
        // Not a date: the filter keeps its value (Windows' date picker cannot hold one).
        SYSTEMTIME date{};
        if (!TextToDate(text, date)) return false;
        item.filterDate = date;
    } else if (base == HDFT_ISDATE) {
        item.filterDate = SYSTEMTIME{};
    } else if (base == HDFT_ISNUMBER) {
        const std::string narrow(text.begin(), text.end());
        item.filterNumber = text.empty() ? 0 : std::atoi(narrow.c_str());
    } else {
        item.filterText = text;
    }
    item.filterType = base | (text.empty() ? HDFT_HASNOVALUE : 0);
    const bool changed = !sameFilter(item, before);
    if (changed) InvalidateRect(m_hwnd, nullptr, FALSE);
    return changed;
}

void HeaderControl::filterTyped() {
    if (m_settingEdit || m_editItem < 0) return;
    // Each key starts the wait again; the change is told once typing pauses.
    SetTimer(m_hwnd, kFilterTimer, m_filterTimeout, nullptr);
}

void HeaderControl::filterTimer() {
    KillTimer(m_hwnd, kFilterTimer);
    if (m_editItem >= 0 && takeEditText(m_editItem)) notifyItem(HDN_FILTERCHANGE, m_editItem);
}

LRESULT HeaderControl::editFilter(int index, bool discard) {
    if (m_editItem >= 0) {
        endFilterEdit(discard ? EditEnd::Discard : EditEnd::Commit, FocusBack::Leave);
        if (lifetime.dead) return FALSE;
    }
    return beginFilterEdit(index);
}

LRESULT HeaderControl::clearFilter(int index) {
    if (index != -1 && !valid(index)) return FALSE;
    if (m_editItem >= 0 && (index == -1 || index == m_editItem)) {
        endFilterEdit(EditEnd::Discard, FocusBack::Restore);
        if (lifetime.dead || (index != -1 && !valid(index))) return FALSE;
    }
    for (int i = 0; i < count(); ++i) {
        if (index != -1 && i != index) continue;
        Item& item = m_items[static_cast<std::size_t>(i)];
        item.filterType |= HDFT_HASNOVALUE;
        item.filterText.clear();
        item.filterNumber = 0;
        item.filterDate = SYSTEMTIME{};
    }
    InvalidateRect(m_hwnd, nullptr, FALSE);
    notifyItem(HDN_FILTERCHANGE, index);
    return TRUE;
}

void HeaderControl::filterButtonClick(int index) {
    NMHDFILTERBTNCLICK nm;
    nm.iItem = index;
    nm.rc = geometry(index).filterButton;
    // TRUE: the parent changed the filter (from a menu of its own, say).
    if (notify(nm.hdr, HDN_FILTERBTNCLICK) && !lifetime.dead && valid(index))
        notifyItem(HDN_FILTERCHANGE, index);
}

}  // namespace orvane::platform
