// The base of the choice groups (option, check and button groups): a whole set of choices
// drawn in one window. The items come from one Caption separated by "|", with per-item states,
// group names, tooltips and image keys in parallel lists (a shorter list leaves the remaining
// items' fields empty, a longer one is cut at the last caption). Items stand in columns of
// RowsPerColumn rows; the item under the pointer is drawn hot and shows its own tooltip; the
// arrow keys move the selection and the space bar selects or toggles. A control of the family
// says only what its items look like and whether they toggle.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/buttons/ChoiceGroupLayout.h"
#include "framework/ImageControl.h"
#include "framework/drawing/GlyphStrip.h"
#include "framework/drawing/cGDIPCache.h"
#include "host/ControlClasses.h"

namespace orvane {

class ChoiceGroup : public ImageControl {
public:
    // Event numbers, as published: what EventSource::connect takes (evItemClick, ...). A group
    // that publishes events of its own ahead of these numbers them further on (eventNumber).
    enum Event {
        evClick = 1,
        evItemClick,
        evKeyDown,
        evKeyPress,
        evKeyUp,
        evMouseDown,
        evMouseMove,
        evMouseUp,
        evMouseEnter,
        evMouseLeave
    };

    // One choice, from the item lists (its rectangle is in the layout).
    struct Item {
        std::u16string caption;    // the text beside the glyph
        std::u16string imageKey;   // the image's key in GC: the class name, "." and the file key
        std::u16string toolTip;    // shown while the pointer rests on the item
        std::u16string groupName;  // the items of one name form an exclusive group
        int field = 0;             // the caption's field in Caption (they differ when Sorted)
    };

    ~ChoiceGroup() override;

    // 0 glyph left, 1 glyph right with the caption right-aligned.
    std::int32_t Alignment() const { return m_alignment; }
    void Alignment(std::int32_t value) { setProperty(m_alignment, value); }
    // Makes the group RowsPerColumn rows high and its columns as wide as their items.
    bool Autosize() const { return m_autosize; }
    void Autosize(bool value) { setProperty(m_autosize, value); }
    // The item captions, separated by "|"; "" is no item.
    const std::u16string& Caption() const { return m_caption; }
    void Caption(std::u16string value) { setProperty(m_caption, std::move(value)); }
    // The glyph's side in pixels at 96 DPI.
    std::int32_t CheckSize() const { return m_checkSize; }
    void CheckSize(std::int32_t value) { setProperty(m_checkSize, value); }
    // The caption colour of the item at SelIndex.
    OLE_COLOR ForeColorSelected() const { return m_foreColorSelected; }
    void ForeColorSelected(OLE_COLOR value) { setProperty(m_foreColorSelected, value); }
    // Per-item image files, separated by "|", found in ImagePath.
    const std::u16string& ImageKeys() const { return m_imageKeys; }
    void ImageKeys(std::u16string value) { setProperty(m_imageKeys, std::move(value)); }
    // Put before each key of ImageKeys to give the file read for that item (a folder with its
    // trailing separator, say); a file that cannot be read leaves its item without an image.
    const std::u16string& ImagePath() const { return m_imagePath; }
    void ImagePath(std::u16string value) { setProperty(m_imagePath, std::move(value)); }
    // Per-item tooltips, separated by "|" (an empty one: the InitTooltip text).
    const std::u16string& ItemToolTips() const { return m_itemToolTips; }
    void ItemToolTips(std::u16string value) { setProperty(m_itemToolTips, std::move(value)); }
    // Columns from the right, each item mirrored, captions read right to left.
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value) { setProperty(m_rightToLeft, value); }
    // Items per column; 0 or less counts as 1.
    std::int32_t RowsPerColumn() const { return m_rowsPerColumn; }
    void RowsPerColumn(std::int32_t value) { setProperty(m_rowsPerColumn, value); }
    // Captions sorted before layout; states, group names, tips and images keep their positions.
    bool Sorted() const { return m_sorted; }
    void Sorted(bool value) { setProperty(m_sorted, value); }
    // The background picture (PNG) scaled to the control, its proportions kept.
    bool Stretch() const { return m_stretch; }
    void Stretch(bool value) { setProperty(m_stretch, value); }
    // The item last selected (or moved to), -1 for none. Setting it selects that item (in the
    // exclusive groups), repaints and raises Click; other values than -1 to Count − 1 raise 380.
    std::int32_t SelIndex() const { return m_selIndex; }
    void SelIndex(std::int32_t index);
    // One item's caption, by its position; other positions raise 380.
    std::u16string Text(std::int32_t index) const;
    void Text(std::int32_t index, std::u16string caption);
    // How many items there are.
    std::int32_t Count() const { return static_cast<std::int32_t>(m_items.size()); }
    // The cache of the item images.
    const std::shared_ptr<cGDIPCache>& GC() const { return m_itemImages; }

