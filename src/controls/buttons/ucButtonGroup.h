// A set of push buttons in one window, one of them down: pressing an item (or moving to it
// with the arrow keys) selects it. With Button the items are push-button faces of the visual
// style (etched edges without one); without it, flat items framed and filled by state.
#pragma once

#include <string>

#include "controls/buttons/ChoiceGroup.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucButtonGroup : public ChoiceGroup {
public:
    ucButtonGroup();
    ~ucButtonGroup() override;
    std::u16string className() const override { return u"ucButtonGroup"; }
    // Publishes the class, its properties, methods and events in `library`, and as the
    // form-file class "ucButtonGroup" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // Items drawn as the visual style's push buttons (the selected one down); else flat items
    // with a frame, the selected one filled.
    bool Button() const { return m_button; }
    void Button(bool value) { setProperty(m_button, value); }

protected:
    const PropertyTable& properties() const override { return table(); }
    bool hasGlyph() const override { return false; }
    bool fillsItems() const override { return !m_button; }
    void beginItems(platform::HDC dc) override;
    void endItems() override;
    void paintItemMark(platform::HDC dc, int index, const ChoiceGroupLayout::Item& item) override;

private:
    friend class ChoiceGroup;  // registers the class from its table
    static PropertyTable declare();
    static const PropertyTable& table();

    bool m_button = false;
    platform::HTHEME m_theme;  // open while the items are drawn
};

}  // namespace orvane
