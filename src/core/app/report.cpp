#include "core/app/report.h"

#include "core/app/limitspage.h"
#include "core/app/stationpictures.h"
#include "core/support/numbersettings.h"
#include "core/support/textnumbers.h"

#include <cstdio>
#include <iterator>

namespace radexa {

namespace {

constexpr const char* kTwoDecimals = "%3.2f";

// Blanks at both ends removed, runs of blanks inside made one: "  1,81 -   2,00" gives
// "1,81 - 2,00".
std::string simplified(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// A control character: below the blank, DEL, or one of the bytes Windows-1252 leaves
// undefined (they stand for C1 controls).
bool isControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < ' ' || u == 0x7f || u == 0x81 || u == 0x8d || u == 0x8f || u == 0x90 || u == 0x9d;
}

// A text on one line: its line ends, tabs and other control characters become blanks, so
// that the page shows none of them as a missing glyph.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (isControl(c))
            c = ' ';
    return simplified(line);
}

// The caption the window puts on the control, on one line.
std::string caption(Language language, std::string_view target) {
    for (const LanguageText& t : LanguageTexts(language))
        if (t.kind == TextTargetKind::Caption && t.target == target)
            return oneLine(t.text);
    return {};
}

// The words of a message that lists them with ";" between them; an item beyond the list
// is empty.
class Words {
public:
    Words(Language language, MessageId id) : m_words(SplitText(MessageText(language, id), ';')) {}
    std::string operator[](std::size_t i) const {
        return i < m_words.size() ? simplified(m_words[i]) : std::string();
    }
    const StringArray& all() const { return m_words; }

private:
    StringArray m_words;
};

std::string twoDecimals(double x) {
    return FormatReal(kTwoDecimals, x);
}

// A number field's text as typed, with the program's decimal separator: a typed decimal
// point ("12.5", as the command line takes it) is written as the report's other numbers
// are ("12,5"). A text that is no number stays as it is.
std::string typedNumber(std::string_view text) {
    std::string shown(text);
    double value = 0;
    if (TryStrToReal(shown, value))
        for (char& c : shown)
            if (c == '.' || c == ',')
                c = CurrentNumberSettings().decimalSeparator;
    return shown;
}

// What the power field says: the text as typed while it is the power the calculation used.
std::string powerText(const StationModel& m) {
    double typed = 0;
    if (TryStrToReal(m.powerText(), typed) && typed == m.last().input.Power)
        return typedNumber(m.powerText());
    return twoDecimals(m.last().input.Power);
}

std::string polarisationText(const StationModel& m, Language language) {
    return Words(
        language,
        MessageId::ReportPolarisations)[m.taken()->polarisation == Polarisation::Vertical ? 0 : 1];
}

std::string groundCaption(GroundReflection ground) {
    switch (ground) {
    case GroundReflection::None:
        break;
    case GroundReflection::Typical:
        return "RGGround1";
    case GroundReflection::Full:
        return "RGGround2";
    }
    return "RGGround0";
}

std::vector<ReportLine> headerLines(const StationModel& m, const ReportRequest& r) {
    const Language l = r.language;
    const Words labels(l, MessageId::ReportHeaderLabels);
    const LimitChoice& choice = m.limitChoice();
    return {
        {labels[0], oneLine(r.call)},
        {labels[1], oneLine(r.place)},
        {labels[2], ReportDateTimeText(r.time)},
        {labels[3], std::string("Radexa ") + RADEXA_VERSION},
        {caption(l, "LaLimitSet"), LimitSetName(choice.set)},
        {caption(l, "RGTier"),
         caption(l, choice.tier == LimitTier::Public ? "RGTier0" : "RGTier1")},
        {caption(l, "RGGround"), caption(l, groundCaption(choice.ground))},
    };
}

ReportSection stationSection(const StationModel& m, Language l) {
    const Words headings(l, MessageId::ReportHeadings);
    const Words labels(l, MessageId::ReportLabels);
    ReportSection s;
    s.heading = headings[0];
    auto line = [&s](std::string label, std::string value) {
        s.lines.push_back({std::move(label), std::move(value)});
    };
    if (!m.frequency().FixedFrequencyMode)
        line(caption(l, "LaHamBand"), HamBands(m.frequency().BandIDX));
    line(caption(l, "LaFreq"), simplified(m.frequencyText()));
    if (const auto point = TakenAntennaPoint(m)) {
        line(caption(l, "LaManufacturer"), point->manufacturer);
        line(caption(l, "LaAntenna"), point->name);
        line(labels[2],
             simplified(FormatPointLine(point->frequency, point->gain, point->elements)));
    } else {
        line(caption(l, "LaAntenna"), MessageText(l, MessageId::ReportNoAntenna));
    }
    const CalcTexts out = m.outputTexts();
    line(caption(l, "LaGain"), out.EditGain);
    line(caption(l, "LaPower"), powerText(m));
    line(caption(l, "LaMode"), ModeText(m.modeIdx()));
    line(caption(l, "RGDutyCycle"), RhythmItems()[static_cast<std::size_t>(m.rhythmItem())]);
    line(labels[1], m.factorTableText());
    const Factors f = m.factors();
    line(caption(l, "LaModeFactor"), twoDecimals(f.ModeFactor));
    line(caption(l, "LaDutyCycle"), twoDecimals(f.DutyCycle));
    line(caption(l, "LaFactor"), twoDecimals(f.Factor));
    const CableValues cable = m.cablePage();
    line(labels[0], CableName(m.cableIdx()));
    line(caption(l, "LaCableFreq"), twoDecimals(cable.AttFreq));
    line(caption(l, "LaSpecAtt"),
         cable.CableAtt100 == kUndefined ? std::string("---") : twoDecimals(cable.CableAtt100));
    line(caption(l, "LaCableLength"), typedNumber(m.cableLengthText()));
    line(caption(l, "LaCableAtt"), twoDecimals(cable.CableAtt));
    line(caption(l, "LaPlugAtt"), typedNumber(m.plugAttText()));
    line(caption(l, "LaTotalAtt"), twoDecimals(cable.TotalAtt));
    if (m.anglePageShown()) {
        line(labels[4], m.taken()->angles->Title);
        line(caption(l, "RGPol"), polarisationText(m, l));
        line(caption(l, "LaHoehe"), typedNumber(m.heightText()));
    }
    return s;
}

ReportSection resultsSection(const StationModel& m, Language l) {
    ReportSection s;
    s.heading = Words(l, MessageId::ReportHeadings)[1];
    const CalcResult& result = m.last().result;
    if (!result.ok()) {
        s.paragraphs.push_back(
            FillArguments(MessageText(l, MessageId::ReportRefused),
                          {LimitRefusalMessage(result.refusal, m.limitChoice(), l)}));
        return s;
    }
    const CalcTexts out = m.outputTexts();
    s.lines = {
        {caption(l, "LaLimit"), out.EditEps},
        {caption(l, "LaAntIn"), out.EditAntIn},
        {caption(l, "LaEIRP"), out.EditEIRP},
        {Words(l, MessageId::ReportLabels)[3], FormatPositiveReal(kTwoDecimals, result.MeanEIRP)},
        {caption(l, "GBDist") + " [m]", out.EditrPS},
        {caption(l, "LarNahfeld"), out.EditrNahfeld},
    };
    return s;
}

ReportSection checksSection(const StationModel& m, Language l) {
    ReportSection s;
    s.heading = caption(l, "LaChecks");
    const LimitChecksTable checks = LimitChecksTexts(m.last().limits, l);
    for (const std::string& head : checks.header)
        s.table.header.push_back(oneLine(head));
    s.table.rows = checks.rows;
    s.table.marked = checks.binding;
    return s;
}

// The FCC exemption, when a distance to people is given.
std::optional<ReportSection> exemptionSection(const StationModel& m, Language l) {
    const auto exemption = m.exemption();
    if (!exemption)
        return std::nullopt;
    ReportSection s;
    s.heading = Words(l, MessageId::ReportHeadings)[5];
    s.lines.push_back({caption(l, "LaExemptDist"), typedNumber(m.exemptionDistanceText())});
    s.paragraphs.push_back(ExemptionText(*exemption, l));
    return s;
}

ReportSection bandsSection(const StationModel& m, Language l) {
    ReportSection s;
    s.heading = Words(l, MessageId::ReportHeadings)[2];
    s.paragraphs.push_back(MessageText(l, m.taken() ? MessageId::ReportBandsAntenna
                                                    : MessageId::ReportBandsTypedGain));
    s.table.header = Words(l, MessageId::ReportBandsHeader).all();
    for (const StationModel& band : BandStations(m)) {
        const CalcTexts out = band.outputTexts();
        const CalcResult& r = band.last().result;
        const CableValues cable = band.cablePage();
        if (!m.frequency().FixedFrequencyMode && band.frequency().BandIDX == m.frequency().BandIDX)
            s.table.marked = static_cast<int>(s.table.rows.size());
        s.table.rows.push_back({
            HamBands(band.frequency().BandIDX),
            simplified(band.frequencyText()),
            out.EditGain,
            out.EditEps,
            cable.ok() ? twoDecimals(cable.TotalAtt) : std::string("---"),
            out.EditAntIn,
            out.EditEIRP,
            FormatPositiveReal(kTwoDecimals, r.ok() ? r.MeanEIRP : 0),
            out.EditrPS,
            out.EditrNahfeld,
        });
    }
    return s;
}

ReportSection angleSection(const StationModel& m, Language l) {
    ReportSection s;
    s.heading = Words(l, MessageId::ReportHeadings)[3];
    s.lines = {{Words(l, MessageId::ReportLabels)[4], m.taken()->angles->Title},
               {caption(l, "RGPol"), polarisationText(m, l)}};
    // The window's column heads, with their units.
    const StringArray heads = AngleTableHeader(MessageText(l, MessageId::AngleTableHeader));
    const char* const units[] = {" [\xB0]", " [dB]", " [W]", " [m]"};
    for (std::size_t c = 0; c < heads.size(); ++c)
        s.table.header.push_back(simplified(heads[c]) + (c < std::size(units) ? units[c] : ""));
    for (StringArray row : AngleTableRows(m.last().pattern)) {
        for (std::string& cell : row)
            cell = simplified(cell);
        s.table.rows.push_back(std::move(row));
    }
    return s;
}

// A picture window's caption without the window's name in front ("Side View", "Diagram"):
// the section's heading names the picture in the report's language.
std::string captionAfterName(std::string_view caption) {
    const std::size_t gap = caption.find("  ");
    return simplified(gap == std::string_view::npos ? caption : caption.substr(gap));
}

// The pictures' sections: the side view on a new page, the diagram below it. A picture
// that cannot be drawn is named with the reason.
void addPictures(const StationModel& m, Language l, StationReport& report) {
    ReportSection side;
    side.heading = caption(l, "ButSeitenansicht");
    side.newPage = true;
    std::optional<SideViewData> sideView = StationSideView(m);
    const std::optional<std::string> sideRefusal =
        sideView ? SideViewRefusal(*sideView)
                 : std::optional<std::string>("Antenna height must be a real number!");
    if (sideRefusal) {
        side.paragraphs.push_back(
            FillArguments(MessageText(l, MessageId::ReportNoPicture), {*sideRefusal}));
    } else {
        side.paragraphs.push_back(captionAfterName(SideViewCaption(sideView->caption)));
        const SideViewTexts readouts =
            SideViewReadouts(ComputeSideView(*sideView, 1.0, false), 1.0);
        const Words labels(l, MessageId::ReportLabels);
        side.lines = {{labels[5], readouts.reach}, {labels[6], readouts.clearance}};
        side.picture = ReportPicture::SideView;
        report.sideView = std::move(sideView);
    }
    report.sections.push_back(std::move(side));

    ReportSection diagram;
    diagram.heading = caption(l, "ButDiagramm");
    DiagramData data = StationDiagram(m);
    if (const auto refusal = DiagramRefusal(data)) {
        diagram.paragraphs.push_back(
            FillArguments(MessageText(l, MessageId::ReportNoPicture), {*refusal}));
    } else {
        diagram.paragraphs.push_back(captionAfterName(DiagramCaption(data.caption)));
        diagram.picture = ReportPicture::Diagram;
        report.diagram = std::move(data);
    }
    report.sections.push_back(std::move(diagram));
}

ReportSection methodSection(const StationModel& m, Language l) {
    ReportSection s;
    s.heading = Words(l, MessageId::ReportHeadings)[4];
    s.paragraphs.push_back(MessageText(l, MessageId::ReportMethodFarField));
    s.paragraphs.push_back(MessageText(l, MessageId::ReportMethodAveraging));
    if (m.anglePageShown())
        s.paragraphs.push_back(MessageText(l, MessageId::ReportMethodAngles));
    s.paragraphs.push_back(MessageText(l, MessageId::ReportMethodNearField));
    return s;
}

} // namespace

