// The list view's columns, header filters, items and groups: each a thin call of the list or
// header message named after it. Without a window, or for an index the list refuses, they
// return False, -1, 0 or an empty text and change nothing.
#include <algorithm>
#include <iterator>
#include <memory>

#include "controls/edit/ucListView.h"

namespace orvane {

using namespace platform;

namespace {

constexpr int kTextMax = 1024;

int alignToFormat(std::int32_t align) {
    // caLeft 0, caRight 1, caCenter 2: the list's own numbering.
    return align == 1 ? LVCFMT_RIGHT : align == 2 ? LVCFMT_CENTER : LVCFMT_LEFT;
}

UINT groupAlign(std::int32_t align, bool footer) {
    // aLeft 0, aCenter 1, aRight 2.
    const UINT left = footer ? LVGA_FOOTER_LEFT : LVGA_HEADER_LEFT;
    const UINT center = footer ? LVGA_FOOTER_CENTER : LVGA_HEADER_CENTER;
    const UINT right = footer ? LVGA_FOOTER_RIGHT : LVGA_HEADER_RIGHT;
    return align == 1 ? center : align == 2 ? right : left;
}

std::int32_t alignOfGroup(UINT align, bool footer) {
    const UINT center = footer ? LVGA_FOOTER_CENTER : LVGA_HEADER_CENTER;
    const UINT right = footer ? LVGA_FOOTER_RIGHT : LVGA_HEADER_RIGHT;
    return (align & center) ? 1 : (align & right) ? 2 : 0;
}

}  // namespace

// --- Columns ---

std::int32_t ucListView::ColumnAdd(std::int32_t column, const std::u16string& text, double width,
                                   std::int32_t align, std::int32_t icon) {
    if (!m_list || column < 0) return -1;
    LVCOLUMNW col;
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    std::u16string caption = text;
    col.pszText = caption.data();
    col.cx = std::max(0, toPixelsX(width));
    col.fmt = alignToFormat(align);
    if (icon >= 0) {
        col.mask |= LVCF_IMAGE;
        col.iImage = icon;
        col.fmt |= LVCFMT_IMAGE;
        if (m_columnIconOnRight) col.fmt |= LVCFMT_BITMAP_ON_RIGHT;
    }
    const auto at = static_cast<std::int32_t>(
        send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col)));
    if (at >= 0 && icon >= 0) ColumnIcon(at, icon);
    return at;
}

bool ucListView::ColumnRemove(std::int32_t column) {
    return send(LVM_DELETECOLUMN, static_cast<WPARAM>(column)) != 0;
}

bool ucListView::ColumnAutosize(std::int32_t column, std::int32_t type) {
    if (type != LVSCW_AUTOSIZE && type != LVSCW_AUTOSIZE_USEHEADER) return false;
    return send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                static_cast<LPARAM>(static_cast<WORD>(static_cast<std::int16_t>(type)))) != 0;
}

void ucListView::ColumnSetFocus(std::int32_t column) {
    send(LVM_SETSELECTEDCOLUMN, static_cast<WPARAM>(column));
}

std::int32_t ucListView::ColumnCount() const {
    return static_cast<std::int32_t>(sendHeader(HDM_GETITEMCOUNT));
}

bool ucListView::getColumn(std::int32_t column, LVCOLUMNW& col) const {
    return send(LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col)) != 0;
}

double ucListView::ColumnWidth(std::int32_t column) const {
    return toUnitsX(static_cast<double>(send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))));
}

void ucListView::ColumnWidth(std::int32_t column, double width) {
    const int px = std::clamp(toPixelsX(width), 0, 0x7FFF);
    send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), static_cast<LPARAM>(px));
}

std::u16string ucListView::ColumnText(std::int32_t column) const {
    char16_t buffer[kTextMax] = {};
    LVCOLUMNW col;
    col.mask = LVCF_TEXT;
    col.pszText = buffer;
    col.cchTextMax = kTextMax;
    return getColumn(column, col) ? std::u16string(buffer) : std::u16string();
}

