// The main window: start-up, shut-down, and the handlers of the calculation, the Mode
// and Cable pages, the antenna choice and the Angle page.

#include "gui/app/radexaform.h"

#include "core/antennas/antennen.h"
#include "core/antennas/pattern.h"
#include "core/antennas/winkant.h"
#include "core/calc/calc.h"
#include "core/graphics/diagram.h"
#include "core/graphics/sideview.h"
#include "core/support/rdfunc.h"
#include "gui/app/about.h"
#include "gui/app/maintainer.h"
#include "gui/app/rdsplash.h"
#include "gui/app/settingslocation.h"
#include "gui/support/controls.h"
#include "gui/support/editalign.h"
#include "gui/support/platform.h"
#include "gui/support/text.h"
#include "gui/graphics/diagramm.h"
#include "gui/graphics/seitenansicht.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCollator>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>

#include "gui/app/angletablemodel.h"

#include <algorithm>

namespace radexa {

namespace {

const QColor kModeFactorColour(123, 99, 49);
const QColor kGrey(128, 128, 128);
const QColor kGreen(0, 128, 0);

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

void setText(TEditAlign* field, const std::string& cp1252) { field->setText(toQ(cp1252)); }

// Long names are cut off by the fixed list width; the tip shows them whole.
void giveItemsTheirTextAsTip(QListWidget* list) {
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setToolTip(list->item(i)->text());
}

std::string textOf(const TEditAlign* field) { return fromQ(field->text()); }

} // namespace

QString MainWindowCaption() {
    return QStringLiteral("Radexa v 1.5 ") + QStringLiteral("by %1 (%2)").arg(
                                                 QString::fromUtf8(maintainer::Name),
                                                 QString::fromUtf8(maintainer::CallSign));
}

TRadexaForm::TRadexaForm(const QString& programFolder, bool showSplash, QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("RadexaForm"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    m_paths.ProgramFolder = QDir(programFolder).absolutePath() + QLatin1Char('/');

    buildMenus();
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(655, 415);
    setCentralWidget(client);
    buildInputGroup(client);
    buildOutputGroups(client);
    PageControl = new QTabWidget(client);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setGeometry(272, 8, 377, 401);
    auto page = [&](const char* name, const QString& caption) {
        auto* w = new QWidget;
        w->setObjectName(QString::fromLatin1(name));
        PageControl->addTab(w, caption);
        return w;
    };
    TSAnt = page("TSAnt", "Antenna");
    TSMode = page("TSMode", "Mode");
    TSCable = page("TSCable", "Cable Attenuation");
    TSAngle = page("TSAngle", "Angle");
    buildAntennaPage(TSAnt);
    buildModePage(TSMode);
    buildCablePage(TSCable);
    buildAnglePage(TSAngle);
    for (int i = 1; i <= kBandCount; ++i)
        CBBand->addItem(toQ(HamBands(i)));
    CBBand->setCurrentIndex(-1);
    setFixedSize(655, 415 + menuBar()->sizeHint().height());
    connectHandlers();

    FormCreate(showSplash);
    AfterCreation();
}

TRadexaForm::~TRadexaForm() = default;

void TRadexaForm::onExit(TEditAlign* field, std::function<void()> handler) {
    // While a refused field takes the focus back, the field it leaves does not run its
    // own exit handler: that would repeat the warning for the emptied field.
    connect(field, &TEditAlign::exited, this, [this, handler = std::move(handler)] {
        if (!m_refusing)
            handler();
    });
}

void TRadexaForm::connectHandlers() {
    connect(CBBand, qOverload<int>(&QComboBox::activated), this, [this] { CBBandChange(); });
    connect(EditFreq, &TEditAlign::doubleClicked, this, [this] { EditFreqDblClick(); });
    connect(EditrPS, &TEditAlign::doubleClicked, this, [this] { EditrPSDblClick(); });
    onExit(EditPower, [this] { calcCall(); });
    connect(EditAntenne, &TEditAlign::clicked, this, [this] { showPage(0); });
    connect(EditAntenne, &QLineEdit::textChanged, this, [this] { showPage(0); });
    connect(EditGain, &TEditAlign::clicked, this, [this] { showPage(0); });
    connect(EditMode, &TEditAlign::clicked, this, [this] { showPage(1); });
    connect(EditAtt, &TEditAlign::clicked, this, [this] { showPage(2); });

    for (TRadioGroup* g : {RGMode, RGDutyCycle, RGFCCBNetzA})
        connect(g, &TRadioGroup::clicked, this, [this] { UpdateBetriebsart(); });

    connect(CLBCable, &TCheckListBox::itemClickedAt, this, [this](int i) { CLBCableClick(i); });
    onExit(EditCableLength, [this] { EditCableLengthExit(); });
    onExit(EditCableAtt100, [this] { EditCableLengthExit(); });
    onExit(EditPlugAtt, [this] { EditPlugAttExit(); });
    connect(ButGleich, &QPushButton::clicked, this, [this] { ButGleichClick(); });
    connect(ButSetAttNull, &QPushButton::clicked, this, [this] { ButSetAttNullClick(); });

    connect(LBHersteller, &QListWidget::itemClicked, this, [this] { LBHerstellerClick(); },
            Qt::QueuedConnection);
    // The point list is rebuilt by the click; do it after the list's own signal is over.
    connect(LBTypen, &QListWidget::itemClicked, this, [this] { LBTypenClick(); },
            Qt::QueuedConnection);
    connect(LBAntBand, &QListWidget::itemClicked, this, [this] { LBTypenClick(); },
            Qt::QueuedConnection);
    connect(ButTakeAnt, &QPushButton::clicked, this, [this] { ButTakeAntClick(); });
    onExit(EditAntGain, [this] { ButTakeAntClick(); });
    onExit(EditAntName, [this] { ButTakeAntClick(); });

    connect(RGPol, &TRadioGroup::clicked, this, [this](int i) { RGPolClick(i); });
    connect(SGWinkel, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PM->popup(SGWinkel->viewport()->mapToGlobal(at)); });
    connect(MIEnd, &QAction::triggered, this, [this] { MIEndClick(); });
    connect(MIopen, &QAction::triggered, this, [this] { MIopenClick(); });
    connect(MISave, &QAction::triggered, this, [this] { MISaveClick(); });
    connect(MISaveAs, &QAction::triggered, this, [this] { MISaveAsClick(); });
    connect(MIEigeneAntenne, &QAction::triggered, this, [this] { MIEigeneAntenneClick(); });
    connect(PISave, &QAction::triggered, this, [this] { PISaveClick(); });
    connect(PICopy, &QAction::triggered, this, [this] { PICopyClick(); });
    connect(ButSeitenansicht, &QPushButton::clicked, this, [this] { ButSeitenansichtClick(); });
    connect(ButDiagramm, &QPushButton::clicked, this, [this] { ButDiagrammClick(); });
    connect(MIHelp, &QAction::triggered, this, [this] { MIHelpClick(); });
    connect(MIAbout, &QAction::triggered, this, [this] { MIAboutClick(); });
    connect(MIGerman, &QAction::triggered, this, [this] { MIGermanClick(); });
    connect(MIEnglish, &QAction::triggered, this, [this] { MIEnglishClick(); });
    connect(MIFrench, &QAction::triggered, this, [this] { MIFrenchClick(); });
    connect(MISwedish, &QAction::triggered, this, [this] { MISwedishClick(); });
}

void TRadexaForm::FormCreate(bool showSplash) {
    setWindowTitle(MainWindowCaption());
    if (showSplash)
        showStartupSplash(this);
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const SettingsLocation where = FindSettingsLocation(m_paths.ProgramFolder, configFolder);
    m_paths.SettingsFile = where.writeTo;
    const WindowPosition pos = ReadWindowPosition(where.readFrom);
    move(pos.left, pos.top);
    m_paths.UserAntennaFileName = QStringLiteral("AntUser.txt");
    // The interface texts are English at start-up; the language step ends with a
    // recalculation, which runs here while no band is selected.
    qApp->installEventFilter(this);
    MIEnglishClick();
}

bool TRadexaForm::AfterCreation() {
    CBBand->setCurrentIndex(kStartupBand - 1);
    EditPlugAtt->setText(QStringLiteral("0"));
    EditCableLength->setText(QStringLiteral("10"));
    CLBCable->setCurrentRow(kStartupCable - 1);
    CLBCheckOnly(CLBCable, kStartupCable - 1);
    UpdateCable();
    UpdateBetriebsart();
    showPage(0);
    setAngleTabVisible(false);
    m_state.AntennaGain = 0;
    QApplication::processEvents();
    m_paths.CatalogueFileName = QStringLiteral("Antennas.txt");
    m_paths.AngleDataFolder = m_paths.ProgramFolder + QStringLiteral("ang/");
    if (!QFileInfo::exists(m_paths.CatalogueFileName)) {
        m_catalogueMissing = true;
        ShowWarningText(QStringLiteral("The File ") + m_paths.CatalogueFileName +
                        QStringLiteral(" was not found!"));
        return false;
    }
    m_catalogueMissing = false;
    m_catalogue = std::make_unique<TAntennen>(
        QFile::encodeName(m_paths.CatalogueFileName).toStdString(),
        QFile::encodeName(m_paths.UserAntennaFileName).toStdString());
    fillManufacturers();
    UpdateFreq();
    calc();
    return true;
}

void TRadexaForm::fillManufacturers() {
    QStringList names = StringArrayToList(m_catalogue->GetManufacturers());
    QCollator order;
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString& a, const QString& b) { return order.compare(a, b) < 0; });
    LBHersteller->clear();
    LBHersteller->addItems(names);
    giveItemsTheirTextAsTip(LBHersteller);
    m_state.BandLineIndex = -1;
}

