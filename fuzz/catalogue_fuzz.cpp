// The antenna catalogue parser: any bytes give a catalogue whose parallel lists agree, whose
// lookups find every entry, and whose point lists never read past a list. The input holds
// the catalogue text, then (after the first NUL byte, if any) the user file's text. No entry
// holds more than the catalogue's point limit.

#include "fuzz_input.h"

#include "core/antennas/catalogue.h"

#include <algorithm>

using namespace radexa;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    const std::size_t nul = bytes.find('\0');
    const std::string_view catalogue = bytes.substr(0, nul);
    const std::string_view user =
        nul == std::string_view::npos ? std::string_view{} : bytes.substr(nul + 1);

    const TAntennen a = TAntennen::FromTexts(catalogue, user);
    const std::size_t n = static_cast<std::size_t>(a.Count());
    FUZZ_CHECK(a.Manufacturers().size() == n && a.Names().size() == n && a.Types().size() == n &&
               a.Data().size() == n);

    const StringArray manufacturers = a.GetManufacturers();
    for (std::size_t i = 0; i < manufacturers.size(); ++i)
        for (std::size_t j = i + 1; j < manufacturers.size(); ++j)
            FUZZ_CHECK(manufacturers[i] != manufacturers[j]);

    std::size_t listed = 0;
    for (const std::string& m : manufacturers) {
        StringArray names;
        a.GetNames(m, names);
        FUZZ_CHECK(!names.empty());
        listed += names.size();
    }
    FUZZ_CHECK(listed >= n);

    for (std::size_t i = 0; i < n; ++i) {
        FUZZ_CHECK(std::find(manufacturers.begin(), manufacturers.end(), a.Manufacturers()[i]) !=
                   manufacturers.end());
        FUZZ_CHECK(a.FindAntenna(a.Names()[i], a.Manufacturers()[i]) >= static_cast<int>(i));
        const RData& d = a.Data()[i];
        const int points = PointCount(d);
        FUZZ_CHECK(points >= 0 && static_cast<std::size_t>(points) <= d.Frequencies.size() &&
                   static_cast<std::size_t>(points) <= d.Gains.size());
        FUZZ_CHECK(d.Frequencies.size() <= kMaxCataloguePoints &&
                   d.Elements.size() <= kMaxCataloguePoints);
        for (double reference : {0.1357, 14.0, 144.0, kUndefined, 0.0}) {
            const int k = FindFittingPoint(d, reference);
            FUZZ_CHECK(k >= -1 && k < points);
        }
        FUZZ_CHECK(PointListLines(d).size() == static_cast<std::size_t>(points));
    }
    (void)a.FindAntenna("", "");
    return 0;
}