void ucListView::ColumnText(std::int32_t column, const std::u16string& text) {
    LVCOLUMNW col;
    col.mask = LVCF_TEXT;
    std::u16string caption = text;
    col.pszText = caption.data();
    send(LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col));
}

int ucListView::columnFormat(std::int32_t column) const {
    LVCOLUMNW col;
    col.mask = LVCF_FMT;
    return getColumn(column, col) ? col.fmt : 0;
}

void ucListView::setColumnFormat(std::int32_t column, int format, int mask) {
    LVCOLUMNW col;
    col.mask = LVCF_FMT;
    if (!getColumn(column, col)) return;
    col.fmt = (col.fmt & ~mask) | (format & mask);
    send(LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col));
}

std::int32_t ucListView::ColumnAlign(std::int32_t column) const {
    const int align = columnFormat(column) & LVCFMT_JUSTIFYMASK;
    return align == LVCFMT_RIGHT ? 1 : align == LVCFMT_CENTER ? 2 : 0;
}

void ucListView::ColumnAlign(std::int32_t column, std::int32_t align) {
    setColumnFormat(column, alignToFormat(align), LVCFMT_JUSTIFYMASK);
}

bool ucListView::ColumnDropDown(std::int32_t column) const {
    return (columnFormat(column) & LVCFMT_SPLITBUTTON) != 0;
}

void ucListView::ColumnDropDown(std::int32_t column, bool on) {
    setColumnFormat(column, on ? LVCFMT_SPLITBUTTON : 0, LVCFMT_SPLITBUTTON);
}

bool ucListView::ColumnCheckStyle(std::int32_t column) const {
    return (columnFormat(column) & HDF_CHECKBOX) != 0;
}

void ucListView::ColumnCheckStyle(std::int32_t column, bool on) {
    setColumnFormat(column, on ? HDF_CHECKBOX : 0, HDF_CHECKBOX);
}

bool ucListView::ColumnCheckValue(std::int32_t column) const {
    return (columnFormat(column) & HDF_CHECKED) != 0;
}

void ucListView::ColumnCheckValue(std::int32_t column, bool on) {
    setColumnFormat(column, on ? HDF_CHECKED : 0, HDF_CHECKED);
}

bool ucListView::getHeaderItem(std::int32_t column, HDITEMW& item) const {
    return sendHeader(HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)) !=
           0;
}

bool ucListView::setHeaderItem(std::int32_t column, HDITEMW& item) {
    return sendHeader(HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)) !=
           0;
}

std::int32_t ucListView::ColumnIcon(std::int32_t column) const {
    LVCOLUMNW col;
    col.mask = LVCF_IMAGE | LVCF_FMT;
    if (!getColumn(column, col) || !(col.fmt & LVCFMT_IMAGE)) return -1;
    return col.iImage;
}

void ucListView::ColumnIcon(std::int32_t column, std::int32_t icon) {
    HDITEMW item;
    item.mask = HDI_FORMAT;
    if (!getHeaderItem(column, item)) return;
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.fmt = icon >= 0 ? (item.fmt | HDF_IMAGE) : (item.fmt & ~HDF_IMAGE);
    if (m_columnIconOnRight && icon >= 0) item.fmt |= HDF_BITMAP_ON_RIGHT;
    item.iImage = icon;
    setHeaderItem(column, item);
    // The list's own record follows, so LVM_GETCOLUMNW reads it back.
    LVCOLUMNW col;
    col.mask = LVCF_IMAGE | LVCF_FMT;
    if (!getColumn(column, col)) return;
    col.iImage = icon;
    col.fmt = icon >= 0 ? (col.fmt | LVCFMT_IMAGE) : (col.fmt & ~LVCFMT_IMAGE);
    send(LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col));
}

std::int32_t ucListView::ColumnOrder(std::int32_t column) const {
    HDITEMW item;
    item.mask = HDI_FORMAT;
    if (!getHeaderItem(column, item)) return soDefault;
    if (item.fmt & HDF_SORTUP) return soAscending;
    if (item.fmt & HDF_SORTDOWN) return soDescending;
    return soDefault;
}

