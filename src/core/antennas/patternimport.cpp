#include "core/antennas/patternimport.h"

#include "core/support/atomicfile.h"
#include "core/support/plainnumber.h"
#include "core/support/textnumbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>

namespace radexa {

namespace {

constexpr double kNoField = -std::numeric_limits<double>::infinity();
// NEC-2 prints -999.99 dB for a direction without field; anything at or below this is none.
constexpr double kNoFieldGain = -999.0;
// Gains printed with two decimals that differ by less than this are equal.
constexpr double kTieDb = 0.005;
// Angles closer than this (degrees) are the same angle.
constexpr double kAngleTolerance = 1e-3;
constexpr int kValuesPerLine = 10;
// MHz: no limit set gives levels at or above this.
constexpr double kMaxFrequency = 300000;
// Two samples of one direction that differ by more than this (dB) contradict each other.
constexpr double kSameSampleDb = 0.05;

enum Pol { Vertical = 0, Horizontal = 1 };

[[noreturn]] void fail(std::size_t line, std::string reason) {
    throw PatternImportError(static_cast<int>(line), std::move(reason));
}

// Every line is held as it is read: a text of millions of empty lines is refused first.
void checkLineCount(std::string_view text) {
    LineCursor lines(text);
    for (std::string_view line; lines.Next(line);)
        if (lines.LineNumber() > kMaxPatternLines)
            fail(0, "the file has more than " + std::to_string(kMaxPatternLines) +
                        " lines, more than any pattern has");
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\f\v");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\f\v");
    return text.substr(first, last - first + 1);
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool startsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        if (i > start)
            out.push_back(line.substr(start, i - start));
    }
    return out;
}

// The line without blanks and dashes, upper case: how headings are recognised in both
// layouts ("---- RADIATION PATTERNS ----" and "- - - RADIATION PATTERNS - - -").
std::string headingKey(std::string_view line) {
    std::string out;
    for (char c : line)
        if (c != ' ' && c != '-' && c != '\t')
            out += c;
    return upper(out);
}

