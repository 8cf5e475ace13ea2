#include "doctor/picture_checks.h"

#include "pictures/jpeg_image.h"
#include "pictures/picture.h"
#include "toolkit/application.h"

#include <algorithm>
#include <chrono>

TPictureCheck CheckPicture(const std::string& windowsPath) {
    TPictureCheck check;
    try {
        TPicture picture;
        picture.LoadFromFile(windowsPath);
        check.Loaded = true;
        check.Width = picture.Width();
        check.Height = picture.Height();
        // A JPEG decodes when it is first drawn; other types hold their pixels already.
        if (auto* jpeg = dynamic_cast<TJPEGImage*>(picture.Graphic())) jpeg->DIBNeeded();
    } catch (...) {
        check.Error = TApplication::ReportText(std::current_exception());
    }
    return check;
}

TPictureChecks::TPictureChecks(std::vector<std::string> windowsPaths)
    : FPaths(std::move(windowsPaths)), FResults(FPaths.size()) {
    std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    for (std::size_t i = 0; i < std::min(cores, FPaths.size()); ++i)
        FWorkers.emplace_back([this] { Work(); });
}

TPictureChecks::~TPictureChecks() {
    FNext = FPaths.size(); // nothing more is taken
    JoinWorkers();
}

void TPictureChecks::Work() {
    for (std::size_t i; (i = FNext++) < FPaths.size();) {
        FResults[i] = CheckPicture(FPaths[i]);
        if (++FDone == FPaths.size()) {
            std::lock_guard lock(FMutex);
            FAllDone.notify_all();
        }
    }
}

void TPictureChecks::JoinWorkers() {
    for (std::thread& worker : FWorkers)
        if (worker.joinable()) worker.join();
}

const std::vector<TPictureCheck>& TPictureChecks::Wait(const TCheckProgress& progress) {
    const std::size_t total = FPaths.size();
    {
        std::unique_lock lock(FMutex);
        while (FDone < total) {
            if (progress) progress(FDone, total);
            FAllDone.wait_for(lock, std::chrono::milliseconds(100), [&] { return FDone == total; });
        }
    }
    JoinWorkers();
    if (progress) progress(total, total);
    return FResults;
}
