#pragma once
// The main window: every input and every result of the exposure calculation. Its
// handlers read the fields, call the core, and write the results back.

#include "core/app/languages.h"
#include "core/app/stationmodel.h"
#include "core/graphics/caption.h"
#include "core/support/types.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;
class QTableWidget;

namespace radexa {

class TEditAlign;
class TRadioGroup;
class TCheckListBox;
class TPatternDialog;

// Where the window finds and keeps its files.
struct FormPaths {
    QString ProgramFolder;       // folder of the executable, trailing separator
    QString CatalogueFileName;   // "Antennas.txt", resolved against the working folder
    QString UserAntennaFileName; // "AntUser.txt", likewise
    QString AngleDataFolder;     // ProgramFolder + "ang/"
    QString SettingsFile;        // "Radexa.ini" beside the program, or in the user's config folder
};

class TRadexaForm : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs its creation handler. programFolder is where the
    // settings file and ang/ are looked for.
    explicit TRadexaForm(const QString& programFolder, bool showSplash = true,
                         QWidget* parent = nullptr);
    ~TRadexaForm() override;

    // The initialisation step (also the catalogue reload). False when the catalogue
    // file is missing: the warning has been shown and the window must close.
    bool AfterCreation();
    bool catalogueMissing() const { return m_catalogueMissing; }

    // The station the window shows.
    const StationModel& model() const { return m_model; }
    const FormPaths& paths() const { return m_paths; }
    const TAntennen* catalogue() const { return m_model.catalogue(); }
    // The angle table as rows of cells, the header row first.
    std::vector<StringArray> angleTable() const;

    // Handlers, public so that tests and the menu call them by name. Each reads its
    // control, hands the operator's action to the station model, shows what the model
    // says and renders the model.
    void CBBandChange();
    void UpdateBetriebsart();
    void calcCall();
    void EditrPSDblClick();
    void EditFreqDblClick();
    void EditCableLengthExit();
    void EditPlugAttExit();
    void ButGleichClick();
    void ButSetAttNullClick();
    void CLBCableClick(int index);
    void LBHerstellerClick();
    void LBTypenClick();
    void ButTakeAntClick();
    void MIAntennenNeuLadenClick();
    void RGPolClick(int index);
    // The Limits page, built the first time it is shown.
    void ShowLimitsPage();
    void CBLimitsChange();
    void RGTierClick(int index);
    void RGGroundClick(int index);
    void EditExemptDistExit();
    void MIEndClick();
    // Station files, the angle-table export and the own-antenna dialog
    // (mainwindow_stationfile.cpp).
    void MIopenClick();
    void MISaveClick();
    void MISaveAsClick();
    // Writes the station to the file; false (after a warning) when it could not.
    bool Speichern(const QString& fileName);
    // Restores the station from the file.
    void Oeffnen(const QString& fileName);
    // File -> "Save report ...": the station's compliance report (reportdialog.h).
    void MIReportClick();
    void PISaveClick();
    void PICopyClick();
    void MIEigeneAntenneClick();
    // Antennas modelled with nec2c and patterns imported from other programs
    // (mainwindow_patterns.cpp): after a save the catalogue is reloaded and the new entry
    // highlighted.
    void MIModelAntennaClick();
    void MIImportPatternClick();
    // The picture windows, help and about.
    void ButSeitenansichtClick();
    void ButDiagrammClick();
    void MIHelpClick();
    void MIAboutClick();

    void MIGermanClick() { applyLanguage(Language::German); }
    void MIEnglishClick() { applyLanguage(Language::English); }
    void MIFrenchClick() { applyLanguage(Language::French); }
    void MISwedishClick() { applyLanguage(Language::Swedish); }

