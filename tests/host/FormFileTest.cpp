// Forms through JSON files: what is saved loads back the same, and a bad file loads nothing
// and says where it is wrong.
#include <string>

#include "host/ControlClasses.h"
#include "host/Error.h"
#include "host/FormFile.h"
#include "platform/base/CodePages.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

// A control with one stored property; a caption of "boom" fails to load, as a control whose
// ReadProperties raises.
class TextBoxLike : public UserControl {
public:
    std::u16string caption;
    std::u16string className() const override { return u"TestBox"; }

protected:
    void InitProperties() override { caption = Ambient().DisplayName(); }
    void ReadProperties(const PropertyBag& bag) override {
        caption = CStr(bag.ReadProperty(u"Caption", u""));
        if (caption == u"boom") throw Error::standard(errors::InvalidPropertyValue, u"TestBox");
    }
    void WriteProperties(PropertyBag& bag) override { bag.WriteProperty(u"Caption", caption, u""); }
};

class FormFileTest : public test::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        ControlClasses::current().add(u"TestBox", [] { return std::make_unique<TextBoxLike>(); });
    }

    // The error loading `text` raises ("" when it loads); nothing may be left alive after it.
    std::string loadError(const std::string& text) {
        try {
            FormFile::load(text);
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), 321);
            EXPECT_EQ(platform::testing::TestPlatform::LiveUserObjects(), 0u) << text;
            return platform::ToUtf8(e.description());
        }
        return "";
    }
};

const char* const kForm = R"json({
  "Form": {"Name": "Main", "Width": 6000, "Height": 4000, "Default": "opt(0)", "Cancel": "Fresh"},
  "Controls": [
    {"Class": "TestBox", "Name": "Frame", "Left": 120, "Top": 120, "Width": 3000, "Height": 2000,
     "Properties": {"Caption": "Options"}},
    {"Class": "testbox", "Name": "Opt", "Index": 0, "Container": "Frame", "Left": 60, "Top": 60,
     "Properties": {"Caption": "First"}},
    {"Class": "TestBox", "Name": "Opt", "Index": 1, "Container": "Frame", "Left": 60, "Top": 600,
     "Visible": false, "TabIndex": 0, "Tag": "spare", "Properties": {"Caption": "Second"}},
    {"Class": "TestBox", "Name": "Fresh", "Enabled": false, "TabStop": false, "Align": 2}
  ]
})json";

}  // namespace

TEST_F(FormFileTest, ASavedFormLoadsBackTheSame) {
    auto form = FormFile::load(kForm);
    ASSERT_EQ(form->Controls().size(), 4u);
    auto& frame = static_cast<TextBoxLike&>(form->control(u"Frame"));
    auto& second = static_cast<TextBoxLike&>(form->control(u"opt", 1));
    EXPECT_EQ(frame.caption, u"Options");
    EXPECT_EQ(second.caption, u"Second");
    EXPECT_EQ(form->containerOf(second), &frame);
    EXPECT_EQ(GetParent(second.hWnd()), frame.hWnd());
    EXPECT_EQ(form->TabIndex(second), 0);
    EXPECT_FALSE(second.Extender().Visible());
    EXPECT_EQ(CStr(second.Extender().Tag()), u"spare");
    auto& fresh = static_cast<TextBoxLike&>(form->control(u"Fresh"));
    EXPECT_EQ(fresh.caption, u"");  // stored (with no properties): ReadProperties, not Init
    EXPECT_FALSE(form->TabStop(fresh));
    EXPECT_FALSE(IsWindowEnabled(fresh.hWnd()));
    EXPECT_EQ(fresh.Extender().Top(), form->ScaleHeight() - 480);  // docked to the bottom
    EXPECT_EQ(fresh.Extender().Width(), 6000);
    EXPECT_EQ(form->Default(), &form->control(u"Opt", 0));
    EXPECT_EQ(form->Cancel(), &fresh);
    EXPECT_TRUE(form->Default()->Ambient().DisplayAsDefault());

    second.caption = u"Zweite \U0001F600";
    const std::string saved = FormFile::save(*form);
    form.reset();
    auto again = FormFile::load(saved, false);
    EXPECT_FALSE(again->control(u"Frame").Ambient().UserMode());
    EXPECT_EQ(static_cast<TextBoxLike&>(again->control(u"Opt", 1)).caption, u"Zweite \U0001F600");
    EXPECT_EQ(FormFile::save(*again), saved);
    EXPECT_NE(saved.find(R"x("Default": "Opt(0)")x"), std::string::npos);
    EXPECT_EQ(saved.find("ZOrder"), std::string::npos);  // creation order needs no keys
}

