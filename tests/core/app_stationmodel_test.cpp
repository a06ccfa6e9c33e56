// The station model: the examples where the window once showed one station and computed
// another, and the model's guarantees over thousands of random operation sequences.

#include "core/app/stationmodel.h"

#include "core/support/numbersettings.h"
#include "core/support/textnumbers.h"
#include "test_files.h"
#include "test_numbers.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace radexa {
namespace {

constexpr const char* kCatalogue = "[Example]\r\n"
                                   "Yagi20,Yagi,14.2,7.456,3,#\r\n"
                                   "MyAnt,Yagi,144,7.456,4,432,11,9,#\r\n"
                                   "Dipole,Dipole,14.0,2.15,1,21.0,2.3,1,#\r\n"
                                   "Broken,Dipole,7.1,2.1,1,#\r\n"
                                   "[Other]\r\n"
                                   "GP,Vertical,145,2.5,1,28.5,1.5,1,#\r\n"
                                   "Loop,Loop,3.6,1,1,#\r\n";

constexpr const char* kMyAntAngles = "[Polarisation],vh\r\n[Bereich],90\r\n[Schrittweite],30\r\n"
                                     "[MHz],v,144,0\r\n0,3,10,20\r\n[MHz],h,0,0\r\n0,1\r\n";
constexpr const char* kYagiAngles = "[Polarisation],h\r\n[Bereich],90\r\n[Schrittweite],45\r\n"
                                    "[MHz],14,0\r\n0,6,20\r\n";

class StationModelTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        put("Antennas.txt", kCatalogue);
        std::filesystem::create_directories(m_dir / "ang");
        put("ang/Example MyAnt.ang", kMyAntAngles);
        put("ang/Example Yagi20.ang", kYagiAngles);
        put("ang/Example Broken.ang",
            "[Bereich],90\r\n[Schrittweite],30\r\n[MHz],v,7,0\r\n0,x\r\n");
        paths.catalogueFile = path("Antennas.txt");
        paths.userAntennaFile = path("AntUser.txt");
        paths.angleFolders = {path("ang") + "/"};
        ASSERT_TRUE(model.loadCatalogue(paths).ok());
    }

    // Highlights manufacturer and antenna by name, as a click on each list does.
    void highlight(const std::string& manufacturer, const std::string& name) {
        model.highlightManufacturer(manufacturer);
        int row = -1;
        for (std::size_t i = 0; i < model.names().size(); ++i)
            if (model.names()[i] == name)
                row = static_cast<int>(i);
        ASSERT_GE(row, 0) << name;
        model.highlightAntenna(row);
    }
    void takeAntenna(const std::string& manufacturer, const std::string& name) {
        highlight(manufacturer, name);
        ASSERT_TRUE(model.highlighted().fits()) << name;
        model.takeAntenna();
    }

    ScopedNumberSettings numbers{commaSettings()};
    StationPaths paths;
    StationModel model;
};

TEST_F(StationModelTest, StartsWithTheStartUpStation) {
    EXPECT_EQ(model.frequencyText(), "144,00 - 146,00");
    EXPECT_EQ(model.powerText(), "100");
    EXPECT_EQ(model.cableLengthText(), "10,00");
    EXPECT_EQ(model.plugAttText(), "0,00");
    const CalcTexts t = model.outputTexts();
    EXPECT_EQ(t.EditEps, "27,50");
    EXPECT_EQ(t.EditAntIn, "83,70");
    EXPECT_EQ(t.EditrPS, "0,91");
    EXPECT_EQ(t.EditrNahfeld, "0,33");
    EXPECT_EQ(t.EditGain, "0,00");
    EXPECT_FALSE(model.taken());
    EXPECT_FALSE(model.anglePageShown());
}

