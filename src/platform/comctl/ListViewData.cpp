// The list view's items: insertion, deletion, text and state, selection (per item, or as
// ranges in an owner-data list), search and sorting, with the notifications in Windows' order.
#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/base/LastError.h"
#include "platform/base/TextBuffer.h"
#include "platform/comctl/ListViewControl.h"
#include "platform/text/CharCase.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

constexpr UINT kStateBits = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_GLOW |
                            LVIS_ACTIVATING | LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;

std::u16string upper(std::u16string s) {
    CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

// A stable merge sort of `order` that stays within bounds whatever the comparison answers, so a
// callback that contradicts itself gives some order rather than a crash.
template <typename Less>
bool mergeSort(std::vector<int>& order, Less less) {
    std::vector<int> buffer(order.size());
    for (std::size_t width = 1; width < order.size(); width *= 2) {
        for (std::size_t lo = 0; lo < order.size(); lo += 2 * width) {
            const std::size_t mid = std::min(lo + width, order.size());
            const std::size_t hi = std::min(lo + 2 * width, order.size());
            std::size_t a = lo, b = mid, out = lo;
            while (a < mid && b < hi) {
                int answer = 0;
                if (!less(order[b], order[a], answer)) return false;
                buffer[out++] = answer < 0 ? order[b++] : order[a++];
            }
            while (a < mid)
                buffer[out++] = order[a++];
            while (b < hi)
                buffer[out++] = order[b++];
        }
        order.swap(buffer);
    }
    return true;
}

}  // namespace

void ListViewControl::shiftIndices(int at, int delta) {
    for (int* index : {&m_focus, &m_mark, &m_hot, &m_editItem, &m_pressItem}) {
        if (*index < at) continue;
        if (delta < 0 && *index < at - delta) {
            *index = -1;  // the item went
            continue;
        }
        *index += delta;
    }
    if (m_insertMark.iItem >= at) m_insertMark.iItem = std::max(-1, m_insertMark.iItem + delta);
    shiftMoved(at, delta);
}

int ListViewControl::insertItem(const LVITEMW& it) {
    if (it.iSubItem != 0) return -1;
    if (ownerData()) {
        // An owner-data list only counts: the parent keeps the item.
        const int at = std::clamp(it.iItem, 0, m_ownerCount);
        ++m_ownerCount;
        for (Range& r : m_selection) {
            if (r.from >= at) ++r.from;
            if (r.to > at) ++r.to;
        }
        shiftIndices(at, 1);
        notifyItem(LVN_INSERTITEM, at);
        invalidateLayout();
        return at;
    }
    Item item;
    if (it.mask & LVIF_TEXT) {
        if (it.pszText == LPSTR_TEXTCALLBACKW)
            item.textCallback = true;
        else if (it.pszText)
            item.text = it.pszText;
    }
    if (it.mask & LVIF_IMAGE) item.image = it.iImage;
    if (it.mask & LVIF_PARAM) item.lParam = it.lParam;
    if (it.mask & LVIF_INDENT) item.indent = it.iIndent;
    if (it.mask & LVIF_GROUPID) item.groupId = it.iGroupId;
    UINT state = (it.mask & LVIF_STATE) ? (it.state & it.stateMask & kStateBits) : 0;
    if (exStyle(LVS_EX_CHECKBOXES) && !(state & LVIS_STATEIMAGEMASK))
        state |= INDEXTOSTATEIMAGEMASK(1);
    item.state = state & ~(LVIS_FOCUSED | LVIS_SELECTED);

    int at = std::clamp(it.iItem, 0, count());
    const DWORD s = style();
    if ((s & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) && !item.textCallback) {
        // Sorted lists place the item by its text, after equal texts.
        const std::u16string key = upper(item.text);
        const bool down = (s & LVS_SORTDESCENDING) != 0;
        const auto pos = std::upper_bound(m_items.begin(), m_items.end(), key,
                                          [&](const std::u16string& k, const Item& other) {
                                              const std::u16string o = upper(other.text);
                                              return down ? o < k : k < o;
                                          });
        at = static_cast<int>(pos - m_items.begin());
    }
    m_items.insert(m_items.begin() + at, std::move(item));
    shiftIndices(at, 1);
    notifyItem(LVN_INSERTITEM, at);
    if (!validIndex(at)) return at;  // the parent took it away again
    if (state & (LVIS_FOCUSED | LVIS_SELECTED))
        setOneState(at, state & (LVIS_FOCUSED | LVIS_SELECTED), LVIS_FOCUSED | LVIS_SELECTED);
    invalidateLayout();
    return at;
}

