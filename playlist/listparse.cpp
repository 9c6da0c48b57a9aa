#include "playlist/listparse.h"

#include "core/textfile.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

namespace {

bool looksLikeDuration(QStringView text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+:)?\\d+:\\d\\d$"));
    return text.isEmpty() || pattern.match(text).hasMatch();
}

// Paths written on Windows ("D:\Flash\a.swf", "\\server\share\a.swf") are absolute there; joining
// them to our folder would only make a second wrong path.
bool isForeignAbsolute(const QString& path)
{
    if (path.startsWith(QStringLiteral("\\\\")))
        return true;
    return path.size() >= 3 && path.at(0).isLetter() && path.at(1) == u':'
        && (path.at(2) == u'\\' || path.at(2) == u'/');
}

// Qt takes ":name" for one of its resources; on disk it is a file name like any other.
bool isRelative(const QString& path)
{
    return path.startsWith(u':') || QDir::isRelativePath(path);
}

QString resolve(const QString& path, const QString& listFolder)
{
    // Without a host the rest is the path itself, percent-encoded. Decoded here rather than by QUrl,
    // which takes "#" for a fragment and turns characters such as U+FFFF into replacement marks.
    if (path.startsWith(QStringLiteral("file:///"), Qt::CaseInsensitive))
        return QString::fromUtf8(QByteArray::fromPercentEncoding(path.sliced(7).toUtf8()));
    if (path.startsWith(QStringLiteral("file://"), Qt::CaseInsensitive)) {
        const QString local = QUrl(path).toLocalFile();
        return local.isEmpty() ? path : local;
    }
    if (path.contains(QStringLiteral("://")) || listFolder.isEmpty() || !isRelative(path) || isForeignAbsolute(path))
        return path;
    // A collection copied from Windows with its list: "动画\a.swf" is the file a.swf in the folder 动画.
    return QDir::cleanPath(listFolder + u'/' + QString(path).replace(u'\\', u'/'));
}

ListFileLine parseLine(const QString& line, const QString& listFolder)
{
    ListFileLine entry;
    if (!line.contains(u'|')) {
        entry.path = resolve(line, listFolder);
        return entry;
    }
    entry.hasFields = true;
    const QStringList fields = line.split(u'|');
    // Our own lines end in exactly two duration fields; taking those from the right keeps a "|"
    // inside a path (legal on Linux) from cutting the path short.
    if (fields.size() > 3 && !fields.first().endsWith(u".swf", Qt::CaseInsensitive)
        && looksLikeDuration(fields.at(fields.size() - 2)) && looksLikeDuration(fields.last())) {
        entry.path = fields.mid(0, fields.size() - 2).join(u'|');
        entry.timeShort = fields.at(fields.size() - 2);
        entry.timeFull = fields.last();
    } else {
        entry.path = fields.at(0);
        entry.timeShort = fields.value(1);
        entry.timeFull = fields.value(2);
    }
    entry.path = resolve(entry.path, listFolder);
    return entry;
}

} // namespace

bool IsListFile(const QString& path)
{
    return path.size() >= 4 && path.endsWith(u".m3u", Qt::CaseInsensitive);
}

QList<ListFileLine> ParseListFile(const QByteArray& bytes, const QString& listFolder)
{
    const QString text = DecodeLegacyText(bytes);
    QList<ListFileLine> lines;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        // Other players' header and info lines; one that happens to end in ".swf" is still no row.
        // Nor is a line longer than any path a system allows (32,767 characters) with its fields:
        // it names no file, and a list row of megabytes would only stall every redraw.
        if (line.isEmpty() || line.startsWith(u'#') || line.size() > 32767 + 64)
            continue;
        lines.append(parseLine(line.toString(), listFolder));
    }
    return lines;
}

namespace {
// A line break in a name (legal on Linux) would split the line; such a path is written as a file
// URL, which the reader turns back into the path.
QString pathField(const QString& path)
{
    if ((path.contains(u'\n') || path.contains(u'\r')) && !isRelative(path))
        // Encoded by hand: QUrl::fromLocalFile would take "//x" for a host and drop it.
        return QStringLiteral("file://") + QString::fromLatin1(QUrl::toPercentEncoding(path, "/"));
    return path;
}
} // namespace

QByteArray ListFileLineBytes(const QString& path, const QString& timeShort, const QString& timeFull)
{
    return pathField(path).toUtf8() + '|' + timeShort.toUtf8() + '|' + timeFull.toUtf8() + "\r\n";
}
