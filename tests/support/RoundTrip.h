// Saves a form with one changed control to a form file, loads it back, and checks that every
// published property that can be read and written comes back as it was saved, and (except the
// names listed) differs from a fresh control's value, so one that is not stored at all cannot
// come back by chance. Object values (fonts) are left to the caller.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "host/Form.h"
#include "host/FormFile.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"

namespace orvane::test {

// A printable form of any value, byte arrays included.
inline std::string shown(const Variant& v) {
    if (v.kind() == Variant::Kind::Object) return "object";
    if (v.kind() != Variant::Kind::ByteArray) return platform::ToUtf8(v.toString());
    std::string hex;
    for (std::uint8_t b : v.bytes())
        hex += std::to_string(b) + ",";
    return hex;
}

struct RoundTrip {
    std::unique_ptr<Form> loaded;
    int compared = 0;
};

// `make` adds the control named "ctl" to a form; `change` sets its properties.
inline RoundTrip roundTrip(const std::u16string& className,
                           const std::function<UserControl&(Form&)>& make,
                           const std::function<void(UserControl&)>& change,
                           const std::set<std::u16string>& mayStayDefault = {}) {
    TypeLibrary& lib = TypeLibrary::current();
    const ClassInfo* info = lib.findClass(className);
    RoundTrip result;
    if (!info) {
        ADD_FAILURE() << "no class " << platform::ToUtf8(className);
        return result;
    }
    std::map<std::u16string, std::string> before;
    std::string text;
    {
        Form form(u"Form1");
        UserControl& c = make(form);
        change(c);
        EXPECT_TRUE(c.changed());
        for (const PropertyInfo& p : info->properties)
            if (p.get) before[p.name] = shown(lib.get(c, p.name));
        text = FormFile::save(form);
    }
    Form original(u"Form1");
    UserControl& reference = make(original);
    result.loaded = FormFile::load(text);
    UserControl& back = result.loaded->control(u"ctl");
    for (const PropertyInfo& p : info->properties) {
        if (!p.get || !p.put) continue;
        const Variant now = lib.get(back, p.name);
        if (now.kind() == Variant::Kind::Object) continue;
        EXPECT_EQ(shown(now), before[p.name]) << platform::ToUtf8(p.name);
        if (!mayStayDefault.count(p.name)) {
            EXPECT_NE(shown(now), shown(lib.get(reference, p.name))) << platform::ToUtf8(p.name);
        }
        ++result.compared;
    }
    EXPECT_FALSE(back.changed());
    return result;
}

}  // namespace orvane::test
