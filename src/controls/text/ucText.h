// A Unicode text box, single- or multi-line, on the platform's edit control: the control keeps
// an "Edit" window over its whole client area, colours it through WM_CTLCOLOREDIT, and turns
// its messages into events. Properties that change the window's style build the window again
// with the text kept. While the box has the focus it is the form's key hook, so arrows, page
// keys and Home/End (and Enter in a multi-line box) move the caret instead of the focus; Tab
// still leaves. Alt held while typing four hex digits types the character they encode, and
// Alt+X turns the four hex digits before the caret into theirs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/OwnerDrawnControl.h"
#include "framework/Subclasser.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucText : public OwnerDrawnControl {
public:
    // Event numbers, as published.
    enum Event {
        evChange = 1,
        evClick,
        evContextMenu,
        evDblClick,
        evKeyDown,
        evKeyPress,
        evKeyUp,
        evMouseDown,
        evMouseEnter,
        evMouseLeave,
        evMouseMove,
        evMouseUp,
        evOLECompleteDrag,
        evOLEDragDrop,
        evOLEDragOver,
        evOLEGiveFeedback,
        evOLESetData,
        evOLEStartDrag,
        evUpdate
    };
    // ScrollBars: which bars a multi-line box shows.
    enum ScrollBarsEnum : std::int32_t { sbNone = 0, sbHorizontal = 1, sbVertical = 2, sbBoth = 3 };
    // The edit window's control identifier.
    static constexpr int kEditId = 0x1001;

    ucText();
    ~ucText() override;
    std::u16string className() const override { return u"ucText"; }
    // Publishes the class, its properties, methods and events in `library`, and as the
    // form-file class "ucText" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // --- Properties ---
    // The text. Reading gives the window's text cut at its first NUL, else without surrounding
    // spaces. Setting a different text raises Change and sets DataChanged.
    std::u16string Text() const;
    void Text(const std::u16string& value);
    // 0 left, 1 right, 2 centre; a change builds the window again.
    std::int32_t Alignment() const { return m_alignment; }
    void Alignment(std::int32_t value) { setProperty(m_alignment, value); }
    // Grey hint text shown while the box is empty.
    const std::u16string& CueBanner() const { return m_cueBanner; }
    void CueBanner(std::u16string value) { setProperty(m_cueBanner, std::move(value)); }
    // False keeps the selection shown while the box has no focus (read when the window is built).
    bool HideSelection() const { return m_hideSelection; }
    void HideSelection(bool value) { setProperty(m_hideSelection, value); }
    // Blank pixels inside the left edge.
    std::int16_t LeftMargin() const { return m_leftMargin; }
    void LeftMargin(std::int16_t value) { setProperty(m_leftMargin, value); }
    // Blank pixels inside the right edge.
    std::int16_t RightMargin() const { return m_rightMargin; }
    void RightMargin(std::int16_t value) { setProperty(m_rightMargin, value); }
    // Read-only: keys other than Ctrl+C and the movement keys do nothing; drawn in the locked
    // colours.
    bool Locked() const { return m_locked; }
    void Locked(bool value) { setProperty(m_locked, value); }
    // The locked box's background.
    OLE_COLOR LockedBackColor() const { return m_lockedBackColor; }
    void LockedBackColor(OLE_COLOR value) { setProperty(m_lockedBackColor, value); }
    // The locked box's text colour.
    OLE_COLOR LockedForeColor() const { return m_lockedForeColor; }
    void LockedForeColor(OLE_COLOR value) { setProperty(m_lockedForeColor, value); }
    // The most characters the box takes; 0 for no limit (the window's own limit reads as 0).
    std::int32_t MaxLength() const;
    void MaxLength(std::int32_t value) { setProperty(m_maxLength, value); }
    // Several lines, wrapped unless horizontal scroll bars are on.
    bool MultiLine() const { return m_multiLine; }
    void MultiLine(bool value) { setProperty(m_multiLine, value); }
    // 0 manual (the program calls OLEDrag), 1 automatic: pressing on the selected text and
    // moving starts a drag of it; a move removes it when the drop is done.
    std::int32_t OLEDragMode() const { return m_oleDragMode; }
    void OLEDragMode(std::int32_t value) { setProperty(m_oleDragMode, value); }
    // The host's OLEDropMode: 0 none, 1 manual (OLEDragOver and OLEDragDrop), 2 automatic (dropped
    // text goes in where it is dropped, without events).
    std::int32_t OLEDropMode() const { return m_oleDropMode; }
    void OLEDropMode(std::int32_t value) { setProperty(m_oleDropMode, value); }
    // Its first character is shown for every character of the text; "" shows the text.
    const std::u16string& PasswordChar() const { return m_passwordChar; }
    void PasswordChar(std::u16string value) { setProperty(m_passwordChar, std::move(value)); }
    // Right-to-left layout; a change builds the window again.
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value) { setProperty(m_rightToLeft, value); }
    // Scroll bars of a multi-line box.
    ScrollBarsEnum ScrollBars() const { return m_scrollBars; }
    void ScrollBars(ScrollBarsEnum value) { setProperty(m_scrollBars, value); }
    // Any text the program keeps with the control.
    const std::u16string& Tag() const { return m_tag; }
    void Tag(std::u16string value) { setProperty(m_tag, std::move(value)); }

    // --- Run-time members ---
    // The edit window (0 when there is none); the control's own window holds it.
    platform::HWND editWindow() const { return m_edit; }
    // True after every change of the text, until the program sets it False.
    bool DataChanged() const { return m_dataChanged; }
    void DataChanged(bool value) { m_dataChanged = value; }
    // Where the selection starts.
    std::int32_t SelStart() const;
    void SelStart(std::int32_t value);
    // How many units the selection holds.
    std::int32_t SelLength() const;
    void SelLength(std::int32_t value);
    // The selected text; setting it replaces the selection (undoably).
    std::u16string SelText() const;
    void SelText(const std::u16string& value);
    // The character nearest a point of the edit window (pixels), as a 16-bit index.
    std::int16_t CharFromPos(std::int32_t x, std::int32_t y) const;
    // The caret's character index from the start of the text, as a 16-bit index.
    std::int16_t CurrentColumn() const;
    // The first line shown (lines count from 0).
    std::int32_t GetFirstVisibleLine() const;
    // The number of lines.
    std::int32_t LineCount() const;
    // The line holding a character.
    std::int32_t LineForCharacterIndex(std::int32_t index) const;
    // The vertical scroll bar's position; 0 and no effect unless vertical bars are on.
    std::int32_t ScrollVertical() const;
    void ScrollVertical(std::int32_t value);
    // Scrolls line `line` (1-based) to the top and puts the caret at its start.
    void ScrollToLine(std::int32_t line);
    // Scrolls the caret into view.
    void ScrollCaret();
    // The control's name, with "(index)" for a member of a control array.
    std::u16string Name() const;
    // Builds the edit window again from the properties, keeping the text.
    void Init();
    // Whether a key is down now (a virtual-key code).
    static bool IsKeyPressed(std::int32_t vk);
    // 1 Shift, 2 Ctrl, 4 Alt: the keys down now.
    static std::int16_t GetShiftMask();
    // Repaints the edit window.
    void Refresh() override;

    // The character four hex digits encode ("00E9"): its UTF-16 units, one per group of four
    // capital hex digits; empty when the text is not such groups.
    static std::u16string HexToUni(const std::u16string& hex);

    // The key hook: movement keys go to the edit window, Alt and hex digits type characters.
    bool TranslateAccel(const platform::MSG& msg) override;