bool ListViewControl::deleteItem(int i) {
    if (!validIndex(i)) return false;
    if (m_edit && m_editItem == i) endEdit(true);
    notifyItem(LVN_DELETEITEM, i);
    if (!validIndex(i)) return false;  // the parent changed the list meanwhile
    const bool hadFocus = m_focus == i;
    if (ownerData()) {
        selectRange(i, i + 1, false);
        for (Range& r : m_selection) {
            if (r.from > i) --r.from;
            if (r.to > i) --r.to;
        }
        --m_ownerCount;
    } else {
        if (m_items[static_cast<std::size_t>(i)].state & LVIS_SELECTED) --m_selectedCount;
        m_items.erase(m_items.begin() + i);
    }
    shiftIndices(i, -1);  // item i went; those after it move down
    // The focus passes to the item that takes the deleted one's place.
    if (hadFocus) m_focus = count() == 0 ? -1 : std::min(i, count() - 1);
    invalidateLayout();
    return true;
}

bool ListViewControl::deleteAll() {
    if (count() == 0) return true;
    if (m_edit) endEdit(true);
    // A parent answering TRUE does not want a notification per item.
    const bool perItem = notifyItem(LVN_DELETEALLITEMS, -1) == 0 && !ownerData();
    if (perItem) {
        for (int i = 0; i < count(); ++i)
            notifyItem(LVN_DELETEITEM, i);
    }
    m_items.clear();
    m_ownerCount = 0;
    m_selection.clear();
    m_selectedCount = 0;
    m_focus = m_mark = m_hot = m_editItem = m_pressItem = -1;
    m_moved.clear();
    m_xOrigin = m_yOrigin = 0;
    invalidateLayout();
    return true;
}

const std::u16string* ListViewControl::storedText(int item, int subItem) const {
    static const std::u16string kEmpty;
    if (!validIndex(item)) return &kEmpty;
    if (ownerData()) return nullptr;
    const Item& it = m_items[static_cast<std::size_t>(item)];
    if (subItem == 0) return it.textCallback ? nullptr : &it.text;
    const std::size_t s = static_cast<std::size_t>(subItem - 1);
    if (s >= it.subItems.size()) return &kEmpty;
    return it.subItems[s].textCallback ? nullptr : &it.subItems[s].text;
}

std::u16string ListViewControl::cellText(int item, int subItem) {
    if (const std::u16string* stored = storedText(item, subItem)) return *stored;
    // Ask the parent, with a buffer it may fill or replace with its own text.
    char16_t buffer[kLabelMax + 1] = {};
    NMLVDISPINFOW di;
    di.item.mask = LVIF_TEXT;
    di.item.iItem = item;
    di.item.iSubItem = subItem;
    di.item.pszText = buffer;
    di.item.cchTextMax = kLabelMax;
    if (!ownerData()) di.item.lParam = m_items[static_cast<std::size_t>(item)].lParam;
    notify(LVN_GETDISPINFOW, di.hdr);
    if (!di.item.pszText || di.item.pszText == LPSTR_TEXTCALLBACKW) return {};
    std::u16string text;
    if (di.item.pszText == buffer) {
        buffer[kLabelMax] = 0;
        text = buffer;
    } else {
        text = di.item.pszText;
    }
    if ((di.item.mask & LVIF_DI_SETITEM) && !ownerData() && validIndex(item)) {
        Item& it = m_items[static_cast<std::size_t>(item)];
        if (subItem == 0) {
            it.text = text;
            it.textCallback = false;
        } else if (static_cast<std::size_t>(subItem - 1) < it.subItems.size()) {
            it.subItems[static_cast<std::size_t>(subItem - 1)] =
                SubItem{text, false, it.subItems[static_cast<std::size_t>(subItem - 1)].image};
        }
    }
    return text;
}

