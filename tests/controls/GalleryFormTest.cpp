// The gallery's form as the gallery runs it: resting the pointer on a control shows its tag in
// a tooltip without repainting any control, and a change to one control repaints that control
// alone.
#include <map>

#include "platform/base/CodePages.h"

#include "controls/Controls.h"
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
    // The animated label repaints on its own clock; nothing else may.
    const HWND animated = form->control(u"lblAnimated").hWnd();
    for (const auto& [window, count] : paints())
        if (window != animated.value) {
            EXPECT_EQ(count, 0) << "window " << window;
        }

    UserControl& status = form->control(u"lblStatus");
    lib.put(status, u"Caption", Variant(u"Changed"));
    platform->PumpMessages();
    EXPECT_GT(paints()[status.hWnd().value], 0);
    for (UserControl* c : form->Controls()) {
        if (c != &status && c->hWnd() != animated) {
            EXPECT_EQ(paints()[c->hWnd().value], 0) << ToUtf8(form->nameOf(*c));
        }
    }
    for (UserControl* c : form->Controls())
        RemoveWindowSubclass(c->hWnd(), countPaints, 1);
}

}  // namespace