// A field that is meant as a number: it begins like one.
bool beginsLikeNumber(std::string_view word) {
    const auto digit = [&](std::size_t k) {
        return k < word.size() && word[k] >= '0' && word[k] <= '9';
    };
    std::size_t k = 0;
    if (k < word.size() && (word[k] == '-' || word[k] == '+'))
        ++k;
    if (k < word.size() && word[k] == '.')
        ++k;
    return digit(k);
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string degrees(double x) {
    return PlainShortest(std::round(x * 1000.0) / 1000.0 + 0.0);
}

double noFieldOr(double gain) {
    return gain <= kNoFieldGain ? kNoField : gain;
}

double power(double gain) {
    return gain == kNoField ? 0.0 : std::pow(10.0, gain / 10.0);
}

// Degrees in [0, 360).
double wrap360(double a) {
    a = std::fmod(a, 360.0);
    if (a < 0)
        a += 360.0;
    return a >= 360.0 - kAngleTolerance ? 0.0 : a;
}

// Degrees in (-180, 180].
double wrap180(double a) {
    a = wrap360(a);
    return a > 180.0 + kAngleTolerance ? a - 360.0 : a;
}

bool sameDirection(double a, double b) {
    const double d = wrap360(a - b);
    return d < kAngleTolerance || d > 360.0 - kAngleTolerance;
}

// A sample of the cut: the elevation above the front horizon (degrees, any turn) and the
// gain of one polarisation there (dBi, or kNoField).
struct CutPoint {
    double elevation;
    double gain;
    std::size_t line = 0;     // of the file, for a message (0: none)
    bool provisional = false; // a later sample of the direction replaces it silently
};
using Cut = std::vector<CutPoint>[2];

// The file angle of each sample, on a regular grid of whole degrees: range, step and the
// attenuations below the reference gain.
void fillCut(ImportedPattern& p, const Cut& cut, bool lowerHalfAllowed, double reference) {
    bool full = false;
    for (int pol : {Vertical, Horizontal})
        for (const CutPoint& c : cut[pol])
            full = full || (lowerHalfAllowed && wrap180(c.elevation) < -kAngleTolerance);
    p.range = full ? 360 : 180;
    std::map<int, double> at[2];
    std::map<int, const CutPoint*> from[2]; // the sample each angle came from
    for (int pol : {Vertical, Horizontal}) {
        for (const CutPoint& c : cut[pol]) {
            const double e = wrap180(c.elevation);
            if (!full && e < -kAngleTolerance)
                continue;
            const double a = full ? wrap360(-e) : std::max(0.0, e);
            const double whole = std::round(a);
            if (std::abs(a - whole) > kAngleTolerance)
                continue;
            const int k = static_cast<int>(whole);
            // A direction given twice with different gains: neither may silently win.
            if (const auto seen = from[pol].find(k); seen != from[pol].end()) {
                const CutPoint& first = *seen->second;
                // (Two gains so weak that both stand for no field are the same too.)
                const bool same =
                    first.gain == c.gain || std::abs(first.gain - c.gain) <= kSameSampleDb ||
                    std::min(reference - first.gain, reference - c.gain) >= kNoFieldAttenuation;
                if (!same && !first.provisional)
                    fail(c.line, "the direction at the elevation " + degrees(wrap180(c.elevation)) +
                                     " deg has another gain already" +
                                     (first.line > 0 ? " on line " + std::to_string(first.line)
                                                     : std::string()) +
                                     "; give each angle once");
            }
            from[pol][k] = &c;
            at[pol][k] = c.gain;
            if (full && k == 0)
                at[pol][360] = c.gain;
        }
    }
    p.hasVertical = !cut[Vertical].empty();
    p.hasHorizontal = !cut[Horizontal].empty();
    const auto complete = [&](int step) {
        for (int pol : {Vertical, Horizontal}) {
            if (cut[pol].empty())
                continue;
            for (int a = 0; a <= p.range; a += step)
                if (at[pol].find(a) == at[pol].end())
                    return a;
        }
        return -1;
    };
    // The finest grid that every whole-degree sample lies on; it must be complete.
    if (at[Vertical].empty() && at[Horizontal].empty())
        fail(0, "none of the angles of the cut is a whole degree; the angle file needs whole "
                "degrees on a regular grid (the pattern is not resampled)");
    p.step = p.range;
    for (int pol : {Vertical, Horizontal})
        for (const auto& entry : at[pol])
            p.step = std::gcd(p.step, entry.first);
    const int missing = complete(p.step);
    if (missing >= 0) {
        const double elevation = full ? wrap180(-missing) : missing;
        fail(0, "the cut has no sample at the elevation " + degrees(elevation) +
                    " deg; the angle file needs samples at whole degrees, " +
                    std::to_string(p.step) + " deg apart, over the whole cut from 0 to " +
                    std::to_string(p.range) + " deg (the pattern is not resampled)");
    }
    DoubleArray* out[2] = {&p.vertical, &p.horizontal};
    for (int pol : {Vertical, Horizontal}) {
        out[pol]->clear();
        if (cut[pol].empty())
            continue;
        for (int a = 0; a <= p.range; a += p.step) {
            const double g = at[pol][a];
            out[pol]->push_back(g == kNoField ? kNoFieldAttenuation
                                              : std::min(kNoFieldAttenuation, reference - g));
        }
    }
}

std::string sourceNote(std::string_view what, const ImportedPattern& p) {
    std::string note = "Imported from " + std::string(what);
    if (p.frequency > 0)
        note += ", " + PlainShortest(p.frequency) + " MHz";
    note += ", cut at azimuth " + degrees(p.azimuth) + " deg";
    if (p.gainKnown)
        note += ", maximum gain " + PlainFixed(p.maxGain, 2) + " dBi";
    return note;
}

// The end of every import: a field somewhere, the cut on its grid, the source named.
void finishImport(ImportedPattern& p, const Cut& cut, bool lowerHalfAllowed, double reference,
                  std::string_view source) {
    if (p.maxGain == kNoField)
        fail(0, "the pattern has no field in any direction");
    fillCut(p, cut, lowerHalfAllowed, reference);
    p.notes.push_back(sourceNote(source, p));
}

// ---- NEC-2 output ---------------------------------------------------------------------

struct NecRow {
    double theta, phi; // theta 0 ... 180 from the zenith, phi 0 ... 360
    double gain[2];    // vertical, horizontal (dBi or kNoField)
    double total;
    std::size_t line; // of the file
};

struct NecBlock {
    double frequency;
    PatternGround ground;
    std::vector<NecRow> rows;
};

struct NecScan {
    std::vector<NecBlock> blocks;
    std::size_t normalizedLine = 0; // first line of a NORMALIZED GAIN heading
};

// "FREQUENCY : 1.4200E+01 MHz" (nec2c) or "FREQUENCY= 1.4200E+01 MHZ" (Fortran); false for
// every other line.
bool frequencyLine(std::string_view line, std::size_t lineNo, double& mhz) {
    std::string text = upper(trimmed(line));
    if (!startsWith(text, "FREQUENCY"))
        return false;
    std::string_view rest = trimmed(std::string_view(text).substr(9));
    if (rest.empty() || (rest.front() != ':' && rest.front() != '='))
        return false;
    const auto fields = words(rest.substr(1));
    if (fields.size() < 2 || !startsWith(fields[1], "MHZ"))
        fail(lineNo, "expected \"FREQUENCY : <number> MHz\"");
    if (!TryPlainNumber(fields[0], mhz) || mhz <= 0)
        fail(lineNo, "the frequency " + quoted(fields[0]) + " is not a positive number");
    return true;
}

PatternGround environment(const std::vector<std::string_view>& lines, std::size_t heading) {
    for (std::size_t i = heading + 1; i < lines.size(); ++i) {
        const std::string text = upper(trimmed(lines[i]));
        if (text.empty())
            continue;
        if (contains(text, "FREE SPACE"))
            return PatternGround::FreeSpace;
        if (contains(text, "PERFECT"))
            return PatternGround::Perfect;
        if (contains(text, "GROUND"))
            return PatternGround::Real;
        return PatternGround::Unknown;
    }
    return PatternGround::Unknown;
}

const char* const kNecColumns[] = {
    "THETA",       "PHI",  "first gain",         "second gain",    "TOTAL",
    "AXIAL RATIO", "TILT", "E(THETA) magnitude", "E(THETA) phase", "E(PHI) magnitude",
    "E(PHI) phase"};

// One row of a pattern table; majorMinor: the gain columns are MAJOR and MINOR, so the
// polarisations come from the field strengths.
NecRow necRow(const std::vector<std::string_view>& fields, std::size_t lineNo, bool majorMinor) {
    const bool sense = fields.size() > 7 && !beginsLikeNumber(fields[7]);
    const std::size_t expected = sense ? 12 : 11;
    if (fields.size() < expected)
        fail(lineNo, "short row: expected THETA, PHI, three gains, AXIAL RATIO, TILT, SENSE "
                     "and the magnitudes and phases of E(THETA) and E(PHI); found " +
                         std::to_string(fields.size()) + " fields");
    if (fields.size() > expected)
        fail(lineNo, "too many fields: expected " + std::to_string(expected) + ", found " +
                         std::to_string(fields.size()));
    double v[11];
    for (std::size_t k = 0, f = 0; k < 11; ++k, ++f) {
        if (sense && f == 7)
            ++f;
        if (!TryPlainNumber(fields[f], v[k]))
            fail(lineNo, "the " + std::string(kNecColumns[k]) + " " + quoted(fields[f]) +
                             " is not a number");
    }
    if (std::abs(v[0]) > 180.0 + kAngleTolerance)
        fail(lineNo, "THETA " + quoted(fields[0]) + " lies outside -180 ... 180 degrees");
    for (std::size_t k = 2; k <= 4; ++k)
        if (v[k] > kMaxPatternGain)
            fail(lineNo, "the " + std::string(kNecColumns[k]) + " " + quoted(fields[k]) +
                             " dB lies above " + PlainShortest(kMaxPatternGain) + " dBi");
    NecRow row{};
    row.line = lineNo;
    row.theta = v[0];
    row.phi = v[1];
    if (row.theta < 0) { // the side opposite phi
        row.theta = -row.theta;
        row.phi += 180.0;
    }
    row.phi = wrap360(row.phi);
    row.total = noFieldOr(v[4]);
    if (!majorMinor) {
        row.gain[Vertical] = noFieldOr(v[2]);
        row.gain[Horizontal] = noFieldOr(v[3]);
    } else {
        const double eTheta = v[7] * v[7], ePhi = v[9] * v[9];
        const double sum = eTheta + ePhi;
        const auto share = [&](double part) {
            return row.total == kNoField || part <= 0 || sum <= 0
                       ? kNoField
                       : row.total + 10.0 * std::log10(part / sum);
        };
        row.gain[Vertical] = share(eTheta);
        row.gain[Horizontal] = share(ePhi);
    }
    return row;
}

// Reads the table whose heading is line index `heading`; returns the index after it.
std::size_t necBlock(const std::vector<std::string_view>& lines, std::size_t heading,
                     NecBlock& block) {
    std::size_t i = heading + 1;
    while (i < lines.size() && trimmed(lines[i]).empty())
        ++i;
    if (i + 2 >= lines.size())
        fail(std::min(i + 1, lines.size()),
             "the pattern table ends before its three lines of column heads");
    const std::string first = upper(lines[i]);
    if (!contains(first, "ANGLES") ||
        !(contains(first, "POWER GAINS") || contains(first, "DIRECTIVE GAINS")))
        fail(i + 1, "expected the column heads of the pattern table (ANGLES, POWER GAINS or "
                    "DIRECTIVE GAINS, POLARIZATION, E(THETA), E(PHI))");
    const std::string second = upper(lines[i + 1]);
    const bool vh = contains(second, "VERT") && contains(second, "HOR");
    const bool majorMinor = contains(second, "MAJOR") && contains(second, "MINOR");
    if (!contains(second, "THETA") || !contains(second, "PHI") || !contains(second, "TOTAL") ||
        !(vh || majorMinor))
        fail(i + 2, "expected the column heads THETA PHI VERTC HORIZ TOTAL (or VERT. HOR., or "
                    "MAJOR MINOR) AXIAL TILT SENSE ...");
    if (!contains(upper(lines[i + 2]), "DEGREES"))
        fail(i + 3, "expected the units line of the column heads (DEGREES DEGREES DB ...)");
    i += 3;
    for (; i < lines.size(); ++i) {
        const auto fields = words(lines[i]);
        if (fields.empty() || !beginsLikeNumber(fields.front()))
            break;
        block.rows.push_back(necRow(fields, i + 1, majorMinor));
    }
    if (block.rows.empty())
        fail(i + 1, "the pattern table has no rows (expected THETA PHI and the gains)");
    return i;
}

NecScan scanNec(std::string_view text) {
    checkLineCount(text);
    const std::vector<std::string_view> lines = SplitLineViews(text);
    NecScan scan;
    double frequency = 0;
    PatternGround ground = PatternGround::Unknown;
    for (std::size_t i = 0; i < lines.size();) {
        const std::string key = headingKey(lines[i]);
        double mhz = 0;
        if (key == "ANTENNAENVIRONMENT") {
            ground = environment(lines, i);
        } else if (key == "NORMALIZEDGAIN") {
            if (scan.normalizedLine == 0)
                scan.normalizedLine = i + 1;
        } else if (key == "RADIATIONPATTERNS") {
            if (frequency <= 0)
                fail(i + 1, "a RADIATION PATTERNS table without a FREQUENCY line before it");
            NecBlock block{frequency, ground, {}};
            i = necBlock(lines, i, block);
            scan.blocks.push_back(std::move(block));
            continue;
        } else if (frequencyLine(lines[i], i + 1, mhz)) {
            frequency = mhz;
        }
        ++i;
    }
    return scan;
}

bool sameFrequency(double a, double b) {
    return std::abs(a - b) <= 1e-9 * std::max(std::abs(a), std::abs(b));
}

DoubleArray distinctFrequencies(const NecScan& scan) {
    DoubleArray out;
    for (const NecBlock& b : scan.blocks)
        if (std::none_of(out.begin(), out.end(),
                         [&](double f) { return sameFrequency(f, b.frequency); }))
            out.push_back(b.frequency);
    return out;
}

bool isPole(const NecRow& r) {
    return r.theta < kAngleTolerance || r.theta > 180.0 - kAngleTolerance;
}

// The azimuth of the front of the cut: the vertical plane that holds the largest gain;
// among planes that hold it equally the one with the most power on average (a low dipole
// has its largest gain at the zenith, which every plane holds: its broadside plane wins);
// in that plane the side with the largest gain, then the side with more power, then the
// smaller azimuth.
double frontAzimuth(const std::vector<NecRow>& rows, double maxGain) {
    struct Plane {
        double key;
        std::size_t order;
        double sum[2] = {0, 0};
        int count[2] = {0, 0};
        double max[2] = {kNoField, kNoField};
    };
    std::map<long, Plane> planes;
    bool poleHoldsMax = false;
    for (const NecRow& r : rows) {
        if (isPole(r)) {
            poleHoldsMax = poleHoldsMax || r.total >= maxGain - kTieDb;
            continue;
        }
        const double key = std::fmod(r.phi, 180.0);
        const int side = r.phi - key > 90.0 ? 1 : 0;
        const long id = std::lround(key / kAngleTolerance) % std::lround(180.0 / kAngleTolerance);
        auto it = planes.find(id);
        if (it == planes.end())
            it = planes.emplace(id, Plane{key, planes.size()}).first;
        Plane& p = it->second;
        p.sum[side] += power(r.total);
        ++p.count[side];
        p.max[side] = std::max(p.max[side], r.total);
    }
    const Plane* best = nullptr;
    double bestMean = 0;
    for (const auto& entry : planes) {
        const Plane& p = entry.second;
        if (!poleHoldsMax && std::max(p.max[0], p.max[1]) < maxGain - kTieDb)
            continue;
        const double mean = (p.sum[0] + p.sum[1]) / (p.count[0] + p.count[1]);
        const bool better = !best || mean > bestMean * (1 + 1e-9) ||
                            (mean >= bestMean * (1 - 1e-9) && p.order < best->order);
        if (better) {
            best = &p;
            bestMean = mean;
        }
    }
    if (!best)
        return 0;
    const double planeMax = std::max(best->max[0], best->max[1]);
    const bool holds0 = best->max[0] >= planeMax - kTieDb;
    const bool holds1 = best->max[1] >= planeMax - kTieDb;
    int side = holds0 ? 0 : 1;
    if (holds0 && holds1 && best->count[0] > 0 && best->count[1] > 0) {
        const double mean0 = best->sum[0] / best->count[0];
        const double mean1 = best->sum[1] / best->count[1];
        side = mean1 > mean0 * (1 + 1e-9) ? 1 : 0;
    }
    return best->key + 180.0 * side;
}

std::string azimuthList(const std::vector<NecRow>& rows) {
    std::vector<double> seen;
    for (const NecRow& r : rows)
        if (!isPole(r) && std::none_of(seen.begin(), seen.end(),
                                       [&](double a) { return sameDirection(a, r.phi); }))
            seen.push_back(r.phi);
    std::sort(seen.begin(), seen.end());
    std::string out;
    for (std::size_t k = 0; k < seen.size() && k < 12; ++k)
        out += (k ? ", " : "") + degrees(seen[k]);
    if (seen.size() > 12)
        out += ", ...";
    return out.empty() ? "none but the poles" : out;
}

std::string frequencyList(const DoubleArray& frequencies) {
    std::string out;
    for (std::size_t k = 0; k < frequencies.size(); ++k)
        out += (k ? ", " : "") + PlainShortest(frequencies[k]);
    return out;
}

// ---- EZNEC far-field table --------------------------------------------------------------

bool isEznecHead(std::string_view line) {
    const std::string text = lower(line);
    const auto fields = words(text);
    static const char* const head[] = {"deg", "v", "db", "h", "db", "tot", "db"};
    if (fields.size() < 7)
        return false;
    for (std::size_t k = 0; k < 7; ++k)
        if (fields[k] != head[k])
            return false;
    return true;
}

// A number with a decimal point or a decimal comma.
bool eznecNumber(std::string_view text, double& value) {
    std::string s(text);
    std::replace(s.begin(), s.end(), ',', '.');
    return TryPlainNumber(s, value);
}

// "<name> = <number> <unit>" at the start of the text (lower case); false when the text
// has another form.
bool namedValue(std::string_view text, std::string_view name, double& value) {
    const auto at = text.find(name);
    if (at == std::string_view::npos)
        return false;
    std::string_view rest = trimmed(text.substr(at + name.size()));
    if (rest.empty() || rest.front() != '=')
        return false;
    const auto fields = words(rest.substr(1));
    return !fields.empty() && eznecNumber(fields[0], value);
}

// ---- CSV ---------------------------------------------------------------------------------

StringArray csvFields(std::string_view line) {
    std::string clean(line);
    clean.erase(std::remove(clean.begin(), clean.end(), '"'), clean.end());
    StringArray out;
    for (const std::string& f : SplitText(clean, ','))
        out.emplace_back(trimmed(f));
    return out;
}

} // namespace

