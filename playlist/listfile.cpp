#include "playlist/listfile.h"

#include "core/fileexists.h"
#include "core/transportcontrol.h"
#include "playlist/playlistmodel.h"

#include <QFile>
#include <QFileInfo>

QByteArray ListFileBytes(const PlaylistModel& model)
{
    QByteArray bytes;
    const int n = model.RowCount();
    bytes.reserve(qsizetype(n) * 64);
    for (int row = 1; row <= n; ++row) {
        const PlaylistItem& item = model.Item(row);
        bytes += ListFileLineBytes(item.FilePath, item.TimeShort, item.TimeFull);
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
