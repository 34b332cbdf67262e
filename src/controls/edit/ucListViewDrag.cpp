// The list view's drag and drop: the host's OLE events raised as published, and the drag of
// the selected items (OLEDragMode 1) with their drag image following the pointer.
#include "controls/edit/ucListView.h"
#include "platform/comctl/ImageList.h"

namespace orvane {

using namespace platform;

void ucListView::dragItems(POINT press) {
    if (!m_list) return;
    const std::weak_ptr<bool> alive = aliveToken();
    m_itemDrag = true;
    m_dragHotspot = press;  // made relative to the image when it is first built
    m_dragWindow = HWND();
    OLEDrag();
    if (alive.expired()) return;
    showDragImage(false, false);
    m_itemDrag = false;
}

void ucListView::showDragImage(bool show, bool copy) {
    if (!show) {
        if (m_dragWindow) ImageList_DragLeave(HWND());
        ImageList_EndDrag();
        m_dragWindow = HWND();
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    if (m_dragWindow && copy == m_dragImageCopy && IsWindow(m_dragWindow)) {
        ImageList_DragMove(cursor.x, cursor.y);
        return;
    }
    // A new image for the first showing, and when copy and move change places.
    POINT origin{};
    const HIMAGELIST image = createDragImage(copy, &origin);
    if (!image) return;
    if (!m_dragWindow)
        m_dragHotspot = POINT{m_dragHotspot.x - origin.x, m_dragHotspot.y - origin.y};
    ImageList_BeginDrag(image, 0, m_dragHotspot.x, m_dragHotspot.y);
    ImageList_Destroy(image);
    ImageList_DragEnter(HWND(), cursor.x, cursor.y);
    m_dragWindow = FindWindowW(u"ImageListDragWindow", nullptr);
    m_dragImageCopy = copy;
}

void ucListView::OLEStartDrag(const std::shared_ptr<DataObject>& data,
                              std::int32_t& allowedEffects) {
    if (m_itemDrag) {
        // The dragged items' texts, a line each.
        std::u16string text;
        for (int i = GetSelectedNexItem(-1); i >= 0; i = GetSelectedNexItem(i)) {
            if (!text.empty()) text += u"\r\n";
            text += ItemText(i);
        }
        if (!text.empty()) data->SetData(Variant(text), Variant(std::int32_t{vbCFText}));
    }
    raiseOLEStartDrag(evOLEStartDrag, data, allowedEffects);
}

void ucListView::OLEGiveFeedback(std::int32_t& effect, bool& defaultCursors) {
    if (!raiseOLEGiveFeedback(evOLEGiveFeedback, effect, defaultCursors)) return;
    if (m_itemDrag) showDragImage(true, effect == vbDropEffectCopy);
}

void ucListView::OLEDragOver(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                             MouseButtons button, ShiftState shift, double x, double y,
                             std::int32_t state) {
    raiseOLEDragOver(evOLEDragOver, data, effect, button, shift, x, y, state);
}

void ucListView::OLEDragDrop(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                             MouseButtons button, ShiftState shift, double x, double y) {
    raiseOLEDragDrop(evOLEDragDrop, data, effect, button, shift, x, y);
}

void ucListView::OLECompleteDrag(std::int32_t& effect) {
    // The image goes before the program hears how the drag ended.
    if (m_itemDrag) showDragImage(false, false);
    raiseOLECompleteDrag(evOLECompleteDrag, effect);
}

void ucListView::OLESetData(const std::shared_ptr<DataObject>& data, std::int32_t& dataFormat) {
    raiseOLESetData(evOLESetData, data, dataFormat);
}

}  // namespace orvane
