// A set of option buttons in one window: pressing an item (or moving to it with the arrow
// keys) selects it and clears the other items of its GroupName, so one group can hold several
// independent sets of choices.
#pragma once

#include <string>

#include "controls/buttons/ChoiceGroup.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucOptionGroup : public ChoiceGroup {
public:
    ucOptionGroup();
    ~ucOptionGroup() override;
    std::u16string className() const override { return u"ucOptionGroup"; }
    // Publishes the class, its properties, methods and events in `library`, and as the
    // form-file class "ucOptionGroup" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // Per-item states, "True" or "False" separated by "|", by position.
    std::u16string States() const { return statesText(); }
    void States(std::u16string value) { setNamed(u"States", std::move(value)); }
    // Per-item exclusion groups, separated by "|"; items with equal names exclude each other.
    const std::u16string& GroupNames() const { return groupNames(); }
    void GroupNames(std::u16string value) { setNamed(u"GroupNames", std::move(value)); }
    // The selected item of a group, -1 when it has none.
    std::int32_t SelIndexByGroup(const std::u16string& groupName) const {
        return selectedInGroup(groupName);
    }

protected:
    const PropertyTable& properties() const override { return table(); }
    void paintItemMark(platform::HDC dc, int index, const ChoiceGroupLayout::Item& item) override;

private:
    friend class ChoiceGroup;  // registers the class from its table
    static PropertyTable declare();
    static const PropertyTable& table();
};

}  // namespace orvane
