#pragma once
// Independent jobs spread over every core while the calling thread gets on with other
// work.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

// What is being done, how many of how many jobs are done.
using TCheckProgress =
    std::function<void(std::string_view what, std::size_t done, std::size_t total)>;

class TBackgroundJobs {
public:
    // Starts job(0) to job(count - 1) at once, one worker per core. Each job must touch
    // only what is its own.
    TBackgroundJobs(std::size_t count, std::function<void(std::size_t)> job);
    // Takes no further job and waits for those running.
    ~TBackgroundJobs();
    TBackgroundJobs(const TBackgroundJobs&) = delete;
    TBackgroundJobs& operator=(const TBackgroundJobs&) = delete;

    // Waits for every job, telling progress about ten times a second meanwhile. Raises
    // the first error a job raised.
    void Wait(std::string_view what, const TCheckProgress& progress);

private:
    void Work();
    void JoinWorkers();

    std::size_t FCount;
    std::function<void(std::size_t)> FJob;
    std::atomic<std::size_t> FNext{0};
    std::atomic<std::size_t> FDone{0};
    std::mutex FMutex;
    std::condition_variable FAllDone;
    std::exception_ptr FError;
    std::vector<std::thread> FWorkers;
};
