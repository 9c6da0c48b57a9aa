#pragma once

#include "playback/engineprocess.h"
#include "playback/rufflecontrol.h"
#include "tests/support/eventwait.h"
#include "tools/swfgen/swfwriter.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

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

// The real engine in a shown view: starting it costs seconds, so a test shares one across its cases.
inline RuffleFlashControl* ShownEngine(QObject* parent, QSize size)
{
    auto* flash = new RuffleFlashControl(parent);
    flash->widget()->resize(size);
    flash->widget()->show();
    return flash;
}

// The path the movie was written at, or nothing when it could not be written.
inline QString WrittenMovie(const QString& path, const swfgen::MovieSpec& movie)
{
    return swfgen::WriteMovieFile(path, movie) ? path : QString();
}

// Loads a movie and waits for its ready report; false when none came.
inline bool LoadAndWait(FlashControl& flash, const QString& path)
{
    QSignalSpy ready(&flash, &FlashControl::OnReadyStateChange);
    flash.LoadMovie(0, path);
    return ready.wait(20000) || ready.count() > 0;
}
