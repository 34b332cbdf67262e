// The window procedure and state of one tree view ("SysTreeView32").
//
// Items live in the shared TreeItemTable, linked to parent and siblings; every walk over them
// is a loop, never a recursion, so a chain of any depth is safe. The rows shown (the items
// whose ancestors are all expanded) are kept as a flat index rebuilt when the tree's shape
// changed, so painting, hit testing and scrolling find their rows at once and cost what shows.
// Styles: TVS_HASBUTTONS, HASLINES, LINESATROOT, EDITLABELS, DISABLEDRAGDROP, SHOWSELALWAYS,
// NOTOOLTIPS, CHECKBOXES, TRACKSELECT, SINGLEEXPAND, INFOTIP, FULLROWSELECT, NOSCROLL,
// NONEVENHEIGHT, NOHSCROLL; extended TVS_EX_DOUBLEBUFFER.
// Messages: INSERTITEMW, DELETEITEM, GET/SETITEMW, GETITEMSTATE, GETCOUNT, GETNEXTITEM, EXPAND,
// SELECTITEM, GETITEMRECT, HITTEST, ENSUREVISIBLE, GETVISIBLECOUNT, GET/SETINDENT,
// GET/SETITEMHEIGHT, GET/SETIMAGELIST, GET/SETBKCOLOR, GET/SETTEXTCOLOR, GET/SETLINECOLOR,
// GET/SETINSERTMARKCOLOR, SETINSERTMARK, SORTCHILDREN, SORTCHILDRENCB, EDITLABELW,
// GETEDITCONTROL, ENDEDITLABELNOW, GETISEARCHSTRINGW, GET/SETTOOLTIPS, CREATEDRAGIMAGE,
// GET/SETSCROLLTIME, GET/SETEXTENDEDSTYLE; WM_SETFONT, GETFONT, SETREDRAW, V/HSCROLL, wheel.
// Notifications: TVN_SELCHANGING/CHANGEDW, GETDISPINFOW, SETDISPINFOW, ITEMEXPANDING/EDW,
// BEGINDRAGW, BEGINRDRAGW, DELETEITEMW, BEGIN/ENDLABELEDITW, KEYDOWN, GETINFOTIPW,
// SINGLEEXPAND; NM_CLICK, DBLCLK, RCLICK, RDBLCLK, RETURN, SETFOCUS, KILLFOCUS, CUSTOMDRAW.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/comctl/ControlLifetime.h"
#include "platform/comctl/TreeItemTable.h"
#include "platform/comctl/TreeView.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/text/TextTypes.h"

namespace orvane::platform {

class TreeViewControl {
public:
    static void registerClass();

    // Timers.
    static constexpr UINT_PTR kEditTimer = 1;    // a click on the selected label starts editing
    static constexpr UINT_PTR kSearchTimer = 2;  // the type-ahead search forgets its text
    static constexpr UINT_PTR kTipTimer = 3;     // the pointer rested: the label or info tip
    static constexpr int kLabelMax = 260;        // the text buffer handed out for callbacks
    // Posted to itself when items or sizes changed: the scroll bars follow before the next
    // paint, once however many changes came.
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

    // The places of one row's parts, in client coordinates.
    struct RowParts {
        RECT row{};          // the whole row
        int buttonLeft = 0;  // the indent column holding the item's button
        RECT state{};        // the state image (empty without one)
        RECT icon{};         // the image (empty without an image list)
        RECT label{};        // the text, padded
    };

    explicit TreeViewControl(HWND hwnd);
    static LRESULT wndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    // TVM_SET...COLOR: stores the colour, repaints, answers with the old one.
    LRESULT setColour(COLORREF& slot, LPARAM value);
    void create(const CREATESTRUCTW& cs);
    void destroy();

    DWORD style() const;
    bool hasStyle(DWORD bits) const { return (style() & bits) != 0; }
    HFONT font() const { return m_font; }
    const TEXTMETRICW& metrics() const;
    static TreeItemTable& table() { return TreeItemTable::current(); }
    TreeNode& node(std::uint32_t slot) const { return table().at(slot); }
    // The slot an item handle names in this tree (0: none). TVI_ROOT is the hidden root.
    std::uint32_t slotOf(HTREEITEM item) const { return table().find(item, this); }
    // The same, refusing an item that is being deleted (it may be read, not changed).
    std::uint32_t liveSlotOf(HTREEITEM item) const {
        const std::uint32_t slot = slotOf(item);
        return slot && !node(slot).deleting ? slot : 0;
    }
    HTREEITEM handleOf(std::uint32_t slot) const {
        return slot == m_root ? HTREEITEM{} : table().handle(slot);
    }
    bool alive() const { return !lifetime.dead; }

