#include "controls/edit/ucTreeView.h"

#include <algorithm>
#include <cmath>

#include "framework/ImageListValue.h"
#include "host/OleColor.h"
#include "platform/theme/Theme.h"

namespace orvane {

using namespace platform;

ucTreeView::ucTreeView() : OwnerDrawnControl(StandardEvents{}) {}

ucTreeView::~ucTreeView() {
    m_subclass.reset();
    if (m_hfont) DeleteObject(m_hfont);
    if (m_cellFont) DeleteObject(m_cellFont);
}

PropertyTable ucTreeView::declare() {
    using T = ucTreeView;
    PropertyTable t;
    declareStateless<T>(t);
    // The tree's border is its own setting: none or a sunken edge.
    t.remove(u"Appearance");
    t.remove(u"BorderStyle");
    t.redeclare<T, OLE_COLOR>(u"BackColor")
        .defaults(vbWindowBackground, vbWindowBackground)
        .then([](T& c) { c.applyColors(); })
        .noRedraw();
    t.redeclare<T, OLE_COLOR>(u"ForeColor")
        .defaults(vbWindowText, vbWindowText)
        .then([](T& c) { c.applyColors(); })
        .noRedraw();
    t.redeclare<T, bool>(u"Enabled").then([](T& c) {
        c.enabledChanged();
        if (c.m_tree) EnableWindow(c.m_tree, c.m_enabled ? TRUE : FALSE);
    });
    t.redeclare<T, std::shared_ptr<StdFont>>(u"Font").then([](T& c) {
        c.fontChanged();
        c.applyFont();
        c.raise(evFontChanged);
    });
    t.add<T>(u"BorderStyle", &T::m_tvBorderStyle, bsFixedSingle, bsFixedSingle)
        .check([](const BorderStyleConstants& v) { return v == bsNone || v == bsFixedSingle; })
        .then([](T& c) { c.applyBorder(); })
        .noRedraw();
    const auto style = [](DWORD bits, bool T::*field, bool inverted = false) {
        return [bits, field, inverted](T& c) { c.applyStyle(bits, (c.*field) != inverted); };
    };
    t.add<T>(u"CheckBoxes", &T::m_checkBoxes, false, false)
        .then([](T& c) {
            c.applyStyle(TVS_CHECKBOXES, c.m_checkBoxes);
            c.applyCheckImages();
        })
        .noRedraw();
    t.add<T>(u"FullRowSelect", &T::m_fullRowSelect, true, true)
        .then(style(TVS_FULLROWSELECT, &T::m_fullRowSelect))
        .noRedraw();
    t.add<T>(u"HasButtons", &T::m_hasButtons, false, false)
        .then(style(TVS_HASBUTTONS, &T::m_hasButtons))
        .noRedraw();
    t.add<T>(u"HasLines", &T::m_hasLines, false, false)
        .then(style(TVS_HASLINES, &T::m_hasLines))
        .noRedraw();
    t.add<T>(u"HasRootLines", &T::m_hasRootLines, false, false)
        .then(style(TVS_LINESATROOT, &T::m_hasRootLines))
        .noRedraw();
    t.add<T>(u"HeaderBackColor", &T::m_headerBackColor, OLE_COLOR{16511461}, OLE_COLOR{16511461});
    t.add<T>(u"HeaderHeight", &T::m_headerHeight, 24, 24).check(within(0, 1000)).then([](T& c) {
        c.layout();
    });
    t.add<T>(u"HideSelection", &T::m_hideSelection, false, false)
        .then(style(TVS_SHOWSELALWAYS, &T::m_hideSelection, true))
        .noRedraw();
    t.add<T>(u"LabelEdit", &T::m_labelEdit, false, false)
        .then(style(TVS_EDITLABELS, &T::m_labelEdit))
        .noRedraw();
    t.add<T>(u"MultiColumn", &T::m_multiColumn, false, false).then([](T& c) {
        c.layout();
        if (c.m_tree) InvalidateRect(c.m_tree, nullptr, FALSE);
    });
    t.add<T>(u"OLEDragAutoExpand", &T::m_oleDragAutoExpand, false, false).noRedraw();
    t.add<T>(u"OLEDragInsertStyle", &T::m_oleDragInsertStyle, disInsertMark, disInsertMark)
        .check([](const OLEDragInsertStyleConstants& v) {
            return v == disInsertMark || v == disDropHilite;
        })
        .noRedraw();
    // An automatic drag lets the tree report a node dragged with the mouse.
    t.add<T>(u"OLEDragMode", &T::m_oleDragMode, 0, 0)
        .check(within(0, 1))
        .then([](T& c) { c.applyStyle(TVS_DISABLEDRAGDROP, c.m_oleDragMode == 0); })
        .noRedraw();
    t.add<T>(u"OLEDropMode", &T::m_oleDropMode, 0, 0)
        .check(within(0, 2))
        .then([](T& c) { c.applyDropMode(); })
        .noRedraw();
    t.add<T>(u"RaiseSubItemPrePaint", &T::m_raiseSubItemPrePaint, false, false).then([](T& c) {
        if (c.m_tree) InvalidateRect(c.m_tree, nullptr, FALSE);
    });
    t.add<T>(u"SingleExpand", &T::m_singleExpand, false, false)
        .then(style(TVS_SINGLEEXPAND, &T::m_singleExpand))
        .noRedraw();
    t.add<T>(u"TrackSelect", &T::m_trackSelect, false, false)
        .then(style(TVS_TRACKSELECT, &T::m_trackSelect))
        .noRedraw();
    return t;
}

const PropertyTable& ucTreeView::table() {
    static const PropertyTable table = declare();
    return table;
}

// --- The window ---

DWORD ucTreeView::windowStyle() const {
    DWORD style = WS_CHILD | WS_TABSTOP | TVS_SHOWSELALWAYS;
    if (m_oleDragMode == 0) style |= TVS_DISABLEDRAGDROP;
    if (m_labelEdit) style |= TVS_EDITLABELS;
    return style;
}

bool ucTreeView::InitializeTree() {
    if (!hWnd()) return false;
    const bool hadFocus = m_tree && GetFocus() == m_tree;
    if (m_subclass) m_subclass->ssc_Terminate();
    if (m_tree) {
        const HWND old = m_tree;
        m_tree = HWND();
        DestroyWindow(old);
    }
    // The new window starts empty: every record and key goes with the old one's nodes.
    m_records.clear();
    m_freeRecords.clear();
    m_keys.clear();
    m_recordKeys.clear();
    m_recordTags.clear();
    m_columnPool.clear();
    m_staleColumns = 0;
    INITCOMMONCONTROLSEX icc;
    icc.dwICC = ICC_TREEVIEW_CLASSES;
    InitCommonControlsEx(&icc);
    RECT rc{};
    GetClientRect(hWnd(), &rc);
    DWORD ex = WS_EX_NOPARENTNOTIFY;
    if (m_tvBorderStyle == bsFixedSingle) ex |= WS_EX_CLIENTEDGE;
    if (m_rightToLeft) ex |= WS_EX_LAYOUTRTL;
    m_tree = CreateWindowExW(ex, WC_TREEVIEWW, u"", windowStyle(), 0, 0, rc.right, rc.bottom,
                             hWnd(), HMENU(kTreeId), HINSTANCE(), nullptr);
    if (!m_tree) return false;
    SetWindowTheme(m_tree, u"explorer", nullptr);
    m_appliedFont.reset();
    applyFont();
    applyColors();
    ShowWindow(m_tree, SW_SHOW);
    EnableWindow(m_tree, m_enabled ? TRUE : FALSE);
    applyAllStyles();
    if (m_usedImages) send(TVM_SETIMAGELIST, TVSIL_NORMAL, static_cast<LPARAM>(m_usedImages.value));
    if (!m_subclass)
        m_subclass = std::make_unique<Subclasser>(u"ucTreeView", [this](SubclassMessage& m) {
            if (m.hWnd == m_tree) onTreeMessage(m);
        });
    if (m_subclass->ssc_Subclass(m_tree)) {
        // Buttons are seen before the tree: it may keep a release to itself while it watches
        // for a drag.
        for (UINT msg : {WM_KEYDOWN, WM_KEYUP, WM_CHAR, kCheckCascade, WM_LBUTTONDOWN,
                         WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP})
            m_subclass->zAddMsg(m_tree, static_cast<std::int32_t>(msg), MsgWhen::MSG_BEFORE);
        for (UINT msg : {WM_MOUSEMOVE, WM_MOUSELEAVE, WM_HSCROLL, WM_SIZE})
            m_subclass->zAddMsg(m_tree, static_cast<std::int32_t>(msg), MsgWhen::MSG_AFTER);
    }
    applyDropMode();
    layout();
    if (hadFocus) SetFocus(m_tree);
    return true;
}

void ucTreeView::Terminate() {
    if (m_subclass) m_subclass->ssc_Terminate();
    if (m_tree) {
        const HWND tree = m_tree;
        m_tree = HWND();
        DestroyWindow(tree);
    }
    for (HIMAGELIST* list : {&m_images, &m_headerImages, &m_checkImages}) {
        if (*list) ImageList_Destroy(*list);
        *list = HIMAGELIST();
    }
    m_usedImages = m_usedHeaderImages = HIMAGELIST();
    m_records.clear();
    m_freeRecords.clear();
    m_keys.clear();
    m_recordKeys.clear();
    m_recordTags.clear();
    m_columnPool.clear();
    m_staleColumns = 0;
    OwnerDrawnControl::Terminate();
}

void ucTreeView::loaded() {
    // The tree window waits for Initialize; drops are taken by the control's window.
    applyDropMode();
}

RECT ucTreeView::headerRect() const {
    RECT rc{};
    if (!m_multiColumn || !hWnd()) return rc;
    GetClientRect(hWnd(), &rc);
    rc.bottom = std::min(rc.bottom, static_cast<LONG>(scaledForDpi(m_headerHeight)));
    return rc;
}

void ucTreeView::layout() {
    if (!m_tree) return;
    RECT rc{};
    GetClientRect(hWnd(), &rc);
    const int top = m_multiColumn ? headerRect().bottom : 0;
    MoveWindow(m_tree, 0, top, rc.right, std::max(0, static_cast<int>(rc.bottom) - top), TRUE);
    if (m_multiColumn) {
        const RECT header = headerRect();
        InvalidateRect(hWnd(), &header, FALSE);
    }
}

void ucTreeView::Resize() {
    OwnerDrawnControl::Resize();
    layout();
    raise(evResize);
}

void ucTreeView::Refresh() {
    ensureLayout();
    if (m_tree) {
        if (m_multiColumn) {
            const RECT header = headerRect();
            InvalidateRect(hWnd(), &header, FALSE);
            UpdateWindow(hWnd());
        }
        InvalidateRect(m_tree, nullptr, FALSE);
        UpdateWindow(m_tree);
    } else {
        OwnerDrawnControl::Refresh();
    }
}

void ucTreeView::Paint() {
    const HDC dc = hDC();
    if (m_tree) {
        if (m_multiColumn) paintHeader(dc);
        return;
    }
    // Without a window (at design time, or before Initialize) the control shows its background
    // and border.
    RECT rc{};
    GetClientRect(hWnd(), &rc);
    const HBRUSH back = CreateSolidBrush(TranslateColor(m_backColor));
    FillRect(dc, &rc, back);
    DeleteObject(back);
    if (m_tvBorderStyle == bsFixedSingle) DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT);
}

