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
#include "framework/SharedEnums.h"
#include "host/UserControl.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucLabelHTML : public UserControl {
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

    AppearanceEnum Appearance() const { return UserControl::Appearance(); }
    void Appearance(AppearanceEnum value);
    bool Autosize() const { return m_autosize; }
    void Autosize(bool value);
    OLE_COLOR BackColor() const { return UserControl::BackColor(); }
    void BackColor(OLE_COLOR value);
    BackStyleEnum BackStyle() const { return m_backStyle; }
    void BackStyle(BackStyleEnum value);
    BorderStyleEnum BorderStyle() const { return UserControl::BorderStyle(); }
    void BorderStyle(BorderStyleEnum value);
    // Leading and trailing spaces are trimmed on assignment.
    std::u16string Caption() const { return m_caption; }
    void Caption(std::u16string value);
    // The column (value mod 3) aligns lines left, centred or right in the one-line-per-<BR>
    // renderer; there the row also places the text block top, middle or bottom.
    AlignEnumEx CaptionAlignment() const { return m_captionAlignment; }
    void CaptionAlignment(AlignEnumEx value);
    // Extra pixels after every character.
    std::int32_t CharacterSpacing() const { return m_characterSpacing; }
    void CharacterSpacing(std::int32_t value);
    std::u16string ContainerName() const { return m_containerName; }
    void ContainerName(std::u16string value);
    bool Enabled() const { return UserControl::Enabled(); }
    void Enabled(bool value);
    const std::shared_ptr<StdFont>& Font() const { return UserControl::Font(); }
    void Font(std::shared_ptr<StdFont> font);
    bool FontBold() const { return Font()->Bold(); }
    void FontBold(bool value);
    bool FontItalic() const { return Font()->Italic(); }
    void FontItalic(bool value);
    bool FontStrikethru() const { return Font()->Strikethrough(); }
    void FontStrikethru(bool value);
    bool FontUnderline() const { return Font()->Underline(); }
    void FontUnderline(bool value);
    std::u16string FontName() const { return Font()->Name(); }
    void FontName(std::u16string value);
    float FontSize() const { return static_cast<float>(Font()->Size()); }
    void FontSize(float value);
    // True: runs without a back colour of their own draw no background.
    bool FontTransparent() const { return m_fontTransparent; }
    void FontTransparent(bool value);
    OLE_COLOR ForeColor() const { return UserControl::ForeColor(); }
    void ForeColor(OLE_COLOR value);
    const std::shared_ptr<StdPicture>& MouseIcon() const { return UserControl::MouseIcon(); }
    void MouseIcon(std::shared_ptr<StdPicture> icon);
    short MousePointer() const { return static_cast<short>(UserControl::MousePointer()); }
    void MousePointer(short value);
    const std::shared_ptr<StdPicture>& Picture() const { return UserControl::Picture(); }
    void Picture(std::shared_ptr<StdPicture> picture);
    // Stored and persisted only.
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value);
    // True: runs wrap at spaces to the control's width. False: one line per "<BR>".
    bool WordWrap() const { return m_wordWrap; }
    void WordWrap(bool value);

    // The colour to draw with, or -1 when it cannot be translated.
    std::int32_t TranslateColor(OLE_COLOR color, std::int32_t palette = 0) const;

    // The runs of the last drawing, for inspection.
    const std::vector<HtmlRun>& runs() const { return m_runs; }

protected:
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) override;
    void Resize() override;
    void Paint() override;
    void Terminate() override;
    void Click() override;
    void DblClick() override;
    void KeyDown(int& keyCode, ShiftState shift) override;
    void KeyPress(int& keyAscii) override;
    void KeyUp(int& keyCode, ShiftState shift) override;
    void MouseDown(MouseButtons button, ShiftState shift, double x, double y) override;
    void MouseMove(MouseButtons button, ShiftState shift, double x, double y) override;
    void MouseUp(MouseButtons button, ShiftState shift, double x, double y) override;

private:
    // Redraws (once the properties are loaded) and reports the change under `key`.
    void update(const std::u16string& key);
    // Changes the font object as a property of the label (one redraw, the label's key).
    void setFont(const std::u16string& key, const std::function<void(StdFont&)>& change);
    void watchFont();
    void raiseMouse(int number, MouseButtons button, ShiftState shift, double x, double y);
    void raiseKey(int number, int& keyCode, ShiftState shift);

    std::u16string m_caption;
    bool m_autosize = false;
    BackStyleEnum m_backStyle = BackStyleEnum::bsTransparent;
    AlignEnumEx m_captionAlignment = AlignEnumEx::AlignTopLeft;
    std::int32_t m_characterSpacing = 0;
    std::u16string m_containerName;
    bool m_fontTransparent = true;
    bool m_rightToLeft = false;
    bool m_wordWrap = true;
    std::int32_t m_translatedBackColor = 0xFFFFFF;
    bool m_loaded = false;      // nothing is drawn before the properties are in
    bool m_autosizing = false;  // the size being set is the label's own
    std::vector<HtmlRun> m_runs;
    HtmlLabelRenderer m_renderer;
    std::shared_ptr<StdFont> m_watchedFont;
    int m_fontListener = 0;
    bool m_fontQuiet = false;
};

}  // namespace orvane
