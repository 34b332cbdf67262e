// Whole form files from untrusted text: every control class, containers, indexes and the form's
// own keys, damaged anywhere (bytes flipped, cut short, members dropped, duplicated or moved
// between controls). Any text either loads or raises a plain error; what loads shows, takes a
// few clicks and keys, saves and loads again, and unloading leaves no window or GDI object
// behind. A mutator that knows the JSON shape works alongside libFuzzer's own byte mutations.
//
// ORVANE_FUZZ_SHOW_ERRORS=1 prints why each refused input was refused (to check the seeds).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "controls/Controls.h"
#include "host/ControlClasses.h"
#include "host/Error.h"
#include "host/FormFile.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
using namespace orvane::platform;
using json = nlohmann::ordered_json;

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace {

// Clicks on a grid over the form and the keys that move the focus and press buttons.
void pokeAt(testing::TestPlatform& platform, HWND form) {
    RECT client{};
    GetClientRect(form, &client);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 2; ++j) {
            const POINT p = testing::TestPlatform::ClientToScreenPoint(form, client.right * i / 4,
                                                                       client.bottom * j / 3);
            testing::TestPlatform::Click(p.x, p.y);
        }
    for (const int vk : {VK_TAB, VK_SPACE, VK_TAB, VK_RETURN, VK_ESCAPE})
        testing::TestPlatform::KeyPress(vk);
    platform.AdvanceTime(600);
    testing::TestPlatform::PumpMessages();
}

// Every node of the tree with the container that holds it (null for the root).
struct Node {
    json* value;
    json* parent;
    std::size_t index;  // its place in the parent, in member order for objects
};

void collect(json& j, json* parent, std::size_t index, std::vector<Node>& out) {
    out.push_back({&j, parent, index});
    std::size_t i = 0;
    if (j.is_object())
        for (auto& item : j.items())
            collect(item.value(), &j, i++, out);
    else if (j.is_array())
        for (auto& item : j)
            collect(item, &j, i++, out);
}

// Values that sit on the edges of what the form file allows, and names it knows.
json edgeValue(std::minstd_rand& rng, const std::vector<Node>& nodes) {
    static const char* const kTexts[] = {
        "",         "ucLabel",     "ucLabelHTML",   "ucButton",         "ucCheck",
        "ucOption", "ucFrame",     "ucOptionGroup", "ucCheckGroup",     "ucButtonGroup",
        "Form",     "&H8000000F&", "<b><size=72>",  "\xF0\x9F\x98\x80", "NaN",
        "Infinity"};
    switch (rng() % 6) {
        case 0: {
            // A boundary of some integer type, give or take one, of either sign.
            static const std::int64_t kEdges[] = {0, 255, 32767, 65535, INT32_MAX, UINT32_MAX};
            const std::int64_t v =
                kEdges[rng() % std::size(kEdges)] + static_cast<std::int64_t>(rng() % 3) - 1;
            return rng() % 2 ? -v : v;
        }
        case 1: {
            static const double kReals[] = {0.5, -0.5, 1e300, -1e300, 1e-300, 7.5, 72.25};
            return kReals[rng() % std::size(kReals)];
        }
        case 2:
            return kTexts[rng() % std::size(kTexts)];
        case 3:
            return rng() % 2 == 0;
        case 4: {
            // The name of some control, to make duplicates and containers that loop.
            for (int tries = 0; tries < 8; ++tries) {
                const Node& n = nodes[rng() % nodes.size()];
                if (n.value->is_object() && n.value->contains("Name") &&
                    (*n.value)["Name"].is_string())
                    return (*n.value)["Name"];
            }
            return "fra";
        }
        default:
            return rng() % 2 ? json::object() : rng() % 2 ? json::array() : json();
    }
}

