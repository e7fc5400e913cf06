#pragma once

#include <functional>

class QObject;

// SIGTERM and SIGHUP (a logout, a closed terminal, the system shutting down) reach the window's
// thread instead of ending the program on the spot: the handler only writes the signal's
// number to a pipe, which the event loop watches. `beforeEnd` then runs on the window's thread
// (it brings the recovery copy up to date), and the program ends as the signal would have ended
// it, asking nothing. Installs once; the notifier lives as long as `context`.
namespace StopSignals {
bool install(QObject *context, std::function<void()> beforeEnd);
}
