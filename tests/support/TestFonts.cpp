// Points fontconfig at the tests' own configuration before anything asks for a font, so that
// text results do not depend on the machine's other fonts.
#include <cstdlib>

namespace {

const bool kFontsPinned = [] {
#ifdef ORVANE_TEST_FONTS_CONF
    setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
#endif
    return true;
}();

}  // namespace
