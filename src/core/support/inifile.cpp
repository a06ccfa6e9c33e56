#include "core/support/inifile.h"

#include "core/support/rdfunc.h"

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

} // namespace

IniFile::IniFile(std::string_view text) {
    Section* current = nullptr;
    for (std::string_view raw : SplitLineViews(text)) {
        const std::string_view line = trim(raw);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string name(trim(line.substr(1, line.size() - 2)));
            current = find(name);
            if (!current) {
                m_sections.push_back({name, {}, {}});
                current = &m_sections.back();
            }
            continue;
        }
        const auto eq = line.find('=');
        if (!current) {
            m_head.emplace_back(raw);
        } else if (eq == std::string_view::npos || line.front() == ';') {
            if (!line.empty())
                current->otherLines.emplace_back(raw);
        } else {
            const std::string key(trim(line.substr(0, eq)));
            const std::string value(trim(line.substr(eq + 1)));
            // The first occurrence of a key counts, as Windows reads it; later ones are dropped.
            bool duplicate = false;
            for (const auto& e : current->entries)
                duplicate = duplicate || SameTextNoCase(e.key, key);
            if (!duplicate)
                current->entries.push_back({key, value});
        }
    }
}

IniFile::Section* IniFile::find(std::string_view name) {
    for (auto& s : m_sections)
        if (SameTextNoCase(s.name, name))
            return &s;
    return nullptr;
}

const IniFile::Section* IniFile::find(std::string_view name) const {
    return const_cast<IniFile*>(this)->find(name);
}

std::optional<std::string> IniFile::readString(std::string_view section, std::string_view key) const {
    if (const Section* s = find(section))
        for (const auto& e : s->entries)
            if (SameTextNoCase(e.key, key))
                return e.value;
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
    if (!s) {
        m_sections.push_back({std::string(section), {}, {}});
        s = &m_sections.back();
    }
    for (auto& e : s->entries)
        if (SameTextNoCase(e.key, key)) {
            e.value = std::string(value);
            return;
        }
    s->entries.push_back({std::string(key), std::string(value)});
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

} // namespace radexa
