// The library's version, the one symbol of liborvane's own; everything else comes from the layers.
namespace orvane {

const char* versionString() {
    return "0.1.0";
}

}  // namespace orvane
