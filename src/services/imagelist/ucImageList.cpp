#include "services/imagelist/ucImageList.h"

#include "framework/Persist.h"
#include "framework/drawing/cGDIPCache.h"
#include "host/Arguments.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"
#include "host/Error.h"
#include "host/TypeLibrary.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/User.h"
#include "services/imagelist/ImageListFile.h"

namespace orvane {

using namespace platform;

namespace {

// The error a change of the image size or depth raises while the list holds images.
constexpr std::int32_t kImagesExist = 1001;

bool isColorDepth(eimlColorDepth v) {
    switch (v) {
        case eimlColorDepth::IMLC_COLOR4:
        case eimlColorDepth::IMLC_COLOR8:
        case eimlColorDepth::IMLC_COLOR16:
        case eimlColorDepth::IMLC_COLOR24:
        case eimlColorDepth::IMLC_COLOR32:
            return true;
    }
    return false;
}

// A text stored as a plain string (these keys are written as strings, not as persisted
// Unicode text); either form reads back.
template <class C>
void plainString(Property<C, std::u16string>& row, std::u16string C::*field) {
    const std::u16string key = row.name();
    row.persistWith(
        [key, field](C& c, const PropertyBag& bag) {
            c.*field = bag.read<std::u16string>(key, u"", &PersistToString);
        },
        [key, field](C& c, PropertyBag& bag) {
            bag.WriteProperty(key, Variant(c.*field), Variant(u""));
        });
}

}  // namespace

ucImageList::ucImageList() {
    // Nothing of it shows while the form runs, and it never takes the focus or the mouse then.
    Windowless(true);
    BackStyle(0);
}

ucImageList::~ucImageList() {
    if (m_himl) ImageList_Destroy(m_himl);
}

PropertyTable ucImageList::declare() {
    using T = ucImageList;
    PropertyTable t;
    const auto side = [](const std::int16_t& v) { return v >= 1 && v <= IconRecord::kMaxSide; };
    t.add<T>(u"ImageWidth", &T::m_width, std::int16_t{16}, std::int16_t{16})
        .check(side)
        .guard([](T& c, const std::int16_t&) { c.refuseWhileImages(u"Width"); })
        .then([](T& c) { c.Create(); });
    t.add<T>(u"ImageHeight", &T::m_height, std::int16_t{16}, std::int16_t{16})
        .check(side)
        .guard([](T& c, const std::int16_t&) { c.refuseWhileImages(u"Height"); })
        .then([](T& c) { c.Create(); });
    t.add<T>(u"ColorDepth", &T::m_colorDepth, eimlColorDepth::IMLC_COLOR24,
             eimlColorDepth::IMLC_COLOR24)
        .check(isColorDepth)
        .guard([](T& c, const eimlColorDepth&) { c.refuseWhileImages(u"ColorDepth"); })
        .then([](T& c) { c.Create(); });
    t.add<T>(u"UseMaskColor", &T::m_useMaskColor, eilMaskColor::eilMaskColorNone,
             eilMaskColor::eilMaskColorNone)
        .check([](const eilMaskColor& v) {
            return static_cast<int>(v) >= 0 && static_cast<int>(v) <= 2;
        })
        .noRedraw();
    t.add<T>(u"MaskColor", &T::m_maskColor, OLE_COLOR{0xFFFF00}, OLE_COLOR{0xFFFF00}).noRedraw();
    plainString<T>(
        t.add<T>(u"LastFileAddPath", &T::m_lastFileAddPath, std::u16string(), std::u16string())
            .hidden()
            .noRedraw(),
        &T::m_lastFileAddPath);
    plainString<T>(
        t.add<T>(u"LastSaveLoadPath", &T::m_lastSaveLoadPath, std::u16string(), std::u16string())
            .hidden()
            .noRedraw(),
        &T::m_lastSaveLoadPath);
    t.add<T>(u"SetKeysFromFilenames", &T::m_setKeysFromFilenames, true, true).hidden().noRedraw();
    return t;
}

const PropertyTable& ucImageList::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucImageList::applyChange(const PropertyRow& row) {
    if (row.effect() != Effect::None) repaintInDesigner();
    PropertyChanged(row.key().empty() ? row.name() : row.key());
}

void ucImageList::refuseWhileImages(const char16_t* what) const {
    if (ImageCount() > 0)
        throw Error(kImagesExist, u"VelImageList",
                    std::u16string(u"ImageCount must be 0 to change ") + what +
                        u"\r\nPlease go to PropertyPage");
}

void ucImageList::repaintInDesigner() {
    // Only the designer shows the list; a running form has nothing of it to repaint.
    if (sited() && !Ambient().UserMode()) Refresh();
}

// --- The list ---

std::int32_t ucImageList::SystemColorDepth() const {
    const HDC screen = GetDC(HWND());
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(HWND(), screen);
    return bits;
}

bool ucImageList::Create() {
    Destroy();
    m_himl = ImageList_Create(m_width, m_height, static_cast<UINT>(m_colorDepth) | ILC_MASK, 4, 4);
    repaintInDesigner();
    return static_cast<bool>(m_himl);
}

void ucImageList::Destroy() {
    if (m_himl) ImageList_Destroy(m_himl);
    m_himl = HIMAGELIST();
    m_keys.clear();
    m_tags.clear();
}

void ucImageList::Clear() {
    const bool had = ImageCount() > 0;
    Create();
    if (had) imagesChanged(true);
}

// --- Persistence ---

void ucImageList::Initialize() {
    ScaleMode(orvane::ScaleMode::Pixels);
}

void ucImageList::InitProperties() {
    table().init(*this);
    Create();
}

void ucImageList::ReadProperties(const PropertyBag& bag) {
    table().read(*this, bag);
    Create();
    // "Size" repeats the block's length; a block that does not match it is not read.
    const std::int32_t size = bag.read<std::int32_t>(u"Size", 0, &CLng);
    if (size <= 0) return;
    const Variant images = bag.ReadProperty(u"Images");
    if (images.kind() != Variant::Kind::ByteArray ||
        images.bytes().size() != static_cast<std::size_t>(size))
        return;
    const auto text = [&bag](const char16_t* key) {
        return bag.read<std::u16string>(key, u"", &PersistToString);
    };
    replaceImages(images.bytes(), text(u"Keys"), text(u"Tags"));
}

void ucImageList::WriteProperties(PropertyBag& bag) {
    table().write(*this, bag);
    syncItems();
    const std::vector<std::uint8_t> block = imageBlock();
    // "Size" and "Images" are always written, as 0 when there are no images.
    bag.WriteProperty(u"Size", Variant(static_cast<std::int32_t>(block.size())));
    bag.WriteProperty(u"Images", block.empty() ? Variant(std::int32_t{0}) : Variant(block));
    bag.WriteProperty(u"KeyCount", Variant(ImageCount()), Variant(std::int32_t{0}));
    bag.WriteProperty(u"Keys", Variant(ImageListFile::joinKeys(m_keys)), Variant(u""));
    bag.WriteProperty(u"Tags", Variant(ImageListFile::joinKeys(m_tags)), Variant(u""));
}

void ucImageList::Terminate() {
    Destroy();
    m_cache.reset();
}

void ucImageList::HitTest(double, double, HitResult& result) {
    // Only the designer's icon takes the mouse.
    result = Ambient().UserMode() ? HitResult::Outside : HitResult::Hit;
}

// --- Publishing ---

void ucImageList::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucImageList;
    using Args = std::vector<Variant>;
    registerImageListEnums(library);
    const auto none = [] { return Variant(); };
    const auto number = [](std::int32_t n) { return Variant(n); };
    const auto key = [](const Variant& v) { return optionalString(v); };
    // A colour argument keeps its 32 bits (system colours have the top bit set).
    const auto colour = [](const Variant& v, OLE_COLOR fallback) {
        return v.isMissing() ? fallback : static_cast<OLE_COLOR>(CLng(v));
    };
    // Where a handle is wanted, an object gives its default member (another image list its
    // himl).
    const auto handle = [](const Variant& v) {
        return static_cast<std::uint32_t>(CLng(TypeLibrary::current().value(v)));
    };
    const auto indexed = [](std::u16string name, std::u16string index,
                            std::function<Variant(T&, const Variant&)> get,
                            std::function<void(T&, const Variant&, const Variant&)> put = {}) {
        PropertyInfo info{std::move(name), {}, {}, {std::move(index)}};
        info.getAt = [get](Object& o, std::vector<Variant>& at) {
            return get(static_cast<T&>(o), at[0]);
        };
        if (put)
            info.putAt = [put](Object& o, std::vector<Variant>& at, const Variant& v) {
                put(static_cast<T&>(o), at[0], v);
            };
        return info;
    };

