// The base of every control. The host sites an instance on a container window and raises its
// lifecycle in a fixed order: Initialize; InitProperties (new) or ReadProperties (stored),
// never both; Resize and Show; Paint whenever the area is invalidated; input and focus events
// while live; WriteProperties whenever the container saves it; Hide and Terminate at the end.
// Controls override the events they need and use the surface below.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/Ambient.h"
#include "host/AsyncProperty.h"
#include "host/ConstituentTimer.h"
#include "host/ControlEnums.h"
#include "host/ControlSite.h"
#include "host/DataObject.h"
#include "host/Downloader.h"
#include "host/EventSource.h"
#include "host/Extender.h"
#include "host/PropertyBag.h"
#include "host/ScaleUnits.h"
#include "host/StdPicture.h"
#include "platform/platform.h"

namespace orvane {

class ControlDropSource;
class ControlDropTarget;

class UserControl : public Object, public EventSource {
public:
    UserControl();
    ~UserControl() override;

    // The published class name form files save the control under.
    virtual std::u16string className() const { return u"UserControl"; }
    std::u16string typeName() const override { return className(); }

    // --- Host side ---
    // Sites the control on `parent`: runs the lifecycle up to Show. `stored` is the bag of a
    // saved instance, or null for a new one. The window exists from ReadProperties on.
    void site(platform::HWND parent, std::shared_ptr<orvane::Ambient> ambient,
              orvane::Extender extender, const PropertyBag* stored,
              ControlSite* controlSite = nullptr);
    // Moves the control onto another window of its container (its window's parent, or the
    // surface a windowless control is drawn on); its position stays in the new one's terms.
    void reparent(platform::HWND parent);
    // Raises WriteProperties into `bag` and marks the instance saved.
    void save(PropertyBag& bag);
    // Raises Hide and Terminate and destroys the window. Safe to call twice.
    void unsite();
    // Tells the control an ambient property changed.
    void ambientChanged(const std::u16string& name);
    // Replaces the ambient properties (the container's font, colours, default state).
    void ambient(std::shared_ptr<orvane::Ambient> ambient) { m_ambient = std::move(ambient); }
    // Whether the control is sited: from site() until unsite().
    bool sited() const { return m_sited; }
    // True once PropertyChanged was called since the last save.
    bool changed() const { return m_changed; }

    // --- The control's surface ---
    // The control's window; none for a windowless control.
    platform::HWND hWnd() const { return m_windowless ? platform::HWND() : m_hwnd; }
    // A windowless control has no window: it draws on its container's surface, below the
    // windowed controls, and gets the mouse where its HitTest says so. It never takes the
    // focus and has no border.
    bool Windowless() const { return m_windowless; }
    // Whether the back colour is painted (1) or the container shows through (0); only a
    // windowless control can be transparent.
    int BackStyle() const { return m_backStyle; }
    void BackStyle(int style);
    // The control's rectangle in its container's client area, in pixels.
    platform::RECT rectInContainer() const;
    // The part of its container a windowless control may draw on: its rectangle widened by the
    // overdraw margin.
    platform::RECT paintedRectInContainer() const;
    // How many pixels a windowless control may draw beyond its rectangle on each side (an
    // outline or a turned figure that overhangs it); the container repaints that margin with it.
    int Overdraw() const { return m_overdraw; }
    void Overdraw(int pixels);
    // The device context while Paint runs; null otherwise.
    platform::HDC hDC() const { return m_hdc; }
    // The container's ambient properties: its font, colours, display name, user mode and whether
    // this control shows as its default button.
    const orvane::Ambient& Ambient() const { return *m_ambient; }
    // The properties the container adds (name, index, position in twips, visibility, tag); changing
    // the position moves the control.
    orvane::Extender& Extender() { return m_extender; }
    // The properties the container adds, read only.
    const orvane::Extender& Extender() const { return m_extender; }

