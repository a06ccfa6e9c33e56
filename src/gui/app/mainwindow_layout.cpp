// The main window's controls, their places, captions, colours and fonts.

#include "gui/app/mainwindow.h"

#include "gui/support/controls.h"
#include "gui/support/editalign.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include "core/calc/limits.h"
#include "gui/support/text.h"

#include "gui/app/angletablemodel.h"

namespace radexa {

namespace {

const QColor kOutputRed(171, 226, 131); // the distance field (red 171, green 226, blue 131)
const QColor kNearField(255, 174, 253);

template <typename T, typename... Args> T* make(QWidget* parent, const char* name, Args&&... args) {
    auto* w = new T(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, int x, int y, int w,
              int h = 21) {
    auto* l = make<QLabel>(parent, name, caption);
    l->setGeometry(x, y, w, h);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

QColor buttonFace(const QWidget* w) {
    return w->palette().color(QPalette::Button);
}

TEditAlign* field(QWidget* parent, const char* name, int x, int y, int w, bool readOnly,
                  int h = 21) {
    auto* e = make<TEditAlign>(parent, name);
    e->setGeometry(x, y, w, h);
    e->setReadOnly(readOnly);
    if (readOnly)
        e->setBackground(buttonFace(e));
    else
        e->setBackground(Qt::white);
    return e;
}

// A read-only result field: grey and skipped by Tab.
TEditAlign* output(QWidget* parent, const char* name, int x, int y, int w) {
    auto* e = field(parent, name, x, y, w, true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

QFont fixedPitch() {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(8);
    return f;
}

QString lines(std::initializer_list<const char*> parts) {
    QStringList l;
    for (const char* p : parts)
        l << QString::fromUtf8(p);
    return l.join(QStringLiteral("\n"));
}

// The selected cable is written in bold.
class BoldSelectionDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->state & QStyle::State_Selected)
            option->font.setBold(true);
    }
};

// The label-and-field rows of the input and output groups.
constexpr int kRowLabelX = 8, kRowLabelWidth = 130, kRowFieldX = 140, kRowFieldWidth = 93;
constexpr int rowY(int i) {
    return 22 + i * 23;
}

} // namespace

void TRadexaForm::buildMenus() {
    auto* bar = menuBar();
    auto menu = [&](const char* name, const QString& caption) {
        auto* m = bar->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto action = [&](QMenu* m, const char* name, const QString& caption) {
        auto* a = m->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    MIDatei = menu("MIDatei", "&File");
    MIopen = action(MIDatei, "MIopen", "&Open");
    MISave = action(MIDatei, "MISave", "&Save");
    MISaveAs = action(MIDatei, "MISaveAs", "Save &as ...");
    MIReport = action(MIDatei, "MIReport", "Save &report ...");
    MIDatei->addSeparator();
    MIEigeneAntenne = action(MIDatei, "MIEigeneAntenne", "Construct &own antenna");
    MIModelAntenna = action(MIDatei, "MIModelAntenna", "&Model antenna ...");
    MIImportPattern = action(MIDatei, "MIImportPattern", "&Import pattern ...");
    MIDatei->addSeparator();
    MIEnd = action(MIDatei, "MIEnd", "&Close");
    MIInfos = menu("MIInfos", "&Infos");
    MIHelp = action(MIInfos, "MIHelp", "&Help");
    MIAbout = action(MIInfos, "MIAbout", "&About");
    MILanguage = menu("MILanguage", "&Language");
    MIGerman = action(MILanguage, "MIGerman", "Deutsch");
    MIEnglish = action(MILanguage, "MIEnglish", "English");
    MIFrench = action(MILanguage, "MIFrench", "French");
    MISwedish = action(MILanguage, "MISwedish", "Swedish");
    for (QAction* a : {MIGerman, MIEnglish, MIFrench, MISwedish})
        a->setCheckable(true);
    MIEnglish->setChecked(true);
}

void TRadexaForm::buildInputGroup(QWidget* c) {
    GBEingabe = make<QGroupBox>(c, "GBEingabe", "Input");
    GBEingabe->setGeometry(8, 7, 241, 186);
    QWidget* g = GBEingabe;
    const int lx = kRowLabelX, lw = kRowLabelWidth, fx = kRowFieldX, fw = kRowFieldWidth;
    LaHamBand = label(g, "LaHamBand", "Ham-Band", lx, rowY(0), lw);
    CBBand = make<QComboBox>(g, "CBBand");
    CBBand->setGeometry(fx, rowY(0), fw, 21);
    CBBand->setEditable(false);
    LaFreq = label(g, "LaFreq", "Freq. [MHz]", lx, rowY(1), lw);
    EditFreq = field(g, "EditFreq", fx, rowY(1), fw, true);
    LaAntenna = label(g, "LaAntenna", "Antenna", lx, rowY(2), lw);
    EditAntenne = field(g, "EditAntenne", fx, rowY(2), fw, true);
    EditAntenne->setCursor(Qt::ArrowCursor);
    EditAntenne->setFocusPolicy(Qt::NoFocus);
    LaPower = label(g, "LaPower", "Power [W]", lx, rowY(3), lw);
    EditPower = field(g, "EditPower", fx, rowY(3), fw, false);
    EditPower->setText("100");
    EditPower->setExitOnEnterKey(true);
    LaMode = label(g, "LaMode", "Mode", lx, rowY(4), lw);
    EditMode = field(g, "EditMode", fx, rowY(4), fw, true);
    LaGain = label(g, "LaGain", "Antenna Gain (dBi)", lx, rowY(5), lw);
    EditGain = field(g, "EditGain", fx, rowY(5), fw, true);
    LaAtt = label(g, "LaAtt", "Cable Attenuation [dB]", lx, rowY(6), lw);
    EditAtt = field(g, "EditAtt", fx, rowY(6), fw, true);
}

void TRadexaForm::buildOutputGroups(QWidget* c) {
    GBAusgabe = make<QGroupBox>(c, "GBAusgabe", "Output");
    GBAusgabe->setGeometry(8, 200, 241, 137);
    QWidget* g = GBAusgabe;
    const int lx = kRowLabelX, lw = kRowLabelWidth, fx = kRowFieldX, fw = kRowFieldWidth;
    LaLimit = label(g, "LaLimit", "E-Field Limit  [V/m]", lx, rowY(0), lw);
    EditEps = output(g, "EditEps", fx, rowY(0), fw);
    LaFmodPers = label(g, "LaFmodPers", "Modulation Factor", lx, rowY(1), lw);
    EditFmodPers = output(g, "EditFmodPers", fx, rowY(1), fw);
    LaFB = label(g, "LaFB", "Intermittend Factor", lx, rowY(2), lw);
    EditFB = output(g, "EditFB", fx, rowY(2), fw);
    LaAntIn = label(g, "LaAntIn", "Ant. Input Power [W]", lx, rowY(3), lw);
    EditAntIn = output(g, "EditAntIn", fx, rowY(3), fw);
    LaEIRP = label(g, "LaEIRP", "EIRP [W]", lx, rowY(4), lw);
    EditEIRP = output(g, "EditEIRP", fx, rowY(4), fw);

    GBDist = make<QGroupBox>(c, "GBDist", "Safty Distance");
    GBDist->setGeometry(8, 344, 241, 65);
    LarPS = label(GBDist, "LarPS", "Distance [m]", lx, 19, lw);
    EditrPS = output(GBDist, "EditrPS", fx, 19, fw);
    EditrPS->setBackground(kOutputRed);
    // Enter on it asks for a distance (as a double click does): Tab reaches it.
    EditrPS->setFocusPolicy(Qt::StrongFocus);
    LarNahfeld = label(GBDist, "LarNahfeld", "Nearfield Conds [m]", lx, 41, lw);
    EditrNahfeld = output(GBDist, "EditrNahfeld", fx, 41, fw);
    EditrNahfeld->setBackground(kNearField);
}

void TRadexaForm::buildAntennaPage(QWidget* p) {
    LaManufacturer = label(p, "LaManufacturer", "Manufacturer", 4, 2, 116, 16);
    LaAntName = label(p, "LaAntName", "Name of Antenna", 124, 2, 122, 16);
    LaAntData = label(p, "LaAntData", "Data", 250, 2, 112, 16);
    LaDataFreq = label(p, "LaDataFreq", "Freq.", 252, 18, 44, 16);
    LaDataGain = label(p, "LaDataGain", "Gain", 300, 18, 36, 16);
    LaDataEle = label(p, "LaDataEle", "# Ele.", 334, 18, 32, 16);
    auto list = [&](const char* name, int x, int w) {
        auto* l = make<QListWidget>(p, name);
        l->setGeometry(x, 36, w, 200);
        l->setFont(fixedPitch());
        l->setSelectionMode(QAbstractItemView::SingleSelection);
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QPalette pal = l->palette();
        pal.setColor(QPalette::Base, buttonFace(l));
        l->setPalette(pal);
        return l;
    };
    LBHersteller = list("LBHersteller", 4, 116);
    LBTypen = list("LBTypen", 124, 122);
    LBAntBand = list("LBAntBand", 250, 115);

    GBAnt = make<QGroupBox>(p, "GBAnt", "Chosen Antenna");
    GBAnt->setGeometry(4, 244, 250, 116);
    LaChosenAntName = label(GBAnt, "LaChosenAntName", "Name", 8, 22, 40);
    EditAntName = field(GBAnt, "EditAntName", 50, 22, 192, true);
    LaChosenAntType = label(GBAnt, "LaChosenAntType", "Type", 8, 46, 40);
    EditAntTyp = field(GBAnt, "EditAntTyp", 50, 46, 192, true);
    LaChosenAntGain = label(GBAnt, "LaChosenAntGain", "Gain", 8, 70, 40);
    EditAntGain = field(GBAnt, "EditAntGain", 50, 70, 192, true);
    for (TEditAlign* e : {EditAntName, EditAntTyp, EditAntGain})
        e->setExitOnEnterKey(true);
    LaAngDataAvailable = label(GBAnt, "LaAngDataAvailable", "Angle Data Available", 8, 93, 234);
    LaAngDataAvailable->hide();
    GBAnt->setEnabled(false);

    ButTakeAnt = make<QPushButton>(p, "ButTakeAnt", "Take Antenna");
    ButTakeAnt->setGeometry(262, 300, 103, 30);
    ButTakeAnt->setEnabled(false);
}

void TRadexaForm::buildModePage(QWidget* p) {
    RGMode = make<TRadioGroup>(p, "RGMode", "Mode",
                               QStringList{"CW", "SSB", "AM", "FM", "TV", "GSM", "DTX", "All"}, 3);
    RGMode->setGeometry(4, 2, 361, 72);
    RGMode->setItemIndex(1);

    GBFaktoren = make<QGroupBox>(p, "GBFaktoren", "Factors");
    GBFaktoren->setGeometry(4, 78, 361, 90);
    LaModeFactor = label(GBFaktoren, "LaModeFactor", "Modulation Factor", 8, 20, 200);
    EditModeFactor = output(GBFaktoren, "EditModeFactor", 240, 20, 110);
    LaDutyCycle = label(GBFaktoren, "LaDutyCycle", "Intermittend Factor", 8, 43, 200);
    EditDutyCycle = output(GBFaktoren, "EditDutyCycle", 240, 43, 110);
    LaFactor = label(GBFaktoren, "LaFactor", "Resulting Factor", 8, 66, 200);
    EditFactor = output(GBFaktoren, "EditFactor", 240, 66, 110);
    EditModeFactor->setToolTip(
        lines({"Faktor zur Berücksichtigung der Modulationsart",
               "bei der Bildung des 6-Minuten-Leistungsmittelwertes", "(nur Personenschutz)"}));
    EditDutyCycle->setToolTip(lines({"Faktor zur Berücksichtigung des intermittierenden",
                                     "Betriebes bei der Bildung des 6-Minuten-Leistungs-",
                                     "mittelwertes (nur Personenschutz)"}));
    EditFactor->setToolTip(
        lines({"Gesamter Faktor, der zur Umrechnung",
               "der maximalen Leistung in die durchschnittliche", "Leistung verwendet wird."}));

    RGDutyCycle = make<TRadioGroup>(
        p, "RGDutyCycle", "Intermittend Operation",
        QStringList{"TX6 RX0", "TX5 RX1", "TX4 RX2", "TX3 RX3", "TX2 RX4", "TX1 RX5"}, 3);
    RGDutyCycle->setGeometry(4, 170, 361, 54);
    RGDutyCycle->setItemIndex(3);

    STRXTX = make<QLabel>(p, "STRXTX");
    STRXTX->setGeometry(4, 226, 361, 66);
    STRXTX->setWordWrap(true);
    STRXTX->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(8);
    STRXTX->setFont(arial);

    RGFCCBNetzA = make<TRadioGroup>(p, "RGFCCBNetzA", "Which Modulation Factors to use?",
                                    QStringList{"FCC", "BNetzA (Germany)", "1"}, 2);
    RGFCCBNetzA->setGeometry(4, 292, 361, 54);
    RGFCCBNetzA->setItemIndex(0);
    STFCC = label(p, "STFCC", "FCC Value are in compliance with scientific literature", 4, 347, 361,
                  13);
    STBNetzA =
        label(p, "STBNetzA", "BNetzA Values are in compliance with German law", 4, 360, 361, 13);
}

void TRadexaForm::buildCablePage(QWidget* p) {
    CLBCable = make<TCheckListBox>(p, "CLBCable");
    CLBCable->setGeometry(4, 4, 128, 226);
    QFont f = CLBCable->font();
    f.setPointSize(10);
    CLBCable->setFont(f);
    CLBCable->setItems({"Aircom plus", "Aircell 7", "H100", "H2000", "RG58", "RG174", "RG213",
                        "RG220", "EcoFlex 10", "EcoFlex 15"});
    QPalette navy = CLBCable->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        navy.setColor(group, QPalette::Highlight, QColor(0, 0, 128));
        navy.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    CLBCable->setPalette(navy);
    CLBCable->setItemDelegate(new BoldSelectionDelegate(CLBCable));

    const int lx = 140, lw = 150, fx = 292, fw = 72;
    auto row = [](int i) { return 4 + i * 26; };
    LaCableFreq = label(p, "LaCableFreq", "Frequency [MHz]", lx, row(0), lw);
    EditAttFreq = field(p, "EditAttFreq", fx, row(0), fw, true);
    LaSpecAtt = label(p, "LaSpecAtt", "Attenuation [dB/100m]", lx, row(1), lw);
    EditCableAtt100 = field(p, "EditCableAtt100", fx, row(1), fw, true);
    LaCableLength = label(p, "LaCableLength", "Cable Length [m]", lx, row(2), lw);
    EditCableLength = field(p, "EditCableLength", fx, row(2), fw, false);
    EditCableLength->setExitOnEnterKey(true);
    LaCableAtt = label(p, "LaCableAtt", "Cable Attenuation [dB]", lx, row(3), lw);
    EditCableAtt = field(p, "EditCableAtt", fx, row(3), fw, true);
    LaPlugAtt = label(p, "LaPlugAtt", "Other Attenuations [dB]", lx, row(4), lw);
    EditPlugAtt = field(p, "EditPlugAtt", fx, row(4), fw, false);
    EditPlugAtt->setExitOnEnterKey(true);

    ButSetAttNull = make<QPushButton>(p, "ButSetAttNull", "Set All Attenuations to Zero");
    ButSetAttNull->setGeometry(lx, 140, 224, 28);
    ButGleich = make<QPushButton>(p, "ButGleich", "=");
    QFont bold = ButGleich->font();
    bold.setPointSize(14);
    bold.setBold(true);
    ButGleich->setFont(bold);
    ButGleich->setGeometry(lx, 180, 44, 44);
    LaTotalAtt = make<QLabel>(p, "LaTotalAtt",
                              "Combined Attenuation\nbetween TX Output\nand Antenna Input [dB]");
    LaTotalAtt->setGeometry(lx + 52, 176, 172, 48);
    LaTotalAtt->setWordWrap(false);
    EditTotalAtt = field(p, "EditTotalAtt", lx + 52, 228, 172, true, 36);
    QFont big = EditTotalAtt->font();
    big.setPointSize(18);
    EditTotalAtt->setFont(big);
}

void TRadexaForm::buildAnglePage(QWidget* p) {
    LaWinkAnt = label(p, "LaWinkAnt", "Antenne", 4, 2, 361, 22);
    QFont bold = LaWinkAnt->font();
    bold.setPointSize(12);
    bold.setBold(true);
    LaWinkAnt->setFont(bold);
    RGPol = make<TRadioGroup>(p, "RGPol", "Antenna polarisation",
                              QStringList{"Vertical", "Horizontal"}, 2);
    RGPol->setGeometry(4, 26, 176, 42);
    RGPol->setItemIndex(0);
    ButDiagramm = make<QPushButton>(p, "ButDiagramm", "Diagram");
    ButDiagramm->setGeometry(186, 32, 80, 30);
    ButSeitenansicht = make<QPushButton>(p, "ButSeitenansicht", "Antenna Side View");
    ButSeitenansicht->setGeometry(270, 32, 95, 30);
    LaHoehe = label(p, "LaHoehe", "Antenna Height [m]", 4, 74, 160);
    EditHoehe = field(p, "EditHoehe", 170, 74, 70, false);
    EditHoehe->setText("12");

    SGWinkel = make<QTableView>(p, "SGWinkel");
    SGWinkel->setGeometry(4, 100, 350, 268);
    angleTableModel = new AngleTableModel(SGWinkel);
    angleTableModel->setFont(fixedPitch());
    SGWinkel->setModel(angleTableModel);
    SGWinkel->setFont(fixedPitch());
    SGWinkel->verticalHeader()->hide();
    SGWinkel->verticalHeader()->setDefaultSectionSize(16);
    SGWinkel->horizontalHeader()->setDefaultSectionSize(82);
    SGWinkel->horizontalHeader()->setFixedHeight(17);
    SGWinkel->horizontalHeader()->setFont(fixedPitch());
    SGWinkel->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SGWinkel->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SGWinkel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SGWinkel->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the table (the arrow keys walk its cells), instead of walking hundreds of
    // cells before the next control.
    SGWinkel->setTabKeyNavigation(false);
    SGWinkel->setContextMenuPolicy(Qt::CustomContextMenu);
    PM = new QMenu(this);
    PM->setObjectName("PM");
    PISave = PM->addAction("Save (*.txt)");
    PISave->setObjectName("PISave");
    PICopy = PM->addAction("Copy to Clipboard");
    PICopy->setObjectName("PICopy");
}

void TRadexaForm::buildLimitsPage(QWidget* p) {
    LaLimitSet = label(p, "LaLimitSet", "Limit set", 4, 6, 74);
    CBLimits = make<QComboBox>(p, "CBLimits");
    CBLimits->setGeometry(80, 6, 285, 22);
    for (LimitSet set : {LimitSet::Icnirp1998, LimitSet::Icnirp2020, LimitSet::Fcc, LimitSet::Sc6})
        CBLimits->addItem(toQ(LimitSetName(set)));
    CBLimits->setCurrentIndex(0);

    RGTier =
        make<TRadioGroup>(p, "RGTier", "Persons", QStringList{"General public", "Occupational"}, 2);
    RGTier->setGeometry(4, 34, 361, 44);
    RGGround = make<TRadioGroup>(p, "RGGround", "Ground reflection (field factor)",
                                 QStringList{"none", "1.6 (typical)", "2 (full)"}, 3);
    RGGround->setGeometry(4, 82, 361, 44);
    // The items are translated: each carries a name of its own.
    for (TRadioGroup* g : {RGTier, RGGround})
        for (int i = 0; i < g->count(); ++i)
            g->button(i)->setObjectName(g->objectName() + QString::number(i));
    RGTier->setItemIndex(0);
    RGGround->setItemIndex(0);

    LaExemptDist = label(p, "LaExemptDist", "Distance to people [m] (FCC exemption)", 4, 134, 280);
    EditExemptDist = field(p, "EditExemptDist", 290, 134, 75, false);
    EditExemptDist->setExitOnEnterKey(true);
    LaExemption = make<QLabel>(p, "LaExemption");
    LaExemption->setGeometry(4, 158, 361, 28);
    LaExemption->setWordWrap(true);
    LaExemption->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    LaGroundNote = make<QLabel>(p, "LaGroundNote");
    LaGroundNote->setGeometry(4, 186, 361, 28);
    LaGroundNote->setWordWrap(true);
    LaGroundNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    LaChecks = label(p, "LaChecks", "Checks (* binding)", 4, 214, 361, 16);
    SGLimits = make<QTableWidget>(p, "SGLimits", 0, 6);
    SGLimits->setGeometry(4, 232, 361, 136);
    SGLimits->setFont(fixedPitch());
    SGLimits->horizontalHeader()->setFont(fixedPitch());
    SGLimits->verticalHeader()->hide();
    SGLimits->verticalHeader()->setDefaultSectionSize(18);
    SGLimits->horizontalHeader()->setFixedHeight(30);
    SGLimits->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int widths[] = {104, 48, 50, 48, 52, 56};
    for (int c = 0; c < 6; ++c)
        SGLimits->setColumnWidth(c, widths[c]);
    SGLimits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SGLimits->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGLimits->setSelectionMode(QAbstractItemView::NoSelection);
    SGLimits->setFocusPolicy(Qt::NoFocus);
}

} // namespace radexa
