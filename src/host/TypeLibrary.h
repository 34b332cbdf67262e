// The type library "Orvane": what scripts, form files and late-bound calls find by name. This
// first part holds the enumerations, with member names exactly as published (spaces and
// leading digits included); classes join it as they are built.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/EventSource.h"
#include "host/Variant.h"

namespace orvane {

// What a value is beyond its Variant, for bindings that would otherwise lose it: an OLE colour
// (unsigned 32 bits, where other Long values are signed) or a byte array (which a binding
// passes its strings to as bytes, not as text).
enum class ValueType { Any, Color, Bytes };

struct PropertyInfo {
    std::u16string name;
    std::function<Variant(Object&)> get;               // empty for a write-only property
    std::function<void(Object&, const Variant&)> put;  // empty for a read-only property
    // An indexed property (List(i)) has index parameters and these instead.
    std::vector<std::u16string> indices = {};
    std::function<Variant(Object&, std::vector<Variant>&)> getAt = {};
    std::function<void(Object&, std::vector<Variant>&, const Variant&)> putAt = {};
    ValueType type = ValueType::Any;
};

struct ParamInfo {
    std::u16string name;
    bool optional = false;
    ValueType type = ValueType::Any;
};

struct MethodInfo {
    std::u16string name;
    std::vector<ParamInfo> params;
    // Arguments arrive by reference, with Missing for optional ones left out.
    std::function<Variant(Object&, std::vector<Variant>&)> invoke;
    ValueType result = ValueType::Any;
};

struct EventInfo {
    std::u16string name;
    int number = 0;
    std::vector<std::u16string> params;
};

struct ClassInfo {
    std::u16string name;
    std::function<std::shared_ptr<Object>()> create;  // empty for classes that cannot be created
    std::vector<PropertyInfo> properties;
    std::vector<MethodInfo> methods;
    std::vector<EventInfo> events;
};

struct EnumInfo {
    std::u16string name;
    std::vector<std::pair<std::u16string, std::int32_t>> members;  // in published order
};

class TypeLibrary {
public:
    static TypeLibrary& current();

    // Adds an enumeration; one registered again under the same name replaces the first.
    void registerEnum(EnumInfo info);
    // Look-ups ignore case, as late-bound names do.
    const EnumInfo* findEnum(std::u16string_view name) const;
    std::optional<std::int32_t> enumValue(std::u16string_view enumName,
                                          std::u16string_view member) const;
    // The published name of a value (the first member with it), or empty.
    std::u16string enumMemberName(std::u16string_view enumName, std::int32_t value) const;
    const std::vector<EnumInfo>& enums() const { return m_enums; }

    // Classes: a class registered again replaces the first.
    void registerClass(ClassInfo info);
    const ClassInfo* findClass(std::u16string_view name) const;
    // A new instance of a creatable class; error 429 for an unknown or uncreatable one.
    std::shared_ptr<Object> create(std::u16string_view className) const;

    // Late binding: by the object's class (its TypeName) and member names, ignoring case. They
    // raise what the direct calls raise, and 438 for a member the class does not have, 383 to
    // write a read-only property, 394 to read a write-only one, 449 for a required argument
    // left out and 450 for too many arguments.
    Variant get(Object& object, std::u16string_view property) const;
    void put(Object& object, std::u16string_view property, const Variant& value) const;
    Variant call(Object& object, std::u16string_view method, std::vector<Variant>& args) const;
    // Whether `name` is a method of the object (a control's extender methods included), and
    // the event of that name (null when there is none).
    bool isMethod(Object& object, std::u16string_view name) const;
    // Indexed properties: how many indices they take (0 for a plain property or none), and
    // reading and writing them with the indices given.
    std::size_t indexCount(Object& object, std::u16string_view name) const;
    Variant getAt(Object& object, std::u16string_view property,
                  std::vector<Variant>& indices) const;
    void putAt(Object& object, std::u16string_view property, std::vector<Variant>& indices,
               const Variant& value) const;
    const EventInfo* findEvent(Object& object, std::u16string_view name) const;
    // The declarations of a property and a method of the object's class, or null (extender
    // members have none).
    const PropertyInfo* findProperty(Object& object, std::u16string_view name) const;
    const MethodInfo* findMethod(Object& object, std::u16string_view name) const;
    // Connects a handler to an event by name; returns the connection id.
    int connect(Object& object, std::u16string_view event, EventSource::Handler handler) const;

private:
    const ClassInfo& classOf(Object& object) const;
    std::vector<EnumInfo> m_enums;
    std::vector<ClassInfo> m_classes;
};

// Case-insensitive comparison of published names.
bool sameName(std::u16string_view a, std::u16string_view b);
// A name with its case folded as sameName folds it: two names are the same exactly when their
// folded forms are equal, so a folded name can key a hash table.
std::u16string foldName(std::u16string_view name);

}  // namespace orvane