PatternImportError::PatternImportError(int line, std::string reason)
    : std::runtime_error((line > 0 ? "line " + std::to_string(line) + ": " : std::string()) +
                         reason),
      m_line(line), m_reason(std::move(reason)) {}

DoubleArray NecPatternFrequencies(std::string_view text) {
    return distinctFrequencies(scanNec(text));
}

PatternFormat DetectPatternFormat(std::string_view text) {
    checkLineCount(text);
    const std::vector<std::string_view> lines = SplitLineViews(text);
    bool firstSeen = false;
    for (std::string_view line : lines) {
        const std::string key = headingKey(line);
        if (key == "RADIATIONPATTERNS" || key == "NORMALIZEDGAIN" ||
            contains(key, "NUMERICALELECTROMAGNETICSCODE"))
            return PatternFormat::Nec;
        if (!firstSeen && !trimmed(line).empty()) {
            firstSeen = true;
            const StringArray fields = csvFields(lower(line));
            if (fields.size() >= 2 && fields[0] == "angle")
                return PatternFormat::Csv;
        }
    }
    for (std::string_view line : lines) {
        const std::string lowered = lower(line);
        if (isEznecHead(line) || contains(lowered, "elevation pattern") ||
            contains(lowered, "azimuth pattern") || contains(lowered, "far field table"))
            return PatternFormat::Eznec;
    }
    fail(0, "the file is neither NEC-2 output (RADIATION PATTERNS), an EZNEC far-field table "
            "(Deg V dB H dB Tot dB) nor a CSV table (angle,gain_dbi or angle,attenuation_db)");
}