HWND ucTreeView::hWndLabelEdit() const {
    return HWND(static_cast<std::uint32_t>(send(TVM_GETEDITCONTROL)));
}

LRESULT ucTreeView::send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return m_tree ? SendMessageW(m_tree, msg, wParam, lParam) : 0;
}

void ucTreeView::SetRedrawMode(bool enable) {
    send(WM_SETREDRAW, enable ? TRUE : FALSE);
    if (enable && m_tree) InvalidateRect(m_tree, nullptr, FALSE);
}

void ucTreeView::BeginUpdate() {
    if (m_updates++ == 0) SetRedrawMode(false);
}

void ucTreeView::EndUpdate() {
    if (m_updates == 0) return;
    if (--m_updates == 0) SetRedrawMode(true);
}

void ucTreeView::RightToLeft(bool value) {
    if (value == m_rightToLeft) return;
    m_rightToLeft = value;
    if (m_tree) InitializeTree();
}

void ucTreeView::applyStyle(DWORD bits, bool on) {
    if (!m_tree) return;
    const DWORD old = static_cast<DWORD>(GetWindowLongW(m_tree, GWL_STYLE));
    const DWORD style = on ? (old | bits) : (old & ~bits);
    if (style == old) return;
    SetWindowLongW(m_tree, GWL_STYLE, static_cast<LONG>(style));
    InvalidateRect(m_tree, nullptr, FALSE);
}