TEST_F(FormFileTest, ZOrderOtherThanCreationOrderIsKept) {
    auto form = FormFile::load(kForm);
    // Among the frame's options, the first is brought in front of the second; on the form,
    // the frame goes behind the docked box (it already is) and stays so.
    form->control(u"Opt", 0).Extender().ZOrder(0);
    const auto stack = [](Form& f, UserControl& parentOf) {
        std::vector<std::u16string> names;  // front to back
        for (HWND w = GetWindow(GetParent(parentOf.hWnd()), GW_CHILD); w;
             w = GetWindow(w, GW_HWNDNEXT))
            for (UserControl* c : f.Controls())
                if (c->hWnd() == w)
                    names.push_back(
                        f.nameOf(*c) + u"/" +
                        std::u16string(1, static_cast<char16_t>(u'0' + f.indexOf(*c) + 1)));
        return names;
    };
    const auto before = stack(*form, form->control(u"Opt", 0));
    EXPECT_EQ(before, (std::vector<std::u16string>{u"Opt/1", u"Opt/2"}));
    const std::string saved = FormFile::save(*form);
    EXPECT_NE(saved.find(R"("ZOrder": 1)"), std::string::npos);
    auto again = FormFile::load(saved);
    EXPECT_EQ(stack(*again, again->control(u"Opt", 0)), before);
    EXPECT_EQ(FormFile::save(*again), saved);
    form.reset();
    again.reset();
    EXPECT_EQ(
        loadError(
            R"({"Form": {"Name": "F"}, "Controls": [{"Class": "TestBox", "Name": "A", "ZOrder": -1}]})"),
        "F.A.ZOrder: number out of range");
}

TEST_F(FormFileTest, ABadFileLoadsNothingAndSaysWhere) {
    EXPECT_EQ(loadError(R"({"Form": {"Name": "F"}, "Controls": [)"),
              "form file: malformed JSON at byte 38");
    // FormFileNumberOverflowEscapedTheLoader: found by fuzzing.
    EXPECT_EQ(loadError(R"({"Form": {"Name": "F", "Width": 4E3666}})"),
              "form file: a number is out of range");
    EXPECT_EQ(loadError(R"({"Form": {"Name": "F"}, "Extra": 1})"),
              "form file: unknown key \"Extra\"");
    EXPECT_EQ(loadError(R"({"Controls": []})"), "form file: \"Form\" is missing");
    EXPECT_EQ(loadError(R"({"Form": {"Name": "F", "Colour": 1}})"), "F: unknown key \"Colour\"");
    EXPECT_EQ(loadError(R"({"Form": {"Name": "F", "Default": "OK"}})"),
              "F.Default: no control is named \"OK\"");
    EXPECT_EQ(loadError(R"({"Form": {"Name": "F"}, "Controls": [{"Class": "Nope", "Name": "A"}]})"),
              "F.A.Class: unknown class \"Nope\"");
    EXPECT_EQ(loadError(R"({"Form": {"Name": "F"}, "Controls": [{"Class": "TestBox"}]})"),
              "F.Controls[0]: \"Name\" is missing");
    EXPECT_EQ(loadError(R"({"Form": {"Name": "F"}, "Controls": [{"Class": "TestBox", "Name": "A",
                      "Container": "B"}]})"),
              "F.A.Container: no earlier control is named \"B\"");
    EXPECT_EQ(loadError(R"({"Form": {"Name": "F"}, "Controls": [
                  {"Class": "TestBox", "Name": "A", "Index": 2},
                  {"Class": "TestBox", "Name": "a", "Index": 2}]})"),
              "F.a(2): a control of this name and index comes earlier");
    EXPECT_EQ(loadError(R"({"Form": {"Name": "F"}, "Controls": [
                  {"Class": "TestBox", "Name": "A", "Width": -5}]})"),
              "F.A.Width: number out of range");
    EXPECT_EQ(loadError(R"({"Form": {"Name": "F"}, "Controls": [
                  {"Class": "TestBox", "Name": "A", "Properties": {"Caption": {"Byte": 300}}}]})"),
              "F.A.Caption.Byte: number out of range");
    // A control that fails in ReadProperties takes the controls loaded before it along.
    EXPECT_EQ(loadError(R"({"Form": {"Name": "F"}, "Controls": [
                  {"Class": "TestBox", "Name": "A"},
                  {"Class": "TestBox", "Name": "B", "Properties": {"Caption": "boom"}}]})"),
              "F.B: error 380 while loading: Invalid property value");
    try {
        FormFile::loadFile("/nonexistent/form.json");
        FAIL() << "a missing file loaded";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 53);
    }
}

TEST_F(FormFileTest, ContainersAndDefaultsAreFoundByTheFirstMatchingLabel) {
    // "A(1)" names both a control called so and member 1 of the array A; the earlier one wins.
    auto form = FormFile::load(R"json({"Form": {"Name": "F", "Default": "a(1)", "Cancel": "B"},
        "Controls": [
          {"Class": "TestBox", "Name": "A(1)"},
          {"Class": "TestBox", "Name": "A", "Index": 1},
          {"Class": "TestBox", "Name": "b", "Container": "a(1)"},
          {"Class": "TestBox", "Name": "C", "Index": 7, "Container": "B"},
          {"Class": "TestBox", "Name": "D", "Container": "c(7)"}]})json");
    UserControl& first = form->control(u"A(1)");
    EXPECT_EQ(form->containerOf(form->control(u"B")), &first);
    EXPECT_EQ(form->containerOf(form->control(u"c", 7)), &form->control(u"b"));
    EXPECT_EQ(form->containerOf(form->control(u"d")), &form->control(u"C", 7));
    EXPECT_EQ(form->Default(), &first);
    EXPECT_EQ(form->Cancel(), &form->control(u"b"));
}
