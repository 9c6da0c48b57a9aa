#include "playback/moviesaves.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

// Text escaped at its worst (\u0000 for every character) stays within this; more is not ours.
constexpr qint64 MaxFileBytes = 6 * MovieSaves::MaxChars + 4096;

QString movieKey(const QString& moviePath)
{
    return QDir::cleanPath(QFileInfo(moviePath).absoluteFilePath());
}

} // namespace

QString MovieSaves::fileFor(const QString& moviePath) const
{
    const QByteArray hash = QCryptographicHash::hash(movieKey(moviePath).toUtf8(), QCryptographicHash::Sha256);
    return m_folder + u'/' + QString::fromLatin1(hash.toHex().left(32)) + u".json";
}

QVariantMap MovieSaves::capped(const QVariantMap& entries)
{
    QVariantMap kept;
    qsizetype size = 0;
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it) {
        if (it.value().typeId() != QMetaType::QString)
            continue;
        const qsizetype entry = it.key().size() + it.value().toString().size();
        if (size + entry > MaxChars)
            continue;
        size += entry;
        kept.insert(it.key(), it.value());
    }
    return kept;
}

QVariantMap MovieSaves::load(const QString& moviePath) const
{
    if (m_folder.isEmpty())
        return {};
    QFile file(fileFor(moviePath));
    if (file.size() > MaxFileBytes || !file.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject saved = QJsonDocument::fromJson(file.read(MaxFileBytes)).object();
    if (saved.value(u"movie").toString() != movieKey(moviePath))
        return {};
    return capped(saved.value(u"entries").toObject().toVariantMap());
}

bool MovieSaves::store(const QString& moviePath, const QVariantMap& entries) const
{
    if (m_folder.isEmpty())
        return false;
    const QString path = fileFor(moviePath);
    const QVariantMap kept = capped(entries);
    if (kept.isEmpty())
        return !QFileInfo::exists(path) || QFile::remove(path);
    if (!QDir().mkpath(m_folder))
        return false;
    QJsonObject saved;
    saved.insert(u"movie", movieKey(moviePath));
    saved.insert(u"entries", QJsonObject::fromVariantMap(kept));
    const QByteArray text = QJsonDocument(saved).toJson(QJsonDocument::Compact);
    // Unbuffered: a buffered write that a full disk cuts short at commit is committed all the same,
    // truncated. A short write here leaves the file before it instead.
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(text) == text.size() && file.commit();
}
