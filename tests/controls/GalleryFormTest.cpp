// The gallery's form as the gallery runs it: resting the pointer on a control shows its tag in
// a tooltip without repainting any control, and a change to one control repaints that control
// alone.
#include <algorithm>
#include <map>

#include "platform/base/CodePages.h"

#include "controls/Controls.h"
#include "controls/buttons/ChoiceGroup.h"
#include "framework/drawing/cToolTip.h"
#include "host/ControlClasses.h"
#include "host/FormFile.h"
#include "host/TypeLibrary.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

std::map<std::uint32_t, int>& paints() {
    static std::map<std::uint32_t, int> counts;
    return counts;
}

LRESULT countPaints(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    if (msg == WM_PAINT) ++paints()[h.value];
    return DefSubclassProc(h, msg, w, l);
}

class GalleryFormTest : public test::PlatformTest {
protected:
    // Only `changed` (when given) was repainted, and the animated controls on their clocks.
    void expectPaintedAlone(Form& form, UserControl* changed) {
        const HWND animated[] = {form.control(u"lblAnimated").hWnd(),
                                 form.control(u"btnAnimated").hWnd(),
                                 form.control(u"imgStrip").hWnd()};
        if (changed) {
            EXPECT_GT(paints()[changed->hWnd().value], 0) << ToUtf8(form.nameOf(*changed));
        }
        for (UserControl* c : form.Controls()) {
            const HWND h = c->hWnd();
            if (c == changed ||
                std::find(std::begin(animated), std::end(animated), h) != std::end(animated))
                continue;
            EXPECT_EQ(paints()[h.value], 0) << ToUtf8(form.nameOf(*c));
        }
    }
    // The gallery shown with the pointer away from it, every control's paints counted.
    std::unique_ptr<Form> watchedGallery() {
        auto form = FormFile::loadFile(ORVANE_GALLERY_FORM, true);
        form->Show();
        platform->PumpMessages();
        platform->MouseMove(5, 5);
        platform->AdvanceTime(50);
        platform->PumpMessages();
        for (UserControl* c : form->Controls())
            SetWindowSubclass(c->hWnd(), countPaints, 1, 0);
        return form;
    }
    void unwatch(Form& form) {
        for (UserControl* c : form.Controls())
            RemoveWindowSubclass(c->hWnd(), countPaints, 1);
    }
    platform::testing::TestOptions options() const override {
        platform::testing::TestOptions o;
        o.width = 1400;
        o.height = 900;
        return o;
    }
    void SetUp() override {
        PlatformTest::SetUp();
        registerControls(TypeLibrary::current(), ControlClasses::current());
    }
};

TEST_F(GalleryFormTest, HoverShowsATooltipAndAChangeRepaintsOnlyItsControl) {
    auto form = FormFile::loadFile(ORVANE_GALLERY_FORM, true);
    TypeLibrary& lib = TypeLibrary::current();
    cToolTip tips;
    tips.Create(form->hWnd());
    for (UserControl* c : form->Controls()) {
        const std::u16string tag = CStr(lib.get(*c, u"Tag"));
        if (!tag.empty()) tips.AddTool(c->hWnd(), form->hWnd(), tag);
    }
    form->Show();
    platform->PumpMessages();
    // The pointer starts wherever the screen's centre falls; a label under it is hot and
    // repaints when it leaves, so it leaves first.
    platform->MouseMove(5, 5);
    platform->AdvanceTime(50);
    platform->PumpMessages();
    paints().clear();
    for (UserControl* c : form->Controls())
        SetWindowSubclass(c->hWnd(), countPaints, 1, 0);

    UserControl& text = form->control(u"lblText");
    const POINT p = platform->ClientToScreenPoint(text.hWnd(), 30, 5);
    platform->MouseMove(p.x - 2, p.y);
    platform->MouseMove(p.x, p.y);
    platform->AdvanceTime(GetDoubleClickTime() + 20);
    EXPECT_TRUE(IsWindowVisible(tips.ToolTipHandle()));
    EXPECT_EQ(tips.ToolTipText(text.hWnd()), CStr(lib.get(text, u"Tag")));
    platform->MouseMove(5, 5);  // away: the tip goes
    platform->AdvanceTime(300);
    EXPECT_FALSE(IsWindowVisible(tips.ToolTipHandle()));
    platform->PumpMessages();
    // The animated controls repaint on their own clocks; nothing else may.
    expectPaintedAlone(*form, nullptr);

    UserControl& status = form->control(u"lblStatus");
    lib.put(status, u"Caption", Variant(u"Changed"));
    platform->PumpMessages();
    expectPaintedAlone(*form, &status);
    for (UserControl* c : form->Controls())
        RemoveWindowSubclass(c->hWnd(), countPaints, 1);
}

TEST_F(GalleryFormTest, HoveringAButtonRepaintsThatButtonAlone) {
    auto form = watchedGallery();
    for (const char16_t* name : {u"btnStandard", u"btnOpaque", u"btnStacked"}) {
        paints().clear();
        UserControl& button = form->control(name);
        const POINT p = platform->ClientToScreenPoint(button.hWnd(), 30, 10);
        platform->MouseMove(p.x, p.y);
        platform->PumpMessages();
        expectPaintedAlone(*form, &button);
        paints().clear();
        platform->MouseMove(5, 5);
        platform->AdvanceTime(20);  // the hover poll notices
        platform->PumpMessages();
        expectPaintedAlone(*form, &button);
    }
    unwatch(*form);
}

TEST_F(GalleryFormTest, HoveringGroupItemsRepaintsThatGroupAlone) {
    auto form = watchedGallery();
    for (const char16_t* name : {u"optGroup", u"chkGroup", u"btnGroup"}) {
        paints().clear();
        auto& group = static_cast<ChoiceGroup&>(form->control(name));
        ASSERT_GE(group.Count(), 3);
        for (int item = 0; item < 3; ++item) {
            const RECT& r = group.layoutResult().items[item].rect;
            const POINT p = platform->ClientToScreenPoint(group.hWnd(), (r.left + r.right) / 2,
                                                          (r.top + r.bottom) / 2);
            platform->MouseMove(p.x, p.y);
            platform->PumpMessages();
        }
        platform->MouseMove(5, 5);
        platform->AdvanceTime(20);  // the hover poll notices
        platform->PumpMessages();
        expectPaintedAlone(*form, &group);
    }
    unwatch(*form);
}

}  // namespace
