#include "host/Extender.h"

#include "host/Error.h"
#include "host/TypeLibrary.h"
#include "host/UserControl.h"

namespace orvane {

void Extender::Left(int twips) {
    m_left = twips;
    changed();
}

void Extender::Top(int twips) {
    m_top = twips;
    changed();
}

void Extender::Width(int twips) {
    if (twips < 0) throw Error::standard(errors::InvalidPropertyValue);
    m_width = twips;
    changed();
}

void Extender::Height(int twips) {
    if (twips < 0) throw Error::standard(errors::InvalidPropertyValue);
    m_height = twips;
    changed();
}

void Extender::Move(int left, int top, int width, int height) {
    if (width < 0 || height < 0) throw Error::standard(errors::InvalidPropertyValue);
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    changed();
}

void Extender::Align(int align) {
    if (align < 0 || align > 4) throw Error::standard(errors::InvalidPropertyValue);
    m_align = align;
    changed();
}

void Extender::Visible(bool visible) {
    m_visible = visible;
    changed();
}

void Extender::Enabled(bool enabled) {
    m_enabled = enabled;
    changed();
}

void Extender::ZOrder(int position) {
    if (position != 0 && position != 1) throw Error::standard(errors::InvalidProcedureCall);
    if (onZOrder) onZOrder(position == 0);
}

Variant Extender::get(std::u16string_view name) const {
    if (sameName(name, u"Name")) return m_name;
    if (sameName(name, u"Index")) {
        // A control outside an array has no index: reading it is error 343.
        if (m_index < 0) throw Error::standard(errors::NotAnArray);
        return static_cast<std::int16_t>(m_index);
    }
    if (sameName(name, u"Tag")) return m_tag;
    if (sameName(name, u"Left")) return static_cast<std::int32_t>(m_left);
    if (sameName(name, u"Top")) return static_cast<std::int32_t>(m_top);
    if (sameName(name, u"Width")) return static_cast<std::int32_t>(m_width);
    if (sameName(name, u"Height")) return static_cast<std::int32_t>(m_height);
    if (sameName(name, u"Visible")) return m_visible;
    if (sameName(name, u"Align")) return static_cast<std::int16_t>(m_align);
    if (sameName(name, u"Enabled")) return m_enabled;
    if (sameName(name, u"Container")) {
        // The container belongs to the form: a handle that does not own it.
        Object* container = m_container;
        return Variant(std::shared_ptr<Object>(std::shared_ptr<Object>(), container));
    }
    throw Error::standard(errors::NoSuchMember);
}

void Extender::put(std::u16string_view name, const Variant& value) {
    if (sameName(name, u"Tag")) return Tag(Variant(CStr(value)));
    if (sameName(name, u"Left")) return Left(CLng(value));
    if (sameName(name, u"Top")) return Top(CLng(value));
    if (sameName(name, u"Width")) return Width(CLng(value));
    if (sameName(name, u"Height")) return Height(CLng(value));
    if (sameName(name, u"Visible")) return Visible(CBool(value));
    if (sameName(name, u"Align")) return Align(CInt(value));
    if (sameName(name, u"Enabled")) return Enabled(CBool(value));
    if (sameName(name, u"Container")) {
        if (!onContainer) throw Error::standard(errors::SetNotSupportedAtRuntime);
        Object* target = value.kind() == Variant::Kind::Object ? value.object().get() : nullptr;
        if (value.kind() != Variant::Kind::Object && !value.isEmpty())
            throw Error::standard(errors::TypeMismatch);
        auto* control = dynamic_cast<UserControl*>(target);
        if (target && !control) throw Error::standard(errors::TypeMismatch);
        return onContainer(control);
    }
    // Name and Index are fixed once the control is sited.
    if (sameName(name, u"Name") || sameName(name, u"Index"))
        throw Error::standard(errors::SetNotSupportedAtRuntime);
    throw Error::standard(errors::NoSuchMember);
}

}  // namespace orvane