    // --- For drawing, tests and inspection ---
    // The items, in display order.
    const std::vector<Item>& items() const { return m_items; }
    // Whether item `index` is selected or checked (false out of range).
    bool itemState(int index) const;
    // The current layout.
    const ChoiceGroupLayout& layoutResult() const { return m_layout; }
    // The item under the pointer, -1 for none.
    int hotItem() const { return m_hotItem; }
    // The items the last paint drew.
    int paintedItems() const { return m_painted; }
    // The glyph's side in device pixels.
    int glyphPixels() const;
    // The item at a point (pixels), -1 for none.
    int itemAt(double x, double y) const;

protected:
    // A group that publishes `ownEvents` events of its own ahead of the family's, whose numbers
    // then come that much later.
    explicit ChoiceGroup(int ownEvents = 0);
    // The number the family's event `event` has in this group.
    int eventNumber(Event event) const { return event + m_ownEvents; }

    // Which rows a member of the family has, and its autosize key.
    struct Rows {
        bool states = true;                         // a States property
        bool groupNames = true;                     // a GroupNames property
        const char16_t* autosizeKey = u"AutoSize";  // the bag key of Autosize
    };
    // Declares the rows every group has, and those `rows` asks for, for class C.
    template <class C>
    static void declareGroup(PropertyTable& t, const Rows& rows);
    // Publishes class T under `name` with its declared rows and what every group has beyond
    // them (SelIndex and SelectedIndex, the Text and SelCaption of an item, GC, the methods and
    // the events, numbered as T numbers them), then what `more` adds; the events are listed in
    // the order of their numbers. Form files and scripts can make it by name.
    template <class T>
    static void registerGroup(TypeLibrary& library, ControlClasses& classes,
                              const std::u16string& name,
                              const std::function<void(ClassBuilder<T>&)>& more);

    // --- What differs in the family ---
    // Pressing an item toggles it (else it is selected and its group's others cleared).
    virtual bool togglesItems() const { return false; }
    // Items show a glyph (else a button face holds image and centred caption).
    virtual bool hasGlyph() const { return true; }
    // The selected item is filled and its caption drawn in ForeColorSelected, the hot one
    // filled in BackColorHot.
    virtual bool fillsItems() const { return true; }
    // Before the items are painted on the DC (to open what they share).
    virtual void beginItems(platform::HDC) {}
    // After the items are painted.
    virtual void endItems() {}
    // Draws an item's glyph or face.
    virtual void paintItemMark(platform::HDC dc, int index,
                               const ChoiceGroupLayout::Item& item) = 0;

    // An item at rest, under the pointer, or pressed under it.
    enum class ItemLook { Normal, Hot, Pressed };
    // The look of item `index`: the pressed one under the pointer, the hot one, or at rest.
    ItemLook itemLook(int index) const;
    // Draws a glyph strip's cell for the item's state and look (faded when disabled).
    void paintGlyph(platform::HDC dc, GlyphStrip::Kind kind, int index,
                    const ChoiceGroupLayout::Item& item) const;
    // The face of an item drawn as a face: one pixel inside it, so neighbouring faces do not
    // touch.
    static platform::RECT faceOf(const ChoiceGroupLayout::Item& item);
    // Whether item `index` looks down: it is the selected item, or pressed under the pointer.
    bool itemDown(int index) const;
    // A one-pixel frame round the item's face in the border colour of its look: pressed when
    // down, hot under the pointer, grey when the group is disabled.
    void paintItemFrame(platform::HDC dc, int index, const ChoiceGroupLayout::Item& item) const;

