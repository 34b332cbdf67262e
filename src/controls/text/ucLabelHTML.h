// A label whose caption is written in a small markup: <b>, <i>, <u>, <s>, <sub>, <sup>, <br>,
// <forecolor=BBGGRR>, <backcolor=BBGGRR>, <name=Face>, <size=Points> and their closing tags,
// plus the entities &nbsp; &amp; &quot; &lt; &gt;. The caption is cut into styled runs and
// drawn run by run, word-wrapped to the control's width or one line per <BR>. When the label
// is transparent its container is painted behind the text first.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/text/HtmlLabelRenderer.h"
#include "controls/text/HtmlRun.h"
#include "framework/OwnerDrawnControl.h"
#include "framework/SharedEnums.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucLabelHTML : public OwnerDrawnControl {
public:
    // Event numbers.
    enum Event {
        evClick = 1,
        evDblClick,
        evKeyDown,
        evKeyPress,
        evKeyUp,
        evMouseDown,
        evMouseMove,
        evMouseUp
    };

    ucLabelHTML();
    ~ucLabelHTML() override;
    std::u16string className() const override { return u"ucLabelHTML"; }

    // Publishes the class, its members and events.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // Appearance, BackColor, BackStyle, BorderStyle, Enabled, Font and ForeColor are the
    // base's; the border is the window's frame. The base's state colours and border width are
    // not properties of this label: setting them raises error 5.

    // Sizes the label to its caption (widest line + 6 + border by lines + 10 pixels); only
    // without WordWrap.
    bool Autosize() const { return m_autosize; }
    void Autosize(bool value) { setProperty(m_autosize, value); }
    // Leading and trailing spaces are trimmed on assignment.
    const std::u16string& Caption() const { return m_caption; }
    void Caption(std::u16string value) { setProperty(m_caption, std::move(value)); }
    // The column (value mod 3) aligns lines left, centred or right in the one-line-per-<BR>
    // renderer; there the row also places the text block top, middle or bottom.
    AlignEnumEx CaptionAlignment() const { return m_captionAlignment; }
    void CaptionAlignment(AlignEnumEx value) { setProperty(m_captionAlignment, value); }
    // Extra pixels after every character.
    std::int32_t CharacterSpacing() const { return m_characterSpacing; }
    void CharacterSpacing(std::int32_t value) { setProperty(m_characterSpacing, value); }
    // A name kept with the label and persisted; the label itself does not use it.
    const std::u16string& ContainerName() const { return m_containerName; }
    void ContainerName(std::u16string value) { setProperty(m_containerName, std::move(value)); }
    // Parts of the font, as properties of their own: whether it is bold.
    bool FontBold() const { return Font()->Bold(); }
    void FontBold(bool value) { setNamed(u"FontBold", value); }
    // Whether the font is italic.
    bool FontItalic() const { return Font()->Italic(); }
    void FontItalic(bool value) { setNamed(u"FontItalic", value); }
    // Whether the font is struck through.
    bool FontStrikethru() const { return Font()->Strikethrough(); }
    void FontStrikethru(bool value) { setNamed(u"FontStrikethru", value); }
    // Whether the font is underlined.
    bool FontUnderline() const { return Font()->Underline(); }
    void FontUnderline(bool value) { setNamed(u"FontUnderline", value); }
    // The font's face name.
    std::u16string FontName() const { return Font()->Name(); }
    void FontName(std::u16string value) { setNamed(u"FontName", std::move(value)); }
    // The font's size in points.
    float FontSize() const { return static_cast<float>(Font()->Size()); }
    void FontSize(float value) { setNamed(u"FontSize", value); }
    // True: runs without a back colour of their own draw no background.
    bool FontTransparent() const { return m_fontTransparent; }
    void FontTransparent(bool value) { setProperty(m_fontTransparent, value); }
    // The picture shown for MousePointer 99.
    const std::shared_ptr<StdPicture>& MouseIcon() const { return UserControl::MouseIcon(); }
    void MouseIcon(std::shared_ptr<StdPicture> icon) { setNamed(u"MouseIcon", std::move(icon)); }
    // The pointer over the label (as UserControl::MousePointer numbers it).
    std::int16_t MousePointer() const {
        return static_cast<std::int16_t>(UserControl::MousePointer());
    }
    // Sets the pointer; values other than 0 to 15 and 99 raise error 380.
    void MousePointer(std::int16_t value) { setNamed(u"MousePointer", value); }
    // Drawn at the top-left corner behind the caption.
    const std::shared_ptr<StdPicture>& Picture() const { return UserControl::Picture(); }
    void Picture(std::shared_ptr<StdPicture> picture) { setNamed(u"Picture", std::move(picture)); }
    // Stored and persisted only.
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value) { setProperty(m_rightToLeft, value); }
    // True: runs wrap at spaces to the control's width. False: one line per "<BR>".
    bool WordWrap() const { return m_wordWrap; }
    void WordWrap(bool value) { setProperty(m_wordWrap, value); }

    // The colour to draw with, or -1 when it cannot be translated.
    std::int32_t TranslateColor(OLE_COLOR color, std::int32_t palette = 0) const;

    // The runs of the last drawing, for inspection.
    const std::vector<HtmlRun>& runs() const { return m_runs; }

protected:
    const PropertyTable& properties() const override { return table(); }
    bool drawsStates() const override { return false; }
    void layout() override;
    void loaded() override;
    void Resize() override;
    void Paint() override;
    void Terminate() override;
    bool handleMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam,
                       platform::LRESULT& result) override;

private:
    static PropertyTable declare();
    static const PropertyTable& table();
    HtmlLabelRenderer::Settings settings() const;

    std::u16string m_caption;
    bool m_autosize = false;
    AlignEnumEx m_captionAlignment = AlignEnumEx::AlignTopLeft;
    std::int32_t m_characterSpacing = 0;
    std::u16string m_containerName;
    bool m_fontTransparent = true;
    bool m_rightToLeft = false;
    bool m_wordWrap = true;
    std::vector<HtmlRun> m_runs;
    HtmlLabelRenderer m_renderer;
};

}  // namespace orvane
