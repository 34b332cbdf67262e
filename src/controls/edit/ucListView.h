// A Unicode list view on the platform's "SysListView32" window, with a report header: columns
// with check boxes, filters and sort arrows, items and sub-items, groups, sorting by text,
// number or date, a virtual mode whose cells the program supplies through ItemDataRequest, a
// progress-bar column, a five-star ranking column, per-cell colour and font hooks and a drag
// image of the selected items. The window exists from Initialize (called by the program) until
// the control goes; before it, properties can be set and saved and list operations fail quietly.
// Positions and sizes exchanged with the program are in ScaleMode units.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/OwnerDrawnControl.h"
#include "framework/Subclasser.h"
#include "platform/comctl/CommCtrl.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucListView : public OwnerDrawnControl {
public:
    // Event numbers, as published.
    enum Event {
        evClick = 1,
        evDblClick,
        evBeforeFilterEdit,
        evAfterFilterEdit,
        evItemClick,
        evItemCheck,
        evColumnClick,
        evColumnRightClick,
        evColumnCheck,
        evKeyDown,
        evKeyPress,
        evKeyUp,
        evMouseDown,
        evMouseMove,
        evMouseUp,
        evMouseEnter,
        evMouseLeave,
        evBeforeLabelEdit,
        evAfterLabelEdit,
        evResize,
        evFilterButtonClicked,
        evFilterTimeout,
        evColumnMenu,
        evScroll,
        evRanking,
        evOnSubItemPrePaint,
        evOnHeaderPrePaint,
        evOLECompleteDrag,
        evOLEDragDrop,
        evOLEDragOver,
        evOLEGiveFeedback,
        evOLESetData,
        evOLEStartDrag,
        evItemDataRequest
    };
    // The list's border: none, a flat line or a sunken edge.
    enum BorderStyleConstants : std::int32_t { bsNone = 0, bsFlat = 1, bs3d = 2 };
    // How items show: large icons, a report with columns, small icons, a list or tiles.
    enum ViewModeConstants : std::int32_t {
        vmIcon = 0,
        vmDetails = 1,
        vmSmallIcon = 2,
        vmList = 3,
        vmTile = 4
    };
    // Sort directions; soDefault sorts ascending, numbers first.
    enum SortOrderConstants : std::int32_t { soDefault = 0, soAscending = 1, soDescending = -1 };
    // What a sort compares: text without or with case, numbers, dates.
    enum SortTypeConstants : std::int32_t {
        stString = 0,
        stStringSensitive = 1,
        stNumeric = 2,
        stDate = 3
    };
    // What a header filter holds.
    enum FilterType : std::int32_t { ftNoFilter = 0, ftString = 1, ftNumeric = 2, ftDate = 3 };
    // The ranking column's three icons.
    enum RankingIconStates : std::int32_t { rStateNormal = 0, rStateHover = 1, rStateActive = 2 };
    // The list window's and the header's control identifiers.
    static constexpr int kListId = 0x1001;

    ucListView();
    ~ucListView() override;
    std::u16string className() const override { return u"ucListView"; }
    // Publishes the class, its enumerations, members and events in `library`, and as the
    // form-file class "ucListView" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // --- Window and lifetime ---
    // Builds the list window from the properties (once per instance: a second call builds it
    // again); true when it exists.
    bool InitializeList();
    // Repaints the list now.
    void Refresh() override;
    // True stops the list repainting until set False.
    bool NoRedraw() const { return m_noRedraw; }
    void NoRedraw(bool value);
    // The list window (0 before Initialize).
    platform::HWND hWndListView() const { return m_list; }
    // The list's header window (0 without one).
    platform::HWND hWndHeader() const;
    // The label-edit box while a label is edited, else 0.
    platform::HWND hWndLabelEdit() const;
    // The drag image's window while items are dragged (OLEDragMode 1), else 0.
    platform::HWND hWndDrag() const { return m_dragWindow; }
    // Whether the list works in virtual mode (read when the window is built).
    bool Virtual() const { return m_virtual; }
    void Virtual(bool value) { setProperty(m_virtual, value); }
    // Whether arrows and page keys go to the list while it has the focus.
    bool EnableSetIPAO() const { return m_enableSetIPAO; }
    void EnableSetIPAO(bool value) { setProperty(m_enableSetIPAO, value); }
    // The list drawn in the visual style's explorer look.
    bool ExplorerTheme() const { return m_explorerTheme; }
    void ExplorerTheme(bool value) { setProperty(m_explorerTheme, value); }
    // Right-to-left layout; a change builds the window again.
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value) { setProperty(m_rightToLeft, value); }
    // The border, published as "BorderStyle": bsNone, bsFlat or bs3d.
    BorderStyleConstants LvBorderStyle() const { return m_lvBorderStyle; }
    void LvBorderStyle(BorderStyleConstants value) { setProperty(m_lvBorderStyle, value); }
    // Any text the program keeps with the control (not saved).
    const std::u16string& Tag() const { return m_tag; }
    void Tag(std::u16string value) { m_tag = std::move(value); }
    // 0 manual (the program calls OLEDrag), 1 automatic: dragging items starts a drag with their
    // texts as vbCFText and the drag image following the pointer.
    std::int32_t OLEDragMode() const { return m_oleDragMode; }
    void OLEDragMode(std::int32_t value) { setProperty(m_oleDragMode, value); }
    // The host's OLEDropMode: 0 none, 1 manual and 2 automatic (the list takes no text by
    // itself, so automatic works as manual): drops raise OLEDragOver and OLEDragDrop.
    std::int32_t OLEDropMode() const { return m_oleDropMode; }
    void OLEDropMode(std::int32_t value) { setProperty(m_oleDropMode, value); }
    // A picture file behind the items, tiled or placed at the top left; false when it cannot
    // be read.
    bool BackgroundPictureSet(const std::u16string& path, bool tile);
    // The high 16 bits of a value, signed.
    static std::int32_t HiWord(std::int32_t value);
    // A value from its low and high 16 bits.
    static std::int32_t MakeDWord(std::int32_t low, std::int32_t high);

    // --- Image lists: which list ---
    // Which of the control's image lists: small icons, large icons or the header's.
    enum class Images { Small, Large, Header };
    // Creates the list at this size and attaches it; true when made.
    bool InitializeImageList(Images which, std::int32_t width, std::int32_t height);
    // Adds a bitmap (its mask colour transparent) or an icon; the new index, -1 on failure.
    std::int32_t ImageListAddBitmap(Images which, std::int32_t hBitmap, OLE_COLOR maskColor);
    // Adds an icon to the list; the new index, -1 on failure.
    std::int32_t ImageListAddIcon(Images which, std::int32_t hIcon);

    // --- Columns ---
    // Inserts a column at `column` (width in ScaleMode units, align caLeft, caRight or caCenter,
    // icon -1 for none); its index, -1 on failure.
    std::int32_t ColumnAdd(std::int32_t column, const std::u16string& text, double width,
                           std::int32_t align, std::int32_t icon);
    // Removes a column; false when there is none.
    bool ColumnRemove(std::int32_t column);
    // Sizes a column to its widest item (caItem) or to that and its caption (caHeader; the last
    // column fills the list).
    bool ColumnAutosize(std::int32_t column, std::int32_t type);
    // Tints a column as the one sorted by (-1: none).
    void ColumnSetFocus(std::int32_t column);
    // The number of columns.
    std::int32_t ColumnCount() const;
    // A column's width, in ScaleMode units.
    double ColumnWidth(std::int32_t column) const;
    void ColumnWidth(std::int32_t column, double width);
    // A column's caption.
    std::u16string ColumnText(std::int32_t column) const;
    void ColumnText(std::int32_t column, const std::u16string& text);
    // A column's alignment: 0 left, 1 right, 2 centre (the first column stays left).
    std::int32_t ColumnAlign(std::int32_t column) const;
    void ColumnAlign(std::int32_t column, std::int32_t align);
    // Whether a column's header shows a drop-down button (ColumnMenu).
    bool ColumnDropDown(std::int32_t column) const;
    void ColumnDropDown(std::int32_t column, bool on);
    // Whether a column's header shows a check box (with ColumnCheckBoxes).
    bool ColumnCheckStyle(std::int32_t column) const;
    void ColumnCheckStyle(std::int32_t column, bool on);
    // Whether a column's header check box is ticked.
    bool ColumnCheckValue(std::int32_t column) const;
    void ColumnCheckValue(std::int32_t column, bool on);
    // A column's header image from the header image list; -1 for none.
    std::int32_t ColumnIcon(std::int32_t column) const;
    void ColumnIcon(std::int32_t column, std::int32_t icon);
    // The sort arrow shown in the column's header: soAscending, soDescending or soDefault.
    std::int32_t ColumnOrder(std::int32_t column) const;
    void ColumnOrder(std::int32_t column, std::int32_t order);
    // Header images stand right of their captions.
    bool ColumnIconOnRight() const { return m_columnIconOnRight; }
    void ColumnIconOnRight(bool value) { setProperty(m_columnIconOnRight, value); }
    // Whether the header shows check boxes.
    bool ColumnCheckBoxes() const;
    void ColumnCheckBoxes(bool on);
    // The height of the header's captions, in pixels at 96 DPI.
    std::int16_t HeaderHeight() const { return m_headerHeight; }
    void HeaderHeight(std::int16_t value) { setProperty(m_headerHeight, value); }
    // Hides the header.
    bool HeaderHide() const { return m_headerHide; }
    void HeaderHide(bool value) { setProperty(m_headerHide, value); }
    // Draws the header flat.
    bool HeaderFlat() const { return m_headerFlat; }
    void HeaderFlat(bool value) { setProperty(m_headerFlat, value); }
    // Columns cannot be resized by dragging their dividers.
    bool HeaderFixedWidth() const { return m_headerFixedWidth; }
    void HeaderFixedWidth(bool value) { setProperty(m_headerFixedWidth, value); }
    // Columns can be reordered by dragging their captions.
    bool HeaderDragDrop() const { return m_headerDragDrop; }
    void HeaderDragDrop(bool value) { setProperty(m_headerDragDrop, value); }

    // --- Header filters ---
    // Whether the header shows a row of filters.
    bool ColumnFilters() const;
    void ColumnFilters(bool on);
    // What a column's filter holds: ftNoFilter, ftString, ftNumeric or ftDate.
    std::int32_t ColumnFilterType(std::int32_t column) const;
    void ColumnFilterType(std::int32_t column, std::int32_t type);
    // A column's filter text ("" for none); a date column's is yyyy-mm-dd.
    std::u16string ColumnFilterText(std::int32_t column) const;
    void ColumnFilterText(std::int32_t column, const std::u16string& text);
    // The longest text a column's filter takes.
    void ColumnFilterSetMaxLength(std::int32_t column, std::int32_t maxLength);
    // The pause in typing, in milliseconds, after which a filter raises FilterTimeout.
    void ColumnFilterSetTimeOut(std::int32_t ms);

    // --- Items ---
    // Inserts an item at `item` with its text, indent and icon (-1 none); its index, -1 on failure.
    std::int32_t ItemAdd(std::int32_t item, const std::u16string& text, std::int32_t indent,
                         std::int32_t icon);
    // Removes an item; false when there is none.
    bool ItemRemove(std::int32_t item);
    // Removes every item.
    void Clear();
    // The number of items.
    std::int32_t Count() const;
    // The row count of a virtual list.
    void Items(std::int32_t count);
    // An item's text.
    std::u16string ItemText(std::int32_t item) const { return SubItemText(item, 0); }
    void ItemText(std::int32_t item, const std::u16string& text) { SubItemText(item, 0, text); }
    // A cell's text (sub-item 0 is the item's own text).
    std::u16string SubItemText(std::int32_t item, std::int32_t subItem) const;
    void SubItemText(std::int32_t item, std::int32_t subItem, const std::u16string& text);
    // An item's icon; -1 for none.
    std::int32_t ItemIcon(std::int32_t item) const { return SubItemIcon(item, 0); }
    void ItemIcon(std::int32_t item, std::int32_t icon) { SubItemIcon(item, 0, icon); }
    // A cell's icon (with SubItemImages); -1 for none.
    std::int32_t SubItemIcon(std::int32_t item, std::int32_t subItem) const;
    void SubItemIcon(std::int32_t item, std::int32_t subItem, std::int32_t icon);
    // An item's indent, in icon widths.
    std::int32_t ItemIndent(std::int32_t item) const;
    void ItemIndent(std::int32_t item, std::int32_t indent);
    // The id of an item's group.
    std::int32_t ItemGroup(std::int32_t item) const;
    void ItemGroup(std::int32_t item, std::int32_t group);
    // Sets a cell's text and icon (-1 keeps the icon); false when the list refuses.
    bool SubItemSet(std::int32_t item, std::int32_t subItem, const std::u16string& text,
                    std::int32_t icon);
    // Whether an item is selected.
    bool ItemSelected(std::int32_t item) const;
    void ItemSelected(std::int32_t item, bool on);
    // Whether an item has the focus rectangle.
    bool ItemFocused(std::int32_t item) const;
    void ItemFocused(std::int32_t item, bool on);
    // Whether an item's check box is ticked.
    bool ItemChecked(std::int32_t item) const;
    void ItemChecked(std::int32_t item, bool on);
    // Whether an item is drawn ghosted, as cut items are.
    bool ItemGhosted(std::int32_t item) const;
    void ItemGhosted(std::int32_t item, bool on);
    // Whether an item is highlighted as a drop target.
    bool DropHighlight(std::int32_t item) const;
    void DropHighlight(std::int32_t item, bool on);
    // Selects every item (in a multi-select list).
    void SelectAll();
    // Clears the selection.
    void DeSelectAll();
    // The number of selected items.
    std::int32_t SelectedCount() const;
    // The first selected item, -1 when none.
    std::int32_t GetSelectedItem() const;
    // The next selected item after `previous`, -1 when none.
    std::int32_t GetSelectedNexItem(std::int32_t previous) const;
    // The next item after `start` in a state (sFocused, sSelected, sGhosted), -1 when none.
    std::int32_t ItemFindState(std::int32_t start, std::int32_t state) const;
    // The next item after `start` whose text matches (cWholeWord or cPartial, without case),
    // wrapping when asked; -1 when none.
    std::int32_t ItemFindText(const std::u16string& text, std::int32_t start,
                              std::int32_t coincidence, bool wrap) const;
    // Scrolls an item into view.
    bool ItemEnsureVisible(std::int32_t item);
    // The item under a point (ScaleMode units), -1 when none.
    std::int32_t ItemHitTest(double x, double y) const;
    // Where an item starts, from the left (ScaleMode units).
    double ItemLeft(std::int32_t item) const;
    // Where an item starts, from the top (ScaleMode units).
    double ItemTop(std::int32_t item) const;
    // An item's height (ScaleMode units).
    double ItemHeight(std::int32_t item) const;
    // An item's width (ScaleMode units), published as "itemWidth".
    double ItemWidth(std::int32_t item) const;
    // Where a cell starts, from the left (ScaleMode units); sub-item 0 gives the whole row.
    double SubItemLeft(std::int32_t item, std::int32_t subItem) const;
    // Where a cell starts, from the top (ScaleMode units).
    double SubItemTop(std::int32_t item, std::int32_t subItem) const;
    // A cell's width (ScaleMode units).
    double SubItemWidth(std::int32_t item, std::int32_t subItem) const;
    // A cell's height (ScaleMode units).
    double SubItemHeight(std::int32_t item, std::int32_t subItem) const;
    // The first item shown.
    std::int32_t TopIndex() const;
    // How many items a page shows.
    std::int32_t PageCount() const;
    // Icon spacing of the icon views, in pixels.
    void SetItemSpacing(std::int32_t x, std::int32_t y);
    // The icon views' horizontal spacing, in pixels.
    std::int32_t ItemSpacingX() const;
    void ItemSpacingX(std::int32_t x) { SetItemSpacing(x, ItemSpacingY()); }
    // The icon views' vertical spacing, in pixels.
    std::int32_t ItemSpacingY() const;
    void ItemSpacingY(std::int32_t y) { SetItemSpacing(ItemSpacingX(), y); }
    // Both spacings, packed low and high as the list gives them.
    std::int32_t ItemSpacingXY() const;
    void ItemSpacingXY(std::int32_t both) { SetItemSpacing(both, both); }
    // Starts editing the focused item's label.
    void StartLabelEdit();

    // --- Groups ---
    // Whether items show under their groups.
    bool GroupsEnable() const;
    void GroupsEnable(bool on);
    // Adds a group with its caption, footer and their alignments (aLeft, aCenter, aRight); its
    // index, -1 on failure.
    std::int32_t GroupAdd(std::int32_t id, const std::u16string& caption, std::int32_t align,
                          const std::u16string& footer, std::int32_t footerAlign);
    // Removes a group (its items no longer show in group view).
    bool GroupRemove(std::int32_t id);
    // Removes every group.
    void GroupClear();
    // The index of the focused group, -1 when none.
    std::int32_t GroupGetFocused() const;
    // The number of groups.
    std::int32_t GroupCount() const;
    // A group's caption.
    std::u16string GroupHeaderText(std::int32_t id) const;
    void GroupHeaderText(std::int32_t id, const std::u16string& text);
    // A group caption's alignment: aLeft, aCenter or aRight.
    std::int32_t GroupHeaderAlign(std::int32_t id) const;
    void GroupHeaderAlign(std::int32_t id, std::int32_t align);
    // A group's footer.
    std::u16string GroupFooterText(std::int32_t id) const;
    void GroupFooterText(std::int32_t id, const std::u16string& text);
    // A group footer's alignment.
    std::int32_t GroupFooterAlign(std::int32_t id) const;
    void GroupFooterAlign(std::int32_t id, std::int32_t align);
    // A group's subtitle, shown after its caption.
    std::u16string GroupSubtitle(std::int32_t id) const;
    void GroupSubtitle(std::int32_t id, const std::u16string& text);
    // Whether a group can be folded under its header.
    bool GroupCollapsible(std::int32_t id) const;
    void GroupCollapsible(std::int32_t id, bool on);
    // Whether a group is folded.
    bool GroupCollapsed(std::int32_t id) const;
    void GroupCollapsed(std::int32_t id, bool on);
    // The group under a point (ScaleMode units), -1 when none; `options` is the eGroupHitTest
    // mask of parts that count.
    std::int32_t GroupHitTest(double x, double y, std::int32_t options) const;

    // --- Style switches ---
    // Items show check boxes.
    bool CheckBoxes() const { return m_checkBoxes; }
    void CheckBoxes(bool value) { setProperty(m_checkBoxes, value); }
    // The whole row shows the selection and takes clicks.
    bool FullRowSelect() const { return m_fullRowSelect; }
    void FullRowSelect(bool value) { setProperty(m_fullRowSelect, value); }
    // Lines between rows and columns in report view.
    bool GridLines() const { return m_gridLines; }
    void GridLines(bool value) { setProperty(m_gridLines, value); }
    // Cut labels show whole in a tip.
    bool LabelTips() const { return m_labelTips; }
    void LabelTips(bool value) { setProperty(m_labelTips, value); }
    // One click activates an item, with the hot item underlined.
    bool OneClickActivate() const { return m_oneClickActivate; }
    void OneClickActivate(bool value) { setProperty(m_oneClickActivate, value); }
    // Flat scroll bars.
    bool ScrollBarFlat() const { return m_scrollBarFlat; }
    void ScrollBarFlat(bool value) { setProperty(m_scrollBarFlat, value); }
    // Cells show icons.
    bool SubItemImages() const { return m_subItemImages; }
    void SubItemImages(bool value) { setProperty(m_subItemImages, value); }
    // Resting the pointer on an item selects it.
    bool TrackSelect() const { return m_trackSelect; }
    void TrackSelect(bool value) { setProperty(m_trackSelect, value); }
    // The hot item's text is underlined.
    bool UnderlineHot() const { return m_underlineHot; }
    void UnderlineHot(bool value) { setProperty(m_underlineHot, value); }
    // The selection hides while the list has no focus.
    bool HideSelection() const { return m_hideSelection; }
    void HideSelection(bool value) { setProperty(m_hideSelection, value); }
    // Labels can be edited in place.
    bool LabelEdit() const { return m_labelEdit; }
    void LabelEdit(bool value) { setProperty(m_labelEdit, value); }
    // Several items can be selected.
    bool MultiSelect() const { return m_multiSelect; }
    void MultiSelect(bool value) { setProperty(m_multiSelect, value); }
    // How items show (a new list starts in icon view).
    ViewModeConstants ViewMode() const { return m_viewMode; }
    void ViewMode(ViewModeConstants value) { setProperty(m_viewMode, value); }

    // --- Drawing extras ---
    // The column drawn as progress bars (-1 none); its cells' numbers are percentages.
    std::int32_t ProgressColumn() const { return m_progressColumn; }
    void ProgressColumn(std::int32_t value) { setProperty(m_progressColumn, value); }
    // Stored for the progress column; the classic cell is framed on the list's colour.
    OLE_COLOR ProgressBackColor() const { return m_progressBackColor; }
    void ProgressBackColor(OLE_COLOR value) { setProperty(m_progressBackColor, value); }
    // The classic progress cell's frame.
    OLE_COLOR ProgressBorderColor() const { return m_progressBorderColor; }
    void ProgressBorderColor(OLE_COLOR value) { setProperty(m_progressBorderColor, value); }
    // The classic progress cell's fill.
    OLE_COLOR ProgressFillColor() const { return m_progressFillColor; }
    void ProgressFillColor(OLE_COLOR value) { setProperty(m_progressFillColor, value); }
    // The colour of the progress cell's number.
    OLE_COLOR ProgressTextColor() const { return m_progressTextColor; }
    void ProgressTextColor(OLE_COLOR value) { setProperty(m_progressTextColor, value); }
    // Whether progress cells show their number.
    bool ProgressTextVisible() const { return m_progressTextVisible; }
    void ProgressTextVisible(bool value) { setProperty(m_progressTextVisible, value); }
    // Progress cells drawn in the visual style when one is active.
    bool ProgressUseWindowsTheme() const { return m_progressUseTheme; }
    void ProgressUseWindowsTheme(bool value) { setProperty(m_progressUseTheme, value); }
    // The column drawn as five icons (-1 none); its cells' numbers are the icons lit.
    std::int32_t RankingColumn() const { return m_rankingColumn; }
    void RankingColumn(std::int32_t value) { setProperty(m_rankingColumn, value); }
    // The ranking column neither previews nor takes clicks.
    bool RankingLocked() const { return m_rankingLocked; }
    void RankingLocked(bool value) { setProperty(m_rankingLocked, value); }
    // The icons of the ranking column: normal, hover and active (icon handles).
    std::int32_t RankingIconHandle(std::int32_t state) const;
    void RankingIconHandle(std::int32_t state, std::int32_t icon);
    // Raises OnSubItemPrePaint and OnHeaderPrePaint so cells and captions can take other colours
    // and fonts.
    bool RaisePrePaint() const { return m_raisePrePaint; }
    void RaisePrePaint(bool value) { setProperty(m_raisePrePaint, value); }

    // Sorts by the texts of a column; false for an order or type out of range, or no window.
    bool Sort(std::int32_t column, std::int32_t order, std::int32_t type);

    // --- For the drawing routines and tests ---
    // The number a cell's text starts with (0 when none).
    static double cellNumber(const std::u16string& text);
    // Paints a progress cell over `r` at `percent`, and a ranking cell of `lit` icons.
    void paintProgress(platform::HDC dc, const platform::RECT& r, int percent);
    // Paints a ranking cell of `lit` icons, previewing when `hotRow`.
    void paintRanking(platform::HDC dc, const platform::RECT& r, int lit, bool hotRow);
    // The drag image of the selected items on screen (null when none): `copy` writes
    // " + Copy ", otherwise " + Move ". The caller destroys it. `origin` (when given) receives
    // where the image's corner lies in the list's client area.
    platform::HIMAGELIST createDragImage(bool copy, platform::POINT* origin = nullptr);
    // The drag image's last line: " + Copy 3 Item(s) ".
    static std::u16string dragCaption(std::int32_t count, bool copy);

    // The key hook: arrows and page keys go to the list while it has the focus.
    bool TranslateAccel(const platform::MSG& msg) override;

