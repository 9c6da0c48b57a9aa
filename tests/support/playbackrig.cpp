#include "tests/support/playbackrig.h"

#include "tests/support/swfwriter.h"

FakeFlashControl::Timeline MakeTimeline(int frames, double rate)
{
    FakeFlashControl::Timeline t;
    t.frameCount = frames;
    t.frameRate = rate;
    return t;
}

PlaybackRig::PlaybackRig(std::unique_ptr<FakeFlashControl> engine_)
    : engine(std::move(engine_))
    , flash(*engine)
    , transport(flash, rows, host, settings)
{
    settings.FastFrames = DefaultFastFrames;
    settings.LoopTimeOut = DefaultLoopTimeOut;
    // The player holds the last frame instead of looping, as the program configures it at start-up.
    flash.SetLoop(false);
    monitor().setClock([] { return QTime(22, 30, 50); });
}

QString PlaybackRig::addMovie(const QString& name, const FakeFlashControl::Timeline& timeline)
{
    swfgen::MovieSpec spec;
    spec.frameCount = timeline.frameCount;
    spec.frameRate = timeline.frameRate;
    const QString path = dir.filePath(name);
    swfgen::WriteMovieFile(path, spec);
    flash.setTimeline(path, timeline);
    rows.Append(path);
    return path;
}

QString PlaybackRig::addMovie(const QString& name, int frames, double rate)
{
    return addMovie(name, MakeTimeline(frames, rate));
}

QString PlaybackRig::addMissing(const QString& name)
{
    const QString path = dir.filePath(name);
    rows.Append(path);
    return path;
}

void PlaybackRig::tick(int ms)
{
    flash.advance(ms);
    monitor().TimerPlay_Timer();
}
