#pragma once
// The in-memory table a skin description is parsed into: sections of key = value
// entries, looked up without regard to letter case (code page 1251 letters fold too).

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TIniTable {
public:
    TIniTable() = default;
    explicit TIniTable(const std::vector<std::string>& lines) { LoadFromLines(lines); }

    // Replaces the table with the entries of these cp1251 lines.
    void LoadFromLines(const std::vector<std::string>& lines);
    // The table as description lines, sections and keys in the order they were made.
    std::vector<std::string> ToLines() const;
    void Clear();

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    // The value text as stored, or defaultValue when the section or key is absent.
    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& defaultValue) const;
    // Keys of a section in entry order; empty when the section is absent.
    std::vector<std::string> ReadSectionKeys(std::string_view section) const;
    std::vector<std::string> SectionNames() const;
    // The sections the table holds: erased ones take no room.
    std::size_t SectionCount() const { return FSections.size(); }

    void EraseSection(std::string_view section);
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Case folding used for section and key matching: ASCII and the cp1251 letters.
    static std::string FoldCase(std::string_view text);

private:
    struct TSection {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Entries;
        std::unordered_map<std::string, std::size_t> Index; // folded key -> entry
    };

    const TSection* FindSection(std::string_view section) const;
    TSection& AddSection(std::string_view name); // replaces a section of the same name
    static void Put(TSection& section, std::string_view key, std::string_view value);
    void RemoveSection(std::size_t index);

    std::vector<TSection> FSections; // in the order they were made
    std::unordered_map<std::string, std::size_t> FSectionIndex; // folded name -> section
};
