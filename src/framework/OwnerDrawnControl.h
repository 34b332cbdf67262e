// The base of the controls that draw themselves (label, buttons, choices, frame): the shared
// colours, border, font and enabled state; hot, pressed and focus with the 10 ms hover poll,
// the hover tooltip and the hyperlink look; the standard events raised from a table the control
// declares, each checked for the control's removal by its own handler; and one cached layout
// pass per change. A control declares its own properties in a PropertyTable (the common ones
// come from `declareCommon`), lays itself out in `layout()` and draws in `Paint()`.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ButtonBehavior.h"
#include "framework/ColorsAndFonts.h"
#include "framework/ControlImage.h"
#include "framework/PropertyTable.h"
#include "framework/SharedEnums.h"
#include "framework/Subclasser.h"
#include "framework/drawing/cToolTip.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"
#include "host/OleColor.h"
#include "host/StdFont.h"
#include "host/UserControl.h"

namespace orvane {

class ConstituentTimer;

// The numbers of the standard events in a control's event interface; 0: not raised.
struct StandardEvents {
    int Click = 0;       // Click
    int DblClick = 0;    // DblClick
    int MouseDown = 0;   // MouseDown(Button, Shift, X, Y)
    int MouseMove = 0;   // MouseMove(Button, Shift, X, Y), always in pixels
    int MouseUp = 0;     // MouseUp(Button, Shift, X, Y)
    int MouseEnter = 0;  // MouseEnter, when the pointer comes in
    int MouseLeave = 0;  // MouseLeave, when it goes out
    int KeyDown = 0;     // KeyDown(KeyCode, Shift)
    int KeyPress = 0;    // KeyPress(KeyAscii)
    int KeyUp = 0;       // KeyUp(KeyCode, Shift)
    // MouseDown and MouseUp positions in twips (the convention), or in pixels.
    bool mouseInTwips = true;

    // Publishes each raised event under its standard name and arguments, in number order.
    template <class T>
    void publish(ClassBuilder<T>& b) const;
    // The standard events control class `C` declares, by their numbers C::evClick, ...
    template <class C>
    static StandardEvents of();
};

// The standard events numbered as the button and the choice buttons publish them.
struct ButtonEventNumbers {
    // Click 1, DblClick 2, KeyDown 3, KeyPress 4, KeyUp 5, MouseDown 6, MouseMove 7, MouseUp 8,
    // MouseEnter 9, MouseLeave 10.
    enum Event {
        evClick = 1,
        evDblClick,
        evKeyDown,
        evKeyPress,
        evKeyUp,
        evMouseDown,
        evMouseMove,
        evMouseUp,
        evMouseEnter,
        evMouseLeave
    };
};

// The mouse events numbered as the label and the shape publish them.
struct MouseEventNumbers {
    // Click 1, DblClick 2, MouseDown 3, MouseMove 4, MouseUp 5, MouseEnter 6, MouseLeave 7.
    enum Event {
        evClick = 1,
        evDblClick,
        evMouseDown,
        evMouseMove,
        evMouseUp,
        evMouseEnter,
        evMouseLeave
    };
};

// The shared palette of the owner-drawn controls (0x00BBGGRR).
namespace palette {
inline constexpr OLE_COLOR kBackColor = 0xE1E1E1;           // BackColor
inline constexpr OLE_COLOR kBackColorHot = 0xFBF1E5;        // BackColorHot
inline constexpr OLE_COLOR kBackColorPressed = 0xF7E4CC;    // BackColorPressed
inline constexpr OLE_COLOR kBorderColor = 0xADADAD;         // BorderColor
inline constexpr OLE_COLOR kBorderColorHot = 0xD77800;      // BorderColorHot
inline constexpr OLE_COLOR kBorderColorPressed = 0x995400;  // BorderColorPressed
inline constexpr OLE_COLOR kDisabledFill = 0xCCCCCC;        // a disabled control's fill
inline constexpr OLE_COLOR kDisabledText = 0x90839D;        // a disabled control's text
// A state colour that draws nothing.
inline constexpr OLE_COLOR kNoColor = 0xFFFFFFFF;
}  // namespace palette

class OwnerDrawnControl : public UserControl {
public:
    ~OwnerDrawnControl() override;

