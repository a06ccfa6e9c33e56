// radexa-helpdoc: writes the operator's manual as a PDF.
//
//     radexa-helpdoc <manual.html> <output.pdf>
//
// The manual is HTML in the subset that QTextDocument reads. The PDF is A4 with page
// numbers; it is written beside the output under a temporary name and renamed when it is
// complete, so a failed run never leaves a half-written manual behind. Exit status 0 on
// success, 1 when a file cannot be read or written, 2 on wrong arguments.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "radexa-helpdoc: %s\n", qPrintable(message));
    return 1;
}

// The look of the manual; the HTML carries only its structure.
const char* const styleSheet = R"css(
body  { color: #000000; }
h1    { font-size: 20pt; color: #00307a; margin-top: 0px; margin-bottom: 10px; }
h2    { font-size: 14pt; color: #00307a; margin-top: 18px; margin-bottom: 6px; }
h3    { font-size: 11pt; color: #00307a; margin-top: 12px; margin-bottom: 4px; }
p     { margin-top: 3px; margin-bottom: 5px; }
li    { margin-bottom: 2px; }
table { border-collapse: collapse; margin-top: 4px; margin-bottom: 8px; }
th    { background-color: #dfe6f2; font-weight: bold; }
td, th { padding: 3px; border: 1px solid #8090a8; }
pre   { font-family: "Liberation Mono", "Courier New", monospace; font-size: 8.5pt;
        background-color: #f2f2f2; margin-top: 4px; margin-bottom: 8px; }
code  { font-family: "Liberation Mono", "Courier New", monospace; }
.note { background-color: #fff4d6; }
.formula { font-family: "Liberation Serif", "Times New Roman", serif; font-size: 11pt; }
)css";

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no display is needed to write a PDF
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: radexa-helpdoc <manual.html> <output.pdf>\n");
        return 2;
    }
    const QString sourceName = args.at(1);
    const QString pdfName = args.at(2);

    QFile source(sourceName);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(sourceName, source.errorString()));
    const QString html = QString::fromUtf8(source.readAll());
    source.close();
    if (html.trimmed().isEmpty())
        return fail(QStringLiteral("%1 is empty").arg(sourceName));

    QTextDocument manual;
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(10);
    manual.setDefaultFont(font);
    manual.setDefaultStyleSheet(QString::fromLatin1(styleSheet));
    manual.setBaseUrl(QUrl::fromLocalFile(QFileInfo(sourceName).absolutePath() + QLatin1Char('/')));
    manual.setHtml(html);

    const QString partName = pdfName + QStringLiteral(".part");
    QFile::remove(partName);
    {
        QPdfWriter writer(partName);
        // Printing adds margins of 2 cm of its own and puts the page number into them.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setTitle(manual.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator(QStringLiteral("radexa-helpdoc"));
        manual.print(&writer);
    }
    if (QFileInfo(partName).size() <= 0) {
        QFile::remove(partName);
        return fail(QStringLiteral("cannot write %1").arg(pdfName));
    }
    QFile::remove(pdfName);
    if (!QFile::rename(partName, pdfName)) {
        QFile::remove(partName);
        return fail(QStringLiteral("cannot write %1").arg(pdfName));
    }
    return 0;
}