// Browsing the lists never changes the calculation; only taking does.
TEST_F(StationModelTest, HighlightShowsTheAntennaButOnlyTakingUsesIt) {
    takeAntenna("Example", "MyAnt");
    const double distance = model.last().result.SafetyDistance;
    ASSERT_TRUE(model.anglePageShown());
    EXPECT_EQ(model.taken()->angles->Title, "Example MyAnt");

    highlight("Other", "GP"); // a click, not a take
    EXPECT_TRUE(model.highlighted().fits());
    EXPECT_EQ(model.highlighted().gainText, "2,50");
    EXPECT_FALSE(model.highlighted().angleDataAvailable);
    model.setPowerText("200");
    // The Angle page, the gain and the antenna stay with the taken antenna.
    EXPECT_EQ(model.taken()->name, "MyAnt");
    EXPECT_EQ(model.taken()->angles->Title, "Example MyAnt");
    EXPECT_DOUBLE_EQ(model.last().input.AntennaGain, 7.46);
    EXPECT_NEAR(model.last().result.SafetyDistance, distance * std::sqrt(2.0), 1e-12);
    // Browsing does not block saving: the taken antenna fits and drives every result.
    model.highlightManufacturer("Example");
    ASSERT_TRUE(model.stationRecord());
    EXPECT_EQ(model.stationRecord()->antennaName, "MyAnt");
}

TEST_F(StationModelTest, BandChangeTakesTheHighlightedAntennaOrReevaluatesTheTakenOne) {
    takeAntenna("Example", "MyAnt");
    model.chooseBand(13); // 70cm: the 432 MHz point
    EXPECT_EQ(model.taken()->gainText, "11,00");
    EXPECT_EQ(model.highlighted().point, 1);

    // A manufacturer click leaves nothing highlighted: no antenna nobody chose is taken,
    // the taken one is evaluated for the new band.
    model.highlightManufacturer("Other");
    model.chooseBand(12); // 2m
    ASSERT_TRUE(model.taken());
    EXPECT_EQ(model.taken()->name, "MyAnt");
    EXPECT_EQ(model.taken()->gainText, "7,46");

    // The taken Yagi has no point on 15m: it is dropped with its angle data.
    model.chooseBand(6); // 20m
    takeAntenna("Example", "Yagi20");
    ASSERT_TRUE(model.anglePageShown());
    EXPECT_EQ(model.last().pattern.PatternAngles.size(), 3u);
    model.highlightManufacturer("Example");
    model.chooseBand(8); // 15m
    EXPECT_FALSE(model.taken());
    EXPECT_FALSE(model.anglePageShown());
    EXPECT_TRUE(model.last().pattern.PatternEirp.empty());
    EXPECT_EQ(model.last().input.AntennaGain, 0);
    EXPECT_FALSE(model.stationRecord());
}

TEST_F(StationModelTest, FixedFrequencyReevaluatesTheAntennaAsABandDoes) {
    model.chooseBand(6); // 20m
    takeAntenna("Example", "Yagi20");
    EXPECT_EQ(model.taken()->gainText, "7,46");
    ASSERT_TRUE(model.setFixedFrequency("145").ok());
    // The 14.2 MHz gain is never used at 145 MHz.
    EXPECT_FALSE(model.taken());
    EXPECT_EQ(model.last().input.AntennaGain, 0);
    EXPECT_EQ(model.frequencyText(), "145,00");
    EXPECT_TRUE(model.last().input.frequency.FixedFrequencyMode);

    highlight("Other", "GP");
    model.takeAntenna();
    ASSERT_TRUE(model.setFixedFrequency("28,6").ok());
    EXPECT_EQ(model.taken()->gainText, "1,50");
    EXPECT_EQ(model.frequencyText(), " 28,60");

    // Refused entries change nothing.
    for (const char* bad : {"abc", "0", "-1", "300000"})
        EXPECT_TRUE(model.setFixedFrequency(bad).refused) << bad;
    EXPECT_EQ(model.frequencyText(), " 28,60");
}

TEST_F(StationModelTest, MicrowaveBandsBeyondTheCableTableComputeWithoutACable) {
    // With a cable length the table knows no loss at 24 GHz: refused, nothing changes.
    const Outcome refused = model.setFixedFrequency("24048");
    EXPECT_TRUE(refused.refused);
    EXPECT_EQ(refused.notices[0].refusal, Refusal::CableFrequencyOutOfRange);
    EXPECT_FALSE(model.frequency().FixedFrequencyMode);

    model.setAllAttenuationsToZero();
    ASSERT_TRUE(model.setFixedFrequency("24048").ok());
    EXPECT_EQ(model.cablePage().CableAtt100, kUndefined);
    EXPECT_EQ(model.last().input.TotalAtt, 0);
    EXPECT_EQ(model.outputTexts().EditEps, "61,00");
    EXPECT_EQ(model.outputTexts().EditAntIn, "100,00");
    // A cable length there is refused, and the field emptied; the station keeps no cable.
    const Outcome length = model.setCableLengthText("5");
    ASSERT_EQ(length.notices.size(), 1u);
    EXPECT_EQ(length.notices[0].field, InputField::CableLength);
    EXPECT_EQ(model.cablePage().CableLength, 0);
    EXPECT_EQ(model.last().input.TotalAtt, 0);
    // "-0" is no cable either, and shows as 0.
    ASSERT_TRUE(model.setCableLengthText("-0").ok());
    EXPECT_EQ(model.cableLengthText(), "0,00");
}

