// A progress bar: a value between Min and Max shown as a filled bar. Loaded with uxtheme and
// Animated it hosts a platform progress window ("msctls_progress32") and passes its values on;
// otherwise it paints itself off screen (the "Progress" visual style, or plain colours with
// optional segments and a flat or 3D border) with a caption whose colour changes where the bar
// passes under it, raising Draw first so the application can paint into the same surface.
#pragma once

#include <cstdint>
#include <string>

#include "framework/OwnerDrawnControl.h"
#include "framework/drawing/cMemDc.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucProgressBar : public OwnerDrawnControl {
public:
    // Event numbers, as published: Draw(hdc, lLeft, lTop, lWidth, lHeight, bDoDefault).
    enum Event { evDraw = 1 };
    // EVPRGAppearanceConstants: epbaFlat, epba3DThin, epba3D.
    enum Appearances : std::int32_t { epbaFlat = 0, epba3DThin = 1, epba3D = 2 };
    // EVPRGBorderStyleConstants.
    enum BorderStyles : std::int32_t { epbsNone = 0, epbsInset = 1, epbsRaised = 2 };
    // A segmented bar's block, in pixels.
    static constexpr int kBlock = 8;
    // The gap between blocks, in pixels.
    static constexpr int kGap = 2;

    ucProgressBar();
    ~ucProgressBar() override;
    std::u16string className() const override { return u"ucProgressBar"; }
    // Publishes the class, its enumerations, properties, methods and events in `library`, and
    // as the form-file class "ucProgressBar" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // The lower end of the range.
    std::int32_t Min() const { return m_min; }
    void Min(std::int32_t value) { setProperty(m_min, value); }
    // The upper end of the range.
    std::int32_t Max() const { return m_max; }
    void Max(std::int32_t value) { setProperty(m_max, value); }
    // The position; outside the range the bar is empty or full.
    std::int32_t Value() const { return m_value; }
    void Value(std::int32_t value) { setProperty(m_value, value); }
    // (Value - Min) / (Max - Min), kept within 0 to 1; 0 for an empty range.
    double Percent() const;
    // The colour of the filled part.
    OLE_COLOR BarColor() const { return m_barColor; }
    void BarColor(OLE_COLOR value) { setProperty(m_barColor, value); }
    // The caption's colour where it lies over the filled part.
    OLE_COLOR BarForeColor() const { return m_barForeColor; }
    void BarForeColor(OLE_COLOR value) { setProperty(m_barForeColor, value); }
    // epbaFlat (a black line), epba3DThin (one-pixel shadow and highlight) or epba3D (edges).
    std::int32_t Appearance() const { return m_appearance3; }
    void Appearance(std::int32_t value) { setProperty(m_appearance3, value); }
    // epbsNone, epbsInset or epbsRaised.
    std::int32_t BorderStyle() const { return m_borderStyle3; }
    void BorderStyle(std::int32_t value) { setProperty(m_borderStyle3, value); }
    // Draws the bar as blocks of 8 pixels with 2-pixel gaps.
    bool Segments() const { return m_segments; }
    void Segments(bool value) { setProperty(m_segments, value); }
    // Draws Text over the bar.
    bool ShowText() const { return m_showText; }
    void ShowText(bool value) { setProperty(m_showText, value); }
    // The caption.
    const std::u16string& Text() const { return m_text; }
    void Text(std::u16string value) { setProperty(m_text, std::move(value)); }
    // 0 left, 1 centre, 2 right.
    std::int32_t TextAlignX() const { return m_textAlignX; }
    void TextAlignX(std::int32_t value) { setProperty(m_textAlignX, value); }
    // 0 top, 1 centre, 2 bottom.
    std::int32_t TextAlignY() const { return m_textAlignY; }
    void TextAlignY(std::int32_t value) { setProperty(m_textAlignY, value); }
    // Draws with the visual style.
    bool uxtheme() const { return m_uxtheme; }
    void uxtheme(bool value) { setProperty(m_uxtheme, value); }
    // With uxtheme, hosts the platform's animated progress window (decided when loading).
    bool Animated() const { return m_animated; }
    void Animated(bool value) { setProperty(m_animated, value); }
    // PBST_NORMAL (1), PBST_ERROR (2) or PBST_PAUSE (3): the hosted window's state.
    std::int32_t State() const { return m_stateValue; }
    void State(std::int32_t value) { setProperty(m_stateValue, value); }
    // The hosted window's style bits (PBS_SMOOTH 1, PBS_VERTICAL 4, PBS_MARQUEE 8,
    // PBS_SMOOTHREVERSE 16).
    std::int32_t Style() const { return m_style; }
    void Style(std::int32_t value) { setProperty(m_style, value); }
    // Reads the caption right to left.
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value) { setProperty(m_rightToLeft, value); }

    // The hosted progress window, or null when the control paints itself.
    platform::HWND nativeWindow() const { return m_native; }
    // Where the filled part lies inside `track` (whole steps of `step` pixels when step > 0).
    static platform::RECT barRect(const platform::RECT& track, double fraction, bool vertical,
                                  int step);

protected:
    const PropertyTable& properties() const override { return table(); }
    void loaded() override;
    void Paint() override;
    void Resize() override;
    void Terminate() override;
    bool drawsStates() const override { return false; }

private:
    static PropertyTable declare();
    static const PropertyTable& table();
    void createNative();
    void post(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);
    void paintFrame(platform::HDC dc, int width, int height);
    void drawText(platform::HDC dc, const platform::RECT& rc, OLE_COLOR color, platform::UINT flags,
                  const platform::RECT* clip);

    std::int32_t m_min = 0;
    std::int32_t m_max = 100;
    std::int32_t m_value = 0;
    OLE_COLOR m_barColor = 0x800000;
    OLE_COLOR m_barForeColor = 0xFFFFFF;
    std::int32_t m_appearance3 = epba3DThin;
    std::int32_t m_borderStyle3 = epbsInset;
    bool m_segments = false;
    bool m_showText = false;
    std::u16string m_text;
    std::int32_t m_textAlignX = 1;
    std::int32_t m_textAlignY = 1;
    bool m_uxtheme = false;
    bool m_animated = false;
    std::int32_t m_stateValue = 1;
    std::int32_t m_style = 0;
    bool m_rightToLeft = false;
    platform::HWND m_native;
    cMemDc m_surface;
};

}  // namespace orvane
