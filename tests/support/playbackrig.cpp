#include "tests/support/playbackrig.h"

#include "tools/swfgen/swfwriter.h"

FakeFlashControl::Timeline MakeTimeline(int frames, double rate)
{
    FakeFlashControl::Timeline t;
    t.frameCount = frames;
    t.frameRate = rate;
    return t;
}

bool WriteTimelineMovie(FakeFlashControl& flash, const QString& path, const FakeFlashControl::Timeline& timeline)
{
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = timeline.frameCount;
    movieSpec.frameRate = timeline.frameRate;
    flash.setTimeline(path, timeline);
    return swfgen::WriteMovieFile(path, movieSpec);
}

PlaybackRig::PlaybackRig(std::unique_ptr<FakeFlashControl> engine_)
    : engine(std::move(engine_)), flash(*engine), transport(flash, rows, host, settings)
{
    settings.FastFrames = DefaultFastFrames;
    settings.LoopTimeOut = DefaultLoopTimeOut;
    // The player holds the last frame instead of looping, as the program configures it at start-up.
    flash.SetLoop(false);
    monitor().setClock([] { return QTime(22, 30, 50); });
}
