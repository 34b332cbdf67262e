// A control's properties declared once: published name, where the value lives, the value a new
// instance starts with, the default a property bag is read and written with, a validity check
// and what a change costs (repaint, re-layout or nothing). Initialising, reading, writing,
// publishing in the type library and change handling all come from the one declaration.
//
//   table.add(u"Alignment", &ucLabel::m_alignment, 0, 0).check(isAlignment).relayout();
//   table.add(u"Borderwidth", &ucLabel::m_borderWidth, 1, 1).key(u"BorderWidth");
//
// A typed setter is one line, `setProperty(m_alignment, value)`: the row is found by the
// field's address, so a setter and its declaration cannot name different properties.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/Persist.h"
#include "host/ClassBuilder.h"
#include "host/Error.h"
#include "host/PropertyBag.h"

namespace orvane {

// A check for a 32-bit property that takes the values low to high: `.check(within(0, 2))`.
inline auto within(std::int32_t low, std::int32_t high) {
    return [low, high](const std::int32_t& v) { return v >= low && v <= high; };
}

class UserControl;

// What a change of a property asks of its control.
enum class Effect { None, Repaint, Relayout };

// Conversions between a property's C++ value and the values property bags hold: texts as
// persisted Unicode text, byte arrays Empty when they hold no data, the rest as the type
// library converts them.
namespace persist {

template <class V>
// The value as a property bag stores it.
Variant toBag(const V& value) {
    if constexpr (std::is_same_v<V, std::u16string>) {
        return StringToPersist(value);
    } else if constexpr (std::is_same_v<V, std::vector<std::uint8_t>>) {
        return BytesToPersist(value);
    } else {
        return detail::toVariant<V>(value);  // colours keep their raw 32 bits
    }
}

template <class V>
// A value read from a property bag; a value of the wrong kind raises, so that the reader takes the
// default.
V fromBag(const Variant& v) {
    if constexpr (std::is_same_v<V, std::u16string>) {
        return PersistToString(v);
    } else {
        return detail::fromVariant<V>(v);  // a value of the wrong kind raises, read as default
    }
}

// A stored object of class T; absent, or anything else, reads as none.
template <class T>
std::shared_ptr<T> readObject(const PropertyBag& bag, std::u16string_view key) {
    return bag.read<std::shared_ptr<T>>(key, nullptr, &fromBag<std::shared_ptr<T>>);
}

}  // namespace persist

// One declared property, whatever its type and class.
class PropertyRow {
public:
    virtual ~PropertyRow() = default;
    // The published name; the bag key ("" when the property is not persisted).
    const std::u16string& name() const { return m_name; }
    // The bag key ("" when the property is not persisted).
    const std::u16string& key() const { return m_key; }
    // What a change costs the control.
    Effect effect() const { return m_effect; }
    // Not in the type library: persisted only.
    bool hidden() const { return m_hidden; }

    // Gives `c` the new-instance value.
    virtual void init(UserControl& c) const = 0;
    // Reads the value from `bag` (the stored default when absent or refused by the check).
    virtual void read(UserControl& c, const PropertyBag& bag) const = 0;
    // Writes the value to `bag`, unless it equals the stored default.
    virtual void write(UserControl& c, PropertyBag& bag) const = 0;
    // The value as the type library gives it.
    virtual Variant get(UserControl& c) const = 0;
    // Sets the value from the type library, converted, checked and applied as the C++ setter does.
    virtual void put(UserControl& c, const Variant& value) const = 0;
    // Where the value lives in `c`, to find a row from its field; null when it lives elsewhere.
    virtual const void* address(UserControl& c) const = 0;
    // What the value is beyond its Variant (a colour, bytes), for bindings.
    virtual ValueType valueType() const = 0;

protected:
    // A row published as `name`, stored under the same key.
    PropertyRow(std::u16string name) : m_name(name), m_key(std::move(name)) {}
    // The published name.
    std::u16string m_name;
    // The bag key; empty when not persisted.
    std::u16string m_key;
    // What a change costs.
    Effect m_effect = Effect::Repaint;
    // Persisted only, not published.
    bool m_hidden = false;
};

// A row whose values are V, so a typed setter can assign through it.
template <class V>
class TypedPropertyRow : public PropertyRow {
public:
    // Checks, stores and applies the change; an equal value changes nothing.
    virtual void assign(UserControl& c, V value) const = 0;

protected:
    // A row published as `name`.
    using PropertyRow::PropertyRow;
};

// Raised for a value its check refuses.
[[noreturn]] void InvalidPropertyValue(const std::u16string& property);

// The declaration of a property of class C (which provides `applyChange(const PropertyRow&)`).
template <class C, class V>
class Property final : public TypedPropertyRow<V> {
public:
    // Where the value lives in a control.
    using Ref = std::function<V&(C&)>;
    // Reads a value kept elsewhere.
    using Get = std::function<V(C&)>;
    // Stores a value kept elsewhere.
    using Set = std::function<void(C&, V)>;

