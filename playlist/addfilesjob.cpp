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
{
}

void AddFilesJob::begin()
{
    m_started = true;
    m_wasEmpty = m_model.RowCount() < 1;
    noteTransport();
}

void AddFilesJob::noteTransport()
{
    m_seenIndex = m_transport.CurrFileIndex();
    m_seenState = m_transport.PlayState();
}

bool AddFilesJob::transportAsLeft() const
{
    return m_transport.CurrFileIndex() == m_seenIndex && m_transport.PlayState() == m_seenState;
}

bool AddFilesJob::RunFor(int budgetMs)
{
    if (m_done)
        return true;
    if (!m_started)
        begin();
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
    const int before = m_model.RowCount();
    if (m_origin == Origin::Drop && IsListFile(path)) {
        // The list starts its own first row: that is this job's doing, not someone else's.
        OpenListFile(m_model, m_transport, path);
        noteTransport();
    } else {
        m_model.AddFileToList(path, false, true);
    }
    // Rows handed over between two slices sit between this job's rows.
    if (m_firstRow == 0 && m_model.RowCount() > before)
        m_firstRow = before + 1;
}

void AddFilesJob::finish()
{
    m_done = true;
    // Only rows this job added can start; nothing chosen was a movie, nothing changes.
    if (m_firstRow > 0) {
        if (m_origin == Origin::OpenDialog) {
            if (m_transport.PlayState() != TransportControl::Playing) {
                m_transport.SetCurrFileIndex(m_firstRow);
                m_transport.SetPlayState(TransportControl::Stopped);
                m_transport.PlayerBtns_Click(TransportControl::CmdPlay);
            }
        } else if (m_wasEmpty && transportAsLeft()) {
            m_transport.SetCurrFileIndex(m_firstRow);
            m_transport.PlayerBtns_Click(TransportControl::CmdPlay);
        }
    }
    emit Done();
}
