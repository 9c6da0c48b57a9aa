#pragma once

#include "tests/support/fakeflashcontrol.h"

#include <QList>

// The simulated engine, except that a skip off a stuck frame is answered only when the test says
// so, as the real engine answers from its own process.
class DeferredSkipEngine : public FakeFlashControl {
public:
    void SkipStuckFrame(int lastFrame) override;
    // Reports the outcome of the oldest attempt. A frame reached other than the attempt's own is
    // where the engine now is; an attempt that moved nothing leaves the frame as it is.
    void answer(int reached);

    QList<int> asked;
};
