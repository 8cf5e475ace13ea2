#include "doctor/disc_files.h"

#include "doctor/record_check.h"
#include "launcher/browsing_rules.h"
#include "platform/cp1251.h"
#include "platform/file_names.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sys/stat.h>

namespace {

constexpr int kThumbnailWidth = 242;
constexpr int kThumbnailHeight = 200;

std::optional<std::pair<dev_t, ino_t>> Identity(const std::string& fsPath) {
    struct stat st;
    if (::stat(fsPath.c_str(), &st) != 0) return std::nullopt;
    return std::pair{st.st_dev, st.st_ino};
}

std::string Size(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

} // namespace

TDiscFiles::TDiscFiles(const TCheckedCatalogue& checked, std::vector<TProblem>& problems)
    : FChecked(checked) {
    for (std::size_t i = 0; i < checked.Catalogue().GameCount(); ++i)
        LookUpTitle(i, problems);
    FPictures = std::make_unique<TPictureChecks>(FPicturePaths);
}

TDiscFiles::~TDiscFiles() = default;

void TDiscFiles::LookUpTitle(std::size_t record, std::vector<TProblem>& problems) {
    const TCatalogue& catalogue = FChecked.Catalogue();
    if (!NamesFolder(catalogue.Line(record))) return; // reported as too short already
    TGame game = catalogue.Game(record);
    const std::string path = TitlePath(game.Category, game.Folder);
    auto folder = FindEntry(path);
    if (!folder) {
        problems.push_back(FChecked.AtRecord(record, TProblemCode::MissingFolder,
                                             "the title's folder " + path + " does not exist"));
        return;
    }
    if (auto id = Identity(folder->FsPath)) FTitleFolders.insert(*id);
    auto thumbnail = FindEntry(path + "\\" + ThumbnailFileName);
    auto screenshot = FindEntry(path + "\\" + ScreenshotFileName);
    if (!thumbnail) {
        problems.push_back(
            FChecked.AtRecord(record, TProblemCode::MissingThumbnail,
                              std::string("no \"") + ThumbnailFileName + "\" in " + path +
                                  ": the no-image panel shows" +
                                  (screenshot ? " and the screenshot cannot be opened" : "")));
    } else {
        FUses.push_back(
            {record, true, PictureCheckFor(path + "\\" + thumbnail->Name, thumbnail->FsPath)});
        if (!screenshot)
            problems.push_back(FChecked.AtRecord(record, TProblemCode::MissingScreenshot,
                                                 std::string("no \"") + ScreenshotFileName +
                                                     "\" in " + path +
                                                     ": the screenshot viewer opens empty"));
    }
    if (screenshot)
        FUses.push_back(
            {record, false, PictureCheckFor(path + "\\" + screenshot->Name, screenshot->FsPath)});
}

// Each file is checked once, however many lines lead to it.
std::size_t TDiscFiles::PictureCheckFor(const std::string& windowsPath, const std::string& fsPath) {
    auto [it, added] = FPictureIndex.try_emplace(fsPath, FPicturePaths.size());
    if (added) FPicturePaths.push_back(windowsPath);
    return it->second;
}

void TDiscFiles::ReportPictures(const TCheckProgress& progress, std::vector<TProblem>& problems) {
    const std::vector<TPictureCheck>& checks = FPictures->Wait(progress);
    for (const TPictureUse& use : FUses) {
        const TPictureCheck& check = checks[use.Check];
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
    std::set<std::pair<dev_t, ino_t>> listed;
    for (std::size_t k = 0; k < catalogue.CategoryCount(); ++k) {
        std::string_view category = catalogue.Category(k);
        if (category.empty()) continue; // "soft\" itself, not a category's folder
        const std::string path = TitlePath(category, "");
        auto folder = FindEntry(path);
        if (!folder || !folder->IsFolder) continue;
        auto id = Identity(folder->FsPath);
        if (!id || !listed.insert(*id).second) continue; // twin categories share a folder
        std::vector<std::string> unused;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder->FsPath, error)) {
            std::error_code ignored;
            if (!entry.is_directory(ignored)) continue;
            auto entryId = Identity(entry.path().string());
            if (entryId && !FTitleFolders.count(*entryId))
                unused.push_back(entry.path().filename().string());
        }
        std::sort(unused.begin(), unused.end());
        for (const std::string& name : unused)
            problems.push_back(FChecked.AtCategory(k, TProblemCode::UnusedFolder,
                                                   "the folder " + path + Utf8ToCp1251(name) +
                                                       " is not named by any line"));
    }
}