void ucListView::ColumnOrder(std::int32_t column, std::int32_t order) {
    HDITEMW item;
    item.mask = HDI_FORMAT;
    if (!getHeaderItem(column, item)) return;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (order == soAscending) item.fmt |= HDF_SORTUP;
    if (order == soDescending) item.fmt |= HDF_SORTDOWN;
    setHeaderItem(column, item);
}

bool ucListView::ColumnCheckBoxes() const {
    const HWND header = hWndHeader();
    return header && (GetWindowLongW(header, GWL_STYLE) & HDS_CHECKBOXES) != 0;
}

void ucListView::ColumnCheckBoxes(bool on) {
    applyHeaderStyle(HDS_CHECKBOXES, on);
}

// --- Header filters ---

bool ucListView::ColumnFilters() const {
    const HWND header = hWndHeader();
    return header && (GetWindowLongW(header, GWL_STYLE) & HDS_FILTERBAR) != 0;
}

void ucListView::ColumnFilters(bool on) {
    applyHeaderStyle(HDS_FILTERBAR, on);
}

std::int32_t ucListView::ColumnFilterType(std::int32_t column) const {
    HDITEMW item;
    item.mask = HDI_FILTER;
    item.type = HDFT_HASNOVALUE;
    if (!getHeaderItem(column, item) || (item.type & HDFT_HASNOVALUE)) return ftNoFilter;
    switch (item.type & 0xF) {
        case HDFT_ISNUMBER:
            return ftNumeric;
        case HDFT_ISDATE:
            return ftDate;
        default:
            return ftString;
    }
}

void ucListView::ColumnFilterType(std::int32_t column, std::int32_t type) {
    HDITEMW item;
    item.mask = HDI_FILTER;
    char16_t buffer[kTextMax] = {};
    HDTEXTFILTERW text{buffer, kTextMax};
    int number = 0;
    SYSTEMTIME date{};
    switch (type) {
        case ftString:
            item.type = HDFT_ISSTRING;
            item.pvFilter = &text;
            break;
        case ftNumeric:
            item.type = HDFT_ISNUMBER;
            item.pvFilter = &number;
            break;
        case ftDate:
            item.type = HDFT_ISDATE;
            item.pvFilter = &date;
            break;
        default:
            item.type = HDFT_ISSTRING | HDFT_HASNOVALUE;
            item.pvFilter = &text;
            break;
    }
    setHeaderItem(column, item);
}

std::u16string ucListView::ColumnFilterText(std::int32_t column) const {
    HDITEMW item;
    item.mask = HDI_FILTER;
    char16_t buffer[kTextMax] = {};
    HDTEXTFILTERW text{buffer, kTextMax};
    int number = 0;
    item.type = HDFT_ISSTRING;
    item.pvFilter = &text;
    if (!getHeaderItem(column, item)) return {};
    if ((item.type & 0xF) == HDFT_ISNUMBER) {
        // A number filter reads into an int.
        item.type = HDFT_ISNUMBER;
        item.pvFilter = &number;
        if (!getHeaderItem(column, item) || (item.type & HDFT_HASNOVALUE)) return {};
        return CStr(Variant(static_cast<std::int32_t>(number)));
    }
    if ((item.type & 0xF) == HDFT_ISDATE) {
        // A date filter reads into a SYSTEMTIME, given as yyyy-mm-dd as the header shows it.
        SYSTEMTIME date{};
        item.type = HDFT_ISDATE;
        item.pvFilter = &date;
        if (!getHeaderItem(column, item) || (item.type & HDFT_HASNOVALUE)) return {};
        return DateToText(date);
    }
    return (item.type & HDFT_HASNOVALUE) ? std::u16string() : std::u16string(buffer);
}

