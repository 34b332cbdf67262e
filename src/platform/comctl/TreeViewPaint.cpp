// The tree view's painting: only the rows that meet the update rectangle are drawn, each with
// the custom-draw notifications the parent asks for, in the "TreeView" theme's look (chevron
// glyphs, tinted selection) or the classic one (dotted lines, plus and minus boxes, the
// highlight colour). The lines of a row's ancestors come from a chain of the items at each
// level shown, worked out once per paint, so a deep tree costs its depth once, not per row.
#include <algorithm>
#include <cstdint>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/TreeViewControl.h"
#include "platform/gdi/FillSolid.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/DrawText.h"
#include "platform/text/Text.h"
#include "platform/theme/Theme.h"
#include "platform/theme/ThemeParts.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

int scaled(int pixels) {
    return pixels * static_cast<int>(GetDpiForSystem()) / 96;
}

bool systemColour(COLORREF c) {
    return c == CLR_NONE || c == CLR_DEFAULT;
}

// The themes opened for one paint, and closed after it.
struct PaintTheme {
    HTHEME tree, button;
    explicit PaintTheme(HWND hwnd)
        : tree(IsThemeActive() ? OpenThemeData(hwnd, u"TreeView") : HTHEME()),
          button(IsThemeActive() ? OpenThemeData(hwnd, u"Button") : HTHEME()) {}
    ~PaintTheme() {
        if (tree) CloseThemeData(tree);
        if (button) CloseThemeData(button);
    }
    PaintTheme(const PaintTheme&) = delete;
    PaintTheme& operator=(const PaintTheme&) = delete;
};

thread_local PaintTheme* g_theme = nullptr;

// Dotted lines, every other pixel on a grid fixed to the client area, so that lines of
// neighbouring rows meet without a seam.
void dottedVertical(HDC dc, int x, int top, int bottom, COLORREF c) {
    for (int y = top + ((top & 1) ? 1 : 0); y < bottom; y += 2)
        SetPixel(dc, x, y, c);
}
void dottedHorizontal(HDC dc, int left, int right, int y, COLORREF c) {
    for (int x = left + (((left + y) & 1) ? 1 : 0); x < right; x += 2)
        SetPixel(dc, x, y, c);
}

}  // namespace

COLORREF TreeViewControl::bkColor() const {
    return systemColour(m_bkColor) ? GetSysColor(COLOR_WINDOW) : m_bkColor;
}

COLORREF TreeViewControl::textColor() const {
    return systemColour(m_textColor) ? GetSysColor(COLOR_WINDOWTEXT) : m_textColor;
}

LRESULT TreeViewControl::customDraw(NMTVCUSTOMDRAW& cd) {
    return notify(NM_CUSTOMDRAW, cd.nmcd.hdr);
}

UINT TreeViewControl::drawState(std::uint32_t slot) const {
    UINT s = 0;
    const UINT state = node(slot).state;
    if (state & TVIS_SELECTED) s |= CDIS_SELECTED;
    if (slot == m_caret && m_focused) s |= CDIS_FOCUS;
    if (state & TVIS_DROPHILITED) s |= CDIS_DROPHILITED;
    if (slot == m_hot) s |= CDIS_HOT;
    if (!IsWindowEnabled(m_hwnd)) s |= CDIS_DISABLED;
    return s;
}

HFONT TreeViewControl::boldFont() {
    if (!m_boldFont) {
        LOGFONTW lf{};
        GetObjectW(font(), sizeof(lf), &lf);
        lf.lfWeight = FW_BOLD;
        m_boldFont = CreateFontIndirectW(&lf);
    }
    return m_boldFont;
}

HFONT TreeViewControl::underlineFont() {
    if (!m_underlineFont) {
        LOGFONTW lf{};
        GetObjectW(font(), sizeof(lf), &lf);
        lf.lfUnderline = TRUE;
        m_underlineFont = CreateFontIndirectW(&lf);
    }
    return m_underlineFont;
}