TEST_F(StationModelTest, LimitSetsTierGroundAndExemption) {
    const double icnirp1998 = model.last().result.SafetyDistance;
    ASSERT_TRUE(model.chooseLimitSet(LimitSet::Icnirp2020).ok());
    EXPECT_EQ(model.outputTexts().EditEps, "27,70");
    EXPECT_FALSE(model.last().limits.checks.empty());
    ASSERT_TRUE(model.chooseTier(LimitTier::Occupational).ok());
    EXPECT_EQ(model.outputTexts().EditEps, "61,00");
    // ICNIRP 1998 has the public tier only: choosing it takes that tier, asking for the
    // occupational one is refused.
    model.chooseLimitSet(LimitSet::Icnirp1998);
    EXPECT_EQ(model.limitChoice().tier, LimitTier::Public);
    EXPECT_EQ(model.last().result.SafetyDistance, icnirp1998);
    const Outcome tier = model.chooseTier(LimitTier::Occupational);
    EXPECT_TRUE(tier.refused);
    EXPECT_NE(tier.notices[0].detail.find("occupational"), std::string::npos);
    // Ground reflection scales the distance by its field factor.
    model.chooseGround(GroundReflection::Full);
    EXPECT_NEAR(model.last().result.SafetyDistance, 2 * icnirp1998, 1e-12);
    model.chooseGround(GroundReflection::None);
    // FCC on LW: no level, the calculation says so and shows nothing.
    model.chooseLimitSet(LimitSet::Fcc);
    const Outcome lw = model.chooseBand(1);
    ASSERT_EQ(lw.notices.size(), 1u);
    EXPECT_EQ(lw.notices[0].refusal, Refusal::OutsideLimitSet);
    EXPECT_EQ(model.outputTexts().EditrPS, "---");
    EXPECT_TRUE(model.setFixedFrequency("0,2").refused);
    // The exemption needs a distance.
    model.chooseBand(12);
    EXPECT_FALSE(model.exemption());
    EXPECT_TRUE(model.setExemptionDistanceText("x").refused);
    ASSERT_FALSE(model.setExemptionDistanceText("10").refused);
    ASSERT_TRUE(model.exemption());
    EXPECT_TRUE(model.exemption()->Exempt); // 3.83 x 100 W threshold, about 12.8 W ERP
}

TEST_F(StationModelTest, AFixedFrequencyIsRefusedByTheChosenSetsRange) {
    // 300 GHz: the band table stops below it, ICNIRP 2020 includes it.
    model.setCableLengthText("0");
    const Outcome bandTable = model.setFixedFrequency("300000");
    ASSERT_TRUE(bandTable.refused);
    EXPECT_EQ(bandTable.notices[0].refusal, Refusal::NoLimitAtFrequency);
    ASSERT_TRUE(model.chooseLimitSet(LimitSet::Icnirp2020).ok());
    ASSERT_FALSE(model.setFixedFrequency("300000").refused);
    EXPECT_GT(model.last().result.SafetyDistance, 0);
    const Outcome below = model.setFixedFrequency("0,05");
    ASSERT_TRUE(below.refused);
    EXPECT_EQ(below.notices[0].refusal, Refusal::OutsideLimitSet);
}

TEST_F(StationModelTest, AGroundInThePatternIsCountedOnce) {
    put("ang/Example MyAnt.ang", std::string("Pattern over real ground\r\n") + kMyAntAngles);
    takeAntenna("Example", "MyAnt");
    ASSERT_TRUE(model.groundInPattern());
    const double distance = model.last().result.SafetyDistance;
    model.chooseGround(GroundReflection::Full);
    EXPECT_EQ(model.limitChoice().ground, GroundReflection::Full);
    EXPECT_EQ(model.last().choice.ground, GroundReflection::None);
    EXPECT_EQ(model.last().result.SafetyDistance, distance);
    // Another antenna gets the factor.
    highlight("Other", "GP");
    model.takeAntenna();
    EXPECT_FALSE(model.groundInPattern());
    EXPECT_EQ(model.last().choice.ground, GroundReflection::Full);
}