void ucTreeView::applyAllStyles() {
    const std::pair<DWORD, bool> bits[] = {
        {TVS_HASBUTTONS, m_hasButtons},       {TVS_HASLINES, m_hasLines},
        {TVS_LINESATROOT, m_hasRootLines},    {TVS_CHECKBOXES, m_checkBoxes},
        {TVS_FULLROWSELECT, m_fullRowSelect}, {TVS_TRACKSELECT, m_trackSelect},
        {TVS_SINGLEEXPAND, m_singleExpand},   {TVS_SHOWSELALWAYS, !m_hideSelection}};
    for (const auto& [bit, on] : bits)
        applyStyle(bit, on);
    applyCheckImages();
}

void ucTreeView::applyColors() {
    if (!m_tree) return;
    send(TVM_SETBKCOLOR, 0, static_cast<LPARAM>(TranslateColor(m_backColor)));
    send(TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(TranslateColor(m_foreColor)));
    InvalidateRect(m_tree, nullptr, FALSE);
}

void ucTreeView::applyFont() {
    if (!m_tree || (m_appliedFont && FontsEqual(m_appliedFont, m_font))) return;
    const HFONT font = createFont();
    send(WM_SETFONT, static_cast<WPARAM>(font.value), TRUE);
    if (m_hfont) DeleteObject(m_hfont);
    m_hfont = font;
    m_appliedFont = m_font ? m_font->clone() : nullptr;
}

