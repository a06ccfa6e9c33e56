// What a user reads besides the windows: the manual pages made from the programs and the
// operator's manual. Both programs are run as built, so an option they gain later is
// checked without changing these tests.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

namespace radexa {
namespace {

const QString kBin = QStringLiteral(RADEXA_BINARY_DIR "/bin/");

QString outputOf(const QString& program, const QStringList& arguments) {
    QProcess run;
    run.start(program, arguments);
    EXPECT_TRUE(run.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(run.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(run.readAllStandardOutput());
}

// The long options a --help text names, each once, in order.
QStringList optionsIn(const QString& help) {
    QStringList options;
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*[a-z]"));
    for (const auto& match : option.globalMatch(help))
        if (!options.contains(match.captured()))
            options << match.captured();
    return options;
}

QString fileText(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

// A manual page as its reader sees the words: no font changes, "\-" a plain dash.
QString manPageWords(const QString& page) {
    QString words = fileText(page);
    static const QRegularExpression fonts(QStringLiteral("\\\\f[BIRP]|\\\\[/,&]"));
    words.remove(fonts);
    return words.replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

TEST(ManualPages, AreMadeFromBothProgramsAndNameEveryOption) {
    for (const QString& program : {QStringLiteral("radexa"), QStringLiteral("radexa-cli")}) {
        SCOPED_TRACE(program.toStdString());
        const QStringList options = optionsIn(outputOf(kBin + program, {"--help"}));
        ASSERT_GE(options.size(), 3) << "--help names its options";
        const QString page = manPageWords(RADEXA_BINARY_DIR "/packaging/man/" + program + ".1");
        EXPECT_TRUE(page.contains(QStringLiteral("\"Radexa " RADEXA_VERSION "\"")));
        EXPECT_TRUE(page.contains(QStringLiteral(".SH NAME\n") + program + " - "));
        EXPECT_TRUE(page.contains(QStringLiteral(".SH SYNOPSIS\n.B ") + program));
        for (const QString& option : options)
            EXPECT_TRUE(page.contains(option)) << option.toStdString();
    }
}

// ---- The operator's manual --------------------------------------------------------------

const QString kManualSource = QStringLiteral(RADEXA_SOURCE_DIR "/docs/help/radexa_help.html");

// The manual names every option of the command-line calculator.
TEST(Manual, NamesEveryOptionOfTheCommandLineCalculator) {
    const QStringList options = optionsIn(outputOf(kBin + "radexa-cli", {"--help"}));
    ASSERT_GE(options.size(), 10);
    const QString manual = fileText(kManualSource);
    for (const QString& option : options)
        EXPECT_TRUE(manual.contains(option)) << option.toStdString();
}

// The radexa-cli command lines of the examples in a text: lines that begin with the
// program's name, a trailing "\" joined with the next line; usage lines (with "[") left out.
QStringList cliExamples(const QString& text) {
    QStringList examples;
    QString pending;
    for (QString line : text.split('\n')) {
        line = line.trimmed();
        if (pending.isEmpty() && !line.startsWith(QStringLiteral("radexa-cli ")))
            continue;
        pending += line;
        if (pending.endsWith('\\')) {
            pending.chop(1);
            continue;
        }
        if (!pending.contains('['))
            examples << pending.simplified();
        pending.clear();
    }
    return examples;
}

// Every example runs as written (its output sent nowhere) in a working folder with the
// catalogue and a station file MYCALL.txt, and ends with exit status 0. Files an example
// writes land in that folder; a model's angle file too. A model needs nec2c, which
// scripts/setup.sh installs.
void expectExamplesRun(const QStringList& examples) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(
        QFile::copy(RADEXA_SOURCE_DIR "/data/Antennas.txt", folder.filePath("Antennas.txt")));
    ASSERT_TRUE(QDir(folder.path()).mkdir("ang"));
    QFile station(folder.filePath("MYCALL.txt"));
    ASSERT_TRUE(station.open(QIODevice::WriteOnly));
    station.write("Band/Frequenz...........>2m\r\n"
                  "Antenne.................>Yagi 9 el 2m;Generic Yagi VHF-UHF\r\n"
                  "H\xF6he [m]................>12\r\n"
                  "Leistung [W]............>100\r\n"
                  "Betriebsart.............>SSB\r\n"
                  "TXRX-Intervall..........>TX3 RX3\r\n"
                  "FCC/BNetzA..............>FCC\r\n"
                  "KabelTyp................>RG213\r\n"
                  "Kabell\xE4nge.[m]..........>10,00\r\n"
                  "sonst. D\xE4mpfungen.[dB]..>0,00\r\n");
    station.close();
    for (const QString& example : examples) {
        SCOPED_TRACE(example.toStdString());
        QStringList arguments = QProcess::splitCommand(example.section(QLatin1Char('>'), 0, 0));
        arguments.removeFirst();
        if (arguments.contains("--write"))
            arguments << "--angle-dir" << folder.filePath("ang");
        QProcess run;
        run.setWorkingDirectory(folder.path());
        run.start(kBin + "radexa-cli", arguments);
        ASSERT_TRUE(run.waitForFinished(60000));
        EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    }
}

// The plain text of an HTML piece, blanks collapsed.
QString plainText(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

// The texts of the HTML elements with the tag (h1, thead, ...), as plain text.
QStringList elementTexts(const QString& html, const QString& tag) {
    QStringList texts;
    const QRegularExpression element(QStringLiteral("<%1[^>]*>(.*?)</%1>").arg(tag),
                                     QRegularExpression::DotMatchesEverythingOption);
    for (const auto& m : element.globalMatch(html))
        texts << plainText(m.captured(1));
    return texts;
}

// Every command-line example of the manual and of the README runs as it is written.
TEST(Manual, CommandLineExamplesRun) {
    QStringList examples;
    const QRegularExpression pre(QStringLiteral("<pre>(.*?)</pre>"),
                                 QRegularExpression::DotMatchesEverythingOption);
    for (const auto& m : pre.globalMatch(fileText(kManualSource)))
        examples += cliExamples(QTextDocumentFragment::fromHtml(m.captured()).toPlainText());
    ASSERT_GE(examples.size(), 10);
    expectExamplesRun(examples);
}

TEST(Readme, CommandLineExamplesRun) {
    const QStringList examples = cliExamples(fileText(RADEXA_SOURCE_DIR "/README.md"));
    ASSERT_GE(examples.size(), 5);
    expectExamplesRun(examples);
}

// The manual as the build writes it, read back page by page.
class ManualPdf : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_folder = new QTemporaryDir;
        const QString pdf = s_folder->filePath("manual.pdf");
        QProcess tool;
        tool.start(kBin + "radexa-helpdoc", {kManualSource, pdf});
        ASSERT_TRUE(tool.waitForFinished(120000));
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
        const QString info = outputOf("pdfinfo", {pdf});
        const auto count = QRegularExpression("Pages:\\s+(\\d+)").match(info);
        ASSERT_TRUE(count.hasMatch()) << info.toStdString();
        s_pages = new QStringList;
        for (int page = 1; page <= count.captured(1).toInt(); ++page)
            *s_pages << outputOf("pdftotext", {"-layout", "-f", QString::number(page), "-l",
                                               QString::number(page), pdf, "-"});
    }
    static void TearDownTestSuite() {
        delete s_pages;
        delete s_folder;
    }
    // The lines of a page with text on them, without the page number at its foot.
    static QStringList linesOf(int page) {
        QStringList lines;
        for (const QString& line : s_pages->at(page - 1).split('\n'))
            if (!line.trimmed().isEmpty())
                lines << line.simplified();
        if (!lines.isEmpty() && lines.last() == QString::number(page))
            lines.removeLast();
        return lines;
    }
    static inline QTemporaryDir* s_folder = nullptr;
    static inline QStringList* s_pages = nullptr;
};

// The contents list every numbered chapter with the page it begins on.
TEST_F(ManualPdf, ContentsGiveThePageOfEachChapter) {
    ASSERT_FALSE(s_pages->isEmpty());
    QStringList chapters;
    for (const QString& heading : elementTexts(fileText(kManualSource), "h1"))
        if (QRegularExpression("^\\d+\\. ").match(heading).hasMatch())
            chapters << heading;
    ASSERT_GE(chapters.size(), 10);
    const QRegularExpression entry(QStringLiteral("^(\\d+\\. .*) (\\d+)$"));
    QStringList listed;
    for (const QString& line : linesOf(1)) {
        const auto m = entry.match(line);
        if (!m.hasMatch() || !chapters.contains(m.captured(1)))
            continue;
        listed << m.captured(1);
        const int page = m.captured(2).toInt();
        ASSERT_GT(page, 1) << line.toStdString();
        ASSERT_LE(page, s_pages->size()) << line.toStdString();
        EXPECT_TRUE(linesOf(page).join(' ').contains(m.captured(1)))
            << m.captured(1).toStdString() << " is not on page " << page;
    }
    EXPECT_EQ(listed, chapters);
}

// No page ends with a table's header row or with a heading: each stands with what follows.
TEST_F(ManualPdf, NoTableHeaderAndNoHeadingEndsAPage) {
    const QString html = fileText(kManualSource);
    const QStringList headers = elementTexts(html, "thead");
    ASSERT_GE(headers.size(), 10);
    QStringList headings = elementTexts(html, "h2") + elementTexts(html, "h3");
    headings += elementTexts(html, "h1");
    for (int page = 1; page < s_pages->size(); ++page) {
        const QStringList lines = linesOf(page);
        ASSERT_FALSE(lines.isEmpty()) << "page " << page;
        const QString last = lines.last();
        const QStringList words = last.split(' ');
        for (const QString& header : headers) {
            const QStringList headerWords = header.split(' ');
            bool allHeader = words.size() >= 2;
            for (const QString& w : words)
                allHeader = allHeader && headerWords.contains(w);
            EXPECT_FALSE(allHeader)
                << "page " << page << " ends with the header '" << header.toStdString() << "'";
        }
        for (const QString& heading : headings)
            EXPECT_FALSE(heading.endsWith(last))
                << "page " << page << " ends with the heading '" << heading.toStdString() << "'";
    }
}

} // namespace
} // namespace radexa