TEST_F(StationModelTest, ReloadGivesTheStartUpStationWithoutAntennaOrFile) {
    takeAntenna("Example", "MyAnt");
    model.setFixedFrequency("144,5");
    model.setPowerText("50");
    const std::string saved = BuildStationFile(*model.stationRecord());
    ASSERT_TRUE(model.openStation(saved, "mine.txt").complete());
    EXPECT_EQ(model.currentStationFile(), "mine.txt");

    ASSERT_TRUE(model.reloadCatalogue().ok());
    EXPECT_FALSE(model.frequency().FixedFrequencyMode);
    EXPECT_EQ(model.frequencyText(), "144,00 - 146,00");
    EXPECT_EQ(model.last().input.frequency.BandIDX, kStartupBand);
    EXPECT_FALSE(model.taken());
    EXPECT_EQ(model.highlighted().entry, kUndefinedIndex);
    EXPECT_TRUE(model.highlightedManufacturer().empty());
    EXPECT_TRUE(model.currentStationFile().empty());
    EXPECT_EQ(model.powerText(), "50"); // power and Mode page stay
    EXPECT_EQ(model.cableIdx(), kStartupCable);

    // A catalogue gone: the reload is refused, the old catalogue and station stay.
    takeAntenna("Example", "MyAnt");
    std::filesystem::remove(path("Antennas.txt"));
    const Outcome gone = model.reloadCatalogue();
    EXPECT_TRUE(gone.refused);
    ASSERT_EQ(gone.notices.size(), 1u);
    EXPECT_NE(gone.notices[0].detail.find("was not found"), std::string::npos);
    EXPECT_TRUE(model.taken());
    EXPECT_EQ(model.catalogue()->Count(), 6);
}

TEST_F(StationModelTest, AnAddedAntennaLeavesTheStationAsItIs) {
    // After "Model antenna ..." saved a new entry, the operator's station stays: band,
    // cable, power and the taken antenna with the polarisation he chose.
    takeAntenna("Example", "MyAnt");
    model.setFixedFrequency("144,5");
    model.choosePolarisation(Polarisation::Horizontal);
    model.tickCable(5);
    model.setCableLengthText("25");
    model.setPowerText("750");
    const std::string before = BuildStationFile(*model.stationRecord());
    const auto table = model.angleTable();
    put("AntUser.txt", "[Mine]\r\nVee,Dipole,144.5,5.3,1,#\r\n");

    ASSERT_TRUE(model.rereadCatalogue().ok());
    ASSERT_TRUE(model.taken());
    EXPECT_EQ(model.taken()->polarisation, Polarisation::Horizontal);
    EXPECT_EQ(BuildStationFile(*model.stationRecord()), before);
    EXPECT_EQ(model.angleTable(), table);
    EXPECT_GE(model.catalogue()->FindAntenna("Vee", "Mine"), 0);
    EXPECT_EQ(model.highlighted().entry, kUndefinedIndex);

    // A catalogue gone: refused, nothing changed.
    std::filesystem::remove(path("Antennas.txt"));
    EXPECT_TRUE(model.rereadCatalogue().refused);
    EXPECT_EQ(BuildStationFile(*model.stationRecord()), before);
}

TEST_F(StationModelTest, AngleDataThatCannotBeReadAreReportedWhenTaken) {
    model.chooseBand(4); // 40m
    highlight("Example", "Broken");
    EXPECT_TRUE(model.highlighted().fits());
    EXPECT_FALSE(model.highlighted().angleDataAvailable);
    const Outcome taken = model.takeAntenna();
    ASSERT_EQ(taken.notices.size(), 1u);
    EXPECT_NE(taken.notices[0].detail.find("Example Broken, line 4"), std::string::npos)
        << taken.notices[0].detail;
    EXPECT_TRUE(model.taken());
    EXPECT_FALSE(model.anglePageShown());
}

