// What the check box and the option button share: a glyph from the library's strips beside an
// optional side image and the caption, or in the graphical style a push-button face that stays
// pressed while chosen; hover, tooltip and image as the button has them. The two differ only in
// their value, their glyph cells and what a click does, which they provide.
#pragma once

#include <cstdint>
#include <string>

#include "controls/buttons/ChoiceLayout.h"
#include "framework/ImageControl.h"
#include "framework/drawing/GlyphStrip.h"
#include "host/ControlEnums.h"

namespace orvane {

class ChoiceButton : public ImageControl, public ButtonEventNumbers {
public:
    ~ChoiceButton() override;

    // Left Justify puts the glyph at the left; Right Justify at the right, the caption
    // right-aligned.
    AlignEnum Alignment() const { return m_alignment; }
    void Alignment(AlignEnum value) { setProperty(m_alignment, value); }
    // Sizes the control to its glyph, image and caption (margins + glyph + image + caption wide,
    // the tallest of them + margins high); with WordWrap the width stays.
    bool Autosize() const { return m_autosize; }
    void Autosize(bool value) { setProperty(m_autosize, value); }
    // The text beside the glyph; "&" marks the access key. A new control starts with its name.
    const std::u16string& Caption() const { return m_caption; }
    void Caption(std::u16string value) { setProperty(m_caption, std::move(value)); }
    // The glyph's side in pixels at 96 DPI.
    std::int32_t CheckSize() const { return m_checkSize; }
    void CheckSize(std::int32_t value) { setProperty(m_checkSize, value); }
    // Reads the caption right to left.
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value) { setProperty(m_rightToLeft, value); }
    // Standard (the glyph beside the caption) or Graphical (the visual style's push button, pressed
    // while chosen, without glyph, border or fill).
    ButtonConstants Style() const { return m_style; }
    void Style(ButtonConstants value) { setProperty(m_style, value); }
    // Wraps the caption at words.
    bool WordWrap() const { return m_wordWrap; }
    void WordWrap(bool value) { setProperty(m_wordWrap, value); }

    // The layout, for inspection.
    const ChoiceLayout& layoutResult() const { return m_layout; }
    // The strip cell the glyph is drawn from (the visual style's state number).
    virtual int glyphState() const = 0;

protected:
    // A choice raising the standard events numbered in `events`.
    explicit ChoiceButton(const StandardEvents& events);

    // The rows both declare, in published order around the value.
    template <class C>
    static void declareChoice(PropertyTable& t);

    // --- What each provides ---
    // Which strip the glyph comes from (check or option).
    virtual GlyphStrip::Kind glyphKind() const = 0;
    // Chosen: the graphical face is drawn pressed.
    virtual bool chosen() const = 0;
    // A click on the control (the host's Click while the pointer is over it, the space bar's
    // release, or the access key); false when a handler removed the control.
    virtual bool userClick() = 0;
    // The host's Click while the pointer is elsewhere.
    virtual void plainClick() = 0;

    // The glyph state's step for the look: 1 normal, 2 hot, 3 pressed, 4 disabled.
    int lookStep() const;

    void layout() override;
    void loaded() override;
    void Paint() override;
    void Click() override;
    void KeyDown(int& keyCode, ShiftState shift) override;
    void KeyUp(int& keyCode, ShiftState shift) override;
    void AccessKeyPress(int keyAscii) override;
    void LostFocus() override;
    // Whether a key the form routed here is the caption's access key.
    bool isAccessKey(int keyAscii) const;

    // The properties' values.
    AlignEnum m_alignment = AlignEnum::LeftJustify;               // Alignment
    bool m_autosize = false;                                      // Autosize
    std::u16string m_caption;                                     // Caption
    std::int32_t m_checkSize = 13;                                // CheckSize
    bool m_rightToLeft = false;                                   // RightToLeft
    ButtonConstants m_style = ButtonConstants::vbButtonStandard;  // Style
    bool m_wordWrap = false;                                      // WordWrap
    ChoiceLayout m_layout;                                        // the current layout

private:
    void captionChanged();
    bool m_spaceDown = false;  // the space bar went down on this control
};

template <class C>
void ChoiceButton::declareChoice(PropertyTable& t) {
    using B = ChoiceButton;
    declareCommon<C>(t);
    t.add<C>(u"Alignment", &B::m_alignment, AlignEnum::LeftJustify, AlignEnum::LeftJustify)
        .check([](const AlignEnum& v) {
            return v == AlignEnum::LeftJustify || v == AlignEnum::RightJustify;
        })
        .relayout();
    t.add<C>(u"Autosize", &B::m_autosize, false, false).key(u"AutoSize").relayout();
    t.add<C>(u"Caption", &B::m_caption, std::u16string(), std::u16string())
        .newFrom([](C& c) { return c.Ambient().DisplayName(); })
        .then([](C& c) { c.captionChanged(); })
        .relayout();
    t.add<C>(u"CheckSize", &B::m_checkSize, std::int32_t{13}, std::int32_t{13})
        .check([](const std::int32_t& v) { return v >= 0 && v <= 1024; })
        .relayout();
    t.add<C>(u"RightToLeft", &B::m_rightToLeft, false, false).relayout();
    t.add<C>(u"Style", &B::m_style, ButtonConstants::vbButtonStandard,
             ButtonConstants::vbButtonStandard)
        .check([](const ButtonConstants& v) {
            return v == ButtonConstants::vbButtonStandard ||
                   v == ButtonConstants::vbButtonGraphical;
        })
        .relayout();
    t.add<C>(u"WordWrap", &B::m_wordWrap, false, false).relayout();
    ControlImage::declare<C>(t, &B::m_image, Effect::Relayout);
    // The image's hover step is kept in the bag but not published.
    t.template redeclare<C, std::int32_t>(u"Brightness").defaults(10, 10);
}

}  // namespace orvane
