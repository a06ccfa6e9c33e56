#include "core/calc/bands.h"

#include "core/support/textnumbers.h"

#include <array>
#include <cmath>

namespace radexa {

namespace {

struct Band {
    const char* name;
    double lower;
    double upper;
};

constexpr std::array<Band, kBandCount> kBands = {{
    {"LW", 0.1357, 0.1378},
    {"160m", 1.81, 2.0},
    {"80m", 3.5, 3.8},
    {"40m", 7.0, 7.2},
    {"30m", 10.1, 10.15},
    {"20m", 14.0, 14.35},
    {"17m", 18.068, 18.168},
    {"15m", 21.0, 21.45},
    {"12m", 24.89, 24.99},
    {"10m", 28.0, 29.7},
    {"6m", 50.0, 51.0},
    {"2m", 144.0, 146.0},
    {"70cm", 430.0, 440.0},
    {"23cm", 1240.0, 1300.0},
    {"13cm", 2320.0, 2450.0},
    {"9cm", 3400.0, 3475.0},
    {"6cm", 5650.0, 5950.0},
    {"3cm", 10000.0, 10500.0},
}};

const Band* bandAt(int bandIdx) {
    if (bandIdx < 1 || bandIdx > kBandCount)
        return nullptr;
    return &kBands[static_cast<std::size_t>(bandIdx - 1)];
}

// The band scan: the smallest positive reference level wins.
double scanBandLimit(double lo, double hi) {
    double best = 1e9;
    bool found = false;
    ForEachBandScanPoint(lo, hi, [&](double f) {
        const double v = EFieldLimit(f);
        if (v < best && v > 0) {
            best = v;
            found = true;
        }
    });
    return found ? best : kUndefined;
}

const char* const kModeTexts[] = {"PS", "CW", "SSB", "AM", "FM", "TV", "GSM", "DTX", "Alle"};

bool isTrimmed(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string asciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Modulation factors of the modes 1..5 ("CW", "SSB", "AM", "FM", "TV").
constexpr double kFcc[] = {0.4, 0.5, 0.5, 1.0, 1.0};
constexpr double kBnetza[] = {1.0, 1.0, 0.38, 1.0, 0.38};

} // namespace

double BandLowerEdge(int bandIdx) {
    const Band* b = bandAt(bandIdx);
    return b ? b->lower : kUndefined;
}

double BandUpperEdge(int bandIdx) {
    const Band* b = bandAt(bandIdx);
    return b ? b->upper : kUndefined;
}

std::string HamBands(int bandIdx) {
    const Band* b = bandAt(bandIdx);
    return b ? b->name : "";
}

int BandFromName(std::string_view name) {
    for (int i = 1; i <= kBandCount; ++i)
        if (SameTextNoCase(name, kBands[static_cast<std::size_t>(i - 1)].name))
            return i;
    return 0;
}

std::string BandEdgesText(int bandIdx) {
    return FormatBandEdge(BandLowerEdge(bandIdx)) + " - " + FormatBandEdge(BandUpperEdge(bandIdx));
}

double EFieldLimit(double f) {
    if (InRange(f, 0.003, 0.15))
        return 87;
    if (InRange(f, 0.15, 1))
        return 87;
    if (InRange(f, 1, 10))
        return 87 / std::sqrt(f);
    if (InRange(f, 10, 400))
        return 27.5;
    if (InRange(f, 400, 2000))
        return 1.375 * std::sqrt(f);
    if (InRange(f, 2000, 300000))
        return 61;
    return 0;
}

void ForEachBandScanPoint(double lower, double upper, const std::function<void(double)>& visit) {
    const double step = (upper - lower) / 800;
    if (step > 0) {
        double f = lower;
        do {
            visit(f);
            f += step;
        } while (f < upper);
    } else {
        visit(lower);
    }
    visit(upper);
}

double BandLimit(int bandIdx) {
    // The table is constant, so the scan runs once per band.
    static const std::array<double, kBandCount> limits = [] {
        std::array<double, kBandCount> out{};
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = scanBandLimit(kBands[i].lower, kBands[i].upper);
        return out;
    }();
    if (!bandAt(bandIdx))
        return kUndefined;
    return limits[static_cast<std::size_t>(bandIdx - 1)];
}

const StringArray& ModeItems() {
    static const StringArray items = {"CW", "SSB", "AM", "FM", "TV", "GSM", "DTX", "All"};
    return items;
}

const StringArray& RhythmItems() {
    static const StringArray items = {"TX6 RX0", "TX5 RX1", "TX4 RX2",
                                      "TX3 RX3", "TX2 RX4", "TX1 RX5"};
    return items;
}

const StringArray& FactorTableItems() {
    static const StringArray items = {"FCC", "BNetzA (Germany)", "1"};
    return items;
}

std::string ModeText(int modeIdx) {
    if (modeIdx < 0 || modeIdx > 8)
        return "NV ";
    return kModeTexts[modeIdx];
}

std::int16_t ModeFromText(std::string_view text) {
    while (!text.empty() && isTrimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isTrimmed(text.back()))
        text.remove_suffix(1);
    for (std::int16_t i = 0; i <= 8; ++i)
        if (text == kModeTexts[i])
            return i;
    return static_cast<std::int16_t>(kUndefinedIndex);
}

double ModulationFactor(int modeIdx, std::string_view factorTable) {
    const bool mode1to5 = modeIdx >= 1 && modeIdx <= 5;
    const std::size_t m = mode1to5 ? static_cast<std::size_t>(modeIdx - 1) : 0;
    const std::string upper = asciiUpper(factorTable);
    double f = 1.0;
    if (upper == "FCC" && mode1to5)
        f = kFcc[m];
    if (upper.compare(0, 6, "BNETZA") == 0 && mode1to5)
        f = kBnetza[m];
    if (!factorTable.empty() && factorTable.back() == '1' && mode1to5)
        f = 1.0;
    return f;
}

double DutyCycle(int rhythmItem) {
    if (rhythmItem < 0 || rhythmItem > 5)
        return kUndefined;
    return 1 - rhythmItem / 6.0;
}

double Factor(double dutyCycle, double modeFactor) {
    return dutyCycle * modeFactor;
}

Factors ComputeFactors(int modeIdx, std::string_view factorTable, int rhythmItem) {
    Factors out;
    out.ModeFactor = ModulationFactor(modeIdx, factorTable);
    out.DutyCycle = DutyCycle(rhythmItem);
    out.Factor = Factor(out.DutyCycle, out.ModeFactor);
    return out;
}

} // namespace radexa
