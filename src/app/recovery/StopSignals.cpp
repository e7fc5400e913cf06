#include "app/recovery/StopSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <semaphore.h>
#include <thread>
#include <unistd.h>

namespace {

int stopPipe[2] = {-1, -1};
sem_t stopHeard;
std::atomic<int> firstStopSignal{0};
constexpr int kStopSignals[] = {SIGTERM, SIGHUP};

// How long the window's thread has to act on a stop before the program ends without it: a
// logout or a shutdown waits longer than this before it kills.
constexpr time_t secondsToStop = 3;

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler sets it");

// All a signal handler may safely do: write a byte, post a semaphore, set a lock-free atomic,
// and leave errno as it found it.
void onStopSignal(int signal)
{
    const int savedErrno = errno;
    int none = 0;
    firstStopSignal.compare_exchange_strong(none, signal);
    const char number = char(signal);
    (void)!::write(stopPipe[1], &number, 1);
    ::sem_post(&stopHeard);
    errno = savedErrno;
}

// Ended by the signal itself, so whoever sent it sees the program end the way it asked.
[[noreturn]] void endBy(int signal)
{
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    ::_exit(128 + signal); // only if the signal could not end the program itself
}

// Waits, holding nothing, for a stop signal; then gives the window's thread its time.
void stopDeadline()
{
    while (::sem_wait(&stopHeard) != 0) {
    }
    timespec left{secondsToStop, 0};
    while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
    endBy(firstStopSignal.load());
}

} // namespace

bool StopSignals::install(QObject *context, std::function<void()> beforeEnd)
{
    if (stopPipe[0] >= 0 || ::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    if (::sem_init(&stopHeard, 0, 0) != 0)
        return false;
    std::thread(stopDeadline).detach();
    auto *notifier = new QSocketNotifier(stopPipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [beforeEnd = std::move(beforeEnd)] {
        char number = 0;
        if (::read(stopPipe[0], &number, 1) != 1)
            return;
        beforeEnd();
        endBy(number);
    });
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kStopSignals)
        ::sigaction(signal, &action, nullptr);
    return true;
}
