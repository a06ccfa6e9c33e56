#include "core/app/stationmodel.h"

#include "core/antennas/patternimport.h"
#include "core/support/atomicfile.h"
#include "core/support/textnumbers.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace radexa {

namespace {

constexpr const char* kTwoDecimals = "%3.2f";
// The station file's words for the polarisation, as the command line spells them.
constexpr const char* kPolarisationWords[] = {"vertical", "horizontal"};

// Index (0-based) of the last item equal to the text, letter case ignored; -1 for none.
int lastItem(const StringArray& items, std::string_view text) {
    for (std::size_t i = items.size(); i-- > 0;)
        if (SameTextNoCase(items[i], text))
            return static_cast<int>(i);
    return kNoPosition;
}

Notice fieldNotice(MessageId message, Refusal refusal, InputField field) {
    Notice n;
    n.message = message;
    n.refusal = refusal;
    n.field = field;
    return n;
}

Outcome refusedWith(Notice notice) {
    Outcome o;
    o.refused = true;
    o.notices.push_back(std::move(notice));
    return o;
}

Outcome refusedWith(MessageId message, Refusal refusal = Refusal::None) {
    Notice n;
    n.message = message;
    n.refusal = refusal;
    return refusedWith(std::move(n));
}

// A refusal of the limit set, with the text that names the set and its range.
Notice limitNotice(Refusal refusal, const LimitChoice& choice) {
    Notice n;
    n.refusal = refusal;
    if (refusal == Refusal::OutsideLimitSet || refusal == Refusal::NoLimitTier)
        n.detail = LimitRefusalText(refusal, choice);
    return n;
}

Outcome refusedWith(Refusal refusal) {
    Notice n;
    n.refusal = refusal;
    return refusedWith(std::move(n));
}

void append(Notices& to, Notices from) {
    for (auto& n : from)
        to.push_back(std::move(n));
}

// A number the operator typed into a field that takes 0 and more.
bool nonNegative(std::string_view text, double& value) {
    return TryStrToReal(text, value) && value >= 0 && std::isfinite(value);
}

} // namespace

StationModel::StationModel() {
    resetToStartupBand();
    calc();
}

// ---- catalogue ---------------------------------------------------------------------------

std::optional<Notice> StationModel::readCatalogue(const StationPaths& paths, Notices& notices) {
    CatalogueLoad load = TAntennen::Load(paths.catalogueFile, paths.userAntennaFile);
    if (!load.catalogueRead) {
        // A catalogue that cannot be read counts as missing; the second line says where it
        // was looked for, or why it could not be read.
        Notice n;
        n.subject = NoticeSubject::Catalogue;
        n.detail = "The File " + std::filesystem::path(paths.catalogueFile).filename().string() +
                   " was not found!\n";
        std::error_code ignored;
        const bool missing = std::filesystem::symlink_status(paths.catalogueFile, ignored).type() ==
                             std::filesystem::file_type::not_found;
        const std::filesystem::path folder =
            std::filesystem::absolute(paths.catalogueFile, ignored).parent_path();
        n.detail += missing || load.errors.empty() ? "Looked for in the folder " + folder.string()
                                                   : load.errors.front();
        return n;
    }
    // Entries that were left out, and a user file that could not be read, are said; the
    // rest of the catalogue is used.
    for (std::string& error : load.errors) {
        Notice n;
        n.subject = NoticeSubject::Catalogue;
        n.detail = std::move(error);
        notices.push_back(std::move(n));
    }
    m_paths = paths;
    m_catalogue = std::make_shared<const TAntennen>(std::move(load.catalogue));
    return std::nullopt;
}

Outcome StationModel::loadCatalogue(const StationPaths& paths) {
    Notices notices;
    if (auto failed = readCatalogue(paths, notices))
        return refusedWith(std::move(*failed));
    highlightManufacturer({});
    m_taken.reset();
    append(notices, calc());
    return finish(std::move(notices));
}

Outcome StationModel::reloadCatalogue() {
    Notices notices;
    if (auto failed = readCatalogue(m_paths, notices))
        return refusedWith(std::move(*failed));
    resetToStartupBand();
    append(notices, calc());
    return finish(std::move(notices));
}

