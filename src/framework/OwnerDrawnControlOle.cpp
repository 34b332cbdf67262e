// The host's drag-and-drop hooks raised as a control's published OLE events.
#include "framework/OwnerDrawnControl.h"

namespace orvane {

namespace {

Variant objectOf(const std::shared_ptr<DataObject>& data) {
    return Variant(std::static_pointer_cast<Object>(data));
}

}  // namespace

bool OwnerDrawnControl::raiseOLEStartDrag(int number, const std::shared_ptr<DataObject>& data,
                                          std::int32_t& allowedEffects) {
    std::vector<Variant> args{objectOf(data), Variant(allowedEffects)};
    if (!raise(number, args)) return false;
    allowedEffects = CLng(args[1]);
    return true;
}

bool OwnerDrawnControl::raiseOLEGiveFeedback(int number, std::int32_t& effect,
                                             bool& defaultCursors) {
    std::vector<Variant> args{Variant(effect), Variant(defaultCursors)};
    if (!raise(number, args)) return false;
    effect = CLng(args[0]);
    defaultCursors = CBool(args[1]);
    return true;
}

bool OwnerDrawnControl::raiseOLEDragOver(int number, const std::shared_ptr<DataObject>& data,
                                         std::int32_t& effect, MouseButtons button,
                                         ShiftState shift, double x, double y, std::int32_t state) {
    std::vector<Variant> args{objectOf(data),
                              Variant(effect),
                              Variant(static_cast<std::int16_t>(button)),
                              Variant(static_cast<std::int16_t>(shift)),
                              Variant(static_cast<float>(x)),
                              Variant(static_cast<float>(y)),
                              Variant(static_cast<std::int16_t>(state))};
    if (!raise(number, args)) return false;
    effect = CLng(args[1]);
    return true;
}

bool OwnerDrawnControl::raiseOLEDragDrop(int number, const std::shared_ptr<DataObject>& data,
                                         std::int32_t& effect, MouseButtons button,
                                         ShiftState shift, double x, double y) {
    std::vector<Variant> args{objectOf(data),
                              Variant(effect),
                              Variant(static_cast<std::int16_t>(button)),
                              Variant(static_cast<std::int16_t>(shift)),
                              Variant(static_cast<float>(x)),
                              Variant(static_cast<float>(y))};
    if (!raise(number, args)) return false;
    effect = CLng(args[1]);
    return true;
}

bool OwnerDrawnControl::raiseOLECompleteDrag(int number, std::int32_t& effect) {
    std::vector<Variant> args{Variant(effect)};
    if (!raise(number, args)) return false;
    effect = CLng(args[0]);
    return true;
}

bool OwnerDrawnControl::raiseOLESetData(int number, const std::shared_ptr<DataObject>& data,
                                        std::int32_t& dataFormat) {
    std::vector<Variant> args{objectOf(data), Variant(dataFormat)};
    if (!raise(number, args)) return false;
    dataFormat = CLng(args[1]);
    return true;
}

}  // namespace orvane