    // --- Notifications (TreeViewControl.cpp) ---
    LRESULT notify(UINT code, NMHDR& hdr) const;
    // Fills a TVITEMW of an item for a notification (handle, state, lParam).
    void describe(std::uint32_t slot, TVITEMW& item) const;
    LRESULT notifyTree(UINT code, UINT action, std::uint32_t oldSlot, std::uint32_t newSlot,
                       POINT pt = {});
    // Asks the parent (TVN_ITEMCHANGINGW) whether an item's state may become `wanted`; the
    // slot again when it may and the item is still there, else 0.
    std::uint32_t stateChanging(std::uint32_t slot, UINT wanted);
    // Tells the parent (TVN_ITEMCHANGEDW) that an item's state changed from `old`.
    void stateChanged(std::uint32_t slot, UINT old);

    // --- Items (TreeViewData.cpp) ---
    HTREEITEM insertItem(const TVINSERTSTRUCTW& ins);
    bool deleteItem(HTREEITEM item);
    // Deletes an item and everything below it, children before their parents, with
    // TVN_DELETEITEMW for each; `withRoot` false keeps the item itself (its children go).
    void deleteSubtree(std::uint32_t slot, bool withRoot);
    bool getItem(TVITEMEXW& item, bool ex);
    bool setItem(const TVITEMEXW& item, bool ex);
    UINT itemState(HTREEITEM item, UINT mask) const;
    HTREEITEM nextItem(HTREEITEM item, UINT code);
    // The text, image and children of an item, asking the parent (TVN_GETDISPINFOW) for what
    // it keeps itself.
    std::u16string itemText(std::uint32_t slot);
    int itemImage(std::uint32_t slot, bool selected);
    bool hasChildren(std::uint32_t slot);
    void link(std::uint32_t slot, std::uint32_t parent, std::uint32_t after);
    void unlink(std::uint32_t slot);
    bool sortChildren(std::uint32_t parent, bool recursive, PFNTVCOMPARE compare, LPARAM param);
    // Whether `slot` lies below `ancestor` (or is it).
    bool within(std::uint32_t slot, std::uint32_t ancestor) const;

    // --- Expanding and selecting (TreeViewExpand.cpp) ---
    // Expands, collapses or toggles; `byUser` items notify every time, TVM_EXPAND only until
    // TVIS_EXPANDEDONCE is set. False when refused or impossible.
    bool expand(std::uint32_t slot, UINT code, bool byUser);
    // Selects an item as the caret (0: none), with TVN_SELCHANGING/CHANGED; false if refused.
    bool selectCaret(std::uint32_t slot, UINT action, bool noSingleExpand = false);
    void setDropHilite(std::uint32_t slot);
    bool selectItem(UINT code, HTREEITEM item);
    // Expands every ancestor of the item so it shows.
    bool expandAncestors(std::uint32_t slot);
    // Expands the item and everything below it, without recursion.
    void expandAll(std::uint32_t slot);

    // --- Geometry (TreeViewLayout.cpp) ---
    RECT clientRect() const { return RECT{0, 0, m_clientSize.cx, m_clientSize.cy}; }
    int itemHeight() const;
    int defaultItemHeight() const;
    SIZE imageSize(HIMAGELIST list) const;
    // The rows shown, rebuilt when the shape changed.
    void ensureRows() const;
    void rowsChanged();
    int rowCount() const;
    bool visible(std::uint32_t slot) const;
    // The row of a shown item, and the unit (item-height step) where it starts.
    int rowOf(std::uint32_t slot) const { return static_cast<int>(node(slot).row); }
    int unitOf(int row) const;
    int unitCount() const;
    // The row at a unit of the view (clamped), and the first row shown.
    int rowAtUnit(int unit) const;
    int topRow() const;
    int pageUnits() const;
    int visibleCount() const;
    // Where the item's level starts, in client coordinates.
    int levelLeft(int level) const;
    RowParts parts(std::uint32_t slot);
    int labelWidth(std::uint32_t slot);
    // The row's rectangle (whole row or the text's), false when it does not show.
    bool itemRect(std::uint32_t slot, bool textOnly, RECT& r);
    HTREEITEM hitTest(TVHITTESTINFO& info);
    bool ensureVisible(std::uint32_t slot);
    void scroll(int bar, int code);
    void setTop(int unit);
    void setXOrigin(int x);
    void wheel(int delta, bool horizontal);
    void updateScrollBars();
    int contentWidth() const;
    void invalidateLayout();
    void invalidateItem(std::uint32_t slot);

