#pragma once

#include "playback/engineprocess.h"

#include <QApplication>
#include <QTest>

// main() for tests that run the real engine: the engine's process setup must come before the
// application object, which QTEST_MAIN does not allow for.
#define QUEN_ENGINE_TEST_MAIN(TestObject)                                                                              \
    int main(int argc, char* argv[])                                                                                   \
    {                                                                                                                  \
        PrepareEngineProcess();                                                                                        \
        QApplication app(argc, argv);                                                                                  \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