int ListViewControl::cellImage(int item, int subItem) {
    if (!validIndex(item)) return I_IMAGENONE;
    int image = I_IMAGECALLBACK;
    if (!ownerData()) {
        const Item& it = m_items[static_cast<std::size_t>(item)];
        if (subItem == 0) {
            image = it.image;
        } else {
            const std::size_t s = static_cast<std::size_t>(subItem - 1);
            image = s < it.subItems.size() ? it.subItems[s].image : I_IMAGENONE;
        }
    }
    if (image != I_IMAGECALLBACK) return image;
    NMLVDISPINFOW di;
    di.item.mask = LVIF_IMAGE;
    di.item.iItem = item;
    di.item.iSubItem = subItem;
    di.item.iImage = I_IMAGENONE;
    if (!ownerData()) di.item.lParam = m_items[static_cast<std::size_t>(item)].lParam;
    notify(LVN_GETDISPINFOW, di.hdr);
    return di.item.iImage;
}

int ListViewControl::itemIndent(int item) {
    if (!validIndex(item)) return 0;
    if (!ownerData()) {
        const int indent = m_items[static_cast<std::size_t>(item)].indent;
        if (indent != I_INDENTCALLBACK) return indent;
    }
    NMLVDISPINFOW di;
    di.item.mask = LVIF_INDENT;
    di.item.iItem = item;
    notify(LVN_GETDISPINFOW, di.hdr);
    return std::max(0, di.item.iIndent);
}

bool ListViewControl::getItem(LVITEMW& it) {
    if (!validIndex(it.iItem)) return false;
    if (it.iSubItem < 0 || it.iSubItem >= std::max(1, columnCount())) return false;
    if (it.mask & LVIF_TEXT)
        CopyToBuffer(cellText(it.iItem, it.iSubItem), it.pszText, it.cchTextMax);
    if (it.mask & LVIF_IMAGE) it.iImage = cellImage(it.iItem, it.iSubItem);
    if (it.iSubItem != 0) return true;
    if (it.mask & LVIF_STATE) it.state = itemState(it.iItem, it.stateMask);
    if (!ownerData()) {
        const Item& item = m_items[static_cast<std::size_t>(it.iItem)];
        if (it.mask & LVIF_PARAM) it.lParam = item.lParam;
        if (it.mask & LVIF_GROUPID) it.iGroupId = item.groupId;
    }
    if (it.mask & LVIF_INDENT) it.iIndent = itemIndent(it.iItem);
    return true;
}

bool ListViewControl::setItem(const LVITEMW& it) {
    if (!validIndex(it.iItem)) return false;
    if (it.iSubItem < 0 || it.iSubItem >= std::max(1, columnCount())) return false;
    if (ownerData()) {
        // The parent keeps everything but the state.
        if (it.mask & ~LVIF_STATE) return false;
        return setOneState(it.iItem, it.state, it.stateMask);
    }
    const int i = it.iItem;
    if (it.iSubItem > 0) {
        Item& item = m_items[static_cast<std::size_t>(i)];
        const std::size_t s = static_cast<std::size_t>(it.iSubItem - 1);
        if (item.subItems.size() <= s) {
            // Room for every column's cell at once, as rows are usually filled across.
            item.subItems.reserve(static_cast<std::size_t>(columnCount() - 1));
            item.subItems.resize(s + 1);
        }
        SubItem& sub = item.subItems[s];
        if (it.mask & LVIF_TEXT) {
            sub.textCallback = it.pszText == LPSTR_TEXTCALLBACKW;
            if (sub.textCallback || !it.pszText)
                sub.text.clear();
            else
                sub.text = it.pszText;
        }
        if (it.mask & LVIF_IMAGE) sub.image = it.iImage;
        invalidateItem(i);
        return true;
    }
    UINT fields = it.mask & (LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT | LVIF_GROUPID);
    if (fields) {
        if (!changing(i, 0, 0, fields)) return false;
        if (!validIndex(i)) return false;
        Item& item = m_items[static_cast<std::size_t>(i)];
        if (it.mask & LVIF_TEXT) {
            item.textCallback = it.pszText == LPSTR_TEXTCALLBACKW;
            item.text =
                item.textCallback || !it.pszText ? std::u16string() : std::u16string(it.pszText);
        }
        if (it.mask & LVIF_IMAGE) item.image = it.iImage;
        if (it.mask & LVIF_PARAM) item.lParam = it.lParam;
        if (it.mask & LVIF_INDENT) item.indent = it.iIndent;
        if (it.mask & LVIF_GROUPID) {
            item.groupId = it.iGroupId;
            m_groupBlocksValid = false;
        }
        changed(i, 0, 0, fields);
        invalidateLayout();
    }
    if ((it.mask & LVIF_STATE) && validIndex(i)) return setOneState(i, it.state, it.stateMask);
    return true;
}

