#include "controls/edit/ucListView.h"

#include <algorithm>
#include <cmath>

#include "host/OleColor.h"
#include "platform/theme/Theme.h"

namespace orvane {

using namespace platform;

ucListView::ucListView() : OwnerDrawnControl(StandardEvents{}) {}

ucListView::~ucListView() {
    m_subclass.reset();
    if (m_hfont) DeleteObject(m_hfont);
    if (m_cellFont) DeleteObject(m_cellFont);
}

PropertyTable ucListView::declare() {
    using T = ucListView;
    PropertyTable t;
    declareStateless<T>(t);
    // The list's border is its own setting: none, flat or sunken.
    t.remove(u"Appearance");
    t.remove(u"BorderStyle");
    // A new instance's colours are 0 and leave the list in the system's until chosen.
    t.redeclare<T, OLE_COLOR>(u"BackColor")
        .defaults(0, vbWindowBackground)
        .then([](T& c) { c.applyColors(); })
        .noRedraw();
    t.redeclare<T, OLE_COLOR>(u"ForeColor")
        .defaults(0, vbWindowText)
        .then([](T& c) { c.applyColors(); })
        .noRedraw();
    t.redeclare<T, bool>(u"Enabled").then([](T& c) {
        c.enabledChanged();
        if (c.m_list) EnableWindow(c.m_list, c.m_enabled ? TRUE : FALSE);
    });
    t.redeclare<T, std::shared_ptr<StdFont>>(u"Font").then([](T& c) {
        c.fontChanged();
        c.applyFont();
    });
    t.add<T>(u"BorderStyle", &T::m_lvBorderStyle, bsNone, bsFlat)
        .check([](const BorderStyleConstants& v) { return v >= bsNone && v <= bs3d; })
        .then([](T& c) { c.applyBorder(); })
        .noRedraw();
    const auto exStyle = [](DWORD bit, bool T::*field) {
        return [bit, field](T& c) { c.applyExStyle(bit, c.*field); };
    };
    t.add<T>(u"CheckBoxes", &T::m_checkBoxes, false, false)
        .then(exStyle(LVS_EX_CHECKBOXES, &T::m_checkBoxes))
        .noRedraw();
    t.add<T>(u"ColumnIconOnRight", &T::m_columnIconOnRight, false, false)
        .then([](T& c) {
            for (std::int32_t col = 0; col < c.ColumnCount(); ++col)
                c.setColumnFormat(col, c.m_columnIconOnRight ? LVCFMT_BITMAP_ON_RIGHT : 0,
                                  LVCFMT_BITMAP_ON_RIGHT);
        })
        .noRedraw();
    t.add<T>(u"EnableSetIPAO", &T::m_enableSetIPAO, true, true).noRedraw();
    t.add<T>(u"ExplorerTheme", &T::m_explorerTheme, true, true)
        .then([](T& c) {
            if (c.m_list) SetWindowTheme(c.m_list, c.m_explorerTheme ? u"explorer" : u"", nullptr);
        })
        .noRedraw();
    t.add<T>(u"FullRowSelect", &T::m_fullRowSelect, false, false)
        .then(exStyle(LVS_EX_FULLROWSELECT, &T::m_fullRowSelect))
        .noRedraw();
    t.add<T>(u"GridLines", &T::m_gridLines, false, false)
        .then(exStyle(LVS_EX_GRIDLINES, &T::m_gridLines))
        .noRedraw();
    t.add<T>(u"HeaderDragDrop", &T::m_headerDragDrop, false, false)
        .then(exStyle(LVS_EX_HEADERDRAGDROP, &T::m_headerDragDrop))
        .noRedraw();
    t.add<T>(u"HeaderFixedWidth", &T::m_headerFixedWidth, false, false).noRedraw();
    t.add<T>(u"HeaderFlat", &T::m_headerFlat, false, false)
        .then([](T& c) { c.applyHeaderStyle(HDS_FLAT, c.m_headerFlat); })
        .noRedraw();
    t.add<T>(u"HeaderHeight", &T::m_headerHeight, std::int16_t{24}, std::int16_t{24})
        .check([](const std::int16_t& v) { return v >= 0; })
        .then([](T& c) {
            // The list asks its header for a new layout when its frame changes.
            if (c.m_list)
                SetWindowPos(c.m_list, HWND(), 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        })
        .noRedraw();
    t.add<T>(u"HeaderHide", &T::m_headerHide, false, false)
        .then([](T& c) { c.applyStyle(LVS_NOCOLUMNHEADER, c.m_headerHide); })
        .noRedraw();
    t.add<T>(u"HideSelection", &T::m_hideSelection, false, false)
        .then([](T& c) { c.applyStyle(LVS_SHOWSELALWAYS, !c.m_hideSelection); })
        .noRedraw();
    t.add<T>(u"LabelEdit", &T::m_labelEdit, false, false)
        .then([](T& c) { c.applyStyle(LVS_EDITLABELS, c.m_labelEdit); })
        .noRedraw();
    t.add<T>(u"LabelTips", &T::m_labelTips, false, false)
        .then(exStyle(LVS_EX_LABELTIP, &T::m_labelTips))
        .noRedraw();
    t.add<T>(u"MultiSelect", &T::m_multiSelect, false, false)
        .then([](T& c) { c.applyStyle(LVS_SINGLESEL, !c.m_multiSelect); })
        .noRedraw();
    t.add<T>(u"OneClickActivate", &T::m_oneClickActivate, false, false)
        .then(exStyle(LVS_EX_ONECLICKACTIVATE, &T::m_oneClickActivate))
        .noRedraw();
    const auto repaintList = [](T& c) {
        if (c.m_list) InvalidateRect(c.m_list, nullptr, FALSE);
    };
    t.add<T>(u"ProgressBackColor", &T::m_progressBackColor, vbWindowBackground, vbWindowBackground)
        .then(repaintList)
        .noRedraw();
    t.add<T>(u"ProgressBorderColor", &T::m_progressBorderColor, OLE_COLOR{0}, vbWindowText)
        .then(repaintList)
        .noRedraw();
    t.add<T>(u"ProgressColumn", &T::m_progressColumn, -1, -1)
        .check([](const std::int32_t& v) { return v >= -1; })
        .then(repaintList)
        .noRedraw();
    t.add<T>(u"ProgressFillColor", &T::m_progressFillColor, OLE_COLOR{0xE6E6E6},
             OLE_COLOR{0xE6E6E6})
        .then(repaintList)
        .noRedraw();
    t.add<T>(u"ProgressTextColor", &T::m_progressTextColor, vbWindowText, vbWindowText)
        .then(repaintList)
        .noRedraw();
    t.add<T>(u"ProgressTextVisible", &T::m_progressTextVisible, true, true)
        .then(repaintList)
        .noRedraw();
    t.add<T>(u"ProgressUseWindowsTheme", &T::m_progressUseTheme, false, true)
        .then(repaintList)
        .noRedraw();
    t.add<T>(u"RaisePrePaint", &T::m_raisePrePaint, false, false).then(repaintList).noRedraw();
    t.add<T>(u"RankingColumn", &T::m_rankingColumn, -1, -1)
        .check([](const std::int32_t& v) { return v >= -1; })
        .then(repaintList)
        .noRedraw();
    // Stored as a 16-bit value.
    t.add<T>(u"RankingLocked", &T::m_rankingLocked, false, false)
        .persistWith(
            [](T& c, const PropertyBag& bag) {
                c.m_rankingLocked =
                    CInt(bag.ReadProperty(u"RankingLocked", Variant(std::int16_t{0}))) != 0;
            },
            [](T& c, PropertyBag& bag) {
                bag.WriteProperty(u"RankingLocked",
                                  Variant(static_cast<std::int16_t>(c.m_rankingLocked ? -1 : 0)),
                                  Variant(std::int16_t{0}));
            })
        .then(repaintList)
        .noRedraw();
    t.add<T>(u"RightToLeft", &T::m_rightToLeft, false, false)
        .then([](T& c) {
            if (c.m_list) c.InitializeList();
        })
        .noRedraw();
    t.add<T>(u"ScrollBarFlat", &T::m_scrollBarFlat, false, false)
        .then(exStyle(LVS_EX_FLATSB, &T::m_scrollBarFlat))
        .noRedraw();
    t.add<T>(u"SubItemImages", &T::m_subItemImages, false, false)
        .then(exStyle(LVS_EX_SUBITEMIMAGES, &T::m_subItemImages))
        .noRedraw();
    // Changes are recorded under the names the control keeps them by.
    t.add<T>(u"TrackSelect", &T::m_trackSelect, false, false)
        .then([](T& c) {
            c.applyExStyle(LVS_EX_TRACKSELECT, c.m_trackSelect);
            c.PropertyChanged(u"mTrackSelect");
        })
        .noRedraw();
    t.add<T>(u"UnderlineHot", &T::m_underlineHot, false, false)
        .then([](T& c) {
            c.applyExStyle(LVS_EX_UNDERLINEHOT, c.m_underlineHot);
            c.PropertyChanged(u"mUnderlineHot");
        })
        .noRedraw();
    t.add<T>(u"ViewMode", &T::m_viewMode, vmIcon, vmDetails)
        .check([](const ViewModeConstants& v) { return v >= vmIcon && v <= vmTile; })
        .then([](T& c) {
            c.applyView();
            c.PropertyChanged(u"mViewMode");
        })
        .noRedraw();
    t.add<T>(u"Virtual", &T::m_virtual, false, false).noRedraw();
    t.add<T>(u"OLEDragMode", &T::m_oleDragMode, 0, 0).check(within(0, 1)).noRedraw();
    t.add<T>(u"OLEDropMode", &T::m_oleDropMode, 0, 0)
        .check(within(0, 2))
        .then([](T& c) { c.UserControl::OLEDropMode(c.m_oleDropMode); })
        .noRedraw();
    return t;
}

const PropertyTable& ucListView::table() {
    static const PropertyTable table = declare();
    return table;
}

// --- The window ---

DWORD ucListView::windowStyle() const {
    DWORD style = WS_CHILD | WS_TABSTOP | LVS_AUTOARRANGE | LVS_SHAREIMAGELISTS | LVS_LIST;
    if (m_virtual) style |= LVS_OWNERDATA;
    if (m_headerHide) style |= LVS_NOCOLUMNHEADER;
    if (!m_hideSelection) style |= LVS_SHOWSELALWAYS;
    if (m_labelEdit) style |= LVS_EDITLABELS;
    if (!m_multiSelect) style |= LVS_SINGLESEL;
    if (m_lvBorderStyle == bsFlat) style |= WS_BORDER;
    return style;
}

bool ucListView::InitializeList() {
    if (!hWnd()) return false;
    const bool hadFocus = m_list && GetFocus() == m_list;
    if (m_subclass) m_subclass->ssc_Terminate();
    if (m_list) {
        const HWND old = m_list;
        m_list = HWND();
        DestroyWindow(old);
    }
    INITCOMMONCONTROLSEX icc;
    icc.dwICC = ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&icc);
    RECT rc{};
    GetClientRect(hWnd(), &rc);
    DWORD ex = m_rightToLeft ? WS_EX_LAYOUTRTL : 0;
    if (m_lvBorderStyle == bs3d) ex |= WS_EX_CLIENTEDGE;
    m_list = CreateWindowExW(ex, WC_LISTVIEWW, u"", windowStyle(), 0, 0, rc.right, rc.bottom,
                             hWnd(), HMENU(kListId), HINSTANCE(), nullptr);
    if (!m_list) return false;
    send(CCM_SETUNICODEFORMAT, TRUE);
    ShowWindow(m_list, SW_SHOW);
    m_appliedFont.reset();
    applyFont();
    if (m_explorerTheme) SetWindowTheme(m_list, u"explorer", nullptr);
    applyAllExStyles();
    applyView();
    // A new instance's colours (both 0) leave the list in the system's; chosen ones apply.
    if (m_backColor != 0 || m_foreColor != 0) applyColors();
    EnableWindow(m_list, m_enabled ? TRUE : FALSE);
    if (m_small) send(LVM_SETIMAGELIST, LVSIL_SMALL, static_cast<LPARAM>(m_small.value));
    if (m_large) send(LVM_SETIMAGELIST, LVSIL_NORMAL, static_cast<LPARAM>(m_large.value));
    if (m_headerImages)
        sendHeader(HDM_SETIMAGELIST, HDSIL_NORMAL, static_cast<LPARAM>(m_headerImages.value));
    if (!m_subclass)
        m_subclass = std::make_unique<Subclasser>(u"ucListView", [this](SubclassMessage& m) {
            if (m.hWnd == m_list)
                onListMessage(m);
            else
                onHeaderMessage(m);
        });
    if (m_subclass->ssc_Subclass(m_list)) {
        for (UINT msg : {WM_KEYDOWN, WM_KEYUP, WM_CHAR})
            m_subclass->zAddMsg(m_list, static_cast<std::int32_t>(msg), MsgWhen::MSG_BEFORE);
        for (UINT msg : {WM_SETFOCUS, WM_KILLFOCUS, WM_MOUSEMOVE, WM_MOUSELEAVE, WM_LBUTTONDOWN,
                         WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP})
            m_subclass->zAddMsg(m_list, static_cast<std::int32_t>(msg), MsgWhen::MSG_AFTER);
    }
    // The header's height follows HeaderHeight.
    if (const HWND header = hWndHeader(); header && m_subclass->ssc_Subclass(header))
        m_subclass->zAddMsg(header, static_cast<std::int32_t>(HDM_LAYOUT), MsgWhen::MSG_AFTER);
    if (!m_progressTheme) m_progressTheme = OpenThemeData(m_list, u"Progress");
    m_hotItem = -1;
    SetWindowPos(m_list, HWND(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    if (hadFocus) SetFocus(m_list);
    return true;
}

void ucListView::Terminate() {
    if (m_subclass) m_subclass->ssc_Terminate();
    acceleratorHook(false);
    if (m_list) {
        const HWND list = m_list;
        m_list = HWND();
        DestroyWindow(list);
    }
    for (HIMAGELIST* list : {&m_small, &m_large, &m_headerImages}) {
        if (*list) ImageList_Destroy(*list);
        *list = HIMAGELIST();
    }
    if (m_progressTheme) CloseThemeData(m_progressTheme);
    m_progressTheme = HTHEME();
    OwnerDrawnControl::Terminate();
}

void ucListView::loaded() {
    // The window waits for Initialize; a rebuilt window keeps what the properties say.
    UserControl::OLEDropMode(m_oleDropMode);
}

void ucListView::layout() {
    if (!m_list) return;
    RECT rc{};
    GetClientRect(hWnd(), &rc);
    MoveWindow(m_list, 0, 0, rc.right, rc.bottom, TRUE);
}

void ucListView::Resize() {
    OwnerDrawnControl::Resize();
    layout();
    raise(evResize);
}

void ucListView::Refresh() {
    ensureLayout();
    if (m_list) {
        InvalidateRect(m_list, nullptr, FALSE);
        UpdateWindow(m_list);
    } else {
        OwnerDrawnControl::Refresh();
    }
}

void ucListView::Paint() {
    // Without a window (at design time, or before Initialize) the control shows its background
    // and border.
    if (m_list) return;
    const HDC dc = hDC();
    RECT rc{};
    GetClientRect(hWnd(), &rc);
    const HBRUSH back = CreateSolidBrush(TranslateColor(m_backColor));
    FillRect(dc, &rc, back);
    DeleteObject(back);
    if (m_lvBorderStyle == bs3d)
        DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT);
    else if (m_lvBorderStyle == bsFlat)
        FrameRect(dc, &rc, HBRUSH(GetStockObject(BLACK_BRUSH)));
}

void ucListView::NoRedraw(bool value) {
    m_noRedraw = value;
    send(WM_SETREDRAW, value ? FALSE : TRUE);
    if (!value && m_list) InvalidateRect(m_list, nullptr, FALSE);
}

HWND ucListView::hWndHeader() const {
    return HWND(static_cast<std::uint32_t>(send(LVM_GETHEADER)));
}

HWND ucListView::hWndLabelEdit() const {
    return HWND(static_cast<std::uint32_t>(send(LVM_GETEDITCONTROL)));
}

LRESULT ucListView::send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return m_list ? SendMessageW(m_list, msg, wParam, lParam) : 0;
}

LRESULT ucListView::sendHeader(UINT msg, WPARAM wParam, LPARAM lParam) const {
    const HWND header = hWndHeader();
    return header ? SendMessageW(header, msg, wParam, lParam) : 0;
}

void ucListView::applyExStyle(DWORD bit, bool on) {
    send(LVM_SETEXTENDEDLISTVIEWSTYLE, bit, on ? bit : 0);
}

void ucListView::applyAllExStyles() {
    const std::pair<DWORD, bool> bits[] = {{LVS_EX_DOUBLEBUFFER, true},
                                           {LVS_EX_CHECKBOXES, m_checkBoxes},
                                           {LVS_EX_GRIDLINES, m_gridLines},
                                           {LVS_EX_FULLROWSELECT, m_fullRowSelect},
                                           {LVS_EX_HEADERDRAGDROP, m_headerDragDrop},
                                           {LVS_EX_LABELTIP, m_labelTips},
                                           {LVS_EX_ONECLICKACTIVATE, m_oneClickActivate},
                                           {LVS_EX_FLATSB, m_scrollBarFlat},
                                           {LVS_EX_SUBITEMIMAGES, m_subItemImages},
                                           {LVS_EX_TRACKSELECT, m_trackSelect},
                                           {LVS_EX_UNDERLINEHOT, m_underlineHot}};
    for (const auto& [bit, on] : bits)
        applyExStyle(bit, on);
}

void ucListView::applyStyle(DWORD bits, bool on) {
    if (!m_list) return;
    const DWORD old = static_cast<DWORD>(GetWindowLongW(m_list, GWL_STYLE));
    const DWORD style = on ? (old | bits) : (old & ~bits);
    if (style == old) return;
    SetWindowLongW(m_list, GWL_STYLE, static_cast<LONG>(style));
    SetWindowPos(m_list, HWND(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    InvalidateRect(m_list, nullptr, FALSE);
}

void ucListView::applyHeaderStyle(DWORD bits, bool on) {
    const HWND header = hWndHeader();
    if (!header) return;
    const DWORD old = static_cast<DWORD>(GetWindowLongW(header, GWL_STYLE));
    const DWORD style = on ? (old | bits) : (old & ~bits);
    if (style == old) return;
    SetWindowLongW(header, GWL_STYLE, static_cast<LONG>(style));
    // The list lays its header out again as its frame changes.
    SetWindowPos(m_list, HWND(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    InvalidateRect(header, nullptr, TRUE);
}

void ucListView::applyColors() {
    if (!m_list) return;
    const COLORREF back = TranslateColor(m_backColor);
    send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(back));
    send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(back));
    send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(TranslateColor(m_foreColor)));
    InvalidateRect(m_list, nullptr, FALSE);
}

void ucListView::applyFont() {
    if (!m_list || (m_appliedFont && FontsEqual(m_appliedFont, m_font))) return;
    const HFONT font = createFont();
    send(WM_SETFONT, static_cast<WPARAM>(font.value), TRUE);
    if (m_hfont) DeleteObject(m_hfont);
    m_hfont = font;
    m_appliedFont = m_font ? m_font->clone() : nullptr;
}

void ucListView::applyView() {
    if (!m_list) return;
    send(LVM_SETVIEW, static_cast<WPARAM>(m_viewMode));
    // The icon views space their icons by the system's defaults again.
    send(LVM_SETICONSPACING, 0, -1);
}

void ucListView::applyBorder() {
    if (!m_list) return;
    DWORD style = static_cast<DWORD>(GetWindowLongW(m_list, GWL_STYLE)) & ~WS_BORDER;
    DWORD ex = static_cast<DWORD>(GetWindowLongW(m_list, GWL_EXSTYLE)) & ~WS_EX_CLIENTEDGE;
    if (m_lvBorderStyle == bsFlat) style |= WS_BORDER;
    if (m_lvBorderStyle == bs3d) ex |= WS_EX_CLIENTEDGE;
    SetWindowLongW(m_list, GWL_STYLE, static_cast<LONG>(style));
    SetWindowLongW(m_list, GWL_EXSTYLE, static_cast<LONG>(ex));
    SetWindowPos(m_list, HWND(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

bool ucListView::BackgroundPictureSet(const std::u16string& path, bool tile) {
    if (!m_list) return false;
    if (path.empty()) {
        LVBKIMAGEW none;
        none.ulFlags = LVBKIF_SOURCE_NONE;
        return send(LVM_SETBKIMAGEW, 0, reinterpret_cast<LPARAM>(&none)) != 0;
    }
    // The list reads and decodes the file itself and owns the bitmap; a file it cannot read
    // leaves the background as it was.
    std::u16string address = path;
    LVBKIMAGEW bk;
    bk.ulFlags = LVBKIF_SOURCE_URL | (tile ? LVBKIF_STYLE_TILE : LVBKIF_STYLE_NORMAL);
    bk.pszImage = address.data();
    return send(LVM_SETBKIMAGEW, 0, reinterpret_cast<LPARAM>(&bk)) != 0;
}

std::int32_t ucListView::HiWord(std::int32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(value) >> 16);
}

std::int32_t ucListView::MakeDWord(std::int32_t low, std::int32_t high) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(high) << 16) |
                                     (static_cast<std::uint32_t>(low) & 0xFFFF));
}

// --- Image lists ---

HIMAGELIST& ucListView::imageList(Images which) {
    return which == Images::Small ? m_small : which == Images::Large ? m_large : m_headerImages;
}

bool ucListView::InitializeImageList(Images which, std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0 || width > 256 || height > 256) return false;
    HIMAGELIST& slot = imageList(which);
    const HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4);
    if (!list) return false;
    // The list was made with shared image lists: the control keeps and destroys them.
    if (which == Images::Header)
        sendHeader(HDM_SETIMAGELIST, HDSIL_NORMAL, static_cast<LPARAM>(list.value));
    else
        send(LVM_SETIMAGELIST, which == Images::Small ? LVSIL_SMALL : LVSIL_NORMAL,
             static_cast<LPARAM>(list.value));
    if (slot) ImageList_Destroy(slot);
    slot = list;
    return true;
}

