// The window procedure and state of one list view ("SysListView32").
//
// Views: report (with a "SysHeader32" child for the columns), icon, small icon, list and tile,
// all laid out on a grid (or rows) worked out from the item index, so painting, hit testing and
// scrolling cost what is on the screen, whatever the number of items. In icon and small-icon
// view the program may move items off the grid; only those are stored.
// Styles: LVS_ICON, REPORT, SMALLICON, LIST, SINGLESEL, SHOWSELALWAYS, SHAREIMAGELISTS,
// NOLABELWRAP, AUTOARRANGE, EDITLABELS, OWNERDATA, NOSCROLL, NOCOLUMNHEADER, NOSORTHEADER,
// ALIGNTOP, ALIGNLEFT; WS_EX_LAYOUTRTL. Extended: LVS_EX_GRIDLINES, SUBITEMIMAGES, CHECKBOXES,
// TRACKSELECT, HEADERDRAGDROP, FULLROWSELECT, ONECLICKACTIVATE, TWOCLICKACTIVATE, FLATSB, INFOTIP,
// UNDERLINEHOT, UNDERLINECOLD, LABELTIP, DOUBLEBUFFER, BORDERSELECT, AUTOCHECKSELECT.
// Messages: items (INSERTITEMW, DELETEITEM, DELETEALLITEMS, GET/SETITEMW, GET/SETITEMTEXTW,
// GET/SETITEMSTATE, GETITEMCOUNT, SETITEMCOUNT, GETNEXTITEM, FINDITEMW, SORTITEMS(EX),
// GETSELECTEDCOUNT, GET/SETSELECTIONMARK, GET/SETHOTITEM, REDRAWITEMS, UPDATE,
// GET/SETCALLBACKMASK), columns (INSERTCOLUMNW, DELETECOLUMN, GET/SETCOLUMNW,
// GET/SETCOLUMNWIDTH, GET/SETCOLUMNORDERARRAY, GETHEADER, SET/GETSELECTEDCOLUMN), geometry
// (GETITEMRECT, GETSUBITEMRECT, GET/SETITEMPOSITION(32), ARRANGE, HITTEST, SUBITEMHITTEST,
// GETVIEWRECT, GETORIGIN, GETTOPINDEX, GETCOUNTPERPAGE, ENSUREVISIBLE, SCROLL, ISITEMVISIBLE,
// GETITEMSPACING, SETICONSPACING, GETSTRINGWIDTHW, APPROXIMATEVIEWRECT), look (GET/SETBKCOLOR,
// GET/SETTEXTCOLOR, GET/SETTEXTBKCOLOR, GET/SETIMAGELIST, GET/SETBKIMAGEW, SETVIEW, GETVIEW,
// GET/SETEXTENDEDLISTVIEWSTYLE, SET/GETINSERTMARK), groups (ENABLEGROUPVIEW, INSERTGROUP,
// REMOVEGROUP, REMOVEALLGROUPS, GET/SETGROUPINFO, GETGROUPINFOBYINDEX, GETGROUPCOUNT,
// GETFOCUSEDGROUP, GETGROUPSTATE, GETGROUPRECT, HASGROUP, MOVEITEMTOGROUP,
// ISGROUPVIEWENABLED), label editing (EDITLABELW, GETEDITCONTROL, CANCELEDITLABEL).
// Notifications: LVN_ITEMCHANGING/CHANGED, INSERTITEM, DELETEITEM, DELETEALLITEMS, COLUMNCLICK,
// BEGINDRAG, BEGINRDRAG, ODCACHEHINT, ODSTATECHANGED, ODFINDITEMW, GETDISPINFOW, ITEMACTIVATE,
// HOTTRACK, KEYDOWN, MARQUEEBEGIN, BEGIN/ENDLABELEDITW, BEGIN/ENDSCROLL, GETINFOTIPW,
// COLUMNDROPDOWN; NM_CLICK, DBLCLK, RCLICK, RDBLCLK, RETURN, SETFOCUS, KILLFOCUS, HOVER,
// CUSTOMDRAW (items, sub-items and groups at every stage). The header's notifications are
// passed on to the parent.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/comctl/ControlLifetime.h"
#include "platform/comctl/ListView.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/text/TextTypes.h"

namespace orvane::platform {

class ListViewControl {
public:
    static void registerClass();

