#include "doctor/checked_catalogue.h"

#include <algorithm>
#include <climits>

TCheckedCatalogue::TCheckedCatalogue(const TCatalogue& catalogue, const TEditorLines& lines)
    : FCatalogue(catalogue) {
    FRecordLine.reserve(catalogue.GameCount());
    for (std::size_t i = 0; i < catalogue.GameCount(); ++i)
        FRecordLine.push_back(lines.LineAt(catalogue.LineOffset(i)));
    FCategoryLine.assign(catalogue.CategoryCount(), INT_MAX);
    for (std::size_t k = 0; k < catalogue.CategoryCount(); ++k)
        for (std::size_t j = 0, n = catalogue.Titles().Count(k); j < n; ++j)
            FCategoryLine[k] = std::min(FCategoryLine[k], FRecordLine[catalogue.GameIndex(k, j)]);
}

std::vector<std::size_t> TCheckedCatalogue::RecordsInFileOrder(std::size_t k) const {
    std::vector<std::size_t> records;
    for (std::size_t j = 0, n = FCatalogue.Titles().Count(k); j < n; ++j)
        records.push_back(FCatalogue.GameIndex(k, j));
    std::stable_sort(records.begin(), records.end(), [this](std::size_t a, std::size_t b) {
        return FRecordLine[a] < FRecordLine[b];
    });
    return records;
}

TProblem TCheckedCatalogue::AtRecord(std::size_t record, TProblemCode code,
                                     std::string message) const {
    TGame game = FCatalogue.Game(record);
    return {FRecordLine[record], code, std::string(game.Category), std::string(game.Title),
            std::move(message)};
}

TProblem TCheckedCatalogue::AtCategory(std::size_t k, TProblemCode code,
                                       std::string message) const {
    return {FCategoryLine[k], code, std::string(FCatalogue.Category(k)), {}, std::move(message)};
}

std::string Quoted(std::string_view cp1251) {
    return "\"" + std::string(cp1251) + "\"";
}
