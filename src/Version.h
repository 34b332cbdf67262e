// The version of the library an application runs with.
#pragma once

namespace orvane {

// "MAJOR.MINOR.PATCH", as the CMake package and the pkg-config file give it.
const char* versionString();

}  // namespace orvane
