// The own-antenna dialog: its texts, the points memo, the appends to the user antenna file
// on real files, the checks before saving, and the main window's menu command.
#include "mainwindow_fixture.h"

#include "gui/antennas/ownantennadialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <functional>

namespace radexa::testing {
namespace {

class OwnAntenna : public MainWindowTest {
protected:
    // Saves name / type / category with the points into the file holding `before`.
    QByteArray saved(const QByteArray& before, const char* name, const char* type,
                     const char* category, const QList<QStringList>& points = {}) {
        const QString file = path("AntUser.txt");
        QFile::remove(file);
        if (!before.isNull())
            writeFile(file, before);
        TFormEigeneAntenne dialog("English");
        dialog.UserFileName = file;
        dialog.EditName->setText(name);
        dialog.EditAntTyp->setText(type);
        dialog.EditKategorie->setText(category);
        for (const auto& p : points) {
            dialog.EditFrequenz->setText(p[0]);
            dialog.EditGewinn->setText(p[1]);
            dialog.EditElemente->setText(p[2]);
            dialog.ButAddFrequenzClick();
        }
        dialog.ButSaveAntClick();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(boxes.informations().last(), "Antenna was saved in the file AntUser.txt");
        return readFile(file);
    }
};

TEST_F(OwnAntenna, DialogShowsGermanSwedishOrEnglishTexts) {
    const struct {
        const char* language;
        const char* caption;
        const char* category;
        const char* save;
        const char* group;
        const char* saved;
    } cases[] = {
        {"Deutsch", "Eigene Antenne konstruieren", "Kategorie (Empfehlung: Eig. Rufzeichen)",
         "Antenne &speichern", "Antenneneigenschaften",
         "Antenne wurde in der Datei AntUser.txt gespeichert"},
        {"English", "Construct your own Antenna", "Category (i.e. Your Call)", "&Save Antenna",
         "Antenna &Properties", "Antenna was saved in the file AntUser.txt"},
        {"French", "Construct your own Antenna", "Category (i.e. Your Call)", "&Save Antenna",
         "Antenna &Properties", "Antenna was saved in the file AntUser.txt"},
        {"Swedish", "Konstruera din egen antenn", "Kategori (t.ex. Din anropssignal)",
         "&Spara antenn", "Antenn &och egenskaper", "Antennen sparades i filen AntUser.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        TFormEigeneAntenne d(c.language);
        EXPECT_EQ(d.windowTitle(), c.caption);
        EXPECT_EQ(d.LaKategorie->text(), c.category);
        EXPECT_EQ(d.ButSaveAnt->text(), c.save);
        EXPECT_EQ(d.GBAntenneneigenschaften->title(), c.group);
        EXPECT_EQ(d.SavedMessage(), c.saved);
        EXPECT_EQ(d.size(), QSize(383, 309));
        EXPECT_TRUE(d.ButSaveAnt->isDefault());
    }
    TFormEigeneAntenne sv("Swedish");
    EXPECT_EQ(sv.LaGewinn->text(), "Förstärkning [dBi]");
    EXPECT_EQ(sv.ButAddFrequenz->text(), "Addera &frekvens");
}

TEST_F(OwnAntenna, MemoListsTheHeadAndOnePointPerLineInFiveColumns) {
    TFormEigeneAntenne d("English");
    EXPECT_EQ(d.EditName->text(), "MyAnt");
    d.ButAddFrequenzClick(); // the presets 10, 3, 1
    d.EditFrequenz->setText("144,3");
    d.EditGewinn->setText("12.75");
    d.EditElemente->setText("10");
    d.ButAddFrequenzClick();
    // The points as they are stored: with the decimal point.
    EXPECT_EQ(d.Memo->toPlainText(), "f[MHz] G[dBi] #Elem.\n   10     3     1\n144.3 12.75    10");
    EXPECT_EQ(d.EditFrequenz->text(), "144,3"); // the fields keep their texts
    ASSERT_EQ(d.points().size(), 2u);
    EXPECT_EQ(d.points()[1].gain, "12.75");
}

TEST_F(OwnAntenna, SavingAppendsTheRecordToTheSectionOfItsCategory) {
    // Missing file: created, new section, no points.
    EXPECT_EQ(saved({}, "MyAnt", "Yagi", "Foo"), "[Foo]\r\nMyAnt,Yagi,#\r\n");
    // New category: section and record at the end.
    EXPECT_EQ(saved("[A]\r\nx,y,#\r\n", "MyAnt", "Yagi", "Foo",
                    {{"14.2", "7.5", "3"}, {"21.3", "8.1", "3"}}),
              "[A]\r\nx,y,#\r\n[Foo]\r\nMyAnt,Yagi,14.2,7.5,3,21.3,8.1,3,#\r\n");
    // Section in the middle: the record goes directly before the next section line.
    const QByteArray middle = "[A]\r\nx,y,#\r\n[Foo]\r\nold,Yagi,#\r\n[C]\r\nz,w,#\r\n";
    EXPECT_EQ(saved(middle, "New", "Quad", "Foo"),
              "[A]\r\nx,y,#\r\n[Foo]\r\nold,Yagi,#\r\nNew,Quad,#\r\n[C]\r\nz,w,#\r\n");
    // Twice with the same category: the second after the first.
    const QByteArray once = saved(middle, "One", "Quad", "Foo");
    EXPECT_EQ(
        saved(once, "Two", "Quad", "Foo"),
        "[A]\r\nx,y,#\r\n[Foo]\r\nold,Yagi,#\r\nOne,Quad,#\r\nTwo,Quad,#\r\n[C]\r\nz,w,#\r\n");
    // Letter case counts: foo is a new section at the end.
    EXPECT_EQ(saved("[Foo]\r\nold,Yagi,#\r\n", "New", "Quad", "foo"),
              "[Foo]\r\nold,Yagi,#\r\n[foo]\r\nNew,Quad,#\r\n");
}

TEST_F(OwnAntenna, EntriesThatWouldCorruptTheFileAreRefusedNamingTheField) {
    const QByteArray before = "[Foo]\r\nold,Yagi,#\r\n";
    writeFile(path("AntUser.txt"), before);
    const struct {
        const char* what;
        std::function<void(TFormEigeneAntenne&)> enter;
        const char* warning;
    } cases[] = {
        {"comma in name", [](auto& d) { d.EditName->setText("Yagi,5"); },
         "\"Name of Antenna\" must not contain a comma or a line break: Yagi,5"},
        {"semicolon in name", [](auto& d) { d.EditName->setText("Yagi;5"); },
         "\"Name of Antenna\" must not contain a semicolon (;), which separates name and "
         "manufacturer in station files: Yagi;5"},
        {"semicolon in category", [](auto& d) { d.EditKategorie->setText("DL;1"); },
         "\"Category (i.e. Your Call)\" must not contain a semicolon (;), which separates name "
         "and manufacturer in station files: DL;1"},
        {"empty type", [](auto& d) { d.EditAntTyp->setText(""); },
         "\"Type of Antenna (i.e. Yagi)\" must not be empty!"},
        {"empty category", [](auto& d) { d.EditKategorie->setText(""); },
         "\"Category (i.e. Your Call)\" must not be empty!"},
        {"section-like name", [](auto& d) { d.EditName->setText("[x]"); },
         "\"Name of Antenna\" must not begin with \"[\": [x]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TFormEigeneAntenne d("English");
        d.UserFileName = path("AntUser.txt");
        c.enter(d);
        d.ButSaveAntClick();
        EXPECT_EQ(boxes.warnings().last(), c.warning);
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_EQ(readFile(path("AntUser.txt")), before);
    }
    EXPECT_TRUE(boxes.informations().isEmpty());

    TFormEigeneAntenne de("Deutsch");
    de.EditName->setText("");
    de.ButSaveAntClick();
    EXPECT_EQ(boxes.warnings().last(), "\"Name der Antenne\" darf nicht leer sein!");

    // A character AntUser.txt (Windows-1252) cannot hold is not taken as it is typed.
    for (QLineEdit* field : {de.EditName, de.EditAntTyp, de.EditKategorie}) {
        field->setText(QString::fromUtf8("M\u00FCller"));
        field->insert(QString::fromUtf8("\u0416"));
        EXPECT_EQ(field->text(), QString::fromUtf8("M\u00FCller"))
            << field->objectName().toStdString();
    }
}

// The main window writes numbers with the decimal comma, so the operator types them so.
TEST_F(OwnAntenna, DecimalCommaIsTakenAndSavedWithThePoint) {
    EXPECT_EQ(saved({}, "MyAnt", "Yagi", "Foo", {{"14,2", "7,5", "3"}, {" 21.3", "8,1 ", "3"}}),
              "[Foo]\r\nMyAnt,Yagi,14.2,7.5,3,21.3,8.1,3,#\r\n");
}

// A wrong point is refused when it is added, naming the field; it never reaches the list.
TEST_F(OwnAntenna, PointsAreCheckedWhenAdded) {
    const struct {
        const char *frequency, *gain, *elements, *warning;
    } cases[] = {
        {"144", "abc", "3", "\"Gain [dBi]\" of point 2 is not a number: abc"},
        {"", "7", "3", "\"Frequency [MHz]\" of point 2 is not a number: "},
        {"144", "7", "3,5", "\"# of Elements\" must not contain a comma or a line break: 3,5 (2)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.warning);
        TFormEigeneAntenne d("English");
        ASSERT_TRUE(d.ButAddFrequenzClick()); // the presets
        d.EditFrequenz->setText(c.frequency);
        d.EditGewinn->setText(c.gain);
        d.EditElemente->setText(c.elements);
        EXPECT_FALSE(d.ButAddFrequenzClick());
        EXPECT_EQ(boxes.warnings().last(), c.warning);
        EXPECT_EQ(d.points().size(), 1u);
        EXPECT_EQ(d.Memo->toPlainText().count('\n'), 1);
    }
}

TEST_F(OwnAntenna, MarkedPointOrElseTheLastIsRemoved) {
    TFormEigeneAntenne d("English");
    EXPECT_FALSE(d.ButRemovePoint->isEnabled());
    for (const char* f : {"14", "21", "28"}) {
        d.EditFrequenz->setText(f);
        d.ButAddFrequenzClick();
    }
    EXPECT_TRUE(d.ButRemovePoint->isEnabled());
    // The operator clicks the line of 21 MHz in the list.
    QTextCursor line(d.Memo->document()->findBlockByNumber(2));
    d.Memo->setTextCursor(line);
    ASSERT_EQ(d.Memo->extraSelections().size(), 1) << "the line is marked";
    d.ButRemovePoint->click();
    ASSERT_EQ(d.points().size(), 2u);
    EXPECT_EQ(d.points()[0].frequency, "14");
    EXPECT_EQ(d.points()[1].frequency, "28");
    EXPECT_TRUE(d.Memo->extraSelections().isEmpty());
    d.ButRemovePoint->click(); // nothing marked: the last one
    ASSERT_EQ(d.points().size(), 1u);
    EXPECT_EQ(d.points()[0].frequency, "14");
    d.ButRemovePoint->click();
    EXPECT_TRUE(d.points().empty());
    EXPECT_FALSE(d.ButRemovePoint->isEnabled());
    EXPECT_EQ(d.Memo->toPlainText(), "f[MHz] G[dBi] #Elem.");
}

// Enter in a point field adds the point instead of saving the antenna without it.
TEST_F(OwnAntenna, EnterInAPointFieldAddsThePoint) {
    TFormEigeneAntenne d("English");
    d.UserFileName = path("AntUser.txt");
    d.show();
    d.EditGewinn->setFocus();
    QTest::keyClicks(d.EditGewinn, "7,5");
    EXPECT_TRUE(d.pointPending());
    QTest::keyClick(d.EditGewinn, Qt::Key_Return);
    ASSERT_EQ(d.points().size(), 1u);
    EXPECT_EQ(d.points()[0].gain, "37.5"); // the preset 3 and the typed 7,5
    EXPECT_FALSE(d.pointPending());
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(QFile::exists(path("AntUser.txt")));
    // Enter in the name field saves, as the default button does.
    d.EditName->setFocus();
    QTest::keyClick(d.EditName, Qt::Key_Return);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(readFile(path("AntUser.txt")), "[MYCLUB]\r\nMyAnt,MyAntTyp,10,37.5,1,#\r\n");
}

// A point typed but not added is added before saving; a wrong one stops the saving.
TEST_F(OwnAntenna, TypedPointIsNotDroppedBySaving) {
    TFormEigeneAntenne d("English");
    d.UserFileName = path("AntUser.txt");
    d.EditFrequenz->clear();
    QTest::keyClicks(d.EditFrequenz, "abc");
    d.ButSaveAntClick();
    EXPECT_EQ(boxes.warnings().last(), "\"Frequency [MHz]\" of point 1 is not a number: abc");
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_FALSE(QFile::exists(path("AntUser.txt")));

    d.EditFrequenz->clear();
    QTest::keyClicks(d.EditFrequenz, "50,1");
    d.ButSaveAntClick();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(readFile(path("AntUser.txt")), "[MYCLUB]\r\nMyAnt,MyAntTyp,50.1,3,1,#\r\n");
}

TEST_F(OwnAntenna, UnwritableFileIsReportedAndTheDialogStaysOpen) {
    TFormEigeneAntenne d("English");
    d.UserFileName = path("no folder/AntUser.txt");
    d.ButSaveAntClick();
    ASSERT_EQ(boxes.warnings().size(), 1);
    EXPECT_TRUE(boxes.warnings()[0].startsWith("Antenna was NOT saved!\n"));
    EXPECT_TRUE(boxes.warnings()[0].contains("no folder/AntUser.txt"));
    EXPECT_NE(d.result(), QDialog::Accepted);
}

TEST_F(OwnAntenna, MenuOpensTheDialogInTheWindowLanguageAndReloadsAfterEveryClosing) {
    start();
    form->MISwedishClick();
    form->CBBand->setCurrentIndex(5);
    form->CBBandChange();
    QString title;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<TFormEigeneAntenne*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        title = d->windowTitle();
        d->ButCancel->click();
    });
    form->MIEigeneAntenneClick();
    EXPECT_EQ(title, "Konstruera din egen antenn");
    EXPECT_EQ(form->CBBand->currentText(), "2m"); // reloaded although nothing was saved
    EXPECT_FALSE(QFile::exists(path("AntUser.txt")));

    form->MIFrenchClick();
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<TFormEigeneAntenne*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        title = d->windowTitle();
        d->EditName->setText("Loop");
        d->EditKategorie->setText("Mine");
        d->EditFrequenz->setText("145");
        d->ButAddFrequenz->click();
        d->ButSaveAnt->click();
    });
    form->MIEigeneAntenneClick();
    EXPECT_EQ(title, "Construct your own Antenna");
    EXPECT_EQ(readFile(path("AntUser.txt")), "[Mine]\r\nLoop,MyAntTyp,145,3,1,#\r\n");
    // The new antenna can be picked at once.
    const auto found = form->LBHersteller->findItems("Mine", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    form->LBHersteller->setCurrentItem(found[0]);
    form->LBHerstellerClick();
    form->LBTypen->setCurrentRow(0);
    form->LBTypenClick();
    form->ButTakeAntClick();
    EXPECT_EQ(text("EditAntenne"), "Loop");
    EXPECT_EQ(text("EditGain"), "3,00");
}

} // namespace
} // namespace radexa::testing
