// The main window: start-up, shut-down, and the handlers of the calculation, the Mode
// and Cable pages, the antenna choice and the Angle page.

#include "gui/app/mainwindow.h"

#include "core/antennas/angledata.h"
#include "core/antennas/angletable.h"
#include "core/antennas/catalogue.h"
#include "core/antennas/patterncatalogue.h"
#include "core/app/limitspage.h"
#include "core/app/stationpictures.h"
#include "core/calc/calc.h"
#include "core/graphics/diagram.h"
#include "core/graphics/sideview.h"
#include "core/support/textnumbers.h"
#include "gui/app/about.h"
#include "gui/app/maintainer.h"
#include "gui/app/settingslocation.h"
#include "gui/app/splash.h"
#include "gui/app/windowplacement.h"
#include "gui/graphics/diagramwindow.h"
#include "gui/graphics/sideviewwindow.h"
#include "gui/support/controls.h"
#include "gui/support/editalign.h"
#include "gui/support/platform.h"
#include "gui/support/text.h"

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
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

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

// Writes the text only when it differs, so that rendering the same model twice changes
// nothing and a field's own change signals fire only for real changes.
void setText(QLineEdit* field, const QString& text) {
    if (field->text() != text)
        field->setText(text);
}
void setText(QLineEdit* field, const std::string& cp1252) {
    setText(field, toQ(cp1252));
}

// Long names are cut off by the fixed list width; the tip shows them whole.
// They are no hints: the hints switch of a language leaves them on.
void giveItemsTheirTextAsTip(QListWidget* list) {
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setToolTip(list->item(i)->text());
    list->viewport()->setProperty(kFullTextTip, true);
}

std::string textOf(const TEditAlign* field) {
    return fromQ(field->text());
}

// Selects one row of a list, or none.
void selectRow(QListWidget* list, int row) {
    if (row >= 0 && row < list->count()) {
        if (list->currentRow() != row || !list->item(row)->isSelected())
            list->setCurrentRow(row);
    } else {
        list->clearSelection();
        list->setCurrentRow(-1);
    }
}

// The row a list's selection names; a current item without a selection names nothing.
int selectedRow(const QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? kNoPosition : list->row(items.front());
}

// Fills a list with the texts when they differ from what it shows.
void fillList(QListWidget* list, StringArray& shown, const StringArray& texts) {
    if (shown == texts && list->count() == static_cast<int>(texts.size()))
        return;
    shown = texts;
    list->clear();
    list->addItems(StringArrayToList(texts));
    giveItemsTheirTextAsTip(list);
}

} // namespace

