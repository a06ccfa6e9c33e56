#pragma once
// The station model: the whole station the operator works on, in one object that the
// main window owns and shows, and that the command-line calculator drives the same way.
//
// It holds the inputs (band or fixed frequency, power, mode, rhythm, factor table, cable,
// length, other losses, antenna height), the catalogue, what is highlighted in the antenna
// lists, the taken antenna with its point, angle data and polarisation, the current station
// file, and the last calculation. It offers one operation per operator action; each one
// either refuses (and changes nothing) or applies completely, and reports what the
// operator must be told as notices. Everything else (factors, cable page, the highlighted
// antenna's evaluation, the per-angle table) is derived from these inputs, never kept twice.
//
// Guarantees, checked by the property tests:
// - a taken antenna always has a point within 10 % of the reference frequency, and the gain
//   in use is that point's gain (rounded to two decimals); without one the gain is the typed
//   gain (0 unless given);
// - angle data and the per-angle table exist only for the taken antenna;
// - the cable page shows the ticked cable; every calculation uses the cable page;
// - the frequency shown is the frequency the calculation used.

#include "core/antennas/angledata.h"
#include "core/antennas/angletable.h"
#include "core/antennas/catalogue.h"
#include "core/app/languages.h"
#include "core/app/stationfile.h"
#include "core/calc/calc.h"
#include "core/calc/limits.h"
#include "core/support/types.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace radexa {

// The input field a notice concerns; the window empties it and gives it the focus.
enum class InputField { None, Power, CableLength, PlugAtt };

// What a notice is about: the station's inputs, the taken antenna's angle data (the
// detail is the reader's message, file and line), or the catalogue files.
enum class NoticeSubject { Station, AngleData, Catalogue };

// Something the operator must be told after an operation. The window shows the text of
// `message` in its language (or, without one, the English text of `refusal`), followed by
// `detail` on a line of its own; the command-line calculator names the option or the
// station-file line of `refusal`.
struct Notice {
    std::optional<MessageId> message;
    Refusal refusal = Refusal::None;
    std::string detail; // Windows-1252: a file name, a line, a reason
    InputField field = InputField::None;
    NoticeSubject subject = NoticeSubject::Station;
};
using Notices = std::vector<Notice>;

// The result of an operation: refused (nothing changed) or applied, with what to tell.
struct Outcome {
    bool refused = false;
    Notices notices;
    bool ok() const { return !refused && notices.empty(); }
};

// Where the model reads its files.
struct StationPaths {
    std::string catalogueFile = "Antennas.txt";  // resolved against the working folder
    std::string userAntennaFile = "AntUser.txt"; // likewise
    std::vector<std::string> angleFolders;       // searched in order, each with a trailing '/'
};

// The highlighted antenna, evaluated for the reference frequency: what the point list,
// "Chosen Antenna" and "Take Antenna" show.
struct AntennaEvaluation {
    int entry = kUndefinedIndex; // catalogue entry (FindAntenna), kUndefinedIndex for none
    int point = kNoPosition;     // the point that fits the reference frequency, or none
    std::string name;            // "Chosen Antenna" fields; empty while no point fits
    std::string type;
    std::string gainText; // the point's gain, "%3.2f"
    bool angleDataAvailable = false;
    std::shared_ptr<const TWinkAnt> angles; // read for the reference frequency
    std::string angleError;                 // why a file of angle data could not be read
    bool fits() const { return point >= 0; }
};

// The antenna the calculation uses.
struct TakenAntenna {
    int entry = kUndefinedIndex; // TakenAntennaIndex
    std::string manufacturer;    // as highlighted when it was taken (the station file writes it)
    std::string name;            // the catalogue's name (the Antenna field)
    int point = kNoPosition;     // BandLineIndex: its point that fits the reference frequency
    std::string gainText;        // the gain field, "%3.2f" of the point's gain
    double gain = 0;             // StrToReal(gainText): the gain of the calculation
    std::shared_ptr<const TWinkAnt> angles; // for the reference frequency, or none
    Polarisation polarisation = Polarisation::Vertical;
};

// The last calculation: its inputs, its results and the per-angle lists derived from them.
struct Calculation {
    CalcInput input;
    LimitChoice choice;     // the limit set, tier and ground reflection it used
    CalcResult result;      // ELimit: the binding check's level; SafetyDistance: the set's
    LimitEvaluation limits; // every check of the set
    PatternLists pattern;   // empty unless the taken antenna has angle data
};

// What opening a station file gave: the lines that could not be restored and what the
// restored station made the calculation say.
struct StationOpening {
    StationFileReading reading;
    Notices notices;
    bool complete() const { return reading.problems.empty() && notices.empty(); }
};

class StationModel {
public:
    // The start-up station without a catalogue: band "2m", power "100", height "12", SSB,
    // "TX3 RX3", FCC factors, RG213 of 10 m, no other losses, no antenna, calculated once.
    StationModel();

