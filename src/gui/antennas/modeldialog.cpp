#include "gui/antennas/modeldialog.h"

#include "core/support/atomicfile.h"
#include "core/support/plainnumber.h"
#include "gui/support/platform.h"
#include "gui/support/text.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>

namespace radexa {

namespace {

// The first word of a proposed name, per template.
const char* const kTemplateNames[] = {"Dipole", "Inverted V", "Vertical", "NEC deck"};

} // namespace

TFormModelAntenna::TFormModelAntenna(QWidget* parent)
    : TPatternDialog("FormModelAntenna", QStringLiteral("My models"), QStringLiteral("NEC model"),
                     parent) {
    setWindowTitle(QStringLiteral("Model antenna"));
    auto* inputs = new QWidget(this);
    m_inputs = inputs;
    auto* grid = new QGridLayout(inputs);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    auto label = [&](QLabel*& l, const char* name, const QString& caption) {
        l = new QLabel(caption, inputs);
        l->setObjectName(QString::fromLatin1(name));
        grid->addWidget(l, row, 0);
    };
    auto edit = [&](QLineEdit*& e, QLabel* l, const char* name, const QString& preset) {
        e = new QLineEdit(preset, inputs);
        e->setObjectName(QString::fromLatin1(name));
        l->setBuddy(e);
        grid->addWidget(e, row++, 1, 1, 2);
        connect(e, &QLineEdit::textEdited, this, [this] { inputChanged(); });
    };

    label(LaTemplate, "LaTemplate", QStringLiteral("&Antenna"));
    CBTemplate = new QComboBox(inputs);
    CBTemplate->setObjectName(QStringLiteral("CBTemplate"));
    CBTemplate->addItems({QStringLiteral("Half-wave dipole (horizontal)"),
                          QStringLiteral("Inverted V"),
                          QStringLiteral("Quarter-wave vertical with radials"),
                          QStringLiteral("My own NEC deck (.nec file)")});
    LaTemplate->setBuddy(CBTemplate);
    grid->addWidget(CBTemplate, row++, 1, 1, 2);

    label(LaFrequency, "LaFrequency", QStringLiteral("&Frequency [MHz]"));
    edit(EditFrequency, LaFrequency, "EditFrequency", ShortNumber(7.1));
    label(LaHeight, "LaHeight", QStringLiteral("&Height [m]"));
    edit(EditHeight, LaHeight, "EditHeight", QStringLiteral("10"));
    label(LaAngle, "LaAngle", QStringLiteral("Included angle [\u00B0]"));
    edit(EditAngle, LaAngle, "EditAngle", QStringLiteral("120"));
    label(LaRadials, "LaRadials", QStringLiteral("&Radials"));
    edit(EditRadials, LaRadials, "EditRadials", QStringLiteral("4"));
    CBOnGround =
        new QCheckBox(QStringLiteral("Radials on the ground (modelled 5 cm above it)"), inputs);
    CBOnGround->setObjectName(QStringLiteral("CBOnGround"));
    grid->addWidget(CBOnGround, row++, 1, 1, 2);

    label(LaDeck, "LaDeck", QStringLiteral("&Deck file"));
    EditDeck = new QLineEdit(inputs);
    EditDeck->setObjectName(QStringLiteral("EditDeck"));
    LaDeck->setBuddy(EditDeck);
    connect(EditDeck, &QLineEdit::textEdited, this, [this] { inputChanged(); });
    grid->addWidget(EditDeck, row, 1);
    ButChooseDeck = new QPushButton(QStringLiteral("..."), inputs);
    ButChooseDeck->setObjectName(QStringLiteral("ButChooseDeck"));
    ButChooseDeck->setAutoDefault(false);
    grid->addWidget(ButChooseDeck, row++, 2);
    label(LaAzimuth, "LaAzimuth", QStringLiteral("A&zimuth of the cut [\u00B0]"));
    edit(EditAzimuth, LaAzimuth, "EditAzimuth", QString());
    EditAzimuth->setPlaceholderText(QStringLiteral("that of the largest gain"));

    label(LaGround, "LaGround", QStringLiteral("&Ground"));
    CBGround = new QComboBox(inputs);
    CBGround->setObjectName(QStringLiteral("CBGround"));
    CBGround->addItems({QStringLiteral("Free space"), QStringLiteral("Perfect ground"),
                        QStringLiteral("Average ground (\u03B5r 13, \u03C3 0.005 S/m)"),
                        QStringLiteral("Poor ground (\u03B5r 5, \u03C3 0.001 S/m)")});
    CBGround->setCurrentIndex(2);
    LaGround->setBuddy(CBGround);
    grid->addWidget(CBGround, row++, 1, 1, 2);

    LaNec2c = new QLabel(inputs);
    LaNec2c->setObjectName(QStringLiteral("LaNec2c"));
    LaNec2c->setWordWrap(true);
    LaNec2c->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(LaNec2c, row++, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    ButCompute = new QPushButton(QStringLiteral("Com&pute"), this);
    ButCompute->setObjectName(QStringLiteral("ButCompute"));
    layOut(inputs, ButCompute);
    setMinimumWidth(460);

    connect(CBTemplate, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { CBTemplateChange(); });
    connect(CBGround, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { inputChanged(); });
    connect(CBOnGround, &QCheckBox::toggled, this, [this] {
        EditHeight->setEnabled(!CBOnGround->isChecked());
        inputChanged();
    });
    connect(ButChooseDeck, &QPushButton::clicked, this, [this] { ButChooseDeckClick(); });
    connect(ButCompute, &QPushButton::clicked, this, [this] { ButComputeClick(); });
    CBTemplateChange();
    showNec2c();
}

TFormModelAntenna::~TFormModelAntenna() {
    stopComputation();
}

void TFormModelAntenna::setRunOptions(const NecRunOptions& options) {
    m_run = options;
    showNec2c();
}

QString TFormModelAntenna::nec2cProgram() const {
    if (m_run.program.empty())
        return QFile::decodeName(FindNec2c().c_str());
    const QString program = QFile::decodeName(m_run.program.c_str());
    const QFileInfo info(program);
    return info.isFile() && info.isExecutable() ? program : QString();
}

void TFormModelAntenna::showNec2c() {
    const QString program = nec2cProgram();
    LaNec2c->setText(program.isEmpty()
                         ? QStringLiteral("nec2c is not installed: apt install nec2c\n"
                                          "Patterns computed elsewhere can still be read "
                                          "with \"Import pattern ...\".")
                         : QStringLiteral("Computed by nec2c (%1)").arg(program));
}

void TFormModelAntenna::CBTemplateChange() {
    const int t = CBTemplate->currentIndex();
    const bool own = t == OwnDeck;
    LaHeight->setText(t == InvertedV  ? QStringLiteral("Apex &height [m]")
                      : t == Vertical ? QStringLiteral("Base &height [m]")
                                      : QStringLiteral("&Height [m]"));
    LaFrequency->setText(own ? QStringLiteral("&Frequency [MHz] (empty: the deck's only one)")
                             : QStringLiteral("&Frequency [MHz]"));
    EditHeight->setEnabled(!own && !(t == Vertical && CBOnGround->isChecked()));
    LaHeight->setEnabled(!own);
    for (QWidget* w : {static_cast<QWidget*>(LaAngle), static_cast<QWidget*>(EditAngle)})
        w->setEnabled(t == InvertedV);
    for (QWidget* w : {static_cast<QWidget*>(LaRadials), static_cast<QWidget*>(EditRadials),
                       static_cast<QWidget*>(CBOnGround)})
        w->setEnabled(t == Vertical);
    for (QWidget* w : {static_cast<QWidget*>(LaDeck), static_cast<QWidget*>(EditDeck),
                       static_cast<QWidget*>(ButChooseDeck), static_cast<QWidget*>(LaAzimuth),
                       static_cast<QWidget*>(EditAzimuth)})
        w->setEnabled(own);
    // An own deck brings its ground (its GN card) along.
    LaGround->setEnabled(!own);
    CBGround->setEnabled(!own);
    inputChanged();
}

void TFormModelAntenna::inputChanged() {
    forgetPattern();
    const int t = CBTemplate->currentIndex();
    if (t == OwnDeck) {
        const QString base = QFileInfo(EditDeck->text().trimmed()).completeBaseName();
        proposeName(base.isEmpty() ? QString::fromLatin1(kTemplateNames[t]) : base);
        return;
    }
    QString ignored;
    const auto frequency = FieldNumber(EditFrequency, LaFrequency, false, ignored);
    QString name = QString::fromLatin1(kTemplateNames[t]);
    if (frequency && *frequency > 0)
        name += QLatin1Char(' ') + toQ(PlainShortest(*frequency)) + QStringLiteral(" MHz");
    proposeName(name);
}

void TFormModelAntenna::ButChooseDeckClick() {
    const auto name =
        dialogs().openFileName(this, QStringLiteral("Choose a NEC deck"), EditDeck->text(),
                               QStringLiteral("NEC decks (*.nec *.NEC);;All files (*)"), QString());
    if (!name)
        return;
    EditDeck->setText(*name);
    inputChanged();
}

std::optional<NecDeck> TFormModelAntenna::ownDeck(const std::optional<double>& frequency,
                                                  QString& problem) const {
    const QString fileName = EditDeck->text().trimmed();
    if (fileName.isEmpty()) {
        problem = QStringLiteral("Choose the deck file (.nec)");
        return std::nullopt;
    }
    std::optional<double> azimuth = FieldNumber(EditAzimuth, LaAzimuth, true, problem);
    if (!problem.isEmpty())
        return std::nullopt;
    const FileReadResult read =
        ReadWholeFile(QFile::encodeName(fileName).toStdString(), kMaxDeckFileSize);
    if (!read.ok()) {
        problem = QFile::decodeName(read.error.c_str());
        return std::nullopt;
    }
    return OwnNecDeck(read.bytes, frequency.value_or(0), azimuth);
}

std::optional<NecDeck> TFormModelAntenna::deck(QString& problem) const {
    const int t = CBTemplate->currentIndex();
    const auto frequency = FieldNumber(EditFrequency, LaFrequency, t == OwnDeck, problem);
    if (!problem.isEmpty())
        return std::nullopt;
    if (t == OwnDeck)
        return ownDeck(frequency, problem);

    NecModelOptions options;
    options.ground = kGrounds[std::max(0, CBGround->currentIndex())];
    const bool onGround = t == Vertical && CBOnGround->isChecked();
    const auto height =
        onGround ? std::optional<double>(0) : FieldNumber(EditHeight, LaHeight, false, problem);
    if (!problem.isEmpty())
        return std::nullopt;
    try {
        switch (t) {
        case InvertedV: {
            const auto angle = FieldNumber(EditAngle, LaAngle, false, problem);
            if (!angle)
                return std::nullopt;
            return InvertedVDeck(*frequency, *height, *angle, options);
        }
        case Vertical: {
            bool whole = false;
            const int radials = EditRadials->text().trimmed().toInt(&whole);
            if (!whole) {
                problem = FieldCaption(LaRadials) + QStringLiteral(": a whole number is expected");
                return std::nullopt;
            }
            return VerticalDeck(*frequency, radials, *height, onGround, options);
        }
        default:
            return DipoleDeck(*frequency, *height, options);
        }
    } catch (const NecModelError& e) {
        problem = QStringLiteral("No model: ") + toQ(e.what());
        return std::nullopt;
    }
}

void TFormModelAntenna::ButComputeClick() {
    QString problem;
    const std::optional<NecDeck> d = deck(problem);
    if (!d) {
        showProblem(problem);
        return;
    }
    if (computing())
        return;
    // nec2c may take seconds on a large deck: it runs beside the window, which stays
    // responsive and can stop it.
    m_stop = false;
    NecRunOptions run = m_run;
    run.stop = &m_stop;
    auto* worker =
        QThread::create([this, deck = *d, run] { m_result = ComputeNecModel(deck, run); });
    connect(worker, &QThread::finished, this, [this, worker] { computed(worker); });
    m_worker = worker;
    setComputing(true);
    showProblem(QStringLiteral("Computing with nec2c ... (Close stops it)"));
    worker->start();
}

void TFormModelAntenna::computed(QThread* worker) {
    if (worker != m_worker)
        return; // stopped and waited for already
    worker->wait();
    delete worker;
    m_worker = nullptr;
    setComputing(false);
    showNec2c(); // nec2c may have been installed or removed meanwhile
    NecModelResult result = std::move(m_result);
    m_result = {};
    if (!result.ok()) {
        showProblem(QStringLiteral("No pattern: ") + toQ(result.error));
        return;
    }
    QStringList lines = PatternSummaryLines(result.pattern);
    if (!result.note.empty())
        lines << QStringLiteral("Note: ") + toQ(result.note);
    showPattern(std::move(result.pattern), lines);
}

void TFormModelAntenna::stopComputation() {
    if (!m_worker)
        return;
    m_stop = true;
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    m_result = {};
    setComputing(false);
    showProblem(QStringLiteral("No pattern: the computation was stopped"));
}

void TFormModelAntenna::setComputing(bool on) {
    m_inputs->setEnabled(!on);
    ButCompute->setEnabled(!on);
    GBEntry->setEnabled(!on);
    if (on)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TFormModelAntenna::done(int result) {
    stopComputation();
    TPatternDialog::done(result);
}

} // namespace radexa