    // The client area's width in ScaleMode units.
    double ScaleWidth() const;
    // The client area's height in ScaleMode units.
    double ScaleHeight() const;
    // The unit of the control's own coordinates (ScaleWidth, ScaleHeight, mouse positions): twips
    // unless set; User and the container modes raise error 380.
    orvane::ScaleMode ScaleMode() const { return m_scaleMode; }
    void ScaleMode(orvane::ScaleMode mode);
    // Lengths between units; the container's units are twips.
    double ScaleX(double value, orvane::ScaleMode from, orvane::ScaleMode to) const;
    // The same for vertical lengths.
    double ScaleY(double value, orvane::ScaleMode from, orvane::ScaleMode to) const;
    // The control's outer width in twips; autosizing controls write it (and Height).
    int Width() const { return m_extender.Width(); }
    void Width(int twips) { m_extender.Width(twips); }
    // The control's outer height in twips.
    int Height() const { return m_extender.Height(); }
    void Height(int twips) { m_extender.Height(twips); }

    // The colour the background is erased with (a system colour or RGB); a bad colour raises error
    // 380 and changes nothing. Setting it repaints.
    OLE_COLOR BackColor() const { return m_backColor; }
    void BackColor(OLE_COLOR color);
    // The text colour the control draws with (a system colour or RGB); a bad colour raises error
    // 380. Setting it repaints.
    OLE_COLOR ForeColor() const { return m_foreColor; }
    void ForeColor(OLE_COLOR color);
    // The control's font; setting Nothing raises error 91. Setting it repaints.
    const std::shared_ptr<StdFont>& Font() const { return m_font; }
    void Font(std::shared_ptr<StdFont> font);
    // The extender's Enabled: one state, however it is set.
    bool Enabled() const { return m_extender.Enabled(); }
    void Enabled(bool enabled) { m_extender.Enabled(enabled); }
    // The cursor over the control: 0 the default, 1 to 15 the standard shapes (arrow, cross,
    // I-beam, icon, size, size NE-SW, size N-S, size NW-SE, size W-E, up arrow, hourglass,
    // no drop, arrow and hourglass, arrow and question mark, size all), 99 custom. Other
    // values raise error 380.
    MousePointerConstants MousePointer() const { return m_mousePointer; }
    void MousePointer(MousePointerConstants pointer);
    // The picture shown for MousePointer 99. Custom cursors are not drawn yet: the arrow shows.
    const std::shared_ptr<StdPicture>& MouseIcon() const { return m_mouseIcon; }
    void MouseIcon(std::shared_ptr<StdPicture> icon) { m_mouseIcon = std::move(icon); }
    // The background picture, drawn at the top-left corner over the back colour (bitmaps).
    const std::shared_ptr<StdPicture>& Picture() const { return m_picture; }
    void Picture(std::shared_ptr<StdPicture> picture);

    // The border: BorderStyle 0 none, 1 fixed single; Appearance 0 flat (a one-pixel line),
    // 1 3D (a sunken edge). Other values raise error 380.
    BorderStyleEnum BorderStyle() const { return m_borderStyle; }
    void BorderStyle(BorderStyleEnum style);
    // 0 flat, 1 3D; see BorderStyle.
    AppearanceEnum Appearance() const { return m_appearance; }
    void Appearance(AppearanceEnum appearance);

    // Whether the control takes the focus (clicks, Tab, access keys); a label or a frame does
    // not, and passes it on.
    bool CanGetFocus() const { return m_canGetFocus; }
    void CanGetFocus(bool can) { m_canGetFocus = can; }
    // Moves the focus to the next control in the container's tab order after this one (what
    // a control that cannot hold the focus does with its access key).
    void FocusNextControl();

    // The access character the form routes to AccessKeyPress ("" for none).
    const std::u16string& AccessKeys() const { return m_accessKeys; }
    void AccessKeys(std::u16string keys) { m_accessKeys = std::move(keys); }

    // A timer that ticks on this control while the form runs (never in design mode). It lives
    // as long as the control.
    ConstituentTimer& addTimer();