Outcome StationModel::rereadCatalogue() {
    std::optional<TakenAntenna> before = m_taken;
    std::string name;
    if (before && m_catalogue)
        name = m_catalogue->Names()[static_cast<std::size_t>(before->entry)];
    Notices notices;
    if (auto failed = readCatalogue(m_paths, notices))
        return refusedWith(std::move(*failed));
    m_highlightedManufacturer.clear();
    m_names.clear();
    m_highlightedRow = kNoPosition;
    m_highlight = {};
    m_taken.reset();
    if (before) {
        highlightEntry(m_catalogue->FindAntenna(name, before->manufacturer));
        if (m_highlight.fits()) {
            take(m_highlight, m_highlightedManufacturer, notices);
            if (anglePageShown())
                m_taken->polarisation = ClickedPolarisation(*m_taken->angles, before->polarisation);
        }
        highlightManufacturer({});
    }
    append(notices, calc());
    return finish(std::move(notices));
}

void StationModel::setAngleFolders(std::vector<std::string> folders) {
    m_paths.angleFolders = std::move(folders);
}

void StationModel::resetToStartupBand() {
    m_frequency = FrequencyChoice::Band(kStartupBand);
    m_cableIdx = kStartupCable;
    m_cableLengthText = "10";
    m_plugAttText = "0";
    m_cableLength = 10;
    m_plugAtt = 0;
    m_typedGain = 0;
    m_highlightedManufacturer.clear();
    m_names.clear();
    m_highlightedRow = kNoPosition;
    m_highlight = {};
    m_taken.reset();
    m_currentStationFile.clear();
    updateCable();
}

// ---- frequency ----------------------------------------------------------------------------

std::string StationModel::frequencyText() const {
    return m_frequency.FixedFrequencyMode ? FormatBandEdge(m_frequency.FixedFrequency)
                                          : BandEdgesText(m_frequency.BandIDX);
}

Outcome StationModel::chooseBand(int bandIdx) {
    if (bandIdx < 1 || bandIdx > kBandCount)
        return refusedWith(Refusal::NoBand);
    m_currentStationFile.clear();
    m_frequency = FrequencyChoice::Band(bandIdx);
    Notices notices = updateCable();
    reevaluateAntenna(notices);
    append(notices, calc());
    return finish(std::move(notices));
}

Outcome StationModel::setFixedFrequency(std::string_view text) {
    double f = 0;
    if (!TryStrToReal(text, f) || !std::isfinite(f))
        return refusedWith(MessageId::MsgFrequencyNotReal);
    // The band table's own words where it is the set; another set (ICNIRP 2020 includes
    // 300 GHz, which the band table leaves out) names itself and its range.
    if (m_limits.set == LimitSet::Icnirp1998 && !(EFieldLimit(f) > 0))
        return refusedWith(Refusal::NoLimitAtFrequency);
    // A frequency the chosen limit set gives no level for cannot be computed.
    if (const LimitEvaluation levels = LimitLevels(m_limits, FrequencyChoice::Fixed(f));
        !levels.ok())
        return refusedWith(limitNotice(levels.refusal, m_limits));
    const CableValues atF = ComputeCable(m_cableIdx, f, m_cableLength, m_plugAtt);
    if (!atF.ok())
        return refusedWith(atF.refusal);
    m_frequency = FrequencyChoice::Fixed(f);
    Notices notices = updateCable();
    reevaluateAntenna(notices);
    append(notices, calc());
    return finish(std::move(notices));
}

// ---- power ----------------------------------------------------------------------------------

Outcome StationModel::setPowerText(std::string_view text) {
    m_powerText = text;
    return finish(calc());
}

