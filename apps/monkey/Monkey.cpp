#include "Monkey.h"

#include "GalleryLists.h"
#include "GalleryTrees.h"
#include "GalleryMenu.h"

#include <algorithm>
#include <vector>

#include "host/ControlClasses.h"
#include "host/Error.h"
#include "host/FormFile.h"
#include "host/PropertyBag.h"
#include "host/UserControl.h"
#include "platform/base/CodePages.h"

namespace orvane {

using namespace platform;
using testing::MouseButton;
using testing::TestPlatform;

namespace {

// Objects a running form may hold at once beyond what it started with (caches, tooltips).
constexpr std::uint32_t kObjectSlack = 2000;

// Text in other scripts, typed into whatever has the focus.
const char16_t* const kTexts[] = {u"hello",  u"Ελληνικά", u"مرحبا",   u"שלום", u"日本語テキスト",
                                  u"한국어", u"🙂👍", u"e\u0301", u"\t",   u"&"};

const int kKeys[] = {VK_TAB,   VK_LEFT, VK_RIGHT, VK_UP,   VK_DOWN,   VK_RETURN, VK_ESCAPE,
                     VK_SPACE, VK_HOME, VK_END,   VK_BACK, VK_DELETE, VK_F1,     'A',
                     'B',      'S',     'P',      'T',     'N',       'R',       'X'};

}  // namespace

Monkey::Monkey(TestPlatform& platform, std::string formText, std::uint64_t seed)
    : m_platform(platform), m_formText(std::move(formText)), m_random(seed) {
    m_gdiAtStart = TestPlatform::LiveGdiObjects();
    m_userAtStart = TestPlatform::LiveUserObjects();
    m_form = FormFile::load(m_formText);
    buildGalleryMenu(*m_form);
    fillGalleryLists(*m_form);
    fillGalleryTrees(*m_form);
    m_form->Show();
    TestPlatform::PumpMessages();
    m_controlsAtStart = m_form->Controls().size();
}

Monkey::~Monkey() = default;

bool Monkey::run(int steps) {
    for (int i = 0; i < steps && m_failure.empty(); ++i) {
        ++m_step;
        try {
            step();
        } catch (const Error& e) {
            // The library may refuse what the monkey asks (a value, a removal): that is no
            // fault. Anything else escaping is.
            (void)e;
        } catch (const std::exception& e) {
            m_failure = std::string("an exception escaped: ") + e.what();
        }
        if (m_failure.empty()) check();
    }
    return m_failure.empty();
}

// A point on the form's client area: mostly on a control. The frame and caption are left out,
// as pressing there starts the window's own move loop, which waits for input the monkey only
// injects after the press returns.
POINT Monkey::somewhere() {
    RECT client{};
    GetClientRect(m_form->hWnd(), &client);
    POINT origin{0, 0};
    ClientToScreen(m_form->hWnd(), &origin);
    const auto inside = [&](POINT p) {
        p.x = std::clamp<int>(p.x, origin.x, origin.x + std::max<int>(0, client.right - 1));
        p.y = std::clamp<int>(p.y, origin.y, origin.y + std::max<int>(0, client.bottom - 1));
        return p;
    };
    if (UserControl* c = anyControl(); c && c->hWnd() && m_random() % 4 != 0) {
        RECT cr{};
        GetWindowRect(c->hWnd(), &cr);
        const int w = std::max<int>(1, cr.right - cr.left),
                  h = std::max<int>(1, cr.bottom - cr.top);
        return inside(POINT{cr.left + static_cast<int>(m_random() % w),
                            cr.top + static_cast<int>(m_random() % h)});
    }
    return inside(POINT{origin.x + static_cast<int>(m_random() % std::max<int>(1, client.right)),
                        origin.y + static_cast<int>(m_random() % std::max<int>(1, client.bottom))});
}

UserControl* Monkey::anyControl() {
    const std::vector<UserControl*> controls = m_form->Controls();
    if (controls.empty()) return nullptr;
    return controls[m_random() % controls.size()];
}

void Monkey::mouse() {
    const POINT p = somewhere();
    const MouseButton button = m_random() % 8 == 0 ? MouseButton::Right : MouseButton::Left;
    switch (m_random() % 6) {
        case 0:
        case 1:
            m_action = "move";
            TestPlatform::MouseMove(p.x, p.y);
            break;
        case 2:
            m_action = "click";
            TestPlatform::Click(p.x, p.y, button);
            break;
        case 3:
            m_action = "double click";
            TestPlatform::DoubleClick(p.x, p.y, button);
            break;
        case 4: {
            m_action = "drag";
            TestPlatform::MouseMove(p.x, p.y);
            TestPlatform::MouseDown(button);
            const POINT q = somewhere();
            TestPlatform::MouseMove((p.x + q.x) / 2, (p.y + q.y) / 2);
            TestPlatform::MouseMove(q.x, q.y);
            TestPlatform::MouseUp(button);
            break;
        }
        default:
            m_action = "wheel";
            TestPlatform::Wheel(m_random() % 2 ? 120 : -120);
            break;
    }
}

void Monkey::keyboard() {
    switch (m_random() % 5) {
        case 0: {
            m_action = "type";
            TestPlatform::TypeText(kTexts[m_random() % std::size(kTexts)]);
            break;
        }
        case 1: {
            // Alt with a letter: the form's access keys.
            m_action = "access key";
            TestPlatform::KeyDown(VK_MENU);
            TestPlatform::KeyPress('A' + static_cast<int>(m_random() % 26));
            TestPlatform::KeyUp(VK_MENU);
            break;
        }
        case 2:
            m_action = "shift tab";
            TestPlatform::KeyDown(VK_SHIFT);
            TestPlatform::KeyPress(VK_TAB);
            TestPlatform::KeyUp(VK_SHIFT);
            break;
        default:
            m_action = "key";
            TestPlatform::KeyPress(kKeys[m_random() % std::size(kKeys)]);
            break;
    }
}

// Now and then a control is disabled, hidden, moved, recreated from its saved bag or removed.
void Monkey::changeAControl() {
    UserControl* c = anyControl();
    if (!c) return;
    switch (m_random() % 6) {
        case 0:
            m_action = "enable or disable";
            c->Extender().Enabled(!c->Extender().Enabled());
            break;
        case 1:
            m_action = "show or hide";
            c->Extender().Visible(!c->Extender().Visible());
            break;
        case 2:
            m_action = "move";
            c->Extender().Move(
                static_cast<int>(m_random() % 15000), static_cast<int>(m_random() % 10000),
                static_cast<int>(m_random() % 6000), static_cast<int>(m_random() % 3000));
            break;
        case 3:
            // As a program would: only a control that can take it.
            m_action = "focus";
            if (c->hWnd() && IsWindowVisible(c->hWnd()) && IsWindowEnabled(c->hWnd()))
                SetFocus(c->hWnd());
            break;
        case 4:
            if (m_random() % 2 == 0) {
                recreate(*c);
            } else if (m_form->Controls().size() > m_controlsAtStart / 2) {
                m_action = "remove";
                m_form->remove(*c);
            } else {
                // Half the controls are gone: the form starts again from its file.
                m_action = "restore";
                m_form.reset();
                TestPlatform::PumpMessages();
                m_form = FormFile::load(m_formText);
                buildGalleryMenu(*m_form);
                fillGalleryLists(*m_form);
                fillGalleryTrees(*m_form);
                m_form->Show();
            }
            break;
        default:
            m_action = "reload";
            reload();
            break;
    }
}

// A control that holds no others is saved, removed and made again from what it saved, in the
// same place.
void Monkey::recreate(UserControl& c) {
    for (UserControl* other : m_form->Controls())
        if (m_form->containerOf(*other) == &c) return;
    m_action = "recreate";
    PropertyBag bag;
    c.save(bag);
    const std::u16string cls = c.className();
    const std::u16string name = m_form->nameOf(c);
    const int index = m_form->indexOf(c);
    UserControl* container = m_form->containerOf(c);
    Extender placement;
    placement.Move(c.Extender().Left(), c.Extender().Top(), c.Extender().Width(),
                   c.Extender().Height());
    placement.Tag(c.Extender().Tag());
    const ControlClasses::Factory* factory = ControlClasses::current().find(cls);
    if (!factory) return;
    m_form->remove(c);
    TestPlatform::PumpMessages();
    m_form->add((*factory)(), name, index, placement, container, &bag);
    // A list view made again gets its window and rows as the gallery gives them.
    fillGalleryLists(*m_form);
    fillGalleryTrees(*m_form);
}

// The form is saved and loaded again in its place; saving the loaded form gives the same file.
void Monkey::reload() {
    const std::string saved = FormFile::save(*m_form);
    m_form.reset();
    TestPlatform::PumpMessages();
    m_form = FormFile::load(saved);
    buildGalleryMenu(*m_form);
    fillGalleryLists(*m_form);
    fillGalleryTrees(*m_form);
    m_form->Show();
    TestPlatform::PumpMessages();
    const std::string again = FormFile::save(*m_form);
    if (again == saved) return;
    // Where the two differ, for the report.
    std::size_t at = 0;
    while (at < saved.size() && at < again.size() && saved[at] == again[at])
        ++at;
    const std::size_t from = at > 200 ? at - 200 : 0;
    m_failure = "a saved form did not load back to the same file; saved:\n" +
                saved.substr(from, 300) + "\nthen:\n" + again.substr(from, 300);
}

void Monkey::step() {
    const unsigned kind = m_random() % 100;
    if (kind < 45) {
        mouse();
    } else if (kind < 75) {
        keyboard();
    } else if (kind < 88) {
        m_action = "time";
        m_platform.AdvanceTime(static_cast<DWORD>(1 + m_random() % 700));
    } else if (kind < 92) {
        m_action = "resize";
        SetWindowPos(m_form->hWnd(), HWND(), 0, 0, 200 + static_cast<int>(m_random() % 1400),
                     150 + static_cast<int>(m_random() % 900),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        changeAControl();
    }
    TestPlatform::PumpMessages();
}

bool Monkey::check() {
    const HWND focus = GetFocus();
    if (focus && (!IsWindowVisible(focus) || !IsWindowEnabled(focus))) {
        m_failure = "the focus is on a hidden or disabled window";
        for (UserControl* c : m_form->Controls())
            if (c->hWnd() == focus)
                m_failure += ": " + platform::ToUtf8(m_form->nameOf(*c)) +
                             (IsWindowVisible(focus) ? "" : ", hidden") +
                             (IsWindowEnabled(focus) ? "" : ", disabled") +
                             (c->Extender().Visible() ? "" : ", extender hidden") +
                             (c->Extender().Enabled() ? "" : ", extender disabled");
        if (focus == m_form->hWnd()) m_failure += ": the form";
        return false;
    }
    if (TestPlatform::LiveGdiObjects() > m_gdiAtStart + kObjectSlack ||
        TestPlatform::LiveUserObjects() > m_userAtStart + kObjectSlack) {
        m_failure =
            "GDI or USER objects keep growing: " + std::to_string(TestPlatform::LiveGdiObjects()) +
            " GDI, " + std::to_string(TestPlatform::LiveUserObjects()) + " USER";
        return false;
    }
    return true;
}

bool Monkey::closeAndCheck() {
    m_form.reset();
    TestPlatform::PumpMessages();
    m_platform.AdvanceTime(5000);  // tooltips and timers wind down
    return TestPlatform::LiveGdiObjects() == m_gdiAtStart &&
           TestPlatform::LiveUserObjects() == m_userAtStart;
}

}  // namespace orvane
