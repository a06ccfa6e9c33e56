#include "gui/antennas/patterndialog.h"

#include "core/support/cp1252.h"
#include "core/support/numbersettings.h"
#include "core/support/plainnumber.h"
#include "core/support/textnumbers.h"
#include "gui/support/controls.h"
#include "gui/support/text.h"

#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace radexa {

namespace {

QString number(const char* format, double x) {
    return toQ(FormatReal(format, x));
}

} // namespace

QString ShortNumber(double x) {
    QString text = toQ(PlainShortest(x));
    text.replace(QLatin1Char('.'), QLatin1Char(CurrentNumberSettings().decimalSeparator));
    return text;
}

namespace {

QString groundText(PatternGround ground) {
    switch (ground) {
    case PatternGround::FreeSpace:
        return QStringLiteral("free space");
    case PatternGround::Perfect:
        return QStringLiteral("perfect ground");
    case PatternGround::Real:
        return QStringLiteral("real ground: the pattern holds the ground reflection, which "
                              "is not applied again");
    case PatternGround::Unknown:
        break;
    }
    return QStringLiteral("not stated");
}

} // namespace

QString PatternFormatName(PatternFormat format) {
    switch (format) {
    case PatternFormat::Nec:
        return QStringLiteral("NEC-2 output");
    case PatternFormat::Eznec:
        return QStringLiteral("EZNEC far-field table");
    case PatternFormat::Csv:
        break;
    }
    return QStringLiteral("CSV table");
}

QStringList PatternSummaryLines(const ImportedPattern& p) {
    QStringList lines;
    lines << (p.frequency > 0 ? QStringLiteral("Frequency: ") + ShortNumber(p.frequency) +
                                    QStringLiteral(" MHz")
                              : QStringLiteral("Frequency: none (give the frequency in MHz)"));
    lines << (p.gainKnown ? QStringLiteral("Largest gain: ") + number("%.2f", p.maxGain) +
                                QStringLiteral(" dBi")
                          : QStringLiteral("Largest gain: unknown (give the gain in dBi)"));
    QString polarisations;
    if (p.hasVertical)
        polarisations += QStringLiteral("vertical");
    if (p.hasHorizontal)
        polarisations += (polarisations.isEmpty() ? QString() : QStringLiteral(" and ")) +
                         QStringLiteral("horizontal");
    lines << QStringLiteral("Cut: azimuth %1\u00B0, angles 0 to %2\u00B0 in steps of %3\u00B0, %4")
                 .arg(ShortNumber(p.azimuth))
                 .arg(p.range)
                 .arg(p.step)
                 .arg(polarisations);
    lines << QStringLiteral("Ground: ") + groundText(p.ground);
    return lines;
}

QString MixedText(std::string_view bytes) {
    QString text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const std::string_view character = bytes.substr(i, length);
        if (length > 1 && LooksLikeUtf8(character)) {
            text += QString::fromUtf8(character.data(), static_cast<int>(character.size()));
            i += length;
        } else {
            text += toQ(bytes.substr(i, 1));
            ++i;
        }
    }
    return text;
}

QString FieldCaption(const QLabel* label) {
    return label->text().remove(QLatin1Char('&'));
}

std::optional<double> FieldNumber(const QLineEdit* field, const QLabel* label, bool optional,
                                  QString& problem) {
    const QString text = field->text().trimmed();
    if (text.isEmpty() && optional)
        return std::nullopt;
    double value = 0;
    if (!TryStrToReal(fromQ(text), value) || !std::isfinite(value)) {
        problem = FieldCaption(label) + QStringLiteral(": a number is expected") +
                  (optional ? QStringLiteral(" (or nothing)") : QString()) +
                  (text.isEmpty() ? QString() : QStringLiteral(", not \"") + text + '"');
        return std::nullopt;
    }
    return value;
}

TPatternDialog::TPatternDialog(const char* objectName, const QString& manufacturer,
                               const QString& type, QWidget* parent)
    : QDialog(parent), m_manufacturer(manufacturer), m_type(type) {
    setObjectName(QString::fromLatin1(objectName));
    if (parent)
        setFont(parent->font());
}

