#pragma once
// File -> "Save report ...": the small dialog for the operator's call sign and the
// station's place (remembered in the settings file, section "Bericht"), then the save
// dialog, then the PDF of the station and, on request, its JSON twin beside it.

#include "core/app/languages.h"
#include "core/app/stationmodel.h"

#include <QDialog>
#include <QString>

#include <optional>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace radexa {

// What the operator adds to a report.
struct ReportDetails {
    QString call;
    QString place;
    bool json = false; // the JSON twin beside the PDF
    bool operator==(const ReportDetails& o) const {
        return call == o.call && place == o.place && json == o.json;
    }
};

class ReportDialog : public QDialog {
    Q_OBJECT
public:
    // The texts in the language; the fields filled with the details.
    ReportDialog(Language language, const ReportDetails& details, QWidget* parent = nullptr);
    // The fields as the operator left them: one line each, blanks at the ends removed.
    ReportDetails details() const;

    QLabel *LaCall = nullptr, *LaPlace = nullptr;
    QLineEdit *EditCall = nullptr, *EditPlace = nullptr;
    QCheckBox* CBJson = nullptr;
    QDialogButtonBox* Buttons = nullptr;
};

// How the window asks for the details: the dialog, shown modally (nothing when cancelled);
// tests put a scripted one in place, so that no test blocks on it.
class ReportAsker {
public:
    virtual ~ReportAsker() = default;
    virtual std::optional<ReportDetails> ask(QWidget* parent, Language language,
                                             const ReportDetails& details) = 0;
};
ReportAsker& reportAsker();
// Replaces the asker (nullptr puts the dialog back). Not owned.
void setReportAsker(ReportAsker* asker);

// The details kept in the settings file; none when it has none.
ReportDetails ReadReportDetails(const QString& settingsFile);
// False when the settings file could not be written (it is then left as it was).
bool WriteReportDetails(const QString& settingsFile, const ReportDetails& details);

// The whole of "Save report ...": asks for the details (and remembers them), proposes
// "<call> <band> <date>.pdf" in the folder, writes the PDF and, when asked, the JSON
// beside it, each through the program's safe writer; a file that cannot be written is
// named in a warning. True when the report was written.
bool SaveStationReport(QWidget* parent, const StationModel& station, Language language,
                       const QString& settingsFile, const QString& folder);

} // namespace radexa
