#include "report/support/documentpages.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace radexa {

void LayOutForPages(QTextDocument& document, QPdfWriter& writer, double pointSize,
                    const QString& styleSheet) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet(styleSheet);
    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(QSizeF(writer.width(), writer.height()));
}

void PrintDocumentPages(const QTextDocument& document, QPdfWriter& writer, const PageFoot& foot) {
    QPainter painter(&writer);
    const QSizeF page = document.pageSize();
    const int count = document.pageCount();
    for (int p = 0; p < count; ++p) {
        if (p > 0)
            writer.newPage();
        const QRectF view(0, p * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        if (foot)
            foot(painter, p, count);
    }
}

} // namespace radexa
