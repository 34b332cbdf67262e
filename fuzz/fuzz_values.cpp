// Values read from outside (property bags, form files, scripts): texts converted to numbers,
// booleans and dates, and property bags written and read back, must never crash, and a
// value written must read back equal.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/Error.h"
#include "host/PropertyBag.h"
#include "host/Variant.h"

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    if (!text.empty()) std::memcpy(text.data(), data, text.size() * 2);
    const Variant v(text);
    for (int i = 0; i < 7; ++i) {
        try {
            switch (i) {
                case 0:
                    (void)CLng(v);
                    break;
                case 1:
                    (void)CInt(v);
                    break;
                case 2:
                    (void)CByte(v);
                    break;
                case 3:
                    (void)CBool(v);
                    break;
                case 4:
                    (void)v.toDate();
                    break;
                case 5: {
                    const double d = CDbl(v);
                    // A number's text reads back as the same number when it is finite.
                    const std::u16string s = CStr(Variant(d));
                    if (std::isfinite(d) && CDbl(Variant(s)) != d &&
                        std::fabs(CDbl(Variant(s)) - d) > std::fabs(d) * 1e-14)
                        std::abort();
                    break;
                }
                case 6:
                    (void)Val(text);
                    break;
            }
        } catch (const Error& e) {
            if (e.number() != 6 && e.number() != 13) std::abort();  // only overflow or mismatch
        }
    }
    PropertyBag bag;
    bag.WriteProperty(text, v, Variant());
    if (!(bag.ReadProperty(text) == v)) std::abort();
    bag.WriteProperty(text, Variant(), Variant());
    if (bag.contains(text)) std::abort();
    return 0;
}
