#pragma once

#include <functional>

class QObject;

// SIGTERM and SIGHUP (a logout, a closed terminal, the system shutting down) reach the window's
// thread instead of ending the program on the spot: the handler only writes the signal's
// number to a pipe, which the event loop watches. `beforeEnd` then runs on the window's thread
// (it brings the recovery copy up to date), and the program ends as the signal would have ended
// it, asking nothing. Installs once; the notifier lives as long as `context`.
//
// The window's thread may be busy for minutes (a huge paste) and hear of the signal only then,
// while whoever sent it waits, and kills the program soon after. So the handler also wakes a
// thread of its own that ends the program a few seconds later, by the same signal, if the
// window's thread has not done so by then: the recovery copy on the disk is then the last one
// written, which is whole (copies are put in place by a rename), and the document, perhaps in
// the middle of a change, is not read.
namespace StopSignals {
bool install(QObject *context, std::function<void()> beforeEnd);
}
