#pragma once

#include <QString>
#include <QVariantMap>

// The save data of movies (what they keep with local shared objects), one file per movie path in a
// folder of its own. Each file names the movie it belongs to, so two paths whose names hash alike
// never get each other's data. A file that cannot be read, is too big or is for another movie
// counts as no data; a file that cannot be written leaves the one before it whole.
class MovieSaves {
public:
    // What is kept of one movie at most, keys and values counted in characters; the entries past it
    // (in key order) are dropped.
    static constexpr qsizetype MaxChars = 1024 * 1024;

    explicit MovieSaves(const QString& folder) : m_folder(folder) { }

    const QString& folder() const { return m_folder; }
    // The engine's entries for the movie: key to text.
    QVariantMap load(const QString& moviePath) const;
    // Replaces what is kept for the movie; no entries removes its file. False when nothing could be
    // written.
    bool store(const QString& moviePath, const QVariantMap& entries) const;
    QString fileFor(const QString& moviePath) const;

    // The entries within MaxChars, in key order; those that are not text are dropped too.
    static QVariantMap capped(const QVariantMap& entries);

private:
    QString m_folder;
};