TEST_F(StationModelTest, RefusedFieldsAreEmptiedAndTheLastGoodValueComputes) {
    const double before = model.last().result.SafetyDistance;
    Outcome o = model.setPowerText("-5");
    ASSERT_EQ(o.notices.size(), 1u);
    EXPECT_EQ(o.notices[0].message, MessageId::MsgInvalidPower);
    EXPECT_EQ(o.notices[0].refusal, Refusal::NegativePower);
    EXPECT_EQ(model.powerText(), "");
    EXPECT_EQ(model.last().result.SafetyDistance, before);
    // Every later calculation repeats it until a number is entered; nothing is saved meanwhile.
    EXPECT_EQ(model.chooseMode(1).notices.size(), 1u);
    takeAntenna("Example", "MyAnt");
    Notices why;
    EXPECT_FALSE(model.stationRecord(&why));
    ASSERT_EQ(why.size(), 1u);
    EXPECT_EQ(why[0].field, InputField::Power);

    o = model.setCableLengthText("x");
    EXPECT_TRUE(o.refused);
    EXPECT_EQ(o.notices[0].message, MessageId::MsgCableLengthNotReal);
    EXPECT_EQ(o.notices[0].field, InputField::CableLength);
    // The cable page stays with the ticked cable and the last accepted length, at the
    // band in force.
    model.tickCable(5); // RG58
    EXPECT_EQ(model.cablePage().CableLength, 10);
    EXPECT_NEAR(model.cablePage().CableAtt100, CableAttenuation(5, 144), 1e-12);
}

TEST_F(StationModelTest, ACableTickShowsAtOnceAndCountsWithTheNextCalculation) {
    const double total = model.last().input.TotalAtt;
    model.tickCable(5); // RG58
    EXPECT_EQ(model.cableIdx(), 5);
    EXPECT_NE(model.cablePage().TotalAtt, total);
    EXPECT_EQ(model.last().input.TotalAtt, total);
    model.recalculateCable(); // "="
    EXPECT_EQ(model.last().input.TotalAtt, model.cablePage().TotalAtt);
}

TEST_F(StationModelTest, TheLastOfThirtyTwoThousandPointsIsTakenAndMoreAreRefused) {
    auto entry = [](const char* name, int points) {
        std::ostringstream e;
        e << name << ",Dipole";
        for (int k = 1; k < points; ++k)
            e << ",50," << (k == points - 1 ? "9.99" : "1") << ",1";
        e << ",145,4.25,1,#\r\n";
        return e.str();
    };
    put("Antennas.txt", "[Many]\r\n" + entry("Wide", 32768) + entry("Wider", 65541));
    const Outcome reloaded = model.reloadCatalogue();
    ASSERT_FALSE(reloaded.refused);
    // The entry beyond the limit is left out, and said so with its file and line.
    ASSERT_EQ(reloaded.notices.size(), 1u);
    EXPECT_NE(reloaded.notices[0].detail.find("line 3"), std::string::npos)
        << reloaded.notices[0].detail;
    EXPECT_EQ(model.catalogue()->Count(), 1);
    takeAntenna("Many", "Wide");
    EXPECT_EQ(model.taken()->point, 32767);
    EXPECT_EQ(model.taken()->gainText, "4,25");
}

