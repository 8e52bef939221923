// Jobs run on every core through Qt's thread pool. The first job to fail
// keeps its error and the jobs not yet begun are skipped, so a refused map
// stops a publish of a hundred at once.
#pragma once

#include <QThreadPool>

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>

namespace velmora {

class ParallelJobs {
public:
    ParallelJobs() = default;
    // Waits for the jobs begun; an error not yet raised is dropped.
    ~ParallelJobs() { pool_.waitForDone(); }
    ParallelJobs(const ParallelJobs&) = delete;
    ParallelJobs& operator=(const ParallelJobs&) = delete;

    // May be called from a job.
    void Start(std::function<void()> job);

    // Waits for every job, then raises the first error one of them threw.
    void Wait();

private:
    QThreadPool pool_;
    std::mutex lock_;
    std::exception_ptr failure_;
    std::atomic<bool> failed_{false};
};

}  // namespace velmora
