// An option button: its glyph from the library's option strip, or in the graphical style a
// push button that stays down while selected. Selecting one clears the others that share its
// container and its GroupName (two empty names match), whether the user selects it, code sets
// Value or a form file loads it selected.
#pragma once

#include <string>

#include "controls/buttons/ChoiceButton.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucOption : public ChoiceButton {
public:
    ucOption();
    ~ucOption() override;
    std::u16string className() const override { return u"ucOption"; }
    // Publishes the class, its properties, methods and events in `library`, and as the form-file
    // class "ucOption" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // Whether this option is the selected one of its group.
    bool Value() const { return m_value; }
    // True selects this button, clears the others of its group and raises Click (also when it
    // was selected already); false clears it and raises nothing.
    void Value(bool value);
    // The options of one container form separate groups by this name.
    const std::u16string& GroupName() const { return m_groupName; }
    void GroupName(std::u16string value) { setProperty(m_groupName, std::move(value)); }

    int glyphState() const override { return (m_value ? 4 : 0) + lookStep(); }

protected:
    const PropertyTable& properties() const override { return table(); }
    GlyphStrip::Kind glyphKind() const override { return GlyphStrip::Kind::Option; }
    bool chosen() const override { return m_value; }
    bool userClick() override;
    void plainClick() override {}
    void loaded() override;
    void AccessKeyPress(int keyAscii) override;

private:
    static PropertyTable declare();
    static const PropertyTable& table();
    // Selects, clears the group and raises Click; false when a handler removed the control.
    bool select();
    void clearOthers();

    bool m_value = false;
    std::u16string m_groupName;
};

}  // namespace orvane