TEST_F(StationModelTest, SaveThenOpenRestoresEveryInputAndResult) {
    model.chooseBand(13);
    takeAntenna("Example", "MyAnt");
    model.setPowerText("750");
    model.chooseMode(8);
    model.chooseRhythm(1);
    model.chooseFactorTable(1);
    model.tickCable(5);
    model.setCableLengthText("25");
    model.setPlugAttText("1,5");
    model.setHeightText("8,5");
    const StationRecord record = *model.stationRecord();
    const std::string bytes = BuildStationFile(record);

    StationModel other;
    ASSERT_TRUE(other.loadCatalogue(paths).ok());
    const StationOpening opened = other.openStation(bytes, "s.txt");
    EXPECT_TRUE(opened.complete());
    EXPECT_EQ(*other.stationRecord(), record);
    EXPECT_EQ(other.outputTexts().EditrPS, model.outputTexts().EditrPS);
    EXPECT_EQ(other.angleTable(), model.angleTable());
    EXPECT_EQ(other.currentStationFile(), "s.txt");

    // The limit set, tier, ground and exemption distance follow the ten lines, only when
    // they differ from the default; the default station's file has the ten lines alone.
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 10);
    model.chooseLimitSet(LimitSet::Fcc);
    model.chooseTier(LimitTier::Occupational);
    model.setExemptionDistanceText("12,5");
    const std::string withLimits = BuildStationFile(*model.stationRecord());
    EXPECT_NE(
        withLimits.find("Grenzwerte..............>FCC\r\nPersonengruppe..........>occupational\r\n"
                        "Abstand Freistellung....>12,5\r\n"),
        std::string::npos)
        << withLimits;
    EXPECT_EQ(withLimits.find("Bodenreflexion"), std::string::npos);
    ASSERT_TRUE(other.openStation(withLimits, "l.txt").complete());
    EXPECT_EQ(other.limitChoice(), model.limitChoice());
    EXPECT_EQ(other.exemptionDistanceText(), "12,5");
    EXPECT_EQ(other.outputTexts().EditrPS, model.outputTexts().EditrPS);
    // A file without them opens as the default.
    ASSERT_TRUE(other.openStation(bytes, "s.txt").complete());
    EXPECT_EQ(other.limitChoice(), LimitChoice());
    EXPECT_TRUE(other.exemptionDistanceText().empty());
    // An option line the program does not know is named by its line.
    const StationOpening odd =
        other.openStation(bytes + "Grenzwerte..............>WHO\r\n", "o.txt");
    ASSERT_EQ(odd.reading.problems.size(), 1u);
    EXPECT_EQ(static_cast<int>(odd.reading.problems[0].line), 11);

    // The polarisation the data do not open on is kept, so the per-angle table opens as
    // it was saved; a word the program does not know is named by its line.
    model.chooseLimitSet(LimitSet::Icnirp1998);
    model.setExemptionDistanceText("");
    ASSERT_EQ(model.taken()->polarisation, Polarisation::Vertical);
    model.choosePolarisation(Polarisation::Horizontal);
    const std::string horizontal = BuildStationFile(*model.stationRecord());
    EXPECT_NE(horizontal.find("\r\nPolarisation............>horizontal\r\n"), std::string::npos)
        << horizontal;
    ASSERT_TRUE(other.openStation(horizontal, "h.txt").complete());
    EXPECT_EQ(other.taken()->polarisation, Polarisation::Horizontal);
    EXPECT_EQ(other.angleTable(), model.angleTable());
    const StationOpening sideways =
        other.openStation(bytes + "Polarisation............>sideways\r\n", "p.txt");
    ASSERT_EQ(sideways.reading.problems.size(), 1u);
    EXPECT_EQ(static_cast<int>(sideways.reading.problems[0].line), 11);

    // A file that ends early says nothing of the optional lines: the current ones stay.
    ASSERT_TRUE(other.openStation(withLimits, "l.txt").complete());
    const LimitChoice fromFile = other.limitChoice();
    ASSERT_NE(fromFile, LimitChoice());
    const std::string firstFive = bytes.substr(0, bytes.find("TXRX"));
    const StationOpening truncated = other.openStation(firstFive, "t.txt");
    EXPECT_EQ(truncated.reading.problems.size(), 5u);
    EXPECT_EQ(other.limitChoice(), fromFile);
    EXPECT_EQ(other.exemptionDistanceText(), "12,5");

    // A file whose power the calculation refuses is not remembered.
    StationRecord bad = record;
    bad.power = "-1";
    const StationOpening refused = other.openStation(BuildStationFile(bad), "bad.txt");
    EXPECT_FALSE(refused.complete());
    EXPECT_TRUE(other.currentStationFile().empty());
}

// ---- random operation sequences ------------------------------------------------------

// Everything an operation may change, as one comparable text.
std::string fingerprint(const StationModel& m) {
    std::ostringstream o;
    const CalcResult& r = m.last().result;
    o << m.frequencyText() << '|' << m.powerText() << '|' << m.heightText() << '|' << m.modeIdx()
      << m.rhythmItem() << m.factorTableItem() << '|' << m.cableIdx() << m.cableLengthText() << '|'
      << m.plugAttText() << '|' << m.highlightedManufacturer() << m.highlightedRow() << '|'
      << (m.taken() ? m.taken()->entry : -1) << '|' << m.currentStationFile() << '|'
      << static_cast<int>(r.refusal) << ' ' << r.SafetyDistance << ' ' << r.EIRP;
    return o.str();
}