void ucListView::ColumnFilterText(std::int32_t column, const std::u16string& value) {
    HDITEMW item;
    item.mask = HDI_FILTER;
    std::u16string copy = value;
    HDTEXTFILTERW text{copy.data(), static_cast<INT>(copy.size() + 1)};
    int number = 0;
    SYSTEMTIME date{};
    HDITEMW now;
    now.mask = HDI_FILTER;
    // A date column stays one when emptied (its type keeps HDFT_ISDATE under HDFT_HASNOVALUE).
    if (getHeaderItem(column, now) && (now.type & 0xF) == HDFT_ISDATE) {
        if (!value.empty() && !TextToDate(value, date)) return;  // not a date: the filter stays
        item.type = HDFT_ISDATE;
        item.pvFilter = &date;
    } else if (ColumnFilterType(column) == ftNumeric) {
        try {
            number = CLng(Variant(value));
        } catch (const Error&) {
            return;  // not a number: the filter stays
        }
        item.type = HDFT_ISNUMBER;
        item.pvFilter = &number;
    } else {
        item.type = HDFT_ISSTRING;
        item.pvFilter = &text;
    }
    if (value.empty()) item.type |= HDFT_HASNOVALUE;
    setHeaderItem(column, item);
}

void ucListView::ColumnFilterSetMaxLength(std::int32_t column, std::int32_t maxLength) {
    HDITEMW item;
    item.mask = HDI_FILTER;
    std::u16string current = ColumnFilterText(column);
    current.resize(
        std::min<std::size_t>(current.size(), static_cast<std::size_t>(std::max(0, maxLength))));
    HDTEXTFILTERW text{current.data(), std::max(1, maxLength + 1)};
    item.type = HDFT_ISSTRING | (current.empty() ? HDFT_HASNOVALUE : 0);
    item.pvFilter = &text;
    setHeaderItem(column, item);
}

void ucListView::ColumnFilterSetTimeOut(std::int32_t ms) {
    sendHeader(HDM_SETFILTERCHANGETIMEOUT, 0, ms);
}

// --- Items ---

std::int32_t ucListView::ItemAdd(std::int32_t item, const std::u16string& text, std::int32_t indent,
                                 std::int32_t icon) {
    if (!m_list) return -1;
    LVITEMW it;
    it.mask = LVIF_TEXT | LVIF_INDENT | LVIF_IMAGE;
    std::u16string caption = text;
    it.iItem = std::max(0, item);
    it.pszText = caption.data();
    it.iIndent = std::max(0, indent);
    it.iImage = icon;
    return static_cast<std::int32_t>(send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
}

bool ucListView::ItemRemove(std::int32_t item) {
    return send(LVM_DELETEITEM, static_cast<WPARAM>(item)) != 0;
}

void ucListView::Clear() {
    send(LVM_DELETEALLITEMS);
}

std::int32_t ucListView::Count() const {
    return static_cast<std::int32_t>(send(LVM_GETITEMCOUNT));
}

void ucListView::Items(std::int32_t count) {
    if (count < 0) return;
    send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}

std::u16string ucListView::SubItemText(std::int32_t item, std::int32_t subItem) const {
    if (!m_list || item < 0) return {};
    // Most texts fit a small buffer on the stack; one that fills it is read again, larger.
    char16_t small[256];
    std::unique_ptr<char16_t[]> large;
    for (int size = static_cast<int>(std::size(small));; size *= 8) {
        char16_t* buffer = small;
        if (size > static_cast<int>(std::size(small))) {
            large.reset(new char16_t[static_cast<std::size_t>(size)]);
            buffer = large.get();
        }
        LVITEMW it;
        it.iSubItem = subItem;
        it.pszText = buffer;
        it.cchTextMax = size;
        const int n = std::max(0, static_cast<int>(send(LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                                                        reinterpret_cast<LPARAM>(&it))));
        if (n < size - 1 || size >= (1 << 24))
            return std::u16string(buffer, static_cast<std::size_t>(n));
    }
}

void ucListView::SubItemText(std::int32_t item, std::int32_t subItem, const std::u16string& text) {
    if (item < 0) return;
    LVITEMW it;
    it.iSubItem = subItem;
    std::u16string copy = text;
    it.pszText = copy.data();
    send(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}

std::int32_t ucListView::SubItemIcon(std::int32_t item, std::int32_t subItem) const {
    LVITEMW it;
    it.mask = LVIF_IMAGE;
    it.iItem = item;
    it.iSubItem = subItem;
    it.iImage = -1;
    if (item < 0 || !send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it))) return -1;
    return it.iImage;
}