    // A value stored where `ref` says, with its new-instance and stored defaults.
    Property(std::u16string name, Ref ref, V newValue, V storedValue)
        : TypedPropertyRow<V>(std::move(name)),
          m_ref(std::move(ref)),
          m_new(std::move(newValue)),
          m_stored(std::move(storedValue)) {}
    // A value kept elsewhere (in the font object, say), reached through a getter and a setter.
    Property(std::u16string name, Get get, Set set, V newValue, V storedValue)
        : TypedPropertyRow<V>(std::move(name)),
          m_get(std::move(get)),
          m_set(std::move(set)),
          m_new(std::move(newValue)),
          m_stored(std::move(storedValue)) {}

    // --- Declaration ---
    // Stores it under another bag key than its name.
    Property& key(std::u16string key) {
        this->m_key = std::move(key);
        return *this;
    }
    // Never read from or written to a bag.
    Property& notPersisted() { return key(u""); }
    // Not published in the type library (persisted only).
    Property& hidden() {
        this->m_hidden = true;
        return *this;
    }
    // Published after all (a row a shared declaration hid).
    Property& shown() {
        this->m_hidden = false;
        return *this;
    }
    // Other defaults than a shared declaration gave.
    Property& defaults(V newValue, V storedValue) {
        m_new = std::move(newValue);
        m_stored = std::move(storedValue);
        return *this;
    }
    // A change repaints (the default).
    Property& repaint() { return effect(Effect::Repaint); }
    // A change lays the control out again, then repaints.
    Property& relayout() { return effect(Effect::Relayout); }
    // A change neither lays out nor repaints.
    Property& noRedraw() { return effect(Effect::None); }
    // A change costs `e`.
    Property& effect(Effect e) {
        this->m_effect = e;
        return *this;
    }
    // Values the check refuses raise error 380 when set and read as the default from a bag.
    Property& check(std::function<bool(const V&)> valid) {
        m_check = std::move(valid);
        return *this;
    }
    // Brings values into range (clamped, wrapped) before they are checked and stored, when set
    // and when read from a bag.
    Property& normalize(std::function<V(const V&)> adjust) {
        m_normalize = std::move(adjust);
        return *this;
    }
    // What a new instance starts with when it depends on the instance (its display name, say).
    Property& newFrom(std::function<V(C&)> make) {
        m_newFrom = std::move(make);
        return *this;
    }
    // The default a bag is read and written with, when it depends on the instance (the
    // container's font name, say).
    Property& storedFrom(std::function<V(C&)> make) {
        m_storedFrom = std::move(make);
        return *this;
    }
    // Runs before a changed value is stored: raising an error refuses the change (a value that
    // may not change in some state, say).
    Property& guard(std::function<void(C&, const V&)> before) {
        m_guard = std::move(before);
        return *this;
    }
    // Runs after the value changed, before the redraw: what this property does beyond storing.
    Property& then(std::function<void(C&)> after) {
        m_then = std::move(after);
        return *this;
    }
    // `then` runs even when the value set equals the current one (a setting that redoes its
    // work, such as building a window again); nothing else happens then.
    Property& always() {
        m_always = true;
        return *this;
    }
    // Reading and writing of its own, for values a bag holds in another form.
    Property& persistWith(std::function<void(C&, const PropertyBag&)> read,
                          std::function<void(C&, PropertyBag&)> write) {
        m_read = std::move(read);
        m_write = std::move(write);
        return *this;
    }

