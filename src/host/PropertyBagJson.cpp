#include "host/PropertyBagJson.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "host/Base64.h"
#include "host/Error.h"
#include "host/StdFont.h"
#include "host/StdPicture.h"
#include "platform/base/CodePages.h"
#include "platform/gdi/DibFromPixels.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/User.h"

namespace orvane {

using json = nlohmann::ordered_json;

namespace {

[[noreturn]] void fail(const std::string& place, const std::string& what) {
    throw Error(errors::InvalidFileFormat, u"PropertyBag", platform::FromUtf8(place + ": " + what));
}

json writeDouble(double d) {
    if (std::isnan(d)) return "NaN";
    if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
    return d;
}

double readDouble(const json& j, const std::string& place) {
    if (j.is_number()) return j.get<double>();
    if (j.is_string()) {
        const auto& s = j.get_ref<const std::string&>();
        if (s == "NaN") return std::numeric_limits<double>::quiet_NaN();
        if (s == "Infinity") return std::numeric_limits<double>::infinity();
        if (s == "-Infinity") return -std::numeric_limits<double>::infinity();
    }
    fail(place, "expected a number");
}

long long readInteger(const json& j, const std::string& place, long long lo, long long hi) {
    if (!j.is_number_integer()) fail(place, "expected a whole number");
    // Unsigned values above the signed range are out of range as well.
    if (j.is_number_unsigned() && j.get<std::uint64_t>() > static_cast<std::uint64_t>(hi))
        fail(place, "number out of range");
    const long long v = j.get<long long>();
    if (v < lo || v > hi) fail(place, "number out of range");
    return v;
}

bool readBool(const json& j, const std::string& place) {
    if (!j.is_boolean()) fail(place, "expected true or false");
    return j.get<bool>();
}

std::u16string readString(const json& j, const std::string& place) {
    if (!j.is_string()) fail(place, "expected a string");
    return platform::FromUtf8(j.get_ref<const std::string&>());
}

json writeFont(const StdFont& f) {
    return json{{"Name", platform::ToUtf8(f.Name())},
                {"Size", f.Size()},
                {"Weight", f.Weight()},
                {"Italic", f.Italic()},
                {"Underline", f.Underline()},
                {"Strikethrough", f.Strikethrough()},
                {"Charset", f.Charset()}};
}

std::shared_ptr<StdFont> readFont(const json& j, const std::string& place) {
    if (!j.is_object()) fail(place, "expected a font object");
    auto font = std::make_shared<StdFont>();
    for (const auto& [key, value] : j.items()) {
        const std::string at = place + "." + key;
        // The font's own setters check sizes and weights; their errors name the place too.
        try {
            if (key == "Name") {
                font->Name(readString(value, at));
            } else if (key == "Size") {
                font->Size(readDouble(value, at));
            } else if (key == "Weight") {
                font->Weight(static_cast<short>(readInteger(value, at, 0, 1000)));
            } else if (key == "Bold") {
                font->Bold(readBool(value, at));
            } else if (key == "Italic") {
                font->Italic(readBool(value, at));
            } else if (key == "Underline") {
                font->Underline(readBool(value, at));
            } else if (key == "Strikethrough") {
                font->Strikethrough(readBool(value, at));
            } else if (key == "Charset") {
                font->Charset(static_cast<short>(readInteger(value, at, 0, 255)));
            } else {
                fail(at, "unknown font property");
            }
        } catch (const Error& e) {
            if (e.number() == errors::InvalidFileFormat) throw;
            fail(at, "invalid font value");
        }
    }
    return font;
}

constexpr long long kMaxPictureSide = 16384;
constexpr long long kMaxPicturePixels = 1 << 24;

// A picture as its size and its 32-bit pixels (blue, green, red, alpha; rows from the top) in
// base64. Icons and cursors say so ("Type": "Icon"), their pixels have straight alpha, and a
// cursor keeps its hot spot.
json writePicture(const StdPicture& picture, const std::string& place) {
    if (picture.type() != StdPicture::Type::Bitmap && picture.type() != StdPicture::Type::Icon)
        fail(place, "an empty picture cannot be saved in a form file");
    const bool icon = picture.type() == StdPicture::Type::Icon;
    platform::ICONINFO iconInfo;
    platform::HBITMAP bitmap(static_cast<std::uint32_t>(picture.Handle()));
    if (icon) {
        if (!platform::GetIconInfo(platform::HICON(static_cast<std::uint32_t>(picture.Handle())),
                                   &iconInfo))
            fail(place, "the picture has no icon");
        bitmap = iconInfo.hbmColor;
    }
    platform::BITMAP bm{};
    const bool sized = platform::GetObjectW(bitmap, sizeof bm, &bm) != 0;
    std::vector<std::uint8_t> pixels;
    int lines = 0;
    if (sized) {
        platform::BITMAPINFO info{};
        info.bmiHeader.biWidth = bm.bmWidth;
        info.bmiHeader.biHeight = -bm.bmHeight;
        info.bmiHeader.biBitCount = 32;
        pixels.resize(static_cast<std::size_t>(bm.bmWidth) * static_cast<std::size_t>(bm.bmHeight) *
                      4);
        const platform::HDC dc = platform::CreateCompatibleDC(platform::HDC());
        lines = platform::GetDIBits(dc, bitmap, 0, static_cast<platform::UINT>(bm.bmHeight),
                                    pixels.data(), &info, platform::DIB_RGB_COLORS);
        platform::DeleteDC(dc);
    }
    if (icon) {
        platform::DeleteObject(iconInfo.hbmColor);
        platform::DeleteObject(iconInfo.hbmMask);
    }
    if (!sized) fail(place, "the picture has no bitmap");
    if (lines != bm.bmHeight) fail(place, "the picture's pixels could not be read");
    json out{{"Width", bm.bmWidth}, {"Height", bm.bmHeight}, {"Pixels", Base64Encode(pixels)}};
    if (icon) {
        out["Type"] = "Icon";
        if (!iconInfo.fIcon) out["HotSpot"] = json::array({iconInfo.xHotspot, iconInfo.yHotspot});
    }
    return out;
}

std::shared_ptr<StdPicture> readPicture(const json& j, const std::string& place) {
    if (!j.is_object()) fail(place, "expected a picture object");
    for (const auto& item : j.items())
        if (item.key() != "Width" && item.key() != "Height" && item.key() != "Pixels" &&
            item.key() != "Type" && item.key() != "HotSpot")
            fail(place + "." + item.key(), "unknown picture property");
    bool icon = false;
    if (j.contains("Type")) {
        const json& t = j["Type"];
        if (!t.is_string() || (t != "Icon" && t != "Bitmap"))
            fail(place + ".Type", "expected \"Bitmap\" or \"Icon\"");
        icon = t == "Icon";
    }
    long long hotX = -1, hotY = -1;
    if (j.contains("HotSpot")) {
        const json& hs = j["HotSpot"];
        if (!icon) fail(place + ".HotSpot", "only icons have a hot spot");
        if (!hs.is_array() || hs.size() != 2) fail(place + ".HotSpot", "expected [x, y]");
        hotX = readInteger(hs[0], place + ".HotSpot[0]", 0, kMaxPictureSide);
        hotY = readInteger(hs[1], place + ".HotSpot[1]", 0, kMaxPictureSide);
    }
    const json* w = j.contains("Width") ? &j["Width"] : nullptr;
    const json* h = j.contains("Height") ? &j["Height"] : nullptr;
    if (!w || !h || !j.contains("Pixels")) fail(place, "a picture needs Width, Height and Pixels");
    const long long width = readInteger(*w, place + ".Width", 1, kMaxPictureSide);
    const long long height = readInteger(*h, place + ".Height", 1, kMaxPictureSide);
    if (width * height > kMaxPicturePixels) fail(place, "picture too large");
    const json& p = j["Pixels"];
    if (!p.is_string()) fail(place + ".Pixels", "expected base64 text");
    auto bytes = Base64Decode(p.get_ref<const std::string&>());
    if (!bytes) fail(place + ".Pixels", "malformed base64 text");
    if (static_cast<long long>(bytes->size()) != width * height * 4)
        fail(place + ".Pixels", "expected " + std::to_string(width * height * 4) + " bytes");
    const platform::HBITMAP bitmap =
        platform::DibFromPixels(static_cast<int>(width), static_cast<int>(height), bytes->data());
    if (!bitmap) fail(place, "the picture could not be made");
    if (!icon) return StdPicture::fromBitmap(bitmap);
    // An icon (or a cursor, with its hot spot) from its pixels and alpha.
    platform::ICONINFO ii;
    ii.fIcon = hotX < 0;
    ii.xHotspot = static_cast<platform::DWORD>(std::max(0LL, hotX));
    ii.yHotspot = static_cast<platform::DWORD>(std::max(0LL, hotY));
    ii.hbmColor = bitmap;
    ii.hbmMask =
        platform::CreateBitmap(static_cast<int>(width), static_cast<int>(height), 1, 1, nullptr);
    // Where the alpha is zero the mask is set too, so that an icon with no visible pixel stays
    // invisible.
    const platform::HDC maskDc = platform::CreateCompatibleDC(platform::HDC());
    const platform::HGDIOBJ oldMask = platform::SelectObject(maskDc, ii.hbmMask);
    for (long long y = 0; y < height; ++y)
        for (long long x = 0; x < width; ++x)
            if ((*bytes)[static_cast<std::size_t>((y * width + x) * 4 + 3)] == 0)
                platform::SetPixel(maskDc, static_cast<int>(x), static_cast<int>(y),
                                   platform::RGB(255, 255, 255));
    platform::SelectObject(maskDc, oldMask);
    platform::DeleteDC(maskDc);
    const platform::HICON made = platform::CreateIconIndirect(&ii);
    platform::DeleteObject(ii.hbmColor);
    platform::DeleteObject(ii.hbmMask);
    if (!made) fail(place, "the icon could not be made");
    return StdPicture::fromIcon(made, static_cast<int>(width), static_cast<int>(height));
}

}  // namespace

long long PropertyBagJson::readInteger(const json& j, const std::string& place, long long lo,
                                       long long hi) {
    return orvane::readInteger(j, place, lo, hi);
}

bool PropertyBagJson::readBool(const json& j, const std::string& place) {
    return orvane::readBool(j, place);
}

std::u16string PropertyBagJson::readString(const json& j, const std::string& place) {
    return orvane::readString(j, place);
}

json PropertyBagJson::writeValue(const Variant& value, const std::string& place) {
    switch (value.kind()) {
        case Variant::Kind::Empty:
            return json{{"Empty", true}};
        case Variant::Kind::Null:
            return nullptr;
        case Variant::Kind::Integer:
            return json{{"Integer", value.toInteger()}};
        case Variant::Kind::Long:
            return value.toLong();
        case Variant::Kind::Single:
            return json{{"Single", writeDouble(value.toSingle())}};
        case Variant::Kind::Double:
            return json{{"Double", writeDouble(value.toDouble())}};
        case Variant::Kind::Date:
            return json{{"Date", writeDouble(value.toDate())}};
        case Variant::Kind::String:
            return platform::ToUtf8(value.toString());
        case Variant::Kind::Boolean:
            return value.toBool();
        case Variant::Kind::Byte:
            return json{{"Byte", value.toByte()}};
        case Variant::Kind::ByteArray:
            return json{{"Bytes", Base64Encode(value.bytes())}};
        case Variant::Kind::Object: {
            const auto object = value.object();
            if (!object) return json{{"Nothing", true}};
            if (const auto* font = dynamic_cast<const StdFont*>(object.get()))
                return json{{"Font", writeFont(*font)}};
            if (const auto* picture = dynamic_cast<const StdPicture*>(object.get()))
                return json{{"Picture", writePicture(*picture, place)}};
            fail(place,
                 "a " + platform::ToUtf8(object->typeName()) + " cannot be saved in a form file");
        }
        case Variant::Kind::Missing:
            break;
    }
    fail(place, "a missing argument cannot be saved");
}

Variant PropertyBagJson::readValue(const json& j, const std::string& place) {
    if (j.is_null()) return Variant::null();
    if (j.is_string()) return Variant(readString(j, place));
    if (j.is_boolean()) return Variant(j.get<bool>());
    if (j.is_number_integer())
        return Variant(static_cast<std::int32_t>(readInteger(j, place, INT32_MIN, INT32_MAX)));
    if (j.is_number()) fail(place, "a number with a fraction must say its kind (Single or Double)");
    if (!j.is_object() || j.size() != 1) fail(place, "expected a value or an object with one kind");
    const auto first = j.begin();
    const std::string& kind = first.key();
    const json& v = first.value();
    const std::string at = place + "." + kind;
    if (kind == "Integer")
        return Variant(static_cast<std::int16_t>(readInteger(v, at, INT16_MIN, INT16_MAX)));
    if (kind == "Byte") return Variant(static_cast<std::uint8_t>(readInteger(v, at, 0, 255)));
    if (kind == "Single") {
        const double d = readDouble(v, at);
        if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max())
            fail(at, "number out of range");
        return Variant(static_cast<float>(d));
    }
    if (kind == "Double") return Variant(readDouble(v, at));
    if (kind == "Date") {
        const double d = readDouble(v, at);
        // The host's dates run from year 100 to year 9999.
        if (!(d >= -657434.0 && d < 2958466.0)) fail(at, "date out of range");
        return Variant::date(d);
    }
    if (kind == "Bytes") {
        if (!v.is_string()) fail(at, "expected base64 text");
        auto bytes = Base64Decode(v.get_ref<const std::string&>());
        if (!bytes) fail(at, "malformed base64 text");
        return Variant(std::move(*bytes));
    }
    if (kind == "Font") return Variant(std::shared_ptr<Object>(readFont(v, at)));
    if (kind == "Picture") return Variant(std::shared_ptr<Object>(readPicture(v, at)));
    if (kind == "Nothing" && v == true) return Variant(std::shared_ptr<Object>());
    if (kind == "Empty" && v == true) return Variant();
    fail(at, "unknown kind of value");
}

json PropertyBagJson::write(const PropertyBag& bag, const std::string& place) {
    json out = json::object();
    for (const auto& [key, value] : bag.entries()) {
        const std::string name = platform::ToUtf8(key);
        out[name] = writeValue(value, place + "." + name);
    }
    return out;
}

PropertyBag PropertyBagJson::read(const json& j, const std::string& place) {
    if (!j.is_object()) fail(place, "expected an object of properties");
    PropertyBag bag;
    for (const auto& [key, value] : j.items()) {
        const std::u16string name = platform::FromUtf8(key);
        if (name.empty()) fail(place, "a property without a name");
        if (bag.contains(name)) fail(place + "." + key, "property given twice");
        bag.store(name, readValue(value, place + "." + key));
    }
    return bag;
}

}  // namespace orvane
