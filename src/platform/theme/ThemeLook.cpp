#include "platform/theme/ThemeLook.h"

#include <array>

#include "platform/theme/ThemeParts.h"

namespace orvane::platform {

namespace {

// Opaque colours from 0xRRGGBB.
constexpr std::uint32_t rgb(std::uint32_t c) {
    return 0xFF000000u | c;
}
constexpr std::uint32_t kNone = 0;
constexpr std::uint32_t kAccent = rgb(0x0078D4);
constexpr std::uint32_t kAccentLight = rgb(0x2B8EDC);
constexpr std::uint32_t kAccentDark = rgb(0x005A9E);
constexpr std::uint32_t kWhite = rgb(0xFFFFFF);
constexpr std::uint32_t kDisabledFill = rgb(0xF3F3F3);
constexpr std::uint32_t kDisabledBorder = rgb(0xC8C8C8);
constexpr std::uint32_t kDisabledMark = rgb(0xC2C2C2);
constexpr std::uint32_t kDarkArrow = rgb(0x404040);

using G = PartGlyph;

// Push button: a light gradient; hot tints blue with an accent border, pressed darkens, the
// default button wears a two-pixel accent border.
constexpr ThemeStateLook kPushButton[] = {
    /* PBS_NORMAL    */ {rgb(0xFDFDFD), rgb(0xEFEFEF), rgb(0xB4B4B4), 1, kNone, 0, G::None, 0},
    /* PBS_HOT       */ {rgb(0xF5FAFF), rgb(0xE1EEFB), kAccent, 1, kNone, 0, G::None, 0},
    /* PBS_PRESSED   */ {rgb(0xC9DEF2), rgb(0xB9D3EC), kAccentDark, 1, kNone, 0, G::None, 0},
    /* PBS_DISABLED  */ {kDisabledFill, kDisabledFill, kDisabledBorder, 1, kNone, 0, G::None, 0},
    /* PBS_DEFAULTED */ {rgb(0xFDFDFD), rgb(0xEFEFEF), kAccent, 1, kAccent, 1, G::None, 0},
};

// Check box: white box with a grey border; checked and mixed fill the box with the accent
// and draw a white mark or dash.
constexpr ThemeStateLook kCheckBox[] = {
    /* CBS_UNCHECKEDNORMAL   */ {kWhite, kWhite, rgb(0x858585), 1, kNone, 0, G::None, 0},
    /* CBS_UNCHECKEDHOT      */ {rgb(0xEEF6FE), rgb(0xEEF6FE), kAccent, 1, kNone, 0, G::None, 0},
    /* CBS_UNCHECKEDPRESSED  */
    {rgb(0xD3E6F7), rgb(0xD3E6F7), kAccentDark, 1, kNone, 0, G::None, 0},
    /* CBS_UNCHECKEDDISABLED */
    {kDisabledFill, kDisabledFill, kDisabledBorder, 1, kNone, 0, G::None, 0},
    /* CBS_CHECKEDNORMAL     */ {kAccent, kAccent, kAccent, 1, kNone, 0, G::CheckMark, kWhite},
    /* CBS_CHECKEDHOT        */
    {kAccentLight, kAccentLight, kAccentLight, 1, kNone, 0, G::CheckMark, kWhite},
    /* CBS_CHECKEDPRESSED    */
    {kAccentDark, kAccentDark, kAccentDark, 1, kNone, 0, G::CheckMark, kWhite},
    /* CBS_CHECKEDDISABLED   */
    {kDisabledMark, kDisabledMark, kDisabledMark, 1, kNone, 0, G::CheckMark, kWhite},
    /* CBS_MIXEDNORMAL       */ {kAccent, kAccent, kAccent, 1, kNone, 0, G::Dash, kWhite},
    /* CBS_MIXEDHOT          */
    {kAccentLight, kAccentLight, kAccentLight, 1, kNone, 0, G::Dash, kWhite},
    /* CBS_MIXEDPRESSED      */
    {kAccentDark, kAccentDark, kAccentDark, 1, kNone, 0, G::Dash, kWhite},
    /* CBS_MIXEDDISABLED     */
    {kDisabledMark, kDisabledMark, kDisabledMark, 1, kNone, 0, G::Dash, kWhite},
};

// Radio button: a round check box; checked draws an accent ring round an accent dot.
constexpr ThemeStateLook kRadioButton[] = {
    /* RBS_UNCHECKEDNORMAL   */ {kWhite, kWhite, rgb(0x858585), 1, kNone, 0, G::None, 0},
    /* RBS_UNCHECKEDHOT      */ {rgb(0xEEF6FE), rgb(0xEEF6FE), kAccent, 1, kNone, 0, G::None, 0},
    /* RBS_UNCHECKEDPRESSED  */
    {rgb(0xD3E6F7), rgb(0xD3E6F7), kAccentDark, 1, kNone, 0, G::None, 0},
    /* RBS_UNCHECKEDDISABLED */
    {kDisabledFill, kDisabledFill, kDisabledBorder, 1, kNone, 0, G::None, 0},
    /* RBS_CHECKEDNORMAL     */ {kWhite, kWhite, kAccent, 1, kAccent, 1, G::Dot, kAccent},
    /* RBS_CHECKEDHOT        */
    {rgb(0xEEF6FE), rgb(0xEEF6FE), kAccentLight, 1, kAccentLight, 1, G::Dot, kAccentLight},
    /* RBS_CHECKEDPRESSED    */
    {rgb(0xD3E6F7), rgb(0xD3E6F7), kAccentDark, 1, kAccentDark, 1, G::Dot, kAccentDark},
    /* RBS_CHECKEDDISABLED   */
    {kDisabledFill, kDisabledFill, kDisabledMark, 1, kDisabledMark, 1, G::Dot, kDisabledMark},
};

// Group box: a thin light-grey frame; the caller leaves the gap for the caption.
constexpr ThemeStateLook kGroupBox[] = {
    /* GBS_NORMAL   */ {kNone, kNone, rgb(0xD0D0D0), 1, kNone, 0, G::None, 0},
    /* GBS_DISABLED */ {kNone, kNone, rgb(0xE2E2E2), 1, kNone, 0, G::None, 0},
};

constexpr ThemePartLook kButtonParts[] = {
    {BP_PUSHBUTTON, PartShape::RoundRect, 4, 0, 0, {3, 3, 3, 3}, 8, 8, 75, 23, true, kPushButton},
    {BP_RADIOBUTTON,
     PartShape::Ellipse,
     0,
     13,
     13,
     {0, 0, 0, 0},
     13,
     13,
     13,
     13,
     true,
     kRadioButton},
    {BP_CHECKBOX, PartShape::RoundRect, 3, 13, 13, {0, 0, 0, 0}, 13, 13, 13, 13, true, kCheckBox},
    {BP_GROUPBOX, PartShape::RoundRect, 4, 0, 0, {6, 6, 6, 6}, 10, 10, 10, 10, true, kGroupBox},
};

// Header: flat light items, white fading to a very light grey, each divided from the next by a
// thin line at its right; hot items tint blue, pressed ones a deeper blue. Sort arrows are
// small grey triangles; the drop-down and filter buttons a dark arrow on a tint when hot.
constexpr std::uint32_t kHeaderDivider = rgb(0xE5E5E5);
constexpr std::uint32_t kHeaderArrow = rgb(0x6D6D6D);
constexpr ThemeStateLook kHeaderNormal = {
    kWhite, rgb(0xF7F7F7), kHeaderDivider, 1, kNone, 0, G::None, 0};
constexpr ThemeStateLook kHeaderHot = {
    rgb(0xEDF5FD), rgb(0xD9EBF9), rgb(0xC0DCF3), 1, kNone, 0, G::None, 0};
constexpr ThemeStateLook kHeaderPressed = {
    rgb(0xCDE4F7), rgb(0xBCDCF4), rgb(0x9CC8EC), 1, kNone, 0, G::None, 0};
constexpr ThemeStateLook kHeaderItem[] = {
    kHeaderNormal, kHeaderHot, kHeaderPressed,  // HIS_NORMAL, HIS_HOT, HIS_PRESSED
    kHeaderNormal, kHeaderHot, kHeaderPressed,  // HIS_SORTEDNORMAL ... HIS_SORTEDPRESSED
    kHeaderNormal, kHeaderHot, kHeaderPressed,  // HIS_ICONNORMAL ... HIS_ICONPRESSED
    kHeaderNormal, kHeaderHot, kHeaderPressed,  // HIS_ICONSORTEDNORMAL ... PRESSED
};
constexpr ThemeStateLook kHeaderSortArrow[] = {
    /* HSAS_SORTEDUP   */ {kNone, kNone, kNone, 0, kNone, 0, G::WideTriangleUp, kHeaderArrow},
    /* HSAS_SORTEDDOWN */ {kNone, kNone, kNone, 0, kNone, 0, G::WideTriangleDown, kHeaderArrow},
};
constexpr ThemeStateLook kHeaderDropDown[] = {
    /* HDDS_NORMAL  */ {kNone, kNone, kNone, 0, kNone, 0, G::TriangleDown, kDarkArrow},
    /* HDDS_SOFTHOT */
    {rgb(0xEDF5FD), rgb(0xEDF5FD), kNone, 0, kNone, 0, G::TriangleDown, kDarkArrow},
    /* HDDS_HOT     */
    {rgb(0xCDE4F7), rgb(0xCDE4F7), rgb(0x9CC8EC), 1, kNone, 0, G::TriangleDown, kDarkArrow},
};

constexpr ThemePartLook kHeaderParts[] = {
    {HP_HEADERITEM, PartShape::Band, 0, 0, 0, {4, 3, 5, 3}, 1, 1, 1, 1, false, kHeaderItem},
    {HP_HEADERITEMLEFT,
     PartShape::Band,
     0,
     0,
     0,
     {4, 3, 5, 3},
     1,
     1,
     1,
     1,
     false,
     {kHeaderItem, 3}},
    {HP_HEADERITEMRIGHT,
     PartShape::Band,
     0,
     0,
     0,
     {4, 3, 5, 3},
     1,
     1,
     1,
     1,
     false,
     {kHeaderItem, 3}},
    {HP_HEADERSORTARROW,
     PartShape::RoundRect,
     0,
     9,
     5,
     {0, 0, 0, 0},
     9,
     5,
     9,
     5,
     true,
     kHeaderSortArrow},
    {HP_HEADERDROPDOWN,
     PartShape::RoundRect,
     0,
     0,
     0,
     {0, 0, 0, 0},
     16,
     8,
     16,
     20,
     true,
     kHeaderDropDown},
    {HP_HEADERDROPDOWNFILTER,
     PartShape::RoundRect,
     0,
     0,
     0,
     {0, 0, 0, 0},
     16,
     8,
     16,
     20,
     true,
     kHeaderDropDown},
};

// Menus: a white bar whose items tint blue when hot or pushed; light popups with a grey
// border, a blue band under the hot item, black marks and arrows, grey lines.
constexpr std::uint32_t kMenuText = rgb(0x000000);
constexpr std::uint32_t kMenuGrey = rgb(0x6D6D6D);
constexpr ThemeStateLook kMenuBarBackground[] = {
    /* MB_ACTIVE   */ {kWhite, kWhite, kNone, 0, kNone, 0, G::None, 0},
    /* MB_INACTIVE */ {kWhite, kWhite, kNone, 0, kNone, 0, G::None, 0},
};
constexpr ThemeStateLook kMenuBarItem[] = {
    /* MBI_NORMAL         */ {kNone, kNone, kNone, 0, kNone, 0, G::None, 0},
    /* MBI_HOT            */ {rgb(0xE5F3FF), rgb(0xE5F3FF), rgb(0xCCE8FF), 1, kNone, 0, G::None, 0},
    /* MBI_PUSHED         */ {rgb(0xCCE8FF), rgb(0xCCE8FF), rgb(0x99D1FF), 1, kNone, 0, G::None, 0},
    /* MBI_DISABLED       */ {kNone, kNone, kNone, 0, kNone, 0, G::None, 0},
    /* MBI_DISABLEDHOT    */ {rgb(0xEFEFEF), rgb(0xEFEFEF), kNone, 0, kNone, 0, G::None, 0},
    /* MBI_DISABLEDPUSHED */ {rgb(0xE6E6E6), rgb(0xE6E6E6), kNone, 0, kNone, 0, G::None, 0},
};
constexpr ThemeStateLook kMenuPopupBackground[] = {
    {rgb(0xF2F2F2), rgb(0xF2F2F2), kNone, 0, kNone, 0, G::None, 0},
};
constexpr ThemeStateLook kMenuPopupBorders[] = {
    {kNone, kNone, rgb(0xCCCCCC), 1, kNone, 0, G::None, 0},
};
constexpr ThemeStateLook kMenuPopupCheck[] = {
    /* MC_CHECKMARKNORMAL   */ {kNone, kNone, kNone, 0, kNone, 0, G::CheckMark, kMenuText},
    /* MC_CHECKMARKDISABLED */ {kNone, kNone, kNone, 0, kNone, 0, G::CheckMark, kMenuGrey},
    /* MC_BULLETNORMAL      */ {kNone, kNone, kNone, 0, kNone, 0, G::Dot, kMenuText},
    /* MC_BULLETDISABLED    */ {kNone, kNone, kNone, 0, kNone, 0, G::Dot, kMenuGrey},
};
constexpr ThemeStateLook kMenuPopupCheckBackground[] = {
    /* MCB_DISABLED */ {rgb(0xE6E6E6), rgb(0xE6E6E6), kNone, 0, kNone, 0, G::None, 0},
    /* MCB_NORMAL   */ {rgb(0x90C8F6), rgb(0x90C8F6), kNone, 0, kNone, 0, G::None, 0},
    /* MCB_BITMAP   */ {rgb(0x90C8F6), rgb(0x90C8F6), kNone, 0, kNone, 0, G::None, 0},
};
constexpr ThemeStateLook kMenuPopupGutter[] = {
    {rgb(0xE0E0E0), rgb(0xE0E0E0), kNone, 0, kNone, 0, G::None, 0},
};
constexpr ThemeStateLook kMenuPopupItem[] = {
    /* MPI_NORMAL      */ {kNone, kNone, kNone, 0, kNone, 0, G::None, 0},
    /* MPI_HOT         */ {rgb(0x91C9F7), rgb(0x91C9F7), kNone, 0, kNone, 0, G::None, 0},
    /* MPI_DISABLED    */ {kNone, kNone, kNone, 0, kNone, 0, G::None, 0},
    /* MPI_DISABLEDHOT */ {rgb(0xE6E6E6), rgb(0xE6E6E6), kNone, 0, kNone, 0, G::None, 0},
};
constexpr ThemeStateLook kMenuPopupSeparator[] = {
    {rgb(0xD7D7D7), rgb(0xD7D7D7), kNone, 0, kNone, 0, G::None, 0},
};
constexpr ThemeStateLook kMenuPopupSubmenu[] = {
    /* MSM_NORMAL   */ {kNone, kNone, kNone, 0, kNone, 0, G::ArrowRight, kMenuText},
    /* MSM_DISABLED */ {kNone, kNone, kNone, 0, kNone, 0, G::ArrowRight, kMenuGrey},
};

constexpr ThemePartLook kMenuParts[] = {
    {MENU_BARBACKGROUND,
     PartShape::RoundRect,
     0,
     0,
     0,
     {0, 0, 0, 0},
     1,
     1,
     1,
     20,
     false,
     kMenuBarBackground},
    {MENU_BARITEM,
     PartShape::RoundRect,
     0,
     0,
     0,
     {7, 0, 7, 0},
     14,
     20,
     14,
     20,
     false,
     kMenuBarItem},
    {MENU_POPUPBACKGROUND,
     PartShape::RoundRect,
     0,
     0,
     0,
     {0, 0, 0, 0},
     1,
     1,
     1,
     1,
     false,
     kMenuPopupBackground},
    {MENU_POPUPBORDERS,
     PartShape::RoundRect,
     0,
     0,
     0,
     {3, 3, 3, 3},
     6,
     6,
     6,
     6,
     true,
     kMenuPopupBorders},
    {MENU_POPUPCHECK,
     PartShape::RoundRect,
     0,
     16,
     16,
     {0, 0, 0, 0},
     16,
     16,
     16,
     16,
     true,
     kMenuPopupCheck},
    {MENU_POPUPCHECKBACKGROUND,
     PartShape::RoundRect,
     2,
     0,
     0,
     {0, 0, 0, 0},
     22,
     22,
     22,
     22,
     true,
     kMenuPopupCheckBackground},
    {MENU_POPUPGUTTER,
     PartShape::RoundRect,
     0,
     0,
     0,
     {0, 0, 0, 0},
     1,
     1,
     1,
     1,
     false,
     kMenuPopupGutter},
    {MENU_POPUPITEM,
     PartShape::RoundRect,
     0,
     0,
     0,
     {0, 0, 0, 0},
     1,
     22,
     1,
     22,
     true,
     kMenuPopupItem},
    {MENU_POPUPSEPARATOR,
     PartShape::RoundRect,
     0,
     0,
     0,
     {0, 0, 0, 0},
     1,
     1,
     1,
     1,
     false,
     kMenuPopupSeparator},
    {MENU_POPUPSUBMENU,
     PartShape::RoundRect,
     0,
     16,
     16,
     {0, 0, 0, 0},
     16,
     16,
     16,
     16,
     true,
     kMenuPopupSubmenu},
};

// List items: nothing drawn normally; hot items tint light blue, selected items fill a
// stronger blue (grey when the list lacks the focus), with a border when hot as well.
constexpr ThemeStateLook kListItem[] = {
    /* LISS_NORMAL           */ {kNone, kNone, kNone, 0, kNone, 0, G::None, 0},
    /* LISS_HOT              */ {rgb(0xE5F3FF), rgb(0xE5F3FF), kNone, 0, kNone, 0, G::None, 0},
    /* LISS_SELECTED         */ {rgb(0xCCE8FF), rgb(0xCCE8FF), kNone, 0, kNone, 0, G::None, 0},
    /* LISS_DISABLED         */ {kNone, kNone, kNone, 0, kNone, 0, G::None, 0},
    /* LISS_SELECTEDNOTFOCUS */ {rgb(0xD9D9D9), rgb(0xD9D9D9), kNone, 0, kNone, 0, G::None, 0},
    /* LISS_HOTSELECTED      */
    {rgb(0xCCE8FF), rgb(0xCCE8FF), rgb(0x99D1FF), 1, kNone, 0, G::None, 0},
};
// A group's expand and collapse buttons: a chevron, tinted when hovered or pushed.
constexpr std::uint32_t kChevron = rgb(0x404040);
constexpr ThemeStateLook kGroupExpand[] = {
    /* normal */ {kNone, kNone, kNone, 0, kNone, 0, G::TriangleDown, kChevron},
    /* hover  */ {rgb(0xE5F3FF), rgb(0xE5F3FF), kNone, 0, kNone, 0, G::TriangleDown, kChevron},
    /* pushed */ {rgb(0xCCE8FF), rgb(0xCCE8FF), kNone, 0, kNone, 0, G::TriangleDown, kChevron},
};
constexpr ThemeStateLook kGroupCollapse[] = {
    /* normal */ {kNone, kNone, kNone, 0, kNone, 0, G::TriangleUp, kChevron},
    /* hover  */ {rgb(0xE5F3FF), rgb(0xE5F3FF), kNone, 0, kNone, 0, G::TriangleUp, kChevron},
    /* pushed */ {rgb(0xCCE8FF), rgb(0xCCE8FF), kNone, 0, kNone, 0, G::TriangleUp, kChevron},
};
constexpr ThemePartLook kListViewParts[] = {
    {LVP_LISTITEM, PartShape::RoundRect, 0, 0, 0, {1, 1, 1, 1}, 1, 1, 1, 1, true, kListItem},
    {LVP_EXPANDBUTTON,
     PartShape::RoundRect,
     2,
     0,
     0,
     {1, 1, 1, 1},
     9,
     9,
     16,
     16,
     true,
     kGroupExpand},
    {LVP_COLLAPSEBUTTON,
     PartShape::RoundRect,
     2,
     0,
     0,
     {1, 1, 1, 1},
     9,
     9,
     16,
     16,
     true,
     kGroupCollapse},
};

// Tree items share the list's tints; the expand glyph is a small grey chevron, pointing right
// while closed and down while open, darker when hovered.
constexpr std::uint32_t kGlyphGrey = rgb(0x606060);
constexpr std::uint32_t kGlyphHot = rgb(0x1C97EA);
constexpr ThemeStateLook kTreeGlyph[] = {
    /* GLPS_CLOSED */ {kNone, kNone, kNone, 0, kNone, 0, G::ChevronRight, kGlyphGrey},
    /* GLPS_OPENED */ {kNone, kNone, kNone, 0, kNone, 0, G::ChevronDown, kGlyphGrey},
};
constexpr ThemeStateLook kTreeHotGlyph[] = {
    /* HGLPS_CLOSED */ {kNone, kNone, kNone, 0, kNone, 0, G::ChevronRight, kGlyphHot},
    /* HGLPS_OPENED */ {kNone, kNone, kNone, 0, kNone, 0, G::ChevronDown, kGlyphHot},
};
constexpr ThemePartLook kTreeViewParts[] = {
    {TVP_TREEITEM, PartShape::RoundRect, 0, 0, 0, {1, 1, 1, 1}, 1, 1, 1, 1, true, kListItem},
    {TVP_GLYPH, PartShape::RoundRect, 0, 12, 12, {0, 0, 0, 0}, 9, 9, 16, 16, true, kTreeGlyph},
    {TVP_HOTGLYPH,
     PartShape::RoundRect,
     0,
     12,
     12,
     {0, 0, 0, 0},
     9,
     9,
     16,
     16,
     true,
     kTreeHotGlyph},
};

// Progress: a light track with a grey border; the fill is the accent (red for an error,
// amber when paused); a marquee's moving piece is the accent too.
constexpr ThemeStateLook kProgressTrack[] = {
    /* PBBS_NORMAL  */ {rgb(0xE6E6E6), rgb(0xE6E6E6), rgb(0xBCBCBC), 1, kNone, 0, G::None, 0},
    /* PBBS_PARTIAL */ {rgb(0xE6E6E6), rgb(0xE6E6E6), rgb(0xBCBCBC), 1, kNone, 0, G::None, 0},
};
// The chunk's second state is the one cells of progress columns ask for.
constexpr ThemeStateLook kProgressChunk[] = {
    {kAccent, kAccent, kNone, 0, kNone, 0, G::None, 0},
    {kAccent, kAccent, kNone, 0, kNone, 0, G::None, 0},
};
constexpr ThemeStateLook kProgressFill[] = {
    /* PBFS_NORMAL  */ {kAccent, kAccent, kNone, 0, kNone, 0, G::None, 0},
    /* PBFS_ERROR   */ {rgb(0xD13438), rgb(0xD13438), kNone, 0, kNone, 0, G::None, 0},
    /* PBFS_PAUSED  */ {rgb(0xDDA400), rgb(0xDDA400), kNone, 0, kNone, 0, G::None, 0},
    /* PBFS_PARTIAL */ {kAccentLight, kAccentLight, kNone, 0, kNone, 0, G::None, 0},
};

constexpr ThemePartLook kProgressParts[] = {
    {PP_BAR, PartShape::RoundRect, 0, 0, 0, {1, 1, 1, 1}, 3, 3, 3, 3, false, kProgressTrack},
    {PP_BARVERT, PartShape::RoundRect, 0, 0, 0, {1, 1, 1, 1}, 3, 3, 3, 3, false, kProgressTrack},
    {PP_CHUNK, PartShape::RoundRect, 0, 0, 0, {0, 0, 0, 0}, 1, 1, 1, 1, false, kProgressChunk},
    {PP_CHUNKVERT, PartShape::RoundRect, 0, 0, 0, {0, 0, 0, 0}, 1, 1, 1, 1, false, kProgressChunk},
    {PP_FILL, PartShape::RoundRect, 0, 0, 0, {0, 0, 0, 0}, 1, 1, 1, 1, false, kProgressFill},
    {PP_FILLVERT, PartShape::RoundRect, 0, 0, 0, {0, 0, 0, 0}, 1, 1, 1, 1, false, kProgressFill},
    {PP_MOVEOVERLAY,
     PartShape::RoundRect,
     0,
     0,
     0,
     {0, 0, 0, 0},
     1,
     1,
     1,
     1,
     false,
     kProgressChunk},
};

// Spin buttons: small push buttons with a dark arrow; hot tints blue, pressed darkens.
constexpr std::uint32_t kSpinArrow = rgb(0x404040);
constexpr std::array<ThemeStateLook, 4> spinStates(PartGlyph arrow) {
    return {{
        /* normal   */ {rgb(0xFDFDFD), rgb(0xEFEFEF), rgb(0xB4B4B4), 1, kNone, 0, arrow,
                        kSpinArrow},
        /* hot      */ {rgb(0xF5FAFF), rgb(0xE1EEFB), kAccent, 1, kNone, 0, arrow, kSpinArrow},
        /* pressed  */ {rgb(0xC9DEF2), rgb(0xB9D3EC), kAccentDark, 1, kNone, 0, arrow, kSpinArrow},
        /* disabled */
        {kDisabledFill, kDisabledFill, kDisabledBorder, 1, kNone, 0, arrow, kDisabledMark},
    }};
}
constexpr auto kSpinUp = spinStates(G::TriangleUp);
constexpr auto kSpinDown = spinStates(G::TriangleDown);
constexpr auto kSpinRight = spinStates(G::TriangleRight);
constexpr auto kSpinLeft = spinStates(G::TriangleLeft);

constexpr ThemePartLook kSpinParts[] = {
    {SPNP_UP, PartShape::RoundRect, 2, 0, 0, {1, 1, 1, 1}, 6, 6, 15, 10, true, kSpinUp},
    {SPNP_DOWN, PartShape::RoundRect, 2, 0, 0, {1, 1, 1, 1}, 6, 6, 15, 10, true, kSpinDown},
    {SPNP_UPHORZ, PartShape::RoundRect, 2, 0, 0, {1, 1, 1, 1}, 6, 6, 10, 15, true, kSpinRight},
    {SPNP_DOWNHORZ, PartShape::RoundRect, 2, 0, 0, {1, 1, 1, 1}, 6, 6, 10, 15, true, kSpinLeft},
};

constexpr ThemeClassLook kClasses[] = {
    {u"BUTTON", kButtonParts},     {u"HEADER", kHeaderParts},     {u"LISTVIEW", kListViewParts},
    {u"MENU", kMenuParts},         {u"PROGRESS", kProgressParts}, {u"SPIN", kSpinParts},
    {u"TREEVIEW", kTreeViewParts},
};

}  // namespace

const ThemePartLook* ThemeClassLook::find(int part) const {
    for (const ThemePartLook& p : parts)
        if (p.part == part) return &p;
    return nullptr;
}

const ThemeClassLook* ThemeLook::forClass(std::u16string_view name) {
    for (const ThemeClassLook& c : kClasses)
        if (c.name == name) return &c;
    return nullptr;
}

}  // namespace orvane::platform