    // --- Use ---
    void init(UserControl& c) const override {
        C& self = static_cast<C&>(c);
        store(self, m_newFrom ? m_newFrom(self) : m_new);
    }
    void read(UserControl& c, const PropertyBag& bag) const override {
        C& self = static_cast<C&>(c);
        if (this->m_key.empty()) return;
        if (m_read) return m_read(self, bag);
        const V stored = storedDefault(self);
        V value = bag.read<V>(this->m_key, stored, &persist::fromBag<V>);
        if (m_normalize) value = m_normalize(value);
        if (m_check && !m_check(value)) value = stored;
        store(self, std::move(value));
    }
    void write(UserControl& c, PropertyBag& bag) const override {
        C& self = static_cast<C&>(c);
        if (this->m_key.empty()) return;
        if (m_write) return m_write(self, bag);
        bag.WriteProperty(this->m_key, persist::toBag(value(self)),
                          persist::toBag(storedDefault(self)));
    }
    Variant get(UserControl& c) const override {
        return detail::toVariant<V>(value(static_cast<C&>(c)));
    }
    void put(UserControl& c, const Variant& value) const override {
        assign(c, detail::fromVariant<V>(value));
    }
    ValueType valueType() const override { return detail::valueTypeOf<V>(); }
    const void* address(UserControl& c) const override {
        return m_ref ? &m_ref(static_cast<C&>(c)) : nullptr;
    }
    void assign(UserControl& c, V value) const override {
        C& self = static_cast<C&>(c);
        if (m_normalize) value = m_normalize(value);
        if (m_check && !m_check(value)) InvalidPropertyValue(this->m_name);
        if (this->value(self) == value) {
            if (m_always && m_then) m_then(self);
            return;
        }
        if (m_guard) m_guard(self, value);
        store(self, std::move(value));
        if (m_then) m_then(self);
        self.applyChange(*this);
    }
    // The default a bag is read and written with, for `c`.
    V storedDefault(C& c) const { return m_storedFrom ? m_storedFrom(c) : m_stored; }

private:
    V value(C& c) const { return m_ref ? m_ref(c) : m_get(c); }
    void store(C& c, V v) const {
        if (m_ref) {
            m_ref(c) = std::move(v);
        } else {
            m_set(c, std::move(v));
        }
    }

    Ref m_ref;
    Get m_get;
    Set m_set;
    std::function<V(C&)> m_storedFrom;
    V m_new;
    V m_stored;
    std::function<bool(const V&)> m_check;
    std::function<V(const V&)> m_normalize;
    std::function<V(C&)> m_newFrom;
    std::function<void(C&, const V&)> m_guard;
    std::function<void(C&)> m_then;
    bool m_always = false;
    std::function<void(C&, const PropertyBag&)> m_read;
    std::function<void(C&, PropertyBag&)> m_write;
};

// Every property of a control class, in published order.
class PropertyTable {
public:
    // A property stored in a field of C (or of a base of C).
    template <class C, class V, class B>
    Property<C, V>& add(std::u16string name, V B::*field, V newValue, V storedValue) {
        static_assert(std::is_base_of_v<B, C>);
        return addRef<C, V>(
            std::move(name), [field](C& c) -> V& { return c.*field; }, std::move(newValue),
            std::move(storedValue));
    }
    // A property kept elsewhere, reached through `get` and `set`; typed setters cannot find it
    // by address, so its own setter calls `assign` on the row.
    template <class C, class V>
    Property<C, V>& addAccessor(std::u16string name, typename Property<C, V>::Get get,
                                typename Property<C, V>::Set set, V newValue, V storedValue) {
        auto row = std::make_unique<Property<C, V>>(std::move(name), std::move(get), std::move(set),
                                                    std::move(newValue), std::move(storedValue));
        Property<C, V>& r = *row;
        m_rows.push_back(std::move(row));
        return r;
    }
    // A property stored wherever `ref` says (a field of a part of the control).
    template <class C, class V>
    Property<C, V>& addRef(std::u16string name, typename Property<C, V>::Ref ref, V newValue,
                           V storedValue) {
        auto row = std::make_unique<Property<C, V>>(std::move(name), std::move(ref),
                                                    std::move(newValue), std::move(storedValue));
        Property<C, V>& r = *row;
        m_rows.push_back(std::move(row));
        return r;
    }