void ucListView::SubItemIcon(std::int32_t item, std::int32_t subItem, std::int32_t icon) {
    if (item < 0) return;
    LVITEMW it;
    it.mask = LVIF_IMAGE;
    it.iItem = item;
    it.iSubItem = subItem;
    it.iImage = icon;
    send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

std::int32_t ucListView::ItemIndent(std::int32_t item) const {
    LVITEMW it;
    it.mask = LVIF_INDENT;
    it.iItem = item;
    if (item < 0 || !send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it))) return 0;
    return it.iIndent;
}

void ucListView::ItemIndent(std::int32_t item, std::int32_t indent) {
    if (item < 0) return;
    LVITEMW it;
    it.mask = LVIF_INDENT;
    it.iItem = item;
    it.iIndent = std::max(0, indent);
    send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

std::int32_t ucListView::ItemGroup(std::int32_t item) const {
    LVITEMW it;
    it.mask = LVIF_GROUPID;
    it.iItem = item;
    if (item < 0 || !send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it))) return -1;
    return it.iGroupId;
}

void ucListView::ItemGroup(std::int32_t item, std::int32_t group) {
    if (item < 0) return;
    LVITEMW it;
    it.mask = LVIF_GROUPID;
    it.iItem = item;
    it.iGroupId = group;
    send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

bool ucListView::SubItemSet(std::int32_t item, std::int32_t subItem, const std::u16string& text,
                            std::int32_t icon) {
    if (item < 0) return false;
    LVITEMW it;
    it.mask = LVIF_TEXT;
    it.iItem = item;
    it.iSubItem = subItem;
    std::u16string copy = text;
    it.pszText = copy.data();
    if (icon >= 0) {
        it.mask |= LVIF_IMAGE;
        it.iImage = icon;
    }
    return send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it)) != 0;
}

bool ucListView::state(std::int32_t item, UINT mask) const {
    if (item < 0) return false;
    return (static_cast<UINT>(send(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask)) & mask) != 0;
}

void ucListView::setState(std::int32_t item, UINT mask, bool on) {
    if (item < 0 && item != -1) return;
    LVITEMW it;
    it.stateMask = mask;
    it.state = on ? mask : 0;
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}

bool ucListView::ItemSelected(std::int32_t item) const {
    return state(item, LVIS_SELECTED);
}

void ucListView::ItemSelected(std::int32_t item, bool on) {
    if (item >= 0) setState(item, LVIS_SELECTED, on);
}

bool ucListView::ItemFocused(std::int32_t item) const {
    return state(item, LVIS_FOCUSED);
}

void ucListView::ItemFocused(std::int32_t item, bool on) {
    if (item >= 0) setState(item, LVIS_FOCUSED, on);
}

bool ucListView::ItemChecked(std::int32_t item) const {
    // Checked is state image 2.
    if (item < 0) return false;
    return (static_cast<UINT>(
                send(LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_STATEIMAGEMASK)) >>
            12) == 2;
}

void ucListView::ItemChecked(std::int32_t item, bool on) {
    if (item < 0) return;
    LVITEMW it;
    it.stateMask = LVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}

bool ucListView::ItemGhosted(std::int32_t item) const {
    return state(item, LVIS_CUT);
}

void ucListView::ItemGhosted(std::int32_t item, bool on) {
    if (item >= 0) setState(item, LVIS_CUT, on);
}

bool ucListView::DropHighlight(std::int32_t item) const {
    return state(item, LVIS_DROPHILITED);
}

void ucListView::DropHighlight(std::int32_t item, bool on) {
    if (item >= 0) setState(item, LVIS_DROPHILITED, on);
}

void ucListView::SelectAll() {
    if (m_multiSelect) setState(-1, LVIS_SELECTED, true);
}

void ucListView::DeSelectAll() {
    setState(-1, LVIS_SELECTED, false);
}

