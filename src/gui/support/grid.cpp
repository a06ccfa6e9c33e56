#include "gui/support/grid.h"

#include "core/app/stationfile.h"
#include "core/support/atomicfile.h"
#include "gui/support/platform.h"
#include "gui/support/text.h"

#include <QFile>

namespace radexa {

bool AskSaveFileName(QWidget* parent, QString& fileName) {
    const QString textFiles = QStringLiteral("TextDateien (*.txt)");
    const auto chosen = dialogs().saveFileName(parent, QString(), fileName,
                                               QStringLiteral("Alle Dateien (*.*);;") + textFiles,
                                               textFiles, QStringLiteral("txt"));
    if (!chosen)
        return false;
    fileName = *chosen;
    return true;
}

QString SaveGridToFile(const std::vector<StringArray>& rows, const QString& fileName) {
    const FileWriteResult written =
        WriteFileAtomic(QFile::encodeName(fileName).toStdString(), GridFileText(rows));
    return written.ok() ? QString() : QFile::decodeName(written.error.c_str());
}

void CopyGridToClipboard(const std::vector<StringArray>& rows) {
    desktop().setClipboardText(toQ(GridClipboardText(rows)));
}

} // namespace radexa
