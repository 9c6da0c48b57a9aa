#include "playback/enginescheme.h"

#include "playback/enginecode.h"
#include "playback/moviefolder.h"
#include "playback/movieprep.h"
#include "playback/swfcontainer.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QUrl>
#include <QWebEngineUrlRequestJob>

namespace {

// A stage of 1x1 pixels with one empty frame: loading it makes the engine compile its code early.
QByteArray blankMovie()
{
    static const QByteArray movie = [] {
        QByteArray m("FWS\x0a\0\0\0\0", 8);
        m.append("\x30\x0a\x00\xa0", 4); // stage 0..20 twips, 6-bit fields
        m.append("\x00\x18\x01\x00", 4); // 24 fps, one frame
        m.append("\x40\x00\x00\x00", 4); // ShowFrame, End
        const auto length = static_cast<uint32_t>(m.size());
        for (int i = 0; i < 4; ++i)
            m[4 + i] = static_cast<char>((length >> (8 * i)) & 0xff);
        return m;
    }();
    return movie;
}

QByteArray mimeTypeOf(const QString& path)
{
    if (path.endsWith(u".wasm"))
        return "application/wasm";
    if (path.endsWith(u".js"))
        return "text/javascript";
    if (path.endsWith(u".swf"))
        return "application/x-shockwave-flash";
    if (path.endsWith(u".html"))
        return "text/html";
    if (path.endsWith(u".css"))
        return "text/css";
    return QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toUtf8();
}

void replyWith(QWebEngineUrlRequestJob* job, const QByteArray& type, QIODevice* device)
{
    device->setParent(job);
    job->reply(type, device);
}

void replyBytes(QWebEngineUrlRequestJob* job, const QByteArray& type, const QByteArray& bytes)
{
    auto* buffer = new QBuffer;
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    replyWith(job, type, buffer);
}

void replyFile(QWebEngineUrlRequestJob* job, const QString& path)
{
    auto* file = new QFile(path);
    // A named pipe among the movie's neighbours would block the window until something writes to it.
    if (!QFileInfo(path).isFile() || !file->open(QIODevice::ReadOnly)) {
        delete file;
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    replyWith(job, mimeTypeOf(path), file);
}

// The engine's own files, read from the resources once and kept: the 14 MB of WebAssembly then
// goes out of memory at every page start.
void replyResource(QWebEngineUrlRequestJob* job, const QString& path)
{
    static QHash<QString, QByteArray> cache;
    auto it = cache.constFind(path);
    if (it == cache.constEnd()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        it = cache.insert(path, file.readAll());
    }
    replyBytes(job, mimeTypeOf(path), it.value());
}

} // namespace

QString EngineSchemeHandler::setMovie(int gen, const QString& fileName, const QByteArray& bytes, const QString& folder)
{
    m_gen = gen;
    m_fileName = fileName;
    m_bytes = bytes;
    m_folder = folder;
    m_parts = 0;
    QUrl url;
    url.setScheme(QStringLiteral("quen"));
    url.setHost(QStringLiteral("player"));
    url.setPath(QStringLiteral("/movie/%1/").arg(gen) + fileName);
    return url.toString(QUrl::FullyEncoded);
}

void EngineSchemeHandler::clearMovie()
{
    m_gen = -1;
    m_fileName.clear();
    m_bytes.clear();
    m_folder.clear();
}

QByteArray EngineSchemeHandler::page() const
{
    QFile file(QStringLiteral(":/engine/web/player.html"));
    file.open(QIODevice::ReadOnly);
    QByteArray html = file.readAll();
    // The page fetches and compiles the engine's code while the engine's script still loads.
    static const QString code = [] {
        QFile script(QStringLiteral(":/engine/ruffle/ruffle.js"));
        return script.open(QIODevice::ReadOnly) ? EngineCodeFile(script.readAll()) : QString();
    }();
    if (!code.isEmpty())
        html.replace("<html>", QByteArray("<html data-engine-code=\"ruffle/" + code.toLatin1() + "\">"));
    if (!m_policy.isEmpty()) {
        const QByteArray meta = "<meta http-equiv=\"Content-Security-Policy\" content=\"" + m_policy.toUtf8() + "\">";
        html.replace("<!--CSP-->", meta);
    }
    return html;
}

void EngineSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    const QUrl url = job->requestUrl();
    if (job->requestMethod() != "GET" || url.host() != u"player") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString path = url.path(QUrl::FullyDecoded);
    if (path == u"/index.html") {
        replyBytes(job, "text/html", page());
    } else if (path == u"/player.js" || path == u"/player.css") {
        replyResource(job, QStringLiteral(":/engine/web") + path);
    } else if (path.startsWith(u"/ruffle/") && !path.contains(u"..")) {
        replyResource(job, QStringLiteral(":/engine") + path);
    } else if (path == u"/blank.swf") {
        replyBytes(job, "application/x-shockwave-flash", blankMovie());
    } else if (path.startsWith(u"/movie/")) {
        // /movie/<generation>/<path relative to the movie's folder>
        const qsizetype slash = path.indexOf(QLatin1Char('/'), 7);
        bool ok = false;
        const int gen = slash > 0 ? path.mid(7, slash - 7).toInt(&ok) : -1;
        const QString relative = slash > 0 ? path.mid(slash + 1) : QString();
        if (!ok || gen != m_gen || m_gen < 0) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        } else if (relative == m_fileName) {
            replyBytes(job, "application/x-shockwave-flash", m_bytes);
        } else if (const QString file = MovieFolderFile(m_folder, relative); !file.isEmpty()) {
            replyPart(job, file);
        } else {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
        }
    } else {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    }
}

// A movie asked for by the playing one goes through the same preparation: one loaded into level 0
// takes over the root, and then its probe answers and its last frame holds.
void EngineSchemeHandler::replyPart(QWebEngineUrlRequestJob* job, const QString& path)
{
    QFile file(path);
    QByteArray signature;
    if (file.size() <= MaxDecodedMovieBytes && file.open(QIODevice::ReadOnly))
        signature = file.peek(3);
    if (signature != "FWS" && signature != "CWS" && signature != "ZWS") {
        replyFile(job, path);
        return;
    }
    PrepareOptions options;
    options.identity = movieIdentity(m_gen) + "p" + QByteArray::number(++m_parts);
    options.loadedPart = true;
    const QByteArray bytes = file.readAll();
    const PreparedMovie movie = PrepareMovie(bytes, options);
    replyBytes(job, "application/x-shockwave-flash", movie.error.isEmpty() ? movie.fws : bytes);
}