ImportedPattern ImportNecPattern(std::string_view text, const PatternImportOptions& options) {
    const NecScan scan = scanNec(text);
    if (scan.blocks.empty()) {
        if (scan.normalizedLine > 0)
            fail(scan.normalizedLine,
                 "the file holds only a NORMALIZED GAIN table, which has no gains in dBi; the "
                 "import needs the RADIATION PATTERNS table");
        fail(0, "no RADIATION PATTERNS table: expected the output of nec2c or NEC-2 for a "
                "deck with an RP card");
    }
    const DoubleArray frequencies = distinctFrequencies(scan);
    double frequency = frequencies.front();
    if (options.frequency) {
        for (double f : frequencies)
            if (std::abs(f - *options.frequency) < std::abs(frequency - *options.frequency))
                frequency = f;
    } else if (frequencies.size() > 1) {
        fail(0, "the output holds patterns at " + frequencyList(frequencies) +
                    " MHz; choose one frequency");
    }

    ImportedPattern p;
    p.format = PatternFormat::Nec;
    p.frequency = frequency;
    std::vector<NecRow> rows;
    for (const NecBlock& b : scan.blocks) {
        if (!sameFrequency(b.frequency, frequency))
            continue;
        if (rows.empty())
            p.ground = b.ground;
        const bool overGround =
            b.ground == PatternGround::Perfect || b.ground == PatternGround::Real;
        for (const NecRow& r : b.rows)
            if (!overGround || r.theta <= 90.0 + kAngleTolerance) // no field below the ground
                rows.push_back(r);
    }
    p.maxGain = kNoField;
    for (const NecRow& r : rows)
        p.maxGain = std::max(p.maxGain, r.total);
    if (p.maxGain == kNoField)
        fail(0,
             "the pattern at " + PlainShortest(frequency) + " MHz has no field in any direction");
    p.azimuth = options.azimuth ? wrap360(*options.azimuth) : frontAzimuth(rows, p.maxGain);

    // How a pole's field splits into the polarisations depends on the azimuth of its row:
    // rows of the cut's plane come last, so that they win over those of other planes.
    Cut cut;
    bool sideRows = false;
    for (int pass = 0; pass < 2; ++pass) {
        for (const NecRow& r : rows) {
            const bool front = sameDirection(r.phi, p.azimuth);
            const bool back = sameDirection(r.phi, p.azimuth + 180.0);
            if ((pass == 0) != (isPole(r) && !front && !back))
                continue;
            double elevation = 0;
            if (isPole(r))
                elevation = r.theta < 90 ? 90 : -90;
            else if (front || back)
                elevation = front ? 90.0 - r.theta : 90.0 + r.theta;
            else
                continue;
            sideRows = sideRows || !isPole(r);
            for (int pol : {Vertical, Horizontal})
                cut[pol].push_back({elevation, r.gain[pol], r.line, pass == 0});
        }
    }
    if (!sideRows)
        fail(0, "no pattern rows at the azimuth " + degrees(p.azimuth) + " or " +
                    degrees(wrap360(p.azimuth + 180.0)) + " deg; the table has the azimuths " +
                    azimuthList(rows));
    const bool overGround = p.ground == PatternGround::Perfect || p.ground == PatternGround::Real;
    finishImport(p, cut, !overGround, p.maxGain, "NEC-2 output");
    if (p.ground == PatternGround::Real)
        p.notes.emplace_back(kRealGroundNote);
    else if (p.ground == PatternGround::Perfect)
        p.notes.emplace_back(kPerfectGroundNote);
    return p;
}

