#pragma once

#include "platform/richtextbox/qtstate/QtLayoutState.h"

#ifdef CORVALA_HAS_QT_LAYOUT_STATE

#include <functional>

class QObject;

// Paces Qt's layout of the rest of a document in the background (after Open, or after a change to
// most of the document). Qt lays out a step at a time on a 10 ms timer, doubling the step up to
// 200,000 characters: tens of milliseconds during which a key waits. Here each step is sized from
// what the steps before it cost to last about sliceMs of processor time; Qt stops a step only at
// its places to start again, 2000 pixels apart, so a step is in practice one such stretch (about
// 4 ms of ordinary text). The next step follows as soon as nothing else waits, except after a
// change: then the screen is drawn and the next key taken first.
class BackgroundLayout
{
public:
    static constexpr int sliceMs = 2;
    static constexpr int pauseAfterChangeMs = 40;

    // Lays out one step of about sliceMs through `qtStep` (Qt's own step, which lays out
    // lazyLayoutStepSize characters and on to the next place it may stop).
    void step(QtLayoutState::Layout &layout, QObject &owner, const std::function<void()> &qtStep);
    // After a change, while the rest is still being laid out: the next step waits a little.
    static void pauseAfterChange(QtLayoutState::Layout &layout, QObject &owner);

private:
    double m_charactersPerMs = 0; // learnt from the steps so far; 0 before the first
};

#endif
