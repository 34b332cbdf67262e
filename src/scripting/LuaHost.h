// Scripts in Lua 5.4 against a loaded form, bound to the type library rather than to each
// control: `form` (controls by name, arrays by index, Add), members by their published names,
// `on(control, "Event", function(args) … end)` with by-reference arguments written back,
// enumerations by name (`Orvane.ButtonStyleEnum.styStandard`), new objects by class name
// (`create("Orvane.StdFont")`), and a `test` library that drives the form with injected input
// on the virtual clock. Library errors arrive as Lua errors carrying number, source and
// description.
#pragma once

#include <chrono>
#include <memory>
#include <string>

struct lua_State;

namespace orvane {

class Form;
class ScriptDriver;

class LuaHost {
public:
    // `driver` gives the test library its input, clock and pixels; without one those calls
    // fail.
    LuaHost(Form& form, ScriptDriver* driver);
    ~LuaHost();
    LuaHost(const LuaHost&) = delete;
    LuaHost& operator=(const LuaHost&) = delete;

    // Runs a chunk. False with `error` holding the message and the Lua traceback on failure.
    bool run(const std::string& code, const std::string& chunkName, std::string& error);
    // Stops a script still running after this long (0: never).
    void timeout(double seconds) { m_timeoutSeconds = seconds; }
    // A failed test.check is reported (its place and message, on standard error) and the
    // script goes on, rather than stopping there.
    void keepGoing(bool keepGoing);
    // How many test.check calls failed so far.
    int failedChecks() const;

    struct State;

private:
    lua_State* m_lua = nullptr;
    std::unique_ptr<State> m_state;
    double m_timeoutSeconds = 60;
};

}  // namespace orvane
