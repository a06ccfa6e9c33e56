#pragma once
// The user's number separators as the desktop's regional settings give them.

#include "core/support/numbersettings.h"

namespace radexa {

// Decimal, thousands, list and monetary thousands separator of the system locale
// (first character of each).
NumberSettings SystemNumberSettings();

} // namespace radexa
