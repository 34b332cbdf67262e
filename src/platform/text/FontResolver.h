// Chooses font files through fontconfig: a face name, weight and slant become a file and face
// index, with the Windows face names the library uses mapped to metric-compatible faces, and
// a fallback face found for characters the chosen face lacks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::platform {

struct FontFile {
    std::string path;
    int index = 0;
    bool bold = false;    // the file's own weight is bold
    bool italic = false;  // the file's own slant is italic or oblique
    std::string family;
    friend bool operator==(const FontFile&, const FontFile&) = default;
};

class FontResolver {
public:
    static FontResolver& current();
    // Releases fontconfig's configuration at exit, so a leak checker sees only our own.
    ~FontResolver();
    FontResolver(const FontResolver&) = delete;
    FontResolver& operator=(const FontResolver&) = delete;

    // The best file for a face name (UTF-8), a weight (100..900) and italic.
    FontFile match(const std::string& face, int weight, bool italic);
    // A file whose face has the character, preferring ones like `like`; empty path if none.
    FontFile fallback(char32_t ch, int weight, bool italic, bool preferColor = false);
    // The family a Windows face name stands for here.
    static std::string mapFamily(const std::string& face);
    // Installed family names, for font enumeration.
    std::vector<std::string> families();

private:
    FontResolver();
    struct Impl;
    Impl* m_impl;
};

}  // namespace orvane::platform
