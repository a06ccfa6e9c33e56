// File -> "Save report ...": the dialog for call and place in the window's language, the
// details kept in the settings file, the proposed file name, and the PDF and JSON written
// through the safe writer.

#include "mainwindow_fixture.h"

#include "gui/app/reportdialog.h"
#include "gui/app/settingslocation.h"
#include "gui/support/controls.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <deque>

namespace radexa::testing {
namespace {

// Answers the report dialog from a queue and records what it was shown.
class FakeReportAsker : public ReportAsker {
public:
    FakeReportAsker() { setReportAsker(this); }
    ~FakeReportAsker() override { setReportAsker(nullptr); }
    std::optional<ReportDetails> ask(QWidget*, Language language,
                                     const ReportDetails& shown) override {
        asked.push_back({language, shown});
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted report dialog";
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<ReportDetails>> answers;
    std::vector<std::pair<Language, ReportDetails>> asked;
};

TEST(ReportDialog, TextsInTheLanguageAndTheFieldsOnOneLine) {
    const struct {
        Language language;
        const char* title;
        const char* call;
        const char* cancel;
    } cases[] = {
        {Language::German, "Bericht speichern", "Rufzeichen", "Abbrechen"},
        {Language::English, "Save report", "Call sign", "Cancel"},
        {Language::French, "Enregistrer le rapport", "Indicatif", "Annuler"},
        {Language::Swedish, "Spara rapport", "Anropssignal", "Avbryt"},
    };
    for (const auto& c : cases) {
        ReportDialog dialog(c.language, {"DL1ABC", "Ulm", true});
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(dialog.LaCall->text(), QString::fromUtf8(c.call));
        EXPECT_EQ(dialog.Buttons->button(QDialogButtonBox::Cancel)->text(),
                  QString::fromUtf8(c.cancel));
        EXPECT_EQ(dialog.details(), (ReportDetails{"DL1ABC", "Ulm", true}));
    }
    ReportDialog dialog(Language::English, {});
    EXPECT_FALSE(dialog.CBJson->isChecked());
    dialog.EditCall->setText("  DL/G4ABC/P ");
    dialog.EditPlace->insert(QString::fromUtf8("Köln\nMarkt\t1"));
    const ReportDetails d = dialog.details();
    EXPECT_EQ(d.call, "DL/G4ABC/P");
    EXPECT_FALSE(d.place.contains('\n') || d.place.contains('\t')) << d.place.toStdString();
    dialog.EditCall->setText(QString(200, 'X'));
    EXPECT_LT(dialog.details().call.size(), 40);
}

TEST(ReportDialog, OnlyCharactersTheReportCanHoldAreTaken) {
    // The report and the settings file hold Windows-1252: a Cyrillic letter or a
    // right-to-left mark typed or pasted would have become '?' in both.
    ReportDialog dialog(Language::English, {});
    dialog.EditCall->clear();
    dialog.EditCall->insert(QString::fromUtf8("DL\u00E4\u00E9\u00E5"));
    dialog.EditCall->insert(QString::fromUtf8("\u0416"));
    dialog.EditPlace->insert(QString::fromUtf8("\xE2\x80\xAE"
                                               "abc"));
    dialog.EditPlace->insert(QStringLiteral("Ulm"));
    EXPECT_EQ(dialog.details().call, QString::fromUtf8("DL\u00E4\u00E9\u00E5"));
    EXPECT_EQ(dialog.details().place, QStringLiteral("Ulm"));
}

class ReportMenuTest : public MainWindowTest {
protected:
    QString settings() const { return form->paths().SettingsFile; }
    FakeReportAsker asker;
    const QString today = QDate::currentDate().toString(Qt::ISODate);
};

TEST_F(ReportMenuTest, WritesThePdfAndItsJsonTwinAndRemembersCallAndPlace) {
    start();
    takeMyAnt();
    asker.answers.push_back(ReportDetails{"DL/G4ABC/P", QString::fromUtf8("München"), true});
    boxes.fileAnswers.push_back(path("station report.pdf"));
    form->MIReportClick();
    EXPECT_EQ(boxes.lastProposedFile,
              form->paths().ProgramFolder + "DL-G4ABC-P 2m " + today + ".pdf");
    EXPECT_EQ(boxes.lastFilter, "PDF (*.pdf)");
    EXPECT_TRUE(boxes.warnings().isEmpty()) << boxes.warnings().join('|').toStdString();
    EXPECT_TRUE(readFile(path("station report.pdf")).startsWith("%PDF-"));
    EXPECT_TRUE(readFile(path("station report.json")).contains("\"call\": \"DL/G4ABC/P\""));

    const QByteArray ini = readFile(settings());
    EXPECT_TRUE(ini.contains("[Bericht]\r\nCall=DL/G4ABC/P\r\nPlace=M\xFCnchen\r\nJson=1\r\n"))
        << ini.toStdString();
    // The next report starts from what was given.
    asker.answers.push_back(std::nullopt);
    form->MIGermanClick();
    form->MIReportClick();
    ASSERT_EQ(asker.asked.size(), 2u);
    EXPECT_EQ(asker.asked[1].first, Language::German);
    EXPECT_EQ(asker.asked[1].second,
              (ReportDetails{"DL/G4ABC/P", QString::fromUtf8("München"), true}));
    EXPECT_EQ(boxes.asked.size(), 1) << "cancelled: no save dialog";
}

TEST_F(ReportMenuTest, ACableTickedJustBeforeIsCalculatedWith) {
    start();
    takeMyAnt();
    form->CLBCable->setCurrentRow(0); // Aircom plus, ticked by the row change
    ASSERT_EQ(form->model().cableIdx(), 1);
    ASSERT_NE(form->model().last().input.TotalAtt, form->model().cablePage().TotalAtt);
    asker.answers.push_back(ReportDetails{"", "", true});
    boxes.fileAnswers.push_back(path("cable.pdf"));
    form->MIReportClick();
    EXPECT_EQ(form->model().last().input.TotalAtt, form->model().cablePage().TotalAtt);
    EXPECT_TRUE(readFile(path("cable.json")).contains("Aircom plus"));
}

TEST_F(ReportMenuTest, WithoutJsonOnlyThePdfAndAFixedFrequencyInTheName) {
    start();
    boxes.textAnswers.push_back("145");
    form->EditFreqDblClick();
    asker.answers.push_back(ReportDetails{"", "", false});
    boxes.fileAnswers.push_back(path("r.pdf"));
    form->MIReportClick();
    EXPECT_TRUE(boxes.lastProposedFile.endsWith("/145,00 MHz " + today + ".pdf"))
        << boxes.lastProposedFile.toStdString();
    EXPECT_TRUE(QFile::exists(path("r.pdf")));
    EXPECT_FALSE(QFile::exists(path("r.json")));
}

TEST_F(ReportMenuTest, AFileThatCannotBeWrittenIsNamedInTheWindowsLanguage) {
    start();
    form->MIGermanClick();
    asker.answers.push_back(ReportDetails{"DL1ABC", "", false});
    boxes.fileAnswers.push_back(path("missing folder/r.pdf"));
    form->MIReportClick();
    ASSERT_EQ(boxes.warnings().size(), 1);
    EXPECT_TRUE(boxes.warnings()[0].startsWith("Datei wurde NICHT gespeichert!\n"));
    EXPECT_TRUE(boxes.warnings()[0].contains("r.pdf"));
    // Cancelling the save dialog writes nothing and says nothing.
    asker.answers.push_back(ReportDetails{"DL1ABC", "", false});
    boxes.fileAnswers.push_back(std::nullopt);
    form->MIReportClick();
    EXPECT_EQ(boxes.warnings().size(), 1);
}

TEST_F(ReportMenuTest, TheMenuItemInEachLanguage) {
    start();
    const struct {
        void (TRadexaForm::*click)();
        const char* text;
    } cases[] = {{&TRadexaForm::MIGermanClick, "&Bericht speichern ..."},
                 {&TRadexaForm::MIEnglishClick, "Save &report ..."},
                 {&TRadexaForm::MIFrenchClick, "Save &report ..."},
                 {&TRadexaForm::MISwedishClick, "Spara &rapport ..."}};
    for (const auto& c : cases) {
        (form.get()->*c.click)();
        EXPECT_EQ(form->MIReport->text(), c.text);
    }
    EXPECT_EQ(form->MIDatei->actions().indexOf(form->MIReport),
              form->MIDatei->actions().indexOf(form->MISaveAs) + 1);
}

TEST_F(ReportMenuTest, SettingsKeepTheirOtherEntriesAndOneLinePerValue) {
    start();
    ASSERT_TRUE(WriteWindowPosition(settings(), {120, 130}));
    ASSERT_TRUE(WriteReportDetails(settings(), {"DL1\r\n[Fensterpositionen]", "Left=5", false}));
    EXPECT_EQ(ReadWindowPosition(settings()).left, 120) << "no line of its own from a value";
    const ReportDetails kept = ReadReportDetails(settings());
    EXPECT_EQ(kept.call, "DL1  [Fensterpositionen]");
    EXPECT_EQ(kept.place, "Left=5");
    EXPECT_EQ(ReadReportDetails(path("none.ini")), ReportDetails());
}

} // namespace
} // namespace radexa::testing
