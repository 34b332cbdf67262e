// Control property bags from untrusted form files: any text either loads or raises a plain error;
// what loads lays out, paints, saves and loads again, and unloading leaves no window or GDI
// object behind.
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "controls/Controls.h"
#include "host/ControlClasses.h"
#include "host/Error.h"
#include "host/FormFile.h"
#include "host/TypeLibrary.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

// The controls whose stored properties are fuzzed.
constexpr const char* kClasses[] = {
    "ucLabel",  "ucLabelHTML",   "ucButton",     "ucCheck",       "ucOption",
    "ucFrame",  "ucOptionGroup", "ucCheckGroup", "ucButtonGroup", "ucProgressBar",
    "ucUpDown", "ucImageList",   "ucImage",      "ucPicture",     "ucShape",
    "ucText",   "ucTextGroup",   "ucMenu",       "ucListView",    "ucTreeView"};

// The input is the "Properties" object of one control; the first byte picks the class.
std::string formWith(const std::uint8_t* data, std::size_t size) {
    const char* cls = kClasses[size ? data[0] % std::size(kClasses) : 0];
    const std::string_view props(reinterpret_cast<const char*>(data) + (size ? 1 : 0),
                                 size ? size - 1 : 0);
    return std::string("{\"Form\":{\"Name\":\"F\",\"Width\":3000,\"Height\":2000},\"Controls\":[") +
           "{\"Class\":\"" + cls + "\",\"Name\":\"L\",\"Left\":150,\"Top\":150,\"Width\":1800," +
           "\"Height\":600,\"Properties\":" + std::string(props) + "}]}";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::TestPlatform* platform = [] {
        setenv("FONTCONFIG_FILE", ORVANE_FUZZ_FONTS_CONF, 1);
        auto* p = new testing::TestPlatform();
        registerControls(TypeLibrary::current(), ControlClasses::current());
        return p;
    }();
    const DWORD gdiBefore = testing::TestPlatform::LiveGdiObjects();
    const DWORD userBefore = testing::TestPlatform::LiveUserObjects();
    {
        std::string saved;
        try {
            auto form = FormFile::load(formWith(data, size));
            form->Show();
            // Controls whose window the program builds (the list and tree views) build it from
            // the loaded properties.
            TypeLibrary& lib = TypeLibrary::current();
            for (UserControl* c : form->Controls()) {
                std::vector<Variant> none;
                if (lib.findMethod(*c, u"Initialize")) lib.call(*c, u"Initialize", none);
            }
            platform->PumpMessages();
            saved = FormFile::save(*form);
        } catch (const Error&) {
            // A refused form, however far it got, leaves nothing behind either.
        }
        if (!saved.empty()) {
            // What was saved loads again.
            auto again = FormFile::load(saved);
            again->Show();
            platform->PumpMessages();
        }
    }
    platform->PumpMessages();
    if (testing::TestPlatform::LiveGdiObjects() != gdiBefore ||
        testing::TestPlatform::LiveUserObjects() != userBefore)
        std::abort();
    return 0;
}
