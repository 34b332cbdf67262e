// A check box with three values (unchecked, checked, grayed), its glyph from the library's
// check strip, or in the graphical style a push button that stays down while checked. A click,
// the space bar or the access key toggles it (grayed becomes unchecked); setting Value from
// code always raises Click.
#pragma once

#include "controls/buttons/ChoiceButton.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucCheck : public ChoiceButton {
public:
    ucCheck();
    ~ucCheck() override;
    std::u16string className() const override { return u"ucCheck"; }
    // Publishes the class, its properties, methods and events in `library`, and as the form-file
    // class "ucCheck" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // 0 unchecked, 1 checked, 2 grayed.
    CheckBoxConstants Value() const { return m_value; }
    // Stores the value and raises Click, even when it stays; a value outside 0 to 2 raises
    // error 380 and changes nothing.
    void Value(CheckBoxConstants value);

    int glyphState() const override;

protected:
    const PropertyTable& properties() const override { return table(); }
    GlyphStrip::Kind glyphKind() const override { return GlyphStrip::Kind::Check; }
    bool chosen() const override { return m_value == CheckBoxConstants::vbChecked; }
    bool userClick() override;
    void plainClick() override;

private:
    static PropertyTable declare();
    static const PropertyTable& table();

    CheckBoxConstants m_value = CheckBoxConstants::vbUnchecked;
};

}  // namespace orvane
