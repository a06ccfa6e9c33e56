#pragma once
// The main window: every input and every result of the exposure calculation. Its
// handlers read the fields, call the core, and write the results back.

#include "core/app/languages.h"
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

namespace radexa {

class TAntennen;
class TWinkAnt;
class TEditAlign;
class TRadioGroup;
class TCheckListBox;
struct CalcInput;

// The station values the window holds; named as the program's documents name them.
struct StationState {
    std::int16_t BandIDX = 0;
    std::int16_t ModeIDX = 0;
    double ModeFactor = 0;
    double DutyCycle = 0;
    double Factor = 0;
    bool FixedFrequencyMode = false;
    double FixedFrequency = 0;
    double Power = 0;
    double AntennaGain = 0;
    std::int16_t CableIDX = 0;
    double AttFreq = 0;
    double CableAtt100 = 0;
    double CableLength = 0;
    double CableAtt = 0;
    double PlugAtt = 0;
    double TotalAtt = 0;
    double ELimit = 0;
    double AntInPower = 0;
    double EIRP = 0;
    double MeanEIRP = 0;
    double SafetyDistance = 0;
    double NearFieldLimit = 0;
    std::string SelectedManufacturer;
    std::string SelectedAntennaName;
    std::int16_t BandLineIndex = -1;
    std::int32_t TakenAntennaIndex = -99;
    SmallIntArray PatternAngles;
    DoubleArray PatternAttenuations;
    DoubleArray PatternEirp;
    DoubleArray PatternDistances;
};

// Where the window finds and keeps its files.
struct FormPaths {
    QString ProgramFolder;           // folder of the executable, trailing separator
    QString CatalogueFileName;       // "Antennas.txt", resolved against the working folder
    QString UserAntennaFileName;     // "AntUser.txt", likewise
    QString AngleDataFolder;         // ProgramFolder + "ang/"
    QString SettingsFile;            // "Radexa.ini" beside the program, or in the user's config folder
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

    const StationState& state() const { return m_state; }
    const FormPaths& paths() const { return m_paths; }
    const TAntennen* catalogue() const { return m_catalogue.get(); }
    const TWinkAnt* angleData() const { return m_winkAnt.get(); }
    // The angle table as rows of cells, the header row first.
    std::vector<StringArray> angleTable() const;

    // Handlers, public so that tests and the menu call them by name.
    void CBBandChange();
    void UpdateFreq();
    void UpdateBetriebsart();
    void UpdateCable();
    void calc();
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
    void WinkelLaden(int catalogueIndex);
    bool WinkelLesen(const QString& fileName);
    void UpdateWinkelPage();
    void WinkelCalc();
    void RGPolClick(int index);
    void MIEndClick();
    // Station files, the angle-table export and the own-antenna dialog
    // (radexaform_stationfile.cpp).
    void MIopenClick();
    void MISaveClick();
    void MISaveAsClick();
    // Writes the station to the file; false (after a warning) when it could not.
    bool Speichern(const QString& fileName);
    // Restores the station from the file.
    void Oeffnen(const QString& fileName);
    void PISaveClick();
    void PICopyClick();
    void MIEigeneAntenneClick();
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
    const QString& currentStationFile() const { return m_currentStationFile; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildInputGroup(QWidget* client);
    void buildOutputGroups(QWidget* client);
    void buildAntennaPage(QWidget* page);
    void buildModePage(QWidget* page);
    void buildCablePage(QWidget* page);
    void buildAnglePage(QWidget* page);
    void connectHandlers();
    void FormCreate(bool showSplash);
    void FormClose();
    void readWindowPosition();
    void fillManufacturers();
    void showPage(int index);
    void setAngleTabVisible(bool visible);
    double referenceFrequency();
    CalcInput currentInput() const;
    void clearChosenAntenna();
    void applyLanguage(Language language);
    PictureCaption pictureCaption() const;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Empties the field, gives it the focus and shows the warning.
    void refuseField(TEditAlign* field, const QString& message);
    void onExit(TEditAlign* field, std::function<void()> handler);

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
    TEditAlign *EditEps = nullptr, *EditFmodPers = nullptr, *EditFB = nullptr,
               *EditAntIn = nullptr, *EditEIRP = nullptr, *EditrPS = nullptr,
               *EditrNahfeld = nullptr;
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
    QAction *PISave = nullptr, *PICopy = nullptr;
    // Menus
    QMenu *MIDatei = nullptr, *MIInfos = nullptr, *MILanguage = nullptr;
    QAction *MIopen = nullptr, *MISave = nullptr, *MISaveAs = nullptr,
            *MIEigeneAntenne = nullptr, *MIEnd = nullptr, *MIHelp = nullptr,
            *MIAbout = nullptr, *MIGerman = nullptr, *MIEnglish = nullptr, *MIFrench = nullptr,
            *MISwedish = nullptr;

private:
    StationState m_state;
    FormPaths m_paths;
    std::unique_ptr<TAntennen> m_catalogue;
    std::unique_ptr<TWinkAnt> m_winkAnt;
    bool m_catalogueMissing = false;
    bool m_lastCalcOk = false;
    bool m_angleDataAvailable = false;
    bool m_hintsShown = true;
    bool m_refusing = false;
    Language m_language = Language::English;
    QString m_currentStationFile;
    bool m_closing = false;
};

// "Radexa v 1.5 " followed by the maintainer notice.
QString MainWindowCaption();

} // namespace radexa
