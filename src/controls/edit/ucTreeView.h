// A Unicode tree view on the platform's "SysTreeView32" window. Nodes are addressed by their
// handle and, when given one, by a unique key (compared without regard to case); each node
// keeps a tag and, in multi-column mode, the texts of the columns after the first, drawn by the
// control under a header of its own. Check boxes have three states: a node's new state goes to
// all its descendants, and each ancestor shows checked, unchecked or grey for its children.
// Drags over the tree scroll at the edges, expand a node after a pause and show an insertion
// mark or a drop highlight. The window exists from Initialize (called by the program) until the
// control goes; before it, properties can be set and saved and node operations fail quietly.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/OwnerDrawnControl.h"
#include "framework/Subclasser.h"
#include "platform/comctl/CommCtrl.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucTreeView : public OwnerDrawnControl {
public:
    // Event numbers, as published.
    enum Event {
        evAfterExpand = 1,
        evAfterLabelEdit,
        evBeforeExpand,
        evBeforeLabelEdit,
        evClick,
        evCollapse,
        evFontChanged,
        evKeyDown,
        evKeyPress,
        evKeyUp,
        evMouseDown,
        evMouseEnter,
        evMouseLeave,
        evMouseMove,
        evMouseUp,
        evNodeCheck,
        evNodeClick,
        evNodeDblClick,
        evOnSubItemPrePaint,
        evResize,
        evSelectionChanged,
        evOLEStartDrag,
        evOLEGiveFeedback,
        evOLEDragOver,
        evOLEDragDrop,
        evOLECompleteDrag
    };
    // The tree's border: none or a sunken edge.
    enum BorderStyleConstants : std::int32_t { bsNone = 0, bsFixedSingle = 1 };
    // Where AddNode puts a node against its relative.
    enum RelationConstants : std::int32_t {
        rLast = 0,
        rFirst = 1,
        rSort = 2,
        rNext = 3,
        rPrevious = 4
    };
    // A node's check box: the index of its state image.
    enum CheckState : std::int32_t { etvwUnChecked = 1, etvwChecked = 2, etvwGrayed = 3 };
    // What a drag over the tree shows: an insertion mark between nodes or the node highlighted.
    enum OLEDragInsertStyleConstants : std::int32_t { disInsertMark = 0, disDropHilite = 1 };
    // Scroll directions.
    enum ScrollConstants : std::int32_t {
        sHome = 0,
        sPageUp,
        sUp,
        sDown,
        sPageDown,
        sEnd,
        sLeft,
        sPageLeft,
        sLineLeft,
        sLineRight,
        sPageRight,
        sRight
    };
    // The message the tree posts itself after a check box changes: the check cascade.
    static constexpr platform::UINT kCheckCascade = 1298;
    // The tree window's control identifier.
    static constexpr int kTreeId = 0x1002;
    // How many node records the record array grows by.
    static constexpr std::size_t kRecordStep = 100;

    ucTreeView();
    ~ucTreeView() override;
    std::u16string className() const override { return u"ucTreeView"; }
    // Publishes the class, its enumerations, members and events in `library`, and as the
    // form-file class "ucTreeView" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // --- Window and lifetime ---
    // Builds the tree window from the properties (a second call builds it again, without its
    // nodes); true when it exists.
    bool InitializeTree();
    // Repaints the tree and the header now.
    void Refresh() override;
    // The tree window (0 before Initialize).
    platform::HWND hWndTreeView() const { return m_tree; }
    // The label-edit box while a label is edited, else 0.
    platform::HWND hWndLabelEdit() const;
    // Stops (false) or resumes (true) the tree's repainting.
    void SetRedrawMode(bool enable);
    // Stops repainting until the matching EndUpdate; calls nest.
    void BeginUpdate();
    // Ends one BeginUpdate; the last one repaints.
    void EndUpdate();
    // The border, published as "BorderStyle": none or a sunken edge.
    BorderStyleConstants TvBorderStyle() const { return m_tvBorderStyle; }
    void TvBorderStyle(BorderStyleConstants value) { setProperty(m_tvBorderStyle, value); }
    // Any text the program keeps with the control (not saved).
    const std::u16string& Tag() const { return m_tag; }
    void Tag(std::u16string value) { m_tag = std::move(value); }
    // Right-to-left layout (not saved); a change builds the window again.
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value);

    // --- Style switches (saved) ---
    // Check boxes with three states before the nodes.
    bool CheckBoxes() const { return m_checkBoxes; }
    void CheckBoxes(bool value) { setProperty(m_checkBoxes, value); }
    // The selection spans the whole row.
    bool FullRowSelect() const { return m_fullRowSelect; }
    void FullRowSelect(bool value) { setProperty(m_fullRowSelect, value); }
    // Plus and minus buttons before nodes with children.
    bool HasButtons() const { return m_hasButtons; }
    void HasButtons(bool value) { setProperty(m_hasButtons, value); }
    // Lines joining the nodes.
    bool HasLines() const { return m_hasLines; }
    void HasLines(bool value) { setProperty(m_hasLines, value); }
    // Lines and buttons at the top level too.
    bool HasRootLines() const { return m_hasRootLines; }
    void HasRootLines(bool value) { setProperty(m_hasRootLines, value); }
    // The selection shows only while the tree has the focus.
    bool HideSelection() const { return m_hideSelection; }
    void HideSelection(bool value) { setProperty(m_hideSelection, value); }
    // Labels can be edited in place.
    bool LabelEdit() const { return m_labelEdit; }
    void LabelEdit(bool value) { setProperty(m_labelEdit, value); }
    // Columns after the tree's, under a header the control draws.
    bool MultiColumn() const { return m_multiColumn; }
    void MultiColumn(bool value) { setProperty(m_multiColumn, value); }
    // Raises OnSubItemPrePaint for each cell after the first column.
    bool RaiseSubItemPrePaint() const { return m_raiseSubItemPrePaint; }
    void RaiseSubItemPrePaint(bool value) { setProperty(m_raiseSubItemPrePaint, value); }
    // Selecting a node collapses the other branches.
    bool SingleExpand() const { return m_singleExpand; }
    void SingleExpand(bool value) { setProperty(m_singleExpand, value); }
    // The node under the pointer is highlighted.
    bool TrackSelect() const { return m_trackSelect; }
    void TrackSelect(bool value) { setProperty(m_trackSelect, value); }
    // The header row's colour (multi-column mode).
    OLE_COLOR HeaderBackColor() const { return m_headerBackColor; }
    void HeaderBackColor(OLE_COLOR value) { setProperty(m_headerBackColor, value); }
    // The header row's height in pixels at 96 DPI (multi-column mode).
    std::int32_t HeaderHeight() const { return m_headerHeight; }
    void HeaderHeight(std::int32_t value) { setProperty(m_headerHeight, value); }
    // Drags over the tree expand the node under the pointer after a pause.
    bool OLEDragAutoExpand() const { return m_oleDragAutoExpand; }
    void OLEDragAutoExpand(bool value) { setProperty(m_oleDragAutoExpand, value); }
    // What a drag over the tree shows.
    OLEDragInsertStyleConstants OLEDragInsertStyle() const { return m_oleDragInsertStyle; }
    void OLEDragInsertStyle(OLEDragInsertStyleConstants value);
    // 0 manual, 1 automatic: a node dragged with the mouse starts a drag.
    std::int32_t OLEDragMode() const { return m_oleDragMode; }
    void OLEDragMode(std::int32_t value) { setProperty(m_oleDragMode, value); }
    // 0 none, 1 manual, 2 automatic: whether the tree takes drops.
    std::int32_t OLEDropMode() const { return m_oleDropMode; }
    void OLEDropMode(std::int32_t value) { setProperty(m_oleDropMode, value); }

    // --- Run-time looks (not saved) ---
    // The colour of the lines; -1 for the system's.
    std::int32_t LineColor() const;
    void LineColor(std::int32_t color);
    // The colour of the insertion mark; -1 for the system's.
    std::int32_t InsertMarkColor() const;
    void InsertMarkColor(std::int32_t color);
    // A row's height in pixels.
    std::int32_t ItemHeight() const;
    void ItemHeight(std::int32_t pixels);
    // How far each level is indented, in pixels.
    std::int32_t ItemIndent() const;
    void ItemIndent(std::int32_t pixels);

    // --- Nodes ---
    // Adds a node next to or under `hRelative` (0: at the top level) by `relation`; `text` may
    // hold the column texts after "|" signs. Image -1 means none. Returns the node, 0 on failure.
    std::int32_t AddNode(std::int32_t hRelative, std::int32_t relation, const std::u16string& key,
                         const std::u16string& text, std::int32_t image = -1,
                         std::int32_t selectedImage = -1, bool plusButton = false,
                         const std::u16string& tag = u"");
    // Deletes a node with its descendants; false for a node that does not exist.
    bool DeleteNode(std::int32_t hNode);
    // Deletes every node.
    void Clear();
    // While held, deleted nodes keep their records; the release drops the records of every
    // node gone meanwhile in one pass (fast deletion of many nodes).
    void HoldDeletePostProcess(bool hold);
    // True when no node has `key` yet (letter case does not count).
    bool IsValidKey(const std::u16string& key) const;
    // The node with `key`, or 0.
    std::int32_t GetKeyNode(const std::u16string& key) const;
    // A node's key, or "".
    std::u16string GetNodeKey(std::int32_t hNode) const;
    // A node's place in the record array, or -1.
    std::int32_t GetNodeIndex(std::int32_t hNode) const;
    // A node's column texts after the first.
    std::vector<std::u16string> GetNodeSubItems(std::int32_t hNode) const;
    // Whether the record at `index` has column texts.
    bool HasSubItems(std::int32_t index) const;
    // A node's text.
    std::u16string NodeText(std::int32_t hNode) const;
    void NodeText(std::int32_t hNode, std::u16string text);
    // A node's image (-1 none).
    std::int32_t NodeImage(std::int32_t hNode) const;
    void NodeImage(std::int32_t hNode, std::int32_t image);
    // A node's image while selected (-1 none).
    std::int32_t NodeSelectedImage(std::int32_t hNode) const;
    void NodeSelectedImage(std::int32_t hNode, std::int32_t image);
    // A node drawn in bold.
    bool NodeBold(std::int32_t hNode) const;
    void NodeBold(std::int32_t hNode, bool value);
    // A node drawn ghosted (as cut).
    bool NodeGhosted(std::int32_t hNode) const;
    void NodeGhosted(std::int32_t hNode, bool value);
    // A node drawn highlighted as a drop target.
    bool NodeHilited(std::int32_t hNode) const;
    void NodeHilited(std::int32_t hNode, bool value);
    // Whether a node shows a plus button even without children (filled when expanded).
    bool NodePlusMinusButton(std::int32_t hNode) const;
    void NodePlusMinusButton(std::int32_t hNode, bool value);
    // A node's check box: etvwUnChecked, etvwChecked or etvwGrayed (0 without check boxes).
    std::int32_t NodeChecked(std::int32_t hNode) const;
    void NodeChecked(std::int32_t hNode, std::int32_t state);
    // The text of a node's column `subItem` (1 is the second column).
    std::u16string NodeSubItemText(std::int32_t hNode, std::int32_t subItem) const;
    void NodeSubItemText(std::int32_t hNode, std::int32_t subItem, const std::u16string& text);
    // A node's tag.
    std::u16string NodeTag(std::int32_t hNode) const;
    void NodeTag(std::int32_t hNode, std::u16string tag);
    // The first top-level node.
    std::int32_t NodeRoot() const;
    // A node's parent (0 at the top level).
    std::int32_t NodeParent(std::int32_t hNode) const;
    // A node's first child.
    std::int32_t NodeChild(std::int32_t hNode) const;
    // The first node shown at the top of the window.
    std::int32_t NodeFirstVisible() const;
    // The last node that can be shown (every ancestor expanded).
    std::int32_t NodeLastVisible() const;
    // The node shown above, and below, this one.
    std::int32_t NodePrevious(std::int32_t hNode) const;
    // The node shown below this one.
    std::int32_t NodeNext(std::int32_t hNode) const;
    // A node's first sibling.
    std::int32_t NodeFirstSibling(std::int32_t hNode) const;
    // A node's last sibling.
    std::int32_t NodeLastSibling(std::int32_t hNode) const;
    // A node's previous sibling.
    std::int32_t NodePreviousSibling(std::int32_t hNode) const;
    // A node's next sibling.
    std::int32_t NodeNextSibling(std::int32_t hNode) const;
    // Whether a node (or only its text) is inside the window now.
    bool NodeVisible(std::int32_t hNode, bool onlyText = false) const;
    // Whether a node is expanded; setting it expands or collapses it.
    bool NodeExpanded(std::int32_t hNode) const;
    void NodeExpanded(std::int32_t hNode, bool value);
    // Whether a node was ever expanded.
    bool NodeExpandedOnce(std::int32_t hNode) const;
    // How many nodes the tree holds.
    std::int32_t NodeCount() const;
    // How many children a node has.
    std::int32_t NodeChildren(std::int32_t hNode) const;
    // The texts from the top-level node down to this one, joined by `separator`.
    std::u16string NodeFullPath(std::int32_t hNode, const std::u16string& separator = u"\\") const;
    // A node's depth: 0 at the top level, -1 for no node.
    std::int32_t NodeLevel(std::int32_t hNode) const;
    // The selected node (0 none); setting it selects and shows it.
    std::int32_t SelectedNode() const;
    void SelectedNode(std::int32_t hNode);

    // --- Actions ---
    // Expands a node, and with `children` every node below it.
    void Expand(std::int32_t hNode, bool children = false);
    // Collapses a node, and with `children` every node below it.
    void Collapse(std::int32_t hNode, bool children = false);
    // Scrolls and expands so that a node shows.
    void EnsureVisible(std::int32_t hNode);
    // Sorts a node's children by text (0: the top level), with `allLevels` every level below.
    void SortChildren(std::int32_t hNode, bool allLevels = false);
    // Gives every descendant of a node the check state `state`.
    void CheckChildren(std::int32_t hNode, std::int32_t state);
    // The node at a point of the control (ScaleMode units); with `fullRowHit` anywhere on its
    // row, else on its button, check box, image or text. 0 when none.
    std::int32_t HitTest(double x, double y, bool fullRowHit = false) const;
    // Shows the insertion mark before or after a node (0 removes it).
    void SetInsertionMark(std::int32_t hNode, bool insertAfter);
    // Highlights a node as the drop target (0 removes it).
    void SetHilitedNode(std::int32_t hNode);
    // Scrolls the tree.
    void Scroll(std::int32_t direction);
    // Starts editing a node's label; false when it could not start.
    bool StartLabelEdit(std::int32_t hNode);
    // Ends the label edit, keeping the text unless `cancel`.
    void EndLabelEdit(bool cancel);

    // --- Columns (multi-column mode) ---
    // Adds a column; returns its index. TextAlign 0 left, 1 right, 2 centre.
    std::int32_t AddColumn(const std::u16string& text, std::int32_t width,
                           std::int32_t textAlign = 0, std::int32_t iconIndex = -1,
                           OLE_COLOR foreColor = 0x80000008, OLE_COLOR backColor = 0x80000005);
    // How many columns there are.
    std::int32_t ColumnCount() const { return static_cast<std::int32_t>(m_columns.size()); }
    // A column's text alignment: 0 left, 1 right, 2 centre.
    std::int32_t ColumnAlignment(std::int32_t column) const;
    void ColumnAlignment(std::int32_t column, std::int32_t align);
    // A column's caption.
    std::u16string ColumnText(std::int32_t column) const;
    void ColumnText(std::int32_t column, std::u16string text);
    // A column's width in pixels.
    std::int32_t ColumnWidth(std::int32_t column) const;
    void ColumnWidth(std::int32_t column, std::int32_t width);
    // A column's icon in the header image list (-1 none).
    std::int32_t ColumnIconIndex(std::int32_t column) const;
    void ColumnIconIndex(std::int32_t column, std::int32_t icon);
    // A column's text colour.
    OLE_COLOR ColumnForeColor(std::int32_t column) const;
    void ColumnForeColor(std::int32_t column, OLE_COLOR color);
    // A column's background colour.
    OLE_COLOR ColumnBackColor(std::int32_t column) const;
    void ColumnBackColor(std::int32_t column, OLE_COLOR color);

    // --- Images ---
    // Makes a new image list of that size for the nodes, or for the header with `header`.
    bool InitializeImageList(std::int32_t width, std::int32_t height, bool header = false);
    // Adds a bitmap to the nodes' image list, masked by a colour; its index or -1.
    std::int32_t AddBitmap(std::int32_t hBitmap, OLE_COLOR maskColor);
    // Adds an icon to the nodes' (or the header's) image list; its index or -1.
    std::int32_t AddIcon(std::int32_t hIcon, bool header = false);
    // The image list in use (a handle).
    std::int32_t ImageList(bool header) const;
    // Uses an image list: an image-list object or a handle (the caller keeps it).
    void ImageList(const Variant& value, bool header);

    // --- Drag and drop ---
    // The clipboard format of a dragged node: the tree's window and the node, 32 bits each.
    static platform::UINT nodeFormat();
    // Whether a data object carries a node dragged from a tree of this kind.
    bool OLEIsMyFormat(const Variant& data) const;
    // The tree and node a data object carries; false when it carries none.
    bool OLEGetDragInfo(const Variant& data, std::int32_t& hWndTreeView,
                        std::int32_t& hNodeDrag) const;
    // The node a drop goes to and whether it goes after it.
    void OLEGetDropInfo(std::int32_t& hNodeDrop, bool& insertAfter) const;

    // A copy of the zero-terminated UTF-16 text at `text` ("" for null).
    static std::u16string PtrToStrW(const char16_t* text);

    // --- For the drawing routines and tests ---
    // The row of the header in the control's client area (empty without multi-column mode).
    platform::RECT headerRect() const;
    // The check cascade of a node, as the posted message runs it: descendants take the node's
    // state, ancestors are worked out again, and NodeCheck is raised.
    void runCheckCascade(std::int32_t hNode);
    // One step of a drag over the tree at a point of the tree window: scrolls near the edges,
    // marks the target and expands it after the pause.
    void dragOverTree(platform::POINT pt);
    // Ends the drag's marks (insertion mark, highlight) over the tree.
    void dragLeaveTree();

