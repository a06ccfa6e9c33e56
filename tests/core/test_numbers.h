#pragma once
// The two number formats the tests switch between.

#include "core/support/numbersettings.h"

namespace radexa {

// A decimal point and a thousands comma.
inline NumberSettings pointSettings() {
    NumberSettings s;
    s.decimalSeparator = '.';
    s.thousandSeparator = ',';
    return s;
}

// A decimal comma and a thousands point, as in German settings.
inline NumberSettings commaSettings() {
    NumberSettings s;
    s.decimalSeparator = ',';
    s.thousandSeparator = '.';
    return s;
}

} // namespace radexa