    // Reads `target` (a file path, or a file, http or https address) while the control runs
    // on; AsyncReadComplete hands over the result under `propertyName`. Types: File (a
    // temporary file), ByteArray; Picture is not supported yet. Options: the vbAsyncRead
    // flags; SynchronousDownload finishes before the call returns, the cache flags change
    // nothing as reads are never cached. A read of the same property still running is
    // cancelled.
    void AsyncRead(const std::u16string& target, int asyncType,
                   const std::u16string& propertyName = u"", int options = 0);
    // Cancels the read of a property ("" for the unnamed read), if one is running.
    void CancelAsyncRead(const std::u16string& propertyName = u"");

    // Constituent controls: controls this one makes on its own surface while it runs, by class
    // name (error 711 for an unknown one) or as made. They share its ambient properties, are
    // not the container's controls, and go when it goes. A name already used raises 360.
    UserControl& AddConstituent(const std::u16string& className, const std::u16string& name,
                                orvane::Extender placement = orvane::Extender());
    // The same with a control already made.
    UserControl& AddConstituent(std::unique_ptr<UserControl> control, const std::u16string& name,
                                orvane::Extender placement = orvane::Extender());
    // The constituent of that name (names ignore case), or null.
    UserControl* Constituent(std::u16string_view name) const;
    // Unsites and destroys the constituent of that name (names ignore case); error 5 when there is
    // none.
    void RemoveConstituent(std::u16string_view name);
    // How many constituents the control holds.
    std::size_t ConstituentCount() const { return m_constituents.size(); }

    // Whether the control takes drops: 0 none, 1 manual (OLEDragOver and OLEDragDrop say what a
    // drop does), 2 automatic (a text-accepting control takes dropped text by itself; otherwise
    // as manual). Other values raise error 380. While the control runs, a non-zero mode makes
    // its window a drop target for itself and the windows inside it. A windowless control has
    // no window: it keeps the mode and takes no drops.
    std::int32_t OLEDropMode() const { return m_oleDropMode; }
    void OLEDropMode(std::int32_t mode);
    // Starts a drag from the control and returns when it ends: OLEStartDrag fills a new data
    // object and may change the allowed effects (copy and move to begin with; none, or no
    // data, cancels); OLEGiveFeedback runs while the drag moves, OLECompleteDrag after it with
    // the effect of the drop (0 when cancelled). The button held when it starts carries the
    // drag: releasing it drops, Escape cancels.
    void OLEDrag();

    // Repaints now.
    virtual void Refresh();
    // Marks the instance changed, so the container saves it.
    void PropertyChanged(const std::u16string& name);

