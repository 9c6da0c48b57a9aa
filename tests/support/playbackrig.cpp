#include "tests/support/playbackrig.h"

#include "tools/swfgen/swfwriter.h"

FakeFlashControl::Timeline MakeTimeline(int frames, double rate)
{
    return { .frameRate = rate, .frameCount = frames };
}

bool WriteTimelineMovie(FakeFlashControl& flash, const QString& path, const FakeFlashControl::Timeline& timeline)
{
    const swfgen::MovieSpec movieSpec { .frameRate = timeline.frameRate, .frameCount = timeline.frameCount };
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