class RandomOperations : public StationModelTest {
protected:
    // One random operator action; true when it ends in a calculation.
    bool act(std::mt19937& rng, std::vector<std::string>& saved) {
        auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        auto any = [&](std::initializer_list<const char*> l) {
            return *(l.begin() + pick(static_cast<int>(l.size())));
        };
        switch (pick(22)) {
        case 19: {
            const LimitSet sets[] = {LimitSet::Icnirp1998, LimitSet::Icnirp2020, LimitSet::Fcc,
                                     LimitSet::Sc6};
            model.chooseLimitSet(sets[pick(4)]);
            return true;
        }
        case 20:
            return !model.chooseTier(pick(2) ? LimitTier::Public : LimitTier::Occupational).refused;
        case 21: {
            const GroundReflection grounds[] = {GroundReflection::None, GroundReflection::Typical,
                                                GroundReflection::Full};
            model.chooseGround(grounds[pick(3)]);
            return true;
        }
        case 0:
            return !model.chooseBand(pick(20)).refused;
        case 1:
            return !model.setFixedFrequency(any({"145", "14,2", "abc", "0", "28.6", "432", "3.6"}))
                        .refused;
        case 2:
            model.setPowerText(any({"100", "0", "-5", "abc", "1500", "", "7,5"}));
            return true;
        case 3:
            return !model.setPowerForDistance(any({"10", "-1", "x", "2,5"})).refused;
        case 4:
            return !model.chooseMode(pick(10)).refused;
        case 5:
            return !model.chooseRhythm(pick(8) - 1).refused;
        case 6:
            return !model.chooseFactorTable(pick(5) - 1).refused;
        case 7:
            model.tickCable(pick(12));
            return false;
        case 8:
            return !model.setCableLengthText(any({"25", "-3", "x", "0", "", "1,5"})).refused;
        case 9:
            return !model.setPlugAttText(any({"1", "-1", "y", "0"})).refused;
        case 10:
            model.recalculateCable();
            return true;
        case 11:
            model.setAllAttenuationsToZero();
            return true;
        case 12:
            model.highlightManufacturer(any({"Example", "Other", "", "example", "None"}));
            return false;
        case 13:
            model.highlightAntenna(pick(static_cast<int>(model.names().size()) + 2) - 1);
            return false;
        case 14:
            return !model.takeAntenna().refused;
        case 15:
            model.choosePolarisation(pick(2) ? Polarisation::Vertical : Polarisation::Horizontal);
            return false;
        case 16: {
            if (pick(4) == 0) {
                // The catalogue gone for a moment: the reload changes nothing.
                std::filesystem::rename(path("Antennas.txt"), path("gone.txt"));
                const std::string before = fingerprint(model);
                EXPECT_TRUE(model.reloadCatalogue().refused);
                EXPECT_EQ(fingerprint(model), before);
                std::filesystem::rename(path("gone.txt"), path("Antennas.txt"));
                return false;
            }
            EXPECT_FALSE(model.reloadCatalogue().refused);
            checkStartUpStation();
            return true;
        }
        case 17: {
            if (const auto record = model.stationRecord())
                saved.push_back(BuildStationFile(*record));
            const std::string bytes =
                saved.empty() || pick(5) == 0
                    ? std::string("Band/Frequenz...........>F1x\r\n")
                    : saved[static_cast<std::size_t>(pick(static_cast<int>(saved.size())))];
            model.openStation(bytes, "f.txt");
            return true;
        }
        default:
            model.calculate();
            return true;
        }
    }

    void checkStartUpStation() {
        EXPECT_EQ(model.frequency().BandIDX, kStartupBand);
        EXPECT_FALSE(model.frequency().FixedFrequencyMode);
        EXPECT_EQ(model.cableIdx(), kStartupCable);
        EXPECT_EQ(model.cableLengthText(), "10,00");
        EXPECT_EQ(model.plugAttText(), "0,00");
        EXPECT_FALSE(model.taken());
        EXPECT_TRUE(model.currentStationFile().empty());
    }

