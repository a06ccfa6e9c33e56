// The "Import pattern ..." dialog: malformed files named by line and reason with nothing
// written, the operator's options, saving (and refusing to save) the catalogue entry, and
// an imported NEC-2 output taken in the window.

#include "patterndialog_fixture.h"

#include "gui/antennas/importdialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <sys/stat.h>

namespace radexa::testing {
namespace {

using ImportDialog = PatternDialogTest;

QString sample(const char* name) {
    return QStringLiteral(RADEXA_SOURCE_DIR "/tests/data/patterns/") + QString::fromLatin1(name);
}

TEST_F(ImportDialog, MalformedFilesNameTheFileTheLineAndTheReasonAndWriteNothing) {
    QByteArray nanGains = readFile(sample("dipole-average-ground.out"));
    nanGains.replace("     -5.05  -999.99    -5.05", "       nan  -999.99      nan");
    struct Case {
        QString name;
        QByteArray bytes;
        QString expected; // after the quoted file name
    };
    const Case cases[] = {
        {"gain.csv", "angle,gain_dbi,polarisation\r\n0,-10,v\r\n90,high,v\r\n", "line 3: "},
        {"gap.csv", "angle,gain_dbi\r\n0,1\r\n90,2\r\n270,2\r\n360,1\r\n", ""},
        {"notes.txt", "a shopping list\r\nmilk\r\n", ""},
        {"empty.out", "", ""},
        {"binary.out",
         QByteArray("\x7f"
                    "ELF\x02\x01\x00\x00\xff\xfe",
                    10),
         ""},
        {"nan.out", nanGains, ""},
        {"J\u00E4ger \u00E9\u00E5 \u0416uk.csv", "angle,gain_dbi\r\n0,x\r\n", "line 2: "},
    };
    QDir().mkpath(path("M\u00FCller \u0416"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString file = path("M\u00FCller \u0416/" + c.name);
        writeFile(file, c.bytes);
        TFormImportPattern d;
        place(d);
        boxes.fileAnswers.push_back(file);
        d.ButChooseFile->click();
        EXPECT_TRUE(memo(d).startsWith("Not imported: \"" + file + "\": " + c.expected))
            << memo(d).toStdString();
        EXPECT_FALSE(d.pattern());
        EXPECT_FALSE(d.ButSave->isEnabled());
        d.ButSaveClick();
    }
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(QFile::exists(path("AntUser.txt")));
    EXPECT_EQ(angleFiles(), QStringList({"Example MyAnt.ang"}));
}

TEST_F(ImportDialog, UnreadableFilesAndBadOptionsAreNamed) {
    struct Case {
        QString file;
        const char* field;
        QString value;
        QString expected;
    };
    const Case cases[] = {
        {"", "EditGain", "", "Choose the pattern file"},
        {"missing.out", "EditGain", "", "Not imported: File not found"},
        {"ang", "EditGain", "", "Not imported: Cannot read"},
        {"pipe", "EditGain", "", "Not imported: Cannot read"}, // would never end
        {sample("dipole-eznec.txt"), "EditAzimuth", "east",
         "Azimuth of the cut [\u00B0]: a number is expected (or nothing), not \"east\""},
        {sample("dipole-eznec.txt"), "EditFrequency", "14.2.1", "Frequency [MHz]: a number"},
    };
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        TFormImportPattern d;
        d.EditFile->setText(c.file.isEmpty() || c.file.startsWith('/') ? c.file : path(c.file));
        d.findChild<QLineEdit*>(c.field)->setText(c.value);
        d.ButRead->click();
        EXPECT_TRUE(memo(d).startsWith(c.expected)) << memo(d).toStdString();
        EXPECT_FALSE(d.ButSave->isEnabled());
    }
}

TEST_F(ImportDialog, EveryAcceleratorReachesOneFieldOrButton) {
    TFormImportPattern d;
    EXPECT_EQ(sharedMnemonics(d), QStringList());
}

TEST_F(ImportDialog, SeveralFrequenciesAskForOneAndTheNearestIsTaken) {
    TFormImportPattern d;
    d.EditFile->setText(sample("dipole-two-frequencies.out"));
    d.ButRead->click();
    EXPECT_EQ(d.EditName->text(), "dipole-two-frequencies"); // typed file names too
    EXPECT_EQ(d.LaFormat->text(), "Format: NEC-2 output, patterns at 14; 14,2 MHz");
    EXPECT_TRUE(memo(d).contains("choose one frequency")) << memo(d).toStdString();
    EXPECT_FALSE(d.pattern());

    d.EditFrequency->setText("14,15");
    emit d.EditFrequency->textEdited("14,15");
    d.ButRead->click();
    ASSERT_TRUE(d.pattern()) << memo(d).toStdString();
    EXPECT_DOUBLE_EQ(d.pattern()->frequency, 14.2);
    EXPECT_TRUE(memo(d).contains("Frequency: 14,2 MHz")) << memo(d).toStdString();

    // An option changed after reading: the pattern shown is no longer the one the fields give.
    d.EditAzimuth->setText("0");
    emit d.EditAzimuth->textEdited("0");
    EXPECT_FALSE(d.pattern());
    EXPECT_FALSE(d.ButSave->isEnabled());
}

TEST_F(ImportDialog, CsvWithoutFrequencyIsRefusedThenSavedOnceWithIt) {
    TFormImportPattern d;
    place(d);
    boxes.fileAnswers.push_back(sample("mixed-free-space.csv"));
    d.ButChooseFile->click();
    EXPECT_EQ(d.LaFormat->text(), "Format: CSV table");
    EXPECT_EQ(d.EditName->text(), "mixed-free-space");
    ASSERT_TRUE(d.pattern()) << memo(d).toStdString();
    EXPECT_TRUE(memo(d).contains("Frequency: none (give the frequency in MHz)"));
    d.ButSave->click();
    ASSERT_EQ(boxes.warnings().size(), 1u);
    EXPECT_EQ(boxes.warnings()[0], "The antenna was NOT saved:\nThe pattern has no frequency: "
                                   "give the frequency it was made for");
    EXPECT_FALSE(QFile::exists(path("AntUser.txt")));
    EXPECT_NE(d.result(), QDialog::Accepted);

    d.EditFrequency->setText("145");
    d.ButRead->click();
    d.EditName->setText("Mixed");
    d.ButSave->click();
    ASSERT_EQ(boxes.informations().size(), 1u) << boxes.warnings().join("|").toStdString();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    // The total gain of both polarisations: 2.15 dBi and -3 dBi add up to 3.31 dBi.
    EXPECT_EQ(readFile(path("AntUser.txt")).toStdString(),
              "[My imports]\r\nMixed,Imported pattern,145,3.31,1,#\r\n");
    ASSERT_TRUE(QFile::exists(path("ang/My imports Mixed.ang")));
    EXPECT_TRUE(readFile(path("ang/My imports Mixed.ang"))
                    .startsWith("From the file mixed-free-space.csv\r\n"));

    // The same entry a second time is refused, and nothing is written.
    TFormImportPattern again;
    place(again);
    again.EditFile->setText(sample("mixed-free-space.csv"));
    again.EditFrequency->setText("145");
    again.ButRead->click();
    again.EditName->setText("Mixed");
    again.ButSave->click();
    ASSERT_EQ(boxes.warnings().size(), 2u);
    EXPECT_TRUE(boxes.warnings()[1].contains("exists already"))
        << boxes.warnings()[1].toStdString();
    EXPECT_FALSE(again.savedEntry());
    EXPECT_EQ(readFile(path("AntUser.txt")).toStdString(),
              "[My imports]\r\nMixed,Imported pattern,145,3.31,1,#\r\n");
}

TEST_F(ImportDialog, EntryNamesAndElementsThatCannotBeStoredAreRefused) {
    const struct {
        const char* field;
        QString value;
        QString expected;
    } cases[] = {
        {"EditName", "Yagi, 5 el", "The antenna was NOT saved:\n"},
        {"EditManufacturer", "", "The antenna was NOT saved:\n"},
        {"EditElements", "five", "Elements: a whole number is expected"},
        // As proposed from a file name: the antenna file would hold "???".
        {"EditName", "\u0416uk", "Name: the character \"\u0416\" cannot be stored"},
        {"EditType", "Yagi \U0001F4E1", "Type: the character \"\U0001F4E1\" cannot be stored"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        boxes.boxes.clear();
        TFormImportPattern d;
        place(d);
        d.EditFile->setText(sample("dipole-eznec.txt"));
        d.ButRead->click();
        ASSERT_TRUE(d.pattern()) << memo(d).toStdString();
        d.findChild<QLineEdit*>(c.field)->setText(c.value);
        d.ButSave->click();
        ASSERT_EQ(boxes.warnings().size(), 1u);
        EXPECT_TRUE(boxes.warnings()[0].startsWith(c.expected))
            << boxes.warnings()[0].toStdString();
        EXPECT_NE(d.result(), QDialog::Accepted);
    }
    EXPECT_FALSE(QFile::exists(path("AntUser.txt")));
    EXPECT_EQ(angleFiles(), QStringList({"Example MyAnt.ang"}));
}

TEST(PatternDialogText, CoreMessagesKeepTheOperatorsTextsAndTheFileNames) {
    const struct {
        std::string bytes;
        QString shown;
    } cases[] = {
        {"J\xE4ger", "J\u00E4ger"}, // Windows-1252
        {"/home/Pr\xC3\xBC"
         "fung",
         "/home/Pr\u00FC"
         "fung"}, // UTF-8
        {"\"J\xE4ger\" in \"/M\xC3\xBCller \xD0\x96/a.txt\"",
         "\"J\u00E4ger\" in \"/M\u00FCller \u0416/a.txt\""},
        {"\xC3", "\u00C3"},
        {"\xE4\x80h", "\u00E4\u20ACh"},
        {"\xF0\x9F\x93\xA1!", "\U0001F4E1!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MixedText(c.bytes), c.shown) << c.bytes;
}

TEST_F(ImportDialog, RefusalsNameFoldersAndEntriesWithTheirAccents) {
    QDir().mkpath(path("M\u00FCller \u0416"));
    for (int i = 0; i < 2; ++i) {
        TFormImportPattern d;
        place(d);
        d.UserFileName = path("M\u00FCller \u0416/AntUser.txt");
        d.AngleFolder = path("M\u00FCller \u0416/");
        d.EditFile->setText(sample("dipole-eznec.txt"));
        d.ButRead->click();
        d.EditName->setText("J\u00E4ger");
        d.ButSave->click();
    }
    ASSERT_EQ(boxes.warnings().size(), 1u);
    EXPECT_TRUE(boxes.warnings()[0].contains("J\u00E4ger")) << boxes.warnings()[0].toStdString();
    EXPECT_TRUE(boxes.warnings()[0].contains(path("M\u00FCller \u0416/")))
        << boxes.warnings()[0].toStdString();
}

TEST_F(ImportDialog, ImportedNecOutputIsTakenOnItsBandWithItsAnglePage) {
    start();
    withDialog<TFormImportPattern>([this] { form->MIImportPatternClick(); },
                                   [&](TFormImportPattern& d) {
                                       boxes.fileAnswers.push_back(
                                           sample("dipole-average-ground.out"));
                                       d.ButChooseFile->click();
                                       d.ButSave->click();
                                   });
    ASSERT_EQ(boxes.informations().size(), 1u) << boxes.warnings().join("|").toStdString();
    // The new entry stays highlighted once the window has handled its pending events: the
    // lists' own signals of the rendering are no operator's choice.
    QCoreApplication::processEvents();
    ASSERT_NE(form->LBTypen->currentItem(), nullptr);
    EXPECT_EQ(form->LBTypen->currentItem()->text(), "dipole-average-ground");
    EXPECT_TRUE(form->LBTypen->currentItem()->isSelected());
    EXPECT_EQ(form->model().highlightedRow(), 0);
    form->CBBand->setCurrentIndex(form->CBBand->findText("20m"));
    form->CBBandChange();
    form->ButTakeAntClick();
    EXPECT_EQ(text("EditAntenne"), "dipole-average-ground");
    EXPECT_TRUE(form->PageControl->isTabVisible(form->PageControl->indexOf(form->TSAngle)));

    // Closing the dialog without saving leaves the station as it is.
    const QString antenna = text("EditAntenne");
    withDialog<TFormImportPattern>([this] { form->MIImportPatternClick(); },
                                   [](TFormImportPattern& d) { d.ButClose->click(); });
    EXPECT_EQ(form->CBBand->currentText(), "20m");
    EXPECT_EQ(text("EditAntenne"), antenna);
}

} // namespace
} // namespace radexa::testing
