#pragma once
// Where the settings file "Radexa.ini" lives: beside the program, or, when the program
// folder cannot be written (an installed program), in the user's configuration folder.

#include "core/support/inifile.h"

#include <QString>

#include <functional>

namespace radexa {

struct SettingsLocation {
    QString readFrom; // the file to read the window position from (may not exist)
    QString writeTo;  // the file to write it to at closing
};

SettingsLocation FindSettingsLocation(const QString& programFolder,
                                      const QString& userConfigFolder);

// The settings file as far as it is read (the first 64 KiB, kIniReadLimit); empty when it
// is missing or cannot be read.
IniFile ReadSettings(const QString& file);
// Reads the file, lets `change` write its entries and writes the file back through the safe
// writer (its folder made first). False when it could not be written, or when it is there
// but cannot be read; the old file is then left as it was. What the file held beyond the part that
// is read is not written again.
bool ChangeSettings(const QString& file, const std::function<void(IniFile&)>& change);

// The window position kept in the settings file.
struct WindowPosition {
    int left = 100;
    int top = 100;
};

// Read from the first 64 KiB of the file (kIniReadLimit); the rest is ignored.
WindowPosition ReadWindowPosition(const QString& file);
// False when the file could not be written; the old file is then left as it was. What the
// file held beyond the part that is read is not written again.
bool WriteWindowPosition(const QString& file, const WindowPosition& position);

} // namespace radexa