QString MainWindowCaption() {
    return QStringLiteral("Radexa v 1.5 ") +
           QStringLiteral("by %1 (%2)")
               .arg(QString::fromUtf8(maintainer::Name), QString::fromUtf8(maintainer::CallSign));
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
    // Five long captions (Swedish, or a larger system font) must not push the last tab
    // behind scroll arrows: the tabs share the width, a caption too long is shortened.
    PageControl->setUsesScrollButtons(false);
    PageControl->setElideMode(Qt::ElideRight);
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
    TSLimits = page("TSLimits", "Limits");
    buildAntennaPage(TSAnt);
    buildModePage(TSMode);
    buildCablePage(TSCable);
    buildAnglePage(TSAngle);
    for (int i = 1; i <= kBandCount; ++i)
        CBBand->addItem(toQ(HamBands(i)));
    CBBand->setCurrentIndex(-1);
    setFixedSize(655, 415 + menuBar()->sizeHint().height());
    // Enter presses the button that has the focus, as Space does.
    for (QPushButton* b : {ButTakeAnt, ButSetAttNull, ButGleich, ButDiagramm, ButSeitenansicht})
        b->setAutoDefault(true);
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

void TRadexaForm::onTyped(TEditAlign* field, std::function<void(const std::string&)> handler) {
    connect(field, &QLineEdit::textChanged, this,
            [this, handler = std::move(handler)](const QString& t) {
                if (!m_rendering)
                    handler(fromQ(t));
            });
}

void TRadexaForm::connectHandlers() {
    connect(CBBand, qOverload<int>(&QComboBox::activated), this, [this] { CBBandChange(); });
    connect(EditFreq, &TEditAlign::doubleClicked, this, [this] { EditFreqDblClick(); });
    connect(EditrPS, &TEditAlign::doubleClicked, this, [this] { EditrPSDblClick(); });
    onExit(EditPower, [this] { calcCall(); });
    onTyped(EditPower, [this](const std::string& t) { m_model.typePowerText(t); });
    connect(EditAntenne, &TEditAlign::clicked, this, [this] { showPage(0); });
    connect(EditAntenne, &QLineEdit::textChanged, this, [this] { showPage(0); });
    connect(EditGain, &TEditAlign::clicked, this, [this] { showPage(0); });
    connect(EditMode, &TEditAlign::clicked, this, [this] { showPage(1); });
    connect(EditAtt, &TEditAlign::clicked, this, [this] { showPage(2); });

    // A radio button chosen by mouse or by the arrow keys.
    for (TRadioGroup* g : {RGMode, RGDutyCycle, RGFCCBNetzA})
        connect(g, &TRadioGroup::clicked, this, [this] { UpdateBetriebsart(); });

    // The cable list has one tick: the cable chosen by click, Space or the arrow keys.
    connect(CLBCable, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_rendering && row >= 0)
            CLBCableClick(row);
    });
    onExit(EditCableLength, [this] { EditCableLengthExit(); });
    onExit(EditCableAtt100, [this] { EditCableLengthExit(); });
    onExit(EditPlugAtt, [this] { EditPlugAttExit(); });
    onTyped(EditCableLength, [this](const std::string& t) { m_model.typeCableLengthText(t); });
    onTyped(EditPlugAtt, [this](const std::string& t) { m_model.typePlugAttText(t); });
    onTyped(EditHoehe, [this](const std::string& t) { m_model.setHeightText(t); });
    connect(ButGleich, &QPushButton::clicked, this, [this] { ButGleichClick(); });
    connect(ButSetAttNull, &QPushButton::clicked, this, [this] { ButSetAttNullClick(); });

    // A selection made by mouse or keyboard highlights; the lists are refilled after the
    // list's own signal is over. Whether the window made the selection while rendering is
    // decided when the list signals, not when the queued handler runs (by then the
    // rendering is over, and the window's own selection would be taken for the operator's).
    auto onSelection = [this](QListWidget* list, void (TRadexaForm::*handler)()) {
        connect(list, &QListWidget::itemSelectionChanged, this, [this, handler] {
            if (!m_rendering)
                QMetaObject::invokeMethod(
                    this, [this, handler] { (this->*handler)(); }, Qt::QueuedConnection);
        });
    };
    onSelection(LBHersteller, &TRadexaForm::LBHerstellerClick);
    onSelection(LBTypen, &TRadexaForm::LBTypenClick);
    // The point list only shows the fitting point: a choice there is put back.
    onSelection(LBAntBand, &TRadexaForm::LBTypenClick);
    connect(ButTakeAnt, &QPushButton::clicked, this, [this] { ButTakeAntClick(); });

    connect(RGPol, &TRadioGroup::clicked, this, [this](int i) { RGPolClick(i); });
    // The Limits page is built when it is first shown (start-up stays quick).
    connect(PageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (PageControl->widget(index) == TSLimits)
            ShowLimitsPage();
    });
    connect(SGWinkel, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PM->popup(SGWinkel->viewport()->mapToGlobal(at)); });
    connect(MIEnd, &QAction::triggered, this, [this] { MIEndClick(); });
    connect(MIopen, &QAction::triggered, this, [this] { MIopenClick(); });
    connect(MISave, &QAction::triggered, this, [this] { MISaveClick(); });
    connect(MISaveAs, &QAction::triggered, this, [this] { MISaveAsClick(); });
    connect(MIReport, &QAction::triggered, this, [this] { MIReportClick(); });
    connect(MIEigeneAntenne, &QAction::triggered, this, [this] { MIEigeneAntenneClick(); });
    connect(MIModelAntenna, &QAction::triggered, this, [this] { MIModelAntennaClick(); });
    connect(MIImportPattern, &QAction::triggered, this, [this] { MIImportPatternClick(); });
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
    const QString configFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const SettingsLocation where = FindSettingsLocation(m_paths.ProgramFolder, configFolder);
    m_paths.SettingsFile = where.writeTo;
    const WindowPosition pos = ReadWindowPosition(where.readFrom);
    QList<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens << primary->availableGeometry();
    for (QScreen* s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen())
            screens << s->availableGeometry();
    move(KeepTitleOnScreen(QPoint(pos.left, pos.top), frameGeometry().size(), screens));
    m_paths.UserAntennaFileName = QStringLiteral("AntUser.txt");
    // The interface texts are English at start-up.
    qApp->installEventFilter(this);
    MIEnglishClick();
}

