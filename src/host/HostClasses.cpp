#include "host/HostClasses.h"

#include "host/AsyncProperty.h"
#include "host/ClassBuilder.h"
#include "host/StdFont.h"
#include "host/StdPicture.h"

namespace orvane {

void registerHostClasses(TypeLibrary& library) {
    // The host's own values a check box and an option button take.
    library.registerEnum(
        {u"CheckBoxConstants", {{u"vbUnchecked", 0}, {u"vbChecked", 1}, {u"vbGrayed", 2}}});
    library.registerEnum(
        {u"ButtonConstants", {{u"vbButtonStandard", 0}, {u"vbButtonGraphical", 1}}});
    {
        using T = StdFont;
        ClassBuilder<T> b(u"StdFont");
        b.creatable()
            .property<std::u16string>(u"Name", &T::Name, &T::Name)
            .property<double>(u"Size", &T::Size, &T::Size)
            .property<bool>(u"Bold", &T::Bold, &T::Bold)
            .property<bool>(u"Italic", &T::Italic, &T::Italic)
            .property<bool>(u"Underline", &T::Underline, &T::Underline)
            .property<bool>(u"Strikethrough", &T::Strikethrough, &T::Strikethrough)
            .property<short>(u"Weight", &T::Weight, &T::Weight)
            .property<short>(u"Charset", &T::Charset, &T::Charset);
        library.registerClass(b.build());
    }
    {
        using T = StdPicture;
        ClassBuilder<T> b(u"StdPicture");
        b.computed(u"Handle", [](T& p) { return Variant(static_cast<std::int32_t>(p.Handle())); })
            .computed(u"Type", [](T& p) { return Variant(static_cast<std::int16_t>(p.type())); })
            .computed(u"Width", [](T& p) { return Variant(static_cast<std::int32_t>(p.Width())); })
            .computed(u"Height",
                      [](T& p) { return Variant(static_cast<std::int32_t>(p.Height())); });
        library.registerClass(b.build());
    }
    {
        using T = AsyncProperty;
        ClassBuilder<T> b(u"AsyncProperty");
        b.computed(u"Value", [](T& p) { return p.Value(); })
            .computed(u"Target", [](T& p) { return Variant(p.Target()); })
            .computed(u"PropertyName", [](T& p) { return Variant(p.PropertyName()); })
            .computed(u"AsyncType",
                      [](T& p) { return Variant(static_cast<std::int32_t>(p.AsyncType())); })
            .computed(u"Status", [](T& p) { return Variant(p.Status()); })
            .computed(u"StatusCode",
                      [](T& p) { return Variant(static_cast<std::int32_t>(p.StatusCode())); })
            .computed(u"BytesRead",
                      [](T& p) { return Variant(static_cast<std::int32_t>(p.BytesRead())); })
            .computed(u"BytesMax",
                      [](T& p) { return Variant(static_cast<std::int32_t>(p.BytesMax())); });
        library.registerClass(b.build());
    }
}

}  // namespace orvane