    // ---- the catalogue ----------------------------------------------------------------
    // Reads the catalogue and the user file at start-up. Refused when the catalogue file
    // cannot be read; the model keeps no catalogue then.
    Outcome loadCatalogue(const StationPaths& paths);
    // Reads the catalogue again (after the own-antenna dialog) and puts the station back to
    // the start-up band and cable: "2m", RG213, 10 m, 0 dB, no fixed frequency, no antenna,
    // no current station file; power, height and the Mode page stay. Refused, with nothing
    // changed, when the catalogue cannot be read.
    Outcome reloadCatalogue();
    // Reads the catalogue again after an antenna was added to it ("Model antenna ...",
    // "Import pattern ..."): the station stays as it is, and the taken antenna is found
    // again by its manufacturer and name and taken with its polarisation; nothing is
    // highlighted. Refused, with nothing changed, when the catalogue cannot be read.
    Outcome rereadCatalogue();
    const TAntennen* catalogue() const { return m_catalogue.get(); }
    const StationPaths& paths() const { return m_paths; }
    void setAngleFolders(std::vector<std::string> folders);

    // ---- frequency --------------------------------------------------------------------
    // CBBandChange: the band; ends the fixed frequency, forgets the current station file,
    // re-evaluates the antenna (the highlighted one, else the taken one) for the band.
    Outcome chooseBand(int bandIdx);
    // EditFreqDblClick: a fixed frequency typed by the operator. Refused when it is no
    // number, has no field limit, or lies outside the cable table while a cable length is
    // set. Re-evaluates the antenna as a band change does.
    Outcome setFixedFrequency(std::string_view text);
    const FrequencyChoice& frequency() const { return m_frequency; }
    // The text of the frequency field: the band edges, or the fixed frequency.
    std::string frequencyText() const;
    double referenceFrequency() const { return ReferenceFrequency(m_frequency); }

    // ---- field texts as typed ----------------------------------------------------------
    // The texts of the power, cable-length and other-losses fields while the operator
    // types; the next calculation (or cable update) reads them, as it reads the fields.
    void typePowerText(std::string_view text) { m_powerText = text; }
    void typeCableLengthText(std::string_view text) { m_cableLengthText = text; }
    void typePlugAttText(std::string_view text) { m_plugAttText = text; }

    // ---- power, height ----------------------------------------------------------------
    // The power field was left: its text is taken and the station recalculated.
    Outcome setPowerText(std::string_view text);
    const std::string& powerText() const { return m_powerText; }
    // The power the calculations use (the last one the power field gave).
    double power() const { return m_power; }
    // EditrPSDblClick: the power whose safety distance is the typed distance.
    Outcome setPowerForDistance(std::string_view distanceText);
    void setHeightText(std::string_view text) { m_heightText = text; }
    const std::string& heightText() const { return m_heightText; }

    // ---- Mode page --------------------------------------------------------------------
    // UpdateBetriebsart: mode (1..8), rhythm item (0..5), factor-table item (0..2).
    Outcome chooseMode(int modeIdx);
    Outcome chooseRhythm(int rhythmItem);
    Outcome chooseFactorTable(int factorTableItem);
    int modeIdx() const { return m_modeIdx; }
    int rhythmItem() const { return m_rhythmItem; }
    int factorTableItem() const { return m_factorTableItem; }
    std::string factorTableText() const;
    Factors factors() const;

    // ---- Cable page -------------------------------------------------------------------
    // CLBCableClick: ticks the cable (1..10). The page shows it at once; the outputs take
    // it over with the next calculation.
    Outcome tickCable(int cableIdx);
    // EditCableLengthExit, EditPlugAttExit: the field's text, then the page and the outputs.
    Outcome setCableLengthText(std::string_view text);
    Outcome setPlugAttText(std::string_view text);
    // ButGleichClick: the page from its fields, then the outputs.
    Outcome recalculateCable();
    // ButSetAttNullClick: length and other losses 0, then "=".
    Outcome setAllAttenuationsToZero();
    int cableIdx() const { return m_cableIdx; }
    const std::string& cableLengthText() const { return m_cableLengthText; }
    const std::string& plugAttText() const { return m_plugAttText; }
    // The cable page: the ticked cable at the reference frequency with the accepted length
    // and other losses.
    CableValues cablePage() const;

    // ---- antenna lists ----------------------------------------------------------------
    // LBHerstellerClick: highlights a manufacturer of the list (empty, or one the list does
    // not hold: none; letter case ignored where the list has no exact match). The names
    // list follows; no antenna is highlighted. The taken antenna stays.
    Outcome highlightManufacturer(std::string_view manufacturer);
    // LBTypenClick: highlights the row of the names list (kNoPosition: none).
    Outcome highlightAntenna(int row);
    // Both lists at once for a catalogue entry, as the station file's antenna line is found
    // again: its manufacturer, then the last line of the names list with its name.
    Outcome highlightEntry(int entry);
    // ButTakeAntClick: takes the highlighted antenna when a point of it fits; reads its angle
    // data and recalculates.
    Outcome takeAntenna();
    // The command-line calculator's --gain: no antenna, this gain.
    Outcome setTypedGain(double gain);
    // RGPolClick: the polarisation of the taken antenna's angle data; one the data do not
    // declare falls back to the other.
    Outcome choosePolarisation(Polarisation polarisation);