    // --- The common properties ---
    // The fill, drawn when BackStyle is opaque (or, for the buttons, as their Style says).
    OLE_COLOR BackColor() const { return m_backColor; }
    void BackColor(OLE_COLOR value) { setProperty(m_backColor, value); }
    // The fill while the pointer is over the control; -1 (palette::kNoColor) draws no fill then.
    OLE_COLOR BackColorHot() const { return m_backColorHot; }
    void BackColorHot(OLE_COLOR value) { setProperty(m_backColorHot, value); }
    // The fill while the control is pressed; -1 draws no fill then.
    OLE_COLOR BackColorPressed() const { return m_backColorPressed; }
    void BackColorPressed(OLE_COLOR value) { setProperty(m_backColorPressed, value); }
    // The colour of a flat border.
    OLE_COLOR BorderColor() const { return m_borderColor; }
    void BorderColor(OLE_COLOR value) { setProperty(m_borderColor, value); }
    // The flat border's colour while the pointer is over the control, it has the focus or it is
    // the default button (for controls whose border follows their state).
    OLE_COLOR BorderColorHot() const { return m_borderColorHot; }
    void BorderColorHot(OLE_COLOR value) { setProperty(m_borderColorHot, value); }
    // The flat border's colour while the control is pressed (for controls whose border follows
    // their state).
    OLE_COLOR BorderColorPressed() const { return m_borderColorPressed; }
    void BorderColorPressed(OLE_COLOR value) { setProperty(m_borderColorPressed, value); }
    // The caption's colour.
    OLE_COLOR ForeColor() const { return m_foreColor; }
    void ForeColor(OLE_COLOR value) { setProperty(m_foreColor, value); }
    // Transparent (the container shows through) or opaque (BackColor fills the control).
    BackStyleEnum BackStyle() const { return m_backStyle; }
    void BackStyle(BackStyleEnum value) { setProperty(m_backStyle, value); }
    // Flat (a line of Borderwidth pixels) or 3D (raised edges, sunken while pressed).
    AppearanceEnum Appearance() const { return m_appearance; }
    void Appearance(AppearanceEnum value) { setProperty(m_appearance, value); }
    // None (no border) or Fixed Single (a border as Appearance says).
    BorderStyleEnum BorderStyle() const { return m_borderStyle; }
    void BorderStyle(BorderStyleEnum value) { setProperty(m_borderStyle, value); }
    // The width of a flat border, in pixels.
    std::int32_t Borderwidth() const { return m_borderWidth; }
    void Borderwidth(std::int32_t value) { setProperty(m_borderWidth, value); }
    // A disabled control takes no input and draws greyed: fill palette::kDisabledFill, text
    // palette::kDisabledText, its image grey at half opacity.
    bool Enabled() const { return m_enabled; }
    void Enabled(bool value) { setProperty(m_enabled, value); }
    // Nothing means the container's font.
    const std::shared_ptr<StdFont>& Font() const { return m_font; }
    void Font(std::shared_ptr<StdFont> font);

    // The tooltip shown while the pointer rests on the control.
    void InitTooltip(const std::u16string& text, const std::u16string& title = u"",
                     ToolTipIcon icon = ToolTipIcon::ToolTipIcon_None,
                     ToolTipStyle style = ToolTipStyle::ttsBalloon,
                     OLE_COLOR backColor = vbInfoBackground, OLE_COLOR foreColor = vbInfoText,
                     std::int32_t maxWidth = 260);

    // Lays out (when something changed) and repaints now.
    void Refresh() override;

    // Downloads an image (a file path or address) into PNG; a failed read is logged and the
    // image stays. For controls with the image properties.
    void AsyncRead(const std::u16string& url);

