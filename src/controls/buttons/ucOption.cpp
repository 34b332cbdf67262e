#include "controls/buttons/ucOption.h"

#include <algorithm>
#include <vector>

#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"

namespace orvane {

using namespace platform;

namespace {

// Every live option button, in the order they were made: the group a selection clears is
// found among them.
std::vector<ucOption*>& liveOptions() {
    static std::vector<ucOption*> options;
    return options;
}

}  // namespace

ucOption::ucOption() : ChoiceButton(StandardEvents::of<ucOption>()) {
    liveOptions().push_back(this);
}

ucOption::~ucOption() {
    std::erase(liveOptions(), this);
}

PropertyTable ucOption::declare() {
    using T = ucOption;
    PropertyTable t;
    declareChoice<T>(t);
    t.redeclare<T, std::int32_t>(u"Borderwidth").key(u"Borderwidth");
    t.add<T>(u"GroupName", &T::m_groupName, std::u16string(), std::u16string()).noRedraw();
    // Published by hand: setting it true from code raises Click even when it stays.
    t.add<T>(u"Value", &T::m_value, false, false).hidden().repaint();
    return t;
}

const PropertyTable& ucOption::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucOption::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucOption;
    publishControl<T>(library, classes, u"ucOption", table(), true, [](ClassBuilder<T>& b) {
        // Published by hand: setting it true from code clicks even when it stays.
        b.property(
            PropertyInfo{u"Value", [](Object& o) { return Variant(static_cast<T&>(o).Value()); },
                         [](Object& o, const Variant& v) { static_cast<T&>(o).Value(CBool(v)); }});
    });
}

void ucOption::Value(bool value) {
    if (!value) return setProperty(m_value, false);
    select();
}

bool ucOption::select() {
    setProperty(m_value, true);
    clearOthers();
    return raise(evClick);
}

bool ucOption::userClick() {
    // A click on the selected button changes nothing and raises nothing.
    return m_value || select();
}

void ucOption::AccessKeyPress(int keyAscii) {
    if (isAccessKey(keyAscii)) Value(true);
}

void ucOption::loaded() {
    ChoiceButton::loaded();
    // Of two loaded selected, the later one stays selected.
    if (m_value) clearOthers();
}

// The others on the same container window with the same group name are cleared.
void ucOption::clearOthers() {
    if (!hWnd()) return;
    const HWND container = GetParent(hWnd());
    const std::vector<ucOption*> options = liveOptions();
    for (ucOption* other : options) {
        if (other == this || !other->m_value || !other->hWnd()) continue;
        if (std::ranges::find(liveOptions(), other) == liveOptions().end()) continue;
        if (GetParent(other->hWnd()) != container || other->m_groupName != m_groupName) continue;
        other->Value(false);
    }
}

}  // namespace orvane
