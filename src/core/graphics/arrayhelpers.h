#pragma once
// Largest and smallest value of a list together with the position it stands at, and
// the paired quicksort behind them. Which position wins among equal values is fixed by
// that quicksort, so the side view marks the same point on every machine.

#include "core/support/types.h"

#include <stdexcept>

namespace radexa {

// Raised when SortPair is handed lists of different length.
class AssertionFailed : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

struct ValueWithIndex {
    double value = 0.0;
    int index = kNoPosition; // kNoPosition for an empty list
};

// Sorts values ascending and moves the paired indexes along. Throws AssertionFailed
// ("Sort pair must be of equal length.") when the two lists differ in length.
void SortPair(DoubleArray& values, LongIntArray& indexes);

// The largest / smallest value and its position in the list; index kNoPosition and
// value 0 for an empty list.
ValueWithIndex MaxWithIndex(const DoubleArray& list);
ValueWithIndex MinWithIndex(const DoubleArray& list);

} // namespace radexa