    // --- Painting (TreeViewPaint.cpp) ---
    void paint(HDC dc, const RECT& update);
    void paintRow(HDC dc, std::uint32_t slot, LRESULT prepaint,
                  const std::vector<std::uint32_t>& chain, int minLevel);
    void paintLines(HDC dc, std::uint32_t slot, const RowParts& p,
                    const std::vector<std::uint32_t>& chain, int minLevel);
    void paintButton(HDC dc, const RECT& box, bool expanded, bool hot);
    void paintCheck(HDC dc, const RECT& r, UINT stateImage);
    void paintInsertMark(HDC dc);
    LRESULT customDraw(NMTVCUSTOMDRAW& cd);
    UINT drawState(std::uint32_t slot) const;
    HFONT boldFont();
    HFONT underlineFont();
    HIMAGELIST createDragImage(std::uint32_t slot);
    COLORREF bkColor() const;
    COLORREF textColor() const;

    // --- Input (TreeViewInput.cpp) ---
    void mouseDown(UINT msg, WPARAM keys, POINT pt);
    void mouseMove(WPARAM keys, POINT pt);
    void mouseUp(UINT msg, POINT pt);
    void doubleClick(UINT msg, POINT pt);
    void keyDown(UINT vk);
    void charTyped(char16_t c);
    void toggleCheck(std::uint32_t slot);
    void setHot(std::uint32_t slot);
    void setHotButton(std::uint32_t slot);
    std::uint32_t keyTarget(std::uint32_t from, UINT vk);

    // --- Label editing (TreeViewEdit.cpp) ---
    HWND editLabel(std::uint32_t slot);
    // Ends the edit; false when the tree went meanwhile.
    void endEdit(bool cancel);
    static LRESULT editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                            DWORD_PTR data);

    // --- Tips (TreeViewTips.cpp) ---
    void scheduleTip(std::uint32_t slot);
    void showTip();
    void hideTip();
    void createTip();
    // The tracking tool the tips use, added to the tooltip window.
    void addTipTool();

    HWND m_hwnd;
    std::uint32_t m_root = 0;  // the hidden root, parent of the top-level items
    std::size_t m_count = 0;

    // The rows shown.
    mutable std::vector<std::uint32_t> m_rows;
    mutable std::vector<int> m_rowUnits;  // where each row starts; empty when all are 1 unit
    mutable bool m_rowsValid = false;
    mutable std::uint32_t m_rowStamp = 0;
    mutable int m_units = 0;

    // Selection and marks.
    std::uint32_t m_caret = 0;
    std::uint32_t m_dropHilite = 0;
    std::uint32_t m_hot = 0;
    std::uint32_t m_hotButton = 0;  // the item whose button the pointer is over
    std::uint32_t m_insertMark = 0;
    bool m_insertAfter = false;
    std::uint32_t m_editItem = 0;
    std::uint32_t m_tipItem = 0;

    // Look.
    HFONT m_font{};
    HFONT m_boldFont{}, m_underlineFont{};
    mutable TEXTMETRICW m_metrics{};
    mutable bool m_metricsValid = false;
    HIMAGELIST m_normal{}, m_state{};
    // The state list TVS_CHECKBOXES makes: blank images whose places are the check boxes, drawn
    // in the style's look rather than taken from the list.
    HIMAGELIST m_checkImages{};
    void makeCheckImages();
    int m_itemHeight = 0;  // 0: from the font and images
    int m_indent = 0;
    COLORREF m_bkColor = CLR_NONE;  // -1: the system colour
    COLORREF m_textColor = CLR_NONE;
    COLORREF m_lineColor = CLR_DEFAULT;
    COLORREF m_insertMarkColor = CLR_DEFAULT;
    UINT m_scrollTime = 200;
    DWORD m_exStyle = 0;

    // Scrolling: the first unit shown and the horizontal origin in pixels.
    int m_top = 0;
    int m_xOrigin = 0;
    mutable int m_widest = 0;  // the widest row measured so far
    SIZE m_clientSize{};
    int m_wheelRest = 0;
    bool m_updatingBars = false;
    bool m_scrollBarsValid = false;
    bool m_layoutPosted = false;
    bool m_allInvalid = false;  // the whole client area waits for a paint

    // Children.
    HWND m_edit{};
    HWND m_tip{};
    bool m_tipShown = false;
    bool m_ownTip = true;  // TVM_SETTOOLTIPS hands the tip to the caller
    bool m_ending = false;

    // Input.
    bool m_focused = false;
    bool m_tracking = false;
    bool m_pressed = false;
    UINT m_pressButton = 0;
    POINT m_pressPoint{};
    std::uint32_t m_pressItem = 0;
    bool m_dragging = false;
    bool m_editPending = false;
    bool m_skipChar = false;    // the key just handled makes a character not to search for
    bool m_skipSearch = false;  // the parent kept the last key from the search (TVN_KEYDOWN)
    std::u16string m_search;
};

}  // namespace orvane::platform
