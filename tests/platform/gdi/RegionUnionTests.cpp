// A union of many rectangles built in one sweep must be the region that combining them one at
// a time gives, for overlapping, touching, nested and empty rectangles alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "platform/gdi/Region.h"

using namespace orvane::platform;

namespace {

Region oneAtATime(const std::vector<RECT>& rects) {
    Region r;
    for (const RECT& rc : rects)
        r = Region::combine(r, Region(rc), Region::Op::Or);
    return r;
}

}  // namespace

TEST(RegionUnion, OneSweepEqualsCombiningOneAtATime) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> at(0, 40), size(0, 12);
    for (int round = 0; round < 200; ++round) {
        std::vector<RECT> rects;
        const int count = round % 25;
        for (int i = 0; i < count; ++i) {
            const int x = at(random), y = at(random);
            rects.push_back(RECT{x, y, x + size(random), y + size(random)});
        }
        EXPECT_EQ(Region::fromRects(rects), oneAtATime(rects)) << "round " << round;
    }
}

TEST(RegionUnion, TouchingRectanglesMergeIntoBands) {
    // A 2 × 2 grid of touching squares is one rectangle.
    const Region grid =
        Region::fromRects({{0, 0, 5, 5}, {5, 0, 10, 5}, {0, 5, 5, 10}, {5, 5, 10, 10}});
    ASSERT_EQ(grid.rects().size(), 1u);
    EXPECT_EQ(grid.bounds(), (RECT{0, 0, 10, 10}));
    EXPECT_TRUE(Region::fromRects({{3, 3, 3, 9}, {1, 1, 0, 0}}).empty());
}

// Cutting a region to a rectangle (how clipping to a window's visible region goes) gives the
// region the general sweep gives, bands merged alike: A less (A less R) is A inside R.
TEST(RegionUnion, CuttingToARectangleEqualsTheSweep) {
    std::mt19937 random(13);
    std::uniform_int_distribution<int> at(0, 40), size(0, 14), cut(-5, 50);
    for (int round = 0; round < 400; ++round) {
        std::vector<RECT> rects;
        for (int i = 0, count = 1 + round % 20; i < count; ++i) {
            const int x = at(random), y = at(random);
            rects.push_back(RECT{x, y, x + size(random), y + size(random)});
        }
        const Region a = Region::fromRects(rects);
        int x0 = cut(random), x1 = cut(random), y0 = cut(random), y1 = cut(random);
        if (round % 3) {
            std::tie(x0, x1) = std::minmax(x0, x1);
            std::tie(y0, y1) = std::minmax(y0, y1);
        }
        const RECT rc{x0, y0, x1, y1};
        const Region outside = Region::combine(a, Region(rc), Region::Op::Diff);
        const Region swept = Region::combine(a, outside, Region::Op::Diff);
        ASSERT_EQ(a.intersected(rc), swept) << "round " << round;
        ASSERT_EQ(Region::combine(Region(rc), a, Region::Op::And), swept) << "round " << round;
    }
}