ImportedPattern ImportEznecPattern(std::string_view text, const PatternImportOptions&) {
    checkLineCount(text);
    const std::vector<std::string_view> lines = SplitLineViews(text);
    double frequency = 0, azimuth = 0;
    bool elevationPattern = false;
    std::size_t head = 0;
    for (std::size_t i = 0; i < lines.size() && head == 0; ++i) {
        const std::string line = lower(trimmed(lines[i]));
        if (startsWith(line, "frequency")) {
            const auto fields = words(line);
            if (!namedValue(line, "frequency", frequency) || frequency <= 0 || fields.empty() ||
                !startsWith(fields.back(), "mhz"))
                fail(i + 1, "expected \"Frequency = <number> MHz\"");
        } else if (contains(line, "azimuth pattern")) {
            fail(i + 1, "an azimuth pattern is a horizontal cut, the angle file needs the "
                        "vertical one: export the elevation pattern");
        } else if (contains(line, "elevation pattern")) {
            elevationPattern = true;
            if (contains(line, "azimuth angle") && !namedValue(line, "azimuth angle", azimuth))
                fail(i + 1, "expected \"Azimuth angle = <number> deg.\"");
        } else if (isEznecHead(line)) {
            head = i + 1;
        }
    }
    if (head == 0)
        fail(0, "no column heads \"Deg V dB H dB Tot dB\": expected an EZNEC far-field table");
    if (frequency <= 0)
        fail(head, "no \"Frequency = <number> MHz\" line before the table");
    if (!elevationPattern)
        fail(head, "no \"Elevation Pattern\" line before the table: the table must be an "
                   "elevation pattern");

    ImportedPattern p;
    p.format = PatternFormat::Eznec;
    p.frequency = frequency;
    p.azimuth = wrap360(azimuth);
    p.ground = PatternGround::Unknown;
    p.maxGain = kNoField;
    Cut cut;
    std::size_t i = head;
    while (i < lines.size() && trimmed(lines[i]).empty())
        ++i;
    static const char* const columns[] = {"Deg", "V dB", "H dB", "Tot dB"};
    for (; i < lines.size(); ++i) {
        const auto fields = words(lines[i]);
        if (fields.empty() || !beginsLikeNumber(fields.front()))
            break;
        if (fields.size() < 4)
            fail(i + 1, "short row: expected Deg, V dB, H dB and Tot dB; found " +
                            std::to_string(fields.size()) + " fields");
        double v[4];
        for (std::size_t k = 0; k < 4; ++k)
            if (!eznecNumber(fields[k], v[k]))
                fail(i + 1, "the " + std::string(columns[k]) + " value " + quoted(fields[k]) +
                                " is not a number");
        for (std::size_t k = 1; k < 4; ++k)
            if (v[k] > kMaxPatternGain)
                fail(i + 1, "the " + std::string(columns[k]) + " value " + quoted(fields[k]) +
                                " lies above " + PlainShortest(kMaxPatternGain) + " dBi");
        cut[Vertical].push_back({v[0], noFieldOr(v[1]), i + 1});
        cut[Horizontal].push_back({v[0], noFieldOr(v[2]), i + 1});
        p.maxGain = std::max(p.maxGain, noFieldOr(v[3]));
    }
    if (cut[Vertical].empty())
        fail(i + 1, "the table has no rows (expected Deg, V dB, H dB, Tot dB)");
    finishImport(p, cut, true, p.maxGain, "an EZNEC far-field table");
    return p;
}