bool TRadexaForm::AfterCreation() {
    showPage(0);
    QApplication::processEvents();
    m_paths.CatalogueFileName = QStringLiteral("Antennas.txt");
    m_paths.AngleDataFolder = m_paths.ProgramFolder + QStringLiteral("ang/");
    StationPaths paths;
    paths.catalogueFile = QFile::encodeName(m_paths.CatalogueFileName).toStdString();
    paths.userAntennaFile = QFile::encodeName(m_paths.UserAntennaFileName).toStdString();
    // The program's ang/ first, then the operator's own folder of angle data.
    paths.angleFolders = AngleDataFolders(QFile::encodeName(m_paths.AngleDataFolder).toStdString());
    const Outcome loaded = m_model.loadCatalogue(paths);
    m_catalogueMissing = loaded.refused;
    apply(loaded);
    return !m_catalogueMissing;
}

void TRadexaForm::showPage(int index) {
    PageControl->setCurrentIndex(index);
}

void TRadexaForm::setAngleTabVisible(bool visible) {
    const int tab = PageControl->indexOf(TSAngle);
    // A hidden tab must not be reached by the arrow keys or Ctrl+Tab either: those skip
    // only disabled tabs. A page that goes while shown gives way to the Antenna page.
    if (!visible && PageControl->currentIndex() == tab)
        showPage(0);
    PageControl->setTabEnabled(tab, visible);
    PageControl->setTabVisible(tab, visible);
}

void TRadexaForm::refuseField(TEditAlign* field, const QString& message) {
    const bool outer = !m_refusing;
    m_refusing = true;
    ++m_fieldsRefused;
    field->clear();
    field->setFocus();
    ShowWarningText(message);
    if (outer)
        m_refusing = false;
}

bool TRadexaForm::leaveTypedField() {
    auto* field = qobject_cast<TEditAlign*>(QApplication::focusWidget());
    if (!field || field->window() != this)
        return true;
    const int before = m_fieldsRefused;
    emit field->exited();
    return m_fieldsRefused == before;
}

bool TRadexaForm::calculateWhatIsShown() {
    if (!leaveTypedField())
        return false;
    if (m_model.last().input.TotalAtt == m_model.cablePage().TotalAtt)
        return true;
    const int before = m_fieldsRefused;
    calcCall();
    return m_fieldsRefused == before;
}

// ---- the model on the window ------------------------------------------------------