Outcome StationModel::setPowerForDistance(std::string_view distanceText) {
    const CableValues cable = cablePage();
    if (!cable.ok())
        return refusedWith(cable.refusal);
    CalcInput in;
    in.frequency = m_frequency;
    in.Power = m_power;
    in.TotalAtt = cable.TotalAtt;
    in.AntennaGain = antennaGain();
    in.Factor = factors().Factor;
    const GivenDistanceResult r =
        CalculateUnderLimitsAtDistance(in, effectiveLimits(), distanceText).given;
    if (r.refusal == Refusal::DistanceNotReal)
        return refusedWith(MessageId::MsgDistanceNotReal, r.refusal);
    if (!r.ok())
        return refusedWith(limitNotice(r.refusal, m_limits));
    m_powerText = r.powerText;
    return finish(calc());
}

// ---- Mode page ------------------------------------------------------------------------------

Outcome StationModel::chooseMode(int modeIdx) {
    if (modeIdx < 1 || modeIdx > static_cast<int>(ModeItems().size()))
        return refusedWith(Refusal::NoFactor);
    m_modeIdx = modeIdx;
    return finish(calc());
}

Outcome StationModel::chooseRhythm(int rhythmItem) {
    if (rhythmItem < 0 || rhythmItem >= static_cast<int>(RhythmItems().size()))
        return refusedWith(Refusal::NoFactor);
    m_rhythmItem = rhythmItem;
    return finish(calc());
}

Outcome StationModel::chooseFactorTable(int factorTableItem) {
    if (factorTableItem < 0 || factorTableItem >= static_cast<int>(FactorTableItems().size()))
        return refusedWith(Refusal::NoFactor);
    m_factorTableItem = factorTableItem;
    return finish(calc());
}

std::string StationModel::factorTableText() const {
    return FactorTableItems()[static_cast<std::size_t>(m_factorTableItem)];
}

Factors StationModel::factors() const {
    return ComputeFactors(m_modeIdx, factorTableText(), m_rhythmItem);
}

// ---- Cable page -------------------------------------------------------------------------------

CableValues StationModel::cablePage() const {
    return ComputeCable(m_cableIdx, referenceFrequency(), m_cableLength, m_plugAtt);
}

Notices StationModel::updateCable() {
    double length = 0, plug = 0;
    if (!TryStrToReal(m_cableLengthText, length)) {
        m_cableLengthText.clear();
        return {fieldNotice(MessageId::MsgCableLengthNotReal, Refusal::CableLengthNotReal,
                            InputField::CableLength)};
    }
    if (length < 0) {
        m_cableLengthText.clear();
        return {fieldNotice(MessageId::MsgCableLengthNotPositive, Refusal::CableLengthNotPositive,
                            InputField::CableLength)};
    }
    if (!nonNegative(m_plugAttText, plug)) {
        m_plugAttText.clear();
        return {fieldNotice(MessageId::MsgAttenuationNotPositive, Refusal::AttenuationNotPositive,
                            InputField::PlugAtt)};
    }
    // A length the cable table cannot serve at this frequency, or one too large to compute.
    const CableValues page = ComputeCable(m_cableIdx, referenceFrequency(), length, plug);
    if (!page.ok()) {
        m_cableLengthText.clear();
        Notice n;
        n.refusal = page.refusal;
        n.field = InputField::CableLength;
        return {n};
    }
    m_cableLength = page.CableLength;
    m_plugAtt = page.PlugAtt;
    m_cableLengthText = FormatReal(kTwoDecimals, m_cableLength);
    m_plugAttText = FormatReal(kTwoDecimals, m_plugAtt);
    return {};
}

Outcome StationModel::tickCable(int cableIdx) {
    if (cableIdx < 1 || cableIdx > kCableCount)
        return refusedWith(Refusal::NoCable);
    const int old = m_cableIdx;
    m_cableIdx = cableIdx;
    if (!cablePage().ok()) {
        m_cableIdx = old;
        return refusedWith(cablePage().refusal);
    }
    return finish(updateCable());
}

Outcome StationModel::setCableLengthText(std::string_view text) {
    double v = 0;
    if (!TryStrToReal(text, v)) {
        m_cableLengthText.clear();
        return refusedWith(fieldNotice(MessageId::MsgCableLengthNotReal,
                                       Refusal::CableLengthNotReal, InputField::CableLength));
    }
    m_cableLengthText = text;
    return recalculateCable();
}