std::int32_t ucListView::SelectedCount() const {
    return static_cast<std::int32_t>(send(LVM_GETSELECTEDCOUNT));
}

std::int32_t ucListView::GetSelectedItem() const {
    return m_list ? static_cast<std::int32_t>(
                        send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED))
                  : -1;
}

std::int32_t ucListView::GetSelectedNexItem(std::int32_t previous) const {
    return m_list ? static_cast<std::int32_t>(
                        send(LVM_GETNEXTITEM, static_cast<WPARAM>(previous), LVNI_SELECTED))
                  : -1;
}

std::int32_t ucListView::ItemFindState(std::int32_t start, std::int32_t stateMask) const {
    // sFocused 1, sSelected 2, sGhosted 4: the list's own bits.
    UINT flags = 0;
    if (stateMask & 1) flags |= LVNI_FOCUSED;
    if (stateMask & 2) flags |= LVNI_SELECTED;
    if (stateMask & 4) flags |= LVNI_CUT;
    return m_list
               ? static_cast<std::int32_t>(send(LVM_GETNEXTITEM, static_cast<WPARAM>(start), flags))
               : -1;
}

std::int32_t ucListView::ItemFindText(const std::u16string& text, std::int32_t start,
                                      std::int32_t coincidence, bool wrap) const {
    if (!m_list) return -1;
    LVFINDINFOW fi;
    fi.flags = LVFI_STRING | (coincidence == 8 ? LVFI_PARTIAL : 0) | (wrap ? LVFI_WRAP : 0);
    fi.psz = text.c_str();
    return static_cast<std::int32_t>(
        send(LVM_FINDITEMW, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(&fi)));
}

bool ucListView::ItemEnsureVisible(std::int32_t item) {
    return send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE) != 0;
}

std::int32_t ucListView::ItemHitTest(double x, double y) const {
    if (!m_list) return -1;
    LVHITTESTINFO hit;
    hit.pt = POINT{toPixelsX(x), toPixelsY(y)};
    return static_cast<std::int32_t>(send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

RECT ucListView::itemRect(std::int32_t item, int portion) const {
    RECT r{portion, 0, 0, 0};
    if (item < 0 || !send(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r)))
        return RECT{};
    return r;
}

RECT ucListView::subItemRect(std::int32_t item, std::int32_t subItem) const {
    RECT r{LVIR_BOUNDS, subItem, 0, 0};
    if (item < 0 ||
        !send(LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r)))
        return RECT{};
    return r;
}

double ucListView::ItemLeft(std::int32_t item) const {
    POINT pt{};
    if (item < 0 ||
        !send(LVM_GETITEMPOSITION, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&pt)))
        return 0;
    return toUnitsX(pt.x);
}

double ucListView::ItemTop(std::int32_t item) const {
    POINT pt{};
    if (item < 0 ||
        !send(LVM_GETITEMPOSITION, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&pt)))
        return 0;
    return toUnitsY(pt.y);
}

double ucListView::ItemHeight(std::int32_t item) const {
    const RECT r = itemRect(item, LVIR_BOUNDS);
    return toUnitsY(r.bottom - r.top);
}

double ucListView::ItemWidth(std::int32_t item) const {
    const RECT r = itemRect(item, LVIR_BOUNDS);
    return toUnitsX(r.right - r.left);
}

double ucListView::SubItemLeft(std::int32_t item, std::int32_t subItem) const {
    return toUnitsX(subItemRect(item, subItem).left);
}

double ucListView::SubItemTop(std::int32_t item, std::int32_t subItem) const {
    return toUnitsY(subItemRect(item, subItem).top);
}

double ucListView::SubItemWidth(std::int32_t item, std::int32_t subItem) const {
    const RECT r = subItemRect(item, subItem);
    return toUnitsX(r.right - r.left);
}

double ucListView::SubItemHeight(std::int32_t item, std::int32_t subItem) const {
    const RECT r = subItemRect(item, subItem);
    return toUnitsY(r.bottom - r.top);
}

std::int32_t ucListView::TopIndex() const {
    return static_cast<std::int32_t>(send(LVM_GETTOPINDEX));
}