void TRadexaForm::render() {
    const bool outer = !m_rendering;
    m_rendering = true;
    const StationModel& m = m_model;

    // Input group.
    CBBand->setCurrentIndex(m.frequency().FixedFrequencyMode ? -1 : m.frequency().BandIDX - 1);
    setText(EditFreq, m.frequencyText());
    setText(EditAntenne, m.antennaText());
    setText(EditPower, m.powerText());
    setText(EditMode, ModeText(m.modeIdx()));
    const CalcTexts out = m.outputTexts();
    setText(EditGain, out.EditGain);

    // Output groups.
    setText(EditEps, out.EditEps);
    setText(EditAntIn, out.EditAntIn);
    setText(EditEIRP, out.EditEIRP);
    setText(EditrPS, out.EditrPS);
    setText(EditrNahfeld, out.EditrNahfeld);

    // Mode page.
    const Factors f = m.factors();
    RGMode->setItemIndex(m.modeIdx() - 1);
    RGDutyCycle->setItemIndex(m.rhythmItem());
    RGFCCBNetzA->setItemIndex(m.factorTableItem());
    setText(EditModeFactor, FormatReal("%3.2f", f.ModeFactor));
    setText(EditDutyCycle, FormatReal("%3.2f", f.DutyCycle));
    setText(EditFactor, FormatReal("%3.2f", f.Factor));
    setText(EditFmodPers, FormatReal("%3.2f", f.ModeFactor));
    setText(EditFB, FormatReal("%3.2f", f.DutyCycle));
    const QColor face = EditModeFactor->palette().color(QPalette::Button);
    EditModeFactor->setBackground(f.ModeFactor < 1 ? kModeFactorColour : face);
    EditDutyCycle->setBackground(f.DutyCycle < 1 ? QColor(Qt::red) : face);
    EditFactor->setBackground(f.Factor < 1 ? QColor(Qt::red) : face);
    setTextColour(STRXTX, f.DutyCycle < 1 ? QColor(Qt::red) : kGrey);
    const std::string table = m.factorTableText();
    setTextColour(STFCC, table == "FCC" ? kModeFactorColour : kGrey);
    setTextColour(STBNetzA, table.rfind("BNetzA", 0) == 0 ? kGreen : kGrey);

    // Cable page: one tick, on the cable whose values the page shows.
    for (int i = 0; i < CLBCable->count(); ++i)
        CLBCable->setChecked(i, i == m.cableIdx() - 1);
    if (CLBCable->currentRow() != m.cableIdx() - 1)
        CLBCable->setCurrentRow(m.cableIdx() - 1);
    const CableValues page = m.cablePage();
    setText(EditAttFreq, FormatReal("%3.2f", page.AttFreq));
    setText(EditCableAtt100, page.CableAtt100 == kUndefined
                                 ? std::string("---")
                                 : FormatReal("%3.2f", page.CableAtt100));
    setText(EditCableLength, m.cableLengthText());
    setText(EditCableAtt, FormatReal("%3.2f", page.CableAtt));
    setText(EditPlugAtt, m.plugAttText());
    setText(EditTotalAtt, FormatReal("%3.2f", page.TotalAtt));
    setText(EditAtt, FormatReal("%3.2f", page.TotalAtt));

    renderAntennaLists();

    // Angle page: the taken antenna's angle data, or no page.
    const bool angles = m.anglePageShown();
    setAngleTabVisible(angles);
    if (angles) {
        LaWinkAnt->setText(toQ(m.taken()->angles->Title));
        RGPol->setItemIndex(m.taken()->polarisation == Polarisation::Vertical ? 0 : 1);
    }
    angleTableModel->setTable(m.last().pattern,
                              AngleTableHeader(fromQ(message(MessageId::AngleTableHeader))));
    setText(EditHoehe, m.heightText());
    if (SGLimits)
        renderLimitsPage();
    if (outer)
        m_rendering = false;
}

namespace {

constexpr LimitSet kLimitSets[] = {LimitSet::Icnirp1998, LimitSet::Icnirp2020, LimitSet::Fcc,
                                   LimitSet::Sc6};
constexpr GroundReflection kGrounds[] = {GroundReflection::None, GroundReflection::Typical,
                                         GroundReflection::Full};

template <typename T, std::size_t N> int indexIn(const T (&items)[N], T item) {
    return static_cast<int>(std::find(std::begin(items), std::end(items), item) -
                            std::begin(items));
}

} // namespace

