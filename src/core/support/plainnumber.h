#pragma once
// Numbers in files that other programs write or read (model decks, simulator output,
// exported tables): always with a decimal point, whatever the number settings or the
// C locale of the process say.

#include <string>
#include <string_view>

namespace radexa {

// x with the given number of decimals ("%.*f" in the C locale); "-0.00" is written "0.00".
std::string PlainFixed(double x, int decimals);

// The shortest text that reads back as x ("14.2", "0.001", "1e-07").
std::string PlainShortest(double x);

// A number with a decimal point: an optional sign, digits with or without a fraction
// (".5" and "5." too), an optional exponent; nothing else, no blanks. False otherwise.
bool TryPlainNumber(std::string_view text, double& value);

} // namespace radexa
