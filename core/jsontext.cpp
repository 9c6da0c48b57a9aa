#include "core/jsontext.h"

#include <QJsonArray>
#include <QJsonDocument>

QString JsonString(const QString& text)
{
    // Let Qt do the escaping: a one-element array, brackets cut off.
    const QByteArray array = QJsonDocument(QJsonArray { text }).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString JsonBool(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }
