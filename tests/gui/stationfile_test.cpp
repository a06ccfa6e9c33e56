// Station files through the main window: saving, opening, the dialogs and their
// messages, and files that cannot be restored whole.
#include "mainwindow_fixture.h"

#include "gui/support/controls.h"

#include <QComboBox>
#include <QListWidget>

namespace radexa::testing {
namespace {

class StationFile : public MainWindowTest {
protected:
    void pickBand(const char* name) {
        form->CBBand->setCurrentIndex(form->CBBand->findText(name));
        form->CBBandChange();
    }
    // Every input and every result the window shows.
    QStringList station() {
        QStringList s;
        s << form->CBBand->currentText()
          << QString::number(form->model().frequency().FixedFrequencyMode);
        for (const char* name :
             {"EditFreq", "EditAntenne", "EditGain", "EditPower", "EditHoehe", "EditMode",
              "EditCableLength", "EditPlugAtt", "EditAtt", "EditEps", "EditFmodPers", "EditFB",
              "EditAntIn", "EditEIRP", "EditrPS", "EditrNahfeld"})
            s << QString(name) + "=" + text(name);
        s << form->RGMode->itemText(form->RGMode->itemIndex())
          << form->RGDutyCycle->itemText(form->RGDutyCycle->itemIndex())
          << form->RGFCCBNetzA->itemText(form->RGFCCBNetzA->itemIndex())
          << form->CLBCable->item(form->CLBCable->itemIndex())->text();
        return s;
    }
    static QByteArray stationText(const QByteArray& band,
                                  const QByteArray& antenna = "MyAnt;Example") {
        return "Band/Frequenz...........>" + band + "\r\nAntenne.................>" + antenna +
               "\r\nH\xF6he [m]................>9\r\nLeistung [W]............>50\r\n"
               "Betriebsart.............>Alle\r\nTXRX-Intervall..........>TX2 RX4\r\n"
               "FCC/BNetzA..............>BNetzA (Germany)\r\nKabelTyp................>RG58\r\n"
               "Kabell\xE4nge.[m]..........>25\r\nsonst. D\xE4mpfungen.[dB]..>1,5\r\n";
    }
};

TEST_F(StationFile, SavedStationIsWrittenAsTenLabelledLinesAndOpensToTheSameResults) {
    start();
    pickBand("70cm");
    takeMyAnt();
    field("EditPower")->setText("50");
    field("EditHoehe")->setText("8,5");
    form->RGMode->setItemIndex(7); // All
    form->RGDutyCycle->setItemIndex(4);
    form->RGFCCBNetzA->setItemIndex(1);
    form->UpdateBetriebsart();
    form->CLBCableClick(4); // RG58
    field("EditCableLength")->setText("25");
    field("EditPlugAtt")->setText("1,5");
    form->ButGleichClick();
    const QStringList before = station();

    boxes.fileAnswers.push_back(path("mine.txt"));
    form->MISaveAsClick();
    EXPECT_EQ(boxes.lastProposedFile, form->paths().ProgramFolder + "MYCALL.txt");
    EXPECT_EQ(boxes.lastFilter, "Textdateien (*.txt);;Alle Dateien (*.*)");
    EXPECT_EQ(boxes.lastSelectedFilter, "Textdateien (*.txt)");
    EXPECT_EQ(readFile(path("mine.txt")), QByteArray("Band/Frequenz...........>70cm\r\n"
                                                     "Antenne.................>MyAnt;Example\r\n"
                                                     "H\xF6he [m]................>8,5\r\n"
                                                     "Leistung [W]............>50\r\n"
                                                     "Betriebsart.............>Alle\r\n"
                                                     "TXRX-Intervall..........>TX2 RX4\r\n"
                                                     "FCC/BNetzA..............>BNetzA (Germany)\r\n"
                                                     "KabelTyp................>RG58\r\n"
                                                     "Kabell\xE4nge.[m]..........>25,00\r\n"
                                                     "sonst. D\xE4mpfungen.[dB]..>1,50\r\n"));
    EXPECT_TRUE(form->currentStationFile().isEmpty()); // "Save as" does not remember it

    // Change every input, then open the file again.
    form->MIAntennenNeuLadenClick();
    pickBand("20m");
    field("EditPower")->setText("100");
    field("EditHoehe")->setText("12");
    form->RGMode->setItemIndex(1);
    form->RGDutyCycle->setItemIndex(0);
    form->RGFCCBNetzA->setItemIndex(0);
    form->UpdateBetriebsart();
    ASSERT_NE(station(), before);

    boxes.fileAnswers.push_back(path("mine.txt"));
    form->MIopenClick();
    EXPECT_EQ(boxes.lastProposedFile, form->paths().ProgramFolder);
    EXPECT_EQ(station(), before);
    EXPECT_EQ(form->RGMode->itemText(form->RGMode->itemIndex()), "All");
    EXPECT_EQ(form->model().taken()->entry, 0);
    EXPECT_EQ(form->currentStationFile(), path("mine.txt"));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(StationFile, FixedFrequencyIsWrittenAsShownAndReadBackAsItsNumber) {
    writeFile(path("AntUser.txt"), "[Mine]\r\nLoop80,Loop,3.6,2.1,1,#\r\n");
    start();
    boxes.textAnswers.push_back(QString("3,5"));
    form->EditFreqDblClick();
    takeAntenna(2, 0); // Mine / Loop80
    ASSERT_EQ(text("EditAntenne"), "Loop80");
    const QStringList before = station();

    boxes.fileAnswers.push_back(path("fixed.txt"));
    form->MISaveAsClick();
    EXPECT_EQ(boxes.lastProposedFile, form->paths().ProgramFolder + "MYCALL4MHz.txt");
    EXPECT_TRUE(readFile(path("fixed.txt"))
                    .startsWith("Band/Frequenz...........>F  3,50\r\n"
                                "Antenne.................>Loop80;Mine\r\n"));

    pickBand("2m");
    form->Oeffnen(path("fixed.txt"));
    EXPECT_TRUE(form->model().frequency().FixedFrequencyMode);
    EXPECT_DOUBLE_EQ(form->model().frequency().FixedFrequency, 3.5);
    EXPECT_EQ(form->CBBand->currentIndex(), -1);
    EXPECT_EQ(station(), before);

    // 145 MHz: proposed MYCALL145MHz.txt and "F145,00" in the file.
    boxes.textAnswers.push_back(QString("145"));
    form->EditFreqDblClick();
    takeMyAnt(); // a fixed frequency is used at the next antenna click
    boxes.fileAnswers.push_back(path("145.txt"));
    form->MISaveAsClick();
    EXPECT_EQ(boxes.lastProposedFile, form->paths().ProgramFolder + "MYCALL145MHz.txt");
    EXPECT_TRUE(readFile(path("145.txt")).startsWith("Band/Frequenz...........>F145,00\r\n"));

    // A band file ends the fixed-frequency mode and shows the band's edges.
    writeFile(path("band.txt"), stationText("2m"));
    form->Oeffnen(path("band.txt"));
    EXPECT_FALSE(form->model().frequency().FixedFrequencyMode);
    EXPECT_EQ(text("EditFreq"), "144,00 - 146,00");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(StationFile, SavingWithoutATakenFittingAntennaIsRefusedAndWritesNothing) {
    start();
    boxes.fileAnswers.push_back(path("x.txt"));
    form->MISaveClick(); // no station file yet: asks for a name first, then refuses
    EXPECT_EQ(boxes.asked.size(), 1);
    EXPECT_EQ(boxes.warnings().last(),
              "Antenna does not fit to frequency. File save not possible!");
    EXPECT_FALSE(QFile::exists(path("x.txt")));

    // An antenna chosen but never taken, and a taken one dropped by a band change.
    pickAntenna(1, 0);
    EXPECT_FALSE(form->Speichern(path("x.txt")));
    form->ButTakeAntClick();
    pickBand("20m"); // MyAnt has no 20 m point
    EXPECT_FALSE(form->Speichern(path("x.txt")));
    EXPECT_FALSE(QFile::exists(path("x.txt")));
    EXPECT_EQ(boxes.warnings().size(), 3);
}

TEST_F(StationFile, CancelledDialogsAndFailuresAreReportedInTheCurrentLanguage) {
    start();
    takeMyAnt();
    form->MISwedishClick();
    boxes.fileAnswers.push_back(std::nullopt);
    form->MIopenClick();
    boxes.fileAnswers.push_back(std::nullopt);
    form->MISaveAsClick();
    EXPECT_EQ(boxes.warnings(),
              (QStringList{"Filen kunde INTE öppnas !", "Filen kunde INTE sparas !"}));

    form->MIGermanClick();
    const QString folderless = path("no such folder/a.txt");
    EXPECT_FALSE(form->Speichern(folderless));
    EXPECT_TRUE(boxes.warnings().last().startsWith("Datei wurde NICHT gespeichert!\n"));
    EXPECT_TRUE(boxes.warnings().last().contains(folderless))
        << boxes.warnings().last().toStdString();

    form->Oeffnen(path("missing.txt"));
    EXPECT_TRUE(boxes.warnings().last().startsWith("Datei konnte nicht geöffnet werden!\n"));
    EXPECT_TRUE(boxes.warnings().last().contains("missing.txt"));
    EXPECT_TRUE(form->currentStationFile().isEmpty());
}

TEST_F(StationFile, SaveWritesToTheOpenedFileUntilTheBandChanges) {
    writeFile(path("s.txt"), stationText("2m"));
    start();
    form->Oeffnen(path("s.txt"));
    ASSERT_TRUE(boxes.boxes.empty()) << boxes.boxes.front().text.toStdString();
    field("EditPower")->setText("77");
    form->MISaveClick(); // no dialog
    EXPECT_TRUE(boxes.asked.isEmpty());
    EXPECT_TRUE(readFile(path("s.txt")).contains("Leistung [W]............>77\r\n"));

    pickBand("70cm");
    EXPECT_TRUE(form->currentStationFile().isEmpty());
    boxes.fileAnswers.push_back(std::nullopt);
    form->MISaveClick();
    EXPECT_EQ(boxes.asked.size(), 1);
}

TEST_F(StationFile, FileWrittenInGermanOpensWithFrenchTextsToTheSameSelections) {
    writeFile(path("s.txt"), stationText("70cm"));
    start();
    form->MIGermanClick();
    form->Oeffnen(path("s.txt"));
    const QStringList german = station();
    form->MIFrenchClick();
    pickBand("2m");
    form->Oeffnen(path("s.txt"));
    EXPECT_EQ(station(), german);
    EXPECT_EQ(form->RGMode->itemText(form->RGMode->itemIndex()), "All");
    EXPECT_EQ(form->RGDutyCycle->itemText(form->RGDutyCycle->itemIndex()), "TX2 RX4");
    EXPECT_EQ(form->CLBCable->item(form->CLBCable->itemIndex())->text(), "RG58");
    EXPECT_TRUE(form->CLBCable->checked(4));
    EXPECT_FALSE(form->CLBCable->checked(6));
    EXPECT_EQ(text("EditAntenne"), "MyAnt");
    EXPECT_EQ(text("EditGain"), "11,00"); // the 432 MHz point
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(StationFile, LinesThatCannotBeRestoredAreNamedOnceAndTheCurrentValuesKept) {
    start();
    takeMyAnt();
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList named; // lines named by the warning
    } cases[] = {
        {"short file",
         "Band/Frequenz...........>70cm\r\nAntenne.................>MyAnt;Example\r\n",
         {"3: H\u00f6he [m]................>", "10: sonst. D\u00e4mpfungen.[dB]..>"}},
        {"empty band", stationText(""), {"1: Band/Frequenz...........>"}},
        {"no separator", stationText("70cm", "MyAnt"), {"2: Antenne.................>MyAnt"}},
        {"unknown antenna",
         stationText("70cm", "Nope;Example"),
         {"2: Antenne.................>Nope;Example"}},
        {"frequency no number", stationText("Fabc"), {"1: Band/Frequenz...........>Fabc"}},
        {"frequency no limit", stationText("F0"), {"1: Band/Frequenz...........>F0"}},
        {"antenna does not fit", stationText("20m"), {"2: Antenne.................>MyAnt;Example"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.boxes.clear();
        form->MIAntennenNeuLadenClick();
        takeMyAnt();
        field("EditPower")->setText("100");
        field("EditHoehe")->setText("12");
        form->calcCall();
        writeFile(path("bad.txt"), c.bytes);
        form->Oeffnen(path("bad.txt"));
        ASSERT_EQ(boxes.warnings().size(), 1);
        const QString w = boxes.warnings().front();
        EXPECT_TRUE(
            w.startsWith("Could not be restored from the station file:\n" + path("bad.txt")))
            << w.toStdString();
        for (const QString& line : c.named)
            EXPECT_TRUE(w.contains("\n" + line)) << w.toStdString();
        EXPECT_TRUE(form->currentStationFile().isEmpty());
        EXPECT_NE(text("EditrPS"), "---");
    }
    // Short file: band and antenna restored; height and power keep their values.
    form->MIAntennenNeuLadenClick();
    field("EditPower")->setText("100");
    field("EditHoehe")->setText("12");
    writeFile(path("bad.txt"), cases[0].bytes);
    form->Oeffnen(path("bad.txt"));
    EXPECT_EQ(form->CBBand->currentText(), "70cm");
    EXPECT_EQ(text("EditAntenne"), "MyAnt");
    EXPECT_EQ(text("EditHoehe"), "12");
    EXPECT_EQ(text("EditPower"), "100");
    // A frequency that is no number keeps the band, the rest is restored.
    writeFile(path("good.txt"), stationText("70cm"));
    form->Oeffnen(path("good.txt"));
    writeFile(path("bad.txt"), stationText("Fabc"));
    form->Oeffnen(path("bad.txt"));
    EXPECT_FALSE(form->model().frequency().FixedFrequencyMode);
    EXPECT_EQ(form->CBBand->currentText(), "70cm");
    EXPECT_EQ(text("EditPower"), "50");
}

TEST_F(StationFile, NamesTheListsDoNotHoldAreReportedAndTheSelectionKept) {
    writeFile(path("s.txt"), stationText("5m").replace("TX2 RX4", "TX9").replace("RG58", "RG8"));
    start();
    takeMyAnt();
    form->Oeffnen(path("s.txt"));
    const QStringList w = boxes.warnings();
    ASSERT_EQ(w.size(), 4);
    EXPECT_EQ(w[0], "\nFehler (CBEntryToIndex, CBBand): Index zum Eintrag nicht gefunden!");
    EXPECT_EQ(w[1], "\nFehler (RGEntryToIndex, RGDutyCycle): Index zum Eintrag nicht gefunden!");
    EXPECT_EQ(w[2], "\nFehler (CLBEntryToIndex, CLBCable): Index zum Eintrag nicht gefunden!");
    EXPECT_TRUE(w[3].contains("\n1: ") && w[3].contains("\n6: ") && w[3].contains("\n8: "))
        << w[3].toStdString();
    EXPECT_EQ(form->CBBand->currentText(), "2m");
    EXPECT_EQ(form->RGDutyCycle->itemText(form->RGDutyCycle->itemIndex()), "TX3 RX3");
    EXPECT_TRUE(form->CLBCable->checked(6));
    EXPECT_EQ(text("EditAntenne"), "MyAnt");
    EXPECT_EQ(text("EditPower"), "50");
    EXPECT_EQ(form->RGFCCBNetzA->itemIndex(), 1);
}

} // namespace
} // namespace radexa::testing
