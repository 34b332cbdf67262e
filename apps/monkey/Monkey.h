// A seeded stream of random input over a form, with the invariants every control must keep
// checked after each step: the focus on a visible enabled window, live GDI and USER objects
// bounded, a saved form loading back to the same file. The same seed replays the same steps.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "host/Form.h"
#include "platform/testing.h"

namespace orvane {

class Monkey {
public:
    // `formText` is the form file to open (loaded and shown once).
    Monkey(platform::testing::TestPlatform& platform, std::string formText, std::uint64_t seed);
    ~Monkey();

    // Runs `steps` steps; false with failure() saying which step and what broke.
    bool run(int steps);
    const std::string& failure() const { return m_failure; }
    // What the last step did, for a failure report.
    const std::string& lastAction() const { return m_action; }
    // Closes the form; true when every GDI and USER object it made is gone again.
    bool closeAndCheck();
    int stepsDone() const { return m_step; }

private:
    void step();
    bool check();
    platform::POINT somewhere();
    UserControl* anyControl();
    void mouse();
    void keyboard();
    void changeAControl();
    void reload();
    void recreate(UserControl& c);

    platform::testing::TestPlatform& m_platform;
    std::string m_formText;
    std::mt19937_64 m_random;
    std::unique_ptr<Form> m_form;
    std::uint32_t m_gdiAtStart = 0;
    std::uint32_t m_userAtStart = 0;
    std::size_t m_controlsAtStart = 0;
    int m_step = 0;
    std::string m_action;
    std::string m_failure;
};

}  // namespace orvane