    Language language() const { return m_language; }
    // A message text in the language in force.
    QString message(MessageId id) const;
    QString currentStationFile() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Warns and answers true when the last calculation was refused (no picture to draw).
    bool refusedForPictures();
    void buildMenus();
    void buildInputGroup(QWidget* client);
    void buildOutputGroups(QWidget* client);
    void buildAntennaPage(QWidget* page);
    void buildModePage(QWidget* page);
    void buildCablePage(QWidget* page);
    void buildAnglePage(QWidget* page);
    void buildLimitsPage(QWidget* page);
    void renderLimitsPage();
    void connectHandlers();
    void FormCreate(bool showSplash);
    void FormClose();
    void readWindowPosition();
    void showPage(int index);
    void setAngleTabVisible(bool visible);
    // Shows the model: every field, tick, highlight, enabled state and visible tab.
    void render();
    void renderAntennaLists();
    // Renders the model, then tells the operator what the operation said.
    void apply(const Outcome& outcome);
    void report(const Notices& notices);
    QString noticeText(const Notice& notice) const;
    void applyLanguage(Language language);
    // Puts the language's captions on the named controls inside the widget (all of the
    // window for the window itself).
    void putLanguageTexts(QWidget* within);
    // Shows a model or import dialog; after a save reloads the catalogue and highlights
    // the new entry.
    void runPatternDialog(TPatternDialog& dialog);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Empties the field, gives it the focus and shows the warning.
    void refuseField(TEditAlign* field, const QString& message);
    // The window's field that has the focus is left, as a click elsewhere leaves it: a menu
    // takes no focus, and what the field shows must count before the station is saved or
    // the language switched. False when the field's text was refused.
    bool leaveTypedField();
    // Before the station leaves the window (station file, report): the typed field is
    // left, and a cable ticked since the last calculation, which the Cable page already
    // shows, is calculated with, so that what is written is what the window shows. False
    // when a field's text was refused.
    bool calculateWhatIsShown();
    void onExit(TEditAlign* field, std::function<void()> handler);
    // A field's text goes to the model as it is typed (not while the window renders).
    void onTyped(TEditAlign* field, std::function<void(const std::string&)> handler);

public:
    // Controls, named as their component names (also their objectName).
    QWidget* client = nullptr;
    QGroupBox *GBEingabe = nullptr, *GBAusgabe = nullptr, *GBDist = nullptr;
    QLabel *LaHamBand = nullptr, *LaFreq = nullptr, *LaAntenna = nullptr, *LaPower = nullptr,
           *LaMode = nullptr, *LaGain = nullptr, *LaAtt = nullptr;
    QComboBox* CBBand = nullptr;
    TEditAlign *EditFreq = nullptr, *EditAntenne = nullptr, *EditPower = nullptr,
               *EditMode = nullptr, *EditGain = nullptr, *EditAtt = nullptr;
    QLabel *LaLimit = nullptr, *LaFmodPers = nullptr, *LaFB = nullptr, *LaAntIn = nullptr,
           *LaEIRP = nullptr, *LarPS = nullptr, *LarNahfeld = nullptr;
    TEditAlign *EditEps = nullptr, *EditFmodPers = nullptr, *EditFB = nullptr, *EditAntIn = nullptr,
               *EditEIRP = nullptr, *EditrPS = nullptr, *EditrNahfeld = nullptr;
    QTabWidget* PageControl = nullptr;
    QWidget *TSAnt = nullptr, *TSMode = nullptr, *TSCable = nullptr, *TSAngle = nullptr;
    // Antenna page
    QLabel *LaManufacturer = nullptr, *LaAntName = nullptr, *LaAntData = nullptr,
           *LaDataFreq = nullptr, *LaDataGain = nullptr, *LaDataEle = nullptr;
    QListWidget *LBHersteller = nullptr, *LBTypen = nullptr, *LBAntBand = nullptr;
    QGroupBox* GBAnt = nullptr;
    QLabel *LaChosenAntName = nullptr, *LaChosenAntType = nullptr, *LaChosenAntGain = nullptr,
           *LaAngDataAvailable = nullptr;
    TEditAlign *EditAntName = nullptr, *EditAntTyp = nullptr, *EditAntGain = nullptr;
    QPushButton* ButTakeAnt = nullptr;
    // Mode page
    TRadioGroup *RGMode = nullptr, *RGDutyCycle = nullptr, *RGFCCBNetzA = nullptr;
    QGroupBox* GBFaktoren = nullptr;
    QLabel *LaModeFactor = nullptr, *LaDutyCycle = nullptr, *LaFactor = nullptr;
    TEditAlign *EditModeFactor = nullptr, *EditDutyCycle = nullptr, *EditFactor = nullptr;
    QLabel *STRXTX = nullptr, *STFCC = nullptr, *STBNetzA = nullptr;
    // Cable page
    TCheckListBox* CLBCable = nullptr;
    QLabel *LaCableFreq = nullptr, *LaSpecAtt = nullptr, *LaCableLength = nullptr,
           *LaCableAtt = nullptr, *LaPlugAtt = nullptr, *LaTotalAtt = nullptr;
    TEditAlign *EditAttFreq = nullptr, *EditCableAtt100 = nullptr, *EditCableLength = nullptr,
               *EditCableAtt = nullptr, *EditPlugAtt = nullptr, *EditTotalAtt = nullptr;
    QPushButton *ButSetAttNull = nullptr, *ButGleich = nullptr;
    // Angle page
    QLabel* LaWinkAnt = nullptr;
    TRadioGroup* RGPol = nullptr;
    QPushButton *ButDiagramm = nullptr, *ButSeitenansicht = nullptr;
    QLabel* LaHoehe = nullptr;
    TEditAlign* EditHoehe = nullptr;
    QTableView* SGWinkel = nullptr;
    class AngleTableModel* angleTableModel = nullptr;
    QMenu* PM = nullptr;
    // Limits page
    QWidget* TSLimits = nullptr;
    QLabel *LaLimitSet = nullptr, *LaExemptDist = nullptr, *LaExemption = nullptr,
           *LaGroundNote = nullptr, *LaChecks = nullptr;
    QComboBox* CBLimits = nullptr;
    TRadioGroup *RGTier = nullptr, *RGGround = nullptr;
    TEditAlign* EditExemptDist = nullptr;
    QTableWidget* SGLimits = nullptr;
    QAction *PISave = nullptr, *PICopy = nullptr;
    // Menus
    QMenu *MIDatei = nullptr, *MIInfos = nullptr, *MILanguage = nullptr;
    QAction *MIopen = nullptr, *MISave = nullptr, *MISaveAs = nullptr, *MIReport = nullptr,
            *MIEigeneAntenne = nullptr, *MIEnd = nullptr, *MIHelp = nullptr, *MIAbout = nullptr,
            *MIGerman = nullptr, *MIEnglish = nullptr, *MIFrench = nullptr, *MISwedish = nullptr;
    QAction *MIModelAntenna = nullptr, *MIImportPattern = nullptr;

private:
    StationModel m_model;
    FormPaths m_paths;
    // What the antenna lists show, so that they are filled again only when it changes.
    const TAntennen* m_listedCatalogue = nullptr;
    StringArray m_listedNames, m_listedPoints;
    bool m_catalogueMissing = false;
    bool m_hintsShown = true;
    bool m_refusing = false;
    bool m_rendering = false;
    Language m_language = Language::English;
    bool m_closing = false;
    // Fields whose text was refused (emptied or given the focus back, with a warning), so
    // that a caller can tell whether leaving a field refused it.
    int m_fieldsRefused = 0;
};

// The property of a widget whose tool tip shows its whole text (a list's items, a cut
// caption): such tips are no hints and stay on when a language switches hints off.
inline constexpr char kFullTextTip[] = "fullTextTip";

// "Radexa v 1.5 " followed by the maintainer notice.
QString MainWindowCaption();

} // namespace radexa
