#include "playback/lookahead.h"

#include "playback/swfcontainer.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QThreadPool>

namespace {

// What tells one file at a path from another: a rename over it changes the change time, an edit
// the modification time or the size.
struct FileIdentity {
    qint64 size = -1;
    qint64 modified = 0;
    qint64 changed = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    return FileIdentity { info.size(), info.lastModified().toMSecsSinceEpoch(),
        info.metadataChangeTime().toMSecsSinceEpoch() };
}

qint64 availableMemoryBytes()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : meminfo.readAll().split('\n')) {
        if (line.startsWith("MemAvailable:"))
            return line.mid(13).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

// The size the movie has once uncompressed, from its header; -1 when it is no movie.
qint64 uncompressedSize(QFile& file)
{
    const QByteArray head = file.read(8);
    if (head.size() < 8 || !(head.startsWith("FWS") || head.startsWith("CWS") || head.startsWith("ZWS")))
        return -1;
    const auto* b = reinterpret_cast<const uchar*>(head.constData());
    return qint64(b[4]) | qint64(b[5]) << 8 | qint64(b[6]) << 16 | qint64(b[7]) << 24;
}

} // namespace

struct Lookahead::State {
    QMutex mutex;
    quint64 generation = 0;
    QString path;
    QByteArray movieIdentity; // the name the probe of the prepared bytes answers with
    FileIdentity identity;
    std::optional<PreparedMovie> movie;
};

Lookahead::Lookahead() : m_state(std::make_shared<State>()) { }

Lookahead::~Lookahead() { drop(); }

qint64 Lookahead::memoryBudget(qint64 maxBytes)
{
    const qint64 available = availableMemoryBytes();
    return available < 0 ? maxBytes : std::min(maxBytes, available / 4);
}

void Lookahead::prepare(const QString& path, const PrepareOptions& options)
{
    quint64 generation = 0;
    {
        QMutexLocker lock(&m_state->mutex);
        if (path.isEmpty() || (m_state->path == path && m_state->movieIdentity == options.identity))
            return; // held already, or on its way
        generation = ++m_state->generation;
        m_state->path = path;
        m_state->movieIdentity = options.identity;
        m_state->movie.reset();
    }
    // The job holds the state, not this object: it may finish after the program let go of it.
    QThreadPool::globalInstance()->start([state = m_state, path, options, generation] {
        const std::optional<FileIdentity> before = identityOf(path);
        QFile file(path);
        if (!before || !file.open(QIODevice::ReadOnly))
            return;
        const qint64 budget = memoryBudget(MaxDecodedMovieBytes);
        const qint64 decoded = uncompressedSize(file);
        if (decoded < 0 || decoded > budget || file.size() > budget)
            return;
        file.seek(0);
        PreparedMovie movie = PrepareMovie(file.readAll(), options);
        // Changed while it was read: what was read may be half of each.
        if (identityOf(path) != before || !movie.error.isEmpty())
            return;
        QMutexLocker lock(&state->mutex);
        if (state->generation == generation) {
            state->identity = *before;
            state->movie = std::move(movie);
        }
    });
}

void Lookahead::drop()
{
    QMutexLocker lock(&m_state->mutex);
    ++m_state->generation;
    m_state->path.clear();
    m_state->movie.reset();
}

std::optional<PreparedMovie> Lookahead::take(const QString& path, const QByteArray& movieIdentity)
{
    std::optional<PreparedMovie> movie;
    FileIdentity identity;
    {
        QMutexLocker lock(&m_state->mutex);
        if (m_state->path != path || m_state->movieIdentity != movieIdentity || !m_state->movie)
            return std::nullopt;
        movie = std::exchange(m_state->movie, std::nullopt);
        identity = m_state->identity;
        m_state->path.clear();
        ++m_state->generation;
    }
    if (identityOf(path) != identity)
        return std::nullopt;
    return movie;
}