void TPatternDialog::layOut(QWidget* inputs, QPushButton* action) {
    // Made after the inputs, so that the operator meets them in this order.
    MemoResult = new QPlainTextEdit(this);
    MemoResult->setObjectName(QStringLiteral("MemoResult"));
    MemoResult->setReadOnly(true);
    MemoResult->setMinimumHeight(110);

    GBEntry = new QGroupBox(QStringLiteral("Catalogue entry"), this);
    GBEntry->setObjectName(QStringLiteral("GBEntry"));
    auto* form = new QFormLayout(GBEntry);
    auto row = [&](QLabel*& label, QLineEdit*& edit, const char* labelName, const char* editName,
                   const QString& caption, const QString& preset) {
        label = new QLabel(caption, GBEntry);
        label->setObjectName(QString::fromLatin1(labelName));
        edit = new QLineEdit(preset, GBEntry);
        edit->setObjectName(QString::fromLatin1(editName));
        label->setBuddy(edit);
        form->addRow(label, edit);
    };
    row(LaManufacturer, EditManufacturer, "LaManufacturer", "EditManufacturer",
        QStringLiteral("&Manufacturer (section)"), m_manufacturer);
    row(LaName, EditName, "LaName", "EditName", QStringLiteral("&Name"), QString());
    row(LaType, EditType, "LaType", "EditType", QStringLiteral("&Type"), m_type);
    row(LaElements, EditElements, "LaElements", "EditElements", QStringLiteral("&Elements"),
        QStringLiteral("1"));
    AcceptOnlyStoredText({EditManufacturer, EditName, EditType, EditElements});
    connect(EditName, &QLineEdit::textEdited, this, [this] { m_nameTyped = true; });

    ButSave = new QPushButton(QStringLiteral("&Save"), this);
    ButSave->setObjectName(QStringLiteral("ButSave"));
    ButSave->setEnabled(false);
    ButSave->setAutoDefault(false);
    ButClose = new QPushButton(QStringLiteral("&Close"), this);
    ButClose->setObjectName(QStringLiteral("ButClose"));
    ButClose->setAutoDefault(false);
    connect(ButSave, &QPushButton::clicked, this, [this] { ButSaveClick(); });
    connect(ButClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(inputs);
    auto* actionRow = new QHBoxLayout;
    actionRow->addStretch();
    actionRow->addWidget(action);
    column->addLayout(actionRow);
    column->addWidget(MemoResult, 1);
    column->addWidget(GBEntry);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButSave);
    buttons->addWidget(ButClose);
    column->addLayout(buttons);
    action->setDefault(true);
}

ImportedAntennaEntry TPatternDialog::entry() const {
    ImportedAntennaEntry e;
    e.manufacturer = fromQ(EditManufacturer->text().trimmed());
    e.name = fromQ(EditName->text().trimmed());
    e.type = fromQ(EditType->text().trimmed());
    e.elements = fromQ(EditElements->text().trimmed());
    return e;
}

void TPatternDialog::showPattern(ImportedPattern pattern, const QStringList& lines) {
    m_pattern = std::move(pattern);
    MemoResult->setPlainText(lines.join('\n'));
    ButSave->setEnabled(true);
}

void TPatternDialog::showProblem(const QString& problem) {
    m_pattern.reset();
    MemoResult->setPlainText(problem);
    ButSave->setEnabled(false);
}

void TPatternDialog::forgetPattern() {
    if (!m_pattern)
        return;
    m_pattern.reset();
    MemoResult->clear();
    ButSave->setEnabled(false);
}

void TPatternDialog::proposeName(const QString& name) {
    if (!m_nameTyped)
        EditName->setText(name);
}

void TPatternDialog::ButSaveClick() {
    if (!m_pattern)
        return;
    // A character the antenna file cannot hold would be written as '?' (a proposed name is
    // not checked as it is typed).
    const std::pair<QLabel*, QLineEdit*> fields[] = {{LaManufacturer, EditManufacturer},
                                                     {LaName, EditName},
                                                     {LaType, EditType},
                                                     {LaElements, EditElements}};
    for (const auto& [label, field] : fields) {
        for (const char32_t c : field->text().toUcs4()) {
            const QString character = QString::fromUcs4(&c, 1);
            if (FitsCp1252(character.toStdString()))
                continue;
            ShowWarningText(FieldCaption(label) + QStringLiteral(": the character \"") + character +
                            QStringLiteral("\" cannot be stored in the antenna file"));
            field->setFocus();
            return;
        }
    }
    const ImportedAntennaEntry e = entry();
    if (e.elements.empty() || e.elements.find_first_not_of("0123456789") != std::string::npos) {
        ShowWarningText(QStringLiteral("Elements: a whole number is expected"));
        EditElements->setFocus();
        return;
    }
    const SavedImport saved = SaveImportedAntenna(QFile::encodeName(UserFileName).toStdString(),
                                                  QFile::encodeName(AngleFolder).toStdString(), e,
                                                  *m_pattern, angleFileDescription());
    if (!saved.ok()) {
        // The dialog stays open with the pattern and the entry, so nothing is lost.
        ShowWarningText(QStringLiteral("The antenna was NOT saved:\n") + MixedText(saved.error));
        return;
    }
    m_saved = e;
    ShowInfo(QStringLiteral("\"%1\" was saved under \"%2\" in %3;\nits angle data in %4")
                 .arg(EditName->text().trimmed(), EditManufacturer->text().trimmed(), UserFileName,
                      QFile::decodeName(saved.angleFile.c_str())));
    accept();
}

} // namespace radexa
