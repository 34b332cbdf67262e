// A caption with an optional image, word wrapping and autosizing, a flat or 3D border and hover
// and pressed colours. It raises no events, and shows no pressed or hot border, until
// EnableEvents is set; the hot background and the tooltip follow the pointer regardless.
#pragma once

#include <cstdint>
#include <string>

#include "controls/text/LabelLayout.h"
#include "framework/ImageControl.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

// Its events are numbered as MouseEventNumbers says (what EventSource::connect takes).
class ucLabel : public ImageControl, public MouseEventNumbers {
public:
    ucLabel();
    ~ucLabel() override;
    std::u16string className() const override { return u"ucLabel"; }
    // Publishes the class, its properties, methods and events in `library`, and as the form-file
    // class "ucLabel" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // 0 left, 1 right, 2 centre; also places the image (right-aligned labels put it right).
    std::int32_t Alignment() const { return m_alignment; }
    void Alignment(std::int32_t value) { setProperty(m_alignment, value); }
    // Sizes the label to its caption and image whenever a property or its size changes: to the
    // one-line caption, or with WordWrap only its height to the wrapped lines.
    bool Autosize() const { return m_autosize; }
    void Autosize(bool value) { setProperty(m_autosize, value); }
    // The text, any Unicode; "&" marks the access key ("&&" is an ampersand). A new label starts
    // with its name.
    const std::u16string& Caption() const { return m_caption; }
    void Caption(std::u16string value) { setProperty(m_caption, std::move(value)); }
    // Whether the label raises its events and shows the hot and pressed border colours (off for a
    // new label).
    bool EnableEvents() const { return m_enableEvents; }
    void EnableEvents(bool value) { setProperty(m_enableEvents, value); }
    // Underlines the caption and shows a hand pointer while the pointer is over the label.
    bool HyperLink() const { return m_hyperLink; }
    void HyperLink(bool value) { setProperty(m_hyperLink, value); }
    // Setting it also aligns the caption right (true) or left (false).
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value);
    // Wraps the caption at words, the block of lines centred vertically; else one line with an
    // ellipsis at the first word that does not fit.
    bool WordWrap() const { return m_wordWrap; }
    void WordWrap(bool value) { setProperty(m_wordWrap, value); }

    // The current layout, for inspection.
    const LabelLayout& layoutResult() const { return m_layout; }

protected:
    const PropertyTable& properties() const override { return table(); }
    void layout() override;
    void loaded() override;
    bool eventsEnabled() const override { return m_enableEvents; }
    bool hyperLink() const override { return m_hyperLink; }
    void Paint() override;
    void AccessKeyPress(int keyAscii) override;

private:
    static PropertyTable declare();
    static const PropertyTable& table();
    void captionChanged();

    std::int32_t m_alignment = 0;
    bool m_autosize = false;
    std::u16string m_caption;
    bool m_enableEvents = false;
    bool m_hyperLink = false;
    bool m_rightToLeft = false;
    bool m_wordWrap = false;
    LabelLayout m_layout;
};

}  // namespace orvane
