#include "doctor/background_jobs.h"

#include <algorithm>
#include <chrono>

TBackgroundJobs::TBackgroundJobs(std::size_t count, std::function<void(std::size_t)> job)
    : FCount(count), FJob(std::move(job)) {
    std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    for (std::size_t i = 0; i < std::min(cores, count); ++i)
        FWorkers.emplace_back([this] { Work(); });
}

TBackgroundJobs::~TBackgroundJobs() {
    FNext = FCount;
    JoinWorkers();
}

void TBackgroundJobs::Work() {
    for (std::size_t i; (i = FNext++) < FCount;) {
        try {
            FJob(i);
        } catch (...) {
            std::lock_guard lock(FMutex);
            if (!FError) FError = std::current_exception();
        }
        if (++FDone == FCount) {
            std::lock_guard lock(FMutex);
            FAllDone.notify_all();
        }
    }
}

void TBackgroundJobs::JoinWorkers() {
    for (std::thread& worker : FWorkers)
        if (worker.joinable()) worker.join();
}

void TBackgroundJobs::Wait(std::string_view what, const TCheckProgress& progress) {
    {
        std::unique_lock lock(FMutex);
        while (FDone < FCount) {
            if (progress) progress(what, FDone, FCount);
            FAllDone.wait_for(lock, std::chrono::milliseconds(100),
                              [&] { return FDone == FCount; });
        }
    }
    JoinWorkers();
    if (FError) std::rethrow_exception(FError);
    if (progress) progress(what, FCount, FCount);
}
