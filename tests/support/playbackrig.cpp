#include "tests/support/playbackrig.h"

#include "tools/swfgen/swfwriter.h"

FakeFlashControl::Timeline MakeTimeline(const QString& text)
{
    const QStringList w = text.split(u' ');
    FakeFlashControl::Timeline t { .frameRate = 10.0, .frameCount = w.at(0).toInt() };
    for (const QString& x : w.mid(1)) {
        const int n = x.mid(1).section(u'-', 0, 0).toInt();
        for (int f = n; f <= std::max(n, x.section(u'-', 1).toInt()) && x[0] == u'x'; ++f)
            t.unreachable.insert(f);
        x[0] == u's' ? void(t.stopFrames.insert(n)) : x[0] == u'j' ? void(t.jumps.insert(n, 0)) : void();
        t.readyDelayMs = x[0] == u'r' ? n : t.readyDelayMs;
        t.loads = t.loads && x != u"b";
    }
    return t;
}

bool WriteTimelineMovie(FakeFlashControl& flash, const QString& path, const FakeFlashControl::Timeline& timeline)
{
    const swfgen::MovieSpec movie { .frameRate = timeline.frameRate, .frameCount = timeline.frameCount };
    flash.setTimeline(path, timeline);
    return swfgen::WriteMovieFile(path, movie);
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
