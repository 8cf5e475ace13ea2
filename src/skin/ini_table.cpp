#include "skin/ini_table.h"

#include "platform/cp1251.h"

namespace {

// Blanks are the control characters and space, as the runtime's Trim sees them.
std::string_view Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

} // namespace

std::string TIniTable::FoldCase(std::string_view text) { return Cp1251LowerCase(text); }

void TIniTable::Clear() {
    FSections.clear();
    FSectionIndex.clear();
}

void TIniTable::LoadFromLines(const std::vector<std::string>& lines) {
    Clear();
    TSection* current = nullptr;
    for (const std::string& raw : lines) {
        std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &AddSection(Trim(line.substr(1, line.size() - 2)));
            continue;
        }
        if (!current) continue;
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue; // no key can ever reach it
        Put(*current, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
    }
}

std::vector<std::string> TIniTable::ToLines() const {
    std::vector<std::string> lines;
    for (const TSection& section : FSections) {
        if (!lines.empty()) lines.emplace_back();
        lines.push_back("[" + section.Name + "]");
        for (const auto& [key, value] : section.Entries) lines.push_back(key + "=" + value);
    }
    return lines;
}

const TIniTable::TSection* TIniTable::FindSection(std::string_view section) const {
    auto it = FSectionIndex.find(FoldCase(section));
    return it == FSectionIndex.end() ? nullptr : &FSections[it->second];
}

TIniTable::TSection& TIniTable::AddSection(std::string_view name) {
    std::string folded = FoldCase(name);
    auto it = FSectionIndex.find(folded);
    if (it != FSectionIndex.end()) RemoveSection(it->second); // reads see only the last one
    FSections.push_back(TSection{std::string(name), {}, {}});
    FSectionIndex[folded] = FSections.size() - 1;
    return FSections.back();
}

void TIniTable::RemoveSection(std::size_t index) {
    FSectionIndex.erase(FoldCase(FSections[index].Name));
    FSections.erase(FSections.begin() + std::ptrdiff_t(index));
    for (auto& [name, position] : FSectionIndex)
        if (position > index) --position;
}

void TIniTable::Put(TSection& section, std::string_view key, std::string_view value) {
    std::string folded = FoldCase(key);
    auto it = section.Index.find(folded);
    if (it != section.Index.end()) {
        section.Entries[it->second].second = std::string(value);
        return;
    }
    section.Entries.emplace_back(std::string(key), std::string(value));
    section.Index.emplace(std::move(folded), section.Entries.size() - 1);
}

bool TIniTable::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

bool TIniTable::ValueExists(std::string_view section, std::string_view key) const {
    const TSection* s = FindSection(section);
    return s && s->Index.count(FoldCase(key)) != 0;
}

std::string TIniTable::ReadString(std::string_view section, std::string_view key,
                                  const std::string& defaultValue) const {
    const TSection* s = FindSection(section);
    if (!s) return defaultValue;
    auto it = s->Index.find(FoldCase(key));
    return it == s->Index.end() ? defaultValue : s->Entries[it->second].second;
}

std::vector<std::string> TIniTable::ReadSectionKeys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const TSection* s = FindSection(section))
        for (const auto& entry : s->Entries) keys.push_back(entry.first);
    return keys;
}

std::vector<std::string> TIniTable::SectionNames() const {
    std::vector<std::string> names;
    for (const TSection& section : FSections) names.push_back(section.Name);
    return names;
}

void TIniTable::EraseSection(std::string_view section) {
    auto it = FSectionIndex.find(FoldCase(section));
    if (it != FSectionIndex.end()) RemoveSection(it->second);
}

void TIniTable::WriteString(std::string_view section, std::string_view key,
                            std::string_view value) {
    auto it = FSectionIndex.find(FoldCase(section));
    TSection& s = it == FSectionIndex.end() ? AddSection(section) : FSections[it->second];
    Put(s, key, value);
}
