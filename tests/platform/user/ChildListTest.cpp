// The z-order list and the rectangle index behind every window's children, checked against
// plain models: a vector in z-order and a look at every rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "platform/user/ChildGrid.h"
#include "platform/user/ChildList.h"

namespace orvane::test {
namespace {

using platform::ChildGrid;
using platform::ChildList;
using platform::RECT;

void expectSameOrder(const ChildList& list, const std::vector<std::uint32_t>& model) {
    ASSERT_EQ(list.handles(), model);
    ASSERT_EQ(list.size(), model.size());
    EXPECT_EQ(list.front(), model.empty() ? 0u : model.front());
    EXPECT_EQ(list.back(), model.empty() ? 0u : model.back());
    for (std::size_t i = 0; i < model.size(); ++i) {
        EXPECT_EQ(list.next(model[i]), i + 1 < model.size() ? model[i + 1] : 0u);
        EXPECT_EQ(list.prev(model[i]), i > 0 ? model[i - 1] : 0u);
    }
    // The order keys agree with the links for every pair.
    for (std::size_t i = 0; i < model.size(); ++i)
        for (std::size_t j = 0; j < model.size(); ++j)
            ASSERT_EQ(list.inFront(model[i], model[j]), i < j) << i << " " << j;
}

TEST(ChildListTest, InsertsRemovesAndOrders) {
    ChildList list;
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.front(), 0u);
    list.pushBack(10);
    list.pushBack(20);
    list.pushFront(5);
    list.insertBefore(20, 15);
    list.insertBefore(999, 30);  // not a child: at the back
    expectSameOrder(list, {5, 10, 15, 20, 30});
    list.pushFront(10);  // already a child: nothing changes
    expectSameOrder(list, {5, 10, 15, 20, 30});
    EXPECT_TRUE(list.remove(15));
    EXPECT_FALSE(list.remove(15));
    EXPECT_FALSE(list.contains(15));
    EXPECT_EQ(list.next(15), 0u);
    EXPECT_FALSE(list.inFront(15, 20));
    expectSameOrder(list, {5, 10, 20, 30});
    EXPECT_TRUE(list.remove(5));
    EXPECT_TRUE(list.remove(30));
    expectSameOrder(list, {10, 20});
    list.remove(10);
    list.remove(20);
    expectSameOrder(list, {});
    list.pushBack(7);
    expectSameOrder(list, {7});
}

TEST(ChildListTest, CrowdedKeysAreRenumbered) {
    // Always right behind the front: the room between two keys halves each time, so the list
    // runs out of room many times over.
    ChildList list;
    std::vector<std::uint32_t> model{1, 2};
    list.pushBack(1);
    list.pushBack(2);
    for (std::uint32_t h = 3; h < 300; ++h) {
        list.insertBefore(model[1], h);
        model.insert(model.begin() + 1, h);
    }
    expectSameOrder(list, model);
    // And at the very front and back, far past the first keys.
    for (std::uint32_t h = 1000; h < 1200; ++h) {
        list.pushFront(h);
        model.insert(model.begin(), h);
        list.pushBack(h + 1000);
        model.push_back(h + 1000);
    }
    expectSameOrder(list, model);
}

TEST(ChildListTest, MatchesAVectorUnderRandomChanges) {
    std::mt19937 rng(7);
    ChildList list;
    std::vector<std::uint32_t> model;
    std::uint32_t nextHandle = 1;
    for (int step = 0; step < 3000; ++step) {
        const int op = static_cast<int>(rng() % 4);
        if (op == 0 || model.size() < 3) {
            // Add before a random child or at the back.
            const std::size_t at = rng() % (model.size() + 1);
            const std::uint32_t before = at < model.size() ? model[at] : 0;
            list.insertBefore(before, nextHandle);
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), nextHandle);
            ++nextHandle;
        } else if (op == 1) {
            const std::size_t at = rng() % model.size();
            EXPECT_TRUE(list.remove(model[at]));
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
        } else {
            // Move a child to the front or right in front of another one, as restacking does.
            const std::uint32_t h = model[rng() % model.size()];
            list.remove(h);
            std::erase(model, h);
            const std::size_t at = op == 2 ? 0 : rng() % (model.size() + 1);
            list.insertBefore(at < model.size() ? model[at] : 0, h);
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), h);
        }
        if (step % 500 == 0) expectSameOrder(list, model);
    }
    expectSameOrder(list, model);
}

// Whether two rectangles share a pixel (an empty one shares none).
bool overlaps(const RECT& a, const RECT& b) {
    RECT common{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
    return common.left < common.right && common.top < common.bottom;
}

RECT randomRect(std::mt19937& rng) {
    auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int x = below(1200) - 200, y = below(1200) - 200;
    // Mostly small, some empty, some far larger than the cells.
    const int kind = below(10);
    const int w = kind == 0 ? 0 : kind == 1 ? 300 + below(900) : 1 + below(90);
    const int h = kind == 0 ? 1 + below(5) : kind == 1 ? 300 + below(900) : 1 + below(40);
    return RECT{x, y, x + w, y + h};
}

TEST(ChildGridTest, FindsExactlyTheOverlappingChildrenOnce) {
    std::mt19937 rng(11);
    ChildGrid grid;
    std::vector<RECT> rects(400);
    for (std::uint32_t h = 0; h < rects.size(); ++h) {
        rects[h] = randomRect(rng);
        grid.set(h + 1, rects[h]);
    }
    auto check = [&] {
        for (int q = 0; q < 200; ++q) {
            const RECT area = q == 0 ? RECT{-5000, -5000, 5000, 5000} : randomRect(rng);
            std::multiset<std::uint32_t> found;
            grid.forEachOverlapping(area, [&](std::uint32_t h) { found.insert(h); });
            std::multiset<std::uint32_t> expected;
            for (std::uint32_t h = 0; h < rects.size(); ++h)
                if (overlaps(rects[h], area)) expected.insert(h + 1);
            ASSERT_EQ(found, expected) << "query " << area.left << "," << area.top << " "
                                       << area.right << "," << area.bottom;
        }
    };
    check();
    // Moves, including into and out of emptiness and the large list; then removals.
    for (std::uint32_t h = 0; h < rects.size(); h += 3) {
        rects[h] = randomRect(rng);
        grid.set(h + 1, rects[h]);
    }
    check();
    for (std::uint32_t h = 0; h < rects.size(); h += 2) {
        grid.remove(h + 1);
        rects[h] = RECT{};
    }
    grid.remove(100000);  // never filed
    check();
    std::size_t kept = 0;
    for (const RECT& rc : rects)
        kept += rc.left < rc.right && rc.top < rc.bottom;
    EXPECT_EQ(grid.size(), kept);
}

}  // namespace
}  // namespace orvane::test