    // The state lists kept by position (published as States where the control has it).
    std::u16string statesText() const;
    void statesText(const std::u16string& text);
    // The group names, by position, separated by "|".
    const std::u16string& groupNames() const { return m_groupNames; }
    // Stores an item's state; the item repaints when it changed.
    void setItemState(int index, bool state);
    // Whether `index` is an item's position.
    bool inRange(std::int32_t index) const { return index >= 0 && index < Count(); }
    // The first selected item of a group, or -1.
    int selectedInGroup(const std::u16string& group) const;
    // Marks an item's rectangle for repainting.
    void invalidateItem(int index);
    // Paints what is marked now (a change from code shows before the call returns).
    void updateNow();

    void layout() override;
    void loaded() override;
    bool pressesWith(MouseButtons) const override { return false; }
    void stateChanged(StateChange change) override;
    void showHoverTip() override {}
    bool pointerLeft() override;
    void Paint() override;
    void Terminate() override;
    void MouseDown(MouseButtons button, ShiftState shift, double x, double y) override;
    void MouseMove(MouseButtons button, ShiftState shift, double x, double y) override;
    void MouseUp(MouseButtons button, ShiftState shift, double x, double y) override;
    void Click() override;
    void KeyDown(int& keyCode, ShiftState shift) override;
    void KeyUp(int& keyCode, ShiftState shift) override;

private:
    void itemsChanged();
    void imagesChanged();
    void loadItemImages();
    // A press on an item: selects it (clearing its group) or toggles it.
    void pressItem(int index);
    void uncheckOtherItems(int index);
    // The item the pointer is over changed: repaint both, change the tip, MouseLeave and
    // MouseEnter. False when a handler removed the control.
    bool hoverItem(int index);
    // The item an arrow key moves to from SelIndex, or -1.
    int neighbour(int keyCode) const;
    bool raiseItemEvent(Event event, int index);
    bool raiseItemMouse(Event event, int index, MouseButtons button, ShiftState shift, double x,
                        double y);
    void paintItem(platform::HDC dc, int index);
    platform::RECT pictureRect() const;

    std::int32_t m_alignment = 0;
    bool m_autosize = false;
    std::u16string m_caption;
    std::int32_t m_checkSize = 16;
    OLE_COLOR m_foreColorSelected = 0xFFFFFF;
    std::u16string m_groupNames;
    std::u16string m_imageKeys;
    std::u16string m_imagePath;
    std::u16string m_itemToolTips;
    bool m_rightToLeft = false;
    std::int32_t m_rowsPerColumn = 10;
    std::int32_t m_selIndex = -1;
    bool m_sorted = false;
    bool m_stretch = false;
    std::vector<bool> m_states;  // by position; missing ones are false

    std::vector<Item> m_items;
    ChoiceGroupLayout m_layout;
    std::shared_ptr<cGDIPCache> m_itemImages;
    int m_hotItem = -1;
    int m_pressedItem = -1;  // the left button is down on it
    int m_clickItem = -1;    // the left button went down on it: the host's click clicks
    std::u16string m_shownTip;
    int m_painted = 0;
    int m_ownEvents = 0;  // how far the family's event numbers are moved on
};

