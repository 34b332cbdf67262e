// A choice group's drawing: the background (and its picture) and border, then each item that
// meets the area being painted, from the cached layout, the item states and the hot, pressed
// and selected items.
#include <algorithm>
#include <cmath>

#include "controls/buttons/ChoiceGroup.h"
#include "framework/GdiDrawing.h"
#include "framework/PaintBands.h"
#include "framework/PaintParentBackground.h"
#include "framework/TextDrawing.h"
#include "framework/drawing/cGDIPCache.h"

namespace orvane {

using namespace platform;

namespace {

// A disabled group fades its glyphs; the strips have no disabled cells for this path.
constexpr std::uint8_t kDisabledGlyphAlpha = 63;
constexpr std::int32_t kDisabledImageAlpha = 127;

}  // namespace

void ChoiceGroup::Paint() {
    ensureLayout();
    const HDC dc = hDC();
    const RECT rc{0, 0, static_cast<int>(ScaleWidth()), static_cast<int>(ScaleHeight())};
    if (rc.right <= 0 || rc.bottom <= 0) return;
    RECT clip{};
    if (GetClipBox(dc, &clip) == ERROR) clip = rc;
    // A paint of the whole control moves an animated picture on; a partial one (an item
    // changing) draws the frame shown last.
    const bool whole =
        clip.left <= 0 && clip.top <= 0 && clip.right >= rc.right && clip.bottom >= rc.bottom;
    // Only the items in the area being painted: the clip box first, then the region itself
    // (two items far apart repaint those two alone).
    const std::size_t count = std::min(m_layout.items.size(), m_items.size());
    std::vector<int> visible;
    std::vector<std::pair<int, int>> spans;
    RECT meet{};
    for (std::size_t i = 0; i < count; ++i) {
        const RECT& r = m_layout.items[i].rect;
        if (!IntersectRect(&meet, &r, &clip) || !RectVisible(dc, &r)) continue;
        visible.push_back(static_cast<int>(i));
        spans.emplace_back(r.top, r.bottom);
    }
    // Item by item from the top, band by band: each band is filled and then its items drawn.
    std::stable_sort(visible.begin(), visible.end(), [&](int a, int b) {
        return m_layout.items[a].rect.top < m_layout.items[b].rect.top;
    });
    const std::vector<int> edges = PaintBandEdges(clip, std::move(spans));
    const HFONT font = createFont();
    const int b = borderWidth();
    m_painted = 0;
    std::size_t next = 0;
    for (std::size_t band = 0; band + 1 < edges.size(); ++band) {
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, clip.left, edges[band], clip.right, edges[band + 1]);
        fillOrShowContainer(dc, rc,
                            !m_enabled                               ? palette::kDisabledFill
                            : m_backStyle == BackStyleEnum::bsOpaque ? m_backColor
                                                                     : palette::kNoColor);
        if (m_image.loaded()) drawBackgroundImage(dc, pictureRect(), whole && band == 0);
        drawStateBorder(dc, rc, false, false);
        IntersectClipRect(dc, b, b, rc.right - b, rc.bottom - b);
        SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        beginItems(dc);
        const bool last = band + 2 == edges.size();
        for (; next < visible.size(); ++next) {
            const int index = visible[next];
            if (!last && m_layout.items[index].rect.top >= edges[band + 1]) break;
            paintItem(dc, index);
            ++m_painted;
        }
        endItems();
        RestoreDC(dc, saved);
    }
    DeleteObject(font);
}

// Centred at its own size (at the screen's DPI), or scaled to fit with its proportions kept.
RECT ChoiceGroup::pictureRect() const {
    const int w = static_cast<int>(ScaleWidth()), h = static_cast<int>(ScaleHeight());
    double pw = m_image.pixelWidth() * dpi() / 96.0;
    double ph = m_image.pixelHeight() * dpi() / 96.0;
    if (m_stretch && pw > 0 && ph > 0) {
        const double scale = std::min(w / pw, h / ph);
        pw *= scale;
        ph *= scale;
    }
    const int iw = static_cast<int>(std::lround(pw)), ih = static_cast<int>(std::lround(ph));
    const int x = (w - iw) / 2, y = (h - ih) / 2;
    return RECT{x, y, x + iw, y + ih};
}

