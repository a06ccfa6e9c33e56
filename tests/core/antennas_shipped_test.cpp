// The antenna data that ships with the program: the catalogue and the angle-data files.
#include "core/antennas/angledata.h"
#include "core/antennas/angletable.h"
#include "core/antennas/catalogue.h"
#include "core/calc/bands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace radexa {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(RADEXA_SOURCE_DIR) / "data";

TAntennen shippedCatalogue() {
    return TAntennen((kData / "Antennas.txt").string(), "");
}

TEST(ShippedData, CatalogueEntriesAreCompleteAndFitABand) {
    const TAntennen cat = shippedCatalogue();
    ASSERT_GE(cat.Count(), 60);
    EXPECT_GE(cat.GetManufacturers().size(), 5u);
    std::set<int> bandsCovered;
    for (int i = 0; i < cat.Count(); ++i) {
        const std::string entry = cat.Manufacturers()[i] + " / " + cat.Names()[i];
        const RData& d = cat.Data()[i];
        EXPECT_EQ(d.PairedPoints, -1) << entry;
        EXPECT_GE(d.Frequencies.size(), 1u) << entry;
        EXPECT_EQ(d.Gains.size(), d.Frequencies.size()) << entry;
        EXPECT_EQ(d.Elements.size(), d.Frequencies.size()) << entry;
        EXPECT_EQ(cat.FindAntenna(cat.Names()[i], cat.Manufacturers()[i]), i) << "twice: " << entry;
        EXPECT_NE(AngleFileName("ang", cat.Manufacturers()[i], cat.Names()[i]), "") << entry;
        for (std::size_t k = 0; k < d.Frequencies.size(); ++k) {
            EXPECT_TRUE(d.Gains[k] > -40 && d.Gains[k] < 45) << entry;
            int fits = 0;
            for (int band = 1; band <= kBandCount; ++band) {
                RData one;
                one.Frequencies = {d.Frequencies[k]};
                one.Gains = {d.Gains[k]};
                if (FindFittingPoint(one, BandLowerEdge(band)) == 0) {
                    ++fits;
                    bandsCovered.insert(band);
                }
            }
            EXPECT_EQ(fits, 1) << entry << " at " << d.Frequencies[k] << " MHz";
        }
    }
    EXPECT_EQ(bandsCovered.size(), static_cast<std::size_t>(kBandCount));
}

TEST(ShippedData, EveryAngleFileBelongsToAnEntryAndFitsItsBands) {
    const TAntennen cat = shippedCatalogue();
    int files = 0;
    for (const auto& item : fs::directory_iterator(kData / "ang")) {
        if (item.path().extension() != ".ang")
            continue;
        ++files;
        const std::string title = AngleFileTitle(item.path().string());
        int entry = -1;
        for (int i = 0; i < cat.Count(); ++i)
            if (AngleFileTitle(AngleFileName("ang", cat.Manufacturers()[i], cat.Names()[i])) ==
                title)
                entry = i;
        ASSERT_GE(entry, 0) << title << " names no catalogue entry";
        const RData& d = cat.Data()[entry];
        for (int band = 1; band <= kBandCount; ++band) {
            const double reference = BandLowerEdge(band);
            TWinkAnt w;
            ASSERT_NO_THROW(w = ReadAngleFile(item.path().string(), reference)) << title;
            if (FindFittingPoint(d, reference) < 0)
                continue;
            // A band the antenna is made for has data for the preselected polarisation.
            const PatternLists p = ComputePattern(w, PreselectedPolarisation(w), 100, 100, 27.5);
            EXPECT_GE(p.PatternAngles.size(), 37u) << title << " " << HamBands(band);
            EXPECT_EQ(p.PatternAngles.back(), w.Range) << title;
            double strongest = 99;
            for (const double a : p.PatternAttenuations)
                strongest = std::min(strongest, a);
            EXPECT_EQ(strongest, 0) << title;
        }
    }
    EXPECT_GE(files, 6);
}

} // namespace
} // namespace radexa
