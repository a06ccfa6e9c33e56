// The angle-data reader: any bytes give angle data or an AngleDataError, never anything
// else; the angles of an accepted section step evenly by a positive step and match its
// attenuations one to one, none below the lowest allowed; messages stay short.
// The first byte picks the reference frequency.

#include "fuzz_input.h"

#include "core/antennas/angledata.h"

using namespace radexa;

namespace {

void CheckSection(const SmallIntArray& angles, const DoubleArray& attenuations, int step) {
    FUZZ_CHECK(angles.size() == attenuations.size());
    FUZZ_CHECK(angles.size() <= kMaxAngles);
    for (std::size_t k = 0; k < angles.size(); ++k) {
        FUZZ_CHECK(static_cast<long>(angles[k]) == static_cast<long>(k) * step);
        FUZZ_CHECK(attenuations[k] >= kMinAttenuation);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const double kReferences[] = {14.0, 144.0, 0.1357, 432.0, kUndefined, 3.5, 28.0, 0.0};
    const double reference = kReferences[data[0] % 8];
    const std::string_view text = fuzz::Bytes(data + 1, size - 1);
    try {
        const TWinkAnt w = ParseAngleData("Fuzz Antenna", text, reference);
        FUZZ_CHECK(w.Title == "Fuzz Antenna");
        FUZZ_CHECK(w.Step > 0);
        CheckSection(w.VertAngles, w.VertAttenuations, w.Step);
        CheckSection(w.HorAngles, w.HorAttenuations, w.Step);
    } catch (const AngleDataError& e) {
        FUZZ_CHECK(e.Title() == "Fuzz Antenna");
        FUZZ_CHECK(e.Line() >= 0);
        FUZZ_CHECK(e.Reason().size() < 1000);
    }
    return 0;
}