ImportedPattern ImportCsvPattern(std::string_view text, const PatternImportOptions& options) {
    checkLineCount(text);
    const std::vector<std::string_view> lines = SplitLineViews(text);
    std::size_t i = 0;
    while (i < lines.size() && trimmed(lines[i]).empty())
        ++i;
    if (i == lines.size())
        fail(0, "the file is empty: expected the header angle,gain_dbi or angle,attenuation_db");
    const StringArray head = csvFields(lower(lines[i]));
    const bool shapeOk =
        (head.size() == 2 || head.size() == 3) && head[0] == "angle" &&
        (head[1] == "gain_dbi" || head[1] == "attenuation_db") &&
        (head.size() == 2 || head[2] == "polarisation" || head[2] == "polarization");
    if (!shapeOk)
        fail(i + 1, "expected the header angle,gain_dbi or angle,attenuation_db, optionally "
                    "followed by ,polarisation");
    const bool attenuations = head[1] == "attenuation_db";
    const bool polarised = head.size() == 3;

    // The frequency the file was made for: 0 for every band, else one that has limits.
    if (options.frequency && !(*options.frequency >= 0 && *options.frequency < kMaxFrequency))
        fail(0, "the frequency " + PlainShortest(*options.frequency) +
                    " MHz lies outside 0 (every band) ... below " + PlainFixed(kMaxFrequency, 0) +
                    " MHz");
    ImportedPattern p;
    p.format = PatternFormat::Csv;
    p.frequency = options.frequency.value_or(0.0);
    p.ground = PatternGround::Unknown;
    Cut cut;
    struct Direction {
        double power = 0;       // of both polarisations
        double gain = kNoField; // of the only one
        int samples = 0;
    };
    std::map<long, Direction> directions; // per angle in milli-degrees
    for (++i; i < lines.size(); ++i) {
        if (trimmed(lines[i]).empty())
            continue;
        const StringArray fields = csvFields(lines[i]);
        if (fields.size() < head.size())
            fail(i + 1, "short row: expected " + std::to_string(head.size()) + " fields, found " +
                            std::to_string(fields.size()));
        if (fields.size() > head.size())
            fail(i + 1, "too many fields: expected " + std::to_string(head.size()) + ", found " +
                            std::to_string(fields.size()));
        double angle = 0, value = 0;
        if (!TryPlainNumber(fields[0], angle))
            fail(i + 1, "the angle " + quoted(fields[0]) + " is not a number");
        if (!TryPlainNumber(fields[1], value))
            fail(i + 1, "the " + head[1] + " " + quoted(fields[1]) + " is not a number");
        if (attenuations ? value < -kMaxPatternGain : value > kMaxPatternGain)
            fail(i + 1, "the " + head[1] + " " + quoted(fields[1]) +
                            (attenuations ? " lies below -" : " lies above ") +
                            PlainShortest(kMaxPatternGain) + (attenuations ? " dB" : " dBi"));
        const double gain = attenuations ? -value : noFieldOr(value);
        if (polarised) {
            const std::string letter = lower(fields[2]);
            if (letter != "v" && letter != "h")
                fail(i + 1, "the polarisation " + quoted(fields[2]) + " is neither v nor h");
            cut[letter == "v" ? Vertical : Horizontal].push_back({angle, gain, i + 1});
        } else {
            cut[Vertical].push_back({angle, gain, i + 1});
            cut[Horizontal].push_back({angle, gain, i + 1});
        }
        Direction& d = directions[std::lround(wrap360(angle) * 1000.0)];
        if (!polarised)
            d = Direction{};
        d.power += power(gain);
        d.gain = gain;
        ++d.samples;
    }
    if (cut[Vertical].empty() && cut[Horizontal].empty())
        fail(lines.size(), "the table has no rows after its header");

    if (attenuations) {
        if (options.gain && std::abs(*options.gain) > kMaxPatternGain)
            fail(0, "the gain " + PlainShortest(*options.gain) + " dBi lies outside -" +
                        PlainShortest(kMaxPatternGain) + " ... " + PlainShortest(kMaxPatternGain) +
                        " dBi");
        p.gainKnown = options.gain.has_value();
        p.maxGain = options.gain.value_or(0.0);
    } else {
        p.maxGain = kNoField;
        for (const auto& [angle, d] : directions)
            p.maxGain = std::max(p.maxGain, d.samples == 1 ? d.gain
                                            : d.power > 0  ? 10.0 * std::log10(d.power)
                                                           : kNoField);
    }
    finishImport(p, cut, true, attenuations ? 0.0 : p.maxGain, "a CSV table");
    return p;
}

