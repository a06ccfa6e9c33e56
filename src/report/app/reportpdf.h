#pragma once
// The compliance report laid out as a PDF through Qt's own PDF writer: A4 or Letter, page
// numbers at the foot of every page, text that stays text (searchable, copyable), and the
// side view and the diagram painted by the same code as their windows, as drawings that
// keep their sharpness at any print resolution. QtGui only; a QGuiApplication must exist
// (radexa-cli starts one on the offscreen platform).

#include "core/app/report.h"
#include "core/support/atomicfile.h"

#include <QByteArray>
#include <QLocale>

#include <string>

namespace radexa {

enum class PaperSize { A4, Letter };

// Letter where the locale's territory uses it (the United States, Canada, Mexico, the
// Philippines and a few more of the Americas), A4 everywhere else.
PaperSize PaperSizeFor(const QLocale& locale);
// The paper of the environment: the locale named by LC_ALL, LC_PAPER or LANG (the first
// that is set, as POSIX orders them), else the system's locale.
PaperSize SystemPaperSize();

struct ReportPdf {
    QByteArray bytes; // the whole PDF file
    int pages = 0;
};

// The report as a PDF.
ReportPdf ReportPdfBytes(const StationReport& report, PaperSize paper);

// Writes the report's PDF to the file through the program's one safe writer.
FileWriteResult WriteReportPdf(const std::string& path, const StationReport& report,
                               PaperSize paper);

} // namespace radexa
