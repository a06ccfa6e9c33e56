// Station files, the angle-table export and the own-antenna dialog of the main window.
// The lines of a station file are built and read in the core (stationfile.h); here the
// window gathers its values, restores its controls and reports.

#include "gui/app/radexaform.h"

#include "core/antennas/antennen.h"
#include "core/app/stationfile.h"
#include "core/calc/calc.h"
#include "core/support/atomicfile.h"
#include "core/support/rdfunc.h"
#include "gui/antennas/eigeneantenne.h"
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

std::string textOf(const QLineEdit* field) {
    return fromQ(field->text());
}

std::string encoded(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

QString decoded(const std::string& text) {
    return QFile::decodeName(text.c_str());
}

// The kind is not shown; the warning names the line by its number and its text.
constexpr StationProblemKind kNamesNothingKnown = StationProblemKind::UnknownAntenna;

// Station files are proposed in the program folder; an installed program's folder is not
// the operator's to write, so there the working folder (his own) takes its place.
QString stationFolder(const QString& programFolder) {
    return QFileInfo(programFolder).isWritable() && QFileInfo(programFolder).isDir()
               ? programFolder
               : QDir::currentPath() + QLatin1Char('/');
}

} // namespace

void TRadexaForm::MISaveClick() {
    if (!m_currentStationFile.isEmpty())
        Speichern(m_currentStationFile);
    else
        MISaveAsClick();
}

void TRadexaForm::MISaveAsClick() {
    const QString proposed =
        stationFolder(m_paths.ProgramFolder) +
        toQ(ProposedStationFileName(m_state.FixedFrequencyMode, m_state.FixedFrequency));
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
    // antenna whose gain the results use.
    const int taken = m_state.TakenAntennaIndex;
    if (m_state.BandLineIndex < 0 || !m_catalogue || taken < 0 || taken >= m_catalogue->Count() ||
        EditAntenne->text().isEmpty()) {
        ShowWarningText(message(MessageId::MsgAntennaDoesNotFit));
        return false;
    }
    const auto k = static_cast<std::size_t>(taken);
    StationRecord r;
    r.fixedFrequencyMode = m_state.FixedFrequencyMode;
    r.band = fromQ(CBBand->currentText());
    r.frequencyText = textOf(EditFreq);
    r.antennaName = m_catalogue->Names()[k];
    // The manufacturer last clicked, unless it is not the taken antenna's any more.
    r.manufacturer = SameTextNoCase(m_state.SelectedManufacturer, m_catalogue->Manufacturers()[k])
                         ? m_state.SelectedManufacturer
                         : m_catalogue->Manufacturers()[k];
    r.height = textOf(EditHoehe);
    r.power = textOf(EditPower);
    r.mode = ModeText(RGMode->itemIndex() + 1);
    r.dutyCycle = fromQ(RGDutyCycle->itemText(RGDutyCycle->itemIndex()));
    r.factorTable = fromQ(RGFCCBNetzA->itemText(RGFCCBNetzA->itemIndex()));
    const int cable = CLBCable->itemIndex();
    r.cable = cable >= 0 && cable < CLBCable->count() ? fromQ(CLBCable->item(cable)->text()) : "";
    r.cableLength = textOf(EditCableLength);
    r.otherAttenuations = textOf(EditPlugAtt);

    const FileWriteResult written = WriteFileAtomic(encoded(fileName), BuildStationFile(r));
    if (!written.ok()) {
        ShowWarningText(message(MessageId::MsgFileNotSaved) + QLatin1Char('\n') +
                        decoded(written.error));
        return false;
    }
    return true;
}

void TRadexaForm::MIopenClick() {
    const auto chosen = dialogs().openFileName(this, QString(), stationFolder(m_paths.ProgramFolder),
                                               kStationFilter, kStationTextFiles);
    if (!chosen) {
        ShowWarningText(message(MessageId::MsgFileNotOpened));
        return;
    }
    Oeffnen(*chosen);
}

