#include "platform/richtextbox/qtstate/BackgroundLayout.h"

#ifdef CORVALA_HAS_QT_LAYOUT_STATE

#include <QObject>

#include <algorithm>
#include <ctime>

namespace {

// Qt's first step, before anything is known of the document's cost.
constexpr int firstStepCharacters = 1000;
// Qt's largest step: beyond it a step says nothing new about the cost.
constexpr int largestStepCharacters = 200000;

// The processor time of this thread: what a step costs, whatever else the machine runs.
double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

} // namespace

void BackgroundLayout::step(QtLayoutState::Layout &layout, QObject &owner,
                            const std::function<void()> &qtStep)
{
    const int from = layout.currentLazyLayoutPosition;
    const double wanted = m_charactersPerMs > 0 ? m_charactersPerMs * sliceMs : firstStepCharacters;
    layout.lazyLayoutStepSize = int(std::clamp(wanted, 1.0, double(largestStepCharacters)));
    const double start = threadMs();
    qtStep();
    const double ms = std::max(threadMs() - start, 0.01);
    const int done = layout.currentLazyLayoutPosition == -1 ? 0 : layout.currentLazyLayoutPosition - from;
    if (done > 0) {
        // Smoothed, so that one slow step (a table, a picture) does not halve the next ones.
        const double rate = done / ms;
        m_charactersPerMs = m_charactersPerMs > 0 ? 0.7 * m_charactersPerMs + 0.3 * rate : rate;
    }
    if (layout.currentLazyLayoutPosition != -1)
        layout.layoutTimer.start(0, &owner);
}

void BackgroundLayout::pauseAfterChange(QtLayoutState::Layout &layout, QObject &owner)
{
    if (layout.currentLazyLayoutPosition != -1)
        layout.layoutTimer.start(pauseAfterChangeMs, &owner);
}

#endif
