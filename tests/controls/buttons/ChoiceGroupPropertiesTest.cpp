// The choice groups' properties: defaults and published members of each, values refused with
// 380, lists shorter or longer than the captions, and every property through a form file
// under the family's keys.
#include <algorithm>

#include "controls/buttons/ChoiceGroupFixture.h"
#include "host/ErrorOf.h"
#include "host/FormFile.h"
#include "host/PropertyBag.h"
#include "support/RoundTrip.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;
using orvane::test::box;

namespace {

class ChoiceGroupProperties : public test::ChoiceGroupFixture {
protected:
    static bool published(const char16_t* cls, const char16_t* member) {
        const ClassInfo* info = TypeLibrary::current().findClass(cls);
        const auto named = [member](const auto& m) { return m.name == member; };
        return std::any_of(info->properties.begin(), info->properties.end(), named) ||
               std::any_of(info->methods.begin(), info->methods.end(), named);
    }
};

TEST_F(ChoiceGroupProperties, NewGroupsTakeTheFamilyDefaults) {
    Form form(u"Form1");
    for (int kind = 0; kind < 3; ++kind) {
        ChoiceGroup& g = groupOfKind(form, kind, u"", u"g" + FromUtf8(std::to_string(kind)));
        EXPECT_EQ(g.Caption(), u"");
        EXPECT_EQ(g.Count(), 0);
        EXPECT_EQ(g.RowsPerColumn(), 10);
        EXPECT_EQ(g.SelIndex(), -1);
        EXPECT_EQ(g.CheckSize(), 16);
        EXPECT_EQ(g.ImageSize(), 16);
        EXPECT_EQ(g.ForeColorSelected(), 0xFFFFFFu);
        EXPECT_EQ(g.BackColorHot(), 0xF7E4CCu);
        EXPECT_EQ(g.BackColorPressed(), 0xD77800u);
        EXPECT_EQ(g.BorderColorHot(), 0xD77800u);
        EXPECT_EQ(g.BorderColorPressed(), 0x995400u);
        EXPECT_EQ(g.BorderStyle(), BorderStyleEnum::FixedSingle);
        EXPECT_EQ(g.Borderwidth(), 1);
        EXPECT_FALSE(g.Sorted());
        EXPECT_FALSE(g.Stretch());
        EXPECT_FALSE(g.Autosize());
    }
    // What each member of the family has and has not.
    EXPECT_TRUE(published(u"ucOptionGroup", u"GroupNames"));
    EXPECT_TRUE(published(u"ucOptionGroup", u"SelIndexByGroup"));
    EXPECT_TRUE(published(u"ucOptionGroup", u"States"));
    EXPECT_FALSE(published(u"ucCheckGroup", u"GroupNames"));
    EXPECT_TRUE(published(u"ucCheckGroup", u"ToggleCheck"));
    EXPECT_TRUE(published(u"ucCheckGroup", u"Value"));
    EXPECT_TRUE(published(u"ucCheckGroup", u"Count"));
    EXPECT_FALSE(published(u"ucButtonGroup", u"GroupNames"));
    EXPECT_FALSE(published(u"ucButtonGroup", u"States"));
    EXPECT_TRUE(published(u"ucButtonGroup", u"Button"));
    EXPECT_TRUE(published(u"ucButtonGroup", u"Count"));
    for (const char16_t* cls : {u"ucOptionGroup", u"ucCheckGroup", u"ucButtonGroup"}) {
        EXPECT_TRUE(published(cls, u"SelectedIndex"));
        EXPECT_TRUE(published(cls, u"SelCaption"));
        EXPECT_TRUE(published(cls, u"GC"));
        EXPECT_FALSE(published(cls, u"Angle"));  // the background is never rotated
        EXPECT_TRUE(TypeLibrary::current().findClass(cls)->create != nullptr);
    }
}

TEST_F(ChoiceGroupProperties, OutOfRangeValuesRaise380AndChangeNothing) {
    Form form(u"Form1");
    auto& g = group<ucCheckGroup>(form, u"a|b|c");
    g.SelIndex(1);
    g.Value(0, true);
    EXPECT_EQ(test::errorOf([&] { g.SelIndex(3); }), 380);
    EXPECT_EQ(test::errorOf([&] { g.SelIndex(-2); }), 380);
    EXPECT_EQ(test::errorOf([&] { g.Value(3, true); }), 380);
    EXPECT_EQ(test::errorOf([&] { g.Value(-1, true); }), 380);
    EXPECT_EQ(test::errorOf([&] { (void)g.Value(7); }), 380);
    EXPECT_EQ(test::errorOf([&] { (void)g.Text(3); }), 380);
    EXPECT_EQ(test::errorOf([&] { g.Text(-1, u"x"); }), 380);
    EXPECT_EQ(test::errorOf([&] { g.CheckSize(-1); }), 380);
    EXPECT_EQ(test::errorOf([&] { g.Alignment(2); }), 380);
    EXPECT_EQ(g.SelIndex(), 1);
    EXPECT_EQ(g.States(), u"True|False|False");
    EXPECT_EQ(g.Caption(), u"a|b|c");
    // Through the type library the same.
    EXPECT_EQ(test::errorOf(
                  [&] { TypeLibrary::current().put(g, u"SelIndex", Variant(std::int32_t{9})); }),
              380);
    // ToggleCheck out of range does nothing at all.
    g.ToggleCheck(3);
    g.ToggleCheck(-1);
    EXPECT_EQ(g.States(), u"True|False|False");
}

TEST_F(ChoiceGroupProperties, ListsOfAnyLengthAndNoCaptionAreDefined) {
    Form form(u"Form1");
    auto& g = group<ucOptionGroup>(form, u"a|b|c");
    // Shorter lists leave the remaining items empty and False; longer ones are cut.
    g.States(u"True");
    EXPECT_EQ(g.States(), u"True|False|False");
    g.States(u"False|yes|True|True|True");  // not a truth value: False
    EXPECT_EQ(g.States(), u"False|False|True");
    g.GroupNames(u"x");
    EXPECT_EQ(g.items()[0].groupName, u"x");
    EXPECT_EQ(g.items()[2].groupName, u"");
    g.GroupNames(u"p|q|r|s|t");
    EXPECT_EQ(g.items().size(), 3u);
    EXPECT_EQ(g.items()[2].groupName, u"r");
    // Empty fields are items too.
    g.Caption(u"a||c|");
    EXPECT_EQ(g.Count(), 4);
    // No caption: no items, nothing selected, and the group still draws.
    g.SelIndex(3);
    g.Caption(u"");
    EXPECT_EQ(g.Count(), 0);
    EXPECT_EQ(g.SelIndex(), -1);
    EXPECT_TRUE(g.layoutResult().items.empty());
    g.Refresh();
    // Rows per column of zero or less: one row per column.
    g.Caption(u"a|b|c");
    for (int rows : {0, -4}) {
        g.RowsPerColumn(rows);
        EXPECT_EQ(g.layoutResult().items[1].rect.top, g.layoutResult().items[0].rect.top);
        EXPECT_GT(g.layoutResult().items[1].rect.left, g.layoutResult().items[0].rect.left);
    }
    // Image keys naming a device or a folder are no images (and are never read).
    g.ImagePath(u"/dev/");
    g.ImageKeys(u"zero|null|");
    EXPECT_EQ(g.GC()->GetImageCount(), 0);
    // No size at all.
    g.Width(0);
    g.Height(0);
    g.Refresh();
    // A stored SelIndex beyond the items reads as none.
    PropertyBag bag;
    bag.WriteProperty(u"Caption", Variant(u"a|b"));
    bag.WriteProperty(u"SelIndex", Variant(std::int32_t{5}));
    auto& stored = form.add<ucOptionGroup>(u"stored", -1, box(10, 140, 100, 60), nullptr, &bag);
    EXPECT_EQ(stored.Count(), 2);
    EXPECT_EQ(stored.SelIndex(), -1);
}

TEST_F(ChoiceGroupProperties, EveryPropertySurvivesAFormFile) {
    struct Case {
        const char16_t* cls;
        std::function<void(UserControl&)> change;
        const char* autosizeKey;
    };
    const std::vector<Case> cases{
        {u"ucOptionGroup",
         [](UserControl& c) {
             auto& g = static_cast<ucOptionGroup&>(c);
             setEveryProperty(g);
             g.GroupNames(u"x|x|y");
             g.States(u"True|False|True");
         },
         "\"AutoSize\""},
        {u"ucCheckGroup",
         [](UserControl& c) {
             auto& g = static_cast<ucCheckGroup&>(c);
             setEveryProperty(g);
             g.States(u"False|True|True");
         },
         "\"AutoSIze\""},
        {u"ucButtonGroup",
         [](UserControl& c) {
             auto& g = static_cast<ucButtonGroup&>(c);
             setEveryProperty(g);
             g.Button(true);
         },
         "\"AutoSIze\""},
    };
    for (const Case& k : cases) {
        const auto make = [this, &k](Form& form) -> UserControl& {
            const int kind = k.cls == std::u16string(u"ucOptionGroup")  ? 0
                             : k.cls == std::u16string(u"ucCheckGroup") ? 1
                                                                        : 2;
            return groupOfKind(form, kind, u"", u"ctl");
        };
        const test::RoundTrip trip = test::roundTrip(k.cls, make, k.change);
        EXPECT_GE(trip.compared, 30) << ToUtf8(k.cls);
        const std::string text = FormFile::save(*trip.loaded);
        EXPECT_NE(text.find(k.autosizeKey), std::string::npos) << ToUtf8(k.cls);
        EXPECT_NE(text.find("\"Borderwidth\""), std::string::npos) << ToUtf8(k.cls);
        EXPECT_EQ(text.find("\"Angle\""), std::string::npos) << ToUtf8(k.cls);
    }
}

}  // namespace
