#include "host/HostClasses.h"

#include "host/AsyncProperty.h"
#include "host/ClassBuilder.h"
#include "host/Collection.h"
#include "host/ControlEnums.h"
#include "host/DataObject.h"
#include "host/StdFont.h"
#include "host/StdPicture.h"

namespace orvane {

void registerHostClasses(TypeLibrary& library) {
    // The host's own values a check box and an option button take.
    library.registerEnum(
        {u"CheckBoxConstants", {{u"vbUnchecked", 0}, {u"vbChecked", 1}, {u"vbGrayed", 2}}});
    library.registerEnum(
        {u"ButtonConstants", {{u"vbButtonStandard", 0}, {u"vbButtonGraphical", 1}}});
    library.registerEnum({u"ClipBoardConstants",
                          {{u"vbCFText", vbCFText},
                           {u"vbCFBitmap", vbCFBitmap},
                           {u"vbCFMetafile", vbCFMetafile},
                           {u"vbCFDIB", vbCFDIB},
                           {u"vbCFPalette", vbCFPalette},
                           {u"vbCFEMetafile", vbCFEMetafile},
                           {u"vbCFFiles", vbCFFiles},
                           {u"vbCFRTF", vbCFRTF}}});
    library.registerEnum({u"OLEDropEffectConstants",
                          {{u"vbDropEffectNone", vbDropEffectNone},
                           {u"vbDropEffectCopy", vbDropEffectCopy},
                           {u"vbDropEffectMove", vbDropEffectMove},
                           {u"vbDropEffectScroll", vbDropEffectScroll}}});
    library.registerEnum({u"OLEDropConstants",
                          {{u"vbOLEDropNone", vbOLEDropNone},
                           {u"vbOLEDropManual", vbOLEDropManual},
                           {u"vbOLEDropAutomatic", vbOLEDropAutomatic}}});
    library.registerEnum({u"DragOverConstants",
                          {{u"vbEnter", vbEnter}, {u"vbLeave", vbLeave}, {u"vbOver", vbOver}}});
    {
        // The data of a drag: formats by number, text as strings, the rest as bytes.
        using T = DataObject;
        ClassBuilder<T> b(u"DataObject");
        b.method(u"Clear", {},
                 [](T& d, std::vector<Variant>&) {
                     d.Clear();
                     return Variant();
                 })
            .method(u"GetData", {{u"Format", false}},
                    [](T& d, std::vector<Variant>& a) { return d.GetData(CLng(a[0])); })
            .method(u"GetFormat", {{u"Format", false}},
                    [](T& d, std::vector<Variant>& a) { return Variant(d.GetFormat(CLng(a[0]))); })
            .method(u"SetData", {{u"Value", true}, {u"Format", true}},
                    [](T& d, std::vector<Variant>& a) {
                        d.SetData(a[0], a[1]);
                        return Variant();
                    })
            .computed(u"Files",
                      [](T& d) { return Variant(std::static_pointer_cast<Object>(d.Files())); });
        library.registerClass(b.build());
    }
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
        // Items counted from 1, optionally keyed; scripts also walk them with ipairs.
        using T = Collection;
        ClassBuilder<T> b(u"Collection");
        b.creatable()
            .computed(u"Count", [](T& c) { return Variant(c.Count()); })
            .method(u"Item", {{u"Index", false}},
                    [](T& c, std::vector<Variant>& a) { return c.Item(a[0]); })
            .method(u"Add", {{u"Item", false}, {u"Key", true}, {u"Before", true}, {u"After", true}},
                    [](T& c, std::vector<Variant>& a) {
                        c.Add(a[0], a[1], a[2], a[3]);
                        return Variant();
                    })
            .method(u"Remove", {{u"Index", false}}, [](T& c, std::vector<Variant>& a) {
                c.Remove(a[0]);
                return Variant();
            });
        library.registerClass(b.build());
    }
    {
        using T = Dictionary;
        ClassBuilder<T> b(u"Dictionary");
        b.creatable()
            .computed(u"Count", [](T& d) { return Variant(d.Count()); })
            .method(u"Item", {{u"Key", false}},
                    [](T& d, std::vector<Variant>& a) { return d.Item(CStr(a[0])); })
            .method(u"Add", {{u"Key", false}, {u"Item", false}},
                    [](T& d, std::vector<Variant>& a) {
                        d.Add(CStr(a[0]), a[1]);
                        return Variant();
                    })
            .method(u"Exists", {{u"Key", false}},
                    [](T& d, std::vector<Variant>& a) { return Variant(d.Exists(CStr(a[0]))); })
            .method(u"Remove", {{u"Key", false}},
                    [](T& d, std::vector<Variant>& a) {
                        d.Remove(CStr(a[0]));
                        return Variant();
                    })
            .method(u"RemoveAll", {}, [](T& d, std::vector<Variant>&) {
                d.RemoveAll();
                return Variant();
            });
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
