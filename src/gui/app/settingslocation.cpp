#include "gui/app/settingslocation.h"

#include "core/support/atomicfile.h"
#include "core/support/inifile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace radexa {

namespace {

const char* const kSection = "Fensterpositionen";
const QString kFileName = QStringLiteral("Radexa.ini");

// Asks the file system itself: permission bits say nothing for root or on a read-only mount.
bool folderIsWritable(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".radexa-probe-XXXXXX")));
    return probe.open();
}

} // namespace

SettingsLocation FindSettingsLocation(const QString& programFolder, const QString& userConfigFolder) {
    const QString besideProgram = QDir(programFolder).filePath(kFileName);
    if (folderIsWritable(programFolder) || userConfigFolder.isEmpty())
        return {besideProgram, besideProgram};
    const QString own = QDir(userConfigFolder).filePath(kFileName);
    return {QFileInfo::exists(own) ? own : besideProgram, own};
}

WindowPosition ReadWindowPosition(const QString& file) {
    WindowPosition p;
    const FileReadResult r = ReadWholeFile(QFile::encodeName(file).toStdString());
    if (!r.ok())
        return p;
    const IniFile ini(r.bytes);
    p.left = ini.readInteger(kSection, "Left", 100);
    p.top = ini.readInteger(kSection, "Top", 100);
    return p;
}

bool WriteWindowPosition(const QString& file, const WindowPosition& position) {
    const std::string path = QFile::encodeName(file).toStdString();
    QDir().mkpath(QFileInfo(file).absolutePath());
    const FileReadResult old = ReadWholeFile(path);
    IniFile ini(old.ok() ? old.bytes : std::string());
    ini.writeInteger(kSection, "Left", position.left);
    ini.writeInteger(kSection, "Top", position.top);
    return WriteFileAtomic(path, ini.text()).ok();
}

} // namespace radexa