void TRadexaForm::renderLimitsPage() {
    const StationModel& m = m_model;
    const LimitChoice& choice = m.limitChoice();
    CBLimits->setCurrentIndex(indexIn(kLimitSets, choice.set));
    RGTier->setItemIndex(choice.tier == LimitTier::Public ? 0 : 1);
    RGTier->button(1)->setEnabled(HasTier(choice.set, LimitTier::Occupational));
    RGGround->setItemIndex(indexIn(kGrounds, choice.ground));
    setText(EditExemptDist, m.exemptionDistanceText());

    const auto exemption = m.exemption();
    LaExemption->setText(exemption ? toQ(ExemptionText(*exemption, m_language)) : QString());
    LaGroundNote->setText(m.groundInPattern() && choice.ground != GroundReflection::None
                              ? message(MessageId::MsgGroundInPattern)
                              : QString());

    const QStringList header = message(MessageId::LimitsTableHeader).split(QLatin1Char(';'));
    SGLimits->setHorizontalHeaderLabels(header);
    const LimitChecksTable checks = LimitChecksTexts(m.last().limits, m_language);
    SGLimits->setRowCount(static_cast<int>(checks.rows.size()));
    for (int r = 0; r < static_cast<int>(checks.rows.size()); ++r) {
        const StringArray& cells = checks.rows[static_cast<std::size_t>(r)];
        const bool binding = r == checks.binding;
        for (int col = 0; col < 6; ++col) {
            auto* item = new QTableWidgetItem(toQ(cells[static_cast<std::size_t>(col)]));
            item->setTextAlignment(col == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                            : Qt::AlignRight | Qt::AlignVCenter);
            QFont f = SGLimits->font();
            f.setBold(binding);
            item->setFont(f);
            SGLimits->setItem(r, col, item);
        }
    }
}

void TRadexaForm::renderAntennaLists() {
    const StationModel& m = m_model;
    if (m.catalogue() != m_listedCatalogue) {
        m_listedCatalogue = m.catalogue();
        QStringList names = m_listedCatalogue
                                ? StringArrayToList(m_listedCatalogue->GetManufacturers())
                                : QStringList();
        QCollator order;
        order.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
            return order.compare(a, b) < 0;
        });
        LBHersteller->clear();
        LBHersteller->addItems(names);
        giveItemsTheirTextAsTip(LBHersteller);
        m_listedNames.clear();
        m_listedPoints.clear();
    }
    int manufacturer = kNoPosition;
    const QString highlighted = toQ(m.highlightedManufacturer());
    for (int i = 0; i < LBHersteller->count() && !highlighted.isEmpty(); ++i)
        if (LBHersteller->item(i)->text() == highlighted)
            manufacturer = i;
    selectRow(LBHersteller, manufacturer);
    fillList(LBTypen, m_listedNames, m.names());
    selectRow(LBTypen, m.highlightedRow());
    fillList(LBAntBand, m_listedPoints, m.pointLines());
    selectRow(LBAntBand, m.highlighted().point);

    const AntennaEvaluation& h = m.highlighted();
    setText(EditAntName, h.name);
    setText(EditAntTyp, h.type);
    setText(EditAntGain, h.gainText);
    for (TEditAlign* e : {EditAntName, EditAntTyp, EditAntGain}) {
        e->setToolTip(e->text());
        e->setProperty(kFullTextTip, true);
    }
    LaAngDataAvailable->setVisible(h.angleDataAvailable);
    ButTakeAnt->setEnabled(h.fits());
}