protected:
    const PropertyTable& properties() const override { return table(); }
    void layout() override;
    void loaded() override;
    void Paint() override;
    void Terminate() override;
    void Resize() override;
    bool handleMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam,
                       platform::LRESULT& result) override;
    // The host's drag and drop: a node's drag fills the data; drags over the tree mark the
    // target; each is raised as the published event.
    void OLEStartDrag(const std::shared_ptr<DataObject>& data,
                      std::int32_t& allowedEffects) override;
    void OLEGiveFeedback(std::int32_t& effect, bool& defaultCursors) override;
    void OLEDragOver(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                     MouseButtons button, ShiftState shift, double x, double y,
                     std::int32_t state) override;
    void OLEDragDrop(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                     MouseButtons button, ShiftState shift, double x, double y) override;
    void OLECompleteDrag(std::int32_t& effect) override;

private:
    // A node's record, small so that a tree of many nodes fills with few allocations: its
    // column texts sit in one shared pool, separated by NULs (a window text never holds one);
    // the few keys and tags live beside the records, by record index.
    struct NodeRecord {
        platform::HTREEITEM node;  // null: a free slot
        std::uint32_t columnsAt = 0, columnsLength = 0, columnCount = 0;
    };
    struct Column {
        std::u16string text;
        std::int32_t width = 100;
        std::int32_t align = 0;
        std::int32_t icon = -1;
        OLE_COLOR foreColor = 0x80000008;
        OLE_COLOR backColor = 0x80000005;
    };

    static PropertyTable declare();
    static const PropertyTable& table();
    platform::LRESULT send(platform::UINT msg, platform::WPARAM wParam = 0,
                           platform::LPARAM lParam = 0) const;
    platform::DWORD windowStyle() const;
    void applyStyle(platform::DWORD bits, bool on);
    void applyAllStyles();
    void applyColors();
    void applyFont();
    void applyBorder();
    void applyCheckImages();
    // Node helpers.
    static platform::HTREEITEM item(std::int32_t hNode) {
        return platform::HTREEITEM(static_cast<std::uint32_t>(hNode));
    }
    static std::int32_t handle(platform::HTREEITEM node) {
        return static_cast<std::int32_t>(node.value);
    }
    bool exists(platform::HTREEITEM node) const;
    // A node's row (or only its text) in the tree's client area; false when it is hidden in a
    // collapsed branch.
    bool itemRect(platform::HTREEITEM node, bool textOnly, platform::RECT& rc) const;
    std::int32_t next(platform::HTREEITEM node, platform::UINT code) const;
    bool getItem(platform::HTREEITEM node, platform::TVITEMW& it) const;
    platform::UINT itemState(platform::HTREEITEM node, platform::UINT mask) const;
    void setItemState(platform::HTREEITEM node, platform::UINT mask, platform::UINT value);
    NodeRecord* record(std::int32_t hNode);
    const NodeRecord* record(std::int32_t hNode) const;
    std::size_t newRecord();
    // Drops a deleted node's record (its index was the node's lParam) and its key.
    void forgetRecord(platform::HTREEITEM node, platform::LPARAM index);
    void purgeRecords();
    void dropRecord(std::size_t index);  // frees a record with its key and tag
    // Column `column` (1 for the first after the node's own) of a record; empty past the last.
    std::u16string_view subItem(const NodeRecord& r, std::size_t column) const;
    // Gives a record new column texts, kept in the pool (compacted when mostly stale).
    void setSubItems(NodeRecord& r, const std::vector<std::u16string_view>& columns);
    static std::u16string foldKey(const std::u16string& key);
    std::int32_t checkOf(platform::HTREEITEM node) const;
    void setCheck(platform::HTREEITEM node, std::int32_t state);
    void recomputeAncestors(platform::HTREEITEM node);
    void expandBelow(platform::HTREEITEM node, platform::UINT action);
    int columnLeft(std::int32_t column) const;
    // A column's field, or the field's empty value for a column out of range.
    template <class V>
    V columnField(std::int32_t column, V Column::*field) const {
        if (column < 0 || column >= ColumnCount()) return V{};
        return m_columns[static_cast<std::size_t>(column)].*field;
    }
    // Sets a column's field and repaints; nothing for a column out of range.
    template <class V>
    void setColumnField(std::int32_t column, V Column::*field, V value) {
        if (column < 0 || column >= ColumnCount()) return;
        m_columns[static_cast<std::size_t>(column)].*field = std::move(value);
        Refresh();
    }
    // Registers the tree as a drop target or not, as OLEDropMode says.
    void applyDropMode();
    // Pixels and ScaleMode units.
    double toUnitsX(double px) const;
    double toUnitsY(double px) const;
    int toPixelsX(double units) const;
    int toPixelsY(double units) const;

    // Notifications and messages.
    platform::LRESULT onTreeNotify(platform::NMHDR& hdr);
    platform::LRESULT onCustomDraw(platform::NMTVCUSTOMDRAW& cd);
    void paintSubItems(platform::NMTVCUSTOMDRAW& cd);
    void paintHeader(platform::HDC dc);
    void onTreeMessage(SubclassMessage& m);
    // Notes a node's check state before the tree turns it, and posts the cascade.
    void queueCheck(platform::HTREEITEM node);
    void onCheckCascade(platform::HTREEITEM node);
    // A node dragged with the mouse: highlighted, and a drag starts.
    void beginDrag(platform::HTREEITEM node);

    // Properties.
    BorderStyleConstants m_tvBorderStyle = bsFixedSingle;
    bool m_checkBoxes = false;
    bool m_fullRowSelect = true;
    bool m_hasButtons = false;
    bool m_hasLines = false;
    bool m_hasRootLines = false;
    OLE_COLOR m_headerBackColor = 16511461;
    std::int32_t m_headerHeight = 24;
    bool m_hideSelection = false;
    bool m_labelEdit = false;
    bool m_multiColumn = false;
    bool m_oleDragAutoExpand = false;
    OLEDragInsertStyleConstants m_oleDragInsertStyle = disInsertMark;
    std::int32_t m_oleDragMode = 0;
    std::int32_t m_oleDropMode = 0;
    bool m_raiseSubItemPrePaint = false;
    bool m_singleExpand = false;
    bool m_trackSelect = false;

    // Run time.
    std::u16string m_tag;
    bool m_rightToLeft = false;
    platform::HWND m_tree;
    platform::HIMAGELIST m_images, m_headerImages;  // lists the control made (it destroys them)
    platform::HIMAGELIST m_usedImages, m_usedHeaderImages;  // lists in use (maybe the program's)
    platform::HIMAGELIST m_checkImages;
    platform::HFONT m_hfont;
    platform::HFONT m_cellFont;
    std::shared_ptr<StdFont> m_appliedFont;
    std::unique_ptr<Subclasser> m_subclass;
    std::vector<NodeRecord> m_records;
    std::u16string m_columnPool;     // the records' column texts
    std::size_t m_staleColumns = 0;  // units of the pool no record uses
    std::vector<std::size_t> m_freeRecords;
    std::unordered_map<std::u16string, platform::HTREEITEM> m_keys;  // folded key -> node
    std::unordered_map<std::size_t, std::u16string> m_recordKeys;    // record -> key as given
    std::unordered_map<std::size_t, std::u16string> m_recordTags;    // record -> tag
    std::vector<Column> m_columns;
    bool m_holdDelete = false;
    int m_updates = 0;
    bool m_mouseInside = false;
    bool m_buttonUpSeen = true;  // the release of the last button press was reported
    // The check state of the node a click or the space bar is about to change.
    platform::HTREEITEM m_checkNode;
    std::int32_t m_checkBefore = 0;
    // The drag over the tree: the node under the pointer since when, and the drop target.
    platform::HTREEITEM m_dragHover;
    std::uint64_t m_dragHoverSince = 0;
    platform::HTREEITEM m_dropNode;
    bool m_dropAfter = false;
    platform::HTREEITEM m_dragSource;
};

}  // namespace orvane