void ucTreeView::applyBorder() {
    if (!m_tree) return;
    DWORD ex = static_cast<DWORD>(GetWindowLongW(m_tree, GWL_EXSTYLE)) & ~WS_EX_CLIENTEDGE;
    if (m_tvBorderStyle == bsFixedSingle) ex |= WS_EX_CLIENTEDGE;
    SetWindowLongW(m_tree, GWL_EXSTYLE, static_cast<LONG>(ex));
    SetWindowPos(m_tree, HWND(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void ucTreeView::applyCheckImages() {
    if (!m_tree || !m_checkBoxes) return;
    // Three states need three images: unchecked, checked and grey (index 0 stays unused).
    if (!m_checkImages) {
        const int size = scaledForDpi(16);
        m_checkImages = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 4, 0);
        if (!m_checkImages) return;
        const HDC screen = GetDC(HWND());
        const HDC dc = CreateCompatibleDC(screen);
        const HTHEME theme = OpenThemeData(m_tree, u"Button");
        const int themed[] = {0, CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL, CBS_MIXEDNORMAL};
        const UINT classic[] = {0, DFCS_BUTTONCHECK, DFCS_BUTTONCHECK | DFCS_CHECKED,
                                DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE};
        for (int i = 0; i < 4; ++i) {
            const HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
            const HGDIOBJ old = SelectObject(dc, bitmap);
            RECT r{0, 0, size, size};
            // Magenta is keyed out as the mask.
            const HBRUSH key = CreateSolidBrush(RGB(255, 0, 255));
            FillRect(dc, &r, key);
            DeleteObject(key);
            if (i > 0) {
                RECT box{2, 2, size - 2, size - 2};
                if (theme)
                    DrawThemeBackground(theme, dc, BP_CHECKBOX, themed[i], &box, nullptr);
                else
                    DrawFrameControl(dc, &box, DFC_BUTTON, classic[i] | DFCS_FLAT);
            }
            SelectObject(dc, old);
            ImageList_AddMasked(m_checkImages, bitmap, RGB(255, 0, 255));
            DeleteObject(bitmap);
        }
        if (theme) CloseThemeData(theme);
        DeleteDC(dc);
        ReleaseDC(HWND(), screen);
    }
    send(TVM_SETIMAGELIST, TVSIL_STATE, static_cast<LPARAM>(m_checkImages.value));
}

void ucTreeView::OLEDragInsertStyle(OLEDragInsertStyleConstants value) {
    setProperty(m_oleDragInsertStyle, value);
}

// --- Run-time looks ---

std::int32_t ucTreeView::LineColor() const {
    return m_tree ? static_cast<std::int32_t>(send(TVM_GETLINECOLOR)) : -1;
}

void ucTreeView::LineColor(std::int32_t color) {
    send(TVM_SETLINECOLOR, 0,
         color == -1 ? static_cast<LPARAM>(CLR_DEFAULT)
                     : static_cast<LPARAM>(TranslateColor(static_cast<OLE_COLOR>(color))));
}

std::int32_t ucTreeView::InsertMarkColor() const {
    return m_tree ? static_cast<std::int32_t>(send(TVM_GETINSERTMARKCOLOR)) : -1;
}

void ucTreeView::InsertMarkColor(std::int32_t color) {
    send(TVM_SETINSERTMARKCOLOR, 0,
         color == -1 ? static_cast<LPARAM>(CLR_DEFAULT)
                     : static_cast<LPARAM>(TranslateColor(static_cast<OLE_COLOR>(color))));
}

std::int32_t ucTreeView::ItemHeight() const {
    return static_cast<std::int32_t>(send(TVM_GETITEMHEIGHT));
}

void ucTreeView::ItemHeight(std::int32_t pixels) {
    if (pixels < -1 || pixels > 32767) InvalidPropertyValue(u"ItemHeight");
    send(TVM_SETITEMHEIGHT, static_cast<WPARAM>(pixels));
}

std::int32_t ucTreeView::ItemIndent() const {
    return static_cast<std::int32_t>(send(TVM_GETINDENT));
}

void ucTreeView::ItemIndent(std::int32_t pixels) {
    if (pixels < 0 || pixels > 32767) InvalidPropertyValue(u"ItemIndent");
    send(TVM_SETINDENT, static_cast<WPARAM>(pixels));
}

// --- Columns ---

std::int32_t ucTreeView::AddColumn(const std::u16string& text, std::int32_t width,
                                   std::int32_t textAlign, std::int32_t iconIndex,
                                   OLE_COLOR foreColor, OLE_COLOR backColor) {
    Column c;
    c.text = text;
    c.width = std::max(0, width);
    c.align = std::clamp(textAlign, 0, 2);
    c.icon = iconIndex;
    c.foreColor = foreColor;
    c.backColor = backColor;
    m_columns.push_back(std::move(c));
    Refresh();
    return ColumnCount() - 1;
}

std::int32_t ucTreeView::ColumnIconIndex(std::int32_t column) const {
    return columnField(column, &Column::icon);
}

void ucTreeView::ColumnIconIndex(std::int32_t column, std::int32_t icon) {
    setColumnField(column, &Column::icon, icon);
}

OLE_COLOR ucTreeView::ColumnForeColor(std::int32_t column) const {
    return columnField(column, &Column::foreColor);
}

void ucTreeView::ColumnForeColor(std::int32_t column, OLE_COLOR color) {
    setColumnField(column, &Column::foreColor, color);
}

OLE_COLOR ucTreeView::ColumnBackColor(std::int32_t column) const {
    return columnField(column, &Column::backColor);
}

void ucTreeView::ColumnBackColor(std::int32_t column, OLE_COLOR color) {
    setColumnField(column, &Column::backColor, color);
}

std::int32_t ucTreeView::ColumnAlignment(std::int32_t column) const {
    return columnField(column, &Column::align);
}

void ucTreeView::ColumnAlignment(std::int32_t column, std::int32_t align) {
    setColumnField(column, &Column::align, std::clamp(align, 0, 2));
}

std::u16string ucTreeView::ColumnText(std::int32_t column) const {
    return columnField(column, &Column::text);
}

void ucTreeView::ColumnText(std::int32_t column, std::u16string text) {
    setColumnField(column, &Column::text, text);
}

std::int32_t ucTreeView::ColumnWidth(std::int32_t column) const {
    return columnField(column, &Column::width);
}

void ucTreeView::ColumnWidth(std::int32_t column, std::int32_t width) {
    setColumnField(column, &Column::width, std::max(0, width));
}

int ucTreeView::columnLeft(std::int32_t column) const {
    int x = 0;
    for (std::int32_t i = 0; i < column && i < ColumnCount(); ++i)
        x += scaledForDpi(m_columns[static_cast<std::size_t>(i)].width);
    return x;
}

// --- Images ---

bool ucTreeView::InitializeImageList(std::int32_t width, std::int32_t height, bool header) {
    if (width <= 0 || height <= 0 || width > 256 || height > 256) return false;
    const HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4);
    if (!list) return false;
    HIMAGELIST& owned = header ? m_headerImages : m_images;
    if (owned) ImageList_Destroy(owned);
    owned = list;
    if (header) {
        m_usedHeaderImages = list;
        Refresh();
    } else {
        m_usedImages = list;
        send(TVM_SETIMAGELIST, TVSIL_NORMAL, static_cast<LPARAM>(list.value));
    }
    return true;
}

std::int32_t ucTreeView::AddBitmap(std::int32_t hBitmap, OLE_COLOR maskColor) {
    if (!m_usedImages || !hBitmap) return -1;
    return ImageList_AddMasked(m_usedImages, HBITMAP(static_cast<std::uint32_t>(hBitmap)),
                               TranslateColor(maskColor));
}

std::int32_t ucTreeView::AddIcon(std::int32_t hIcon, bool header) {
    const HIMAGELIST list = header ? m_usedHeaderImages : m_usedImages;
    if (!list || !hIcon) return -1;
    return ImageList_ReplaceIcon(list, -1, HICON(static_cast<std::uint32_t>(hIcon)));
}

std::int32_t ucTreeView::ImageList(bool header) const {
    return static_cast<std::int32_t>((header ? m_usedHeaderImages : m_usedImages).value);
}

void ucTreeView::ImageList(const Variant& value, bool header) {
    const HIMAGELIST list = imageListFromValue(value, u"ucTreeView.ImageList");
    if (header) {
        m_usedHeaderImages = list;
        Refresh();
    } else {
        m_usedImages = list;
        send(TVM_SETIMAGELIST, TVSIL_NORMAL, static_cast<LPARAM>(list.value));
    }
}

// --- Units ---

double ucTreeView::toUnitsX(double px) const {
    return ScaleX(px, orvane::ScaleMode::Pixels, ScaleMode());
}

double ucTreeView::toUnitsY(double px) const {
    return ScaleY(px, orvane::ScaleMode::Pixels, ScaleMode());
}

int ucTreeView::toPixelsX(double units) const {
    return static_cast<int>(std::lround(ScaleX(units, ScaleMode(), orvane::ScaleMode::Pixels)));
}

int ucTreeView::toPixelsY(double units) const {
    return static_cast<int>(std::lround(ScaleY(units, ScaleMode(), orvane::ScaleMode::Pixels)));
}

std::u16string ucTreeView::PtrToStrW(const char16_t* text) {
    return text ? std::u16string(text) : std::u16string();
}

}  // namespace orvane