int ListViewControl::getItemText(int i, LVITEMW& it) {
    if (!validIndex(i) || it.iSubItem < 0 || it.iSubItem >= std::max(1, columnCount())) {
        if (it.pszText && it.cchTextMax > 0) it.pszText[0] = 0;
        return 0;
    }
    // A text the list keeps is copied straight from where it is kept.
    if (const std::u16string* stored = storedText(i, it.iSubItem))
        return CopyToBuffer(*stored, it.pszText, it.cchTextMax);
    return CopyToBuffer(cellText(i, it.iSubItem), it.pszText, it.cchTextMax);
}

bool ListViewControl::setItemText(int i, const LVITEMW& it) {
    LVITEMW copy = it;
    copy.iItem = i;
    copy.mask = LVIF_TEXT;
    return setItem(copy);
}

bool ListViewControl::rangeSelected(int i) const {
    const auto pos = std::upper_bound(m_selection.begin(), m_selection.end(), i,
                                      [](int v, const Range& r) { return v < r.from; });
    return pos != m_selection.begin() && i < std::prev(pos)->to;
}

void ListViewControl::selectRange(int from, int to, bool select) {
    if (from >= to) return;
    std::vector<Range> out;
    out.reserve(m_selection.size() + 1);
    for (const Range& r : m_selection) {
        if (r.to <= from || r.from >= to) {
            out.push_back(r);
            continue;
        }
        if (r.from < from) out.push_back(Range{r.from, from});
        if (r.to > to) out.push_back(Range{to, r.to});
    }
    if (select) out.push_back(Range{from, to});
    std::sort(out.begin(), out.end(),
              [](const Range& a, const Range& b) { return a.from < b.from; });
    // Join neighbours.
    m_selection.clear();
    for (const Range& r : out) {
        if (!m_selection.empty() && m_selection.back().to >= r.from)
            m_selection.back().to = std::max(m_selection.back().to, r.to);
        else
            m_selection.push_back(r);
    }
}

bool ListViewControl::isSelected(int i) const {
    if (!validIndex(i)) return false;
    return ownerData() ? rangeSelected(i)
                       : (m_items[static_cast<std::size_t>(i)].state & LVIS_SELECTED) != 0;
}

UINT ListViewControl::itemState(int i, UINT mask) const {
    if (!validIndex(i)) return 0;
    UINT state = ownerData() ? (rangeSelected(i) ? LVIS_SELECTED : 0)
                             : m_items[static_cast<std::size_t>(i)].state;
    if (i == m_focus) state |= LVIS_FOCUSED;
    if (ownerData() && exStyle(LVS_EX_CHECKBOXES)) state |= INDEXTOSTATEIMAGEMASK(1);
    return state & mask;
}

