#include "host/FormFile.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "host/ControlClasses.h"
#include "host/Error.h"
#include "host/PropertyBagJson.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"

namespace orvane {

using json = nlohmann::ordered_json;

namespace {

[[noreturn]] void fail(const std::string& place, const std::string& what) {
    throw Error(errors::InvalidFileFormat, u"FormFile", platform::FromUtf8(place + ": " + what));
}

const json* member(const json& object, const char* key) {
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

std::u16string text(const json& object, const char* key, const std::string& place, bool required) {
    const json* v = member(object, key);
    if (!v && required) fail(place, std::string("\"") + key + "\" is missing");
    return v ? PropertyBagJson::readString(*v, place + "." + key) : u"";
}

int number(const json& object, const char* key, const std::string& place, int fallback, int lo,
           int hi) {
    const json* v = member(object, key);
    return v ? static_cast<int>(PropertyBagJson::readInteger(*v, place + "." + key, lo, hi))
             : fallback;
}

bool flag(const json& object, const char* key, const std::string& place, bool fallback) {
    const json* v = member(object, key);
    return v ? PropertyBagJson::readBool(*v, place + "." + key) : fallback;
}

// One control as the file gives it, checked before anything is created.
struct Planned {
    std::string place;
    const ControlClasses::Factory* factory = nullptr;
    std::u16string name;
    int index = -1;
    int container = -1;  // position in the plan, or -1 for the form
    Extender extender;
    int tabIndex = -1;
    bool tabStop = true;
    int zOrder = -1;  // place among its siblings from the back, or -1 for creation order
    PropertyBag bag;
};

std::string label(const std::u16string& name, int index) {
    std::string s = platform::ToUtf8(name);
    if (index >= 0) s += "(" + std::to_string(index) + ")";
    return s;
}

constexpr int kMaxTwips = std::numeric_limits<int>::max() / 2;

// A control's folded name and index, or its folded label, as a hash key (names compare
// without case).
std::u16string keyOf(const std::u16string& name, int index) {
    std::u16string key = foldName(name);
    key += u'\0';
    key += platform::FromUtf8(std::to_string(index));
    return key;
}

}  // namespace

std::unique_ptr<Form> FormFile::load(std::string_view source, bool userMode) {
    json root;
    try {
        root = json::parse(source);
    } catch (const json::parse_error& e) {
        fail("form file", "malformed JSON at byte " + std::to_string(e.byte));
    } catch (const json::exception&) {
        // A number too large for any value type, say.
        fail("form file", "a number is out of range");
    }
    if (!root.is_object()) fail("form file", "expected an object");
    for (const auto& item : root.items())
        if (item.key() != "Form" && item.key() != "Controls")
            fail("form file", "unknown key \"" + item.key() + "\"");
    const json* formJson = member(root, "Form");
    if (!formJson || !formJson->is_object()) fail("form file", "\"Form\" is missing");
    const std::u16string formName = text(*formJson, "Name", "Form", true);
    if (formName.empty()) fail("Form.Name", "a form needs a name");
    const std::string formPlace = platform::ToUtf8(formName);
    const int width = number(*formJson, "Width", formPlace, 4800, 0, kMaxTwips);
    const int height = number(*formJson, "Height", formPlace, 3600, 0, kMaxTwips);

    std::vector<Planned> plan;
    std::unordered_set<std::u16string> planned;       // keyOf(name, index)
    std::unordered_map<std::u16string, int> byLabel;  // folded label: first place in plan
    for (const auto& item : formJson->items()) {
        static const char* const kFormKeys[] = {"Name", "Width", "Height", "Default", "Cancel"};
        if (std::none_of(std::begin(kFormKeys), std::end(kFormKeys),
                         [&](const char* k) { return item.key() == k; }))
            fail(formPlace, "unknown key \"" + item.key() + "\"");
    }
    if (const json* controls = member(root, "Controls")) {
        if (!controls->is_array()) fail(formPlace + ".Controls", "expected a list of controls");
        for (std::size_t i = 0; i < controls->size(); ++i) {
            const json& c = (*controls)[i];
            Planned p;
            p.place = formPlace + ".Controls[" + std::to_string(i) + "]";
            if (!c.is_object()) fail(p.place, "expected an object");
            static const char* const kKeys[] = {"Class",   "Name",       "Index",    "Container",
                                                "Left",    "Top",        "Width",    "Height",
                                                "Visible", "Enabled",    "TabIndex", "TabStop",
                                                "Tag",     "Properties", "Align",    "ZOrder"};
            for (const auto& item : c.items())
                if (std::none_of(std::begin(kKeys), std::end(kKeys),
                                 [&](const char* k) { return item.key() == k; }))
                    fail(p.place, "unknown key \"" + item.key() + "\"");
            p.name = text(c, "Name", p.place, true);
            if (p.name.empty()) fail(p.place + ".Name", "a control needs a name");
            p.index = number(c, "Index", p.place, -1, 0, 32767);
            p.place = formPlace + "." + label(p.name, p.index);
            const std::u16string className = text(c, "Class", p.place, true);
            p.factory = ControlClasses::current().find(className);
            if (!p.factory)
                fail(p.place + ".Class", "unknown class \"" + platform::ToUtf8(className) + "\"");
            if (!planned.insert(keyOf(p.name, p.index)).second)
                fail(p.place, "a control of this name and index comes earlier");
            const std::u16string container = text(c, "Container", p.place, false);
            if (!container.empty()) {
                if (auto it = byLabel.find(foldName(container)); it != byLabel.end())
                    p.container = it->second;
                if (p.container < 0)
                    fail(p.place + ".Container",
                         "no earlier control is named \"" + platform::ToUtf8(container) + "\"");
            }
            p.extender.Move(number(c, "Left", p.place, 0, -kMaxTwips, kMaxTwips),
                            number(c, "Top", p.place, 0, -kMaxTwips, kMaxTwips),
                            number(c, "Width", p.place, 1200, 0, kMaxTwips),
                            number(c, "Height", p.place, 480, 0, kMaxTwips));
            p.extender.Align(number(c, "Align", p.place, 0, 0, 4));
            p.extender.Visible(flag(c, "Visible", p.place, true));
            p.extender.Enabled(flag(c, "Enabled", p.place, true));
            p.extender.Tag(Variant(text(c, "Tag", p.place, false)));
            p.tabIndex = number(c, "TabIndex", p.place, -1, 0, 32767);
            p.tabStop = flag(c, "TabStop", p.place, true);
            p.zOrder = number(c, "ZOrder", p.place, -1, 0, 32767);
            if (const json* props = member(c, "Properties"))
                p.bag = PropertyBagJson::read(*props, p.place);
            byLabel.try_emplace(foldName(platform::FromUtf8(label(p.name, p.index))),
                                static_cast<int>(plan.size()));
            plan.push_back(std::move(p));
        }
    }

    // The default and cancel controls, by name as containers are given.
    auto find = [&](const char* key) {
        const std::u16string wanted = text(*formJson, key, formPlace, false);
        if (wanted.empty()) return -1;
        if (auto it = byLabel.find(foldName(wanted)); it != byLabel.end()) return it->second;
        fail(formPlace + "." + key, "no control is named \"" + platform::ToUtf8(wanted) + "\"");
    };
    const int defaultControl = find("Default");
    const int cancelControl = find("Cancel");

    // Everything checked: now the form is built. A control that fails to load its properties
    // takes the whole form with it.
    auto form = std::make_unique<Form>(formName, userMode, width, height);
    std::vector<UserControl*> made;
    std::vector<std::pair<int, UserControl*>> tabIndexes;
    for (Planned& p : plan) {
        try {
            std::unique_ptr<UserControl> control = (*p.factory)();
            if (!control) fail(p.place, "the class made no control");
            UserControl& c = form->add(
                std::move(control), p.name, p.index, std::move(p.extender),
                p.container >= 0 ? made[static_cast<std::size_t>(p.container)] : nullptr, &p.bag);
            form->TabStop(c, p.tabStop);
            if (p.tabIndex >= 0) tabIndexes.emplace_back(p.tabIndex, &c);
            made.push_back(&c);
        } catch (const Error& e) {
            if (e.number() == errors::InvalidFileFormat) throw;
            fail(p.place, "error " + std::to_string(e.number()) +
                              " while loading: " + platform::ToUtf8(e.description()));
        }
    }
    std::stable_sort(tabIndexes.begin(), tabIndexes.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [tabIndex, control] : tabIndexes)
        form->TabIndex(*control, tabIndex);
    // Controls come in creation order, each in front of those before it; where the file gives
    // another order, siblings are brought to the front from the back one up.
    std::vector<std::pair<int, std::size_t>> order;  // (container, plan position)
    for (std::size_t k = 0; k < plan.size(); ++k)
        if (plan[k].zOrder >= 0) order.emplace_back(plan[k].container, k);
    if (!order.empty()) {
        order.clear();
        for (std::size_t k = 0; k < plan.size(); ++k)
            order.emplace_back(plan[k].container, k);
        std::stable_sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
            if (a.first != b.first) return a.first < b.first;
            const int za = plan[a.second].zOrder >= 0 ? plan[a.second].zOrder : INT32_MAX;
            const int zb = plan[b.second].zOrder >= 0 ? plan[b.second].zOrder : INT32_MAX;
            return za < zb;
        });
        for (const auto& [container, k] : order)
            made[k]->Extender().ZOrder(0);
    }
    form->arrange();
    if (defaultControl >= 0) form->Default(made[static_cast<std::size_t>(defaultControl)]);
    if (cancelControl >= 0) form->Cancel(made[static_cast<std::size_t>(cancelControl)]);
    return form;
}