    // Timers.
    static constexpr UINT_PTR kEditTimer = 1;    // a click on a selected label starts editing
    static constexpr UINT_PTR kScrollTimer = 2;  // scrolling while the marquee is dragged out
    static constexpr UINT_PTR kHoverTimer = 3;   // track-select hover
    static constexpr UINT_PTR kSearchTimer = 4;  // the type-ahead search forgets its text
    static constexpr UINT_PTR kTipTimer = 5;     // the pointer rested: the label or info tip
    static constexpr int kLabelMax = 260;        // the text buffer handed out for callbacks
    // Posted to itself when items or sizes changed: the scroll bars follow before the next
    // paint (posted messages come before WM_PAINT), once however many changes came.
    static constexpr UINT kDeferredLayout = WM_USER + 0x100;

    // Kept alive while its own messages run (see ControlLifetime).
    ControlLifetime lifetime;

private:
    template <class T>
    friend LRESULT runControlMessage(HWND, UINT, WPARAM, LPARAM);
    template <class T>
    friend class ControlHold;
    template <class T>
    friend LRESULT LabelEditProc(HWND, UINT, WPARAM, LPARAM, T*, SUBCLASSPROC);
    struct SubItem {
        std::u16string text;
        bool textCallback = false;
        int image = I_IMAGENONE;
    };
    struct Item {
        std::u16string text;
        bool textCallback = false;
        int image = I_IMAGENONE;
        int indent = 0;
        UINT state = 0;
        LPARAM lParam = 0;
        int groupId = I_GROUPIDNONE;
        std::vector<SubItem> subItems;  // sub-item 1 is subItems[0]; grown when set
    };
    struct Column {
        std::u16string text;
        int fmt = LVCFMT_LEFT;
        int width = 0;
        int image = -1;
        int subItem = 0;
        int minWidth = 0;
    };
    struct Group {
        int id = 0;
        std::u16string header, footer, subtitle;
        UINT state = 0;
        UINT align = LVGA_HEADER_LEFT;
    };
    // A run of items between two positions of the list: the selection of an owner-data list.
    struct Range {
        int from = 0, to = 0;  // [from, to)
    };

    explicit ListViewControl(HWND hwnd);
    static LRESULT wndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void create(const CREATESTRUCTW& cs);
    void destroy();

    DWORD style() const;
    DWORD view() const { return m_view; }
    // Fixed when the window is made, as on Windows (and read for every item count).
    bool ownerData() const { return m_ownerData; }
    bool report() const { return m_view == LV_VIEW_DETAILS; }
    bool singleSelect() const { return (style() & LVS_SINGLESEL) != 0; }
    bool exStyle(DWORD bit) const { return (m_exStyle & bit) != 0; }
    bool grouped() const;
    int count() const;
    bool validIndex(int i) const { return i >= 0 && i < count(); }
    HFONT font() const;
    const TEXTMETRICW& metrics() const;

    // --- Notifications (ListViewControl.cpp) ---
    // Sends a WM_NOTIFY to the parent; the header is filled in here.
    LRESULT notify(UINT code, NMHDR& hdr) const;
    LRESULT notifyItem(UINT code, int item, int subItem = 0, POINT pt = {});
    // LVN_ITEMCHANGING (refusable) and LVN_ITEMCHANGED for a state change of one item.
    bool changing(int item, UINT oldState, UINT newState, UINT changed);
    void changed(int item, UINT oldState, UINT newState, UINT changed);
    // NM_CLICK and its kin, with the item and sub-item under the point.
    void notifyActivate(UINT code, POINT pt);

    // --- Items (ListViewData.cpp) ---
    int insertItem(const LVITEMW& it);
    bool deleteItem(int i);
    bool deleteAll();
    bool getItem(LVITEMW& it);
    bool setItem(const LVITEMW& it);
    int getItemText(int i, LVITEMW& it);
    bool setItemText(int i, const LVITEMW& it);
    // The text, image and indent of a cell, asking the parent (LVN_GETDISPINFOW) for what it
    // keeps itself.
    std::u16string cellText(int item, int subItem);
    // The text the list keeps for a cell (empty for an invalid item or an unset sub-item), or
    // null when the parent is to be asked.
    const std::u16string* storedText(int item, int subItem) const;
    int cellImage(int item, int subItem);
    int itemIndent(int item);
    UINT itemState(int i, UINT mask) const;
    // Changes state bits of one item (-1: every item), with the notifications; false when
    // refused. Focus and selection keep the single-selection rule.
    bool setItemState(int i, UINT state, UINT mask);
    bool setOneState(int i, UINT state, UINT mask);
    int nextItem(int start, UINT flags);
    int selectedCount() const;
    int findItem(int start, const LVFINDINFOW& fi);
    bool sortItems(PFNLVCOMPARE compare, LPARAM param, bool byIndex);
    bool setItemCount(int n, LPARAM flags);
    bool isSelected(int i) const;
    // Owner data: selection kept as ranges.
    void selectRange(int from, int to, bool select);
    bool rangeSelected(int i) const;
    // Item indices move when items come or go.
    void shiftIndices(int at, int delta);

