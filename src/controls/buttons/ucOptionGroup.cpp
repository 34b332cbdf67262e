#include "controls/buttons/ucOptionGroup.h"

#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"

namespace orvane {

ucOptionGroup::ucOptionGroup() = default;
ucOptionGroup::~ucOptionGroup() = default;

PropertyTable ucOptionGroup::declare() {
    PropertyTable t;
    declareCommon<ucOptionGroup>(t);
    declareGroup<ucOptionGroup>(t, Rows{true, true, u"AutoSize"});
    return t;
}

const PropertyTable& ucOptionGroup::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucOptionGroup::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucOptionGroup;
    registerGroup<T>(library, classes, u"ucOptionGroup", [](ClassBuilder<T>& b) {
        b.method(u"SelIndexByGroup", {{u"GroupName", false}}, [](T& t, std::vector<Variant>& a) {
            return Variant(t.SelIndexByGroup(CStr(a[0])));
        });
    });
}

void ucOptionGroup::paintItemMark(platform::HDC dc, int index,
                                  const ChoiceGroupLayout::Item& item) {
    paintGlyph(dc, GlyphStrip::Kind::Option, index, item);
}

}  // namespace orvane
