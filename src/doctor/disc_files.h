#pragma once
// What the disc's folders hold for each title, found as the launcher finds it (names
// matched ignoring letter case): the title's folder, its thumbnail and screenshot, and
// folders under a category that no line names. The lookups and the pictures are spread
// over every core.

#include "doctor/background_jobs.h"
#include "doctor/checked_catalogue.h"
#include "doctor/picture_check.h"
#include "platform/file_names.h"
#include "platform/file_open.h"

#include <memory>
#include <optional>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

class TDiscFiles {
public:
    // Starts looking up every title's folder and pictures. Paths are relative to the
    // current folder, as the launcher's are.
    explicit TDiscFiles(const TCheckedCatalogue& checked);
    ~TDiscFiles();

    // Waits for the lookups, reports what is missing and starts checking the pictures
    // that are there.
    void ReportMissing(const TCheckProgress& progress, std::vector<TProblem>& problems);
    // Folders under a category's folder that no line names.
    void FindUnusedFolders(std::vector<TProblem>& problems) const;
    // Waits for the pictures and reports those that fail or do not fit.
    void ReportPictures(const TCheckProgress& progress, std::vector<TProblem>& problems);

private:
    struct TTitleFiles {
        std::optional<TFoundEntry> Folder;
        std::optional<TFileIdentity> FolderIdentity;
        std::optional<TFoundEntry> Thumbnail;
        std::optional<TFoundEntry> Screenshot;
    };
    struct TPictureUse {
        std::size_t Record;
        bool Thumbnail;
        std::size_t Check; // index into FPictureChecks
    };
    void LookUp(std::size_t record);
    void UsePicture(std::size_t record, bool thumbnail, const std::string& titlePath,
                    const TFoundEntry& entry);

    const TCheckedCatalogue& FChecked;
    std::vector<TTitleFiles> FTitles; // by record; each lookup fills its own
    std::unique_ptr<TBackgroundJobs> FLookups;
    std::set<TFileIdentity> FTitleFolders; // every folder some line names
    std::vector<TPictureUse> FUses;
    std::vector<std::string> FPicturePaths;
    std::unordered_map<std::string, std::size_t> FPictureIndex; // by file-system path
    std::vector<TPictureCheck> FPictureChecks; // each check fills its own
    std::unique_ptr<TBackgroundJobs> FPictures;
};
