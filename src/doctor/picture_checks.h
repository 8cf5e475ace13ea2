#pragma once
// Thumbnails and screenshots as the launcher meets them, checked on every core: each is
// loaded by its name, which reads its header, and decoded once, as its first drawing
// does. Only reads: nothing is written anywhere.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct TPictureCheck {
    bool Loaded = false; // loading raised no error
    std::string Error;   // the error report's text; empty when the picture shows
    int Width = 0;       // of the loaded picture
    int Height = 0;
};

// windowsPath is relative to the current folder, as the launcher gives it.
TPictureCheck CheckPicture(const std::string& windowsPath);

using TCheckProgress = std::function<void(std::size_t done, std::size_t total)>;

class TPictureChecks {
public:
    // Starts at once, one worker per core.
    explicit TPictureChecks(std::vector<std::string> windowsPaths);
    ~TPictureChecks();
    TPictureChecks(const TPictureChecks&) = delete;
    TPictureChecks& operator=(const TPictureChecks&) = delete;

    // Waits for every check, telling progress about ten times a second meanwhile.
    const std::vector<TPictureCheck>& Wait(const TCheckProgress& progress = {});

private:
    void Work();
    void JoinWorkers();

    std::vector<std::string> FPaths;
    std::vector<TPictureCheck> FResults; // each worker writes only the entries it took
    std::atomic<std::size_t> FNext{0};
    std::atomic<std::size_t> FDone{0};
    std::mutex FMutex;
    std::condition_variable FAllDone;
    std::vector<std::thread> FWorkers;
};