    // Lets the form deliver access keys.
    void raiseAccessKeyPress(int keyAscii) { AccessKeyPress(keyAscii); }
    // For the container of a windowless control: whether a point of the control (pixels from
    // its corner) takes the mouse, as its HitTest says.
    HitResult hitTest(int x, int y);
    // Delivers a mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN, ...) at a point of a windowless
    // control, in pixels from its corner.
    void windowlessMouse(platform::UINT msg, platform::WPARAM wParam, int x, int y);
    // Paints a windowless control on its container's DC, whose origin is the control's corner
    // (the background first when BackStyle is 1).
    void paintWindowless(platform::HDC dc);
    // While the control is its container's key hook (see acceleratorHook), each key message
    // for its window or a window inside it comes here before the container's own keys (Tab,
    // Enter, Escape, access keys) and before it is delivered; true stops both.
    virtual bool TranslateAccel(const platform::MSG&) { return false; }

protected:
    // Raised first, once, when the control is sited: the ambient properties are there, the
    // window and the property values not yet.
    virtual void Initialize() {}
    // Raised for a new instance (no stored bag), to set each property to its new-instance default.
    virtual void InitProperties() {}
    // Raised for a saved instance instead of InitProperties, with its bag: each property is read
    // from it, a missing one as its stored default.
    virtual void ReadProperties(const PropertyBag&) {}
    // Raised when the container saves the control: each property that differs from its stored
    // default is written to the bag.
    virtual void WriteProperties(PropertyBag&) {}
    // Raised when the control's size changes, and once before the first Show.
    virtual void Resize() {}
    // The extender's Enabled changed (the container or a program set it there).
    virtual void EnabledChanged() {}
    // Raised when the control becomes visible (after it is sited, and whenever it is shown again).
    virtual void Show() {}
    // Raised to draw the invalidated area on hDC(), in the control's client coordinates.
    virtual void Paint() {}
    // Raised when the control becomes invisible, and before Terminate.
    virtual void Hide() {}
    // Raised last, once, before the window is destroyed.
    virtual void Terminate() {}
    // A mouse button went down on the control. In the mouse events positions are in ScaleMode
    // units; a handler may destroy the control: the base touches nothing of it afterwards.
    virtual void MouseDown(MouseButtons, ShiftState, double, double) {}
    // The pointer moved over the control (or anywhere while it holds the capture).
    virtual void MouseMove(MouseButtons, ShiftState, double, double) {}
    // A mouse button was released.
    virtual void MouseUp(MouseButtons, ShiftState, double, double) {}
    // A left button pressed and released on the control.
    virtual void Click() {}
    // A second left press quickly after a click, at nearly the same place.
    virtual void DblClick() {}
    // A key went down while the control has the focus (a virtual-key code). Key handlers may
    // change the key (0 swallows it).
    virtual void KeyDown(int&, ShiftState) {}
    // A key was released while the control has the focus (a virtual-key code).
    virtual void KeyUp(int&, ShiftState) {}
    // A character was typed while the control has the focus (its code).
    virtual void KeyPress(int&) {}
    // The control received the keyboard focus.
    virtual void GotFocus() {}
    // The control lost the keyboard focus.
    virtual void LostFocus() {}
    // The form routed one of AccessKeys to the control (or Enter and Escape, 13 and 27, to the
    // default and cancel controls).
    virtual void AccessKeyPress(int) {}
    // An ambient property of that name changed.
    virtual void AmbientChanged(const std::u16string&) {}
    // An AsyncRead finished (or failed): the property holds the value or the error.
    virtual void AsyncReadComplete(AsyncProperty&) {}
    // Whether a point (ScaleMode units) of a windowless control takes the mouse: `result`
    // comes in as Hit for an opaque control and Outside for a transparent one.
    virtual void HitTest(double, double, HitResult&) {}
    // A drag from the control starts: fill `data` (SetData, Files) and set the effects the
    // drag allows; 0 cancels it.
    virtual void OLEStartDrag([[maybe_unused]] const std::shared_ptr<DataObject>& data,
                              [[maybe_unused]] std::int32_t& allowedEffects) {}
    // The target under the pointer answered `effect`; setting `defaultCursors` to false keeps
    // the cursor the control set.
    virtual void OLEGiveFeedback([[maybe_unused]] std::int32_t& effect,
                                 [[maybe_unused]] bool& defaultCursors) {}
    // A drag entered (state 0), left (1) or moved over (2) the control: set `effect` to what a
    // drop here would do. x and y are in ScaleMode units from the client area's corner.
    virtual void OLEDragOver([[maybe_unused]] const std::shared_ptr<DataObject>& data,
                             [[maybe_unused]] std::int32_t& effect,
                             [[maybe_unused]] MouseButtons button,
                             [[maybe_unused]] ShiftState shift, [[maybe_unused]] double x,
                             [[maybe_unused]] double y, [[maybe_unused]] std::int32_t state) {}
    // The data was dropped on the control: set `effect` to what was done.
    virtual void OLEDragDrop([[maybe_unused]] const std::shared_ptr<DataObject>& data,
                             [[maybe_unused]] std::int32_t& effect,
                             [[maybe_unused]] MouseButtons button,
                             [[maybe_unused]] ShiftState shift, [[maybe_unused]] double x,
                             [[maybe_unused]] double y) {}
    // A drag from the control ended with `effect` (0 when cancelled or refused).
    virtual void OLECompleteDrag([[maybe_unused]] std::int32_t& effect) {}
    // A target asks for a format the control's OLEStartDrag promised without a value: SetData it.
    virtual void OLESetData([[maybe_unused]] const std::shared_ptr<DataObject>& data,
                            [[maybe_unused]] std::int32_t& dataFormat) {}
    // Whether the control takes dropped text by itself when OLEDropMode is automatic.
    virtual bool acceptsTextDrop() const { return false; }
    // Takes dropped text at a point (ScaleMode units) in automatic mode. `effect` comes in as
    // copy or move (whether the source removes its copy); set it to 0 to refuse the drop.
    virtual void dropText([[maybe_unused]] const std::u16string& text, [[maybe_unused]] double x,
                          [[maybe_unused]] double y, [[maybe_unused]] std::int32_t& effect) {}
    // Makes the control its container's key hook (or stops being it): a control wrapping a
    // platform window turns it on as it takes the focus and off as it loses it.
    void acceleratorHook(bool on);
    // Makes the control windowless; only before it is sited (in its constructor).
    void Windowless(bool windowless);
    // Messages the control wants before the base handles them; return true when handled.
    virtual bool handleMessage(platform::UINT, platform::WPARAM, platform::LPARAM,
                               platform::LRESULT&) {
        return false;
    }

private:
    friend class ControlDropSource;
    friend class ControlDropTarget;
    // Registers or revokes the window's drop target as OLEDropMode and the run mode say.
    void applyDropTarget();
    static platform::LRESULT windowProc(platform::HWND hwnd, platform::UINT msg,
                                        platform::WPARAM wParam, platform::LPARAM lParam);
    platform::LRESULT onMessage(platform::UINT msg, platform::WPARAM wParam,
                                platform::LPARAM lParam);
    void createWindow(platform::HWND parent);
    void placeWindow();
    void applyBorder();
    void eraseBackground(platform::HDC dc);
    void invalidate();
    platform::RECT clientRect() const;
    bool mouseMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);
    void paintInto(platform::HDC dc);
    void attachTimers(bool run);
    void finishRead(int id, Downloader::Result& result);
    void cancelReads();
    void removeConstituents();
    int dpi() const;
    bool ownVisible() const;
    ShiftState shiftState() const;
    enum class MouseKind { Down, Move, Up };
    void mouse(MouseKind kind, MouseButtons button, platform::LPARAM lParam);