protected:
    const PropertyTable& properties() const override { return table(); }
    void layout() override;
    void loaded() override;
    void Paint() override {}
    void Terminate() override;
    bool handleMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam,
                       platform::LRESULT& result) override;
    // The drag events: the text goes on the data as CF_UNICODETEXT, then the published events
    // are raised with the same arguments.
    void OLEStartDrag(const std::shared_ptr<DataObject>& data,
                      std::int32_t& allowedEffects) override;
    void OLEGiveFeedback(std::int32_t& effect, bool& defaultCursors) override;
    void OLEDragOver(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                     MouseButtons button, ShiftState shift, double x, double y,
                     std::int32_t state) override;
    void OLEDragDrop(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                     MouseButtons button, ShiftState shift, double x, double y) override;
    void OLECompleteDrag(std::int32_t& effect) override;
    void OLESetData(const std::shared_ptr<DataObject>& data, std::int32_t& dataFormat) override;
    bool acceptsTextDrop() const override;
    void dropText(const std::u16string& text, double x, double y, std::int32_t& effect) override;

private:
    static PropertyTable declare();
    static const PropertyTable& table();
    // The style and extended style the properties give.
    platform::DWORD windowStyle() const;
    platform::DWORD windowExStyle() const;
    // The window's settings that do not need a new window.
    void applyMargins();
    void applyPasswordChar();
    void applyLimit();
    void applyCueBanner();
    void applyFont();
    void applyEnabled();
    // What the edit window's messages do (run mode only).
    void onEditMessage(SubclassMessage& m);
    bool onKeyDown(SubclassMessage& m);
    void onChar(SubclassMessage& m);
    void onMouse(SubclassMessage& m);
    // OLEDragMode 1: a press on the selection waits for the pointer to move away to drag it.
    void onDragMouse(SubclassMessage& m);
    // The character index nearest a point of the edit window (pixels).
    std::int32_t indexAt(int x, int y) const;
    void onFocus(bool gained);
    platform::LRESULT colourBrush(platform::HDC dc);
    // Raises a mouse event with the button, the shift mask and the point of lParam.
    bool raiseMouse(int event, std::int16_t button, platform::LPARAM lParam);
    // The hex entry: a character typed by its code.
    void hexKeyUp();
    void hexAltX();
    void insertAtCaret(const std::u16string& units, std::int32_t column);
    // The window's whole text, as it is now.
    std::u16string windowText() const;
    platform::LRESULT send(platform::UINT msg, platform::WPARAM wParam = 0,
                           platform::LPARAM lParam = 0) const;

    // Properties.
    std::int32_t m_alignment = 0;
    std::u16string m_cueBanner;
    bool m_hideSelection = false;
    std::int16_t m_leftMargin = 0;
    std::int16_t m_rightMargin = 0;
    bool m_locked = false;
    OLE_COLOR m_lockedBackColor = 0x8000000F;
    OLE_COLOR m_lockedForeColor = 0x80000012;
    std::int32_t m_maxLength = 0;
    bool m_multiLine = false;
    std::int32_t m_oleDragMode = 0;
    std::int32_t m_oleDropMode = 0;
    std::u16string m_passwordChar;
    bool m_rightToLeft = false;
    ScrollBarsEnum m_scrollBars = sbNone;
    std::u16string m_tag;

    platform::HWND m_edit;
    // The text while no window holds it, and to carry it into a new window.
    std::u16string m_cache;
    bool m_dataChanged = false;
    bool m_settingText = false;  // our own WM_SETTEXT: its EN_CHANGE raises no second Change
    bool m_mouseInside = false;
    int m_lastKey = 0;
    char16_t m_pendingChar = 0;
    std::u16string m_hexBuffer;
    bool m_altSeen = false;
    platform::HBRUSH m_brush;
    platform::HFONT m_hfont;
    std::shared_ptr<StdFont> m_appliedFont;  // a copy of the font the window has
    std::unique_ptr<Subclasser> m_subclass;
    // An automatic drag: pressed on the selection at m_pressAt; while it runs, the range it
    // carries and where a drop on this same box put the text (-1 for elsewhere).
    bool m_dragPending = false;
    platform::POINT m_pressAt{};
    bool m_dragging = false;
    std::int32_t m_dragStart = 0;
    std::int32_t m_dragLength = 0;
    std::int32_t m_droppedAt = -1;
};

}  // namespace orvane
