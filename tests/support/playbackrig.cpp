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
    const QString path = dir.filePath(name);
    WriteTimelineMovie(flash, path, timeline);
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

void PlaybackRig::addRows(int count, int frames)
{
    for (int i = 1; i <= count; ++i)
        addMovie(QStringLiteral("m%1.swf").arg(i), frames);
}

void PlaybackRig::startRows(int count, int frames)
{
    addRows(count, frames);
    transport.SetCurrFileIndex(1);
    transport.PlayerBtns_Click(Transport::CmdPlay);
    flash.advance(0);
}

void PlaybackRig::sample(int frame)
{
    flash.forceFrame(frame);
    monitor().TimerPlay_Timer();
}

bool PlaybackRig::playingRow(int row) const
{
    return transport.CurrFileIndex() == row && flash.Movie() == rows.FilePath(row)
        && transport.PlayState() == Transport::Playing;
}

int PlaybackRig::loads() const
{
    return int(flash.calls.filter(QStringLiteral("LoadMovie 0 /")).size());
}