    // Gives every property of `c` its new-instance value.
    void init(UserControl& c) const {
        for (const auto& row : m_rows)
            row->init(c);
    }
    // Reads every persisted property of `c` from `bag`.
    void read(UserControl& c, const PropertyBag& bag) const {
        for (const auto& row : m_rows)
            row->read(c, bag);
    }
    // Writes every persisted property of `c` that differs from its stored default to `bag`.
    void write(UserControl& c, PropertyBag& bag) const {
        for (const auto& row : m_rows)
            row->write(c, bag);
    }

    // The row whose value lives at `field` in `c`; an undeclared field is a programming error.
    template <class V>
    const TypedPropertyRow<V>& rowOf(UserControl& c, const V& field) const {
        for (const auto& row : m_rows) {
            if (row->address(c) != &field) continue;
            if (auto* typed = dynamic_cast<const TypedPropertyRow<V>*>(row.get())) return *typed;
        }
        throw Error(errors::InvalidProcedureCall, u"PropertyTable",
                    u"The field belongs to no declared property");
    }
    // The row of a property by name, with values of type V.
    template <class V>
    const TypedPropertyRow<V>& named(std::u16string_view name) const {
        if (auto* typed = dynamic_cast<const TypedPropertyRow<V>*>(find(name))) return *typed;
        throw Error(errors::InvalidProcedureCall, u"PropertyTable",
                    u"No declared property of that name and type");
    }
    // A row declared earlier (by a shared declaration), to declare it differently.
    template <class C, class V>
    Property<C, V>& redeclare(std::u16string_view name) {
        for (auto& row : m_rows)
            if (sameName(row->name(), name))
                if (auto* typed = dynamic_cast<Property<C, V>*>(row.get())) return *typed;
        throw Error(errors::InvalidProcedureCall, u"PropertyTable",
                    u"No declared property of that name and type");
    }
    // Drops a shared row that a control declares again with another type.
    void remove(std::u16string_view name) {
        std::erase_if(m_rows, [name](const auto& row) { return sameName(row->name(), name); });
    }
    // The row of a property by name (ignoring case), or null.
    const PropertyRow* find(std::u16string_view name) const {
        for (const auto& row : m_rows)
            if (sameName(row->name(), name)) return row.get();
        return nullptr;
    }
    // Every row, in published order.
    const std::vector<std::unique_ptr<PropertyRow>>& rows() const { return m_rows; }

    // Publishes every row not hidden: reading gives the field, writing goes through the same
    // assignment as the C++ setter.
    template <class T>
    void publish(ClassBuilder<T>& builder) const {
        for (const auto& row : m_rows) {
            if (row->hidden()) continue;
            const PropertyRow* r = row.get();
            PropertyInfo info{r->name(), [r](Object& o) { return r->get(static_cast<T&>(o)); },
                              [r](Object& o, const Variant& v) { r->put(static_cast<T&>(o), v); }};
            info.type = r->valueType();
            builder.property(std::move(info));
        }
    }

private:
    std::vector<std::unique_ptr<PropertyRow>> m_rows;
};

}  // namespace orvane
