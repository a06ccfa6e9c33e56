// The pattern importers: any bytes give a pattern or a PatternImportError, never anything
// else; an imported cut covers 0 ... range in whole steps with one attenuation per angle
// and polarisation, none above the no-field value, and its angle file reads back alike.
// The first byte picks the importer and the operator's choices.

#include "fuzz_input.h"

#include "core/antennas/angledata.h"
#include "core/antennas/patternimport.h"

#include <cmath>

using namespace radexa;

namespace {

void CheckList(const ImportedPattern& p, bool present, const DoubleArray& values,
               const DoubleArray& read) {
    if (!present) {
        FUZZ_CHECK(values.empty());
        return;
    }
    FUZZ_CHECK(values.size() == static_cast<std::size_t>(p.range / p.step) + 1);
    FUZZ_CHECK(read.size() == values.size());
    for (std::size_t k = 0; k < values.size(); ++k) {
        FUZZ_CHECK(std::isfinite(values[k]));
        FUZZ_CHECK(values[k] <= kNoFieldAttenuation);
        FUZZ_CHECK(std::abs(read[k] - values[k]) <= 0.005 + 1e-9 * std::abs(values[k]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t choice = data[0];
    const std::string_view text = fuzz::Bytes(data + 1, size - 1);
    PatternImportOptions options;
    if (choice & 4)
        options.frequency = 14.2;
    if (choice & 8)
        options.azimuth = (choice >> 4) * 30.0;
    if (choice & 16)
        options.gain = 6.5;
    try {
        ImportedPattern p;
        switch (choice % 4) {
        case 0:
            p = ImportPattern(text, options);
            break;
        case 1:
            p = ImportNecPattern(text, options);
            break;
        case 2:
            p = ImportEznecPattern(text, options);
            break;
        default:
            p = ImportCsvPattern(text, options);
            break;
        }
        FUZZ_CHECK(p.range == 180 || p.range == 360);
        FUZZ_CHECK(p.step >= 1 && p.range % p.step == 0);
        FUZZ_CHECK(p.hasVertical || p.hasHorizontal);
        FUZZ_CHECK(std::isfinite(p.maxGain));
        const TWinkAnt w = ParseAngleData("Fuzz Import", AngleFileText(p, "fuzz"),
                                          p.frequency > 0 ? p.frequency : kUndefined);
        FUZZ_CHECK(w.Range == p.range && w.Step == p.step);
        CheckList(p, p.hasVertical, p.vertical, w.VertAttenuations);
        CheckList(p, p.hasHorizontal, p.horizontal, w.HorAttenuations);
    } catch (const PatternImportError& e) {
        FUZZ_CHECK(e.Line() >= 0);
    }
    return 0;
}
