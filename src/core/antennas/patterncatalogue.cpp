#include "core/antennas/patterncatalogue.h"

#include "core/support/cp1252.h"

#include "core/antennas/angledata.h"
#include "core/antennas/catalogue.h"
#include "core/antennas/ownantenna.h"
#include "core/support/atomicfile.h"
#include "core/support/plainnumber.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace radexa {

namespace {

namespace fs = std::filesystem;

// The longest name of a file in a folder (NAME_MAX of Linux).
constexpr std::size_t kMaxFileNameBytes = 255;

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string UserAngleDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/')
        return (fs::path(data) / "radexa" / "ang").string();
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0')
        return (fs::path(home) / ".local" / "share" / "radexa" / "ang").string();
    return {};
}

StringArray AngleDataFolders(const std::string& programAngleFolder) {
    StringArray folders;
    if (!programAngleFolder.empty())
        folders.push_back(programAngleFolder);
    const std::string user = UserAngleDataFolder();
    if (!user.empty() && user != programAngleFolder)
        folders.push_back(user);
    return folders;
}

std::string FindAngleFile(const StringArray& folders, std::string_view manufacturer,
                          std::string_view name) {
    for (const std::string& folder : folders)
        if (std::string file = FindAngleFile(folder, manufacturer, name); !file.empty())
            return file;
    return {};
}

std::string WritableAngleDataFolder(const std::string& programAngleFolder, std::string* error) {
    if (!programAngleFolder.empty() && isFolder(programAngleFolder) &&
        ::access(programAngleFolder.c_str(), W_OK | X_OK) == 0)
        return programAngleFolder;
    const std::string user = UserAngleDataFolder();
    if (user.empty()) {
        if (error)
            *error = "no folder for angle files: the program's folder cannot be written and "
                     "neither XDG_DATA_HOME nor HOME is set";
        return {};
    }
    std::error_code ec;
    fs::create_directories(user, ec);
    if (ec || !isFolder(user)) {
        if (error)
            *error = "the folder \"" + user +
                     "\" cannot be made: " + (ec ? ec.message() : std::string("not a folder"));
        return {};
    }
    return user;
}

std::string ImportedAntennaNameProblem(const ImportedAntennaEntry& entry) {
    const std::pair<const char*, const std::string*> texts[] = {
        {"The manufacturer", &entry.manufacturer},
        {"The name", &entry.name},
        {"The type", &entry.type},
        {"The number of elements", &entry.elements}};
    for (const auto& [what, text] : texts) {
        if (text->empty() && text != &entry.elements)
            return std::string(what) + " must not be empty";
        for (char c : *text) {
            const auto u = static_cast<unsigned char>(c);
            if (c == ',' || c == ';' || c == '/' || c == '\\' || u < 0x20 || u == 0x7F)
                return std::string(what) +
                       " must not contain a comma, \";\", \"/\", \"\\\" or "
                       "a control character: \"" +
                       *text + "\"";
        }
    }
    if (entry.name.front() == '[')
        return "The name must not begin with \"[\"";
    // The angle file is named "<manufacturer> <name>.ang" in UTF-8; a longer name than a
    // folder can hold would look like a file that is there but cannot be read.
    const std::size_t fileName =
        Cp1252ToUtf8(entry.manufacturer).size() + 1 + Cp1252ToUtf8(entry.name).size() + 4;
    if (fileName > kMaxFileNameBytes)
        return "The manufacturer and the name are too long for the angle file's name (" +
               std::to_string(fileName) + " bytes; at most " + std::to_string(kMaxFileNameBytes) +
               ")";
    return {};
}

SavedImport SaveImportedAntenna(const std::string& userAntennaFile,
                                const std::string& programAngleFolder,
                                const ImportedAntennaEntry& entry, const ImportedPattern& pattern,
                                std::string_view description, bool onlyThisFolder) {
    SavedImport saved;
    saved.error = ImportedAntennaNameProblem(entry);
    if (!saved.ok())
        return saved;
    if (!(pattern.frequency > 0))
        return {{}, "The pattern has no frequency: give the frequency it was made for"};
    if (!pattern.gainKnown)
        return {{}, "The pattern has no gain: give the largest gain in dBi"};

    const StringArray folders =
        onlyThisFolder ? StringArray{programAngleFolder} : AngleDataFolders(programAngleFolder);
    const std::string existing = FindAngleFile(folders, entry.manufacturer, entry.name);
    if (!existing.empty())
        return {{},
                "An angle file for this antenna exists already: \"" + existing +
                    "\"; choose another name"};
    const FileReadResult user = ReadWholeFile(userAntennaFile);
    if (!user.ok() && user.status != FileReadStatus::Missing)
        return {{}, user.error};
    if (user.ok() &&
        TAntennen::FromTexts({}, user.bytes).FindAntenna(entry.name, entry.manufacturer) >= 0)
        return {{},
                "The antenna \"" + entry.name + "\" of \"" + entry.manufacturer +
                    "\" exists already in \"" + userAntennaFile + "\"; choose another name"};

    std::string folderError;
    std::string folder;
    if (!onlyThisFolder)
        folder = WritableAngleDataFolder(programAngleFolder, &folderError);
    else if (!isFolder(programAngleFolder))
        folderError = "The angle folder \"" + programAngleFolder + "\" is no folder";
    else if (::access(programAngleFolder.c_str(), W_OK | X_OK) != 0)
        folderError = "The angle folder \"" + programAngleFolder +
                      "\" cannot be written: " + std::strerror(errno);
    else
        folder = programAngleFolder;
    if (folder.empty())
        return {{}, folderError};
    // Named in UTF-8, the form the angle data are looked for first.
    const std::string path =
        AngleFileName(folder, Cp1252ToUtf8(entry.manufacturer), Cp1252ToUtf8(entry.name));
    const std::string text = AngleFileText(pattern, description);
    try { // our own text must read back before it is kept
        ParseAngleData(AngleFileTitle(path), text, pattern.frequency);
    } catch (const AngleDataError& e) {
        return {{}, std::string("The angle data cannot be read back: ") + e.what()};
    }
    const FileWriteResult written = WriteFileAtomic(path, text);
    if (!written.ok())
        return {{}, written.error};

    OwnAntenna antenna;
    antenna.name = entry.name;
    antenna.type = entry.type;
    antenna.category = entry.manufacturer;
    antenna.points.push_back(
        {PlainShortest(pattern.frequency), PlainFixed(pattern.maxGain, 2), entry.elements});
    const std::string error = SaveOwnAntenna(userAntennaFile, antenna);
    if (!error.empty()) {
        std::error_code ec;
        fs::remove(path, ec); // it did not exist before: nothing half-imported stays
        return {{}, error};
    }
    saved.angleFile = path;
    return saved;
}

} // namespace radexa
