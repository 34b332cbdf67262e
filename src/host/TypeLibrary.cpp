#include "host/TypeLibrary.h"

#include <algorithm>

#include "host/Error.h"
#include "host/UserControl.h"
#include "platform/text/CharCase.h"

namespace orvane {

bool sameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x == y) continue;
        platform::CharLowerBuffW(&x, 1);
        platform::CharLowerBuffW(&y, 1);
        if (x != y) return false;
    }
    return true;
}

std::u16string foldName(std::u16string_view name) {
    std::u16string folded(name);
    // One code unit at a time, as sameName compares.
    for (char16_t& c : folded)
        if (c >= 0x80 || (c >= u'A' && c <= u'Z')) platform::CharLowerBuffW(&c, 1);
    return folded;
}

TypeLibrary& TypeLibrary::current() {
    static TypeLibrary library;
    return library;
}

void TypeLibrary::registerEnum(EnumInfo info) {
    auto it = std::find_if(m_enums.begin(), m_enums.end(),
                           [&](const EnumInfo& e) { return sameName(e.name, info.name); });
    if (it != m_enums.end())
        *it = std::move(info);
    else
        m_enums.push_back(std::move(info));
}

const EnumInfo* TypeLibrary::findEnum(std::u16string_view name) const {
    auto it = std::find_if(m_enums.begin(), m_enums.end(),
                           [&](const EnumInfo& e) { return sameName(e.name, name); });
    return it == m_enums.end() ? nullptr : &*it;
}

std::optional<std::int32_t> TypeLibrary::enumValue(std::u16string_view enumName,
                                                   std::u16string_view member) const {
    const EnumInfo* e = findEnum(enumName);
    if (!e) return std::nullopt;
    for (const auto& [name, value] : e->members)
        if (sameName(name, member)) return value;
    return std::nullopt;
}

std::u16string TypeLibrary::enumMemberName(std::u16string_view enumName, std::int32_t value) const {
    const EnumInfo* e = findEnum(enumName);
    if (!e) return u"";
    for (const auto& [name, v] : e->members)
        if (v == value) return name;
    return u"";
}

void TypeLibrary::registerClass(ClassInfo info) {
    auto it = std::find_if(m_classes.begin(), m_classes.end(),
                           [&](const ClassInfo& c) { return sameName(c.name, info.name); });
    if (it != m_classes.end())
        *it = std::move(info);
    else
        m_classes.push_back(std::move(info));
}

const ClassInfo* TypeLibrary::findClass(std::u16string_view name) const {
    auto it = std::find_if(m_classes.begin(), m_classes.end(),
                           [&](const ClassInfo& c) { return sameName(c.name, name); });
    return it == m_classes.end() ? nullptr : &*it;
}

std::shared_ptr<Object> TypeLibrary::create(std::u16string_view className) const {
    const ClassInfo* info = findClass(className);
    if (!info || !info->create)
        throw Error(429, u"Orvane", u"ActiveX component can't create object");
    return info->create();
}

const ClassInfo& TypeLibrary::classOf(Object& object) const {
    const ClassInfo* info = findClass(object.typeName());
    if (info) return *info;
    // A control of a class not published still has its extender's members.
    static const ClassInfo kUnpublished;
    if (dynamic_cast<UserControl*>(&object)) return kUnpublished;
    throw Error::standard(errors::NoSuchMember, object.typeName());
}

namespace {

// Members a control's container adds to it (Left, Top, Visible, Tag, Move, ZOrder, ...), for
// names its own class does not have.
Extender* extenderOf(Object& object) {
    auto* control = dynamic_cast<UserControl*>(&object);
    return control ? &control->Extender() : nullptr;
}

}  // namespace

Variant TypeLibrary::get(Object& object, std::u16string_view property) const {
    const ClassInfo& info = classOf(object);
    for (const PropertyInfo& p : info.properties) {
        if (!sameName(p.name, property)) continue;
        if (!p.get)
            throw Error::standard(errors::GetNotSupportedWriteOnly, info.name + u"." + p.name);
        return p.get(object);
    }
    // A method without arguments can be read like a property.
    std::vector<Variant> none;
    for (const MethodInfo& m : info.methods)
        if (sameName(m.name, property)) return call(object, property, none);
    if (Extender* e = extenderOf(object)) return e->get(property);
    throw Error::standard(errors::NoSuchMember, info.name);
}

Variant TypeLibrary::value(const Variant& v) const {
    if (v.kind() != Variant::Kind::Object || !v.object()) return v;
    Object& object = *v.object();
    const ClassInfo& info = classOf(object);
    if (info.defaultMember.empty()) throw Error::standard(errors::NoSuchMember, info.name);
    return get(object, info.defaultMember);
}

void TypeLibrary::put(Object& object, std::u16string_view property, const Variant& value) const {
    const ClassInfo& info = classOf(object);
    for (const PropertyInfo& p : info.properties) {
        if (!sameName(p.name, property)) continue;
        if (!p.put)
            throw Error::standard(errors::SetNotSupportedReadOnly, info.name + u"." + p.name);
        p.put(object, value);
        return;
    }
    if (Extender* e = extenderOf(object)) return e->put(property, value);
    throw Error::standard(errors::NoSuchMember, info.name);
}

