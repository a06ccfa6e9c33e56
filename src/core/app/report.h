#pragma once
// The compliance report of a station: the record an operator keeps of an evaluation (the
// station, its results under the chosen limit set, the same station on every band, the
// per-angle table and pictures, the method and a signature line), every text formatted as
// the main window shows it (decimal comma) in one of its four languages. Windows-1252
// bytes. radexa_report lays it out as a PDF and writes its data as JSON.

#include "core/app/languages.h"
#include "core/app/stationmodel.h"
#include "core/graphics/diagram.h"
#include "core/graphics/sideview.h"
#include "core/support/types.h"

#include <optional>
#include <string>
#include <vector>

namespace radexa {

// The local date and time a report is made at.
struct ReportTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0;
};

// What the operator adds to the station.
struct ReportRequest {
    Language language = Language::English;
    std::string call;  // Windows-1252, as typed
    std::string place; // likewise
    ReportTime time;
};

// One line of a report: a label and its value.
struct ReportLine {
    std::string label;
    std::string value;
};

// A table: column heads and rows of cells; the marked row stands out (the binding check,
// the station's own band).
struct ReportTable {
    StringArray header;
    std::vector<StringArray> rows;
    int marked = -1;
};

enum class ReportPicture { SideView, Diagram };

// A part of a report under its heading, in this order: lines, paragraphs, table, picture.
struct ReportSection {
    std::string heading;
    std::vector<ReportLine> lines;
    StringArray paragraphs;
    ReportTable table;
    std::optional<ReportPicture> picture;
    bool newPage = false; // begins a page of its own
};

struct StationReport {
    Language language = Language::English;
    std::string title;
    std::vector<ReportLine> header; // call, place, date, program, limit set, tier, ground
    std::vector<ReportSection> sections;
    StringArray signature;                // the labels under which the operator signs
    std::string footer;                   // on every page: program, call, date and time
    std::string pageText;                 // "Page %1 of %2"
    bool refused = false;                 // the station cannot be computed: the results say why
    std::optional<SideViewData> sideView; // what the pictures are drawn from, when drawn
    std::optional<DiagramData> diagram;
};

// The report of the station as the window shows it. The numbers are written with the
// program's number settings (decimal comma), whatever settings are in force.
StationReport BuildStationReport(const StationModel& station, const ReportRequest& request);

// The same station on every band: with a taken antenna on the bands it has a fitting point
// for (with that point's gain), else with the typed gain on every band, in band order.
std::vector<StationModel> BandStations(const StationModel& station);

// The taken antenna's catalogue entry and the point in use; nothing without one.
struct TakenPoint {
    std::string manufacturer, name, elements;
    double frequency = 0, gain = 0;
};
std::optional<TakenPoint> TakenAntennaPoint(const StationModel& station);

// The language's code for the command line and the report's data: "de", "en", "fr", "sv";
// and back (letter case ignored), nothing for any other word.
std::string ReportLanguageCode(Language language);
std::optional<Language> ReportLanguageFromCode(std::string_view code);

// "2025-05-24", "14:30", "2025-05-24 14:30".
std::string ReportDateText(const ReportTime& time);
std::string ReportTimeText(const ReportTime& time);
std::string ReportDateTimeText(const ReportTime& time);

// The file name proposed for the report: "<call> <band> <date>.pdf", the band as the band
// list names it or a fixed frequency as "145,00 MHz"; a character a file name cannot hold
// (such as "/" in "DL/G4ABC/P") becomes "-", and without a call the name begins with the band.
std::string ReportFileName(std::string_view call, const FrequencyChoice& frequency,
                           const ReportTime& time);
// The JSON twin beside a report: its ".pdf" (any letter case) replaced by ".json", or
// ".json" added.
std::string ReportJsonFileName(std::string_view pdfFileName);

} // namespace radexa
