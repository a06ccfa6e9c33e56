#include "report/app/reportpdf.h"

#include "core/support/cp1252.h"
#include "core/support/textnumbers.h"
#include "paint/graphics/diagrampainter.h"
#include "paint/graphics/sideviewpainter.h"
#include "report/support/documentpages.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextObjectInterface>
#include <QTextTable>

#include <cmath>

namespace radexa {

namespace {

// The page's margins, in the document's units (1/96 inch; the layout scales them to the
// device). The page number stands in the lower margin.
constexpr double kMillimetre = 96 / 25.4;
constexpr double kSideMargin = 18 * kMillimetre;
constexpr double kTopMargin = 15 * kMillimetre;
constexpr double kBottomMargin = 20 * kMillimetre;
// The PDF's resolution: the unit of the page's coordinates.
constexpr int kPdfDpi = 300;
// The pictures' widths on the page, in the document's units.
constexpr double kSideViewPageWidth = 150 * kMillimetre;
constexpr double kDiagramPageWidth = 95 * kMillimetre;

const QString kSideViewName = QStringLiteral("radexa-picture:sideview");
const QString kDiagramName = QStringLiteral("radexa-picture:diagram");

// The look of the report; the HTML carries only its structure.
const char* const kStyleSheet = R"css(
h1 { font-size: 15pt; color: #00307a; margin-top: 0px; margin-bottom: 8px; }
h2 { font-size: 11.5pt; color: #00307a; margin-top: 14px; margin-bottom: 4px; }
p  { margin-top: 2px; margin-bottom: 4px; }
table.fields { margin-bottom: 4px; }
table.fields td { padding: 1px 6px 1px 0px; }
table.data { border-collapse: collapse; margin-top: 3px; margin-bottom: 4px; font-size: 8pt; }
table.data th { background-color: #dfe6f2; font-weight: bold; padding: 2px; border: 1px solid #8090a8; }
table.data td { padding: 2px; border: 1px solid #8090a8; }
td.marked { font-weight: bold; background-color: #f2f2f2; }
p.picture { margin-top: 6px; margin-bottom: 8px; }
table.signature { margin-top: 40px; }
)css";

QString html(const std::string& cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252)).toHtmlEscaped();
}

QString fieldsHtml(const std::vector<ReportLine>& lines) {
    if (lines.empty())
        return {};
    QString out = QStringLiteral("<table class=\"fields\" width=\"100%\">");
    for (const ReportLine& l : lines)
        out += QStringLiteral("<tr><td width=\"46%\">%1</td><td>%2</td></tr>")
                   .arg(html(l.label), html(l.value));
    return out + QStringLiteral("</table>");
}

// A table with its header row repeated on every page it runs over; every column but the
// first is right-aligned (numbers).
QString tableHtml(const ReportTable& table) {
    if (table.header.empty())
        return {};
    QString out = QStringLiteral("<table class=\"data\" width=\"100%\"><thead><tr>");
    for (const std::string& head : table.header)
        out += QStringLiteral("<th>%1</th>").arg(html(head));
    out += QStringLiteral("</tr></thead>");
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const bool marked = static_cast<int>(r) == table.marked;
        out += QStringLiteral("<tr>");
        for (std::size_t c = 0; c < table.rows[r].size(); ++c)
            out += QStringLiteral("<td%1%2>%3</td>")
                       .arg(c > 0 ? QStringLiteral(" align=\"right\"") : QString(),
                            marked ? QStringLiteral(" class=\"marked\"") : QString(),
                            html(table.rows[r][c]));
        out += QStringLiteral("</tr>");
    }
    return out + QStringLiteral("</table>");
}

QString pictureHtml(ReportPicture picture) {
    const bool side = picture == ReportPicture::SideView;
    const double width = side ? kSideViewPageWidth : kDiagramPageWidth;
    const double height =
        side ? width * kSideViewHeight / kSideViewWidth : width * kDiagramHeight / kDiagramWidth;
    return QStringLiteral("<p class=\"picture\" align=\"center\"><img src=\"%1\" width=\"%2\" "
                          "height=\"%3\"></p>")
        .arg(side ? kSideViewName : kDiagramName)
        .arg(std::lround(width))
        .arg(std::lround(height));
}

QString reportHtml(const StationReport& report) {
    QString out = QStringLiteral("<h1>%1</h1>").arg(html(report.title));
    out += fieldsHtml(report.header);
    for (const ReportSection& s : report.sections) {
        out +=
            QStringLiteral("<h2%1>%2</h2>")
                .arg(s.newPage ? QStringLiteral(" style=\"page-break-before: always\"") : QString(),
                     html(s.heading));
        out += fieldsHtml(s.lines);
        for (const std::string& p : s.paragraphs)
            out += QStringLiteral("<p>%1</p>").arg(html(p));
        out += tableHtml(s.table);
        if (s.picture)
            out += pictureHtml(*s.picture);
    }
    // The signature: a line to write on above each label.
    const QString rule(36, QLatin1Char('_'));
    out += QStringLiteral("<table class=\"signature\" width=\"100%\"><tr>");
    for (std::size_t i = 0; i < report.signature.size(); ++i)
        out += QStringLiteral("<td width=\"%1%\">%2<br>%3</td>")
                   .arg(100 / static_cast<int>(report.signature.size()))
                   .arg(rule, html(report.signature[i]));
    return out + QStringLiteral("</tr></table>");
}

// Draws the pictures where the HTML has their images: the same painting as the picture
// windows, scaled to the place the layout gives them.
class PictureHandler : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    PictureHandler(const StationReport& report, int dpi) : m_report(report), m_dpi(dpi) {}

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override {
        const QTextImageFormat image = format.toImageFormat();
        return QSizeF(image.width(), image.height()) * (m_dpi / 96.0);
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat& format) override {
        const QString name = format.toImageFormat().name();
        painter->save();
        painter->translate(rect.topLeft());
        if (name == kSideViewName && m_report.sideView) {
            painter->scale(rect.width() / kSideViewWidth, rect.height() / kSideViewHeight);
            SideViewOptions options;
            options.background = Qt::white;
            PaintSideView(*painter, QSize(kSideViewWidth, kSideViewHeight), *m_report.sideView,
                          options);
        } else if (name == kDiagramName && m_report.diagram) {
            painter->scale(rect.width() / kDiagramWidth, rect.height() / kDiagramHeight);
            PaintDiagram(*painter, QSize(kDiagramWidth, kDiagramHeight), *m_report.diagram,
                         Qt::white);
        }
        painter->restore();
        painter->save();
        painter->setPen(QPen(QColor(0x80, 0x90, 0xa8), 0));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect);
        painter->restore();
    }

private:
    const StationReport& m_report;
    int m_dpi;
};

class ReportDocument {
public:
    ReportDocument(const StationReport& report, QPdfWriter& writer)
        : m_pictures(report, writer.logicalDpiY()) {
        LayOutForPages(m_doc, writer, 9.5, QString::fromLatin1(kStyleSheet));
        m_doc.documentLayout()->registerHandler(QTextFormat::ImageObject, &m_pictures);
        m_doc.setHtml(reportHtml(report));
        QTextFrameFormat root = m_doc.rootFrame()->frameFormat();
        root.setLeftMargin(kSideMargin);
        root.setRightMargin(kSideMargin);
        root.setTopMargin(kTopMargin);
        root.setBottomMargin(kBottomMargin);
        m_doc.rootFrame()->setFrameFormat(root);
        for (int moved = 0; moved < 20 && breakBeforeALonelyHeading(); ++moved)
            m_doc.markContentsDirty(0, m_doc.characterCount());
    }

