// A push button that draws itself in five styles: transparent or opaque with a flat or 3D
// border, the standard themed face, a picture filling the button, or a strip of three pictures
// (normal, hot, pressed). A side image can be greyed, faded, rotated and animated; Click comes
// from the mouse, the space bar, the access key and the form's Enter and Escape.
#pragma once

#include <cstdint>
#include <string>

#include "controls/buttons/ButtonLayout.h"
#include "framework/ImageControl.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucButton : public ImageControl, public ButtonEventNumbers {
public:
    // Event numbers, as published: what EventSource::connect takes (evClick, ...).
    ucButton();
    ~ucButton() override;
    std::u16string className() const override { return u"ucButton"; }
    // Publishes the class, its properties, methods and events in `library`, and as the form-file
    // class "ucButton" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // 0 left, 1 right, 2 centre; a right-aligned button puts its image on the right.
    std::int32_t Alignment() const { return m_alignment; }
    void Alignment(std::int32_t value) { setProperty(m_alignment, value); }
    // Sizes the button to its caption and image whenever a property or its size changes (with
    // WordWrap only its height).
    bool Autosize() const { return m_autosize; }
    void Autosize(bool value) { setProperty(m_autosize, value); }
    // The text; "&" marks the access key and underlines it ("&&" is an ampersand). A new button
    // starts with its name.
    const std::u16string& Caption() const { return m_caption; }
    void Caption(std::u16string value) { setProperty(m_caption, std::move(value)); }
    // The caption's insets in the picture styles, pixels.
    std::int32_t PadBottom() const { return m_padBottom; }
    void PadBottom(std::int32_t value) { setProperty(m_padBottom, value); }
    // The left inset, pixels.
    std::int32_t PadLeft() const { return m_padLeft; }
    void PadLeft(std::int32_t value) { setProperty(m_padLeft, value); }
    // The right inset, pixels.
    std::int32_t PadRight() const { return m_padRight; }
    void PadRight(std::int32_t value) { setProperty(m_padRight, value); }
    // The top inset, pixels.
    std::int32_t PadTop() const { return m_padTop; }
    void PadTop(std::int32_t value) { setProperty(m_padTop, value); }
    // Setting it also aligns the caption right (true) or left (false).
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value);
    // How the button draws: 0 transparent, 1 opaque, 2 the visual style's push button (new
    // buttons), 3 PNG stretched over it, 4 one third of a vertical PNG strip (normal, hot,
    // pressed). Other values raise error 380.
    ButtonStyleEnum Style() const { return m_style; }
    void Style(ButtonStyleEnum value) { setProperty(m_style, value); }
    // Wraps the caption at words; else one line with an ellipsis at the first word that does not
    // fit.
    bool WordWrap() const { return m_wordWrap; }
    void WordWrap(bool value) { setProperty(m_wordWrap, value); }
    // True only while a click from code or the keyboard is being raised; setting it true
    // clicks the button.
    bool Value() const { return m_value; }
    void Value(bool value);

    // The layout and face state, for inspection.
    const ButtonLayout& layoutResult() const { return m_layout; }
    // The visual-styles push-button state the face is drawn in.
    UxThemePushButtonStates themeState() const;
    // Whether the container shows this button as its default one.
    bool isDefault() const { return Ambient().DisplayAsDefault(); }

protected:
    const PropertyTable& properties() const override { return table(); }
    void layout() override;
    void loaded() override;
    bool pressesWith(MouseButtons button) const override { return button == MouseButtons::Left; }
    void Paint() override;
    void Show() override;
    void KeyDown(int& keyCode, ShiftState shift) override;
    void AccessKeyPress(int keyAscii) override;
    void AmbientChanged(const std::u16string& name) override;

private:
    static PropertyTable declare();
    static const PropertyTable& table();
    void captionChanged();
    // Painting, in the order each style runs it.
    void paintCaption(platform::HDC dc, OLE_COLOR color);
    void paintSideImage(platform::HDC dc);
    void paintPicture(platform::HDC dc, const platform::RECT& rc, bool stacked);
    void paintPictureBorder(platform::HDC dc, const platform::RECT& rc);

    std::int32_t m_alignment = 0;
    bool m_autosize = false;
    std::u16string m_caption;
    std::int32_t m_padBottom = 4;
    std::int32_t m_padLeft = 4;
    std::int32_t m_padRight = 4;
    std::int32_t m_padTop = 4;
    bool m_rightToLeft = false;
    ButtonStyleEnum m_style = ButtonStyleEnum::styStandard;
    bool m_wordWrap = false;
    bool m_value = false;
    ButtonLayout m_layout;
};

}  // namespace orvane
