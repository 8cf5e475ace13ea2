#include "doctor/disc_files.h"

#include "doctor/record_check.h"
#include "launcher/browsing_rules.h"
#include "platform/cp1251.h"
#include "platform/file_open.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr int kThumbnailWidth = 242;
constexpr int kThumbnailHeight = 200;

std::string Size(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

std::string TitlePathOf(const TGame& game) { return TitlePath(game.Category, game.Folder); }

} // namespace

TDiscFiles::TDiscFiles(const TCheckedCatalogue& checked)
    : FChecked(checked), FTitles(checked.Catalogue().GameCount()) {
    FLookups = std::make_unique<TBackgroundJobs>(FTitles.size(),
                                                 [this](std::size_t record) { LookUp(record); });
}

TDiscFiles::~TDiscFiles() = default;

void TDiscFiles::LookUp(std::size_t record) {
    const TCatalogue& catalogue = FChecked.Catalogue();
    if (!NamesFolder(catalogue.Line(record))) return; // reported as too short already
    const std::string path = TitlePathOf(catalogue.Game(record));
    TTitleFiles& files = FTitles[record];
    files.Folder = FindEntry(path);
    if (!files.Folder) return;
    files.FolderIdentity = FileIdentity(files.Folder->FsPath);
    files.Thumbnail = FindEntry(path + "\\" + ThumbnailFileName);
    files.Screenshot = FindEntry(path + "\\" + ScreenshotFileName);
}

void TDiscFiles::ReportMissing(const TCheckProgress& progress, std::vector<TProblem>& problems) {
    FLookups->Wait("folders", progress);
    const TCatalogue& catalogue = FChecked.Catalogue();
    for (std::size_t record = 0; record < FTitles.size(); ++record) {
        const TTitleFiles& files = FTitles[record];
        if (!NamesFolder(catalogue.Line(record))) continue;
        const std::string path = TitlePathOf(catalogue.Game(record));
        if (!files.Folder) {
            problems.push_back(FChecked.AtRecord(record, TProblemCode::MissingFolder,
                                                 "the title's folder " + path + " does not exist"));
            continue;
        }
        if (files.FolderIdentity) FTitleFolders.insert(*files.FolderIdentity);
        if (!files.Thumbnail)
            problems.push_back(FChecked.AtRecord(
                record, TProblemCode::MissingThumbnail,
                std::string("no \"") + ThumbnailFileName + "\" in " + path +
                    ": the no-image panel shows" +
                    (files.Screenshot ? " and the screenshot cannot be opened" : "")));
        else if (!files.Screenshot)
            problems.push_back(FChecked.AtRecord(record, TProblemCode::MissingScreenshot,
                                                 std::string("no \"") + ScreenshotFileName +
                                                     "\" in " + path +
                                                     ": the screenshot viewer opens empty"));
        if (files.Thumbnail) UsePicture(record, true, path, *files.Thumbnail);
        if (files.Screenshot) UsePicture(record, false, path, *files.Screenshot);
    }
    FPictureChecks.resize(FPicturePaths.size());
    FPictures = std::make_unique<TBackgroundJobs>(FPicturePaths.size(), [this](std::size_t i) {
        FPictureChecks[i] = CheckPicture(FPicturePaths[i]);
    });
}

// Each file is checked once, however many lines lead to it; it is loaded by the name the
// launcher gives it: the title path and the name as stored.
void TDiscFiles::UsePicture(std::size_t record, bool thumbnail, const std::string& titlePath,
                            const TFoundEntry& entry) {
    auto [it, added] = FPictureIndex.try_emplace(entry.FsPath, FPicturePaths.size());
    if (added) FPicturePaths.push_back(titlePath + "\\" + entry.Name);
    FUses.push_back({record, thumbnail, it->second});
}

void TDiscFiles::ReportPictures(const TCheckProgress& progress, std::vector<TProblem>& problems) {
    FPictures->Wait("pictures", progress);
    for (const TPictureUse& use : FUses) {
        const TPictureCheck& check = FPictureChecks[use.Check];
        const char* what = use.Thumbnail ? "the thumbnail" : "the screenshot";
        if (!check.Error.empty()) {
            problems.push_back(FChecked.AtRecord(
                use.Record, TProblemCode::BadPicture,
                std::string(what) + (check.Loaded ? " fails to decode: " : " fails to load: ") +
                    check.Error));
        } else if (use.Thumbnail &&
                   (check.Width > kThumbnailWidth || check.Height > kThumbnailHeight)) {
            problems.push_back(FChecked.AtRecord(
                use.Record, TProblemCode::ThumbnailCut,
                "the thumbnail is " + Size(check.Width, check.Height) + ", larger than " +
                    Size(kThumbnailWidth, kThumbnailHeight) + ": only its centre shows"));
        }
    }
}

void TDiscFiles::FindUnusedFolders(std::vector<TProblem>& problems) const {
    const TCatalogue& catalogue = FChecked.Catalogue();
    std::set<TFileIdentity> listed;
    for (std::size_t k = 0; k < catalogue.CategoryCount(); ++k) {
        std::string_view category = catalogue.Category(k);
        if (category.empty()) continue; // "soft\" itself, not a category's folder
        const std::string path = TitlePath(category, "");
        auto folder = FindEntry(path);
        if (!folder || !folder->IsFolder) continue;
        auto id = FileIdentity(folder->FsPath);
        if (!id || !listed.insert(*id).second) continue; // twin categories share a folder
        std::vector<std::string> unused;
        std::error_code error;
        for (std::filesystem::directory_iterator entry(NativePath(folder->FsPath), error), end; !error && entry != end;
             entry.increment(error)) {
            std::error_code ignored;
            if (!entry->is_directory(ignored)) continue;
            auto entryId = FileIdentity(FsPathString(entry->path()));
            if (entryId && !FTitleFolders.count(*entryId))
                unused.push_back(FsPathString(entry->path().filename()));
        }
        std::sort(unused.begin(), unused.end());
        for (const std::string& name : unused)
            problems.push_back(FChecked.AtCategory(k, TProblemCode::UnusedFolder,
                                                   "the folder " + path + Utf8ToCp1251(name) +
                                                       " is not named by any line"));
        // Silence here would read as "no stray folders".
        if (error)
            problems.push_back(FChecked.AtCategory(
                k, TProblemCode::UnreadableFolder,
                "the folder " + path + " cannot be read (" + Utf8ToCp1251(error.message()) +
                    "): the folders in it that no line names are not known"));
    }
}
