// The peer benchmark's bar chart: one row a figure, each bar our figure divided by the peer's on
// a logarithmic axis centred on 1× (left of it we are faster or smaller, right of it slower or
// larger), drawn with the platform's GDI.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/PixelSurface.h"

namespace orvane::bench {

struct RatioBar {
    std::u16string label;
    std::optional<double> ratio;  // none: we have no such figure yet
};

// Reads "label<TAB>ratio" lines; a ratio of "-" (or none) is a figure we do not have yet.
// Throws std::runtime_error naming the line when one cannot be read.
std::vector<RatioBar> readRatios(std::istream& in);

// Where things fall in a chart of `bars`.
class ChartLayout {
public:
    static constexpr int kWidth = 960;
    static constexpr int kLabelRight = 330;  // labels end here; the axis starts after a gap
    static constexpr int kAxisLeft = 350;
    static constexpr int kAxisRight = 900;
    static constexpr int kTop = 44;  // below the title
    static constexpr int kRowHeight = 26;
    static constexpr int kBarHeight = 16;

    explicit ChartLayout(const std::vector<RatioBar>& bars);
    int height() const { return m_height; }
    // The axis runs from 1 / 2^decades() to 2^decades(), at least 1/8 to 8, at most 1/64 to 64.
    int decades() const { return m_decades; }
    // The x of a ratio on the axis, clamped to its ends.
    int xOf(double ratio) const;
    int rowTop(int row) const { return kTop + row * kRowHeight; }
    int barTop(int row) const { return rowTop(row) + (kRowHeight - kBarHeight) / 2; }

private:
    int m_height;
    int m_decades;
};

// Bar colours (COLORREF): ours smaller than the peer's, ours larger, the 1× line.
inline constexpr unsigned kBetterColour = 0x00327D2E;
inline constexpr unsigned kWorseColour = 0x002828C6;

// Draws the chart with the title above it.
platform::PixelSurface drawRatioChart(const std::vector<RatioBar>& bars,
                                      const std::u16string& title);

}  // namespace orvane::bench
