// Publishes the host's own objects (fonts, pictures, finished reads) in the type library, so
// late-bound callers and scripts reach their members by name as they reach the controls'.
#pragma once

namespace orvane {

class TypeLibrary;

// Registers them (registerControls does it too).
void registerHostClasses(TypeLibrary& library);

}  // namespace orvane