StationReport BuildStationReport(const StationModel& m, const ReportRequest& request) {
    const ScopedNumberSettings program(ProgramNumberSettings(CurrentNumberSettings()));
    const Language l = request.language;
    StationReport report;
    report.language = l;
    report.title = MessageText(l, MessageId::ReportTitle);
    report.header = headerLines(m, request);
    report.refused = !m.last().result.ok();
    report.sections.push_back(stationSection(m, l));
    report.sections.push_back(resultsSection(m, l));
    if (!report.refused)
        report.sections.push_back(checksSection(m, l));
    if (auto exemption = exemptionSection(m, l))
        report.sections.push_back(std::move(*exemption));
    report.sections.push_back(bandsSection(m, l));
    const bool angles = m.anglePageShown() && !m.last().pattern.PatternAngles.empty();
    if (angles)
        report.sections.push_back(angleSection(m, l));
    report.sections.push_back(methodSection(m, l));
    if (angles)
        addPictures(m, l, report);
    report.signature = Words(l, MessageId::ReportSignature).all();
    report.pageText = MessageText(l, MessageId::ReportPage);
    report.footer = std::string("Radexa ") + RADEXA_VERSION;
    for (const std::string& part : {oneLine(request.call), ReportDateTimeText(request.time)})
        if (!part.empty())
            report.footer += " \x96 " + part; // an en dash
    return report;
}

