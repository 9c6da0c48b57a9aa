// swfgen: writes a small SWF movie, for fixtures and demo playlists.
//   swfgen [options] OUTPUT.swf
#include "tools/swfgen/demoscene.h"
#include "tools/swfgen/swfwriter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

// "40" or "40:1" -> frame 40 with an optional target frame.
bool parseFrameAction(const QString& text, swfgen::Action::Kind kind, swfgen::MovieSpec& movieSpec)
{
    const QStringList parts = text.split(u':');
    bool okFrame = false, okTarget = true;
    const int frame = parts.value(0).toInt(&okFrame);
    const int target = parts.size() > 1 ? parts[1].toInt(&okTarget) : 1;
    if (!okFrame || !okTarget || frame < 1)
        return false;
    movieSpec.actions[frame].push_back({ kind, target });
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("swfgen"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a small SWF movie with a moving square."));
    parser.addHelpOption();
    const QCommandLineOption compression(QStringLiteral("compression"), QStringLiteral("none, zlib or lzma"),
        QStringLiteral("kind"), QStringLiteral("none"));
    const QCommandLineOption version(QStringLiteral("swf-version"), QStringLiteral("SWF version byte"),
        QStringLiteral("n"), QStringLiteral("8"));
    const QCommandLineOption frames(QStringLiteral("frames"), QStringLiteral("frames"), QStringLiteral("n"),
        QStringLiteral("48"));
    const QCommandLineOption rate(QStringLiteral("rate"), QStringLiteral("frames per second"), QStringLiteral("fps"),
        QStringLiteral("24"));
    const QCommandLineOption size(QStringLiteral("size"), QStringLiteral("stage size in pixels"),
        QStringLiteral("WxH"), QStringLiteral("550x400"));
    const QCommandLineOption as3(QStringLiteral("as3"), QStringLiteral("mark the movie as ActionScript 3"));
    const QCommandLineOption stopAt(QStringLiteral("stop-at"), QStringLiteral("stop() on frame n"), QStringLiteral("n"));
    const QCommandLineOption gotoAt(QStringLiteral("goto-at"), QStringLiteral("gotoAndPlay(m) on frame n"),
        QStringLiteral("n:m"));
    const QCommandLineOption color(QStringLiteral("color"), QStringLiteral("square colour, RRGGBB"),
        QStringLiteral("hex"), QStringLiteral("F0A030"));
    const QCommandLineOption background(QStringLiteral("background"), QStringLiteral("stage colour, RRGGBB"),
        QStringLiteral("hex"), QStringLiteral("203040"));
    const QCommandLineOption pad(QStringLiteral("pad"), QStringLiteral("bytes of padding"), QStringLiteral("n"),
        QStringLiteral("0"));
    const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("add shapes in motion and a chime"));
    parser.addOptions({ compression, version, frames, rate, size, as3, stopAt, gotoAt, color, background, pad, demo });
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("file to write"));
    parser.process(app);

    auto fail = [](const QString& message) {
        std::fprintf(stderr, "swfgen: %s\n", qPrintable(message));
        return 2;
    };
    if (parser.positionalArguments().size() != 1)
        return fail(QStringLiteral("give exactly one output file"));

    swfgen::MovieSpec movieSpec;
    const QString kind = parser.value(compression);
    if (kind == u"zlib")
        movieSpec.compression = swfgen::Compression::Zlib;
    else if (kind == u"lzma")
        movieSpec.compression = swfgen::Compression::Lzma;
    else if (kind != u"none")
        return fail(QStringLiteral("unknown compression: ") + kind);
    movieSpec.version = static_cast<uint8_t>(parser.value(version).toUInt());
    movieSpec.frameCount = parser.value(frames).toInt();
    movieSpec.frameRate = parser.value(rate).toDouble();
    const QStringList wh = parser.value(size).split(u'x');
    movieSpec.width = wh.value(0).toInt();
    movieSpec.height = wh.value(1).toInt();
    movieSpec.actionScript3 = parser.isSet(as3);
    movieSpec.shapeColor = parser.value(color).toUInt(nullptr, 16);
    movieSpec.background = parser.value(background).toUInt(nullptr, 16);
    movieSpec.paddingBytes = parser.value(pad).toLongLong();
    if (movieSpec.frameCount < 1 || movieSpec.frameCount > 65535 || movieSpec.width < 1 || movieSpec.height < 1)
        return fail(QStringLiteral("frames must be 1-65535 and the size positive"));
    for (const QString& v : parser.values(stopAt)) {
        if (!parseFrameAction(v, swfgen::Action::Kind::Stop, movieSpec))
            return fail(QStringLiteral("bad --stop-at: ") + v);
    }
    for (const QString& v : parser.values(gotoAt)) {
        if (!parseFrameAction(v, swfgen::Action::Kind::GotoAndPlay, movieSpec))
            return fail(QStringLiteral("bad --goto-at: ") + v);
    }
    if (parser.isSet(demo))
        swfgen::AddDemoScene(movieSpec);
    if (!swfgen::WriteMovieFile(parser.positionalArguments().first(), movieSpec))
        return fail(QStringLiteral("cannot write ") + parser.positionalArguments().first());
    return 0;
}
