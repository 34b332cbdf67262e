// late-bound: the hello program again, written as a host or a language binding would write it:
// controls are created by class name, and every property, method and event is reached by its
// published name through the type library; no control header is included. The program clicks
// the button as the mouse would and checks the caption. Exits 1 when it is wrong.
#include <orvane/controls/Controls.h>
#include <orvane/host/ControlClasses.h>
#include <orvane/host/Error.h>
#include <orvane/host/Form.h>
#include <orvane/host/TypeLibrary.h>
#include <orvane/platform/base/CodePages.h>
#include <orvane/platform/platform.h>
#include <orvane/platform/testing.h>
#include <cstdio>

using namespace orvane;
using namespace orvane::platform;

// Sites a new control of class `className` on the form, named `name`, at a place in pixels.
static UserControl& create(Form& form, std::u16string_view className, const std::u16string& name,
                           int left, int top, int width, int height) {
    const ControlClasses::Factory* factory = ControlClasses::current().find(className);
    if (!factory) throw Error::standard(429, u"late-bound");  // cannot create the object
    Extender place;
    place.Move(left * 15, top * 15, width * 15, height * 15);
    return form.add((*factory)(), name, -1, std::move(place));
}

int main() {
    HeadlessScreen::current().configure(640, 480, 96);
    registerControls(TypeLibrary::current(), ControlClasses::current());
    const TypeLibrary& lib = TypeLibrary::current();
    try {
        Form form(u"Hello", true, 260 * 15, 110 * 15);
        UserControl& label = create(form, u"ucLabel", u"lblGreeting", 16, 16, 220, 24);
        UserControl& button = create(form, u"ucButton", u"cmdGreet", 16, 52, 120, 32);
        lib.put(label, u"Caption", Variant(u"Nobody has clicked yet"));
        lib.put(button, u"Caption", Variant(u"&Greet"));
        int clicks = 0;
        lib.connect(button, u"Click", [&](std::vector<Variant>&) {
            ++clicks;
            lib.put(label, u"Caption", Variant(u"Hello, world!"));
        });
        form.Show();
        std::vector<Variant> none;
        lib.call(button, u"Refresh", none);  // a method by name
        testing::TestPlatform::PumpMessages();

        // The window handle, read by name as a binding reads it, then a click in its middle.
        const HWND hwnd(static_cast<std::uint32_t>(CLng(lib.get(button, u"hWnd"))));
        const POINT middle = testing::TestPlatform::ClientToScreenPoint(hwnd, 60, 16);
        testing::TestPlatform::Click(middle.x, middle.y);
        testing::TestPlatform::PumpMessages();

        const std::u16string caption = CStr(lib.get(label, u"Caption"));
        if (clicks != 1 || caption != u"Hello, world!") {
            std::fprintf(stderr, "late-bound: %d clicks, caption \"%s\"\n", clicks,
                         ToUtf8(caption).c_str());
            return 1;
        }
    } catch (const Error& e) {
        std::fprintf(stderr, "late-bound: %s\n", ToUtf8(e.description()).c_str());
        return 1;
    }
    std::puts("late-bound: the click changed the caption");
    return 0;
}
