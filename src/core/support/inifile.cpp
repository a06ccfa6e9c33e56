#include "core/support/inifile.h"

#include "core/support/atomicfile.h"
#include "core/support/textnumbers.h"

#include <charconv>

namespace radexa {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The name as the comparisons see it: A-Z folded to a-z, nothing else.
std::string folded(std::string_view name) {
    return AsciiLower(name);
}

} // namespace

IniFile::IniFile(std::string_view text) {
    // The section is kept by index: adding sections moves them in memory.
    std::size_t current = 0;
    bool inSection = false;
    LineCursor lines(text);
    for (std::string_view raw; lines.Next(raw);) {
        const std::string_view line = trim(raw);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string_view name = trim(line.substr(1, line.size() - 2));
            const Section* s = find(name);
            current = s ? static_cast<std::size_t>(s - m_sections.data())
                        : static_cast<std::size_t>(&add(name) - m_sections.data());
            inSection = true;
            continue;
        }
        const auto eq = line.find('=');
        if (!inSection) {
            m_head.emplace_back(raw);
            continue;
        }
        Section& s = m_sections[current];
        if (eq == std::string_view::npos || line.front() == ';') {
            if (!line.empty())
                s.otherLines.emplace_back(raw);
        } else {
            const std::string_view key = trim(line.substr(0, eq));
            // The first occurrence of a key counts, as Windows reads it; later ones are dropped.
            if (s.keyIndex.emplace(folded(key), s.entries.size()).second)
                s.entries.push_back({std::string(key), std::string(trim(line.substr(eq + 1)))});
        }
    }
}

IniFile::Section* IniFile::find(std::string_view name) {
    const auto at = m_sectionIndex.find(folded(name));
    return at == m_sectionIndex.end() ? nullptr : &m_sections[at->second];
}

IniFile::Section& IniFile::add(std::string_view name) {
    m_sectionIndex.emplace(folded(name), m_sections.size());
    m_sections.push_back({std::string(name), {}, {}, {}});
    return m_sections.back();
}

const IniFile::Section* IniFile::find(std::string_view name) const {
    return const_cast<IniFile*>(this)->find(name);
}

std::optional<std::string> IniFile::readString(std::string_view section,
                                               std::string_view key) const {
    if (const Section* s = find(section)) {
        const auto at = s->keyIndex.find(folded(key));
        if (at != s->keyIndex.end())
            return s->entries[at->second].value;
    }
    return std::nullopt;
}

int IniFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    const auto value = readString(section, key);
    if (!value)
        return defaultValue;
    std::string_view v = trim(*value);
    if (!v.empty() && v.front() == '+')
        v.remove_prefix(1);
    int n = 0;
    const auto r = std::from_chars(v.data(), v.data() + v.size(), n);
    if (v.empty() || r.ec != std::errc() || r.ptr != v.data() + v.size())
        return defaultValue;
    return n;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = find(section);
    if (!s)
        s = &add(section);
    const auto [at, added] = s->keyIndex.emplace(folded(key), s->entries.size());
    if (added)
        s->entries.push_back({std::string(key), std::string(value)});
    else
        s->entries[at->second].value = std::string(value);
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}

std::string IniFile::text() const {
    std::string out;
    for (const auto& l : m_head)
        out += l + "\r\n";
    for (const auto& s : m_sections) {
        out += "[" + s.name + "]\r\n";
        for (const auto& e : s.entries)
            out += e.key + "=" + e.value + "\r\n";
        for (const auto& l : s.otherLines)
            out += l + "\r\n";
    }
    return out;
}

std::string_view IniTextWithin(std::string_view bytes, std::size_t limit) {
    if (bytes.size() <= limit)
        return bytes;
    const std::size_t lastEnd = bytes.substr(0, limit).find_last_of("\r\n");
    return lastEnd == std::string_view::npos ? std::string_view() : bytes.substr(0, lastEnd + 1);
}

IniFile ReadIniFile(const std::string& path, std::string* error) {
    // One byte more than is read tells a file at the limit from a longer one.
    const FileReadResult read = ReadFileStart(path, kIniReadLimit + 1);
    if (!read.ok()) {
        if (error)
            *error = read.error;
        return IniFile();
    }
    return IniFile(IniTextWithin(read.bytes));
}

} // namespace radexa
