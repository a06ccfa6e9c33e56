#include "gui/antennas/importdialog.h"

#include "core/support/atomicfile.h"
#include "gui/support/platform.h"
#include "gui/support/text.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace radexa {

TFormImportPattern::TFormImportPattern(QWidget* parent)
    : TPatternDialog("FormImportPattern", QStringLiteral("My imports"),
                     QStringLiteral("Imported pattern"), parent) {
    setWindowTitle(QStringLiteral("Import pattern"));
    auto* inputs = new QWidget(this);
    auto* grid = new QGridLayout(inputs);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    auto field = [&](QLabel*& l, QLineEdit*& e, const char* labelName, const char* editName,
                     const QString& text, const QString& placeholder) {
        l = new QLabel(text, inputs);
        l->setObjectName(QString::fromLatin1(labelName));
        e = new QLineEdit(inputs);
        e->setObjectName(QString::fromLatin1(editName));
        e->setPlaceholderText(placeholder);
        l->setBuddy(e);
        grid->addWidget(l, row, 0);
        grid->addWidget(e, row++, 1, 1, 2);
        connect(e, &QLineEdit::textEdited, this, [this] { inputChanged(); });
    };

    LaFile = new QLabel(QStringLiteral("&File"), inputs);
    LaFile->setObjectName(QStringLiteral("LaFile"));
    EditFile = new QLineEdit(inputs);
    EditFile->setObjectName(QStringLiteral("EditFile"));
    LaFile->setBuddy(EditFile);
    connect(EditFile, &QLineEdit::textEdited, this, [this] { inputChanged(); });
    ButChooseFile = new QPushButton(QStringLiteral("..."), inputs);
    ButChooseFile->setObjectName(QStringLiteral("ButChooseFile"));
    ButChooseFile->setAutoDefault(false);
    grid->addWidget(LaFile, row, 0);
    grid->addWidget(EditFile, row, 1);
    grid->addWidget(ButChooseFile, row++, 2);
    LaFormat =
        new QLabel(QStringLiteral("Format: NEC-2 output, EZNEC far-field table or CSV"), inputs);
    LaFormat->setObjectName(QStringLiteral("LaFormat"));
    LaFormat->setWordWrap(true);
    grid->addWidget(LaFormat, row++, 1, 1, 2);
    field(LaFrequency, EditFrequency, "LaFrequency", "EditFrequency",
          QStringLiteral("Fre&quency [MHz]"), QStringLiteral("the file's only one"));
    field(LaAzimuth, EditAzimuth, "LaAzimuth", "EditAzimuth",
          QStringLiteral("A&zimuth of the cut [\u00B0]"),
          QStringLiteral("that of the largest gain"));
    field(LaGain, EditGain, "LaGain", "EditGain", QStringLiteral("&Gain of a CSV table [dBi]"),
          QStringLiteral("only for attenuations"));
    grid->setColumnStretch(1, 1);

    ButRead = new QPushButton(QStringLiteral("&Read"), this);
    ButRead->setObjectName(QStringLiteral("ButRead"));
    layOut(inputs, ButRead);
    setMinimumWidth(460);

    connect(ButChooseFile, &QPushButton::clicked, this, [this] { ButChooseFileClick(); });
    connect(ButRead, &QPushButton::clicked, this, [this] { ButReadClick(); });
}

void TFormImportPattern::inputChanged() {
    forgetPattern();
}

void TFormImportPattern::ButChooseFileClick() {
    const auto name = dialogs().openFileName(
        this, QStringLiteral("Import pattern"), EditFile->text(),
        QStringLiteral("Patterns (*.out *.txt *.csv);;All files (*)"), QString());
    if (!name)
        return;
    EditFile->setText(*name);
    ButReadClick();
}

namespace {

// Why the file gives no pattern, naming it.
QString notImported(const QString& fileName, const std::string& reason) {
    return QStringLiteral("Not imported: \"") + fileName + QStringLiteral("\": ") + toQ(reason);
}

} // namespace

bool TFormImportPattern::showFormat(const QString& fileName, const std::string& text) {
    try {
        const PatternFormat format = DetectPatternFormat(text);
        QString shown = QStringLiteral("Format: ") + PatternFormatName(format);
        if (format == PatternFormat::Nec) {
            QStringList frequencies;
            for (double f : NecPatternFrequencies(text))
                frequencies << ShortNumber(f);
            shown += QStringLiteral(", patterns at ") + frequencies.join(QStringLiteral("; ")) +
                     QStringLiteral(" MHz");
        }
        LaFormat->setText(shown);
        return true;
    } catch (const PatternImportError& e) {
        LaFormat->setText(QStringLiteral("Format: unknown"));
        showProblem(notImported(fileName, e.what()));
        return false;
    }
}

void TFormImportPattern::ButReadClick() {
    const QString fileName = EditFile->text().trimmed();
    if (fileName.isEmpty()) {
        showProblem(QStringLiteral("Choose the pattern file"));
        return;
    }
    proposeName(QFileInfo(fileName).completeBaseName());
    QString problem;
    PatternImportOptions options;
    options.frequency = FieldNumber(EditFrequency, LaFrequency, true, problem);
    if (problem.isEmpty())
        options.azimuth = FieldNumber(EditAzimuth, LaAzimuth, true, problem);
    if (problem.isEmpty())
        options.gain = FieldNumber(EditGain, LaGain, true, problem);
    if (!problem.isEmpty()) {
        showProblem(problem);
        return;
    }
    const FileReadResult read =
        ReadWholeFile(QFile::encodeName(fileName).toStdString(), kMaxPatternFileSize);
    if (!read.ok()) {
        LaFormat->setText(QStringLiteral("Format: unknown"));
        showProblem(QStringLiteral("Not imported: ") + QFile::decodeName(read.error.c_str()));
        return;
    }
    if (!showFormat(fileName, read.bytes))
        return;
    try {
        ImportedPattern pattern = ImportPattern(read.bytes, options);
        QStringList lines = PatternSummaryLines(pattern);
        lines << QStringLiteral("The angle file will note:");
        for (const std::string& note : pattern.notes)
            lines << QStringLiteral("  ") + toQ(note);
        showPattern(std::move(pattern), lines);
    } catch (const PatternImportError& e) {
        showProblem(notImported(fileName, e.what()));
    }
}

std::string TFormImportPattern::angleFileDescription() const {
    return "From the file " + fromQ(QFileInfo(EditFile->text().trimmed()).fileName());
}

} // namespace radexa