Outcome StationModel::setPlugAttText(std::string_view text) {
    double v = 0;
    if (!TryStrToReal(text, v)) {
        m_plugAttText.clear();
        return refusedWith(fieldNotice(MessageId::MsgAttenuationNotReal,
                                       Refusal::AttenuationNotPositive, InputField::PlugAtt));
    }
    m_plugAttText = text;
    return recalculateCable();
}

Outcome StationModel::recalculateCable() {
    Notices notices = updateCable();
    append(notices, calc());
    return finish(std::move(notices));
}

Outcome StationModel::setAllAttenuationsToZero() {
    m_cableLengthText = "0";
    m_plugAttText = "0";
    return recalculateCable();
}

// ---- Limits page ------------------------------------------------------------------------------

Outcome StationModel::chooseLimitSet(LimitSet set) {
    m_limits.set = set;
    if (!HasTier(set, m_limits.tier))
        m_limits.tier = LimitTier::Public;
    return finish(calc());
}

Outcome StationModel::chooseTier(LimitTier tier) {
    if (!HasTier(m_limits.set, tier)) {
        LimitChoice asked = m_limits;
        asked.tier = tier;
        return refusedWith(limitNotice(Refusal::NoLimitTier, asked));
    }
    m_limits.tier = tier;
    return finish(calc());
}

Outcome StationModel::chooseGround(GroundReflection ground) {
    m_limits.ground = ground;
    return finish(calc());
}

Outcome StationModel::setExemptionDistanceText(std::string_view text) {
    double d = 0;
    const bool none = text.find_first_not_of(' ') == std::string_view::npos;
    if (!none && !nonNegative(text, d))
        return refusedWith(MessageId::MsgDistanceNotReal, Refusal::NegativeDistance);
    m_exemptionText = none ? std::string() : std::string(text);
    m_exemptionDistance = none ? 0 : d;
    return {};
}

bool StationModel::groundInPattern() const {
    return anglePageShown() && HasRealGroundNote(*m_taken->angles);
}

LimitChoice StationModel::effectiveLimits() const {
    LimitChoice choice = m_limits;
    // A pattern computed over real ground holds the ground's reflection already.
    if (groundInPattern())
        choice.ground = GroundReflection::None;
    return choice;
}

std::optional<FccExemption> StationModel::exemption() const {
    if (m_exemptionText.empty() || !m_last.result.ok())
        return std::nullopt;
    return EvaluateFccExemption(m_last.input.frequency, m_last.result.MeanEIRP,
                                m_exemptionDistance);
}

// ---- antenna lists ------------------------------------------------------------------------------

void StationModel::refreshNames() {
    m_names.clear();
    if (m_catalogue && !m_highlightedManufacturer.empty())
        m_catalogue->GetNames(m_highlightedManufacturer, m_names);
}

Outcome StationModel::highlightManufacturer(std::string_view manufacturer) {
    // Only a manufacturer of the list can be highlighted: the list's own spelling of it.
    m_highlightedManufacturer.clear();
    if (m_catalogue && !manufacturer.empty()) {
        const StringArray listed = m_catalogue->GetManufacturers();
        const auto exact = std::find(listed.begin(), listed.end(), manufacturer);
        const int at = exact != listed.end() ? static_cast<int>(exact - listed.begin())
                                             : lastItem(listed, manufacturer);
        if (at >= 0)
            m_highlightedManufacturer = listed[static_cast<std::size_t>(at)];
    }
    refreshNames();
    m_highlightedRow = kNoPosition;
    m_highlight = {};
    return {};
}

Outcome StationModel::highlightAntenna(int row) {
    m_highlightedRow = row >= 0 && row < static_cast<int>(m_names.size()) ? row : kNoPosition;
    evaluateHighlight();
    return {};
}

Outcome StationModel::highlightEntry(int entry) {
    if (!m_catalogue || entry < 0 || entry >= m_catalogue->Count())
        return refusedWith(MessageId::MsgAntennaDoesNotFit);
    const auto k = static_cast<std::size_t>(entry);
    highlightManufacturer(m_catalogue->Manufacturers()[k]);
    return highlightAntenna(lastItem(m_names, m_catalogue->Names()[k]));
}

