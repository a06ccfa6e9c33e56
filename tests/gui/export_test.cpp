// The angle table of the main window exported to a text file and to the clipboard.
#include "mainwindow_fixture.h"

#include <QListWidget>

namespace radexa::testing {
namespace {

class AngleTableExport : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        start();
        takeMyAnt();
        ASSERT_EQ(form->angleTable().size(), 5u);
    }
};

TEST_F(AngleTableExport, FileHasOneLineOfPaddedCellsPerRowHeaderFirst) {
    ScopedEnv profile("USERPROFILE", QFile::encodeName(path("profile")));
    boxes.fileAnswers.push_back(path("table.txt"));
    form->PISaveClick();
    EXPECT_EQ(boxes.lastProposedFile, path("profile") + "/DeskTop/MC Export.txt");
    EXPECT_EQ(boxes.lastFilter, "Alle Dateien (*.*);;TextDateien (*.txt)");
    EXPECT_EQ(boxes.lastSelectedFilter, "TextDateien (*.txt)");

    const QList<QByteArray> lines = readFile(path("table.txt")).split('\n');
    ASSERT_EQ(lines.size(), 6); // five rows, each ended by CR LF
    EXPECT_EQ(lines[0], "    Angle ;Attenuation ;     EIRP ; Distance ;\r");
    EXPECT_EQ(lines[1].left(11), "        0 ;");
    for (int r = 1; r < 5; ++r) {
        EXPECT_TRUE(lines[r].endsWith(" ;\r")) << lines[r].toStdString();
        const QList<QByteArray> cells = lines[r].chopped(1).split(';');
        ASSERT_EQ(cells.size(), 5) << lines[r].toStdString(); // four cells and the end
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(cells[c].size(), 10) << lines[r].toStdString();
            const QByteArray cell = QByteArray::fromStdString(form->angleTable()[r][c]);
            EXPECT_EQ(cells[c], cell.rightJustified(9) + " ");
        }
    }
    EXPECT_TRUE(lines[5].isEmpty());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(AngleTableExport, ProposedFolderWithoutAUserProfileIsTheHomeDesktopOrTheHome) {
    ScopedEnv profile("USERPROFILE", std::nullopt);
    ScopedEnv home("HOME", QFile::encodeName(path("home")));
    QDir().mkpath(path("home"));
    boxes.fileAnswers.push_back(std::nullopt);
    form->PISaveClick();
    EXPECT_EQ(boxes.lastProposedFile, path("home") + "/MC Export.txt");

    QDir().mkpath(path("home/Desktop"));
    boxes.fileAnswers.push_back(std::nullopt);
    form->PISaveClick();
    EXPECT_EQ(boxes.lastProposedFile, path("home/Desktop") + "/MC Export.txt");
    EXPECT_TRUE(boxes.boxes.empty()); // cancelling reports nothing
    EXPECT_FALSE(QFile::exists(path("home/Desktop/MC Export.txt")));
}

TEST_F(AngleTableExport, FailedWriteWarnsNamingTheFileAndKeepsTheOldOne) {
    writeFile(path("table.txt"), "old");
    const QString unwritable = path("missing folder/table.txt");
    boxes.fileAnswers.push_back(unwritable);
    form->PISaveClick();
    ASSERT_EQ(boxes.warnings().size(), 1);
    EXPECT_TRUE(boxes.warnings()[0].startsWith("File was NOT saved!\n"));
    EXPECT_TRUE(boxes.warnings()[0].contains(unwritable)) << boxes.warnings()[0].toStdString();
    EXPECT_EQ(readFile(path("table.txt")), "old");
}

TEST_F(AngleTableExport, ClipboardHoldsTabSeparatedRowsEachEndedByCrLf) {
    form->PICopyClick();
    const QStringList rows = desktop.clipboardText.split("\r\n");
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[0], "Angle\tAttenuation\tEIRP\tDistance");
    EXPECT_EQ(rows[1].split('\t').size(), 4);
    EXPECT_EQ(rows[1].split('\t')[0], "    0");
    EXPECT_TRUE(rows[5].isEmpty());

    form->MIGermanClick(); // the head follows the language
    form->PICopyClick();
    EXPECT_TRUE(desktop.clipboardText.startsWith("Winkel\tDämpfung\tEIRP\tAbstand\r\n"));
}

} // namespace
} // namespace radexa::testing
