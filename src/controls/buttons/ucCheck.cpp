#include "controls/buttons/ucCheck.h"

#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"

namespace orvane {

namespace {

bool validValue(CheckBoxConstants v) {
    return static_cast<std::int32_t>(v) >= 0 && static_cast<std::int32_t>(v) <= 2;
}

}  // namespace

ucCheck::ucCheck() : ChoiceButton(StandardEvents::of<ucCheck>()) {}
ucCheck::~ucCheck() = default;

PropertyTable ucCheck::declare() {
    using T = ucCheck;
    PropertyTable t;
    declareChoice<T>(t);
    // Published by hand: setting it from code raises Click even when it stays.
    t.add<T>(u"Value", &T::m_value, CheckBoxConstants::vbUnchecked, CheckBoxConstants::vbUnchecked)
        .check(validValue)
        .hidden()
        .repaint();
    return t;
}

const PropertyTable& ucCheck::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucCheck::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucCheck;
    publishControl<T>(library, classes, u"ucCheck", table(), true, [](ClassBuilder<T>& b) {
        // Published by hand: setting it from code clicks even when it stays.
        b.property(
            PropertyInfo{u"Value",
                         [](Object& o) {
                             return Variant(static_cast<std::int32_t>(static_cast<T&>(o).Value()));
                         },
                         [](Object& o, const Variant& v) {
                             static_cast<T&>(o).Value(static_cast<CheckBoxConstants>(CLng(v)));
                         }});
    });
}

void ucCheck::Value(CheckBoxConstants value) {
    if (!validValue(value)) InvalidPropertyValue(u"Value");
    setProperty(m_value, value);
    raise(evClick);
}

int ucCheck::glyphState() const {
    return 4 * static_cast<int>(m_value) + lookStep();
}

bool ucCheck::userClick() {
    // Checked and grayed both become unchecked.
    setProperty(m_value, m_value == CheckBoxConstants::vbUnchecked
                             ? CheckBoxConstants::vbChecked
                             : CheckBoxConstants::vbUnchecked);
    return raise(evClick);
}

void ucCheck::plainClick() {
    raise(evClick);
}

}  // namespace orvane
