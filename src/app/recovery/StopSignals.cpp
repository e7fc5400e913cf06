#include "app/recovery/StopSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int stopPipe[2] = {-1, -1};
constexpr int kStopSignals[] = {SIGTERM, SIGHUP};

// All a signal handler may safely do: write a byte, and leave errno as it found it.
void onStopSignal(int signal)
{
    const int savedErrno = errno;
    const char number = char(signal);
    (void)!::write(stopPipe[1], &number, 1);
    errno = savedErrno;
}

} // namespace

bool StopSignals::install(QObject *context, std::function<void()> beforeEnd)
{
    if (stopPipe[0] >= 0 || ::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    auto *notifier = new QSocketNotifier(stopPipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [beforeEnd = std::move(beforeEnd)] {
        char number = 0;
        if (::read(stopPipe[0], &number, 1) != 1)
            return;
        beforeEnd();
        // Ended by the signal itself, so whoever sent it sees the program end the way it asked.
        ::signal(number, SIG_DFL);
        ::raise(number);
        ::_exit(128 + number); // only if the signal could not end the program itself
    });
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kStopSignals)
        ::sigaction(signal, &action, nullptr);
    return true;
}