void TRadexaForm::showPage(int index) { PageControl->setCurrentIndex(index); }

void TRadexaForm::setAngleTabVisible(bool visible) {
    PageControl->setTabVisible(PageControl->indexOf(TSAngle), visible);
}

void TRadexaForm::refuseField(TEditAlign* field, const QString& message) {
    const bool outer = !m_refusing;
    m_refusing = true;
    field->clear();
    field->setFocus();
    ShowWarningText(message);
    if (outer)
        m_refusing = false;
}

// ---- bands, mode page, calculation ------------------------------------------------

void TRadexaForm::UpdateFreq() {
    m_state.BandIDX = static_cast<std::int16_t>(CBBand->currentIndex() + 1);
    setText(EditFreq, BandEdgesText(m_state.BandIDX));
}

void TRadexaForm::CBBandChange() {
    m_currentStationFile.clear();
    m_state.FixedFrequencyMode = false;
    UpdateFreq();
    UpdateCable();
    UpdateBetriebsart();
    LBTypenClick();
    if (m_state.BandLineIndex >= 0) {
        ButTakeAntClick();
    } else {
        m_state.AntennaGain = 0;
        EditAntenne->clear();
    }
    calc();
}

void TRadexaForm::UpdateBetriebsart() {
    if (!m_state.FixedFrequencyMode)
        m_state.BandIDX = static_cast<std::int16_t>(CBBand->currentIndex() + 1);
    m_state.ModeIDX = static_cast<std::int16_t>(RGMode->itemIndex() + 1);
    const QString factorTable = RGFCCBNetzA->itemText(RGFCCBNetzA->itemIndex());
    const Factors f = ComputeFactors(m_state.ModeIDX, fromQ(factorTable), RGDutyCycle->itemIndex());
    m_state.ModeFactor = f.ModeFactor;
    m_state.DutyCycle = f.DutyCycle;
    m_state.Factor = f.Factor;

    setText(EditMode, ModeText(m_state.ModeIDX));
    setText(EditModeFactor, FormatReal("%3.2f", f.ModeFactor));
    setText(EditDutyCycle, FormatReal("%3.2f", f.DutyCycle));
    setText(EditFactor, FormatReal("%3.2f", f.Factor));

    const QColor face = EditModeFactor->palette().color(QPalette::Button);
    for (TEditAlign* e : {EditModeFactor, EditDutyCycle, EditFactor})
        e->setBackground(face);
    if (f.ModeFactor < 1)
        EditModeFactor->setBackground(kModeFactorColour);
    if (f.DutyCycle < 1)
        EditDutyCycle->setBackground(Qt::red);
    if (f.Factor < 1)
        EditFactor->setBackground(Qt::red);
    setTextColour(STRXTX, f.DutyCycle < 1 ? QColor(Qt::red) : kGrey);
    setTextColour(STFCC, kGrey);
    setTextColour(STBNetzA, kGrey);
    if (factorTable.left(6) == QLatin1String("BNetzA"))
        setTextColour(STBNetzA, kGreen);
    if (factorTable == QLatin1String("FCC"))
        setTextColour(STFCC, kModeFactorColour);

    setText(EditFmodPers, FormatReal("%3.2f", f.ModeFactor));
    setText(EditFB, FormatReal("%3.2f", f.DutyCycle));
    calc();
}