bool ListViewControl::setOneState(int i, UINT state, UINT mask) {
    if (!validIndex(i)) return false;
    mask &= kStateBits;
    const UINT old = itemState(i, kStateBits);
    const UINT wanted = (old & ~mask) | (state & mask);
    if (wanted == old) return true;
    if (!changing(i, old, wanted, LVIF_STATE)) return false;
    if (!validIndex(i)) return false;
    // One selected item at most in a single-selection list.
    if ((wanted & LVIS_SELECTED) && !(old & LVIS_SELECTED) && singleSelect()) {
        for (int other = nextItem(-1, LVNI_SELECTED); other >= 0;
             other = nextItem(other, LVNI_SELECTED)) {
            if (other != i) setOneState(other, 0, LVIS_SELECTED);
        }
        if (!validIndex(i)) return false;
    }
    // One focused item: the old one loses the focus first.
    if ((wanted & LVIS_FOCUSED) && m_focus != i && validIndex(m_focus)) {
        const int previous = m_focus;
        setOneState(previous, 0, LVIS_FOCUSED);
        if (!validIndex(i)) return false;
    }
    if (ownerData()) {
        if ((wanted ^ old) & LVIS_SELECTED) selectRange(i, i + 1, (wanted & LVIS_SELECTED) != 0);
    } else {
        Item& item = m_items[static_cast<std::size_t>(i)];
        if ((wanted ^ item.state) & LVIS_SELECTED)
            m_selectedCount += (wanted & LVIS_SELECTED) ? 1 : -1;
        item.state = wanted & ~LVIS_FOCUSED;
    }
    if (wanted & LVIS_FOCUSED)
        m_focus = i;
    else if (m_focus == i)
        m_focus = -1;
    const RECT r = itemRect(i, LVIR_BOUNDS);
    InvalidateRect(m_hwnd, &r, FALSE);
    changed(i, old, wanted, LVIF_STATE);
    return true;
}

bool ListViewControl::setItemState(int i, UINT state, UINT mask) {
    if (i != -1) return setOneState(i, state, mask);
    // Every item: an owner-data list changes its ranges and says so once, with item -1.
    if (ownerData()) {
        UINT old = 0;
        if (mask & LVIS_SELECTED) {
            if (state & LVIS_SELECTED) {
                if (singleSelect()) return false;
                m_selection.assign(1, Range{0, count()});
            } else {
                old = m_selection.empty() ? 0 : LVIS_SELECTED;
                m_selection.clear();
            }
        }
        if ((mask & LVIS_FOCUSED) && !(state & LVIS_FOCUSED)) m_focus = -1;
        InvalidateRect(m_hwnd, nullptr, FALSE);
        changed(-1, old, state & mask, LVIF_STATE);
        return true;
    }
    if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED) && singleSelect()) return false;
    bool all = true;
    for (int k = 0; k < count(); ++k)
        all = setOneState(k, state, mask) && all;
    return all;
}

int ListViewControl::selectedCount() const {
    if (!ownerData()) return m_selectedCount;
    int n = 0;
    for (const Range& r : m_selection)
        n += r.to - r.from;
    return n;
}

int ListViewControl::nextItem(int start, UINT flags) {
    const UINT wanted = flags & LVNI_STATEMASK;
    const UINT direction = flags & LVNI_DIRECTIONMASK;
    const int n = count();
    if (direction) {
        // A geometric neighbour, stepping on until the state matches.
        if (!validIndex(start)) return -1;
        UINT vk = VK_DOWN;
        if (direction & LVNI_ABOVE) vk = VK_UP;
        if (direction & LVNI_TOLEFT) vk = VK_LEFT;
        if (direction & LVNI_TORIGHT) vk = VK_RIGHT;
        for (int i = start;;) {
            const int next = keyTargetFrom(i, vk);
            if (next == i || next < 0) return -1;
            i = next;
            if ((itemState(i, wanted) & wanted) == wanted) return i;
        }
    }
    if (flags & LVNI_PREVIOUS) {
        for (int i = std::min(start, n) - 1; i >= 0; --i)
            if ((itemState(i, wanted) & wanted) == wanted) return i;
        return -1;
    }
    int from = std::max(start + 1, 0);
    if (wanted == LVNI_FOCUSED) return m_focus >= from ? m_focus : -1;
    if (wanted == LVNI_SELECTED && ownerData()) {
        for (const Range& r : m_selection)
            if (r.to > from) return std::max(r.from, from);
        return -1;
    }
    if (wanted == LVNI_SELECTED && m_selectedCount == 0) return -1;
    for (int i = from; i < n; ++i)
        if ((itemState(i, wanted) & wanted) == wanted) return i;
    return -1;
}

