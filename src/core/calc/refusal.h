#pragma once
// Why the calculation refused its inputs. The core never computes with an input for
// which the relations are not defined; it returns one of these instead, and the window
// or the command-line calculator turns it into a message.

#include <string>

namespace radexa {

enum class Refusal {
    None,
    NegativePower,            // a power below 0 W
    PowerNotReal,             // the power text is not a number
    NoBand,                   // no band selected and no fixed frequency
    NoLimitAtFrequency,       // a fixed frequency outside 0.003 <= f < 300000 MHz
    NoFactor,                 // an averaging factor that is not positive
    CableLengthNotReal,       // the cable length text is not a number
    CableLengthNotPositive,   // a cable length below 0 m
    AttenuationNotPositive,   // the other-losses text is not a number, or below 0 dB
    NoCable,                  // no cable type selected
    CableFrequencyOutOfRange, // no cable attenuation outside 0.1 to 20000 MHz
    DistanceNotReal,          // the given-distance text is not a number
    NegativeDistance,         // a given distance below 0 m
    OutOfRange,               // the inputs give a result beyond double precision
    OutsideLimitSet,          // a frequency or band outside the chosen limit set's range
    NoLimitTier,              // the occupational tier of a set that has the public one only
};

// The English message of a refusal; "" for Refusal::None.
std::string RefusalText(Refusal refusal);

} // namespace radexa
