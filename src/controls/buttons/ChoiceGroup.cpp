#include "controls/buttons/ChoiceGroup.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>

#include "framework/StringsAndFiles.h"
#include "framework/drawing/ControlTooltip.h"
#include "framework/drawing/cGDIPCache.h"
#include "platform/base/CodePages.h"

namespace orvane {

using namespace platform;

namespace {

StandardEvents groupEvents(int ownEvents) {
    // MouseDown, MouseUp, MouseEnter and MouseLeave carry the item and are raised here.
    StandardEvents e;
    e.Click = ChoiceGroup::evClick + ownEvents;
    e.MouseMove = ChoiceGroup::evMouseMove + ownEvents;
    e.KeyDown = ChoiceGroup::evKeyDown + ownEvents;
    e.KeyPress = ChoiceGroup::evKeyPress + ownEvents;
    e.KeyUp = ChoiceGroup::evKeyUp + ownEvents;
    return e;
}

// A field of a "True"/"False" list; anything that is not a truth value counts as False.
bool fieldState(const std::u16string& field) {
    if (field.empty()) return false;
    try {
        return CBool(Variant(field));
    } catch (const Error&) {
        return false;
    }
}

}  // namespace

ChoiceGroup::ChoiceGroup(int ownEvents)
    : ImageControl(groupEvents(ownEvents)),
      m_itemImages(std::make_shared<cGDIPCache>()),
      m_ownEvents(ownEvents) {}

ChoiceGroup::~ChoiceGroup() = default;

// --- Items ---

void ChoiceGroup::itemsChanged() {
    const std::vector<std::u16string> captions = SplitText(m_caption, u'|');
    const std::vector<std::u16string> tips = SplitText(m_itemToolTips, u'|');
    const std::vector<std::u16string> groups = SplitText(m_groupNames, u'|');
    const std::vector<std::u16string> keys = SplitText(m_imageKeys, u'|');
    // Sorting reorders the captions alone (by code unit, as SortArray orders texts).
    std::vector<int> order(captions.size());
    std::iota(order.begin(), order.end(), 0);
    if (m_sorted)
        std::stable_sort(order.begin(), order.end(),
                         [&captions](int a, int b) { return captions[a] < captions[b]; });
    const auto at = [](const std::vector<std::u16string>& list, std::size_t i) {
        return i < list.size() ? list[i] : std::u16string();
    };
    m_items.assign(captions.size(), Item{});
    for (std::size_t i = 0; i < captions.size(); ++i) {
        Item& item = m_items[i];
        item.field = order[i];
        item.caption = captions[order[i]];
        item.toolTip = at(tips, i);
        item.groupName = at(groups, i);
        const std::u16string key = at(keys, i);
        if (!key.empty()) item.imageKey = className() + u"." + key;
    }
    const int count = Count();
    if (m_selIndex >= count) m_selIndex = -1;
    if (m_hotItem >= count) m_hotItem = -1;
    if (m_pressedItem >= count) m_pressedItem = -1;
    loadItemImages();
}

void ChoiceGroup::imagesChanged() {
    m_itemImages = std::make_shared<cGDIPCache>();
    itemsChanged();
}

// Each item image is read once from ImagePath followed by its key; a file that cannot be read
// leaves the item without an image.
void ChoiceGroup::loadItemImages() {
    const std::vector<std::u16string> keys = SplitText(m_imageKeys, u'|');
    for (std::size_t i = 0; i < m_items.size() && i < keys.size(); ++i) {
        const Item& item = m_items[i];
        if (item.imageKey.empty() || m_itemImages->Exists(item.imageKey)) continue;
        // Only plain files: a device or a folder named by the lists is no image.
        const std::u16string path = m_imagePath + keys[i];
        std::error_code error;
        if (!std::filesystem::is_regular_file(ToUtf8(path), error)) continue;
        try {
            m_itemImages->AddImage(item.imageKey, Variant(path));
        } catch (const Error&) {
            // No image for this item.
        }
    }
}

bool ChoiceGroup::itemState(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < m_states.size() && m_states[index];
}

void ChoiceGroup::setItemState(int index, bool state) {
    if (!inRange(index) || itemState(index) == state) return;
    if (static_cast<std::size_t>(index) >= m_states.size()) m_states.resize(index + 1, false);
    m_states[index] = state;
    invalidateItem(index);
}

std::u16string ChoiceGroup::statesText() const {
    std::vector<std::u16string> fields;
    for (int i = 0; i < Count(); ++i)
        fields.push_back(itemState(i) ? u"True" : u"False");
    return JoinText(fields, u'|');
}

void ChoiceGroup::statesText(const std::u16string& text) {
    const std::vector<std::u16string> fields = SplitText(text, u'|');
    m_states.assign(fields.size(), false);
    for (std::size_t i = 0; i < fields.size(); ++i)
        m_states[i] = fieldState(fields[i]);
}

int ChoiceGroup::selectedInGroup(const std::u16string& group) const {
    for (int i = 0; i < Count(); ++i)
        if (itemState(i) && m_items[i].groupName == group) return i;
    return -1;
}

// --- Published members with more to them than storing ---

void ChoiceGroup::SelIndex(std::int32_t index) {
    if (index != -1 && !inRange(index)) InvalidPropertyValue(u"SelIndex");
    const int old = m_selIndex;
    m_selIndex = index;
    invalidateItem(old);
    invalidateItem(index);
    if (index >= 0 && !togglesItems()) {
        setItemState(index, true);
        uncheckOtherItems(index);
    }
    updateNow();
    PropertyChanged(u"SelIndex");
    raise(eventNumber(evClick));
}

std::u16string ChoiceGroup::Text(std::int32_t index) const {
    if (!inRange(index)) InvalidPropertyValue(u"Text");
    return m_items[index].caption;
}

void ChoiceGroup::Text(std::int32_t index, std::u16string caption) {
    if (!inRange(index)) InvalidPropertyValue(u"Text");
    std::vector<std::u16string> fields = SplitText(m_caption, u'|');
    fields[m_items[index].field] = std::move(caption);
    Caption(JoinText(fields, u'|'));
}

int ChoiceGroup::itemAt(double x, double y) const {
    // The layout and the items agree once laid out; a hit beyond the items is none.
    const int index = m_layout.itemAt(static_cast<int>(x), static_cast<int>(y));
    return index < Count() ? index : -1;
}

int ChoiceGroup::glyphPixels() const {
    return scaledForDpi(m_checkSize);
}

// --- Layout ---

void ChoiceGroup::loaded() {
    itemsChanged();
    if (m_selIndex < -1) m_selIndex = -1;
}

void ChoiceGroup::layout() {
    ChoiceGroupLayout::Input in;
    in.width = static_cast<int>(ScaleWidth());
    in.height = static_cast<int>(ScaleHeight());
    in.border = borderWidth();
    in.hasGlyph = hasGlyph();
    in.glyph = glyphPixels();
    in.showImage = m_image.ShowImage;
    in.image = imageHeightPixels();
    in.rowsPerColumn = m_rowsPerColumn;
    in.rightToLeft = m_rightToLeft;
    in.glyphRight = m_alignment == 1;
    in.autosize = m_autosize;
    // Every caption is measured once per layout, and a sample line for the row height.
    std::vector<std::u16string> texts;
    texts.reserve(m_items.size() + 1);
    for (const Item& item : m_items)
        texts.push_back(item.caption);
    texts.push_back(u"Ag");
    const std::vector<SIZE> sizes = measureTexts(texts, DT_SINGLELINE, 0);
    for (std::size_t i = 0; i + 1 < sizes.size(); ++i)
        in.captionWidths.push_back(static_cast<int>(sizes[i].cx));
    in.textHeight = static_cast<int>(sizes.back().cy);
    m_layout = ChoiceGroupLayout::compute(in);
    if (m_layout.autosize) sizeToPixels(*m_layout.autosize);
}

void ChoiceGroup::invalidateItem(int index) {
    if (!hWnd() || index < 0 || static_cast<std::size_t>(index) >= m_layout.items.size()) return;
    InvalidateRect(hWnd(), &m_layout.items[index].rect, FALSE);
}

void ChoiceGroup::updateNow() {
    if (hWnd()) UpdateWindow(hWnd());
}

// --- Selection ---

void ChoiceGroup::pressItem(int index) {
    const int old = m_selIndex;
    if (togglesItems()) {
        setItemState(index, !itemState(index));
    } else {
        setItemState(index, true);
        uncheckOtherItems(index);
    }
    m_selIndex = index;
    invalidateItem(old);
    invalidateItem(index);
}

// Selecting an item clears the others of its group; other groups keep their selection.
void ChoiceGroup::uncheckOtherItems(int index) {
    const std::u16string& group = m_items[index].groupName;
    for (int j = 0; j < Count(); ++j)
        if (j != index && m_items[j].groupName == group) setItemState(j, false);
}

// --- Input ---

bool ChoiceGroup::raiseItemEvent(Event event, int index) {
    std::vector<Variant> args{Variant(static_cast<std::int32_t>(index))};
    return raise(eventNumber(event), args);
}

bool ChoiceGroup::raiseItemMouse(Event event, int index, MouseButtons button, ShiftState shift,
                                 double x, double y) {
    std::vector<Variant> args{
        Variant(static_cast<std::int32_t>(index)), Variant(static_cast<std::int16_t>(button)),
        Variant(static_cast<std::int16_t>(shift)), Variant(static_cast<float>(twipsX(x))),
        Variant(static_cast<float>(twipsY(y)))};
    return raise(eventNumber(event), args);
}

void ChoiceGroup::MouseDown(MouseButtons button, ShiftState shift, double x, double y) {
    HideControlTooltip(hWnd());
    m_shownTip.clear();
    const int index = itemAt(x, y);
    if (button == MouseButtons::Left) m_clickItem = index;
    if (index < 0) return;  // between items: nothing changes
    if (button == MouseButtons::Left) m_pressedItem = index;
    pressItem(index);
    raiseItemMouse(evMouseDown, index, button, shift, x, y);
}

void ChoiceGroup::MouseMove(MouseButtons button, ShiftState shift, double x, double y) {
    if (!trackPointer(x, y)) return;
    if (state().hot() && !hoverItem(itemAt(x, y))) return;
    // The entering is done: this raises MouseMove.
    OwnerDrawnControl::MouseMove(button, shift, x, y);
}

void ChoiceGroup::MouseUp(MouseButtons button, ShiftState shift, double x, double y) {
    if (button == MouseButtons::Left && m_pressedItem >= 0) {
        invalidateItem(m_pressedItem);
        m_pressedItem = -1;
    }
    const int index = itemAt(x, y);
    if (index < 0) return;
    if (!raiseItemMouse(evMouseUp, index, button, shift, x, y)) return;
    raiseItemEvent(evItemClick, index);
}

void ChoiceGroup::Click() {
    // Only a press that began on an item clicks.
    if (m_clickItem < 0) return;
    m_clickItem = -1;
    raise(eventNumber(evClick));
}

bool ChoiceGroup::hoverItem(int index) {
    if (index == m_hotItem) return true;
    const int old = m_hotItem;
    m_hotItem = index;
    invalidateItem(old);
    invalidateItem(index);
    // The item's own tip, else the control's; none between items.
    std::u16string tip;
    if (index >= 0) tip = m_items[index].toolTip.empty() ? tooltipText() : m_items[index].toolTip;
    if (tip != m_shownTip) {
        m_shownTip = tip;
        showTooltip(tip);
    }
    if (old >= 0 && !raiseItemEvent(evMouseLeave, old)) return false;
    if (index >= 0 && !raiseItemEvent(evMouseEnter, index)) return false;
    return true;
}

bool ChoiceGroup::pointerLeft() {
    m_shownTip.clear();
    return hoverItem(-1);
}

void ChoiceGroup::stateChanged(StateChange change) {
    // Hover and presses repaint the items they touch; focus shows on the selected item.
    if (change == StateChange::Focus) invalidateItem(m_selIndex);
}

int ChoiceGroup::neighbour(int keyCode) const {
    const int count = Count();
    const bool arrow =
        keyCode == VK_UP || keyCode == VK_DOWN || keyCode == VK_LEFT || keyCode == VK_RIGHT;
    if (!arrow || count == 0) return -1;
    const int current = m_selIndex;
    if (current < 0) return m_hotItem >= 0 ? m_hotItem : 0;
    const int rows = m_layout.rows;
    const int row = current % rows;
    switch (keyCode) {
        case VK_UP:
            return row > 0 ? current - 1 : -1;
        case VK_DOWN:
            return row + 1 < rows && current + 1 < count ? current + 1 : -1;
        default: {
            // Right goes to the next column (the previous one when columns run from the right).
            const bool forward = (keyCode == VK_RIGHT) != m_rightToLeft;
            if (!forward) return current >= rows ? current - rows : -1;
            const int lastColumn = (count - 1) / rows;
            if (current / rows >= lastColumn) return -1;
            return std::min(current + rows, count - 1);  // the last column may be shorter
        }
    }
}

void ChoiceGroup::KeyDown(int& keyCode, ShiftState shift) {
    if (!raiseKey(eventNumber(evKeyDown), keyCode, shift)) return;
    const int target = neighbour(keyCode);
    if (target < 0) return;
    if (togglesItems()) {
        // Check boxes toggle with the space bar; the arrows only move the current item.
        const int old = m_selIndex;
        m_selIndex = target;
        invalidateItem(old);
        invalidateItem(target);
        return;
    }
    pressItem(target);
    raise(eventNumber(evClick));
}

void ChoiceGroup::KeyUp(int& keyCode, ShiftState shift) {
    if (!raiseKey(eventNumber(evKeyUp), keyCode, shift) || keyCode != VK_SPACE) return;
    const int target = m_selIndex >= 0 ? m_selIndex : m_hotItem;
    if (target < 0) return;
    pressItem(target);
    if (!raiseItemEvent(evItemClick, target)) return;
    raise(eventNumber(evClick));
}

void ChoiceGroup::Terminate() {
    m_hotItem = m_pressedItem = m_clickItem = -1;
    m_shownTip.clear();
    OwnerDrawnControl::Terminate();
}

}  // namespace orvane
