// The window driven by the keyboard alone: every list, group and field acts on the key as
// on a click, and what the window shows is what the station model computes, and what the
// command-line calculator gives for the same station.
#include "mainwindow_fixture.h"

#include "core/support/textnumbers.h"
#include "gui/support/controls.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace radexa::testing {
namespace {

class Keyboard : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        start();
        form->show();
        QApplication::setActiveWindow(form.get());
    }
    // A key on a control, then the work it queued.
    void key(QWidget* w, int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        w->setFocus();
        QTest::keyClick(w, static_cast<Qt::Key>(k), m);
        QCoreApplication::processEvents();
    }
    int ticks() const {
        int n = 0;
        for (int i = 0; i < form->CLBCable->count(); ++i)
            n += form->CLBCable->checked(i) ? 1 : 0;
        return n;
    }
    bool angleTabShown() const {
        return form->PageControl->isTabVisible(form->PageControl->indexOf(form->TSAngle));
    }
};

TEST_F(Keyboard, CableListMovesItsOneTickWithTheHighlightAndComputesWithIt) {
    form->PageControl->setCurrentWidget(form->TSCable);
    auto* cables = form->CLBCable;
    ASSERT_EQ(cables->currentRow(), 6); // RG213
    key(cables, Qt::Key_Down);
    EXPECT_EQ(cables->currentRow(), 7);
    EXPECT_TRUE(cables->checked(7));
    EXPECT_EQ(ticks(), 1);
    EXPECT_EQ(form->model().cableIdx(), 8); // RG220
    EXPECT_EQ(text("EditCableAtt100"),
              QString::fromStdString(FormatReal("%3.2f", CableAttenuation(8, 144))));
    key(cables, Qt::Key_Space); // Space never ticks a second cable
    EXPECT_EQ(ticks(), 1);
    key(cables, Qt::Key_Up);
    key(cables, Qt::Key_Up);
    EXPECT_TRUE(cables->checked(5)); // RG174
    EXPECT_EQ(ticks(), 1);
    key(form->ButGleich, Qt::Key_Enter);
    EXPECT_EQ(form->model().last().input.TotalAtt, form->model().cablePage().TotalAtt);
    EXPECT_EQ(text("EditAtt"),
              QString::fromStdString(FormatReal("%3.2f", form->model().cablePage().TotalAtt)));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Keyboard, AntennaListsFollowTheArrowKeys) {
    auto* makers = form->LBHersteller; // alpha, Example
    key(makers, Qt::Key_End);
    EXPECT_EQ(form->model().highlightedManufacturer(), "Example");
    ASSERT_EQ(form->LBTypen->count(), 2);
    key(makers, Qt::Key_Up);
    EXPECT_EQ(form->model().highlightedManufacturer(), "alpha");
    EXPECT_EQ(form->LBTypen->count(), 1);
    key(makers, Qt::Key_Down);
    EXPECT_EQ(form->model().highlightedManufacturer(), "Example");
    ASSERT_EQ(form->LBTypen->count(), 2);

    auto* names = form->LBTypen;
    key(names, Qt::Key_End); // the second line: Dipole, no point on 2m
    EXPECT_EQ(form->LBAntBand->count(), 1);
    EXPECT_FALSE(form->ButTakeAnt->isEnabled());
    EXPECT_EQ(text("EditAntName"), "");
    key(names, Qt::Key_Up); // MyAnt again: points, chosen antenna and Take follow
    EXPECT_EQ(form->LBAntBand->count(), 2);
    EXPECT_EQ(form->LBAntBand->currentRow(), 0);
    EXPECT_EQ(text("EditAntName"), "MyAnt");
    EXPECT_EQ(text("EditAntGain"), "7,46");
    EXPECT_FALSE(form->LaAngDataAvailable->isHidden());
    EXPECT_TRUE(form->ButTakeAnt->isEnabled());

    // A point cannot be chosen by hand: the fitting one stays selected.
    key(form->LBAntBand, Qt::Key_Down);
    EXPECT_EQ(form->LBAntBand->currentRow(), 0);

    key(form->ButTakeAnt, Qt::Key_Return); // as Space
    EXPECT_EQ(text("EditAntenne"), "MyAnt");
    EXPECT_EQ(text("EditGain"), "7,46");
    EXPECT_TRUE(angleTabShown());
}

