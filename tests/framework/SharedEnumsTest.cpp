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
              static_cast<long>(UcsBackStyles::BS_NEWTRANSPARENT));
    EXPECT_EQ(library.enumValue(u"IBIconEnum", u"ibApplication"),
              static_cast<long>(IBIconEnum::ibApplication));
    EXPECT_EQ(library.enumValue(u"AlignEnumEx", u"AlignBotRight"),
              static_cast<long>(AlignEnumEx::AlignBotRight));
    // The theme states count from one, in the order the glyph strips use.
    EXPECT_EQ(static_cast<long>(UxThemeCheckBoxStates::CBS_MIXEDDISABLED), 12);
    EXPECT_EQ(library.enumValue(u"UxThemeCheckBoxStates", u"CBS_MIXEDDISABLED"), 12);
    EXPECT_EQ(static_cast<long>(UxThemeRadioButtonStates::RBS_CHECKEDDISABLED), 8);
    EXPECT_EQ(library.enumValue(u"UxThemePushButtonStates", u"PBS_DEFAULTED"),
              static_cast<long>(UxThemePushButtonStates::PBS_DEFAULTED));
    // Registering again replaces instead of adding.
    registerSharedEnums(library);
    EXPECT_EQ(library.enums().size(), 13u);
}

}  // namespace
}  // namespace orvane::test