    // Publishes the methods every owner-drawn control has (InitTooltip, Refresh, hWnd), and
    // AsyncRead when it shows an image.
    template <class T>
    static void publishCommonMethods(ClassBuilder<T>& b, bool withImage);
    // Publishes InitTooltip alone, for controls whose other members differ.
    template <class T>
    static void publishInitTooltip(ClassBuilder<T>& b);
    // Publishes control class T under `name` for the type library, form files and scripts: its
    // declared properties, its standard events, then `more` (members of its own, events numbered
    // after the standard ones) and the common methods.
    template <class T>
    static void publishControl(TypeLibrary& library, ControlClasses& classes,
                               const std::u16string& name, const PropertyTable& table,
                               bool withImage,
                               const std::function<void(ClassBuilder<T>&)>& more = {});

    // --- For drawing and tests ---
    // The hot, pressed and focus state the control draws from.
    const ButtonBehavior& state() const { return m_state; }
    // 0 without a border, 2 for a 3D one, else Borderwidth.
    int borderWidth() const;
    // Content is inset by the border width and 2 pixels.
    int contentInset() const { return borderWidth() + 2; }
    // Pixels per inch of the screen the control is on.
    int dpi() const;
    // A length given in pixels at 96 DPI, in pixels at the control's DPI (rounded).
    int scaledForDpi(std::int32_t pixelsAt96) const;
    // Whether the animation timer is running.
    bool animationRunning() const;
    // True while the form runs, false in design mode.
    bool userMode() const { return Ambient().UserMode(); }

    // Called by the property declarations after a value changed.
    void applyChange(const PropertyRow& row);
    // Called after the image bytes changed: the animation starts again from its first frame.
    virtual void imageChanged();

protected:
    // A control raising the standard events numbered in `events` (usually StandardEvents::of<C>()).
    explicit OwnerDrawnControl(const StandardEvents& events);

    // The control's declarations (built once per class).
    virtual const PropertyTable& properties() const = 0;
    template <class V>
    // Sets the property stored in `field` through its declaration: checked (error 380), then, when
    // it changed, its side effects, one layout and one repaint, and PropertyChanged.
    void setProperty(V& field, V value) {
        properties().rowOf(*this, field).assign(*this, std::move(value));
    }
    // For properties kept outside the control's fields (parts of the font object, say).
    template <class V>
    void setNamed(std::u16string_view name, V value) {
        properties().named<V>(name).assign(*this, std::move(value));
    }
    // The common rows, with their shared defaults, for class C.
    template <class C>
    static void declareCommon(PropertyTable& t);
    // The common rows without the hover and pressed colours, the flat border's colours,
    // BackStyle and Borderwidth, which stay inside, neither published nor saved: for controls
    // with no state looks of their own.
    template <class C>
    static void declareStateless(PropertyTable& t);
    // MousePointer and MouseIcon, the host's pointer over the control, published and stored
    // (the control's accessors reach them with setNamed).
    template <class C>
    static void declarePointer(PropertyTable& t);

    // --- What a control provides ---
    // Recomputes the cached layout from the properties and the size; may resize the control
    // (autosize), which does not lay it out again.
    virtual void layout() {}
    // After InitProperties or ReadProperties stored every value.
    virtual void loaded() {}
    // Whether user events and hover effects on the border are raised (the label's
    // EnableEvents); hot tracking and the tooltip run regardless.
    virtual bool eventsEnabled() const { return true; }
    // Underline and a hand pointer while hot.
    virtual bool hyperLink() const { return false; }
    // The control's image, if it has the image properties.
    virtual ControlImage* image() { return nullptr; }
    // Whether hot, pressed and focus change the picture (a repaint when they change).
    virtual bool drawsStates() const { return true; }
    // Whether a press of `button` gives the pressed look.
    virtual bool pressesWith(MouseButtons) const { return true; }
    // What changed the hot, pressed or focus state.
    enum class StateChange { Hover, Press, Focus };
    // Repaints after the state changed (when drawsStates); the whole control unless a control
    // knows better.
    virtual void stateChanged(StateChange) { Refresh(); }
    // Shows the hover tooltip as the pointer enters: the InitTooltip text.
    virtual void showHoverTip();
    // Called as the hover poll finds the pointer gone, before MouseLeave; false when a handler
    // removed the control.
    virtual bool pointerLeft() { return true; }