    void checkInvariants(bool calculated) {
        const Calculation& last = model.last();
        const TAntennen& cat = *model.catalogue();
        // The taken antenna fits the frequency, and its point gives the gain in use.
        if (const auto& t = model.taken()) {
            const RData& data = cat.Data()[static_cast<std::size_t>(t->entry)];
            ASSERT_GE(t->point, 0);
            EXPECT_EQ(t->point, FindFittingPoint(data, model.referenceFrequency()));
            EXPECT_EQ(t->gain, StrToReal(FormatReal(
                                   "%3.2f", data.Gains[static_cast<std::size_t>(t->point)])));
        }
        EXPECT_EQ(last.input.AntennaGain, model.antennaGain());
        // Angle data belong to the taken antenna; otherwise there is no Angle page.
        if (model.anglePageShown()) {
            const auto k = static_cast<std::size_t>(model.taken()->entry);
            EXPECT_EQ(model.taken()->angles->Title, cat.Manufacturers()[k] + " " + cat.Names()[k]);
            // Every direction's distance is the set's distance scaled by the pattern.
            const auto& angles = *model.taken()->angles;
            const bool vertical = model.taken()->polarisation == Polarisation::Vertical;
            const DoubleArray& att = vertical ? angles.VertAttenuations : angles.HorAttenuations;
            if (last.result.ok()) {
                ASSERT_EQ(last.pattern.PatternDistances.size(), att.size());
                for (std::size_t a = 0; a < att.size(); ++a)
                    EXPECT_NEAR(last.pattern.PatternDistances[a],
                                last.result.SafetyDistance * std::pow(10.0, -att[a] / 20), 1e-9);
            } else {
                EXPECT_TRUE(last.pattern.PatternDistances.empty());
            }
        } else {
            EXPECT_TRUE(last.pattern.PatternAngles.empty());
        }
        // The page shows the ticked cable; the outputs follow it with every calculation.
        ASSERT_TRUE(model.cablePage().ok());
        if (calculated) {
            EXPECT_EQ(last.input.TotalAtt, model.cablePage().TotalAtt);
        }
        // The frequency shown is the one computed with.
        EXPECT_EQ(last.input.frequency.FixedFrequencyMode, model.frequency().FixedFrequencyMode);
        EXPECT_EQ(ReferenceFrequency(last.input.frequency), model.referenceFrequency());
        // The outputs are those of the calculation pipeline for the same station.
        if (calculated) {
            StationSetup s;
            s.frequency = model.frequency();
            s.Power = model.power();
            s.ModeIDX = model.modeIdx();
            s.rhythmItem = model.rhythmItem();
            s.FactorTable = model.factorTableText();
            s.CableIDX = model.cableIdx();
            s.CableLength = model.cablePage().CableLength;
            s.PlugAtt = model.cablePage().PlugAtt;
            s.AntennaGain = model.antennaGain();
            const StationResult expected =
                RecalculateUnderLimits(s, model.effectiveLimits()).station;
            EXPECT_EQ(last.choice, model.effectiveLimits());
            EXPECT_EQ(expected.calc.refusal, last.result.refusal);
            EXPECT_EQ(expected.calc.SafetyDistance, last.result.SafetyDistance);
            EXPECT_EQ(expected.calc.EIRP, last.result.EIRP);
            EXPECT_EQ(expected.calc.ELimit, last.result.ELimit);
        }
    }
};

TEST_F(RandomOperations, KeepTheModelsGuaranteesAfterEveryOperation) {
    for (unsigned seed = 1; seed <= 150; ++seed) {
        std::mt19937 rng(seed);
        ASSERT_FALSE(model.reloadCatalogue().refused);
        std::vector<std::string> saved;
        for (int step = 0; step < 60; ++step) {
            const bool calculated = act(rng, saved);
            checkInvariants(calculated);
            if (::testing::Test::HasFailure()) {
                ADD_FAILURE() << "seed " << seed << ", step " << step;
                return;
            }
        }
    }
}

TEST_F(RandomOperations, SavedStationsOpenAsTheSameStation) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 rng(seed * 7919);
        std::vector<std::string> saved;
        for (int step = 0; step < 40; ++step)
            act(rng, saved);
        const auto record = model.stationRecord();
        if (!record)
            continue;
        StationModel other;
        ASSERT_TRUE(other.loadCatalogue(paths).ok());
        const StationOpening opened = other.openStation(BuildStationFile(*record), "x.txt");
        EXPECT_TRUE(opened.complete()) << "seed " << seed;
        EXPECT_EQ(other.stationRecord(), record) << "seed " << seed;
        EXPECT_EQ(other.outputTexts().EditrPS, model.outputTexts().EditrPS) << "seed " << seed;
        EXPECT_EQ(other.angleTable(), model.angleTable()) << "seed " << seed;
    }
}

} // namespace
} // namespace radexa