void TreeViewControl::paint(HDC dc, const RECT& update) {
    m_allInvalid = false;
    ensureRows();
    if (!m_scrollBarsValid) updateScrollBars();
    PaintTheme theme(m_hwnd);
    PaintTheme* const outer = g_theme;
    g_theme = &theme;
    struct Restore {
        PaintTheme* outer;
        ~Restore() { g_theme = outer; }
    } restore{outer};
    const int saved = SaveDC(dc);
    SelectObject(dc, font());
    SetBkMode(dc, TRANSPARENT);

    NMTVCUSTOMDRAW cd;
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = clientRect();
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    cd.clrText = textColor();
    cd.clrTextBk = bkColor();
    const LRESULT prepaint = customDraw(cd);
    if (!alive()) return;
    if (!(prepaint & CDRF_SKIPDEFAULT)) {
        FillSolid(dc, update, bkColor());
        ensureRows();
        const int h = std::max(1, itemHeight());
        const int first = rowAtUnit(m_top + std::max(0, static_cast<int>(update.top)) / h);
        const int lastUnit = m_top + (static_cast<int>(update.bottom) + h - 1) / h;
        if (!m_rows.empty() && m_top + std::max(0, static_cast<int>(update.top)) / h < m_units) {
            // The items at each level whose lines show, starting from the first row's
            // ancestors; rows further down replace their own level as they come.
            const bool rootLines =
                hasStyle(TVS_LINESATROOT) && hasStyle(TVS_HASLINES | TVS_HASBUTTONS);
            const int shift = rootLines ? 1 : 0;
            const int minLevel = std::max(0, m_xOrigin / std::max(1, m_indent) - shift - 1);
            const int maxLevel =
                (m_xOrigin + static_cast<int>(m_clientSize.cx)) / std::max(1, m_indent) - shift + 1;
            std::vector<std::uint32_t> chain(
                static_cast<std::size_t>(std::max(0, maxLevel - minLevel + 1)), 0);
            for (std::uint32_t s = m_rows[static_cast<std::size_t>(first)]; s && s != m_root;
                 s = node(s).parent) {
                const int level = node(s).level;
                if (level < minLevel) break;
                if (level <= maxLevel) chain[static_cast<std::size_t>(level - minLevel)] = s;
            }
            std::vector<HTREEITEM> rows;
            for (int r = first; r < rowCount() && unitOf(r) < lastUnit; ++r)
                rows.push_back(table().handle(m_rows[static_cast<std::size_t>(r)]));
            for (const HTREEITEM handle : rows) {
                const std::uint32_t slot = slotOf(handle);
                if (!slot || !visible(slot)) continue;  // the parent changed the tree
                const int level = node(slot).level;
                if (level >= minLevel && level <= maxLevel)
                    chain[static_cast<std::size_t>(level - minLevel)] = slot;
                paintRow(dc, slot, prepaint, chain, minLevel);
                if (!alive()) return;
            }
        }
        paintInsertMark(dc);
    }
    if (prepaint & CDRF_NOTIFYPOSTPAINT) {
        cd.nmcd.dwDrawStage = CDDS_POSTPAINT;
        cd.nmcd.rc = clientRect();
        customDraw(cd);
    }
    if (alive()) RestoreDC(dc, saved);
}