std::unique_ptr<Form> FormFile::loadFile(const std::string& path, bool userMode) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error(errors::FileNotFound, u"FormFile",
                    u"File not found: " + platform::FromUtf8(path));
    std::ostringstream contents;
    contents << in.rdbuf();
    return load(contents.str(), userMode);
}

std::string FormFile::save(Form& form) {
    const std::string formPlace = platform::ToUtf8(form.Name());
    json root;
    root["Form"] = {
        {"Name", formPlace}, {"Width", form.ScaleWidth()}, {"Height", form.ScaleHeight()}};
    if (UserControl* d = form.Default())
        root["Form"]["Default"] = label(form.nameOf(*d), form.indexOf(*d));
    if (UserControl* c = form.Cancel())
        root["Form"]["Cancel"] = label(form.nameOf(*c), form.indexOf(*c));
    // Z-order is written only where it differs from creation order, for each set of siblings.
    const std::vector<UserControl*> all = form.Controls();
    std::vector<int> zOrder(all.size(), -1);
    // The controls of each container in creation order, containers in order of first use.
    std::unordered_map<const UserControl*, std::size_t> place;
    std::vector<const UserControl*> containers;
    std::unordered_map<const UserControl*, std::vector<UserControl*>> created;
    for (std::size_t k = 0; k < all.size(); ++k) {
        place.emplace(all[k], k);
        const UserControl* container = form.containerOf(*all[k]);
        auto [it, fresh] = created.try_emplace(container);
        if (fresh) containers.push_back(container);
        it->second.push_back(all[k]);
    }
    for (const UserControl* container : containers) {
        std::vector<UserControl*>& siblings = created[container];
        // Windowless controls lie below the windowed ones whatever their order of creation.
        std::stable_partition(siblings.begin(), siblings.end(),
                              [](UserControl* k) { return k->Windowless(); });
        const std::vector<UserControl*> stacked = form.Stacking(container);
        if (stacked == siblings) continue;
        for (std::size_t z = 0; z < stacked.size(); ++z)
            zOrder[place.at(stacked[z])] = static_cast<int>(z);
    }
    json controls = json::array();
    for (std::size_t k = 0; k < all.size(); ++k) {
        UserControl* c = all[k];
        const std::u16string& name = form.nameOf(*c);
        const int index = form.indexOf(*c);
        json j;
        j["Class"] = platform::ToUtf8(c->className());
        j["Name"] = platform::ToUtf8(name);
        if (index >= 0) j["Index"] = index;
        if (UserControl* container = form.containerOf(*c))
            j["Container"] = label(form.nameOf(*container), form.indexOf(*container));
        const Extender& e = c->Extender();
        j["Left"] = e.Left();
        j["Top"] = e.Top();
        j["Width"] = e.Width();
        j["Height"] = e.Height();
        if (e.Align() != 0) j["Align"] = e.Align();
        if (!e.Visible()) j["Visible"] = false;
        if (!e.Enabled()) j["Enabled"] = false;
        j["TabIndex"] = form.TabIndex(*c);
        if (!form.TabStop(*c)) j["TabStop"] = false;
        if (zOrder[k] >= 0) j["ZOrder"] = zOrder[k];
        const std::u16string tag = CStr(e.Tag());
        if (!tag.empty()) j["Tag"] = platform::ToUtf8(tag);
        PropertyBag bag;
        c->save(bag);
        j["Properties"] = PropertyBagJson::write(bag, formPlace + "." + label(name, index));
        controls.push_back(std::move(j));
    }
    root["Controls"] = std::move(controls);
    return root.dump(2);
}

}  // namespace orvane
