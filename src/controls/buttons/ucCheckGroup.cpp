#include "controls/buttons/ucCheckGroup.h"

#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"

namespace orvane {

ucCheckGroup::ucCheckGroup() = default;
ucCheckGroup::~ucCheckGroup() = default;

PropertyTable ucCheckGroup::declare() {
    PropertyTable t;
    declareCommon<ucCheckGroup>(t);
    declareGroup<ucCheckGroup>(t, Rows{true, false, u"AutoSIze"});
    return t;
}

const PropertyTable& ucCheckGroup::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucCheckGroup::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucCheckGroup;
    registerGroup<T>(library, classes, u"ucCheckGroup", [](ClassBuilder<T>& b) {
        PropertyInfo value{u"Value", {}, {}, {u"Index"}};
        value.getAt = [](Object& o, std::vector<Variant>& at) {
            return Variant(static_cast<T&>(o).Value(CLng(at[0])));
        };
        value.putAt = [](Object& o, std::vector<Variant>& at, const Variant& v) {
            static_cast<T&>(o).Value(CLng(at[0]), CBool(v));
        };
        b.property(std::move(value));
        b.computed(u"Count", [](T& t) { return Variant(t.Count()); });
        b.method(u"ToggleCheck", {{u"Index", false}}, [](T& t, std::vector<Variant>& a) {
            t.ToggleCheck(CLng(a[0]));
            return Variant();
        });
    });
}

bool ucCheckGroup::Value(std::int32_t index) const {
    if (!inRange(index)) InvalidPropertyValue(u"Value");
    return itemState(index);
}

void ucCheckGroup::Value(std::int32_t index, bool value) {
    if (!inRange(index)) InvalidPropertyValue(u"Value");
    setItemState(index, value);
    updateNow();
    PropertyChanged(u"Value");
    raise(evClick);
}

void ucCheckGroup::ToggleCheck(std::int32_t index) {
    if (inRange(index)) setItemState(index, !itemState(index));
}

void ucCheckGroup::paintItemMark(platform::HDC dc, int index, const ChoiceGroupLayout::Item& item) {
    paintGlyph(dc, GlyphStrip::Kind::Check, index, item);
}

}  // namespace orvane
