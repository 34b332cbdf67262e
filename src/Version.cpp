// The library's version, the one symbol of liborvane's own; everything else comes from the layers.
#include "Version.h"

namespace orvane {

const char* versionString() {
    return ORVANE_VERSION;
}

}  // namespace orvane