    // Hover tracking for a pointer at (x, y) pixels: on entering, the hot state, MouseEnter,
    // the tooltip and the hover poll. False when a handler removed the control.
    bool trackPointer(double x, double y);
    // Shows the shared tooltip for this control with `text` and the InitTooltip settings (the
    // defaults without them); an empty text hides it.
    void showTooltip(const std::u16string& text);
    // The InitTooltip text ("" without one).
    const std::u16string& tooltipText() const;

    // Changes the font object in place as one property change (its own notifications are not
    // passed on while `change` runs).
    void changeFont(const std::function<void(StdFont&)>& change);
    // A copy of the container's font (a default font when it has none).
    std::shared_ptr<StdFont> ambientFontCopy() const;
    // The hot, pressed and focus state, for controls the keyboard presses.
    ButtonBehavior& behavior() { return m_state; }
    // Follows a new Font: hands it to the host's surface and watches it for changes made in place.
    void fontChanged();
    // Follows Enabled: the window takes input or not, and hot and pressed are dropped.
    void enabledChanged();

    // Whether layout() is running (an autosize it makes does not lay out again).
    bool inLayout() const { return m_inLayout; }
    // The layout is out of date: the next Refresh or Paint lays out again.
    void invalidateLayout() { m_layoutValid = false; }
    // Runs layout() when the cached layout is out of date (and the properties are in).
    void ensureLayout();
    // A GDI font for the control's font (underlined while a hyperlink is hot); the caller
    // deletes it.
    platform::HFONT createFont() const;
    // The size of `text` laid out by DrawTextW `flags` in the control's font, `width` pixels
    // wide.
    platform::SIZE measureText(const std::u16string& text, platform::UINT flags, int width) const;
    // The sizes of many texts measured the same way, with one surface and one font.
    std::vector<platform::SIZE> measureTexts(const std::vector<std::u16string>& texts,
                                             platform::UINT flags, int width) const;
    // Resizes the control to `size` pixels where it differs; the window has no frame of its
    // own, so its outer size is the client size.
    void sizeToPixels(platform::SIZE size);
    // Fills `rc` with the state's back colour (disabled, pressed, hot or normal) when `opaque`;
    // where there is no fill, the container shows through.
    void paintStateFill(platform::HDC dc, const platform::RECT& rc, bool opaque);
    // Fills `rc` with `color`; a colour that draws nothing shows the container instead.
    void fillOrShowContainer(platform::HDC dc, const platform::RECT& rc, OLE_COLOR color);
    // Draws `text` in `color` with DrawTextW `flags` in `rect` (a wrapped block centred as laid
    // out), in the control's font, over what is there.
    void drawCaption(platform::HDC dc, const std::u16string& text, OLE_COLOR color,
                     platform::UINT flags, const platform::RECT& rect) const;
    // The push-button face of the visual style in state `stateId` (its rounded corners show the
    // container), or the classic raised or pushed button when styles are off.
    void paintPushFace(platform::HDC dc, const platform::RECT& rc,
                       UxThemePushButtonStates stateId) const;
    // A flat border in the state's colour (hot, pressed, focused or `isDefault` when
    // `tracksState`), or a raised or sunken 3D edge.
    void drawStateBorder(platform::HDC dc, const platform::RECT& rc, bool tracksState,
                         bool isDefault) const;
    // How the state shows on the image: disabled, pressed, hot or normal.
    ControlImage::Look imageLook() const;
    // Draws the image with the state's look; animation frames advance and the animation timer
    // follows.
    void drawImage(platform::HDC dc, int x, int y, int height, bool brightnessStep);
    // Draws the image stretched over `dest` as a background (ControlImage::drawFrame); the
    // animation timer follows.
    void drawBackgroundImage(platform::HDC dc, const platform::RECT& dest, bool advance);
    // Starts the animation timer at the image's FrameInterval, or stops it.
    void setAnimation(bool run);
    // Each tick of the animation timer: a repaint, which draws the next frame.
    virtual void animationTick() { Refresh(); }
    // Raises an event; false when a handler removed the control (touch nothing of it then).
    bool raise(int number, std::vector<Variant>& args);
    bool raise(int number);
    // Raises KeyDown, KeyUp or KeyPress (by these numbers) for a key message of a window inside
    // the control, seen before the window gets it: a handler may change the key (the message
    // then carries the new one) or swallow it with 0 (the window never sees it). Returns the
    // key code a WM_KEYDOWN still carries after KeyDown, else 0.
    int raiseKeyMessage(SubclassMessage& m, int keyDown, int keyUp, int keyPress);
    // Raises mouse event `number` (Button, Shift, x, y) for a mouse message of a window inside
    // the control: the button from the message (or the first held for a move), the shift keys
    // held, and the position in ScaleMode units, moved into the control's client area (a
    // message's position is taken as it is when `window` is the control's own).
    bool raiseMouseOf(int number, platform::HWND window, platform::UINT msg, platform::WPARAM keys,
                      platform::LPARAM lParam);
    // The host's drag-and-drop hooks raised as the control's events of these numbers, with the
    // published arguments; what the handlers set comes back. False when a handler removed the
    // control.
    bool raiseOLEStartDrag(int number, const std::shared_ptr<DataObject>& data,
                           std::int32_t& allowedEffects);
    // OLEGiveFeedback(Effect, DefaultCursors).
    bool raiseOLEGiveFeedback(int number, std::int32_t& effect, bool& defaultCursors);
    // OLEDragOver(Data, Effect, Button, Shift, x, y, State).
    bool raiseOLEDragOver(int number, const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                          MouseButtons button, ShiftState shift, double x, double y,
                          std::int32_t state);
    // OLEDragDrop(Data, Effect, Button, Shift, x, y).
    bool raiseOLEDragDrop(int number, const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                          MouseButtons button, ShiftState shift, double x, double y);
    // OLECompleteDrag(Effect).
    bool raiseOLECompleteDrag(int number, std::int32_t& effect);
    // OLESetData(Data, DataFormat).
    bool raiseOLESetData(int number, const std::shared_ptr<DataObject>& data,
                         std::int32_t& dataFormat);
    // Raises a key event whose handlers may change the key (0 swallows it); false when a
    // handler removed the control.
    bool raiseKey(int event, int& keyCode, ShiftState shift);
    // The release of MouseUp (the state, the redraw and the event); false when a handler
    // removed the control.
    bool releaseAndRaise(MouseButtons button, ShiftState shift, double x, double y);
    // Horizontal pixels to twips, for MouseDown and MouseUp.
    double twipsX(double px) const;
    // Vertical pixels to twips.
    double twipsY(double px) const;