// One change to the tree: false when the chosen node cannot take it.
bool mutateTree(json& root, std::minstd_rand& rng) {
    std::vector<Node> nodes;
    collect(root, nullptr, 0, nodes);
    Node& n = nodes[rng() % nodes.size()];
    switch (rng() % 5) {
        case 0: {  // drop the node
            if (!n.parent) return false;
            if (n.parent->is_array()) {
                n.parent->erase(n.index);
            } else {
                auto it = n.parent->begin();
                std::advance(it, static_cast<std::ptrdiff_t>(n.index));
                n.parent->erase(it.key());
            }
            return true;
        }
        case 1: {  // copy the node into another container: a second control, a borrowed member
            const Node& into = nodes[rng() % nodes.size()];
            const json copy = *n.value;
            std::string key = "Caption";
            if (n.parent && n.parent->is_object()) {
                auto it = n.parent->begin();
                std::advance(it, static_cast<std::ptrdiff_t>(n.index));
                key = it.key();
            }
            if (into.value->is_array()) {
                into.value->insert(into.value->begin() + static_cast<std::ptrdiff_t>(
                                                             rng() % (into.value->size() + 1)),
                                   copy);
                return true;
            }
            if (into.value->is_object()) {
                (*into.value)[key] = copy;
                return true;
            }
            return false;
        }
        case 2:  // an edge value in its place
            *n.value = edgeValue(rng, nodes);
            return true;
        case 3: {  // two members or elements change places
            if (!n.value->is_array() || n.value->size() < 2) {
                if (!n.value->is_object() || n.value->size() < 2) return false;
                json swapped = json::object();
                std::vector<std::pair<std::string, json>> items;
                for (auto& item : n.value->items())
                    items.emplace_back(item.key(), item.value());
                std::swap(items[rng() % items.size()], items[rng() % items.size()]);
                for (auto& [k, v] : items)
                    swapped[k] = std::move(v);
                *n.value = std::move(swapped);
                return true;
            }
            std::swap((*n.value)[rng() % n.value->size()], (*n.value)[rng() % n.value->size()]);
            return true;
        }
        default: {  // the same value under another key of this object
            if (!n.parent || !n.parent->is_object()) return false;
            static const char* const kKeys[] = {
                "Class",   "Name",       "Index",   "Container", "Left",      "Top",
                "Width",   "Height",     "Visible", "Enabled",   "TabIndex",  "TabStop",
                "Tag",     "Properties", "Align",   "ZOrder",    "Default",   "Cancel",
                "Caption", "Value",      "Font",    "Picture",   "BackColor", "ForeColor",
                "Style",   "Autosize",   "WordWrap"};
            (*n.parent)[kKeys[rng() % std::size(kKeys)]] = *n.value;
            return true;
        }
    }
}

}  // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    std::minstd_rand rng(seed);
    if (rng() % 3 == 0) return LLVMFuzzerMutate(data, size, maxSize);
    json root = json::parse(data, data + size, nullptr, false);
    if (root.is_discarded() || !root.is_structured()) return LLVMFuzzerMutate(data, size, maxSize);
    std::string text;
    if (rng() % 4 == 0) {
        // A member written twice: one line of the indented text repeated.
        text = root.dump(1);
        std::vector<std::size_t> starts{0};
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') starts.push_back(i + 1);
        const std::size_t line = rng() % starts.size();
        const std::size_t end = line + 1 < starts.size() ? starts[line + 1] : text.size();
        std::string copy = text.substr(starts[line], end - starts[line]);
        if (!copy.empty() && copy.back() == '\n' && copy[copy.size() - 2] != ',')
            copy.insert(copy.size() - 1, ",");
        text.insert(starts[line], copy);
    } else {
        for (int changes = 1 + static_cast<int>(rng() % 3); changes > 0;)
            if (mutateTree(root, rng)) --changes;
        text = root.dump(rng() % 2 ? 1 : -1);
        // Sometimes cut short as well.
        if (rng() % 8 == 0) text.resize(rng() % (text.size() + 1));
    }
    if (text.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    std::memcpy(data, text.data(), text.size());
    return text.size();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::TestPlatform* platform = [] {
        setenv("FONTCONFIG_FILE", ORVANE_FUZZ_FONTS_CONF, 1);
        auto* p = new testing::TestPlatform();
        registerControls(TypeLibrary::current(), ControlClasses::current());
        return p;
    }();
    static const bool showErrors = std::getenv("ORVANE_FUZZ_SHOW_ERRORS") != nullptr;
    const DWORD gdiBefore = testing::TestPlatform::LiveGdiObjects();
    const DWORD userBefore = testing::TestPlatform::LiveUserObjects();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    {
        std::string saved;
        try {
            auto form = FormFile::load(text);
            form->Show();
            platform->PumpMessages();
            pokeAt(*platform, form->hWnd());
            saved = FormFile::save(*form);
        } catch (const Error& e) {
            // A refused form, however far it got, leaves nothing behind either.
            if (showErrors) std::fprintf(stderr, "refused: %s\n", ToUtf8(e.description()).c_str());
        }
        if (!saved.empty()) {
            // What was saved loads again, and saves to the same text.
            auto again = FormFile::load(saved);
            again->Show();
            platform->PumpMessages();
            if (FormFile::save(*again) != saved) std::abort();
        }
    }
    platform->PumpMessages();
    if (testing::TestPlatform::LiveGdiObjects() != gdiBefore ||
        testing::TestPlatform::LiveUserObjects() != userBefore)
        std::abort();
    return 0;
}