void TreeViewControl::paintRow(HDC dc, std::uint32_t slot, LRESULT prepaint,
                               const std::vector<std::uint32_t>& chain, int minLevel) {
    const HTREEITEM handle = table().handle(slot);
    RowParts p = parts(slot);
    if (!slotOf(handle)) return;
    const UINT state = drawState(slot);
    const bool selected = (state & CDIS_SELECTED) != 0;
    const bool dropHilited = (state & CDIS_DROPHILITED) != 0;
    const bool showSelection =
        (selected && (m_focused || hasStyle(TVS_SHOWSELALWAYS))) || dropHilited;
    const bool themed = g_theme && g_theme->tree;
    const bool fullRow = hasStyle(TVS_FULLROWSELECT) && !hasStyle(TVS_HASLINES);

    NMTVCUSTOMDRAW cd;
    cd.nmcd.hdc = dc;
    cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    cd.nmcd.rc = p.row;
    cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(handle.value);
    cd.nmcd.uItemState = state;
    cd.nmcd.lItemlParam = node(slot).lParam;
    cd.iLevel = node(slot).level;
    cd.clrText = textColor();
    cd.clrTextBk = bkColor();
    if (!themed && showSelection) {
        const bool strong = m_focused || dropHilited;
        cd.clrText = GetSysColor(strong ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
        cd.clrTextBk = GetSysColor(strong ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    }
    const COLORREF defaultBack = cd.clrTextBk;
    LRESULT answer = CDRF_DODEFAULT;
    if (prepaint & CDRF_NOTIFYITEMDRAW) {
        answer = customDraw(cd);
        if (!alive() || !slotOf(handle)) return;
        p = parts(slot);
        if (!slotOf(handle)) return;
    }
    if (!(answer & CDRF_SKIPDEFAULT)) {
        const bool bold = (node(slot).state & TVIS_BOLD) != 0;
        if (!(answer & CDRF_NEWFONT)) {
            HFONT f = bold ? boldFont() : font();
            if (slot == m_hot && hasStyle(TVS_TRACKSELECT) && !themed) f = underlineFont();
            SelectObject(dc, f);
        }
        paintLines(dc, slot, p, chain, minLevel);
        if (!alive() || !slotOf(handle)) return;
        // The selection: the label (with the icon, themed), or the whole row.
        RECT mark = p.label;
        if (themed && !IsRectEmpty(&p.icon)) mark.left = p.icon.left;
        if (fullRow) mark = p.row;
        if (themed) {
            int part = 0;
            if (showSelection)
                part = (state & CDIS_HOT)           ? TREIS_HOTSELECTED
                       : (m_focused || dropHilited) ? TREIS_SELECTED
                                                    : TREIS_SELECTEDNOTFOCUS;
            else if ((state & CDIS_HOT) && hasStyle(TVS_TRACKSELECT | TVS_FULLROWSELECT))
                part = TREIS_HOT;
            if (part) DrawThemeBackground(g_theme->tree, dc, TVP_TREEITEM, part, &mark, nullptr);
            if (cd.clrTextBk != defaultBack && !systemColour(cd.clrTextBk) && !part)
                FillSolid(dc, mark, cd.clrTextBk);
        } else if (!systemColour(cd.clrTextBk) && cd.clrTextBk != bkColor()) {
            FillSolid(dc, mark, cd.clrTextBk);
        }
        const UINT stateImage = (node(slot).state & TVIS_STATEIMAGEMASK) >> 12;
        if (!IsRectEmpty(&p.state) && !(answer & TVCDRF_NOIMAGES))
            paintCheck(dc, p.state, stateImage);
        if (m_normal && !IsRectEmpty(&p.icon) && !(answer & TVCDRF_NOIMAGES)) {
            const int image = itemImage(slot, (node(slot).state & TVIS_SELECTED) != 0);
            if (!alive() || !slotOf(handle)) return;
            if (image >= 0) {
                UINT flags = ILD_TRANSPARENT | (node(slot).state & TVIS_OVERLAYMASK);
                if (node(slot).state & TVIS_CUT) flags |= ILD_BLEND50;
                const SIZE s = imageSize(m_normal);
                ImageList_Draw(m_normal, image, dc, p.icon.left,
                               p.icon.top + (p.icon.bottom - p.icon.top - s.cy) / 2, flags);
            }
        }
        const std::u16string text = itemText(slot);
        if (!alive() || !slotOf(handle)) return;
        COLORREF colour = systemColour(cd.clrText) ? textColor() : cd.clrText;
        if (state & CDIS_DISABLED) colour = GetSysColor(COLOR_GRAYTEXT);
        SetTextColor(dc, colour);
        RECT label = p.label;
        InflateRect(&label, -scaled(2), 0);
        label.bottom = label.top + itemHeight();
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        if (hasStyle(TVS_RTLREADING)) flags |= DT_RTLREADING;
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &label, flags);
        if (slot == m_caret && m_focused && !themed) {
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            DrawFocusRect(dc, &mark);
        }
    }
    if (answer & CDRF_NOTIFYPOSTPAINT) {
        cd.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT;
        customDraw(cd);
        if (!alive()) return;
    }
    SelectObject(dc, font());
}

void TreeViewControl::paintLines(HDC dc, std::uint32_t slot, const RowParts& p,
                                 const std::vector<std::uint32_t>& chain, int minLevel) {
    const TreeNode& n = node(slot);
    const bool lines = hasStyle(TVS_HASLINES);
    const int half = m_indent / 2;
    const int mid = p.row.top + (itemHeight() / 2);
    const COLORREF lineColour = m_lineColor == CLR_DEFAULT || m_lineColor == CLR_NONE
                                    ? GetSysColor(COLOR_GRAYTEXT)
                                    : m_lineColor;
    const int column = p.buttonLeft + half;                // the item's own connector column
    const bool ownColumn = p.buttonLeft + m_xOrigin >= 0;  // root items without it have none
    if (lines) {
        // The ancestors' lines pass through rows below them while they have siblings to come.
        for (int level = std::max(minLevel, 0); level < n.level; ++level) {
            const std::size_t at = static_cast<std::size_t>(level - minLevel);
            if (at >= chain.size()) break;
            const std::uint32_t a = chain[at];
            if (!a || !node(a).next) continue;
            const int x = levelLeft(level) - m_indent + half;
            if (levelLeft(level) - m_indent + m_xOrigin < 0) continue;
            if (x < 0 || x >= m_clientSize.cx) continue;
            dottedVertical(dc, x, p.row.top, p.row.bottom, lineColour);
        }
        if (ownColumn && column >= -m_indent && column < m_clientSize.cx + m_indent) {
            const bool above = n.prev || n.parent != m_root;
            if (above) dottedVertical(dc, column, p.row.top, mid, lineColour);
            if (n.next) dottedVertical(dc, column, mid, p.row.bottom, lineColour);
            dottedHorizontal(dc, column, p.buttonLeft + m_indent, mid, lineColour);
        }
    }
    if (hasStyle(TVS_HASBUTTONS) && ownColumn && column > -m_indent &&
        column < m_clientSize.cx + m_indent) {
        const HTREEITEM handle = table().handle(slot);
        if (hasChildren(slot) && slotOf(handle)) {
            const int box = scaled(9);
            const RECT r{column - box / 2, mid - box / 2, column - box / 2 + box,
                         mid - box / 2 + box};
            paintButton(dc, r, (node(slot).state & TVIS_EXPANDED) != 0, slot == m_hotButton);
        }
    }
}

void TreeViewControl::paintButton(HDC dc, const RECT& box, bool expanded, bool hot) {
    if (g_theme && g_theme->tree) {
        // The lines stop at the glyph, as they stop at the classic box.
        FillSolid(dc, box, bkColor());
        const int size = scaled(16);
        const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
        const RECT r{cx - size / 2, cy - size / 2, cx - size / 2 + size, cy - size / 2 + size};
        if (hot)
            DrawThemeBackground(g_theme->tree, dc, TVP_HOTGLYPH,
                                expanded ? HGLPS_OPENED : HGLPS_CLOSED, &r, nullptr);
        else
            DrawThemeBackground(g_theme->tree, dc, TVP_GLYPH, expanded ? GLPS_OPENED : GLPS_CLOSED,
                                &r, nullptr);
        return;
    }
    // A white box in a grey frame with a minus, or a plus while closed.
    FillSolid(dc, box, GetSysColor(COLOR_WINDOW));
    const COLORREF frame = GetSysColor(COLOR_BTNSHADOW);
    FillSolid(dc, RECT{box.left, box.top, box.right, box.top + 1}, frame);
    FillSolid(dc, RECT{box.left, box.bottom - 1, box.right, box.bottom}, frame);
    FillSolid(dc, RECT{box.left, box.top, box.left + 1, box.bottom}, frame);
    FillSolid(dc, RECT{box.right - 1, box.top, box.right, box.bottom}, frame);
    const COLORREF sign = GetSysColor(COLOR_WINDOWTEXT);
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    const int arm = (box.right - box.left) / 2 - 2;
    FillSolid(dc, RECT{cx - arm, cy, cx + arm + 1, cy + 1}, sign);
    if (!expanded) FillSolid(dc, RECT{cx, cy - arm, cx + 1, cy + arm + 1}, sign);
}

void TreeViewControl::paintCheck(HDC dc, const RECT& r, UINT stateImage) {
    if (stateImage == 0 || !m_state) return;
    if (m_state == m_checkImages && stateImage <= 2) {
        const int box = std::min<int>(scaled(13), std::min(r.right - r.left, r.bottom - r.top));
        RECT b{r.left + (r.right - r.left - box) / 2, r.top + (r.bottom - r.top - box) / 2, 0, 0};
        b.right = b.left + box;
        b.bottom = b.top + box;
        const bool checked = stateImage == 2;
        if (g_theme && g_theme->button) {
            DrawThemeBackground(g_theme->button, dc, BP_CHECKBOX,
                                checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, &b, nullptr);
            return;
        }
        DrawFrameControl(dc, &b, DFC_BUTTON,
                         DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
        return;
    }
    // An application's list: image n is state n (image 0 stands for "none").
    const SIZE s = imageSize(m_state);
    ImageList_Draw(m_state, static_cast<int>(stateImage), dc, r.left,
                   r.top + (r.bottom - r.top - s.cy) / 2, ILD_TRANSPARENT);
}

void TreeViewControl::paintInsertMark(HDC dc) {
    if (!m_insertMark || !visible(m_insertMark)) return;
    const HTREEITEM handle = table().handle(m_insertMark);
    const RowParts p = parts(m_insertMark);
    if (!slotOf(handle)) return;
    const int y = m_insertAfter ? p.row.bottom : p.row.top;
    const int left = IsRectEmpty(&p.icon) ? p.label.left : p.icon.left;
    const COLORREF c = m_insertMarkColor == CLR_DEFAULT || m_insertMarkColor == CLR_NONE
                           ? GetSysColor(COLOR_WINDOWTEXT)
                           : m_insertMarkColor;
    FillSolid(dc, RECT{left, y - 1, p.label.right, y + 1}, c);
    // Small ticks at both ends, as Windows draws them.
    FillSolid(dc, RECT{left, y - 3, left + 1, y + 3}, c);
    FillSolid(dc, RECT{p.label.right - 1, y - 3, p.label.right, y + 3}, c);
}

HIMAGELIST TreeViewControl::createDragImage(std::uint32_t slot) {
    const HTREEITEM handle = table().handle(slot);
    const std::u16string text = itemText(slot);
    if (!alive() || !slotOf(handle)) return HIMAGELIST();
    const int width = labelWidth(slot);
    if (!slotOf(handle)) return HIMAGELIST();
    const SIZE icon = imageSize(m_normal);
    const int pad = scaled(2);
    const int w = icon.cx + width + 2 * pad;
    const int h = itemHeight();
    if (w <= 0 || h <= 0) return HIMAGELIST();
    const HDC screen = GetDC(HWND());
    const HDC mem = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(HWND(), screen);
    const HGDIOBJ oldBitmap = SelectObject(mem, bitmap);
    const HGDIOBJ oldFont = SelectObject(mem, (node(slot).state & TVIS_BOLD) ? boldFont() : font());
    FillSolid(mem, RECT{0, 0, w, h}, bkColor());
    if (m_normal) {
        const int image = itemImage(slot, false);
        if (alive() && image >= 0)
            ImageList_Draw(m_normal, image, mem, 0, (h - icon.cy) / 2, ILD_TRANSPARENT);
    }
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, textColor());
    RECT label{icon.cx + pad, 0, w - pad, h};
    DrawTextW(mem, text.data(), static_cast<int>(text.size()), &label,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBitmap);
    DeleteDC(mem);
    HIMAGELIST list;
    if (alive()) {
        list = ImageList_Create(w, h, ILC_COLOR32, 1, 0);
        if (list) ImageList_Add(list, bitmap, HBITMAP());
    }
    DeleteObject(bitmap);
    return list;
}

}  // namespace orvane::platform
