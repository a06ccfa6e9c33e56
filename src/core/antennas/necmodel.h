#pragma once
// Antenna models computed with the NEC-2 engine nec2c (Debian package nec2c), run as a
// child process: decks for a few templates (half-wave dipole, inverted V, quarter-wave
// vertical with radials) or the operator's own deck, the run itself (private temporary
// folder, bounded time) and the import of its radiation pattern (patternimport.h).

#include "core/antennas/patternimport.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace radexa {

// A deck file larger than this is refused before it is read: decks are a few cards.
constexpr std::uint64_t kMaxDeckFileSize = std::uint64_t{1} << 20;

// Template values that give no model (a frequency of 0, legs below the ground, ...).
class NecModelError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

enum class NecGround {
    FreeSpace,
    Perfect, // perfectly conducting
    Average, // relative permittivity 13, conductivity 0.005 S/m
    Poor,    // relative permittivity 5, conductivity 0.001 S/m
};

enum class NecResolution {
    Cut,        // the vertical cut through the main direction in 1 degree steps
    FullSphere, // that cut, and every direction in 5 degree steps (the largest gain anywhere)
};

struct NecModelOptions {
    NecGround ground = NecGround::Average;
    NecResolution resolution = NecResolution::Cut;
    double wireRadius = 0.001; // metres
};

// A deck ready for nec2c, and what the import of its output needs.
struct NecDeck {
    std::string text;              // the cards, one per line
    double frequency = 0;          // MHz; 0: the deck's only frequency
    std::optional<double> azimuth; // degrees: the front of the cut; unset: the largest gain
    std::string description;       // one line naming the model, for the angle file
    std::string note;              // a remark for the operator (empty when none)
};

// Each template's cut lies in its main plane (NecResolution::Cut); with the full sphere the
// import takes the plane of the largest gain (NecDeck::azimuth unset).

// A horizontal half-wave dipole (0.48 wavelengths, along x, fed in the middle) at the
// height (metres) above the ground; the cut is broadside.
NecDeck DipoleDeck(double frequency, double height, const NecModelOptions& options = {});
// An inverted V: apex (the feed point) at apexHeight, the legs apexAngle degrees apart
// (180: a flat dipole), together 0.48 wavelengths; the cut is broadside.
NecDeck InvertedVDeck(double frequency, double apexHeight, double apexAngle,
                      const NecModelOptions& options = {});
// A quarter-wave vertical (0.24 wavelengths) fed at its base against `radials` horizontal
// quarter-wave radials, the base at baseHeight metres; onGround puts the base on the
// ground, which NEC-2 cannot take literally: the radials lie 5 cm above it (see note).
// The cut runs along the first radial.
NecDeck VerticalDeck(double frequency, int radials, double baseHeight, bool onGround,
                     const NecModelOptions& options = {});
// The operator's own deck as given (line ends made LF); frequency chooses among several
// (0: the deck must have one), azimuth the front of the cut.
NecDeck OwnNecDeck(std::string_view text, double frequency = 0,
                   std::optional<double> azimuth = std::nullopt);

struct NecRunOptions {
    std::string program;          // empty: nec2c from PATH, else /usr/bin/nec2c
    double timeoutSeconds = 20.0; // the run is killed after this
    // When set (from another thread, e.g. the window's), nec2c is killed and the run fails
    // as stopped.
    const std::atomic<bool>* stop = nullptr;
};

// What a run of nec2c gave.
struct NecRunResult {
    std::string output; // the output file
    std::string error;  // why there is no output; empty on success
    bool ok() const { return error.empty(); }
};

// The nec2c program: the first in PATH, else /usr/bin/nec2c when executable; empty when
// there is none.
std::string FindNec2c();

// Runs nec2c on the deck in a private temporary folder (removed afterwards), at most
// timeoutSeconds long. The error names the cause: nec2c missing (with the command that
// installs it), not started, killed after the time, stopped, or failed with its exit status
// and its messages.
NecRunResult RunNec2c(std::string_view deck, const NecRunOptions& options = {});

// A model computed and imported.
struct NecModelResult {
    ImportedPattern pattern; // its notes begin with the deck's description and note
    std::string note;        // the deck's note, for the operator
    std::string error;       // empty on success
    bool ok() const { return error.empty(); }
};

// Runs the deck and imports the pattern at the deck's frequency and azimuth.
NecModelResult ComputeNecModel(const NecDeck& deck, const NecRunOptions& options = {});

} // namespace radexa