ChoiceGroup::ItemLook ChoiceGroup::itemLook(int index) const {
    if (!m_enabled || index != m_hotItem) return ItemLook::Normal;
    return index == m_pressedItem ? ItemLook::Pressed : ItemLook::Hot;
}

void ChoiceGroup::paintGlyph(HDC dc, GlyphStrip::Kind kind, int index,
                             const ChoiceGroupLayout::Item& item) const {
    // The strips' cells: unchecked normal, hot, pressed, disabled, then the same checked.
    const ItemLook look = itemLook(index);
    const int cell = (itemState(index) ? 5 : 1) + (look == ItemLook::Pressed ? 2
                                                   : look == ItemLook::Hot   ? 1
                                                                             : 0);
    GlyphStrip::draw(dc, kind, cell, item.glyph.left, item.glyph.top,
                     item.glyph.right - item.glyph.left, m_enabled ? 255 : kDisabledGlyphAlpha);
}

RECT ChoiceGroup::faceOf(const ChoiceGroupLayout::Item& item) {
    RECT face = item.rect;
    InflateRect(&face, -1, -1);
    return face;
}

bool ChoiceGroup::itemDown(int index) const {
    return index == m_selIndex || itemLook(index) == ItemLook::Pressed;
}

void ChoiceGroup::paintItemFrame(HDC dc, int index, const ChoiceGroupLayout::Item& item) const {
    const RECT face = faceOf(item);
    const OLE_COLOR color = !m_enabled                         ? vbGrayText
                            : itemDown(index)                  ? m_borderColorPressed
                            : itemLook(index) == ItemLook::Hot ? m_borderColorHot
                                                               : m_borderColor;
    DrawFrame(dc, face.left, face.top, face.right, face.bottom, color, 1);
}

void ChoiceGroup::paintItem(HDC dc, int index) {
    const ChoiceGroupLayout::Item& geometry = m_layout.items[index];
    const Item& item = m_items[index];
    const bool selected = index == m_selIndex && fillsItems();
    if (m_enabled && fillsItems()) {
        if (selected) {
            FillSolid(dc, m_backColorPressed, geometry.rect);
        } else if (index == m_hotItem) {
            FillSolid(dc, m_backColorHot, geometry.rect);
        }
    }
    paintItemMark(dc, index, geometry);
    if (m_image.ShowImage && !item.imageKey.empty()) {
        // The cache takes positions at 96 DPI.
        const double logical = 96.0 / dpi();
        m_itemImages->AlphaRenderTo(
            dc, item.imageKey,
            static_cast<std::int32_t>(std::lround(geometry.image.left * logical)),
            static_cast<std::int32_t>(std::lround(geometry.image.top * logical)), m_image.ImageSize,
            m_image.ImageSize, 0, 0, 0, 0, m_enabled ? m_image.Alpha : kDisabledImageAlpha, true, 0,
            m_image.GrayScale || !m_enabled, 0);
    }
    if (!item.caption.empty()) {
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS;
        if (!hasGlyph()) {
            flags |= DT_CENTER;
        } else if (m_rightToLeft || m_alignment == 1) {
            flags |= DT_RIGHT;
        }
        if (m_rightToLeft) flags |= DT_RTLREADING;
        const OLE_COLOR color = !m_enabled ? palette::kDisabledText
                                : selected ? m_foreColorSelected
                                           : m_foreColor;
        // Measured by the layout: drawn without measuring again.
        DrawMeasuredLine(dc, item.caption, color, flags, geometry.text, geometry.textWidth,
                         m_layout.lineHeight);
    }
    // The focus is shown around the current item's caption, as a check box shows it.
    if (index == m_selIndex && state().focused()) DrawFocusRect(dc, &geometry.text);
}

}  // namespace orvane
