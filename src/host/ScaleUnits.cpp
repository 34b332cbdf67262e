#include "host/ScaleUnits.h"

#include <cmath>

#include "host/Error.h"

namespace orvane {

namespace {

// How many of a unit make one inch.
double perInch(ScaleMode mode, bool horizontal, int dpi) {
    switch (mode) {
        case ScaleMode::Twips:
            return 1440;
        case ScaleMode::Points:
            return 72;
        case ScaleMode::Pixels:
            return dpi;
        case ScaleMode::Characters:
            return horizontal ? 1440.0 / 120 : 1440.0 / 240;
        case ScaleMode::Inches:
            return 1;
        case ScaleMode::Millimeters:
            return 25.4;
        case ScaleMode::Centimeters:
            return 2.54;
        case ScaleMode::Himetric:
            return 2540;
        default:
            throw Error::standard(errors::InvalidProcedureCall, u"ScaleX");
    }
}

}  // namespace

double ScaleConvert(double value, ScaleMode from, ScaleMode to, bool horizontal, int dpi) {
    if (dpi <= 0) throw Error::standard(errors::InvalidProcedureCall, u"ScaleX");
    if (from == to) return value;
    return value / perInch(from, horizontal, dpi) * perInch(to, horizontal, dpi);
}

int TwipsToPixels(int twips, int dpi) {
    return static_cast<int>(std::lround(twips * static_cast<double>(dpi) / 1440.0));
}

}  // namespace orvane