    int pageCount() const { return m_doc.pageCount(); }

    void print(QPdfWriter& writer, const QString& footer, const std::string& pageText) const {
        const double scale = writer.logicalDpiY() / 96.0;
        QFont small = m_doc.defaultFont();
        small.setPointSizeF(7.5);
        const QFontMetricsF metrics(small, &writer);
        const QSizeF page = m_doc.pageSize();
        const double footY = page.height() - kBottomMargin * scale / 2;
        PrintDocumentPages(m_doc, writer, [&](QPainter& painter, int p, int count) {
            painter.setFont(small);
            painter.setPen(QColor(0x50, 0x50, 0x50));
            const QString number = QString::fromStdString(Cp1252ToUtf8(
                FillArguments(pageText, {std::to_string(p + 1), std::to_string(count)})));
            // The footer ends short of the page number ("..." where a long call needs it).
            const double numberX =
                page.width() - kSideMargin * scale - metrics.horizontalAdvance(number);
            const double room = numberX - kSideMargin * scale - metrics.averageCharWidth() * 3;
            painter.drawText(QPointF(kSideMargin * scale, footY),
                             metrics.elidedText(footer, Qt::ElideRight, room));
            painter.drawText(QPointF(numberX, footY), number);
        });
    }

private:
    // The page the block's first line stands on: a line that does not fit at a page's foot
    // goes to the next page, while the block itself still begins on the first.
    int pageOf(const QTextBlock& b) const {
        double top = m_doc.documentLayout()->blockBoundingRect(b).top();
        if (const QTextLayout* layout = b.layout(); layout && layout->lineCount() > 0)
            top += layout->lineAt(0).y();
        return static_cast<int>(std::floor(top / m_doc.pageSize().height()));
    }

