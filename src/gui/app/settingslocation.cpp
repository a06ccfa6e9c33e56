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

// A settings file the safe writer would refuse: one without any write bit (also for
// root), or one the operator may not write.
bool fileIsWritable(const QString& file) {
    const QFileInfo info(file);
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !info.exists() || (info.isWritable() && (info.permissions() & anyWrite));
}

} // namespace

SettingsLocation FindSettingsLocation(const QString& programFolder,
                                      const QString& userConfigFolder) {
    const QString besideProgram = QDir(programFolder).filePath(kFileName);
    // A write-protected file beside the program sends the settings to the user's folder
    // as an unwritable program folder does, and they are read back from there.
    if ((folderIsWritable(programFolder) && fileIsWritable(besideProgram)) ||
        userConfigFolder.isEmpty())
        return {besideProgram, besideProgram};
    const QString own = QDir(userConfigFolder).filePath(kFileName);
    return {QFileInfo::exists(own) ? own : besideProgram, own};
}

IniFile ReadSettings(const QString& file) {
    // Only the start of the file is read: a huge one can neither delay nor stop the start.
    return ReadIniFile(QFile::encodeName(file).toStdString());
}

bool ChangeSettings(const QString& file, const std::function<void(IniFile&)>& change) {
    const std::string path = QFile::encodeName(file).toStdString();
    QDir().mkpath(QFileInfo(file).absolutePath());
    // The other contents of the file stay, as far as they were read; a file that is there
    // but cannot be read (no read permission, a link that leads nowhere readable) is not
    // replaced by one holding only the new entries.
    std::string error;
    IniFile ini = ReadIniFile(path, &error);
    const QFileInfo info(file);
    if (!error.empty() && (info.exists() || info.isSymLink()))
        return false;
    change(ini);
    return WriteFileAtomic(path, ini.text()).ok();
}

WindowPosition ReadWindowPosition(const QString& file) {
    WindowPosition p;
    const IniFile ini = ReadSettings(file);
    p.left = ini.readInteger(kSection, "Left", 100);
    p.top = ini.readInteger(kSection, "Top", 100);
    return p;
}

bool WriteWindowPosition(const QString& file, const WindowPosition& position) {
    return ChangeSettings(file, [&](IniFile& ini) {
        ini.writeInteger(kSection, "Left", position.left);
        ini.writeInteger(kSection, "Top", position.top);
    });
}

} // namespace radexa
