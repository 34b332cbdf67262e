// The peer benchmark's chart: its ratio file and where its bars fall.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "RatioChart.h"

namespace orvane::bench {
namespace {

using platform::PixelSurface;

std::vector<RatioBar> read(const std::string& text) {
    std::istringstream in(text);
    return readRatios(in);
}

// The surface pixel as the COLORREF GDI drew it with.
unsigned colourAt(const PixelSurface& s, int x, int y) {
    return PixelSurface::toColor(s.at(x, y) & 0x00FFFFFF);
}

// How many pixels of one row of the surface, between x0 and x1, have the colour.
int countInRow(const PixelSurface& s, int y, int x0, int x1, unsigned colour) {
    int n = 0;
    for (int x = x0; x < x1; ++x)
        if (colourAt(s, x, y) == colour) ++n;
    return n;
}

TEST(RatioChartTest, ReadsRatiosAndFiguresNotBuiltYet) {
    const auto bars = read("Wrapped paragraph\t0.42\nList view\t-\n\nTree view\t\nMemory\t3\n");
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_EQ(bars[0].label, u"Wrapped paragraph");
    ASSERT_TRUE(bars[0].ratio);
    EXPECT_DOUBLE_EQ(*bars[0].ratio, 0.42);
    EXPECT_FALSE(bars[1].ratio);
    EXPECT_FALSE(bars[2].ratio);
    EXPECT_DOUBLE_EQ(*bars[3].ratio, 3.0);
}

TEST(RatioChartTest, RejectsWhatIsNotAPositiveRatio) {
    for (const char* text : {"A\tfast\n", "A\t0\n", "A\t-2\n", "A\t1.5x\n", "A\tnan\n"}) {
        EXPECT_THROW(read(text), std::runtime_error) << text;
    }
}

TEST(RatioChartTest, TheAxisIsLogarithmicAndCentredOnOne) {
    const ChartLayout layout(read("A\t1\n"));
    EXPECT_EQ(layout.decades(), 3);
    const int one = layout.xOf(1.0);
    EXPECT_EQ(one, (ChartLayout::kAxisLeft + ChartLayout::kAxisRight) / 2);
    EXPECT_EQ(layout.xOf(2.0) - one, one - layout.xOf(0.5));
    EXPECT_NEAR(layout.xOf(4.0) - one, 2 * (layout.xOf(2.0) - one), 1);  // whole pixels
    EXPECT_EQ(layout.xOf(8.0), ChartLayout::kAxisRight);
    EXPECT_EQ(layout.xOf(1000.0), ChartLayout::kAxisRight);  // clamped
    EXPECT_EQ(layout.xOf(0.001), ChartLayout::kAxisLeft);
}

TEST(RatioChartTest, TheAxisWidensForFarRatiosUpToALimit) {
    EXPECT_EQ(ChartLayout(read("A\t20\n")).decades(), 5);  // 2^4 < 20 <= 2^5
    EXPECT_EQ(ChartLayout(read("A\t0.05\n")).decades(), 5);
    EXPECT_EQ(ChartLayout(read("A\t100000\n")).decades(), 6);
}

TEST(RatioChartTest, BarsRunFromOneToTheirRatioInTheirColour) {
    const auto bars = read("Faster\t0.5\nSlower\t4\nNot built\t-\n");
    const ChartLayout layout(bars);
    const PixelSurface chart = drawRatioChart(bars, u"Title");
    ASSERT_EQ(chart.width(), ChartLayout::kWidth);
    ASSERT_EQ(chart.height(), layout.height());
    const int one = layout.xOf(1.0);

    // Halfway down each bar: the faster one left of 1×, the slower one right of it.
    const int fasterY = layout.barTop(0) + ChartLayout::kBarHeight / 2;
    EXPECT_EQ(countInRow(chart, fasterY, 0, chart.width(), kBetterColour), one - layout.xOf(0.5));
    EXPECT_EQ(colourAt(chart, layout.xOf(0.5) + 1, fasterY), kBetterColour);
    EXPECT_EQ(countInRow(chart, fasterY, 0, chart.width(), kWorseColour), 0);

    const int slowerY = layout.barTop(1) + ChartLayout::kBarHeight / 2;
    EXPECT_EQ(countInRow(chart, slowerY, 0, chart.width(), kWorseColour), layout.xOf(4.0) - one);
    EXPECT_EQ(countInRow(chart, slowerY, 0, chart.width(), kBetterColour), 0);

    // A figure we do not have has no bar, only its note.
    const int missingY = layout.barTop(2) + ChartLayout::kBarHeight / 2;
    EXPECT_EQ(countInRow(chart, missingY, 0, chart.width(), kWorseColour), 0);
    EXPECT_EQ(countInRow(chart, missingY, 0, chart.width(), kBetterColour), 0);
    int ink = 0;
    for (int y = layout.rowTop(2); y < layout.rowTop(3); ++y)
        ink += ChartLayout::kAxisRight - one - 1 -
               countInRow(chart, y, one + 1, ChartLayout::kAxisRight, 0xFFFFFF);
    EXPECT_GT(ink, 50);  // the note's text
}

// Light pixels inside a bar's rectangle: its figure written over it in white.
int writtenOver(const PixelSurface& chart, const ChartLayout& layout, int row, double ratio) {
    const int one = layout.xOf(1.0), end = layout.xOf(ratio);
    int n = 0;
    for (int y = layout.barTop(row); y < layout.barTop(row) + ChartLayout::kBarHeight; ++y)
        for (int x = std::min(one, end); x < std::max(one, end); ++x) {
            const unsigned c = chart.at(x, y);
            if ((c & 0xFF) >= 0xC0 && (c >> 8 & 0xFF) >= 0xC0 && (c >> 16 & 0xFF) >= 0xC0) ++n;
        }
    return n;
}

TEST(RatioChartTest, AFigureGoesInsideItsBarWhereTheLabelsLeaveNoRoom) {
    const auto bars = read("Far faster\t0.016\nFar slower\t60\nNear\t0.5\n");
    const ChartLayout layout(bars);
    const PixelSurface chart = drawRatioChart(bars, u"");
    EXPECT_GT(writtenOver(chart, layout, 0, 0.016), 20);
    // Right of the axis there is room to the picture's edge; near 1× there is room anyway.
    EXPECT_EQ(writtenOver(chart, layout, 1, 60), 0);
    EXPECT_EQ(writtenOver(chart, layout, 2, 0.5), 0);
}

TEST(RatioChartTest, LabelsAreDrawnLeftOfTheAxis) {
    const auto bars = read("A long figure name\t1.5\n");
    const ChartLayout layout(bars);
    const PixelSurface chart = drawRatioChart(bars, u"");
    int ink = 0;
    for (int y = layout.rowTop(0); y < layout.rowTop(1); ++y)
        ink +=
            ChartLayout::kLabelRight - countInRow(chart, y, 0, ChartLayout::kLabelRight, 0xFFFFFF);
    EXPECT_GT(ink, 100);
    // Nothing but the label left of the axis: the bar starts at 1×.
    const int y = layout.barTop(0) + ChartLayout::kBarHeight / 2;
    EXPECT_EQ(countInRow(chart, y, 0, layout.xOf(1.0), kWorseColour), 0);
}

}  // namespace
}  // namespace orvane::bench