void TRadexaForm::calc() {
    m_state.BandIDX = static_cast<std::int16_t>(CBBand->currentIndex() + 1);
    CalcInput in;
    in.frequency = FrequencyChoice::Band(m_state.BandIDX);
    if (m_state.FixedFrequencyMode) {
        m_state.BandIDX = 0;
        in.frequency = FrequencyChoice::Fixed(m_state.FixedFrequency);
    }
    double power = 0;
    if (TryStrToReal(textOf(EditPower), power) && power >= 0)
        m_state.Power = power;
    else
        refuseField(EditPower, message(MessageId::MsgInvalidPower));
    in.Power = m_state.Power;
    in.TotalAtt = m_state.TotalAtt;
    in.AntennaGain = m_state.AntennaGain;
    in.Factor = m_state.Factor;
    const CalcResult r = Calculate(in);
    m_state.ELimit = r.ELimit;
    m_state.AntInPower = r.AntInPower;
    m_state.EIRP = r.EIRP;
    m_state.MeanEIRP = r.MeanEIRP;
    m_state.SafetyDistance = r.SafetyDistance;
    m_state.NearFieldLimit = r.NearFieldLimit;
    m_lastCalcOk = r.ok();
    const CalcTexts t = FormatCalcResult(r, m_state.AntennaGain);
    setText(EditEps, t.EditEps);
    setText(EditAntIn, t.EditAntIn);
    setText(EditEIRP, t.EditEIRP);
    setText(EditrPS, t.EditrPS);
    setText(EditrNahfeld, t.EditrNahfeld);
    setText(EditGain, t.EditGain);
    WinkelCalc();
}