void StationModel::evaluateHighlight() {
    m_highlight = {};
    if (!m_catalogue || m_highlightedRow < 0)
        return;
    const std::string& name = m_names[static_cast<std::size_t>(m_highlightedRow)];
    const int entry = m_catalogue->FindAntenna(name, m_highlightedManufacturer);
    if (entry >= 0)
        m_highlight = evaluate(entry, name);
}

AntennaEvaluation StationModel::evaluate(int entry, const std::string& name) const {
    AntennaEvaluation e;
    if (!m_catalogue || entry < 0 || entry >= m_catalogue->Count())
        return e;
    const auto k = static_cast<std::size_t>(entry);
    const RData& data = m_catalogue->Data()[k];
    e.entry = entry;
    e.point = FindFittingPoint(data, referenceFrequency());
    if (!e.fits())
        return e;
    e.name = name;
    e.type = m_catalogue->Types()[k];
    e.gainText = FormatReal(kTwoDecimals, data.Gains[static_cast<std::size_t>(e.point)]);
    e.angles = readAngles(entry, e.angleError);
    e.angleDataAvailable = e.angles != nullptr;
    return e;
}

std::string StationModel::angleFileOf(int entry) const {
    const auto k = static_cast<std::size_t>(entry);
    for (const std::string& folder : m_paths.angleFolders)
        if (std::string file =
                FindAngleFile(folder, m_catalogue->Manufacturers()[k], m_catalogue->Names()[k]);
            !file.empty())
            return file;
    return {};
}

std::shared_ptr<const TWinkAnt> StationModel::readAngles(int entry, std::string& error) const {
    error.clear();
    const std::string file = angleFileOf(entry);
    if (file.empty())
        return nullptr; // no angle data: nothing to say
    // With a fixed frequency only the sections at 0 MHz fit.
    const double reference = m_frequency.FixedFrequencyMode ? kUndefined : referenceFrequency();
    try {
        return std::make_shared<const TWinkAnt>(ReadAngleFile(file, reference));
    } catch (const AngleDataError& e) {
        error = e.what();
    }
    return nullptr;
}

void StationModel::take(const AntennaEvaluation& evaluation, const std::string& manufacturer,
                        Notices& notices) {
    TakenAntenna t;
    t.entry = evaluation.entry;
    t.manufacturer = manufacturer;
    t.name = evaluation.name;
    t.point = evaluation.point;
    t.gainText = evaluation.gainText;
    if (!TryStrToReal(t.gainText, t.gain) || !std::isfinite(t.gain)) {
        notices.push_back(
            fieldNotice(MessageId::MsgGainNotReal, Refusal::OutOfRange, InputField::None));
        return;
    }
    t.angles = evaluation.angles;
    if (!evaluation.angleError.empty()) {
        Notice n;
        n.subject = NoticeSubject::AngleData;
        n.detail = evaluation.angleError;
        notices.push_back(std::move(n));
    }
    if (t.angles)
        t.polarisation = PreselectedPolarisation(*t.angles);
    m_taken = std::move(t);
}

void StationModel::reevaluateAntenna(Notices& notices) {
    evaluateHighlight();
    if (m_highlight.entry >= 0) {
        // The highlighted antenna is taken when it fits, as the operator would take it.
        if (m_highlight.fits())
            take(m_highlight, m_highlightedManufacturer, notices);
        else
            m_taken.reset();
        return;
    }
    if (!m_taken)
        return;
    const AntennaEvaluation again = evaluate(m_taken->entry, m_taken->name);
    if (again.fits())
        take(again, m_taken->manufacturer, notices);
    else
        m_taken.reset();
}

Outcome StationModel::takeAntenna() {
    if (!m_highlight.fits())
        return refusedWith(MessageId::MsgAntennaDoesNotFit);
    Notices notices;
    take(m_highlight, m_highlightedManufacturer, notices);
    append(notices, calc());
    return finish(std::move(notices));
}