TEST_F(Keyboard, AListEnteredByTabWithoutASelectionChoosesNothing) {
    takeMyAnt();
    form->LBHersteller->setCurrentRow(0); // alpha
    form->LBHerstellerClick();
    // Tab into the names list gives it a current item but no selection.
    form->LBHersteller->setFocus();
    QTest::keyClick(form->LBHersteller, Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->model().highlightedRow(), kNoPosition);
    // A band change then re-evaluates the taken antenna, and takes no other.
    form->CBBand->setCurrentIndex(12); // 70cm
    form->CBBandChange();
    EXPECT_EQ(text("EditAntenne"), "MyAnt");
    EXPECT_EQ(text("EditGain"), "11,00");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Keyboard, BandModeAndPolarisationByArrowKeys) {
    key(form->CBBand, Qt::Key_Down); // 2m -> 70cm
    EXPECT_EQ(form->CBBand->currentText(), "70cm");
    EXPECT_EQ(text("EditFreq"), "430,00 - 440,00");
    EXPECT_EQ(form->model().last().input.frequency.BandIDX, 13);

    form->PageControl->setCurrentWidget(form->TSMode);
    QRadioButton* ssb = form->RGMode->button(1);
    ssb->setFocus();
    ASSERT_TRUE(ssb->hasFocus());
    QTest::keyClick(ssb, Qt::Key_Up); // SSB -> CW
    EXPECT_EQ(form->RGMode->itemIndex(), 0);
    EXPECT_EQ(form->model().modeIdx(), 1);
    EXPECT_EQ(text("EditMode"), "CW");
    EXPECT_EQ(text("EditModeFactor"), "0,40");
}

TEST_F(Keyboard, ReloadInTheMiddleOfAChoiceLeavesNoDeadAntenna) {
    form->CBBand->setCurrentIndex(12);
    form->CBBandChange();
    takeMyAnt();
    boxes.textAnswers.push_back(QString("433"));
    form->EditFreqDblClick();
    pickAntenna(1, 1); // highlighted, not taken
    form->MIAntennenNeuLadenClick();
    EXPECT_EQ(form->CBBand->currentText(), "2m");
    EXPECT_EQ(text("EditFreq"), "144,00 - 146,00");
    EXPECT_FALSE(form->model().frequency().FixedFrequencyMode);
    EXPECT_EQ(text("EditAntenne"), "");
    EXPECT_EQ(text("EditGain"), "0,00");
    EXPECT_EQ(text("EditAntName"), "");
    EXPECT_EQ(form->LBTypen->count(), 0);
    EXPECT_EQ(form->LBHersteller->selectedItems().size(), 0);
    EXPECT_FALSE(form->ButTakeAnt->isEnabled());
    EXPECT_FALSE(angleTabShown());
    EXPECT_TRUE(form->currentStationFile().isEmpty());

    // The catalogue gone: the reload says so and the window keeps what it had.
    takeMyAnt();
    QFile::remove(path("Antennas.txt"));
    form->MIAntennenNeuLadenClick();
    ASSERT_EQ(boxes.warnings().size(), 1);
    EXPECT_TRUE(boxes.warnings()[0].contains("Antennas.txt was not found"))
        << boxes.warnings()[0].toStdString();
    EXPECT_EQ(text("EditAntenne"), "MyAnt");
    EXPECT_EQ(form->LBHersteller->count(), 2);
}

// The Angle page exists only for a taken antenna with angle data: the arrow keys on the
// tabs and Ctrl+Tab pass it by, and a page that goes while shown leaves a page to see.
TEST_F(Keyboard, TheHiddenAnglePageCannotBeReachedNorStayShown) {
    auto* tabs = form->PageControl;
    auto* bar = tabs->tabBar();
    form->PageControl->setCurrentWidget(form->TSCable);
    key(bar, Qt::Key_Right);
    EXPECT_EQ(tabs->currentWidget(), form->TSLimits);
    form->PageControl->setCurrentWidget(form->TSCable);
    key(tabs, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentWidget(), form->TSLimits);
    key(bar, Qt::Key_Left);
    EXPECT_EQ(tabs->currentWidget(), form->TSCable);

    takeMyAnt();
    ASSERT_TRUE(angleTabShown());
    form->PageControl->setCurrentWidget(form->TSCable);
    key(bar, Qt::Key_Right);
    EXPECT_EQ(tabs->currentWidget(), form->TSAngle);
    // 20 m: no point of MyAnt fits, the antenna and its Angle page go.
    form->CBBand->setCurrentIndex(5);
    form->CBBandChange();
    EXPECT_FALSE(angleTabShown());
    EXPECT_TRUE(tabs->isTabVisible(tabs->currentIndex()));
    form->PageControl->setCurrentWidget(form->TSCable);
    key(bar, Qt::Key_Right);
    EXPECT_EQ(tabs->currentWidget(), form->TSLimits);
}

