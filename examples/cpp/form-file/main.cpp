// form-file: loads a form from a JSON file (order.json beside this program's source, or the
// file named on the command line), finds its controls by name as their own classes, connects
// typed handlers to their events, clicks through the form as a user would and checks what the
// handlers saw. Exits 1 when anything differs.
#include <cstdio>
#include <string>
#include <vector>

#include <orvane/controls/Controls.h>
#include <orvane/controls/buttons/ucButton.h>
#include <orvane/controls/buttons/ucCheck.h>
#include <orvane/controls/buttons/ucOption.h>
#include <orvane/controls/text/ucLabel.h>
#include <orvane/host/ControlClasses.h>
#include <orvane/host/Error.h>
#include <orvane/host/FormFile.h>
#include <orvane/host/TypeLibrary.h>
#include <orvane/platform/base/CodePages.h>
#include <orvane/platform/platform.h>
#include <orvane/platform/testing.h>

using namespace orvane;
using namespace orvane::platform;
using testing::TestPlatform;

// The control of that name, as class T (error 13, type mismatch, when it is another class).
template <class T>
T& find(Form& form, std::u16string_view name) {
    if (auto* control = dynamic_cast<T*>(&form.control(name))) return *control;
    throw Error(13, u"form-file", u"Type mismatch: " + std::u16string(name));
}

// A click in the middle of a control, as the mouse gives it; then every message is handled.
static void click(const UserControl& control) {
    RECT rc{};
    GetClientRect(control.hWnd(), &rc);
    const POINT p = TestPlatform::ClientToScreenPoint(control.hWnd(), rc.right / 2, rc.bottom / 2);
    TestPlatform::Click(p.x, p.y);
    TestPlatform::PumpMessages();
}

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : ORVANE_EXAMPLE_DIR "/order.json";
    HeadlessScreen::current().configure(800, 600, 96);
    registerControls(TypeLibrary::current(), ControlClasses::current());
    try {
        std::unique_ptr<Form> form = FormFile::loadFile(path);
        auto& summary = find<ucLabel>(*form, u"lblSummary");
        auto& gift = find<ucCheck>(*form, u"chkGift");
        auto& courier = find<ucOption>(*form, u"optCourier");
        auto& order = find<ucButton>(*form, u"cmdOrder");

        std::vector<std::string> seen;
        gift.connect(ucCheck::evClick, [&](std::vector<Variant>&) {
            seen.push_back(gift.Value() == CheckBoxConstants::vbChecked ? "gift on" : "gift off");
        });
        courier.connect(ucOption::evClick,
                        [&](std::vector<Variant>&) { seen.push_back("courier"); });
        order.connect(ucButton::evClick, [&](std::vector<Variant>&) {
            seen.push_back("order");
            summary.Caption(
                std::u16string(u"Ordered") +
                (gift.Value() == CheckBoxConstants::vbChecked ? u", gift-wrapped" : u"") +
                (courier.Value() ? u", by courier" : u", by post"));
        });
        form->Show();
        TestPlatform::PumpMessages();

        click(gift);
        click(courier);
        click(order);

        const std::vector<std::string> expected{"gift on", "courier", "order"};
        const std::u16string caption = u"Ordered, gift-wrapped, by courier";
        std::string got;
        for (const std::string& s : seen)
            got += (got.empty() ? "" : ", ") + s;
        if (seen != expected || summary.Caption() != caption ||
            find<ucOption>(*form, u"optPost").Value()) {
            std::fprintf(stderr, "form-file: saw [%s], caption \"%s\"\n", got.c_str(),
                         ToUtf8(summary.Caption()).c_str());
            return 1;
        }
        std::printf("form-file: saw [%s]\n", got.c_str());
    } catch (const Error& e) {
        std::fprintf(stderr, "form-file: %s\n", ToUtf8(e.description()).c_str());
        return 1;
    }
    return 0;
}
