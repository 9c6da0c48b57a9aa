#pragma once

#include "playback/movieprep.h"

#include <QString>
#include <memory>
#include <optional>

// The next movie, read and made ready for the engine while the current one plays, so that
// advancing hands over bytes already in memory. What it holds is handed out only for the same
// path while the file there is still the one that was read: a row deleted, renamed or edited since
// plays as the list says when the program advances.
class Lookahead {
public:
    Lookahead();
    ~Lookahead();
    Lookahead(const Lookahead&) = delete;
    Lookahead& operator=(const Lookahead&) = delete;

    // Starts preparing path in the background, in place of whatever was held. A movie whose
    // uncompressed size would take more than the memory to spare is left to be read when it plays.
    // The options are those the engine will load it with (the probe names the movie).
    void prepare(const QString& path, const PrepareOptions& options = {});
    // Forgets what is held or being prepared (the list changed).
    void drop();
    // The movie prepared for path, if it is ready and the file is unchanged since; it is handed out
    // once, and only when it was prepared for this identity. Never waits for a preparation still running.
    std::optional<PreparedMovie> take(const QString& path, const QByteArray& identity = PrepareOptions {}.identity);
    // What a preparation may hold at most: the memory available now, as the system reports it, to
    // a quarter, and never more than maxBytes.
    static qint64 memoryBudget(qint64 maxBytes);

    struct State;

private:
    std::shared_ptr<State> m_state;
};