ImportedPattern ImportPattern(std::string_view text, const PatternImportOptions& options) {
    switch (DetectPatternFormat(text)) {
    case PatternFormat::Nec:
        return ImportNecPattern(text, options);
    case PatternFormat::Eznec:
        return ImportEznecPattern(text, options);
    case PatternFormat::Csv:
        break;
    }
    return ImportCsvPattern(text, options);
}

ImportedPattern ImportPatternFile(const std::string& fileName,
                                  const PatternImportOptions& options) {
    const FileReadResult read = ReadWholeFile(fileName, kMaxPatternFileSize);
    if (!read.ok())
        fail(0, read.error);
    return ImportPattern(read.bytes, options);
}

std::string AngleFileText(const ImportedPattern& p, std::string_view description) {
    // Free text must stay one line and must not read as a key or a section line.
    const auto freeText = [](std::string_view text) {
        std::string out;
        for (char c : text) {
            if (c == '\r' || c == '\n')
                c = ' ';
            else if (c == '[')
                c = '(';
            else if (c == ']')
                c = ')';
            if (c != '"')
                out += c;
        }
        return out;
    };
    std::string out;
    const auto line = [&out](const std::string& text) { out += text + "\r\n"; };
    if (!description.empty())
        line(freeText(description));
    for (const std::string& note : p.notes)
        line(freeText(note));
    // The polarisation of the largest gain first: the one the window shows first.
    const auto strongest = [](const DoubleArray& a) {
        return a.empty() ? kNoFieldAttenuation : *std::min_element(a.begin(), a.end());
    };
    const bool horizontalFirst =
        p.hasHorizontal && (!p.hasVertical || strongest(p.horizontal) < strongest(p.vertical));
    line(std::string("[Polarisation],") +
         (horizontalFirst ? std::string("h") + (p.hasVertical ? "v" : "")
                          : std::string(p.hasVertical ? "v" : "") + (p.hasHorizontal ? "h" : "")));
    line("[Bereich]," + std::to_string(p.range));
    line("[Schrittweite]," + std::to_string(p.step));
    const std::string second = p.gainKnown ? PlainFixed(p.maxGain, 2) : "0";
    const std::pair<char, const DoubleArray*> sections[] = {{'v', &p.vertical},
                                                            {'h', &p.horizontal}};
    for (const auto& [letter, values] : sections) {
        if (letter == 'v' ? !p.hasVertical : !p.hasHorizontal)
            continue;
        line(std::string("[MHz],") + letter + "," + PlainShortest(p.frequency) + "," + second);
        for (std::size_t k = 0; k < values->size(); k += kValuesPerLine) {
            std::string row;
            for (std::size_t j = k; j < values->size() && j < k + kValuesPerLine; ++j)
                row += (j > k ? "," : "") + PlainFixed((*values)[j], 2);
            line(row);
        }
    }
    return out;
}

bool HasRealGroundNote(std::string_view angleFileText) {
    for (std::string_view line : SplitLineViews(angleFileText)) {
        if (startsWith(line, "[MHz]"))
            break;
        std::string clean(line);
        clean.erase(std::remove(clean.begin(), clean.end(), '"'), clean.end());
        if (trimmed(clean) == kRealGroundNote)
            return true;
    }
    return false;
}

bool HasRealGroundNote(const TWinkAnt& data) {
    return std::any_of(data.Notes.begin(), data.Notes.end(),
                       [](const std::string& note) { return trimmed(note) == kRealGroundNote; });
}

} // namespace radexa
