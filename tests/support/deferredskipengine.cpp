#include "tests/support/deferredskipengine.h"

void DeferredSkipEngine::SkipStuckFrame(int lastFrame)
{
    calls.append(QStringLiteral("SkipStuckFrame %1").arg(lastFrame));
    asked.append(lastFrame);
}

void DeferredSkipEngine::answer(int reached)
{
    const int from = asked.takeFirst();
    if (reached != from) {
        forceFrame(reached);
        Play();
    }
    emit StuckFrameSkipped(from, reached);
}

void DeferredSkipEngine::answerAsSimulated()
{
    while (!asked.isEmpty()) {
        const int from = asked.first();
        int reached = from;
        {
            // The simulated engine's own attempt, its outcome signal held back for answer().
            const QSignalBlocker quiet(this);
            FakeFlashControl::SkipStuckFrame(from);
            reached = FrameNum();
            calls.removeLast();
            forceFrame(from);
        }
        answer(reached);
    }
}
