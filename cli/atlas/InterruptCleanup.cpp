// The watching thread polls a signalfd beside an eventfd that the destructor
// writes to, so it needs no signal of its own to be stopped.
#include "cli/atlas/InterruptCleanup.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace velmora {

InterruptCleanup::InterruptCleanup(std::function<void()> cleanUp) : cleanUp_(std::move(cleanUp)) {
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&signals, signal);
    }
    pthread_sigmask(SIG_BLOCK, &signals, &previous_);
    signals_ = ::signalfd(-1, &signals, SFD_CLOEXEC);
    stop_ = ::eventfd(0, EFD_CLOEXEC);
    if (signals_ >= 0 && stop_ >= 0) {
        watcher_ = std::thread([this] { Watch(); });
    }
}

InterruptCleanup::~InterruptCleanup() {
    if (watcher_.joinable()) {
        const std::uint64_t one = 1;
        while (::write(stop_, &one, sizeof one) < 0) {
        }
        watcher_.join();
    }
    for (const int fd : {signals_, stop_}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

void InterruptCleanup::Watch() const {
    pollfd watched[] = {{signals_, POLLIN, 0}, {stop_, POLLIN, 0}};
    for (;;) {
        if (::poll(watched, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;  // a signal that this thread does not block
            }
            return;
        }
        if (watched[1].revents != 0) {
            return;
        }
        signalfd_siginfo info{};
        if (watched[0].revents != 0 && ::read(signals_, &info, sizeof info) == sizeof info) {
            try {
                cleanUp_();
            } catch (...) {
                // Ending the program matters more than a failed clean-up.
            }
            // _exit, not exit: the other threads are still at work, and the
            // destructors of static objects must not run under them.
            ::_exit(128 + static_cast<int>(info.ssi_signo));
        }
    }
}

}  // namespace velmora