Outcome StationModel::setTypedGain(double gain) {
    if (!std::isfinite(gain))
        return refusedWith(Refusal::OutOfRange);
    m_taken.reset();
    m_typedGain = gain;
    return finish(calc());
}

Outcome StationModel::choosePolarisation(Polarisation polarisation) {
    if (!anglePageShown())
        return {};
    m_taken->polarisation = ClickedPolarisation(*m_taken->angles, polarisation);
    recomputePattern();
    return {};
}

StringArray StationModel::pointLines() const {
    if (!m_catalogue || m_highlight.entry < 0)
        return {};
    return PointListLines(m_catalogue->Data()[static_cast<std::size_t>(m_highlight.entry)]);
}

double StationModel::antennaGain() const {
    return m_taken ? m_taken->gain : m_typedGain;
}

std::string StationModel::antennaText() const {
    return m_taken ? m_taken->name : std::string();
}

// ---- calculation --------------------------------------------------------------------------------

Outcome StationModel::calculate() {
    return finish(calc());
}

Notices StationModel::calc() {
    Notices notices;
    double power = 0;
    if (TryStrToReal(m_powerText, power) && power >= 0 && std::isfinite(power)) {
        m_power = power + 0.0; // "-0" is no power, and shows as 0

    } else {
        // The calculation goes on with the power the field gave last.
        const bool number = TryStrToReal(m_powerText, power);
        m_powerText.clear();
        notices.push_back(fieldNotice(MessageId::MsgInvalidPower,
                                      number ? Refusal::NegativePower : Refusal::PowerNotReal,
                                      InputField::Power));
    }
    const CableValues cable = cablePage();
    CalcInput& in = m_last.input;
    in.frequency = m_frequency;
    in.Power = m_power;
    in.TotalAtt = cable.ok() ? cable.TotalAtt : 0;
    in.AntennaGain = antennaGain();
    in.Factor = factors().Factor;
    m_last.choice = effectiveLimits();
    if (cable.ok()) {
        LimitCalcResult r = CalculateUnderLimits(in, m_last.choice);
        m_last.result = r.calc;
        m_last.limits = std::move(r.limits);
    } else {
        m_last.result = CalcResult();
        m_last.result.refusal = cable.refusal;
        m_last.limits = LimitEvaluation();
        m_last.limits.refusal = cable.refusal;
    }
    if (!m_last.result.ok())
        notices.push_back(limitNotice(m_last.result.refusal, m_limits));
    recomputePattern();
    return notices;
}

void StationModel::recomputePattern() {
    m_last.pattern = {};
    if (!anglePageShown() || !m_last.result.ok())
        return;
    m_last.pattern = ComputePattern(*m_taken->angles, m_taken->polarisation, m_last.result.EIRP,
                                    m_last.result.SafetyDistance);
}

CalcTexts StationModel::outputTexts() const {
    return FormatCalcResult(m_last.result, m_last.input.AntennaGain);
}

std::vector<StringArray> StationModel::angleTable(std::string_view headerText) const {
    std::vector<StringArray> rows{AngleTableHeader(headerText)};
    for (auto& row : AngleTableRows(m_last.pattern))
        rows.push_back(std::move(row));
    return rows;
}

Outcome StationModel::finish(Notices notices) {
    Outcome o;
    o.notices = std::move(notices);
    return o;
}

// ---- station files ------------------------------------------------------------------------------

