#include "core/support/datafile.h"

#include "core/support/atomicfile.h"

namespace radexa {

namespace {

void setError(std::string* error, const std::string& text) {
    if (error)
        *error = text;
}

bool isBracket(char c) {
    switch (c) {
    case '(':
    case ')':
    case '[':
    case ']':
    case '{':
    case '}':
        return true;
    default:
        return false;
    }
}

} // namespace

TDataFile::TDataFile(std::string fileName) : m_fileName(std::move(fileName)) {}

bool TDataFile::Load(std::string* error) {
    m_lines.clear();
    const FileReadResult read = ReadWholeFile(m_fileName);
    if (read.status == FileReadStatus::Missing)
        return true;
    if (!read.ok()) {
        setError(error, read.error);
        return false;
    }
    m_lines = SplitLines(read.bytes);
    return true;
}

bool TDataFile::Save(std::string* error) {
    std::string content;
    for (const std::string& line : m_lines) {
        content += line;
        content += "\r\n";
    }
    const FileWriteResult written = WriteFileAtomic(m_fileName, content);
    if (!written.ok()) {
        setError(error, written.error);
        return false;
    }
    m_lines.clear();
    return true;
}

bool TDataFile::IsSectionLine(std::string_view line, std::string* name) {
    if (line.size() < 2 || !isBracket(line.front()) || !isBracket(line.back()))
        return false;
    if (name)
        *name = std::string(line.substr(1, line.size() - 2));
    return true;
}

StringArray TDataFile::SectionNames() const {
    StringArray names;
    std::string name;
    for (const std::string& line : m_lines)
        if (IsSectionLine(line, &name))
            names.push_back(name);
    return names;
}

bool TDataFile::SectionExists(std::string_view name) const {
    return IndexOfSection(name) >= 0;
}

int TDataFile::IndexOfSection(std::string_view name) const {
    std::string found;
    for (int i = static_cast<int>(m_lines.size()) - 1; i >= 0; --i)
        if (IsSectionLine(m_lines[static_cast<std::size_t>(i)], &found) && found == name)
            return i;
    return -1;
}

std::string TDataFile::NextSectionName(std::string_view name) const {
    const StringArray names = SectionNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return i + 1 < names.size() ? names[i + 1] : std::string();
    return {};
}

int TDataFile::LastLineOfSection(std::string_view name) const {
    // The section ends before the next section line that follows it in the file. (Looking
    // the next section up by its name would land in another section when a name occurs
    // twice or is empty.)
    const int own = IndexOfSection(name);
    int last = static_cast<int>(m_lines.size()) - 1;
    for (int i = own + 1; own >= 0 && i < static_cast<int>(m_lines.size()); ++i)
        if (IsSectionLine(m_lines[static_cast<std::size_t>(i)])) {
            last = i - 1;
            break;
        }
    return last == own ? -1 : last;
}

void TDataFile::AddSection(std::string_view name) {
    if (!SectionExists(name))
        m_lines.push_back("[" + std::string(name) + "]");
}

void TDataFile::AddLine(std::string_view section, std::string_view line) {
    int position = LastLineOfSection(section);
    if (position == -1)
        position = IndexOfSection(section);
    const std::size_t at = static_cast<std::size_t>(position + 1);
    if (at >= m_lines.size())
        m_lines.emplace_back(line);
    else
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::string(line));
}

} // namespace radexa
