// Station files, the angle-table export and the own-antenna dialog of the main window.
// The lines of a station file are built and read in the core (stationfile.h); here the
// window gathers its values, restores its controls and reports.

#include "gui/app/mainwindow.h"

#include "core/antennas/catalogue.h"
#include "core/app/stationfile.h"
#include "core/calc/calc.h"
#include "core/support/atomicfile.h"
#include "core/support/textnumbers.h"
#include "gui/antennas/ownantennadialog.h"
#include "gui/app/reportdialog.h"
#include "gui/support/controls.h"
#include "gui/support/editalign.h"
#include "gui/support/grid.h"
#include "gui/support/platform.h"
#include "gui/support/text.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>

namespace radexa {

namespace {

const QString kStationFilter = QStringLiteral("Textdateien (*.txt);;Alle Dateien (*.*)");
const QString kStationTextFiles = QStringLiteral("Textdateien (*.txt)");

std::string encoded(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

QString decoded(const std::string& text) {
    return QFile::decodeName(text.c_str());
}

// A file name, or a message of the file layer naming one (its bytes as the file system
// holds them), as a message shows it: with every character of the name, on one line,
// bounded in length.
QString shownName(const QString& text) {
    QString out = text.left(static_cast<int>(kEchoLength));
    for (QChar& c : out)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    if (text.size() > out.size())
        out += QChar(0x2026);
    return out;
}

// Station files are proposed in the program folder; an installed program's folder is not
// the operator's to write, so there the working folder (his own) takes its place.
QString stationFolder(const QString& programFolder) {
    return QFileInfo(programFolder).isWritable() && QFileInfo(programFolder).isDir()
               ? programFolder
               : QDir::currentPath() + QLatin1Char('/');
}

} // namespace

QString TRadexaForm::currentStationFile() const {
    return decoded(m_model.currentStationFile());
}

void TRadexaForm::MISaveClick() {
    if (!calculateWhatIsShown())
        return;
    if (!m_model.currentStationFile().empty())
        Speichern(currentStationFile());
    else
        MISaveAsClick();
}

void TRadexaForm::MISaveAsClick() {
    if (!calculateWhatIsShown())
        return;
    const FrequencyChoice& f = m_model.frequency();
    const QString proposed = stationFolder(m_paths.ProgramFolder) +
                             toQ(ProposedStationFileName(f.FixedFrequencyMode, f.FixedFrequency));
    const auto chosen = dialogs().saveFileName(this, QString(), proposed, kStationFilter,
                                               kStationTextFiles, QStringLiteral("txt"));
    if (!chosen) {
        ShowWarningText(message(MessageId::MsgFileNotSaved));
        return;
    }
    Speichern(*chosen);
}

bool TRadexaForm::Speichern(const QString& fileName) {
    // Only a taken antenna that fits the frequency can be written: the file must name the
    // antenna whose gain the results use, and open again as the station it names.
    Notices why;
    const std::optional<StationRecord> record = m_model.stationRecord(&why);
    if (!record) {
        const Notice& n = why.front();
        if (n.message == MessageId::MsgAntennaDoesNotFit)
            ShowWarningText(noticeText(n));
        else
            ShowWarningText(message(MessageId::MsgFileNotSaved) + QLatin1Char('\n') +
                            noticeText(n));
        return false;
    }
    const FileWriteResult written = WriteFileAtomic(encoded(fileName), BuildStationFile(*record));
    if (!written.ok()) {
        ShowWarningText(message(MessageId::MsgFileNotSaved) + QLatin1Char('\n') +
                        shownName(decoded(written.error)));
        return false;
    }
    return true;
}

void TRadexaForm::MIopenClick() {
    const auto chosen = dialogs().openFileName(
        this, QString(), stationFolder(m_paths.ProgramFolder), kStationFilter, kStationTextFiles);
    if (!chosen) {
        ShowWarningText(message(MessageId::MsgFileNotOpened));
        return;
    }
    Oeffnen(*chosen);
}

namespace {

// The warning the list lookups of the window have always given for a value that names
// none of their entries.
QString lookupWarning(StationLine line) {
    const char* function = nullptr;
    const char* control = nullptr;
    switch (line) {
    case StationLine::BandOrFrequency:
        function = "CBEntryToIndex", control = "CBBand";
        break;
    case StationLine::DutyCycle:
        function = "RGEntryToIndex", control = "RGDutyCycle";
        break;
    case StationLine::FactorTable:
        function = "RGEntryToIndex", control = "RGFCCBNetzA";
        break;
    case StationLine::Cable:
        function = "CLBEntryToIndex", control = "CLBCable";
        break;
    default:
        return {};
    }
    return QStringLiteral("Fehler (%1, %2): Index zum Eintrag nicht gefunden!")
        .arg(QLatin1String(function), QLatin1String(control));
}

} // namespace

void TRadexaForm::Oeffnen(const QString& fileName) {
    const FileReadResult read = ReadStationFile(encoded(fileName));
    if (!read.ok()) {
        ShowWarningText(message(MessageId::MsgFileNotOpened) + QLatin1Char('\n') +
                        shownName(decoded(read.error)));
        return;
    }
    const StationOpening opened = m_model.openStation(read.bytes, encoded(fileName));
    render();
    for (const StationFileProblem& p : opened.reading.problems) {
        const bool bandName =
            p.line != StationLine::BandOrFrequency || !opened.reading.record.fixedFrequencyMode;
        if (p.kind == StationProblemKind::UnknownAntenna && bandName &&
            !lookupWarning(p.line).isEmpty())
            ShowWarning(lookupWarning(p.line), QString());
    }
    report(opened.notices);
    if (!opened.reading.problems.empty()) {
        QString lines = toQ(StationProblemLines(opened.reading));
        ShowWarningText(message(MessageId::MsgStationLinesNotRestored) + QLatin1Char('\n') +
                        shownName(fileName) +
                        lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
}

// ---- compliance report ---------------------------------------------------------------

void TRadexaForm::MIReportClick() {
    if (!calculateWhatIsShown())
        return;
    SaveStationReport(this, m_model, m_language, m_paths.SettingsFile,
                      stationFolder(m_paths.ProgramFolder));
}

// ---- angle-table export --------------------------------------------------------------

void TRadexaForm::PISaveClick() {
    const QByteArray profile = qgetenv("USERPROFILE");
    QString fallback = QDir::homePath();
    if (QDir(QDir::home().filePath(QStringLiteral("Desktop"))).exists())
        fallback = QDir::home().filePath(QStringLiteral("Desktop"));
    QString fileName = decoded(ProposedExportFileName(profile.toStdString(), encoded(fallback)));
    if (!AskSaveFileName(this, fileName))
        return;
    const QString error = SaveGridToFile(angleTable(), fileName);
    if (!error.isEmpty())
        ShowWarningText(message(MessageId::MsgFileNotSaved) + QLatin1Char('\n') + error);
}

void TRadexaForm::PICopyClick() {
    CopyGridToClipboard(angleTable());
}

// ---- own antenna ---------------------------------------------------------------------

void TRadexaForm::MIEigeneAntenneClick() {
    {
        TFormEigeneAntenne dialog(toQ(LanguageName(m_language)), this);
        dialog.UserFileName = m_paths.UserAntennaFileName;
        dialog.exec();
    }
    MIAntennenNeuLadenClick();
}

} // namespace radexa
