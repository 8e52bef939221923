// Cleaning up before the program ends on SIGINT, SIGTERM or SIGHUP. The
// signals are blocked in the thread that makes the guard, and so in every
// thread it starts afterwards, and one thread of the guard's own waits for
// them: the clean-up then runs as ordinary code, free to take locks and
// remove folders, which a signal handler may not.
#pragma once

#include <signal.h>

#include <functional>
#include <thread>

namespace velmora {

class InterruptCleanup {
public:
    // On a signal, runs cleanUp in the guard's thread and ends the program
    // with the status 128 + the signal's number. Make the guard before the
    // threads that it must cover.
    explicit InterruptCleanup(std::function<void()> cleanUp);
    // Stops waiting and unblocks the signals again; a signal that came in
    // meanwhile then ends the program as it would have without the guard.
    // Destroy it in the thread that made it.
    ~InterruptCleanup();
    InterruptCleanup(const InterruptCleanup&) = delete;
    InterruptCleanup& operator=(const InterruptCleanup&) = delete;

private:
    void Watch() const;

    std::function<void()> cleanUp_;
    sigset_t previous_{};
    int signals_ = -1;  // a signalfd of the blocked signals
    int stop_ = -1;     // an eventfd that ends the watching
    std::thread watcher_;
};

}  // namespace velmora
