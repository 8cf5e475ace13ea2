#pragma once
// What the disc's folders hold for each title, found as the launcher finds it (names
// matched ignoring letter case): the title's folder, its thumbnail and screenshot, and
// folders under a category that no line names.

#include "doctor/checked_catalogue.h"
#include "doctor/picture_checks.h"

#include <memory>
#include <set>
#include <sys/types.h>
#include <unordered_map>
#include <utility>
#include <vector>

class TDiscFiles {
public:
    // Looks up every title's folder and pictures, reports what is missing and starts
    // checking the pictures that are there. Paths are relative to the current folder.
    TDiscFiles(const TCheckedCatalogue& checked, std::vector<TProblem>& problems);
    ~TDiscFiles();

    // Folders under a category's folder that no line names.
    void FindUnusedFolders(std::vector<TProblem>& problems) const;
    // Waits for the pictures and reports those that fail or do not fit.
    void ReportPictures(const TCheckProgress& progress, std::vector<TProblem>& problems);

private:
    struct TPictureUse {
        std::size_t Record;
        bool Thumbnail;
        std::size_t Check; // index into the picture checks
    };
    void LookUpTitle(std::size_t record, std::vector<TProblem>& problems);
    std::size_t PictureCheckFor(const std::string& windowsPath, const std::string& fsPath);

    const TCheckedCatalogue& FChecked;
    std::vector<TPictureUse> FUses;
    std::vector<std::string> FPicturePaths;
    std::unordered_map<std::string, std::size_t> FPictureIndex; // by file-system path
    std::set<std::pair<dev_t, ino_t>> FTitleFolders;            // every folder some line names
    std::unique_ptr<TPictureChecks> FPictures;
};
