#pragma once

#include "playlist/collectfiles.h"

#include <QObject>

class PlaylistModel;
class TransportControl;

// Adds chosen or dropped paths to the playlist in time slices, so that a tree of 100,000 files
// keeps the window painting and can be cancelled. Rows added before a cancel stay, and the job
// ends as a finished one would (what to play is decided on the rows that were added).
class AddFilesJob : public QObject {
    Q_OBJECT
public:
    enum class Origin {
        OpenDialog, // every path goes to AddFileToList; a stopped or paused player starts the first new row
        Drop, // ".m3u" files are read as lists; an empty list starts at row 1
    };

    AddFilesJob(PlaylistModel& model, TransportControl& transport, const QStringList& paths, Origin origin,
        QObject* parent = nullptr);

    // Works for about budgetMs (at least one path); true once the job is over.
    bool RunFor(int budgetMs);
    void Cancel() { m_cancelled = true; }
    bool IsDone() const { return m_done; }
    int Collected() const { return m_collected; }

signals:
    void Progress(int collected);
    void Done();

private:
    void addOne(const QString& path);
    void finish();

    PlaylistModel& m_model;
    TransportControl& m_transport;
    FileCollector m_collector;
    Origin m_origin;
    bool m_wasEmpty;
    int m_oldCount;
    int m_collected = 0;
    bool m_cancelled = false;
    bool m_done = false;
};
