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
