#include "controls/buttons/ucButtonGroup.h"

#include "framework/GdiDrawing.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"

namespace orvane {

using namespace platform;

ucButtonGroup::ucButtonGroup() = default;
ucButtonGroup::~ucButtonGroup() = default;

PropertyTable ucButtonGroup::declare() {
    using T = ucButtonGroup;
    PropertyTable t;
    declareCommon<T>(t);
    declareGroup<T>(t, Rows{false, false, u"AutoSIze"});
    t.add<T>(u"Button", &T::m_button, false, false);
    return t;
}

const PropertyTable& ucButtonGroup::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucButtonGroup::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucButtonGroup;
    registerGroup<T>(library, classes, u"ucButtonGroup", [](ClassBuilder<T>& b) {
        b.computed(u"Count", [](T& t) { return Variant(t.Count()); });
    });
}

void ucButtonGroup::beginItems(HDC) {
    if (m_button) m_theme = OpenThemeData(HWND(), u"Button");
}

void ucButtonGroup::endItems() {
    if (m_theme) CloseThemeData(m_theme);
    m_theme = HTHEME();
}

// The face stands one pixel inside the item, so neighbouring faces do not touch. The item at
// SelIndex is down; the one under the pointer is hot (or down while pressed).
void ucButtonGroup::paintItemMark(HDC dc, int index, const ChoiceGroupLayout::Item& item) {
    if (!m_button) {
        paintItemFrame(dc, index, item);
        return;
    }
    RECT face = faceOf(item);
    const ItemLook look = itemLook(index);
    const bool down = itemDown(index);
    using S = UxThemePushButtonStates;
    if (m_theme) {
        const S s = !m_enabled              ? S::PBS_DISABLED
                    : down                  ? S::PBS_PRESSED
                    : look == ItemLook::Hot ? S::PBS_HOT
                                            : S::PBS_NORMAL;
        DrawThemeBackground(m_theme, dc, BP_PUSHBUTTON, static_cast<int>(s), &face, &face);
        return;
    }
    DrawEdge(dc, &face, down ? EDGE_SUNKEN : EDGE_ETCHED, BF_RECT);
}

}  // namespace orvane