// Tab leaves the angle table, forwards and backwards.
TEST_F(Keyboard, TabLeavesTheAngleTable) {
    takeMyAnt();
    form->PageControl->setCurrentWidget(form->TSAngle);
    auto* table = form->SGWinkel;
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, 0));
    ASSERT_TRUE(table->hasFocus());
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_FALSE(table->hasFocus());
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(field("EditHoehe")->hasFocus());
}

// A cable ticked shows on the Cable page at once and counts from the next calculation on;
// a station file written before that calculation holds the window's results all the same.
TEST_F(Keyboard, ACableTickedJustBeforeSavingIsCalculatedWith) {
    takeMyAnt();
    form->PageControl->setCurrentWidget(form->TSCable);
    const QString before = text("EditEIRP");
    key(form->CLBCable, Qt::Key_Up); // RG174: more loss than RG213
    EXPECT_EQ(text("EditEIRP"), before);
    boxes.fileAnswers.push_back(path("ticked.txt"));
    form->MISaveAsClick();
    EXPECT_TRUE(readFile(path("ticked.txt")).contains(">RG174\r\n"));
    EXPECT_EQ(form->model().last().input.TotalAtt, form->model().cablePage().TotalAtt);
    EXPECT_NE(text("EditEIRP"), before);
    EXPECT_TRUE(boxes.boxes.empty());
}

// What the mouse opens by a click or double-click on a field, Enter opens from the
// keyboard: the fixed frequency, the power for a distance, the field's page.
TEST_F(Keyboard, EnterOnAFieldDoesWhatItsClickDoes) {
    boxes.textAnswers.push_back(QString("145,5"));
    key(field("EditFreq"), Qt::Key_Return);
    ASSERT_EQ(boxes.asked.size(), 1);
    EXPECT_TRUE(form->model().frequency().FixedFrequencyMode);
    EXPECT_EQ(text("EditFreq"), "145,50");

    // Tab from the last input field reaches the distance field.
    field("EditAtt")->setFocus();
    QTest::keyClick(field("EditAtt"), Qt::Key_Tab);
    EXPECT_TRUE(field("EditrPS")->hasFocus());
    boxes.textAnswers.push_back(QString("2"));
    key(field("EditrPS"), Qt::Key_Return);
    ASSERT_EQ(boxes.asked.size(), 2);
    EXPECT_NE(text("EditPower"), "100");

    key(field("EditMode"), Qt::Key_Return);
    EXPECT_EQ(form->PageControl->currentWidget(), form->TSMode);
    key(field("EditAtt"), Qt::Key_Enter);
    EXPECT_EQ(form->PageControl->currentWidget(), form->TSCable);
    // Enter in the power field still only leaves it.
    key(field("EditPower"), Qt::Key_Return);
    EXPECT_EQ(boxes.asked.size(), 2);
    EXPECT_TRUE(boxes.boxes.empty());
}

// The window and the command-line calculator show the same station alike.
TEST_F(Keyboard, TheWindowAgreesWithTheCommandLineForTheSameStation) {
    takeMyAnt();
    form->PageControl->setCurrentWidget(form->TSCable);
    key(form->CLBCable, Qt::Key_Up); // RG174
    TEditAlign* length = field("EditCableLength");
    length->setFocus();
    length->setText("7,5");
    QTest::keyClick(length, Qt::Key_Return);
    field("EditPower")->setText("250");
    form->calcCall();
    boxes.fileAnswers.push_back(path("kb.txt"));
    form->MISaveAsClick();
    ASSERT_TRUE(boxes.boxes.empty());

    QProcess cli;
    cli.setWorkingDirectory(path(""));
    cli.start(QStringLiteral(RADEXA_BINARY_DIR "/bin/radexa-cli"),
              {"--station", "kb.txt", "--angle-dir", "ang"});
    ASSERT_TRUE(cli.waitForFinished(10000));
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    auto point = [this](const char* name) { return text(name).replace(',', '.'); };
    EXPECT_TRUE(out.contains("Cable Attenuation [dB]: " + point("EditCableAtt") + "\n"))
        << out.toStdString();
    EXPECT_TRUE(out.contains("EIRP [W]: " + point("EditEIRP") + "\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("Distance [m]: " + point("EditrPS") + "\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("Antenna Gain (dBi): " + point("EditGain") + "\n"))
        << out.toStdString();
    const auto rows = form->angleTable();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_TRUE(out.contains(QString::fromStdString(rows[3][3]).replace(',', '.')))
        << out.toStdString();
}

} // namespace
} // namespace radexa::testing
