// radexa-helpdoc: writes the operator's manual as a PDF.
//
//     radexa-helpdoc <manual.html> <output.pdf>
//
// The manual is HTML in the subset that QTextDocument reads. The PDF is A4 with page
// numbers at the foot of each page. The tool lays the pages out itself, so that it knows
// where everything lands:
//   - the contents are made from the numbered chapter headings (<h1>N. Title</h1>) with
//     the page each chapter begins on, in place of the marker <!-- contents ... -->;
//   - a table whose header row (<thead>) would stand alone at the foot of a page, and a
//     heading that would end a page, begin the next page instead (the header row is
//     repeated on every page a table runs over).
// The PDF is written beside the output under a temporary name and renamed when it is
// complete, so a failed run never leaves a half-written manual behind. Exit status 0 on
// success, 1 when a file cannot be read or written, 2 on wrong arguments.

#include "report/support/documentpages.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <cmath>
#include <cstdio>
#include <map>

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
table.contents td { border: 0px; padding: 1px; }
)css";

// Margins of 2 cm around the text, in the document's units (1/96 inch; the layout scales
// them to the device), as Qt's own printing of a document has them.
constexpr double kMargin = 2 / 2.54 * 96;

const QRegularExpression kContentsMarker(QStringLiteral("<!--\\s*contents\\b.*?-->"),
                                         QRegularExpression::DotMatchesEverythingOption);
const QRegularExpression kChapter(QStringLiteral("^(\\d+)\\.\\s"));

struct Chapter {
    QString number;
    QString titleHtml; // as the heading holds it, tags removed
};

