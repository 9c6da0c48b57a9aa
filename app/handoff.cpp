#include "app/handoff.h"

#include <QDir>
#include <QUrl>
#include <QtEndian>

namespace {

constexpr QByteArrayView Magic = "QBRW";
constexpr qsizetype HeaderSize = 8;

} // namespace

QString HandOffText(const QString& path)
{
    return HandOffPrefix.toString() + path;
}

std::optional<QString> HandOffPath(const QString& text)
{
    if (!text.startsWith(HandOffPrefix, Qt::CaseInsensitive))
        return std::nullopt;
    return text.mid(HandOffPrefix.size());
}

QString CommandLinePath(const QString& argument, const QString& workingFolder)
{
    QString path = argument;
    // Only a balanced pair goes: a lone quote is part of the name, not something to cut a
    // character off for.
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
        path = path.sliced(1, path.size() - 2);
    if (path.isEmpty())
        return path;
    if (path.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        const QUrl url(path);
        if (url.isLocalFile())
            path = url.toLocalFile();
    }
    return QDir::isAbsolutePath(path) ? QDir::cleanPath(path) : QDir::cleanPath(workingFolder + u'/' + path);
}

QByteArray EncodeHandOff(const HandOffMessage& message)
{
    QByteArray payload = message.activationToken.toUtf8() + '\0' + message.text.toUtf8();
    for (const QString& text : message.moreTexts)
        payload += '\0' + text.toUtf8();
    QByteArray bytes(Magic.data(), Magic.size());
    char length[4];
    qToBigEndian(static_cast<quint32>(payload.size()), length);
    bytes.append(length, 4);
    bytes.append(payload);
    return bytes;
}

DecodeResult DecodeHandOff(QByteArrayView received)
{
    const qsizetype magicSeen = std::min(received.size(), Magic.size());
    if (received.first(magicSeen) != Magic.first(magicSeen))
        return { DecodeStatus::Invalid, {} };
    if (received.size() < HeaderSize)
        return { DecodeStatus::NeedMore, {} };
    const quint32 length = qFromBigEndian<quint32>(received.data() + 4);
    if (length > MaxHandOffPayload)
        return { DecodeStatus::Invalid, {} };
    if (received.size() < HeaderSize + qsizetype(length))
        return { DecodeStatus::NeedMore, {} };
    if (received.size() > HeaderSize + qsizetype(length))
        return { DecodeStatus::Invalid, {} }; // one message per connection
    const QByteArrayView payload = received.sliced(HeaderSize, length);
    if (!payload.contains('\0'))
        return { DecodeStatus::Invalid, {} };
    HandOffMessage message;
    const QList<QByteArray> parts = payload.toByteArray().split('\0');
    message.activationToken = QString::fromUtf8(parts.at(0));
    message.text = QString::fromUtf8(parts.at(1));
    for (qsizetype i = 2; i < parts.size(); ++i)
        message.moreTexts.append(QString::fromUtf8(parts.at(i)));
    return { DecodeStatus::Complete, message };
}
