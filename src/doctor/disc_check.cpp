#include "doctor/disc_check.h"

#include "doctor/checked_catalogue.h"
#include "doctor/disc_files.h"
#include "doctor/launcher_lists.h"
#include "doctor/record_check.h"
#include "doctor/text_check.h"
#include "launcher/main_unit.h"
#include "platform/file_names.h"
#include "toolkit/label.h"

#include <cstring>
#include <unordered_map>

namespace {

void CheckCutTexts(const TCheckedCatalogue& checked, TLauncherLists& lists,
                   std::vector<TProblem>& problems) {
    const TCatalogue& catalogue = checked.Catalogue();
    std::vector<std::string> categories;
    for (std::size_t k = 0; k < catalogue.CategoryCount(); ++k)
        categories.emplace_back(catalogue.Category(k));
    const int categoryRoom = lists.CategoryRoom(categories);
    for (std::size_t k = 0; k < catalogue.CategoryCount(); ++k) {
        int width = lists.CategoryTextWidth(categories[k]);
        if (width > categoryRoom)
            problems.push_back(checked.AtCategory(
                k, TProblemCode::TitleCut,
                "category " + Quoted(categories[k]) + " is " + std::to_string(width) +
                    " pixels wide when chosen, its list shows " + std::to_string(categoryRoom) +
                    ": it is cut at the edge"));
        const int titleRoom = lists.TitleRoom(catalogue.Titles().Strings(k));
        for (std::size_t j = 0, n = catalogue.Titles().Count(k); j < n; ++j) {
            std::string_view title = catalogue.Titles().At(k, j);
            int titleWidth = lists.TitleTextWidth(title);
            if (titleWidth > titleRoom)
                problems.push_back(checked.AtRecord(
                    catalogue.GameIndex(k, j), TProblemCode::TitleCut,
                    "title " + Quoted(title) + " is " + std::to_string(titleWidth) +
                        " pixels wide when chosen, its list shows " + std::to_string(titleRoom) +
                        ": it is cut at the edge"));
        }
    }
}

// Problems found in the bytes concern the title whose line they stand on, if any.
void NameRecordsOnTheirLines(const TCheckedCatalogue& checked, std::vector<TProblem>& problems) {
    std::unordered_map<int, std::size_t> recordOnLine;
    for (std::size_t i = 0; i < checked.Catalogue().GameCount(); ++i)
        recordOnLine.try_emplace(checked.RecordLine(i), i);
    for (TProblem& problem : problems) {
        auto found = recordOnLine.find(problem.Line);
        if (found == recordOnLine.end()) continue;
        TGame game = checked.Catalogue().Game(found->second);
        problem.Category = game.Category;
        problem.Title = game.Title;
    }
}

} // namespace

TDiscCheck::TDiscCheck() = default;
TDiscCheck::~TDiscCheck() = default;

void TDiscCheck::ReadCatalogue() {
    FRaw = ReadFileBytes(MapPath(TCatalogue::CataloguePath).FsPath);
    TFileBytes copy{std::make_unique<char[]>(FRaw.Size), FRaw.Size};
    std::memcpy(copy.Data.get(), FRaw.Data.get(), FRaw.Size);
    FCatalogue.LoadCatalogue(TTextFileLines::FromBytes(
        std::move(copy), [this](std::string_view decoded) { FLines = TEditorLines(decoded); }));
    FCatalogue.SplitRecords();
    FCatalogue.BuildCategoryIndex();
}

TCheckReport TDiscCheck::Check(TMainFr& launcher, const TCheckProgress& progress) {
    TCheckReport report;
    report.Titles = FCatalogue.GameCount();
    report.Categories = FCatalogue.CategoryCount();
    std::vector<TProblem>& problems = report.Problems;
    TCheckedCatalogue checked(FCatalogue, FLines);

    CheckCatalogueText(FRaw.View(), problems);
    NameRecordsOnTheirLines(checked, problems);
    CheckRecords(checked, launcher.LbAbout->ShowAccelChar(), problems);
    // Folders and pictures are looked at on every core while this thread measures texts.
    TDiscFiles files(checked);
    {
        TLauncherLists lists(launcher);
        CheckCutTexts(checked, lists, problems);
    }
    files.ReportMissing(progress, problems);
    files.FindUnusedFolders(problems);
    files.ReportPictures(progress, problems);
    SortProblems(problems);
    return report;
}