QString TRadexaForm::noticeText(const Notice& notice) const {
    if (notice.refusal == Refusal::OutsideLimitSet || notice.refusal == Refusal::NoLimitTier)
        return toQ(LimitRefusalMessage(notice.refusal, m_model.limitChoice(), m_language));
    QString text = notice.message ? message(*notice.message) : toQ(RefusalText(notice.refusal));
    if (notice.subject == NoticeSubject::AngleData)
        return QStringLiteral("Trouble reading angle data of chosen antenna ") + toQ(notice.detail);
    if (!notice.detail.empty())
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + toQ(notice.detail);
    return text;
}

void TRadexaForm::report(const Notices& notices) {
    for (const Notice& n : notices) {
        TEditAlign* field = n.field == InputField::Power         ? EditPower
                            : n.field == InputField::CableLength ? EditCableLength
                            : n.field == InputField::PlugAtt     ? EditPlugAtt
                                                                 : nullptr;
        if (field)
            refuseField(field, noticeText(n));
        else
            ShowWarningText(noticeText(n));
    }
}

void TRadexaForm::apply(const Outcome& outcome) {
    render();
    report(outcome.notices);
}

// ---- bands, mode page, calculation ------------------------------------------------

void TRadexaForm::CBBandChange() {
    const Outcome o = m_model.chooseBand(CBBand->currentIndex() + 1);
    apply(o);
}

void TRadexaForm::UpdateBetriebsart() {
    Notices notices;
    auto take = [&notices](Outcome o) {
        for (auto& n : o.notices)
            notices.push_back(std::move(n));
    };
    // Only what differs is handed on, so that one click recalculates once.
    if (RGMode->itemIndex() + 1 != m_model.modeIdx())
        take(m_model.chooseMode(RGMode->itemIndex() + 1));
    if (RGDutyCycle->itemIndex() != m_model.rhythmItem())
        take(m_model.chooseRhythm(RGDutyCycle->itemIndex()));
    if (RGFCCBNetzA->itemIndex() != m_model.factorTableItem())
        take(m_model.chooseFactorTable(RGFCCBNetzA->itemIndex()));
    Outcome o;
    o.notices = std::move(notices);
    apply(o);
}

void TRadexaForm::calcCall() {
    apply(m_model.calculate());
}

void TRadexaForm::EditrPSDblClick() {
    const auto text =
        dialogs().textInput(this, message(MessageId::MsgDistanceCaption),
                            message(MessageId::MsgDistancePrompt), QStringLiteral("10"));
    if (!text)
        return;
    apply(m_model.setPowerForDistance(fromQ(*text)));
}

void TRadexaForm::EditFreqDblClick() {
    const auto text =
        dialogs().textInput(this, message(MessageId::MsgFrequencyCaption),
                            message(MessageId::MsgFrequencyPrompt), QStringLiteral("145"));
    if (!text)
        return;
    const Outcome o = m_model.setFixedFrequency(fromQ(*text));
    if (!o.refused)
        CBBand->setFocus();
    apply(o);
}

// ---- cable page ----------------------------------------------------------------------

void TRadexaForm::EditCableLengthExit() {
    apply(m_model.setCableLengthText(textOf(EditCableLength)));
}

void TRadexaForm::EditPlugAttExit() {
    apply(m_model.setPlugAttText(textOf(EditPlugAtt)));
}

void TRadexaForm::ButGleichClick() {
    apply(m_model.recalculateCable());
}

void TRadexaForm::ButSetAttNullClick() {
    apply(m_model.setAllAttenuationsToZero());
}

void TRadexaForm::CLBCableClick(int index) {
    apply(m_model.tickCable(index + 1));
}

// ---- antenna choice ----------------------------------------------------------------------

void TRadexaForm::LBHerstellerClick() {
    const int row = selectedRow(LBHersteller);
    apply(m_model.highlightManufacturer(row >= 0 ? fromQ(LBHersteller->item(row)->text())
                                                 : std::string()));
}

void TRadexaForm::LBTypenClick() {
    apply(m_model.highlightAntenna(selectedRow(LBTypen)));
}

void TRadexaForm::ButTakeAntClick() {
    if (m_model.highlighted().fits())
        apply(m_model.takeAntenna());
}