    // --- Columns (ListViewColumns.cpp) ---
    int insertColumn(int at, const LVCOLUMNW& col);
    bool deleteColumn(int i);
    bool getColumn(int i, LVCOLUMNW& col);
    bool setColumn(int i, const LVCOLUMNW& col);
    int columnWidth(int i) const;
    bool setColumnWidth(int i, int width);
    int autoWidth(int column, bool withHeader);
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    // Columns in the order shown, and each one's left edge before scrolling.
    std::vector<int> columnOrder() const;
    // The order and each column's left edge, and the items' area below the header, read once
    // for a paint (the header is not asked for every cell).
    struct ColumnPlaces {
        std::vector<int> order, left;
        RECT area;
    };
    const ColumnPlaces* m_paintOrder = nullptr;
    int columnLeft(int column) const;
    int totalColumnWidth() const;
    void createHeader();
    void layoutHeader();
    void syncHeaderItem(int column);
    LRESULT headerNotify(NMHDR& hdr);

    // --- Geometry (ListViewLayout.cpp) ---
    // The client area, as the last WM_SIZE gave it (geometry asks for it at every turn).
    RECT clientRect() const;
    // The part of the client area items are drawn in (below the header).
    RECT itemsArea() const;
    int headerHeight() const;
    int rowHeight() const;
    SIZE iconSize(WPARAM which) const;
    SIZE cellSize() const;
    // Whether items fill columns from the top, left to right: list view, and icon and small-icon
    // views aligned left (by LVS_ALIGNLEFT or LVM_ARRANGE's LVA_ALIGNLEFT) outside group view.
    bool columnMajor() const;
    // Items per row of the grid views (icon, small icon, tile), or per column when they fill
    // columns.
    int perLine() const;
    // Where item i's cell is, in view coordinates (before scrolling).
    POINT cellOrigin(int i) const;
    // Item and sub-item rectangles in client coordinates, of the portion LVIR_ asks for.
    RECT itemRect(int i, int portion);
    RECT subItemRect(int i, int subItem, int portion);
    // The label's rectangle and its icon's, in client coordinates.
    RECT labelRect(int i);
    RECT iconRect(int i);
    RECT stateIconRect(int i);
    RECT viewRect();
    int hitTest(LVHITTESTINFO& info, bool subItems);
    // Items whose cells meet the rectangle (client coordinates), in index order.
    std::vector<int> itemsIn(const RECT& r);
    int topIndex() const;
    int countPerPage() const;
    bool ensureVisible(int i, bool partialOk);
    // Scrolls the view by pixels (rows in report view without groups), with LVN_BEGINSCROLL
    // and LVN_ENDSCROLL.
    void scrollBy(int dx, int dy, bool notifyParent);
    void setOrigin(int x, int y);
    // Moves the origin, kept within the content, without repainting.
    void setOriginClamped(int x, int y);
    void scroll(int bar, int code, int thumb);
    void updateScrollBars();
    // What the view spans, in pixels.
    SIZE contentSize();
    // Group view: the layout of groups and their items, worked out when first needed.
    struct GroupBlock {
        int group = 0;  // index into m_groups
        int top = 0;    // of the header, in view coordinates
        int rowsTop = 0;
        int height = 0;
        std::vector<int> items;
    };
    const std::vector<GroupBlock>& groupLayout();
    int groupHeaderHeight() const;
    int groupOf(int item) const;  // index into m_groups, -1 when none
    // Where the item sits within the group layout: block and row.
    bool groupPosition(int item, int& block, int& row);
    void invalidateLayout();
    // Whether the whole client area waits for a paint already.
    bool wholeInvalid() const;
    // Repaints one item's row (or cell) when it shows; nothing when the whole window waits for
    // a paint already.
    void invalidateItem(int i);