void TRadexaForm::Oeffnen(const QString& fileName) {
    const FileReadResult read = ReadWholeFile(encoded(fileName));
    if (!read.ok()) {
        ShowWarningText(message(MessageId::MsgFileNotOpened) + QLatin1Char('\n') +
                        decoded(read.error));
        return;
    }
    StationFileReading reading = ParseStationFile(read.bytes);
    const StationRecord& r = reading.record;

    // Line 1: a fixed frequency, or a band. A frequency the window would refuse to enter is
    // not restored either.
    if (reading.restored(StationLine::BandOrFrequency)) {
        if (r.fixedFrequencyMode) {
            const double f = reading.fixedFrequency;
            if (EFieldLimit(f) > 0 &&
                InClosedRange(f, kCableLowestFrequency, kCableHighestFrequency)) {
                CBBand->setCurrentIndex(-1);
                m_state.FixedFrequencyMode = true;
                m_state.FixedFrequency = f;
                EditFreq->setText(toQ(FormatBandEdge(f)));
            } else {
                reading.addProblem(StationLine::BandOrFrequency, StationProblemKind::NotANumber);
            }
        } else if (const int band = CBEntryToIndex(CBBand, toQ(r.band)); band >= 0) {
            CBBand->setCurrentIndex(band);
            m_state.FixedFrequencyMode = false;
            UpdateFreq();
        } else {
            reading.addProblem(StationLine::BandOrFrequency, kNamesNothingKnown);
        }
    }

    if (reading.restored(StationLine::Height))
        EditHoehe->setText(toQ(r.height));
    if (reading.restored(StationLine::Power))
        EditPower->setText(toQ(r.power));

    if (reading.restored(StationLine::Mode)) {
        const int position = ModeFromText(r.mode) - 1;
        if (position >= 0 && position < RGMode->count())
            RGMode->setItemIndex(position);
        else
            reading.addProblem(StationLine::Mode, kNamesNothingKnown);
    }
    // Each radio group and the cable list keep their selection when the file names
    // nothing they hold (after the lookup's own warning).
    const std::pair<StationLine, TRadioGroup*> groups[] = {{StationLine::DutyCycle, RGDutyCycle},
                                                           {StationLine::FactorTable, RGFCCBNetzA}};
    for (const auto& [line, group] : groups) {
        if (!reading.restored(line))
            continue;
        const std::string& value = line == StationLine::DutyCycle ? r.dutyCycle : r.factorTable;
        if (const int i = RGEntryToIndex(group, toQ(value)); i >= 0)
            group->setItemIndex(i);
        else
            reading.addProblem(line, kNamesNothingKnown);
    }
    if (reading.restored(StationLine::Cable)) {
        if (const int i = CLBEntryToIndex(CLBCable, toQ(r.cable)); i >= 0)
            CLBCheckOnly(CLBCable, i);
        else
            reading.addProblem(StationLine::Cable, kNamesNothingKnown);
    }
    if (reading.restored(StationLine::CableLength))
        EditCableLength->setText(toQ(r.cableLength));
    if (reading.restored(StationLine::OtherAttenuations))
        EditPlugAtt->setText(toQ(r.otherAttenuations));

    // Factors and cable for the restored inputs; both end in a recalculation.
    UpdateCable();
    UpdateBetriebsart();

    // The antenna: found again by its name and manufacturer and taken for the restored
    // frequency. When the file names none, the current antenna is evaluated for the
    // restored frequency, as a band change does.
    int entry = kUndefinedIndex;
    if (reading.restored(StationLine::Antenna) && m_catalogue) {
        entry = m_catalogue->FindAntenna(r.antennaName, r.manufacturer);
        if (entry < 0)
            reading.addProblem(StationLine::Antenna, StationProblemKind::UnknownAntenna);
    }
    if (entry >= 0) {
        const auto k = static_cast<std::size_t>(entry);
        LBHersteller->setCurrentRow(
            LBEntryToIndex(LBHersteller, toQ(m_catalogue->Manufacturers()[k])));
        LBHerstellerClick();
        LBTypen->setCurrentRow(LBEntryToIndex(LBTypen, toQ(m_catalogue->Names()[k])));
    }
    LBTypenClick();
    if (m_state.BandLineIndex >= 0 && (entry >= 0 || !EditAntenne->text().isEmpty())) {
        ButTakeAntClick();
    } else {
        if (entry >= 0) // the antenna has no point for the restored frequency
            reading.addProblem(StationLine::Antenna, StationProblemKind::UnknownAntenna);
        m_state.AntennaGain = 0;
        EditAntenne->clear();
        calc();
    }

    // A file that could not be restored whole is not remembered, so that "Save" never
    // overwrites it without asking.
    if (reading.problems.empty()) {
        m_currentStationFile = fileName;
    } else {
        m_currentStationFile.clear();
        QString warning = toQ(StationProblemsWarning(
            fromQ(message(MessageId::MsgStationLinesNotRestored)), fromQ(fileName), reading));
        ShowWarningText(warning.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
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
