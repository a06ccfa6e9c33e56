#include "core/graphics/arrayhelpers.h"

#include <utility>

namespace radexa {

namespace {

// The classic quicksort with the pivot followed by position: P is a position, and
// when a swap moves the element standing at P, P moves along with it.
void sortRange(DoubleArray& v, LongIntArray& idx, int left, int right) {
    int i = 0;
    do {
        i = left;
        int j = right;
        int p = left + (right - left) / 2;
        do {
            while (v[i] < v[p])
                ++i;
            while (v[j] > v[p])
                --j;
            if (i <= j) {
                std::swap(v[i], v[j]);
                std::swap(idx[i], idx[j]);
                if (p == i)
                    p = j;
                else if (p == j)
                    p = i;
                ++i;
                --j;
            }
        } while (i <= j);
        if (left < j)
            sortRange(v, idx, left, j);
        left = i;
    } while (i < right);
}

LongIntArray positions(std::size_t n) {
    LongIntArray idx(n);
    for (std::size_t k = 0; k < n; ++k)
        idx[k] = static_cast<std::int32_t>(k);
    return idx;
}

} // namespace

void SortPair(DoubleArray& values, LongIntArray& indexes) {
    if (values.size() != indexes.size())
        throw AssertionFailed("Sort pair must be of equal length.");
    if (values.empty())
        return;
    sortRange(values, indexes, 0, static_cast<int>(values.size()) - 1);
}

ValueWithIndex MaxWithIndex(const DoubleArray& list) {
    if (list.empty())
        return {};
    DoubleArray v = list;
    LongIntArray idx = positions(v.size());
    SortPair(v, idx);
    return {v.back(), idx.back()};
}

ValueWithIndex MinWithIndex(const DoubleArray& list) {
    if (list.empty())
        return {};
    DoubleArray v = list;
    LongIntArray idx = positions(v.size());
    SortPair(v, idx);
    return {v.front(), idx.front()};
}

} // namespace radexa
