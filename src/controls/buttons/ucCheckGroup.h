// A set of check boxes in one window: each item keeps its own state; pressing an item, or the
// space bar on the current one, toggles it.
#pragma once

#include <string>

#include "controls/buttons/ChoiceGroup.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucCheckGroup : public ChoiceGroup {
public:
    ucCheckGroup();
    ~ucCheckGroup() override;
    std::u16string className() const override { return u"ucCheckGroup"; }
    // Publishes the class, its properties, methods and events in `library`, and as the
    // form-file class "ucCheckGroup" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // Per-item states, "True" or "False" separated by "|", by position.
    std::u16string States() const { return statesText(); }
    void States(std::u16string value) { setNamed(u"States", std::move(value)); }
    // One item's state; setting it repaints and raises Click. Other positions than 0 to
    // Count − 1 raise 380.
    bool Value(std::int32_t index) const;
    void Value(std::int32_t index, bool value);
    // Inverts one item's state without an event; other positions do nothing.
    void ToggleCheck(std::int32_t index);

protected:
    const PropertyTable& properties() const override { return table(); }
    bool togglesItems() const override { return true; }
    void paintItemMark(platform::HDC dc, int index, const ChoiceGroupLayout::Item& item) override;

private:
    friend class ChoiceGroup;  // registers the class from its table
    static PropertyTable declare();
    static const PropertyTable& table();
};

}  // namespace orvane
