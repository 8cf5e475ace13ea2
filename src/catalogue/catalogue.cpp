#include "catalogue/catalogue.h"

#include "platform/collation.h"
#include "platform/exceptions.h"

#include <algorithm>
#include <functional>
#include <new>

namespace {

[[noreturn]] void ListIndexError(std::size_t index) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void CheckIndex(std::size_t index, std::size_t count) {
    if (index >= count) ListIndexError(index);
}

} // namespace

std::size_t TCategoryLists::Count(std::size_t k) const {
    CheckIndex(k, FOwner->CategoryCount());
    return FOwner->FFirstMember[k + 1] - FOwner->FFirstMember[k];
}

std::string_view TCategoryLists::At(std::size_t k, std::size_t j) const {
    return FOwner->Game(FOwner->GameIndex(k, j)).*FMember;
}

std::vector<std::string> TCategoryLists::Strings(std::size_t k) const {
    std::vector<std::string> list;
    const std::size_t n = Count(k);
    list.reserve(n);
    for (std::size_t j = 0; j < n; ++j)
        list.emplace_back(At(k, j));
    return list;
}

TCatalogue::TCatalogue(std::string baseFolder, const TCollator* collator)
    : FBaseFolder(std::move(baseFolder)), FCollator(collator) {}

void TCatalogue::LoadCatalogue() { LoadCatalogue(TTextFileLines::ReadWindowsPath(CataloguePath, FBaseFolder)); }

void TCatalogue::LoadCatalogue(TTextFileLines text) {
    FGameCount = 0;
    FFirstMember.assign(1, 0);
    FMembers.clear();
    FText = std::move(text);
    FLines = std::move(FText.Lines());
    CollationSort(FLines, FCollator ? *FCollator : TCollator::UserDefault());
}

void TCatalogue::SplitRecords() { FGameCount = FLines.size(); }

namespace {

// Field 1 of a line: up to its first "@".
std::string_view CategoryField(std::string_view line) {
    return line.substr(0, line.find('@'));
}

} // namespace

TGame TCatalogue::Game(std::size_t i) const {
    CheckIndex(i, FGameCount);
    // Fields run from one "@" to the next; missing ones are empty.
    std::string_view fields[6];
    std::string_view rest = FLines[i];
    for (int f = 0; f < 6; ++f) {
        const std::size_t at = rest.find('@');
        fields[f] = rest.substr(0, at);
        if (at == std::string_view::npos) {
            rest.remove_prefix(rest.size());
            std::fill(fields + f + 1, fields + 6, rest);
            break;
        }
        rest.remove_prefix(at + 1);
    }
    return {fields[0], fields[1], fields[2], fields[5]};
}

std::string_view TCatalogue::Line(std::size_t i) const {
    CheckIndex(i, FLines.size());
    return FLines[i];
}

std::string_view TCatalogue::Category(std::size_t k) const {
    CheckIndex(k, CategoryCount());
    return CategoryField(FLines[FMembers[FFirstMember[k]]]);
}

std::size_t TCatalogue::GameIndex(std::size_t k, std::size_t j) const {
    CheckIndex(j, FTitles.Count(k));
    return FMembers[FFirstMember[k] + j];
}

namespace {

// Category names to their numbers, by open addressing: a slot holds a number plus one,
// and the name is read from the category's first line, so a category costs a few bytes
// however long its name.
class TCategoryNumbers {
public:
    explicit TCategoryNumbers(const std::vector<std::string_view>& lines) : FLines(lines) {}

    // The number of the category named by line i, a new one if none has that name yet.
    std::uint32_t Find(std::size_t i) {
        const std::string_view name = CategoryField(FLines[i]);
        if ((FFirstLine.size() + 1) * 2 > FSlots.size()) Grow();
        std::size_t slot = Hash(name);
        for (; FSlots[slot]; slot = (slot + 1) & FMask) {
            const std::uint32_t number = FSlots[slot] - 1;
            if (CategoryField(FLines[FFirstLine[number]]) == name) return number;
        }
        FFirstLine.push_back(static_cast<std::uint32_t>(i));
        FSlots[slot] = static_cast<std::uint32_t>(FFirstLine.size());
        return FSlots[slot] - 1;
    }

    std::size_t Count() const { return FFirstLine.size(); }

private:
    std::size_t Hash(std::string_view name) const { return std::hash<std::string_view>{}(name) & FMask; }

    void Grow() {
        const std::size_t size = std::max<std::size_t>(64, FSlots.size() * 2);
        std::vector<std::uint32_t>().swap(FSlots);
        FSlots.assign(size, 0);
        FMask = FSlots.size() - 1;
        for (std::size_t number = 0; number < FFirstLine.size(); ++number) {
            std::size_t slot = Hash(CategoryField(FLines[FFirstLine[number]]));
            while (FSlots[slot])
                slot = (slot + 1) & FMask;
            FSlots[slot] = static_cast<std::uint32_t>(number + 1);
        }
    }

    const std::vector<std::string_view>& FLines;
    std::vector<std::uint32_t> FSlots; // a power of two, at most half full
    std::size_t FMask = 0;
    std::vector<std::uint32_t> FFirstLine;
};

} // namespace

void TCatalogue::BuildCategoryIndex() {
    FFirstMember.assign(1, 0);
    FMembers.clear();
    const std::size_t n = FGameCount;
    if (n == 0) return;
    // Record and category numbers are kept in 32 bits.
    if (n >= UINT32_MAX) throw std::bad_alloc();

    // Which category each record belongs to; names compare byte for byte. Sorted lines
    // of one category mostly follow each other, so the name before is tried first.
    std::vector<std::uint32_t> categoryOf(n);
    std::size_t categories;
    {
        TCategoryNumbers numbers(FLines);
        std::string_view previous;
        std::uint32_t previousNumber = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::string_view name = CategoryField(FLines[i]);
            if (i == 0 || name != previous) {
                previousNumber = numbers.Find(i);
                previous = name;
            }
            categoryOf[i] = previousNumber;
        }
        categories = numbers.Count();
    }

    // Group record numbers by category, keeping record order within each.
    FFirstMember.assign(categories + 1, 0);
    for (std::uint32_t k : categoryOf)
        ++FFirstMember[k + 1];
    for (std::size_t k = 0; k < categories; ++k)
        FFirstMember[k + 1] += FFirstMember[k];
    FMembers.resize(n);
    // Filled from the back: each category's end moves down to its beginning, which is
    // where the category after it begins, one entry on.
    for (std::size_t i = n; i-- > 0;)
        FMembers[--FFirstMember[categoryOf[i] + 1]] = static_cast<std::uint32_t>(i);
    std::copy(FFirstMember.begin() + 1, FFirstMember.end(), FFirstMember.begin());
    FFirstMember.back() = static_cast<std::uint32_t>(n);
}
