// The tree view as the type library, form files and scripts see it: its enumerations, every
// member under its published name, and its events by number.
#include "controls/edit/ucTreeView.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"
#include "host/TypeLibrary.h"

namespace orvane {

namespace {

using T = ucTreeView;
using Args = std::vector<Variant>;

std::int32_t L(const Variant& v) {
    return CLng(v);
}

// An optional argument: its value, or `fallback` when it was left out.
std::int32_t optL(const Args& a, std::size_t i, std::int32_t fallback) {
    return i < a.size() && !a[i].isMissing() ? CLng(a[i]) : fallback;
}

bool optB(const Args& a, std::size_t i, bool fallback) {
    return i < a.size() && !a[i].isMissing() ? CBool(a[i]) : fallback;
}

std::u16string optS(const Args& a, std::size_t i) {
    return i < a.size() && !a[i].isMissing() ? CStr(a[i]) : std::u16string();
}

Variant none() {
    return Variant();
}

// A method of one node that returns another node (or a count, a level).
void nodeQuery(ClassBuilder<T>& b, std::u16string name,
               std::int32_t (T::*query)(std::int32_t) const) {
    b.method(std::move(name), {{u"hNode"}},
             [query](T& c, Args& a) { return Variant((c.*query)(L(a[0]))); });
}

void publishEnums(TypeLibrary& library) {
    library.registerEnum({u"tvBorderStyleConstants", {{u"bsNone", 0}, {u"bsFixedSingle", 1}}});
    library.registerEnum(
        {u"tvRelationConstants",
         {{u"rLast", 0}, {u"rFirst", 1}, {u"rSort", 2}, {u"rNext", 3}, {u"rPrevious", 4}}});
    library.registerEnum(
        {u"ETreeViewCheckState", {{u"etvwUnChecked", 1}, {u"etvwChecked", 2}, {u"etvwGrayed", 3}}});
    library.registerEnum(
        {u"tvOLEDragInsertStyleConstants", {{u"disInsertMark", 0}, {u"disDropHilite", 1}}});
    library.registerEnum({u"tvScrollConstants",
                          {{u"sHome", 0},
                           {u"sPageUp", 1},
                           {u"sUp", 2},
                           {u"sDown", 3},
                           {u"sPageDown", 4},
                           {u"sEnd", 5},
                           {u"sLeft", 6},
                           {u"sPageLeft", 7},
                           {u"sLineLeft", 8},
                           {u"sLineRight", 9},
                           {u"sPageRight", 10},
                           {u"sRight", 11}}});
}

void publishWindow(ClassBuilder<T>& b) {
    b.method(u"Initialize", {}, [](T& c, Args&) { return Variant(c.InitializeTree()); });
    b.method(u"Refresh", {}, [](T& c, Args&) {
        c.Refresh();
        return none();
    });
    b.method(u"BeginUpdate", {}, [](T& c, Args&) {
        c.BeginUpdate();
        return none();
    });
    b.method(u"EndUpdate", {}, [](T& c, Args&) {
        c.EndUpdate();
        return none();
    });
    b.method(u"SetRedrawMode", {{u"Enable"}}, [](T& c, Args& a) {
        c.SetRedrawMode(CBool(a[0]));
        return none();
    });
    // The tree's window once it exists, else the control's.
    b.computed(u"hWnd", [](T& c) {
        return Variant(
            static_cast<std::int32_t>((c.hWndTreeView() ? c.hWndTreeView() : c.hWnd()).value));
    });
    b.property(u"ScaleMode", &T::ScaleMode, &T::ScaleMode);
    b.property(u"Tag", &T::Tag, &T::Tag);
    b.property(u"RightToLeft", &T::RightToLeft, &T::RightToLeft);
    b.property(u"LineColor", &T::LineColor, &T::LineColor);
    b.property(u"InsertMarkColor", &T::InsertMarkColor, &T::InsertMarkColor);
    b.property(u"ItemHeight", &T::ItemHeight, &T::ItemHeight);
    b.property(u"ItemIndent", &T::ItemIndent, &T::ItemIndent);
}

void publishNodes(ClassBuilder<T>& b) {
    b.method(u"AddNode",
             {{u"hRelative", true},
              {u"Relation", true},
              {u"Key", true},
              {u"Text", true},
              {u"Image", true},
              {u"SelectedImage", true},
              {u"PlusButton", true},
              {u"Tag", true}},
             [](T& c, Args& a) {
                 return Variant(c.AddNode(optL(a, 0, 0), optL(a, 1, T::rLast), optS(a, 2),
                                          optS(a, 3), optL(a, 4, -1), optL(a, 5, -1),
                                          optB(a, 6, false), optS(a, 7)));
             });
    b.method(u"DeleteNode", {{u"hNode"}},
             [](T& c, Args& a) { return Variant(c.DeleteNode(L(a[0]))); });
    b.method(u"Clear", {}, [](T& c, Args&) {
        c.Clear();
        return none();
    });
    b.method(u"HoldDeletePostProcess", {{u"Hold"}}, [](T& c, Args& a) {
        c.HoldDeletePostProcess(CBool(a[0]));
        return none();
    });
    b.method(u"IsValidKey", {{u"Key"}},
             [](T& c, Args& a) { return Variant(c.IsValidKey(CStr(a[0]))); });
    b.method(u"GetKeyNode", {{u"Key"}},
             [](T& c, Args& a) { return Variant(c.GetKeyNode(CStr(a[0]))); });
    b.method(u"GetNodeKey", {{u"hNode"}},
             [](T& c, Args& a) { return Variant(c.GetNodeKey(L(a[0]))); });
    nodeQuery(b, u"GetNodeIndex", &T::GetNodeIndex);
    // The column texts joined by "|", as AddNode takes them.
    b.method(u"GetNodeSubItems", {{u"hNode"}}, [](T& c, Args& a) {
        std::u16string joined;
        const std::vector<std::u16string> parts = c.GetNodeSubItems(L(a[0]));
        for (std::size_t i = 0; i < parts.size(); ++i)
            joined += (i ? u"|" : u"") + parts[i];
        return Variant(joined);
    });
    b.method(u"HasSubItems", {{u"Index"}},
             [](T& c, Args& a) { return Variant(c.HasSubItems(L(a[0]))); });
    b.indexed<std::u16string, std::int32_t>(u"NodeText", u"hNode", &T::NodeText, &T::NodeText);
    b.indexed<std::int32_t, std::int32_t>(u"NodeImage", u"hNode", &T::NodeImage, &T::NodeImage);
    b.indexed<std::int32_t, std::int32_t>(u"NodeSelectedImage", u"hNode", &T::NodeSelectedImage,
                                          &T::NodeSelectedImage);
    b.indexed<bool, std::int32_t>(u"NodeBold", u"hNode", &T::NodeBold, &T::NodeBold);
    b.indexed<bool, std::int32_t>(u"NodeGhosted", u"hNode", &T::NodeGhosted, &T::NodeGhosted);
    b.indexed<bool, std::int32_t>(u"NodeHilited", u"hNode", &T::NodeHilited, &T::NodeHilited);
    b.indexed<bool, std::int32_t>(u"NodePlusMinusButton", u"hNode", &T::NodePlusMinusButton,
                                  &T::NodePlusMinusButton);
    b.indexed<std::int32_t, std::int32_t>(u"NodeChecked", u"hNode", &T::NodeChecked,
                                          &T::NodeChecked);
    b.indexed<std::u16string, std::int32_t>(u"NodeTag", u"hNode", &T::NodeTag, &T::NodeTag);
    b.indexed<bool, std::int32_t>(u"NodeExpanded", u"hNode", &T::NodeExpanded, &T::NodeExpanded);
    PropertyInfo subItem{u"NodeSubItemText", {}, {}, {u"Item", u"SubItem"}};
    subItem.getAt = [](Object& o, Args& at) {
        return Variant(static_cast<T&>(o).NodeSubItemText(L(at[0]), L(at[1])));
    };
    subItem.putAt = [](Object& o, Args& at, const Variant& v) {
        static_cast<T&>(o).NodeSubItemText(L(at[0]), L(at[1]), CStr(v));
    };
    b.property(std::move(subItem));
    b.computed(u"NodeRoot", [](T& c) { return Variant(c.NodeRoot()); });
    b.computed(u"NodeFirstVisible", [](T& c) { return Variant(c.NodeFirstVisible()); });
    b.computed(u"NodeLastVisible", [](T& c) { return Variant(c.NodeLastVisible()); });
    b.computed(u"NodeCount", [](T& c) { return Variant(c.NodeCount()); });
    nodeQuery(b, u"NodeParent", &T::NodeParent);
    nodeQuery(b, u"NodeChild", &T::NodeChild);
    nodeQuery(b, u"NodePrevious", &T::NodePrevious);
    nodeQuery(b, u"NodeNext", &T::NodeNext);
    nodeQuery(b, u"NodeFirstSibling", &T::NodeFirstSibling);
    nodeQuery(b, u"NodeLastSibling", &T::NodeLastSibling);
    nodeQuery(b, u"NodePreviousSibling", &T::NodePreviousSibling);
    nodeQuery(b, u"NodeNextSibling", &T::NodeNextSibling);
    nodeQuery(b, u"NodeChildren", &T::NodeChildren);
    nodeQuery(b, u"NodeLevel", &T::NodeLevel);
    b.method(u"NodeVisible", {{u"hNode"}, {u"OnlyText", true}},
             [](T& c, Args& a) { return Variant(c.NodeVisible(L(a[0]), optB(a, 1, false))); });
    b.method(u"NodeExpandedOnce", {{u"hNode"}},
             [](T& c, Args& a) { return Variant(c.NodeExpandedOnce(L(a[0]))); });
    b.method(u"NodeFullPath", {{u"hNode"}, {u"PathSeparator", true}}, [](T& c, Args& a) {
        return Variant(c.NodeFullPath(L(a[0]), a[1].isMissing() ? u"\\" : CStr(a[1])));
    });
    b.property(u"SelectedNode", &T::SelectedNode, &T::SelectedNode);
}

void publishActions(ClassBuilder<T>& b) {
    const auto nodeAndFlag = [&b](std::u16string name, std::u16string flag,
                                  void (T::*action)(std::int32_t, bool)) {
        b.method(std::move(name), {{u"hNode"}, {std::move(flag), true}}, [action](T& c, Args& a) {
            (c.*action)(L(a[0]), optB(a, 1, false));
            return none();
        });
    };
    nodeAndFlag(u"Expand", u"ExpandChildren", &T::Expand);
    nodeAndFlag(u"Collapse", u"CollapseChildren", &T::Collapse);
    nodeAndFlag(u"SortChildren", u"SortAllLevels", &T::SortChildren);
    nodeAndFlag(u"SetInsertionMark", u"InsertAfter", &T::SetInsertionMark);
    b.method(u"EnsureVisible", {{u"hNode"}}, [](T& c, Args& a) {
        c.EnsureVisible(L(a[0]));
        return none();
    });
    b.method(u"CheckChildren", {{u"hNode"}, {u"bState"}}, [](T& c, Args& a) {
        c.CheckChildren(L(a[0]), L(a[1]));
        return none();
    });
    b.method(u"HitTest", {{u"x"}, {u"y"}, {u"FullRowHit", true}}, [](T& c, Args& a) {
        return Variant(c.HitTest(CDbl(a[0]), CDbl(a[1]), optB(a, 2, false)));
    });
    b.method(u"SetHilitedNode", {{u"hNode"}}, [](T& c, Args& a) {
        c.SetHilitedNode(L(a[0]));
        return none();
    });
    b.method(u"Scroll", {{u"Direction"}}, [](T& c, Args& a) {
        c.Scroll(L(a[0]));
        return none();
    });
    b.method(u"StartLabelEdit", {{u"hNode"}},
             [](T& c, Args& a) { return Variant(c.StartLabelEdit(L(a[0]))); });
    b.method(u"EndLabelEdit", {{u"Cancel", true}}, [](T& c, Args& a) {
        c.EndLabelEdit(optB(a, 0, false));
        return none();
    });
}

void publishColumnsAndImages(ClassBuilder<T>& b) {
    b.method(
        u"AddColumn",
        {{u"Text"},
         {u"Width", true},
         {u"TextAlign", true},
         {u"IconIndex", true},
         {u"ForeColor", true},
         {u"BackColor", true}},
        [](T& c, Args& a) {
            return Variant(c.AddColumn(
                CStr(a[0]), optL(a, 1, 100), optL(a, 2, 0), optL(a, 3, -1),
                static_cast<OLE_COLOR>(optL(a, 4, static_cast<std::int32_t>(vbWindowText))),
                static_cast<OLE_COLOR>(optL(a, 5, static_cast<std::int32_t>(vbWindowBackground)))));
        });
    b.computed(u"ColumnCount", [](T& c) { return Variant(c.ColumnCount()); });
    b.indexed<std::int32_t, std::int32_t>(u"ColumnAlignment", u"Column", &T::ColumnAlignment,
                                          &T::ColumnAlignment);
    b.indexed<std::u16string, std::int32_t>(u"ColumnText", u"Column", &T::ColumnText,
                                            &T::ColumnText);
    b.indexed<std::int32_t, std::int32_t>(u"ColumnWidth", u"Column", &T::ColumnWidth,
                                          &T::ColumnWidth);
    b.indexed<std::int32_t, std::int32_t>(u"ColumnIconIndex", u"Column", &T::ColumnIconIndex,
                                          &T::ColumnIconIndex);
    b.indexed<OLE_COLOR, std::int32_t>(u"ColumnForeColor", u"Column", &T::ColumnForeColor,
                                       &T::ColumnForeColor);
    b.indexed<OLE_COLOR, std::int32_t>(u"ColumnBackColor", u"Column", &T::ColumnBackColor,
                                       &T::ColumnBackColor);
    b.method(u"InitializeImageList", {{u"ImageWidth"}, {u"ImageHeight"}, {u"bHeader", true}},
             [](T& c, Args& a) {
                 return Variant(c.InitializeImageList(L(a[0]), L(a[1]), optB(a, 2, false)));
             });
    b.method(u"AddBitmap", {{u"hBitmap"}, {u"MaskColor", true}}, [](T& c, Args& a) {
        return Variant(c.AddBitmap(L(a[0]), static_cast<OLE_COLOR>(optL(a, 1, 0xFF00FF))));
    });
    b.method(u"AddIcon", {{u"hIcon"}, {u"bHeader", true}},
             [](T& c, Args& a) { return Variant(c.AddIcon(L(a[0]), optB(a, 1, false))); });
    PropertyInfo images{u"ImageList", {}, {}, {u"bHeader"}};
    images.getAt = [](Object& o, Args& at) {
        return Variant(static_cast<T&>(o).ImageList(!at[0].isMissing() && CBool(at[0])));
    };
    images.putAt = [](Object& o, Args& at, const Variant& v) {
        static_cast<T&>(o).ImageList(v, !at[0].isMissing() && CBool(at[0]));
    };
    b.property(std::move(images));
}

void publishDragAndDrop(ClassBuilder<T>& b) {
    b.method(u"OLEIsMyFormat", {{u"Data"}},
             [](T& c, Args& a) { return Variant(c.OLEIsMyFormat(a[0])); });
    // hWndTreeView and hNodeDrag come back by reference.
    b.method(u"OLEGetDragInfo", {{u"Data"}, {u"hWndTreeView"}, {u"hNodeDrag"}}, [](T& c, Args& a) {
        std::int32_t tree = 0, node = 0;
        const bool found = c.OLEGetDragInfo(a[0], tree, node);
        a[1] = Variant(tree);
        a[2] = Variant(node);
        return Variant(found);
    });
    // hNodeDrop and InsertAfter come back by reference.
    b.method(u"OLEGetDropInfo", {{u"hNodeDrop"}, {u"InsertAfter"}}, [](T& c, Args& a) {
        std::int32_t node = 0;
        bool after = false;
        c.OLEGetDropInfo(node, after);
        a[0] = Variant(node);
        a[1] = Variant(after);
        return none();
    });
}

}  // namespace

void ucTreeView::registerClass(TypeLibrary& library, ControlClasses& classes) {
    publishEnums(library);
    ClassBuilder<T> b(u"ucTreeView");
    b.creatable();
    table().publish(b);
    publishWindow(b);
    publishNodes(b);
    publishActions(b);
    publishColumnsAndImages(b);
    publishDragAndDrop(b);
    const std::vector<std::u16string> mouse{u"Button", u"Shift", u"x", u"y"};
    const std::vector<std::u16string> key{u"KeyCode", u"Shift"};
    b.event(u"AfterExpand", evAfterExpand, {u"hNode", u"ExpandedOnce"})
        .event(u"AfterLabelEdit", evAfterLabelEdit, {u"hNode", u"Cancel", u"NewString"})
        .event(u"BeforeExpand", evBeforeExpand, {u"hNode", u"ExpandedOnce"})
        .event(u"BeforeLabelEdit", evBeforeLabelEdit, {u"hNode", u"Cancel"})
        .event(u"Click", evClick, {})
        .event(u"Collapse", evCollapse, {u"hNode"})
        .event(u"FontChanged", evFontChanged, {})
        .event(u"KeyDown", evKeyDown, key)
        .event(u"KeyPress", evKeyPress, {u"KeyAscii"})
        .event(u"KeyUp", evKeyUp, key)
        .event(u"MouseDown", evMouseDown, mouse)
        .event(u"MouseEnter", evMouseEnter, {})
        .event(u"MouseLeave", evMouseLeave, {})
        .event(u"MouseMove", evMouseMove, mouse)
        .event(u"MouseUp", evMouseUp, mouse)
        .event(u"NodeCheck", evNodeCheck, {u"hNode"})
        .event(u"NodeClick", evNodeClick, {u"hNode"})
        .event(u"NodeDblClick", evNodeDblClick, {u"hNode"})
        .event(u"OnSubItemPrePaint", evOnSubItemPrePaint,
               {u"Item", u"SubItem", u"TextBackColor", u"TextForeColor", u"iFont", u"Process"})
        .event(u"Resize", evResize, {})
        .event(u"SelectionChanged", evSelectionChanged, {})
        .event(u"OLEStartDrag", evOLEStartDrag, {u"Data", u"AllowedEffects"})
        .event(u"OLEGiveFeedback", evOLEGiveFeedback, {u"Effect", u"DefaultCursors"})
        .event(u"OLEDragOver", evOLEDragOver,
               {u"Data", u"Effect", u"Button", u"Shift", u"x", u"y", u"State"})
        .event(u"OLEDragDrop", evOLEDragDrop, {u"Data", u"Effect", u"Button", u"Shift", u"x", u"y"})
        .event(u"OLECompleteDrag", evOLECompleteDrag, {u"Effect"});
    library.registerClass(b.build());
    classes.add(u"ucTreeView", [] { return std::make_unique<T>(); });
}

}  // namespace orvane