std::int32_t ucListView::ImageListAddBitmap(Images which, std::int32_t hBitmap,
                                            OLE_COLOR maskColor) {
    const HIMAGELIST list = imageList(which);
    if (!list || !hBitmap) return -1;
    return ImageList_AddMasked(list, HBITMAP(static_cast<std::uint32_t>(hBitmap)),
                               TranslateColor(maskColor));
}

std::int32_t ucListView::ImageListAddIcon(Images which, std::int32_t hIcon) {
    const HIMAGELIST list = imageList(which);
    if (!list || !hIcon) return -1;
    return ImageList_ReplaceIcon(list, -1, HICON(static_cast<std::uint32_t>(hIcon)));
}

// --- Units ---

double ucListView::toUnitsX(double px) const {
    return ScaleX(px, orvane::ScaleMode::Pixels, ScaleMode());
}

double ucListView::toUnitsY(double px) const {
    return ScaleY(px, orvane::ScaleMode::Pixels, ScaleMode());
}

int ucListView::toPixelsX(double units) const {
    return static_cast<int>(std::lround(ScaleX(units, ScaleMode(), orvane::ScaleMode::Pixels)));
}

int ucListView::toPixelsY(double units) const {
    return static_cast<int>(std::lround(ScaleY(units, ScaleMode(), orvane::ScaleMode::Pixels)));
}

}  // namespace orvane
