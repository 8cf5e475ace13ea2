#pragma once
// The disc's catalogue: db\base.txt read whole, its lines sorted, each line split into a
// record, and the records grouped by category. Built once, then only read.
//
// All text is code page 1251. Every string this class hands out is a view into the
// file's bytes, which the catalogue keeps for its whole life.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"

class TCollator;

// One catalogue line: fields 1, 2, 3 and 6 of its "@"-separated fields.
struct TGame {
    std::string_view Category;
    std::string_view Title;
    std::string_view Folder;
    std::string_view About;
};

class TCatalogue;

// Titles, folders or descriptions by category: list k holds that member of every record
// whose category is category k, in record order. Entry j of the three lists comes from
// the same record.
class TCategoryLists {
public:
    std::size_t Count(std::size_t k) const;
    std::string_view At(std::size_t k, std::size_t j) const;
    // List k as strings, ready to fill a list box.
    std::vector<std::string> Strings(std::size_t k) const;

private:
    friend class TCatalogue;
    TCategoryLists(const TCatalogue* owner, std::string_view TGame::*member)
        : FOwner(owner), FMember(member) {}
    const TCatalogue* FOwner;
    std::string_view TGame::*FMember;
};

class TCatalogue {
public:
    static constexpr std::string_view CataloguePath = "db\\base.txt";

    // baseFolder is the file-system folder the catalogue path starts from (the current
    // directory when empty); collator orders the lines (the user's default when null).
    explicit TCatalogue(std::string baseFolder = {}, const TCollator* collator = nullptr);
    TCatalogue(const TCatalogue&) = delete;
    TCatalogue& operator=(const TCatalogue&) = delete;

    // Reads every line of the catalogue and sorts them, ignoring letter case, by the whole
    // line. Raises EInOutError when the file cannot be read.
    void LoadCatalogue();
    // The same for a catalogue text already read.
    void LoadCatalogue(TTextFileLines text);
    // One record per sorted line. A record is read from its line when asked for: keeping
    // where its fields lie as well would cost more than short lines themselves.
    void SplitRecords();
    // Groups the records by category, byte-exact names, in order of first occurrence.
    // An empty catalogue has no categories.
    void BuildCategoryIndex();

    std::size_t LineCount() const { return FLines.size(); }
    std::string_view Line(std::size_t i) const;
    // Where sorted line i began in the file's decoded text, in bytes.
    std::size_t LineOffset(std::size_t i) const { return Line(i).data() - FText.Text(); }

    std::size_t GameCount() const { return FGameCount; }
    TGame Game(std::size_t i) const;

    std::size_t CategoryCount() const { return FFirstMember.size() - 1; }
    std::string_view Category(std::size_t k) const;
    const TCategoryLists& Titles() const { return FTitles; }
    const TCategoryLists& Folders() const { return FFolders; }
    const TCategoryLists& Abouts() const { return FAbouts; }
    // The record behind entry j of category k's lists.
    std::size_t GameIndex(std::size_t k, std::size_t j) const;

private:
    friend class TCategoryLists;

    std::string FBaseFolder;
    const TCollator* FCollator;
    TTextFileLines FText; // owns the bytes every view points into
    std::vector<std::string_view> FLines;
    std::size_t FGameCount = 0;
    // Category k's records are FMembers[FFirstMember[k] .. FFirstMember[k + 1]); the
    // first of them gives the category its name.
    std::vector<std::uint32_t> FFirstMember{0};
    std::vector<std::uint32_t> FMembers;
    TCategoryLists FTitles{this, &TGame::Title};
    TCategoryLists FFolders{this, &TGame::Folder};
    TCategoryLists FAbouts{this, &TGame::About};
};