std::vector<StationModel> BandStations(const StationModel& station) {
    std::vector<StationModel> bands;
    const std::optional<TakenAntenna>& taken = station.taken();
    for (int band = 1; band <= kBandCount; ++band) {
        StationModel row = station;
        // Nothing highlighted: the band change re-evaluates the taken antenna.
        row.highlightManufacturer({});
        row.chooseBand(band);
        if (taken && (!row.taken() || row.taken()->entry != taken->entry))
            continue; // no point of the antenna fits the band
        bands.push_back(std::move(row));
    }
    return bands;
}

std::optional<TakenPoint> TakenAntennaPoint(const StationModel& m) {
    if (!m.taken() || !m.catalogue())
        return std::nullopt;
    const TakenAntenna& t = *m.taken();
    const auto k = static_cast<std::size_t>(t.entry);
    const auto p = static_cast<std::size_t>(t.point);
    const RData& data = m.catalogue()->Data()[k];
    TakenPoint e;
    e.manufacturer = m.catalogue()->Manufacturers()[k];
    e.name = m.catalogue()->Names()[k];
    e.frequency = data.Frequencies[p];
    e.gain = data.Gains[p];
    e.elements = p < data.Elements.size() ? data.Elements[p] : std::string();
    return e;
}

std::string ReportLanguageCode(Language language) {
    switch (language) {
    case Language::German:
        return "de";
    case Language::English:
        break;
    case Language::French:
        return "fr";
    case Language::Swedish:
        return "sv";
    }
    return "en";
}

