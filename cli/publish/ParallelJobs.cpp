// Running jobs and keeping their first error.
#include "cli/publish/ParallelJobs.h"

#include <utility>

namespace velmora {

void ParallelJobs::Start(std::function<void()> job) {
    pool_.start([this, job = std::move(job)] {
        if (failed_) {
            return;
        }
        try {
            job();
        } catch (...) {
            const std::lock_guard lock(lock_);
            if (!failure_) {
                failure_ = std::current_exception();
            }
            failed_ = true;
        }
    });
}

void ParallelJobs::Wait() {
    pool_.waitForDone();
    if (failure_) {
        std::rethrow_exception(std::exchange(failure_, nullptr));
    }
}

}  // namespace velmora
