// The shared enumerations as scripts and form files find them.
#include <gtest/gtest.h>

#include "framework/SharedEnums.h"
#include "host/TypeLibrary.h"

namespace orvane::test {
namespace {

TEST(SharedEnumsTest, PublishedNamesKeepSpacesAndLeadingDigits) {
    TypeLibrary library;
    registerSharedEnums(library);
    EXPECT_EQ(library.enumValue(u"BorderStyleEnum", u"Fixed Single"), 1);
    EXPECT_EQ(library.enumValue(u"AppearanceEnum", u"3D"), 1);
    EXPECT_EQ(library.enumValue(u"AlignEnum", u"Right Justify"), 1);
    EXPECT_EQ(library.enumValue(u"bordersTyleenum", u"fixed single"), 1);  // names ignore case
    EXPECT_FALSE(library.enumValue(u"BorderStyleEnum", u"FixedSingle"));   // but not spaces
    EXPECT_FALSE(library.enumValue(u"NoSuchEnum", u"None"));
    EXPECT_EQ(library.enumMemberName(u"ButtonStyleEnum", 4), u"styGraphicalStacked");
    EXPECT_EQ(library.enumMemberName(u"ButtonStyleEnum", 9), u"");
}

TEST(SharedEnumsTest, CodeAndLibraryAgreeOnEveryValue) {
    TypeLibrary library;
    registerSharedEnums(library);
    EXPECT_EQ(library.enums().size(), 13u);
    EXPECT_EQ(library.enumValue(u"UcsBackStyles", u"BS_NEWTRANSPARENT"),
              static_cast<std::int32_t>(UcsBackStyles::BS_NEWTRANSPARENT));
    EXPECT_EQ(library.enumValue(u"IBIconEnum", u"ibApplication"),
              static_cast<std::int32_t>(IBIconEnum::ibApplication));
    EXPECT_EQ(library.enumValue(u"AlignEnumEx", u"AlignBotRight"),
              static_cast<std::int32_t>(AlignEnumEx::AlignBotRight));
    // The theme states count from one, in the order the glyph strips use.
    EXPECT_EQ(static_cast<std::int32_t>(UxThemeCheckBoxStates::CBS_MIXEDDISABLED), 12);
    EXPECT_EQ(library.enumValue(u"UxThemeCheckBoxStates", u"CBS_MIXEDDISABLED"), 12);
    EXPECT_EQ(static_cast<std::int32_t>(UxThemeRadioButtonStates::RBS_CHECKEDDISABLED), 8);
    EXPECT_EQ(library.enumValue(u"UxThemePushButtonStates", u"PBS_DEFAULTED"),
              static_cast<std::int32_t>(UxThemePushButtonStates::PBS_DEFAULTED));
    // Registering again replaces instead of adding.
    registerSharedEnums(library);
    EXPECT_EQ(library.enums().size(), 13u);
}

}  // namespace
}  // namespace orvane::test