std::optional<Language> ReportLanguageFromCode(std::string_view code) {
    for (Language l : kLanguages)
        if (SameTextNoCase(code, ReportLanguageCode(l)))
            return l;
    return std::nullopt;
}

std::string ReportDateText(const ReportTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
    return text;
}

std::string ReportTimeText(const ReportTime& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    return text;
}

std::string ReportDateTimeText(const ReportTime& t) {
    return ReportDateText(t) + " " + ReportTimeText(t);
}

std::string ReportFileName(std::string_view call, const FrequencyChoice& frequency,
                           const ReportTime& time) {
    const ScopedNumberSettings program(ProgramNumberSettings(CurrentNumberSettings()));
    std::string name = simplified(call);
    for (char& c : name)
        if (isControl(c) || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            c = '-';
    const std::string band = frequency.FixedFrequencyMode
                                 ? simplified(FormatBandEdge(frequency.FixedFrequency)) + " MHz"
                                 : HamBands(frequency.BandIDX);
    for (const std::string& part : {band, ReportDateText(time)})
        name += (name.empty() ? "" : " ") + part;
    return name + ".pdf";
}

std::string ReportJsonFileName(std::string_view pdfFileName) {
    const std::size_t n = pdfFileName.size();
    if (n >= 4 && SameTextNoCase(pdfFileName.substr(n - 4), ".pdf"))
        return std::string(pdfFileName.substr(0, n - 4)) + ".json";
    return std::string(pdfFileName) + ".json";
}

} // namespace radexa
