#pragma once
// A small INI file: sections of "key=value" lines. Reads any bytes without failing;
// section and key names compare with letter case (A-Z) ignored, as Windows INI files do.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace radexa {

class IniFile {
public:
    IniFile() = default;
    // Parses the text of a file (CR LF, LF or CR line ends), in time proportional to it.
    explicit IniFile(std::string_view text);

    std::optional<std::string> readString(std::string_view section, std::string_view key) const;
    // The value as a decimal integer (optional sign, blanks around it), else the default.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);

    // The file's text, lines ending with CR LF.
    std::string text() const;

private:
    struct Entry {
        std::string key, value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::vector<std::string> otherLines; // comments and lines without '=', kept as they are
        std::unordered_map<std::string, std::size_t> keyIndex; // folded key -> entry
    };
    Section* find(std::string_view name);
    const Section* find(std::string_view name) const;
    Section& add(std::string_view name);
    std::vector<std::string> m_head; // lines before the first section
    std::vector<Section> m_sections;
    std::unordered_map<std::string, std::size_t> m_sectionIndex; // folded name -> section
};

// How much of the settings file is read; the rest is ignored (and not written again).
constexpr std::size_t kIniReadLimit = 64 << 10;

// The part of a settings file's bytes that is read: all of them up to limit bytes, else
// the whole lines within the first limit bytes.
std::string_view IniTextWithin(std::string_view bytes, std::size_t limit = kIniReadLimit);

// The settings file at path as far as IniTextWithin reads it; a file that is missing or
// cannot be read gives an empty one (error, when given, then names the file and why).
IniFile ReadIniFile(const std::string& path, std::string* error = nullptr);

} // namespace radexa
