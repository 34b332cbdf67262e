// The state and behaviour of one header control ("SysHeader32"): a row of items the user clicks,
// resizes by their dividers and reorders by dragging, with an optional row of filters below.
// The window procedure unpacks each message and calls one member. HeaderControl.cpp holds the
// items and the messages, HeaderMouse.cpp the mouse and keyboard, HeaderLayout.cpp the one
// geometry routine that painting and hit-testing share, HeaderPaint.cpp the drawing and
// HeaderFilter.cpp the filter bar.
//
// Supported messages and styles: see Header.h.
#pragma once

#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/ControlLifetime.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/theme/Theme.h"

namespace orvane::platform {

class HeaderControl {
public:
    // Registers the class once per process (it survives platform resets).
    static void registerClass();
    // The timer that sends HDN_FILTERCHANGE while a filter is typed.
    static constexpr UINT_PTR kFilterTimer = 1;
    // The in-place filter editor's child-window identifier.
    static constexpr int kFilterEditId = 1;

    // Kept alive while its own messages run: destroyed inside one, it is dead until they end.
    ControlLifetime lifetime;

private:
    template <class T>
    friend LRESULT runControlMessage(HWND, UINT, WPARAM, LPARAM);
    template <class T>
    friend class ControlHold;
    struct Item {
        std::u16string text;
        bool textCallback = false;  // LPSTR_TEXTCALLBACKW: asked of the parent when needed
        int width = 0;
        int format = HDF_LEFT;
        LPARAM lParam = 0;
        HBITMAP bitmap;  // the caller's bitmap, never deleted by the control
        int image = 0;   // I_IMAGECALLBACK: asked of the parent
        // The filter: its type (HDFT_ISSTRING, HDFT_ISNUMBER or HDFT_ISDATE, with
        // HDFT_HASNOVALUE when empty), the text of a string filter and its length limit, the
        // value of a number, the day of a date.
        UINT filterType = HDFT_ISSTRING | HDFT_HASNOVALUE;
        std::u16string filterText;
        int filterMax = 0;
        int filterNumber = 0;
        SYSTEMTIME filterDate{};
        // Where the item starts, from the order and the widths (placeItems).
        int left = 0;
    };

    // The parts of one item in client coordinates; empty rectangles for parts it lacks.
    struct ItemGeometry {
        RECT column{};        // the item and its filter, the whole height of the control
        RECT head{};          // the item's row
        RECT content{};       // inside the margins, less the state box and drop-down
        RECT stateBox{};      // HDS_CHECKBOXES with HDF_CHECKBOX
        RECT dropDown{};      // HDF_SPLITBUTTON
        RECT filter{};        // HDS_FILTERBAR: the cell showing the filter ...
        RECT filterButton{};  // ... and its button
    };

    // What the left button is doing.
    enum class Mode { None, Press, Track, Drag };
    enum class EditEnd { Commit, Discard };
    enum class FocusBack { Restore, Leave };

    explicit HeaderControl(HWND hwnd) : m_hwnd(hwnd) {}
    static LRESULT wndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    DWORD style() const;
    bool valid(int index) const { return index >= 0 && index < count(); }
    int count() const { return static_cast<int>(m_items.size()); }

    // Items (HeaderControl.cpp).
    LRESULT insertItem(int index, const HDITEMW* hdi);
    LRESULT deleteItem(int index);
    LRESULT getItem(int index, HDITEMW* hdi);
    LRESULT setItem(int index, const HDITEMW* hdi);
    // Checks a caller's mask and filter; reports what is not supported.
    static bool acceptable(const char* call, const HDITEMW& hdi);
    // Copies the fields `hdi` names into the item.
    void store(Item& item, const HDITEMW& hdi) const;
    // Moves the item to order position `order` (clamped), shifting the others.
    void moveToOrder(int index, int order);
    int orderOf(int index) const;
    LRESULT getOrderArray(int size, int* out) const;
    LRESULT setOrderArray(int size, const int* in);
    // Recomputes every item's left edge from the order and the widths, and repaints.
    void placeItems();
    // The item's text, asking the parent for callback text; `image` likewise. Both may let the
    // parent destroy the control (lifetime.dead).
    std::u16string textOf(int index);
    int imageOf(int index);
    // Sends HDN_GETDISPINFOW for the fields of `mask` and keeps them with HDI_DI_SETITEM.
    void askParent(int index, UINT mask, std::u16string* text, int* image);
    LRESULT setImageList(WPARAM which, HIMAGELIST list);
    LRESULT setHotDivider(bool byPoint, LPARAM value);
    LRESULT getDropDownRect(int index, RECT* rc);
    LRESULT setFocusedItem(int index);
    void setFont(HFONT font, bool redraw);

    // Notifications: WM_NOTIFY to the parent with the control's identifier.
    LRESULT notify(NMHDR& hdr, UINT code);
    LRESULT notifyItem(UINT code, int index, HDITEMW* item = nullptr, int button = 0);
    // HDN_ITEMCHANGINGW, the change, HDN_ITEMCHANGEDW: false when the parent refused (or the
    // control went).
    bool changeItem(int index, const HDITEMW& hdi);