Variant TypeLibrary::call(Object& object, std::u16string_view method,
                          std::vector<Variant>& args) const {
    const ClassInfo& info = classOf(object);
    for (const MethodInfo& m : info.methods) {
        if (!sameName(m.name, method)) continue;
        if (args.size() > m.params.size())
            throw Error::standard(errors::WrongArgumentCount, info.name + u"." + m.name);
        // Arguments left out at the end are missing, as are those passed as Missing.
        const std::size_t given = args.size();
        args.resize(m.params.size(), Variant::missing());
        for (std::size_t i = 0; i < m.params.size(); ++i)
            if (args[i].isMissing() && !m.params[i].optional) {
                args.resize(given);
                throw Error::standard(errors::ArgumentNotOptional, info.name + u"." + m.name);
            }
        Variant result = m.invoke(object, args);
        args.resize(given);
        return result;
    }
    if (Extender* e = extenderOf(object)) {
        auto arg = [&](std::size_t i) { return i < args.size() && !args[i].isMissing(); };
        if (sameName(method, u"ZOrder")) {
            if (args.size() > 1) throw Error::standard(errors::WrongArgumentCount, u"ZOrder");
            e->ZOrder(arg(0) ? CInt(args[0]) : 0);
            return Variant();
        }
        if (sameName(method, u"Move")) {
            // Move Left, [Top], [Width], [Height]: what is left out stays.
            if (!arg(0)) throw Error::standard(errors::ArgumentNotOptional, u"Move");
            if (args.size() > 4) throw Error::standard(errors::WrongArgumentCount, u"Move");
            e->Move(CLng(args[0]), arg(1) ? CLng(args[1]) : e->Top(),
                    arg(2) ? CLng(args[2]) : e->Width(), arg(3) ? CLng(args[3]) : e->Height());
            return Variant();
        }
    }
    throw Error::standard(errors::NoSuchMember, info.name);
}

bool TypeLibrary::isMethod(Object& object, std::u16string_view name) const {
    const ClassInfo& info = classOf(object);
    for (const MethodInfo& m : info.methods)
        if (sameName(m.name, name)) return true;
    for (const PropertyInfo& p : info.properties)
        if (sameName(p.name, name)) return false;
    return extenderOf(object) && (sameName(name, u"Move") || sameName(name, u"ZOrder"));
}

std::size_t TypeLibrary::indexCount(Object& object, std::u16string_view name) const {
    for (const PropertyInfo& p : classOf(object).properties)
        if (sameName(p.name, name)) return p.indices.size();
    return 0;
}

namespace {

const PropertyInfo& indexedProperty(const ClassInfo& info, std::u16string_view name,
                                    std::size_t given) {
    for (const PropertyInfo& p : info.properties) {
        if (!sameName(p.name, name)) continue;
        if (p.indices.empty()) break;
        if (given != p.indices.size())
            throw Error::standard(
                given < p.indices.size() ? errors::ArgumentNotOptional : errors::WrongArgumentCount,
                info.name + u"." + p.name);
        return p;
    }
    throw Error::standard(errors::NoSuchMember, info.name);
}

}  // namespace

Variant TypeLibrary::getAt(Object& object, std::u16string_view property,
                           std::vector<Variant>& indices) const {
    const ClassInfo& info = classOf(object);
    const PropertyInfo& p = indexedProperty(info, property, indices.size());
    if (!p.getAt)
        throw Error::standard(errors::GetNotSupportedWriteOnly, info.name + u"." + p.name);
    return p.getAt(object, indices);
}

void TypeLibrary::putAt(Object& object, std::u16string_view property, std::vector<Variant>& indices,
                        const Variant& value) const {
    const ClassInfo& info = classOf(object);
    const PropertyInfo& p = indexedProperty(info, property, indices.size());
    if (!p.putAt) throw Error::standard(errors::SetNotSupportedReadOnly, info.name + u"." + p.name);
    p.putAt(object, indices, value);
}

const EventInfo* TypeLibrary::findEvent(Object& object, std::u16string_view name) const {
    const ClassInfo& info = classOf(object);
    for (const EventInfo& e : info.events)
        if (sameName(e.name, name)) return &e;
    return nullptr;
}

const PropertyInfo* TypeLibrary::findProperty(Object& object, std::u16string_view name) const {
    const ClassInfo* info = findClass(object.typeName());
    if (!info) return nullptr;
    for (const PropertyInfo& p : info->properties)
        if (sameName(p.name, name)) return &p;
    return nullptr;
}

const MethodInfo* TypeLibrary::findMethod(Object& object, std::u16string_view name) const {
    const ClassInfo* info = findClass(object.typeName());
    if (!info) return nullptr;
    for (const MethodInfo& m : info->methods)
        if (sameName(m.name, name)) return &m;
    return nullptr;
}

int TypeLibrary::connect(Object& object, std::u16string_view event,
                         EventSource::Handler handler) const {
    const ClassInfo& info = classOf(object);
    auto* source = dynamic_cast<EventSource*>(&object);
    for (const EventInfo& e : info.events)
        if (sameName(e.name, event) && source) return source->connect(e.number, std::move(handler));
    throw Error::standard(errors::NoSuchMember, info.name);
}

}  // namespace orvane