    platform::HWND m_hwnd = nullptr;
    platform::HDC m_hdc = nullptr;
    std::shared_ptr<orvane::Ambient> m_ambient;
    orvane::Extender m_extender;
    orvane::ScaleMode m_scaleMode = orvane::ScaleMode::Twips;
    OLE_COLOR m_backColor = SystemColor(15);
    OLE_COLOR m_foreColor = SystemColor(18);
    std::shared_ptr<StdFont> m_font;
    MousePointerConstants m_mousePointer = MousePointerConstants::Default;
    std::shared_ptr<StdPicture> m_mouseIcon;
    std::shared_ptr<StdPicture> m_picture;
    BorderStyleEnum m_borderStyle = BorderStyleEnum::None;
    AppearanceEnum m_appearance = AppearanceEnum::ThreeD;
    std::u16string m_accessKeys;
    ControlSite* m_site = nullptr;
    std::vector<std::unique_ptr<ConstituentTimer>> m_timers;
    struct Read {
        int id;
        std::shared_ptr<AsyncProperty> property;
    };
    std::vector<Read> m_reads;  // reads still running
    std::vector<std::pair<std::u16string, std::unique_ptr<UserControl>>> m_constituents;
    bool m_sited = false;
    bool m_changed = false;
    bool m_shown = false;       // Show has run: visibility changes now raise Show and Hide
    bool m_enabledSeen = true;  // the extender's Enabled as the control last heard it
    bool m_canGetFocus = true;
    bool m_pressed = false;
    bool m_windowless = false;
    bool m_windowlessVisible = false;
    int m_backStyle = 1;
    platform::HWND m_container = nullptr;  // the window the control lies on
    platform::RECT m_lastRect{};           // a windowless control's last painted rectangle
    int m_overdraw = 0;                    // a windowless control's margin drawn beyond it
    std::int32_t m_oleDropMode = 0;
    std::unique_ptr<ControlDropTarget> m_dropTarget;  // registered on m_hwnd while it takes drops
};

}  // namespace orvane