int ListViewControl::findItem(int start, const LVFINDINFOW& fi) {
    if (fi.flags & LVFI_NEARESTXY) {
        ReportUnsupported("LVM_FINDITEMW", "LVFI_NEARESTXY");
        return -1;
    }
    if (ownerData()) {
        NMLVFINDITEMW nm;
        nm.iStart = start < 0 ? 0 : start + 1;
        nm.lvfi = fi;
        const auto found = static_cast<int>(notify(LVN_ODFINDITEMW, nm.hdr));
        return validIndex(found) ? found : -1;
    }
    const int n = count();
    if (n == 0) return -1;
    const bool partial = (fi.flags & (LVFI_PARTIAL | LVFI_SUBSTRING)) != 0;
    const std::u16string wanted = (fi.flags & LVFI_STRING) && fi.psz ? upper(fi.psz) : u"";
    auto matches = [&](int i) {
        if (fi.flags & LVFI_PARAM) return m_items[static_cast<std::size_t>(i)].lParam == fi.lParam;
        if (!(fi.flags & LVFI_STRING) || !fi.psz) return false;
        const std::u16string text = upper(cellText(i, 0));
        return partial ? text.compare(0, wanted.size(), wanted) == 0 : text == wanted;
    };
    const int first = std::clamp(start + 1, 0, n);
    for (int i = first; i < n; ++i)
        if (validIndex(i) && matches(i)) return i;
    if (fi.flags & LVFI_WRAP)
        for (int i = 0; i < std::min(first, count()); ++i)
            if (matches(i)) return i;
    return -1;
}

bool ListViewControl::sortItems(PFNLVCOMPARE compare, LPARAM param, bool byIndex) {
    if (!compare || ownerData()) return false;
    if (m_edit) endEdit(true);
    const int n = count();
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        order[static_cast<std::size_t>(i)] = i;
    // Items stay where they are while the callback runs, so the indices it is given (or the
    // data of LVM_SORTITEMS) always name the items it reads. A callback that changes the
    // number of items stops the sort.
    // (The items' own count is checked: an owner-data list never gets here, and asking the
    // window's style on each of some n log n comparisons would cost more than comparing.)
    const auto held = static_cast<std::size_t>(n);
    const bool done = mergeSort(order, [&](int a, int b, int& answer) {
        if (m_items.size() != held) return false;
        const LPARAM x = byIndex ? a : m_items[static_cast<std::size_t>(a)].lParam;
        const LPARAM y = byIndex ? b : m_items[static_cast<std::size_t>(b)].lParam;
        answer = compare(x, y, param);
        return m_items.size() == held;
    });
    if (!done) return false;
    std::vector<Item> sorted;
    sorted.reserve(m_items.size());
    std::vector<int> where(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        const int from = order[static_cast<std::size_t>(k)];
        where[static_cast<std::size_t>(from)] = k;
        sorted.push_back(std::move(m_items[static_cast<std::size_t>(from)]));
    }
    m_items.swap(sorted);
    for (int* index : {&m_focus, &m_mark, &m_hot})
        if (validIndex(*index)) *index = where[static_cast<std::size_t>(*index)];
    // Moved items keep their places under their new indices.
    std::map<int, POINT> moved;
    for (const auto& [index, place] : m_moved)
        moved.emplace(where[static_cast<std::size_t>(index)], place);
    m_moved.swap(moved);
    invalidateLayout();
    return true;
}

bool ListViewControl::setItemCount(int n, LPARAM flags) {
    if (n < 0) return false;
    if (!ownerData()) {
        m_items.reserve(static_cast<std::size_t>(n));
        return true;
    }
    if (m_edit) endEdit(true);
    m_ownerCount = n;
    selectRange(n, std::numeric_limits<int>::max(), false);
    for (int* index : {&m_focus, &m_mark, &m_hot, &m_pressItem})
        if (*index >= n) *index = -1;
    m_moved.erase(m_moved.lower_bound(n), m_moved.end());
    m_groupBlocksValid = false;
    m_scrollBarsValid = false;
    if (!(flags & LVSICF_NOINVALIDATEALL)) InvalidateRect(m_hwnd, nullptr, FALSE);
    updateScrollBars();
    return true;
}

}  // namespace orvane::platform