void TRadexaForm::calcCall() { calc(); }

CalcInput TRadexaForm::currentInput() const {
    CalcInput in;
    in.frequency = m_state.FixedFrequencyMode ? FrequencyChoice::Fixed(m_state.FixedFrequency)
                                              : FrequencyChoice::Band(CBBand->currentIndex() + 1);
    in.Power = m_state.Power;
    in.TotalAtt = m_state.TotalAtt;
    in.AntennaGain = m_state.AntennaGain;
    in.Factor = m_state.Factor;
    return in;
}

void TRadexaForm::EditrPSDblClick() {
    const auto text = dialogs().textInput(this, message(MessageId::MsgDistanceCaption),
                                          message(MessageId::MsgDistancePrompt),
                                          QStringLiteral("10"));
    if (!text)
        return;
    const GivenDistanceResult r = CalculateAtDistance(currentInput(), fromQ(*text));
    if (r.refusal == Refusal::DistanceNotReal) {
        ShowWarningText(message(MessageId::MsgDistanceNotReal));
        return;
    }
    if (!r.ok()) {
        ShowWarningText(toQ(RefusalText(r.refusal)));
        return;
    }
    setText(EditPower, r.powerText);
    calc();
}

void TRadexaForm::EditFreqDblClick() {
    const auto text = dialogs().textInput(this, message(MessageId::MsgFrequencyCaption),
                                          message(MessageId::MsgFrequencyPrompt),
                                          QStringLiteral("145"));
    if (!text)
        return;
    double f = 0;
    if (!TryStrToReal(fromQ(*text), f)) {
        ShowWarningText(message(MessageId::MsgFrequencyNotReal));
        return;
    }
    // Frequencies without a field limit, or without a known cable loss, are refused
    // rather than computed.
    if (!(EFieldLimit(f) > 0)) {
        ShowWarningText(toQ(RefusalText(Refusal::NoLimitAtFrequency)));
        return;
    }
    if (!InClosedRange(f, kCableLowestFrequency, kCableHighestFrequency)) {
        ShowWarningText(toQ(RefusalText(Refusal::CableFrequencyOutOfRange)));
        return;
    }
    m_state.FixedFrequency = f;
    setText(EditFreq, FormatBandEdge(f));
    m_state.FixedFrequencyMode = true;
    CBBand->setFocus();
    CBBand->setCurrentIndex(-1);
    UpdateBetriebsart();
    UpdateCable();
    calc();
}