template <class C>
void ChoiceGroup::declareGroup(PropertyTable& t, const Rows& rows) {
    using B = ChoiceGroup;
    constexpr OLE_COLOR kHot = 0xF7E4CC;
    constexpr OLE_COLOR kAccent = 0xD77800;
    // The groups mark the hot item lightly and the selected one in the accent colour.
    t.redeclare<C, OLE_COLOR>(u"BackColorHot").defaults(kHot, kHot);
    t.redeclare<C, OLE_COLOR>(u"BackColorPressed").defaults(kAccent, kAccent);
    t.redeclare<C, OLE_COLOR>(u"BorderColorHot").defaults(kAccent, kAccent);
    t.redeclare<C, std::int32_t>(u"Borderwidth").key(u"Borderwidth");
    t.add<C>(u"Alignment", &B::m_alignment, 0, 0)
        .check([](const std::int32_t& v) { return v == 0 || v == 1; })
        .relayout();
    t.add<C>(u"Autosize", &B::m_autosize, false, false).key(rows.autosizeKey).relayout();
    t.add<C>(u"Caption", &B::m_caption, std::u16string(), std::u16string())
        .then([](C& c) { c.itemsChanged(); })
        .relayout();
    t.add<C>(u"CheckSize", &B::m_checkSize, 16, 16)
        .check([](const std::int32_t& v) { return v >= 0 && v <= 4096; })
        .relayout();
    t.add<C>(u"ForeColorSelected", &B::m_foreColorSelected, OLE_COLOR{0xFFFFFF},
             OLE_COLOR{0xFFFFFF});
    if (rows.groupNames)
        t.add<C>(u"GroupNames", &B::m_groupNames, std::u16string(), std::u16string())
            .then([](C& c) { c.itemsChanged(); });
    t.add<C>(u"ImageKeys", &B::m_imageKeys, std::u16string(), std::u16string()).then([](C& c) {
        c.imagesChanged();
    });
    t.add<C>(u"ImagePath", &B::m_imagePath, std::u16string(), std::u16string()).then([](C& c) {
        c.imagesChanged();
    });
    t.add<C>(u"ItemToolTips", &B::m_itemToolTips, std::u16string(), std::u16string())
        .then([](C& c) { c.itemsChanged(); })
        .noRedraw();
    t.add<C>(u"RightToLeft", &B::m_rightToLeft, false, false).relayout();
    t.add<C>(u"RowsPerColumn", &B::m_rowsPerColumn, 10, 10).relayout();
    // Published through SelIndex and SelectedIndex, which select and click.
    t.add<C>(u"SelIndex", &B::m_selIndex, -1, -1).hidden();
    t.add<C>(u"Sorted", &B::m_sorted, false, false).then([](C& c) { c.itemsChanged(); }).relayout();
    if (rows.states)
        t.addAccessor<C, std::u16string>(
            u"States", [](C& c) { return c.statesText(); },
            [](C& c, std::u16string v) { c.statesText(v); }, std::u16string(), std::u16string());
    t.add<C>(u"Stretch", &B::m_stretch, false, false);
    ControlImage::declare<C>(t, &C::m_image, Effect::Relayout);
    // The background picture is not rotated.
    t.redeclare<C, std::int32_t>(u"Angle").hidden().notPersisted();
}

template <class T>
void ChoiceGroup::registerGroup(TypeLibrary& library, ControlClasses& classes,
                                const std::u16string& name,
                                const std::function<void(ClassBuilder<T>&)>& more) {
    ClassBuilder<T> b(name);
    b.creatable();
    T::table().publish(b);
    for (const char16_t* name : {u"SelIndex", u"SelectedIndex"})
        b.property(PropertyInfo{
            name, [](Object& o) { return Variant(static_cast<T&>(o).SelIndex()); },
            [](Object& o, const Variant& v) { static_cast<T&>(o).SelIndex(CLng(v)); }});
    for (const char16_t* name : {u"Text", u"SelCaption"}) {
        PropertyInfo info{name, {}, {}, {u"Index"}};
        info.getAt = [](Object& o, std::vector<Variant>& at) {
            return Variant(static_cast<T&>(o).Text(CLng(at[0])));
        };
        info.putAt = [](Object& o, std::vector<Variant>& at, const Variant& v) {
            static_cast<T&>(o).Text(CLng(at[0]), CStr(v));
        };
        b.property(std::move(info));
    }
    b.computed(u"GC", [](T& t) { return Variant(std::static_pointer_cast<Object>(t.GC())); });
    publishCommonMethods(b, false);
    const std::vector<std::u16string> mouse{u"SelIndex", u"Button", u"Shift", u"X", u"Y"};
    const std::vector<std::u16string> key{u"KeyCode", u"Shift"};
    b.event(u"Click", T::evClick, {})
        .event(u"ItemClick", T::evItemClick, {u"SelIndex"})
        .event(u"KeyDown", T::evKeyDown, key)
        .event(u"KeyPress", T::evKeyPress, {u"KeyAscii"})
        .event(u"KeyUp", T::evKeyUp, key)
        .event(u"MouseDown", T::evMouseDown, mouse)
        .event(u"MouseMove", T::evMouseMove, {u"Button", u"Shift", u"X", u"Y"})
        .event(u"MouseUp", T::evMouseUp, mouse)
        .event(u"MouseEnter", T::evMouseEnter, {u"SelIndex"})
        .event(u"MouseLeave", T::evMouseLeave, {u"SelIndex"});
    more(b);
    ClassInfo info = b.build();
    std::stable_sort(info.events.begin(), info.events.end(),
                     [](const EventInfo& l, const EventInfo& r) { return l.number < r.number; });
    library.registerClass(std::move(info));
    classes.add(name, [] { return std::make_unique<T>(); });
}

}  // namespace orvane
