#include "playlist/addfilesjob.h"

#include "core/transportcontrol.h"
#include "playlist/listfile.h"
#include "playlist/playlistmodel.h"

#include <QElapsedTimer>

AddFilesJob::AddFilesJob(
    PlaylistModel& model, TransportControl& transport, const QStringList& paths, Origin origin, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_transport(transport)
    , m_collector(paths)
    , m_origin(origin)
    , m_wasEmpty(model.RowCount() < 1)
    , m_oldCount(model.RowCount())
{
}

bool AddFilesJob::RunFor(int budgetMs)
{
    if (m_done)
        return true;
    QElapsedTimer clock;
    clock.start();
    bool more = true;
    {
        PlaylistModel::Batch batch(m_model);
        QString path;
        do {
            more = !m_cancelled && m_collector.Next(path);
            if (more) {
                ++m_collected;
                addOne(path);
            }
        } while (more && clock.elapsed() < budgetMs);
    }
    emit Progress(m_collected);
    if (!more)
        finish();
    return m_done;
}

void AddFilesJob::addOne(const QString& path)
{
    if (m_origin == Origin::Drop && IsListFile(path))
        OpenListFile(m_model, m_transport, path);
    else
        m_model.AddFileToList(path, false, true);
}

void AddFilesJob::finish()
{
    m_done = true;
    const int rows = m_model.RowCount();
    if (m_origin == Origin::OpenDialog) {
        // Only rows this job added can start; nothing chosen was a movie, nothing changes.
        if (m_transport.PlayState() != TransportControl::Playing && rows > m_oldCount) {
            m_transport.SetCurrFileIndex(m_oldCount + 1);
            m_transport.SetPlayState(TransportControl::Stopped);
            m_transport.PlayerBtns_Click(TransportControl::CmdPlay);
        }
    } else if (m_wasEmpty && rows >= 1) {
        m_transport.SetCurrFileIndex(1);
        m_transport.PlayerBtns_Click(TransportControl::CmdPlay);
    }
    emit Done();
}
