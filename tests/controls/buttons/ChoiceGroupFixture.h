// A form with choice groups on the headless platform: making a group, pointing at its items,
// pressing, and recording its events with the item they name.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "controls/buttons/ucButtonGroup.h"
#include "controls/buttons/ucCheckGroup.h"
#include "controls/buttons/ucOptionGroup.h"
#include "platform/base/CodePages.h"
#include "support/ControlTest.h"

namespace orvane::test {

class ChoiceGroupFixture : public ControlTest {
protected:
    // A group of the captions, without image room, shown on the form.
    template <class G>
    G& group(Form& form, const std::u16string& caption, const std::u16string& name = u"grp",
             Extender where = box(10, 10, 300, 120)) {
        auto& g = form.add<G>(name, -1, std::move(where));
        g.ShowImage(false);
        g.Caption(caption);
        form.Show();
        platform->PumpMessages();
        return g;
    }
    // An option (0), check (1) or button (2) group.
    ChoiceGroup& groupOfKind(Form& form, int kind, const std::u16string& caption,
                             const std::u16string& name = u"grp",
                             Extender where = box(10, 10, 300, 120)) {
        if (kind == 0) return group<ucOptionGroup>(form, caption, name, std::move(where));
        if (kind == 1) return group<ucCheckGroup>(form, caption, name, std::move(where));
        return group<ucButtonGroup>(form, caption, name, std::move(where));
    }
    platform::POINT centre(ChoiceGroup& g, int item) {
        const platform::RECT& r = g.layoutResult().items.at(item).rect;
        return at(g, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void hoverItem(ChoiceGroup& g, int item) {
        const platform::POINT p = centre(g, item);
        platform->MouseMove(p.x, p.y);
        platform->PumpMessages();
    }
    void clickItem(ChoiceGroup& g, int item) {
        hoverItem(g, item);
        press();
        release();
        platform->AdvanceTime(1000);  // the next click is no double click
    }
    // Records the group's events by name, with the item for those that carry one.
    std::vector<std::string>& recordItems(ChoiceGroup& g) {
        static const std::map<int, std::string> names{
            {ChoiceGroup::evClick, "Click"},          {ChoiceGroup::evItemClick, "ItemClick"},
            {ChoiceGroup::evKeyDown, "KeyDown"},      {ChoiceGroup::evKeyPress, "KeyPress"},
            {ChoiceGroup::evKeyUp, "KeyUp"},          {ChoiceGroup::evMouseDown, "MouseDown"},
            {ChoiceGroup::evMouseUp, "MouseUp"},      {ChoiceGroup::evMouseEnter, "MouseEnter"},
            {ChoiceGroup::evMouseLeave, "MouseLeave"}};
        m_events.clear();
        for (const auto& [n, name] : names) {
            const bool item = n == ChoiceGroup::evItemClick || n == ChoiceGroup::evMouseDown ||
                              n == ChoiceGroup::evMouseUp || n == ChoiceGroup::evMouseEnter ||
                              n == ChoiceGroup::evMouseLeave;
            g.connect(n, [this, name = name, item](std::vector<Variant>& a) {
                m_events.push_back(item ? name + " " + std::to_string(CLng(a[0])) : name);
            });
        }
        return m_events;
    }
    // Every event of kind `event` raised, in order.
    static std::vector<std::string> only(const std::vector<std::string>& events,
                                         const std::string& event) {
        std::vector<std::string> out;
        for (const std::string& e : events)
            if (e.rfind(event, 0) == 0) out.push_back(e);
        return out;
    }
};

}  // namespace orvane::test