StationOpening StationModel::openStation(std::string_view bytes, std::string_view fileName) {
    StationOpening opening;
    opening.reading = ParseStationFile(bytes);
    StationFileReading& reading = opening.reading;
    const StationRecord& r = reading.record;
    constexpr StationProblemKind kUnknown = StationProblemKind::UnknownAntenna;

    if (reading.restored(StationLine::BandOrFrequency)) {
        if (r.fixedFrequencyMode) {
            const double f = reading.fixedFrequency;
            if (std::isfinite(f) && EFieldLimit(f) > 0)
                m_frequency = FrequencyChoice::Fixed(f);
            else
                reading.addProblem(StationLine::BandOrFrequency, StationProblemKind::NotANumber);
        } else if (const int band = BandFromName(r.band); band > 0) {
            m_frequency = FrequencyChoice::Band(band);
        } else {
            reading.addProblem(StationLine::BandOrFrequency, kUnknown);
        }
    }
    if (reading.restored(StationLine::Height))
        m_heightText = r.height;
    if (reading.restored(StationLine::Power))
        m_powerText = r.power;
    if (reading.restored(StationLine::Mode)) {
        const int mode = ModeFromText(r.mode);
        if (mode >= 1 && mode <= static_cast<int>(ModeItems().size()))
            m_modeIdx = mode;
        else
            reading.addProblem(StationLine::Mode, kUnknown);
    }
    if (reading.restored(StationLine::DutyCycle)) {
        if (const int i = lastItem(RhythmItems(), r.dutyCycle); i >= 0)
            m_rhythmItem = i;
        else
            reading.addProblem(StationLine::DutyCycle, kUnknown);
    }
    if (reading.restored(StationLine::FactorTable)) {
        if (const int i = lastItem(FactorTableItems(), r.factorTable); i >= 0)
            m_factorTableItem = i;
        else
            reading.addProblem(StationLine::FactorTable, kUnknown);
    }
    if (reading.restored(StationLine::Cable)) {
        if (const int c = CableFromName(r.cable); c > 0)
            m_cableIdx = c;
        else
            reading.addProblem(StationLine::Cable, kUnknown);
    }
    if (reading.restored(StationLine::CableLength))
        m_cableLengthText = r.cableLength;
    if (reading.restored(StationLine::OtherAttenuations))
        m_plugAttText = r.otherAttenuations;

    // The optional lines: a file without them is the default limit set, tier and ground,
    // and no distance for the exemption.
    LimitChoice limits;
    std::string exemption;
    double exemptionDistance = 0;
    auto optionProblem = [&reading](StationOption o) {
        reading.addProblem(static_cast<StationLine>(reading.optionLine[static_cast<int>(o)]),
                           kUnknown);
    };
    if (const std::string& v = r.option(StationOption::LimitSet);
        !v.empty() && !ParseLimitSet(v, limits.set))
        optionProblem(StationOption::LimitSet);
    if (const std::string& v = r.option(StationOption::Tier); !v.empty()) {
        LimitTier tier = LimitTier::Public;
        if (ParseLimitTier(v, tier) && HasTier(limits.set, tier))
            limits.tier = tier;
        else
            optionProblem(StationOption::Tier);
    }
    if (const std::string& v = r.option(StationOption::Ground);
        !v.empty() && !ParseGround(v, limits.ground))
        optionProblem(StationOption::Ground);
    if (const std::string& v = r.option(StationOption::ExemptionDistance); !v.empty()) {
        if (nonNegative(v, exemptionDistance))
            exemption = v;
        else
            optionProblem(StationOption::ExemptionDistance);
    }
    std::optional<Polarisation> polarisation;
    if (const std::string& v = r.option(StationOption::Polarisation); !v.empty()) {
        if (SameTextNoCase(v, kPolarisationWords[0]))
            polarisation = Polarisation::Vertical;
        else if (SameTextNoCase(v, kPolarisationWords[1]))
            polarisation = Polarisation::Horizontal;
        else
            optionProblem(StationOption::Polarisation);
    }
    // A file that ends before its tenth line says nothing of them: the current ones stay,
    // as they do for its missing lines.
    if (reading.lines.size() >= static_cast<std::size_t>(kStationLineCount)) {
        m_limits = limits;
        m_exemptionText = exemption;
        m_exemptionDistance = exemptionDistance;
    }

    Notices notices = updateCable();

    // The antenna: found again by its name and manufacturer and taken for the restored
    // frequency. When the file names none, the antenna is evaluated as a band change does.
    int entry = kUndefinedIndex;
    if (reading.restored(StationLine::Antenna) && m_catalogue) {
        entry = m_catalogue->FindAntenna(r.antennaName, r.manufacturer);
        if (entry < 0)
            reading.addProblem(StationLine::Antenna, kUnknown);
    } else if (reading.restored(StationLine::Antenna)) {
        reading.addProblem(StationLine::Antenna, kUnknown);
    }
    if (entry >= 0) {
        highlightEntry(entry);
        if (m_highlight.fits()) {
            take(m_highlight, m_highlightedManufacturer, notices);
            if (polarisation && anglePageShown()) {
                m_taken->polarisation = ClickedPolarisation(*m_taken->angles, *polarisation);
                if (m_taken->polarisation != *polarisation)
                    optionProblem(StationOption::Polarisation); // the data lack it
            } else if (polarisation) {
                optionProblem(StationOption::Polarisation); // no angle data now
            }
        } else {
            m_taken.reset(); // the antenna has no point for the restored frequency
            reading.addProblem(StationLine::Antenna, kUnknown);
        }
    } else {
        reevaluateAntenna(notices);
    }
    append(notices, calc());
    opening.notices = std::move(notices);
    // A file that was not restored whole is not remembered, so that "Save" never
    // overwrites it without asking.
    m_currentStationFile = opening.complete() ? std::string(fileName) : std::string();
    return opening;
}

