#include "core/graphics/arrayhelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace radexa {
namespace {

// Expected positions follow the quicksort by hand: equal values do not keep their order,
// and the side view's clearance arrow depends on which one wins.
TEST(ArrayHelpers, ExtremesAndTheirPositionsIncludingTies) {
    const struct {
        DoubleArray list;
        double max;
        int maxIndex;
        double min;
        int minIndex;
    } cases[] = {
        {{7}, 7, 0, 7, 0},
        {{3, 9, -2, 5}, 9, 1, -2, 2},
        {{1, 1}, 1, 0, 1, 1},
        {{2, 2, 2}, 2, 0, 2, 2},
        {{331, 221, 221, 331, 441, 441}, 441, 4, 221, 2},
        {{5, 4, 3, 2, 1}, 5, 0, 1, 4},
    };
    for (const auto& c : cases) {
        const auto hi = MaxWithIndex(c.list);
        const auto lo = MinWithIndex(c.list);
        EXPECT_EQ(hi.value, c.max);
        EXPECT_EQ(hi.index, c.maxIndex) << "max of list with " << c.list.size() << " entries";
        EXPECT_EQ(lo.value, c.min);
        EXPECT_EQ(lo.index, c.minIndex) << "min of list with " << c.list.size() << " entries";
    }
}

TEST(ArrayHelpers, EmptyListHasNoPosition) {
    EXPECT_EQ(MaxWithIndex({}).index, kNoPosition);
    EXPECT_EQ(MinWithIndex({}).index, kNoPosition);
}

TEST(SortPair, SortsAscendingAndCarriesTheIndexes) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> value(0, 20); // many ties
    for (int n : {2, 3, 10, 101, 1000}) {
        DoubleArray v(static_cast<std::size_t>(n));
        for (double& x : v)
            x = value(random);
        const DoubleArray original = v;
        LongIntArray idx(v.size());
        for (std::size_t k = 0; k < idx.size(); ++k)
            idx[k] = static_cast<std::int32_t>(k);
        SortPair(v, idx);
        EXPECT_TRUE(std::is_sorted(v.begin(), v.end())) << n;
        LongIntArray seen = idx;
        std::sort(seen.begin(), seen.end());
        for (std::size_t k = 0; k < v.size(); ++k) {
            EXPECT_EQ(seen[k], static_cast<std::int32_t>(k)) << "index list is a permutation";
            EXPECT_EQ(v[k], original[static_cast<std::size_t>(idx[k])]) << "pairs stay together";
        }
    }
}

TEST(SortPair, RefusesListsOfDifferentLength) {
    DoubleArray v{1, 2};
    LongIntArray idx{0};
    try {
        SortPair(v, idx);
        FAIL() << "no assertion";
    } catch (const AssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Sort pair must be of equal length.");
    }
    DoubleArray none;
    LongIntArray noIdx;
    EXPECT_NO_THROW(SortPair(none, noIdx));
}

} // namespace
} // namespace radexa
