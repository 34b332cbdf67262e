// Property bags as JSON, the way form files hold them, keys in the order written. Strings, 32-bit
// integers and booleans are plain JSON values; every other kind is an object with one key naming
// it:
//   {"Integer": 5}  {"Byte": 200}  {"Single": 1.5}  {"Double": 2.25}  {"Date": 45000.5}
//   {"Bytes": "<base64>"}  {"Font": {"Name": "Arial", "Size": 9, ...}}  {"Nothing": true}
//   {"Empty": true}; null is Null. Doubles that JSON cannot hold are "NaN", "Infinity" and
//   "-Infinity".
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "host/PropertyBag.h"

namespace orvane {

class PropertyBagJson {
public:
    // Error 321 for a value JSON cannot hold (an object other than a font).
    static nlohmann::ordered_json write(const PropertyBag& bag, const std::string& place);
    // The bag a JSON object holds. Anything malformed raises error 321 whose description
    // starts with the place ("Form1.Label1.Caption: ...") and says what is wrong.
    static PropertyBag read(const nlohmann::ordered_json& json, const std::string& place);

    // Checked reads of one JSON value, for the other parts of a form file: error 321 naming
    // `place` for a value of another kind or out of range.
    static long long readInteger(const nlohmann::ordered_json& json, const std::string& place,
                                 long long lo, long long hi);
    static bool readBool(const nlohmann::ordered_json& json, const std::string& place);
    static std::u16string readString(const nlohmann::ordered_json& json, const std::string& place);

    static nlohmann::ordered_json writeValue(const Variant& value, const std::string& place);
    static Variant readValue(const nlohmann::ordered_json& json, const std::string& place);
};

}  // namespace orvane