    // --- Item positions (ListViewPositions.cpp) ---
    // Icon and small-icon views outside group view, where items may be moved.
    bool positionable() const;
    // LVM_SETITEMPOSITION: the upper-left corner of the item's cell to `pt` (client
    // coordinates); false where Windows refuses (other views, LVS_AUTOARRANGE).
    bool setItemPosition(int i, POINT pt);
    // LVM_GETITEMPOSITION: the upper-left corner of the item's cell in client coordinates.
    POINT itemPosition(int i) const;
    bool arrange(WPARAM code);
    // Takes the moved items out of `out` (their grid places are empty) and adds those whose
    // cells meet `view` (view coordinates), keeping index order.
    void placeMoved(const RECT& view, std::vector<int>& out) const;
    // The right and bottom edges of the moved items' cells, in view coordinates.
    SIZE movedExtent() const;
    // Moved items' indices follow items inserted (delta 1) or deleted ([at, at - delta) went).
    void shiftMoved(int at, int delta);

    // --- Painting (ListViewPaint.cpp) ---
    void paint(HDC dc, const RECT& update);
    void paintBackground(HDC dc, const RECT& r);
    void paintItem(HDC dc, int i, LRESULT prepaint);
    void paintReportItem(HDC dc, int i, NMLVCUSTOMDRAW& cd, LRESULT itemAnswer);
    void paintIconItem(HDC dc, int i, NMLVCUSTOMDRAW& cd);
    void paintCell(HDC dc, int i, int subItem, const RECT& cell, NMLVCUSTOMDRAW& cd);
    void paintGroupHeader(HDC dc, const GroupBlock& block, const RECT& r);
    void paintGridLines(HDC dc, const RECT& area);
    void paintCheck(HDC dc, const RECT& r, UINT stateImage);
    void paintSelection(HDC dc, const RECT& r, UINT state);
    void paintInsertMark(HDC dc);
    void paintMarquee(HDC dc);
    LRESULT customDraw(NMLVCUSTOMDRAW& cd);
    UINT drawState(int i) const;
    // The font underlined, for the hot item with LVS_EX_UNDERLINEHOT; made when first needed.
    HFONT underlineFont();

    // --- Input (ListViewInput.cpp) ---
    void mouseDown(UINT msg, WPARAM keys, POINT pt);
    void mouseMove(WPARAM keys, POINT pt);
    void mouseUp(UINT msg, WPARAM keys, POINT pt);
    void doubleClick(UINT msg, WPARAM keys, POINT pt);
    void keyDown(UINT vk);
    void charTyped(char16_t c);
    // Selects like a click: one item alone, Ctrl toggling, Shift a range from the mark.
    void clickSelect(int i, bool shift, bool ctrl);
    void selectOnly(int i);
    // Clears the selection of every item but `keep` (-1: all); false when the window went.
    bool deselectAllBut(int keep);
    void selectTo(int i, bool keepOthers);
    void focusItem(int i);
    void toggleCheck(int i);
    // The item an arrow, page or Home/End key moves to from `from`.
    int keyTargetFrom(int from, UINT vk);
    void setHot(int i);
    void updateMarquee(POINT pt);
    void wheel(int delta, bool horizontal);

    // --- Label editing (ListViewEdit.cpp) ---
    HWND editLabel(int i);
    void endEdit(bool cancel);
    static LRESULT editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                            DWORD_PTR data);

    // --- Tips (ListViewTips.cpp) ---
    // The pointer came to an item (-1: none): its tip shows after the hover time.
    void scheduleTip(int item);
    void showTip();
    void hideTip();

    // --- Background image (ListViewBackground.cpp) ---
    // LVM_SETBKIMAGEW: false, the background unchanged, when an address or file cannot be read.
    bool setBkImage(const LVBKIMAGEW& bk, bool ansi);
    bool getBkImage(LVBKIMAGEW& bk) const;
    // The first picture of the file a local path or a file: URL names, as a new bitmap; null
    // (with the last error set) for other addresses and for files that are not pictures.
    static HBITMAP loadBkImage(std::u16string_view url);

    // --- Groups (ListViewGroups.cpp) ---
    int insertGroup(int at, const LVGROUP& g);
    // The group's index before it went, or -1.
    int removeGroup(int id);
    int groupIndex(int id) const;
    bool getGroup(int index, LVGROUP& g) const;
    bool setGroup(int id, const LVGROUP& g);
    bool enableGroupView(bool on);
    RECT groupRect(int id, LONG portion);
    bool toggleGroup(int index);
    // A click on a group's header: its collapse button (or a double click) folds it, elsewhere
    // the group takes the focus and its items the selection.
    void groupClicked(int id, POINT pt, bool doubleClick);

