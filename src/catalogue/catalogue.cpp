#include "catalogue/catalogue.h"

#include "platform/collation.h"
#include "platform/exceptions.h"

#include <cstring>
#include <limits>
#include <unordered_map>

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
    FText = std::move(text);
    FLines = std::move(FText.Lines());
    CollationSort(FLines, FCollator ? *FCollator : TCollator::UserDefault());
}

void TCatalogue::SplitRecords() {
    FGames.clear();
    FGames.reserve(FLines.size());
    // Fields 1, 2, 3 and 6 are kept; the number of "@" before a field is its number less one.
    constexpr int kSlot[7] = {0, 1, 2, -1, -1, 3, -1};
    for (std::string_view line : FLines) {
        TFieldBounds bounds{};
        const char* const start = line.data();
        const std::size_t size =
            std::min<std::size_t>(line.size(), std::numeric_limits<std::uint32_t>::max());
        std::size_t begin = 0;
        for (int separators = 0; separators <= 5; ++separators) {
            const void* at = std::memchr(start + begin, '@', size - begin);
            std::size_t end = at ? static_cast<const char*>(at) - start : size;
            if (kSlot[separators] >= 0) {
                bounds.Begin[kSlot[separators]] = static_cast<std::uint32_t>(begin);
                bounds.End[kSlot[separators]] = static_cast<std::uint32_t>(end);
            }
            if (!at) {
                // The remaining fields are empty.
                for (int f = separators + 1; f <= 5; ++f)
                    if (kSlot[f] >= 0)
                        bounds.Begin[kSlot[f]] = bounds.End[kSlot[f]] =
                            static_cast<std::uint32_t>(size);
                break;
            }
            begin = end + 1;
        }
        FGames.push_back(bounds);
    }
}

TGame TCatalogue::Game(std::size_t i) const {
    CheckIndex(i, FGames.size());
    const TFieldBounds& b = FGames[i];
    std::string_view line = FLines[i];
    auto field = [&](int f) { return line.substr(b.Begin[f], b.End[f] - b.Begin[f]); };
    return {field(0), field(1), field(2), field(3)};
}

std::string_view TCatalogue::Line(std::size_t i) const {
    CheckIndex(i, FLines.size());
    return FLines[i];
}

std::string_view TCatalogue::Category(std::size_t k) const {
    CheckIndex(k, FCategories.size());
    return FCategories[k];
}

std::size_t TCatalogue::GameIndex(std::size_t k, std::size_t j) const {
    CheckIndex(j, FTitles.Count(k));
    return FMembers[FFirstMember[k] + j];
}

void TCatalogue::BuildCategoryIndex() {
    FCategories.clear();
    FFirstMember.assign(1, 0);
    FMembers.clear();
    const std::size_t n = FGames.size();
    if (n == 0) return;

    // Which category each record belongs to; names compare byte for byte.
    std::vector<std::uint32_t> categoryOf(n);
    std::unordered_map<std::string_view, std::uint32_t> known;
    std::string_view previous;
    std::uint32_t previousId = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::string_view name = Game(i).Category;
        if (i == 0 || name != previous) {
            auto [it, added] =
                known.try_emplace(name, static_cast<std::uint32_t>(FCategories.size()));
            if (added) FCategories.push_back(name);
            previous = name;
            previousId = it->second;
        }
        categoryOf[i] = previousId;
    }

    // Group record numbers by category, keeping record order within each.
    const std::size_t m = FCategories.size();
    FFirstMember.assign(m + 1, 0);
    for (std::uint32_t id : categoryOf)
        ++FFirstMember[id + 1];
    for (std::size_t k = 0; k < m; ++k)
        FFirstMember[k + 1] += FFirstMember[k];
    std::vector<std::size_t> next(FFirstMember.begin(), FFirstMember.end() - 1);
    FMembers.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        FMembers[next[categoryOf[i]]++] = static_cast<std::uint32_t>(i);
}
