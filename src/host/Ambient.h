// What the container tells its controls about itself: whether the form runs or is being
// designed, and the defaults new controls take (font, colours, display name).
#pragma once

#include <memory>
#include <string>

#include "host/OleColor.h"
#include "host/StdFont.h"

namespace orvane {

class Ambient {
public:
    Ambient() : m_font(std::make_shared<StdFont>()) {}

    // False while the form is designed: controls paint and persist, but start no run-time work.
    bool UserMode() const { return m_userMode; }
    void UserMode(bool userMode) { m_userMode = userMode; }
    // The container's font, which new controls copy.
    const std::shared_ptr<StdFont>& Font() const { return m_font; }
    void Font(std::shared_ptr<StdFont> font) { m_font = std::move(font); }
    // The control's name as the container shows it (a new label's caption, say).
    const std::u16string& DisplayName() const { return m_displayName; }
    void DisplayName(std::u16string name) { m_displayName = std::move(name); }
    // Whether the control is the container's default button (Enter presses it).
    bool DisplayAsDefault() const { return m_displayAsDefault; }
    void DisplayAsDefault(bool value) { m_displayAsDefault = value; }
    // The container's text colour (button text unless set).
    OLE_COLOR ForeColor() const { return m_foreColor; }
    void ForeColor(OLE_COLOR color) { m_foreColor = color; }
    // The container's back colour (button face unless set).
    OLE_COLOR BackColor() const { return m_backColor; }
    void BackColor(OLE_COLOR color) { m_backColor = color; }

private:
    bool m_userMode = true;
    std::shared_ptr<StdFont> m_font;
    std::u16string m_displayName;
    bool m_displayAsDefault = false;
    OLE_COLOR m_foreColor = SystemColor(18);  // button text
    OLE_COLOR m_backColor = SystemColor(15);  // button face
};

}  // namespace orvane
