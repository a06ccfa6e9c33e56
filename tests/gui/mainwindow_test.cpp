#include "mainwindow_fixture.h"

#include "gui/support/controls.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolTip>

namespace radexa::testing {
namespace {

using MainWindow = MainWindowTest;

TEST_F(MainWindow, StartsWithTheStartUpStation) {
    start();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(form->centralWidget()->size(), QSize(655, 415));
    EXPECT_TRUE(form->windowTitle().startsWith("Radexa v 1.5 "));
    EXPECT_EQ(form->CBBand->currentText(), "2m");
    EXPECT_EQ(text("EditFreq"), "144,00 - 146,00");
    EXPECT_EQ(text("EditMode"), "SSB");
    EXPECT_EQ(text("EditAtt"), "0,77");
    EXPECT_EQ(text("EditEps"), "27,50");
    EXPECT_EQ(text("EditAntIn"), "83,70");
    EXPECT_EQ(text("EditEIRP"), "83,70");
    EXPECT_EQ(text("EditrPS"), "0,91");
    EXPECT_EQ(text("EditrNahfeld"), "0,33");
    EXPECT_EQ(text("EditGain"), "0,00");
    EXPECT_EQ(text("EditFmodPers"), "0,50");
    EXPECT_EQ(text("EditFB"), "0,50");
    EXPECT_EQ(text("EditFactor"), "0,25");
    EXPECT_EQ(field("EditFactor")->background(), QColor(Qt::red));
    EXPECT_EQ(field("EditModeFactor")->background(), QColor(123, 99, 49));
    EXPECT_EQ(field("EditrPS")->background(), QColor(171, 226, 131));
    EXPECT_EQ(form->PageControl->currentWidget(), form->TSAnt);
    EXPECT_FALSE(form->PageControl->isTabVisible(form->PageControl->indexOf(form->TSAngle)));
    EXPECT_TRUE(form->MIEnglish->isChecked());
    EXPECT_FALSE(form->MIGerman->isChecked());
    EXPECT_FALSE(form->ButTakeAnt->isEnabled());
    // Manufacturers sorted with letter case ignored.
    ASSERT_EQ(form->LBHersteller->count(), 2);
    EXPECT_EQ(form->LBHersteller->item(0)->text(), "alpha");
    EXPECT_EQ(form->model().highlighted().point, -1);
}

TEST_F(MainWindow, EveryControlCarriesItsComponentName) {
    start();
    for (const char* name :
         {"GBEingabe",        "GBAusgabe",     "GBDist",       "CBBand",
          "EditPower",        "EditHoehe",     "SGWinkel",     "RGMode",
          "RGDutyCycle",      "RGFCCBNetzA",   "RGPol",        "CLBCable",
          "ButGleich",        "ButSetAttNull", "ButTakeAnt",   "ButDiagramm",
          "ButSeitenansicht", "LBHersteller",  "LBTypen",      "LBAntBand",
          "STRXTX",           "LaTotalAtt",    "EditTotalAtt", "LaAngDataAvailable"})
        EXPECT_NE(form->findChild<QWidget*>(name), nullptr) << name;
    for (const char* name : {"MIopen", "MISave", "MISaveAs", "MIEigeneAntenne", "MIEnd", "MIHelp",
                             "MIAbout", "PISave", "PICopy"})
        EXPECT_NE(form->findChild<QAction*>(name), nullptr) << name;
    EXPECT_EQ(form->GBDist->title(), "Safty Distance");
    EXPECT_EQ(form->LaCableFreq->text(), "Frequency [MHz]");
    EXPECT_EQ(form->GBEingabe->geometry(), QRect(8, 7, 241, 186));
    EXPECT_EQ(form->PageControl->geometry(), QRect(272, 8, 377, 401));
}

TEST_F(MainWindow, PowerForAGivenDistanceIsRoundedThenRecalculated) {
    start();
    boxes.textAnswers.push_back(QString("10"));
    form->EditrPSDblClick();
    EXPECT_EQ(boxes.asked.front(),
              "Calculation with given safty distance|Type safety distance in meters|10");
    EXPECT_EQ(text("EditPower"), "12047,64");
    EXPECT_EQ(text("EditrPS"), "10,00");

    boxes.textAnswers.push_back(QString("ten"));
    form->EditrPSDblClick();
    EXPECT_EQ(boxes.warnings(), QStringList{"Distance must be real number!"});
    EXPECT_EQ(text("EditPower"), "12047,64");

    boxes.textAnswers.push_back(std::nullopt); // cancelled
    form->EditrPSDblClick();
    EXPECT_EQ(boxes.warnings().size(), 1);
}

TEST_F(MainWindow, PowerThatIsNoNumberOrNegativeIsRefusedAndThePreviousOneKept) {
    start();
    field("EditPower")->setText("0");
    form->calcCall();
    EXPECT_EQ(text("EditAntIn"), "0,00");
    EXPECT_EQ(text("EditEIRP"), "0,00");
    EXPECT_EQ(text("EditrPS"), "---");

    for (const char* bad : {"abc", "-5"}) {
        field("EditPower")->setText("100");
        form->calcCall();
        field("EditPower")->setText(bad);
        form->calcCall();
        EXPECT_EQ(boxes.warnings().last(), "Please input valid power!") << bad;
        EXPECT_EQ(text("EditPower"), "") << bad;
        EXPECT_EQ(text("EditrPS"), "0,91") << bad; // computed with the previous 100 W
    }
}

TEST_F(MainWindow, PicturesOfARefusedStationSayWhyThereIsNothingToDraw) {
    start();
    takeMyAnt();
    field("EditPower")->setText("1e308"); // an EIRP beyond any number
    form->calcCall();
    ASSERT_EQ(text("EditrPS"), "---");
    ASSERT_FALSE(form->model().last().result.ok());
    const qsizetype before = boxes.warnings().size();
    form->ButSeitenansichtClick();
    form->ButDiagrammClick();
    ASSERT_EQ(boxes.warnings().size(), before + 2);
    for (qsizetype i = before; i < before + 2; ++i)
        EXPECT_TRUE(boxes.warnings()[i].startsWith(
            "The station cannot be computed, so there is nothing to draw: "))
            << boxes.warnings()[i].toStdString();
}

TEST_F(MainWindow, EnterInThePowerFieldLeavesItAndRecalculates) {
    start();
    form->show();
    QApplication::setActiveWindow(form.get());
    TEditAlign* power = field("EditPower");
    power->setFocus();
    power->setText("400");
    QTest::keyClick(power, Qt::Key_Return);
    EXPECT_FALSE(power->hasFocus());
    EXPECT_EQ(text("EditrPS"), "1,82");
}

TEST_F(MainWindow, FixedFrequencyReplacesTheBandUntilABandIsPicked) {
    start();
    boxes.textAnswers.push_back(QString("1.9"));
    form->EditFreqDblClick();
    EXPECT_EQ(boxes.asked.last(), "Caculation with fixed frequency|Input Frequency in MHz|145");
    EXPECT_EQ(text("EditEps"), "63,12");
    EXPECT_EQ(form->CBBand->currentIndex(), -1);
    EXPECT_EQ(text("EditFreq"), "  1,90");

    boxes.textAnswers.push_back(QString("145"));
    form->EditFreqDblClick();
    EXPECT_EQ(text("EditFreq"), "145,00");
    EXPECT_EQ(text("EditEps"), "27,50");
    EXPECT_EQ(text("EditrNahfeld"), "0,33");
    EXPECT_EQ(text("EditAttFreq"), "145,00");

    // Frequencies without a limit or a cable value, and text, are refused; nothing changes.
    for (const char* bad : {"0", "-3", "300000", "0.05", "25000", "x"}) {
        boxes.textAnswers.push_back(QString(bad));
        form->EditFreqDblClick();
        EXPECT_EQ(text("EditFreq"), "145,00") << bad;
        EXPECT_EQ(text("EditEps"), "27,50") << bad;
    }
    EXPECT_EQ(boxes.warnings().size(), 6);
    EXPECT_EQ(boxes.warnings().last(), "Frequency must be a real number!");

    form->CBBand->setCurrentIndex(5); // 20m
    form->CBBandChange();
    EXPECT_FALSE(form->model().frequency().FixedFrequencyMode);
    EXPECT_EQ(text("EditFreq"), " 14,00 -  14,35");
    EXPECT_EQ(text("EditAttFreq"), "14,00");
}

TEST_F(MainWindow, BandsShowTheirEdgesAndLimits) {
    start();
    const struct {
        int index;
        const char* freq;
        const char* limit;
    } bands[] = {{0, "0,1357 - 0,1378", "87,00"},
                 {1, "  1,81 -   2,00", "61,52"},
                 {12, "430,00 - 440,00", "28,51"},
                 {13, "1240,0 - 1300,0", "48,42"},
                 {17, " 10000 -  10500", "61,00"}};
    for (const auto& b : bands) {
        form->CBBand->setCurrentIndex(b.index);
        form->CBBandChange();
        EXPECT_EQ(text("EditFreq"), b.freq);
        EXPECT_EQ(text("EditEps"), b.limit);
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(MainWindow, ModePageSetsFactorsAndColours) {
    start();
    form->RGMode->setItemIndex(2); // AM
    form->RGFCCBNetzA->setItemIndex(1);
    form->UpdateBetriebsart();
    EXPECT_EQ(text("EditModeFactor"), "0,38");
    EXPECT_EQ(form->STBNetzA->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(form->STFCC->palette().color(QPalette::WindowText), QColor(128, 128, 128));

    form->RGMode->setItemIndex(3); // FM
    form->RGFCCBNetzA->setItemIndex(0);
    form->RGDutyCycle->setItemIndex(0);
    form->UpdateBetriebsart();
    EXPECT_EQ(text("EditFactor"), "1,00");
    EXPECT_EQ(text("EditMode"), "FM");
    EXPECT_NE(field("EditFactor")->background(), QColor(Qt::red));
    EXPECT_EQ(form->STRXTX->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_EQ(text("EditrPS"), "1,82"); // sqrt(30 * 83.70) / 27.5

    form->RGMode->setItemIndex(7); // All
    form->UpdateBetriebsart();
    EXPECT_EQ(text("EditMode"), "Alle");
}

TEST_F(MainWindow, CablePageRecomputesTheAttenuation) {
    start();
    EXPECT_EQ(text("EditCableAtt100"), "7,73");
    field("EditCableLength")->setText("25");
    form->EditCableLengthExit();
    EXPECT_EQ(text("EditCableLength"), "25,00");
    EXPECT_EQ(text("EditCableAtt"), "1,93");
    EXPECT_EQ(text("EditAntIn"), "64,08");

    field("EditCableLength")->setText("-3");
    form->EditCableLengthExit();
    EXPECT_EQ(boxes.warnings().last(), "Cable length must be a positive real number!");
    EXPECT_EQ(text("EditCableLength"), "");
    EXPECT_EQ(text("EditAtt"), "1,93"); // the previous attenuation stays

    field("EditCableLength")->setText("x");
    form->EditCableLengthExit();
    EXPECT_EQ(boxes.warnings().last(), "Cable length must be a real number");
    field("EditPlugAtt")->setText("x");
    form->EditPlugAttExit();
    EXPECT_EQ(boxes.warnings().last(), "Attenuation must be a real number!");

    form->ButSetAttNullClick();
    EXPECT_EQ(text("EditTotalAtt"), "0,00");
    EXPECT_EQ(text("EditCableLength"), "0,00");
    EXPECT_EQ(text("EditPlugAtt"), "0,00");
    EXPECT_EQ(text("EditAntIn"), "100,00");

    // A cable click shows the new attenuation at once but leaves the results alone.
    field("EditCableLength")->setText("10");
    form->ButGleichClick();
    const QString eirp = text("EditEIRP");
    form->CLBCableClick(4); // RG58
    EXPECT_TRUE(form->CLBCable->checked(4));
    EXPECT_FALSE(form->CLBCable->checked(6));
    EXPECT_NE(text("EditAtt"), "0,77");
    EXPECT_EQ(text("EditEIRP"), eirp);
}

TEST_F(MainWindow, AntennaIsChosenTakenAndReEvaluatedOnABandChange) {
    start();
    form->LBHersteller->setCurrentRow(1); // Example
    form->LBHerstellerClick();
    ASSERT_EQ(form->LBTypen->count(), 2);
    form->LBTypen->setCurrentRow(0); // MyAnt
    form->LBTypenClick();
    EXPECT_EQ(form->LBAntBand->count(), 2);
    EXPECT_EQ(form->LBAntBand->item(0)->text(), "144,00 7,456   4");
    EXPECT_EQ(form->model().highlighted().point, 0);
    EXPECT_TRUE(form->ButTakeAnt->isEnabled());
    EXPECT_EQ(text("EditAntGain"), "7,46");
    EXPECT_EQ(text("EditAntTyp"), "Yagi");
    form->ButTakeAntClick();
    EXPECT_EQ(text("EditAntenne"), "MyAnt");
    EXPECT_EQ(text("EditGain"), "7,46");
    EXPECT_DOUBLE_EQ(form->model().antennaGain(), 7.46);
    EXPECT_EQ(form->model().taken()->entry, 0);

    form->CBBand->setCurrentIndex(12); // 70cm: the 432 MHz point fits
    form->CBBandChange();
    EXPECT_EQ(text("EditGain"), "11,00");
    form->CBBand->setCurrentIndex(5); // 20m: nothing fits
    form->CBBandChange();
    EXPECT_EQ(text("EditAntenne"), "");
    EXPECT_EQ(form->model().antennaGain(), 0);
    EXPECT_FALSE(form->ButTakeAnt->isEnabled());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(MainWindow, ManufacturerClickMeansNoAntennaIsChosen) {
    start();
    pickAntenna(1, 0);
    form->LBHersteller->setCurrentRow(0);
    form->LBHerstellerClick();
    EXPECT_EQ(form->model().highlighted().point, -1);
    form->CBBand->setCurrentIndex(10);
    form->CBBandChange(); // must not take the emptied fields
    EXPECT_TRUE(boxes.warnings().isEmpty());
}

TEST_F(MainWindow, AngleDataFillTheTableAfterTheAntennaIsTaken) {
    start();
    pickAntenna(1, 0);
    EXPECT_FALSE(form->LaAngDataAvailable->isHidden());
    form->ButTakeAntClick();
    auto* tabs = form->PageControl;
    EXPECT_TRUE(tabs->isTabVisible(tabs->indexOf(form->TSAngle)));
    EXPECT_EQ(form->LaWinkAnt->text(), "Example MyAnt");
    const QAbstractItemModel* grid = form->SGWinkel->model();
    ASSERT_EQ(grid->rowCount(), 4);
    EXPECT_EQ(grid->headerData(1, Qt::Horizontal).toString(), "Attenuation");
    EXPECT_EQ(grid->index(1, 0).data().toString(), "   30");
    EXPECT_EQ(grid->index(2, 1).data().toString(), "  10,00");
    // 0 dB repeats the main distance, 10 dB shortens it by sqrt(10).
    const auto& d = form->model().last().pattern.PatternDistances;
    ASSERT_EQ(d.size(), 4u);
    EXPECT_NEAR(d[0], form->model().last().result.SafetyDistance, 1e-12);
    EXPECT_NEAR(d[2], form->model().last().result.SafetyDistance / std::sqrt(10.0), 1e-12);

    form->MIGermanClick(); // the antenna's title stays on the page
    EXPECT_EQ(form->LaWinkAnt->text(), "Example MyAnt");
    EXPECT_EQ(grid->headerData(1, Qt::Horizontal).toString(), "Dämpfung");

    form->RGPolClick(1); // horizontal: the section at 0 MHz fits every band
    EXPECT_EQ(grid->rowCount(), 2);
    const auto table = form->angleTable();
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0][0], "Winkel");
}

TEST_F(MainWindow, MalformedAngleDataAreReportedWithTheFileAndLine) {
    writeFile(path("ang/Example MyAnt.ang"),
              "[Bereich],90\r\n[Schrittweite],30\r\n[MHz],v,144,0\r\n0,x\r\n");
    start();
    pickAntenna(1, 0); // browsing says nothing; taking the antenna does
    EXPECT_TRUE(boxes.warnings().isEmpty());
    EXPECT_TRUE(form->LaAngDataAvailable->isHidden());
    form->ButTakeAntClick();
    ASSERT_EQ(boxes.warnings().size(), 1);
    EXPECT_TRUE(boxes.warnings()[0].contains("Example MyAnt")) << boxes.warnings()[0].toStdString();
    EXPECT_TRUE(boxes.warnings()[0].contains("4")) << boxes.warnings()[0].toStdString();
    EXPECT_EQ(text("EditAntenne"), "MyAnt");
    EXPECT_FALSE(form->PageControl->isTabVisible(form->PageControl->indexOf(form->TSAngle)));
}

TEST_F(MainWindow, MissingCatalogueEndsTheProgramWithAWarningThatSaysWhere) {
    QFile::remove(path("Antennas.txt"));
    start();
    EXPECT_TRUE(form->catalogueMissing());
    ASSERT_EQ(boxes.warnings().size(), 1);
    const QStringList lines = boxes.warnings()[0].split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "The File Antennas.txt was not found!");
    EXPECT_EQ(lines[1], "Looked for in the folder " + QDir(path("")).canonicalPath());
}

TEST_F(MainWindow, ACatalogueThatCannotBeReadCountsAsMissingAndSaysWhy) {
    QFile::remove(path("Antennas.txt"));
    QDir(path("")).mkdir("Antennas.txt"); // a folder of that name
    start();
    EXPECT_TRUE(form->catalogueMissing());
    ASSERT_EQ(boxes.warnings().size(), 1);
    EXPECT_TRUE(boxes.warnings()[0].startsWith("The File Antennas.txt was not found!\n"));
    EXPECT_TRUE(boxes.warnings()[0].contains("Is a directory"))
        << boxes.warnings()[0].toStdString();
}

TEST_F(MainWindow, FullTextTipsStayWhenALanguageSwitchesHintsOff) {
    start();
    form->show();
    form->MIFrenchClick();
    // The tip shown after a hover: a blocked one leaves the marker in place.
    auto tipAt = [](QWidget* w) {
        QToolTip::showText(w->mapToGlobal(QPoint(5, 5)), "marker", w);
        QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(w, &event);
        return QToolTip::text();
    };
    EXPECT_EQ(tipAt(form->LBHersteller->viewport()), "alpha"); // the list item's whole text
    const QString hint = field("EditModeFactor")->toolTip();   // a hint in every language
    ASSERT_FALSE(hint.isEmpty());
    EXPECT_EQ(tipAt(field("EditModeFactor")), "marker"); // hints are off in French
    form->MIEnglishClick();
    EXPECT_EQ(tipAt(field("EditModeFactor")), hint);
    QToolTip::hideText();
}

TEST_F(MainWindow, WindowPositionComesFromAndGoesToTheSettingsFile) {
    writeFile(path("Radexa.ini"), "[Fensterpositionen]\r\nLeft=250\r\nTop=abc\r\n");
    start();
    EXPECT_EQ(form->x(), 250);
    EXPECT_EQ(form->y(), 100);
    form->move(123, 45);
    form->close();
    QFile ini(path("Radexa.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray written = ini.readAll();
    EXPECT_TRUE(written.contains("Left=123")) << written.toStdString();
    EXPECT_TRUE(written.contains("Top=45")) << written.toStdString();
}

TEST_F(MainWindow, LanguagesSwitchTextsHintsAndMessages) {
    start();
    form->MIGermanClick();
    EXPECT_EQ(form->LaHamBand->text(), "Afu-Band");
    EXPECT_EQ(form->MIDatei->title(), "&Datei");
    EXPECT_EQ(form->PageControl->tabText(0), "Antenne");
    EXPECT_TRUE(form->MIGerman->isChecked());
    EXPECT_FALSE(form->MIEnglish->isChecked());
    EXPECT_EQ(form->LaTotalAtt->text(),
              "Dämpfungen zwischen\nSenderausgang und\nAntenneneingang [dB]");

    form->MIFrenchClick();
    EXPECT_EQ(field("EditPower")->toolTip(), "");
    EXPECT_EQ(form->MIDatei->title(), "&File");
    EXPECT_EQ(form->LaCableFreq->text(), "Frequenz [MHz]");
    EXPECT_FALSE(field("EditModeFactor")->toolTip().isEmpty()); // fixed German hint stays

    form->MISwedishClick();
    EXPECT_EQ(field("EditPower")->toolTip(), "Sändareffekt");
    field("EditPower")->setText("x");
    form->calcCall();
    EXPECT_EQ(boxes.warnings().last(), "Ange inmatad effekt !");
    EXPECT_EQ(form->RGMode->itemText(7), "All"); // radio items are never translated
}

// The page tabs stay in view in every language, the Angle page's included: no tab is
// pushed behind scroll arrows.
TEST_F(MainWindow, EveryPageTabStaysInViewInEveryLanguage) {
    start();
    form->show();
    takeMyAnt();
    QTabBar* bar = form->PageControl->tabBar();
    for (void (TRadexaForm::*choose)() :
         {&TRadexaForm::MIGermanClick, &TRadexaForm::MIEnglishClick, &TRadexaForm::MIFrenchClick,
          &TRadexaForm::MISwedishClick}) {
        (form.get()->*choose)();
        SCOPED_TRACE(form->PageControl->tabText(3).toStdString());
        form->PageControl->setCurrentWidget(form->TSAnt);
        QCoreApplication::processEvents();
        for (int i = 0; i < bar->count(); ++i)
            EXPECT_TRUE(bar->rect().contains(bar->tabRect(i)))
                << form->PageControl->tabText(i).toStdString();
    }
}

TEST_F(MainWindow, CatalogueReloadResetsBandAndCableButKeepsPower) {
    start();
    field("EditPower")->setText("50");
    form->CBBand->setCurrentIndex(5);
    form->CBBandChange();
    field("EditCableLength")->setText("30");
    form->ButGleichClick();
    writeFile(path("AntUser.txt"), "[Mine]\r\nLoop,Loop,14.1,1.5,1,#\r\n");
    form->MIAntennenNeuLadenClick();
    EXPECT_EQ(form->CBBand->currentText(), "2m");
    EXPECT_EQ(text("EditCableLength"), "10,00");
    EXPECT_EQ(text("EditPower"), "50");
    EXPECT_EQ(form->LBHersteller->count(), 3);
}

} // namespace
} // namespace radexa::testing

namespace radexa::testing {
namespace {

// The catalogue and angle data that ship with the program.
class ShippedCatalogue : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        const QDir data(QStringLiteral(RADEXA_SOURCE_DIR "/data"));
        QFile::remove(path("Antennas.txt"));
        QFile::remove(path("ang/Example MyAnt.ang"));
        ASSERT_TRUE(QFile::copy(data.filePath("Antennas.txt"), path("Antennas.txt")));
        for (const QString& f : QDir(data.filePath("ang")).entryList({"*.ang"}))
            ASSERT_TRUE(QFile::copy(data.filePath("ang/" + f), path("ang/" + f)));
        start();
    }
    void pick(const QString& manufacturer, const QString& name) {
        const auto m = form->LBHersteller->findItems(manufacturer, Qt::MatchExactly);
        ASSERT_EQ(m.size(), 1) << manufacturer.toStdString();
        form->LBHersteller->setCurrentItem(m[0]);
        form->LBHerstellerClick();
        const auto n = form->LBTypen->findItems(name, Qt::MatchExactly);
        ASSERT_FALSE(n.isEmpty()) << name.toStdString();
        form->LBTypen->setCurrentItem(n.back());
        form->LBTypenClick();
    }
    bool angleTabShown() const {
        return form->PageControl->isTabVisible(form->PageControl->indexOf(form->TSAngle));
    }
};

TEST_F(ShippedCatalogue, DualBandAntennaFollowsTheBandAndKeepsItsAngleData) {
    pick("Generic Vertical", "Collinear 2m-70cm");
    EXPECT_EQ(form->LBAntBand->count(), 2);
    EXPECT_EQ(form->LBAntBand->currentRow(), 0); // 144.3 MHz is 0.2 % from 144
    form->ButTakeAntClick();
    EXPECT_EQ(text("EditGain"), "5,04");
    EXPECT_TRUE(angleTabShown());
    EXPECT_EQ(form->LaWinkAnt->text(), "Generic Vertical Collinear 2m-70cm");
    // 5.04 dBi raise the EIRP by 10^0.504.
    EXPECT_NEAR(form->model().last().result.EIRP,
                form->model().last().result.AntInPower * std::pow(10.0, 0.504), 1e-9);

    form->CBBand->setCurrentIndex(12); // 70cm
    form->CBBandChange();
    EXPECT_EQ(text("EditGain"), "7,89");
    EXPECT_EQ(text("EditAntenne"), "Collinear 2m-70cm");

    form->CBBand->setCurrentIndex(5); // 20m: no point within 10 %
    form->CBBandChange();
    EXPECT_EQ(text("EditAntenne"), "");
    EXPECT_EQ(text("EditGain"), "0,00");
    EXPECT_FALSE(form->ButTakeAnt->isEnabled());
    EXPECT_EQ(form->LBAntBand->currentRow(), -1);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(ShippedCatalogue, AngleTabBelongsToTheTakenAntennaNotToTheHighlightedOne) {
    pick("Generic Yagi VHF-UHF", "Yagi 9 el 2m");
    form->ButTakeAntClick();
    EXPECT_TRUE(angleTabShown());
    EXPECT_FALSE(form->model().last().pattern.PatternDistances.empty());
    pick("Generic Vertical", "J-pole 2m"); // no angle data, not taken
    field("EditPower")->setText("200");
    form->calcCall();
    EXPECT_TRUE(angleTabShown());
    EXPECT_EQ(form->LaWinkAnt->text(), "Generic Yagi VHF-UHF Yagi 9 el 2m");
    EXPECT_EQ(text("EditAntenne"), "Yagi 9 el 2m");
    form->ButTakeAntClick();
    EXPECT_FALSE(angleTabShown());
    EXPECT_TRUE(form->model().last().pattern.PatternEirp.empty());
}

TEST_F(ShippedCatalogue, EveryManufacturerAndAntennaCanBeClickedOnEveryBand) {
    for (int band : {0, 5, 11, 12, 17}) {
        form->CBBand->setCurrentIndex(band);
        form->CBBandChange();
        for (int m = 0; m < form->LBHersteller->count(); ++m) {
            form->LBHersteller->setCurrentRow(m);
            form->LBHerstellerClick();
            for (int n = 0; n < form->LBTypen->count(); ++n) {
                form->LBTypen->setCurrentRow(n);
                form->LBTypenClick();
                if (form->ButTakeAnt->isEnabled())
                    form->ButTakeAntClick();
                EXPECT_NE(text("EditrPS"), "") << band << " " << m << " " << n;
            }
        }
    }
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes.front().text.toStdString();
}

} // namespace
} // namespace radexa::testing

namespace radexa::testing {
namespace {

TEST_F(MainWindowTest, ARefusedFieldWarnsOnceWhenItTakesTheFocusBack) {
    start();
    form->show();
    QApplication::setActiveWindow(form.get());
    form->PageControl->setCurrentWidget(form->TSCable);
    TEditAlign* length = field("EditCableLength");
    length->setFocus();
    length->setText("-3");
    // A click into the other input field leaves the length; the refusal hands the focus
    // back, which leaves the other field before it ever was used.
    field("EditPlugAtt")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(boxes.warnings(), QStringList{"Cable length must be a positive real number!"});
    EXPECT_TRUE(length->hasFocus());
    EXPECT_EQ(length->text(), "");
}

} // namespace
} // namespace radexa::testing
