#include "playback/movieprep.h"

#include "playback/avm1probe.h"
#include "playback/avm2probe.h"
#include "playback/swfcontainer.h"
#include "playback/swftags.h"

#include <QFile>
#include <QFileInfo>

PreparedMovie PrepareMovie(const QByteArray& file, const PrepareOptions& options)
{
    PreparedMovie movie;
    UncompressedSwf plain = DecodeSwfContainer(file);
    if (!plain.error.isEmpty()) {
        movie.error = plain.error;
        return movie;
    }
    movie.version = plain.version;
    movie.truncated = plain.truncated;
    movie.fws = std::move(plain.fws);

    const SwfTagLayout layout = ScanSwfTags(movie.fws);
    movie.showFrames = layout.showFrames;
    movie.actionScript3 = layout.actionScript3;
    if (!layout.error.isEmpty()) {
        movie.noProbeReason = layout.error;
        return movie;
    }

    QByteArray start;
    QByteArray end;
    if (layout.actionScript3 && options.loadedPart) {
        movie.noProbeReason = QStringLiteral("an ActionScript 3 part never holds the root");
        return movie;
    }
    if (layout.actionScript3) {
        const Avm2Probe::Injection injection = Avm2Probe::Build(layout, layout.showFrames);
        if (!injection.error.isEmpty()) {
            movie.noProbeReason = injection.error;
            return movie;
        }
        start = injection.frameOneTags;
        movie.probe = ProbeKind::ActionScript3;
        movie.holdsLastFrame = layout.showFrames > 0; // the probe itself stops the root there
    } else {
        start = EncodeSwfTag(SwfTagCode::DoAction, Avm1Probe::RegisterCallbacks(options.identity, layout.showFrames));
        if (layout.showFrames > 0)
            end = EncodeSwfTag(SwfTagCode::DoAction, Avm1Probe::HoldLastFrame(layout.showFrames, options.identity));
        movie.probe = ProbeKind::ActionScript12;
        movie.holdsLastFrame = !end.isEmpty();
    }
    // One copy of the movie with the tags in place; the probe's end, if any, lies after its start.
    const QByteArrayView bytes(movie.fws);
    const qsizetype endAt = end.isEmpty() ? bytes.size() : layout.lastShowFrame;
    QByteArray out;
    out.reserve(bytes.size() + start.size() + end.size());
    out.append(bytes.first(layout.frameOneStart)).append(start);
    out.append(bytes.sliced(layout.frameOneStart, endAt - layout.frameOneStart))
        .append(end)
        .append(bytes.sliced(endAt));
    FixSwfLength(out);
    movie.fws = std::move(out);
    return movie;
}

PreparedMovie PrepareMovieFile(const QString& path, const PrepareOptions& options)
{
    PreparedMovie movie;
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile())
        movie.error = info.exists() ? QStringLiteral("not a file") : QStringLiteral("file not found");
    else if (!file.open(QIODevice::ReadOnly))
        movie.error = file.errorString();
    else if (file.size() > MaxDecodedMovieBytes)
        movie.error = QStringLiteral("movie too large");
    else if (file.size() == 0)
        movie.error = QStringLiteral("empty file");
    return movie.error.isEmpty() ? PrepareMovie(file.readAll(), options) : movie;
}