std::int32_t ucListView::PageCount() const {
    return static_cast<std::int32_t>(send(LVM_GETCOUNTPERPAGE));
}

void ucListView::SetItemSpacing(std::int32_t x, std::int32_t y) {
    send(LVM_SETICONSPACING, 0,
         static_cast<LPARAM>(MAKELONG(static_cast<WORD>(x), static_cast<WORD>(y))));
}

std::int32_t ucListView::ItemSpacingX() const {
    return LOWORD(static_cast<DWORD>(send(LVM_GETITEMSPACING, FALSE)));
}

std::int32_t ucListView::ItemSpacingY() const {
    return HIWORD(static_cast<DWORD>(send(LVM_GETITEMSPACING, FALSE)));
}

std::int32_t ucListView::ItemSpacingXY() const {
    return static_cast<std::int32_t>(send(LVM_GETITEMSPACING, FALSE));
}

void ucListView::StartLabelEdit() {
    const auto focused =
        static_cast<std::int32_t>(send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0) send(LVM_EDITLABELW, static_cast<WPARAM>(focused));
}

// --- Groups ---

bool ucListView::GroupsEnable() const {
    return send(LVM_ISGROUPVIEWENABLED) != 0;
}

void ucListView::GroupsEnable(bool on) {
    send(LVM_ENABLEGROUPVIEW, on ? TRUE : FALSE);
}

std::int32_t ucListView::GroupAdd(std::int32_t id, const std::u16string& caption,
                                  std::int32_t align, const std::u16string& footer,
                                  std::int32_t footerAlign) {
    if (!m_list) return -1;
    LVGROUP g;
    g.mask = LVGF_GROUPID | LVGF_HEADER | LVGF_ALIGN | LVGF_STATE;
    g.iGroupId = id;
    std::u16string header = caption, foot = footer;
    g.pszHeader = header.data();
    g.uAlign = groupAlign(align, false) | groupAlign(footerAlign, true);
    g.stateMask = LVGS_NORMAL;
    if (!footer.empty()) {
        g.mask |= LVGF_FOOTER;
        g.pszFooter = foot.data();
    }
    return static_cast<std::int32_t>(
        send(LVM_INSERTGROUP, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&g)));
}

bool ucListView::GroupRemove(std::int32_t id) {
    return m_list && send(LVM_REMOVEGROUP, static_cast<WPARAM>(id)) >= 0;
}

void ucListView::GroupClear() {
    send(LVM_REMOVEALLGROUPS);
}

std::int32_t ucListView::GroupGetFocused() const {
    return m_list ? static_cast<std::int32_t>(send(LVM_GETFOCUSEDGROUP)) : -1;
}

std::int32_t ucListView::GroupCount() const {
    return static_cast<std::int32_t>(send(LVM_GETGROUPCOUNT));
}

bool ucListView::getGroup(std::int32_t id, LVGROUP& group) const {
    return m_list &&
           send(LVM_GETGROUPINFO, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&group)) >= 0;
}

void ucListView::setGroup(std::int32_t id, LVGROUP& group) {
    send(LVM_SETGROUPINFO, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&group));
}

std::u16string ucListView::groupText(std::int32_t id, UINT field) const {
    char16_t buffer[kTextMax] = {};
    LVGROUP g;
    g.mask = field;
    if (field == LVGF_HEADER) g.pszHeader = buffer, g.cchHeader = kTextMax;
    if (field == LVGF_FOOTER) g.pszFooter = buffer, g.cchFooter = kTextMax;
    if (field == LVGF_SUBTITLE) g.pszSubtitle = buffer, g.cchSubtitle = kTextMax;
    return getGroup(id, g) ? std::u16string(buffer) : std::u16string();
}

void ucListView::setGroupText(std::int32_t id, UINT field, const std::u16string& text) {
    LVGROUP g;
    g.mask = field;
    std::u16string copy = text;
    if (field == LVGF_HEADER) g.pszHeader = copy.data();
    if (field == LVGF_FOOTER) g.pszFooter = copy.data();
    if (field == LVGF_SUBTITLE) g.pszSubtitle = copy.data();
    setGroup(id, g);
}

