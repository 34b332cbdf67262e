// An application of its own, built against an installed Orvane: a form with a label and a
// button; the program clicks the button as the mouse would and checks that its handler changed
// the label. Runs on the headless screen. Exits 1 when the caption is wrong.
#include <orvane/host/Form.h>
#include <orvane/orvane.h>
#include <cstdio>

using namespace orvane;
using namespace orvane::platform;

int main() {
    HeadlessScreen::current().configure(640, 480, 96);
    registerControls(TypeLibrary::current(), ControlClasses::current());

    Form form(u"Consumer", true, 3600, 1500);
    Extender labelPlace, buttonPlace;
    labelPlace.Move(240, 240, 3000, 360);
    buttonPlace.Move(240, 780, 1800, 480);
    auto& label = form.add<ucLabel>(u"lblStatus", -1, labelPlace);
    auto& button = form.add<ucButton>(u"cmdGo", -1, buttonPlace);
    button.Caption(u"&Go");
    button.connect(ucButton::evClick, [&](std::vector<Variant>&) { label.Caption(u"Clicked"); });
    form.Show();
    testing::TestPlatform::PumpMessages();

    const POINT p = testing::TestPlatform::ClientToScreenPoint(button.hWnd(), 20, 10);
    testing::TestPlatform::Click(p.x, p.y);
    testing::TestPlatform::PumpMessages();
    if (label.Caption() != u"Clicked") {
        std::fprintf(stderr, "consumer: the click did not reach the handler\n");
        return 1;
    }
    std::printf("consumer: Orvane %s, the click changed the caption\n", versionString());
    return 0;
}