    // --- The host's events, handled once for every owner-drawn control ---
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) override;
    void Resize() override;
    void EnabledChanged() override;
    void Terminate() override;
    void MouseDown(MouseButtons button, ShiftState shift, double x, double y) override;
    void MouseMove(MouseButtons button, ShiftState shift, double x, double y) override;
    void MouseUp(MouseButtons button, ShiftState shift, double x, double y) override;
    void Click() override;
    void DblClick() override;
    void KeyDown(int& keyCode, ShiftState shift) override;
    void KeyPress(int& keyAscii) override;
    void KeyUp(int& keyCode, ShiftState shift) override;
    void GotFocus() override;
    void LostFocus() override;
    void HitTest(double x, double y, HitResult& result) override;
    void AsyncReadComplete(AsyncProperty& property) override;
    bool handleMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam,
                       platform::LRESULT& result) override;

    // The common properties' values, declared by declareCommon; a control's Paint reads them.
    OLE_COLOR m_backColor = palette::kBackColor;                    // BackColor
    OLE_COLOR m_backColorHot = palette::kBackColorHot;              // BackColorHot
    OLE_COLOR m_backColorPressed = palette::kBackColorPressed;      // BackColorPressed
    OLE_COLOR m_borderColor = palette::kBorderColor;                // BorderColor
    OLE_COLOR m_borderColorHot = palette::kBorderColorHot;          // BorderColorHot
    OLE_COLOR m_borderColorPressed = palette::kBorderColorPressed;  // BorderColorPressed
    OLE_COLOR m_foreColor = 0;                                      // ForeColor
    BackStyleEnum m_backStyle = BackStyleEnum::bsTransparent;       // BackStyle
    AppearanceEnum m_appearance = AppearanceEnum::Flat;             // Appearance
    BorderStyleEnum m_borderStyle = BorderStyleEnum::FixedSingle;   // BorderStyle
    std::int32_t m_borderWidth = 1;                                 // Borderwidth
    bool m_enabled = true;                                          // Enabled
    std::shared_ptr<StdFont> m_font;                                // Font

