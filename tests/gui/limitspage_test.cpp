// The Limits page: the limit set, tier and ground reflection drive the outputs, the checks
// table and the FCC exemption, in the window's language; the default is today's window.
#include "mainwindow_fixture.h"

#include "gui/support/controls.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

namespace radexa::testing {
namespace {

using LimitsPage = MainWindowTest;

TEST_F(LimitsPage, SetTierGroundAndExemptionChangeWhatTheWindowShows) {
    start();
    form->show();
    EXPECT_EQ(form->SGLimits, nullptr); // built when first shown
    form->PageControl->setCurrentWidget(form->TSLimits);
    ASSERT_NE(form->SGLimits, nullptr);
    for (QWidget* w : {static_cast<QWidget*>(form->CBLimits), static_cast<QWidget*>(form->SGLimits),
                       static_cast<QWidget*>(form->RGTier), static_cast<QWidget*>(form->LaChecks)})
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(form->CBLimits->currentIndex(), 0);
    EXPECT_EQ(form->SGLimits->rowCount(), 1);
    EXPECT_EQ(form->SGLimits->item(0, 0)->text(), "ICNIRP 1998 *");
    EXPECT_FALSE(form->RGTier->button(1)->isEnabled()); // ICNIRP 1998: public only

    form->CBLimits->setCurrentIndex(1); // ICNIRP 2020
    form->CBLimitsChange();
    EXPECT_EQ(text("EditEps"), "27,70");
    ASSERT_EQ(form->SGLimits->rowCount(), 2);
    EXPECT_EQ(form->SGLimits->item(0, 0)->text(), "whole body *");
    EXPECT_EQ(form->SGLimits->item(1, 4)->text(), "6 min");
    EXPECT_TRUE(form->RGTier->button(1)->isEnabled());
    form->RGTierClick(1);
    EXPECT_EQ(text("EditEps"), "61,00");
    EXPECT_EQ(text("EditrPS"), "0,41");

    form->RGGroundClick(2); // full reflection doubles the distance
    EXPECT_EQ(text("EditrPS"), "0,82");
    EXPECT_EQ(text("EditrNahfeld"), "0,33");

    field("EditExemptDist")->setText("10");
    form->EditExemptDistExit();
    EXPECT_TRUE(form->LaExemption->text().startsWith("Exempt from evaluation: ERP 12,76 W"))
        << form->LaExemption->text().toStdString();

    // Back to ICNIRP 1998: the public tier is taken again.
    form->CBLimits->setCurrentIndex(0);
    form->CBLimitsChange();
    EXPECT_EQ(form->RGTier->itemIndex(), 0);
    EXPECT_EQ(text("EditEps"), "27,50");
    EXPECT_TRUE(boxes.boxes.empty());

    // FCC on LW: no level there, and the window says so.
    form->CBLimits->setCurrentIndex(2);
    form->CBLimitsChange();
    form->CBBand->setCurrentIndex(0);
    form->CBBandChange();
    ASSERT_EQ(boxes.warnings().size(), 1);
    EXPECT_TRUE(boxes.warnings()[0].contains("0,3 - 100000 MHz"))
        << boxes.warnings()[0].toStdString();
    EXPECT_EQ(text("EditrPS"), "---");
}

TEST_F(LimitsPage, SpeaksTheWindowsLanguage) {
    start();
    form->MIFrenchClick();
    form->ShowLimitsPage(); // built in the language in force
    EXPECT_EQ(form->RGTier->button(0)->text(), "Grand public");
    form->CBLimits->setCurrentIndex(1);
    form->CBLimitsChange();
    form->MIGermanClick();
    const int tab = form->PageControl->indexOf(form->TSLimits);
    EXPECT_EQ(form->PageControl->tabText(tab), "Grenzwerte");
    EXPECT_EQ(form->RGTier->button(0)->text(), "Allgemeinbevölkerung");
    EXPECT_EQ(form->SGLimits->item(0, 0)->text(), "Ganzkörper *");
    EXPECT_EQ(form->SGLimits->horizontalHeaderItem(5)->text(), "Abstand\n[m]");
    form->MISwedishClick();
    EXPECT_EQ(form->RGGround->button(0)->text(), "ingen");
    EXPECT_EQ(form->SGLimits->item(1, 0)->text(), "lokal");
}

TEST_F(LimitsPage, AStationFileKeepsTheChoice) {
    start();
    form->ShowLimitsPage();
    takeMyAnt();
    form->CBLimits->setCurrentIndex(2); // FCC
    form->CBLimitsChange();
    form->RGGroundClick(1);
    boxes.fileAnswers.push_back(path("fcc.txt"));
    form->MISaveAsClick();
    EXPECT_TRUE(readFile(path("fcc.txt"))
                    .endsWith("Grenzwerte..............>FCC\r\n"
                              "Bodenreflexion..........>1.6\r\n"));
    form->MIAntennenNeuLadenClick();
    form->CBLimits->setCurrentIndex(0);
    form->CBLimitsChange();
    form->Oeffnen(path("fcc.txt"));
    EXPECT_EQ(form->CBLimits->currentIndex(), 2);
    EXPECT_EQ(form->RGGround->itemIndex(), 1);
    EXPECT_TRUE(boxes.boxes.empty());
}

// A field still being typed in when a menu (which takes no focus from it) saves the
// station or switches the language: what it shows is taken first, so the file, the
// results and the field agree, and nothing typed is lost.
TEST_F(LimitsPage, WhatAFieldShowsIsTakenBeforeSavingOrSwitchingLanguage) {
    start();
    form->show();
    QApplication::setActiveWindow(form.get());
    form->ShowLimitsPage();
    takeMyAnt();
    TEditAlign* exempt = field("EditExemptDist");
    exempt->setFocus();
    exempt->setText("5");
    form->MIGermanClick();
    EXPECT_EQ(exempt->text(), "5");
    EXPECT_EQ(form->model().exemptionDistanceText(), "5");
    EXPECT_FALSE(form->LaExemption->text().isEmpty());

    exempt->setText("7");
    boxes.fileAnswers.push_back(path("typed.txt"));
    form->MISaveAsClick();
    EXPECT_TRUE(readFile(path("typed.txt")).endsWith("Abstand Freistellung....>7\r\n"));

    TEditAlign* power = field("EditPower");
    power->setFocus();
    power->setText("400");
    boxes.fileAnswers.push_back(path("typed.txt"));
    form->MISaveClick();
    EXPECT_TRUE(readFile(path("typed.txt")).contains("Leistung [W]............>400\r\n"));
    EXPECT_EQ(form->model().last().input.Power, 400);
    EXPECT_TRUE(boxes.boxes.empty());

    // A power that is refused when the language switches warns once.
    power->setFocus();
    power->setText("x");
    form->MIFrenchClick();
    EXPECT_EQ(boxes.warnings().size(), 1);
    EXPECT_EQ(form->model().last().input.Power, 400);
    boxes.boxes.clear();
    power->setText("400");
    form->calcCall();

    // A text that is refused is not saved: one warning, and the file stays as it was.
    exempt->setFocus();
    exempt->setText("x");
    boxes.fileAnswers.push_back(path("typed.txt"));
    form->MISaveClick();
    EXPECT_EQ(boxes.warnings().size(), 1);
    EXPECT_TRUE(readFile(path("typed.txt")).endsWith("Abstand Freistellung....>7\r\n"));
}

// A station whose every calculation warns (FCC has no level on LW) is saved all the same
// when the field being typed in is taken first.
TEST_F(LimitsPage, AStationWhoseCalculationAlwaysWarnsIsSavedAllTheSame) {
    writeFile(path("AntUser.txt"), "[Low]\r\nLongwire,Wire,0.137,0,1,#\r\n");
    start();
    form->ShowLimitsPage();
    form->CBLimits->setCurrentIndex(2);
    form->CBLimitsChange();
    form->CBBand->setCurrentIndex(0); // LW
    form->CBBandChange();
    takeAntenna(2, 0);
    ASSERT_EQ(text("EditAntenne"), "Longwire");
    form->show();
    QApplication::setActiveWindow(form.get());
    TEditAlign* power = field("EditPower");
    power->setFocus();
    power->setText("300");
    boxes.boxes.clear();
    boxes.fileAnswers.push_back(path("lw.txt"));
    form->MISaveAsClick();
    EXPECT_TRUE(readFile(path("lw.txt")).contains("Leistung [W]............>300\r\n"));
    EXPECT_EQ(boxes.warnings().size(), 1); // the missing level, said once
}

} // namespace
} // namespace radexa::testing
