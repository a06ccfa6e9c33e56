// The settings file Radexa.ini when it cannot be written: the old file stays as it was,
// nothing half-written is left, and the window closes all the same.

#include "../core/test_files.h"
#include "mainwindow_fixture.h"

#include "gui/app/settingslocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace radexa::testing {
namespace {

const QByteArray kOldSettings = "[Fensterpositionen]\r\nLeft=250\r\nTop=80\r\n"
                                "[Other]\r\nKept=the rest of the file\r\n";

TEST(SettingsFileFailure, AFileThatCannotBeWrittenIsReportedAndLeftAsItWas) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath("Radexa.ini");
    writeFile(ini, kOldSettings);

    {
        FileSizeLimit limit(8);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(WriteWindowPosition(ini, {123, 45}));
    }
    EXPECT_EQ(readFile(ini), kOldSettings);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"Radexa.ini"});

    for (const QString& nowhere : {QStringLiteral("/proc/radexa/Radexa.ini"),
                                   QStringLiteral("/proc/self/Radexa.ini"), dir.path()})
        EXPECT_FALSE(WriteWindowPosition(nowhere, {1, 2})) << nowhere.toStdString();
}

TEST(SettingsFileFailure, AFileThatIsThereButCannotBeReadIsNotReplaced) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A link to itself: there, and unreadable for root as well.
    const QString ini = dir.filePath("Radexa.ini");
    ASSERT_TRUE(QFile::link("Radexa.ini", ini));
    EXPECT_FALSE(WriteWindowPosition(ini, {1, 2}));
    EXPECT_TRUE(QFileInfo(ini).isSymLink());
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System),
              QStringList{"Radexa.ini"});
    // A missing file is made.
    const QString fresh = dir.filePath("new/Radexa.ini");
    ASSERT_TRUE(WriteWindowPosition(fresh, {1, 2}));
    EXPECT_EQ(readFile(fresh), "[Fensterpositionen]\r\nLeft=1\r\nTop=2\r\n");
}

TEST(SettingsFileFailure, AHugeFileIsReadAndKeptOnlyAsFarAsTheReadLimit) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath("Radexa.ini");
    writeFile(ini,
              kOldSettings + QByteArray(20 << 20, 'x') + "\r\n[Fensterpositionen]\r\nLeft=1\r\n");
    const WindowPosition read = ReadWindowPosition(ini);
    EXPECT_EQ(read.left, 250);
    EXPECT_EQ(read.top, 80);
    ASSERT_TRUE(WriteWindowPosition(ini, {123, 45}));
    const QByteArray written = readFile(ini);
    EXPECT_EQ(written, "[Fensterpositionen]\r\nLeft=123\r\nTop=45\r\n"
                       "[Other]\r\nKept=the rest of the file\r\n");
}

TEST(SettingsFileFailure, AnUnwritableProgramFolderSendsTheSettingsToTheUserFolder) {
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    const SettingsLocation where = FindSettingsLocation("/proc/self", config.path());
    EXPECT_EQ(where.writeTo, QDir(config.path()).filePath("Radexa.ini"));
    EXPECT_EQ(where.readFrom, "/proc/self/Radexa.ini"); // nothing in the user folder yet
    ASSERT_TRUE(WriteWindowPosition(where.writeTo, {10, 20}));
    EXPECT_EQ(FindSettingsLocation("/proc/self", config.path()).readFrom, where.writeTo);
}

TEST(SettingsFileFailure, AWriteProtectedFileBesideTheProgramIsReadBackFromTheUserFolder) {
    // The position written at closing must be the one read at the next start.
    QTemporaryDir program, config;
    ASSERT_TRUE(program.isValid() && config.isValid());
    const QString beside = QDir(program.path()).filePath("Radexa.ini");
    writeFile(beside, "[Fensterpositionen]\r\nLeft=1\r\nTop=2\r\n");
    QFile::setPermissions(beside, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const SettingsLocation first = FindSettingsLocation(program.path(), config.path());
    EXPECT_EQ(first.writeTo, QDir(config.path()).filePath("Radexa.ini"));
    ASSERT_TRUE(WriteWindowPosition(first.writeTo, {300, 200}));
    const SettingsLocation next = FindSettingsLocation(program.path(), config.path());
    EXPECT_EQ(next.readFrom, first.writeTo);
    EXPECT_EQ(ReadWindowPosition(next.readFrom).left, 300);
}

using SettingsFileWindow = MainWindowTest;

TEST_F(SettingsFileWindow, TheWindowClosesWhenNoSettingsFileCanBeWritten) {
    // The settings file beside the program is a folder, and the user's configuration folder
    // lies where nothing can be made.
    QDir(path("")).mkpath("Radexa.ini/inside");
    ScopedEnv nowhere("XDG_CONFIG_HOME", "/proc/radexa-nowhere");
    start();
    form->show();
    form->move(123, 45);
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(QFileInfo(path("Radexa.ini/inside")).isDir());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SettingsFileWindow, AWriteThatFailsHalfWayAtClosingLeavesTheOldFile) {
    writeFile(path("Radexa.ini"), kOldSettings);
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    ScopedEnv home("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    start();
    EXPECT_EQ(form->x(), 250);
    form->show();
    form->move(123, 45);
    {
        FileSizeLimit limit(8);
        ASSERT_TRUE(limit.active());
        EXPECT_TRUE(form->close());
    }
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(readFile(path("Radexa.ini")), kOldSettings);
    EXPECT_EQ(QDir(path("")).entryList({"*Radexa.ini*"}, QDir::Files | QDir::Hidden),
              QStringList{"Radexa.ini"});
}

} // namespace
} // namespace radexa::testing