private:
    struct Tooltip {
        std::u16string text, title;
        ToolTipIcon icon = ToolTipIcon::ToolTipIcon_None;
        ToolTipStyle style = ToolTipStyle::ttsBalloon;
        OLE_COLOR backColor = vbInfoBackground;
        OLE_COLOR foreColor = vbInfoText;
        std::int32_t maxWidth = 260;
    };
    void finishLoading();
    platform::SIZE clientSize() const;
    bool pressOrRelease(bool press, int event, MouseButtons button, ShiftState shift, double x,
                        double y);
    void pollHover();
    void leave();
    void watchFont();
    ConstituentTimer& timer(ConstituentTimer*& slot, std::int32_t interval,
                            void (OwnerDrawnControl::*tick)());

    StandardEvents m_events;
    ButtonBehavior m_state;
    bool m_loaded = false;          // properties are in: changes now redraw
    bool m_layoutValid = false;     // the cached layout matches the properties and size
    bool m_inLayout = false;        // a layout pass is running (its autosize resizes)
    platform::SIZE m_layoutSize{};  // the client size the cached layout is for
    platform::POINT m_origin{};     // screen position of the client origin, taken on entry
    std::unique_ptr<Tooltip> m_tooltip;
    ConstituentTimer* m_hoverTimer = nullptr;
    ConstituentTimer* m_animationTimer = nullptr;
    std::shared_ptr<StdFont> m_watchedFont;
    int m_fontListener = 0;
    bool m_fontQuiet = false;
};

template <class C>
StandardEvents StandardEvents::of() {
    StandardEvents e;
    if constexpr (requires { C::evClick; }) e.Click = C::evClick;
    if constexpr (requires { C::evDblClick; }) e.DblClick = C::evDblClick;
    if constexpr (requires { C::evMouseDown; }) e.MouseDown = C::evMouseDown;
    if constexpr (requires { C::evMouseMove; }) e.MouseMove = C::evMouseMove;
    if constexpr (requires { C::evMouseUp; }) e.MouseUp = C::evMouseUp;
    if constexpr (requires { C::evMouseEnter; }) e.MouseEnter = C::evMouseEnter;
    if constexpr (requires { C::evMouseLeave; }) e.MouseLeave = C::evMouseLeave;
    if constexpr (requires { C::evKeyDown; }) e.KeyDown = C::evKeyDown;
    if constexpr (requires { C::evKeyPress; }) e.KeyPress = C::evKeyPress;
    if constexpr (requires { C::evKeyUp; }) e.KeyUp = C::evKeyUp;
    return e;
}

