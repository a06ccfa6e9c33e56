#include "core/calc/limits.h"

#include "core/support/textnumbers.h"

#include <cmath>
#include <limits>
#include <optional>

namespace radexa {

namespace {

// A level a x (f / unit)^exponent, f in MHz (unit 1000 where the table writes the law in
// GHz); a = 0 where the table gives no level.
struct Law {
    double a = 0;
    double exponent = 0;
    double unit = 1;
};
constexpr Law kNone{};
constexpr Law Flat(double a) {
    return {a, 0, 1};
}
constexpr Law Pow(double a, double exponent, double unit = 1) {
    return {a, exponent, unit};
}

// x^e with the exact operations for the exponents the band table uses (its 87 / sqrt(f)
// and 1.375 x sqrt(f) must come out bit for bit).
double raise(double x, double e) {
    if (e == 0.5)
        return std::sqrt(x);
    if (e == 1)
        return x;
    if (e == 2)
        return x * x;
    return std::pow(x, e);
}

double evaluate(const Law& law, double f) {
    if (law.exponent == 0)
        return law.a;
    const double x = f / law.unit;
    return law.exponent > 0 ? law.a * raise(x, law.exponent) : law.a / raise(x, -law.exponent);
}

// One frequency range of a table; E kNone where the table gives S only.
struct Row {
    double lo, hi; // MHz
    Law e, h, s;   // V/m, A/m, W/m²
    Law minutes;   // averaging time; kNone for an instantaneous check
};

// Which range an edge frequency belongs to. The band table's ranges include their lower
// edge ("10 <= f < 400"). The other sets write ">30-400 MHz": a range includes its upper
// edge, and the lowest range its lower edge too. The first range that holds f decides.
enum class Edges { LowerIncluded, UpperIncluded };

template <class R> const R* rowAt(const std::vector<R>& rows, Edges edges, double f) {
    for (const R& r : rows) {
        const bool in =
            edges == Edges::LowerIncluded ? InRange(f, r.lo, r.hi) : InClosedRange(f, r.lo, r.hi);
        if (in)
            return &r;
    }
    return nullptr;
}

// The smaller positive of two levels (0 = none).
double lowerPositive(double current, double candidate) {
    return candidate > 0 && (current == 0 || candidate < current) ? candidate : current;
}

// The levels of one check at one frequency, or the lowest of each over a band; 0 = none.
struct Levels {
    bool applies = false;
    double e = 0, h = 0, s = 0, minutes = 0;
};

struct Check {
    LimitCheck id;
    std::vector<Row> rows;
    // The band scans, made when a band is first asked for (the program is single-threaded).
    mutable std::array<std::optional<Levels>, kBandCount> bands{};
};

struct SetTable {
    LimitSet id;
    const char* word;
    const char* name;
    const char* range; // for the refusal text
    Edges edges;
    std::array<std::vector<Check>, 2> tiers; // public, occupational (empty: no such tier)
};

Levels levelsAt(const Check& check, Edges edges, double f) {
    Levels out;
    const Row* r = rowAt(check.rows, edges, f);
    if (!r)
        return out;
    out.applies = true;
    out.s = evaluate(r->s, f);
    out.e = r->e.a != 0 ? evaluate(r->e, f) : std::sqrt(377 * out.s);
    out.h = evaluate(r->h, f);
    out.minutes = evaluate(r->minutes, f);
    return out;
}

Levels bandLevels(const Check& check, Edges edges, double lo, double hi) {
    Levels out;
    ForEachBandScanPoint(lo, hi, [&](double f) {
        const Levels at = levelsAt(check, edges, f);
        if (!at.applies)
            return;
        out.applies = true;
        out.e = lowerPositive(out.e, at.e);
        out.h = lowerPositive(out.h, at.h);
        out.s = lowerPositive(out.s, at.s);
        out.minutes = lowerPositive(out.minutes, at.minutes);
    });
    return out;
}

// The band's levels, scanned once and kept with the check.
const Levels& bandLevelsOnce(const Check& check, Edges edges, int band) {
    std::optional<Levels>& kept = check.bands[static_cast<std::size_t>(band - 1)];
    if (!kept)
        kept = bandLevels(check, edges, BandLowerEdge(band), BandUpperEdge(band));
    return *kept;
}

// ICNIRP 2010, Tables 3 and 4 (3 kHz-10 MHz), kept by ICNIRP 2020 for the peak field.
Check instantaneous(double e, Law h) {
    return {LimitCheck::Instantaneous, {{0.1, 10, Flat(e), h, kNone, kNone}}, {}};
}

std::vector<SetTable> buildTables() {
    std::vector<SetTable> sets;
    // ICNIRP 1998, Table 7 (general public); E as the band table has it (27.5 V/m where
    // the guideline prints 28); averaging 6 min up to and with 10 GHz, 68/f^1.05 min (f in
    // GHz) for frequencies exceeding 10 GHz, footnotes to Table 7. The ranges include their
    // lower edge, so the 68/f^1.05 range starts just above 10 GHz.
    const double above10GHz = std::nextafter(10000.0, 300000.0);
    sets.push_back(
        {LimitSet::Icnirp1998,
         "ICNIRP1998",
         "ICNIRP 1998 (band table, 27.5 V/m 10\x96"
         "400 MHz)",
         "0.003 up to below 300000 MHz",
         Edges::LowerIncluded,
         {{{{LimitCheck::Icnirp1998,
             {
                 {0.003, 0.15, Flat(87), Flat(5), kNone, Flat(6)},
                 {0.15, 1, Flat(87), Pow(0.73, -1), kNone, Flat(6)},
                 {1, 10, Pow(87, -0.5), Pow(0.73, -1), kNone, Flat(6)},
                 {10, 400, Flat(27.5), Flat(0.073), Flat(2), Flat(6)},
                 {400, 2000, Pow(1.375, 0.5), Pow(0.0037, 0.5), Pow(1.0 / 200, 1), Flat(6)},
                 {2000, above10GHz, Flat(61), Flat(0.16), Flat(10), Flat(6)},
                 {above10GHz, 300000, Flat(61), Flat(0.16), Flat(10), Pow(68, -1.05, 1000)},
             },
             {}}},
           {}}}});
    sets.push_back(
        {LimitSet::Icnirp2020,
         "ICNIRP2020",
         "ICNIRP 2020",
         "0.1 to 300000 MHz",
         Edges::UpperIncluded,
         {{{
               // Table 5, whole body, general public, 30-min average.
               {LimitCheck::WholeBody,
                {
                    {0.1, 30, Pow(300, -0.7), Pow(2.2, -1), kNone, Flat(30)},
                    {30, 400, Flat(27.7), Flat(0.073), Flat(2), Flat(30)},
                    {400, 2000, Pow(1.375, 0.5), Pow(0.0037, 0.5), Pow(1.0 / 200, 1), Flat(30)},
                    {2000, 300000, kNone, kNone, Flat(10), Flat(30)},
                },
                {}},
               // Table 6, local, general public, 6-min average.
               {LimitCheck::Local,
                {
                    {0.1, 30, Pow(671, -0.7), Pow(4.9, -1), kNone, Flat(6)},
                    {30, 400, Flat(62), Flat(0.163), Flat(10), Flat(6)},
                    {400, 2000, Pow(4.72, 0.43), Pow(0.0123, 0.43), Pow(0.058, 0.86), Flat(6)},
                    {2000, 6000, kNone, kNone, Flat(40), Flat(6)},
                    {6000, 300000, kNone, kNone, Pow(55, -0.177, 1000), Flat(6)},
                },
                {}},
               // ICNIRP 2010, Table 4 (general public).
               instantaneous(83, Flat(21)),
           },
           {
               // Table 5, whole body, occupational, 30-min average.
               {LimitCheck::WholeBody,
                {
                    {0.1, 30, Pow(660, -0.7), Pow(4.9, -1), kNone, Flat(30)},
                    {30, 400, Flat(61), Flat(0.16), Flat(10), Flat(30)},
                    {400, 2000, Pow(3, 0.5), Pow(0.008, 0.5), Pow(1.0 / 40, 1), Flat(30)},
                    {2000, 300000, kNone, kNone, Flat(50), Flat(30)},
                },
                {}},
               // Table 6, local, occupational, 6-min average.
               {LimitCheck::Local,
                {
                    {0.1, 30, Pow(1504, -0.7), Pow(10.8, -1), kNone, Flat(6)},
                    {30, 400, Flat(139), Flat(0.36), Flat(50), Flat(6)},
                    {400, 2000, Pow(10.58, 0.43), Pow(0.0274, 0.43), Pow(0.29, 0.86), Flat(6)},
                    {2000, 6000, kNone, kNone, Flat(200), Flat(6)},
                    {6000, 300000, kNone, kNone, Pow(275, -0.177, 1000), Flat(6)},
                },
                {}},
               // ICNIRP 2010, Table 3 (occupational).
               instantaneous(170, Flat(80)),
           }}}});
    // 47 CFR §1.1310, Table 1; S in W/m² (1 mW/cm² = 10 W/m²); below 30 MHz the S the
    // table prints in parentheses (plane-wave equivalent).
    sets.push_back({LimitSet::Fcc,
                    "FCC",
                    "FCC \xA7"
                    "1.1310",
                    "0.3 to 100000 MHz",
                    Edges::UpperIncluded,
                    {{{
                          // (B) General population/uncontrolled exposure, 30-min average.
                          {LimitCheck::Fcc,
                           {
                               {0.3, 1.34, Flat(614), Flat(1.63), Flat(1000), Flat(30)},
                               {1.34, 30, Pow(824, -1), Pow(2.19, -1), Pow(1800, -2), Flat(30)},
                               {30, 300, Flat(27.5), Flat(0.073), Flat(2), Flat(30)},
                               {300, 1500, kNone, kNone, Pow(1.0 / 150, 1), Flat(30)},
                               {1500, 100000, kNone, kNone, Flat(10), Flat(30)},
                           },
                           {}},
                      },
                      {
                          // (A) Occupational/controlled exposure, 6-min average.
                          {LimitCheck::Fcc,
                           {
                               {0.3, 3, Flat(614), Flat(1.63), Flat(1000), Flat(6)},
                               {3, 30, Pow(1842, -1), Pow(4.89, -1), Pow(9000, -2), Flat(6)},
                               {30, 300, Flat(61.4), Flat(0.163), Flat(10), Flat(6)},
                               {300, 1500, kNone, kNone, Pow(1.0 / 30, 1), Flat(6)},
                               {1500, 100000, kNone, kNone, Flat(50), Flat(6)},
                           },
                           {}},
                      }}}});
    // Health Canada Safety Code 6 (2015), uncontrolled environment: Table 5 (RF levels,
    // 6 min up to 15 GHz, 616000/f^1.2 min above; S from 300 MHz) and the nerve-stimulation
    // level up to 10 MHz, applied to the peak field as ICNIRP 2010 does.
    sets.push_back(
        {LimitSet::Sc6,
         "SC6",
         "Safety Code 6 (2015)",
         "0.1 to 150000 MHz",
         Edges::UpperIncluded,
         {{{
               {LimitCheck::Sc6,
                {
                    {0.1, 20, Flat(27.46), Flat(0.0728), kNone, Flat(6)},
                    {20, 48, Pow(58.07, -0.25), Pow(0.154, -0.25), kNone, Flat(6)},
                    {48, 300, Flat(22.06), Flat(0.05852), kNone, Flat(6)},
                    {300, 6000, Pow(3.142, 0.3417), Pow(0.008335, 0.3417), Pow(0.02619, 0.6834),
                     Flat(6)},
                    {6000, 15000, Flat(61.4), Flat(0.163), Flat(10), Flat(6)},
                    {15000, 150000, Flat(61.4), Flat(0.163), Flat(10), Pow(616000, -1.2)},
                },
                {}},
               instantaneous(83, kNone),
           },
           {}}}});
    return sets;
}

const SetTable* tableOf(LimitSet set) {
    static const std::vector<SetTable> tables = buildTables();
    for (const SetTable& t : tables)
        if (t.id == set)
            return &t;
    return nullptr;
}

const std::vector<Check>* checksOf(const SetTable& set, LimitTier tier) {
    const auto i = static_cast<std::size_t>(tier);
    if (i >= set.tiers.size() || set.tiers[i].empty())
        return nullptr;
    return &set.tiers[i];
}

// Whether the set's first check (which spans the set's range) has a level there; a band
// must lie wholly inside.
bool covers(const SetTable& set, const std::vector<Check>& checks, const FrequencyChoice& fc) {
    const auto& rows = checks.front().rows;
    if (fc.FixedFrequencyMode)
        return rowAt(rows, set.edges, fc.FixedFrequency) != nullptr;
    return rowAt(rows, set.edges, BandLowerEdge(fc.BandIDX)) &&
           rowAt(rows, set.edges, BandUpperEdge(fc.BandIDX));
}

LimitEvaluation refusedEvaluation(const LimitChoice& choice, Refusal refusal) {
    LimitEvaluation out;
    out.choice = choice;
    out.refusal = refusal;
    return out;
}

double undefinedIfNone(double level) {
    return level > 0 ? level : kUndefined;
}

// The distances of levels that are not refused; non-finite EIRPs give non-finite distances.
LimitEvaluation withDistances(LimitEvaluation levels, double peakEirp, double meanEirp) {
    const double g = GroundFieldFactor(levels.choice.ground);
    for (std::size_t i = 0; i < levels.checks.size(); ++i) {
        LimitCheckResult& c = levels.checks[i];
        c.Eirp = c.check == LimitCheck::Instantaneous ? peakEirp : meanEirp;
        c.SafetyDistance = g * SafetyDistance(c.Eirp, c.E);
        if (i == 0 || c.SafetyDistance > levels.SafetyDistance) {
            levels.binding = static_cast<int>(i);
            levels.SafetyDistance = c.SafetyDistance;
            levels.ELimit = c.E;
        }
    }
    return levels;
}

template <class E, std::size_t N>
bool parseWord(std::string_view word, const std::array<const char*, N>& words, E& value) {
    for (std::size_t i = 0; i < N; ++i)
        if (SameTextNoCase(word, words[i])) {
            value = static_cast<E>(i);
            return true;
        }
    return false;
}

template <class E, std::size_t N>
std::string wordOf(E value, const std::array<const char*, N>& words) {
    const auto i = static_cast<std::size_t>(value);
    return i < N ? words[i] : "";
}

constexpr std::array<const char*, 4> kSetWords = {"ICNIRP1998", "ICNIRP2020", "FCC", "SC6"};
constexpr std::array<const char*, 2> kTierWords = {"public", "occupational"};
constexpr std::array<const char*, 3> kGroundWords = {"none", "1.6", "2"};
constexpr std::array<const char*, 6> kCheckNames = {"ICNIRP 1998",   "whole body", "local",
                                                    "instantaneous", "FCC",        "SC6"};

} // namespace

std::string LimitSetWord(LimitSet set) {
    return wordOf(set, kSetWords);
}
bool ParseLimitSet(std::string_view word, LimitSet& set) {
    return parseWord(word, kSetWords, set);
}
std::string LimitTierWord(LimitTier tier) {
    return wordOf(tier, kTierWords);
}
bool ParseLimitTier(std::string_view word, LimitTier& tier) {
    return parseWord(word, kTierWords, tier);
}
std::string GroundWord(GroundReflection ground) {
    return wordOf(ground, kGroundWords);
}
bool ParseGround(std::string_view word, GroundReflection& ground) {
    return parseWord(word, kGroundWords, ground);
}
std::string LimitCheckName(LimitCheck check) {
    return wordOf(check, kCheckNames);
}
bool ParseLimitCheck(std::string_view word, LimitCheck& check) {
    return parseWord(word, kCheckNames, check);
}

std::string LimitSetName(LimitSet set) {
    const SetTable* t = tableOf(set);
    return t ? t->name : "";
}

double LimitSetLowest(LimitSet set) {
    const SetTable* t = tableOf(set);
    return t ? t->tiers[0].front().rows.front().lo : kUndefined;
}

double LimitSetHighest(LimitSet set) {
    const SetTable* t = tableOf(set);
    return t ? t->tiers[0].front().rows.back().hi : kUndefined;
}

bool HasTier(LimitSet set, LimitTier tier) {
    const SetTable* t = tableOf(set);
    return t && checksOf(*t, tier);
}

double GroundFieldFactor(GroundReflection ground) {
    switch (ground) {
    case GroundReflection::None:
        return 1;
    case GroundReflection::Typical:
        return 1.6;
    case GroundReflection::Full:
        return 2;
    }
    return 1;
}

LimitEvaluation LimitLevels(const LimitChoice& choice, const FrequencyChoice& frequency) {
    const SetTable* set = tableOf(choice.set);
    if (!set)
        return refusedEvaluation(choice, Refusal::OutsideLimitSet);
    if (!frequency.FixedFrequencyMode && BandLowerEdge(frequency.BandIDX) == kUndefined)
        return refusedEvaluation(choice, Refusal::NoBand);
    const std::vector<Check>* checks = checksOf(*set, choice.tier);
    if (!checks)
        return refusedEvaluation(choice, Refusal::NoLimitTier);
    if (!covers(*set, *checks, frequency))
        return refusedEvaluation(choice, set->id == LimitSet::Icnirp1998
                                             ? Refusal::NoLimitAtFrequency
                                             : Refusal::OutsideLimitSet);
    LimitEvaluation out;
    out.choice = choice;
    for (const Check& check : *checks) {
        const Levels l = frequency.FixedFrequencyMode
                             ? levelsAt(check, set->edges, frequency.FixedFrequency)
                             : bandLevelsOnce(check, set->edges, frequency.BandIDX);
        if (!l.applies)
            continue;
        LimitCheckResult c;
        c.check = check.id;
        c.E = l.e;
        c.H = undefinedIfNone(l.h);
        c.S = undefinedIfNone(l.s);
        c.AveragingMinutes = l.minutes;
        out.checks.push_back(c);
    }
    out.binding = 0;
    out.ELimit = out.checks.front().E;
    return out;
}

LimitEvaluation EvaluateLimits(const LimitChoice& choice, const FrequencyChoice& frequency,
                               double peakEirp, double meanEirp) {
    if (!std::isfinite(peakEirp) || !std::isfinite(meanEirp))
        return refusedEvaluation(choice, Refusal::OutOfRange);
    if (peakEirp < 0 || meanEirp < 0)
        return refusedEvaluation(choice, Refusal::NegativePower);
    const LimitEvaluation levels = LimitLevels(choice, frequency);
    if (!levels.ok())
        return levels;
    LimitEvaluation out = withDistances(levels, peakEirp, meanEirp);
    if (!std::isfinite(out.SafetyDistance))
        return refusedEvaluation(choice, Refusal::OutOfRange);
    return out;
}

double LimitDistanceAtFactor(const LimitEvaluation& evaluation, double patternFactor) {
    if (!evaluation.ok() || !(evaluation.SafetyDistance >= 0))
        return kUndefined;
    const double g = GroundFieldFactor(evaluation.choice.ground);
    double out = kUndefined;
    for (const LimitCheckResult& c : evaluation.checks) {
        // The per-angle table's sqrt(30 x factor x meanEirp) / eLimit, per check.
        const double d = g * (std::sqrt(30.0 * patternFactor * c.Eirp) / c.E);
        if (d > out)
            out = d;
    }
    return out;
}

double LimitPowerForDistance(const LimitEvaluation& levels, double distance, double factor,
                             double totalAtt, double antennaGain) {
    if (!levels.ok() || levels.checks.empty())
        return kUndefined;
    const double reach = distance / GroundFieldFactor(levels.choice.ground);
    double out = std::numeric_limits<double>::infinity();
    for (const LimitCheckResult& c : levels.checks) {
        const double checkFactor = c.check == LimitCheck::Instantaneous ? 1.0 : factor;
        const double p = PowerForDistance(reach, c.E, checkFactor, totalAtt, antennaGain);
        if (p < out)
            out = p;
    }
    return out;
}

std::string LimitRefusalText(Refusal refusal, const LimitChoice& choice) {
    const SetTable* set = tableOf(choice.set);
    if (set && refusal == Refusal::OutsideLimitSet)
        return std::string(set->name) + " gives no reference level outside " + set->range + "!";
    if (set && refusal == Refusal::NoLimitTier)
        return std::string(set->name) + " has no occupational tier!";
    return RefusalText(refusal);
}

namespace {

// The level source of a set: the calculation's level and distance, and the power for a
// distance. `evaluation` receives the levels at once and the distances when the
// calculation applies the level; it must outlive the source.
LevelSource limitSource(const LimitChoice& choice, const FrequencyChoice& frequency,
                        LimitEvaluation& evaluation) {
    evaluation = LimitLevels(choice, frequency);
    LevelSource source;
    source.frequencyRefusal = evaluation.refusal;
    source.applyLevel = [levels = evaluation, &evaluation](CalcResult& r) {
        evaluation = withDistances(levels, r.EIRP, r.MeanEIRP);
        r.ELimit = evaluation.ELimit;
        r.SafetyDistance = evaluation.SafetyDistance;
    };
    source.powerForDistance = [levels = evaluation](const CalcInput& in, double distance) {
        return LimitPowerForDistance(levels, distance, in.Factor, in.TotalAtt, in.AntennaGain);
    };
    return source;
}

// A refused calculation refuses its evaluation with the same reason.
void settle(LimitEvaluation& evaluation, Refusal refusal) {
    if (refusal != Refusal::None)
        evaluation = refusedEvaluation(evaluation.choice, refusal);
}

} // namespace

LimitCalcResult CalculateUnderLimits(const CalcInput& input, const LimitChoice& choice) {
    LimitCalcResult out;
    out.calc = Calculate(input, limitSource(choice, input.frequency, out.limits));
    settle(out.limits, out.calc.refusal);
    return out;
}

LimitGivenDistanceResult
CalculateUnderLimitsAtDistance(const CalcInput& input, const LimitChoice& choice, double distance) {
    LimitGivenDistanceResult out;
    out.given =
        CalculateAtDistance(input, distance, limitSource(choice, input.frequency, out.limits));
    settle(out.limits, out.given.refusal);
    return out;
}

LimitGivenDistanceResult CalculateUnderLimitsAtDistance(const CalcInput& input,
                                                        const LimitChoice& choice,
                                                        std::string_view distanceText) {
    LimitGivenDistanceResult out;
    out.given =
        CalculateAtDistance(input, distanceText, limitSource(choice, input.frequency, out.limits));
    settle(out.limits, out.given.refusal);
    return out;
}

LimitStationResult RecalculateUnderLimits(const StationSetup& setup, const LimitChoice& choice) {
    LimitStationResult out;
    out.station = Recalculate(setup, limitSource(choice, setup.frequency, out.limits));
    settle(out.limits, out.station.refusal);
    return out;
}

LimitStationResult RecalculateUnderLimitsAtDistance(const StationSetup& setup,
                                                    const LimitChoice& choice, double distance) {
    LimitStationResult out;
    out.station =
        RecalculateAtDistance(setup, distance, limitSource(choice, setup.frequency, out.limits));
    settle(out.limits, out.station.refusal);
    return out;
}

std::array<LimitChoice, kComparisonRows> ComparisonChoices(GroundReflection ground) {
    return {{{LimitSet::Icnirp1998, LimitTier::Public, ground},
             {LimitSet::Icnirp2020, LimitTier::Public, ground},
             {LimitSet::Icnirp2020, LimitTier::Occupational, ground},
             {LimitSet::Fcc, LimitTier::Public, ground},
             {LimitSet::Fcc, LimitTier::Occupational, ground},
             {LimitSet::Sc6, LimitTier::Public, ground}}};
}

std::string ComparisonLabel(const LimitChoice& choice) {
    return LimitSetWord(choice.set) + " " + LimitTierWord(choice.tier);
}

std::array<LimitEvaluation, kComparisonRows> CompareLimits(const FrequencyChoice& frequency,
                                                           double peakEirp, double meanEirp,
                                                           GroundReflection ground) {
    std::array<LimitEvaluation, kComparisonRows> out;
    const auto choices = ComparisonChoices(ground);
    for (std::size_t i = 0; i < kComparisonRows; ++i)
        out[i] = EvaluateLimits(choices[i], frequency, peakEirp, meanEirp);
    return out;
}

namespace {

// 47 CFR §1.1307(b)(3)(i)(C), Table 1: threshold ERP per square metre of R.
struct ThresholdRow {
    double lo, hi; // MHz
    Law perSquareMetre;
};

const std::vector<ThresholdRow>& exemptionRows() {
    static const std::vector<ThresholdRow> rows = {
        {0.3, 1.34, Flat(1920)},     {1.34, 30, Pow(3450, -2)},  {30, 300, Flat(3.83)},
        {300, 1500, Pow(0.0128, 1)}, {1500, 100000, Flat(19.2)},
    };
    return rows;
}

// The threshold per square metre at f, or the smallest over a band; 0 outside the table
// (a band must lie wholly inside).
double exemptionThreshold(const FrequencyChoice& fc) {
    const auto at = [](double f) {
        const ThresholdRow* r = rowAt(exemptionRows(), Edges::UpperIncluded, f);
        return r ? evaluate(r->perSquareMetre, f) : 0.0;
    };
    if (fc.FixedFrequencyMode)
        return at(fc.FixedFrequency);
    const double lo = BandLowerEdge(fc.BandIDX), hi = BandUpperEdge(fc.BandIDX);
    if (at(lo) == 0 || at(hi) == 0)
        return 0;
    double lowest = 0;
    ForEachBandScanPoint(lo, hi, [&](double f) { lowest = lowerPositive(lowest, at(f)); });
    return lowest;
}

} // namespace

FccExemption EvaluateFccExemption(const FrequencyChoice& frequency, double meanEirp,
                                  double distance) {
    FccExemption out;
    if (!std::isfinite(meanEirp) || !std::isfinite(distance) ||
        (frequency.FixedFrequencyMode &&
         !(frequency.FixedFrequency > 0 && std::isfinite(frequency.FixedFrequency)))) {
        out.refusal = Refusal::OutOfRange;
        return out;
    }
    if (!frequency.FixedFrequencyMode && BandLowerEdge(frequency.BandIDX) == kUndefined) {
        out.refusal = Refusal::NoBand;
        return out;
    }
    if (meanEirp < 0) {
        out.refusal = Refusal::NegativePower;
        return out;
    }
    if (distance < 0) {
        out.refusal = Refusal::NegativeDistance;
        return out;
    }
    out.Erp = meanEirp / 1.64;
    out.Distance = distance;
    out.NearField = NearFieldLimit(frequency);
    const double perSquareMetre = exemptionThreshold(frequency);
    if (perSquareMetre == 0) {
        out.outcome = ExemptionOutcome::OutsideRange;
        return out;
    }
    out.Threshold = perSquareMetre * distance * distance;
    if (distance < out.NearField)
        out.outcome = ExemptionOutcome::InsideNearField;
    else if (out.Erp > out.Threshold)
        out.outcome = ExemptionOutcome::AboveThreshold;
    else
        out.outcome = ExemptionOutcome::Exempt;
    out.Exempt = out.outcome == ExemptionOutcome::Exempt;
    return out;
}

std::string ExemptionOutcomeText(ExemptionOutcome outcome) {
    switch (outcome) {
    case ExemptionOutcome::Exempt:
        return "exempt";
    case ExemptionOutcome::AboveThreshold:
        return "ERP above the threshold";
    case ExemptionOutcome::InsideNearField:
        return "distance below lambda/2pi";
    case ExemptionOutcome::OutsideRange:
        return "outside 0.3 to 100000 MHz";
    }
    return "";
}

} // namespace radexa