// The numbered chapters, from the <h1> headings of the HTML.
std::vector<Chapter> chaptersOf(const QString& html) {
    static const QRegularExpression heading(QStringLiteral("<h1[^>]*>(.*?)</h1>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    std::vector<Chapter> chapters;
    for (const auto& m : heading.globalMatch(QString(html).remove(comment))) {
        const QString title = m.captured(1).remove(tag).simplified();
        const auto number = kChapter.match(title);
        if (number.hasMatch())
            chapters.push_back({number.captured(1), title});
    }
    return chapters;
}

// The contents as a table: chapter, page (page 0 while they are not known).
QString contentsHtml(const std::vector<Chapter>& chapters, const std::map<QString, int>& pages) {
    QString html = QStringLiteral("<table class=\"contents\" width=\"100%\">\n");
    for (const Chapter& c : chapters) {
        const auto page = pages.find(c.number);
        html += QStringLiteral("<tr><td>%1</td><td align=\"right\" width=\"10%\">%2</td></tr>\n")
                    .arg(c.titleHtml)
                    .arg(page == pages.end() ? 0 : page->second);
    }
    return html + QStringLiteral("</table>");
}

class Manual {
public:
    Manual(QPdfWriter& writer, const QUrl& base) {
        radexa::LayOutForPages(m_doc, writer, 10, QString::fromLatin1(styleSheet));
        m_doc.setBaseUrl(base);
    }

    // Sets the HTML and moves page breaks until no table header and no heading ends a page.
    void setHtml(const QString& html) {
        m_doc.setHtml(html);
        QTextFrameFormat root = m_doc.rootFrame()->frameFormat();
        root.setMargin(kMargin);
        m_doc.rootFrame()->setFrameFormat(root);
        // After each move the whole document is laid out again.
        for (int moved = 0; moved < 200 && breakBeforeALonelyStart(); ++moved)
            m_doc.markContentsDirty(0, m_doc.characterCount());
    }

    // The page each numbered chapter begins on.
    std::map<QString, int> chapterPages() const {
        std::map<QString, int> pages;
        for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
            const auto number = kChapter.match(b.text());
            if (b.blockFormat().headingLevel() == 1 && number.hasMatch())
                pages.emplace(number.captured(1), pageOf(b));
        }
        return pages;
    }

    void print(QPdfWriter& writer) const {
        const double pageHeight = m_doc.pageSize().height();
        const double margin = kMargin * writer.logicalDpiY() / 96.0;
        const QFontMetricsF metrics(m_doc.defaultFont(), &writer);
        radexa::PrintDocumentPages(m_doc, writer, [&](QPainter& painter, int page, int) {
            // The page number at the foot, right-aligned with the text.
            const QString number = QString::number(page + 1);
            painter.setFont(m_doc.defaultFont());
            painter.drawText(
                QPointF(m_doc.pageSize().width() - margin - metrics.horizontalAdvance(number),
                        pageHeight - margin + metrics.ascent() + 5 * writer.logicalDpiY() / 72.0),
                number);
        });
    }

    QString title() const { return m_doc.metaInformation(QTextDocument::DocumentTitle); }

private:
    int pageOf(double y) const { return int(std::floor(y / m_doc.pageSize().height())) + 1; }
    // The page of a block's first line: a line that does not fit is moved to the next
    // page, while the block itself still begins on the page before.
    int pageOf(const QTextBlock& b) const {
        const QRectF block = m_doc.documentLayout()->blockBoundingRect(b);
        const QTextLayout* layout = b.layout();
        // (blockBoundingRect places the layout's position; its lines lie below that.)
        const double firstLine = layout && layout->lineCount() > 0 ? layout->lineAt(0).y() : 0;
        return pageOf(block.top() + firstLine);
    }

    // Finds the first table header or heading that stands last on its page and makes its
    // page break before it (or before the heading that introduces the table). False when
    // there is none.
    bool breakBeforeALonelyStart() {
        for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
            QTextCursor at(b);
            if (QTextTable* table = at.currentTable()) {
                if (table->cellAt(0, 0).firstCursorPosition().block() != b)
                    continue;
                const int headerRows = table->format().headerRowCount();
                if (headerRows <= 0 || headerRows >= table->rows())
                    continue;
                const QTextBlock firstBody =
                    table->cellAt(headerRows, 0).firstCursorPosition().block();
                if (pageOf(firstBody) == pageOf(b))
                    continue;
                const QTextBlock before = m_doc.findBlock(table->firstPosition() - 1);
                if (before.isValid() && before.blockFormat().headingLevel() > 0 &&
                    pageOf(before) == pageOf(b)) {
                    breakBefore(before);
                } else {
                    QTextFrameFormat f = table->frameFormat();
                    f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                    table->setFrameFormat(f);
                }
                return true;
            }
            const QTextBlock next = b.next();
            if (b.blockFormat().headingLevel() > 0 && next.isValid() && pageOf(next) > pageOf(b) &&
                b.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_Auto) {
                // A break made earlier before what follows moves up to the heading, so that
                // the heading does not stand alone on the page before it.
                if (next.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                    keepOnPage(next);
                breakBefore(b);
                return true;
            }
        }
        return false;
    }

    void keepOnPage(const QTextBlock& b) {
        QTextCursor cursor(b);
        QTextBlockFormat f = b.blockFormat();
        f.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        cursor.setBlockFormat(f);
    }

    void breakBefore(const QTextBlock& b) {
        QTextCursor cursor(b);
        QTextBlockFormat f = b.blockFormat();
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(f);
    }

    QTextDocument m_doc;
};

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

    const QString partName = pdfName + QStringLiteral(".part");
    QFile::remove(partName);
    {
        QPdfWriter writer(partName);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("radexa-helpdoc"));
        Manual manual(writer,
                      QUrl::fromLocalFile(QFileInfo(sourceName).absolutePath() + QLatin1Char('/')));

        // The contents' page numbers move nothing (one line per chapter whatever the
        // number), so the pages settle after a pass or two.
        const std::vector<Chapter> chapters = chaptersOf(html);
        std::map<QString, int> pages;
        for (int pass = 0; pass < 5; ++pass) {
            QString laidOut = html;
            laidOut.replace(kContentsMarker, contentsHtml(chapters, pages));
            manual.setHtml(laidOut);
            const std::map<QString, int> found = manual.chapterPages();
            if (found == pages)
                break;
            pages = found;
        }
        writer.setTitle(manual.title());
        manual.print(writer);
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
