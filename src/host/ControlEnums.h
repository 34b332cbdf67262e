// The typed values of the control contract: mouse buttons and shift keys as flags, hit-test
// results, border style, appearance and mouse pointers, numbered as the host numbers them.
#pragma once

#include <cstdint>

namespace orvane {

// Which mouse buttons: 1 left, 2 right, 4 middle (a set of flags).
enum class MouseButtons : std::int32_t { None = 0, Left = 1, Right = 2, Middle = 4 };
// Which of Shift (1), Ctrl (2) and Alt (4) are down (a set of flags).
enum class ShiftState : std::int32_t { None = 0, Shift = 1, Ctrl = 2, Alt = 4 };

// The union of two sets of mouse buttons.
constexpr MouseButtons operator|(MouseButtons a, MouseButtons b) {
    return static_cast<MouseButtons>(static_cast<std::int32_t>(a) | static_cast<std::int32_t>(b));
}
// The union of two sets of shift keys.
constexpr ShiftState operator|(ShiftState a, ShiftState b) {
    return static_cast<ShiftState>(static_cast<std::int32_t>(a) | static_cast<std::int32_t>(b));
}
// Whether `set` holds any of the buttons in `flag`.
constexpr bool any(MouseButtons set, MouseButtons flag) {
    return (static_cast<std::int32_t>(set) & static_cast<std::int32_t>(flag)) != 0;
}
// Whether `set` holds any of the keys in `flag`.
constexpr bool any(ShiftState set, ShiftState flag) {
    return (static_cast<std::int32_t>(set) & static_cast<std::int32_t>(flag)) != 0;
}

// What HitTest answers for a point of a control.
enum class HitResult : std::int32_t { Outside = 0, Transparent = 1, Close = 2, Hit = 3 };

// Published under these names in the type library (with spaces and digits: "Fixed Single", "3D").
enum class AppearanceEnum : std::int32_t { Flat = 0, ThreeD = 1 };
// A control's border: none, or "Fixed Single".
enum class BorderStyleEnum : std::int32_t { None = 0, FixedSingle = 1 };

// A check box's value, and a check box's or option button's look, as the host numbers them.
enum class CheckBoxConstants : std::int32_t { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };
// Standard (a glyph beside the caption) or Graphical (a push button that stays down while chosen).
enum class ButtonConstants : std::int32_t { vbButtonStandard = 0, vbButtonGraphical = 1 };

// The cursor over a control: the standard shapes, or Custom for the control's MouseIcon.
enum class MousePointerConstants : std::int32_t {
    Default = 0,
    Arrow = 1,
    Cross = 2,
    IBeam = 3,
    Icon = 4,
    Size = 5,
    SizeNESW = 6,
    SizeNS = 7,
    SizeNWSE = 8,
    SizeWE = 9,
    UpArrow = 10,
    Hourglass = 11,
    NoDrop = 12,
    ArrowHourglass = 13,
    ArrowQuestion = 14,
    SizeAll = 15,
    Custom = 99,
};

// The data formats of a DataObject, numbered as the host numbers them (vbCFRTF stands for the
// registered "Rich Text Format"); any other clipboard format number is taken as raw bytes.
enum ClipBoardConstants : std::int32_t {
    vbCFText = 1,
    vbCFBitmap = 2,
    vbCFMetafile = 3,
    vbCFDIB = 8,
    vbCFPalette = 9,
    vbCFEMetafile = 14,
    vbCFFiles = 15,
    vbCFRTF = -16639,
};

// What a drop does (a set of flags); Scroll is added while a target scrolls.
enum OLEDropEffectConstants : std::int32_t {
    vbDropEffectNone = 0,
    vbDropEffectCopy = 1,
    vbDropEffectMove = 2,
    vbDropEffectScroll = static_cast<std::int32_t>(0x80000000u),
};

// OLEDropMode: no drops, drops raised as events, or drops the control takes by itself.
enum OLEDropConstants : std::int32_t {
    vbOLEDropNone = 0,
    vbOLEDropManual = 1,
    vbOLEDropAutomatic = 2
};

// OLEDragOver's State: the drag entered the control, left it, or moved over it.
enum DragOverConstants : std::int32_t { vbEnter = 0, vbLeave = 1, vbOver = 2 };

}  // namespace orvane
