// Running sums: after any mix of changes, the sums before each index and the index where a
// running sum passes a value agree with counting by hand.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/base/FenwickTree.h"

namespace orvane::test {
namespace {

TEST(FenwickTree, SumsAndSearchesAgreeWithCountingByHand) {
    std::mt19937 rng(9);
    for (const std::size_t n : {0u, 1u, 2u, 7u, 8u, 33u, 200u}) {
        std::vector<int> counts(n);
        for (int& c : counts)
            c = static_cast<int>(rng() % 4);  // zeros among them
        platform::FenwickTree tree;
        tree.assign(counts);
        ASSERT_EQ(tree.size(), n);
        for (int round = 0; round < 50; ++round) {
            if (n > 0) {
                const std::size_t i = rng() % n;
                const int now = static_cast<int>(rng() % 5);
                tree.add(i, now - counts[i]);
                counts[i] = now;
            }
            int sum = 0;
            for (std::size_t i = 0; i <= n; ++i) {
                ASSERT_EQ(tree.before(i), sum) << "n " << n << " at " << i;
                if (i < n) {
                    ASSERT_EQ(tree.at(i), counts[i]);
                    sum += counts[i];
                }
            }
            ASSERT_EQ(tree.total(), sum);
            for (int value = 0; value <= sum + 1; ++value) {
                std::size_t want = 0;
                for (int run = 0; want < n && run + counts[want] <= value; ++want)
                    run += counts[want];
                ASSERT_EQ(tree.passing(value), want) << "n " << n << " value " << value;
            }
        }
    }
}

}  // namespace
}  // namespace orvane::test
