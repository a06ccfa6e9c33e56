#pragma once
// Line splitting of whole-file texts, and TDataFile: a text file divided into sections by
// bracketed lines, as the user antenna file "AntUser.txt" is.
// Texts are Windows-1252 bytes; file names are passed as the platform expects them.

#include "core/support/types.h"

#include <string>
#include <string_view>
#include <vector>

#include "core/support/textnumbers.h"

namespace radexa {

// A text file of sections. A section line has at least two characters, and its first and
// last characters are each one of ( ) [ ] { }; its name is the line without them. Names
// compare exactly. Sections written by this class use square brackets.
class TDataFile {
public:
    // An empty file in memory for fileName; nothing is read yet.
    explicit TDataFile(std::string fileName);

    // Reads all lines of the file. A file that does not exist gives no lines and counts as
    // read; false (no lines, error set) when an existing file cannot be read.
    bool Load(std::string* error = nullptr);
    // Writes the lines, each ended by CR LF, atomically, and releases them. On failure the
    // old file stays as it was, the lines are kept, and the result is false.
    bool Save(std::string* error = nullptr);

    // Names of all section lines, in file order.
    StringArray SectionNames() const;
    // True when any section line has this name.
    bool SectionExists(std::string_view name) const;
    // Index of the last section line with this name; -1 if none.
    int IndexOfSection(std::string_view name) const;
    // The section name that follows the first section of this name; empty if the name is
    // missing or its section is the last one.
    std::string NextSectionName(std::string_view name) const;
    // Index of the last line of the (last) section of this name: the line before the next
    // section line, or the file's last line; -1 when the section has no lines of its own.
    int LastLineOfSection(std::string_view name) const;
    // Appends "[" + name + "]" as the last line unless such a section exists.
    void AddSection(std::string_view name);
    // Puts the line after the last line of the section (directly after its section line
    // when it has none); appends it when that is past the end.
    void AddLine(std::string_view section, std::string_view line);

    // The file name given at construction.
    const std::string& FileName() const { return m_fileName; }
    // The lines in memory.
    const StringArray& Lines() const { return m_lines; }
    // The lines in memory, for changes.
    StringArray& Lines() { return m_lines; }

    // True for a section line; name receives its name.
    static bool IsSectionLine(std::string_view line, std::string* name = nullptr);

private:
    std::string m_fileName;
    StringArray m_lines;
};

} // namespace radexa
