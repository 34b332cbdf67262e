// A frame: a container whose controls belong to it (they move, hide and go with it, and its
// option buttons form their own group), drawn as a group box with a caption and an optional,
// possibly animated, picture on its top line, over its container's background so it looks
// transparent. Mouse events come only with EnableEvents; two quick releases make a DblClick.
#pragma once

#include <cstdint>
#include <string>

#include "controls/buttons/FrameLayout.h"
#include "framework/ImageControl.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucFrame : public ImageControl {
public:
    // Event numbers, as published: what EventSource::connect takes.
    enum Event {
        evMouseEnter = 1,
        evMouseLeave,
        evClick,
        evDblClick,
        evMouseMove,
        evMouseUp,
        evOLEDragOver,
        evOLEDragDrop
    };
    // Two releases this close (milliseconds) make a double click.
    static constexpr std::uint64_t kDoubleClickMs = 600;

    ucFrame();
    ~ucFrame() override;
    std::u16string className() const override { return u"ucFrame"; }
    // Publishes the class, its properties, methods and events in `library`, and as the form-file
    // class "ucFrame" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // 0 left, 1 right, 2 centre: where the caption and picture sit on the top line.
    std::int32_t Alignment() const { return m_alignment; }
    void Alignment(std::int32_t value) { setProperty(m_alignment, value); }
    // The text on the top line; "&" marks the access key, which moves the focus into the frame.
    const std::u16string& Caption() const { return m_caption; }
    void Caption(std::u16string value) { setProperty(m_caption, std::move(value)); }
    // Whether the mouse and click events are raised (off for a new frame).
    bool EnableEvents() const { return m_enableEvents; }
    void EnableEvents(bool value) { setProperty(m_enableEvents, value); }
    // Reads the caption right to left.
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value) { setProperty(m_rightToLeft, value); }
    // Stored only: the visual style draws the border whenever there is one.
    bool ThemedBorder() const { return m_themedBorder; }
    void ThemedBorder(bool value) { setProperty(m_themedBorder, value); }
    // The picture shown for MousePointer 99.
    const std::shared_ptr<StdPicture>& MouseIcon() const { return UserControl::MouseIcon(); }
    void MouseIcon(std::shared_ptr<StdPicture> icon) { setNamed(u"MouseIcon", std::move(icon)); }
    // The pointer over the frame (as UserControl::MousePointer numbers it).
    std::int16_t MousePointer() const {
        return static_cast<std::int16_t>(UserControl::MousePointer());
    }
    // Sets the pointer; values other than 0 to 15 and 99 raise error 380.
    void MousePointer(std::int16_t value) { setNamed(u"MousePointer", value); }

    // The current layout, for inspection.
    const FrameLayout& layoutResult() const { return m_layout; }

protected:
    const PropertyTable& properties() const override { return table(); }
    void layout() override;
    void loaded() override;
    bool eventsEnabled() const override { return m_enableEvents; }
    void Paint() override;
    void MouseUp(MouseButtons button, ShiftState shift, double x, double y) override;
    // Clicks come from the releases.
    void Click() override {}
    void DblClick() override {}
    void AccessKeyPress(int keyAscii) override;
    // Drops on the frame (and on its controls that take none themselves) raise OLEDragOver
    // and OLEDragDrop with the host's arguments, whatever EnableEvents says.
    void OLEDragOver(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                     MouseButtons button, ShiftState shift, double x, double y,
                     std::int32_t state) override;
    void OLEDragDrop(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                     MouseButtons button, ShiftState shift, double x, double y) override;

private:
    static PropertyTable declare();
    static const PropertyTable& table();
    void captionChanged();

    std::int32_t m_alignment = 0;
    std::u16string m_caption;
    bool m_enableEvents = false;
    bool m_rightToLeft = false;
    bool m_themedBorder = false;
    FrameLayout m_layout;
    std::uint64_t m_lastUp = 0;  // the previous release's tick, 0 when none counts
};

}  // namespace orvane