    // What must stand on the heading's page: the first data row of the section's first
    // table (its intro paragraphs come along), else the block after the heading.
    QTextBlock anchorOf(const QTextBlock& heading) const {
        for (QTextBlock b = heading.next(); b.isValid() && b.blockFormat().headingLevel() == 0;
             b = b.next()) {
            if (QTextTable* table = QTextCursor(b).currentTable()) {
                const int header = table->format().headerRowCount();
                return table->rows() > header
                           ? table->cellAt(header, 0).firstCursorPosition().block()
                           : b;
            }
        }
        return heading.next();
    }

    // A heading whose section would begin on the next page begins the next page itself.
    bool breakBeforeALonelyHeading() {
        for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
            if (b.blockFormat().headingLevel() == 0 ||
                b.blockFormat().pageBreakPolicy() != QTextFormat::PageBreak_Auto)
                continue;
            const QTextBlock anchor = anchorOf(b);
            if (!anchor.isValid() || pageOf(anchor) == pageOf(b))
                continue;
            QTextCursor cursor(b);
            QTextBlockFormat f = b.blockFormat();
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.setBlockFormat(f);
            return true;
        }
        return false;
    }

    PictureHandler m_pictures;
    QTextDocument m_doc;
};

} // namespace

PaperSize PaperSizeFor(const QLocale& locale) {
    switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Philippines:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::PuertoRico:
    case QLocale::CostaRica:
    case QLocale::Guatemala:
    case QLocale::Panama:
    case QLocale::DominicanRepublic:
    case QLocale::ElSalvador:
    case QLocale::Nicaragua:
        return PaperSize::Letter;
    default:
        return PaperSize::A4;
    }
}

PaperSize SystemPaperSize() {
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return PaperSizeFor(QLocale(name.section(QLatin1Char('.'), 0, 0)));
    }
    return PaperSizeFor(QLocale::system());
}

ReportPdf ReportPdfBytes(const StationReport& report, PaperSize paper) {
    ReportPdf pdf;
    QBuffer buffer(&pdf.bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(
            QPageLayout(QPageSize(paper == PaperSize::Letter ? QPageSize::Letter : QPageSize::A4),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        writer.setResolution(kPdfDpi);
        writer.setCreator(QStringLiteral("Radexa " RADEXA_VERSION));
        writer.setTitle(QString::fromStdString(Cp1252ToUtf8(report.title)));
        const ReportDocument document(report, writer);
        pdf.pages = document.pageCount();
        document.print(writer, QString::fromStdString(Cp1252ToUtf8(report.footer)),
                       report.pageText);
    }
    return pdf;
}

FileWriteResult WriteReportPdf(const std::string& path, const StationReport& report,
                               PaperSize paper) {
    const ReportPdf pdf = ReportPdfBytes(report, paper);
    return WriteFileAtomic(
        path, std::string_view(pdf.bytes.constData(), static_cast<std::size_t>(pdf.bytes.size())));
}

} // namespace radexa

#include "reportpdf.moc"