void TRadexaForm::MIAntennenNeuLadenClick() {
    apply(m_model.reloadCatalogue());
    showPage(0);
}

void TRadexaForm::RGPolClick(int index) {
    apply(
        m_model.choosePolarisation(index == 1 ? Polarisation::Horizontal : Polarisation::Vertical));
}

// ---- Limits page ---------------------------------------------------------------------------

void TRadexaForm::ShowLimitsPage() {
    if (!SGLimits) {
        buildLimitsPage(TSLimits);
        // Made after the window was shown: its controls are shown by hand.
        for (QWidget* w : TSLimits->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            w->show();
        connect(CBLimits, qOverload<int>(&QComboBox::activated), this,
                [this] { CBLimitsChange(); });
        connect(RGTier, &TRadioGroup::clicked, this, [this](int i) { RGTierClick(i); });
        connect(RGGround, &TRadioGroup::clicked, this, [this](int i) { RGGroundClick(i); });
        onExit(EditExemptDist, [this] { EditExemptDistExit(); });
        // Its captions in the language in force, then its values.
        putLanguageTexts(TSLimits);
        render();
    }
    PageControl->setCurrentWidget(TSLimits);
}

void TRadexaForm::CBLimitsChange() {
    const int i = CBLimits->currentIndex();
    if (i >= 0 && i < static_cast<int>(std::size(kLimitSets)))
        apply(m_model.chooseLimitSet(kLimitSets[i]));
}

void TRadexaForm::RGTierClick(int index) {
    apply(m_model.chooseTier(index == 1 ? LimitTier::Occupational : LimitTier::Public));
}

void TRadexaForm::RGGroundClick(int index) {
    if (index >= 0 && index < static_cast<int>(std::size(kGrounds)))
        apply(m_model.chooseGround(kGrounds[index]));
}

void TRadexaForm::EditExemptDistExit() {
    const Outcome o = m_model.setExemptionDistanceText(textOf(EditExemptDist));
    if (o.refused) {
        ++m_fieldsRefused;
        EditExemptDist->setFocus();
    }
    apply(o);
}

std::vector<StringArray> TRadexaForm::angleTable() const {
    return m_model.angleTable(fromQ(message(MessageId::AngleTableHeader)));
}

// ---- picture windows, help, about ------------------------------------------------------

// A station the calculation refuses ("---") has no zone: the pictures say why rather than
// that the angle data were missing.
bool TRadexaForm::refusedForPictures() {
    const Refusal refusal = m_model.last().result.refusal;
    if (m_model.last().result.ok())
        return false;
    ShowWarningText(
        QStringLiteral("The station cannot be computed, so there is nothing to draw: ") +
        toQ(LimitRefusalMessage(refusal, m_model.limitChoice(), Language::English)));
    return true;
}

void TRadexaForm::ButSeitenansichtClick() {
    if (refusedForPictures())
        return;
    const std::optional<SideViewData> view = StationSideView(m_model);
    if (!view) {
        // Opening nothing without a word would leave the operator guessing.
        ShowWarningText(QStringLiteral("Antenna height must be a real number!"));
        return;
    }
    TFormSeitenansicht::execute(this, *view);
}

void TRadexaForm::ButDiagrammClick() {
    if (refusedForPictures())
        return;
    TFormDiagramm::execute(this, StationDiagram(m_model));
}

void TRadexaForm::MIHelpClick() {
    openHelpDocument();
}

void TRadexaForm::MIAboutClick() {
    showAbout(this);
}

// ---- closing -------------------------------------------------------------------------------

void TRadexaForm::MIEndClick() {
    close();
}

void TRadexaForm::FormClose() {
    const WindowPosition pos{x(), y()};
    if (WriteWindowPosition(m_paths.SettingsFile, pos))
        return;
    // The folder of the settings file cannot be written: keep the position in the
    // user's own configuration folder instead. The window closes in any case.
    const QString configFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
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
