#pragma once
// Printing a laid-out QTextDocument page by page onto a PDF writer, with whatever belongs
// at the foot of each page (a page number). The report and the manual's generator share it.

#include <functional>

class QPainter;
class QPdfWriter;
class QString;
class QTextDocument;

namespace radexa {

// Lays the document out for the writer's pages: the sans-serif face (Liberation Sans, or
// Arial) at the size as default font, the style sheet, the writer as the layout's device
// (fonts and page breaks are those of the pages) and its page size.
void LayOutForPages(QTextDocument& document, QPdfWriter& writer, double pointSize,
                    const QString& styleSheet);

// Draws page `page` (0-based) of `pageCount` beside the document's own text.
using PageFoot = std::function<void(QPainter& painter, int page, int pageCount)>;

// The document must be laid out for the writer (its page size in the writer's units).
// Every page gets its part of the document in black, then the foot.
void PrintDocumentPages(const QTextDocument& document, QPdfWriter& writer, const PageFoot& foot);

} // namespace radexa