std::int32_t ucListView::groupAlignment(std::int32_t id, bool footer) const {
    LVGROUP g;
    g.mask = LVGF_ALIGN;
    return getGroup(id, g) ? alignOfGroup(g.uAlign, footer) : 0;
}

void ucListView::setGroupAlignment(std::int32_t id, std::int32_t align, bool footer) {
    LVGROUP g;
    g.mask = LVGF_ALIGN;
    if (!getGroup(id, g)) return;
    const UINT all = footer ? (LVGA_FOOTER_LEFT | LVGA_FOOTER_CENTER | LVGA_FOOTER_RIGHT)
                            : (LVGA_HEADER_LEFT | LVGA_HEADER_CENTER | LVGA_HEADER_RIGHT);
    g.uAlign = (g.uAlign & ~all) | groupAlign(align, footer);
    setGroup(id, g);
}

bool ucListView::groupState(std::int32_t id, UINT bit) const {
    LVGROUP g;
    g.mask = LVGF_STATE;
    g.stateMask = bit;
    return getGroup(id, g) && (g.state & bit);
}

void ucListView::setGroupState(std::int32_t id, UINT bit, bool on) {
    LVGROUP g;
    g.mask = LVGF_STATE;
    g.stateMask = bit;
    g.state = on ? bit : 0;
    setGroup(id, g);
}

void ucListView::GroupHeaderText(std::int32_t id, const std::u16string& text) {
    setGroupText(id, platform::LVGF_HEADER, text);
}

void ucListView::GroupHeaderAlign(std::int32_t id, std::int32_t align) {
    setGroupAlignment(id, align, false);
}

void ucListView::GroupFooterText(std::int32_t id, const std::u16string& text) {
    setGroupText(id, platform::LVGF_FOOTER, text);
}

void ucListView::GroupFooterAlign(std::int32_t id, std::int32_t align) {
    setGroupAlignment(id, align, true);
}

void ucListView::GroupSubtitle(std::int32_t id, const std::u16string& text) {
    setGroupText(id, platform::LVGF_SUBTITLE, text);
}

void ucListView::GroupCollapsible(std::int32_t id, bool on) {
    setGroupState(id, platform::LVGS_COLLAPSIBLE, on);
}

void ucListView::GroupCollapsed(std::int32_t id, bool on) {
    setGroupState(id, platform::LVGS_COLLAPSED, on);
}

std::u16string ucListView::GroupHeaderText(std::int32_t id) const {
    return groupText(id, platform::LVGF_HEADER);
}

std::int32_t ucListView::GroupHeaderAlign(std::int32_t id) const {
    return groupAlignment(id, false);
}

std::u16string ucListView::GroupFooterText(std::int32_t id) const {
    return groupText(id, platform::LVGF_FOOTER);
}

std::int32_t ucListView::GroupFooterAlign(std::int32_t id) const {
    return groupAlignment(id, true);
}

std::u16string ucListView::GroupSubtitle(std::int32_t id) const {
    return groupText(id, platform::LVGF_SUBTITLE);
}

bool ucListView::GroupCollapsible(std::int32_t id) const {
    return groupState(id, platform::LVGS_COLLAPSIBLE);
}

bool ucListView::GroupCollapsed(std::int32_t id) const {
    return groupState(id, platform::LVGS_COLLAPSED);
}

std::int32_t ucListView::GroupHitTest(double x, double y, std::int32_t options) const {
    if (!m_list) return -1;
    LVHITTESTINFO hit;
    hit.pt = POINT{toPixelsX(x), toPixelsY(y)};
    send(LVM_HITTEST, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&hit));
    // A point on an item counts as its group's background.
    UINT flags = hit.flags;
    int group = hit.iGroup;
    if (hit.iItem >= 0) {
        group = ItemGroup(hit.iItem);
        flags = LVHT_EX_GROUP_BACKGROUND;
    }
    if (group < 0 || !(flags & static_cast<UINT>(options))) return -1;
    return group;
}

}  // namespace orvane
