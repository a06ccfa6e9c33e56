// What a user reads besides the windows: the manual pages made from the programs and the
// operator's manual. Both programs are run as built, so an option they gain later is
// checked without changing these tests.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

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

} // namespace
} // namespace radexa
