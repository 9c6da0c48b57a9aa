#include "core/textfile.h"

#include <QSaveFile>
#include <QStringDecoder>

QString DecodeLegacyText(const QByteArray& bytes)
{
    const QByteArrayView view(bytes);

    auto withoutBom = [](QString text) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    };
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return withoutBom(text);

    QStringDecoder gb18030("GB18030");
    if (gb18030.isValid()) {
        text = gb18030.decode(view);
        if (!gb18030.hasError())
            return withoutBom(text);
    }
    // Neither fits: keep what UTF-8 makes of it (replacement characters) rather than lose the line.
    return withoutBom(QString::fromUtf8(view));
}

WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Writing in place would defeat the point: a read-only folder must fail, not truncate the file.
    file.setDirectWriteFallback(false);
    // Unbuffered: with a buffer, Qt 6.4 loses a write error that happens while flushing at commit
    // and renames the truncated file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return { false, file.errorString() };
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return { false, reason };
    }
    if (!file.commit())
        return { false, file.errorString() };
    return { true, {} };
}