std::optional<StationRecord> StationModel::stationRecord(Notices* why) const {
    auto refuse = [why](Notice n) -> std::optional<StationRecord> {
        if (why)
            why->push_back(std::move(n));
        return std::nullopt;
    };
    if (!m_taken || !m_catalogue)
        return refuse(
            fieldNotice(MessageId::MsgAntennaDoesNotFit, Refusal::None, InputField::None));
    // The file must open again as the station it names.
    double v = 0;
    if (!nonNegative(m_powerText, v))
        return refuse(
            fieldNotice(MessageId::MsgInvalidPower, Refusal::PowerNotReal, InputField::Power));
    if (!nonNegative(m_cableLengthText, v))
        return refuse(fieldNotice(MessageId::MsgCableLengthNotReal, Refusal::CableLengthNotReal,
                                  InputField::CableLength));
    if (!nonNegative(m_plugAttText, v))
        return refuse(fieldNotice(MessageId::MsgAttenuationNotPositive,
                                  Refusal::AttenuationNotPositive, InputField::PlugAtt));
    const auto k = static_cast<std::size_t>(m_taken->entry);
    StationRecord r;
    r.fixedFrequencyMode = m_frequency.FixedFrequencyMode;
    r.band = m_frequency.FixedFrequencyMode ? std::string() : HamBands(m_frequency.BandIDX);
    r.frequencyText = frequencyText();
    r.antennaName = m_catalogue->Names()[k];
    // The manufacturer as highlighted, unless it is not the taken antenna's spelling of it.
    r.manufacturer = SameTextNoCase(m_taken->manufacturer, m_catalogue->Manufacturers()[k])
                         ? m_taken->manufacturer
                         : m_catalogue->Manufacturers()[k];
    r.height = m_heightText;
    r.power = m_powerText;
    r.mode = ModeText(m_modeIdx);
    r.dutyCycle = RhythmItems()[static_cast<std::size_t>(m_rhythmItem)];
    r.factorTable = factorTableText();
    r.cable = CableName(m_cableIdx);
    r.cableLength = m_cableLengthText;
    r.otherAttenuations = m_plugAttText;
    const LimitChoice defaults;
    if (m_limits.set != defaults.set)
        r.option(StationOption::LimitSet) = LimitSetWord(m_limits.set);
    if (m_limits.tier != defaults.tier)
        r.option(StationOption::Tier) = LimitTierWord(m_limits.tier);
    if (m_limits.ground != defaults.ground)
        r.option(StationOption::Ground) = GroundWord(m_limits.ground);
    r.option(StationOption::ExemptionDistance) = m_exemptionText;
    if (m_taken->angles && m_taken->polarisation != PreselectedPolarisation(*m_taken->angles))
        r.option(StationOption::Polarisation) =
            kPolarisationWords[m_taken->polarisation == Polarisation::Vertical ? 0 : 1];
    return r;
}

} // namespace radexa
