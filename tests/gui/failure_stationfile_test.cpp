// Station files through the window when the disk fails: a write that stops half-way, a
// working folder that cannot be written, a device or a pipe chosen as the file, files that
// cannot be read, and files whose line ends went through other systems. Every failure is
// a warning naming the file; the old file is intact and nothing half-written stays.

#include "mainwindow_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace radexa::testing {
namespace {

class StationFileFailure : public MainWindowTest {
protected:
    QStringList folderEntries() const {
        QStringList entries = QDir(path("")).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
        entries.sort();
        return entries;
    }
    QStringList shownValues() const {
        QStringList s{form->CBBand->currentText()};
        for (const char* name : {"EditAntenne", "EditPower", "EditHoehe", "EditMode",
                                 "EditCableLength", "EditPlugAtt", "EditrPS"})
            s << text(name);
        return s;
    }
    void expectWarningNaming(const QString& file) const {
        ASSERT_FALSE(boxes.warnings().isEmpty());
        EXPECT_TRUE(boxes.warnings().last().contains(file))
            << boxes.warnings().last().toStdString();
    }
};

TEST_F(StationFileFailure, AWriteThatStopsHalfWayKeepsTheOldStationFile) {
    start();
    takeMyAnt();
    const QString file = path("MYCALL.txt");
    ASSERT_TRUE(form->Speichern(file));
    const QByteArray old = readFile(file);
    field("EditPower")->setText("750");
    form->calcCall();

    ::rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ::rlimit small = saved;
    small.rlim_cur = 40; // the first line and a half
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = form->Speichern(file);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);

    EXPECT_FALSE(written);
    expectWarningNaming(file);
    EXPECT_EQ(readFile(file), old);
    EXPECT_EQ(folderEntries(), (QStringList{"Antennas.txt", "MYCALL.txt", "ang"}));
}

TEST_F(StationFileFailure, FoldersThatCannotBeWrittenAndSpecialFilesAreRefused) {
    QStringList targets{"/proc/self/MYCALL.txt", path("gone/MYCALL.txt")};
    const QString pipe = path("pipe.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    targets << pipe;
    const QString full = path("full");
    if (::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, ::makedev(1, 7)) == 0)
        targets << full; // as /dev/full
    start();
    takeMyAnt();
    for (const QString& target : targets) {
        EXPECT_FALSE(form->Speichern(target)) << target.toStdString();
        expectWarningNaming(target);
    }
    struct stat st {};
    for (const QString& special : {pipe, full}) {
        if (::lstat(QFile::encodeName(special).constData(), &st) == 0) {
            EXPECT_FALSE(S_ISREG(st.st_mode)) << special.toStdString() << " was replaced";
        }
    }
    EXPECT_FALSE(QFileInfo::exists(path("gone")));
}

TEST_F(StationFileFailure, FilesThatCannotBeReadChangeNothing) {
    QDir(path("")).mkdir("folder.txt");
    const QString pipe = path("pipe.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    start();
    takeMyAnt();
    const QStringList before = shownValues();
    for (const QString& file : {path("missing.txt"), path("folder.txt"), pipe}) {
        form->Oeffnen(file); // a pipe without a writer must not block
        expectWarningNaming(file);
        EXPECT_EQ(shownValues(), before) << file.toStdString();
    }
}

TEST_F(StationFileFailure, BytesThatAreNoStationFileChangeNothingAndTheMessageNamesTheFile) {
    // Names with characters of Windows-1252 and beyond it.
    const QString folder = QString::fromUtf8("Stationen \xC3\xA4\xC3\xA9\xC3\xA5 \xD0\x96");
    ASSERT_TRUE(QDir(path("")).mkdir(folder));
    start();
    takeMyAnt();
    field("EditPower")->setText("50");
    form->calcCall();
    const QString saved = path(folder + QString::fromUtf8("/MYCALL \xE2\x82\xAC\xE2\x9C\x93.txt"));
    ASSERT_TRUE(form->Speichern(saved));
    boxes.boxes.clear();
    form->Oeffnen(saved);
    ASSERT_TRUE(boxes.warnings().isEmpty()) << boxes.warnings().join('|').toStdString();
    ASSERT_EQ(form->currentStationFile(), saved);
    const QStringList before = shownValues();

    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {{"empty.txt", ""},
                 {"binary.txt", QByteArray("\x7F"
                                           "ELF\x02\x01\x01\0\0\0\n\0\0\0",
                                           14)
                                    .repeated(40)},
                 {"notes.txt", "Leistung 1000\r\nH\xF6he 1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"}};
    for (const auto& c : cases) {
        const QString file = path(folder + "/" + QString::fromUtf8("\xC3\xA4 ") + c.name);
        writeFile(file, c.bytes);
        boxes.boxes.clear();
        form->Oeffnen(file);
        expectWarningNaming(file);
        EXPECT_TRUE(boxes.warnings().last().contains("not a station file"))
            << boxes.warnings().last().toStdString();
        EXPECT_EQ(shownValues(), before) << c.name;
        EXPECT_EQ(form->currentStationFile(), saved) << c.name;
    }

    // A file that is restored in part names itself as it is called, too.
    QByteArray firstTwo = readFile(saved);
    firstTwo.truncate(firstTwo.indexOf("H\xF6he"));
    const QString part = path(folder + QString::fromUtf8("/\xE5\x8D\x8A.txt"));
    writeFile(part, firstTwo);
    boxes.boxes.clear();
    form->Oeffnen(part);
    expectWarningNaming(part);
    EXPECT_TRUE(form->currentStationFile().isEmpty());
    // A file that cannot be read at all as well.
    boxes.boxes.clear();
    form->Oeffnen(path(folder + QString::fromUtf8("/gone \xC3\xA9.txt")));
    expectWarningNaming(path(folder + QString::fromUtf8("/gone \xC3\xA9.txt")));
}

TEST_F(StationFileFailure, StationFilesWithOtherLineEndsOpenToTheSameStation) {
    start();
    takeMyAnt();
    field("EditPower")->setText("50");
    form->calcCall();
    ASSERT_TRUE(form->Speichern(path("MYCALL.txt")));
    const QByteArray saved = readFile(path("MYCALL.txt"));
    const QStringList station = shownValues();

    const struct {
        const char* name;
        QByteArray lineEnd;
    } cases[] = {{"LF", "\n"}, {"CR", "\r"}, {"CR CR LF", "\r\r\n"}};
    for (const auto& c : cases) {
        QByteArray bytes = saved;
        bytes.replace("\r\n", c.lineEnd);
        writeFile(path("other.txt"), bytes);
        field("EditPower")->setText("1");
        form->calcCall();
        ASSERT_NE(shownValues(), station);
        boxes.boxes.clear();
        form->Oeffnen(path("other.txt"));
        EXPECT_TRUE(boxes.warnings().isEmpty())
            << c.name << ": " << boxes.warnings().join('|').toStdString();
        EXPECT_EQ(shownValues(), station) << c.name;
    }
}

} // namespace
} // namespace radexa::testing