protected:
    const PropertyTable& properties() const override { return table(); }
    void layout() override;
    void loaded() override;
    void Paint() override;
    void Terminate() override;
    void Resize() override;
    bool handleMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam,
                       platform::LRESULT& result) override;
    // The drag events, raised as published; a drag the list started shows its drag image.
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

private:
    static PropertyTable declare();
    static const PropertyTable& table();
    platform::LRESULT send(platform::UINT msg, platform::WPARAM wParam = 0,
                           platform::LPARAM lParam = 0) const;
    platform::LRESULT sendHeader(platform::UINT msg, platform::WPARAM wParam = 0,
                                 platform::LPARAM lParam = 0) const;
    // The list's window style and extended style from the properties.
    platform::DWORD windowStyle() const;
    // Sets or clears an extended list-view style bit.
    void applyExStyle(platform::DWORD bit, bool on);
    void applyAllExStyles();
    // Sets or clears window style bits, then lets the frame follow.
    void applyStyle(platform::DWORD bits, bool on);
    void applyHeaderStyle(platform::DWORD bits, bool on);
    void applyColors();
    void applyFont();
    void applyView();
    void applyBorder();
    // Column and header-item helpers.
    bool getColumn(std::int32_t column, platform::LVCOLUMNW& col) const;
    int columnFormat(std::int32_t column) const;
    void setColumnFormat(std::int32_t column, int format, int mask);
    bool getHeaderItem(std::int32_t column, platform::HDITEMW& item) const;
    bool setHeaderItem(std::int32_t column, platform::HDITEMW& item);
    // Item state helpers.
    bool state(std::int32_t item, platform::UINT mask) const;
    void setState(std::int32_t item, platform::UINT mask, bool on);
    // Group helpers.
    bool getGroup(std::int32_t id, platform::LVGROUP& group) const;
    void setGroup(std::int32_t id, platform::LVGROUP& group);
    // A group's header, footer or subtitle (LVGF_ field), its alignments and state bits.
    std::u16string groupText(std::int32_t id, platform::UINT field) const;
    void setGroupText(std::int32_t id, platform::UINT field, const std::u16string& text);
    std::int32_t groupAlignment(std::int32_t id, bool footer) const;
    void setGroupAlignment(std::int32_t id, std::int32_t align, bool footer);
    bool groupState(std::int32_t id, platform::UINT bit) const;
    void setGroupState(std::int32_t id, platform::UINT bit, bool on);
    platform::RECT subItemRect(std::int32_t item, std::int32_t subItem) const;
    platform::RECT itemRect(std::int32_t item, int portion) const;
    // Pixels and ScaleMode units.
    double toUnitsX(double px) const;
    double toUnitsY(double px) const;
    int toPixelsX(double units) const;
    int toPixelsY(double units) const;
    platform::HIMAGELIST& imageList(Images which);

    // Notifications and messages.
    platform::LRESULT onNotify(platform::NMHDR& hdr);
    platform::LRESULT onListNotify(platform::NMHDR& hdr);
    // LVN_BEGINDRAG with OLEDragMode 1: the drag of the selected items, pressed at `press`.
    void dragItems(platform::POINT press);
    // Shows the drag image for a copy or a move under the pointer (built again when that
    // changes); hides it with `show` false.
    void showDragImage(bool show, bool copy);
    platform::LRESULT onHeaderNotify(platform::NMHDR& hdr);
    platform::LRESULT onDispInfo(platform::NMLVDISPINFOW& di);
    platform::LRESULT onListCustomDraw(platform::NMLVCUSTOMDRAW& cd);
    platform::LRESULT onHeaderCustomDraw(platform::NMCUSTOMDRAW& cd);
    void onRankingClick();
    void onListMessage(SubclassMessage& m);
    void onHeaderMessage(SubclassMessage& m);
    static int compareCallback(platform::LPARAM a, platform::LPARAM b, platform::LPARAM self);
    int compareItems(int a, int b);

    // Properties.
    bool m_virtual = false;
    bool m_enableSetIPAO = true;
    bool m_explorerTheme = true;
    bool m_rightToLeft = false;
    BorderStyleConstants m_lvBorderStyle = bsNone;
    bool m_checkBoxes = false;
    bool m_columnIconOnRight = false;
    bool m_fullRowSelect = false;
    bool m_gridLines = false;
    bool m_headerDragDrop = false;
    bool m_headerFixedWidth = false;
    bool m_headerFlat = false;
    std::int16_t m_headerHeight = 24;
    bool m_headerHide = false;
    bool m_hideSelection = false;
    bool m_labelEdit = false;
    bool m_labelTips = false;
    bool m_multiSelect = false;
    bool m_oneClickActivate = false;
    OLE_COLOR m_progressBackColor = 0x80000005;
    OLE_COLOR m_progressBorderColor = 0x80000008;
    std::int32_t m_progressColumn = -1;
    OLE_COLOR m_progressFillColor = 0xE6E6E6;
    OLE_COLOR m_progressTextColor = 0x80000008;
    bool m_progressTextVisible = true;
    bool m_progressUseTheme = true;
    bool m_raisePrePaint = false;
    std::int32_t m_rankingColumn = -1;
    bool m_rankingLocked = false;
    bool m_scrollBarFlat = false;
    bool m_subItemImages = false;
    bool m_trackSelect = false;
    bool m_underlineHot = false;
    ViewModeConstants m_viewMode = vmIcon;
    std::int32_t m_oleDragMode = 0;
    std::int32_t m_oleDropMode = 0;

    // Run time.
    std::u16string m_tag;
    bool m_noRedraw = false;
    platform::HWND m_list;
    platform::HWND m_dragWindow;
    bool m_itemDrag = false;          // dragItems runs
    bool m_dragImageCopy = false;     // the shown image says copy
    platform::POINT m_dragHotspot{};  // the pointer's place on the drag image
    platform::HIMAGELIST m_small, m_large, m_headerImages;
    platform::HTHEME m_progressTheme;
    platform::HFONT m_hfont;
    platform::HFONT m_cellFont;  // a font a cell hook chose, until its cell is drawn
    std::shared_ptr<StdFont> m_appliedFont;
    std::unique_ptr<Subclasser> m_subclass;
    platform::HICON m_rankingIcons[3];
    int m_hotItem = -1;
    platform::POINT m_mouse{};  // the last mouse position in the list
    bool m_mouseInside = false;
    // The sort in progress: column, order (1 or -1) and sort code, and each item's key.
    std::int32_t m_sortColumn = 0;
    int m_sortOrder = 1;
    int m_sortCode = 0;
    std::vector<double> m_sortNumbers;
    std::vector<std::u16string> m_sortTexts;
};

}  // namespace orvane