    ClassBuilder<T> b(u"ucImageList");
    b.creatable().defaultMember(u"himl");
    b.computed(u"SystemColorDepth", [](T& t) { return Variant(t.SystemColorDepth()); })
        .method(u"SwapOrCopyImage", {{u"vKeySrc", false}, {u"vKeyDst", false}, {u"eSwap", true}},
                [=](T& t, Args& a) {
                    t.SwapOrCopyImage(a[0], a[1], static_cast<eilSwapTypes>(optionalLong(a[2], 1)));
                    return none();
                })
        .method(u"Create", {}, [](T& t, Args&) { return Variant(t.Create()); })
        .method(u"Destroy", {},
                [=](T& t, Args&) {
                    t.Destroy();
                    return none();
                })
        .method(u"DrawImage",
                {{u"vKey", false},
                 {u"hdc", false},
                 {u"xPixels", false},
                 {u"yPixels", false},
                 {u"bSelected", true},
                 {u"bCut", true},
                 {u"bDisabled", true},
                 {u"oCutDitherColor", true, ValueType::Color},
                 {u"hExternalIml", true}},
                [=](T& t, Args& a) {
                    t.DrawImage(a[0], handleArg<HDC>(a[1]), CLng(a[2]), CLng(a[3]),
                                optionalBool(a[4], false), optionalBool(a[5], false),
                                optionalBool(a[6], false), colour(a[7], SystemColor(5)),
                                a[8].isMissing() ? HIMAGELIST() : HIMAGELIST(handle(a[8])));
                    return none();
                });
    table().publish(b);  // ImageWidth, ImageHeight, ColorDepth, UseMaskColor, MaskColor
    b.computed(u"ImageCount", [](T& t) { return Variant(t.ImageCount()); })
        .method(u"RemoveImage", {{u"vKey", false}},
                [=](T& t, Args& a) {
                    t.RemoveImage(a[0]);
                    return none();
                })
        .property(indexed(u"ItemIndex", u"vKey",
                          [](T& t, const Variant& k) { return Variant(t.ItemIndex(k)); }))
        .property(indexed(
            u"ItemKey", u"iIndex",
            [](T& t, const Variant& i) { return Variant(t.ItemKey(CLng(i))); },
            [](T& t, const Variant& i, const Variant& v) { t.ItemKey(CLng(i), CStr(v)); }))
        .property(indexed(
            u"ItemTag", u"iIndex",
            [](T& t, const Variant& i) { return Variant(t.ItemTag(CLng(i))); },
            [](T& t, const Variant& i, const Variant& v) { t.ItemTag(CLng(i), CStr(v)); }))
        .property(indexed(u"KeyExists", u"sKey",
                          [](T& t, const Variant& k) { return Variant(t.KeyExists(CStr(k))); }))
        .property(indexed(u"ItemPicture", u"vKey",
                          [](T& t, const Variant& k) {
                              return Variant(std::static_pointer_cast<Object>(t.ItemPicture(k)));
                          }))
        .property(indexed(
            u"ItemCopyOfIcon", u"vKey",
            [](T& t, const Variant& k) { return Variant(HandleToLong(t.ItemCopyOfIcon(k))); }))
        .method(u"Clear", {},
                [=](T& t, Args&) {
                    t.Clear();
                    return none();
                })
        .method(u"AddFromFile",
                {{u"FileNameOrBytesOrStdPicture", false},
                 {u"sKey", true},
                 {u"bMapSysColors", true},
                 {u"vKeyAfter", true},
                 {u"DesiredWidth", true},
                 {u"DesiredHeight", true}},
                [=](T& t, Args& a) {
                    return number(t.AddFromFile(a[0], key(a[1]), optionalBool(a[2], false), a[3],
                                                optionalLong(a[4], 0), optionalLong(a[5], 0)));
                })
        .method(u"AddFromResourceID",
                {{u"lID", false},
                 {u"hInst", false},
                 {u"iType", false},
                 {u"sKey", true},
                 {u"bMapSysColors", true},
                 {u"vKeyAfter", true}},
                [=](T& t, Args& a) {
                    return number(t.AddFromResourceID(CLng(a[0]), handleArg<HINSTANCE>(a[1]),
                                                      static_cast<EILImageTypes>(CLng(a[2])),
                                                      key(a[3]), optionalBool(a[4], false), a[5]));
                })
        .method(u"AddFromHandle",
                {{u"hImage", false}, {u"iType", false}, {u"sKey", true}, {u"vKeyAfter", true}},
                [=](T& t, Args& a) {
                    return Variant(t.AddFromHandle(
                        handle(a[0]), static_cast<EILImageTypes>(CLng(a[1])), key(a[2]), a[3]));
                })
        .method(u"AddFromPictureBox",
                {{u"pic", false}, {u"sKey", true}, {u"LeftPixels", true}, {u"TopPixels", true}},
                [=](T& t, Args& a) {
                    return number(t.AddFromPictureBox(a[0], key(a[1]), optionalLong(a[2], 0),
                                                      optionalLong(a[3], 0)));
                })
        .computed(u"himl", [](T& t) { return Variant(HandleToLong(t.himl())); })
        .method(u"ImagePictureStrip",
                {{u"vStartKey", true}, {u"vEndKey", true}, {u"oBackColor", true, ValueType::Color}},
                [=](T& t, Args& a) {
                    return Variant(std::static_pointer_cast<Object>(
                        t.ImagePictureStrip(a[0], a[1], colour(a[2], vbButtonFace))));
                })
        .method(u"SaveToFile", {{u"sFile", false}},
                [](T& t, Args& a) { return Variant(t.SaveToFile(CStr(a[0]))); })
        .method(u"LoadFromFile", {{u"sFile", false}},
                [](T& t, Args& a) { return Variant(t.LoadFromFile(CStr(a[0]))); })
        // The byte array and the length come back through their arguments.
        .method(u"SerialiseIcon",
                {{u"lhDC", false},
                 {u"hIcon", false},
                 {u"b", false, ValueType::Bytes},
                 {u"lByteStart", false},
                 {u"lArraySize", false}},
                [](T& t, Args& a) {
                    std::vector<std::uint8_t> bytes;
                    if (a[2].kind() == Variant::Kind::ByteArray) bytes = a[2].bytes();
                    std::int32_t size = 0;
                    const bool ok = t.SerialiseIcon(handleArg<HDC>(a[0]), handleArg<HICON>(a[1]),
                                                    bytes, CLng(a[3]), size);
                    a[2] = Variant(std::move(bytes));
                    a[4] = Variant(size);
                    return Variant(ok);
                })
        .method(u"DeSerialiseIcon",
                {{u"lhDC", false},
                 {u"hIcon", false},
                 {u"b", false, ValueType::Bytes},
                 {u"lByteStart", false},
                 {u"lArraySize", false}},
                [=](T& t, Args& a) {
                    std::vector<std::uint8_t> bytes;
                    if (a[2].kind() == Variant::Kind::ByteArray) bytes = a[2].bytes();
                    HICON icon;
                    std::int32_t size = 0;
                    t.DeSerialiseIcon(handleArg<HDC>(a[0]), icon, bytes, CLng(a[3]), size);
                    a[1] = Variant(HandleToLong(icon));
                    a[4] = Variant(size);
                    return none();
                });
    library.registerClass(b.build());
    classes.add(u"ucImageList", [] { return std::make_unique<T>(); });
}

}  // namespace orvane