// ---- cable page ----------------------------------------------------------------------

void TRadexaForm::UpdateCable() {
    m_state.BandIDX = static_cast<std::int16_t>(CBBand->currentIndex() + 1);
    m_state.AttFreq = m_state.FixedFrequencyMode ? m_state.FixedFrequency
                                                 : BandLowerEdge(m_state.BandIDX);
    m_state.CableIDX = static_cast<std::int16_t>(CLBCable->itemIndex() + 1);
    const CableValues v = UpdateCableValues(m_state.CableIDX, m_state.AttFreq,
                                            textOf(EditCableLength), textOf(EditPlugAtt));
    switch (v.refusal) {
    case Refusal::None:
        break;
    case Refusal::CableLengthNotReal:
        refuseField(EditCableLength, message(MessageId::MsgCableLengthNotReal));
        return;
    case Refusal::CableLengthNotPositive:
        refuseField(EditCableLength, message(MessageId::MsgCableLengthNotPositive));
        return;
    case Refusal::AttenuationNotPositive:
        refuseField(EditPlugAtt, message(MessageId::MsgAttenuationNotPositive));
        return;
    default:
        // No band, no cable, or a frequency outside the cable table: nothing to compute.
        if (m_state.AttFreq > 0)
            ShowWarningText(toQ(RefusalText(v.refusal)));
        return;
    }
    EditCableAtt100->setReadOnly(true);
    EditCableAtt100->setBackground(EditCableAtt100->palette().color(QPalette::Button));
    m_state.CableAtt100 = v.CableAtt100;
    m_state.CableLength = v.CableLength;
    m_state.CableAtt = v.CableAtt;
    m_state.PlugAtt = v.PlugAtt;
    m_state.TotalAtt = v.TotalAtt;
    setText(EditCableAtt100, FormatReal("%3.2f", v.CableAtt100));
    setText(EditCableLength, FormatReal("%3.2f", v.CableLength));
    setText(EditCableAtt, FormatReal("%3.2f", v.CableAtt));
    setText(EditPlugAtt, FormatReal("%3.2f", v.PlugAtt));
    setText(EditTotalAtt, FormatReal("%3.2f", v.TotalAtt));
    setText(EditAttFreq, FormatReal("%3.2f", v.AttFreq));
    setText(EditAtt, FormatReal("%3.2f", v.TotalAtt));
}

void TRadexaForm::EditCableLengthExit() {
    double v = 0;
    if (!TryStrToReal(textOf(EditCableLength), v)) {
        refuseField(EditCableLength, message(MessageId::MsgCableLengthNotReal));
        return;
    }
    UpdateCable();
    calc();
}

void TRadexaForm::EditPlugAttExit() {
    double v = 0;
    if (!TryStrToReal(textOf(EditPlugAtt), v)) {
        refuseField(EditPlugAtt, message(MessageId::MsgAttenuationNotReal));
        return;
    }
    UpdateCable();
    calc();
}

void TRadexaForm::ButGleichClick() {
    UpdateCable();
    calc();
}

void TRadexaForm::ButSetAttNullClick() {
    EditCableLength->setText(QStringLiteral("0"));
    EditPlugAtt->setText(QStringLiteral("0"));
    m_state.CableLength = 0;
    m_state.PlugAtt = 0;
    ButGleichClick();
}

void TRadexaForm::CLBCableClick(int index) {
    CLBCheckOnly(CLBCable, index);
    UpdateCable();
}

// ---- antenna choice ----------------------------------------------------------------------

double TRadexaForm::referenceFrequency() {
    if (m_state.FixedFrequencyMode)
        return m_state.FixedFrequency;
    m_state.BandIDX = static_cast<std::int16_t>(CBBand->currentIndex() + 1);
    return BandLowerEdge(m_state.BandIDX);
}

void TRadexaForm::clearChosenAntenna() {
    for (TEditAlign* e : {EditAntName, EditAntTyp, EditAntGain}) {
        e->clear();
        e->setToolTip(QString());
    }
}

