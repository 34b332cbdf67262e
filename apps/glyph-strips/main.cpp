// Draws the glyph strips the check boxes and option buttons use, from the visual style, as
// PNG files in the given folder (src/resources/glyphs when the look changes).
#include <cstdio>
#include <string>

#include "platform/display/PngWriter.h"
#include "platform/theme/ThemeParts.h"
#include "platform/theme/ThemeStrip.h"

using namespace orvane::platform;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: glyph-strips <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    struct Strip {
        const char* name;
        int part;
        int states;
        int cell;
    };
    const Strip strips[] = {{"check.png", BP_CHECKBOX, 12, 16},
                            {"check@2x.png", BP_CHECKBOX, 12, 32},
                            {"option.png", BP_RADIOBUTTON, 8, 16},
                            {"option@2x.png", BP_RADIOBUTTON, 8, 32}};
    for (const Strip& s : strips) {
        const std::string path = folder + "/" + s.name;
        if (!PngWriter::writeFile(ThemeStrip::render(u"BUTTON", s.part, s.states, s.cell), path,
                                  PngWriter::Alpha::Keep)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
