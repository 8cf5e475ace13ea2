#include "doctor/record_check.h"

#include "platform/cp1251.h"
#include "toolkit/text_layout.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace {

void CheckLines(const TCheckedCatalogue& checked, std::vector<TProblem>& problems) {
    const TCatalogue& catalogue = checked.Catalogue();
    for (std::size_t i = 0; i < catalogue.GameCount(); ++i) {
        std::string_view line = catalogue.Line(i);
        if (line.empty())
            problems.push_back(checked.AtRecord(
                i, TProblemCode::BlankLine,
                "an empty line becomes a title with no name in a category with no name"));
        else if (!NamesFolder(line))
            problems.push_back(checked.AtRecord(
                i, TProblemCode::FewFields,
                "fewer than three fields (category@title@folder): no folder, so nothing opens"));
    }
}

std::string_view Trimmed(std::string_view name) {
    std::size_t first = name.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

void CheckTwinCategories(const TCheckedCatalogue& checked, std::vector<TProblem>& problems) {
    const TCatalogue& catalogue = checked.Catalogue();
    // Categories in the order their lines stand in the file, so the later one is reported.
    std::vector<std::size_t> order(catalogue.CategoryCount());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return checked.CategoryLine(a) < checked.CategoryLine(b);
    });
    std::unordered_map<std::string, std::size_t> seen;
    for (std::size_t k : order) {
        std::string_view name = catalogue.Category(k);
        auto [it, added] = seen.try_emplace(Cp1251UpperCase(Trimmed(name)), k);
        if (added) continue;
        std::size_t first = it->second;
        problems.push_back(checked.AtCategory(
            k, TProblemCode::TwinCategory,
            "category " + Quoted(name) + " is shown apart from " +
                Quoted(catalogue.Category(first)) + " (line " +
                std::to_string(checked.CategoryLine(first)) +
                "): the names differ only in letter case or in spaces at their ends"));
    }
}

void CheckDuplicateTitles(const TCheckedCatalogue& checked, std::vector<TProblem>& problems) {
    const TCatalogue& catalogue = checked.Catalogue();
    for (std::size_t k = 0; k < catalogue.CategoryCount(); ++k) {
        std::unordered_map<std::string_view, std::size_t> seen;
        for (std::size_t record : checked.RecordsInFileOrder(k)) {
            // Empty lines are reported as such.
            if (catalogue.Line(record).empty()) continue;
            std::string_view title = catalogue.Game(record).Title;
            auto [it, added] = seen.try_emplace(title, record);
            if (added) continue;
            problems.push_back(
                checked.AtRecord(record, TProblemCode::DuplicateTitle,
                                 "title " + Quoted(title) + " is listed twice in category " +
                                     Quoted(catalogue.Category(k)) + " (first on line " +
                                     std::to_string(checked.RecordLine(it->second)) + ")"));
        }
    }
}

// Ampersands the label drops: two of them show one, a lone one hides itself.
std::size_t LoneAmpersands(std::string_view text) {
    const std::size_t written = std::count(text.begin(), text.end(), '&');
    if (written == 0) return 0;
    TTextLayoutOptions options;
    options.ShowAccelChar = true;
    std::size_t shown = 0;
    for (const TTextLine& line : LayoutText(text, options, [](std::string_view) { return 0; }))
        shown += std::count(line.Text.begin(), line.Text.end(), '&');
    return written > 2 * shown ? written - 2 * shown : 0;
}

void CheckAmpersands(const TCheckedCatalogue& checked, std::vector<TProblem>& problems) {
    const TCatalogue& catalogue = checked.Catalogue();
    for (std::size_t i = 0; i < catalogue.GameCount(); ++i)
        if (LoneAmpersands(catalogue.Game(i).About) > 0)
            problems.push_back(
                checked.AtRecord(i, TProblemCode::Ampersand,
                                 "a \"&\" in the description is not shown and underlines the "
                                 "letter after it: write \"&&\" for one \"&\""));
}

} // namespace

bool NamesFolder(std::string_view line) {
    return std::count(line.begin(), line.end(), '@') >= 2;
}

void CheckRecords(const TCheckedCatalogue& checked, bool showsAccelerators,
                  std::vector<TProblem>& problems) {
    CheckLines(checked, problems);
    CheckTwinCategories(checked, problems);
    CheckDuplicateTitles(checked, problems);
    if (showsAccelerators) CheckAmpersands(checked, problems);
}