    // Mouse and keyboard (HeaderMouse.cpp).
    void leftDown(POINT pt);
    void leftUp(POINT pt);
    void leftDoubleClick(POINT pt);
    void mouseMove(POINT pt, WPARAM keys);
    void rightUp(POINT pt);
    void keyDown(int vk);
    void beginTrack(int index, POINT pt);
    void track(int x);
    void endTrack(bool apply);
    void beginDrag(POINT pt);
    void endDrag(bool apply);
    void cancelMode();
    void setHot(int index, UINT part);
    // The sizing cursor over a divider; false elsewhere.
    bool setCursor();
    // The order position an item dropped at x would take.
    int dropOrder(int x) const;

    // Geometry (HeaderLayout.cpp).
    int scale(int px) const;
    HFONT font() const;
    int bitmapMargin() const;
    // The height of one row: the font's height and a margin above and below.
    int rowHeight() const;
    LRESULT layout(HDLAYOUT* hl) const;
    // The items' row and the filters' row, splitting the client area in two with a filter bar.
    RECT headRow() const;
    RECT filterRow() const;
    ItemGeometry geometry(int index) const;
    // Where a divider lies: the right edge of the item at order position order-1 (0 for the
    // first position).
    int dividerX(int order) const;
    HDHITTESTINFO hitTest(POINT pt) const;
    bool sizable(int index) const;

    // Drawing (HeaderPaint.cpp).
    void paint(HDC dc, const RECT& clip);
    // One item in the look of its state: its background, then its content (or WM_DRAWITEM
    // for HDF_OWNERDRAW), its state box, drop-down and filter.
    void paintItem(HDC dc, int index, const ItemGeometry& g, bool pressed, bool hot);
    // An item's background over `rc`; index -1 for the empty part right of the items.
    void paintItemBackground(HDC dc, const RECT& rc, int index, bool pressed, bool hot);
    void paintContent(HDC dc, int index, const ItemGeometry& g, bool pressed);
    void paintStateBox(HDC dc, int index, const RECT& rc);
    void paintDropDown(HDC dc, int index, const RECT& rc);
    void paintFilter(HDC dc, int index, const ItemGeometry& g);
    // A vertical bar across the item row at x: a drop marker or a tracking line.
    void paintMarker(HDC dc, int x, int width, COLORREF colour);
    LRESULT customDraw(HDC dc, DWORD stage, const RECT& rc, int index, UINT state);
    LRESULT createDragImage(int index);

    // Filter bar (HeaderFilter.cpp).
    static LRESULT editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                            DWORD_PTR ref);
    LRESULT beginFilterEdit(int index);
    void endFilterEdit(EditEnd how, FocusBack focus);
    LRESULT editFilter(int index, bool discard);
    LRESULT clearFilter(int index);
    void filterButtonClick(int index);
    void filterTyped();
    void filterTimer();
    // The edit's text stored as the filter; true when the filter changed. A date filter keeps
    // its value when the text is not a date.
    bool takeEditText(int index);
    // The filter's value (text, number, date) is the same in both.
    static bool sameFilter(const Item& a, const Item& b);
    std::u16string filterString(const Item& item) const;

    HWND m_hwnd;

    // Items: by index, and their indexes in display order.
    std::vector<Item> m_items;
    std::vector<int> m_order;

    // Settings.
    HFONT m_font;  // null: the system font
    HIMAGELIST m_images;
    HIMAGELIST m_stateImages;
    int m_bitmapMargin = -1;  // -1: three edge widths
    UINT m_filterTimeout = 1000;

    // Interaction: what the left button does, on which item, and what is hot or focused.
    Mode m_mode = Mode::None;
    int m_active = -1;           // the pressed, tracked or dragged item
    bool m_pressInside = false;  // the pointer is still over the pressed item
    POINT m_pressAt{};
    int m_trackGrab = 0;   // pointer x minus the divider x when tracking began
    int m_trackStart = 0;  // the width when tracking began
    int m_trackWidth = 0;  // the width so far
    int m_dragX = 0;       // the pointer while dragging
    int m_dragGrab = 0;    // pointer x minus the dragged item's left edge
    int m_hot = -1;
    UINT m_hotPart = 0;       // the HHT_ flag of the hot part of the hot item
    bool m_tracking = false;  // TrackMouseEvent asked for WM_MOUSELEAVE
    int m_focus = -1;
    int m_hotDivider = -1;  // HDM_SETHOTDIVIDER's marker, as an order position

    // The themes open while painting ("Header" and "Button"), null without styles.
    HTHEME m_theme;
    HTHEME m_buttonTheme;

    // The filter editor: one Edit window, made when first needed and hidden between edits.
    HWND m_edit;
    int m_editItem = -1;
    Item m_editBefore;  // the filter as it was when editing began
    bool m_settingEdit = false;
    HWND m_focusBefore;
};

}  // namespace orvane::platform