void TRadexaForm::LBHerstellerClick() {
    if (!LBHersteller->currentItem() || !m_catalogue)
        return; // an empty catalogue has nothing to click
    LBTypen->clear();
    LBAntBand->clear();
    m_state.SelectedManufacturer = fromQ(LBHersteller->currentItem()->text());
    StringArray names;
    m_catalogue->GetNames(m_state.SelectedManufacturer, names);
    LBTypen->addItems(StringArrayToList(names));
    giveItemsTheirTextAsTip(LBTypen);
    setAngleTabVisible(false);
    ButTakeAnt->setEnabled(false);
    LaAngDataAvailable->hide();
    clearChosenAntenna();
    // With the chosen-antenna fields emptied, no antenna is chosen any more: a later band
    // change must not try to take the empty fields.
    m_state.BandLineIndex = -1;
}

void TRadexaForm::LBTypenClick() {
    if (!LBTypen->currentItem() || !m_catalogue)
        return;
    m_state.SelectedAntennaName = fromQ(LBTypen->currentItem()->text());
    const int i = m_catalogue->FindAntenna(m_state.SelectedAntennaName, m_state.SelectedManufacturer);
    if (i < 0)
        return;
    const RData& data = m_catalogue->Data()[static_cast<std::size_t>(i)];
    LBAntBand->clear();
    LBAntBand->addItems(StringArrayToList(PointListLines(data)));
    clearChosenAntenna();
    m_state.BandLineIndex = static_cast<std::int16_t>(FindFittingPoint(data, referenceFrequency()));
    LBAntBand->setCurrentRow(m_state.BandLineIndex);
    if (m_state.BandLineIndex < 0)
        LBAntBand->clearSelection();
    ButTakeAnt->setEnabled(m_state.BandLineIndex >= 0);
    LaAngDataAvailable->hide();
    setAngleTabVisible(false);
    if (m_state.BandLineIndex < 0)
        return;
    EditAntName->setText(toQ(m_state.SelectedAntennaName));
    EditAntTyp->setText(toQ(m_catalogue->Types()[static_cast<std::size_t>(i)]));
    setText(EditAntGain,
            FormatReal("%3.2f", data.Gains[static_cast<std::size_t>(m_state.BandLineIndex)]));
    for (TEditAlign* e : {EditAntName, EditAntTyp, EditAntGain})
        e->setToolTip(e->text());
    WinkelLaden(i);
}

void TRadexaForm::ButTakeAntClick() {
    EditAntenne->setText(EditAntName->text());
    EditGain->setText(EditAntGain->text());
    double gain = 0;
    if (!TryStrToReal(textOf(EditGain), gain)) {
        refuseField(EditGain, message(MessageId::MsgGainNotReal));
        return;
    }
    m_state.AntennaGain = gain;
    calc();
    if (m_catalogue)
        m_state.TakenAntennaIndex =
            m_catalogue->FindAntenna(m_state.SelectedAntennaName, m_state.SelectedManufacturer);
}

void TRadexaForm::MIAntennenNeuLadenClick() {
    m_catalogue.reset();
    AfterCreation();
    showPage(0);
}

// ---- angle data ----------------------------------------------------------------------

void TRadexaForm::WinkelLaden(int catalogueIndex) {
    LaAngDataAvailable->hide();
    m_angleDataAvailable = false;
    setAngleTabVisible(false);
    const auto k = static_cast<std::size_t>(catalogueIndex);
    const std::string file =
        AngleFileName(QFile::encodeName(m_paths.AngleDataFolder).toStdString(),
                      m_catalogue->Manufacturers()[k], m_catalogue->Names()[k]);
    if (file.empty() || !QFileInfo::exists(QFile::decodeName(file.c_str())))
        return;
    if (WinkelLesen(QFile::decodeName(file.c_str()))) {
        LaAngDataAvailable->show();
        m_angleDataAvailable = true;
    }
}

