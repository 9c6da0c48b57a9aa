#include "playlist/listfile.h"

#include "core/fileexists.h"
#include "core/transportcontrol.h"
#include "playlist/playlistmodel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

QString resolve(const QString& path, const QString& listFolder)
{
    if (path.startsWith(QStringLiteral("file://"), Qt::CaseInsensitive)) {
        const QString local = QUrl(path).toLocalFile();
        return local.isEmpty() ? path : local;
    }
    if (path.contains(QStringLiteral("://")) || listFolder.isEmpty() || !QDir::isRelativePath(path)
        || isForeignAbsolute(path))
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
        if (line.isEmpty() || line.startsWith(u'#'))
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
    if ((path.contains(u'\n') || path.contains(u'\r')) && QDir::isAbsolutePath(path))
        return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    return path;
}
} // namespace

QByteArray ListFileBytes(const PlaylistModel& model)
{
    QByteArray bytes;
    const int n = model.RowCount();
    bytes.reserve(qsizetype(n) * 64);
    for (int row = 1; row <= n; ++row) {
        const PlaylistItem& item = model.Item(row);
        bytes += pathField(item.FilePath).toUtf8();
        bytes += '|';
        bytes += item.TimeShort.toUtf8();
        bytes += '|';
        bytes += item.TimeFull.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

WriteResult WriteListFile(const PlaylistModel& model, const QString& path)
{
    return WriteFileAtomically(path, ListFileBytes(model));
}

bool AppendListFile(PlaylistModel& model, const QString& ListFile)
{
    if (!IsListFile(ListFile))
        return true;
    if (!FileExists(ListFile))
        return false;
    QFile file(ListFile);
    // Only regular files: reading a named pipe would wait forever.
    if (QFileInfo(ListFile).isFile() && file.open(QIODevice::ReadOnly)) {
        const QList<ListFileLine> lines = ParseListFile(file.readAll(), QFileInfo(ListFile).absolutePath());
        PlaylistModel::Batch batch(model);
        for (const ListFileLine& line : lines) {
            if (line.hasFields) {
                const int row = model.AddFileToList(line.path, false, false);
                if (row > 0)
                    model.SetDurations(row, line.timeShort, line.timeFull);
            } else {
                model.AddFileToList(line.path, false, true);
            }
        }
    }
    return true;
}

bool OpenListFile(PlaylistModel& model, TransportControl& transport, const QString& ListFile)
{
    const int oldCount = model.RowCount();
    if (IsListFile(ListFile)) {
        if (!FileExists(ListFile))
            return false;
        transport.SetPlayState(TransportControl::Stopped);
        AppendListFile(model, ListFile);
    }
    if (model.RowCount() > oldCount) {
        transport.SetCurrFileIndex(oldCount + 1);
        transport.PlayerBtns_Click(TransportControl::CmdPlay);
    }
    return true;
}
