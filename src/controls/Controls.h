// Publishes every control, the host's objects and the shared enumerations: in the type library for
// late-bound callers and scripts, and as control classes for form files.
#pragma once

namespace orvane {

class TypeLibrary;
class ControlClasses;

// Registers them all; a program calls it once before it makes controls or loads a form.
void registerControls(TypeLibrary& library, ControlClasses& classes);

}  // namespace orvane
