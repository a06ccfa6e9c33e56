#include "gui/app/reportdialog.h"

#include "core/app/report.h"
#include "core/support/atomicfile.h"
#include "core/support/textnumbers.h"
#include "gui/app/settingslocation.h"
#include "gui/support/controls.h"
#include "gui/support/platform.h"
#include "gui/support/text.h"
#include "report/app/reportpdf.h"
#include "json/reportjson.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace radexa {

namespace {

const char* const kSection = "Bericht";
// Long enough for "DL/G4ABC/P" and a place with its locator; short enough for one line of
// the report and a file name.
constexpr int kCallLength = 24;
constexpr int kPlaceLength = 80;

// A field's text on one line: control characters (a pasted line break) become blanks,
// blanks at the ends are removed, and it is cut to its length.
QString oneLine(QString text, int length) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text.trimmed().left(length);
}

QString word(Language language, std::size_t i) {
    const StringArray words = SplitText(MessageText(language, MessageId::ReportDialog), ';');
    return i < words.size() ? toQ(words[i]) : QString();
}

class DialogAsker : public ReportAsker {
public:
    std::optional<ReportDetails> ask(QWidget* parent, Language language,
                                     const ReportDetails& details) override {
        ReportDialog dialog(language, details, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.details();
    }
};

ReportAsker* g_asker = nullptr;

ReportTime now() {
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute()};
}

bool writeFile(const QString& fileName, std::string_view bytes, Language language) {
    const FileWriteResult written =
        WriteFileAtomic(QFile::encodeName(fileName).toStdString(), bytes);
    if (written.ok())
        return true;
    ShowWarningText(toQ(MessageText(language, MessageId::MsgFileNotSaved)) + QLatin1Char('\n') +
                    QFile::decodeName(written.error.c_str()));
    return false;
}

} // namespace

ReportDialog::ReportDialog(Language language, const ReportDetails& details, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ReportDialog"));
    setWindowTitle(word(language, 0));
    auto* form = new QFormLayout;
    LaCall = new QLabel(word(language, 1), this);
    LaCall->setObjectName(QStringLiteral("LaCall"));
    EditCall = new QLineEdit(details.call, this);
    EditCall->setObjectName(QStringLiteral("EditCall"));
    EditCall->setMaxLength(kCallLength);
    LaPlace = new QLabel(word(language, 2), this);
    LaPlace->setObjectName(QStringLiteral("LaPlace"));
    EditPlace = new QLineEdit(details.place, this);
    EditPlace->setObjectName(QStringLiteral("EditPlace"));
    EditPlace->setMaxLength(kPlaceLength);
    EditPlace->setMinimumWidth(260);
    AcceptOnlyStoredText({EditCall, EditPlace});
    LaCall->setBuddy(EditCall);
    LaPlace->setBuddy(EditPlace);
    form->addRow(LaCall, EditCall);
    form->addRow(LaPlace, EditPlace);
    CBJson = new QCheckBox(word(language, 3), this);
    CBJson->setObjectName(QStringLiteral("CBJson"));
    CBJson->setChecked(details.json);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName(QStringLiteral("Buttons"));
    Buttons->button(QDialogButtonBox::Ok)->setText(word(language, 4));
    Buttons->button(QDialogButtonBox::Cancel)->setText(word(language, 5));
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(CBJson);
    layout->addWidget(Buttons);
    setFixedSize(sizeHint());
}

ReportDetails ReportDialog::details() const {
    return {oneLine(EditCall->text(), kCallLength), oneLine(EditPlace->text(), kPlaceLength),
            CBJson->isChecked()};
}

ReportAsker& reportAsker() {
    static DialogAsker dialog;
    return g_asker ? *g_asker : dialog;
}

void setReportAsker(ReportAsker* asker) {
    g_asker = asker;
}

ReportDetails ReadReportDetails(const QString& settingsFile) {
    const IniFile ini = ReadSettings(settingsFile);
    ReportDetails d;
    d.call = oneLine(toQ(ini.readString(kSection, "Call").value_or(std::string())), kCallLength);
    d.place = oneLine(toQ(ini.readString(kSection, "Place").value_or(std::string())), kPlaceLength);
    d.json = ini.readInteger(kSection, "Json", 0) != 0;
    return d;
}

bool WriteReportDetails(const QString& settingsFile, const ReportDetails& details) {
    // One line each: a line break in a value would end it and begin a line of its own.
    return ChangeSettings(settingsFile, [&](IniFile& ini) {
        ini.writeString(kSection, "Call", fromQ(oneLine(details.call, kCallLength)));
        ini.writeString(kSection, "Place", fromQ(oneLine(details.place, kPlaceLength)));
        ini.writeInteger(kSection, "Json", details.json ? 1 : 0);
    });
}

bool SaveStationReport(QWidget* parent, const StationModel& station, Language language,
                       const QString& settingsFile, const QString& folder) {
    const std::optional<ReportDetails> details =
        reportAsker().ask(parent, language, ReadReportDetails(settingsFile));
    if (!details)
        return false;
    // Remembered for the next report; a settings file that cannot be written costs nothing
    // but that.
    WriteReportDetails(settingsFile, *details);

    ReportRequest request;
    request.language = language;
    request.call = fromQ(details->call);
    request.place = fromQ(details->place);
    request.time = now();
    const QString proposed =
        QDir(folder).filePath(toQ(ReportFileName(request.call, station.frequency(), request.time)));
    const QString filter = QStringLiteral("PDF (*.pdf)");
    const auto chosen = dialogs().saveFileName(parent, word(language, 0), proposed, filter, filter,
                                               QStringLiteral("pdf"));
    if (!chosen)
        return false;
    const ReportPdf pdf = [&] {
        // A long angle table takes a few seconds to lay out: the cursor says so.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        return ReportPdfBytes(BuildStationReport(station, request), SystemPaperSize());
    }();
    if (!writeFile(
            *chosen,
            std::string_view(pdf.bytes.constData(), static_cast<std::size_t>(pdf.bytes.size())),
            language))
        return false;
    if (details->json) {
        const QString json =
            QFile::decodeName(ReportJsonFileName(QFile::encodeName(*chosen).toStdString()).c_str());
        return writeFile(json, ReportJson(station, request), language);
    }
    return true;
}

} // namespace radexa
