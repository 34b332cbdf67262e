// custom-control: a control of the application's own, a colour swatch, built as the library's
// controls are (on OwnerDrawnControl, properties declared once in a PropertyTable, standard
// events from its Event numbers, published in the type library and as a form-file class).
// The program loads it from swatch.json, changes its colour from a Lua script, checks the
// pixels it draws and saves the form and loads it again to check the colour came through.
// Exits 1 when anything differs.
#include <orvane/orvane.h>
#include <cstdio>

using namespace orvane;
using namespace orvane::platform;

// A rectangle filled with Color inside the common border; it raises Click and the hover
// events.
class ColorSwatch : public OwnerDrawnControl {
public:
    enum Event { evClick = 1, evMouseEnter, evMouseLeave };

    ColorSwatch() : OwnerDrawnControl(StandardEvents::of<ColorSwatch>()) {}
    std::u16string className() const override { return u"ColorSwatch"; }

    // The fill: an RGB value (0x00BBGGRR) or a system colour.
    OLE_COLOR Color() const { return m_color; }
    void Color(OLE_COLOR value) { setProperty(m_color, value); }

    static void registerClass(TypeLibrary& library, ControlClasses& classes) {
        ClassBuilder<ColorSwatch> b(u"ColorSwatch");
        b.creatable();
        table().publish(b);
        publishCommonMethods(b, false);
        StandardEvents::of<ColorSwatch>().publish(b);
        library.registerClass(b.build());
        classes.add(u"ColorSwatch", [] { return std::make_unique<ColorSwatch>(); });
    }

protected:
    const PropertyTable& properties() const override { return table(); }
    void Paint() override {
        const HDC dc = hDC();
        const RECT rc{0, 0, static_cast<int>(ScaleWidth()), static_cast<int>(ScaleHeight())};
        RECT inside = rc;
        InflateRect(&inside, -contentInset(), -contentInset());
        const HBRUSH brush = CreateSolidBrush(TranslateColor(m_color));
        FillRect(dc, &inside, brush);
        DeleteObject(brush);
        drawStateBorder(dc, rc, true, false);
    }

private:
    // The common properties, and Color: red for a new swatch and as the stored default.
    static const PropertyTable& table() {
        static const PropertyTable table = [] {
            PropertyTable t;
            declareCommon<ColorSwatch>(t);
            t.add<ColorSwatch>(u"Color", &ColorSwatch::m_color, OLE_COLOR{0xFF}, OLE_COLOR{0xFF})
                .repaint();
            return t;
        }();
        return table;
    }

    OLE_COLOR m_color = 0xFF;
};

// The script: reads the colour the form file stored, counts clicks, and turns the swatch blue.
static const char* const kScript = R"(
local swatch = form.swatch
test.check(swatch.Color == 0x00FF00, "the form file's colour is green, not " .. swatch.Color)
local clicks = 0
on(swatch, "Click", function() clicks = clicks + 1 end)
test.click(swatch)
test.check(clicks == 1, "one click, not " .. clicks)
swatch.Color = 0xFF0000
)";

static int fail(const char* what) {
    std::fprintf(stderr, "custom-control: %s\n", what);
    return 1;
}

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : ORVANE_EXAMPLE_DIR "/swatch.json";
    HeadlessScreen::current().configure(800, 600, 96);
    registerControls(TypeLibrary::current(), ControlClasses::current());
    ColorSwatch::registerClass(TypeLibrary::current(), ControlClasses::current());
    try {
        std::unique_ptr<Form> form = FormFile::loadFile(path);
        form->Show();
        testing::TestPlatform::PumpMessages();
        auto* swatch = dynamic_cast<ColorSwatch*>(&form->control(u"swatch"));
        if (!swatch) return fail("swatch is not a ColorSwatch");

        // Real time, real injected input: no virtual clock.
        ScriptDriver driver(nullptr);
        LuaHost lua(*form, &driver);
        std::string error;
        if (!lua.run(kScript, "swatch.lua", error)) return fail(error.c_str());
        testing::TestPlatform::PumpMessages();
        if (swatch->Color() != 0xFF0000) return fail("the script did not set Color");
        // Blue in the middle of the swatch, as COLORREF 0x00BBGGRR.
        if (testing::TestPlatform::ClientPixel(swatch->hWnd(), 40, 30) != 0xFF0000)
            return fail("the swatch does not draw its colour");

        // Saved and loaded again, the colour is the script's.
        std::unique_ptr<Form> again = FormFile::load(FormFile::save(*form));
        if (static_cast<ColorSwatch&>(again->control(u"swatch")).Color() != 0xFF0000)
            return fail("Color did not survive saving and loading");
    } catch (const Error& e) {
        return fail(ToUtf8(e.description()).c_str());
    }
    std::puts("custom-control: loaded, scripted, drawn and saved");
    return 0;
}
