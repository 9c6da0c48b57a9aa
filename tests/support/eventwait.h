#pragma once

#include <functional>

// Waits until done() holds or timeoutMs passed, running a real event loop meanwhile; true when
// done() held. QTest::qWaitFor sleeps between its rounds of events, which holds up the web
// engine's messages to this process by far more than the sleep itself.
bool WaitInEventLoop(const std::function<bool()>& done, int timeoutMs);
