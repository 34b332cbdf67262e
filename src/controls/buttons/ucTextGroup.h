// A set of short texts in one window that the user edits in place. The items are laid out,
// selected, hovered and tipped as in the other choice groups; each is a face (a flat frame in
// the state's border colour with visual styles, a sunken edge without) with its caption
// centred. A double click on an item, or F2 on the selected one, opens an edit field over the
// item's caption with its text selected and the focus in it. Enter stores the text as the
// item's (without "|", which separates items), lays the items out again and raises Change,
// also when the text is unchanged; moving the focus elsewhere (a click outside the field, Tab)
// does the same. Escape closes the field and keeps the old text. The field takes its keys
// before the form does: Enter and Escape never reach the default or cancel button while it is
// open. It opens only while the form runs.
#pragma once

#include <string>

#include "controls/buttons/ChoiceGroup.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucTextGroup : public ChoiceGroup {
public:
    // Event numbers, as published: Change, then the family's events one number later.
    enum Event {
        evChange = 1,  // Change(SelIndex, Text): an edit was stored
        evClick,
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

    ucTextGroup();
    ~ucTextGroup() override;
    std::u16string className() const override { return u"ucTextGroup"; }
    // Publishes the class, its properties, methods and events in `library`, and as the
    // form-file class "ucTextGroup" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);
    // While the edit field is open, Enter and Escape typed into it close it (storing or not);
    // "|" is refused.
    bool TranslateAccel(const platform::MSG& msg) override;

    // --- For tests and inspection ---
    // The item being edited, -1 when the edit field is closed.
    int editedItem() const { return m_edited; }
    // The edit field's window (made as the group is loaded; hidden while closed).
    platform::HWND editor() const { return m_editor; }

protected:
    const PropertyTable& properties() const override { return table(); }
    bool hasGlyph() const override { return false; }
    void beginItems(platform::HDC dc) override;
    void paintItemMark(platform::HDC dc, int index, const ChoiceGroupLayout::Item& item) override;
    void layout() override;
    void loaded() override;
    void Terminate() override;
    void DblClick() override;
    void KeyDown(int& keyCode, ShiftState shift) override;
    bool handleMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam,
                       platform::LRESULT& result) override;

private:
    friend class ChoiceGroup;  // registers the class from its table
    static PropertyTable declare();
    static const PropertyTable& table();

    void createEditor();
    // Opens the edit field over item `index` (nothing outside run mode, when disabled or for
    // no item).
    void beginEdit(int index);
    // Closes the edit field; with `store` the item takes its text and Change is raised.
    // `refocus` gives the focus back to the group when the field had it.
    void endEdit(bool store, bool refocus);
    // Moves the open edit field over its item (as the item moves with the layout).
    void placeEditor();

    bool m_themed = false;         // visual styles were on as the items were painted
    platform::HWND m_editor;       // the edit field ("Edit"), a child of the group
    platform::HFONT m_editorFont;  // its font; the field does not own it
    int m_edited = -1;             // the item being edited
};

}  // namespace orvane
