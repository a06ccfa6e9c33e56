#pragma once
// Export of a grid (rows of cells, the header row first) to a text file or to the
// clipboard, and the save dialog that asks for the file.

#include "core/support/types.h"

#include <QString>

#include <vector>

class QWidget;

namespace radexa {

// Runs the save dialog with fileName proposed (default extension "txt", all files and
// text files, the text files preselected). fileName receives the chosen name; true when
// the operator confirmed.
bool AskSaveFileName(QWidget* parent, QString& fileName);

// Writes the rows, every cell padded on the left to 9 characters and followed by " ;",
// each row ended by CR LF, replacing the file atomically. Empty on success, otherwise the
// error naming the file (and the old file is as it was).
QString SaveGridToFile(const std::vector<StringArray>& rows, const QString& fileName);

// Puts the rows on the clipboard, cells joined by tabs, each row ended by CR LF.
void CopyGridToClipboard(const std::vector<StringArray>& rows);

} // namespace radexa
