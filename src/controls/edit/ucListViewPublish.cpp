// The list view as the type library, form files and scripts see it: its enumerations, every
// member under its published name, and its events by number.
#include "controls/edit/ucListView.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"
#include "host/TypeLibrary.h"

namespace orvane {

namespace {

using T = ucListView;
using Args = std::vector<Variant>;

std::int32_t L(const Variant& v) {
    return CLng(v);
}

double D(const Variant& v) {
    return CDbl(v);
}

// An optional argument: its value, or `fallback` when it was left out.
std::int32_t optL(const Args& a, std::size_t i, std::int32_t fallback) {
    return i < a.size() && !a[i].isMissing() ? CLng(a[i]) : fallback;
}

std::u16string optS(const Args& a, std::size_t i) {
    return i < a.size() && !a[i].isMissing() ? CStr(a[i]) : std::u16string();
}

// A property with one index (Column, Item or ID).
PropertyInfo indexed(std::u16string name, std::u16string index,
                     std::function<Variant(T&, std::int32_t)> get,
                     std::function<void(T&, std::int32_t, const Variant&)> put) {
    PropertyInfo info{std::move(name), {}, {}, {std::move(index)}};
    info.getAt = [get](Object& o, Args& at) { return get(static_cast<T&>(o), L(at[0])); };
    if (put)
        info.putAt = [put](Object& o, Args& at, const Variant& v) {
            put(static_cast<T&>(o), L(at[0]), v);
        };
    return info;
}

// A property with two indices (Item and SubItem).
PropertyInfo indexed2(std::u16string name,
                      std::function<Variant(T&, std::int32_t, std::int32_t)> get,
                      std::function<void(T&, std::int32_t, std::int32_t, const Variant&)> put) {
    PropertyInfo info{std::move(name), {}, {}, {u"Item", u"SubItem"}};
    info.getAt = [get](Object& o, Args& at) { return get(static_cast<T&>(o), L(at[0]), L(at[1])); };
    if (put)
        info.putAt = [put](Object& o, Args& at, const Variant& v) {
            put(static_cast<T&>(o), L(at[0]), L(at[1]), v);
        };
    return info;
}

Variant none() {
    return Variant();
}

void publishEnums(TypeLibrary& library) {
    library.registerEnum(
        {u"eBorderStyleConstants", {{u"bsNone", 0}, {u"bsFlat", 1}, {u"bs3d", 2}}});
    library.registerEnum(
        {u"eViewModeConstants",
         {{u"vmIcon", 0}, {u"vmDetails", 1}, {u"vmSmallIcon", 2}, {u"vmList", 3}, {u"vmTile", 4}}});
    library.registerEnum(
        {u"eSortOrderConstants", {{u"soDefault", 0}, {u"soAscending", 1}, {u"soDescending", -1}}});
    library.registerEnum(
        {u"eSortTypeConstants",
         {{u"stString", 0}, {u"stStringSensitive", 1}, {u"stNumeric", 2}, {u"stDate", 3}}});
    library.registerEnum(
        {u"eColumnAlignConstants", {{u"caLeft", 0}, {u"caRight", 1}, {u"caCenter", 2}}});
    library.registerEnum({u"eColumnAutosizeConstants", {{u"caItem", -1}, {u"caHeader", -2}}});
    library.registerEnum({u"eCoincidenceConstants", {{u"cWholeWord", 2}, {u"cPartial", 8}}});
    library.registerEnum(
        {u"eStateConstants", {{u"sFocused", 1}, {u"sSelected", 2}, {u"sGhosted", 4}}});
    library.registerEnum({u"eAlignConstants", {{u"aLeft", 0}, {u"aCenter", 1}, {u"aRight", 2}}});
    library.registerEnum({u"eGroupHitTest",
                          {{u"ghtGroup", static_cast<std::int32_t>(0xF3000000)},
                           {u"ghtHeader", 0x10000000},
                           {u"ghtFooter", 0x20000000},
                           {u"ghtTitle", static_cast<std::int32_t>(0xFE000000)},
                           {u"ghtBackground", static_cast<std::int32_t>(0x80000000)}}});
    library.registerEnum(
        {u"eFilterType",
         {{u"ftNoFilter", 0}, {u"ftString", 1}, {u"ftNumeric", 2}, {u"ftDate", 3}}});
    library.registerEnum(
        {u"eRankingIconStates", {{u"rStateNormal", 0}, {u"rStateHover", 1}, {u"rStateActive", 2}}});
}

void publishWindow(ClassBuilder<T>& b) {
    b.method(u"Initialize", {}, [](T& c, Args&) { return Variant(c.InitializeList()); });
    b.method(u"Refresh", {}, [](T& c, Args&) {
        c.Refresh();
        return none();
    });
    b.property(u"NoRedraw", &T::NoRedraw, &T::NoRedraw);
    b.computed(u"hWndListView",
               [](T& c) { return Variant(static_cast<std::int32_t>(c.hWndListView().value)); });
    b.computed(u"hWndHeader",
               [](T& c) { return Variant(static_cast<std::int32_t>(c.hWndHeader().value)); });
    b.computed(u"hWndLabelEdit",
               [](T& c) { return Variant(static_cast<std::int32_t>(c.hWndLabelEdit().value)); });
    b.computed(u"hwndUserControl",
               [](T& c) { return Variant(static_cast<std::int32_t>(c.hWnd().value)); });
    b.computed(u"hWndDrag",
               [](T& c) { return Variant(static_cast<std::int32_t>(c.hWndDrag().value)); });
    b.property(u"ScaleMode", &T::ScaleMode, &T::ScaleMode);
    b.property(u"Tag", &T::Tag, &T::Tag);
    b.method(u"BackgroundPictureSet", {{u"sFilePath"}, {u"Tile", true}}, [](T& c, Args& a) {
        return Variant(c.BackgroundPictureSet(CStr(a[0]), a[1].isMissing() ? false : CBool(a[1])));
    });
    b.method(u"HiWord", {{u"dwValue"}}, [](T&, Args& a) { return Variant(T::HiWord(L(a[0]))); });
    b.method(u"MakeDWord", {{u"LoWord"}, {u"HiWord"}},
             [](T&, Args& a) { return Variant(T::MakeDWord(L(a[0]), L(a[1]))); });
}

void publishImageLists(ClassBuilder<T>& b) {
    const std::pair<const char16_t*, T::Images> lists[] = {
        {u"Small", T::Images::Small}, {u"Large", T::Images::Large}, {u"Header", T::Images::Header}};
    for (const auto& [name, which] : lists) {
        const std::u16string n(name);
        const T::Images w = which;
        b.method(
            u"InitializeImageList" + n, {{u"ImageWidth"}, {u"ImageHeight"}},
            [w](T& c, Args& a) { return Variant(c.InitializeImageList(w, L(a[0]), L(a[1]))); });
        b.method(u"ImageList" + n + u"_AddBitmap", {{u"hBitmap"}, {u"MaskColor", true}},
                 [w](T& c, Args& a) {
                     const OLE_COLOR mask =
                         a[1].isMissing() ? OLE_COLOR{0xFF00FF} : static_cast<OLE_COLOR>(L(a[1]));
                     return Variant(c.ImageListAddBitmap(w, L(a[0]), mask));
                 });
        b.method(u"ImageList" + n + u"_AddIcon", {{u"hIcon"}},
                 [w](T& c, Args& a) { return Variant(c.ImageListAddIcon(w, L(a[0]))); });
    }
}

void publishColumns(ClassBuilder<T>& b) {
    b.method(
        u"ColumnAdd", {{u"Column"}, {u"Text"}, {u"Width", true}, {u"Align", true}, {u"Icon", true}},
        [](T& c, Args& a) {
            const double width =
                a[2].isMissing() ? 100.0 : D(a[2]);  // pixels, unless ScaleMode says otherwise
            return Variant(c.ColumnAdd(L(a[0]), CStr(a[1]), width, optL(a, 3, 0), optL(a, 4, -1)));
        });
    b.method(u"ColumnRemove", {{u"Column"}},
             [](T& c, Args& a) { return Variant(c.ColumnRemove(L(a[0]))); });
    b.method(u"ColumnAutosize", {{u"Column"}, {u"AutosizeType", true}},
             [](T& c, Args& a) { return Variant(c.ColumnAutosize(L(a[0]), optL(a, 1, -1))); });
    b.method(u"ColumnSetFocus", {{u"Column"}}, [](T& c, Args& a) {
        c.ColumnSetFocus(L(a[0]));
        return none();
    });
    b.computed(u"ColumnCount", [](T& c) { return Variant(c.ColumnCount()); });
    b.property(indexed(
        u"ColumnWidth", u"Column", [](T& c, std::int32_t i) { return Variant(c.ColumnWidth(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ColumnWidth(i, D(v)); }));
    b.property(indexed(
        u"ColumnText", u"Column", [](T& c, std::int32_t i) { return Variant(c.ColumnText(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ColumnText(i, CStr(v)); }));
    b.property(indexed(
        u"ColumnAlign", u"Column", [](T& c, std::int32_t i) { return Variant(c.ColumnAlign(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ColumnAlign(i, L(v)); }));
    b.property(indexed(
        u"ColumnDropDown", u"Column",
        [](T& c, std::int32_t i) { return Variant(c.ColumnDropDown(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ColumnDropDown(i, CBool(v)); }));
    b.property(indexed(
        u"ColumnCheckStyle", u"Column",
        [](T& c, std::int32_t i) { return Variant(c.ColumnCheckStyle(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ColumnCheckStyle(i, CBool(v)); }));
    b.property(indexed(
        u"ColumnCheckValue", u"Column",
        [](T& c, std::int32_t i) { return Variant(c.ColumnCheckValue(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ColumnCheckValue(i, CBool(v)); }));
    b.property(indexed(
        u"ColumnIcon", u"Column", [](T& c, std::int32_t i) { return Variant(c.ColumnIcon(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ColumnIcon(i, L(v)); }));
    b.property(indexed(
        u"ColumnOrder", u"Column", [](T& c, std::int32_t i) { return Variant(c.ColumnOrder(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ColumnOrder(i, L(v)); }));
    b.property(u"ColumnCheckBoxes", &T::ColumnCheckBoxes, &T::ColumnCheckBoxes);
    b.property(u"ColumnFilters", &T::ColumnFilters, &T::ColumnFilters);
    b.property(indexed(
        u"ColumnFilterType", u"Column",
        [](T& c, std::int32_t i) { return Variant(c.ColumnFilterType(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ColumnFilterType(i, L(v)); }));
    b.property(indexed(
        u"ColumnFilterText", u"Column",
        [](T& c, std::int32_t i) { return Variant(c.ColumnFilterText(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ColumnFilterText(i, CStr(v)); }));
    b.method(u"ColumnFilterSetMaxLength", {{u"Column"}, {u"MaxLength"}}, [](T& c, Args& a) {
        c.ColumnFilterSetMaxLength(L(a[0]), L(a[1]));
        return none();
    });
    b.method(u"ColumnFilterSetTimeOut", {{u"lTimeOut"}}, [](T& c, Args& a) {
        c.ColumnFilterSetTimeOut(L(a[0]));
        return none();
    });
}

void publishItems(ClassBuilder<T>& b) {
    b.method(u"ItemAdd", {{u"Item"}, {u"Text"}, {u"Indent", true}, {u"Icon", true}},
             [](T& c, Args& a) {
                 return Variant(c.ItemAdd(L(a[0]), CStr(a[1]), optL(a, 2, 0), optL(a, 3, -1)));
             });
    b.method(u"ItemRemove", {{u"Item"}},
             [](T& c, Args& a) { return Variant(c.ItemRemove(L(a[0]))); });
    b.method(u"Clear", {}, [](T& c, Args&) {
        c.Clear();
        return none();
    });
    b.computed(u"Count", [](T& c) { return Variant(c.Count()); });
    b.property(PropertyInfo{u"Items", [](Object& o) { return Variant(static_cast<T&>(o).Count()); },
                            [](Object& o, const Variant& v) { static_cast<T&>(o).Items(L(v)); }});
    b.property(indexed(
        u"ItemText", u"Item", [](T& c, std::int32_t i) { return Variant(c.ItemText(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ItemText(i, CStr(v)); }));
    b.property(indexed2(
        u"SubItemText",
        [](T& c, std::int32_t i, std::int32_t s) { return Variant(c.SubItemText(i, s)); },
        [](T& c, std::int32_t i, std::int32_t s, const Variant& v) {
            c.SubItemText(i, s, CStr(v));
        }));
    b.property(indexed(
        u"ItemIcon", u"Item", [](T& c, std::int32_t i) { return Variant(c.ItemIcon(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ItemIcon(i, L(v)); }));
    b.property(indexed2(
        u"SubItemIcon",
        [](T& c, std::int32_t i, std::int32_t s) { return Variant(c.SubItemIcon(i, s)); },
        [](T& c, std::int32_t i, std::int32_t s, const Variant& v) { c.SubItemIcon(i, s, L(v)); }));
    b.property(indexed(
        u"ItemIndent", u"Item", [](T& c, std::int32_t i) { return Variant(c.ItemIndent(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ItemIndent(i, L(v)); }));
    b.property(indexed(
        u"ItemGroup", u"Item", [](T& c, std::int32_t i) { return Variant(c.ItemGroup(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.ItemGroup(i, L(v)); }));
    b.method(u"SubItemSet", {{u"Item"}, {u"SubItem"}, {u"Text"}, {u"Icon", true}},
             [](T& c, Args& a) {
                 return Variant(c.SubItemSet(L(a[0]), L(a[1]), CStr(a[2]), optL(a, 3, -1)));
             });
    const std::pair<const char16_t*, bool (T::*)(std::int32_t) const> getters[] = {
        {u"ItemSelected", &T::ItemSelected},
        {u"ItemFocused", &T::ItemFocused},
        {u"ItemChecked", &T::ItemChecked},
        {u"ItemGhosted", &T::ItemGhosted},
        {u"DropHighlight", &T::DropHighlight}};
    const std::pair<const char16_t*, void (T::*)(std::int32_t, bool)> setters[] = {
        {u"ItemSelected", &T::ItemSelected},
        {u"ItemFocused", &T::ItemFocused},
        {u"ItemChecked", &T::ItemChecked},
        {u"ItemGhosted", &T::ItemGhosted},
        {u"DropHighlight", &T::DropHighlight}};
    for (std::size_t k = 0; k < std::size(getters); ++k) {
        const auto get = getters[k].second;
        const auto set = setters[k].second;
        b.property(indexed(
            getters[k].first, u"Item", [get](T& c, std::int32_t i) { return Variant((c.*get)(i)); },
            [set](T& c, std::int32_t i, const Variant& v) { (c.*set)(i, CBool(v)); }));
    }
    b.method(u"SelectAll", {}, [](T& c, Args&) {
        c.SelectAll();
        return none();
    });
    b.method(u"DeSelectAll", {}, [](T& c, Args&) {
        c.DeSelectAll();
        return none();
    });
    b.computed(u"SelectedCount", [](T& c) { return Variant(c.SelectedCount()); });
    b.method(u"GetSelectedItem", {}, [](T& c, Args&) { return Variant(c.GetSelectedItem()); });
    b.method(u"GetSelectedNexItem", {{u"PrevSelectedItem"}},
             [](T& c, Args& a) { return Variant(c.GetSelectedNexItem(L(a[0]))); });
    b.method(u"ItemFindState", {{u"StartItem"}, {u"State"}},
             [](T& c, Args& a) { return Variant(c.ItemFindState(L(a[0]), L(a[1]))); });
    b.method(u"ItemFindText",
             {{u"Text"}, {u"StartItem", true}, {u"Coincidence", true}, {u"Warp", true}},
             [](T& c, Args& a) {
                 return Variant(c.ItemFindText(CStr(a[0]), optL(a, 1, -1), optL(a, 2, 2),
                                               a[3].isMissing() ? false : CBool(a[3])));
             });
    b.method(u"ItemEnsureVisible", {{u"Item"}},
             [](T& c, Args& a) { return Variant(c.ItemEnsureVisible(L(a[0]))); });
    b.method(u"ItemHitTest", {{u"x"}, {u"y"}},
             [](T& c, Args& a) { return Variant(c.ItemHitTest(D(a[0]), D(a[1]))); });
    const std::pair<const char16_t*, double (T::*)(std::int32_t) const> geometry[] = {
        {u"ItemLeft", &T::ItemLeft},
        {u"ItemTop", &T::ItemTop},
        {u"ItemHeight", &T::ItemHeight},
        {u"itemWidth", &T::ItemWidth}};
    for (const auto& [name, get] : geometry) {
        const auto g = get;
        b.method(name, {{u"Item"}},
                 [g](T& c, Args& a) { return Variant(static_cast<float>((c.*g)(L(a[0])))); });
    }
    const std::pair<const char16_t*, double (T::*)(std::int32_t, std::int32_t) const>
        subGeometry[] = {{u"SubItemLeft", &T::SubItemLeft},
                         {u"SubItemTop", &T::SubItemTop},
                         {u"SubItemWidth", &T::SubItemWidth},
                         {u"SubItemHeight", &T::SubItemHeight}};
    for (const auto& [name, get] : subGeometry) {
        const auto g = get;
        b.method(name, {{u"Item"}, {u"SubItem"}}, [g](T& c, Args& a) {
            return Variant(static_cast<float>((c.*g)(L(a[0]), L(a[1]))));
        });
    }
    b.computed(u"TopIndex", [](T& c) { return Variant(c.TopIndex()); });
    b.computed(u"PageCount", [](T& c) { return Variant(c.PageCount()); });
    b.method(u"SetItemSpacing", {{u"x"}, {u"y"}}, [](T& c, Args& a) {
        c.SetItemSpacing(L(a[0]), L(a[1]));
        return none();
    });
    b.property(u"ItemSpacingX", &T::ItemSpacingX, &T::ItemSpacingX);
    b.property(u"ItemSpacingY", &T::ItemSpacingY, &T::ItemSpacingY);
    b.property(u"ItemSpacingXY", &T::ItemSpacingXY, &T::ItemSpacingXY);
    b.method(u"StartLabelEdit", {}, [](T& c, Args&) {
        c.StartLabelEdit();
        return none();
    });
}

void publishGroups(ClassBuilder<T>& b) {
    b.property(u"GroupsEnable", &T::GroupsEnable, &T::GroupsEnable);
    b.method(u"GroupAdd",
             {{u"ID"}, {u"Caption"}, {u"Align", true}, {u"Footer", true}, {u"FooterAlign", true}},
             [](T& c, Args& a) {
                 return Variant(
                     c.GroupAdd(L(a[0]), CStr(a[1]), optL(a, 2, 0), optS(a, 3), optL(a, 4, 0)));
             });
    b.method(u"GroupRemove", {{u"ID"}},
             [](T& c, Args& a) { return Variant(c.GroupRemove(L(a[0]))); });
    b.method(u"GroupClear", {}, [](T& c, Args&) {
        c.GroupClear();
        return none();
    });
    b.computed(u"GroupGetFocused", [](T& c) { return Variant(c.GroupGetFocused()); });
    b.computed(u"GroupCount", [](T& c) { return Variant(c.GroupCount()); });
    b.property(indexed(
        u"GroupHeaderText", u"ID",
        [](T& c, std::int32_t i) { return Variant(c.GroupHeaderText(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.GroupHeaderText(i, CStr(v)); }));
    b.property(indexed(
        u"GroupHeaderAlign", u"ID",
        [](T& c, std::int32_t i) { return Variant(c.GroupHeaderAlign(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.GroupHeaderAlign(i, L(v)); }));
    b.property(indexed(
        u"GroupFooterText", u"ID",
        [](T& c, std::int32_t i) { return Variant(c.GroupFooterText(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.GroupFooterText(i, CStr(v)); }));
    b.property(indexed(
        u"GroupFooterAlign", u"ID",
        [](T& c, std::int32_t i) { return Variant(c.GroupFooterAlign(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.GroupFooterAlign(i, L(v)); }));
    b.property(indexed(
        u"GroupSubtitle", u"ID", [](T& c, std::int32_t i) { return Variant(c.GroupSubtitle(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.GroupSubtitle(i, CStr(v)); }));
    b.property(indexed(
        u"GroupCollapsible", u"ID",
        [](T& c, std::int32_t i) { return Variant(c.GroupCollapsible(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.GroupCollapsible(i, CBool(v)); }));
    b.property(indexed(
        u"GroupCollapsed", u"ID", [](T& c, std::int32_t i) { return Variant(c.GroupCollapsed(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.GroupCollapsed(i, CBool(v)); }));
    b.method(u"GroupHitTest", {{u"x"}, {u"y"}, {u"Options", true}}, [](T& c, Args& a) {
        return Variant(
            c.GroupHitTest(D(a[0]), D(a[1]), optL(a, 2, static_cast<std::int32_t>(0xF3000000))));
    });
}

void publishExtras(ClassBuilder<T>& b) {
    b.property(indexed(
        u"RankingIconHandle", u"State",
        [](T& c, std::int32_t i) { return Variant(c.RankingIconHandle(i)); },
        [](T& c, std::int32_t i, const Variant& v) { c.RankingIconHandle(i, L(v)); }));
    b.method(u"Sort", {{u"Column"}, {u"SortOrder", true}, {u"SortType", true}}, [](T& c, Args& a) {
        return Variant(c.Sort(L(a[0]), optL(a, 1, T::soDefault), optL(a, 2, T::stString)));
    });
}

}  // namespace

void ucListView::registerClass(TypeLibrary& library, ControlClasses& classes) {
    publishEnums(library);
    ClassBuilder<T> b(u"ucListView");
    b.creatable();
    table().publish(b);
    publishWindow(b);
    publishImageLists(b);
    publishColumns(b);
    publishItems(b);
    publishGroups(b);
    publishExtras(b);
    publishInitTooltip(b);
    const std::vector<std::u16string> mouse{u"Button", u"Shift", u"x", u"y"};
    const std::vector<std::u16string> key{u"KeyCode", u"Shift"};
    b.event(u"Click", evClick, {})
        .event(u"DblClick", evDblClick, {})
        .event(u"BeforeFilterEdit", evBeforeFilterEdit, {u"Column", u"hWndFilterEdit"})
        .event(u"AfterFilterEdit", evAfterFilterEdit, {u"Column"})
        .event(u"ItemClick", evItemClick, {u"Item"})
        .event(u"ItemCheck", evItemCheck, {u"Item"})
        .event(u"ColumnClick", evColumnClick, {u"Column"})
        .event(u"ColumnRightClick", evColumnRightClick, {u"Column"})
        .event(u"ColumnCheck", evColumnCheck, {u"Column", u"Value"})
        .event(u"KeyDown", evKeyDown, key)
        .event(u"KeyPress", evKeyPress, {u"KeyAscii"})
        .event(u"KeyUp", evKeyUp, key)
        .event(u"MouseDown", evMouseDown, mouse)
        .event(u"MouseMove", evMouseMove, mouse)
        .event(u"MouseUp", evMouseUp, mouse)
        .event(u"MouseEnter", evMouseEnter, {})
        .event(u"MouseLeave", evMouseLeave, {})
        .event(u"BeforeLabelEdit", evBeforeLabelEdit, {u"Cancel"})
        .event(u"AfterLabelEdit", evAfterLabelEdit, {u"Cancel", u"NewString"})
        .event(u"Resize", evResize, {})
        .event(u"FilterButtonClicked", evFilterButtonClicked, {u"Column", u"Cancel"})
        .event(u"FilterTimeout", evFilterTimeout, {u"Column"})
        .event(u"ColumnMenu", evColumnMenu, {u"Column", u"x", u"y"})
        .event(u"Scroll", evScroll, {u"x", u"y"})
        .event(u"Ranking", evRanking, {u"Item", u"Value"})
        .event(u"OnSubItemPrePaint", evOnSubItemPrePaint,
               {u"Item", u"SubItem", u"TextBackColor", u"TextForeColor", u"oFont", u"Process"})
        .event(u"OnHeaderPrePaint", evOnHeaderPrePaint,
               {u"Column", u"TextBackColor", u"TextForeColor", u"oFont", u"Process"})
        .event(u"OLECompleteDrag", evOLECompleteDrag, {u"Effect"})
        .event(u"OLEDragDrop", evOLEDragDrop, {u"Data", u"Effect", u"Button", u"Shift", u"x", u"y"})
        .event(u"OLEDragOver", evOLEDragOver,
               {u"Data", u"Effect", u"Button", u"Shift", u"x", u"y", u"State"})
        .event(u"OLEGiveFeedback", evOLEGiveFeedback, {u"Effect", u"DefaultCursors"})
        .event(u"OLESetData", evOLESetData, {u"Data", u"DataFormat"})
        .event(u"OLEStartDrag", evOLEStartDrag, {u"Data", u"AllowedEffects"})
        .event(u"ItemDataRequest", evItemDataRequest,
               {u"ItemIndex", u"ColumnIndex", u"Mask", u"Text", u"ImageIndex", u"Indent"});
    library.registerClass(b.build());
    classes.add(u"ucListView", [] { return std::make_unique<T>(); });
}

}  // namespace orvane
