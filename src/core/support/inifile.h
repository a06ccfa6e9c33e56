#pragma once
// A small INI file: sections of "key=value" lines. Reads any bytes without failing;
// section and key names compare with letter case ignored, as Windows INI files do.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace radexa {

class IniFile {
public:
    IniFile() = default;
    // Parses the text of a file (CR LF, LF or CR line ends).
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
    };
    Section* find(std::string_view name);
    const Section* find(std::string_view name) const;
    std::vector<std::string> m_head; // lines before the first section
    std::vector<Section> m_sections;
};

} // namespace radexa
