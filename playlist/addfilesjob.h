#pragma once

#include "playlist/collectfiles.h"

#include <QObject>

class PlaylistModel;
class TransportControl;

// Adds chosen or dropped paths to the playlist in time slices, so that a tree of 100,000 files
// keeps the window painting and can be cancelled. Rows added before a cancel stay, and the job
// ends as a finished one would (what to play is decided on the rows that were added). A job waiting
// behind another looks at the list when its own turn comes, and what it starts is its own first row;
// a movie that someone else started while it collected (a hand-off, a double click) is left playing.
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
    void begin();
    void addOne(const QString& path);
    void noteTransport();
    bool transportAsLeft() const;
    void finish();

    PlaylistModel& m_model;
    TransportControl& m_transport;
    FileCollector m_collector;
    Origin m_origin;
    bool m_started = false;
    bool m_wasEmpty = false;
    int m_firstRow = 0; // the first row this job added
    // The transport as this job last saw or left it.
    int m_seenIndex = 0;
    int m_seenState = 0;
    int m_collected = 0;
    bool m_cancelled = false;
    bool m_done = false;
};