bool TRadexaForm::WinkelLesen(const QString& fileName) {
    const double reference = m_state.FixedFrequencyMode ? kUndefined : referenceFrequency();
    try {
        auto data = std::make_unique<TWinkAnt>(
            ReadAngleFile(QFile::encodeName(fileName).toStdString(), reference));
        m_winkAnt = std::move(data);
    } catch (const AngleDataError& e) {
        ShowWarningText(QStringLiteral("Trouble reading angle data of chosen antenna ") +
                        toQ(e.what()));
        return false;
    }
    RGPol->setItemIndex(PreselectedPolarisation(*m_winkAnt) == Polarisation::Vertical ? 0 : 1);
    UpdateWinkelPage();
    return true;
}

void TRadexaForm::UpdateWinkelPage() {
    if (m_winkAnt)
        LaWinkAnt->setText(toQ(m_winkAnt->Title));
}

void TRadexaForm::WinkelCalc() {
    m_state.PatternEirp.clear();
    if (!m_angleDataAvailable || !m_winkAnt)
        return;
    setAngleTabVisible(true);
    PatternLists lists;
    if (m_lastCalcOk) {
        const Polarisation pol = RGPol->itemIndex() == 1 ? Polarisation::Horizontal
                                                         : Polarisation::Vertical;
        lists = ComputePattern(*m_winkAnt, pol, m_state.EIRP, m_state.MeanEIRP, m_state.ELimit);
    }
    m_state.PatternAngles = lists.PatternAngles;
    m_state.PatternAttenuations = lists.PatternAttenuations;
    m_state.PatternEirp = lists.PatternEirp;
    m_state.PatternDistances = lists.PatternDistances;

    angleTableModel->setTable(std::move(lists),
                              AngleTableHeader(fromQ(message(MessageId::AngleTableHeader))));
}

std::vector<StringArray> TRadexaForm::angleTable() const {
    std::vector<StringArray> rows{angleTableModel->header()};
    for (auto& row : AngleTableRows(angleTableModel->lists()))
        rows.push_back(std::move(row));
    return rows;
}

void TRadexaForm::RGPolClick(int index) {
    if (!m_winkAnt)
        return;
    const Polarisation clicked = index == 1 ? Polarisation::Horizontal : Polarisation::Vertical;
    RGPol->setItemIndex(ClickedPolarisation(*m_winkAnt, clicked) == Polarisation::Vertical ? 0 : 1);
    WinkelCalc();
}

// ---- picture windows, help, about ------------------------------------------------------

PictureCaption TRadexaForm::pictureCaption() const {
    PictureCaption c;
    c.title = m_winkAnt ? m_winkAnt->Title : std::string();
    c.power = m_state.Power;
    c.antennaGain = m_state.AntennaGain;
    c.bandName = HamBands(m_state.BandIDX);
    c.fixedFrequencyMode = m_state.FixedFrequencyMode;
    c.fixedFrequency = m_state.FixedFrequency;
    return c;
}

void TRadexaForm::ButSeitenansichtClick() {
    SideViewData data;
    if (!TryStrToReal(textOf(EditHoehe), data.antennaHeight)) {
        // Opening nothing without a word would leave the operator guessing.
        ShowWarningText(QStringLiteral("Antenna height must be a real number!"));
        return;
    }
    data.angles = m_state.PatternAngles;
    data.distances = m_state.PatternDistances;
    data.caption = pictureCaption();
    TFormSeitenansicht::execute(this, data);
}

void TRadexaForm::ButDiagrammClick() {
    DiagramData data;
    data.angles = m_state.PatternAngles;
    data.attenuations = m_state.PatternAttenuations;
    data.caption = pictureCaption();
    TFormDiagramm::execute(this, data);
}

void TRadexaForm::MIHelpClick() { openHelpDocument(); }

void TRadexaForm::MIAboutClick() { showAbout(this); }

// ---- closing -------------------------------------------------------------------------------

void TRadexaForm::MIEndClick() { close(); }

void TRadexaForm::FormClose() {
    const WindowPosition pos{x(), y()};
    if (WriteWindowPosition(m_paths.SettingsFile, pos))
        return;
    // The folder of the settings file cannot be written: keep the position in the
    // user's own configuration folder instead. The window closes in any case.
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!configFolder.isEmpty())
        WriteWindowPosition(QDir(configFolder).filePath(QStringLiteral("Radexa.ini")), pos);
}

void TRadexaForm::closeEvent(QCloseEvent* event) {
    if (!m_closing) {
        m_closing = true;
        FormClose();
    }
    event->accept();
}

} // namespace radexa
