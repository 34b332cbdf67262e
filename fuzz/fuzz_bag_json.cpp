// Property bags read from form-file JSON: any text either loads or raises a plain error, and
// what loads writes back to JSON that loads to the same values.
#include <cstdint>
#include <cstdlib>

#include "host/Error.h"
#include "host/PropertyBagJson.h"

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto json = nlohmann::ordered_json::parse(data, data + size, nullptr, false);
    if (json.is_discarded()) return 0;
    PropertyBag bag;
    try {
        bag = PropertyBagJson::read(json, "F");
    } catch (const Error&) {
        return 0;
    }
    const PropertyBag again = PropertyBagJson::read(PropertyBagJson::write(bag, "F"), "F");
    if (again.entries().size() != bag.entries().size()) std::abort();
    for (std::size_t i = 0; i < bag.entries().size(); ++i) {
        const Variant& a = bag.entries()[i].second;
        const Variant& b = again.entries()[i].second;
        if (a.kind() != b.kind()) std::abort();
    }
    return 0;
}