    const std::string& highlightedManufacturer() const { return m_highlightedManufacturer; }
    // The names list: the antennas of the highlighted manufacturer, duplicates included.
    const StringArray& names() const { return m_names; }
    int highlightedRow() const { return m_highlightedRow; }
    // The highlighted antenna evaluated for the reference frequency.
    const AntennaEvaluation& highlighted() const { return m_highlight; }
    // The point list of the highlighted antenna.
    StringArray pointLines() const;
    const std::optional<TakenAntenna>& taken() const { return m_taken; }
    // The gain the next calculation uses: the taken antenna's, else the typed gain.
    double antennaGain() const;
    // The Antenna and Antenna Gain fields of the input group.
    std::string antennaText() const;
    // True while the taken antenna has angle data: the Angle page is shown.
    bool anglePageShown() const { return m_taken && m_taken->angles; }

    // ---- Limits page ------------------------------------------------------------------
    // The limit set, tier and ground reflection. A set without the tier in force takes its
    // public tier; a tier the set does not have is refused.
    Outcome chooseLimitSet(LimitSet set);
    Outcome chooseTier(LimitTier tier);
    Outcome chooseGround(GroundReflection ground);
    const LimitChoice& limitChoice() const { return m_limits; }
    // The distance to the nearest place people may be, for the FCC exemption; empty for
    // none. Refused when it is no number or negative.
    Outcome setExemptionDistanceText(std::string_view text);
    const std::string& exemptionDistanceText() const { return m_exemptionText; }
    // True while the taken antenna's angle data were computed over real ground: the ground
    // reflection is in the pattern, and the chosen ground factor is not applied again.
    bool groundInPattern() const;
    // The limit set, tier and ground reflection the calculation uses.
    LimitChoice effectiveLimits() const;
    // The exemption for the last calculation; nothing while no distance is given.
    std::optional<FccExemption> exemption() const;

    // ---- calculation ------------------------------------------------------------------
    // calcCall: recalculates with the current inputs (the power field is read again).
    Outcome calculate();
    const Calculation& last() const { return m_last; }
    // The output fields of the last calculation.
    CalcTexts outputTexts() const;
    // The per-angle table of the last calculation (header first).
    std::vector<StringArray> angleTable(std::string_view headerText = kAngleTableHeader) const;

    // ---- station files ----------------------------------------------------------------
    // Oeffnen: restores the station from the bytes of a station file. Lines that name
    // nothing known are listed and the rest restored; the file becomes the current station
    // file only when every line was restored and the station computed without a notice.
    StationOpening openStation(std::string_view bytes, std::string_view fileName);
    // What Speichern writes; refused (MsgAntennaDoesNotFit) while no antenna is taken, or
    // while a number field holds what is no number.
    std::optional<StationRecord> stationRecord(Notices* why = nullptr) const;
    const std::string& currentStationFile() const { return m_currentStationFile; }

private:
    std::optional<Notice> readCatalogue(const StationPaths& paths, Notices& notices);
    void resetToStartupBand();
    Notices updateCable();
    Notices calc();
    void refreshNames();
    void evaluateHighlight();
    AntennaEvaluation evaluate(int entry, const std::string& name) const;
    std::shared_ptr<const TWinkAnt> readAngles(int entry, std::string& error) const;
    std::string angleFileOf(int entry) const;
    void take(const AntennaEvaluation& evaluation, const std::string& manufacturer,
              Notices& notices);
    void reevaluateAntenna(Notices& notices);
    void recomputePattern();
    Outcome finish(Notices notices);

    StationPaths m_paths;
    std::shared_ptr<const TAntennen> m_catalogue;

    FrequencyChoice m_frequency = FrequencyChoice::Band(kStartupBand);
    std::string m_powerText = "100";
    double m_power = 100;
    std::string m_heightText = "12";
    int m_modeIdx = kStartupMode;
    int m_rhythmItem = kStartupRhythm;
    int m_factorTableItem = 0;
    int m_cableIdx = kStartupCable;
    std::string m_cableLengthText;
    std::string m_plugAttText;
    double m_cableLength = 10;
    double m_plugAtt = 0;
    double m_typedGain = 0;

    std::string m_highlightedManufacturer;
    StringArray m_names;
    int m_highlightedRow = kNoPosition;
    AntennaEvaluation m_highlight;
    std::optional<TakenAntenna> m_taken;

    LimitChoice m_limits;
    std::string m_exemptionText;
    double m_exemptionDistance = 0;

    Calculation m_last;
    std::string m_currentStationFile;
};

} // namespace radexa