template <class T>
void StandardEvents::publish(ClassBuilder<T>& b) const {
    const std::vector<std::u16string> none;
    const std::vector<std::u16string> mouse{u"Button", u"Shift", u"X", u"Y"};
    const std::vector<std::u16string> key{u"KeyCode", u"Shift"};
    const std::vector<std::u16string> ascii{u"KeyAscii"};
    struct Row {
        int number;
        const char16_t* name;
        const std::vector<std::u16string>* params;
    };
    std::vector<Row> rows{{Click, u"Click", &none},           {DblClick, u"DblClick", &none},
                          {MouseDown, u"MouseDown", &mouse},  {MouseMove, u"MouseMove", &mouse},
                          {MouseUp, u"MouseUp", &mouse},      {MouseEnter, u"MouseEnter", &none},
                          {MouseLeave, u"MouseLeave", &none}, {KeyDown, u"KeyDown", &key},
                          {KeyPress, u"KeyPress", &ascii},    {KeyUp, u"KeyUp", &key}};
    // Listed in the order of their numbers.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.number < b.number; });
    for (const Row& row : rows)
        if (row.number) b.event(row.name, row.number, *row.params);
}

template <class T>
void OwnerDrawnControl::publishCommonMethods(ClassBuilder<T>& b, bool withImage) {
    publishInitTooltip(b);
    b.method(u"Refresh", {}, [](T& t, std::vector<Variant>&) {
         t.Refresh();
         return Variant();
     }).computed(u"hWnd", [](T& t) { return Variant(static_cast<std::int32_t>(t.hWnd().value)); });
    if (withImage)
        b.method(u"AsyncRead", {{u"URL", false}}, [](T& t, std::vector<Variant>& a) {
            t.AsyncRead(CStr(a[0]));
            return Variant();
        });
}

template <class T>
void OwnerDrawnControl::publishInitTooltip(ClassBuilder<T>& b) {
    b.method(u"InitTooltip",
             {{u"Text", false},
              {u"Title", true},
              {u"Icon", true},
              {u"Style", true},
              {u"BackColor", true, ValueType::Color},
              {u"ForeColor", true, ValueType::Color},
              {u"MaxWidth", true}},
             [](T& t, std::vector<Variant>& a) {
                 const auto opt = [&a](std::size_t i, std::int32_t def) {
                     return a[i].isMissing() ? def : CLng(a[i]);
                 };
                 t.InitTooltip(
                     CStr(a[0]), a[1].isMissing() ? u"" : CStr(a[1]),
                     static_cast<ToolTipIcon>(opt(2, 0)), static_cast<ToolTipStyle>(opt(3, 1)),
                     static_cast<OLE_COLOR>(opt(4, static_cast<std::int32_t>(vbInfoBackground))),
                     static_cast<OLE_COLOR>(opt(5, static_cast<std::int32_t>(vbInfoText))),
                     opt(6, 260));
                 return Variant();
             });
}

template <class T>
void OwnerDrawnControl::publishControl(TypeLibrary& library, ControlClasses& classes,
                                       const std::u16string& name, const PropertyTable& table,
                                       bool withImage,
                                       const std::function<void(ClassBuilder<T>&)>& more) {
    ClassBuilder<T> b(name);
    b.creatable();
    table.publish(b);
    StandardEvents::of<T>().publish(b);
    if (more) more(b);
    publishCommonMethods(b, withImage);
    library.registerClass(b.build());
    classes.add(name, [] { return std::make_unique<T>(); });
}

template <class C>
void OwnerDrawnControl::declarePointer(PropertyTable& t) {
    t.addAccessor<C, std::shared_ptr<StdPicture>>(
         u"MouseIcon", [](C& c) { return c.UserControl::MouseIcon(); },
         [](C& c, std::shared_ptr<StdPicture> p) { c.UserControl::MouseIcon(std::move(p)); },
         nullptr, nullptr)
        .persistWith(
            [](C& c, const PropertyBag& bag) {
                c.UserControl::MouseIcon(persist::readObject<StdPicture>(bag, u"MouseIcon"));
            },
            [](C& c, PropertyBag& bag) {
                if (c.MouseIcon())
                    bag.WriteProperty(u"MouseIcon",
                                      Variant(std::static_pointer_cast<Object>(c.MouseIcon())));
            });
    t.addAccessor<C, std::int16_t>(
         u"MousePointer",
         [](C& c) { return static_cast<std::int16_t>(c.UserControl::MousePointer()); },
         [](C& c, std::int16_t v) {
             c.UserControl::MousePointer(static_cast<MousePointerConstants>(v));
         },
         std::int16_t{0}, std::int16_t{0})
        .check([](const std::int16_t& v) { return (v >= 0 && v <= 15) || v == 99; })
        .noRedraw();
}

