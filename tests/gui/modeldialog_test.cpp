// The "Model antenna ..." dialog: the template's fields, refusals that name the field, the
// way without nec2c, and a computed model that ends as an entry the window can take.

#include "patterndialog_fixture.h"

#include "gui/antennas/modeldialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace radexa::testing {
namespace {

using ModelDialog = PatternDialogTest;

// "Compute" as the operator presses it, then the window's events until nec2c has answered.
void compute(TFormModelAntenna& d) {
    d.ButCompute->click();
    while (d.computing())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST_F(ModelDialog, EachTemplateOffersItsFieldsAndProposesItsName) {
    struct Case {
        int templateIndex;
        bool height, angle, radials, deck, ground;
        QString heightLabel, name;
    };
    const Case cases[] = {
        {TFormModelAntenna::Dipole, true, false, false, false, true, "&Height [m]",
         "Dipole 7.1 MHz"},
        {TFormModelAntenna::InvertedV, true, true, false, false, true, "Apex &height [m]",
         "Inverted V 7.1 MHz"},
        {TFormModelAntenna::Vertical, true, false, true, false, true, "Base &height [m]",
         "Vertical 7.1 MHz"},
        // An own deck brings its ground; its name follows the deck file.
        {TFormModelAntenna::OwnDeck, false, false, false, true, false, "&Height [m]", "NEC deck"},
    };
    TFormModelAntenna d;
    EXPECT_EQ(d.EditFrequency->text(), "7,1"); // the window's decimal comma
    // The operator meets the template first, and the catalogue entry after "Compute".
    QStringList chain;
    for (QWidget* w = d.nextInFocusChain(); w != &d; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w->objectName();
    ASSERT_FALSE(chain.isEmpty());
    EXPECT_EQ(chain.first(), "CBTemplate");
    EXPECT_LT(chain.indexOf("ButCompute"), chain.indexOf("EditManufacturer"));
    EXPECT_EQ(chain.last(), "ButClose");
    EXPECT_EQ(d.CBGround->currentText(), "Average ground (\u03B5r 13, \u03C3 0.005 S/m)");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        d.CBTemplate->setCurrentIndex(c.templateIndex);
        EXPECT_EQ(d.EditHeight->isEnabled(), c.height);
        EXPECT_EQ(d.EditAngle->isEnabled(), c.angle);
        EXPECT_EQ(d.EditRadials->isEnabled(), c.radials);
        EXPECT_EQ(d.CBOnGround->isEnabled(), c.radials);
        EXPECT_EQ(d.ButChooseDeck->isEnabled(), c.deck);
        EXPECT_EQ(d.EditAzimuth->isEnabled(), c.deck);
        EXPECT_EQ(d.CBGround->isEnabled(), c.ground);
        EXPECT_EQ(d.LaHeight->text(), c.heightLabel);
        EXPECT_EQ(d.EditName->text(), c.name);
    }

    // Radials on the ground need no height; the name follows the frequency as typed, until
    // the operator types one of his own.
    d.CBTemplate->setCurrentIndex(TFormModelAntenna::Vertical);
    d.CBOnGround->setChecked(true);
    EXPECT_FALSE(d.EditHeight->isEnabled());
    d.EditFrequency->setText("3,65");
    emit d.EditFrequency->textEdited("3,65");
    EXPECT_EQ(d.EditName->text(), "Vertical 3.65 MHz");
    d.EditName->setText("My GP");
    emit d.EditName->textEdited("My GP");
    d.CBTemplate->setCurrentIndex(TFormModelAntenna::Dipole);
    EXPECT_EQ(d.EditName->text(), "My GP");
}

TEST_F(ModelDialog, EveryAcceleratorReachesOneFieldOrButtonWithEachTemplate) {
    TFormModelAntenna d;
    for (int i = 0; i < d.CBTemplate->count(); ++i) {
        d.CBTemplate->setCurrentIndex(i);
        d.CBTemplateChange();
        EXPECT_EQ(sharedMnemonics(d), QStringList()) << d.CBTemplate->currentText().toStdString();
    }
}

TEST_F(ModelDialog, FieldsThatGiveNoModelAreNamedAndNothingRuns) {
    struct Case {
        int templateIndex;
        const char* field;
        QString value;
        QString expected;
    };
    const Case cases[] = {
        {TFormModelAntenna::Dipole, "EditFrequency", "seven",
         "Frequency [MHz]: a number is expected, not \"seven\""},
        {TFormModelAntenna::Dipole, "EditFrequency", "", "Frequency [MHz]: a number is expected"},
        {TFormModelAntenna::Dipole, "EditFrequency", "0",
         "No model: the frequency must lie above 0"},
        {TFormModelAntenna::InvertedV, "EditHeight", "-2", "No model: "},
        {TFormModelAntenna::InvertedV, "EditAngle", "1 2 0",
         "Included angle [\u00B0]: a number is expected"},
        {TFormModelAntenna::Vertical, "EditRadials", "2,5", "Radials: a whole number is expected"},
        {TFormModelAntenna::OwnDeck, "EditDeck", "", "Choose the deck file (.nec)"},
        {TFormModelAntenna::OwnDeck, "EditDeck", "no such.nec", "File not found"},
        {TFormModelAntenna::OwnDeck, "EditAzimuth", "north",
         "Azimuth of the cut [\u00B0]: a number is expected (or nothing), not \"north\""},
    };
    // Nothing is computed, so a missing program changes nothing.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        TFormModelAntenna d;
        d.setRunOptions({"/no/such/nec2c", 20});
        d.CBTemplate->setCurrentIndex(c.templateIndex);
        d.EditDeck->setText(path("missing.nec"));
        d.findChild<QLineEdit*>(c.field)->setText(c.value);
        compute(d);
        EXPECT_TRUE(memo(d).startsWith(c.expected)) << memo(d).toStdString();
        EXPECT_FALSE(memo(d).contains("nec2c")) << memo(d).toStdString();
        EXPECT_FALSE(d.pattern());
        EXPECT_FALSE(d.ButSave->isEnabled());
    }
}

TEST_F(ModelDialog, WithoutNec2cItSaysHowToInstallItAndTheDeckCanStillBeChosen) {
    TFormModelAntenna d;
    d.setRunOptions({path("missing/nec2c").toStdString(), 20});
    EXPECT_TRUE(d.nec2cProgram().isEmpty());
    EXPECT_TRUE(d.LaNec2c->text().startsWith("nec2c is not installed: apt install nec2c"));
    compute(d);
    EXPECT_TRUE(memo(d).startsWith("No pattern: nec2c was not found")) << memo(d).toStdString();
    EXPECT_TRUE(memo(d).contains("apt install nec2c"));
    EXPECT_FALSE(d.ButSave->isEnabled());

    d.CBTemplate->setCurrentIndex(TFormModelAntenna::OwnDeck);
    EXPECT_TRUE(d.ButChooseDeck->isEnabled());
    boxes.fileAnswers.push_back(path("yagi.nec"));
    d.ButChooseDeck->click();
    EXPECT_EQ(d.EditDeck->text(), path("yagi.nec"));
    EXPECT_EQ(d.EditName->text(), "yagi");
    EXPECT_TRUE(boxes.warnings().isEmpty());
}

TEST_F(ModelDialog, EveryTemplateComputesOverItsGroundAndNamesWhatNec2Cannot) {
    REQUIRE_NEC2C();
    struct Case {
        int templateIndex;
        bool onGround;
        int ground;
        PatternGround expected;
        bool note;
    };
    const Case cases[] = {
        {TFormModelAntenna::Dipole, false, 0, PatternGround::FreeSpace, false},
        {TFormModelAntenna::InvertedV, false, 2, PatternGround::Real, false},
        {TFormModelAntenna::Vertical, false, 1, PatternGround::Perfect, false},
        {TFormModelAntenna::Vertical, true, 3, PatternGround::Real, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateIndex * 10 + c.ground);
        TFormModelAntenna d;
        d.CBTemplate->setCurrentIndex(c.templateIndex);
        d.CBOnGround->setChecked(c.onGround);
        d.CBGround->setCurrentIndex(c.ground);
        compute(d);
        ASSERT_TRUE(d.pattern()) << memo(d).toStdString();
        EXPECT_TRUE(d.ButSave->isEnabled());
        EXPECT_DOUBLE_EQ(d.pattern()->frequency, 7.1);
        EXPECT_EQ(d.pattern()->ground, c.expected);
        EXPECT_TRUE(memo(d).contains(
            "Largest gain: " + QString::number(d.pattern()->maxGain, 'f', 2).replace('.', ',') +
            " dBi"))
            << memo(d).toStdString();
        EXPECT_EQ(memo(d).contains("Note: NEC-2 cannot take radials that lie on the ground"),
                  c.note)
            << memo(d).toStdString();
        EXPECT_EQ(memo(d).contains("Ground: real ground"), c.expected == PatternGround::Real);
    }
}

TEST_F(ModelDialog, ASlowComputationLeavesTheDialogResponsiveAndCloseStopsIt) {
    // A stand-in for nec2c that takes its time, as a large deck does.
    const QString slow = path("slow-nec2c");
    writeFile(slow, "#!/bin/sh\nexec sleep 600\n");
    QFile::setPermissions(slow, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    TFormModelAntenna d;
    d.setRunOptions({slow.toStdString(), 600});
    d.ButCompute->click();
    // The click returned at once; the dialog answers events while nec2c runs.
    ASSERT_TRUE(d.computing());
    EXPECT_FALSE(d.ButCompute->isEnabled());
    EXPECT_FALSE(d.EditFrequency->isEnabled());
    EXPECT_FALSE(d.ButSave->isEnabled());
    EXPECT_TRUE(d.ButClose->isEnabled());
    EXPECT_TRUE(memo(d).startsWith("Computing with nec2c")) << memo(d).toStdString();
    QCoreApplication::processEvents();
    EXPECT_TRUE(d.computing());
    d.ButClose->click();
    EXPECT_FALSE(d.computing());
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.pattern());
    EXPECT_TRUE(d.ButCompute->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ModelDialog, AnOwnDeckIsRunAsWrittenWithItsOwnGround) {
    REQUIRE_NEC2C();
    NecModelOptions perfect;
    perfect.ground = NecGround::Perfect;
    writeFile(path("dipole.nec"), QByteArray::fromStdString(DipoleDeck(14.2, 10, perfect).text));
    TFormModelAntenna d;
    d.CBTemplate->setCurrentIndex(TFormModelAntenna::OwnDeck);
    d.CBGround->setCurrentIndex(0); // not used: the deck's GN card holds the ground
    boxes.fileAnswers.push_back(path("dipole.nec"));
    d.ButChooseDeck->click();
    d.EditFrequency->clear(); // the deck's only frequency
    compute(d);
    ASSERT_TRUE(d.pattern()) << memo(d).toStdString();
    EXPECT_DOUBLE_EQ(d.pattern()->frequency, 14.2);
    EXPECT_EQ(d.pattern()->ground, PatternGround::Perfect);
    EXPECT_EQ(d.EditName->text(), "dipole");
}

TEST_F(ModelDialog, AChangedFieldForgetsTheComputedPattern) {
    REQUIRE_NEC2C();
    TFormModelAntenna d;
    place(d);
    compute(d);
    ASSERT_TRUE(d.pattern()) << memo(d).toStdString();
    d.EditHeight->setText("20");
    emit d.EditHeight->textEdited("20");
    EXPECT_FALSE(d.pattern());
    EXPECT_FALSE(d.ButSave->isEnabled());
    EXPECT_TRUE(memo(d).isEmpty());
    d.ButSave->click(); // disabled: writes nothing
    EXPECT_FALSE(QFile::exists(path("AntUser.txt")));
}

TEST_F(ModelDialog, ModelledInvertedVIsTakenOn40mWithItsAnglePage) {
    REQUIRE_NEC2C();
    start();
    form->CBBand->setCurrentIndex(form->CBBand->findText("40m"));
    form->CBBandChange();
    double gain = 0;
    withDialog<TFormModelAntenna>([this] { form->MIModelAntennaClick(); },
                                  [&](TFormModelAntenna& d) {
                                      d.CBTemplate->setCurrentIndex(TFormModelAntenna::InvertedV);
                                      compute(d);
                                      ASSERT_TRUE(d.pattern()) << memo(d).toStdString();
                                      gain = d.pattern()->maxGain;
                                      d.ButSave->click();
                                  });
    ASSERT_EQ(boxes.informations().size(), 1u);
    EXPECT_TRUE(boxes.warnings().isEmpty()) << boxes.warnings().join("|").toStdString();
    EXPECT_EQ(readFile(path("AntUser.txt")).toStdString(),
              "[My models]\r\nInverted V 7.1 MHz,NEC model,7.1," +
                  QByteArray::number(gain, 'f', 2).toStdString() + ",1,#\r\n");
    EXPECT_EQ(angleFiles(), QStringList({"Example MyAnt.ang", "My models Inverted V 7.1 MHz.ang"}));

    // Read again, the station as it was (40m), and the new entry highlighted in the lists.
    ASSERT_NE(form->LBHersteller->currentItem(), nullptr);
    EXPECT_EQ(form->LBHersteller->currentItem()->text(), "My models");
    ASSERT_NE(form->LBTypen->currentItem(), nullptr);
    EXPECT_EQ(form->LBTypen->currentItem()->text(), "Inverted V 7.1 MHz");
    EXPECT_TRUE(form->LBTypen->currentItem()->isSelected());
    EXPECT_EQ(form->model().highlighted().entry,
              form->catalogue()->FindAntenna("Inverted V 7.1 MHz", "My models"));

    EXPECT_EQ(form->CBBand->currentText(), "40m");
    EXPECT_TRUE(form->ButTakeAnt->isEnabled());
    form->ButTakeAntClick();
    EXPECT_EQ(text("EditAntenne"), "Inverted V 7.1 MHz");
    EXPECT_TRUE(form->model().anglePageShown());
    EXPECT_TRUE(form->PageControl->isTabVisible(form->PageControl->indexOf(form->TSAngle)));
    EXPECT_GT(form->angleTable().size(), 10u);
    // Computed over real ground: the window says the reflection is not applied again.
    form->ShowLimitsPage();
    form->RGGroundClick(1);
    EXPECT_EQ(form->LaGroundNote->text(), form->message(MessageId::MsgGroundInPattern));
}

TEST_F(ModelDialog, MenuItemsFollowOwnAntennaInEveryLanguage) {
    start();
    const QList<QAction*> items = form->MIDatei->actions();
    const qsizetype own = items.indexOf(form->MIEigeneAntenne);
    ASSERT_GE(own, 0);
    EXPECT_EQ(items.value(own + 1), form->MIModelAntenna);
    EXPECT_EQ(items.value(own + 2), form->MIImportPattern);
    const struct {
        void (TRadexaForm::*choose)();
        QString model, import;
    } cases[] = {
        {&TRadexaForm::MIGermanClick, "Antenne &modellieren ...", "Diagramm &importieren ..."},
        {&TRadexaForm::MISwedishClick, "&Modellera antenn ...", "&Importera strålningsdiagram ..."},
        {&TRadexaForm::MIFrenchClick, "&Model antenna ...", "&Import pattern ..."},
        {&TRadexaForm::MIEnglishClick, "&Model antenna ...", "&Import pattern ..."},
    };
    for (const auto& c : cases) {
        (form.get()->*c.choose)();
        EXPECT_EQ(form->MIModelAntenna->text(), c.model);
        EXPECT_EQ(form->MIImportPattern->text(), c.import);
    }
}

} // namespace
} // namespace radexa::testing
