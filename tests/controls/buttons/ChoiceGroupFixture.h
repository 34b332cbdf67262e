// A form with choice groups on the headless platform: making a group, pointing at its items,
// pressing, and recording its events with the item they name.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "controls/buttons/ucButtonGroup.h"
#include "controls/buttons/ucCheckGroup.h"
#include "controls/buttons/ucOptionGroup.h"
#include "platform/base/CodePages.h"
#include "support/ControlTest.h"
#include "support/TestImages.h"

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
    // For each event number from `first` to `last`, makes a group of two items with `make` and
    // drives it (keys, hover, a double click, Enter, leaving) until a handler of that event has
    // removed it from its form; the sanitizers catch any use of the group afterwards.
    void expectEachEventMayRemoveItsGroup(int first, int last,
                                          const std::function<ChoiceGroup&(Form&)>& make) {
        using namespace platform;
        for (int event = first; event <= last; ++event) {
            Form form(u"Form1");
            ChoiceGroup* g = &make(form);
            const std::string name = ToUtf8(g->className());
            g->ItemToolTips(u"tip|tip");
            bool removed = false;
            g->connect(event, [&form, g, &removed](std::vector<Variant>&) {
                if (removed) return;
                removed = true;
                form.remove(*g);
            });
            const POINT one = centre(*g, 0), two = centre(*g, 1);
            focus(*g);
            for (int vk : {VK_DOWN, VK_SPACE})
                if (!removed) key(vk);
            if (!removed) {
                platform->MouseMove(one.x, one.y);
                pump();
            }
            // A double click clicks first; Enter then stores what it opened, if anything.
            if (!removed) {
                platform->DoubleClick(one.x, one.y);
                pump();
            }
            if (!removed) key(VK_RETURN);
            if (!removed) {
                platform->MouseMove(two.x, two.y);
                pump();
            }
            if (!removed) moveAway();
            EXPECT_TRUE(removed) << "event " << event << " of " << name;
            EXPECT_TRUE(form.Controls().empty());
            platform->AdvanceTime(1000);
            pump();
            platform->MouseMove(1500, 1000);
            pump();
        }
    }
    // Gives every property the family shares a value other than its default, for round trips.
    static void setEveryProperty(ChoiceGroup& g) {
        g.Caption(u"one|two|three|four 🙂");
        g.Alignment(1);
        g.Appearance(AppearanceEnum::ThreeD);
        g.BackColor(0x112233);
        g.BackColorHot(palette::kNoColor);
        g.BackColorPressed(0x445566);
        g.BackStyle(BackStyleEnum::bsOpaque);
        g.BorderColor(0x010203);
        g.BorderColorHot(0x040506);
        g.BorderColorPressed(0x070809);
        g.BorderStyle(BorderStyleEnum::None);
        g.Borderwidth(3);
        g.CheckSize(20);
        g.Enabled(false);
        g.ForeColor(vbGrayText);
        g.ForeColorSelected(0x00FF00);
        g.ImageKeys(u"a.png|b.png");
        g.ImagePath(u"/nowhere/");
        g.ItemToolTips(u"first|second");
        g.RightToLeft(true);
        g.RowsPerColumn(3);
        g.Sorted(true);
        g.Stretch(true);
        g.SelIndex(2);
        g.PNG(png(4, 2, 0xFF00FF00));
        g.ShowImage(true);
        g.ImageSize(24);
        g.Alpha(100);
        g.GrayScale(true);
        g.FrameInterval(70);
        g.Autosize(true);
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