template <class C>
void OwnerDrawnControl::declareCommon(PropertyTable& t) {
    using namespace palette;
    using B = OwnerDrawnControl;
    const auto isEnum2 = [](auto v) {
        return static_cast<int>(v) == 0 || static_cast<int>(v) == 1;
    };
    t.add<C>(u"Appearance", &B::m_appearance, AppearanceEnum::Flat, AppearanceEnum::Flat)
        .check([isEnum2](const AppearanceEnum& v) { return isEnum2(v); })
        .relayout();
    t.add<C>(u"BackColor", &B::m_backColor, kBackColor, kBackColor);
    t.add<C>(u"BackColorHot", &B::m_backColorHot, kBackColorHot, kBackColorHot);
    t.add<C>(u"BackColorPressed", &B::m_backColorPressed, kBackColorPressed, kBackColorPressed);
    t.add<C>(u"BackStyle", &B::m_backStyle, BackStyleEnum::bsTransparent,
             BackStyleEnum::bsTransparent)
        .check([isEnum2](const BackStyleEnum& v) { return isEnum2(v); });
    t.add<C>(u"BorderColor", &B::m_borderColor, kBorderColor, kBorderColor);
    t.add<C>(u"BorderColorHot", &B::m_borderColorHot, kBorderColorHot, kBorderColorHot);
    t.add<C>(u"BorderColorPressed", &B::m_borderColorPressed, kBorderColorPressed,
             kBorderColorPressed);
    t.add<C>(u"BorderStyle", &B::m_borderStyle, BorderStyleEnum::FixedSingle,
             BorderStyleEnum::FixedSingle)
        .check([isEnum2](const BorderStyleEnum& v) { return isEnum2(v); })
        .relayout();
    t.add<C>(u"Borderwidth", &B::m_borderWidth, std::int32_t{1}, std::int32_t{1})
        .key(u"BorderWidth")
        .check([](const std::int32_t& v) { return v >= 0 && v <= 100; })
        .relayout();
    t.add<C>(u"Enabled", &B::m_enabled, true, true).then([](C& c) { c.enabledChanged(); });
    t.add<C>(u"Font", &B::m_font, std::shared_ptr<StdFont>(), std::shared_ptr<StdFont>())
        .relayout()
        .newFrom([](C& c) { return c.ambientFontCopy(); })
        .then([](C& c) { c.fontChanged(); })
        .persistWith(
            [](C& c, const PropertyBag& bag) {
                std::shared_ptr<StdFont> font = persist::readObject<StdFont>(bag, u"Font");
                c.m_font = font ? font->clone() : c.ambientFontCopy();
            },
            [](C& c, PropertyBag& bag) {
                // Only a font that differs from the container's is stored.
                if (!FontsEqual(c.m_font, c.Ambient().Font()))
                    bag.WriteProperty(u"Font", Variant(std::static_pointer_cast<Object>(c.m_font)));
            });
    t.add<C>(u"ForeColor", &B::m_foreColor, OLE_COLOR{0}, OLE_COLOR{0});
}

template <class C>
void OwnerDrawnControl::declareStateless(PropertyTable& t) {
    declareCommon<C>(t);
    for (const char16_t* name : {u"BackColorHot", u"BackColorPressed", u"BorderColor",
                                 u"BorderColorHot", u"BorderColorPressed"})
        t.redeclare<C, OLE_COLOR>(name).hidden().notPersisted();
    t.redeclare<C, BackStyleEnum>(u"BackStyle").hidden().notPersisted();
    t.redeclare<C, std::int32_t>(u"Borderwidth").hidden().notPersisted();
}

}  // namespace orvane
