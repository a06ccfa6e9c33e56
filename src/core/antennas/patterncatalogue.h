#pragma once
// Imported patterns and computed models as entries of the operator's antenna file
// (AntUser.txt) with their angle files, and where angle files are looked for: the
// program's ang/ folder first, then the operator's own one ($XDG_DATA_HOME/radexa/ang,
// by default ~/.local/share/radexa/ang), which takes the files when the program's folder
// is not the operator's to write.

#include "core/antennas/patternimport.h"
#include "core/support/types.h"

#include <string>
#include <string_view>

namespace radexa {

// The operator's angle folder: $XDG_DATA_HOME/radexa/ang when that variable holds an
// absolute path, else $HOME/.local/share/radexa/ang; empty when neither can be had.
std::string UserAngleDataFolder();

// The folders angle files are looked for in, in order: the program's ang/ folder (when not
// empty), then the operator's.
StringArray AngleDataFolders(const std::string& programAngleFolder);

// The angle file of a catalogue entry: the first folder that holds "<manufacturer>
// <name>.ang" (as the one-folder FindAngleFile finds it there); empty when none does.
std::string FindAngleFile(const StringArray& folders, std::string_view manufacturer,
                          std::string_view name);

// The folder new angle files go to: the program's ang/ folder when it is a folder the
// process may write, else the operator's (created when missing). Empty, with the reason
// in *error, when neither can be used.
std::string WritableAngleDataFolder(const std::string& programAngleFolder, std::string* error);

// The catalogue side of an import.
struct ImportedAntennaEntry {
    std::string manufacturer; // the section of the antenna file
    std::string name;
    std::string type;           // e.g. "NEC model"
    std::string elements = "1"; // number of elements, as text
};

// Why the names cannot be used (empty when they can): empty, a comma, ";", a folder
// separator or a control character, a name beginning with "[", names too long together
// for the angle file's name (255 bytes in UTF-8).
std::string ImportedAntennaNameProblem(const ImportedAntennaEntry& entry);

struct SavedImport {
    std::string angleFile; // where the angle file went
    std::string error;     // empty on success
    bool ok() const { return error.empty(); }
};

// Writes the pattern's angle file (AngleFileText with the description) into the writable
// angle folder and appends the entry to the antenna file: one point at the pattern's
// frequency with its largest gain in dBi. Refuses unusable names, a pattern without
// frequency or gain, and an entry whose angle file or antenna line exists already; on any
// failure nothing of the import is left behind. With onlyThisFolder the angle file goes
// into programAngleFolder or nowhere (the folder the operator named, which is then the only
// one looked in), never into the operator's own folder instead.
SavedImport SaveImportedAntenna(const std::string& userAntennaFile,
                                const std::string& programAngleFolder,
                                const ImportedAntennaEntry& entry, const ImportedPattern& pattern,
                                std::string_view description = {}, bool onlyThisFolder = false);

} // namespace radexa
