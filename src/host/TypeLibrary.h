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

// A published property: its name and how to read and write it on an object of its class.
struct PropertyInfo {
    std::u16string name;                               // the published name
    std::function<Variant(Object&)> get;               // empty for a write-only property
    std::function<void(Object&, const Variant&)> put;  // empty for a read-only property
    // An indexed property (List(i)) has index parameters and these instead.
    std::vector<std::u16string> indices = {};
    // Reads an indexed property with the indices given.
    std::function<Variant(Object&, std::vector<Variant>&)> getAt = {};
    // Writes an indexed property with the indices given.
    std::function<void(Object&, std::vector<Variant>&, const Variant&)> putAt = {};
    ValueType type = ValueType::Any;  // what the value is beyond its Variant
};

// A parameter of a published method.
struct ParamInfo {
    std::u16string name;              // the published name
    bool optional = false;            // may be left out (it then arrives as Missing)
    ValueType type = ValueType::Any;  // what the argument is beyond its Variant
};

// A published method: its name, its parameters and how to call it.
struct MethodInfo {
    std::u16string name;            // the published name
    std::vector<ParamInfo> params;  // in published order
    // Arguments arrive by reference, with Missing for optional ones left out.
    std::function<Variant(Object&, std::vector<Variant>&)> invoke;
    ValueType result = ValueType::Any;  // what the result is beyond its Variant
};

// A published event: the number it is raised by and its arguments' names.
struct EventInfo {
    std::u16string name;                 // the published name
    int number = 0;                      // what EventSource::connect takes
    std::vector<std::u16string> params;  // the arguments, in order
};

// A published class: its members and, when it can be created by name, how.
struct ClassInfo {
    std::u16string name;                              // the published name
    std::function<std::shared_ptr<Object>()> create;  // empty for classes that cannot be created
    std::vector<PropertyInfo> properties;             // in published order
    std::vector<MethodInfo> methods;                  // in published order
    std::vector<EventInfo> events;                    // in published order
    // The property read where an object stands for a plain value ("" for none).
    std::u16string defaultMember = {};
};

// A published enumeration and its members.
struct EnumInfo {
    std::u16string name;                                           // the published name
    std::vector<std::pair<std::u16string, std::int32_t>> members;  // in published order
};

class TypeLibrary {
public:
    // The library the program's classes and enumerations are registered in.
    static TypeLibrary& current();

    // Adds an enumeration; one registered again under the same name replaces the first.
    void registerEnum(EnumInfo info);
    // An enumeration by name (look-ups ignore case, as late-bound names do), or null.
    const EnumInfo* findEnum(std::u16string_view name) const;
    // The value of a member of an enumeration, both by name; none when either is unknown.
    std::optional<std::int32_t> enumValue(std::u16string_view enumName,
                                          std::u16string_view member) const;
    // The published name of a value (the first member with it), or empty.
    std::u16string enumMemberName(std::u16string_view enumName, std::int32_t value) const;
    // Every enumeration, in the order registered.
    const std::vector<EnumInfo>& enums() const { return m_enums; }

    // Adds a class; a class registered again replaces the first.
    void registerClass(ClassInfo info);
    // A class by name (ignoring case), or null.
    const ClassInfo* findClass(std::u16string_view name) const;
    // A new instance of a creatable class; error 429 for an unknown or uncreatable one.
    std::shared_ptr<Object> create(std::u16string_view className) const;

    // Late binding: by the object's class (its TypeName) and member names, ignoring case. They
    // raise what the direct calls raise, and 438 for a member the class does not have, 383 to
    // write a read-only property, 394 to read a write-only one, 449 for a required argument
    // left out and 450 for too many arguments.
    //
    // This one reads a property (a control's extender properties included).
    Variant get(Object& object, std::u16string_view property) const;
    // The value of an object where a plain value is wanted: its class's default member (438
    // when it has none). Any other value comes back as it is.
    Variant value(const Variant& v) const;
    // Writes a property, as its C++ setter does (late bound, with the errors above).
    void put(Object& object, std::u16string_view property, const Variant& value) const;
    // Calls a method with `args` by reference (a handler sees changes to them); optional
    // arguments left out at the end may be missing. Returns the result (Empty for none).
    Variant call(Object& object, std::u16string_view method, std::vector<Variant>& args) const;
    // Whether `name` is a method of the object (a control's extender methods included).
    bool isMethod(Object& object, std::u16string_view name) const;
    // How many indices an indexed property takes (0 for a plain property or none).
    std::size_t indexCount(Object& object, std::u16string_view name) const;
    // Reads an indexed property with the indices given.
    Variant getAt(Object& object, std::u16string_view property,
                  std::vector<Variant>& indices) const;
    // Writes an indexed property with the indices given.
    void putAt(Object& object, std::u16string_view property, std::vector<Variant>& indices,
               const Variant& value) const;
    // The event of that name of the object's class, or null when there is none.
    const EventInfo* findEvent(Object& object, std::u16string_view name) const;
    // The declaration of a property of the object's class, or null (extender members have
    // none).
    const PropertyInfo* findProperty(Object& object, std::u16string_view name) const;
    // The declaration of a method of the object's class, or null.
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
