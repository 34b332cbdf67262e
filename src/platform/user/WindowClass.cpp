#include "platform/user/WindowClass.h"

#include <map>

#include "platform/user/User.h"

namespace orvane::platform {

namespace {

char16_t fold(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

std::u16string folded(std::u16string_view s) {
    std::u16string out(s);
    for (auto& c : out)
        c = fold(c);
    return out;
}

struct AtomTable {
    std::map<std::u16string, ATOM> byName;
    ATOM next = 0xC000;
};

AtomTable& atoms() {
    static AtomTable t;
    return t;
}

}  // namespace

bool namesEqual(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

ATOM addAtom(std::u16string_view name) {
    AtomTable& t = atoms();
    auto key = folded(name);
    auto it = t.byName.find(key);
    if (it != t.byName.end()) return it->second;
    if (t.next == 0xFFFF) return 0;
    const ATOM a = t.next++;
    t.byName.emplace(std::move(key), a);
    return a;
}

ATOM findAtom(std::u16string_view name) {
    auto it = atoms().byName.find(folded(name));
    return it == atoms().byName.end() ? 0 : it->second;
}

std::vector<std::unique_ptr<WindowClass>>& WindowClass::all() {
    static std::vector<std::unique_ptr<WindowClass>> classes;
    return classes;
}

WindowClass* WindowClass::find(LPCWSTR nameOrAtom) {
    if (!nameOrAtom) return nullptr;
    if (IS_INTRESOURCE(nameOrAtom)) {
        const ATOM atom = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(nameOrAtom));
        for (auto& c : all())
            if (c->atom == atom) return c.get();
        return nullptr;
    }
    const std::u16string_view name(nameOrAtom);
    for (auto& c : all())
        if (namesEqual(c->name, name)) return c.get();
    return nullptr;
}

void WindowClass::registerSystem(const WNDCLASSEXW& wc) {
    if (find(wc.lpszClassName)) return;
    if (!RegisterClassExW(&wc)) return;
    if (WindowClass* c = find(wc.lpszClassName)) c->system = true;
}

void WindowClass::reset() {
    // Keep the system classes; application classes go with the platform they were made on.
    auto& v = all();
    std::erase_if(v, [](const std::unique_ptr<WindowClass>& c) { return !c->system; });
    for (auto& c : v)
        c->windowCount = 0;
}

}  // namespace orvane::platform