    HWND m_hwnd;
    HWND m_header{};
    HWND m_edit{};
    HWND m_tip{};  // the tooltip of label and info tips, made when first shown
    int m_tipItem = -1;
    bool m_tipShown = false;
    int m_editItem = -1;
    bool m_ending = false;
    DWORD m_view = LV_VIEW_ICON;
    bool m_ownerData = false;  // LVS_OWNERDATA, which cannot change after creation
    DWORD m_exStyle = 0;

    // Data.
    std::vector<Item> m_items;
    int m_ownerCount = 0;            // the item count of an owner-data list
    std::vector<Range> m_selection;  // owner data: the selected ranges, sorted, disjoint
    int m_focus = -1;                // the focused item
    int m_mark = -1;                 // the selection mark (anchor of Shift ranges)
    int m_hot = -1;
    int m_selectedCount = 0;  // selected items of a list holding its own items
    UINT m_callbackMask = 0;
    std::vector<Column> m_columns;
    int m_selectedColumn = -1;
    std::vector<Group> m_groups;
    bool m_groupView = false;
    int m_focusedGroup = -1;
    LVINSERTMARK m_insertMark{};
    COLORREF m_insertMarkColor = 0;

    // Look.
    HFONT m_font{};
    HFONT m_underlineFont{};
    mutable TEXTMETRICW m_metrics{};
    mutable bool m_metricsValid = false;
    HIMAGELIST m_normal{}, m_small{}, m_state{}, m_groupHeader{};
    COLORREF m_bkColor;
    COLORREF m_textColor;
    COLORREF m_textBkColor;
    SIZE m_iconSpacing{};       // {0, 0}: the default
    int m_listColumnWidth = 0;  // list view's column width; 0: the default
    HBITMAP m_bkImage{};
    DWORD m_bkSource = LVBKIF_SOURCE_NONE;  // how the image came: LVBKIF_SOURCE_HBITMAP or _URL
    std::u16string m_bkUrl;                 // the address it came from
    bool m_bkImageOwned = false;
    bool m_bkImageTiled = false;
    int m_bkOffsetX = 0, m_bkOffsetY = 0;

    // Scrolling: the view's origin, in pixels (rows are whole in report view).
    int m_xOrigin = 0, m_yOrigin = 0;
    SIZE m_clientSize{};
    int m_wheelRest = 0;  // wheel movement short of a notch
    bool m_updatingBars = false;
    // The client area that waits whole for a paint (empty: none). Kept with its size, so a
    // window grown since has the rest to invalidate.
    RECT m_invalidWhole{};
    bool m_layoutPosted = false;
    bool m_scrollBarsValid = false;
    std::vector<GroupBlock> m_groupBlocks;
    struct ItemPlace {
        int block = -1, position = 0;
    };
    std::vector<ItemPlace> m_itemPlaces;  // each item's block and place in group view
    bool m_groupBlocksValid = false;
    int m_groupsHeight = 0;
    // Items moved by LVM_SETITEMPOSITION: their cells' upper-left corners in view coordinates.
    // Every other item keeps the grid place of its index.
    std::map<int, POINT> m_moved;
    // How LVM_ARRANGE last aligned icon views: as the style says, or left or top whatever it
    // says, until the next arrangement or alignment style.
    enum class Align { Style, Left, Top };
    Align m_align = Align::Style;

    // Input.
    bool m_focused = false;
    bool m_tracking = false;  // TrackMouseEvent asked for
    bool m_pressed = false;   // the left or right button went down on this window
    UINT m_pressButton = 0;
    POINT m_pressPoint{};
    int m_pressItem = -1;
    bool m_marquee = false;
    POINT m_marqueeFrom{};  // in view coordinates
    POINT m_marqueeTo{};
    std::vector<int> m_marqueeBase;  // what Ctrl kept selected when the marquee began
    bool m_dragging = false;
    bool m_editPending = false;  // a click on the focused, selected label: edit after a pause
    bool m_wasSelected = false;
    bool m_deferSelect = false;  // a click on one of several selected items: select on release
    bool m_checkClick = false;   // the press toggled a check box
    std::u16string m_search;     // the type-ahead search so far
};

}  // namespace orvane::platform
