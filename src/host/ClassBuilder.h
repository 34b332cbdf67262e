// Publishes a C++ class in the type library from its member functions: each property is a
// getter and a setter of the same published name, converted to and from Variant the way the
// host converts arguments (CLng for 32-bit integers, CBool for booleans, and so on).
#pragma once

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "host/Error.h"
#include "host/TypeLibrary.h"

namespace orvane {

namespace detail {

template <class V>
Variant toVariant(const V& value) {
    if constexpr (std::is_same_v<V, bool>) {
        return Variant(value);
    } else if constexpr (std::is_same_v<V, short>) {
        return Variant(static_cast<std::int16_t>(value));
    } else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>) {
        return Variant(static_cast<std::int32_t>(value));
    } else if constexpr (std::is_same_v<V, float>) {
        return Variant(value);
    } else if constexpr (std::is_same_v<V, double>) {
        return Variant(value);
    } else if constexpr (std::is_same_v<V, std::u16string>) {
        return Variant(value);
    } else if constexpr (std::is_same_v<V, std::vector<std::uint8_t>>) {
        return Variant(value);
    } else {
        return Variant(std::static_pointer_cast<Object>(value));  // a shared_ptr to an object
    }
}

template <class V>
V fromVariant(const Variant& v) {
    if constexpr (std::is_same_v<V, bool>) {
        return CBool(v);
    } else if constexpr (std::is_same_v<V, short>) {
        return CInt(v);
    } else if constexpr (std::is_enum_v<V>) {
        return static_cast<V>(CLng(v));
    } else if constexpr (std::is_integral_v<V>) {
        return static_cast<V>(CLng(v));
    } else if constexpr (std::is_same_v<V, float>) {
        return v.toSingle();
    } else if constexpr (std::is_same_v<V, double>) {
        return CDbl(v);
    } else if constexpr (std::is_same_v<V, std::u16string>) {
        return CStr(v);
    } else if constexpr (std::is_same_v<V, std::vector<std::uint8_t>>) {
        // A byte array, or Empty for none.
        if (v.isEmpty()) return {};
        return v.bytes();
    } else {
        // An object property takes Nothing or an object of its class; anything else is a
        // type mismatch.
        using Target = typename V::element_type;
        std::shared_ptr<Object> object = v.object();
        if (!object) return nullptr;
        auto typed = std::dynamic_pointer_cast<Target>(object);
        if (!typed) throw Error::standard(errors::TypeMismatch, u"");
        return typed;
    }
}

// OLE colours (32-bit unsigned) and byte arrays are told apart from other values.
template <class V>
constexpr ValueType valueTypeOf() {
    if constexpr (std::is_same_v<V, std::uint32_t>) return ValueType::Color;
    if constexpr (std::is_same_v<V, std::vector<std::uint8_t>>) return ValueType::Bytes;
    return ValueType::Any;
}

}  // namespace detail

template <class T>
class ClassBuilder {
public:
    // Starts the description of class T, published as `name`.
    explicit ClassBuilder(std::u16string name) { m_info.name = std::move(name); }

    // A read-write property: a getter returning V (or const V&) and a setter taking V, members
    // of T or of a class T derives from. The value type is given, so overloaded getter and
    // setter names resolve.
    template <class V, class B>
        requires std::is_base_of_v<B, T>
    ClassBuilder& property(std::u16string name, V (B::*get)() const, void (B::*set)(V)) {
        return add<V>(std::move(name), get, set);
    }
    // The same for a getter that returns a const reference.
    template <class V, class B>
        requires std::is_base_of_v<B, T>
    ClassBuilder& property(std::u16string name, const V& (B::*get)() const, void (B::*set)(V)) {
        return add<V>(std::move(name), get, set);
    }
    // A property made elsewhere (from a declaration table).
    ClassBuilder& property(PropertyInfo info) {
        m_info.properties.push_back(std::move(info));
        return *this;
    }
    // An indexed property with one index (List(i)): the getter takes the index, the setter the
    // index and the value.
    template <class V, class I>
    ClassBuilder& indexed(std::u16string name, std::u16string indexName, V (T::*get)(I) const,
                          void (T::*set)(I, V)) {
        PropertyInfo info{std::move(name), {}, {}, {std::move(indexName)}, {}, {}};
        info.getAt = [get](Object& o, std::vector<Variant>& at) {
            return detail::toVariant<V>((static_cast<T&>(o).*get)(detail::fromVariant<I>(at[0])));
        };
        if (set)
            info.putAt = [set](Object& o, std::vector<Variant>& at, const Variant& v) {
                (static_cast<T&>(o).*set)(detail::fromVariant<I>(at[0]), detail::fromVariant<V>(v));
            };
        m_info.properties.push_back(std::move(info));
        return *this;
    }

    // A read-write property kept in a public data member (of a plain record class).
    template <class V>
    ClassBuilder& field(std::u16string name, V T::*member) {
        PropertyInfo info{
            std::move(name),
            [member](Object& o) { return detail::toVariant<V>(static_cast<T&>(o).*member); },
            [member](Object& o, const Variant& v) {
                static_cast<T&>(o).*member = detail::fromVariant<V>(v);
            }};
        info.type = detail::valueTypeOf<V>();
        m_info.properties.push_back(std::move(info));
        return *this;
    }
    // A read-only property computed by a function of the object.
    ClassBuilder& computed(std::u16string name, std::function<Variant(T&)> get) {
        m_info.properties.push_back(
            {std::move(name),
             [get = std::move(get)](Object& o) { return get(static_cast<T&>(o)); },
             {}});
        return *this;
    }

    // A method: `invoke` receives the object and the arguments by reference (Missing for optional
    // ones left out) and returns the result (Empty for none).
    ClassBuilder& method(std::u16string name, std::vector<ParamInfo> params,
                         std::function<Variant(T&, std::vector<Variant>&)> invoke,
                         ValueType result = ValueType::Any) {
        m_info.methods.push_back({std::move(name), std::move(params),
                                  [invoke = std::move(invoke)](Object& o, std::vector<Variant>& a) {
                                      return invoke(static_cast<T&>(o), a);
                                  },
                                  result});
        return *this;
    }

    // An event raised by `number`, with its arguments' names.
    ClassBuilder& event(std::u16string name, int number, std::vector<std::u16string> params) {
        m_info.events.push_back({std::move(name), number, std::move(params)});
        return *this;
    }

    // The property read where an object of the class stands for a plain value.
    ClassBuilder& defaultMember(std::u16string name) {
        m_info.defaultMember = std::move(name);
        return *this;
    }

    // Instances can be made by name.
    ClassBuilder& creatable() {
        m_info.create = [] { return std::static_pointer_cast<Object>(std::make_shared<T>()); };
        return *this;
    }

    // The finished description, for TypeLibrary::registerClass (the builder is empty afterwards).
    ClassInfo build() { return std::move(m_info); }

private:
    template <class V, class G, class S>
    ClassBuilder& add(std::u16string name, G get, S set) {
        PropertyInfo info{
            std::move(name),
            [get](Object& o) { return detail::toVariant<V>((static_cast<T&>(o).*get)()); },
            {}};
        info.put = [set](Object& o, const Variant& v) {
            (static_cast<T&>(o).*set)(detail::fromVariant<V>(v));
        };
        info.type = detail::valueTypeOf<V>();
        m_info.properties.push_back(std::move(info));
        return *this;
    }

    ClassInfo m_info;
};

}  // namespace orvane
